// The centre of Piramide1: the pyramid's fifteen bricks, the reference draw, the brick grid and its commands.
#pragma once

#include "ui/Piramide1/ColonneMattoni.h"
#include "ui/common/ModelloRighe.h"
#include "workbench/Banco.h"
#include "workbench/Salvataggi.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace ui {

class GrigliaView;

// The panel highlights a brick by itself (a click on its label or its row of FgF); the
// commands under the grid and the typing into it run workbench commands and are wired by
// the window.
class PannelloPiramide : public QGroupBox {
    Q_OBJECT
public:
    PannelloPiramide(workbench::Banco& banco, workbench::PannelloPiramidi& pannello, QWidget* genitore);

    // Brick m highlighted: its row of FgF, its numbers in the reference draw, its label.
    void evidenziaMattone(int m);
    // The labels Lbl0(1..15) from the Banco.
    void mostraMattoni();
    // FgF from the Banco's bricks: their texts, the highlighted brick, the columns NASCONDE hides.
    void mostraPiramide();
    // The cells of FgF the player types into, checked and applied by `modifica`.
    void setModificaMattone(piramide1::ModificaMattone modifica);
    const ModelloRighe<engine::Mattone>& modelloFgF() const { return *modelloFgF_; }
    // FgEstratti from the Banco: the reference draw and the references of the highlighted brick.
    void mostraEstratti();
    const ModelloRighe<workbench::RigaEstratti>& modelloEstratti() const { return *modelloEstratti_; }

    std::array<QLabel*, 16> Lbl0{};           // 1..15
    GrigliaView* FgF = nullptr;
    GrigliaView* FgEstratti = nullptr;
    QCheckBox* Ch_AA = nullptr;
    QPushButton* Command2Btn = nullptr;   // Calcola: the pyramid on the reference draw
    QPushButton* Command19Btn = nullptr;   // Resetta: the pyramid emptied
    QPushButton* Command15Btn = nullptr;   // Cancella riga: the selected row removed
    QPushButton* Command24Btn = nullptr;   // Deseleziona tutti: highlights and brick results cleared
    QPushButton* Command10Btn = nullptr;   // NASCONDE: hides Ri, Co, Tipo and the wheel indices
    QPushButton* Command17Btn = nullptr;   // Copia: the table to the clipboard

private:
    workbench::Banco& banco_;
    ModelloRighe<workbench::RigaEstratti>* modelloEstratti_ = nullptr;
    ModelloRighe<engine::Mattone>* modelloFgF_ = nullptr;
    piramide1::ModificaMattone modifica_;
    bool nascoste_ = false;
    std::vector<ColonnaDi<engine::Mattone>> colonneFgF() const;
    workbench::PannelloPiramidi& pannello_;
};

}
