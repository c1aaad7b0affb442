// velmora-cli operatori / operatore, run in-process: catalogue listing and evaluation of input lines.
#include "archive/Archivio.h"
#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "cli/Comandi.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"
#include "support/Storico.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Esito {
    int codice;
    std::string out, err;
};

Esito esegui(const std::vector<std::string>& argomenti, const std::string& ingresso = {})
{
    std::istringstream in(ingresso);
    std::ostringstream out, err;
    const int codice = cli::esegui(argomenti, in, out, err);
    return {codice, out.str(), err.str()};
}

class CartellaTemporanea {
public:
    CartellaTemporanea()
    {
        std::random_device rd;
        percorso_ = fs::temp_directory_path() / ("velmora-cli-op-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(percorso_);
    }
    ~CartellaTemporanea()
    {
        std::error_code ec;
        fs::remove_all(percorso_, ec);
    }
    const fs::path& percorso() const { return percorso_; }

private:
    fs::path percorso_;
};

std::vector<std::string> righe(const std::string& testo)
{
    std::vector<std::string> r;
    std::istringstream s(testo);
    for (std::string l; std::getline(s, l);)
        r.push_back(l);
    return r;
}

TEST(CliOperatori, CatalogoOrdinatoPerCodice)
{
    const auto e = esegui({"operatori"});
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
    const auto e = esegui({"operatori", "--programma", db});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, esegui({"operatori"}).out);

    const auto mancante = (cartella.percorso() / "assente.db").string();
    EXPECT_EQ(esegui({"operatori", "--programma", mancante}).codice, 1);
    EXPECT_FALSE(fs::exists(mancante));   // listing must not create a database
    EXPECT_EQ(esegui({"operatori", "--sconosciuta", "x"}).codice, 2);

    // A draws archive opens with the same password but holds no catalogue.
    const auto archivio = (cartella.percorso() / "archivio.db").string();
    {
        storage::Database a(archivio, storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca);
        storage::creaSchemaEstrazioni(a);
    }
    const auto sbagliato = esegui({"operatori", "--programma", archivio});
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
        "SOMN\t0\t0\t0\t1\t0\t5\t0\t0\n"        // empty archive: 0 reduced
        "MIN5\t0\t0\t0\t1\t0\t0\t0\t0\n"
        "MED\t0\t0\t0\t1\t0\t0\t0\t0\n"         // no positions to average
        "PIRD\t0\t0\t0\t10000\t0\t0\t0\t0\n"    // past the archive
        "FIX\t80\t0\t15\t0\t0\t0\t0\t0\n"
        "SOM\t1\t2\t0\n"                        // too few fields
        "SOM\tuno\t2\t0\t0\t0\t0\t0\t0\n"
        "SOM\t40000\t2\t0\t0\t0\t0\t0\t0\n"     // not a 16-bit number
        "\n"
        "PG12\t1\t2\t0\t0\t0\t0\t0\t0\n";
    const auto e = esegui({"operatore", "--stdin"}, ingresso);
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, "90\n41\nERRORE\n0\n0\n90\n0\nERRORE\nERRORE\n5\nERRORE\nERRORE\nERRORE\n31\n");
    EXPECT_EQ(esegui({"operatore"}).codice, 2);
}

TEST(CliOperatori, OperatoreLeggeLArchivio)
{
    const auto storico = testsupport::percorsoStorico();
    if (storico.empty())
        GTEST_SKIP() << "archivio storico non disponibile";
    CartellaTemporanea cartella;
    const auto db = (cartella.percorso() / "archivio.db").string();
    archive::ImportaStorico(storico, db);
    auto a = std::make_unique<archive::Archivio>();
    a->EstrazioneIniziale = 1;
    archive::CaricaArchivio(*a, db);
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
    const auto e = esegui({"operatore", "--stdin", "--archivio", db}, ingresso);
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, atteso);

    EXPECT_EQ(esegui({"operatore", "--stdin", "--archivio", (cartella.percorso() / "no.db").string()}, "").codice, 1);
}

}
