// Saved pyramid configurations (PiramidiElenco, PiramideComposizione) and the commands that edit bricks by hand.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"
#include "storage/Database.h"
#include "workbench/Banco.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace workbench {

// A saved configuration as ELENCO lists it (a PiramidiElenco record): the key and the name FgPir1
// shows, then the settings a load reads. A number missing or not whole is none: loading that
// setting fails alone, the others still load.
struct ConfigurazioneSalvata {
    std::int64_t cod = 0;   // IDPiramide
    std::string denominazione;
    std::optional<int> estrazione, ruota, colpi, qn, numCasi, tipoRil, mensile;
    std::string ruoteG, posizioni, numeri;
    bool operator==(const ConfigurazioneSalvata&) const = default;
};
// FgPir1: column 0 the row selector, then the fields in ELENCO's order; from Estrazione on hidden.
inline constexpr std::string_view IntestazioneFgPir1 =
    "|Cod|Denominazione|Estrazione|Ruota|RuoteG|Colpi|Posizioni|Numeri|QN|NumCasi|TipoRil|Mensile";
inline constexpr int PrimaColonnaNascostaFgPir1 = 3;
// The text of column `colonna` of FgPir1 for a configuration.
std::string testoConfigurazione(const ConfigurazioneSalvata& c, int colonna);

// The part of the workbench that lists and names configurations and defines a brick
// by hand. ListVal is Banco::valoreLista.
struct PannelloPiramidi {
    std::vector<ConfigurazioneSalvata> configurazioni;   // ELENCO, ordered by name: FgPir1 row r at [r - 1]
    int configurazioneScelta = 0;   // the FgPir1 row (1..) the user stands on; 0 none (a new list)
    std::string Txt_Denominazione;  // the name of the next save (at most 100 characters)
    int mattoneEvidenziato = 0;     // highlighted brick 1..15, 0 for none
    int destinazione = 0;           // FgC: the destination brick of Command25
    int ListP1 = 0, ListR1 = 0;     // list indices: position - 1 and wheel of the first reference
    int ListP2 = 0, ListR2 = 0;     // the same for the second reference
    std::string Label3;             // explanation of the operator loaded into the editor
};

// Most characters of a name ("Denominazione (Max 100 caratteri)").
constexpr std::size_t MaxDenominazione = 100;

// Colours of the brick highlight.
namespace coloriMattone {
inline constexpr grid::Colore Riga = grid::colori::Verde;              // the highlighted FgF row
inline constexpr grid::Colore Numero = grid::rgb(255, 128, 0);        // its number cell
inline constexpr grid::Colore PrimoRiferimento = grid::colori::Giallo; // FgEstratti cell (R1, E1)
inline constexpr grid::Colore SecondoRiferimento = grid::colori::Verde;
}

// ELENCO (Cmd_Elenco): every configuration, ordered by name, into `configurazioni`; none
// chosen. On a failure the list stays as it was.
void elencaConfigurazioni(storage::Database& db, PannelloPiramidi& p);

// SALVA CONFIGURAZIONE (Command11): a new PiramidiElenco record from the settings and
// one PiramideComposizione record per filled brick, all in one transaction, then
// ELENCO. On any failure nothing is stored and the result is "Attenzione !, probabile
// anomalia nella selezione dei parametri" (critical, "Avviso").
Esito salvaConfigurazione(const Banco& b, PannelloPiramidi& p, storage::Database& db);

// Cancella selezionata (Command13), step 1: the question to ask ("Cancellare la riga:
// KEY ?", title "Cancellazione record"), or nothing when no row is selected.
std::optional<std::string> domandaCancellazione(const PannelloPiramidi& p);
inline constexpr std::string_view TitoloCancellazione = "Cancellazione record";
// After Yes: deletes the selected configuration and its bricks in one transaction,
// then ELENCO. "Record eliminato." (information, "Cancellazione record") when a
// record was deleted; a database failure is reported as TestoErroreImprevisto.
Esito eliminaConfigurazione(PannelloPiramidi& p, storage::Database& db);

// Double-click on row `riga` (1..) of FgPir1: Resetta, the bricks and the settings of that
// configuration, then Calcola and RICAVA ESTRAZIONI. Returns the messages in the
// order the window shows them: Calcola's, RICAVA ESTRAZIONI's, then "Attenzione !,
// probabile anomalia" (critical, "Avviso") when a step of the load failed.
std::vector<Messaggio> caricaConfigurazione(Banco& b, PannelloPiramidi& p, storage::Database& db,
                                            const archive::Archivio& a, int riga);

// Resetta (Command19): empty bricks and labels, FgF laid out again.
void svuotaPiramide(Banco& b, PannelloPiramidi& p);

// Click on label Lbl0(i) or on brick row i of FgF: highlights brick i.
void evidenziaMattone(Banco& b, PannelloPiramidi& p, int i);
// Cmd_aggiunge: the operator of the current FgOp row with the editor's references,
// as far as its type uses them, into the current FgF row; then Calcola and the
// highlight. Returns Calcola's message, if any; nothing happens without a current brick.
Esito inserisciOperatore(Banco& b, PannelloPiramidi& p, const archive::Archivio& a);
// Command25: the highlighted brick copied onto the destination brick, then Calcola.
// "Effettuare le selezioni." (information, "Avviso") when either is missing.
Esito copiaMattone(Banco& b, PannelloPiramidi& p, const archive::Archivio& a);
// Click on LblPN(k), k = 1..5: toggles the position.
void commutaPosizione(Banco& b, int k);
// Double-click on brick row `riga` of FgF: a filled brick goes back into the editor.
void caricaMattoneNellEditor(Banco& b, PannelloPiramidi& p, int riga);

}
