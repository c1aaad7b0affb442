// The demonstration archive, generated once per test program: the stand-in for the real one that is always there.
#pragma once

#include "archive/ArchivioDimostrativo.h"
#include "archive/CaricaArchivio.h"
#include "support/TempDir.h"

#include <memory>

namespace testsupport {

// The archive `velmora-cli genera-demo` writes (real calendar, simulated numbers, fixed
// seed), loaded with the program's own loader. Tests that compare searches or commands
// run on it as well as on the real archive, so that they can never be skipped.
inline const archive::Archivio& archivioDimostrativo()
{
    static const std::unique_ptr<archive::Archivio> archivio = [] {
        CartellaTemporanea cartella;
        const std::string percorso = cartella.file("ArchivioDimostrativo.db");
        archive::CreaArchivioDimostrativo(percorso);
        auto a = std::make_unique<archive::Archivio>();
        a->EstrazioneIniziale = 1;
        archive::CaricaArchivio(*a, percorso);
        return a;
    }();
    return *archivio;
}

}
