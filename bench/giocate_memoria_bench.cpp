// Peak memory of `velmora-cli giocate` on 1,000 plays of ten numbers on every wheel from 1939 for 9,999
// colpi (an 89 KB file) and on 100 of them: target <= 100 MB, the same for both (one process each).
#include "support/ArchivioReale.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

struct Esito {
    int uscita = -1;
    double piccoMB = 0;
};

// velmora-cli giocate in a process of its own, its table to /dev/null.
Esito esegui(const std::string& archivio, const std::string& file)
{
    static const std::string cli = (fs::read_symlink("/proc/self/exe").parent_path() / "velmora-cli").string();
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        const int nullo = ::open("/dev/null", O_WRONLY);
        ::dup2(nullo, 1);
        ::dup2(nullo, 2);
        ::execl(cli.c_str(), cli.c_str(), "giocate", "--archivio", archivio.c_str(), file.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int stato = 0;
    rusage uso{};
    ::wait4(figlio, &stato, 0, &uso);
    return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, static_cast<double>(uso.ru_maxrss) / 1024.0};
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
    Esito e;
    for (auto _ : state)
        e = esegui(archivio, file);
    state.counters["giocate"] = quante;
    state.counters["byte_file"] = static_cast<double>(fs::file_size(file));
    state.counters["uscita"] = e.uscita;
    state.counters["picco_MB"] = e.piccoMB;
}

}

BENCHMARK(MemoriaGiocate)->Arg(100)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_MAIN();
