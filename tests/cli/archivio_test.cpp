// velmora-cli importa-storico, info and estrazioni, run in-process.
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using testsupport::lancia;

const char* const Storico =
    "2019/12/31\tBA\t5\t17\t90\t1\t44\r\n"
    "2019/12/31\tRN\t1\t2\t3\t4\t5\r\n"
    "2020/01/02\tRM\t10\t20\t30\t40\t50\r\n"
    "2020/01/04\tVE\t9\t8\t7\t6\t5\r\n";

std::vector<std::string> campi(const std::string& riga)
{
    std::vector<std::string> c;
    std::istringstream s(riga);
    for (std::string x; std::getline(s, x, '\t');)
        c.push_back(x);
    return c;
}

}

TEST(CliArchivio, ImportaInfoEstrazioni)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("storico.txt", Storico);
    const std::string db = dir.file("a.db");

    auto e = lancia({"importa-storico", storico, db});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, "importate 3 estrazioni (31/12/2019 - 04/01/2020)\n");

    e = lancia({"importa-storico", storico, db});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("esiste già"), std::string::npos) << e.err;
    e = lancia({"importa-storico", storico, db, "--sovrascrivi"});
    EXPECT_EQ(e.codice, 0) << e.err;

    e = lancia({"info", db});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, "{\"estrazioni\":3,\"prima\":\"31/12/2019\",\"ultima\":\"04/01/2020\"}\n");

    e = lancia({"estrazioni", db});
    ASSERT_EQ(e.codice, 0) << e.err;
    std::istringstream righe(e.out);
    std::vector<std::vector<std::string>> tabella;
    for (std::string r; std::getline(righe, r);)
        tabella.push_back(campi(r));
    ASSERT_EQ(tabella.size(), 3u);
    for (const auto& r : tabella)
        ASSERT_EQ(r.size(), 4u + 55u);
    EXPECT_EQ(tabella[0][0], "1");
    EXPECT_EQ(tabella[0][1], "31/12/2019");
    EXPECT_EQ(tabella[1][1], "02/01/2020");
    EXPECT_EQ(tabella[1][2], "1") << "new month";
    EXPECT_EQ(tabella[1][3], "1") << "new year";
    EXPECT_EQ(tabella[2][2], "2");
    EXPECT_EQ(tabella[0][4], "5");                // Bari 1
    EXPECT_EQ(tabella[0][8], "44");               // Bari 5
    EXPECT_EQ(tabella[0][4 + 50], "1");           // Nazionale 1
    EXPECT_EQ(tabella[1][4 + 35 + 2], "30");      // Roma 3
    EXPECT_EQ(tabella[1][4], "0");                // Bari missing
    EXPECT_EQ(tabella[2][4 + 45 + 4], "5");       // Venezia 5
}

TEST(CliArchivio, ErroriDiUsoEDiDati)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("storico.txt", Storico);

    EXPECT_EQ(lancia({"importa-storico", storico}).codice, 2);
    EXPECT_EQ(lancia({"importa-storico", storico, dir.file("a.db"), "--forza"}).codice, 2);
    EXPECT_EQ(lancia({"info"}).codice, 2);
    EXPECT_EQ(lancia({"info", "a.db", "b.db"}).codice, 2);
    EXPECT_EQ(lancia({"estrazioni"}).codice, 2);
    EXPECT_EQ(lancia({"info", "--help"}).codice, 0);

    const auto errata = lancia({"importa-storico", dir.scrivi("errato.txt", "2020/01/02\tBA\t1\t2\t3\n"), dir.file("b.db")});
    EXPECT_EQ(errata.codice, 1);
    EXPECT_NE(errata.err.find("Riga 1"), std::string::npos) << errata.err;

    EXPECT_EQ(lancia({"info", dir.file("manca.db")}).codice, 1);
    EXPECT_EQ(lancia({"estrazioni", storico}).codice, 1) << "a text file is not an archive";
}
