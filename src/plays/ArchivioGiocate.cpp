// Plays and payouts in the program database: bound statements, one transaction per write.
#include "plays/ArchivioGiocate.h"

#include "regole/Data.h"
#include "storage/FileDiTesto.h"
#include "storage/ProgramDb.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace plays {

namespace {

std::array<Centesimi, NumeroSorti> leggiPoste(const std::string& testo, bool& ok)
{
    std::array<Centesimi, NumeroSorti> poste{};
    std::size_t s = 0, inizio = 0;
    ok = true;
    for (std::size_t i = 0; i <= testo.size() && ok; ++i) {
        if (i < testo.size() && testo[i] != '/')
            continue;
        if (s >= poste.size()) {
            ok = false;
            break;
        }
        bool negativo = false;
        std::int64_t v = 0;
        std::size_t j = inizio;
        if (j < i && testo[j] == '-') {
            negativo = true;
            ++j;
        }
        ok = j < i;
        for (; j < i && ok; ++j) {
            ok = testo[j] >= '0' && testo[j] <= '9' && v < 100000000000LL;
            v = v * 10 + (testo[j] - '0');
        }
        poste[s++] = negativo ? -v : v;
        inizio = i + 1;
    }
    ok = ok && s == poste.size();
    return poste;
}

std::string testoPosteCentesimi(const std::array<Centesimi, NumeroSorti>& poste)
{
    std::string t;
    for (std::size_t s = 0; s < poste.size(); ++s) {
        if (s > 0)
            t += '/';
        t += std::to_string(poste[s]);
    }
    return t;
}

void legaGiocata(storage::Istruzione& s, const Giocata& g)
{
    s.lega(1, g.dal).lega(2, testoRuote(g.ruote)).lega(3, testoNumeri(g.numeri)).lega(4, g.note);
    s.lega(5, testoPosteCentesimi(g.poste)).lega(6, g.colpi).lega(7, g.finoAllaPrimaVincita ? 1 : 0).lega(8, g.annunciata);
    if (g.gruppo > 0)
        s.lega(9, g.gruppo);
    else
        s.legaNull(9);
}

void controlla(const Giocata& g)
{
    if (const auto d = difettoGiocata(g))
        throw std::invalid_argument(*d);
}

}

std::vector<Giocata> leggiGiocate(storage::Database& db, int* illeggibili)
{
    std::vector<Giocata> giocate;
    int scartate = 0;
    auto s = db.prepara("SELECT IdGiocata, Data, Ruote, Numeri, Note, Poste, Colpi, FinoPrimaVincita, Annunciata, Gruppo"
                        " FROM Giocate ORDER BY IdGiocata");
    while (s.avanza()) {
        Giocata g;
        g.id = s.intero(0);
        g.dal = s.testo(1);
        std::string motivo;
        const auto ruote = leggiRuote(s.testo(2), motivo);
        const auto numeri = leggiNumeri(s.testo(3), motivo);
        g.note = s.testo(4);
        bool posteOk = false;
        g.poste = leggiPoste(s.testo(5), posteOk);
        g.colpi = s.nullo(6) ? 0 : static_cast<int>(std::clamp<std::int64_t>(s.intero(6), 0, 1 << 20));
        g.finoAllaPrimaVincita = !s.nullo(7) && s.intero(7) != 0;
        g.annunciata = s.testo(8);
        g.gruppo = s.nullo(9) ? 0 : s.intero(9);
        if (ruote)
            g.ruote = *ruote;
        if (numeri)
            g.numeri = *numeri;
        if (!ruote || !numeri || !posteOk || difettoGiocata(g)) {
            ++scartate;
            continue;
        }
        giocate.push_back(std::move(g));
    }
    if (illeggibili)
        *illeggibili = scartate;
    return giocate;
}

std::int64_t aggiungiGiocata(storage::Database& db, const Giocata& g) { return aggiungiGiocate(db, {g}).front(); }

std::vector<std::int64_t> aggiungiGiocate(storage::Database& db, const std::vector<Giocata>& giocate, bool gruppo)
{
    for (const auto& g : giocate)
        controlla(g);
    std::vector<std::int64_t> id;
    storage::Transazione t(db);
    auto s = db.prepara("INSERT INTO Giocate (Data, Ruote, Numeri, Note, Poste, Colpi, FinoPrimaVincita, Annunciata, Gruppo)"
                        " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    for (Giocata g : giocate) {
        // The group is known once its first play has its IdGiocata: the later rows take it as they are
        // written, the first one just after.
        if (gruppo)
            g.gruppo = id.empty() ? 0 : id.front();
        legaGiocata(s, g);
        s.esegui();
        id.push_back(db.ultimoId());
    }
    if (gruppo && !id.empty()) {
        auto u = db.prepara("UPDATE Giocate SET Gruppo = ?1 WHERE IdGiocata = ?1");
        u.lega(1, id.front());
        u.esegui();
    }
    t.conferma();
    return id;
}

bool modificaGiocata(storage::Database& db, const Giocata& g)
{
    controlla(g);
    storage::Transazione t(db);
    auto s = db.prepara("UPDATE Giocate SET Data = ?1, Ruote = ?2, Numeri = ?3, Note = ?4, Poste = ?5, Colpi = ?6,"
                        " FinoPrimaVincita = ?7, Annunciata = ?8, Gruppo = ?9 WHERE IdGiocata = ?10");
    legaGiocata(s, g);
    s.lega(10, g.id);
    s.esegui();
    const bool trovata = db.modificate() > 0;
    t.conferma();
    return trovata;
}

bool eliminaGiocata(storage::Database& db, std::int64_t id)
{
    storage::Transazione t(db);
    auto s = db.prepara("DELETE FROM Giocate WHERE IdGiocata = ?1");
    s.lega(1, id);
    s.esegui();
    const bool trovata = db.modificate() > 0;
    t.conferma();
    return trovata;
}

void segnaAnnunciate(storage::Database& db, const std::vector<std::pair<std::int64_t, std::string>>& annunci)
{
    if (annunci.empty())
        return;
    storage::Transazione t(db);
    auto s = db.prepara("UPDATE Giocate SET Annunciata = ?2 WHERE IdGiocata = ?1");
    for (const auto& [id, data] : annunci) {
        s.lega(1, id).lega(2, data);
        s.esegui();
    }
    t.conferma();
}

std::optional<std::int64_t> leggiCentesimi(std::string_view testo)
{
    // The cinquina pays six million per euro: more than a hundred million is a slip of the keyboard.
    const auto c = leggiCentesimiFino(testo, 10000000000LL);
    if (!c || *c <= 0)
        return std::nullopt;
    return *c;
}

Tariffe leggiTariffe(storage::Database& db, std::vector<std::string>* illeggibili, const regole::TabellaPremi& legge)
{
    Tariffe t(legge);
    for (std::size_t i = 0; i < std::size(storage::ParametriVincite); ++i) {
        const auto valore = storage::LeggiParametro(db, storage::ParametriVincite[i]);
        if (!valore)
            continue;   // a row taken away: the law's value, as in a new database
        // The levy may be 0; a payout may not.
        auto c = i < NumeroSorti ? leggiCentesimi(*valore) : leggiEuro(*valore);
        if (c && i == NumeroSorti && *c >= 10000)
            c.reset();
        if (!c) {
            if (illeggibili)
                illeggibili->push_back(std::string("il valore di ") + storage::ParametriVincite[i]
                                       + " nella tabella ParametriProgramma (\"" + storage::estratto(*valore) + "\") non è "
                                       + (i < NumeroSorti ? "una paga (più di 0, fino a 100000000)" : "una ritenuta (da 0 a meno di 100)")
                                       + ": si usa quello di legge, " + storage::valoreParametroVincite(i, legge));
            continue;
        }
        if (i < NumeroSorti)
            t.paga[i] = *c;
        else
            t.ritenuta = static_cast<int>(*c);
    }
    return t;
}

void salvaTariffe(storage::Database& db, const Tariffe& t)
{
    storage::Transazione tr(db);
    // The engine has no upsert: the row is rewritten, or added when a hand took it away.
    auto aggiorna = db.prepara("UPDATE ParametriProgramma SET Valore1 = ?2 WHERE Parametro = ?1");
    auto aggiungi = db.prepara("INSERT INTO ParametriProgramma (Parametro, Valore1, Valore2) VALUES (?1, ?2, '')");
    for (std::size_t i = 0; i < std::size(storage::ParametriVincite); ++i) {
        const std::string valore = storage::valoreParametroVincite(i, t);
        aggiorna.lega(1, storage::ParametriVincite[i]).lega(2, valore);
        aggiorna.esegui();
        aggiorna.riavvolgi();
        if (db.modificate() == 0) {
            aggiungi.lega(1, storage::ParametriVincite[i]).lega(2, valore);
            aggiungi.esegui();
            aggiungi.riavvolgi();
        }
    }
    tr.conferma();
}

std::string giornoDopo(const std::string& ggmmaaaa)
{
    const auto d = regole::Data::leggi(ggmmaaaa);
    return d ? d->giornoDopo().testo() : std::string();
}

Giocata giocataDaAmbata(int numero, const std::array<bool, archive::NumeroRuote>& ruote, int colpi,
                        const std::string& dataRiferimento, const std::string& note)
{
    Giocata g;
    g.numeri = {numero};
    g.ruote = ruote;
    g.poste[0] = 100;
    g.dal = giornoDopo(dataRiferimento);
    g.colpi = colpi;
    g.note = note;
    return g;
}

}
