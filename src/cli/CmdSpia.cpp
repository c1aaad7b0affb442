// velmora-cli spia and terzo: the followers of a spy number and the law of thirds, beside chance's figures.
#include "cli/Comandi.h"
#include "cli/ImpostazioniCli.h"
#include "statistics/Spia.h"
#include "statistics/Tabella.h"
#include "statistics/Terzo.h"
#include "storage/FileDiTesto.h"

#include <algorithm>
#include <numeric>
#include <ostream>

namespace {

using namespace statistics;

const char* const UsoSpia =
    "Uso: velmora-cli spia --archivio FILE.db --spia N|N-M|tutte [--ruota-spia BA] [--ruote BA,CA,...|tutte]\n"
    "                      [--colpi C] [--dal GG/MM/AAAA] [--al GG/MM/AAAA] [--sovrapposte] [--lista N]\n"
    "\n"
    "Numeri spia: dopo ogni uscita della spia (un numero, o un ambo N-M) sulla ruota della spia\n"
    "(predefinita: BA) fra le due date, quali numeri escono nei C colpi seguenti (1..36, predefinito 9)\n"
    "sulle ruote indicate (predefinita: la ruota della spia). Un'uscita conta solo se i suoi C colpi\n"
    "sono tutti nell'archivio (possono andare oltre --al); senza --sovrapposte si salta un'uscita che\n"
    "cade nei colpi della precedente contata, cosi' i conteggi sono indipendenti. Stampa, celle separate\n"
    "da tabulazioni, ordinate per p:\n"
    "  Numero  Presenze  Uscite  Attese  Rapporto  p  q\n"
    "Presenze: le uscite della spia contate; Uscite: quelle dopo cui il numero e' uscito almeno una\n"
    "volta; Attese: lo stesso conteggio per il solo caso (le ruote non estratte non contano);\n"
    "p: la probabilita' di almeno tante uscite per caso (Poisson-binomiale esatta); q: p corretta\n"
    "per le 90 prove (Benjamini-Hochberg). Con --spia tutte ogni spia 1..90 contro ogni numero\n"
    "(8100 prove, q su tutte), colonna Spia in testa, ordinate per q; --lista: quante righe\n"
    "(predefinite: 90, nella scansione 100). Sullo standard error l'ultima riga dice quanti numeri\n"
    "hanno p < 0,05, quanti ne darebbe il caso e quanti restano con q < 0,05.\n";

const char* const UsoTerzo =
    "Uso: velmora-cli terzo --archivio FILE.db [--ruote BA,CA,...|tutte] [--ciclo N] [--dal GG/MM/AAAA]\n"
    "                       [--al GG/MM/AAAA] [--distribuzione]\n"
    "\n"
    "Legge del terzo: per ogni ruota indicata (predefinite: tutte) le ultime N estrazioni (1..200,\n"
    "predefinito 18, il ciclo teorico) fino alla data --al in cui la ruota fu estratta. Stampa,\n"
    "celle separate da tabulazioni:\n"
    "  Ruota  Usciti  Assenti  AttesiAssenti\n"
    "AttesiAssenti = 90 x (85/90)^N, quanti numeri il solo caso lascia fuori in media. Con\n"
    "--distribuzione: il numero di assenti in ogni tratto di N estrazioni consecutive di ogni ruota\n"
    "fra --dal e --al, contro la legge esatta del caso:\n"
    "  Assenti  Osservati  Attesi\n"
    "Sullo standard error l'ultima riga riassume il confronto.\n";

// The draws of the archive dated dal..al, as first and last index.
std::pair<int, int> estremi(const cli::Argomenti& args, const archive::Archivio& a)
{
    const auto dal = cli::dataDaOpzione(args, "--dal");
    const auto al = cli::dataDaOpzione(args, "--al");
    if (dal && al && *dal > *al)
        throw cli::ErroreUso("--dal (" + *args.valore("--dal") + ") segue --al (" + *args.valore("--al") + ")");
    const auto e = estrazioniFraDate(a, dal.value_or(0), al.value_or(99999999));
    if (!e)
        throw cli::ErroreDati("nessuna estrazione fra le date indicate");
    return *e;
}

// "27", "27-45" (two different numbers) or "tutte" (0).
std::pair<int, int> leggiSpia(const std::string& testo)
{
    if (testo == "tutte")
        return {0, 0};
    const auto parti = cli::dividi(testo, '-');
    std::vector<int> numeri;
    for (const auto& p : parti) {
        const auto n = cli::interoEsatto(p);
        if (!n || *n < 1 || *n > 90 || parti.size() > 2)
            throw cli::ErroreUso("spia non valida: '" + storage::estratto(testo) + "' (un numero 1..90, un ambo N-M o tutte)");
        numeri.push_back(*n);
    }
    if (numeri.size() == 2 && numeri[0] == numeri[1])
        throw cli::ErroreUso("l'ambo spia vuole due numeri diversi: '" + storage::estratto(testo) + "'");
    return {numeri[0], numeri.size() == 2 ? numeri[1] : 0};
}

int eseguiSpia(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream& err)
{
    args.soloOpzioni({"--archivio", "--spia", "--ruota-spia", "--ruote", "--colpi", "--dal", "--al", "--sovrapposte", "--lista"});
    if (!args.valore("--archivio"))
        throw cli::ErroreUso("manca --archivio");
    const auto testoSpia = args.valore("--spia");
    if (!testoSpia)
        throw cli::ErroreUso("manca --spia (un numero 1..90, un ambo N-M o tutte)");
    ParametriSpia p;
    std::tie(p.spia, p.spia2) = leggiSpia(*testoSpia);
    const bool scansione = p.spia == 0;
    const auto ruotaSpia = archive::RuotaDaCodice(args.valore("--ruota-spia", "BA"));
    if (!ruotaSpia)
        throw cli::ErroreUso("ruota della spia sconosciuta: '" + storage::estratto(args.valore("--ruota-spia", "")) + "'");
    p.ruotaSpia = *ruotaSpia;
    if (const auto r = args.valore("--ruote")) {
        p.ruote = cli::ruoteDaOpzione(*r);
        if (std::none_of(p.ruote.begin(), p.ruote.end(), [](bool s) { return s; }))
            throw cli::ErroreUso("--ruote: indicare almeno una ruota (BA,CA,... o tutte)");
    } else {
        p.ruote[static_cast<std::size_t>(p.ruotaSpia)] = true;
    }
    p.colpi = cli::interoIn(args, "--colpi", 9, 1, ColpiSpiaMax);
    p.sovrapposte = args.ha("--sovrapposte");
    const int lista = cli::interoIn(args, "--lista", scansione ? 100 : 90, 1, scansione ? 90 * 90 : 90);

    const auto a = cli::caricaArchivioCli(args);
    std::tie(p.dal, p.al) = estremi(args, *a);
    if (scansione) {
        const auto e = scansioneSpie(*a, p);
        grid::Grid g;
        scriviTabellaSpia(e.righe, true, lista, g);
        out << g.comeTesto("\n");
        err << lineaScansione(e) << '\n';
        return cli::EsitoOk;
    }
    auto e = calcolaSpia(*a, p);
    // The most unlikely first; equal p by number.
    ordinaSpia(e.righe, ColSpiaP, false, false);
    grid::Grid g;
    scriviTabellaSpia(e.righe, false, lista, g);
    out << g.comeTesto("\n");
    err << lineaSpia(e) << '\n';
    return cli::EsitoOk;
}

int eseguiTerzo(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream& err)
{
    args.soloOpzioni({"--archivio", "--ruote", "--ciclo", "--dal", "--al", "--distribuzione"});
    if (!args.valore("--archivio"))
        throw cli::ErroreUso("manca --archivio");
    const Ruote ruote = cli::ruoteDaOpzione(args.valore("--ruote", "tutte"));
    if (std::none_of(ruote.begin(), ruote.end(), [](bool s) { return s; }))
        throw cli::ErroreUso("--ruote: indicare almeno una ruota (BA,CA,... o tutte)");
    const int n = cli::interoIn(args, "--ciclo", CicloTeorico, 1, CicloMax);
    const auto a = cli::caricaArchivioCli(args);
    const auto [dal, al] = estremi(args, *a);

    grid::Grid g;
    if (args.ha("--distribuzione")) {
        const auto d = distribuzioneAssenti(*a, ruote, n, dal, al);
        if (d.cicli == 0)
            throw cli::ErroreDati("nessun tratto di " + std::to_string(n) + " estrazioni delle ruote scelte fra le date indicate");
        scriviDistribuzione(d, g);
        out << g.comeTesto("\n");
        err << lineaDistribuzione(d) << '\n';
        return cli::EsitoOk;
    }

    const auto cicli = ultimiCicli(*a, ruote, n, al);
    scriviCicli(cicli, n, g);
    std::vector<std::string> corte;
    for (const auto& c : cicli)
        if (c.estrazioni < n)
            corte.push_back(std::string(archive::SigleRuote[static_cast<std::size_t>(c.ruota)]));
    const int righe = g.righe() - 1;
    if (righe == 0)
        throw cli::ErroreDati("nessuna ruota scelta ha " + std::to_string(n) + " estrazioni fino alla data indicata");
    out << g.comeTesto("\n");
    if (!corte.empty())
        err << "Meno di " << n << " estrazioni fino alla data indicata, ruote escluse: "
            << std::accumulate(std::next(corte.begin()), corte.end(), corte.front(),
                               [](std::string x, const std::string& y) { return x + "," + y; })
            << '\n';
    err << lineaCicli(*a, n, al) << '\n';
    return cli::EsitoOk;
}

const cli::Registrazione spia({
    "spia",
    "numeri spia: chi segue un numero o un ambo, con quanto darebbe il caso",
    UsoSpia,
    eseguiSpia,
    {"--sovrapposte"},
});

const cli::Registrazione terzo({
    "terzo",
    "legge del terzo: i numeri assenti in un ciclo, con la legge esatta del caso",
    UsoTerzo,
    eseguiTerzo,
    {"--distribuzione"},
});

}
