// One formula (an operator, its class and parameters) and its conversions: to and from the evaluator's fields, to and from a brick row.
#pragma once

#include "archive/Archivio.h"
#include "engine/Mattone.h"
#include "engine/Operatori.h"

#include <optional>
#include <string>

namespace engine {

// One formula: an operator with its class and parameters, as a brick, a search result,
// a verification or the command line holds it.
struct Formula {
    std::string codice;       // CodiceOperatore
    int tipo = 0;             // class 1..7
    int P1 = 0, R1 = 0;
    int P2 = 0, R2 = 0;
    int valore = 0;           // ValoreFisso (the number itself for class 4)
};

// The parameters a class fills, which a result row or a brick shows and leaves empty
// otherwise: the first reference (class 6: its wheel alone), the second, the value.
struct ParametriDellaClasse {
    bool ruota1 = false, posizione1 = false;
    bool riferimento2 = false;
    bool valore = false;
};
ParametriDellaClasse parametriDellaClasse(int tipo);

// The evaluator's fields of f: code, wheels, positions and ValoreFisso; class 4 gives
// its number as N1 (the one input that depends on no draw) and no ValoreFisso, as the
// searches evaluate it. Raises ErroreCalcolo for a field beyond 16 bits (65536 typed as
// a wheel must not quietly become Bari).
CampiOperatore campiDi(const Formula& f);
// Back from the fields: the formula of class `tipo` they hold.
Formula formulaDi(const CampiOperatore& c, int tipo);
// The inputs of f's class read from draw d into fields made by campiDi (EstrazioneCalcolo
// too). False for a class outside 1..7; raises ErroreCalcolo where preparaIngressi does.
[[nodiscard]] bool preparaSu(const Formula& f, CampiOperatore& c, int d, const archive::Archivio& a);
// campiDi, preparaSu and ElaboraPPP2: f's number on draw d, nothing for a class outside
// 1..7. An unknown code gives 0, as the evaluator leaves its result.
std::optional<std::int16_t> valutaFormula(const Formula& f, int d, const archive::Archivio& a);

// f reads, for draw d, a wheel that was not drawn there (archive::Archivio::ruotaEstratta):
// the wheels of its class at d, class 5 at d − its value. The searches, the verification
// and Convalida hold such a formula not computable on d (no number, no hit); a brick
// evaluated by hand still reads the zeros. False for a draw outside the archive.
bool leggeRuotaNonEstratta(const Formula& f, int d, const archive::Archivio& a);

// A brick of FgF (or a row of Fg5): code, class, E1, R1, E2, R2, VAL; an empty field reads 0.
// A wheel abbreviation in RU1/RU2 gives the wheel; one that names no wheel raises ErroreCalcolo.
Formula leggiMattone(const Mattone& m);
// Writes f into brick m: the parameters of its class (parametriDellaClasse) with the
// wheels' abbreviations, the other fields emptied. The brick's number and place stay.
void scriviMattone(Mattone& m, const Formula& f);

}
