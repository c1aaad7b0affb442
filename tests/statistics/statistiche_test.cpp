// Delays and frequencies: hand-worked figures on a small archive, a plain reference on the demonstration
// archive, and the sums and chance checks on the real one.
#include "statistics/Statistiche.h"
#include "statistics/Tabella.h"
#include "support/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace statistics;

namespace {

constexpr int BA = 0, CA = 1, NZ = 10;

// Five draws. S = {BA, NZ}: draw 2 has neither (Cagliari only), draw 1 is before the Nazionale,
// so the counted draws are 1, 3, 4, 5 (t = 1..4) with w_t = 1, 2, 2, 2.
archive::Archivio piccolo()
{
    archive::Archivio a;
    a.NumeroEstrazioni = 5;
    const char* date[] = {"", "28/12/2004", "30/12/2004", "04/05/2005", "07/05/2005", "10/05/2005"};
    const std::vector<std::tuple<int, int, std::array<int, 5>>> ruote = {
        {1, BA, {1, 2, 3, 4, 5}},      {1, CA, {7, 8, 9, 10, 11}},   {2, CA, {1, 2, 50, 51, 52}},
        {3, BA, {20, 21, 22, 23, 29}}, {3, NZ, {2, 30, 31, 32, 33}},
        {4, BA, {24, 25, 26, 27, 28}}, {4, NZ, {50, 40, 41, 42, 43}},
        {5, BA, {50, 51, 52, 53, 1}},  {5, NZ, {50, 60, 61, 62, 63}},
    };
    for (int d = 1; d <= 5; ++d)
        a.DateEstrazioni[d] = date[d];
    for (const auto& [d, w, n] : ruote)
        for (int p = 1; p <= 5; ++p)
            a.setNumero(d, w, p, static_cast<std::int16_t>(n[p - 1]));
    return a;
}

Parametri baNz(Sorte sorte = Sorte::Estratto)
{
    Parametri p;
    p.ruote[BA] = p.ruote[NZ] = true;
    p.sorte = sorte;
    return p;
}

const Figura& numero(const Statistiche& s, int n) { return s.figure[static_cast<std::size_t>(n - 1)]; }

}

TEST(Statistiche, ValoriCalcolatiAMano)
{
    const auto a = piccolo();
    const auto s = calcolaStatistiche(a, baNz());
    ASSERT_EQ(s.T(), 4);
    EXPECT_EQ(s.contate, (std::vector<int>{1, 3, 4, 5}));
    ASSERT_EQ(s.figure.size(), 90u);

    const double q = 17.0 / 18.0;
    // Chance: 1/18 in t = 1, 1 - (17/18)^2 in the three others: 0,3796, kept whole (the table shows 0,4).
    for (const auto& f : s.figure)
        EXPECT_NEAR(f.attesa, 1.0 / 18 + 3 * (1 - q * q), 1e-12);

    struct Atteso {
        int n, ritardo, max, frequenza;
        double medio, prob;
    };
    const Atteso attesi[] = {
        // Present in the first and the last counted draw (t = 1 and 4, on Bari): gaps 0 and 2.
        {1, 0, 2, 2, 1.0, 1.0},
        // t = 1 (Bari) and t = 2 (Nazionale); Cagliari's draw 2 is not counted.
        {2, 2, 2, 2, 0.0, std::pow(q, 4)},
        // On Nazionale in t = 3, on both wheels in t = 4: two presences, not three.
        {50, 0, 2, 2, 1.0, 1.0},
        // Cagliari only: never present, the whole range is its delay.
        {7, 4, 4, 0, -1, std::pow(q, 7)},
        {90, 4, 4, 0, -1, std::pow(q, 7)},
        {20, 2, 2, 1, 1.0, std::pow(q, 4)},
        {60, 0, 3, 1, 3.0, 1.0},
    };
    for (const auto& x : attesi) {
        SCOPED_TRACE(x.n);
        const Figura& f = numero(s, x.n);
        EXPECT_EQ(f.primo, x.n);
        EXPECT_EQ(f.ritardo, x.ritardo);
        EXPECT_EQ(f.ritardoMax, x.max);
        EXPECT_EQ(f.frequenza, x.frequenza);
        EXPECT_DOUBLE_EQ(f.ritardoMedio, x.medio);
        EXPECT_NEAR(f.prob, x.prob, 1e-12);
    }

    // The table: Ritardo descending, ties by number; one decimal with a comma.
    grid::Grid g;
    scriviTabella(s, ordina(s, ColRitardo, true), 3, g);
    EXPECT_EQ(g.comeTesto("\n"), "Numero\tRitardo\tRitardoMax\tFrequenza\tAttesa\tRitardoMedio\tProb\n"
                                 "6\t4\t4\t0\t0,4\t\t0,670\n"
                                 "7\t4\t4\t0\t0,4\t\t0,670\n"
                                 "8\t4\t4\t0\t0,4\t\t0,670\n");
    EXPECT_EQ(riepilogo(a, s), "Estrazioni contate: 4 (28/12/2004 - 10/05/2005)");

    // Presences of 50: the Nazionale of draw 4, both wheels of draw 5.
    const auto p = presenze(a, s, 50);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].estrazione, 4);
    EXPECT_EQ(p[0].t, 3);
    EXPECT_EQ(p[0].ruote, (std::vector<int>{NZ}));
    EXPECT_EQ(p[1].ruote, (std::vector<int>{BA, NZ}));
    // The gaps before each: the two counted draws before t = 3, none between t = 3 and t = 4.
    EXPECT_EQ(p[0].ritardo, 2);
    EXPECT_EQ(p[1].t, 4);
    EXPECT_EQ(p[1].ritardo, 0);
    // The list the window shows: the newest first.
    const auto righe = righePresenze(a, p);
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(testoPresenza(righe[0], colPresenze::Indice), "5");
    EXPECT_EQ(testoPresenza(righe[0], colPresenze::Data), a.DateEstrazioni[5]);
    EXPECT_EQ(testoPresenza(righe[0], colPresenze::Ruote), "BA,NZ");
    EXPECT_EQ(testoPresenza(righe[1], colPresenze::Ritardo), "2");

    // The Nazionale alone before 2005 counts nothing.
    Parametri nz;
    nz.ruote[NZ] = true;
    nz.al = 2;
    EXPECT_EQ(calcolaStatistiche(a, nz).T(), 0);
}

TEST(Statistiche, AmbiSullaStessaRuota)
{
    const auto a = piccolo();
    const auto s = calcolaStatistiche(a, baNz(Sorte::Ambo));
    ASSERT_EQ(s.figure.size(), static_cast<std::size_t>(NumeroAmbi));
    const double q = 1.0 - 2.0 / 801.0;
    const auto ambo = [&](int x, int y) -> const Figura& { return s.figure[static_cast<std::size_t>(indiceAmbo(x, y))]; };
    EXPECT_EQ(ambo(1, 2).primo, 1);
    EXPECT_EQ(ambo(2, 1).secondo, 2);
    EXPECT_EQ(ambo(89, 90).primo, 89);
    EXPECT_EQ(indiceAmbo(89, 90), NumeroAmbi - 1);
    // 1-2 in t = 1 on Bari; in t = 2 the 20 is on Bari and the 2 on the Nazionale: not a presence.
    EXPECT_EQ(ambo(2, 20).frequenza, 0);
    EXPECT_EQ(ambo(1, 2).frequenza, 1);
    EXPECT_EQ(ambo(1, 2).ritardo, 3);
    EXPECT_EQ(ambo(1, 2).ritardoMax, 3);
    EXPECT_NEAR(ambo(1, 2).prob, std::pow(q, 6), 1e-12);
    // 50-51 on Bari in t = 4 (and on Cagliari in draw 2, not counted).
    EXPECT_EQ(ambo(50, 51).frequenza, 1);
    EXPECT_EQ(ambo(50, 51).ritardoMax, 3);
    EXPECT_DOUBLE_EQ(ambo(50, 51).ritardoMedio, 3.0);
    EXPECT_EQ(ambo(7, 8).frequenza, 0);
    EXPECT_NEAR(ambo(7, 8).attesa, 2.0 / 801 + 3 * (1 - (1 - 2.0 / 801) * (1 - 2.0 / 801)), 1e-12);

    grid::Grid g;
    scriviTabella(s, ordina(s, ColFrequenza, true), 2, g);
    EXPECT_EQ(g.testo(0, 0), "Ambo");
    EXPECT_EQ(g.testo(1, 0), "01-02");
    EXPECT_EQ(g.testo(2, 0), "01-03");
    EXPECT_EQ(presenze(a, s, 1, 2).size(), 1u);
}

TEST(Statistiche, DateEOrdini)
{
    const auto a = piccolo();
    EXPECT_EQ(chiaveData("4/5/2005"), 20050504);
    EXPECT_EQ(chiaveData("29/02/2004"), 20040229);
    for (const char* sbagliata : {"29/02/2005", "31/04/2005", "1/1/05", "01-01-2005", "", "01/01/2005x", "/01/2005"})
        EXPECT_FALSE(chiaveData(sbagliata)) << sbagliata;
    EXPECT_EQ(estrazioniFraDate(a, 20041229, 20050507), std::make_pair(2, 4));
    EXPECT_EQ(estrazioniFraDate(a, 0, 99999999), std::make_pair(1, 5));
    EXPECT_FALSE(estrazioniFraDate(a, 20050511, 99999999));
    EXPECT_FALSE(estrazioniFraDate(a, 20050105, 20050501));

    const auto s = calcolaStatistiche(a, baNz());
    // An empty mean sorts below every value; ties keep the numbers ascending.
    const auto medio = ordina(s, ColRitardoMedio, true);
    EXPECT_EQ(s.figure[static_cast<std::size_t>(medio.front())].primo, 51);
    EXPECT_EQ(s.figure[static_cast<std::size_t>(medio.back())].primo, 90);
    const auto numeri = ordina(s, ColNumero, false);
    EXPECT_EQ(numeri.front(), 0);
    EXPECT_EQ(numeri.back(), 89);
}

namespace {

// The definitions read literally, one number or pair at a time.
Figura riferimento(const archive::Archivio& a, const Parametri& p, int x, int y)
{
    std::vector<int> w;
    for (int d = p.dal; d <= p.al; ++d) {
        int n = 0;
        for (int r = 0; r < archive::NumeroRuote; ++r)
            n += p.ruote[static_cast<std::size_t>(r)] && a.numero(d, r, 1) != 0;
        if (n > 0)
            w.push_back(d);
    }
    Figura f;
    std::vector<double> pt;
    int ultima = 0, corsa = 0;
    double somma = 0;
    for (int t = 1; t <= static_cast<int>(w.size()); ++t) {
        const int d = w[static_cast<std::size_t>(t - 1)];
        int ruote = 0;
        bool presente = false;
        for (int r = 0; r < archive::NumeroRuote; ++r) {
            if (!p.ruote[static_cast<std::size_t>(r)] || a.numero(d, r, 1) == 0)
                continue;
            ++ruote;
            bool hx = false, hy = y == 0;
            for (int k = 1; k <= 5; ++k) {
                hx = hx || a.numero(d, r, k) == x;
                hy = hy || a.numero(d, r, k) == y;
            }
            presente = presente || (hx && hy);
        }
        pt.push_back(y == 0 ? 1 - std::pow(17.0 / 18, ruote) : 1 - std::pow(799.0 / 801, ruote));
        f.attesa += pt.back();
        if (presente) {
            somma += t - ultima - 1;
            ultima = t;
            ++f.frequenza;
            corsa = 0;
        } else {
            f.ritardoMax = std::max(f.ritardoMax, ++corsa);
        }
    }
    f.ritardo = static_cast<int>(w.size()) - ultima;
    f.ritardoMedio = f.frequenza ? somma / f.frequenza : -1;
    for (int k = 0; k < f.ritardo; ++k)
        f.prob *= 1 - pt[pt.size() - 1 - static_cast<std::size_t>(k)];
    return f;
}

}

TEST(Statistiche, ComeLaDefinizioneSullArchivioDimostrativo)
{
    const auto& a = testsupport::archivioDimostrativo();
    std::mt19937 caso(7);
    for (int prova = 0; prova < 12; ++prova) {
        Parametri p;
        for (auto& r : p.ruote)
            r = caso() % 3 == 0;
        p.ruote[caso() % 11] = true;
        p.sorte = prova % 2 ? Sorte::Ambo : Sorte::Estratto;
        p.dal = 1 + static_cast<int>(caso() % static_cast<unsigned>(a.NumeroEstrazioni));
        p.al = p.dal + static_cast<int>(caso() % 2000);
        p.al = std::min(p.al, a.NumeroEstrazioni);
        const auto s = calcolaStatistiche(a, p);
        for (int k = 0; k < 40; ++k) {
            const int x = 1 + static_cast<int>(caso() % 89);
            const int y = p.sorte == Sorte::Ambo ? x + 1 + static_cast<int>(caso() % static_cast<unsigned>(90 - x)) : 0;
            const Figura& f = y ? s.figure[static_cast<std::size_t>(indiceAmbo(x, y))] : s.figure[static_cast<std::size_t>(x - 1)];
            const Figura r = riferimento(a, p, x, y);
            SCOPED_TRACE(std::to_string(prova) + ": " + std::to_string(x) + "-" + std::to_string(y));
            EXPECT_EQ(f.frequenza, r.frequenza);
            EXPECT_EQ(f.ritardo, r.ritardo);
            EXPECT_EQ(f.ritardoMax, r.ritardoMax);
            EXPECT_NEAR(f.attesa, r.attesa, 1e-9);
            EXPECT_NEAR(f.ritardoMedio, r.ritardoMedio, 1e-9);
            EXPECT_NEAR(f.prob, r.prob, 1e-9);
        }
    }
}

namespace {

// On one archive: the frequencies of one wheel sum to five a drawn draw, and over all the wheels the
// mean frequency of the numbers and of the pairs stays within three standard errors of the mean Attesa.
void sommeECaso(const archive::Archivio& a)
{
    for (int w : {0, 1, 10}) {
        Parametri p;
        p.ruote[static_cast<std::size_t>(w)] = true;
        const auto s = calcolaStatistiche(a, p);
        int estratte = 0;
        for (int d = 1; d <= a.NumeroEstrazioni; ++d)
            estratte += a.numero(d, w, 1) != 0;
        long somma = 0;
        for (const auto& f : s.figure)
            somma += f.frequenza;
        EXPECT_EQ(s.T(), estratte) << w;
        EXPECT_EQ(somma, 5L * estratte) << w;
    }
    for (Sorte sorte : {Sorte::Estratto, Sorte::Ambo}) {
        Parametri p;
        p.ruote.fill(true);
        p.sorte = sorte;
        const auto s = calcolaStatistiche(a, p);
        ASSERT_GT(s.T(), 1000);
        double attesa = 0, varianza = 0;
        for (std::uint8_t w : s.ruoteEstratte) {
            const double pt = probabilitaPresenza(sorte, w);
            attesa += pt;
            varianza += pt * (1 - pt);
        }
        double media = 0;
        for (const auto& f : s.figure)
            media += f.frequenza;
        media /= static_cast<double>(s.figure.size());
        const double errore = std::sqrt(varianza / static_cast<double>(s.figure.size()));
        EXPECT_NEAR(media, attesa, 3 * errore) << (sorte == Sorte::Ambo ? "ambo" : "estratto");
        EXPECT_NEAR(s.figure[0].attesa, attesa, 0.05);

        // The chart's classes hold every number once and chance's counts add up to 90.
        if (sorte == Sorte::Estratto) {
            const auto classi = distribuzioneRitardi(s);
            int osservati = 0;
            double attesi = 0;
            for (const auto& c : classi) {
                osservati += c.osservati;
                attesi += c.attesi;
            }
            EXPECT_EQ(osservati, 90);
            EXPECT_NEAR(attesi, 90.0, 1e-6);
            EXPECT_EQ(classi.back().a, -1);
        }
    }
}

}

TEST(Statistiche, SommeECasoSullArchivioDimostrativo) { sommeECaso(testsupport::archivioDimostrativo()); }

TEST(Statistiche, SommeECasoSullArchivioReale)
{
    const archive::Archivio* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non trovato (VELMORA_STORICO)";
    sommeECaso(*a);
}

// The figures are kept whole; a one-decimal column shows them rounded half away from zero and sorts
// on what it shows, so that 1,04 and 0,96 read "1,0" alike and keep the order of their numbers.
TEST(Statistiche, ColonneAUnDecimaleOrdinateSulValoreMostrato)
{
    Statistiche s;
    s.parametri.sorte = Sorte::Estratto;
    const double medi[] = {1.04, 0.96, 0.25, -1, 1.06};
    for (int n = 1; n <= 5; ++n) {
        Figura f;
        f.primo = n;
        f.ritardoMedio = medi[n - 1];
        f.attesa = 0.38;
        s.figure.push_back(f);
    }
    EXPECT_EQ(ordina(s, ColRitardoMedio, true), (std::vector<int>{4, 0, 1, 2, 3}));
    EXPECT_EQ(ordina(s, ColRitardoMedio, false), (std::vector<int>{3, 2, 0, 1, 4}));
    grid::Grid g;
    scriviTabella(s, {0, 1, 2, 3}, 0, g);
    EXPECT_EQ(g.testo(1, ColRitardoMedio), "1,0");
    EXPECT_EQ(g.testo(2, ColRitardoMedio), "1,0");
    EXPECT_EQ(g.testo(3, ColRitardoMedio), "0,3");   // a half goes up, as printf's "%.1f" of 0.25 would not
    EXPECT_EQ(g.testo(4, ColRitardoMedio), "");
    EXPECT_EQ(g.testo(1, ColAttesa), "0,4");
    EXPECT_DOUBLE_EQ(s.figure[0].ritardoMedio, 1.04);
}
