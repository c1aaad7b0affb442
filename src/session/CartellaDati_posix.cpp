// Where an installed program keeps its files on a Linux desktop: the XDG data folder, the shared files in ../share/velmora.
#include "session/CartellaProgramma.h"

#include "sistema/Ambiente.h"

namespace session {

const char* const VariabileCartellaDati = "HOME";

std::filesystem::path cartellaDatiDelSistema()
{
    const auto xdg = sistema::variabile("XDG_DATA_HOME");
    const auto casa = sistema::variabile("HOME");
    return cartellaDatiUtente(xdg ? xdg->c_str() : nullptr, casa ? casa->c_str() : nullptr);
}

std::filesystem::path cartellaRisorseInstallate(const std::filesystem::path& cartellaEseguibile)
{
    return (cartellaEseguibile / ".." / "share" / "velmora").lexically_normal();
}

}
