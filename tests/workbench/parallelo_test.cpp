// The kept threads of a long replay: every item once per loop, loop after loop, and a failure brought back.
#include "workbench/Parallelo.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using workbench::Squadra;

TEST(Squadra, OgniElementoUnaVoltaPerGiroEDopoUnErrore)
{
    Squadra squadra(3);
    std::vector<int> volte(200, 0);
    for (int giro = 1; giro <= 500; ++giro) {
        squadra.perOgni(static_cast<int>(volte.size()), [&](int i) { ++volte[static_cast<std::size_t>(i)]; });
        // The loop returns only once every item is done: each one counted exactly `giro` times.
        for (std::size_t i = 0; i < volte.size(); ++i)
            ASSERT_EQ(volte[i], giro) << "elemento " << i << ", giro " << giro;
    }

    // An exception of one item comes back to the caller, after which the threads serve the next loop.
    EXPECT_THROW(squadra.perOgni(50, [](int i) {
        if (i == 7)
            throw std::runtime_error("elemento 7");
    }),
                 std::runtime_error);
    std::vector<int> dopo(50, 0);
    squadra.perOgni(50, [&](int i) { dopo[static_cast<std::size_t>(i)] = i + 1; });
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(dopo[static_cast<std::size_t>(i)], i + 1);

    // A loop of nothing, and one thread alone (no helpers), still work.
    squadra.perOgni(0, [](int) { FAIL(); });
    Squadra sola(1);
    int somma = 0;
    sola.perOgni(10, [&](int i) { somma += i; });
    EXPECT_EQ(somma, 45);
}
