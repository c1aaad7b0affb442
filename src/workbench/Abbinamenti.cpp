// ABBINAMENTI: the shared search body with the case numbers of FgX, into FgGr.
#include "workbench/Abbinamenti.h"

namespace workbench {

EsitoRicerca cercaAbbinamenti(Banco& b, const archive::Archivio& a, int sorte, avanzamento::Avanzamento* avanzamento)
{
    // A sorte of 0 would run the ambate search, 1 would turn every case number into a win.
    return eseguiRicerca(b, b.FgGr, a, sorte, sorte == SorteAmbo || sorte == SorteTerno, avanzamento);
}

}
