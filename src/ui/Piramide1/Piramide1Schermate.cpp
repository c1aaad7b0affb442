// The window Piramide1 in the registry, and its pictures: after an AMBATE search and with a saved pyramid loaded.
#include "ui/Piramide1/Piramide1.h"
#include "ui/Piramide1/PaginaConvalida.h"

#include "engine/Piramide.h"
#include "ui/common/RegistroFinestre.h"
#include "ui/common/Schermate.h"

#include <QLineEdit>
#include <QTabWidget>

namespace ui {

namespace {

// Every wheel in play, the cases of the reference draw, and the AMBATE search over the
// operators of type 1 and 2 (the opening chooses type 1).
void cercaAmbate(Piramide1* f)
{
    auto& b = f->banco();
    for (int w = 0; w < archive::NumeroRuote; ++w)
        workbench::setRuotaInGioco(b, w, true);
    f->sceltaTipo(2);
    f->Command9();
    f->Cmd_Step1();
    f->aspettaRicerca();
    f->aspettaConfrontoCaso();
}

}

void registraPiramide1()
{
    const QString nome = QStringLiteral("Piramide1");
    registroFinestre().registra(nome, [](Contesto& c) -> QWidget* { return new Piramide1(c); });
    registraSchermata(QStringLiteral("Piramide1_ambate"), nome, [](QWidget* w) {
        if (auto* f = qobject_cast<Piramide1*>(w)) {
            cercaAmbate(f);
            f->banco().esitoScelto = 1;
            f->aggiornaVista();
        }
    });
    // A maximised main window on a 1366x768 screen (1366x749 under its title bar): after
    // AMBATE, and after VERIFICA of the best formula put in brick 1 and verified as level 1.
    registraSchermata(
        QStringLiteral("Piramide1_ambate_1366"), nome,
        [](QWidget* w) {
            if (auto* f = qobject_cast<Piramide1*>(w)) {
                cercaAmbate(f);
                f->banco().esitoScelto = 1;
                f->aggiornaVista();
            }
        },
        1366, 749);
    registraSchermata(
        QStringLiteral("Piramide1_verifica_1366"), nome,
        [](QWidget* w) {
            auto* f = qobject_cast<Piramide1*>(w);
            if (!f)
                return;
            cercaAmbate(f);
            auto& b = f->banco();
            b.esitoScelto = 1;
            f->evidenziaMattone(1);
            f->Command21();
            f->Command2();
            f->Lbl_Riga(1);
            f->Command40();
        },
        1366, 749);
    registraSchermataConvalida();
    registraSchermata(QStringLiteral("Piramide1_piramide"), nome, [](QWidget* w) {
        auto* f = qobject_cast<Piramide1*>(w);
        if (!f)
            return;
        cercaAmbate(f);
        // The fifteen best formulas, one a brick, saved and loaded back.
        auto& b = f->banco();
        for (int m = 1; m <= engine::NumeroMattoni; ++m) {
            b.esitoScelto = m;
            b.mattoneCorrente = m;
            f->Command21();
        }
        if (auto* nome = f->findChild<QLineEdit*>(QStringLiteral("Txt_Denominazione")))
            nome->setText(QStringLiteral("Le migliori quindici"));
        f->Command11();
        f->caricaConfigurazione(1);
        f->evidenziaMattone(1);
        if (auto* t = f->findChild<QTabWidget*>(QStringLiteral("SSTab1")))
            t->setCurrentIndex(2);
    });
}

}
