// A path as a Linux player reads it: the home folder written "~", as file managers and shells show it.
#include "ui/common/Percorsi.h"

#include <QDir>

namespace ui {

QString percorsoLeggibile(const QString& percorso)
{
    const QString casa = QDir::cleanPath(QDir::homePath());
    const QString pulito = QDir::cleanPath(QDir::fromNativeSeparators(percorso));
    // Only a whole folder name counts: /home/mario must not shorten /home/mariolina.
    if (!percorso.isEmpty() && casa != QStringLiteral("/") && pulito.startsWith(casa + QLatin1Char('/')))
        return QDir::toNativeSeparators(QStringLiteral("~") + pulito.mid(casa.size()));
    return QDir::toNativeSeparators(percorso);
}

}
