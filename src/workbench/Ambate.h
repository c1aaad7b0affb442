// AMBATE: the search of the operator catalogue for the formulas that forecast best on the cases.
#pragma once

#include "archive/Archivio.h"
#include "avanzamento/Avanzamento.h"
#include "engine/Formula.h"
#include "grid/Grid.h"
#include "workbench/Banco.h"
#include "workbench/Casualita.h"
#include "workbench/RigaEsito.h"
#include "workbench/TipoRicerca.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace workbench {

// What a search takes of an operator of the catalogue: code, type, whether it is chosen.
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
    TipoRicerca tipo = TipoRicerca::Ambate;
    // 0 for the ambate search (the number alone wins); 2 or 3 for the pair search.
    int sorte() const { return sorteDi(tipo); }
    std::array<bool, archive::NumeroRuote> ruote{};
    std::vector<CasoRicerca> casi;
    std::vector<OperatoreRicerca> operatori;
    // Work out "Attesi" and "p" of every result row (the random-case runs need none).
    bool confrontoCaso = true;
    // Threads the search may spread its work over, the calling one included: 0 for every
    // core; the random-case runs, several at once, take one each.
    int fili = 0;
};

// The formula of a result row. Val of type 6 is no parameter (the pair search shows there
// the number the formula gave on the last case): its value is 0.
engine::Formula formulaDellaRiga(const RigaEsito& e);
// The result row of formula f with its score: the parameters its class fills
// (engine::parametriDellaClasse), the others absent.
RigaEsito rigaDellaFormula(const engine::Formula& f, int cop, int tot);

// The formulas that tie with the top row of a search (same Cop and Tot, the top row
// among them) and how many different numbers they play on the reference draw (those
// that play none not counted). Only the first PariMeritoValutati of them are evaluated:
// beyond, `ambate` is a lower bound and `tutte` false.
struct PariMerito {
    int formule = 0;
    int ambate = 0;
    bool tutte = true;
};
inline constexpr int PariMeritoValutati = 1000;

// "26 formule a pari merito, 7 ambate diverse" ("numeri diversi" for the pair search,
// "almeno 7" beyond PariMeritoValutati); empty when the top row has no tie.
std::string testoPariMerito(const PariMerito& p, TipoRicerca tipo);

struct RisultatoRicerca {
    std::vector<RigaEsito> righe;    // L rows, best first; none when stopped
    // A formula could not be computed on some case, or a case or the reference draw
    // lies outside the archive: the window shows TestoErroreImpostazioni.
    bool anomalia = false;
    // A stop was requested before the search was over: nothing is to be shown.
    bool interrotta = false;
    // What chance alone would score, one per row of `righe` (empty without confrontoCaso).
    std::vector<Confronto> confronti;
    // The number each row plays: its formula on the reference draw (see previsioneRiga),
    // one per row of `righe` (empty without confrontoCaso).
    std::vector<std::optional<int>> previsioni;
    // The ties of the top row (formule 0 when no row is filled).
    PariMerito pari;
};

// What AMBATE and ABBINAMENTI return: stopped (grids and List1 as they were), or done,
// with the one message to show when something could not be computed.
struct EsitoRicerca {
    bool interrotta = false;
    Esito messaggio;
};

// How a window runs a search off the interface thread, in three steps:
//
//   const auto imp = leggiImpostazioniRicerca(b, tipo);     // interface thread: reads the Banco
//   const auto inizio = orarioList1();
//   ... on a worker: risultato = cercaFormule(imp, archivio, &avanzamento);
//   ... back on the interface thread:
//   const EsitoRicerca e = scriviRicerca(b, imp, risultato, inizio);
//
// cercaAmbate / cercaAbbinamenti do the three in a row, for the CLI and the tests.

// The settings as the window holds them for a search of kind `tipo` (ABBINAMENTI also reads FgX).
ImpostazioniRicerca leggiImpostazioniRicerca(const Banco& b, TipoRicerca tipo);
// The catalogue in FgOp order, each operator with its choice.
std::vector<OperatoreRicerca> operatoriRicerca(const Banco& b);

// The search itself, for both buttons (sorte 0: ambate, 2 or 3: pairs). Scores every
// candidate from per-case tables of first hits, one operator at a time, then keeps the
// best in enumeration order exactly as the result grid would: a candidate enters when
// its Tot exceeds the Cop of the last row; rows go by Cop, equal Cop by Tot (more wheels
// hit in the covering colpi), equal both in enumeration order (operator rows of FgOp,
// then the type's candidates). A candidate that reads a wheel not drawn on a case scores
// nothing there (no anomaly); a fixed number in disguise (candidatiFissi, candidatiFissiDiretti)
// scores nothing.
// The operators that only combine their inputs are tabulated over every input first.
// Type 7 (272250 candidates) and its tabulation always spread their work over the
// cores (`fili` of them); types 2 and 3 (3025 and 4950 candidates) only when they score
// more than 200,000 candidate-cases (type 3 from 41 cases, type 2 from 67); types 1, 4,
// 5 and 6 (at most 605 candidates) run on the calling thread, where threads would cost
// more than they save.
//
// Progress: bar 1 is the operator row being tried (of the rows of FgOp); bar 2 follows
// the scoring of that operator (tabulation rows, then reference rows of R1/P1), reported
// from the scoring threads as they go. A stop is noticed within a few milliseconds:
// the search then returns `interrotta` with no rows.
// A formula that cannot be computed on a case (engine::ErroreCalcolo) skips that case
// and sets `anomalia`; any other failure (memory, a fault) is thrown to the caller.
RisultatoRicerca cercaFormule(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                              avanzamento::Avanzamento* avanzamento = nullptr);

// The result row of candidate `indice` of operator `op` in the search's enumeration order (candidati::decodifica)
// (the fields its type writes: wheels and positions, value), scoring `cop` and `tot`.
RigaEsito rigaCandidato(const OperatoreRicerca& op, int indice, int cop, int tot);

// The outcomes of operator `op`, one that only combines the numbers it is given, over every
// input, as the searches read them: esiti[(n1 * dim2 + n2) * dimV + V] (0 a value never drawn,
// 1..90 the number, 91 not computable) and errori[n1 * dim2 + n2], set when any V of that pair
// fails; one more row of dimV past them, at [91 * dim2 * dimV], is all 91 (for an input that
// cannot be read). Each table is filled once in the process, on `fili` threads, and then only read; `passo`
// is called once per N1 either way (91 times), and a stop it throws leaves the table to be
// filled again by the next search.
// sempre[V] and uguali[V] tell the values V for which the outcome cannot depend on the draw:
// the same for every input 1..90, or (dim2 = 91) whenever N1 = N2, as "1-2" of a number and
// itself is always 90.
// rotazione[n1 * dim2 + n2] (tables of 90 values only, else null) is b when the outcomes of
// that pair over V = 0..89 are the numbers b + 1, b + 2, …, 90, 1, …, b ("fuori 90" of a
// sum with V, as FIX, SOM+ and PER+): a per-case table indexed by them is then read as two
// contiguous runs; -1 otherwise.
struct EsitiTabulati {
    const std::uint8_t* esiti = nullptr;
    const std::uint8_t* errori = nullptr;
    const std::uint8_t* sempre = nullptr;
    const std::uint8_t* uguali = nullptr;
    const std::int8_t* rotazione = nullptr;
};
EsitiTabulati tabulaOperatore(int op, int dim2, int dimV, const archive::Archivio& a, int fili,
                              const std::function<void()>& passo);

// The candidates of class `tipo`, in enumeration order, that are a fixed number in disguise
// on the operator's tables: the searches skip them (they score nothing). The class of the
// fixed number itself (4) has none; an operator that reads the draw (class 6 among them) is
// not tabulated: see candidatiFissiDiretti.
std::vector<int> candidatiFissi(int tipo, const EsitiTabulati& t);

// A number a formula reads from the archive: wheel, position, and how many draws before the
// case's own (class 5 reads d - V).
struct Lettura {
    int ruota = 0;
    int posizione = 1;
    int ritardo = 0;
    bool operator==(const Lettura&) const = default;
};

// Whether `valore(a, d)`, a formula reading only the numbers `letture` of draw d, gives the same
// number whatever the draw holds; `costante` gets it. Proved, not guessed: a few varied draws
// first (two different values: it depends on the draw), then, when they agree, every content of
// the numbers read (each 1..90) when they are at most two, all of draw d. Beyond that it cannot
// be proved here and the formula is taken to depend on the draw.
bool costanteSuOgniEstrazione(const std::vector<Lettura>& letture,
                              const std::function<int(const archive::Archivio&, int)>& valore, int& costante);

// The candidates of class `tipo` of operator `op`, one that reads the draw itself (class 6,
// SOMN, MED, MED2, …), that give the same number 1..90 on every draw (costanteSuOgniEstrazione
// on the numbers its cells and the operator read): a fixed number in disguise, skipped by the
// searches as candidatiFissi. Worked out once per operator and class in the process.
std::vector<int> candidatiFissiDiretti(int tipo, int op);

// Number N(d, w, p) as a formula of the searches reads it: OperandoFuori when d is not a
// draw or the number is outside 0..90, OperandoNonEstratto when wheel w was not drawn in d
// (the formula is not computable on that case: no hit, and no error either).
inline constexpr int OperandoFuori = -1;
inline constexpr int OperandoNonEstratto = -2;
int leggiOperando(const archive::Archivio& a, int d, int w, int p);

// For each ambata 1..90, the wheels in play (`ruote`) that hold it in the first of the colpi
// d+1..ultimo that holds it anywhere; 0 when none does. A wheel counts once even if it repeated a number.
std::array<std::uint8_t, 91> ruoteAlPrimoColpo(const archive::Archivio& a, const std::array<bool, archive::NumeroRuote>& ruote,
                                               int d, int ultimo);

// FgEsiti/FgGr header "  |Cop|Tot|Formula|..." with the columns the window hides.
void preparaGrigliaEsiti(grid::Grid& g);
// Column of the forecast in FgEsiti and FgGr, after "p": the window may show it earlier,
// the transfer commands never read it.
constexpr int ColonnaPrevisione = colEsiti::Previsione;
// The text of column `colonna` (colEsiti) of a result row: what the grid writers put in the
// cell and what the window's tables show. An empty row has empty cells; so has a column
// whose value the row lacks (a parameter its class does not use, no comparison with chance),
// and column 0.
std::string testoEsito(const RigaEsito& e, int colonna);
// The header of a column of the results of kind `tipo`, the comparison columns included
// ("Attesi", "p", the forecast headed as the kind says: "Ambata", "Abbinato").
std::string intestazioneEsito(int colonna, TipoRicerca tipo);
// How a column of the results of kind `tipo` is drawn, the same on every row, empty ones included.
struct StileEsito {
    std::optional<grid::Colore> sfondo, coloreTesto;
    bool grassetto = false;
};
StileEsito stileEsito(int colonna, TipoRicerca tipo);
// Writes one result row (every column after 0 the grid has, emptied where the row has nothing).
void scriviRigaEsito(grid::Grid& g, int riga, const RigaEsito& e);
// L + 1 rows holding `righe`, formatted as the search of kind `tipo` leaves them.
void scriviEsiti(grid::Grid& g, const std::vector<RigaEsito>& righe, int lista, TipoRicerca tipo);
// The closing colours and bold of the result rows (stileEsito of every column).
void formattaEsiti(grid::Grid& g, TipoRicerca tipo);
// Columns "Attesi", "p" and the forecast after the window's own: what chance alone would
// cover on the same cases, the chance of covering at least Cop of them, and the number the
// row plays (RigaEsito::attesi, p, previsione: see scriviRicerca). Only the headers: the
// cells are the rows' (scriviEsiti).
void aggiungiColonneConfronto(grid::Grid& g, TipoRicerca tipo);

// The forecast of a result row: its formula evaluated by the engine on draw d, with the
// inputs the search gave it (wheels, positions, value, the number of type 4, the delay
// of type 5). AMBATE plays it as the ambata, ABBINAMENTI joins it to the level's
// numbers. Nothing for an empty row or one that cannot be computed on d, reading a
// wheel not drawn there included.
std::optional<int> previsioneRiga(const RigaEsito& e, const archive::Archivio& a, int d);

// The rows of a search of kind `tipo` kept in the Banco (L of them, empty ones included)
// and written in the kind's grid, formatted as the search leaves them; no row is chosen.
void impostaRisultati(Banco& b, TipoRicerca tipo, const std::vector<RigaEsito>& righe, int lista);
// The result row the user stands on (DescrizioneRicerca::scelta); null when there is none.
const RigaEsito* rigaCorrenteRisultati(const Banco& b, TipoRicerca tipo);

// The end of a search: unless it was stopped, the kind's rows (impostaRisultati) with
// "Attesi", "p" and the forecasts (when it compared with chance), List1 the start time `inizio` and the end time, and the
// message is TestoErroreImpostazioni (critical, "Avviso") when something could not be computed.
EsitoRicerca scriviRicerca(Banco& b, const ImpostazioniRicerca& imp, const RisultatoRicerca& risultato,
                           const std::string& inizio);

// The body of AMBATE and ABBINAMENTI: settings, search and end into the kind's grid.
EsitoRicerca eseguiRicerca(Banco& b, const archive::Archivio& a, TipoRicerca tipo, avanzamento::Avanzamento* avanzamento);

// AMBATE (Cmd_Step1): the search with sorte 0 into FgEsiti. With no cases nothing
// scores, every row stays empty and there is no message. Stopped, or failing for a
// reason other than a formula's calculation (thrown to the caller), it leaves FgEsiti
// and List1 as they were.
EsitoRicerca cercaAmbate(Banco& b, const archive::Archivio& a, avanzamento::Avanzamento* avanzamento = nullptr);

}
