// A Lotto system: its guarantee, its tickets (every k-subset, or a reduced set), the exhaustive check and the lower bound.
#pragma once

#include "avanzamento/Avanzamento.h"
#include "systems/Combinazioni.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace systems {

// "If m of the v numbers come out on a wheel, at least one ticket of k numbers holds t of them."
struct Garanzia {
    int v = 0;   // numbers played
    int k = 0;   // numbers a ticket (the classe)
    int m = 0;   // numbers out ("se")
    int t = 0;   // numbers of them on one ticket ("garanzia")
    bool operator==(const Garanzia&) const = default;
};
// Why the guarantee cannot be asked (2 <= t <= m <= 5, t <= k <= 10, m <= v <= 90, k <= v), Italian; nothing when it can.
std::optional<std::string> difettoGaranzia(const Garanzia& g);

// The integral systems written, paged or checked, up to this many tickets.
constexpr std::int64_t MassimoIntegrale = 1'000'000;

struct Sistema {
    Garanzia garanzia;
    std::vector<int> numeri;           // the v numbers, increasing
    bool integrale = false;            // every k-subset in lexicographic order; `posti` stays empty
    std::vector<std::uint8_t> posti;   // reduced: k positions into `numeri` a ticket, increasing in each
    std::string metodo;                // how the tickets were found (Italian, for the window and the CLI)

    std::int64_t biglietti() const;
    // The numbers of ticket `i` (0-based), increasing.
    std::vector<int> biglietto(std::int64_t i) const;
};

// The integral system of `numeri` (sorted) in tickets of k. Any m <= k of them out lie whole on one ticket,
// so it keeps every guarantee t <= m <= k: the one asked, or m = t = min(k, 5) when m is 0.
Sistema sistemaIntegrale(std::vector<int> numeri, int k, int m = 0, int t = 0);
// A reduced system's tickets given as positions into `numeri` (each a k-subset, any order): sorted and stored.
Sistema sistemaRidotto(std::vector<int> numeri, const Garanzia& g, const std::vector<std::vector<int>>& biglietti, std::string metodo);

// The outcome of the check of every m-subset of the v numbers against the tickets.
struct Verifica {
    bool valida = false;
    std::int64_t insiemi = 0;          // C(v, m): every m-subset was checked (covered in bulk where a prefix already is)
    std::vector<int> scoperto;         // the first m numbers (lexicographically) that no ticket meets in t: empty when valid
};
// Checks the guarantee of `s` on every m-subset of its numbers. Stops with avanzamento::Interrotto on request.
Verifica verificaGaranzia(const Sistema& s, avanzamento::Avanzamento* av = nullptr);
// "garanzia verificata su tutte le 4.060 terzine", or the m numbers no ticket meets in t.
std::string testoVerifica(const Verifica& v, const Garanzia& g);

// The Schönheim bound L(v, k, t) = ceil(v/k ceil((v-1)/(k-1) ... ceil((v-t+1)/(k-t+1)))).
std::int64_t limiteSchonheim(int v, int k, int t);
// A lower bound on the tickets of any system with guarantee g: Schönheim's for m = t; otherwise the
// counting bound (C(v, m) over the most m-subsets one ticket can meet in t numbers) and, for t = 2,
// Turán's bound on the pairs the tickets must hold, whichever is larger.
std::int64_t limiteInferiore(const Garanzia& g);

// "12.345": thousands with a dot, as the window and the CLI write counts.
std::string testoIntero(std::int64_t n);
// The name of the m-subsets: "coppie", "terzine", "quartine", "cinquine".
std::string nomeInsiemi(int m);

}
