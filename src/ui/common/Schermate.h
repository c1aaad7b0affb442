// Extra screenshots that windows add to the screenshot command (velmora --screenshots DIR).
#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace ui {

// Every registered window gets "<Nome>.png" as it opens. A window that wants more
// pictures (a search done, a tab page shown) adds one line next to its registration:
//   ui::registraSchermata("Piramide1_ambate", "Piramide1", [](QWidget* w) { ... });
// `prepara` receives the open window and brings it into the state to show.
struct Schermata {
    QString file;       // without ".png"; starts with the window's name
    QString finestra;   // name in the window registry
    std::function<void(QWidget*)> prepara;
    // The main window's size for this picture (a player's screen); empty: the usual size.
    int larghezza = 0, altezza = 0;
};

void registraSchermata(const QString& file, const QString& finestra, std::function<void(QWidget*)> prepara,
                       int larghezza = 0, int altezza = 0);
const std::vector<Schermata>& schermateAggiuntive();

}
