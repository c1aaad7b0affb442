// The known constructions of optimal systems: projective and affine planes, Steiner triple and quadruple systems.
#include "systems/Copertura.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace systems {

namespace {

// Singer difference sets: the translates of D modulo q^2 + q + 1 are the lines of the projective plane of order q.
struct DifferenzeSinger {
    int q;
    std::vector<int> d;
};
const std::vector<DifferenzeSinger>& Singer()
{
    static const std::vector<DifferenzeSinger> s{
        {2, {0, 1, 3}},
        {3, {0, 1, 3, 9}},
        {4, {0, 1, 4, 14, 16}},
        {5, {0, 1, 3, 8, 12, 18}},
        {7, {0, 1, 3, 13, 32, 36, 43, 52}},
        {8, {0, 1, 3, 7, 15, 31, 36, 54, 63}},
    };
    return s;
}

Biglietti pianoProiettivo(const DifferenzeSinger& s)
{
    const int v = s.q * s.q + s.q + 1;
    Biglietti b;
    for (int i = 0; i < v; ++i) {
        std::vector<int> linea;
        for (int x : s.d)
            linea.push_back((x + i) % v);
        std::sort(linea.begin(), linea.end());
        b.push_back(linea);
    }
    return b;
}

// The affine plane of order q: the projective plane without one line and its points; every other line
// loses the one point it shared with it.
Biglietti pianoAffine(const DifferenzeSinger& s)
{
    const Biglietti proiettivo = pianoProiettivo(s);
    const int v = s.q * s.q + s.q + 1;
    std::vector<int> nuovo(static_cast<std::size_t>(v), -1);
    const auto& tolta = proiettivo.front();
    for (int x = 0, n = 0; x < v; ++x)
        if (std::find(tolta.begin(), tolta.end(), x) == tolta.end())
            nuovo[static_cast<std::size_t>(x)] = n++;
    Biglietti b;
    for (std::size_t i = 1; i < proiettivo.size(); ++i) {
        std::vector<int> linea;
        for (int x : proiettivo[i])
            if (nuovo[static_cast<std::size_t>(x)] >= 0)
                linea.push_back(nuovo[static_cast<std::size_t>(x)]);
        std::sort(linea.begin(), linea.end());
        b.push_back(linea);
    }
    return b;
}

// A Steiner triple system on v = 1 or 3 (mod 6) points by Stinson's hill climbing: take a point with
// uncovered pairs {x,y}, {x,z}; add {x,y,z}, and if {y,z} was on a triple {w,y,z}, drop that one.
Biglietti terneDiSteiner(int v, std::mt19937_64& rng)
{
    const int voluti = v * (v - 1) / 6;
    std::vector<int> terzo(static_cast<std::size_t>(v * v), -1);   // terzo[x*v+y]: z of the triple on {x,y}
    std::vector<int> grado(static_cast<std::size_t>(v), 0);          // triples through x
    auto t = [&](int x, int y) -> int& { return terzo[static_cast<std::size_t>(x * v + y)]; };
    auto metti = [&](int x, int y, int z, int segno) {
        t(x, y) = t(y, x) = segno > 0 ? z : -1;
        t(x, z) = t(z, x) = segno > 0 ? y : -1;
        t(y, z) = t(z, y) = segno > 0 ? x : -1;
        grado[static_cast<std::size_t>(x)] += segno;
        grado[static_cast<std::size_t>(y)] += segno;
        grado[static_cast<std::size_t>(z)] += segno;
    };
    int blocchi = 0;
    std::vector<int> liberi;
    while (blocchi < voluti) {
        int x;
        do
            x = static_cast<int>(rng() % static_cast<std::uint64_t>(v));
        while (grado[static_cast<std::size_t>(x)] == (v - 1) / 2);
        liberi.clear();
        for (int y = 0; y < v; ++y)
            if (y != x && t(x, y) < 0)
                liberi.push_back(y);
        const int y = liberi[rng() % liberi.size()];
        int z;
        do
            z = liberi[rng() % liberi.size()];
        while (z == y);
        if (const int w = t(y, z); w >= 0) {
            metti(w, y, z, -1);
            --blocchi;
        }
        metti(x, y, z, +1);
        ++blocchi;
    }
    Biglietti b;
    for (int x = 0; x < v; ++x)
        for (int y = x + 1; y < v; ++y)
            if (const int z = t(x, y); z > y)
                b.push_back({x, y, z});
    return b;
}

// The Steiner quadruple system on 2^n points: the quadruples whose binary labels add (xor) to zero.
Biglietti quaterneBinarie(int v)
{
    Biglietti b;
    for (int a = 0; a < v; ++a)
        for (int c = a + 1; c < v; ++c)
            for (int d = c + 1; d < v; ++d)
                if (const int e = a ^ c ^ d; e > d)
                    b.push_back({a, c, d, e});
    return b;
}

bool ammissibile(int v, int k, int t)
{
    for (int i = 0; i < t; ++i)
        if (binomiale(v - i, t - i) % binomiale(k - i, t - i) != 0)
            return false;
    return true;
}

// A Steiner system S(t, k, v) invariant under a rotation of the first `cicli` x n points in cycles of n
// (the others fixed), by an exact cover of the rotation's orbits of t-subsets with orbits of k-subsets (Kramer and Mesner's method),
// columns taken fewest-candidates first, rows in an order drawn from the seed. Nothing within the node budget.
std::optional<Biglietti> steinerCiclico(int v, int k, int t, int n, int cicli, std::mt19937_64& rng)
{
    auto ruota = [&](const std::vector<int>& a, int s) {
        std::vector<int> r;
        for (int x : a)
            r.push_back(x < n * cicli ? x / n * n + (x % n + s) % n : x);
        std::sort(r.begin(), r.end());
        return r;
    };
    // Orbits of the t-subsets: an id for each t-subset rank.
    const std::int64_t quantiT = binomiale(v, t);
    std::vector<int> orbitaT(static_cast<std::size_t>(quantiT), -1);
    int colonne = 0;
    {
        std::vector<int> c(static_cast<std::size_t>(t));
        std::iota(c.begin(), c.end(), 0);
        do {
            if (orbitaT[static_cast<std::size_t>(rango(c.data(), t))] >= 0)
                continue;
            for (int s = 0; s < n; ++s)
                orbitaT[static_cast<std::size_t>(rango(ruota(c, s).data(), t))] = colonne;
            ++colonne;
        } while (prossimaCombinazione(c, v));
    }
    // Orbits of the k-subsets that meet no t-subset twice: each is a row covering some columns once.
    std::vector<std::vector<int>> righe;          // columns of each row
    std::vector<std::vector<int>> rappresentanti; // one k-subset of each row's orbit
    {
        std::vector<bool> visto(static_cast<std::size_t>(binomiale(v, k)), false);
        std::vector<int> volte(static_cast<std::size_t>(quantiT), 0);
        std::vector<int> c(static_cast<std::size_t>(k));
        std::iota(c.begin(), c.end(), 0);
        do {
            if (visto[static_cast<std::size_t>(rango(c.data(), k))])
                continue;
            std::vector<std::int64_t> toccati;
            bool valida = true;
            for (int s = 0; s < n; ++s) {
                const auto r = ruota(c, s);
                const auto rk = static_cast<std::size_t>(rango(r.data(), k));
                if (visto[rk])
                    continue;   // a short orbit: this member came round already
                visto[rk] = true;
                std::vector<int> indici(static_cast<std::size_t>(t));
                std::iota(indici.begin(), indici.end(), 0);
                std::vector<int> sub(static_cast<std::size_t>(t));
                do {
                    for (int i = 0; i < t; ++i)
                        sub[static_cast<std::size_t>(i)] = r[static_cast<std::size_t>(indici[static_cast<std::size_t>(i)])];
                    const std::int64_t rt = rango(sub.data(), t);
                    if (++volte[static_cast<std::size_t>(rt)] > 1)
                        valida = false;
                    toccati.push_back(rt);
                } while (prossimaCombinazione(indici, k));
            }
            std::vector<int> colonneRiga;
            for (std::int64_t rt : toccati) {
                volte[static_cast<std::size_t>(rt)] = 0;
                colonneRiga.push_back(orbitaT[static_cast<std::size_t>(rt)]);
            }
            if (!valida)
                continue;
            std::sort(colonneRiga.begin(), colonneRiga.end());
            colonneRiga.erase(std::unique(colonneRiga.begin(), colonneRiga.end()), colonneRiga.end());
            righe.push_back(colonneRiga);
            rappresentanti.push_back(c);
        } while (prossimaCombinazione(c, v));
    }
    std::vector<int> ordine(righe.size());
    std::iota(ordine.begin(), ordine.end(), 0);
    std::shuffle(ordine.begin(), ordine.end(), rng);
    std::vector<std::vector<int>> perColonna(static_cast<std::size_t>(colonne));
    for (int r : ordine)
        for (int c : righe[static_cast<std::size_t>(r)])
            perColonna[static_cast<std::size_t>(c)].push_back(r);

    std::vector<bool> coperta(static_cast<std::size_t>(colonne), false);
    std::vector<int> scelte;
    long nodi = 0;
    auto libera = [&](int r) {
        for (int c : righe[static_cast<std::size_t>(r)])
            if (coperta[static_cast<std::size_t>(c)])
                return false;
        return true;
    };
    auto cerca = [&](auto&& self) -> bool {
        if (++nodi > 200'000)
            return false;
        int scelta = -1;
        std::size_t fra = SIZE_MAX;
        for (int c = 0; c < colonne; ++c) {
            if (coperta[static_cast<std::size_t>(c)])
                continue;
            std::size_t n = 0;
            for (int r : perColonna[static_cast<std::size_t>(c)])
                n += libera(r);
            if (n < fra) {
                fra = n;
                scelta = c;
            }
        }
        if (scelta < 0)
            return true;
        for (int r : perColonna[static_cast<std::size_t>(scelta)]) {
            if (!libera(r))
                continue;
            for (int c : righe[static_cast<std::size_t>(r)])
                coperta[static_cast<std::size_t>(c)] = true;
            scelte.push_back(r);
            if (self(self))
                return true;
            scelte.pop_back();
            for (int c : righe[static_cast<std::size_t>(r)])
                coperta[static_cast<std::size_t>(c)] = false;
        }
        return false;
    };
    if (!cerca(cerca))
        return std::nullopt;
    Biglietti b;
    std::vector<bool> visto(static_cast<std::size_t>(binomiale(v, k)), false);
    for (int r : scelte)
        for (int s = 0; s < n; ++s) {
            auto blocco = ruota(rappresentanti[static_cast<std::size_t>(r)], s);
            const auto rk = static_cast<std::size_t>(rango(blocco.data(), k));
            if (!visto[rk]) {
                visto[rk] = true;
                b.push_back(std::move(blocco));
            }
        }
    return b;
}

EsitoRicerca esito(Biglietti b, std::string metodo, const Garanzia& g)
{
    EsitoRicerca e;
    e.biglietti = std::move(b);
    e.metodo = std::move(metodo);
    e.limite = limiteInferiore(g);
    return e;
}

}

std::optional<EsitoRicerca> costruzioneNota(const Garanzia& g, std::uint64_t seme)
{
    if (g.m != g.t)
        return std::nullopt;
    std::mt19937_64 rng(seme);
    if (g.t == 2) {
        for (const auto& s : Singer()) {
            if (g.v == s.q * s.q + s.q + 1 && g.k == s.q + 1)
                return esito(pianoProiettivo(s), "piano proiettivo di ordine " + std::to_string(s.q), g);
            if (g.v == s.q * s.q && g.k == s.q && s.q > 2)
                return esito(pianoAffine(s), "piano affine di ordine " + std::to_string(s.q), g);
        }
        if (g.k == 3 && (g.v % 6 == 1 || g.v % 6 == 3) && g.v > 3)
            return esito(terneDiSteiner(g.v, rng), "sistema di terne di Steiner", g);
    }
    if (g.t == 3 && g.k == 4 && g.v >= 8 && (g.v & (g.v - 1)) == 0)
        return esito(quaterneBinarie(g.v), "sistema di quaterne di Steiner (binario)", g);
    // Other Steiner systems small enough for the exact search over the orbits of a rotation.
    if (g.k > g.t && ammissibile(g.v, g.k, g.t) && binomiale(g.v, g.k) <= 200'000 && binomiale(g.v, g.t) / g.v <= 400) {
        // One cycle through all points or all but one or two, then two or three cycles of equal length.
        std::vector<std::pair<int, int>> forme;
        for (int cicli = 1; cicli <= 3; ++cicli)
            for (int fissi = 0; fissi <= 2; ++fissi)
                if ((g.v - fissi) % cicli == 0 && (g.v - fissi) / cicli > 2)
                    forme.emplace_back((g.v - fissi) / cicli, cicli);
        for (const auto& [n, cicli] : forme)
            if (auto b = steinerCiclico(g.v, g.k, g.t, n, cicli, rng))
                return esito(std::move(*b), std::string(g.k == 4 && g.t == 3 ? "sistema di quaterne" : "sistema") + " di Steiner (ciclico)", g);
    }
    return std::nullopt;
}

}
