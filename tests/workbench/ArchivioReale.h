// The real historical archive, imported once per test program into a temporary database and loaded.
#pragma once

#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "engine/Numeri.h"
#include "support/Storico.h"

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace testsupport {

// nullptr when the historical file is missing (the caller skips). The database lives
// only while loading: the archive is kept in memory.
inline const archive::Archivio* archivioReale()
{
    static const std::unique_ptr<archive::Archivio> archivio = []() -> std::unique_ptr<archive::Archivio> {
        const std::string storico = percorsoStorico();
        if (storico.empty())
            return nullptr;
        namespace fs = std::filesystem;
        const fs::path cartella = fs::temp_directory_path() / ("velmora-storico-" + std::to_string(::getpid()));
        fs::create_directories(cartella);
        const std::string db = (cartella / "storico.db").string();
        auto a = std::make_unique<archive::Archivio>();
        archive::ImportaStorico(storico, db, true);
        a->EstrazioneIniziale = 1;
        archive::CaricaArchivio(*a, db);
        std::error_code ec;
        fs::remove_all(cartella, ec);
        engine::CaricaTutteLeTabelle();
        return a;
    }();
    return archivio.get();
}

}
