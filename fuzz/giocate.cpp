// The play file of velmora-cli giocate: every line read or refused naming its line and field; every play read
// writes back to the same play and is checked against a small archive with sums that add up.
#include "Supporto.h"

#include "plays/FileGiocate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    std::vector<plays::GiocataDelFile> elenco;
    try {
        elenco = plays::leggiFileGiocate(std::string(fuzz::comeTesto(dati, dimensione)));
    } catch (const plays::ErroreFileGiocate& e) {
        if (e.riga() < 1 || std::string(e.what()).find(", campo ") == std::string::npos)
            __builtin_trap();   // a refusal names the line and the field
        return 0;
    }
    const archive::Archivio& a = fuzz::archivioPiccolo();
    for (const auto& [riga, g] : elenco) {
        if (plays::difettoGiocata(g))
            __builtin_trap();
        const auto di_nuovo = plays::leggiFileGiocate(plays::rigaFileGiocate(g));
        if (di_nuovo.size() != 1 || !(di_nuovo[0].giocata == g))
            __builtin_trap();
        const auto e = plays::verificaGiocata(g, a, {});
        plays::Importo lordo, netto;
        for (const auto& v : e.vincite) {
            lordo += v.lordo;
            netto += v.netto;
            if (v.netto.unita > v.lordo.unita || v.punti < v.sorte || v.colpo < 1 || v.colpo > e.colpiGiocati)
                __builtin_trap();
        }
        if (lordo.unita != e.lordo.unita || netto.unita != e.netto.unita || e.colpiGiocati > g.colpi
            || e.spesa != plays::costoPerEstrazione(g) * e.colpiGiocati || e.resa < 0 || e.resa > 1)
            __builtin_trap();
    }
    return 0;
}
