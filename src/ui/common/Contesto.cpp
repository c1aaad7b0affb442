// Reaching the mini list of draws from any window.
#include "ui/common/Contesto.h"

#include <QWidget>

namespace ui {

bool mostraNelMiniElenco(Contesto& contesto, int indice)
{
    auto* vista = dynamic_cast<VistaEstrazione*>(contesto.apriFinestra(QStringLiteral("Estrazioni_minielenco")));
    if (!vista)
        return false;
    vista->mostraEstrazione(indice);
    return true;
}

}
