// The counted draws, the delays and frequencies in one pass, chance's figures from the wheels drawn.
#include "statistics/Statistiche.h"

#include "regole/Data.h"

#include <algorithm>
#include <cmath>

namespace statistics {

namespace {

// A wheel counts as drawn when it holds a number: the Nazionale before 2005 and the wheels
// missing in early 1939 hold none.
bool estratta(const archive::Archivio& a, int d, int w)
{
    const std::int16_t* n = a.ruota(d, w);
    return n[1] | n[2] | n[3] | n[4] | n[5];
}

// The per-item state of the pass: last presence, longest gap, count. Flat arrays, one slot per
// number (1..90) or per pair (a * 91 + b with a < b), read by index in the hot loop.
struct Contatori {
    explicit Contatori(std::size_t n) : ultima(n, 0), massimo(n, 0), frequenza(n, 0), visto(n, 0) {}

    void presente(std::size_t i, int t)
    {
        // A number on two wheels of S in the same draw is one presence.
        if (visto[i] == t)
            return;
        visto[i] = t;
        massimo[i] = std::max(massimo[i], t - ultima[i] - 1);
        ultima[i] = t;
        ++frequenza[i];
    }

    std::vector<int> ultima, massimo, frequenza, visto;
};

}

double probabilitaPresenza(Sorte sorte, int ruote)
{
    const double assenzaSuRuota = sorte == Sorte::Estratto ? 17.0 / 18.0 : 1.0 - 2.0 / 801.0;
    return 1.0 - std::pow(assenzaSuRuota, ruote);
}

int indiceAmbo(int a, int b)
{
    if (a > b)
        std::swap(a, b);
    // Pairs with first number a start after the (a - 1) first rows of 89, 88, ... pairs.
    return (a - 1) * (180 - a) / 2 + (b - a - 1);
}

double Statistiche::probRitardoAlmeno(int r) const
{
    if (r <= 0)
        return 1.0;
    if (r >= static_cast<int>(logAssenze.size()))
        return 0.0;
    return std::exp(logAssenze[static_cast<std::size_t>(r)]);
}

Statistiche calcolaStatistiche(const archive::Archivio& a, const Parametri& p)
{
    Statistiche s;
    s.parametri = p;
    const int al = p.al <= 0 ? a.NumeroEstrazioni : std::min(p.al, a.NumeroEstrazioni);
    const int dal = std::max(1, p.dal);
    s.parametri.dal = dal;
    s.parametri.al = al;

    std::vector<int> scelte;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        if (p.ruote[static_cast<std::size_t>(w)])
            scelte.push_back(w);

    for (int d = dal; d <= al; ++d) {
        int w = 0;
        for (int r : scelte)
            w += estratta(a, d, r);
        if (w > 0) {
            s.contate.push_back(d);
            s.ruoteEstratte.push_back(static_cast<std::uint8_t>(w));
        }
    }
    const int T = s.T();

    // Chance's side depends only on w_t: Attesa is the same for every item.
    std::array<double, archive::NumeroRuote + 1> pw{};
    for (int w = 0; w <= archive::NumeroRuote; ++w)
        pw[static_cast<std::size_t>(w)] = probabilitaPresenza(p.sorte, w);
    double attesa = 0;
    s.logAssenze.assign(static_cast<std::size_t>(T) + 1, 0.0);
    for (int r = 1; r <= T; ++r) {
        const double pt = pw[s.ruoteEstratte[static_cast<std::size_t>(T - r)]];
        attesa += pt;
        s.logAssenze[static_cast<std::size_t>(r)] = s.logAssenze[static_cast<std::size_t>(r - 1)] + std::log1p(-pt);
    }

    const bool ambo = p.sorte == Sorte::Ambo;
    Contatori c(ambo ? 91 * 91 : 91);
    for (int t = 1; t <= T; ++t) {
        const int d = s.contate[static_cast<std::size_t>(t - 1)];
        for (int w : scelte) {
            const std::int16_t* n = a.ruota(d, w);
            if (!ambo) {
                for (int k = 1; k <= 5; ++k)
                    if (n[k] > 0)
                        c.presente(static_cast<std::size_t>(n[k]), t);
                continue;
            }
            for (int i = 1; i <= 5; ++i)
                for (int j = i + 1; j <= 5; ++j) {
                    if (n[i] <= 0 || n[j] <= 0)
                        continue;
                    const int x = std::min(n[i], n[j]), y = std::max(n[i], n[j]);
                    c.presente(static_cast<std::size_t>(x * 91 + y), t);
                }
        }
    }

    const auto figura = [&](int primo, int secondo, std::size_t i) {
        Figura f;
        f.primo = primo;
        f.secondo = secondo;
        f.frequenza = c.frequenza[i];
        f.ritardo = T - c.ultima[i];
        f.ritardoMax = std::max(c.massimo[i], f.ritardo);
        f.attesa = attesa;
        // Sum of the gaps t_k - t_(k-1) - 1 from t_0 = 0 is t_F - F.
        if (f.frequenza > 0)
            f.ritardoMedio = static_cast<double>(c.ultima[i] - f.frequenza) / f.frequenza;
        // Never present: a delay of T, the chance of T absences.
        f.prob = s.probRitardoAlmeno(f.ritardo);
        return f;
    };
    if (!ambo) {
        s.figure.reserve(90);
        for (int n = 1; n <= 90; ++n)
            s.figure.push_back(figura(n, 0, static_cast<std::size_t>(n)));
    } else {
        s.figure.reserve(NumeroAmbi);
        for (int x = 1; x <= 90; ++x)
            for (int y = x + 1; y <= 90; ++y)
                s.figure.push_back(figura(x, y, static_cast<std::size_t>(x * 91 + y)));
    }
    return s;
}

std::vector<Presenza> presenze(const archive::Archivio& a, const Statistiche& s, int primo, int secondo)
{
    std::vector<Presenza> esito;
    for (int t = 1; t <= s.T(); ++t) {
        const int d = s.contate[static_cast<std::size_t>(t - 1)];
        Presenza p{d, t, {}, t - 1 - (esito.empty() ? 0 : esito.back().t)};
        for (int w = 0; w < archive::NumeroRuote; ++w) {
            if (!s.parametri.ruote[static_cast<std::size_t>(w)])
                continue;
            const std::int16_t* n = a.ruota(d, w);
            bool uno = false, due = secondo == 0;
            for (int k = 1; k <= 5; ++k) {
                uno = uno || n[k] == primo;
                due = due || n[k] == secondo;
            }
            if (uno && due)
                p.ruote.push_back(w);
        }
        if (!p.ruote.empty())
            esito.push_back(std::move(p));
    }
    return esito;
}

std::optional<int> chiaveData(std::string_view testo)
{
    const auto d = regole::Data::leggiLibera(testo);
    return d ? std::optional<int>(d->chiave()) : std::nullopt;
}

std::optional<std::pair<int, int>> estrazioniFraDate(const archive::Archivio& a, int dal, int al)
{
    const auto chiave = [&](int d) { return regole::chiave(a.DateEstrazioni[static_cast<std::size_t>(d)]); };
    // The draws are in date order: two binary searches.
    int lo = 1, hi = a.NumeroEstrazioni + 1;
    while (lo < hi) {
        const int m = (lo + hi) / 2;
        if (chiave(m) < dal)
            lo = m + 1;
        else
            hi = m;
    }
    const int primo = lo;
    lo = 1;
    hi = a.NumeroEstrazioni + 1;
    while (lo < hi) {
        const int m = (lo + hi) / 2;
        if (chiave(m) <= al)
            lo = m + 1;
        else
            hi = m;
    }
    const int ultimo = lo - 1;
    if (primo > ultimo)
        return std::nullopt;
    return std::make_pair(primo, ultimo);
}

std::string riepilogo(const archive::Archivio& a, const Statistiche& s)
{
    std::string testo = "Estrazioni contate: " + std::to_string(s.T());
    if (s.T() > 0)
        testo += " (" + a.DateEstrazioni[static_cast<std::size_t>(s.contate.front())] + " - " +
                 a.DateEstrazioni[static_cast<std::size_t>(s.contate.back())] + ")";
    return testo;
}

std::vector<RigaPresenza> righePresenze(const archive::Archivio& a, const std::vector<Presenza>& elenco)
{
    std::vector<RigaPresenza> righe;
    righe.reserve(elenco.size());
    for (auto p = elenco.rbegin(); p != elenco.rend(); ++p)
        righe.push_back({*p, a.DateEstrazioni[static_cast<std::size_t>(p->estrazione)]});
    return righe;
}

std::string testoPresenza(const RigaPresenza& r, int colonna)
{
    switch (colonna) {
    case colPresenze::Indice:
        return std::to_string(r.presenza.estrazione);
    case colPresenze::Data:
        return r.data;
    case colPresenze::Ruote:
        return sigleRuote(r.presenza.ruote);
    case colPresenze::Ritardo:
        return std::to_string(r.presenza.ritardo);
    default:
        return {};
    }
}

std::string sigleRuote(const std::vector<int>& ruote)
{
    std::string testo;
    for (int w : ruote) {
        if (!testo.empty())
            testo += ',';
        testo += archive::SigleRuote[static_cast<std::size_t>(w)];
    }
    return testo;
}

}
