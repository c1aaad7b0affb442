// Update files and exports on the real archive (7370 draws): AGGIORNAMENTO of 500 new draws including the reload,
// the check of a file holding the whole archive, the loading of that file, and each export.
#include "archive/CaricaArchivio.h"
#include "maintenance/Aggiornamento.h"
#include "maintenance/Esportazioni.h"
#include "maintenance/FileAggiornamento.h"
#include "storage/DrawsDb.h"
#include "support/ArchivioReale.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr int NuoveEstrazioni = 500;

// The real archive's published file (every draw) and a copy of the archive without its last 500 draws.
struct Preparazione {
    Preparazione()
    {
        if (testsupport::databaseReale().empty())
            return;
        auto db = storage::ApriArchivio(testsupport::databaseReale());
        std::ostringstream out;
        maintenance::scriviFileAggiornamento(db, "", out);
        tutto = out.str();
        const std::size_t riga = maintenance::LunghezzaRigaAggiornamento + 2;
        ultime = tutto.substr(tutto.size() - NuoveEstrazioni * riga);
        ridotto = cartella.file("ridotto.db");
        fs::copy_file(testsupport::databaseReale(), ridotto);
        auto r = storage::ApriArchivio(ridotto);
        auto s = r.prepara("DELETE FROM EstrazioniLotto WHERE DataEstrazione IN (SELECT DataEstrazione FROM "
                           "EstrazioniLotto ORDER BY DataEstrazione DESC LIMIT ?1)");
        s.lega(1, NuoveEstrazioni);
        s.esegui();
    }
    bool pronta() const { return !tutto.empty(); }

    testsupport::CartellaTemporanea cartella;
    std::string tutto, ultime, ridotto;
};

Preparazione& preparazione()
{
    static Preparazione p;
    return p;
}

maintenance::RigheImporta carica(const std::string& testo)
{
    std::istringstream in(testo);
    maintenance::RigheImporta righe;
    maintenance::caricaRigheAggiornamento(in, righe);
    return righe;
}

void AggiornamentoDi500(benchmark::State& state)
{
    auto& p = preparazione();
    if (!p.pronta()) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    const std::string copia = p.cartella.file("copia.db");
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(p.ridotto, copia, fs::copy_options::overwrite_existing);
        auto db = storage::ApriArchivio(copia);
        archive::Archivio a;
        a.EstrazioneIniziale = 1;
        archive::CaricaArchivio(a, db);
        auto righe = carica(p.ultime);
        std::vector<std::string> List4;
        maintenance::ControlloEstrazioniMancanti(db, righe, List4);
        state.ResumeTiming();
        const auto esito = maintenance::AGGIORNAMENTO(db, a, righe, false, List4);
        if (esito.aggiunte != NuoveEstrazioni || a.NumeroEstrazioni != 7370)
            state.SkipWithError("AGGIORNAMENTO non ha aggiunto le 500 estrazioni");
    }
}
BENCHMARK(AggiornamentoDi500)->Unit(benchmark::kMillisecond)->Iterations(5);

void ControlloArchivioCompleto(benchmark::State& state)
{
    auto& p = preparazione();
    if (!p.pronta()) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    auto db = storage::ApriArchivio(testsupport::databaseReale());
    const auto lette = carica(p.tutto);
    std::vector<std::string> List4;
    for (auto _ : state) {
        state.PauseTiming();
        auto righe = lette;
        state.ResumeTiming();
        maintenance::ControlloEstrazioniMancanti(db, righe, List4);
        if (List4.size() != 1)
            state.SkipWithError("il controllo del file dell'archivio stesso ha trovato anomalie");
    }
    state.counters["righe"] = static_cast<double>(lette.size());
}
BENCHMARK(ControlloArchivioCompleto)->Unit(benchmark::kMillisecond);

void CaricaFileCompleto(benchmark::State& state)
{
    auto& p = preparazione();
    if (!p.pronta()) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    for (auto _ : state) {
        const auto righe = carica(p.tutto);
        benchmark::DoNotOptimize(righe.size());
    }
}
BENCHMARK(CaricaFileCompleto)->Unit(benchmark::kMillisecond);

void Esporta(benchmark::State& state, maintenance::FormatoEsportazione formato)
{
    const archive::Archivio* a = testsupport::archivioReale();
    if (!a) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    testsupport::CartellaTemporanea dir;
    const std::string file = dir.file("esportazione");
    for (auto _ : state)
        if (!maintenance::esporta(*a, formato, file))
            state.SkipWithError("esportazione non scritta");
    state.counters["byte"] = static_cast<double>(fs::file_size(file));
}
BENCHMARK_CAPTURE(Esporta, Numeris3, maintenance::FormatoEsportazione::Numeris3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Esporta, Quintavo, maintenance::FormatoEsportazione::Quintavo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Esporta, Nazionale, maintenance::FormatoEsportazione::Nazionale)->Unit(benchmark::kMillisecond);

}

BENCHMARK_MAIN();
