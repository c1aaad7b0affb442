// The update page of archivio: AGGIORNA DA FILE, the check and its marks, AGGIORNAMENTO, the downloads, the addresses.
#pragma once

#include "grid/Grid.h"
#include "maintenance/Aggiornamento.h"
#include "ui/common/ModelloRighe.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QUrl;

namespace ui {
class GrigliaView;
}

namespace ui::archivio {

class Servizi;

class PannelloAggiornamento : public QWidget {
    Q_OBJECT
public:
    explicit PannelloAggiornamento(Servizi& servizi, QWidget* genitore = nullptr);
    ~PannelloAggiornamento() override;

    // The addresses shown at opening: the site, the official archive, the update server.
    void apri();

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
    // FgImporta back to its header row (after a write of the entry page or an update).
    void svuotaImporta();
    // The rows listed checked again against the archive as it is now (reloaded after another
    // program changed it): the marks say what AGGIORNAMENTO would write.
    void ricontrollaImporta();

    // COLLEGA AL SITO hands the address to this; tests replace it so that no browser opens.
    std::function<bool(const QUrl&)> apriIndirizzo;
    // The rows of the update with the check's verdicts, and FgImporta as it shows them.
    const maintenance::RigheImporta& righeImporta() const { return righe_; }
    grid::Grid grigliaImporta() const { return importa_->testoTabella(); }
    std::vector<std::string> righeList4() const;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QWidget* gruppoDaFile();
    QWidget* gruppoRete();
    void mostraList4(const std::vector<std::string>& righe);
    // "Attenzione qualcosa è andato storto nella procedura " + the phase, and why when known.
    void erroreFase(const QString& fase, const QString& dettaglio = {});
    // The local copy of the downloaded file in the program folder.
    QString copiaLocale() const;
    void scarica(bool poiControlla);
    void dopoScarico(bool riuscito, const QString& motivo);
    // The downloaded official file read, into FgImporta and checked on the runner; a refused file changes nothing.
    void caricaStorico(const QByteArray& contenuto, const QString& indirizzo);
    // AGGIORNAMENTO's writes are over: the messages, the list, the new archive announced.
    struct EsitoAggiornamento;
    void aggiornamentoFinito(const EsitoAggiornamento& e);
    // FgImporta rebuilt from the rows and shown again, its columns fitted to their contents.
    void mostraImporta();
    // After a load: no current or selected row, the list scrolled to its top.
    void dallInizio();
    void mostraAvanzamentoScarico(qint64 ricevuti, qint64 totale);
    // A download of `indirizzo` started by `avvia` (false when it did not start): address shown, page held.
    void avviaScarico(const QString& indirizzo, const std::function<bool()>& avvia);

    Servizi& servizi_;
    maintenance::RigheImporta righe_;   // what AGGIORNAMENTO writes; FgImporta only shows it
    ModelloRighe<maintenance::RigaImporta>* importa_ = nullptr;
    GrigliaView* FgImporta = nullptr;
    QListWidget* List4 = nullptr;   // what the last check or update found, line by line
    QCheckBox* Check3 = nullptr;
    bool controllaDopoScarico_ = false;
    QString indirizzoStorico_;   // non-empty while the official file is being downloaded
    bool storicoCompleto_ = false;   // FgImporta holds the official file, which lists every draw
    QLabel* Label5 = nullptr;   // the Internet address in use
    QLineEdit* Text2 = nullptr;   // the Internet address being typed (a double click empties it)
    QLineEdit* Text3 = nullptr;   // the address of the official historical archive
    QLineEdit* Text4 = nullptr;   // the server of the update file
    QLabel* LblScarico = nullptr;
    bool annullato_ = false;     // Command26 stopped the download running
};

}
