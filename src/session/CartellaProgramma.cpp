// The program folder of a build and of an installed program, and the first run's data folder.
#include "session/CartellaProgramma.h"

#include "sistema/Percorsi.h"
#include "storage/ProgramDb.h"
#include "storage/Sostituzione.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace session {

namespace {

// The content of `da` into the existing file `a` (the one a replacement made beside its target).
// Not std::filesystem::copy_file: on Windows it refuses an existing destination whatever the options.
bool copiaContenuto(const fs::path& da, const std::string& a)
{
    std::ifstream in(da, std::ios::binary);
    std::ofstream out(sistema::percorso(a), std::ios::binary | std::ios::trunc);
    char blocco[65536];
    while (in && out) {
        in.read(blocco, sizeof blocco);
        out.write(blocco, in.gcount());
    }
    out.close();
    return in.eof() && !out.fail();
}

std::string messaggioSenzaCasa()
{
    const std::string variabile = VariabileCartellaDati;
    return "La cartella personale dell'utente non è indicata (variabile " + variabile + " non impostata o non valida): "
           "Velmora non ha dove tenere i suoi dati e non li scrive nella radice del disco. "
           "Impostare " + variabile + " e avviare di nuovo il programma.";
}

// An absolute folder that is not the root: "/" as a home would put the data in /.local/share.
bool cartellaUtilizzabile(const char* percorso)
{
    if (!percorso || !*percorso)
        return false;
    const fs::path p = sistema::percorso(percorso).lexically_normal();
    return p.is_absolute() && p != p.root_path();
}

}

fs::path cartellaDatiUtente(const char* xdgDataHome, const char* home)
{
    // A relative XDG_DATA_HOME is invalid by its convention and ignored, like an unset one.
    if (cartellaUtilizzabile(xdgDataHome))
        return sistema::percorso(xdgDataHome).lexically_normal() / "Velmora";
    if (cartellaUtilizzabile(home))
        return sistema::percorso(home).lexically_normal() / ".local" / "share" / "Velmora";
    return {};
}

fs::path cartellaDatiUtenteWindows(const char* appData)
{
    if (cartellaUtilizzabile(appData))
        return sistema::percorso(appData).lexically_normal() / "Velmora";
    return {};
}

Cartelle scegliCartelle(const fs::path& cartellaEseguibile, const fs::path& cartellaDati)
{
    std::error_code ec;
    if (fs::exists(cartellaEseguibile / storage::NomeDatabaseProgramma, ec) || fs::exists(cartellaEseguibile / NomeSegnoCartella, ec))
        return {cartellaEseguibile, cartellaEseguibile, false};
    return {cartellaDati, cartellaRisorseInstallate(cartellaEseguibile), true};
}

void preparaCartellaDati(const Cartelle& cartelle)
{
    if (!cartelle.installato)
        return;
    // Whatever the caller computed, a data folder is never relative (it would follow the working
    // folder) nor the root's own, which is what a missing home gives ("/.local/share/Velmora").
    const fs::path cartella = cartelle.programma.lexically_normal();
    if (!cartella.is_absolute() || cartella.parent_path() == cartella.root_path()
        || *std::next(cartella.begin()) == ".local")
        throw std::runtime_error(messaggioSenzaCasa());
    std::error_code ec;
    fs::create_directories(cartelle.programma, ec);
    if (ec || !fs::is_directory(cartelle.programma))
        throw std::runtime_error("Impossibile creare la cartella dei dati " + sistema::testo(cartelle.programma));

    const fs::path sorgente = cartelle.risorse / NomeArchivioDimostrativo;
    const fs::path copia = cartelle.programma / NomeArchivioDimostrativo;
    if (fs::exists(copia, ec) || !fs::exists(sorgente, ec))
        return;
    // Copied beside its place and renamed, so an interrupted copy never looks like an archive;
    // never over a copy that appeared meanwhile (sovrascrivi false).
    try {
        storage::Sostituzione sostituzione(sistema::testo(copia), false);
        if (!copiaContenuto(sorgente, sostituzione.provvisorio()))
            throw storage::ErroreSostituzione("");
        sostituzione.conferma();
    } catch (const storage::ErroreSostituzione&) {
        if (fs::is_regular_file(fs::symlink_status(copia, ec)))
            return;   // another start of the program made it first
        throw std::runtime_error("Impossibile copiare l'archivio dimostrativo in " + sistema::testo(copia));
    }
}

}
