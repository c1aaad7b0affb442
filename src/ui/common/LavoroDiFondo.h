// Long work off the interface thread: one command at a time on a worker, its progress on the bars, its end back on the interface thread.
#pragma once

#include "avanzamento/Avanzamento.h"
#include "ui/common/Progresso.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <thread>

namespace ui {

// How a window runs a long command (a search, a load, an import, an update, an export).
// The command is core code taking an `avanzamento::Avanzamento*`: it reports its bars and
// checks for a stop; the runner runs it on a worker thread, shows its bars and hands
// its end back on the interface thread.
//
//   // A member declared after everything the work touches: it is destroyed first,
//   // and its destructor stops the work and waits for it.
//   LavoroDiFondo lavoro_{this};
//
//   lavoro_.collegaBarre(contesto_.pb1, contesto_.pb2);              // once, in the constructor
//
//   void Piramide1::Cmd_Step1Click() {
//       const auto imp = workbench::leggiImpostazioniRicerca(banco_, 0);   // read here, on this thread
//       const auto inizio = workbench::orarioList1();
//       auto risultato = std::make_shared<workbench::RisultatoRicerca>();
//       const auto& archivio = contesto_.sessione.archivio();
//       occupa(true);                                                // disable what the work reads or writes
//       lavoro_.avvia([=, &archivio](avanzamento::Avanzamento& av) { *risultato = workbench::cercaFormule(imp, archivio, &av); },
//                     [=, this](const LavoroDiFondo::Fine& fine) {
//                         occupa(false);
//                         if (fine.errore)
//                             return mostraErrore(fine.messaggio);   // through ui::Dialoghi
//                         const auto e = workbench::scriviRicerca(banco_, imp, *risultato, inizio);
//                         if (e.interrotta) return;                  // grids untouched
//                         FgEsiti->aggiorna(); ...
//                     });
//   }
//   // a STOP button: lavoro_.ferma();
//
// Rules: the work must not touch what the interface thread uses meanwhile (read the
// settings before, write the grids in `alTermine`); it must not show anything. The
// bars are read from the work's Avanzamento every 50 ms on the interface thread (so at
// most 20 updates a second, whatever the work reports) and announced by `avanzamento`;
// nothing ever pumps the event loop from inside the work. When it ends, however it ends,
// both bars go back to empty before `alTermine` runs. An exception of the work
// reaches `alTermine` as `errore` with its message. Tests wait with
// QSignalSpy(&lavoro, &LavoroDiFondo::finito).wait() or with aspetta().
class LavoroDiFondo : public QObject {
    Q_OBJECT
public:
    // How the work ended.
    struct Fine {
        bool interrotto = false;   // a stop was requested while it ran (its result may be partial)
        bool errore = false;       // it threw: `messaggio` is the text to show
        QString messaggio;
    };
    using Lavoro = std::function<void(avanzamento::Avanzamento&)>;
    using AlTermine = std::function<void(const Fine&)>;

    explicit LavoroDiFondo(QObject* genitore = nullptr);
    // Stops the work and waits for it; `alTermine` is not called any more.
    ~LavoroDiFondo() override;

    // The bars that show bar 1 and bar 2 of the work (either may be null).
    void collegaBarre(Progresso* barra1, Progresso* barra2);

    // Starts `lavoro` on a worker thread; false, and nothing starts, while a previous
    // work of this runner is still running. `alTermine` runs on this object's thread.
    [[nodiscard]] bool avvia(Lavoro lavoro, AlTermine alTermine = {});
    bool occupato() const { return filo_.joinable(); }
    // Requests the stop; the work notices it within a few milliseconds.
    void ferma();
    // Blocks until the work has ended, then runs `alTermine` and emits `finito` at once.
    // For closing (after ferma()) and for callers without an event loop of their own.
    void aspetta();
    void fermaEAspetta();

    // ferma() and aspetta() on every runner alive: FINE and the program's exit call it
    // before closing the databases, so no work is left reading a closed file.
    static void fermaTutti();
    // True while any runner alive has a work running.
    static bool qualcunoOccupato();

signals:
    // A bar moved (1 or 2), on the interface thread.
    void avanzamento(int barra, int valore, int massimo);
    // The work has ended and `alTermine` has run.
    void finito();

private:
    void aggiornaBarre();
    void concludi(unsigned generazione);

    Progresso* barre_[avanzamento::Avanzamento::Barre] = {nullptr, nullptr};
    avanzamento::Avanzamento::Stato mostrato_[avanzamento::Avanzamento::Barre];
    std::unique_ptr<avanzamento::Avanzamento> stato_;
    std::thread filo_;
    AlTermine alTermine_;
    // The control that had the focus when the work started (the button pressed, a box's Enter):
    // the window is disabled while the work runs, so the focus would otherwise end elsewhere,
    // often on the main window, where one more Enter starts something else.
    QPointer<QWidget> origine_;
    Fine fine_;              // written by the worker, read after it was joined
    unsigned generazione_ = 0;
    QTimer orologio_;
};

}
