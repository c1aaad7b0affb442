// Filling the grids of the plays window and of velmora-cli giocate.
#include "plays/GrigliaGiocate.h"

#include "plays/ArchivioGiocate.h"

#include <algorithm>

namespace plays {

namespace {

std::string intestazione(const auto& titoli)
{
    std::string testo;
    for (const char* t : titoli)
        testo += (testo.empty() ? "" : "|") + std::string(t);
    return testo;
}

// A sum in euro, or what stands in place of one too large to show.
template <class Somma>
std::string euroOFuoriScala(Somma&& somma)
{
    try {
        return testoEuro(somma());
    } catch (const ImportoFuoriScala&) {
        // The window says why below the list; the cell holds no figure rather than a wrapped one.
        return TestoFuoriScala;
    }
}

// The line of a system, "+ 8" (closed) or "− 8" (open) with its number: its tickets added up; its state the liveliest of theirs (one in corso keeps it in corso).
std::string testoSistema(const RigaElenco& r, int colonna)
{
    using namespace colonneGiocate;
    switch (colonna) {
    case Numero:
        return std::string(r.aperto ? "− " : "+ ") + std::to_string(r.posto.gruppo);
    case Numeri:
        return "Sistema: " + std::to_string(r.totali ? r.totali->giocate : 0) + " biglietti";
    case colonneGiocate::Stato:
        return testoStato(r.statoSistema);
    case Colpi:
        return {};
    case Spesa:
        return r.totali ? testoEuro(r.totali->spesa) : TestoFuoriScala;
    case Vinto:
        return r.totali ? testoEuro(r.totali->vinto) : TestoFuoriScala;
    case Saldo:
        return r.totali ? euroOFuoriScala([&] { return r.totali->saldo(); }) : TestoFuoriScala;
    default:
        return {};
    }
}

}

bool allineataADestra(int c)
{
    using namespace colonneGiocate;
    return c == Numero || c == Colpi || c == Spesa || c == Vinto || c == Saldo || c == Resa;
}

bool allineataADestraVincite(int c)
{
    using namespace colonneVincite;
    return c == colonneVincite::Giocata || c == Colpo || c == Punti || c == Lordo || c == Netto;
}

std::string testoElenco(const RigaElenco& r, int colonna)
{
    using namespace colonneGiocate;
    const Giocata& x = r.giocata;
    const EsitoGiocata& e = r.esito;
    // The columns a system's line shares with its first ticket.
    switch (colonna) {
    case Ruote:
        return descrizioneRuote(x.ruote);
    case Poste:
        return testoPoste(x.poste);
    case Dal:
        return x.dal;
    case Resa:
        return testoPercentuale(e.resa);   // every ticket's: the system's
    default:
        break;
    }
    if (r.sistema())
        return testoSistema(r, colonna);
    switch (colonna) {
    case Numero:
        return std::to_string(x.id);
    case Numeri:
        return (r.rientrata ? "   " : "") + testoNumeri(x.numeri);
    case Colpi:
        return std::to_string(e.colpiGiocati) + " di " + std::to_string(x.colpi) + (x.finoAllaPrimaVincita ? " F" : "");
    case colonneGiocate::Stato:
        return testoStato(e.stato);
    case Spesa:
        return testoEuro(e.spesa);
    case Vinto:
        // Beside a Saldo that cannot be shown, no Vinto either.
        return euroOFuoriScala([&] {
            (void)e.saldo();
            return e.vinto();
        });
    case Saldo:
        return euroOFuoriScala([&] { return e.saldo(); });
    default:
        return {};
    }
}

bool vintaElenco(const RigaElenco& r)
{
    return r.sistema() ? r.sistemaVinto : r.esito.numeroVincite > 0;
}

bool inPerditaElenco(const RigaElenco& r)
{
    try {
        return r.sistema() ? r.totali && r.totali->saldo() < 0 : r.esito.saldo() < 0;
    } catch (const ImportoFuoriScala&) {
        return false;
    }
}

std::vector<RigaElenco> righeElenco(const std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti,
                                    const std::set<std::int64_t>& aperti)
{
    std::vector<RigaElenco> righe;
    std::set<std::int64_t> scritti;
    const std::size_t quante = std::min(giocate.size(), esiti.size());
    const auto biglietto = [&](std::size_t i, bool rientrata) {
        RigaElenco r;
        r.posto = {static_cast<int>(i), giocate[i].gruppo > 0 ? giocate[i].gruppo : 0};
        r.giocata = giocate[i];
        r.esito = esiti[i];
        r.rientrata = rientrata;
        righe.push_back(std::move(r));
    };
    for (std::size_t i = 0; i < quante; ++i) {
        const std::int64_t gruppo = giocate[i].gruppo;
        if (gruppo <= 0) {
            biglietto(i, false);
            continue;
        }
        // The system's line where its first ticket stands, then, when open, all its tickets below it.
        if (!scritti.insert(gruppo).second)
            continue;
        RigaElenco s;
        s.posto = {-1, gruppo};
        s.giocata = giocate[i];
        s.esito = esiti[i];
        s.aperto = aperti.count(gruppo) > 0;
        try {
            const TotaliGruppo t = totaliGruppo(giocate, esiti, gruppo);
            (void)t.saldo();   // a saldo too large leaves every sum of the line unshown
            s.totali = t;
        } catch (const ImportoFuoriScala&) {
            s.totali.reset();
        }
        bool inCorso = false;
        for (std::size_t j = 0; j < quante; ++j)
            if (giocate[j].gruppo == gruppo) {
                inCorso = inCorso || esiti[j].stato == Stato::InCorso;
                s.sistemaVinto = s.sistemaVinto || esiti[j].numeroVincite > 0;
            }
        s.statoSistema = inCorso ? Stato::InCorso : s.sistemaVinto ? Stato::Vinta : Stato::Conclusa;
        const bool aperto = s.aperto;
        righe.push_back(std::move(s));
        if (!aperto)
            continue;
        for (std::size_t j = i; j < quante; ++j)
            if (giocate[j].gruppo == gruppo)
                biglietto(j, true);
    }
    return righe;
}

void preparaVincite(grid::Grid& g)
{
    g = grid::Grid(1, colonneVincite::Quante);
    g.setIntestazione(intestazione(TitoliVincite));
    for (int c = 0; c < colonneVincite::Quante; ++c)
        if (allineataADestraVincite(c))
            g.setAllineamento(c, grid::Allineamento::Destra);
}

std::array<std::string, colonneVincite::Quante> celleVincita(std::int64_t numero, const Vincita& v)
{
    std::array<std::string, colonneVincite::Quante> c;
    c[colonneVincite::Giocata] = std::to_string(numero);
    c[colonneVincite::Data] = v.data;
    c[colonneVincite::Colpo] = std::to_string(v.colpo);
    c[colonneVincite::Ruota] = archive::SigleRuote[static_cast<std::size_t>(v.ruota)];
    c[colonneVincite::Sorte] = NomiSorti[static_cast<std::size_t>(v.sorte - 1)];
    c[colonneVincite::Punti] = std::to_string(v.punti);
    c[colonneVincite::Lordo] = testoEuro(v.lordo.centesimi());
    c[colonneVincite::Netto] = testoEuro(v.netto.centesimi());
    return c;
}

void scriviVincite(grid::Grid& g, std::int64_t numero, const EsitoGiocata& esito)
{
    for (const Vincita& v : esito.vincite) {
        const int r = g.aggiungiRiga();
        const auto celle = celleVincita(numero, v);
        for (int c = 0; c < colonneVincite::Quante; ++c)
            g.setTesto(r, c, celle[static_cast<std::size_t>(c)]);
    }
}

std::string testoTariffa(const Tariffe& t, int colonna)
{
    if (colonna < 0 || colonna > ColonnaRitenuta)
        return {};
    return testoCentesimi(colonna < NumeroSorti ? t.paga[static_cast<std::size_t>(colonna)] : t.ritenuta, ',');
}

std::optional<std::int64_t> leggiValoreTariffa(int colonna, const std::string& testo)
{
    std::string pulito;
    for (char c : testo)
        if (c != ' ' && c != '%')
            pulito += c;
    if (colonna >= 0 && colonna < NumeroSorti)
        return leggiCentesimi(pulito);
    if (colonna == ColonnaRitenuta) {
        const auto v = leggiEuro(pulito);
        if (v && *v < 10000)
            return v;
    }
    return std::nullopt;
}

Tariffe conValore(Tariffe t, int colonna, std::int64_t valore)
{
    if (colonna >= 0 && colonna < NumeroSorti)
        t.paga[static_cast<std::size_t>(colonna)] = valore;
    else if (colonna == ColonnaRitenuta)
        t.ritenuta = static_cast<int>(valore);
    return t;
}

std::string riepilogo(std::int64_t numero, const Giocata& g, const EsitoGiocata& e)
{
    return "Giocata " + std::to_string(numero) + ": colpi giocati " + std::to_string(e.colpiGiocati) + " di "
           + std::to_string(g.colpi) + ", spesa " + testoEuro(e.spesa) + ", vinto (netto) " + testoEuro(e.vinto())
           + ", saldo " + testoEuro(e.saldo()) + ", resa attesa " + testoPercentuale(e.resa)
           + (e.stato == Stato::InCorso ? ", in corso" : "");
}

}
