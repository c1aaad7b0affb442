// 1,000 plays of 10 numbers on all eleven wheels, every sorte staked, checked over the last 200 draws: target <= 100 ms.
#include "plays/Giocata.h"
#include "support/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

std::vector<plays::Giocata> milleGiocate(const archive::Archivio& a)
{
    std::mt19937 caso(1);
    std::vector<plays::Giocata> giocate(1000);
    for (auto& g : giocate) {
        std::vector<int> tutti(90);
        for (int i = 0; i < 90; ++i)
            tutti[static_cast<std::size_t>(i)] = i + 1;
        std::shuffle(tutti.begin(), tutti.end(), caso);
        g.numeri.assign(tutti.begin(), tutti.begin() + 10);
        g.ruote.fill(true);
        g.poste = {100, 100, 50, 20, 10};
        g.dal = a.DateEstrazioni[static_cast<std::size_t>(a.NumeroEstrazioni - 199)];
        g.colpi = 200;
    }
    return giocate;
}

void verifica(benchmark::State& state, const archive::Archivio& a)
{
    const auto giocate = milleGiocate(a);
    const plays::Tariffe t;
    std::size_t vincite = 0;
    int colpi = 0;
    for (auto _ : state) {
        vincite = 0;
        colpi = 0;
        for (const auto& g : giocate) {
            const auto e = plays::verificaGiocata(g, a, t, [](const plays::Vincita&) {});
            vincite += e.numeroVincite;
            colpi += e.colpiGiocati;
            benchmark::DoNotOptimize(e.netto.unita);
        }
    }
    state.counters["giocate"] = static_cast<double>(giocate.size());
    state.counters["colpi_per_giocata"] = colpi / static_cast<double>(giocate.size());
    state.counters["vincite"] = static_cast<double>(vincite);
}

void MilleGiocateArchivioReale(benchmark::State& state)
{
    const archive::Archivio* a = testsupport::archivioReale();
    if (!a) {
        state.SkipWithError("archivio reale assente (VELMORA_STORICO o ../shared/data/storico.txt)");
        return;
    }
    verifica(state, *a);
}

void MilleGiocateArchivioDimostrativo(benchmark::State& state) { verifica(state, testsupport::archivioDimostrativo()); }

}

BENCHMARK(MilleGiocateArchivioReale)->Unit(benchmark::kMillisecond);
BENCHMARK(MilleGiocateArchivioDimostrativo)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
