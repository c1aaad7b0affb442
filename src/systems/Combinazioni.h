// Subsets of the v numbers of a system: binomials, ranks, lexicographic order, bit masks.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace systems {

// Up to 90 numbers in a system, up to 10 in a ticket (the Lotto's limits).
constexpr int MassimoNumeri = 90;
constexpr int MassimoClasse = 10;

// Binomiale[n][r] = C(n, r) for 0 <= n <= 90, 0 <= r <= 10 (0 when r > n). Filled at start, read-only after.
extern const std::array<std::array<std::int64_t, MassimoClasse + 1>, MassimoNumeri + 1>& Binomiale;
// C(n, r) for any n <= 90 and r, 0 outside 0 <= r <= n.
std::int64_t binomiale(int n, int r);

// The colex rank of a subset given by its positions in increasing order: sum of C(x_i, i + 1).
// It numbers the r-subsets of {0 .. v-1} from 0 to C(v, r) - 1 whatever v is.
inline std::int64_t rango(const int* posizioni, int r)
{
    std::int64_t n = 0;
    for (int i = 0; i < r; ++i)
        n += Binomiale[static_cast<std::size_t>(posizioni[i])][static_cast<std::size_t>(i + 1)];
    return n;
}

// Calls fai(indici) for each r-subset of {0 .. n-1} (r <= 10), indices increasing, in lexicographic order.
template <typename F>
void perOgniSottoinsieme(int n, int r, F&& fai)
{
    if (r > n || r < 0)
        return;
    int indici[MassimoClasse]{};
    for (int i = 0; i < r; ++i)
        indici[i] = i;
    while (true) {
        fai(static_cast<const int*>(indici));
        int i = r - 1;
        while (i >= 0 && indici[i] == n - r + i)
            --i;
        if (i < 0)
            return;
        ++indici[i];
        for (int j = i + 1; j < r; ++j)
            indici[j] = indici[j - 1] + 1;
    }
}

// The next r-subset of {0 .. v-1} after `c` in lexicographic order; false after the last one.
bool prossimaCombinazione(std::vector<int>& c, int v);
// The r-subset with lexicographic index `indice` (0 = {0 .. r-1}) among the C(v, r).
std::vector<int> combinazioneDiIndice(std::int64_t indice, int v, int r);

// The positions of a ticket as bits: one word pair covers the 90 numbers.
struct Maschera {
    std::uint64_t basso = 0, alto = 0;
    void metti(int p) { (p < 64 ? basso : alto) |= std::uint64_t{1} << (p & 63); }
    void togli(int p) { (p < 64 ? basso : alto) &= ~(std::uint64_t{1} << (p & 63)); }
    bool ha(int p) const { return ((p < 64 ? basso : alto) >> (p & 63)) & 1U; }
    int comuni(const Maschera& m) const { return std::popcount(basso & m.basso) + std::popcount(alto & m.alto); }
};

}
