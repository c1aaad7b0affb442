// velmora-cli casi, verifica, calcola: the workbench's cases, formula verification and pyramid evaluation.
#include "cli/Comandi.h"
#include "cli/ImpostazioniCli.h"
#include "cli/PiramideFile.h"
#include "engine/Operatori.h"
#include "engine/Piramide.h"
#include "storage/FileDiTesto.h"
#include "workbench/Casi.h"
#include "workbench/ConfrontoCaso.h"
#include "workbench/Elabora.h"

#include <fstream>
#include <sstream>

namespace {

using namespace workbench;

// An empty field reads as 0 (an unused parameter).
[[nodiscard]] std::optional<int> interoCampo(const std::string& s)
{
    return s.empty() ? std::optional<int>(0) : cli::interoEsatto(s);
}

std::vector<std::string> opzioni(std::initializer_list<std::string> proprie)
{
    std::vector<std::string> o = cli::opzioniBanco();
    o.insert(o.end(), proprie);
    return o;
}

// Loads the archive, reads the settings and derives the cases, as RICAVA ESTRAZIONI.
std::unique_ptr<archive::Archivio> preparaCasi(const cli::Argomenti& args, Banco& b)
{
    auto a = cli::caricaArchivioCli(args);
    cli::leggiImpostazioni(args, *a, b);
    cli::richiediNumeriRilevazione(b);
    if (const auto e = RicavaEstrazioni(b, *a))
        cli::segnalaEsito(*e);
    return a;
}

int eseguiCasi(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream&)
{
    args.soloOpzioni(cli::opzioniBanco());
    Banco b;
    preparaCasi(args, b);
    out << grigliaFgEv(b).comeTesto("\n");
    return cli::EsitoOk;
}

// A wheel field of --formula: an index 0..10 or a code.
int ruotaFormula(const std::string& s)
{
    if (const auto v = interoCampo(s)) {
        if (*v < 0 || *v >= archive::NumeroRuote)
            throw cli::ErroreUso("ruota fuori intervallo nella formula: " + storage::estratto(s));
        return *v;
    }
    if (const auto w = archive::RuotaDaCodice(s))
        return *w;
    throw cli::ErroreUso("ruota sconosciuta nella formula: '" + storage::estratto(s) + "'");
}

engine::Formula leggiFormula(const std::string& testo)
{
    const auto parti = cli::dividi(testo, ',');
    if (parti.size() != 7 || parti[0].empty())
        throw cli::ErroreUso("--formula vuole CODICE,TIPO,P1,R1,P2,R2,VAL (campi vuoti per i parametri non usati)");
    engine::Formula f;
    f.codice = parti[0];
    auto numero = [&](std::size_t i) {
        const auto v = interoCampo(parti[i]);
        if (!v)
            throw cli::ErroreUso("valore non numerico nella formula: '" + storage::estratto(parti[i]) + "'");
        return *v;
    };
    f.tipo = numero(1);
    f.P1 = numero(2);
    f.R1 = ruotaFormula(parti[3]);
    f.P2 = numero(4);
    f.R2 = ruotaFormula(parti[5]);
    f.valore = numero(6);
    if (const auto e = cli::erroreFormula(f.codice, f.tipo, f.P1, f.P2, f.valore, "P1", "P2"))
        throw cli::ErroreUso("formula non valida: " + *e);
    return f;
}

int eseguiVerifica(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream& err)
{
    args.soloOpzioni(opzioni({"--formula", "--slot"}));
    const auto testo = args.valore("--formula");
    if (!testo)
        throw cli::ErroreUso("manca --formula");
    const engine::Formula f = leggiFormula(*testo);
    const long slot = args.intero("--slot").value_or(1);
    if (slot < 1 || slot > 5)
        throw cli::ErroreUso("--slot deve essere fra 1 e 5");
    Banco b;
    const auto a = preparaCasi(args, b);
    // A failed verification leaves a partial report: only the message is printed.
    if (const Esito e = verificaFormulaBanco(b, *a, f, static_cast<int>(slot)))
        cli::segnalaEsito(*e);
    out << grigliaFgL(b).comeTesto("\n");
    err << testoConfrontoVerifica(confrontaVerifica(b, *a, f)) << '\n';
    return cli::EsitoOk;
}

int eseguiCalcola(const cli::Argomenti& args, std::istream&, std::ostream& out, std::ostream&)
{
    args.soloOpzioni(opzioni({"--piramide"}));
    const auto percorso = args.valore("--piramide");
    if (!percorso)
        throw cli::ErroreUso("manca --piramide");
    const auto a = cli::caricaArchivioCli(args);
    Banco b;
    cli::leggiImpostazioni(args, *a, b);
    cli::leggiFilePiramide(*percorso, b.FgF);
    // Each brick stands alone: those evaluated before a failing one keep their numbers, as in the window.
    const Esito e = Calcola(b, *a);
    for (int m = 1; m <= engine::NumeroMattoni; ++m)
        out << m << '\t' << b.Lbl0[static_cast<std::size_t>(m)] << '\n';
    if (e)
        cli::segnalaEsito(*e);
    return cli::EsitoOk;
}

const std::string UsoCasi = std::string("Uso: velmora-cli casi --archivio FILE.db [impostazioni]\n\n"
                                        "RICAVA ESTRAZIONI: stampa la tabella dei casi (FgEv), intestazione per prima,\n"
                                        "celle separate da tabulazioni.\n\n") +
                            cli::AiutoBanco;

const std::string UsoVerifica =
    std::string("Uso: velmora-cli verifica --archivio FILE.db [impostazioni] --formula CODICE,TIPO,P1,R1,P2,R2,VAL\n"
                "                          [--slot 1..5]\n\n"
                "Ricava i casi, verifica la formula nella colonna indicata (predefinita: 1) e stampa\n"
                "il resoconto (FgL). Campi vuoti per i parametri non usati; R1 e R2 sono indici 0..10\n"
                "o sigle di ruota. Su standard error, l'ultima riga confronta i casi coperti con quelli\n"
                "che il caso da solo coprirebbe ('attesi a caso') e la probabilita' di coprirne almeno\n"
                "altrettanti per puro caso ('p'). Un caso conta una volta anche se esce su piu' ruote;\n"
                "se alcuni casi non hanno colpi prima del riferimento, la riga dice quanti sono verificabili\n"
                "('43 su 49 verificabili (50 casi)').\n\n") +
    cli::AiutoBanco;

const std::string UsoCalcola =
    std::string("Uso: velmora-cli calcola --archivio FILE.db [impostazioni] --piramide FILE\n\n"
                "Calcola i quindici mattoni sull'estrazione di riferimento e stampa 'mattone<TAB>risultato'.\n"
                "FILE: un mattone per riga, RIGA<TAB>TRAS<TAB>TIPO<TAB>E1<TAB>R1<TAB>E2<TAB>R2<TAB>VAL\n"
                "(R1 e R2 indici 0..10 o sigle di ruota; il tipo 4 e lo scarto del tipo 5 vengono da --valore).\n\n") +
    cli::AiutoBanco;

const cli::Registrazione registraCasi(
    {"casi", "ricava i casi del banco della piramide (FgEv)", UsoCasi, eseguiCasi, cli::flagBanco()});
const cli::Registrazione registraVerifica(
    {"verifica", "verifica una formula sui casi (FgL)", UsoVerifica, eseguiVerifica, cli::flagBanco()});
const cli::Registrazione registraCalcola(
    {"calcola", "calcola i mattoni di una piramide sull'estrazione di riferimento", UsoCalcola, eseguiCalcola,
     cli::flagBanco()});

}
