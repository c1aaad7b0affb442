// The texts a user types in archive maintenance: dates "GG/MM/AAAA", the n° indice, the entry boxes.
#include "Supporto.h"

#include "maintenance/Caselle.h"
#include "maintenance/Consultazione.h"
#include "storage/DrawsDb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    const archive::Archivio& a = fuzz::archivioPiccolo();
    const std::string testo(fuzz::comeTesto(dati, dimensione));

    const std::string iso = storage::DataPerDb(testo);
    // A date the database accepts comes back unchanged.
    if (!iso.empty() && storage::DataDaDb(iso) != testo)
        __builtin_trap();
    storage::DataDaDb(testo);
    if (const auto d = maintenance::cercaDataDallaFine(a, testo); d && (*d < 1 || *d > a.NumeroEstrazioni))
        __builtin_trap();
    maintenance::cercaDataModello(a, testo);

    if (const auto i = maintenance::leggiIndice(testo, 1, a.NumeroEstrazioni); i && (*i < 1 || *i > a.NumeroEstrazioni))
        __builtin_trap();
    const std::string ammesso = maintenance::testoAmmesso(testo);
    maintenance::formatoUscita(ammesso);
    maintenance::valoreCasella(testo);
    const unsigned char primo = dimensione > 0 ? dati[0] : 0;
    const int casella = 1 + primo % maintenance::NumeroCaselle;
    const auto tasto = static_cast<maintenance::Tasto>(primo / maintenance::NumeroCaselle % 5);
    const auto effetto = maintenance::effettoTasto(casella, testo, tasto);
    if (effetto.focus < 1 || effetto.focus > maintenance::NumeroCaselle)
        __builtin_trap();
    return 0;
}
