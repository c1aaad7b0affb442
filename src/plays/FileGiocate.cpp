// Reading and writing the play file, each refusal naming its line and field.
#include "plays/FileGiocate.h"

#include "regole/Data.h"
#include "storage/FileDiTesto.h"

namespace plays {

namespace {

std::vector<std::string> campi(const std::string& riga, char sep)
{
    std::vector<std::string> c(1);
    for (char x : riga) {
        if (x == sep)
            c.emplace_back();
        else
            c.back() += x;
    }
    return c;
}

std::string senzaSpazi(std::string t)
{
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.pop_back();
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    return t.substr(i);
}

Giocata leggiRiga(const std::string& riga, int n)
{
    const auto c = campi(riga, ';');
    if (c.size() < 5)
        throw ErroreFileGiocate(n, c.size() < 2 ? "RUOTE" : c.size() < 3 ? "POSTE" : c.size() < 4 ? "DAL" : "COLPI", "campo mancante");
    if (c.size() > 6)
        throw ErroreFileGiocate(n, "F", "troppi campi (al più 6, separati da \";\")");
    Giocata g;
    std::string motivo;
    if (const auto numeri = leggiNumeri(senzaSpazi(c[0]), motivo))
        g.numeri = *numeri;
    else
        throw ErroreFileGiocate(n, "NUMERI", motivo);
    if (const auto ruote = leggiRuote(senzaSpazi(c[1]), motivo))
        g.ruote = *ruote;
    else
        throw ErroreFileGiocate(n, "RUOTE", motivo);
    const auto poste = campi(senzaSpazi(c[2]), '/');
    if (poste.size() != NumeroSorti)
        throw ErroreFileGiocate(n, "POSTE", "servono 5 poste separate da \"/\" (estratto/ambo/terno/quaterna/cinquina)");
    for (std::size_t s = 0; s < poste.size(); ++s) {
        const auto p = leggiEuro(senzaSpazi(poste[s]));
        if (!p)
            throw ErroreFileGiocate(n, "POSTE", "posta non valida \"" + storage::estratto(poste[s]) + "\" ("
                                                    + std::string(NomiSorti[s]) + ")");
        g.poste[s] = *p;
    }
    g.dal = senzaSpazi(c[3]);
    if (!regole::Data::leggi(g.dal))
        throw ErroreFileGiocate(n, "DAL", "data non valida \"" + storage::estratto(g.dal) + "\" (GG/MM/AAAA)");
    const std::string colpi = senzaSpazi(c[4]);
    g.colpi = 0;
    for (char x : colpi) {
        if (x < '0' || x > '9' || g.colpi > 9999) {
            g.colpi = 0;
            break;
        }
        g.colpi = g.colpi * 10 + (x - '0');
    }
    if (g.colpi < 1 || g.colpi > 9999)
        throw ErroreFileGiocate(n, "COLPI", "numero di colpi non valido \"" + storage::estratto(colpi) + "\" (da 1 a 9999)");
    if (c.size() == 6) {
        const std::string f = senzaSpazi(c[5]);
        if (f != "F" && f != "f")
            throw ErroreFileGiocate(n, "F", "atteso F (fino alla prima vincita), trovato \"" + storage::estratto(f) + "\"");
        g.finoAllaPrimaVincita = true;
    }
    if (const auto d = difettoGiocata(g)) {
        const auto duepunti = d->find(':');
        throw ErroreFileGiocate(n, d->substr(0, duepunti), d->substr(duepunti + 2));
    }
    return g;
}

}

std::vector<GiocataDelFile> leggiFileGiocate(const std::string& testo)
{
    std::vector<GiocataDelFile> giocate;
    int n = 0;
    std::size_t inizio = 0;
    while (inizio < testo.size()) {
        std::size_t fine = testo.find('\n', inizio);
        if (fine == std::string::npos)
            fine = testo.size();
        std::string riga = testo.substr(inizio, fine - inizio);
        inizio = fine + 1;
        ++n;
        if (!riga.empty() && riga.back() == '\r')
            riga.pop_back();
        const std::string pulita = senzaSpazi(riga);
        if (pulita.empty() || pulita[0] == '#')
            continue;
        giocate.push_back({n, leggiRiga(riga, n)});
    }
    return giocate;
}

std::string rigaFileGiocate(const Giocata& g)
{
    return testoNumeri(g.numeri) + ";" + testoRuote(g.ruote) + ";" + testoPoste(g.poste) + ";" + g.dal + ";"
           + std::to_string(g.colpi) + (g.finoAllaPrimaVincita ? ";F" : "");
}

}
