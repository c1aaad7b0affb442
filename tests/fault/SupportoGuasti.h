// What the fault suites share: a child killed in the middle of a write, a disk that fills, the draws an archive holds.
#pragma once

#include "avanzamento/Avanzamento.h"
#include "support/ArchivioDimostrativo.h"
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport::guasti {

namespace fs = std::filesystem;


// The engine's own English, which must never reach a player.
inline void senzaInglese(const std::string& testo)
{
    for (const char* parola : {"malformed", "disk I/O", "is full", "no such", "unable to open", "not a database",
                               "error", "SQLITE", "constraint", "locked"})
        EXPECT_EQ(testo.find(parola), std::string::npos) << "\"" << parola << "\" in: " << testo;
}

inline std::string leggi(const std::string& percorso)
{
    std::ifstream f(percorso, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Every draw of the archive as `velmora-cli estrazioni` prints it: what "nothing lost" compares.
inline std::string contenuto(const std::string& archivio)
{
    const auto u = testsupport::lancia({"estrazioni", archivio});
    EXPECT_EQ(u.codice, 0) << u.err;
    return u.out;
}

// The historical file of `n` draws of the demonstration archive from draw `da`.
inline std::string storico(int n, int da = 1)
{
    const auto& a = testsupport::archivioDimostrativo();
    std::string t;
    for (int d = da; d < da + n && d <= a.NumeroEstrazioni; ++d) {
        const std::string& data = a.DateEstrazioni[static_cast<std::size_t>(d)];
        const int anno = std::stoi(data.substr(6, 4)), mese = std::stoi(data.substr(3, 2)), giorno = std::stoi(data.substr(0, 2));
        for (int w = 0; w < archive::NumeroRuote; ++w) {
            if (a.numero(d, w, 1) == 0)
                continue;
            std::array<int, 5> n5{};
            for (int p = 1; p <= 5; ++p)
                n5[static_cast<std::size_t>(p - 1)] = a.numero(d, w, p);
            t += testsupport::rigaStorico(anno, mese, giorno, std::string(archive::SigleRuote[static_cast<std::size_t>(w)]), n5);
        }
    }
    return t;
}

inline std::set<std::string> nomiNellaCartella(const fs::path& cartella)
{
    std::set<std::string> nomi;
    for (const auto& voce : fs::directory_iterator(cartella))
        nomi.insert(voce.path().filename().string());
    return nomi;
}

// Runs `lavoro` in a child process under a file size limit of `limite` bytes (SIGXFSZ ignored, so a
// write past it fails with EFBIG as on a full disk); returns what it threw, or "OK".
inline std::string conDiscoPieno(rlim_t limite, const std::function<void()>& lavoro)
{
    int tubo[2];
    if (::pipe(tubo) != 0)
        return "pipe";
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        ::close(tubo[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limite, limite};
        ::setrlimit(RLIMIT_FSIZE, &r);
        std::string esito = "OK";
        try {
            lavoro();
        } catch (const std::exception& e) {
            esito = e.what();
        }
        [[maybe_unused]] const auto scritti = ::write(tubo[1], esito.data(), esito.size());
        ::_exit(0);
    }
    ::close(tubo[1]);
    std::string letto;
    char buffer[512];
    for (ssize_t n; (n = ::read(tubo[0], buffer, sizeof buffer)) > 0;)
        letto.append(buffer, static_cast<std::size_t>(n));
    ::close(tubo[0]);
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    return letto;
}

// Signals the parent through `fd` once bar 1 passes three quarters (well inside the writing), then
// waits there to be killed.
class FermoAMeta : public avanzamento::Avanzamento {
public:
    explicit FermoAMeta(int fd) : fd_(fd) {}

protected:
    void segnala(int barra, int valore, int massimo) override
    {
        if (barra == 1 && massimo > 0 && valore * 4 > massimo * 3) {
            [[maybe_unused]] const auto n = ::write(fd_, "x", 1);
            for (;;)
                ::pause();
        }
    }

private:
    int fd_;
};

// Starts `lavoro(fd)` in a child, waits for its byte on `fd` (the write is under way), kills it with
// SIGKILL. False when the child ended or never signalled within a minute.
inline bool uccidiAMeta(const std::function<void(int)>& lavoro)
{
    int tubo[2];
    if (::pipe(tubo) != 0)
        return false;
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        ::close(tubo[0]);
        try {
            lavoro(tubo[1]);
        } catch (...) {
        }
        ::_exit(3);
    }
    ::close(tubo[1]);
    pollfd p{tubo[0], POLLIN, 0};
    char c = 0;
    const bool segnalato = ::poll(&p, 1, 60000) == 1 && ::read(tubo[0], &c, 1) == 1;
    ::kill(figlio, SIGKILL);
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    ::close(tubo[0]);
    return segnalato && WIFSIGNALED(stato) && WTERMSIG(stato) == SIGKILL;
}

}
