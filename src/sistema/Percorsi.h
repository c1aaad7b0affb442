// File names as the program carries them (UTF-8 text) and as the file system takes them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sistema {

// The path named by UTF-8 text. Every name the program holds is UTF-8 (typed, chosen in a file
// dialog, read from a configuration row); a plain std::filesystem::path(std::string) would read it
// in the system's narrow code page instead, which on Windows is not UTF-8 and garbles accented
// names ("Documenti di Nicolò").
std::filesystem::path percorso(std::string_view utf8);

// The UTF-8 text of a path, the inverse of percorso().
std::string testo(const std::filesystem::path& p);

}
