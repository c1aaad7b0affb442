// Delays and frequencies on the real archive: estratti of one wheel (target 5 ms), the eleven wheels one by one
// (20 ms), ambi of one wheel (30 ms), ambi on all eleven together (100 ms); the window opened with its table,
// board and chart, to the first paint (300 ms); the pairs of every wheel chosen in the open window.
#include "ConQt.h"
#include "ProgrammaReale.h"
#include "archive/ImportaStorico.h"
#include "session/Sessione.h"
#include "statistics/Statistiche.h"
#include "statistics/Tabella.h"
#include "support/Storico.h"
#include "ui/Container/Container.h"
#include "ui/Statistiche/Statistiche.h"
#include "ui/common/Dialoghi.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

banco::ProgrammaReale* programma = nullptr;

bool prepara()
{
    programma = banco::programmaSulReale().release();
    if (!programma)
        return false;
    programma->principale->resize(1280, 820);
    programma->principale->show();
    ui::registraStatistiche();
    return true;
}

void calcola(benchmark::State& stato, statistics::Sorte sorte, int ruota)
{
    if (!programma) {
        stato.SkipWithError("archivio storico non trovato (VELMORA_STORICO)");
        return;
    }
    const auto& a = programma->sessione->archivio();
    statistics::Parametri p;
    p.sorte = sorte;
    int contate = 0;
    for (auto _ : stato) {
        // ruota < 0: the eleven wheels one by one; 11: all eleven together; else that wheel alone.
        for (int w = ruota < 0 ? 0 : ruota; w <= (ruota < 0 ? archive::NumeroRuote - 1 : ruota); ++w) {
            p.ruote.fill(ruota == archive::NumeroRuote);
            if (ruota != archive::NumeroRuote)
                p.ruote[static_cast<std::size_t>(w)] = true;
            const auto s = statistics::calcolaStatistiche(a, p);
            contate = s.T();
            benchmark::DoNotOptimize(s.figure.data());
        }
    }
    stato.counters["estrazioni"] = a.NumeroEstrazioni;
    stato.counters["contate"] = contate;
}

void BM_EstrattiUnaRuota(benchmark::State& stato) { calcola(stato, statistics::Sorte::Estratto, 0); }
void BM_EstrattiUndiciRuoteUnaAllaVolta(benchmark::State& stato) { calcola(stato, statistics::Sorte::Estratto, -1); }
void BM_AmbiUnaRuota(benchmark::State& stato) { calcola(stato, statistics::Sorte::Ambo, 0); }
void BM_AmbiTutteLeRuoteInsieme(benchmark::State& stato) { calcola(stato, statistics::Sorte::Ambo, archive::NumeroRuote); }
BENCHMARK(BM_EstrattiUnaRuota)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EstrattiUndiciRuoteUnaAllaVolta)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AmbiUnaRuota)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AmbiTutteLeRuoteInsieme)->Unit(benchmark::kMillisecond);

// The table of the window as the command line prints it: the 90 numbers sorted and written.
void BM_TabellaEstratti(benchmark::State& stato)
{
    if (!programma) {
        stato.SkipWithError("archivio storico non trovato (VELMORA_STORICO)");
        return;
    }
    statistics::Parametri p;
    p.ruote[0] = true;
    const auto s = statistics::calcolaStatistiche(programma->sessione->archivio(), p);
    for (auto _ : stato) {
        grid::Grid g;
        statistics::scriviTabella(s, statistics::ordina(s, statistics::ColRitardo, true), 0, g);
        benchmark::DoNotOptimize(g.comeTesto("\n"));
    }
}
BENCHMARK(BM_TabellaEstratti)->Unit(benchmark::kMillisecond);

void BM_AperturaFinestra(benchmark::State& stato)
{
    if (!programma) {
        stato.SkipWithError("archivio storico non trovato (VELMORA_STORICO)");
        return;
    }
    for (auto _ : stato) {
        QMdiSubWindow* sub = programma->principale->apriFinestra(QStringLiteral("Statistiche"));
        QApplication::processEvents();   // the first paint: table, board and chart
        benchmark::DoNotOptimize(sub);
        stato.PauseTiming();
        for (QMdiSubWindow* s : programma->principale->areaMdi()->subWindowList())
            s->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        stato.ResumeTiming();
    }
}
BENCHMARK(BM_AperturaFinestra)->Unit(benchmark::kMillisecond)->Iterations(20);

// In the open window, every wheel chosen: "Ambo" chosen to the 4005 rows painted.
void BM_FinestraAmbiTutteLeRuote(benchmark::State& stato)
{
    if (!programma) {
        stato.SkipWithError("archivio storico non trovato (VELMORA_STORICO)");
        return;
    }
    QMdiSubWindow* sub = programma->principale->apriFinestra(QStringLiteral("Statistiche"));
    auto* f = qobject_cast<ui::Statistiche*>(sub->widget());
    f->tutteLeRuote();
    auto* sorte = f->findChild<QComboBox*>(QStringLiteral("Sorte"));
    QApplication::processEvents();
    for (auto _ : stato) {
        sorte->setCurrentIndex(1);
        QApplication::processEvents();
        stato.PauseTiming();
        sorte->setCurrentIndex(0);
        QApplication::processEvents();
        stato.ResumeTiming();
    }
    sub->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_FinestraAmbiTutteLeRuote)->Unit(benchmark::kMillisecond)->Iterations(20);

}

int main(int argc, char** argv)
{
    // Without the real archive the benchmarks report that there is nothing to measure.
    return banco::eseguiConQt(argc, argv, [] { prepara(); return true; }, [] { delete programma; });
}
