// velmora-cli killed at random moments of every kind of archive write, then another writer run to its end:
// every round must leave the archive whole, with exactly the draws that writer gives, and nothing beside it.
//   velmora_bench_guasti                 50 rounds (one benchmark iteration each)
// The four writers all end at the same archive (the demonstration archive), so one reference checks them all.
#include "support/StoricoZip.h"
#include "support/TempDir.h"

#include "storage/DrawsDb.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string cli()
{
    return (fs::read_symlink("/proc/self/exe").parent_path() / "velmora-cli").string();
}

// Starts velmora-cli with `argomenti`, standard output to `uscita` (or nowhere).
pid_t avvia(const std::vector<std::string>& argomenti, const std::string& uscita = "/dev/null")
{
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        const int fd = ::open(uscita.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, 1);
        const int nullo = ::open("/dev/null", O_WRONLY);
        ::dup2(nullo, 2);
        std::vector<char*> argv;
        static std::string programma = cli();
        argv.push_back(programma.data());
        for (const auto& a : argomenti)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(programma.c_str(), argv.data());
        ::_exit(127);
    }
    return figlio;
}

int attendi(pid_t figlio)
{
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

int esegui(const std::vector<std::string>& argomenti, const std::string& uscita = "/dev/null")
{
    return attendi(avvia(argomenti, uscita));
}

std::string leggi(const std::string& percorso)
{
    std::ifstream f(percorso, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

struct Banco {
    Banco()
    {
        demo = cartella.file("demo.db");
        esegui({"genera-demo", demo});
        riferimento = cartella.file("riferimento.txt");
        esegui({"estrazioni", demo}, riferimento);
        auto db = storage::ApriArchivio(demo);
        const std::string testo = testsupport::testoUfficialeDi(db);
        storico = cartella.scrivi("storico.txt", testo);
        zip = cartella.scrivi("storico.zip", testsupport::zipDi({{"storico.txt", testo}}));
        auto s = db.prepara("SELECT DataEstrazione FROM EstrazioniLotto ORDER BY DataEstrazione DESC LIMIT 1 OFFSET 1999");
        s.avanza();
        const std::string dal = storage::DataDaDb(s.testo(0));
        aggiornamento = cartella.file("aggiornamento.txt");
        esegui({"aggiornamento", demo, "--dal", dal}, aggiornamento);
        indietro = cartella.file("indietro.db");
        fs::copy_file(demo, indietro);
        auto i = storage::ApriArchivio(indietro);
        auto togli = i.prepara("DELETE FROM EstrazioniLotto WHERE DataEstrazione >= ?1");
        togli.lega(1, storage::DataPerDb(dal));
        togli.esegui();
        archivio = (lavoro / "archivio.db").string();
        fs::create_directories(lavoro);
        scrittori = {
            {"controlla", {"controlla", archivio, aggiornamento, "--applica"}},
            {"aggiorna-da-storico", {"aggiorna-da-storico", archivio, zip, "--applica"}},
            {"importa-storico", {"importa-storico", storico, archivio, "--sovrascrivi"}},
            {"genera-demo", {"genera-demo", archivio}},
        };
        // How long each takes to the end, for the kill moments to fall anywhere inside it.
        for (auto& s : scrittori) {
            ripristina();
            const auto inizio = std::chrono::steady_clock::now();
            esegui(s.argomenti);
            s.durata = std::chrono::steady_clock::now() - inizio;
        }
    }

    // The archive one update behind, alone in its folder.
    void ripristina()
    {
        for (const auto& voce : fs::directory_iterator(lavoro))
            fs::remove(voce.path());
        fs::copy_file(indietro, archivio);
    }

    struct Scrittore {
        std::string nome;
        std::vector<std::string> argomenti;
        std::chrono::steady_clock::duration durata{};
    };

    testsupport::CartellaTemporanea cartella;
    fs::path lavoro = cartella.percorso() / "lavoro";
    std::string demo, riferimento, storico, zip, aggiornamento, indietro, archivio;
    std::vector<Scrittore> scrittori;
};

void UccisioniACaso(benchmark::State& state)
{
    static Banco b;
    std::mt19937 caso(20261208);
    int uccisi = 0, giunti = 0, danneggiati = 0, rimasti = 0, rifiutati = 0;
    const std::string dopo = b.cartella.file("dopo.txt");
    for (auto _ : state) {
        b.ripristina();
        const auto& vittima = b.scrittori[caso() % b.scrittori.size()];
        const auto istante = std::chrono::microseconds(
            std::uniform_int_distribution<long long>(0, std::chrono::duration_cast<std::chrono::microseconds>(vittima.durata).count())(caso));
        const pid_t figlio = avvia(vittima.argomenti);
        std::this_thread::sleep_for(istante);
        ::kill(figlio, SIGKILL);
        int stato = 0;
        ::waitpid(figlio, &stato, 0);
        (WIFSIGNALED(stato) ? uccisi : giunti)++;

        const auto& seguente = b.scrittori[caso() % b.scrittori.size()];
        if (esegui(seguente.argomenti) != 0)
            ++rifiutati;
        if (esegui({"estrazioni", b.archivio}, dopo) != 0 || leggi(dopo) != leggi(b.riferimento)) {
            ++danneggiati;
            state.SetLabel(vittima.nome + " ucciso, poi " + seguente.nome + ": archivio danneggiato");
        }
        // Leftovers of a killed replacement go with the next replacement of the same file.
        const bool sostituisce = seguente.nome == "importa-storico" || seguente.nome == "genera-demo";
        for (const auto& voce : fs::directory_iterator(b.lavoro))
            if (sostituisce && voce.path().filename() != "archivio.db") {
                ++rimasti;
                state.SetLabel("rimasto " + voce.path().filename().string() + " dopo " + seguente.nome);
            }
    }
    state.counters["uccisi"] = uccisi;
    state.counters["finiti_prima"] = giunti;
    state.counters["danneggiati"] = danneggiati;
    state.counters["rifiutati"] = rifiutati;
    state.counters["rimasti_dopo_sostituzione"] = rimasti;
}
BENCHMARK(UccisioniACaso)->Unit(benchmark::kMillisecond)->Iterations(50);

}

BENCHMARK_MAIN();
