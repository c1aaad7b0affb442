// The brick file read by the workbench subcommands (calcola, abbinamenti): one brick a line into FgF.
#pragma once

#include "engine/Mattone.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

// What is wrong with a formula's operator, type, positions or constant, in Italian
// ("la posizione P1 ..."), or nothing. A position the type uses must be 1..5, one it
// does not use may be 0; the constant, as the workbench's list of values, 0..90.
// `nomeP1`/`nomeP2` are the field names the user typed (P1/E1).
std::optional<std::string> erroreFormula(const std::string& codice, int tipo, int P1, int P2, int valore,
                                         const std::string& nomeP1, const std::string& nomeP2);

// Reads RIGA<TAB>TRAS<TAB>TIPO<TAB>E1<TAB>R1<TAB>E2<TAB>R2<TAB>VAL lines (blank lines
// skipped, a UTF-8 mark in front tolerated) into the bricks of FgF (brick m at [m - 1]). A wheel
// is an index 0..10 or a code (BA .. NZ, any case, RM and RN too); either way the brick gets both
// the index and the window's abbreviation, as a loaded configuration has them. An
// unreadable file or a folder, a wrong field count, a brick outside 1..15, a
// non-numeric number, an unknown wheel, operator or type, a position or a constant out
// of range is a data error naming the file and the line.
void leggiFilePiramide(const std::string& percorso, std::vector<engine::Mattone>& FgF);

}
