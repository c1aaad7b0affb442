// The RAII layer over SQLCipher: opening with the password, statements, transactions.
#include "storage/Database.h"

#include "sistema/File.h"
#include "sistema/Percorsi.h"
#include "storage/ErroriDatabase.h"

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

// A file that is plainly not one of ours, told before the engine touches it (so that it
// is never taken for a new database and written to): our files are encrypted from the
// first byte, so a clear SQLite file ("SQLite format 3\0") is not ours; a file smaller
// than one page (512 bytes, the smallest page SQLite knows), a size that is not a whole
// number of 512-byte blocks, or a first block made only of printable text is not a
// database at all. Whole blocks that look random are left to the engine: it tells an
// archive of ours from a damaged one or one under another password only by the key.
bool chiaramenteNonNostro(const std::string& percorso)
{
    std::error_code ec;
    const auto dimensione = fs::file_size(sistema::percorso(percorso), ec);
    if (ec || dimensione < 512 || dimensione % 512 != 0)
        return true;
    std::ifstream f(sistema::percorso(percorso), std::ios::binary);
    std::array<char, 512> blocco{};
    if (!f.read(blocco.data(), blocco.size()))
        return true;
    static constexpr char intestazione[] = "SQLite format 3";   // with its '\0', 16 bytes
    if (std::equal(intestazione, intestazione + sizeof intestazione, blocco.begin()))
        return true;
    for (const char c : blocco) {
        const auto u = static_cast<unsigned char>(c);
        if (!(u == '\t' || u == '\n' || u == '\r' || (u >= 0x20 && u < 0x7f) || u >= 0x80))
            return false;
    }
    return true;
}

}

Database::Database(const std::string& percorso, const std::string& password, Modo modo, const std::string& nomeVisibile)
    : percorso_(percorso), nome_(nomeVisibile.empty() ? percorso : nomeVisibile)
{
    using Tipo = ErroreDatabase::Tipo;
    std::error_code ec;
    if (percorso.empty())
        throw ErroreDatabase(Tipo::PercorsoErrato, "Percorso del database non indicato");
    const fs::path file = sistema::percorso(percorso);
    const bool esiste = fs::exists(file, ec);
    // A folder on the way that may not be entered hides whether the file is there: not "missing".
    if (!esiste && (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted))
        throw ErroreDatabase(Tipo::Permessi, "Il file \"" + nome_ + "\" non è accessibile: permessi insufficienti per "
                                             "entrare nella cartella che lo contiene");
    if (esiste && fs::is_directory(file, ec))
        throw ErroreDatabase(Tipo::PercorsoErrato, "\"" + nome_ + "\" è una cartella, non un database");
    if (!esiste && modo == Modo::SoloEsistente)
        throw ErroreDatabase(Tipo::PercorsoErrato, "Il database \"" + nome_ + "\" non esiste");
    if (esiste && sistema::illeggibile(percorso))
        throw ErroreDatabase(Tipo::Permessi, messaggioPerTipo(Tipo::Permessi, nome_));
    // An empty file would be taken by the engine for a new database and silently
    // filled: an archive the user picked is refused; the program's own database may
    // be empty after a creation that was interrupted, and is then created anew.
    const bool vuoto = esiste && fs::file_size(file, ec) == 0;
    if ((vuoto && modo == Modo::SoloEsistente) || (esiste && !vuoto && chiaramenteNonNostro(percorso)))
        throw ErroreDatabase(Tipo::NonDatabase, messaggioPerTipo(Tipo::NonDatabase, nome_));

    int flag = SQLITE_OPEN_READWRITE;
    if (modo == Modo::CreaSeManca)
        flag |= SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(percorso.c_str(), &db_, flag, nullptr) != SQLITE_OK) {
        const ErroreDatabase e = erroreDellaConnessione(db_, nome_);
        chiudi();
        throw e;
    }
    // The key goes through the API, never spliced into SQL text.
    if (sqlite3_key(db_, password.data(), static_cast<int>(password.size())) != SQLITE_OK) {
        chiudi();
        throw ErroreDatabase(Tipo::Sql, "Impossibile impostare la password del database \"" + nome_ + "\"");
    }
    sqlite3_busy_timeout(db_, 5000);
    // The key is only checked when the first page is read.
    const int verifica = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (verifica != SQLITE_OK) {
        const ErroreDatabase e = erroreDellaConnessione(db_, nome_);
        chiudi();
        throw e;
    }
}

Database::~Database() { chiudi(); }

Database::Database(Database&& altro) noexcept
    : db_(std::exchange(altro.db_, nullptr)), percorso_(std::move(altro.percorso_)), nome_(std::move(altro.nome_))
{
}

Database& Database::operator=(Database&& altro) noexcept
{
    if (this != &altro) {
        chiudi();
        db_ = std::exchange(altro.db_, nullptr);
        percorso_ = std::move(altro.percorso_);
        nome_ = std::move(altro.nome_);
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

bool Database::spostato()
{
    int mosso = 0;
    return db_ && sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &mosso) == SQLITE_OK && mosso != 0;
}

void Database::controllaFile()
{
    if (spostato())
        throw ErroreDatabase(ErroreDatabase::Tipo::Spostato, messaggioPerTipo(ErroreDatabase::Tipo::Spostato, nome_));
}

void Database::esegui(const std::string& sql)
{
    if (!db_)
        throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Database non aperto");
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw erroreDellaConnessione(db_, nome_);
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

Istruzione::Istruzione(Database& db, const std::string& sql) : db_(db.connessione()), nome_(db.nome())
{
    if (!db_)
        throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Database non aperto");
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        errore();
    if (!stmt_)
        throw ErroreDatabase(ErroreDatabase::Tipo::Sql, "Errore del database \"" + nome_ + "\": istruzione vuota");
}

void Istruzione::errore() const { throw erroreDellaConnessione(db_, nome_); }

Istruzione::~Istruzione() { sqlite3_finalize(stmt_); }

Istruzione::Istruzione(Istruzione&& altro) noexcept
    : db_(altro.db_), stmt_(std::exchange(altro.stmt_, nullptr)), nome_(std::move(altro.nome_))
{
}

Istruzione& Istruzione::lega(int indice, std::int64_t valore)
{
    if (sqlite3_bind_int64(stmt_, indice, valore) != SQLITE_OK)
        errore();
    return *this;
}

Istruzione& Istruzione::lega(int indice, double valore)
{
    if (sqlite3_bind_double(stmt_, indice, valore) != SQLITE_OK)
        errore();
    return *this;
}

Istruzione& Istruzione::lega(int indice, std::string_view valore)
{
    if (sqlite3_bind_text(stmt_, indice, valore.data(), static_cast<int>(valore.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        errore();
    return *this;
}

Istruzione& Istruzione::legaNull(int indice)
{
    if (sqlite3_bind_null(stmt_, indice) != SQLITE_OK)
        errore();
    return *this;
}

bool Istruzione::avanza()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // Reset after taking the error, so that the statement can be bound and run again.
    const ErroreDatabase e = erroreDellaConnessione(db_, nome_);
    sqlite3_reset(stmt_);
    throw e;
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

Transazione::Transazione(Database& db) : db_(db)
{
    db_.controllaFile();
    db_.esegui("BEGIN IMMEDIATE");
}

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
