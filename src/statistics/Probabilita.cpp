// Binomial coefficients, the Poisson-binomial law and the Benjamini-Hochberg adjustment.
#include "statistics/Probabilita.h"

#include <algorithm>
#include <numeric>

namespace statistics {

double combinazioni(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    double c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

std::vector<double> poissonBinomiale(const std::vector<double>& p)
{
    std::vector<double> d(p.size() + 1, 0.0);
    d[0] = 1.0;
    // After trial i, d[k] holds P(k successes among the first i + 1 trials); walking k
    // downwards lets each trial update the array in place.
    for (std::size_t i = 0; i < p.size(); ++i) {
        const double q = std::clamp(p[i], 0.0, 1.0);
        for (std::size_t k = i + 1; k > 0; --k)
            d[k] = d[k] * (1.0 - q) + d[k - 1] * q;
        d[0] *= 1.0 - q;
    }
    return d;
}

double almeno(const std::vector<double>& distribuzione, int k)
{
    if (k <= 0)
        return 1.0;
    double s = 0;
    for (std::size_t i = static_cast<std::size_t>(k); i < distribuzione.size(); ++i)
        s += distribuzione[i];
    return std::min(s, 1.0);
}

std::vector<double> code(const std::vector<double>& distribuzione)
{
    // Summed from the far end, so that a tiny tail keeps its digits.
    std::vector<double> c(distribuzione.size() + 1, 0.0);
    for (std::size_t k = distribuzione.size(); k > 0; --k)
        c[k - 1] = std::min(c[k] + distribuzione[k - 1], 1.0);
    if (!c.empty())
        c[0] = 1.0;
    return c;
}

std::vector<double> valoriQ(const std::vector<double>& p)
{
    const std::size_t m = p.size();
    std::vector<std::size_t> ordine(m);
    std::iota(ordine.begin(), ordine.end(), std::size_t{0});
    std::stable_sort(ordine.begin(), ordine.end(), [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<double> q(m, 1.0);
    double minimo = 1.0;
    for (std::size_t j = m; j > 0; --j) {
        const std::size_t i = ordine[j - 1];
        minimo = std::min(minimo, p[i] * static_cast<double>(m) / static_cast<double>(j));
        q[i] = minimo;
    }
    return q;
}

}
