// Where the program keeps its own files: beside the executable in a build, in the user's data folder once installed.
#pragma once

#include <filesystem>
#include <string>

namespace session {

// The file the build leaves beside the executable: its folder is then the program folder.
inline constexpr const char* NomeSegnoCartella = "CartellaProgramma.txt";
inline constexpr const char* NomeArchivioDimostrativo = "ArchivioDimostrativo.db";
inline constexpr const char* NomeCartellaHelp = "HelpVelmora";

struct Cartelle {
    // DbPiramide.db, PercorsoDatabase.txt, the local update file, the default export folder.
    std::filesystem::path programma;
    // The read-only files that come with the program: the help pages and the demonstration archive.
    std::filesystem::path risorse;
    bool installato = false;
};

// The executable's folder is the program folder when it holds "DbPiramide.db" (a copy run
// from its own folder) or the build's mark; otherwise the program is installed: its files go
// to `cartellaDati` and the shared files are read from ../share/velmora beside the executable.
Cartelle scegliCartelle(const std::filesystem::path& cartellaEseguibile, const std::filesystem::path& cartellaDati);

// First run of an installed program: creates the data folder and copies the demonstration
// archive into it when it is not there yet (a copy the user has written to is never replaced).
// Throws std::runtime_error with an Italian text naming the folder or file.
void preparaCartellaDati(const Cartelle& cartelle);

}
