// The draws an update left missing before later draws it added.
#include "maintenance/Lacune.h"

#include "storage/DrawsDb.h"

#include <algorithm>
#include <set>

namespace maintenance {

std::vector<std::string> estrazioniRimasteMancanti(const RigheImporta& righe, const archive::Archivio& archivio)
{
    std::set<std::string> presenti;   // "AAAA-MM-GG": ordered as dates
    for (int d = 1; d <= archivio.NumeroEstrazioni; ++d)
        presenti.insert(storage::DataPerDb(archivio.DateEstrazioni[static_cast<std::size_t>(d)]));
    presenti.erase(std::string());
    if (presenti.empty())
        return {};
    const std::string ultima = *presenti.rbegin();
    std::vector<std::pair<std::string, std::string>> mancanti;
    for (const auto& riga : righe) {
        if (riga.azione != Azione::Aggiungi)
            continue;
        const std::string& data = riga.data;
        const std::string iso = storage::DataPerDb(data);
        if (!iso.empty() && iso < ultima && !presenti.count(iso))
            mancanti.emplace_back(iso, data);
    }
    std::sort(mancanti.begin(), mancanti.end());
    mancanti.erase(std::unique(mancanti.begin(), mancanti.end()), mancanti.end());
    std::vector<std::string> elenco;
    for (const auto& [iso, data] : mancanti)
        elenco.push_back("Manca ancora l'estrazione del " + data + ": la sua riga non è stata salvata e l'archivio ha "
                         "estrazioni successive");
    return elenco;
}

}
