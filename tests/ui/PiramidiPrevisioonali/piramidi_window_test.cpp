// The window PiramidiPrevisioonali offscreen: opening, run selection, wheels, ELABORA, chart, copy, print, help.
#include "ui/PiramidiPrevisioonali/PiramidiPrevisioonali.h"

#include "SupportoUi.h"
#include "session/Sessione.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QPointer>

#include <algorithm>
#include <array>
#include <memory>
#include <random>
#include <string>

using namespace ui;

namespace {

// `n` draws on consecutive days from 01/01/2000, random numbers on the ten regional wheels.
std::unique_ptr<archive::Archivio> archivio(int n)
{
    auto a = std::make_unique<archive::Archivio>();
    std::mt19937 rng(42);
    for (int d = 1; d <= n; ++d) {
        const QDate data = QDate(2000, 1, 1).addDays(d - 1);
        a->DateEstrazioni[d] = data.toString(QStringLiteral("dd/MM/yyyy")).toStdString();
        for (int w = 0; w < 10; ++w) {
            std::vector<int> urna(90);
            std::iota(urna.begin(), urna.end(), 1);
            std::shuffle(urna.begin(), urna.end(), rng);
            for (int p = 1; p <= 5; ++p)
                a->setNumero(d, w, p, static_cast<std::int16_t>(urna[p - 1]));
        }
    }
    a->NumeroEstrazioni = n;
    a->modelloCompleto();
    return a;
}

struct Banco {
    explicit Banco(int estrazioni)
        : a(archivio(estrazioni))
        , sessione(cartella.path().toStdString(), *a)
        , contesto(sessione, dialoghi)
    {
        contesto.apriHelp = [this](int n, QWidget*) { help.push_back(n); };
        finestra = std::make_unique<PiramidiPrevisioonali>(contesto);
        finestra->show();
    }
    template <class T> T* w(const QString& nome) const { return testui::controllo<T>(*finestra, nome); }
    QPushButton* b(const QString& nome) const { return w<QPushButton>(nome); }
    QString testo(const QString& nome) const { return w<QLabel>(nome)->text(); }
    int inizio() const { return w<QScrollBar>(QStringLiteral("HsInizio"))->value(); }
    int fine() const { return w<QScrollBar>(QStringLiteral("HsFine"))->value(); }
    QLabel* lbl(int r, int j) const { return w<QLabel>(QStringLiteral("Lbl%1(%2)").arg(r).arg(j)); }
    void clicRuota(int ruota) const
    {
        auto* g = w<GrigliaView>(QStringLiteral("FgR"));
        const QRect rett = g->visualRect(g->model()->index(0, ruota));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rett.center());
    }
    QDate data(int d) const { return QDate::fromString(QString::fromStdString(a->DateEstrazioni[d]), "dd/MM/yyyy"); }

    QTemporaryDir cartella;
    std::unique_ptr<archive::Archivio> a;
    session::Sessione sessione;
    DialoghiScriptati dialoghi;
    Contesto contesto;
    std::vector<int> help;
    std::unique_ptr<PiramidiPrevisioonali> finestra;
};

}

class TestPiramidiPrevisioonali : public QObject {
    Q_OBJECT
private slots:
    void apertura();
    void pocheEstrazioni();
    void sceltaRapida();
    void barreEComandiDiEstremo();
    void ricerchePerPosizioneEData();
    void elaboraERuote();
    void cambiScartanoRisultati();
    void diagonale();
    void piramideERuoteMostrate();
    void copiaStampaHelp();
};

void TestPiramidiPrevisioonali::apertura()
{
    Banco t(500);
    QCOMPARE(t.finestra->windowTitle(), QStringLiteral("La piramide dei ritardi e delle presenze"));
    QCOMPARE(t.inizio(), 321);
    QCOMPARE(t.fine(), 500);
    QCOMPARE(t.w<QScrollBar>("HsInizio")->maximum(), 500);
    QCOMPARE(t.testo("LabelInizio"), QStringLiteral("321 ") + QString::fromStdString(t.a->DateEstrazioni[321]));
    QCOMPARE(t.testo("LabelFine"), QStringLiteral("500 ") + QString::fromStdString(t.a->DateEstrazioni[500]));
    const auto& FgR = t.finestra->griglieRuote();
    QCOMPARE(FgR.colonne(), 11);
    QCOMPARE(QString::fromStdString(FgR.testo(0, 10)), QStringLiteral("NZ"));
    QCOMPARE(FgR.sfondo(0, 0), 65280u);
    for (int w = 1; w < 11; ++w)
        QCOMPARE(FgR.sfondo(0, w), grid::colori::Bianco);
    QCOMPARE(t.w<QComboBox>("ComboLivello")->currentText(), QStringLiteral("6"));
    QCOMPARE(t.w<QComboBox>("ComboLivello")->count(), 6);
    QCOMPARE(t.w<QComboBox>("ComboCapo")->currentText(), QStringLiteral("0"));
    QCOMPARE(t.w<QComboBox>("ComboCapo")->count(), 91);
    QCOMPARE(t.w<QComboBox>("ComboDiag")->currentText(), QStringLiteral("1"));
    QVERIFY(t.w<QRadioButton>("Option1(1)")->isChecked());
    const std::pair<const char*, const char*> didascalie[] = {
        {"Label2", "Ruote ricerca:"}, {"Label1", "Livello"}, {"Label3", "Capogioco"}, {"Label4", "Capogioco"},
        {"Label16", "Inizio"}, {"Label17", "Fine"}, {"Label18", "Ultime"}, {"LblEST(4)", "3600"}};
    for (const auto& [nome, testo] : didascalie)
        QCOMPARE(t.testo(nome), QString::fromUtf8(testo));
    QCOMPARE(t.w<QRadioButton>("Option1(3)")->text(), QStringLiteral("Frequenza"));
    QCOMPARE(t.b("Command1")->text(), QStringLiteral("ELABORA"));
    const std::pair<const char*, const char*> suggerimenti[] = {
        {"Command41", "Copia selezione da videata principale"}, {"Command44", "Azzera selezione ruote"},
        {"Command13", "Imposta le ultime... N.. estrazioni"}, {"Command2", "Copia tabella"},
        {"Command24", "Copia tabella"}, {"Command37", "Stampa tabella"}, {"CmDHelp", "Help in linea"}};
    for (const auto& [nome, testo] : suggerimenti)
        QCOMPARE(t.b(nome)->toolTip(), QString::fromUtf8(testo));
    for (int r = 0; r < 8; ++r)
        for (int j = 0; j <= r; ++j)
            QVERIFY(t.lbl(r, j)->text().isEmpty());
    QCOMPARE(t.finestra->risultati().Fg1.righe(), 6);
}

void TestPiramidiPrevisioonali::pocheEstrazioni()
{
    Banco t(120);
    QCOMPARE(t.inizio(), 1);
    QCOMPARE(t.fine(), 120);
    QVERIFY(t.testo("LabelInizio").startsWith("1 "));
    t.b("Command1")->click();
    QVERIFY(t.dialoghi.messaggi().empty());
    QCOMPARE(t.finestra->risultati().FG2.righe(), 91);
}

void TestPiramidiPrevisioonali::sceltaRapida()
{
    Banco t(500);
    QTest::mouseClick(t.w<QLabel>("LblEST(2)"), Qt::LeftButton);   // 720: 500 - 720 + 1 < 100
    QCOMPARE(t.inizio(), 321);
    QTest::mouseClick(t.w<QLabel>("LblEST(1)"), Qt::LeftButton);   // 360
    QCOMPARE(t.inizio(), 141);
    QVERIFY(t.testo("LabelInizio").startsWith("141 "));
    QCOMPARE(t.w<QLabel>("LblEST(1)")->property("colore").toUInt(), grid::rgb(255, 192, 128));
    QCOMPARE(t.w<QLabel>("LblEST(2)")->property("colore").toUInt(), grid::colori::Bianco);

    auto* txt = t.w<QLineEdit>("Txt_Ultime");
    QTest::keyClicks(txt, "4a0.0");
    QCOMPARE(txt->text(), QStringLiteral("400"));
    t.b("Command13")->click();   // 500 - 400 = 100 is not above 100
    QCOMPARE(t.inizio(), 141);
    QTest::mouseDClick(txt, Qt::LeftButton);
    QVERIFY(txt->text().isEmpty());
    QTest::keyClicks(txt, "399");
    QTest::keyClick(txt, Qt::Key_Return);   // Enter applies the number
    QCOMPARE(t.inizio(), 102);
    QCOMPARE(t.fine(), 500);
    QVERIFY(t.dialoghi.voci().empty());
}

void TestPiramidiPrevisioonali::barreEComandiDiEstremo()
{
    Banco t(500);
    t.w<QScrollBar>("HsFine")->setValue(200);
    QCOMPARE(t.fine(), 200);
    QCOMPARE(t.inizio(), 200);
    QVERIFY(t.testo("LabelInizio").startsWith("200 "));
    t.b("Command4")->click();
    t.b("Command9")->click();
    QCOMPARE(t.inizio(), 1);
    QCOMPARE(t.fine(), 500);

    // The archive grows while the window is open: Command5 reaches the new last draw.
    t.a->NumeroEstrazioni = 520;
    for (int d = 501; d <= 520; ++d)
        t.a->DateEstrazioni[d] = "01/01/2030";
    t.a->modelloCompleto();
    t.b("Command5")->click();
    QCOMPARE(t.w<QScrollBar>("HsInizio")->maximum(), 520);
    QCOMPARE(t.inizio(), 520);
    QCOMPARE(t.fine(), 520);
}

void TestPiramidiPrevisioonali::ricerchePerPosizioneEData()
{
    Banco t(500);
    t.dialoghi.risposteInput = {QStringLiteral("150"), QStringLiteral("abc"), QStringLiteral("501"),
                                QString::fromStdString(t.a->DateEstrazioni[480]), QStringLiteral("1/1/2000"),
                                QStringLiteral("01/01/2000")};
    t.b("Command61")->click();
    QCOMPARE(t.inizio(), 150);
    t.b("Command8")->click();
    t.b("Command8")->click();
    QCOMPARE(t.fine(), 500);
    QCOMPARE(t.dialoghi.voci().size(), std::size_t(3));
    QCOMPARE(t.dialoghi.voci()[0].testo, QStringLiteral("Inserire il n° indice dell'archivio modello."));
    QCOMPARE(t.dialoghi.voci()[0].titolo, QStringLiteral("Scelta estrazione"));
    QVERIFY(t.dialoghi.messaggi().empty());

    t.b("Command10")->click();
    QCOMPARE(t.fine(), 480);
    QCOMPARE(t.dialoghi.voci()[3].testo, QStringLiteral("Data ?"));
    QCOMPARE(t.dialoghi.voci()[3].titolo, QStringLiteral("Cerca data"));
    t.b("Command62")->click();   // 1/1/2000 does not match 01/01/2000
    QCOMPARE(t.inizio(), 150);
    const auto m = t.dialoghi.messaggi();
    QCOMPARE(m.size(), std::size_t(1));
    QCOMPARE(m[0].testo, QStringLiteral("Data non trovata"));
    QCOMPARE(m[0].titolo, QStringLiteral("Cerca data"));
    QCOMPARE(m[0].icona, Icona::Informazione);
    t.b("Command62")->click();
    QCOMPARE(t.inizio(), 1);
}

void TestPiramidiPrevisioonali::elaboraERuote()
{
    Banco t(500);
    t.b("Command44")->click();
    t.b("Command1")->click();
    auto m = t.dialoghi.messaggi();
    QCOMPARE(m.size(), std::size_t(1));
    QCOMPARE(m[0].testo, QStringLiteral("Selezionare almeno una ruota"));
    QCOMPARE(m[0].titolo, QStringLiteral("Avviso"));
    QCOMPARE(m[0].icona, Icona::Informazione);
    QCOMPARE(t.finestra->risultati().FG2.righe(), 1);

    t.clicRuota(3);
    t.clicRuota(9);
    t.clicRuota(9);
    const auto sel = t.finestra->ruote();
    QVERIFY(!sel[0]);
    QVERIFY(sel[3]);
    QVERIFY(!sel[9]);
    // FgR shows them: Genova on green, Bari and Venezia white.
    QCOMPARE(t.finestra->griglieRuote().sfondo(0, 0), grid::colori::Bianco);
    QCOMPARE(t.finestra->griglieRuote().sfondo(0, 3), grid::colori::Verde);
    QCOMPARE(t.finestra->griglieRuote().sfondo(0, 9), grid::colori::Bianco);
    t.b("Command1")->click();
    QCOMPARE(t.dialoghi.messaggi().size(), std::size_t(1));
    const auto& r = t.finestra->risultati();
    QCOMPARE(r.FG2.righe(), 91);
    // Frequenza with a decimal comma, as in every other window.
    int conVirgola = 0;
    for (int k = 1; k <= 90; ++k) {
        QVERIFY2(r.FG2.testo(k, 4).find('.') == std::string::npos, r.FG2.testo(k, 4).c_str());
        conVirgola += r.FG2.testo(k, 4).find(',') != std::string::npos;
    }
    QVERIFY(conVirgola > 0);
    // The views show the grids the command line prints, cell by cell, colours and bold included.
    auto* FG2 = t.finestra->findChild<ui::GrigliaView*>(QStringLiteral("FG2"));
    auto* FG3 = t.finestra->findChild<ui::GrigliaView*>(QStringLiteral("FG3"));
    const grid::Grid vista2 = FG2->modelloTabella()->testoTabella(), vista3 = FG3->modelloTabella()->testoTabella();
    QCOMPARE(testui::primaDifferenza(vista2, r.FG2), QString());
    QCOMPARE(testui::primaDifferenza(vista3, r.FG3), QString());
    for (int c = 1; c < 5; ++c) {
        QCOMPARE(vista2.sfondo(90, c), r.FG2.sfondo(90, c));
        QCOMPARE(vista2.grassetto(7, c), r.FG2.grassetto(7, c));
    }
    QVERIFY(!FG2->verticalHeader()->isHidden());
    QCOMPARE(r.Fg1.righe(), 6);
    for (int riga = 0; riga < 6; ++riga)
        for (int j = 0; j <= riga; ++j) {
            QVERIFY(!r.Fg1.testo(riga, j).empty());
            QCOMPARE(t.lbl(riga, j)->text(), QString::fromStdString(r.Fg1.testo(riga, j)));
        }
    QVERIFY(t.lbl(6, 0)->text().isEmpty());

    // The chart: 90 bars of the delay, the 21 numbers of the pyramid in their own set.
    auto* vista = t.w<Grafico>("Grafico");
    QCOMPARE(vista->tipo(), Grafico::Tipo::BarreImpilate);
    const auto& serie = vista->serie();
    QCOMPARE(serie.size(), std::size_t{2});
    QCOMPARE(serie[0].valori.size(), std::size_t{90});
    int evidenziati = 0;
    for (int k = 1; k <= 90; ++k) {
        const int n = static_cast<int>(r.FG2.valore(k, 1));
        const bool inPiramide = r.inPiramide[n];
        evidenziati += inPiramide;
        QCOMPARE(serie[inPiramide ? 1 : 0].valori[n - 1], r.FG2.valore(k, 2));
        QCOMPARE(serie[inPiramide ? 0 : 1].valori[n - 1], 0.0);
    }
    QCOMPARE(evidenziati, 21);

    // Every ELABORA redraws the chart: the previous drawing's sets must not linger beside the new ones.
    t.b("Command1")->click();
    QCOMPARE(vista->serie().size(), std::size_t{2});
    QCOMPARE(vista->categorie().size(), 90);
}

void TestPiramidiPrevisioonali::cambiScartanoRisultati()
{
    Banco t(500);
    t.b("Command1")->click();
    QVERIFY(!t.lbl(0, 0)->text().isEmpty());
    t.w<QComboBox>("ComboCapo")->setCurrentText("90");
    QCOMPARE(t.finestra->risultati().FG2.righe(), 1);
    QVERIFY(t.finestra->risultati().Fg1.testo(0, 0).empty());
    QVERIFY(t.w<Grafico>("Grafico")->vuoto());
    QVERIFY(!t.lbl(0, 0)->text().isEmpty());

    t.b("Command1")->click();
    QCOMPARE(t.lbl(0, 0)->text(), QStringLiteral("90"));
    QCOMPARE(t.lbl(5, 0)->text(), QStringLiteral("90"));
    t.w<QComboBox>("ComboLivello")->setCurrentText("4");
    QCOMPARE(t.finestra->risultati().Fg1.righe(), 4);
    QCOMPARE(t.finestra->risultati().FG2.righe(), 1);

    t.b("Command1")->click();
    QTest::mouseClick(t.w<QRadioButton>("Option1(2)"), Qt::LeftButton);
    QVERIFY(t.lbl(0, 0)->text().isEmpty());
    QCOMPARE(t.finestra->risultati().FG2.righe(), 1);
    t.b("Command1")->click();
    QCOMPARE(t.finestra->risultati().criterioGrafico, predictive::Criterio::Presenze);
    // Row 1 is the number Bari drew most often in the run, counted here draw by draw.
    std::array<int, 91> presenze{};
    for (int d = t.inizio(); d <= t.fine(); ++d)
        for (int p = 1; p <= 5; ++p)
            ++presenze[static_cast<std::size_t>(t.a->numero(d, 0, p))];
    const auto& FG2 = t.finestra->risultati().FG2;
    const int primo = std::stoi(FG2.testo(1, 1));
    QCOMPARE(FG2.testo(1, 3), std::to_string(presenze[static_cast<std::size_t>(primo)]));
    QCOMPARE(presenze[static_cast<std::size_t>(primo)], *std::max_element(presenze.begin() + 1, presenze.end()));
}

void TestPiramidiPrevisioonali::diagonale()
{
    Banco t(500);
    t.w<QComboBox>("ComboLivello")->setCurrentText("8");
    t.b("Command1")->click();
    t.b("Command6")->click();
    for (int r = 0; r < 8; ++r)
        for (int j = 0; j <= r; ++j)
            QCOMPARE(t.lbl(r, j)->property("colore").toUInt(), j == r ? grid::colori::Giallo : grid::colori::Bianco);
    t.w<QComboBox>("ComboDiag")->setCurrentText("3");
    t.b("Command6")->click();
    QCOMPARE(t.lbl(2, 0)->property("colore").toUInt(), grid::colori::Giallo);
    QCOMPARE(t.lbl(7, 7)->property("colore").toUInt(), grid::colori::Bianco);
    // Command3 shows Fg1 again after the labels were emptied.
    t.finestra->AzzeraLabel();
    QVERIFY(t.lbl(7, 7)->text().isEmpty());
    t.b("Command3")->click();
    QCOMPARE(t.lbl(7, 7)->text(), QString::fromStdString(t.finestra->risultati().Fg1.testo(7, 7)));
}

void TestPiramidiPrevisioonali::piramideERuoteMostrate()
{
    Banco t(500);
    auto* Fg1 = t.w<GrigliaView>("Fg1");
    const auto& r = t.finestra->risultati();
    // Fg1 shows the pyramid the command line prints, cell by cell, at every level and after a discard.
    for (const char* livello : {"6", "3", "8"}) {
        t.w<QComboBox>("ComboLivello")->setCurrentText(QString::fromLatin1(livello));
        QCOMPARE(Fg1->model()->rowCount(), QString::fromLatin1(livello).toInt());
        QCOMPARE(Fg1->model()->columnCount(), QString::fromLatin1(livello).toInt());
        QCOMPARE(testui::primaDifferenza(Fg1->modelloTabella()->testoTabella(), r.Fg1), QString());
        t.b("Command1")->click();
        QCOMPARE(testui::primaDifferenza(Fg1->modelloTabella()->testoTabella(), r.Fg1), QString());
        QVERIFY(!r.Fg1.testo(r.livello() - 1, r.livello() - 1).empty());
    }
    t.w<QComboBox>("ComboCapo")->setCurrentText("7");
    QVERIFY(Fg1->model()->index(0, 0).data().toString().isEmpty());
    t.b("Command1")->click();
    QCOMPARE(Fg1->model()->index(7, 0).data().toString(), QStringLiteral("7"));
    QCOMPARE(testui::primaDifferenza(Fg1->modelloTabella()->testoTabella(), r.Fg1), QString());

    // FgR from the keyboard: Space on a wheel's code puts it in play or out, as a click does.
    auto* FgR = t.w<GrigliaView>("FgR");
    FgR->setFocus();
    FgR->setCurrentIndex(FgR->model()->index(0, 5));
    QTest::keyClick(FgR, Qt::Key_Space);
    QVERIFY(t.finestra->ruote()[5]);
    QCOMPARE(t.finestra->griglieRuote().sfondo(0, 5), grid::colori::Verde);
    t.clicRuota(5);
    QVERIFY(!t.finestra->ruote()[5]);
    QCOMPARE(t.finestra->griglieRuote().sfondo(0, 5), grid::colori::Bianco);
    QVERIFY(t.finestra->ruote()[0]);
}

void TestPiramidiPrevisioonali::copiaStampaHelp()
{
    Banco t(500);
    t.b("Command1")->click();
    // Command2 copies the statistics (header and the 90 numbers), Command24 the pyramid
    // (six levels, the top first).
    t.b("Command2")->click();
    const QStringList statistiche = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    QCOMPARE(statistiche.size(), 92);   // a line break ends the last row too
    QCOMPARE(statistiche[0], QStringLiteral("\tNumero\tRitardo\tPresenze\tFrequenza"));
    QCOMPARE(statistiche[1].split('\t')[1], t.lbl(0, 0)->text());   // the top of the pyramid ranks first
    t.b("Command24")->click();
    const QStringList piramide = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    QCOMPARE(piramide.size(), 7);
    QCOMPARE(piramide[0].section('\t', 0, 0), t.lbl(0, 0)->text());

    t.b("Command37")->click();   // the print dialog is cancelled
    QCOMPARE(t.dialoghi.voci().size(), std::size_t(1));
    QCOMPARE(t.dialoghi.voci()[0].tipo, DialoghiScriptati::Tipo::Stampante);
    QPrinter stampante;
    t.finestra->preparaStampante(stampante);
    QCOMPARE(stampante.docName(), QStringLiteral("Piramide previsionale al ") + t.testo("LabelFine"));
    QCOMPARE(stampante.pageLayout().orientation(), QPageLayout::Landscape);
    QVERIFY(qAbs(stampante.pageLayout().margins(QPageLayout::Millimeter).left() - 400.0 / 1440 * 25.4) < 0.01);

    // Confirmed: the pyramid goes to the printer as the dialog left it, here a PDF file.
    const QString pdf = t.cartella.filePath(QStringLiteral("piramide.pdf"));
    bool orizzontale = false;
    t.dialoghi.risposteStampante = {true};
    t.dialoghi.allaStampante = [&](QPrinter& p) {
        orizzontale = p.pageLayout().orientation() == QPageLayout::Landscape;
        p.setOutputFileName(pdf);
    };
    t.b("Command37")->click();
    QVERIFY(orizzontale);
    QVERIFY(QFileInfo(pdf).size() > 0);

    t.b("CmDHelp")->click();
    QCOMPARE(t.help, std::vector<int>{340});
}

QTEST_MAIN(TestPiramidiPrevisioonali)
#include "piramidi_window_test.moc"
