// The official historical file read, checked line by line and written as a new draws database.
#include "archive/ImportaStorico.h"

#include "regole/Data.h"
#include "sistema/Orologio.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/FileDiTesto.h"
#include "storage/Sostituzione.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <map>
#include <string_view>
#include <vector>

namespace archive {

namespace {

struct Giornata {
    std::array<std::array<std::int16_t, 5>, NumeroRuote> numeri{};
    std::array<bool, NumeroRuote> presente{};
};

// The official file writes its codes in capitals (RM and RN for Roma and Nazionale); ours are
// taken too. Anything else marks a file that is not the official one.
int ruotaDelFile(std::string_view codice)
{
    for (const char c : codice)
        if (c < 'A' || c > 'Z')
            return -1;
    return RuotaDaCodice(codice).value_or(-1);
}

std::string_view senzaSpazi(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool soloCifre(std::string_view s, std::size_t minimo, std::size_t massimo)
{
    if (s.size() < minimo || s.size() > massimo)
        return false;
    for (const char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int intero(std::string_view s)
{
    int v = 0;
    for (const char c : s)
        v = v * 10 + (c - '0');
    return v;
}

// `voce`: the entry of a zip the text came from, which the line belongs to.
[[noreturn]] void rigaErrata(std::size_t numeroRiga, const std::string& voce, const std::string& motivo)
{
    throw ErroreImportazione("Riga " + std::to_string(numeroRiga)
                             + (voce.empty() ? std::string(" del file storico") : " di \"" + storage::estratto(voce, 80) + "\"")
                             + " non valida: " + motivo);
}

// "AAAA/MM/GG" -> "AAAA-MM-GG", or empty when it is not a calendar day.
std::string dataIso(std::string_view s)
{
    const auto d = regole::Data::leggiIso(s, '/');
    return d ? d->iso() : std::string();
}

// Five two-digit groups joined by "-", the stored form of a wheel.
std::string campoRuota(const std::array<std::int16_t, 5>& n)
{
    std::string t = "00-00-00-00-00";
    for (std::size_t p = 0; p < 5; ++p) {
        t[3 * p] = static_cast<char>('0' + n[p] / 10);
        t[3 * p + 1] = static_cast<char>('0' + n[p] % 10);
    }
    return t;
}

// Reports progress at most once per hundredth, enough for a bar; checks for a stop at every step.
class Passi {
public:
    Passi(avanzamento::Avanzamento* a, int massimo) : a_(a), massimo_(massimo) {}
    void a(int valore)
    {
        if (!a_)
            return;
        a_->controlla();
        const int centesimo = massimo_ > 0 ? static_cast<int>(static_cast<long long>(valore) * 100 / massimo_) : 100;
        if (centesimo != ultimo_ || valore == massimo_) {
            ultimo_ = centesimo;
            a_->imposta(1, valore, massimo_);
        }
    }

private:
    avanzamento::Avanzamento* a_;
    int massimo_;
    int ultimo_ = -1;
};

std::string leggiFile(const std::string& percorso)
{
    try {
        return storage::leggiFileDiTesto(percorso, "il file storico");
    } catch (const storage::ErroreFileDiTesto& e) {
        throw ErroreImportazione(e.what());
    }
}

// The draws of a historical text, line by line as they come: no record is kept per line (a text of
// millions of empty lines costs nothing), and a text of more days than an archive can hold is
// refused as soon as the first day too many appears, before it fills the memory.
std::map<std::string, Giornata> analizzaStorico(std::string_view testo, avanzamento::Avanzamento* avanzamento, int& righeLette,
                                                const std::string& voce)
{
    // A copy saved again by a Windows editor starts with the UTF-8 mark, which
    // would otherwise make the first date unreadable.
    if (testo.substr(0, 3) == "\xEF\xBB\xBF")
        testo.remove_prefix(3);
    const auto ritorni = std::count(testo.begin(), testo.end(), '\n');
    righeLette = static_cast<int>(std::min<long long>(ritorni + (testo.empty() || testo.back() == '\n' ? 0 : 1), 1 << 29));
    const auto errata = [&](std::size_t numeroRiga, const std::string& motivo) {
        rigaErrata(numeroRiga, voce, motivo);
    };

    std::map<std::string, Giornata> giornate;
    // Reading fills the first half of the bar (maximum twice the lines).
    Passi passi(avanzamento, righeLette * 2);
    std::size_t numeroRiga = 0;
    for (std::size_t inizio = 0; inizio < testo.size();) {
        std::size_t fine = testo.find('\n', inizio);
        if (fine == std::string_view::npos)
            fine = testo.size();
        const std::string_view riga = senzaSpazi(testo.substr(inizio, fine - inizio));
        inizio = fine + 1;
        ++numeroRiga;
        passi.a(static_cast<int>(std::min<std::size_t>(numeroRiga, static_cast<std::size_t>(righeLette))));
        if (riga.find_first_not_of(" \t") == std::string_view::npos)
            continue;

        std::array<std::string_view, 7> campi;
        std::size_t n = 0;
        for (std::size_t da = 0;;) {
            const std::size_t tab = riga.find('\t', da);
            if (n == campi.size())
                errata(numeroRiga, "attesi 7 campi separati da tabulazioni (data, ruota, 5 numeri)");
            campi[n++] = senzaSpazi(riga.substr(da, tab == std::string_view::npos ? std::string_view::npos : tab - da));
            if (tab == std::string_view::npos)
                break;
            da = tab + 1;
        }
        if (n != campi.size())
            errata(numeroRiga, "attesi 7 campi separati da tabulazioni (data, ruota, 5 numeri)");

        const std::string iso = dataIso(campi[0]);
        if (iso.empty())
            errata(numeroRiga, "data non valida \"" + storage::estratto(campi[0]) + "\" (atteso AAAA/MM/GG)");
        if (const std::string motivo = storage::motivoDataImplausibile(iso); !motivo.empty())
            errata(numeroRiga, "la data " + storage::DataDaDb(iso) + " " + motivo);
        const int w = ruotaDelFile(campi[1]);
        if (w < 0)
            errata(numeroRiga, "ruota sconosciuta \"" + storage::estratto(campi[1]) + "\"");
        // A Nazionale before its first draw would have Statistiche count the wheel from 1939.
        if (w == NumeroRuote - 1 && iso < PrimaNazionaleIso)
            errata(numeroRiga, "la ruota Nazionale il " + storage::DataDaDb(iso) + ", ma la Nazionale è estratta dal "
                                   + std::string(PrimaNazionale));
        const auto [posto, nuova] = giornate.try_emplace(iso);
        if (nuova && giornate.size() > static_cast<std::size_t>(MaxEstrazioni))
            throw TroppeEstrazioni("contiene più di " + std::to_string(MaxEstrazioni)
                                   + " estrazioni: un archivio ne può contenere al massimo " + std::to_string(MaxEstrazioni));
        Giornata& g = posto->second;
        if (g.presente[static_cast<std::size_t>(w)])
            errata(numeroRiga, "la ruota di " + std::string(NomiRuote[static_cast<std::size_t>(w)]) + " compare due volte il "
                                   + storage::DataDaDb(iso));
        auto& numeri = g.numeri[static_cast<std::size_t>(w)];
        for (std::size_t p = 0; p < 5; ++p) {
            const std::string_view c = campi[p + 2];
            if (!soloCifre(c, 1, 2) || intero(c) < 1 || intero(c) > 90)
                errata(numeroRiga, "numero non valido \"" + storage::estratto(c) + "\" (ammessi da 1 a 90)");
            numeri[p] = static_cast<std::int16_t>(intero(c));
            for (std::size_t q = 0; q < p; ++q)
                if (numeri[q] == numeri[p])
                    errata(numeroRiga, "il numero " + std::to_string(numeri[p]) + " è ripetuto sulla stessa ruota");
        }
        g.presente[static_cast<std::size_t>(w)] = true;
    }
    return giornate;
}

void scriviArchivio(const std::map<std::string, Giornata>& giornate, const std::string& percorso, const std::string& nome,
                    avanzamento::Avanzamento* avanzamento, int righeLette)
{
    storage::Database db(percorso, storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca, nome);
    storage::Transazione t(db);
    storage::creaSchemaEstrazioni(db);

    char dataReg[16] = "";
    char oraReg[16] = "";
    const std::time_t adesso = std::time(nullptr);
    if (std::tm locale{}; sistema::oraLocale(adesso, locale)) {
        std::strftime(dataReg, sizeof dataReg, "%Y-%m-%d", &locale);
        std::strftime(oraReg, sizeof oraReg, "%H:%M:%S", &locale);
    }

    auto ins = db.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz,"
                          " datareg, orareg) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)");
    // Reading took the first half of the bar, writing takes the second.
    Passi passi(avanzamento, righeLette * 2);
    const long long totale = static_cast<long long>(giornate.size());
    long long scritte = 0;
    for (const auto& [iso, g] : giornate) {
        ins.lega(1, iso);
        for (std::size_t w = 0; w < NumeroRuote; ++w)
            ins.lega(static_cast<int>(w) + 2, g.presente[w] ? campoRuota(g.numeri[w]) : std::string());
        ins.lega(13, std::string_view(dataReg)).lega(14, std::string_view(oraReg));
        ins.esegui();
        passi.a(righeLette + static_cast<int>(++scritte * righeLette / totale));
    }
    t.conferma();
}

}

std::vector<GiornataStorico> LeggiTestoStorico(std::string_view testo, avanzamento::Avanzamento* avanzamento, const std::string& voce)
{
    int righeLette = 0;
    const auto giornate = analizzaStorico(testo, avanzamento, righeLette, voce);
    std::vector<GiornataStorico> esito;
    esito.reserve(giornate.size());
    for (const auto& [iso, g] : giornate) {
        GiornataStorico& e = esito.emplace_back();
        e.dataIso = iso;
        for (std::size_t w = 0; w < NumeroRuote; ++w)
            if (g.presente[w])
                e.campi[w] = campoRuota(g.numeri[w]);
    }
    return esito;
}

EsitoImportazione ImportaStorico(const std::string& percorsoStorico, const std::string& percorsoArchivio,
                                 bool sovrascrivi, avanzamento::Avanzamento* avanzamento)
{
    // Checked before reading, so that a wrong target costs no time; checked again under the lock.
    try {
        storage::ControllaDestinazione(percorsoArchivio, sovrascrivi, {percorsoStorico});
    } catch (const storage::ErroreSostituzione& e) {
        throw ErroreImportazione(e.what());
    }
    return ImportaStoricoDaTesto(leggiFile(percorsoStorico), percorsoStorico, percorsoArchivio, sovrascrivi, avanzamento);
}

EsitoImportazione ImportaStoricoDaTesto(std::string_view testo, const std::string& percorsoStorico,
                                        const std::string& percorsoArchivio, bool sovrascrivi, avanzamento::Avanzamento* avanzamento,
                                        const std::string& voce)
{
    try {
        storage::ControllaDestinazione(percorsoArchivio, sovrascrivi, {percorsoStorico});
    } catch (const storage::ErroreSostituzione& e) {
        throw ErroreImportazione(e.what());
    }

    int righeLette = 0;
    std::map<std::string, Giornata> giornate;
    try {
        giornate = analizzaStorico(testo, avanzamento, righeLette, voce);
    } catch (const TroppeEstrazioni& e) {
        throw ErroreImportazione("Il file storico \"" + percorsoStorico + "\" " + e.what());
    } catch (const ErroreImportazione& e) {
        throw ErroreImportazione("Il file storico \"" + percorsoStorico + "\" non si può importare. " + e.what());
    }
    if (giornate.empty())
        throw ErroreImportazione("Il file storico \"" + percorsoStorico + "\" non contiene estrazioni");

    // Built beside the target and moved over it only when complete: a failure
    // leaves no file, and never a damaged copy of an archive being replaced.
    try {
        storage::Sostituzione sostituzione(percorsoArchivio, sovrascrivi, {percorsoStorico});
        scriviArchivio(giornate, sostituzione.provvisorio(), percorsoArchivio, avanzamento, righeLette);
        sostituzione.conferma();
    } catch (const avanzamento::Interrotto&) {
        throw;
    } catch (const storage::ErroreSostituzione& e) {
        throw ErroreImportazione(e.what());
    } catch (const std::exception& e) {
        throw ErroreImportazione(std::string("Importazione non riuscita: ") + e.what());
    }

    EsitoImportazione esito;
    esito.estrazioni = static_cast<int>(giornate.size());
    esito.prima = storage::DataDaDb(giornate.begin()->first);
    esito.ultima = storage::DataDaDb(giornate.rbegin()->first);
    return esito;
}

}
