// The program folder of a build and of an installed program, and the first run's data folder.
#include "session/CartellaProgramma.h"

#include "storage/ProgramDb.h"
#include "storage/Sostituzione.h"

#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace session {

Cartelle scegliCartelle(const fs::path& cartellaEseguibile, const fs::path& cartellaDati)
{
    std::error_code ec;
    if (fs::exists(cartellaEseguibile / storage::NomeDatabaseProgramma, ec) || fs::exists(cartellaEseguibile / NomeSegnoCartella, ec))
        return {cartellaEseguibile, cartellaEseguibile, false};
    return {cartellaDati, (cartellaEseguibile / ".." / "share" / "velmora").lexically_normal(), true};
}

void preparaCartellaDati(const Cartelle& cartelle)
{
    if (!cartelle.installato)
        return;
    std::error_code ec;
    fs::create_directories(cartelle.programma, ec);
    if (ec || !fs::is_directory(cartelle.programma))
        throw std::runtime_error("Impossibile creare la cartella dei dati " + cartelle.programma.string());

    const fs::path sorgente = cartelle.risorse / NomeArchivioDimostrativo;
    const fs::path copia = cartelle.programma / NomeArchivioDimostrativo;
    if (fs::exists(copia, ec) || !fs::exists(sorgente, ec))
        return;
    // Copied beside its place and renamed, so an interrupted copy never looks like an archive;
    // never over a copy that appeared meanwhile (sovrascrivi false).
    try {
        storage::Sostituzione sostituzione(copia.string(), false);
        fs::copy_file(sorgente, sostituzione.provvisorio(), fs::copy_options::overwrite_existing, ec);
        if (ec)
            throw storage::ErroreSostituzione("");
        sostituzione.conferma();
    } catch (const storage::ErroreSostituzione&) {
        if (fs::is_regular_file(fs::symlink_status(copia, ec)))
            return;   // another start of the program made it first
        throw std::runtime_error("Impossibile copiare l'archivio dimostrativo in " + copia.string());
    }
}

}
