// The "Convalida" page of Piramide1 offscreen: defaults, a replay shown as the logic computes it, the chart, the double-click, cancel, refusals.
#include "ui/Piramide1/PaginaConvalida.h"
#include "ui/Piramide1/Piramide1.h"

#include "SupportoUi.h"
#include "session/Sessione.h"
#include "support/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"
#include "support/RuotaTardiva.h"
#include "workbench/Ambate.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Convalida.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ui;

namespace {

std::unique_ptr<archive::Archivio> archivioDiProva()
{
    if (const archive::Archivio* reale = testsupport::archivioReale())
        return std::make_unique<archive::Archivio>(*reale);
    return std::make_unique<archive::Archivio>(testsupport::archivioDimostrativo());
}

struct BarraRegistrata : Progresso {
    void imposta(int valore, int massimo) override { passi.emplace_back(valore, massimo); }
    void azzera() override { ++azzerata; }
    std::vector<std::pair<int, int>> passi;
    int azzerata = 0;
};

struct Finestra {
    explicit Finestra(std::unique_ptr<archive::Archivio> archivio = archivioDiProva())
        : a(std::move(archivio)), sessione(cartella.path().toStdString(), *a), contesto(sessione, dialoghi)
    {
        sessione.apriDatabaseProgramma();
        contesto.pb1 = &pb1;
        finestra = std::make_unique<Piramide1>(contesto);
        finestra->resize(1366, 749);
        finestra->show();
        pagina = finestra->findChild<PaginaConvalida*>();
        testui::controllo<QTabWidget>(*finestra, QStringLiteral("SSTab2"))->setCurrentWidget(pagina);
    }
    ~Finestra()
    {
        finestra.reset();
        sessione.chiudi();
    }
    template <class T> T* w(const QString& nome) const { return testui::controllo<T>(*finestra, nome); }
    // CONVALIDA pressed and waited for.
    void convalida() const
    {
        QSignalSpy fine(pagina, &PaginaConvalida::finita);
        w<QPushButton>(QStringLiteral("CmdConvalida"))->click();
        QVERIFY(fine.count() == 1 || fine.wait(120000));
    }

    QTemporaryDir cartella;
    std::unique_ptr<archive::Archivio> a;
    session::Sessione sessione;
    DialoghiScriptati dialoghi;
    Contesto contesto;
    BarraRegistrata pb1;
    std::unique_ptr<Piramide1> finestra;
    PaginaConvalida* pagina = nullptr;
};

}

class TestPaginaConvalida : public QObject {
    Q_OBJECT
private slots:
    void replicaMostrataEDoppioClic();
    void annullaERifiuti();
    void ruotaTardivaVerdettoEImpostazioni();
};

// The window's own settings (Bari, the operators of type 1): the grid, the totals and the
// chart are those of workbench::convalida on a copy of the workbench; a double-click moves
// the workbench's reference.
void TestPaginaConvalida::replicaMostrataEDoppioClic()
{
    Finestra f;
    QVERIFY(f.pagina);
    const int N = f.a->NumeroEstrazioni;
    QCOMPARE(f.w<QSpinBox>(QStringLiteral("ConvAl"))->value(), N);
    QCOMPARE(f.w<QSpinBox>(QStringLiteral("ConvDal"))->value(), N - 199);
    QVERIFY(f.w<QCheckBox>(QStringLiteral("ChkMensileRif"))->isChecked());
    f.w<QSpinBox>(QStringLiteral("ConvDal"))->setValue(N - 59);
    f.w<QSpinBox>(QStringLiteral("ConvAl"))->setValue(N - 10);
    f.convalida();

    const auto imp = workbench::impostazioniConvalida(f.finestra->banco(), N - 59, N - 10, true);
    const auto atteso = workbench::convalida(imp, *f.a);
    grid::Grid g;
    workbench::scriviConvalida(g, atteso, *f.a);
    QCOMPARE(QString::fromStdString(f.pagina->griglia().comeTesto("\n")), QString::fromStdString(g.comeTesto("\n")));
    QCOMPARE(f.w<QLabel>(QStringLiteral("LblTotaliConvalida"))->text(),
             QString::fromStdString(workbench::testoTotaliConvalida(atteso.totali)));
    QCOMPARE(f.w<QLabel>(QStringLiteral("LblConvalidaStato"))->text(),
             QStringLiteral("Convalidati 50 riferimenti, dal %1 al %2.").arg(N - 59).arg(N - 10));
    QVERIFY(!f.pb1.passi.empty());
    QCOMPARE(f.pb1.passi.back().second, 50);
    QCOMPARE(f.pb1.azzerata, 1);   // emptied once the check is over
    // Two lines, one point per counted reference.
    auto* grafico = f.w<Grafico>(QStringLiteral("GraficoConvalida"));
    QCOMPARE(grafico->tipo(), Grafico::Tipo::Linee);
    QCOMPARE(grafico->serie().size(), std::size_t{2});
    const auto& uscite = grafico->serie().at(0);
    QCOMPARE(static_cast<int>(uscite.valori.size()), atteso.totali.riferimenti);
    QCOMPARE(uscite.x.size(), uscite.valori.size());
    QCOMPARE(static_cast<int>(uscite.valori.back()), atteso.totali.uscite);

    // Double-click on the fifth row: the workbench's reference draw becomes its Rif, with
    // its own draw of the month, and AMBATE there finds the row's formula.
    auto* vista = f.w<GrigliaView>(QStringLiteral("FgConvalida"));
    const auto* m = vista->modelloTabella();
    const QModelIndex i = m->index(5 - m->righeFisse(), 0);
    vista->scrollTo(i);
    QTest::mouseDClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(i).center());
    QCOMPARE(f.finestra->banco().riferimento, N - 55);
    QCOMPARE(f.w<QScrollBar>(QStringLiteral("hs1"))->value(), N - 55);
    QCOMPARE(f.finestra->banco().mensile, static_cast<int>(f.a->ProgressivoMese[static_cast<std::size_t>(N - 55)]));
    QSignalSpy ricerca(f.finestra.get(), &Piramide1::ricercaFinita);
    f.finestra->Command9();
    f.finestra->Cmd_Step1();
    QVERIFY(ricerca.count() == 1 || ricerca.wait(60000));
    QCOMPARE(QString::fromStdString(f.finestra->banco().FgEsiti.testo(1, 3)),
             QString::fromStdString(f.pagina->griglia().testo(5, workbench::colConvalida::Formula)));
    QCOMPARE(QString::fromStdString(f.finestra->banco().FgEsiti.testo(1, 1)),
             QString::fromStdString(f.pagina->griglia().testo(5, workbench::colConvalida::Cop)));
}

// Annulla stops the replay within the wait and keeps the rows shown; a reversed range and
// no operator are refused with a message and start nothing.
void TestPaginaConvalida::annullaERifiuti()
{
    Finestra f;
    const int N = f.a->NumeroEstrazioni;
    f.w<QSpinBox>(QStringLiteral("ConvDal"))->setValue(N - 4);
    f.convalida();
    const std::string prima = f.pagina->griglia().comeTesto("\n");
    QCOMPARE(f.pagina->griglia().righe(), 6);

    // Every operator of every type: long enough to be stopped.
    for (int tipo = 2; tipo <= 7; ++tipo)
        f.finestra->sceltaTipo(tipo);
    f.w<QSpinBox>(QStringLiteral("ConvDal"))->setValue(1000);
    QSignalSpy fine(f.pagina, &PaginaConvalida::finita);
    f.w<QPushButton>(QStringLiteral("CmdConvalida"))->click();
    QVERIFY(f.pagina->inCorso());
    QVERIFY(!f.w<QPushButton>(QStringLiteral("CmdConvalida"))->isEnabled());
    QTest::qWait(50);
    f.w<QPushButton>(QStringLiteral("CmdAnnullaConvalida"))->click();
    QVERIFY(fine.count() == 1 || fine.wait(5000));
    QCOMPARE(f.w<QLabel>(QStringLiteral("LblConvalidaStato"))->text(),
             QStringLiteral("Convalida annullata: i risultati precedenti restano."));
    QCOMPARE(f.pagina->griglia().comeTesto("\n"), prima);
    QVERIFY(f.w<QPushButton>(QStringLiteral("CmdConvalida"))->isEnabled());

    f.w<QSpinBox>(QStringLiteral("ConvDal"))->setValue(N);
    f.w<QSpinBox>(QStringLiteral("ConvAl"))->setValue(N - 1);
    f.w<QPushButton>(QStringLiteral("CmdConvalida"))->click();
    QVERIFY(!f.pagina->inCorso());
    auto m = f.dialoghi.messaggi();
    QCOMPARE(m.size(), std::size_t{1});
    QCOMPARE(m.back().titolo, QStringLiteral("Convalida"));
    QCOMPARE(m.back().testo, QStringLiteral("Intervallo non valido: il primo riferimento (%1) viene dopo l'ultimo (%2).")
                                 .arg(N)
                                 .arg(N - 1));

    f.w<QSpinBox>(QStringLiteral("ConvDal"))->setValue(N - 1);
    // The operators unchosen as "Deseleziona tutti" leaves them: the page asks the check AMBATE asks.
    f.w<QPushButton>(QStringLiteral("Command23"))->click();
    f.w<QPushButton>(QStringLiteral("CmdConvalida"))->click();
    QVERIFY(!f.pagina->inCorso());
    m = f.dialoghi.messaggi();
    QCOMPARE(m.size(), std::size_t{2});
    QCOMPARE(m.back().testo,
             QStringLiteral("Nessun operatore scelto: sceglierne almeno uno nella scheda Operatori (doppio clic o tipo)."));
    QCOMPARE(f.pagina->griglia().comeTesto("\n"), prima);
}

// One wheel starting late (the Nazionale from draw 16): at reference 12 AMBATE lists no formula
// reading it and warns of nothing, its top row is the one the search computes and the one
// Convalida chooses there; both results name their settings, say when those change, and
// Convalida gives its verdict in words.
void TestPaginaConvalida::ruotaTardivaVerdettoEImpostazioni()
{
    Finestra f(std::make_unique<archive::Archivio>(testsupport::archivioRuotaTardiva()));
    auto& b = f.finestra->banco();
    f.finestra->impostaRiferimento(12);
    f.finestra->Command14();
    f.w<QComboBox>(QStringLiteral("ComboNC"))->setCurrentIndex(5);   // 6 cases
    f.w<QComboBox>(QStringLiteral("Combo3"))->setCurrentIndex(3);    // 4 colpi
    f.finestra->sceltaTipo(2);
    f.finestra->sceltaTipo(3);
    auto* schede = f.w<QTabWidget>(QStringLiteral("SSTab2"));
    schede->setCurrentIndex(0);
    QSignalSpy ricerca(f.finestra.get(), &Piramide1::ricercaFinita);
    f.finestra->Command9();
    f.finestra->Cmd_Step1();
    QVERIFY(ricerca.count() == 1 || ricerca.wait(60000));
    QVERIFY(f.dialoghi.messaggi().empty());
    const auto atteso = workbench::cercaFormule(workbench::leggiImpostazioniRicerca(b, workbench::TipoRicerca::Ambate), *f.a);
    QVERIFY(!atteso.anomalia);
    QVERIFY(!atteso.righe.front().vuota());
    QCOMPARE(QString::fromStdString(b.FgEsiti.testo(1, workbench::colEsiti::Formula)),
             QString::fromStdString(atteso.righe.front().formula));
    for (int r = 1; r < b.FgEsiti.righe(); ++r) {
        QVERIFY(b.FgEsiti.testo(r, workbench::colEsiti::Ru1) != "NZ");
        QVERIFY(b.FgEsiti.testo(r, workbench::colEsiti::Ru2) != "NZ");
    }
    auto* tag = f.w<QLabel>(QStringLiteral("LblImpostazioniEsiti"));
    QVERIFY(tag->isVisible());
    QVERIFY2(tag->text().startsWith(QStringLiteral("Risultati di: ruota base BA; ruote BA; N° casi 6; colpi 4; Mensile ")),
             qPrintable(tag->text()));
    QVERIFY2(tag->text().contains(QStringLiteral("NZ non estratta in")), qPrintable(tag->text()));
    // Another number of colpi: the results are no longer those of the settings on the left.
    f.w<QComboBox>(QStringLiteral("Combo3"))->setCurrentIndex(4);
    f.finestra->controllaEsiti();
    QVERIFY2(tag->text().startsWith(QStringLiteral("Impostazioni cambiate dopo la ricerca")), qPrintable(tag->text()));
    f.w<QComboBox>(QStringLiteral("Combo3"))->setCurrentIndex(3);
    f.finestra->controllaEsiti();
    QVERIFY(tag->text().startsWith(QStringLiteral("Risultati di: ")));

    // Convalida at reference 12 alone chooses the same formula, with the same Cop.
    schede->setCurrentWidget(f.pagina);
    f.w<QSpinBox>(QStringLiteral("ConvDal"))->setValue(5);
    f.w<QSpinBox>(QStringLiteral("ConvAl"))->setValue(12);
    f.convalida();
    const auto& g = f.pagina->griglia();
    QCOMPARE(g.righe(), 9);
    QCOMPARE(QString::fromStdString(g.testo(8, workbench::colConvalida::Formula)),
             QString::fromStdString(b.FgEsiti.testo(1, workbench::colEsiti::Formula)));
    QCOMPARE(QString::fromStdString(g.testo(8, workbench::colConvalida::Cop)),
             QString::fromStdString(b.FgEsiti.testo(1, workbench::colEsiti::Cop)));
    auto* verdetto = f.w<QLabel>(QStringLiteral("LblVerdettoConvalida"));
    QVERIFY2(verdetto->text().startsWith(QStringLiteral("Verdetto: il metodo ")), qPrintable(verdetto->text()));
    QVERIFY(verdetto->text().contains(QStringLiteral("fuori campione")));
    auto* righe = f.w<QLabel>(QStringLiteral("LblImpostazioniConvalida"));
    QVERIFY2(righe->text().startsWith(QStringLiteral("Righe di: ruota base BA; ruote BA; N° casi 6; colpi 4; Mensile del "
                                                     "riferimento; riferimenti dal 5 (")),
             qPrintable(righe->text()));
    f.w<QSpinBox>(QStringLiteral("ConvDal"))->setValue(6);
    f.pagina->controllaImpostazioni();
    QVERIFY2(righe->text().startsWith(QStringLiteral("Impostazioni cambiate dopo la convalida")), qPrintable(righe->text()));

    // RICAVA ESTRAZIONI empties the AMBATE results: their tag goes with them.
    schede->setCurrentIndex(0);
    f.finestra->Command9();
    QCOMPARE(b.FgEsiti.righe(), 1);
    QVERIFY(!tag->isVisible());
    QVERIFY(f.w<QLabel>(QStringLiteral("LblMiglioreACaso"))->text().isEmpty());
}

QTEST_MAIN(TestPaginaConvalida)
#include "convalida_page_test.moc"
