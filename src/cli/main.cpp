// velmora-cli: entry point.
#include "cli/Comandi.h"
#include "cli/Console.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> argomenti = cli::preparaConsole(argc, argv);
    std::ios::sync_with_stdio(false);
    return cli::esegui(argomenti, std::cin, std::cout, std::cerr);
}
