// The registration of the tool windows and the screenshot command.
#pragma once

#include <QString>

class QWidget;
namespace ui { struct Contesto; }

namespace app {

// Registers every tool window that exists in this build (see Finestre.cpp).
void registraFinestre();

// The extra screenshots of the window archivio: each page in the state a player sees it at work.
void registraSchermateArchivio();

// The main window that PROCEDI opens (ui::Contesto::creaPrincipale).
QWidget* creaPrincipale(ui::Contesto& contesto);

// velmora --screenshots DIR: renders every window offscreen on `archivio` into DIR, the help
// window from the pages in `cartellaHelp`. Returns the exit code.
int scattaSchermate(const QString& cartellaUscita, const QString& archivio, const QString& cartellaHelp);

}
