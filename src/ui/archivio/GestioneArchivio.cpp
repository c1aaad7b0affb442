// The window archivio: its pages and controls, the opening sequence, the shared routines, the registration.
#include "ui/archivio/GestioneArchivio.h"

#include "maintenance/Consultazione.h"
#include "maintenance/Esportazioni.h"
#include "maintenance/FileAggiornamento.h"
#include "maintenance/StoricoUfficiale.h"
#include "net/Scarico.h"
#include "storage/ProgramDb.h"
#include "ui/archivio/Controlli.h"
#include "ui/common/GrigliaView.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include <iterator>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

using archivio::etichetta;
using archivio::pulsante;
using archivio::pulsanteHelp;

GestioneArchivio::GestioneArchivio(Contesto& contesto, QWidget* genitore) : QWidget(genitore), contesto_(contesto)
{
    setObjectName(QStringLiteral("archivio"));
    setWindowTitle(titolo());
    costruisci();
    lavoro_.collegaBarre(contesto_.pb1, contesto_.pb2);
    apri();
}

GestioneArchivio::~GestioneArchivio()
{
    // A download still running ends without reporting to a window that is going.
    if (scarico_)
        scarico_->disconnect(this);
    if (cursoreOccupato_)
        QApplication::restoreOverrideCursor();
    // The grid views show grids this object owns: they go first.
    delete FgDB;
    delete Fg1;
    delete FgImporta;
}

void GestioneArchivio::costruisci()
{
    schede_ = new QTabWidget(this);
    schede_->setObjectName(QStringLiteral("SSTab1"));
    schede_->addTab(paginaInserimento(), QStringLiteral("Inserimento estrazioni"));
    schede_->addTab(paginaAggiornamento(), QStringLiteral("Aggiornamento archivio"));
    schede_->addTab(paginaEsportazione(), QStringLiteral("Esportazione archivio"));
    schede_->addTab(paginaArchivio(), QStringLiteral("Consultazione archivio"));
    schede_->addTab(paginaCalendario(), QStringLiteral("Calendario estrazioni"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(schede_);
    assegnaTasti();
    // F1 of the main window opens the help page of the page in front.
    const auto contestoDellaPagina = [this](int pagina) {
        static constexpr int contesti[] = {HelpInserimento, HelpAggiornamento, HelpAggiornamento, HelpConsultazione,
                                           HelpConsultazione};
        if (pagina >= 0 && pagina < static_cast<int>(std::size(contesti)))
            setProperty("contestoHelp", contesti[pagina]);
    };
    connect(schede_, &QTabWidget::currentChanged, this, contestoDellaPagina);
    contestoDellaPagina(schede_->currentIndex());
}

// The Alt mnemonic of every command button. Qt gives a mnemonic to the buttons of the page in
// view only, so a letter is unique within its page.
void GestioneArchivio::assegnaTasti()
{
    static const std::pair<const char*, const char*> testi[] = {
        // Inserimento estrazioni
        {"Command4", "Vai &ultima estrazione"}, {"Command9", "Imposta data &odierna"}, {"Command6", "Imposta &data"},
        {"Command8", "&SALVA ESTRAZIONE"}, {"Command3", "&MODIFICA ESTRAZIONE"}, {"Command2", "&ELIMINA ESTRAZIONE"},
        {"Command12", "&INCOLLA ESTRAZIONE"}, {"Command1", "&AZZERA GRID "},
        // Aggiornamento archivio
        {"Command21", "AGGIORNA DA &FILE"}, {"Command28", "AGGIORNA&MENTO"}, {"Command18", "&CONTROLLO AGGIORNAMENTI"},
        {"Command27", "&SCARICO FILE"}, {"Command26", "&Annulla"}, {"Command5", "C&OLLEGA AL SITO"},
        {"Command16", "&Incolla contenuto appunti"}, {"Command15", "&RENDE PREDEFINITO"}, {"Command62", "R&ENDE PREDEFINITO"},
        {"Command60", "AGGIORNA DA ARCHIVIO &UFFICIALE"}, {"Command61", "RENDE PRE&DEFINITO"},
        // Esportazione archivio
        {"Command10", "SALVA IN FORMATO &NUMERIS 3 (Dati.iii)"}, {"Command35", "&RENDE PREDEFINITA"},
        {"Command7", "SALVA IN FORMATO &QUINTAVO"}, {"Command36", "&Cartella di Quintavo..."},
        {"Command34", "SALVA NA&ZIONALE FORMATO TESTO"},
        // Consultazione archivio, Calendario estrazioni
        {"Command14", "Vai alla &prima estrazione"}, {"Command13", "Vai &ultima estrazione"},
        {"Command11", "S&elezione estrazione"}, {"Command42", "Ricerca per &numero indice"},
        {"Command59", "Ricerca per &data"}, {"Command24", "&Carica calendario"}};
    for (const auto& [nome, testo] : testi)
        if (auto* b = findChild<QPushButton*>(QString::fromLatin1(nome)))
            b->setText(QString::fromUtf8(testo));
}

QWidget* GestioneArchivio::paginaInserimento()
{
    auto* pagina = new QWidget;
    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(4);
    griglia->setVerticalSpacing(3);
    for (int p = 1; p <= 5; ++p) {
        auto* l = new QLabel(QStringLiteral("%1°").arg(p), pagina);
        l->setAlignment(Qt::AlignCenter);
        griglia->addWidget(l, 0, p);
    }
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        griglia->addWidget(new QLabel(QString::fromLatin1(archive::NomiRuote[w].data(),
                                                           static_cast<int>(archive::NomiRuote[w].size())), pagina),
                           w + 1, 0);
        for (int p = 1; p <= 5; ++p) {
            const int i = maintenance::casella(w, p);
            auto* e = new QLineEdit(pagina);
            e->setObjectName(QStringLiteral("txtin(%1)").arg(i));
            e->setMaxLength(2);
            e->setFixedWidth(38);
            e->setAlignment(Qt::AlignCenter);
            e->installEventFilter(this);
            connect(e, &QLineEdit::textChanged, this, [e](const QString& t) {
                const QString ammesso = QString::fromStdString(maintenance::testoAmmesso(t.toStdString()));
                if (ammesso != t)
                    e->setText(ammesso);
            });
            txtin[static_cast<std::size_t>(i)] = e;
            coloraCasella(i, grid::colori::Bianco);
            griglia->addWidget(e, w + 1, p);
        }
    }

    // The draw shown.
    auto* estrazione = new QGroupBox(QStringLiteral("Estrazione in archivio"), pagina);
    auto* gE = new QGridLayout(estrazione);
    HScrestrazione = new QScrollBar(Qt::Horizontal, estrazione);
    HScrestrazione->setObjectName(QStringLiteral("HScrestrazione"));
    HScrestrazione->setMinimumWidth(220);
    connect(HScrestrazione, &QScrollBar::valueChanged, this, [this](int v) { mostraEstrazione(v); });
    pAN_DC = etichetta("pAN_DC", {}, estrazione, true);
    pAN_DC->setToolTip(QStringLiteral("Clic per digitare il n° indice"));
    pAN_DC->setCursor(Qt::PointingHandCursor);
    pAN_DC->installEventFilter(this);
    LBLESTRAZIONE = etichetta("LBLESTRAZIONE", {}, estrazione, true);
    LblMensile = etichetta("LblMensile", {}, estrazione, true);
    LblAnnuale = etichetta("LblAnnuale", {}, estrazione, true);
    auto* Command4 = pulsante("Command4", QStringLiteral("Vai ultima estrazione"), estrazione);
    connect(Command4, &QPushButton::clicked, this, [this] { HScrestrazione->setValue(HScrestrazione->maximum()); });
    gE->addWidget(HScrestrazione, 0, 0, 1, 4);
    gE->addWidget(new QLabel(QStringLiteral("N° indice"), estrazione), 1, 0);
    gE->addWidget(pAN_DC, 1, 1);
    gE->addWidget(new QLabel(QStringLiteral("Data"), estrazione), 1, 2);
    gE->addWidget(LBLESTRAZIONE, 1, 3);
    gE->addWidget(new QLabel(QStringLiteral("Mensile"), estrazione), 2, 0);
    gE->addWidget(LblMensile, 2, 1);
    gE->addWidget(new QLabel(QStringLiteral("Annuale"), estrazione), 2, 2);
    gE->addWidget(LblAnnuale, 2, 3);
    gE->addWidget(Command4, 3, 0, 1, 4);

    // The date of a new draw.
    auto* dataNuova = new QGroupBox(QStringLiteral("Data nuova estrazione"), pagina);
    auto* gD = new QGridLayout(dataNuova);
    MonthView1 = new QCalendarWidget(dataNuova);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setGridVisible(true);
    MonthView1->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    connect(MonthView1, &QCalendarWidget::clicked, this, [this](QDate d) {
        Text1->setText(d.toString(QStringLiteral("dd/MM/yyyy")));
        Text1->setFocus();
    });
    Text1 = new QLineEdit(dataNuova);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setPlaceholderText(QStringLiteral("GG/MM/AAAA"));
    Text1->setToolTip(QStringLiteral("La data che SALVA ESTRAZIONE darà alla nuova estrazione: sceglierla nel calendario "
                                     "o digitarla"));
    // Whatever moves the calendar (a click, Imposta data, Imposta data odierna, Selezione
    // estrazione) shows its date here, the one SALVA stores.
    connect(MonthView1, &QCalendarWidget::selectionChanged, this,
            [this] { Text1->setText(MonthView1->selectedDate().toString(QStringLiteral("dd/MM/yyyy"))); });
    connect(Text1, &QLineEdit::textEdited, this, [this] { dataDigitata(false); });
    connect(Text1, &QLineEdit::editingFinished, this, [this] { dataDigitata(true); });
    auto* Command9 = pulsante("Command9", QStringLiteral("Imposta data odierna"), dataNuova);
    connect(Command9, &QPushButton::clicked, this, [this] { MonthView1->setSelectedDate(QDate::currentDate()); });
    auto* Command6 = pulsante("Command6", QStringLiteral("Imposta data"), dataNuova);
    connect(Command6, &QPushButton::clicked, this, [this] { impostaCalendario(LBLESTRAZIONE->text()); });
    gD->addWidget(MonthView1, 0, 0, 1, 3);
    gD->addWidget(new QLabel(QStringLiteral("Data selezionata"), dataNuova), 1, 0);
    gD->addWidget(Text1, 1, 1, 1, 2);
    gD->addWidget(Command9, 2, 0, 1, 2);
    gD->addWidget(Command6, 2, 2);

    // Commands and archive status.
    auto* comandi = new QGroupBox(QStringLiteral("Comandi"), pagina);
    auto* gC = new QGridLayout(comandi);
    auto* Command8 = pulsante("Command8", QStringLiteral("SALVA ESTRAZIONE"), comandi);
    auto* Command3 = pulsante("Command3", QStringLiteral("MODIFICA ESTRAZIONE"), comandi);
    auto* Command2 = pulsante("Command2", QStringLiteral("ELIMINA ESTRAZIONE"), comandi);
    auto* Command12 = pulsante("Command12", QStringLiteral("INCOLLA ESTRAZIONE"), comandi);
    auto* Command1 = pulsante("Command1", QStringLiteral("AZZERA GRID "), comandi);
    auto* CmDHelp = pulsanteHelp("CmDHelp", comandi);
    connect(Command8, &QPushButton::clicked, this, [this] { salvaEstrazione(); });
    connect(Command3, &QPushButton::clicked, this, [this] { modificaEstrazione(); });
    connect(Command2, &QPushButton::clicked, this, [this] { eliminaEstrazione(); });
    connect(Command12, &QPushButton::clicked, this, [this] { incollaEstrazione(); });
    connect(Command1, &QPushButton::clicked, this, [this] { azzeraCaselle(); });
    connect(CmDHelp, &QPushButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(HelpInserimento, this);
    });
    gC->addWidget(Command8, 0, 0);
    gC->addWidget(Command3, 1, 0);
    gC->addWidget(Command2, 2, 0);
    gC->addWidget(Command12, 3, 0);
    gC->addWidget(Command1, 4, 0);
    gC->addWidget(CmDHelp, 0, 1);
    LBLAGGIORNATO = etichetta("LBLAGGIORNATO", {}, comandi, true);
    Label2 = etichetta("Label2", {}, comandi, true);
    gC->addWidget(new QLabel(QStringLiteral("Dati aggiornati al"), comandi), 5, 0);
    gC->addWidget(LBLAGGIORNATO, 6, 0);
    gC->addWidget(new QLabel(QStringLiteral("Num estraz"), comandi), 7, 0);
    gC->addWidget(Label2, 8, 0);
    gC->setRowStretch(9, 1);

    auto* destra = new QVBoxLayout;
    destra->addWidget(estrazione);
    destra->addWidget(dataNuova);
    destra->addStretch();
    auto* caselle = new QVBoxLayout;
    caselle->addLayout(griglia);
    caselle->addStretch();
    auto* layout = new QHBoxLayout(pagina);
    layout->addLayout(caselle);
    layout->addSpacing(12);
    layout->addLayout(destra);
    layout->addWidget(comandi);
    layout->addStretch();
    return pagina;
}

QWidget* GestioneArchivio::paginaArchivio()
{
    auto* pagina = new QWidget;
    FgDB = new GrigliaView(FgDB_, pagina);
    FgDB->setObjectName(QStringLiteral("FgDB"));
    FgDB->installEventFilter(this);   // a resize fits the columns again
    connect(FgDB, &GrigliaView::cellaCambiata, this, [this](int riga, int) {
        maintenance::evidenziaRiga(FgDB_, riga);
        FgDB->aggiornaCelle(1, 1, FgDB_.righe() - 1, 12);
    });
    auto* Command14 = pulsante("Command14", QStringLiteral("Vai alla prima estrazione"), pagina);
    auto* Command13 = pulsante("Command13", QStringLiteral("Vai ultima estrazione"), pagina);
    auto* Command11 = pulsante("Command11", QStringLiteral("Selezione estrazione"), pagina);
    auto* Command42 = pulsante("Command42", QStringLiteral("Ricerca per numero indice"), pagina);
    auto* Command59 = pulsante("Command59", QStringLiteral("Ricerca per data"), pagina);
    auto* Command25 = pulsanteHelp("Command25", pagina);
    connect(Command14, &QPushButton::clicked, this, [this] { FgDB->setCellaCorrente(1, 1); });
    connect(Command13, &QPushButton::clicked, this, [this] { FgDB->setCellaCorrente(FgDB_.righe() - 1, 1); });
    connect(Command11, &QPushButton::clicked, this, [this] { selezioneEstrazione(); });
    connect(Command42, &QPushButton::clicked, this, [this] { ricercaPerIndice(); });
    connect(Command59, &QPushButton::clicked, this, [this] { ricercaPerData(); });
    connect(Command25, &QPushButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(HelpConsultazione, this);
    });
    Label9 = etichetta("Label9", {}, pagina, true);
    auto* comandi = new QHBoxLayout;
    for (auto* b : {Command14, Command13, Command11, Command42, Command59})
        comandi->addWidget(b);
    comandi->addStretch();
    comandi->addWidget(new QLabel(QStringLiteral("Estrazioni"), pagina));
    comandi->addWidget(Label9);
    comandi->addWidget(Command25);
    auto* layout = new QVBoxLayout(pagina);
    layout->addLayout(comandi);
    layout->addWidget(FgDB, 1);
    return pagina;
}

QWidget* GestioneArchivio::paginaCalendario()
{
    auto* pagina = new QWidget;
    Combo1 = new QComboBox(pagina);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Check2 = new QCheckBox(QStringLiteral("Sigla giorno settimana"), pagina);
    Check2->setObjectName(QStringLiteral("Check2"));
    // The button that carries Carica calendario is not shown: the year list and the tick run it.
    auto* Command24 = pulsante("Command24", QStringLiteral("Carica calendario"), pagina);
    Command24->setVisible(false);
    connect(Command24, &QPushButton::clicked, this, [this] { caricaCalendario(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { caricaCalendario(); });
    connect(Check2, &QCheckBox::clicked, this, [this] { caricaCalendario(); });
    Fg1 = new GrigliaView(Fg1_, pagina);
    Fg1->setObjectName(QStringLiteral("Fg1"));
    connect(Fg1, &GrigliaView::clic, this, [this](int riga, int colonna) { clicCalendario(riga, colonna); });
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(new QLabel(QStringLiteral("Anno"), pagina));
    comandi->addWidget(Combo1);
    comandi->addSpacing(16);
    comandi->addWidget(Check2);
    comandi->addWidget(Command24);
    comandi->addStretch();
    auto* layout = new QVBoxLayout(pagina);
    layout->addLayout(comandi);
    layout->addWidget(Fg1, 1);
    return pagina;
}

void GestioneArchivio::apri()
{
    schede_->setCurrentIndex(PaginaInserimento);
    const QString indirizzo = QString::fromStdString(contesto_.sessione.indirizzoInternet());
    Label5->setText(indirizzo);
    Text2->setText(indirizzo);
    Text3->setText(QString::fromStdString(maintenance::indirizzoStoricoUfficiale(contesto_.sessione.dbProgramma())));
    try {
        if (contesto_.sessione.dbProgramma().aperto())
            Text4->setText(QString::fromStdString(
                storage::LeggiParametro(contesto_.sessione.dbProgramma(), "ServerAggiornamenti").value_or("")));
    } catch (const std::exception&) {
        // An unreadable configuration leaves the box empty: the player can still type a server.
    }
    AggiornaStatoArchivio();   // also shows the last draw
    CaricaGrigliaArchivio();
    MonthView1->setSelectedDate(QDate::currentDate());
    Text1->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    {
        const QSignalBlocker blocco(Combo1);
        for (int anno = 1939; anno <= QDate::currentDate().year(); ++anno)
            Combo1->addItem(QString::number(anno));
    }
    Combo1->setCurrentIndex(Combo1->count() - 1);   // the selection fills the calendar
    try {
        if (contesto_.sessione.dbProgramma().aperto())
            if (auto percorso = storage::LeggiParametro(contesto_.sessione.dbProgramma(), "PercorsoDati.iii"))
                Label13->setText(QString::fromStdString(*percorso));
    } catch (const std::exception&) {
        // The export path is only shown: a configuration that cannot be read leaves it empty.
    }
    mostraCartellaQuintavo();
}

void GestioneArchivio::mostraPagina(Pagina pagina) { schede_->setCurrentIndex(pagina); }

void GestioneArchivio::AggiornaStatoArchivio()
{
    const auto& a = contesto_.sessione.archivio();
    const int n = a.NumeroEstrazioni;
    LBLAGGIORNATO->setText(QString::fromStdString(a.DateEstrazioni[static_cast<std::size_t>(n)]));
    Label2->setText(QString::number(n));
    pAN_DC->setText(QString::number(indiceCorrente_));
    {
        // One showing of the last draw, below, whatever the bar's old value was.
        const QSignalBlocker blocco(HScrestrazione);
        HScrestrazione->setRange(n > 0 ? 1 : 0, n);
        HScrestrazione->setValue(n);
    }
    mostraEstrazione(n);
    // The main window shows the model archive, which after a reload is the whole archive.
    contesto_.ImpostazioniArchivioModello();
    contesto_.archivioCambiato();
}

void GestioneArchivio::adattaColonneFgDB()
{
    if (!FgDB)
        return;
    // Each column as wide as its text, in the largest type (from the window's own size down to
    // 6 points) at which the date and the eleven wheels fit the grid's width: a maximised window
    // of a 1366 pixel screen shows them all without scrolling sideways.
    const int disponibile = FgDB->viewport()->width() > 0 ? FgDB->width() - FgDB->verticalScrollBar()->sizeHint().width()
                                                                - 2 * FgDB->frameWidth()
                                                          : 0;
    QFont carattere = font();
    const qreal massimo = carattere.pointSizeF() > 0 ? carattere.pointSizeF() : 9;
    int data = 0, ruota = 0;
    for (qreal punti = massimo; punti >= 6; punti -= 0.5) {
        carattere.setPointSizeF(punti);
        const QFontMetrics metrica(carattere);
        const int margine = metrica.horizontalAdvance(QLatin1Char('0')) + 4;
        data = std::max(metrica.horizontalAdvance(QStringLiteral("00/00/0000")),
                        QFontMetrics(carattere).horizontalAdvance(QStringLiteral("DataEstr."))) + margine;
        ruota = metrica.horizontalAdvance(QStringLiteral("00-00-00-00-00")) + margine;
        if (disponibile <= 0 || data + archive::NumeroRuote * ruota <= disponibile)
            break;
    }
    FgDB->setFont(carattere);
    FgDB->horizontalHeader()->setFont(carattere);
    FgDB->verticalHeader()->setDefaultSectionSize(QFontMetrics(carattere).height() + 4);
    FgDB->setColumnWidth(0, data);
    for (int c = 1; c <= archive::NumeroRuote; ++c)
        FgDB->setColumnWidth(c, ruota);
}

void GestioneArchivio::CaricaGrigliaArchivio()
{
    try {
        if (contesto_.sessione.dbEstrazioni().aperto())
            maintenance::CaricaGrigliaArchivio(contesto_.sessione.dbEstrazioni(), FgDB_);
        else
            FgDB_.setRighe(1);
    } catch (const std::exception&) {
        FgDB_.setRighe(1);
    }
    FgDB_.setNascosta(0, true);
    FgDB->setFisse(1, 1);
    FgDB->aggiorna();
    adattaColonneFgDB();
    Label9->setText(QString::number(FgDB_.righe() - 1));
    if (FgDB_.righe() > 1)
        FgDB->setCellaCorrente(FgDB_.righe() - 1, 1);
}

}
