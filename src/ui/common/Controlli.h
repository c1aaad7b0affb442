// The plain controls every window builds: a named push button and a named label.
#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace ui {

// A push button whose objectName is its control's name; Enter never presses it by default.
QPushButton* pulsante(const QString& nome, const QString& testo, const QString& tooltip, QWidget* genitore);
// A label whose objectName is its control's name.
QLabel* etichetta(const QString& nome, const QString& testo, QWidget* genitore);

}
