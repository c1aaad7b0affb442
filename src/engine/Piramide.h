// The pyramid of fifteen bricks: composition grid layout, evaluation on a draw, SettaGridFGF.
#pragma once

#include "archive/Archivio.h"
#include "engine/Mattone.h"
#include "engine/Operatori.h"
#include "grid/Grid.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

constexpr int NumeroMattoni = 15;

// Columns of the composition grid FgF (and of the pattern grid Fg5).
namespace colF {
constexpr int Riga = 0, Ri = 1, Co = 2, Tras = 3, Tipo = 4, E1 = 5, R1 = 6, RU1 = 7, E2 = 8, R2 = 9, RU2 = 10, VAL = 11;
}

// Row of brick m in the triangle (1 = top) and its place in that row (1 = left).
int rigaMattone(int m);
int postoMattone(int m);
// First and last brick of level (row) k = 1..5: 1-1, 2-3, 4-6, 7-10, 11-15.
int primoMattone(int livello);
int ultimoMattone(int livello);

// The number N(d, w, p), raising ErroreCalcolo for a draw outside 1..N, a wheel
// outside 0..10 or a position outside 1..5: a pyramid or a verification must
// never read past the archive.
std::int16_t numeroControllato(const archive::Archivio& a, int d, int w, int p);

// Prepares the evaluator's inputs of input class `tipo` on draw d, from the wheels,
// positions and ValoreFisso already in `c`: 1 N1; 2 N1, N2; 3 N1; 4 N1 = `numeroDiretto`;
// 5 N1 from ValoreFisso draws earlier; 6 nothing (the operator reads the draw); 7 N1, N2.
// Returns false for a class outside 1..7, which the caller skips or refuses.
[[nodiscard]] bool preparaIngressi(int tipo, CampiOperatore& c, int d, int numeroDiretto, const archive::Archivio& a);

// A brick or formula field as the evaluator's 16-bit integer (fraction dropped).
// A value outside -32768..32767 raises ErroreCalcolo instead of wrapping: 65536
// typed as a wheel must not quietly become Bari.
std::int16_t intero16(double valore);

// Check made when a wheel abbreviation is typed into a brick: empty when the text
// names one of the eleven wheels, else the Italian message the window shows.
std::optional<std::string> controllaSigla(std::string_view testo);
// The same for a typed position (E1, E2: a whole number 1..5) and constant (VAL: 0..90,
// the workbench's list of values); an emptied cell is always accepted.
std::optional<std::string> controllaPosizione(std::string_view testo);
std::optional<std::string> controllaValore(std::string_view testo);

// The evaluation's failure: the brick at which it stopped and why.
struct ErroreMattone {
    int mattone = 0;
    std::string dettaglio;
};

// Evaluates every non-empty brick of FgF (bricks 1..15 in order) on draw d and writes the
// results into Lbl0[1..15] (untouched for empty bricks). valoreLista is the index
// selected in ListVal (-1 when none): the operand of class 4 and the offset of class 5.
// R1/R2 are rewritten from a recognised abbreviation in RU1/RU2; a brick whose
// abbreviation names no wheel stops the evaluation rather than use an old index.
// A code outside the catalogue empties its label. Stops at the first failing brick,
// keeping the results already written.
std::optional<ErroreMattone> ValutaPiramide(std::vector<Mattone>& FgF, int d, int valoreLista, const archive::Archivio& a,
                                            std::array<std::string, 16>& Lbl0);

// Lays out FgF (or Fg5): bricks numbered 1.. in order.
void SettaGridFGF(std::vector<Mattone>& mattoni);
// Both, as the workbench does after an evaluation.
void SettaGridFGF(std::vector<Mattone>& FgF, std::vector<Mattone>& Fg5);
// The fixed colours of the brick grids' columns: the operator's code red, the first
// reference yellow, the second green, the value cyan (no colour: white, black).
std::optional<grid::Colore> sfondoColonnaMattone(int colonna);
std::optional<grid::Colore> coloreTestoColonnaMattone(int colonna);

}
