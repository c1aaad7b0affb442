// velmora-cli commands of archive updates and exports: controlla, aggiorna-da-storico, esporta, aggiornamento.
#include "archive/CaricaArchivio.h"
#include "cli/Comandi.h"
#include "maintenance/Aggiornamento.h"
#include "maintenance/Esportazioni.h"
#include "maintenance/FileAggiornamento.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "maintenance/StoricoUfficiale.h"
#ifdef VELMORA_RETE
#include "net/Scarico.h"
#endif
#include "storage/DrawsDb.h"
#include "storage/FileDiTesto.h"

#include <ostream>

namespace cli {

namespace {

storage::Database apri(const std::string& percorso)
{
    try {
        return storage::ApriArchivio(percorso);
    } catch (const storage::ErroreDatabase& e) {
        throw ErroreDati(std::string("impossibile aprire l'archivio: ") + e.what());
    }
}

void carica(archive::Archivio& a, storage::Database& db, const std::string& percorso)
{
    a.EstrazioneIniziale = 1;
    try {
        archive::CaricaArchivio(a, db);
    } catch (const archive::ErroreCaricamento& e) {
        throw ErroreDati("impossibile caricare l'archivio \"" + percorso + "\": " + e.what());
    }
    avvisaDatiScartati(a, percorso);
}

void stampa(const std::vector<std::string>& righe, std::ostream& out)
{
    for (const auto& r : righe)
        out << r << '\n';
}

void controllaOpzioni(const Argomenti& args)
{
    if (args.ha("--correggi") && !args.ha("--applica"))
        throw ErroreUso("--correggi vale solo con --applica");
}

// The check of the rows loaded (its List4 lines) and, with --applica, AGGIORNAMENTO: controlla
// and aggiorna-da-storico share it.
int controllaEApplica(storage::Database& db, const std::string& archivio, maintenance::RigheImporta& righe,
                      const Argomenti& args, std::ostream& out, bool storicoCompleto)
{
    std::vector<std::string> List4;
    try {
        maintenance::ControlloEstrazioniMancanti(db, righe, List4, nullptr, storicoCompleto);
    } catch (const storage::ErroreDatabase& e) {
        stampa(List4, out);
        throw ErroreDati(std::string("controllo non riuscito: ") + e.what());
    }
    stampa(List4, out);
    if (!args.ha("--applica"))
        return EsitoOk;
    archive::Archivio a;
    carica(a, db, archivio);
    maintenance::EsitoAggiornamento esito;
    try {
        esito = maintenance::AGGIORNAMENTO(db, a, righe, args.ha("--correggi"), List4);
    } catch (const maintenance::ErroreScrittura& e) {
        // The reason as the windows give it (already Italian, naming the archive).
        throw ErroreDati("nessuna estrazione scritta nell'archivio \"" + archivio + "\": "
                         + (e.tipo() == maintenance::ErroreScrittura::Tipo::Ricarica
                                ? "l'archivio aggiornato non si caricherebbe più (" + std::string(e.what()) + ")"
                                : std::string(e.what())));
    }
    stampa(List4, out);
    if (!esito.erroreDatabase.empty())
        throw ErroreDati("scrittura interrotta nell'archivio \"" + archivio + "\": " + esito.erroreDatabase);
    // The check above read the archive before another writer changed it: what it listed is not what
    // was done, and a caller must not take the run for a completed update.
    if (esito.giaScritte > 0)
        throw ErroreDati("l'archivio \"" + archivio + "\" era occupato da un altro aggiornamento, che nel frattempo ha scritto "
                         + std::to_string(esito.giaScritte) + (esito.giaScritte == 1 ? " estrazione" : " estrazioni")
                         + " dell'elenco: non " + (esito.giaScritte == 1 ? "è stata scritta" : "sono state scritte")
                         + " di nuovo; ripetere il controllo");
    return esito.scartate > 0 ? EsitoErroreDati : EsitoOk;
}

const Registrazione controlla({
    "controlla",
    "confronta un file di aggiornamento con l'archivio e, a richiesta, lo applica",
    "Uso: velmora-cli controlla ARCHIVIO.db FILE [--applica] [--correggi]\n"
    "Carica FILE come AGGIORNA DA FILE (prima riga di 178 caratteri terminata da \"pr\"),\n"
    "lo confronta con l'archivio e stampa le righe dell'elenco delle estrazioni mancanti.\n"
    "Con --applica esegue AGGIORNAMENTO (aggiunge le estrazioni mancanti; con --correggi\n"
    "sovrascrive anche quelle con errori) e ne stampa le righe.\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream& err) {
        args.soloOpzioni({"--applica", "--correggi"});
        if (args.posizionali().size() != 2)
            throw ErroreUso("indicare l'archivio e il file di aggiornamento");
        controllaOpzioni(args);
        const std::string& archivio = args.posizionali()[0];
        const std::string& file = args.posizionali()[1];
        auto db = apri(archivio);
        maintenance::RigheImporta righe;
        try {
            switch (maintenance::caricaFileAggiornamento(file, righe, true)) {
            case maintenance::EsitoFileAggiornamento::FormatoErrato:
                throw ErroreDati("Attenzione, sembra che il file non sia del formato corretto: \"" + file + "\"");
            case maintenance::EsitoFileAggiornamento::NonLeggibile:
                throw ErroreDati("impossibile leggere il file \"" + file + "\"");
            case maintenance::EsitoFileAggiornamento::Caricato:
                break;
            }
        } catch (const std::ios_base::failure&) {
            throw ErroreDati("lettura interrotta del file \"" + file + "\"");
        }
        if (righe.empty()) {
            err << "il file \"" << file << "\" non contiene estrazioni\n";
            return EsitoOk;
        }
        return controllaEApplica(db, archivio, righe, args, out, false);
    },
    {"--applica", "--correggi"},
});

// The official file from a path or an address, its text out of the zip when zipped (`voce` the entry).
std::string testoSorgente(const std::string& sorgente, std::string& voce)
{
    if (!maintenance::indirizzoRete(sorgente))
        return maintenance::leggiFileStorico(sorgente, &voce);
#ifdef VELMORA_RETE
    const auto scarico = net::scaricaInMemoria(sorgente);
    if (!scarico.riuscito)
        throw ErroreDati("Collegamento al sito \"" + sorgente + "\" non riuscito: " + scarico.motivo);
    return maintenance::testoStorico(scarico.corpo, sorgente, &voce);
#else
    throw ErroreDati("questa velmora-cli è compilata senza rete: scaricare \"" + sorgente + "\" e indicare il file");
#endif
}

const Registrazione aggiornaDaStorico({
    "aggiorna-da-storico",
    "confronta l'archivio storico ufficiale (file o indirizzo, anche zip) con l'archivio e, a richiesta, lo applica",
    "Uso: velmora-cli aggiorna-da-storico ARCHIVIO.db SORGENTE [--applica] [--correggi] [--dal GG/MM/AAAA]\n"
    "SORGENTE è il file storico ufficiale (righe AAAA/MM/GG<TAB>RUOTA<TAB>5 numeri), in chiaro o\n"
    "nello zip pubblicato, oppure il suo indirizzo http:// o https://. Le estrazioni del file\n"
    "(dalla data di --dal, se indicata) sono confrontate con l'archivio come AGGIORNA DA FILE:\n"
    "stampa le righe dell'elenco delle estrazioni mancanti. Con --applica esegue AGGIORNAMENTO\n"
    "(aggiunge le estrazioni mancanti; con --correggi sovrascrive anche quelle con errori).\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream& err) {
        args.soloOpzioni({"--applica", "--correggi", "--dal"});
        if (args.posizionali().size() != 2)
            throw ErroreUso("indicare l'archivio e il file o l'indirizzo dell'archivio storico");
        controllaOpzioni(args);
        const std::string dal = args.valore("--dal", "");
        if (!dal.empty() && storage::DataPerDb(dal).empty())
            throw ErroreUso("data non valida per --dal: " + storage::estratto(dal) + " (GG/MM/AAAA)");
        const std::string& archivio = args.posizionali()[0];
        const std::string& sorgente = args.posizionali()[1];
        auto db = apri(archivio);
        maintenance::RigheImporta righe;
        try {
            std::string voce;
            const std::string testo = testoSorgente(sorgente, voce);
            maintenance::caricaRigheStorico(testo, sorgente, righe, dal, nullptr, voce);
        } catch (const maintenance::ErroreStorico& e) {
            throw ErroreDati(e.what());
        }
        if (righe.empty()) {
            err << "il file \"" << sorgente << "\" non contiene estrazioni dal " << dal << "\n";
            return EsitoOk;
        }
        return controllaEApplica(db, archivio, righe, args, out, true);
    },
    {"--applica", "--correggi"},
});

const Registrazione esporta({
    "esporta",
    "scrive l'archivio nel formato di Numeris 3, di Quintavo o della sola Nazionale",
    "Uso: velmora-cli esporta numeris3|quintavo|nazionale ARCHIVIO.db FILE\n"
    "numeris3: record di 110 byte (giorno, mese, anno a due cifre, 100 cifre dei numeri\n"
    "di Bari..Venezia, progressivi mensile e annuale); quintavo: una riga tra virgolette per\n"
    "estrazione; nazionale: \"00000-nnnnnnnnnn\" per ogni estrazione con la Nazionale.\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream&) {
        args.soloOpzioni({});
        if (args.posizionali().size() != 3)
            throw ErroreUso("indicare il formato, l'archivio e il file da scrivere");
        const std::string& nome = args.posizionali()[0];
        maintenance::FormatoEsportazione formato;
        if (nome == "numeris3")
            formato = maintenance::FormatoEsportazione::Numeris3;
        else if (nome == "quintavo")
            formato = maintenance::FormatoEsportazione::Quintavo;
        else if (nome == "nazionale")
            formato = maintenance::FormatoEsportazione::Nazionale;
        else
            throw ErroreUso("formato sconosciuto: " + storage::estratto(nome) + " (numeris3, quintavo o nazionale)");
        auto db = apri(args.posizionali()[1]);
        archive::Archivio a;
        carica(a, db, args.posizionali()[1]);
        const std::string& file = args.posizionali()[2];
        if (std::string motivo; !maintenance::esporta(a, formato, file, nullptr, {args.posizionali()[1]}, &motivo))
            throw ErroreDati(motivo.empty() ? "impossibile scrivere il file \"" + file + "\"" : motivo);
        out << "esportate " << a.NumeroEstrazioni << " estrazioni in \"" << storage::stampabile(file) << "\"\n";
        return EsitoOk;
    },
    {},
});

const Registrazione aggiornamento({
    "aggiornamento",
    "scrive su stdout un file di aggiornamento delle estrazioni",
    "Uso: velmora-cli aggiornamento ARCHIVIO.db [--dal GG/MM/AAAA]\n"
    "Le estrazioni dalla data indicata (tutte se manca) come file di aggiornamento:\n"
    "righe di 178 caratteri a colonne fisse marcate \"pr\", terminate da CR LF.\n",
    [](const Argomenti& args, std::istream&, std::ostream& out, std::ostream&) {
        args.soloOpzioni({"--dal"});
        if (args.posizionali().size() != 1)
            throw ErroreUso("indicare un solo file di archivio");
        const std::string dal = args.valore("--dal", "");
        if (!dal.empty() && storage::DataPerDb(dal).empty())
            throw ErroreUso("data non valida per --dal: " + storage::estratto(dal) + " (GG/MM/AAAA)");
        auto db = apri(args.posizionali()[0]);
        try {
            maintenance::scriviFileAggiornamento(db, dal, out);
        } catch (const storage::ErroreDatabase& e) {
            throw ErroreDati(e.what());
        }
        return EsitoOk;
    },
    {},
});

}

}
