// The predictive pyramid: count over a run of draws, statistics table FG2, ranking FG3,
// pyramid Fg1 in its two layouts, and the pyramid labels Lbl0..Lbl7.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace predictive {

// Ranking key, by the index of the option button Option1.
enum class Criterio { Ritardo = 1, Presenze = 2, Frequenza = 3 };

constexpr int LivelloMinimo = 3;
constexpr int LivelloMassimo = 8;
constexpr int LivelloIniziale = 6;
constexpr int RigheEtichette = 8;    // Lbl0..Lbl7

// Light backgrounds of the statistics columns.
constexpr grid::Colore GialloChiaro = grid::rgb(255, 255, 192);
constexpr grid::Colore VerdeChiaro = grid::rgb(192, 255, 192);
constexpr grid::Colore CianoChiaro = grid::rgb(192, 255, 255);

// A message box the window shows: text, title (information icon).
struct Avviso {
    std::string testo;
    std::string titolo;
};
inline const Avviso NessunaRuota{"Selezionare almeno una ruota", "Avviso"};

// Wheel selection grid FgR: one row of 11 cells "BA".."NZ"; green means selected.
void preparaFgR(grid::Grid& FgR);                       // codes, Bari selected
void commutaRuota(grid::Grid& FgR, int ruota);          // green <-> white
void selezionaRuote(grid::Grid& FgR, bool tutte);       // Command41 (true) / Command44 (false)
std::array<bool, archive::NumeroRuote> ruoteSelezionate(const grid::Grid& FgR);

// The working table of the count, per number 1..90 (index 0 unused).
struct Conteggio {
    std::array<int, 91> ultima{};     // last position of the run where n came out, 0 if never
    std::array<int, 91> presenze{};   // every wheel and every extraction position counts
};

// One pass over positions inizio..fine of the model archive. Every selected wheel
// counts, Nazionale included. Positions outside 1..M are not read.
Conteggio contaPresenze(const archive::Archivio& a, int inizio, int fine,
                        const std::array<bool, archive::NumeroRuote>& ruote);

// Average interval (fine - inizio) / presenze in hundredths, rounded half up;
// nothing when the number never came out.
std::optional<int> intervalloCentesimi(int inizio, int fine, int presenze);
// The "###.00" text: two decimals, no leading zero below 1 (0.5 -> ".50").
std::string formatoIntervallo(int centesimi);

// Plain layout: row i (1-based) of the pyramid takes the ranks primo(i)..ultimo(i).
constexpr int primoRango(int riga) { return riga * (riga - 1) / 2 + 1; }
constexpr int ultimoRango(int riga) { return riga * (riga + 1) / 2; }

// What ELABORA reads from the window.
struct Ingresso {
    int inizio = 1;           // positions in the model archive, inizio <= fine
    int fine = 1;
    Criterio criterio = Criterio::Ritardo;
    int livello = LivelloIniziale;   // 3..8
    int capogioco = 0;               // 0 = none, else 1..90 at the head of every row
};

// One pyramid label.
struct Etichetta {
    std::string testo;
    grid::Colore sfondo = grid::colori::Bianco;
};

// Columns of FG2 and its row: one number with its statistics (Frequenza as the cell
// shows it, with a decimal point; empty when the number has no interval).
namespace colFG2 {
constexpr int Numero = 1, Ritardo = 2, Presenze = 3, Frequenza = 4;
}
struct RigaStatistiche {
    int numero = 0;
    int ritardo = 0;
    int presenze = 0;
    std::string frequenza;
};
// Row r of FG2 (the number in bold), written and read back.
void scriviRigaFG2(grid::Grid& FG2, int riga, const RigaStatistiche& s);
RigaStatistiche leggiRigaFG2(const grid::Grid& FG2, int riga);

// The results the window shows: the three grids, the labels and the chart values.
class PiramidePrevisionale {
public:
    PiramidePrevisionale();

    grid::Grid FG2;   // header + 90 rows: fixed, number, delay, presences, average interval
    grid::Grid FG3;   // header + ranking, numbers in column 1
    grid::Grid Fg1;   // L rows, row r holds r + 1 numbers in columns 0..r
    // Lbl0..Lbl7: etichette[r][j] for j = 0..r.
    std::array<std::array<Etichetta, RigheEtichette>, RigheEtichette> etichette;

    // Value of the criterion of the last ELABORA per number 1..90, and whether the
    // number stands in the pyramid: the window's bar chart. Empty when the results
    // have been discarded.
    std::vector<double> valoriGrafico;
    std::array<bool, 91> inPiramide{};
    Criterio criterioGrafico = Criterio::Ritardo;

    // ELABORA. Returns the message to show when no wheel is selected (nothing changes then).
    std::optional<Avviso> CalcolaPiramidePrevisionale(const archive::Archivio& a, const grid::Grid& FgR,
                                                      const Ingresso& in);
    // Copies Fg1 onto the labels; rows Fg1 does not have stay empty.
    void MostraPiramide();
    // Paints all labels white and diagonal `diagonale` (0 for "1" .. 7 for "8") yellow.
    void EvidenziaDiagonale(int diagonale);
    // Empties the text of all labels.
    void AzzeraLabel();

    // The results a change of Capogioco, Livello or criterion discards.
    void cambiaCapogioco();
    void cambiaLivello(int livello);
    void cambiaCriterio();

private:
    void scartaRisultati();
};

}
