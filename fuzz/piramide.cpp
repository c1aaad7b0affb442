// The brick file of calcola and abbinamenti, read into FgF and evaluated on a small archive.
#include "Supporto.h"

#include "cli/Comandi.h"
#include "cli/PiramideFile.h"
#include "workbench/Banco.h"
#include "workbench/Elabora.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione)
{
    const archive::Archivio& a = fuzz::archivioPiccolo();
    const std::string percorso = fuzz::comeFile(dati, dimensione, "piramide.txt");
    workbench::Banco b;
    workbench::apriBanco(b, a);
    try {
        cli::leggiFilePiramide(percorso, b.FgF);
    } catch (const cli::ErroreDati&) {
        return 0;
    }
    // A file the reader accepted is evaluated as calcola does.
    workbench::Calcola(b, a);
    return 0;
}
