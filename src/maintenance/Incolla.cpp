// The pasted-draw reader and the refusals and questions of a new draw before SALVA writes it.
#include "maintenance/Incolla.h"

#include "sistema/Orologio.h"
#include "storage/DrawsDb.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <optional>
#include <set>

namespace maintenance {

using archive::cifra;

namespace {

// Bytes of UTF-8 sequences ("ì", "°") count as letters: they belong to the word around them.
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
};

std::vector<Parola> parole(std::string_view testo)
{
    std::vector<Parola> r;
    std::size_t i = 0;
    while (i < testo.size()) {
        if (!cifra(testo[i]) && !lettera(testo[i])) {
            ++i;
            continue;
        }
        const std::size_t inizio = i;
        bool soloCifre = true;
        while (i < testo.size() && (cifra(testo[i]) || lettera(testo[i]))) {
            soloCifre = soloCifre && cifra(testo[i]);
            ++i;
        }
        Parola p;
        p.testo = std::string(testo.substr(inizio, i - inizio));
        p.numero = soloCifre;
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
                    + " (posizioni " + std::to_string(k + 1) + " e " + std::to_string(j + 1) + ")";
    }
    return {};
}

LetturaIncollata rifiuto(std::string motivo)
{
    LetturaIncollata r;
    r.motivo = "Estrazione non letta: " + std::move(motivo) + ".";
    return r;
}

// Days since 01/01/1970 of a civil date (proleptic Gregorian).
long giorni(int anno, int mese, int giorno)
{
    anno -= mese <= 2;
    const long era = (anno >= 0 ? anno : anno - 399) / 400;
    const long yoe = anno - era * 400;
    const long doy = (153 * (mese + (mese > 2 ? -3 : 9)) + 2) / 5 + giorno - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Data {
    int anno, mese, giorno;
    long numero() const { return giorni(anno, mese, giorno); }
    int giornoSettimana() const { return static_cast<int>(((numero() % 7) + 11) % 7); }   // 0 Sunday .. 6 Saturday
};

std::optional<Data> leggiData(const std::string& testo)
{
    if (testo.size() != 10 || testo[2] != '/' || testo[5] != '/')
        return std::nullopt;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!cifra(testo[static_cast<std::size_t>(i)]))
            return std::nullopt;
    Data d{std::stoi(testo.substr(6, 4)), std::stoi(testo.substr(3, 2)), std::stoi(testo.substr(0, 2))};
    if (!storage::DataValida(d.anno, d.mese, d.giorno))
        return std::nullopt;
    return d;
}

}

bool dataConNazionale(const std::string& data)
{
    const auto d = leggiData(data);
    return d && d->numero() >= giorni(AnnoNazionale, MeseNazionale, GiornoNazionale);
}

LetturaIncollata leggiEstrazioneIncollata(std::string_view testo, const std::string& data)
{
    const auto p = parole(testo);
    LetturaIncollata r;
    bool nomi = false;
    for (std::size_t i = 0; i + 1 < p.size() && !nomi; ++i)
        nomi = ruotaNominata(p[i].testo) && p[i + 1].numero;

    std::vector<long long> numeri[archive::NumeroRuote];
    bool letta[archive::NumeroRuote] = {};
    if (nomi) {
        bool nominata[archive::NumeroRuote] = {};
        for (std::size_t i = 0; i < p.size(); ++i) {
            const auto w = ruotaNominata(p[i].testo);
            if (!w)
                continue;
            nominata[*w] = true;
            std::vector<long long> questi;
            while (i + 1 < p.size() && p[i + 1].numero)
                questi.push_back(p[++i].valore);
            if (questi.empty())
                continue;   // a name in a heading ("Lotto Nazionale"), or a header of wheel names
            if (letta[*w] && questi != numeri[*w])
                return rifiuto("la ruota di " + nomeRuota(*w) + " compare due volte con numeri diversi");
            if (auto e = erroreRuota(*w, questi); !e.empty())
                return rifiuto(e);
            numeri[*w] = std::move(questi);
            letta[*w] = true;
        }
        // A classic wheel named with no number after it anywhere has lost its numbers.
        for (int w = 0; w < archive::NumeroRuote - 1; ++w)
            if (nominata[w] && !letta[w])
                return rifiuto("la ruota di " + nomeRuota(w) + " non ha numeri dopo il nome");
    } else {
        std::vector<long long> tutti;
        for (const auto& x : p)
            if (x.numero)
                tutti.push_back(x.valore);
        const bool conNazionale = data.empty() || dataConNazionale(data);
        const bool senzaNazionale = data.empty() || !dataConNazionale(data);
        const std::size_t n = tutti.size();
        if (!((n == 55 && conNazionale) || (n == 50 && senzaNazionale)))
            return rifiuto("il testo non nomina le ruote e contiene " + std::to_string(n) + " numeri; senza i nomi delle "
                           "ruote servono esattamente "
                           + std::string(conNazionale && senzaNazionale ? "55 numeri (o 50 senza la Nazionale)"
                                         : conNazionale                 ? "55 numeri"
                                                                        : "50 numeri (la Nazionale non era ancora estratta)")
                           + ", cinque per ruota da Bari a " + (n == 50 || !conNazionale ? "Venezia" : "Nazionale"));
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
    const auto d = leggiData(data);
    if (!d) {
        v.rifiuto = "La data \"" + data + "\" non è una data valida (GG/MM/AAAA): l'estrazione non è stata salvata.";
        return v;
    }
    if (data.compare(6, 4, std::to_string(storage::PrimoAnnoEstrazioni)) < 0) {
        v.rifiuto = "La data " + data + " è anteriore al " + std::to_string(storage::PrimoAnnoEstrazioni)
            + ", primo anno delle estrazioni del Lotto: l'estrazione non è stata salvata.";
        return v;
    }
    if (const auto o = leggiData(oggi); o && d->numero() > o->numero()) {
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

VerificaNuovaEstrazione verificaNuovaEstrazione(const archive::Archivio& a, const std::string& data, const Caselle& caselle,
                                                const std::string& oggi)
{
    VerificaNuovaEstrazione v = rifiutoNuovaEstrazione(a, data, oggi);
    if (!v.rifiuto.empty())
        return v;
    const Data d = *leggiData(data);
    if (d.giornoSettimana() == 0)
        v.domande.push_back("Il " + data + " è una domenica, giorno in cui il Lotto di norma non estrae. Salvare comunque "
                                           "l'estrazione con questa data?");

    // The draws stored before the new date, the last of them first.
    std::vector<std::pair<int, Data>> precedenti;
    for (int k = a.NumeroEstrazioni; k >= 1; --k)
        if (const auto x = leggiData(a.DateEstrazioni[static_cast<std::size_t>(k)]); x && x->numero() < d.numero())
            precedenti.emplace_back(k, *x);
    std::optional<Data> ultimaArchivio;
    for (int k = a.NumeroEstrazioni; k >= 1 && !ultimaArchivio; --k)
        ultimaArchivio = leggiData(a.DateEstrazioni[static_cast<std::size_t>(k)]);

    if (ultimaArchivio && ultimaArchivio->numero() < d.numero() && !precedenti.empty()) {
        // The weekdays the Lotto draws on are those of the last eight weeks of the archive.
        std::set<int> giorniEstrazione;
        for (const auto& [k, x] : precedenti)
            if (ultimaArchivio->numero() - x.numero() < 56)
                giorniEstrazione.insert(x.giornoSettimana());
        int mancanti = 0;
        for (long g = ultimaArchivio->numero() + 1; g < d.numero(); ++g)
            mancanti += giorniEstrazione.count(static_cast<int>(((g % 7) + 11) % 7)) > 0;
        if (mancanti > 0) {
            const std::string ultima = a.DateEstrazioni[static_cast<std::size_t>(precedenti.front().first)];
            v.domande.push_back("Tra l'ultima estrazione in archivio (" + ultima + ") e il " + data
                                + (mancanti == 1 ? " manca 1 estrazione" : " mancano " + std::to_string(mancanti) + " estrazioni")
                                + " (giorni di estrazione senza dati). Salvare comunque l'estrazione del " + data + "?");
        }
    }

    if (!precedenti.empty()) {
        const int k = precedenti.front().first;
        bool uguale = true;
        for (int w = 0; w < archive::NumeroRuote && uguale; ++w)
            for (int q = 1; q <= 5 && uguale; ++q)
                uguale = valoreCasella(caselle[static_cast<std::size_t>(casella(w, q))]) == a.numero(k, w, q);
        if (uguale)
            v.domande.push_back("I numeri sono identici, ruota per ruota, a quelli dell'estrazione precedente del "
                                + a.DateEstrazioni[static_cast<std::size_t>(k)]
                                + ": forse le caselle non sono state aggiornate. Salvare comunque?");
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
