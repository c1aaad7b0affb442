// velmora-cli: entry point.
#include "cli/Comandi.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const int codice = cli::esegui(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
    // Closing is the last write: a file system that reports its errors late (a network one) says it here.
    if (std::fclose(stdout) != 0) {
        std::cout.setstate(std::ios::badbit);
        return cli::controllaUscita({}, codice, std::cout, std::cerr);
    }
    return codice;
}
