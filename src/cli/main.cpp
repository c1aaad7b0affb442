// velmora-cli: entry point.
#include "cli/Comandi.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    return cli::esegui(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
