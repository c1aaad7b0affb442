// Faults a player may meet: the archive replaced, damaged, unreadable or deleted, a program database short of a
// table, a full disk, the process killed in the middle of a write. Each proves the message and that nothing is lost.
#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "grid/Grid.h"
#include "maintenance/Caselle.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"
#include "support/ArchivioDimostrativo.h"
#include "support/Cli.h"
#include "support/TempDir.h"
#include "SupportoGuasti.h"
#include "workbench/Salvataggi.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace testsupport::guasti;

namespace {

class Guasti : public ::testing::Test {
protected:
    void SetUp() override
    {
        archivio = cartella.file("archivio.db");
        archive::ImportaStorico(cartella.scrivi("storico.txt", storico(300)), archivio);
        prima = contenuto(archivio);
    }

    testsupport::CartellaTemporanea cartella;
    std::string archivio;
    std::string prima;
};

// The archive loaded by a running program is replaced by something else: the reload and the CLI say
// "damaged or not ours", naming the file; the draws in memory and the file itself stay as they were.
TEST_F(Guasti, ArchivioSostituitoDaTestoAltraPasswordOFileDimezzato)
{
    const std::string integro = leggi(archivio);
    const std::vector<std::pair<std::string, std::function<std::string()>>> casi = {
        {"testo", [&] { return std::string("1939/01/07\tBA\t58\t22\t47\t49\t69\r\n"); }},
        {"altra password",
         [&] {
             const std::string altro = cartella.file("altro.db");
             {
                 storage::Database db(altro, "UnAltraPwd", storage::Database::Modo::CreaSeManca);
                 storage::creaSchemaEstrazioni(db);
             }
             return leggi(altro);
         }},
        {"tagliato a metà", [&] { return integro.substr(0, integro.size() / 2); }},
        // Bytes damaged near the start: once called a wrong password, which a player never sets.
        {"danneggiato all'inizio",
         [&] {
             std::string d = integro;
             for (std::size_t i = 40; i < 104; ++i)
                 d[i] = static_cast<char>(d[i] ^ 0x5a);
             return d;
         }},
    };
    for (const auto& [nome, sostituto] : casi) {
        SCOPED_TRACE(nome);
        archive::Archivio a;
        a.EstrazioneIniziale = 1;
        storage::Database db;
        archive::CaricaArchivio(a, archivio, db);
        const int n = a.NumeroEstrazioni;
        ASSERT_EQ(n, 300);

        // Replaced beside and renamed over, as a copy by another program would.
        const std::string guasto = sostituto();
        {
            std::ofstream f(cartella.file("nuovo.tmp"), std::ios::binary);
            f << guasto;
        }
        fs::rename(cartella.file("nuovo.tmp"), archivio);
        try {
            archive::CaricaArchivio(a, archivio, db);
            ADD_FAILURE() << "caricato";
        } catch (const archive::ErroreCaricamento& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find("\"" + archivio + "\""), std::string::npos) << m;
            EXPECT_NE(m.find("danneggiato o non è un archivio di Velmora"), std::string::npos) << m;
            EXPECT_FALSE(e.accesso());
            senzaInglese(m);
        }
        EXPECT_EQ(a.NumeroEstrazioni, n);
        EXPECT_EQ(a.DateEstrazioni[1], testsupport::archivioDimostrativo().DateEstrazioni[1]);

        const auto u = testsupport::lancia({"info", archivio});
        EXPECT_EQ(u.codice, 1);
        EXPECT_NE(u.err.find("danneggiato o non è un archivio di Velmora"), std::string::npos) << u.err;
        EXPECT_NE(u.err.find(archivio), std::string::npos) << u.err;
        senzaInglese(u.err);
        EXPECT_EQ(leggi(archivio), guasto) << "a refused file is never written";

        // The good archive back for the next case.
        std::ofstream(archivio, std::ios::binary | std::ios::trunc) << integro;
    }
}

// A file this user may not read is said to be so, not called a foreign file; the superuser reads
// every file, so there the mapping is proved by the storage tests alone.
TEST_F(Guasti, ArchivioIlleggibile)
{
    fs::permissions(archivio, fs::perms::none);
    // Root reads every file whatever its mode: the loader then runs as an ordinary user in a child.
    const auto caricaComeUtente = [&] {
        if (::geteuid() == 0) {
            fs::permissions(cartella.percorso(), fs::perms::others_exec, fs::perm_options::add);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                std::_Exit(3);
        }
        archive::Archivio a;
        a.EstrazioneIniziale = 1;
        try {
            archive::CaricaArchivio(a, archivio);
        } catch (const archive::ErroreCaricamento& e) {
            const std::string m = e.what();
            std::fprintf(stderr, "%s\n", m.c_str());
            std::_Exit(e.accesso() && m.find("permessi insufficienti") != std::string::npos
                               && m.find(archivio) != std::string::npos
                           ? 0
                           : 1);
        }
        std::_Exit(2);
    };
    EXPECT_EXIT(caricaComeUtente(), ::testing::ExitedWithCode(0), "permessi insufficienti");
    if (::geteuid() != 0) {
        const auto u = testsupport::lancia({"info", archivio});
        EXPECT_EQ(u.codice, 1);
        EXPECT_NE(u.err.find("permessi insufficienti"), std::string::npos) << u.err;
        senzaInglese(u.err);
    }
    fs::permissions(archivio, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(contenuto(archivio), prima);
}

// The archive deleted, then another written in its place, while the program holds it open: a save
// would go to a file nobody can see. It is refused, the draws in memory stay, the new file is untouched.
TEST_F(Guasti, ArchivioEliminatoOSostituitoMentreIlProgrammaFunziona)
{
    storage::Database db = storage::ApriArchivio(archivio);
    archive::Archivio a;
    a.EstrazioneIniziale = 1;
    archive::CaricaArchivio(a, archivio, db);
    const auto caselle = maintenance::caselleDiEstrazione(a, 5);
    ASSERT_TRUE(fs::remove(archivio));

    const auto salva = [&] {
        try {
            maintenance::salvaEstrazione(db, a, "07/01/2030", caselle);
            ADD_FAILURE() << "salvata in un file eliminato";
        } catch (const maintenance::ErroreScrittura& e) {
            EXPECT_NE(std::string(e.what()).find("eliminato, spostato o sostituito"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(archivio), std::string::npos);
        }
        EXPECT_EQ(a.NumeroEstrazioni, 300);
    };
    salva();
    EXPECT_THROW(archive::CaricaArchivio(a, archivio, db), archive::ErroreCaricamento);
    EXPECT_EQ(a.NumeroEstrazioni, 300);

    archive::ImportaStorico(cartella.scrivi("altro.txt", storico(20, 500)), archivio);
    const std::string nuovo = contenuto(archivio);
    salva();
    EXPECT_EQ(contenuto(archivio), nuovo);
}

// A program database that lost a table gets it back with the default rows, keeping the other
// tables' rows; a table of another layout is named in Italian, with the file.
TEST(GuastiProgramma, TabellaMancanteOConAltriCampi)
{
    testsupport::CartellaTemporanea cartella;
    const std::string file = cartella.file(storage::NomeDatabaseProgramma);
    {
        auto db = storage::ApriDatabaseProgramma(cartella.percorso().string());
        storage::ScriviParametro(db, "PercorsoArchivio", "/dati/archivio.db");
        db.esegui("INSERT INTO PiramidiElenco (Denominazione) VALUES ('La mia piramide')");
        db.esegui("DROP TABLE Operatori");
    }
    {
        auto db = storage::ApriDatabaseProgramma(cartella.percorso().string());
        EXPECT_EQ(storage::LeggiParametro(db, "PercorsoArchivio").value_or(""), "/dati/archivio.db");
        EXPECT_EQ(storage::LeggiOperatori(db).size(), storage::CatalogoPredefinito().size());
        workbench::PannelloPiramidi pannello;
        workbench::elencaConfigurazioni(db, pannello);
        ASSERT_EQ(pannello.configurazioni.size(), 1u);
        EXPECT_EQ(pannello.configurazioni[0].denominazione, "La mia piramide");

        db.esegui("DROP TABLE PiramidiElenco");
        db.esegui("CREATE TABLE PiramidiElenco (IDPiramide INTEGER PRIMARY KEY, Nome TEXT)");
        try {
            workbench::elencaConfigurazioni(db, pannello);
            ADD_FAILURE();
        } catch (const storage::ErroreDatabase& e) {
            EXPECT_EQ(e.tipo(), storage::ErroreDatabase::Tipo::Struttura);
            EXPECT_NE(std::string(e.what()).find("\"" + file + "\""), std::string::npos) << e.what();
            senzaInglese(e.what());
        }
    }
    // No file of a creation is left beside the database.
    EXPECT_EQ(nomiNellaCartella(cartella.percorso()), std::set<std::string>{storage::NomeDatabaseProgramma});
}

// The disk fills during an import over an existing archive: the message says so and names the
// archive (not the hidden file beside it); the old archive is intact and nothing is left beside it.
TEST_F(Guasti, DiscoPienoDuranteImportazione)
{
    const std::string grande = cartella.scrivi("grande.txt", storico(3000, 301));
    const std::string esito = conDiscoPieno(64 * 1024, [&] { archive::ImportaStorico(grande, archivio, true); });
    EXPECT_NE(esito.find("Disco pieno"), std::string::npos) << esito;
    EXPECT_NE(esito.find("\"" + archivio + "\""), std::string::npos) << esito;
    EXPECT_EQ(esito.find(".archivio.db."), std::string::npos) << esito;
    senzaInglese(esito);
    EXPECT_EQ(contenuto(archivio), prima);
    EXPECT_EQ(nomiNellaCartella(cartella.percorso()), (std::set<std::string>{"archivio.db", "storico.txt", "grande.txt"}));
}

// The disk fills during SALVA ESTRAZIONE: refused with the reason, the table as it was.
TEST_F(Guasti, DiscoPienoDuranteSalvataggio)
{
    const std::string esito = conDiscoPieno(4096, [&] {
        storage::Database db = storage::ApriArchivio(archivio);
        archive::Archivio a;
        a.EstrazioneIniziale = 1;
        archive::CaricaArchivio(a, archivio, db);
        // A small cache makes the engine write pages before the commit, as a long write would.
        db.esegui("PRAGMA cache_size = 2");
        maintenance::salvaEstrazione(db, a, "07/01/2030", maintenance::caselleDiEstrazione(a, 5));
    });
    EXPECT_NE(esito.find("Disco pieno"), std::string::npos) << esito;
    EXPECT_NE(esito.find("\"" + archivio + "\""), std::string::npos) << esito;
    senzaInglese(esito);
    EXPECT_EQ(contenuto(archivio), prima);
}

// SIGKILL in the middle of an import over an existing archive: the old archive is there, whole;
// what the dead import left (its lock, its hidden file) does not stop the next one.
TEST_F(Guasti, UccisoDuranteImportazione)
{
    const std::string grande = cartella.scrivi("grande.txt", storico(3000, 301));
    ASSERT_TRUE(uccidiAMeta([&](int fd) {
        FermoAMeta av(fd);
        archive::ImportaStorico(grande, archivio, true, &av);
    }));
    EXPECT_EQ(contenuto(archivio), prima);
    const auto esito = archive::ImportaStorico(grande, archivio, true);
    EXPECT_EQ(esito.estrazioni, 3000);
    const auto u = testsupport::lancia({"info", archivio});
    EXPECT_EQ(u.codice, 0) << u.err;
    EXPECT_NE(u.out.find("\"estrazioni\":3000"), std::string::npos) << u.out;
}

// SIGKILL in the middle of a long write into the archive itself (many rows in the one transaction of
// a save, pages already spilled to the file): the next open rolls it back to the old draws, whole.
TEST_F(Guasti, UccisoDuranteUnaScritturaLunga)
{
    const auto& demo = testsupport::archivioDimostrativo();
    ASSERT_TRUE(uccidiAMeta([&](int fd) {
        storage::Database db = storage::ApriArchivio(archivio);
        archive::Archivio a;
        a.EstrazioneIniziale = 1;
        archive::CaricaArchivio(a, archivio, db);
        db.esegui("PRAGMA cache_size = 2");
        FermoAMeta av(fd);
        maintenance::scriviERicarica(db, a, [&](storage::Database& d) {
            auto s = d.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES (?1, ?2)");
            for (int i = 0; i < 2000; ++i) {
                const std::string data = storage::DataPerDb(demo.DateEstrazioni[static_cast<std::size_t>(1000 + i)]);
                s.lega(1, data).lega(2, "01-02-03-04-05");
                s.esegui();
                av.imposta(1, i + 1, 2000);
            }
            return true;
        });
    }));
    EXPECT_EQ(contenuto(archivio), prima);
}

}

namespace {

// An archive as another program may have left it: a stray 99 and an impossible date.
TEST(GuastiDati, LaRigaDiComandoAvvisaUnaVoltaSuStandardError)
{
    testsupport::CartellaTemporanea cartella;
    const std::string p = cartella.file("vecchio.db");
    {
        storage::Database db(p, storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca);
        storage::creaSchemaEstrazioni(db);
        db.esegui("INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca) VALUES ('1939-01-07', '01-99-03-04-05', '10-11-12-13-14'),"
                  " ('1939-01-14', '01-02-03-04-05', '10-11-12-13-14'), ('2000-02-30', '01-02-03-04-05', '')");
    }
    const std::string file = leggi(p);
    const auto u = testsupport::lancia({"info", p});
    EXPECT_EQ(u.codice, 0) << u.err;
    EXPECT_EQ(u.out, "{\"estrazioni\":2,\"prima\":\"07/01/1939\",\"ultima\":\"14/01/1939\"}\n");
    EXPECT_NE(u.err.find("estrazione n° 1 del 07/01/1939: numeri fuori da 1..90 letti come mancanti: Bari posizione 2 (99)"),
              std::string::npos) << u.err;
    EXPECT_NE(u.err.find("\"2000-02-30\""), std::string::npos) << u.err;
    EXPECT_EQ(u.err.find("alcuni dati non sono validi"), u.err.rfind("alcuni dati non sono validi")) << "told once";
    const auto e = testsupport::lancia({"estrazioni", p});
    EXPECT_NE(e.out.find("\t1\t0\t3\t4\t5\t"), std::string::npos) << "99 read as missing";
    EXPECT_EQ(leggi(p), file) << "the file is not changed";
}

}
