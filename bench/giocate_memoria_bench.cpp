// Peak memory of `velmora-cli giocate` on 1,000 plays of ten numbers on every wheel from 1939 for 9,999
// colpi (an 89 KB file) and on 100 of them: target <= 100 MB, the same for both (one process each).
#include "support/ArchivioReale.h"
#include "support/TempDir.h"
#include "PiccoCli.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;

// `quante` plays, ten different numbers each, on the eleven wheels with every sorte staked.
std::string fileGiocate(int quante)
{
    std::mt19937 caso(1);
    std::string testo;
    for (int i = 0; i < quante; ++i) {
        std::vector<int> tutti(90);
        for (int k = 0; k < 90; ++k)
            tutti[static_cast<std::size_t>(k)] = k + 1;
        std::shuffle(tutti.begin(), tutti.end(), caso);
        std::sort(tutti.begin(), tutti.begin() + 10);
        for (int k = 0; k < 10; ++k) {
            char n[4];
            std::snprintf(n, sizeof n, "%02d", tutti[static_cast<std::size_t>(k)]);
            testo += (k ? "-" : "") + std::string(n);
        }
        testo += ";BA,CA,FI,GE,MI,NA,PA,RM,TO,VE,NZ;1/1/1/1/1;01/01/1939;9999\n";
    }
    return testo;
}

void MemoriaGiocate(benchmark::State& state)
{
    const std::string& archivio = testsupport::databaseReale();
    if (archivio.empty()) {
        state.SkipWithError("archivio reale assente (VELMORA_STORICO o ../shared/data/storico.txt)");
        return;
    }
    static testsupport::CartellaTemporanea cartella;
    const auto quante = static_cast<int>(state.range(0));
    const std::string file = cartella.scrivi(std::to_string(quante) + ".txt", fileGiocate(quante));
    std::pair<int, double> e;
    for (auto _ : state)
        e = banco::piccoDiMemoria({"giocate", "--archivio", archivio, file});
    state.counters["giocate"] = quante;
    state.counters["byte_file"] = static_cast<double>(fs::file_size(file));
    state.counters["uscita"] = e.first;
    state.counters["picco_MB"] = e.second;
}

}

BENCHMARK(MemoriaGiocate)->Arg(100)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_MAIN();
