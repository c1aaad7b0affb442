// The spy presences, the followers counted once per presence, chance's side from the wheels drawn.
#include "statistics/Spia.h"

#include "statistics/Probabilita.h"
#include "statistics/Tabella.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace statistics {

namespace {

// The wheels of `ruote` drawn in each draw, summed from the first: the wheel draws in the colpi
// d+1..d+C are prefisso[d + C] - prefisso[d].
std::vector<int> ruoteEstrattePrefisso(const archive::Archivio& a, const Ruote& ruote)
{
    std::vector<int> prefisso(static_cast<std::size_t>(a.NumeroEstrazioni) + 1, 0);
    for (int d = 1; d <= a.NumeroEstrazioni; ++d) {
        int n = 0;
        for (int w = 0; w < archive::NumeroRuote; ++w)
            if (ruote[static_cast<std::size_t>(w)] && a.numero(d, w, 1) != 0)
                ++n;
        prefisso[static_cast<std::size_t>(d)] = prefisso[static_cast<std::size_t>(d - 1)] + n;
    }
    return prefisso;
}

bool suRuota(const archive::Archivio& a, int d, int w, int n)
{
    const std::int16_t* r = a.ruota(d, w);
    return r[1] == n || r[2] == n || r[3] == n || r[4] == n || r[5] == n;
}

struct Intervallo {
    int dal = 1;
    int al = 0;
};

Intervallo intervallo(const archive::Archivio& a, const ParametriSpia& p)
{
    return {std::max(1, p.dal), p.al <= 0 ? a.NumeroEstrazioni : std::min(p.al, a.NumeroEstrazioni)};
}

// From the draws where the spy came out (oldest first), those counted: all C colpi in the
// archive, and, unless overlaps are counted, none inside the colpi of the previous counted one.
struct Selezione {
    std::vector<int> contate;
    int saltate = 0;
    int censurate = 0;
};
Selezione seleziona(const std::vector<int>& uscite, int colpi, int ultimaEstrazione, bool sovrapposte)
{
    Selezione s;
    int ultima = 0;
    for (int d : uscite) {
        if (d + colpi > ultimaEstrazione) {
            ++s.censurate;
            continue;
        }
        if (!sovrapposte && ultima > 0 && d <= ultima + colpi) {
            ++s.saltate;
            continue;
        }
        s.contate.push_back(d);
        ultima = d;
    }
    return s;
}

// The 90 rows of one spy (q left at 1): each follower counted once per presence, one law for all.
int classeP(double p) { return std::clamp(static_cast<int>(p * ClassiP), 0, ClassiP - 1); }

std::vector<RigaSpia> righeSeguiti(const archive::Archivio& a, const std::vector<int>& presenze, const ParametriSpia& p,
                                   const std::vector<int>& prefisso, DistribuzioneP& classi)
{
    std::vector<int> scelte;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        if (p.ruote[static_cast<std::size_t>(w)])
            scelte.push_back(w);

    std::array<int, 91> uscite{};
    std::array<int, 91> segno{};
    std::vector<double> probabilita;
    probabilita.reserve(presenze.size());
    double attese = 0;
    int k = 0;
    for (int d : presenze) {
        ++k;
        const int ruote = prefisso[static_cast<std::size_t>(d + p.colpi)] - prefisso[static_cast<std::size_t>(d)];
        probabilita.push_back(probabilitaSeguito(ruote));
        attese += probabilita.back();
        for (int c = d + 1; c <= d + p.colpi; ++c)
            for (int w : scelte) {
                const std::int16_t* n = a.ruota(c, w);
                for (int i = 1; i <= 5; ++i) {
                    // A follower twice in the colpi of one presence is one presence followed.
                    const int x = n[i];
                    if (x > 0 && segno[static_cast<std::size_t>(x)] != k) {
                        segno[static_cast<std::size_t>(x)] = k;
                        ++uscite[static_cast<std::size_t>(x)];
                    }
                }
            }
    }
    const std::vector<double> legge = poissonBinomiale(probabilita);
    const std::vector<double> coda = code(legge);
    for (std::size_t u = 0; u < legge.size(); ++u)
        classi[static_cast<std::size_t>(classeP(coda[u]))].attesi += 90.0 * legge[u];
    std::vector<RigaSpia> righe(90);
    for (int y = 1; y <= 90; ++y) {
        RigaSpia& r = righe[static_cast<std::size_t>(y - 1)];
        r.spia = p.spia;
        r.numero = y;
        r.presenze = static_cast<int>(presenze.size());
        r.uscite = uscite[static_cast<std::size_t>(y)];
        r.attese = attese;
        r.rapporto = attese > 0 ? r.uscite / attese : 0.0;
        r.p = coda[static_cast<std::size_t>(r.uscite)];
        ++classi[static_cast<std::size_t>(classeP(r.p))].osservati;
    }
    return righe;
}

void assegnaQ(std::vector<RigaSpia>& righe)
{
    std::vector<double> p;
    p.reserve(righe.size());
    for (const auto& r : righe)
        p.push_back(r.p);
    const std::vector<double> q = valoriQ(p);
    for (std::size_t i = 0; i < righe.size(); ++i)
        righe[i].q = q[i];
}

std::string conta(int n, const char* uno, const char* molti) { return std::to_string(n) + " " + (n == 1 ? uno : molti); }

}

double probabilitaSeguito(int ruote)
{
    return ruote <= 0 ? 0.0 : 1.0 - std::pow(17.0 / 18.0, ruote);
}

EsitoSpia calcolaSpia(const archive::Archivio& a, const ParametriSpia& p)
{
    EsitoSpia e;
    e.parametri = p;
    const Intervallo in = intervallo(a, p);
    e.parametri.dal = in.dal;
    e.parametri.al = in.al;
    std::vector<int> uscite;
    for (int d = in.dal; d <= in.al; ++d)
        if (suRuota(a, d, p.ruotaSpia, p.spia) && (p.spia2 == 0 || suRuota(a, d, p.ruotaSpia, p.spia2)))
            uscite.push_back(d);
    Selezione s = seleziona(uscite, p.colpi, a.NumeroEstrazioni, p.sovrapposte);
    e.presenze = std::move(s.contate);
    e.saltate = s.saltate;
    e.censurate = s.censurate;
    e.righe = righeSeguiti(a, e.presenze, p, ruoteEstrattePrefisso(a, p.ruote), e.classiP);
    assegnaQ(e.righe);
    return e;
}

EsitoScansione scansioneSpie(const archive::Archivio& a, const ParametriSpia& p, avanzamento::Avanzamento* av)
{
    EsitoScansione e;
    e.parametri = p;
    e.parametri.spia2 = 0;
    const Intervallo in = intervallo(a, p);
    e.parametri.dal = in.dal;
    e.parametri.al = in.al;
    // One pass gives every spy its draws on the spy's wheel.
    std::array<std::vector<int>, 91> uscite;
    for (int d = in.dal; d <= in.al; ++d) {
        const std::int16_t* n = a.ruota(d, p.ruotaSpia);
        for (int i = 1; i <= 5; ++i)
            if (n[i] > 0)
                uscite[static_cast<std::size_t>(n[i])].push_back(d);
    }
    const std::vector<int> prefisso = ruoteEstrattePrefisso(a, p.ruote);
    e.righe.reserve(90 * 90);
    for (int spia = 1; spia <= 90; ++spia) {
        avanzamento::controlla(av);
        avanzamento::imposta(av, 1, spia, 90);
        ParametriSpia ps = e.parametri;
        ps.spia = spia;
        const Selezione s = seleziona(uscite[static_cast<std::size_t>(spia)], p.colpi, a.NumeroEstrazioni, p.sovrapposte);
        const auto righe = righeSeguiti(a, s.contate, ps, prefisso, e.classiP);
        e.righe.insert(e.righe.end(), righe.begin(), righe.end());
    }
    assegnaQ(e.righe);
    ordinaSpia(e.righe, 1 + ColSpiaQ, true, false);
    return e;
}

std::vector<Seguito> seguiti(const archive::Archivio& a, const EsitoSpia& e, int numero)
{
    std::vector<Seguito> esito;
    const int colpi = e.parametri.colpi;
    for (int d : e.presenze) {
        for (int c = 1; c <= colpi && d + c <= a.NumeroEstrazioni; ++c) {
            Seguito s{d, d + c, c, {}};
            for (int w = 0; w < archive::NumeroRuote; ++w)
                if (e.parametri.ruote[static_cast<std::size_t>(w)] && suRuota(a, d + c, w, numero))
                    s.ruote.push_back(w);
            if (!s.ruote.empty()) {
                esito.push_back(std::move(s));
                break;
            }
        }
    }
    return esito;
}

std::vector<RigaSeguito> righeSeguiti(const archive::Archivio& a, const std::vector<Seguito>& seguiti)
{
    const auto data = [&](int d) { return a.DateEstrazioni[static_cast<std::size_t>(d)]; };
    std::vector<RigaSeguito> righe;
    righe.reserve(seguiti.size());
    for (auto s = seguiti.rbegin(); s != seguiti.rend(); ++s)
        righe.push_back({*s, data(s->presenza), data(s->estrazione)});
    return righe;
}

std::string testoSeguito(const RigaSeguito& r, int colonna)
{
    const Seguito& s = r.seguito;
    switch (colonna) {
    case SegPresenza:
        return std::to_string(s.presenza);
    case SegDataPresenza:
        return r.dataSpia;
    case SegColpo:
        return std::to_string(s.colpo);
    case SegEstrazione:
        return std::to_string(s.estrazione);
    case SegData:
        return r.data;
    case SegRuote:
        return sigleRuote(s.ruote);
    default:
        return {};
    }
}

void scriviSeguiti(const archive::Archivio& a, const std::vector<Seguito>& seguiti, grid::Grid& g)
{
    g.setIntestazione(IntestazioneSeguiti);
    const auto righe = righeSeguiti(a, seguiti);
    g.setRighe(1 + static_cast<int>(righe.size()));
    for (std::size_t k = 0; k < righe.size(); ++k)
        for (int c = 0; c < ColonneSeguiti; ++c)
            g.setTesto(static_cast<int>(k) + 1, c, testoSeguito(righe[k], c));
}

namespace {
std::pair<int, int> significativi(const std::vector<RigaSpia>& righe)
{
    int p = 0, q = 0;
    for (const auto& r : righe) {
        p += r.p < 0.05;
        q += r.q < 0.05;
    }
    return {p, q};
}
}

std::string lineaSpia(const EsitoSpia& e)
{
    const auto [p, q] = significativi(e.righe);
    std::string t = "Presenze della spia contate: " + std::to_string(e.presenze.size());
    std::vector<std::string> note;
    if (e.parametri.sovrapposte)
        note.push_back("anche quelle nei colpi della precedente");
    else if (e.saltate > 0)
        note.push_back(conta(e.saltate, "saltata perché nei colpi della precedente", "saltate perché nei colpi della precedente"));
    else
        note.push_back("nessuna nei colpi della precedente");
    if (e.censurate > 0)
        note.push_back(conta(e.censurate, "esclusa perché i suoi colpi non sono tutti nell'archivio",
                             "escluse perché i loro colpi non sono tutti nell'archivio"));
    t += " (";
    for (std::size_t i = 0; i < note.size(); ++i)
        t += (i > 0 ? "; " : "") + note[i];
    t += "). Numeri con p < 0,05: " + std::to_string(p) + " (il solo caso ne darebbe circa " +
         conVirgola(e.classiP[0].attesi, 1) + " su " + std::to_string(e.righe.size()) +
         "); con q < 0,05: " + std::to_string(q) + ".";
    return t;
}

std::string lineaScansione(const EsitoScansione& e)
{
    const auto [p, q] = significativi(e.righe);
    std::string t = "Prove: " + std::to_string(e.righe.size()) + " (ogni spia per ogni numero). Con p < 0,05: " +
                    std::to_string(p) + " (il solo caso ne darebbe circa " +
                    conVirgola(e.classiP[0].attesi, 0) + "). ";
    if (q == 0)
        t += "Nessuna coppia resta dopo la correzione per le prove multiple (q < 0,05): ciò che si vede è quanto dà il caso.";
    else
        t += "Restano dopo la correzione per le prove multiple (q < 0,05): " + std::to_string(q) + ".";
    return t;
}

std::string testoCellaSpia(const RigaSpia& r, int colonna, bool scansione)
{
    if (scansione && colonna == 0)
        return std::to_string(r.spia);
    switch (scansione ? colonna - 1 : colonna) {
    case ColSpiaNumero:
        return std::to_string(r.numero);
    case ColSpiaPresenze:
        return std::to_string(r.presenze);
    case ColSpiaUscite:
        return std::to_string(r.uscite);
    case ColSpiaAttese:
        return conVirgola(r.attese, 1);
    case ColSpiaRapporto:
        return conVirgola(r.rapporto, 2);
    case ColSpiaP:
        return testoProbabilita(r.p);
    case ColSpiaQ:
        return testoProbabilita(r.q);
    default:
        return {};
    }
}

void scriviTabellaSpia(const std::vector<RigaSpia>& righe, bool scansione, int lista, grid::Grid& g)
{
    g.setIntestazione(std::string(scansione ? "Spia|" : "") + std::string(IntestazioneSpia));
    const int n = lista > 0 ? std::min(lista, static_cast<int>(righe.size())) : static_cast<int>(righe.size());
    g.setRighe(n + 1);
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < g.colonne(); ++c)
            g.setTesto(i + 1, c, testoCellaSpia(righe[static_cast<std::size_t>(i)], c, scansione));
    for (int c = 0; c < g.colonne(); ++c)
        g.setAllineamento(c, grid::Allineamento::Destra);
}

void ordinaSpia(std::vector<RigaSpia>& righe, int colonna, bool scansione, bool decrescente)
{
    if (scansione && colonna == 0)
        colonna = -1;
    else if (scansione)
        --colonna;
    const auto chiave = [colonna](const RigaSpia& r) -> double {
        switch (colonna) {
        case -1: return r.spia;
        case ColSpiaNumero: return r.numero;
        case ColSpiaPresenze: return r.presenze;
        case ColSpiaUscite: return r.uscite;
        case ColSpiaAttese: return r.attese;
        case ColSpiaRapporto: return r.rapporto;
        case ColSpiaP: return r.p;
        default: return r.q;
        }
    };
    std::sort(righe.begin(), righe.end(), [&](const RigaSpia& x, const RigaSpia& y) {
        const double a = chiave(x), b = chiave(y);
        if (a != b)
            return decrescente ? a > b : a < b;
        if (x.p != y.p)
            return x.p < y.p;
        return x.spia != y.spia ? x.spia < y.spia : x.numero < y.numero;
    });
}

std::string testoSpia(const ParametriSpia& p)
{
    if (p.spia2 == 0)
        return std::to_string(p.spia);
    char testo[8];
    std::snprintf(testo, sizeof testo, "%02d-%02d", std::min(p.spia, p.spia2), std::max(p.spia, p.spia2));
    return testo;
}

}
