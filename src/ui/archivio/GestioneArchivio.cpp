// The window archivio: its five pages, how they follow one another, the busy state, the registration.
#include "ui/archivio/GestioneArchivio.h"

#include "net/Scarico.h"
#include "ui/archivio/PannelloAggiornamento.h"
#include "ui/archivio/PannelloCalendario.h"
#include "ui/archivio/PannelloConsultazione.h"
#include "ui/archivio/PannelloEsportazione.h"
#include "ui/archivio/PannelloInserimento.h"
#include "ui/common/Controlli.h"
#include "ui/common/RegistroFinestre.h"

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iterator>

namespace ui {

using namespace archivio;

GestioneArchivio::GestioneArchivio(Contesto& contesto, QWidget* genitore)
    : QWidget(genitore)
    , servizi_(contesto, this)
{
    setObjectName(QStringLiteral("archivio"));
    setWindowTitle(titolo());
    servizi_.lavoro().collegaBarre(contesto.pb1, contesto.pb2);

    inserimento_ = new PannelloInserimento(servizi_);
    aggiornamento_ = new PannelloAggiornamento(servizi_);
    esportazione_ = new PannelloEsportazione(servizi_);
    consultazione_ = new PannelloConsultazione(servizi_);
    calendario_ = new PannelloCalendario(servizi_);
    schede_ = new QTabWidget(this);
    schede_->setObjectName(QStringLiteral("SSTab1"));
    pagineDaTastiera(schede_);
    schede_->addTab(inserimento_, QStringLiteral("Inserimento estrazioni"));
    schede_->addTab(aggiornamento_, QStringLiteral("Aggiornamento archivio"));
    schede_->addTab(esportazione_, QStringLiteral("Esportazione archivio"));
    schede_->addTab(consultazione_, QStringLiteral("Consultazione archivio"));
    schede_->addTab(calendario_, QStringLiteral("Calendario estrazioni"));
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

    // A draw chosen on the browser or the calendar is shown on the entry page.
    connect(consultazione_, &PannelloConsultazione::estrazioneSelezionata, this, [this](int indice, const QString& data) {
        inserimento_->selezionaEstrazione(indice, data);
        mostraPagina(PaginaInserimento);
    });
    connect(consultazione_, &PannelloConsultazione::estrazioneTrovata, inserimento_, &PannelloInserimento::vaiA);
    connect(calendario_, &PannelloCalendario::estrazioneTrovata, inserimento_, &PannelloInserimento::vaiA);
    // After a write every page shows the new archive: the entry page first, which also tells the
    // main window; FgImporta's marks describe the archive before the write.
    // While the pages follow a write, the reload they announce to the program is this one.
    connect(&servizi_, &Servizi::archivioRiscritto, this, [this] { ++riscritture_; });
    connect(&servizi_, &Servizi::archivioRiscritto, inserimento_, &PannelloInserimento::AggiornaStatoArchivio);
    // After a write the list is spent; after a reload from outside it is checked again, not lost.
    connect(&servizi_, &Servizi::archivioRiscritto, this, [this] {
        if (ricaricaDaFuori_)
            aggiornamento_->ricontrollaImporta();
        else
            aggiornamento_->svuotaImporta();
    });
    connect(&servizi_, &Servizi::archivioRiscritto, consultazione_, &PannelloConsultazione::CaricaGrigliaArchivio);
    connect(&servizi_, &Servizi::archivioRiscritto, calendario_, &PannelloCalendario::caricaCalendario);
    connect(&servizi_, &Servizi::archivioRiscritto, this, [this] { --riscritture_; });
    // A reload made elsewhere (the file changed on disk) brings every page to the new archive as a write does.
    ascoltoArchivio_ = servizi_.contesto.ascoltaArchivio([this] {
        if (riscritture_ == 0) {
            ricaricaDaFuori_ = true;
            emit servizi_.archivioRiscritto();
            ricaricaDaFuori_ = false;
        }
    });
    connect(&servizi_, &Servizi::segniImportaSuperati, aggiornamento_, &PannelloAggiornamento::svuotaImporta);
    connect(&servizi_, &Servizi::mostraInserimento, this, [this] { mostraPagina(PaginaInserimento); });
    connect(&servizi_, &Servizi::occupazioneCambiata, this, &GestioneArchivio::mostraOccupazione);

    // What the pages show at opening.
    schede_->setCurrentIndex(PaginaInserimento);
    aggiornamento_->apri();
    inserimento_->AggiornaStatoArchivio();   // also shows the last draw
    consultazione_->CaricaGrigliaArchivio();
    calendario_->preparaAnni();
    esportazione_->apri();
}

GestioneArchivio::~GestioneArchivio()
{
    servizi_.contesto.smettiDiAscoltareArchivio(ascoltoArchivio_);
    if (cursoreOccupato_)
        QApplication::restoreOverrideCursor();
}

void GestioneArchivio::mostraPagina(Pagina pagina) { schede_->setCurrentIndex(pagina); }

// Qt gives a mnemonic to the buttons of the page in view only, so a letter is unique within its page.
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

void GestioneArchivio::mostraOccupazione()
{
    const int occupazioni = servizi_.occupazioni();
    if (occupazioni > 0 && schede_->isEnabled()) {
        // Disabling the pages would hand the keyboard to the main window: it comes back afterwards.
        QWidget* fuoco = QApplication::focusWidget();
        fuocoPrima_ = fuoco && isAncestorOf(fuoco) ? fuoco : nullptr;
    }
    schede_->setEnabled(occupazioni == 0);
    if (occupazioni == 0 && fuocoPrima_) {
        if (fuocoPrima_->isEnabled() && fuocoPrima_->isVisible())
            fuocoPrima_->setFocus(Qt::OtherFocusReason);
        fuocoPrima_ = nullptr;
    }
    // A download leaves the pages open (Annulla must stay at hand) but not the other long commands.
    const bool scarico = servizi_.scarico().inCorso();
    for (const char* nome : {"Command21", "Command28", "Command18", "Command27", "Command60", "Command10", "Command7",
                             "Command34"})
        if (auto* b = findChild<QPushButton*>(QString::fromLatin1(nome)))
            b->setEnabled(!scarico);
    if (auto* annulla = findChild<QPushButton*>(QStringLiteral("Command26")))
        annulla->setEnabled(scarico);
    const bool occupato = occupazioni > 0 || scarico;
    if (occupato && !cursoreOccupato_)
        QApplication::setOverrideCursor(occupazioni > 0 ? Qt::WaitCursor : Qt::BusyCursor);
    else if (!occupato && cursoreOccupato_)
        QApplication::restoreOverrideCursor();
    cursoreOccupato_ = occupato;
}

void registraArchivio()
{
    registroFinestre().registra(QStringLiteral("archivio"), [](Contesto& c) -> QWidget* { return new GestioneArchivio(c); });
}

}
