// UTF-8 text to paths and back through char8_t, which the standard library converts exactly on every system.
#include "sistema/Percorsi.h"

namespace sistema {

std::filesystem::path percorso(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string testo(const std::filesystem::path& p)
{
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
}

}
