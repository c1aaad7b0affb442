// Evaluations per second of every operator, by index (searches) and by text code (ElaboraPPP2).
#include "engine/Operatori.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// One pass = every operator on a 91 x 91 grid of numbers, whole-draw operators on draw 1.
void BM_ValutaPerIndice(benchmark::State& state)
{
    auto archivio = std::make_unique<archive::Archivio>();
    for (int r = 0; r < archive::NumeroRuote; ++r)
        for (int p = 1; p <= 5; ++p)
            archivio->setNumero(1, r, p, static_cast<std::int16_t>((r * 17 + p * 29) % 90 + 1));
    archivio->NumeroEstrazioni = 1;
    engine::ValoriOperatore v;
    v.EstrazioneCalcolo = 1;
    v.P1 = 5;
    v.P2 = 3;
    v.R2 = 4;
    v.ValoreFisso = 11;
    long long valutazioni = 0;
    for (auto _ : state) {
        int somma = 0;
        for (int op = 0; op < engine::NumeroOperatori; ++op)
            for (int a = 1; a <= 90; ++a)
                for (int b = 1; b <= 90; ++b) {
                    v.N1 = a;
                    v.N2 = b;
                    v.R1 = a % 11;
                    somma += engine::Valuta(op, v, *archivio);
                }
        benchmark::DoNotOptimize(somma);
        valutazioni += engine::NumeroOperatori * 90 * 90;
    }
    state.counters["valutazioni/s"] = benchmark::Counter(static_cast<double>(valutazioni), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ValutaPerIndice)->Unit(benchmark::kMillisecond);

void BM_ElaboraPPP2PerCodice(benchmark::State& state)
{
    auto archivio = std::make_unique<archive::Archivio>();
    archivio->NumeroEstrazioni = 1;   // whole-draw operators read draw 1, which must exist
    engine::CampiOperatore c;
    c.EstrazioneCalcolo = 1;
    c.P1 = 5;
    c.P2 = 3;
    c.ValoreFisso = 11;
    long long valutazioni = 0;
    const auto& codici = engine::CodiciCatalogo();
    for (auto _ : state) {
        int somma = 0;
        for (const auto codice : codici) {
            c.CodiceOperatore = std::string(codice);
            for (int a = 1; a <= 90; ++a)
                for (int b = 1; b <= 90; ++b) {
                    c.N1 = static_cast<std::int16_t>(a);
                    c.N2 = static_cast<std::int16_t>(b);
                    engine::ElaboraPPP2(c, *archivio);
                    somma += c.Risultato;
                }
        }
        benchmark::DoNotOptimize(somma);
        valutazioni += engine::NumeroOperatori * 90 * 90;
    }
    state.counters["valutazioni/s"] = benchmark::Counter(static_cast<double>(valutazioni), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ElaboraPPP2PerCodice)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
