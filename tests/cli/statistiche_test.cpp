// velmora-cli statistiche: the table and its last stderr line, the options, the refusals and the empty range.
#include "support/Cli.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;
using testsupport::righe;

// storicoDieciEstrazioni: Bari holds d, 10+d, .., 40+d in draw d (2, 4, .., 20 January 2020), so
// every number 1..50 came out once and 51..90 never; Cagliari is always 60..64.
class CliStatistiche : public testsupport::SuiteConArchivio<CliStatistiche> {
public:
    static std::string storico() { return testsupport::storicoDieciEstrazioni(); }
};

}

TEST_F(CliStatistiche, EstrattiDiBari)
{
    const auto e = lancia({"statistiche", "--archivio", archivio});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto r = righe(e.out);
    ASSERT_EQ(r.size(), 91u);
    EXPECT_EQ(r[0], "Numero\tRitardo\tRitardoMax\tFrequenza\tAttesa\tRitardoMedio\tProb");
    // Never out: delay 10 = T, chance (17/18)^10; 10/18 expected.
    EXPECT_EQ(r[1], "51\t10\t10\t0\t0,6\t\t0,565");
    EXPECT_EQ(r[40], "90\t10\t10\t0\t0,6\t\t0,565");
    // Out in the first draw only: nine draws ago.
    EXPECT_EQ(r[41], "1\t9\t9\t1\t0,6\t0,0\t0,598");
    EXPECT_EQ(r[90], "50\t0\t9\t1\t0,6\t9,0\t1,000");
    EXPECT_EQ(righe(e.err).back(), "Estrazioni contate: 10 (02/01/2020 - 20/01/2020)");

    const auto n = lancia({"statistiche", "--archivio", archivio, "--ordina", "numero", "--lista", "2", "--ruote", "ca,ba",
                           "--dal", "5/1/2020", "--al", "12/01/2020"});
    ASSERT_EQ(n.codice, 0) << n.err;
    // Draws 3..6 on two wheels each: 1 and 2 never out there, (17/18)^8.
    EXPECT_EQ(righe(n.out), (std::vector<std::string>{"Numero\tRitardo\tRitardoMax\tFrequenza\tAttesa\tRitardoMedio\tProb",
                                                      "1\t4\t4\t0\t0,4\t\t0,633", "2\t4\t4\t0\t0,4\t\t0,633"}));
    EXPECT_EQ(righe(n.err).back(), "Estrazioni contate: 4 (06/01/2020 - 12/01/2020)");

    const auto f = lancia({"statistiche", "--archivio", archivio, "--ruote", "CA", "--ordina", "frequenza", "--lista", "1"});
    ASSERT_EQ(f.codice, 0) << f.err;
    EXPECT_EQ(righe(f.out)[1], "60\t0\t0\t10\t0,6\t0,0\t1,000");
}

TEST_F(CliStatistiche, Ambi)
{
    const auto e = lancia({"statistiche", "--archivio", archivio, "--sorte", "ambo", "--ordina", "frequenza"});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto r = righe(e.out);
    ASSERT_EQ(r.size(), 101u);
    EXPECT_EQ(r[0], "Ambo\tRitardo\tRitardoMax\tFrequenza\tAttesa\tRitardoMedio\tProb");
    // 1-11 in draw 1: nine absent draws after it, each missed with chance 799/801.
    EXPECT_EQ(r[1], "01-11\t9\t9\t1\t0,0\t0,0\t0,978");
    EXPECT_EQ(r[2], "01-21\t9\t9\t1\t0,0\t0,0\t0,978");
    EXPECT_EQ(righe(lancia({"statistiche", "--archivio", archivio, "--sorte", "ambo", "--lista", "4005"}).out).size(), 4006u);
}

TEST_F(CliStatistiche, RifiutiEIntervalloVuoto)
{
    const std::vector<std::vector<std::string>> sbagliate = {
        {"--sorte", "terno"},   {"--ordina", "ruota"},     {"--lista", "91"},         {"--lista", "0"},
        {"--dal", "31/04/2020"}, {"--al", "2020-01-01"},   {"--ruote", "XX"},         {"--ruote", ","},
        {"--dal", "10/01/2020", "--al", "09/01/2020"},     {"--colpi", "3"},
    };
    for (const auto& opzioni : sbagliate) {
        std::vector<std::string> argomenti = {"statistiche", "--archivio", archivio};
        argomenti.insert(argomenti.end(), opzioni.begin(), opzioni.end());
        const auto e = lancia(argomenti);
        EXPECT_EQ(e.codice, 2) << opzioni[0] << " " << opzioni[1];
        EXPECT_TRUE(e.out.empty());
    }
    EXPECT_EQ(lancia({"statistiche"}).codice, 2);

    // No draw in the range, and no draw of the Nazionale at all: exit 1 with a message, no table.
    for (const auto& opzioni : std::vector<std::vector<std::string>>{{"--dal", "21/01/2020"}, {"--ruote", "NZ"}}) {
        std::vector<std::string> argomenti = {"statistiche", "--archivio", archivio};
        argomenti.insert(argomenti.end(), opzioni.begin(), opzioni.end());
        const auto e = lancia(argomenti);
        EXPECT_EQ(e.codice, 1) << opzioni[0];
        EXPECT_TRUE(e.out.empty());
        EXPECT_NE(e.err.find("nessuna estrazione delle ruote scelte"), std::string::npos) << e.err;
    }
}
