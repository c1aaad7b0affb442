// Paths as the player reads them.
#include "ui/common/Percorsi.h"

namespace ui {

QString nomeFileValido(const QString& nome)
{
    QString r = nome;
    for (QChar& c : r)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    while (r.endsWith(QLatin1Char('.')) || r.endsWith(QLatin1Char(' ')))
        r.chop(1);
    return r;
}

}
