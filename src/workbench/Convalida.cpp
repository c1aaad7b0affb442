// Convalida: each reference's chosen formula and ambata, its outcome in the next colpi, chance, totals, the grid.
#include "workbench/Convalida.h"

#include "workbench/Casi.h"
#include "workbench/Casualita.h"
#include "workbench/ConfrontoCaso.h"
#include "workbench/PunteggiIncrementali.h"

#include <algorithm>
#include <cstdio>

namespace workbench {

namespace {

// Bar 2 of the replay is the search of the current reference: the search's own bar 1
// (the operator row tried) moves it, and a stop of the replay reaches the search at
// its next report.
class AvanzamentoRicerca : public avanzamento::Avanzamento {
public:
    explicit AvanzamentoRicerca(avanzamento::Avanzamento* replica) : replica_(replica) {}

protected:
    void segnala(int barra, int valore, int massimo) override
    {
        if (!replica_)
            return;
        if (barra == 1)
            replica_->imposta(2, valore, massimo);
        if (replica_->fermato())
            ferma();
    }

private:
    avanzamento::Avanzamento* replica_;
};

// "26 formule, 7 ambate": the cell of the ties.
std::string testoPariMeritoBreve(const PariMerito& p)
{
    return std::to_string(p.formule) + " formule, " + (p.tutte ? "" : "≥") + std::to_string(p.ambate) +
           (p.ambate == 1 ? " ambata" : " ambate");
}

std::string percentuale(int parte, int tutto) { return grid::conVirgola(tutto > 0 ? 100.0 * parte / tutto : 0.0, 1) + "%"; }

// The chosen formula of one reference: what the replay needs of the search's settings.
struct Scelta {
    RigaEsito migliore;
    PariMerito pari;
    int verificabili = 0;
};

// The loop both replays share: the banco of each reference, its search (`cerca`), its row.
template <typename Cerca>
RisultatoConvalida replica(const ImpostazioniConvalida& imp, const archive::Archivio& a,
                           avanzamento::Avanzamento* avanzamento, Cerca&& cerca)
{
    RisultatoConvalida esito;
    if (!controllaIntervallo(imp.dal, imp.al, a).empty())
        return esito;
    const int n = imp.al - imp.dal + 1;
    try {
        Banco b;
        for (int R = imp.dal; R <= imp.al; ++R) {
            avanzamento::imposta(avanzamento, 1, R - imp.dal + 1, n);
            avanzamento::controlla(avanzamento);
            Scelta s;
            ImpostazioniRicerca ricerca;
            if (!bancoDelRiferimento(imp, a, R, b)) {
                ricerca = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
                ricerca.operatori = imp.operatori;
                ricerca.confrontoCaso = false;
                s.verificabili = casiVerificabili(ricerca, a);
                s.migliore = cerca(ricerca, s.pari);
            }
            esito.righe.push_back(esitoRiferimento(s.migliore, s.verificabili, R, b.colpi, ruoteInGioco(b), a));
            esito.righe.back().pari = s.pari;
        }
        avanzamento::controlla(avanzamento);
    } catch (const avanzamento::Interrotto&) {
        RisultatoConvalida fermato;
        fermato.interrotta = true;
        return fermato;
    }
    esito.totali = totaliConvalida(esito.righe);
    return esito;
}

}

bool RigaConvalida::giocata() const { return ambata && *ambata >= 1 && *ambata <= 90; }

bool RigaConvalida::inCorso() const { return giocata() && colpo == 0 && colpiPresenti < colpi; }

bool RigaConvalida::conteggiata() const { return giocata() && colpiPresenti == colpi; }

std::string controllaIntervallo(int dal, int al, const archive::Archivio& a)
{
    if (dal > al)
        return "il primo riferimento (" + std::to_string(dal) + ") viene dopo l'ultimo (" + std::to_string(al) + ")";
    if (dal < 1 || al > a.NumeroEstrazioni)
        return "i riferimenti devono essere fra 1 e " + std::to_string(a.NumeroEstrazioni);
    return {};
}

ImpostazioniConvalida impostazioniConvalida(const Banco& b, int dal, int al, bool mensileDalRiferimento)
{
    ImpostazioniConvalida imp;
    imp.casi = impostazioniCasi(b);
    imp.lista = b.lista;
    imp.operatori = operatoriRicerca(b);
    imp.dal = dal;
    imp.al = al;
    imp.mensileDalRiferimento = mensileDalRiferimento;
    return imp;
}

Esito bancoDelRiferimento(const ImpostazioniConvalida& imp, const archive::Archivio& a, int riferimento, Banco& b)
{
    applicaImpostazioniCasi(b, imp.casi);
    b.lista = imp.lista;
    b.casiScoperti = false;
    impostaRiferimento(b, a, riferimento);
    if (imp.mensileDalRiferimento)
        impostaMensileDaRiferimento(b, a);
    return RicavaEstrazioni(b, a);
}

RigaConvalida esitoRiferimento(const RigaEsito& migliore, int verificabili, int riferimento, int colpi,
                               const std::array<bool, archive::NumeroRuote>& ruote, const archive::Archivio& a)
{
    RigaConvalida r;
    r.riferimento = riferimento;
    r.formula = migliore;
    r.verificabili = verificabili;
    r.colpi = colpi;
    r.colpiPresenti = std::clamp(a.NumeroEstrazioni - riferimento, 0, colpi);
    if (!migliore.vuota())
        r.ambata = previsioneRiga(migliore, a, riferimento);
    // Every wheel in play drawn in each colpo is one more chance of 5 in 90.
    r.probabilita = probabilitaCopertura(ruoteEstratteNeiColpi(a, riferimento, colpi, a.NumeroEstrazioni, ruote),
                                         ProbabilitaAmbataSuRuota);
    if (!r.giocata())
        return r;
    for (int c = 1; c <= r.colpiPresenti && r.colpo == 0; ++c)
        for (int w = 0; w < archive::NumeroRuote && r.colpo == 0; ++w) {
            if (!ruote[static_cast<std::size_t>(w)])
                continue;
            for (int p = 1; p <= 5; ++p)
                if (a.numero(riferimento + c, w, p) == *r.ambata)
                    r.colpo = c;
        }
    return r;
}

TotaliConvalida totaliConvalida(const std::vector<RigaConvalida>& righe)
{
    TotaliConvalida t;
    std::vector<double> probabilita;
    double copertura = 0;
    for (const auto& r : righe) {
        if (!r.conteggiata())
            continue;
        ++t.riferimenti;
        t.uscite += r.colpo > 0;
        t.attese += r.probabilita;
        probabilita.push_back(r.probabilita);
        if (r.verificabili > 0)
            copertura += static_cast<double>(r.formula.cop) / r.verificabili;
        t.sceltePariMerito += r.pari.ambate > 1;
    }
    t.p = almeno(poissonBinomiale(probabilita), t.uscite);
    t.coperturaMedia = t.riferimenti > 0 ? copertura / t.riferimenti : 0;
    return t;
}

RisultatoConvalida convalidaSemplice(const ImpostazioniConvalida& imp, const archive::Archivio& a,
                                     avanzamento::Avanzamento* avanzamento)
{
    AvanzamentoRicerca ricerca(avanzamento);
    return replica(imp, a, avanzamento, [&](const ImpostazioniRicerca& r, PariMerito& pari) {
        const RisultatoRicerca esito = cercaFormule(r, a, &ricerca);
        if (esito.interrotta)
            throw avanzamento::Interrotto();
        pari = esito.pari;
        return esito.righe.empty() ? RigaEsito{} : esito.righe.front();
    });
}

RisultatoConvalida convalida(const ImpostazioniConvalida& imp, const archive::Archivio& a,
                             avanzamento::Avanzamento* avanzamento)
{
    PunteggiIncrementali punteggi(a, imp.operatori, imp.casi.ruote, imp.casi.colpi);
    AvanzamentoRicerca ricerca(avanzamento);
    return replica(imp, a, avanzamento, [&](const ImpostazioniRicerca& r, PariMerito& pari) {
        // The kept sums hold up to 63 cases and need a list of two rows; the window and
        // the command line never go beyond 50 and below 100.
        if (r.lista < 2 || r.casi.size() > 63) {
            const RisultatoRicerca esito = cercaFormule(r, a, &ricerca);
            if (esito.interrotta)
                throw avanzamento::Interrotto();
            pari = esito.pari;
            return esito.righe.empty() ? RigaEsito{} : esito.righe.front();
        }
        return punteggi.migliore(r, avanzamento, &pari);
    });
}

void preparaGrigliaConvalida(grid::Grid& g)
{
    g.setIntestazione(colConvalida::Intestazione);
    g.setRighe(1);
    for (int c = 0; c < colConvalida::Colonne; ++c)
        g.setAllineamento(c, grid::Allineamento::Centro);
}

std::string dataRiferimento(const RigaConvalida& riga, const archive::Archivio& a)
{
    return riga.riferimento >= 1 && riga.riferimento <= a.NumeroEstrazioni ? a.DateEstrazioni[static_cast<std::size_t>(riga.riferimento)]
                                                                            : std::string();
}

bool ambataUscita(const RigaConvalida& riga) { return riga.colpo > 0; }

std::string testoConvalida(const RigaConvalida& riga, int colonna, std::string_view data)
{
    namespace k = colConvalida;
    const RigaEsito& f = riga.formula;
    const auto numero = [](const std::optional<int>& n) { return n ? std::to_string(*n) : std::string(); };
    const auto ruota = [](const std::optional<int>& w) {
        return w && *w >= 0 && *w < archive::NumeroRuote ? std::string(archive::SigleRuote[static_cast<std::size_t>(*w)]) : std::string();
    };
    switch (colonna) {
    case k::Rif:
        return std::to_string(riga.riferimento);
    case k::Data:
        return std::string(data);
    case k::Formula:
        return f.vuota() ? "nessuna formula" : f.formula;
    case k::Ambata:
        return numero(riga.ambata);
    case k::Colpo:
        if (!riga.giocata())
            return {};
        return riga.colpo > 0 ? std::to_string(riga.colpo) : riga.inCorso() ? "in corso" : "0";
    case k::Prob:
        return grid::conVirgola(riga.probabilita, 3);
    case k::Pari:
        return riga.pari.formule > 1 ? testoPariMeritoBreve(riga.pari) : std::string();
    default:
        break;
    }
    // The formula's own columns: empty without one.
    if (f.vuota())
        return {};
    switch (colonna) {
    case k::Cop:
        return std::to_string(f.cop);
    case k::P1:
        return numero(f.p1);
    case k::Ru1:
        return ruota(f.r1);
    case k::P2:
        return numero(f.p2);
    case k::Ru2:
        return ruota(f.r2);
    case k::Val:
        return numero(f.val);
    default:
        return {};
    }
}

void scriviRigaConvalida(grid::Grid& g, int r, const RigaConvalida& riga, const archive::Archivio& a)
{
    const std::string data = dataRiferimento(riga, a);
    for (int c = 0; c < colConvalida::Colonne; ++c)
        g.setTesto(r, c, testoConvalida(riga, c, data));
    if (ambataUscita(riga)) {
        g.setSfondo(r, colConvalida::Ambata, colori::VerdeChiaro);
        g.setSfondo(r, colConvalida::Colpo, colori::VerdeChiaro);
    }
}

void scriviConvalida(grid::Grid& g, const RisultatoConvalida& risultato, const archive::Archivio& a)
{
    preparaGrigliaConvalida(g);
    g.setRighe(static_cast<int>(risultato.righe.size()) + 1);
    for (std::size_t i = 0; i < risultato.righe.size(); ++i)
        scriviRigaConvalida(g, static_cast<int>(i) + 1, risultato.righe[i], a);
    if (g.righe() > 1) {
        g.setGrassetto(1, colConvalida::Ambata, g.righe() - 1, colConvalida::Ambata, true);
        g.setColoreTesto(1, colConvalida::Formula, g.righe() - 1, colConvalida::Formula, grid::colori::Blu);
    }
}

int riferimentoRiga(const std::vector<RigaConvalida>& righe, int r)
{
    return r >= 1 && static_cast<std::size_t>(r) <= righe.size() ? righe[static_cast<std::size_t>(r - 1)].riferimento : 0;
}

std::string testoTotaliConvalida(const TotaliConvalida& t)
{
    const double quotaAttese = t.riferimenti > 0 ? 100.0 * t.attese / t.riferimenti : 0.0;
    return "Riferimenti: " + std::to_string(t.riferimenti) + "; ambate uscite: " + std::to_string(t.uscite) + " (" +
           percentuale(t.uscite, t.riferimenti) + "); attese a caso: " + testoAttesi(t.attese) + " (" +
           grid::conVirgola(quotaAttese, 1) + "%); p: " + testoProbabilita(t.p) +
           "; copertura media nei casi: " + grid::conVirgola(100.0 * t.coperturaMedia, 1) +
           "%; scelte fra pari merito con ambate diverse: " + std::to_string(t.sceltePariMerito);
}

std::vector<PuntoCumulato> cumulati(const std::vector<RigaConvalida>& righe)
{
    std::vector<PuntoCumulato> punti;
    PuntoCumulato p;
    for (const auto& r : righe) {
        if (!r.conteggiata())
            continue;
        p.riferimento = r.riferimento;
        p.uscite += r.colpo > 0;
        p.attese += r.probabilita;
        punti.push_back(p);
    }
    return punti;
}

}
