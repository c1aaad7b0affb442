// The pieces the study pages share: labels, help button, layout, the observed-against-chance bar chart.
#include "ui/Statistiche/PaginaStudio.h"

#include "ui/common/Contesto.h"
#include "ui/common/Controlli.h"
#include "ui/common/Grafico.h"

#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>


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

Grafico* nuovoGrafico(const QString& nome, QWidget* genitore)
{
    auto* v = new Grafico(genitore);
    v->setObjectName(nome);
    v->setMinimumSize(380, 220);
    return v;
}

void disegnaConfronto(Grafico* vista, const Confronto& c)
{
    vista->azzera();
    if (c.etichette.isEmpty())
        return;
    vista->setTipo(Grafico::Tipo::Barre);
    vista->setTitolo(c.titolo);
    vista->setTitoliAssi(c.asseX, c.asseY);
    vista->setCategorie(c.etichette);
    vista->setDecimaliY(0);
    // The colours of the delays chart: blue the archive, orange chance.
    const std::size_t n = std::min(c.valoriOsservati.size(), c.valoriAttesi.size());
    vista->aggiungiSerie({c.osservati, QColor(110, 140, 190),
                          std::vector<double>(c.valoriOsservati.begin(), c.valoriOsservati.begin() + n), {}});
    vista->aggiungiSerie({QStringLiteral("Attesi dal caso"), QColor(230, 120, 20),
                          std::vector<double>(c.valoriAttesi.begin(), c.valoriAttesi.begin() + n), {}});
}

}
