// The window Piramide1: AMBATE and ABBINAMENTI, its only long commands, run off the interface thread here and nowhere else.
#include "ui/Piramide1/Piramide1.h"

#include "ui/common/GrigliaView.h"
#include "workbench/Abbinamenti.h"
#include "workbench/Ambate.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace ui {

void Piramide1::Cmd_Step1() { avviaRicerca(0); }

void Piramide1::Command38() { avviaRicerca(Option1->isChecked() ? workbench::SorteAmbo : workbench::SorteTerno); }

void Piramide1::avviaRicerca(int sorte)
{
    if (lavoro_.occupato())
        return;
    // Everything the search reads is copied here, on this thread: the grids stay the window's.
    const auto imp = workbench::leggiImpostazioniRicerca(banco_, sorte);
    const std::string inizio = workbench::orarioList1();
    const archive::Archivio& archivio = contesto_.sessione.archivio();
    auto risultato = std::make_shared<workbench::RisultatoRicerca>();
    bloccaComandi(true);
    const auto list1Prima = banco_.List1;
    banco_.List1 = {inizio};
    aggiornaVista();
    lavoro_.avvia([imp, risultato, &archivio](archive::Avanzamento& av) { *risultato = workbench::cercaFormule(imp, archivio, &av); },
                  [this, imp, risultato, inizio, sorte, list1Prima](const LavoroDiFondo::Fine& fine) {
                      bloccaComandi(false);
                      workbench::EsitoRicerca esito;
                      if (fine.errore) {
                          esito.messaggio = workbench::Messaggio{std::string(workbench::TestoErroreImpostazioni), "Avviso",
                                                                 workbench::Icona::Critico};
                      } else if (fine.interrotto || risultato->interrotta) {
                          // Cancelled: the previous results stay as they were.
                          esito.interrotta = true;
                      } else {
                          grid::Grid& uscita = sorte == 0 ? banco_.FgEsiti : banco_.FgGr;
                          esito = workbench::scriviRicerca(banco_, uscita, imp, *risultato, inizio);
                          SSTab2->setCurrentIndex(sorte == 0 ? 0 : 1);
                      }
                      if (esito.interrotta)
                          banco_.List1 = list1Prima;
                      ricercaConclusa();
                      mostra(esito.messaggio);
                      emit ricercaFinita();
                  });
}

void Piramide1::annullaRicerca() { lavoro_.ferma(); }

void Piramide1::fermaRicerca() { lavoro_.fermaEAspetta(); }

void Piramide1::aspettaRicerca() { lavoro_.aspetta(); }

bool Piramide1::ricercaInCorso() const { return lavoro_.occupato(); }

void Piramide1::ricercaConclusa()
{
    for (Progresso* p : {contesto_.pb1, contesto_.pb2})
        if (p)
            p->azzera();
    aggiornaVista();
}

void Piramide1::bloccaComandi(bool bloccati)
{
    // While a search runs only its cancel button answers: every other command would
    // read or rewrite what the search is about to write.
    for (QWidget* w : bloccabili_)
        w->setEnabled(!bloccati);
    CmdAnnulla->setEnabled(bloccati);
    LabelRicerca->setText(bloccati ? QStringLiteral("Ricerca in corso...") : QString());
    setCursor(bloccati ? Qt::BusyCursor : Qt::ArrowCursor);
}

}
