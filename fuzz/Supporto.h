// What the fuzz targets share: a scratch folder, a small real archive, the input as text or as a file.
#pragma once

#include "archive/Archivio.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// A folder of this process under the system's temporary folder, removed at exit.
const std::string& cartella();

// The input written to a file of the scratch folder (the same name every run): the
// parsers that take a path read it as a user's file.
std::string comeFile(const std::uint8_t* dati, std::size_t dimensione, const std::string& nome);

inline std::string_view comeTesto(const std::uint8_t* dati, std::size_t dimensione)
{
    return {reinterpret_cast<const char*>(dati), dimensione};
}

// The input cut at `sep`: a command line, the values of several configuration rows.
std::vector<std::string> parti(std::string_view testo, char sep);

// A draws database of 40 draws (January to April 2020), imported once from a historical
// file written here, and the archive loaded from it with the program's own loader.
const std::string& percorsoArchivioPiccolo();
const archive::Archivio& archivioPiccolo();

}
