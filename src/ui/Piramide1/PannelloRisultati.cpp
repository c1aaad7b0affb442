// The right of Piramide1: results above, verifications below, and how the room is shared between them.
#include "ui/Piramide1/PannelloRisultati.h"

#include "ui/common/GrigliaView.h"

#include <QHeaderView>

namespace ui {

PannelloRisultati::PannelloRisultati(workbench::Banco& banco, QWidget* genitore) : QSplitter(Qt::Vertical, genitore)
{
    setChildrenCollapsible(false);
    esiti_ = new PannelloEsiti(banco);
    addWidget(esiti_);
    verifiche_ = new PannelloVerifiche(banco);
    addWidget(verifiche_);
    // The results first: ten rows in sight; the cases scroll below them.
    setStretchFactor(0, 3);
    setStretchFactor(1, 2);
    setSizes({600, 400});
}

void PannelloRisultati::spazioAiRisultati(bool risultati)
{
    // Ten result rows are the floor while searching; a verification may take them down to
    // a few, and the next search gives them back.
    GrigliaView* FgEsiti = esiti_->FgEsiti;
    const int dieciRighe = FgEsiti->horizontalHeader()->sizeHint().height()
                           + 10 * FgEsiti->verticalHeader()->defaultSectionSize() + 2 * FgEsiti->frameWidth();
    FgEsiti->setMinimumHeight(risultati ? dieciRighe : 90);
    esiti_->FgGr->setMinimumHeight(risultati ? dieciRighe : 90);
    const int totale = height();
    if (totale <= 0)
        return;
    const int sopra = risultati ? totale * 3 / 5 : totale * 2 / 5;
    setSizes({sopra, totale - sopra});
}

}
