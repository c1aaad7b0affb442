// The window archivio ("Gestione archivio DB"): draw entry, correction and deletion, browser and calendar.
#pragma once

#include "grid/Grid.h"
#include "maintenance/Caselle.h"
#include "ui/common/Contesto.h"
#include "ui/common/LavoroDiFondo.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QUrl;
class QPushButton;
class QScrollBar;
class QTabWidget;
namespace net { class Scarico; }

namespace ui {

class GrigliaView;

class GestioneArchivio : public QWidget {
    Q_OBJECT
public:
    explicit GestioneArchivio(Contesto& contesto, QWidget* genitore = nullptr);
    ~GestioneArchivio() override;

    static QString titolo() { return QStringLiteral("Gestione archivio DB"); }
    // Help contexts of the four help buttons: entry, update file, download, exports and browser.
    static constexpr int HelpInserimento = 270;
    static constexpr int HelpAggiornamento = 280;
    static constexpr int HelpScarico = 290;
    static constexpr int HelpConsultazione = 300;
    // Tab pages, in order.
    enum Pagina { PaginaInserimento, PaginaAggiornamento, PaginaEsportazione, PaginaArchivio, PaginaCalendario };

    // The routines the pages share.
    void CaricaTabellaArchivio();   // the current draw into the boxes
    // Stops every long work running (it may be reading the archive) before a write reloads it.
    void fermaLettori();
    void CaricaArchivioExNovo();    // reload of every draw, then the main window's range display
    void AggiornaStatoArchivio();   // status labels, the last draw shown
    void CaricaGrigliaArchivio();   // FgDB from the draws database
    // FgDB's type size and column widths for its width (after a load and at every resize).
    void adattaColonneFgDB();

    // Entry page commands.
    void salvaEstrazione();      // Command8
    void modificaEstrazione();   // Command3
    void eliminaEstrazione();    // Command2
    void incollaEstrazione();    // Command12
    void azzeraCaselle();        // Command1
    void chiediIndice();         // pAN_DC click

    // Browser and calendar commands.
    void selezioneEstrazione();   // Command11
    void ricercaPerIndice();      // Command42
    void ricercaPerData();        // Command59
    void caricaCalendario();      // Command24, Combo1, Check2
    void clicCalendario(int riga, int colonna);   // Fg1

    // Update page commands.
    void aggiornaDaFile();                 // Command21
    void ControlloEstrazioniMancanti();    // the check of FgImporta, after a load
    // An update file into FgImporta, then the check (AGGIORNA DA FILE after its dialog, and the
    // downloaded copy without the format test).
    void caricaAggiornamento(const QString& percorso, bool testFormato);
    void aggiornamento();                  // Command28
    void controlloAggiornamenti();         // Command18
    void scaricoFile();                    // Command27
    void annullaScarico();                 // Command26
    void collegaAlSito();                  // Command5
    void rendePredefinito();               // Command15
    // Command60: the official historical archive downloaded, into FgImporta, then the check.
    void aggiornaDaStorico();
    void storicoPredefinito();             // Command61: Text3 as the row "StoricoUfficiale"
    void serverPredefinito();              // Command62: Text4 as the row "ServerAggiornamenti"
    // Export page commands.
    void salvaNumeris3();                  // Command10
    void rendePredefinita();               // Command35
    void salvaQuintavo();                  // Command7
    void salvaNazionale();                 // Command34
    void scegliCartellaQuintavo();         // Command36: the folder of DATI32.III, stored as "PercorsoQuintavo"
    // LblQuintavo and the Numeris 3 note: the folder the Quintavo export writes to.
    void mostraCartellaQuintavo();
    // True while a long work (check, AGGIORNAMENTO, an export) or a download runs.
    bool inCorso() const;

    // COLLEGA AL SITO hands the address to this; tests replace it so that no browser opens.
    std::function<bool(const QUrl&)> apriIndirizzo;
    net::Scarico& scarico() { return *scarico_; }
    // The runner of the check, AGGIORNAMENTO and the exports.
    LavoroDiFondo& lavoro() { return lavoro_; }
    const grid::Grid& grigliaImporta() const { return FgImporta_; }
    std::vector<std::string> righeList4() const;

    int indiceCorrente() const { return indiceCorrente_; }
    maintenance::Caselle caselle() const;
    const grid::Grid& grigliaArchivio() const { return FgDB_; }
    const grid::Grid& calendario() const { return Fg1_; }
    void mostraPagina(Pagina pagina);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void costruisci();
    void assegnaTasti();
    QWidget* paginaInserimento();
    QWidget* paginaAggiornamento();
    QWidget* paginaEsportazione();
    QWidget* paginaArchivio();
    QWidget* paginaCalendario();
    void apri();
    // HScrestrazione changed: the index and date labels, then the boxes.
    void mostraEstrazione(int indice);
    void impostaCalendario(const QString& data);
    int indiceCasella(QObject* oggetto) const;
    bool tastoCasella(int indice, int tasto);
    // A digit that would make the box a number above 90: refused with a message; true when it was.
    bool cifraRifiutata(int indice, const QString& tasto);
    // Text1 edited by the player: the calendar follows a whole date (`finita` when the box is left).
    void dataDigitata(bool finita);
    void coloraCasella(int indice, grid::Colore colore);
    // True when the draws database is open; otherwise says so, naming the file.
    bool archivioAperto();
    QString percorsoArchivio() const;
    void dopoRicarica();
    // FgImporta back to its header row (after a write of the entry page or an update).
    void svuotaImporta();
    void mostraList4(const std::vector<std::string>& righe);
    // "Attenzione qualcosa è andato strorto nella procedura " + the phase, and why when known.
    void erroreFase(const QString& fase, const QString& dettaglio = {});
    // The local copy of the downloaded file in the program folder.
    QString copiaLocale() const;
    void scarica(bool poiControlla);
    void dopoScarico(bool riuscito, const QString& motivo);
    // The downloaded official file read, into FgImporta and checked on the runner; a refused file changes nothing.
    void caricaStorico(const QByteArray& contenuto, const QString& indirizzo);
    // Runs an export on the runner with the busy pointer and bar pb1; `fatto` says whether the
    // file was written.
    void esportaIn(int formato, const QString& percorso, std::function<void(bool fatto, const QString& motivo)> fatto);
    // While long work runs: the pages disabled (the work reads the draws database and the
    // archive) and the busy pointer.
    void occupa(bool occupata);
    // The pages, the long commands, Annulla and the pointer as the works and the download running allow.
    void mostraOccupazione();
    // Says that another long work or download is running, and returns true: the caller does nothing.
    bool rifiutaSeInCorso();
    // FgImporta shown again, its columns fitted to their contents.
    void mostraImporta();
    void mostraAvanzamentoScarico(qint64 ricevuti, qint64 totale);
    // A download of `indirizzo` started by `avvia` (false when it did not start): address shown, page held.
    void avviaScarico(const QString& indirizzo, const std::function<bool()>& avvia);
    // An export ended: the file written and the draws in it, or why nothing was.
    void esportazioneFinita(bool fatto, const QString& motivo, const QString& percorso, int estrazioni,
                            const QString& cosa);
    void parametroPredefinito(const char* chiave, const QString& valore);

    Contesto& contesto_;
    int indiceCorrente_ = 0;
    grid::Grid FgDB_;
    grid::Grid Fg1_;

    QTabWidget* schede_ = nullptr;
    std::array<QLineEdit*, maintenance::NumeroCaselle + 1> txtin{};
    QScrollBar* HScrestrazione = nullptr;
    QLabel* pAN_DC = nullptr;
    QLabel* LBLESTRAZIONE = nullptr;
    QLabel* LblMensile = nullptr;
    QLabel* LblAnnuale = nullptr;
    QCalendarWidget* MonthView1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* LBLAGGIORNATO = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label13 = nullptr;
    GrigliaView* FgDB = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* Combo1 = nullptr;
    QCheckBox* Check2 = nullptr;
    GrigliaView* Fg1 = nullptr;

    grid::Grid FgImporta_;
    GrigliaView* FgImporta = nullptr;
    QListWidget* List4 = nullptr;
    QCheckBox* Check3 = nullptr;
    QWidget* comandiAggiornamento_ = nullptr;
    net::Scarico* scarico_ = nullptr;
    bool controllaDopoScarico_ = false;
    QString indirizzoStorico_;   // non-empty while the official file is being downloaded
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QPushButton* Command26 = nullptr;
    QLabel* LblScarico = nullptr;
    QString indirizzoScarico_;     // the address being (or last) downloaded
    bool annullato_ = false;       // Command26 stopped the download running
    int occupazioni_ = 0;          // long works holding the pages
    bool cursoreOccupato_ = false;
    QLabel* LblQuintavo = nullptr;
    QLabel* LblEsportazione = nullptr;
    QLabel* notaNumeris3_ = nullptr;

    // Last: destroyed first, it stops the running work and waits for it.
    LavoroDiFondo lavoro_{this};
};

// Adds the window to the window registry as "archivio", with screenshots of its pages.
void registraArchivio();

}
