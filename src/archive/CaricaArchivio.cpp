// CaricaArchivio: every stored draw into the archive tables, then the ordinals and the model archive.
#include "archive/CaricaArchivio.h"

#include "regole/Data.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace archive {

namespace {

ErroreCaricamento daDatabase(const storage::ErroreDatabase& e)
{
    using Tipo = storage::ErroreDatabase::Tipo;
    const Tipo t = e.tipo();
    return ErroreCaricamento(e.what(), t == Tipo::Permessi || t == Tipo::Disco || t == Tipo::DiscoPieno || t == Tipo::Occupato
                                           || t == Tipo::Spostato);
}

// One fetched row, copied out of the engine so that the rows can be counted
// before they are processed (the progress bar runs to rows + 1).
struct Riga {
    char data[10];               // "AAAA-MM-GG", a real calendar day
    std::uint8_t lunghezza[11];  // characters kept of each wheel field (at most 14)
    char ruote[11][14];
};


// The two characters of a group read as a leading number: blanks skipped, reading
// stops at the first non-digit, nothing numeric gives 0.
std::int16_t leggiGruppo(const char* testo, int lunghezza, int inizio)
{
    int i = inizio;
    const int fine = std::min(lunghezza, inizio + 2);
    while (i < fine && (testo[i] == ' ' || testo[i] == '\t'))
        ++i;
    int valore = 0;
    while (i < fine && cifra(testo[i]))
        valore = valore * 10 + (testo[i++] - '0');
    return static_cast<std::int16_t>(valore);
}

// "AAAA-MM-GG" of a real day, possibly followed by a time ("AAAA-MM-GG 00:00:00") as tools
// that convert other archives write it; the time is not read. "0000-00-00" or "2000-02-30"
// would show as a date that never was, and sort among the real ones.
bool dataIso(std::string_view s)
{
    if (s.size() > 10 && (s[10] == ' ' || s[10] == 'T'))
        s = s.substr(0, 10);
    return regole::Data::leggiIso(s).has_value();
}

// At most 20 printable characters of a stored text, for a message: binary bytes or a NUL
// in a damaged field must not reach the player.
std::string estratto(std::string_view s)
{
    std::string r;
    for (const char c : s.substr(0, 20))
        r += (c >= 0x20 && c < 0x7f) ? c : '?';
    if (s.size() > 20)
        r += "...";
    return r;
}

// Rows past the capacity are only counted, not copied: row 10000 already stops
// the load, but the progress bar still runs to the number of rows plus one.
std::vector<Riga> leggiRighe(storage::Database& db, int& totaleRighe, std::vector<DatoScartato>& scartati)
{
    std::vector<Riga> righe;
    righe.reserve(8192);
    totaleRighe = 0;
    auto s = db.prepara(storage::QueryEstrazioni);
    if (s.numeroColonne() != 12)
        throw ErroreCaricamento("La tabella EstrazioniLotto non ha i campi attesi");
    while (s.avanza()) {
        ++totaleRighe;
        const std::string_view data = s.vista(0);
        if (!dataIso(data)) {
            scartati.push_back({0, estratto(data), "riga esclusa: la data \"" + estratto(data) + "\" non è un giorno del calendario"});
            continue;
        }
        if (righe.size() > static_cast<std::size_t>(MaxEstrazioni))
            continue;
        Riga& r = righe.emplace_back();
        std::memcpy(r.data, data.data(), 10);
        for (int w = 0; w < NumeroRuote; ++w) {
            const std::string_view campo = s.vista(w + 1);
            const std::size_t n = std::min<std::size_t>(campo.size(), 14);
            // A NULL field has no text at all: memcpy must not be handed its null pointer.
            if (n > 0)
                std::memcpy(r.ruote[w], campo.data(), n);
            r.lunghezza[w] = static_cast<std::uint8_t>(n);
        }
    }
    return righe;
}

}

void CaricaArchivio(Archivio& a, storage::Database& db, avanzamento::Avanzamento* avanzamento)
{
    std::vector<Riga> righe;
    std::vector<DatoScartato> scartati;
    int totaleRighe = 0;
    try {
        righe = leggiRighe(db, totaleRighe, scartati);
    } catch (const storage::ErroreDatabase& e) {
        throw daDatabase(e);
    }

    // 1. Every number back to 0, so that a shorter archive leaves nothing behind.
    for (int d = 0; d <= MaxEstrazioni; ++d)
        for (int w = 0; w < NumeroRuote; ++w)
            for (int p = 1; p <= 5; ++p)
                a.setNumero(d, w, p, 0);

    const int numeroRighe = static_cast<int>(righe.size());
    const int massimo = totaleRighe + 1;
    for (int i = 1; i <= numeroRighe; ++i) {
        controlla(avanzamento);
        imposta(avanzamento, 1, i, massimo);
        // The tables end at draw 9999; the draws loaded so far stay, N and the
        // model archive keep their previous values.
        if (i > MaxEstrazioni)
            throw ErroreCaricamento("L'archivio contiene più di 9999 estrazioni");
        const Riga& r = righe[static_cast<std::size_t>(i - 1)];
        std::string& data = a.DateEstrazioni[static_cast<std::size_t>(i)];
        data.assign("GG/MM/AAAA");
        data[0] = r.data[8];
        data[1] = r.data[9];
        data[3] = r.data[5];
        data[4] = r.data[6];
        std::memcpy(&data[6], r.data, 4);
        std::string fuoriIntervallo;
        for (int w = 0; w < NumeroRuote; ++w)
            for (int p = 1; p <= 5; ++p) {
                std::int16_t n = leggiGruppo(r.ruote[w], r.lunghezza[w], 3 * (p - 1));
                // A stray 99 (the entry boxes let it through) is no Lotto number: read as missing.
                if (n > 90) {
                    fuoriIntervallo += (fuoriIntervallo.empty() ? "" : ", ") + std::string(NomiRuote[static_cast<std::size_t>(w)])
                        + " posizione " + std::to_string(p) + " (" + std::to_string(n) + ")";
                    n = 0;
                }
                a.setNumero(i, w, p, n);
            }
        if (!fuoriIntervallo.empty())
            scartati.push_back({i, data, "numeri fuori da 1..90 letti come mancanti: " + fuoriIntervallo});
    }
    // Rows left out sort by their stored text, before or among the draws: listed by index then.
    std::stable_sort(scartati.begin(), scartati.end(),
                     [](const DatoScartato& x, const DatoScartato& y) { return x.estrazione < y.estrazione; });
    a.DatiScartati = std::move(scartati);

    // 5. N, then the ordinals, which need the date of draw 1.
    a.NumeroEstrazioni = numeroRighe;
    if (numeroRighe == 0) {
        // No draw: the model archive cannot point anywhere.
        a.ArchivioModello.assign(1, 0);
        a.NumeroEstrazioniModello = 0;
        throw ErroreCaricamento("La tabella EstrazioniLotto non contiene estrazioni");
    }
    // Dates and ordinals past the new N belong to a previous, longer archive.
    for (int d = numeroRighe + 1; d <= MaxEstrazioni; ++d) {
        a.DateEstrazioni[static_cast<std::size_t>(d)].clear();
        a.ProgressivoMese[static_cast<std::size_t>(d)] = 0;
        a.ProgressivoAnno[static_cast<std::size_t>(d)] = 0;
    }
    a.ProgressivoMese[1] = 1;
    a.ProgressivoAnno[1] = 1;
    for (int d = 2; d <= numeroRighe; ++d) {
        const std::string& questa = a.DateEstrazioni[static_cast<std::size_t>(d)];
        const std::string& prima = a.DateEstrazioni[static_cast<std::size_t>(d - 1)];
        // A month is one of a year: after a gap of a whole year the count starts again.
        const bool stessoAnno = questa.compare(6, 4, prima, 6, 4) == 0;
        const bool stessoMese = stessoAnno && questa.compare(3, 2, prima, 3, 2) == 0;
        a.ProgressivoMese[static_cast<std::size_t>(d)] =
            static_cast<std::int16_t>(stessoMese ? a.ProgressivoMese[static_cast<std::size_t>(d - 1)] + 1 : 1);
        a.ProgressivoAnno[static_cast<std::size_t>(d)] =
            static_cast<std::int16_t>(stessoAnno ? a.ProgressivoAnno[static_cast<std::size_t>(d - 1)] + 1 : 1);
    }

    // 8. The model archive: draws EstrazioneIniziale..N. A start below 1 would
    // need more entries than there are draws.
    if (a.EstrazioneIniziale < 1) {
        a.ArchivioModello.assign(1, 0);
        a.NumeroEstrazioniModello = 0;
        throw ErroreCaricamento("Il primo indice dell'archivio modello (EstrazioneIniziale) deve essere almeno 1");
    }
    std::vector<std::int16_t> modello(1, 0);
    for (int d = a.EstrazioneIniziale; d <= numeroRighe; ++d)
        modello.push_back(static_cast<std::int16_t>(d));
    a.NumeroEstrazioniModello = static_cast<int>(modello.size()) - 1;
    a.ArchivioModello = std::move(modello);
}

void CaricaArchivio(Archivio& a, const std::string& percorso, storage::Database& db, avanzamento::Avanzamento* avanzamento)
{
    // A file deleted or replaced since it was opened is opened again (or reported missing),
    // never read from a handle nobody else can see.
    if (db.aperto() && db.percorso() == percorso && !db.spostato()) {
        CaricaArchivio(a, db, avanzamento);
        return;
    }
    storage::Database nuovo;
    try {
        nuovo = storage::ApriArchivio(percorso);
    } catch (const storage::ErroreDatabase& e) {
        throw daDatabase(e);
    }
    CaricaArchivio(a, nuovo, avanzamento);
    db = std::move(nuovo);
}

void CaricaArchivio(Archivio& a, const std::string& percorso, avanzamento::Avanzamento* avanzamento)
{
    storage::Database db;
    CaricaArchivio(a, percorso, db, avanzamento);
}

std::string AvvisoDatiScartati(const Archivio& a, const std::string& file)
{
    if (a.DatiScartati.empty())
        return {};
    constexpr std::size_t MassimoRighe = 20;
    std::string testo = "Nell'archivio \"" + file + "\" alcuni dati non sono validi e non vengono usati "
                        "(il file non è stato modificato):\n";
    for (std::size_t k = 0; k < a.DatiScartati.size() && k < MassimoRighe; ++k) {
        const DatoScartato& d = a.DatiScartati[k];
        testo += d.estrazione > 0 ? "- estrazione n° " + std::to_string(d.estrazione) + " del " + d.data + ": " : "- ";
        testo += d.descrizione + "\n";
    }
    if (a.DatiScartati.size() > MassimoRighe)
        testo += "- ... e altre " + std::to_string(a.DatiScartati.size() - MassimoRighe) + " righe\n";
    testo += "Le estrazioni si correggono nella finestra Gestione archivio.";
    return testo;
}

}
