// Opening, error kinds, statements and transactions of the encrypted databases.
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sqlcipher/sqlite3.h>

using storage::Database;
using storage::ErroreDatabase;
using Tipo = storage::ErroreDatabase::Tipo;

namespace {

Tipo tipoErrore(const std::string& percorso, const std::string& password = storage::PasswordDatabase(),
                Database::Modo modo = Database::Modo::SoloEsistente)
{
    try {
        Database db(percorso, password, modo);
    } catch (const ErroreDatabase& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
        return e.tipo();
    }
    ADD_FAILURE() << "aperto senza errori: " << percorso;
    return Tipo::Sql;
}

std::string creaCifrato(const testsupport::CartellaTemporanea& dir, const std::string& nome)
{
    const std::string p = dir.file(nome);
    Database db(p, storage::PasswordDatabase(), Database::Modo::CreaSeManca);
    db.esegui("CREATE TABLE t (x INTEGER)");
    db.esegui("INSERT INTO t VALUES (1)");
    return p;
}

}

TEST(AperturaDatabase, TipiDiErrore)
{
    testsupport::CartellaTemporanea dir;
    EXPECT_EQ(tipoErrore(""), Tipo::PercorsoErrato);
    EXPECT_EQ(tipoErrore(dir.file("manca.db")), Tipo::PercorsoErrato);
    EXPECT_EQ(tipoErrore(dir.percorso().string()), Tipo::PercorsoErrato);
    EXPECT_EQ(tipoErrore(dir.file("cartella-inesistente/x.db"), storage::PasswordDatabase(), Database::Modo::CreaSeManca),
              Tipo::PercorsoErrato);

    EXPECT_EQ(tipoErrore(dir.scrivi("vuoto.db", "")), Tipo::NonDatabase);
    EXPECT_EQ(tipoErrore(dir.scrivi("testo.db", "1939/01/07\tBA\t58\t22\t47\t49\t69\r\n")), Tipo::NonDatabase);
    // Text that happens to fill whole pages is still text.
    EXPECT_EQ(tipoErrore(dir.scrivi("testo1024.db", std::string(1024, 'x'))), Tipo::NonDatabase);

    // A clear SQLite file is a database, but not one of ours.
    const std::string chiaro = dir.file("chiaro.db");
    {
        sqlite3* h = nullptr;
        ASSERT_EQ(sqlite3_open(chiaro.c_str(), &h), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(h, "CREATE TABLE t (x)", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(h);
    }
    EXPECT_EQ(tipoErrore(chiaro), Tipo::NonDatabase);

    const std::string cifrato = creaCifrato(dir, "cifrato.db");
    EXPECT_EQ(tipoErrore(cifrato, "Sbagliata1"), Tipo::NonDatabase);
    // The refused file is untouched and still opens with the right password.
    Database db(cifrato, storage::PasswordDatabase());
    auto s = db.prepara("SELECT x FROM t");
    ASSERT_TRUE(s.avanza());
    EXPECT_EQ(s.intero(0), 1);
}

TEST(AperturaDatabase, IlFileCifratoNonMostraIlContenuto)
{
    testsupport::CartellaTemporanea dir;
    const std::string p = dir.file("segreto.db");
    {
        Database db(p, storage::PasswordDatabase(), Database::Modo::CreaSeManca);
        db.esegui("CREATE TABLE t (x TEXT)");
        db.prepara("INSERT INTO t VALUES (?1)").lega(1, "PAROLAVISIBILE").esegui();
    }
    std::ifstream f(p, std::ios::binary);
    const std::string contenuto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contenuto.find("SQLite format 3"), std::string::npos);
    EXPECT_EQ(contenuto.find("PAROLAVISIBILE"), std::string::npos);
}

TEST(Istruzioni, ParametriLegatiETestoOstile)
{
    testsupport::CartellaTemporanea dir;
    Database db(dir.file("p.db"), storage::PasswordDatabase(), Database::Modo::CreaSeManca);
    db.esegui("CREATE TABLE t (a TEXT, b INTEGER, c REAL)");
    const std::string ostile = "x'); DROP TABLE t; --";
    auto ins = db.prepara("INSERT INTO t VALUES (?1, ?2, ?3)");
    ins.lega(1, ostile).lega(2, 42).lega(3, 2.5);
    ins.esegui();
    ins.lega(1, "secondo").legaNull(2).lega(3, 0.0);
    ins.esegui();
    EXPECT_EQ(db.modificate(), 1);
    EXPECT_EQ(db.ultimoId(), 2);

    auto s = db.prepara("SELECT a, b, c FROM t ORDER BY rowid");
    ASSERT_TRUE(s.avanza());
    EXPECT_EQ(s.testo(0), ostile);
    EXPECT_EQ(s.intero(1), 42);
    EXPECT_DOUBLE_EQ(s.reale(2), 2.5);
    ASSERT_TRUE(s.avanza());
    EXPECT_TRUE(s.nullo(1));
    EXPECT_EQ(s.testo(1), "");
    EXPECT_FALSE(s.avanza());
    EXPECT_EQ(s.numeroColonne(), 3);
    EXPECT_EQ(s.nomeColonna(2), "c");

    EXPECT_THROW(db.prepara("SELECT * FROM inesistente"), ErroreDatabase);
    EXPECT_THROW(db.esegui("NON E SQL"), ErroreDatabase);
    EXPECT_TRUE(db.esisteTabella("t"));
    EXPECT_FALSE(db.esisteTabella("u"));
}

TEST(Transazioni, AnnullataSenzaCommitConfermataConCommit)
{
    testsupport::CartellaTemporanea dir;
    Database db(dir.file("t.db"), storage::PasswordDatabase(), Database::Modo::CreaSeManca);
    db.esegui("CREATE TABLE t (x INTEGER UNIQUE)");
    const auto conta = [&] {
        auto s = db.prepara("SELECT count(*) FROM t");
        s.avanza();
        return s.intero(0);
    };
    try {
        storage::Transazione t(db);
        db.esegui("INSERT INTO t VALUES (1)");
        db.esegui("INSERT INTO t VALUES (1)");   // duplicate: throws before the commit
        t.conferma();
    } catch (const ErroreDatabase& e) {
        EXPECT_EQ(e.tipo(), Tipo::Sql);
    }
    EXPECT_EQ(conta(), 0);
    {
        storage::Transazione t(db);
        db.esegui("INSERT INTO t VALUES (1)");
        db.esegui("INSERT INTO t VALUES (2)");
        t.conferma();
    }
    EXPECT_EQ(conta(), 2);
}

TEST(ArchivioEstrazioni, SchemaVistaEDate)
{
    testsupport::CartellaTemporanea dir;
    const std::string p = dir.file("archivio.db");
    {
        Database db(p, storage::PasswordDatabase(), Database::Modo::CreaSeManca);
        storage::creaSchemaEstrazioni(db);
        auto ins = db.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES (?1, ?2)");
        ins.lega(1, "2026-08-21").lega(2, "05-17-90-01-44");
        ins.esegui();
        ins.lega(1, "2026-08-21").lega(2, "01-02-03-04-05");
        EXPECT_THROW(ins.esegui(), ErroreDatabase) << "a date is stored once";
        ins.lega(1, "21/08/2026");
        EXPECT_THROW(ins.esegui(), ErroreDatabase) << "only the AAAA-MM-GG form is stored";
    }
    Database db = storage::ApriArchivio(p);
    auto s = db.prepara("SELECT A, M, G FROM Query_AAMMGG");
    ASSERT_TRUE(s.avanza());
    EXPECT_EQ(s.intero(0), 2026);
    EXPECT_EQ(s.intero(1), 8);
    EXPECT_EQ(s.intero(2), 21);
    EXPECT_FALSE(s.avanza());
    // The loader's own query text runs against the schema (To is an SQL keyword).
    auto q = db.prepara(storage::QueryEstrazioni);
    ASSERT_TRUE(q.avanza());
    EXPECT_EQ(q.testo(0), "2026-08-21");
    EXPECT_EQ(q.testo(1), "05-17-90-01-44");
    EXPECT_TRUE(q.nullo(9));

    // A database of ours without the draws table is the wrong file.
    const std::string altro = creaCifrato(dir, "altro.db");
    try {
        storage::ApriArchivio(altro);
        ADD_FAILURE();
    } catch (const ErroreDatabase& e) {
        EXPECT_EQ(e.tipo(), Tipo::NonDatabase);
    }

    EXPECT_EQ(storage::DataDaDb("1939-01-07"), "07/01/1939");
    EXPECT_EQ(storage::DataPerDb("07/01/1939"), "1939-01-07");
    EXPECT_EQ(storage::DataPerDb("29/02/2024"), "2024-02-29");
    EXPECT_EQ(storage::DataPerDb("29/02/2023"), "");
    EXPECT_EQ(storage::DataPerDb("31/04/2020"), "");
    EXPECT_EQ(storage::DataPerDb("7/1/1939"), "");
    EXPECT_EQ(storage::DataDaDb("1939/01/07"), "");
}
