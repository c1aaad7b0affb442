// The page "Salvate" of Piramide1: its controls and their layout.
#include "ui/Piramide1/PannelloConfigurazioni.h"

#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

using namespace piramide1;

PannelloConfigurazioni::PannelloConfigurazioni(workbench::PannelloPiramidi& pannello) : pannello_(pannello)
{
    auto* p = this;
    auto* tasti = new Cliccabili(this);
    auto* l = new QVBoxLayout(p);
    l->setContentsMargins(4, 4, 4, 4);
    FgPir1 = griglia(QStringLiteral("FgPir1"), pannello_.FgPir1, p, 120);
    FgPir1->setToolTip(QStringLiteral("Doppio clic: carica la configurazione"));
    Txt_Denominazione = new QLineEdit(p);
    Txt_Denominazione->setObjectName(QStringLiteral("Txt_Denominazione"));
    Txt_Denominazione->setMaxLength(static_cast<int>(workbench::MaxDenominazione));
    Txt_Denominazione->setToolTip(QStringLiteral("Nome della configurazione (doppio clic per svuotare)"));
    tasti->svuotaAlDoppioClic(Txt_Denominazione);
    Cmd_ElencoBtn = pulsante(QStringLiteral("Cmd_Elenco"), QStringLiteral("ELENCO"),
                             QStringLiteral("Elenca le configurazioni salvate"), p);
    Command11Btn = pulsante(QStringLiteral("Command11"), QStringLiteral("SALVA CONFIGURAZIONE"),
                            QStringLiteral("Salva piramide e impostazioni con la denominazione scritta"), p);
    Command13Btn = pulsante(QStringLiteral("Command13"), QStringLiteral("Cancella selezionata"),
                            QStringLiteral("Cancella la configurazione selezionata"), p);
    l->addWidget(FgPir1, 1);
    l->addWidget(etichetta(QStringLiteral("Label9"), QStringLiteral("Denominazione (Max 100 caratteri)"), p));
    l->addWidget(Txt_Denominazione);
    l->addLayout(fila({Cmd_ElencoBtn, Command13Btn}));
    l->addWidget(Command11Btn);
    connect(Txt_Denominazione, &QLineEdit::textChanged, this,
            [this](const QString& t) { pannello_.Txt_Denominazione = t.toStdString(); });
}

}
