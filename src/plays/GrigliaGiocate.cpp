// Filling the grids of the plays window and of velmora-cli giocate.
#include "plays/GrigliaGiocate.h"

#include "plays/ArchivioGiocate.h"

namespace plays {

namespace {
// A light green: a play that won (the selection green stays for wheels and numbers).
constexpr grid::Colore Vincente = grid::rgb(200, 255, 200);
}

void scriviGiocate(grid::Grid& g, const std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti)
{
    g = grid::Grid(1, colonneGiocate::Quante);
    g.setIntestazione("N°|Numeri|Ruote|Poste|Dal|Colpi|Stato|Spesa|Vinto|Saldo|Resa attesa");
    const std::pair<int, int> larghezze[] = {{colonneGiocate::Numero, 600},  {colonneGiocate::Numeri, 2400}, {colonneGiocate::Ruote, 1800}, {colonneGiocate::Poste, 1500},
                                             {colonneGiocate::Dal, 1200},    {colonneGiocate::Colpi, 1100},  {colonneGiocate::Stato, 1000}, {colonneGiocate::Spesa, 1000},
                                             {colonneGiocate::Vinto, 1000},  {colonneGiocate::Saldo, 1000},  {colonneGiocate::Resa, 1200}};
    for (const auto& [c, l] : larghezze)
        g.setLarghezza(c, l);
    for (int c : {colonneGiocate::Numero, colonneGiocate::Colpi, colonneGiocate::Spesa, colonneGiocate::Vinto, colonneGiocate::Saldo, colonneGiocate::Resa})
        g.setAllineamento(c, grid::Allineamento::Destra);
    for (std::size_t i = 0; i < giocate.size() && i < esiti.size(); ++i) {
        const Giocata& x = giocate[i];
        const EsitoGiocata& e = esiti[i];
        const int r = g.aggiungiRiga();
        g.setNumero(r, colonneGiocate::Numero, x.id);
        g.setTesto(r, colonneGiocate::Numeri, testoNumeri(x.numeri));
        g.setTesto(r, colonneGiocate::Ruote, descrizioneRuote(x.ruote));
        g.setTesto(r, colonneGiocate::Poste, testoPoste(x.poste));
        g.setTesto(r, colonneGiocate::Dal, x.dal);
        g.setTesto(r, colonneGiocate::Colpi, std::to_string(e.colpiGiocati) + " di " + std::to_string(x.colpi) + (x.finoAllaPrimaVincita ? " F" : ""));
        g.setTesto(r, colonneGiocate::Stato, testoStato(e.stato));
        g.setTesto(r, colonneGiocate::Spesa, testoEuro(e.spesa));
        g.setTesto(r, colonneGiocate::Vinto, testoEuro(e.vinto()));
        g.setTesto(r, colonneGiocate::Saldo, testoEuro(e.saldo()));
        g.setTesto(r, colonneGiocate::Resa, testoPercentuale(e.resa));
        if (!e.vincite.empty())
            g.setSfondo(r, 0, r, colonneGiocate::Quante - 1, Vincente);
        if (e.saldo() < 0)
            g.setColoreTesto(r, colonneGiocate::Saldo, grid::colori::Rosso);
    }
}

void preparaVincite(grid::Grid& g)
{
    g = grid::Grid(1, colonneVincite::Quante);
    g.setIntestazione("Giocata|Data|Colpo|Ruota|Sorte|Punti|Lordo|Netto");
    for (int c : {colonneVincite::Giocata, colonneVincite::Colpo, colonneVincite::Punti, colonneVincite::Lordo, colonneVincite::Netto})
        g.setAllineamento(c, grid::Allineamento::Destra);
    g.setLarghezza(colonneVincite::Data, 1200);
}

void scriviVincite(grid::Grid& g, std::int64_t numero, const EsitoGiocata& esito)
{
    for (const Vincita& v : esito.vincite) {
        const int r = g.aggiungiRiga();
        g.setNumero(r, colonneVincite::Giocata, numero);
        g.setTesto(r, colonneVincite::Data, v.data);
        g.setNumero(r, colonneVincite::Colpo, v.colpo);
        g.setTesto(r, colonneVincite::Ruota, archive::SigleRuote[static_cast<std::size_t>(v.ruota)]);
        g.setTesto(r, colonneVincite::Sorte, NomiSorti[static_cast<std::size_t>(v.sorte - 1)]);
        g.setNumero(r, colonneVincite::Punti, v.punti);
        g.setTesto(r, colonneVincite::Lordo, testoEuro(v.lordo.centesimi()));
        g.setTesto(r, colonneVincite::Netto, testoEuro(v.netto.centesimi()));
    }
}

void scriviTariffe(grid::Grid& g, const Tariffe& t)
{
    g = grid::Grid(RigaRitenuta + 1, 2);
    g.setIntestazione("Sorte|Paga per 1 euro");
    g.setLarghezza(0, 1500);
    g.setLarghezza(1, 1800);
    g.setAllineamento(1, grid::Allineamento::Destra);
    for (int s = 1; s <= NumeroSorti; ++s) {
        g.setTesto(s, 0, NomiSorti[static_cast<std::size_t>(s - 1)]);
        g.setTesto(s, 1, testoCentesimi(t.paga[static_cast<std::size_t>(s - 1)], ','));
    }
    g.setTesto(RigaRitenuta, 0, "Ritenuta %");
    g.setTesto(RigaRitenuta, 1, testoCentesimi(t.ritenuta, ','));
}

std::optional<std::int64_t> leggiValoreTariffa(int riga, const std::string& testo)
{
    std::string pulito;
    for (char c : testo)
        if (c != ' ' && c != '%')
            pulito += c;
    if (riga >= 1 && riga <= NumeroSorti) {
        return leggiCentesimi(pulito);
    }
    if (riga == RigaRitenuta) {
        const auto v = leggiEuro(pulito);
        if (v && *v < 10000)
            return v;
    }
    return std::nullopt;
}

Tariffe conValore(Tariffe t, int riga, std::int64_t valore)
{
    if (riga >= 1 && riga <= NumeroSorti)
        t.paga[static_cast<std::size_t>(riga - 1)] = valore;
    else if (riga == RigaRitenuta)
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
