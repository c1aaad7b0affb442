// Numeri spia and the law of thirds: hand-worked values on an eight-draw archive, the exact law's
// mean for every cycle, and a plain second computation of the spy table on the real archive.
#include "statistics/Probabilita.h"
#include "statistics/Spia.h"
#include "statistics/Terzo.h"
#include "support/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace statistics;

namespace {

constexpr int BA = 0, CA = 1;

// Spy 1 on Bari comes out in draws 1, 3, 6 and 8. With C = 2: draw 3 falls in the colpi of draw 1
// (2..3), draw 8 has one colpo only in the archive. Cagliari is not drawn in draw 3.
archive::Archivio piccolo()
{
    archive::Archivio a;
    a.NumeroEstrazioni = 8;
    const std::vector<std::tuple<int, int, std::array<int, 5>>> ruote = {
        {1, BA, {1, 2, 3, 4, 5}},      {1, CA, {6, 7, 8, 9, 10}},
        {2, BA, {50, 12, 13, 14, 15}}, {2, CA, {16, 17, 18, 19, 20}},
        {3, BA, {1, 50, 22, 23, 24}},
        {4, BA, {30, 31, 32, 33, 34}}, {4, CA, {35, 36, 37, 38, 39}},
        {5, BA, {40, 41, 42, 43, 44}}, {5, CA, {45, 46, 47, 48, 49}},
        {6, BA, {1, 61, 62, 63, 64}},  {6, CA, {65, 66, 67, 68, 69}},
        {7, BA, {70, 71, 72, 73, 74}}, {7, CA, {75, 76, 77, 78, 79}},
        {8, BA, {1, 81, 82, 83, 84}},  {8, CA, {50, 86, 87, 88, 89}},
    };
    const char* date[] = {"", "02/01/2020", "04/01/2020", "07/01/2020", "09/01/2020",
                          "11/01/2020", "14/01/2020", "16/01/2020", "18/01/2020"};
    for (int d = 1; d <= 8; ++d)
        a.DateEstrazioni[d] = date[d];
    for (const auto& [d, w, n] : ruote)
        for (int p = 1; p <= 5; ++p)
            a.setNumero(d, w, p, static_cast<std::int16_t>(n[p - 1]));
    return a;
}

ParametriSpia spiaUno(bool sovrapposte)
{
    ParametriSpia p;
    p.spia = 1;
    p.ruotaSpia = BA;
    p.ruote[BA] = p.ruote[CA] = true;
    p.colpi = 2;
    p.sovrapposte = sovrapposte;
    return p;
}

const RigaSpia& riga(const EsitoSpia& e, int n) { return e.righe[static_cast<std::size_t>(n - 1)]; }

// One wheel draw misses a number with chance 17/18.
double chance(int ruote) { return 1.0 - std::pow(17.0 / 18.0, ruote); }

}

TEST(Spia, PresenzeSaltateEscluseEConteggiFattiAMano)
{
    const auto a = piccolo();
    // Colpi of draw 1: draw 2 (two wheels) and draw 3 (Bari only): 3 wheel draws.
    // Colpi of draw 6: draws 7 and 8, both wheels: 4. Draw 8 is left out (one colpo in the archive).
    const double p1 = chance(3), p6 = chance(4), p3 = chance(4);

    const auto e = calcolaSpia(a, spiaUno(false));
    EXPECT_EQ(e.presenze, (std::vector<int>{1, 6}));
    EXPECT_EQ(e.saltate, 1);
    EXPECT_EQ(e.censurate, 1);
    ASSERT_EQ(e.righe.size(), 90u);
    // 50 comes out twice in the colpi of draw 1 (counted once) and in draw 8 after draw 6.
    EXPECT_EQ(riga(e, 50).presenze, 2);
    EXPECT_EQ(riga(e, 50).uscite, 2);
    EXPECT_NEAR(riga(e, 50).attese, p1 + p6, 1e-12);
    EXPECT_NEAR(riga(e, 50).rapporto, 2 / (p1 + p6), 1e-12);
    EXPECT_NEAR(riga(e, 50).p, p1 * p6, 1e-12);
    // 22 follows draw 1 only; 30 comes after draw 3 only, which this rule skips; 2 is in the spy's own draw.
    EXPECT_EQ(riga(e, 22).uscite, 1);
    EXPECT_NEAR(riga(e, 22).p, 1 - (1 - p1) * (1 - p6), 1e-12);
    EXPECT_EQ(riga(e, 30).uscite, 0);
    EXPECT_DOUBLE_EQ(riga(e, 30).p, 1.0);
    EXPECT_EQ(riga(e, 2).uscite, 0);
    EXPECT_EQ(riga(e, 1).uscite, 2);
    // p by class: 1 and 50 follow both (p1 p6, first class); 14 + 20 - 2 distinct followers once at
    // p1 + p6 - p1 p6 = 0,33; the other 58 at 1.
    EXPECT_EQ(e.classiP[0].osservati, 2);
    EXPECT_NEAR(e.classiP[0].attesi, 90 * p1 * p6, 1e-9);
    EXPECT_EQ(e.classiP[6].osservati, 30);
    EXPECT_NEAR(e.classiP[6].attesi, 90 * (p1 * (1 - p6) + p6 * (1 - p1)), 1e-9);
    EXPECT_EQ(e.classiP[ClassiP - 1].osservati, 58);

    const auto s = calcolaSpia(a, spiaUno(true));
    EXPECT_EQ(s.presenze, (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(s.saltate, 0);
    EXPECT_EQ(s.censurate, 1);
    EXPECT_EQ(riga(s, 50).uscite, 2);
    EXPECT_NEAR(riga(s, 50).attese, p1 + p3 + p6, 1e-12);
    // At least two of three: the three pairs, less twice the three together.
    EXPECT_NEAR(riga(s, 50).p, p1 * p3 + p1 * p6 + p3 * p6 - 2 * p1 * p3 * p6, 1e-12);
    EXPECT_EQ(riga(s, 30).uscite, 1);
}

TEST(Spia, IntervalloColpiOltreAlEAmboSpia)
{
    const auto a = piccolo();
    // The colpi may run past "Al": up to draw 6 the same presences as the whole archive.
    auto p = spiaUno(false);
    p.al = 6;
    EXPECT_EQ(calcolaSpia(a, p).presenze, (std::vector<int>{1, 6}));
    EXPECT_EQ(calcolaSpia(a, p).censurate, 0);
    p.al = 5;
    p.dal = 2;
    EXPECT_EQ(calcolaSpia(a, p).presenze, (std::vector<int>{3}));
    // The pair 1-50 is on Bari in draw 3 only; its colpi 4 and 5 hold 30.
    p = spiaUno(false);
    p.spia2 = 50;
    const auto e = calcolaSpia(a, p);
    EXPECT_EQ(e.presenze, (std::vector<int>{3}));
    EXPECT_EQ(riga(e, 30).uscite, 1);
    EXPECT_EQ(testoSpia(p), "01-50");
    // Followers on Cagliari alone: the colpi of draw 1 hold one wheel draw, 50 is not there.
    p = spiaUno(false);
    p.ruote = {};
    p.ruote[CA] = true;
    const auto c = calcolaSpia(a, p);
    EXPECT_NEAR(riga(c, 50).attese, chance(1) + chance(2), 1e-12);
    EXPECT_EQ(riga(c, 50).uscite, 1);
}

TEST(Spia, SeguitiElencaIlPrimoColpo)
{
    const auto a = piccolo();
    const auto e = calcolaSpia(a, spiaUno(false));
    const auto s = seguiti(a, e, 50);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].presenza, 1);
    EXPECT_EQ(s[0].estrazione, 2);
    EXPECT_EQ(s[0].colpo, 1);
    EXPECT_EQ(s[0].ruote, (std::vector<int>{BA}));
    EXPECT_EQ(s[1].estrazione, 8);
    EXPECT_EQ(s[1].colpo, 2);
    EXPECT_EQ(s[1].ruote, (std::vector<int>{CA}));
    EXPECT_TRUE(seguiti(a, e, 90).empty());
    // The list's rows, the newest first, and the text of their cells as the grid writer puts them.
    auto pi = s;
    pi[0].ruote = {BA, CA};
    const auto righe = righeSeguiti(a, pi);
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(testoSeguito(righe[0], SegEstrazione), "8");
    EXPECT_EQ(testoSeguito(righe[0], SegColpo), "2");
    EXPECT_EQ(testoSeguito(righe[1], SegRuote), "BA,CA");
    EXPECT_EQ(testoSeguito(righe[1], SegDataPresenza), a.DateEstrazioni[1]);
    EXPECT_EQ(testoSeguito(righe[1], SegData), a.DateEstrazioni[2]);
    grid::Grid g;
    scriviSeguiti(a, pi, g);
    EXPECT_EQ(g.righe(), 3);
    EXPECT_EQ(g.testo(2, SegRuote), "BA,CA");
    EXPECT_EQ(g.testo(1, SegPresenza), testoSeguito(righe[0], SegPresenza));
}

TEST(Spia, OrdinaPerColonna)
{
    std::vector<RigaSpia> r = {{1, 5, 3, 2, 1.0, 2.0, 0.2, 0.4}, {2, 3, 3, 1, 1.0, 1.0, 0.5, 0.5}, {1, 4, 3, 2, 1.0, 2.0, 0.2, 0.4}};
    const auto numeri = [&] {
        std::vector<int> n;
        for (const auto& x : r)
            n.push_back(x.spia * 100 + x.numero);
        return n;
    };
    // The scan's columns are one place to the right: column 1 is the follower, 6 the Rapporto... of the table.
    ordinaSpia(r, ColSpiaP, false, false);
    EXPECT_EQ(numeri(), (std::vector<int>{104, 105, 203}));
    ordinaSpia(r, ColSpiaUscite + 1, true, false);
    EXPECT_EQ(numeri(), (std::vector<int>{203, 104, 105}));
    ordinaSpia(r, 0, true, true);
    EXPECT_EQ(numeri(), (std::vector<int>{203, 104, 105}));
    ordinaSpia(r, ColSpiaNumero, false, true);
    EXPECT_EQ(numeri(), (std::vector<int>{105, 104, 203}));
}

TEST(Probabilita, ValoriQBenjaminiHochberg)
{
    // Sorted 0,01 0,03 0,04 0,2: m p / j = 0,04 0,06 0,0533 0,2, then the running minimum from the top.
    const auto q = valoriQ({0.01, 0.04, 0.03, 0.2});
    ASSERT_EQ(q.size(), 4u);
    EXPECT_NEAR(q[0], 0.04, 1e-12);
    EXPECT_NEAR(q[1], 0.16 / 3, 1e-12);
    EXPECT_NEAR(q[2], 0.16 / 3, 1e-12);
    EXPECT_NEAR(q[3], 0.2, 1e-12);
    // Large values never pass 1 and never fall below the largest p.
    EXPECT_EQ(valoriQ({0.5, 0.9, 0.9}), (std::vector<double>{0.9, 0.9, 0.9}));
    EXPECT_EQ(valoriQ({0.6, 1.0}), (std::vector<double>{1.0, 1.0}));
    EXPECT_TRUE(valoriQ({}).empty());
    // The tails summed from the far end.
    const auto c = code({0.25, 0.5, 0.25});
    EXPECT_EQ(c, (std::vector<double>{1.0, 0.75, 0.25, 0.0}));
}

TEST(Terzo, LeggeAssentiPerUnaEDueEstrazioni)
{
    const auto uno = leggeAssenti(1);
    ASSERT_EQ(uno.size(), 91u);
    EXPECT_DOUBLE_EQ(uno[85], 1.0);
    // Two draws: the second brings j new numbers out of the 85 unseen, C(85,j) C(5,5-j) / C(90,5).
    const double tutte = 43949268;
    const auto due = leggeAssenti(2);
    EXPECT_NEAR(due[80], 32801517 / tutte, 1e-14);
    EXPECT_NEAR(due[81], 10123925 / tutte, 1e-14);
    EXPECT_NEAR(due[82], 987700 / tutte, 1e-14);
    EXPECT_NEAR(due[83], 35700 / tutte, 1e-14);
    EXPECT_NEAR(due[84], 425 / tutte, 1e-14);
    EXPECT_NEAR(due[85], 1 / tutte, 1e-16);
    EXPECT_EQ(due[79], 0.0);
    for (int n = 1; n <= 36; ++n) {
        const auto legge = leggeAssenti(n);
        double somma = 0, media = 0;
        for (int k = 0; k <= 90; ++k) {
            somma += legge[static_cast<std::size_t>(k)];
            media += k * legge[static_cast<std::size_t>(k)];
        }
        EXPECT_NEAR(somma, 1.0, 1e-12) << n;
        EXPECT_NEAR(media, 90 * std::pow(85.0 / 90.0, n), 1e-9) << n;
    }
}

TEST(Terzo, UltimoCicloEDistribuzioneFattiAMano)
{
    const auto a = piccolo();
    Ruote ruote{};
    ruote[BA] = ruote[CA] = true;
    // Up to draw 4: Bari's cycle is draws 3-4, Cagliari's 2 and 4 (not drawn in 3).
    const auto cicli = ultimiCicli(a, ruote, 2, 4);
    ASSERT_EQ(cicli.size(), 2u);
    EXPECT_EQ(cicli[0].prima, 3);
    EXPECT_EQ(cicli[0].usciti, 10);
    EXPECT_EQ(cicli[1].prima, 2);
    EXPECT_EQ(cicli[1].ultima, 4);
    EXPECT_EQ(cicli[1].assenti, 80);
    EXPECT_TRUE(cicli[1].uscito[16]);
    EXPECT_FALSE(cicli[1].uscito[6]);
    EXPECT_NEAR(cicli[1].attesiAssenti, 90 * std::pow(85.0 / 90.0, 2), 1e-12);
    // Bari 1-2 and 3 share 50: of its seven spans one has 81 absent; Cagliari's six all have 80.
    const auto d = distribuzioneAssenti(a, ruote, 2, 1, 0);
    EXPECT_EQ(d.cicli, 13);
    EXPECT_EQ(d.classi[80].osservati, 12);
    EXPECT_EQ(d.classi[81].osservati, 1);
    EXPECT_NEAR(d.classi[81].attesi, 13 * 10123925 / 43949268.0, 1e-12);
    EXPECT_NEAR(d.mediaOsservata, (12 * 80 + 81) / 13.0, 1e-12);
    EXPECT_EQ(classiDaMostrare(d), std::make_pair(80, 82));

    // The rows the tables show and the text of their cells, which the grid writers share.
    EXPECT_TRUE(righeCicli(cicli, 3).empty());
    const auto righe = righeCicli(cicli, 2, &a);
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(testoCiclo(righe[1], colCicli::Ruota), "CA");
    EXPECT_EQ(testoCiclo(righe[1], colCicli::Assenti), "80");
    EXPECT_EQ(testoCiclo(righe[1], colCicli::AttesiAssenti), "80,3");
    EXPECT_EQ(testoCiclo(righe[1], colCicli::Dal), a.DateEstrazioni[2]);
    EXPECT_EQ(testoCiclo(righe[1], colCicli::Al), a.DateEstrazioni[4]);
    const auto numeri = testoCiclo(righe[1], colCicli::NumeriAssenti);
    EXPECT_EQ(std::count(numeri.begin(), numeri.end(), ' '), 79);
    EXPECT_NE(numeri.find("06"), std::string::npos);
    EXPECT_EQ(numeri.find("16"), std::string::npos);
    EXPECT_TRUE(testoCiclo(righeCicli(cicli, 2)[0], colCicli::Dal).empty());
    const auto classi = classiMostrate(d);
    ASSERT_EQ(classi.size(), 3u);
    EXPECT_EQ(testoClasse(classi[1], colDistribuzione::Assenti), "81");
    EXPECT_EQ(testoClasse(classi[1], colDistribuzione::Osservati), "1");
    grid::Grid g;
    scriviDistribuzione(d, g);
    EXPECT_EQ(g.testo(2, 0) + "|" + g.testo(2, 1) + "|" + g.testo(2, 2), "81|1|" + testoClasse(classi[1], colDistribuzione::Attesi));
    scriviCicli(cicli, 2, g, &a);
    EXPECT_EQ(g.testo(2, 6), numeri);
}

namespace {

// The spy table as its definition reads, in straight loops over the draws: each follower walks
// the presences and their colpi on its own, and its p comes from a table of all the trials.
std::vector<RigaSpia> tabellaPiana(const archive::Archivio& a, const ParametriSpia& p)
{
    const int al = p.al <= 0 ? a.NumeroEstrazioni : p.al;
    const auto su = [&](int d, int w, int n) {
        for (int k = 1; k <= 5; ++k)
            if (a.numero(d, w, k) == n)
                return true;
        return false;
    };
    std::vector<RigaSpia> righe;
    for (int y = 1; y <= 90; ++y) {
        RigaSpia r;
        r.numero = y;
        std::vector<double> prob;
        int ultima = -1000;
        for (int d = p.dal; d <= al; ++d) {
            if (!su(d, p.ruotaSpia, p.spia) || (p.spia2 != 0 && !su(d, p.ruotaSpia, p.spia2)))
                continue;
            if (d + p.colpi > a.NumeroEstrazioni || (!p.sovrapposte && d - ultima <= p.colpi))
                continue;
            ultima = d;
            int ruote = 0;
            bool uscito = false;
            for (int c = 1; c <= p.colpi; ++c)
                for (int w = 0; w < archive::NumeroRuote; ++w)
                    if (p.ruote[static_cast<std::size_t>(w)] && a.numero(d + c, w, 1) != 0) {
                        ++ruote;
                        uscito = uscito || su(d + c, w, y);
                    }
            prob.push_back(1 - std::pow(17.0 / 18.0, ruote));
            r.attese += prob.back();
            r.uscite += uscito;
            ++r.presenze;
        }
        // P[i][k]: k successes among the first i trials.
        std::vector<std::vector<double>> t(prob.size() + 1, std::vector<double>(prob.size() + 1, 0.0));
        t[0][0] = 1;
        for (std::size_t i = 1; i <= prob.size(); ++i)
            for (std::size_t k = 0; k <= i; ++k)
                t[i][k] = t[i - 1][k] * (1 - prob[i - 1]) + (k > 0 ? t[i - 1][k - 1] * prob[i - 1] : 0.0);
        r.p = 0;
        for (std::size_t k = static_cast<std::size_t>(r.uscite); k <= prob.size(); ++k)
            r.p += t[prob.size()][k];
        righe.push_back(r);
    }
    // q: for each p, the smallest m p_j / rank_j over the p_j not below it.
    for (auto& r : righe) {
        r.q = 1;
        for (const auto& s : righe) {
            if (s.p < r.p)
                continue;
            const auto rango = std::count_if(righe.begin(), righe.end(), [&](const RigaSpia& x) { return x.p <= s.p; });
            r.q = std::min(r.q, s.p * 90.0 / static_cast<double>(rango));
        }
    }
    return righe;
}

void comeLaTabellaPiana(const archive::Archivio& a, unsigned seme)
{
    std::mt19937 gen(seme);
    const auto tra = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    for (int prova = 0; prova < 12; ++prova) {
        ParametriSpia p;
        p.spia = tra(1, 90);
        p.spia2 = prova % 4 == 3 ? (p.spia % 90) + 1 : 0;
        p.ruotaSpia = tra(0, archive::NumeroRuote - 1);
        for (auto& w : p.ruote)
            w = tra(0, 2) == 0;
        p.ruote[static_cast<std::size_t>(tra(0, archive::NumeroRuote - 1))] = true;
        p.colpi = tra(1, ColpiSpiaMax);
        p.dal = tra(1, a.NumeroEstrazioni / 2);
        p.al = tra(p.dal, a.NumeroEstrazioni);
        p.sovrapposte = tra(0, 1) == 1;
        const auto e = calcolaSpia(a, p);
        const auto piana = tabellaPiana(a, p);
        for (int y = 1; y <= 90; ++y) {
            const auto& f = riga(e, y);
            const auto& r = piana[static_cast<std::size_t>(y - 1)];
            SCOPED_TRACE("prova " + std::to_string(prova) + ", numero " + std::to_string(y));
            ASSERT_EQ(f.presenze, r.presenze);
            ASSERT_EQ(f.uscite, r.uscite);
            ASSERT_NEAR(f.attese, r.attese, 1e-9);
            ASSERT_NEAR(f.p, r.p, 1e-9 + 1e-9 * r.p);
            ASSERT_NEAR(f.q, r.q, 1e-9);
        }
    }
}

}

TEST(Spia, ComeLaTabellaPianaSullArchivioDimostrativo) { comeLaTabellaPiana(testsupport::archivioDimostrativo(), 38); }

TEST(Spia, ComeLaTabellaPianaSullArchivioReale)
{
    const archive::Archivio* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non trovato (VELMORA_STORICO)";
    comeLaTabellaPiana(*a, 2026);
}

TEST(Spia, ScansioneSullArchivioReale)
{
    const archive::Archivio* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non trovato (VELMORA_STORICO)";
    ParametriSpia p;
    p.ruotaSpia = BA;
    p.ruote[BA] = true;
    const auto s = scansioneSpie(*a, p);
    ASSERT_EQ(s.righe.size(), 8100u);
    double attesi = 0;
    int osservati = 0;
    for (const auto& c : s.classiP) {
        attesi += c.attesi;
        osservati += c.osservati;
    }
    EXPECT_NEAR(attesi, 8100, 1e-6);
    EXPECT_EQ(osservati, 8100);
    for (std::size_t i = 1; i < s.righe.size(); ++i)
        ASSERT_LE(s.righe[i - 1].q, s.righe[i].q);
    // Each spy's rows are its own table; the q differ, over 8,100 tests instead of 90.
    p.spia = s.righe.front().spia;
    const auto e = calcolaSpia(*a, p);
    const auto& r = riga(e, s.righe.front().numero);
    EXPECT_EQ(r.uscite, s.righe.front().uscite);
    EXPECT_DOUBLE_EQ(r.p, s.righe.front().p);
    EXPECT_GE(s.righe.front().q, r.q);
    // The absent counts of the real wheels average what chance gives.
    Ruote tutte;
    tutte.fill(true);
    const auto d = distribuzioneAssenti(*a, tutte, CicloTeorico, 1, 0);
    EXPECT_GT(d.cicli, 50000);
    EXPECT_NEAR(d.mediaOsservata, d.mediaAttesa, 0.1);
}
