// The window PiramidiPrevisioonali: run of draws, wheels, criterion, pyramid, chart, copy and print.
#pragma once

#include "predictive/PiramidePrevisionale.h"
#include "predictive/SceltaIntervallo.h"
#include "ui/common/Contesto.h"
#include "ui/common/ModelloRighe.h"
#include "ui/common/Tabelloni.h"

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
    // The wheels in play, and FgR as it shows them; mostraRuote() after changing them.
    predictive::Ruote& ruote() { return ruote_; }
    grid::Grid griglieRuote() const { return ruoteScelte_->testoTabella(); }
    void mostraRuote();

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
    // FG2 and FG3 show the rows and the ranking of the last result.
    ModelloRighe<predictive::RigaStatistiche>* statistiche_ = nullptr;
    ModelloRighe<int>* classifica_ = nullptr;
    // Fg1 shows the pyramid's rows, as many columns as the level.
    ModelloRighe<predictive::RigaPiramide>* righePiramide_ = nullptr;
    predictive::SceltaIntervallo intervallo_;
    predictive::Ruote ruote_ = predictive::ruoteIniziali();
    TabelloneRuote* ruoteScelte_ = nullptr;
    int criterio_ = 1;
    QString dataCercata_;

    GrigliaView* FgR = nullptr;
    QPushButton* Command41 = nullptr;   // Tutte: the wheels chosen in the main window
    QPushButton* Command44 = nullptr;   // Nessuna: no wheel chosen
    QLabel* Label2 = nullptr;   // "Ruote ricerca:"
    std::array<QRadioButton*, 4> Option1{};   // indices 1..3
    QComboBox* ComboLivello = nullptr;
    QComboBox* ComboCapo = nullptr;
    QComboBox* ComboDiag = nullptr;
    QLabel* Label1 = nullptr;   // "Livello"
    QLabel* Label3 = nullptr;   // "Capogioco", caption of ComboCapo
    QLabel* Label4 = nullptr;   // "Capogioco" above the pyramid
    QPushButton* Command1 = nullptr;   // ELABORA: the replay over the range
    QPushButton* Command3 = nullptr;   // Mostra: the pyramid of the selected row
    QPushButton* Command6 = nullptr;   // Diagonale: the chosen diagonal highlighted
    QScrollBar* HsInizio = nullptr;
    QScrollBar* HsFine = nullptr;
    QLabel* LabelInizio = nullptr;
    QLabel* LabelFine = nullptr;
    QLabel* Label16 = nullptr;   // "Inizio"
    QLabel* Label17 = nullptr;   // "Fine"
    QLabel* Label18 = nullptr;   // "Ultime"
    QPushButton* Command4 = nullptr;   // |<: Inizio at the first draw
    QPushButton* Command5 = nullptr;   // >|: Inizio at the last draw
    QPushButton* Command12 = nullptr;   // |<: Fine at the first draw
    QPushButton* Command9 = nullptr;   // >|: Fine at the last draw
    QPushButton* Command61 = nullptr;   // N°: Inizio by index number
    QPushButton* Command8 = nullptr;   // N°: Fine by index number
    QPushButton* Command62 = nullptr;   // Data: Inizio by date
    QPushButton* Command10 = nullptr;   // Data: Fine by date
    std::array<QLabel*, 5> LblEST{};
    QLineEdit* Txt_Ultime = nullptr;
    QPushButton* Command13Btn = nullptr;   // Imposta: the last N draws
    GrigliaView* FG2 = nullptr;
    GrigliaView* FG3 = nullptr;
    GrigliaView* Fg1 = nullptr;
    // Lbl0..Lbl7: row r has r + 1 labels.
    std::array<std::vector<QLabel*>, predictive::RigheEtichette> Lbl;
    QPushButton* Command2 = nullptr;   // Copia tabella
    QPushButton* Command24 = nullptr;   // Copia piramide
    QPushButton* Command37Btn = nullptr;   // Stampa piramide
    QPushButton* CmDHelp = nullptr;
    ui::Grafico* Grafico = nullptr;
};

// Adds the window to the window registry and its screenshot (a computed pyramid) to the
// screenshot command.
void registraPiramidiPrevisioonali();

}
