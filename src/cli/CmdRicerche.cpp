// velmora-cli ambate, abbinamenti: the workbench's formula searches on the cases.
#include "cli/Comandi.h"
#include "cli/ImpostazioniCli.h"
#include "cli/PiramideFile.h"
#include "storage/FileDiTesto.h"
#include "storage/ProgramDb.h"
#include "workbench/Abbinamenti.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "workbench/ConfrontoCaso.h"
#include "workbench/Convalida.h"
#include "workbench/Elabora.h"
#include "workbench/NoteRicerca.h"
#include "workbench/Trasferimenti.h"

#include <algorithm>
#include <sstream>
#include <set>

namespace {

using namespace workbench;


std::vector<std::string> opzioni(std::initializer_list<std::string> proprie)
{
    std::vector<std::string> o = cli::opzioniBanco();
    o.insert(o.end(), proprie);
    return o;
}

// --confronto-caso N [--seme S]: after the search, the same search on N sets of random
// cases; its summary is the last line on standard error, so the table keeps its shape.
void confrontoCasuale(const cli::Argomenti& args, const Banco& b, const archive::Archivio& a, TipoRicerca tipo,
                      std::ostream& err)
{
    const long prove = args.intero("--confronto-caso").value_or(0);
    if (prove < 0 || prove > 1000)
        throw cli::ErroreUso("--confronto-caso deve essere fra 0 e 1000");
    const long seme = args.intero("--seme").value_or(1);
    if (prove == 0)
        return;
    const auto& righe = righeRisultati(b, tipo);
    const int copReale = righe.empty() ? 0 : righe.front().cop;
    const auto c = miglioreACaso(leggiImpostazioniRicerca(b, tipo), a, copReale, static_cast<int>(prove),
                                 static_cast<std::uint64_t>(seme));
    err << testoMiglioreACaso(c) << '\n';
}

// Loads the archive, reads the settings and derives the cases as RICAVA ESTRAZIONI.
std::unique_ptr<archive::Archivio> preparaBanco(const cli::Argomenti& args, Banco& b)
{
    auto a = cli::caricaArchivioCli(args);
    cli::leggiImpostazioni(args, *a, b);
    cli::scegliOperatori(args, b);
    cli::richiediNumeriRilevazione(b);
    if (const auto e = RicavaEstrazioni(b, *a))
        cli::segnalaEsito(*e);
    cli::marcaCasiScoperti(args, b);
    return a;
}

// The search of both commands: refused, with its reason, when no case can be verified;
// otherwise the grid on standard output and the lines in words on standard error.
void cercaEScrivi(Banco& b, const archive::Archivio& a, TipoRicerca tipo, std::ostream& out, std::ostream& err)
{
    const auto imp = leggiImpostazioniRicerca(b, tipo);
    if (const std::string motivo = motivoNessunCaso(imp, a); !motivo.empty())
        throw cli::ErroreDati(motivo);
    const std::string inizio = orarioList1();
    const RisultatoRicerca risultato = cercaFormule(imp, a);
    const EsitoRicerca e = scriviRicerca(b, imp, risultato, inizio);
    if (e.messaggio)
        cli::segnalaEsito(*e.messaggio);
    out << grigliaRisultati(b, tipo).comeTesto("\n");
    for (const auto& nota : noteRicerca(imp, risultato, a))
        err << nota << '\n';
}

int eseguiAmbate(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream& err)
{
    args.soloOpzioni(opzioni({"--operatori", "--casi-scoperti", "--confronto-caso", "--seme"}));
    Banco b;
    const auto a = preparaBanco(args, b);
    cercaEScrivi(b, *a, TipoRicerca::Ambate, out, err);
    confrontoCasuale(args, b, *a, TipoRicerca::Ambate, err);
    return cli::EsitoOk;
}

int eseguiAbbinamenti(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream& err)
{
    args.soloOpzioni(opzioni({"--operatori", "--casi-scoperti", "--piramide", "--sorte", "--confronto-caso", "--seme"}));
    const auto piramide = args.valore("--piramide");
    if (!piramide)
        throw cli::ErroreUso("manca --piramide");
    const auto livello = args.intero("--livello");
    if (!livello || *livello < 1 || *livello > 5)
        throw cli::ErroreUso("--livello deve essere fra 1 e 5");
    const long sorte = args.intero("--sorte").value_or(0);
    const auto tipo = sorte == SorteAmbo || sorte == SorteTerno ? ricercaDellaSorte(static_cast<int>(sorte)) : std::nullopt;
    if (!tipo)
        throw cli::ErroreUso("--sorte deve essere 2 o 3");
    Banco b;
    const auto a = preparaBanco(args, b);
    cli::leggiFilePiramide(*piramide, b.FgF);
    // The level's bricks on the cases fill FgX; the pair search joins its candidates to them.
    if (const Esito e = verificaLivello(b, *a, static_cast<int>(*livello)))
        cli::segnalaEsito(*e);
    cercaEScrivi(b, *a, *tipo, out, err);
    confrontoCasuale(args, b, *a, *tipo, err);
    return cli::EsitoOk;
}

// convalida: the ambate search replayed at every reference of a range, each chosen
// formula's ambata followed in the next colpi, the totals against chance on stderr.
int eseguiConvalida(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> ammesse;
    for (const auto& o : cli::opzioniBanco())
        if (o != "--rif" && o != "--livello" && o != "--valore")
            ammesse.push_back(o);
    ammesse.insert(ammesse.end(), {"--operatori", "--dal-rif", "--al-rif"});
    args.soloOpzioni(ammesse);
    const auto a = cli::caricaArchivioCli(args);
    const int al = static_cast<int>(args.intero("--al-rif").value_or(a->NumeroEstrazioni));
    const int dal = static_cast<int>(args.intero("--dal-rif").value_or(std::max(1, al - 199)));
    if (const std::string motivo = controllaIntervallo(dal, al, *a); !motivo.empty())
        throw cli::ErroreUso("--dal-rif/--al-rif: " + motivo);
    Banco b;
    cli::leggiImpostazioni(args, *a, b);
    cli::scegliOperatori(args, b);
    cli::richiediNumeriRilevazione(b);
    const ImpostazioniConvalida imp = impostazioniConvalida(b, dal, al, !args.ha("--mensile"));
    // The settings refused once, as ambate would refuse them, before the replay.
    Banco prova;
    if (const auto e = bancoDelRiferimento(imp, *a, imp.al, prova))
        cli::segnalaEsito(*e);
    const RisultatoConvalida r = convalida(imp, *a);
    // Not one reference gave an ambata: its reason, and no table of empty rows.
    if (std::none_of(r.righe.begin(), r.righe.end(), [](const RigaConvalida& x) { return x.giocata(); }))
        throw cli::ErroreDati(verdettoConvalida(r));
    grid::Grid g;
    scriviConvalida(g, r, *a);
    out << g.comeTesto("\n");
    err << verdettoConvalida(r) << '\n';
    err << testoTotaliConvalida(r.totali) << '\n';
    return cli::EsitoOk;
}

const std::string AiutoOperatori =
    "  --operatori SOM,DIFF,...|tutti   operatori del catalogo da provare (obbligatorio)\n"
    "  --casi-scoperti FILE             numeri dei casi gia' coperti, uno per riga: la ricerca li salta\n"
    "  --confronto-caso N               ripete la ricerca su N gruppi di casi scelti a caso (0: no, predefinito)\n"
    "                                   e scrive come ultima riga di standard error il migliore a caso;\n"
    "                                   ogni caso a caso ha i colpi del caso vero della stessa riga\n"
    "  --seme S                         seme delle scelte a caso (predefinito 1: stesso seme, stesso esito)\n\n"
    "Le colonne Attesi e p, dopo Val: i casi che il caso da solo coprirebbe e la probabilita' di coprirne\n"
    "per puro caso almeno quanti ne copre la formula. L'ultima colonna (Ambata per ambate, Abbinato per\n"
    "abbinamenti) e' il numero da giocare: la formula calcolata sull'estrazione di riferimento, vuota\n"
    "quando non si puo' calcolare (anche quando legge una ruota non estratta nel riferimento).\n"
    "Le righe sono ordinate per Cop, a pari Cop per Tot, a pari merito nell'ordine del catalogo.\n"
    "Su standard error, in parole: le formule a pari merito in testa e le ambate diverse che giocano,\n"
    "le impostazioni che non distinguono le formule, le ruote non estratte nei casi o nel riferimento\n"
    "(una formula che le legge non si calcola su quell'estrazione). Senza casi verificabili il comando\n"
    "non stampa la tabella e spiega perche' (uscita 1).\n\n";

const std::string UsoAmbate =
    std::string("Uso: velmora-cli ambate --archivio FILE.db [impostazioni] --operatori SOM,DIFF,...|tutti\n"
                "                        [--casi-scoperti FILE]\n\n"
                "AMBATE: ricava i casi, prova ogni formula degli operatori scelti e stampa le migliori\n"
                "(FgEsiti, tutte le L righe, intestazione per prima, celle separate da tabulazioni).\n\n") +
    AiutoOperatori + cli::AiutoBanco;

const std::string UsoAbbinamenti =
    std::string("Uso: velmora-cli abbinamenti --archivio FILE.db [impostazioni] --piramide FILE --livello K\n"
                "                             --sorte 2|3 --operatori SOM,DIFF,...|tutti [--casi-scoperti FILE]\n\n"
                "ABBINAMENTI: ricava i casi, verifica il livello K della piramide (FgX) e cerca la formula\n"
                "che insieme ai numeri del livello fa ambo (2) o terno (3); stampa FgGr.\n"
                "FILE: un mattone per riga, RIGA<TAB>TRAS<TAB>TIPO<TAB>E1<TAB>R1<TAB>E2<TAB>R2<TAB>VAL\n"
                "(R1 e R2 indici 0..10 o sigle di ruota).\n"
                "  --livello K                      livello della piramide da verificare, 1..5 (obbligatorio)\n\n") +
    AiutoOperatori + cli::aiutoBancoSenza("--livello");

const std::string UsoConvalida =
    std::string("Uso: velmora-cli convalida --archivio FILE.db [impostazioni] --operatori SOM,DIFF,...|tutti\n"
                "                           [--dal-rif R1] [--al-rif R2]\n\n"
                "CONVALIDA: per ogni estrazione di riferimento da R1 a R2 ricava i casi e cerca le ambate come\n"
                "'ambate --rif R'; la prima formula e' la scelta, la sua ambata (la formula sull'estrazione R)\n"
                "si segue nei C colpi dopo R sulle ruote in gioco. Stampa una riga per riferimento:\n"
                "Rif, Data, Cop, Formula, P1, Ru1, P2, Ru2, Val, Ambata, Colpo (1..C, 0 se non uscita, 'in corso'\n"
                "se i colpi non sono ancora tutti estratti), Prob (la probabilita' che un numero qualsiasi esca\n"
                "negli stessi colpi e ruote), Pari merito (le formule con gli stessi Cop e Tot della scelta e le\n"
                "ambate diverse che giocano). Standard error da' il verdetto in parole e, come ultima riga, i\n"
                "totali sui riferimenti con tutti i C colpi nell'archivio (quelli piu' recenti restano fuori anche\n"
                "se l'ambata e' gia' uscita: contarli solo quando escono gonfierebbe le uscite), contro il caso\n"
                "(p: probabilita' di almeno altrettante uscite per puro caso), la copertura media nei casi delle\n"
                "formule scelte e i riferimenti scelti fra pari merito con ambate diverse. Se nessun riferimento\n"
                "da' un'ambata il comando non stampa la tabella e spiega perche' (uscita 1).\n"
                "Senza --mensile ogni riferimento prende la propria estrazione del mese.\n"
                "  --operatori SOM,DIFF,...|tutti   operatori del catalogo da provare (obbligatorio)\n"
                "  --dal-rif R1                     primo riferimento, n. indice (predefinito: R2 - 199)\n"
                "  --al-rif R2                      ultimo riferimento, n. indice (predefinito: l'ultima estrazione)\n\n") +
    [] {
        // The reference is each of the range; the level and the value serve the verification only.
        std::string testo = cli::AiutoBanco;
        for (const char* o : {"--rif", "--livello", "--valore"}) {
            const auto inizio = testo.find(std::string("\n  ") + o + " ");
            if (inizio != std::string::npos)
                testo.erase(inizio + 1, testo.find('\n', inizio + 1) - inizio);
        }
        return testo;
    }();

const cli::Registrazione registraAmbate(
    {"ambate", "cerca le formule che danno l'ambata sui casi (FgEsiti)", UsoAmbate, eseguiAmbate, cli::flagBanco()});
const cli::Registrazione registraAbbinamenti({"abbinamenti",
                                              "cerca la formula da abbinare ai numeri di un livello (FgGr)",
                                              UsoAbbinamenti, eseguiAbbinamenti, cli::flagBanco()});

const cli::Registrazione registraConvalida({"convalida",
                                            "ripete la ricerca delle ambate a ogni riferimento passato e la confronta col caso",
                                            UsoConvalida, eseguiConvalida, cli::flagBanco()});

}
