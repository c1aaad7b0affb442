// The "Convalida" page of the workbench: the AMBATE method replayed over a range of past references, against chance.
#pragma once

#include "grid/Grid.h"
#include "ui/common/ModelloRighe.h"
#include "workbench/Banco.h"
#include "workbench/Convalida.h"
#include "ui/common/Contesto.h"
#include "ui/common/Controlli.h"
#include "ui/common/LavoroDiFondo.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QHideEvent;
class QKeyEvent;
class QShowEvent;
class QSplitter;
class QSpinBox;

namespace ui {

class Grafico;
class GrigliaView;

class PaginaConvalida : public QWidget {
    Q_OBJECT
public:
    // `banco` is the workbench's: its settings and chosen operators are copied when the
    // replay starts, so the player may go on working meanwhile.
    PaginaConvalida(Contesto& contesto, const workbench::Banco& banco, QWidget* genitore = nullptr);
    ~PaginaConvalida() override;

    // CmdConvalida: the replay of ConvDal..ConvAl in the background.
    void CmdConvalida();
    // CmdAnnullaConvalida: stops it; the previous rows stay.
    void annulla();
    bool inCorso() const { return lavoro_.occupato(); }
    // Waits for the replay to end (tests, screenshots).
    void aspetta();
    // The range back to the last 200 draws of the archive.
    void intervalloPredefinito();
    // The rows shown as text, the header row first: what is copied, exported and printed.
    grid::Grid griglia() const;
    // The tag of the rows against the settings now (the workbench's and the range): stale or
    // not. A timer runs it while the page shows; tests call it.
    void controllaImpostazioni();

signals:
    // Double-click on a row: the workbench takes its reference and, when the rows were
    // computed with "Mensile" of each reference, that reference's draw of the month (M),
    // so that AMBATE there finds the row's formula again.
    void riferimentoScelto(int d, bool mensileDelRiferimento);
    // The replay ended (done, stopped or failed).
    void finita();
    // The page came to the front (true) or left it: the window gives it the pyramid's width
    // meanwhile, so that every column of the rows is in sight on a 1366-pixel screen.
    void inPrimoPiano(bool davanti);

protected:
    // "Mensile del riferimento" follows the workbench: marked while its Mensile is still the
    // reference's own ordinal (as the window opens, or after M).
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;
    // Escape stops the running replay.
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void mostraRisultato(const workbench::RisultatoConvalida& r);
    void disegnaGrafico(const workbench::RisultatoConvalida& r);
    void occupa(bool occupata);
    void spazio();
    // What the rows depend on, from the settings now: the banco's settings without its
    // reference (each row has its own), the range and "Mensile del riferimento".
    struct Chiave {
        workbench::ImpostazioniCasi casi;
        int dal = 0, al = 0;
        bool mensileDalRiferimento = false;
        bool operator==(const Chiave&) const = default;
    };
    Chiave chiaveAdesso() const;

    Contesto& contesto_;
    const workbench::Banco& banco_;
    // A reference's row with the date of its draw as it was when the rows were made.
    struct RigaMostrata {
        workbench::RigaConvalida riga;
        std::string data;
    };
    static std::vector<ColonnaDi<RigaMostrata>> colonne();
    ModelloRighe<RigaMostrata>* modello_ = nullptr;   // FgConvalida's rows
    std::vector<workbench::RigaConvalida> righeMostrate_;   // the rows FgConvalida shows, row r from 1
    int chiaveArchivio_ = 0;
    // The rows shown were computed with "Mensile" taking each reference's ordinal.
    bool righeConMensileDelRiferimento_ = false;

    QSpinBox* ConvDal = nullptr;
    QSpinBox* ConvAl = nullptr;
    QCheckBox* ChkMensileRif = nullptr;
    QPushButton* CmdConvalidaBtn = nullptr;
    QPushButton* CmdAnnullaConvalida = nullptr;
    QLabel* LblConvalidaStato = nullptr;
    QLabel* LblTotaliConvalida = nullptr;
    // Under the totals: the verdict in words (or why nothing counts).
    QLabel* LblVerdettoConvalida = nullptr;
    // Above the rows: the settings they were made with, and whether those on the left still match.
    QLabel* LblImpostazioniConvalida = nullptr;
    QString impostazioniRighe_;
    std::optional<Chiave> chiaveRighe_;
    GrigliaView* FgConvalida = nullptr;
    Grafico* GraficoConvalida = nullptr;
    QSplitter* divisore_ = nullptr;   // the rows above the chart
    // The keyboard on Annulla while the replay runs, then back where it was.
    FuocoTrattenuto fuoco_;

    // Last member: destroyed first, it stops the replay and waits for it.
    LavoroDiFondo lavoro_{this};
};

// The picture "Piramide1_convalida": the replay of the last 200 draws on a 1366x768 screen.
void registraSchermataConvalida();

}
