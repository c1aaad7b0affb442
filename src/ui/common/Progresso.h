// The progress display that long commands drive: the bars of the start-up and main windows.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>

namespace ui {

// What a long command sees of a progress bar. imposta() also lets the window repaint,
// so a load or a search that runs on the window's thread keeps the window alive.
class Progresso {
public:
    virtual ~Progresso() = default;
    // Moves the bar to `valore` of 0..`massimo`.
    virtual void imposta(int valore, int massimo) = 0;
    // Back to empty.
    virtual void azzera() = 0;
};

// A QProgressBar as a Progresso. Repaints only when the shown percentage changes and
// handles pending events at most every 30 ms, so 7000 steps cost next to nothing.
class BarraProgresso : public Progresso {
public:
    explicit BarraProgresso(QProgressBar* barra) : barra_(barra) {}
    void imposta(int valore, int massimo) override;
    void azzera() override;
    // Fills the bar: a load counts its steps against one more than their number, so its
    // last step alone would leave the bar short of the end.
    void completa();
    QProgressBar* barra() const { return barra_; }

private:
    QPointer<QProgressBar> barra_;
    QElapsedTimer ultimiEventi_;
    int ultimoPermille_ = -1;
};

}
