// The window Piramide1: the command handlers; each calls one workbench routine and shows its grids and message.
#include "ui/Piramide1/Piramide1.h"

#include "engine/Piramide.h"
#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/Piramide1/PannelloConfigurazioni.h"
#include "ui/Piramide1/PannelloOperatori.h"
#include "ui/Piramide1/PannelloPiramide.h"
#include "ui/Piramide1/PannelloRilevazione.h"
#include "ui/Piramide1/PannelloRisultati.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Casi.h"
#include "workbench/Elabora.h"
#include "workbench/Trasferimenti.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>

#include <cctype>

namespace ui {

using piramide1::daStd;
using piramide1::etichettaRiferimento;

namespace {

// Margins of the printouts: 400 twips (1440 an inch).
constexpr double MargineStampaMm = 400.0 / 1440.0 * 25.4;

Icona icona(workbench::Icona i)
{
    switch (i) {
    case workbench::Icona::Esclamazione: return Icona::Esclamazione;
    case workbench::Icona::Critico: return Icona::Critica;
    case workbench::Icona::Informazione: break;
    }
    return Icona::Informazione;
}

}

void Piramide1::mostra(const workbench::Esito& esito)
{
    if (esito)
        contesto_.dialoghi.messaggio(this, daStd(esito->testo), daStd(esito->titolo), icona(esito->icona));
}

// ---------------------------------------------------------------- reference draw

void Piramide1::impostaRiferimento(int d)
{
    archive::Archivio& a = contesto_.sessione.archivio();
    if (d < 1 || d > a.NumeroEstrazioni)
        return;
    // The archive may have grown since the window opened (archive maintenance).
    if (hs1->maximum() != a.NumeroEstrazioni)
        hs1->setMaximum(a.NumeroEstrazioni);
    if (hs1->value() != d) {
        hs1->setValue(d);   // comes back here through valueChanged
        return;
    }
    workbench::impostaRiferimento(banco_, a, d);
    LabelRifE->setText(etichettaRiferimento(banco_.riferimento, a));
    piramide_->mostraEstratti();
    // The bricks show their numbers on the new reference at once. A brick that cannot be
    // computed there is said on the status line: a box at every step of the scroll bar
    // would stop the scrolling.
    bool mattoni = false;
    for (int m = 1; m <= engine::NumeroMattoni && !mattoni; ++m)
        mattoni = !banco_.mattone(m).vuoto();
    if (mattoni) {
        const auto esito = workbench::Calcola(banco_, a);
        LabelRicerca->setText(esito ? QStringLiteral("Piramide non calcolabile su questa estrazione") : QString());
        piramide_->mostraMattoni();
        piramide_->mostraPiramide();
        List1->clear();
        for (const auto& t : banco_.List1)
            List1->addItem(daStd(t));
    }
}

void Piramide1::Command42(int indice)
{
    archive::Archivio& a = contesto_.sessione.archivio();
    if (indice == 0) {
        impostaRiferimento(a.NumeroEstrazioni);
    } else if (indice == 1) {
        const auto risposta = contesto_.dialoghi.inputBox(this, QStringLiteral("Inserire il n° indice dell'archivio modello."),
                                                          QStringLiteral("Scelta estrazione"));
        if (!risposta)
            return;
        bool ok = false;
        const int n = risposta->trimmed().toInt(&ok);
        // The first twenty draws cannot have enough history behind them.
        if (ok && n >= 20 && n <= a.NumeroEstrazioni)
            impostaRiferimento(n);
    } else if (indice == 2) {
        const auto risposta =
            contesto_.dialoghi.inputBox(this, QStringLiteral("Ricerca per data GG/MM/AAAA"), QStringLiteral("Data ?"));
        if (!risposta)
            return;
        const std::string data = risposta->toStdString();
        for (int d = 1; d <= a.NumeroEstrazioni; ++d)
            if (a.DateEstrazioni[static_cast<std::size_t>(d)] == data) {
                impostaRiferimento(d);
                return;
            }
        contesto_.dialoghi.messaggio(this, QStringLiteral("Data non trovata"), QStringLiteral("Cerca data"),
                                     Icona::Informazione);
    }
}

void Piramide1::Command14()
{
    workbench::impostaMensileDaRiferimento(banco_, contesto_.sessione.archivio());
    rilevazione_->mostraMensile();
}

void Piramide1::Command12()
{
    const int r = verifiche_->casoCorrente();
    if (r < 1 || r > workbench::numeroCasi(banco_))
        return;
    impostaRiferimento(workbench::drawCaso(banco_, r));
    if (piramide_->Ch_AA->isChecked())
        Command2();
}

// ---------------------------------------------------------------- selections

void Piramide1::Command6() { rilevazione_->Command6(); }

void Piramide1::Command8() { rilevazione_->Command8(); }

void Piramide1::sceltaTipo(int tipo) { operatori_->sceltaTipo(tipo); }

// ---------------------------------------------------------------- pyramid and cases

void Piramide1::Command9()
{
    const auto esito = workbench::RicavaEstrazioni(banco_, contesto_.sessione.archivio());
    LabelRicerca->clear();
    esiti_->statoEsiti({});
    if (workbench::numeroCasi(banco_) > 0)
        for (QTabWidget* t : {SSTab1, esiti_->SSTab2, static_cast<QTabWidget*>(verifiche_)})
            t->setCurrentIndex(0);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Command2()
{
    const auto esito = workbench::Calcola(banco_, contesto_.sessione.archivio());
    aggiornaVista();
    mostra(esito);
}

bool Piramide1::rinnovaCasi()
{
    const auto rinnovo = workbench::rinnovaCasi(banco_, contesto_.sessione.archivio());
    if (!rinnovo.rinnovati)
        return true;
    const QString testo = QStringLiteral("Impostazioni cambiate dall'ultima RICAVA ESTRAZIONI: casi ricavati di nuovo (%1)")
                              .arg(workbench::numeroCasi(banco_));
    // The status line beside the reference bar has room for one short line; the whole
    // sentence stands above the results and in the line's tooltip.
    LabelRicerca->setText(QStringLiteral("Casi ricavati di nuovo (%1)").arg(workbench::numeroCasi(banco_)));
    LabelRicerca->setToolTip(testo);
    esiti_->statoEsiti(testo);
    aggiornaVista();
    if (rinnovo.esito) {
        mostra(rinnovo.esito);
        return false;
    }
    return true;
}

void Piramide1::avviso(const std::string& testo)
{
    contesto_.dialoghi.messaggio(this, daStd(testo), QStringLiteral("Avviso"), Icona::Informazione);
}

void Piramide1::Command40()
{
    if (!rinnovaCasi())
        return;
    const auto esito = workbench::verificaPrevisioni(banco_, contesto_.sessione.archivio());
    risultati_->spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Command27()
{
    if (const auto manca = workbench::mancaPerElabora(banco_)) {
        avviso(*manca);
        return;
    }
    if (!rinnovaCasi())
        return;
    const auto esito = workbench::elaboraLivelli(banco_, contesto_.sessione.archivio());
    verifiche_->mostraLivello();
    verifiche_->setCurrentIndex(PannelloVerifiche::Elabora);
    risultati_->spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Lbl_Riga(int livello)
{
    if (!rinnovaCasi())
        return;
    const auto esito = workbench::verificaLivello(banco_, contesto_.sessione.archivio(), livello);
    verifiche_->setCurrentIndex(PannelloVerifiche::Verifica);
    risultati_->spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Cmd_Colonna(int slot)
{
    const auto esito = workbench::verificaEsitoInColonna(banco_, contesto_.sessione.archivio(), slot);
    verifiche_->setCurrentIndex(PannelloVerifiche::Verifica);
    risultati_->spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Cmd_Ambo(int slot)
{
    const auto esito = workbench::verificaAbbinamentoInColonna(banco_, contesto_.sessione.archivio(), slot);
    verifiche_->setCurrentIndex(PannelloVerifiche::Verifica);
    risultati_->spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Command29()
{
    const auto esito = workbench::verificaSoloEsito(banco_, contesto_.sessione.archivio());
    verifiche_->setCurrentIndex(PannelloVerifiche::Verifica);
    risultati_->spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Command5() { verifiche_->Command5(); }

void Piramide1::Command4() { verifiche_->Command4(); }

void Piramide1::Command39() { verifiche_->Command39(); }

// ---------------------------------------------------------------- transfer and bricks

void Piramide1::Command21()
{
    if (const auto manca = workbench::mancaPerImposta(banco_, workbench::TipoRicerca::Ambate))
        avviso(*manca);
    else if (workbench::impostaFormula(banco_, workbench::TipoRicerca::Ambate))
        aggiornaVista();
}

void Piramide1::Command7()
{
    if (const auto manca = workbench::mancaPerImposta(banco_, workbench::TipoRicerca::AbbinamentiAmbo))
        avviso(*manca);
    else if (workbench::impostaFormula(banco_, workbench::TipoRicerca::AbbinamentiAmbo))
        aggiornaVista();
}

void Piramide1::Command36()
{
    const auto esito = workbench::impostaCapogioco(banco_, contesto_.sessione.archivio());
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Lbl_setta(int livello)
{
    workbench::impostaLivelloDaFg5(banco_, livello);
    piramide_->mostraPiramide();
}

void Piramide1::Command26() { verifiche_->Command26(); }

void Piramide1::Command15()
{
    workbench::cancellaMattoneCorrente(banco_);
    piramide_->mostraPiramide();
}

void Piramide1::Command24()
{
    workbench::deselezionaMattoni(banco_, pannello_);
    aggiornaVista();
}

void Piramide1::Command10()
{
    workbench::nascondiColonne(banco_);
    piramide_->mostraPiramide();
    verifiche_->mostraFg5();
}

void Piramide1::Command19()
{
    workbench::svuotaPiramide(banco_, pannello_);
    aggiornaVista();
}

void Piramide1::Cmd_aggiunge()
{
    const auto esito = workbench::inserisciOperatore(banco_, pannello_, contesto_.sessione.archivio());
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Command25()
{
    const auto esito = workbench::copiaMattone(banco_, pannello_, contesto_.sessione.archivio());
    aggiornaVista();
    mostra(esito);
}

void Piramide1::evidenziaMattone(int m) { piramide_->evidenziaMattone(m); }

bool Piramide1::accettaMattone(int, int colonna, const std::string& testo)
{
    using namespace engine::colF;
    std::optional<std::string> errore;
    if ((colonna == RU1 || colonna == RU2) && !testo.empty())
        errore = engine::controllaSigla(testo);
    else if (colonna == E1 || colonna == E2)
        errore = engine::controllaPosizione(testo);
    else if (colonna == VAL)
        errore = engine::controllaValore(testo);
    if (errore) {
        contesto_.dialoghi.messaggio(this, daStd(*errore), QStringLiteral("Avviso"), Icona::Esclamazione);
        return false;
    }
    return true;
}

bool Piramide1::scriviNelMattone(engine::Mattone& m, int colonna, const std::string& testo)
{
    using namespace engine::colF;
    if (!accettaMattone(m.numero, colonna, testo))
        return false;
    std::string t = testo;
    // A typed code or abbreviation is shown as the catalogue and the archive write it ("ba" is Bari, "BA").
    if (colonna == Tras || colonna == RU1 || colonna == RU2)
        for (auto& ch : t)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (colonna == RU1 || colonna == RU2)
        t = t.substr(0, 2);
    engine::impostaCella(m, colonna, t);
    // A typed code takes its type from the catalogue, so the hidden Tipo column follows it.
    if (colonna == Tras)
        for (const auto& op : banco_.operatori)
            if (op.operatore == t)
                m.tipo = op.tipo;
    if (m.numero >= 1 && m.numero <= engine::NumeroMattoni)
        banco_.mattone(m.numero) = m;
    return true;
}

void Piramide1::modificaMattone(int, int) { Command2(); }

// ---------------------------------------------------------------- saved configurations

void Piramide1::Cmd_Elenco()
{
    try {
        workbench::elencaConfigurazioni(contesto_.sessione.dbProgramma(), pannello_);
    } catch (const std::exception&) {
        mostra(workbench::Messaggio{std::string(workbench::TestoErroreImprevisto), "Avviso", workbench::Icona::Critico});
    }
    aggiornaVista();
}

void Piramide1::Command11()
{
    const auto esito = workbench::salvaConfigurazione(banco_, pannello_, contesto_.sessione.dbProgramma());
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Command13()
{
    const auto domanda = workbench::domandaCancellazione(pannello_);
    if (!domanda)
        return;
    if (!contesto_.dialoghi.domandaSiNo(this, daStd(*domanda), daStd(std::string(workbench::TitoloCancellazione))))
        return;
    const auto esito = workbench::eliminaConfigurazione(pannello_, contesto_.sessione.dbProgramma());
    aggiornaVista();
    mostra(esito);
}

void Piramide1::caricaConfigurazione(int riga)
{
    if (riga < 1 || riga > static_cast<int>(pannello_.configurazioni.size()))
        return;
    const auto messaggi = workbench::caricaConfigurazione(banco_, pannello_, contesto_.sessione.dbProgramma(),
                                                          contesto_.sessione.archivio(), riga);
    mostraImpostazioni();
    impostaRiferimento(banco_.riferimento);
    verifiche_->setCurrentIndex(PannelloVerifiche::Casi);
    aggiornaVista();
    for (const auto& m : messaggi)
        mostra(m);
}

// ---------------------------------------------------------------- copy and print

void Piramide1::copia(const QString& griglia)
{
    if (auto* v = vista(griglia))
        v->copiaNegliAppunti();
}

void Piramide1::Command20()
{
    // False only when the player cancelled the printer dialog: nothing to say.
    (void)verifiche_->FgL->stampa(contesto_.dialoghi, QStringLiteral("Elenco statistico ") + LabelRifE->text(),
                QMarginsF(MargineStampaMm, MargineStampaMm, MargineStampaMm, MargineStampaMm));
}

void Piramide1::Command28()
{
    (void)verifiche_->FgY->stampa(contesto_.dialoghi, QStringLiteral("Elenco completo ") + LabelRifE->text(),
                QMarginsF(MargineStampaMm, MargineStampaMm, MargineStampaMm, MargineStampaMm));
}

// ---------------------------------------------------------------- closing

void Piramide1::closeEvent(QCloseEvent* evento)
{
    // The search reads the archive: it ends before the window, and the program, go on closing.
    fermaRicerca();
    QWidget::closeEvent(evento);
}

}
