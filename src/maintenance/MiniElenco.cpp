// The mini list of draws without a screen: the rows of FG3 and the three labels' texts, searches and marks.
#include "maintenance/MiniElenco.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace maintenance {

using archive::MaxEstrazioni;
using archive::NumeroRuote;
using archive::SigleRuote;

namespace {
constexpr int ColonneFG3 = 6;
bool esisteEstrazione(const archive::Archivio& a, int d) { return d >= 1 && d <= a.NumeroEstrazioni && d <= MaxEstrazioni; }
}

std::vector<RigaFG3> righeFG3(const archive::Archivio& a, int d, const Segni& segni)
{
    // The scroll bar may stand where no draw is (an empty archive); nothing is read there.
    const bool esiste = esisteEstrazione(a, d);
    std::vector<RigaFG3> righe(NumeroRuote);
    for (int w = 0; w < NumeroRuote; ++w) {
        auto& r = righe[static_cast<std::size_t>(w)];
        r.ruota = w;
        r.segnata = segni[static_cast<std::size_t>(w)];
        for (int p = 1; p <= 5; ++p)
            r.numeri[static_cast<std::size_t>(p - 1)] = esiste ? a.numero(d, w, p) : 0;
    }
    return righe;
}

std::string testoFG3(const RigaFG3& riga, int colonna)
{
    if (colonna == 0)
        return riga.ruota >= 0 && riga.ruota < NumeroRuote ? std::string(SigleRuote[static_cast<std::size_t>(riga.ruota)]) : std::string();
    if (colonna < 1 || colonna >= ColonneFG3)
        return {};
    // A wheel not drawn that day (the Nazionale before 2005) holds 0: a blank cell, not a number
    // that was never drawn.
    const int n = riga.numeri[static_cast<std::size_t>(colonna - 1)];
    return n > 0 ? std::to_string(n) : std::string();
}

TestiEstrazione testiEstrazione(const archive::Archivio& a, int d)
{
    if (!esisteEstrazione(a, d))
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

namespace {
// "5/6/1961", " 05/06/1961 " as the archive writes dates ("05/06/1961"); the text as it
// is when it is not a day, month and four-digit year.
std::string dataNormalizzata(std::string_view testo)
{
    while (!testo.empty() && testo.front() == ' ')
        testo.remove_prefix(1);
    while (!testo.empty() && testo.back() == ' ')
        testo.remove_suffix(1);
    const auto primo = testo.find('/');
    const auto secondo = primo == std::string_view::npos ? primo : testo.find('/', primo + 1);
    if (secondo == std::string_view::npos)
        return std::string(testo);
    const std::string_view g = testo.substr(0, primo), m = testo.substr(primo + 1, secondo - primo - 1),
                           anno = testo.substr(secondo + 1);
    auto cifre = [](std::string_view t) {
        return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!cifre(g) || !cifre(m) || !cifre(anno) || g.size() > 2 || m.size() > 2 || anno.size() != 4)
        return std::string(testo);
    auto due = [](std::string_view t) { return t.size() == 1 ? "0" + std::string(t) : std::string(t); };
    return due(g) + "/" + due(m) + "/" + std::string(anno);
}
}

std::optional<int> cercaDataEstrazione(const archive::Archivio& a, std::string_view testo)
{
    const std::string data = dataNormalizzata(testo);
    for (int d = 1; d <= a.NumeroEstrazioni && d <= MaxEstrazioni; ++d)
        if (a.DateEstrazioni[d] == data)
            return d;
    return std::nullopt;
}

bool commutaSegno(Segni& segni, int riga, int colonna)
{
    if (riga < 1 || riga > NumeroRuote || colonna < 1 || colonna >= ColonneFG3)
        return false;
    bool& segnata = segni[static_cast<std::size_t>(riga - 1)][static_cast<std::size_t>(colonna - 1)];
    segnata = !segnata;
    return true;
}

}
