// The window Operatori: controls and handlers; the check and the insertion live in src/storage.
#include "ui/Operatori/Operatori.h"

#include "maintenance/OperatoriMancanti.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/RegistroFinestre.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>
#include <iterator>

namespace ui {

namespace {

// Widths of the design, in twips: the row selector, the code, five narrow fields, the explanation.
constexpr int LarghezzeFG2[] = {180, 795, 300, 285, 330, 315, 405, 1260};

// FG2's columns: the texts of the operators' grid writer, the empty row selector fixed on the left;
// a present operator green from its code to the explanation.
std::vector<ColonnaDi<Operatori::Riga>> colonneFG2()
{
    using Riga = Operatori::Riga;
    static const char* const titoli[] = {"", "Operatore", "Tipo", "R1", "P1", "R2", "P2", ""};
    std::vector<ColonnaDi<Riga>> colonne(std::size(LarghezzeFG2));
    for (std::size_t c = 0; c < colonne.size(); ++c) {
        auto& col = colonne[c];
        col.intestazione = QString::fromLatin1(titoli[c]);
        col.testo = [c](const Riga& r) { return QString::fromStdString(maintenance::testoFG2(r.operatore, static_cast<int>(c))); };
        col.larghezzaTwips = LarghezzeFG2[c];
        if (c >= maintenance::colFG2::Oper && c < maintenance::colFG2::Spiegazione)
            col.allineamento = grid::Allineamento::Centro;
        if (c >= maintenance::colFG2::Oper)
            col.sfondo = [](const Riga& r) { return r.presente ? std::optional(grid::colori::Verde) : std::nullopt; };
    }
    return colonne;
}

}

QString Operatori::titolo() { return QStringLiteral("Inserimento nuovi operatori"); }

Operatori::Operatori(Contesto& contesto, QWidget* genitore) : QWidget(genitore), contesto_(contesto)
{
    setObjectName(QStringLiteral("Operatori"));
    setWindowTitle(titolo());

    righe_ = new ModelloRighe<Riga>(colonneFG2(), this);
    std::vector<Riga> righe;
    for (const auto& op : maintenance::OperatoriAggiunti())
        righe.push_back({op, false});
    righe_->sostituisci(std::move(righe));
    FG2 = new GrigliaView(righe_, this);
    FG2->setObjectName(QStringLiteral("FG2"));
    FG2->setFisse(1, 1);
    // The explanation takes the room the window has, so it reads in full.
    FG2->horizontalHeader()->setStretchLastSection(true);
    FG2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FG2->setFixedHeight(FG2->horizontalHeader()->sizeHint().height()
                        + righe_->rowCount() * FG2->verticalHeader()->defaultSectionSize() + 2 * FG2->frameWidth());

    Label7 = new QLabel(QStringLiteral("In verde sono evidenziati gli operatori presenti"), this);
    Label7->setObjectName(QStringLiteral("Label7"));

    Command4Btn = new QPushButton(QStringLiteral("CONTROLLA OPERATORI PRESENTI"), this);
    Command4Btn->setObjectName(QStringLiteral("Command4"));
    Command2Btn = new QPushButton(QStringLiteral("INSERISCE OPERATORI MANCANTI"), this);
    Command2Btn->setObjectName(QStringLiteral("Command2"));
    for (auto* b : {Command4Btn, Command2Btn}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
    }

    auto* comandi = new QHBoxLayout;
    comandi->addWidget(Command4Btn);
    comandi->addWidget(Command2Btn);
    auto* principale = new QVBoxLayout(this);
    principale->addWidget(FG2);
    principale->addWidget(Label7);
    principale->addLayout(comandi);
    principale->addStretch();
    resize(560, 200);

    connect(Command4Btn, &QPushButton::clicked, this, &Operatori::Command4);
    connect(Command2Btn, &QPushButton::clicked, this, &Operatori::Command2);

    // Window load: the check.
    Command4();
}

Operatori::~Operatori() = default;

void Operatori::Command4() { controllaPresenza(true); }

void Operatori::controllaPresenza(bool avvisa)
{
    try {
        maintenance::controllaPresenza(contesto_.sessione.dbProgramma(), presenti_);
    } catch (const std::exception&) {
        if (avvisa)
            contesto_.dialoghi.messaggio(this, QStringLiteral("Attenzione, errore imprevisto."), QStringLiteral("Avviso"),
                                         Icona::Informazione);
    }
    for (std::size_t i = 0; i < presenti_.size(); ++i)
        if (presenti_[i])
            righe_->modifica(static_cast<int>(i), [](Riga& r) { r.presente = true; });
}

void Operatori::Command2()
{
    bool riuscito = true;
    try {
        const int inseriti = maintenance::inserisciMancanti(contesto_.sessione.dbProgramma(), presenti_);
        contesto_.dialoghi.messaggio(this, QStringLiteral("Sono stati inseriti N° %1 nuovi operatori").arg(inseriti),
                                     QStringLiteral("Inserimento operatori"), Icona::Informazione);
    } catch (const std::exception&) {
        riuscito = false;
        contesto_.dialoghi.messaggio(this, QStringLiteral("Attenzione, possibile anomalia."), QStringLiteral("Avviso"),
                                     Icona::Informazione);
    }
    // Also after a failure, without a second message: a code found in the table turns green,
    // so the next press skips it.
    controllaPresenza(riuscito);
}

void registraOperatori()
{
    registroFinestre().registra(QStringLiteral("Operatori"), [](Contesto& c) -> QWidget* { return new Operatori(c); });
}

}
