// The conversions of a formula: the evaluator's fields and the brick rows of FgF and Fg5.
#include "engine/Formula.h"

#include "engine/Piramide.h"

namespace engine {

ParametriDellaClasse parametriDellaClasse(int tipo)
{
    ParametriDellaClasse p;
    p.ruota1 = tipo == 1 || tipo == 2 || tipo == 3 || tipo == 5 || tipo == 6 || tipo == 7;
    p.posizione1 = p.ruota1 && tipo != 6;
    p.riferimento2 = tipo == 2 || tipo == 7;
    p.valore = tipo == 3 || tipo == 4 || tipo == 5 || tipo == 7;
    return p;
}

CampiOperatore campiDi(const Formula& f)
{
    CampiOperatore c;
    c.CodiceOperatore = f.codice;
    c.P1 = intero16(f.P1);
    c.R1 = intero16(f.R1);
    c.P2 = intero16(f.P2);
    c.R2 = intero16(f.R2);
    intero16(f.tipo);   // the class too: a brick's typed 65536 is refused, not read as another class
    if (f.tipo == 4)
        c.N1 = intero16(f.valore);
    else
        c.ValoreFisso = intero16(f.valore);
    return c;
}

Formula formulaDi(const CampiOperatore& c, int tipo)
{
    return Formula{c.CodiceOperatore, tipo, c.P1, c.R1, c.P2, c.R2, tipo == 4 ? c.N1 : c.ValoreFisso};
}

bool preparaSu(const Formula& f, CampiOperatore& c, int d, const archive::Archivio& a)
{
    c.EstrazioneCalcolo = intero16(d);
    return preparaIngressi(f.tipo, c, d, c.N1, a);
}

std::optional<std::int16_t> valutaFormula(const Formula& f, int d, const archive::Archivio& a)
{
    CampiOperatore c = campiDi(f);
    if (!preparaSu(f, c, d, a))
        return std::nullopt;
    ElaboraPPP2(c, a);
    return c.Risultato;
}

bool leggeRuotaNonEstratta(const Formula& f, int d, const archive::Archivio& a)
{
    const auto usati = parametriDellaClasse(f.tipo);
    const int letta = f.tipo == 5 ? d - f.valore : d;
    auto manca = [&](int w) {
        return letta >= 1 && letta <= a.NumeroEstrazioni && w >= 0 && w < archive::NumeroRuote &&
               !a.ruotaEstratta(letta, w);
    };
    return (usati.ruota1 && manca(f.R1)) || (usati.riferimento2 && manca(f.R2));
}

Formula leggiMattone(const Mattone& m)
{
    auto ruota = [](const std::string& sigla, const std::optional<int>& indice) {
        if (sigla.empty())
            return indice.value_or(0);
        const auto w = archive::IndiceRuota(sigla);
        if (!w)
            throw ErroreCalcolo("sigla ruota non riconosciuta: " + sigla);
        return *w;
    };
    Formula f;
    f.codice = m.codice;
    f.tipo = m.tipo.value_or(0);
    f.P1 = m.E1.value_or(0);
    f.R1 = ruota(m.RU1, m.R1);
    f.P2 = m.E2.value_or(0);
    f.R2 = ruota(m.RU2, m.R2);
    f.valore = m.valore.value_or(0);
    return f;
}

void scriviMattone(Mattone& m, const Formula& f)
{
    m.svuota();
    m.codice = f.codice;
    m.tipo = f.tipo;
    const auto usati = parametriDellaClasse(f.tipo);
    auto ruota = [](std::optional<int>& indice, std::string& sigla, int w) {
        indice = w;
        if (w >= 0 && w < archive::NumeroRuote)
            sigla = archive::SigleRuote[static_cast<std::size_t>(w)];
    };
    if (usati.posizione1)
        m.E1 = f.P1;
    if (usati.ruota1)
        ruota(m.R1, m.RU1, f.R1);
    if (usati.riferimento2) {
        m.E2 = f.P2;
        ruota(m.R2, m.RU2, f.R2);
    }
    if (usati.valore)
        m.valore = f.valore;
}

}
