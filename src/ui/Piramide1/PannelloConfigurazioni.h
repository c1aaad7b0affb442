// The page "Salvate" of Piramide1: the saved pyramid configurations, their name, ELENCO, SALVA, Cancella.
#pragma once

#include "ui/common/ModelloRighe.h"
#include "workbench/Salvataggi.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace ui {

class GrigliaView;

// The panel writes the name into the PannelloPiramidi; listing, saving, deleting and
// loading (double click on FgPir1) change the whole window and are wired by it. The row the
// user stands on is the PannelloPiramidi's chosen configuration.
class PannelloConfigurazioni : public QWidget {
    Q_OBJECT
public:
    explicit PannelloConfigurazioni(workbench::PannelloPiramidi& pannello);
    // FgPir1 from the listed configurations.
    void mostraElenco();

    GrigliaView* FgPir1 = nullptr;
    QLineEdit* Txt_Denominazione = nullptr;
    QPushButton* Cmd_ElencoBtn = nullptr;   // ELENCO: lists the saved configurations
    QPushButton* Command11Btn = nullptr;   // SALVA CONFIGURAZIONE
    QPushButton* Command13Btn = nullptr;   // Cancella selezionata: removes the chosen configuration

private:
    workbench::PannelloPiramidi& pannello_;
    ModelloRighe<workbench::ConfigurazioneSalvata>* modello_ = nullptr;
};

}
