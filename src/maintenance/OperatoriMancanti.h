// The operator catalogue window's commands over FG2: its fixed rows, the presence check, the insertion of the missing ones.
#pragma once

#include "grid/Grid.h"
#include "storage/ProgramDb.h"

#include <vector>

namespace maintenance {

// Columns of FG2: the wheels before the positions, as the table Operatori orders them
// (the workbench's FgOp, workbench::colOp, puts the positions first).
namespace colFG2 {
constexpr int Oper = 1, Tipo = 2, R1 = 3, P1 = 4, R2 = 5, P2 = 6, Spiegazione = 7;
}
// Row r of FG2, written and read back.
void scriviRigaFG2(grid::Grid& FG2, int riga, const storage::RigaOperatore& op);
storage::RigaOperatore leggiRigaFG2(const grid::Grid& FG2, int riga);

// The operators added after the first operator set, in FG2's order: PER+, SOM+, UFIG.
const std::vector<storage::RigaOperatore>& OperatoriAggiunti();

// FG2 as the window Operatori draws it: eight columns with their widths in twips, the
// header, one row per operator of OperatoriAggiunti, columns Oper to P2 centred.
void preparaFG2(grid::Grid& FG2);

// Command4: colours green, from column Oper to the last, every row whose code is in
// the table Operatori. A colour is never cleared: a row stays green for as long as the
// window lives. Throws ErroreDatabase; the rows coloured before the error stay coloured.
void controllaPresenza(storage::Database& db, grid::Grid& FG2);

// Command2: adds a record for every row whose code cell is not green, from the grid's texts,
// and returns how many. All of them or none: on an error (a code already in the table that
// was not coloured) it throws ErroreDatabase and the table is left as it was.
int inserisciMancanti(storage::Database& db, grid::Grid& FG2);

}
