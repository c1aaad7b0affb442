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
// Header and one row per play with its check. The tickets of a system (Giocata::gruppo) stand under one line
// of the system with its totals, and only when the system is among `aperti`. Says what each row is.
std::vector<RigaGiocate> scriviGiocate(grid::Grid& g, const std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti,
                                       const std::set<std::int64_t>& aperti = {});
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
void scriviTariffe(grid::Grid& g, const Tariffe& t);
// The value typed in column `colonna` of FgPagamenti (decimal comma or point): hundredths for the
// payouts (more than 0), for the levy (0 up to less than 100); nothing when it is not one.
std::optional<std::int64_t> leggiValoreTariffa(int colonna, const std::string& testo);
// Tariffe with column `colonna` set to `valore` (as leggiValoreTariffa gives it).
Tariffe conValore(Tariffe t, int colonna, std::int64_t valore);

// What velmora-cli prints on standard error for play `numero`.
std::string riepilogo(std::int64_t numero, const Giocata& g, const EsitoGiocata& e);

}
