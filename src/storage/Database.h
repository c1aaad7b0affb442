// A small RAII layer over the SQLCipher C API: open with the password, statements, transactions.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace storage {

class ErroreDatabase : public std::runtime_error {
public:
    // What the user can act on; the engine's own codes are mapped in ErroriDatabase.cpp.
    enum class Tipo {
        PercorsoErrato,   // the file does not exist or cannot be opened
        Permessi,         // the file exists but this user may not read or write it
        NonDatabase,      // damaged, or not an archive of ours (another password looks the same)
        DiscoPieno,       // no space left for a write (or the file size limit reached)
        Disco,            // any other read or write error of the disk
        Occupato,         // locked by another operation
        Struttura,        // a database of ours without a table or field the program needs
        Spostato,         // deleted, moved or replaced since it was opened
        Sql               // any other error of a statement
    };
    ErroreDatabase(Tipo tipo, const std::string& messaggio) : std::runtime_error(messaggio), tipo_(tipo) {}
    Tipo tipo() const { return tipo_; }

private:
    Tipo tipo_;
};

// The 8-character password of both databases, assembled from five pieces at start-up.
const std::string& PasswordDatabase();

class Istruzione;

class Database {
public:
    enum class Modo { SoloEsistente, CreaSeManca };

    Database() = default;
    // Opens `percorso` with `password`. SoloEsistente reports a missing file as
    // PercorsoErrato; a file that is not a database, or one the password does not
    // open, is reported as such. Throws ErroreDatabase.
    // Plain (unencrypted) SQLite files, text, files smaller than 512 bytes or not made
    // of whole 512-byte blocks are NonDatabase; an empty file is NonDatabase under
    // SoloEsistente and a new database under CreaSeManca; whole blocks of bytes
    // that the password does not decrypt are NonDatabase too (damaged, or another
    // password: the user never sets one). A file this user may not read is Permessi.
    // `nomeVisibile` is the file the user gave when `percorso` is a temporary file
    // beside it: every message names it instead.
    Database(const std::string& percorso, const std::string& password, Modo modo = Modo::SoloEsistente,
             const std::string& nomeVisibile = {});
    ~Database();
    Database(Database&& altro) noexcept;
    Database& operator=(Database&& altro) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool aperto() const { return db_ != nullptr; }
    const std::string& percorso() const { return percorso_; }
    // The file as the user knows it, for messages.
    const std::string& nome() const { return nome_; }
    void chiudi();
    // Throws Spostato when the file was deleted, moved or replaced since it was opened: a
    // write would then go to a file nobody can reach any more. Every transaction checks it.
    void controllaFile();
    bool spostato();

    // Runs SQL text without parameters (schema, pragmas). Never with user text.
    void esegui(const std::string& sql);
    Istruzione prepara(const std::string& sql);
    std::int64_t ultimoId() const;
    int modificate() const;
    bool esisteTabella(const std::string& nome);

    sqlite3* connessione() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::string percorso_;
    std::string nome_;
};

// A prepared statement; parameters are bound by 1-based index.
class Istruzione {
public:
    Istruzione(Database& db, const std::string& sql);
    ~Istruzione();
    Istruzione(Istruzione&& altro) noexcept;
    Istruzione& operator=(Istruzione&&) = delete;
    Istruzione(const Istruzione&) = delete;
    Istruzione& operator=(const Istruzione&) = delete;

    Istruzione& lega(int indice, std::int64_t valore);
    Istruzione& lega(int indice, int valore) { return lega(indice, static_cast<std::int64_t>(valore)); }
    Istruzione& lega(int indice, double valore);
    Istruzione& lega(int indice, std::string_view valore);
    Istruzione& lega(int indice, const char* valore) { return lega(indice, std::string_view(valore)); }
    Istruzione& lega(int indice, const std::string& valore) { return lega(indice, std::string_view(valore)); }
    Istruzione& legaNull(int indice);

    // Advances to the next row: true while there is a row. Throws on error.
    bool avanza();
    // Runs a statement that returns no rows.
    void esegui();
    void riavvolgi();

    bool nullo(int colonna) const;
    std::int64_t intero(int colonna) const;
    double reale(int colonna) const;
    std::string testo(int colonna) const;
    // The text of a column without a copy; valid until the next avanza or riavvolgi.
    std::string_view vista(int colonna) const;
    int numeroColonne() const;
    std::string nomeColonna(int colonna) const;

private:
    [[noreturn]] void errore() const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    std::string nome_;
};

// Rolls back unless committed: multi-row writes that belong together go in one.
class Transazione {
public:
    explicit Transazione(Database& db);
    ~Transazione();
    void conferma();
    Transazione(const Transazione&) = delete;
    Transazione& operator=(const Transazione&) = delete;

private:
    Database& db_;
    bool chiusa_ = false;
};

}
