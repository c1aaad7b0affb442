// The window archivio ("Gestione archivio DB"): five pages (entry, update, export, browser, calendar) wired together.
#pragma once

#include "ui/archivio/Servizi.h"
#include "ui/common/Contesto.h"

#include <QPointer>
#include <QWidget>

class QTabWidget;
namespace net { class Scarico; }

namespace ui {

class LavoroDiFondo;

namespace archivio {
class PannelloAggiornamento;
class PannelloCalendario;
class PannelloConsultazione;
class PannelloEsportazione;
class PannelloInserimento;
}

class GestioneArchivio : public QWidget {
    Q_OBJECT
public:
    explicit GestioneArchivio(Contesto& contesto, QWidget* genitore = nullptr);
    ~GestioneArchivio() override;

    static QString titolo() { return QStringLiteral("Gestione archivio DB"); }
    // Help contexts of the four help buttons: entry, update file, download, exports and browser.
    static constexpr int HelpInserimento = archivio::HelpInserimento;
    static constexpr int HelpAggiornamento = archivio::HelpAggiornamento;
    static constexpr int HelpScarico = archivio::HelpScarico;
    static constexpr int HelpConsultazione = archivio::HelpConsultazione;
    // Tab pages, in order.
    enum Pagina { PaginaInserimento, PaginaAggiornamento, PaginaEsportazione, PaginaArchivio, PaginaCalendario };
    void mostraPagina(Pagina pagina);

    archivio::PannelloInserimento& inserimento() { return *inserimento_; }
    archivio::PannelloAggiornamento& aggiornamento() { return *aggiornamento_; }
    archivio::PannelloEsportazione& esportazione() { return *esportazione_; }
    archivio::PannelloConsultazione& consultazione() { return *consultazione_; }
    archivio::PannelloCalendario& calendario() { return *calendario_; }

    // The runner of the check, AGGIORNAMENTO, the exports and the reload after a write.
    LavoroDiFondo& lavoro() { return servizi_.lavoro(); }
    net::Scarico& scarico() { return servizi_.scarico(); }
    // True while a long work or a download runs.
    bool inCorso() const { return servizi_.inCorso(); }

private:
    // The Alt mnemonic of every command button.
    void assegnaTasti();
    // The pages, the long commands, Annulla and the pointer as the works and the download running allow.
    void mostraOccupazione();

    QTabWidget* schede_ = nullptr;
    archivio::PannelloInserimento* inserimento_ = nullptr;
    archivio::PannelloAggiornamento* aggiornamento_ = nullptr;
    archivio::PannelloEsportazione* esportazione_ = nullptr;
    archivio::PannelloConsultazione* consultazione_ = nullptr;
    archivio::PannelloCalendario* calendario_ = nullptr;
    bool cursoreOccupato_ = false;
    int riscritture_ = 0;       // >0 while the pages follow archivioRiscritto
    bool ricaricaDaFuori_ = false;   // the pages follow a reload of a file another program changed
    int ascoltoArchivio_ = 0;   // the key of this window among the archive's listeners
    // The control that had the keyboard while the pages were held: it gets it back when they open.
    QPointer<QWidget> fuocoPrima_;

    // Last: destroyed first, its runner stops the running work and waits for it.
    archivio::Servizi servizi_;
};

// Adds the window to the window registry as "archivio".
void registraArchivio();

}
