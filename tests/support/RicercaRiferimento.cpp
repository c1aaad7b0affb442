// The plain formula search: nested loops over candidates, cases, colpi, wheels and positions.
#include "support/RicercaRiferimento.h"

#include "engine/Operatori.h"

#include <array>

namespace testsupport {

using namespace workbench;

namespace {

struct Candidato {
    int r1 = -1, p1 = -1, r2 = -1, p2 = -1, v = -1, n = -1;
};

// N(d, w, p) as an operand: false when d is not a draw or the number is not 0..90.
bool operando(const archive::Archivio& a, int d, int w, int p, std::int16_t& n)
{
    if (d < 1 || d > a.NumeroEstrazioni)
        return false;
    n = a.numero(d, w, p);
    return n >= 0 && n <= 90;
}

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
            engine::CampiOperatore f;
            f.CodiceOperatore = op.codice;
            f.EstrazioneCalcolo = static_cast<std::int16_t>(d);
            bool ok = true;
            if (k.r1 >= 0) {
                f.R1 = static_cast<std::int16_t>(k.r1);
                f.P1 = static_cast<std::int16_t>(k.p1);
            }
            if (k.r2 >= 0) {
                f.R2 = static_cast<std::int16_t>(k.r2);
                f.P2 = static_cast<std::int16_t>(k.p2);
            }
            switch (op.tipo) {
            case 1: ok = operando(a_, d, k.r1, k.p1, f.N1); break;
            case 2: ok = operando(a_, d, k.r1, k.p1, f.N1) && operando(a_, d, k.r2, k.p2, f.N2); break;
            case 3:
                ok = operando(a_, d, k.r1, k.p1, f.N1);
                f.ValoreFisso = static_cast<std::int16_t>(k.v);
                break;
            case 4: f.N1 = static_cast<std::int16_t>(k.n); break;
            case 5:
                f.ValoreFisso = static_cast<std::int16_t>(k.v);
                ok = operando(a_, d - k.v, k.r1, k.p1, f.N1);
                break;
            case 6: break;
            case 7:
                ok = operando(a_, d, k.r1, k.p1, f.N1) && operando(a_, d, k.r2, k.p2, f.N2);
                f.ValoreFisso = static_cast<std::int16_t>(k.v);
                break;
            default: break;
            }
            if (!ok) {
                anomalia_ = true;
                continue;
            }
            try {
                engine::ElaboraPPP2(f, a_);
            } catch (const engine::ErroreCalcolo&) {
                anomalia_ = true;
                continue;
            }
            const int esito = f.Risultato;
            ultimo = esito;
            // The set of numbers in play; 0 (an empty cell, a wheel not drawn) is never in it.
            std::array<bool, 91> insieme{};
            if (imp_.sorte > 0)
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
                    if (imp_.sorte == 0) {
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
                        vinta = quanti >= imp_.sorte;
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
        tieni(op, k, cop, tot, ultimo);
    }

private:
    void tieni(const OperatoreRicerca& op, const Candidato& k, int cop, int tot, std::optional<int> ultimo)
    {
        const int l = imp_.lista;
        if (!(g_.valore(l, 1) < tot))
            return;
        for (int c = 1; c <= 12; ++c)
            g_.setTesto(l, c, "");
        g_.setTesto(l, 3, op.codice);
        g_.setNumero(l, 8, op.tipo);
        g_.setNumero(l, 1, cop);
        g_.setNumero(l, 2, tot);
        if (k.r1 >= 0) {
            if (op.tipo != 6)
                g_.setNumero(l, 4, k.p1);
            g_.setNumero(l, 5, k.r1);
            g_.setTesto(l, 6, archive::SigleRuote[static_cast<std::size_t>(k.r1)]);
        }
        if (k.r2 >= 0) {
            g_.setNumero(l, 9, k.p2);
            g_.setNumero(l, 10, k.r2);
            g_.setTesto(l, 11, archive::SigleRuote[static_cast<std::size_t>(k.r2)]);
        }
        if (k.v >= 0)
            g_.setNumero(l, 12, k.v);
        if (k.n >= 0)
            g_.setNumero(l, 12, k.n);
        if (op.tipo == 6 && imp_.sorte > 0 && ultimo)
            g_.setNumero(l, 12, *ultimo);
        g_.ordinaDecrescente(1);
    }

    const ImpostazioniRicerca& imp_;
    const archive::Archivio& a_;
    grid::Grid& g_;
    bool& anomalia_;
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
        formattaEsiti(g, imp.sorte);
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
    formattaEsiti(g, imp.sorte);
    return g;
}

}
