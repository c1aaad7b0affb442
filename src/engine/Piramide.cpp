// Pyramid evaluation on a draw and the layout of the composition grids.
#include "engine/Piramide.h"

#include "engine/Formula.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace engine {

namespace {
// First brick of each level 1..5 (entry 0 unused).
constexpr std::array<int, 6> PrimoDelLivello = {0, 1, 2, 4, 7, 11};
}

std::int16_t intero16(double valore)
{
    // Checked before the conversion: a double outside the target's range converts to nothing defined.
    if (!(valore > -32769.0 && valore < 32768.0))
        throw ErroreCalcolo("valore fuori intervallo: " + std::to_string(valore));
    return static_cast<std::int16_t>(valore);
}

int rigaMattone(int m)
{
    for (int k = 5; k >= 1; --k)
        if (m >= PrimoDelLivello[k])
            return k;
    return 0;
}

int postoMattone(int m) { return m - PrimoDelLivello[rigaMattone(m)] + 1; }

int primoMattone(int livello) { return PrimoDelLivello[livello]; }

int ultimoMattone(int livello) { return PrimoDelLivello[livello] + livello - 1; }

std::int16_t numeroControllato(const archive::Archivio& a, int d, int w, int p)
{
    if (d < 1 || d > a.NumeroEstrazioni)
        throw ErroreCalcolo("estrazione fuori archivio: " + std::to_string(d));
    if (w < 0 || w >= archive::NumeroRuote)
        throw ErroreCalcolo("ruota fuori intervallo: " + std::to_string(w));
    if (p < 1 || p > 5)
        throw ErroreCalcolo("posizione fuori intervallo: " + std::to_string(p));
    return a.numero(d, w, p);
}

bool preparaIngressi(int tipo, CampiOperatore& c, int d, int numeroDiretto, const archive::Archivio& a)
{
    switch (tipo) {
    case 1:
    case 3:
        c.N1 = numeroControllato(a, d, c.R1, c.P1);
        return true;
    case 2:
    case 7:
        c.N1 = numeroControllato(a, d, c.R1, c.P1);
        c.N2 = numeroControllato(a, d, c.R2, c.P2);
        return true;
    case 4:
        c.N1 = intero16(numeroDiretto);
        return true;
    case 5:
        c.N1 = numeroControllato(a, d - c.ValoreFisso, c.R1, c.P1);
        return true;
    case 6:
        if (d < 1 || d > a.NumeroEstrazioni)
            throw ErroreCalcolo("estrazione fuori archivio: " + std::to_string(d));
        return true;
    default:
        return false;
    }
}

std::optional<std::string> controllaSigla(std::string_view testo)
{
    if (archive::IndiceRuota(testo))
        return std::nullopt;
    return "Sigla ruota non riconosciuta: usare BA, CA, FI, GE, MI, NA, PA, RO, TO, VE o NZ.";
}

namespace {
bool interoFra(std::string_view testo, int minimo, int massimo)
{
    int v = 0;
    const auto [fine, ec] = std::from_chars(testo.data(), testo.data() + testo.size(), v);
    return ec == std::errc() && fine == testo.data() + testo.size() && v >= minimo && v <= massimo;
}
}

std::optional<std::string> controllaPosizione(std::string_view testo)
{
    if (testo.empty() || interoFra(testo, 1, 5))
        return std::nullopt;
    return "La posizione deve essere un numero da 1 a 5.";
}

std::optional<std::string> controllaValore(std::string_view testo)
{
    if (testo.empty() || interoFra(testo, 0, 90))
        return std::nullopt;
    return "Il valore deve essere un numero da 0 a 90.";
}

namespace {
// R from the abbreviation RU: an empty abbreviation keeps the index as typed, an unknown
// one is refused (false) so no previous index is reused.
bool ruotaDaSigla(const std::string& sigla, std::optional<int>& ruota)
{
    if (sigla.empty())
        return true;
    const auto w = archive::IndiceRuota(sigla);
    if (!w)
        return false;
    ruota = *w;
    return true;
}
}

std::optional<ErroreMattone> ValutaPiramide(std::vector<Mattone>& FgF, int d, int valoreLista, const archive::Archivio& a,
                                            std::array<std::string, 16>& Lbl0)
{
    const int n = std::min(NumeroMattoni, static_cast<int>(FgF.size()));
    std::array<bool, NumeroMattoni + 1> sigleValide{};
    for (int m = 1; m <= n; ++m) {
        Mattone& b = FgF[static_cast<std::size_t>(m - 1)];
        if (!b.vuoto())
            sigleValide[m] = ruotaDaSigla(b.RU1, b.R1) && ruotaDaSigla(b.RU2, b.R2);
    }

    for (int m = 1; m <= n; ++m) {
        const Mattone& b = FgF[static_cast<std::size_t>(m - 1)];
        if (b.vuoto())
            continue;
        try {
            if (!sigleValide[m])
                throw ErroreCalcolo("sigla ruota non riconosciuta");
            Formula f = leggiMattone(b);
            // The pyramid takes VAL for classes 3 and 7 only; the number of class 4 and
            // the delay of class 5 come from ListVal.
            if (f.tipo == 4 || f.tipo == 5) {
                if (valoreLista < 0 || valoreLista > 90)
                    throw ErroreCalcolo("nessun valore scelto nella lista");
                f.valore = valoreLista;
            } else if (f.tipo != 3 && f.tipo != 7) {
                f.valore = 0;
            }
            CampiOperatore c = campiDi(f);
            if (!preparaSu(f, c, d, a))
                continue;   // an unknown class is skipped and its label keeps its text
            // The evaluator leaves Risultato untouched for a code outside the catalogue;
            // the label then shows nothing rather than a number the brick never computed.
            if (IndiceOperatore(c.CodiceOperatore) < 0) {
                Lbl0[m].clear();
                continue;
            }
            ElaboraPPP2(c, a);
            Lbl0[m] = std::to_string(c.Risultato);
        } catch (const std::exception& e) {
            return ErroreMattone{m, e.what()};
        }
    }
    return std::nullopt;
}

void SettaGridFGF(std::vector<Mattone>& mattoni)
{
    for (std::size_t i = 0; i < mattoni.size(); ++i)
        mattoni[i].numero = static_cast<int>(i) + 1;
}

void SettaGridFGF(std::vector<Mattone>& FgF, std::vector<Mattone>& Fg5)
{
    SettaGridFGF(FgF);
    SettaGridFGF(Fg5);
}

std::optional<grid::Colore> sfondoColonnaMattone(int colonna)
{
    if (colonna >= colF::E1 && colonna <= colF::RU1)
        return grid::rgb(255, 255, 128);
    if (colonna >= colF::E2 && colonna <= colF::RU2)
        return grid::rgb(128, 255, 128);
    if (colonna == colF::VAL)
        return grid::rgb(128, 255, 255);
    return std::nullopt;
}

std::optional<grid::Colore> coloreTestoColonnaMattone(int colonna)
{
    return colonna == colF::Tras ? std::optional<grid::Colore>(grid::colori::Rosso) : std::nullopt;
}

}
