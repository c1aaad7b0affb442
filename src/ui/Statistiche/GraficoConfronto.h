// The bar chart the study pages share: what the archive shows beside what chance alone gives, class by class.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QChartView;
class QWidget;

namespace ui {

// A chart view named `nome`, drawn dark under a dark palette.
QChartView* nuovoGrafico(const QString& nome, QWidget* genitore);

// What one chart shows: one label per class, the observed and the expected counts.
struct Confronto {
    QString titolo;
    QString serie;            // objectName of the bar series, for the tests
    QString osservati;        // legend of the observed bars
    QString asseX;
    QString asseY;
    QStringList etichette;
    std::vector<double> valoriOsservati;
    std::vector<double> valoriAttesi;
};

// Redraws `vista` with the two sets of bars (blue the archive, orange chance); empty `etichette` clears it.
void disegnaConfronto(QChartView* vista, const Confronto& c);

}
