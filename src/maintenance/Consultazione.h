// The rows of the browser FgDB and the months of the calendar Fg1 of archive maintenance, and the searches that pick a draw.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace storage { class Database; }

namespace maintenance {

// Background of the current row of FgDB (&HFFFF).
constexpr grid::Colore ColoreRigaCorrente = grid::colori::Giallo;
// Year and month columns of the calendar (&HC0FFFF, &HC0FFC0).
constexpr grid::Colore ColoreAnno = grid::rgb(255, 255, 192);
constexpr grid::Colore ColoreMese = grid::rgb(192, 255, 192);
// First day column of Fg1: column 0 is fixed, 1 the year, 2 the month.
constexpr int PrimaColonnaGiorni = 3;

// A row of FgDB: a stored draw, its date "GG/MM/AAAA" and its wheels' texts Ba..Nz as stored;
// `evidenziata` while it is the browser's current row (drawn on ColoreRigaCorrente).
struct RigaArchivio {
    std::string data;
    std::array<std::string, archive::NumeroRuote> ruote;
    bool evidenziata = false;
    bool operator==(const RigaArchivio&) const = default;
};
// FgDB's header: column 0 the row selector, 1 the date, 2..12 the wheels.
inline constexpr std::string_view IntestazioneFgDB = "|DataEstrazione|Ba|Ca|Fi|Ge|Mi|Na|Pa|Ro|To|Ve|Nz";
constexpr int ColonneFgDB = 2 + archive::NumeroRuote;
// The text of column `colonna` of a row of FgDB (column 0 empty).
std::string testoFgDB(const RigaArchivio& r, int colonna);
// The background of a row of FgDB's cells: the current row yellow, the others white.
grid::Colore sfondoFgDB(const RigaArchivio& r);

// CaricaGrigliaArchivio: the loader's query, one row per stored draw in date order (row r - 1 is
// draw r). Throws storage::ErroreDatabase.
std::vector<RigaArchivio> righeArchivio(storage::Database& db);

// Carica calendario: for year `anno`, one row per month with draws and one column per day of
// the month on which a draw of that year took place; a cell holds the weekday of the draw on that
// date (1 Sunday .. 7 Saturday), or its letter (D L M m G V S) when `sigle`. Built from
// Query_AAMMGG grouped by year, month and day, turned into columns here. A year without draws
// has no rows. Throws storage::ErroreDatabase.
// A month of the calendar: per day column, the sum of the weekdays of the draws of that day (0: none).
struct MeseCalendario {
    int anno = 0;
    int mese = 0;
    bool sigle = false;
    std::vector<long long> giorni;
    bool operator==(const MeseCalendario&) const = default;
};
struct Calendario {
    int anno = 0;
    std::vector<int> giorni;            // the day of column PrimaColonnaGiorni + i at [i]
    std::vector<MeseCalendario> mesi;   // data row r at [r - 1]
};
Calendario CaricaCalendario(storage::Database& db, int anno, bool sigle);
// The header of column `colonna` of the calendar ("A", "M", the day numbers; column 0 empty).
std::string intestazioneCalendario(const Calendario& calendario, int colonna);
// The text of column `colonna` of a month's row, and the colour of its column (year, month; none for the days).
std::string testoCalendario(const MeseCalendario& mese, int colonna);
std::optional<grid::Colore> sfondoCalendario(int colonna);

// Weekday of a calendar day, 1 Sunday .. 7 Saturday.
int giornoSettimana(int anno, int mese, int giorno);
// The letter of a weekday 1..7 ("D" .. "S"), empty outside.
std::string siglaGiorno(int giornoSettimana);

// The date a click on Fg1 at (riga, colonna) stands for, "GG/MM/AAAA"; nothing outside the
// day cells of a data row.
std::optional<std::string> dataCalendario(const Calendario& calendario, int riga, int colonna);

// The draw of a date text, searched from the last draw back to the first; nothing without a match.
std::optional<int> cercaDataDallaFine(const archive::Archivio& a, const std::string& data);

// Ricerca per data: the first entry of the model archive whose draw has exactly the date text
// `data` (no other form of the date is recognised); the draw index of that entry, nothing
// without a match. Only existing entries of the model archive are read.
std::optional<int> cercaDataModello(const archive::Archivio& a, const std::string& data);

// The smallest index Ricerca per numero indice accepts.
constexpr int IndiceMinimoRicerca = 20;

}
