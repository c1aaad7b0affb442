// The options of velmora-cli's workbench commands, read into the workbench and used to derive the cases.
#include "Supporto.h"

#include "cli/Comandi.h"
#include "cli/ImpostazioniCli.h"
#include "workbench/Casi.h"

// The input is the command line: words separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    const archive::Archivio& a = fuzz::archivioPiccolo();
    const auto parole = fuzz::parti(fuzz::comeTesto(dati, dimensione), '\0');
    workbench::Banco b;
    try {
        const cli::Argomenti args(parole, cli::flagBanco());
        args.soloOpzioni(cli::opzioniBanco());
        for (const auto& o : cli::opzioniBanco())
            if (o != "--forza-ultima" && o != "--archivio" && o != "--ruota" && o != "--ruote" && o != "--posizioni"
                && o != "--rilevazione" && o != "--numeri" && o != "--mensile")
                args.intero(o);
        for (const auto& p : args.posizionali()) {
            cli::interoEsatto(p);
            cli::dividi(p, ',');
        }
        cli::leggiImpostazioni(args, a, b);
    } catch (const cli::ErroreUso&) {
        return 0;
    }
    workbench::RicavaEstrazioni(b, a);
    return 0;
}
