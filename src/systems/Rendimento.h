// What a system wins for each count of its numbers drawn on a wheel, what it costs, what it returns on average.
#pragma once

#include "avanzamento/Avanzamento.h"
#include "plays/Giocata.h"
#include "systems/Sistema.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace systems {

using Poste = std::array<plays::Centesimi, plays::NumeroSorti>;

// One row of the rendimento: h of the v numbers drawn on one wheel.
struct RigaRendimento {
    int usciti = 0;                 // h
    bool calcolata = false;         // false: more h-subsets times tickets than MassimoOperazioniRendimento
    std::int64_t casi = 0;          // C(v, h): every h-subset examined
    // Fewest and most tickets winning sorte s (index s - 1) over the h-subsets; -1 for a sorte above the classe.
    std::array<std::int64_t, plays::NumeroSorti> minimo{}, massimo{};
    plays::Centesimi premioMinimo = 0, premioMassimo = 0;   // net prize on the wheel, the stakes given
};
// The exhaustive rendimento runs up to this many ticket-by-h-subset comparisons a row.
constexpr std::int64_t MassimoOperazioniRendimento = 300'000'000;
// The rows h = 0 .. min(5, v): an integral system by its closed form (every h-subset meets the tickets
// alike), a reduced one by every h-subset. `poste`: stake of each sorte on each ticket and wheel.
std::vector<RigaRendimento> rendimento(const Sistema& s, const Poste& poste, const plays::Tariffe& tariffe,
                                       avanzamento::Avanzamento* av = nullptr);

// What the system costs and returns for `colpi` draws on `ruote` wheels.
struct Costo {
    plays::Centesimi perEstrazioneRuota = 0;   // tickets x the stakes of a ticket: one draw, one wheel
    plays::Centesimi totale = 0;               // x wheels x colpi
    double resa = 0;                           // expected net return per euro: that of one ticket
    plays::Centesimi ritornoAtteso = 0;        // resa x totale
};
Costo costoSistema(std::int64_t biglietti, int k, const Poste& poste, int ruote, int colpi, const plays::Tariffe& tariffe);

// The stakes a ticket of k numbers can take: those of the sorti above k are dropped.
Poste posteGiocabili(const Poste& poste, int k);

// The tickets of `s` as plays: the stakes given per wheel (a play's stake covers all its wheels), the
// note naming the system and the ticket. For "Gioca il sistema".
std::vector<plays::Giocata> giocateDelSistema(const Sistema& s, const Poste& poste, const std::array<bool, archive::NumeroRuote>& ruote,
                                              const std::string& dal, int colpi);

}
