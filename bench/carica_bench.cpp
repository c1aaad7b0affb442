// Loading the real archive (7370 draws) from its encrypted database: the whole
// CaricaArchivio with the opening and the key, and the load on an open database.
#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "storage/DrawsDb.h"
#include "support/Storico.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

// The real archive imported once into a temporary encrypted database.
class ArchivioTemporaneo {
public:
    ArchivioTemporaneo()
    {
        const std::string storico = testsupport::percorsoStorico();
        if (storico.empty())
            return;
        cartella_ = std::filesystem::temp_directory_path() / ("velmora-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(cartella_);
        percorso_ = (cartella_ / "storico.db").string();
        const auto esito = archive::ImportaStorico(storico, percorso_);
        std::cerr << "archivio: " << esito.estrazioni << " estrazioni (" << esito.prima << " - " << esito.ultima << ")\n";
    }
    ~ArchivioTemporaneo()
    {
        std::error_code ec;
        if (!cartella_.empty())
            std::filesystem::remove_all(cartella_, ec);
    }
    const std::string& percorso() const { return percorso_; }

private:
    std::filesystem::path cartella_;
    std::string percorso_;
};

ArchivioTemporaneo& archivio()
{
    static ArchivioTemporaneo a;
    return a;
}

void CaricaDaFile(benchmark::State& state)
{
    if (archivio().percorso().empty()) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    auto a = std::make_unique<archive::Archivio>();
    a->EstrazioneIniziale = 1;
    avanzamento::Avanzamento avanzamento;   // watched, as the start-up window watches it
    for (auto _ : state) {
        archive::CaricaArchivio(*a, archivio().percorso(), &avanzamento);
        benchmark::DoNotOptimize(a->NumeroEstrazioni);
    }
    state.counters["estrazioni"] = a->NumeroEstrazioni;
}
BENCHMARK(CaricaDaFile)->Unit(benchmark::kMillisecond);

void CaricaDaDatabaseAperto(benchmark::State& state)
{
    if (archivio().percorso().empty()) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    storage::Database db = storage::ApriArchivio(archivio().percorso());
    auto a = std::make_unique<archive::Archivio>();
    a->EstrazioneIniziale = 1;
    avanzamento::Avanzamento avanzamento;
    for (auto _ : state) {
        archive::CaricaArchivio(*a, db, &avanzamento);
        benchmark::DoNotOptimize(a->NumeroEstrazioni);
    }
    state.counters["estrazioni"] = a->NumeroEstrazioni;
}
BENCHMARK(CaricaDaDatabaseAperto)->Unit(benchmark::kMillisecond);

void ApriSoltanto(benchmark::State& state)
{
    if (archivio().percorso().empty()) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    for (auto _ : state) {
        storage::Database db = storage::ApriArchivio(archivio().percorso());
        benchmark::DoNotOptimize(db.connessione());
    }
}
BENCHMARK(ApriSoltanto)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
