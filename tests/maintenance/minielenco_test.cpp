// The mini list of draws without a screen: the rows of one draw in FG3 with its labels, searched by date or index.
#include "archive/ArchivioDimostrativo.h"
#include "archive/CaricaArchivio.h"
#include "maintenance/MiniElenco.h"
#include "support/ArchivioReale.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using archive::Archivio;

namespace {

std::unique_ptr<Archivio> carica(const std::string& percorso)
{
    auto a = std::make_unique<Archivio>();
    a->EstrazioneIniziale = 1;
    archive::CaricaArchivio(*a, percorso);
    return a;
}

// The five number cells of a wheel's row of draw `d`, joined by blanks.
std::string riga(const Archivio& a, int d, int w)
{
    const auto righe = maintenance::righeFG3(a, d, {});
    std::string r;
    for (int p = 1; p <= 5; ++p)
        r += (p > 1 ? " " : "") + maintenance::testoFG3(righe.at(static_cast<std::size_t>(w)), p);
    return r;
}

}

TEST(MiniElenco, EstrazioniRealiPrimaDiCagliariENazionale)
{
    const std::string& db = testsupport::databaseReale();
    if (db.empty())
        GTEST_SKIP() << "archivio storico assente";
    const auto a = carica(db);

    // 01/07/1939, the 26th Saturday of 1939: Cagliari and Genova were first drawn the week after.
    ASSERT_EQ(maintenance::cercaDataEstrazione(*a, "01/07/1939"), std::optional<int>(26));
    EXPECT_EQ(maintenance::cercaDataEstrazione(*a, "1/7/1939"), std::optional<int>(26));
    auto t = maintenance::testiEstrazione(*a, 26);
    EXPECT_EQ(t.indice, "26");
    EXPECT_EQ(t.data, "01/07/1939");
    EXPECT_EQ(t.progressivi, "PM=1   PA=26");
    EXPECT_EQ(riga(*a, 26, 0), "47 18 74 63 52");
    EXPECT_EQ(riga(*a, 26, 1), "    ");
    EXPECT_EQ(riga(*a, 26, 10), "    ");

    const auto d = maintenance::cercaDataEstrazione(*a, "01/02/2020");
    ASSERT_TRUE(d);
    EXPECT_EQ(maintenance::cercaDataEstrazione(*a, " 1/2/2020 "), d);
    EXPECT_EQ(maintenance::cercaDataEstrazione(*a, "1/02/2020"), d);
    EXPECT_EQ(riga(*a, *d, 0), "59 74 78 43 66");
    EXPECT_EQ(riga(*a, *d, 10), "73 61 45 17 4");

    // The last draw: the twelfth of August 2026 and the 134th of the year.
    t = maintenance::testiEstrazione(*a, a->NumeroEstrazioni);
    EXPECT_EQ(t.data, "21/08/2026");
    EXPECT_EQ(t.progressivi, "PM=12   PA=134");
}

TEST(MiniElenco, ArchivioDimostrativoEIndiciSenzaEstrazione)
{
    testsupport::CartellaTemporanea dir;
    archive::OpzioniDimostrativo o;
    o.massimo = 30;
    archive::CreaArchivioDimostrativo(dir.file("Demo.db"), o);
    const auto a = carica(dir.file("Demo.db"));
    // Column 0 names the wheel of the row, BA first and NZ last.
    const auto righe = maintenance::righeFG3(*a, 2, {});
    ASSERT_EQ(righe.size(), 11u);
    EXPECT_EQ(maintenance::testoFG3(righe[0], 0), "BA");
    EXPECT_EQ(maintenance::testoFG3(righe[10], 0), "NZ");

    EXPECT_EQ(maintenance::cercaDataEstrazione(*a, "14/01/1939"), std::optional<int>(2));
    EXPECT_EQ(maintenance::cercaDataEstrazione(*a, "14/1/1939"), std::optional<int>(2));
    // Not a day, month and four-digit year: nothing is guessed.
    for (const char* t : {"14/1/39", "114/1/1939", "14-1-1939", "14/1", "a/1/1939", ""})
        EXPECT_EQ(maintenance::cercaDataEstrazione(*a, t), std::nullopt) << t;
    EXPECT_EQ(maintenance::testiEstrazione(*a, 2).progressivi, "PM=2   PA=2");
    EXPECT_EQ(riga(*a, 2, 10), "    ") << "no Nazionale before 2005: blank, not zeros";

    // No draw at index 0 nor past N: nothing shown rather than stale numbers.
    EXPECT_EQ(maintenance::testiEstrazione(*a, 31).data, "");
    EXPECT_EQ(riga(*a, 31, 0), "    ");
    EXPECT_EQ(riga(*a, 0, 0), "    ");
    EXPECT_EQ(maintenance::testiEstrazione(*a, 0).indice, "");
}

TEST(MiniElenco, IndiceDigitato)
{
    const std::pair<const char*, std::optional<int>> casi[] = {
        {"12", 12}, {" 7 ", 7}, {"1", 1}, {"100", 100}, {"0", std::nullopt}, {"101", std::nullopt},
        {"-3", std::nullopt}, {"12abc", std::nullopt}, {"", std::nullopt}, {"1.5", std::nullopt},
        {"99999999999", std::nullopt}};
    for (const auto& [testo, atteso] : casi)
        EXPECT_EQ(maintenance::indiceDigitato(testo, 100), atteso) << testo;
}

// The marks are flags of the draw shown, carried by the rows of FG3. Cells outside the numbers mark nothing.
TEST(MiniElenco, SegniCommutatiNelleRighe)
{
    maintenance::Segni segni{};
    EXPECT_TRUE(maintenance::commutaSegno(segni, 1, 1));
    EXPECT_TRUE(maintenance::commutaSegno(segni, 11, 5));
    EXPECT_TRUE(maintenance::commutaSegno(segni, 4, 3));
    EXPECT_TRUE(maintenance::commutaSegno(segni, 4, 3));   // a second click unmarks
    for (auto [r, c] : {std::pair{0, 1}, {1, 0}, {12, 1}, {1, 6}})
        EXPECT_FALSE(maintenance::commutaSegno(segni, r, c)) << r << "," << c;
    EXPECT_TRUE(segni[0][0]);
    EXPECT_TRUE(segni[10][4]);
    EXPECT_FALSE(segni[3][2]);
    // Row r - 1 of FG3 is the wheel of grid row r, position c - 1 its number of column c.
    const auto righe = maintenance::righeFG3(*std::make_unique<Archivio>(), 0, segni);
    EXPECT_TRUE(righe[0].segnata[0]);
    EXPECT_TRUE(righe[10].segnata[4]);
    EXPECT_FALSE(righe[3].segnata[2]);
    EXPECT_FALSE(righe[0].segnata[1]);
}
