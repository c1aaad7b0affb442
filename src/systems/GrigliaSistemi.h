// The rendimento table of a system and the summary lines the window and velmora-cli share.
#pragma once

#include "grid/Grid.h"
#include "systems/Copertura.h"
#include "systems/Rendimento.h"

#include <array>
#include <string>
#include <vector>

namespace systems {

// The rendimento table: one row per count of numbers out.
namespace colonneRendimento {
enum : int { Usciti, Casi, Estratto, Ambo, Terno, Quaterna, Cinquina, PremioMinimo, PremioMassimo, Quante };
}
extern const std::array<const char*, colonneRendimento::Quante> TitoliRendimento;
// The text of column `colonna` of a rendimento row: "min – max" tickets winning each sorte, the sure
// and the best prize; a row beyond the limit of calculation says so under Estratto.
std::string testoRendimento(const RigaRendimento& riga, int colonna);
// Header and one row per h (velmora-cli sistema --rendimento).
void scriviRendimento(grid::Grid& g, const std::vector<RigaRendimento>& righe);

// "13 biglietti (limite inferiore 13, rapporto 1,00) - piano proiettivo di ordine 3".
std::string testoDimensione(const SistemaVerificato& r);
// "1 euro per sorte (estratto, ambo) su una ruota: 26,00 euro a estrazione; resa attesa 57,4%, quella di un solo biglietto".
std::string testoCosto(const Costo& c, const Poste& poste, int k, int ruote, int colpi);
// Why a reduced system cannot lift the average: said in the window and in velmora-cli's help.
extern const char* const NotaResa;

// 1 euro on each sorte a ticket of k numbers can win.
Poste unEuroPerSorte(int k);

}
