// The candidates of each formula class, numbered in the searches' enumeration order: how many there are, the
// cells and value each one reads, and the evaluator's fields it sets on a case.
#pragma once

#include "archive/Archivio.h"
#include "engine/Operatori.h"

#include <array>

namespace workbench {

inline constexpr int CelleCaso = archive::NumeroRuote * 5;   // (wheel, position) cells, index w * 5 + p - 1
inline constexpr int ValoriFissi = 90;                       // V 0..89 of classes 3 and 7
inline constexpr int Ritardi = 11;                           // V 0..10 of class 5: the draw d - V

// What one candidate reads: its cells (-1 where the class has none), its V (class 4: the
// number itself) and, for class 6, the wheel.
struct Candidato {
    int cella1 = -1;
    int cella2 = -1;
    int valore = 0;
    int ruota = -1;
};

// The enumeration order of each class, as the search scores the candidates, the kept scores
// keep them and the rows are written from them:
//   1: cella1                        2: cella1 * 55 + cella2          3: cella1 * 90 + V
//   4: number - 1 (1..90)            5: V * 55 + cella1 (V 0..10)     6: the wheel 0..10
//   7: (cella1 * 55 + cella2) * 90 + V
namespace candidati {

// How many candidates class `tipo` has (0 for an unknown class).
constexpr int quanti(int tipo)
{
    switch (tipo) {
    case 1: return CelleCaso;
    case 2: return CelleCaso * CelleCaso;
    case 3: return CelleCaso * ValoriFissi;
    case 4: return 90;
    case 5: return Ritardi * CelleCaso;
    case 6: return archive::NumeroRuote;
    case 7: return CelleCaso * CelleCaso * ValoriFissi;
    default: return 0;
    }
}

// Candidate `indice` (0 .. quanti(tipo) - 1) of class `tipo`.
constexpr Candidato decodifica(int tipo, int indice)
{
    Candidato c;
    switch (tipo) {
    case 1: c.cella1 = indice; break;
    case 2:
        c.cella1 = indice / CelleCaso;
        c.cella2 = indice % CelleCaso;
        break;
    case 3:
        c.cella1 = indice / ValoriFissi;
        c.valore = indice % ValoriFissi;
        break;
    case 4: c.valore = indice + 1; break;
    case 5:
        c.valore = indice / CelleCaso;
        c.cella1 = indice % CelleCaso;
        break;
    case 6: c.ruota = indice; break;
    case 7:
        c.cella1 = indice / ValoriFissi / CelleCaso;
        c.cella2 = indice / ValoriFissi % CelleCaso;
        c.valore = indice % ValoriFissi;
        break;
    default: break;
    }
    return c;
}

// The index of candidate `c` of class `tipo`: decodifica's inverse.
constexpr int codifica(int tipo, const Candidato& c)
{
    switch (tipo) {
    case 1: return c.cella1;
    case 2: return c.cella1 * CelleCaso + c.cella2;
    case 3: return c.cella1 * ValoriFissi + c.valore;
    case 4: return c.valore - 1;
    case 5: return c.valore * CelleCaso + c.cella1;
    case 6: return c.ruota;
    case 7: return (c.cella1 * CelleCaso + c.cella2) * ValoriFissi + c.valore;
    default: return 0;
    }
}

}

// A case draw's numbers as the candidates read them (leggiOperando): numeri[cell] of the
// draw d itself, precedenti[V][cell] of d - V for class 5.
struct NumeriDelCaso {
    int d = 0;
    std::array<int, CelleCaso> numeri{};
    std::array<std::array<int, CelleCaso>, Ritardi> precedenti{};
};
// Case draw d's numbers, as leggiOperando reads them.
NumeriDelCaso numeriDelCaso(const archive::Archivio& a, int d);

// The evaluator's fields of candidate `c` of class `tipo` on case `caso`, as the searches set
// them: N1, N2 the numbers of its cells, V, and for an operator that reads the draw itself the
// draw, wheels and positions of the cells (class 6: the wheel, read whole). N1 or N2 is
// negative when a cell cannot be read on the case.
inline engine::ValoriOperatore valoriDelCandidato(int tipo, const Candidato& c, const NumeriDelCaso& caso)
{
    engine::ValoriOperatore v;
    v.EstrazioneCalcolo = caso.d;
    if (c.cella1 >= 0) {
        v.R1 = c.cella1 / 5;
        v.P1 = c.cella1 % 5 + 1;
        v.N1 = tipo == 5 ? caso.precedenti[static_cast<std::size_t>(c.valore)][static_cast<std::size_t>(c.cella1)]
                         : caso.numeri[static_cast<std::size_t>(c.cella1)];
    }
    if (c.cella2 >= 0) {
        v.R2 = c.cella2 / 5;
        v.P2 = c.cella2 % 5 + 1;
        v.N2 = caso.numeri[static_cast<std::size_t>(c.cella2)];
    }
    if (tipo == 4)
        v.N1 = c.valore;
    else
        v.ValoreFisso = c.valore;
    if (tipo == 6)
        v.R1 = c.ruota;
    return v;
}

}
