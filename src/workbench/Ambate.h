// AMBATE: the search of the operator catalogue for the formulas that forecast best on the cases.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"
#include "workbench/Banco.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace workbench {

// Progress of a search for the main window's two bars: barra 1 shows the operator
// row being tried (maximum = number of operator rows), barra 2 the first wheel R1
// of the wide operator types (maximum 10). Always called on the caller's thread.
using AvanzamentoRicerca = std::function<void(int barra, int valore, int massimo)>;

// One row of FgOp: code (column 1), type (column 2), red selection cell (column 0).
struct OperatoreRicerca {
    std::string codice;
    int tipo = 0;
    bool scelto = false;
};

// One row of FgEv, with its row of FgX for the pair search.
struct CasoRicerca {
    int estrazione = 0;              // draw index of the case
    bool abilitato = true;           // false when "Casi scoperti" skips it
    std::array<int, 5> giocati{};    // FgX columns 1..5; values outside 1..90 add nothing
};

// Everything a search reads, taken from the window once when it starts.
struct ImpostazioniRicerca {
    int lista = 100;                 // L: result rows kept
    int colpi = 8;                   // C
    int riferimento = 0;             // R: no colpo after it counts, no draw after it is read
    int sorte = 0;                   // 0 for the ambate search; 2 or 3 for the pair search
    std::array<bool, archive::NumeroRuote> ruote{};
    std::vector<CasoRicerca> casi;
    std::vector<OperatoreRicerca> operatori;
};

// One result row; an empty row has no formula. Absent fields are empty cells.
struct RigaEsito {
    int cop = 0;
    int tot = 0;
    std::string formula;
    int tipo = 0;
    std::optional<int> p1, r1, p2, r2, val;
    bool vuota() const { return formula.empty(); }
};

struct RisultatoRicerca {
    std::vector<RigaEsito> righe;    // L rows, best first
    // A formula could not be computed on some case, or a case or the reference draw
    // lies outside the archive: the window shows TestoErroreImpostazioni.
    bool anomalia = false;
};

// The settings as the window holds them: sorte 0 for AMBATE, 2 or 3 for ABBINAMENTI
// (which also reads FgX).
ImpostazioniRicerca leggiImpostazioniRicerca(const Banco& b, int sorte);

// The search itself, for both buttons (sorte 0: ambate, 2 or 3: pairs). Scores every
// candidate from per-case tables of first hits, one operator at a time with its
// candidates spread over all cores, then keeps the best in enumeration order exactly
// as the result grid would: a candidate enters when its Tot exceeds the Cop of the
// last row, and rows with equal Cop keep their order.
RisultatoRicerca cercaFormule(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                              const AvanzamentoRicerca& avanzamento = {});

// FgEsiti/FgGr header "  |Cop|Tot|Formula|..." with the columns the window hides.
void preparaGrigliaEsiti(grid::Grid& g);
// Writes one result row (columns 1..12 emptied first, then the filled ones).
void scriviRigaEsito(grid::Grid& g, int riga, const RigaEsito& e);
// L + 1 rows holding `righe`, formatted as the search leaves them (sorte 0: ambate).
void scriviEsiti(grid::Grid& g, const std::vector<RigaEsito>& righe, int lista, int sorte);
// The closing colours and bold of the result rows.
void formattaEsiti(grid::Grid& g, int sorte);

// Current time as List1 shows it ("HH:MM:SS").
std::string orarioList1();
// cercaFormule with every failure trapped (reported as an anomaly, no rows).
RisultatoRicerca cercaProtetta(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                               const AvanzamentoRicerca& avanzamento = {});

// AMBATE (Cmd_Step1): fills FgEsiti and List1 (start and end time). Returns
// TestoErroreImpostazioni (critical, "Avviso") when something could not be computed.
// With no cases nothing scores, every row stays empty and nothing is returned.
Esito Cmd_Step1(Banco& b, const archive::Archivio& a, const AvanzamentoRicerca& avanzamento = {});

}
