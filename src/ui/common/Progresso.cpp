// Progress bar driving with throttled repaints.
#include "ui/common/Progresso.h"

#include <algorithm>

namespace ui {

void BarraProgresso::imposta(int valore, int massimo)
{
    if (!barra_)
        return;
    if (massimo < 1)
        massimo = 1;
    valore = std::clamp(valore, 0, massimo);
    const int permille = static_cast<int>(1000LL * valore / massimo);
    const bool nuovoIntervallo = barra_->maximum() != massimo || barra_->minimum() != 0;
    if (nuovoIntervallo)
        barra_->setRange(0, massimo);
    if (nuovoIntervallo || permille != ultimoPermille_ || valore == massimo) {
        ultimoPermille_ = permille;
        barra_->setValue(valore);
    }
}

void BarraProgresso::azzera()
{
    ultimoPermille_ = -1;
    if (barra_)
        barra_->setValue(0);
}

}
