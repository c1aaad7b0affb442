// The progress display that long commands drive: the bars of the start-up and main windows.
#pragma once

#include <QPointer>
#include <QProgressBar>

namespace ui {

// What a window sees of a progress bar. Only the interface thread moves it: long work
// reports to an avanzamento::Avanzamento, and ui::LavoroDiFondo copies that onto the bars.
class Progresso {
public:
    virtual ~Progresso() = default;
    // Moves the bar to `valore` of 0..`massimo`.
    virtual void imposta(int valore, int massimo) = 0;
    // Back to empty.
    virtual void azzera() = 0;
};

// A QProgressBar as a Progresso. Repaints only when the shown permille changes, so a
// command that reports thousands of steps costs next to nothing. It never handles
// pending events: the window stays alive because the work runs on another thread.
class BarraProgresso : public Progresso {
public:
    explicit BarraProgresso(QProgressBar* barra) : barra_(barra) {}
    void imposta(int valore, int massimo) override;
    void azzera() override;
    QProgressBar* barra() const { return barra_; }

private:
    QPointer<QProgressBar> barra_;
    int ultimoPermille_ = -1;
};

}
