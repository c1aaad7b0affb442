// ELABORA of the predictive pyramid on the whole real archive, all wheels: target under 5 ms.
#include "archive/ImportaStorico.h"
#include "predictive/PiramidePrevisionale.h"
#include "support/Storico.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include <unistd.h>

namespace {

// The real archive imported once into a temporary database and loaded as the program does.
const archive::Archivio* archivioReale()
{
    static std::unique_ptr<archive::Archivio> a = [] {
        std::unique_ptr<archive::Archivio> r;
        const std::string storico = testsupport::percorsoStorico();
        if (storico.empty())
            return r;
        namespace fs = std::filesystem;
        const fs::path cartella = fs::temp_directory_path() / ("velmora_bench_prev_" + std::to_string(::getpid()));
        fs::create_directories(cartella);
        const std::string db = (cartella / "archivio.db").string();
        archive::ImportaStorico(storico, db);
        r = std::make_unique<archive::Archivio>();
        r->EstrazioneIniziale = 1;
        archive::CaricaArchivio(*r, db);
        fs::remove_all(cartella);
        return r;
    }();
    return a.get();
}

void ElaboraTutteLeRuote(benchmark::State& state)
{
    const archive::Archivio* a = archivioReale();
    if (!a) {
        state.SkipWithError("archivio storico non trovato (VELMORA_STORICO)");
        return;
    }
    predictive::Ruote ruote = predictive::ruoteIniziali();
    predictive::selezionaRuote(ruote, true);
    predictive::Ingresso in;
    in.inizio = 1;
    in.fine = a->NumeroEstrazioniModello;
    in.criterio = static_cast<predictive::Criterio>(state.range(0));
    in.livello = 8;
    in.capogioco = static_cast<int>(state.range(1));
    predictive::PiramidePrevisionale pp;
    for (auto _ : state) {
        auto esito = pp.CalcolaPiramidePrevisionale(*a, ruote, in);
        benchmark::DoNotOptimize(esito);
        benchmark::DoNotOptimize(pp.Fg1.testo(0, 0).data());
    }
    state.counters["estrazioni"] = in.fine;
}
BENCHMARK(ElaboraTutteLeRuote)
    ->ArgNames({"criterio", "capogioco"})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({3, 0})
    ->Args({1, 90})
    ->Unit(benchmark::kMillisecond);

// The count alone: one pass over every draw and every wheel.
void ConteggioTutteLeRuote(benchmark::State& state)
{
    const archive::Archivio* a = archivioReale();
    if (!a) {
        state.SkipWithError("archivio storico non trovato (VELMORA_STORICO)");
        return;
    }
    std::array<bool, archive::NumeroRuote> tutte;
    tutte.fill(true);
    for (auto _ : state) {
        auto c = predictive::contaPresenze(*a, 1, a->NumeroEstrazioniModello, tutte);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(ConteggioTutteLeRuote)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
