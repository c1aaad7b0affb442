// The rows of an update with what the check found for each, the check against EstrazioniLotto (its List4 lines) and AGGIORNAMENTO.
#pragma once

#include "archive/Archivio.h"
#include "avanzamento/Avanzamento.h"
#include "archive/CaricaArchivio.h"
#include "grid/Grid.h"
#include "maintenance/FileAggiornamento.h"

#include <optional>
#include <string>
#include <vector>

namespace storage { class Database; }

namespace maintenance {

// How FgImporta shows the rows: the date on orange for a draw to add, in red bold for a draw with
// errors; a wheel equal to the stored one on light green. The grid is rebuilt from `righe`.
constexpr grid::Colore ColoreDaImportare = grid::rgb(255, 192, 128);    // &H80C0FF
constexpr grid::Colore ColoreRuotaUguale = grid::rgb(128, 255, 128);    // &H80FF80
constexpr grid::Colore ColoreDataErrata = grid::colori::Rosso;          // &HFF
// A cell of FgImporta from its row: the text (column 0, the row selector, empty), the background
// (orange date to add, light-green wheel equal to the archive's), the text colour and bold (a date
// to correct, red bold).
std::string testoImporta(const RigaImporta& riga, int colonna);
std::optional<grid::Colore> sfondoImporta(const RigaImporta& riga, int colonna);
std::optional<grid::Colore> coloreTestoImporta(const RigaImporta& riga, int colonna);
bool grassettoImporta(const RigaImporta& riga, int colonna);
void scriviFgImporta(const RigheImporta& righe, grid::Grid& FgImporta);

// The check ("Controllo estrazioni mancanti"): every row, from the last up, looked up by its date
// in EstrazioniLotto. A date not stored is to add, with the line "Manca estrazione del: " + date;
// a stored date has its equal wheels noted and, when any wheel differs, is to correct, with
// "Errori Estrazione del " + date. A wheel the row lacks is not known, never "not drawn": when
// the archive holds it, it is neither equal nor an error, and a line says which wheels the file
// lacks. With `storicoCompleto` (the official file, which holds every draw) the stored draws from
// the first date of the rows on that the file lacks are listed too: a text cut short at a line
// end says so instead of passing for the whole file. "Nessuna anomalia rilevata" closes `List4`
// when nothing of the above was found. The verdicts of an earlier check are cleared first, so a
// list can be checked again after the archive changed. Progress on bar 1 (rows checked of the
// rows). Throws storage::ErroreDatabase (verdicts and lines so far stay).
void ControlloEstrazioniMancanti(storage::Database& db, RigheImporta& righe, std::vector<std::string>& List4,
                                 avanzamento::Avanzamento* avanzamento = nullptr, bool storicoCompleto = false);

// A wheel text as the archive stores it: empty (a wheel not drawn) or five different two-digit
// numbers 01..90 joined by "-". Anything else would load as other numbers than the file shows.
bool campoRuotaValido(const std::string& campo);

// Why a row to write cannot be written; nothing when its date and wheel texts are sound.
std::optional<std::string> motivoRigaNonValida(const RigaImporta& riga);

struct EsitoAggiornamento {
    bool vuota = false;   // there was no row: "Non ci sono estrazioni da aggiornare."
    int aggiunte = 0;
    int modificate = 0;
    int scartate = 0;     // rows to write that were not written, each with its List4 line
    int giaScritte = 0;   // rows to write that another writer stored (or removed) while this one waited for the archive
    std::string erroreDatabase;   // the engine refused a row: that row and the rest were not written
};

// AGGIORNAMENTO: the rows to add are added when their date is still not stored ("Aggiunta
// estrazione del " + date); with `correggi` (Check3) the rows to correct overwrite the wheels of the stored draw that the row gives, never emptying one it lacks
// ("Modificata estrazione del " + date); "aggiunti N° " + count +
// " record" ends `List4` when a draw was added. A row whose date is not a real date or whose
// wheel texts are not stored fields is listed with its reason and not written; a row the engine
// refuses ends the writing, keeping the rows before it. The rows are written in one transaction
// together with the reload of `archivio` from the database, so the new draws are committed only
// when the archive loads with them (ErroreScrittura of type Ricarica otherwise, nothing written).
// `archivio` is replaced only when something was written. Progress on bar 1 (rows, then the reload).
EsitoAggiornamento AGGIORNAMENTO(storage::Database& db, archive::Archivio& archivio, const RigheImporta& righe,
                                 bool correggi, std::vector<std::string>& List4,
                                 avanzamento::Avanzamento* avanzamento = nullptr);

}
