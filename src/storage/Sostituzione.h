// The safe replacement of a file: checked target, exclusive lock, unique file beside it, rename into place.
#pragma once

#include "sistema/File.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace storage {

// A target refused or a replacement that could not be completed; the message is Italian and names the file.
class ErroreSostituzione : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Refuses, without touching anything, a target that cannot be replaced: one that exists and is not a
// regular file (folder, pipe, symbolic link, device), a read-only file, an existing file when
// `sovrascrivi` is false, and the file of any of `ingressi` (same device and inode, whatever the path).
void ControllaDestinazione(const std::string& destinazione, bool sovrascrivi,
                           const std::vector<std::string>& ingressi = {});

// The side files the database engine keeps beside a database and reads back when it opens the file
// again: a rollback journal left by a write that was cut short is replayed into whatever file then
// bears the name.
inline constexpr const char* SuffissiGiornale[] = {"-journal", "-wal", "-shm"};

// Prepares the replacement of `destinazione`: checks it as above under an exclusive lock (another
// replacement of the same target in progress is refused), removes what replacements of the same
// target killed before their end left beside it, then creates a unique empty file in the same
// folder. The names beside the target are short and fixed in length, so that any name the file
// system takes can be replaced. The caller writes `provvisorio()` and calls `conferma()`, which
// gives it the mode of the file it replaces (or the usual mode of a new file) and renames it over
// the target. Without `conferma()` the file beside is removed and the target stays as it was.
//
// A journal or write-ahead log of the old target is never let apply to the new file: before the
// rename the old target is opened as a database (which rolls an interrupted write back, so the
// old file is whole again); when it cannot be, the replacement is refused. A journal without its
// database belongs to nothing and is removed.
class Sostituzione {
public:
    Sostituzione(const std::string& destinazione, bool sovrascrivi, const std::vector<std::string>& ingressi = {});
    ~Sostituzione();
    Sostituzione(const Sostituzione&) = delete;
    Sostituzione& operator=(const Sostituzione&) = delete;

    const std::string& provvisorio() const { return provvisorio_; }
    void conferma();

private:
    void rilascia();

    std::string destinazione_;
    std::string provvisorio_;
    sistema::Blocco blocco_;
    unsigned modo_ = 0;
    bool confermata_ = false;
};

}
