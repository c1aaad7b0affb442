// Chance coverage: hypergeometric wheel hits, per-case probabilities.
#include "workbench/Casualita.h"

#include "grid/Grid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace workbench {

using statistics::combinazioni;

double probabilitaSorteSuRuota(int m, int sorte)
{
    m = std::clamp(m, 0, 90);
    const double totale = combinazioni(90, 5);
    double s = 0;
    for (int k = std::max(sorte, 0); k <= std::min(m, 5); ++k)
        s += combinazioni(m, k) * combinazioni(90 - m, 5 - k);
    return s / totale;
}

std::vector<int> ruoteEstratteNeiColpi(const archive::Archivio& a, int d, int colpi, int riferimento,
                                       const std::array<bool, archive::NumeroRuote>& ruote)
{
    std::vector<int> conteggi;
    const int ultimo = std::min({d + colpi, riferimento, a.NumeroEstrazioni});
    for (int c = std::max(d + 1, 1); c <= ultimo; ++c) {
        int n = 0;
        for (int w = 0; w < archive::NumeroRuote; ++w)
            if (ruote[static_cast<std::size_t>(w)] && a.ruotaEstratta(c, w))
                ++n;
        conteggi.push_back(n);
    }
    return conteggi;
}

double probabilitaCopertura(const std::vector<int>& ruotePerColpo, double q)
{
    int ruote = 0;
    for (int n : ruotePerColpo)
        ruote += n;
    return 1.0 - std::pow(1.0 - std::clamp(q, 0.0, 1.0), ruote);
}

Confronto confrontaConIlCaso(const std::vector<double>& probabilitaCasi, int coperti)
{
    Confronto c;
    for (double p : probabilitaCasi)
        c.attesi += p;
    c.p = almeno(poissonBinomiale(probabilitaCasi), coperti);
    return c;
}

std::string testoAttesi(double attesi)
{
    return grid::conVirgola(attesi, 1);
}

std::string testoProbabilita(double p)
{
    if (p < 0.0005)
        return "<0,001";
    return grid::conVirgola(std::min(p, 1.0), 3);
}

}
