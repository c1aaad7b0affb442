// The window Piramide1: AMBATE and ABBINAMENTI run off the interface thread here (the Convalida page runs its replay the same way, PaginaConvalida.cpp).
#include "ui/Piramide1/Piramide1.h"

#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/Piramide1/PannelloEsiti.h"
#include "ui/Piramide1/PannelloRisultati.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Abbinamenti.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "workbench/ConfrontoCaso.h"
#include "workbench/NoteRicerca.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cstdint>
#include <memory>

namespace ui {

using piramide1::daStd;

namespace {
// Twenty runs, always from the same seed: the same search gives the same summary.
constexpr int ProveCaso = 20;
constexpr std::uint64_t SemeCaso = 1;
}

void Piramide1::Cmd_Step1() { avviaRicerca(workbench::TipoRicerca::Ambate); }

void Piramide1::Command38()
{
    avviaRicerca(esiti_->Option1->isChecked() ? workbench::TipoRicerca::AbbinamentiAmbo : workbench::TipoRicerca::AbbinamentiTerno);
}

void Piramide1::avviaRicerca(workbench::TipoRicerca tipo)
{
    if (lavoro_.occupato())
        return;
    if (!rinnovaCasi())
        return;
    if (const auto manca = workbench::mancaPerRicerca(banco_, tipo)) {
        avviso(*manca);
        return;
    }
    // A comparison still running belongs to the previous results: it gives way.
    confrontoCaso_.fermaEAspetta();
    // Everything the search reads is copied here, on this thread: the grids stay the window's.
    const auto imp = workbench::leggiImpostazioniRicerca(banco_, tipo);
    const std::string inizio = workbench::orarioList1();
    const archive::Archivio& archivio = contesto_.sessione.archivio();
    const int pagina = PannelloEsiti::paginaDi(tipo);
    const workbench::ImpostazioniCasi casi = workbench::impostazioniCasi(banco_);
    const QString etichetta = daStd(workbench::testoImpostazioniCasi(casi, archivio));
    // Nothing to verify: the reason, not a grid of empty rows.
    if (const std::string motivo = workbench::motivoNessunCaso(imp, archivio); !motivo.empty()) {
        workbench::impostaRisultati(banco_, tipo, {}, 0);
        esiti_->dimenticaRisultati(pagina);
        esiti_->risultatiDi(pagina, etichetta, daStd(motivo));
        impostazioniEsiti_[static_cast<std::size_t>(pagina)] = casi;
        esitiScritti_[static_cast<std::size_t>(pagina)] = false;
        esiti_->SSTab2->setCurrentIndex(pagina);
        aggiornaVista();
        return;
    }
    auto risultato = std::make_shared<workbench::RisultatoRicerca>();
    bloccaComandi(true);
    const auto list1Prima = banco_.List1;
    banco_.List1 = {inizio};
    aggiornaVista();
    const bool avviata = lavoro_.avvia([imp, risultato, &archivio](avanzamento::Avanzamento& av) { *risultato = workbench::cercaFormule(imp, archivio, &av); },
                  [this, imp, risultato, inizio, tipo, list1Prima, pagina, casi, etichetta,
                   &archivio](const LavoroDiFondo::Fine& fine) {
                      bloccaComandi(false);
                      workbench::EsitoRicerca esito;
                      if (fine.errore) {
                          // Not a formula that cannot be computed (the search handles those): its own message.
                          esito.messaggio = workbench::Messaggio{fine.messaggio.toStdString(), "Avviso",
                                                                 workbench::Icona::Critico};
                      } else if (fine.interrotto || risultato->interrotta) {
                          // Cancelled: the previous results stay as they were, and say so.
                          esito.interrotta = true;
                          esiti_->SSTab2->setCurrentIndex(pagina);
                          esiti_->statoEsiti(QStringLiteral("Ricerca annullata: risultati della ricerca precedente"));
                      } else {
                          esiti_->statoEsiti({});
                          esito = workbench::scriviRicerca(banco_, imp, *risultato, inizio);
                          QStringList note;
                          for (const auto& n : workbench::noteRicerca(imp, *risultato, archivio))
                              note << daStd(n);
                          impostazioniEsiti_[static_cast<std::size_t>(pagina)] = casi;
                          esitiScritti_[static_cast<std::size_t>(pagina)] = true;
                          esiti_->risultatiDi(pagina, etichetta, note.join(QLatin1Char('\n')));
                          esiti_->SSTab2->setCurrentIndex(pagina);
                          risultati_->spazioAiRisultati(true);
                          const bool trovata = !risultato->righe.empty() && !risultato->righe.front().vuota();
                          esiti_->confrontoDellaPagina(pagina);
                          if (trovata)
                              avviaConfrontoCaso(imp, risultato->righe.front().cop);
                          else
                              esiti_->LblMiglioreACaso->clear();
                          esiti_->mostraMiglioreACaso();
                      }
                      if (esito.interrotta)
                          banco_.List1 = list1Prima;
                      ricercaConclusa();
                      mostra(esito.messaggio);
                      emit ricercaFinita();
                  });
    if (!avviata) {
        // The commands are locked while a search runs, so this is a search not yet wound up: nothing changed.
        bloccaComandi(false);
        banco_.List1 = list1Prima;
        aggiornaVista();
        esiti_->statoEsiti(QStringLiteral("Ricerca non avviata: la precedente non è ancora conclusa"));
    }
}

void Piramide1::avviaConfrontoCaso(const workbench::ImpostazioniRicerca& imp, int copReale)
{
    const archive::Archivio& archivio = contesto_.sessione.archivio();
    auto esito = std::make_shared<workbench::ConfrontoCasuale>();
    esiti_->LblMiglioreACaso->setText(QStringLiteral("Migliore a caso: calcolo in corso..."));
    const bool avviato = confrontoCaso_.avvia(
        [imp, copReale, esito, &archivio](avanzamento::Avanzamento& av) {
            *esito = workbench::miglioreACaso(imp, archivio, copReale, ProveCaso, SemeCaso, &av);
        },
        [this, esito](const LavoroDiFondo::Fine& fine) {
            if (fine.errore)
                esiti_->LblMiglioreACaso->setText(QStringLiteral("Migliore a caso: non calcolato (%1)").arg(fine.messaggio));
            else if (fine.interrotto)
                esiti_->LblMiglioreACaso->clear();
            else
                esiti_->LblMiglioreACaso->setText(QString::fromStdString(workbench::testoMiglioreACaso(*esito)));
            emit confrontoCasoFinito();
        });
    // The previous comparison was stopped and waited for above, so this only says what did not run.
    if (!avviato)
        esiti_->LblMiglioreACaso->setText(QStringLiteral("Migliore a caso: non calcolato"));
}

void Piramide1::aspettaConfrontoCaso() { confrontoCaso_.aspetta(); }

void Piramide1::controllaEsiti()
{
    const auto adesso = workbench::impostazioniCasi(banco_);
    for (int pagina : {PannelloEsiti::Ambate, PannelloEsiti::Abbinamenti}) {
        auto& fatte = impostazioniEsiti_[static_cast<std::size_t>(pagina)];
        if (!fatte)
            continue;
        const auto& righe = pagina == PannelloEsiti::Ambate ? banco_.esiti : banco_.abbinamenti;
        // No rows after a search that found some: RICAVA ESTRAZIONI emptied them.
        if (righe.empty() && esitiScritti_[static_cast<std::size_t>(pagina)]) {
            fatte.reset();
            esitiScritti_[static_cast<std::size_t>(pagina)] = false;
            esiti_->dimenticaRisultati(pagina);
            continue;
        }
        esiti_->impostazioniScadute(pagina, adesso != *fatte);
    }
}

bool Piramide1::confrontoCasoInCorso() const { return confrontoCaso_.occupato(); }

void Piramide1::annullaRicerca() { lavoro_.ferma(); }

void Piramide1::fermaRicerca() { lavoro_.fermaEAspetta(); }

void Piramide1::aspettaRicerca() { lavoro_.aspetta(); }

bool Piramide1::ricercaInCorso() const { return lavoro_.occupato(); }

void Piramide1::ricercaConclusa()
{
    aggiornaVista();
}

void Piramide1::bloccaComandi(bool bloccati)
{
    // While a search runs only its cancel button answers: every other command would
    // read or rewrite what the search is about to write. The keyboard stays in the
    // workbench: on the cancel button meanwhile, then back on the control that started it.
    if (bloccati)
        fuocoRicerca_.trattieni(this, CmdAnnulla);
    for (QWidget* w : bloccabili_)
        w->setEnabled(!bloccati);
    if (!bloccati)
        fuocoRicerca_.restituisci(CmdAnnulla);
    // The status line keeps what it said before the search (cases renewed) once it ends.
    if (bloccati) {
        statoPrimaRicerca_ = LabelRicerca->text();
        LabelRicerca->setText(QStringLiteral("Ricerca in corso..."));
    } else {
        LabelRicerca->setText(statoPrimaRicerca_);
    }
    setCursor(bloccati ? Qt::BusyCursor : Qt::ArrowCursor);
}

}
