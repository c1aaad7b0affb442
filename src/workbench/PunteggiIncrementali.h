// The AMBATE scores of every candidate kept from one reference draw to the next (the replay of Convalida).
#pragma once

#include "archive/Archivio.h"
#include "avanzamento/Avanzamento.h"
#include "workbench/Ambate.h"

#include <array>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <vector>

namespace workbench {

class Squadra;

// A candidate's score is a sum over the cases, and a case's share depends on the
// reference only through its last colpo min(d + C, R). So the sums are kept and, at the
// next reference, only the cases that entered, left or gained a colpo are added or taken
// away. Different case sets (with "Mensile" following the reference, one per ordinal in
// the month) keep sums of their own; each reference starts from the kept sums closest to
// its cases.
//
// The top row of the search is then the first candidate in enumeration order with the
// highest Cop and, among those, the highest Tot: the ranking of cercaFormule never moves a
// row ahead of one that beats it or equals it and entered before it, and that candidate
// always enters (its Tot is at least its Cop, and no row listed before it beats it).
class PunteggiIncrementali {
public:
    // The operator rows of the searches (FgOp, the chosen ones scored) and the wheels and
    // colpi they share; every search asked of this object must have the same.
    PunteggiIncrementali(const archive::Archivio& a, const std::vector<OperatoreRicerca>& operatori,
                         const std::array<bool, archive::NumeroRuote>& ruote, int colpi);
    ~PunteggiIncrementali();

    // The first row cercaFormule(imp) would give for an ambate search (sorte 0, at least
    // two rows listed): empty when no candidate covers a case; `pari`, when given, gets
    // its ties as cercaFormule counts them. Throws avanzamento::Interrotto on a stop request.
    RigaEsito migliore(const ImpostazioniRicerca& imp, avanzamento::Avanzamento* avanzamento,
                       PariMerito* pari = nullptr);

    // Candidates scored per case (the sum of the chosen operators' candidates).
    std::size_t candidati() const { return totale_; }

private:
    struct Blocco;
    struct Somme;
    // An operator block's highest packed sum, how many of its candidates hold it and the first.
    struct Vertice {
        std::uint16_t massimo = 0;
        int pari = 0;
        int tenuti = 0;          // of those, the ones in the kept sums (see Blocco::simmetrico)
        // The first kept ones in enumeration order (at most PariMeritoValutati), from the
        // block's start: listed while the sums are in cache, so the ties need no second scan.
        std::vector<std::uint32_t> primi;
    };
    // A case as the sums hold it: its draw and the last colpo its share counts.
    using Casi = std::map<int, int>;

    // A case whose share changes: it enters, leaves, or gains colpi.
    struct Variazione {
        int d = 0;
        int prima = 0;   // last colpo counted so far, 0: the case was not in the sums
        int dopo = 0;    // last colpo from now on, 0: the case leaves
    };
    // Adds to the sums each case's new share less its old one; each operator's highest sum
    // and its ties are counted while its sums are still in cache.
    void applica(Somme& somme, const std::vector<Variazione>& variazioni, avanzamento::Avanzamento* avanzamento);
    // Block b's highest sum in `s` and its ties; with class 7's row maxima, only the rows that hold it are read.
    static void vertice(const Blocco& b, const std::uint16_t* s, const std::uint16_t* massimiRighe, Vertice& v);
    // The ties of the top sum (in the blocks `alVertice`) as cercaFormule counts
    // them, the first PariMeritoValutati evaluated on the reference; `riga` makes a row of a candidate.
    void pariMerito(const Somme& tenute, const std::vector<std::size_t>& alVertice,
                    int riferimento, const std::function<RigaEsito(std::size_t)>& riga,
                    PariMerito& pari) const;
    // Points the block at its operator's table and lists its fixed candidates.
    void tabella(Blocco& b, int dim2, int dimV, avanzamento::Avanzamento* avanzamento);

    const archive::Archivio& a_;
    std::vector<OperatoreRicerca> operatori_;
    std::array<bool, archive::NumeroRuote> ruote_{};
    int colpi_ = 0;
    std::vector<Blocco> blocchi_;
    // What the threads take, in order: a block, or for class 7 the rows of pairs from cell `da`
    // to `a`; and the blocks of class 7, whose highest comes after all their parts.
    struct Lavoro {
        std::size_t blocco = 0;
        int da = 0, a = 0;
    };
    std::vector<Lavoro> lavori_;
    std::vector<std::size_t> sette_;
    void preparaLavori();
    std::size_t totale_ = 0;
    std::size_t righe_ = 0;   // class 7's rows of pairs, over all its blocks
    std::list<Somme> somme_;   // most recently used first
    std::unique_ptr<Squadra> squadra_;   // the threads the operators' sums are updated on
};

}
