// The file, clock and environment calls each system makes its own way, held to one behaviour.
#include "sistema/File.h"
#include "sistema/Orologio.h"
#include "sistema/Percorsi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string leggi(const std::string& percorso)
{
    std::ifstream f(sistema::percorso(percorso), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void scrivi(const std::string& percorso, const std::string& testo)
{
    std::ofstream(sistema::percorso(percorso), std::ios::binary) << testo;
}

// Names with letters outside ASCII (a user named Nicolò, a folder "Estrazioni è già") reach the
// file system as those letters: listed back, the name is the same UTF-8 text.
TEST(Percorsi, NomiConAccentiArrivanoInteriAlFileSystem)
{
    testsupport::CartellaTemporanea dir;
    const std::string cartella = sistema::testo(dir.percorso()) + "/Nicolò è già";
    fs::create_directory(sistema::percorso(cartella));
    const std::string file = cartella + "/archivio à ù.db";
    scrivi(file, "contenuto");
    EXPECT_EQ(leggi(file), "contenuto");

    std::set<std::string> nomi;
    for (const auto& voce : fs::directory_iterator(sistema::percorso(cartella)))
        nomi.insert(sistema::testo(voce.path().filename()));
    EXPECT_EQ(nomi, std::set<std::string>{"archivio à ù.db"});
    EXPECT_EQ(sistema::testo(sistema::percorso(file).filename()), "archivio à ù.db");
}

// One holder of a replacement's lock at a time; the lock file goes with its holder.
TEST(Blocco, UnSoloDetentoreEIlFileSparisceAlRilascio)
{
    testsupport::CartellaTemporanea dir;
    const std::string nome = dir.file(".blocco");
    sistema::Blocco primo, secondo;
    ASSERT_EQ(primo.prendi(nome), sistema::Blocco::Esito::Preso);
    EXPECT_EQ(secondo.prendi(nome), sistema::Blocco::Esito::Occupato);
    primo.rilascia();
    EXPECT_FALSE(fs::exists(sistema::percorso(nome)));
    EXPECT_EQ(secondo.prendi(nome), sistema::Blocco::Esito::Preso);
    {
        sistema::Blocco terzo;
        EXPECT_EQ(terzo.prendi(nome), sistema::Blocco::Esito::Occupato);
    }
    secondo.rilascia();
    EXPECT_EQ(primo.prendi(dir.file("manca/.blocco")), sistema::Blocco::Esito::Impossibile);
}

TEST(FileUnico, NomiNuoviMaiUnoEsistente)
{
    testsupport::CartellaTemporanea dir;
    const std::string inizio = dir.file(".vlm.");
    std::set<std::string> nomi;
    for (int i = 0; i < 20; ++i) {
        const std::string nome = sistema::creaFileUnico(inizio);
        ASSERT_EQ(nome.size(), inizio.size() + 6) << nome;
        EXPECT_EQ(nome.compare(0, inizio.size(), inizio), 0) << nome;
        EXPECT_TRUE(fs::is_regular_file(sistema::percorso(nome)));
        EXPECT_EQ(fs::file_size(sistema::percorso(nome)), 0U);
        nomi.insert(nome);
    }
    EXPECT_EQ(nomi.size(), 20U);
    EXPECT_EQ(sistema::creaFileUnico(dir.file("manca/.vlm.")), "");
}

// The rename replaces the target in one step, and the mode given beforehand travels with the file.
TEST(Sostituisci, IlNuovoFilePrendeIlPostoDelVecchio)
{
    testsupport::CartellaTemporanea dir;
    const std::string vecchio = dir.file("archivio.db"), nuovo = dir.file("nuovo");
    scrivi(vecchio, "vecchio");
    scrivi(nuovo, "nuovo");
    ASSERT_TRUE(sistema::sincronizzaFile(nuovo));
    ASSERT_TRUE(sistema::impostaModo(nuovo, 0444));
    ASSERT_TRUE(sistema::sostituisci(nuovo, vecchio));
    EXPECT_EQ(leggi(vecchio), "nuovo");
    EXPECT_FALSE(fs::exists(sistema::percorso(nuovo)));
    const auto scrittura = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    EXPECT_EQ(fs::status(sistema::percorso(vecchio)).permissions() & scrittura, fs::perms::none);
    ASSERT_TRUE(sistema::impostaModo(vecchio, 0644));
    EXPECT_NE(fs::status(sistema::percorso(vecchio)).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_FALSE(sistema::sostituisci(dir.file("manca"), vecchio));
    EXPECT_FALSE(sistema::rimuovi(dir.file("manca")));
    EXPECT_TRUE(sistema::rimuovi(vecchio));
}

// A reader that holds the old file open: POSIX replaces it under the reader, Windows refuses, which
// is what RinominaSopraFileAperto tells the replacement.
TEST(Sostituisci, SopraUnFileApertoComeDichiarato)
{
    testsupport::CartellaTemporanea dir;
    const std::string vecchio = dir.file("aperto.db"), nuovo = dir.file("nuovo");
    scrivi(vecchio, "vecchio");
    scrivi(nuovo, "nuovo");
    {
        std::ifstream lettore(sistema::percorso(vecchio), std::ios::binary);
        ASSERT_TRUE(lettore.is_open());
        EXPECT_EQ(sistema::sostituisci(nuovo, vecchio), sistema::RinominaSopraFileAperto);
    }
    if (!sistema::RinominaSopraFileAperto) {
        ASSERT_TRUE(sistema::sostituisci(nuovo, vecchio));
    }
    EXPECT_EQ(leggi(vecchio), "nuovo");
}

TEST(OraLocale, UnGiornoNotoNelFusoDelSistema)
{
    // Noon UTC of 8 December 2026 is 8 December in every time zone within twelve hours of it.
    std::tm t{};
    ASSERT_TRUE(sistema::oraLocale(1796731200, t));
    EXPECT_EQ(t.tm_year + 1900, 2026);
    EXPECT_EQ(t.tm_mon + 1, 12);
    EXPECT_EQ(t.tm_mday, 8);
}

}
