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

// The data folder of an installed program, as the desktop's convention places it: "Velmora" in
// $XDG_DATA_HOME when that names an absolute folder, else $HOME/.local/share/Velmora. Empty when
// neither gives a home (unset, empty, relative, or the root itself): there is then nowhere to keep
// the user's files, and preparaCartellaDati says so instead of writing at the root.
std::filesystem::path cartellaDatiUtente(const char* xdgDataHome, const char* home);

// The data folder of an installed program on Windows, where each program keeps its user's files:
// "Velmora" in %APPDATA% (the user's roaming application data). Empty when that is not an
// absolute folder other than a drive's root.
std::filesystem::path cartellaDatiUtenteWindows(const char* appData);

// The data folder of an installed program on this system, from this process's environment: one of
// the two above (CartellaDati_posix.cpp, CartellaDati_windows.cpp).
std::filesystem::path cartellaDatiDelSistema();

// Where the shared files (help pages, demonstration archive) of an installed program lie, from the
// executable's folder: ../share/velmora on a Linux system, the executable's own folder on Windows.
std::filesystem::path cartellaRisorseInstallate(const std::filesystem::path& cartellaEseguibile);

// The environment variable that gives the user's data folder on this system ("HOME", "APPDATA"),
// named when it is missing.
extern const char* const VariabileCartellaDati;

// The executable's folder is the program folder when it holds "DbPiramide.db" (a copy run
// from its own folder) or the build's mark; otherwise the program is installed: its files go
// to `cartellaDati` and the shared files are read from cartellaRisorseInstallate().
Cartelle scegliCartelle(const std::filesystem::path& cartellaEseguibile, const std::filesystem::path& cartellaDati);

// First run of an installed program: creates the data folder and copies the demonstration
// archive into it when it is not there yet (a copy the user has written to is never replaced).
// Throws std::runtime_error with an Italian text naming the folder or file, or saying that there is
// no home to keep the data in (an empty or relative data folder, or the root's own folders).
void preparaCartellaDati(const Cartelle& cartelle);

}
