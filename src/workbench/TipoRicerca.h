// The kinds of formula search of the workbench, and the one table that tells them apart.
#pragma once

#include "grid/Grid.h"
#include "workbench/Banco.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace workbench {

// AMBATE plays the number a formula gives alone; ABBINAMENTI joins it to the numbers a
// verified level gives each case (FgX), for an ambo or a terno.
enum class TipoRicerca { Ambate, AbbinamentiAmbo, AbbinamentiTerno };

// What sets a kind apart: the search, its messages and the grid of its results read it here.
struct DescrizioneRicerca {
    TipoRicerca tipo;
    int sorte;                            // 0: the number alone wins; 2, 3: with the case's numbers
    bool abbina;                          // joins the numbers of FgX to each candidate
    std::vector<RigaEsito> Banco::*righe; // the rows of its results
    int Banco::*scelta;                   // the row of them the user stands on
    grid::Grid Banco::*risultati;         // the grid that writes them out as text
    std::string_view colonnaPrevisione;   // header of the forecast column
    std::string_view uno, diversi;        // the ties' numbers: "ambata" / "ambate diverse"
    std::string_view nessuno;             // "nessuna ambata giocabile"
};

// Every kind, in the order of the window's pages of results. A new kind is one more row
// here (with its page added through Piramide1::aggiungiPagina when it has its own grid).
inline constexpr std::array<DescrizioneRicerca, 3> Ricerche = {{
    {TipoRicerca::Ambate, 0, false, &Banco::esiti, &Banco::esitoScelto, &Banco::FgEsiti,
     "Ambata", "ambata", "ambate diverse", "nessuna ambata giocabile"},
    {TipoRicerca::AbbinamentiAmbo, 2, true, &Banco::abbinamenti, &Banco::abbinamentoScelto, &Banco::FgGr,
     "Abbinato", "numero", "numeri diversi", "nessun numero giocabile"},
    {TipoRicerca::AbbinamentiTerno, 3, true, &Banco::abbinamenti, &Banco::abbinamentoScelto, &Banco::FgGr,
     "Abbinato", "numero", "numeri diversi", "nessun numero giocabile"},
}};

constexpr const DescrizioneRicerca& descrizione(TipoRicerca t) { return Ricerche[static_cast<std::size_t>(t)]; }
constexpr int sorteDi(TipoRicerca t) { return descrizione(t).sorte; }

// The kind whose sorte is `sorte` (0, 2, 3); none for any other.
constexpr std::optional<TipoRicerca> ricercaDellaSorte(int sorte)
{
    for (const auto& r : Ricerche)
        if (r.sorte == sorte)
            return r.tipo;
    return std::nullopt;
}

// The grid of the results of a kind in `b`.
inline grid::Grid& grigliaRisultati(Banco& b, TipoRicerca t) { return b.*descrizione(t).risultati; }
inline const grid::Grid& grigliaRisultati(const Banco& b, TipoRicerca t) { return b.*descrizione(t).risultati; }
// The rows of the results of a kind in `b`.
inline std::vector<RigaEsito>& righeRisultati(Banco& b, TipoRicerca t) { return b.*descrizione(t).righe; }
inline const std::vector<RigaEsito>& righeRisultati(const Banco& b, TipoRicerca t) { return b.*descrizione(t).righe; }

}
