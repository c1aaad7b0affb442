// The update file of draws: its fixed-column lines, the format test, its rows, the lines a provider writes.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"

#include <array>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace storage { class Database; }

namespace maintenance {

// A line: date at 1-10, wheel w at 12 + 15w (14 characters each), tag at 177-178.
constexpr int LunghezzaRigaAggiornamento = 178;
constexpr int LunghezzaCampoRuota = 14;
// Columns of FgImporta: 0 fixed, 1 the date, 2..12 the wheels Bari..Nazionale.
constexpr int ColonnaData = 1;
constexpr int PrimaColonnaRuote = 2;
constexpr int ColonneImporta = 13;

// The first line of an update file as AGGIORNA DA FILE accepts it: 178 characters ending with "pr".
// A carriage return left by the line break is not part of the line.
bool formatoAggiornamento(std::string_view primaRiga);

// What the check found for a row and what AGGIORNAMENTO does with it.
enum class Azione : unsigned char {
    Lascia,     // not checked, or stored and equal wherever the row gives a wheel: nothing to write
    Aggiungi,   // its date is not stored: the draw is added
    Correggi    // stored with a wheel that differs: overwritten when corrections are asked (Check3)
};

// One row of an update (a line of the file, a date of the official archive): the texts as read
// and the check's verdict.
struct RigaImporta {
    std::string data;                                     // "GG/MM/AAAA" as read, maybe not a date
    std::array<std::string, archive::NumeroRuote> ruote;  // Bari..Nazionale; empty for a wheel not given
    Azione azione = Azione::Lascia;
    std::array<bool, archive::NumeroRuote> ruotaUguale{};  // equal to the stored wheel

    bool operator==(const RigaImporta&) const = default;
};
using RigheImporta = std::vector<RigaImporta>;

// FgImporta, the grid that shows the rows, with its header row only.
void preparaFgImporta(grid::Grid& FgImporta);

// The lines of `file` as rows (steps 3 to 6 of AGGIORNA DA FILE): `righe` first loses its rows,
// then every line becomes a row (the date, the wheel texts, shorter or empty for a short line),
// and the rows without a date are dropped. The wheel texts lose their trailing blanks, so that a
// blank column stands for a wheel not drawn, stored as an empty field. Throws
// std::ios_base::failure on a read error (rows read stay).
void caricaRigheAggiornamento(std::istream& file, RigheImporta& righe);

// How loading a file ended.
enum class EsitoFileAggiornamento {
    Caricato,        // the rows are the file's (possibly none)
    FormatoErrato,   // the first line failed the format test: the rows are untouched
    NonLeggibile     // the file could not be opened: the rows are untouched
};

// AGGIORNA DA FILE (with the format test) and the downloaded copy (`testFormato` false).
// Throws std::ios_base::failure on a read error after the rows were emptied, and
// storage::ErroreFileDiTesto (rows untouched) for a folder, a huge file or an endless line.
EsitoFileAggiornamento caricaFileAggiornamento(const std::string& percorso, RigheImporta& righe, bool testFormato);

// Where the published file lies on the update server, and its local copy in the program folder.
constexpr const char* PercorsoAggiornamento = "/archivionumeris/archivionumeris2023.txt";
constexpr const char* NomeCopiaLocale = "Estr_Agg.txt";

// The address of the published file: the host of "ServerAggiornamenti" ("http://" added when it
// names no scheme) followed by the fixed path; empty when the row is missing or empty.
std::string indirizzoAggiornamenti(storage::Database& dbProgramma);
// The same address from a server written by the player ("esempio.it", "https://esempio.it/");
// empty for an empty server.
std::string indirizzoAggiornamentiDa(std::string server);

// One line of an update file for a draw: `data` "GG/MM/AAAA" and the eleven stored wheel fields,
// each padded with blanks to 14 characters (an empty field is a blank column), blank separators,
// `tag` at 177-178. Exactly 178 characters, without the line break.
std::string rigaAggiornamento(std::string_view data, const std::string (&campi)[11], std::string_view tag);

// What a provider publishes: the stored draws dated `dal` ("GG/MM/AAAA") or later (all when
// empty), in date order, one line each ending with CR LF, the first tagged "pr". The number of
// lines written. Throws storage::ErroreDatabase.
int scriviFileAggiornamento(storage::Database& db, const std::string& dal, std::ostream& out);

}
