// The last cycle of each wheel and the absent count over every span, with the exact Markov-chain law.
#include "statistics/Terzo.h"

#include "statistics/Probabilita.h"
#include "statistics/Tabella.h"

#include <algorithm>
#include <cmath>

namespace statistics {

namespace {

bool estratta(const archive::Archivio& a, int d, int w) { return a.numero(d, w, 1) != 0; }

}

std::vector<double> leggeAssenti(int n)
{
    // passo[s][j]: from s numbers seen, the chance that a draw brings j new ones (hypergeometric).
    static const auto passo = [] {
        std::array<std::array<double, 6>, 91> t{};
        const double tutte = combinazioni(90, 5);
        for (int s = 0; s <= 90; ++s)
            for (int j = 0; j <= 5; ++j)
                t[static_cast<std::size_t>(s)][static_cast<std::size_t>(j)] = combinazioni(90 - s, j) * combinazioni(s, 5 - j) / tutte;
        return t;
    }();
    std::vector<double> visti(91, 0.0), dopo(91, 0.0);
    visti[0] = 1.0;
    for (int t = 0; t < n; ++t) {
        std::fill(dopo.begin(), dopo.end(), 0.0);
        for (int s = 0; s <= 90; ++s) {
            const double ps = visti[static_cast<std::size_t>(s)];
            if (ps == 0)
                continue;
            for (int j = 0; j <= 5 && s + j <= 90; ++j)
                dopo[static_cast<std::size_t>(s + j)] += ps * passo[static_cast<std::size_t>(s)][static_cast<std::size_t>(j)];
        }
        visti.swap(dopo);
    }
    std::vector<double> assenti(91, 0.0);
    for (int s = 0; s <= 90; ++s)
        assenti[static_cast<std::size_t>(90 - s)] = visti[static_cast<std::size_t>(s)];
    return assenti;
}

double assentiAttesi(int n) { return 90.0 * std::pow(85.0 / 90.0, n); }

std::vector<CicloRuota> ultimiCicli(const archive::Archivio& a, const Ruote& ruote, int n, int al)
{
    al = al <= 0 ? a.NumeroEstrazioni : std::min(al, a.NumeroEstrazioni);
    std::vector<CicloRuota> esito;
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        if (!ruote[static_cast<std::size_t>(w)])
            continue;
        CicloRuota c;
        c.ruota = w;
        c.attesiAssenti = assentiAttesi(n);
        for (int d = al; d >= 1 && c.estrazioni < n; --d) {
            if (!estratta(a, d, w))
                continue;
            ++c.estrazioni;
            c.prima = d;
            if (c.ultima == 0)
                c.ultima = d;
            const std::int16_t* r = a.ruota(d, w);
            for (int i = 1; i <= 5; ++i)
                if (r[i] > 0)
                    c.uscito[static_cast<std::size_t>(r[i])] = true;
        }
        c.usciti = static_cast<int>(std::count(c.uscito.begin() + 1, c.uscito.end(), true));
        c.assenti = 90 - c.usciti;
        esito.push_back(c);
    }
    return esito;
}

DistribuzioneAssenti distribuzioneAssenti(const archive::Archivio& a, const Ruote& ruote, int n, int dal, int al)
{
    al = al <= 0 ? a.NumeroEstrazioni : std::min(al, a.NumeroEstrazioni);
    dal = std::max(1, dal);
    DistribuzioneAssenti d;
    d.ciclo = n;
    d.classi.resize(91);
    for (int k = 0; k <= 90; ++k)
        d.classi[static_cast<std::size_t>(k)].assenti = k;
    if (n < 1)
        return d;
    std::vector<int> estrazioni;
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        if (!ruote[static_cast<std::size_t>(w)])
            continue;
        estrazioni.clear();
        for (int e = dal; e <= al; ++e)
            if (estratta(a, e, w))
                estrazioni.push_back(e);
        // A sliding span: each number's count inside it, the absent ones those at zero.
        std::array<int, 91> volte{};
        int assenti = 90;
        const auto aggiungi = [&](int e, int delta) {
            const std::int16_t* r = a.ruota(e, w);
            for (int i = 1; i <= 5; ++i) {
                if (r[i] <= 0)
                    continue;
                int& v = volte[static_cast<std::size_t>(r[i])];
                if (delta > 0 && v++ == 0)
                    --assenti;
                else if (delta < 0 && --v == 0)
                    ++assenti;
            }
        };
        for (std::size_t i = 0; i < estrazioni.size(); ++i) {
            aggiungi(estrazioni[i], +1);
            if (i >= static_cast<std::size_t>(n))
                aggiungi(estrazioni[i - static_cast<std::size_t>(n)], -1);
            if (i + 1 >= static_cast<std::size_t>(n)) {
                ++d.classi[static_cast<std::size_t>(assenti)].osservati;
                ++d.cicli;
            }
        }
    }
    const std::vector<double> legge = leggeAssenti(n);
    double somma = 0;
    for (int k = 0; k <= 90; ++k) {
        auto& c = d.classi[static_cast<std::size_t>(k)];
        c.attesi = d.cicli * legge[static_cast<std::size_t>(k)];
        somma += static_cast<double>(k) * c.osservati;
    }
    d.mediaOsservata = d.cicli > 0 ? somma / d.cicli : 0;
    d.mediaAttesa = assentiAttesi(n);
    return d;
}

std::pair<int, int> classiDaMostrare(const DistribuzioneAssenti& d)
{
    int primo = 91, ultimo = -1;
    for (const auto& c : d.classi)
        if (c.osservati > 0 || c.attesi >= 0.05) {
            primo = std::min(primo, c.assenti);
            ultimo = std::max(ultimo, c.assenti);
        }
    if (ultimo < 0)
        return {0, -1};
    return {primo, ultimo};
}

std::vector<RigaCiclo> righeCicli(const std::vector<CicloRuota>& cicli, int n, const archive::Archivio* date)
{
    std::vector<RigaCiclo> righe;
    for (const auto& c : cicli) {
        if (c.estrazioni < n)
            continue;
        RigaCiclo r{c, {}, {}};
        if (date) {
            r.dal = date->DateEstrazioni[static_cast<std::size_t>(c.prima)];
            r.al = date->DateEstrazioni[static_cast<std::size_t>(c.ultima)];
        }
        righe.push_back(std::move(r));
    }
    return righe;
}

std::string testoCiclo(const RigaCiclo& r, int colonna)
{
    const auto& c = r.ciclo;
    switch (colonna) {
    case colCicli::Ruota:
        return std::string(archive::SigleRuote[static_cast<std::size_t>(c.ruota)]);
    case colCicli::Usciti:
        return std::to_string(c.usciti);
    case colCicli::Assenti:
        return std::to_string(c.assenti);
    case colCicli::AttesiAssenti:
        return conVirgola(c.attesiAssenti, 1);
    case colCicli::Dal:
        return r.dal;
    case colCicli::Al:
        return r.al;
    case colCicli::NumeriAssenti: {
        std::string numeri;
        for (int x = 1; x <= 90; ++x)
            if (!c.uscito[static_cast<std::size_t>(x)]) {
                if (!numeri.empty())
                    numeri += ' ';
                numeri += archive::dueCifre(x);
            }
        return numeri;
    }
    default:
        return {};
    }
}

void scriviCicli(const std::vector<CicloRuota>& cicli, int n, grid::Grid& g, const archive::Archivio* date)
{
    g.setIntestazione(date ? colCicli::Intestazione : std::string_view("Ruota|Usciti|Assenti|AttesiAssenti"));
    g.setRighe(1);
    const int colonne = date ? colCicli::Colonne : colCicli::Dal;
    for (const auto& riga : righeCicli(cicli, n, date)) {
        const int r = g.aggiungiRiga();
        for (int c = 0; c < colonne; ++c)
            g.setTesto(r, c, testoCiclo(riga, c));
    }
    for (int c = colCicli::Usciti; c <= colCicli::AttesiAssenti; ++c)
        g.setAllineamento(c, grid::Allineamento::Destra);
}

std::vector<ClasseAssenti> classiMostrate(const DistribuzioneAssenti& d)
{
    const auto [primo, ultimo] = classiDaMostrare(d);
    std::vector<ClasseAssenti> classi;
    for (int k = primo; k <= ultimo; ++k)
        classi.push_back(d.classi[static_cast<std::size_t>(k)]);
    return classi;
}

std::string testoClasse(const ClasseAssenti& c, int colonna)
{
    switch (colonna) {
    case colDistribuzione::Assenti:
        return std::to_string(c.assenti);
    case colDistribuzione::Osservati:
        return std::to_string(c.osservati);
    case colDistribuzione::Attesi:
        return conVirgola(c.attesi, 1);
    default:
        return {};
    }
}

void scriviDistribuzione(const DistribuzioneAssenti& d, grid::Grid& g)
{
    g.setIntestazione(colDistribuzione::Intestazione);
    const auto classi = classiMostrate(d);
    g.setRighe(static_cast<int>(classi.size()) + 1);
    for (std::size_t i = 0; i < classi.size(); ++i)
        for (int c = 0; c < colDistribuzione::Colonne; ++c)
            g.setTesto(static_cast<int>(i) + 1, c, testoClasse(classi[i], c));
    for (int c = 0; c < colDistribuzione::Colonne; ++c)
        g.setAllineamento(c, grid::Allineamento::Destra);
}

std::string lineaCicli(const archive::Archivio& a, int n, int al)
{
    al = al <= 0 ? a.NumeroEstrazioni : std::min(al, a.NumeroEstrazioni);
    return "Ultime " + std::to_string(n) + " estrazioni fino al " + a.DateEstrazioni[static_cast<std::size_t>(al)] +
           ": il solo caso lascerebbe assenti in media " + conVirgola(assentiAttesi(n), 1) + " numeri su 90.";
}

std::string lineaDistribuzione(const DistribuzioneAssenti& d)
{
    return "Tratti di " + std::to_string(d.ciclo) + " estrazioni: " + std::to_string(d.cicli) + "; assenti in media " +
           conVirgola(d.mediaOsservata, 2) + ", il caso ne darebbe " + conVirgola(d.mediaAttesa, 2) + ".";
}

}
