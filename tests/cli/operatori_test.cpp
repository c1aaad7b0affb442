// velmora-cli operatori / operatore, run in-process: catalogue listing and evaluation of input lines.
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"
#include "support/ArchivioReale.h"
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

using testsupport::CartellaTemporanea;
using testsupport::lancia;
using testsupport::righe;

TEST(CliOperatori, CatalogoOrdinatoPerCodice)
{
    const auto e = lancia({"operatori"});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto l = righe(e.out);
    ASSERT_EQ(l.size(), 44u);
    EXPECT_TRUE(std::is_sorted(l.begin(), l.end()));
    EXPECT_EQ(l.front().substr(0, 4), "1-2\t");
    EXPECT_NE(std::find(l.begin(), l.end(), "PER+\t7\tSi\tSi\tSi\tSi\tMoltiplica 2 numeri e aggiunge fisso"), l.end());
    EXPECT_NE(std::find(l.begin(), l.end(), "UFIG\t2\tSi\tSi\tSi\tSi\tUnisce le figure di 2 numeri (F90)"), l.end());
    EXPECT_NE(std::find(l.begin(), l.end(), "MAG5\t6\t\t\tSi\t\tIl numero maggiore della ruota"), l.end());
}

TEST(CliOperatori, DatabaseDelProgrammaDaLoStessoElenco)
{
    CartellaTemporanea cartella;
    storage::ApriDatabaseProgramma(cartella.percorso().string());
    const auto db = (cartella.percorso() / storage::NomeDatabaseProgramma).string();
    const auto e = lancia({"operatori", "--programma", db});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, lancia({"operatori"}).out);

    const auto mancante = (cartella.percorso() / "assente.db").string();
    EXPECT_EQ(lancia({"operatori", "--programma", mancante}).codice, 1);
    EXPECT_FALSE(fs::exists(mancante));   // listing must not create a database
    EXPECT_EQ(lancia({"operatori", "--sconosciuta", "x"}).codice, 2);

    // A draws archive opens with the same password but holds no catalogue.
    const auto archivio = (cartella.percorso() / "archivio.db").string();
    {
        storage::Database a(archivio, storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca);
        storage::creaSchemaEstrazioni(a);
    }
    const auto sbagliato = lancia({"operatori", "--programma", archivio});
    EXPECT_EQ(sbagliato.codice, 1);
    EXPECT_NE(sbagliato.err.find("non contiene la tabella Operatori"), std::string::npos) << sbagliato.err;
}

TEST(CliOperatori, OperatoreSuRigheDiIngresso)
{
    const std::string ingresso =
        "SOM\t45\t45\t0\t0\t0\t0\t0\t0\n"
        "PIR\t37\t52\t0\t0\t0\t0\t0\t0\r\n"
        "DEC\t91\t0\t0\t0\t0\t0\t0\t0\n"        // outside the tables
        "XYZ\t5\t5\t0\t0\t0\t0\t0\t0\n"         // unknown code: the initial result
        "SOM \t1\t2\t0\t0\t0\t0\t0\t0\n"        // codes are compared exactly
        "SOMN\t0\t0\t0\t1\t0\t5\t0\t0\n"        // no archive: draw 1 does not exist
        "MIN5\t0\t0\t0\t1\t0\t0\t0\t0\n"
        "MED\t0\t0\t0\t1\t0\t0\t0\t0\n"         // no positions to average
        "PIRD\t0\t0\t0\t10000\t0\t0\t0\t0\n"    // past the archive
        "FIX\t80\t0\t15\t0\t0\t0\t0\t0\n"
        "SOM\t1\t2\t0\n"                        // too few fields
        "SOM\tuno\t2\t0\t0\t0\t0\t0\t0\n"
        "SOM\t40000\t2\t0\t0\t0\t0\t0\t0\n"     // not a 16-bit number
        "\n"
        "PG12\t1\t2\t0\t0\t0\t0\t0\t0\n";
    const auto e = lancia({"operatore", "--stdin"}, ingresso);
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, "90\n41\nERRORE\n0\n0\nERRORE\nERRORE\nERRORE\nERRORE\n5\nERRORE\nERRORE\nERRORE\n31\n");
    EXPECT_EQ(lancia({"operatore"}).codice, 2);
}

TEST(CliOperatori, OperatoreLeggeLArchivio)
{
    const auto* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non disponibile";
    const std::string& db = testsupport::databaseReale();
    CartellaTemporanea cartella;
    const int d = a->NumeroEstrazioni;
    ASSERT_GT(d, 0);

    std::string ingresso, atteso;
    for (int r = 0; r < archive::NumeroRuote; ++r) {
        const std::int16_t* n = a->ruota(d, r);
        ingresso += "MAG5\t0\t0\t0\t" + std::to_string(d) + "\t" + std::to_string(r) + "\t0\t0\t0\n";
        atteso += std::to_string(*std::max_element(n + 1, n + 6)) + "\n";
        ingresso += "SOMN\t0\t0\t0\t" + std::to_string(d) + "\t" + std::to_string(r) + "\t2\t0\t0\n";
        const int s = (n[1] + n[2]) % 90;
        atteso += std::to_string(s == 0 ? 90 : s) + "\n";
    }
    const auto e = lancia({"operatore", "--stdin", "--archivio", db}, ingresso);
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, atteso);

    EXPECT_EQ(lancia({"operatore", "--stdin", "--archivio", (cartella.percorso() / "no.db").string()}, "").codice, 1);
}

}
