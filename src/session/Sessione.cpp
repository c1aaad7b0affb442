// The shared application state: the start-up steps that touch the databases and the configuration.
#include "session/Sessione.h"

#include "grid/Grid.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "maintenance/StoricoUfficiale.h"
#include "sistema/Percorsi.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"

#include <cmath>
#include <filesystem>
#include <system_error>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace session {

Sessione::Sessione(std::string cartellaProgramma, archive::Archivio& archivio)
    : cartellaProgramma_(std::move(cartellaProgramma)), archivio_(archivio)
{
}

void Sessione::apriDatabaseProgramma()
{
    dbProgramma_ = storage::ApriDatabaseProgramma(cartellaProgramma_);
}

void Sessione::leggiPercorsoArchivio()
{
    percorsoArchivio_ = storage::LeggiParametro(dbProgramma_, "PercorsoArchivio").value_or(std::string());
}

bool Sessione::apriArchivio()
{
    dbEstrazioni_.chiudi();
    erroreArchivio_.clear();
    if (percorsoArchivio_.empty())
        return false;
    try {
        // ApriArchivio refuses a database of ours without the draws table.
        dbEstrazioni_ = storage::ApriArchivio(percorsoArchivio_);
        return true;
    } catch (const std::exception& e) {
        dbEstrazioni_.chiudi();
        erroreArchivio_ = e.what();
        return false;
    }
}

void Sessione::leggiIndirizzoInternet()
{
    indirizzoInternet_ = storage::LeggiIndirizzoInternet(dbProgramma_);
}

void Sessione::ImpostaInizialix()
{
    const auto testo = storage::LeggiParametro(dbProgramma_, "EstrazioneIniziale");
    if (!testo) {
        archivio_.EstrazioneIniziale = 0;
        return;
    }
    // Round half to even, as the conversion to a whole number always did.
    const double v = std::nearbyint(grid::leggiNumero(*testo));
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        throw std::runtime_error("Valore di EstrazioneIniziale fuori intervallo: " + *testo);
    archivio_.EstrazioneIniziale = static_cast<int>(v);
}

namespace {

// Stored for the next runs, which may start from another folder: never relative.
std::string percorsoAssoluto(const std::string& percorsoScelto)
{
    std::error_code ec;
    auto assoluto = std::filesystem::absolute(sistema::percorso(percorsoScelto), ec);
    return ec || percorsoScelto.empty() ? percorsoScelto : sistema::testo(assoluto.lexically_normal());
}

}

std::string Sessione::selezionaArchivio(const std::string& percorsoScelto)
{
    const std::string percorso = percorsoAssoluto(percorsoScelto);
    percorsoArchivio_ = percorso;
    std::vector<std::string> mancati;
    if (!storage::ScriviPercorsoDatabase(cartellaProgramma_, percorso))
        mancati.push_back(sistema::testo(sistema::percorso(cartellaProgramma_) / storage::NomeFilePercorso));
    try {
        if (dbProgramma_.aperto())
            storage::ScriviParametro(dbProgramma_, "percorsoarchivio", percorso);
    } catch (const std::exception&) {
        mancati.push_back(dbProgramma_.percorso());
    }
    avvisoScelta_.clear();
    if (!mancati.empty()) {
        avvisoScelta_ = "L'archivio \"" + percorso + "\" resta scelto per questa sessione, ma la scelta non è stata "
                        "memorizzata: impossibile scrivere \"" + mancati.front() + "\"";
        if (mancati.size() > 1)
            avvisoScelta_ += " e \"" + mancati.back() + "\"";
        avvisoScelta_ += ". Al prossimo avvio andrà scelto di nuovo.";
    }
    return avvisoScelta_;
}

bool Sessione::apriESelezionaArchivio(const std::string& percorsoScelto)
{
    const std::string percorso = percorsoAssoluto(percorsoScelto);
    erroreArchivio_.clear();
    storage::Database aperto;
    try {
        aperto = storage::ApriArchivio(percorso);
    } catch (const std::exception& e) {
        erroreArchivio_ = e.what();
        return false;
    }
    dbEstrazioni_ = std::move(aperto);
    (void)selezionaArchivio(percorso);   // a choice not stored is in avvisoScelta()
    return true;
}

archive::EsitoImportazione Sessione::creaDaStorico(const std::string& percorsoStorico, const std::string& percorsoArchivio,
                                                   bool sovrascrivi, avanzamento::Avanzamento* avanzamento)
{
    if (dbEstrazioni_.aperto() && dbEstrazioni_.percorso() == percorsoArchivio)
        dbEstrazioni_.chiudi();
    // The official file comes zipped from its site: either form is taken as the user saved it.
    std::string testo, voce;
    try {
        testo = maintenance::leggiFileStorico(percorsoStorico, &voce);
    } catch (const maintenance::ErroreStorico& e) {
        throw archive::ErroreImportazione(e.what());
    }
    auto esito = archive::ImportaStoricoDaTesto(testo, percorsoStorico, percorsoArchivio, sovrascrivi, avanzamento, voce);
    (void)selezionaArchivio(percorsoArchivio);   // a choice not stored is in avvisoScelta()
    return esito;
}

void Sessione::carica(avanzamento::Avanzamento* avanzamento)
{
    archive::CaricaArchivio(archivio_, percorsoArchivio_, dbEstrazioni_, avanzamento);
    segnaArchivioCaricato();
}

namespace {

// Changes whenever another connection commits to the file; -1 when it cannot be read.
std::int64_t versioneDati(storage::Database& db)
{
    if (!db.aperto())
        return -1;
    try {
        auto s = db.prepara("PRAGMA data_version");
        return s.avanza() ? s.intero(0) : -1;
    } catch (const storage::ErroreDatabase&) {
        return -1;
    }
}

}

void Sessione::segnaArchivioCaricato() { versioneCaricata_ = versioneDati(dbEstrazioni_); }

bool Sessione::archivioSostituito()
{
    std::error_code e;
    return versioneCaricata_ >= 0 && dbEstrazioni_.spostato() && std::filesystem::is_regular_file(dbEstrazioni_.percorso(), e);
}

bool Sessione::archivioCambiatoFuori()
{
    if (versioneCaricata_ < 0)
        return false;
    if (archivioSostituito())
        return true;
    const std::int64_t ora = versioneDati(dbEstrazioni_);
    return ora >= 0 && ora != versioneCaricata_;
}

bool Sessione::ricaricaSeCambiatoFuori()
{
    if (archivioSostituito()) {
        // The connection still reads the file that was replaced, which nobody else sees any more:
        // the archive is the file now at the path. Until it has loaded, the old connection and the
        // draws in memory stay as they were.
        storage::Database nuovo;
        try {
            nuovo = storage::ApriArchivio(dbEstrazioni_.percorso());
        } catch (const storage::ErroreDatabase& e) {
            throw maintenance::ErroreScrittura(maintenance::ErroreScrittura::Tipo::Ricarica, e.what());
        }
        maintenance::CaricaArchivioExNovo(nuovo, archivio_);
        dbEstrazioni_ = std::move(nuovo);
        segnaArchivioCaricato();
        return true;
    }
    if (!archivioCambiatoFuori())
        return false;
    maintenance::CaricaArchivioExNovo(dbEstrazioni_, archivio_);
    segnaArchivioCaricato();
    return true;
}

void Sessione::chiudi()
{
    dbEstrazioni_.chiudi();
    dbProgramma_.chiudi();
}

}
