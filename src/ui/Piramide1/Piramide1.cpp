// The window Piramide1: the reference bar, the panels laid out, the Alt letters and the opening state; the handlers are in Piramide1Comandi.cpp.
#include "ui/Piramide1/Piramide1.h"
#include "ui/Piramide1/PaginaConvalida.h"
#include "ui/common/GiocaAmbata.h"

#include "engine/Piramide.h"
#include "storage/ProgramDb.h"
#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/Piramide1/PannelloConfigurazioni.h"
#include "ui/Piramide1/PannelloOperatori.h"
#include "ui/Piramide1/PannelloPiramide.h"
#include "ui/Piramide1/PannelloRilevazione.h"
#include "ui/Piramide1/PannelloRisultati.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Abbinamenti.h"
#include "workbench/NoteRicerca.h"
#include "workbench/Trasferimenti.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {

// The Alt mnemonic of every command button. The main commands have letters of their
// own; a few rare ones share a letter with a button on another page, where Qt moves the
// focus between them and Space or Enter presses the one reached.
void assegnaTasti(QWidget* radice)
{
    // One letter per command in sight at once: the top row and the pyramid are always there,
    // with one page on the left (Rilevazione, Operatori, Salvate), one of the results and one
    // of the verifications (hidden while Convalida is in front, as the pyramid is). The
    // "Copia" buttons and the minor ones have none: Tab reaches them, Ctrl+C copies a grid.
    // RICAVA ESTRAZIONI is Alt+R from any page (the window's own shortcut, Piramide1::collega).
    // Letters: N D U C S L Z O always; T G (left); A F P I / B P / V A L (results);
    // M / V M / E M (verifications).
    static const std::pair<const char*, const char*> testi[] = {
        {"Command42(1)", "&N°"}, {"Command42(2)", "&Data"}, {"CmdAnnulla", "Ann&ulla ricerca"},
        {"CmdGuida", "Guida"}, {"Command2", "&Calcola"}, {"Command19", "Re&setta"}, {"Command15", "Cance&lla riga"},
        {"Command24", "Desele&ziona tutti"}, {"Command10", "NASC&ONDE"}, {"Command17", "Copia"},
        {"Command6", "Impos&ta"}, {"Command8", "Reset"}, {"Command9", "RICAVA ESTRAZIONI (Alt+R)"},
        {"Command22", "Seleziona &tutti"}, {"Command23", "Deseleziona tutti"}, {"Cmd_aggiunge", "A&ggiungi"},
        {"Command25", "Copia"}, {"Cmd_Elenco", "ELENCO"}, {"Command11", "SALVA CONFIGURAZIONE"},
        {"Command13", "Cancella seleziona&ta"}, {"Cmd_Step1", "&AMBATE"}, {"Command29", "Veri&fica formula"},
        {"Command21", "Im&posta"}, {"Command36", "Capog&ioco"}, {"Command18", "Copia"}, {"Command38", "A&BBINAMENTI"},
        {"Command7", "Im&posta"}, {"Command1", "Copia"}, {"Command5", "&MARCA"}, {"Command4", "Azzera grid"},
        {"Command12", "Caso"}, {"Command39", "Azzera grid"}, {"Command16", "Copia"}, {"Command40", "&VERIFICA"},
        {"Command3", "Copia"}, {"Command20", "Sta&mpa"}, {"Command26", "Resetta"}, {"Command31", "Tutti"},
        {"Command32", "Nessuno"}, {"Command27", "&ELABORA"}, {"Command30", "Copia"}, {"Command33", "Copia tutto"},
        {"Command28", "Sta&mpa"}};
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

}

Piramide1::Piramide1(Contesto& contesto, QWidget* genitore) : QWidget(genitore), contesto_(contesto)
{
    setObjectName(QStringLiteral("Piramide1"));
    setWindowTitle(titolo());
    // Grids of cases, bricks and results side by side: it opens filling the main window.
    setProperty("apriMassimizzata", true);
    setProperty("contestoHelp", ContestoHelp);
    costruisci();
    collega();
    lavoro_.collegaBarre(contesto_.pb1, contesto_.pb2);
    connect(&lavoro_, &LavoroDiFondo::avanzamento, this, [this](int barra, int valore, int massimo) {
        if (barra == 1 && massimo > 0)
            LabelRicerca->setText(QStringLiteral("Ricerca in corso: %1 di %2").arg(valore).arg(massimo));
    });
    connect(&confrontoCaso_, &LavoroDiFondo::avanzamento, this, [this](int barra, int valore, int massimo) {
        if (barra == 1 && massimo > 0)
            esiti_->LblMiglioreACaso->setText(QStringLiteral("Migliore a caso: prova %1 di %2...").arg(valore + 1).arg(massimo));
    });
    apri();
    // The settings change through many controls: the results' tags follow them a few times a second.
    auto* controllo = new QTimer(this);
    connect(controllo, &QTimer::timeout, this, &Piramide1::controllaEsiti);
    controllo->start(300);
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
    // The arrows move the reference one draw, Page Up/Down ten.
    hs1->setPageStep(10);
    hs1->setToolTip(QStringLiteral("Scorre l'archivio: l'estrazione scelta è quella di riferimento"));
    LabelRifE = etichetta(QStringLiteral("LabelRifE"), {}, rif);
    LabelRifE->setMinimumWidth(150);
    LabelRifE->setFrameShape(QFrame::Panel);
    LabelRifE->setFrameShadow(QFrame::Sunken);
    const char* navigazione[3][2] = {{">|", "Vai all'ultima estrazione"},
                                     {"N°", "Ricerca per numero estrazione"},
                                     {"Data", "Ricerca per data"}};
    gRif->addWidget(barraDaTastiera(hs1), 1);
    gRif->addWidget(LabelRifE);
    for (int i = 0; i < 3; ++i) {
        Command42Btn[i] = pulsante(QStringLiteral("Command42(%1)").arg(i), QString::fromUtf8(navigazione[i][0]),
                                   QString::fromUtf8(navigazione[i][1]), rif);
        Command42Btn[i]->setFixedWidth(i == 2 ? 44 : 32);
        gRif->addWidget(Command42Btn[i]);
    }
    Command14Btn = pulsante(QStringLiteral("Command14"), QStringLiteral("M"), QStringLiteral("Setta estrazione mensile"), rif);
    Command14Btn->setFixedWidth(32);
    gRif->addWidget(Command14Btn);
    cima->addWidget(rif, 1);
    List1 = new QListWidget(contenuto_);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFixedSize(80, 44);
    List1->setToolTip(QStringLiteral("Ora di inizio e di fine dell'ultimo comando"));
    // Two times to read, nothing to do there: not a stop of the Tab key.
    List1->setFocusPolicy(Qt::NoFocus);
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

    // Left the three pages, in the centre the pyramid, on the right results and verifications.
    SSTab1 = new QTabWidget(contenuto_);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(rilevazione_ = new PannelloRilevazione(banco_, FgNu_), QStringLiteral("Rilevazione"));
    SSTab1->addTab(operatori_ = new PannelloOperatori(banco_, pannello_), QStringLiteral("Operatori"));
    SSTab1->addTab(configurazioni_ = new PannelloConfigurazioni(pannello_), QStringLiteral("Salvate"));
    SSTab1->setFixedWidth(285);
    SSTab1->setUsesScrollButtons(false);
    risultati_ = new PannelloRisultati(banco_, contenuto_);
    esiti_ = risultati_->esiti();
    verifiche_ = risultati_->verifiche();
    // A new page of results goes here, after Ambate and Abbinamenti, with
    // esiti_->aggiungiPagina(pagina, titolo); a command on the result row with
    // esiti_->aggiungiComando(PannelloEsiti::Ambate, pulsante), wired in collegaRisultati.
    // Built here, before assegnaTasti, they get their Alt letters there.
    // Context menu: the row's ambata becomes a play of the window Giocate.
    esiti_->FgEsiti->aggiungiAzioneRiga(QStringLiteral("Gioca l'ambata"), QStringLiteral("GiocaAmbata"), [this](int r) {
        const bool riga = r >= 1 && static_cast<std::size_t>(r) <= banco_.esiti.size();
        giocaAmbata(contesto_,
                    riga ? QString::fromStdString(workbench::testoEsito(banco_.esiti[static_cast<std::size_t>(r - 1)],
                                                                        workbench::ColonnaPrevisione))
                         : QString(),
                    workbench::ruoteInGioco(banco_), banco_.colpi, banco_.riferimento, this,
                    riga ? QString::fromStdString(workbench::testoFormula(banco_.esiti[static_cast<std::size_t>(r - 1)]))
                         : QString());
    });
    auto* convalida = new PaginaConvalida(contesto_, banco_);
    esiti_->aggiungiPagina(convalida, QStringLiteral("Convalida"));
    connect(convalida, &PaginaConvalida::riferimentoScelto, this, [this](int d, bool mensile) {
        impostaRiferimento(d);
        if (mensile)
            Command14();
    });
    piramide_ = new PannelloPiramide(banco_, pannello_, contenuto_);
    // The replay uses neither the pyramid nor the cases: its rows and chart take their room
    // while they are in front.
    connect(convalida, &PaginaConvalida::inPrimoPiano, this, [this](bool davanti) {
        piramide_->setVisible(!davanti);
        verifiche_->setVisible(!davanti);
    });
    auto* corpo = new QHBoxLayout;
    // Tight gaps: on a 1366-pixel screen every column of the results fits, p included.
    corpo->setSpacing(3);
    corpo->addWidget(SSTab1);
    corpo->addWidget(piramide_);
    corpo->addWidget(risultati_, 1);
    bloccabili_ = {rif, SSTab1, piramide_, risultati_};
    for (QTabWidget* schede : {SSTab1, esiti_->SSTab2, static_cast<QTabWidget*>(verifiche_)})
        pagineDaTastiera(schede);

    auto* l = new QVBoxLayout(contenuto_);
    l->setContentsMargins(2, 2, 2, 2);
    l->addLayout(cima);
    l->addLayout(corpo, 1);
    // Under this the window scrolls instead of squeezing grids into nothing.
    contenuto_->setMinimumSize(880, 540);
    assegnaTasti(contenuto_);
    // The reference bar after its buttons in the Tab order: the first stop is not a control
    // that Page Up/Down would move silently.
    setTabOrder(Command14Btn, hs1);
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
    // Step 3: operators, saved configurations, type 1 chosen, empty pyramid, NASCONDE.
    caricaOperatori();
    if (!banco_.operatori.empty()) {
        workbench::operatoreCorrente(banco_, 1);
        operatori_->mostraOperatoreCorrente();
    }
    try {
        workbench::elencaConfigurazioni(contesto_.sessione.dbProgramma(), pannello_);
    } catch (const std::exception&) {
        // No program database (a window opened before the start-up finished): an empty list.
        pannello_.configurazioni.clear();
        pannello_.configurazioneScelta = 0;
    }
    workbench::selezionaTipo(banco_, 1, true);
    engine::SettaGridFGF(banco_.FgF, banco_.Fg5);
    workbench::nascondiColonne(banco_);
    mostraImpostazioni();
    aggiornaVista();
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
    operatori_->mostraCatalogo();
}

}
