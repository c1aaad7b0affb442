// The window Operatori: the operators the program carries, those present in green, the insertion of the missing ones.
#pragma once

#include "grid/Grid.h"
#include "maintenance/OperatoriMancanti.h"
#include "ui/common/Contesto.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace ui {

class GrigliaView;

class Operatori : public QWidget {
    Q_OBJECT
public:
    explicit Operatori(Contesto& contesto, QWidget* genitore = nullptr);
    ~Operatori() override;

    static QString titolo();

    // The commands, as the buttons run them.
    void Command4();   // presence check
    void Command2();   // INSERISCE OPERATORI MANCANTI

    const grid::Grid& griglia() const { return FG2_; }

private:
    // The presence check; `avvisa` false keeps a failure silent.
    void controllaPresenza(bool avvisa);

    Contesto& contesto_;
    maintenance::Presenze presenti_;   // which operators the table holds; FG2_ shows them
    grid::Grid FG2_;

    GrigliaView* FG2 = nullptr;
    QLabel* Label7 = nullptr;   // the legend: operators present are green
    QPushButton* Command4Btn = nullptr;   // CONTROLLA OPERATORI PRESENTI
    QPushButton* Command2Btn = nullptr;   // INSERISCE OPERATORI MANCANTI
};

// Adds the window to the window registry.
void registraOperatori();

}
