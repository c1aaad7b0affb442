// The window Estrazioni_minielenco: controls and handlers; what FG3 shows is computed in src/archive.
#include "ui/Estrazioni_minielenco/Estrazioni_minielenco.h"

#include "maintenance/MiniElenco.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/RegistroFinestre.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

QToolButton* pulsante(const QString& nome, const QString& testo, QStyle::StandardPixmap icona, const QString& suggerimento,
                      QWidget* genitore)
{
    auto* b = new QToolButton(genitore);
    b->setObjectName(nome);
    b->setToolTip(suggerimento);
    if (testo.isEmpty())
        b->setIcon(genitore->style()->standardIcon(icona));
    else
        b->setText(testo);
    b->setIconSize(QSize(20, 20));
    b->setMinimumSize(34, 30);
    // Reached with Tab, pressed with Space or Enter.
    b->setFocusPolicy(Qt::StrongFocus);
    invioPremePulsante(b);
    return b;
}

QLabel* etichetta(const QString& nome, QWidget* genitore)
{
    auto* l = new QLabel(genitore);
    l->setObjectName(nome);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

// FG3's columns: the texts of maintenance::testoFG3; the wheel's code fixed on the left, bold on
// the buttons' face; a marked number green. Widths in twips: the code, then five two-digit numbers.
std::vector<ColonnaDi<maintenance::RigaFG3>> colonneFG3(grid::Colore facciaPulsante)
{
    using maintenance::RigaFG3;
    static const char* const titoli[] = {"Ruota", "1°", "2°", "3°", "4°", "5°"};
    std::vector<ColonnaDi<RigaFG3>> colonne(std::size(titoli));
    for (std::size_t c = 0; c < colonne.size(); ++c) {
        auto& col = colonne[c];
        col.intestazione = QString::fromUtf8(titoli[c]);
        col.testo = [c](const RigaFG3& r) { return QString::fromStdString(maintenance::testoFG3(r, static_cast<int>(c))); };
        col.allineamento = grid::Allineamento::Centro;
        col.larghezzaTwips = c == 0 ? 600 : 450;
        if (c > 0)
            col.sfondo = [c](const RigaFG3& r) {
                return r.segnata[c - 1] ? std::optional(grid::colori::Verde) : std::nullopt;
            };
    }
    colonne[0].sfondo = [facciaPulsante](const RigaFG3&) { return std::optional(facciaPulsante); };
    colonne[0].grassetto = [](const RigaFG3&) { return true; };
    return colonne;
}

}

QString Estrazioni_minielenco::titolo() { return QStringLiteral("Mini elenco"); }

Estrazioni_minielenco::Estrazioni_minielenco(Contesto& contesto, QWidget* genitore)
    : QWidget(genitore), contesto_(contesto)
{
    setObjectName(QStringLiteral("Estrazioni_minielenco"));
    setWindowTitle(titolo());
    setProperty("contestoHelp", ContestoHelp);

    Command42[0] = pulsante(QStringLiteral("Command42(0)"), QStringLiteral("&N°"), {}, QStringLiteral("Ricerca per numero indice"), this);
    Command42[1] = pulsante(QStringLiteral("Command42(1)"), QStringLiteral("&Data"), {}, QStringLiteral("Cerca estrazione per data"), this);
    Command56Btn = pulsante(QStringLiteral("Command56"), {}, QStyle::SP_MediaSkipForward, QStringLiteral("Ultima estrazione"), this);
    Command81Btn = pulsante(QStringLiteral("Command81"), {}, QStyle::SP_DialogResetButton, QStringLiteral("Resetta colorazione"), this);
    // The icon buttons have no letter to underline: their Alt keys are in the help page.
    Command56Btn->setShortcut(QKeySequence(Qt::ALT | Qt::Key_U));
    Command81Btn->setShortcut(QKeySequence(Qt::ALT | Qt::Key_R));

    Label2 = etichetta(QStringLiteral("Label2"), this);
    Label1 = etichetta(QStringLiteral("Label1"), this);
    Label3 = etichetta(QStringLiteral("Label3"), this);
    QFont grassetto = Label1->font();
    grassetto.setBold(true);
    Label1->setFont(grassetto);

    righe_ = new ModelloRighe<maintenance::RigaFG3>(colonneFG3(facciaPulsante()), this);
    righe_->sostituisci(maintenance::righeFG3(contesto_.sessione.archivio(), 0, segni_));
    FG3 = new GrigliaView(righe_, this);
    FG3->setObjectName(QStringLiteral("FG3"));
    FG3->setFisse(1, 1);
    FG3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FG3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FG3->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    hs1 = new QScrollBar(Qt::Horizontal, this);
    hs1->setObjectName(QStringLiteral("hs1"));
    hs1->setPageStep(10);

    // The viewer keeps its compact size however large the window is made.
    auto* pannello = new QWidget(this);
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(Command42[0]);
    comandi->addWidget(Command42[1]);
    comandi->addStretch();
    comandi->addWidget(Command81Btn);
    comandi->addWidget(Command56Btn);
    auto* etichette = new QHBoxLayout;
    etichette->addWidget(Label2);
    etichette->addWidget(Label1, 1);
    auto* colonna = new QVBoxLayout(pannello);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->addLayout(comandi);
    colonna->addLayout(etichette);
    colonna->addWidget(Label3);
    colonna->addWidget(FG3);
    colonna->addWidget(barraDaTastiera(hs1));
    auto* principale = new QGridLayout(this);
    principale->addWidget(pannello, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    principale->setColumnStretch(1, 1);
    principale->setRowStretch(1, 1);

    connect(hs1, &QScrollBar::valueChanged, this, &Estrazioni_minielenco::MostraEstrazione);
    auto segna = [this](int riga, int colonna) {
        if (!maintenance::commutaSegno(segni_, riga, colonna))
            return;
        mostraRighe();
    };
    connect(FG3, &GrigliaView::clic, this, segna);
    connect(FG3, &GrigliaView::attivata, this, segna);
    connect(Command42[0], &QToolButton::clicked, this, &Estrazioni_minielenco::cercaIndice);
    connect(Command42[1], &QToolButton::clicked, this, &Estrazioni_minielenco::cercaData);
    connect(Command81Btn, &QToolButton::clicked, this, &Estrazioni_minielenco::Command81);
    connect(Command56Btn, &QToolButton::clicked, this, &Estrazioni_minielenco::Command56);

    // Opening: the last draw.
    int larghezza = FG3->verticalHeader()->width() + 2 * FG3->frameWidth();
    for (int c = 0; c < FG3->model()->columnCount(); ++c)
        larghezza += FG3->columnWidth(c);
    FG3->setFixedSize(larghezza, FG3->horizontalHeader()->sizeHint().height()
                                     + archive::NumeroRuote * FG3->verticalHeader()->defaultSectionSize()
                                     + 2 * FG3->frameWidth());
    pannello->setFixedWidth(larghezza);
    Label2->setMinimumWidth(larghezza / 4);
    Command56();
}

Estrazioni_minielenco::~Estrazioni_minielenco() = default;

void Estrazioni_minielenco::mostraRighe() { righe_->sostituisci(maintenance::righeFG3(contesto_.sessione.archivio(), mostrata_, segni_)); }

grid::Colore Estrazioni_minielenco::facciaPulsante() const { return daQColore(palette().color(QPalette::Button)); }

void Estrazioni_minielenco::adeguaMassimo()
{
    const int n = contesto_.sessione.archivio().NumeroEstrazioni;
    const QSignalBlocker blocco(hs1);
    // Index 0 holds no draw, so the bar starts at the first one.
    hs1->setRange(std::min(1, n), n);
}

void Estrazioni_minielenco::MostraEstrazione()
{
    adeguaMassimo();
    mostrata_ = hs1->value();
    segni_ = {};
    const auto testi = maintenance::testiEstrazione(contesto_.sessione.archivio(), mostrata_);
    Label2->setText(QString::fromStdString(testi.indice));
    Label1->setText(QString::fromStdString(testi.data));
    Label3->setText(QString::fromStdString(testi.progressivi));
    mostraRighe();
}

void Estrazioni_minielenco::vaiA(int indice)
{
    adeguaMassimo();
    {
        // One repaint, and a fresh one even when the bar already stood there.
        const QSignalBlocker blocco(hs1);
        hs1->setValue(indice);
    }
    MostraEstrazione();
}

void Estrazioni_minielenco::mostraEstrazione(int indice) { vaiA(indice); }

void Estrazioni_minielenco::segnaNumeri(const std::vector<int>& numeri, const std::vector<int>& ruote)
{
    const auto& a = contesto_.sessione.archivio();
    if (mostrata_ < 1 || mostrata_ > a.NumeroEstrazioni || mostrata_ > archive::MaxEstrazioni)
        return;
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        if (!ruote.empty() && std::find(ruote.begin(), ruote.end(), w) == ruote.end())
            continue;
        for (int p = 1; p <= 5; ++p) {
            const int n = a.numero(mostrata_, w, p);
            if (n > 0 && std::find(numeri.begin(), numeri.end(), n) != numeri.end())
                segni_[static_cast<std::size_t>(w)][static_cast<std::size_t>(p - 1)] = true;
        }
    }
    mostraRighe();
}

void Estrazioni_minielenco::keyPressEvent(QKeyEvent* evento)
{
    if (!apriHelpSeF1(evento, contesto_.apriHelp, ContestoHelp, this))
        QWidget::keyPressEvent(evento);
}

void Estrazioni_minielenco::Command56() { vaiA(contesto_.sessione.archivio().NumeroEstrazioni); }

void Estrazioni_minielenco::cercaIndice()
{
    const auto testo = contesto_.dialoghi.inputBox(this, QStringLiteral("Inserire il n° indice dell'archivio modello."),
                                                   QStringLiteral("Scelta estrazione"));
    if (!testo)
        return;
    if (const auto k = maintenance::indiceDigitato(testo->toStdString(), contesto_.sessione.archivio().NumeroEstrazioni))
        vaiA(*k);
}

void Estrazioni_minielenco::cercaData()
{
    const auto testo = contesto_.dialoghi.inputBox(this, QStringLiteral("Data ?"), QStringLiteral("Ricerca per data GG/MM/AAAA"));
    if (!testo)
        return;
    if (const auto d = maintenance::cercaDataEstrazione(contesto_.sessione.archivio(), testo->toStdString()))
        vaiA(*d);
    else
        contesto_.dialoghi.messaggio(this, QStringLiteral("Data non trovata"), QStringLiteral("Cerca data"), Icona::Informazione);
}

void Estrazioni_minielenco::Command81()
{
    segni_ = {};
    mostraRighe();
}

void registraEstrazioni_minielenco()
{
    registroFinestre().registra(QStringLiteral("Estrazioni_minielenco"),
                                [](Contesto& c) -> QWidget* { return new Estrazioni_minielenco(c); });
}

}
