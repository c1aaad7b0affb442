// Contrast of the grids' colours and the dark palette.
#include "ui/common/Tema.h"

#include "ui/common/GrigliaView.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <cmath>

namespace ui {

namespace {
double lineare(int canale)
{
    const double c = canale / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

QColor mescola(const QColor& da, const QColor& verso, double t)
{
    return QColor::fromRgbF(static_cast<float>(da.redF() + (verso.redF() - da.redF()) * t),
                            static_cast<float>(da.greenF() + (verso.greenF() - da.greenF()) * t),
                            static_cast<float>(da.blueF() + (verso.blueF() - da.blueF()) * t));
}
}

double luminanza(const QColor& c)
{
    return 0.2126 * lineare(c.red()) + 0.7152 * lineare(c.green()) + 0.0722 * lineare(c.blue());
}

double contrasto(const QColor& a, const QColor& b)
{
    const double la = luminanza(a), lb = luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ColoriCella coloriDisegno(grid::Colore sfondo, grid::Colore testo, const QPalette& palette)
{
    ColoriCella c;
    const bool normale = sfondo == grid::colori::Bianco;
    c.sfondo = normale ? palette.color(QPalette::Base) : qColore(sfondo);
    c.testo = normale && testo == grid::colori::Nero ? palette.color(QPalette::Text) : qColore(testo);
    if (contrasto(c.testo, c.sfondo) >= ContrastoMinimo)
        return c;
    // Towards whichever of black and white stands further from the background: one of the two
    // always reaches 4.58:1, so the search ends. The least step that passes keeps the most hue.
    const QColor estremo = contrasto(Qt::black, c.sfondo) >= contrasto(Qt::white, c.sfondo) ? QColor(Qt::black) : QColor(Qt::white);
    const QColor origine = c.testo;
    for (int passo = 1; passo <= 20; ++passo) {
        c.testo = mescola(origine, estremo, passo / 20.0);
        if (contrasto(c.testo, c.sfondo) >= ContrastoMinimo)
            break;
    }
    return c;
}

QPalette paletteScura()
{
    QPalette p;
    const QColor finestra(45, 45, 48), base(30, 30, 32), testo(230, 230, 230), disattivo(130, 130, 130);
    p.setColor(QPalette::Window, finestra);
    p.setColor(QPalette::WindowText, testo);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, finestra);
    p.setColor(QPalette::ToolTipBase, finestra);
    p.setColor(QPalette::ToolTipText, testo);
    p.setColor(QPalette::PlaceholderText, disattivo);
    p.setColor(QPalette::Text, testo);
    p.setColor(QPalette::Button, QColor(58, 58, 62));
    p.setColor(QPalette::ButtonText, testo);
    p.setColor(QPalette::BrightText, QColor(255, 100, 100));
    p.setColor(QPalette::Light, QColor(75, 75, 80));
    p.setColor(QPalette::Midlight, QColor(65, 65, 70));
    p.setColor(QPalette::Mid, QColor(40, 40, 42));
    p.setColor(QPalette::Dark, QColor(20, 20, 22));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(66, 133, 214));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(120, 170, 255));
    p.setColor(QPalette::LinkVisited, QColor(190, 140, 255));
    for (auto ruolo : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, ruolo, disattivo);
    return p;
}

bool eScura(const QPalette& palette)
{
    return luminanza(palette.color(QPalette::Window)) < luminanza(palette.color(QPalette::WindowText));
}

bool desktopScuro(const QString& temaGtk, const std::function<QString()>& leggiSchema)
{
    if (!temaGtk.isEmpty())
        return temaGtk.endsWith(QLatin1String(":dark"), Qt::CaseInsensitive);
    return leggiSchema && leggiSchema().contains(QLatin1String("prefer-dark"));
}

bool desktopScuro()
{
    return desktopScuro(qEnvironmentVariable("GTK_THEME"), [] {
        const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
        if (gsettings.isEmpty())
            return QString();
        return primaUscita(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("color-scheme")},
                           4096, 500);
    });
}

QString primaUscita(const QString& programma, const QStringList& argomenti, int massimo, int attesaMs)
{
    QProcess p;
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(programma, argomenti);
    QByteArray uscita;
    QElapsedTimer tempo;
    tempo.start();
    // Read as it comes, a pipe's worth at a time, and never past `massimo`.
    while (uscita.size() < massimo && tempo.elapsed() < attesaMs) {
        const bool finito = !p.waitForReadyRead(static_cast<int>(std::max<qint64>(1, attesaMs - tempo.elapsed())));
        uscita += p.read(massimo - uscita.size());
        if (finito && p.state() == QProcess::NotRunning) {
            uscita += p.read(massimo - uscita.size());
            break;
        }
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(100);
    }
    return QString::fromUtf8(uscita);
}

}
