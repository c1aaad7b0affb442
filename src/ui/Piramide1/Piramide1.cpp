// The window Piramide1: its controls, their layout and the opening state; the handlers are in Piramide1Comandi.cpp.
#include "ui/Piramide1/Piramide1.h"

#include "engine/Piramide.h"
#include "storage/ProgramDb.h"
#include "ui/common/Controlli.h"
#include "ui/common/GiocaAmbata.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Abbinamenti.h"
#include "workbench/Trasferimenti.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

// A wrapped text of fixed room: a label that reports a height for its width would make the
// scroll area size the whole window by it and scroll where nothing needs to.
class TestoAcapo : public QLabel {
public:
    TestoAcapo(const QString& nome, const QString& testo, QWidget* genitore) : QLabel(testo, genitore)
    {
        setObjectName(nome);
        setWordWrap(true);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    bool hasHeightForWidth() const override { return false; }
};

// A label that acts as a button (LblPN, LabelT, Lbl_Riga, Lbl_setta, Lbl0).
QLabel* etichettaCliccabile(const QString& nome, const QString& testo, const QString& tooltip, QWidget* genitore,
                            QObject* filtro)
{
    auto* l = etichetta(nome, testo, genitore);
    l->setAlignment(Qt::AlignCenter);
    l->setCursor(Qt::PointingHandCursor);
    l->setFrameShape(QFrame::Box);
    l->setMinimumWidth(26);
    l->setContentsMargins(4, 0, 4, 0);
    if (!tooltip.isEmpty())
        l->setToolTip(tooltip);
    // Reached with Tab, pressed with Space or Enter (the window's event filter).
    l->setFocusPolicy(Qt::StrongFocus);
    l->installEventFilter(filtro);
    return l;
}

QComboBox* combo(const QString& nome, const QStringList& voci, int scelta, const QString& tooltip, QWidget* genitore)
{
    auto* c = new QComboBox(genitore);
    c->setObjectName(nome);
    c->addItems(voci);
    c->setCurrentIndex(scelta);
    if (!tooltip.isEmpty())
        c->setToolTip(tooltip);
    return c;
}

QStringList numeriDa(int primo, int ultimo, int passo = 1)
{
    QStringList l;
    for (int n = primo; n <= ultimo; n += passo)
        l << QString::number(n);
    return l;
}

QStringList sigleRuote()
{
    QStringList l;
    for (const auto& s : archive::SigleRuote)
        l << QString::fromStdString(std::string(s));
    return l;
}

QListWidget* lista(const QString& nome, const QStringList& voci, const QString& tooltip, QWidget* genitore)
{
    auto* l = new QListWidget(genitore);
    l->setObjectName(nome);
    l->addItems(voci);
    l->setCurrentRow(0);
    l->setToolTip(tooltip);
    l->setFixedHeight(84);
    l->setMinimumWidth(44);
    return l;
}

GrigliaView* griglia(const QString& nome, grid::Grid& g, QWidget* genitore, int altezzaMinima = 80)
{
    auto* v = new GrigliaView(g, genitore);
    v->setObjectName(nome);
    v->setMinimumHeight(altezzaMinima);
    v->horizontalHeader()->setMinimumSectionSize(16);
    v->verticalHeader()->setVisible(false);
    return v;
}

// The Alt mnemonic of every command button. The main commands have letters of their
// own; a few rare ones share a letter with a button on another page, where Qt moves the
// focus between them and Space or Enter presses the one reached.
void assegnaTasti(QWidget* radice)
{
    static const std::pair<const char*, const char*> testi[] = {
        {"Command42(1)", "&N°"}, {"Command42(2)", "&Data"}, {"CmdAnnulla", "Ann&ulla ricerca"},
        {"CmdGuida", "&Guida"}, {"Command6", "Im&posta"}, {"Command8", "Rese&t"}, {"Command9", "&RICAVA ESTRAZIONI"},
        {"Command22", "Seleziona &tutti"}, {"Command23", "Deselezi&ona tutti"}, {"Cmd_aggiunge", "A&ggiungi"},
        {"Command25", "C&opia"}, {"Cmd_Elenco", "E&LENCO"}, {"Command11", "SALVA CON&FIGURAZIONE"},
        {"Command13", "Cancella s&elezionata"}, {"Command2", "&Calcola"}, {"Command19", "Re&setta"},
        {"Command15", "Cance&lla riga"}, {"Command24", "Desele&ziona tutti"}, {"Command10", "NASC&ONDE"},
        {"Command17", "C&opia"}, {"Cmd_Step1", "&AMBATE"}, {"Command29", "Veri&fica formula"},
        {"Command21", "&Imposta"}, {"Command36", "Capogioc&o"}, {"Command18", "C&opia"}, {"Command38", "A&BBINAMENTI"},
        {"Command7", "&Imposta"}, {"Command1", "C&opia"}, {"Command5", "&MARCA"}, {"Command4", "Azz&era grid"},
        {"Command12", "Cas&o"}, {"Command39", "A&zzera grid"}, {"Command16", "C&opia"}, {"Command40", "&VERIFICA"},
        {"Command3", "C&opia"}, {"Command20", "Stam&pa"}, {"Command26", "Re&setta"}, {"Command31", "T&utti"},
        {"Command32", "&Nessuno"}, {"Command27", "&ELABORA"}, {"Command30", "C&opia"}, {"Command33", "Copia tu&tto"},
        {"Command28", "Stam&pa"}};
    for (const auto& [nome, testo] : testi)
        if (auto* b = radice->findChild<QPushButton*>(QString::fromLatin1(nome)))
            b->setText(QString::fromUtf8(testo));
    // The symbol buttons: Alt+End the newest draw, Alt+1..5 the verification columns of the
    // page in view (Qt gives a shortcut to the visible button only).
    // The tooltips keep their own texts: these keys are in the help page.
    if (auto* b = radice->findChild<QPushButton*>(QStringLiteral("Command42(0)")))
        b->setShortcut(QKeySequence(Qt::ALT | Qt::Key_End));
    if (auto* b = radice->findChild<QPushButton*>(QStringLiteral("Command14")))
        b->setShortcut(QKeySequence(Qt::ALT | Qt::Key_K));
    for (int k = 1; k <= 5; ++k)
        for (const QString& nome : {QStringLiteral("Cmd_Colonna(%1)").arg(k), QStringLiteral("Cmd_Ambo(%1)").arg(k)})
            if (auto* b = radice->findChild<QPushButton*>(nome))
                b->setText(QStringLiteral("&%1").arg(k));
}

// A row of widgets, left to right, with the rest of the line empty.
QHBoxLayout* fila(std::initializer_list<QWidget*> widgets)
{
    auto* l = new QHBoxLayout;
    for (auto* w : widgets)
        l->addWidget(w);
    l->addStretch();
    return l;
}

}

Piramide1::Piramide1(Contesto& contesto, QWidget* genitore) : QWidget(genitore), contesto_(contesto)
{
    setObjectName(QStringLiteral("Piramide1"));
    setWindowTitle(titolo());
    // Grids of cases, bricks and results side by side: it opens filling the main window.
    setProperty("apriMassimizzata", true);
    setProperty("contestoHelp", ContestoHelp);
    workbench::preparaTabelloneNumeri(FgNu_);
    FgC_.setColonne(15);
    FgC_.setRighe(1);
    for (int m = 1; m <= engine::NumeroMattoni; ++m) {
        FgC_.setNumero(0, m - 1, m);
        FgC_.setAllineamento(m - 1, grid::Allineamento::Centro);
        FgC_.setLarghezza(m - 1, 330);
    }
    costruisci();
    collega();
    lavoro_.collegaBarre(contesto_.pb1, contesto_.pb2);
    connect(&lavoro_, &LavoroDiFondo::avanzamento, this, [this](int barra, int valore, int massimo) {
        if (barra == 1 && massimo > 0)
            LabelRicerca->setText(QStringLiteral("Ricerca in corso: %1 di %2").arg(valore).arg(massimo));
    });
    connect(&confrontoCaso_, &LavoroDiFondo::avanzamento, this, [this](int barra, int valore, int massimo) {
        if (barra == 1 && massimo > 0)
            LblMiglioreACaso->setText(QStringLiteral("Migliore a caso: prova %1 di %2...").arg(valore + 1).arg(massimo));
    });
    apri();
}

Piramide1::~Piramide1()
{
    fermaRicerca();
    // The grid views show grids this object owns: they go before the grids do.
    delete area_;
}

GrigliaView* Piramide1::vista(const QString& nome) const { return findChild<GrigliaView*>(nome); }

void Piramide1::costruisci()
{
    auto* radice = new QVBoxLayout(this);
    radice->setContentsMargins(0, 0, 0, 0);
    area_ = new QScrollArea(this);
    area_->setWidgetResizable(true);
    area_->setFrameShape(QFrame::NoFrame);
    radice->addWidget(area_);
    contenuto_ = new QWidget;
    contenuto_->setObjectName(QStringLiteral("contenuto"));
    area_->setWidget(contenuto_);

    // Reference draw, List1 and the state of a running search: always in view.
    auto* cima = new QHBoxLayout;
    auto* rif = new QGroupBox(QStringLiteral("Estrazione di riferimento"), contenuto_);
    auto* gRif = new QHBoxLayout(rif);
    gRif->setContentsMargins(6, 2, 6, 2);
    hs1 = new QScrollBar(Qt::Horizontal, rif);
    hs1->setObjectName(QStringLiteral("hs1"));
    hs1->setMinimumWidth(120);
    // The arrows move the reference one draw, Page Up/Down ten: reached with Tab.
    hs1->setFocusPolicy(Qt::StrongFocus);
    hs1->setPageStep(10);
    hs1->setToolTip(QStringLiteral("Scorre l'archivio: l'estrazione scelta è quella di riferimento"));
    LabelRifE = etichetta(QStringLiteral("LabelRifE"), {}, rif);
    LabelRifE->setMinimumWidth(150);
    LabelRifE->setFrameShape(QFrame::Panel);
    LabelRifE->setFrameShadow(QFrame::Sunken);
    const char* navigazione[3][2] = {{">|", "Vai all'ultima estrazione"},
                                     {"N°", "Ricerca per numero estrazione"},
                                     {"Data", "Ricera per data"}};
    gRif->addWidget(hs1, 1);
    gRif->addWidget(LabelRifE);
    for (int i = 0; i < 3; ++i) {
        Command42Btn[i] = pulsante(QStringLiteral("Command42(%1)").arg(i), QString::fromUtf8(navigazione[i][0]),
                                   QString::fromUtf8(navigazione[i][1]), rif);
        Command42Btn[i]->setFixedWidth(i == 2 ? 44 : 32);
        gRif->addWidget(Command42Btn[i]);
    }
    Command14Btn = pulsante(QStringLiteral("Command14"), QStringLiteral("M"), QStringLiteral("Setta estrazione mensìle"), rif);
    Command14Btn->setFixedWidth(32);
    gRif->addWidget(Command14Btn);
    cima->addWidget(rif, 1);
    List1 = new QListWidget(contenuto_);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFixedSize(80, 44);
    List1->setToolTip(QStringLiteral("Ora di inizio e di fine dell'ultimo comando"));
    cima->addWidget(List1);
    LabelRicerca = etichetta(QStringLiteral("LabelRicerca"), {}, contenuto_);
    LabelRicerca->setMinimumWidth(110);
    CmdAnnulla = pulsante(QStringLiteral("CmdAnnulla"), QStringLiteral("Annulla ricerca"),
                          QStringLiteral("Ferma la ricerca in corso: i risultati precedenti restano"), contenuto_);
    CmdAnnulla->setEnabled(false);
    auto* CmdGuida = pulsante(QStringLiteral("CmdGuida"), QStringLiteral("Guida"),
                              QStringLiteral("La guida di questa finestra (F1)"), contenuto_);
    connect(CmdGuida, &QPushButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(ContestoHelp, this);
    });
    cima->addWidget(LabelRicerca, 1);
    cima->addWidget(CmdAnnulla);
    cima->addWidget(CmdGuida);

    SSTab1 = new QTabWidget(contenuto_);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(costruisciRilevazione(), QStringLiteral("Rilevazione"));
    SSTab1->addTab(costruisciOperatori(), QStringLiteral("Operatori"));
    SSTab1->addTab(costruisciConfigurazioni(), QStringLiteral("Salvate"));
    SSTab1->setFixedWidth(285);
    SSTab1->setUsesScrollButtons(false);

    auto* destra = destra_ = new QSplitter(Qt::Vertical, contenuto_);
    destra->setChildrenCollapsible(false);
    destra->addWidget(costruisciEsiti());
    destra->addWidget(costruisciVerifiche());
    // The results first: ten rows in sight; the cases scroll below them.
    destra->setStretchFactor(0, 3);
    destra->setStretchFactor(1, 2);
    destra->setSizes({600, 400});

    auto* piramide = costruisciPiramide();
    auto* corpo = new QHBoxLayout;
    corpo->addWidget(SSTab1);
    corpo->addWidget(piramide);
    corpo->addWidget(destra, 1);
    bloccabili_ = {rif, SSTab1, piramide, destra};

    auto* l = new QVBoxLayout(contenuto_);
    l->setContentsMargins(4, 4, 4, 4);
    l->addLayout(cima);
    l->addLayout(corpo, 1);
    // Under this the window scrolls instead of squeezing grids into nothing.
    contenuto_->setMinimumSize(880, 540);
    assegnaTasti(contenuto_);
    // The bricks are reached from their grid FgF; each row of labels is one Tab stop.
    for (int m = 1; m <= engine::NumeroMattoni; ++m)
        Lbl0[m]->setFocusPolicy(Qt::NoFocus);
    gruppiTasti_ = {{findChild<QLabel*>(QStringLiteral("LabelTutte")), findChild<QLabel*>(QStringLiteral("LabelNessuna"))},
                    {LblPN.begin(), LblPN.end()},
                    {LabelT.begin() + 1, LabelT.end()},
                    {LblRiga.begin() + 1, LblRiga.end()},
                    {LblSetta.begin() + 1, LblSetta.end()}};
    for (const auto& gruppo : gruppiTasti_)
        for (std::size_t i = 1; i < gruppo.size(); ++i)
            gruppo[i]->setFocusPolicy(Qt::ClickFocus);
}

QWidget* Piramide1::costruisciRilevazione()
{
    auto* p = new QWidget;
    auto* g = new QGridLayout(p);
    g->setContentsMargins(4, 4, 4, 4);
    g->setVerticalSpacing(3);
    ComboR1 = combo(QStringLiteral("ComboR1"), sigleRuote(), 0, QStringLiteral("Ruota base della rilevazione"), p);
    FgRG = griglia(QStringLiteral("FgRG"), banco_.FgRG, p, 0);
    FgRG->setFisse(0, 0);
    FgRG->horizontalHeader()->setVisible(false);
    FgRG->setFixedHeight(FgRG->verticalHeader()->defaultSectionSize() + 4);
    FgRG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgRG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgRG->setToolTip(QStringLiteral("Ruote in gioco (verde): clic per scegliere"));
    for (int w = 0; w < archive::NumeroRuote; ++w)
        banco_.FgRG.setLarghezza(w, 375);
    auto* tutte = etichettaCliccabile(QStringLiteral("LabelTutte"), QStringLiteral("Seleziona tutti"),
                                      QStringLiteral("Tutte le ruote in gioco"), p, this);
    auto* nessuna = etichettaCliccabile(QStringLiteral("LabelNessuna"), QStringLiteral("Deseleziona"),
                                        QStringLiteral("Nessuna ruota in gioco"), p, this);
    auto* posizioni = new QHBoxLayout;
    posizioni->addWidget(etichetta(QStringLiteral("LabelPosizioni"), QStringLiteral("Posizioni"), p));
    for (int k = 0; k < 5; ++k) {
        LblPN[k] = etichettaCliccabile(QStringLiteral("LblPN(%1)").arg(k), QString::number(k + 1),
                                       QStringLiteral("Posizione %1 (verde = scelta)").arg(k + 1), p, this);
        posizioni->addWidget(LblPN[k]);
    }
    posizioni->addStretch();
    QStringList filtri;
    for (auto n : workbench::NomiRilevazione)
        filtri << QString::fromStdString(std::string(n));
    ComboFiltro = combo(QStringLiteral("ComboFiltro"), filtri, 0, QStringLiteral("Tipo rilevazione"), p);
    ComboPar = combo(QStringLiteral("ComboPar"), QStringList{QStringLiteral("U")} + numeriDa(1, 31), 2,
                     QStringLiteral("Estrazione del mese (U = ultima)"), p);
    Ch_ultima = new QCheckBox(QStringLiteral("Forza ultima"), p);
    Ch_ultima->setObjectName(QStringLiteral("Ch_ultima"));
    Ch_ultima->setToolTip(QStringLiteral("Con \"U\" anche l'ultima estrazione dell'archivio può essere un caso"));
    ComboQNu = combo(QStringLiteral("ComboQNu"), numeriDa(1, 5), 0,
                     QStringLiteral("Quante corrispondenze servono perché un'estrazione sia un caso"), p);
    ComboNC = combo(QStringLiteral("ComboNC"), numeriDa(1, 50), 11, QStringLiteral("N° casi"), p);
    Combo3 = combo(QStringLiteral("Combo3"), numeriDa(1, 20), 7, QStringLiteral("Colpi"), p);
    ComboEle = combo(QStringLiteral("ComboEle"), numeriDa(100, 1000, 50), 0,
                     QStringLiteral("Righe tenute dalle ricerche"), p);

    FgNu = griglia(QStringLiteral("FgNu"), FgNu_, p, 0);
    FgNu->setFisse(0, 0);
    FgNu->horizontalHeader()->setVisible(false);
    FgNu->setFixedHeight(9 * FgNu->verticalHeader()->defaultSectionSize() + 4);
    FgNu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgNu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgNu->setToolTip(QStringLiteral("Numeri della rilevazione (ciano): clic per scegliere"));
    auto* Command6Btn = pulsante(QStringLiteral("Command6"), QStringLiteral("Imposta"),
                                 QStringLiteral("Scrive i numeri scelti nella casella"), p);
    auto* Command8Btn = pulsante(QStringLiteral("Command8"), QStringLiteral("Reset"),
                                 QStringLiteral("Azzera il tabellone"), p);
    TxtNumeri = new QLineEdit(p);
    TxtNumeri->setObjectName(QStringLiteral("TxtNumeri"));
    TxtNumeri->setToolTip(QStringLiteral("Numeri della rilevazione (doppio clic per svuotare)"));
    TxtNumeri->installEventFilter(this);
    // Filled by the number board (Imposta) and by loading only: typing, paste, delete and drop would
    // leave a detection the board does not show.
    TxtNumeri->setReadOnly(true);
    TxtNumeri->setAcceptDrops(false);
    auto* Command9Btn = pulsante(QStringLiteral("Command9"), QStringLiteral("RICAVA ESTRAZIONI"),
                                 QStringLiteral("Ricava i casi dall'archivio"), p);
    Command9Btn->setMinimumHeight(30);

    int r = 0;
    g->addWidget(etichetta(QStringLiteral("Label1"), QStringLiteral("Ruota"), p), r, 0);
    g->addWidget(ComboR1, r++, 1, Qt::AlignLeft);
    g->addWidget(FgRG, r++, 0, 1, 2);
    g->addLayout(fila({tutte, nessuna}), r++, 0, 1, 2);
    g->addLayout(posizioni, r++, 0, 1, 2);
    g->addWidget(etichetta(QStringLiteral("Label2"), QStringLiteral("Tipo rilevazione"), p), r, 0);
    g->addWidget(ComboFiltro, r++, 1);
    g->addWidget(etichetta(QStringLiteral("Label4"), QStringLiteral("Mensile"), p), r, 0);
    g->addLayout(fila({ComboPar, Ch_ultima}), r++, 1);
    g->addWidget(etichetta(QStringLiteral("Label5"), QStringLiteral("QN"), p), r, 0);
    g->addLayout(fila({ComboQNu, etichetta(QStringLiteral("Label6"), QStringLiteral("N° casi"), p), ComboNC}), r++, 1);
    g->addWidget(etichetta(QStringLiteral("Label7"), QStringLiteral("Colpi"), p), r, 0);
    g->addLayout(fila({Combo3, etichetta(QStringLiteral("Label8"), QStringLiteral("Lista"), p), ComboEle}), r++, 1);
    g->addWidget(FgNu, r++, 0, 1, 2);
    g->addLayout(fila({Command6Btn, Command8Btn}), r++, 0, 1, 2);
    g->addWidget(TxtNumeri, r++, 0, 1, 2);
    g->addWidget(Command9Btn, r++, 0, 1, 2);
    g->setRowStretch(r, 1);
    connect(Command6Btn, &QPushButton::clicked, this, &Piramide1::Command6);
    connect(Command8Btn, &QPushButton::clicked, this, &Piramide1::Command8);
    connect(Command9Btn, &QPushButton::clicked, this, &Piramide1::Command9);
    return p;
}

QWidget* Piramide1::costruisciOperatori()
{
    auto* p = new QWidget;
    auto* l = new QVBoxLayout(p);
    l->setContentsMargins(4, 4, 4, 4);
    FgOp = griglia(QStringLiteral("FgOp"), banco_.FgOp, p, 120);
    FgOp->setToolTip(QStringLiteral("Doppio clic: sceglie l'operatore per le ricerche (rosso)"));
    Label3 = new TestoAcapo(QStringLiteral("Label3"), {}, p);
    Label3->setFixedHeight(3 * Label3->fontMetrics().lineSpacing() + 6);
    Label3->setFrameShape(QFrame::Panel);
    Label3->setFrameShadow(QFrame::Sunken);
    auto* Command22Btn = pulsante(QStringLiteral("Command22"), QStringLiteral("Seleziona tutti"),
                                  QStringLiteral("Sceglie tutti gli operatori"), p);
    auto* Command23Btn = pulsante(QStringLiteral("Command23"), QStringLiteral("Deseleziona tutti"),
                                  QStringLiteral("Nessun operatore scelto"), p);
    auto* tipi = new QHBoxLayout;
    tipi->addWidget(etichetta(QStringLiteral("LabelTipi"), QStringLiteral("Tipo"), p));
    for (int t = 1; t <= 7; ++t) {
        LabelT[t] = etichettaCliccabile(QStringLiteral("LabelT(%1)").arg(t), QString::number(t),
                                        QStringLiteral("Sceglie o toglie tutti gli operatori di tipo %1").arg(t), p, this);
        tipi->addWidget(LabelT[t]);
    }
    tipi->addStretch();

    auto* editor = new QGroupBox(QStringLiteral("Mattone"), p);
    auto* g = new QGridLayout(editor);
    g->setContentsMargins(4, 2, 4, 2);
    const QStringList posizioni = numeriDa(1, 5);
    ListP1 = lista(QStringLiteral("ListP1"), posizioni, QStringLiteral("Posizione del primo numero"), editor);
    ListR1 = lista(QStringLiteral("ListR1"), sigleRuote(), QStringLiteral("Ruota del primo numero"), editor);
    ListP2 = lista(QStringLiteral("ListP2"), posizioni, QStringLiteral("Posizione del secondo numero"), editor);
    ListR2 = lista(QStringLiteral("ListR2"), sigleRuote(), QStringLiteral("Ruota del secondo numero"), editor);
    ListVal = lista(QStringLiteral("ListVal"), numeriDa(0, 90), QStringLiteral("Valore del mattone"), editor);
    const char* titoli[] = {"E1", "R1", "E2", "R2", "VAL"};
    QListWidget* liste[] = {ListP1, ListR1, ListP2, ListR2, ListVal};
    for (int i = 0; i < 5; ++i) {
        g->addWidget(etichetta(QStringLiteral("LabelEditor%1").arg(i), QString::fromLatin1(titoli[i]), editor), 0, i,
                     Qt::AlignCenter);
        g->addWidget(liste[i], 1, i);
    }
    auto* Cmd_aggiungeBtn = pulsante(QStringLiteral("Cmd_aggiunge"), QStringLiteral("Aggiungi"),
                                     QStringLiteral("Scrive l'operatore scelto nel mattone evidenziato"), editor);
    g->addWidget(Cmd_aggiungeBtn, 2, 0, 1, 5);
    FgC = griglia(QStringLiteral("FgC"), FgC_, editor, 0);
    FgC->setFisse(0, 0);
    FgC->horizontalHeader()->setVisible(false);
    FgC->setFixedHeight(FgC->verticalHeader()->defaultSectionSize() + 4 + FgC->horizontalScrollBar()->sizeHint().height());
    FgC->setToolTip(QStringLiteral("Mattone di destinazione"));
    auto* Command25Btn = pulsante(QStringLiteral("Command25"), QStringLiteral("Copia"),
                                  QStringLiteral("Copia mattone evidenziato in quello di destinazione"), editor);
    g->addWidget(etichetta(QStringLiteral("LabelDestinazione"), QStringLiteral("Destinazione"), editor), 3, 0, 1, 2);
    g->addWidget(Command25Btn, 3, 3, 1, 2);
    g->addWidget(FgC, 4, 0, 1, 5);

    l->addWidget(FgOp, 1);
    l->addWidget(Label3);
    l->addLayout(fila({Command22Btn, Command23Btn}));
    l->addLayout(tipi);
    l->addWidget(editor);
    connect(Command22Btn, &QPushButton::clicked, this, [this] {
        workbench::selezionaOperatori(banco_, true);
        aggiornaVista();
    });
    connect(Command23Btn, &QPushButton::clicked, this, [this] {
        workbench::selezionaOperatori(banco_, false);
        aggiornaVista();
    });
    connect(Cmd_aggiungeBtn, &QPushButton::clicked, this, &Piramide1::Cmd_aggiunge);
    connect(Command25Btn, &QPushButton::clicked, this, &Piramide1::Command25);
    return p;
}

QWidget* Piramide1::costruisciConfigurazioni()
{
    auto* p = new QWidget;
    auto* l = new QVBoxLayout(p);
    l->setContentsMargins(4, 4, 4, 4);
    FgPir1 = griglia(QStringLiteral("FgPir1"), pannello_.FgPir1, p, 120);
    FgPir1->setToolTip(QStringLiteral("Doppio clic: carica la configurazione"));
    Txt_Denominazione = new QLineEdit(p);
    Txt_Denominazione->setObjectName(QStringLiteral("Txt_Denominazione"));
    Txt_Denominazione->setMaxLength(static_cast<int>(workbench::MaxDenominazione));
    Txt_Denominazione->setToolTip(QStringLiteral("Nome della configurazione (doppio clic per svuotare)"));
    Txt_Denominazione->installEventFilter(this);
    auto* Cmd_ElencoBtn = pulsante(QStringLiteral("Cmd_Elenco"), QStringLiteral("ELENCO"),
                                   QStringLiteral("Elenca le configurazioni salvate"), p);
    auto* Command11Btn = pulsante(QStringLiteral("Command11"), QStringLiteral("SALVA CONFIGURAZIONE"),
                                  QStringLiteral("Salva piramide e impostazioni con la denominazione scritta"), p);
    auto* Command13Btn = pulsante(QStringLiteral("Command13"), QStringLiteral("Cancella selezionata"),
                                  QStringLiteral("Cancella la configurazione selezionata"), p);
    l->addWidget(FgPir1, 1);
    l->addWidget(etichetta(QStringLiteral("Label9"), QStringLiteral("Denominazione (Max 100 caratteri)"), p));
    l->addWidget(Txt_Denominazione);
    l->addLayout(fila({Cmd_ElencoBtn, Command13Btn}));
    l->addWidget(Command11Btn);
    connect(Cmd_ElencoBtn, &QPushButton::clicked, this, &Piramide1::Cmd_Elenco);
    connect(Command11Btn, &QPushButton::clicked, this, &Piramide1::Command11);
    connect(Command13Btn, &QPushButton::clicked, this, &Piramide1::Command13);
    return p;
}

QWidget* Piramide1::costruisciPiramide()
{
    auto* p = new QGroupBox(QStringLiteral("Piramide"), contenuto_);
    p->setObjectName(QStringLiteral("FramePiramide"));
    auto* l = new QVBoxLayout(p);
    l->setContentsMargins(4, 2, 4, 4);

    // The triangle: row k holds bricks primoMattone(k)..ultimoMattone(k), centred.
    auto* triangolo = new QVBoxLayout;
    triangolo->setSpacing(2);
    for (int livello = 1; livello <= 5; ++livello) {
        auto* riga = new QHBoxLayout;
        riga->setSpacing(2);
        riga->addStretch();
        for (int m = engine::primoMattone(livello); m <= engine::ultimoMattone(livello); ++m) {
            Lbl0[m] = etichettaCliccabile(QStringLiteral("Lbl0(%1)").arg(m), {},
                                          QStringLiteral("Mattone %1: clic per evidenziarlo").arg(m), p, this);
            Lbl0[m]->setFixedSize(34, 22);
            riga->addWidget(Lbl0[m]);
        }
        riga->addStretch();
        triangolo->addLayout(riga);
    }
    // What the bricks show, in the frame's tooltip: the room goes to the reference draw.
    p->setToolTip(QStringLiteral("Ogni mattone mostra il numero che la sua formula dà sull'estrazione di riferimento "
                                 "(1 il vertice, 11-15 la base). Clic su un mattone: i suoi numeri si colorano "
                                 "nell'estrazione, giallo il primo e verde il secondo."));
    FgEstratti = griglia(QStringLiteral("FgEstratti"), banco_.FgEstratti, p, 80);
    for (int c = 0; c < 6; ++c)
        banco_.FgEstratti.setLarghezza(c, 390);
    FgEstratti->setToolTip(QStringLiteral("Numeri dell'estrazione di riferimento"));
    // All eleven wheels at once.
    FgEstratti->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgEstratti->setFixedHeight(FgEstratti->horizontalHeader()->sizeHint().height()
                               + archive::NumeroRuote * FgEstratti->verticalHeader()->defaultSectionSize()
                               + 2 * FgEstratti->frameWidth());

    FgF = griglia(QStringLiteral("FgF"), banco_.FgF, p, 150);
    FgF->setToolTip(QStringLiteral("Clic: evidenzia il mattone; doppio clic: lo carica nell'editor; "
                                   "scrivendo in una cella il mattone cambia e la piramide si ricalcola"));
    auto* Command2Btn = pulsante(QStringLiteral("Command2"), QStringLiteral("Calcola"),
                                 QStringLiteral("Calcola la piramide sull'estrazione di riferimento"), p);
    auto* Command19Btn = pulsante(QStringLiteral("Command19"), QStringLiteral("Resetta"), QStringLiteral("Svuota la piramide"), p);
    auto* Command15Btn = pulsante(QStringLiteral("Command15"), QStringLiteral("Cancella riga"),
                                  QStringLiteral("Cancella riga selezionata"), p);
    auto* Command24Btn = pulsante(QStringLiteral("Command24"), QStringLiteral("Deseleziona tutti"),
                                  QStringLiteral("Toglie l'evidenziazione e i risultati dei mattoni"), p);
    auto* Command10Btn = pulsante(QStringLiteral("Command10"), QStringLiteral("NASCONDE"),
                                  QStringLiteral("Nasconde le colonne Ri, Co, Tipo e gli indici di ruota"), p);
    auto* Command17Btn = pulsante(QStringLiteral("Command17"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), p);
    Ch_AA = new QCheckBox(QStringLiteral("Calcola al cambio caso"), p);
    Ch_AA->setObjectName(QStringLiteral("Ch_AA"));
    Ch_AA->setToolTip(QStringLiteral("Il pulsante \"Caso\" ricalcola la piramide sul caso scelto"));

    l->addLayout(triangolo);
    l->addWidget(FgEstratti);
    l->addWidget(FgF, 1);
    auto* pulsanti = new QGridLayout;
    pulsanti->setSpacing(3);
    pulsanti->addWidget(Command2Btn, 0, 0);
    pulsanti->addWidget(Command19Btn, 0, 1);
    pulsanti->addWidget(Command15Btn, 1, 0);
    pulsanti->addWidget(Command24Btn, 1, 1);
    pulsanti->addWidget(Command10Btn, 2, 0);
    pulsanti->addWidget(Command17Btn, 2, 1);
    l->addLayout(pulsanti);
    l->addWidget(Ch_AA);
    p->setFixedWidth(262);
    connect(Command2Btn, &QPushButton::clicked, this, &Piramide1::Command2);
    connect(Command19Btn, &QPushButton::clicked, this, &Piramide1::Command19);
    connect(Command15Btn, &QPushButton::clicked, this, &Piramide1::Command15);
    connect(Command24Btn, &QPushButton::clicked, this, &Piramide1::Command24);
    connect(Command10Btn, &QPushButton::clicked, this, &Piramide1::Command10);
    connect(Command17Btn, &QPushButton::clicked, this, [this] { copia(QStringLiteral("FgF")); });
    return p;
}

QWidget* Piramide1::costruisciEsiti()
{
    SSTab2 = new QTabWidget;
    SSTab2->setObjectName(QStringLiteral("SSTab2"));

    auto* ambate = new QWidget;
    auto* la = new QVBoxLayout(ambate);
    la->setContentsMargins(4, 4, 4, 4);
    auto* Cmd_Step1Btn = pulsante(QStringLiteral("Cmd_Step1"), QStringLiteral("AMBATE"),
                                  QStringLiteral("Cerca le formule che danno l'ambata sui casi"), ambate);
    Ch_CasiScoperti = new QCheckBox(QStringLiteral("Casi scoperti"), ambate);
    Ch_CasiScoperti->setObjectName(QStringLiteral("Ch_CasiScoperti"));
    Ch_CasiScoperti->setToolTip(QStringLiteral("Le ricerche saltano i casi già coperti (segnati con MARCA)"));
    FgEsiti = griglia(QStringLiteral("FgEsiti"), banco_.FgEsiti, ambate, 90);
    // Context menu: the row's ambata becomes a play of the window Giocate.
    FgEsiti->aggiungiAzioneRiga(QStringLiteral("Gioca l'ambata"), QStringLiteral("GiocaAmbata"), [this](int r) {
        giocaAmbata(contesto_, QString::fromStdString(banco_.FgEsiti.testo(r, workbench::ColonnaPrevisione)),
                    workbench::ruoteInGioco(banco_), banco_.colpi, banco_.riferimento, this);
    });
    // Ten rows in sight.
    FgEsiti->setMinimumHeight(FgEsiti->horizontalHeader()->sizeHint().height()
                              + 10 * FgEsiti->verticalHeader()->defaultSectionSize() + 2 * FgEsiti->frameWidth());
    auto* colonne = new QHBoxLayout;
    colonne->addWidget(etichetta(QStringLiteral("LabelColonna"), QStringLiteral("Verifica in"), ambate));
    for (int k = 1; k <= 5; ++k) {
        auto* b = pulsante(QStringLiteral("Cmd_Colonna(%1)").arg(k), QString::number(k),
                           QStringLiteral("Verifica formula nella colonna %1").arg(k), ambate);
        b->setFixedWidth(26);
        colonne->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, k] { Cmd_Colonna(k); });
    }
    auto* Command29Btn = pulsante(QStringLiteral("Command29"), QStringLiteral("Verifica formula"),
                                  QStringLiteral("Verifica formula selezionata sui casi"), ambate);
    colonne->addStretch();
    auto* Command21Btn = pulsante(QStringLiteral("Command21"), QStringLiteral("Imposta"),
                                  QStringLiteral("Imposta la formula selezionata"), ambate);
    auto* Command36Btn = pulsante(QStringLiteral("Command36"), QStringLiteral("Capogioco"),
                                  QStringLiteral("Imposta come capogioco"), ambate);
    auto* Command18Btn = pulsante(QStringLiteral("Command18"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), ambate);
    la->addLayout(fila({Cmd_Step1Btn, Ch_CasiScoperti, Command18Btn}));
    la->addWidget(FgEsiti, 1);
    la->addLayout(colonne);
    la->addLayout(fila({Command21Btn, Command36Btn, Command29Btn}));
    connect(Cmd_Step1Btn, &QPushButton::clicked, this, &Piramide1::Cmd_Step1);
    connect(Command29Btn, &QPushButton::clicked, this, &Piramide1::Command29);
    connect(Command21Btn, &QPushButton::clicked, this, &Piramide1::Command21);
    connect(Command36Btn, &QPushButton::clicked, this, &Piramide1::Command36);
    connect(Command18Btn, &QPushButton::clicked, this, [this] { copia(QStringLiteral("FgEsiti")); });

    auto* abbinamenti = new QWidget;
    auto* lb = new QVBoxLayout(abbinamenti);
    lb->setContentsMargins(4, 4, 4, 4);
    auto* Command38Btn = pulsante(QStringLiteral("Command38"), QStringLiteral("ABBINAMENTI"),
                                  QStringLiteral("Cerca la formula da abbinare ai numeri del livello verificato"), abbinamenti);
    Option1 = new QRadioButton(QStringLiteral("2"), abbinamenti);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setToolTip(QStringLiteral("Ambo"));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("3"), abbinamenti);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setToolTip(QStringLiteral("Terno"));
    FgGr = griglia(QStringLiteral("FgGr"), banco_.FgGr, abbinamenti, 90);
    FgGr->setMinimumHeight(FgEsiti->minimumHeight());
    auto* ambi = new QHBoxLayout;
    ambi->addWidget(etichetta(QStringLiteral("LabelAmbo"), QStringLiteral("Verifica in"), abbinamenti));
    for (int k = 1; k <= 5; ++k) {
        auto* b = pulsante(QStringLiteral("Cmd_Ambo(%1)").arg(k), QString::number(k),
                           QStringLiteral("Verifica formula nella colonna %1").arg(k), abbinamenti);
        b->setFixedWidth(26);
        ambi->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, k] { Cmd_Ambo(k); });
    }
    ambi->addStretch();
    auto* Command7Btn = pulsante(QStringLiteral("Command7"), QStringLiteral("Imposta"),
                                 QStringLiteral("Imposta la formula selezionata"), abbinamenti);
    auto* Command1Btn = pulsante(QStringLiteral("Command1"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), abbinamenti);
    lb->addLayout(fila({Command38Btn, etichetta(QStringLiteral("LabelSorte"), QStringLiteral("Sorte"), abbinamenti),
                        Option1, Option2, Command1Btn}));
    lb->addWidget(FgGr, 1);
    lb->addLayout(ambi);
    lb->addLayout(fila({Command7Btn}));
    connect(Command38Btn, &QPushButton::clicked, this, &Piramide1::Command38);
    connect(Command7Btn, &QPushButton::clicked, this, &Piramide1::Command7);
    connect(Command1Btn, &QPushButton::clicked, this, [this] { copia(QStringLiteral("FgGr")); });

    SSTab2->addTab(ambate, QStringLiteral("Ambate"));
    SSTab2->addTab(abbinamenti, QStringLiteral("Abbinamenti"));

    // Under the results, what the same search scores on random cases (computed after it).
    auto* esiti = new QWidget;
    auto* le = new QVBoxLayout(esiti);
    le->setContentsMargins(0, 0, 0, 0);
    le->addWidget(SSTab2, 1);
    LblMiglioreACaso = etichetta(QStringLiteral("LblMiglioreACaso"), {}, esiti);
    LblMiglioreACaso->setWordWrap(true);
    LblMiglioreACaso->setToolTip(QStringLiteral(
        "La stessa ricerca ripetuta 20 volte su casi scelti a caso, ciascuno con i colpi del caso vero della "
        "stessa riga: quanti casi copre la formula migliore per puro caso (mai più dei casi verificabili), "
        "e in quante prove raggiunge la formula trovata. Le colonne Attesi e p di ogni riga "
        "dicono quanti casi il caso da solo coprirebbe e quanto è probabile coprirne altrettanti."));
    LblEsitoRicerca = etichetta(QStringLiteral("LblEsitoRicerca"), {}, esiti);
    LblEsitoRicerca->setWordWrap(true);
    LblEsitoRicerca->setStyleSheet(QStringLiteral("QLabel { color: #8b0000; }"));
    LblEsitoRicerca->hide();
    le->insertWidget(0, LblEsitoRicerca);
    le->addWidget(LblMiglioreACaso);
    connect(SSTab2, &QTabWidget::currentChanged, this, [this] { mostraMiglioreACaso(); });
    return esiti;
}

QWidget* Piramide1::costruisciVerifiche()
{
    SSTab3 = new QTabWidget;
    SSTab3->setObjectName(QStringLiteral("SSTab3"));

    // Cases and their numbers.
    auto* casi = new QWidget;
    auto* lc = new QGridLayout(casi);
    lc->setContentsMargins(4, 4, 4, 4);
    FgEv = griglia(QStringLiteral("FgEv"), banco_.FgEv, casi, 90);
    FgEv->setToolTip(QStringLiteral("Doppio clic: il caso diventa l'estrazione di riferimento"));
    FgX = griglia(QStringLiteral("FgX"), banco_.FgX, casi, 90);
    FgX->setToolTip(QStringLiteral("Doppio clic su una colonna: la svuota"));
    for (int c = 0; c < 6; ++c)
        banco_.FgX.setLarghezza(c, 400);
    auto* Command5Btn = pulsante(QStringLiteral("Command5"), QStringLiteral("MARCA"),
                                 QStringLiteral("Segna in verde i casi coperti dalla verifica"), casi);
    auto* Command4Btn = pulsante(QStringLiteral("Command4"), QStringLiteral("Azzera grid"),
                                 QStringLiteral("Toglie i segni dei casi"), casi);
    auto* Command12Btn = pulsante(QStringLiteral("Command12"), QStringLiteral("Caso"),
                                  QStringLiteral("Il caso selezionato diventa l'estrazione di riferimento"), casi);
    auto* Command39Btn = pulsante(QStringLiteral("Command39"), QStringLiteral("Azzera grid"),
                                  QStringLiteral("Una riga vuota per caso"), casi);
    auto* Command16Btn = pulsante(QStringLiteral("Command16"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), casi);
    lc->addWidget(FgEv, 0, 0);
    lc->addWidget(FgX, 0, 1);
    lc->addLayout(fila({Command5Btn, Command4Btn, Command12Btn}), 1, 0, 1, 2);
    lc->addLayout(fila({etichetta(QStringLiteral("LabelFgX"), QStringLiteral("Numeri per caso"), casi), Command39Btn,
                        Command16Btn}),
                  2, 0, 1, 2);
    lc->setColumnStretch(0, 0);
    lc->setColumnStretch(1, 1);
    FgX->setMinimumWidth(60);
    connect(Command5Btn, &QPushButton::clicked, this, &Piramide1::Command5);
    connect(Command4Btn, &QPushButton::clicked, this, &Piramide1::Command4);
    connect(Command12Btn, &QPushButton::clicked, this, &Piramide1::Command12);
    connect(Command39Btn, &QPushButton::clicked, this, &Piramide1::Command39);
    connect(Command16Btn, &QPushButton::clicked, this, [this] { copia(QStringLiteral("FgX")); });

    // Verification of one level or one formula.
    auto* verifica = new QWidget;
    auto* lv = new QVBoxLayout(verifica);
    lv->setContentsMargins(4, 4, 4, 4);
    auto* livelli = new QHBoxLayout;
    livelli->addWidget(etichetta(QStringLiteral("LabelLivelli"), QStringLiteral("Verifica livello"), verifica));
    for (int k = 1; k <= 5; ++k) {
        LblRiga[k] = etichettaCliccabile(QStringLiteral("Lbl_Riga(%1)").arg(k), QString::number(k),
                                          QStringLiteral("Verifica i mattoni del livello %1 sui casi").arg(k), verifica, this);
        livelli->addWidget(LblRiga[k]);
    }
    ComboLivello = combo(QStringLiteral("ComboLivello"), numeriDa(1, 5), 0,
                         QStringLiteral("Sorte richiesta dalla verifica"), verifica);
    auto* Command40Btn = pulsante(QStringLiteral("Command40"), QStringLiteral("VERIFICA"),
                                  QStringLiteral("Verifica i numeri di FgX sui colpi successivi"), verifica);
    auto* Command3Btn = pulsante(QStringLiteral("Command3"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), verifica);
    auto* Command20Btn = pulsante(QStringLiteral("Command20"), QStringLiteral("Stampa"), QStringLiteral("Stampa tabella"), verifica);
    livelli->addStretch();
    auto* verifiche = fila({etichetta(QStringLiteral("LabelSorteV"), QStringLiteral("Sorte"), verifica), ComboLivello,
                            Command40Btn, Command3Btn, Command20Btn});
    FgL = griglia(QStringLiteral("FgL"), banco_.FgL, verifica, 40);
    Fg_E = griglia(QStringLiteral("Fg_E"), banco_.Fg_E, verifica, 0);
    Fg_E->setFixedHeight(2 * Fg_E->verticalHeader()->defaultSectionSize() + 8);
    Fg5 = griglia(QStringLiteral("Fg5"), banco_.Fg5, verifica, 40);
    Fg5->setMaximumHeight(7 * Fg5->verticalHeader()->defaultSectionSize() + 6);
    Fg5->setToolTip(QStringLiteral("Formule verificate nelle colonne 1..5"));
    auto* setta = new QHBoxLayout;
    setta->addWidget(etichetta(QStringLiteral("LabelSetta"), QStringLiteral("Imposta livello"), verifica));
    for (int k = 1; k <= 5; ++k) {
        LblSetta[k] = etichettaCliccabile(QStringLiteral("Lbl_setta(%1)").arg(k), QString::number(k),
                                           QStringLiteral("Copia le righe 1..%1 nei mattoni del livello %1").arg(k),
                                           verifica, this);
        setta->addWidget(LblSetta[k]);
    }
    auto* Command26Btn = pulsante(QStringLiteral("Command26"), QStringLiteral("Resetta"),
                                  QStringLiteral("Svuota le formule verificate"), verifica);
    setta->addWidget(Command26Btn);
    setta->addStretch();
    lv->addLayout(livelli);
    lv->addLayout(verifiche);
    lv->addWidget(FgL, 3);
    lv->addWidget(Fg_E);
    lv->addLayout(setta);
    lv->addWidget(Fg5, 1);
    connect(Command40Btn, &QPushButton::clicked, this, &Piramide1::Command40);
    connect(Command3Btn, &QPushButton::clicked, this, [this] { copia(QStringLiteral("FgL")); });
    connect(Command20Btn, &QPushButton::clicked, this, &Piramide1::Command20);
    connect(Command26Btn, &QPushButton::clicked, this, &Piramide1::Command26);

    // ELABORA over several levels.
    auto* elabora = new QWidget;
    auto* le = new QGridLayout(elabora);
    le->setContentsMargins(4, 4, 4, 4);
    Fg7 = griglia(QStringLiteral("Fg7"), banco_.Fg7, elabora, 0);
    Fg7->setFisse(1, 0);
    Fg7->verticalHeader()->setVisible(true);
    Fg7->setFixedSize(70, 6 * Fg7->verticalHeader()->defaultSectionSize() + 6);
    Fg7->setToolTip(QStringLiteral("Livelli di ELABORA (verde): clic per scegliere, scrivere la sorte del livello"));
    auto* Command31Btn = pulsante(QStringLiteral("Command31"), QStringLiteral("Tutti"), QStringLiteral("Tutti i livelli"), elabora);
    auto* Command32Btn = pulsante(QStringLiteral("Command32"), QStringLiteral("Nessuno"), QStringLiteral("Nessun livello"), elabora);
    auto* Command27Btn = pulsante(QStringLiteral("Command27"), QStringLiteral("ELABORA"),
                                  QStringLiteral("Verifica i livelli scelti e riassume per caso"), elabora);
    auto* Command30Btn = pulsante(QStringLiteral("Command30"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), elabora);
    auto* Command33Btn = pulsante(QStringLiteral("Command33"), QStringLiteral("Copia tutto"), QStringLiteral("Copia tabella"), elabora);
    auto* Command28Btn = pulsante(QStringLiteral("Command28"), QStringLiteral("Stampa"), QStringLiteral("Stampa tabella"), elabora);
    FgY = griglia(QStringLiteral("FgY"), banco_.FgY, elabora, 90);
    Fg10 = griglia(QStringLiteral("Fg10"), banco_.Fg10, elabora, 60);
    // Two columns of buttons: the page stays low enough for the results above it.
    auto* comandi = new QGridLayout;
    comandi->addWidget(Fg7, 0, 0, 1, 2);
    int k = 0;
    for (auto* b : {Command31Btn, Command32Btn, Command27Btn, Command30Btn, Command33Btn, Command28Btn}) {
        comandi->addWidget(b, 1 + k / 2, k % 2);
        ++k;
    }
    comandi->setRowStretch(4, 1);
    le->addLayout(comandi, 0, 0, 2, 1);
    le->addWidget(FgY, 0, 1);
    le->addWidget(Fg10, 1, 1);
    le->setRowStretch(0, 3);
    le->setRowStretch(1, 2);
    connect(Command31Btn, &QPushButton::clicked, this, [this] {
        workbench::selezionaLivelli(banco_, true);
        Fg7->aggiorna();
    });
    connect(Command32Btn, &QPushButton::clicked, this, [this] {
        workbench::selezionaLivelli(banco_, false);
        Fg7->aggiorna();
    });
    connect(Command27Btn, &QPushButton::clicked, this, &Piramide1::Command27);
    connect(Command30Btn, &QPushButton::clicked, this, [this] { copia(QStringLiteral("FgY")); });
    connect(Command33Btn, &QPushButton::clicked, this, [this] { copia(QStringLiteral("FgY")); });
    connect(Command28Btn, &QPushButton::clicked, this, &Piramide1::Command28);

    SSTab3->addTab(casi, QStringLiteral("Casi"));
    SSTab3->addTab(verifica, QStringLiteral("Verifica"));
    SSTab3->addTab(elabora, QStringLiteral("Elabora"));
    return SSTab3;
}

void Piramide1::apri()
{
    archive::Archivio& a = contesto_.sessione.archivio();
    // Step 1 and 2: lists filled by costruisci; Bari in play, widths, reference draw, ComboPar.
    {
        const QSignalBlocker blocco(hs1);
        hs1->setRange(std::min(1, a.NumeroEstrazioni), a.NumeroEstrazioni);
    }
    workbench::apriBanco(banco_, a);
    for (int w = 0; w < archive::NumeroRuote; ++w)
        banco_.FgRG.setLarghezza(w, 375);
    for (int c = 0; c < 6; ++c) {
        banco_.FgEstratti.setLarghezza(c, 390);
        banco_.FgX.setLarghezza(c, 390);
    }
    // The brick grids fit the pyramid's column: narrower number, wheel and value columns.
    for (grid::Grid* g : {&banco_.FgF, &banco_.Fg5}) {
        g->setLarghezza(engine::colF::Riga, 350);
        g->setLarghezza(engine::colF::Tras, 600);
        g->setLarghezza(engine::colF::E1, 400);
        g->setLarghezza(engine::colF::RU1, 450);
        g->setLarghezza(engine::colF::E2, 400);
        g->setLarghezza(engine::colF::RU2, 450);
        g->setLarghezza(engine::colF::VAL, 400);
    }
    banco_.Fg7.setLarghezza(0, 700);
    // Narrow columns for the short numbers, so the grids show most of a row at once.
    auto larghezze = [](grid::Grid& g, std::initializer_list<int> twips) {
        int c = 0;
        for (int w : twips)
            g.setLarghezza(c++, w);
    };
    for (grid::Grid* g : {&banco_.FgEsiti, &banco_.FgGr})
        larghezze(*g, {100, 300, 300, 700, 250, 300, 300, 300, 300, 250, 300, 300, 300});
    preparaVisteEsiti();
    larghezze(banco_.FgEv, {300, 550, 1150, 350, 390, 390, 390, 390, 390});
    larghezze(banco_.FgL, {450, 650, 1250, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400});
    for (grid::Grid* g : {&banco_.FgY, &banco_.Fg10})
        larghezze(*g, {350, 650, 1250, 400, 500, 450, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 500});
    larghezze(banco_.Fg_E, {400, 500, 500, 500, 500, 400, 400, 400, 400, 400});
    // Step 3: operators, saved configurations, type 1 chosen, empty pyramid, NASCONDE.
    caricaOperatori();
    if (banco_.FgOp.righe() > 1) {
        workbench::operatoreCorrente(banco_, 1);
        mostraOperatoreCorrente();
    }
    try {
        workbench::elencaConfigurazioni(contesto_.sessione.dbProgramma(), pannello_.FgPir1);
    } catch (const std::exception&) {
        // No program database (a window opened before the start-up finished): an empty list.
        pannello_.FgPir1 = grid::Grid(1, 3);
    }
    workbench::selezionaTipo(banco_, 1, true);
    engine::SettaGridFGF(banco_.FgF, banco_.Fg5);
    workbench::nascondiColonne(banco_);
    mostraImpostazioni();
    aggiornaVista();
}

void Piramide1::preparaVisteEsiti()
{
    const char* suggerimenti[] = {
        "", "Cop: casi coperti, quelli in cui la formula esce entro i colpi",
        "Tot: ruote vincenti sommate su tutti i casi, nel primo colpo vincente di ciascuno",
        "Formula: il codice dell'operatore", "P1: posizione del primo numero", "",
        "Ru1: ruota del primo numero", "", "", "P2: posizione del secondo numero", "",
        "Ru2: ruota del secondo numero", "Val: il valore fisso, il numero (tipo 4) o il ritardo (tipo 5)",
        "Attesi: i casi che il puro caso coprirebbe in media",
        "p: probabilità di coprirne per puro caso almeno quanti ne copre la formula"};
    const std::pair<GrigliaView*, int> viste[] = {{FgEsiti, 0}, {FgGr, workbench::SorteAmbo}};
    for (const auto& [vista, sorte] : viste) {
        grid::Grid& g = vista->griglia();
        if (g.colonne() < workbench::ColonnaPrevisione + 1) {
            workbench::scriviConfronti(g, {}, {});
            workbench::scriviPrevisioni(g, {}, sorte);
        }
        // Header-wide (see adattaColonne), p as wide as "0,330".
        g.setLarghezza(13, 300);
        g.setLarghezza(14, 650);
        // The empty first column holds nothing a player reads: its room goes to p.
        g.setNascosta(0, true);
        g.setLarghezza(workbench::ColonnaPrevisione, 300);
        for (int c = 0; c < 15; ++c)
            if (*suggerimenti[c])
                vista->modello()->setSuggerimento(c, QString::fromUtf8(suggerimenti[c]));
        vista->modello()->setSuggerimento(
            workbench::ColonnaPrevisione,
            sorte == 0 ? QStringLiteral("Ambata: il numero da giocare, la formula calcolata sull'estrazione di riferimento")
                       : QStringLiteral("Abbinato: il numero che la formula, calcolata sull'estrazione di riferimento, "
                                        "aggiunge ai numeri del livello"));
        // Beside the formula, where the eye is, without scrolling.
        vista->spostaColonna(workbench::ColonnaPrevisione, 4);
    }
}

void Piramide1::caricaOperatori()
{
    std::vector<storage::RigaOperatore> operatori;
    try {
        operatori = storage::LeggiOperatori(contesto_.sessione.dbProgramma());
    } catch (const std::exception&) {
        operatori.clear();
    }
    workbench::elencaOperatori(banco_, operatori);
    auto& g = banco_.FgOp;
    g.setLarghezza(0, 300);
    g.setLarghezza(1, 1100);
    // Only the selection cell and the code are shown; the searches still read the type.
    for (int c = 2; c < g.colonne(); ++c)
        g.setNascosta(c, true);
}

}
