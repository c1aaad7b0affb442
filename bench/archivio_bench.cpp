// The window archivio on the real archive: SALVA of a new draw with the reload and the main window's labels,
// the opening of the window, the calendar of another year.
#include "ConQt.h"
#include "ProgrammaReale.h"
#include "archive/ImportaStorico.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "session/Sessione.h"
#include "support/Storico.h"
#include "ui/Container/Container.h"
#include "ui/archivio/GestioneArchivio.h"
#include "ui/archivio/PannelloInserimento.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/RegistroFinestre.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
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
    programma->principale->show();
    ui::registraArchivio();
    return true;
}

void attendi()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

ui::GestioneArchivio* apri()
{
    QMdiSubWindow* sub = programma->principale->apriFinestra(QStringLiteral("archivio"));
    return sub ? qobject_cast<ui::GestioneArchivio*>(sub->widget()) : nullptr;
}

void chiudi()
{
    for (QMdiSubWindow* sub : programma->principale->areaMdi()->subWindowList())
        sub->close();
    attendi();
}

void BM_SalvaNuovaEstrazione(benchmark::State& stato)
{
    if (!programma) {
        stato.SkipWithError("archivio storico non trovato");
        return;
    }
    auto* f = apri();
    auto& s = *programma->sessione;
    const int n = s.archivio().NumeroEstrazioni;
    const QDate ultima = QDate::fromString(QString::fromStdString(s.archivio().DateEstrazioni[n]), "dd/MM/yyyy");
    const QString nuova = ultima.addDays(1).toString("dd/MM/yyyy");
    QStringList numeri;
    for (int i = 0; i < 55; ++i)
        numeri << QString::number(i % 5 + 1 + (i / 5) * 8);
    QApplication::clipboard()->setText(numeri.join(' '));
    auto* salva = f->findChild<QPushButton*>(QStringLiteral("Command8"));
    for (auto _ : stato) {
        stato.PauseTiming();
        f->inserimento().incollaEstrazione();
        f->findChild<QCalendarWidget*>(QStringLiteral("MonthView1"))->setSelectedDate(ultima.addDays(1));
        programma->dialoghi.svuota();
        // The confirmation, and yes to whatever the date makes SALVA ask (a Sunday, draw days skipped).
        programma->dialoghi.risposteSiNo = {true, true, true, true, true};
        stato.ResumeTiming();

        salva->click();        // question, check, then the write and reload start on the window's runner
        f->lavoro().aspetta();   // ... and end: labels of both windows, browser and calendar

        stato.PauseTiming();
        if (s.archivio().NumeroEstrazioni != n + 1) {
            stato.SkipWithError("estrazione non salvata");
            break;
        }
        maintenance::eliminaEstrazione(s.dbEstrazioni(), s.archivio(), nuova.toStdString());
        stato.ResumeTiming();
    }
    chiudi();
    programma->principale->ImpostazioniArchivioModello();
    stato.counters["estrazioni"] = n + 1;
}
BENCHMARK(BM_SalvaNuovaEstrazione)->Unit(benchmark::kMillisecond)->Iterations(20);

// The logic alone: the bound INSERT and the reload in one transaction, without the windows.
void BM_ScritturaERicarica(benchmark::State& stato)
{
    if (!programma) {
        stato.SkipWithError("archivio storico non trovato");
        return;
    }
    auto& s = *programma->sessione;
    const int n = s.archivio().NumeroEstrazioni;
    const std::string nuova = QDate::fromString(QString::fromStdString(s.archivio().DateEstrazioni[n]), "dd/MM/yyyy")
                                  .addDays(1)
                                  .toString("dd/MM/yyyy")
                                  .toStdString();
    maintenance::Caselle c;
    for (int i = 1; i <= 55; ++i)
        c[static_cast<std::size_t>(i)] = std::to_string((i - 1) % 5 + 1 + (i - 1) / 5 * 8);
    for (auto _ : stato) {
        maintenance::salvaEstrazione(s.dbEstrazioni(), s.archivio(), nuova, c);
        stato.PauseTiming();
        maintenance::eliminaEstrazione(s.dbEstrazioni(), s.archivio(), nuova);
        stato.ResumeTiming();
    }
}
BENCHMARK(BM_ScritturaERicarica)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_AperturaFinestra(benchmark::State& stato)
{
    if (!programma) {
        stato.SkipWithError("archivio storico non trovato");
        return;
    }
    for (auto _ : stato) {
        auto* f = apri();
        QApplication::processEvents();   // the first paint
        benchmark::DoNotOptimize(f);
        stato.PauseTiming();
        chiudi();
        stato.ResumeTiming();
    }
}
BENCHMARK(BM_AperturaFinestra)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_CalendarioDiUnAnno(benchmark::State& stato)
{
    if (!programma) {
        stato.SkipWithError("archivio storico non trovato");
        return;
    }
    auto* f = apri();
    f->mostraPagina(ui::GestioneArchivio::PaginaCalendario);
    auto* anni = f->findChild<QComboBox*>(QStringLiteral("Combo1"));
    int i = 0;
    for (auto _ : stato) {
        anni->setCurrentText(++i % 2 ? QStringLiteral("2023") : QStringLiteral("2024"));
        QApplication::processEvents();   // the calendar shown
    }
    chiudi();
}
BENCHMARK(BM_CalendarioDiUnAnno)->Unit(benchmark::kMillisecond)->Iterations(50);

}

int main(int argc, char** argv)
{
    // Without the real archive the benchmarks report that there is nothing to measure.
    return banco::eseguiConQt(argc, argv, [] { prepara(); return true; }, [] { delete programma; });
}
