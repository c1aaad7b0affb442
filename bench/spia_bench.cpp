// Numeri spia and the law of thirds on the real archive, whole archive, 9 colpi: the table of one spy with
// its followers on all wheels (target 20 ms), the scan of every spy on one wheel (0.5 s) and on each of the
// eleven wheels in turn (3 s), the last cycle and the full absent-count distribution on all wheels (100 ms).
#include "statistics/Spia.h"
#include "statistics/Terzo.h"
#include "support/ArchivioReale.h"

#include <benchmark/benchmark.h>

namespace {

using namespace statistics;

const archive::Archivio* reale(benchmark::State& stato)
{
    const archive::Archivio* a = testsupport::archivioReale();
    if (!a)
        stato.SkipWithError("archivio storico non trovato (VELMORA_STORICO)");
    return a;
}

void BM_SpiaTutteLeRuote(benchmark::State& stato)
{
    const archive::Archivio* a = reale(stato);
    if (!a)
        return;
    ParametriSpia p;
    p.spia = 27;
    p.ruote.fill(true);
    std::size_t presenze = 0;
    for (auto _ : stato) {
        const auto e = calcolaSpia(*a, p);
        presenze = e.presenze.size();
        benchmark::DoNotOptimize(e.righe.data());
    }
    stato.counters["presenze"] = static_cast<double>(presenze);
}

// ruota < 0: the scan with the spy and its followers on each wheel in turn.
void scansione(benchmark::State& stato, int ruota)
{
    const archive::Archivio* a = reale(stato);
    if (!a)
        return;
    int sopravvissute = 0;
    for (auto _ : stato) {
        for (int w = ruota < 0 ? 0 : ruota; w <= (ruota < 0 ? archive::NumeroRuote - 1 : ruota); ++w) {
            ParametriSpia p;
            p.ruotaSpia = w;
            p.ruote[static_cast<std::size_t>(w)] = true;
            const auto e = scansioneSpie(*a, p);
            sopravvissute = 0;
            for (const auto& r : e.righe)
                sopravvissute += r.q < 0.05;
            benchmark::DoNotOptimize(e.righe.data());
        }
    }
    stato.counters["q<0,05"] = sopravvissute;
}
void BM_ScansioneUnaRuota(benchmark::State& stato) { scansione(stato, 0); }
void BM_ScansioneUndiciRuote(benchmark::State& stato) { scansione(stato, -1); }

void BM_TerzoTutteLeRuote(benchmark::State& stato)
{
    const archive::Archivio* a = reale(stato);
    if (!a)
        return;
    Ruote tutte;
    tutte.fill(true);
    int cicli = 0;
    for (auto _ : stato) {
        const auto ultimi = ultimiCicli(*a, tutte, CicloTeorico, 0);
        const auto d = distribuzioneAssenti(*a, tutte, CicloTeorico, 1, 0);
        cicli = d.cicli;
        benchmark::DoNotOptimize(ultimi.data());
        benchmark::DoNotOptimize(d.classi.data());
    }
    stato.counters["tratti"] = cicli;
}

BENCHMARK(BM_SpiaTutteLeRuote)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScansioneUnaRuota)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScansioneUndiciRuote)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TerzoTutteLeRuote)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
