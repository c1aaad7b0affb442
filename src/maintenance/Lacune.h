// The draws an update left missing: rows to add refused while later draws were added.
#pragma once

#include "archive/Archivio.h"
#include "maintenance/Aggiornamento.h"

#include <string>
#include <vector>

namespace maintenance {

// After AGGIORNAMENTO: for every row to add whose date `archivio` still
// lacks while it holds a later draw, the line "Manca ancora l'estrazione del " + date + ...,
// oldest first. The archive would otherwise look complete to its last date.
std::vector<std::string> estrazioniRimasteMancanti(const RigheImporta& righe, const archive::Archivio& archivio);

}
