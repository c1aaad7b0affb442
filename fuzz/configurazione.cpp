// The configuration values read at start-up: the rows of ParametriProgramma, then the archive loaded with them.
#include "Supporto.h"

#include "archive/CaricaArchivio.h"
#include "maintenance/Esportazioni.h"
#include "maintenance/FileAggiornamento.h"
#include "session/Sessione.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"

#include <filesystem>
#include <iterator>
#include <memory>
#include <set>

namespace {

struct Avvio {
    archive::Archivio archivio;
    session::Sessione sessione;
    storage::Database estrazioni;
    Avvio() : sessione(fuzz::cartella() + "/programma", archivio)
    {
        std::filesystem::create_directories(sessione.cartellaProgramma());
        sessione.apriDatabaseProgramma();
        // Thousands of rewrites a second: nothing here needs to survive a power cut.
        sessione.dbProgramma().esegui("PRAGMA synchronous=OFF");
        estrazioni = storage::ApriArchivio(fuzz::percorsoArchivioPiccolo());
    }
};

}

// The input holds the values of the rows, separated by NUL bytes, in this order.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    static const char* const chiavi[] = {"EstrazioneIniziale", "PercorsoArchivio", "IndirizzoInternet", "ServerAggiornamenti",
                                         "PercorsoQuintavo"};
    static Avvio* avvio = new Avvio;
    storage::Database& db = avvio->sessione.dbProgramma();
    const auto valori = fuzz::parti(fuzz::comeTesto(dati, dimensione), '\0');
    for (std::size_t i = 0; i < valori.size() && i < std::size(chiavi); ++i)
        storage::ScriviParametro(db, chiavi[i], valori[i]);

    avvio->sessione.leggiPercorsoArchivio();
    avvio->sessione.leggiIndirizzoInternet();
    maintenance::indirizzoAggiornamenti(db);
    maintenance::cartellaQuintavo(db, "/home/giocatore");
    try {
        avvio->sessione.ImpostaInizialix();
    } catch (const std::runtime_error&) {
        return 0;
    }
    // A load rewrites the tables up to their capacity: each start value is loaded once per run.
    static std::set<int> provati;
    if (!provati.insert(avvio->archivio.EstrazioneIniziale).second)
        return 0;
    try {
        archive::CaricaArchivio(avvio->archivio, avvio->estrazioni);
    } catch (const archive::ErroreCaricamento&) {
        return 0;
    }
    const archive::Archivio& a = avvio->archivio;
    // The model archive holds draws of the archive only.
    for (int k = 1; k <= a.NumeroEstrazioniModello; ++k)
        if (a.ArchivioModello[static_cast<std::size_t>(k)] < 1 || a.ArchivioModello[static_cast<std::size_t>(k)] > a.NumeroEstrazioni)
            __builtin_trap();
    return 0;
}
