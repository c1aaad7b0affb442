// FgX as text and colours, written from the Banco's numbers by the cell functions the window shows.
#pragma once

#include "workbench/Banco.h"

namespace workbench {

inline grid::Grid tabellaFgX(const Banco& b)
{
    grid::Grid g;
    g.setIntestazione(intestazioni::FgX);
    for (const RigaNumeriCaso& riga : righeFgX(b)) {
        const int r = g.aggiungiRiga();
        for (int c = 0; c < g.colonne(); ++c) {
            g.setTesto(r, c, testoFgX(riga, c));
            if (const auto s = sfondoFgX(riga, c))
                g.setSfondo(r, c, *s);
        }
    }
    return g;
}

}
