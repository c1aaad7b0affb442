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

// The wheels in play, Bari..Nazionale.
using Ruote = std::array<bool, archive::NumeroRuote>;
Ruote ruoteIniziali();                              // Bari alone, as the window opens
void commutaRuota(Ruote& ruote, int ruota);         // a click on FgR: in play <-> out
void selezionaRuote(Ruote& ruote, bool tutte);      // Command41 (true) / Command44 (false)

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
// The "###.00" text: two decimals after `separatore`, no leading zero below 1 (0.5 -> ".50").
std::string formatoIntervallo(int centesimi, char separatore = '.');

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

// Columns of FG2 and its row: one number with its statistics (Frequenza, the average interval in
// hundredths, is nothing when the number has no interval: an empty cell).
namespace colFG2 {
constexpr int Numero = 1, Ritardo = 2, Presenze = 3, Frequenza = 4;
}
struct RigaStatistiche {
    int numero = 0;
    int ritardo = 0;
    int presenze = 0;
    std::optional<int> frequenzaCentesimi;
};
// Row r of FG2 (the number in bold), Frequenza with `separatore` before its decimals.
// The text of a cell of FG2 (column 0, the row selector, empty).
std::string testoFG2(const RigaStatistiche& s, int colonna, char separatore = '.');
// The colour of a column of FG2 on the rows of a result: delay yellow, presences green, frequency cyan.
std::optional<grid::Colore> sfondoFG2(int colonna);
void scriviRigaFG2(grid::Grid& FG2, int riga, const RigaStatistiche& s, char separatore = '.');
// A row of the pyramid Fg1: its numbers from column 0, nothing past them.
using RigaPiramide = std::vector<int>;
// The text of cell `colonna` of a row of Fg1: its number, empty past the row's numbers.
std::string testoFg1(const RigaPiramide& riga, int colonna);

// The results the window shows: the rows they are made of, the three grids built from them, the
// labels and the chart values.
class PiramidePrevisionale {
public:
    PiramidePrevisionale();

    // The decimal separator of Frequenza in FG2: a point for the command line, a comma in the window.
    char separatoreDecimale = '.';
    // The results of the last ELABORA: FG2's rows in rank order, the ranking FG3 shows (without the
    // Capogioco), the pyramid Fg1 shows (row r holds r + 1 numbers). Empty once discarded.
    std::vector<RigaStatistiche> statistiche;
    std::vector<int> classifica;
    std::vector<RigaPiramide> piramide;

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

    // The rows and columns of Fg1: the level of the last ELABORA or of the last change of Livello.
    int livello() const { return livello_; }
    // Fg1's rows: the pyramid's, as many as the level (empty ones while there is no result).
    std::vector<RigaPiramide> righeFg1() const;

    // ELABORA. Returns the message to show when no wheel is selected (nothing changes then).
    std::optional<Avviso> CalcolaPiramidePrevisionale(const archive::Archivio& a, const Ruote& ruote, const Ingresso& in);
    // Copies the pyramid onto the labels; rows it does not have stay empty.
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
    // Fg1 with L rows and columns, empty, centred.
    void preparaFg1(int livello);
    // FG2, FG3 and the cells of Fg1 written from the rows.
    void scriviGriglie();

    int livello_ = LivelloIniziale;
};

}
