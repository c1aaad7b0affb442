// The grids of the plays: the list, the wins, the payouts. Columns named once here.
#pragma once

#include "grid/Grid.h"
#include "plays/Giocata.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace plays {

// FgGiocate: one row per play.
namespace colonneGiocate {
enum : int { Numero, Numeri, Ruote, Poste, Dal, Colpi, Stato, Spesa, Vinto, Saldo, Resa, Quante };
}
// FgVincite and the TSV of velmora-cli giocate: one row per win.
namespace colonneVincite {
enum : int { Giocata, Data, Colpo, Ruota, Sorte, Punti, Lordo, Netto, Quante };
}

// A row of FgGiocate below the header: a play (its index in the list) or the line of a system (its Gruppo).
struct RigaGiocate {
    int giocata = -1;          // index into the plays; -1 on the line of a system
    std::int64_t gruppo = 0;   // the system the row belongs to; 0 for a play on its own
};
// A row of FgGiocate below the header as its state: a play with its check, or the line of a system with
// its tickets added up. The list's cells and colours come from it (testoElenco, vintaElenco, inPerditaElenco).
struct RigaElenco {
    RigaGiocate posto;
    // The play; on a system's line its first ticket, whose wheels, stakes, date and resa are the system's.
    Giocata giocata;
    EsitoGiocata esito;
    bool rientrata = false;   // a ticket shown under its system's line
    // A system's line only: open or closed, its totals (none when too large to show), state and whether any ticket won.
    bool aperto = false;
    std::optional<TotaliGruppo> totali;
    Stato statoSistema = Stato::Conclusa;
    bool sistemaVinto = false;
    bool sistema() const { return posto.giocata < 0; }
};
// The rows of the list: one per play with its check; the tickets of a system (Giocata::gruppo) under one line
// of the system, and only when the system is among `aperti`.
std::vector<RigaElenco> righeElenco(const std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti,
                                    const std::set<std::int64_t>& aperti = {});
// The text of column `colonna` (colonneGiocate) of a row of the list, as the window shows it.
std::string testoElenco(const RigaElenco& r, int colonna);
// The row's colours: the light green of a play or system that won; the Saldo in red below zero.
bool vintaElenco(const RigaElenco& r);
bool inPerditaElenco(const RigaElenco& r);
// The light green of a row that won (the selection green stays for wheels and numbers).
inline constexpr grid::Colore ColoreVincente = grid::rgb(200, 255, 200);
// The header of the list, by colonneGiocate, and whether a column is aligned right.
inline constexpr std::array<const char*, colonneGiocate::Quante> TitoliGiocate = {
    "N°", "Numeri", "Ruote", "Poste", "Dal", "Colpi", "Stato", "Spesa", "Vinto", "Saldo", "Resa attesa"};
bool allineataADestra(int colonnaGiocate);

// The header of the wins, by colonneVincite, and whether a column is aligned right.
inline constexpr std::array<const char*, colonneVincite::Quante> TitoliVincite = {
    "Giocata", "Data", "Colpo", "Ruota", "Sorte", "Punti", "Lordo", "Netto"};
bool allineataADestraVincite(int colonnaVincite);
// Header only; then scriviVincite adds the wins of play `numero` (its N°, or its line in a file).
void preparaVincite(grid::Grid& g);
void scriviVincite(grid::Grid& g, std::int64_t numero, const EsitoGiocata& esito);
// The cells of one win of play `numero`, by colonneVincite: the row scriviVincite adds, the line
// velmora-cli prints as the win is found.
std::array<std::string, colonneVincite::Quante> celleVincita(std::int64_t numero, const Vincita& v);

// What a cell of money shows in place of a sum too large to be shown.
inline constexpr const char* TestoFuoriScala = "oltre il massimo";

// FgPagamenti: one row under the captions, columns 0..4 the payout per euro of estratto .. cinquina,
// column 5 the levy in percent.
constexpr int ColonnaRitenuta = NumeroSorti;
inline constexpr const char* IntestazioneTariffe = "Estratto|Ambo|Terno|Quaterna|Cinquina|Ritenuta %";
// The text of column `colonna` (decimal comma); empty outside the columns.
std::string testoTariffa(const Tariffe& t, int colonna);
// The value typed in column `colonna` of FgPagamenti (decimal comma or point): hundredths for the
// payouts (more than 0), for the levy (0 up to less than 100); nothing when it is not one.
std::optional<std::int64_t> leggiValoreTariffa(int colonna, const std::string& testo);
// Tariffe with column `colonna` set to `valore` (as leggiValoreTariffa gives it).
Tariffe conValore(Tariffe t, int colonna, std::int64_t valore);

// What velmora-cli prints on standard error for play `numero`.
std::string riepilogo(std::int64_t numero, const Giocata& g, const EsitoGiocata& e);

}
