// The window Piramide1: AMBATE and ABBINAMENTI, the only long commands, run here and nowhere else.
#include "ui/Piramide1/Piramide1.h"

#include "ui/common/GrigliaView.h"
#include "workbench/Abbinamenti.h"
#include "workbench/Ambate.h"

#include <QRadioButton>
#include <QTabWidget>

namespace ui {

void Piramide1::Cmd_Step1() { avviaRicerca(0); }

void Piramide1::Command38() { avviaRicerca(Option1->isChecked() ? workbench::SorteAmbo : workbench::SorteTerno); }

void Piramide1::avviaRicerca(int sorte)
{
    auto& a = contesto_.sessione.archivio();
    const auto esito = sorte == 0 ? workbench::Cmd_Step1(banco_, a) : workbench::Command38(banco_, a, sorte);
    SSTab2->setCurrentIndex(sorte == 0 ? 0 : 1);
    aggiornaVista();
    mostra(esito);
    emit ricercaFinita();
}

void Piramide1::annullaRicerca() {}

void Piramide1::fermaRicerca() {}

void Piramide1::aspettaRicerca() {}

bool Piramide1::ricercaInCorso() const { return false; }

void Piramide1::ricercaConclusa() {}

void Piramide1::bloccaComandi(bool) {}

}
