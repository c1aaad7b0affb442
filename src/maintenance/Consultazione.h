// The browser grid FgDB and the calendar grid Fg1 of archive maintenance, and the searches that pick a draw.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"

#include <optional>
#include <string>
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

// CaricaGrigliaArchivio: FgDB from the loader's query, one row per stored draw in date order
// (row r is draw r): column 1 the date "GG/MM/AAAA", columns 2..12 the wheel texts Ba..Nz.
// Throws storage::ErroreDatabase.
void CaricaGrigliaArchivio(storage::Database& db, grid::Grid& FgDB);

// FgDB cell change: every data cell white, then the cells of `riga` (columns 1..12) yellow.
void evidenziaRiga(grid::Grid& FgDB, int riga);

// Carica calendario: for year `anno`, one row per month with draws (column 1 the year, column 2
// the month) and one column per day of the month on which a draw of that year took place,
// headed by the day number; a cell holds the weekday of the draw on that date (1 Sunday .. 7
// Saturday), or its letter (D L M m G V S) when `sigle`. Built from Query_AAMMGG grouped by
// year, month and day, turned into columns here. A year without draws leaves only the header.
// Throws storage::ErroreDatabase. Returns what the grid shows, typed, for dataCalendario.
struct Calendario {
    int anno = 0;
    std::vector<int> mesi;     // the month of data row r at [r - 1]
    std::vector<int> giorni;   // the day of column PrimaColonnaGiorni + i at [i]
};
Calendario CaricaCalendario(storage::Database& db, int anno, bool sigle, grid::Grid& Fg1);

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
