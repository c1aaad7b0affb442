// The run of draws of the predictive pyramid: opening, bars, quick runs, searches.
#include "predictive/SceltaIntervallo.h"

#include <gtest/gtest.h>

using namespace predictive;

namespace {
archive::Archivio archivioConDate(int n, int primaModello = 1)
{
    archive::Archivio a;
    a.NumeroEstrazioni = n;
    for (int d = 1; d <= n; ++d) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", 1 + d % 28, 1 + (d / 28) % 12, 2000 + d / 336);
        a.DateEstrazioni[d] = buf;
    }
    a.ArchivioModello.assign(1, 0);
    for (int d = primaModello; d <= n; ++d)
        a.ArchivioModello.push_back(static_cast<std::int16_t>(d));
    a.NumeroEstrazioniModello = n - primaModello + 1;
    return a;
}
}

TEST(SceltaIntervallo, CinquecentoEstrazioni)
{
    SceltaIntervallo s;
    s.apri(500);
    EXPECT_EQ(s.inizio(), 321);
    EXPECT_EQ(s.fine(), 500);

    EXPECT_FALSE(s.ultimeEst(720));   // 500 - 720 + 1 < 100
    EXPECT_EQ(s.inizio(), 321);
    EXPECT_TRUE(s.ultimeEst(360));
    EXPECT_EQ(s.inizio(), 141);

    s.apri(500);
    EXPECT_FALSE(s.ultimeTesto("400"));   // 500 - 400 = 100 is not above 100
    EXPECT_EQ(s.inizio(), 321);
    EXPECT_TRUE(s.ultimeTesto("399"));
    EXPECT_EQ(s.inizio(), 102);
    EXPECT_EQ(s.fine(), 500);
}

TEST(SceltaIntervallo, ValoriDiUltimeNonValidiNonCambianoNulla)
{
    SceltaIntervallo s;
    s.apri(500);
    for (const char* t : {"", "0", ",5", "abc", "999999"})
        EXPECT_FALSE(s.ultimeTesto(t)) << t;
    EXPECT_EQ(s.inizio(), 321);
    EXPECT_EQ(s.fine(), 500);
    EXPECT_TRUE(s.ultimeTesto("200,7"));   // the comma ends the number
    EXPECT_EQ(s.inizio(), 301);
}

TEST(SceltaIntervallo, MenoDiCentottantaPartonoDallaPrima)
{
    SceltaIntervallo s;
    s.apri(120);
    EXPECT_EQ(s.inizio(), 1);
    EXPECT_EQ(s.fine(), 120);
    s.apri(180);
    EXPECT_EQ(s.inizio(), 1);
    s.apri(0);
    s.setInizio(5);   // nothing to choose from
    EXPECT_EQ(s.inizio(), 0);
}

TEST(SceltaIntervallo, LeBarreSiTrascinanoERestanoNelRange)
{
    SceltaIntervallo s;
    s.apri(500);
    s.setFine(200);
    EXPECT_EQ(s.fine(), 200);
    EXPECT_EQ(s.inizio(), 200);
    s.setInizio(450);
    EXPECT_EQ(s.fine(), 450);
    s.setInizio(1);   // Command4
    EXPECT_EQ(s.inizio(), 1);
    EXPECT_EQ(s.fine(), 450);
    s.setFine(9999);
    EXPECT_EQ(s.fine(), 500);
    s.inizioAllUltima(520);   // Command5 after the archive grew
    EXPECT_EQ(s.massimo(), 520);
    EXPECT_EQ(s.inizio(), 520);
    EXPECT_EQ(s.fine(), 520);

    // A draw was deleted: "to the last" means the archive's last draw, not the bar's old end.
    s.fineAllUltima(519);
    EXPECT_EQ(s.fine(), 519);
    EXPECT_EQ(s.inizio(), 519);
    s.setInizio(1);
    s.inizioAllUltima(518);
    EXPECT_EQ(s.inizio(), 518);
}

TEST(SceltaIntervallo, PosizioneDigitata)
{
    EXPECT_EQ(posizioneDigitata(" 500 ", 500), 500);
    for (const char* t : {"501", "0", "12.5", "12a", ""})
        EXPECT_FALSE(posizioneDigitata(t, 500)) << t;
}

TEST(SceltaIntervallo, RicercaDataEsatta)
{
    auto a = archivioConDate(400);
    a.DateEstrazioni[30] = "01/02/2020";
    a.DateEstrazioni[31] = "01/02/2020";
    EXPECT_EQ(cercaData(a, "01/02/2020"), 30);
    EXPECT_FALSE(cercaData(a, "1/2/2020"));
    EXPECT_FALSE(cercaData(a, ""));
    EXPECT_EQ(testoEstremo(a, 30), "30 01/02/2020");
}

TEST(SceltaIntervallo, ArchivioModelloCheNonPartedallaPrima)
{
    // Model archive of draws 101..400: positions 1..300, position k is draw k + 100.
    auto a = archivioConDate(400, 101);
    EXPECT_EQ(massimoScelta(a), 300);
    a.DateEstrazioni[150] = "15/06/2010";
    a.DateEstrazioni[50] = "16/06/2010";
    EXPECT_EQ(cercaData(a, "15/06/2010"), 50);
    EXPECT_FALSE(cercaData(a, "16/06/2010"));   // before the model archive
    EXPECT_EQ(testoEstremo(a, 50), "50 15/06/2010");
    EXPECT_EQ(testoEstremo(a, 301), "");
}
