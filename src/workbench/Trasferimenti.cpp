// The workbench's small window commands: what the buttons around the pyramid and the selection grids do.
#include "workbench/Trasferimenti.h"

#include "engine/Piramide.h"
#include "workbench/Ambate.h"
#include "workbench/Elabora.h"

#include <cstdio>

namespace workbench {

namespace {

using namespace engine::colF;

constexpr grid::Colore Giallo = grid::colori::Giallo;

bool rigaValida(const grid::Grid& g, int r) { return r >= 1 && r < g.righe(); }

bool mattoneValido(const Banco& b, int m) { return m >= 1 && m <= engine::NumeroMattoni && m < b.FgF.righe(); }


}

bool impostaFormula(Banco& b, const grid::Grid& risultati)
{
    const int r = risultati.rigaCorrente;
    const int m = b.FgF.rigaCorrente;
    if (!rigaValida(risultati, r) || !mattoneValido(b, m))
        return false;
    const RigaEsito riga = leggiRigaEsito(risultati, r);
    if (riga.vuota())
        return false;
    engine::scriviMattone(b.FgF, m, formulaDellaRiga(riga));
    engine::SettaGridFGF(b.FgF, b.Fg5);
    return true;
}

Esito impostaCapogioco(Banco& b, const archive::Archivio& a)
{
    const int r = b.FgEsiti.rigaCorrente;
    const RigaEsito riga = rigaValida(b.FgEsiti, r) ? leggiRigaEsito(b.FgEsiti, r) : RigaEsito{};
    if (riga.vuota())
        return Messaggio{"Effettuare le selezioni.", "Avviso", Icona::Informazione};
    for (int livello = 1; livello <= 5; ++livello)
        engine::scriviMattone(b.FgF, engine::primoMattone(livello), formulaDellaRiga(riga));
    return Calcola(b, a);
}

void impostaLivelloDaFg5(Banco& b, int livello)
{
    if (livello < 1 || livello > 5)
        return;
    const int primo = engine::primoMattone(livello);
    for (int k = 1; k <= livello; ++k)
        for (int c = Tras; c < b.FgF.colonne(); ++c)
            b.FgF.setTesto(primo + k - 1, c, b.Fg5.testo(k, c));
    engine::SettaGridFGF(b.FgF, b.Fg5);
}

void evidenziaRigaFg5(Banco& b, int riga)
{
    if (!rigaValida(b.Fg5, riga))
        return;
    b.Fg5.setSfondo(1, 0, b.Fg5.righe() - 1, b.Fg5.colonne() - 1, grid::colori::Bianco);
    b.Fg5.setSfondo(riga, 0, riga, b.Fg5.colonne() - 1, Giallo);
    b.Fg5.rigaCorrente = riga;
}

void svuotaFg5(Banco& b)
{
    for (int r = 1; r < b.Fg5.righe(); ++r)
        for (int c = 1; c < b.Fg5.colonne(); ++c)
            b.Fg5.setTesto(r, c, "");
    b.Fg5.setSfondo(1, 0, b.Fg5.righe() - 1, b.Fg5.colonne() - 1, grid::colori::Bianco);
    engine::SettaGridFGF(b.Fg5);
}

void cancellaMattoneCorrente(Banco& b)
{
    const int m = b.FgF.rigaCorrente;
    if (!mattoneValido(b, m))
        return;
    for (int c = Tras; c < b.FgF.colonne(); ++c)
        b.FgF.setTesto(m, c, "");
}

void deselezionaMattoni(Banco& b, PannelloPiramidi& p)
{
    if (b.FgF.righe() > 1)
        b.FgF.setSfondo(1, 0, b.FgF.righe() - 1, b.FgF.colonne() - 1, grid::colori::Bianco);
    engine::SettaGridFGF(b.FgF);
    b.FgEstratti.setSfondo(1, 1, b.FgEstratti.righe() - 1, b.FgEstratti.colonne() - 1, grid::colori::Bianco);
    for (auto& l : b.Lbl0)
        l.clear();
    p.mattoneEvidenziato = 0;
}

void nascondiColonne(Banco& b)
{
    for (grid::Grid* g : {&b.FgF, &b.Fg5})
        for (int c : {Ri, Co, Tipo, R1, R2})
            g->setNascosta(c, true);
}

void toggleOperatore(Banco& b, int riga)
{
    if (!rigaValida(b.FgOp, riga))
        return;
    const bool scelto = b.FgOp.sfondo(riga, colOp::Scelta) == colori::OperatoreScelto;
    b.FgOp.setSfondo(riga, colOp::Scelta, scelto ? grid::colori::Bianco : colori::OperatoreScelto);
}

void selezionaOperatori(Banco& b, bool scelti)
{
    for (int r = 1; r < b.FgOp.righe(); ++r)
        b.FgOp.setSfondo(r, colOp::Scelta, scelti ? colori::OperatoreScelto : grid::colori::Bianco);
}

void selezionaTipo(Banco& b, int tipo, bool scelti)
{
    for (int r = 1; r < b.FgOp.righe(); ++r)
        if (leggiRigaOperatore(b.FgOp, r).tipo == tipo)
            b.FgOp.setSfondo(r, colOp::Scelta, scelti ? colori::OperatoreScelto : grid::colori::Bianco);
}

bool tipoSelezionato(const Banco& b, int tipo)
{
    bool trovato = false;
    for (int r = 1; r < b.FgOp.righe(); ++r)
        if (leggiRigaOperatore(b.FgOp, r).tipo == tipo) {
            if (b.FgOp.sfondo(r, colOp::Scelta) != colori::OperatoreScelto)
                return false;
            trovato = true;
        }
    return trovato;
}

void operatoreCorrente(Banco& b, int riga)
{
    if (!rigaValida(b.FgOp, riga))
        return;
    if (b.FgOp.righe() > 1)
        b.FgOp.setSfondo(1, colOp::Oper, b.FgOp.righe() - 1, colOp::Oper, grid::colori::Bianco);
    b.FgOp.setSfondo(riga, colOp::Oper, grid::colori::Verde);
    b.FgOp.rigaCorrente = riga;
}

void toggleLivello(Banco& b, int riga)
{
    if (riga < 1 || riga > 5 || riga >= b.Fg7.righe())
        return;
    const bool incluso = b.Fg7.sfondo(riga, 0) == colori::Selezione;
    b.Fg7.setSfondo(riga, 0, incluso ? grid::colori::Bianco : colori::Selezione);
}

void selezionaLivelli(Banco& b, bool inclusi)
{
    for (int r = 1; r <= 5 && r < b.Fg7.righe(); ++r)
        b.Fg7.setSfondo(r, 0, inclusi ? colori::Selezione : grid::colori::Bianco);
}

void preparaTabelloneNumeri(grid::Grid& FgNu)
{
    FgNu.setColonne(10);
    FgNu.setRighe(9);
    for (int n = 1; n <= 90; ++n) {
        FgNu.setTesto((n - 1) / 10, (n - 1) % 10, archive::dueCifre(n));
    }
    for (int c = 0; c < 10; ++c) {
        FgNu.setAllineamento(c, grid::Allineamento::Centro);
        FgNu.setLarghezza(c, 390);
    }
    azzeraTabellone(FgNu);
}

void toggleNumero(grid::Grid& FgNu, int riga, int colonna)
{
    if (riga < 0 || riga >= FgNu.righe() || colonna < 0 || colonna >= FgNu.colonne())
        return;
    const bool scelto = FgNu.sfondo(riga, colonna) == colori::Ciano;
    FgNu.setSfondo(riga, colonna, scelto ? grid::colori::Bianco : colori::Ciano);
}

void azzeraTabellone(grid::Grid& FgNu)
{
    FgNu.setSfondo(0, 0, FgNu.righe() - 1, FgNu.colonne() - 1, grid::colori::Bianco);
}

std::string numeriScelti(const grid::Grid& FgNu)
{
    std::string testo;
    for (int r = 0; r < FgNu.righe(); ++r)
        for (int c = 0; c < FgNu.colonne(); ++c)
            if (FgNu.sfondo(r, c) == colori::Ciano) {
                if (!testo.empty())
                    testo += '-';
                testo += FgNu.testo(r, c);
            }
    return testo;
}

void svuotaColonnaFgX(Banco& b, int colonna)
{
    if (colonna < 1 || colonna >= b.FgX.colonne())
        return;
    b.livelloFgX = 0;
    for (int r = 1; r < b.FgX.righe(); ++r) {
        b.FgX.setTesto(r, colonna, "");
        b.FgX.setSfondo(r, colonna, grid::colori::Bianco);
    }
}

void elencaOperatori(Banco& b, const std::vector<storage::RigaOperatore>& operatori)
{
    auto& g = b.FgOp;
    g.setRighe(1);
    for (const auto& op : operatori) {
        const int r = g.aggiungiRiga();
        scriviRigaOperatore(g, r, op);
        if (op.tipo == 1)
            g.setColoreTesto(r, colOp::Oper, grid::colori::Blu);
        else if (op.tipo == 2)
            g.setColoreTesto(r, colOp::Oper, grid::colori::Rosso);
    }
}

void scriviRigaOperatore(grid::Grid& FgOp, int riga, const storage::RigaOperatore& op)
{
    FgOp.setTesto(riga, colOp::Oper, op.operatore);
    FgOp.setNumero(riga, colOp::Tipo, op.tipo);
    FgOp.setTesto(riga, colOp::P1, op.p1);
    FgOp.setTesto(riga, colOp::P2, op.p2);
    FgOp.setTesto(riga, colOp::R1, op.r1);
    FgOp.setTesto(riga, colOp::R2, op.r2);
    FgOp.setTesto(riga, colOp::Spiegazione, op.spiegazione);
}

storage::RigaOperatore leggiRigaOperatore(const grid::Grid& FgOp, int riga)
{
    storage::RigaOperatore op;
    op.operatore = FgOp.testo(riga, colOp::Oper);
    op.tipo = FgOp.intero(riga, colOp::Tipo);
    op.p1 = FgOp.testo(riga, colOp::P1);
    op.p2 = FgOp.testo(riga, colOp::P2);
    op.r1 = FgOp.testo(riga, colOp::R1);
    op.r2 = FgOp.testo(riga, colOp::R2);
    op.spiegazione = FgOp.testo(riga, colOp::Spiegazione);
    return op;
}

}
