// The operator evaluator ElaboraPPP2 and its input fields.
#pragma once

#include "archive/Archivio.h"
#include "engine/Numeri.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// The 44 codes in the evaluator's order of matching.
const std::vector<std::string_view>& CodiciCatalogo();

// Constants of SZAU, PIGR and PG12. The two factors are kept in thousandths as
// well, so that products are truncated on the exact value and not on a binary
// approximation of it (10.618 is not representable in a double).
constexpr int FattoreAureoMillesimi = 10618;
constexpr int FattorePiGrecoMillesimi = 3141;
constexpr double FattoreAureo = FattoreAureoMillesimi / 1000.0;     // 10.618
constexpr double FattorePiGreco = FattorePiGrecoMillesimi / 1000.0; // 3.141
// The first 101 digits of pi; position 1 is the leading 3.
constexpr std::string_view CifrePiGreco =
    "31415926535897932384626433832795028841971693993751058209749445923078164062862089986280348253421170679";

// ---------------------------------------------------------------------------
// Fast path for the searches, which evaluate operators millions of times.
//
//   const int op = IndiceOperatore("SOM");          // once per operator, -1 if unknown
//   ValoriOperatore v; v.N1 = 45; v.N2 = 45;
//   std::int16_t r = Valuta(op, v, archivio);       // 90, or ErroreCalcolo
//
// ElaboraPPP2 is IndiceOperatore + Valuta on the same fields, so both paths give
// identical results and raise on identical inputs. LeggeOperatore tells which
// inputs a code reads, so a search prepares (and iterates over) only those.
// ---------------------------------------------------------------------------

constexpr int NumeroOperatori = 44;

// The evaluator's inputs as plain integers (no text, nothing to allocate).
struct ValoriOperatore {
    int N1 = 0;
    int N2 = 0;
    int ValoreFisso = 0;
    int EstrazioneCalcolo = 0;   // draw read by the whole-draw operators
    int R1 = 0, R2 = 0;          // wheels 0..10
    int P1 = 0, P2 = 0;          // positions 1..5, or counts for whole-draw operators
};

// The evaluator's fields, filled by every caller before each call: the inputs, the code
// and the result. A formula gets here through campiDi (engine/Formula.h).
struct CampiOperatore : ValoriOperatore {
    std::string CodiceOperatore;
    std::int16_t Risultato = 0;
};

// Evaluates CodiceOperatore on the fields and writes Risultato. An unknown code
// leaves Risultato as it was. Out-of-range inputs raise ErroreCalcolo.
void ElaboraPPP2(CampiOperatore& campi, const archive::Archivio& archivio);

// Index of a code in CodiciCatalogo() (exact comparison), or -1 for an unknown code.
int IndiceOperatore(std::string_view codice);

// Result of operator `indiceOperatore` (0..NumeroOperatori-1) on `v`. Raises
// ErroreCalcolo for an out-of-range input or an index outside the catalogue.
std::int16_t Valuta(int indiceOperatore, const ValoriOperatore& v, const archive::Archivio& archivio);

// What an operator reads. N1, N2, ValoreFisso: the prepared numbers. Estrazione:
// the operator reads the archive itself at EstrazioneCalcolo, taking the wheel
// from R1 (and R2) and a count of positions from P1 (and P2) where flagged.
struct Ingressi {
    bool N1 = false;
    bool N2 = false;
    bool ValoreFisso = false;
    bool Estrazione = false;
    bool R1 = false, P1 = false, R2 = false, P2 = false;
};

// The inputs read by operator `indiceOperatore`; all false for an index outside the catalogue.
Ingressi LeggeOperatore(int indiceOperatore);

}
