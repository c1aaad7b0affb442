// The program database: its tables, its first configuration rows, parameters, operators.
#include "storage/ProgramDb.h"

#include "sistema/Percorsi.h"
#include "storage/Sostituzione.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace storage {

namespace fs = std::filesystem;

namespace {

// Keys compare without case, as the look-up by index always did.
constexpr const char* SchemaParametri =
    "CREATE TABLE ParametriProgramma ("
    " Parametro TEXT NOT NULL COLLATE NOCASE,"
    " Valore1 TEXT,"
    " Valore2 TEXT)";
constexpr const char* IndiceParametri = "CREATE UNIQUE INDEX Primarykey ON ParametriProgramma (Parametro)";

// Operator codes compare exactly (case and spacing count in the evaluator).
constexpr const char* SchemaOperatori =
    "CREATE TABLE Operatori ("
    " Operatore TEXT NOT NULL PRIMARY KEY,"
    " Tipo INTEGER,"
    " R1 TEXT, P1 TEXT, R2 TEXT, P2 TEXT,"
    " Spiegazione TEXT)";

constexpr const char* SchemaPiramidiElenco =
    "CREATE TABLE PiramidiElenco ("
    " IDPiramide INTEGER PRIMARY KEY AUTOINCREMENT,"
    " Denominazione TEXT,"
    " Estrazione INTEGER,"
    " Ruota INTEGER,"
    " RuoteG TEXT,"
    " Colpi INTEGER,"
    " Posizioni TEXT,"
    " Numeri TEXT,"
    " QN INTEGER,"
    " NumCasi INTEGER,"
    " TipoRil INTEGER,"
    " Mensile INTEGER)";

// E2 and R2 stay NULL for bricks with one reference.
constexpr const char* SchemaPiramideComposizione =
    "CREATE TABLE PiramideComposizione ("
    " Idrec INTEGER PRIMARY KEY AUTOINCREMENT,"
    " IDPiramide INTEGER,"
    " Riga INTEGER,"
    " Tras TEXT,"
    " tipo INTEGER,"
    " E1 INTEGER, R1 INTEGER,"
    " E2 INTEGER, R2 INTEGER,"
    " valore REAL)";
constexpr const char* IndiceComposizione = "CREATE INDEX PiramideComposizioneId ON PiramideComposizione (IDPiramide)";

// Kept for the files' layout; nothing reads or writes them.
constexpr const char* SchemaSalvataggi =
    "CREATE TABLE Salvataggi ("
    " IdSalvataggio INTEGER PRIMARY KEY AUTOINCREMENT,"
    " Denominazione TEXT, Data TEXT, Contenuto TEXT)";
// A play: Data is its first draw (GG/MM/AAAA), Ruote the wheel codes joined by ",", Numeri the
// numbers joined by "-", Poste the stakes in cents of estratto..cinquina joined by "/", Annunciata
// the date of the last win the player was told of, Gruppo the IdGiocata of the first play of the
// system the play is a ticket of (empty for a play on its own). The columns after Note came with the plays
// window: an older file gets them by ALTER TABLE, its rows kept.
constexpr const char* SchemaGiocate =
    "CREATE TABLE Giocate ("
    " IdGiocata INTEGER PRIMARY KEY AUTOINCREMENT,"
    " Data TEXT, Ruote TEXT, Numeri TEXT, Note TEXT)";
constexpr std::pair<const char*, const char*> ColonneGiocateAggiunte[] = {
    {"Poste", "TEXT"}, {"Colpi", "INTEGER"}, {"FinoPrimaVincita", "INTEGER"}, {"Annunciata", "TEXT"}, {"Gruppo", "INTEGER"}};
constexpr const char* SchemaImpostazioni =
    "CREATE TABLE Impostazioni ("
    " Chiave TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,"
    " Valore TEXT)";

bool esisteColonna(Database& db, const std::string& tabella, const std::string& colonna)
{
    // The table's columns as a query names them (the name is ours, never the user's).
    auto s = db.prepara("SELECT * FROM " + tabella + " LIMIT 0");
    for (int c = 0; c < s.numeroColonne(); ++c)
        if (s.nomeColonna(c) == colonna)
            return true;
    return false;
}

}

void creaSchemaProgramma(Database& db)
{
    Transazione t(db);
    const bool nuoviParametri = !db.esisteTabella("ParametriProgramma");
    const bool nuoviOperatori = !db.esisteTabella("Operatori");
    if (nuoviParametri) {
        db.esegui(SchemaParametri);
        db.esegui(IndiceParametri);
        auto ins = db.prepara("INSERT INTO ParametriProgramma (Parametro, Valore1, Valore2) VALUES (?1, ?2, '')");
        for (const auto& [chiave, valore] : {std::pair{"PercorsoArchivio", ""}, std::pair{"EstrazioneIniziale", "1"},
                                             std::pair{"IndirizzoInternet", ""}, std::pair{"PercorsoDati.iii", ""},
                                             // Empty: no update server configured; the Quintavo folder in the home.
                                             std::pair{"ServerAggiornamenti", ""}, std::pair{"PercorsoQuintavo", ""}}) {
            ins.lega(1, chiave).lega(2, valore);
            ins.esegui();
        }
    }
    // Rows younger than the table: a database made by an earlier version gets them with their default,
    // so that RENDE PREDEFINITO finds a row to write.
    {
        auto ins = db.prepara("INSERT INTO ParametriProgramma (Parametro, Valore1, Valore2) SELECT ?1, ?2, '' WHERE NOT EXISTS"
                              " (SELECT 1 FROM ParametriProgramma WHERE Parametro = ?1)");
        ins.lega(1, "StoricoUfficiale").lega(2, IndirizzoStoricoUfficiale);
        ins.esegui();
        // What the Lotto pays per euro of stake and the levy on winnings: they change by law.
        for (std::size_t i = 0; i < std::size(ParametriVincite); ++i) {
            ins.lega(1, ParametriVincite[i]).lega(2, valoreParametroVincite(i, regole::PremiLotto));
            ins.esegui();
        }
    }
    if (nuoviOperatori) {
        db.esegui(SchemaOperatori);
        auto ins = db.prepara("INSERT INTO Operatori (Operatore, Tipo, R1, P1, R2, P2, Spiegazione)"
                              " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
        for (const RigaOperatore& r : CatalogoPredefinito()) {
            ins.lega(1, r.operatore).lega(2, r.tipo).lega(3, r.r1).lega(4, r.p1).lega(5, r.r2).lega(6, r.p2).lega(7, r.spiegazione);
            ins.esegui();
        }
    }
    if (!db.esisteTabella("PiramidiElenco"))
        db.esegui(SchemaPiramidiElenco);
    if (!db.esisteTabella("PiramideComposizione")) {
        db.esegui(SchemaPiramideComposizione);
        db.esegui(IndiceComposizione);
    }
    if (!db.esisteTabella("Salvataggi"))
        db.esegui(SchemaSalvataggi);
    if (!db.esisteTabella("Giocate"))
        db.esegui(SchemaGiocate);
    for (const auto& [colonna, tipo] : ColonneGiocateAggiunte)
        if (!esisteColonna(db, "Giocate", colonna))
            db.esegui(std::string("ALTER TABLE Giocate ADD COLUMN ") + colonna + " " + tipo);
    if (!db.esisteTabella("Impostazioni"))
        db.esegui(SchemaImpostazioni);
    t.conferma();
}

Database ApriDatabaseProgramma(const std::string& cartellaProgramma)
{
    const fs::path file = sistema::percorso(cartellaProgramma) / NomeDatabaseProgramma;
    const std::string percorso = sistema::testo(file);
    std::error_code ec;
    // An empty file is what a creation in place cut short used to leave: it is built anew.
    const bool nuovo = !fs::exists(fs::symlink_status(file, ec)) || (fs::is_regular_file(file, ec) && fs::file_size(file, ec) == 0);
    if (nuovo) {
        // Built beside its place and renamed when complete: a creation cut short (a full disk,
        // the process killed) never leaves a half-made database to be found at the next start.
        try {
            Sostituzione sostituzione(percorso, true);
            {
                Database db(sostituzione.provvisorio(), PasswordDatabase(), Database::Modo::CreaSeManca, percorso);
                creaSchemaProgramma(db);
            }
            sostituzione.conferma();
        } catch (const ErroreSostituzione& e) {
            throw ErroreDatabase(ErroreDatabase::Tipo::PercorsoErrato, e.what());
        }
    }
    Database db(percorso, PasswordDatabase(), Database::Modo::SoloEsistente);
    // A table lost from an existing file is created again; the rows of the others stay.
    creaSchemaProgramma(db);
    return db;
}

std::optional<std::string> LeggiParametro(Database& db, const std::string& chiave)
{
    auto s = db.prepara("SELECT Valore1 FROM ParametriProgramma WHERE Parametro = ?1");
    s.lega(1, chiave);
    if (!s.avanza())
        return std::nullopt;
    return s.testo(0);
}

void ScriviParametro(Database& db, const std::string& chiave, const std::string& valore)
{
    auto s = db.prepara("UPDATE ParametriProgramma SET Valore1 = ?2 WHERE Parametro = ?1");
    s.lega(1, chiave).lega(2, valore);
    s.esegui();
}

std::string LeggiIndirizzoInternet(Database& db)
{
    auto s = db.prepara("SELECT ParametriProgramma.Parametro, ParametriProgramma.Valore1, ParametriProgramma.Valore2 "
                        "From ParametriProgramma ORDER BY ParametriProgramma.Parametro");
    while (s.avanza())
        if (s.vista(0) == "IndirizzoInternet")
            return s.testo(1);
    return {};
}

bool ScriviPercorsoDatabase(const std::string& cartellaProgramma, const std::string& percorso)
{
    try {
        Sostituzione sostituzione(sistema::testo(sistema::percorso(cartellaProgramma) / NomeFilePercorso), true);
        std::ofstream f(sistema::percorso(sostituzione.provvisorio()), std::ios::binary | std::ios::trunc);
        f << '"' << percorso << "\"\n";
        f.close();
        if (!f)
            return false;
        sostituzione.conferma();
        return true;
    } catch (const ErroreSostituzione&) {
        return false;
    }
}

std::vector<RigaOperatore> LeggiOperatori(Database& db)
{
    std::vector<RigaOperatore> righe;
    auto s = db.prepara("SELECT Operatore, Tipo, R1, P1, R2, P2, Spiegazione FROM Operatori ORDER BY Operatore");
    while (s.avanza()) {
        RigaOperatore r;
        r.operatore = s.testo(0);
        r.tipo = static_cast<int>(s.intero(1));
        r.r1 = s.testo(2);
        r.p1 = s.testo(3);
        r.r2 = s.testo(4);
        r.p2 = s.testo(5);
        r.spiegazione = s.testo(6);
        righe.push_back(std::move(r));
    }
    return righe;
}

std::string valoreParametroVincite(std::size_t i, const regole::TabellaPremi& tabella)
{
    return regole::testoCentesimi(i < tabella.paga.size() ? tabella.paga[i] : tabella.ritenuta);
}

}
