// What chance alone would score: the yardstick shown beside the searches and the verification.
#pragma once

#include "archive/Archivio.h"
#include "statistics/Probabilita.h"

#include <array>
#include <string>
#include <vector>

namespace workbench {

// The exact Poisson-binomial law and its tail, shared with the statistics.
using statistics::almeno;
using statistics::poissonBinomiale;

// The chance that one wheel (five numbers drawn from 90) holds at least `sorte` of `m`
// given distinct numbers: the hypergeometric tail. 0 when m < sorte.
double probabilitaSorteSuRuota(int m, int sorte);

// For each colpo c = d+1 .. d+colpi not after `riferimento`, how many wheels in play were
// really drawn in c (Cagliari and Genova are missing in early 1939, the Nazionale before 2005).
std::vector<int> ruoteEstratteNeiColpi(const archive::Archivio& a, int d, int colpi, int riferimento,
                                       const std::array<bool, archive::NumeroRuote>& ruote);

// The chance that a case is covered when each drawn wheel of each colpo is hit independently
// with probability q: draws are independent of each other and of the case draw, so a
// forecast computed from the case draw is as good as a blind one.
double probabilitaCopertura(const std::vector<int>& ruotePerColpo, double q);

// Chance of one number on one wheel of one draw.
inline constexpr double ProbabilitaAmbataSuRuota = 5.0 / 90.0;

// "Attesi": the cases chance alone is expected to cover; "p": the chance of covering at least
// as many as the formula did.
struct Confronto {
    double attesi = 0;
    double p = 1;
};
Confronto confrontaConIlCaso(const std::vector<double>& probabilitaCasi, int coperti);

// Cell texts: Attesi with one decimal, p with three (below 0,001 as "<0,001"), decimal comma.
std::string testoAttesi(double attesi);
std::string testoProbabilita(double p);

}
