// Reduced systems against their bound: the known optima must be reached, the player-sized settings within the
// default time budget (3 s), verified, and no larger than the plain greedy. Each line carries size, bound, ratio
// and greedy as counters; the time is that of the search and the exhaustive check together.
//   velmora_bench_sistemi [--benchmark_filter=...]
#include "systems/Copertura.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <string>

namespace {

using systems::Garanzia;

std::vector<int> primi(int v)
{
    std::vector<int> n(static_cast<std::size_t>(v));
    std::iota(n.begin(), n.end(), 1);
    return n;
}

void ridotto(benchmark::State& state, Garanzia g, std::int64_t ottimo)
{
    systems::SistemaVerificato r;
    for (auto _ : state)
        r = systems::calcolaSistema(primi(g.v), g.k, g.m, g.t, false, {3.0, 1});
    const auto n = static_cast<double>(r.sistema.biglietti());
    state.counters["size"] = n;
    state.counters["bound"] = static_cast<double>(r.limite);
    state.counters["ratio"] = n / static_cast<double>(r.limite);
    if (r.golosa > 0)
        state.counters["greedy"] = static_cast<double>(r.golosa);
    if (ottimo > 0)
        state.counters["optimum"] = static_cast<double>(ottimo);
    if (!r.verifica.valida)
        state.SkipWithError("garanzia non verificata");
    else if (ottimo > 0 && r.sistema.biglietti() != ottimo)
        state.SkipWithError(("ottimo non raggiunto: " + std::to_string(r.sistema.biglietti())).c_str());
    else if (r.golosa > 0 && r.sistema.biglietti() > r.golosa)
        state.SkipWithError("peggiore della golosa");
    state.SetLabel(r.sistema.metodo);
}

// The integral system of C(v, k) tickets, checked and then streamed ticket by ticket (the CLI's path).
void integrale(benchmark::State& state, int v, int k)
{
    std::int64_t somma = 0;
    for (auto _ : state) {
        const auto r = systems::calcolaSistema(primi(v), k, 0, 0, true, {});
        std::vector<int> c(static_cast<std::size_t>(k));
        std::iota(c.begin(), c.end(), 0);
        std::int64_t n = 0;
        do {
            somma += c.back();
            ++n;
        } while (systems::prossimaCombinazione(c, v));
        if (!r.verifica.valida || n != r.sistema.biglietti())
            state.SkipWithError("integrale non verificato");
        state.counters["size"] = static_cast<double>(n);
    }
    benchmark::DoNotOptimize(somma);
}

std::string nome(const Garanzia& g)
{
    return "C(" + std::to_string(g.v) + "," + std::to_string(g.k) + "," + std::to_string(g.m) + "," + std::to_string(g.t) + ")";
}

}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // Pairs by triples: the Schönheim bound, reached for every v (Fort and Hedlund).
    for (int v = 6; v <= 30; ++v) {
        const Garanzia g{v, 3, 2, 2};
        benchmark::RegisterBenchmark(("ottimo/" + nome(g)).c_str(), ridotto, g, systems::limiteSchonheim(v, 3, 2))
            ->Iterations(1)->Unit(benchmark::kMillisecond);
    }
    const std::pair<Garanzia, std::int64_t> noti[] = {
        {{13, 4, 2, 2}, 13}, {{16, 4, 2, 2}, 20}, {{21, 5, 2, 2}, 21}, {{25, 5, 2, 2}, 30},
        {{8, 4, 3, 3}, 14},  {{10, 4, 3, 3}, 30}, {{14, 4, 3, 3}, 91}, {{16, 4, 3, 3}, 140},
    };
    for (const auto& [g, ottimo] : noti)
        benchmark::RegisterBenchmark(("ottimo/" + nome(g)).c_str(), ridotto, g, ottimo)->Iterations(1)->Unit(benchmark::kMillisecond);
    // What players ask for: 10 to 30 numbers, tickets of 4 to 10, guarantee 2 or 3 if 2 to 5 come out.
    const Garanzia giocatori[] = {
        {10, 4, 3, 2}, {12, 5, 4, 3}, {15, 6, 3, 3}, {15, 5, 4, 2}, {18, 7, 4, 3}, {20, 6, 3, 2}, {20, 6, 2, 2},
        {20, 5, 5, 3}, {20, 10, 5, 3}, {25, 8, 4, 3}, {30, 10, 3, 3}, {30, 6, 5, 2}, {30, 10, 4, 2}, {30, 8, 2, 2},
    };
    for (const auto& g : giocatori)
        benchmark::RegisterBenchmark(("giocatori/" + nome(g)).c_str(), ridotto, g, 0)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("integrale/C(30,6) 593.775 biglietti", integrale, 30, 6)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("integrale/C(27,7) 888.030 biglietti", integrale, 27, 7)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
