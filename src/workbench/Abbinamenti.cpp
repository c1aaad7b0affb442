// ABBINAMENTI: reads the window's settings with the case numbers of FgX and fills FgGr.
#include "workbench/Abbinamenti.h"

namespace workbench {

Esito Command38(Banco& b, const archive::Archivio& a, int sorte, const AvanzamentoRicerca& avanzamento)
{
    b.List1.clear();
    b.List1.push_back(orarioList1());
    const auto imp = leggiImpostazioniRicerca(b, sorte);
    RisultatoRicerca esito;
    if (sorte == SorteAmbo || sorte == SorteTerno) {
        esito = cercaProtetta(imp, a, avanzamento);
    } else {
        // A sorte of 0 would run the ambate search, 1 would turn every case number into a win.
        esito.anomalia = true;
    }
    scriviEsiti(b.FgGr, esito.righe, imp.lista, sorte);
    b.List1.push_back(orarioList1());
    if (esito.anomalia)
        return Messaggio{std::string(TestoErroreImpostazioni), "Avviso", Icona::Critico};
    return std::nullopt;
}

}
