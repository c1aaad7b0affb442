// Pyramid evaluation on a draw and the layout of the composition grids.
#include "engine/Piramide.h"

#include "engine/Formula.h"

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
// Column `cRuota` from the abbreviation in `cSigla`: an empty abbreviation keeps the
// index as typed, an unknown one is refused (false) so no previous index is reused.
bool ruotaDaSigla(grid::Grid& g, int r, int cSigla, int cRuota)
{
    const std::string& sigla = g.testo(r, cSigla);
    if (sigla.empty())
        return true;
    const auto w = archive::IndiceRuota(sigla);
    if (!w)
        return false;
    g.setNumero(r, cRuota, *w);
    return true;
}
}

std::optional<ErroreMattone> ValutaPiramide(grid::Grid& FgF, int d, int valoreLista, const archive::Archivio& a,
                                            std::array<std::string, 16>& Lbl0)
{
    std::array<bool, NumeroMattoni + 1> sigleValide{};
    for (int m = 1; m <= NumeroMattoni; ++m)
        if (!FgF.testo(m, colF::Tras).empty())
            sigleValide[m] = ruotaDaSigla(FgF, m, colF::RU1, colF::R1) && ruotaDaSigla(FgF, m, colF::RU2, colF::R2);

    for (int m = 1; m <= NumeroMattoni; ++m) {
        if (FgF.testo(m, colF::Tras).empty())
            continue;
        try {
            if (!sigleValide[m])
                throw ErroreCalcolo("sigla ruota non riconosciuta");
            Formula f = leggiMattone(FgF, m);
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

void SettaGridFGF(grid::Grid& g)
{
    // Rows the grid lacks are not written: Fg5 may hold only its five pattern rows.
    for (int m = 1; m <= NumeroMattoni; ++m)
        g.setNumero(m, colF::Riga, m);
    const int ultima = g.righe() - 1;
    g.setColoreTesto(1, colF::Tras, ultima, colF::Tras, grid::colori::Rosso);
    g.setSfondo(1, colF::E1, ultima, colF::RU1, grid::rgb(255, 255, 128));
    g.setSfondo(1, colF::E2, ultima, colF::RU2, grid::rgb(128, 255, 128));
    g.setSfondo(1, colF::VAL, ultima, colF::VAL, grid::rgb(128, 255, 255));
}

void SettaGridFGF(grid::Grid& FgF, grid::Grid& Fg5)
{
    SettaGridFGF(FgF);
    SettaGridFGF(Fg5);
}

}
