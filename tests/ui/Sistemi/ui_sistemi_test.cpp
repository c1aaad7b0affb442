// The window Sistemi offscreen: a system computed on the worker, checked, shown and played; paging, the stop, refusals.
#include "SupportoUi.h"

#include "plays/ArchivioGiocate.h"
#include "systems/GrigliaSistemi.h"
#include "ui/Sistemi/Sistemi.h"
#include "ui/common/GrigliaView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

struct Banco {
    Banco()
    {
        amb.creaArchivio(QStringLiteral("A.db"), 50);
        amb.sessione->apriDatabaseProgramma();
        amb.caricaArchivio(QStringLiteral("A.db"));
        finestra = std::make_unique<ui::Sistemi>(*amb.contesto);
        finestra->show();
        QCoreApplication::processEvents();
    }
    ui::Sistemi& w() { return *finestra; }
    QString etichetta(const char* nome) { return testui::controllo<QLabel>(*finestra, QString::fromLatin1(nome))->text(); }
    QString cella(const grid::Grid& g, int r, int c) { return QString::fromStdString(g.testo(r, c)); }
    QString ultimoMessaggio() { return amb.dialoghi.messaggi().empty() ? QString() : amb.dialoghi.messaggi().back().testo; }
    void calcola()
    {
        w().CmdCalcola();
        QVERIFY(testui::attendi(w().lavoro()));
    }

    testui::Ambiente amb;
    std::unique_ptr<ui::Sistemi> finestra;
};

}

class TestSistemi : public QObject {
    Q_OBJECT
private slots:
    void calcolatoVerificatoEGiocato()
    {
        Banco t;
        QCOMPARE(t.w().windowTitle(), QStringLiteral("Sistemi"));
        for (int n = 10; n <= 130; n += 10)
            t.w().commutaNumero(n > 90 ? n - 85 : n);   // 10 .. 90 and 15, 25, 35, 45
        t.w().impostaParametri(4, 2, 2, false);
        t.calcola();
        QVERIFY(t.amb.dialoghi.messaggi().empty());
        QCOMPARE(t.etichetta("LblDimensione"), QStringLiteral("13 biglietti (limite inferiore 13, rapporto 1,00) - piano proiettivo di ordine 3"));
        QCOMPARE(t.w().testoGaranzia(), QStringLiteral("<b>garanzia verificata su tutte le 78 coppie</b>"));
        const auto& b = t.w().grigliaBiglietti();
        QCOMPARE(b.righe(), 14);
        QCOMPARE(t.cella(b, 1, ui::Sistemi::ColonnaNumeri), QStringLiteral("10-15-25-60"));
        // 1 euro of ambo on Bari, the window's start: two numbers out always make one ambo of 250 / C(4,2).
        const auto& r = t.w().grigliaRendimento();
        QCOMPARE(r.righe(), 7);
        QCOMPARE(t.cella(r, 3, systems::colonneRendimento::Ambo), QStringLiteral("1"));
        QCOMPARE(t.cella(r, 3, systems::colonneRendimento::PremioMinimo), QStringLiteral("38,33"));
        QVERIFY(t.w().testoCosto().contains(QStringLiteral("13,00 euro a estrazione su una ruota")));

        // New stakes: the rendimento again on the worker, the cost at once.
        testui::controllo<QLineEdit>(t.w(), QStringLiteral("TxtPosta(2)"))->setText(QStringLiteral("2"));
        emit testui::controllo<QLineEdit>(t.w(), QStringLiteral("TxtPosta(2)"))->editingFinished();
        QVERIFY(testui::attendi(t.w().lavoro()));
        QCOMPARE(t.cella(t.w().grigliaRendimento(), 3, systems::colonneRendimento::PremioMinimo), QStringLiteral("76,67"));
        QVERIFY(t.w().testoCosto().contains(QStringLiteral("26,00 euro a estrazione su una ruota")));

        // Played: asked first; No adds nothing, Sì adds one play per ticket.
        t.amb.dialoghi.risposteSiNo = {false, true};
        t.w().CmdGioca();
        QVERIFY(plays::leggiGiocate(t.amb.sessione->dbProgramma()).empty());
        t.w().CmdGioca();
        const auto giocate = plays::leggiGiocate(t.amb.sessione->dbProgramma());
        QCOMPARE(giocate.size(), std::size_t{13});
        QCOMPARE(giocate[0].numeri, (std::vector<int>{10, 15, 25, 60}));
        QCOMPARE(giocate[0].poste[1], plays::Centesimi{200});
        // One group: every ticket names the first one's IdGiocata.
        for (const auto& g : giocate)
            QCOMPARE(g.gruppo, giocate[0].id);
        QCOMPARE(t.ultimoMessaggio(), QStringLiteral("Aggiunte 13 giocate, dalla N° 1 alla N° 13: Sistema 13 numeri in 4 (garanzia 2 se 2)."));

        // Another number: the system shown no longer answers the numbers and goes, and nothing is left to play.
        t.w().commutaNumero(77);
        QVERIFY(!t.w().sistema());
        QCOMPARE(t.w().grigliaBiglietti().righe(), 1);
        t.w().CmdGioca();
        QCOMPARE(t.ultimoMessaggio(), QStringLiteral("Nessun sistema da giocare: prima Calcola."));
    }

    void integraleAPagine()
    {
        Banco t;
        testui::controllo<QLineEdit>(t.w(), QStringLiteral("TxtNumeri"))->setText(QStringLiteral("1-2-3-4-5-6-7-8-9-10-11-12-13-14-15-16-17-18-19-20-21-22-23-24-25-26-27-28-29-30"));
        QVERIFY(t.w().usaNumeriScritti());
        t.w().impostaParametri(6, 2, 2, true);
        t.calcola();
        QCOMPARE(t.etichetta("LblDimensione"), QStringLiteral("593.775 biglietti - sistema integrale"));
        QCOMPARE(t.etichetta("LblPagina"), QStringLiteral("biglietti 1 – 1.000 di 593.775"));
        QCOMPARE(t.w().grigliaBiglietti().righe(), 1001);
        auto* pagina = testui::controllo<QSpinBox>(t.w(), QStringLiteral("SpinPagina"));
        QCOMPARE(pagina->maximum(), 594);
        pagina->setValue(594);
        QCOMPARE(t.etichetta("LblPagina"), QStringLiteral("biglietti 593.001 – 593.775 di 593.775"));
        QCOMPARE(t.cella(t.w().grigliaBiglietti(), 775, ui::Sistemi::ColonnaNumeri), QStringLiteral("25-26-27-28-29-30"));
        t.w().CmdGioca();
        QVERIFY(t.ultimoMessaggio().startsWith(QStringLiteral("Il sistema ha 593.775 biglietti")));
        QVERIFY(plays::leggiGiocate(t.amb.sessione->dbProgramma()).empty());
    }

    void tabelloniDalloStato()
    {
        Banco t;
        auto* numeri = testui::controllo<ui::GrigliaView>(t.w(), QStringLiteral("FgNumeri"));
        auto* ruote = testui::controllo<ui::GrigliaView>(t.w(), QStringLiteral("FgRuote"));
        auto* m = numeri->model();
        const auto sfondo = [](QAbstractItemModel* modello, int r, int c) { return modello->index(r, c).data(Qt::BackgroundRole).value<QColor>(); };
        const QColor scelto = ui::qColore(t.amb.contesto->colori.selezione), libero = ui::qColore(t.amb.contesto->colori.normale);
        QCOMPARE(m->index(2, 4).data().toString(), QStringLiteral("25"));
        QCOMPARE(sfondo(m, 2, 4), libero);
        // A click on 25 chooses it: only its row of ten is said to change, and it turns to the selection colour.
        QSignalSpy cambiate(m, &QAbstractItemModel::dataChanged);
        QTest::mouseClick(numeri->viewport(), Qt::LeftButton, {}, numeri->visualRect(m->index(2, 4)).center());
        QCOMPARE(t.etichetta("LblNumeri"), QStringLiteral("1 numeri: 25"));
        QCOMPARE(sfondo(m, 2, 4), scelto);
        QCOMPARE(sfondo(m, 2, 5), libero);
        QCOMPARE(cambiate.size(), 1);
        QCOMPARE(cambiate.at(0).at(0).toModelIndex().row(), 2);
        QCOMPARE(cambiate.at(0).at(1).toModelIndex().row(), 2);
        // Typed numbers: the board follows them, as a copy of it shows.
        testui::controllo<QLineEdit>(t.w(), QStringLiteral("TxtNumeri"))->setText(QStringLiteral("90-01"));
        QVERIFY(t.w().usaNumeriScritti());
        QCOMPARE(sfondo(m, 2, 4), libero);
        QCOMPARE(sfondo(m, 0, 0), scelto);
        QCOMPARE(sfondo(m, 8, 9), scelto);
        QCOMPARE(numeri->testoSelezione(), QStringLiteral("25\n"));   // the cell clicked
        numeri->clearSelection();
        QVERIFY(numeri->testoSelezione().startsWith(QStringLiteral("01\t02\t03")));
        // Bari is in play from the start; a click on Napoli adds it, a second takes it away.
        auto* mr = ruote->model();
        QCOMPARE(mr->index(0, 5).data().toString(), QStringLiteral("NA"));
        QCOMPARE(sfondo(mr, 0, 0), scelto);
        QTest::mouseClick(ruote->viewport(), Qt::LeftButton, {}, ruote->visualRect(mr->index(0, 5)).center());
        QCOMPARE(sfondo(mr, 0, 5), scelto);
        QTest::mouseClick(ruote->viewport(), Qt::LeftButton, {}, ruote->visualRect(mr->index(0, 5)).center());
        QCOMPARE(sfondo(mr, 0, 5), libero);
    }

    void fermatoERifiutato()
    {
        Banco t;
        t.w().CmdGioca();
        QCOMPARE(t.ultimoMessaggio(), QStringLiteral("Nessun sistema da giocare: prima Calcola."));
        t.w().commutaNumero(7);
        t.w().CmdCalcola();
        QCOMPARE(t.ultimoMessaggio(), QStringLiteral("Scegliere almeno due numeri sulla tabella."));
        t.w().commutaNumero(8);
        t.w().commutaNumero(9);
        t.w().impostaParametri(4, 2, 2, false);
        t.w().CmdCalcola();
        QCOMPARE(t.ultimoMessaggio(), QStringLiteral("Sistema non calcolato: la classe (4) supera i numeri giocati (3)."));
        testui::controllo<QLineEdit>(t.w(), QStringLiteral("TxtNumeri"))->setText(QStringLiteral("5-5"));
        QVERIFY(!t.w().usaNumeriScritti());
        QCOMPARE(t.ultimoMessaggio(), QStringLiteral("Numeri non validi: il 5 è ripetuto. La tabella non è cambiata."));

        // A search of a minute stopped after its greedy start: the best system found so far, checked, and said to be stopped.
        testui::controllo<QLineEdit>(t.w(), QStringLiteral("TxtNumeri"))->setText(QStringLiteral("1-2-3-4-5-6-7-8-9-10-11-12-13-14-15-16-17-18-19-20"));
        QVERIFY(t.w().usaNumeriScritti());
        t.w().impostaParametri(5, 3, 4, false);
        t.w().impostaTempo(60);
        QElapsedTimer orologio;
        orologio.start();
        t.w().CmdCalcola();
        QTest::qWait(500);
        testui::controllo<QPushButton>(t.w(), QStringLiteral("CmdFerma"))->click();
        QVERIFY(testui::attendi(t.w().lavoro()));
        QVERIFY(orologio.elapsed() < 20000);
        QVERIFY2(t.etichetta("LblDimensione").endsWith(QStringLiteral(", ricerca interrotta")), qPrintable(t.etichetta("LblDimensione")));
        QCOMPARE(t.w().testoGaranzia(), QStringLiteral("<b>garanzia verificata su tutte le 4.845 quartine</b>"));
        QVERIFY(t.w().sistema()->verifica.valida);
        QCOMPARE(t.w().grigliaRendimento().righe(), 7);
    }
};

QTEST_MAIN(TestSistemi)
#include "ui_sistemi_test.moc"
