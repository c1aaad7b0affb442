// The workbench's small window commands: what the buttons around the pyramid and the selection grids do.
#include "workbench/Trasferimenti.h"

#include "engine/Piramide.h"
#include "workbench/Ambate.h"
#include "workbench/Elabora.h"

#include <cstdio>

namespace workbench {

namespace {
bool mattoneValido(const Banco& b, int m) { return m >= 1 && m <= static_cast<int>(b.FgF.size()); }
}

bool impostaFormula(Banco& b, TipoRicerca tipo)
{
    const RigaEsito* riga = rigaCorrenteRisultati(b, tipo);
    const int m = b.mattoneCorrente;
    if (!riga || riga->vuota() || !mattoneValido(b, m))
        return false;
    engine::scriviMattone(b.mattone(m), formulaDellaRiga(*riga));
    return true;
}

Esito impostaCapogioco(Banco& b, const archive::Archivio& a)
{
    const RigaEsito* riga = rigaCorrenteRisultati(b, TipoRicerca::Ambate);
    if (!riga || riga->vuota())
        return Messaggio{"Effettuare le selezioni.", "Avviso", Icona::Informazione};
    for (int livello = 1; livello <= 5; ++livello)
        engine::scriviMattone(b.mattone(engine::primoMattone(livello)), formulaDellaRiga(*riga));
    return Calcola(b, a);
}

void impostaLivelloDaFg5(Banco& b, int livello)
{
    if (livello < 1 || livello > 5)
        return;
    const int primo = engine::primoMattone(livello);
    for (int k = 1; k <= livello && k <= static_cast<int>(b.Fg5.size()); ++k)
        b.mattone(primo + k - 1).copiaFormula(b.Fg5[static_cast<std::size_t>(k - 1)]);
}

void evidenziaRigaFg5(Banco& b, int riga)
{
    if (riga < 1 || riga > static_cast<int>(b.Fg5.size()))
        return;
    b.rigaFg5Evidenziata = riga;
}

void svuotaFg5(Banco& b)
{
    for (auto& riga : b.Fg5)
        riga.svuota();
    b.rigaFg5Evidenziata = 0;
}

void cancellaMattoneCorrente(Banco& b)
{
    const int m = b.mattoneCorrente;
    if (!mattoneValido(b, m))
        return;
    b.mattone(m).svuota();
}

void deselezionaMattoni(Banco& b, PannelloPiramidi& p)
{
    togliRiferimentiEvidenziati(b);
    for (auto& l : b.Lbl0)
        l.clear();
    p.mattoneEvidenziato = 0;
}

void nascondiColonne(Banco& b)
{
    b.colonneMattoniNascoste = true;
}

namespace {
const storage::RigaOperatore* operatoreDellaRiga(const Banco& b, int riga)
{
    return riga >= 1 && static_cast<std::size_t>(riga) <= b.operatori.size() ? &b.operatori[static_cast<std::size_t>(riga - 1)]
                                                                             : nullptr;
}

void scegli(Banco& b, const std::string& codice, bool scelto)
{
    if (scelto)
        b.operatoriScelti.insert(codice);
    else
        b.operatoriScelti.erase(codice);
}
}

void toggleOperatore(Banco& b, int riga)
{
    if (const auto* op = operatoreDellaRiga(b, riga))
        scegli(b, op->operatore, !operatoreScelto(b, op->operatore));
}

void selezionaOperatori(Banco& b, bool scelti)
{
    for (const auto& op : b.operatori)
        scegli(b, op.operatore, scelti);
}

void selezionaTipo(Banco& b, int tipo, bool scelti)
{
    for (const auto& op : b.operatori)
        if (op.tipo == tipo)
            scegli(b, op.operatore, scelti);
}

bool tipoSelezionato(const Banco& b, int tipo)
{
    bool trovato = false;
    for (const auto& op : b.operatori)
        if (op.tipo == tipo) {
            if (!operatoreScelto(b, op.operatore))
                return false;
            trovato = true;
        }
    return trovato;
}

const storage::RigaOperatore* operatoreCorrenteDi(const Banco& b) { return operatoreDellaRiga(b, b.rigaOperatore); }

void operatoreCorrente(Banco& b, int riga)
{
    if (operatoreDellaRiga(b, riga))
        b.rigaOperatore = riga;
}

void toggleLivello(Banco& b, int riga)
{
    if (riga < 1 || riga > 5)
        return;
    auto& livello = b.livelliElabora[static_cast<std::size_t>(riga - 1)];
    livello.incluso = !livello.incluso;
}

void selezionaLivelli(Banco& b, bool inclusi)
{
    for (auto& livello : b.livelliElabora)
        livello.incluso = inclusi;
}

void impostaSorteLivello(Banco& b, int riga, int sorte)
{
    if (riga < 1 || riga > 5)
        return;
    b.livelliElabora[static_cast<std::size_t>(riga - 1)].sorte = sorte;
}

int numeroDellaCella(int riga, int colonna)
{
    if (riga < 0 || riga >= 9 || colonna < 0 || colonna >= 10)
        return 0;
    return riga * 10 + colonna + 1;
}

void toggleNumero(TabelloneNumeri& t, int riga, int colonna)
{
    if (const int n = numeroDellaCella(riga, colonna))
        t.scelti[static_cast<std::size_t>(n)] = !t.scelti[static_cast<std::size_t>(n)];
}

void azzeraTabellone(TabelloneNumeri& t) { t.scelti = {}; }

std::string numeriScelti(const TabelloneNumeri& t)
{
    std::string testo;
    for (int n = 1; n <= 90; ++n)
        if (t.scelti[static_cast<std::size_t>(n)]) {
            if (!testo.empty())
                testo += '-';
            testo += archive::dueCifre(n);
        }
    return testo;
}

void svuotaColonnaFgX(Banco& b, int colonna)
{
    if (colonna < 1 || colonna > 5)
        return;
    b.livelloFgX = 0;
    for (int r = 1; r <= static_cast<int>(b.numeriCasi.size()); ++r) {
        impostaNumeroCaso(b, r, colonna, std::nullopt);
        setNumeroUscito(b, r, colonna, false);
    }
}

void elencaOperatori(Banco& b, const std::vector<storage::RigaOperatore>& operatori)
{
    b.operatori = operatori;
    b.operatoriScelti.clear();
    b.rigaOperatore = 0;
}

std::string testoOperatore(const storage::RigaOperatore& op, int colonna)
{
    switch (colonna) {
    case colOp::Oper:
        return op.operatore;
    case colOp::Tipo:
        return std::to_string(op.tipo);
    case colOp::P1:
        return op.p1;
    case colOp::P2:
        return op.p2;
    case colOp::R1:
        return op.r1;
    case colOp::R2:
        return op.r2;
    case colOp::Spiegazione:
        return op.spiegazione;
    default:
        return {};
    }
}

std::optional<grid::Colore> coloreCodice(const storage::RigaOperatore& op)
{
    if (op.tipo == 1)
        return grid::colori::Blu;
    if (op.tipo == 2)
        return grid::colori::Rosso;
    return std::nullopt;
}


}
