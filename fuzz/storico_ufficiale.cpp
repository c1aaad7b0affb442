// The official file as downloaded, zipped or plain: its text out of the zip, its draws into rows, the check.
#include "Supporto.h"

#include "maintenance/Aggiornamento.h"
#include "maintenance/StoricoUfficiale.h"
#include "storage/DrawsDb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    static storage::Database db = storage::ApriArchivio(fuzz::percorsoArchivioPiccolo());
    try {
        const std::string testo = maintenance::testoStorico(std::string(fuzz::comeTesto(dati, dimensione)), "storico.zip");
        maintenance::RigheImporta righe;
        // An accepted file holds at least one draw.
        if (maintenance::caricaRigheStorico(testo, "storico.zip", righe) < 1)
            __builtin_trap();
        std::vector<std::string> List4;
        maintenance::ControlloEstrazioniMancanti(db, righe, List4);
    } catch (const maintenance::ErroreStorico&) {
    }
    return 0;
}
