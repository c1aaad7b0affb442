// The Impostazioni table of the program database.
#include "storage/Impostazioni.h"

namespace storage {

std::optional<std::string> LeggiImpostazione(Database& db, const std::string& chiave)
{
    auto s = db.prepara("SELECT Valore FROM Impostazioni WHERE Chiave = ?1");
    s.lega(1, chiave);
    if (!s.avanza())
        return std::nullopt;
    return s.testo(0);
}

void ScriviImpostazione(Database& db, const std::string& chiave, const std::string& valore)
{
    // The key is NOCASE: a differently spelled key replaces the same row.
    auto s = db.prepara("INSERT OR REPLACE INTO Impostazioni (Chiave, Valore) VALUES (?1, ?2)");
    s.lega(1, chiave).lega(2, valore);
    s.esegui();
}

}
