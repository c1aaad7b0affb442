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
    double mediana = 0;           // of the runs' top Cop
    int massimo = 0;
    int copReale = 0;             // top Cop of the real search
    double quota = 0;             // share of runs whose top Cop reaches copReale
};

// Cases are drawn without repetition, seeded by `seme`, from the draws whose colpi all lie
// before the reference draw (d + colpi <= R); in the pair search each keeps the numbers in
// play of the real case in the same row. Empty (prove 0) when there are no enabled cases
// or too few draws to choose from. A stop request is checked between runs (throws archive::Interrotto).
ConfrontoCasuale miglioreACaso(const ImpostazioniRicerca& imp, const archive::Archivio& a, int copReale, int prove,
                               std::uint64_t seme, archive::Avanzamento* avanzamento = nullptr);

// One line for the window and the command line.
std::string testoMiglioreACaso(const ConfrontoCasuale& c);

// A verified formula beside chance: the cases of FgEv it covered (the cases FgL reports a
// hit for) and what chance alone would cover on the same cases, colpi and wheels.
struct ConfrontoVerifica {
    int casi = 0;
    int coperti = 0;
    Confronto caso;
};
ConfrontoVerifica confrontaVerifica(const Banco& b, const archive::Archivio& a, const engine::Formula& f);
// "Casi coperti: 5 su 12; attesi a caso: 3,4; p: 0,112"
std::string testoConfrontoVerifica(const ConfrontoVerifica& c);

}
