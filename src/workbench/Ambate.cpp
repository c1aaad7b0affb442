// The formula search shared by AMBATE and ABBINAMENTI: first-hit tables, scoring (the wide types on every core), the ranking.
#include "workbench/Ambate.h"

#include "engine/Numeri.h"
#include "engine/Operatori.h"
#include "engine/Piramide.h"
#include "workbench/Candidati.h"
#include "workbench/ConfrontoCaso.h"
#include "workbench/Parallelo.h"
#include "workbench/Trasferimenti.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace workbench {

namespace {

constexpr int Ruote = archive::NumeroRuote;

// Index of a forecast in a case's table: 1..90 the number itself; 0 a value that is
// never drawn (0, 91, negatives), which in the pair search can still score through
// the case's own numbers; 91 a formula that could not be computed on the case (the
// window warns); 92 one that reads a wheel not drawn on the case (no hit, no warning).
constexpr int NonEstraibile = 0;
constexpr int Errore = 91;
constexpr int NonCalcolabile = 92;
using Tabella = std::array<std::uint8_t, 93>;

inline int indiceEsito(int a) { return a >= 1 && a <= 90 ? a : NonEstraibile; }

// The index of a candidate one of whose operands is not a number (leggiOperando).
inline int senzaOperando(int n1, int n2 = 0)
{
    return n1 == OperandoFuori || n2 == OperandoFuori ? Errore : NonCalcolabile;
}

// A case that can be scored: enabled and with its draw inside 1..R, its numbers as the candidates read them.
struct CasoValido : NumeriDelCaso {
    // colpiti[x] = wheels in play on which forecast x wins in the first colpo that
    // has a win (0: no win within the colpi). colpiti[Errore] and colpiti[NonCalcolabile] are always 0.
    Tabella colpiti{};
};


// Ambate: forecast x wins on a wheel when x is among its five numbers.
void tabellaAmbate(const ImpostazioniRicerca& imp, const archive::Archivio& a, CasoValido& caso)
{
    const auto ruote = ruoteAlPrimoColpo(a, imp.ruote, caso.d, std::min(caso.d + imp.colpi, imp.riferimento));
    for (int x = 1; x <= 90; ++x)
        if (ruote[x])
            caso.colpiti[x] = ruote[x];
}

// Pairs: forecast x joins the case's own numbers F; a wheel wins when at least S of
// its positions hold a number of F + {x}.
void tabellaAbbinamenti(const ImpostazioniRicerca& imp, const archive::Archivio& a, const CasoRicerca& origine,
                        CasoValido& caso)
{
    std::array<bool, 91> giocato{};
    for (int n : origine.giocati)
        if (n >= 1 && n <= 90)
            giocato[n] = true;
    const int s = imp.sorte();
    std::array<bool, 91> risolto{};
    const int ultimo = std::min(caso.d + imp.colpi, imp.riferimento);
    for (int c = caso.d + 1; c <= ultimo; ++c) {
        int base = 0;   // wheels that win whatever x is
        std::array<std::uint8_t, 91> extra{};
        for (int w = 0; w < Ruote; ++w) {
            if (!imp.ruote[static_cast<std::size_t>(w)])
                continue;
            const std::int16_t* n = a.ruota(c, w);
            int m = 0;
            for (int p = 1; p <= 5; ++p)
                if (n[p] >= 1 && n[p] <= 90 && giocato[n[p]])
                    ++m;
            if (m >= s) {
                ++base;
                continue;
            }
            for (int p = 1; p <= 5; ++p) {
                const int x = n[p];
                if (x < 1 || x > 90 || giocato[x])
                    continue;
                bool primo = true;
                int volte = 0;
                for (int q = 1; q <= 5; ++q) {
                    if (n[q] == x) {
                        primo = primo && q >= p;
                        ++volte;
                    }
                }
                if (primo && m + volte >= s)
                    ++extra[x];
            }
        }
        for (int x = 0; x <= 90; ++x) {
            if (risolto[x])
                continue;
            const int k = base + extra[x];
            if (k) {
                risolto[x] = true;
                caso.colpiti[x] = static_cast<std::uint8_t>(k);
            }
        }
    }
}

// Score of one candidate: cases covered, wheels won in their first covering colpo.
struct Punteggio {
    std::int32_t cop = 0;
    std::int32_t tot = 0;
};

// A table of an operator that only combines its inputs: esiti[(n1 * dim2 + n2) * dimV + V]
// for every input, and errori[n1 * dim2 + n2] telling whether any V of that pair fails
// (type 7 checks it once per case, not per V).
struct Tavola {
    std::mutex guardia;   // held while the table is being filled
    bool pronta = false;
    std::vector<std::uint8_t> esiti, errori;
    std::vector<std::uint8_t> sempre, uguali;   // per V: see EsitiTabulati
    std::vector<std::int8_t> rotazione;          // per input pair: see EsitiTabulati
};

// Which values of V make the table blind to the draw: the same outcome for every input
// 1..90 (`sempre`), or, with two numbers, whenever both are the same number (`uguali`).
void segnaFissi(Tavola& t, int dim2, int dimV)
{
    t.sempre.assign(static_cast<std::size_t>(dimV), 1);
    t.uguali.assign(static_cast<std::size_t>(dimV), dim2 > 1 ? 1 : 0);
    const auto esito = [&](int n1, int n2, int k) { return t.esiti[static_cast<std::size_t>((n1 * dim2 + n2) * dimV + k)]; };
    const int primo2 = dim2 > 1 ? 1 : 0;
    for (int k = 0; k < dimV; ++k) {
        const auto base = esito(1, primo2, k);
        for (int n1 = 1; n1 <= 90 && t.sempre[static_cast<std::size_t>(k)]; ++n1)
            for (int n2 = primo2; n2 < dim2 && t.sempre[static_cast<std::size_t>(k)]; ++n2)
                t.sempre[static_cast<std::size_t>(k)] = esito(n1, n2, k) == base;
        if (dim2 > 1)
            for (int n = 2; n <= 90 && t.uguali[static_cast<std::size_t>(k)]; ++n)
                t.uguali[static_cast<std::size_t>(k)] = esito(n, n, k) == esito(1, 1, k);
    }
}

// The tables depend on the operator and their shape alone: each is filled once in the
// process and then only read, by every search after (the random-case runs would
// otherwise redo the 745,290 evaluations of each type 7 operator twenty times).
Tavola& tavola(int op, int dim2, int dimV)
{
    static std::mutex guardia;
    static std::map<std::tuple<int, int, int>, std::unique_ptr<Tavola>> tavole;
    const std::lock_guard<std::mutex> l(guardia);
    auto& t = tavole[{op, dim2, dimV}];
    if (!t)
        t = std::make_unique<Tavola>();
    return *t;
}

// Scoring of the candidates of one operator. Operators that only combine the numbers
// they are given are tabulated once over every input (N1, N2, V), so a candidate on a
// case costs two lookups; operators that read the draw themselves are evaluated.
class Valutatore {
public:
    Valutatore(const archive::Archivio& a, const std::vector<CasoValido>& casi, int fili,
               avanzamento::Avanzamento* avanzamento)
        : a_(a), casi_(casi), fili_(fili), avanzamento_(avanzamento)
    {
    }

    // Scores in enumeration order; `ultimi` receives, for type 6, the forecast of the
    // last case on which the formula could be computed (the pair search shows it).
    void punteggi(const std::string& codice, int tipo, std::vector<Punteggio>& punti,
                  std::vector<std::optional<int>>& ultimi, bool& anomalia)
    {
        op_ = engine::IndiceOperatore(codice);
        diretto_ = op_ >= 0 && engine::LeggeOperatore(op_).Estrazione;
        std::atomic<bool> errore{false};
        punti.assign(static_cast<std::size_t>(candidati::quanti(tipo)), Punteggio{});
        ultimi.assign(punti.size(), std::nullopt);
        // Bar 2: one step per tabulated N1, then one per scored unit (below).
        const bool tabulato = !diretto_ && tipo >= 1 && tipo <= 7 && tipo != 6;
        iniziaPassi((tabulato ? 91 : 0) + unita(tipo));
        switch (tipo) {
        case 1:
        case 4:
            if (!diretto_)
                tabula(t1_, 1, 1, false);
            break;
        case 2:
            if (!diretto_)
                tabula(t2_, 91, 1, false);
            break;
        case 3:
        case 5:
            if (!diretto_)
                tabula(t3_, 1, ValoriFissi, false);
            break;
        case 7:
            if (!diretto_)
                tabula(t7_, 91, ValoriFissi, true);
            break;
        default:
            break;
        }
        // Below this many candidate-cases, starting a thread costs more than it saves.
        const bool grande = static_cast<long long>(punti.size()) * static_cast<long long>(casi_.size()) > 200000;
        switch (tipo) {
        case 1:
            perOgni(CelleCaso, 1, [&](int i) { tipoUno(i, punti, errore); passo(); });
            break;
        case 2:
            perOgni(CelleCaso, grande ? fili_ : 1, [&](int i) { tipoDue(i, punti, errore); passo(); });
            break;
        case 3:
            perOgni(CelleCaso, grande ? fili_ : 1, [&](int i) { tipoTre(i, punti, errore); passo(); });
            break;
        case 4:
            perOgni(90, 1, [&](int i) { tipoQuattro(i + 1, punti, errore); passo(); });
            break;
        case 5:
            perOgni(Ritardi, 1, [&](int v) { tipoCinque(v, punti, errore); passo(); });
            break;
        case 6:
            perOgni(Ruote, 1, [&](int r) { tipoSei(r, punti, ultimi, errore); passo(); });
            break;
        case 7:
            perOgni(CelleCaso, fili_, [&](int i) { tipoSette(i, punti, errore); passo(); });
            break;
        default:
            break;
        }
        // A fixed number in disguise scores nothing: it can never enter the list.
        if (tabulato)
            for (int i : candidatiFissi(tipo, tabella_))
                punti[static_cast<std::size_t>(i)] = Punteggio{};
        else if (diretto_)
            for (int i : candidatiFissiDiretti(tipo, op_))
                punti[static_cast<std::size_t>(i)] = Punteggio{};
        if (errore)
            anomalia = true;
    }

    // Steps of bar 2 for the scoring of a type: its outermost loop.
    static int unita(int tipo)
    {
        switch (tipo) {
        case 1:
        case 2:
        case 3:
        case 7: return CelleCaso;
        case 4: return 90;
        case 5: return Ritardi;
        case 6: return Ruote;
        default: return 0;
        }
    }


private:
    void iniziaPassi(int totale)
    {
        totalePassi_ = totale;
        passiFatti_ = 0;
        avanzamento::imposta(avanzamento_, 2, 0, totale);
    }
    // One step of bar 2 done (from any scoring thread), and the stop check.
    void passo() const
    {
        avanzamento::imposta(avanzamento_, 2, ++passiFatti_, totalePassi_);
        avanzamento::controlla(avanzamento_);
    }
    void controlla() const { avanzamento::controlla(avanzamento_); }

    // The evaluator on prepared inputs: the table index of its result. Only the
    // evaluator's own calculation errors mean "not computable on this case".
    int valuta(const engine::ValoriOperatore& v) const
    {
        if (op_ < 0)
            return NonEstraibile;   // an unknown code computes nothing
        try {
            return indiceEsito(engine::Valuta(op_, v, a_));
        } catch (const engine::ErroreCalcolo&) {
            return Errore;
        }
    }
    // Raw result for type 6, or nullopt when it could not be computed.
    std::optional<int> valutaGrezzo(const engine::ValoriOperatore& v) const
    {
        if (op_ < 0)
            return 0;
        try {
            return engine::Valuta(op_, v, a_);
        } catch (const engine::ErroreCalcolo&) {
            return std::nullopt;
        }
    }

    // Points `esiti` (and errori_) at the operator's table of that shape, filling it
    // first when no search has yet. Bar 2 takes its 91 steps either way, so that it
    // moves alike whether the table was there or not.
    void tabula(const std::uint8_t*& esiti, int dim2, int dimV, bool parallelo)
    {
        const EsitiTabulati t = tabulaOperatore(op_, dim2, dimV, a_, parallelo ? fili_ : 1, [this] { passo(); });
        esiti = t.esiti;
        errori_ = t.errori;
        tabella_ = t;
    }

    // Direct evaluation for operators that read the draw: the fields as the plain
    // search sets them for the type.
    int diretto(const CasoValido& c, int tipo, const Candidato& candidato) const
    {
        const engine::ValoriOperatore v = valoriDelCandidato(tipo, candidato, c);
        if (v.N1 < 0 || v.N2 < 0)
            return senzaOperando(v.N1, v.N2);
        return valuta(v);
    }

    static void conta(Punteggio& p, int k)
    {
        p.cop += k != 0;
        p.tot += k;
    }

    void tipoUno(int i1, std::vector<Punteggio>& punti, std::atomic<bool>& errore) const
    {
        Punteggio& p = punti[static_cast<std::size_t>(candidati::codifica(1, {i1}))];
        for (const auto& c : casi_) {
            const int n1 = c.numeri[static_cast<std::size_t>(i1)];
            const int x = diretto_ ? diretto(c, 1, {i1}) : (n1 < 0 ? senzaOperando(n1) : t1_[static_cast<std::size_t>(n1)]);
            if (x == Errore)
                errore = true;
            conta(p, c.colpiti[static_cast<std::size_t>(x)]);
        }
    }

    void tipoDue(int i1, std::vector<Punteggio>& punti, std::atomic<bool>& errore) const
    {
        bool err = false;
        for (int i2 = 0; i2 < CelleCaso; ++i2) {
            if (diretto_)
                controlla();
            Punteggio& p = punti[static_cast<std::size_t>(candidati::codifica(2, {i1, i2}))];
            for (const auto& c : casi_) {
                const int n1 = c.numeri[static_cast<std::size_t>(i1)];
                const int n2 = c.numeri[static_cast<std::size_t>(i2)];
                int x;
                if (diretto_)
                    x = diretto(c, 2, {i1, i2});
                else
                    x = n1 < 0 || n2 < 0 ? senzaOperando(n1, n2) : t2_[static_cast<std::size_t>(n1 * 91 + n2)];
                err = err || x == Errore;
                conta(p, c.colpiti[static_cast<std::size_t>(x)]);
            }
        }
        if (err)
            errore = true;
    }

    void tipoTre(int i1, std::vector<Punteggio>& punti, std::atomic<bool>& errore) const
    {
        bool err = false;
        Punteggio* riga = &punti[static_cast<std::size_t>(candidati::codifica(3, {i1}))];
        for (const auto& c : casi_) {
            if (diretto_)
                controlla();
            const int n1 = c.numeri[static_cast<std::size_t>(i1)];
            for (int k = 0; k < ValoriFissi; ++k) {
                int x;
                if (diretto_)
                    x = diretto(c, 3, {i1, -1, k});
                else
                    x = n1 < 0 ? senzaOperando(n1) : t3_[static_cast<std::size_t>(n1 * ValoriFissi + k)];
                err = err || x == Errore;
                conta(riga[k], c.colpiti[static_cast<std::size_t>(x)]);
            }
        }
        if (err)
            errore = true;
    }

    void tipoQuattro(int n, std::vector<Punteggio>& punti, std::atomic<bool>& errore) const
    {
        Punteggio& p = punti[static_cast<std::size_t>(candidati::codifica(4, {-1, -1, n}))];
        for (const auto& c : casi_) {
            const int x = diretto_ ? diretto(c, 4, {-1, -1, n}) : t1_[static_cast<std::size_t>(n)];
            if (x == Errore)
                errore = true;
            conta(p, c.colpiti[static_cast<std::size_t>(x)]);
        }
    }

    void tipoCinque(int k, std::vector<Punteggio>& punti, std::atomic<bool>& errore) const
    {
        for (int i1 = 0; i1 < CelleCaso; ++i1) {
            Punteggio& p = punti[static_cast<std::size_t>(candidati::codifica(5, {i1, -1, k}))];
            for (const auto& c : casi_) {
                const int n1 = c.precedenti[static_cast<std::size_t>(k)][static_cast<std::size_t>(i1)];
                int x;
                if (diretto_)
                    x = diretto(c, 5, {i1, -1, k});
                else
                    x = n1 < 0 ? senzaOperando(n1) : t3_[static_cast<std::size_t>(n1 * ValoriFissi + k)];
                if (x == Errore)
                    errore = true;
                conta(p, c.colpiti[static_cast<std::size_t>(x)]);
            }
        }
    }

    void tipoSei(int r, std::vector<Punteggio>& punti, std::vector<std::optional<int>>& ultimi,
                 std::atomic<bool>& errore) const
    {
        Punteggio& p = punti[static_cast<std::size_t>(candidati::codifica(6, {-1, -1, 0, r}))];
        for (const auto& c : casi_) {
            // A wheel not drawn on the case: the formula is not computable there.
            if (!a_.ruotaEstratta(c.d, r))
                continue;
            engine::ValoriOperatore v;
            v.EstrazioneCalcolo = c.d;
            v.R1 = r;
            const auto a = valutaGrezzo(v);
            if (!a) {
                errore = true;
                continue;
            }
            ultimi[static_cast<std::size_t>(r)] = *a;
            conta(p, c.colpiti[static_cast<std::size_t>(indiceEsito(*a))]);
        }
    }

    // The hot loop: 55 x 55 reference pairs x 90 values x the cases.
    void tipoSette(int i1, std::vector<Punteggio>& punti, std::atomic<bool>& errore) const
    {
        bool err = false;
        std::array<std::int32_t, ValoriFissi> cop{};
        std::array<std::int32_t, ValoriFissi> tot{};
        for (int i2 = 0; i2 < CelleCaso; ++i2) {
            controlla();
            cop.fill(0);
            tot.fill(0);
            for (const auto& c : casi_) {
                const int n1 = c.numeri[static_cast<std::size_t>(i1)];
                const int n2 = c.numeri[static_cast<std::size_t>(i2)];
                const std::uint8_t* tab = c.colpiti.data();
                if (diretto_) {
                    for (int k = 0; k < ValoriFissi; ++k) {
                        const int x = diretto(c, 7, {i1, i2, k});
                        err = err || x == Errore;
                        cop[static_cast<std::size_t>(k)] += tab[x] != 0;
                        tot[static_cast<std::size_t>(k)] += tab[x];
                    }
                    continue;
                }
                if (n1 < 0 || n2 < 0) {
                    err = err || senzaOperando(n1, n2) == Errore;
                    continue;
                }
                const std::size_t coppia = static_cast<std::size_t>(n1 * 91 + n2);
                err = err || errori_[coppia];
                const std::uint8_t* riga = &t7_[coppia * ValoriFissi];
                for (int k = 0; k < ValoriFissi; ++k) {
                    const std::uint8_t h = tab[riga[k]];
                    cop[static_cast<std::size_t>(k)] += h != 0;
                    tot[static_cast<std::size_t>(k)] += h;
                }
            }
            Punteggio* out = &punti[static_cast<std::size_t>(candidati::codifica(7, {i1, i2}))];
            for (int k = 0; k < ValoriFissi; ++k)
                out[k] = {cop[static_cast<std::size_t>(k)], tot[static_cast<std::size_t>(k)]};
        }
        if (err)
            errore = true;
    }

    const archive::Archivio& a_;
    const std::vector<CasoValido>& casi_;
    int fili_;   // threads for the work spread over the cores, the calling one included
    avanzamento::Avanzamento* avanzamento_;
    int op_ = -1;
    bool diretto_ = false;
    int totalePassi_ = 0;
    mutable std::atomic<int> passiFatti_{0};
    // The operator's shared tables (tavola), read only.
    const std::uint8_t* t1_ = nullptr;
    const std::uint8_t* t2_ = nullptr;
    const std::uint8_t* t3_ = nullptr;
    const std::uint8_t* t7_ = nullptr;
    const std::uint8_t* errori_ = nullptr;
    EsitiTabulati tabella_;   // the last table pointed at, for its fixed candidates
};

}  // namespace

EsitiTabulati tabulaOperatore(int op, int dim2, int dimV, const archive::Archivio& a, int fili,
                              const std::function<void()>& passo)
{
    Tavola& t = tavola(op, dim2, dimV);
    const std::lock_guard<std::mutex> l(t.guardia);
    if (t.pronta) {
        for (int n1 = 0; n1 < 91; ++n1)
            passo();
    } else {
        // A stop while filling leaves it not ready: the next search starts it again.
        // One more row past the inputs, never computable: where a case's unreadable cells point.
        t.esiti.assign(static_cast<std::size_t>(91 * dim2 * dimV + dimV), static_cast<std::uint8_t>(Errore));
        t.errori.assign(static_cast<std::size_t>(91 * dim2), 0);
        perOgni(91, fili, [&](int n1) {
            passo();
            engine::ValoriOperatore v;
            v.N1 = n1;
            for (int n2 = 0; n2 < dim2; ++n2) {
                v.N2 = n2;
                for (int k = 0; k < dimV; ++k) {
                    v.ValoreFisso = k;
                    int x = NonEstraibile;   // an unknown code computes nothing
                    if (op >= 0) {
                        try {
                            x = indiceEsito(engine::Valuta(op, v, a));
                        } catch (const engine::ErroreCalcolo&) {
                            x = Errore;
                        }
                    }
                    t.esiti[static_cast<std::size_t>((n1 * dim2 + n2) * dimV + k)] = static_cast<std::uint8_t>(x);
                    if (x == Errore)
                        t.errori[static_cast<std::size_t>(n1 * dim2 + n2)] = 1;
                }
            }
        });
        segnaFissi(t, dim2, dimV);
        if (dimV == ValoriFissi) {
            t.rotazione.assign(static_cast<std::size_t>(91 * dim2), -1);
            for (int coppia = 0; coppia < 91 * dim2; ++coppia) {
                const std::uint8_t* riga = &t.esiti[static_cast<std::size_t>(coppia * dimV)];
                const int b = riga[0] - 1;
                bool ruota = b >= 0 && b < ValoriFissi;
                for (int k = 1; k < ValoriFissi && ruota; ++k)
                    ruota = riga[k] == (b + k) % ValoriFissi + 1;
                if (ruota)
                    t.rotazione[static_cast<std::size_t>(coppia)] = static_cast<std::int8_t>(b);
            }
        }
        t.pronta = true;
    }
    return {t.esiti.data(), t.errori.data(), t.sempre.data(), t.uguali.data(),
            t.rotazione.empty() ? nullptr : t.rotazione.data()};
}

std::vector<int> candidatiFissi(int tipo, const EsitiTabulati& t)
{
    std::vector<int> fissi;
    if (!t.sempre || !t.uguali)
        return fissi;
    switch (tipo) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 7:
        for (int i = 0; i < candidati::quanti(tipo); ++i) {
            const Candidato c = candidati::decodifica(tipo, i);
            const auto k = static_cast<std::size_t>(c.valore);   // 0 for classes 1 and 2
            if (t.sempre[k] || (c.cella2 >= 0 && c.cella1 == c.cella2 && t.uguali[k]))
                fissi.push_back(i);
        }
        break;
    default: break;   // 4 is a fixed number by name, 6 reads the draw itself
    }
    return fissi;
}

int leggiOperando(const archive::Archivio& a, int d, int w, int p)
{
    if (d < 1 || d > a.NumeroEstrazioni)
        return OperandoFuori;
    if (!a.ruotaEstratta(d, w))
        return OperandoNonEstratto;
    const int n = a.numero(d, w, p);
    return n >= 0 && n <= 90 ? n : OperandoFuori;
}

namespace {

// Draws of varied numbers for costanteSuOgniEstrazione: every wheel drawn, its five numbers
// different from each other and, position by position, from draw to draw.
constexpr int PrimaProva = Ritardi + 1;   // class 5 reads up to 10 draws before
constexpr int Prove = 12;

void estrazioneDiProva(archive::Archivio& a, int d, int seme)
{
    for (int w = 0; w < Ruote; ++w) {
        std::array<bool, 91> preso{};
        for (int p = 1; p <= 5; ++p) {
            int x = (seme * 37 + w * 53 + p * 17 + (seme * w * 11 + p * p * seme) % 29) % 90 + 1;
            while (preso[static_cast<std::size_t>(x)])
                x = x % 90 + 1;
            preso[static_cast<std::size_t>(x)] = true;
            a.setNumero(d, w, p, static_cast<std::int16_t>(x));
        }
    }
}

const archive::Archivio& archivioDiProva()
{
    static const archive::Archivio prova = [] {
        archive::Archivio a;
        a.NumeroEstrazioni = PrimaProva + Prove - 1;
        for (int d = 1; d <= a.NumeroEstrazioni; ++d)
            estrazioneDiProva(a, d, d);
        return a;
    }();
    return prova;
}

}

bool costanteSuOgniEstrazione(const std::vector<Lettura>& letture,
                              const std::function<int(const archive::Archivio&, int)>& valore, int& costante)
{
    const archive::Archivio& prova = archivioDiProva();
    costante = valore(prova, PrimaProva);
    for (int d = PrimaProva + 1; d < PrimaProva + Prove; ++d)
        if (valore(prova, d) != costante)
            return false;
    if (letture.empty())
        return true;
    const bool soloSuD = std::all_of(letture.begin(), letture.end(), [](const Lettura& l) { return l.ritardo == 0; });
    if (letture.size() > 2 || !soloSuD)
        return false;   // not provable here: taken to depend on the draw
    // Every content of the numbers read, one draw each, the others as a varied draw holds them.
    const int contenuti = letture.size() == 1 ? 90 : 90 * 90;
    auto tutte = std::make_unique<archive::Archivio>();
    tutte->NumeroEstrazioni = PrimaProva + contenuti - 1;
    for (int t = 0; t < contenuti; ++t) {
        const int d = PrimaProva + t;
        estrazioneDiProva(*tutte, d, d);
        tutte->setNumero(d, letture[0].ruota, letture[0].posizione, static_cast<std::int16_t>(t % 90 + 1));
        if (letture.size() == 2)
            tutte->setNumero(d, letture[1].ruota, letture[1].posizione, static_cast<std::int16_t>(t / 90 + 1));
    }
    for (int d = 1; d < PrimaProva; ++d)
        estrazioneDiProva(*tutte, d, d);
    for (int d = PrimaProva; d <= tutte->NumeroEstrazioni; ++d)
        if (valore(*tutte, d) != costante)
            return false;
    return true;
}

std::vector<int> candidatiFissiDiretti(int tipo, int op)
{
    static std::mutex guardia;
    static std::map<std::pair<int, int>, std::vector<int>> noti;
    const std::lock_guard<std::mutex> l(guardia);
    const auto trovato = noti.find({tipo, op});
    if (trovato != noti.end())
        return trovato->second;
    std::vector<int>& fissi = noti[{tipo, op}];
    const engine::Ingressi in = engine::LeggeOperatore(op);
    if (!in.Estrazione)
        return fissi;
    // The varied draws' numbers, read once for every candidate.
    const archive::Archivio& prova = archivioDiProva();
    std::vector<NumeriDelCaso> numeriProva;
    for (int d = 0; d < PrimaProva + Prove; ++d)
        numeriProva.push_back(numeriDelCaso(prova, d));
    for (int i = 0; i < candidati::quanti(tipo); ++i) {
        const Candidato c = candidati::decodifica(tipo, i);
        const engine::ValoriOperatore campi = valoriDelCandidato(tipo, c, NumeriDelCaso{});
        std::vector<Lettura> letture;
        const auto leggi = [&](Lettura x) {
            if (std::find(letture.begin(), letture.end(), x) == letture.end())
                letture.push_back(x);
        };
        if (in.N1 && c.cella1 >= 0)
            leggi({c.cella1 / 5, c.cella1 % 5 + 1, tipo == 5 ? c.valore : 0});
        if (in.N2 && c.cella2 >= 0)
            leggi({c.cella2 / 5, c.cella2 % 5 + 1, 0});
        // The operator's own reads: the first P positions of its wheels, or the whole wheel.
        for (int p = 1; in.R1 && p <= (in.P1 ? campi.P1 : 5); ++p)
            leggi({campi.R1, p, 0});
        for (int p = 1; in.R2 && p <= (in.P2 ? campi.P2 : 5); ++p)
            leggi({campi.R2, p, 0});
        const auto valore = [&](const archive::Archivio& a, int d) {
            const NumeriDelCaso caso = &a == &prova ? numeriProva[static_cast<std::size_t>(d)] : numeriDelCaso(a, d);
            const engine::ValoriOperatore v = valoriDelCandidato(tipo, c, caso);
            if (v.N1 < 0 || v.N2 < 0)
                return static_cast<int>(Errore);
            try {
                return indiceEsito(engine::Valuta(op, v, a));
            } catch (const engine::ErroreCalcolo&) {
                return static_cast<int>(Errore);
            }
        };
        // Only a number: a formula that never computes, or never gives a number, scores nothing anyway.
        int costante = 0;
        if (costanteSuOgniEstrazione(letture, valore, costante) && costante >= 1 && costante <= 90)
            fissi.push_back(i);
    }
    return fissi;
}

NumeriDelCaso numeriDelCaso(const archive::Archivio& a, int d)
{
    NumeriDelCaso c;
    c.d = d;
    for (int w = 0; w < Ruote; ++w)
        for (int p = 1; p <= 5; ++p) {
            const auto i = static_cast<std::size_t>(w * 5 + p - 1);
            c.numeri[i] = leggiOperando(a, d, w, p);
            for (int k = 0; k < Ritardi; ++k)
                c.precedenti[static_cast<std::size_t>(k)][i] = leggiOperando(a, d - k, w, p);
        }
    return c;
}

std::array<std::uint8_t, 91> ruoteAlPrimoColpo(const archive::Archivio& a, const std::array<bool, archive::NumeroRuote>& ruote,
                                               int d, int ultimo)
{
    std::array<std::uint8_t, 91> primo{};
    std::array<bool, 91> risolto{};
    for (int c = d + 1; c <= ultimo; ++c) {
        std::array<std::uint8_t, 91> qui{};
        for (int w = 0; w < Ruote; ++w) {
            if (!ruote[static_cast<std::size_t>(w)])
                continue;
            const std::int16_t* n = a.ruota(c, w);
            std::array<bool, 91> vista{};   // one win per wheel even if a number were repeated
            for (int p = 1; p <= 5; ++p) {
                const int x = n[p];
                if (x >= 1 && x <= 90 && !risolto[x] && !vista[x]) {
                    vista[x] = true;
                    ++qui[x];
                }
            }
        }
        for (int x = 1; x <= 90; ++x)
            if (qui[x]) {
                risolto[x] = true;
                primo[x] = qui[x];
            }
    }
    return primo;
}

// The formula of a candidate, from its index in the type's enumeration order.
RigaEsito rigaCandidato(const OperatoreRicerca& op, int indice, int cop, int tot)
{
    const Candidato c = candidati::decodifica(op.tipo, indice);
    engine::Formula f;
    f.codice = op.codice;
    f.tipo = op.tipo;
    if (c.cella1 >= 0) {
        f.R1 = c.cella1 / 5;
        f.P1 = c.cella1 % 5 + 1;
    }
    if (c.cella2 >= 0) {
        f.R2 = c.cella2 / 5;
        f.P2 = c.cella2 % 5 + 1;
    }
    if (c.ruota >= 0)
        f.R1 = c.ruota;
    f.valore = c.valore;
    return rigaDellaFormula(f, cop, tot);
}

namespace {

// The result list as the grid keeps it: rows by Cop, equal Cop by Tot, equal both in the
// order they entered (the enumeration order: operator rows, then the type's candidates);
// row L holds the lowest Cop. A new row enters at the bottom and moves up past the rows
// it beats only, which is where upper_bound puts it.
class Classifica {
public:
    explicit Classifica(int lista) : voci_(static_cast<std::size_t>(lista)) {}

    int copUltima() const { return voci_.empty() || voci_.back().vuota() ? 0 : voci_.back().cop; }

    // Candidate `indice` of operator row `riga` (of imp.operatori); `ultimo` is the value
    // a type 6 row shows in the pair search.
    void inserisci(int riga, int indice, const Punteggio& p, std::optional<int> ultimo)
    {
        voci_.pop_back();
        const auto dove = std::upper_bound(voci_.begin(), voci_.end(), p, [](const Punteggio& q, const Voce& v) {
            return v.vuota() || q.cop > v.cop || (q.cop == v.cop && q.tot > v.tot);
        });
        voci_.insert(dove, Voce{p.cop, p.tot, riga, indice, ultimo});
    }

    std::vector<RigaEsito> righe(const ImpostazioniRicerca& imp) const
    {
        std::vector<RigaEsito> righe(voci_.size());
        for (std::size_t k = 0; k < voci_.size(); ++k) {
            const Voce& v = voci_[k];
            if (v.vuota())
                continue;
            const auto& op = imp.operatori[static_cast<std::size_t>(v.riga)];
            righe[k] = rigaCandidato(op, v.indice, v.cop, v.tot);
            if (op.tipo == 6 && descrizione(imp.tipo).abbina)
                righe[k].val = v.ultimo;
        }
        return righe;
    }

private:
    // A row as the ranking moves it: a few integers, written out as a RigaEsito only at
    // the end. Most candidates of a wide search enter the list (their Tot beats the last
    // row's Cop), so a row must be cheap to move.
    struct Voce {
        std::int32_t cop = 0;
        std::int32_t tot = 0;
        int riga = -1;   // -1: an empty row
        int indice = 0;
        std::optional<int> ultimo;
        bool vuota() const { return riga < 0; }
    };
    std::vector<Voce> voci_;
};

}

std::vector<OperatoreRicerca> operatoriRicerca(const Banco& b)
{
    std::vector<OperatoreRicerca> operatori;
    for (const auto& riga : b.operatori)
        operatori.push_back(OperatoreRicerca{riga.operatore, riga.tipo, operatoreScelto(b, riga.operatore)});
    return operatori;
}

ImpostazioniRicerca leggiImpostazioniRicerca(const Banco& b, TipoRicerca tipo)
{
    ImpostazioniRicerca imp;
    imp.lista = b.lista;
    imp.colpi = b.colpi;
    imp.riferimento = b.riferimento;
    imp.tipo = tipo;
    imp.ruote = ruoteInGioco(b);
    const auto abilitati = casiAbilitati(b);
    for (int r = 1; r <= numeroCasi(b); ++r) {
        CasoRicerca c;
        c.estrazione = drawCaso(b, r);
        c.abilitato = abilitati[static_cast<std::size_t>(r)];
        if (descrizione(tipo).abbina)
            for (int k = 0; k < 5; ++k)
                c.giocati[static_cast<std::size_t>(k)] = numeroDelCaso(b, r, k + 1);
        imp.casi.push_back(c);
    }
    imp.operatori = operatoriRicerca(b);
    return imp;
}

namespace {

RisultatoRicerca cercaSenzaProtezione(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                                      avanzamento::Avanzamento* avanzamento)
{
    RisultatoRicerca esito;
    if (imp.lista < 1 || imp.riferimento < 1 || imp.riferimento > a.NumeroEstrazioni) {
        esito.anomalia = true;
        esito.righe.assign(static_cast<std::size_t>(std::max(imp.lista, 0)), RigaEsito{});
        return esito;
    }

    // A case outside the archive cannot be read; a case after R (the reference was
    // moved after RICAVA ESTRAZIONI) has no colpo that counts, and its draw is not read.
    bool casoFuori = false;
    std::vector<CasoValido> casi;
    for (const auto& origine : imp.casi) {
        if (!origine.abilitato)
            continue;
        if (origine.estrazione < 1 || origine.estrazione > a.NumeroEstrazioni) {
            casoFuori = true;
            continue;
        }
        if (origine.estrazione > imp.riferimento)
            continue;
        CasoValido c;
        static_cast<NumeriDelCaso&>(c) = numeriDelCaso(a, origine.estrazione);
        if (descrizione(imp.tipo).abbina)
            tabellaAbbinamenti(imp, a, origine, c);
        else
            tabellaAmbate(imp, a, c);
        casi.push_back(c);
    }

    Classifica classifica(imp.lista);
    // The best score so far and the candidates (operator row, index) that reach it.
    Punteggio vetta;
    int pari = 0;
    std::vector<std::pair<int, int>> alVertice;
    Valutatore valutatore(a, casi, imp.fili > 0 ? imp.fili : coreDisponibili(), avanzamento);
    std::vector<Punteggio> punti;
    std::vector<std::optional<int>> ultimi;
    const int righeOp = static_cast<int>(imp.operatori.size());
    bool enumerato = false;
    for (int k = 0; k < righeOp; ++k) {
        avanzamento::controlla(avanzamento);
        avanzamento::imposta(avanzamento, 1, k + 1, righeOp);
        const auto& op = imp.operatori[static_cast<std::size_t>(k)];
        if (!op.scelto)
            continue;
        const int n = candidati::quanti(op.tipo);
        if (n == 0)
            continue;
        enumerato = true;
        valutatore.punteggi(op.codice, op.tipo, punti, ultimi, esito.anomalia);
        // The last row's Cop changes only when a row enters: read once per entry, not
        // once per candidate (272,250 of them for a type 7 operator).
        int soglia = classifica.copUltima();
        for (int i = 0; i < n; ++i) {
            const auto& p = punti[static_cast<std::size_t>(i)];
            if (p.cop > 0 && (p.cop > vetta.cop || (p.cop == vetta.cop && p.tot >= vetta.tot))) {
                if (p.cop != vetta.cop || p.tot != vetta.tot) {
                    vetta = p;
                    pari = 0;
                    alVertice.clear();
                }
                ++pari;
                if (alVertice.size() < static_cast<std::size_t>(PariMeritoValutati))
                    alVertice.emplace_back(k, i);
            }
            if (soglia < p.tot) {
                classifica.inserisci(k, i, p, ultimi[static_cast<std::size_t>(i)]);
                soglia = classifica.copUltima();
            }
        }
    }
    avanzamento::controlla(avanzamento);
    if (casoFuori && enumerato)
        esito.anomalia = true;
    esito.righe = classifica.righe(imp);
    esito.pari.formule = pari;
    esito.pari.tutte = pari <= PariMeritoValutati;
    {
        std::array<bool, 91> giocati{};
        for (const auto& [riga, indice] : alVertice) {
            RigaEsito r = rigaCandidato(imp.operatori[static_cast<std::size_t>(riga)], indice, vetta.cop, vetta.tot);
            const auto n = previsioneRiga(r, a, imp.riferimento);
            if (n && *n >= 1 && *n <= 90 && !giocati[static_cast<std::size_t>(*n)]) {
                giocati[static_cast<std::size_t>(*n)] = true;
                ++esito.pari.ambate;
            }
        }
    }
    if (imp.confrontoCaso) {
        esito.confronti = confrontaRighe(imp, a, esito.righe);
        esito.previsioni.reserve(esito.righe.size());
        for (const auto& r : esito.righe)
            esito.previsioni.push_back(previsioneRiga(r, a, imp.riferimento));
    }
    return esito;
}

}

RisultatoRicerca cercaFormule(const ImpostazioniRicerca& imp, const archive::Archivio& a,
                              avanzamento::Avanzamento* avanzamento)
{
    try {
        return cercaSenzaProtezione(imp, a, avanzamento);
    } catch (const avanzamento::Interrotto&) {
        RisultatoRicerca esito;
        esito.interrotta = true;
        return esito;
    } catch (const engine::ErroreCalcolo&) {
        // A calculation outside the evaluator's own guard: nothing can be ranked.
        RisultatoRicerca esito;
        esito.anomalia = true;
        return esito;
    }
}

engine::Formula formulaDellaRiga(const RigaEsito& e)
{
    return engine::Formula{e.formula,           e.tipo, e.p1.value_or(0), e.r1.value_or(0), e.p2.value_or(0),
                           e.r2.value_or(0), e.tipo == 6 ? 0 : e.val.value_or(0)};
}

RigaEsito rigaDellaFormula(const engine::Formula& f, int cop, int tot)
{
    RigaEsito e;
    e.cop = cop;
    e.tot = tot;
    e.formula = f.codice;
    e.tipo = f.tipo;
    const auto usati = engine::parametriDellaClasse(f.tipo);
    if (usati.ruota1)
        e.r1 = f.R1;
    if (usati.posizione1)
        e.p1 = f.P1;
    if (usati.riferimento2) {
        e.r2 = f.R2;
        e.p2 = f.P2;
    }
    if (usati.valore)
        e.val = f.valore;
    return e;
}

void preparaGrigliaEsiti(grid::Grid& g)
{
    using namespace colEsiti;
    g.setIntestazione(intestazioni::FgEsiti);
    for (int c = 0; c < g.colonne(); ++c)
        g.setAllineamento(c, grid::Allineamento::Centro);
    for (int c : Nascoste)
        g.setNascosta(c, true);
}

namespace {

std::string testoNumero(const std::optional<int>& v) { return v ? std::to_string(*v) : std::string(); }

std::string siglaRuota(const std::optional<int>& w)
{
    return w && *w >= 0 && *w < Ruote ? std::string(archive::SigleRuote[static_cast<std::size_t>(*w)]) : std::string();
}

}

std::string testoEsito(const RigaEsito& e, int colonna)
{
    using namespace colEsiti;
    if (colonna == Previsione)
        return testoNumero(e.previsione);
    if (e.vuota())
        return {};
    switch (colonna) {
    case Cop: return std::to_string(e.cop);
    case Tot: return std::to_string(e.tot);
    case Formula: return e.formula;
    case P1: return testoNumero(e.p1);
    case R1: return testoNumero(e.r1);
    case Ru1: return siglaRuota(e.r1);
    case Tipo: return std::to_string(e.tipo);
    case P2: return testoNumero(e.p2);
    case R2: return testoNumero(e.r2);
    case Ru2: return siglaRuota(e.r2);
    case Val: return testoNumero(e.val);
    case Attesi: return e.attesi ? testoAttesi(*e.attesi) : std::string();
    case P: return e.p ? testoProbabilita(*e.p) : std::string();
    default: return {};
    }
}

std::string intestazioneEsito(int colonna, TipoRicerca tipo)
{
    using namespace colEsiti;
    switch (colonna) {
    case Attesi: return "Attesi";
    case P: return "p";
    case Previsione: return std::string(descrizione(tipo).colonnaPrevisione);
    default: {
        grid::Grid g;
        g.setIntestazione(intestazioni::FgEsiti);
        return colonna >= 0 && colonna < g.colonne() ? g.testo(0, colonna) : std::string();
    }
    }
}

StileEsito stileEsito(int colonna, TipoRicerca tipo)
{
    using namespace colEsiti;
    StileEsito s;
    switch (colonna) {
    case Cop:
        s.coloreTesto = grid::colori::Rosso;
        s.grassetto = true;
        break;
    case Formula:
        s.coloreTesto = grid::colori::Blu;
        s.grassetto = true;
        break;
    case Val:
    case Previsione:
        s.grassetto = true;
        break;
    default:
        break;
    }
    if (colonna >= P1 && colonna <= Ru1)
        s.sfondo = grid::rgb(128, 255, 128);
    if (colonna >= P2 && colonna <= Ru2)
        s.sfondo = grid::rgb(255, 255, 128);
    if ((colonna == Ru1 || colonna == Ru2) && !descrizione(tipo).abbina)
        s.grassetto = true;
    return s;
}

void scriviRigaEsito(grid::Grid& g, int riga, const RigaEsito& e)
{
    for (int c = colEsiti::Cop; c < g.colonne() && c <= colEsiti::Previsione; ++c)
        g.setTesto(riga, c, testoEsito(e, c));
}

void formattaEsiti(grid::Grid& g, TipoRicerca tipo)
{
    const int ultima = g.righe() - 1;
    if (ultima < 1)
        return;
    for (int c = colEsiti::Cop; c < g.colonne() && c <= colEsiti::Previsione; ++c) {
        const StileEsito s = stileEsito(c, tipo);
        if (s.coloreTesto)
            g.setColoreTesto(1, c, ultima, c, *s.coloreTesto);
        if (s.grassetto)
            g.setGrassetto(1, c, ultima, c, true);
        if (s.sfondo)
            g.setSfondo(1, c, ultima, c, *s.sfondo);
    }
}

void aggiungiColonneConfronto(grid::Grid& g, TipoRicerca tipo)
{
    using namespace colEsiti;
    if (g.colonne() < Previsione + 1)
        g.setColonne(Previsione + 1);
    for (int c : {Attesi, P, Previsione}) {
        g.setTesto(0, c, intestazioneEsito(c, tipo));
        g.setAllineamento(c, grid::Allineamento::Centro);
    }
}

std::string testoPariMerito(const PariMerito& p, TipoRicerca tipo)
{
    if (p.formule < 2)
        return {};
    std::string numeri;
    if (p.ambate == 0) {
        numeri = descrizione(tipo).nessuno;
    } else {
        const bool una = p.ambate == 1 && p.tutte;
        numeri = (p.tutte ? "" : "almeno ") + std::to_string(p.ambate) +
                 " " + std::string(una ? descrizione(tipo).uno : descrizione(tipo).diversi);
    }
    return std::to_string(p.formule) + " formule a pari merito, " + numeri;
}

std::optional<int> previsioneRiga(const RigaEsito& e, const archive::Archivio& a, int d)
{
    if (e.vuota() || engine::IndiceOperatore(e.formula) < 0)
        return std::nullopt;
    try {
        const engine::Formula f = formulaDellaRiga(e);
        if (engine::leggeRuotaNonEstratta(f, d, a))
            return std::nullopt;
        const auto n = engine::valutaFormula(f, d, a);
        if (!n)
            return std::nullopt;
        return *n;
    } catch (const engine::ErroreCalcolo&) {
        return std::nullopt;
    }
}

void scriviEsiti(grid::Grid& g, const std::vector<RigaEsito>& righe, int lista, TipoRicerca tipo)
{
    using namespace colEsiti;
    if (g.colonne() != Val + 1 && g.colonne() != P + 1 && g.colonne() != Previsione + 1)
        preparaGrigliaEsiti(g);
    g.setRighe(1);
    g.setRighe(std::max(lista, 0) + 1);
    for (std::size_t i = 0; i < righe.size() && static_cast<int>(i) < lista; ++i)
        scriviRigaEsito(g, static_cast<int>(i) + 1, righe[i]);
    formattaEsiti(g, tipo);
}

void impostaRisultati(Banco& b, TipoRicerca tipo, const std::vector<RigaEsito>& righe, int lista)
{
    auto& tenute = righeRisultati(b, tipo);
    tenute.assign(righe.begin(), righe.begin() + std::min<std::ptrdiff_t>(std::ssize(righe), std::max(lista, 0)));
    tenute.resize(static_cast<std::size_t>(std::max(lista, 0)));
    b.*descrizione(tipo).scelta = 0;
    scriviEsiti(grigliaRisultati(b, tipo), tenute, lista, tipo);
}

const RigaEsito* rigaCorrenteRisultati(const Banco& b, TipoRicerca tipo)
{
    const int r = b.*descrizione(tipo).scelta;
    const auto& righe = righeRisultati(b, tipo);
    return r >= 1 && static_cast<std::size_t>(r) <= righe.size() ? &righe[static_cast<std::size_t>(r - 1)] : nullptr;
}

EsitoRicerca scriviRicerca(Banco& b, const ImpostazioniRicerca& imp, const RisultatoRicerca& risultato,
                           const std::string& inizio)
{
    EsitoRicerca esito;
    if (risultato.interrotta) {
        esito.interrotta = true;
        return esito;
    }
    std::vector<RigaEsito> righe = risultato.righe;
    if (imp.confrontoCaso) {
        for (std::size_t i = 0; i < righe.size(); ++i) {
            if (i < risultato.confronti.size()) {
                righe[i].attesi = risultato.confronti[i].attesi;
                righe[i].p = risultato.confronti[i].p;
            }
            if (i < risultato.previsioni.size())
                righe[i].previsione = risultato.previsioni[i];
        }
        aggiungiColonneConfronto(grigliaRisultati(b, imp.tipo), imp.tipo);
    }
    impostaRisultati(b, imp.tipo, righe, imp.lista);
    b.List1.clear();
    b.List1.push_back(inizio);
    b.List1.push_back(orarioList1());
    if (risultato.anomalia)
        esito.messaggio = Messaggio{std::string(TestoErroreImpostazioni), "Avviso", Icona::Critico};
    return esito;
}

EsitoRicerca eseguiRicerca(Banco& b, const archive::Archivio& a, TipoRicerca tipo, avanzamento::Avanzamento* avanzamento)
{
    const std::string inizio = orarioList1();
    const auto imp = leggiImpostazioniRicerca(b, tipo);
    return scriviRicerca(b, imp, cercaFormule(imp, a, avanzamento), inizio);
}

EsitoRicerca cercaAmbate(Banco& b, const archive::Archivio& a, avanzamento::Avanzamento* avanzamento)
{
    return eseguiRicerca(b, a, TipoRicerca::Ambate, avanzamento);
}

}
