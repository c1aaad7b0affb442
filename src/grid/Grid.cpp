// Grid model: cells, columns, sorting and text export.
#include "grid/Grid.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>
#include <numeric>

namespace grid {

namespace {
const Cella cellaVuota{};
const Colonna colonnaVuota{};
}

double leggiNumero(std::string_view t)
{
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        negativo = t[i] == '-';
        ++i;
    }
    double v = 0;
    bool cifre = false;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
        v = v * 10 + (t[i] - '0');
        ++i;
        cifre = true;
    }
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        ++i;
        double scala = 0.1;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
            v += (t[i] - '0') * scala;
            scala /= 10;
            ++i;
            cifre = true;
        }
    }
    if (!cifre)
        return 0;
    return negativo ? -v : v;
}

Grid::Grid(int righe, int colonne)
{
    setColonne(std::max(colonne, 0));
    setRighe(std::max(righe, 0));
}

void Grid::setRighe(int n)
{
    n = std::max(n, 0);
    celle_.resize(static_cast<std::size_t>(n), std::vector<Cella>(colonne_.size()));
    rigaCorrente = std::min(rigaCorrente, std::max(n - 1, 0));
}

void Grid::setColonne(int n)
{
    n = std::max(n, 0);
    colonne_.resize(static_cast<std::size_t>(n));
    for (auto& r : celle_)
        r.resize(static_cast<std::size_t>(n));
    colonnaCorrente = std::min(colonnaCorrente, std::max(n - 1, 0));
}

int Grid::aggiungiRiga()
{
    celle_.emplace_back(colonne_.size());
    return righe() - 1;
}

void Grid::rimuoviRiga(int riga)
{
    if (riga < 0 || riga >= righe())
        return;
    celle_.erase(celle_.begin() + riga);
}

void Grid::setIntestazione(std::string_view formato)
{
    std::vector<std::string> parti;
    std::size_t inizio = 0;
    while (true) {
        const auto sep = formato.find('|', inizio);
        parti.emplace_back(formato.substr(inizio, sep == std::string_view::npos ? std::string_view::npos : sep - inizio));
        if (sep == std::string_view::npos)
            break;
        inizio = sep + 1;
    }
    setColonne(static_cast<int>(parti.size()));
    if (righe() == 0)
        setRighe(1);
    for (std::size_t c = 0; c < parti.size(); ++c)
        celle_[0][c].testo = parti[c];
}

bool Grid::dentro(int riga, int colonna) const
{
    return riga >= 0 && colonna >= 0 && riga < righe() && colonna < colonne();
}

Cella* Grid::cellaScrivibile(int riga, int colonna)
{
    return dentro(riga, colonna) ? &celle_[riga][colonna] : nullptr;
}

const Cella& Grid::cella(int riga, int colonna) const
{
    return dentro(riga, colonna) ? celle_[riga][colonna] : cellaVuota;
}

const std::string& Grid::testo(int riga, int colonna) const { return cella(riga, colonna).testo; }

void Grid::setTesto(int riga, int colonna, std::string_view testo)
{
    if (auto* c = cellaScrivibile(riga, colonna))
        c->testo = testo;
}

void Grid::setNumero(int riga, int colonna, long long valore) { setTesto(riga, colonna, std::to_string(valore)); }

double Grid::valore(int riga, int colonna) const { return leggiNumero(testo(riga, colonna)); }

int Grid::intero(int riga, int colonna) const
{
    // Held at the ends of the int range (a NaN at the lower one): converting a value
    // outside it would be undefined, and the range checks further on refuse them.
    const double v = valore(riga, colonna);
    if (!(v > static_cast<double>(std::numeric_limits<int>::min())))
        return std::numeric_limits<int>::min();
    if (!(v < static_cast<double>(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

Colore Grid::sfondo(int riga, int colonna) const { return cella(riga, colonna).sfondo; }
Colore Grid::coloreTesto(int riga, int colonna) const { return cella(riga, colonna).testoColore; }
bool Grid::grassetto(int riga, int colonna) const { return cella(riga, colonna).grassetto; }

void Grid::setSfondo(int riga, int colonna, Colore c)
{
    if (auto* x = cellaScrivibile(riga, colonna))
        x->sfondo = c;
}

void Grid::setColoreTesto(int riga, int colonna, Colore c)
{
    if (auto* x = cellaScrivibile(riga, colonna))
        x->testoColore = c;
}

void Grid::setGrassetto(int riga, int colonna, bool b)
{
    if (auto* x = cellaScrivibile(riga, colonna))
        x->grassetto = b;
}

namespace {
// The range is clipped to the grid first: a corner far outside it (INT_MAX, say)
// would otherwise loop for ever or overflow the counter.
template <typename F>
void perIntervallo(int righe, int colonne, int r1, int c1, int r2, int c2, F&& f)
{
    if (r1 > r2)
        std::swap(r1, r2);
    if (c1 > c2)
        std::swap(c1, c2);
    r1 = std::max(r1, 0);
    c1 = std::max(c1, 0);
    r2 = std::min(r2, righe - 1);
    c2 = std::min(c2, colonne - 1);
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            f(r, c);
}
}

void Grid::setSfondo(int r1, int c1, int r2, int c2, Colore c)
{
    perIntervallo(righe(), colonne(), r1, c1, r2, c2, [&](int r, int k) { setSfondo(r, k, c); });
}

void Grid::setColoreTesto(int r1, int c1, int r2, int c2, Colore c)
{
    perIntervallo(righe(), colonne(), r1, c1, r2, c2, [&](int r, int k) { setColoreTesto(r, k, c); });
}

void Grid::setGrassetto(int r1, int c1, int r2, int c2, bool b)
{
    perIntervallo(righe(), colonne(), r1, c1, r2, c2, [&](int r, int k) { setGrassetto(r, k, b); });
}

Colonna& Grid::colonna(int c)
{
    static Colonna scarto;
    if (c < 0 || c >= colonne()) {
        scarto = Colonna{};
        return scarto;
    }
    return colonne_[c];
}

const Colonna& Grid::colonna(int c) const
{
    return (c < 0 || c >= colonne()) ? colonnaVuota : colonne_[c];
}

void Grid::setLarghezza(int c, int twips) { colonna(c).larghezzaTwips = twips; }
void Grid::setAllineamento(int c, Allineamento a) { colonna(c).allineamento = a; }
void Grid::setNascosta(int c, bool nascosta) { colonna(c).nascosta = nascosta; }

int Grid::indiceCampo(std::string_view campo) const
{
    for (int c = 0; c < colonne(); ++c) {
        const auto& nome = colonne_[c].campo;
        if (nome.size() == campo.size()
            && std::equal(nome.begin(), nome.end(), campo.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               }))
            return c;
    }
    return -1;
}

void Grid::ordinaDecrescente(int c)
{
    if (righe() <= 2 || c < 0 || c >= colonne())
        return;
    // Keys are read once; the stable sort keeps equal keys in their previous order.
    std::vector<std::pair<double, std::size_t>> chiavi;
    chiavi.reserve(celle_.size() - 1);
    for (std::size_t r = 1; r < celle_.size(); ++r)
        chiavi.emplace_back(leggiNumero(celle_[r][c].testo), r);
    std::stable_sort(chiavi.begin(), chiavi.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::vector<Cella>> ordinate;
    ordinate.reserve(celle_.size());
    ordinate.push_back(std::move(celle_[0]));
    for (const auto& k : chiavi)
        ordinate.push_back(std::move(celle_[k.second]));
    celle_ = std::move(ordinate);
}

std::string Grid::comeTesto(std::string_view fineRiga, bool finoAllaDiagonale) const
{
    std::string out;
    for (std::size_t r = 0; r < celle_.size(); ++r) {
        const std::size_t celle = finoAllaDiagonale ? r + 1 : celle_[r].size();
        for (std::size_t c = 0; c < celle; ++c) {
            if (c)
                out += '\t';
            if (c < celle_[r].size())
                out += celle_[r][c].testo;
        }
        out += fineRiga;
    }
    return out;
}

namespace {
// Optional sign, digits, at most one decimal mark followed by digits: nothing else.
bool numeroSemplice(std::string_view t)
{
    std::size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
    const std::size_t inizio = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
        ++i;
    if (i == inizio)
        return false;
    if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
        const std::size_t decimali = ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            ++i;
        if (i == decimali)
            return false;
    }
    return i == t.size();
}
}

std::string testoPerFoglioDiCalcolo(std::string_view testo)
{
    // Blanks before the sign do not stop a spreadsheet from reading a formula.
    const std::size_t primo = testo.find_first_not_of(" \t\r\n");
    const bool apreFormula = primo != std::string_view::npos && std::string_view("=+-@").find(testo[primo]) != std::string_view::npos;
    const bool apreConControllo = !testo.empty() && (testo[0] == '\t' || testo[0] == '\r');
    if ((!apreFormula && !apreConControllo) || testo.size() < 2 || numeroSemplice(testo))
        return std::string(testo);
    return "'" + std::string(testo);
}

std::string conVirgola(double v, int decimali)
{
    char testo[32];
    std::snprintf(testo, sizeof testo, "%.*f", decimali, v);
    std::string s = testo;
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

}
