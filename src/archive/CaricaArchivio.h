// CaricaArchivio: fills the archive tables from the draws database.
#pragma once

#include "archive/Archivio.h"
#include "avanzamento/Avanzamento.h"

#include <stdexcept>
#include <string>

namespace storage { class Database; }

namespace archive {

// A failed load: wrong file, missing table or fields, more than 9999 draws,
// an empty table, or a model archive start below 1. The start-up window shows
// its loading message for every one of them.
class ErroreCaricamento : public std::runtime_error {
public:
    explicit ErroreCaricamento(const std::string& messaggio, bool accesso = false)
        : std::runtime_error(messaggio), accesso_(accesso)
    {
    }
    // True when the file itself could not be reached (permissions, a disk error, a file gone),
    // not an archive found wrong: another archive would not help, and the message says so.
    bool accesso() const { return accesso_; }

private:
    bool accesso_;
};

// Runs the loader's query against `db` and fills `a`; the model archive starts at
// a.EstrazioneIniziale (set by the caller from the configuration). Throws ErroreCaricamento.
// What a failure leaves: draw 10000 stops the load with draws 1..9999 rewritten but
// N and the model archive unchanged; an empty table leaves N = 0, M = 0; a start
// below 1 leaves N, dates, numbers and ordinals loaded and M = 0. Old archives may hold
// stray values: a number outside 1..90 is read as missing (0), a row whose date is not a
// real day ("0000-00-00", "2000-02-30", any other text) is left out and takes no index;
// both are listed in a.DatiScartati. A file whose every row is left out is an empty table.
void CaricaArchivio(Archivio& a, storage::Database& db, avanzamento::Avanzamento* avanzamento = nullptr);
// Progress on bar 1: the row being processed, of the row count plus one. A stop request
// is checked at every row and throws Interrotto, leaving the tables partly rewritten
// like a failure: the archive must be loaded again before it is used.
//
// The one way to load a draws database file, for the start-up window and every command:
// loads the file at `percorso`, reusing `db` when it is already open on that file (opening
// an encrypted file costs a key derivation). On success `db` is open on the file loaded, so
// later writes go where the draws came from; on failure `db` is left as it was. A file that
// cannot be opened or read throws ErroreCaricamento, like every other failed load.
void CaricaArchivio(Archivio& a, const std::string& percorso, storage::Database& db, avanzamento::Avanzamento* avanzamento = nullptr);
// The same for a caller that keeps no database open.
void CaricaArchivio(Archivio& a, const std::string& percorso, avanzamento::Avanzamento* avanzamento = nullptr);

// What a load left out or read as missing (a.DatiScartati), told once to the player in Italian,
// naming `file`; empty when everything was taken.
std::string AvvisoDatiScartati(const Archivio& a, const std::string& file);

}
