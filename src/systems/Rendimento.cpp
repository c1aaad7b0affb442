// The rendimento of a system, its cost and expected return, and its tickets as plays.
#include "systems/Rendimento.h"

#include <algorithm>
#include <limits>

namespace systems {

namespace {

// Net prize on one wheel of a ticket of k numbers with p of them drawn, indexed by p.
std::array<plays::Importo, MassimoClasse + 1> premiPerPunti(int k, const Poste& poste, const plays::Tariffe& tariffe)
{
    std::array<plays::Importo, MassimoClasse + 1> premi{};
    for (int p = 1; p <= std::min(k, 5); ++p)
        for (int s = 1; s <= std::min(p, plays::NumeroSorti); ++s) {
            const auto i = static_cast<std::size_t>(s - 1);
            if (poste[i] > 0)
                premi[static_cast<std::size_t>(p)] += plays::premioNetto(plays::premioLordo(poste[i], tariffe.paga[i], p, s, k, 1), tariffe.ritenuta);
        }
    return premi;
}

// Folds one h-subset's count of tickets by points into the row.
void accumula(RigaRendimento& r, const std::array<std::int64_t, MassimoClasse + 1>& perPunti, int k,
              const std::array<plays::Importo, MassimoClasse + 1>& premi, bool primo)
{
    plays::Importo premio;
    std::int64_t almeno = 0;   // tickets with at least s points, s from the top down
    std::array<std::int64_t, plays::NumeroSorti> vincenti{};
    for (int p = MassimoClasse; p >= 1; --p) {
        almeno += perPunti[static_cast<std::size_t>(p)];
        if (p <= plays::NumeroSorti)
            vincenti[static_cast<std::size_t>(p - 1)] = almeno;
        premio.unita += premi[static_cast<std::size_t>(p)].unita * perPunti[static_cast<std::size_t>(p)];
    }
    const plays::Centesimi c = premio.centesimi();
    for (int s = 1; s <= plays::NumeroSorti; ++s) {
        const auto i = static_cast<std::size_t>(s - 1);
        if (s > k) {
            r.minimo[i] = r.massimo[i] = -1;
            continue;
        }
        r.minimo[i] = primo ? vincenti[i] : std::min(r.minimo[i], vincenti[i]);
        r.massimo[i] = primo ? vincenti[i] : std::max(r.massimo[i], vincenti[i]);
    }
    r.premioMinimo = primo ? c : std::min(r.premioMinimo, c);
    r.premioMassimo = primo ? c : std::max(r.premioMassimo, c);
}

}

Poste posteGiocabili(const Poste& poste, int k)
{
    Poste p = poste;
    for (int s = k + 1; s <= plays::NumeroSorti; ++s)
        p[static_cast<std::size_t>(s - 1)] = 0;
    return p;
}

std::vector<RigaRendimento> rendimento(const Sistema& s, const Poste& poste, const plays::Tariffe& tariffe, avanzamento::Avanzamento* av)
{
    const Garanzia& g = s.garanzia;
    const auto premi = premiPerPunti(g.k, posteGiocabili(poste, g.k), tariffe);
    const std::int64_t n = s.biglietti();
    std::vector<Maschera> maschere;
    if (!s.integrale)
        for (std::int64_t b = 0; b < n; ++b) {
            Maschera m;
            for (int j = 0; j < g.k; ++j)
                m.metti(s.posti[static_cast<std::size_t>(b * g.k + j)]);
            maschere.push_back(m);
        }
    std::vector<RigaRendimento> righe;
    for (int h = 0; h <= std::min(5, g.v); ++h) {
        avanzamento::imposta(av, 1, h, std::min(5, g.v));
        RigaRendimento r;
        r.usciti = h;
        r.casi = binomiale(g.v, h);
        if (s.integrale) {
            // Whichever h numbers come out, C(h, p) C(v - h, k - p) tickets hold exactly p of them.
            std::array<std::int64_t, MassimoClasse + 1> perPunti{};
            for (int p = 0; p <= std::min(h, g.k); ++p)
                perPunti[static_cast<std::size_t>(p)] = binomiale(h, p) * binomiale(g.v - h, g.k - p);
            accumula(r, perPunti, g.k, premi, true);
            r.calcolata = true;
        } else if (r.casi <= MassimoOperazioniRendimento / std::max<std::int64_t>(1, n)) {
            std::vector<int> c(static_cast<std::size_t>(h));
            for (int i = 0; i < h; ++i)
                c[static_cast<std::size_t>(i)] = i;
            bool primo = true;
            std::int64_t visti = 0;
            do {
                if ((++visti & 0xFFF) == 0)
                    avanzamento::controlla(av);
                Maschera uscita;
                for (int x : c)
                    uscita.metti(x);
                std::array<std::int64_t, MassimoClasse + 1> perPunti{};
                for (const auto& m : maschere)
                    ++perPunti[static_cast<std::size_t>(m.comuni(uscita))];
                accumula(r, perPunti, g.k, premi, primo);
                primo = false;
            } while (prossimaCombinazione(c, g.v));
            r.calcolata = true;
        }
        righe.push_back(r);
    }
    return righe;
}

Costo costoSistema(std::int64_t biglietti, int k, const Poste& poste, int ruote, int colpi, const plays::Tariffe& tariffe)
{
    Costo c;
    const Poste giocabili = posteGiocabili(poste, k);
    plays::Centesimi perBiglietto = 0;
    for (auto p : giocabili)
        perBiglietto += p;
    c.perEstrazioneRuota = biglietti * perBiglietto;
    c.totale = c.perEstrazioneRuota * ruote * colpi;
    // Every ticket is a play of k numbers with the same stakes, and the return per euro of a play does
    // not depend on which numbers it holds nor on how many wheels share its stake: the system's is one ticket's.
    plays::Giocata uno;
    for (int i = 1; i <= k; ++i)
        uno.numeri.push_back(i);
    uno.ruote[0] = true;
    uno.poste = giocabili;
    c.resa = plays::resaAttesa(uno, tariffe);
    c.ritornoAtteso = static_cast<plays::Centesimi>(static_cast<double>(c.totale) * c.resa + 0.5);
    return c;
}

std::vector<plays::Giocata> giocateDelSistema(const Sistema& s, const Poste& poste, const std::array<bool, archive::NumeroRuote>& ruote,
                                              const std::string& dal, int colpi)
{
    const int w = static_cast<int>(std::count(ruote.begin(), ruote.end(), true));
    const Poste giocabili = posteGiocabili(poste, s.garanzia.k);
    std::vector<plays::Giocata> giocate;
    const std::int64_t n = s.biglietti();
    const std::string nome = "Sistema " + std::to_string(s.garanzia.v) + " numeri in " + std::to_string(s.garanzia.k)
                             + (s.integrale ? " (integrale)" : " (garanzia " + std::to_string(s.garanzia.t) + " se " + std::to_string(s.garanzia.m) + ")");
    for (std::int64_t i = 0; i < n; ++i) {
        plays::Giocata g;
        g.numeri = s.biglietto(i);
        g.ruote = ruote;
        for (std::size_t j = 0; j < giocabili.size(); ++j)
            g.poste[j] = giocabili[j] * w;
        g.dal = dal;
        g.colpi = colpi;
        g.note = nome + ", biglietto " + std::to_string(i + 1) + " di " + std::to_string(n);
        giocate.push_back(std::move(g));
    }
    return giocate;
}

}
