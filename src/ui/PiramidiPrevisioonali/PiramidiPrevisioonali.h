// The window PiramidiPrevisioonali: run of draws, wheels, criterion, pyramid, chart, copy and print.
#pragma once

#include "predictive/PiramidePrevisionale.h"
#include "predictive/SceltaIntervallo.h"
#include "ui/common/Contesto.h"

#include <QWidget>

#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QVBoxLayout;

namespace ui {

class Grafico;
class GrigliaView;

class PiramidiPrevisioonali : public QWidget {
    Q_OBJECT
public:
    explicit PiramidiPrevisioonali(Contesto& contesto, QWidget* genitore = nullptr);
    ~PiramidiPrevisioonali() override;

    static QString titolo();
    // Help context of the window.
    static constexpr int ContestoHelp = 340;

    // The commands, as the buttons run them.
    void CalcolaPiramidePrevisionale();   // Command1, ELABORA
    void MostraPiramide();                // Command3
    void EvidenziaDiagonale();            // Command6
    void AzzeraLabel();
    void Command13();                     // the last N draws of Txt_Ultime
    void sceltaUltime(int indice);        // LblEST(indice)
    void Command37();                     // prints Fg1

    // The printer as Command37 sets it up before the print dialog: title, landscape, margins.
    void preparaStampante(QPrinter& stampante) const;

    const predictive::PiramidePrevisionale& risultati() const { return piramide_; }
    const predictive::SceltaIntervallo& intervallo() const { return intervallo_; }
    grid::Grid& griglieRuote() { return FgR_; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void costruisci();
    // One builder per group box of the window, called in tab order, then the handlers.
    QGroupBox* gruppoIntervallo();
    QGroupBox* gruppoScelte();
    QVBoxLayout* tabelleEGrafico();
    QGroupBox* gruppoPiramide();
    QHBoxLayout* comandiInBasso();
    void collegaIntervallo();
    void collegaScelteEComandi();
    void apri();
    // After the run changed: both bars and both labels follow the state.
    void mostraIntervallo();
    void aggiornaEtichette();
    void aggiornaGriglie();
    void aggiornaGrafico();
    void cercaPosizione(bool inizio);
    void cercaDataPer(bool inizio);
    void setCriterio(int indice);

    Contesto& contesto_;
    predictive::PiramidePrevisionale piramide_;
    predictive::SceltaIntervallo intervallo_;
    grid::Grid FgR_;
    int criterio_ = 1;
    QString dataCercata_;

    GrigliaView* FgR = nullptr;
    QPushButton* Command41 = nullptr;
    QPushButton* Command44 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QRadioButton*, 4> Option1{};   // indices 1..3
    QComboBox* ComboLivello = nullptr;
    QComboBox* ComboCapo = nullptr;
    QComboBox* ComboDiag = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command6 = nullptr;
    QScrollBar* HsInizio = nullptr;
    QScrollBar* HsFine = nullptr;
    QLabel* LabelInizio = nullptr;
    QLabel* LabelFine = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command12 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command61 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command62 = nullptr;
    QPushButton* Command10 = nullptr;
    std::array<QLabel*, 5> LblEST{};
    QLineEdit* Txt_Ultime = nullptr;
    QPushButton* Command13Btn = nullptr;
    GrigliaView* FG2 = nullptr;
    GrigliaView* FG3 = nullptr;
    GrigliaView* Fg1 = nullptr;
    // Lbl0..Lbl7: row r has r + 1 labels.
    std::array<std::vector<QLabel*>, predictive::RigheEtichette> Lbl;
    QPushButton* Command2 = nullptr;
    QPushButton* Command24 = nullptr;
    QPushButton* Command37Btn = nullptr;
    QPushButton* CmDHelp = nullptr;
    ui::Grafico* Grafico = nullptr;
};

// Adds the window to the window registry and its screenshot (a computed pyramid) to the
// screenshot command.
void registraPiramidiPrevisioonali();

}
