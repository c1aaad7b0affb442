// The column widths of the plays window's grids, in twips as the grids keep them: set after each grid is written.
#pragma once

#include "grid/Grid.h"
#include "plays/GrigliaGiocate.h"

#include <utility>

namespace ui::giocate {

// FgGiocate: every column in sight on a 1366-pixel screen beside nothing else.
inline void larghezzeGiocate(grid::Grid& g)
{
    using namespace plays::colonneGiocate;
    const std::pair<int, int> larghezze[] = {{Numero, 600}, {Numeri, 2600}, {Ruote, 1500}, {Poste, 1500},
                                             {Dal, 1200},   {Colpi, 1100},  {Stato, 1000}, {Spesa, 1000},
                                             {Vinto, 1000}, {Saldo, 1000},  {Resa, 1200}};
    for (const auto& [c, l] : larghezze)
        g.setLarghezza(c, l);
}

// FgVincite: narrow enough to show every column beside the form.
inline void larghezzeVincite(grid::Grid& g)
{
    using namespace plays::colonneVincite;
    const std::pair<int, int> larghezze[] = {{Giocata, 600}, {Data, 1150}, {Colpo, 600},  {Ruota, 600},
                                             {Sorte, 1000},  {Punti, 600}, {Lordo, 1000}, {Netto, 1000}};
    for (const auto& [c, l] : larghezze)
        g.setLarghezza(c, l);
}

// FgPagamenti: the five prizes and the withholding, alike.
inline void larghezzeTariffe(grid::Grid& g)
{
    for (int c = 0; c < g.colonne(); ++c)
        g.setLarghezza(c, 1000);
}

}
