// The environment on POSIX systems, whose variables are already the bytes of UTF-8 text.
#include "sistema/Ambiente.h"

#include <cstdlib>

namespace sistema {

std::optional<std::string> variabile(const char* nome)
{
    const char* valore = std::getenv(nome);
    if (!valore)
        return std::nullopt;
    return std::string(valore);
}

std::optional<std::string> cartellaPersonale()
{
    auto casa = variabile("HOME");
    if (!casa || casa->empty())
        return std::nullopt;
    return casa;
}

}
