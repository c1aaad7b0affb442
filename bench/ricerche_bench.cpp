// AMBATE and ABBINAMENTI on the real archive with every operator: the program's search, the plain one, their ratio, the chance figures, the whole command with its random runs, and how fast a stop is obeyed.
#include "workbench/Abbinamenti.h"
#include "workbench/Ambate.h"
#include "support/ArchivioReale.h"
#include "support/RicercaRiferimento.h"
#include "workbench/Casi.h"
#include "workbench/ConfrontoCaso.h"
#include "workbench/Elabora.h"
#include "workbench/Trasferimenti.h"
#include "engine/Piramide.h"

#include "BancoCompleto.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace workbench;

namespace {

// Seconds per run of each benchmark, for the ratios printed at the end.
std::map<std::string, double>& tempi()
{
    static std::map<std::string, double> t;
    return t;
}

// The workbench as the player sets it: reference = the newest draw, base wheel BA,
// "Mensile" with "U" and "Forza ultima", 50 cases, 20 colpi, every wheel in play,
// list of 1000, every operator of the catalogue selected.
Banco bancoDiProva(const archive::Archivio& a)
{
    Banco b;
    apriBanco(b, a);
    b.ruotaBase = 0;
    b.rilevazione = Rilevazione::Mensile;
    b.mensile = 0;
    b.forzaUltima = true;
    b.lista = 1000;
    bancoCompleto(b);
    RicavaEstrazioni(b, a);
    return b;
}

// Level 3 (bricks 4, 5, 6) of a pyramid, verified on the cases so that FgX holds its numbers.
void verificaLivelloTre(Banco& b, const archive::Archivio& a)
{
    struct Formula { int m; const char* tras; int tipo; int e1, r1, e2, r2; };
    for (const Formula& x : {Formula{4, "SOM", 2, 1, 0, 2, 0}, Formula{5, "DIFF", 2, 3, 0, 5, 7}, Formula{6, "FIG", 1, 4, 0, 0, 0}}) {
        engine::Mattone& m = b.mattone(x.m);
        m.codice = x.tras;
        m.tipo = x.tipo;
        m.E1 = x.e1;
        m.R1 = x.r1;
        m.RU1 = archive::SigleRuote[static_cast<std::size_t>(x.r1)];
        if (x.tipo == 2) {
            m.E2 = x.e2;
            m.R2 = x.r2;
            m.RU2 = archive::SigleRuote[static_cast<std::size_t>(x.r2)];
        }
    }
    verificaLivello(b, a, 3);
}

template <typename F>
void misura(benchmark::State& state, const std::string& nome, F&& corpo)
{
    double totale = 0;
    int volte = 0;
    for (auto _ : state) {
        const auto inizio = std::chrono::steady_clock::now();
        corpo();
        totale += std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
        ++volte;
    }
    tempi()[nome] = totale / volte;
}

// The timed settings are the largest the searches meet: their two grids must match too.
void confrontaGriglie(benchmark::State& state, const std::string& nome, const ImpostazioniRicerca& imp,
                      const archive::Archivio& a, const grid::Grid& letterale)
{
    grid::Grid veloce;
    scriviEsiti(veloce, cercaFormule(imp, a).righe, imp.lista, imp.tipo);
    const bool uguali = veloce.comeTesto() == letterale.comeTesto();
    state.counters["griglie_uguali"] = uguali ? 1 : 0;
    if (!uguali)
        state.SkipWithError((nome + ": la griglia differisce da quella della ricerca letterale").c_str());
}

const archive::Archivio* archivio(benchmark::State& state)
{
    const auto* a = testsupport::archivioReale();
    if (!a)
        state.SkipWithError("archivio storico non disponibile");
    return a;
}

void BM_AmbateVeloce(benchmark::State& state)
{
    const auto* a = archivio(state);
    if (!a)
        return;
    Banco b = bancoDiProva(*a);
    const auto imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    state.counters["casi"] = static_cast<double>(imp.casi.size());
    misura(state, "ambate", [&] { benchmark::DoNotOptimize(cercaFormule(imp, *a)); });
}

void BM_AmbateLetterale(benchmark::State& state)
{
    const auto* a = archivio(state);
    if (!a)
        return;
    Banco b = bancoDiProva(*a);
    const auto imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    bool anomalia = false;
    grid::Grid letterale;
    misura(state, "ambate letterale", [&] { letterale = testsupport::cercaFormuleRiferimento(imp, *a, anomalia); });
    confrontaGriglie(state, "ambate", imp, *a, letterale);
}

void BM_AbbinamentiVeloce(benchmark::State& state)
{
    const auto* a = archivio(state);
    if (!a)
        return;
    Banco b = bancoDiProva(*a);
    verificaLivelloTre(b, *a);
    const auto imp = leggiImpostazioniRicerca(b, TipoRicerca::AbbinamentiAmbo);
    int numeri = 0;
    for (const auto& c : imp.casi)
        numeri += static_cast<int>(std::count_if(c.giocati.begin(), c.giocati.end(), [](int n) { return n >= 1 && n <= 90; }));
    state.counters["casi"] = static_cast<double>(imp.casi.size());
    state.counters["numeri_livello"] = numeri;
    misura(state, "abbinamenti", [&] { benchmark::DoNotOptimize(cercaFormule(imp, *a)); });
}

void BM_AbbinamentiLetterale(benchmark::State& state)
{
    const auto* a = archivio(state);
    if (!a)
        return;
    Banco b = bancoDiProva(*a);
    verificaLivelloTre(b, *a);
    const auto imp = leggiImpostazioniRicerca(b, TipoRicerca::AbbinamentiAmbo);
    bool anomalia = false;
    grid::Grid letterale;
    misura(state, "abbinamenti letterale", [&] { letterale = testsupport::cercaFormuleRiferimento(imp, *a, anomalia); });
    confrontaGriglie(state, "abbinamenti", imp, *a, letterale);
}

// The stop: a search of the whole catalogue on a worker thread, stopped while it tries
// operator row 1, 2, ... in turn (type 7 included); the time from ferma() to the
// search's return, the longest and the mean of the runs as counters.
void BM_LatenzaDiFermata(benchmark::State& state)
{
    const auto* a = archivio(state);
    if (!a)
        return;
    Banco b = bancoDiProva(*a);
    const auto imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    using Orologio = std::chrono::steady_clock;
    double massima = 0;
    double somma = 0;
    int volte = 0;
    int fermate = 0;
    for (auto _ : state) {
        avanzamento::Avanzamento avanzamento;
        Orologio::time_point fine;
        bool interrotta = false;
        std::thread ricerca([&] {
            interrotta = cercaFormule(imp, *a, &avanzamento).interrotta;
            fine = Orologio::now();
        });
        // Stopped as soon as bar 1 reaches the row of this run, every row in turn.
        const int riga = 1 + volte++ % std::max<int>(1, static_cast<int>(imp.operatori.size()));
        while (avanzamento.stato(1).valore < riga)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        const auto richiesta = Orologio::now();
        avanzamento.ferma();
        ricerca.join();
        const double latenza = std::max(std::chrono::duration<double>(fine - richiesta).count(), 0.0);
        state.SetIterationTime(latenza);
        // A row so short that the search ended before the request measures nothing.
        if (!interrotta)
            continue;
        massima = std::max(massima, latenza);
        somma += latenza;
        ++fermate;
    }
    state.counters["fermate"] = fermate;
    state.counters["latenza_max_ms"] = massima * 1000;
    state.counters["latenza_media_ms"] = somma * 1000 / std::max(fermate, 1);
}

// What the chance columns cost: the search without them, and the figures alone on the
// rows of a full-catalogue search (list of 1000 rows; the window's default is 100).
void BM_AmbateSenzaConfronto(benchmark::State& state)
{
    const auto* a = archivio(state);
    if (!a)
        return;
    Banco b = bancoDiProva(*a);
    auto imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    imp.confrontoCaso = false;
    misura(state, "ambate senza confronto", [&] { benchmark::DoNotOptimize(cercaFormule(imp, *a)); });
}

void BM_ConfrontoRighe(benchmark::State& state)
{
    const auto* a = archivio(state);
    if (!a)
        return;
    Banco b = bancoDiProva(*a);
    b.lista = static_cast<int>(state.range(0));
    auto imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    imp.confrontoCaso = false;
    const auto righe = cercaFormule(imp, *a).righe;
    misura(state, "confronto righe " + std::to_string(state.range(0)),
           [&] { benchmark::DoNotOptimize(confrontaRighe(imp, *a, righe)); });
}

// A full-catalogue AMBATE followed by the 20 random-case runs of "Migliore a caso".
void BM_AmbatePiuMiglioreACaso(benchmark::State& state)
{
    const auto* a = archivio(state);
    if (!a)
        return;
    Banco b = bancoDiProva(*a);
    const auto imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    misura(state, "ambate + migliore a caso", [&] {
        const auto r = cercaFormule(imp, *a);
        benchmark::DoNotOptimize(miglioreACaso(imp, *a, r.righe.front().cop, 20, 1));
    });
}

// --- the whole command, process start and archive load included ---
//
// velmora-cli ambate --ruote tutte --rilevazione Mensile --mensile U --forza-ultima --ncasi 50
//   --colpi 20 --lista 1000 --operatori tutti --confronto-caso 20
// timed three ways, each as a process of its own started afresh: this program re-run as
// the command with the 20 random runs one after another, each search spreading over the
// cores ("prima", how they ran before), the same with the runs on every core ("dopo", what
// miglioreACaso does), and velmora-cli itself. The three must print the same summary.
// With VELMORA_CLI_PRIMA naming another build of velmora-cli (an older one, to compare
// with), that one is timed in the same turns as well.

const std::vector<std::string> ArgomentiComando = {"ambate", "--ruote", "tutte", "--rilevazione", "Mensile",
                                                   "--mensile", "U", "--forza-ultima", "--ncasi", "50",
                                                   "--colpi", "20", "--lista", "1000", "--operatori", "tutti",
                                                   "--confronto-caso", "20"};
constexpr const char* FiglioComando = "--comando-confronto-caso";

// The child: what `velmora-cli ambate ... --confronto-caso 20` does, from loading the
// archive to the summary line (on standard output here; the table goes nowhere).
int comandoConfrontoCaso(bool unaDopoLAltra, const std::string& db)
{
    archive::Archivio a;
    a.EstrazioneIniziale = 1;
    archive::CaricaArchivio(a, db);
    Banco b = bancoDiProva(a);
    cercaAmbate(b, a);
    const std::string tabella = b.FgEsiti.comeTesto("\n");
    benchmark::DoNotOptimize(tabella.data());
    const auto imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    const int copReale = b.FgEsiti.testo(1, 1).empty() ? 0 : b.FgEsiti.intero(1, 1);
    ConfrontoCasuale c;
    if (unaDopoLAltra) {
        std::vector<int> tetti;
        for (const auto& prova : proveACaso(imp, a, 20, 1))
            tetti.push_back(copMigliore(cercaFormule(prova, a)));
        c = riassumiProve(tetti, static_cast<int>(imp.casi.size()), casiVerificabili(imp, a), copReale);
    } else {
        c = miglioreACaso(imp, a, copReale, 20, 1);
    }
    std::printf("%s\n", testoMiglioreACaso(c).c_str());
    return 0;
}

struct Processo {
    double secondi = 0;      // wall, from the start to the end of the process
    double cpu = 0;          // user + system of the process and its threads
    std::string uscita;      // its last line on standard output (`suStderr`: standard error)
    bool riuscito = false;
};

std::string leggiFile(const std::string& percorso)
{
    std::ifstream in(percorso, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ultimaRiga(const std::string& testo)
{
    std::string t = testo;
    while (!t.empty() && t.back() == '\n')
        t.pop_back();
    const auto a = t.rfind('\n');
    return a == std::string::npos ? t : t.substr(a + 1);
}

Processo lancia(const std::vector<std::string>& argomenti, bool suStderr)
{
    const std::string out = "/tmp/velmora_bench_ricerche_" + std::to_string(getpid()) + ".out";
    const std::string err = out + ".err";
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&azioni, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv;
    for (const auto& x : argomenti)
        argv.push_back(const_cast<char*>(x.c_str()));
    argv.push_back(nullptr);
    Processo p;
    const auto inizio = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int errore = posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&azioni);
    if (errore == 0) {
        int stato = 0;
        rusage uso{};
        wait4(pid, &stato, 0, &uso);
        p.secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
        p.cpu = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
                static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
        p.riuscito = WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
        p.uscita = ultimaRiga(leggiFile(suStderr ? err : out));
    }
    std::remove(out.c_str());
    std::remove(err.c_str());
    return p;
}

double mediana(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const auto m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

std::string& riepilogoComando()
{
    static std::string r;
    return r;
}

// One iteration runs the three processes in turn, so that a load on the machine from
// elsewhere weighs on all three alike; the figures are the medians over the iterations.
void BM_ComandoConfrontoCaso(benchmark::State& state)
{
    const std::string& db = testsupport::databaseReale();
    if (db.empty()) {
        state.SkipWithError("archivio storico non disponibile");
        return;
    }
    std::vector<std::string> cli = {VELMORA_CLI};
    cli.insert(cli.end(), ArgomentiComando.begin(), ArgomentiComando.end());
    cli.insert(cli.begin() + 2, {"--archivio", db});
    const std::string se = "/proc/self/exe";
    std::vector<std::string> altro;
    if (const char* vecchio = std::getenv("VELMORA_CLI_PRIMA"); vecchio && *vecchio) {
        altro = cli;
        altro[0] = vecchio;
    }
    std::vector<double> prima, dopo, comando, cpuPrima, cpuDopo, cpuComando, vecchia, cpuVecchia;
    std::string testo, testoVecchia;
    bool uguali = true;
    for (auto _ : state) {
        const Processo p = lancia({se, FiglioComando, "prima", db}, false);
        const Processo d = lancia({se, FiglioComando, "dopo", db}, false);
        const Processo c = lancia(cli, true);
        if (!p.riuscito || !d.riuscito || !c.riuscito) {
            state.SkipWithError("un processo non e' terminato con successo");
            return;
        }
        if (!altro.empty()) {
            const Processo v = lancia(altro, true);
            if (!v.riuscito) {
                state.SkipWithError("VELMORA_CLI_PRIMA non e' terminato con successo");
                return;
            }
            vecchia.push_back(v.secondi);
            cpuVecchia.push_back(v.cpu);
            testoVecchia = v.uscita;
        }
        uguali = uguali && p.uscita == d.uscita && d.uscita == c.uscita;
        testo = c.uscita;
        prima.push_back(p.secondi);
        dopo.push_back(d.secondi);
        comando.push_back(c.secondi);
        cpuPrima.push_back(p.cpu);
        cpuDopo.push_back(d.cpu);
        cpuComando.push_back(c.cpu);
        state.SetIterationTime(c.secondi);
    }
    state.counters["prima_s"] = mediana(prima);
    state.counters["prima_cpu_s"] = mediana(cpuPrima);
    state.counters["dopo_s"] = mediana(dopo);
    state.counters["dopo_cpu_s"] = mediana(cpuDopo);
    state.counters["velmora_cli_s"] = mediana(comando);
    state.counters["velmora_cli_cpu_s"] = mediana(cpuComando);
    state.counters["stesso_esito"] = uguali ? 1 : 0;
    if (!uguali)
        state.SkipWithError("i tre processi non stampano lo stesso migliore a caso");
    char riga[512];
    std::snprintf(riga, sizeof riga,
                  "comando con --confronto-caso 20, avvio e caricamento compresi (mediane di %zu): "
                  "prove una dopo l'altra %.2f s (CPU %.2f s), prove su ogni core %.2f s (CPU %.2f s), "
                  "velmora-cli %.2f s (CPU %.2f s), %u core\n  %s\n",
                  comando.size(), mediana(prima), mediana(cpuPrima), mediana(dopo), mediana(cpuDopo),
                  mediana(comando), mediana(cpuComando), std::max(1u, std::thread::hardware_concurrency()),
                  testo.c_str());
    riepilogoComando() = riga;
    if (!altro.empty()) {
        state.counters["velmora_cli_prima_s"] = mediana(vecchia);
        state.counters["velmora_cli_prima_cpu_s"] = mediana(cpuVecchia);
        std::snprintf(riga, sizeof riga, "  %s (VELMORA_CLI_PRIMA): %.2f s (CPU %.2f s)\n  %s\n", altro[0].c_str(),
                      mediana(vecchia), mediana(cpuVecchia), testoVecchia.c_str());
        riepilogoComando() += riga;
    }
}

BENCHMARK(BM_AmbateVeloce)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_AmbateLetterale)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AbbinamentiVeloce)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_AbbinamentiLetterale)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AmbateSenzaConfronto)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ConfrontoRighe)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_AmbatePiuMiglioreACaso)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LatenzaDiFermata)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(60);
BENCHMARK(BM_ComandoConfrontoCaso)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

}

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], FiglioComando) == 0)
        return comandoConfrontoCaso(std::strcmp(argv[2], "prima") == 0, argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const char* nome : {"ambate", "abbinamenti"}) {
        const auto veloce = tempi().find(nome);
        const auto letterale = tempi().find(std::string(nome) + " letterale");
        if (veloce == tempi().end() || letterale == tempi().end() || veloce->second <= 0)
            continue;
        std::printf("%s: ricerca del programma %.3f s, ricerca letterale %.3f s, %.0f volte piu' veloce\n", nome,
                    veloce->second, letterale->second, letterale->second / veloce->second);
    }
    std::fputs(riepilogoComando().c_str(), stdout);
    return 0;
}
