// The window Operatori: the operators the program carries, those present in green, the insertion of the missing ones.
#pragma once

#include "grid/Grid.h"
#include "maintenance/OperatoriMancanti.h"
#include "ui/common/Contesto.h"
#include "ui/common/ModelloRighe.h"

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

    // FG2 as text (what Copia and CSV take): the row selector, then the operator's fields.
    grid::Grid griglia() const { return righe_->testoTabella(); }

    // One row of FG2: an operator the program carries and whether the table holds it.
    struct Riga {
        storage::RigaOperatore operatore;
        bool presente = false;
    };

private:
    // The presence check; `avvisa` false keeps a failure silent.
    void controllaPresenza(bool avvisa);

    Contesto& contesto_;
    maintenance::Presenze presenti_;   // which operators the table holds; FG2 shows them
    ModelloRighe<Riga>* righe_ = nullptr;

    GrigliaView* FG2 = nullptr;
    QLabel* Label7 = nullptr;   // the legend: operators present are green
    QPushButton* Command4Btn = nullptr;   // CONTROLLA OPERATORI PRESENTI
    QPushButton* Command2Btn = nullptr;   // INSERISCE OPERATORI MANCANTI
};

// Adds the window to the window registry.
void registraOperatori();

}
