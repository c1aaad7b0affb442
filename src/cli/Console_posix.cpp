// The console on POSIX systems: arguments and streams are already bytes of UTF-8 text.
#include "cli/Console.h"

namespace cli {

std::vector<std::string> preparaConsole(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

}
