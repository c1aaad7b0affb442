// Free settings of the program database (table Impostazioni): one value per key, added on first write.
#pragma once

#include "storage/Database.h"

#include <optional>
#include <string>

namespace storage {

// The value stored under `chiave` (any case), nothing when there is none.
std::optional<std::string> LeggiImpostazione(Database& db, const std::string& chiave);
// Stores `valore` under `chiave`, adding the row when missing.
void ScriviImpostazione(Database& db, const std::string& chiave, const std::string& valore);

}
