// Start-up on the real archive: INIZIO's window load, PROCEDI, the main window shown.
// The whole process (with its own start) is timed by `velmora --tempo-avvio`.
#include "ConQt.h"
#include "archive/ImportaStorico.h"
#include "storage/ProgramDb.h"
#include "support/Storico.h"
#include "ui/Container/Container.h"
#include "ui/INIZIO/Inizio.h"
#include "ui/common/Dialoghi.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* cartella = nullptr;

// A program folder configured on the real archive, as after the first run.
bool prepara()
{
    const std::string storico = testsupport::percorsoStorico();
    if (storico.empty())
        return false;
    cartella = new QTemporaryDir;
    const std::string archivio = cartella->filePath(QStringLiteral("Reale.db")).toStdString();
    archive::ImportaStorico(storico, archivio);
    auto db = storage::ApriDatabaseProgramma(cartella->path().toStdString());
    storage::ScriviParametro(db, "PercorsoArchivio", archivio);
    return true;
}

void BM_DallAvvioAllaFinestraPrincipale(benchmark::State& stato)
{
    if (!cartella) {
        stato.SkipWithError("archivio storico non trovato");
        return;
    }
    int estrazioni = 0;
    for (auto _ : stato) {
        session::Sessione sessione(cartella->path().toStdString());
        ui::DialoghiScriptati dialoghi;
        ui::Contesto contesto(sessione, dialoghi);
        contesto.termina = [] {};
        contesto.creaPrincipale = [](ui::Contesto& c) { return new ui::Container(c); };
        ui::Inizio inizio(contesto);
        const bool avviato = inizio.avvia() && inizio.Procedi();
        inizio.lavoro().aspetta();   // the load runs on the runner's thread
        if (!avviato || !inizio.principale()) {
            stato.SkipWithError("avvio non riuscito");
            return;
        }
        QApplication::processEvents();   // the main window's first paint
        estrazioni = sessione.archivio().NumeroEstrazioni;
        delete inizio.principale();
        sessione.chiudi();
    }
    stato.counters["estrazioni"] = estrazioni;
}
BENCHMARK(BM_DallAvvioAllaFinestraPrincipale)->Unit(benchmark::kMillisecond)->Iterations(10);

}

int main(int argc, char** argv)
{
    // Without the real archive the benchmarks report that there is nothing to measure.
    return banco::eseguiConQt(argc, argv, [] { prepara(); return true; }, [] { delete cartella; });
}
