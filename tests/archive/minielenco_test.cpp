// The mini list of draws without a screen: one draw in FG3, the label texts, the searches, the cell marks.
#include "archive/ArchivioDimostrativo.h"
#include "archive/CaricaArchivio.h"
#include "archive/MiniElenco.h"
#include "support/ArchivioReale.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using archive::Archivio;

namespace {

constexpr grid::Colore Verde = 65280;
constexpr grid::Colore Faccia = grid::rgb(240, 240, 240);

std::unique_ptr<Archivio> carica(const std::string& percorso)
{
    auto a = std::make_unique<Archivio>();
    a->EstrazioneIniziale = 1;
    archive::CaricaArchivio(*a, percorso);
    return a;
}

// The five cells of a wheel's row, joined by blanks.
std::string riga(const grid::Grid& FG3, int w)
{
    std::string r;
    for (int p = 1; p <= 5; ++p)
        r += (p > 1 ? " " : "") + FG3.testo(w + 1, p);
    return r;
}

}

TEST(MiniElenco, EstrazioniRealiPrimaDiCagliariENazionale)
{
    const std::string& db = testsupport::databaseReale();
    if (db.empty())
        GTEST_SKIP() << "archivio storico assente";
    const auto a = carica(db);
    grid::Grid FG3;
    archive::preparaFG3(FG3, Faccia);

    // 01/07/1939, the 26th Saturday of 1939: Cagliari and Genova were first drawn the week after.
    ASSERT_EQ(archive::cercaDataEstrazione(*a, "01/07/1939"), std::optional<int>(26));
    EXPECT_EQ(archive::cercaDataEstrazione(*a, "1/7/1939"), std::nullopt);
    auto t = archive::MostraEstrazione(*a, 26, FG3);
    EXPECT_EQ(t.indice, "26");
    EXPECT_EQ(t.data, "01/07/1939");
    EXPECT_EQ(t.progressivi, "PM=1   PA=26");
    EXPECT_EQ(riga(FG3, 0), "47 18 74 63 52");
    EXPECT_EQ(riga(FG3, 1), "0 0 0 0 0");
    EXPECT_EQ(riga(FG3, 10), "0 0 0 0 0");

    const auto d = archive::cercaDataEstrazione(*a, "01/02/2020");
    ASSERT_TRUE(d);
    EXPECT_EQ(archive::cercaDataEstrazione(*a, "1/2/2020"), std::nullopt);
    t = archive::MostraEstrazione(*a, *d, FG3);
    EXPECT_EQ(t.data, "01/02/2020");
    EXPECT_EQ(riga(FG3, 0), "59 74 78 43 66");
    EXPECT_EQ(riga(FG3, 10), "73 61 45 17 4");

    // The last draw: the twelfth of August 2026 and the 134th of the year.
    t = archive::MostraEstrazione(*a, a->NumeroEstrazioni, FG3);
    EXPECT_EQ(t.data, "21/08/2026");
    EXPECT_EQ(t.progressivi, "PM=12   PA=134");
    EXPECT_EQ(riga(FG3, 9), "81 7 27 51 46");
}

TEST(MiniElenco, ArchivioDimostrativo)
{
    testsupport::CartellaTemporanea dir;
    archive::OpzioniDimostrativo o;
    o.massimo = 30;
    archive::CreaArchivioDimostrativo(dir.file("Demo.db"), o);
    const auto a = carica(dir.file("Demo.db"));
    grid::Grid FG3;
    archive::preparaFG3(FG3, Faccia);

    EXPECT_EQ(archive::cercaDataEstrazione(*a, "14/01/1939"), std::optional<int>(2));
    EXPECT_EQ(archive::cercaDataEstrazione(*a, "14/1/1939"), std::nullopt);
    EXPECT_EQ(archive::cercaDataEstrazione(*a, "13/01/1939"), std::nullopt);
    const auto t = archive::MostraEstrazione(*a, 2, FG3);
    EXPECT_EQ(t.indice, "2");
    EXPECT_EQ(t.progressivi, "PM=2   PA=2");
    EXPECT_EQ(riga(FG3, 10), "0 0 0 0 0") << "no Nazionale before 2005";
    for (int p = 1; p <= 5; ++p)
        EXPECT_GE(FG3.intero(1, p), 1);

    // No draw at index 0 nor past N: nothing shown rather than stale numbers.
    EXPECT_EQ(archive::MostraEstrazione(*a, 31, FG3).data, "");
    EXPECT_EQ(riga(FG3, 0), "    ");
    EXPECT_EQ(archive::MostraEstrazione(*a, 0, FG3).indice, "");
}

TEST(MiniElenco, IndiceDigitato)
{
    const std::pair<const char*, std::optional<int>> casi[] = {
        {"12", 12}, {" 7 ", 7}, {"1", 1}, {"100", 100}, {"0", std::nullopt}, {"101", std::nullopt},
        {"-3", std::nullopt}, {"12abc", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt},
        {"1.5", std::nullopt}, {"99999999999", std::nullopt}};
    for (const auto& [testo, atteso] : casi)
        EXPECT_EQ(archive::indiceDigitato(testo, 100), atteso) << testo;
}

TEST(MiniElenco, GrigliaESegni)
{
    grid::Grid FG3;
    archive::preparaFG3(FG3, Faccia);
    ASSERT_EQ(FG3.righe(), 12);
    ASSERT_EQ(FG3.colonne(), 6);
    const char* sigle[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"};
    for (int w = 0; w < 11; ++w) {
        EXPECT_EQ(FG3.testo(w + 1, 0), sigle[w]);
        EXPECT_TRUE(FG3.grassetto(w + 1, 0));
        EXPECT_EQ(FG3.sfondo(w + 1, 0), Faccia);
    }
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(FG3.colonna(c).allineamento, grid::Allineamento::Centro);

    EXPECT_TRUE(archive::commutaSegno(FG3, 3, 2));
    EXPECT_EQ(FG3.sfondo(3, 2), Verde);
    EXPECT_TRUE(archive::commutaSegno(FG3, 11, 5));
    EXPECT_TRUE(archive::commutaSegno(FG3, 3, 2));
    EXPECT_EQ(FG3.sfondo(3, 2), grid::colori::Bianco);
    // The codes and the header are not number cells.
    EXPECT_FALSE(archive::commutaSegno(FG3, 3, 0));
    EXPECT_FALSE(archive::commutaSegno(FG3, 0, 2));
    EXPECT_EQ(FG3.sfondo(3, 0), Faccia);

    archive::resettaColorazione(FG3, Faccia);
    EXPECT_EQ(FG3.sfondo(11, 5), grid::colori::Bianco);

    // Showing another draw removes the marks.
    Archivio a;
    a.NumeroEstrazioni = 1;
    a.DateEstrazioni[1] = "07/01/1939";
    archive::commutaSegno(FG3, 1, 1);
    archive::MostraEstrazione(a, 1, FG3);
    EXPECT_EQ(FG3.sfondo(1, 1), grid::colori::Bianco);
}
