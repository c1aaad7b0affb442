// The window Giocate: the player's plays, their wins draw by draw, the payouts; a new win is announced once.
#pragma once

#include "grid/Grid.h"
#include "plays/Giocata.h"
#include "plays/GrigliaGiocate.h"
#include "ui/common/Contesto.h"
#include "ui/common/ModelloRighe.h"
#include "ui/common/Tabelloni.h"

#include <QWidget>

#include <array>
#include <set>
#include <vector>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace ui {

class GrigliaView;

class Giocate : public QWidget {
    Q_OBJECT
public:
    explicit Giocate(Contesto& contesto, QWidget* genitore = nullptr);
    ~Giocate() override;

    static constexpr int ContestoHelp = 360;

    // The commands, as the buttons run them.
    void CmdAggiungi();         // the form as a new play
    void CmdSalvaModifiche();   // the form over the selected play
    void CmdElimina();          // the selected play, after asking
    void CmdNuova();            // an empty form
    void CmdTutte();            // the ten regional wheels
    void CmdValoriDiLegge();    // the payouts and levy of the law, after asking
    // Row `riga` of FgGiocate: a play is selected (its wins below, its fields in the form); the line of a
    // system opens into its tickets, or closes.
    void selezionaGiocata(int riga);
    // The form: number n on the board, wheel w in FgRuote.
    void commutaNumero(int n);
    void commutaRuota(int w);

    // The list and the wins as text, the header row first: what is copied, exported and printed.
    grid::Grid grigliaGiocate() const;
    grid::Grid grigliaVincite() const;
    grid::Grid grigliaPagamenti() const { return pagamenti_->testoTabella(); }
    const std::vector<plays::Giocata>& giocate() const { return giocate_; }
    Contesto& contesto() const { return contesto_; }

public slots:
    // Reads the plays again and checks them on the archive (another window added one).
    void ricarica();
    // Reads them again and selects play `id` (another window just added it).
    void mostraGiocata(qint64 id);

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    // The constructor's parts: the list with its commands (returned: the row under the list, where
    // the payouts go too), the form, the payouts, the layout of them all, the payouts read and shown.
    QHBoxLayout* costruisciElenco();
    QGroupBox* costruisciModulo();
    void costruisciPaghe(QHBoxLayout* comandi);
    void disponi(QHBoxLayout* comandi, QGroupBox* modulo);
    void caricaPaghe();
    // After every reload of the archive: check again, announce what is new.
    void archivioCambiato();
    // The wins after what each play had announced, told in one message and remembered.
    void annunciaNuoveVincite();
    void mostraForm(const plays::Giocata& g);
    // The play the form describes, or nothing after telling the player why not.
    std::optional<plays::Giocata> leggiForm();
    void mostraBoard();
    void mostraRuote();
    // A payout or the levy typed in FgPagamenti: saved, the wins checked again.
    void pagamentoModificato();
    // The selected play: its index in giocate_ plus 1, 0 for none.
    int rigaSelezionata() const;
    void selezionaIndice(int indice);
    // The list written again with the systems open as they are.
    void scriviElenco();
    void avviso(const QString& testo, Icona icona);

    Contesto& contesto_;
    int chiaveArchivio_ = 0;
    int scelta_ = 0;   // the selected play: its index in giocate_ plus 1, 0 for none
    std::set<std::int64_t> aperti_;           // the systems shown with their tickets
    plays::Tariffe tariffe_;
    std::vector<plays::Giocata> giocate_;
    std::vector<plays::EsitoGiocata> esiti_;
    std::array<bool, 91> numeri_{};
    std::vector<int> ordineNumeri_;   // the numbers as the player chose them
    std::array<bool, archive::NumeroRuote> ruote_{};

    // A win of the selected play: the play's N° with it, for the column kept in copies and exports.
    struct RigaVincita {
        std::int64_t giocata = 0;
        plays::Vincita vincita;
    };
    static std::vector<ColonnaDi<RigaVincita>> colonneVincite();
    ModelloRighe<plays::RigaElenco>* elenco_ = nullptr;   // FgGiocate's rows
    ModelloRighe<RigaVincita>* vincite_ = nullptr;        // FgVincite's rows
    ModelloRighe<plays::Tariffe>* pagamenti_ = nullptr;   // FgPagamenti's one row
    TabelloneNumeri* numeriScelti_ = nullptr;              // FgNumeri: numeri_
    TabelloneRuote* ruoteScelte_ = nullptr;                // FgRuote: ruote_
    GrigliaView* FgGiocate = nullptr;
    GrigliaView* FgVincite = nullptr;
    GrigliaView* FgPagamenti = nullptr;
    GrigliaView* FgNumeri = nullptr;
    GrigliaView* FgRuote = nullptr;
    std::array<QLineEdit*, plays::NumeroSorti> TxtPosta{};
    QLineEdit* TxtDal = nullptr;
    QLineEdit* TxtNote = nullptr;
    QSpinBox* TxtColpi = nullptr;
    QCheckBox* ChPrimaVincita = nullptr;
    QLabel* LblTotali = nullptr;
    QLabel* LblVincite = nullptr;
    QLabel* LblNumeri = nullptr;
};

// Adds the window to the window registry, with its screenshot holding three plays.
void registraGiocate();

}
