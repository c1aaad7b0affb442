// velmora-cli spia and terzo: tables and last stderr lines worked out by hand on ten draws, the refusals.
#include "support/Cli.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;
using testsupport::righe;

// storicoDieciEstrazioni: Bari holds d, 10+d, .., 40+d in draw d; Cagliari is always 60..64.
class CliSpia : public testsupport::SuiteConArchivio<CliSpia> {
public:
    static std::string storico() { return testsupport::storicoDieciEstrazioni(); }
};

}

TEST_F(CliSpia, SpiaSuCagliari)
{
    // 60 is out in every draw. With two colpi: draws 1, 4 and 7 count, 2-3, 5-6 and 8 fall in the colpi
    // of the previous one, 9 and 10 lack a colpo. 60..64 follow all three: chance 35/324 each time.
    const auto e = lancia({"spia", "--archivio", archivio, "--spia", "60", "--ruota-spia", "CA", "--colpi", "2"});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto r = righe(e.out);
    ASSERT_EQ(r.size(), 91u);
    EXPECT_EQ(r[0], "Numero\tPresenze\tUscite\tAttese\tRapporto\tp\tq");
    // p = (35/324)^3 = 0,00126; q = 90 p / 5 = 0,0227. Chance gives p < 0,05 to a number that follows two
    // or three times: 90 (3 (35/324)^2 (289/324) + (35/324)^3) = 2,9.
    EXPECT_EQ(r[1], "60\t3\t3\t0,3\t9,26\t0,001\t0,023");
    EXPECT_EQ(r[5], "64\t3\t3\t0,3\t9,26\t0,001\t0,023");
    EXPECT_EQ(r[6], "1\t3\t0\t0,3\t0,00\t1,000\t1,000");
    EXPECT_EQ(righe(e.err).back(),
              "Presenze della spia contate: 3 (5 saltate perché nei colpi della precedente; 2 escluse perché i loro colpi "
              "non sono tutti nell'archivio). Numeri con p < 0,05: 5 (il solo caso ne darebbe circa 2,9 su 90); con q < 0,05: 5.");

    const auto s = lancia({"spia", "--archivio", archivio, "--spia", "60", "--ruota-spia", "CA", "--colpi", "2",
                           "--sovrapposte", "--ruote", "BA", "--lista", "1"});
    ASSERT_EQ(s.codice, 0) << s.err;
    EXPECT_EQ(righe(s.out).size(), 2u);
    EXPECT_EQ(righe(s.err).back().rfind("Presenze della spia contate: 8 (anche quelle nei colpi della precedente; 2 escluse", 0), 0u)
        << s.err;

    // The pair 60-61 is the same presences; the scan writes the spy in front and says how many survive.
    EXPECT_EQ(righe(lancia({"spia", "--archivio", archivio, "--spia", "61-60", "--ruota-spia", "CA", "--colpi", "2"}).out)[1],
              "60\t3\t3\t0,3\t9,26\t0,001\t0,023");
    const auto t = lancia({"spia", "--archivio", archivio, "--spia", "tutte", "--ruota-spia", "CA", "--colpi", "2", "--lista", "3"});
    ASSERT_EQ(t.codice, 0) << t.err;
    const auto rt = righe(t.out);
    ASSERT_EQ(rt.size(), 4u);
    EXPECT_EQ(rt[0], "Spia\tNumero\tPresenze\tUscite\tAttese\tRapporto\tp\tq");
    // 25 tests at p = 0,00126 among 8100: q = 8100 p / 25 = 0,408; chance's 2,9 for each of the five spies.
    EXPECT_EQ(rt[1], "60\t60\t3\t3\t0,3\t9,26\t0,001\t0,408");
    EXPECT_NE(righe(t.err).back().find("Con p < 0,05: 25 (il solo caso ne darebbe circa 15). Nessuna coppia resta"), std::string::npos)
        << t.err;
}

TEST_F(CliSpia, Terzo)
{
    // The last two draws: Bari ten different numbers, Cagliari the same five.
    const auto e = lancia({"terzo", "--archivio", archivio, "--ciclo", "2", "--ruote", "BA,CA"});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(righe(e.out), (std::vector<std::string>{"Ruota\tUsciti\tAssenti\tAttesiAssenti", "BA\t10\t80\t80,3", "CA\t5\t85\t80,3"}));
    EXPECT_EQ(righe(e.err).back(), "Ultime 2 estrazioni fino al 20/01/2020: il solo caso lascerebbe assenti in media 80,3 numeri su 90.");

    // Nine spans of Cagliari, all with 85 absent; chance gives 80 with C(85,5)/C(90,5).
    const auto d = lancia({"terzo", "--archivio", archivio, "--ciclo", "2", "--ruote", "CA", "--distribuzione"});
    ASSERT_EQ(d.codice, 0) << d.err;
    EXPECT_EQ(righe(d.out), (std::vector<std::string>{"Assenti\tOsservati\tAttesi", "80\t0\t6,7", "81\t0\t2,1", "82\t0\t0,2",
                                                      "83\t0\t0,0", "84\t0\t0,0", "85\t9\t0,0"}));
    EXPECT_EQ(righe(d.err).back(), "Tratti di 2 estrazioni: 9; assenti in media 85,00, il caso ne darebbe 80,28.");

    // Up to 06/01/2020 there are three draws: a cycle of four leaves every wheel out.
    const auto c = lancia({"terzo", "--archivio", archivio, "--ciclo", "4", "--al", "06/01/2020"});
    EXPECT_EQ(c.codice, 1);
    EXPECT_TRUE(c.out.empty());
}

TEST_F(CliSpia, Rifiuti)
{
    const std::vector<std::vector<std::string>> sbagliate = {
        {"spia"},
        {"spia", "--spia", "0"},
        {"spia", "--spia", "91"},
        {"spia", "--spia", "5-5"},
        {"spia", "--spia", "1-2-3"},
        {"spia", "--spia", "7", "--colpi", "37"},
        {"spia", "--spia", "7", "--ruota-spia", "XX"},
        {"spia", "--spia", "7", "--lista", "91"},
        {"spia", "--spia", "7", "--ciclo", "3"},
        {"spia", "--spia", "7", "--dal", "10/01/2020", "--al", "09/01/2020"},
        {"terzo", "--ciclo", "0"},
        {"terzo", "--ruote", "XX"},
        {"terzo", "--colpi", "3"},
    };
    for (const auto& opzioni : sbagliate) {
        std::vector<std::string> argomenti = {opzioni[0], "--archivio", archivio};
        argomenti.insert(argomenti.end(), opzioni.begin() + 1, opzioni.end());
        const auto e = lancia(argomenti);
        EXPECT_EQ(e.codice, 2) << testing::PrintToString(opzioni);
        EXPECT_TRUE(e.out.empty());
    }
    const auto vuoto = lancia({"spia", "--archivio", archivio, "--spia", "7", "--dal", "21/01/2020"});
    EXPECT_EQ(vuoto.codice, 1);
    EXPECT_NE(vuoto.err.find("nessuna estrazione fra le date indicate"), std::string::npos) << vuoto.err;
}
