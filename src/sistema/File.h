// The file operations the safe replacement of a file needs, which each system does its own way.
#pragma once

#include <cstdint>
#include <string>

namespace sistema {

// The exclusive lock of a replacement, held on a small file beside the target. Only one holder
// at a time, across processes; the file goes when its holder lets it go (or dies).
class Blocco {
public:
    enum class Esito { Preso, Occupato, Impossibile };

    Blocco() = default;
    ~Blocco();
    Blocco(const Blocco&) = delete;
    Blocco& operator=(const Blocco&) = delete;

    // Takes the lock on `percorso` without waiting; Occupato when another holder has it,
    // Impossibile when the file cannot be created (folder missing or not writable).
    Esito prendi(const std::string& percorso);
    void rilascia();

private:
    std::string percorso_;
    // The system's handle of the open lock file (a descriptor, or a Windows HANDLE); -1 when none.
    std::intptr_t maniglia_ = -1;
};

// Creates a new empty file `inizio` followed by six characters chosen to make the name unique,
// never opening an existing one; its name, or empty when it could not be created.
std::string creaFileUnico(const std::string& inizio);

// Writes a file's content, or a folder's entries, through to the disk; false when the system
// could not (some file systems refuse to flush a folder).
[[nodiscard]] bool sincronizzaFile(const std::string& percorso);
[[nodiscard]] bool sincronizzaCartella(const std::string& percorso);

// Gives `da` the name `a` in one step, replacing the file `a` if it exists; false when the system
// refused. On POSIX a target held open by a reader is replaced all the same (the reader keeps the
// old file); Windows refuses to replace a file another program holds open, so there the caller
// lets its own hold go first (RinominaSopraFileAperto).
[[nodiscard]] bool sostituisci(const std::string& da, const std::string& a);
extern const bool RinominaSopraFileAperto;

// Removes a file; false when it could not be (or was not there).
bool rimuovi(const std::string& percorso);

// The permission bits a new file gets (POSIX: 0666 less the umask).
unsigned modoNuovoFile();
// Gives a file the permission bits `modo` (on Windows only "read-only or not" exists).
[[nodiscard]] bool impostaModo(const std::string& percorso, unsigned modo);

// True when the file exists and this user may not read it (the superuser reads anything).
bool illeggibile(const std::string& percorso);

// What a system error code the database engine reports (errno on POSIX, GetLastError() on
// Windows) means to the user: no room left (full disk, quota, size limit), or access refused.
bool erroreSpazio(int erroreSistema);
bool erroreNegato(int erroreSistema);

}
