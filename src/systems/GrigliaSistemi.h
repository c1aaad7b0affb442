// The grids of a system (tickets, rendimento) and the summary lines the window and velmora-cli share.
#pragma once

#include "grid/Grid.h"
#include "systems/Copertura.h"
#include "systems/Rendimento.h"

#include <string>
#include <vector>

namespace systems {

// FgBiglietti: one row per ticket.
namespace colonneBiglietti {
enum : int { Numero, Numeri, Quante };
}
// FgRendimento: one row per count of numbers out.
namespace colonneRendimento {
enum : int { Usciti, Casi, Estratto, Ambo, Terno, Quaterna, Cinquina, PremioMinimo, PremioMassimo, Quante };
}

// Header and the tickets da .. da + quanti - 1 (an integral system is paged, never held whole).
void scriviBiglietti(grid::Grid& g, const Sistema& s, std::int64_t da, std::int64_t quanti);
// Header and one row per h: "min – max" tickets winning each sorte, the sure and the best prize.
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
