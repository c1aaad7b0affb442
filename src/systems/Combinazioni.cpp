// Binomials, lexicographic successor and unranking of the subsets of a system's numbers.
#include "systems/Combinazioni.h"

namespace systems {

namespace {

constexpr std::array<std::array<std::int64_t, MassimoClasse + 1>, MassimoNumeri + 1> riempiBinomiale()
{
    std::array<std::array<std::int64_t, MassimoClasse + 1>, MassimoNumeri + 1> b{};
    for (std::size_t n = 0; n <= MassimoNumeri; ++n) {
        b[n][0] = 1;
        for (std::size_t r = 1; r <= MassimoClasse && r <= n; ++r)
            b[n][r] = b[n - 1][r - 1] + (r <= n - 1 ? b[n - 1][r] : 0);
    }
    return b;
}

// Constant-initialised: other files' static objects may read it before main.
constexpr std::array<std::array<std::int64_t, MassimoClasse + 1>, MassimoNumeri + 1> tabellaBinomiale = riempiBinomiale();

}

const std::array<std::array<std::int64_t, MassimoClasse + 1>, MassimoNumeri + 1>& Binomiale = tabellaBinomiale;

std::int64_t binomiale(int n, int r)
{
    if (n < 0 || r < 0 || r > n || n > MassimoNumeri)
        return 0;
    if (r > MassimoClasse)
        r = n - r;   // C(n, r) = C(n, n - r); still out of the table only for r and n - r both above 10
    if (r > MassimoClasse) {
        std::int64_t c = 1;
        for (int i = 1; i <= r; ++i)
            c = c * (n - r + i) / i;   // exact at each step; fits for the sizes asked of it
        return c;
    }
    return tabellaBinomiale[static_cast<std::size_t>(n)][static_cast<std::size_t>(r)];
}

bool prossimaCombinazione(std::vector<int>& c, int v)
{
    const int r = static_cast<int>(c.size());
    int i = r - 1;
    while (i >= 0 && c[static_cast<std::size_t>(i)] == v - r + i)
        --i;
    if (i < 0)
        return false;
    ++c[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < r; ++j)
        c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
    return true;
}

std::vector<int> combinazioneDiIndice(std::int64_t indice, int v, int r)
{
    std::vector<int> c;
    c.reserve(static_cast<std::size_t>(r));
    int x = 0;
    for (int i = 0; i < r; ++i) {
        // Skip the first elements whose subsets all come before `indice`.
        while (true) {
            const std::int64_t con = binomiale(v - x - 1, r - i - 1);
            if (indice < con)
                break;
            indice -= con;
            ++x;
        }
        c.push_back(x++);
    }
    return c;
}

}
