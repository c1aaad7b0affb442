// The tool windows of this build, registered by name for the main window's buttons.
#include "app/Finestre.h"

#include "ui/Container/Container.h"
#include "ui/common/Contesto.h"
#include "ui/common/RegistroFinestre.h"

// Add a window's header here.
#include "ui/Estrazioni_minielenco/Estrazioni_minielenco.h"
#include "ui/Giocate/Giocate.h"
#include "ui/Sistemi/Sistemi.h"
#include "ui/Operatori/Operatori.h"
#include "ui/Piramide1/Piramide1.h"
#include "ui/PiramidiPrevisioonali/PiramidiPrevisioonali.h"
#include "ui/Statistiche/Statistiche.h"
#include "ui/archivio/GestioneArchivio.h"

namespace app {

void registraFinestre()
{
    // One line per tool window; the name is the window's own (Container's buttons look it up):
    //   ui::registroFinestre().registra("Piramide1", [](ui::Contesto& c) { return new ui::Piramide1(c); });
    // Its library (velmora_ui_<Nome>) is linked by src/app/CMakeLists.txt when it exists, and
    // the screenshot command then renders it as docs/screenshots/<Nome>.png with no further line.
    ui::registraPiramide1();               // also its screenshots after a search and with a loaded pyramid
    ui::registraPiramidiPrevisioonali();   // also its screenshot with a computed pyramid
    ui::registraArchivio();
    registraSchermateArchivio();           // its pages at work, set up in Schermate.cpp
    ui::registraOperatori();
    ui::registraEstrazioni_minielenco();
    ui::registraStatistiche();             // also its screenshot of the pairs on every wheel
    ui::registraGiocate();                 // also its screenshot with three plays
    ui::registraSistemi();                 // also its screenshot with a reduced system of 13 numbers
}

QWidget* creaPrincipale(ui::Contesto& contesto)
{
    return new ui::Container(contesto);
}

}
