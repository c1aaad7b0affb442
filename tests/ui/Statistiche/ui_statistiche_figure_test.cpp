// The figures the window Statistiche shows, read back as a player reads them and compared with a count made
// here straight from the draws: the table's delays and frequencies, the presences list, the chart's classes.
#include "SupportoUi.h"

#include "ui/Statistiche/Statistiche.h"
#include "ui/common/Grafico.h"
#include "ui/common/RegistroFinestre.h"

#include <QtTest>

#include <cmath>

namespace {

// Bari over the whole demonstration archive, the window's first choice: the draws that count are
// those with Bari drawn, and the presences of each number are read here from the draws themselves.
struct Conteggi {
    explicit Conteggi(const archive::Archivio& a)
    {
        for (int d = 1; d <= a.NumeroEstrazioni; ++d) {
            if (a.numero(d, 0, 1) == 0)
                continue;
            contate.push_back(d);
            for (int p = 1; p <= 5; ++p)
                presenze[static_cast<std::size_t>(a.numero(d, 0, p))].push_back(static_cast<int>(contate.size()));
        }
    }
    int T() const { return static_cast<int>(contate.size()); }
    // The counted draws since number n was last drawn (T when never).
    int ritardo(int n) const
    {
        const auto& p = presenze[static_cast<std::size_t>(n)];
        return p.empty() ? T() : T() - p.back();
    }
    std::vector<int> contate;                  // draw index of counted draw t = 1..T
    std::array<std::vector<int>, 91> presenze; // the counted t of each presence, by number
};

void caricaDimostrativo(testui::Ambiente& amb)
{
    amb.creaArchivio(QStringLiteral("A.db"), 1200);
    amb.caricaArchivio(QStringLiteral("A.db"));
}

}

class TestStatisticheFigure : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { testui::svuotaRegistroFinestre(); }

    void tabellaEPresenzeComeLeEstrazioni()
    {
        testui::Ambiente amb;
        caricaDimostrativo(amb);
        const auto& a = amb.sessione->archivio();
        ui::Statistiche w(*amb.contesto);
        w.show();
        const Conteggi c(a);
        QVERIFY(c.T() > 1000);

        // The table, ordered by number: each number's delay and frequency as counted here.
        w.ordinaPer(statistics::ColNumero);
        const auto& tabella = w.tabella();
        QCOMPARE(tabella.righe(), 91);
        for (int n = 1; n <= 90; ++n) {
            QCOMPARE(tabella.intero(n, statistics::ColNumero), n);
            QCOMPARE(tabella.intero(n, statistics::ColRitardo), c.ritardo(n));
            QCOMPARE(tabella.intero(n, statistics::ColFrequenza), static_cast<int>(c.presenze[static_cast<std::size_t>(n)].size()));
            // The board shows the same delay.
            QCOMPARE(w.tabellone().testo((n - 1) / 10, (n - 1) % 10), std::to_string(n) + " (" + std::to_string(c.ritardo(n)) + ")");
        }

        // The presences of 57, newest first: the draw, its date, the wheel and the counted draws
        // without 57 before it (from the first counted draw for the oldest).
        w.mostraPresenze(57);
        const auto& elenco = w.elencoPresenze();
        const auto& p = c.presenze[57];
        QCOMPARE(elenco.righe(), 1 + static_cast<int>(p.size()));
        QCOMPARE(elenco.testo(0, 3), std::string("Ritardo"));
        for (std::size_t k = 0; k < p.size(); ++k) {
            const std::size_t i = p.size() - 1 - k;   // row k + 1 is the i-th presence, oldest first
            const int r = static_cast<int>(k) + 1;
            const int d = c.contate[static_cast<std::size_t>(p[i] - 1)];
            QCOMPARE(elenco.intero(r, 0), d);
            QCOMPARE(elenco.testo(r, 1), a.DateEstrazioni[static_cast<std::size_t>(d)]);
            QCOMPARE(elenco.testo(r, 2), std::string("BA"));
            QCOMPARE(elenco.intero(r, 3), p[i] - (i > 0 ? p[i - 1] : 0) - 1);
        }
    }

    void classiDelGraficoComeIlCaso()
    {
        testui::Ambiente amb;
        caricaDimostrativo(amb);
        ui::Statistiche w(*amb.contesto);
        w.show();
        const Conteggi c(amb.sessione->archivio());

        // One wheel: a number is missed in a counted draw with chance q = 17/18, so 90 q^r numbers
        // are expected to be late r draws or more; 90 q^r falls below half a number past r = 90
        // (ln 180 / ln(18/17) = 90.8), and ten classes reach it in steps of ceil(91 / 9) = 11.
        const auto* grafico = testui::controllo<ui::Grafico>(w, QStringLiteral("Grafico"));
        const auto& barre = grafico->serie();
        QCOMPARE(barre.size(), std::size_t{2});
        QCOMPARE(grafico->titoloAsseX(), QStringLiteral("Ritardo (classi di 11 estrazioni contate)"));
        QCOMPARE(grafico->categorie(), (QStringList{"0", "11", "22", "33", "44", "55", "66", "77", "88", "99+"}));
        const double q = 17.0 / 18.0;
        QCOMPARE(barre[0].valori.size(), std::size_t{10});
        for (int k = 0; k < 10; ++k) {
            const int da = 11 * k, a = k == 9 ? 1 << 30 : da + 10;
            int numeri = 0;
            for (int n = 1; n <= 90; ++n)
                numeri += c.ritardo(n) >= da && c.ritardo(n) <= a;
            QCOMPARE(barre[0].valori[k], static_cast<double>(numeri));
            const double attesi = 90 * (std::pow(q, da) - (k == 9 ? 0.0 : std::pow(q, da + 11)));
            QVERIFY2(std::abs(barre[1].valori[k] - attesi) < 1e-9,
                     qPrintable(QStringLiteral("classe %1: %2 invece di %3").arg(k).arg(barre[1].valori[k]).arg(attesi)));
        }
    }
};

QTEST_MAIN(TestStatisticheFigure)
#include "ui_statistiche_figure_test.moc"
