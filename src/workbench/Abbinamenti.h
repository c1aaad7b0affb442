// ABBINAMENTI: the search for the formula whose number, joined to the level's numbers of each case, makes an ambo or a terno.
#pragma once

#include "archive/Archivio.h"
#include "workbench/Ambate.h"
#include "workbench/Banco.h"

namespace workbench {

// Sorte of the pair search: Option1 ("2") or Option2 ("3").
constexpr int SorteAmbo = 2;
constexpr int SorteTerno = 3;

// ABBINAMENTI (Command38), sorte from Option1/Option2: the candidates of the selected
// operators, each joined to the numbers of FgX (the last verified level) case by case,
// scored on the wheels in play, the best into FgGr (see cercaAmbate). A sorte other
// than 2 or 3 searches nothing and gives TestoErroreImpostazioni.
EsitoRicerca cercaAbbinamenti(Banco& b, const archive::Archivio& a, int sorte,
                              avanzamento::Avanzamento* avanzamento = nullptr);

}
