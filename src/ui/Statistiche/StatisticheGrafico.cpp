// The chart of Statistiche: the current delays of the 90 numbers by class, beside the counts chance alone would give.
#include "ui/Statistiche/Statistiche.h"

#include <QComboBox>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace ui {

void Statistiche::aggiornaGrafico()
{
    auto* c = Grafico->chart();
    c->removeAllSeries();
    // removeAllSeries deletes the series, but a removed axis is only handed back to us.
    for (auto* asse : c->axes()) {
        c->removeAxis(asse);
        delete asse;
    }
    c->setMargins(QMargins(2, 2, 2, 2));
    if (classi_.empty()) {
        c->setTitle(QString());
        c->legend()->hide();
        return;
    }
    c->setTitle(Sorte->currentIndex() == 1 ? QStringLiteral("Ritardi attuali dei 90 numeri singoli (non degli ambi), e per caso")
                                           : QStringLiteral("Ritardi attuali dei 90 numeri, e per caso"));
    auto* numeri = new QBarSet(QStringLiteral("Numeri"));
    auto* caso = new QBarSet(QStringLiteral("Attesi dal caso"));
    numeri->setColor(QColor(110, 140, 190));
    numeri->setBorderColor(QColor(110, 140, 190));
    caso->setColor(QColor(230, 120, 20));
    caso->setBorderColor(QColor(230, 120, 20));
    QStringList etichette;
    double massimo = 0;
    for (const auto& k : classi_) {
        *numeri << k.osservati;
        *caso << k.attesi;
        massimo = std::max({massimo, static_cast<double>(k.osservati), k.attesi});
        // Each class by its first delay: short labels stay whole on a narrow chart.
        etichette << (k.a < 0 ? QStringLiteral("%1+").arg(k.da) : QString::number(k.da));
    }
    auto* serie = new QBarSeries;
    serie->setObjectName(QStringLiteral("SerieRitardi"));
    serie->append(numeri);
    serie->append(caso);
    c->addSeries(serie);
    auto* asseX = new QBarCategoryAxis;
    asseX->append(etichette);
    asseX->setTruncateLabels(false);
    const int larghezza = classi_.size() > 1 ? classi_[1].da : 1;
    asseX->setTitleText(larghezza > 1 ? QStringLiteral("Ritardo (classi di %1 estrazioni contate)").arg(larghezza)
                                      : QStringLiteral("Ritardo (estrazioni contate)"));
    auto* asseY = new QValueAxis;
    asseY->setRange(0, massimo > 0 ? massimo : 1);
    asseY->applyNiceNumbers();
    asseY->setLabelFormat(QStringLiteral("%.0f"));
    asseY->setTitleText(QStringLiteral("Numeri"));
    c->addAxis(asseX, Qt::AlignBottom);
    c->addAxis(asseY, Qt::AlignLeft);
    serie->attachAxis(asseX);
    serie->attachAxis(asseY);
    c->legend()->setAlignment(Qt::AlignBottom);
    c->legend()->show();
}

}
