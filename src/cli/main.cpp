// velmora-cli: entry point.
#include "cli/Comandi.h"
#include "cli/Console.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> argomenti = cli::preparaConsole(argc, argv);
    std::ios::sync_with_stdio(false);
    const int codice = cli::esegui(argomenti, std::cin, std::cout, std::cerr);
    // Closing is the last write: a file system that reports its errors late (a network one) says it here.
    if (std::fclose(stdout) != 0) {
        std::cout.setstate(std::ios::badbit);
        return cli::controllaUscita({}, codice, std::cout, std::cerr);
    }
    return codice;
}
