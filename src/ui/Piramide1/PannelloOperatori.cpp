// The page "Operatori" of Piramide1: its controls, their layout, the choice of operators and the editor's lists.
#include "ui/Piramide1/PannelloOperatori.h"

#include "engine/Piramide.h"
#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/ModelloRighe.h"
#include "workbench/Trasferimenti.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <array>
#include <string>

namespace ui {

using namespace piramide1;

PannelloOperatori::PannelloOperatori(workbench::Banco& banco, workbench::PannelloPiramidi& pannello)
    : banco_(banco), pannello_(pannello)
{
    auto* p = this;
    auto* tasti = new Cliccabili(this);
    auto* l = new QVBoxLayout(p);
    l->setContentsMargins(4, 4, 4, 4);
    catalogo_ = new ModelloRighe<RigaCatalogo>(colonneCatalogo());
    FgOp = griglia(QStringLiteral("FgOp"), catalogo_, p, 120);
    FgOp->setToolTip(QStringLiteral("Doppio clic: sceglie l'operatore per le ricerche (rosso)"));
    Label3 = new TestoAcapo(QStringLiteral("Label3"), {}, p);
    Label3->setFixedHeight(3 * Label3->fontMetrics().lineSpacing() + 6);
    Label3->setFrameShape(QFrame::Panel);
    Label3->setFrameShadow(QFrame::Sunken);
    Command22Btn = pulsante(QStringLiteral("Command22"), QStringLiteral("Seleziona tutti"),
                            QStringLiteral("Sceglie tutti gli operatori"), p);
    Command23Btn = pulsante(QStringLiteral("Command23"), QStringLiteral("Deseleziona tutti"),
                            QStringLiteral("Nessun operatore scelto"), p);
    auto* tipi = new QHBoxLayout;
    tipi->addWidget(etichetta(QStringLiteral("LabelTipi"), QStringLiteral("Tipo"), p));
    for (int t = 1; t <= 7; ++t) {
        LabelT[t] = tasti->etichetta(QStringLiteral("LabelT(%1)").arg(t), QString::number(t),
                                     QStringLiteral("Sceglie o toglie tutti gli operatori di tipo %1").arg(t), p,
                                     [this, t] { sceltaTipo(t); });
        tipi->addWidget(LabelT[t]);
    }
    tipi->addStretch();
    tasti->riga({LabelT.begin() + 1, LabelT.end()});

    auto* editor = costruisciEditor();
    l->addWidget(FgOp, 1);
    l->addWidget(Label3);
    l->addLayout(fila({Command22Btn, Command23Btn}));
    l->addLayout(tipi);
    l->addWidget(editor);
    collega();
}

QWidget* PannelloOperatori::costruisciEditor()
{
    auto* editor = new QGroupBox(QStringLiteral("Mattone"), this);
    auto* g = new QGridLayout(editor);
    g->setContentsMargins(4, 2, 4, 2);
    const QStringList posizioni = numeriDa(1, 5);
    ListP1 = lista(QStringLiteral("ListP1"), posizioni, QStringLiteral("Posizione del primo numero"), editor);
    ListR1 = lista(QStringLiteral("ListR1"), sigleRuote(), QStringLiteral("Ruota del primo numero"), editor);
    ListP2 = lista(QStringLiteral("ListP2"), posizioni, QStringLiteral("Posizione del secondo numero"), editor);
    ListR2 = lista(QStringLiteral("ListR2"), sigleRuote(), QStringLiteral("Ruota del secondo numero"), editor);
    ListVal = lista(QStringLiteral("ListVal"), numeriDa(0, 90), QStringLiteral("Valore del mattone"), editor);
    const char* titoli[] = {"E1", "R1", "E2", "R2", "VAL"};
    QListWidget* liste[] = {ListP1, ListR1, ListP2, ListR2, ListVal};
    for (int i = 0; i < 5; ++i) {
        g->addWidget(etichetta(QStringLiteral("LabelEditor%1").arg(i), QString::fromLatin1(titoli[i]), editor), 0, i,
                     Qt::AlignCenter);
        g->addWidget(liste[i], 1, i);
    }
    Cmd_aggiungeBtn = pulsante(QStringLiteral("Cmd_aggiunge"), QStringLiteral("Aggiungi"),
                               QStringLiteral("Scrive l'operatore scelto nel mattone evidenziato"), editor);
    g->addWidget(Cmd_aggiungeBtn, 2, 0, 1, 5);
    // One row of the fifteen bricks, column m - 1 brick m: a click chooses the destination.
    struct Mattoni {};
    // Wide enough for "15" whole (the row scrolls sideways in the narrow page, as it always has).
    std::array<int, engine::NumeroMattoni> larghezze;
    larghezze.fill(420);
    const auto numero = [](const Mattoni&, int c) { return std::to_string(c + 1); };
    auto* mattoni = new ModelloRighe<Mattoni>(colonneDi<Mattoni>({}, larghezze, numero, grid::Allineamento::Centro));
    mattoni->aggiungi({});
    FgC = griglia(QStringLiteral("FgC"), mattoni, editor, 0);
    FgC->setFisse(0, 0);
    FgC->horizontalHeader()->setVisible(false);
    FgC->setFixedHeight(FgC->verticalHeader()->defaultSectionSize() + 4 + FgC->horizontalScrollBar()->sizeHint().height());
    FgC->setToolTip(QStringLiteral("Mattone di destinazione"));
    Command25Btn = pulsante(QStringLiteral("Command25"), QStringLiteral("Copia"),
                            QStringLiteral("Copia mattone evidenziato in quello di destinazione"), editor);
    g->addWidget(etichetta(QStringLiteral("LabelDestinazione"), QStringLiteral("Destinazione"), editor), 3, 0, 1, 2);
    g->addWidget(Command25Btn, 3, 3, 1, 2);
    g->addWidget(FgC, 4, 0, 1, 5);
    return editor;
}

void PannelloOperatori::collega()
{
    connect(ListP1, &QListWidget::currentRowChanged, this, [this](int i) { pannello_.ListP1 = i; });
    connect(ListR1, &QListWidget::currentRowChanged, this, [this](int i) { pannello_.ListR1 = i; });
    connect(ListP2, &QListWidget::currentRowChanged, this, [this](int i) { pannello_.ListP2 = i; });
    connect(ListR2, &QListWidget::currentRowChanged, this, [this](int i) { pannello_.ListR2 = i; });
    connect(ListVal, &QListWidget::currentRowChanged, this, [this](int i) { banco_.valoreLista = i; });
    connect(FgOp, &GrigliaView::clic, this, [this](int r, int) {
        if (r < 1)
            return;
        workbench::operatoreCorrente(banco_, r);
        mostraOperatoreCorrente();
    });
    // The arrows through the catalogue show each operator's explanation, as a click does.
    connect(FgOp, &GrigliaView::cellaCambiata, this, [this](int r, int) {
        if (r < 1 || static_cast<std::size_t>(r) > banco_.operatori.size())
            return;
        workbench::operatoreCorrente(banco_, r);
        mostraOperatoreCorrente();
    });
    connect(FgOp, &GrigliaView::doppioClic, this, [this](int r, int) {
        workbench::toggleOperatore(banco_, r);
        mostraCatalogo();
        mostraLabelT();
    });
    connect(FgC, &GrigliaView::clic, this, [this](int, int c) { pannello_.destinazione = c + 1; });
}

void PannelloOperatori::sceltaTipo(int tipo)
{
    workbench::selezionaTipo(banco_, tipo, !workbench::tipoSelezionato(banco_, tipo));
    mostraCatalogo();
    mostraLabelT();
}

void PannelloOperatori::mostraLabelT()
{
    for (int t = 1; t <= 7; ++t)
        colora(LabelT[t], workbench::tipoSelezionato(banco_, t) ? workbench::colori::OperatoreScelto : grid::colori::Bianco);
}

void PannelloOperatori::mostraEditor()
{
    const QSignalBlocker b1(ListP1), b2(ListR1), b3(ListP2), b4(ListR2), b5(ListVal);
    ListP1->setCurrentRow(pannello_.ListP1);
    ListR1->setCurrentRow(pannello_.ListR1);
    ListP2->setCurrentRow(pannello_.ListP2);
    ListR2->setCurrentRow(pannello_.ListR2);
    ListVal->setCurrentRow(banco_.valoreLista);
}

void PannelloOperatori::mostraOperatoreCorrente()
{
    mostraCatalogo();
    if (const auto* operatore = workbench::operatoreCorrenteDi(banco_)) {
        pannello_.Label3 = operatore->spiegazione;
        Label3->setText(daStd(operatore->operatore + ": " + pannello_.Label3));
        FgOp->setCellaCorrente(banco_.rigaOperatore, workbench::colOp::Oper);
    }
}

void PannelloOperatori::mostraCatalogo()
{
    std::vector<RigaCatalogo> righe;
    righe.reserve(banco_.operatori.size());
    for (std::size_t i = 0; i < banco_.operatori.size(); ++i) {
        const auto& op = banco_.operatori[i];
        righe.push_back({op, workbench::operatoreScelto(banco_, op.operatore), static_cast<int>(i) + 1 == banco_.rigaOperatore});
    }
    catalogo_->sostituisci(std::move(righe));
}

std::vector<ColonnaDi<RigaCatalogo>> PannelloOperatori::colonneCatalogo()
{
    using namespace workbench;
    std::array<int, colOp::Spiegazione + 1> larghezze;
    larghezze.fill(960);
    larghezze[colOp::Scelta] = 300;
    larghezze[colOp::Oper] = 1100;
    auto colonne = colonneDi<RigaCatalogo>(intestazioni::FgOp, larghezze,
                                           [](const RigaCatalogo& r, int c) { return testoOperatore(r.operatore, c); },
                                           grid::Allineamento::Centro);
    colonne[colOp::Scelta].sfondo = [](const RigaCatalogo& r) {
        return std::optional<grid::Colore>(r.scelto ? colori::OperatoreScelto : grid::colori::Bianco);
    };
    colonne[colOp::Oper].sfondo = [](const RigaCatalogo& r) {
        return r.corrente ? std::optional<grid::Colore>(grid::colori::Verde) : std::nullopt;
    };
    colonne[colOp::Oper].coloreTesto = [](const RigaCatalogo& r) { return coloreCodice(r.operatore); };
    // The searches read the type and the references from the Banco; the view shows the code alone.
    for (std::size_t c = colOp::Tipo; c < colonne.size(); ++c)
        colonne[c].nascosta = true;
    return colonne;
}

}
