// The official historical file, as CREA ARCHIVIO DA FILE STORICO and importa-storico read it.
#include "Supporto.h"

#include "archive/ImportaStorico.h"
#include "storage/DrawsDb.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    const std::string storico = fuzz::comeFile(dati, dimensione, "storico.txt");
    const std::string archivio = fuzz::cartella() + "/storico.db";
    try {
        // An accepted file is a real archive: at least one draw, dates of the calendar in order.
        const auto esito = archive::ImportaStorico(storico, archivio, true);
        if (esito.estrazioni < 1 || esito.estrazioni > archive::MaxEstrazioni || storage::DataPerDb(esito.prima).empty()
            || storage::DataPerDb(esito.ultima) < storage::DataPerDb(esito.prima))
            __builtin_trap();
    } catch (const archive::ErroreImportazione&) {
        // A refused file leaves no archive behind.
        if (std::filesystem::exists(archivio))
            std::filesystem::remove(archivio);
    }
    return 0;
}
