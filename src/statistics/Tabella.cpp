// Table rows, orders, the board and the delay classes, from the figures computed in Statistiche.cpp.
#include "statistics/Tabella.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace statistics {

std::string intestazione(Sorte sorte)
{
    return std::string(sorte == Sorte::Ambo ? "Ambo" : "Numero") + "|Ritardo|RitardoMax|Frequenza|Attesa|RitardoMedio|Prob";
}

namespace {

double chiave(const Figura& f, Colonna c)
{
    switch (c) {
    case ColRitardo: return f.ritardo;
    case ColRitardoMax: return f.ritardoMax;
    case ColFrequenza: return f.frequenza;
    case ColAttesa: return unDecimale(f.attesa);
    case ColRitardoMedio: return unDecimale(f.ritardoMedio);   // -1 when empty: below every mean
    case ColProb: return f.prob;
    case ColNumero:
    case NumeroColonne: break;
    }
    return f.primo * 91 + f.secondo;
}

}

std::vector<int> ordina(const Statistiche& s, Colonna c, bool decrescente)
{
    std::vector<int> ordine(s.figure.size());
    for (std::size_t i = 0; i < ordine.size(); ++i)
        ordine[i] = static_cast<int>(i);
    // figure is already in number order, so a stable sort leaves ties by number.
    std::stable_sort(ordine.begin(), ordine.end(), [&](int x, int y) {
        const double a = chiave(s.figure[static_cast<std::size_t>(x)], c);
        const double b = chiave(s.figure[static_cast<std::size_t>(y)], c);
        return decrescente ? a > b : a < b;
    });
    return ordine;
}

double unDecimale(double v) { return std::round(v * 10.0) / 10.0; }

std::string testoProbabilita(double p)
{
    if (p < 0.0005)
        return "<0,001";
    return conVirgola(std::min(p, 1.0), 3);
}

std::string testoVoce(const Figura& f)
{
    if (f.secondo == 0)
        return std::to_string(f.primo);
    char testo[8];
    std::snprintf(testo, sizeof testo, "%02d-%02d", f.primo, f.secondo);
    return testo;
}

std::string testoCella(const Figura& f, int colonna)
{
    switch (colonna) {
    case ColNumero:
        return testoVoce(f);
    case ColRitardo:
        return std::to_string(f.ritardo);
    case ColRitardoMax:
        return std::to_string(f.ritardoMax);
    case ColFrequenza:
        return std::to_string(f.frequenza);
    case ColAttesa:
        return conVirgola(unDecimale(f.attesa), 1);
    case ColRitardoMedio:
        return f.ritardoMedio < 0 ? std::string() : conVirgola(unDecimale(f.ritardoMedio), 1);
    case ColProb:
        return testoProbabilita(f.prob);
    default:
        return {};
    }
}

void scriviTabella(const Statistiche& s, const std::vector<int>& ordine, int lista, grid::Grid& g)
{
    g.setIntestazione(intestazione(s.parametri.sorte));
    const int righe = lista > 0 ? std::min<int>(lista, static_cast<int>(ordine.size())) : static_cast<int>(ordine.size());
    g.setRighe(1 + righe);
    for (int r = 0; r < righe; ++r) {
        const Figura& f = s.figure[static_cast<std::size_t>(ordine[static_cast<std::size_t>(r)])];
        for (int c = 0; c < NumeroColonne; ++c)
            g.setTesto(r + 1, c, testoCella(f, c));
        g.setSfondo(r + 1, ColProb, coloreRitardo(f.prob));
    }
    for (int c = ColRitardo; c < NumeroColonne; ++c)
        g.setAllineamento(c, grid::Allineamento::Destra);
}

const std::vector<ClasseColore>& classiRitardo()
{
    static const std::vector<ClasseColore> classi{
        {0.001, grid::rgb(230, 60, 50), "<1/1000"},
        {0.01, grid::rgb(255, 150, 70), "<1/100"},
        {0.1, grid::rgb(255, 225, 110), "<1/10"},
        {0.5, grid::rgb(255, 250, 215), "<1/2"},
    };
    return classi;
}

grid::Colore coloreRitardo(double prob)
{
    for (const auto& c : classiRitardo())
        if (prob < c.sotto)
            return c.colore;
    return grid::colori::Bianco;
}

std::vector<RigaTabellone> righeTabellone(const Statistiche& s)
{
    std::vector<RigaTabellone> righe(9);
    const bool ritardi = s.parametri.sorte == Sorte::Estratto;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 10; ++c) {
            auto& casella = righe[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            casella.numero = numeroDelTabellone(r, c);
            if (!ritardi || static_cast<int>(s.figure.size()) < casella.numero)
                continue;
            const Figura& f = s.figure[static_cast<std::size_t>(casella.numero - 1)];
            casella.ritardo = f.ritardo;
            casella.prob = f.prob;
        }
    return righe;
}

std::string testoCasella(const CasellaTabellone& c)
{
    return c.ritardo ? std::to_string(c.numero) + " (" + std::to_string(*c.ritardo) + ")" : std::to_string(c.numero);
}

grid::Colore sfondoCasella(const CasellaTabellone& c) { return c.ritardo ? coloreRitardo(c.prob) : grid::colori::Bianco; }

std::vector<ClasseRitardo> distribuzioneRitardi(const Statistiche& s, int classi)
{
    std::vector<ClasseRitardo> esito;
    const int n = static_cast<int>(s.figure.size());
    if (n == 0 || s.T() == 0 || classi < 2)
        return esito;
    // The classes reach the delay that chance leaves to less than half a number; longer ones
    // share the last, open class.
    int limite = 1;
    while (limite <= s.T() && n * s.probRitardoAlmeno(limite) >= 0.5)
        ++limite;
    const int larghezza = std::max(1, (limite + classi - 2) / (classi - 1));
    for (int k = 0; k < classi; ++k) {
        ClasseRitardo c;
        c.da = k * larghezza;
        if (c.da > s.T())
            break;
        const bool ultima = k == classi - 1 || c.da + larghezza > s.T();
        c.a = ultima ? -1 : c.da + larghezza - 1;
        c.attesi = n * (s.probRitardoAlmeno(c.da) - (ultima ? 0.0 : s.probRitardoAlmeno(c.a + 1)));
        esito.push_back(c);
        if (ultima)
            break;
    }
    for (const Figura& f : s.figure) {
        const int k = std::min<int>(f.ritardo / larghezza, static_cast<int>(esito.size()) - 1);
        ++esito[static_cast<std::size_t>(k)].osservati;
    }
    return esito;
}

}
