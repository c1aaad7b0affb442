// The page "Operatori" of Piramide1: the operator catalogue for the searches and the brick editor.
#pragma once

#include "ui/common/ModelloRighe.h"
#include "workbench/Banco.h"
#include "workbench/Salvataggi.h"

#include <QWidget>

#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace ui {

class GrigliaView;

// A row of FgOp: an operator of the catalogue, whether it is chosen for the searches (its
// selection cell red) and whether it is the current one (its code green).
struct RigaCatalogo {
    storage::RigaOperatore operatore;
    bool scelto = false;
    bool corrente = false;
    bool operator==(const RigaCatalogo&) const = default;
};

// The panel keeps the choice of operators (double click, the labels of a type) and the
// editor's lists to itself; the buttons that write bricks or refresh the whole window
// (Command22, Command23, Cmd_aggiunge, Command25) are wired by the window.
class PannelloOperatori : public QWidget {
    Q_OBJECT
public:
    PannelloOperatori(workbench::Banco& banco, workbench::PannelloPiramidi& pannello);

    // LabelT(tipo): every operator of the type chosen, or none.
    void sceltaTipo(int tipo);
    void mostraLabelT();
    // The editor's lists from the Banco, without their signals.
    void mostraEditor();
    // Label3 and the current cell of FgOp from the Banco's current operator.
    void mostraOperatoreCorrente();
    // FgOp from the Banco's catalogue, choice and current operator: only the rows that changed.
    void mostraCatalogo();
    // FgOp's columns (colOp): the selection cell and the code shown, the rest kept for copies.
    static std::vector<ColonnaDi<RigaCatalogo>> colonneCatalogo();

    GrigliaView* FgOp = nullptr;
    QLabel* Label3 = nullptr;   // the explanation of the operator chosen in FgOp
    std::array<QLabel*, 8> LabelT{};          // 1..7
    QListWidget* ListP1 = nullptr;
    QListWidget* ListR1 = nullptr;
    QListWidget* ListP2 = nullptr;
    QListWidget* ListR2 = nullptr;
    QListWidget* ListVal = nullptr;
    GrigliaView* FgC = nullptr;
    QPushButton* Command22Btn = nullptr;   // Seleziona tutti: every operator chosen
    QPushButton* Command23Btn = nullptr;   // Deseleziona tutti: no operator chosen
    QPushButton* Cmd_aggiungeBtn = nullptr;   // Aggiungi: the chosen operator into the highlighted brick
    QPushButton* Command25Btn = nullptr;   // Copia: the highlighted brick into the destination one

private:
    QWidget* costruisciEditor();
    void collega();

    workbench::Banco& banco_;
    workbench::PannelloPiramidi& pannello_;
    ModelloRighe<RigaCatalogo>* catalogo_ = nullptr;
};

}
