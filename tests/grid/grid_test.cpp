// The grid model: header, clearing, colours read back, ranking sort, row removal, text export, safe access.
#include "grid/Grid.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

using grid::Grid;

Grid conIntestazione(const char* formato, int righe)
{
    Grid g;
    g.setIntestazione(formato);
    g.setRighe(righe);
    return g;
}

TEST(Grid, IntestazioneDaTestoConBarre)
{
    Grid g(5, 2);
    g.setIntestazione("Oper|Tipo|P1||Spiegazione");
    ASSERT_EQ(g.colonne(), 5);
    EXPECT_EQ(g.righe(), 5);
    EXPECT_EQ(g.testo(0, 0), "Oper");
    EXPECT_EQ(g.testo(0, 2), "P1");
    EXPECT_EQ(g.testo(0, 3), "");
    EXPECT_EQ(g.testo(0, 4), "Spiegazione");

    Grid vuota(0, 0);
    vuota.setIntestazione("Solo");
    EXPECT_EQ(vuota.righe(), 1);
    EXPECT_EQ(vuota.colonne(), 1);
    EXPECT_EQ(vuota.testo(0, 0), "Solo");
}

TEST(Grid, UnaRigaPuliscePerCosiLIntestazioneResta)
{
    Grid g = conIntestazione("A|B", 4);
    g.setTesto(3, 1, "x");
    g.setSfondo(3, 1, grid::colori::Verde);
    g.setRighe(1);
    EXPECT_EQ(g.righe(), 1);
    EXPECT_EQ(g.testo(0, 1), "B");
    // Growing again gives empty rows, not the cleared content.
    g.setRighe(4);
    EXPECT_EQ(g.testo(3, 1), "");
    EXPECT_EQ(g.sfondo(3, 1), grid::colori::Bianco);
    EXPECT_EQ(g.aggiungiRiga(), 4);
    EXPECT_EQ(g.righe(), 5);
}

TEST(Grid, ColoriRilettiComeScritti)
{
    EXPECT_EQ(grid::colori::Verde, 65280u);
    EXPECT_EQ(grid::rgb(255, 0, 0), 0xFFu);        // &HFF is red
    EXPECT_EQ(grid::rgb(255, 255, 0), 0xFFFFu);    // &HFFFF yellow
    EXPECT_EQ(grid::rgb(255, 192, 128), 0x80C0FFu); // &H80C0FF orange

    Grid g = conIntestazione("R|BA|CA|FI", 3);
    g.setSfondo(2, 3, 1, 1, grid::colori::Verde);   // corners in any order
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(g.sfondo(r, c), 65280u) << r << "," << c;
    EXPECT_EQ(g.sfondo(1, 0), grid::colori::Bianco);
    g.setColoreTesto(1, 1, 1, 2, grid::rgb(1, 2, 3));
    EXPECT_EQ(g.coloreTesto(1, 2), grid::rgb(1, 2, 3));
    g.setGrassetto(0, 0, 0, 3, true);
    EXPECT_TRUE(g.grassetto(0, 3));
    EXPECT_FALSE(g.grassetto(1, 3));
}

TEST(Grid, OrdinamentoNumericoDecrescenteStabile)
{
    Grid g = conIntestazione("Formula|Esiti", 1);
    const std::pair<const char*, const char*> righe[] = {
        {"a", "9"}, {"b", "10"}, {"c", ""}, {"d", "10"}, {"e", "2.5"}, {"f", "-1"}, {"g", "9"}, {"h", "100"},
    };
    for (const auto& [f, e] : righe) {
        const int r = g.aggiungiRiga();
        g.setTesto(r, 0, f);
        g.setTesto(r, 1, e);
    }
    g.setSfondo(2, 0, grid::colori::Rosso);   // the colour travels with its row
    g.ordinaDecrescente(1);
    std::string ordine;
    for (int r = 1; r < g.righe(); ++r)
        ordine += g.testo(r, 0);
    // Numeric, not text order ("100" first, "9" after "10"); equal keys keep their order.
    EXPECT_EQ(ordine, "hbdagecf");
    EXPECT_EQ(g.testo(0, 0), "Formula");
    EXPECT_EQ(g.sfondo(2, 0), grid::colori::Rosso);   // "b" is now row 2 again
    EXPECT_EQ(g.sfondo(3, 0), grid::colori::Bianco);

    g.ordinaDecrescente(7);   // a column that does not exist changes nothing
    EXPECT_EQ(g.testo(1, 0), "h");
}

TEST(Grid, RimozioneRigaSpostaInSu)
{
    Grid g = conIntestazione("N", 4);
    for (int r = 1; r <= 3; ++r)
        g.setNumero(r, 0, r * 10);
    g.rimuoviRiga(2);
    ASSERT_EQ(g.righe(), 3);
    EXPECT_EQ(g.testo(1, 0), "10");
    EXPECT_EQ(g.testo(2, 0), "30");
    g.rimuoviRiga(7);
    g.rimuoviRiga(-1);
    EXPECT_EQ(g.righe(), 3);
}

TEST(Grid, TestoInteroConTabulazioni)
{
    Grid g = conIntestazione("A|B|C", 3);
    g.setTesto(1, 0, "1");
    g.setTesto(1, 2, "x y");
    g.setTesto(2, 1, "z");
    g.setNascosta(1, true);   // hidden columns keep their content and are exported
    EXPECT_EQ(g.comeTesto(), "A\tB\tC\r\n1\t\tx y\r\n\tz\t\r\n");
    // The command line ends rows with "\n"; a pyramid stops at the diagonal, even past the last column.
    EXPECT_EQ(g.comeTesto("\n"), "A\tB\tC\n1\t\tx y\n\tz\t\n");
    EXPECT_EQ(g.comeTesto("\n", true), "A\n1\t\n\tz\t\n");
    g.setColonne(2);
    g.aggiungiRiga();
    EXPECT_EQ(g.comeTesto("\n", true), "A\n1\t\n\tz\t\n\t\t\t\n");
}

TEST(Grid, AccessoFuoriGrigliaInnocuo)
{
    Grid g = conIntestazione("A|B", 2);
    g.setTesto(5, 0, "x");
    g.setTesto(-1, -1, "x");
    g.setSfondo(9, 9, grid::colori::Verde);
    EXPECT_EQ(g.testo(5, 0), "");
    EXPECT_EQ(g.valore(-3, 1), 0);
    EXPECT_EQ(g.sfondo(9, 9), grid::colori::Bianco);
    EXPECT_FALSE(g.grassetto(2, 2));
    // A range reaching far outside colours only the cells that exist, and returns.
    g.setSfondo(-5, -5, INT_MAX, INT_MAX, grid::colori::Verde);
    EXPECT_EQ(g.sfondo(1, 1), grid::colori::Verde);
    EXPECT_EQ(g.sfondo(0, 0), grid::colori::Verde);
    g.setGrassetto(INT_MIN, 0, INT_MAX, 1, true);
    EXPECT_TRUE(g.grassetto(1, 0));
    g.setLarghezza(40, 100);   // a column that does not exist: ignored
    EXPECT_EQ(g.colonna(40).larghezzaTwips, grid::Colonna{}.larghezzaTwips);
    EXPECT_EQ(g.colonne(), 2);
}

TEST(Grid, LetturaNumericaDelTesto)
{
    const std::pair<const char*, double> casi[] = {
        {"", 0}, {"42", 42}, {"  7", 7}, {"-3", -3}, {"+5", 5}, {"12abc", 12}, {"abc", 0},
        {"2.5", 2.5}, {"05", 5}, {"-", 0}, {"90 (3)", 90},
    };
    for (const auto& [testo, atteso] : casi)
        EXPECT_DOUBLE_EQ(grid::leggiNumero(testo), atteso) << '"' << testo << '"';

    Grid g = conIntestazione("N", 2);
    g.setNumero(1, 0, -1234567890123LL);
    EXPECT_EQ(g.testo(1, 0), "-1234567890123");
    EXPECT_DOUBLE_EQ(g.valore(1, 0), -1234567890123.0);
    // Whole-number reading: truncated, and held at the int bounds instead of wrapping.
    EXPECT_EQ(g.intero(1, 0), std::numeric_limits<int>::min());
    g.setTesto(1, 0, "99999999999");
    EXPECT_EQ(g.intero(1, 0), std::numeric_limits<int>::max());
    g.setTesto(1, 0, "7.9");
    EXPECT_EQ(g.intero(1, 0), 7);
}

TEST(Grid, CelleOstiliNeutralizzatePerIFogliDiCalcolo)
{
    const std::pair<const char*, const char*> casi[] = {
        // Formulas and their disguises get the apostrophe.
        {"=cmd|'/C calc'!A1", "'=cmd|'/C calc'!A1"}, {"+1+2", "'+1+2"}, {"-2+3", "'-2+3"}, {"@SUM(A1)", "'@SUM(A1)"},
        {"\t=1+1", "'\t=1+1"}, {"\r=1", "'\r=1"}, {"  =1", "'  =1"}, {"-", "-"}, {"=", "="},
        // Numbers stay numbers, texts stay as they are.
        {"-12", "-12"}, {"+3", "+3"}, {"-0,50", "-0,50"}, {"-1.5", "-1.5"}, {"57,4%", "57,4%"}, {"BA", "BA"}, {"", ""},
        {"a=b", "a=b"}, {"-1,", "'-1,"},
    };
    for (const auto& [testo, atteso] : casi)
        EXPECT_EQ(grid::testoPerFoglioDiCalcolo(testo), atteso) << '"' << testo << '"';
}

TEST(Grid, CampoCercatoSenzaMaiuscole)
{
    Grid g = conIntestazione("Oper|Tipo", 1);
    g.colonna(1).campo = "Tipo";
    EXPECT_EQ(g.indiceCampo("tipo"), 1);
    EXPECT_EQ(g.indiceCampo("Spiegazione"), -1);
}

}
