// The pieces the study pages share: labels, help button, layout, the observed-against-chance bar chart.
#include "ui/Statistiche/PaginaStudio.h"

#include "ui/common/Contesto.h"
#include "ui/common/Controlli.h"
#include "ui/common/Tema.h"

#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace ui {

QLabel* rigaDiTesto(const QString& nome, bool grassetto, QWidget* genitore)
{
    auto* l = etichetta(nome, {}, genitore);
    l->setWordWrap(true);
    if (grassetto) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QPushButton* pulsanteHelp(const QString& nome, Contesto& contesto, int pagina, QWidget* genitore)
{
    auto* b = pulsante(nome, QStringLiteral("?"), QStringLiteral("Help in linea"), genitore);
    b->setFixedWidth(34);
    QObject::connect(b, &QPushButton::clicked, genitore, [&contesto, pagina, genitore] {
        if (contesto.apriHelp)
            contesto.apriHelp(pagina, genitore->window());
    });
    return b;
}

QVBoxLayout* disponiPagina(QWidget* pagina, QLayout* scelte, QLabel* significato, QLabel* riepilogo, QWidget* sinistra,
                           QWidget* destra)
{
    auto* divisore = new QSplitter(Qt::Horizontal, pagina);
    divisore->addWidget(sinistra);
    divisore->addWidget(destra);
    // The tables keep their columns' width; the chart takes the rest.
    divisore->setStretchFactor(0, 0);
    divisore->setStretchFactor(1, 1);
    divisore->setChildrenCollapsible(false);
    auto* principale = new QVBoxLayout(pagina);
    principale->setContentsMargins(4, 4, 4, 4);
    principale->addLayout(scelte);
    principale->addWidget(significato);
    principale->addWidget(riepilogo);
    principale->addWidget(divisore, 1);
    return principale;
}

QChartView* nuovoGrafico(const QString& nome, QWidget* genitore)
{
    auto* v = new QChartView(genitore);
    v->setObjectName(nome);
    if (eScura(v->palette()))
        v->chart()->setTheme(QChart::ChartThemeDark);
    v->setRenderHint(QPainter::Antialiasing);
    v->setMinimumSize(380, 220);
    return v;
}

void disegnaConfronto(QChartView* vista, const Confronto& c)
{
    auto* grafico = vista->chart();
    grafico->removeAllSeries();
    // removeAllSeries deletes the series, but a removed axis is only handed back to us.
    for (auto* asse : grafico->axes()) {
        grafico->removeAxis(asse);
        delete asse;
    }
    grafico->setMargins(QMargins(2, 2, 2, 2));
    if (c.etichette.isEmpty()) {
        grafico->setTitle(QString());
        grafico->legend()->hide();
        return;
    }
    grafico->setTitle(c.titolo);
    auto* osservati = new QBarSet(c.osservati);
    auto* caso = new QBarSet(QStringLiteral("Attesi dal caso"));
    // The colours of the delays chart: blue the archive, orange chance.
    osservati->setColor(QColor(110, 140, 190));
    osservati->setBorderColor(QColor(110, 140, 190));
    caso->setColor(QColor(230, 120, 20));
    caso->setBorderColor(QColor(230, 120, 20));
    double massimo = 0;
    for (std::size_t i = 0; i < c.valoriOsservati.size() && i < c.valoriAttesi.size(); ++i) {
        *osservati << c.valoriOsservati[i];
        *caso << c.valoriAttesi[i];
        massimo = std::max({massimo, c.valoriOsservati[i], c.valoriAttesi[i]});
    }
    auto* serie = new QBarSeries;
    serie->setObjectName(c.serie);
    serie->append(osservati);
    serie->append(caso);
    grafico->addSeries(serie);
    auto* asseX = new QBarCategoryAxis;
    asseX->append(c.etichette);
    asseX->setTruncateLabels(false);
    asseX->setTitleText(c.asseX);
    auto* asseY = new QValueAxis;
    asseY->setRange(0, massimo > 0 ? massimo : 1);
    asseY->applyNiceNumbers();
    asseY->setLabelFormat(QStringLiteral("%.0f"));
    asseY->setTitleText(c.asseY);
    grafico->addAxis(asseX, Qt::AlignBottom);
    grafico->addAxis(asseY, Qt::AlignLeft);
    serie->attachAxis(asseX);
    serie->attachAxis(asseY);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    grafico->legend()->show();
}

}
