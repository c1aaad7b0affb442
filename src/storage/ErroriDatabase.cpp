// The engine's result codes mapped once to the kinds of fault a player can act on, in Italian.
#include "storage/ErroriDatabase.h"

#include "sistema/File.h"

#include <sqlcipher/sqlite3.h>


namespace storage {

std::string messaggioPerTipo(ErroreDatabase::Tipo tipo, const std::string& file)
{
    const std::string f = "\"" + file + "\"";
    using Tipo = ErroreDatabase::Tipo;
    switch (tipo) {
    case Tipo::PercorsoErrato:
        return "Il file " + f + " non esiste o non si può aprire";
    case Tipo::Permessi:
        return "Impossibile accedere al file " + f + ": permessi insufficienti (il file non è leggibile o non è "
               "scrivibile da questo utente)";
    case Tipo::NonDatabase:
        return "Il file " + f + " è danneggiato o non è un archivio di Velmora";
    case Tipo::DiscoPieno:
        return "Disco pieno: impossibile scrivere il file " + f + "; liberare spazio e riprovare";
    case Tipo::Disco:
        return "Errore di lettura o scrittura sul disco con il file " + f;
    case Tipo::Occupato:
        return "Il file " + f + " è in uso da un'altra operazione: riprovare più tardi";
    case Tipo::Struttura:
        return "Il database " + f + " non ha la struttura attesa (manca una tabella o un campo): è danneggiato o "
               "appartiene a un altro programma";
    case Tipo::Spostato:
        return "Il file " + f + " è stato eliminato, spostato o sostituito mentre il programma era in funzione: "
               "nessuna modifica è stata scritta; riavviare il programma";
    case Tipo::Sql:
        break;
    }
    return "Errore del database " + f;
}

ErroreDatabase erroreDelMotore(int codice, int erroreSistema, std::string_view testoMotore, const std::string& file)
{
    using Tipo = ErroreDatabase::Tipo;
    auto errore = [&](Tipo tipo) { return ErroreDatabase(tipo, messaggioPerTipo(tipo, file)); };
    const bool spazio = sistema::erroreSpazio(erroreSistema);
    const bool negato = sistema::erroreNegato(erroreSistema);
    switch (codice & 0xff) {
    case SQLITE_FULL:
        return errore(Tipo::DiscoPieno);
    case SQLITE_IOERR:
        // A write cut short by the size limit or a full quota is a full disk to the user.
        if (spazio)
            return errore(Tipo::DiscoPieno);
        return errore(negato ? Tipo::Permessi : Tipo::Disco);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return errore(Tipo::NonDatabase);
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_READONLY:
        return errore(Tipo::Permessi);
    case SQLITE_CANTOPEN:
        if (negato)
            return errore(Tipo::Permessi);
        return errore(Tipo::PercorsoErrato);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return errore(Tipo::Occupato);
    case SQLITE_NOMEM:
        return ErroreDatabase(Tipo::Sql, "Memoria insufficiente per usare il database \"" + file + "\"");
    case SQLITE_ERROR:
        if (testoMotore.find("no such table") != std::string_view::npos
            || testoMotore.find("no such column") != std::string_view::npos
            || testoMotore.find("has no column") != std::string_view::npos)
            return errore(Tipo::Struttura);
        break;
    case SQLITE_CONSTRAINT:
        return ErroreDatabase(Tipo::Sql, "Il database \"" + file + "\" rifiuta il dato: valore già presente o non ammesso");
    default:
        break;
    }
    return ErroreDatabase(Tipo::Sql, messaggioPerTipo(Tipo::Sql, file) + " (codice " + std::to_string(codice) + ")");
}

ErroreDatabase erroreDellaConnessione(sqlite3* db, const std::string& file)
{
    if (!db)
        return ErroreDatabase(ErroreDatabase::Tipo::Sql, "Memoria insufficiente per usare il database \"" + file + "\"");
    return erroreDelMotore(sqlite3_extended_errcode(db), sqlite3_system_errno(db), sqlite3_errmsg(db), file);
}

}
