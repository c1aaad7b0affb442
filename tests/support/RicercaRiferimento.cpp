// The plain formula search: nested loops over candidates, cases, colpi, wheels and positions.
#include "support/RicercaRiferimento.h"

#include "engine/Formula.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

namespace testsupport {

using namespace workbench;

namespace {

struct Candidato {
    int r1 = -1, p1 = -1, r2 = -1, p2 = -1, v = -1, n = -1;
};

class Ricerca {
public:
    Ricerca(const ImpostazioniRicerca& imp, const archive::Archivio& a, grid::Grid& g, bool& anomalia)
        : imp_(imp), a_(a), g_(g), anomalia_(anomalia)
    {
    }

    void candidato(const OperatoreRicerca& op, const Candidato& k)
    {
        int cop = 0, tot = 0;
        std::optional<int> ultimo;
        for (const auto& caso : imp_.casi) {
            if (!caso.abilitato)
                continue;
            const int d = caso.estrazione;
            if (d < 1 || d > a_.NumeroEstrazioni) {
                anomalia_ = true;
                continue;
            }
            if (d > imp_.riferimento)
                continue;
            // The candidate as a formula; an input outside the archive (class 5 before the
            // first draw) or an evaluator error makes the case not computable.
            const engine::Formula f{op.codice,          op.tipo, std::max(k.p1, 0), std::max(k.r1, 0),
                                    std::max(k.p2, 0), std::max(k.r2, 0), k.n >= 0 ? k.n : std::max(k.v, 0)};
            // A wheel the formula reads was not drawn on the case: no hit, no anomaly.
            if (engine::leggeRuotaNonEstratta(f, d, a_))
                continue;
            std::optional<std::int16_t> calcolato;
            try {
                calcolato = engine::valutaFormula(f, d, a_);
            } catch (const engine::ErroreCalcolo&) {
            }
            if (!calcolato) {
                anomalia_ = true;
                continue;
            }
            const int esito = *calcolato;
            ultimo = esito;
            // The set of numbers in play; 0 (an empty cell, a wheel not drawn) is never in it.
            std::array<bool, 91> insieme{};
            if (imp_.sorte() > 0)
                for (int n : caso.giocati)
                    if (n >= 1 && n <= 90)
                        insieme[static_cast<std::size_t>(n)] = true;
            if (esito >= 1 && esito <= 90)
                insieme[static_cast<std::size_t>(esito)] = true;
            bool colpito = false;
            for (int c = d + 1; c <= d + imp_.colpi; ++c) {
                if (c > imp_.riferimento)
                    continue;
                bool inQuesto = false;
                for (int w = 0; w < archive::NumeroRuote; ++w) {
                    if (!imp_.ruote[static_cast<std::size_t>(w)])
                        continue;
                    bool vinta = false;
                    if (imp_.sorte() == 0) {
                        for (int p = 1; p <= 5; ++p)
                            if (esito >= 1 && esito <= 90 && a_.numero(c, w, p) == esito) {
                                vinta = true;
                                break;
                            }
                    } else {
                        int quanti = 0;
                        for (int p = 1; p <= 5; ++p) {
                            const int n = a_.numero(c, w, p);
                            if (n >= 1 && n <= 90 && insieme[static_cast<std::size_t>(n)])
                                ++quanti;
                        }
                        vinta = quanti >= imp_.sorte();
                    }
                    if (vinta) {
                        if (!colpito)
                            ++cop;
                        colpito = true;
                        inQuesto = true;
                        ++tot;
                    }
                }
                if (inQuesto)
                    break;
            }
        }
        if (!fisso(op, k))
            tieni(op, k, cop, tot, ultimo);
    }

private:
    // A candidate whose value cannot depend on the draw: its operator, fed every number
    // 1..90 (the same number twice when it reads one cell twice), always gives the same
    // outcome (a number 1..90, or "none" for anything else, or an error). Operators that
    // read the draw themselves and the fixed number of class 4 are never such.
    bool fisso(const OperatoreRicerca& op, const Candidato& k)
    {
        if (op.tipo != 1 && op.tipo != 2 && op.tipo != 3 && op.tipo != 5 && op.tipo != 7)
            return false;
        const int indice = engine::IndiceOperatore(op.codice);
        if (indice >= 0 && engine::LeggeOperatore(indice).Estrazione)
            return false;
        const bool due = op.tipo == 2 || op.tipo == 7;
        const bool stessa = due && k.r1 == k.r2 && k.p1 == k.p2;
        const auto chiave = std::make_tuple(op.codice, op.tipo, std::max(k.v, 0), stessa);
        if (const auto it = fissi_.find(chiave); it != fissi_.end())
            return it->second;
        auto esito = [&](int n1, int n2) {
            engine::CampiOperatore c;
            c.CodiceOperatore = op.codice;
            c.N1 = n1;
            c.N2 = n2;
            c.ValoreFisso = std::max(k.v, 0);
            c.Risultato = 0;
            try {
                engine::ElaboraPPP2(c, a_);
            } catch (const engine::ErroreCalcolo&) {
                return 91;
            }
            return c.Risultato >= 1 && c.Risultato <= 90 ? static_cast<int>(c.Risultato) : 0;
        };
        const int primo = esito(1, due ? 1 : 0);
        bool costante = true;
        for (int n1 = 1; n1 <= 90 && costante; ++n1) {
            if (stessa) {
                costante = esito(n1, n1) == primo;
                continue;
            }
            for (int n2 = due ? 1 : 0; n2 <= (due ? 90 : 0) && costante; ++n2)
                costante = esito(n1, n2) == primo;
        }
        fissi_[chiave] = costante;
        return costante;
    }

    void tieni(const OperatoreRicerca& op, const Candidato& k, int cop, int tot, std::optional<int> ultimo)
    {
        const int l = imp_.lista;
        if (!(g_.valore(l, colEsiti::Cop) < tot))
            return;
        using namespace colEsiti;
        for (int c = Cop; c <= Val; ++c)
            g_.setTesto(l, c, "");
        g_.setTesto(l, Formula, op.codice);
        g_.setNumero(l, Tipo, op.tipo);
        g_.setNumero(l, Cop, cop);
        g_.setNumero(l, Tot, tot);
        if (k.r1 >= 0) {
            if (op.tipo != 6)
                g_.setNumero(l, P1, k.p1);
            g_.setNumero(l, R1, k.r1);
            g_.setTesto(l, Ru1, archive::SigleRuote[static_cast<std::size_t>(k.r1)]);
        }
        if (k.r2 >= 0) {
            g_.setNumero(l, P2, k.p2);
            g_.setNumero(l, R2, k.r2);
            g_.setTesto(l, Ru2, archive::SigleRuote[static_cast<std::size_t>(k.r2)]);
        }
        if (k.v >= 0)
            g_.setNumero(l, Val, k.v);
        if (k.n >= 0)
            g_.setNumero(l, Val, k.n);
        if (op.tipo == 6 && imp_.sorte() > 0 && ultimo)
            g_.setNumero(l, Val, *ultimo);
        // Cop first, equal Cop by Tot, equal both in the order they came (stable sorts).
        g_.ordinaDecrescente(Tot);
        g_.ordinaDecrescente(Cop);
    }

    const ImpostazioniRicerca& imp_;
    const archive::Archivio& a_;
    grid::Grid& g_;
    bool& anomalia_;
    std::map<std::tuple<std::string, int, int, bool>, bool> fissi_;
};

}

grid::Grid cercaFormuleRiferimento(const ImpostazioniRicerca& imp, const archive::Archivio& a, bool& anomalia)
{
    grid::Grid g;
    preparaGrigliaEsiti(g);
    anomalia = false;
    if (imp.lista < 1 || imp.riferimento < 1 || imp.riferimento > a.NumeroEstrazioni) {
        anomalia = true;
        g.setRighe(std::max(imp.lista, 0) + 1);
        formattaEsiti(g, imp.tipo);
        return g;
    }
    g.setRighe(imp.lista + 1);
    Ricerca ricerca(imp, a, g, anomalia);
    for (const auto& op : imp.operatori) {
        if (!op.scelto)
            continue;
        Candidato k;
        switch (op.tipo) {
        case 1:
            for (k.r1 = 0; k.r1 <= 10; ++k.r1)
                for (k.p1 = 1; k.p1 <= 5; ++k.p1)
                    ricerca.candidato(op, k);
            break;
        case 2:
            for (k.r1 = 0; k.r1 <= 10; ++k.r1)
                for (k.p1 = 1; k.p1 <= 5; ++k.p1)
                    for (k.r2 = 0; k.r2 <= 10; ++k.r2)
                        for (k.p2 = 1; k.p2 <= 5; ++k.p2)
                            ricerca.candidato(op, k);
            break;
        case 3:
            for (k.r1 = 0; k.r1 <= 10; ++k.r1)
                for (k.p1 = 1; k.p1 <= 5; ++k.p1)
                    for (k.v = 0; k.v <= 89; ++k.v)
                        ricerca.candidato(op, k);
            break;
        case 4:
            for (k.n = 1; k.n <= 90; ++k.n)
                ricerca.candidato(op, k);
            break;
        case 5:
            for (k.v = 0; k.v <= 10; ++k.v)
                for (k.r1 = 0; k.r1 <= 10; ++k.r1)
                    for (k.p1 = 1; k.p1 <= 5; ++k.p1)
                        ricerca.candidato(op, k);
            break;
        case 6:
            k.p1 = 0;
            for (k.r1 = 0; k.r1 <= 10; ++k.r1)
                ricerca.candidato(op, k);
            break;
        case 7:
            for (k.r1 = 0; k.r1 <= 10; ++k.r1)
                for (k.p1 = 1; k.p1 <= 5; ++k.p1)
                    for (k.r2 = 0; k.r2 <= 10; ++k.r2)
                        for (k.p2 = 1; k.p2 <= 5; ++k.p2)
                            for (k.v = 0; k.v <= 89; ++k.v)
                                ricerca.candidato(op, k);
            break;
        default:
            break;
        }
    }
    formattaEsiti(g, imp.tipo);
    return g;
}

}
