// The runner of long work: worker thread, polled bars, the end delivered on the interface thread.
#include "ui/common/LavoroDiFondo.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPointer>

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

namespace ui {

namespace {

// The sub-window holding `w` (the top-level window when it sits in none).
QWidget* finestraDi(QWidget* w)
{
    for (QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<QMdiSubWindow*>(p))
            return p;
    return w->window();
}

bool fuocoNellaStessaFinestra(QWidget* origine)
{
    QWidget* ora = QApplication::focusWidget();
    return ora && finestraDi(ora) == finestraDi(origine);
}

}

namespace {
// Every runner alive, for fermaTutti(); touched only on the interface thread.
std::vector<LavoroDiFondo*>& vivi()
{
    static std::vector<LavoroDiFondo*> v;
    return v;
}
}

LavoroDiFondo::LavoroDiFondo(QObject* genitore) : QObject(genitore)
{
    setObjectName(QStringLiteral("LavoroDiFondo"));
    orologio_.setInterval(50);
    connect(&orologio_, &QTimer::timeout, this, &LavoroDiFondo::aggiornaBarre);
    vivi().push_back(this);
}

LavoroDiFondo::~LavoroDiFondo()
{
    vivi().erase(std::remove(vivi().begin(), vivi().end(), this), vivi().end());
    if (filo_.joinable()) {
        stato_->ferma();
        filo_.join();
    }
}

void LavoroDiFondo::collegaBarre(Progresso* barra1, Progresso* barra2)
{
    barre_[0] = barra1;
    barre_[1] = barra2;
}

bool LavoroDiFondo::avvia(Lavoro lavoro, AlTermine alTermine)
{
    if (filo_.joinable())
        return false;
    stato_ = std::make_unique<avanzamento::Avanzamento>();
    for (auto& m : mostrato_)
        m = {};
    fine_ = {};
    alTermine_ = std::move(alTermine);
    origine_ = QApplication::focusWidget();
    if (!origine_ && QApplication::activeWindow())
        origine_ = QApplication::activeWindow()->focusWidget();
    const unsigned generazione = ++generazione_;
    avanzamento::Avanzamento* stato = stato_.get();
    filo_ = std::thread([this, stato, generazione, lavoro = std::move(lavoro)] {
        Fine fine;
        try {
            lavoro(*stato);
        } catch (const avanzamento::Interrotto&) {
            fine.interrotto = true;
        } catch (const std::bad_alloc&) {
            fine.errore = true;
            fine.messaggio = QStringLiteral("Memoria insufficiente per completare l'operazione.");
        } catch (const std::exception& e) {
            fine.errore = true;
            fine.messaggio = QString::fromStdString(e.what());
        } catch (...) {
            fine.errore = true;
            fine.messaggio = QStringLiteral("Errore imprevisto.");
        }
        fine.interrotto = fine.interrotto || stato->fermato();
        fine_ = fine;
        // Queued: runs on the interface thread; dropped if the runner is gone by then
        // (its destructor joins this thread first, so `this` is still valid here).
        QMetaObject::invokeMethod(this, [this, generazione] { concludi(generazione); }, Qt::QueuedConnection);
    });
    orologio_.start();
    return true;
}

void LavoroDiFondo::ferma()
{
    if (filo_.joinable())
        stato_->ferma();
}

void LavoroDiFondo::aspetta()
{
    if (filo_.joinable())
        concludi(generazione_);
}

void LavoroDiFondo::fermaEAspetta()
{
    ferma();
    aspetta();
}

bool LavoroDiFondo::qualcunoOccupato()
{
    return std::any_of(vivi().begin(), vivi().end(), [](const LavoroDiFondo* l) { return l->occupato(); });
}

void LavoroDiFondo::fermaTutti()
{
    const auto tutti = vivi();
    for (LavoroDiFondo* l : tutti)
        l->ferma();
    for (LavoroDiFondo* l : tutti)
        if (std::find(vivi().begin(), vivi().end(), l) != vivi().end())
            l->aspetta();
}

void LavoroDiFondo::aggiornaBarre()
{
    if (!stato_)
        return;
    for (int b = 1; b <= avanzamento::Avanzamento::Barre; ++b) {
        const auto s = stato_->stato(b);
        auto& m = mostrato_[b - 1];
        if (s.valore == m.valore && s.massimo == m.massimo)
            continue;
        m = s;
        if (barre_[b - 1] && s.massimo > 0)
            barre_[b - 1]->imposta(s.valore, s.massimo);
        emit avanzamento(b, s.valore, s.massimo);
    }
}

void LavoroDiFondo::concludi(unsigned generazione)
{
    // A delivery already done by aspetta(), or one of an earlier work.
    if (generazione != generazione_ || !filo_.joinable())
        return;
    filo_.join();
    orologio_.stop();
    // The last report is announced, then the bars empty: a full bar would read as work still
    // under way, or as the state of whatever the window shows next.
    aggiornaBarre();
    for (Progresso* barra : barre_)
        if (barra)
            barra->azzera();
    const Fine fine = fine_;
    AlTermine alTermine = std::move(alTermine_);
    alTermine_ = {};
    // alTermine may start the next work or delete the window: nothing of this object is used after it but the signal.
    QPointer<LavoroDiFondo> io(this);
    QPointer<QWidget> origine = std::exchange(origine_, nullptr);
    if (alTermine)
        alTermine(fine);
    // Back to the control that started the work, once its closing messages are answered, unless
    // another work has started meanwhile (the window is still disabled) or the control is gone.
    // A window that already put the focus back among its own controls is left alone.
    if (origine && origine->isVisible() && origine->isEnabled() && (!io || !io->occupato()) && !fuocoNellaStessaFinestra(origine)) {
        origine->window()->activateWindow();
        origine->setFocus(Qt::OtherFocusReason);
    }
    if (io)
        emit finito();
}

}
