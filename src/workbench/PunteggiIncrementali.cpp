// Kept AMBATE scores: candidate forecasts per case, case shares added and taken away, the top row.
#include "workbench/PunteggiIncrementali.h"

#include "engine/Operatori.h"
#include "workbench/Candidati.h"
#include "workbench/Parallelo.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>

namespace workbench {

namespace {

constexpr int Ruote = archive::NumeroRuote;
constexpr int Errore = 91;               // a forecast that cannot be computed: never scores

// A score packed in 16 bits: Cop in the top six, Tot in the low ten. Shares add and
// subtract without carries as long as Cop <= 63 and Tot <= 1023 (50 cases of 11 wheels
// make 550), and a larger packed value has a larger or equal Cop.
constexpr int BitTot = 10;
constexpr std::size_t MassimoCasi = 63;

inline int indiceEsito(int x) { return x >= 1 && x <= 90 ? x : 0; }

// The packed share of case d whose colpi run to `ultimo`, per forecast 0..91: Cop 1 and
// Tot = wheels in play holding the forecast in the first colpo that holds it anywhere.
std::array<std::uint16_t, 92> quota(const archive::Archivio& a, const std::array<bool, Ruote>& ruote, int d, int ultimo)
{
    std::array<std::uint16_t, 92> q{};
    const auto primo = ruoteAlPrimoColpo(a, ruote, d, ultimo);
    for (int x = 1; x <= 90; ++x)
        if (primo[x])
            q[x] = static_cast<std::uint16_t>((1 << BitTot) | primo[x]);
    return q;
}

// The forecasts of an operator that reads the draw, for each candidate of class `tipo` in
// enumeration order on case c (Errore where it cannot be computed), as the search sets its fields.
std::vector<std::uint8_t> esitiDiretti(int tipo, int op, const NumeriDelCaso& c, const archive::Archivio& a)
{
    const int n = candidati::quanti(tipo);
    std::vector<std::uint8_t> esiti(static_cast<std::size_t>(n), Errore);
    for (int i = 0; i < n; ++i) {
        const Candidato candidato = candidati::decodifica(tipo, i);
        // A wheel not drawn, or a case on which the whole-wheel formula fails, is skipped,
        // as the search does.
        if (tipo == 6 && !a.ruotaEstratta(c.d, candidato.ruota))
            continue;
        const engine::ValoriOperatore v = valoriDelCandidato(tipo, candidato, c);
        if (v.N1 < 0 || v.N2 < 0)
            continue;
        try {
            esiti[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(indiceEsito(engine::Valuta(op, v, a)));
        } catch (const engine::ErroreCalcolo&) {
        }
    }
    return esiti;
}

// The highest of n packed sums. Compared as signed 16-bit values with the top bit flipped:
// the order is the same, and plain SSE2 has a signed 16-bit maximum but no unsigned one.
std::uint16_t massimoDi(const std::uint16_t* somme, std::size_t n)
{
    std::int16_t piu = std::numeric_limits<std::int16_t>::min();
    for (std::size_t i = 0; i < n; ++i)
        piu = std::max(piu, static_cast<std::int16_t>(somme[i] ^ 0x8000u));
    return static_cast<std::uint16_t>(static_cast<std::uint16_t>(piu) ^ 0x8000u);
}

// How many of the n sums from `somme` are `v`; the positions of the first ones, offset by
// `da`, are added to `primi` until it holds `limite`. Blocks of 32 sums are compared at
// once (the compiler vectorises the inner loop) and only a block that holds one is read one by one.
int contaPari(const std::uint16_t* somme, std::size_t n, std::uint16_t v, std::size_t da,
              std::vector<std::uint32_t>& primi, std::size_t limite)
{
    constexpr std::size_t Blocco = 32;
    int quanti = 0;
    std::size_t i = 0;
    const auto annota = [&](std::size_t j) {
        ++quanti;
        if (primi.size() < limite)
            primi.push_back(static_cast<std::uint32_t>(da + j));
    };
    for (; i + Blocco <= n && primi.size() < limite; i += Blocco) {
        std::uint16_t uguale = 0;
        for (std::size_t k = 0; k < Blocco; ++k)
            uguale |= static_cast<std::uint16_t>(somme[i + k] == v ? 0xffffu : 0u);
        if (uguale)
            for (std::size_t k = 0; k < Blocco; ++k)
                if (somme[i + k] == v)
                    annota(i + k);
    }
    if (primi.size() >= limite)
        return quanti + static_cast<int>(std::count(somme + i, somme + n, v));
    for (; i < n; ++i)
        if (somme[i] == v)
            annota(i);
    return quanti;
}

}

// The candidates of one chosen operator row, at `inizio` in the packed sums.
struct PunteggiIncrementali::Blocco {
    int riga = 0;                 // row of the operator list
    int tipo = 0;
    int op = -1;                  // evaluator index, -1 for an unknown code (scores nothing)
    bool diretto = false;         // reads the draw itself (or class 6): evaluated on each case
    std::vector<std::vector<std::uint8_t>> esitiCasi;   // those forecasts per case draw, once worked out
    std::size_t inizio = 0;
    int quanti = 0;
    const std::uint8_t* tavola = nullptr;   // forecasts over every input, for the others
    int dim2 = 1, dimV = 1;                 // its shape: [(n1 * dim2 + n2) * dimV + V]
    std::vector<int> fissi;                 // its candidates that are a fixed number in disguise
    const std::int8_t* rotazione = nullptr; // see EsitiTabulati
    // Classes 2 and 7 with an outcome that stays when N1 and N2 swap (SOM, PER, SOM+, …):
    // (i2, i1) then scores as (i1, i2) on every case, and only the sums of i1 <= i2 are kept.
    bool simmetrico = false;
    // Class 7: each pair's row of ValoriFissi sums has its highest kept at `righe` (see Somme::massimiRighe).
    std::size_t righe = 0;
};

// Sums kept for one set of cases.
struct PunteggiIncrementali::Somme {
    std::vector<std::uint16_t> valori;
    std::vector<Vertice> vertici;   // per operator block, its highest packed sum and its ties
    // Class 7's highest sum of each pair's row, worked out as the row is updated: the block's
    // highest and its ties are then looked for only in the rows that hold it.
    std::vector<std::uint16_t> massimiRighe;
    Casi casi;

    void azzera(std::size_t candidati, std::size_t blocchi, std::size_t righe)
    {
        valori.assign(candidati, 0);
        vertici.assign(blocchi, Vertice{});
        massimiRighe.assign(righe, 0);
        casi.clear();
    }
};

PunteggiIncrementali::PunteggiIncrementali(const archive::Archivio& a, const std::vector<OperatoreRicerca>& operatori,
                                           const std::array<bool, archive::NumeroRuote>& ruote, int colpi)
    : a_(a), operatori_(operatori), ruote_(ruote), colpi_(colpi), squadra_(std::make_unique<Squadra>(coreDisponibili()))
{
    std::size_t memoriaDiretti = 0;
    for (std::size_t k = 0; k < operatori_.size(); ++k) {
        const auto& o = operatori_[k];
        const int n = candidati::quanti(o.tipo);
        if (!o.scelto || n == 0)
            continue;
        Blocco b;
        b.riga = static_cast<int>(k);
        b.tipo = o.tipo;
        b.op = engine::IndiceOperatore(o.codice);
        b.diretto = b.op >= 0 && (engine::LeggeOperatore(b.op).Estrazione || b.tipo == 6);
        b.inizio = totale_;
        b.quanti = n;
        // Keeping every case's forecasts costs a byte per candidate and draw: up to about 64 MB.
        const std::size_t tenuti = static_cast<std::size_t>(n) * (static_cast<std::size_t>(std::max(a_.NumeroEstrazioni, 0)) + 1);
        if (b.diretto)
            b.fissi = candidatiFissiDiretti(b.tipo, b.op);
        if (b.diretto && memoriaDiretti + tenuti <= (64u << 20)) {
            b.esitiCasi.resize(static_cast<std::size_t>(std::max(a_.NumeroEstrazioni, 0)) + 1);
            memoriaDiretti += tenuti;
        }
        totale_ += static_cast<std::size_t>(n);
        if (b.tipo == 7) {
            b.righe = righe_;
            righe_ += static_cast<std::size_t>(n / ValoriFissi);
        }
        blocchi_.push_back(b);
    }
}

PunteggiIncrementali::~PunteggiIncrementali() = default;

// The forecasts of an operator that only combines its inputs, over every input
// [(n1 * dim2 + n2) * dimV + V]: the searches' own tables, filled by whichever needs them first.
void PunteggiIncrementali::tabella(Blocco& b, int dim2, int dimV, avanzamento::Avanzamento* avanzamento)
{
    const EsitiTabulati t = tabulaOperatore(b.op, dim2, dimV, a_, dim2 * dimV > 1000 ? coreDisponibili() : 1,
                                            [avanzamento] { avanzamento::controlla(avanzamento); });
    b.fissi = candidatiFissi(b.tipo, t);
    b.tavola = t.esiti;
    b.dim2 = dim2;
    b.dimV = dimV;
    b.rotazione = t.rotazione;
    if (dim2 == 91 && (b.tipo == 2 || b.tipo == 7)) {
        b.simmetrico = true;
        const std::size_t riga = static_cast<std::size_t>(dimV);
        for (int n1 = 0; n1 < 91 && b.simmetrico; ++n1)
            for (int n2 = n1 + 1; n2 < 91 && b.simmetrico; ++n2)
                b.simmetrico = std::equal(t.esiti + static_cast<std::size_t>(n1 * 91 + n2) * riga,
                                          t.esiti + static_cast<std::size_t>(n1 * 91 + n2 + 1) * riga,
                                          t.esiti + static_cast<std::size_t>(n2 * 91 + n1) * riga);
    }
}

void PunteggiIncrementali::applica(Somme& tenute, const std::vector<Variazione>& variazioni,
                                   avanzamento::Avanzamento* avanzamento)
{
    std::vector<std::uint16_t>& somme = tenute.valori;
    std::vector<Vertice>& vertici = tenute.vertici;
    for (auto& b : blocchi_) {
        if (b.op < 0 || b.diretto || b.tavola)
            continue;
        switch (b.tipo) {
        case 1:
        case 4: tabella(b, 1, 1, avanzamento); break;
        case 2: tabella(b, 91, 1, avanzamento); break;
        case 3:
        case 5: tabella(b, 1, ValoriFissi, avanzamento); break;
        case 7: tabella(b, 91, ValoriFissi, avanzamento); break;
        default: break;
        }
    }
    if (lavori_.empty())
        preparaLavori();

    // The changed cases: each one's share, new less old, per forecast, and its numbers.
    struct Passo {
        std::array<std::uint16_t, 92> delta{};
        // The shares of 1..90 twice over: an outcome turning round 90 reads one run of it.
        std::array<std::uint16_t, 2 * ValoriFissi> doppio{};
        NumeriDelCaso c;
        // Each pair of cells (i1, i2) as the tables of class 2 read it, n1 * 91 + n2, shared by
        // every such operator; a pair with a cell that cannot be read points past the inputs,
        // where the tables hold a forecast that never scores.
        std::array<std::uint16_t, CelleCaso * CelleCaso> coppie{};
    };
    std::vector<Passo> passi;
    passi.reserve(variazioni.size());   // filled in place: a step is some 9 KB
    for (const auto& var : variazioni) {
        Passo& p = passi.emplace_back();
        const auto dopo = var.dopo ? quota(a_, ruote_, var.d, var.dopo) : std::array<std::uint16_t, 92>{};
        const auto prima = var.prima ? quota(a_, ruote_, var.d, var.prima) : std::array<std::uint16_t, 92>{};
        bool cambia = false;
        for (int x = 0; x < 92; ++x) {
            // Modular arithmetic: taking a share away is adding its complement.
            p.delta[static_cast<std::size_t>(x)] = static_cast<std::uint16_t>(dopo[x] - prima[x]);
            cambia = cambia || p.delta[static_cast<std::size_t>(x)] != 0;
        }
        if (!cambia) {
            passi.pop_back();
            continue;
        }
        for (int j = 0; j < 2 * ValoriFissi; ++j)
            p.doppio[static_cast<std::size_t>(j)] = p.delta[static_cast<std::size_t>(j % ValoriFissi + 1)];
        p.c = numeriDelCaso(a_, var.d);
        for (int i1 = 0; i1 < CelleCaso; ++i1)
            for (int i2 = 0; i2 < CelleCaso; ++i2) {
                const int n1 = p.c.numeri[static_cast<std::size_t>(i1)], n2 = p.c.numeri[static_cast<std::size_t>(i2)];
                const auto j = static_cast<std::size_t>(candidati::codifica(2, {i1, i2}));
                p.coppie[j] = static_cast<std::uint16_t>(n1 >= 0 && n2 >= 0 ? n1 * 91 + n2 : 91 * 91);
            }
    }
    if (passi.empty())
        return;

    // The operators spread over the cores, every changed case in each: one loop of the kept
    // threads per reference. Each item writes only its own sums (class 7: its own rows of pairs).
    squadra_->perOgni(static_cast<int>(lavori_.size()), [&](int k) {
        const Lavoro& lavoro = lavori_[static_cast<std::size_t>(k)];
        const std::size_t indice = lavoro.blocco;
        Blocco& b = blocchi_[indice];
        if (b.op < 0)
            return;
        avanzamento::controlla(avanzamento);
        std::uint16_t* s = somme.data() + b.inizio;
        if (b.diretto) {
            // Each case's forecasts are worked out once and kept (within the memory above): a
            // case enters, gains colpi and leaves at several references.
            std::vector<std::uint8_t> nonTenuti;
            for (const Passo& p : passi) {
                auto& esiti = b.esitiCasi.empty() ? nonTenuti : b.esitiCasi[static_cast<std::size_t>(p.c.d)];
                if (esiti.empty() || b.esitiCasi.empty())
                    esiti = esitiDiretti(b.tipo, b.op, p.c, a_);
                const std::uint8_t* x = esiti.data();
                const std::uint16_t* dq = p.delta.data();
                for (int i = 0; i < b.quanti; ++i)
                    s[i] = static_cast<std::uint16_t>(s[i] + dq[x[i]]);
            }
            for (int i : b.fissi)
                s[i] = 0;
            vertice(b, s, nullptr, vertici[indice]);
            return;
        }
        switch (b.tipo) {
        case 2:
            for (const Passo& p : passi) {
                const std::uint16_t* dq = p.delta.data();
                for (int i1 = 0; i1 < CelleCaso; ++i1)
                    for (int i = candidati::codifica(2, {i1, b.simmetrico ? i1 : 0}); i < candidati::codifica(2, {i1 + 1, 0}); ++i) {
                        const auto j = static_cast<std::size_t>(i);
                        s[i] = static_cast<std::uint16_t>(s[i] + dq[b.tavola[p.coppie[j]]]);
                    }
            }
            break;
        case 7:
            // Pair by pair, every changed case in turn: the row stays in cache for its highest.
            // The block's highest comes once all its rows are done (below).
            for (int i1 = lavoro.da; i1 < lavoro.a; ++i1) {
                avanzamento::controlla(avanzamento);
                for (int i2 = b.simmetrico ? i1 : 0; i2 < CelleCaso; ++i2) {
                    const int coppia = candidati::codifica(2, {i1, i2});
                    std::uint16_t* riga = s + candidati::codifica(7, {i1, i2});
                    for (const Passo& p : passi) {
                        const int n1 = p.c.numeri[static_cast<std::size_t>(i1)];
                        const int n2 = p.c.numeri[static_cast<std::size_t>(i2)];
                        if (n1 < 0 || n2 < 0)
                            continue;
                        // Outcomes r + 1 .. 90, 1 .. r over V: one run of the doubled shares,
                        // which the compiler adds many at a time.
                        if (const int r = b.rotazione ? b.rotazione[n1 * 91 + n2] : -1; r >= 0) {
                            const std::uint16_t* d = p.doppio.data() + r;
                            for (int k = 0; k < ValoriFissi; ++k)
                                riga[k] = static_cast<std::uint16_t>(riga[k] + d[k]);
                            continue;
                        }
                        const std::uint16_t* dq = p.delta.data();
                        const std::uint8_t* esiti = b.tavola + (n1 * 91 + n2) * ValoriFissi;
                        for (int k = 0; k < ValoriFissi; ++k)
                            riga[k] = static_cast<std::uint16_t>(riga[k] + dq[esiti[k]]);
                    }
                    tenute.massimiRighe[b.righe + static_cast<std::size_t>(coppia)] = massimoDi(riga, ValoriFissi);
                }
            }
            return;
        default:
            for (const Passo& p : passi) {
                const NumeriDelCaso& c = p.c;
                const auto& num = c.numeri;
                const std::uint16_t* dq = p.delta.data();
                switch (b.tipo) {
                case 1:
                    for (int i1 = 0; i1 < CelleCaso; ++i1) {
                        const int n1 = num[static_cast<std::size_t>(i1)];
                        const int x = n1 < 0 ? Errore : b.tavola[n1];
                        auto& v = s[candidati::codifica(1, {i1})];
                        v = static_cast<std::uint16_t>(v + dq[x]);
                    }
                    break;
                case 3:
                    for (int i1 = 0; i1 < CelleCaso; ++i1) {
                        const int n1 = num[static_cast<std::size_t>(i1)];
                        std::uint16_t* riga = s + candidati::codifica(3, {i1});
                        if (n1 < 0)
                            continue;
                        if (const int r = b.rotazione ? b.rotazione[n1] : -1; r >= 0) {
                            const std::uint16_t* d = p.doppio.data() + r;   // as class 7's rows (FIX)
                            for (int k = 0; k < ValoriFissi; ++k)
                                riga[k] = static_cast<std::uint16_t>(riga[k] + d[k]);
                            continue;
                        }
                        for (int k = 0; k < ValoriFissi; ++k)
                            riga[k] = static_cast<std::uint16_t>(riga[k] + dq[b.tavola[n1 * ValoriFissi + k]]);
                    }
                    break;
                case 4:
                    for (int n = 1; n <= 90; ++n) {
                        const int x = b.tavola[n];
                        auto& v = s[candidati::codifica(4, {-1, -1, n})];
                        v = static_cast<std::uint16_t>(v + dq[x]);
                    }
                    break;
                case 5:
                    for (int k = 0; k < Ritardi; ++k)
                        for (int i1 = 0; i1 < CelleCaso; ++i1) {
                            const int n1 = c.precedenti[static_cast<std::size_t>(k)][static_cast<std::size_t>(i1)];
                            const int x = n1 < 0 ? Errore : b.tavola[n1 * ValoriFissi + k];
                            auto& v = s[candidati::codifica(5, {i1, -1, k})];
                            v = static_cast<std::uint16_t>(v + dq[x]);
                        }
                    break;
                default: break;
                }
            }
            break;
        }
        // A fixed number in disguise never scores, as in the search.
        for (int i : b.fissi)
            s[i] = 0;
        vertice(b, s, nullptr, vertici[indice]);
    });
    // Class 7's blocks, whole again: fixed candidates, then each one's highest from its rows'.
    squadra_->perOgni(static_cast<int>(sette_.size()), [&](int k) {
        const std::size_t indice = sette_[static_cast<std::size_t>(k)];
        const Blocco& b = blocchi_[indice];
        std::uint16_t* s = somme.data() + b.inizio;
        std::uint16_t* massimiRighe = tenute.massimiRighe.data() + b.righe;
        for (std::size_t j = 0; j < b.fissi.size(); ++j) {
            s[b.fissi[j]] = 0;
            // Each row that holds one (they come in order) has its highest again.
            const int coppia = b.fissi[j] / ValoriFissi;
            if (j + 1 == b.fissi.size() || b.fissi[j + 1] / ValoriFissi != coppia)
                massimiRighe[coppia] = massimoDi(s + coppia * ValoriFissi, ValoriFissi);
        }
        vertice(b, s, massimiRighe, vertici[indice]);
    });
}

void PunteggiIncrementali::preparaLavori()
{
    // Class 7 (most of the work) in parts of about equal numbers of kept pairs, first, so that a
    // thread the system leaves waiting holds up only a part; then the others, widest first.
    constexpr int Parti = 4;
    std::vector<std::size_t> altri;
    for (std::size_t k = 0; k < blocchi_.size(); ++k) {
        const Blocco& b = blocchi_[k];
        if (b.tipo != 7 || b.diretto || b.op < 0) {
            altri.push_back(k);
            continue;
        }
        sette_.push_back(k);
        const auto coppie = [&](int i1) { return b.simmetrico ? CelleCaso - i1 : CelleCaso; };
        int tutte = 0;
        for (int i1 = 0; i1 < CelleCaso; ++i1)
            tutte += coppie(i1);
        int da = 0, fatte = 0;
        for (int parte = 1; parte <= Parti; ++parte) {
            int a = da;
            while (a < CelleCaso && (parte == Parti || fatte * Parti < tutte * parte))
                fatte += coppie(a++);
            lavori_.push_back({k, da, a});
            da = a;
        }
    }
    std::stable_sort(altri.begin(), altri.end(),
                     [&](std::size_t x, std::size_t y) { return blocchi_[x].quanti > blocchi_[y].quanti; });
    for (const std::size_t k : altri)
        lavori_.push_back({k, 0, CelleCaso});
}

void PunteggiIncrementali::vertice(const Blocco& b, const std::uint16_t* s, const std::uint16_t* massimiRighe, Vertice& v)
{
    constexpr auto Limite = static_cast<std::size_t>(PariMeritoValutati);
    v.massimo = 0;
    v.pari = 0;
    v.tenuti = 0;
    v.primi.clear();
    if (!b.simmetrico && !massimiRighe) {
        v.massimo = massimoDi(s, static_cast<std::size_t>(b.quanti));
        v.pari = contaPari(s, static_cast<std::size_t>(b.quanti), v.massimo, 0, v.primi, Limite);
        v.tenuti = v.pari;
        return;
    }
    // Rows of sums: a pair's ValoriFissi of class 7, the single sums of a row of pairs (i1, ·)
    // of class 2. A symmetric operator keeps each row of pairs from (i1, i1) on, and every
    // pair but (i1, i1) stands for its twin too.
    const bool sette = b.tipo == 7;
    const std::size_t dimV = sette ? ValoriFissi : 1;
    const auto righe = [&](auto&& ogni) {
        for (int i1 = 0; i1 < CelleCaso; ++i1)
            for (int i2 = b.simmetrico ? i1 : 0; i2 < CelleCaso; i2 = sette ? i2 + 1 : CelleCaso) {
                const auto da = static_cast<std::size_t>(candidati::codifica(b.tipo, {i1, i2}));
                ogni(da, sette ? dimV : static_cast<std::size_t>(CelleCaso - i2), static_cast<std::size_t>(candidati::codifica(2, {i1, i2})),
                     b.simmetrico && i1 == i2);
            }
    };
    if (massimiRighe)
        righe([&](std::size_t, std::size_t, std::size_t coppia, bool) { v.massimo = std::max(v.massimo, massimiRighe[coppia]); });
    else
        righe([&](std::size_t da, std::size_t n, std::size_t, bool) { v.massimo = std::max(v.massimo, massimoDi(s + da, n)); });
    righe([&](std::size_t da, std::size_t n, std::size_t coppia, bool diagonale) {
        if (massimiRighe && massimiRighe[coppia] != v.massimo)
            return;
        const int qui = contaPari(s + da, n, v.massimo, da, v.primi, Limite);
        v.tenuti += qui;
        if (!b.simmetrico) {
            v.pari += qui;
            return;
        }
        // The diagonal pair has no twin: a class 2 row starts with it, class 7's is a whole row.
        const int sullaDiagonale = sette ? (diagonale ? qui : 0) : (s[da] == v.massimo);
        v.pari += 2 * qui - sullaDiagonale;
    });
}

RigaEsito PunteggiIncrementali::migliore(const ImpostazioniRicerca& imp, avanzamento::Avanzamento* avanzamento,
                                         PariMerito* pari)
{
    // The cases as the search takes them, each with the last colpo it may count; one
    // without a colpo scores nothing and is left out of the sums.
    Casi voluti;
    std::size_t casi = 0;
    for (const auto& c : imp.casi) {
        if (!c.abilitato || c.estrazione < 1 || c.estrazione > a_.NumeroEstrazioni || c.estrazione > imp.riferimento)
            continue;
        ++casi;
        const int ultimo = std::min(c.estrazione + colpi_, imp.riferimento);
        if (ultimo > c.estrazione)
            voluti[c.estrazione] = ultimo;
    }
    if (casi > MassimoCasi)
        throw std::invalid_argument("troppi casi per i punteggi conservati");

    // The cases to change from `tenuti` to these, counted up to `bastano` (a nearer set is known).
    auto costo = [&](const Casi& tenuti, std::size_t bastano) {
        std::size_t n = 0;
        auto i = tenuti.begin();
        auto j = voluti.begin();
        while ((i != tenuti.end() || j != voluti.end()) && n < bastano) {
            if (j == voluti.end() || (i != tenuti.end() && i->first < j->first)) {
                ++n;
                ++i;
            } else if (i == tenuti.end() || j->first < i->first) {
                ++n;
                ++j;
            } else {
                n += i->second != j->second;
                ++i;
                ++j;
            }
        }
        return n;
    };
    // The kept sums closest to these cases; fresh ones when every kept set is farther
    // than starting from nothing. Their number is held to about 256 MB.
    const std::size_t limite =
        std::clamp<std::size_t>((256u << 20) / std::max<std::size_t>(totale_ * sizeof(std::uint16_t), 1), 1, 64);
    auto scelta = somme_.end();
    std::size_t migliore = std::numeric_limits<std::size_t>::max();
    for (auto it = somme_.begin(); it != somme_.end(); ++it) {
        const std::size_t n = costo(it->casi, migliore);
        if (n < migliore) {
            migliore = n;
            scelta = it;
        }
    }
    if (scelta == somme_.end() || migliore > voluti.size()) {
        if (somme_.size() < limite) {
            somme_.emplace_front();
            scelta = somme_.begin();
        } else {
            scelta = std::prev(somme_.end());
        }
        scelta->azzera(totale_, blocchi_.size(), righe_);
    }
    somme_.splice(somme_.begin(), somme_, scelta);
    Somme& s = somme_.front();

    std::vector<Variazione> variazioni;
    for (const auto& [d, ultimo] : s.casi) {
        const auto it = voluti.find(d);
        const int dopo = it == voluti.end() ? 0 : it->second;
        if (dopo != ultimo)
            variazioni.push_back({d, ultimo, dopo});
    }
    for (const auto& [d, ultimo] : voluti)
        if (!s.casi.count(d))
            variazioni.push_back({d, 0, ultimo});
    // A stop halfway leaves sums that match no set of cases: they are dropped.
    try {
        applica(s, variazioni, avanzamento);
    } catch (...) {
        somme_.pop_front();
        throw;
    }
    s.casi = voluti;

    // The packed value orders by Cop, then Tot: the top row is the first candidate with the
    // highest, in the first operator block whose highest it is.
    std::uint16_t massimo = 0;
    for (const Vertice& v : s.vertici)
        massimo = std::max(massimo, v.massimo);
    if ((massimo >> BitTot) == 0)
        return {};
    // The blocks holding the highest sum, in order: the top row and its ties are there.
    std::vector<std::size_t> alVertice;
    for (std::size_t k = 0; k < blocchi_.size(); ++k)
        if (s.vertici[k].massimo == massimo)
            alVertice.push_back(k);
    const std::size_t primo = blocchi_[alVertice.front()].inizio + s.vertici[alVertice.front()].primi.front();
    const auto riga = [&](std::size_t indice) {
        const auto blocco = std::prev(std::upper_bound(blocchi_.begin(), blocchi_.end(), indice,
                                                       [](std::size_t i, const Blocco& b) { return i < b.inizio; }));
        return rigaCandidato(operatori_[static_cast<std::size_t>(blocco->riga)],
                             static_cast<int>(indice - blocco->inizio), massimo >> BitTot, massimo & ((1 << BitTot) - 1));
    };
    if (pari)
        pariMerito(s, alVertice, imp.riferimento, riga, *pari);
    return riga(primo);
}

void PunteggiIncrementali::pariMerito(const Somme& tenute, const std::vector<std::size_t>& alVertice,
                                     int riferimento,
                                     const std::function<RigaEsito(std::size_t)>& riga, PariMerito& pari) const
{
    pari = PariMerito{};
    // The reference's ambata of a tied candidate: from its operator's table on the reference's
    // numbers, as the cases read them; an operator that reads the draw is asked as the search asks it.
    const NumeriDelCaso rif = numeriDelCaso(a_, riferimento);
    const auto ambata = [&](const Blocco& b, std::size_t i) {
        int x = Errore;
        if (!b.tavola) {
            const auto n = previsioneRiga(riga(i), a_, riferimento);
            x = n ? *n : Errore;
        } else {
            const Candidato c = candidati::decodifica(b.tipo, static_cast<int>(i - b.inizio));
            const engine::ValoriOperatore v = valoriDelCandidato(b.tipo, c, rif);
            x = v.N1 < 0 || v.N2 < 0 ? Errore : b.tavola[(v.N1 * b.dim2 + v.N2) * b.dimV + v.ValoreFisso];
        }
        return x >= 1 && x <= 90 ? x : 0;
    };
    std::array<bool, 91> giocati{};
    int valutate = 0;
    const auto valuta = [&](const Blocco& b, std::size_t i) {
        if (valutate >= PariMeritoValutati)
            return;
        ++valutate;
        const int n = ambata(b, i);
        if (n && !giocati[static_cast<std::size_t>(n)]) {
            giocati[static_cast<std::size_t>(n)] = true;
            ++pari.ambate;
        }
    };
    for (const std::size_t k : alVertice) {
        const Blocco& b = blocchi_[k];
        pari.formule += tenute.vertici[k].pari;
        const auto& primi = tenute.vertici[k].primi;
        if (!b.simmetrico) {
            for (const std::uint32_t j : primi)
                valuta(b, b.inizio + j);
            continue;
        }
        // Only i1 <= i2 is kept: every other pair ties where its twin does, and takes its own
        // place in enumeration order. A twin comes after its kept pair, so the first ones of
        // both are among the kept first ones listed and their twins.
        std::vector<std::size_t> ordine;
        for (const std::uint32_t j : primi) {
            ordine.push_back(j);
            Candidato c = candidati::decodifica(b.tipo, static_cast<int>(j));
            if (c.cella1 != c.cella2) {
                std::swap(c.cella1, c.cella2);
                ordine.push_back(static_cast<std::size_t>(candidati::codifica(b.tipo, c)));
            }
        }
        std::sort(ordine.begin(), ordine.end());
        for (const std::size_t j : ordine)
            valuta(b, b.inizio + j);
    }
    pari.tutte = pari.formule <= PariMeritoValutati;
}

}
