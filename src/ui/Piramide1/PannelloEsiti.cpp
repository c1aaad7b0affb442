// The results of Piramide1: the controls of the AMBATE and ABBINAMENTI pages and their layout.
#include "ui/Piramide1/PannelloEsiti.h"

#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Ambate.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace ui {

using namespace piramide1;

namespace {

using workbench::RigaEsito;

// The columns of the results of kind `tipo`: the texts, colours and bold the grid writer
// gives them, narrow widths for the short numbers, the empty first column and the indices hidden.
std::vector<ColonnaDi<RigaEsito>> colonneEsiti(workbench::TipoRicerca tipo)
{
    using namespace workbench::colEsiti;
    constexpr std::array<int, Previsione + 1> larghezze = {100, 300, 300, 700, 250, 300, 300, 300,
                                                           300, 250, 300, 300, 300, 300, 720, 300};
    std::string intestazione;
    for (int c = 0; c <= Previsione; ++c)
        intestazione += (c ? "|" : "") + workbench::intestazioneEsito(c, tipo);
    auto colonne = colonneDi<RigaEsito>(intestazione, larghezze, &workbench::testoEsito, grid::Allineamento::Centro);
    const char* suggerimenti[] = {
        "", "Cop: casi coperti, quelli in cui la formula esce entro i colpi",
        "Tot: ruote vincenti sommate su tutti i casi, nel primo colpo vincente di ciascuno",
        "Formula: il codice dell'operatore", "P1: posizione del primo numero", "",
        "Ru1: ruota del primo numero", "", "", "P2: posizione del secondo numero", "",
        "Ru2: ruota del secondo numero", "Val: il valore fisso, il numero (tipo 4) o il ritardo (tipo 5)",
        "Attesi: i casi che il puro caso coprirebbe in media",
        "p: probabilità di coprirne per puro caso almeno quanti ne copre la formula"};
    for (int c = 0; c <= P; ++c)
        colonne[static_cast<std::size_t>(c)].suggerimento = QString::fromUtf8(suggerimenti[c]);
    colonne[Previsione].suggerimento =
        tipo == workbench::TipoRicerca::Ambate
            ? QStringLiteral("Ambata: il numero da giocare, la formula calcolata sull'estrazione di riferimento")
            : QStringLiteral("Abbinato: il numero che la formula, calcolata sull'estrazione di riferimento, "
                             "aggiunge ai numeri del livello");
    for (int c = 0; c <= Previsione; ++c) {
        auto& colonna = colonne[static_cast<std::size_t>(c)];
        const workbench::StileEsito stile = workbench::stileEsito(c, tipo);
        if (stile.sfondo)
            colonna.sfondo = [s = *stile.sfondo](const RigaEsito&) -> std::optional<grid::Colore> { return s; };
        if (stile.coloreTesto)
            colonna.coloreTesto = [t = *stile.coloreTesto](const RigaEsito&) -> std::optional<grid::Colore> { return t; };
        if (stile.grassetto)
            colonna.grassetto = [](const RigaEsito&) { return true; };
    }
    // The empty first column holds nothing a player reads: its room goes to p.
    colonne[0].nascosta = true;
    for (int c : Nascoste)
        colonne[static_cast<std::size_t>(c)].nascosta = true;
    return colonne;
}

// Every shown column at least as wide as its header in bold, the spaces of a centred header
// ("Val   ") included, as the window's other grids.
void adattaAIntestazioni(std::vector<ColonnaDi<RigaEsito>>& colonne, const GrigliaView* v)
{
    QFont carattere = v->horizontalHeader()->font();
    carattere.setBold(true);
    const QFontMetrics fm(carattere);
    const int dpi = std::max(1, v->logicalDpiX());
    for (auto& c : colonne) {
        if (c.intestazione.trimmed().isEmpty() || c.nascosta)
            continue;
        c.larghezzaTwips = std::max(c.larghezzaTwips, ((fm.horizontalAdvance(c.intestazione) + 6) * 1440 + dpi - 1) / dpi);
    }
}

}

GrigliaView* PannelloEsiti::vistaEsiti(const QString& nome, workbench::TipoRicerca tipo,
                                       ModelloRighe<workbench::RigaEsito>*& modello, QWidget* genitore)
{
    auto colonne = colonneEsiti(tipo);
    modello = new ModelloRighe<RigaEsito>(colonne);
    auto* v = griglia(nome, modello, genitore, 90);
    adattaAIntestazioni(colonne, v);
    modello->setColonne(std::move(colonne));
    // Beside the formula, where the eye is, without scrolling.
    v->spostaColonna(workbench::colEsiti::Previsione, workbench::colEsiti::Formula + 1);
    int workbench::Banco::*scelta = workbench::descrizione(tipo).scelta;
    connect(v, &GrigliaView::cellaCambiata, this, [this, scelta](int r, int) { banco_.*scelta = r; });
    return v;
}

PannelloEsiti::PannelloEsiti(workbench::Banco& banco) : banco_(banco)
{
    SSTab2 = new QTabWidget;
    SSTab2->setObjectName(QStringLiteral("SSTab2"));
    auto* ambate = costruisciAmbate();
    auto* abbinamenti = costruisciAbbinamenti();
    SSTab2->addTab(ambate, QStringLiteral("Ambate"));
    SSTab2->addTab(abbinamenti, QStringLiteral("Abbinamenti"));

    // Under the results, what the same search scores on random cases (computed after it).
    auto* esiti = this;
    auto* le = new QVBoxLayout(esiti);
    le->setContentsMargins(0, 0, 0, 0);
    le->addWidget(SSTab2, 1);
    LblMiglioreACaso = etichetta(QStringLiteral("LblMiglioreACaso"), {}, esiti);
    LblMiglioreACaso->setWordWrap(true);
    LblMiglioreACaso->setToolTip(QStringLiteral(
        "La stessa ricerca ripetuta 20 volte su casi scelti a caso, ciascuno con i colpi del caso vero della "
        "stessa riga: quanti casi copre la formula migliore per puro caso (mai più dei casi verificabili), "
        "e in quante prove raggiunge la formula trovata. Le colonne Attesi e p di ogni riga "
        "dicono quanti casi il caso da solo coprirebbe e quanto è probabile coprirne altrettanti."));
    LblEsitoRicerca = etichetta(QStringLiteral("LblEsitoRicerca"), {}, esiti);
    LblEsitoRicerca->setWordWrap(true);
    LblEsitoRicerca->setStyleSheet(QStringLiteral("QLabel { color: #8b0000; }"));
    LblEsitoRicerca->hide();
    le->insertWidget(0, LblEsitoRicerca);
    LblImpostazioniEsiti = etichetta(QStringLiteral("LblImpostazioniEsiti"), {}, esiti);
    LblImpostazioniEsiti->setWordWrap(true);
    LblImpostazioniEsiti->setTextFormat(Qt::PlainText);
    LblImpostazioniEsiti->setFocusPolicy(Qt::NoFocus);
    LblImpostazioniEsiti->setToolTip(QStringLiteral(
        "Le impostazioni con cui sono stati ottenuti i risultati di questa pagina: se quelle a sinistra "
        "cambiano, i risultati non valgono più per loro finché la ricerca non è ripetuta."));
    LblImpostazioniEsiti->hide();
    le->insertWidget(1, LblImpostazioniEsiti);
    le->addWidget(LblMiglioreACaso);
    connect(SSTab2, &QTabWidget::currentChanged, this, [this] {
        mostraMiglioreACaso();
        mostraImpostazioniEsiti();
    });
    connect(Ch_CasiScoperti, &QCheckBox::toggled, this, [this](bool v) { banco_.casiScoperti = v; });
}

QWidget* PannelloEsiti::costruisciAmbate()
{
    auto* ambate = new QWidget;
    auto* la = new QVBoxLayout(ambate);
    la->setContentsMargins(2, 2, 2, 2);
    Cmd_Step1Btn = pulsante(QStringLiteral("Cmd_Step1"), QStringLiteral("AMBATE"),
                            QStringLiteral("Cerca le formule che danno l'ambata sui casi"), ambate);
    Ch_CasiScoperti = new QCheckBox(QStringLiteral("Casi scoperti"), ambate);
    Ch_CasiScoperti->setObjectName(QStringLiteral("Ch_CasiScoperti"));
    Ch_CasiScoperti->setToolTip(QStringLiteral("Le ricerche saltano i casi già coperti (segnati con MARCA)"));
    FgEsiti = vistaEsiti(QStringLiteral("FgEsiti"), workbench::TipoRicerca::Ambate, modelloEsiti_, ambate);
    // Ten rows in sight.
    FgEsiti->setMinimumHeight(FgEsiti->horizontalHeader()->sizeHint().height()
                              + 10 * FgEsiti->verticalHeader()->defaultSectionSize() + 2 * FgEsiti->frameWidth());
    auto* colonne = new QHBoxLayout;
    colonne->addWidget(etichetta(QStringLiteral("LabelColonna"), QStringLiteral("Verifica in"), ambate));
    for (int k = 1; k <= 5; ++k) {
        auto* b = Cmd_Colonna[k] = pulsante(QStringLiteral("Cmd_Colonna(%1)").arg(k), QString::number(k),
                                            QStringLiteral("Verifica formula nella colonna %1").arg(k), ambate);
        b->setFixedWidth(26);
        colonne->addWidget(b);
    }
    Command29Btn = pulsante(QStringLiteral("Command29"), QStringLiteral("Verifica formula"),
                            QStringLiteral("Verifica formula selezionata sui casi"), ambate);
    colonne->addStretch();
    Command21Btn = pulsante(QStringLiteral("Command21"), QStringLiteral("Imposta"),
                            QStringLiteral("Imposta la formula selezionata"), ambate);
    Command36Btn = pulsante(QStringLiteral("Command36"), QStringLiteral("Capogioco"),
                            QStringLiteral("Imposta come capogioco"), ambate);
    auto* Command18Btn = pulsante(QStringLiteral("Command18"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), ambate);
    la->addLayout(fila({Cmd_Step1Btn, Ch_CasiScoperti, Command18Btn}));
    la->addWidget(FgEsiti, 1);
    la->addLayout(colonne);
    comandiAmbate_ = fila({Command21Btn, Command36Btn, Command29Btn});
    la->addLayout(comandiAmbate_);
    connect(Command18Btn, &QPushButton::clicked, this, [this] { FgEsiti->copiaNegliAppunti(); });
    return ambate;
}

QWidget* PannelloEsiti::costruisciAbbinamenti()
{
    auto* abbinamenti = new QWidget;
    auto* lb = new QVBoxLayout(abbinamenti);
    lb->setContentsMargins(2, 2, 2, 2);
    Command38Btn = pulsante(QStringLiteral("Command38"), QStringLiteral("ABBINAMENTI"),
                            QStringLiteral("Cerca la formula da abbinare ai numeri del livello verificato"), abbinamenti);
    Option1 = new QRadioButton(QStringLiteral("2"), abbinamenti);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setToolTip(QStringLiteral("Ambo"));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("3"), abbinamenti);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setToolTip(QStringLiteral("Terno"));
    FgGr = vistaEsiti(QStringLiteral("FgGr"), workbench::TipoRicerca::AbbinamentiAmbo, modelloAbbinamenti_, abbinamenti);
    FgGr->setMinimumHeight(FgEsiti->minimumHeight());
    auto* ambi = new QHBoxLayout;
    ambi->addWidget(etichetta(QStringLiteral("LabelAmbo"), QStringLiteral("Verifica in"), abbinamenti));
    for (int k = 1; k <= 5; ++k) {
        auto* b = Cmd_Ambo[k] = pulsante(QStringLiteral("Cmd_Ambo(%1)").arg(k), QString::number(k),
                                         QStringLiteral("Verifica formula nella colonna %1").arg(k), abbinamenti);
        b->setFixedWidth(26);
        ambi->addWidget(b);
    }
    ambi->addStretch();
    Command7Btn = pulsante(QStringLiteral("Command7"), QStringLiteral("Imposta"),
                           QStringLiteral("Imposta la formula selezionata"), abbinamenti);
    auto* Command1Btn = pulsante(QStringLiteral("Command1"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), abbinamenti);
    lb->addLayout(fila({Command38Btn, etichetta(QStringLiteral("LabelSorte"), QStringLiteral("Sorte"), abbinamenti),
                        Option1, Option2, Command1Btn}));
    lb->addWidget(FgGr, 1);
    lb->addLayout(ambi);
    comandiAbbinamenti_ = fila({Command7Btn});
    lb->addLayout(comandiAbbinamenti_);
    connect(Command1Btn, &QPushButton::clicked, this, [this] { FgGr->copiaNegliAppunti(); });
    return abbinamenti;
}

int PannelloEsiti::aggiungiPagina(QWidget* pagina, const QString& titolo)
{
    return SSTab2->addTab(pagina, titolo);
}

void PannelloEsiti::aggiungiComando(Pagina pagina, QWidget* comando)
{
    QHBoxLayout* fila = pagina == Ambate ? comandiAmbate_ : comandiAbbinamenti_;
    comando->setParent(fila->parentWidget());
    // Before the stretch that closes the row.
    fila->insertWidget(fila->count() - 1, comando);
}

void PannelloEsiti::mostraImpostazioni()
{
    const QSignalBlocker blocco(Ch_CasiScoperti);
    Ch_CasiScoperti->setChecked(banco_.casiScoperti);
}

void PannelloEsiti::mostraEsiti()
{
    const auto mostra = [](ModelloRighe<RigaEsito>* modello, GrigliaView* v, const std::vector<RigaEsito>& righe, int scelta) {
        modello->sostituisci(righe);
        // A click on any row, the one the view stood on included, then chooses it.
        if (scelta == 0 && v->currentIndex().isValid()) {
            v->clearSelection();
            v->selectionModel()->clearCurrentIndex();
        }
    };
    mostra(modelloEsiti_, FgEsiti, banco_.esiti, banco_.esitoScelto);
    mostra(modelloAbbinamenti_, FgGr, banco_.abbinamenti, banco_.abbinamentoScelto);
}

void PannelloEsiti::statoEsiti(const QString& testo)
{
    LblEsitoRicerca->setText(testo);
    LblEsitoRicerca->setVisible(!testo.isEmpty());
}

void PannelloEsiti::risultatiDi(int pagina, const QString& impostazioni, const QString& note)
{
    pagine_[static_cast<std::size_t>(pagina)] = StatoPagina{impostazioni, note, false};
    mostraImpostazioniEsiti();
}

void PannelloEsiti::impostazioniScadute(int pagina, bool scadute)
{
    auto& p = pagine_[static_cast<std::size_t>(pagina)];
    if (p.impostazioni.isEmpty() || p.scadute == scadute)
        return;
    p.scadute = scadute;
    mostraImpostazioniEsiti();
}

void PannelloEsiti::dimenticaRisultati(int pagina)
{
    pagine_[static_cast<std::size_t>(pagina)] = StatoPagina{};
    if (paginaConfronto_ >= 0 && paginaConfronto_ == pagina) {
        paginaConfronto_ = -1;
        LblMiglioreACaso->clear();
        mostraMiglioreACaso();
    }
    mostraImpostazioniEsiti();
}

void PannelloEsiti::mostraImpostazioniEsiti()
{
    const int scheda = SSTab2->currentIndex();
    if (scheda < 0 || scheda > 1 || pagine_[static_cast<std::size_t>(scheda)].impostazioni.isEmpty()) {
        LblImpostazioniEsiti->hide();
        return;
    }
    const auto& p = pagine_[static_cast<std::size_t>(scheda)];
    QString testo = (p.scadute ? QStringLiteral("Impostazioni cambiate dopo la ricerca: questi risultati sono di ")
                               : QStringLiteral("Risultati di: ")) + p.impostazioni;
    if (!p.note.isEmpty())
        testo += QLatin1Char('\n') + p.note;
    LblImpostazioniEsiti->setText(testo);
    LblImpostazioniEsiti->setStyleSheet(p.scadute ? QStringLiteral("QLabel { color: #8b0000; font-weight: bold; }")
                                                  : QString());
    LblImpostazioniEsiti->show();
}

void PannelloEsiti::mostraMiglioreACaso()
{
    LblMiglioreACaso->setVisible(paginaConfronto_ >= 0 && paginaConfronto_ == SSTab2->currentIndex());
}

}
