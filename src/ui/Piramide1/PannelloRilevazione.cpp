// The page "Rilevazione" of Piramide1: its controls, their layout, the settings they write into the Banco.
#include "ui/Piramide1/PannelloRilevazione.h"

#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "workbench/Salvataggi.h"
#include "workbench/Trasferimenti.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

using namespace piramide1;

PannelloRilevazione::PannelloRilevazione(workbench::Banco& banco, workbench::TabelloneNumeri& tabellone) : banco_(banco), FgNu_(tabellone)
{
    auto* p = this;
    auto* tasti = new Cliccabili(this);
    auto* g = new QGridLayout(p);
    g->setContentsMargins(4, 4, 4, 4);
    g->setVerticalSpacing(3);
    ComboR1 = combo(QStringLiteral("ComboR1"), sigleRuote(), 0, QStringLiteral("Ruota base della rilevazione"), p);
    ruote_ = tabelloneRuote(375, workbench::colori::Selezione, grid::colori::Bianco);
    FgRG = griglia(QStringLiteral("FgRG"), ruote_, p, 0);
    FgRG->setFisse(0, 0);
    FgRG->horizontalHeader()->setVisible(false);
    FgRG->setFixedHeight(FgRG->verticalHeader()->defaultSectionSize() + 4);
    FgRG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgRG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgRG->setToolTip(QStringLiteral("Ruote in gioco (verde): clic per scegliere"));
    auto tutteLeRuote = [this](bool inGioco) {
        for (int w = 0; w < archive::NumeroRuote; ++w)
            workbench::setRuotaInGioco(banco_, w, inGioco);
        mostraScelte();
    };
    auto* tutte = tasti->etichetta(QStringLiteral("LabelTutte"), QStringLiteral("Seleziona tutti"),
                                   QStringLiteral("Tutte le ruote in gioco"), p, [tutteLeRuote] { tutteLeRuote(true); });
    auto* nessuna = tasti->etichetta(QStringLiteral("LabelNessuna"), QStringLiteral("Deseleziona"),
                                     QStringLiteral("Nessuna ruota in gioco"), p, [tutteLeRuote] { tutteLeRuote(false); });
    auto* posizioni = new QHBoxLayout;
    posizioni->addWidget(etichetta(QStringLiteral("LabelPosizioni"), QStringLiteral("Posizioni"), p));
    for (int k = 0; k < 5; ++k) {
        LblPN[k] = tasti->etichetta(QStringLiteral("LblPN(%1)").arg(k), QString::number(k + 1),
                                    QStringLiteral("Posizione %1 (verde = scelta)").arg(k + 1), p, [this, k] {
                                        workbench::commutaPosizione(banco_, k + 1);
                                        mostraPosizioni();
                                    });
        posizioni->addWidget(LblPN[k]);
    }
    posizioni->addStretch();
    tasti->riga({tutte, nessuna});
    tasti->riga({LblPN.begin(), LblPN.end()});
    QStringList filtri;
    for (auto n : workbench::NomiRilevazione)
        filtri << QString::fromStdString(std::string(n));
    ComboFiltro = combo(QStringLiteral("ComboFiltro"), filtri, 0, QStringLiteral("Tipo rilevazione"), p);
    ComboPar = combo(QStringLiteral("ComboPar"), QStringList{QStringLiteral("U")} + numeriDa(1, 31), 2,
                     QStringLiteral("Estrazione del mese (U = ultima)"), p);
    Ch_ultima = new QCheckBox(QStringLiteral("Forza ultima"), p);
    Ch_ultima->setObjectName(QStringLiteral("Ch_ultima"));
    Ch_ultima->setToolTip(QStringLiteral("Con \"U\" anche l'ultima estrazione dell'archivio può essere un caso"));
    ComboQNu = combo(QStringLiteral("ComboQNu"), numeriDa(1, 5), 0,
                     QStringLiteral("Quante corrispondenze servono perché un'estrazione sia un caso"), p);
    ComboNC = combo(QStringLiteral("ComboNC"), numeriDa(1, 50), 11, QStringLiteral("N° casi"), p);
    Combo3 = combo(QStringLiteral("Combo3"), numeriDa(1, 20), 7, QStringLiteral("Colpi"), p);
    ComboEle = combo(QStringLiteral("ComboEle"), numeriDa(100, 1000, 50), 0,
                     QStringLiteral("Righe tenute dalle ricerche"), p);

    numeri_ = tabelloneNumeri(390, workbench::colori::Ciano, grid::colori::Bianco);
    FgNu = griglia(QStringLiteral("FgNu"), numeri_, p, 0);
    FgNu->setFisse(0, 0);
    FgNu->horizontalHeader()->setVisible(false);
    FgNu->setFixedHeight(9 * FgNu->verticalHeader()->defaultSectionSize() + 4);
    FgNu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgNu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgNu->setToolTip(QStringLiteral("Numeri della rilevazione (ciano): clic per scegliere"));
    Command6Btn = pulsante(QStringLiteral("Command6"), QStringLiteral("Imposta"),
                           QStringLiteral("Scrive i numeri scelti nella casella"), p);
    Command8Btn = pulsante(QStringLiteral("Command8"), QStringLiteral("Reset"), QStringLiteral("Azzera il tabellone"), p);
    TxtNumeri = new QLineEdit(p);
    TxtNumeri->setObjectName(QStringLiteral("TxtNumeri"));
    TxtNumeri->setToolTip(QStringLiteral("Numeri della rilevazione (doppio clic per svuotare)"));
    tasti->svuotaAlDoppioClic(TxtNumeri);
    // Filled by the number board (Imposta) and by loading only: typing, paste, delete and drop would
    // leave a detection the board does not show.
    TxtNumeri->setReadOnly(true);
    TxtNumeri->setAcceptDrops(false);
    Command9Btn = pulsante(QStringLiteral("Command9"), QStringLiteral("RICAVA ESTRAZIONI"),
                           QStringLiteral("Ricava i casi dall'archivio"), p);
    Command9Btn->setMinimumHeight(30);

    int r = 0;
    g->addWidget(etichetta(QStringLiteral("Label1"), QStringLiteral("Ruota"), p), r, 0);
    g->addWidget(ComboR1, r++, 1, Qt::AlignLeft);
    g->addWidget(FgRG, r++, 0, 1, 2);
    g->addLayout(fila({tutte, nessuna}), r++, 0, 1, 2);
    g->addLayout(posizioni, r++, 0, 1, 2);
    g->addWidget(etichetta(QStringLiteral("Label2"), QStringLiteral("Tipo rilevazione"), p), r, 0);
    g->addWidget(ComboFiltro, r++, 1);
    g->addWidget(etichetta(QStringLiteral("Label4"), QStringLiteral("Mensile"), p), r, 0);
    g->addLayout(fila({ComboPar, Ch_ultima}), r++, 1);
    g->addWidget(etichetta(QStringLiteral("Label5"), QStringLiteral("QN"), p), r, 0);
    g->addLayout(fila({ComboQNu, etichetta(QStringLiteral("Label6"), QStringLiteral("N° casi"), p), ComboNC}), r++, 1);
    g->addWidget(etichetta(QStringLiteral("Label7"), QStringLiteral("Colpi"), p), r, 0);
    g->addLayout(fila({Combo3, etichetta(QStringLiteral("Label8"), QStringLiteral("Lista"), p), ComboEle}), r++, 1);
    g->addWidget(FgNu, r++, 0, 1, 2);
    g->addLayout(fila({Command6Btn, Command8Btn}), r++, 0, 1, 2);
    g->addWidget(TxtNumeri, r++, 0, 1, 2);
    g->addWidget(Command9Btn, r++, 0, 1, 2);
    g->setRowStretch(r, 1);
    mostraScelte();
    collega();
}

void PannelloRilevazione::collega()
{
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
    connect(TxtNumeri, &QLineEdit::textChanged, this, [this](const QString& t) { banco_.numeri = t.toStdString(); });
    connect(FgRG, &GrigliaView::clic, this, [this](int, int c) {
        if (c < 0 || c >= archive::NumeroRuote)
            return;
        workbench::setRuotaInGioco(banco_, c, !workbench::ruotaInGioco(banco_, c));
        mostraScelte();
    });
    connect(FgNu, &GrigliaView::clic, this, [this](int r, int c) {
        workbench::toggleNumero(FgNu_, r, c);
        mostraScelte();
    });
    connect(Command6Btn, &QPushButton::clicked, this, &PannelloRilevazione::Command6);
    connect(Command8Btn, &QPushButton::clicked, this, &PannelloRilevazione::Command8);
}

void PannelloRilevazione::mostraImpostazioni()
{
    const QSignalBlocker b1(ComboR1), b2(ComboFiltro), b3(ComboPar), b4(ComboQNu), b5(ComboNC), b6(Combo3), b8(ComboEle),
        b10(TxtNumeri), b11(Ch_ultima);
    ComboR1->setCurrentIndex(banco_.ruotaBase);
    ComboFiltro->setCurrentIndex(static_cast<int>(banco_.rilevazione));
    ComboPar->setCurrentIndex(banco_.mensile);
    ComboQNu->setCurrentIndex(banco_.qn - 1);
    ComboNC->setCurrentIndex(banco_.numeroCasi - 1);
    Combo3->setCurrentIndex(banco_.colpi - 1);
    ComboEle->setCurrentIndex((banco_.lista - 100) / 50);
    TxtNumeri->setText(daStd(banco_.numeri));
    Ch_ultima->setChecked(banco_.forzaUltima);
}

void PannelloRilevazione::mostraPosizioni()
{
    for (int k = 0; k < 5; ++k)
        colora(LblPN[k], banco_.posizioni[static_cast<std::size_t>(k)] ? workbench::colori::Selezione : grid::colori::Bianco);
}

void PannelloRilevazione::mostraMensile()
{
    const QSignalBlocker blocco(ComboPar);
    ComboPar->setCurrentIndex(banco_.mensile);
}

void PannelloRilevazione::Command6()
{
    TxtNumeri->setText(daStd(workbench::numeriScelti(FgNu_)));
}

void PannelloRilevazione::Command8()
{
    workbench::azzeraTabellone(FgNu_);
    mostraScelte();
}

void PannelloRilevazione::mostraScelte()
{
    scegliRuote(*ruote_, workbench::ruoteInGioco(banco_));
    std::vector<int> numeri;
    for (int n = 1; n <= 90; ++n)
        if (FgNu_.scelti[static_cast<std::size_t>(n)])
            numeri.push_back(n);
    scegliNumeri(*numeri_, numeri);
}

}
