// velmora-cli incolla: a pasted draw read as INCOLLA ESTRAZIONE reads it and, on request, stored as SALVA stores it.
#include "archive/CaricaArchivio.h"

#include "sistema/Percorsi.h"
#include "cli/Comandi.h"
#include "maintenance/Caselle.h"
#include "maintenance/Incolla.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "storage/DrawsDb.h"
#include "storage/FileDiTesto.h"

#include <ostream>

namespace cli {

namespace {

// The pasted text, bounded as a pasted draw is: an endless source or a huge file is refused at once.
std::string leggiTesto(const std::string& file, std::istream& in)
{
    try {
        if (file == "-")
            return storage::leggiFlussoIntero(in, "lo standard input", storage::DimensioneMassimaTestoIncollato);
        return storage::leggiFileIntero(file, "il file", storage::DimensioneMassimaTestoIncollato, storage::Righe::Libere);
    } catch (const storage::ErroreFileDiTesto& e) {
        throw ErroreDati(e.what());
    }
}

// SALVA ESTRAZIONE's checks, in its order: the date, the boxes, then the questions, which only
// --conferma answers yes.
void salva(const std::string& archivio, const std::string& data, const maintenance::LetturaIncollata& lettura,
           bool conferma, std::ostream& out)
{
    storage::Database db;
    try {
        db = storage::ApriArchivio(archivio);
    } catch (const storage::ErroreDatabase& e) {
        throw ErroreDati("impossibile aprire l'archivio \"" + archivio + "\": " + e.what());
    }
    archive::Archivio a;
    a.EstrazioneIniziale = 1;
    try {
        archive::CaricaArchivio(a, db);
    } catch (const archive::ErroreCaricamento& e) {
        throw ErroreDati("impossibile caricare l'archivio \"" + archivio + "\": " + e.what());
    }
    avvisaDatiScartati(a, archivio);
    const auto& caselle = lettura.caselle;
    const auto verifica = maintenance::verificaNuovaEstrazione(a, data, caselle, maintenance::dataOdierna(), lettura.date);
    if (!verifica.rifiuto.empty())
        throw ErroreDati(verifica.rifiuto);
    if (const auto esito = maintenance::ControllaEstrazione(caselle); !esito.accettata)
        throw ErroreDati(esito.messaggio);
    if (!verifica.domande.empty() && !conferma) {
        std::string testo;
        for (const auto& d : verifica.domande)
            testo += (testo.empty() ? "" : "\n") + d;
        throw ErroreDati(testo + "\nNulla è stato scritto: con --conferma l'estrazione viene salvata comunque.");
    }
    try {
        maintenance::salvaEstrazione(db, a, data, caselle);
    } catch (const maintenance::ErroreScrittura& e) {
        using Tipo = maintenance::ErroreScrittura::Tipo;
        if (e.tipo() == Tipo::DataGiaPresente)
            throw ErroreDati("l'estrazione del " + data + " è già memorizzata nell'archivio \"" + archivio + "\"");
        if (e.tipo() == Tipo::Ricarica)
            throw ErroreDati("con questa estrazione l'archivio \"" + archivio
                             + "\" non si potrebbe più caricare: nulla è stato scritto");
        throw ErroreDati(std::string(e.what()) + ": nulla è stato scritto nell'archivio \"" + archivio + "\"");
    }
    out << "salvata l'estrazione del " << data << " nell'archivio \"" << archivio << "\" (" << a.NumeroEstrazioni
        << " estrazioni)\n";
}

const Registrazione incolla({
    "incolla",
    "legge un'estrazione incollata (testo di una pagina dei risultati) e, a richiesta, la salva",
    "Uso: velmora-cli incolla ARCHIVIO.db GG/MM/AAAA [FILE|-] [--salva] [--conferma]\n"
    "Legge il testo (da FILE, oppure dallo standard input con - o senza FILE) come INCOLLA ESTRAZIONE:\n"
    "a ogni ruota nominata (Bari, BARI, BA, RM/RO, RN/NZ, ...) vanno i cinque numeri che seguono\n"
    "il nome; senza nomi servono esattamente 55 numeri da Bari a Nazionale (50 prima del\n"
    "04/05/2005). Stampa le undici ruote lette, una per riga: SIGLA<TAB>05-12-33-44-90 (campo\n"
    "vuoto per una ruota non estratta). Un testo che non si può leggere, o a cui manca una delle dieci\n"
    "ruote classiche, è un errore (codice 1).\n"
    "Con --salva memorizza l'estrazione con la data indicata dopo i controlli di SALVA ESTRAZIONE;\n"
    "ogni domanda di SALVA (data fra due estrazioni già in archivio, giorno in cui non si estrae,\n"
    "estrazioni mancanti, numeri uguali a un'estrazione vicina, data del testo diversa,\n"
    "Nazionale vuota) è un rifiuto, salvo con --conferma. I numeri della Nazionale prima del\n"
    "04/05/2005 sono sempre un rifiuto.\n",
    [](const Argomenti& args, std::istream& in, std::ostream& out, std::ostream&) {
        args.soloOpzioni({"--salva", "--conferma"});
        const auto& p = args.posizionali();
        if (p.size() < 2 || p.size() > 3)
            throw ErroreUso("indicare l'archivio, la data e, se non si legge lo standard input, il file");
        if (args.ha("--conferma") && !args.ha("--salva"))
            throw ErroreUso("--conferma vale solo con --salva");
        const std::string& data = p[1];
        if (storage::DataPerDb(data).empty())
            throw ErroreUso("data non valida: " + storage::estratto(data) + " (GG/MM/AAAA)");
        const auto lettura = maintenance::leggiEstrazioneIncollata(leggiTesto(p.size() == 3 ? p[2] : "-", in), data);
        if (!lettura.letta)
            throw ErroreDati(lettura.motivo + " Nulla è stato scritto.");
        out << maintenance::righeEstrazione(lettura.caselle);
        // A wheel the text lacks is printed empty, and said: a script must not take it for a whole draw.
        if (!lettura.avviso.empty())
            throw ErroreDati(lettura.avviso + " Nulla è stato scritto.");
        if (args.ha("--salva"))
            salva(p[0], data, lettura, args.ha("--conferma"), out);
        return EsitoOk;
    },
    {"--salva", "--conferma"},
});

}

}
