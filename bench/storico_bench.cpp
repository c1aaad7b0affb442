// The whole official file zipped (built from the real historical archive) read, compared with the real archive one
// month behind and the new draws written with the reload, as AGGIORNA DA ARCHIVIO UFFICIALE and AGGIORNAMENTO do.
#include "archive/CaricaArchivio.h"
#include "maintenance/Aggiornamento.h"
#include "maintenance/StoricoUfficiale.h"
#include "storage/DrawsDb.h"
#include "support/ArchivioReale.h"
#include "support/StoricoZip.h"

#include <benchmark/benchmark.h>

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
        grid::Grid FgImporta;
        maintenance::caricaStoricoInFgImporta(maintenance::leggiFileStorico(p.zip), p.zip, FgImporta);
        std::vector<std::string> List4;
        maintenance::ControlloEstrazioniMancanti(db, FgImporta, List4);
        const auto esito = maintenance::AGGIORNAMENTO(db, a, FgImporta, false, List4);
        if (esito.aggiunte != p.nuove || a.NumeroEstrazioni != FgImporta.righe() - 1)
            state.SkipWithError("le estrazioni nuove non sono state aggiunte tutte");
    }
    state.counters["nuove"] = p.nuove;
    state.counters["byte_zip"] = static_cast<double>(fs::file_size(p.zip));
}
BENCHMARK(StoricoUfficialeCompleto)->Unit(benchmark::kMillisecond)->Iterations(5);

}

BENCHMARK_MAIN();
