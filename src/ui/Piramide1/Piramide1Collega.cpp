// The window Piramide1: the panels' commands wired to the handlers, the keyboard, and the display of the Banco.
#include "ui/Piramide1/Piramide1.h"

#include "engine/Piramide.h"
#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/Piramide1/PannelloConfigurazioni.h"
#include "ui/Piramide1/PannelloOperatori.h"
#include "ui/Piramide1/PannelloPiramide.h"
#include "ui/Piramide1/PannelloRilevazione.h"
#include "ui/Piramide1/PannelloRisultati.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Casi.h"
#include "workbench/Trasferimenti.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QKeySequence>
#include <QScrollBar>
#include <QShortcut>

#include <algorithm>

namespace ui {

using piramide1::daStd;
using piramide1::etichettaRiferimento;

// ---------------------------------------------------------------- wiring

void Piramide1::collega()
{
    connect(hs1, &QScrollBar::valueChanged, this, [this](int d) { impostaRiferimento(d); });
    for (int i = 0; i < 3; ++i)
        connect(Command42Btn[i], &QPushButton::clicked, this, [this, i] { Command42(i); });
    connect(Command14Btn, &QPushButton::clicked, this, &Piramide1::Command14);
    connect(CmdAnnulla, &QPushButton::clicked, this, &Piramide1::annullaRicerca);
    connect(rilevazione_->Command9Btn, &QPushButton::clicked, this, &Piramide1::Command9);
    // RICAVA ESTRAZIONI from any page of the left, as long as the commands are not locked.
    auto* ricava = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_R), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(ricava, &QShortcut::activated, this, [this] {
        if (rilevazione_->Command9Btn->isEnabled() && SSTab1->isEnabled())
            rilevazione_->Command9Btn->click();
    });

    auto* salvate = configurazioni_;
    connect(salvate->FgPir1, &GrigliaView::doppioClic, this, [this](int r, int) { caricaConfigurazione(r); });
    connect(salvate->Cmd_ElencoBtn, &QPushButton::clicked, this, &Piramide1::Cmd_Elenco);
    connect(salvate->Command11Btn, &QPushButton::clicked, this, &Piramide1::Command11);
    connect(salvate->Command13Btn, &QPushButton::clicked, this, &Piramide1::Command13);
    collegaOperatoriEPiramide();
    collegaRisultati();

    // The keyboard: Space or Enter on a grid cell does what the mouse does there.
    for (auto* v : findChildren<GrigliaView*>())
        connect(v, &GrigliaView::attivata, this, [this, v](int r, int c) { attivaCella(v, r, c); });
}

void Piramide1::collegaOperatoriEPiramide()
{
    connect(operatori_->Command22Btn, &QPushButton::clicked, this, [this] {
        workbench::selezionaOperatori(banco_, true);
        aggiornaVista();
    });
    connect(operatori_->Command23Btn, &QPushButton::clicked, this, [this] {
        workbench::selezionaOperatori(banco_, false);
        aggiornaVista();
    });
    connect(operatori_->Cmd_aggiungeBtn, &QPushButton::clicked, this, &Piramide1::Cmd_aggiunge);
    connect(operatori_->Command25Btn, &QPushButton::clicked, this, &Piramide1::Command25);

    auto* p = piramide_;
    connect(p->FgF, &GrigliaView::doppioClic, this, [this](int r, int) {
        workbench::caricaMattoneNellEditor(banco_, pannello_, r);
        operatori_->mostraEditor();
        operatori_->mostraOperatoreCorrente();
        aggiornaVista();
    });
    p->setModificaMattone([this](engine::Mattone& m, int c, const std::string& t) { return scriviNelMattone(m, c, t); });
    // The arrows choose the brick the commands write into, as a click does.
    connect(p->FgF, &GrigliaView::cellaCambiata, this, [this](int r, int) {
        if (r >= 1 && r <= engine::NumeroMattoni)
            banco_.mattoneCorrente = r;
    });
    // Once the editor has closed: the pyramid computed again shows FgF again, which must not happen under
    // the editor that is still storing its text.
    connect(p->FgF, &GrigliaView::cellaModificata, this, &Piramide1::modificaMattone, Qt::QueuedConnection);
    connect(p->Command2Btn, &QPushButton::clicked, this, &Piramide1::Command2);
    connect(p->Command19Btn, &QPushButton::clicked, this, &Piramide1::Command19);
    connect(p->Command15Btn, &QPushButton::clicked, this, &Piramide1::Command15);
    connect(p->Command24Btn, &QPushButton::clicked, this, &Piramide1::Command24);
    connect(p->Command10Btn, &QPushButton::clicked, this, &Piramide1::Command10);
    connect(p->Command17Btn, &QPushButton::clicked, this, [this] { copia(QStringLiteral("FgF")); });
}

void Piramide1::collegaRisultati()
{
    auto* e = esiti_;
    connect(e->Cmd_Step1Btn, &QPushButton::clicked, this, &Piramide1::Cmd_Step1);
    connect(e->Command29Btn, &QPushButton::clicked, this, &Piramide1::Command29);
    connect(e->Command21Btn, &QPushButton::clicked, this, &Piramide1::Command21);
    connect(e->Command36Btn, &QPushButton::clicked, this, &Piramide1::Command36);
    connect(e->Command38Btn, &QPushButton::clicked, this, &Piramide1::Command38);
    connect(e->Command7Btn, &QPushButton::clicked, this, &Piramide1::Command7);
    for (int k = 1; k <= 5; ++k) {
        connect(e->Cmd_Colonna[k], &QPushButton::clicked, this, [this, k] { Cmd_Colonna(k); });
        connect(e->Cmd_Ambo[k], &QPushButton::clicked, this, [this, k] { Cmd_Ambo(k); });
    }

    auto* v = verifiche_;
    connect(v->FgEv, &GrigliaView::doppioClic, this, [this](int r, int) {
        if (r >= 1 && r <= workbench::numeroCasi(banco_))
            impostaRiferimento(workbench::drawCaso(banco_, r));
    });
    connect(v, &PannelloVerifiche::verificaLivello, this, &Piramide1::Lbl_Riga);
    connect(v, &PannelloVerifiche::impostaLivello, this, &Piramide1::Lbl_setta);
    connect(v->Command12Btn, &QPushButton::clicked, this, &Piramide1::Command12);
    connect(v->Command40Btn, &QPushButton::clicked, this, &Piramide1::Command40);
    connect(v->Command20Btn, &QPushButton::clicked, this, &Piramide1::Command20);
    connect(v->Command27Btn, &QPushButton::clicked, this, &Piramide1::Command27);
    connect(v->Command28Btn, &QPushButton::clicked, this, &Piramide1::Command28);
}

void Piramide1::attivaCella(GrigliaView* v, int r, int c)
{
    // FgOp chooses an operator with the double click, FgPir1 loads and FgEv moves the
    // reference with it; elsewhere the click is the action.
    if (v == operatori_->FgOp || v == configurazioni_->FgPir1 || v == verifiche_->FgEv)
        emit v->doppioClic(r, c);
    else
        emit v->clic(r, c);
}

void Piramide1::keyPressEvent(QKeyEvent* evento)
{
    // Escape stops the running search (the Convalida page stops its own replay first).
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier && ricercaInCorso()) {
        annullaRicerca();
        return;
    }
    if (!apriHelpSeF1(evento, contesto_.apriHelp, ContestoHelp, this))
        QWidget::keyPressEvent(evento);
}

// ---------------------------------------------------------------- display

void Piramide1::aggiornaVista()
{
    configurazioni_->mostraElenco();
    esiti_->mostraEsiti();
    adattaColonne();
    verifiche_->mostraTabelle();
    for (auto* v : findChildren<GrigliaView*>())
        v->aggiorna();
    rilevazione_->mostraScelte();
    operatori_->mostraCatalogo();
    piramide_->mostraMattoni();
    piramide_->mostraPiramide();
    verifiche_->mostraFg5();
    piramide_->mostraEstratti();
    operatori_->mostraLabelT();
    List1->clear();
    for (const auto& t : banco_.List1)
        List1->addItem(daStd(t));
    LabelRifE->setText(etichettaRiferimento(banco_.riferimento, contesto_.sessione.archivio()));
    controllaEsiti();
}

void Piramide1::adattaColonne()
{
    for (auto* v : findChildren<GrigliaView*>()) {
        // A model of typed rows (the Convalida page) keeps its widths; the view fits its headers.
        if (!v->modello() || v->modello()->righeFisse() == 0 || v->horizontalHeader()->isHidden())
            continue;
        grid::Grid& g = v->griglia();
        // Bold, as a header cell may be drawn.
        QFont carattere = v->horizontalHeader()->font();
        carattere.setBold(true);
        const QFontMetrics fm(carattere);
        const int dpi = std::max(1, v->logicalDpiX());
        for (int c = v->modello()->colonneFisse(); c < g.colonne(); ++c) {
            // The spaces count: a centred header keeps them ("Val   ").
            const QString testo = daStd(g.testo(0, c));
            if (testo.trimmed().isEmpty() || g.colonna(c).nascosta)
                continue;
            const int twips = ((fm.horizontalAdvance(testo) + 6) * 1440 + dpi - 1) / dpi;
            if (g.colonna(c).larghezzaTwips < twips)
                g.setLarghezza(c, twips);
        }
    }
    // The cases ask for all their columns (the five numbers above all); FgX beside them
    // takes the room left and scrolls. On a narrower screen both scroll.
    GrigliaView* FgEv = verifiche_->FgEv;
    int larghezza = 2 * FgEv->frameWidth() + FgEv->verticalScrollBar()->sizeHint().width();
    const ModelloTabella* casi = FgEv->modelloTabella();
    for (int c = 0; c < casi->columnCount() + casi->colonneFisse(); ++c)
        if (const grid::Colonna col = casi->colonnaTesto(c); !col.nascosta)
            larghezza += pixelDaTwips(col.larghezzaTwips, FgEv->logicalDpiX());
    FgEv->setLarghezzaPreferita(larghezza);
}

void Piramide1::mostraImpostazioni()
{
    rilevazione_->mostraImpostazioni();
    verifiche_->mostraImpostazioni();
    esiti_->mostraImpostazioni();
    {
        const QSignalBlocker blocco(hs1);
        hs1->setValue(banco_.riferimento);
    }
    rilevazione_->mostraPosizioni();
    operatori_->mostraEditor();
}

}
