// The program database: creation, configuration rows, operators, side file.
#include "storage/ProgramDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

using storage::Database;

namespace {
std::int64_t conta(Database& db, const std::string& tabella)
{
    auto s = db.prepara("SELECT count(*) FROM " + tabella);   // test-only table names
    s.avanza();
    return s.intero(0);
}
}

TEST(DatabaseProgramma, CreatoQuandoMancaConTabelleERighe)
{
    testsupport::CartellaTemporanea dir;
    {
        Database db = storage::ApriDatabaseProgramma(dir.percorso().string());
        for (const char* t : {"ParametriProgramma", "Salvataggi", "Giocate", "Impostazioni", "Operatori",
                              "PiramidiElenco", "PiramideComposizione"})
            EXPECT_TRUE(db.esisteTabella(t)) << t;
        EXPECT_EQ(storage::LeggiParametro(db, "PercorsoArchivio"), std::optional<std::string>(""));
        EXPECT_EQ(storage::LeggiParametro(db, "EstrazioneIniziale"), std::optional<std::string>("1"));
        EXPECT_EQ(storage::LeggiParametro(db, "IndirizzoInternet"), std::optional<std::string>(""));
        EXPECT_EQ(storage::LeggiParametro(db, "PercorsoDati.iii"), std::optional<std::string>(""));
        // No update server until one is configured; the Quintavo folder defaults to the home.
        EXPECT_EQ(storage::LeggiParametro(db, "ServerAggiornamenti"), std::optional<std::string>(""));
        EXPECT_EQ(storage::LeggiParametro(db, "PercorsoQuintavo"), std::optional<std::string>(""));
        EXPECT_EQ(storage::LeggiParametro(db, "StoricoUfficiale"),
                  std::optional<std::string>("https://www.brightstarlottery.it/STORICO_ESTRAZIONI_LOTTO/storico.zip"));
        // The Lotto's payouts per euro and the levy, as the law has them today.
        EXPECT_EQ(storage::LeggiParametro(db, "PagaCinquina"), std::optional<std::string>("6000000"));
        EXPECT_EQ(storage::LeggiParametro(db, "RitenutaVincite"), std::optional<std::string>("8"));
        EXPECT_EQ(conta(db, "ParametriProgramma"), 13);

        const auto operatori = storage::LeggiOperatori(db);
        ASSERT_EQ(operatori.size(), storage::CatalogoPredefinito().size());
        std::set<std::string> codici;
        for (std::size_t i = 0; i < operatori.size(); ++i) {
            codici.insert(operatori[i].operatore);
            if (i > 0) {
                EXPECT_LT(operatori[i - 1].operatore, operatori[i].operatore) << "in code order";
            }
        }
        for (const auto& r : storage::CatalogoPredefinito())
            EXPECT_TRUE(codici.count(r.operatore)) << r.operatore;

        // A configuration edited by the user survives the next opening.
        storage::ScriviParametro(db, "EstrazioneIniziale", "100");
        storage::ScriviParametro(db, "StoricoUfficiale", "http://specchio.example.org/storico.zip");
    }
    {
        Database db = storage::ApriDatabaseProgramma(dir.percorso().string());
        EXPECT_EQ(storage::LeggiParametro(db, "EstrazioneIniziale"), std::optional<std::string>("100"));
        EXPECT_EQ(storage::LeggiParametro(db, "StoricoUfficiale"),
                  std::optional<std::string>("http://specchio.example.org/storico.zip"));
        // Seven rows of configuration and six of payouts and levy.
        EXPECT_EQ(conta(db, "ParametriProgramma"), 13);
        // A database of an earlier version, without the row, gets it with today's address.
        db.esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'StoricoUfficiale'");
    }
    Database db = storage::ApriDatabaseProgramma(dir.percorso().string());
    EXPECT_EQ(storage::LeggiParametro(db, "StoricoUfficiale"),
              std::optional<std::string>("https://www.brightstarlottery.it/STORICO_ESTRAZIONI_LOTTO/storico.zip"));
    EXPECT_EQ(conta(db, "ParametriProgramma"), 13);
    EXPECT_EQ(conta(db, "Operatori"), static_cast<std::int64_t>(storage::CatalogoPredefinito().size()));
}

TEST(DatabaseProgramma, TabelleMancantiRicreateSenzaToccareLeAltre)
{
    testsupport::CartellaTemporanea dir;
    {
        Database db = storage::ApriDatabaseProgramma(dir.percorso().string());
        db.esegui("DROP TABLE Giocate");
        db.esegui("DELETE FROM Operatori WHERE Operatore = 'DEC'");
    }
    Database db = storage::ApriDatabaseProgramma(dir.percorso().string());
    EXPECT_TRUE(db.esisteTabella("Giocate"));
    // The table of plays as earlier versions made it: the new columns are added, its rows kept.
    db.esegui("DROP TABLE Giocate");
    db.esegui("CREATE TABLE Giocate (IdGiocata INTEGER PRIMARY KEY AUTOINCREMENT, Data TEXT, Ruote TEXT, Numeri TEXT, Note TEXT)");
    db.esegui("INSERT INTO Giocate (Data, Ruote, Numeri, Note) VALUES ('01/02/2026', 'BA', '12', 'vecchia')");
    db = storage::ApriDatabaseProgramma(dir.percorso().string());
    auto giocate = db.prepara("SELECT Note, Poste, Colpi, FinoPrimaVincita, Annunciata FROM Giocate");
    ASSERT_TRUE(giocate.avanza());
    EXPECT_EQ(giocate.testo(0), "vecchia");
    EXPECT_TRUE(giocate.nullo(2));
    EXPECT_EQ(conta(db, "Operatori"), static_cast<std::int64_t>(storage::CatalogoPredefinito().size()) - 1)
        << "an existing catalogue is the user's data";
}

TEST(DatabaseProgramma, FileNonDatabaseNonVieneSovrascritto)
{
    testsupport::CartellaTemporanea dir;
    const std::string p = dir.scrivi(storage::NomeDatabaseProgramma, "non sono un database\n");
    EXPECT_THROW(storage::ApriDatabaseProgramma(dir.percorso().string()), storage::ErroreDatabase);
    std::ifstream f(p);
    std::string riga;
    std::getline(f, riga);
    EXPECT_EQ(riga, "non sono un database");
}

TEST(Parametri, ChiaveSenzaMaiuscoleRigaMancanteIndirizzoEsatto)
{
    testsupport::CartellaTemporanea dir;
    Database db = storage::ApriDatabaseProgramma(dir.percorso().string());

    storage::ScriviParametro(db, "percorsoarchivio", "C:\\Lotto\\Archivio Misto.DB");
    EXPECT_EQ(storage::LeggiParametro(db, "PERCORSOARCHIVIO"), std::optional<std::string>("C:\\Lotto\\Archivio Misto.DB"));
    EXPECT_EQ(storage::LeggiParametro(db, "PercorsoArchivio"), std::optional<std::string>("C:\\Lotto\\Archivio Misto.DB"));

    // A missing row is never added and nothing is reported.
    db.esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'PercorsoArchivio'");
    EXPECT_NO_THROW(storage::ScriviParametro(db, "PercorsoArchivio", "altro.db"));
    EXPECT_EQ(storage::LeggiParametro(db, "PercorsoArchivio"), std::nullopt);
    EXPECT_EQ(conta(db, "ParametriProgramma"), 12);

    // The key is unique without regard to case.
    EXPECT_THROW(db.esegui("INSERT INTO ParametriProgramma (Parametro) VALUES ('INDIRIZZOINTERNET')"),
                 storage::ErroreDatabase);

    // The address is taken only from the row spelled exactly.
    EXPECT_EQ(storage::LeggiIndirizzoInternet(db), "");
    db.esegui("UPDATE ParametriProgramma SET Parametro = 'indirizzointernet', Valore1 = 'http://sbagliato'"
              " WHERE Parametro = 'IndirizzoInternet'");
    EXPECT_EQ(storage::LeggiIndirizzoInternet(db), "");
    EXPECT_EQ(storage::LeggiParametro(db, "IndirizzoInternet"), std::optional<std::string>("http://sbagliato"));
    db.esegui("UPDATE ParametriProgramma SET Parametro = 'IndirizzoInternet', Valore1 = 'https://www.lotto.example'"
              " WHERE Parametro = 'indirizzointernet'");
    EXPECT_EQ(storage::LeggiIndirizzoInternet(db), "https://www.lotto.example");
}

TEST(Operatori, CodiciConfrontatiEsattamente)
{
    testsupport::CartellaTemporanea dir;
    Database db = storage::ApriDatabaseProgramma(dir.percorso().string());
    // "som" and "SOM " are other codes than "SOM": the evaluator would not know them,
    // but the table must not merge them with the real one.
    db.esegui("INSERT INTO Operatori (Operatore, Tipo) VALUES ('som', 2)");
    db.esegui("INSERT INTO Operatori (Operatore, Tipo) VALUES ('SOM ', 2)");
    EXPECT_THROW(db.esegui("INSERT INTO Operatori (Operatore, Tipo) VALUES ('SOM', 2)"), storage::ErroreDatabase);
}

TEST(FilePercorso, RigaTraVirgolette)
{
    testsupport::CartellaTemporanea dir;
    ASSERT_TRUE(storage::ScriviPercorsoDatabase(dir.percorso().string(), "/home/utente/Lotto 2026.db"));
    ASSERT_TRUE(storage::ScriviPercorsoDatabase(dir.percorso().string(), "/dati/Archivio.db"));
    std::ifstream f(dir.file(storage::NomeFilePercorso), std::ios::binary);
    const std::string contenuto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contenuto, "\"/dati/Archivio.db\"\n");
    EXPECT_FALSE(storage::ScriviPercorsoDatabase(dir.file("manca/sotto"), "x"));
}
