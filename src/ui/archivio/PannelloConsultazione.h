// The browser page of archivio: every stored draw in FgDB, selection of a draw, searches by index and date.
#pragma once

#include "grid/Grid.h"
#include "maintenance/Consultazione.h"
#include "ui/common/ModelloRighe.h"

#include <QWidget>

class QLabel;

namespace ui {
class GrigliaView;
}

namespace ui::archivio {

class Servizi;

class PannelloConsultazione : public QWidget {
    Q_OBJECT
public:
    explicit PannelloConsultazione(Servizi& servizi, QWidget* genitore = nullptr);
    ~PannelloConsultazione() override;

    // FgDB from the draws database.
    void CaricaGrigliaArchivio();
    // FgDB's type size and column widths for its width (after a load and at every resize).
    void adattaColonneFgDB();

    void selezioneEstrazione();   // Command11
    void ricercaPerIndice();      // Command42
    void ricercaPerData();        // Command59

    // FgDB as text (header row 0, row r draw r) and its current row (0: none).
    grid::Grid griglia() const { return righe_->testoTabella(); }
    int rigaCorrente() const { return corrente_; }

signals:
    // Selezione estrazione: the draw of row `indice` made the one shown and its date the new draw's date.
    void estrazioneSelezionata(int indice, const QString& data);
    // A search found draw `indice`: the entry page shows it.
    void estrazioneTrovata(int indice);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // The current row (a row of FgDB, 1 the first draw) drawn highlighted, the previous one plain.
    void evidenzia(int riga);

    Servizi& servizi_;
    ModelloRighe<maintenance::RigaArchivio>* righe_ = nullptr;   // FgDB's rows, one per stored draw
    int corrente_ = 0;
    GrigliaView* FgDB = nullptr;
    QLabel* Label9 = nullptr;   // the number of rows listed
};

}
