// The verifications of Piramide1: the controls of the pages Casi, Verifica and Elabora, their layout, their marks.
#include "ui/Piramide1/PannelloVerifiche.h"

#include "ui/Piramide1/ColonneMattoni.h"
#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Elabora.h"
#include "workbench/Trasferimenti.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

using namespace piramide1;

namespace {

// A view of typed rows laid out as the panel's grids: centred cells, no row numbers.
// Each column at least as wide as its header in bold, its spaces counted, as the window fits its grids.
template <class Riga>
void adattaAlleIntestazioni(GrigliaView* v, ModelloRighe<Riga>* modello)
{
    QFont carattere = v->horizontalHeader()->font();
    carattere.setBold(true);
    const QFontMetrics fm(carattere);
    const int dpi = std::max(1, v->logicalDpiX());
    std::vector<ColonnaDi<Riga>> colonne;
    for (int c = 0; c < modello->columnCount(); ++c) {
        ColonnaDi<Riga> col = modello->colonna(c);
        if (!col.intestazione.trimmed().isEmpty() && !col.nascosta)
            col.larghezzaTwips = std::max(col.larghezzaTwips, ((fm.horizontalAdvance(col.intestazione) + 6) * 1440 + dpi - 1) / dpi);
        colonne.push_back(std::move(col));
    }
    modello->setColonne(std::move(colonne));
    v->aggiorna();
}

template <class Riga>
GrigliaView* vista(const QString& nome, ModelloRighe<Riga>* modello, QWidget* genitore, int altezzaMinima)
{
    auto* v = new GrigliaView(modello, genitore);
    adattaAlleIntestazioni(v, modello);
    v->setObjectName(nome);
    v->setMinimumHeight(altezzaMinima);
    v->horizontalHeader()->setMinimumSectionSize(16);
    v->verticalHeader()->setVisible(false);
    return v;
}

// Widths in twips: narrow columns for the short numbers, so a report shows most of a row at once.
constexpr std::array<int, 19> LarghezzeFgL = {450, 650, 1250, 400, 400, 400, 400, 400, 400, 400,
                                              400, 400, 400, 400, 400, 400, 400, 400, 400};
constexpr std::array<int, 18> LarghezzeFgY = {350, 650, 1250, 400, 500, 450, 400, 400, 400,
                                              400, 400, 400, 400, 400, 400, 400, 400, 500};
constexpr std::array<int, 9> LarghezzeFgEv = {300, 550, 1150, 350, 390, 390, 390, 390, 390};
constexpr std::array<int, 6> LarghezzeFgX = {390, 390, 390, 390, 390, 390};
constexpr std::array<int, 10> LarghezzeFg_E = {400, 500, 500, 500, 500, 400, 400, 400, 400, 400};

// Centred columns of a header, each cell's text and colours from the logic's functions of the row and column.
template <class Riga, std::size_t N>
std::vector<ColonnaDi<Riga>> colonne(std::string_view intestazione, const std::array<int, N>& larghezze,
                                     std::string (*testo)(const Riga&, int),
                                     std::optional<grid::Colore> (*sfondo)(const Riga&, int),
                                     bool (*grassetto)(const Riga&, int) = nullptr,
                                     std::optional<grid::Colore> (*coloreTesto)(int) = nullptr)
{
    auto colonne = colonneDi<Riga>(intestazione, larghezze, testo, grid::Allineamento::Centro);
    for (int c = 0; c < static_cast<int>(colonne.size()); ++c) {
        auto& col = colonne[static_cast<std::size_t>(c)];
        col.sfondo = [sfondo, c](const Riga& r) { return sfondo(r, c); };
        if (grassetto)
            col.grassetto = [grassetto, c](const Riga& r) { return grassetto(r, c); };
        if (coloreTesto)
            col.coloreTesto = [coloreTesto, c](const Riga&) { return coloreTesto(c); };
    }
    return colonne;
}

std::vector<ColonnaDi<workbench::RigaCasoMostrata>> colonneFgEv()
{
    return colonne(workbench::intestazioni::FgEv, LarghezzeFgEv, &workbench::testoFgEv, &workbench::sfondoFgEv,
                   &workbench::grassettoFgEv);
}

std::vector<ColonnaDi<workbench::RigaNumeriCaso>> colonneFgX()
{
    return colonne(workbench::intestazioni::FgX, LarghezzeFgX, &workbench::testoFgX, &workbench::sfondoFgX);
}

std::vector<ColonnaDi<engine::RigaVerifica>> colonneFgL()
{
    auto c = colonne(workbench::intestazioni::FgL, LarghezzeFgL, &engine::testoFgL, &engine::sfondoFgL, &engine::grassettoFgL,
                     &engine::coloreTestoFgL);
    // N1 and N2 are kept for the copy, not shown.
    c[engine::colL::N1].nascosta = c[engine::colL::N2].nascosta = true;
    return c;
}

std::vector<ColonnaDi<workbench::RigaElabora>> colonneFgY(std::string_view intestazione)
{
    return colonne(intestazione, LarghezzeFgY, &workbench::testoFgY, &workbench::sfondoFgY, &workbench::grassettoFgY,
                   &workbench::coloreTestoFgY);
}

std::vector<ColonnaDi<workbench::RiepilogoVerifica>> colonneFg_E()
{
    auto c = colonne(workbench::intestazioni::Fg_E, LarghezzeFg_E, &workbench::testoFg_E, &workbench::sfondoFg_E);
    c[workbench::colE::Titolo].nascosta = true;
    return c;
}

// Fg7: level k on row k, its sorte typed in, green when ELABORA includes it.
std::vector<ColonnaDi<workbench::LivelloElabora>> colonneFg7()
{
    constexpr std::array<int, 1> Larghezze = {700};
    auto c = colonneDi<workbench::LivelloElabora>(
        workbench::intestazioni::Fg7, Larghezze,
        [](const workbench::LivelloElabora& l, int) { return std::to_string(l.sorte); }, grid::Allineamento::Centro);
    c[0].sfondo = [](const workbench::LivelloElabora& l) {
        return std::optional(l.incluso ? workbench::colori::Selezione : grid::colori::Bianco);
    };
    c[0].modifica = [](workbench::LivelloElabora& l, const QString& testo) {
        if (!PannelloVerifiche::accettaLivello(testo.toStdString()))
            return false;
        l.sorte = testo.toInt();
        return true;
    };
    return c;
}

}

PannelloVerifiche::PannelloVerifiche(workbench::Banco& banco) : banco_(banco)
{
    setObjectName(QStringLiteral("SSTab3"));
    auto* casi = costruisciCasi();
    auto* verifica = costruisciVerifica();
    auto* elabora = costruisciElabora();
    addTab(casi, QStringLiteral("Casi"));
    addTab(verifica, QStringLiteral("Verifica"));
    addTab(elabora, QStringLiteral("Elabora"));
    connect(ComboLivello, &QComboBox::currentIndexChanged, this, [this](int i) { banco_.livello = i + 1; });
    connect(FgX, &GrigliaView::doppioClic, this, [this](int, int c) {
        workbench::svuotaColonnaFgX(banco_, c);
        mostraTabelle();
    });
    connect(Fg5, &GrigliaView::clic, this, [this](int r, int) {
        workbench::evidenziaRigaFg5(banco_, r);
        mostraFg5();
    });
    connect(Fg7, &GrigliaView::clic, this, [this](int r, int c) {
        if (c != 0)
            return;
        workbench::toggleLivello(banco_, r);
        mostraLivelli();
    });
    // The typed sorte, already in the model's row, becomes the level's. Nothing is shown again here:
    // the editor is still storing its text.
    connect(Fg7, &GrigliaView::cellaModificata, this,
            [this](int r, int) { workbench::impostaSorteLivello(banco_, r, modelloFg7_->riga(r - 1).sorte); });
}

// Cases and their numbers.
QWidget* PannelloVerifiche::costruisciCasi()
{
    auto* casi = new QWidget;
    auto* lc = new QGridLayout(casi);
    lc->setContentsMargins(4, 4, 4, 4);
    modelloFgEv_ = new ModelloRighe<workbench::RigaCasoMostrata>(colonneFgEv());
    FgEv = vista(QStringLiteral("FgEv"), modelloFgEv_, casi, 90);
    FgEv->setToolTip(QStringLiteral("Doppio clic: il caso diventa l'estrazione di riferimento"));
    modelloFgX_ = new ModelloRighe<workbench::RigaNumeriCaso>(colonneFgX());
    FgX = vista(QStringLiteral("FgX"), modelloFgX_, casi, 90);
    FgX->setToolTip(QStringLiteral("Doppio clic su una colonna: la svuota"));
    auto* Command5Btn = pulsante(QStringLiteral("Command5"), QStringLiteral("MARCA"),
                                 QStringLiteral("Segna in verde i casi coperti dalla verifica"), casi);
    auto* Command4Btn = pulsante(QStringLiteral("Command4"), QStringLiteral("Azzera grid"),
                                 QStringLiteral("Toglie i segni dei casi"), casi);
    Command12Btn = pulsante(QStringLiteral("Command12"), QStringLiteral("Caso"),
                            QStringLiteral("Il caso selezionato diventa l'estrazione di riferimento"), casi);
    auto* Command39Btn = pulsante(QStringLiteral("Command39"), QStringLiteral("Azzera grid"),
                                  QStringLiteral("Una riga vuota per caso"), casi);
    auto* Command16Btn = pulsante(QStringLiteral("Command16"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), casi);
    lc->addWidget(FgEv, 0, 0);
    lc->addWidget(FgX, 0, 1);
    lc->addLayout(fila({Command5Btn, Command4Btn, Command12Btn}), 1, 0, 1, 2);
    lc->addLayout(fila({etichetta(QStringLiteral("LabelFgX"), QStringLiteral("Numeri per caso"), casi), Command39Btn,
                        Command16Btn}),
                  2, 0, 1, 2);
    lc->setColumnStretch(0, 0);
    lc->setColumnStretch(1, 1);
    FgX->setMinimumWidth(60);
    connect(Command5Btn, &QPushButton::clicked, this, &PannelloVerifiche::Command5);
    connect(Command4Btn, &QPushButton::clicked, this, &PannelloVerifiche::Command4);
    connect(Command39Btn, &QPushButton::clicked, this, &PannelloVerifiche::Command39);
    connect(Command16Btn, &QPushButton::clicked, this, [this] { FgX->copiaNegliAppunti(); });
    return casi;
}

// Verification of one level or one formula.
QWidget* PannelloVerifiche::costruisciVerifica()
{
    auto* verifica = new QWidget;
    auto* tasti = new Cliccabili(verifica);
    auto* lv = new QVBoxLayout(verifica);
    lv->setContentsMargins(4, 4, 4, 4);
    auto* livelli = new QHBoxLayout;
    livelli->addWidget(etichetta(QStringLiteral("LabelLivelli"), QStringLiteral("Verifica livello"), verifica));
    for (int k = 1; k <= 5; ++k) {
        LblRiga[k] = tasti->etichetta(QStringLiteral("Lbl_Riga(%1)").arg(k), QString::number(k),
                                      QStringLiteral("Verifica i mattoni del livello %1 sui casi").arg(k), verifica,
                                      [this, k] { emit verificaLivello(k); });
        livelli->addWidget(LblRiga[k]);
    }
    ComboLivello = combo(QStringLiteral("ComboLivello"), numeriDa(1, 5), 0,
                         QStringLiteral("Sorte richiesta dalla verifica"), verifica);
    Command40Btn = pulsante(QStringLiteral("Command40"), QStringLiteral("VERIFICA"),
                            QStringLiteral("Verifica i numeri di FgX sui colpi successivi"), verifica);
    auto* Command3Btn = pulsante(QStringLiteral("Command3"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), verifica);
    Command20Btn = pulsante(QStringLiteral("Command20"), QStringLiteral("Stampa"), QStringLiteral("Stampa tabella"), verifica);
    livelli->addStretch();
    auto* verifiche = fila({etichetta(QStringLiteral("LabelSorteV"), QStringLiteral("Sorte"), verifica), ComboLivello,
                            Command40Btn, Command3Btn, Command20Btn});
    modelloFgL_ = new ModelloRighe<engine::RigaVerifica>(colonneFgL());
    FgL = vista(QStringLiteral("FgL"), modelloFgL_, verifica, 40);
    modelloFg_E_ = new ModelloRighe<workbench::RiepilogoVerifica>(colonneFg_E());
    Fg_E = vista(QStringLiteral("Fg_E"), modelloFg_E_, verifica, 0);
    Fg_E->setFixedHeight(2 * Fg_E->verticalHeader()->defaultSectionSize() + 8);
    modelloFg5_ = new ModelloRighe<engine::Mattone>(colonneFg5());
    modelloFg5_->sostituisci(banco_.Fg5);
    Fg5 = griglia(QStringLiteral("Fg5"), modelloFg5_, verifica, 40);
    Fg5->setMaximumHeight(7 * Fg5->verticalHeader()->defaultSectionSize() + 6);
    Fg5->setToolTip(QStringLiteral("Formule verificate nelle colonne 1..5"));
    auto* setta = new QHBoxLayout;
    setta->addWidget(etichetta(QStringLiteral("LabelSetta"), QStringLiteral("Imposta livello"), verifica));
    for (int k = 1; k <= 5; ++k) {
        LblSetta[k] = tasti->etichetta(QStringLiteral("Lbl_setta(%1)").arg(k), QString::number(k),
                                       QStringLiteral("Copia le righe 1..%1 nei mattoni del livello %1").arg(k), verifica,
                                       [this, k] { emit impostaLivello(k); });
        setta->addWidget(LblSetta[k]);
    }
    tasti->riga({LblRiga.begin() + 1, LblRiga.end()});
    tasti->riga({LblSetta.begin() + 1, LblSetta.end()});
    auto* Command26Btn = pulsante(QStringLiteral("Command26"), QStringLiteral("Resetta"),
                                  QStringLiteral("Svuota le formule verificate"), verifica);
    setta->addWidget(Command26Btn);
    setta->addStretch();
    lv->addLayout(livelli);
    lv->addLayout(verifiche);
    lv->addWidget(FgL, 3);
    lv->addWidget(Fg_E);
    lv->addLayout(setta);
    lv->addWidget(Fg5, 1);
    connect(Command3Btn, &QPushButton::clicked, this, [this] { FgL->copiaNegliAppunti(); });
    connect(Command26Btn, &QPushButton::clicked, this, &PannelloVerifiche::Command26);
    return verifica;
}

// ELABORA over several levels.
QWidget* PannelloVerifiche::costruisciElabora()
{
    auto* elabora = new QWidget;
    auto* le = new QGridLayout(elabora);
    le->setContentsMargins(4, 4, 4, 4);
    modelloFg7_ = new ModelloRighe<workbench::LivelloElabora>(colonneFg7());
    Fg7 = griglia(QStringLiteral("Fg7"), modelloFg7_, elabora, 0);
    Fg7->verticalHeader()->setVisible(true);
    Fg7->setFixedSize(70, 6 * Fg7->verticalHeader()->defaultSectionSize() + 6);
    Fg7->setToolTip(QStringLiteral("Livelli di ELABORA (verde): clic per scegliere, scrivere la sorte del livello"));
    mostraLivelli();
    auto* Command31Btn = pulsante(QStringLiteral("Command31"), QStringLiteral("Tutti"), QStringLiteral("Tutti i livelli"), elabora);
    auto* Command32Btn = pulsante(QStringLiteral("Command32"), QStringLiteral("Nessuno"), QStringLiteral("Nessun livello"), elabora);
    Command27Btn = pulsante(QStringLiteral("Command27"), QStringLiteral("ELABORA"),
                            QStringLiteral("Verifica i livelli scelti e riassume per caso"), elabora);
    auto* Command30Btn = pulsante(QStringLiteral("Command30"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), elabora);
    auto* Command33Btn = pulsante(QStringLiteral("Command33"), QStringLiteral("Copia tutto"), QStringLiteral("Copia tabella"), elabora);
    Command28Btn = pulsante(QStringLiteral("Command28"), QStringLiteral("Stampa"), QStringLiteral("Stampa tabella"), elabora);
    modelloFgY_ = new ModelloRighe<workbench::RigaElabora>(colonneFgY(workbench::intestazioni::FgY));
    FgY = vista(QStringLiteral("FgY"), modelloFgY_, elabora, 90);
    modelloFg10_ = new ModelloRighe<workbench::RigaElabora>(colonneFgY(workbench::intestazioni::Fg10));
    Fg10 = vista(QStringLiteral("Fg10"), modelloFg10_, elabora, 60);
    // Two columns of buttons: the page stays low enough for the results above it.
    auto* comandi = new QGridLayout;
    comandi->addWidget(Fg7, 0, 0, 1, 2);
    int k = 0;
    for (auto* b : {Command31Btn, Command32Btn, Command27Btn, Command30Btn, Command33Btn, Command28Btn}) {
        comandi->addWidget(b, 1 + k / 2, k % 2);
        ++k;
    }
    comandi->setRowStretch(4, 1);
    le->addLayout(comandi, 0, 0, 2, 1);
    le->addWidget(FgY, 0, 1);
    le->addWidget(Fg10, 1, 1);
    le->setRowStretch(0, 3);
    le->setRowStretch(1, 2);
    connect(Command31Btn, &QPushButton::clicked, this, [this] {
        workbench::selezionaLivelli(banco_, true);
        mostraLivelli();
    });
    connect(Command32Btn, &QPushButton::clicked, this, [this] {
        workbench::selezionaLivelli(banco_, false);
        mostraLivelli();
    });
    connect(Command30Btn, &QPushButton::clicked, this, [this] { FgY->copiaNegliAppunti(); });
    connect(Command33Btn, &QPushButton::clicked, this, [this] { FgY->copiaNegliAppunti(); });
    return elabora;
}

void PannelloVerifiche::mostraImpostazioni() { mostraLivello(); }

void PannelloVerifiche::mostraTabelle()
{
    auto casi = workbench::righeFgEv(banco_);
    // Other cases: no current case until one is chosen again.
    const bool altri = !std::equal(casi.begin(), casi.end(), modelloFgEv_->righe().begin(), modelloFgEv_->righe().end(),
                                   [](const auto& a, const auto& b) { return a.estrazione == b.estrazione; });
    modelloFgEv_->sostituisci(std::move(casi));
    if (altri)
        FgEv->setCurrentIndex({});
    modelloFgX_->sostituisci(workbench::righeFgX(banco_));
    modelloFgL_->sostituisci(banco_.righeVerifica);
    modelloFg_E_->sostituisci(banco_.riepilogo ? std::vector{*banco_.riepilogo} : std::vector<workbench::RiepilogoVerifica>{});
    modelloFgY_->sostituisci(banco_.righeElabora);
    modelloFg10_->sostituisci(banco_.righePrimoColpo);
    mostraLivelli();
}

void PannelloVerifiche::mostraLivelli()
{
    modelloFg7_->sostituisci({banco_.livelliElabora.begin(), banco_.livelliElabora.end()});
}

void PannelloVerifiche::mostraLivello()
{
    const QSignalBlocker blocco(ComboLivello);
    ComboLivello->setCurrentIndex(banco_.livello - 1);
}

void PannelloVerifiche::Command5()
{
    workbench::marcaCasiCentrati(banco_);
    mostraTabelle();
}

void PannelloVerifiche::Command4()
{
    workbench::azzeraMarcheCasi(banco_);
    mostraTabelle();
}

void PannelloVerifiche::Command39()
{
    workbench::azzeraFgX(banco_);
    mostraTabelle();
}

void PannelloVerifiche::Command26()
{
    workbench::svuotaFg5(banco_);
    mostraFg5();
}

std::vector<ColonnaDi<engine::Mattone>> PannelloVerifiche::colonneFg5() const
{
    // The Banco outlives the panel (the window deletes its panels first).
    const workbench::Banco& b = banco_;
    piramide1::EvidenzaMattone evidenza{[&b](const engine::Mattone& m) { return m.numero == b.rigaFg5Evidenziata; },
                                        grid::colori::Giallo, std::nullopt};
    return piramide1::colonneMattoni(workbench::intestazioni::Fg5, std::move(evidenza), nascosteFg5_);
}

void PannelloVerifiche::mostraFg5()
{
    piramide1::mostraMattoni(*modelloFg5_, *Fg5, banco_.Fg5, nascosteFg5_, banco_.colonneMattoniNascoste,
                             [this] { return colonneFg5(); });
}

int PannelloVerifiche::casoCorrente() const
{
    const QModelIndex i = FgEv->currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

bool PannelloVerifiche::accettaLivello(const std::string& testo)
{
    return testo.size() == 1 && testo[0] >= '1' && testo[0] <= '5';
}

}
