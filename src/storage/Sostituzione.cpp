// A file is replaced only when it is a plain file that may be replaced, and never half-written or by two writers at once.
#include "storage/Sostituzione.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace storage {

namespace {

namespace fs = std::filesystem;

std::string virgolette(const std::string& percorso)
{
    return "\"" + percorso + "\"";
}

// A name in the target's own folder (so the rename stays on one file system), hidden from listings.
std::string accanto(const std::string& destinazione, const std::string& suffisso)
{
    const fs::path d(destinazione);
    std::string nome = ".";
    nome += d.filename().string();
    nome += suffisso;
    return (d.parent_path() / nome).string();
}

// The mode open() would give a new file: 0666 less the process umask (read back, then restored).
unsigned modoNuovoFile()
{
    const mode_t maschera = ::umask(022);
    ::umask(maschera);
    return 0666U & ~static_cast<unsigned>(maschera);
}

void sincronizza(const std::string& percorso, int flag)
{
    const int fd = ::open(percorso.c_str(), flag | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}

void ControllaDestinazione(const std::string& destinazione, bool sovrascrivi, const std::vector<std::string>& ingressi)
{
    if (destinazione.empty())
        throw ErroreSostituzione("Percorso del file da scrivere non indicato");
    struct stat st {};
    if (::lstat(destinazione.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return;
        throw ErroreSostituzione("Impossibile accedere al file " + virgolette(destinazione));
    }
    if (S_ISLNK(st.st_mode))
        throw ErroreSostituzione(virgolette(destinazione)
                                 + " è un collegamento simbolico: indicare direttamente il file da scrivere");
    if (S_ISDIR(st.st_mode))
        throw ErroreSostituzione(virgolette(destinazione) + " è una cartella");
    if (!S_ISREG(st.st_mode))
        throw ErroreSostituzione(virgolette(destinazione) + " non è un file regolare: non viene sostituito");
    for (const auto& ingresso : ingressi) {
        struct stat si {};
        if (!ingresso.empty() && ::stat(ingresso.c_str(), &si) == 0 && si.st_dev == st.st_dev && si.st_ino == st.st_ino)
            throw ErroreSostituzione("Il file " + virgolette(destinazione)
                                     + " è lo stesso file da leggere: indicare un altro file da scrivere");
    }
    if (!sovrascrivi)
        throw ErroreSostituzione("Il file " + virgolette(destinazione) + " esiste già");
    // Mode bits rather than access(): the superuser may write anywhere, but the owner's mark still holds.
    if ((st.st_mode & 0222) == 0)
        throw ErroreSostituzione("Il file " + virgolette(destinazione) + " è di sola lettura: non viene sostituito");
}

Sostituzione::Sostituzione(const std::string& destinazione, bool sovrascrivi, const std::vector<std::string>& ingressi)
    : destinazione_(destinazione)
{
    ControllaDestinazione(destinazione, sovrascrivi, ingressi);
    bloccoPercorso_ = accanto(destinazione, ".blocco");
    // The lock file is removed by its holder; one locked after its removal is stale and taken again.
    for (;;) {
        blocco_ = ::open(bloccoPercorso_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (blocco_ < 0)
            throw ErroreSostituzione("Impossibile scrivere nella cartella del file " + virgolette(destinazione));
        if (::flock(blocco_, LOCK_EX | LOCK_NB) != 0) {
            ::close(blocco_);
            blocco_ = -1;
            throw ErroreSostituzione("Il file " + virgolette(destinazione)
                                     + " è in corso di scrittura da parte di un'altra operazione: riprovare al termine");
        }
        struct stat aperto {}, sulDisco {};
        if (::fstat(blocco_, &aperto) == 0 && ::stat(bloccoPercorso_.c_str(), &sulDisco) == 0
            && aperto.st_dev == sulDisco.st_dev && aperto.st_ino == sulDisco.st_ino)
            break;
        ::close(blocco_);
        blocco_ = -1;
    }
    try {
        // Checked again under the lock: a writer that finished meanwhile may have created the target.
        ControllaDestinazione(destinazione, sovrascrivi, ingressi);
        struct stat st {};
        modo_ = ::lstat(destinazione.c_str(), &st) == 0 ? static_cast<unsigned>(st.st_mode & 07777) : modoNuovoFile();
        std::string modello = accanto(destinazione, ".XXXXXX");
        const int fd = ::mkostemp(modello.data(), O_CLOEXEC);
        if (fd < 0)
            throw ErroreSostituzione("Impossibile creare il file " + virgolette(destinazione)
                                     + ": cartella inesistente o non scrivibile");
        ::close(fd);
        provvisorio_ = modello;
    } catch (...) {
        rilascia();
        throw;
    }
}

Sostituzione::~Sostituzione()
{
    rilascia();
}

void Sostituzione::conferma()
{
    sincronizza(provvisorio_, O_RDONLY);
    if (::chmod(provvisorio_.c_str(), static_cast<mode_t>(modo_)) != 0
        || ::rename(provvisorio_.c_str(), destinazione_.c_str()) != 0)
        throw ErroreSostituzione("Impossibile sostituire il file " + virgolette(destinazione_));
    confermata_ = true;
    const fs::path cartella = fs::path(destinazione_).parent_path();
    sincronizza(cartella.empty() ? "." : cartella.string(), O_RDONLY | O_DIRECTORY);
    rilascia();
}

void Sostituzione::rilascia()
{
    if (!provvisorio_.empty()) {
        if (!confermata_)
            ::unlink(provvisorio_.c_str());
        ::unlink((provvisorio_ + "-journal").c_str());
        provvisorio_.clear();
    }
    if (blocco_ >= 0) {
        ::unlink(bloccoPercorso_.c_str());
        ::close(blocco_);
        blocco_ = -1;
    }
}

}
