// The whole official file zipped (built from the real historical archive) read, compared with the real archive one
// month behind and the new draws written with the reload, as AGGIORNA DA ARCHIVIO UFFICIALE and AGGIORNAMENTO do;
// and the peak memory of `velmora-cli aggiorna-da-storico` on that file and on hostile ones (one process each).
#include "archive/CaricaArchivio.h"
#include "maintenance/Aggiornamento.h"
#include "maintenance/StoricoUfficiale.h"
#include "storage/DrawsDb.h"
#include "support/ArchivioReale.h"
#include "support/Storico.h"
#include "support/StoricoZip.h"
#include "PiccoCli.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

struct Preparazione {
    Preparazione()
    {
        const std::string storico = testsupport::percorsoStorico();
        if (storico.empty() || testsupport::databaseReale().empty())
            return;
        std::ifstream f(storico, std::ios::binary);
        const std::string testo{std::istreambuf_iterator<char>(f), {}};
        zip = cartella.scrivi("storico.zip", testsupport::zipDi({{"storico.txt", testo}}));
        indietro = cartella.file("indietro.db");
        fs::copy_file(testsupport::databaseReale(), indietro);
        auto db = storage::ApriArchivio(indietro);
        db.esegui("DELETE FROM EstrazioniLotto WHERE DataEstrazione > (SELECT date(max(DataEstrazione), '-1 month') FROM "
                  "EstrazioniLotto)");
        nuove = db.modificate();
    }

    testsupport::CartellaTemporanea cartella;
    std::string zip, indietro;
    int nuove = 0;
};

void StoricoUfficialeCompleto(benchmark::State& state)
{
    static Preparazione p;
    if (p.zip.empty()) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    const std::string copia = p.cartella.file("copia.db");
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(p.indietro, copia, fs::copy_options::overwrite_existing);
        auto db = storage::ApriArchivio(copia);
        archive::Archivio a;
        a.EstrazioneIniziale = 1;
        state.ResumeTiming();
        maintenance::RigheImporta righe;
        maintenance::caricaRigheStorico(maintenance::leggiFileStorico(p.zip), p.zip, righe);
        std::vector<std::string> List4;
        maintenance::ControlloEstrazioniMancanti(db, righe, List4);
        const auto esito = maintenance::AGGIORNAMENTO(db, a, righe, false, List4);
        if (esito.aggiunte != p.nuove || a.NumeroEstrazioni != static_cast<int>(righe.size()))
            state.SkipWithError("le estrazioni nuove non sono state aggiunte tutte");
    }
    state.counters["nuove"] = p.nuove;
    state.counters["byte_zip"] = static_cast<double>(fs::file_size(p.zip));
}
BENCHMARK(StoricoUfficialeCompleto)->Unit(benchmark::kMillisecond)->Iterations(5);

struct FileOstili {
    FileOstili()
    {
        massimo = cartella.scrivi("9999giorni.txt", testsupport::giorniConsecutivi(9999, 11));
        vuote = cartella.scrivi("vuote.zip", testsupport::zipDi({{"storico.txt", std::string(64u << 20, '\n')}}));
        troppi = cartella.scrivi("2400000giorni.zip", testsupport::zipDi({{"storico.txt", testsupport::giorniConsecutivi(2'400'000, 1)}}));
        sottoLimite = cartella.scrivi("400000giorni.txt", testsupport::giorniConsecutivi(400'000, 1));
    }
    testsupport::CartellaTemporanea cartella;
    std::string massimo, vuote, troppi, sottoLimite;
};

// 0: the real archive zipped (accepted); 1: 9,999 days of eleven wheels, the most an archive holds
// (accepted); 2: 64 MB of empty lines in a small zip; 3: 2.4 million days zipped; 4: 400,000 days in
// 12 MB of plain text, within the size limit (all three refused).
void MemoriaStoricoUfficiale(benchmark::State& state)
{
    static Preparazione p;
    static FileOstili f;
    if (p.zip.empty()) {
        state.SkipWithError("archivio storico non disponibile (VELMORA_STORICO)");
        return;
    }
    const std::string file[] = {p.zip, f.massimo, f.vuote, f.troppi, f.sottoLimite};
    const std::string& scelto = file[state.range(0)];
    std::pair<int, double> esito;
    for (auto _ : state)
        esito = banco::piccoDiMemoria({"aggiorna-da-storico", p.indietro, scelto});
    state.SetLabel(fs::path(scelto).filename().string());
    state.counters["uscita"] = esito.first;
    state.counters["picco_MB"] = esito.second;
    state.counters["byte_file"] = static_cast<double>(fs::file_size(scelto));
}
BENCHMARK(MemoriaStoricoUfficiale)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

}

BENCHMARK_MAIN();
