// A workbench result row turned into a play of the plays window, without either window knowing the other.
#pragma once

#include "archive/Archivio.h"
#include "ui/common/Contesto.h"

#include <QString>

#include <array>

class QWidget;

namespace ui {

// Stores the play of a result row: `ambata` (the row's Ambata cell) on the wheels in play, 1 euro of
// estratto, for `colpi` draws from the first draw after the reference draw `riferimento` and until its
// first win (as Convalida counts it); its note names the formula (`formula`, the row's in words) and the
// reference. Says what it stored, or why nothing, and brings "Giocate" to the front. The stored play's
// IdGiocata, 0 when none.
std::int64_t giocaAmbata(Contesto& contesto, const QString& ambata, const std::array<bool, archive::NumeroRuote>& ruote,
                         int colpi, int riferimento, QWidget* genitore, const QString& formula = {});

}
