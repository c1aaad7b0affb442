// The operator evaluator: catalogue order, formulas, input ranges, and the fast path it rests on.
#include "engine/Operatori.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace engine {

namespace {

// Matching order of ElaboraPPP2; the enum below mirrors it position by position.
constexpr std::array<std::string_view, NumeroOperatori> Codici = {
    "DEC",  "FIG",  "CAD",  "DIAM", "DIDE", "VAL",  "1-2",  "MAG",  "MIN",  "SOMN", "SCA1",
    "SCA2", "D1U2", "U1D2", "C91",  "FIX",  "MAG5", "MIN5", "PIR",  "PIRN", "MED",  "MED2",
    "UAB",  "VERT", "SOM",  "SOM+", "DIST", "DIFF", "NUM",  "SIT",  "SIP",  "SID",  "NUEP",
    "PIRD", "QUAD", "RADQ", "SZAU", "PIGR", "PG12", "PER",  "DXU",  "XDXU", "UFIG", "PER+"};

enum Op : int {
    DEC, FIG, CAD, DIAM, DIDE, VAL, MENO12, MAG, MIN, SOMN, SCA1,
    SCA2, D1U2, U1D2, C91, FIX, MAG5, MIN5, PIR, PIRN, MED, MED2,
    UAB, VERT, SOM, SOMPIU, DIST, DIFF, NUM, SIT, SIP, SID, NUEP,
    PIRD, QUAD, RADQ, SZAU, PIGR, PG12, PER, DXU, XDXU, UFIG, PERPIU,
    FineOp
};
static_assert(FineOp == NumeroOperatori);
static_assert(CifrePiGreco.size() == 101);

// tens() and units() of a number written with two digits; a number that has no
// two-digit form cannot be split, and is refused rather than split at random.
void controllaDueCifre(int n)
{
    if (n < 0 || n > 99)
        throw ErroreCalcolo("numero senza forma a due cifre: " + std::to_string(n));
}
int decine(int n)
{
    controllaDueCifre(n);
    return n / 10;
}
int unita(int n)
{
    controllaDueCifre(n);
    return n % 10;
}

// Two-digit text ("07", "90") of a non-negative number; larger numbers keep all their digits.
void accodaDueCifre(std::string& testo, int n)
{
    if (n < 0)
        throw ErroreCalcolo("numero negativo in una piramide di cifre: " + std::to_string(n));
    if (n < 10)
        testo += '0';
    testo += std::to_string(n);
}

// Only draws 1..N exist: the tables beyond N hold zeros, which a whole-draw operator
// would otherwise turn into a plausible-looking number.
void controllaEstrazione(int d, const archive::Archivio& a)
{
    if (d < 1 || d > a.NumeroEstrazioni)
        throw ErroreCalcolo("estrazione fuori archivio: " + std::to_string(d) + " (l'archivio ha le estrazioni da 1 a "
                            + std::to_string(a.NumeroEstrazioni) + ")");
}
void controllaRuota(int r)
{
    if (r < 0 || r >= archive::NumeroRuote)
        throw ErroreCalcolo("ruota inesistente: " + std::to_string(r));
}
void controllaConteggio(int p, int minimo)
{
    if (p < minimo || p > 5)
        throw ErroreCalcolo("posizioni fuori intervallo: " + std::to_string(p));
}

// Sum of the numbers at positions 1..conteggio of one wheel of one draw.
long long sommaRuota(const archive::Archivio& a, int d, int r, int conteggio)
{
    long long s = 0;
    for (int p = 1; p <= conteggio; ++p)
        s += a.numero(d, r, p);
    return s;
}

// Sum of the integers from `primo` to `ultimo` in steps of 2 (0 when the range is empty).
long long sommaPasso2(long long primo, long long ultimo)
{
    if (primo > ultimo)
        return 0;
    const long long termini = (ultimo - primo) / 2 + 1;
    return (primo + ultimo) * termini / 2;
}

long long cifraPiGreco(int posizione)
{
    if (posizione < 1 || posizione > static_cast<int>(CifrePiGreco.size()))
        throw ErroreCalcolo("posizione fuori dalle cifre di pi greco: " + std::to_string(posizione));
    return CifrePiGreco[static_cast<std::size_t>(posizione - 1)] - '0';
}

// Product of a non-negative number and a factor given in thousandths, truncated.
long long perMillesimi(int n, int millesimi)
{
    if (n < 0)
        throw ErroreCalcolo("valore negativo da ridurre: " + std::to_string(n));
    return static_cast<long long>(n) * millesimi / 1000;
}

}

const std::vector<std::string_view>& CodiciCatalogo()
{
    static const std::vector<std::string_view> codici(Codici.begin(), Codici.end());
    return codici;
}

int IndiceOperatore(std::string_view codice)
{
    for (int i = 0; i < NumeroOperatori; ++i)
        if (Codici[static_cast<std::size_t>(i)] == codice)
            return i;
    return -1;
}

Ingressi LeggeOperatore(int indiceOperatore)
{
    Ingressi in;
    switch (indiceOperatore) {
    case DEC: case FIG: case CAD: case DIAM: case DIDE: case VAL: case C91: case VERT:
    case NUM: case NUEP: case QUAD: case RADQ: case SZAU: case PIGR: case DXU:
        in.N1 = true;
        break;
    case FIX:
        in.N1 = in.ValoreFisso = true;
        break;
    case MENO12: case MAG: case MIN: case SCA1: case SCA2: case D1U2: case U1D2: case PIR:
    case UAB: case SOM: case DIST: case DIFF: case SIT: case SIP: case SID: case PG12:
    case PER: case XDXU: case UFIG:
        in.N1 = in.N2 = true;
        break;
    case SOMPIU: case PERPIU:
        in.N1 = in.N2 = in.ValoreFisso = true;
        break;
    case SOMN: case MED: case PIRN:
        in.Estrazione = in.R1 = in.P1 = true;
        break;
    case MED2:
        in.Estrazione = in.R1 = in.P1 = in.R2 = in.P2 = true;
        break;
    case MAG5: case MIN5: case PIRD:
        in.Estrazione = in.R1 = true;
        break;
    default:
        break;
    }
    return in;
}

std::int16_t Valuta(int indiceOperatore, const ValoriOperatore& v, const archive::Archivio& a)
{
    const int n1 = v.N1;
    const int n2 = v.N2;
    switch (indiceOperatore) {
    case DEC: {
        const auto x = leggi(Decina, n1);
        return x == 0 ? 90 : x;
    }
    case FIG:
        return leggi(Figura, n1);
    case CAD: {
        const auto x = leggi(Cadenza, n1);
        return x == 0 ? 90 : x;
    }
    case DIAM:
        return leggi(Diametrale, n1);
    case DIDE:
        return leggi(DiametraleDecina, n1);
    case VAL:
        return comeIntero16(n1 == 0 ? 90 : n1);
    case MENO12:
        return differenzaCircolare(n1, n2);
    case MAG:
        return comeIntero16(n1 > n2 ? n1 : n2);
    case MIN:
        return comeIntero16(n1 <= n2 ? n1 : n2);
    case SOMN:
    case MED: {
        controllaEstrazione(v.EstrazioneCalcolo, a);
        controllaRuota(v.R1);
        controllaConteggio(v.P1, 1);
        const long long s = sommaRuota(a, v.EstrazioneCalcolo, v.R1, v.P1);
        return riduci90(indiceOperatore == SOMN ? s : s / v.P1);
    }
    case SCA1:
    case D1U2:
        return riduci90(10LL * decine(n1) + unita(n2));
    case SCA2:
        return riduci90(10LL * decine(n2) + unita(n1));
    case U1D2:
        return riduci90(10LL * unita(n1) + decine(n2));
    case C91:
        return complemento91(n1);
    case FIX:
        return riduci90(static_cast<long long>(n1) + v.ValoreFisso);
    case MAG5:
    case MIN5: {
        controllaEstrazione(v.EstrazioneCalcolo, a);
        controllaRuota(v.R1);
        const std::int16_t* numeri = a.ruota(v.EstrazioneCalcolo, v.R1);
        int x = indiceOperatore == MAG5 ? 0 : 99;
        for (int p = 1; p <= 5; ++p)
            x = indiceOperatore == MAG5 ? std::max<int>(x, numeri[p]) : std::min<int>(x, numeri[p]);
        return static_cast<std::int16_t>(x);
    }
    case PIR: {
        std::string testo;
        accodaDueCifre(testo, n1);
        accodaDueCifre(testo, n2);
        return piramideCifre(testo);
    }
    case PIRN: {
        controllaEstrazione(v.EstrazioneCalcolo, a);
        controllaRuota(v.R1);
        controllaConteggio(v.P1, 1);
        std::string testo;
        for (int p = 1; p <= v.P1; ++p)
            accodaDueCifre(testo, a.numero(v.EstrazioneCalcolo, v.R1, p));
        return piramideCifre(testo);
    }
    case MED2: {
        controllaEstrazione(v.EstrazioneCalcolo, a);
        // Either count may be 0 (that wheel adds nothing), but not both.
        controllaConteggio(v.P1, 0);
        controllaConteggio(v.P2, 0);
        if (v.P1 + v.P2 == 0)
            throw ErroreCalcolo("MED2 senza posizioni");
        long long s = 0;
        if (v.P1 > 0) {
            controllaRuota(v.R1);
            s += sommaRuota(a, v.EstrazioneCalcolo, v.R1, v.P1);
        }
        if (v.P2 > 0) {
            controllaRuota(v.R2);
            s += sommaRuota(a, v.EstrazioneCalcolo, v.R2, v.P2);
        }
        return riduci90(s / (v.P1 + v.P2));
    }
    case UAB: {
        if (n1 < 0 || n2 < 0)
            throw ErroreCalcolo("numero negativo da unire: " + std::to_string(n1 < 0 ? n1 : n2));
        long long scala = 10;
        while (scala <= n2)
            scala *= 10;
        return riduci90(static_cast<long long>(n1) * scala + n2);
    }
    case VERT:
        return leggi(Vertibile, n1);
    case SOM:
        return riduci90(static_cast<long long>(n1) + n2);
    case SOMPIU:
        return riduci90(static_cast<long long>(n1) + n2 + v.ValoreFisso);
    case DIST:
        return distanza(n1, n2);
    case DIFF:
        return differenzaAssoluta(n1, n2);
    case NUM:
    case NUEP:
        return comeIntero16(n1);
    case SIT:
    case SIP:
    case SID: {
        const long long basso = std::min(n1, n2);
        const long long alto = std::max(n1, n2);
        long long s = 0;
        if (indiceOperatore == SIT) {
            s = (basso + alto) * (alto - basso + 1) / 2;
        } else {
            const bool pari = indiceOperatore == SIP;
            // For negatives % gives -1 on odd numbers, so "!= 0" tests oddness either way.
            const bool bassoDispari = basso % 2 != 0;
            const bool altoDispari = alto % 2 != 0;
            const long long primo = basso + ((bassoDispari == pari) ? 1 : 0);
            const long long ultimo = alto - ((altoDispari == pari) ? 1 : 0);
            s = sommaPasso2(primo, ultimo);
        }
        return riduci90(s);
    }
    case PIRD: {
        controllaEstrazione(v.EstrazioneCalcolo, a);
        controllaRuota(v.R1);
        const std::int16_t* numeri = a.ruota(v.EstrazioneCalcolo, v.R1);
        std::string testo;
        for (int p = 1; p <= 4; ++p)
            accodaDueCifre(testo, std::abs(numeri[p] - numeri[p + 1]));
        return piramideCifre(testo);
    }
    case QUAD:
        return riduci90(static_cast<long long>(n1) * n1);
    case RADQ: {
        if (n1 < 0)
            throw ErroreCalcolo("radice quadrata di un numero negativo: " + std::to_string(n1));
        return riduci90(static_cast<long long>(std::sqrt(static_cast<double>(n1)) * 10.0));
    }
    case SZAU:
        return riduci90(perMillesimi(n1, FattoreAureoMillesimi));
    case PIGR:
        return riduci90(perMillesimi(n1, FattorePiGrecoMillesimi));
    case PG12:
        return riduci90(10 * cifraPiGreco(n1) + cifraPiGreco(n2));
    case PER:
        return riduci90(static_cast<long long>(n1) * n2);
    case PERPIU:
        return riduci90(static_cast<long long>(n1) * n2 + v.ValoreFisso);
    case DXU:
        return riduci90(static_cast<long long>(decine(n1)) * unita(n1));
    case XDXU:
        return riduci90(static_cast<long long>(decine(n1)) * decine(n2) + static_cast<long long>(unita(n1)) * unita(n2));
    case UFIG:
        return riduci90(10LL * leggi(Figura, n1) + leggi(Figura, n2));
    default:
        throw ErroreCalcolo("operatore inesistente: indice " + std::to_string(indiceOperatore));
    }
}

void ElaboraPPP2(CampiOperatore& campi, const archive::Archivio& archivio)
{
    const int indice = IndiceOperatore(campi.CodiceOperatore);
    if (indice < 0)
        return;   // an unknown code leaves Risultato as it was
    campi.Risultato = Valuta(indice, campi, archivio);
}

}
