// The RAII layer over SQLCipher: opening with the password, statements, transactions.
#include "storage/Database.h"

#include <sqlcipher/sqlite3.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace storage {

namespace fs = std::filesystem;

const std::string& PasswordDatabase()
{
    // Five pieces so that the whole word never lies in the binary as one string.
    static const std::string password = std::string("Vm") + "8q" + "R" + "t3" + "L";
    return password;
}

namespace {

[[noreturn]] void erroreSql(sqlite3* db, const std::string& contesto)
{
    std::string dettaglio = db ? sqlite3_errmsg(db) : "memoria insufficiente";
    throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Errore del database (" + contesto + "): " + dettaglio);
}

// Why a file that SQLCipher refused (SQLITE_NOTADB) was refused. SQLCipher cannot
// tell a wrong key from a file of another kind, so the file itself is examined:
// - a plain SQLite file ("SQLite format 3\0" in clear) is a database, but not one
//   of ours: our files are encrypted from the first byte;
// - a file smaller than one page (512 bytes, the smallest page SQLite knows), a
//   size that is not a whole number of 512-byte blocks, or a first block made only
//   of printable text is not a database at all;
// - anything else (whole pages of bytes that look random) is taken for an
//   encrypted database that the password does not open.
ErroreDatabase::Tipo classificaRifiuto(const std::string& percorso)
{
    std::error_code ec;
    const auto dimensione = fs::file_size(percorso, ec);
    if (ec || dimensione < 512 || dimensione % 512 != 0)
        return ErroreDatabase::Tipo::NonDatabase;
    std::ifstream f(percorso, std::ios::binary);
    std::array<char, 512> blocco{};
    if (!f.read(blocco.data(), blocco.size()))
        return ErroreDatabase::Tipo::NonDatabase;
    static constexpr char intestazione[] = "SQLite format 3";   // with its '\0', 16 bytes
    if (std::equal(intestazione, intestazione + sizeof intestazione, blocco.begin()))
        return ErroreDatabase::Tipo::NonDatabase;
    bool soloTesto = true;
    for (const char c : blocco) {
        const auto u = static_cast<unsigned char>(c);
        if (!(u == '\t' || u == '\n' || u == '\r' || (u >= 0x20 && u < 0x7f) || u >= 0x80)) {
            soloTesto = false;
            break;
        }
    }
    return soloTesto ? ErroreDatabase::Tipo::NonDatabase : ErroreDatabase::Tipo::PasswordErrata;
}

std::string messaggioRifiuto(ErroreDatabase::Tipo tipo, const std::string& percorso)
{
    if (tipo == ErroreDatabase::Tipo::PasswordErrata)
        return "La password non consente di aprire il database \"" + percorso + "\"";
    return "Il file \"" + percorso + "\" non è un database di Velmora";
}

}

Database::Database(const std::string& percorso, const std::string& password, Modo modo) : percorso_(percorso)
{
    using Tipo = ErroreDatabase::Tipo;
    std::error_code ec;
    if (percorso.empty())
        throw ErroreDatabase(Tipo::PercorsoErrato, "Percorso del database non indicato");
    const bool esiste = fs::exists(percorso, ec);
    if (esiste && fs::is_directory(percorso, ec))
        throw ErroreDatabase(Tipo::PercorsoErrato, "\"" + percorso + "\" è una cartella, non un database");
    if (!esiste && modo == Modo::SoloEsistente)
        throw ErroreDatabase(Tipo::PercorsoErrato, "Il database \"" + percorso + "\" non esiste");
    // An empty file would be taken by the engine for a new database and silently
    // filled: an archive the user picked is refused; the program's own database may
    // be empty after a creation that was interrupted, and is then created anew.
    const bool vuoto = esiste && fs::file_size(percorso, ec) == 0;
    if (vuoto && modo == Modo::SoloEsistente)
        throw ErroreDatabase(Tipo::NonDatabase, messaggioRifiuto(Tipo::NonDatabase, percorso));
    if (esiste && !vuoto && classificaRifiuto(percorso) == Tipo::NonDatabase) {
        // A clear SQLite file or text: refused before the engine touches it.
        throw ErroreDatabase(Tipo::NonDatabase, messaggioRifiuto(Tipo::NonDatabase, percorso));
    }

    int flag = SQLITE_OPEN_READWRITE;
    if (modo == Modo::CreaSeManca)
        flag |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(percorso.c_str(), &db_, flag, nullptr);
    if (rc != SQLITE_OK) {
        const std::string dettaglio = db_ ? sqlite3_errmsg(db_) : "memoria insufficiente";
        chiudi();
        throw ErroreDatabase(Tipo::PercorsoErrato, "Impossibile aprire il database \"" + percorso + "\": " + dettaglio);
    }
    // The key goes through the API, never spliced into SQL text.
    if (sqlite3_key(db_, password.data(), static_cast<int>(password.size())) != SQLITE_OK) {
        const std::string dettaglio = sqlite3_errmsg(db_);
        chiudi();
        throw ErroreDatabase(Tipo::Sql, "Impossibile impostare la password del database: " + dettaglio);
    }
    sqlite3_busy_timeout(db_, 5000);
    // The key is only checked when the first page is read.
    const int verifica = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (verifica != SQLITE_OK) {
        const std::string dettaglio = sqlite3_errmsg(db_);
        chiudi();
        if (verifica == SQLITE_NOTADB) {
            const Tipo tipo = esiste && !vuoto ? classificaRifiuto(percorso) : Tipo::NonDatabase;
            throw ErroreDatabase(tipo, messaggioRifiuto(tipo, percorso));
        }
        throw ErroreDatabase(Tipo::PercorsoErrato, "Impossibile leggere il database \"" + percorso + "\": " + dettaglio);
    }
}

Database::~Database() { chiudi(); }

Database::Database(Database&& altro) noexcept
    : db_(std::exchange(altro.db_, nullptr)), percorso_(std::move(altro.percorso_))
{
}

Database& Database::operator=(Database&& altro) noexcept
{
    if (this != &altro) {
        chiudi();
        db_ = std::exchange(altro.db_, nullptr);
        percorso_ = std::move(altro.percorso_);
    }
    return *this;
}

void Database::chiudi()
{
    if (db_) {
        // close_v2 defers the close until a forgotten statement is finalised.
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void Database::esegui(const std::string& sql)
{
    if (!db_)
        throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Database non aperto");
    char* errore = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &errore) != SQLITE_OK) {
        std::string dettaglio = errore ? errore : sqlite3_errmsg(db_);
        sqlite3_free(errore);
        throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Errore del database: " + dettaglio);
    }
}

Istruzione Database::prepara(const std::string& sql) { return Istruzione(*this, sql); }

std::int64_t Database::ultimoId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }

int Database::modificate() const { return db_ ? sqlite3_changes(db_) : 0; }

bool Database::esisteTabella(const std::string& nome)
{
    Istruzione s(*this, "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE");
    s.lega(1, nome);
    return s.avanza();
}

Istruzione::Istruzione(Database& db, const std::string& sql) : db_(db.connessione())
{
    if (!db_)
        throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Database non aperto");
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        erroreSql(db_, "preparazione");
    if (!stmt_)
        throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Errore del database: istruzione vuota");
}

Istruzione::~Istruzione() { sqlite3_finalize(stmt_); }

Istruzione::Istruzione(Istruzione&& altro) noexcept : db_(altro.db_), stmt_(std::exchange(altro.stmt_, nullptr)) {}

namespace {
void controllaLegame(sqlite3* db, int rc)
{
    if (rc != SQLITE_OK)
        erroreSql(db, "parametro");
}
}

Istruzione& Istruzione::lega(int indice, std::int64_t valore)
{
    controllaLegame(db_, sqlite3_bind_int64(stmt_, indice, valore));
    return *this;
}

Istruzione& Istruzione::lega(int indice, double valore)
{
    controllaLegame(db_, sqlite3_bind_double(stmt_, indice, valore));
    return *this;
}

Istruzione& Istruzione::lega(int indice, std::string_view valore)
{
    controllaLegame(db_, sqlite3_bind_text(stmt_, indice, valore.data(), static_cast<int>(valore.size()), SQLITE_TRANSIENT));
    return *this;
}

Istruzione& Istruzione::legaNull(int indice)
{
    controllaLegame(db_, sqlite3_bind_null(stmt_, indice));
    return *this;
}

bool Istruzione::avanza()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // Reset after taking the message, so that the statement can be bound and run again.
    const std::string dettaglio = sqlite3_errmsg(db_);
    sqlite3_reset(stmt_);
    throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Errore del database (esecuzione): " + dettaglio);
}

void Istruzione::esegui()
{
    while (avanza()) {
    }
    riavvolgi();
}

void Istruzione::riavvolgi()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Istruzione::nullo(int colonna) const { return sqlite3_column_type(stmt_, colonna) == SQLITE_NULL; }

std::int64_t Istruzione::intero(int colonna) const { return sqlite3_column_int64(stmt_, colonna); }

double Istruzione::reale(int colonna) const { return sqlite3_column_double(stmt_, colonna); }

std::string Istruzione::testo(int colonna) const { return std::string(vista(colonna)); }

std::string_view Istruzione::vista(int colonna) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, colonna));
    if (!p)
        return {};
    return std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, colonna)));
}

int Istruzione::numeroColonne() const { return sqlite3_column_count(stmt_); }

std::string Istruzione::nomeColonna(int colonna) const
{
    const char* n = sqlite3_column_name(stmt_, colonna);
    return n ? n : "";
}

Transazione::Transazione(Database& db) : db_(db) { db_.esegui("BEGIN IMMEDIATE"); }

Transazione::~Transazione()
{
    if (!chiusa_ && db_.connessione())
        sqlite3_exec(db_.connessione(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transazione::conferma()
{
    db_.esegui("COMMIT");
    chiusa_ = true;
}

}
