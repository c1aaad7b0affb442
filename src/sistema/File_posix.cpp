// The file operations of a replacement on POSIX systems: flock, mkostemp, fsync, rename.
#include "sistema/File.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sistema {

const bool RinominaSopraFileAperto = true;

Blocco::~Blocco()
{
    rilascia();
}

Blocco::Esito Blocco::prendi(const std::string& percorso)
{
    rilascia();
    // The lock file is removed by its holder; one locked after its removal is stale and taken again.
    for (;;) {
        const int fd = ::open(percorso.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return Esito::Impossibile;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return Esito::Occupato;
        }
        struct stat aperto {}, sulDisco {};
        if (::fstat(fd, &aperto) == 0 && ::stat(percorso.c_str(), &sulDisco) == 0
            && aperto.st_dev == sulDisco.st_dev && aperto.st_ino == sulDisco.st_ino) {
            maniglia_ = fd;
            percorso_ = percorso;
            return Esito::Preso;
        }
        ::close(fd);
    }
}

void Blocco::rilascia()
{
    if (maniglia_ < 0)
        return;
    // Removed while still held, so that nobody locks the name between the removal and the close.
    ::unlink(percorso_.c_str());
    ::close(static_cast<int>(maniglia_));
    maniglia_ = -1;
}

std::string creaFileUnico(const std::string& inizio)
{
    std::string modello = inizio + "XXXXXX";
    const int fd = ::mkostemp(modello.data(), O_CLOEXEC);
    if (fd < 0)
        return {};
    ::close(fd);
    return modello;
}

namespace {

bool sincronizza(const std::string& percorso, int flag)
{
    const int fd = ::open(percorso.c_str(), flag | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool riuscito = ::fsync(fd) == 0;
    ::close(fd);
    return riuscito;
}

}

bool sincronizzaFile(const std::string& percorso)
{
    return sincronizza(percorso, O_RDONLY);
}

bool sincronizzaCartella(const std::string& percorso)
{
    return sincronizza(percorso, O_RDONLY | O_DIRECTORY);
}

bool sostituisci(const std::string& da, const std::string& a)
{
    return ::rename(da.c_str(), a.c_str()) == 0;
}

bool rimuovi(const std::string& percorso)
{
    return ::unlink(percorso.c_str()) == 0;
}

unsigned modoNuovoFile()
{
    // The umask can only be read by setting it: read back, then restored.
    const mode_t maschera = ::umask(022);
    ::umask(maschera);
    return 0666U & ~static_cast<unsigned>(maschera);
}

bool impostaModo(const std::string& percorso, unsigned modo)
{
    return ::chmod(percorso.c_str(), static_cast<mode_t>(modo)) == 0;
}

bool illeggibile(const std::string& percorso)
{
    // access() rather than the mode bits: it answers for this user (the superuser reads anything).
    return ::access(percorso.c_str(), R_OK) != 0 && (errno == EACCES || errno == EPERM);
}

bool erroreSpazio(int erroreSistema)
{
    return erroreSistema == ENOSPC || erroreSistema == EDQUOT || erroreSistema == EFBIG;
}

bool erroreNegato(int erroreSistema)
{
    return erroreSistema == EACCES || erroreSistema == EPERM || erroreSistema == EROFS;
}

}
