// The import of the official historical file into a new draws database.
#pragma once

#include "archive/CaricaArchivio.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace archive {

// A refused import: unreadable file, malformed line (the text names its number),
// existing target, database error. Nothing is left behind on disk.
class ErroreImportazione : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text of more days than an archive holds (MaxEstrazioni): refused whole.
class TroppeEstrazioni : public ErroreImportazione {
public:
    using ErroreImportazione::ErroreImportazione;
};

struct EsitoImportazione {
    int estrazioni = 0;
    std::string prima;    // "GG/MM/AAAA"
    std::string ultima;   // "GG/MM/AAAA"
};

// Reads `percorsoStorico` (lines "AAAA/MM/GG<TAB>RUOTA<TAB>n1<TAB>..n5", wheels
// BA CA FI GE MI NA PA RM TO VE RN; RO and NZ are taken as well; CRLF and blank
// lines tolerated) and writes a new encrypted draws database at `percorsoArchivio`
// in one transaction. A wheel absent on a date stays empty. An existing file is
// replaced only when `sovrascrivi`, and only once the new one is complete (keeping its
// mode); a target that is not a regular file, is read-only or is the historical file
// itself is refused, as is a file with more than MaxEstrazioni draws, before anything is written.
// Progress on bar 1 runs up to twice the number of lines: reading, then writing. A stop
// request is checked at every line and every draw written and throws Interrotto,
// leaving nothing behind (an archive being replaced stays as it was).
EsitoImportazione ImportaStorico(const std::string& percorsoStorico, const std::string& percorsoArchivio,
                                 bool sovrascrivi = false, avanzamento::Avanzamento* avanzamento = nullptr);

// The same import from the text of the historical file already read (out of a zip, say);
// `percorsoStorico` is the file the user gave, which the target may not be; `voce` the entry of
// the zip the text came from, named by the messages about its lines.
EsitoImportazione ImportaStoricoDaTesto(std::string_view testo, const std::string& percorsoStorico,
                                        const std::string& percorsoArchivio, bool sovrascrivi = false,
                                        avanzamento::Avanzamento* avanzamento = nullptr, const std::string& voce = {});

// One date of the historical file as the archive stores it: the ISO date and the eleven wheel
// fields, empty for a wheel not drawn that day.
struct GiornataStorico {
    std::string dataIso;
    std::array<std::string, NumeroRuote> campi;
};

// The draws of a historical text in date order, checked line by line as the import checks them
// (ErroreImportazione names the line, and `voce` when given). Progress and stop requests as the
// import's reading half. A date before 1939 or more than a year ahead is a wrong line; a text of
// more than MaxEstrazioni days is refused before its rows are all built.
std::vector<GiornataStorico> LeggiTestoStorico(std::string_view testo, avanzamento::Avanzamento* avanzamento = nullptr,
                                               const std::string& voce = {});

}
