// SALVA, MODIFICA, ELIMINA of one draw: one bound statement and the reload, committed together or not at all.
#include "maintenance/ScritturaEstrazioni.h"

#include "archive/CaricaArchivio.h"
#include "sistema/Orologio.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"

#include <sqlcipher/sqlite3.h>

#include <ctime>
#include <functional>

namespace maintenance {

namespace {

// The field names in wheel order; "To" is quoted because TO is a keyword of the engine.
constexpr const char* CampiRuote = "Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz";

std::string dataDb(const std::string& data)
{
    const std::string iso = storage::DataPerDb(data);
    if (iso.empty())
        throw ErroreScrittura(ErroreScrittura::Tipo::DataNonValida, "Data non valida: " + data);
    return iso;
}

// The unique index on the date is the only constraint a new row can break. Read while the
// failed statement's transaction is still open: the rollback clears the engine's error code.
ErroreScrittura::Tipo tipoErrore(storage::Database& db)
{
    const int codice = db.connessione() ? sqlite3_extended_errcode(db.connessione()) : 0;
    return codice == SQLITE_CONSTRAINT_UNIQUE || codice == SQLITE_CONSTRAINT_PRIMARYKEY
        ? ErroreScrittura::Tipo::DataGiaPresente
        : ErroreScrittura::Tipo::Database;
}

}

EsitoScrittura scriviERicarica(storage::Database& db, archive::Archivio& archivio,
                               const std::function<bool(storage::Database&)>& scrivi, avanzamento::Avanzamento* avanzamento)
{
    archive::Archivio nuovo;
    try {
        storage::Transazione t(db);
        bool scritta = false;
        try {
            scritta = scrivi(db);
        } catch (const storage::ErroreDatabase& e) {
            throw ErroreScrittura(tipoErrore(db), e.what());
        }
        if (!scritta)
            return EsitoScrittura::NonTrovata;   // rolled back: nothing was written
        nuovo.EstrazioneIniziale = 1;
        try {
            archive::CaricaArchivio(nuovo, db, avanzamento);
        } catch (const archive::ErroreCaricamento& e) {
            throw ErroreScrittura(ErroreScrittura::Tipo::Ricarica, e.what());
        }
        t.conferma();
    } catch (const storage::ErroreDatabase& e) {
        throw ErroreScrittura(ErroreScrittura::Tipo::Database, e.what());
    }
    nuovo.modelloCompleto();
    nuovo.EstrazioneIniziale = archivio.EstrazioneIniziale;
    archivio = std::move(nuovo);
    return EsitoScrittura::Fatta;
}

MomentoScrittura adesso()
{
    char data[16] = "";
    char ora[16] = "";
    const std::time_t t = std::time(nullptr);
    std::tm locale{};
    if (sistema::oraLocale(t, locale)) {
        std::strftime(data, sizeof data, "%Y-%m-%d", &locale);
        std::strftime(ora, sizeof ora, "%H:%M:%S", &locale);
    }
    return {data, ora};
}

EsitoScrittura salvaEstrazione(storage::Database& db, archive::Archivio& archivio, const std::string& data,
                               const Caselle& caselle, const MomentoScrittura& momento,
                               avanzamento::Avanzamento* avanzamento)
{
    const std::string iso = dataDb(data);
    return scriviERicarica(db, archivio, [&](storage::Database& d) {
        auto s = d.prepara(std::string("INSERT INTO EstrazioniLotto (DataEstrazione, ") + CampiRuote
                           + ", datareg, orareg) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)");
        s.lega(1, iso);
        for (int w = 0; w < archive::NumeroRuote; ++w)
            s.lega(w + 2, campoRuota(caselle, w));
        s.lega(13, momento.data).lega(14, momento.ora);
        s.esegui();
        return true;
    }, avanzamento);
}

EsitoScrittura modificaEstrazione(storage::Database& db, archive::Archivio& archivio, const std::string& data,
                                  const Caselle& caselle, const MomentoScrittura& momento,
                                  avanzamento::Avanzamento* avanzamento)
{
    const std::string iso = dataDb(data);
    return scriviERicarica(db, archivio, [&](storage::Database& d) {
        auto s = d.prepara("UPDATE EstrazioniLotto SET Ba = ?2, Ca = ?3, Fi = ?4, Ge = ?5, Mi = ?6, Na = ?7, Pa = ?8,"
                           " Ro = ?9, \"To\" = ?10, Ve = ?11, Nz = ?12, datareg = ?13, orareg = ?14"
                           " WHERE DataEstrazione = ?1");
        s.lega(1, iso);
        for (int w = 0; w < archive::NumeroRuote; ++w)
            s.lega(w + 2, campoRuota(caselle, w));
        s.lega(13, momento.data).lega(14, momento.ora);
        s.esegui();
        return d.modificate() > 0;
    }, avanzamento);
}

EsitoScrittura eliminaEstrazione(storage::Database& db, archive::Archivio& archivio, const std::string& data,
                                 avanzamento::Avanzamento* avanzamento)
{
    const std::string iso = dataDb(data);
    return scriviERicarica(db, archivio, [&](storage::Database& d) {
        auto s = d.prepara("DELETE FROM EstrazioniLotto WHERE DataEstrazione = ?1");
        s.lega(1, iso);
        s.esegui();
        return d.modificate() > 0;
    }, avanzamento);
}

void CaricaArchivioExNovo(storage::Database& db, archive::Archivio& archivio, avanzamento::Avanzamento* avanzamento)
{
    archive::Archivio nuovo;
    nuovo.EstrazioneIniziale = 1;
    try {
        archive::CaricaArchivio(nuovo, db, avanzamento);
    } catch (const archive::ErroreCaricamento& e) {
        throw ErroreScrittura(ErroreScrittura::Tipo::Ricarica, e.what());
    }
    nuovo.modelloCompleto();
    nuovo.EstrazioneIniziale = archivio.EstrazioneIniziale;
    archivio = std::move(nuovo);
}

}
