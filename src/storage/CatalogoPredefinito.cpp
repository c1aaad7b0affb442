// The operator catalogue that every new program database receives (plain data).
#include "storage/ProgramDb.h"

namespace storage {

namespace {
// Flags by input class: which of R1, P1, R2, P2 the player sets for a brick.
//   1, 3: one number (R1, P1), or a whole wheel with P1 as a count;
//   2, 7: two numbers (R1, P1, R2, P2); 6: a whole wheel (R1 only).
RigaOperatore riga(const char* codice, int tipo, const char* spiegazione)
{
    const bool secondo = tipo == 2 || tipo == 7;
    const bool posizione = tipo != 6;
    return RigaOperatore{codice, tipo, "Si", posizione ? "Si" : "", secondo ? "Si" : "", secondo ? "Si" : "", spiegazione};
}
}

const std::vector<RigaOperatore>& CatalogoPredefinito()
{
    // In the evaluator's order of matching, so that a reader can follow both side by side.
    static const std::vector<RigaOperatore> catalogo = {
        riga("DEC", 1, "Decina cabalistica del numero (0 diventa 90)"),
        riga("FIG", 1, "Figura del numero (1-9)"),
        riga("CAD", 1, "Cadenza del numero (0 diventa 90)"),
        riga("DIAM", 1, "Diametrale del numero (+45 o -45)"),
        riga("DIDE", 1, "Diametrale nella decina del numero"),
        riga("VAL", 1, "Valore del numero (0 diventa 90)"),
        riga("1-2", 2, "Differenza circolare tra il primo e il secondo numero"),
        riga("MAG", 2, "Il maggiore dei due numeri"),
        riga("MIN", 2, "Il minore dei due numeri"),
        riga("SOMN", 1, "Somma i primi P1 numeri della ruota (fuori 90)"),
        riga("SCA1", 2, "Decina del primo e unità del secondo numero (fuori 90)"),
        riga("SCA2", 2, "Decina del secondo e unità del primo numero (fuori 90)"),
        riga("D1U2", 2, "Decina del primo e unità del secondo numero (fuori 90)"),
        riga("U1D2", 2, "Unità del primo e decina del secondo numero (fuori 90)"),
        riga("C91", 1, "Complemento a 91 del numero"),
        riga("FIX", 3, "Aggiunge il fisso al numero (fuori 90)"),
        riga("MAG5", 6, "Il numero maggiore della ruota"),
        riga("MIN5", 6, "Il numero minore della ruota"),
        riga("PIR", 2, "Piramide delle cifre di 2 numeri"),
        riga("PIRN", 1, "Piramide delle cifre dei primi P1 numeri della ruota"),
        riga("MED", 1, "Media dei primi P1 numeri della ruota (fuori 90)"),
        riga("MED2", 2, "Media dei primi P1 numeri di R1 e dei primi P2 di R2 (fuori 90)"),
        riga("UAB", 2, "Unisce le cifre di 2 numeri (fuori 90)"),
        riga("VERT", 1, "Vertibile del numero"),
        riga("SOM", 2, "Somma due numeri (fuori 90)"),
        riga("SOM+", 7, "Somma due numeri e aggiunge fisso"),
        riga("DIST", 2, "Distanza ciclometrica tra due numeri (1-45)"),
        riga("DIFF", 2, "Differenza assoluta tra due numeri (0 diventa 90)"),
        riga("NUM", 1, "Il numero stesso"),
        riga("SIT", 2, "Somma tutti i numeri compresi tra i due (fuori 90)"),
        riga("SIP", 2, "Somma i numeri pari compresi tra i due (fuori 90)"),
        riga("SID", 2, "Somma i numeri dispari compresi tra i due (fuori 90)"),
        riga("NUEP", 1, "Il numero estratto nella posizione"),
        riga("PIRD", 6, "Piramide delle cifre delle distanze tra i numeri della ruota"),
        riga("QUAD", 1, "Quadrato del numero (fuori 90)"),
        riga("RADQ", 1, "Radice quadrata del numero per 10 (fuori 90)"),
        riga("SZAU", 1, "Numero per la sezione aurea 10,618 (fuori 90)"),
        riga("PIGR", 1, "Numero per pi greco 3,141 (fuori 90)"),
        riga("PG12", 2, "Cifre di pi greco nelle posizioni dei 2 numeri (fuori 90)"),
        riga("PER", 2, "Moltiplica 2 numeri (fuori 90)"),
        riga("DXU", 1, "Decina per unità del numero (fuori 90)"),
        riga("XDXU", 2, "Decine per decine più unità per unità di 2 numeri (fuori 90)"),
        riga("UFIG", 2, "Unisce le figure di 2 numeri (F90)"),
        riga("PER+", 7, "Moltiplica 2 numeri e aggiunge fisso"),
    };
    return catalogo;
}

}
