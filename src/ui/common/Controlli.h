// The plain controls every window builds: a named push button and a named label.
#pragma once

#include <QPointer>
#include <QString>

#include <functional>

class QKeyEvent;

class QAbstractButton;
class QLabel;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QWidget;

namespace ui {

// A push button whose objectName is its control's name; Enter never presses it by default,
// only when it has the focus (as Space does).
QPushButton* pulsante(const QString& nome, const QString& testo, const QString& tooltip, QWidget* genitore);
// Enter or Return presses `b` when it has the focus (pulsante does this already).
void invioPremePulsante(QAbstractButton* b);
// F1 opens the help page `pagina` for `finestra`: true when `evento` was F1 (and is taken).
bool apriHelpSeF1(QKeyEvent* evento, const std::function<void(int, QWidget*)>& apriHelp, int pagina, QWidget* finestra);
// Ctrl+PgDn and Ctrl+PgUp show the next and the previous page of `schede` while the focus is
// inside it (Ctrl+Tab belongs to the main window, which moves between its windows with it).
void pagineDaTastiera(QTabWidget* schede);
// A label whose objectName is its control's name.
QLabel* etichetta(const QString& nome, const QString& testo, QWidget* genitore);
// `barra` reached with Tab (Left and Right move it one step back and forth, Page Up/Down a page) inside a frame
// that is drawn while it has the keyboard, since a scroll bar draws no focus of its own. The
// frame ("cornice" + the bar's name) is what goes in the layout.
QWidget* barraDaTastiera(QScrollBar* barra);

// The keyboard through a long command that locks its window's controls: `trattieni`, before
// they are locked, enables `annulla` and gives it the focus when the focus was inside
// `radice`; `restituisci`, after they are unlocked, disables `annulla` and gives the focus
// back to the control that had it (the one that started the command).
class FuocoTrattenuto {
public:
    void trattieni(QWidget* radice, QWidget* annulla);
    void restituisci(QWidget* annulla);

private:
    QPointer<QWidget> prima_;
};

}
