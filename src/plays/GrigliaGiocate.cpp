// Filling the grids of the plays window and of velmora-cli giocate.
#include "plays/GrigliaGiocate.h"

#include "plays/ArchivioGiocate.h"

namespace plays {

namespace {
// A light green: a play that won (the selection green stays for wheels and numbers).
constexpr grid::Colore Vincente = grid::rgb(200, 255, 200);
}

namespace {

void scriviRigaGiocata(grid::Grid& g, int r, const Giocata& x, const EsitoGiocata& e, bool rientrata)
{
    g.setNumero(r, colonneGiocate::Numero, x.id);
    g.setTesto(r, colonneGiocate::Numeri, (rientrata ? "   " : "") + testoNumeri(x.numeri));
    g.setTesto(r, colonneGiocate::Ruote, descrizioneRuote(x.ruote));
    g.setTesto(r, colonneGiocate::Poste, testoPoste(x.poste));
    g.setTesto(r, colonneGiocate::Dal, x.dal);
    g.setTesto(r, colonneGiocate::Colpi, std::to_string(e.colpiGiocati) + " di " + std::to_string(x.colpi) + (x.finoAllaPrimaVincita ? " F" : ""));
    g.setTesto(r, colonneGiocate::Stato, testoStato(e.stato));
    g.setTesto(r, colonneGiocate::Spesa, testoEuro(e.spesa));
    g.setTesto(r, colonneGiocate::Resa, testoPercentuale(e.resa));
    if (e.numeroVincite > 0)
        g.setSfondo(r, 0, r, colonneGiocate::Quante - 1, Vincente);
    try {
        g.setTesto(r, colonneGiocate::Vinto, testoEuro(e.vinto()));
        g.setTesto(r, colonneGiocate::Saldo, testoEuro(e.saldo()));
        if (e.saldo() < 0)
            g.setColoreTesto(r, colonneGiocate::Saldo, grid::colori::Rosso);
    } catch (const ImportoFuoriScala&) {
        // The window says why below the list; the cell holds no figure rather than a wrapped one.
        g.setTesto(r, colonneGiocate::Vinto, TestoFuoriScala);
        g.setTesto(r, colonneGiocate::Saldo, TestoFuoriScala);
    }
}

// The line of a system, "+ 8" (closed) or "− 8" (open) with its number: its tickets added up; its state the liveliest of theirs (one in corso keeps it in corso).
void scriviRigaSistema(grid::Grid& g, int r, std::int64_t gruppo, bool aperto, const std::vector<Giocata>& giocate,
                       const std::vector<EsitoGiocata>& esiti, std::size_t primo)
{
    TotaliGruppo t;
    Centesimi saldo = 0;
    bool inScala = true;
    try {
        t = totaliGruppo(giocate, esiti, gruppo);
        saldo = differenza(t.vinto, t.spesa);
    } catch (const ImportoFuoriScala&) {
        inScala = false;
    }
    bool inCorso = false, vinta = false;
    for (std::size_t i = 0; i < giocate.size() && i < esiti.size(); ++i)
        if (giocate[i].gruppo == gruppo) {
            inCorso = inCorso || esiti[i].stato == Stato::InCorso;
            vinta = vinta || esiti[i].numeroVincite > 0;
        }
    const Giocata& x = giocate[primo];
    g.setTesto(r, colonneGiocate::Numero, std::string(aperto ? "− " : "+ ") + std::to_string(gruppo));
    g.setTesto(r, colonneGiocate::Numeri, "Sistema: " + std::to_string(t.giocate) + " biglietti");
    g.setTesto(r, colonneGiocate::Ruote, descrizioneRuote(x.ruote));
    g.setTesto(r, colonneGiocate::Poste, testoPoste(x.poste));
    g.setTesto(r, colonneGiocate::Dal, x.dal);
    g.setTesto(r, colonneGiocate::Stato, testoStato(inCorso ? Stato::InCorso : vinta ? Stato::Vinta : Stato::Conclusa));
    g.setTesto(r, colonneGiocate::Spesa, inScala ? testoEuro(t.spesa) : TestoFuoriScala);
    g.setTesto(r, colonneGiocate::Vinto, inScala ? testoEuro(t.vinto) : TestoFuoriScala);
    g.setTesto(r, colonneGiocate::Saldo, inScala ? testoEuro(saldo) : TestoFuoriScala);
    g.setTesto(r, colonneGiocate::Resa, testoPercentuale(esiti[primo].resa));   // every ticket's: the system's
    g.setGrassetto(r, colonneGiocate::Numero, r, colonneGiocate::Numeri, true);
    if (vinta)
        g.setSfondo(r, 0, r, colonneGiocate::Quante - 1, Vincente);
    if (inScala && saldo < 0)
        g.setColoreTesto(r, colonneGiocate::Saldo, grid::colori::Rosso);
}

}

std::vector<RigaGiocate> scriviGiocate(grid::Grid& g, const std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti,
                                       const std::set<std::int64_t>& aperti)
{
    g = grid::Grid(1, colonneGiocate::Quante);
    g.setIntestazione("N°|Numeri|Ruote|Poste|Dal|Colpi|Stato|Spesa|Vinto|Saldo|Resa attesa");
    for (int c : {colonneGiocate::Numero, colonneGiocate::Colpi, colonneGiocate::Spesa, colonneGiocate::Vinto, colonneGiocate::Saldo, colonneGiocate::Resa})
        g.setAllineamento(c, grid::Allineamento::Destra);
    std::vector<RigaGiocate> righe;
    std::set<std::int64_t> scritti;
    for (std::size_t i = 0; i < giocate.size() && i < esiti.size(); ++i) {
        const std::int64_t gruppo = giocate[i].gruppo;
        if (gruppo <= 0) {
            scriviRigaGiocata(g, g.aggiungiRiga(), giocate[i], esiti[i], false);
            righe.push_back({static_cast<int>(i), 0});
            continue;
        }
        // The system's line where its first ticket stands, then, when open, all its tickets below it.
        if (!scritti.insert(gruppo).second)
            continue;
        const bool aperto = aperti.count(gruppo) > 0;
        scriviRigaSistema(g, g.aggiungiRiga(), gruppo, aperto, giocate, esiti, i);
        righe.push_back({-1, gruppo});
        if (!aperto)
            continue;
        for (std::size_t j = i; j < giocate.size() && j < esiti.size(); ++j)
            if (giocate[j].gruppo == gruppo) {
                scriviRigaGiocata(g, g.aggiungiRiga(), giocate[j], esiti[j], true);
                righe.push_back({static_cast<int>(j), gruppo});
            }
    }
    return righe;
}

void preparaVincite(grid::Grid& g)
{
    g = grid::Grid(1, colonneVincite::Quante);
    g.setIntestazione("Giocata|Data|Colpo|Ruota|Sorte|Punti|Lordo|Netto");
    for (int c : {colonneVincite::Giocata, colonneVincite::Colpo, colonneVincite::Punti, colonneVincite::Lordo, colonneVincite::Netto})
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

void scriviTariffe(grid::Grid& g, const Tariffe& t)
{
    g = grid::Grid(2, ColonnaRitenuta + 1);
    g.setIntestazione("Estratto|Ambo|Terno|Quaterna|Cinquina|Ritenuta %");
    for (int c = 0; c <= ColonnaRitenuta; ++c) {
        g.setAllineamento(c, grid::Allineamento::Destra);
        g.setTesto(1, c, testoCentesimi(c < NumeroSorti ? t.paga[static_cast<std::size_t>(c)] : t.ritenuta, ','));
    }
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
