// The console of velmora-cli: arguments in, text out, as UTF-8 on every system.
#pragma once

#include <string>
#include <vector>

namespace cli {

// Sets standard input, output and error up for UTF-8 text passed byte for byte (lines end in LF
// on every system, so a redirected file is the same file everywhere) and returns the command's
// arguments as UTF-8 text, without the program's name (Console_posix.cpp, Console_windows.cpp).
std::vector<std::string> preparaConsole(int argc, char** argv);

}
