// The writes of a draw to EstrazioniLotto (SALVA, MODIFICA, ELIMINA) and the reload that follows them.
#pragma once

#include "archive/Archivio.h"
#include "avanzamento/Avanzamento.h"
#include "archive/CaricaArchivio.h"
#include "maintenance/Caselle.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace storage { class Database; }

namespace maintenance {

// Why a write did not happen. The text is for the developer; the window shows its own message.
class ErroreScrittura : public std::runtime_error {
public:
    enum class Tipo {
        DataGiaPresente,   // SALVA of a date already stored
        DataNonValida,     // the date is not a real "GG/MM/AAAA" day
        Database,          // any other error of the engine
        Ricarica           // the table, once written, would not load (more than 9999 draws, a bad row)
    };
    ErroreScrittura(Tipo tipo, const std::string& messaggio) : std::runtime_error(messaggio), tipo_(tipo) {}
    Tipo tipo() const { return tipo_; }

private:
    Tipo tipo_;
};

// When a row was written: datareg "AAAA-MM-GG" and orareg "HH:MM:SS".
struct MomentoScrittura {
    std::string data;
    std::string ora;
};
// The current local date and time.
MomentoScrittura adesso();

// What a write changed.
enum class EsitoScrittura {
    Fatta,        // the row was written and the archive reloaded
    NonTrovata    // MODIFICA or ELIMINA found no row with that date: nothing changed
};

// Each write is one statement with bound parameters, run in a transaction together with the
// reload of `archivio` from the same database (CaricaArchivioExNovo): only when the table
// loads again is the write committed and the new archive put in place, with the model archive
// over every draw. On any failure the table and `archivio` are left as they were and
// ErroreScrittura is thrown. `data` is the draw's date as "GG/MM/AAAA". The reload reports on bar 1
// of `avanzamento`; a stop requested there rolls the write back (avanzamento::Interrotto).

// SALVA ESTRAZIONE: a new row dated `data` with the wheel texts of `caselle`.
EsitoScrittura salvaEstrazione(storage::Database& db, archive::Archivio& archivio, const std::string& data,
                               const Caselle& caselle, const MomentoScrittura& momento = adesso(),
                               avanzamento::Avanzamento* avanzamento = nullptr);
// MODIFICA ESTRAZIONE: the wheel texts of the row dated `data`; its date stays.
EsitoScrittura modificaEstrazione(storage::Database& db, archive::Archivio& archivio, const std::string& data,
                                  const Caselle& caselle, const MomentoScrittura& momento = adesso(),
                                  avanzamento::Avanzamento* avanzamento = nullptr);
// ELIMINA ESTRAZIONE: the row dated `data`.
EsitoScrittura eliminaEstrazione(storage::Database& db, archive::Archivio& archivio, const std::string& data,
                                 avanzamento::Avanzamento* avanzamento = nullptr);

// The transaction every write shares: `scrivi` (bound statements; false when it found nothing to
// write, which rolls back) and the reload of `archivio` from the same database, committed
// together. An engine error of `scrivi` is ErroreScrittura of type DataGiaPresente or Database.
// The reload reports on bar 1 of `avanzamento`.
EsitoScrittura scriviERicarica(storage::Database& db, archive::Archivio& archivio,
                               const std::function<bool(storage::Database&)>& scrivi,
                               avanzamento::Avanzamento* avanzamento = nullptr);

// CaricaArchivioExNovo: the whole archive again from `db`, the model archive over every draw.
// The new tables replace `archivio` only when the load succeeded (throws ErroreScrittura
// of type Ricarica otherwise). EstrazioneIniziale keeps its configured value. The load reports on
// bar 1 of `avanzamento`.
void CaricaArchivioExNovo(storage::Database& db, archive::Archivio& archivio, avanzamento::Avanzamento* avanzamento = nullptr);

}
