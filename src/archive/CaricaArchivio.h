// CaricaArchivio: fills the archive tables from the draws database.
#pragma once

#include "archive/Archivio.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace storage { class Database; }

namespace archive {

// A failed load: wrong file, missing table or fields, more than 9999 draws,
// an empty table, or a model archive start below 1. The start-up window shows
// its loading message for every one of them.
class ErroreCaricamento : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Called with (value, maximum): maximum is the row count plus one, value the row being processed.
using Avanzamento = std::function<void(int valore, int massimo)>;

// Runs the loader's query against `db` and fills `a`; the model archive starts at
// a.EstrazioneIniziale (set by the caller from the configuration). Throws ErroreCaricamento.
// What a failure leaves: draw 10000 stops the load with draws 1..9999 rewritten but
// N and the model archive unchanged; an empty table leaves N = 0, M = 0; a start
// below 1 leaves N, dates, numbers and ordinals loaded and M = 0. A draw whose date
// is not "AAAA-MM-GG" stops the load like the capacity error.
void CaricaArchivio(Archivio& a, storage::Database& db, const Avanzamento& avanzamento = {});
// The one way to load a draws database file, for the start-up window and every command:
// loads the file at `percorso`, reusing `db` when it is already open on that file (opening
// an encrypted file costs a key derivation). On success `db` is open on the file loaded, so
// later writes go where the draws came from; on failure `db` is left as it was. A file that
// cannot be opened or read throws ErroreCaricamento, like every other failed load.
void CaricaArchivio(Archivio& a, const std::string& percorso, storage::Database& db, const Avanzamento& avanzamento = {});
// The same for a caller that keeps no database open.
void CaricaArchivio(Archivio& a, const std::string& percorso, const Avanzamento& avanzamento = {});

}
