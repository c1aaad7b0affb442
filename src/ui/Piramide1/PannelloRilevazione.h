// The page "Rilevazione" of Piramide1: base wheel, wheels in play, positions, detection, number board, RICAVA ESTRAZIONI.
#pragma once

#include "ui/common/Tabelloni.h"
#include "workbench/Banco.h"
#include "workbench/Trasferimenti.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class GrigliaView;

// The panel writes every setting it shows into the Banco as the player changes it, and
// keeps the wheels, positions and number board to itself; RICAVA ESTRAZIONI (Command9Btn)
// is wired by the window, since it changes the other panels too.
class PannelloRilevazione : public QWidget {
    Q_OBJECT
public:
    // `tabellone` holds the numbers chosen on FgNu: it outlives the panel.
    PannelloRilevazione(workbench::Banco& banco, workbench::TabelloneNumeri& tabellone);

    // The controls from the Banco (opening, a configuration loaded), without their signals.
    void mostraImpostazioni();
    void mostraPosizioni();
    // ComboPar from the Banco (Command14).
    void mostraMensile();
    // Imposta: the chosen numbers into TxtNumeri.
    void Command6();
    // Reset: the number board empty.
    void Command8();
    // FgRG and FgNu from the wheels in play and the numbers chosen (after a command changed them).
    void mostraScelte();

    QComboBox* ComboR1 = nullptr;
    GrigliaView* FgRG = nullptr;
    std::array<QLabel*, 5> LblPN{};
    QComboBox* ComboFiltro = nullptr;
    QComboBox* ComboPar = nullptr;
    QCheckBox* Ch_ultima = nullptr;
    QComboBox* ComboQNu = nullptr;
    QComboBox* ComboNC = nullptr;
    QComboBox* Combo3 = nullptr;   // Colpi: the draws each case is followed for
    QComboBox* ComboEle = nullptr;
    GrigliaView* FgNu = nullptr;
    QLineEdit* TxtNumeri = nullptr;
    QPushButton* Command9Btn = nullptr;   // RICAVA ESTRAZIONI: the cases drawn from the archive

private:
    void collega();

    workbench::Banco& banco_;
    workbench::TabelloneNumeri& FgNu_;
    TabelloneRuote* ruote_ = nullptr;       // FgRG's row: the Banco's wheels in play
    TabelloneNumeri* numeri_ = nullptr;     // FgNu's rows: FgNu_'s numbers
    QPushButton* Command6Btn = nullptr;   // Imposta: the chosen numbers into TxtNumeri
    QPushButton* Command8Btn = nullptr;   // Reset: the number board emptied
};

}
