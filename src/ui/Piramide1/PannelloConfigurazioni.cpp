// The page "Salvate" of Piramide1: its controls and their layout.
#include "ui/Piramide1/PannelloConfigurazioni.h"

#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"

#include <array>

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
    // The key and the name shown, the name with the room; the other fields kept for a copy.
    constexpr std::array<int, 13> Larghezze = {200, 500, 3200, 960, 960, 960, 960, 960, 960, 960, 960, 960, 960};
    auto colonne = colonneDi<workbench::ConfigurazioneSalvata>(workbench::IntestazioneFgPir1, Larghezze,
                                                             &workbench::testoConfigurazione);
    for (std::size_t c = workbench::PrimaColonnaNascostaFgPir1; c < colonne.size(); ++c)
        colonne[c].nascosta = true;
    modello_ = new ModelloRighe<workbench::ConfigurazioneSalvata>(std::move(colonne));
    FgPir1 = griglia(QStringLiteral("FgPir1"), modello_, p, 120);
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
    connect(FgPir1, &GrigliaView::cellaCambiata, this, [this](int r, int) { pannello_.configurazioneScelta = r; });
    connect(Txt_Denominazione, &QLineEdit::textChanged, this,
            [this](const QString& t) { pannello_.Txt_Denominazione = t.toStdString(); });
}

void PannelloConfigurazioni::mostraElenco()
{
    modello_->sostituisci(pannello_.configurazioni);
    // A new list: no row chosen until the user chooses one again.
    if (pannello_.configurazioneScelta == 0) {
        FgPir1->setCurrentIndex({});
        FgPir1->clearSelection();
    }
}

}
