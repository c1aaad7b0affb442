// What every window receives: the shared session, the dialogs, the progress bars, help and colours.
#pragma once

#include "session/Sessione.h"
#include "grid/Grid.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/Progresso.h"

#include <QString>

#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace ui {

// The colours the windows give their cells and labels (filled by SettaValoriBase).
struct ColoriBase {
    grid::Colore selezione = grid::colori::Verde;              // a wheel, position or level in play
    grid::Colore operatoreSelezionato = grid::colori::Rosso;   // an operator chosen for a search
    grid::Colore daImportare = grid::rgb(255, 192, 128);       // &H80C0FF: a draw an update would add
    grid::Colore normale = grid::colori::Bianco;
    grid::Colore intervallo = grid::colori::VerdeScuro;        // the draw-count label of the main window
    grid::Colore testoIntervallo = grid::colori::Bianco;
};

struct Contesto {
    // Gives `d` the memory of the dialogs' folders (the program database) and makes it the dialogs
    // of every grid's "Esporta CSV…"; the destructor takes both back.
    Contesto(session::Sessione& s, Dialoghi& d);
    ~Contesto();
    Contesto(const Contesto&) = delete;
    Contesto& operator=(const Contesto&) = delete;

    session::Sessione& sessione;
    Dialoghi& dialoghi;

    // The main window's two bars (pb1, Pb2); null until the main window exists. A tool
    // window hands them to its ui::LavoroDiFondo, which shows a long command's bar 1 and
    // bar 2 on them (a search: the operator row, and the scoring of that operator).
    Progresso* pb1 = nullptr;
    Progresso* pb2 = nullptr;

    ColoriBase colori;

    // Refreshes the five range labels of the main window (archive maintenance calls it
    // after a reload); a no-op until the main window exists.
    std::function<void()> ImpostazioniArchivioModello = [] {};

    // Windows that show figures drawn from the archive (statistics, plays) are told after every
    // reload of the archive (SALVA, MODIFICA, ELIMINA, an update): ascoltaArchivio returns the key
    // smettiDiAscoltareArchivio takes (a window's destructor calls it).
    int ascoltaArchivio(std::function<void()> ascoltatore);
    void smettiDiAscoltareArchivio(int chiave);
    // Archive maintenance calls it once the archive in memory is the new one.
    void archivioCambiato();
    // The draws file changed on disk since it was loaded (velmora-cli incolla --salva, another copy
    // of the program): reloads it, tells every window as archivioCambiato does and says so in one
    // message to `genitore`, followed by `seguito` when given. True when the file had changed
    // (reloaded, or the reload failed and was said); false, and nothing happens, otherwise or while
    // a background work runs. The main window calls it on activation and before opening a window;
    // a write calls it first and stops when it is true.
    bool ricaricaSeCambiatoFuori(QWidget* genitore, const QString& seguito = {});

    // Opens the help at a context number (250 main window, 310 start-up, ...).
    std::function<void(int contesto, QWidget* genitore)> apriHelp;

    // Opens the registered tool window `nome` inside the main window, or brings it to the front
    // as it is, and returns it; null until the main window exists or when `nome` is not registered.
    std::function<QWidget*(const QString& nome)> apriFinestra = [](const QString&) -> QWidget* { return nullptr; };

    // Creates the main window PROCEDI opens (not yet shown). The program's entry wires it,
    // so the start-up window reaches the main window without including it.
    std::function<QWidget*(Contesto&)> creaPrincipale;

    // FINE: closes every file and ends the program at once.
    std::function<void()> termina;

    // Folder of the help pages ("HelpVelmora" beside the executable).
    QString cartellaHelp;

private:
    std::map<int, std::function<void()>> ascoltatoriArchivio_;
    int prossimaChiave_ = 1;
};

// A window that shows one draw on request. The mini list of draws is one, so any window can
// show a draw there through mostraNelMiniElenco without knowing the mini list.
class VistaEstrazione {
public:
    virtual ~VistaEstrazione() = default;
    // Moves the view to draw `indice` (1..N).
    virtual void mostraEstrazione(int indice) = 0;
    // Marks the cells of the draw shown that hold one of `numeri` (a number's presences, say), on
    // the wheels `ruote` (0 = Bari … 10 = Nazionale) or, when it is empty, on every wheel.
    virtual void segnaNumeri(const std::vector<int>& numeri, const std::vector<int>& ruote) = 0;
};

// Shows draw `indice` in "Estrazioni_minielenco", opening it or bringing it to the front, with
// the cells of `numeri` marked on the wheels `ruote` (all when empty); false when it cannot be opened.
[[nodiscard]] bool mostraNelMiniElenco(Contesto& contesto, int indice, const std::vector<int>& numeri = {},
                                       const std::vector<int>& ruote = {});

}
