// The small control makers the pages of archivio share: named buttons, help buttons, labels.
#pragma once

#include "ui/common/Controlli.h"

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace ui::archivio {

// The program's one button maker (Enter presses the focused button), with the pages' short call.
inline QPushButton* pulsante(const char* nome, const QString& testo, QWidget* genitore)
{
    return ui::pulsante(QString::fromLatin1(nome), testo, {}, genitore);
}

inline QPushButton* pulsanteHelp(const char* nome, QWidget* genitore)
{
    auto* b = pulsante(nome, QStringLiteral("?"), genitore);
    b->setToolTip(QStringLiteral("Help in linea"));
    b->setFixedWidth(30);
    return b;
}

// A note of the page: plain text that wraps.
inline QLabel* nota(const QString& testo, QWidget* genitore)
{
    auto* l = new QLabel(testo, genitore);
    l->setWordWrap(true);
    return l;
}

inline QLabel* etichetta(const char* nome, const QString& testo, QWidget* genitore, bool riquadro = false)
{
    auto* l = new QLabel(testo, genitore);
    if (nome)
        l->setObjectName(QString::fromLatin1(nome));
    if (riquadro) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(90);
    }
    return l;
}

}
