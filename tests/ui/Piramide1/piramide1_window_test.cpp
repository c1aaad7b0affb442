// The window Piramide1 offscreen: opening state, reference draw, selections, marks, a whole evening, a cancelled search.
#include "ui/Piramide1/Piramide1.h"
#include "ui/Piramide1/PannelloEsiti.h"
#include "ui/Piramide1/PannelloPiramide.h"
#include "ui/Piramide1/PannelloRilevazione.h"
#include "ui/Piramide1/PaginaConvalida.h"
#include "ui/Piramide1/PannelloRisultati.h"

#include "SupportoUi.h"
#include "engine/Piramide.h"
#include "plays/ArchivioGiocate.h"
#include "session/Sessione.h"
#include "storage/ProgramDb.h"
#include "support/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Abbinamenti.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "workbench/ConfrontoCaso.h"
#include "workbench/Elabora.h"
#include "workbench/Trasferimenti.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMap>
#include <QMenu>
#include <QSpinBox>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ui;

namespace {

// The real archive when the historical file is there, else the demonstration archive.
std::unique_ptr<archive::Archivio> archivioDiProva()
{
    if (const archive::Archivio* reale = testsupport::archivioReale())
        return std::make_unique<archive::Archivio>(*reale);
    return std::make_unique<archive::Archivio>(testsupport::archivioDimostrativo());
}

// The main window's bar as the window drives it: every call kept.
struct BarraRegistrata : Progresso {
    void imposta(int valore, int massimo) override { passi.emplace_back(valore, massimo); }
    void azzera() override { ++azzerata; }
    std::vector<std::pair<int, int>> passi;
    int azzerata = 0;
};

struct Banco {
    Banco() : a(archivioDiProva()), sessione(cartella.path().toStdString(), *a), contesto(sessione, dialoghi)
    {
        sessione.apriDatabaseProgramma();
        contesto.pb1 = &pb1;
        contesto.pb2 = &pb2;
        finestra = std::make_unique<Piramide1>(contesto);
        finestra->resize(1030, 640);
        finestra->show();
    }
    ~Banco()
    {
        finestra.reset();
        sessione.chiudi();
    }
    template <class T> T* w(const QString& nome) const { return testui::controllo<T>(*finestra, nome); }
    QPushButton* b(const QString& nome) const { return w<QPushButton>(nome); }
    workbench::Banco& banco() const { return finestra->banco(); }
    void clic(const QString& griglia, int riga, int colonna, bool doppio = false) const
    {
        auto* g = w<GrigliaView>(griglia);
        const auto* m = g->modelloTabella();
        const QModelIndex i = m->index(riga - m->righeFisse(), colonna - m->colonneFisse());
        g->scrollTo(i);
        const QPoint p = g->visualRect(i).center();
        if (doppio)
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
        else
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
    }
    // The background `griglia` is drawn with at (riga, colonna): the selections come from the Banco's fields.
    grid::Colore sfondo(const QString& griglia, int riga, int colonna) const
    {
        auto* g = w<GrigliaView>(griglia);
        return g->modello() ? g->modello()->sfondo(riga, colonna) : g->modelloTabella()->testoTabella().sfondo(riga, colonna);
    }
    // What a view shows, as text with its colours (a grid's own cells, or a model's typed rows).
    grid::Grid tabella(const QString& griglia) const { return w<GrigliaView>(griglia)->modelloTabella()->testoTabella(); }
    void clicEtichetta(const QString& nome) const { QTest::mouseClick(w<QLabel>(nome), Qt::LeftButton); }
    // Runs a search by its button and waits for its end.
    void cerca(const QString& pulsante) const
    {
        QSignalSpy fine(finestra.get(), &Piramide1::ricercaFinita);
        b(pulsante)->click();
        QVERIFY(fine.count() == 1 || fine.wait(60000));
    }
    int N() const { return a->NumeroEstrazioni; }

    QTemporaryDir cartella;
    std::unique_ptr<archive::Archivio> a;
    session::Sessione sessione;
    DialoghiScriptati dialoghi;
    Contesto contesto;
    BarraRegistrata pb1, pb2;
    std::unique_ptr<Piramide1> finestra;
};

// Every cell of two grids: text, background, text colour, bold.
bool uguali(const grid::Grid& x, const grid::Grid& y)
{
    if (x.righe() != y.righe() || x.colonne() != y.colonne())
        return false;
    for (int r = 0; r < x.righe(); ++r)
        for (int c = 0; c < x.colonne(); ++c) {
            const auto &p = x.cella(r, c), &q = y.cella(r, c);
            if (p.testo != q.testo || p.sfondo != q.sfondo || p.testoColore != q.testoColore || p.grassetto != q.grassetto)
                return false;
        }
    return true;
}

// The row of operator `codice` in FgOp.
int rigaOperatore(const workbench::Banco& b, const std::string& codice)
{
    for (std::size_t i = 0; i < b.operatori.size(); ++i)
        if (b.operatori[i].operatore == codice)
            return static_cast<int>(i) + 1;
    return -1;
}

int rigaDi(const grid::Grid& g, int colonna, const std::string& testo)
{
    for (int r = 1; r < g.righe(); ++r)
        if (g.testo(r, colonna) == testo)
            return r;
    return -1;
}

}

class TestPiramide1 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qInfo("%s", testsupport::archivioReale() ? "archivio reale" : "archivio dimostrativo (storico assente)");
    }
    void apertura();
    void riferimento();
    void selezioni();
    void sorteDaTastiera();
    void marcaSenzaUscite();
    void tabelleDelleVerifiche();
    void serata();
    void chiusuraDuranteRicerca();
    void colonnaAmbata();
    void tabelleDelleRighe();
    void casiNonScaduti();
    void messaggiInveceDelSilenzio();
    void serataDaTastiera();
    void ordineDelTab();
    void tastieraNelBanco();
    void paginaEComandoAggiunti();
    void pannelloRilevazioneDaSolo();
};

void TestPiramide1::apertura()
{
    Banco t;
    const auto& b = t.banco();
    QCOMPARE(t.finestra->windowTitle(), QStringLiteral("Piramide"));
    QCOMPARE(t.sfondo("FgRG", 0, 0), 65280u);
    for (int w = 1; w < 11; ++w)
        QCOMPARE(t.sfondo("FgRG", 0, w), grid::colori::Bianco);
    const std::pair<const char*, const char*> combo[] = {{"Combo3", "8"},      {"ComboNC", "12"},   {"ComboEle", "100"},
                                                         {"ComboFiltro", "Mensile"}, {"ComboR1", "BA"}, {"ComboQNu", "1"},
                                                         {"ComboLivello", "1"}};
    for (const auto& [nome, testo] : combo)
        QCOMPARE(t.w<QComboBox>(nome)->currentText(), QString::fromLatin1(testo));
    QCOMPARE(t.w<QComboBox>("Combo3")->count(), 20);
    QCOMPARE(t.w<QComboBox>("ComboEle")->itemText(18), QStringLiteral("1000"));
    QCOMPARE(t.w<QComboBox>("ComboPar")->count(), 32);
    QCOMPARE(t.w<QComboBox>("ComboPar")->itemText(0), QStringLiteral("U"));
    // The newest draw is the reference, ComboPar its ordinal within its month.
    QCOMPARE(t.w<QScrollBar>("hs1")->value(), t.N());
    QCOMPARE(t.w<QScrollBar>("hs1")->maximum(), t.N());
    QCOMPARE(b.riferimento, t.N());
    QCOMPARE(t.w<QComboBox>("ComboPar")->currentIndex(), int(t.a->ProgressivoMese[t.N()]));
    QCOMPARE(t.w<QLabel>("LabelRifE")->text(),
             QStringLiteral("%1 %2  M-%3").arg(t.N()).arg(QString::fromStdString(t.a->DateEstrazioni[t.N()])).arg(t.a->ProgressivoMese[t.N()]));
    const grid::Grid estratti = t.w<GrigliaView>("FgEstratti")->modelloTabella()->testoTabella();
    QCOMPARE(estratti.intero(1, 1), int(t.a->numero(t.N(), 0, 1)));
    QCOMPARE(estratti.intero(11, 5), int(t.a->numero(t.N(), 10, 5)));
    for (int m = 1; m <= 15; ++m)
        QVERIFY(t.w<QLabel>(QStringLiteral("Lbl0(%1)").arg(m))->text().isEmpty());
    // The catalogue by code, only the selection cell and the code shown, type 1 chosen.
    const grid::Grid FgOp = t.tabella("FgOp");
    QCOMPARE(FgOp.righe(), int(storage::CatalogoPredefinito().size()) + 1);
    for (int r = 2; r < FgOp.righe(); ++r)
        QVERIFY(FgOp.testo(r - 1, 1) <= FgOp.testo(r, 1));
    QVERIFY(!FgOp.colonna(1).nascosta);
    QCOMPARE(FgOp.colonna(1).allineamento, grid::Allineamento::Centro);
    QVERIFY(FgOp.colonna(2).nascosta && FgOp.colonna(7).nascosta);
    QVERIFY(!t.w<GrigliaView>("FgOp")->isColumnHidden(1) && t.w<GrigliaView>("FgOp")->isColumnHidden(2));
    for (int r = 1; r < FgOp.righe(); ++r) {
        QCOMPARE(FgOp.sfondo(r, 0) == grid::colori::Rosso, FgOp.intero(r, 2) == 1);
        if (FgOp.intero(r, 2) == 1)
            QCOMPARE(FgOp.coloreTesto(r, 1), grid::colori::Blu);
        if (FgOp.intero(r, 2) == 2)
            QCOMPARE(FgOp.coloreTesto(r, 1), grid::colori::Rosso);
    }
    QCOMPARE(FgOp.sfondo(1, 1), grid::colori::Verde);
    QCOMPARE(FgOp.sfondo(2, 1), grid::colori::Bianco);
    QVERIFY(t.w<QLabel>("Label3")->text().contains(QString::fromStdString(FgOp.testo(1, 7))));
    // The empty pyramid, NASCONDE applied.
    const grid::Grid FgF = t.tabella(QStringLiteral("FgF")), Fg5 = t.tabella(QStringLiteral("Fg5"));
    QCOMPARE(FgF.righe(), 16);
    QCOMPARE(FgF.testo(0, 0), std::string("Riga"));
    QCOMPARE(FgF.testo(15, engine::colF::Co), std::string("5"));
    QCOMPARE(Fg5.testo(0, 0), std::string("Num"));
    QCOMPARE(FgF.coloreTesto(3, engine::colF::Tras), grid::colori::Rosso);
    QCOMPARE(Fg5.sfondo(5, engine::colF::VAL), grid::rgb(128, 255, 255));
    for (int c = 0; c <= engine::colF::VAL; ++c) {
        const bool nascosta = c == 1 || c == 2 || c == 4 || c == 6 || c == 9;
        QCOMPARE(FgF.colonna(c).nascosta, nascosta);
        QCOMPARE(Fg5.colonna(c).nascosta, nascosta);
    }
    QCOMPARE(t.b("Cmd_Step1")->text(), QStringLiteral("&AMBATE"));
    QCOMPARE(t.b("Command9")->text(), QStringLiteral("RICAVA ESTRAZIONI (Alt+R)"));
    QCOMPARE(t.b("Command11")->text(), QStringLiteral("SALVA CONFIGURAZIONE"));
    QCOMPARE(t.b("Command25")->toolTip(), QStringLiteral("Copia mattone evidenziato in quello di destinazione"));
    QCOMPARE(t.w<QLabel>("Label9")->text(), QStringLiteral("Denominazione (Max 100 caratteri)"));
    QCOMPARE(t.w<QCheckBox>("Ch_CasiScoperti")->text(), QStringLiteral("Casi scoperti"));
    QVERIFY(!t.b("CmdAnnulla")->isEnabled());
    // A maximised main window on a 1366x768 screen (openbox) leaves 1036x720 to the window,
    // measured: what it needs fits, and the grids scroll inside it.
    const QSize minimo = t.w<QWidget>("contenuto")->minimumSizeHint().expandedTo(t.w<QWidget>("contenuto")->minimumSize());
    QVERIFY2(minimo.width() <= 1036 && minimo.height() <= 720, qPrintable(QStringLiteral("%1x%2").arg(minimo.width()).arg(minimo.height())));
}

void TestPiramide1::riferimento()
{
    Banco t;
    auto* hs1 = t.w<QScrollBar>("hs1");
    t.dialoghi.risposteInput = {QStringLiteral("19"), QStringLiteral("x25"), QStringLiteral("%1").arg(t.N() + 1), QStringLiteral(" 25 ")};
    for (int i = 0; i < 3; ++i) {
        t.b("Command42(1)")->click();
        QCOMPARE(hs1->value(), t.N());
    }
    t.b("Command42(1)")->click();
    QCOMPARE(hs1->value(), 25);
    QCOMPARE(t.banco().riferimento, 25);
    QCOMPARE(t.w<GrigliaView>("FgEstratti")->modelloTabella()->testoTabella().intero(3, 2), int(t.a->numero(25, 2, 2)));
    const auto prompt = t.dialoghi.voci().front();
    QCOMPARE(prompt.testo, QStringLiteral("Inserire il n° indice dell'archivio modello."));
    QCOMPARE(prompt.titolo, QStringLiteral("Scelta estrazione"));

    // Dates: exactly the archive's text, else "Data non trovata".
    t.dialoghi.svuota();
    const QString data = QString::fromStdString(t.a->DateEstrazioni[100]);
    const QString altroFormato = data.mid(0, 2) + QStringLiteral("-") + data.mid(3, 2) + QStringLiteral("-") + data.mid(6);
    t.dialoghi.risposteInput = {altroFormato, data};
    t.b("Command42(2)")->click();
    QCOMPARE(hs1->value(), 25);
    QCOMPARE(t.dialoghi.voci().front().testo, QStringLiteral("Ricerca per data GG/MM/AAAA"));
    QCOMPARE(t.dialoghi.voci().front().titolo, QStringLiteral("Data ?"));
    const auto messaggi = t.dialoghi.messaggi();
    QCOMPARE(messaggi.size(), std::size_t(1));
    QCOMPARE(messaggi[0].testo, QStringLiteral("Data non trovata"));
    QCOMPARE(messaggi[0].titolo, QStringLiteral("Cerca data"));
    QCOMPARE(messaggi[0].icona, Icona::Informazione);
    t.b("Command42(2)")->click();
    QCOMPARE(hs1->value(), 100);
    QCOMPARE(t.dialoghi.messaggi().size(), std::size_t(1));
    // Command14 takes the month ordinal of draw 100; ">|" goes back to the newest draw.
    t.b("Command14")->click();
    QCOMPARE(t.w<QComboBox>("ComboPar")->currentIndex(), int(t.a->ProgressivoMese[100]));
    QCOMPARE(t.banco().mensile, int(t.a->ProgressivoMese[100]));
    t.b("Command42(0)")->click();
    QCOMPARE(hs1->value(), t.N());

    // A case becomes the reference by double-click, or by Command12 with Calcola when Ch_AA is ticked.
    t.b("Command9")->click();
    QVERIFY(workbench::grigliaFgEv(t.banco()).righe() > 3);
    t.clic("FgEv", 3, 1, true);
    QCOMPARE(hs1->value(), workbench::grigliaFgEv(t.banco()).intero(3, 1));
    t.banco().mattone(1).codice = "SOM";
    engine::impostaCella(t.banco().mattone(1), engine::colF::Tipo, "2");
    for (int c : {engine::colF::E1, engine::colF::E2})
        engine::impostaCella(t.banco().mattone(1), c, "1");
    t.banco().mattone(1).RU1 = "BA";
    t.banco().mattone(1).RU2 = "CA";
    t.w<QCheckBox>("Ch_AA")->setChecked(true);
    t.clic("FgEv", 2, 1);
    t.b("Command12")->click();
    const int d = workbench::grigliaFgEv(t.banco()).intero(2, 1);
    QCOMPARE(hs1->value(), d);
    // SOM of the first numbers of Bari and Cagliari, reduced into 1..90 by hand.
    int somma = t.a->numero(d, 0, 1) + t.a->numero(d, 1, 1);
    while (somma > 90)
        somma -= 90;
    QCOMPARE(t.w<QLabel>("Lbl0(1)")->text(), QString::number(somma));
}

void TestPiramide1::selezioni()
{
    Banco t;
    auto& b = t.banco();
    // Wheels: a click toggles, the two labels set all or none.
    t.clic("FgRG", 0, 5);
    QCOMPARE(t.sfondo("FgRG", 0, 5), 65280u);
    t.clic("FgRG", 0, 0);
    QCOMPARE(t.sfondo("FgRG", 0, 0), grid::colori::Bianco);
    t.clicEtichetta("LabelTutte");
    for (int w = 0; w < 11; ++w)
        QVERIFY(workbench::ruotaInGioco(b, w));
    t.clicEtichetta("LabelNessuna");
    for (int w = 0; w < 11; ++w)
        QVERIFY(!workbench::ruotaInGioco(b, w));
    // Positions.
    t.clicEtichetta("LblPN(1)");
    QVERIFY(!b.posizioni[1]);
    QCOMPARE(t.w<QLabel>("LblPN(1)")->property("colore").toUInt(), uint(grid::colori::Bianco));
    QCOMPARE(t.w<QLabel>("LblPN(0)")->property("colore").toUInt(), 65280u);
    // The number board: 33, 5 and 12 chosen, written in board order; typing is refused.
    for (int n : {33, 5, 12, 90})
        t.clic("FgNu", (n - 1) / 10, (n - 1) % 10);
    t.clic("FgNu", 9 - 1, 9);   // 90 again: back to white
    t.b("Command6")->click();
    auto* numeri = t.w<QLineEdit>("TxtNumeri");
    QCOMPARE(numeri->text(), QStringLiteral("05-12-33"));
    QCOMPARE(b.numeri, std::string("05-12-33"));
    numeri->setFocus();
    QTest::keyClicks(numeri, QStringLiteral("77"));
    QCOMPARE(numeri->text(), QStringLiteral("05-12-33"));
    QTest::mouseDClick(numeri, Qt::LeftButton);
    QVERIFY(numeri->text().isEmpty());
    t.b("Command8")->click();
    t.b("Command6")->click();
    QVERIFY(numeri->text().isEmpty());
    // Operators: double-click toggles, all, none, one type.
    t.b("Command23")->click();
    t.clic("FgOp", 4, 1, true);
    QCOMPARE(t.sfondo("FgOp", 4, 0), grid::colori::Rosso);
    t.clic("FgOp", 4, 1, true);
    QCOMPARE(t.sfondo("FgOp", 4, 0), grid::colori::Bianco);
    t.clic("FgOp", 6, 1);
    QVERIFY(t.w<QLabel>("Label3")->text().contains(QString::fromStdString(t.tabella("FgOp").testo(6, 7))));
    QCOMPARE(t.sfondo("FgOp", 6, 1), grid::colori::Verde);
    QCOMPARE(t.sfondo("FgOp", 1, 1), grid::colori::Bianco);
    t.clicEtichetta("LabelT(3)");
    const grid::Grid tipo3 = t.tabella("FgOp");
    for (int r = 1; r < tipo3.righe(); ++r)
        QCOMPARE(tipo3.sfondo(r, 0) == grid::colori::Rosso, tipo3.intero(r, 2) == 3);
    t.clicEtichetta("LabelT(3)");
    t.b("Command22")->click();
    const grid::Grid tutti = t.tabella("FgOp");
    for (int r = 1; r < tutti.righe(); ++r)
        QCOMPARE(tutti.sfondo(r, 0), grid::colori::Rosso);
    // Levels of ELABORA: only column 0 toggles; all and none.
    t.clic("Fg7", 2, 0);
    QCOMPARE(t.sfondo("Fg7", 2, 0), 65280u);
    t.b("Command32")->click();
    QCOMPARE(t.sfondo("Fg7", 2, 0), grid::colori::Bianco);
    t.b("Command31")->click();
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(t.sfondo("Fg7", k, 0), 65280u);
    // A sorte typed into a level is the level's; a refused one leaves it.
    auto* Fg7 = t.w<GrigliaView>("Fg7");
    auto* livelli = Fg7->modelloTabella();
    for (const char* testo : {"3", "7"})
        livelli->setData(livelli->index(4 - livelli->righeFisse(), 0), QString::fromLatin1(testo), Qt::EditRole);
    QCOMPARE(b.livelliElabora[3].sorte, 3);
    QCOMPARE(t.tabella("Fg7").testo(4, 0), std::string("3"));
    QCOMPARE(t.sfondo("Fg7", 4, 0), 65280u);
    // The grids only show the choices: a choice set in the Banco is drawn when the window shows
    // the Banco again.
    workbench::setRuotaInGioco(b, 3, true);
    workbench::setCasoCoperto(b, 1, true);
    QCOMPARE(t.sfondo("FgRG", 0, 3), grid::colori::Bianco);
    t.finestra->aggiornaVista();
    QCOMPARE(t.sfondo("FgRG", 0, 3), 65280u);
    // Brick 7 highlighted by its label: row 7 green, its number orange.
    t.clicEtichetta("Lbl0(7)");
    QCOMPARE(t.sfondo(QStringLiteral("FgF"), 7, 3), grid::colori::Verde);
    QCOMPARE(t.sfondo(QStringLiteral("FgF"), 7, 0), grid::rgb(255, 128, 0));
    QCOMPARE(t.sfondo(QStringLiteral("FgF"), 6, engine::colF::E1), grid::rgb(255, 255, 128));
    QCOMPARE(t.w<QLabel>("Lbl0(7)")->property("colore").toUInt(), uint(grid::rgb(255, 128, 0)));
    // A typed abbreviation that names no wheel is refused with the engine's message.
    auto* FgF = t.w<GrigliaView>("FgF");
    QVERIFY(!FgF->model()->setData(FgF->model()->index(6, engine::colF::RU1), QStringLiteral("XX"), Qt::EditRole));
    QCOMPARE(t.dialoghi.messaggi().size(), std::size_t(1));
    // Positions and values as the engine checks them, with its messages; the brick stays as it was.
    QVERIFY(!FgF->model()->setData(FgF->model()->index(6, engine::colF::E1), QStringLiteral("6"), Qt::EditRole));
    QVERIFY(!FgF->model()->setData(FgF->model()->index(6, engine::colF::VAL), QStringLiteral("91"), Qt::EditRole));
    QCOMPARE(t.dialoghi.messaggi().size(), std::size_t(3));
    QCOMPARE(t.dialoghi.messaggi()[1].testo, QStringLiteral("La posizione deve essere un numero da 1 a 5."));
    QCOMPARE(t.dialoghi.messaggi()[2].testo, QStringLiteral("Il valore deve essere un numero da 0 a 90."));
    QVERIFY(!b.mattone(7).E1 && !b.mattone(7).valore);
    QVERIFY(FgF->model()->setData(FgF->model()->index(6, engine::colF::E1), QStringLiteral("4"), Qt::EditRole));
    QTRY_COMPARE(b.mattone(7).E1, std::optional<int>(4));
    QVERIFY(FgF->model()->setData(FgF->model()->index(6, engine::colF::RU1), QStringLiteral("na"), Qt::EditRole));
    QTRY_COMPARE(engine::testoMattone(b.mattone(7), engine::colF::RU1), std::string("NA"));
    // A typed code takes its type (hidden by NASCONDE) from the catalogue.
    QVERIFY(FgF->model()->setData(FgF->model()->index(6, engine::colF::Tras), QStringLiteral("vert"), Qt::EditRole));
    QTRY_COMPARE(engine::testoMattone(b.mattone(7), engine::colF::Tras), std::string("VERT"));
    QCOMPARE(engine::testoMattone(b.mattone(7), engine::colF::Tipo), std::string("1"));
    // From the keyboard: F2 on brick 8's code, the code, Enter; the pyramid is computed again once the
    // editor has closed, and the grid goes on working.
    t.finestra->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.finestra.get()));
    FgF->setFocus();
    FgF->setCurrentIndex(FgF->model()->index(7, engine::colF::Tras));
    QTest::keyClick(FgF, Qt::Key_F2);
    QVERIFY(FgF->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("som"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(engine::testoMattone(b.mattone(8), engine::colF::Tras), std::string("SOM"));
    QTRY_COMPARE(QApplication::focusWidget(), FgF);
    // The arrows go on from the typed cell: Right to the first number (the type is hidden), typed straight in.
    QCOMPARE(FgF->currentIndex(), FgF->model()->index(7, engine::colF::Tras));
    QTest::keyClick(FgF, Qt::Key_Right);
    QCOMPARE(FgF->currentIndex().column(), int(engine::colF::E1));
    QTest::keyClick(FgF, Qt::Key_2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(b.mattone(8).E1, std::optional<int>(2));
}

// The sorte of a level from the keyboard: F2, the digit, Enter; a digit typed straight away, then Tab.
// The level takes it as the editor closes, without a complaint from the view; a refused digit leaves it.
void TestPiramide1::sorteDaTastiera()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("closeEditor")));
    Banco t;
    auto& b = t.banco();
    t.w<PannelloVerifiche>("SSTab3")->setCurrentIndex(PannelloVerifiche::Elabora);
    auto* Fg7 = t.w<GrigliaView>("Fg7");
    t.finestra->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(t.finestra.get()));
    Fg7->setFocus();
    auto scrivi = [&](int livello, const std::optional<Qt::Key>& primo, Qt::Key tasto, Qt::Key fine) {
        Fg7->setCurrentIndex(Fg7->model()->index(livello - 1, 0));
        if (primo)
            QTest::keyClick(Fg7, *primo);
        QTest::keyClick(primo ? QApplication::focusWidget() : Fg7, tasto);
        QVERIFY(Fg7->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), fine);
    };
    scrivi(2, Qt::Key_F2, Qt::Key_4, Qt::Key_Return);
    QTRY_COMPARE(b.livelliElabora[1].sorte, 4);
    QCOMPARE(QApplication::focusWidget(), Fg7);
    QCOMPARE(t.tabella("Fg7").testo(2, 0), std::string("4"));
    QVERIFY(!b.livelliElabora[1].incluso);
    scrivi(5, std::nullopt, Qt::Key_5, Qt::Key_Tab);
    QTRY_COMPARE(b.livelliElabora[4].sorte, 5);
    QVERIFY(QApplication::focusWidget() != Fg7 && !Fg7->isAncestorOf(QApplication::focusWidget()));
    Fg7->setFocus();
    scrivi(2, std::nullopt, Qt::Key_9, Qt::Key_Return);
    QTest::qWait(50);
    QCOMPARE(b.livelliElabora[1].sorte, 4);
    QCOMPARE(t.tabella("Fg7").testo(2, 0), std::string("4"));
    // The click still chooses the level, which keeps its sorte.
    t.clic("Fg7", 2, 0);
    QVERIFY(b.livelliElabora[1].incluso);
    QCOMPARE(t.sfondo("Fg7", 2, 0), 65280u);
    QCOMPARE(t.tabella("Fg7").testo(2, 0), std::string("4"));
}

void TestPiramide1::marcaSenzaUscite()
{
    Banco t;
    t.b("Command9")->click();
    const int casi = workbench::numeroCasi(t.banco());
    QVERIFY(casi > 0);
    // Empty FgX rows: no number can come out.
    t.b("Command39")->click();
    t.b("Command40")->click();
    t.b("Command5")->click();
    for (int r = 1; r <= casi; ++r)
        QVERIFY(t.sfondo("FgEv", r, 0) != workbench::colori::Selezione);
    QVERIFY(t.dialoghi.messaggi().empty());
}

// The cases and the report are shown from the Banco's rows, cell for cell as the command line prints
// them; MARCA, its reset and ELABORA change what the views show, nothing else does.
void TestPiramide1::tabelleDelleVerifiche()
{
    Banco t;
    auto& b = t.banco();
    t.b("Command9")->click();
    const int casi = workbench::numeroCasi(b);
    QVERIFY(casi > 2);
    const auto tabella = [&t](const char* nome) { return t.w<GrigliaView>(QString::fromLatin1(nome))->modelloTabella()->testoTabella(); };
    QVERIFY(uguali(tabella("FgEv"), workbench::grigliaFgEv(b)));
    QCOMPARE(tabella("FgEv").sfondo(1, 1), workbench::colori::GialloPallido);
    QVERIFY(tabella("FgEv").grassetto(1, 3));

    // Each case plays the two numbers that follow the first two of its draw on the base wheel.
    for (int r = 1; r <= casi; ++r)
        for (int c = 1; c <= 2; ++c)
            workbench::impostaNumeroCaso(b, r, c, t.a->numero(workbench::drawCaso(b, r), b.ruotaBase, c) % 90 + 1);
    t.w<QComboBox>("ComboLivello")->setCurrentIndex(0);
    t.b("Command40")->click();
    QVERIFY(!b.righeVerifica.empty());
    QVERIFY(uguali(tabella("FgL"), workbench::grigliaFgL(b)));
    QCOMPARE(tabella("FgX").testo(1, 1), QString::number(workbench::numeroDelCaso(b, 1, 1)).toStdString());
    QCOMPARE(tabella("Fg_E").testo(1, workbench::colE::Casi), std::to_string(casi));
    QCOMPARE(tabella("Fg_E").sfondo(1, workbench::colE::Pos), grid::colori::Bianco);   // VERIFICA's summary: no colours

    // MARCA greens the covered cases in column 0, "Azzera grid" whitens them again.
    t.b("Command5")->click();
    for (int r = 1; r <= casi; ++r)
        QCOMPARE(t.sfondo("FgEv", r, 0), workbench::casoCoperto(b, r) ? workbench::colori::Selezione : grid::colori::Bianco);
    QVERIFY(b.riepilogo && b.riepilogo->positivi > 0);
    t.b("Command4")->click();
    for (int r = 1; r <= casi; ++r)
        QCOMPARE(t.sfondo("FgEv", r, 0), grid::colori::Bianco);

    // A double click on an FgX column empties it in the view as in the Banco.
    t.clic("FgX", 1, 2, true);
    QCOMPARE(workbench::numeroDelCaso(b, 1, 2), 0);
    QCOMPARE(tabella("FgX").testo(1, 2), std::string());

    // ELABORA on level 1 (brick 1: the first number of Bari): FgY holds the level's rows, Fg10 the first hits.
    b.mattone(1).codice = "FIX";
    engine::impostaCella(b.mattone(1), engine::colF::Tipo, "3");
    engine::impostaCella(b.mattone(1), engine::colF::E1, "1");
    b.mattone(1).RU1 = "BA";
    engine::impostaCella(b.mattone(1), engine::colF::VAL, "0");
    t.clic("Fg7", 1, 0);
    t.b("Command27")->click();
    QCOMPARE(t.w<GrigliaView>("FgY")->model()->rowCount(), static_cast<int>(b.righeElabora.size()));
    QCOMPARE(t.w<GrigliaView>("Fg10")->model()->rowCount(), static_cast<int>(b.righePrimoColpo.size()));
    QCOMPARE(tabella("FgY").testo(1, workbench::colY::Livello), std::string("1"));
    QCOMPARE(tabella("Fg_E").testo(1, workbench::colE::Casi), std::to_string(casi));
    QCOMPARE(tabella("Fg_E").sfondo(1, workbench::colE::Pos), workbench::colori::VerdeChiaro);
    QVERIFY(t.dialoghi.messaggi().empty());
}

void TestPiramide1::serata()
{
    Banco t;
    auto& b = t.banco();
    // Bari, Napoli and Roma in play, positions 1 and 2, Numeri detection of 3 numbers.
    for (int w : {5, 7})
        t.clic("FgRG", 0, w);
    for (int k : {2, 3, 4})
        t.clicEtichetta(QStringLiteral("LblPN(%1)").arg(k));
    t.w<QComboBox>("ComboNC")->setCurrentText(QStringLiteral("30"));
    t.w<QComboBox>("Combo3")->setCurrentText(QStringLiteral("10"));
    t.b("Command9")->click();
    QCOMPARE(workbench::numeroCasi(b), 30);
    QCOMPARE(t.w<QTabWidget>("SSTab3")->currentIndex(), 0);

    // Operators of types 1, 2 and 4; AMBATE off the interface thread.
    t.clicEtichetta("LabelT(2)");
    t.clicEtichetta("LabelT(4)");
    workbench::Banco atteso = b;
    t.cerca(QStringLiteral("Cmd_Step1"));
    QCOMPARE(t.finestra->ricercaInCorso(), false);
    QVERIFY(t.dialoghi.messaggi().empty());
    QCOMPARE(b.List1.size(), std::size_t(2));
    // The same settings through the library give the same grid.
    workbench::cercaAmbate(atteso, *t.a);
    QVERIFY(uguali(b.FgEsiti, atteso.FgEsiti));
    // After the window's own columns, what chance alone would score; then, in the
    // background, the best of the same search on random cases under the grid.
    QCOMPARE(b.FgEsiti.testo(0, 13), std::string("Attesi"));
    QCOMPARE(b.FgEsiti.testo(0, 14), std::string("p"));
    QVERIFY(!b.FgEsiti.testo(1, 13).empty());
    t.finestra->aspettaConfrontoCaso();
    const QString caso = t.w<QLabel>("LblMiglioreACaso")->text();
    QVERIFY2(caso.startsWith(QStringLiteral("Migliore a caso (20 prove su 30 casi, ")), qPrintable(caso));
    const auto impCaso = workbench::leggiImpostazioniRicerca(atteso, workbench::TipoRicerca::Ambate);
    QCOMPARE(caso, QString::fromStdString(workbench::testoMiglioreACaso(
                       workbench::miglioreACaso(impCaso, *t.a, b.FgEsiti.intero(1, 1), 20, 1))));
    // pb1 reached the last operator row and both bars were emptied at the end.
    QVERIFY(!t.pb1.passi.empty());
    QCOMPARE(t.pb1.passi.back().second, int(b.operatori.size()));
    QCOMPARE(t.pb1.passi.back().first, int(b.operatori.size()));
    QCOMPARE(t.pb1.azzerata, 1);
    QCOMPARE(t.pb2.azzerata, 1);
    // "Copia tabella" puts the whole grid on the clipboard; a cancelled print changes nothing.
    t.b("Command18")->click();
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(b.FgEsiti.comeTesto()));
    t.b("Command16")->click();
    // The copy is FgX's own text: its header, then each case's row and numbers.
    std::string fgX(workbench::intestazioni::FgX);
    std::replace(fgX.begin(), fgX.end(), '|', '\t');
    fgX += "\r\n";
    for (const workbench::RigaNumeriCaso& riga : workbench::righeFgX(b)) {
        for (int c = 0; c < 6; ++c)
            fgX += (c ? "\t" : "") + workbench::testoFgX(riga, c);
        fgX += "\r\n";
    }
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(fgX));
    t.dialoghi.risposteStampante = {false};
    t.b("Command20")->click();
    QCOMPARE(t.dialoghi.voci().back().tipo, DialoghiScriptati::Tipo::Stampante);
    QVERIFY(!b.FgEsiti.testo(1, 3).empty());
    QVERIFY(b.FgEsiti.intero(1, 1) >= b.FgEsiti.intero(2, 1));

    // The best formula into brick 1, Calcola, VERIFICA in slot 1.
    t.clic("FgEsiti", 1, 3);
    t.clicEtichetta("Lbl0(1)");
    t.b("Command21")->click();
    const int mappa[9][2] = {{3, 3}, {4, 8}, {5, 4}, {6, 5}, {7, 6}, {8, 9}, {9, 10}, {10, 11}, {11, 12}};
    for (const auto& [brick, esito] : mappa)
        QCOMPARE(engine::testoMattone(b.mattone(1), brick), b.FgEsiti.testo(1, esito));
    t.b("Command2")->click();
    QVERIFY(!t.w<QLabel>("Lbl0(1)")->text().isEmpty());
    t.b("Cmd_Colonna(1)")->click();
    QCOMPARE(engine::testoMattone(b.rigaFg5(1), 3), b.FgEsiti.testo(1, 3));
    QVERIFY(t.w<GrigliaView>("FgL")->model()->rowCount() >= workbench::numeroCasi(b));
    t.b("Command40")->click();
    const grid::Grid riepilogo = t.w<GrigliaView>("Fg_E")->modelloTabella()->testoTabella();
    QCOMPARE(riepilogo.intero(1, workbench::colE::Casi), 30);
    const int coperti = riepilogo.intero(1, workbench::colE::Pos);
    t.b("Command5")->click();
    int marcati = 0;
    for (int r = 1; r <= 30; ++r)
        marcati += t.sfondo("FgEv", r, 0) == workbench::colori::Selezione;
    QCOMPARE(marcati, coperti);
    QVERIFY(t.dialoghi.messaggi().empty());

    // Save, reset, reload, delete.
    const std::string brick1 = engine::testoMattone(b.mattone(1), 3);
    const QString etichetta1 = t.w<QLabel>("Lbl0(1)")->text();
    t.w<QLineEdit>("Txt_Denominazione")->setText(QStringLiteral("Serata di prova"));
    t.b("Command11")->click();
    const int riga = rigaDi(t.tabella("FgPir1"), 2, "Serata di prova");
    QVERIFY(riga >= 1);
    t.b("Command19")->click();
    QVERIFY(engine::testoMattone(b.mattone(1), 3).empty());
    t.clicEtichetta("LabelTutte");
    t.b("Command42(0)")->click();
    t.clic("FgPir1", riga, 2, true);
    QCOMPARE(engine::testoMattone(b.mattone(1), 3), brick1);
    QCOMPARE(t.w<QLabel>("Lbl0(1)")->text(), etichetta1);
    for (int w = 0; w < 11; ++w)
        QCOMPARE(workbench::ruotaInGioco(b, w), w == 0 || w == 5 || w == 7);
    QCOMPARE(t.w<QComboBox>("ComboNC")->currentText(), QStringLiteral("30"));
    QCOMPARE(t.w<QComboBox>("Combo3")->currentText(), QStringLiteral("10"));
    QCOMPARE(t.w<QLabel>("LblPN(3)")->property("colore").toUInt(), uint(grid::colori::Bianco));
    QCOMPARE(workbench::numeroCasi(b), 30);
    QVERIFY(t.dialoghi.messaggi().empty());
    t.dialoghi.risposteSiNo = {false, true};
    t.clic("FgPir1", riga, 2);
    t.b("Command13")->click();
    QVERIFY(rigaDi(t.tabella("FgPir1"), 2, "Serata di prova") >= 1);
    t.b("Command13")->click();
    QCOMPARE(rigaDi(t.tabella("FgPir1"), 2, "Serata di prova"), -1);
    // The list shown again: no row chosen, Cancella asks nothing until one is.
    QCOMPARE(t.finestra->pannello().configurazioneScelta, 0);
    const auto voci = t.dialoghi.voci().size();
    t.b("Command13")->click();
    QCOMPARE(t.dialoghi.voci().size(), voci);
    const auto domande = t.dialoghi.voci();
    QCOMPARE(domande[domande.size() - 2].titolo, QStringLiteral("Cancellazione record"));
    QVERIFY(domande[domande.size() - 2].testo.startsWith(QStringLiteral("Cancellare la riga: ")));
    QCOMPARE(t.dialoghi.messaggi().back().testo, QStringLiteral("Record eliminato."));

    // ABBINAMENTI after the verification of level 1: FgX holds the brick's numbers.
    t.clicEtichetta("Lbl_Riga(1)");
    QVERIFY(b.numeriCasi.at(1)[0].has_value());
    t.w<QRadioButton>("Option1")->setChecked(true);
    atteso = b;
    t.cerca(QStringLiteral("Command38"));
    workbench::cercaAbbinamenti(atteso, *t.a, workbench::SorteAmbo);
    QVERIFY(uguali(b.FgGr, atteso.FgGr));
    QCOMPARE(t.w<QTabWidget>("SSTab2")->currentIndex(), 1);

    // A search cancelled half-way: every operator, stopped at once; the grid as it was.
    t.b("Command22")->click();
    const grid::Grid prima = b.FgEsiti;
    const auto list1 = b.List1;
    QSignalSpy fine(t.finestra.get(), &Piramide1::ricercaFinita);
    t.b("Cmd_Step1")->click();
    QVERIFY(t.finestra->ricercaInCorso());
    QVERIFY(t.b("CmdAnnulla")->isEnabled());
    QVERIFY(!t.b("Command9")->isEnabled());
    QVERIFY(!t.w<QWidget>("hs1")->isEnabled());
    t.b("CmdAnnulla")->click();
    QVERIFY(fine.count() == 1 || fine.wait(5000));
    QVERIFY(uguali(b.FgEsiti, prima));
    QCOMPARE(b.List1, list1);
    QVERIFY(t.b("Command9")->isEnabled());
    QVERIFY(!t.b("CmdAnnulla")->isEnabled());
    QCOMPARE(t.dialoghi.messaggi().back().testo, QStringLiteral("Record eliminato."));
    // The natural main window (1280x820) leaves about 940x760 to its tool windows: after a
    // whole evening the window still needs no more.
    const QSize minimo = t.w<QWidget>("contenuto")->minimumSizeHint();
    QVERIFY2(minimo.width() <= 940 && minimo.height() <= 720, qPrintable(QStringLiteral("%1x%2").arg(minimo.width()).arg(minimo.height())));
}

void TestPiramide1::chiusuraDuranteRicerca()
{
    Banco t;
    t.clicEtichetta("LabelTutte");
    t.b("Command9")->click();
    t.b("Command22")->click();
    t.b("Cmd_Step1")->click();
    QVERIFY(t.finestra->ricercaInCorso());
    // FINE stops every running work before it closes the files: the grid stays as it was.
    const grid::Grid prima = t.banco().FgEsiti;
    LavoroDiFondo::fermaTutti();
    QVERIFY(!t.finestra->ricercaInCorso());
    QVERIFY(uguali(t.banco().FgEsiti, prima));
    QVERIFY(t.b("Command9")->isEnabled());
    // Closing stops the search and waits for it: nothing is left reading the archive.
    t.b("Cmd_Step1")->click();
    QVERIFY(t.finestra->ricercaInCorso());
    QVERIFY(t.finestra->close());
    QVERIFY(!t.finestra->ricercaInCorso());
    QVERIFY(t.dialoghi.messaggi().empty());
}

// The result tables show the Banco's rows with the cells, colours and bold of the grid the CLI
// prints; a click on a row chooses it for the commands, again after new results; the reference
// draw colours the references of the highlighted brick; FgC chooses the destination brick.
void TestPiramide1::tabelleDelleRighe()
{
    Banco t;
    auto& b = t.banco();
    t.clicEtichetta("LabelTutte");
    t.b("Command9")->click();
    t.cerca(QStringLiteral("Cmd_Step1"));
    QVERIFY(t.dialoghi.messaggi().empty());
    const auto* esiti = t.finestra->findChild<PannelloEsiti*>();
    QVERIFY(esiti);
    const grid::Grid mostrata = esiti->modelloEsiti().testoTabella();
    QVERIFY(uguali(mostrata, b.FgEsiti));
    QCOMPARE(mostrata.testo(0, workbench::ColonnaPrevisione), std::string("Ambata"));
    QVERIFY(!mostrata.testo(1, workbench::colEsiti::P).empty());
    QVERIFY(!mostrata.testo(1, workbench::ColonnaPrevisione).empty());
    for (int c = 1; c < b.FgEsiti.colonne(); ++c)
        QCOMPARE(mostrata.colonna(c).nascosta, b.FgEsiti.colonna(c).nascosta);

    // A row with a first reference only: Imposta puts it in brick 1, whose reference is then yellow.
    int r = 1;
    while (r <= int(b.esiti.size()) && !(b.esiti[std::size_t(r - 1)].r1 && b.esiti[std::size_t(r - 1)].p1 &&
                                         !b.esiti[std::size_t(r - 1)].r2))
        ++r;
    QVERIFY(r <= int(b.esiti.size()));
    const workbench::RigaEsito scelta = b.esiti[std::size_t(r - 1)];
    t.clic("FgEsiti", r, workbench::colEsiti::Formula);
    QCOMPARE(b.esitoScelto, r);
    t.clicEtichetta("Lbl0(1)");
    t.b("Command21")->click();
    QCOMPARE(engine::testoMattone(b.mattone(1), engine::colF::Tras), scelta.formula);
    t.clicEtichetta("Lbl0(1)");
    const grid::Grid estratti = t.finestra->findChild<PannelloPiramide*>()->modelloEstratti().testoTabella();
    QCOMPARE(estratti.sfondo(*scelta.r1 + 1, *scelta.p1), workbench::coloriMattone::PrimoRiferimento);
    QCOMPARE(estratti.intero(*scelta.r1 + 1, *scelta.p1), int(t.a->numero(b.riferimento, *scelta.r1, *scelta.p1)));

    // New results choose no row and the view stands on none: the same row is chosen again by a click.
    t.cerca(QStringLiteral("Cmd_Step1"));
    QCOMPARE(b.esitoScelto, 0);
    QVERIFY(!t.w<GrigliaView>("FgEsiti")->currentIndex().isValid());
    t.clic("FgEsiti", r, workbench::colEsiti::Formula);
    QCOMPARE(b.esitoScelto, r);

    t.w<QTabWidget>("SSTab1")->setCurrentIndex(1);
    t.clic("FgC", 0, 6);
    QCOMPARE(t.finestra->pannello().destinazione, 7);
}

void TestPiramide1::colonnaAmbata()
{
    Banco t;
    auto& b = t.banco();
    t.clicEtichetta("LabelTutte");
    t.b("Command9")->click();
    // Only NUM (type 1): the formula of Ru1 and P1 is the number drawn there.
    t.b("Command23")->click();
    const int num = rigaOperatore(b, "NUM");
    QVERIFY(num > 0);
    t.clic("FgOp", num, 1, true);
    t.cerca(QStringLiteral("Cmd_Step1"));
    QVERIFY(t.dialoghi.messaggi().empty());
    const int c = workbench::ColonnaPrevisione;
    QCOMPARE(b.FgEsiti.testo(0, c), std::string("Ambata"));
    const int R = b.riferimento;
    int righe = 0;
    for (int r = 1; r < b.FgEsiti.righe() && !b.FgEsiti.testo(r, 3).empty(); ++r, ++righe) {
        QCOMPARE(b.FgEsiti.testo(r, 3), std::string("NUM"));
        const int ruota = b.FgEsiti.intero(r, 5), posizione = b.FgEsiti.intero(r, 4);
        // By hand: NUM of a wheel and a position is the number drawn there on the reference.
        QCOMPARE(b.FgEsiti.intero(r, c), int(t.a->numero(R, ruota, posizione)));
    }
    QVERIFY(righe >= 10);
    // Beside the formula, in view without scrolling.
    auto* vista = t.w<GrigliaView>("FgEsiti");
    QCOMPARE(vista->horizontalHeader()->visualIndex(c), vista->horizontalHeader()->visualIndex(3) + 1);
    QVERIFY(vista->columnViewportPosition(c) + vista->columnWidth(c) <= vista->viewport()->width());
    QVERIFY(!vista->model()->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty());
    QVERIFY(vista->model()->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString().startsWith(QStringLiteral("Tot")));

    // The engine on the same formula: into brick 1, Calcola, the brick shows the ambata.
    t.clic("FgEsiti", 3, 3);
    t.clicEtichetta("Lbl0(1)");
    t.b("Command21")->click();
    t.b("Command2")->click();
    QCOMPARE(t.w<QLabel>("Lbl0(1)")->text(), QString::fromStdString(b.FgEsiti.testo(3, c)));
    // Moving the reference recomputes the pyramid at once.
    t.w<QScrollBar>("hs1")->setValue(R - 1);
    QCOMPARE(t.w<QLabel>("Lbl0(1)")->text(), QString::number(t.a->numero(R - 1, b.FgEsiti.intero(3, 5), b.FgEsiti.intero(3, 4))));
    QVERIFY(t.dialoghi.messaggi().empty());
}

void TestPiramide1::casiNonScaduti()
{
    Banco t;
    auto& b = t.banco();
    t.b("Command9")->click();
    QCOMPARE(workbench::numeroCasi(b), 12);
    // N° casi changed after RICAVA ESTRAZIONI: AMBATE first derives the cases again.
    t.w<QComboBox>("ComboNC")->setCurrentText(QStringLiteral("20"));
    t.cerca(QStringLiteral("Cmd_Step1"));
    QCOMPARE(workbench::numeroCasi(b), 20);
    QCOMPARE(t.w<GrigliaView>("FgX")->model()->rowCount(), 20);
    QVERIFY(t.w<QLabel>("LabelRicerca")->text().contains(QStringLiteral("Casi ricavati di nuovo (20)")));
    QVERIFY(t.dialoghi.messaggi().empty());
    // The comparison line belongs to the AMBATE tab.
    t.finestra->aspettaConfrontoCaso();
    auto* tab = t.w<QTabWidget>("SSTab2");
    QCOMPARE(tab->currentIndex(), 0);
    QVERIFY(t.w<QLabel>("LblMiglioreACaso")->isVisible());
    tab->setCurrentIndex(1);
    QVERIFY(!t.w<QLabel>("LblMiglioreACaso")->isVisible());
    tab->setCurrentIndex(0);
    QVERIFY(t.w<QLabel>("LblMiglioreACaso")->isVisible());

    // Nothing changed: no new derivation, the cases keep their marks.
    const grid::Grid casi = workbench::grigliaFgEv(b);
    t.w<QLabel>("LabelRicerca")->clear();
    t.b("Command40")->click();
    QVERIFY(uguali(workbench::grigliaFgEv(b), casi));
    QVERIFY(t.w<QLabel>("LabelRicerca")->text().isEmpty());

    // A reference moved back: VERIFICA works on the cases before the new reference.
    const int R = b.riferimento - 40;
    t.w<QScrollBar>("hs1")->setValue(R);
    t.b("Command40")->click();
    QCOMPARE(workbench::numeroCasi(b), 20);
    for (int r = 1; r <= 20; ++r)
        QVERIFY(workbench::drawCaso(b, r) <= R);
    QVERIFY(workbench::drawCaso(b, 1) != casi.intero(1, 1));
    // The wheels in play changed: the same cases come back, FgX and the marks are kept.
    t.b("Command5")->click();
    const grid::Grid marcati = workbench::grigliaFgEv(b);
    t.clic("FgRG", 0, 3);
    t.cerca(QStringLiteral("Cmd_Step1"));
    QVERIFY(uguali(workbench::grigliaFgEv(b), marcati));
    QVERIFY(t.w<QLabel>("LabelRicerca")->text().contains(QStringLiteral("ricavati di nuovo")));
}

void TestPiramide1::messaggiInveceDelSilenzio()
{
    Banco t;
    auto& b = t.banco();
    auto ultimo = [&t] { return t.dialoghi.messaggi().back(); };
    // AMBATE before any case.
    t.b("Cmd_Step1")->click();
    QVERIFY(!t.finestra->ricercaInCorso());
    QCOMPARE(t.dialoghi.messaggi().size(), std::size_t(1));
    QCOMPARE(ultimo().testo, QStringLiteral("Nessun caso su cui cercare: premere prima RICAVA ESTRAZIONI."));
    QCOMPARE(ultimo().titolo, QStringLiteral("Avviso"));
    // No operator chosen.
    t.b("Command9")->click();
    t.b("Command23")->click();
    t.b("Cmd_Step1")->click();
    QVERIFY(!t.finestra->ricercaInCorso());
    QCOMPARE(ultimo().testo,
             QStringLiteral("Nessun operatore scelto: sceglierne almeno uno nella scheda Operatori (doppio clic o tipo)."));
    // Imposta with no result row, then with no brick.
    t.b("Command21")->click();
    QCOMPARE(ultimo().testo, QStringLiteral("Nessuna formula scelta: selezionare una riga dei risultati prima di Imposta."));
    t.clicEtichetta("LabelT(1)");
    t.cerca(QStringLiteral("Cmd_Step1"));
    const auto messaggi = t.dialoghi.messaggi().size();
    t.clic("FgEsiti", 1, 3);
    t.b("Command21")->click();
    QCOMPARE(t.dialoghi.messaggi().size(), messaggi + 1);
    QCOMPARE(ultimo().testo,
             QStringLiteral("Nessun mattone scelto: selezionare il mattone della piramide che riceve la formula."));
    QVERIFY(engine::testoMattone(b.mattone(1), engine::colF::Tras).empty());
    // ELABORA with no level chosen.
    t.b("Command32")->click();
    t.b("Command27")->click();
    QCOMPARE(ultimo().testo, QStringLiteral("Nessun livello scelto: segnare in verde almeno un livello prima di ELABORA."));
    // ABBINAMENTI: nothing to join, then a terno from a level of one number.
    t.w<QTabWidget>("SSTab2")->setCurrentIndex(1);
    t.b("Command38")->click();
    QCOMPARE(ultimo().testo, QStringLiteral("Nessun numero dei casi da abbinare: verificare prima un livello della piramide."));
    t.clicEtichetta("Lbl0(1)");
    t.b("Command21")->click();
    t.clicEtichetta("Lbl_Riga(1)");
    t.w<QRadioButton>("Option2")->setChecked(true);
    const auto primaTerno = t.dialoghi.messaggi().size();
    t.b("Command38")->click();
    QVERIFY(!t.finestra->ricercaInCorso());
    QCOMPARE(t.dialoghi.messaggi().size(), primaTerno + 1);
    QCOMPARE(ultimo().testo, QStringLiteral("La sorte 3 chiede almeno 2 numeri per caso, ma il livello verificato ne dà 1."));
    // The ambo from the same level runs.
    t.w<QRadioButton>("Option1")->setChecked(true);
    t.cerca(QStringLiteral("Command38"));
    QCOMPARE(t.dialoghi.messaggi().size(), primaTerno + 1);
    QCOMPARE(b.FgGr.testo(0, workbench::ColonnaPrevisione), std::string("Abbinato"));

    // A cancelled search says so beside the results it left.
    t.w<QTabWidget>("SSTab2")->setCurrentIndex(0);
    const grid::Grid prima = b.FgEsiti;
    t.clicEtichetta("LabelTutte");
    t.b("Command22")->click();
    QSignalSpy fine(t.finestra.get(), &Piramide1::ricercaFinita);
    t.b("Cmd_Step1")->click();
    QVERIFY(t.finestra->ricercaInCorso());
    t.b("CmdAnnulla")->click();
    QVERIFY(fine.count() == 1 || fine.wait(60000));
    QVERIFY(uguali(b.FgEsiti, prima));
    QCOMPARE(t.w<QLabel>("LblEsitoRicerca")->text(), QStringLiteral("Ricerca annullata: risultati della ricerca precedente"));
    QVERIFY(t.w<QLabel>("LblEsitoRicerca")->isVisible());
    // TxtNumeri takes no typing, paste or delete.
    auto* numeri = t.w<QLineEdit>("TxtNumeri");
    QVERIFY(numeri->isReadOnly());
}

void TestPiramide1::serataDaTastiera()
{
    Banco t;
    auto& b = t.banco();
    QWidget* f = t.finestra.get();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    // Tab from the reference bar until `w` has the focus; every widget met once at most.
    auto tabFino = [f](QWidget* w) {
        QSet<QWidget*> visti;
        for (int i = 0; i < 400 && QApplication::focusWidget() != w; ++i) {
            QWidget* ora = QApplication::focusWidget();
            if (ora && visti.contains(ora)) {
                qWarning("Tab torna a %s", qPrintable(ora->objectName()));
                for (auto* x : visti)
                    qWarning("  %s %s", x->metaObject()->className(), qPrintable(x->objectName()));
                return false;
            }
            if (ora)
                visti.insert(ora);
            QTest::keyClick(ora ? ora : f, Qt::Key_Tab);
        }
        return QApplication::focusWidget() == w;
    };
    t.w<QScrollBar>("hs1")->setFocus();
    // RICAVA ESTRAZIONI by its focused button and Enter.
    QVERIFY(tabFino(t.b("Command9")));
    QTest::keyClick(t.b("Command9"), Qt::Key_Return);
    QCOMPARE(workbench::numeroCasi(b), 12);
    // A position by Space on its row of labels: one Tab stop, the arrows inside.
    t.w<QScrollBar>("hs1")->setFocus();
    QVERIFY(tabFino(t.w<QLabel>("LblPN(0)")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), t.w<QLabel>("LblPN(1)"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(!b.posizioni[1]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(b.posizioni[1]);
    // A wheel in play by Space in its grid.
    QVERIFY(tabFino(t.w<GrigliaView>("FgRG")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(workbench::ruotaInGioco(b, 1));
    // AMBATE by its mnemonic (the wheels changed: the cases are derived again first).
    QSignalSpy fine(t.finestra.get(), &Piramide1::ricercaFinita);
    QTest::keyClick(f, Qt::Key_A, Qt::AltModifier);
    QVERIFY(fine.count() == 1 || fine.wait(60000));
    QVERIFY(!b.FgEsiti.testo(1, 3).empty());
    // The best row, brick 1 by the arrows in FgF, Imposta, Calcola: all from the keyboard.
    // Entering a grid makes its first cell current; the arrows move from there.
    QVERIFY(tabFino(t.w<GrigliaView>("FgEsiti")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(b.esitoScelto, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(b.esitoScelto, 1);
    QVERIFY(tabFino(t.w<GrigliaView>("FgF")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(b.mattoneCorrente, 1);
    // A mnemonic presses its button as a click does, a moment later.
    QTest::keyClick(f, Qt::Key_I, Qt::AltModifier);
    QTRY_COMPARE(engine::testoMattone(b.mattone(1), engine::colF::Tras), b.FgEsiti.testo(1, 3));
    QTest::keyClick(f, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(t.w<QLabel>("Lbl0(1)")->text(), QString::fromStdString(b.FgEsiti.testo(1, workbench::ColonnaPrevisione)));
    QVERIFY(t.dialoghi.messaggi().empty());
    // F1 opens this window's help page.
    int pagina = 0;
    t.contesto.apriHelp = [&pagina](int n, QWidget*) { pagina = n; };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(pagina, Piramide1::ContestoHelp);
}

void TestPiramide1::ordineDelTab()
{
    Banco t;
    QWidget* f = t.finestra.get();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    // Tab from the first button of the reference bar round the whole window, once.
    QList<QWidget*> giro;
    t.b("Command42(0)")->setFocus();
    for (int i = 0; i < 400; ++i) {
        QWidget* ora = QApplication::focusWidget();
        if (!ora || giro.contains(ora))
            break;
        giro << ora;
        QTest::keyClick(ora, Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), giro.value(0));
    // The reference bar (its scroll bar after its buttons: Page Up/Down there move the
    // reference), the page on the left, the results, the cases, then the pyramid; each row
    // of labels one stop.
    const QStringList tappe = {"Command42(0)", "Command14", "hs1", "CmdGuida", "ComboR1", "FgRG", "LabelTutte",
                               "LblPN(0)", "Command9", "Cmd_Step1", "FgEsiti", "Command21", "FgEv", "Command12",
                               "FgF", "Command2", "Ch_AA"};
    int prima = -1;
    for (const QString& nome : tappe) {
        const int dove = giro.indexOf(t.w<QWidget>(nome));
        QVERIFY2(dove > prima, qPrintable(nome));
        prima = dove;
    }
    for (const char* nome : {"LabelNessuna", "LblPN(1)", "Lbl0(1)", "CmdAnnulla", "List1"})
        QVERIFY2(!giro.contains(t.w<QWidget>(QString::fromLatin1(nome))), nome);
}

// The Alt letters of the buttons (and labelled boxes) in sight, by letter.
QMap<QChar, QStringList> lettereInVista(QWidget* f)
{
    QMap<QChar, QStringList> lettere;
    for (QWidget* w : f->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        QString testo;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            testo = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            testo = l->text();
        for (int i = testo.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < testo.size(); i = testo.indexOf(QLatin1Char('&'), i + 2))
            if (testo[i + 1] != QLatin1Char('&')) {
                lettere[testo[i + 1].toUpper()] << w->objectName();
                break;
            }
    }
    return lettere;
}

// Only the keyboard: Alt+R from another page, AMBATE from its button, a row and "Gioca
// l'ambata" from the menu key, a Convalida started and stopped with Escape; the focus in
// the workbench at every step and back on the control that started a long command. No Alt
// letter twice among the commands in sight, whatever pages show.
void TestPiramide1::tastieraNelBanco()
{
    Banco t;
    QWidget* f = t.finestra.get();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    const auto dentro = [f] {
        QWidget* w = QApplication::focusWidget();
        return w && f->isAncestorOf(w);
    };
    auto* sinistra = t.w<QTabWidget>("SSTab1");
    auto* risultati = t.w<QTabWidget>("SSTab2");
    auto* verifiche = t.w<QTabWidget>("SSTab3");
    for (int s = 0; s < sinistra->count(); ++s)
        for (int r = 0; r < risultati->count(); ++r)
            for (int v = 0; v < verifiche->count(); ++v) {
                sinistra->setCurrentIndex(s);
                risultati->setCurrentIndex(r);
                verifiche->setCurrentIndex(v);
                const auto lettere = lettereInVista(f);
                for (auto i = lettere.cbegin(); i != lettere.cend(); ++i)
                    QVERIFY2(i.value().size() == 1 && i.key() != QLatin1Char('R'),
                             qPrintable(QStringLiteral("Alt+%1: %2").arg(i.key()).arg(i.value().join(QLatin1Char(' ')))));
            }
    risultati->setCurrentIndex(0);
    verifiche->setCurrentIndex(0);

    // Alt+R with the Operatori page in front.
    sinistra->setCurrentIndex(1);
    t.b("Command42(0)")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
    QVERIFY(workbench::grigliaFgEv(t.banco()).righe() > 1);
    QVERIFY(dentro());

    // AMBATE by Space on its button: the focus waits on Annulla ricerca, then comes back.
    QSignalSpy fine(t.finestra.get(), &Piramide1::ricercaFinita);
    t.b("Cmd_Step1")->setFocus();
    QTest::keyClick(t.b("Cmd_Step1"), Qt::Key_Space);
    if (t.finestra->ricercaInCorso())
        QCOMPARE(QApplication::focusWidget(), t.b("CmdAnnulla"));
    QVERIFY(fine.count() == 1 || fine.wait(60000));
    QCOMPARE(QApplication::focusWidget(), t.b("Cmd_Step1"));

    // The first row, and "Gioca l'ambata" from the menu key.
    auto* esiti = t.w<GrigliaView>("FgEsiti");
    esiti->setFocus();
    QTest::keyClick(esiti, Qt::Key_Down);
    QVERIFY(esiti->currentIndex().isValid());
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->findChild<QAction*>(QStringLiteral("GiocaAmbata"))->trigger();
        menu->close();
    });
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(5, 5), esiti->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(esiti->viewport(), &menu);
    const auto giocate = plays::leggiGiocate(t.sessione.dbProgramma());
    QCOMPARE(giocate.size(), std::size_t{1});
    QVERIFY(giocate[0].finoAllaPrimaVincita);
    const std::string formula = t.banco().FgEsiti.testo(esiti->currentIndex().row() + 1, workbench::colEsiti::Formula);
    QVERIFY2(giocate[0].note.find("formula " + formula) != std::string::npos, giocate[0].note.c_str());
    QVERIFY(giocate[0].note.find("riferimento " + std::to_string(t.N())) != std::string::npos);
    // The offscreen platform activates no window after a popup: the window's own focus is checked.
    QCOMPARE(f->focusWidget(), static_cast<QWidget*>(esiti));
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    QVERIFY(dentro());

    // Convalida over a long range, every operator, stopped with Escape.
    for (int tipo = 2; tipo <= 7; ++tipo)
        t.finestra->sceltaTipo(tipo);
    auto* pagina = f->findChild<PaginaConvalida*>();
    risultati->setCurrentWidget(pagina);
    t.w<QSpinBox>("ConvDal")->setValue(1000);
    QSignalSpy finita(pagina, &PaginaConvalida::finita);
    auto* convalida = t.b("CmdConvalida");
    convalida->setFocus();
    QTest::keyClick(convalida, Qt::Key_Space);
    QVERIFY(pagina->inCorso());
    QCOMPARE(QApplication::focusWidget(), t.b("CmdAnnullaConvalida"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(finita.count() == 1 || finita.wait(5000));
    QCOMPARE(t.w<QLabel>("LblConvalidaStato")->text(), QStringLiteral("Convalida annullata: i risultati precedenti restano."));
    QCOMPARE(QApplication::focusWidget(), convalida);
    // Ctrl+Page Down in the range box turns the page, not the value; Ctrl+Page Up turns it back.
    t.w<QSpinBox>("ConvAl")->setFocus();
    const int al = t.w<QSpinBox>("ConvAl")->value();
    const int paginaConvalida = risultati->currentIndex();
    QTest::keyClick(t.w<QSpinBox>("ConvAl"), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(t.w<QSpinBox>("ConvAl")->value(), al);
    QCOMPARE(risultati->currentIndex(), (paginaConvalida + 1) % risultati->count());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(risultati->currentIndex(), paginaConvalida);
    QCOMPARE(t.w<QSpinBox>("ConvAl")->value(), al);
    // Each tab widget turns its own pages only, from the last one round to the first.
    sinistra->setCurrentIndex(sinistra->count() - 1);
    verifiche->setCurrentIndex(0);
    for (auto* c : sinistra->currentWidget()->findChildren<QWidget*>())
        if (c->isVisible() && (c->focusPolicy() & Qt::TabFocus)) {
            c->setFocus();
            break;
        }
    QVERIFY(sinistra->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(sinistra->currentIndex(), 0);
    QCOMPARE(risultati->currentIndex(), paginaConvalida);
    QCOMPARE(verifiche->currentIndex(), 0);
    risultati->setCurrentIndex(0);   // the cases are hidden while Convalida is in front
    t.w<GrigliaView>("FgEv")->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.w<GrigliaView>("FgEv")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(verifiche->currentIndex(), 1);
    QCOMPARE(sinistra->currentIndex(), 0);
}

void TestPiramide1::paginaEComandoAggiunti()
{
    Banco t;
    auto& b = t.banco();
    PannelloEsiti& esiti = *t.finestra->risultati().esiti();
    // A page beside the results, as a new kind of result would add it.
    auto* pagina = new QLabel(QStringLiteral("pagina di prova"));
    auto* tab = t.w<QTabWidget>("SSTab2");
    const int prima = tab->count();
    QVERIFY(prima >= 2);
    const int indice = esiti.aggiungiPagina(pagina, QStringLiteral("Prova"));
    QCOMPARE(indice, prima);
    QCOMPARE(tab->count(), prima + 1);
    QCOMPARE(tab->tabText(indice), QStringLiteral("Prova"));
    // A command on the selected result row, in the row of Imposta after Verifica formula.
    auto* comando = new QPushButton(QStringLiteral("Prova"));
    int rigaLetta = -1;
    connect(comando, &QPushButton::clicked, [&b, &rigaLetta] { rigaLetta = b.esitoScelto; });
    esiti.aggiungiComando(PannelloEsiti::Ambate, comando);
    QTRY_VERIFY(comando->isVisible());
    QCOMPARE(comando->parentWidget(), t.b("Command21")->parentWidget());
    QCOMPARE(comando->geometry().center().y(), t.b("Command29")->geometry().center().y());
    QVERIFY(comando->x() > t.b("Command29")->x());

    // Greyed with the rest while a search runs, answering again after it.
    t.clicEtichetta("LabelTutte");
    t.b("Command9")->click();
    QSignalSpy fine(t.finestra.get(), &Piramide1::ricercaFinita);
    t.b("Cmd_Step1")->click();
    QVERIFY(t.finestra->ricercaInCorso());
    QVERIFY(!comando->isEnabled());
    QVERIFY(fine.count() == 1 || fine.wait(60000));
    QVERIFY(comando->isEnabled());
    t.clic("FgEsiti", 2, 3);
    comando->click();
    QCOMPARE(rigaLetta, 2);
    // The comparison line speaks of the AMBATE results: not on the new page.
    t.finestra->aspettaConfrontoCaso();
    QVERIFY(t.w<QLabel>("LblMiglioreACaso")->isVisible());
    tab->setCurrentIndex(indice);
    QVERIFY(pagina->isVisible());
    QVERIFY(!t.w<QLabel>("LblMiglioreACaso")->isVisible());
    QVERIFY(t.dialoghi.messaggi().empty());
}

void TestPiramide1::pannelloRilevazioneDaSolo()
{
    // The panel alone on a Banco of its own: no window, no archive.
    workbench::Banco b;
    workbench::preparaBanco(b);
    workbench::TabelloneNumeri tabellone;
    PannelloRilevazione p(b, tabellone);
    p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p));
    // Each control writes its setting, by the rule of its list.
    p.ComboNC->setCurrentIndex(29);
    p.Combo3->setCurrentIndex(4);
    p.ComboEle->setCurrentIndex(2);
    p.ComboFiltro->setCurrentIndex(3);
    p.ComboPar->setCurrentIndex(0);
    p.ComboQNu->setCurrentIndex(1);
    p.ComboR1->setCurrentIndex(7);
    QCOMPARE(b.numeroCasi, 30);
    QCOMPARE(b.colpi, 5);
    QCOMPARE(b.lista, 200);
    QCOMPARE(b.rilevazione, workbench::Rilevazione::Differenza);
    QCOMPARE(b.mensile, 0);
    QCOMPARE(b.qn, 2);
    QCOMPARE(b.ruotaBase, 7);
    // The Banco shown back (a configuration loaded) without echoing into it.
    b.numeroCasi = 7;
    b.lista = 1000;
    b.numeri = "04-40";
    QSignalSpy eco(p.ComboNC, &QComboBox::currentIndexChanged);
    p.mostraImpostazioni();
    QCOMPARE(p.ComboNC->currentText(), QStringLiteral("7"));
    QCOMPARE(p.ComboEle->currentText(), QStringLiteral("1000"));
    QCOMPARE(p.TxtNumeri->text(), QStringLiteral("04-40"));
    QCOMPARE(eco.count(), 0);
    // The row of positions: Left from the first label wraps to the last, Space toggles it.
    p.LblPN[0]->setFocus();
    QTest::keyClick(p.LblPN[0], Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), p.LblPN[4]);
    QTest::keyClick(p.LblPN[4], Qt::Key_Space);
    QVERIFY(!b.posizioni[4]);
    QCOMPARE(p.LblPN[4]->property("colore").toUInt(), uint(grid::colori::Bianco));
    // The board: 90 and 1 chosen, Imposta writes them in order, Reset empties the board.
    QTest::mouseClick(p.FgNu->viewport(), Qt::LeftButton, {}, p.FgNu->visualRect(p.FgNu->model()->index(8, 9)).center());
    QTest::mouseClick(p.FgNu->viewport(), Qt::LeftButton, {}, p.FgNu->visualRect(p.FgNu->model()->index(0, 0)).center());
    p.findChild<QPushButton*>(QStringLiteral("Command6"))->click();
    QCOMPARE(b.numeri, std::string("01-90"));
    p.findChild<QPushButton*>(QStringLiteral("Command8"))->click();
    QCOMPARE(workbench::numeriScelti(tabellone), std::string());
    // The sorte a level of ELABORA accepts: one digit from 1 to 5.
    for (const char* testo : {"1", "5"})
        QVERIFY(PannelloVerifiche::accettaLivello(testo));
    for (const char* testo : {"0", "6", "12", "", "a"})
        QVERIFY(!PannelloVerifiche::accettaLivello(testo));
}

QTEST_MAIN(TestPiramide1)
#include "piramide1_window_test.moc"
