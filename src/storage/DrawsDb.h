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
// A database without EstrazioniLotto (the program's own, for one) is NonDatabase.
Database ApriArchivio(const std::string& percorso);

// The query the loader runs, ordered by date. TO is an SQL keyword in this engine,
// so that one field is quoted.
inline constexpr const char* QueryEstrazioni =
    "SELECT EstrazioniLotto.DataEstrazione, EstrazioniLotto.Ba, EstrazioniLotto.Ca, EstrazioniLotto.Fi, "
    "EstrazioniLotto.Ge, EstrazioniLotto.Mi, EstrazioniLotto.Na, EstrazioniLotto.Pa, EstrazioniLotto.Ro, "
    "EstrazioniLotto.\"To\", EstrazioniLotto.Ve, EstrazioniLotto.Nz "
    "From EstrazioniLotto ORDER BY EstrazioniLotto.DataEstrazione";

// "AAAA-MM-GG" <-> "GG/MM/AAAA". Both give an empty text for a malformed input;
// DataPerDb also refuses a day that is not in the calendar (31/04, 29/02 of a
// common year).
std::string DataDaDb(const std::string& iso);
std::string DataPerDb(const std::string& ggmmaaaa);
// True for a real calendar day (Gregorian, leap years included).
bool DataValida(int anno, int mese, int giorno);

// The first year of the Lotto's archive: no draw is dated before it.
inline constexpr int PrimoAnnoEstrazioni = 1939;
// Why a real day "AAAA-MM-GG" cannot be the date of a draw: before PrimoAnnoEstrazioni, or more
// than a year after today (a typing slip such as 2088 or 9999). Empty when it can.
std::string motivoDataImplausibile(const std::string& iso);

}
