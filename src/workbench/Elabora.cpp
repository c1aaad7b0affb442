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

void colonnaGiallaCasi(Banco& b)
{
    if (numeroCasi(b) > 0)
        b.casiEvidenziati = true;
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
        engine::VerificaFormula(f, parametriVerifica(b, slot), b.casi, b.righeVerifica, b.numeriCasi, a);
    } catch (const std::exception&) {
                return erroreImprevisto();
    }
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
        if (static_cast<int>(b.Fg5.size()) < slot) {
            b.Fg5.resize(static_cast<std::size_t>(slot));
            engine::SettaGridFGF(b.Fg5);
        }
        engine::scriviMattone(b.Fg5[static_cast<std::size_t>(slot - 1)], f);
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
    if (static_cast<int>(b.numeriCasi.size()) != n)
        azzeraFgX(b);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= 5; ++c) {
            impostaNumeroCaso(b, r, c, std::nullopt);
            setNumeroUscito(b, r, c, false);
        }
    try {
        for (int posto = 1; posto <= livello; ++posto) {
            const int m = engine::primoMattone(livello) + posto - 1;
            // An empty brick has no formula: its column stays empty rather than
            // repeat the previous brick's result.
            if (b.mattone(m).vuoto())
                continue;
            engine::VerificaFormula(engine::leggiMattone(b.mattone(m)), parametriVerifica(b, posto), b.casi, b.righeVerifica, b.numeriCasi, a);
        }
    } catch (const std::exception&) {
                return erroreImprevisto();
    }
        b.livelloFgX = livello;
    return verificaPrevisioni(b, a);
}

namespace {
// Whether the colpi of the case at draw d reach past the reference draw: a case
// without a hit is then still "in gioco" rather than lost.
bool ancoraInGioco(const Banco& b, int d) { return d + b.colpi > b.riferimento; }
}

Esito verificaPrevisioni(Banco& b, const archive::Archivio& a)
{
    colonnaGiallaCasi(b);
    b.righeVerifica.clear();
    const int S = b.livello;
    auto aggiungi = [&b, S] {
        b.righeVerifica.emplace_back().sorteRichiesta = S;
        return static_cast<int>(b.righeVerifica.size());
    };
    auto figure = [&b](int r) -> engine::RigaVerifica& { return b.righeVerifica[static_cast<std::size_t>(r - 1)]; };
    const int n = numeroCasi(b);
    const auto ruote = ruoteInGioco(b);
    const int ultimo = std::min(b.riferimento, a.NumeroEstrazioni);
    righeNumeriCasi(b, n);

    RiepilogoVerifica s;
    s.titolo = "S" + std::to_string(S);
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
            figure(testa).data = a.DateEstrazioni[static_cast<std::size_t>(d)];
            figure(testa).estrazione = d;
            figure(testa).caso = r;
            for (int j = 1; j <= 5; ++j) {
                setNumeroUscito(b, r, j, false);
                const int v = numeroDelCaso(b, r, j);
                if (v < 1 || v > 90)
                    continue;
                inGioco[v] = true;
                figure(testa).giocati[static_cast<std::size_t>(j - 1)] = v;
                figure(testa).celleGiocate[static_cast<std::size_t>(j - 1)] = engine::CellaGiocata::Numero;
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
                    figure(riga).ruota = w;
                    for (int p = 1; p <= 5; ++p) {
                        const int x = a.numero(c, w, p);
                        if (x >= 1 && inGioco[x]) {
                            figure(riga).usciti[static_cast<std::size_t>(p - 1)] = x;
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
                    setNumeroUscito(b, r, j, true);
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

    b.riepilogo = s;
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
        for (const engine::RigaVerifica& riga : b.righeVerifica)
            b.righeElabora.push_back(RigaElabora{k, riga, riga.caso != 0});
    }

    // Further hit rows of a case carry neither its draw nor its case number: both
    // come from the row above, so that every hit row can be traced to its case.
    for (std::size_t y = 1; y < b.righeElabora.size(); ++y) {
        engine::RigaVerifica& riga = b.righeElabora[y].riga;
        const engine::RigaVerifica& sopra = b.righeElabora[y - 1].riga;
        if (riga.caso == 0) {
            riga.estrazione = sopra.estrazione;
            riga.caso = sopra.caso;
        }
    }

    b.righePrimoColpo.clear();
    RiepilogoVerifica s;
    s.titolo = "EL";
    s.elabora = true;
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
        for (const RigaElabora& y : b.righeElabora) {
            const engine::RigaVerifica& riga = y.riga;
            if (riga.caso != caso || riga.colpo != primo)
                continue;
            b.righePrimoColpo.push_back(y);
            migliore = std::max(migliore, riga.sorte);
        }
        ++s.positivi;
        ++s.perSorte[static_cast<std::size_t>(std::clamp(migliore, 0, 5))];
    }
    b.riepilogo = s;
    return esito;
}

namespace {
// The report column (colL) FgY column c shows; none for the level and Prev.
std::optional<int> colonnaDelResoconto(int c)
{
    if (c >= colY::Estr && c <= colY::C)
        return c;   // the same places in both
    if (c >= colY::G1 && c < colY::G1 + 5)
        return engine::colL::G1 + c - colY::G1;
    if (c == colY::So)
        return engine::colL::S;
    if (c >= colY::Pos1 && c < colY::Pos1 + 5)
        return engine::colL::Pos1 + c - colY::Pos1;
    return std::nullopt;
}
}

std::string testoFgY(const RigaElabora& y, int colonna)
{
    if (colonna == colY::Livello)
        return std::to_string(y.livello);
    if (colonna == colY::Prev) {
        // The numbers of the level for the case, as a player copies them.
        std::string prev;
        if (!y.primaDelCaso)
            return prev;
        for (int v : y.riga.giocati) {
            if (v < 1 || v > 90)
                continue;
            if (!prev.empty())
                prev += '-';
            prev += archive::dueCifre(v);
        }
        return prev;
    }
    const auto c = colonnaDelResoconto(colonna);
    return c ? engine::testoFgL(y.riga, *c) : std::string();
}

std::optional<grid::Colore> sfondoFgY(const RigaElabora& y, int colonna)
{
    const auto c = colonnaDelResoconto(colonna);
    return c ? engine::sfondoFgL(y.riga, *c) : std::nullopt;
}

std::optional<grid::Colore> coloreTestoFgY(int colonna)
{
    const auto c = colonnaDelResoconto(colonna);
    return c ? engine::coloreTestoFgL(*c) : std::nullopt;
}

bool grassettoFgY(const RigaElabora& y, int colonna)
{
    const auto c = colonnaDelResoconto(colonna);
    return c && engine::grassettoFgL(y.riga, *c);
}

std::string testoFg_E(const RiepilogoVerifica& s, int colonna)
{
    if (colonna == colE::Titolo)
        return s.titolo;
    if (colonna >= colE::Sorte1 && colonna < colE::Sorte1 + 5)
        return std::to_string(s.perSorte[static_cast<std::size_t>(colonna - colE::Sorte1 + 1)]);
    switch (colonna) {
    case colE::Casi:
        return std::to_string(s.casi);
    case colE::Pos:
        return std::to_string(s.positivi);
    case colE::Neg:
        return std::to_string(s.negativi);
    case colE::InG:
        return std::to_string(s.inGioco);
    default:
        return {};
    }
}

std::optional<grid::Colore> sfondoFg_E(const RiepilogoVerifica& s, int colonna)
{
    if (!s.elabora)
        return std::nullopt;
    switch (colonna) {
    case colE::Pos:
        return colori::VerdeChiaro;
    case colE::Neg:
        return grid::rgb(255, 192, 192);
    case colE::InG:
        return grid::rgb(255, 255, 192);
    default:
        return std::nullopt;
    }
}

grid::Grid grigliaFgL(const Banco& b)
{
    grid::Grid g;
    g.setIntestazione(intestazioni::FgL);
    engine::scriviFgL(g, b.righeVerifica);
    return g;
}

}
