// The chance yardstick of a search: per result row, and the best of the same search on random cases.
#pragma once

#include "archive/Archivio.h"
#include "engine/Verifica.h"
#include "workbench/Ambate.h"
#include "workbench/Casualita.h"

#include <cstdint>
#include <string>
#include <vector>

namespace workbench {

// The chance that each enabled case of `imp` is covered by a blind forecast of the formula
// of `riga`: its colpi up to the reference draw, the wheels in play drawn on those dates,
// and for the pair search the size of the case's set (its numbers in play plus the
// formula's own number on the case). A case on which the formula cannot be computed never
// counts for the search, so it has no chance either.
std::vector<double> probabilitaCasiRiga(const ImpostazioniRicerca& imp, const archive::Archivio& a, const RigaEsito& riga);

// "Attesi" and "p" of every row (an empty row gets an empty comparison).
std::vector<Confronto> confrontaRighe(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                                      const std::vector<RigaEsito>& righe);

// "Migliore a caso": the same search run `prove` times on random cases.
struct ConfrontoCasuale {
    int prove = 0;
    int casi = 0;                 // cases per run, as many as the real search had
    int verificabili = 0;         // of them, those with a colpo before the reference draw
    double mediana = 0;           // of the runs' top Cop
    int massimo = 0;
    int copReale = 0;             // top Cop of the real search
    double quota = 0;             // share of runs whose top Cop reaches copReale
    std::vector<int> tetti;       // top Cop of each run, in run order
};

// The settings of the `prove` random runs, drawn from `seme`: the enabled cases of `imp`,
// row by row, with the colpi each really has before the reference draw. A row with all C
// colpi gets a draw chosen without repetition among those with all C before the reference
// (d + C <= R); a row with fewer keeps the one draw that has that many (R itself for none),
// so that chance meets the same handicap as the real search and its top Cop can never
// exceed the verifiable cases. In the pair search each row keeps the numbers in play of
// the real case. Lists of two rows (enough to keep the top Cop), no chance columns. Empty when `prove` < 1, when no row
// has all its colpi, or when there are too few draws to choose from.
std::vector<ImpostazioniRicerca> proveACaso(const ImpostazioniRicerca& imp, const archive::Archivio& a, int prove,
                                            std::uint64_t seme);
// The enabled cases of `imp` with at least one colpo before the reference draw.
int casiVerificabili(const ImpostazioniRicerca& imp, const archive::Archivio& a);
// The top Cop of a search (0 without rows).
int copMigliore(const RisultatoRicerca& r);
// Median, maximum and share reaching `copReale` of the runs' top Cop (prove 0 without runs).
ConfrontoCasuale riassumiProve(std::vector<int> tetti, int casi, int verificabili, int copReale);

// The runs of proveACaso, as many at once as there are cores, each search spreading over
// its share of them; the figures do not depend on how many run at once. Empty (prove 0)
// when proveACaso is. A stop request is checked before each run (throws avanzamento::Interrotto);
// bar 1 counts the runs done.
ConfrontoCasuale miglioreACaso(const ImpostazioniRicerca& imp, const archive::Archivio& a, int copReale, int prove,
                               std::uint64_t seme, avanzamento::Avanzamento* avanzamento = nullptr);

// One line for the window and the command line.
std::string testoMiglioreACaso(const ConfrontoCasuale& c);

// A verified formula beside chance: the cases of FgEv it covered (the cases FgL reports a
// hit for) and what chance alone would cover on the same cases, colpi and wheels.
struct ConfrontoVerifica {
    int casi = 0;
    int verificabili = 0;         // cases with at least one colpo before the reference draw
    int coperti = 0;              // cases, not hit rows: two wheels in one colpo count once
    Confronto caso;
};
ConfrontoVerifica confrontaVerifica(const Banco& b, const archive::Archivio& a, const engine::Formula& f);
// "Casi coperti: 5 su 12; attesi a caso: 3,4; p: 0,112", or "5 su 11 verificabili (12 casi)"
// when some case has no colpo before the reference draw.
std::string testoConfrontoVerifica(const ConfrontoVerifica& c);

}
