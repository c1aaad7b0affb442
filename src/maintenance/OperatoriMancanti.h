// The operator catalogue window's commands: the operators it carries, the presence check, the insertion of the missing ones, FG2 showing them.
#pragma once

#include "grid/Grid.h"
#include "storage/ProgramDb.h"

#include <string>
#include <vector>

namespace maintenance {

// Columns of FG2: the wheels before the positions, as the table Operatori orders them
// (the workbench's FgOp, workbench::colOp, puts the positions first).
namespace colFG2 {
constexpr int Oper = 1, Tipo = 2, R1 = 3, P1 = 4, R2 = 5, P2 = 6, Spiegazione = 7;
}
// The text of an operator's cell in column `colonna` of FG2 (empty for the row selector, 0).
std::string testoFG2(const storage::RigaOperatore& op, int colonna);
// Row r of FG2 written from an operator.
void scriviRigaFG2(grid::Grid& FG2, int riga, const storage::RigaOperatore& op);

// The operators added after the first operator set, in FG2's order: PER+, SOM+, UFIG.
const std::vector<storage::RigaOperatore>& OperatoriAggiunti();

// FG2 as the window Operatori draws it: eight columns, the header, one row per operator of
// OperatoriAggiunti, columns Oper to P2 centred (the window sets the widths).
void preparaFG2(grid::Grid& FG2);

// Which operators of OperatoriAggiunti the table Operatori was found to hold, in their order.
using Presenze = std::vector<bool>;

// Command4: marks present every operator of OperatoriAggiunti whose code is in the table
// Operatori (`presenti` takes their number). A mark is never cleared: a row stays present for
// as long as the window lives. Throws ErroreDatabase; the marks made before the error stay.
void controllaPresenza(storage::Database& db, Presenze& presenti);

// Command2: adds a record for every operator of OperatoriAggiunti not marked present and
// returns how many. All of them or none: on an error (a code already in the table that was
// not marked) it throws ErroreDatabase and the table is left as it was.
int inserisciMancanti(storage::Database& db, const Presenze& presenti);

// FG2 showing the marks: a present row green from column Oper to the last.
void mostraPresenze(const Presenze& presenti, grid::Grid& FG2);

}
