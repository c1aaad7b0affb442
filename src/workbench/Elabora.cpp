// Calcola, the formula and level verifications, VERIFICA and ELABORA on the workbench.
#include "workbench/Elabora.h"

#include "engine/Numeri.h"
#include "engine/Piramide.h"
#include "workbench/Ambate.h"

#include <algorithm>
#include <string>

namespace workbench {

namespace {

Esito erroreImprevisto()
{
    return Messaggio{std::string(TestoErroreImprevisto), "Avviso", Icona::Informazione};
}

void copiaCella(const grid::Grid& da, int rDa, int cDa, grid::Grid& a, int rA, int cA)
{
    const grid::Cella& cella = da.cella(rDa, cDa);
    a.setTesto(rA, cA, cella.testo);
    a.setSfondo(rA, cA, cella.sfondo);
    a.setColoreTesto(rA, cA, cella.testoColore);
    a.setGrassetto(rA, cA, cella.grassetto);
}

void colonnaGiallaCasi(Banco& b)
{
    const int n = numeroCasi(b);
    if (n > 0)
        b.FgEv.setSfondo(1, 1, n, 1, colori::GialloPallido);
}

}

engine::ParametriVerifica parametriVerifica(const Banco& b, int slot)
{
    engine::ParametriVerifica pv;
    pv.slot = slot;
    pv.colpi = b.colpi;
    pv.riferimento = b.riferimento;
    pv.ruote = ruoteInGioco(b);
    return pv;
}

Esito Calcola(Banco& b, const archive::Archivio& a)
{
    b.List1.clear();
    b.List1.push_back(orarioList1());
    const auto errore = engine::ValutaPiramide(b.FgF, b.riferimento, b.valoreLista, a, b.Lbl0);
    engine::SettaGridFGF(b.FgF, b.Fg5);
    if (errore)
        return Messaggio{std::string(TestoErroreImpostazioni), "Avviso", Icona::Critico};
    return std::nullopt;
}

Esito verificaFormulaBanco(Banco& b, const archive::Archivio& a, const engine::Formula& f, int slot)
{
    try {
        engine::VerificaFormula(f, parametriVerifica(b, slot), b.casi, b.FgL, b.righeVerifica, b.numeriCasi, a);
    } catch (const std::exception&) {
        mostraNumeriCasi(b);
        engine::ColoraFgL(b.FgL);
        return erroreImprevisto();
    }
    mostraNumeriCasi(b);
    engine::ColoraFgL(b.FgL);
    return std::nullopt;
}

namespace {
// Verifies the current row of a result grid in `slot`; with `copia` the row goes
// into row `slot` of the pattern grid Fg5 as a brick composition.
Esito verificaRisultato(Banco& b, const archive::Archivio& a, TipoRicerca tipo, int slot, bool copia)
{
    const RigaEsito* riga = rigaCorrenteRisultati(b, tipo);
    if (slot < 1 || slot > 5 || !riga || riga->vuota())
        return erroreImprevisto();
    b.livelloFgX = 0;
    const engine::Formula f = formulaDellaRiga(*riga);
    if (auto e = verificaFormulaBanco(b, a, f, slot))
        return e;
    if (copia) {
        if (b.Fg5.righe() <= slot)
            b.Fg5.setRighe(slot + 1);
        engine::scriviMattone(b.Fg5, slot, f);
    }
    return std::nullopt;
}
}

Esito verificaEsitoInColonna(Banco& b, const archive::Archivio& a, int slot) { return verificaRisultato(b, a, TipoRicerca::Ambate, slot, true); }

Esito verificaAbbinamentoInColonna(Banco& b, const archive::Archivio& a, int slot) { return verificaRisultato(b, a, TipoRicerca::AbbinamentiAmbo, slot, true); }

Esito verificaSoloEsito(Banco& b, const archive::Archivio& a)
{
    azzeraFgX(b);
    return verificaRisultato(b, a, TipoRicerca::Ambate, 1, false);
}

Esito verificaLivello(Banco& b, const archive::Archivio& a, int livello)
{
    if (livello < 1 || livello > 5)
        return erroreImprevisto();
    const int n = numeroCasi(b);
    if (b.FgX.righe() != n + 1)
        azzeraFgX(b);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= 5; ++c) {
            impostaNumeroCaso(b, r, c, std::nullopt);
            b.FgX.setSfondo(r, c, grid::colori::Bianco);
        }
    try {
        for (int posto = 1; posto <= livello; ++posto) {
            const int m = engine::primoMattone(livello) + posto - 1;
            // An empty brick has no formula: its column stays empty rather than
            // repeat the previous brick's result.
            if (b.FgF.testo(m, engine::colF::Tras).empty())
                continue;
            engine::VerificaFormula(engine::leggiMattone(b.FgF, m), parametriVerifica(b, posto), b.casi, b.FgL, b.righeVerifica, b.numeriCasi, a);
        }
    } catch (const std::exception&) {
        mostraNumeriCasi(b);
        engine::ColoraFgL(b.FgL);
        return erroreImprevisto();
    }
    mostraNumeriCasi(b);
    b.livelloFgX = livello;
    return verificaPrevisioni(b, a);
}

namespace {
struct Riepilogo {
    int casi = 0, positivi = 0, negativi = 0, inGioco = 0;
    std::array<int, 6> perSorte{};
};

void scriviRiepilogo(grid::Grid& Fg_E, const Riepilogo& s, std::string_view titolo)
{
    Fg_E.setRighe(1);
    Fg_E.setRighe(2);
    Fg_E.setTesto(1, colE::Titolo, titolo);
    Fg_E.setNumero(1, colE::Casi, s.casi);
    Fg_E.setNumero(1, colE::Pos, s.positivi);
    Fg_E.setNumero(1, colE::Neg, s.negativi);
    Fg_E.setNumero(1, colE::InG, s.inGioco);
    for (int k = 1; k <= 5; ++k)
        Fg_E.setNumero(1, colE::Sorte1 + k - 1, s.perSorte[k]);
}

// Whether the colpi of the case at draw d reach past the reference draw: a case
// without a hit is then still "in gioco" rather than lost.
bool ancoraInGioco(const Banco& b, int d) { return d + b.colpi > b.riferimento; }
}

Esito verificaPrevisioni(Banco& b, const archive::Archivio& a)
{
    colonnaGiallaCasi(b);
    b.FgL.setRighe(1);
    b.righeVerifica.clear();
    auto aggiungi = [&b] {
        b.righeVerifica.emplace_back();
        return b.FgL.aggiungiRiga();
    };
    auto figure = [&b](int r) -> engine::RigaVerifica& { return b.righeVerifica[static_cast<std::size_t>(r - 1)]; };
    const int S = b.livello;
    const int n = numeroCasi(b);
    const auto ruote = ruoteInGioco(b);
    const int ultimo = std::min(b.riferimento, a.NumeroEstrazioni);
    righeNumeriCasi(b, n);

    Riepilogo s;
    s.casi = n;
    Esito esito;
    try {
        if (S < 1 || S > 5)
            throw engine::ErroreCalcolo("sorte non valida");
        for (int r = 1; r <= n; ++r) {
            const int d = drawCaso(b, r);
            if (d < 1 || d > a.NumeroEstrazioni)
                throw engine::ErroreCalcolo("estrazione del caso fuori archivio");
            // Only real numbers are in play: an empty FgX cell reads 0, which would
            // otherwise match every position of a wheel not drawn that day.
            std::array<bool, 91> inGioco{};
            const int testa = aggiungi();
            b.FgL.setNumero(testa, engine::colL::Estr, d);
            b.FgL.setTesto(testa, engine::colL::Data, a.DateEstrazioni[static_cast<std::size_t>(d)]);
            b.FgL.setNumero(testa, engine::colL::Rif, r);
            figure(testa).estrazione = d;
            figure(testa).caso = r;
            for (int j = 1; j <= 5; ++j) {
                b.FgX.setSfondo(r, j, grid::colori::Bianco);
                const int v = numeroDelCaso(b, r, j);
                if (v < 1 || v > 90)
                    continue;
                inGioco[v] = true;
                b.FgL.setNumero(testa, engine::colL::G1 + j - 1, v);
                figure(testa).giocati[static_cast<std::size_t>(j - 1)] = v;
            }
            bool colpito = false;
            int migliore = 0;
            std::array<bool, 91> usciti{};
            for (int c = d + 1; c <= d + b.colpi && c <= ultimo && !colpito; ++c) {
                for (int w = 0; w < archive::NumeroRuote; ++w) {
                    if (!ruote[w])
                        continue;
                    int conta = 0;
                    for (int p = 1; p <= 5; ++p) {
                        const int x = a.numero(c, w, p);
                        if (x >= 1 && inGioco[x])
                            ++conta;
                    }
                    if (conta < S)
                        continue;
                    const int riga = colpito ? aggiungi() : testa;
                    figure(riga).colpo = c - d;
                    figure(riga).sorte = conta;
                    b.FgL.setTesto(riga, engine::colL::Ru, archive::SigleRuote[w]);
                    b.FgL.setNumero(riga, engine::colL::C, c - d);
                    b.FgL.setNumero(riga, engine::colL::S, conta);
                    for (int p = 1; p <= 5; ++p) {
                        const int x = a.numero(c, w, p);
                        if (x >= 1 && inGioco[x]) {
                            b.FgL.setNumero(riga, engine::colL::Pos1 + p - 1, x);
                            usciti[x] = true;
                        }
                    }
                    migliore = std::max(migliore, conta);
                    colpito = true;
                }
            }
            for (int j = 1; j <= 5; ++j) {
                const int v = numeroDelCaso(b, r, j);
                if (v >= 1 && v <= 90 && usciti[v])
                    b.FgX.setSfondo(r, j, colori::VerdeChiaro);
            }
            if (colpito) {
                ++s.positivi;
                ++s.perSorte[static_cast<std::size_t>(std::min(migliore, 5))];
            } else {
                ++s.negativi;
                if (ancoraInGioco(b, d))
                    ++s.inGioco;
            }
        }
    } catch (const std::exception&) {
        esito = erroreImprevisto();
    }

    engine::ColoraFgL(b.FgL);
    for (int r = 1; r < b.FgL.righe(); ++r)
        if (b.righeVerifica[static_cast<std::size_t>(r - 1)].sorte >= S) {
            b.FgL.setSfondo(r, engine::colL::S, colori::Selezione);
            b.FgL.setGrassetto(r, engine::colL::S, true);
        }
    std::string titolo = "S";
    titolo += std::to_string(S);
    scriviRiepilogo(b.Fg_E, s, titolo);
    return esito;
}

void azzeraMarcheCasi(Banco& b) { b.casiCoperti.clear(); }

void marcaCasiCentrati(Banco& b)
{
    azzeraMarcheCasi(b);
    for (const engine::RigaVerifica& riga : b.righeVerifica) {
        if (riga.colpo <= 0)
            continue;
        // Case k is row k of FgEv (its "Prog"); a further hit row names none.
        setCasoCoperto(b, riga.caso, true);
    }
}

Esito elaboraLivelli(Banco& b, const archive::Archivio& a)
{
    colonnaGiallaCasi(b);
    b.FgY.setRighe(1);
    b.righeElabora.clear();
    Esito esito;

    for (int k = 1; k <= 5; ++k) {
        const LivelloElabora& livello = b.livelliElabora[static_cast<std::size_t>(k - 1)];
        if (!livello.incluso)
            continue;
        const int sorte = livello.sorte;
        if (sorte < 1 || sorte > 5) {
            esito = erroreImprevisto();
            continue;
        }
        b.livello = sorte;
        // A failed level leaves in FgL the report of a single brick (or a partial one):
        // taken into FgY it would count as hits of the level at a sorte it never reached.
        if (auto e = verificaLivello(b, a, k)) {
            esito = e;
            continue;
        }
        for (int r = 1; r < b.FgL.righe(); ++r) {
            const engine::RigaVerifica& riga = b.righeVerifica[static_cast<std::size_t>(r - 1)];
            b.righeElabora.push_back(RigaElabora{k, riga});
            const int y = b.FgY.aggiungiRiga();
            b.FgY.setNumero(y, colY::Livello, k);
            for (int c = 1; c <= 5; ++c)
                copiaCella(b.FgL, r, c, b.FgY, y, c);
            for (int j = 0; j < 5; ++j)
                copiaCella(b.FgL, r, engine::colL::G1 + j, b.FgY, y, colY::G1 + j);
            copiaCella(b.FgL, r, engine::colL::S, b.FgY, y, colY::So);
            for (int j = 0; j < 5; ++j)
                copiaCella(b.FgL, r, engine::colL::Pos1 + j, b.FgY, y, colY::Pos1 + j);
            // Prev: the numbers of the level for the case, as a player copies them.
            if (riga.estrazione != 0) {
                std::string prev;
                for (int j = 0; j < 5; ++j) {
                    const int v = riga.giocati[static_cast<std::size_t>(j)];
                    if (v < 1 || v > 90)
                        continue;
                    if (!prev.empty())
                        prev += '-';
                    prev += archive::dueCifre(v);
                }
                b.FgY.setTesto(y, colY::Prev, prev);
            }
        }
    }

    // Further hit rows of a case carry neither its draw nor its case number: both
    // come from the row above, so that every hit row can be traced to its case.
    for (int y = 2; y < b.FgY.righe(); ++y) {
        if (b.FgY.testo(y, colY::Estr).empty())
            b.FgY.setTesto(y, colY::Estr, b.FgY.testo(y - 1, colY::Estr));
        if (b.FgY.testo(y, colY::Rif).empty())
            b.FgY.setTesto(y, colY::Rif, b.FgY.testo(y - 1, colY::Rif));
        engine::RigaVerifica& riga = b.righeElabora[static_cast<std::size_t>(y - 1)].riga;
        const engine::RigaVerifica& sopra = b.righeElabora[static_cast<std::size_t>(y - 2)].riga;
        if (riga.estrazione == 0)
            riga.estrazione = sopra.estrazione;
        if (riga.caso == 0)
            riga.caso = sopra.caso;
    }

    b.Fg10.setIntestazione(intestazioni::Fg10);
    b.Fg10.setRighe(1);
    Riepilogo s;
    const int n = numeroCasi(b);
    s.casi = n;
    for (int i = 1; i <= n; ++i) {
        const int caso = i;   // the "Prog" of case row i
        int primo = 0;
        for (const RigaElabora& y : b.righeElabora)
            if (y.riga.caso == caso && y.riga.colpo > 0 && (primo == 0 || y.riga.colpo < primo))
                primo = y.riga.colpo;
        if (primo == 0) {
            ++s.negativi;
            if (ancoraInGioco(b, drawCaso(b, i)))
                ++s.inGioco;
            continue;
        }
        int migliore = 0;
        for (int y = 1; y < b.FgY.righe(); ++y) {
            const engine::RigaVerifica& riga = b.righeElabora[static_cast<std::size_t>(y - 1)].riga;
            if (riga.caso != caso || riga.colpo != primo)
                continue;
            const int f = b.Fg10.aggiungiRiga();
            for (int c = 0; c < b.FgY.colonne(); ++c)
                copiaCella(b.FgY, y, c, b.Fg10, f, c);
            migliore = std::max(migliore, riga.sorte);
        }
        ++s.positivi;
        ++s.perSorte[static_cast<std::size_t>(std::clamp(migliore, 0, 5))];
    }
    scriviRiepilogo(b.Fg_E, s, "EL");
    b.Fg_E.setSfondo(1, colE::Pos, colori::VerdeChiaro);
    b.Fg_E.setSfondo(1, colE::Neg, grid::rgb(255, 192, 192));
    b.Fg_E.setSfondo(1, colE::InG, grid::rgb(255, 255, 192));
    return esito;
}

}
