// The plays and the Lotto's payouts kept in the program database (tables Giocate and ParametriProgramma).
#pragma once

#include "plays/Giocata.h"
#include "storage/Database.h"

#include <string>
#include <vector>

namespace plays {

// Every stored play in the order it was added. A row that is not a play (written by hand, or
// by another program) is left out and counted in `illeggibili`.
std::vector<Giocata> leggiGiocate(storage::Database& db, int* illeggibili = nullptr);
// Adds the play (checked with difettoGiocata first) and returns its IdGiocata.
std::int64_t aggiungiGiocata(storage::Database& db, const Giocata& g);
// Adds every play (all checked first) in one transaction and returns their IdGiocata in order: all or none.
// With `gruppo` they are the tickets of one system: each gets the first one's IdGiocata as its Gruppo.
std::vector<std::int64_t> aggiungiGiocate(storage::Database& db, const std::vector<Giocata>& giocate, bool gruppo = false);
// Rewrites the stored play g.id; false when it is no longer there.
bool modificaGiocata(storage::Database& db, const Giocata& g);
// Removes the play; false when it was not there.
bool eliminaGiocata(storage::Database& db, std::int64_t id);
// Remembers that the wins up to `data` (GG/MM/AAAA) of each play were announced: one transaction.
void segnaAnnunciate(storage::Database& db, const std::vector<std::pair<std::int64_t, std::string>>& annunci);

// The payouts and the levy as stored; a missing row keeps the value of `legge`, the game's table.
// So does a row that holds no usable value (0, negative, text, NULL, beyond the ceiling), and
// `illeggibili` then gets a line naming the row, its value and the value used instead, for the player.
Tariffe leggiTariffe(storage::Database& db, std::vector<std::string>* illeggibili = nullptr,
                     const regole::TabellaPremi& legge = regole::PremiLotto);
// Stores all six rows in one transaction (adding any that is missing). FgPagamenti shows them
// through testoTariffa (GrigliaGiocate.h).
void salvaTariffe(storage::Database& db, const Tariffe& t);
// A payout: "11.23" or "11,23" <-> 1123 (hundredths); two decimals at most, up to 100 million;
// nothing when malformed or not positive. testoCentesimi writes "8" for 800.
std::optional<std::int64_t> leggiCentesimi(std::string_view testo);
using regole::testoCentesimi;

// The play of a workbench result row: the ambata `numero` on the wheels in play, 1 euro on the
// estratto, for `colpi` draws from the first draw after the reference draw dated `dataRiferimento`.
Giocata giocataDaAmbata(int numero, const std::array<bool, archive::NumeroRuote>& ruote, int colpi,
                        const std::string& dataRiferimento, const std::string& note);
// The day after `ggmmaaaa` (GG/MM/AAAA); empty for a malformed date.
std::string giornoDopo(const std::string& ggmmaaaa);

}
