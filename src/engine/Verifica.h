// Outcome verification of one formula over the cases (VerificaFormula) and the texts and colours of its report rows.
#pragma once

#include "archive/Archivio.h"
#include "engine/Formula.h"
#include "grid/Grid.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// What the caller sets before a verification.
struct ParametriVerifica {
    int slot = 1;             // 1..5: FgX column and FgL column slot + 7 (G1..G5)
    int colpi = 8;            // following draws examined
    int riferimento = 0;      // the last draw that may be read (R)
    std::array<bool, archive::NumeroRuote> ruote{};   // wheels in play
};

// The numbers a case plays, one per slot 1..5 at [slot - 1]: none where nothing was
// verified or the formula read a wheel not drawn. A forecast outside 1..90 (0 above all)
// is kept as computed; it never counts as a number in play.
using NumeriCaso = std::array<std::optional<int>, 5>;

// What a slot cell of the report shows (G1..G5).
enum class CellaGiocata : unsigned char { Vuota, Numero, NonEstratta };

// One report row (FgL shows it): its figures, read back by the workbench, and what its
// cells show. 0 stands for an empty cell.
struct RigaVerifica {
    int estrazione = 0;            // Estr: the case's draw, on the case's first row only
    int caso = 0;                  // Rif: the case row, on its first row only (a further hit row has 0)
    int colpo = 0;                 // C: the attempt of the hit
    int sorte = 0;                 // S: numbers of the set drawn together on the wheel
    std::array<int, 5> giocati{};  // G1..G5: the numbers played (a number not drawn reads 0)
    std::string data;              // Data: the date of the case's draw, on its first row only
    int ruota = -1;                // Ru: the wheel of the hit, -1 without one
    std::array<int, 5> usciti{};   // 1..5: the numbers played drawn in positions 1..5
    // G1..G5 as shown: a forecast (even one outside 1..90, which `giocati` keeps) or "n.e.".
    std::array<CellaGiocata, 5> celleGiocate{};
    // The sorte VERIFICA asked for: a row reaching it has its S cell green; 0 for the report
    // of one formula.
    int sorteRichiesta = 0;
    bool operator==(const RigaVerifica&) const = default;
};

// Columns of the report FgL.
namespace colL {
constexpr int Prog = 0, Estr = 1, Data = 2, Rif = 3, Ru = 4, C = 5, N1 = 6, N2 = 7, G1 = 8, S = 13, Pos1 = 14;
}

// Cuts `righe` (FgL row r at [r - 1]) back to nothing, then for every case (casi[k - 1] is the draw index of case
// k; the report shows k, the draw and its date) evaluates the formula on the case draw with the
// inputs of its class (Verifica1..Verifica7 of the workbench differ only in those), writes
// the forecast into numeri[k - 1][slot - 1] (grown to the cases when shorter) and the row, and records the hits of the first
// attempt (up to colpi, never after the reference draw) on which it came out on a wheel in
// play: one row per wheel hit. A forecast of 0 (no number) never counts as a hit.
// A class outside 1..7 or a formula field beyond 16 bits raises ErroreCalcolo before
// anything is written, so the report never shows a stale formula. A case outside the
// archive, an earlier draw below 1 (class 5) or an evaluator error raise ErroreCalcolo
// too; the rows already written stay.
// The forecast cell of FgL for a case on which the formula reads a wheel not drawn: the
// case gets no number in `numeri` and no hit.
inline constexpr std::string_view TestoRuotaNonEstratta = "n.e.";

void VerificaFormula(const Formula& f, const ParametriVerifica& pv, const std::vector<int>& casi,
                     std::vector<RigaVerifica>& righe, std::vector<NumeriCaso>& numeri, const archive::Archivio& a);

// The text of column `colonna` (colL) of a report row.
std::string testoFgL(const RigaVerifica& riga, int colonna);
// The colours of the report's cells: forecasts blue, N1/N2 light yellow, Rif light orange,
// positions light green with red bold text, wheel bold, S yellow (green and bold on a row
// reaching the sorte asked for).
std::optional<grid::Colore> sfondoFgL(const RigaVerifica& riga, int colonna);
std::optional<grid::Colore> coloreTestoFgL(int colonna);
bool grassettoFgL(const RigaVerifica& riga, int colonna);
// Rows 1.. of `FgL` written from `righe`, texts and colours; the header row is kept.
void scriviFgL(grid::Grid& FgL, const std::vector<RigaVerifica>& righe);

}
