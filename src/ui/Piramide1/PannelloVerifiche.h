// The verifications of Piramide1 (SSTab3): the cases and their numbers, the verification of a level or a formula, ELABORA.
#pragma once

#include "ui/common/ModelloRighe.h"
#include "workbench/Banco.h"

#include <QTabWidget>

#include <array>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace ui {

class GrigliaView;

// The panel keeps to itself the marks of the cases, the columns of FgX, the formulas of
// Fg5 and the levels of Fg7; the commands that verify, move the reference or write bricks
// are wired by the window (the labels Lbl_Riga and Lbl_setta through their signals).
class PannelloVerifiche : public QTabWidget {
    Q_OBJECT
public:
    explicit PannelloVerifiche(workbench::Banco& banco);

    // Pages in order.
    enum Pagina { Casi = 0, Verifica = 1, Elabora = 2 };

    void mostraImpostazioni();
    // The tables (FgEv, FgX, FgL, Fg_E, FgY, Fg10, Fg7) from the Banco's rows.
    void mostraTabelle();
    // Fg7 from the Banco's levels of ELABORA.
    void mostraLivelli();
    // The case row (1..) of FgEv's current cell; 0 without one.
    int casoCorrente() const;
    // ComboLivello from the Banco, without its signal (after ELABORA).
    void mostraLivello();
    void Command5();                           // MARCA
    void Command4();                           // Azzera grid on FgEv
    void Command39();                          // Azzera grid on FgX
    void Command26();                          // Resetta Fg5
    // Fg5 from the Banco's pattern rows and its yellow row.
    void mostraFg5();
    const ModelloRighe<engine::Mattone>& modelloFg5() const { return *modelloFg5_; }
    // What Fg7 accepts as the sorte of a level: one digit 1..5.
    [[nodiscard]] static bool accettaLivello(const std::string& testo);

    GrigliaView* FgEv = nullptr;
    GrigliaView* FgX = nullptr;
    GrigliaView* FgL = nullptr;
    GrigliaView* Fg_E = nullptr;
    GrigliaView* Fg5 = nullptr;
    GrigliaView* FgY = nullptr;
    GrigliaView* Fg10 = nullptr;
    GrigliaView* Fg7 = nullptr;
    QComboBox* ComboLivello = nullptr;
    std::array<QLabel*, 6> LblRiga{};        // 1..5
    std::array<QLabel*, 6> LblSetta{};       // 1..5
    QPushButton* Command12Btn = nullptr;   // Caso: the selected case becomes the reference draw
    QPushButton* Command40Btn = nullptr;   // VERIFICA: the numbers of FgX on the following draws
    QPushButton* Command20Btn = nullptr;   // Stampa: the verification table printed
    QPushButton* Command27Btn = nullptr;   // ELABORA: the chosen levels verified and summed up by case
    QPushButton* Command28Btn = nullptr;   // Stampa: the ELABORA table printed

signals:
    // Lbl_Riga(livello): the bricks of the level verified on the cases.
    void verificaLivello(int livello);
    // Lbl_setta(livello): rows 1..livello of Fg5 into the bricks of the level.
    void impostaLivello(int livello);

private:
    QWidget* costruisciCasi();
    QWidget* costruisciVerifica();
    QWidget* costruisciElabora();

    workbench::Banco& banco_;
    ModelloRighe<workbench::RigaCasoMostrata>* modelloFgEv_ = nullptr;
    ModelloRighe<workbench::RigaNumeriCaso>* modelloFgX_ = nullptr;
    ModelloRighe<engine::RigaVerifica>* modelloFgL_ = nullptr;
    ModelloRighe<workbench::RiepilogoVerifica>* modelloFg_E_ = nullptr;
    ModelloRighe<workbench::RigaElabora>* modelloFgY_ = nullptr;
    ModelloRighe<workbench::RigaElabora>* modelloFg10_ = nullptr;
    ModelloRighe<workbench::LivelloElabora>* modelloFg7_ = nullptr;
    ModelloRighe<engine::Mattone>* modelloFg5_ = nullptr;
    bool nascosteFg5_ = false;
    std::vector<ColonnaDi<engine::Mattone>> colonneFg5() const;
};

}
