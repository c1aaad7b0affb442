// The play file of velmora-cli giocate: one play a line, NUMERI;RUOTE;POSTE;DAL;COLPI[;F].
#pragma once

#include "plays/Giocata.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace plays {

// A line that is not a play: the line, the field and why (Italian).
class ErroreFileGiocate : public std::runtime_error {
public:
    ErroreFileGiocate(int riga, const std::string& campo, const std::string& motivo)
        : std::runtime_error("riga " + std::to_string(riga) + ", campo " + campo + ": " + motivo), riga_(riga)
    {
    }
    int riga() const { return riga_; }

private:
    int riga_;
};

struct GiocataDelFile {
    int riga = 0;   // line number, 1 = the first
    Giocata giocata;
};

// Every play of the text, for example "12-45-78;BA,NA;0,50/1/0/0/0;22/08/2026;8;F": numbers joined
// by "-", wheel codes joined by "," or TT for the ten regional wheels, the stakes in euro of
// estratto/ambo/terno/quaterna/cinquina, the first day played, the colpi, and F to stop at the
// first win. Empty lines and lines starting with "#" are skipped. The first wrong line throws.
std::vector<GiocataDelFile> leggiFileGiocate(const std::string& testo);

// The line of `g` in that format.
std::string rigaFileGiocate(const Giocata& g);

}
