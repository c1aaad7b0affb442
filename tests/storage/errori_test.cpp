// The engine's results as a player reads them: the kind of fault, Italian, naming the file given.
#include "storage/ErroriDatabase.h"

#include <gtest/gtest.h>

#include <sqlcipher/sqlite3.h>

#include <cerrno>

using Tipo = storage::ErroreDatabase::Tipo;

// Every result a damaged file, a full disk or a file of another user gives, with the errno the
// engine saw; the kind and the words expected are written out by hand.
TEST(ErroriDatabase, CodiciDelMotoreInTipiEMessaggiItaliani)
{
    struct Caso {
        int codice;
        int errno_;
        const char* motore;
        Tipo tipo;
        const char* parole;
    };
    const Caso casi[] = {
        {SQLITE_CORRUPT, 0, "database disk image is malformed", Tipo::NonDatabase, "danneggiato o non è un archivio di Velmora"},
        {SQLITE_NOTADB, 0, "file is not a database", Tipo::NonDatabase, "danneggiato o non è un archivio di Velmora"},
        {SQLITE_FULL, 0, "database or disk is full", Tipo::DiscoPieno, "Disco pieno"},
        {SQLITE_IOERR_WRITE, ENOSPC, "disk I/O error", Tipo::DiscoPieno, "Disco pieno"},
        {SQLITE_IOERR_WRITE, EFBIG, "disk I/O error", Tipo::DiscoPieno, "Disco pieno"},
        {SQLITE_IOERR_READ, EIO, "disk I/O error", Tipo::Disco, "Errore di lettura o scrittura sul disco"},
        {SQLITE_IOERR_FSYNC, EACCES, "disk I/O error", Tipo::Permessi, "permessi insufficienti"},
        {SQLITE_CANTOPEN, EACCES, "unable to open database file", Tipo::Permessi, "permessi insufficienti"},
        {SQLITE_CANTOPEN, ENOENT, "unable to open database file", Tipo::PercorsoErrato, "non esiste o non si può aprire"},
        {SQLITE_READONLY, 0, "attempt to write a readonly database", Tipo::Permessi, "permessi insufficienti"},
        {SQLITE_BUSY, 0, "database is locked", Tipo::Occupato, "in uso da un'altra operazione"},
        {SQLITE_ERROR, 0, "no such column: Mensile", Tipo::Struttura, "non ha la struttura attesa"},
        {SQLITE_ERROR, 0, "no such table: Operatori", Tipo::Struttura, "non ha la struttura attesa"},
        {SQLITE_ERROR, 0, "near \"x\": syntax error", Tipo::Sql, "Errore del database"},
        {SQLITE_CONSTRAINT_UNIQUE, 0, "UNIQUE constraint failed", Tipo::Sql, "rifiuta il dato"},
    };
    const std::string file = "/home/giocatore/Lotto/archivio.db";
    for (const Caso& c : casi) {
        const auto e = storage::erroreDelMotore(c.codice, c.errno_, c.motore, file);
        const std::string m = e.what();
        EXPECT_EQ(e.tipo(), c.tipo) << c.motore;
        EXPECT_NE(m.find(c.parole), std::string::npos) << m;
        EXPECT_NE(m.find("\"" + file + "\""), std::string::npos) << m;
        EXPECT_EQ(m.find(c.motore), std::string::npos) << "the engine's English leaked: " << m;
    }
}
