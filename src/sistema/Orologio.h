// The local calendar time, which each system's C library gives in its own thread-safe call.
#pragma once

#include <ctime>

namespace sistema {

// `t` in the local time zone; false when the system cannot convert it.
[[nodiscard]] bool oraLocale(std::time_t t, std::tm& risultato);

}
