// The window Piramide1: event handlers; each calls one workbench routine and shows its grids and message.
#include "ui/Piramide1/Piramide1.h"

#include "engine/Piramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Casi.h"
#include "workbench/Elabora.h"
#include "workbench/Trasferimenti.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>

#include <algorithm>
#include <cctype>

namespace ui {

namespace {

// Margins of the printouts: 400 twips (1440 an inch).
constexpr double MargineStampaMm = 400.0 / 1440.0 * 25.4;
constexpr grid::Colore EvidenziaMattone = grid::rgb(255, 128, 0);
constexpr grid::Colore MattoneNormale = grid::rgb(255, 255, 224);

QString daStd(const std::string& s) { return QString::fromStdString(s); }

Icona icona(workbench::Icona i)
{
    switch (i) {
    case workbench::Icona::Esclamazione: return Icona::Esclamazione;
    case workbench::Icona::Critico: return Icona::Critica;
    case workbench::Icona::Informazione: break;
    }
    return Icona::Informazione;
}

// LabelRifE: "index date  M-ordinal" of the reference draw.
QString etichettaRiferimento(int d, const archive::Archivio& a)
{
    if (d < 1 || d > a.NumeroEstrazioni)
        return {};
    return QStringLiteral("%1 %2  M-%3")
        .arg(d)
        .arg(daStd(a.DateEstrazioni[static_cast<std::size_t>(d)]))
        .arg(a.ProgressivoMese[static_cast<std::size_t>(d)]);
}

void colora(QLabel* l, grid::Colore c)
{
    l->setProperty("colore", static_cast<uint>(c));
    l->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: black; border: 1px solid #808080; }"
                                    " QLabel:focus { border: 2px solid #1a4d8f; }")
                         .arg(qColore(c).name()));
}

}

// ---------------------------------------------------------------- wiring

void Piramide1::collega()
{
    connect(hs1, &QScrollBar::valueChanged, this, [this](int d) { impostaRiferimento(d); });
    for (int i = 0; i < 3; ++i)
        connect(Command42Btn[i], &QPushButton::clicked, this, [this, i] { Command42(i); });
    connect(Command14Btn, &QPushButton::clicked, this, &Piramide1::Command14);
    connect(CmdAnnulla, &QPushButton::clicked, this, &Piramide1::annullaRicerca);

    // Settings into the Banco as the user changes them.
    connect(ComboR1, &QComboBox::currentIndexChanged, this, [this](int i) { banco_.ruotaBase = i; });
    connect(ComboFiltro, &QComboBox::currentIndexChanged, this,
            [this](int i) { banco_.rilevazione = static_cast<workbench::Rilevazione>(i); });
    connect(ComboPar, &QComboBox::currentIndexChanged, this, [this](int i) { banco_.mensile = i; });
    connect(Ch_ultima, &QCheckBox::toggled, this, [this](bool v) { banco_.forzaUltima = v; });
    connect(ComboQNu, &QComboBox::currentIndexChanged, this, [this](int i) { banco_.qn = i + 1; });
    connect(ComboNC, &QComboBox::currentIndexChanged, this, [this](int i) { banco_.numeroCasi = i + 1; });
    connect(Combo3, &QComboBox::currentIndexChanged, this, [this](int i) { banco_.colpi = i + 1; });
    connect(ComboEle, &QComboBox::currentIndexChanged, this, [this](int i) { banco_.lista = 100 + 50 * i; });
    connect(ComboLivello, &QComboBox::currentIndexChanged, this, [this](int i) { banco_.livello = i + 1; });
    connect(Ch_CasiScoperti, &QCheckBox::toggled, this, [this](bool v) { banco_.casiScoperti = v; });
    connect(TxtNumeri, &QLineEdit::textChanged, this, [this](const QString& t) { banco_.numeri = t.toStdString(); });
    connect(Txt_Denominazione, &QLineEdit::textChanged, this,
            [this](const QString& t) { pannello_.Txt_Denominazione = t.toStdString(); });
    connect(ListP1, &QListWidget::currentRowChanged, this, [this](int i) { pannello_.ListP1 = i; });
    connect(ListR1, &QListWidget::currentRowChanged, this, [this](int i) { pannello_.ListR1 = i; });
    connect(ListP2, &QListWidget::currentRowChanged, this, [this](int i) { pannello_.ListP2 = i; });
    connect(ListR2, &QListWidget::currentRowChanged, this, [this](int i) { pannello_.ListR2 = i; });
    connect(ListVal, &QListWidget::currentRowChanged, this, [this](int i) { banco_.valoreLista = i; });

    // Grids.
    connect(FgRG, &GrigliaView::clic, this, [this](int, int c) {
        if (c < 0 || c >= archive::NumeroRuote)
            return;
        workbench::setRuotaInGioco(banco_, c, !workbench::ruotaInGioco(banco_, c));
        FgRG->aggiornaCelle(0, c, 0, c);
    });
    connect(FgNu, &GrigliaView::clic, this, [this](int r, int c) {
        workbench::toggleNumero(FgNu_, r, c);
        FgNu->aggiornaCelle(r, c, r, c);
    });
    connect(FgOp, &GrigliaView::clic, this, [this](int r, int) {
        if (r < 1)
            return;
        workbench::operatoreCorrente(banco_, r);
        mostraOperatoreCorrente();
        FgOp->aggiorna();
    });
    connect(FgOp, &GrigliaView::doppioClic, this, [this](int r, int) {
        workbench::toggleOperatore(banco_, r);
        FgOp->aggiornaCelle(r, workbench::colOp::Scelta, r, workbench::colOp::Scelta);
        mostraLabelT();
    });
    connect(FgF, &GrigliaView::clic, this, [this](int r, int) {
        if (r >= 1)
            evidenziaMattone(r);
    });
    connect(FgF, &GrigliaView::doppioClic, this, [this](int r, int) {
        workbench::caricaMattoneNellEditor(banco_, pannello_, r);
        mostraEditor();
        mostraOperatoreCorrente();
        aggiornaVista();
    });
    FgF->setModificabile([](int r, int c) { return r >= 1 && c >= engine::colF::Tras; },
                         [this](int r, int c, const std::string& t) { return accettaMattone(r, c, t); });
    connect(FgF, &GrigliaView::cellaModificata, this, &Piramide1::modificaMattone);
    connect(FgC, &GrigliaView::clic, this, [this](int, int c) { pannello_.destinazione = FgC_.intero(0, c); });
    connect(FgPir1, &GrigliaView::doppioClic, this, [this](int r, int) { caricaConfigurazione(r); });
    connect(FgEv, &GrigliaView::doppioClic, this, [this](int r, int) {
        if (r >= 1 && r < banco_.FgEv.righe())
            impostaRiferimento(workbench::drawCaso(banco_, r));
    });
    connect(FgX, &GrigliaView::doppioClic, this, [this](int, int c) {
        workbench::svuotaColonnaFgX(banco_, c);
        FgX->aggiorna();
    });
    connect(Fg5, &GrigliaView::clic, this, [this](int r, int) {
        workbench::evidenziaRigaFg5(banco_, r);
        Fg5->aggiorna();
    });
    connect(Fg7, &GrigliaView::clic, this, [this](int r, int c) {
        if (c != 0)
            return;
        workbench::toggleLivello(banco_, r);
        Fg7->aggiornaCelle(r, 0, r, 0);
    });
    Fg7->setModificabile([](int r, int c) { return r >= 1 && r <= 5 && c == 0; },
                         [this](int r, int c, const std::string& t) { return accettaLivello(r, c, t); });

    // The keyboard: Space or Enter on a grid cell does what the mouse does there.
    for (auto* v : findChildren<GrigliaView*>())
        connect(v, &GrigliaView::attivata, this, [this, v](int r, int c) { attivaCella(v, r, c); });
}

void Piramide1::attivaCella(GrigliaView* v, int r, int c)
{
    // FgOp chooses an operator with the double click, FgPir1 loads and FgEv moves the
    // reference with it; elsewhere the click is the action.
    if (v == FgOp || v == FgPir1 || v == FgEv)
        emit v->doppioClic(r, c);
    else
        emit v->clic(r, c);
}

void Piramide1::keyPressEvent(QKeyEvent* evento)
{
    if (!apriHelpSeF1(evento, contesto_.apriHelp, ContestoHelp, this))
        QWidget::keyPressEvent(evento);
}

bool Piramide1::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::MouseButtonDblClick) {
        if (oggetto == TxtNumeri || oggetto == Txt_Denominazione) {
            static_cast<QLineEdit*>(oggetto)->clear();
            return true;
        }
    }
    // A clickable label with the focus: Space or Enter is its click, the arrows move to
    // the next label of its row (a row is one stop of the Tab chain).
    bool tastoClic = false;
    if (evento->type() == QEvent::KeyPress && qobject_cast<QLabel*>(oggetto)) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        tastoClic = tasto == Qt::Key_Space || tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
        const int passo = tasto == Qt::Key_Right ? 1 : tasto == Qt::Key_Left ? -1 : 0;
        if (passo != 0)
            for (const auto& gruppo : gruppiTasti_) {
                const auto it = std::find(gruppo.begin(), gruppo.end(), oggetto);
                if (it == gruppo.end())
                    continue;
                const auto i = (it - gruppo.begin() + passo + static_cast<long>(gruppo.size())) % static_cast<long>(gruppo.size());
                gruppo[static_cast<std::size_t>(i)]->setFocus(Qt::OtherFocusReason);
                return true;
            }
    }
    if (tastoClic
        || (evento->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)) {
        const QString nome = oggetto->objectName();
        if (nome == QLatin1String("LabelTutte") || nome == QLatin1String("LabelNessuna")) {
            for (int w = 0; w < archive::NumeroRuote; ++w)
                workbench::setRuotaInGioco(banco_, w, nome == QLatin1String("LabelTutte"));
            FgRG->aggiorna();
            return true;
        }
        for (int k = 0; k < 5; ++k)
            if (oggetto == LblPN[k]) {
                workbench::commutaPosizione(banco_, k + 1);
                mostraPosizioni();
                return true;
            }
        for (int t = 1; t <= 7; ++t)
            if (oggetto == LabelT[t]) {
                sceltaTipo(t);
                return true;
            }
        for (int m = 1; m <= engine::NumeroMattoni; ++m)
            if (oggetto == Lbl0[m]) {
                evidenziaMattone(m);
                return true;
            }
        for (int k = 1; k <= 5; ++k) {
            if (oggetto == LblRiga[k]) {
                Lbl_Riga(k);
                return true;
            }
            if (oggetto == LblSetta[k]) {
                Lbl_setta(k);
                return true;
            }
        }
    }
    return QWidget::eventFilter(oggetto, evento);
}

// ---------------------------------------------------------------- display

void Piramide1::aggiornaVista()
{
    // ELENCO rebuilds the columns of FgPir1: the name gets the room.
    auto& elenco = pannello_.FgPir1;
    if (elenco.colonne() >= 3) {
        elenco.setLarghezza(0, 200);
        elenco.setLarghezza(1, 500);
        elenco.setLarghezza(2, 3200);
    }
    preparaVisteEsiti();
    adattaColonne();
    for (auto* v : findChildren<GrigliaView*>())
        v->aggiorna();
    mostraMattoni();
    mostraLabelT();
    List1->clear();
    for (const auto& t : banco_.List1)
        List1->addItem(daStd(t));
    LabelRifE->setText(etichettaRiferimento(banco_.riferimento, contesto_.sessione.archivio()));
}

void Piramide1::adattaColonne()
{
    for (auto* v : findChildren<GrigliaView*>()) {
        if (v->modello()->righeFisse() == 0 || v->horizontalHeader()->isHidden())
            continue;
        grid::Grid& g = v->griglia();
        // Bold, as a header cell may be drawn.
        QFont carattere = v->horizontalHeader()->font();
        carattere.setBold(true);
        const QFontMetrics fm(carattere);
        const int dpi = std::max(1, v->logicalDpiX());
        for (int c = v->modello()->colonneFisse(); c < g.colonne(); ++c) {
            // The spaces count: a centred header keeps them ("Val   ").
            const QString testo = daStd(g.testo(0, c));
            if (testo.trimmed().isEmpty() || g.colonna(c).nascosta)
                continue;
            const int twips = ((fm.horizontalAdvance(testo) + 6) * 1440 + dpi - 1) / dpi;
            if (g.colonna(c).larghezzaTwips < twips)
                g.setLarghezza(c, twips);
        }
    }
    // The cases ask for all their columns (the five numbers above all); FgX beside them
    // takes the room left and scrolls. On a narrower screen both scroll.
    int larghezza = 2 * FgEv->frameWidth() + FgEv->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < banco_.FgEv.colonne(); ++c)
        if (!banco_.FgEv.colonna(c).nascosta)
            larghezza += pixelDaTwips(banco_.FgEv.colonna(c).larghezzaTwips, FgEv->logicalDpiX());
    FgEv->setLarghezzaPreferita(larghezza);
}

void Piramide1::mostraImpostazioni()
{
    const QSignalBlocker b1(ComboR1), b2(ComboFiltro), b3(ComboPar), b4(ComboQNu), b5(ComboNC), b6(Combo3), b7(hs1),
        b8(ComboEle), b9(ComboLivello), b10(TxtNumeri), b11(Ch_ultima), b12(Ch_CasiScoperti);
    ComboR1->setCurrentIndex(banco_.ruotaBase);
    ComboFiltro->setCurrentIndex(static_cast<int>(banco_.rilevazione));
    ComboPar->setCurrentIndex(banco_.mensile);
    ComboQNu->setCurrentIndex(banco_.qn - 1);
    ComboNC->setCurrentIndex(banco_.numeroCasi - 1);
    Combo3->setCurrentIndex(banco_.colpi - 1);
    ComboEle->setCurrentIndex((banco_.lista - 100) / 50);
    ComboLivello->setCurrentIndex(banco_.livello - 1);
    TxtNumeri->setText(daStd(banco_.numeri));
    Ch_ultima->setChecked(banco_.forzaUltima);
    Ch_CasiScoperti->setChecked(banco_.casiScoperti);
    hs1->setValue(banco_.riferimento);
    mostraPosizioni();
    mostraEditor();
}

void Piramide1::mostraPosizioni()
{
    for (int k = 0; k < 5; ++k)
        colora(LblPN[k], banco_.posizioni[static_cast<std::size_t>(k)] ? workbench::colori::Selezione : grid::colori::Bianco);
}

void Piramide1::mostraMattoni()
{
    for (int m = 1; m <= engine::NumeroMattoni; ++m) {
        Lbl0[m]->setText(daStd(banco_.Lbl0[static_cast<std::size_t>(m)]));
        colora(Lbl0[m], m == pannello_.mattoneEvidenziato ? EvidenziaMattone : MattoneNormale);
    }
}

void Piramide1::mostraLabelT()
{
    for (int t = 1; t <= 7; ++t)
        colora(LabelT[t], workbench::tipoSelezionato(banco_, t) ? workbench::colori::OperatoreScelto : grid::colori::Bianco);
}

void Piramide1::mostraEditor()
{
    const QSignalBlocker b1(ListP1), b2(ListR1), b3(ListP2), b4(ListR2), b5(ListVal);
    ListP1->setCurrentRow(pannello_.ListP1);
    ListR1->setCurrentRow(pannello_.ListR1);
    ListP2->setCurrentRow(pannello_.ListP2);
    ListR2->setCurrentRow(pannello_.ListR2);
    ListVal->setCurrentRow(banco_.valoreLista);
}

void Piramide1::mostraOperatoreCorrente()
{
    const int r = banco_.FgOp.rigaCorrente;
    if (r >= 1 && r < banco_.FgOp.righe()) {
        const auto operatore = workbench::leggiRigaOperatore(banco_.FgOp, r);
        pannello_.Label3 = operatore.spiegazione;
        Label3->setText(daStd(operatore.operatore + ": " + pannello_.Label3));
        FgOp->setCellaCorrente(r, workbench::colOp::Oper);
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
    FgEstratti->aggiorna();
    // The bricks show their numbers on the new reference at once. A brick that cannot be
    // computed there is said on the status line: a box at every step of the scroll bar
    // would stop the scrolling.
    bool mattoni = false;
    for (int m = 1; m <= engine::NumeroMattoni && !mattoni; ++m)
        mattoni = !banco_.FgF.testo(m, engine::colF::Tras).empty();
    if (mattoni) {
        const auto esito = workbench::Calcola(banco_, a);
        LabelRicerca->setText(esito ? QStringLiteral("Piramide non calcolabile su questa estrazione") : QString());
        mostraMattoni();
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
    const QSignalBlocker blocco(ComboPar);
    ComboPar->setCurrentIndex(banco_.mensile);
}

void Piramide1::Command12()
{
    const int r = banco_.FgEv.rigaCorrente;
    if (r < 1 || r >= banco_.FgEv.righe())
        return;
    impostaRiferimento(workbench::drawCaso(banco_, r));
    if (Ch_AA->isChecked())
        Command2();
}

// ---------------------------------------------------------------- selections

void Piramide1::Command6()
{
    TxtNumeri->setText(daStd(workbench::numeriScelti(FgNu_)));
}

void Piramide1::Command8()
{
    workbench::azzeraTabellone(FgNu_);
    FgNu->aggiorna();
}

void Piramide1::sceltaTipo(int tipo)
{
    workbench::selezionaTipo(banco_, tipo, !workbench::tipoSelezionato(banco_, tipo));
    FgOp->aggiorna();
    mostraLabelT();
}

// ---------------------------------------------------------------- pyramid and cases

void Piramide1::Command9()
{
    const auto esito = workbench::RicavaEstrazioni(banco_, contesto_.sessione.archivio());
    LabelRicerca->clear();
    statoEsiti({});
    if (banco_.FgEv.righe() > 1)
        for (auto* t : {SSTab1, SSTab2, SSTab3})
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
    LabelRicerca->setText(testo);
    statoEsiti(testo);
    aggiornaVista();
    if (rinnovo.esito) {
        mostra(rinnovo.esito);
        return false;
    }
    return true;
}

void Piramide1::spazioAiRisultati(bool risultati)
{
    // Ten result rows are the floor while searching; a verification may take them down to
    // a few, and the next search gives them back.
    const int dieciRighe = FgEsiti->horizontalHeader()->sizeHint().height()
                           + 10 * FgEsiti->verticalHeader()->defaultSectionSize() + 2 * FgEsiti->frameWidth();
    FgEsiti->setMinimumHeight(risultati ? dieciRighe : 90);
    FgGr->setMinimumHeight(risultati ? dieciRighe : 90);
    const int totale = destra_->height();
    if (totale <= 0)
        return;
    const int sopra = risultati ? totale * 3 / 5 : totale * 2 / 5;
    destra_->setSizes({sopra, totale - sopra});
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
    spazioAiRisultati(false);
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
    {
        const QSignalBlocker blocco(ComboLivello);
        ComboLivello->setCurrentIndex(banco_.livello - 1);
    }
    SSTab3->setCurrentIndex(2);
    spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Lbl_Riga(int livello)
{
    if (!rinnovaCasi())
        return;
    const auto esito = workbench::verificaLivello(banco_, contesto_.sessione.archivio(), livello);
    SSTab3->setCurrentIndex(1);
    spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Cmd_Colonna(int slot)
{
    const auto esito = workbench::verificaEsitoInColonna(banco_, contesto_.sessione.archivio(), slot);
    SSTab3->setCurrentIndex(1);
    spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Cmd_Ambo(int slot)
{
    const auto esito = workbench::verificaAbbinamentoInColonna(banco_, contesto_.sessione.archivio(), slot);
    SSTab3->setCurrentIndex(1);
    spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Command29()
{
    const auto esito = workbench::verificaSoloEsito(banco_, contesto_.sessione.archivio());
    SSTab3->setCurrentIndex(1);
    spazioAiRisultati(false);
    aggiornaVista();
    mostra(esito);
}

void Piramide1::Command5()
{
    workbench::marcaCasiCentrati(banco_);
    FgEv->aggiorna();
}

void Piramide1::Command4()
{
    workbench::azzeraMarcheCasi(banco_);
    FgEv->aggiorna();
}

void Piramide1::Command39()
{
    workbench::azzeraFgX(banco_);
    FgX->aggiorna();
}

// ---------------------------------------------------------------- transfer and bricks

void Piramide1::Command21()
{
    if (const auto manca = workbench::mancaPerImposta(banco_, banco_.FgEsiti))
        avviso(*manca);
    else if (workbench::impostaFormula(banco_, banco_.FgEsiti))
        aggiornaVista();
}

void Piramide1::Command7()
{
    if (const auto manca = workbench::mancaPerImposta(banco_, banco_.FgGr))
        avviso(*manca);
    else if (workbench::impostaFormula(banco_, banco_.FgGr))
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
    FgF->aggiorna();
}

void Piramide1::Command26()
{
    workbench::svuotaFg5(banco_);
    Fg5->aggiorna();
}

void Piramide1::Command15()
{
    workbench::cancellaMattoneCorrente(banco_);
    FgF->aggiorna();
}

void Piramide1::Command24()
{
    workbench::deselezionaMattoni(banco_, pannello_);
    aggiornaVista();
}

void Piramide1::Command10()
{
    workbench::nascondiColonne(banco_);
    FgF->aggiorna();
    Fg5->aggiorna();
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

void Piramide1::evidenziaMattone(int m)
{
    workbench::evidenziaMattone(banco_, pannello_, m);
    FgF->aggiorna();
    FgEstratti->aggiorna();
    mostraMattoni();
    FgF->setCellaCorrente(m, engine::colF::Tras);
}

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

void Piramide1::modificaMattone(int riga, int colonna)
{
    using namespace engine::colF;
    // A typed code takes its type from the catalogue, so the hidden Tipo column follows it.
    if (colonna == Tras) {
        std::string codice = banco_.FgF.testo(riga, Tras);
        for (auto& ch : codice)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        banco_.FgF.setTesto(riga, Tras, codice);
        for (int r = 1; r < banco_.FgOp.righe(); ++r)
            if (banco_.FgOp.testo(r, workbench::colOp::Oper) == codice)
                banco_.FgF.setTesto(riga, Tipo, banco_.FgOp.testo(r, workbench::colOp::Tipo));
    }
    // A typed abbreviation is shown as the archive writes it ("ba" is Bari, "BA").
    if (colonna == RU1 || colonna == RU2) {
        std::string t = banco_.FgF.testo(riga, colonna);
        for (auto& ch : t)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        banco_.FgF.setTesto(riga, colonna, t.substr(0, 2));
    }
    Command2();
}

bool Piramide1::accettaLivello(int, int, const std::string& testo)
{
    return testo.size() == 1 && testo[0] >= '1' && testo[0] <= '5';
}

// ---------------------------------------------------------------- saved configurations

void Piramide1::Cmd_Elenco()
{
    try {
        workbench::elencaConfigurazioni(contesto_.sessione.dbProgramma(), pannello_.FgPir1);
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
    if (riga < 1 || riga >= pannello_.FgPir1.righe())
        return;
    const auto messaggi = workbench::caricaConfigurazione(banco_, pannello_, contesto_.sessione.dbProgramma(),
                                                          contesto_.sessione.archivio(), riga);
    mostraImpostazioni();
    impostaRiferimento(banco_.riferimento);
    SSTab3->setCurrentIndex(0);
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
    FgL->stampa(contesto_.dialoghi, QStringLiteral("Elenco statistico ") + LabelRifE->text(),
                QMarginsF(MargineStampaMm, MargineStampaMm, MargineStampaMm, MargineStampaMm));
}

void Piramide1::Command28()
{
    FgY->stampa(contesto_.dialoghi, QStringLiteral("Elenco completo ") + LabelRifE->text(),
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
