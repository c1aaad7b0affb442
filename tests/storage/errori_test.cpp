// The engine's results as a player reads them: the kind of fault, Italian, naming the file given.
#include "storage/ErroriDatabase.h"

#include <gtest/gtest.h>

#include <sqlcipher/sqlite3.h>

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#endif

using Tipo = storage::ErroreDatabase::Tipo;

namespace {

// The system's own codes, as the engine reports them: errno on POSIX, GetLastError() on Windows.
#ifdef _WIN32
constexpr int Spazio = ERROR_DISK_FULL, Troppo = ERROR_FILE_TOO_LARGE, Guasto = ERROR_CRC, Negato = ERROR_ACCESS_DENIED,
              Manca = ERROR_FILE_NOT_FOUND;
#else
constexpr int Spazio = ENOSPC, Troppo = EFBIG, Guasto = EIO, Negato = EACCES, Manca = ENOENT;
#endif

}

// Every result a damaged file, a full disk or a file of another user gives, with the system error the
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
        {SQLITE_IOERR_WRITE, Spazio, "disk I/O error", Tipo::DiscoPieno, "Disco pieno"},
        {SQLITE_IOERR_WRITE, Troppo, "disk I/O error", Tipo::DiscoPieno, "Disco pieno"},
        {SQLITE_IOERR_READ, Guasto, "disk I/O error", Tipo::Disco, "Errore di lettura o scrittura sul disco"},
        {SQLITE_IOERR_FSYNC, Negato, "disk I/O error", Tipo::Permessi, "permessi insufficienti"},
        {SQLITE_CANTOPEN, Negato, "unable to open database file", Tipo::Permessi, "permessi insufficienti"},
        {SQLITE_CANTOPEN, Manca, "unable to open database file", Tipo::PercorsoErrato, "non esiste o non si può aprire"},
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
