// The prize rule, the expected return and the check of a play against the archive.
#include "plays/Giocata.h"

#include "grid/Grid.h"
#include "regole/Data.h"
#include "storage/FileDiTesto.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace plays {

const std::array<std::string_view, NumeroSorti> NomiSorti{"Estratto", "Ambo", "Terno", "Quaterna", "Cinquina"};

namespace {

// Five numbers are drawn of ninety on each wheel.
constexpr int Estratti = 5;
constexpr int Numeri = 90;

}

std::string testoPagheNominate(const regole::TabellaPremi& t)
{
    std::string testo;
    for (std::size_t s = 0; s < t.paga.size(); ++s) {
        std::string nome(NomiSorti[s]);
        nome[0] = static_cast<char>(nome[0] - 'A' + 'a');
        testo += (s > 0 ? ", " : "") + nome + " " + regole::testoCentesimi(t.paga[s], ',');
    }
    return testo;
}

int numeroRuote(const Giocata& g) { return static_cast<int>(std::count(g.ruote.begin(), g.ruote.end(), true)); }

Centesimi costoPerEstrazione(const Giocata& g)
{
    Centesimi c = 0;
    for (Centesimi p : g.poste)
        c += p;
    return c;
}

std::optional<std::string> difettoGiocata(const Giocata& g)
{
    const int n = static_cast<int>(g.numeri.size());
    if (n < 1 || n > MassimoNumeri)
        return "NUMERI: da 1 a 10 numeri";
    std::array<bool, Numeri + 1> visto{};
    for (int x : g.numeri) {
        if (x < 1 || x > Numeri)
            return "NUMERI: " + std::to_string(x) + " non è un numero da 1 a 90";
        if (visto[static_cast<std::size_t>(x)])
            return "NUMERI: il " + std::to_string(x) + " è ripetuto";
        visto[static_cast<std::size_t>(x)] = true;
    }
    if (numeroRuote(g) == 0)
        return "RUOTE: nessuna ruota";
    static constexpr const char* sorti[] = {"l'estratto", "l'ambo", "il terno", "la quaterna", "la cinquina"};
    for (int s = 1; s <= NumeroSorti; ++s) {
        const Centesimi p = g.poste[static_cast<std::size_t>(s - 1)];
        if (p < 0 || p > 10000000)
            return std::string("POSTE: la posta per ") + sorti[s - 1] + " non è tra 0 e 100000 euro";
        if (p > 0 && s > n)
            return std::string("POSTE: per giocare ") + sorti[s - 1] + " servono almeno " + std::to_string(s) + " numeri";
    }
    if (costoPerEstrazione(g) == 0)
        return "POSTE: nessuna posta";
    // Checked here, not only by the readers: a play stored with a day that is not in the calendar
    // would be dropped as unreadable the next time the plays are read.
    if (!regole::Data::leggi(g.dal))
        return "DAL: data non valida \"" + storage::estratto(g.dal) + "\" (un giorno del calendario, GG/MM/AAAA)";
    if (g.colpi < 1 || g.colpi > 9999)
        return "COLPI: da 1 a 9999";
    return std::nullopt;
}

ImportoFuoriScala::ImportoFuoriScala()
    : std::overflow_error("importo oltre il massimo che si può mostrare (" + testoEuro(MassimoCentesimi) + " euro)")
{
}

Centesimi somma(Centesimi a, Centesimi b)
{
    Centesimi c = 0;
    if (__builtin_add_overflow(a, b, &c) || c < -MassimoCentesimi)
        throw ImportoFuoriScala();
    return c;
}

Centesimi differenza(Centesimi a, Centesimi b)
{
    Centesimi c = 0;
    if (__builtin_sub_overflow(a, b, &c) || c < -MassimoCentesimi)
        throw ImportoFuoriScala();
    return c;
}

Importo& Importo::operator+=(const Importo& altro)
{
    if (__builtin_add_overflow(unita, altro.unita, &unita))
        throw ImportoFuoriScala();
    return *this;
}

Centesimi Importo::centesimi() const
{
    const __int128 meta = UnitaPerCentesimo / 2;
    // Only a value that cannot overflow is negated: -unita of the least __int128 would.
    const __int128 limite = static_cast<__int128>(MassimoCentesimi) * UnitaPerCentesimo;
    if (unita > limite || unita < -limite)
        throw ImportoFuoriScala();
    const __int128 c = unita >= 0 ? (unita + meta) / UnitaPerCentesimo : -((-unita + meta) / UnitaPerCentesimo);
    if (c > MassimoCentesimi || c < -MassimoCentesimi)
        throw ImportoFuoriScala();
    return static_cast<Centesimi>(c);
}

std::int64_t combinazioni(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    std::int64_t c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;   // exact: c * (n-k+i) is i times C(n-k+i, i)
    return c;
}

Importo premioLordo(Centesimi posta, std::int64_t pagaCentesimi, int k, int s, int n, int w)
{
    const std::int64_t cns = combinazioni(n, s);
    if (cns == 0 || w <= 0 || k < s)
        return {};
    const __int128 fattore = UnitaPerCentesimo / (100 * cns * w);
    return {static_cast<__int128>(posta) * pagaCentesimi * combinazioni(k, s) * fattore};
}

Importo premioNetto(const Importo& lordo, int ritenuta)
{
    // The unit holds the levy's 10000 as a factor: the division is exact.
    return {lordo.unita / 10000 * (10000 - ritenuta)};
}

double resaAttesa(const Giocata& g, const Tariffe& t)
{
    const int n = static_cast<int>(g.numeri.size());
    const Centesimi costo = costoPerEstrazione(g);
    if (costo <= 0 || n < 1)
        return 0;
    // P(K = k) = C(n, k) C(90 - n, 5 - k) / C(90, 5), K the played numbers among the five drawn on a wheel.
    const double casi = static_cast<double>(combinazioni(Numeri, Estratti));
    double atteso = 0;   // expected gross cents of one draw, summed over the wheels
    for (int s = 1; s <= NumeroSorti; ++s) {
        const Centesimi posta = g.poste[static_cast<std::size_t>(s - 1)];
        if (posta <= 0 || s > n)
            continue;
        double combinazioniVincenti = 0;   // E[C(K, s)] * C(90, 5)
        for (int k = s; k <= std::min(n, Estratti); ++k)
            combinazioniVincenti += static_cast<double>(combinazioni(n, k) * combinazioni(Numeri - n, Estratti - k) * combinazioni(k, s));
        // Each of the W wheels pays stake * payout * E[C(K, s)] / C(n, s) / W.
        atteso += static_cast<double>(posta) * (static_cast<double>(t.paga[static_cast<std::size_t>(s - 1)]) / 100.0)
                  * combinazioniVincenti / casi / static_cast<double>(combinazioni(n, s));
    }
    return atteso * (10000 - t.ritenuta) / 10000.0 / static_cast<double>(costo);
}

std::string testoStato(Stato s)
{
    switch (s) {
    case Stato::InCorso:
        return "in corso";
    case Stato::Vinta:
        return "vinta";
    case Stato::Conclusa:
        break;
    }
    return "conclusa";
}

TotaliGruppo totaliGruppo(const std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti, std::int64_t gruppo)
{
    TotaliGruppo t;
    Importo netto;
    for (std::size_t i = 0; i < giocate.size() && i < esiti.size(); ++i) {
        if (gruppo <= 0 || giocate[i].gruppo != gruppo)
            continue;
        ++t.giocate;
        t.spesa = somma(t.spesa, esiti[i].spesa);
        netto += esiti[i].netto;
    }
    t.vinto = netto.centesimi();
    return t;
}

TotaliGruppo totaliGiocate(const std::vector<EsitoGiocata>& esiti)
{
    TotaliGruppo t;
    Importo netto;
    for (const auto& e : esiti) {
        ++t.giocate;
        t.spesa = somma(t.spesa, e.spesa);
        netto += e.netto;
    }
    t.vinto = netto.centesimi();
    return t;
}

void segnaGiaAnnunciate(Giocata& g, const archive::Archivio& a, const Tariffe& t)
{
    g.annunciata = verificaGiocata(g, a, t, [](const Vincita&) {}).ultimaVincita;
}

std::vector<std::pair<std::int64_t, std::string>> annunciaNuoveVincite(
    std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti, const archive::Archivio& a, const Tariffe& t,
    const std::function<void(const Giocata&, const Vincita&)>& ogni)
{
    std::vector<std::pair<std::int64_t, std::string>> annunci;
    for (std::size_t i = 0; i < giocate.size() && i < esiti.size(); ++i) {
        Giocata& g = giocate[i];
        // 0 for none announced (or a date that cannot be read): every win is news.
        const int gia = regole::chiave(g.annunciata);
        if (esiti[i].ultimaVincita.empty() || regole::chiave(esiti[i].ultimaVincita) <= gia)
            continue;
        std::string ultima;
        verificaGiocata(g, a, t, [&](const Vincita& v) {
            if (regole::chiave(v.data) <= gia)
                return;
            ultima = v.data;
            ogni(g, v);
        });
        if (!ultima.empty()) {
            annunci.emplace_back(g.id, ultima);
            g.annunciata = ultima;
        }
    }
    return annunci;
}

int primaEstrazioneDal(const archive::Archivio& a, const std::string& ggmmaaaa)
{
    const int dal = regole::chiave(ggmmaaaa);
    int basso = 1, alto = a.NumeroEstrazioni + 1;
    while (basso < alto) {
        const int m = basso + (alto - basso) / 2;
        if (regole::chiave(a.DateEstrazioni[static_cast<std::size_t>(m)]) < dal)
            basso = m + 1;
        else
            alto = m;
    }
    return basso;
}

EsitoGiocata verificaGiocata(const Giocata& g, const archive::Archivio& a, const Tariffe& t)
{
    std::vector<Vincita> vincite;
    // About n * 5/90 estratti a wheel and draw: one allocation for most plays.
    vincite.reserve(static_cast<std::size_t>(std::min(g.colpi, 1000)) * static_cast<std::size_t>(numeroRuote(g))
                        * g.numeri.size() / 16 + 4);
    EsitoGiocata e = verificaGiocata(g, a, t, [&vincite](const Vincita& v) { vincite.push_back(v); });
    e.vincite = std::move(vincite);
    return e;
}

EsitoGiocata verificaGiocata(const Giocata& g, const archive::Archivio& a, const Tariffe& t,
                             const std::function<void(const Vincita&)>& ogniVincita)
{
    EsitoGiocata e;
    e.resa = resaAttesa(g, t);
    const int n = static_cast<int>(g.numeri.size());
    const int w = numeroRuote(g);
    std::array<bool, Numeri + 1> giocato{};
    for (int x : g.numeri)
        if (x >= 1 && x <= Numeri)
            giocato[static_cast<std::size_t>(x)] = true;
    // The prize of each sorte for each k, worked out once: the draws only look them up.
    std::array<std::array<Importo, Estratti + 1>, NumeroSorti> lordi{}, netti{};
    for (int s = 1; s <= NumeroSorti; ++s)
        for (int k = s; k <= Estratti; ++k) {
            const auto i = static_cast<std::size_t>(s - 1);
            lordi[i][static_cast<std::size_t>(k)] = premioLordo(g.poste[i], t.paga[i], k, s, n, w);
            netti[i][static_cast<std::size_t>(k)] = premioNetto(lordi[i][static_cast<std::size_t>(k)], t.ritenuta);
        }

    const int primo = primaEstrazioneDal(a, g.dal);
    int ultima = 0;
    bool finita = false;
    for (int d = primo; d <= a.NumeroEstrazioni && e.colpiGiocati < g.colpi && !finita; ++d) {
        ++e.colpiGiocati;
        bool vinto = false;
        for (int r = 0; r < archive::NumeroRuote; ++r) {
            if (!g.ruote[static_cast<std::size_t>(r)])
                continue;
            const std::int16_t* estratti = a.ruota(d, r);
            int k = 0;
            for (int p = 1; p <= Estratti; ++p)
                k += estratti[p] >= 1 && estratti[p] <= Numeri && giocato[static_cast<std::size_t>(estratti[p])];
            for (int s = 1; s <= std::min(k, NumeroSorti); ++s) {
                const Importo& lordo = lordi[static_cast<std::size_t>(s - 1)][static_cast<std::size_t>(k)];
                if (lordo.unita == 0)
                    continue;
                const Importo& netto = netti[static_cast<std::size_t>(s - 1)][static_cast<std::size_t>(k)];
                e.lordo += lordo;
                e.netto += netto;
                ++e.numeroVincite;
                ultima = d;
                ogniVincita({d, a.DateEstrazioni[static_cast<std::size_t>(d)], e.colpiGiocati, r, s, k, lordo, netto});
                vinto = true;
            }
        }
        finita = vinto && g.finoAllaPrimaVincita;
    }
    e.spesa = costoPerEstrazione(g) * e.colpiGiocati;
    if (ultima > 0)
        e.ultimaVincita = a.DateEstrazioni[static_cast<std::size_t>(ultima)];
    if (!finita && e.colpiGiocati < g.colpi)
        e.stato = Stato::InCorso;
    else
        e.stato = e.numeroVincite == 0 ? Stato::Conclusa : Stato::Vinta;
    return e;
}

std::string testoEuro(Centesimi c)
{
    const Centesimi assoluto = c < 0 ? -c : c;
    char testo[40];
    std::snprintf(testo, sizeof testo, "%s%lld,%02lld", c < 0 ? "-" : "", static_cast<long long>(assoluto / 100),
                  static_cast<long long>(assoluto % 100));
    return testo;
}

std::optional<Centesimi> leggiEuro(std::string_view testo) { return leggiCentesimiFino(testo, 10000000); }

std::optional<std::int64_t> leggiCentesimiFino(std::string_view testo, std::int64_t massimo)
{
    Centesimi interi = 0;
    int decimali = -1;   // digits after the mark; -1 before it
    Centesimi parte = 0;
    bool cifre = false;
    for (char c : testo) {
        if (c == ',' || c == '.') {
            if (decimali >= 0)
                return std::nullopt;
            decimali = 0;
        } else if (c >= '0' && c <= '9') {
            cifre = true;
            if (decimali < 0) {
                interi = interi * 10 + (c - '0');
                if (interi > massimo / 100)
                    return std::nullopt;
            } else {
                if (++decimali > 2)
                    return std::nullopt;
                parte = parte * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!cifre)
        return std::nullopt;
    if (decimali == 1)
        parte *= 10;
    const Centesimi c = interi * 100 + parte;
    if (c > massimo)
        return std::nullopt;
    return c;
}

std::string testoNumeri(const std::vector<int>& numeri)
{
    std::string t;
    for (int x : numeri) {
        if (!t.empty())
            t += '-';
        if (x < 10)
            t += '0';
        t += std::to_string(x);
    }
    return t;
}

std::optional<std::vector<int>> leggiNumeri(std::string_view testo, std::string& motivo, int massimo)
{
    std::vector<int> numeri;
    std::array<bool, Numeri + 1> visto{};
    std::size_t i = 0;
    while (i < testo.size()) {
        const char c = testo[i];
        if (c == '-' || c == ' ' || c == ',') {
            ++i;
            continue;
        }
        if (c < '0' || c > '9') {
            // The whole character, however many bytes it takes, shown as a message can show it.
            const auto b = static_cast<unsigned char>(c);
            const std::size_t lunghezza = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            motivo = "carattere non ammesso \"" + storage::estratto(testo.substr(i, lunghezza)) + "\"";
            return std::nullopt;
        }
        int v = 0;
        std::size_t cifre = 0;
        while (i < testo.size() && testo[i] >= '0' && testo[i] <= '9') {
            if (++cifre <= 3)
                v = v * 10 + (testo[i] - '0');
            ++i;
        }
        if (cifre > 2 || v < 1 || v > Numeri) {
            motivo = "i numeri vanno da 1 a 90";
            return std::nullopt;
        }
        if (visto[static_cast<std::size_t>(v)]) {
            motivo = "il " + std::to_string(v) + " è ripetuto";
            return std::nullopt;
        }
        visto[static_cast<std::size_t>(v)] = true;
        numeri.push_back(v);
    }
    if (numeri.empty() || numeri.size() > static_cast<std::size_t>(massimo)) {
        motivo = "da 1 a " + std::to_string(massimo) + " numeri";
        return std::nullopt;
    }
    return numeri;
}

namespace {
bool soloRegionali(const std::array<bool, archive::NumeroRuote>& ruote)
{
    for (int r = 0; r < archive::NumeroRuote; ++r)
        if (ruote[static_cast<std::size_t>(r)] != (r < archive::NumeroRuote - 1))
            return false;
    return true;
}
}

std::string testoRuote(const std::array<bool, archive::NumeroRuote>& ruote)
{
    if (soloRegionali(ruote))
        return "TT";
    std::string t;
    for (int r = 0; r < archive::NumeroRuote; ++r)
        if (ruote[static_cast<std::size_t>(r)]) {
            if (!t.empty())
                t += ',';
            t += archive::SigleRuote[static_cast<std::size_t>(r)];
        }
    return t;
}

std::string descrizioneRuote(const std::array<bool, archive::NumeroRuote>& ruote)
{
    return soloRegionali(ruote) ? "Tutte" : testoRuote(ruote);
}

std::optional<std::array<bool, archive::NumeroRuote>> leggiRuote(std::string_view testo, std::string& motivo)
{
    std::array<bool, archive::NumeroRuote> ruote{};
    std::string codice;
    auto prendi = [&]() -> bool {
        if (codice.empty()) {
            motivo = "ruota mancante";
            return false;
        }
        if (codice == "TT" || codice == "tt" || codice == "Tt" || codice == "tT") {
            for (int r = 0; r < archive::NumeroRuote - 1; ++r) {
                if (ruote[static_cast<std::size_t>(r)]) {
                    motivo = "ruota ripetuta";
                    return false;
                }
                ruote[static_cast<std::size_t>(r)] = true;
            }
        } else {
            const auto r = archive::RuotaDaCodice(codice);
            if (!r) {
                motivo = "ruota sconosciuta \"" + storage::estratto(codice) + "\"";
                return false;
            }
            if (ruote[static_cast<std::size_t>(*r)]) {
                motivo = "ruota ripetuta \"" + storage::estratto(codice) + "\"";
                return false;
            }
            ruote[static_cast<std::size_t>(*r)] = true;
        }
        codice.clear();
        return true;
    };
    for (char c : testo) {
        if (c == ',') {
            if (!prendi())
                return std::nullopt;
        } else if (c != ' ') {
            codice += c;
        }
    }
    if (!prendi())
        return std::nullopt;
    return ruote;
}

std::string testoPoste(const std::array<Centesimi, NumeroSorti>& poste)
{
    std::string t;
    for (std::size_t s = 0; s < poste.size(); ++s) {
        if (s > 0)
            t += '/';
        std::string e = testoEuro(poste[s]);
        // "1,00" is written "1", "0,50" stays.
        if (e.size() > 3 && e.compare(e.size() - 3, 3, ",00") == 0)
            e.resize(e.size() - 3);
        t += e;
    }
    return t;
}

std::string testoPercentuale(double frazione)
{
    return grid::conVirgola(frazione * 100.0, 1) + "%";
}

}
