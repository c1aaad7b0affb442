// The operator evaluator ElaboraPPP2 and its input fields.
#pragma once

#include "archive/Archivio.h"
#include "engine/Numeri.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// The evaluator's fields, filled by every caller before each call.
struct CampiOperatore {
    std::string CodiceOperatore;
    std::int16_t N1 = 0;
    std::int16_t N2 = 0;
    std::int16_t ValoreFisso = 0;
    std::int16_t EstrazioneCalcolo = 0;   // draw read by the whole-draw operators
    std::int16_t R1 = 0, R2 = 0;          // wheels 0..10
    std::int16_t P1 = 0, P2 = 0;          // positions 1..5, or counts for whole-draw operators
    std::int16_t Risultato = 0;
};

// Evaluates CodiceOperatore on the fields and writes Risultato. An unknown code
// leaves Risultato as it was. Out-of-range inputs raise ErroreCalcolo.
void ElaboraPPP2(CampiOperatore& campi, const archive::Archivio& archivio);

// The 44 codes in the evaluator's order of matching.
const std::vector<std::string_view>& CodiciCatalogo();

}
