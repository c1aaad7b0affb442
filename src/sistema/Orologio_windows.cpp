// The local time on Windows, whose C library has localtime_s in place of localtime_r.
#include "sistema/Orologio.h"

namespace sistema {

bool oraLocale(std::time_t t, std::tm& risultato)
{
    return ::localtime_s(&risultato, &t) == 0;
}

}
