// The board of the 90 numbers and the delay classes of the chart, on their own, over hand-made draws.
#include "statistics/Tabella.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace statistics;

namespace {

// 45 draws on Bari alone holding 1..5, but 90 in place of 5 in draw 32 and 88 in draw 33.
// Delays: 1..5 none, 88 twelve, 90 thirteen, every other number (89 among them) 45.
archive::Archivio quarantacinque()
{
    archive::Archivio a;
    a.NumeroEstrazioni = 45;
    for (int d = 1; d <= 45; ++d) {
        char data[48];
        std::snprintf(data, sizeof data, "%02d/%02d/2001", 1 + (d - 1) % 28, 1 + (d - 1) / 28);
        a.DateEstrazioni[static_cast<std::size_t>(d)] = data;
        for (int p = 1; p <= 5; ++p)
            a.setNumero(d, 0, p, static_cast<std::int16_t>(p == 5 && d == 32 ? 90 : p == 5 && d == 33 ? 88 : p));
    }
    return a;
}

Parametri bari(Sorte sorte = Sorte::Estratto)
{
    Parametri p;
    p.ruote[0] = true;
    p.sorte = sorte;
    return p;
}

}

TEST(Tabellone, RitardoEColoreDiOgniNumero)
{
    const auto s = calcolaStatistiche(quarantacinque(), bari());
    ASSERT_EQ(s.T(), 45);
    auto righe = righeTabellone(s);
    ASSERT_EQ(righe.size(), 9u);
    const auto casella = [&](int r, int c) { return righe[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; };
    // Texts by position: 1 at the top left, 90 at the bottom right.
    EXPECT_EQ(testoCasella(casella(0, 0)), "1 (0)");
    EXPECT_EQ(testoCasella(casella(0, 4)), "5 (0)");
    EXPECT_EQ(testoCasella(casella(0, 5)), "6 (45)");
    EXPECT_EQ(testoCasella(casella(8, 7)), "88 (12)");
    EXPECT_EQ(testoCasella(casella(8, 8)), "89 (45)");
    EXPECT_EQ(testoCasella(casella(8, 9)), "90 (13)");
    // Colours by the chance (17/18)^r of a delay of r or more: 0.504 for 12 (white), 0.476 for 13
    // (below one half), 0.076 for 45 (below one tenth).
    EXPECT_EQ(sfondoCasella(casella(0, 0)), grid::colori::Bianco);
    EXPECT_EQ(sfondoCasella(casella(8, 7)), grid::colori::Bianco);
    EXPECT_EQ(sfondoCasella(casella(8, 9)), grid::rgb(255, 250, 215));
    EXPECT_EQ(sfondoCasella(casella(8, 8)), grid::rgb(255, 225, 110));

    // Pairs have no board figure: the plain numbers, white.
    righe = righeTabellone(calcolaStatistiche(quarantacinque(), bari(Sorte::Ambo)));
    EXPECT_EQ(testoCasella(casella(8, 9)), "90");
    EXPECT_EQ(sfondoCasella(casella(8, 8)), grid::colori::Bianco);
}

TEST(Tabellone, ClassiDeiRitardiFinoAllUltimaAperta)
{
    const auto s = calcolaStatistiche(quarantacinque(), bari());
    // Chance never leaves less than half a number within 45 draws: four classes cover 0..45 in
    // steps of ceil(46 / 3) = 16, and the third, from 32, is already the last, open one.
    const auto k = distribuzioneRitardi(s, 4);
    ASSERT_EQ(k.size(), 3u);
    EXPECT_EQ(k[0].da, 0);
    EXPECT_EQ(k[0].a, 15);
    EXPECT_EQ(k[1].da, 16);
    EXPECT_EQ(k[1].a, 31);
    EXPECT_EQ(k[2].da, 32);
    EXPECT_EQ(k[2].a, -1);
    EXPECT_EQ(k[0].osservati, 7);    // 1..5, 88, 90
    EXPECT_EQ(k[1].osservati, 0);
    EXPECT_EQ(k[2].osservati, 83);   // the 83 numbers never drawn
    const double q = 17.0 / 18.0;
    EXPECT_NEAR(k[0].attesi, 90 * (1 - std::pow(q, 16)), 1e-9);
    EXPECT_NEAR(k[1].attesi, 90 * (std::pow(q, 16) - std::pow(q, 32)), 1e-9);
    EXPECT_NEAR(k[2].attesi, 90 * std::pow(q, 32), 1e-9);
}
