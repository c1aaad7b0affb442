// The window PiramidiPrevisioonali: controls and handlers; the computation lives in src/predictive.
#include "ui/PiramidiPrevisioonali/PiramidiPrevisioonali.h"

#include "ui/common/Controlli.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/RegistroFinestre.h"
#include "ui/common/Schermate.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

constexpr grid::Colore ArancioChiaro = grid::rgb(255, 192, 128);   // the quick run last chosen
// Margins of the printout: 400 twips (1440 a inch) on every side.
constexpr double MargineStampaMm = 400.0 / 1440.0 * 25.4;

QString daStd(const std::string& s) { return QString::fromStdString(s); }

const char* nomeCriterio(predictive::Criterio c)
{
    switch (c) {
    case predictive::Criterio::Presenze: return "Presenze";
    case predictive::Criterio::Frequenza: return "Frequenza";
    case predictive::Criterio::Ritardo: break;
    }
    return "Ritardo";
}

// Background of a label as the program's colour value, kept readable for tests in "colore".
void coloraEtichetta(QLabel* l, grid::Colore c, bool bordo)
{
    const QColor q = qColore(c);
    l->setProperty("colore", static_cast<uint>(c));
    l->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: black;%2 }")
                         .arg(q.name(), bordo ? QStringLiteral(" border: 1px solid #808080;") : QString()));
}

// Fg1's columns for a pyramid of `livello` rows: row r fills columns 0..r, centred, narrow.
std::vector<ColonnaDi<predictive::RigaPiramide>> colonnePiramide(int livello)
{
    std::vector<ColonnaDi<predictive::RigaPiramide>> colonne(static_cast<std::size_t>(std::max(livello, 0)));
    for (std::size_t c = 0; c < colonne.size(); ++c) {
        colonne[c].testo = [c](const predictive::RigaPiramide& r) {
            return daStd(predictive::testoFg1(r, static_cast<int>(c)));
        };
        colonne[c].allineamento = grid::Allineamento::Centro;
        colonne[c].larghezzaTwips = 510;
    }
    return colonne;
}

}

QString PiramidiPrevisioonali::titolo() { return QStringLiteral("La piramide dei ritardi e delle presenze"); }

PiramidiPrevisioonali::PiramidiPrevisioonali(Contesto& contesto, QWidget* genitore)
    : QWidget(genitore)
    , contesto_(contesto)
{
    setObjectName(QStringLiteral("PiramidiPrevisioonali"));
    setWindowTitle(titolo());
    setProperty("contestoHelp", ContestoHelp);
    piramide_.separatoreDecimale = ',';   // Frequenza as every window writes decimals (the command line keeps the point)
    costruisci();
    apri();
}

PiramidiPrevisioonali::~PiramidiPrevisioonali()
{
    // FG2's cells are written with this window's decimal separator: the views go while the window
    // is still whole (closing a shown window asks the headers for their sizes once more).
    delete FgR;
    delete Fg1;
    delete FG2;
    delete FG3;
}

void PiramidiPrevisioonali::costruisci()
{
    // Created in the order the Tab key walks them.
    auto* run = gruppoIntervallo();
    auto* scelte = gruppoScelte();
    auto* sinistra = tabelleEGrafico();
    auto* piramide = gruppoPiramide();
    auto* comandi = comandiInBasso();

    auto* centro = new QHBoxLayout;
    centro->addLayout(sinistra, 1);
    centro->addWidget(piramide);

    auto* alto = new QHBoxLayout;
    alto->addWidget(run, 1);
    alto->addWidget(scelte);

    auto* principale = new QVBoxLayout(this);
    principale->addLayout(alto);
    principale->addLayout(centro, 1);
    principale->addLayout(comandi);
    resize(940, 780);

    collegaIntervallo();
    collegaScelteEComandi();
}

// The run of draws: first and last draw, the last N, the wheels.
QGroupBox* PiramidiPrevisioonali::gruppoIntervallo()
{
    auto* run = new QGroupBox(this);
    auto* gRun = new QGridLayout(run);
    Label16 = etichetta(QStringLiteral("Label16"), QStringLiteral("Inizio"), run);
    Label17 = etichetta(QStringLiteral("Label17"), QStringLiteral("Fine"), run);
    Label18 = etichetta(QStringLiteral("Label18"), QStringLiteral("Ultime"), run);
    Command4 = pulsante(QStringLiteral("Command4"), QStringLiteral("|<"), QStringLiteral("Inizio alla prima estrazione"), run);
    Command5 = pulsante(QStringLiteral("Command5"), QStringLiteral(">|"), QStringLiteral("Inizio all'ultima estrazione"), run);
    Command12 = pulsante(QStringLiteral("Command12"), QStringLiteral("|<"), QStringLiteral("Fine alla prima estrazione"), run);
    Command9 = pulsante(QStringLiteral("Command9"), QStringLiteral(">|"), QStringLiteral("Fine all'ultima estrazione"), run);
    Command61 = pulsante(QStringLiteral("Command61"), QStringLiteral("N°"), QStringLiteral("Inizio per n° indice"), run);
    Command8 = pulsante(QStringLiteral("Command8"), QStringLiteral("N°"), QStringLiteral("Fine per n° indice"), run);
    Command62 = pulsante(QStringLiteral("Command62"), QStringLiteral("Data"), QStringLiteral("Inizio per data"), run);
    Command10 = pulsante(QStringLiteral("Command10"), QStringLiteral("Data"), QStringLiteral("Fine per data"), run);
    for (auto* b : {Command4, Command5, Command12, Command9, Command61, Command8, Command62, Command10})
        b->setFixedWidth(b == Command62 || b == Command10 ? 44 : 30);
    HsInizio = new QScrollBar(Qt::Horizontal, run);
    HsInizio->setObjectName(QStringLiteral("HsInizio"));
    HsFine = new QScrollBar(Qt::Horizontal, run);
    HsFine->setObjectName(QStringLiteral("HsFine"));
    for (auto* h : {HsInizio, HsFine})
        h->setMinimumWidth(150);
    LabelInizio = etichetta(QStringLiteral("LabelInizio"), {}, run);
    LabelFine = etichetta(QStringLiteral("LabelFine"), {}, run);
    for (auto* l : {LabelInizio, LabelFine}) {
        l->setMinimumWidth(110);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    gRun->addWidget(Label16, 0, 0);
    gRun->addWidget(Command4, 0, 1);
    gRun->addWidget(barraDaTastiera(HsInizio), 0, 2);
    gRun->addWidget(Command5, 0, 3);
    gRun->addWidget(LabelInizio, 0, 4);
    gRun->addWidget(Command61, 0, 5);
    gRun->addWidget(Command62, 0, 6);
    gRun->addWidget(Label17, 1, 0);
    gRun->addWidget(Command12, 1, 1);
    gRun->addWidget(barraDaTastiera(HsFine), 1, 2);
    gRun->addWidget(Command9, 1, 3);
    gRun->addWidget(LabelFine, 1, 4);
    gRun->addWidget(Command8, 1, 5);
    gRun->addWidget(Command10, 1, 6);
    auto* ultime = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        LblEST[i] = etichetta(QStringLiteral("LblEST(%1)").arg(i), QString::number(predictive::UltimeEstrazioni[i]), run);
        LblEST[i]->setAlignment(Qt::AlignCenter);
        LblEST[i]->setMinimumWidth(38);
        LblEST[i]->setCursor(Qt::PointingHandCursor);
        LblEST[i]->installEventFilter(this);
        coloraEtichetta(LblEST[i], grid::colori::Bianco, true);
        ultime->addWidget(LblEST[i]);
    }
    Txt_Ultime = new QLineEdit(run);
    Txt_Ultime->setObjectName(QStringLiteral("Txt_Ultime"));
    Txt_Ultime->setFixedWidth(60);
    // Digits and the comma only; pasted text is held to the same rule.
    Txt_Ultime->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,]*")), Txt_Ultime));
    Txt_Ultime->installEventFilter(this);
    Command13Btn = pulsante(QStringLiteral("Command13"), QStringLiteral("Imposta"),
                            QStringLiteral("Imposta le ultime... N.. estrazioni"), run);
    ultime->addWidget(Txt_Ultime);
    ultime->addWidget(Command13Btn);
    ultime->addStretch();
    gRun->addWidget(Label18, 2, 0);
    gRun->addLayout(ultime, 2, 1, 1, 6);

    // Wheels under the run.
    Label2 = etichetta(QStringLiteral("Label2"), QStringLiteral("Ruote ricerca:"), run);
    // The wheels as a row of their codes, those in play on green, 450 twips each.
    ruoteScelte_ = tabelloneRuote(450, grid::colori::Verde, grid::colori::Bianco, this);
    FgR = new GrigliaView(ruoteScelte_, run);
    FgR->setObjectName(QStringLiteral("FgR"));
    Command41 = pulsante(QStringLiteral("Command41"), QStringLiteral("Tutte"), QStringLiteral("Copia selezione da videata principale"), run);
    Command44 = pulsante(QStringLiteral("Command44"), QStringLiteral("Nessuna"), QStringLiteral("Azzera selezione ruote"), run);
    auto* ruote = new QHBoxLayout;
    ruote->addWidget(FgR, 1);
    ruote->addWidget(Command41);
    ruote->addWidget(Command44);
    gRun->addWidget(Label2, 3, 0);
    gRun->addLayout(ruote, 3, 1, 1, 6);
    return run;
}

// Criterion, Livello, Capogioco, ELABORA.
QGroupBox* PiramidiPrevisioonali::gruppoScelte()
{
    auto* scelte = new QGroupBox(this);
    auto* gScelte = new QGridLayout(scelte);
    const char* criteri[] = {"", "Ritardo", "Presenze", "Frequenza"};
    for (int i = 1; i <= 3; ++i) {
        Option1[i] = new QRadioButton(QString::fromLatin1(criteri[i]), scelte);
        Option1[i]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        gScelte->addWidget(Option1[i], i - 1, 0);
    }
    Label1 = etichetta(QStringLiteral("Label1"), QStringLiteral("Livello"), scelte);
    ComboLivello = new QComboBox(scelte);
    ComboLivello->setObjectName(QStringLiteral("ComboLivello"));
    for (int l = predictive::LivelloMinimo; l <= predictive::LivelloMassimo; ++l)
        ComboLivello->addItem(QString::number(l));
    Label3 = etichetta(QStringLiteral("Label3"), QStringLiteral("Capogioco"), scelte);
    ComboCapo = new QComboBox(scelte);
    ComboCapo->setObjectName(QStringLiteral("ComboCapo"));
    for (int n = 0; n <= 90; ++n)
        ComboCapo->addItem(QString::number(n));
    ComboCapo->setMaxVisibleItems(16);
    Command1 = pulsante(QStringLiteral("Command1"), QStringLiteral("ELABORA"), {}, scelte);
    Command1->setMinimumHeight(34);
    QFont forte = Command1->font();
    forte.setBold(true);
    Command1->setFont(forte);
    gScelte->addWidget(Label1, 0, 1);
    gScelte->addWidget(ComboLivello, 0, 2);
    gScelte->addWidget(Label3, 1, 1);
    gScelte->addWidget(ComboCapo, 1, 2);
    gScelte->addWidget(Command1, 2, 1, 2, 2);
    return scelte;
}

// Statistics table and ranking with the chart under them.
QVBoxLayout* PiramidiPrevisioonali::tabelleEGrafico()
{
    // The cells of the statistics' grid writer (the one the command line prints), the empty row
    // selector fixed on the left. Widths in twips as the design.
    std::vector<ColonnaDi<predictive::RigaStatistiche>> colonne2(predictive::colFG2::Frequenza + 1);
    for (int c = 0; c < predictive::colFG2::Frequenza + 1; ++c) {
        auto& col = colonne2[static_cast<std::size_t>(c)];
        col.intestazione = QString::fromStdString(piramide_.FG2.testo(0, c));
        col.testo = [this, c](const predictive::RigaStatistiche& r) {
            return QString::fromStdString(predictive::testoFG2(r, c, piramide_.separatoreDecimale));
        };
        col.larghezzaTwips = c == 0 ? 200 : 1000;
        col.allineamento = c == 0 ? grid::Allineamento::Sinistra : grid::Allineamento::Centro;
        if (const auto colore = predictive::sfondoFG2(c))
            col.sfondo = [colore](const predictive::RigaStatistiche&) { return colore; };
    }
    colonne2[predictive::colFG2::Numero].grassetto = [](const predictive::RigaStatistiche&) { return true; };
    statistiche_ = new ModelloRighe<predictive::RigaStatistiche>(std::move(colonne2), this);
    std::vector<ColonnaDi<int>> colonne3(2);
    colonne3[0].larghezzaTwips = 150;
    colonne3[0].testo = [](int) { return QString(); };
    colonne3[1].intestazione = QString::fromStdString(piramide_.FG3.testo(0, 1));
    colonne3[1].testo = [](int n) { return QString::number(n); };
    colonne3[1].larghezzaTwips = 1050;
    colonne3[1].allineamento = grid::Allineamento::Centro;
    classifica_ = new ModelloRighe<int>(std::move(colonne3), this);
    FG2 = new GrigliaView(statistiche_, this);
    FG2->setObjectName(QStringLiteral("FG2"));
    FG2->setFisse(1, 1);
    FG3 = new GrigliaView(classifica_, this);
    FG3->setObjectName(QStringLiteral("FG3"));
    FG3->setFisse(1, 1);
    FG3->setFixedWidth(96);
    righePiramide_ = new ModelloRighe<predictive::RigaPiramide>(colonnePiramide(piramide_.livello()), this);
    Fg1 = new GrigliaView(righePiramide_, this);
    Fg1->setObjectName(QStringLiteral("Fg1"));
    Fg1->setFisse(0, 0);

    Grafico = new ui::Grafico(this);
    Grafico->setObjectName(QStringLiteral("Grafico"));
    Grafico->setMinimumHeight(230);

    auto* tabelle = new QHBoxLayout;
    tabelle->addWidget(FG2, 1);
    tabelle->addWidget(FG3);
    auto* sinistra = new QVBoxLayout;
    sinistra->addLayout(tabelle, 1);
    sinistra->addWidget(Grafico, 1);
    return sinistra;
}

// The pyramid of labels, Mostra, the diagonal, and the pyramid's grid.
QGroupBox* PiramidiPrevisioonali::gruppoPiramide()
{
    auto* piramide = new QGroupBox(this);
    auto* vPiramide = new QVBoxLayout(piramide);
    vPiramide->setSpacing(3);
    Label4 = etichetta(QStringLiteral("Label4"), QStringLiteral("Capogioco"), piramide);
    Label4->setAlignment(Qt::AlignCenter);
    vPiramide->addWidget(Label4);
    QFont grassetto = font();
    grassetto.setBold(true);
    for (int r = 0; r < predictive::RigheEtichette; ++r) {
        auto* riga = new QHBoxLayout;
        riga->setSpacing(3);
        riga->addStretch();
        for (int j = 0; j <= r; ++j) {
            auto* l = etichetta(QStringLiteral("Lbl%1(%2)").arg(r).arg(j), {}, piramide);
            l->setAlignment(Qt::AlignCenter);
            l->setFixedSize(34, 26);
            l->setFont(grassetto);
            coloraEtichetta(l, grid::colori::Bianco, true);
            Lbl[r].push_back(l);
            riga->addWidget(l);
        }
        riga->addStretch();
        vPiramide->addLayout(riga);
    }
    ComboDiag = new QComboBox(piramide);
    ComboDiag->setObjectName(QStringLiteral("ComboDiag"));
    for (int d = 1; d <= predictive::RigheEtichette; ++d)
        ComboDiag->addItem(QString::number(d));
    Command3 = pulsante(QStringLiteral("Command3"), QStringLiteral("Mostra"), QStringLiteral("Mostra la piramide"), piramide);
    Command6 = pulsante(QStringLiteral("Command6"), QStringLiteral("Diagonale"), QStringLiteral("Evidenzia la diagonale scelta"), piramide);
    auto* comandiPiramide = new QHBoxLayout;
    comandiPiramide->addWidget(Command3);
    comandiPiramide->addStretch();
    comandiPiramide->addWidget(ComboDiag);
    comandiPiramide->addWidget(Command6);
    vPiramide->addLayout(comandiPiramide);
    vPiramide->addWidget(Fg1, 1);
    return piramide;
}

// Copy, print and help under the tables.
QHBoxLayout* PiramidiPrevisioonali::comandiInBasso()
{
    Command2 = pulsante(QStringLiteral("Command2"), QStringLiteral("Copia tabella"), QStringLiteral("Copia tabella"), this);
    Command24 = pulsante(QStringLiteral("Command24"), QStringLiteral("Copia piramide"), QStringLiteral("Copia tabella"), this);
    Command37Btn = pulsante(QStringLiteral("Command37"), QStringLiteral("Stampa piramide"), QStringLiteral("Stampa tabella"), this);
    CmDHelp = pulsante(QStringLiteral("CmDHelp"), QStringLiteral("?"), QStringLiteral("Help in linea"), this);
    CmDHelp->setFixedWidth(34);
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(Command2);
    comandi->addWidget(Command24);
    comandi->addWidget(Command37Btn);
    comandi->addStretch();
    comandi->addWidget(CmDHelp);
    return comandi;
}

void PiramidiPrevisioonali::collegaIntervallo()
{
    connect(HsInizio, &QScrollBar::valueChanged, this, [this](int v) {
        intervallo_.setInizio(v);
        mostraIntervallo();
    });
    connect(HsFine, &QScrollBar::valueChanged, this, [this](int v) {
        intervallo_.setFine(v);
        mostraIntervallo();
    });
    const auto massimo = [this] { return predictive::massimoScelta(contesto_.sessione.archivio()); };
    connect(Command4, &QPushButton::clicked, this, [this] { intervallo_.setInizio(1); mostraIntervallo(); });
    connect(Command12, &QPushButton::clicked, this, [this] { intervallo_.setFine(1); mostraIntervallo(); });
    connect(Command9, &QPushButton::clicked, this, [this, massimo] { intervallo_.fineAllUltima(massimo()); mostraIntervallo(); });
    connect(Command5, &QPushButton::clicked, this, [this, massimo] { intervallo_.inizioAllUltima(massimo()); mostraIntervallo(); });
    connect(Command61, &QPushButton::clicked, this, [this] { cercaPosizione(true); });
    connect(Command8, &QPushButton::clicked, this, [this] { cercaPosizione(false); });
    connect(Command62, &QPushButton::clicked, this, [this] { cercaDataPer(true); });
    connect(Command10, &QPushButton::clicked, this, [this] { cercaDataPer(false); });
    connect(Command13Btn, &QPushButton::clicked, this, &PiramidiPrevisioonali::Command13);
    // Enter applies the number typed, which is what the box is for.
    connect(Txt_Ultime, &QLineEdit::returnPressed, this, &PiramidiPrevisioonali::Command13);

    // A click on a wheel's code, or Space on it, puts it in play or out.
    const auto commuta = [this](int riga, int colonna) {
        if (riga != 0)
            return;
        predictive::commutaRuota(ruote_, colonna);
        mostraRuote();
    };
    connect(FgR, &GrigliaView::clic, this, commuta);
    connect(FgR, &GrigliaView::attivata, this, commuta);
    connect(Command41, &QPushButton::clicked, this, [this] {
        predictive::selezionaRuote(ruote_, true);
        mostraRuote();
    });
    connect(Command44, &QPushButton::clicked, this, [this] {
        predictive::selezionaRuote(ruote_, false);
        mostraRuote();
    });
}

void PiramidiPrevisioonali::collegaScelteEComandi()
{
    for (int i = 1; i <= 3; ++i)
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool scelto) {
            if (scelto)
                setCriterio(i);
        });
    connect(ComboCapo, &QComboBox::currentIndexChanged, this, [this] {
        piramide_.cambiaCapogioco();
        aggiornaGriglie();
        aggiornaGrafico();
    });
    connect(ComboLivello, &QComboBox::currentIndexChanged, this, [this] {
        piramide_.cambiaLivello(ComboLivello->currentText().toInt());
        aggiornaGriglie();
        aggiornaGrafico();
    });
    connect(Command1, &QPushButton::clicked, this, &PiramidiPrevisioonali::CalcolaPiramidePrevisionale);
    connect(Command3, &QPushButton::clicked, this, &PiramidiPrevisioonali::MostraPiramide);
    connect(Command6, &QPushButton::clicked, this, &PiramidiPrevisioonali::EvidenziaDiagonale);
    connect(Command2, &QPushButton::clicked, this, [this] {
        QApplication::clipboard()->clear();
        FG2->copiaNegliAppunti();
    });
    connect(Command24, &QPushButton::clicked, this, [this] {
        QApplication::clipboard()->clear();
        Fg1->copiaNegliAppunti();
    });
    connect(Command37Btn, &QPushButton::clicked, this, &PiramidiPrevisioonali::Command37);
    connect(CmDHelp, &QPushButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(ContestoHelp, this);
    });
}

void PiramidiPrevisioonali::apri()
{
    ruote_ = predictive::ruoteIniziali();
    scegliRuote(*ruoteScelte_, ruote_);
    FgR->setFisse(0, 0);
    FgR->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgR->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgR->setFixedHeight(FgR->verticalHeader()->defaultSectionSize() + 2 * FgR->frameWidth());
    int larghezza = 2 * FgR->frameWidth();
    for (int w = 0; w < archive::NumeroRuote; ++w)
        larghezza += FgR->columnWidth(w);
    FgR->setFixedWidth(larghezza);

    intervallo_.apri(predictive::massimoScelta(contesto_.sessione.archivio()));
    mostraIntervallo();
    AzzeraLabel();

    const QSignalBlocker b1(ComboLivello), b2(ComboCapo);
    ComboLivello->setCurrentText(QString::number(predictive::LivelloIniziale));
    ComboCapo->setCurrentIndex(0);
    ComboDiag->setCurrentIndex(0);
    Option1[1]->setChecked(true);
    criterio_ = 1;
    aggiornaGriglie();
    aggiornaGrafico();
}

void PiramidiPrevisioonali::mostraIntervallo()
{
    const auto& a = contesto_.sessione.archivio();
    const int minimo = intervallo_.massimo() >= 1 ? 1 : 0;
    for (auto* h : {HsInizio, HsFine}) {
        const QSignalBlocker blocco(h);
        h->setRange(minimo, intervallo_.massimo());
        h->setPageStep(std::max(1, intervallo_.massimo() / 20));
        h->setEnabled(intervallo_.massimo() >= 1);
    }
    {
        const QSignalBlocker b1(HsInizio), b2(HsFine);
        HsInizio->setValue(intervallo_.inizio());
        HsFine->setValue(intervallo_.fine());
    }
    LabelInizio->setText(daStd(predictive::testoEstremo(a, intervallo_.inizio())));
    LabelFine->setText(daStd(predictive::testoEstremo(a, intervallo_.fine())));
}

void PiramidiPrevisioonali::cercaPosizione(bool inizio)
{
    const auto testo = contesto_.dialoghi.inputBox(this, daStd(predictive::PromptPosizione), daStd(predictive::TitoloPosizione));
    if (!testo)
        return;
    const auto k = predictive::posizioneDigitata(testo->toStdString(), intervallo_.massimo());
    if (!k)
        return;
    if (inizio)
        intervallo_.setInizio(*k);
    else
        intervallo_.setFine(*k);
    mostraIntervallo();
}

void PiramidiPrevisioonali::cercaDataPer(bool inizio)
{
    const auto testo = contesto_.dialoghi.inputBox(this, daStd(predictive::PromptData), daStd(predictive::TitoloData));
    if (!testo)
        return;
    dataCercata_ = *testo;
    const auto k = predictive::cercaData(contesto_.sessione.archivio(), dataCercata_.toStdString());
    if (!k || *k > intervallo_.massimo()) {
        contesto_.dialoghi.messaggio(this, daStd(predictive::DataNonTrovata), daStd(predictive::TitoloData), Icona::Informazione);
        return;
    }
    if (inizio)
        intervallo_.setInizio(*k);
    else
        intervallo_.setFine(*k);
    mostraIntervallo();
}

void PiramidiPrevisioonali::sceltaUltime(int indice)
{
    if (indice < 0 || indice >= static_cast<int>(LblEST.size()))
        return;
    for (int i = 0; i < static_cast<int>(LblEST.size()); ++i)
        coloraEtichetta(LblEST[i], i == indice ? ArancioChiaro : grid::colori::Bianco, true);
    if (intervallo_.ultimeEst(LblEST[indice]->text().toInt()))
        mostraIntervallo();
}

void PiramidiPrevisioonali::Command13()
{
    if (intervallo_.ultimeTesto(Txt_Ultime->text().toStdString()))
        mostraIntervallo();
}

void PiramidiPrevisioonali::setCriterio(int indice)
{
    criterio_ = indice;
    piramide_.cambiaCriterio();
    aggiornaGriglie();
    aggiornaEtichette();
    aggiornaGrafico();
}

void PiramidiPrevisioonali::CalcolaPiramidePrevisionale()
{
    auto& a = contesto_.sessione.archivio();
    // A reload by archive maintenance may have shortened the archive since the run was chosen.
    const int massimo = predictive::massimoScelta(a);
    if (intervallo_.massimo() > massimo) {
        intervallo_.setMassimo(massimo);
        mostraIntervallo();
    }
    predictive::Ingresso in;
    in.inizio = intervallo_.inizio();
    in.fine = intervallo_.fine();
    in.criterio = static_cast<predictive::Criterio>(criterio_);
    in.livello = ComboLivello->currentText().toInt();
    in.capogioco = ComboCapo->currentText().toInt();
    if (const auto avviso = piramide_.CalcolaPiramidePrevisionale(a, ruote_, in)) {
        contesto_.dialoghi.messaggio(this, daStd(avviso->testo), daStd(avviso->titolo), Icona::Informazione);
        return;
    }
    aggiornaGriglie();
    aggiornaEtichette();
    aggiornaGrafico();
}

void PiramidiPrevisioonali::mostraRuote() { scegliRuote(*ruoteScelte_, ruote_); }

void PiramidiPrevisioonali::MostraPiramide()
{
    piramide_.MostraPiramide();
    aggiornaEtichette();
}

void PiramidiPrevisioonali::EvidenziaDiagonale()
{
    piramide_.EvidenziaDiagonale(ComboDiag->currentIndex());
    aggiornaEtichette();
}

void PiramidiPrevisioonali::AzzeraLabel()
{
    piramide_.AzzeraLabel();
    aggiornaEtichette();
}

void PiramidiPrevisioonali::preparaStampante(QPrinter& stampante) const
{
    stampante.setDocName(QStringLiteral("Piramide previsionale al ") + LabelFine->text());
    stampante.setPageOrientation(QPageLayout::Landscape);
    stampante.setPageMargins(QMarginsF(MargineStampaMm, MargineStampaMm, MargineStampaMm, MargineStampaMm),
                             QPageLayout::Millimeter);
}

void PiramidiPrevisioonali::Command37()
{
    QPrinter stampante(QPrinter::HighResolution);
    preparaStampante(stampante);
    if (!contesto_.dialoghi.scegliStampante(this, stampante))
        return;
    stampaGriglia(stampante, righePiramide_->testoTabella(), stampante.docName(), righePiramide_->righeFisse());
}

void PiramidiPrevisioonali::aggiornaEtichette()
{
    for (int r = 0; r < predictive::RigheEtichette; ++r)
        for (int j = 0; j <= r; ++j) {
            const auto& e = piramide_.etichette[r][j];
            Lbl[r][j]->setText(daStd(e.testo));
            if (Lbl[r][j]->property("colore").toUInt() != e.sfondo)
                coloraEtichetta(Lbl[r][j], e.sfondo, true);
        }
}

void PiramidiPrevisioonali::aggiornaGriglie()
{
    statistiche_->sostituisci(piramide_.statistiche);
    classifica_->sostituisci(piramide_.classifica);
    // A new level is a pyramid of other columns.
    if (righePiramide_->columnCount() != piramide_.livello()) {
        righePiramide_->setColonne(colonnePiramide(piramide_.livello()));
        Fg1->aggiorna();
    }
    righePiramide_->sostituisci(piramide_.righeFg1());
}

void PiramidiPrevisioonali::aggiornaGrafico()
{
    Grafico->azzera();
    const auto& valori = piramide_.valoriGrafico;
    if (valori.size() < 91)
        return;
    const QString nome = QString::fromLatin1(nomeCriterio(piramide_.criterioGrafico));
    Grafico->setTipo(ui::Grafico::Tipo::BarreImpilate);
    Grafico->setLarghezzaBarre(0.9);
    Grafico->setTitolo(nome + QStringLiteral(" dei 90 numeri"));
    Grafico->setTitoliAssi(QString(), nome);
    Grafico->setDecimaliY(piramide_.criterioGrafico == predictive::Criterio::Frequenza ? 1 : 0);
    // Bar i is number i + 1; the axis names 1, 10, 20 .. 90 under their bars.
    QStringList numeri;
    std::vector<int> nominati{0};
    for (int n = 1; n <= 90; ++n) {
        numeri << QString::number(n);
        if (n % 10 == 0)
            nominati.push_back(n - 1);
    }
    Grafico->setCategorie(numeri, nominati);
    // Two stacked sets, each number in one of them: the pyramid's numbers stand out in colour.
    SerieGrafico altri{QStringLiteral("Numeri"), QColor(110, 140, 190), {}, {}};
    SerieGrafico inPiramide{QStringLiteral("Nella piramide"), QColor(230, 120, 20), {}, {}};
    for (int n = 1; n <= 90; ++n) {
        const bool p = piramide_.inPiramide[n];
        altri.valori.push_back(p ? 0.0 : valori[n]);
        inPiramide.valori.push_back(p ? valori[n] : 0.0);
    }
    Grafico->aggiungiSerie(std::move(altri));
    Grafico->aggiungiSerie(std::move(inPiramide));
}

bool PiramidiPrevisioonali::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == Txt_Ultime && evento->type() == QEvent::MouseButtonDblClick) {
        Txt_Ultime->clear();
        return true;
    }
    if (evento->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < static_cast<int>(LblEST.size()); ++i)
            if (oggetto == LblEST[i]) {
                sceltaUltime(i);
                return true;
            }
    }
    return QWidget::eventFilter(oggetto, evento);
}

void registraPiramidiPrevisioonali()
{
    const QString nome = QStringLiteral("PiramidiPrevisioonali");
    registroFinestre().registra(nome, [](Contesto& c) -> QWidget* { return new PiramidiPrevisioonali(c); });
    registraSchermata(QStringLiteral("PiramidiPrevisioonali_piramide"), nome, [](QWidget* w) {
        auto* f = qobject_cast<PiramidiPrevisioonali*>(w);
        if (!f)
            return;
        predictive::selezionaRuote(f->ruote(), true);
        f->mostraRuote();
        if (auto* livello = f->findChild<QComboBox*>(QStringLiteral("ComboLivello")))
            livello->setCurrentText(QStringLiteral("8"));
        f->CalcolaPiramidePrevisionale();
        f->EvidenziaDiagonale();
    });
}

}
