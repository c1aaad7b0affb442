// Systems: the tickets, the exhaustive check, the bounds, the search, the rendimento and the cost, on hand-worked values.
#include "systems/Copertura.h"
#include "systems/Rendimento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace systems;

namespace {

// The Fano plane on 1..7: the lines {i, i+1, i+3} mod 7.
const Biglietti Fano{{0, 1, 3}, {1, 2, 4}, {2, 3, 5}, {3, 4, 6}, {0, 4, 5}, {1, 5, 6}, {0, 2, 6}};
const std::vector<int> UnoSette{1, 2, 3, 4, 5, 6, 7};

Poste poste(double estratto, double ambo, double terno = 0)
{
    return {static_cast<plays::Centesimi>(estratto * 100), static_cast<plays::Centesimi>(ambo * 100),
            static_cast<plays::Centesimi>(terno * 100), 0, 0};
}

// The plain check: every m-subset against every ticket.
bool garantitoAForzaBruta(const Garanzia& g, const Biglietti& b)
{
    std::vector<int> c(static_cast<std::size_t>(g.m));
    for (int i = 0; i < g.m; ++i)
        c[static_cast<std::size_t>(i)] = i;
    do {
        bool coperto = false;
        for (const auto& t : b) {
            int comuni = 0;
            for (int x : t)
                comuni += static_cast<int>(std::count(c.begin(), c.end(), x));
            coperto = coperto || comuni >= g.t;
        }
        if (!coperto)
            return false;
    } while (prossimaCombinazione(c, g.v));
    return true;
}

}

TEST(Sistemi, IntegraleInOrdineLessicograficoConIlSuoRendimento)
{
    const Sistema s = sistemaIntegrale({33, 5, 12, 40, 61, 77}, 4);
    ASSERT_EQ(s.biglietti(), 15);
    EXPECT_EQ(s.biglietto(0), (std::vector<int>{5, 12, 33, 40}));
    EXPECT_EQ(s.biglietto(1), (std::vector<int>{5, 12, 33, 61}));
    EXPECT_EQ(s.biglietto(14), (std::vector<int>{33, 40, 61, 77}));
    // Paging by index gives the same tickets as the streamed order, for every ticket of C(10, 4).
    std::vector<int> c{0, 1, 2, 3};
    std::int64_t i = 0;
    do
        ASSERT_EQ(combinazioneDiIndice(i++, 10, 4), c);
    while (prossimaCombinazione(c, 10));
    EXPECT_EQ(i, 210);

    // 1 euro on the ambo of each ticket. Two of the six out: 6 tickets hold both (C(4,2) of them),
    // 8 one, 1 none; each ambo pays 250 / C(4,2): 250 gross, 230 net.
    // Three out: 3 tickets hold all three (3 ambi each), 9 hold two, 3 hold one:
    // (3 x 3 + 9) x 250 / 6 = 750 gross, 690 net.
    const auto r = rendimento(s, poste(0, 1), plays::Tariffe{});
    ASSERT_EQ(r.size(), 6U);
    EXPECT_EQ(r[2].minimo, (std::array<std::int64_t, 5>{14, 6, 0, 0, -1}));
    EXPECT_EQ(r[2].massimo, r[2].minimo);
    EXPECT_EQ(r[2].premioMinimo, 23000);
    EXPECT_EQ(r[3].minimo, (std::array<std::int64_t, 5>{15, 12, 3, 0, -1}));
    EXPECT_EQ(r[3].premioMinimo, 69000);
    EXPECT_EQ(r[0].premioMassimo, 0);
    EXPECT_TRUE(verificaGaranzia(s).valida);
    EXPECT_EQ(testoVerifica(verificaGaranzia(s), s.garanzia), "garanzia verificata su tutte le 15 quartine");
}

TEST(Sistemi, UnBigliettoInMenoRompeLaGaranziaEIlControlloLoTrova)
{
    // Without the line {2, 3, 5} its three pairs are left; {2, 3} comes first.
    Biglietti senza = Fano;
    senza.erase(senza.begin() + 1);
    const auto rotto = verificaGaranzia(sistemaRidotto(UnoSette, {7, 3, 2, 2}, senza, ""));
    EXPECT_FALSE(rotto.valida);
    EXPECT_EQ(rotto.scoperto, (std::vector<int>{2, 3}));
    EXPECT_EQ(testoVerifica(rotto, {7, 3, 2, 2}), "garanzia non rispettata: nessun biglietto contiene 2 dei numeri 02-03");
    EXPECT_TRUE(verificaGaranzia(sistemaRidotto(UnoSette, {7, 3, 2, 2}, Fano, "")).valida);

    // Of three numbers out of six split in two tickets of three, two always share a ticket. Without the
    // second ticket, the first terzina meeting {10, 20, 30} in one number only is 10-40-50.
    const std::vector<int> sei{10, 20, 30, 40, 50, 60};
    const Garanzia g{6, 3, 3, 2};
    EXPECT_TRUE(verificaGaranzia(sistemaRidotto(sei, g, {{0, 1, 2}, {3, 4, 5}}, "")).valida);
    const auto meta = verificaGaranzia(sistemaRidotto(sei, g, {{0, 1, 2}}, ""));
    EXPECT_FALSE(meta.valida);
    EXPECT_EQ(meta.scoperto, (std::vector<int>{10, 40, 50}));

    // A ticket that is not a k-subset of the numbers claims nothing.
    EXPECT_FALSE(verificaGaranzia(sistemaRidotto(sei, g, {{0, 1, 2}, {3, 4, 9}}, "")).valida);
}

TEST(Sistemi, IlControlloConcordaConQuelloSemplice)
{
    // Random small systems, some covering and some not: the pruned walk agrees with the plain check.
    std::mt19937_64 rng(7);
    int valide = 0;
    for (int prova = 0; prova < 300; ++prova) {
        const int v = 6 + static_cast<int>(rng() % 7);
        const int t = 2 + static_cast<int>(rng() % 2);
        const int m = t + static_cast<int>(rng() % 3);
        const int k = t + static_cast<int>(rng() % 3);
        const Garanzia g{v, k, m, t};
        if (difettoGaranzia(g))
            continue;
        Biglietti b;
        for (int n = static_cast<int>(rng() % 12) + 1; n > 0; --n) {
            std::vector<int> tutti(static_cast<std::size_t>(v));
            std::iota(tutti.begin(), tutti.end(), 0);
            std::shuffle(tutti.begin(), tutti.end(), rng);
            b.emplace_back(tutti.begin(), tutti.begin() + k);
        }
        std::vector<int> numeri(static_cast<std::size_t>(v));
        std::iota(numeri.begin(), numeri.end(), 1);
        const auto esito = verificaGaranzia(sistemaRidotto(numeri, g, b, ""));
        ASSERT_EQ(esito.valida, garantitoAForzaBruta(g, b)) << v << " " << k << " " << m << " " << t;
        valide += esito.valida;
        if (esito.valida) {
            EXPECT_EQ(esito.insiemi, binomiale(v, m));
            // No valid system is smaller than the lower bound.
            EXPECT_LE(limiteInferiore(g), static_cast<std::int64_t>(b.size())) << v << " " << k << " " << m << " " << t;
        }
    }
    EXPECT_GT(valide, 20);
}

TEST(Sistemi, RendimentoDelPianoDiFano)
{
    const Sistema s = sistemaRidotto(UnoSette, {7, 3, 2, 2}, Fano, "");
    // 1 euro on the ambo and 1 on the terno of each line.
    const auto r = rendimento(s, poste(0, 1, 1), plays::Tariffe{});
    // Two out: one line holds both; each point is on two more lines, so four hold one; two hold none.
    EXPECT_EQ(r[2].minimo, (std::array<std::int64_t, 5>{5, 1, 0, -1, -1}));
    EXPECT_EQ(r[2].massimo, r[2].minimo);
    // The ambo pays 250 / C(3, 2): 83,33 gross, 76,67 net.
    EXPECT_EQ(r[2].premioMinimo, 7667);
    // Three out on a line: that line holds three, the other six one each (7 estratti, 1 ambo, 1 terno).
    // Three out not on a line: the three lines through two of them, and one more line through each (6, 3, 0).
    EXPECT_EQ(r[3].casi, 35);
    EXPECT_EQ(r[3].minimo, (std::array<std::int64_t, 5>{6, 1, 0, -1, -1}));
    EXPECT_EQ(r[3].massimo, (std::array<std::int64_t, 5>{7, 3, 1, -1, -1}));
    // Not a line: 3 ambi of 83,33 = 250 gross, 230 net. A line: 250 + 4500 gross, 4370 net.
    EXPECT_EQ(r[3].premioMinimo, 23000);
    EXPECT_EQ(r[3].premioMassimo, 437000);

    // The closed form of the integral system and the walk over every h-subset agree.
    const Sistema integrale = sistemaIntegrale({3, 8, 13, 21, 34, 55, 89, 90}, 5);
    Biglietti tutti;
    for (std::int64_t i = 0; i < integrale.biglietti(); ++i)
        tutti.push_back(combinazioneDiIndice(i, 8, 5));
    const auto formula = rendimento(integrale, poste(1, 1, 1), plays::Tariffe{});
    const auto esplicito = rendimento(sistemaRidotto(integrale.numeri, integrale.garanzia, tutti, ""), poste(1, 1, 1), plays::Tariffe{});
    for (std::size_t h = 0; h < formula.size(); ++h) {
        EXPECT_EQ(formula[h].minimo, esplicito[h].minimo) << h;
        EXPECT_EQ(formula[h].massimo, esplicito[h].massimo) << h;
        EXPECT_EQ(formula[h].premioMinimo, esplicito[h].premioMinimo) << h;
    }
}

TEST(Sistemi, CostoERitornoAttesoSuDueRuote)
{
    // The Fano system, 1 euro on the ambo and 0,50 on the terno, two wheels, three draws:
    // 7 x 1,50 = 10,50 a draw and wheel, 63,00 in all.
    const Costo c = costoSistema(7, 3, poste(0, 1, 0.5), 2, 3, plays::Tariffe{});
    EXPECT_EQ(c.perEstrazioneRuota, 1050);
    EXPECT_EQ(c.totale, 6300);
    // A ticket of three: the ambo returns 250 x C(5,2)/C(90,2) = 0,62422 per euro, the terno
    // 4500 x C(5,3)/C(90,3) = 0,38304; (0,62422 + 0,5 x 0,38304) / 1,5 x 0,92 = 0,50032.
    EXPECT_NEAR(c.resa, 0.50032, 5e-5);
    EXPECT_NEAR(static_cast<double>(c.ritornoAtteso), 3152, 1);
    // A stake on a sorte above the classe is not played.
    EXPECT_EQ(costoSistema(7, 3, {0, 100, 100, 100, 100}, 1, 1, plays::Tariffe{}).perEstrazioneRuota, 1400);

    // As plays: one per ticket, the stake covering both wheels.
    std::array<bool, archive::NumeroRuote> ruote{};
    ruote[0] = ruote[5] = true;
    const auto g = giocateDelSistema(sistemaRidotto(UnoSette, {7, 3, 2, 2}, Fano, ""), poste(0, 1, 0.5), ruote, "10/01/2026", 3);
    ASSERT_EQ(g.size(), 7U);
    EXPECT_EQ(g[1].numeri, (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(g[1].poste, (std::array<plays::Centesimi, 5>{0, 200, 100, 0, 0}));
    EXPECT_EQ(g[1].note, "Sistema 7 numeri in 3 (garanzia 2 se 2), biglietto 2 di 7");
    EXPECT_FALSE(plays::difettoGiocata(g[1]));
}

TEST(Sistemi, LimitiInferiori)
{
    EXPECT_EQ(limiteSchonheim(7, 3, 2), 7);
    EXPECT_EQ(limiteSchonheim(10, 3, 2), 17);    // ceil(10/3 x ceil(9/2))
    EXPECT_EQ(limiteSchonheim(14, 4, 3), 91);    // ceil(14/4 x ceil(13/3 x 6))
    EXPECT_EQ(limiteSchonheim(30, 3, 2), 150);
    // Counting: one ticket of 3 of 6 meets 9 + 1 of the 20 terzine in two numbers: at least 2 tickets.
    EXPECT_EQ(limiteInferiore({6, 3, 3, 2}), 2);
    EXPECT_EQ(limiteInferiore({13, 4, 2, 2}), 13);
    // Turán: with every 3 of 10 numbers holding a covered pair, the covered pairs number at least
    // those of two cliques of 5 (10 + 10); a ticket of 4 holds 6: at least 4 tickets (counting gives 3).
    EXPECT_EQ(limiteInferiore({10, 4, 3, 2}), 4);
    // 30 numbers, 5 out: four cliques of 7, 7, 8, 8 (21 + 21 + 28 + 28 = 98 pairs), 15 a ticket of 6: 7.
    EXPECT_EQ(limiteInferiore({30, 6, 5, 2}), 7);
}

TEST(Sistemi, GaranzieRifiutate)
{
    EXPECT_EQ(difettoGaranzia({10, 4, 3, 1}), "la garanzia va da 2 a 5");
    EXPECT_EQ(difettoGaranzia({10, 4, 2, 3}), "i numeri usciti (SE) vanno dalla garanzia (3) a 5");
    EXPECT_EQ(difettoGaranzia({10, 11, 3, 2}), "la classe va da 1 a 10 numeri");
    EXPECT_EQ(difettoGaranzia({5, 6, 3, 2}), "la classe (6) supera i numeri giocati (5)");
    EXPECT_FALSE(difettoGaranzia({90, 10, 5, 5}));
    EXPECT_THROW(calcolaSistema({1, 2, 2, 4}, 2, 2, 2, false, {}), std::invalid_argument);
    EXPECT_THROW(calcolaSistema({1, 2, 91, 4}, 2, 2, 2, false, {}), std::invalid_argument);
    // C(40, 10) tickets are far beyond what an integral system is written out for.
    std::vector<int> quaranta(40);
    std::iota(quaranta.begin(), quaranta.end(), 1);
    EXPECT_THROW(calcolaSistema(quaranta, 10, 2, 2, true, {}), std::invalid_argument);
}

TEST(Sistemi, OttimiNoti)
{
    struct Caso {
        Garanzia g;
        std::int64_t ottimo;
    };
    // Planes, Steiner quadruple systems and pair coverings by triples (the Schönheim bound, reached for every v).
    const Caso casi[] = {{{13, 4, 2, 2}, 13}, {{16, 4, 2, 2}, 20}, {{21, 5, 2, 2}, 21}, {{25, 5, 2, 2}, 30},
                         {{8, 4, 3, 3}, 14},  {{10, 4, 3, 3}, 30}, {{14, 4, 3, 3}, 91}, {{16, 4, 3, 3}, 140},
                         {{6, 3, 2, 2}, 6},   {{10, 3, 2, 2}, 17}, {{15, 3, 2, 2}, 35}, {{17, 3, 2, 2}, 46}};
    for (const auto& c : casi) {
        std::vector<int> numeri(static_cast<std::size_t>(c.g.v));
        std::iota(numeri.begin(), numeri.end(), 1);
        // A budget far above what these need: the search ends as soon as it reaches the bound.
        const auto r = calcolaSistema(numeri, c.g.k, c.g.m, c.g.t, false, {60, 3});
        EXPECT_EQ(r.sistema.biglietti(), c.ottimo) << c.g.v << " " << c.g.k << " " << c.g.t;
        EXPECT_EQ(r.limite, c.ottimo);
        EXPECT_TRUE(r.verifica.valida);
    }
}

TEST(Sistemi, RicercaRiproducibileENonPeggioreDellaGolosa)
{
    const Garanzia g{12, 4, 2, 2};
    const auto a = cercaCopertura(g, {30, 11});
    const auto b = cercaCopertura(g, {30, 11});
    EXPECT_EQ(a.biglietti, b.biglietti);
    EXPECT_EQ(static_cast<std::int64_t>(a.biglietti.size()), a.limite);   // C(12,4,2) = 12

    // A setting the budget cannot finish: what comes back covers, and is no larger than the greedy.
    const Garanzia difficile{20, 5, 4, 3};
    const auto golosa = coperturaGolosa(difficile);
    const auto r = cercaCopertura(difficile, {0.3, 1});
    EXPECT_LE(r.biglietti.size(), golosa.size());
    EXPECT_EQ(r.golosa, static_cast<std::int64_t>(golosa.size()));
    std::vector<int> numeri(20);
    std::iota(numeri.begin(), numeri.end(), 1);
    EXPECT_TRUE(verificaGaranzia(sistemaRidotto(numeri, difficile, r.biglietti, r.metodo)).valida);
    EXPECT_TRUE(verificaGaranzia(sistemaRidotto(numeri, difficile, golosa, "")).valida);

    // A stop requested before the start stops the greedy walk itself.
    avanzamento::Avanzamento fermo;
    fermo.ferma();
    EXPECT_THROW(cercaCopertura(difficile, {5, 1}, &fermo), avanzamento::Interrotto);
}
