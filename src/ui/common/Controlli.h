// The plain controls every window builds: a named push button and a named label.
#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QPushButton;
class QWidget;

namespace ui {

// A push button whose objectName is its control's name; Enter never presses it by default,
// only when it has the focus (as Space does).
QPushButton* pulsante(const QString& nome, const QString& testo, const QString& tooltip, QWidget* genitore);
// Enter or Return presses `b` when it has the focus (pulsante does this already).
void invioPremePulsante(QAbstractButton* b);
// A label whose objectName is its control's name.
QLabel* etichetta(const QString& nome, const QString& testo, QWidget* genitore);

}
