// The right of Piramide1: the results above (PannelloEsiti), the cases and verifications below (PannelloVerifiche).
#pragma once

#include "ui/Piramide1/PannelloEsiti.h"
#include "ui/Piramide1/PannelloVerifiche.h"

#include <QSplitter>

namespace ui {

// Where a new page of results goes: esiti()->aggiungiPagina(pagina, titolo) puts it in
// SSTab2 after Ambate and Abbinamenti; a command on a result row goes beside Imposta with
// esiti()->aggiungiComando(PannelloEsiti::Ambate, pulsante).
class PannelloRisultati : public QSplitter {
    Q_OBJECT
public:
    PannelloRisultati(workbench::Banco& banco, QWidget* genitore);

    PannelloEsiti* esiti() const { return esiti_; }
    PannelloVerifiche* verifiche() const { return verifiche_; }

    // The room between results and verification follows the work: a search shows ten
    // result rows and more, a verification its report.
    void spazioAiRisultati(bool risultati);

private:
    PannelloEsiti* esiti_ = nullptr;
    PannelloVerifiche* verifiche_ = nullptr;
};

}
