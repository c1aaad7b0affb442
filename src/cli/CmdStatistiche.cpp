// velmora-cli statistiche: delays and frequencies of numbers or pairs, each beside chance's figure.
#include "cli/Comandi.h"
#include "cli/ImpostazioniCli.h"
#include "statistics/Statistiche.h"
#include "statistics/Tabella.h"
#include "storage/FileDiTesto.h"

#include <algorithm>
#include <ostream>

namespace {

using namespace statistics;

const char* const Uso =
    "Uso: velmora-cli statistiche --archivio FILE.db [--ruote BA,CA,...|tutte] [--dal GG/MM/AAAA]\n"
    "                             [--al GG/MM/AAAA] [--sorte estratto|ambo]\n"
    "                             [--ordina ritardo|frequenza|numero] [--lista N]\n"
    "\n"
    "Ritardi e frequenze dei numeri (estratto) o degli ambi sulle ruote indicate (predefinita: BA;\n"
    "RM e RN sono accettati per Roma e Nazionale) fra le due date (predefinito: tutto l'archivio).\n"
    "Contano le estrazioni in cui almeno una delle ruote fu estratta. Stampa una tabella con\n"
    "l'intestazione, celle separate da tabulazioni:\n"
    "  Numero (o Ambo, NN-NN)  Ritardo  RitardoMax  Frequenza  Attesa  RitardoMedio  Prob\n"
    "Attesa e' la frequenza che darebbe il solo caso, Prob la probabilita' di un ritardo almeno\n"
    "cosi' lungo. Ordine predefinito: ritardo decrescente, poi numero; --lista: quante righe\n"
    "(predefinite: tutti i 90 numeri, i primi 100 ambi). Sullo standard error l'ultima riga e'\n"
    "\"Estrazioni contate: T (prima - ultima)\".\n";

int esegui(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream& err)
{
    args.soloOpzioni({"--archivio", "--ruote", "--dal", "--al", "--sorte", "--ordina", "--lista"});
    const auto percorso = args.valore("--archivio");
    if (!percorso)
        throw cli::ErroreUso("manca --archivio");

    Parametri p;
    p.ruote = cli::ruoteDaOpzione(args.valore("--ruote", "BA"));
    if (std::none_of(p.ruote.begin(), p.ruote.end(), [](bool s) { return s; }))
        throw cli::ErroreUso("--ruote: indicare almeno una ruota (BA,CA,... o tutte)");
    const std::string sorte = args.valore("--sorte", "estratto");
    if (sorte == "ambo")
        p.sorte = Sorte::Ambo;
    else if (sorte != "estratto")
        throw cli::ErroreUso("sorte sconosciuta: '" + storage::estratto(sorte) + "' (estratto o ambo)");
    const std::string ordine = args.valore("--ordina", "ritardo");
    Colonna colonna = ColRitardo;
    if (ordine == "frequenza")
        colonna = ColFrequenza;
    else if (ordine == "numero")
        colonna = ColNumero;
    else if (ordine != "ritardo")
        throw cli::ErroreUso("ordine sconosciuto: '" + storage::estratto(ordine) + "' (ritardo, frequenza o numero)");
    const bool ambo = p.sorte == Sorte::Ambo;
    const int lista = cli::interoIn(args, "--lista", ambo ? 100 : 90, 1, ambo ? NumeroAmbi : 90);
    const auto dal = cli::dataDaOpzione(args, "--dal");
    const auto al = cli::dataDaOpzione(args, "--al");
    if (dal && al && *dal > *al)
        throw cli::ErroreUso("--dal (" + *args.valore("--dal") + ") segue --al (" + *args.valore("--al") + ")");

    const auto a = cli::caricaArchivioCli(args);
    const auto estremi = estrazioniFraDate(*a, dal.value_or(0), al.value_or(99999999));
    const auto nessuna = [&] {
        return cli::ErroreDati("nessuna estrazione delle ruote scelte " +
                               std::string(dal || al ? "fra le date indicate" : "nell'archivio") + " in " + *percorso);
    };
    if (!estremi)
        throw nessuna();
    p.dal = estremi->first;
    p.al = estremi->second;
    const Statistiche s = calcolaStatistiche(*a, p);
    if (s.T() == 0)
        throw nessuna();

    grid::Grid g;
    scriviTabella(s, ordina(s, colonna, colonna != ColNumero), lista, g);
    out << g.comeTesto("\n");
    err << riepilogo(*a, s) << '\n';
    return cli::EsitoOk;
}

const cli::Registrazione registrazione({
    "statistiche",
    "ritardi e frequenze di numeri e ambi, con quanto darebbe il caso",
    Uso,
    esegui,
    {},
});

}
