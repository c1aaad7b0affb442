// The scratch folder and the small archive of the fuzz targets.
#include "Supporto.h"

#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace fuzz {

namespace fs = std::filesystem;

const std::string& cartella()
{
    static const std::string percorso = [] {
        std::string modello = (fs::temp_directory_path() / "velmora-fuzz-XXXXXX").string();
        if (!mkdtemp(modello.data()))
            throw std::runtime_error("mkdtemp");
        static const std::string daRimuovere = modello;
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(daRimuovere, ec);
        });
        return modello;
    }();
    return percorso;
}

std::string comeFile(const std::uint8_t* dati, std::size_t dimensione, const std::string& nome)
{
    const std::string percorso = cartella() + "/" + nome;
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(dati), static_cast<std::streamsize>(dimensione));
    return percorso;
}

std::vector<std::string> parti(std::string_view testo, char sep)
{
    std::vector<std::string> esito;
    for (std::size_t inizio = 0;;) {
        const std::size_t fine = testo.find(sep, inizio);
        esito.emplace_back(testo.substr(inizio, fine == std::string_view::npos ? std::string_view::npos : fine - inizio));
        if (fine == std::string_view::npos)
            return esito;
        inizio = fine + 1;
    }
}

const std::string& percorsoArchivioPiccolo()
{
    static const std::string percorso = [] {
        const std::string storico = cartella() + "/piccolo.txt";
        {
            std::ofstream f(storico, std::ios::binary);
            static const char* const codici[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
            for (int d = 0; d < 40; ++d) {
                // Every third day from 1 January 2020: the 40 draws end in April (months of 31, 29, 31, 30 days).
                int giorno = 1 + 3 * d, mese = 1;
                for (const int lunghezza : {31, 29, 31, 30}) {
                    if (giorno <= lunghezza)
                        break;
                    giorno -= lunghezza;
                    ++mese;
                }
                char data[16];
                std::snprintf(data, sizeof data, "2020/%02d/%02d", mese, giorno);
                for (int w = 0; w < 11; ++w) {
                    f << data << '\t' << codici[w];
                    // 17 apart modulo 90: five different numbers on every wheel.
                    for (int p = 0; p < 5; ++p)
                        f << '\t' << (d * 7 + w * 13 + p * 17) % 90 + 1;
                    f << '\n';
                }
            }
        }
        const std::string db = cartella() + "/piccolo.db";
        archive::ImportaStorico(storico, db);
        return db;
    }();
    return percorso;
}

const archive::Archivio& archivioPiccolo()
{
    static const std::unique_ptr<archive::Archivio> a = [] {
        auto nuovo = std::make_unique<archive::Archivio>();
        nuovo->EstrazioneIniziale = 1;
        archive::CaricaArchivio(*nuovo, percorsoArchivioPiccolo());
        return nuovo;
    }();
    return *a;
}

}
