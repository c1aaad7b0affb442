// The columns of the brick grids FgF and Fg5.
#include "ui/Piramide1/ColonneMattoni.h"

#include "engine/Piramide.h"
#include "ui/common/GrigliaView.h"

#include <array>

namespace ui::piramide1 {

std::vector<ColonnaDi<engine::Mattone>> colonneMattoni(std::string_view intestazione, EvidenzaMattone evidenza,
                                                        bool nascoste, ModificaMattone modifica)
{
    using namespace engine::colF;
    // Narrow number, wheel and value columns: the grids fit the pyramid's column.
    constexpr std::array<int, VAL + 1> larghezze = {350, 250, 250, 600, 600, 400, 960, 450, 400, 960, 450, 400};
    auto colonne = colonneDi<engine::Mattone>(intestazione, larghezze, &engine::testoMattone, grid::Allineamento::Centro);
    for (int c = 0; c <= VAL; ++c) {
        auto& col = colonne[static_cast<std::size_t>(c)];
        col.sfondo = [evidenza, c](const engine::Mattone& m) -> std::optional<grid::Colore> {
            if (evidenza.evidenziato && evidenza.evidenziato(m))
                return c == Riga && evidenza.numero ? *evidenza.numero : evidenza.riga;
            return engine::sfondoColonnaMattone(c);
        };
        col.coloreTesto = [c](const engine::Mattone&) { return engine::coloreTestoColonnaMattone(c); };
        col.nascosta = nascoste && (c == Ri || c == Co || c == Tipo || c == R1 || c == R2);
        if (modifica && c >= Tras)
            col.modifica = [modifica, c](engine::Mattone& m, const QString& testo) {
                return modifica(m, c, testo.toStdString());
            };
    }
    return colonne;
}

void mostraMattoni(ModelloRighe<engine::Mattone>& modello, GrigliaView& vista, const std::vector<engine::Mattone>& mattoni,
                   bool& nascoste, bool nascosteOra, const std::function<std::vector<ColonnaDi<engine::Mattone>>()>& colonne)
{
    if (nascoste != nascosteOra) {
        nascoste = nascosteOra;
        modello.setColonne(colonne());
        vista.aggiorna();
    }
    modello.sostituisci(mattoni);
    vista.viewport()->update();
}

}
