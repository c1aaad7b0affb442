// The program folder of a build and of an installed program, and the first run's copy of the demonstration archive.
#include "session/CartellaProgramma.h"

#include "sistema/Percorsi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;
using session::Cartelle;

namespace {

class CartellaProgramma : public ::testing::Test {
protected:
    void SetUp() override
    {
        radice = fs::temp_directory_path() / ("velmora_cartella_" + std::to_string(std::random_device{}()));
        fs::create_directories(radice / "usr" / "bin");
        fs::create_directories(radice / "usr" / "share" / "velmora");
        dati = radice / "casa" / ".local" / "share" / "Velmora";
    }
    void TearDown() override { fs::remove_all(radice); }

    static void scrivi(const fs::path& p, const std::string& testo) { std::ofstream(p, std::ios::binary) << testo; }
    static std::string leggi(const fs::path& p)
    {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

    fs::path radice, dati;
};

TEST_F(CartellaProgramma, CartellaDellEseguibileSeHaIlDatabaseOIlSegnoDellaBuild)
{
    const fs::path bin = radice / "usr" / "bin";
    for (const char* nome : {"DbPiramide.db", "CartellaProgramma.txt"}) {
        scrivi(bin / nome, "x");
        const Cartelle c = session::scegliCartelle(bin, dati);
        EXPECT_EQ(c.programma, bin) << nome;
        EXPECT_EQ(c.risorse, bin) << nome;
        EXPECT_FALSE(c.installato) << nome;
        // A build is left as it is: no data folder appears.
        session::preparaCartellaDati(c);
        EXPECT_FALSE(fs::exists(radice / "casa")) << nome;
        fs::remove(bin / nome);
    }
}

TEST_F(CartellaProgramma, PrimoAvvioCopiaLArchivioDimostrativoEPoiTieneLaCopiaDellUtente)
{
#ifdef _WIN32
    const fs::path risorse = radice / "usr" / "bin";   // the installer puts them beside the executables
#else
    const fs::path risorse = radice / "usr" / "share" / "velmora";
#endif
    scrivi(risorse / "ArchivioDimostrativo.db", "originale");
    fs::permissions(risorse / "ArchivioDimostrativo.db", fs::perms::owner_read | fs::perms::group_read);
    const Cartelle c = session::scegliCartelle(radice / "usr" / "bin", dati);
    ASSERT_TRUE(c.installato);
    EXPECT_EQ(c.programma, dati);
    EXPECT_EQ(c.risorse, risorse);
    session::preparaCartellaDati(c);
    const fs::path copia = dati / "ArchivioDimostrativo.db";
    ASSERT_EQ(leggi(copia), "originale");
    // The archive maintenance writes to it: a read-only installed file must not stay read-only here.
    EXPECT_NE(fs::status(copia).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_FALSE(fs::exists(dati / "ArchivioDimostrativo.db.parziale"));

    scrivi(copia, "estrazioni aggiunte dall'utente");
    session::preparaCartellaDati(c);
    EXPECT_EQ(leggi(copia), "estrazioni aggiunte dall'utente");
    // Windows deletes no read-only file, the temporary folder's removal included.
    fs::permissions(risorse / "ArchivioDimostrativo.db", fs::perms::owner_all);
}

TEST_F(CartellaProgramma, CartellaDatiNonCreabileSegnalataPerNome)
{
    // A file where the folder should be.
    fs::create_directories(dati.parent_path());
    scrivi(dati, "non una cartella");
    const Cartelle c = session::scegliCartelle(radice / "usr" / "bin", dati);
    try {
        session::preparaCartellaDati(c);
        FAIL() << "nessun errore";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(dati.string()), std::string::npos) << e.what();
    }
}

// %APPDATA%\\Velmora on Windows: an absolute folder (a user name with accents included), never a
// relative one or a drive's root. The examples are absolute on the system the test runs on.
TEST(CartellaDatiUtenteWindows, SoloUnaCartellaAssoluta)
{
    const fs::path roaming = fs::temp_directory_path() / sistema::percorso("Nicolò") / "AppData" / "Roaming";
    const std::string testoRoaming = sistema::testo(roaming);
    EXPECT_EQ(session::cartellaDatiUtenteWindows(testoRoaming.c_str()), roaming.lexically_normal() / "Velmora");
    EXPECT_EQ(sistema::testo(session::cartellaDatiUtenteWindows(testoRoaming.c_str()).parent_path().parent_path().parent_path().filename()),
              "Nicolò");
    const std::string radiceDisco = sistema::testo(roaming.root_path());
    for (const char* senza : {static_cast<const char*>(nullptr), "", "AppData\\Roaming", "AppData/Roaming", radiceDisco.c_str()})
        EXPECT_EQ(session::cartellaDatiUtenteWindows(senza), fs::path()) << (senza ? senza : "(null)");
}

// Where an installed program keeps its data, from the environment; no home means no folder, never one
// at the root.
TEST(CartellaDatiUtente, DallAmbienteMaiNellaRadice)
{
#ifdef _WIN32
    GTEST_SKIP() << "XDG_DATA_HOME e HOME sono la regola di Linux; Windows usa %APPDATA% (CartellaDatiUtenteWindows)";
#endif
    const struct {
        const char* xdg;
        const char* home;
        const char* attesa;
    } casi[] = {
        {nullptr, "/home/anna", "/home/anna/.local/share/Velmora"},
        {"", "/home/anna/", "/home/anna/.local/share/Velmora"},
        {"/dati/xdg", "/home/anna", "/dati/xdg/Velmora"},
        {"relativa", "/home/anna", "/home/anna/.local/share/Velmora"},   // a relative XDG_DATA_HOME is ignored
        {"/", "/home/anna", "/home/anna/.local/share/Velmora"},
        {"/dati/xdg", nullptr, "/dati/xdg/Velmora"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
        {nullptr, "/", ""},
        {nullptr, "//.", ""},
        {nullptr, "casa", ""},
        {"", "", ""},
    };
    for (const auto& c : casi)
        EXPECT_EQ(session::cartellaDatiUtente(c.xdg, c.home), fs::path(c.attesa))
            << (c.xdg ? c.xdg : "(null)") << " " << (c.home ? c.home : "(null)");
}

TEST_F(CartellaProgramma, SenzaCartellaPersonaleNessunaCartellaDati)
{
    for (const fs::path& dati : {fs::path(), fs::path("/.local/share/Velmora"), fs::path("/Velmora"),
                                 fs::path("relativa/Velmora")}) {
        const Cartelle c = session::scegliCartelle(radice / "usr" / "bin", dati);
        ASSERT_TRUE(c.installato);
        try {
            session::preparaCartellaDati(c);
            FAIL() << "accettata " << dati;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("variabile ") + session::VariabileCartellaDati + " non impostata"),
                      std::string::npos)
                << e.what();
        }
    }
    EXPECT_FALSE(fs::exists("relativa"));
}

}
