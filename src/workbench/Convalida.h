// Convalida: the AMBATE method replayed at every past reference draw, its ambata followed forward, against chance.
#pragma once

#include "archive/Archivio.h"
#include "avanzamento/Avanzamento.h"
#include "grid/Grid.h"
#include "workbench/Ambate.h"
#include "workbench/Banco.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace workbench {

// What the replay reads: the workbench's settings as the player set them and the range of references.
struct ImpostazioniConvalida {
    // RICAVA ESTRAZIONI's settings, colpi and wheels in play; the reference is each of the range.
    ImpostazioniCasi casi;
    int lista = 100;                            // rows each search keeps (ComboEle)
    std::vector<OperatoreRicerca> operatori;    // the catalogue in FgOp order, with the choice
    int dal = 0;   // R1
    int al = 0;    // R2, inclusive
    // "Mensile" takes the ordinal in its month of each reference, as `velmora-cli ambate`
    // does without --mensile; false keeps casi.mensile for every reference.
    bool mensileDalRiferimento = true;
};

// The replay of the workbench `b` as it is set now, on references dal..al.
ImpostazioniConvalida impostazioniConvalida(const Banco& b, int dal, int al, bool mensileDalRiferimento);

// One reference of the replay.
struct RigaConvalida {
    int riferimento = 0;
    // The top row of AMBATE at that reference; empty: "nessuna formula".
    RigaEsito formula;
    // Cases with at least one colpo before the reference (the denominator of Cop).
    int verificabili = 0;
    // The chosen formula on the reference draw; none when it has no row or cannot be computed.
    std::optional<int> ambata;
    // First colpo 1..C whose draw holds the ambata on a wheel in play; 0 when none did.
    int colpo = 0;
    int colpi = 0;   // C
    // Colpi of the reference that are in the archive (C, or fewer at its end).
    int colpiPresenti = 0;
    // Chance that a blind number comes out on the same colpi and wheels.
    double probabilita = 0;
    // The formulas tied with the chosen one and the different ambate they play.
    PariMerito pari;
    // An ambata a player can play: a number 1..90.
    bool giocata() const;
    // Played, not out yet and some colpo still to be drawn.
    bool inCorso() const;
    // Counted in the totals: a number was played and all C colpi are in the archive. A
    // reference near the end that already came out is left out too: taking it only when it
    // came out would count its successes and not its failures.
    bool conteggiata() const;
};

struct TotaliConvalida {
    int riferimenti = 0;            // M
    int uscite = 0;                 // H
    double attese = 0;              // E
    double p = 1;                   // P(at least H by chance alone)
    double coperturaMedia = 0;      // mean of Cop / verifiable cases of the chosen formulas, 0..1
    int sceltePariMerito = 0;       // references chosen among ties playing different ambate
};

struct RisultatoConvalida {
    std::vector<RigaConvalida> righe;
    TotaliConvalida totali;
    bool interrotta = false;        // stopped: no rows
};

// Why the range cannot be replayed ("" when it can): R1 > R2 or outside the archive.
std::string controllaIntervallo(int dal, int al, const archive::Archivio& a);

// The banco of one reference: the settings of `imp` with reference R and, when asked,
// "Mensile" from R, its cases derived by RICAVA ESTRAZIONI (`b` keeps its grids and
// catalogue; no case is skipped as covered). The message of RICAVA ESTRAZIONI when it
// refuses the settings.
Esito bancoDelRiferimento(const ImpostazioniConvalida& imp, const archive::Archivio& a, int riferimento, Banco& b);

// The row of reference R once its chosen formula is known: ambata, outcome, chance.
RigaConvalida esitoRiferimento(const RigaEsito& migliore, int verificabili, int riferimento, int colpi,
                               const std::array<bool, archive::NumeroRuote>& ruote, const archive::Archivio& a);

// M, H, E, p and the mean coverage over the rows that count.
TotaliConvalida totaliConvalida(const std::vector<RigaConvalida>& righe);

// The plain replay: for each reference, the cases and one whole AMBATE search, exactly as
// `velmora-cli ambate --rif R` runs it. Bar 1 counts the references, bar 2 the operator rows
// of the current search. The settings must pass RICAVA ESTRAZIONI (a reference it refuses
// gets "nessuna formula").
RisultatoConvalida convalidaSemplice(const ImpostazioniConvalida& imp, const archive::Archivio& a,
                                     avanzamento::Avanzamento* avanzamento = nullptr);

// The same rows, keeping the candidates' scores from one reference to the next (see
// PunteggiIncrementali.h). A stop is obeyed within a few milliseconds.
RisultatoConvalida convalida(const ImpostazioniConvalida& imp, const archive::Archivio& a,
                             avanzamento::Avanzamento* avanzamento = nullptr);

// --- the grid of the replay (the window's and the command line's) ---
namespace colConvalida {
inline constexpr int Rif = 0, Data = 1, Cop = 2, Formula = 3, P1 = 4, Ru1 = 5, P2 = 6, Ru2 = 7, Val = 8, Ambata = 9,
                     Colpo = 10, Prob = 11, Pari = 12, Colonne = 13;
inline constexpr std::string_view Intestazione = "Rif|Data|Cop|Formula|P1|Ru1|P2|Ru2|Val|Ambata|Colpo|Prob|Pari merito";
}
// The text of column `colonna` (colConvalida) of one reference's row; `data` the date of its draw
// ("" for a reference outside the archive).
std::string testoConvalida(const RigaConvalida& riga, int colonna, std::string_view data);
// The date scriviRigaConvalida shows for the row's reference: "" outside the archive.
std::string dataRiferimento(const RigaConvalida& riga, const archive::Archivio& a);
// The Ambata and Colpo cells of a reference whose ambata came out are light green.
bool ambataUscita(const RigaConvalida& riga);
// Header only.
void preparaGrigliaConvalida(grid::Grid& g);
// Row `r` (1..) from one reference.
void scriviRigaConvalida(grid::Grid& g, int r, const RigaConvalida& riga, const archive::Archivio& a);
// Header and one row per reference.
void scriviConvalida(grid::Grid& g, const RisultatoConvalida& risultato, const archive::Archivio& a);
// The reference of grid row `r` (1.. as scriviConvalida writes them), 0 for the header or a row beyond them.
int riferimentoRiga(const std::vector<RigaConvalida>& righe, int r);

// "Riferimenti: M; ambate uscite: H (X%); attese a caso: E (Y%); p: P; copertura media nei casi: Z%;
// scelte fra pari merito con ambate diverse: T".
std::string testoTotaliConvalida(const TotaliConvalida& t);

// Cumulative come-outs and cumulative chance expectation after each counted reference (the chart).
struct PuntoCumulato {
    int riferimento = 0;
    int uscite = 0;
    double attese = 0;
};
std::vector<PuntoCumulato> cumulati(const std::vector<RigaConvalida>& righe);

}
