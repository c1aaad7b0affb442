// The state the whole program shares from start-up to exit: program folder, both databases, configuration values.
#pragma once

#include "archive/Archivio.h"
#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "storage/Database.h"

#include <cstdint>
#include <string>

namespace session {

// One object per process, created by the entry point and handed to every window.
// It is the single owner of the draws database that archive maintenance writes to:
// PROCEDI makes the file it has just loaded the current one, so the draws shown and
// the draws written are always those of the same file.
class Sessione {
public:
    explicit Sessione(std::string cartellaProgramma, archive::Archivio& archivio = archive::archivioGlobale());

    const std::string& cartellaProgramma() const { return cartellaProgramma_; }
    archive::Archivio& archivio() { return archivio_; }

    // Opens (creating it when missing) "DbPiramide.db" in the program folder. Throws storage::ErroreDatabase.
    void apriDatabaseProgramma();
    storage::Database& dbProgramma() { return dbProgramma_; }

    // "PercorsoArchivio" into the in-memory path; empty when the row is missing.
    void leggiPercorsoArchivio();
    const std::string& percorsoArchivio() const { return percorsoArchivio_; }

    // Opens the draws database at the in-memory path as the current one; false when it cannot be opened.
    [[nodiscard]] bool apriArchivio();
    // Why the last apriArchivio failed (Italian, naming the file); empty after a success or with no path.
    const std::string& erroreArchivio() const { return erroreArchivio_; }
    // The draws database every later write goes to; closed until a file was opened.
    storage::Database& dbEstrazioni() { return dbEstrazioni_; }

    // Reads the site address for archive maintenance.
    void leggiIndirizzoInternet();
    const std::string& indirizzoInternet() const { return indirizzoInternet_; }
    void setIndirizzoInternet(std::string indirizzo) { indirizzoInternet_ = std::move(indirizzo); }

    // ImpostaInizialix: "EstrazioneIniziale" read with a leading-number parse and rounded.
    // Throws std::runtime_error for a value outside the 16-bit range of a draw index.
    void ImpostaInizialix();

    // The archive chosen by the user: in memory, in "PercorsoDatabase.txt" and in
    // "PercorsoArchivio" (not added when the row is missing), made absolute. The choice holds for
    // this run even when it cannot be stored; the result says so then (Italian, naming the file
    // that could not be written), and is empty when the choice was stored. avvisoScelta() keeps it.
    [[nodiscard]] std::string selezionaArchivio(const std::string& percorso);
    // What the last selection (direct, after apriESelezionaArchivio or creaDaStorico) could not store.
    const std::string& avvisoScelta() const { return avvisoScelta_; }

    // A file named outside SELEZIONE ARCHIVIO (velmora --archivio): opened first as the current draws
    // database, and selected as above only once it opened, so that a file which is not an archive
    // never takes the place of the stored choice. False when it does not open: the stored choice,
    // the in-memory path and the open database stay as they were, and erroreArchivio() says why.
    [[nodiscard]] bool apriESelezionaArchivio(const std::string& percorso);

    // Builds a new draws database at `percorsoArchivio` from the official historical file
    // (plain, or the zip its site publishes) and selects it. A file being replaced is first let go of, so no handle keeps
    // reading the old content. Throws archive::ErroreImportazione.
    archive::EsitoImportazione creaDaStorico(const std::string& percorsoStorico, const std::string& percorsoArchivio,
                                             bool sovrascrivi, avanzamento::Avanzamento* avanzamento = nullptr);

    // PROCEDI: loads every draw from the file at the in-memory path and makes that
    // file the current draws database. Throws archive::ErroreCaricamento (a file that
    // cannot be opened is reported the same way), or avanzamento::Interrotto when stopped.
    void carica(avanzamento::Avanzamento* avanzamento = nullptr);

    // FINE: closes both databases.
    void chiudi();

    // The draws in memory are those of the file as it was when last loaded: every load from
    // dbEstrazioni (PROCEDI, a reload after a write) marks that moment. True when another
    // connection (velmora-cli, another copy of the program) has committed to the file since;
    // writes through dbEstrazioni itself never count. Never while a work is using dbEstrazioni.
    void segnaArchivioCaricato();
    // Also true when the file was replaced by another (written beside it and renamed over it): then
    // dbEstrazioni still reads the old file. A file deleted or moved away is no change to load.
    [[nodiscard]] bool archivioCambiatoFuori();
    // The whole archive again from dbEstrazioni when archivioCambiatoFuori() (from the file now at
    // its path, opened anew, when it was replaced), the model archive
    // over every draw (EstrazioneIniziale kept), the moment marked: true when it reloaded.
    // Throws maintenance::ErroreScrittura (type Ricarica) when the file no longer loads; the draws
    // in memory then stay.
    bool ricaricaSeCambiatoFuori();

private:
    bool archivioSostituito();

    std::string cartellaProgramma_;
    archive::Archivio& archivio_;
    storage::Database dbProgramma_;
    storage::Database dbEstrazioni_;
    std::string percorsoArchivio_;
    std::string erroreArchivio_;
    std::string avvisoScelta_;
    std::string indirizzoInternet_;
    std::int64_t versioneCaricata_ = -1;   // PRAGMA data_version of dbEstrazioni at the last load
};

}
