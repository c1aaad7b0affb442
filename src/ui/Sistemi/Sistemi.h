// The window Sistemi: a system of the numbers chosen, its guarantee checked on every m-subset, its rendimento and cost.
#pragma once

#include "grid/Grid.h"
#include "systems/Copertura.h"
#include "systems/Rendimento.h"
#include "ui/common/Contesto.h"
#include "ui/common/LavoroDiFondo.h"
#include "ui/common/Tabelloni.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace ui {

class GrigliaView;

// A row of FgBiglietti: a ticket of the system, with its place in it (from 1).
struct RigaBiglietto {
    std::int64_t numero = 0;
    std::vector<int> numeri;   // increasing
    bool operator==(const RigaBiglietto&) const = default;
};

class Sistemi : public QWidget {
    Q_OBJECT
public:
    explicit Sistemi(Contesto& contesto, QWidget* genitore = nullptr);
    ~Sistemi() override;

    static constexpr int ContestoHelp = 370;
    // Tickets a page of FgBiglietti shows; an integral system is paged, never held whole.
    static constexpr int BigliettiPerPagina = 1000;
    // Tickets "Gioca il sistema" makes into plays at most.
    static constexpr int MassimoGiocate = 1000;
    // The columns of FgBiglietti.
    enum ColonneBiglietti : int { ColonnaNumero, ColonnaNumeri };

    // The commands, as the buttons run them.
    void CmdCalcola();           // the system of the numbers, K, T, M, on a worker
    void CmdFerma();             // stops the search: the best verified system so far is kept
    void CmdSvuota();            // no numbers chosen
    void CmdGioca();             // the tickets as plays of Giocate, after asking
    void commutaNumero(int n);   // number n on the board
    void commutaRuota(int w);    // wheel w in FgRuote
    // The numbers typed in TxtNumeri ("05-12-33 ..."), put on the board; false after saying why not.
    bool usaNumeriScritti();
    void impostaParametri(int classe, int garanzia, int se, bool integrale);
    void impostaTempo(int secondi);

    // The tables as the window shows them, as text (header row first).
    grid::Grid grigliaBiglietti() const;
    grid::Grid grigliaRendimento() const;
    const std::optional<systems::SistemaVerificato>& sistema() const { return sistema_; }
    QString testoGaranzia() const;
    QString testoCosto() const;
    LavoroDiFondo& lavoro() { return lavoro_; }
    Contesto& contesto() const { return contesto_; }

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void mostraBoard();
    // The numbers or the guarantee changed: the system shown no longer answers them and is dropped,
    // so that "Gioca il sistema" never plays tickets of other numbers.
    void dimenticaSistema();
    void mostraRuote();
    void mostraPagina();
    void mostraCosto();
    // The stakes typed; nothing after saying which one is wrong.
    std::optional<systems::Poste> leggiPoste();
    // The rendimento again for new stakes (on the worker: a reduced system walks every h-subset).
    void ricalcolaRendimento();
    void occupa(bool si);
    void avviso(const QString& testo, Icona icona);

    Contesto& contesto_;
    plays::Tariffe tariffe_;
    std::vector<int> numeri_;   // increasing
    std::array<bool, archive::NumeroRuote> ruote_{};
    std::optional<systems::SistemaVerificato> sistema_;
    std::vector<systems::RigaRendimento> rendimento_;
    systems::Poste posteRendimento_{};

    // The tables' models, owned by their views.
    TabelloneNumeri* tabellone_ = nullptr;
    TabelloneRuote* tabelloneRuote_ = nullptr;
    ModelloRighe<RigaBiglietto>* biglietti_ = nullptr;
    ModelloRighe<systems::RigaRendimento>* righeRendimento_ = nullptr;
    GrigliaView* FgNumeri = nullptr;
    GrigliaView* FgRuote = nullptr;
    GrigliaView* FgBiglietti = nullptr;
    GrigliaView* FgRendimento = nullptr;
    QLineEdit* TxtNumeri = nullptr;
    QLabel* LblNumeri = nullptr;
    QSpinBox* SpinClasse = nullptr;
    QSpinBox* SpinGaranzia = nullptr;
    QSpinBox* SpinSe = nullptr;
    QCheckBox* ChIntegrale = nullptr;
    QSpinBox* SpinTempo = nullptr;
    QSpinBox* SpinSeme = nullptr;
    QPushButton* CmdCalcolaBtn = nullptr;
    QPushButton* CmdFermaBtn = nullptr;
    QPushButton* CmdGiocaBtn = nullptr;
    QLabel* LblDimensione = nullptr;
    QLabel* LblGaranzia = nullptr;
    QSpinBox* SpinPagina = nullptr;
    QLabel* LblPagina = nullptr;
    std::array<QLineEdit*, plays::NumeroSorti> TxtPosta{};
    QSpinBox* SpinColpi = nullptr;
    QLineEdit* TxtDal = nullptr;
    QLabel* LblCosto = nullptr;

    // Declared last: destroyed first, it stops the work and waits for it before anything it touches goes.
    LavoroDiFondo lavoro_{this};
};

// Adds the window to the window registry, with its screenshot holding a computed system.
void registraSistemi();

}
