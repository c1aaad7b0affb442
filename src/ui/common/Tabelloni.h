// The number and wheel pickers as models of typed rows: what is chosen is the rows' state, the colours follow it.
#pragma once

#include "archive/Archivio.h"
#include "ui/common/ModelloRighe.h"

#include <array>
#include <vector>

namespace ui {

// A row of the board of the 90 numbers: ten numbers from `primo` (1, 11, .. 81) and which are chosen.
struct DecinaNumeri {
    int primo = 1;
    std::array<bool, 10> scelti{};
    bool operator==(const DecinaNumeri&) const = default;
};
using TabelloneNumeri = ModelloRighe<DecinaNumeri>;

// The wheels, one row of eleven, and which are chosen.
struct RigaRuote {
    std::array<bool, archive::NumeroRuote> scelte{};
    bool operator==(const RigaRuote&) const = default;
};
using TabelloneRuote = ModelloRighe<RigaRuote>;

// The board ("01" .. "90", nine rows of ten) and the row of the wheel codes, cells `twips` wide and
// centred, a chosen cell on `selezione`, the others on `normale`; no header row. Show them with
// dimensioniEsatte.
TabelloneNumeri* tabelloneNumeri(int twips, grid::Colore selezione, grid::Colore normale, QObject* genitore = nullptr);
TabelloneRuote* tabelloneRuote(int twips, grid::Colore selezione, grid::Colore normale, QObject* genitore = nullptr);

// The chosen numbers (1 .. 90; others ignored) and wheels: only the rows that change are announced.
void scegliNumeri(TabelloneNumeri& tabellone, const std::vector<int>& numeri);
void scegliRuote(TabelloneRuote& tabellone, const std::array<bool, archive::NumeroRuote>& ruote);

}
