// What the environment tells about the user: variables and the personal folder, as UTF-8 text.
#pragma once

#include <optional>
#include <string>

namespace sistema {

// An environment variable as UTF-8 text; nothing when it is not set.
std::optional<std::string> variabile(const char* nome);

// The user's personal folder: $HOME on POSIX, %USERPROFILE% on Windows; nothing when unset or empty.
std::optional<std::string> cartellaPersonale();

}
