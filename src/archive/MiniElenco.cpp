// The mini list of draws without a screen: what FG3 and the three labels show, searches and marks.
#include "archive/MiniElenco.h"

#include <charconv>

namespace archive {

namespace {
constexpr int RigheFG3 = NumeroRuote + 1;
constexpr int ColonneFG3 = 6;
}

void preparaFG3(grid::Grid& FG3, grid::Colore facciaPulsante)
{
    FG3.setIntestazione("Ruota|1°|2°|3°|4°|5°");
    FG3.setRighe(RigheFG3);
    FG3.setLarghezza(0, 600);
    for (int c = 1; c < ColonneFG3; ++c)
        FG3.setLarghezza(c, 450);
    for (int w = 0; w < NumeroRuote; ++w)
        FG3.setTesto(w + 1, 0, SigleRuote[w]);
    FG3.setGrassetto(1, 0, NumeroRuote, 0, true);
    resettaColorazione(FG3, facciaPulsante);
    for (int c = 0; c < ColonneFG3; ++c)
        FG3.setAllineamento(c, grid::Allineamento::Centro);
}

TestiEstrazione MostraEstrazione(const Archivio& a, int d, grid::Grid& FG3)
{
    FG3.setSfondo(1, 1, NumeroRuote, ColonneFG3 - 1, grid::colori::Bianco);
    // The scroll bar may stand where no draw is (an empty archive); nothing is read there.
    const bool esiste = d >= 1 && d <= a.NumeroEstrazioni && d <= MaxEstrazioni;
    for (int w = 0; w < NumeroRuote; ++w)
        for (int p = 1; p <= 5; ++p) {
            if (esiste)
                FG3.setNumero(w + 1, p, a.numero(d, w, p));
            else
                FG3.setTesto(w + 1, p, "");
        }
    if (!esiste)
        return {};
    return {std::to_string(d), a.DateEstrazioni[d],
            "PM=" + std::to_string(a.ProgressivoMese[d]) + "   PA=" + std::to_string(a.ProgressivoAnno[d])};
}

std::optional<int> indiceDigitato(std::string_view testo, int N)
{
    while (!testo.empty() && testo.front() == ' ')
        testo.remove_prefix(1);
    while (!testo.empty() && testo.back() == ' ')
        testo.remove_suffix(1);
    int k = 0;
    const auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), k);
    if (testo.empty() || errore != std::errc() || fine != testo.data() + testo.size() || k < 1 || k > N)
        return std::nullopt;
    return k;
}

std::optional<int> cercaDataEstrazione(const Archivio& a, std::string_view testo)
{
    for (int d = 1; d <= a.NumeroEstrazioni && d <= MaxEstrazioni; ++d)
        if (a.DateEstrazioni[d] == testo)
            return d;
    return std::nullopt;
}

bool commutaSegno(grid::Grid& FG3, int riga, int colonna)
{
    if (riga < 1 || riga > NumeroRuote || colonna < 1 || colonna >= ColonneFG3)
        return false;
    const bool segnata = FG3.sfondo(riga, colonna) == grid::colori::Verde;
    FG3.setSfondo(riga, colonna, segnata ? grid::colori::Bianco : grid::colori::Verde);
    return true;
}

void resettaColorazione(grid::Grid& FG3, grid::Colore facciaPulsante)
{
    FG3.setSfondo(1, 1, NumeroRuote, ColonneFG3 - 1, grid::colori::Bianco);
    FG3.setSfondo(1, 0, NumeroRuote, 0, facciaPulsante);
}

}
