// The small builders the panels of Piramide1 share.
#include "ui/Piramide1/ControlliPiramide.h"

#include "archive/Archivio.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include <algorithm>

namespace ui::piramide1 {

TestoAcapo::TestoAcapo(const QString& nome, const QString& testo, QWidget* genitore) : QLabel(testo, genitore)
{
    setObjectName(nome);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QLabel* Cliccabili::etichetta(const QString& nome, const QString& testo, const QString& tooltip, QWidget* genitore,
                              std::function<void()> azione)
{
    auto* l = ui::etichetta(nome, testo, genitore);
    l->setAlignment(Qt::AlignCenter);
    l->setCursor(Qt::PointingHandCursor);
    l->setFrameShape(QFrame::Box);
    l->setMinimumWidth(26);
    l->setContentsMargins(4, 0, 4, 0);
    if (!tooltip.isEmpty())
        l->setToolTip(tooltip);
    // Reached with Tab, pressed with Space or Enter (the event filter below); a frame
    // shows the focus (colora keeps it for the coloured labels).
    l->setFocusPolicy(Qt::StrongFocus);
    l->setStyleSheet(QStringLiteral("QLabel:focus { border: 2px solid #1a4d8f; }"));
    l->installEventFilter(this);
    azioni_.emplace_back(l, std::move(azione));
    return l;
}

void Cliccabili::riga(std::vector<QLabel*> etichette)
{
    for (std::size_t i = 1; i < etichette.size(); ++i)
        etichette[i]->setFocusPolicy(Qt::ClickFocus);
    righe_.push_back(std::move(etichette));
}

void Cliccabili::svuotaAlDoppioClic(QLineEdit* casella)
{
    casella->installEventFilter(this);
    caselle_.push_back(casella);
}

bool Cliccabili::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::MouseButtonDblClick
        && std::find(caselle_.begin(), caselle_.end(), oggetto) != caselle_.end()) {
        static_cast<QLineEdit*>(oggetto)->clear();
        return true;
    }
    // A clickable label with the focus: Space or Enter is its click, the arrows move to
    // the next label of its row (a row is one stop of the Tab chain).
    bool tastoClic = false;
    if (evento->type() == QEvent::KeyPress && qobject_cast<QLabel*>(oggetto)) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        tastoClic = tasto == Qt::Key_Space || tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
        const int passo = tasto == Qt::Key_Right ? 1 : tasto == Qt::Key_Left ? -1 : 0;
        if (passo != 0)
            for (const auto& gruppo : righe_) {
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
        for (const auto& [etichetta, azione] : azioni_)
            if (oggetto == etichetta) {
                azione();
                return true;
            }
    }
    return QObject::eventFilter(oggetto, evento);
}

QString etichettaRiferimento(int d, const archive::Archivio& a)
{
    if (d < 1 || d > a.NumeroEstrazioni)
        return {};
    return QStringLiteral("%1 %2  M-%3")
        .arg(d)
        .arg(daStd(a.DateEstrazioni[static_cast<std::size_t>(d)]))
        .arg(a.ProgressivoMese[static_cast<std::size_t>(d)]);
}

QComboBox* combo(const QString& nome, const QStringList& voci, int scelta, const QString& tooltip, QWidget* genitore)
{
    auto* c = new QComboBox(genitore);
    c->setObjectName(nome);
    c->addItems(voci);
    c->setCurrentIndex(scelta);
    if (!tooltip.isEmpty())
        c->setToolTip(tooltip);
    return c;
}

QStringList numeriDa(int primo, int ultimo, int passo)
{
    QStringList l;
    for (int n = primo; n <= ultimo; n += passo)
        l << QString::number(n);
    return l;
}

QStringList sigleRuote()
{
    QStringList l;
    for (const auto& s : archive::SigleRuote)
        l << QString::fromStdString(std::string(s));
    return l;
}

QListWidget* lista(const QString& nome, const QStringList& voci, const QString& tooltip, QWidget* genitore)
{
    auto* l = new QListWidget(genitore);
    l->setObjectName(nome);
    l->addItems(voci);
    l->setCurrentRow(0);
    l->setToolTip(tooltip);
    l->setFixedHeight(84);
    l->setMinimumWidth(44);
    return l;
}

// A named view of a model of typed rows (ModelloRighe), which the view then owns; no row numbers.
GrigliaView* griglia(const QString& nome, ModelloTabella* modello, QWidget* genitore, int altezzaMinima)
{
    auto* v = new GrigliaView(modello, genitore);
    v->setObjectName(nome);
    v->setMinimumHeight(altezzaMinima);
    v->horizontalHeader()->setMinimumSectionSize(16);
    v->verticalHeader()->setVisible(false);
    return v;
}

QHBoxLayout* fila(std::initializer_list<QWidget*> widgets)
{
    auto* l = new QHBoxLayout;
    for (auto* w : widgets)
        l->addWidget(w);
    l->addStretch();
    return l;
}

void colora(QLabel* l, grid::Colore c)
{
    l->setProperty("colore", static_cast<uint>(c));
    l->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: black; border: 1px solid #808080; }"
                                    " QLabel:focus { border: 2px solid #1a4d8f; }")
                         .arg(qColore(c).name()));
}

}
