// Named controls shared by the windows.
#include "ui/common/Controlli.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
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

namespace {

// Draws the frame of a scroll bar while the bar has the keyboard, and makes its arrows go the
// way its handle does: Qt's scroll bars take Left for a step forward.
class TastieraDellaBarra : public QObject {
public:
    TastieraDellaBarra(QScrollBar* barra, QFrame* cornice) : QObject(cornice), barra_(barra), cornice_(cornice)
    {
        disegna(false);
    }

    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut)
            disegna(evento->type() == QEvent::FocusIn);
        if (evento->type() == QEvent::KeyPress && barra_->orientation() == Qt::Horizontal) {
            const auto* tasto = static_cast<QKeyEvent*>(evento);
            if (tasto->modifiers() == Qt::NoModifier && (tasto->key() == Qt::Key_Left || tasto->key() == Qt::Key_Right)) {
                barra_->triggerAction(tasto->key() == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                                   : QAbstractSlider::SliderSingleStepAdd);
                return true;
            }
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    void disegna(bool fuoco)
    {
        cornice_->setStyleSheet(QStringLiteral("QFrame#%1 { border: 2px solid %2; }")
                                    .arg(cornice_->objectName(),
                                         fuoco ? QStringLiteral("#1a4d8f") : QStringLiteral("transparent")));
    }

    QScrollBar* barra_;
    QFrame* cornice_;
};

}

QWidget* barraDaTastiera(QScrollBar* barra)
{
    auto* cornice = new QFrame(barra->parentWidget());
    cornice->setObjectName(QStringLiteral("cornice") + barra->objectName());
    auto* l = new QHBoxLayout(cornice);
    l->setContentsMargins(0, 0, 0, 0);
    barra->setParent(cornice);
    l->addWidget(barra);
    barra->setFocusPolicy(Qt::StrongFocus);
    barra->installEventFilter(new TastieraDellaBarra(barra, cornice));
    return cornice;
}

QLabel* etichetta(const QString& nome, const QString& testo, QWidget* genitore)
{
    auto* l = new QLabel(testo, genitore);
    l->setObjectName(nome);
    return l;
}

}
