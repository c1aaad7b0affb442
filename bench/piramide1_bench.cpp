// The workbench window on the real archive: opening to the first paint, AMBATE from the click to the filled grid, cancel.
#include "ConQt.h"
#include "support/ArchivioReale.h"
#include "ui/Piramide1/Piramide1.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/LavoroDiFondo.h"
#include "workbench/Banco.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Ambiente {
    Ambiente() : a(*testsupport::archivioReale()), sessione(cartella.path().toStdString(), a), contesto(sessione, dialoghi)
    {
        sessione.apriDatabaseProgramma();
    }
    ~Ambiente() { sessione.chiudi(); }
    QTemporaryDir cartella;
    archive::Archivio a;
    session::Sessione sessione;
    ui::DialoghiScriptati dialoghi;
    ui::Contesto contesto;
};

std::unique_ptr<Ambiente> ambiente;

// Runs the event loop until the window's search has ended; returns false after `limiteMs`.
bool attendiFine(ui::Piramide1& f, int limiteMs = 60000)
{
    if (!f.ricercaInCorso())
        return true;
    QEventLoop ciclo;
    QObject::connect(&f, &ui::Piramide1::ricercaFinita, &ciclo, &QEventLoop::quit);
    QTimer::singleShot(limiteMs, &ciclo, &QEventLoop::quit);
    ciclo.exec();
    return !f.ricercaInCorso();
}

// Cases of the newest draw on every wheel, every operator chosen.
void preparaRicerca(ui::Piramide1& f, int casi, int colpi, int lista)
{
    f.findChild<QComboBox*>(QStringLiteral("ComboNC"))->setCurrentIndex(casi - 1);
    f.findChild<QComboBox*>(QStringLiteral("Combo3"))->setCurrentIndex(colpi - 1);
    f.findChild<QComboBox*>(QStringLiteral("ComboEle"))->setCurrentIndex((lista - 100) / 50);
    for (int w = 0; w < archive::NumeroRuote; ++w)
        workbench::setRuotaInGioco(f.banco(), w, true);
    f.findChild<QPushButton*>(QStringLiteral("Command9"))->click();
    f.findChild<QPushButton*>(QStringLiteral("Command22"))->click();
}

void BM_AperturaFinoAlPrimoDisegno(benchmark::State& stato)
{
    for (auto _ : stato) {
        auto f = std::make_unique<ui::Piramide1>(ambiente->contesto);
        f->resize(1030, 640);
        f->show();
        f->repaint();   // the first paint, done now rather than at the next turn of the loop
        stato.PauseTiming();
        f.reset();
        QApplication::processEvents();
        stato.ResumeTiming();
    }
}
BENCHMARK(BM_AperturaFinoAlPrimoDisegno)->Unit(benchmark::kMillisecond)->Iterations(10);

// AMBATE over the whole catalogue: from the click to FgEsiti filled and shown.
void BM_AmbateDalClicAllaGriglia(benchmark::State& stato)
{
    ui::Piramide1 f(ambiente->contesto);
    f.resize(1030, 640);
    f.show();
    const int casi = static_cast<int>(stato.range(0)), colpi = static_cast<int>(stato.range(1));
    preparaRicerca(f, casi, colpi, 100);
    auto* ambate = f.findChild<QPushButton*>(QStringLiteral("Cmd_Step1"));
    for (auto _ : stato) {
        ambate->click();
        if (!attendiFine(f)) {
            stato.SkipWithError("la ricerca non è finita");
            return;
        }
        f.repaint();
    }
    stato.counters["casi"] = workbench::numeroCasi(f.banco());
    stato.counters["prima_Cop"] = f.banco().FgEsiti.intero(1, 1);
}
BENCHMARK(BM_AmbateDalClicAllaGriglia)->Args({12, 8})->Args({50, 20})->Unit(benchmark::kMillisecond)->Iterations(10);

// A long search (50 cases, 20 colpi, list of 1000, every wheel): bar updates a second
// while it runs, and the time from the cancel click to the window free again.
void BM_AnnullaDopo30ms(benchmark::State& stato)
{
    ui::Piramide1 f(ambiente->contesto);
    f.show();
    preparaRicerca(f, 50, 20, 1000);
    auto* lavoro = f.findChild<ui::LavoroDiFondo*>();
    int aggiornamenti = 0;
    QObject::connect(lavoro, &ui::LavoroDiFondo::avanzamento, [&](int barra, int, int) { aggiornamenti += barra == 2; });
    double annullo = 0, durata = 0;
    int annullate = 0;
    for (auto _ : stato) {
        aggiornamenti = 0;
        QElapsedTimer orologio;
        orologio.start();
        f.findChild<QPushButton*>(QStringLiteral("Cmd_Step1"))->click();
        QEventLoop ciclo;
        QTimer::singleShot(30, &ciclo, &QEventLoop::quit);
        ciclo.exec();
        QElapsedTimer fermo;
        fermo.start();
        const bool inCorso = f.ricercaInCorso();
        f.findChild<QPushButton*>(QStringLiteral("CmdAnnulla"))->click();
        attendiFine(f);
        annullo += static_cast<double>(fermo.nsecsElapsed()) / 1e6;
        durata += static_cast<double>(orologio.nsecsElapsed()) / 1e6;
        annullate += inCorso;
    }
    stato.counters["annullo_ms"] = annullo / static_cast<double>(stato.iterations());
    stato.counters["annullate"] = annullate;
    stato.counters["durata_ms"] = durata / static_cast<double>(stato.iterations());
}
BENCHMARK(BM_AnnullaDopo30ms)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same long search to its end: how often the bars moved.
void BM_RicercaLungaBarre(benchmark::State& stato)
{
    ui::Piramide1 f(ambiente->contesto);
    f.show();
    preparaRicerca(f, 50, 20, 1000);
    auto* lavoro = f.findChild<ui::LavoroDiFondo*>();
    int aggiornamenti = 0;
    QObject::connect(lavoro, &ui::LavoroDiFondo::avanzamento, [&](int, int, int) { ++aggiornamenti; });
    double secondi = 0;
    for (auto _ : stato) {
        QElapsedTimer orologio;
        orologio.start();
        f.findChild<QPushButton*>(QStringLiteral("Cmd_Step1"))->click();
        attendiFine(f);
        secondi += static_cast<double>(orologio.nsecsElapsed()) / 1e9;
    }
    stato.counters["aggiornamenti_al_s"] = aggiornamenti / secondi;
}
BENCHMARK(BM_RicercaLungaBarre)->Unit(benchmark::kMillisecond)->Iterations(3);

}

int main(int argc, char** argv)
{
    return banco::eseguiConQt(
        argc, argv,
        [] {
            if (!testsupport::archivioReale()) {
                std::fprintf(stderr, "archivio storico non trovato: niente da misurare\n");
                return false;
            }
            ambiente = std::make_unique<Ambiente>();
            return true;
        },
        [] { ambiente.reset(); });
}
