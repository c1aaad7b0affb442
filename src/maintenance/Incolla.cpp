// The pasted-draw reader and the refusals and questions of a new draw before SALVA writes it.
#include "maintenance/Incolla.h"

#include "regole/Data.h"
#include "sistema/Orologio.h"
#include "storage/DrawsDb.h"
#include "storage/FileDiTesto.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <optional>
#include <set>
#include <utility>

namespace maintenance {

using archive::cifra;

namespace {

// How many bytes the character at `i` takes when it separates words as a blank does: the byte-order
// mark, the no-break and the other Unicode spaces of web pages, the dashes, and a lone Latin-1
// no-break space (0xA0 outside any UTF-8 sequence); 0 for any other character.
std::size_t separatore(std::string_view t, std::size_t i)
{
    const auto b = [&](std::size_t k) { return i + k < t.size() ? static_cast<unsigned char>(t[i + k]) : 0u; };
    if (b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF)
        return 3;   // byte-order mark
    if (b(0) == 0xC2 && b(1) == 0xA0)
        return 2;   // no-break space
    if (b(0) == 0xE2 && b(1) == 0x80 && ((b(2) >= 0x80 && b(2) <= 0x95) || b(2) == 0xA8 || b(2) == 0xA9 || b(2) == 0xAF))
        return 3;   // en quad .. zero-width spaces, dashes, line and paragraph separators, narrow no-break space
    if (b(0) == 0xE2 && b(1) == 0x81 && (b(2) == 0x9F || b(2) == 0xA0))
        return 3;   // medium mathematical space, word joiner
    if (b(0) == 0xE3 && b(1) == 0x80 && b(2) == 0x80)
        return 3;   // ideographic space
    if (b(0) == 0xA0)
        return 1;
    return 0;
}

// Bytes of other UTF-8 sequences ("ì", "°") count as letters: they belong to the word around them.
bool lettera(char c) { return std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80; }

std::string minuscolo(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// A token of the pasted text: a run of letters and digits. A run with any letter is a word
// ("martedì", "n°", "1°", "10eLotto"); a run of digits alone is a number.
struct Parola {
    std::string testo;
    bool numero = false;
    long long valore = 0;
    std::size_t riga = 1;        // 1-based line of the text
    std::string primaDi;         // the separators between the previous token of the line and this one
    bool intestazione = false;   // a number of a date, a time or an ordinal: not a number of the draw
};

std::vector<Parola> parole(std::string_view testo)
{
    std::vector<Parola> r;
    std::size_t i = 0, riga = 1;
    std::string separatori;
    while (i < testo.size()) {
        if (testo[i] == '\n') {
            ++riga;
            separatori.clear();
            ++i;
            continue;
        }
        if (const std::size_t n = separatore(testo, i)) {
            separatori += ' ';
            i += n;
            continue;
        }
        if (!cifra(testo[i]) && !lettera(testo[i])) {
            separatori += testo[i];
            ++i;
            continue;
        }
        const std::size_t inizio = i;
        bool soloCifre = true;
        while (i < testo.size() && separatore(testo, i) == 0 && (cifra(testo[i]) || lettera(testo[i]))) {
            soloCifre = soloCifre && cifra(testo[i]);
            ++i;
        }
        Parola p;
        p.testo = std::string(testo.substr(inizio, i - inizio));
        p.numero = soloCifre;
        p.riga = riga;
        p.primaDi = std::exchange(separatori, std::string());
        if (soloCifre)
            for (char c : p.testo)
                p.valore = std::min<long long>(p.valore * 10 + (c - '0'), 1000000);   // only "above 90" matters
        r.push_back(std::move(p));
    }
    return r;
}

// The wheel a word names: a full name in any case, or a code written "BA" or "Ba" (a code in
// small letters is an ordinary word: "mi", "ve", "pa").
std::optional<int> ruotaNominata(const std::string& parola)
{
    const std::string m = minuscolo(parola);
    for (int w = 0; w < archive::NumeroRuote; ++w)
        if (m == minuscolo(archive::NomiRuote[static_cast<std::size_t>(w)]))
            return w;
    if (parola.size() == 2 && std::isupper(static_cast<unsigned char>(parola[0])))
        return archive::RuotaDaCodice(parola);
    return std::nullopt;
}

std::string nomeRuota(int w) { return std::string(archive::NomiRuote[static_cast<std::size_t>(w)]); }

// The numbers of one wheel checked as the draw needs them; empty when they are five good numbers.
std::string erroreRuota(int w, const std::vector<long long>& numeri)
{
    if (numeri.size() != 5)
        return "la ruota di " + nomeRuota(w) + " ha " + std::to_string(numeri.size())
            + (numeri.size() == 1 ? " numero" : " numeri") + " invece di cinque";
    for (std::size_t j = 0; j < numeri.size(); ++j) {
        if (numeri[j] < 1 || numeri[j] > 90)
            return "la ruota di " + nomeRuota(w) + " ha il numero " + std::to_string(numeri[j]) + " in posizione "
                + std::to_string(j + 1) + ": i numeri del Lotto vanno da 1 a 90";
        for (std::size_t k = 0; k < j; ++k)
            if (numeri[k] == numeri[j])
                return "la ruota di " + nomeRuota(w) + " ha due volte il numero " + std::to_string(numeri[j])
                    + ", nelle posizioni " + std::to_string(k + 1) + " e " + std::to_string(j + 1);
    }
    return {};
}

LetturaIncollata rifiuto(std::string motivo)
{
    LetturaIncollata r;
    r.motivo = "Estrazione non letta: " + std::move(motivo) + ".";
    return r;
}

using regole::Data;

const std::array<const char*, 12> Mesi = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                          "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
// Sunday first, as giornoSettimana counts.
const std::array<const char*, 7> GiorniSettimana = {"domenica", "lunedì",  "martedì", "mercoledì",
                                                    "giovedì",  "venerdì", "sabato"};

std::string conArticolo(int giorno) { return std::string(giorno == 0 ? "una " : "un ") + GiorniSettimana[static_cast<std::size_t>(giorno)]; }

int meseNominato(const std::string& parola)
{
    const std::string m = minuscolo(parola);
    for (std::size_t k = 0; k < Mesi.size(); ++k)
        if (m == Mesi[k])
            return static_cast<int>(k) + 1;
    return 0;
}

// Words after which a number counts the draws instead of being drawn ("n. 136", "Concorso 101/2026").
bool parolaOrdinale(const std::string& parola)
{
    const std::string m = minuscolo(parola);
    return m == "n" || m == "n°" || m == "nº" || m == "nr" || m == "num" || m == "numero" || m == "concorso"
        || m == "estrazione";
}

// Marks the numbers that belong to headings rather than to the draw: dates ("25/08/2026", "2026-08-25",
// "25 agosto 2026", "agosto 2026"), times ("20:00", "ore 20.00") and ordinals ("n. 136", "Concorso
// 101/2026"). Returns the whole dates written in the text, as "GG/MM/AAAA".
std::vector<std::string> segnaIntestazioni(std::vector<Parola>& p)
{
    std::vector<std::string> date;
    const auto numero = [&](std::size_t i, std::size_t minimo, std::size_t massimo) {
        return i < p.size() && p[i].numero && !p[i].intestazione && p[i].testo.size() >= minimo && p[i].testo.size() <= massimo;
    };
    const auto stessaRiga = [&](std::size_t i, std::size_t j) { return j < p.size() && p[i].riga == p[j].riga; };
    const auto segna = [&](std::size_t da, std::size_t n) {
        for (std::size_t k = da; k < da + n && k < p.size(); ++k)
            p[k].intestazione = true;
    };
    for (std::size_t i = 0; i < p.size(); ++i) {
        // Day, month and year joined by one and the same "/", "." or "-"; or the year first.
        if (numero(i, 1, 4) && numero(i + 1, 1, 2) && numero(i + 2, 1, 4) && stessaRiga(i, i + 2)
            && p[i + 1].primaDi.size() == 1 && p[i + 1].primaDi == p[i + 2].primaDi
            && std::string("/.-").find(p[i + 1].primaDi[0]) != std::string::npos) {
            const bool annoPrima = p[i].testo.size() == 4;
            const auto& anno = annoPrima ? p[i] : p[i + 2];
            const auto& giorno = annoPrima ? p[i + 2] : p[i];
            if (anno.testo.size() == 4 && giorno.testo.size() <= 2
                && regole::esiste(static_cast<int>(anno.valore), static_cast<int>(p[i + 1].valore),
                                       static_cast<int>(giorno.valore))) {
                date.push_back(Data::da(static_cast<int>(anno.valore), static_cast<int>(p[i + 1].valore),
                                        static_cast<int>(giorno.valore))->testo());
                segna(i, 3);
                i += 2;
                continue;
            }
        }
        // "25 agosto 2026", "martedì 25 agosto", "agosto 2026".
        if (!p[i].numero && meseNominato(p[i].testo) > 0) {
            const int mese = meseNominato(p[i].testo);
            const bool giorno = i > 0 && numero(i - 1, 1, 2) && stessaRiga(i - 1, i) && p[i - 1].valore >= 1 && p[i - 1].valore <= 31;
            const bool anno = numero(i + 1, 4, 4) && stessaRiga(i, i + 1);
            if (giorno)
                p[i - 1].intestazione = true;
            if (anno) {
                p[i + 1].intestazione = true;
                if (giorno && regole::esiste(static_cast<int>(p[i + 1].valore), mese, static_cast<int>(p[i - 1].valore)))
                    date.push_back(Data::da(static_cast<int>(p[i + 1].valore), mese, static_cast<int>(p[i - 1].valore))->testo());
            }
            continue;
        }
        // "20:00"; "ore 20.00", "ore 20".
        if (numero(i, 1, 2) && numero(i + 1, 2, 2) && stessaRiga(i, i + 1) && p[i + 1].primaDi == ":") {
            segna(i, 2);
            ++i;
            continue;
        }
        if (!p[i].numero && minuscolo(p[i].testo) == "ore" && numero(i + 1, 1, 2) && stessaRiga(i, i + 1)) {
            segna(i + 1, numero(i + 2, 2, 2) && stessaRiga(i, i + 2) && (p[i + 2].primaDi == "." || p[i + 2].primaDi == ":") ? 2 : 1);
            continue;
        }
        // "n. 136", "n° 101/2026", "Concorso 101".
        if (!p[i].numero && parolaOrdinale(p[i].testo) && numero(i + 1, 1, 6) && stessaRiga(i, i + 1)) {
            segna(i + 1, numero(i + 2, 4, 4) && stessaRiga(i, i + 2) && p[i + 2].primaDi == "/" ? 2 : 1);
            continue;
        }
    }
    return date;
}

// One line of the text, for a message that points at it.
std::string rigaDelTesto(std::string_view testo, std::size_t riga)
{
    std::size_t inizio = 0;
    for (std::size_t r = 1; r < riga && inizio != std::string_view::npos; ++r) {
        inizio = testo.find('\n', inizio);
        if (inizio != std::string_view::npos)
            ++inizio;
    }
    if (inizio == std::string_view::npos)
        return {};
    const std::size_t fine = testo.find('\n', inizio);
    std::string_view t = testo.substr(inizio, fine == std::string_view::npos ? std::string_view::npos : fine - inizio);
    if (t.size() >= 3 && t.substr(0, 3) == "\xEF\xBB\xBF")
        t.remove_prefix(3);
    while (!t.empty() && (t.back() == '\r' || t.back() == ' '))
        t.remove_suffix(1);
    std::string leggibile(t);
    std::replace(leggibile.begin(), leggibile.end(), '\t', ' ');   // a table's tabs read as the blanks they look like
    return "riga " + std::to_string(riga) + ": \"" + storage::estratto(leggibile, 60) + "\"";
}

std::string elenco(const std::vector<std::string>& voci)
{
    std::string r;
    for (std::size_t k = 0; k < voci.size(); ++k)
        r += (k == 0 ? "" : k + 1 == voci.size() ? " e " : ", ") + voci[k];
    return r;
}

}

bool dataConNazionale(const std::string& data)
{
    const auto d = Data::leggi(data);
    return d && d->numero() >= Data::da(AnnoNazionale, MeseNazionale, GiornoNazionale)->numero();
}

LetturaIncollata leggiEstrazioneIncollata(std::string_view testo, const std::string& data)
{
    // Refused before it is split into words, which would take many times its size.
    if (testo.size() > storage::DimensioneMassimaTestoIncollato)
        return {false, "Estrazione non letta: il testo è troppo lungo per essere un'estrazione (più di 1 MB).", {}, {}, {}};
    auto p = parole(testo);
    LetturaIncollata r;
    r.date = segnaIntestazioni(p);
    // The numbers of the draw: every number that is not part of a date, a time or an ordinal.
    const auto estratto = [&](std::size_t i) { return i < p.size() && p[i].numero && !p[i].intestazione; };
    bool nomi = false;
    for (std::size_t i = 0; i + 1 < p.size() && !nomi; ++i)
        nomi = ruotaNominata(p[i].testo) && estratto(i + 1);

    std::vector<long long> numeri[archive::NumeroRuote];
    bool letta[archive::NumeroRuote] = {};
    if (nomi) {
        bool nominata[archive::NumeroRuote] = {};
        std::vector<std::string> nonLette;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const auto w = ruotaNominata(p[i].testo);
            if (!w) {
                // A word followed by five numbers of the Lotto looks like a wheel the reader does not know ("Napli").
                if (!p[i].numero && !p[i].intestazione) {
                    std::size_t n = 0;
                    while (estratto(i + 1 + n) && p[i + 1 + n].valore >= 1 && p[i + 1 + n].valore <= 90)
                        ++n;
                    if (n == 5 && !estratto(i + 6) && nonLette.size() < 5)   // a few are enough to say it
                        nonLette.push_back("\"" + storage::estratto(p[i].testo) + "\" (" + rigaDelTesto(testo, p[i].riga) + ")");
                }
                continue;
            }
            nominata[*w] = true;
            const std::size_t rigaNome = p[i].riga;
            std::vector<long long> questi;
            while (estratto(i + 1))
                questi.push_back(p[++i].valore);
            if (questi.empty())
                continue;   // a name in a heading ("Lotto Nazionale", "Roma 25/08/2026"), or a header of wheel names
            // The lines are named only in a refusal: finding one walks the text.
            const auto dove = [&] {
                return " (" + rigaDelTesto(testo, rigaNome)
                    + (p[i].riga != rigaNome ? " e seguenti fino alla riga " + std::to_string(p[i].riga) : "") + ")";
            };
            if (letta[*w] && questi != numeri[*w])
                return rifiuto("la ruota di " + nomeRuota(*w) + " compare due volte con numeri diversi" + dove());
            if (auto e = erroreRuota(*w, questi); !e.empty())
                return rifiuto(e + dove());
            numeri[*w] = std::move(questi);
            letta[*w] = true;
        }
        // A classic wheel named with no number after it anywhere has lost its numbers.
        for (int w = 0; w < archive::NumeroRuote - 1; ++w)
            if (nominata[w] && !letta[w])
                return rifiuto("la ruota di " + nomeRuota(w) + " non ha numeri dopo il nome");
        std::vector<std::string> mancanti;
        for (int w = 0; w < archive::NumeroRuote - 1; ++w)
            if (!letta[w])
                mancanti.push_back(nomeRuota(w));
        if (!mancanti.empty()) {
            r.avviso = "Il testo non contiene " + std::string(mancanti.size() == 1 ? "la ruota di " : "le ruote di ")
                + elenco(mancanti) + ": " + (mancanti.size() == 1 ? "è rimasta vuota" : "sono rimaste vuote") + ".";
            if (!nonLette.empty())
                r.avviso += " Parole non riconosciute come ruote: " + elenco(nonLette) + ".";
        }
    } else {
        std::vector<long long> tutti;
        // Per line, how many numbers it holds: a line whose count breaks the fives is named in a refusal.
        std::vector<std::pair<std::size_t, std::size_t>> perRiga;
        for (std::size_t i = 0; i < p.size(); ++i)
            if (estratto(i)) {
                tutti.push_back(p[i].valore);
                if (perRiga.empty() || perRiga.back().first != p[i].riga)
                    perRiga.emplace_back(p[i].riga, 0);
                ++perRiga.back().second;
            }
        const bool conNazionale = data.empty() || dataConNazionale(data);
        const bool senzaNazionale = data.empty() || !dataConNazionale(data);
        const std::size_t n = tutti.size();
        if (!((n == 55 && conNazionale) || (n == 50 && senzaNazionale))) {
            std::string dove;
            for (const auto& [riga, quanti] : perRiga)
                if (quanti % 5 != 0) {
                    dove = " (la " + rigaDelTesto(testo, riga) + " ha " + std::to_string(quanti)
                        + (quanti == 1 ? " numero)" : " numeri)");
                    break;
                }
            return rifiuto("il testo non nomina le ruote e contiene " + std::to_string(n) + " numeri" + dove
                           + "; senza i nomi delle ruote servono esattamente "
                           + std::string(conNazionale && senzaNazionale ? "55 numeri (o 50 senza la Nazionale)"
                                         : conNazionale                 ? "55 numeri"
                                                                        : "50 numeri (la Nazionale non era ancora estratta)")
                           + ", cinque per ruota da Bari a " + (n == 50 || !conNazionale ? "Venezia" : "Nazionale"));
        }
        for (std::size_t w = 0; w * 5 < n; ++w) {
            numeri[w].assign(tutti.begin() + static_cast<long>(w * 5), tutti.begin() + static_cast<long>(w * 5 + 5));
            if (auto e = erroreRuota(static_cast<int>(w), numeri[w]); !e.empty())
                return rifiuto(e);
            letta[w] = true;
        }
    }
    for (int w = 0; w < archive::NumeroRuote; ++w)
        for (int q = 1; q <= 5; ++q)
            r.caselle[static_cast<std::size_t>(casella(w, q))] =
                letta[w] ? archive::dueCifre(static_cast<int>(numeri[w][static_cast<std::size_t>(q - 1)])) : std::string();
    r.letta = true;
    return r;
}

std::string righeEstrazione(const Caselle& caselle)
{
    std::string r;
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        bool vuota = true;
        for (int q = 1; q <= 5; ++q)
            vuota = vuota && valoreCasella(caselle[static_cast<std::size_t>(casella(w, q))]) == 0;
        r += std::string(archive::SigleRuote[static_cast<std::size_t>(w)]) + "\t" + (vuota ? std::string() : campoRuota(caselle, w))
            + "\n";
    }
    return r;
}

VerificaNuovaEstrazione rifiutoNuovaEstrazione(const archive::Archivio& a, const std::string& data, const std::string& oggi)
{
    VerificaNuovaEstrazione v;
    const auto d = Data::leggi(data);
    if (!d) {
        v.rifiuto = "La data \"" + data + "\" non è una data valida (GG/MM/AAAA): l'estrazione non è stata salvata.";
        return v;
    }
    if (data.compare(6, 4, std::to_string(storage::PrimoAnnoEstrazioni)) < 0) {
        v.rifiuto = "La data " + data + " è anteriore al " + std::to_string(storage::PrimoAnnoEstrazioni)
            + ", primo anno delle estrazioni del Lotto: l'estrazione non è stata salvata.";
        return v;
    }
    if (const auto o = Data::leggi(oggi); o && d->numero() > o->numero()) {
        v.rifiuto = "La data " + data + " è successiva a oggi (" + oggi
            + "): non si può salvare un'estrazione non ancora avvenuta.";
        return v;
    }
    for (int k = 1; k <= a.NumeroEstrazioni; ++k)
        if (a.DateEstrazioni[static_cast<std::size_t>(k)] == data) {
            v.rifiuto = "L'estrazione del " + data + " è già memorizzata (n° indice " + std::to_string(k)
                + "): per correggerla usare MODIFICA ESTRAZIONE.";
            v.giaMemorizzata = true;
            return v;
        }
    return v;
}

std::string rifiutoNazionale(const std::string& data, const Caselle& caselle)
{
    if (!Data::leggi(data) || dataConNazionale(data))
        return {};
    for (int q = 1; q <= 5; ++q)
        if (valoreCasella(caselle[static_cast<std::size_t>(casella(archive::NumeroRuote - 1, q))]) != 0)
            return "L'estrazione del " + data + " ha i numeri della ruota Nazionale, che è estratta solo dal "
                + std::string(archive::PrimaNazionale) + ": svuotare la Nazionale. L'estrazione non è stata salvata.";
    return {};
}

namespace {

// The weekdays the Lotto draws on up to draw `ultima`: those that had a draw in more than half of
// the weeks with draws, among the eight weeks ending with it, whose day of that weekday falls within
// the period the archive covers (the week of the last draw has not yet reached its later days). A
// one-off day (a single Monday draw) never is one; a new regular day becomes one within five weeks.
std::set<int> giorniRegolari(const archive::Archivio& a, int ultima)
{
    std::set<int> regolari;
    const auto fine = ultima >= 1 ? Data::leggi(a.DateEstrazioni[static_cast<std::size_t>(ultima)]) : std::nullopt;
    if (!fine)
        return regolari;
    // Weeks from Monday to Sunday (01/01/1970 was a Thursday); the offset keeps 1939 positive.
    const auto settimana = [](long giorno) { return (giorno + 3 + 7 * 10000) / 7; };
    std::array<int, 7> perGiorno{};
    std::set<long> settimane;
    long inizio = fine->numero();
    for (int k = ultima; k >= 1; --k) {
        const auto x = Data::leggi(a.DateEstrazioni[static_cast<std::size_t>(k)]);
        if (!x)
            continue;
        if (fine->numero() - x->numero() >= 56)
            break;
        ++perGiorno[static_cast<std::size_t>(x->giornoSettimana())];
        settimane.insert(settimana(x->numero()));
        inizio = std::min(inizio, x->numero());
    }
    for (int g = 0; g < 7; ++g) {
        int possibili = 0;   // weeks with draws whose day g lies between the first and the last draw of the period
        for (long s : settimane) {
            const long giorno = s * 7 - 7 * 10000 - 3 + (g + 6) % 7;   // Monday of week s, then day g
            possibili += giorno >= inizio && giorno <= fine->numero();
        }
        if (possibili > 0 && 2 * perGiorno[static_cast<std::size_t>(g)] > possibili)
            regolari.insert(g);
    }
    return regolari;
}

std::string giorniNominati(const std::set<int>& giorni)
{
    std::vector<std::string> nomi;
    // Monday to Sunday, as a player lists them.
    for (int g : {1, 2, 3, 4, 5, 6, 0})
        if (giorni.count(g))
            nomi.push_back(std::string(g == 0 ? "la " : "il ") + GiorniSettimana[static_cast<std::size_t>(g)]);
    return elenco(nomi);
}

std::string conGiorno(long numero)
{
    const Data d = *Data::daNumero(numero);
    return std::string(GiorniSettimana[static_cast<std::size_t>(d.giornoSettimana())]) + " " + d.testo();
}

bool stessiNumeri(const archive::Archivio& a, int k, const Caselle& caselle)
{
    for (int w = 0; w < archive::NumeroRuote; ++w)
        for (int q = 1; q <= 5; ++q)
            if (valoreCasella(caselle[static_cast<std::size_t>(casella(w, q))]) != a.numero(k, w, q))
                return false;
    return true;
}

}

VerificaNuovaEstrazione verificaNuovaEstrazione(const archive::Archivio& a, const std::string& data, const Caselle& caselle,
                                                const std::string& oggi, const std::vector<std::string>& dateDelTesto)
{
    VerificaNuovaEstrazione v = rifiutoNuovaEstrazione(a, data, oggi);
    if (!v.rifiuto.empty())
        return v;
    if (v.rifiuto = rifiutoNazionale(data, caselle); !v.rifiuto.empty())
        return v;
    const Data d = *Data::leggi(data);

    // The stored draws just before and just after the new date (0 for none).
    int prima = 0, dopo = 0;
    long giornoPrima = 0;
    for (int k = 1; k <= a.NumeroEstrazioni; ++k)
        if (const auto x = Data::leggi(a.DateEstrazioni[static_cast<std::size_t>(k)])) {
            if (x->numero() < d.numero() && (prima == 0 || x->numero() > giornoPrima)) {
                prima = k;
                giornoPrima = x->numero();
            }
            if (x->numero() > d.numero() && (dopo == 0 || x->numero() < Data::leggi(a.DateEstrazioni[static_cast<std::size_t>(dopo)])->numero()))
                dopo = k;
        }
    const auto breve = [&](int k) { return a.DateEstrazioni[static_cast<std::size_t>(k)].substr(0, 5); };
    const std::string giorno = conArticolo(d.giornoSettimana());

    if (dopo != 0) {
        // Every later draw would take another index: the searches and the saved pyramids count by index.
        if (prima != 0)
            v.domande.push_back("Il " + data + " è " + giorno + " fra due estrazioni già in archivio (" + breve(prima) + " e "
                                + breve(dopo) + "): le estrazioni successive cambieranno numero. Salvare comunque?");
        else
            v.domande.push_back("Il " + data + " è " + giorno + " anteriore alla prima estrazione in archivio ("
                                + a.DateEstrazioni[static_cast<std::size_t>(dopo)]
                                + "): tutte le estrazioni cambieranno numero. Salvare comunque?");
    } else {
        const std::set<int> regolari = giorniRegolari(a, prima);
        if (prima == 0 || regolari.empty()) {
            // No period to learn the draw days from: only the Sunday is known to be unusual.
            if (d.giornoSettimana() == 0)
                v.domande.push_back("Il " + data + " è una domenica, giorno in cui il Lotto di norma non estrae. Salvare "
                                                   "comunque l'estrazione con questa data?");
        } else {
            if (regolari.count(d.giornoSettimana()) == 0)
                v.domande.push_back("Il " + data + " è " + giorno + ", giorno in cui il Lotto in questo periodo non estrae "
                                    "(estrae " + giorniNominati(regolari) + "). Salvare comunque l'estrazione con questa data?");
            std::vector<long> mancanti;
            for (long g = giornoPrima + 1; g < d.numero(); ++g)
                if (regolari.count(static_cast<int>(((g % 7) + 11) % 7)))
                    mancanti.push_back(g);
            if (!mancanti.empty()) {
                std::string quali;
                if (mancanti.size() == 1)
                    quali = "manca l'estrazione di " + conGiorno(mancanti[0]);
                else if (mancanti.size() <= 4) {
                    std::vector<std::string> nomi;
                    for (long g : mancanti)
                        nomi.push_back(conGiorno(g));
                    quali = "mancano le estrazioni di " + elenco(nomi);
                } else
                    quali = "mancano " + std::to_string(mancanti.size()) + " estrazioni, da " + conGiorno(mancanti.front())
                        + " a " + conGiorno(mancanti.back());
                v.domande.push_back("Tra l'ultima estrazione in archivio (" + a.DateEstrazioni[static_cast<std::size_t>(prima)]
                                    + ") e il " + data + " " + quali + ". Salvare comunque l'estrazione del " + data + "?");
            }
        }
    }

    for (const auto& [k, quale] : {std::pair{prima, "precedente"}, std::pair{dopo, "successiva"}})
        if (k != 0 && stessiNumeri(a, k, caselle))
            v.domande.push_back(std::string("I numeri sono identici, ruota per ruota, a quelli dell'estrazione ") + quale
                                + " del " + a.DateEstrazioni[static_cast<std::size_t>(k)]
                                + ": forse le caselle non sono state aggiornate. Salvare comunque?");

    if (!dateDelTesto.empty() && std::find(dateDelTesto.begin(), dateDelTesto.end(), data) == dateDelTesto.end()) {
        std::vector<std::string> diverse;
        for (const auto& x : dateDelTesto)
            if (std::find(diverse.begin(), diverse.end(), x) == diverse.end())
                diverse.push_back(x);
        v.domande.push_back("Il testo incollato porta " + std::string(diverse.size() == 1 ? "la data " : "le date ")
                            + elenco(diverse) + ", non il " + data + " scelto per l'estrazione. Salvare comunque l'estrazione "
                            "con la data " + data + "?");
    }

    if (dataConNazionale(data)) {
        bool vuota = true;
        for (int q = 1; q <= 5; ++q)
            vuota = vuota && valoreCasella(caselle[static_cast<std::size_t>(casella(archive::NumeroRuote - 1, q))]) == 0;
        if (vuota)
            v.domande.push_back("La ruota Nazionale è vuota, ma dal 04/05/2005 viene estratta con le altre ruote. Salvare "
                                "comunque l'estrazione del " + data + " senza la Nazionale?");
    }
    return v;
}

std::string dataOdierna()
{
    char testo[16] = "";
    const std::time_t t = std::time(nullptr);
    std::tm locale{};
    if (sistema::oraLocale(t, locale))
        std::strftime(testo, sizeof testo, "%d/%m/%Y", &locale);
    return testo;
}

}
