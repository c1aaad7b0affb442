// velmora-cli casi, verifica, calcola: output layout, settings, exit codes, real-archive results.
#include "support/ArchivioReale.h"
#include "support/Cli.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;
using testsupport::righe;

// Ten draws, 2, 4, ..., 20 January 2020. Bari holds d, 10+d, 20+d, 30+d, 40+d in draw d,
// Cagliari 60..64, Nazionale only from draw 9 on.
class CliBanco : public testsupport::SuiteConArchivio<CliBanco> {
public:
    static std::string storico()
    {
        std::string s;
        for (int d = 1; d <= 10; ++d) {
            s += testsupport::rigaStorico(2020, 1, 2 * d, "BA", {d, 10 + d, 20 + d, 30 + d, 40 + d});
            s += testsupport::rigaStorico(2020, 1, 2 * d, "CA", {60, 61, 62, 63, 64});
            if (d >= 9)
                s += testsupport::rigaStorico(2020, 1, 2 * d, "RN", {90, 89, 88, 87, 86});
        }
        return s;
    }

protected:
    static std::string piramide(const std::string& contenuto) { return file("piramide.txt", contenuto); }
};

TEST_F(CliBanco, CasiStampaFgEv)
{
    const auto u = lancia({"casi", "--archivio", archivio, "--rilevazione", "numeri", "--numeri", "03-07-27",
                           "--posizioni", "1,3", "--rif", "9"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 3u);   // draw 1 holds 1 and 21 at positions 1 and 3: neither wanted
    EXPECT_EQ(r[0], "Prog\tN° est\tData Estraz  \tRu \t1\t2\t3\t4\t5");
    EXPECT_EQ(r[1], "1\t7\t14/01/2020\tBA\t7\t17\t27\t37\t47");
    EXPECT_EQ(r[2], "2\t3\t06/01/2020\tBA\t3\t13\t23\t33\t43");
}

TEST_F(CliBanco, NumeriLettiComeLiScriveLaFinestra)
{
    // "3-7-27" is read two characters every three by the detection: it must mean 03-07-27.
    const auto corti = lancia({"casi", "--archivio", archivio, "--rilevazione", "numeri", "--numeri", "3-7-27",
                               "--posizioni", "1,3", "--rif", "9"});
    const auto lunghi = lancia({"casi", "--archivio", archivio, "--rilevazione", "numeri", "--numeri", "03-07-27",
                                "--posizioni", "1,3", "--rif", "9"});
    ASSERT_EQ(corti.codice, 0) << corti.err;
    EXPECT_EQ(corti.out, lunghi.out);
    for (const char* guasto : {"03-xx", "91", "05--12", "05-", "-05", "123"})
        EXPECT_EQ(lancia({"casi", "--archivio", archivio, "--rilevazione", "numeri", "--numeri", guasto}).codice, 2)
            << guasto;
}

TEST_F(CliBanco, VerificaStampaFgL)
{
    // SOM of Bari 1 and Cagliari 1 on the newest draw: 10 + 60 = 70, in slot 2 (G2).
    const auto u = lancia({"verifica", "--archivio", archivio, "--mensile", "U", "--forza-ultima", "--ruote",
                           "tutte", "--formula", "SOM,2,1,BA,1,CA,", "--slot", "2", "--colpi", "2"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_GE(r.size(), 2u);
    EXPECT_EQ(r[0], "Prog\tN° estr\tData Estraz  \tRif\tRu \tC   \tN1 \tN2 \tG1\tG2\tG3\tG4\tG5\tS \t1  \t2  \t3  \t4  \t5  ");
    // The only case is the newest draw (the last of January): no colpo after it.
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], "\t10\t20/01/2020\t1\t\t\t\t\t\t70\t\t\t\t\t\t\t\t\t");
}

TEST_F(CliBanco, VerificaTrovaIlPrimoColpo)
{
    // Cases: every draw with Bari 1 at position 1..: Numeri "04" on position 1 is draw 4.
    // FIX of Bari 1 plus 57 = 61, which Cagliari holds at position 2 in every draw.
    const auto u = lancia({"verifica", "--archivio", archivio, "--rilevazione", "Numeri", "--numeri", "04",
                           "--ruote", "BA,CA", "--formula", "FIX,3,1,0,,,57"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], "\t4\t08/01/2020\t1\tCA\t1\t\t\t61\t\t\t\t\t1\t\t61\t\t\t");
    // Beside chance: six colpi (draws 5..10) on two wheels, 1 - (17/18)^12 = 0.496.
    EXPECT_EQ(u.err, "Casi coperti: 1 su 1; attesi a caso: 0,5; p: 0,496\n");
}

TEST_F(CliBanco, CalcolaStampaQuindiciMattoni)
{
    const auto p = piramide("1\tSOM\t2\t1\tBA\t1\tNZ\t\n"
                            "2\tSOM\t2\t1\tBA\t1\tRN\t\n"   // the historical file's code for Nazionale
                            "7\tFIX\t3\t2\t0\t\t\t5\n"
                            "11\tNUM\t5\t1\tba\t\t\t0\n");
    const auto u = lancia({"calcola", "--archivio", archivio, "--rif", "8", "--valore", "3", "--piramide", p});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 15u);
    EXPECT_EQ(r[0], "1\t8");      // 8 + nothing: Nazionale is not drawn on draw 8
    EXPECT_EQ(r[6], "7\t23");     // 18 + 5
    EXPECT_EQ(r[10], "11\t5");    // Bari 1 of draw 8 - 3
    EXPECT_EQ(r[2], "3\t");
    const auto nove = lancia({"calcola", "--archivio", archivio, "--rif", "9", "--piramide", p});
    ASSERT_EQ(nove.codice, 0) << nove.err;
    EXPECT_EQ(righe(nove.out)[1], "2\t9");   // 9 + 90 on draw 9, where Nazionale is drawn
}

TEST_F(CliBanco, CalcolaSegnalaLErroreDopoIRisultati)
{
    const auto p = piramide("1\tNUM\t1\t1\tBA\t\t\t\n2\tNUM\t5\t1\tBA\t\t\t\n");
    const auto u = lancia({"calcola", "--archivio", archivio, "--rif", "2", "--valore", "5", "--piramide", p});
    EXPECT_EQ(u.codice, 1);
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 15u);
    EXPECT_EQ(r[0], "1\t2");
    EXPECT_EQ(r[1], "2\t");
    EXPECT_NE(u.err.find("Probabile errore nelle impostazioni. Accertarsi di avere ricavato una base dati."),
              std::string::npos);

    const auto sigla = piramide("1\tNUM\t1\t1\tXX\t\t\t\n");
    const auto v = lancia({"calcola", "--archivio", archivio, "--piramide", sigla});
    EXPECT_EQ(v.codice, 1);
    EXPECT_NE(v.err.find("Sigla ruota non riconosciuta"), std::string::npos);
}

TEST_F(CliBanco, ErroriDiUsoEDiDati)
{
    EXPECT_EQ(lancia({"casi"}).codice, 2);
    EXPECT_EQ(lancia({"casi", "--archivio", archivio, "--rilevazione", "Boh"}).codice, 2);
    EXPECT_EQ(lancia({"casi", "--archivio", archivio, "--posizioni", "1,6"}).codice, 2);
    EXPECT_EQ(lancia({"casi", "--archivio", archivio, "--ruote", "BA,XY"}).codice, 2);
    EXPECT_EQ(lancia({"casi", "--archivio", archivio, "--rif", "11"}).codice, 2);
    EXPECT_EQ(lancia({"casi", "--archivio", archivio, "--lista", "120"}).codice, 2);
    EXPECT_EQ(lancia({"verifica", "--archivio", archivio, "--formula", "SOM,2,1,0,1,0"}).codice, 2);
    EXPECT_EQ(lancia({"verifica", "--archivio", archivio, "--formula", "SOM,9,1,0,1,0,"}).codice, 2);
    EXPECT_EQ(lancia({"verifica", "--archivio", archivio, "--formula", "SOMMA,2,1,0,1,0,"}).codice, 2);
    EXPECT_EQ(lancia({"verifica", "--archivio", archivio, "--formula", "SOM,2,1,0,1,0,", "--slot", "6"}).codice, 2);
    EXPECT_EQ(lancia({"casi", "--archivio", (cartella / "manca.db").string()}).codice, 1);
    EXPECT_EQ(lancia({"calcola", "--archivio", archivio, "--piramide", (cartella / "manca.txt").string()}).codice, 1);
    const auto aiuto = lancia({"casi", "--help"});
    EXPECT_EQ(aiuto.codice, 0);
    EXPECT_NE(aiuto.out.find("--forza-ultima"), std::string::npos);
}

// Ten draws as above, but in draw 4 Bari holds 60, which Cagliari holds in every draw.
class CliVerificaDueRuote : public testsupport::SuiteConArchivio<CliVerificaDueRuote> {
public:
    static std::string storico()
    {
        std::string s;
        for (int d = 1; d <= 10; ++d) {
            const int ultimo = d == 4 ? 60 : 40 + d;
            s += testsupport::rigaStorico(2020, 1, 2 * d, "BA", {d, 10 + d, 20 + d, 30 + d, ultimo});
            s += testsupport::rigaStorico(2020, 1, 2 * d, "CA", {60, 61, 62, 63, 64});
        }
        return s;
    }
};

TEST_F(CliVerificaDueRuote, UnCasoUscitoSuDueRuoteContaUnaVolta)
{
    // Cases: draw 10 (the reference draw itself: Bari 10 at position 1) and draw 3.
    // FIX of Bari 1 plus 57 on draw 3 is 60: out on Bari and on Cagliari in colpo 1.
    const auto u = lancia({"verifica", "--archivio", archivio, "--rilevazione", "Numeri", "--numeri", "03-10",
                           "--posizioni", "1", "--rif", "10", "--ruote", "BA,CA", "--formula", "FIX,3,1,BA,,,57"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[1], "\t10\t20/01/2020\t1\t\t\t\t\t67\t\t\t\t\t\t\t\t\t\t");
    EXPECT_EQ(r[2], "\t3\t06/01/2020\t2\tBA\t1\t\t\t60\t\t\t\t\t1\t\t\t\t\t60");
    EXPECT_EQ(r[3], "\t\t\t\tCA\t1\t\t\t60\t\t\t\t\t1\t60\t\t\t\t");
    // One case covered of the one that has colpi (draws 4..10 on two wheels: 1 - (17/18)^14
    // = 0.551); the reference draw is a case but can never be covered.
    EXPECT_EQ(u.err, "Casi coperti: 1 su 1 verificabili (2 casi); attesi a caso: 0,6; p: 0,551\n");
}

// --- the real archive ---

class CliBancoReale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (archivio.empty())
            GTEST_SKIP() << "archivio storico non disponibile";
    }

    const std::string& archivio = testsupport::databaseReale();
};

TEST_F(CliBancoReale, SommaDeiPrimiDueDiBariSuTutteLeRuote)
{
    // Case 20/06/2026, Bari 90 24: SOM gives 24, drawn on 23/06/2026 at Bari 2, Napoli 1, Roma 5.
    const auto u = lancia({"verifica", "--archivio", archivio, "--ruote", "tutte", "--formula", "SOM,2,1,BA,2,BA,",
                           "--ncasi", "3"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 1u + 1 + 1 + 3);
    EXPECT_EQ(r[1], "\t7370\t21/08/2026\t1\t\t\t\t\t54\t\t\t\t\t\t\t\t\t\t");
    EXPECT_EQ(r[2], "\t7352\t21/07/2026\t2\tTO\t1\t\t\t40\t\t\t\t\t1\t40\t\t\t\t");
    EXPECT_EQ(r[3], "\t7335\t20/06/2026\t3\tBA\t1\t\t\t24\t\t\t\t\t1\t\t24\t\t\t");
    EXPECT_EQ(r[4], "\t\t\t\tNA\t1\t\t\t24\t\t\t\t\t1\t24\t\t\t\t");
    EXPECT_EQ(r[5], "\t\t\t\tRO\t1\t\t\t24\t\t\t\t\t1\t\t\t\t\t24");
    // Case 3 came out on three wheels and counts once; case 1 is the reference draw.
    EXPECT_EQ(u.err.rfind("Casi coperti: 2 su 2 verificabili (3 casi); ", 0), 0u) << u.err;
}

TEST_F(CliBancoReale, CasiCopertiComeIPositiviDellaVerifica)
{
    // Case 50 (28/07/2022) comes out on Napoli and Roma in colpo 4: 43 covered cases, as
    // AMBATE's Cop and the window's Pos say, of the 49 that have colpi.
    const auto u = lancia({"verifica", "--archivio", archivio, "--ruota", "RO", "--ruote", "RO,NA", "--ncasi", "50",
                           "--colpi", "8", "--formula", "MED2,2,5,CA,4,MI,"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_GE(r.size(), 3u);
    EXPECT_EQ(r[r.size() - 2].substr(0, 20), "\t6570\t28/07/2022\t50\t");
    EXPECT_EQ(r.back().substr(0, 8), "\t\t\t\tRO\t4");
    EXPECT_EQ(u.err.rfind("Casi coperti: 43 su 49 verificabili (50 casi); ", 0), 0u) << u.err;
}

TEST_F(CliBancoReale, UltimaDelMeseERomaComeRM)
{
    const auto u = lancia({"casi", "--archivio", archivio, "--mensile", "U", "--ncasi", "2", "--ruota", "RM"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[1].substr(0, 19), "1\t7358\t31/07/2026\tR");
    EXPECT_EQ(r[1].substr(19, 2), "O\t");
}

}
