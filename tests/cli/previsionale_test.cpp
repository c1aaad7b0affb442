// velmora-cli previsionale: output layout, wheel and run options, exit codes.
#include "support/Cli.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;
using testsupport::righe;

// Twelve draws: Bari always 1 2 3 4 5 except the last draw (6..10); Nazionale 90 89 88 87 86
// from draw 11 on, absent before.
class CliPrevisionale : public testsupport::SuiteConArchivio<CliPrevisionale> {
public:
    static std::string storico()
    {
        std::string s;
        for (int d = 1; d <= 12; ++d) {
            if (d < 12)
                s += testsupport::rigaStorico(2020, 1, d, "BA", {1, 2, 3, 4, 5});
            else
                s += testsupport::rigaStorico(2020, 1, d, "BA", {6, 7, 8, 9, 10});
            s += testsupport::rigaStorico(2020, 1, d, "CA", {11, 12, 13, 14, 15});
            if (d >= 11)
                s += testsupport::rigaStorico(2020, 1, d, "RN", {90, 89, 88, 87, 86});
        }
        return s;
    }
};

}

TEST_F(CliPrevisionale, TabellaRigaVuotaPiramide)
{
    const auto e = lancia({"previsionale", "--archivio", archivio, "--inizio", "1", "--fine", "12", "--ruote", "BA",
                           "--criterio", "presenze", "--livello", "3"});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto r = righe(e.out);
    ASSERT_EQ(r.size(), 1u + 90u + 1u + 3u);
    EXPECT_EQ(r[0], "\tNumero\tRitardo\tPresenze\tFrequenza");
    // 1..5 came out 11 times (interval 11 / 11), 6..10 once at the end.
    EXPECT_EQ(r[1], "\t1\t1\t11\t1.00");
    EXPECT_EQ(r[5], "\t5\t1\t11\t1.00");
    EXPECT_EQ(r[6], "\t6\t0\t1\t11.00");
    EXPECT_EQ(r[11], "\t11\t12\t0\t");
    EXPECT_EQ(r[91], "");
    EXPECT_EQ(r[92], "1");
    EXPECT_EQ(r[93], "2\t3");
    EXPECT_EQ(r[94], "4\t5\t6");
}

TEST_F(CliPrevisionale, NazionaleECapogioco)
{
    const auto e = lancia({"previsionale", "--archivio", archivio, "--inizio", "10", "--fine", "12", "--ruote", "NZ",
                           "--criterio", "presenze", "--livello", "3", "--capogioco", "90"});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto r = righe(e.out);
    EXPECT_EQ(r[1], "\t86\t0\t2\t1.00");
    EXPECT_EQ(r[92], "90");
    EXPECT_EQ(r[93], "90\t86");
    EXPECT_EQ(r[94], "90\t87\t88");
    // RN, the historical file's code, is the same wheel.
    const auto rn = lancia({"previsionale", "--archivio", archivio, "--inizio", "10", "--fine", "12", "--ruote", "RN",
                            "--criterio", "presenze", "--livello", "3", "--capogioco", "90"});
    EXPECT_EQ(rn.out, e.out);
}

TEST_F(CliPrevisionale, PredefinitiETutteLeRuote)
{
    // 12 draws: the default run is the whole archive, Bari, by delay, level 6.
    const auto e = lancia({"previsionale", "--archivio", archivio});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto r = righe(e.out);
    ASSERT_EQ(r.size(), 1u + 90u + 1u + 6u);
    EXPECT_EQ(r[1], "\t11\t12\t0\t");
    const auto tutte = lancia({"previsionale", "--archivio", archivio, "--ruote", "tutte", "--criterio", "frequenza"});
    ASSERT_EQ(tutte.codice, 0) << tutte.err;
    EXPECT_EQ(righe(tutte.out)[1], "\t6\t0\t1\t11.00");
}

TEST_F(CliPrevisionale, ErroriDiUsoEDiDati)
{
    const std::vector<std::vector<std::string>> usi = {
        {"previsionale"},
        {"previsionale", "--archivio", archivio, "--criterio", "ritardi"},
        {"previsionale", "--archivio", archivio, "--livello", "9"},
        {"previsionale", "--archivio", archivio, "--capogioco", "91"},
        {"previsionale", "--archivio", archivio, "--livello", "4294967299"},   // wraps to 3 as an int
        {"previsionale", "--archivio", archivio, "--capogioco", "4294967297"},
        {"previsionale", "--archivio", archivio, "--ruote", "XX"},
        {"previsionale", "--archivio", archivio, "--ruote", ","},
        {"previsionale", "--archivio", archivio, "--inizio", "8", "--fine", "5"},
        {"previsionale", "--archivio", archivio, "--fine", "13"},
        {"previsionale", "--archivio", archivio, "--inizio", "0"},
        {"previsionale", "--archivio", archivio, "--colpi", "3"},
    };
    for (const auto& argomenti : usi) {
        const auto e = lancia(argomenti);
        EXPECT_EQ(e.codice, 2) << argomenti.back();
        EXPECT_TRUE(e.out.empty());
        EXPECT_FALSE(e.err.empty());
    }
    const auto nessuna = lancia({"previsionale", "--archivio", archivio, "--ruote", ","});
    EXPECT_NE(nessuna.err.find("Selezionare almeno una ruota"), std::string::npos) << nessuna.err;

    const auto mancante = lancia({"previsionale", "--archivio", (cartella / "nessuno.db").string()});
    EXPECT_EQ(mancante.codice, 1);
    EXPECT_TRUE(mancante.out.empty());
}
