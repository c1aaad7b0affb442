// The program database "DbPiramide.db": creation, configuration rows, side file.
#pragma once

#include "regole/Premi.h"
#include "storage/Database.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace storage {

inline constexpr const char* NomeDatabaseProgramma = "DbPiramide.db";
// Where the official historical archive of the draws is published today (row "StoricoUfficiale").
inline constexpr const char* IndirizzoStoricoUfficiale = "https://www.brightstarlottery.it/STORICO_ESTRAZIONI_LOTTO/storico.zip";
inline constexpr const char* NomeFilePercorso = "PercorsoDatabase.txt";
// The rows of ParametriProgramma with the payouts per euro of stake (estratto .. cinquina) and the
// levy on winnings in percent. A new database holds the law's values (regole::PremiLotto) with a
// decimal point: see valoreParametroVincite.
inline constexpr const char* ParametriVincite[] = {"PagaEstratto", "PagaAmbo",     "PagaTerno",
                                                   "PagaQuaterna", "PagaCinquina", "RitenutaVincite"};
// Row `i` of ParametriVincite as `tabella` gives it, in the stored form ("11.23", "8").
std::string valoreParametroVincite(std::size_t i, const regole::TabellaPremi& tabella);

// One row of the table Operatori.
struct RigaOperatore {
    std::string operatore;
    int tipo = 0;
    std::string r1{}, p1{}, r2{}, p2{};   // "Si" where the operator uses that input
    std::string spiegazione{};
    bool operator==(const RigaOperatore&) const = default;
};

// The catalogue that a new program database receives: one row per code of the
// evaluator, with the class that prepares exactly the inputs the code reads.
const std::vector<RigaOperatore>& CatalogoPredefinito();

// Creates every table of the program database that is missing and, in a new
// database, the configuration rows and the whole operator catalogue (one transaction).
void creaSchemaProgramma(Database& db);

// Opens "DbPiramide.db" in `cartellaProgramma`, creating it when missing.
Database ApriDatabaseProgramma(const std::string& cartellaProgramma);

// Valore1 of the row whose Parametro equals `chiave` without regard to case.
std::optional<std::string> LeggiParametro(Database& db, const std::string& chiave);
// Rewrites Valore1 of that row; a missing row is not added and nothing is reported.
void ScriviParametro(Database& db, const std::string& chiave, const std::string& valore);
// Valore1 of the row spelled exactly "IndirizzoInternet" (case-sensitive scan of
// every row in key order); empty when there is none.
std::string LeggiIndirizzoInternet(Database& db);

// Rewrites "PercorsoDatabase.txt" in the program folder: the path in double quotes
// and a line break. Returns false when the file cannot be written.
[[nodiscard]] bool ScriviPercorsoDatabase(const std::string& cartellaProgramma, const std::string& percorso);

// The operator catalogue in the workbench's order (by code).
std::vector<RigaOperatore> LeggiOperatori(Database& db);

}
