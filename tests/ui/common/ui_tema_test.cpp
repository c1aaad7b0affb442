// The grids' colours readable in the light and the dark palette: every pair at 4.5:1 or more.
#include "ui/common/GrigliaView.h"
#include "ui/common/Tema.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <memory>

namespace {
// Every background the commands give a cell (the logic libraries and the windows), white included.
const std::vector<grid::Colore> sfondi = {
    grid::colori::Bianco,   grid::colori::Verde,       grid::colori::Rosso,       grid::colori::Giallo,
    grid::colori::Blu,      grid::colori::VerdeScuro,  grid::rgb(128, 255, 128),  grid::rgb(255, 255, 192),
    grid::rgb(0, 255, 255), grid::rgb(192, 255, 192),  grid::rgb(192, 255, 255),  grid::rgb(255, 128, 0),
    grid::rgb(255, 192, 128), grid::rgb(255, 255, 128), grid::rgb(255, 192, 192), grid::rgb(255, 224, 192),
    grid::rgb(255, 255, 224)};
// Every text colour they set.
const std::vector<grid::Colore> testi = {grid::colori::Nero, grid::colori::Rosso, grid::colori::Blu};
}

class TestTema : public QObject {
    Q_OBJECT

private slots:
    // The desktop's dark setting as GNOME and GTK state it; a GTK theme named wins over the schema.
    void desktopScuroDaGtkEGnome()
    {
        const auto schema = [](const char* v) { return [v] { return QString::fromLatin1(v); }; };
        QVERIFY(ui::desktopScuro(QStringLiteral("Adwaita:dark"), schema("")));
        QVERIFY(!ui::desktopScuro(QStringLiteral("Adwaita"), schema("'prefer-dark'\n")));
        QVERIFY(ui::desktopScuro({}, schema("'prefer-dark'\n")));
        QVERIFY(!ui::desktopScuro({}, schema("'default'\n")));
        QVERIFY(!ui::desktopScuro({}, schema("")));
        QVERIFY(ui::eScura(ui::paletteScura()));
        QVERIFY(!ui::eScura(QPalette(Qt::black, Qt::white)));
    }
    // The desktop's setting read from a program that prints without end (300 MB once took 1.2 GB at
    // start-up): a few kilobytes are read, the program stopped; one that never answers costs the wait only.
    void impostazioneDelDesktopLettaPerPochiByte()
    {
#ifdef Q_OS_WIN
        QSKIP("GNOME's setting is read on Linux only, and the programs run here (yes, printf, sleep) are POSIX ones");
#endif
        QElapsedTimer tempo;
        tempo.start();
        const QString infinita = ui::primaUscita(QStringLiteral("yes"), {QStringLiteral("prefer-dark")}, 4096, 3000);
        QCOMPARE(infinita.size(), 4096);
        QVERIFY(infinita.startsWith(QStringLiteral("prefer-dark\nprefer-dark\n")));
        QVERIFY2(tempo.elapsed() < 2500, qPrintable(QString::number(tempo.elapsed())));
        QCOMPARE(ui::primaUscita(QStringLiteral("printf"), {QStringLiteral("'prefer-dark'\n")}, 4096, 3000), QStringLiteral("'prefer-dark'\n"));
        tempo.restart();
        QCOMPARE(ui::primaUscita(QStringLiteral("sleep"), {QStringLiteral("10")}, 4096, 300), QString());
        QVERIFY2(tempo.elapsed() < 2000, qPrintable(QString::number(tempo.elapsed())));
    }
    void contrastoComeLoDefinisceIlWeb()
    {
        // Reference values of the contrast formula for sRGB colours.
        QCOMPARE(qRound(ui::contrasto(Qt::black, Qt::white) * 100), 2100);
        QCOMPARE(qRound(ui::contrasto(Qt::white, Qt::black) * 100), 2100);
        QCOMPARE(qRound(ui::contrasto(QColor(0x77, 0x77, 0x77), Qt::white) * 100), 448);
        QCOMPARE(qRound(ui::contrasto(QColor(255, 0, 0), Qt::white) * 100), 400);
        QCOMPARE(qRound(ui::contrasto(QColor(0, 0, 255), Qt::black) * 100), 244);
        QCOMPARE(ui::contrasto(QColor(10, 200, 30), QColor(10, 200, 30)), 1.0);
    }

    void ogniCoppiaLeggibileInEntrambeLePalette()
    {
        std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        const std::vector<std::pair<const char*, QPalette>> palette = {{"chiara", fusion->standardPalette()},
                                                                       {"scura", ui::paletteScura()}};
        for (const auto& [nome, p] : palette) {
            for (auto s : sfondi) {
                for (auto t : testi) {
                    const auto c = ui::coloriDisegno(s, t, p);
                    const QString coppia = QStringLiteral("palette %1, sfondo %2, testo %3: disegnati %4 su %5")
                                               .arg(QLatin1String(nome), ui::qColore(s).name(), ui::qColore(t).name(),
                                                    c.testo.name(), c.sfondo.name());
                    QVERIFY2(ui::contrasto(c.testo, c.sfondo) >= 4.5, qPrintable(coppia));
                    // A coloured cell keeps its colour in both palettes, and a pair already readable is drawn as stored.
                    if (s != grid::colori::Bianco) {
                        QVERIFY2(c.sfondo == ui::qColore(s), qPrintable(coppia));
                        if (ui::contrasto(ui::qColore(t), ui::qColore(s)) >= 4.5)
                            QVERIFY2(c.testo == ui::qColore(t), qPrintable(coppia));
                    }
                }
            }
            // A cell nobody coloured takes the palette's own colours.
            const auto normale = ui::coloriDisegno(grid::colori::Bianco, grid::colori::Nero, p);
            QCOMPARE(normale.sfondo, p.color(QPalette::Base));
            QCOMPARE(normale.testo, p.color(QPalette::Text));
        }
        // A red text on white, 4:1, is darkened but stays red.
        const auto rosso = ui::coloriDisegno(grid::colori::Bianco, grid::colori::Rosso, fusion->standardPalette());
        QVERIFY(rosso.testo.red() > 150 && rosso.testo.green() == 0 && rosso.testo.blue() == 0);
    }

    void grigliaScuraDisegnataConLaPalette()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(ui::paletteScura());
        grid::Grid g;
        g.setIntestazione("A|B");
        g.setRighe(3);
        g.setTesto(1, 0, "x");
        g.setSfondo(2, 1, grid::colori::Verde);
        ui::GrigliaView v(g);
        v.aggiorna();
        v.resize(300, 200);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        const QImage immagine = v.viewport()->grab().toImage();
        auto puntoDi = [&v](int riga, int colonna) {
            const QRect r = v.visualRect(v.model()->index(riga - 1, colonna));
            return QPoint(r.right() - 3, r.center().y());
        };
        // The stored colours are untouched; the plain cell is drawn dark, the green one green.
        QCOMPARE(v.model()->data(v.model()->index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QCOMPARE(immagine.pixelColor(puntoDi(1, 0)), ui::paletteScura().color(QPalette::Base));
        QCOMPARE(immagine.pixelColor(puntoDi(2, 1)), QColor(0, 255, 0));
        // An untouched header leaves its colours to the palette.
        QVERIFY(!v.model()->headerData(0, Qt::Horizontal, Qt::ForegroundRole).isValid());
        QVERIFY(!v.model()->headerData(0, Qt::Horizontal, Qt::BackgroundRole).isValid());
    }
};

QTEST_MAIN(TestTema)
#include "ui_tema_test.moc"
