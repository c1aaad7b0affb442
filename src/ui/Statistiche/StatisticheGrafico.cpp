// The chart of Statistiche: the current delays of the 90 numbers by class, beside the counts chance alone would give.
#include "ui/Statistiche/Statistiche.h"

#include "ui/Statistiche/PaginaStudio.h"

#include <QComboBox>

namespace ui {

void Statistiche::aggiornaGrafico()
{
    Confronto c;
    if (!classi_.empty()) {
        c.titolo = Sorte->currentIndex() == 1 ? QStringLiteral("Ritardi attuali dei 90 numeri singoli (non degli ambi), e per caso")
                                              : QStringLiteral("Ritardi attuali dei 90 numeri, e per caso");
        c.osservati = QStringLiteral("Numeri");
        const int larghezza = classi_.size() > 1 ? classi_[1].da : 1;
        c.asseX = larghezza > 1 ? QStringLiteral("Ritardo (classi di %1 estrazioni contate)").arg(larghezza)
                                : QStringLiteral("Ritardo (estrazioni contate)");
        c.asseY = QStringLiteral("Numeri");
        for (const auto& k : classi_) {
            // Each class by its first delay: short labels stay whole on a narrow chart.
            c.etichette << (k.a < 0 ? QStringLiteral("%1+").arg(k.da) : QString::number(k.da));
            c.valoriOsservati.push_back(k.osservati);
            c.valoriAttesi.push_back(k.attesi);
        }
    }
    disegnaConfronto(Grafico, c);
}

}
