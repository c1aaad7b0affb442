// A file named from outside SELEZIONE ARCHIVIO becomes the stored choice only once it opened as a draws database.
#include "session/Sessione.h"

#include "archive/ArchivioDimostrativo.h"
#include "storage/ProgramDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string leggi(const std::string& p)
{
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string archivioDi(const testsupport::CartellaTemporanea& dir, const std::string& nome, int estrazioni)
{
    archive::OpzioniDimostrativo o;
    o.massimo = estrazioni;
    archive::CreaArchivioDimostrativo(dir.file(nome), o);
    return dir.file(nome);
}

}

TEST(SessioneArchivio, SceltaMemorizzataSoloDopoCheSiApre)
{
    testsupport::CartellaTemporanea dir;
    archive::Archivio a;
    session::Sessione s(dir.percorso().string(), a);
    s.apriDatabaseProgramma();
    const std::string buono = archivioDi(dir, "buono.db", 20);
    ASSERT_TRUE(s.apriESelezionaArchivio(buono));
    EXPECT_EQ(s.erroreArchivio(), "");
    EXPECT_TRUE(s.dbEstrazioni().aperto());
    EXPECT_EQ(s.dbEstrazioni().percorso(), buono);
    const std::string file = dir.file("PercorsoDatabase.txt");
    EXPECT_EQ(leggi(file), "\"" + buono + "\"\n");

    // Not a database, not a draws database (the program's own), not there: each says why and changes nothing.
    const std::string testo = dir.scrivi("testo.db", "non sono un archivio");
    for (const std::string& cattivo : {testo, dir.file("DbPiramide.db"), dir.file("manca.db")}) {
        EXPECT_FALSE(s.apriESelezionaArchivio(cattivo)) << cattivo;
        EXPECT_NE(s.erroreArchivio().find(cattivo), std::string::npos) << s.erroreArchivio();
        EXPECT_EQ(s.percorsoArchivio(), buono);
        EXPECT_EQ(storage::LeggiParametro(s.dbProgramma(), "PercorsoArchivio"), buono);
        EXPECT_EQ(leggi(file), "\"" + buono + "\"\n");
        EXPECT_TRUE(s.dbEstrazioni().aperto());
        EXPECT_EQ(s.dbEstrazioni().percorso(), buono);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("manca.db")));

    // A relative name is stored whole, and the next start loads that file.
    const std::string altro = archivioDi(dir, "altro.db", 12);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.percorso());
    const bool aperto = s.apriESelezionaArchivio("altro.db");
    std::filesystem::current_path(cwd);
    ASSERT_TRUE(aperto);
    EXPECT_EQ(s.percorsoArchivio(), altro);
    s.chiudi();

    session::Sessione dopo(dir.percorso().string(), a);
    dopo.apriDatabaseProgramma();
    dopo.leggiPercorsoArchivio();
    EXPECT_EQ(dopo.percorsoArchivio(), altro);
    ASSERT_TRUE(dopo.apriArchivio());
    a.EstrazioneIniziale = 1;
    dopo.carica();
    EXPECT_EQ(a.NumeroEstrazioni, 12);
}

// The whole life of a session without a window: the program database opened (and refused when it is not one),
// a choice that cannot be stored said in Italian naming the file, the load of the chosen file, its errors.
TEST(SessioneArchivio, AperturaSceltaCaricamentoEErrori)
{
    testsupport::CartellaTemporanea dir;
    archive::Archivio a;
    {
        const std::string rotto = dir.scrivi("DbPiramide.db", std::string(4096, 'x'));
        session::Sessione s(dir.percorso().string(), a);
        EXPECT_THROW(s.apriDatabaseProgramma(), storage::ErroreDatabase);
        std::filesystem::remove(rotto);
    }
    session::Sessione s(dir.percorso().string(), a);
    s.apriDatabaseProgramma();
    s.leggiPercorsoArchivio();
    EXPECT_EQ(s.percorsoArchivio(), "");
    EXPECT_FALSE(s.apriArchivio());
    EXPECT_THROW(s.carica(), archive::ErroreCaricamento);

    // PercorsoDatabase.txt cannot be replaced (a folder stands in its place): the choice holds for this run,
    // the program database still remembers it, and the warning names the file that was not written.
    std::filesystem::create_directory(dir.file("PercorsoDatabase.txt"));
    const std::string archivio = archivioDi(dir, "scelto.db", 15);
    const std::string avviso = s.selezionaArchivio(archivio);
    EXPECT_NE(avviso.find("non è stata memorizzata"), std::string::npos) << avviso;
    EXPECT_NE(avviso.find(dir.file("PercorsoDatabase.txt")), std::string::npos) << avviso;
    EXPECT_EQ(s.avvisoScelta(), avviso);
    EXPECT_EQ(s.percorsoArchivio(), archivio);
    EXPECT_EQ(storage::LeggiParametro(s.dbProgramma(), "PercorsoArchivio"), archivio);
    ASSERT_TRUE(s.apriArchivio());
    s.ImpostaInizialix();
    s.carica();
    EXPECT_EQ(a.NumeroEstrazioni, 15);

    std::filesystem::remove(dir.file("PercorsoDatabase.txt"));
    EXPECT_EQ(s.selezionaArchivio(archivio), "");
    EXPECT_EQ(s.avvisoScelta(), "");

    // A stored start draw outside a draw index's range is refused, not wrapped.
    storage::ScriviParametro(s.dbProgramma(), "EstrazioneIniziale", "70000");
    EXPECT_THROW(s.ImpostaInizialix(), std::runtime_error);
}
