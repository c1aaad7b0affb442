// The main window Container: the MDI frame of every tool window, the model archive display, the shared progress bars.
#pragma once

#include "grid/Grid.h"
#include "ui/common/Contesto.h"
#include "ui/common/ModelloRighe.h"
#include "ui/common/Progresso.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <map>

class QGridLayout;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace ui {

// A row of fgpa: a loaded draw, its date and its ordinals in its year and month.
struct EstrazioneElencata {
    int indice = 0;
    std::string data;
    int progressivoAnno = 0;
    int progressivoMese = 0;
    bool operator==(const EstrazioneElencata&) const = default;
};

class GrigliaView;

class Container : public QMainWindow {
    Q_OBJECT
public:
    // The window load: SettaValoriBase, fgpa, ImpostazioniArchivioModello.
    explicit Container(Contesto& contesto, QWidget* genitore = nullptr);
    ~Container() override;

    void SettaValoriBase();
    // Refreshes the five range labels from the model archive (and the draw list when
    // the archive was reloaded with a different content).
    void ImpostazioniArchivioModello();

    // What a tool button does: creates the registered window `nome` inside the MDI area
    // on first use, afterwards only brings it to the front. Null when `nome` is not registered.
    QMdiSubWindow* apriFinestra(const QString& nome);
    QMdiArea* areaMdi() const { return mdi_; }

    // The tool buttons: objectName, window name, tooltip.
    struct PulsanteStrumento {
        const char* controllo;
        const char* finestra;
        const char* suggerimento;
        const char* didascalia;
    };
    static const std::vector<PulsanteStrumento>& pulsanti();

    // The size the window opens at on a screen whose free area is `disponibile`: its
    // natural size (1280x820 with the frame's `bordo` around it) centred when that fits,
    // else maximised, so a laptop screen still shows the progress bars and FINE.
    struct Apertura {
        QRect geometria;
        bool massimizzata = false;
    };
    static Apertura aperturaPerSchermo(const QRect& disponibile, const QSize& bordo = QSize(16, 48));

private:
    QGridLayout* pulsantiStrumenti(QWidget* Picture1);
    void riempiFgpa();

    Contesto& contesto_;
    QMdiArea* mdi_;
    ModelloRighe<EstrazioneElencata>* elenco_;   // fgpa's rows, one per loaded draw
    GrigliaView* fgpa;
    QLabel* LblInizio;
    QLabel* Lbl_inizioNE;
    QLabel* LblFine;
    QLabel* Lbl_fineNE;
    QLabel* Lbl_Ev;
    QProgressBar* pb1;   // first progress bar of the status area (Pb2 is the second)
    QProgressBar* Pb2;
    BarraProgresso progresso1_;
    BarraProgresso progresso2_;
    std::map<QString, QPointer<QMdiSubWindow>> aperte_;
};

}
