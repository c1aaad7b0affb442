// Named controls shared by the windows.
#include "ui/common/Controlli.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

#include <utility>

namespace ui {

namespace {
// Enter (either key) presses the focused button, as Space does: a keyboard user moves
// with Tab and confirms with Enter. Only the button with the focus: never a default one.
class InvioPremeIlPulsante : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() == QEvent::KeyPress) {
            const int tasto = static_cast<QKeyEvent*>(evento)->key();
            auto* b = qobject_cast<QAbstractButton*>(oggetto);
            if (b && (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) && b->isEnabled()) {
                b->click();
                return true;
            }
        }
        return QObject::eventFilter(oggetto, evento);
    }
};
}

void invioPremePulsante(QAbstractButton* b)
{
    static auto* filtro = new InvioPremeIlPulsante;
    b->installEventFilter(filtro);
}

QPushButton* pulsante(const QString& nome, const QString& testo, const QString& tooltip, QWidget* genitore)
{
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    if (!tooltip.isEmpty())
        b->setToolTip(tooltip);
    b->setAutoDefault(false);
    invioPremePulsante(b);
    return b;
}

bool apriHelpSeF1(QKeyEvent* evento, const std::function<void(int, QWidget*)>& apriHelp, int pagina, QWidget* finestra)
{
    if (evento->key() != Qt::Key_F1)
        return false;
    if (apriHelp)
        apriHelp(pagina, finestra);
    evento->accept();
    return true;
}

void FuocoTrattenuto::trattieni(QWidget* radice, QWidget* annulla)
{
    QWidget* fuoco = QApplication::focusWidget();
    prima_ = fuoco && radice->isAncestorOf(fuoco) ? fuoco : nullptr;
    annulla->setEnabled(true);
    if (prima_)
        annulla->setFocus(Qt::OtherFocusReason);
}

void FuocoTrattenuto::restituisci(QWidget* annulla)
{
    annulla->setEnabled(false);
    if (prima_ && prima_->isEnabled())
        prima_->setFocus(Qt::OtherFocusReason);
    prima_ = nullptr;
}

void pagineDaTastiera(QTabWidget* schede)
{
    const auto passa = [schede](int verso) {
        const int n = schede->count();
        if (n > 1)
            schede->setCurrentIndex((schede->currentIndex() + verso + n) % n);
    };
    for (const auto& [tasti, verso] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                       std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        auto* scorciatoia = new QShortcut(tasti, schede);
        scorciatoia->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(scorciatoia, &QShortcut::activated, schede, [passa, verso = verso] { passa(verso); });
    }
}

QLabel* etichetta(const QString& nome, const QString& testo, QWidget* genitore)
{
    auto* l = new QLabel(testo, genitore);
    l->setObjectName(nome);
    return l;
}

}
