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
void CaricaArchivio(Archivio& a, storage::Database& db, const Avanzamento& avanzamento = {});
// The same, opening the draws database at `percorso` with the program password.
void CaricaArchivio(Archivio& a, const std::string& percorso, const Avanzamento& avanzamento = {});

}
