// velmora-cli genera-demo: writes the demonstration archive (simulated numbers on the real calendar).
#include "archive/ArchivioDimostrativo.h"
#include "cli/Comandi.h"

#include <ostream>

namespace {

int generaDemo(const cli::Argomenti& a, std::istream&, std::ostream& out, std::ostream& err)
{
    a.soloOpzioni({"--fine", "--massimo"});
    if (a.posizionali().size() != 1)
        throw cli::ErroreUso("indicare il file da creare");
    archive::OpzioniDimostrativo o;
    o.fine = a.valore("--fine", o.fine);
    if (const auto m = a.intero("--massimo")) {
        if (*m < 1 || *m > 9999)
            throw cli::ErroreUso("--massimo deve essere tra 1 e 9999");
        o.massimo = static_cast<int>(*m);
    }
    archive::EsitoDimostrativo e;
    try {
        e = archive::CreaArchivioDimostrativo(a.posizionali()[0], o);
    } catch (const std::invalid_argument& ex) {
        throw cli::ErroreUso(ex.what());
    } catch (const std::exception& ex) {
        throw cli::ErroreDati(ex.what());
    }
    out << "Archivio dimostrativo (numeri simulati) creato: " << e.estrazioni << " estrazioni dal " << e.prima
        << " al " << e.ultima << "\n";
    err.flush();
    return cli::EsitoOk;
}

const cli::Registrazione registrazione({
    "genera-demo",
    "crea l'archivio dimostrativo (numeri simulati sul calendario reale)",
    "Uso: velmora-cli genera-demo FILE.db [--fine AAAA-MM-GG] [--massimo N]\n"
    "Crea un archivio delle estrazioni con il calendario reale del Lotto (dal 7/1/1939, ruota\n"
    "Nazionale dal 2005) e numeri SIMULATI, non le estrazioni reali: serve a provare il programma.\n"
    "Il contenuto è sempre lo stesso. Un file esistente viene sostituito.\n"
    "  --fine     ultimo giorno del calendario (predefinito 2026-08-22)\n"
    "  --massimo  numero massimo di estrazioni\n",
    generaDemo,
    {},
});

}
