// Named controls shared by the windows.
#include "ui/common/Controlli.h"

#include <QLabel>
#include <QPushButton>

namespace ui {

QPushButton* pulsante(const QString& nome, const QString& testo, const QString& tooltip, QWidget* genitore)
{
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    if (!tooltip.isEmpty())
        b->setToolTip(tooltip);
    b->setAutoDefault(false);
    return b;
}

QLabel* etichetta(const QString& nome, const QString& testo, QWidget* genitore)
{
    auto* l = new QLabel(testo, genitore);
    l->setObjectName(nome);
    return l;
}

}
