// The window Estrazioni_minielenco ("Mini elenco"): one draw at a time, searches by index and date, cell marks.
#pragma once

#include "grid/Grid.h"
#include "maintenance/MiniElenco.h"
#include "ui/common/Contesto.h"
#include "ui/common/ModelloRighe.h"

#include <QWidget>

#include <array>

class QKeyEvent;
class QLabel;
class QScrollBar;
class QToolButton;

namespace ui {

class GrigliaView;

class Estrazioni_minielenco : public QWidget, public VistaEstrazione {
    Q_OBJECT
public:
    explicit Estrazioni_minielenco(Contesto& contesto, QWidget* genitore = nullptr);
    ~Estrazioni_minielenco() override;

    static QString titolo();
    // Its help page (F1).
    static constexpr int ContestoHelp = 260;

    // Other windows: hs1 to draw `indice` (kept inside 1..N).
    void mostraEstrazione(int indice) override;
    // Other windows: marks the cells holding one of `numeri`, as a click does.
    void segnaNumeri(const std::vector<int>& numeri, const std::vector<int>& ruote) override;

    // The commands, as the buttons run them.
    void MostraEstrazione();      // every change of hs1
    void cercaIndice();           // Command42(0)
    void cercaData();             // Command42(1)
    void Command81();             // removes the marks
    void Command56();             // the last draw

    // FG3 as text (what Copia and CSV take): the wheel codes, then the five numbers.
    grid::Grid griglia() const { return righe_->testoTabella(); }

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    // hs1 runs over the draws of the archive as it is now (a reload may have changed N).
    void adeguaMassimo();
    void vaiA(int indice);
    grid::Colore facciaPulsante() const;
    // FG3 showing the draw `mostrata_` with the marks `segni_`.
    void mostraRighe();

    Contesto& contesto_;
    maintenance::Segni segni_{};   // the marks on the draw shown; FG3 shows them
    int mostrata_ = 0;             // the index of the draw FG3 shows
    ModelloRighe<maintenance::RigaFG3>* righe_ = nullptr;

    QScrollBar* hs1 = nullptr;   // scrolls the draws: its value is the draw shown last
    QLabel* Label1 = nullptr;   // the date of the draw shown last, bold
    QLabel* Label2 = nullptr;   // its index number
    QLabel* Label3 = nullptr;   // the progressive numbers of its year
    GrigliaView* FG3 = nullptr;
    std::array<QToolButton*, 2> Command42{};   // N° and Data: find a draw by index number or by date
    QToolButton* Command81Btn = nullptr;   // Resetta colorazione: the marked numbers cleared
    QToolButton* Command56Btn = nullptr;   // Ultima estrazione: back to the last draw
};

// Adds the window to the window registry.
void registraEstrazioni_minielenco();

}
