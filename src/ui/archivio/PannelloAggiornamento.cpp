// The update page of archivio: AGGIORNA DA FILE, the check and its marks, AGGIORNAMENTO, the downloads, the site address.
#include "ui/archivio/PannelloAggiornamento.h"

#include "archive/Archivio.h"
#include "maintenance/Aggiornamento.h"
#include "maintenance/FileAggiornamento.h"
#include "maintenance/Lacune.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "maintenance/StoricoUfficiale.h"
#include "net/Scarico.h"
#include "storage/FileDiTesto.h"
#include "storage/ProgramDb.h"
#include "ui/archivio/Controlli.h"
#include "ui/archivio/Servizi.h"
#include "ui/common/GrigliaView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>

namespace ui::archivio {

namespace {

const QString TitoloAvviso = QStringLiteral("Avviso");
const QString TitoloAggiornamento = QStringLiteral("Aggiornamento archivio");
const QString FaseCollegamento = QStringLiteral("Collegamento al sito");
const QString FaseElenco = QStringLiteral("Elenco nuove estrazioni");
const QString FaseControllo = QStringLiteral("Controllo estrazioni mancanti");

// FgImporta's columns: the cells of the update's grid writer, the empty row selector fixed on the left.
// Widths in twips: the row selector, room for a bold date, a wheel's text.
std::vector<ColonnaDi<maintenance::RigaImporta>> colonneImporta()
{
    using maintenance::RigaImporta;
    grid::Grid intestazione;
    maintenance::preparaFgImporta(intestazione);
    std::vector<ColonnaDi<RigaImporta>> colonne(maintenance::ColonneImporta);
    for (int c = 0; c < maintenance::ColonneImporta; ++c) {
        auto& col = colonne[static_cast<std::size_t>(c)];
        col.intestazione = QString::fromStdString(intestazione.testo(0, c));
        col.testo = [c](const RigaImporta& r) { return QString::fromStdString(maintenance::testoImporta(r, c)); };
        col.larghezzaTwips = c == 0 ? 240 : c == maintenance::ColonnaData ? 1500 : 1700;
        col.sfondo = [c](const RigaImporta& r) { return maintenance::sfondoImporta(r, c); };
        col.coloreTesto = [c](const RigaImporta& r) { return maintenance::coloreTestoImporta(r, c); };
        col.grassetto = [c](const RigaImporta& r) { return maintenance::grassettoImporta(r, c); };
    }
    return colonne;
}

}

PannelloAggiornamento::PannelloAggiornamento(Servizi& servizi, QWidget* genitore) : QWidget(genitore), servizi_(servizi)
{
    importa_ = new ModelloRighe<maintenance::RigaImporta>(colonneImporta(), this);
    FgImporta = new GrigliaView(importa_, this);
    FgImporta->setObjectName(QStringLiteral("FgImporta"));
    FgImporta->setFisse(1, 1);
    // Created in the order the Tab key walks them.
    auto* daFile = gruppoDaFile();
    auto* rete = gruppoRete();

    List4 = new QListWidget(this);
    List4->setObjectName(QStringLiteral("List4"));
    // A refused line's reason is long: it wraps, so it is read without scrolling sideways.
    List4->setWordWrap(true);
    List4->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List4->setTextElideMode(Qt::ElideNone);
    auto* elenco = new QVBoxLayout;
    elenco->addWidget(new QLabel(QStringLiteral("Elenco estrazioni mancanti"), this));
    elenco->addWidget(List4, 1);
    elenco->addWidget(nota(QStringLiteral("Il controllo viene effettuato nelle ultime 100 estrazioni. Per l'archivio "
                                          "completo contattare il programmatore"),
                           this));

    auto* comandi = new QHBoxLayout;
    comandi->setContentsMargins(0, 0, 0, 0);
    comandi->addWidget(daFile, 2);
    comandi->addWidget(rete, 5);
    auto* comandiAggiornamento = new QWidget(this);
    comandiAggiornamento->setLayout(comandi);

    auto* griglia = new QVBoxLayout;
    griglia->addWidget(FgImporta, 1);
    griglia->addWidget(nota(QStringLiteral("Lo sfondo arancione nella colonna della data identifica le estrazioni da importare"),
                            this));
    griglia->addWidget(nota(QStringLiteral("La data in rosso e lo sfondo di una ruota bianco identifica una estrazione  con "
                                           "errori in quella ruota"),
                            this));
    auto* basso = new QHBoxLayout;
    basso->addLayout(griglia, 3);
    basso->addLayout(elenco, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(comandiAggiornamento);
    layout->addLayout(basso, 1);

    connect(&servizi_.scarico(), &net::Scarico::terminato, this,
            [this](bool riuscito, const QString& motivo) { dopoScarico(riuscito, motivo); });
    connect(&servizi_.scarico(), &net::Scarico::avanzamento, this,
            [this](qint64 ricevuti, qint64 totale) { mostraAvanzamentoScarico(ricevuti, totale); });
    apriIndirizzo = [](const QUrl& u) { return QDesktopServices::openUrl(u); };
}

PannelloAggiornamento::~PannelloAggiornamento()
{
    // The view goes before the rows it shows.
    delete FgImporta;
}

// Update from a file and the check.
QWidget* PannelloAggiornamento::gruppoDaFile()
{
    auto* daFile = new QGroupBox(QStringLiteral("Aggiornamento da file"), this);
    auto* gF = new QGridLayout(daFile);
    auto* Command21 = pulsante("Command21", QStringLiteral("AGGIORNA DA FILE"), daFile);
    auto* Command28 = pulsante("Command28", QStringLiteral("AGGIORNAMENTO"), daFile);
    Check3 = new QCheckBox(QStringLiteral("Corregge estrazioni errate"), daFile);
    Check3->setObjectName(QStringLiteral("Check3"));
    auto* Command22 = pulsanteHelp("Command22", daFile);
    connect(Command21, &QPushButton::clicked, this, [this] { aggiornaDaFile(); });
    connect(Command28, &QPushButton::clicked, this, [this] { aggiornamento(); });
    connect(Command22, &QPushButton::clicked, this, [this] {
        if (servizi_.contesto.apriHelp)
            servizi_.contesto.apriHelp(HelpAggiornamento, this);
    });
    gF->addWidget(Command21, 0, 0);
    gF->addWidget(Command22, 0, 1);
    gF->addWidget(Command28, 1, 0);
    gF->addWidget(Check3, 2, 0, 1, 2);
    return daFile;
}

// Update through the Internet: the update server, the site, the official archive.
QWidget* PannelloAggiornamento::gruppoRete()
{
    auto* rete = new QGroupBox(QStringLiteral("Aggiornamento via Internet"), this);
    auto* gR = new QGridLayout(rete);
    auto* Command18 = pulsante("Command18", QStringLiteral("CONTROLLO AGGIORNAMENTI"), rete);
    auto* Command27 = pulsante("Command27", QStringLiteral("SCARICO FILE"), rete);
    auto* Command26 = pulsante("Command26", QStringLiteral("Annulla"), rete);
    Command26->setToolTip(QStringLiteral("Annulla il trasferimento in corso"));
    Command26->setEnabled(false);   // only while a download runs
    auto* Command5 = pulsante("Command5", QStringLiteral("COLLEGA AL SITO"), rete);
    auto* Command16 = pulsante("Command16", QStringLiteral("Incolla contenuto appunti"), rete);
    auto* Command15 = pulsante("Command15", QStringLiteral("RENDE PREDEFINITO"), rete);
    auto* Command23 = pulsanteHelp("Command23", rete);
    connect(Command18, &QPushButton::clicked, this, [this] { controlloAggiornamenti(); });
    connect(Command27, &QPushButton::clicked, this, [this] { scaricoFile(); });
    connect(Command26, &QPushButton::clicked, this, [this] { annullaScarico(); });
    connect(Command5, &QPushButton::clicked, this, [this] { collegaAlSito(); });
    connect(Command16, &QPushButton::clicked, this, [this] { Text2->setText(QApplication::clipboard()->text()); });
    connect(Command15, &QPushButton::clicked, this, [this] { rendePredefinito(); });
    connect(Command23, &QPushButton::clicked, this, [this] {
        if (servizi_.contesto.apriHelp)
            servizi_.contesto.apriHelp(HelpScarico, this);
    });
    Label5 = etichetta("Label5", {}, rete);
    Label5->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Text2 = new QLineEdit(rete);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->installEventFilter(this);   // a double click empties it
    gR->addWidget(Command18, 0, 0);
    gR->addWidget(Command27, 0, 1);
    gR->addWidget(Command26, 0, 2);
    gR->addWidget(Command23, 0, 3);
    gR->addWidget(nota(QStringLiteral("L'aggiornamento automatico non è un servizio garantito") + QStringLiteral(". ")
                           + QStringLiteral("Inoltre la disponibilità non è immediata ma potrebbe richiedere qualche giorno "
                                            "dopo l'ultima estrazione effettuata. ")
                           + QStringLiteral("Di norma, se non ci sono impedimenti, l'aggiornamento dovrebbe essere "
                                            "disponibile il giorno successivo all'ultima estrazione"),
                       rete),
                  1, 0, 1, 4);
    gR->addWidget(Command5, 2, 0);
    gR->addWidget(Label5, 2, 1, 1, 3);
    gR->addWidget(new QLabel(QStringLiteral("Indirizzo Internet"), rete), 3, 0);
    gR->addWidget(Text2, 3, 1, 1, 3);
    gR->addWidget(nota(QStringLiteral("Per modificare l'indirizzo internet predefinito, copiare l'indirizzo desiderato ed "
                                      "incollarlo in questa casella dopodichè usare il pulsante RENDE PREDEFINITO"),
                       rete),
                  4, 0, 1, 4);
    gR->addWidget(Command16, 5, 0);
    gR->addWidget(Command15, 5, 1);

    // The update server CONTROLLO AGGIORNAMENTI and SCARICO FILE download from.
    Text4 = new QLineEdit(rete);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setPlaceholderText(QStringLiteral("es. www.fornitore.it"));
    Text4->setToolTip(QStringLiteral("CONTROLLO AGGIORNAMENTI e SCARICO FILE scaricano da questo server il file %1")
                          .arg(QString::fromLatin1(maintenance::PercorsoAggiornamento)));
    auto* Command62 = pulsante("Command62", QStringLiteral("RENDE PREDEFINITO"), rete);
    connect(Command62, &QPushButton::clicked, this, [this] { serverPredefinito(); });
    gR->addWidget(new QLabel(QStringLiteral("Server aggiornamenti"), rete), 8, 0);
    gR->addWidget(Text4, 8, 1, 1, 2);
    gR->addWidget(Command62, 8, 3);
    LblScarico = etichetta("LblScarico", {}, rete);
    LblScarico->setWordWrap(true);
    LblScarico->setTextInteractionFlags(Qt::TextSelectableByMouse);
    gR->addWidget(LblScarico, 9, 0, 1, 4);

    // The official historical archive, the source every player uses, with its address.
    auto* Command60 = pulsante("Command60", QStringLiteral("AGGIORNA DA ARCHIVIO UFFICIALE"), rete);
    auto* Command61 = pulsante("Command61", QStringLiteral("RENDE PREDEFINITO"), rete);
    Text3 = new QLineEdit(rete);
    Text3->setObjectName(QStringLiteral("Text3"));
    connect(Command60, &QPushButton::clicked, this, [this] { aggiornaDaStorico(); });
    connect(Command61, &QPushButton::clicked, this, [this] { storicoPredefinito(); });
    gR->addWidget(Command60, 6, 0);
    gR->addWidget(new QLabel(QStringLiteral("Archivio storico ufficiale"), rete), 6, 1);
    gR->addWidget(Text3, 7, 0, 1, 3);
    gR->addWidget(Command61, 7, 3);
    return rete;
}

std::vector<std::string> PannelloAggiornamento::righeList4() const
{
    std::vector<std::string> righe;
    for (int i = 0; i < List4->count(); ++i)
        righe.push_back(List4->item(i)->text().toStdString());
    return righe;
}

void PannelloAggiornamento::mostraList4(const std::vector<std::string>& righe)
{
    List4->clear();
    for (const auto& r : righe)
        List4->addItem(QString::fromStdString(r));
}

void PannelloAggiornamento::svuotaImporta()
{
    if (!FgImporta)
        return;
    righe_.clear();
    importa_->svuota();
}

void PannelloAggiornamento::erroreFase(const QString& fase, const QString& dettaglio)
{
    QString testo = QStringLiteral("Attenzione qualcosa è andato storto nella procedura ") + fase;
    if (!dettaglio.isEmpty())
        testo += QStringLiteral("\n\n") + dettaglio;
    servizi_.contesto.dialoghi.messaggio(this, testo, TitoloAvviso, Icona::Critica);
}

void PannelloAggiornamento::mostraImporta()
{
    importa_->sostituisci(righe_);
    // Every column as wide as its contents, so the dates and wheel texts read whole.
    FgImporta->resizeColumnsToContents();
}

void PannelloAggiornamento::dallInizio()
{
    // A list just read is read from its first line: no line is taken as chosen.
    FgImporta->selectionModel()->clear();
    FgImporta->scrollToTop();
}

void PannelloAggiornamento::mostraAvanzamentoScarico(qint64 ricevuti, qint64 totale)
{
    if (servizi_.contesto.pb1) {
        if (totale > 0)
            servizi_.contesto.pb1->imposta(static_cast<int>(std::min<qint64>(ricevuti, totale) * 1000 / totale), 1000);
        else   // the server did not say the size: the bar fills by the kilobytes received, a megabyte full
            servizi_.contesto.pb1->imposta(static_cast<int>(std::min<qint64>(ricevuti / 1024, 1024)), 1024);
    }
    QString testo = QStringLiteral("Scaricamento da %1: %2 kB ricevuti").arg(servizi_.indirizzoScarico).arg(ricevuti / 1024);
    if (totale > 0)
        testo += QStringLiteral(" di %1 kB").arg((totale + 1023) / 1024);
    LblScarico->setText(testo);
}

void PannelloAggiornamento::aggiornaDaFile()
{
    if (servizi_.rifiutaSeInCorso(this))
        return;
    OpzioniFile o;
    o.titolo = QStringLiteral("Aggiorna da file");
    o.scopo = QStringLiteral("Aggiornamento");
    o.filtro = QStringLiteral("File di testo (*.txt *.Txt *.TXT)");
    const auto scelto = servizi_.contesto.dialoghi.apriFile(this, o);
    if (!scelto) {
        // A cancel is the player's choice, not a failure.
        servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Aggiornamento da file annullato: non è stato cambiato nulla."),
                                             o.titolo, Icona::Informazione);
        return;
    }
    caricaAggiornamento(*scelto, true);
}

void PannelloAggiornamento::caricaAggiornamento(const QString& percorso, bool testFormato)
{
    if (servizi_.rifiutaSeInCorso(this))
        return;
    maintenance::EsitoFileAggiornamento esito;
    maintenance::RigheImporta lette;   // they replace the list only once the file was read
    try {
        esito = maintenance::caricaFileAggiornamento(percorso.toStdString(), lette, testFormato);
    } catch (const storage::ErroreFileDiTesto& e) {
        servizi_.contesto.dialoghi.messaggio(this, QString::fromStdString(e.what()), TitoloAvviso, Icona::Critica);
        return;
    } catch (const std::exception&) {
        // The lines read before the failure are shown.
        righe_ = std::move(lette);
        mostraImporta();
        erroreFase(FaseElenco, QStringLiteral("Lettura interrotta del file \"%1\".").arg(percorso));
        return;
    }
    if (esito == maintenance::EsitoFileAggiornamento::FormatoErrato) {
        servizi_.contesto.dialoghi.messaggio(this,
                                             QStringLiteral("Attenzione, sembra che il file non sia del formato corretto")
                                                 + QStringLiteral("\n\n\"%1\"").arg(percorso),
                                             TitoloAvviso, Icona::Critica);
        return;
    }
    if (esito == maintenance::EsitoFileAggiornamento::NonLeggibile) {
        erroreFase(FaseElenco, QStringLiteral("Impossibile aprire il file \"%1\".").arg(percorso));
        return;
    }
    righe_ = std::move(lette);
    storicoCompleto_ = false;
    mostraImporta();
    dallInizio();
    if (!righe_.empty())
        ControlloEstrazioniMancanti();
}

void PannelloAggiornamento::ricontrollaImporta()
{
    if (!righe_.empty() && !servizi_.lavoro().occupato())
        ControlloEstrazioniMancanti();
}


void PannelloAggiornamento::ControlloEstrazioniMancanti()
{
    if (!servizi_.archivioAperto(this))
        return;
    // The work checks a copy of the rows; the window takes and shows it when the work is over.
    auto controllate = std::make_shared<maintenance::RigheImporta>(righe_);
    auto righe = std::make_shared<std::vector<std::string>>();
    storage::Database* db = &servizi_.contesto.sessione.dbEstrazioni();
    const bool completo = storicoCompleto_;
    servizi_.occupa(true);
    const bool avviato = servizi_.lavoro().avvia(
        [=](avanzamento::Avanzamento& av) { maintenance::ControlloEstrazioniMancanti(*db, *controllate, *righe, &av, completo); },
        [=, this](const LavoroDiFondo::Fine& fine) {
            servizi_.occupa(false);
            righe_ = *controllate;
            mostraImporta();
            mostraList4(*righe);
            if (fine.errore)
                erroreFase(FaseControllo, QStringLiteral("Archivio \"%1\".").arg(servizi_.percorsoArchivio()));
        });
    if (!avviato)
        servizi_.occupa(false);
}

void PannelloAggiornamento::aggiornamento()
{
    if (servizi_.rifiutaSeInCorso(this))
        return;
    if (righe_.empty()) {
        List4->clear();
        servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Non ci sono estrazioni da aggiornare."), TitoloAggiornamento,
                                             Icona::Informazione);
        emit servizi_.mostraInserimento();
        return;
    }
    if (!servizi_.archivioAperto(this))
        return;
    // Another program changed the file since it was loaded: the marks were made against the draws
    // of before. The archive is reloaded, the list checked again, and the player looks before writing.
    if (servizi_.contesto.ricaricaSeCambiatoFuori(this, QStringLiteral("Nulla è stato scritto: l'elenco è stato controllato "
                                                                        "di nuovo; verificarlo e ripetere il comando."))) {
        ricontrollaImporta();   // already under way when the reload reached every page
        return;
    }
    // The work writes the draws and reloads them into an archive of its own, which replaces
    // the one every window reads only back on this thread.
    auto importate = std::make_shared<const maintenance::RigheImporta>(righe_);
    auto righe = std::make_shared<std::vector<std::string>>();
    auto esito = std::make_shared<maintenance::EsitoAggiornamento>();
    auto nuovo = std::make_shared<archive::Archivio>();
    auto errore = std::make_shared<QString>();
    auto concluso = std::make_shared<bool>(false);   // AGGIORNAMENTO returned: its transaction is over
    nuovo->EstrazioneIniziale = servizi_.contesto.sessione.archivio().EstrazioneIniziale;
    storage::Database* db = &servizi_.contesto.sessione.dbEstrazioni();
    const bool correggi = Check3->isChecked();
    const QString archivio = servizi_.percorsoArchivio();
    servizi_.occupa(true);
    const bool avviato = servizi_.lavoro().avvia(
        [=](avanzamento::Avanzamento& av) {
            try {
                *esito = maintenance::AGGIORNAMENTO(*db, *nuovo, *importate, correggi, *righe, &av);
                *concluso = true;
            } catch (const maintenance::ErroreScrittura& e) {
                // A full disk or a file gone: the storage layer's reason, which names the file.
                *errore = e.tipo() == maintenance::ErroreScrittura::Tipo::Ricarica
                    ? QStringLiteral("L'archivio \"%1\" con le nuove estrazioni non si caricherebbe più: "
                                     "nessuna estrazione è stata salvata.")
                          .arg(archivio)
                    : QString::fromStdString(e.what()) + QStringLiteral(": nessuna estrazione è stata salvata.");
            }
        },
        [=, this](const LavoroDiFondo::Fine& fine) {
            servizi_.occupa(false);
            mostraList4(*righe);
            // Stopped inside its transaction: rolled back, nothing was written. A stop that came once the
            // writes were committed must still put the new draws in memory, or memory and file would differ.
            if (fine.interrotto && !*concluso)
                return;
            if (fine.errore || !errore->isEmpty()) {
                servizi_.contesto.dialoghi.messaggio(this,
                                                     errore->isEmpty() ? QStringLiteral("Errore del database \"%1\": nessuna "
                                                                                        "estrazione è stata salvata.")
                                                                             .arg(archivio)
                                                                       : *errore,
                                                     TitoloAggiornamento, Icona::Critica);
                return;   // the marks stay: the user can look at them and try again
            }
            if (esito->aggiunte + esito->modificate > 0) {
                Servizi::fermaLettori();   // no other window's work may be reading the draws being replaced
                servizi_.contesto.sessione.archivio() = std::move(*nuovo);
            }
            // A refused row before draws that were added leaves a hole the archive does not show.
            const bool rifiuti = esito->scartate > 0 || !esito->erroreDatabase.empty();
            if (rifiuti) {
                for (const auto& r : maintenance::estrazioniRimasteMancanti(*importate, servizi_.contesto.sessione.archivio()))
                    righe->push_back(r);
                mostraList4(*righe);
            }
            if (!esito->erroreDatabase.empty())
                servizi_.contesto.dialoghi.messaggio(this,
                                                     QStringLiteral("L'archivio \"%1\" ha rifiutato una estrazione: quelle "
                                                                    "precedenti sono state salvate, le seguenti no (vedi l'elenco).")
                                                         .arg(archivio),
                                                     TitoloAggiornamento, Icona::Critica);
            else if (esito->scartate > 0)
                servizi_.contesto.dialoghi.messaggio(this,
                                                     QStringLiteral("%1 estrazioni del file non sono state salvate perché non "
                                                                    "valide (vedi l'elenco).")
                                                         .arg(esito->scartate),
                                                     TitoloAggiornamento, Icona::Esclamazione);
            if (esito->aggiunte > 0) {
                servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Dati salvati correttamente."), TitoloAggiornamento,
                                                     Icona::Informazione);
                // With refused rows the page stays on the list that says which and why.
                if (!rifiuti)
                    emit servizi_.mostraInserimento();
            }
            // The archive in memory now holds the writes; the window and the main window follow it.
            emit servizi_.archivioRiscritto();
        });
    if (!avviato)
        servizi_.occupa(false);
}

QString PannelloAggiornamento::copiaLocale() const
{
    return QDir(QString::fromStdString(servizi_.contesto.sessione.cartellaProgramma()))
        .filePath(QString::fromLatin1(maintenance::NomeCopiaLocale));
}

void PannelloAggiornamento::scarica(bool poiControlla)
{
    if (servizi_.rifiutaSeInCorso(this))
        return;
    const QString indirizzo = QString::fromStdString(maintenance::indirizzoAggiornamentiDa(Text4->text().toStdString()));
    if (indirizzo.isEmpty()) {
        erroreFase(FaseCollegamento, QStringLiteral("Il server degli aggiornamenti non è indicato: scriverlo nella casella "
                                                    "\"Server aggiornamenti\" (e usare il suo RENDE PREDEFINITO per "
                                                    "ricordarlo)."));
        return;
    }
    controllaDopoScarico_ = poiControlla;
    avviaScarico(indirizzo, [&] { return servizi_.scarico().avvia(QUrl(indirizzo), copiaLocale()); });
}

void PannelloAggiornamento::avviaScarico(const QString& indirizzo, const std::function<bool()>& avvia)
{
    servizi_.indirizzoScarico = indirizzo;
    annullato_ = false;
    if (!avvia())
        return;
    LblScarico->setText(QStringLiteral("Scaricamento da %1...").arg(indirizzo));
    emit servizi_.occupazioneCambiata();   // the long commands wait for the download, Annulla is at hand
}

void PannelloAggiornamento::controlloAggiornamenti() { scarica(true); }
void PannelloAggiornamento::scaricoFile() { scarica(false); }

void PannelloAggiornamento::annullaScarico()
{
    if (!servizi_.scarico().inCorso())
        return;
    annullato_ = true;
    servizi_.scarico().annulla();
}

void PannelloAggiornamento::dopoScarico(bool riuscito, const QString& motivo)
{
    if (servizi_.contesto.pb1)
        servizi_.contesto.pb1->azzera();
    emit servizi_.occupazioneCambiata();   // the download no longer holds the long commands
    LblScarico->setText(riuscito ? QStringLiteral("Scaricato da %1.").arg(servizi_.indirizzoScarico)
                                 : annullato_ ? QStringLiteral("Download annullato: %1.").arg(servizi_.indirizzoScarico)
                                              : QStringLiteral("Scaricamento da %1 non riuscito: %2.").arg(servizi_.indirizzoScarico, motivo));
    if (std::exchange(annullato_, false)) {
        // The player stopped it: said as such, not as a failure; nothing was changed.
        indirizzoStorico_.clear();
        servizi_.contesto.dialoghi.messaggio(this,
                                             QStringLiteral("Download annullato") + QStringLiteral(": %1. Non è stato cambiato nulla.")
                                                                                         .arg(servizi_.indirizzoScarico),
                                             QStringLiteral("Velmora"), Icona::Informazione);
        return;
    }
    if (!indirizzoStorico_.isEmpty()) {
        const QString indirizzo = std::exchange(indirizzoStorico_, QString());
        if (!riuscito)
            erroreFase(FaseCollegamento,
                       QStringLiteral("%1: %2. L'archivio e l'elenco non sono stati cambiati.").arg(indirizzo, motivo));
        else
            caricaStorico(servizi_.scarico().corpo(), indirizzo);
        return;
    }
    if (!riuscito) {
        erroreFase(FaseCollegamento,
                   QStringLiteral("%1: %2. La copia \"%3\" non è stata cambiata.").arg(servizi_.indirizzoScarico, motivo, copiaLocale()));
        return;
    }
    if (!controllaDopoScarico_) {
        servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Fatto") + QStringLiteral("\n\n%1 salvato in \"%2\".")
                                                                          .arg(servizi_.indirizzoScarico, copiaLocale()),
                                             QStringLiteral("Velmora"), Icona::Nessuna);
        return;
    }
    caricaAggiornamento(copiaLocale(), false);
}

void PannelloAggiornamento::collegaAlSito()
{
    const QString indirizzo = Label5->text().trimmed();
    if (indirizzo.isEmpty())
        return;
    if (apriIndirizzo)
        apriIndirizzo(QUrl::fromUserInput(indirizzo));
}

void PannelloAggiornamento::rendePredefinito()
{
    static_cast<void>(servizi_.parametroPredefinito(this, "IndirizzoInternet", Text2->text()));
}

void PannelloAggiornamento::storicoPredefinito()
{
    static_cast<void>(servizi_.parametroPredefinito(this, "StoricoUfficiale", Text3->text().trimmed()));
}

void PannelloAggiornamento::serverPredefinito()
{
    static_cast<void>(servizi_.parametroPredefinito(this, "ServerAggiornamenti", Text4->text().trimmed()));
}

void PannelloAggiornamento::aggiornaDaStorico()
{
    if (servizi_.rifiutaSeInCorso(this) || !servizi_.archivioAperto(this))
        return;
    // The address in the box, whether or not it was made the default.
    const QString indirizzo = Text3->text().trimmed();
    if (indirizzo.isEmpty()) {
        erroreFase(FaseCollegamento, QStringLiteral("Indicare l'indirizzo dell'archivio storico ufficiale nella sua casella."));
        return;
    }
    avviaScarico(QUrl::fromUserInput(indirizzo).toString(), [&] {
        if (!servizi_.scarico().avviaInMemoria(QUrl::fromUserInput(indirizzo)))
            return false;
        indirizzoStorico_ = QUrl::fromUserInput(indirizzo).toString();
        return true;
    });
}

void PannelloAggiornamento::caricaStorico(const QByteArray& contenuto, const QString& indirizzo)
{
    // The work reads and checks rows of its own: the window takes them only when all went well.
    auto lette = std::make_shared<maintenance::RigheImporta>();
    auto righe = std::make_shared<std::vector<std::string>>();
    auto rifiuto = std::make_shared<std::string>();
    auto dati = std::make_shared<std::string>(contenuto.toStdString());
    const std::string nome = indirizzo.toStdString();
    storage::Database* db = &servizi_.contesto.sessione.dbEstrazioni();
    servizi_.occupa(true);
    const bool avviato = servizi_.lavoro().avvia(
        [=](avanzamento::Avanzamento& av) {
            try {
                std::string voce;
                const std::string testo = maintenance::testoStorico(std::move(*dati), nome, &voce);
                maintenance::caricaRigheStorico(testo, nome, *lette, {}, &av, voce);
            } catch (const maintenance::ErroreStorico& e) {
                *rifiuto = e.what();
                return;
            }
            maintenance::ControlloEstrazioniMancanti(*db, *lette, *righe, &av, true);
        },
        [=, this](const LavoroDiFondo::Fine& fine) {
            servizi_.occupa(false);
            if (fine.interrotto)
                return;
            if (!rifiuto->empty()) {
                erroreFase(FaseElenco, QString::fromStdString(*rifiuto) + QStringLiteral(" L'archivio e l'elenco non sono stati cambiati."));
                return;
            }
            if (fine.errore) {
                erroreFase(FaseControllo, QStringLiteral("Archivio \"%1\".").arg(servizi_.percorsoArchivio()));
                return;
            }
            righe_ = std::move(*lette);
            storicoCompleto_ = true;
            mostraImporta();
            dallInizio();
            mostraList4(*righe);
        });
    if (!avviato)
        servizi_.occupa(false);
}

void PannelloAggiornamento::apri()
{
    auto& sessione = servizi_.contesto.sessione;
    const QString indirizzo = QString::fromStdString(sessione.indirizzoInternet());
    Label5->setText(indirizzo);
    Text2->setText(indirizzo);
    Text3->setText(QString::fromStdString(maintenance::indirizzoStoricoUfficiale(sessione.dbProgramma())));
    try {
        if (sessione.dbProgramma().aperto())
            Text4->setText(QString::fromStdString(
                storage::LeggiParametro(sessione.dbProgramma(), "ServerAggiornamenti").value_or("")));
    } catch (const std::exception& e) {
        // The box stays empty and the player, who can still type a server, is told why.
        servizi_.contesto.dialoghi.messaggio(
            this,
            QStringLiteral("Il server degli aggiornamenti non si legge dal database del programma \"%1\": %2.\n"
                           "Scriverlo nella casella \"Server aggiornamenti\".")
                .arg(QString::fromStdString(sessione.dbProgramma().percorso()), QString::fromStdString(e.what())),
            TitoloAvviso, Icona::Esclamazione);
    }
}

bool PannelloAggiornamento::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == Text2 && evento->type() == QEvent::MouseButtonDblClick) {
        Text2->clear();
        return true;
    }
    return QWidget::eventFilter(oggetto, evento);
}

}
