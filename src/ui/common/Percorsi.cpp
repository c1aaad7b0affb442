// Paths as the player reads them.
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
