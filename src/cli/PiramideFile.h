// The brick file read by the workbench subcommands (calcola, abbinamenti): one brick a line into FgF.
#pragma once

#include "grid/Grid.h"

#include <string>

namespace cli {

// Reads RIGA<TAB>TRAS<TAB>TIPO<TAB>E1<TAB>R1<TAB>E2<TAB>R2<TAB>VAL lines (blank lines
// skipped) into the brick rows of FgF. A wheel is an index 0..10 or a code (BA .. NZ,
// any case, RM and RN too); either way FgF gets both the index and the window's
// abbreviation, as a loaded configuration has them. An unreadable file, a wrong field
// count, a brick outside 1..15, a non-numeric number or an unknown wheel is a data error.
void leggiFilePiramide(const std::string& percorso, grid::Grid& FgF);

}
