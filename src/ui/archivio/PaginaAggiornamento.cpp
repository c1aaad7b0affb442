// The update page of archivio: AGGIORNA DA FILE, the check and its marks, AGGIORNAMENTO, the downloads, the site address.
#include "ui/archivio/GestioneArchivio.h"

#include "maintenance/Aggiornamento.h"
#include "maintenance/FileAggiornamento.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "maintenance/StoricoUfficiale.h"
#include "net/Scarico.h"
#include "storage/FileDiTesto.h"
#include "storage/ProgramDb.h"
#include "ui/archivio/Controlli.h"
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

namespace ui {

using archivio::etichetta;
using archivio::pulsante;
using archivio::pulsanteHelp;

namespace {

const QString TitoloAvviso = QStringLiteral("Avviso");
const QString TitoloAggiornamento = QStringLiteral("Aggiornamento archivio");
const QString FaseCollegamento = QStringLiteral("Collegamento al sito");
const QString FaseElenco = QStringLiteral("Elenco nuove estrazioni");
const QString FaseControllo = QStringLiteral("Controllo estrazioni mancanti");

QLabel* nota(const QString& testo, QWidget* genitore)
{
    auto* l = new QLabel(testo, genitore);
    l->setWordWrap(true);
    return l;
}

}

QWidget* GestioneArchivio::paginaAggiornamento()
{
    auto* pagina = new QWidget;
    maintenance::preparaFgImporta(FgImporta_);
    FgImporta = new GrigliaView(FgImporta_, pagina);
    FgImporta->setObjectName(QStringLiteral("FgImporta"));
    FgImporta->setFisse(1, 1);

    // Update from a file and the check.
    auto* daFile = new QGroupBox(QStringLiteral("Aggiornamento da file"), pagina);
    auto* gF = new QGridLayout(daFile);
    auto* Command21 = pulsante("Command21", QStringLiteral("AGGIORNA DA FILE"), daFile);
    auto* Command28 = pulsante("Command28", QStringLiteral("AGGIORNAMENTO"), daFile);
    Check3 = new QCheckBox(QStringLiteral("Corregge estrazioni errate"), daFile);
    Check3->setObjectName(QStringLiteral("Check3"));
    auto* Command22 = pulsanteHelp("Command22", daFile);
    connect(Command21, &QPushButton::clicked, this, [this] { aggiornaDaFile(); });
    connect(Command28, &QPushButton::clicked, this, [this] { aggiornamento(); });
    connect(Command22, &QPushButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(HelpAggiornamento, this);
    });
    gF->addWidget(Command21, 0, 0);
    gF->addWidget(Command22, 0, 1);
    gF->addWidget(Command28, 1, 0);
    gF->addWidget(Check3, 2, 0, 1, 2);

    // Update through the Internet.
    auto* rete = new QGroupBox(QStringLiteral("Aggiornamento via Internet"), pagina);
    auto* gR = new QGridLayout(rete);
    auto* Command18 = pulsante("Command18", QStringLiteral("CONTROLLO AGGIORNAMENTI"), rete);
    auto* Command27 = pulsante("Command27", QStringLiteral("SCARICO FILE"), rete);
    auto* Command26 = pulsante("Command26", QStringLiteral("Command26"), rete);
    Command26->setToolTip(QStringLiteral("Annulla il trasferimento in corso"));
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
        if (contesto_.apriHelp)
            contesto_.apriHelp(HelpScarico, this);
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

    List4 = new QListWidget(pagina);
    List4->setObjectName(QStringLiteral("List4"));
    auto* elenco = new QVBoxLayout;
    elenco->addWidget(new QLabel(QStringLiteral("Elenco estrazioni mancanti"), pagina));
    elenco->addWidget(List4, 1);
    elenco->addWidget(nota(QStringLiteral("Il controllo viene effettuato nelle ultime 100 estrazioni. Per l'archivio "
                                          "completo contattare il programmatore"),
                           pagina));

    auto* comandi = new QHBoxLayout;
    comandi->setContentsMargins(0, 0, 0, 0);
    comandi->addWidget(daFile, 2);
    comandi->addWidget(rete, 5);
    comandiAggiornamento_ = new QWidget(pagina);
    comandiAggiornamento_->setLayout(comandi);

    auto* griglia = new QVBoxLayout;
    griglia->addWidget(FgImporta, 1);
    griglia->addWidget(nota(QStringLiteral("Lo sfondo arancione nella colonna della data identifica le estrazioni da importare"),
                            pagina));
    griglia->addWidget(nota(QStringLiteral("La data in rosso e lo sfondo di una ruota bianco identifica una estrazione  con "
                                           "errori in quella ruota"),
                            pagina));
    auto* basso = new QHBoxLayout;
    basso->addLayout(griglia, 3);
    basso->addLayout(elenco, 1);
    auto* layout = new QVBoxLayout(pagina);
    layout->addWidget(comandiAggiornamento_);
    layout->addLayout(basso, 1);

    scarico_ = new net::Scarico(this);
    connect(scarico_, &net::Scarico::terminato, this,
            [this](bool riuscito, const QString& motivo) { dopoScarico(riuscito, motivo); });
    connect(scarico_, &net::Scarico::avanzamento, this, [this](qint64 ricevuti, qint64 totale) {
        if (contesto_.pb1 && totale > 0)
            contesto_.pb1->imposta(static_cast<int>(std::min<qint64>(ricevuti, totale) * 1000 / totale), 1000);
    });
    apriIndirizzo = [](const QUrl& u) { return QDesktopServices::openUrl(u); };
    return pagina;
}

std::vector<std::string> GestioneArchivio::righeList4() const
{
    std::vector<std::string> righe;
    for (int i = 0; i < List4->count(); ++i)
        righe.push_back(List4->item(i)->text().toStdString());
    return righe;
}

void GestioneArchivio::mostraList4(const std::vector<std::string>& righe)
{
    List4->clear();
    for (const auto& r : righe)
        List4->addItem(QString::fromStdString(r));
}

void GestioneArchivio::svuotaImporta()
{
    if (!FgImporta)
        return;
    maintenance::preparaFgImporta(FgImporta_);
    FgImporta->aggiorna();
}

void GestioneArchivio::erroreFase(const QString& fase, const QString& dettaglio)
{
    QString testo = QStringLiteral("Attenzione qualcosa è andato strorto nella procedura ") + fase;
    if (!dettaglio.isEmpty())
        testo += QStringLiteral("\n\n") + dettaglio;
    contesto_.dialoghi.messaggio(this, testo, TitoloAvviso, Icona::Critica);
}

void GestioneArchivio::aggiornaDaFile()
{
    OpzioniFile o;
    o.titolo = QStringLiteral("Aggiorna da file");
    o.cartella = QString::fromStdString(contesto_.sessione.cartellaProgramma());
    o.filtro = QStringLiteral("File di testo (*.txt *.Txt *.TXT)");
    const auto scelto = contesto_.dialoghi.apriFile(this, o);
    if (!scelto) {
        erroreFase({});   // the phase is still empty when the dialog is cancelled
        return;
    }
    caricaAggiornamento(*scelto, true);
}

void GestioneArchivio::caricaAggiornamento(const QString& percorso, bool testFormato)
{
    maintenance::EsitoFileAggiornamento esito;
    try {
        esito = maintenance::caricaFileAggiornamento(percorso.toStdString(), FgImporta_, testFormato);
    } catch (const storage::ErroreFileDiTesto& e) {
        contesto_.dialoghi.messaggio(this, QString::fromStdString(e.what()), TitoloAvviso, Icona::Critica);
        return;
    } catch (const std::exception&) {
        FgImporta->aggiorna();
        erroreFase(FaseElenco, QStringLiteral("Lettura interrotta del file \"%1\".").arg(percorso));
        return;
    }
    if (esito == maintenance::EsitoFileAggiornamento::FormatoErrato) {
        contesto_.dialoghi.messaggio(this,
                                     QStringLiteral("Attenzione, sembra che il file non sia del formato corretto")
                                         + QStringLiteral("\n\n\"%1\"").arg(percorso),
                                     TitoloAvviso, Icona::Critica);
        return;
    }
    if (esito == maintenance::EsitoFileAggiornamento::NonLeggibile) {
        erroreFase(FaseElenco, QStringLiteral("Impossibile aprire il file \"%1\".").arg(percorso));
        return;
    }
    FgImporta->aggiorna();
    FgImporta->setCellaCorrente(FgImporta_.righe() - 1, 1);
    if (FgImporta_.righe() > 1)
        ControlloEstrazioniMancanti();
}

void GestioneArchivio::occupa(bool occupata)
{
    schede_->setEnabled(!occupata);
    if (occupata)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void GestioneArchivio::ControlloEstrazioniMancanti()
{
    if (!archivioAperto())
        return;
    // The work marks a copy of the grid; the window shows it when the work is over.
    auto griglia = std::make_shared<grid::Grid>(FgImporta_);
    auto righe = std::make_shared<std::vector<std::string>>();
    storage::Database* db = &contesto_.sessione.dbEstrazioni();
    occupa(true);
    const bool avviato = lavoro_.avvia(
        [=](archive::Avanzamento& av) { maintenance::ControlloEstrazioniMancanti(*db, *griglia, *righe, &av); },
        [=, this](const LavoroDiFondo::Fine& fine) {
            occupa(false);
            FgImporta_ = *griglia;
            FgImporta->aggiorna();
            mostraList4(*righe);
            if (fine.errore)
                erroreFase(FaseControllo, QStringLiteral("Archivio \"%1\".").arg(percorsoArchivio()));
        });
    if (!avviato)
        occupa(false);
}

void GestioneArchivio::aggiornamento()
{
    if (FgImporta_.righe() < 2) {
        List4->clear();
        contesto_.dialoghi.messaggio(this, QStringLiteral("Non ci sono estrazioni da aggiornare."), TitoloAggiornamento,
                                     Icona::Informazione);
        mostraPagina(PaginaInserimento);
        return;
    }
    if (!archivioAperto())
        return;
    // The work writes the draws and reloads them into an archive of its own, which replaces
    // the one every window reads only back on this thread.
    auto griglia = std::make_shared<grid::Grid>(FgImporta_);
    auto righe = std::make_shared<std::vector<std::string>>();
    auto esito = std::make_shared<maintenance::EsitoAggiornamento>();
    auto nuovo = std::make_shared<archive::Archivio>();
    auto errore = std::make_shared<QString>();
    nuovo->EstrazioneIniziale = contesto_.sessione.archivio().EstrazioneIniziale;
    storage::Database* db = &contesto_.sessione.dbEstrazioni();
    const bool correggi = Check3->isChecked();
    const QString archivio = percorsoArchivio();
    occupa(true);
    const bool avviato = lavoro_.avvia(
        [=](archive::Avanzamento& av) {
            try {
                *esito = maintenance::AGGIORNAMENTO(*db, *nuovo, *griglia, correggi, *righe, &av);
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
            occupa(false);
            mostraList4(*righe);
            if (fine.interrotto)
                return;   // rolled back: nothing was written
            if (fine.errore || !errore->isEmpty()) {
                contesto_.dialoghi.messaggio(this,
                                             errore->isEmpty() ? QStringLiteral("Errore del database \"%1\": nessuna "
                                                                                "estrazione è stata salvata.")
                                                                     .arg(archivio)
                                                               : *errore,
                                             TitoloAggiornamento, Icona::Critica);
                return;   // the marks stay: the user can look at them and try again
            }
            if (esito->aggiunte + esito->modificate > 0) {
                fermaLettori();   // no other window's work may be reading the draws being replaced
                contesto_.sessione.archivio() = std::move(*nuovo);
            }
            if (!esito->erroreDatabase.empty())
                contesto_.dialoghi.messaggio(this,
                                             QStringLiteral("L'archivio \"%1\" ha rifiutato una estrazione: quelle "
                                                            "precedenti sono state salvate, le seguenti no (vedi l'elenco).")
                                                 .arg(archivio),
                                             TitoloAggiornamento, Icona::Critica);
            else if (esito->scartate > 0)
                contesto_.dialoghi.messaggio(this,
                                             QStringLiteral("%1 estrazioni del file non sono state salvate perché non "
                                                            "valide (vedi l'elenco).")
                                                 .arg(esito->scartate),
                                             TitoloAggiornamento, Icona::Esclamazione);
            if (esito->aggiunte > 0) {
                contesto_.dialoghi.messaggio(this, QStringLiteral("Dati salvati correttamente."), TitoloAggiornamento,
                                             Icona::Informazione);
                mostraPagina(PaginaInserimento);
            }
            // The archive in memory now holds the writes; the window and the main window follow it.
            AggiornaStatoArchivio();
            dopoRicarica();
        });
    if (!avviato)
        occupa(false);
}

QString GestioneArchivio::copiaLocale() const
{
    return QDir(QString::fromStdString(contesto_.sessione.cartellaProgramma()))
        .filePath(QString::fromLatin1(maintenance::NomeCopiaLocale));
}

void GestioneArchivio::scarica(bool poiControlla)
{
    if (scarico_->inCorso())
        return;
    const QString indirizzo = QString::fromStdString(maintenance::indirizzoAggiornamenti(contesto_.sessione.dbProgramma()));
    if (indirizzo.isEmpty()) {
        erroreFase(FaseCollegamento, QStringLiteral("Il server degli aggiornamenti non è configurato (riga "
                                                    "\"ServerAggiornamenti\" di ParametriProgramma)."));
        return;
    }
    controllaDopoScarico_ = poiControlla;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    scarico_->avvia(QUrl(indirizzo), copiaLocale());
}

void GestioneArchivio::controlloAggiornamenti() { scarica(true); }
void GestioneArchivio::scaricoFile() { scarica(false); }
void GestioneArchivio::annullaScarico() { scarico_->annulla(); }

void GestioneArchivio::dopoScarico(bool riuscito, const QString& motivo)
{
    QApplication::restoreOverrideCursor();
    if (contesto_.pb1)
        contesto_.pb1->azzera();
    if (!indirizzoStorico_.isEmpty()) {
        const QString indirizzo = std::exchange(indirizzoStorico_, QString());
        if (!riuscito)
            erroreFase(FaseCollegamento,
                       QStringLiteral("%1: %2. L'archivio e l'elenco non sono stati cambiati.").arg(indirizzo, motivo));
        else
            caricaStorico(scarico_->corpo(), indirizzo);
        return;
    }
    if (!riuscito) {
        erroreFase(FaseCollegamento, QStringLiteral("%1: %2. La copia \"%3\" non è stata cambiata.")
                                         .arg(QString::fromStdString(
                                                  maintenance::indirizzoAggiornamenti(contesto_.sessione.dbProgramma())),
                                              motivo, copiaLocale()));
        return;
    }
    if (!controllaDopoScarico_) {
        contesto_.dialoghi.messaggio(this, QStringLiteral("Fatto"), QStringLiteral("Velmora"), Icona::Nessuna);
        return;
    }
    caricaAggiornamento(copiaLocale(), false);
}

void GestioneArchivio::collegaAlSito()
{
    const QString indirizzo = Label5->text().trimmed();
    if (indirizzo.isEmpty())
        return;
    if (apriIndirizzo)
        apriIndirizzo(QUrl::fromUserInput(indirizzo));
}

void GestioneArchivio::parametroPredefinito(const char* chiave, const QString& valore)
{
    try {
        auto& db = contesto_.sessione.dbProgramma();
        if (!db.aperto() || !storage::LeggiParametro(db, chiave))
            return;   // no row: nothing is written and nothing said
        storage::ScriviParametro(db, chiave, valore.toStdString());
    } catch (const std::exception&) {
        return;   // database errors are cleared without a message
    }
    contesto_.dialoghi.messaggio(this, QStringLiteral("Salvataggio effettuato"), QStringLiteral("Salvataggio"),
                                 Icona::Informazione);
}

void GestioneArchivio::rendePredefinito() { parametroPredefinito("IndirizzoInternet", Text2->text()); }

void GestioneArchivio::storicoPredefinito() { parametroPredefinito("StoricoUfficiale", Text3->text().trimmed()); }

void GestioneArchivio::aggiornaDaStorico()
{
    if (scarico_->inCorso() || lavoro_.occupato() || !archivioAperto())
        return;
    indirizzoStorico_ = QString::fromStdString(maintenance::indirizzoStoricoUfficiale(contesto_.sessione.dbProgramma()));
    QApplication::setOverrideCursor(Qt::BusyCursor);
    scarico_->avviaInMemoria(QUrl(indirizzoStorico_));
}

void GestioneArchivio::caricaStorico(const QByteArray& contenuto, const QString& indirizzo)
{
    // The work fills and marks a grid of its own: the window takes it only when all went well.
    auto griglia = std::make_shared<grid::Grid>();
    auto righe = std::make_shared<std::vector<std::string>>();
    auto rifiuto = std::make_shared<std::string>();
    auto dati = std::make_shared<std::string>(contenuto.toStdString());
    const std::string nome = indirizzo.toStdString();
    storage::Database* db = &contesto_.sessione.dbEstrazioni();
    occupa(true);
    const bool avviato = lavoro_.avvia(
        [=](archive::Avanzamento& av) {
            try {
                std::string voce;
                const std::string testo = maintenance::testoStorico(std::move(*dati), nome, &voce);
                maintenance::caricaStoricoInFgImporta(testo, nome, *griglia, {}, &av, voce);
            } catch (const maintenance::ErroreStorico& e) {
                *rifiuto = e.what();
                return;
            }
            maintenance::ControlloEstrazioniMancanti(*db, *griglia, *righe, &av, true);
        },
        [=, this](const LavoroDiFondo::Fine& fine) {
            occupa(false);
            if (fine.interrotto)
                return;
            if (!rifiuto->empty()) {
                erroreFase(FaseElenco, QString::fromStdString(*rifiuto) + QStringLiteral(" L'archivio e l'elenco non sono stati cambiati."));
                return;
            }
            if (fine.errore) {
                erroreFase(FaseControllo, QStringLiteral("Archivio \"%1\".").arg(percorsoArchivio()));
                return;
            }
            FgImporta_ = *griglia;
            FgImporta->aggiorna();
            FgImporta->setCellaCorrente(FgImporta_.righe() - 1, 1);
            mostraList4(*righe);
        });
    if (!avviato)
        occupa(false);
}

}
