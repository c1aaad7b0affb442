// velmora-cli commands that write a file: refused targets and limits give exit 1 or 2 and change nothing.
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

using testsupport::lancia;
namespace fs = std::filesystem;

const char* const Storico = "2019/12/31\tBA\t5\t17\t90\t1\t44\n2020/01/02\tRM\t10\t20\t30\t40\t50\n";

std::string contenuto(const std::string& percorso)
{
    std::ifstream f(percorso, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

}

TEST(CliDestinazioni, LimiteDelleEstrazioni)
{
    testsupport::CartellaTemporanea dir;
    std::string grande;
    for (int a = 1939; a < 1967; ++a)
        for (int m = 1; m <= 12; ++m)
            for (int g = 1; g <= 28; ++g)
                grande += testsupport::rigaStorico(a, m, g, "BA", {1, 2, 3, 4, 5});   // 9408 draws
    for (int g = 1; g <= 30; ++g)
        for (int m = 1; m <= 12; ++m)
            if (m != 2)
                grande += testsupport::rigaStorico(1950 + g, m, 30, "BA", {1, 2, 3, 4, 5});   // 330 more
    for (int a = 1970; a < 2000; ++a)
        for (int m = 3; m <= 11; ++m)
            grande += testsupport::rigaStorico(a, m, 29, "BA", {1, 2, 3, 4, 5});   // 270 more: 10008 in all
    const std::string db = dir.file("a.db");
    ASSERT_EQ(lancia({"importa-storico", dir.scrivi("s.txt", Storico), db}).codice, 0);
    const std::string prima = contenuto(db);

    auto e = lancia({"importa-storico", dir.scrivi("grande.txt", grande), db, "--sovrascrivi"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.out, "");
    EXPECT_NE(e.err.find("più di 9999 estrazioni: un archivio ne può contenere al massimo 9999"), std::string::npos) << e.err;

    e = lancia({"genera-demo", db, "--fine", "2050-12-31"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_EQ(e.out, "");
    EXPECT_NE(e.err.find("più di 9999 estrazioni"), std::string::npos) << e.err;
    EXPECT_EQ(contenuto(db), prima);
}

TEST(CliDestinazioni, DestinazioniRifiutate)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("a.txt", Storico);
    auto e = lancia({"importa-storico", storico, storico, "--sovrascrivi"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("\"" + storico + "\" è lo stesso file da leggere"), std::string::npos) << e.err;
    EXPECT_EQ(contenuto(storico), Storico);

    const std::string db = dir.file("a.db");
    ASSERT_EQ(lancia({"importa-storico", storico, db}).codice, 0);
    const std::string cartella = dir.file("uscita");
    fs::create_directory(cartella);
    std::vector<std::string> rifiutate = {cartella, db};
#ifndef _WIN32
    // Symbolic links need a privilege on Windows.
    const std::string link = dir.file("link.db");
    fs::create_symlink(db, link);
    e = lancia({"genera-demo", link, "--massimo", "5"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("\"" + link + "\" è un collegamento simbolico"), std::string::npos) << e.err;
    EXPECT_TRUE(fs::is_symlink(link));
    rifiutate.push_back(link);
#endif

    // Exports: a folder, a link and the archive itself are refused with the file named.
    for (const std::string& uscita : rifiutate) {
        e = lancia({"esporta", "quintavo", db, uscita});
        EXPECT_EQ(e.codice, 1) << uscita;
        EXPECT_NE(e.err.find("\"" + uscita + "\""), std::string::npos) << e.err;
    }
    EXPECT_TRUE(fs::is_empty(cartella));
#ifndef _WIN32
    EXPECT_TRUE(fs::is_symlink(link));
#endif
    e = lancia({"info", db});
    EXPECT_EQ(e.codice, 0) << e.err;
    EXPECT_NE(e.out.find("\"estrazioni\":2"), std::string::npos) << e.out;

    // A replaced export keeps its permissions.
    const std::string q = dir.scrivi("q.txt", "vecchio");
    fs::permissions(q, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(lancia({"esporta", "quintavo", db, q}).codice, 0);
#ifndef _WIN32   // Windows keeps only a read-only mark, which would refuse the export
    EXPECT_EQ(fs::status(q).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
#endif
    EXPECT_NE(contenuto(q), "vecchio");
}
