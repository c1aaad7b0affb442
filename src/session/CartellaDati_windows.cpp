// Where an installed program keeps its files on Windows: %APPDATA%\Velmora; the installer puts the shared files beside the executables.
#include "session/CartellaProgramma.h"

#include "sistema/Ambiente.h"

namespace session {

const char* const VariabileCartellaDati = "APPDATA";

std::filesystem::path cartellaDatiDelSistema()
{
    const auto appData = sistema::variabile("APPDATA");
    return cartellaDatiUtenteWindows(appData ? appData->c_str() : nullptr);
}

std::filesystem::path cartellaRisorseInstallate(const std::filesystem::path& cartellaEseguibile)
{
    return cartellaEseguibile;
}

}
