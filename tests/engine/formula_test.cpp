// The formula's conversions: the evaluator's fields and the brick rows, for every class.
#include "engine/Formula.h"

#include "engine/Piramide.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

// One formula of each class, every field distinct so that a swapped pair shows.
const Formula Formule[] = {
    {"DEC", 1, 2, 3, 0, 0, 0},  {"SOM", 2, 1, 4, 5, 10, 0}, {"FIX", 3, 3, 9, 0, 0, 17},
    {"NUM", 4, 0, 0, 0, 0, 44}, {"NUM", 5, 4, 7, 0, 0, 6},  {"MAG5", 6, 0, 8, 0, 0, 0},
    {"SOM+", 7, 5, 1, 2, 6, 89},
};

void uguali(const Formula& a, const Formula& b)
{
    EXPECT_EQ(a.codice, b.codice);
    EXPECT_EQ(a.tipo, b.tipo) << a.codice;
    EXPECT_EQ(a.P1, b.P1) << a.codice;
    EXPECT_EQ(a.R1, b.R1) << a.codice;
    EXPECT_EQ(a.P2, b.P2) << a.codice;
    EXPECT_EQ(a.R2, b.R2) << a.codice;
    EXPECT_EQ(a.valore, b.valore) << a.codice;
}


Mattone& mt(std::vector<Mattone>& v, int m) { return v.at(static_cast<std::size_t>(m - 1)); }

}

TEST(Formula, AndataERitornoPerICampiELaRigaDelMattone)
{
    std::vector<Mattone> FgF(15);
    for (const auto& f : Formule) {
        const CampiOperatore c = campiDi(f);
        EXPECT_EQ(c.CodiceOperatore, f.codice);
        // Class 4 hands its number over as N1; every other class as ValoreFisso.
        EXPECT_EQ(c.N1, f.tipo == 4 ? f.valore : 0) << f.codice;
        EXPECT_EQ(c.ValoreFisso, f.tipo == 4 ? 0 : f.valore) << f.codice;
        uguali(formulaDi(c, f.tipo), f);

        mt(FgF, 9).riga = 4;
        scriviMattone(mt(FgF, 9), f);
        uguali(leggiMattone(mt(FgF, 9)), f);
        EXPECT_EQ(engine::testoMattone(mt(FgF, 9), colF::Ri), "4");   // the brick's place stays
    }
}

TEST(Formula, IlMattoneMostraSoloIParametriDellaClasse)
{
    std::vector<Mattone> FgF(15);
    scriviMattone(mt(FgF, 1), Formule[6]);   // class 7: everything, wheels by name too
    EXPECT_EQ(engine::testoMattone(mt(FgF, 1), colF::RU1), "CA");
    EXPECT_EQ(engine::testoMattone(mt(FgF, 1), colF::RU2), "PA");
    scriviMattone(mt(FgF, 1), Formule[3]);   // class 4 over it: only its number is left
    for (int c : {colF::E1, colF::R1, colF::RU1, colF::E2, colF::R2, colF::RU2})
        EXPECT_EQ(engine::testoMattone(mt(FgF, 1), c), "") << c;
    EXPECT_EQ(engine::testoMattone(mt(FgF, 1), colF::VAL), "44");
    scriviMattone(mt(FgF, 1), Formule[5]);   // class 6: the wheel alone
    EXPECT_EQ(engine::testoMattone(mt(FgF, 1), colF::E1), "");
    EXPECT_EQ(engine::testoMattone(mt(FgF, 1), colF::R1), "8");
    EXPECT_EQ(engine::testoMattone(mt(FgF, 1), colF::RU1), "TO");
    EXPECT_EQ(engine::testoMattone(mt(FgF, 1), colF::VAL), "");

    // A typed abbreviation wins over the index; one that names no wheel is refused.
    mt(FgF, 1).RU1 = "na";
    EXPECT_EQ(leggiMattone(mt(FgF, 1)).R1, 5);
    mt(FgF, 1).RU1 = "XX";
    EXPECT_THROW(leggiMattone(mt(FgF, 1)), ErroreCalcolo);
}

TEST(Formula, ValutataSuUnEstrazione)
{
    archive::Archivio a;
    a.NumeroEstrazioni = 10;
    a.setNumero(10, 3, 2, 40);   // Genova 2nd on draw 10
    a.setNumero(7, 3, 2, 21);    // ... and three draws earlier
    EXPECT_EQ(valutaFormula({"FIX", 3, 2, 3, 0, 0, 5}, 10, a), 45);
    EXPECT_EQ(valutaFormula({"NUM", 5, 2, 3, 0, 0, 3}, 10, a), 21);
    // Class 4: the number itself, with no ValoreFisso added by FIX.
    EXPECT_EQ(valutaFormula({"FIX", 4, 0, 0, 0, 0, 30}, 10, a), 30);
    EXPECT_EQ(valutaFormula({"NUM", 8, 2, 3, 0, 0, 0}, 10, a), std::nullopt);
    EXPECT_THROW(valutaFormula({"NUM", 5, 2, 3, 0, 0, 10}, 10, a), ErroreCalcolo);   // draw 0
    EXPECT_THROW(campiDi({"NUM", 1, 2, 65536, 0, 0, 0}), ErroreCalcolo);   // not Bari
}
