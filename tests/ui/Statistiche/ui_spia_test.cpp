// The pages "Spia" and "Legge del terzo" of Statistiche offscreen: their tables equal velmora-cli spia and terzo for
// the same choices; sorting, the scan, the followed draws in the mini list, the chart, the empty choices, help.
#include "SupportoUi.h"

#include "ui/Container/Container.h"
#include "ui/Estrazioni_minielenco/Estrazioni_minielenco.h"
#include "ui/Statistiche/PaginaSpia.h"
#include "ui/Statistiche/PaginaTerzo.h"
#include "ui/Statistiche/Statistiche.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>


namespace {

struct Banco {
    explicit Banco(int n)
    {
        amb.creaArchivio(QStringLiteral("A.db"), n);
        amb.caricaArchivio(QStringLiteral("A.db"));
    }
    template <class T>
    T* c(const QWidget& w, const QString& nome) const { return testui::controllo<T>(w, nome); }
    // velmora-cli on the same archive, another process: standard output and the last line of standard error.
    std::pair<std::string, std::string> cli(const QString& comando, const QStringList& opzioni) const
    {
        return testui::velmoraCli(QStringList{comando, QStringLiteral("--archivio"), amb.file(QStringLiteral("A.db"))} + opzioni);
    }

    testui::Ambiente amb;
};

// The columns the command line prints of the window's cycles (the window adds the dates and the absent numbers).
std::string quattroColonne(const grid::Grid& g)
{
    std::string t;
    for (int r = 0; r < g.righe(); ++r)
        t += g.testo(r, 0) + "\t" + g.testo(r, 1) + "\t" + g.testo(r, 2) + "\t" + g.testo(r, 3) + "\n";
    return t;
}

double somma(const ui::SerieGrafico& s)
{
    double t = 0;
    for (const double v : s.valori)
        t += v;
    return t;
}

}

class TestSpia : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { testui::svuotaRegistroFinestre(); }

    void spiaComeLaRigaDiComando()
    {
        Banco t(1500);
        ui::Statistiche w(*t.amb.contesto);
        w.show();
        auto& spia = w.paginaSpia();
        auto* pagine = t.c<QTabWidget>(w, QStringLiteral("Pagine"));
        pagine->setCurrentWidget(&spia);
        QVERIFY(!t.c<QComboBox>(w, QStringLiteral("Sorte"))->isEnabled());
        const auto riepilogo = [&] { return t.c<QLabel>(w, QStringLiteral("RiepilogoSpia"))->text().toStdString(); };

        // Spy 27 on Bari, followers on Bari (the panel's wheel), 9 colpi, ordered by p as the command is.
        auto [out, err] = t.cli("spia", {"--spia", "27"});
        QCOMPARE(spia.tabella().comeTesto("\n"), out);
        QCOMPARE(riepilogo(), "Spia 27 su Bari. " + err);

        // Two wheels of followers, the spy on Napoli in pair with 5, 20 colpi, overlaps counted.
        t.c<QToolButton>(w, QStringLiteral("RuotaMI"))->setChecked(true);
        t.c<QComboBox>(w, QStringLiteral("RuotaSpia"))->setCurrentIndex(5);
        t.c<QSpinBox>(w, QStringLiteral("Spia2"))->setValue(5);
        t.c<QSpinBox>(w, QStringLiteral("Colpi"))->setValue(20);
        t.c<QCheckBox>(w, QStringLiteral("Sovrapposte"))->setChecked(true);
        std::tie(out, err) = t.cli("spia", {"--spia", "27-5", "--ruota-spia", "NA", "--ruote", "BA,MI", "--colpi", "20", "--sovrapposte"});
        QCOMPARE(spia.tabella().comeTesto("\n"), out);
        QCOMPARE(riepilogo(), "Spia 05-27 su Napoli. " + err);

        // Sorting: Uscite from the largest, a second click reverses.
        t.c<QSpinBox>(w, QStringLiteral("Spia2"))->setValue(0);
        spia.ordinaPer(statistics::ColSpiaUscite);
        const auto& g = spia.tabella();
        for (int r = 2; r < g.righe(); ++r)
            QVERIFY(g.intero(r - 1, statistics::ColSpiaUscite) >= g.intero(r, statistics::ColSpiaUscite));
        spia.ordinaPer(statistics::ColSpiaUscite);
        const auto rovesciata = spia.tabella();
        QVERIFY(rovesciata.intero(1, statistics::ColSpiaUscite) <= rovesciata.intero(89, statistics::ColSpiaUscite));

        // The chart: the 90 numbers by class of p, and chance's count that adds up to 90 too.
        const auto& barre = t.c<ui::Grafico>(w, QStringLiteral("GraficoSpia"))->serie();
        QCOMPARE(barre.size(), std::size_t{2});
        QCOMPARE(static_cast<int>(barre[0].valori.size()), statistics::ClassiP);
        QCOMPARE(somma(barre[0]), 90.0);
        QVERIFY(std::abs(somma(barre[1]) - 90.0) < 1e-6);

        // Every spy: the 8,100 tests as the command lists them.
        t.c<QPushButton>(w, QStringLiteral("TutteLeSpie"))->click();
        QVERIFY(!t.c<QSpinBox>(w, QStringLiteral("Spia"))->isEnabled());
        std::tie(out, err) = t.cli("spia", {"--spia", "tutte", "--ruota-spia", "NA", "--ruote", "BA,MI", "--colpi", "20",
                                            "--sovrapposte", "--lista", "8100"});
        QCOMPARE(spia.tabella().comeTesto("\n"), out);
        QCOMPARE(QString::fromStdString(riepilogo()), QString::fromStdString(err));
        QCOMPARE(somma(t.c<ui::Grafico>(w, QStringLiteral("GraficoSpia"))->serie().at(0)), 8100.0);

        // No wheel: the reason in place of the figures, on every page.
        t.c<QToolButton>(w, QStringLiteral("RuotaBA"))->setChecked(false);
        t.c<QToolButton>(w, QStringLiteral("RuotaMI"))->setChecked(false);
        QCOMPARE(spia.tabella().righe(), 1);
        QCOMPARE(riepilogo(), std::string("Selezionare almeno una ruota"));
        QCOMPARE(t.c<QLabel>(w, QStringLiteral("RiepilogoTerzo"))->text(), QStringLiteral("Selezionare almeno una ruota"));

        // "?" and F1 open the page's own help.
        t.c<QPushButton>(w, QStringLiteral("CmDHelpSpia"))->click();
        QTest::keyClick(&w, Qt::Key_F1);
        pagine->setCurrentWidget(&w.paginaTerzo());
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(t.amb.helpAperti, (std::vector<int>{352, 352, 354}));
    }

    void seguitiNelMiniElenco()
    {
        Banco t(600);
        ui::registraEstrazioni_minielenco();
        ui::registraStatistiche();
        ui::Container principale(*t.amb.contesto);
        principale.show();
        auto* sub = principale.apriFinestra(QStringLiteral("Statistiche"));
        QVERIFY(sub);
        auto* w = qobject_cast<ui::Statistiche*>(sub->widget());
        QVERIFY(w);
        const auto& a = t.amb.sessione->archivio();
        auto& spia = w->paginaSpia();

        // The follower in the first row (smallest p): the draws where it came within 9 colpi of a 27 on Bari.
        const auto riga = spia.righe().front();
        QVERIFY(riga.uscite > 0);
        // Empty, the list keeps narrow columns (it fits its page); filled, the dates and wheels read whole.
        auto* vista = testui::controllo<ui::GrigliaView>(*w, QStringLiteral("SeguitiSpia"));
        const int vuota = vista->columnWidth(statistics::SegRuote);
        spia.mostraSeguiti(1);
        // The title of the list is long: it wraps rather than ask the window for its whole width.
        const auto* titolo = testui::controllo<QLabel>(*w, QStringLiteral("TitoloSeguitiSpia"));
        QVERIFY(titolo->minimumSizeHint().width() < titolo->fontMetrics().horizontalAdvance(titolo->text()) / 2);
        QVERIFY(vista->columnWidth(statistics::SegRuote) > vuota);
        QVERIFY(vista->columnWidth(statistics::SegData) >= vista->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")));
        const auto& s = spia.elencoSeguiti();
        QCOMPARE(s.righe(), 1 + riga.uscite);
        for (int r = 1; r < s.righe(); ++r) {
            const int presenza = s.intero(r, statistics::SegPresenza), d = s.intero(r, statistics::SegEstrazione);
            QCOMPARE(d - presenza, s.intero(r, statistics::SegColpo));
            bool spiaPresente = false, seguito = false;
            for (int k = 1; k <= 5; ++k) {
                spiaPresente = spiaPresente || a.numero(presenza, 0, k) == 27;
                seguito = seguito || a.numero(d, 0, k) == riga.numero;
            }
            QVERIFY(spiaPresente && seguito);
            if (r > 1)
                QVERIFY(presenza < s.intero(r - 1, statistics::SegPresenza));
        }
        // The newest in the mini list, the follower marked on Bari.
        auto* mini = qobject_cast<ui::Estrazioni_minielenco*>(principale.areaMdi()->activeSubWindow()->widget());
        QVERIFY(mini);
        QCOMPARE(mini->findChild<QScrollBar*>(QStringLiteral("hs1"))->value(), s.intero(1, statistics::SegEstrazione));
        int segnate = 0;
        for (int k = 1; k <= 5; ++k)
            segnate += mini->griglia().intero(1, k) == riga.numero && mini->griglia().sfondo(1, k) == grid::colori::Verde;
        QCOMPARE(segnate, 1);
        // An older one on a double-click of its row; on the spy's cells, the spy's draw with 27 marked on Bari.
        QVERIFY(s.righe() > 2);
        auto* seguiti = testui::controllo<ui::GrigliaView>(*w, QStringLiteral("SeguitiSpia"));
        emit seguiti->doppioClic(2, statistics::SegData);
        QCOMPARE(mini->findChild<QScrollBar*>(QStringLiteral("hs1"))->value(), s.intero(2, statistics::SegEstrazione));
        emit seguiti->doppioClic(2, statistics::SegPresenza);
        QCOMPARE(mini->findChild<QScrollBar*>(QStringLiteral("hs1"))->value(), s.intero(2, statistics::SegPresenza));
        segnate = 0;
        for (int k = 1; k <= 5; ++k)
            segnate += mini->griglia().intero(1, k) == 27 && mini->griglia().sfondo(1, k) == grid::colori::Verde;
        QCOMPARE(segnate, 1);
        // A new computation empties the list, narrow again.
        spia.svuota(QStringLiteral("Nessuna estrazione"));
        QCOMPARE(vista->model()->rowCount(), 0);
        QCOMPARE(vista->columnWidth(statistics::SegRuote), vuota);
    }

    void terzoComeLaRigaDiComando()
    {
        Banco t(800);
        ui::Statistiche w(*t.amb.contesto);
        w.show();
        auto& terzo = w.paginaTerzo();
        w.tutteLeRuote();
        // Every wheel, cycle of 18 up to the last draw; the distribution over the whole archive.
        auto [out, err] = t.cli("terzo", {});
        QCOMPARE(quattroColonne(terzo.tabellaCicli()), out);
        QVERIFY(t.c<QLabel>(w, QStringLiteral("RiepilogoTerzo"))->text().toStdString().find(err) == 0);
        std::tie(out, err) = t.cli("terzo", {"--distribuzione"});
        QCOMPARE(terzo.tabellaDistribuzione().comeTesto("\n"), out);
        QVERIFY(t.c<QLabel>(w, QStringLiteral("RiepilogoTerzo"))->text().toStdString().find(err) != std::string::npos);

        // A cycle of 30: the absent numbers of each wheel are those its row counts.
        t.c<QSpinBox>(w, QStringLiteral("Ciclo"))->setValue(30);
        std::tie(out, err) = t.cli("terzo", {"--ciclo", "30"});
        QCOMPARE(quattroColonne(terzo.tabellaCicli()), out);
        const auto& cicli = terzo.tabellaCicli();
        QCOMPARE(cicli.testo(0, 6), std::string("Numeri assenti"));
        for (int r = 1; r < cicli.righe(); ++r) {
            const auto& numeri = cicli.testo(r, 6);
            const auto quanti = numeri.empty() ? 0 : std::count(numeri.begin(), numeri.end(), ' ') + 1;
            QCOMPARE(static_cast<int>(quanti), terzo.tabellaCicli().intero(r, 2));
        }
        QVERIFY(t.c<QLabel>(w, QStringLiteral("SignificatoTerzo"))->text().startsWith(QStringLiteral("In 30 estrazioni il caso lascia fuori in media 16,2")));
        const auto& barre = t.c<ui::Grafico>(w, QStringLiteral("GraficoTerzo"))->serie();
        QCOMPARE(barre.size(), std::size_t{2});
        QCOMPARE(somma(barre[0]), static_cast<double>(terzo.distribuzione().cicli));
    }
};

QTEST_MAIN(TestSpia)
#include "ui_spia_test.moc"
