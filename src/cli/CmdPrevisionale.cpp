// velmora-cli previsionale: the predictive pyramid of a run of draws, as the window computes it.
#include "cli/Comandi.h"
#include "predictive/PiramidePrevisionale.h"
#include "predictive/SceltaIntervallo.h"
#include "storage/FileDiTesto.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <sstream>

namespace {

using namespace predictive;

const char* const Uso =
    "Uso: velmora-cli previsionale --archivio FILE.db [--inizio K] [--fine K]\n"
    "                              [--ruote BA,CA,...|tutte] [--criterio ritardo|presenze|frequenza]\n"
    "                              [--livello 3..8] [--capogioco 0..90]\n"
    "\n"
    "Calcola la piramide previsionale sulle estrazioni inizio..fine (n° indice dell'archivio\n"
    "modello; predefiniti: --fine l'ultima, --inizio 179 estrazioni prima) per le ruote indicate\n"
    "(predefinita: BA; NZ è la Nazionale, RM e RN sono accettati per Roma e Nazionale).\n"
    "Stampa la tabella delle statistiche (intestazione, poi i 90 numeri nell'ordine della\n"
    "classifica, celle separate da tabulazioni), una riga vuota, poi la piramide (una riga\n"
    "per livello).\n"
    "Predefiniti: --criterio ritardo, --livello 6, --capogioco 0 (nessuno).\n";

predictive::Ruote leggiRuote(const std::string& testo)
{
    predictive::Ruote ruote{};
    if (testo == "tutte" || testo == "TUTTE" || testo == "Tutte") {
        selezionaRuote(ruote, true);
        return ruote;
    }
    std::stringstream in(testo);
    std::string sigla;
    while (std::getline(in, sigla, ',')) {
        if (sigla.empty())
            continue;
        const auto w = archive::RuotaDaCodice(sigla);
        if (!w)
            throw cli::ErroreUso("ruota sconosciuta: '" + storage::estratto(sigla) + "'");
        ruote[static_cast<std::size_t>(*w)] = true;
    }
    return ruote;
}

Criterio leggiCriterio(const std::string& testo)
{
    if (testo == "ritardo")
        return Criterio::Ritardo;
    if (testo == "presenze")
        return Criterio::Presenze;
    if (testo == "frequenza")
        return Criterio::Frequenza;
    throw cli::ErroreUso("criterio sconosciuto: '" + storage::estratto(testo) + "' (ritardo, presenze o frequenza)");
}

int esegui(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream&)
{
    args.soloOpzioni({"--archivio", "--inizio", "--fine", "--ruote", "--criterio", "--livello", "--capogioco"});
    const auto percorso = args.valore("--archivio");
    if (!percorso)
        throw cli::ErroreUso("manca --archivio");

    Ingresso in;
    in.criterio = leggiCriterio(args.valore("--criterio", "ritardo"));
    // Checked as read: narrowing first would let a huge value wrap into the range.
    const long livello = args.intero("--livello").value_or(LivelloIniziale);
    if (livello < LivelloMinimo || livello > LivelloMassimo)
        throw cli::ErroreUso("--livello deve essere fra 3 e 8");
    in.livello = static_cast<int>(livello);
    const long capogioco = args.intero("--capogioco").value_or(0);
    if (capogioco < 0 || capogioco > 90)
        throw cli::ErroreUso("--capogioco deve essere fra 0 e 90");
    in.capogioco = static_cast<int>(capogioco);
    const auto ruote = leggiRuote(args.valore("--ruote", "BA"));
    if (std::none_of(ruote.begin(), ruote.end(), [](bool s) { return s; }))
        throw cli::ErroreUso(NessunaRuota.testo);

    const auto a = cli::caricaArchivio(*percorso);

    SceltaIntervallo run;
    run.apri(massimoScelta(*a));
    if (run.massimo() < 1)
        throw cli::ErroreDati("l'archivio " + *percorso + " non contiene estrazioni");
    const long fine = args.intero("--fine").value_or(run.fine());
    // Without --inizio the run is the last 180 draws up to the end, as the window opens.
    const long inizio = args.intero("--inizio").value_or(std::max<long>(1, fine - predictive::UltimeEstrazioni[0] + 1));
    if (fine < 1 || fine > run.massimo())
        throw cli::ErroreUso("--fine deve essere fra 1 e " + std::to_string(run.massimo()));
    if (inizio < 1 || inizio > fine)
        throw cli::ErroreUso("--inizio deve essere fra 1 e la fine (" + std::to_string(fine) + ")");
    in.inizio = static_cast<int>(inizio);
    in.fine = static_cast<int>(fine);

    PiramidePrevisionale pp;
    if (const auto avviso = pp.CalcolaPiramidePrevisionale(*a, ruote, in))
        throw cli::ErroreUso(avviso->testo);

    out << pp.FG2.comeTesto("\n") << '\n' << pp.Fg1.comeTesto("\n", true);
    return cli::EsitoOk;
}

const cli::Registrazione registrazione({
    "previsionale",
    "piramide previsionale dei ritardi, delle presenze e delle frequenze",
    Uso,
    esegui,
    {},
});

}
