// The draws database: EstrazioniLotto, its index, the view Query_AAMMGG, date forms.
#include "storage/DrawsDb.h"

#include "regole/Data.h"
#include "sistema/Orologio.h"

#include <cctype>
#include <cstdio>
#include <ctime>

namespace storage {

void creaSchemaEstrazioni(Database& db)
{
    // The date is kept as "AAAA-MM-GG" so that text order is date order; the
    // check keeps any other form out, since the loader reads the text as it is.
    db.esegui("CREATE TABLE IF NOT EXISTS EstrazioniLotto ("
              " DataEstrazione TEXT NOT NULL"
              "  CHECK (DataEstrazione GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),"
              // TO is an SQL keyword: quoted here, and read qualified as EstrazioniLotto.To.
              " Ba TEXT, Ca TEXT, Fi TEXT, Ge TEXT, Mi TEXT, Na TEXT, Pa TEXT, Ro TEXT, \"To\" TEXT, Ve TEXT, Nz TEXT,"
              " datareg TEXT, orareg TEXT)");
    // The unique index is both the uniqueness of a date and the index that
    // archive maintenance seeks on.
    db.esegui("CREATE UNIQUE INDEX IF NOT EXISTS PrimaryKey ON EstrazioniLotto (DataEstrazione)");
    db.esegui("CREATE VIEW IF NOT EXISTS Query_AAMMGG AS SELECT"
              " CAST(substr(DataEstrazione, 1, 4) AS INTEGER) AS A,"
              " CAST(substr(DataEstrazione, 6, 2) AS INTEGER) AS M,"
              " CAST(substr(DataEstrazione, 9, 2) AS INTEGER) AS G"
              " FROM EstrazioniLotto");
}

Database ApriArchivio(const std::string& percorso)
{
    Database db(percorso, PasswordDatabase(), Database::Modo::SoloEsistente);
    if (!db.esisteTabella("EstrazioniLotto"))
        throw ErroreDatabase(ErroreDatabase::Tipo::NonDatabase,
                             "Il file \"" + percorso + "\" non è un archivio delle estrazioni (manca la tabella EstrazioniLotto)");
    return db;
}

namespace {
bool cifre(const std::string& s, std::size_t da, std::size_t n)
{
    for (std::size_t i = da; i < da + n; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
    return true;
}
}

std::string DataDaDb(const std::string& iso)
{
    // Only the order of the fields changes: a message can name a stored row whatever its day.
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-' || !cifre(iso, 0, 4) || !cifre(iso, 5, 2) || !cifre(iso, 8, 2))
        return {};
    return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4);
}

std::string DataPerDb(const std::string& ggmmaaaa)
{
    const auto d = regole::Data::leggi(ggmmaaaa);
    return d ? d->iso() : std::string();
}

bool DataValida(int anno, int mese, int giorno) { return regole::esiste(anno, mese, giorno); }

std::string motivoDataImplausibile(const std::string& iso)
{
    if (iso.size() != 10 || !cifre(iso, 0, 4))
        return "non è una data";
    if (iso.compare(0, 4, std::to_string(PrimoAnnoEstrazioni)) < 0)
        return "è anteriore al " + std::to_string(PrimoAnnoEstrazioni) + ", primo anno delle estrazioni del Lotto";
    const std::time_t adesso = std::time(nullptr);
    std::tm oggi{};
    if (!sistema::oraLocale(adesso, oggi))
        return {};
    char limite[32];
    std::snprintf(limite, sizeof limite, "%04d-%02d-%02d", oggi.tm_year + 1900 + 1, oggi.tm_mon + 1, oggi.tm_mday);
    if (iso > limite)
        return "è più di un anno dopo la data di oggi";
    return {};
}

}
