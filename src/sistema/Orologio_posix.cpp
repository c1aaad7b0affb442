// The local time on POSIX systems.
#include "sistema/Orologio.h"

namespace sistema {

bool oraLocale(std::time_t t, std::tm& risultato)
{
    return ::localtime_r(&t, &risultato) != nullptr;
}

}
