// Filling the grids of the systems window and the lines of velmora-cli sistema.
#include "systems/GrigliaSistemi.h"

#include <algorithm>

namespace systems {

const char* const NotaResa =
    "Un sistema ridotto cambia la spesa e la dispersione degli esiti, non la resa media: ogni euro giocato rende in media "
    "quanto un euro su un solo biglietto.";

namespace {
std::string intervallo(std::int64_t minimo, std::int64_t massimo)
{
    if (minimo < 0)
        return "—";
    return minimo == massimo ? std::to_string(minimo) : std::to_string(minimo) + " – " + std::to_string(massimo);
}
}

Poste unEuroPerSorte(int k)
{
    Poste p{};
    for (int s = 1; s <= std::min(k, plays::NumeroSorti); ++s)
        p[static_cast<std::size_t>(s - 1)] = 100;
    return p;
}

void scriviBiglietti(grid::Grid& g, const Sistema& s, std::int64_t da, std::int64_t quanti)
{
    g = grid::Grid(1, colonneBiglietti::Quante);
    g.setIntestazione("N°|Biglietto");
    g.setLarghezza(colonneBiglietti::Numero, 800);
    g.setLarghezza(colonneBiglietti::Numeri, 3200);   // ten numbers
    g.setAllineamento(colonneBiglietti::Numero, grid::Allineamento::Destra);
    const std::int64_t fine = std::min(s.biglietti(), da + quanti);
    for (std::int64_t i = std::max<std::int64_t>(0, da); i < fine; ++i) {
        const int r = g.aggiungiRiga();
        g.setNumero(r, colonneBiglietti::Numero, i + 1);
        g.setTesto(r, colonneBiglietti::Numeri, plays::testoNumeri(s.biglietto(i)));
    }
}

void scriviRendimento(grid::Grid& g, const std::vector<RigaRendimento>& righe)
{
    g = grid::Grid(1, colonneRendimento::Quante);
    g.setIntestazione("Usciti|Casi|Estratto|Ambo|Terno|Quaterna|Cinquina|Premio minimo|Premio massimo");
    for (int c = 0; c < colonneRendimento::Quante; ++c) {
        g.setAllineamento(c, grid::Allineamento::Destra);
        g.setLarghezza(c, c >= colonneRendimento::PremioMinimo ? 1300 : c == colonneRendimento::Usciti ? 600 : c == colonneRendimento::Casi ? 750 : 870);
    }
    for (const auto& riga : righe) {
        const int r = g.aggiungiRiga();
        g.setNumero(r, colonneRendimento::Usciti, riga.usciti);
        g.setTesto(r, colonneRendimento::Casi, testoIntero(riga.casi));
        if (!riga.calcolata) {
            g.setTesto(r, colonneRendimento::Estratto, "oltre il limite di calcolo");
            continue;
        }
        for (int s = 0; s < plays::NumeroSorti; ++s)
            g.setTesto(r, colonneRendimento::Estratto + s,
                       intervallo(riga.minimo[static_cast<std::size_t>(s)], riga.massimo[static_cast<std::size_t>(s)]));
        g.setTesto(r, colonneRendimento::PremioMinimo, plays::testoEuro(riga.premioMinimo));
        g.setTesto(r, colonneRendimento::PremioMassimo, plays::testoEuro(riga.premioMassimo));
    }
}

std::string testoDimensione(const SistemaVerificato& r)
{
    const std::int64_t n = r.sistema.biglietti();
    std::string t = testoIntero(n) + (n == 1 ? " biglietto" : " biglietti");
    if (!r.sistema.integrale && r.limite > 0) {
        t += " (limite inferiore " + testoIntero(r.limite) + ", rapporto "
             + grid::conVirgola(static_cast<double>(n) / static_cast<double>(r.limite), 2) + ")";
    }
    t += " - " + r.sistema.metodo;
    if (r.interrotta)
        t += ", ricerca interrotta";
    return t;
}

std::string testoCosto(const Costo& c, const Poste& poste, int k, int ruote, int colpi)
{
    std::string sorti;
    for (int s = 1; s <= std::min(k, plays::NumeroSorti); ++s) {
        const auto p = poste[static_cast<std::size_t>(s - 1)];
        if (p > 0) {
            std::string nome(plays::NomiSorti[static_cast<std::size_t>(s - 1)]);
            nome[0] = static_cast<char>(nome[0] - 'A' + 'a');   // "Ambo" -> "ambo" inside a sentence
            sorti += (sorti.empty() ? "" : ", ") + plays::testoEuro(p) + " " + nome;
        }
    }
    std::string t = "poste per biglietto e ruota: " + (sorti.empty() ? std::string("nessuna") : sorti) + "; "
                    + plays::testoEuro(c.perEstrazioneRuota) + " euro a estrazione su una ruota";
    if (ruote != 1 || colpi != 1)
        t += ", " + plays::testoEuro(c.totale) + " euro su " + std::to_string(ruote) + (ruote == 1 ? " ruota" : " ruote") + " per "
             + std::to_string(colpi) + (colpi == 1 ? " colpo" : " colpi");
    t += "; ritorno atteso " + plays::testoEuro(c.ritornoAtteso) + " euro (resa " + plays::testoPercentuale(c.resa)
         + ", quella di un solo biglietto)";
    return t;
}

}
