// The one safe replacement at its edges (the longest names, a rename that fails at the last step) and the limits of outside text files.
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/FileDiTesto.h"
#include "storage/Sostituzione.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::set<std::string> voci(const fs::path& cartella)
{
    std::set<std::string> v;
    for (const auto& e : fs::directory_iterator(cartella))
        v.insert(e.path().filename().string());
    return v;
}

void scrivi(const std::string& percorso, const std::string& testo)
{
    std::ofstream(percorso, std::ios::binary) << testo;
}

template <class F>
std::string messaggio(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nessun errore)";
}

}

// Every name the file system takes can be replaced, a database included (its journal's name is longer still).
TEST(Sostituzione, NomiFinoAl255Byte)
{
    testsupport::CartellaTemporanea dir;
    for (const std::size_t lunghezza : {244U, 250U, 255U}) {
        SCOPED_TRACE(lunghezza);
        const std::string nome = dir.file(std::string(lunghezza - 3, 'n') + ".db");
        for (int volta = 0; volta < 2; ++volta) {
            storage::Sostituzione s(nome, true);
            {
                storage::Database db(s.provvisorio(), storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca, nome);
                storage::creaSchemaEstrazioni(db);
                db.esegui("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('2020-01-04', '01-02-03-04-05')");
            }
            s.conferma();
        }
        storage::Database db = storage::ApriArchivio(nome);
        auto q = db.prepara("SELECT count(*) FROM EstrazioniLotto");
        ASSERT_TRUE(q.avanza());
        EXPECT_EQ(q.intero(0), 1);
    }
    EXPECT_EQ(voci(dir.percorso()).size(), 3U) << "nothing left beside the files";
}

// The target turns into a folder with something in it after the checks: the rename fails, the
// replacement says so, and nothing is left beside.
TEST(Sostituzione, RinominaFallitaNonLasciaNulla)
{
    testsupport::CartellaTemporanea dir;
    const std::string destinazione = dir.file("uscita.txt");
    const std::string m = messaggio([&] {
        storage::Sostituzione s(destinazione, true);
        scrivi(s.provvisorio(), "nuovo");
        fs::create_directory(destinazione);
        scrivi(destinazione + "/dentro", "x");
        s.conferma();
    });
    EXPECT_NE(m.find("Impossibile sostituire il file \"" + destinazione + "\""), std::string::npos) << m;
    EXPECT_EQ(voci(dir.percorso()), std::set<std::string>{"uscita.txt"});
    EXPECT_TRUE(fs::is_directory(destinazione));
}

// A line of 4,096 characters is read, one of 4,097 is not; the CR of a CR LF does not count, a lone CR does.
TEST(FileDiTesto, LunghezzaMassimaDellaRiga)
{
    testsupport::CartellaTemporanea dir;
    const std::string piena(storage::RigaMassimaFileDiTesto, 'x');
    const struct {
        const char* nome;
        std::string testo;
        bool letto;
    } casi[] = {
        {"piena", "a\n" + piena + "\nb\n", true},
        {"piena senza a capo", "a\n" + piena, true},
        {"piena con CR LF", "a\r\n" + piena + "\r\nb\r\n", true},
        {"piena con CR LF in fondo", piena + "\r\n", true},
        {"un carattere in più", "a\n" + piena + "y\nb\n", false},
        {"un CR solo in più", "a\n" + piena + "\rb\n", false},
        {"un CR finale in più", "a\n" + piena + "\r", false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const std::string percorso = dir.file("riga.txt");
        scrivi(percorso, c.testo);
        const std::string m = messaggio([&] { storage::leggiFileDiTesto(percorso, "il file di prova"); });
        if (c.letto) {
            EXPECT_EQ(m, "(nessun errore)");
        } else {
            EXPECT_NE(m.find("\"" + percorso + "\": la riga 2 è più lunga di 4096 caratteri"), std::string::npos) << m;
        }
        // The same rule on text checked in pieces of every size, as a zip entry comes out.
        for (const std::size_t pezzo : {std::size_t(1), std::size_t(7), std::size_t(4096)}) {
            storage::ControlloRighe controllo;
            bool buono = true;
            for (std::size_t i = 0; buono && i < c.testo.size(); i += pezzo)
                buono = controllo.aggiungi(std::string_view(c.testo).substr(i, pezzo));
            EXPECT_EQ(buono && controllo.termina(), c.letto) << pezzo;
        }
    }
}

// A folder that may not be entered hides the file: said so, not "missing" (as an ordinary user:
// the superuser enters every folder).
TEST(AperturaDatabase, CartellaNonAccessibile)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows non ha i permessi POSIX di una cartella (chmod non la chiude) né un utente in cui scendere";
#else
    testsupport::CartellaTemporanea dir;
    const fs::path chiusa = dir.percorso() / "chiusa";
    fs::create_directory(chiusa);
    const std::string archivio = (chiusa / "archivio.db").string();
    {
        storage::Database db(archivio, storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca);
        storage::creaSchemaEstrazioni(db);
    }
    fs::permissions(chiusa, fs::perms::owner_read | fs::perms::owner_write);
    const auto apriComeUtente = [&] {
        if (::geteuid() == 0) {
            fs::permissions(dir.percorso(), fs::perms::others_exec, fs::perm_options::add);
            fs::permissions(chiusa, fs::perms::others_read);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                std::_Exit(3);
        }
        try {
            storage::ApriArchivio(archivio);
        } catch (const storage::ErroreDatabase& e) {
            const std::string m = e.what();
            std::fprintf(stderr, "%s\n", m.c_str());
            std::_Exit(e.tipo() == storage::ErroreDatabase::Tipo::Permessi && m.find("non è accessibile") != std::string::npos
                               && m.find(archivio) != std::string::npos
                           ? 0
                           : 1);
        }
        std::_Exit(2);
    };
    EXPECT_EXIT(apriComeUtente(), ::testing::ExitedWithCode(0), "non è accessibile");
    fs::permissions(chiusa, fs::perms::owner_all);
#endif
}
