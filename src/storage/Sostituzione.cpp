// A file is replaced only when it is a plain file that may be replaced, and never half-written or by two writers at once.
#include "storage/Sostituzione.h"

#include "storage/Database.h"

#include <cerrno>
#include <cstdint>
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

// The names beside a target start with a fixed short stem of its own (a hash of its name), hidden
// from listings, in the target's folder so that the rename stays on one file system: a name of 255
// bytes still leaves room for them, and the stale ones of a target are found by their stem.
std::string radiceAccanto(const std::string& destinazione)
{
    std::uint64_t h = 14695981039346656037ULL;   // FNV-1a
    for (const char c : fs::path(destinazione).filename().string()) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    static constexpr char Esadecimali[] = "0123456789abcdef";
    std::string nome = ".vlm";
    for (int i = 60; i >= 0; i -= 4)
        nome += Esadecimali[(h >> i) & 0xF];
    return nome;
}

std::string accanto(const std::string& destinazione, const std::string& nome)
{
    return (fs::path(destinazione).parent_path() / nome).string();
}

bool esiste(const std::string& percorso)
{
    struct stat st {};
    return ::lstat(percorso.c_str(), &st) == 0;
}

// What replacements of the same target killed before their end left beside it: their files (a
// database being built may have its journal too), and those of the earlier, longer names. Called
// under the target's lock, so no replacement that could still finish owns any of them.
void rimuoviProvvisoriAbbandonati(const std::string& destinazione, const std::string& radice)
{
    const fs::path d(destinazione);
    std::string vecchio = ".";
    vecchio += d.filename().string();
    vecchio += '.';
    // The stem, six characters of mkostemp, and maybe a side file of the engine; never a lock.
    const auto provvisorio = [](const std::string& nome, const std::string& inizio) {
        if (nome.size() < inizio.size() + 6 || nome.compare(0, inizio.size(), inizio) != 0)
            return false;
        const std::string coda = nome.substr(inizio.size() + 6);
        if (coda.empty())
            return nome.substr(inizio.size()) != "blocco";
        return coda == "-journal" || coda == "-wal" || coda == "-shm";
    };
    std::error_code ec;
    const fs::path cartella = d.parent_path().empty() ? fs::path(".") : d.parent_path();
    for (fs::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if ((provvisorio(nome, radice + ".") || provvisorio(nome, vecchio)) && it->symlink_status(ec).type() == fs::file_type::regular)
            ::unlink(it->path().c_str());
    }
}

// Makes sure no journal of the old target can apply to the file about to take its name. Opening the
// old target as a database rolls an interrupted write back; holding it exclusively then proves
// that no other program is writing it, so what is still beside it is stale and goes. The returned
// connection keeps that hold until the rename is done.
Database giornaliRisolti(const std::string& destinazione)
{
    bool giornale = false;
    for (const char* suffisso : SuffissiGiornale)
        giornale = giornale || esiste(destinazione + suffisso);
    if (!giornale)
        return {};
    struct stat st {};
    if (::lstat(destinazione.c_str(), &st) != 0 || st.st_size == 0) {
        // A journal whose database is gone (or empty, as the engine itself judges) belongs to
        // nothing; the new file must not inherit it.
        for (const char* suffisso : SuffissiGiornale)
            ::unlink((destinazione + suffisso).c_str());
        return {};
    }
    Database vecchio;
    try {
        vecchio = Database(destinazione, PasswordDatabase(), Database::Modo::SoloEsistente);
        vecchio.esegui("BEGIN EXCLUSIVE");
    } catch (const ErroreDatabase& e) {
        throw ErroreSostituzione("Il file " + virgolette(destinazione) + " non viene sostituito: accanto ci sono i file "
                                 "di una scrittura interrotta (" + virgolette(destinazione + "-journal")
                                 + "), che non si può annullare. " + e.what());
    }
    for (const char* suffisso : SuffissiGiornale)
        ::unlink((destinazione + suffisso).c_str());
    return vecchio;
}

// The mode open() would give a new file: 0666 less the process umask (read back, then restored).
unsigned modoNuovoFile()
{
    const mode_t maschera = ::umask(022);
    ::umask(maschera);
    return 0666U & ~static_cast<unsigned>(maschera);
}

// Flushes a file or a folder to the disk; false when the system could not.
[[nodiscard]] bool sincronizza(const std::string& percorso, int flag)
{
    const int fd = ::open(percorso.c_str(), flag | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool riuscito = ::fsync(fd) == 0;
    ::close(fd);
    return riuscito;
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
    const std::string radice = radiceAccanto(destinazione);
    bloccoPercorso_ = accanto(destinazione, radice + ".b");
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
        rimuoviProvvisoriAbbandonati(destinazione, radice);
        std::string modello = accanto(destinazione, radice + ".XXXXXX");
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
    if (!sincronizza(provvisorio_, O_RDONLY))
        throw ErroreSostituzione("Impossibile scrivere il file " + virgolette(destinazione_) + " sul disco");
    Database vecchio = giornaliRisolti(destinazione_);
    if (::chmod(provvisorio_.c_str(), static_cast<mode_t>(modo_)) != 0
        || ::rename(provvisorio_.c_str(), destinazione_.c_str()) != 0)
        throw ErroreSostituzione("Impossibile sostituire il file " + virgolette(destinazione_));
    confermata_ = true;
    // The new name made durable too. Past the rename there is nothing to undo, and some file
    // systems refuse to flush a folder: the file itself is already on the disk.
    const fs::path cartella = fs::path(destinazione_).parent_path();
    [[maybe_unused]] const bool cartellaSincronizzata = sincronizza(cartella.empty() ? "." : cartella.string(), O_RDONLY | O_DIRECTORY);
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
