// The covering search: the plain greedy start and the simulated annealing that shrinks it.
#include "systems/Copertura.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cmath>
#include <random>
#include <stdexcept>

namespace systems {

namespace {

using Orologio = std::chrono::steady_clock;

void ordina(int* a, int n)
{
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && a[j - 1] > a[j]; --j)
            std::swap(a[j - 1], a[j]);
}

// The positions of the r-subset of colex rank `r`.
void elementiDiRango(std::int64_t rangoInsieme, int r, int v, int* out)
{
    int x = v - 1;
    for (int i = r; i >= 1; --i) {
        while (Binomiale[static_cast<std::size_t>(x)][static_cast<std::size_t>(i)] > rangoInsieme)
            --x;
        out[i - 1] = x;
        rangoInsieme -= Binomiale[static_cast<std::size_t>(x)][static_cast<std::size_t>(i)];
        --x;
    }
}

// The tickets and how often each t-subset lies on one. With `traccia`, also the items still uncovered
// (the t-subsets when m = t, else the m-subsets none of whose t-subsets lies on a ticket), in a list
// the annealing draws from.
class Stato {
public:
    Stato(const Garanzia& g, bool traccia) : g_(g), traccia_(traccia)
    {
        perT_.assign(static_cast<std::size_t>(binomiale(g.v, g.t)), 0);
        if (!traccia_)
            return;
        const std::int64_t elementi = binomiale(g.v, g.m);
        if (g.m > g.t)
            perM_.assign(static_cast<std::size_t>(elementi), 0);
        posto_.resize(static_cast<std::size_t>(elementi));
        scoperti_.resize(static_cast<std::size_t>(elementi));
        for (std::int64_t i = 0; i < elementi; ++i) {
            posto_[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(i);
            scoperti_[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(i);
        }
    }

    const Garanzia& garanzia() const { return g_; }
    std::size_t quantiScoperti() const { return scoperti_.size(); }
    std::int64_t scoperto(std::size_t i) const { return scoperti_[i]; }
    int biglietti() const { return static_cast<int>(biglietti_.size()); }
    const std::array<int, MassimoClasse>& biglietto(int b) const { return biglietti_[static_cast<std::size_t>(b)]; }
    const Maschera& maschera(int b) const { return maschere_[static_cast<std::size_t>(b)]; }
    bool copertoT(const int* insieme) const { return perT_[static_cast<std::size_t>(rango(insieme, g_.t))] > 0; }

    void aggiungi(const int* p)
    {
        std::array<int, MassimoClasse> b{};
        Maschera ma;
        for (int i = 0; i < g_.k; ++i) {
            b[static_cast<std::size_t>(i)] = p[i];
            ma.metti(p[i]);
        }
        biglietti_.push_back(b);
        maschere_.push_back(ma);
        segna(b.data(), +1);
    }
    void togli(int indice)
    {
        segna(biglietti_[static_cast<std::size_t>(indice)].data(), -1);
        biglietti_[static_cast<std::size_t>(indice)] = biglietti_.back();
        maschere_[static_cast<std::size_t>(indice)] = maschere_.back();
        biglietti_.pop_back();
        maschere_.pop_back();
    }
    // Ticket b gives up position x for y (x on it, y not).
    void sposta(int b, int x, int y)
    {
        auto& bi = biglietti_[static_cast<std::size_t>(b)];
        int resto[MassimoClasse]{};
        int n = 0;
        for (int i = 0; i < g_.k; ++i)
            if (bi[static_cast<std::size_t>(i)] != x)
                resto[n++] = bi[static_cast<std::size_t>(i)];
        // Only the t-subsets through x or y change: x or y with t-1 of the other k-1.
        perOgniSottoinsieme(n, g_.t - 1, [&](const int* ind) {
            int a[MassimoClasse]{};
            for (int i = 0; i < g_.t - 1; ++i)
                a[i] = resto[ind[i]];
            a[g_.t - 1] = x;
            ordina(a, g_.t);
            conta(a, -1);
            for (int i = 0; i < g_.t - 1; ++i)
                a[i] = resto[ind[i]];
            a[g_.t - 1] = y;
            ordina(a, g_.t);
            conta(a, +1);
        });
        for (int i = 0; i < g_.k; ++i)
            if (bi[static_cast<std::size_t>(i)] == x)
                bi[static_cast<std::size_t>(i)] = y;
        std::sort(bi.begin(), bi.begin() + g_.k);
        maschere_[static_cast<std::size_t>(b)].togli(x);
        maschere_[static_cast<std::size_t>(b)].metti(y);
    }
    // The uncovered items there would be without ticket b (the tickets stay as they are).
    std::size_t scopertiSenza(int b)
    {
        segna(biglietti_[static_cast<std::size_t>(b)].data(), -1);
        const std::size_t n = scoperti_.size();
        segna(biglietti_[static_cast<std::size_t>(b)].data(), +1);
        return n;
    }
    // The t-subsets among the first `n` of `p` plus y that no ticket holds yet.
    int guadagno(const int* p, int n, int y) const
    {
        int g = 0;
        perOgniSottoinsieme(n, g_.t - 1, [&](const int* ind) {
            int a[MassimoClasse]{};
            for (int i = 0; i < g_.t - 1; ++i)
                a[i] = p[ind[i]];
            a[g_.t - 1] = y;
            ordina(a, g_.t);
            g += perT_[static_cast<std::size_t>(rango(a, g_.t))] == 0;
        });
        return g;
    }
    Biglietti comeBiglietti() const
    {
        Biglietti b;
        for (const auto& bi : biglietti_)
            b.emplace_back(bi.begin(), bi.begin() + g_.k);
        return b;
    }

private:
    void segna(const int* b, int verso)
    {
        perOgniSottoinsieme(g_.k, g_.t, [&](const int* ind) {
            int a[MassimoClasse]{};
            for (int i = 0; i < g_.t; ++i)
                a[i] = b[ind[i]];
            conta(a, verso);
        });
    }
    // One ticket more (+1) or less (-1) on the t-subset `a` (increasing).
    void conta(const int* a, int verso)
    {
        const auto r = static_cast<std::size_t>(rango(a, g_.t));
        auto& c = perT_[r];
        c = static_cast<std::uint32_t>(static_cast<std::int64_t>(c) + verso);
        const bool cambia = verso > 0 ? c == 1 : c == 0;
        if (!traccia_ || !cambia)
            return;
        if (g_.m == g_.t) {
            verso > 0 ? copri(static_cast<std::int64_t>(r)) : scopri(static_cast<std::int64_t>(r));
            return;
        }
        // Every m-subset through `a`: m - t more numbers outside it, merged in order.
        int fuori[MassimoNumeri]{};
        int nf = 0;
        for (int x = 0, j = 0; x < g_.v; ++x) {
            if (j < g_.t && a[j] == x)
                ++j;
            else
                fuori[nf++] = x;
        }
        const int extra = g_.m - g_.t;
        perOgniSottoinsieme(nf, extra, [&](const int* ind) {
            int insieme[MassimoClasse]{};
            int i = 0, j = 0, n = 0;
            while (i < g_.t || j < extra) {
                if (j >= extra || (i < g_.t && a[i] < fuori[ind[j]]))
                    insieme[n++] = a[i++];
                else
                    insieme[n++] = fuori[ind[j++]];
            }
            const std::int64_t rm = rango(insieme, g_.m);
            auto& cm = perM_[static_cast<std::size_t>(rm)];
            if (verso > 0) {
                if (cm++ == 0)
                    copri(rm);
            } else if (--cm == 0) {
                scopri(rm);
            }
        });
    }
    void copri(std::int64_t elemento)
    {
        const auto i = static_cast<std::size_t>(posto_[static_cast<std::size_t>(elemento)]);
        const std::int32_t ultimo = scoperti_.back();
        scoperti_[i] = ultimo;
        posto_[static_cast<std::size_t>(ultimo)] = static_cast<std::int32_t>(i);
        scoperti_.pop_back();
        posto_[static_cast<std::size_t>(elemento)] = -1;
    }
    void scopri(std::int64_t elemento)
    {
        posto_[static_cast<std::size_t>(elemento)] = static_cast<std::int32_t>(scoperti_.size());
        scoperti_.push_back(static_cast<std::int32_t>(elemento));
    }

    Garanzia g_;
    bool traccia_;
    std::vector<std::uint32_t> perT_;
    std::vector<std::uint8_t> perM_;
    std::vector<std::int32_t> posto_;
    std::vector<std::int32_t> scoperti_;
    std::vector<std::array<int, MassimoClasse>> biglietti_;
    std::vector<Maschera> maschere_;
};

// The greedy walk over the m-subsets in lexicographic order, skipping every completion of a prefix that
// already holds a covered t-subset.
class Golosa {
public:
    Golosa(Stato& s, avanzamento::Avanzamento* av) : s_(s), g_(s.garanzia()), av_(av) {}
    void esegui() { scendi(0, 0); }

private:
    bool chiude(int n, int x) const
    {
        bool si = false;
        perOgniSottoinsieme(n, g_.t - 1, [&](const int* ind) {
            if (si)
                return;
            int a[MassimoClasse]{};
            for (int i = 0; i < g_.t - 1; ++i)
                a[i] = scelti_[ind[i]];
            a[g_.t - 1] = x;
            si = s_.copertoT(a);
        });
        return si;
    }
    void nuovoBiglietto()
    {
        int b[MassimoClasse]{};
        for (int i = 0; i < g_.t; ++i)
            b[i] = scelti_[i];
        Maschera dentro;
        for (int i = 0; i < g_.t; ++i)
            dentro.metti(b[i]);
        for (int n = g_.t; n < g_.k; ++n) {
            int migliore = -1, valore = -1;
            for (int y = 0; y < g_.v; ++y) {
                if (dentro.ha(y))
                    continue;
                const int gy = s_.guadagno(b, n, y);
                if (gy > valore) {
                    valore = gy;
                    migliore = y;
                }
            }
            b[n] = migliore;
            dentro.metti(migliore);
        }
        ordina(b, g_.k);
        s_.aggiungi(b);
    }
    void scendi(int n, int da)
    {
        for (int x = da; x <= g_.v - (g_.m - n); ++x) {
            if (n == 0) {
                avanzamento::controlla(av_);
                avanzamento::imposta(av_, 2, x, g_.v - g_.m + 1);
            }
            scelti_[n] = x;
            if (n + 1 >= g_.t && chiude(n, x))
                continue;
            if (n + 1 == g_.m)
                nuovoBiglietto();
            else
                scendi(n + 1, x + 1);
        }
    }

    Stato& s_;
    Garanzia g_;
    avanzamento::Avanzamento* av_;
    int scelti_[MassimoClasse]{};
};

double casuale01(std::mt19937_64& rng) { return static_cast<double>(rng() >> 11) * (1.0 / 9007199254740992.0); }

// Simulated annealing at a fixed number of tickets, in the manner of Nurmela and Östergård: a move takes an
// uncovered item, a ticket near it, and swaps one of the ticket's numbers outside the item for one inside;
// the cost is the number of uncovered items. True when it reaches full coverage before `fine` or a stop.
bool ricuoci(Stato& s, std::mt19937_64& rng, Orologio::time_point fine, const avanzamento::Avanzamento* av)
{
    const Garanzia& g = s.garanzia();
    if (s.biglietti() == 0)
        return s.quantiScoperti() == 0;
    // A move changes the cost by a few items when m = t, by up to C(v - t, m - t) otherwise.
    const double scala = g.m == g.t ? 1.0 : std::max(1.0, static_cast<double>(binomiale(g.v - g.t, g.m - g.t)) / 8.0);
    const double inizio = 0.6 * scala;
    double temperatura = inizio;
    std::uint64_t passi = 0;
    std::size_t migliore = s.quantiScoperti();
    std::uint64_t ultimoMiglioramento = 0;
    while (s.quantiScoperti() > 0) {
        if ((++passi & 1023) == 0) {
            if (Orologio::now() >= fine || (av && av->fermato()))
                return false;
            temperatura *= 0.985;
            // Frozen without progress for long: warm up again from where it stands.
            if (passi - ultimoMiglioramento > 400'000 || temperatura < 0.02 * scala) {
                temperatura = inizio;
                ultimoMiglioramento = passi;
            }
        }
        int elementi[MassimoClasse]{};
        elementiDiRango(s.scoperto(static_cast<std::size_t>(rng() % s.quantiScoperti())), g.m, g.v, elementi);
        Maschera m;
        for (int i = 0; i < g.m; ++i)
            m.metti(elementi[i]);
        // The nearest of a few tickets drawn at random.
        int b = static_cast<int>(rng() % static_cast<std::uint64_t>(s.biglietti()));
        int vicino = s.maschera(b).comuni(m);
        for (int prova = 0; prova < 3; ++prova) {
            const int c = static_cast<int>(rng() % static_cast<std::uint64_t>(s.biglietti()));
            const int vc = s.maschera(c).comuni(m);
            if (vc > vicino) {
                b = c;
                vicino = vc;
            }
        }
        const auto& bi = s.biglietto(b);
        int fuori[MassimoClasse], nf = 0;
        for (int i = 0; i < g.k; ++i)
            if (!m.ha(bi[static_cast<std::size_t>(i)]))
                fuori[nf++] = bi[static_cast<std::size_t>(i)];
        int dentro[MassimoClasse], nd = 0;
        for (int i = 0; i < g.m; ++i)
            if (!s.maschera(b).ha(elementi[i]))
                dentro[nd++] = elementi[i];
        if (nf == 0 || nd == 0)
            continue;
        const int x = fuori[rng() % static_cast<std::uint64_t>(nf)];
        const int y = dentro[rng() % static_cast<std::uint64_t>(nd)];
        const auto prima = static_cast<std::int64_t>(s.quantiScoperti());
        s.sposta(b, x, y);
        const std::int64_t delta = static_cast<std::int64_t>(s.quantiScoperti()) - prima;
        if (delta > 0 && casuale01(rng) >= std::exp(-static_cast<double>(delta) / temperatura)) {
            s.sposta(b, y, x);
            continue;
        }
        if (s.quantiScoperti() < migliore) {
            migliore = s.quantiScoperti();
            ultimoMiglioramento = passi;
        }
    }
    return true;
}

// The ticket whose removal uncovers the fewest items.
int bigliettoMenoUtile(Stato& s)
{
    int scelto = 0;
    std::size_t minimo = SIZE_MAX;
    for (int b = 0; b < s.biglietti(); ++b) {
        const std::size_t n = s.scopertiSenza(b);
        if (n < minimo) {
            minimo = n;
            scelto = b;
        }
    }
    return scelto;
}

}

std::optional<std::string> difettoRicerca(const Garanzia& g)
{
    if (auto d = difettoGaranzia(g))
        return d;
    if (binomiale(g.v, g.t) > MassimoInsiemiT)
        return "sistema troppo grande per la ricerca: " + testoIntero(binomiale(g.v, g.t)) + " " + nomeInsiemi(g.t) + " da coprire";
    return std::nullopt;
}

Biglietti coperturaGolosa(const Garanzia& g, avanzamento::Avanzamento* av)
{
    if (auto d = difettoRicerca(g))
        throw std::invalid_argument(*d);
    Stato s(g, false);
    Golosa(s, av).esegui();
    return s.comeBiglietti();
}

EsitoRicerca cercaCopertura(const Garanzia& g, const OpzioniRicerca& opzioni, avanzamento::Avanzamento* av)
{
    if (auto d = difettoRicerca(g))
        throw std::invalid_argument(*d);
    const auto avvio = Orologio::now();
    const auto fine = avvio + std::chrono::microseconds(static_cast<std::int64_t>(std::max(0.0, opzioni.secondi) * 1e6));
    if (auto c = costruzioneNota(g, opzioni.seme))
        return *c;

    EsitoRicerca esito;
    esito.limite = limiteInferiore(g);
    const bool ricottura = binomiale(g.v, g.m) <= MassimoInsiemiM;
    Stato s(g, ricottura);
    Golosa(s, av).esegui();
    esito.biglietti = s.comeBiglietti();
    esito.golosa = static_cast<std::int64_t>(esito.biglietti.size());
    esito.metodo = "costruzione golosa";
    if (!ricottura) {
        esito.metodo += " (troppe " + nomeInsiemi(g.m) + " per la ricottura)";
        return esito;
    }
    std::mt19937_64 rng(opzioni.seme);
    const auto budget = static_cast<int>(std::max(1.0, opzioni.secondi * 10));
    while (static_cast<std::int64_t>(esito.biglietti.size()) > esito.limite) {
        if (av && av->fermato()) {
            esito.interrotta = true;
            break;
        }
        if (Orologio::now() >= fine)
            break;
        s.togli(bigliettoMenoUtile(s));
        const bool riuscita = ricuoci(s, rng, fine, av);
        avanzamento::imposta(av, 1,
                             std::min(budget, static_cast<int>(std::chrono::duration<double>(Orologio::now() - avvio).count() * 10)), budget);
        if (!riuscita) {
            esito.interrotta = av && av->fermato();
            break;
        }
        esito.biglietti = s.comeBiglietti();
        esito.metodo = "ricerca (golosa e ricottura simulata)";
        avanzamento::imposta(av, 2, static_cast<int>(esito.golosa - static_cast<std::int64_t>(esito.biglietti.size())),
                             static_cast<int>(esito.golosa - esito.limite));
    }
    return esito;
}

SistemaVerificato calcolaSistema(const std::vector<int>& numeri, int k, int m, int t, bool integrale, const OpzioniRicerca& opzioni,
                                 avanzamento::Avanzamento* av)
{
    std::vector<int> ordinati = numeri;
    std::sort(ordinati.begin(), ordinati.end());
    for (std::size_t i = 0; i < ordinati.size(); ++i) {
        if (ordinati[i] < 1 || ordinati[i] > MassimoNumeri)
            throw std::invalid_argument(std::to_string(ordinati[i]) + " non è un numero da 1 a 90");
        if (i > 0 && ordinati[i] == ordinati[i - 1])
            throw std::invalid_argument("il " + std::to_string(ordinati[i]) + " è ripetuto");
    }
    if (integrale && m == 0)
        m = t = std::min(k, 5);
    const Garanzia g{static_cast<int>(ordinati.size()), k, m, t};
    if (auto d = difettoGaranzia(g))
        throw std::invalid_argument(*d);
    SistemaVerificato r;
    r.limite = limiteInferiore(g);
    if (integrale) {
        if (binomiale(g.v, g.k) > MassimoIntegrale)
            throw std::invalid_argument("sistema integrale di " + testoIntero(binomiale(g.v, g.k)) + " biglietti: oltre il massimo di "
                                        + testoIntero(MassimoIntegrale));
        r.sistema = sistemaIntegrale(ordinati, k, m, t);
    } else {
        const EsitoRicerca e = cercaCopertura(g, opzioni, av);
        r.sistema = sistemaRidotto(ordinati, g, e.biglietti, e.metodo);
        r.golosa = e.golosa;
        r.interrotta = e.interrotta;
    }
    // A stopped search still hands back its best system, and that one is checked all the same: the stop
    // already requested must not cut the check short (it takes milliseconds for the sizes a search reaches).
    r.verifica = verificaGaranzia(r.sistema, r.interrotta ? nullptr : av);
    return r;
}

}
