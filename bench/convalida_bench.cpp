// Convalida on the real archive, every operator, 50 cases and 20 colpi: 500 consecutive references (and the whole history) replayed with the kept scores and with one whole search each, the peak memory, how fast a stop is obeyed.
#include "workbench/Convalida.h"

#include "support/ArchivioReale.h"
#include "workbench/Trasferimenti.h"

#include "BancoCompleto.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <sys/resource.h>

using namespace workbench;

namespace {

constexpr int Riferimenti = 500;

// The workbench as `velmora-cli convalida --ruote tutte --ncasi 50 --colpi 20 --operatori tutti`
// sets it: "Mensile" taking each reference's own ordinal (one set of cases per ordinal), or
// "U" with "Forza ultima" for every reference.
ImpostazioniConvalida impostazioni(const archive::Archivio& a, bool ultimaDelMese)
{
    Banco b;
    apriBanco(b, a);
    bancoCompleto(b);
    if (ultimaDelMese) {
        b.mensile = 0;
        b.forzaUltima = true;
    }
    return impostazioniConvalida(b, a.NumeroEstrazioni - Riferimenti + 1, a.NumeroEstrazioni, !ultimaDelMese);
}

long piccoMemoriaMB()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss / 1024;
}

const archive::Archivio* archivioOSalta(benchmark::State& state)
{
    const auto* a = testsupport::archivioReale();
    if (!a)
        state.SkipWithError("archivio reale assente (VELMORA_STORICO o ../shared/data/storico.txt)");
    return a;
}

void riporta(benchmark::State& state, const RisultatoConvalida& r)
{
    state.counters["riferimenti"] = static_cast<double>(r.righe.size());
    state.counters["uscite"] = r.totali.uscite;
    state.counters["contati"] = r.totali.riferimenti;
    state.counters["picco_MB"] = static_cast<double>(piccoMemoriaMB());
}

// The kept scores; the peak memory is read before the plain replay runs.
void BM_ConvalidaConservata(benchmark::State& state)
{
    const auto* a = archivioOSalta(state);
    if (!a)
        return;
    const auto imp = impostazioni(*a, state.range(0) == 1);
    RisultatoConvalida r;
    for (auto _ : state)
        r = convalida(imp, *a);
    riporta(state, r);
}
BENCHMARK(BM_ConvalidaConservata)->Arg(0)->Arg(1)->ArgName("ultima_del_mese")->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The whole history, references 1 to the last, with the kept scores: every wheel in play
// (0) or Bari alone (1), the whole catalogue, 50 cases, 20 colpi, each reference's own
// month. The target is 5 s wall on two cores and 200 MB of peak memory (run one case per
// process, --benchmark_filter=BM_ConvalidaStoriaIntera/solo_bari:1, for its own peak).
void BM_ConvalidaStoriaIntera(benchmark::State& state)
{
    const auto* a = archivioOSalta(state);
    if (!a)
        return;
    auto imp = impostazioni(*a, false);
    imp.dal = 1;
    if (state.range(0) == 1)
        for (int w = 1; w < archive::NumeroRuote; ++w)
            imp.casi.ruote[static_cast<std::size_t>(w)] = false;
    RisultatoConvalida r;
    for (auto _ : state)
        r = convalida(imp, *a);
    riporta(state, r);
}
BENCHMARK(BM_ConvalidaStoriaIntera)->Arg(0)->Arg(1)->ArgName("solo_bari")->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// A stop requested at ten moments of the replay: the longest wait until it returned.
void BM_LatenzaDiFermata(benchmark::State& state)
{
    const auto* a = archivioOSalta(state);
    if (!a)
        return;
    const auto imp = impostazioni(*a, false);
    double peggiore = 0;
    for (auto _ : state) {
        for (int k = 1; k <= 10; ++k) {
            avanzamento::Avanzamento av;
            std::thread t([&] { convalida(imp, *a, &av); });
            while (av.stato(1).valore < k * Riferimenti / 12)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            // Somewhere inside that reference's work.
            std::this_thread::sleep_for(std::chrono::microseconds(700 * k));
            const auto inizio = std::chrono::steady_clock::now();
            av.ferma();
            t.join();
            peggiore = std::max(peggiore, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inizio).count());
        }
    }
    state.counters["fermata_max_ms"] = peggiore;
}
BENCHMARK(BM_LatenzaDiFermata)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// One whole AMBATE search per reference, as `velmora-cli ambate --rif R` runs it.
// VELMORA_CONVALIDA_SEMPLICE=N replays only the last N references (the time is then per N).
void BM_ConvalidaSemplice(benchmark::State& state)
{
    const auto* a = archivioOSalta(state);
    if (!a)
        return;
    auto imp = impostazioni(*a, false);
    if (const char* n = std::getenv("VELMORA_CONVALIDA_SEMPLICE"))
        imp.dal = imp.al - std::clamp(std::atoi(n), 1, Riferimenti) + 1;
    RisultatoConvalida r;
    for (auto _ : state)
        r = convalidaSemplice(imp, *a);
    riporta(state, r);
    // Checked as the tests do: the two replays give the same rows.
    const auto conservata = convalida(imp, *a);
    bool uguali = conservata.righe.size() == r.righe.size();
    for (std::size_t i = 0; uguali && i < r.righe.size(); ++i)
        uguali = conservata.righe[i].formula.formula == r.righe[i].formula.formula &&
                 conservata.righe[i].formula.cop == r.righe[i].formula.cop && conservata.righe[i].ambata == r.righe[i].ambata &&
                 conservata.righe[i].colpo == r.righe[i].colpo;
    state.counters["uguali"] = uguali;
}
BENCHMARK(BM_ConvalidaSemplice)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}

BENCHMARK_MAIN();
