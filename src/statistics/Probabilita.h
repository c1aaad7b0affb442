// The exact laws chance alone follows, shared by the statistics and the searches' yardstick.
#pragma once

#include <vector>

namespace statistics {

// C(n, k), the ways of choosing k of n; 0 outside 0 <= k <= n.
double combinazioni(int n, int k);

// The distribution of the number of successes among independent trials of
// probabilities p[i]: element k is P(K = k), k = 0..p.size(). Exact, by dynamic
// programming over the trials; no normal approximation, which is poor for the few
// dozen cases of a study.
std::vector<double> poissonBinomiale(const std::vector<double>& p);

// P(K >= k) from such a distribution: 1 for k <= 0, 0 beyond its end.
double almeno(const std::vector<double>& distribuzione, int k);

// P(K >= k) for every k = 0..size: element k of the result (one more element, 0, at the end).
std::vector<double> code(const std::vector<double>& distribuzione);

// Benjamini-Hochberg adjusted p-values: q_i = min over the j-th smallest p at or above p_i of
// m * p_(j) / j, capped at 1, in the order of `p`. A q below a level keeps the expected share
// of false discoveries among the values called significant below that level.
std::vector<double> valoriQ(const std::vector<double>& p);

}
