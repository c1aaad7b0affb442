// The update file of draws: the format test, its lines into rows, the check against the archive.
#include "Supporto.h"

#include "maintenance/Aggiornamento.h"
#include "maintenance/FileAggiornamento.h"
#include "storage/DrawsDb.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    static storage::Database db = storage::ApriArchivio(fuzz::percorsoArchivioPiccolo());
    const std::string_view testo = fuzz::comeTesto(dati, dimensione);
    maintenance::formatoAggiornamento(testo.substr(0, testo.find('\n')));

    maintenance::RigheImporta righe;
    std::istringstream file{std::string(testo)};
    maintenance::caricaRigheAggiornamento(file, righe);
    for (const auto& riga : righe)
        maintenance::motivoRigaNonValida(riga);
    std::vector<std::string> List4;
    maintenance::ControlloEstrazioniMancanti(db, righe, List4);
    return 0;
}
