// The workbench the search benchmarks measure: every wheel in play, 50 cases, 20 colpi, the
// whole catalogue listed by code and selected.
#pragma once

#include "storage/ProgramDb.h"
#include "workbench/Banco.h"
#include "workbench/Trasferimenti.h"

#include <algorithm>

inline void bancoCompleto(workbench::Banco& b)
{
    b.numeroCasi = 50;
    b.colpi = 20;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        workbench::setRuotaInGioco(b, w, true);
    auto righe = storage::CatalogoPredefinito();
    std::sort(righe.begin(), righe.end(), [](const auto& x, const auto& y) { return x.operatore < y.operatore; });
    workbench::elencaOperatori(b, righe);
    workbench::selezionaOperatori(b, true);
}
