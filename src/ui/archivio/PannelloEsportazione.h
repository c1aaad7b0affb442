// The export page of archivio: Numeris 3, Quintavo and Nazionale files, the remembered paths.
#pragma once

#include <QWidget>

#include <functional>

class QLabel;

namespace ui::archivio {

class Servizi;

class PannelloEsportazione : public QWidget {
    Q_OBJECT
public:
    explicit PannelloEsportazione(Servizi& servizi, QWidget* genitore = nullptr);

    // Label13 from "PercorsoDati.iii", the Quintavo folder: what the page shows at opening.
    void apri();
    void salvaNumeris3();            // Command10
    void rendePredefinita();         // Command35
    void salvaQuintavo();            // Command7
    void salvaNazionale();           // Command34
    void scegliCartellaQuintavo();   // Command36: the folder of DATI32.III, stored as "PercorsoQuintavo"
    // LblQuintavo and the Numeris 3 note: the folder the Quintavo export writes to.
    void mostraCartellaQuintavo();

private:
    // Runs an export on the runner with the busy pointer and bar pb1; `fatto` says whether the
    // file was written.
    void esportaIn(int formato, const QString& percorso, std::function<void(bool fatto, const QString& motivo)> fatto);
    // An export ended: the file written and the draws in it, or why nothing was.
    void esportazioneFinita(bool fatto, const QString& motivo, const QString& percorso, int estrazioni,
                            const QString& cosa);

    Servizi& servizi_;
    QLabel* Label13 = nullptr;   // the path of the last file written
    QLabel* LblQuintavo = nullptr;
    QLabel* LblEsportazione = nullptr;
    QLabel* notaNumeris3_ = nullptr;
};

}
