// The draws database: table EstrazioniLotto and the view Query_AAMMGG.
#pragma once

#include "storage/Database.h"

#include <array>
#include <string>

namespace storage {

// Creates EstrazioniLotto (DataEstrazione unique, stored as "AAAA-MM-GG" so that
// the text order is the date order), its index and the view Query_AAMMGG.
void creaSchemaEstrazioni(Database& db);

// Opens an existing draws database with the program password (ApriArchivio).
Database ApriArchivio(const std::string& percorso);

// The query the loader runs, ordered by date.
inline constexpr const char* QueryEstrazioni =
    "SELECT EstrazioniLotto.DataEstrazione, EstrazioniLotto.Ba, EstrazioniLotto.Ca, EstrazioniLotto.Fi, "
    "EstrazioniLotto.Ge, EstrazioniLotto.Mi, EstrazioniLotto.Na, EstrazioniLotto.Pa, EstrazioniLotto.Ro, "
    "EstrazioniLotto.To, EstrazioniLotto.Ve, EstrazioniLotto.Nz "
    "From EstrazioniLotto ORDER BY EstrazioniLotto.DataEstrazione";

// "AAAA-MM-GG" <-> "GG/MM/AAAA".
std::string DataDaDb(const std::string& iso);
std::string DataPerDb(const std::string& ggmmaaaa);

}
