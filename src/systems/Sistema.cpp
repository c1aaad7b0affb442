// The tickets of a system, the exhaustive check of its guarantee and the lower bound on its size.
#include "systems/Sistema.h"

#include <algorithm>

namespace systems {

namespace {

// The covered t-subsets of {0 .. v-1}, by colex rank, one bit each.
class InsiemiCoperti {
public:
    InsiemiCoperti(int v, int t) : t_(t), bit_(static_cast<std::size_t>((binomiale(v, t) + 63) / 64), 0) {}

    // Marks every t-subset of the ticket (positions increasing).
    void aggiungi(const int* p, int k)
    {
        perOgniSottoinsieme(k, t_, [&](const int* indici) {
            int scelti[MassimoClasse]{};
            for (int i = 0; i < t_; ++i)
                scelti[i] = p[indici[i]];
            const auto r = static_cast<std::uint64_t>(rango(scelti, t_));
            bit_[r >> 6] |= std::uint64_t{1} << (r & 63);
        });
    }
    bool coperto(const int* scelti) const
    {
        const auto r = static_cast<std::uint64_t>(rango(scelti, t_));
        return (bit_[r >> 6] >> (r & 63)) & 1U;
    }

private:
    int t_;
    std::vector<std::uint64_t> bit_;
};

// Walks the m-subsets in lexicographic order. An m-subset meets a ticket in t numbers exactly when one of
// its t-subsets lies on that ticket; once a prefix holds such a t-subset every completion of it does,
// and the completions are counted in bulk rather than visited.
class Controllo {
public:
    Controllo(const InsiemiCoperti& coperti, int v, int m, int t, avanzamento::Avanzamento* av)
        : coperti_(coperti), v_(v), m_(m), t_(t), av_(av) {}

    Verifica esegui()
    {
        Verifica esito;
        scendi(0, 0);
        esito.insiemi = contati_;
        esito.valida = !trovato_;
        if (trovato_)
            esito.scoperto.assign(scoperto_, scoperto_ + m_);
        return esito;
    }

private:
    // True when x with some t-1 of the prefix scelti_[0 .. n) is a covered t-subset.
    bool chiude(int n, int x)
    {
        bool si = false;
        perOgniSottoinsieme(n, t_ - 1, [&](const int* indici) {
            if (si)
                return;
            int insieme[MassimoClasse]{};
            for (int i = 0; i < t_ - 1; ++i)
                insieme[i] = scelti_[indici[i]];
            insieme[t_ - 1] = x;   // x is above every element of the prefix: the subset stays increasing
            si = coperti_.coperto(insieme);
        });
        return si;
    }

    void scendi(int n, int da)
    {
        for (int x = da; x <= v_ - (m_ - n) && !trovato_; ++x) {
            if (n == 0) {
                avanzamento::controlla(av_);
                avanzamento::imposta(av_, 2, x, v_ - m_ + 1);
            } else if ((++passi_ & 0xFFFF) == 0) {
                avanzamento::controlla(av_);
            }
            scelti_[n] = x;
            if (n + 1 >= t_ && chiude(n, x)) {
                contati_ += binomiale(v_ - 1 - x, m_ - 1 - n);
                continue;
            }
            if (n + 1 == m_) {
                trovato_ = true;
                std::copy(scelti_, scelti_ + m_, scoperto_);
                return;
            }
            scendi(n + 1, x + 1);
        }
    }

    const InsiemiCoperti& coperti_;
    int v_, m_, t_;
    avanzamento::Avanzamento* av_;
    int scelti_[MassimoClasse]{};
    int scoperto_[MassimoClasse]{};
    std::int64_t contati_ = 0;
    std::uint64_t passi_ = 0;
    bool trovato_ = false;
};

std::string punti(std::int64_t n)
{
    std::string cifre = std::to_string(n < 0 ? -n : n);
    std::string s;
    for (std::size_t i = 0; i < cifre.size(); ++i) {
        if (i > 0 && (cifre.size() - i) % 3 == 0)
            s += '.';
        s += cifre[i];
    }
    return n < 0 ? "-" + s : s;
}

std::vector<int> ordinati(std::vector<int> numeri)
{
    std::sort(numeri.begin(), numeri.end());
    numeri.erase(std::unique(numeri.begin(), numeri.end()), numeri.end());
    return numeri;
}

}

std::optional<std::string> difettoGaranzia(const Garanzia& g)
{
    if (g.v < 1 || g.v > MassimoNumeri)
        return "servono da 1 a 90 numeri";
    if (g.k < 1 || g.k > MassimoClasse)
        return "la classe va da 1 a 10 numeri";
    if (g.k > g.v)
        return "la classe (" + std::to_string(g.k) + ") supera i numeri giocati (" + std::to_string(g.v) + ")";
    if (g.t < 2 || g.t > 5)
        return "la garanzia va da 2 a 5";
    if (g.t > g.k)
        return "la garanzia (" + std::to_string(g.t) + ") supera la classe (" + std::to_string(g.k) + ")";
    if (g.m < g.t || g.m > 5)
        return "i numeri usciti (SE) vanno dalla garanzia (" + std::to_string(g.t) + ") a 5";
    if (g.m > g.v)
        return "i numeri usciti (" + std::to_string(g.m) + ") superano i numeri giocati (" + std::to_string(g.v) + ")";
    return std::nullopt;
}

std::int64_t Sistema::biglietti() const
{
    if (integrale)
        return binomiale(garanzia.v, garanzia.k);
    return garanzia.k > 0 ? static_cast<std::int64_t>(posti.size()) / garanzia.k : 0;
}

std::vector<int> Sistema::biglietto(std::int64_t i) const
{
    std::vector<int> b;
    if (integrale) {
        for (int p : combinazioneDiIndice(i, garanzia.v, garanzia.k))
            b.push_back(numeri[static_cast<std::size_t>(p)]);
        return b;
    }
    const auto inizio = static_cast<std::size_t>(i * garanzia.k);
    for (int j = 0; j < garanzia.k; ++j)
        b.push_back(numeri[posti[inizio + static_cast<std::size_t>(j)]]);
    return b;
}

Sistema sistemaIntegrale(std::vector<int> numeri, int k, int m, int t)
{
    Sistema s;
    s.numeri = ordinati(std::move(numeri));
    if (m == 0)
        m = t = std::min(k, 5);
    s.garanzia = {static_cast<int>(s.numeri.size()), k, m, t == 0 ? m : t};
    s.integrale = true;
    s.metodo = "sistema integrale";
    return s;
}

Sistema sistemaRidotto(std::vector<int> numeri, const Garanzia& g, const std::vector<std::vector<int>>& biglietti, std::string metodo)
{
    Sistema s;
    s.numeri = ordinati(std::move(numeri));
    s.garanzia = g;
    s.metodo = std::move(metodo);
    s.posti.reserve(biglietti.size() * static_cast<std::size_t>(g.k));
    for (auto b : biglietti) {
        std::sort(b.begin(), b.end());
        for (int p : b)
            s.posti.push_back(static_cast<std::uint8_t>(p));
    }
    return s;
}

Verifica verificaGaranzia(const Sistema& s, avanzamento::Avanzamento* av)
{
    const Garanzia& g = s.garanzia;
    if (difettoGaranzia(g) || static_cast<int>(s.numeri.size()) != g.v)
        return {};
    InsiemiCoperti coperti(g.v, g.t);
    if (s.integrale) {
        if (s.biglietti() > MassimoIntegrale)
            return {};
        std::vector<int> c(static_cast<std::size_t>(g.k));
        for (int i = 0; i < g.k; ++i)
            c[static_cast<std::size_t>(i)] = i;
        std::int64_t n = 0;
        do {
            if ((++n & 0x3FFF) == 0)
                avanzamento::controlla(av);
            coperti.aggiungi(c.data(), g.k);
        } while (prossimaCombinazione(c, g.v));
    } else {
        int p[MassimoClasse]{};
        for (std::int64_t b = 0; b < s.biglietti(); ++b) {
            for (int j = 0; j < g.k; ++j) {
                p[j] = s.posti[static_cast<std::size_t>(b * g.k + j)];
                if (p[j] >= g.v || (j > 0 && p[j] <= p[j - 1]))
                    return {};   // not a k-subset of the numbers: no guarantee can be claimed
            }
            coperti.aggiungi(p, g.k);
        }
    }
    Verifica esito = Controllo(coperti, g.v, g.m, g.t, av).esegui();
    for (int& x : esito.scoperto)
        x = s.numeri[static_cast<std::size_t>(x)];
    // Every m-subset accounted for, or the walk stopped at an uncovered one: anything else is a fault here.
    if (esito.valida && esito.insiemi != binomiale(g.v, g.m))
        esito.valida = false;
    return esito;
}

std::string nomeInsiemi(int m)
{
    switch (m) {
    case 1:
        return "numeri";
    case 2:
        return "coppie";
    case 3:
        return "terzine";
    case 4:
        return "quartine";
    default:
        return "cinquine";
    }
}

std::string testoVerifica(const Verifica& v, const Garanzia& g)
{
    if (v.valida)
        return "garanzia verificata su tutte le " + punti(v.insiemi) + " " + nomeInsiemi(g.m);
    if (v.scoperto.empty())
        return "garanzia non verificata";
    std::string numeri;
    for (int x : v.scoperto)
        numeri += (numeri.empty() ? "" : "-") + std::string(x < 10 ? "0" : "") + std::to_string(x);
    return "garanzia non rispettata: nessun biglietto contiene " + std::to_string(g.t) + " dei numeri " + numeri;
}

std::int64_t limiteSchonheim(int v, int k, int t)
{
    // Innermost first: ceil((v-t+1)/(k-t+1)), then each outer factor around it.
    std::int64_t l = 1;
    for (int i = t - 1; i >= 0; --i)
        l = ((v - i) * l + (k - i) - 1) / (k - i);
    return l;
}

std::int64_t limiteInferiore(const Garanzia& g)
{
    if (g.m == g.t)
        return limiteSchonheim(g.v, g.k, g.t);
    // One ticket meets in at least t numbers sum_{i >= t} C(k, i) C(v - k, m - i) of the m-subsets.
    std::int64_t perBiglietto = 0;
    for (int i = g.t; i <= std::min(g.k, g.m); ++i)
        perBiglietto += binomiale(g.k, i) * binomiale(g.v - g.k, g.m - i);
    const std::int64_t tutti = binomiale(g.v, g.m);
    std::int64_t limite = perBiglietto > 0 ? (tutti + perBiglietto - 1) / perBiglietto : 0;
    if (g.t == 2) {
        // The pairs on some ticket make a graph in which every m numbers hold an edge. By Turán's theorem
        // such a graph has at least the edges of m - 1 cliques splitting the v numbers evenly, and a
        // ticket brings C(k, 2) of them.
        const int parti = g.m - 1;
        std::int64_t lati = 0;
        for (int i = 0; i < parti; ++i)
            lati += binomiale(g.v / parti + (i < g.v % parti ? 1 : 0), 2);
        limite = std::max(limite, (lati + binomiale(g.k, 2) - 1) / binomiale(g.k, 2));
    }
    return limite;
}

std::string testoIntero(std::int64_t n) { return punti(n); }

}
