// Pyramid evaluation on a draw, wheel abbreviations and the layout of the composition grids.
#include "engine/Piramide.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace engine;

Mattone& mt(std::vector<Mattone>& v, int m) { return v.at(static_cast<std::size_t>(m - 1)); }

// Ten draws; Bari holds d, d+1, ..., d+4 in draw d, Cagliari 37 .. 41, Nazionale nothing.
class Piramide : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = std::make_unique<archive::Archivio>();
        a->NumeroEstrazioni = 10;
        for (int d = 1; d <= 10; ++d)
            for (int p = 1; p <= 5; ++p) {
                a->setNumero(d, 0, p, static_cast<std::int16_t>(d + p - 1));
                a->setNumero(d, 1, p, static_cast<std::int16_t>(36 + p));
            }
        Lbl0.fill("vecchio");
    }

    void mattone(int m, const std::string& tras, int tipo, int e1, const std::string& ru1, int e2 = 0,
                 const std::string& ru2 = "", int val = 0)
    {
        mt(FgF, m).codice = tras;
        mt(FgF, m).tipo = tipo;
        mt(FgF, m).E1 = e1;
        mt(FgF, m).RU1 = ru1;
        mt(FgF, m).E2 = e2;
        mt(FgF, m).RU2 = ru2;
        mt(FgF, m).valore = val;
    }

    std::unique_ptr<archive::Archivio> a;
    std::vector<Mattone> FgF = std::vector<Mattone>(15);
    std::array<std::string, 16> Lbl0;
};

TEST_F(Piramide, SoloIMattoniPieniVengonoCalcolati)
{
    mattone(7, "NUM", 1, 2, "BA");
    EXPECT_FALSE(ValutaPiramide(FgF, 5, 0, *a, Lbl0));
    for (int m = 1; m <= 15; ++m)
        EXPECT_EQ(Lbl0[m], m == 7 ? "6" : "vecchio") << "mattone " << m;
}

TEST_F(Piramide, IngressiPerTipo)
{
    mattone(1, "SOM", 2, 1, "CA", 1, "NZ");       // 37 + 0: a wheel not drawn still evaluates
    mattone(2, "FIX", 3, 1, "BA", 0, "", 10);     // 5 + 10
    mattone(3, "NUM", 4, 0, "");                  // the ListVal value
    mattone(4, "NUM", 5, 1, "BA", 0, "", 7);      // draw d - ListVal, whatever VAL says
    mattone(5, "MAG5", 6, 5, "CA");               // whole wheel
    mattone(6, "SOM+", 7, 1, "BA", 2, "CA", 1);   // 5 + 38 + 1
    EXPECT_FALSE(ValutaPiramide(FgF, 5, 3, *a, Lbl0));
    EXPECT_EQ(Lbl0[1], "37");
    EXPECT_EQ(Lbl0[2], "15");
    EXPECT_EQ(Lbl0[3], "3");
    EXPECT_EQ(Lbl0[4], "2");
    EXPECT_EQ(Lbl0[5], "41");
    EXPECT_EQ(Lbl0[6], "44");
}

TEST_F(Piramide, SigleDannoLIndiceDellaRuota)
{
    mattone(1, "NUM", 1, 1, "ca");
    mt(FgF, 1).R1 = 0;
    mattone(2, "NUM", 1, 1, "");
    mt(FgF, 2).R1 = 1;   // no abbreviation: the index column is used as typed
    EXPECT_FALSE(ValutaPiramide(FgF, 2, 0, *a, Lbl0));
    EXPECT_EQ(engine::testoMattone(mt(FgF, 1), colF::R1), "1");
    EXPECT_EQ(Lbl0[1], "37");
    EXPECT_EQ(Lbl0[2], "37");
    EXPECT_EQ(archive::IndiceRuota("ba"), 0);
}

TEST_F(Piramide, SiglaSconosciutaNonRiusaUnIndiceVecchio)
{
    EXPECT_FALSE(controllaSigla("Bari"));
    EXPECT_FALSE(controllaSigla("nz"));
    ASSERT_TRUE(controllaSigla("XX"));
    EXPECT_TRUE(controllaSigla(""));

    // Typed positions and constants: the ranges of the editor's lists.
    for (const char* buona : {"", "1", "5"})
        EXPECT_FALSE(controllaPosizione(buona)) << buona;
    for (const char* cattiva : {"0", "6", "-1", "1.5", "x", " 2"})
        EXPECT_TRUE(controllaPosizione(cattiva)) << cattiva;
    for (const char* buono : {"", "0", "90"})
        EXPECT_FALSE(controllaValore(buono)) << buono;
    for (const char* cattivo : {"91", "999", "-1", "9x", "99999999999"})
        EXPECT_TRUE(controllaValore(cattivo)) << cattivo;

    mattone(1, "NUM", 1, 1, "BA");
    mattone(2, "NUM", 1, 1, "XX");
    mt(FgF, 2).R1 = 1;
    const auto errore = ValutaPiramide(FgF, 4, 0, *a, Lbl0);
    ASSERT_TRUE(errore);
    EXPECT_EQ(errore->mattone, 2);
    EXPECT_EQ(Lbl0[1], "4");
    EXPECT_EQ(Lbl0[2], "vecchio");
    EXPECT_EQ(engine::testoMattone(mt(FgF, 2), colF::R1), "1");
}

TEST_F(Piramide, UnErroreTieneIRisultatiPrecedentiESiFerma)
{
    for (int m = 1; m <= 15; ++m)
        mattone(m, "NUM", 1, 1, "BA");
    mattone(9, "NUM", 5, 1, "BA");   // d - ListVal below 1
    const auto errore = ValutaPiramide(FgF, 3, 5, *a, Lbl0);
    ASSERT_TRUE(errore);
    EXPECT_EQ(errore->mattone, 9);
    for (int m = 1; m <= 15; ++m)
        EXPECT_EQ(Lbl0[m], m < 9 ? "3" : "vecchio") << "mattone " << m;
}

TEST_F(Piramide, ValoriFuoriIntervalloSonoErrori)
{
    mattone(1, "NUM", 4, 0, "");
    EXPECT_TRUE(ValutaPiramide(FgF, 5, -1, *a, Lbl0));    // nothing chosen in ListVal
    mattone(1, "NUM", 1, 6, "BA");
    EXPECT_TRUE(ValutaPiramide(FgF, 5, 0, *a, Lbl0));     // position 6
    mattone(1, "NUM", 1, 1, "BA");
    EXPECT_TRUE(ValutaPiramide(FgF, 11, 0, *a, Lbl0));    // draw after the archive
    mattone(1, "NUM", 9, 1, "BA");
    Lbl0[1] = "vecchio";
    EXPECT_FALSE(ValutaPiramide(FgF, 5, 0, *a, Lbl0));    // unknown class: skipped
    EXPECT_EQ(Lbl0[1], "vecchio");
}

TEST_F(Piramide, CampiOltreSediciBitSonoErroriNonValoriTroncati)
{
    mattone(1, "NUM", 1, 1, "");
    mt(FgF, 1).R1 = 65536;            // would wrap to 0, Bari
    mattone(2, "FIX", 3, 1, "BA", 0, "", 65541);  // would wrap to 5
    auto errore = ValutaPiramide(FgF, 5, 0, *a, Lbl0);
    ASSERT_TRUE(errore);
    EXPECT_EQ(errore->mattone, 1);
    EXPECT_EQ(Lbl0[1], "vecchio");
    mt(FgF, 1).R1 = 1;
    errore = ValutaPiramide(FgF, 5, 0, *a, Lbl0);
    ASSERT_TRUE(errore);
    EXPECT_EQ(errore->mattone, 2);
    engine::impostaCella(mt(FgF, 2), colF::Tipo, "99999999999999999999");   // no conversion to a number may misbehave
    errore = ValutaPiramide(FgF, 5, 0, *a, Lbl0);
    ASSERT_TRUE(errore);
    EXPECT_EQ(errore->mattone, 2);
    EXPECT_EQ(intero16(-32768.0), -32768);
    EXPECT_EQ(intero16(32767.9), 32767);
    EXPECT_THROW(intero16(32768.0), ErroreCalcolo);
}

TEST_F(Piramide, CodiceSconosciutoNonMostraNumeriVecchi)
{
    mattone(1, "NUM", 1, 1, "BA");
    mattone(2, "num", 1, 1, "BA");   // codes are compared exactly
    EXPECT_FALSE(ValutaPiramide(FgF, 5, 0, *a, Lbl0));
    EXPECT_EQ(Lbl0[1], "5");
    EXPECT_EQ(Lbl0[2], "");
}

TEST(DisposizionePiramide, RigheEPostiDeiMattoni)
{
    const int righe[16] = {0, 1, 2, 2, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 5};
    const int posti[16] = {0, 1, 1, 2, 1, 2, 3, 1, 2, 3, 4, 1, 2, 3, 4, 5};
    for (int m = 1; m <= 15; ++m) {
        EXPECT_EQ(rigaMattone(m), righe[m]) << m;
        EXPECT_EQ(postoMattone(m), posti[m]) << m;
    }
    EXPECT_EQ(primoMattone(4), 7);
    EXPECT_EQ(ultimoMattone(4), 10);
    EXPECT_EQ(ultimoMattone(5), 15);
}

TEST(DisposizionePiramide, SettaGridFGFNumeriEColori)
{
    std::vector<Mattone> FgF(15), Fg5(5);
    SettaGridFGF(FgF, Fg5);
    EXPECT_EQ(engine::testoMattone(mt(FgF, 15), 0), "15");
    EXPECT_EQ(engine::testoMattone(mt(Fg5, 5), 0), "5");
    EXPECT_EQ(coloreTestoColonnaMattone(colF::Tras), grid::colori::Rosso);
    EXPECT_EQ(coloreTestoColonnaMattone(colF::E1), std::nullopt);
    EXPECT_EQ(sfondoColonnaMattone(colF::E1), grid::rgb(255, 255, 128));
    EXPECT_EQ(sfondoColonnaMattone(colF::RU1), grid::rgb(255, 255, 128));
    EXPECT_EQ(sfondoColonnaMattone(colF::E2), grid::rgb(128, 255, 128));
    EXPECT_EQ(sfondoColonnaMattone(colF::VAL), grid::rgb(128, 255, 255));
    EXPECT_EQ(sfondoColonnaMattone(colF::Tras), std::nullopt);
}

}
