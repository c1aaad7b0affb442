// The workbench's elaboration commands: Calcola, formula and level verification, VERIFICA, ELABORA.
#pragma once

#include "archive/Archivio.h"
#include "engine/Verifica.h"
#include "workbench/Banco.h"

namespace workbench {

// Columns of FgY and Fg10 (the same layout). Column 0 carries the level of the row.
namespace colY {
constexpr int Livello = 0, Estr = 1, Data = 2, Rif = 3, Ru = 4, C = 5, G1 = 6, So = 11, Pos1 = 12, Prev = 17;
}
// Columns of the summary Fg_E, row 1.
namespace colE {
constexpr int Titolo = 0, Casi = 1, Pos = 2, Neg = 3, InG = 4, Sorte1 = 5;
}

// The verification parameters of the workbench for `slot`.
engine::ParametriVerifica parametriVerifica(const Banco& b, int slot);

// Calcola (Command2): every brick on the reference draw, results in Lbl0.
// Error: "Probabile errore nelle impostazioni. ..." (critical, "Avviso").
Esito Calcola(Banco& b, const archive::Archivio& a);

// Cmd_Colonna(slot): verifies the current row of FgEsiti in slot 1..5 and copies it
// into row `slot` of Fg5.
Esito verificaEsitoInColonna(Banco& b, const archive::Archivio& a, int slot);
// Cmd_Ambo(slot): the same for the current row of FgGr.
Esito verificaAbbinamentoInColonna(Banco& b, const archive::Archivio& a, int slot);
// Command29: FgX reset to one empty row per case, then the current row of FgEsiti
// verified in slot 1, without touching Fg5.
Esito verificaSoloEsito(Banco& b, const archive::Archivio& a);
// Any formula in a slot (what the command line's `verifica` runs): verifies and colours FgL.
Esito verificaFormulaBanco(Banco& b, const archive::Archivio& a, const engine::Formula& f, int slot);

// Lbl_Riga(livello): the bricks of level 1..5 verified into FgX columns 1..k (empty
// bricks leave their column empty), then VERIFICA.
Esito verificaLivello(Banco& b, const archive::Archivio& a, int livello);

// VERIFICA (Command40): the numbers of every FgX row over the colpi that follow its
// case; a wheel in play is hit when at least `livello` of its positions hold them.
// Fills FgL and the summary Fg_E (cases, hit, not hit, not hit but with colpi still
// to come, and the hit cases by the sorte reached). Error: "Errore imprevisto. ..." ("Avviso").
Esito verificaPrevisioni(Banco& b, const archive::Archivio& a);

// "Azzera grid" on FgEv (Command4): every case mark cleared.
void azzeraMarcheCasi(Banco& b);
// MARCA (Command5): clears the marks, then marks green the first cell of every case
// named in the Rif column of an FgL row whose colpo is above 0.
void marcaCasiCentrati(Banco& b);

// The texts and colours of FgY and Fg10 (FgL's cells of the row, its level and Prev).
std::string testoFgY(const RigaElabora& y, int colonna);
std::optional<grid::Colore> sfondoFgY(const RigaElabora& y, int colonna);
std::optional<grid::Colore> coloreTestoFgY(int colonna);
bool grassettoFgY(const RigaElabora& y, int colonna);
// The texts and colours of the summary row of Fg_E.
std::string testoFg_E(const RiepilogoVerifica& s, int colonna);
std::optional<grid::Colore> sfondoFg_E(const RiepilogoVerifica& s, int colonna);
// FgL as text: its header, then `righeVerifica` (what the command line prints).
grid::Grid grigliaFgL(const Banco& b);

// ELABORA (Command27): the level verification of every level whose Fg7 cell is
// green, with its sorte; FgY collects the FgL rows of all levels, Fg10 each case's
// first hit, Fg_E the summary of Fg10.
Esito elaboraLivelli(Banco& b, const archive::Archivio& a);

}
