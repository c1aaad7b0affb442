// The one place where the engine's result codes become the Italian messages a user reads.
#pragma once

#include "storage/Database.h"

#include <string>
#include <string_view>

namespace storage {

// The error a user is shown for an engine result. `codice` is the extended result code,
// `erroreSistema` the errno the engine saw (sqlite3_system_errno), `testoMotore` the engine's
// own English text, read only to tell a missing table or field from other errors and never
// shown; `file` is the file as the user gave it (not a temporary file beside it).
ErroreDatabase erroreDelMotore(int codice, int erroreSistema, std::string_view testoMotore, const std::string& file);

// The error of the last failed call on `db` (an open handle), in the same terms.
ErroreDatabase erroreDellaConnessione(sqlite3* db, const std::string& file);

// The text of each kind, naming `file`; the messages above are built from these.
std::string messaggioPerTipo(ErroreDatabase::Tipo tipo, const std::string& file);

}
