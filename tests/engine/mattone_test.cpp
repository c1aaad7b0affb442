// A brick's cells as text and back: what the grids show, the saved configurations keep and a typed cell gives.
#include "engine/Formula.h"
#include "engine/Mattone.h"
#include "engine/Piramide.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace engine;

TEST(Mattone, OgniCellaTornaComeLaSiScrive)
{
    Mattone m;
    m.numero = 9;
    m.riga = 4;
    m.posto = 3;
    const std::array<std::pair<int, std::string>, 9> celle = {{{colF::Tras, "SOM"},
                                                              {colF::Tipo, "2"},
                                                              {colF::E1, "1"},
                                                              {colF::R1, "0"},
                                                              {colF::RU1, "BA"},
                                                              {colF::E2, "5"},
                                                              {colF::R2, "10"},
                                                              {colF::RU2, "NZ"},
                                                              {colF::VAL, "0"}}};
    for (const auto& [c, testo] : celle) {
        impostaCella(m, c, testo);
        EXPECT_EQ(testoMattone(m, c), testo) << c;
    }
    EXPECT_EQ(testoMattone(m, colF::Riga), "9");
    EXPECT_EQ(testoMattone(m, colF::Ri), "4");
    EXPECT_EQ(testoMattone(m, colF::Co), "3");
    // A zero is a cell with 0 in it, not an empty one; emptied cells read as nothing.
    EXPECT_EQ(m.valore, 0);
    for (const auto& [c, testo] : celle) {
        impostaCella(m, c, "");
        EXPECT_EQ(testoMattone(m, c), "") << c;
    }
    EXPECT_EQ(m.valore, std::nullopt);
    // The number and the place are the brick's own: no text moves them.
    impostaCella(m, colF::Riga, "3");
    impostaCella(m, colF::Ri, "1");
    EXPECT_EQ(m.numero, 9);
    EXPECT_EQ(m.riga, 4);
    EXPECT_EQ(testoMattone(m, 99), "");
}

TEST(Mattone, UnTestoNumericoSiLeggeComeLaGrigliaLoLeggeva)
{
    Mattone m;
    impostaCella(m, colF::Tipo, "3.7");
    EXPECT_EQ(m.tipo, 3);
    impostaCella(m, colF::R1, "99999999999999999999");
    EXPECT_EQ(m.R1, std::numeric_limits<int>::max());   // held, never wrapped: the evaluation refuses it
    impostaCella(m, colF::R2, "-99999999999999999999");
    EXPECT_EQ(m.R2, std::numeric_limits<int>::min());
    impostaCella(m, colF::E1, "abc");
    EXPECT_EQ(m.E1, 0);
}

TEST(Mattone, SvuotareECopiareLascianoIlPosto)
{
    Mattone da, a;
    da.numero = 2;
    da.riga = 2;
    da.posto = 1;
    scriviMattone(da, Formula{"DIFF", 7, 1, 3, 2, 5, 40});
    a.numero = 14;
    a.riga = 5;
    a.posto = 4;
    a.copiaFormula(da);
    EXPECT_EQ(a.numero, 14);
    EXPECT_EQ(a.posto, 4);
    EXPECT_EQ(testoMattone(a, colF::RU2), "NA");
    EXPECT_EQ(leggiMattone(a).valore, 40);
    a.svuota();
    EXPECT_TRUE(a.vuoto());
    EXPECT_EQ(a, (Mattone{14, 5, 4, "", {}, {}, {}, "", {}, {}, "", {}}));
}

}
