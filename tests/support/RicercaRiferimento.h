// The plain formula search, step by step as the window was first written: the yardstick of the fast one.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"
#include "workbench/Ambate.h"

namespace testsupport {

// Every candidate, every case, every colpo, every wheel, every position, evaluated
// with ElaboraPPP2, kept in a grid that is sorted again after every kept candidate.
// It mends the same faults as the fast search (no draw after R is read, 0 never
// counts as drawn, a formula that cannot be computed skips its case and sets
// `anomalia`), so the two must give the same grid. Slow: the yardstick of tests and benchmarks.
grid::Grid cercaFormuleRiferimento(const workbench::ImpostazioniRicerca& imp, const archive::Archivio& a, bool& anomalia);

}
