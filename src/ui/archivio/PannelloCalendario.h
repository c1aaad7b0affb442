// The calendar page of archivio: one year of draws by day and weekday in Fg1.
#pragma once

#include "grid/Grid.h"
#include "maintenance/Consultazione.h"
#include "ui/common/ModelloRighe.h"

#include <QWidget>

class QCheckBox;
class QComboBox;

namespace ui {
class GrigliaView;
}

namespace ui::archivio {

class Servizi;

class PannelloCalendario : public QWidget {
    Q_OBJECT
public:
    explicit PannelloCalendario(Servizi& servizi, QWidget* genitore = nullptr);
    ~PannelloCalendario() override;

    // The years from 1939 to this one, the last chosen (which fills the calendar).
    void preparaAnni();
    void caricaCalendario();                      // Command24, Combo1, Check2
    void clicCalendario(int riga, int colonna);   // Fg1

    // The calendar as text: the header row of the days, then one row per month.
    grid::Grid griglia() const { return mesi_->testoTabella(); }

signals:
    // A day with a draw was clicked: the entry page shows draw `indice`.
    void estrazioneTrovata(int indice);

private:
    Servizi& servizi_;
    maintenance::Calendario calendario_;   // what Fg1 shows, for the clicks
    ModelloRighe<maintenance::MeseCalendario>* mesi_ = nullptr;   // Fg1's rows, the months of calendario_
    QComboBox* Combo1 = nullptr;   // the year of the calendar
    QCheckBox* Check2 = nullptr;
    GrigliaView* Fg1 = nullptr;
};

}
