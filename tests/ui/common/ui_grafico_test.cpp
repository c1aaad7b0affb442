// The chart widget: round ticks on awkward ranges, stacked and side-by-side bars, the empty chart,
// the tooltip, and the drawing under a light and a dark palette.
#include "ui/common/Grafico.h"
#include "ui/common/Tema.h"

#include <QImage>
#include <QtTest>

using namespace ui;

namespace {

std::vector<double> tacche(const ScalaAsse& s) { return s.tacche; }

Grafico* grafico(Grafico::Tipo tipo, std::vector<double> a, std::vector<double> b)
{
    auto* g = new Grafico;
    g->resize(400, 300);
    g->setTipo(tipo);
    g->setTitolo(QStringLiteral("Prova"));
    g->setTitoliAssi(QStringLiteral("Classe"), QStringLiteral("Numeri"));
    g->setCategorie({QStringLiteral("0"), QStringLiteral("11"), QStringLiteral("22")});
    g->aggiungiSerie({QStringLiteral("Numeri"), QColor(110, 140, 190), std::move(a), {}});
    g->aggiungiSerie({QStringLiteral("Attesi dal caso"), QColor(230, 120, 20), std::move(b), {}});
    return g;
}

}

class TestGrafico : public QObject {
    Q_OBJECT
private slots:
    void taccheRotonde()
    {
        // A bar axis grows to round ticks: 43 -> 0..50 in tens; 6 -> 0..6 in twos; 8100 -> 0..10000.
        auto s = scalaAsse(0, 43, 6, 0, true);
        QCOMPARE(s.da, 0.0);
        QCOMPARE(s.a, 50.0);
        QCOMPARE(tacche(s), (std::vector<double>{0, 10, 20, 30, 40, 50}));
        QCOMPARE(tacche(scalaAsse(0, 6, 6, 0, true)), (std::vector<double>{0, 2, 4, 6}));
        s = scalaAsse(0, 8100, 6, 0, true);
        QCOMPARE(s.a, 10000.0);
        QCOMPARE(s.passo, 2000.0);
        // One decimal allows steps of 0,5 and 0,25; none does not: a count never reads 0,5.
        QCOMPARE(scalaAsse(0, 1.88, 6, 1, true).passo, 0.5);
        QCOMPARE(tacche(scalaAsse(0, 0.4, 6, 0, true)), (std::vector<double>{0, 1}));
        QCOMPARE(scalaAsse(0, 9, 5, 0, true).passo, 5.0);   // 2,5 needs a decimal
        QCOMPARE(scalaAsse(0, 9, 5, 1, true).passo, 2.5);
        // The draws of a line chart keep their range; its ticks fall inside it.
        s = scalaAsse(7301, 7350, 6, 0, false);
        QCOMPARE(s.da, 7301.0);
        QCOMPARE(s.a, 7350.0);
        QCOMPARE(tacche(s), (std::vector<double>{7310, 7320, 7330, 7340, 7350}));
        // Negative values: the axis reaches below zero on a round tick.
        s = scalaAsse(-3, 12, 6, 0, true);
        QCOMPARE(s.da, -5.0);
        QCOMPARE(s.a, 15.0);
    }

    void rangeSenzaAmpiezza()
    {
        // All zeros: 0..1, never a division by an empty range.
        auto s = scalaAsse(0, 0, 6, 0, true);
        QCOMPARE(s.da, 0.0);
        QCOMPARE(s.a, 1.0);
        QVERIFY(s.tacche.size() >= 2);
        // A single value: a range around it that holds it as a tick.
        s = scalaAsse(7301, 7301, 6, 0, false);
        QVERIFY(s.da < 7301 && s.a > 7301);
        QVERIFY(std::find(s.tacche.begin(), s.tacche.end(), 7301.0) != s.tacche.end());
        s = scalaAsse(1.5, 1.5, 6, 1, true);
        QVERIFY(s.da <= 1.4 && s.a >= 1.6);
        // Reversed or not finite bounds: still an axis.
        QCOMPARE(scalaAsse(10, 0, 6, 0, true).a, 10.0);
        QCOMPARE(scalaAsse(std::nan(""), 5, 6, 0, true).a, 1.0);
    }

    void numeriItaliani()
    {
        QCOMPARE(numeroGrafico(1.5, 1), QStringLiteral("1,5"));
        QCOMPARE(numeroGrafico(8100, 0), QStringLiteral("8100"));   // no thousands dot, as the grids
        QCOMPARE(numeroGrafico(-0.01, 0), QStringLiteral("0"));
        QCOMPARE(numeroGrafico(0.25, 2), QStringLiteral("0,25"));
    }

    void barreImpilateSiSommano()
    {
        std::unique_ptr<Grafico> g(grafico(Grafico::Tipo::BarreImpilate, {1, 0, 3}, {2, 5, 0}));
        // The axis reaches the tallest stack (1 + 2 = 3, 0 + 5 = 5), not the tallest part.
        QCOMPARE(g->scalaY().a, 5.0);
        const auto r = g->barre();
        QCOMPARE(r.size(), std::size_t{2});
        QCOMPARE(r[0].size(), std::size_t{3});
        const QRectF area = g->areaDati();
        const double unita = area.height() / (g->scalaY().a - g->scalaY().da);
        // Category 0: the second set stands on the first, both on the axis, 3 units tall together.
        QCOMPARE(r[0][0].bottom(), area.bottom());
        QCOMPARE(r[1][0].bottom(), r[0][0].top());
        QVERIFY(std::abs(r[0][0].height() + r[1][0].height() - 3 * unita) < 1e-6);
        QCOMPARE(r[0][0].left(), r[1][0].left());
        QVERIFY(std::abs(r[1][1].height() - 5 * unita) < 1e-6);
        QCOMPARE(r[1][1].top(), area.top());

        // Side by side: the axis reaches the tallest bar; bars of a class do not overlap.
        std::unique_ptr<Grafico> a(grafico(Grafico::Tipo::Barre, {1, 0, 3}, {2, 5, 0}));
        QCOMPARE(a->scalaY().a, 5.0);
        const auto s = a->barre();
        QVERIFY(s[0][2].right() <= s[1][2].left() + 1e-9);
        QCOMPARE(s[0][2].bottom(), s[1][2].bottom());

        // What is drawn is what barre() says: the colour of each set inside its bar.
        const QImage img = a->grab().toImage();
        QCOMPARE(img.pixelColor(s[0][2].center().toPoint()), QColor(110, 140, 190));
        QCOMPARE(img.pixelColor(s[1][1].center().toPoint()), QColor(230, 120, 20));
    }

    void vuotoMostraIlMessaggio()
    {
        Grafico g;
        g.resize(300, 200);
        QVERIFY(g.vuoto());
        QVERIFY(!g.messaggioVuoto().isEmpty());
        QVERIFY(g.barre().empty());
        QVERIFY(g.suggerimento(QPointF(150, 100)).isEmpty());
        QVERIFY(!g.grab().isNull());
        // Series with no values are no data either; azzera() forgets everything.
        g.aggiungiSerie({QStringLiteral("Numeri"), Qt::blue, {}, {}});
        QVERIFY(g.vuoto());
        g.aggiungiSerie({QStringLiteral("Altri"), Qt::red, {0, 0, 0}, {}});
        QVERIFY(!g.vuoto());
        QCOMPARE(g.scalaY().a, 1.0);   // all zeros
        QVERIFY(!g.grab().isNull());
        g.azzera();
        QVERIFY(g.vuoto());
        QVERIFY(g.serie().empty());
        QVERIFY(g.categorie().isEmpty());

        // A line of one point, and a widget far too small for its labels: drawn, no crash.
        g.setTipo(Grafico::Tipo::Linee);
        g.aggiungiSerie({QStringLiteral("Ambate uscite"), Qt::blue, {4}, {7301}});
        QVERIFY(!g.grab().isNull());
        g.resize(20, 10);
        QVERIFY(!g.grab().isNull());
    }

    void suggerimento()
    {
        std::unique_ptr<Grafico> g(grafico(Grafico::Tipo::Barre, {16, 4, 0}, {22.4, 3, 0.5}));
        const auto r = g->barre();
        QCOMPARE(g->suggerimento(r[0][0].center()),
                 QStringLiteral("0\nNumeri: 16\nAttesi dal caso: 22,4"));
        QVERIFY(g->suggerimento(r[1][2].center()).endsWith(QStringLiteral("Attesi dal caso: 0,5")));
        QVERIFY(g->suggerimento(QPointF(1, 1)).isEmpty());

        Grafico linee;
        linee.resize(400, 200);
        linee.setTipo(Grafico::Tipo::Linee);
        linee.aggiungiSerie({QStringLiteral("Ambate uscite"), Qt::blue, {1, 2, 4}, {7301, 7302, 7303}});
        linee.aggiungiSerie({QStringLiteral("Attese a caso"), Qt::gray, {0.4, 0.8, 1.2}, {7301, 7302, 7303}, Qt::DashLine});
        const QRectF area = linee.areaDati();
        QCOMPARE(linee.suggerimento(QPointF(area.right() - 1, area.center().y())),
                 QStringLiteral("7303\nAmbate uscite: 4\nAttese a caso: 1,2"));
    }

    void coloriDellaPalette()
    {
        // The card is the palette's base, light or dark; the text of the empty chart its text.
        for (const QPalette& pal : {QPalette(Qt::white), paletteScura()}) {
            std::unique_ptr<Grafico> g(grafico(Grafico::Tipo::Barre, {1, 2, 3}, {3, 2, 1}));
            g->setPalette(pal);
            const QImage img = g->grab().toImage();
            QCOMPARE(img.pixelColor(3, g->height() / 2), pal.color(QPalette::Base));
        }
    }
};

QTEST_MAIN(TestGrafico)
#include "ui_grafico_test.moc"
