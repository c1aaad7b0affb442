// The search for a reduced system: the known constructions, a plain greedy start, then simulated annealing.
#pragma once

#include "avanzamento/Avanzamento.h"
#include "systems/Sistema.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace systems {

// Tickets as positions 0 .. v-1 into the numbers of the system, increasing in each.
using Biglietti = std::vector<std::vector<int>>;

struct OpzioniRicerca {
    double secondi = 3.0;      // time budget of the annealing
    std::uint64_t seme = 1;    // the same seed makes the same moves
};

struct EsitoRicerca {
    Biglietti biglietti;
    std::string metodo;             // "piano proiettivo di ordine 3", "ricerca (ricottura simulata)", ...
    std::int64_t golosa = 0;        // size of the plain greedy system (0 when a construction served)
    std::int64_t limite = 0;        // limiteInferiore of the guarantee
    bool interrotta = false;        // a stop was requested: the best system found so far
};

// The largest spaces the search takes on: C(v, t) t-subsets counted, C(v, m) m-subsets tracked by the annealing.
constexpr std::int64_t MassimoInsiemiT = 8'000'000;
constexpr std::int64_t MassimoInsiemiM = 4'000'000;
// Why the search cannot take the guarantee on (too large), Italian; nothing when it can.
std::optional<std::string> difettoRicerca(const Garanzia& g);

// A known construction that meets the guarantee with the fewest tickets possible: projective and affine
// planes (pairs by q + 1 or q numbers), Steiner triple systems, Steiner quadruple systems on 2^n numbers
// and small Steiner systems found by an exact search over cyclic orbits. Nothing when none applies.
std::optional<EsitoRicerca> costruzioneNota(const Garanzia& g, std::uint64_t seme);
// The plain greedy system: the m-subsets in lexicographic order; the first one no ticket meets in t starts a
// ticket with its first t numbers, filled one number at a time with the one completing most uncovered t-subsets.
Biglietti coperturaGolosa(const Garanzia& g, avanzamento::Avanzamento* av = nullptr);
// The system for the guarantee: a known construction where one applies, otherwise the greedy system shrunk
// by simulated annealing (one ticket fewer each time it reaches full coverage) until the lower bound, the
// time budget or a stop. Never larger than the greedy system.
EsitoRicerca cercaCopertura(const Garanzia& g, const OpzioniRicerca& opzioni, avanzamento::Avanzamento* av = nullptr);

// What a player asks for: the system of `numeri` (integral when `integrale`), checked on every m-subset.
struct SistemaVerificato {
    Sistema sistema;
    Verifica verifica;
    std::int64_t limite = 0;
    std::int64_t golosa = 0;
    bool interrotta = false;
};
// Throws std::invalid_argument with an Italian text for a guarantee or a set of numbers that cannot be
// taken on; avanzamento::Interrotto when stopped during the check. A system whose check fails has
// verifica.valida false and must not be shown.
SistemaVerificato calcolaSistema(const std::vector<int>& numeri, int k, int m, int t, bool integrale, const OpzioniRicerca& opzioni,
                                 avanzamento::Avanzamento* av = nullptr);

}
