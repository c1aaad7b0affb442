// velmora-cli giocate: a file of plays checked against every draw of an archive, with prizes and expected return.
#include "cli/Comandi.h"
#include "plays/ArchivioGiocate.h"
#include "plays/FileGiocate.h"
#include "plays/GrigliaGiocate.h"
#include "storage/FileDiTesto.h"
#include "storage/ProgramDb.h"

#include <ostream>

namespace cli {

namespace {

// The payouts of a program database, or the law's when none is named; a row of it that cannot
// be used is said on standard error with the value taken instead.
plays::Tariffe tariffe(const Argomenti& args, std::ostream& err)
{
    const auto programma = args.valore("--programma");
    if (!programma)
        return {};
    std::vector<std::string> illeggibili;
    plays::Tariffe t;
    try {
        storage::Database db(*programma, storage::PasswordDatabase());
        t = plays::leggiTariffe(db, &illeggibili);
    } catch (const storage::ErroreDatabase& e) {
        throw ErroreDati("impossibile leggere il database del programma \"" + *programma + "\": " + e.what());
    }
    for (const auto& riga : illeggibili)
        err << "velmora-cli giocate: " << riga << " (database \"" << *programma << "\")\n";
    return t;
}

const Registrazione giocate({
    "giocate",
    "verifica un file di giocate su tutte le estrazioni: vincite, spesa, saldo e resa attesa",
    "Uso: velmora-cli giocate --archivio ARCHIVIO.db GIOCATE.txt [--programma DbPiramide.db]\n"
    "Ogni riga di GIOCATE.txt e' una giocata: NUMERI;RUOTE;POSTE;DAL;COLPI[;F], per esempio\n"
    "  12-45-78;BA,NA;0,50/1/0/0/0;22/08/2026;8\n"
    "NUMERI: da 1 a 10 numeri diversi da 1 a 90 separati da \"-\"; RUOTE: le sigle separate da \",\"\n"
    "(BA .. VE, RO o RM, NZ o RN) oppure TT per le dieci ruote regionali; POSTE: gli euro puntati su\n"
    "estratto/ambo/terno/quaterna/cinquina (0 per una sorte non giocata); DAL: il giorno della prima\n"
    "estrazione giocata (GG/MM/AAAA; se quel giorno non c'e' estrazione, la prima successiva); COLPI:\n"
    "le estrazioni giocate; F finale: la giocata termina alla prima estrazione vincente. Le righe vuote\n"
    "e quelle che iniziano con # sono saltate.\n"
    "Stampa una riga per vincita (TSV con intestazione): Giocata (il numero della riga), Data, Colpo,\n"
    "Ruota, Sorte, Punti, Lordo, Netto (euro). Il premio lordo di una sorte su una ruota e'\n"
    "posta x paga x C(punti, sorte) / C(numeri, sorte) / ruote giocate; il netto toglie la ritenuta.\n"
    "Sullo standard error, per ogni giocata: colpi giocati, spesa, vinto (netto), saldo e la resa\n"
    "attesa, cioe' quanto il caso da solo restituisce in media per euro giocato.\n"
    "Paghe e ritenuta sono quelle di legge (" + regole::testoPaghe(regole::PremiLotto) + "; "
        + regole::testoCentesimi(regole::PremiLotto.ritenuta, ',') + "%), o quelle del\n"
    "database del programma indicato con --programma. Una riga errata e' rifiutata (codice 1)\n"
    "indicando la riga e il campo, e nulla viene stampato.\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream& err) {
        args.soloOpzioni({"--archivio", "--programma"});
        const auto& p = args.posizionali();
        const auto archivio = args.valore("--archivio");
        if (!archivio)
            throw ErroreUso("indicare l'archivio con --archivio");
        if (p.size() != 1)
            throw ErroreUso("indicare il file delle giocate");
        std::vector<plays::GiocataDelFile> elenco;
        try {
            elenco = plays::leggiFileGiocate(storage::leggiFileDiTesto(p[0], "il file delle giocate"));
        } catch (const plays::ErroreFileGiocate& e) {
            throw ErroreDati("il file delle giocate \"" + p[0] + "\", " + e.what() + ": nulla è stato verificato");
        }
        const plays::Tariffe t = tariffe(args, err);
        const auto a = caricaArchivio(*archivio);
        grid::Grid intestazione;
        plays::preparaVincite(intestazione);
        out << intestazione.comeTesto("\n");
        // Each win is printed as it is found: a play may win a hundred thousand times, and the
        // memory taken must not grow with the plays of the file. The summaries, one short line a
        // play, follow the table as they always have.
        std::string righe;
        for (const auto& [riga, g] : elenco) {
            const auto esito = plays::verificaGiocata(g, *a, t, [&out, numero = riga](const plays::Vincita& v) {
                const auto celle = plays::celleVincita(numero, v);
                for (std::size_t c = 0; c < celle.size(); ++c)
                    out << (c ? "\t" : "") << celle[c];
                out << '\n';
            });
            try {
                righe += plays::riepilogo(riga, g, esito) + "\n";
            } catch (const plays::ImportoFuoriScala& e) {
                err << righe;
                throw ErroreDati("la giocata della riga " + std::to_string(riga) + " del file \"" + p[0] + "\" vince un "
                                 + e.what() + ": le paghe o le poste sono troppo alte");
            }
            if (!out)
                break;   // said when the command ends
        }
        err << righe;
        return EsitoOk;
    },
    {},
});

}

}
