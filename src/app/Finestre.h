// The registration of the tool windows and the screenshot command.
#pragma once

#include <QString>

namespace app {

// Registers every tool window that exists in this build (see Finestre.cpp).
void registraFinestre();

// velmora --screenshots DIR: renders every window offscreen on `archivio` into DIR, the help
// window from the pages in `cartellaHelp`. Returns the exit code.
int scattaSchermate(const QString& cartellaUscita, const QString& archivio, const QString& cartellaHelp);

}
