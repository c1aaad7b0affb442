// The workbench's small window commands: formula transfer into bricks, pattern rows, selections, NASCONDE.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"
#include "storage/ProgramDb.h"
#include "workbench/Banco.h"
#include "workbench/Salvataggi.h"
#include "workbench/TipoRicerca.h"

#include <array>
#include <string>

namespace workbench {

// Command21 (from the ambate) and Command7 (from the pairs): the current result row of the
// kind into the current brick of FgF. False, and nothing changed, when either has no
// current row or the result row holds no formula.
[[nodiscard]] bool impostaFormula(Banco& b, TipoRicerca tipo);

// Command36: the current row of FgEsiti into the first brick of every level (1, 2, 4,
// 7, 11), then Calcola. "Effettuare le selezioni." when there is no formula to copy.
Esito impostaCapogioco(Banco& b, const archive::Archivio& a);

// Lbl_setta(k): rows 1..k of Fg5 into the bricks of level k. The bricks keep their
// place columns (Ri, Co): the pattern rows carry formulas, not places.
void impostaLivelloDaFg5(Banco& b, int livello);
// Click on row r of Fg5: the whole grid white, row r yellow.
void evidenziaRigaFg5(Banco& b, int riga);
// Command26 ("Resetta"): the pattern rows emptied and laid out again.
void svuotaFg5(Banco& b);

// Command15: the formula cells of the current brick emptied (its label keeps its text).
void cancellaMattoneCorrente(Banco& b);
// Command24: no brick highlighted, no reference highlighted, brick labels empty.
void deselezionaMattoni(Banco& b, PannelloPiramidi& p);

// NASCONDE (Command10): columns Ri, Co, Tipo and the two wheel-index columns of FgF
// and Fg5 hidden; they keep their content and are still read.
void nascondiColonne(Banco& b);

// The catalogue as its query lists it, none chosen, none current; FgOp shows it: rows 1.. with
// code, type, P1, P2, R1, R2 and the explanation, codes of type 1 in blue, of type 2 in red.
void elencaOperatori(Banco& b, const std::vector<storage::RigaOperatore>& operatori);
// The text of column `colonna` (colOp) of an operator's FgOp row; the selection cell is empty.
std::string testoOperatore(const storage::RigaOperatore& op, int colonna);
// The colour of an operator's code in FgOp: blue for type 1, red for type 2, else none.
std::optional<grid::Colore> coloreCodice(const storage::RigaOperatore& op);

// The operator of the current FgOp row; null when there is none.
const storage::RigaOperatore* operatoreCorrenteDi(const Banco& b);

// FgOp: double-click on row r toggles its operator's choice; every one, none, or one type.
void toggleOperatore(Banco& b, int riga);
void selezionaOperatori(Banco& b, bool scelti);
void selezionaTipo(Banco& b, int tipo, bool scelti);
// Whether every operator of `tipo` is selected (false when the type has none).
bool tipoSelezionato(const Banco& b, int tipo);
// Row r of FgOp made current (its code cell green); a row outside the catalogue changes nothing.
void operatoreCorrente(Banco& b, int riga);

// Fg7: click on level row r toggles its inclusion; Command31/Command32 all or none; a sorte
// typed into row r becomes the level's.
void toggleLivello(Banco& b, int riga);
void selezionaLivelli(Banco& b, bool inclusi);
void impostaSorteLivello(Banco& b, int riga, int sorte);

// The numbers chosen on FgNu, the board of the numbers 1..90 (9 rows of 10, no header row),
// cyan when drawn.
struct TabelloneNumeri {
    std::array<bool, 91> scelti{};   // 1..90
};
// The number of a cell of FgNu; 0 outside the board.
int numeroDellaCella(int riga, int colonna);
void toggleNumero(TabelloneNumeri& t, int riga, int colonna);
void azzeraTabellone(TabelloneNumeri& t);
// Command6: the chosen numbers in board order, two digits each, joined by "-".
std::string numeriScelti(const TabelloneNumeri& t);

// FgX double-click on column c (1..5): that column emptied and white.
void svuotaColonnaFgX(Banco& b, int colonna);

}
