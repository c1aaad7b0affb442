// The real archive, imported once per test binary from storico.txt into a temporary database.
#pragma once

#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "engine/Numeri.h"
#include "support/Storico.h"

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace provabanco {

// The loaded archive, or nullptr when the real archive is not available (tests skip).
inline const archive::Archivio* archivioReale()
{
    static const std::unique_ptr<archive::Archivio> a = []() -> std::unique_ptr<archive::Archivio> {
        const std::string storico = testsupport::percorsoStorico();
        if (storico.empty())
            return nullptr;
        engine::CaricaTutteLeTabelle();
        namespace fs = std::filesystem;
        const fs::path cartella = fs::temp_directory_path() / ("velmora-banco-" + std::to_string(::getpid()));
        fs::create_directories(cartella);
        const std::string db = (cartella / "storico.db").string();
        auto arch = std::make_unique<archive::Archivio>();
        arch->EstrazioneIniziale = 1;
        archive::ImportaStorico(storico, db, true);
        archive::CaricaArchivio(*arch, db);
        std::error_code ec;
        fs::remove_all(cartella, ec);
        return arch;
    }();
    return a.get();
}

}
