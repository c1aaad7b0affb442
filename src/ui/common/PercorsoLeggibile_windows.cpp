// A path as a Windows player reads it: whole, with backslashes, as Explorer's address bar shows it
// ("~" for the user's folder means nothing there).
#include "ui/common/Percorsi.h"

#include <QDir>

namespace ui {

QString percorsoLeggibile(const QString& percorso)
{
    return QDir::toNativeSeparators(percorso);
}

}
