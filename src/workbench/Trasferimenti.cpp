// The workbench's small window commands: what the buttons around the pyramid and the selection grids do.
#include "workbench/Trasferimenti.h"

#include "engine/Piramide.h"
#include "workbench/Elabora.h"

#include <cstdio>

namespace workbench {

namespace {

using namespace engine::colF;

constexpr grid::Colore Giallo = grid::colori::Giallo;

bool rigaValida(const grid::Grid& g, int r) { return r >= 1 && r < g.righe(); }

bool mattoneValido(const Banco& b, int m) { return m >= 1 && m <= engine::NumeroMattoni && m < b.FgF.righe(); }

void copiaRisultato(Banco& b, const grid::Grid& risultati, int riga, int mattone)
{
    for (int i = 0; i < 9; ++i)
        b.FgF.setTesto(mattone, Tras + i, risultati.testo(riga, ColonneRisultatoInMattone[i]));
}

}

bool impostaFormula(Banco& b, const grid::Grid& risultati)
{
    const int r = risultati.rigaCorrente;
    const int m = b.FgF.rigaCorrente;
    if (!rigaValida(risultati, r) || risultati.testo(r, 3).empty() || !mattoneValido(b, m))
        return false;
    copiaRisultato(b, risultati, r, m);
    engine::SettaGridFGF(b.FgF, b.Fg5);
    return true;
}

Esito impostaCapogioco(Banco& b, const archive::Archivio& a)
{
    const int r = b.FgEsiti.rigaCorrente;
    if (!rigaValida(b.FgEsiti, r) || b.FgEsiti.testo(r, 3).empty())
        return Messaggio{"Effettuare le selezioni.", "Avviso", Icona::Informazione};
    for (int livello = 1; livello <= 5; ++livello)
        copiaRisultato(b, b.FgEsiti, r, engine::primoMattone(livello));
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
    const bool scelto = b.FgOp.sfondo(riga, 0) == colori::OperatoreScelto;
    b.FgOp.setSfondo(riga, 0, scelto ? grid::colori::Bianco : colori::OperatoreScelto);
}

void selezionaOperatori(Banco& b, bool scelti)
{
    for (int r = 1; r < b.FgOp.righe(); ++r)
        b.FgOp.setSfondo(r, 0, scelti ? colori::OperatoreScelto : grid::colori::Bianco);
}

void selezionaTipo(Banco& b, int tipo, bool scelti)
{
    for (int r = 1; r < b.FgOp.righe(); ++r)
        if (b.FgOp.intero(r, 2) == tipo)
            b.FgOp.setSfondo(r, 0, scelti ? colori::OperatoreScelto : grid::colori::Bianco);
}

bool tipoSelezionato(const Banco& b, int tipo)
{
    bool trovato = false;
    for (int r = 1; r < b.FgOp.righe(); ++r)
        if (b.FgOp.intero(r, 2) == tipo) {
            if (b.FgOp.sfondo(r, 0) != colori::OperatoreScelto)
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
        b.FgOp.setSfondo(1, 1, b.FgOp.righe() - 1, 1, grid::colori::Bianco);
    b.FgOp.setSfondo(riga, 1, grid::colori::Verde);
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
        char t[4];
        std::snprintf(t, sizeof t, "%02d", n);
        FgNu.setTesto((n - 1) / 10, (n - 1) % 10, t);
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
        g.setTesto(r, 1, op.operatore);
        g.setNumero(r, 2, op.tipo);
        g.setTesto(r, 3, op.p1);
        g.setTesto(r, 4, op.p2);
        g.setTesto(r, 5, op.r1);
        g.setTesto(r, 6, op.r2);
        g.setTesto(r, 7, op.spiegazione);
        if (op.tipo == 1)
            g.setColoreTesto(r, 1, grid::colori::Blu);
        else if (op.tipo == 2)
            g.setColoreTesto(r, 1, grid::colori::Rosso);
    }
}

}
