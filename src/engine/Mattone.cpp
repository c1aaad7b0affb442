// The brick's cells as text and back.
#include "engine/Mattone.h"

#include "engine/Piramide.h"

#include "grid/Grid.h"

#include <limits>

namespace engine {

namespace {
std::string numero(const std::optional<int>& v) { return v ? std::to_string(*v) : std::string(); }
std::string numero(int v) { return v ? std::to_string(v) : std::string(); }

// The grid's reading of a number typed in a cell: leading number, fraction dropped, held
// at the int range's ends.
std::optional<int> leggi(std::string_view testo)
{
    if (testo.empty())
        return std::nullopt;
    const double v = grid::leggiNumero(testo);
    if (!(v > static_cast<double>(std::numeric_limits<int>::min())))
        return std::numeric_limits<int>::min();
    if (!(v < static_cast<double>(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}
}

void Mattone::svuota() { copiaFormula(Mattone()); }

void Mattone::copiaFormula(const Mattone& altro)
{
    codice = altro.codice;
    tipo = altro.tipo;
    E1 = altro.E1;
    R1 = altro.R1;
    RU1 = altro.RU1;
    E2 = altro.E2;
    R2 = altro.R2;
    RU2 = altro.RU2;
    valore = altro.valore;
}

std::string testoMattone(const Mattone& m, int colonna)
{
    using namespace colF;
    switch (colonna) {
    case Riga: return numero(m.numero);
    case Ri: return numero(m.riga);
    case Co: return numero(m.posto);
    case Tras: return m.codice;
    case Tipo: return numero(m.tipo);
    case E1: return numero(m.E1);
    case R1: return numero(m.R1);
    case RU1: return m.RU1;
    case E2: return numero(m.E2);
    case R2: return numero(m.R2);
    case RU2: return m.RU2;
    case VAL: return numero(m.valore);
    default: return {};
    }
}

void impostaCella(Mattone& m, int colonna, std::string_view testo)
{
    using namespace colF;
    switch (colonna) {
    case Tras: m.codice = std::string(testo); break;
    case Tipo: m.tipo = leggi(testo); break;
    case E1: m.E1 = leggi(testo); break;
    case R1: m.R1 = leggi(testo); break;
    case RU1: m.RU1 = std::string(testo); break;
    case E2: m.E2 = leggi(testo); break;
    case R2: m.R2 = leggi(testo); break;
    case RU2: m.RU2 = std::string(testo); break;
    case VAL: m.valore = leggi(testo); break;
    default: break;   // the number and the place are the brick's own
    }
}

}
