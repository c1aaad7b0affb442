// The centre of Piramide1: the pyramid's controls, their layout and the highlighted brick.
#include "ui/Piramide1/PannelloPiramide.h"

#include "engine/Piramide.h"
#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

using namespace piramide1;

namespace {
constexpr grid::Colore EvidenziaMattone = grid::rgb(255, 128, 0);
constexpr grid::Colore MattoneNormale = grid::rgb(255, 255, 224);
}

PannelloPiramide::PannelloPiramide(workbench::Banco& banco, workbench::PannelloPiramidi& pannello, QWidget* genitore)
    : QGroupBox(QStringLiteral("Piramide"), genitore), banco_(banco), pannello_(pannello)
{
    auto* p = this;
    auto* tasti = new Cliccabili(this);
    p->setObjectName(QStringLiteral("FramePiramide"));
    auto* l = new QVBoxLayout(p);
    l->setContentsMargins(4, 2, 4, 4);

    // The triangle: row k holds bricks primoMattone(k)..ultimoMattone(k), centred.
    auto* triangolo = new QVBoxLayout;
    triangolo->setSpacing(2);
    for (int livello = 1; livello <= 5; ++livello) {
        auto* riga = new QHBoxLayout;
        riga->setSpacing(2);
        riga->addStretch();
        for (int m = engine::primoMattone(livello); m <= engine::ultimoMattone(livello); ++m) {
            Lbl0[m] = tasti->etichetta(QStringLiteral("Lbl0(%1)").arg(m), {},
                                       QStringLiteral("Mattone %1: clic per evidenziarlo").arg(m), p,
                                       [this, m] { evidenziaMattone(m); });
            Lbl0[m]->setFixedSize(34, 22);
            // The bricks are reached from their grid FgF, not with Tab.
            Lbl0[m]->setFocusPolicy(Qt::NoFocus);
            riga->addWidget(Lbl0[m]);
        }
        riga->addStretch();
        triangolo->addLayout(riga);
    }
    // What the bricks show, in the frame's tooltip: the room goes to the reference draw.
    p->setToolTip(QStringLiteral("Ogni mattone mostra il numero che la sua formula dà sull'estrazione di riferimento "
                                 "(1 il vertice, 11-15 la base). Clic su un mattone: i suoi numeri si colorano "
                                 "nell'estrazione, giallo il primo e verde il secondo."));
    constexpr std::array<int, 6> larghezze = {390, 390, 390, 390, 390, 390};
    auto colonne = colonneDi<workbench::RigaEstratti>(workbench::intestazioni::FgEstratti, larghezze, &workbench::testoEstratti,
                                                      grid::Allineamento::Centro);
    // The cells of the highlighted brick's references; the second wins where both fall.
    for (int c = 1; c <= 5; ++c)
        colonne[static_cast<std::size_t>(c)].sfondo = [c](const workbench::RigaEstratti& r) -> std::optional<grid::Colore> {
            if (r.secondo == c)
                return workbench::coloriMattone::SecondoRiferimento;
            if (r.primo == c)
                return workbench::coloriMattone::PrimoRiferimento;
            return std::nullopt;
        };
    modelloEstratti_ = new ModelloRighe<workbench::RigaEstratti>(std::move(colonne));
    FgEstratti = griglia(QStringLiteral("FgEstratti"), modelloEstratti_, p, 80);
    mostraEstratti();
    FgEstratti->setToolTip(QStringLiteral("Numeri dell'estrazione di riferimento"));
    // All eleven wheels at once.
    FgEstratti->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgEstratti->setFixedHeight(FgEstratti->horizontalHeader()->sizeHint().height()
                               + archive::NumeroRuote * FgEstratti->verticalHeader()->defaultSectionSize()
                               + 2 * FgEstratti->frameWidth());

    modelloFgF_ = new ModelloRighe<engine::Mattone>(colonneFgF());
    modelloFgF_->sostituisci(banco_.FgF);
    FgF = griglia(QStringLiteral("FgF"), modelloFgF_, p, 150);
    FgF->setToolTip(QStringLiteral("Clic: evidenzia il mattone; doppio clic: lo carica nell'editor; "
                                   "scrivendo in una cella il mattone cambia e la piramide si ricalcola"));
    Command2Btn = pulsante(QStringLiteral("Command2"), QStringLiteral("Calcola"),
                           QStringLiteral("Calcola la piramide sull'estrazione di riferimento"), p);
    Command19Btn = pulsante(QStringLiteral("Command19"), QStringLiteral("Resetta"), QStringLiteral("Svuota la piramide"), p);
    Command15Btn = pulsante(QStringLiteral("Command15"), QStringLiteral("Cancella riga"),
                            QStringLiteral("Cancella riga selezionata"), p);
    Command24Btn = pulsante(QStringLiteral("Command24"), QStringLiteral("Deseleziona tutti"),
                            QStringLiteral("Toglie l'evidenziazione e i risultati dei mattoni"), p);
    Command10Btn = pulsante(QStringLiteral("Command10"), QStringLiteral("NASCONDE"),
                            QStringLiteral("Nasconde le colonne Ri, Co, Tipo e gli indici di ruota"), p);
    Command17Btn = pulsante(QStringLiteral("Command17"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), p);
    Ch_AA = new QCheckBox(QStringLiteral("Calcola al cambio caso"), p);
    Ch_AA->setObjectName(QStringLiteral("Ch_AA"));
    Ch_AA->setToolTip(QStringLiteral("Il pulsante \"Caso\" ricalcola la piramide sul caso scelto"));

    l->addLayout(triangolo);
    l->addWidget(FgEstratti);
    l->addWidget(FgF, 1);
    auto* pulsanti = new QGridLayout;
    pulsanti->setSpacing(3);
    pulsanti->addWidget(Command2Btn, 0, 0);
    pulsanti->addWidget(Command19Btn, 0, 1);
    pulsanti->addWidget(Command15Btn, 1, 0);
    pulsanti->addWidget(Command24Btn, 1, 1);
    pulsanti->addWidget(Command10Btn, 2, 0);
    pulsanti->addWidget(Command17Btn, 2, 1);
    l->addLayout(pulsanti);
    l->addWidget(Ch_AA);
    p->setFixedWidth(262);
    connect(FgF, &GrigliaView::clic, this, [this](int r, int) {
        if (r >= 1)
            evidenziaMattone(r);
    });
}

void PannelloPiramide::evidenziaMattone(int m)
{
    workbench::evidenziaMattone(banco_, pannello_, m);
    mostraPiramide();
    mostraEstratti();
    mostraMattoni();
    FgF->setCellaCorrente(m, engine::colF::Tras);
}

std::vector<ColonnaDi<engine::Mattone>> PannelloPiramide::colonneFgF() const
{
    // The Banco outlives the panel (the window deletes its panels first).
    const workbench::PannelloPiramidi& p = pannello_;
    piramide1::EvidenzaMattone evidenza{[&p](const engine::Mattone& m) { return m.numero == p.mattoneEvidenziato; },
                                        workbench::coloriMattone::Riga, workbench::coloriMattone::Numero};
    return piramide1::colonneMattoni(workbench::intestazioni::FgF, std::move(evidenza), nascoste_, modifica_);
}

void PannelloPiramide::setModificaMattone(piramide1::ModificaMattone modifica)
{
    modifica_ = std::move(modifica);
    modelloFgF_->setColonne(colonneFgF());
    FgF->aggiorna();
    // F2 or a key typed on a cell opens its editor, as on any grid the player types into.
    FgF->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

void PannelloPiramide::mostraPiramide()
{
    piramide1::mostraMattoni(*modelloFgF_, *FgF, banco_.FgF, nascoste_, banco_.colonneMattoniNascoste,
                             [this] { return colonneFgF(); });
}

void PannelloPiramide::mostraEstratti()
{
    modelloEstratti_->sostituisci({banco_.estratti.begin(), banco_.estratti.end()});
}

void PannelloPiramide::mostraMattoni()
{
    for (int m = 1; m <= engine::NumeroMattoni; ++m) {
        Lbl0[m]->setText(daStd(banco_.Lbl0[static_cast<std::size_t>(m)]));
        colora(Lbl0[m], m == pannello_.mattoneEvidenziato ? EvidenziaMattone : MattoneNormale);
    }
}

}
