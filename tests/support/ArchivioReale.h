// The real historical archive, imported once per test program: the database and the archive loaded from it.
#pragma once

#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "engine/Numeri.h"
#include "support/Storico.h"
#include "support/TempDir.h"

#include <memory>
#include <string>

namespace testsupport {

// The real archive as a draws database, kept in a temporary folder until the program
// ends; empty when the historical file is missing (the caller skips).
inline const std::string& databaseReale()
{
    static std::unique_ptr<CartellaTemporanea> cartella;
    static const std::string db = []() -> std::string {
        const std::string storico = percorsoStorico();
        if (storico.empty())
            return {};
        cartella = std::make_unique<CartellaTemporanea>();
        const std::string percorso = cartella->file("storico.db");
        archive::ImportaStorico(storico, percorso);
        return percorso;
    }();
    return db;
}

// The real archive loaded from databaseReale(), with the number tables the engine reads;
// nullptr when the historical file is missing.
inline const archive::Archivio* archivioReale()
{
    static const std::unique_ptr<archive::Archivio> archivio = []() -> std::unique_ptr<archive::Archivio> {
        const std::string& db = databaseReale();
        if (db.empty())
            return nullptr;
        auto a = std::make_unique<archive::Archivio>();
        a->EstrazioneIniziale = 1;
        archive::CaricaArchivio(*a, db);
        return a;
    }();
    return archivio.get();
}

}
