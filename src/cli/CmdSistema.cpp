// velmora-cli sistema: an integral or reduced system of the numbers given, one ticket a line, its guarantee checked on every m-subset.
#include "cli/Comandi.h"
#include "plays/Giocata.h"
#include "storage/FileDiTesto.h"
#include "systems/GrigliaSistemi.h"

#include <ostream>

namespace cli {

namespace {

int interoTra(const Argomenti& args, const std::string& opzione, int minimo, int massimo, int predefinito)
{
    const auto v = args.intero(opzione);
    if (!v)
        return predefinito;
    if (*v < minimo || *v > massimo)
        throw ErroreUso(opzione + " va da " + std::to_string(minimo) + " a " + std::to_string(massimo));
    return static_cast<int>(*v);
}

systems::Poste leggiPoste(const std::string& testo, int k)
{
    const auto parti = dividi(testo, '/');
    if (parti.size() != plays::NumeroSorti)
        throw ErroreUso("--poste: servono 5 poste separate da \"/\" (estratto/ambo/terno/quaterna/cinquina)");
    systems::Poste p{};
    for (std::size_t s = 0; s < parti.size(); ++s) {
        const auto e = plays::leggiEuro(parti[s]);
        if (!e)
            throw ErroreUso("--poste: posta non valida \"" + storage::estratto(parti[s]) + "\"");
        p[s] = *e;
    }
    return systems::posteGiocabili(p, k);
}

const Registrazione sistema({
    "sistema",
    "sistema integrale o ridotto con garanzia verificata su ogni combinazione, rendimento e costo",
    "Uso: velmora-cli sistema --numeri 05-12-33-... --classe K [--garanzia T --se M] [--integrale]\n"
    "                         [--tempo S] [--seme N] [--rendimento] [--poste E/A/T/Q/C]\n"
    "Scrive un biglietto di K numeri per riga. Sistema ridotto (il predefinito): se M dei numeri escono\n"
    "su una ruota, almeno un biglietto ne contiene T (2 <= T <= M <= 5, T <= K <= 10). Si usano le\n"
    "costruzioni note che raggiungono l'ottimo (piani proiettivi e affini, sistemi di Steiner), altrimenti\n"
    "una costruzione golosa migliorata per ricottura simulata entro S secondi (3 se non indicato), con il\n"
    "seme N (1 se non indicato): lo stesso seme fa le stesse mosse. --integrale: tutte le combinazioni\n"
    "di K numeri in ordine lessicografico (al massimo 1.000.000), scritte man mano.\n"
    "Ogni sistema e' verificato su tutte le combinazioni di M numeri prima di essere scritto; uno che\n"
    "non supera il controllo non viene scritto (codice 1).\n"
    "Sullo standard error, alla fine: il numero di biglietti con il limite inferiore (Schonheim per\n"
    "M = T, altrimenti il limite di conteggio) e il rapporto, la garanzia verificata, il costo di una\n"
    "estrazione su una ruota con le poste (1 euro per sorte se --poste manca) e il ritorno atteso.\n"
    "--rendimento: dopo i biglietti, una riga vuota e la tabella (TSV): per ogni quantita' di numeri\n"
    "usciti, i biglietti vincenti minimo - massimo per sorte e il premio netto minimo e massimo.\n"
    "Un sistema ridotto cambia la spesa e la dispersione degli esiti, non la resa media per euro.\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream& err) {
        args.soloOpzioni({"--numeri", "--classe", "--garanzia", "--se", "--integrale", "--tempo", "--seme", "--rendimento", "--poste"});
        const auto testoNumeri = args.valore("--numeri");
        if (!testoNumeri)
            throw ErroreUso("indicare i numeri con --numeri");
        std::string motivo;
        const auto numeri = plays::leggiNumeri(*testoNumeri, motivo, systems::MassimoNumeri);
        if (!numeri)
            throw ErroreUso("--numeri: " + motivo);
        if (!args.ha("--classe"))
            throw ErroreUso("indicare la classe con --classe");
        const int k = interoTra(args, "--classe", 1, 10, 0);
        const bool integrale = args.ha("--integrale");
        if (!integrale && (!args.ha("--garanzia") || !args.ha("--se")))
            throw ErroreUso("indicare la garanzia con --garanzia e --se (oppure --integrale)");
        const int t = interoTra(args, "--garanzia", 1, 5, 0);
        const int m = interoTra(args, "--se", 1, 5, t);
        const auto tempo = args.valore("--tempo");
        systems::OpzioniRicerca opzioni;
        if (tempo) {
            try {
                std::size_t letti = 0;
                opzioni.secondi = std::stod(*tempo, &letti);
                if (letti != tempo->size() || !(opzioni.secondi >= 0 && opzioni.secondi <= 3600))
                    throw ErroreUso("");
            } catch (...) {
                throw ErroreUso("--tempo: secondi da 0 a 3600");
            }
        }
        opzioni.seme = static_cast<std::uint64_t>(args.intero("--seme").value_or(1));
        const systems::Poste poste = args.ha("--poste") ? leggiPoste(*args.valore("--poste"), k) : systems::unEuroPerSorte(k);

        systems::SistemaVerificato r;
        try {
            r = systems::calcolaSistema(*numeri, k, m == 0 ? t : m, t, integrale, opzioni);
        } catch (const std::invalid_argument& e) {
            throw ErroreUso(e.what());
        }
        if (!r.verifica.valida)
            throw ErroreDati(systems::testoVerifica(r.verifica, r.sistema.garanzia) + ": nessun biglietto scritto");
        // Written as it goes: an integral system is never held whole.
        const std::int64_t n = r.sistema.biglietti();
        for (std::int64_t i = 0; i < n; ++i)
            out << plays::testoNumeri(r.sistema.biglietto(i)) << '\n';
        if (args.ha("--rendimento")) {
            grid::Grid tabella;
            systems::scriviRendimento(tabella, systems::rendimento(r.sistema, poste, plays::Tariffe{}));
            out << '\n' << tabella.comeTesto("\n");
        }
        const systems::Costo costo = systems::costoSistema(n, k, poste, 1, 1, plays::Tariffe{});
        err << systems::testoDimensione(r) << "\n"
            << systems::testoVerifica(r.verifica, r.sistema.garanzia) << "\n"
            << systems::testoCosto(costo, poste, k, 1, 1) << "\n";
        return EsitoOk;
    },
    {"--integrale", "--rendimento"},
});

}

}
