// Reading the workbench settings from command-line options.
#include "cli/ImpostazioniCli.h"

#include "statistics/Statistiche.h"
#include "storage/FileDiTesto.h"
#include "storage/ProgramDb.h"
#include "workbench/Trasferimenti.h"


#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

namespace cli {

const std::vector<std::string>& opzioniBanco()
{
    static const std::vector<std::string> o = {"--archivio", "--rif",    "--ruota",  "--ruote",    "--posizioni",
                                               "--rilevazione", "--numeri", "--qn",  "--ncasi",    "--mensile",
                                               "--forza-ultima", "--colpi", "--lista", "--livello", "--valore"};
    return o;
}

const std::vector<std::string>& flagBanco()
{
    static const std::vector<std::string> f = {"--forza-ultima"};
    return f;
}

const char* const AiutoBanco =
    "Impostazioni del banco (come nella finestra della piramide):\n"
    "  --archivio FILE.db     archivio delle estrazioni (obbligatorio)\n"
    "  --rif D                estrazione di riferimento, n. indice (predefinita: l'ultima)\n"
    "  --ruota BA             ruota base della rilevazione (predefinita: BA)\n"
    "  --ruote BA,CA,...      ruote in gioco, o 'tutte' (predefinita: BA)\n"
    "  --posizioni 1,2,3      posizioni della rilevazione (predefinite: 1,2,3,4,5)\n"
    "  --rilevazione T        Mensile, Numeri, Distanza, Differenza, Somma, Decina, Figura\n"
    "                         o Cadenza (predefinita: Mensile)\n"
    "  --numeri 05-12-33      numeri della rilevazione\n"
    "  --qn N                 riscontri richiesti per un caso, 1..5 (predefinito: 1)\n"
    "  --ncasi K              numero di casi, 1..50 (predefinito: 12)\n"
    "  --mensile U|1..31      estrazione del mese: U = ultima (predefinita: quella del riferimento)\n"
    "  --forza-ultima         con U, l'ultima estrazione dell'archivio puo' essere un caso\n"
    "  --colpi C              colpi di verifica, 1..20 (predefiniti: 8)\n"
    "  --lista L              righe dei risultati delle ricerche, 100..1000 (predefinite: 100)\n"
    "  --livello S            sorte della verifica di livello, 1..5 (predefinita: 1)\n"
    "  --valore V             valore scelto nella lista dei valori, 0..90 (predefinito: 0)\n"
    "RM e RN sono accettati per Roma e Nazionale.\n";

std::string aiutoBancoSenza(const std::string& opzione)
{
    std::string testo = AiutoBanco;
    const auto inizio = testo.find("\n  " + opzione + " ");
    if (inizio != std::string::npos)
        testo.erase(inizio + 1, testo.find('\n', inizio + 1) - inizio);
    return testo;
}

std::unique_ptr<archive::Archivio> caricaArchivioCli(const Argomenti& args)
{
    const auto percorso = args.valore("--archivio");
    if (!percorso)
        throw ErroreUso("manca --archivio");
    auto a = caricaArchivio(*percorso);
    if (a->NumeroEstrazioni < 1)
        throw ErroreDati("l'archivio " + *percorso + " non contiene estrazioni");
    return a;
}

namespace {

std::vector<std::string> elenco(const std::string& testo)
{
    std::vector<std::string> parti;
    std::stringstream in(testo);
    std::string p;
    while (std::getline(in, p, ','))
        if (!p.empty())
            parti.push_back(p);
    return parti;
}

// TxtNumeri is read two characters every three: "5-12" would be taken for 2 alone.
// The numbers are rewritten as the window writes them (two digits joined by "-").
std::string numeriBanco(const std::string& testo)
{
    std::string esito;
    std::stringstream in(testo);
    for (std::string parte; std::getline(in, parte, '-');) {
        const bool cifre = !parte.empty() && parte.size() <= 2 &&
                           std::all_of(parte.begin(), parte.end(), [](unsigned char c) { return std::isdigit(c); });
        const int n = cifre ? std::stoi(parte) : 0;
        if (n < 1 || n > 90)
            throw ErroreUso("--numeri vuole numeri da 1 a 90 separati da '-' (es. 05-12-33): '" + storage::estratto(testo) + "'");
        if (!esito.empty())
            esito += '-';
        esito += static_cast<char>('0' + n / 10);
        esito += static_cast<char>('0' + n % 10);
    }
    if (!testo.empty() && testo.back() == '-')
        throw ErroreUso("--numeri vuole numeri da 1 a 90 separati da '-' (es. 05-12-33): '" + storage::estratto(testo) + "'");
    return esito;
}

}

int interoIn(const Argomenti& args, const std::string& opzione, int predefinito, int minimo, int massimo)
{
    const long v = args.intero(opzione).value_or(predefinito);
    if (v < minimo || v > massimo)
        throw ErroreUso(opzione + " deve essere fra " + std::to_string(minimo) + " e " + std::to_string(massimo));
    return static_cast<int>(v);
}

std::optional<int> dataDaOpzione(const Argomenti& args, const std::string& opzione)
{
    const auto testo = args.valore(opzione);
    if (!testo)
        return std::nullopt;
    const auto k = statistics::chiaveData(*testo);
    if (!k)
        throw ErroreUso("data non valida per " + opzione + ": " + storage::estratto(*testo) + " (GG/MM/AAAA)");
    return k;
}

std::array<bool, archive::NumeroRuote> ruoteDaOpzione(const std::string& testo)
{
    std::array<bool, archive::NumeroRuote> scelte{};
    if (testo == "tutte" || testo == "TUTTE" || testo == "Tutte") {
        scelte.fill(true);
        return scelte;
    }
    for (const auto& s : elenco(testo)) {
        const auto w = archive::RuotaDaCodice(s);
        if (!w)
            throw ErroreUso("ruota sconosciuta: '" + storage::estratto(s) + "'");
        scelte[static_cast<std::size_t>(*w)] = true;
    }
    return scelte;
}

void leggiImpostazioni(const Argomenti& args, const archive::Archivio& a, workbench::Banco& b)
{
    workbench::apriBanco(b, a);
    const int rif = interoIn(args, "--rif", a.NumeroEstrazioni, 1, a.NumeroEstrazioni);
    workbench::impostaRiferimento(b, a, rif);
    workbench::impostaMensileDaRiferimento(b, a);

    if (const auto r = args.valore("--ruota")) {
        const auto w = archive::RuotaDaCodice(*r);
        if (!w)
            throw ErroreUso("ruota sconosciuta: '" + storage::estratto(*r) + "'");
        b.ruotaBase = *w;
    }

    if (const auto r = args.valore("--ruote")) {
        const auto scelte = ruoteDaOpzione(*r);
        for (int w = 0; w < archive::NumeroRuote; ++w)
            workbench::setRuotaInGioco(b, w, scelte[static_cast<std::size_t>(w)]);
    }

    if (const auto p = args.valore("--posizioni")) {
        b.posizioni.fill(false);
        for (const auto& s : elenco(*p)) {
            if (s.size() != 1 || s[0] < '1' || s[0] > '5')
                throw ErroreUso("posizione non valida: '" + storage::estratto(s) + "' (1..5)");
            b.posizioni[static_cast<std::size_t>(s[0] - '1')] = true;
        }
    }

    if (const auto t = args.valore("--rilevazione")) {
        const auto& nomi = workbench::NomiRilevazione;
        const auto it = std::find_if(nomi.begin(), nomi.end(), [&](std::string_view n) {
            return n.size() == t->size() && std::equal(n.begin(), n.end(), t->begin(), [](char x, char y) {
                       return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
                   });
        });
        if (it == nomi.end())
            throw ErroreUso("rilevazione sconosciuta: '" + storage::estratto(*t) +
                            "' (Mensile, Numeri, Distanza, Differenza, Somma, Decina, Figura, Cadenza)");
        b.rilevazione = static_cast<workbench::Rilevazione>(it - nomi.begin());
    }

    if (const auto n = args.valore("--numeri"))
        b.numeri = numeriBanco(*n);
    b.qn = interoIn(args, "--qn", 1, 1, 5);
    b.numeroCasi = interoIn(args, "--ncasi", 12, 1, 50);
    if (const auto m = args.valore("--mensile")) {
        if (*m == "U" || *m == "u")
            b.mensile = 0;
        else
            b.mensile = interoIn(args, "--mensile", 0, 1, 31);
    }
    b.forzaUltima = args.ha("--forza-ultima");
    b.colpi = interoIn(args, "--colpi", 8, 1, 20);
    b.lista = interoIn(args, "--lista", 100, 100, 1000);
    if (b.lista % 50 != 0)
        throw ErroreUso("--lista deve essere un multiplo di 50 fra 100 e 1000");
    b.livello = interoIn(args, "--livello", 1, 1, 5);
    b.valoreLista = interoIn(args, "--valore", 0, 0, 90);
}

void richiediNumeriRilevazione(const workbench::Banco& b)
{
    if (b.rilevazione == workbench::Rilevazione::Mensile || !b.numeri.empty())
        return;
    const auto nome = workbench::NomiRilevazione[static_cast<std::size_t>(b.rilevazione)];
    throw ErroreUso("la rilevazione " + std::string(nome) + " confronta le estrazioni con dei numeri: "
                    "indicarli con --numeri (es. 05-12-33)");
}

void segnalaEsito(const workbench::Messaggio& m) { throw ErroreDati(m.titolo + ": " + m.testo); }

// The catalogue as the window lists it (by code), with the operators --operatori chooses.
void scegliOperatori(const Argomenti& args, workbench::Banco& b)
{
    const auto scelta = args.valore("--operatori");
    if (!scelta || scelta->empty())
        throw ErroreUso("manca --operatori (codici separati da virgole, o 'tutti')");
    auto catalogo = storage::CatalogoPredefinito();
    std::sort(catalogo.begin(), catalogo.end(), [](const auto& x, const auto& y) { return x.operatore < y.operatore; });
    std::set<std::string> codici;
    const bool tutti = *scelta == "tutti";
    if (!tutti)
        for (const auto& c : dividi(*scelta, ',')) {
            const bool noto = std::any_of(catalogo.begin(), catalogo.end(), [&](const auto& r) { return r.operatore == c; });
            if (!noto)
                throw ErroreUso("operatore sconosciuto: '" + storage::estratto(c) + "'");
            codici.insert(c);
        }
    workbench::elencaOperatori(b, catalogo);
    if (tutti)
        workbench::selezionaOperatori(b, true);
    else
        b.operatoriScelti = std::move(codici);
}

// --casi-scoperti FILE: the case numbers (FgEv column "Prog") already covered, one a
// line; they are marked as MARCA does and skipped by the search.
void marcaCasiScoperti(const Argomenti& args, workbench::Banco& b)
{
    const auto percorso = args.valore("--casi-scoperti");
    if (!percorso)
        return;
    std::istringstream in(storage::leggiFileDiTesto(*percorso, "il file dei casi scoperti"));
    b.casiScoperti = true;
    std::string riga;
    for (int numero = 1; std::getline(in, riga); ++numero) {
        if (!riga.empty() && riga.back() == '\r')
            riga.pop_back();
        riga.erase(0, riga.find_first_not_of(" \t"));
        riga.erase(riga.find_last_not_of(" \t") + 1);
        if (riga.empty())
            continue;
        const auto caso = interoEsatto(riga);
        if (!caso || *caso < 1 || *caso > workbench::numeroCasi(b))
            throw ErroreDati(*percorso + ", riga " + std::to_string(numero) + ": caso inesistente '" + storage::estratto(riga) + "'");
        workbench::setCasoCoperto(b, static_cast<int>(*caso), true);
    }
}

}
