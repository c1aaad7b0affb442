// The environment on Windows, read in UTF-16 (the narrow variables are in the ANSI code page) and given as UTF-8.
#include "sistema/Ambiente.h"

#include "sistema/Percorsi.h"

#include <cstdlib>
#include <filesystem>

namespace sistema {

std::optional<std::string> variabile(const char* nome)
{
    const std::wstring nomeLargo = std::filesystem::path(percorso(nome)).wstring();
    const wchar_t* valore = ::_wgetenv(nomeLargo.c_str());
    if (!valore)
        return std::nullopt;
    return testo(std::filesystem::path(std::wstring(valore)));
}

std::optional<std::string> cartellaPersonale()
{
    auto casa = variabile("USERPROFILE");
    if (!casa || casa->empty())
        return std::nullopt;
    return casa;
}

}
