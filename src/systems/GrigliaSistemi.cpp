// The rendimento table and the summary lines of the systems window and velmora-cli sistema.
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

const std::array<const char*, colonneRendimento::Quante> TitoliRendimento = {
    "Usciti", "Casi", "Estratto", "Ambo", "Terno", "Quaterna", "Cinquina", "Premio minimo", "Premio massimo"};

std::string testoRendimento(const RigaRendimento& riga, int colonna)
{
    if (colonna == colonneRendimento::Usciti)
        return std::to_string(riga.usciti);
    if (colonna == colonneRendimento::Casi)
        return testoIntero(riga.casi);
    if (!riga.calcolata)
        return colonna == colonneRendimento::Estratto ? "oltre il limite di calcolo" : "";
    if (colonna >= colonneRendimento::Estratto && colonna < colonneRendimento::Estratto + plays::NumeroSorti) {
        const auto s = static_cast<std::size_t>(colonna - colonneRendimento::Estratto);
        return intervallo(riga.minimo[s], riga.massimo[s]);
    }
    if (colonna == colonneRendimento::PremioMinimo)
        return plays::testoEuro(riga.premioMinimo);
    if (colonna == colonneRendimento::PremioMassimo)
        return plays::testoEuro(riga.premioMassimo);
    return {};
}

void scriviRendimento(grid::Grid& g, const std::vector<RigaRendimento>& righe)
{
    g = grid::Grid(1, colonneRendimento::Quante);
    for (int c = 0; c < colonneRendimento::Quante; ++c)
        g.setTesto(0, c, TitoliRendimento[static_cast<std::size_t>(c)]);
    for (const auto& riga : righe) {
        const int r = g.aggiungiRiga();
        for (int c = 0; c < colonneRendimento::Quante; ++c)
            g.setTesto(r, c, testoRendimento(riga, c));
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
