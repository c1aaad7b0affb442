// The columns FgF (the pyramid's bricks) and Fg5 (the pattern rows) show their bricks through.
#pragma once

#include "engine/Mattone.h"
#include "ui/common/ModelloRighe.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class GrigliaView;
}

namespace ui::piramide1 {

// How a brick grid draws a highlighted row: the whole row in `riga`, its number in `numero` if given.
struct EvidenzaMattone {
    std::function<bool(const engine::Mattone&)> evidenziato;
    grid::Colore riga = grid::colori::Bianco;
    std::optional<grid::Colore> numero;
};

// Typing into the cell `colonna` (Tras .. VAL) of a brick: the typed text is checked and applied to
// the brick, or refused (false, after saying why).
using ModificaMattone = std::function<bool(engine::Mattone& m, int colonna, const std::string& testo)>;

// The columns of header `intestazione` ("Riga|Ri|..." or "Num|Ri|..."): the brick's texts centred,
// the operator's code red, the references and the value on their colours, the highlighted row
// over them; Ri, Co, Tipo and the wheel indexes hidden when `nascoste` (NASCONDE). With
// `modifica`, the cells from Tras on are typed into.
std::vector<ColonnaDi<engine::Mattone>> colonneMattoni(std::string_view intestazione, EvidenzaMattone evidenza,
                                                        bool nascoste, ModificaMattone modifica = {});

// Shows `mattoni` in `vista` through `modello`: the columns built again by `colonne` when NASCONDE
// changed (`nascoste`, the state shown, follows `nascosteOra`), the rows replaced and every row drawn
// again, since the highlight is not the rows' own.
void mostraMattoni(ModelloRighe<engine::Mattone>& modello, GrigliaView& vista, const std::vector<engine::Mattone>& mattoni,
                   bool& nascoste, bool nascosteOra, const std::function<std::vector<ColonnaDi<engine::Mattone>>()>& colonne);

}
