// ABBINAMENTI: the shared search body with the case numbers of FgX, into FgGr.
#include "workbench/Abbinamenti.h"

namespace workbench {

EsitoRicerca cercaAbbinamenti(Banco& b, const archive::Archivio& a, int sorte, avanzamento::Avanzamento* avanzamento)
{
    const auto tipo = ricercaDellaSorte(sorte);
    if (tipo && descrizione(*tipo).abbina)
        return eseguiRicerca(b, a, *tipo, avanzamento);
    // A sorte of 0 would run the ambate search, 1 would turn every case number into a win:
    // empty rows and the settings' message.
    RisultatoRicerca nessuno;
    nessuno.anomalia = true;
    const std::string inizio = orarioList1();
    return scriviRicerca(b, leggiImpostazioniRicerca(b, TipoRicerca::AbbinamentiAmbo), nessuno, inizio);
}

}
