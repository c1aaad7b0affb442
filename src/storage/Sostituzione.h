// The safe replacement of a file: checked target, exclusive lock, unique file beside it, rename into place.
#pragma once

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

// Prepares the replacement of `destinazione`: checks it as above under an exclusive lock (another
// replacement of the same target in progress is refused), then creates a unique empty file in the
// same folder. The caller writes `provvisorio()` and calls `conferma()`, which gives it the mode of
// the file it replaces (or the usual mode of a new file) and renames it over the target. Without
// `conferma()` the file beside is removed and the target stays as it was.
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
    std::string bloccoPercorso_;
    int blocco_ = -1;
    unsigned modo_ = 0;
    bool confermata_ = false;
};

}
