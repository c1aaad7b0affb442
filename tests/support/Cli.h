// velmora-cli run in-process for tests, and the small archives its suites share.
#pragma once

#include "archive/ImportaStorico.h"
#include "cli/Comandi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

struct Uscita {
    int codice;
    std::string out, err;
};

// `ingresso` stands for standard input, so a command reading it never waits on the terminal.
inline Uscita lancia(const std::vector<std::string>& argomenti, const std::string& ingresso = {})
{
    std::istringstream in(ingresso);
    std::ostringstream out, err;
    const int codice = cli::esegui(argomenti, in, out, err);
    return {codice, out.str(), err.str()};
}

inline std::vector<std::string> righe(const std::string& testo)
{
    std::vector<std::string> r;
    std::istringstream in(testo);
    for (std::string riga; std::getline(in, riga);)
        r.push_back(riga);
    return r;
}

// One line of the historical file: "AAAA/MM/GG<TAB>RUOTA<TAB>n1..n5".
inline std::string rigaStorico(int anno, int mese, int giorno, const std::string& ruota, const std::array<int, 5>& n)
{
    char data[16];
    std::snprintf(data, sizeof data, "%04d/%02d/%02d", anno, mese, giorno);
    std::string riga = data + ("\t" + ruota);
    for (int x : n)
        riga += '\t' + std::to_string(x);
    return riga + '\n';
}

// Ten draws, 2, 4, ..., 20 January 2020: Bari holds d, 10+d, 20+d, 30+d, 40+d in draw d,
// Cagliari always 60..64. Small enough that every expected figure can be worked by hand.
inline std::string storicoDieciEstrazioni()
{
    std::string s;
    for (int d = 1; d <= 10; ++d) {
        s += rigaStorico(2020, 1, 2 * d, "BA", {d, 10 + d, 20 + d, 30 + d, 40 + d});
        s += rigaStorico(2020, 1, 2 * d, "CA", {60, 61, 62, 63, 64});
    }
    return s;
}

// Historical lines written to a temporary folder and imported; the folder also takes
// the other files a command reads, and goes with everything in it.
struct ArchivioDaStorico {
    explicit ArchivioDaStorico(const std::string& storico) : archivio(cartella.file("archivio.db"))
    {
        archive::ImportaStorico(cartella.scrivi("storico.txt", storico), archivio);
    }

    CartellaTemporanea cartella;
    const std::string archivio;
};

// A suite whose tests share one small archive, built once from `Suite::storico()`.
// The suite names itself so that each suite keeps its own archive.
template <class Suite>
class SuiteConArchivio : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prova_ = std::make_unique<ArchivioDaStorico>(Suite::storico());
        cartella = prova_->cartella.percorso();
        archivio = prova_->archivio;
    }
    static void TearDownTestSuite() { prova_.reset(); }

    // `contenuto` written as `nome` beside the archive; its path.
    static std::string file(const std::string& nome, const std::string& contenuto)
    {
        return prova_->cartella.scrivi(nome, contenuto);
    }

    static inline std::filesystem::path cartella;
    static inline std::string archivio;

private:
    static inline std::unique_ptr<ArchivioDaStorico> prova_;
};

}
