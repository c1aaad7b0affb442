// The date box of the windows: typing taken as typed.
#include "ui/common/CasellaData.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace ui {

namespace {
// Any date a player can type: the program's own range applies once the box is left.
const QDate MinimoAperto(100, 1, 1);
const QDate MassimoAperto(9999, 12, 31);
}

CasellaData::CasellaData(QWidget* genitore) : QDateEdit(genitore)
{
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
    setKeyboardTracking(false);
    // Saturday is a draw day, not a holiday: only Sunday keeps the weekend's colour.
    if (auto* calendario = calendarWidget())
        calendario->setWeekdayTextFormat(Qt::Saturday, calendario->weekdayTextFormat(Qt::Friday));
}

void CasellaData::focusInEvent(QFocusEvent* evento)
{
    if (!aperto_) {
        minimo_ = minimumDate();
        massimo_ = maximumDate();
        const QSignalBlocker blocco(this);
        setDateRange(MinimoAperto, MassimoAperto);
        aperto_ = true;
    }
    QDateEdit::focusInEvent(evento);
}

void CasellaData::focusOutEvent(QFocusEvent* evento)
{
    QDateEdit::focusOutEvent(evento);   // takes what was typed, announcing it
    // The calendar popup takes the focus too: the range stays open until the box is really left.
    if (!hasFocus() && !(calendarWidget() && calendarWidget()->isVisible()))
        richiudiIntervallo();
}

void CasellaData::richiudiIntervallo()
{
    if (!aperto_)
        return;
    aperto_ = false;
    const QDate digitata = date();
    {
        const QSignalBlocker blocco(this);
        setDateRange(minimo_, massimo_);
    }
    // A date typed outside the range is brought to its nearest end, and said as a change.
    if (date() != digitata)
        emit dateChanged(date());
}

void CasellaData::keyPressEvent(QKeyEvent* evento)
{
    const QString testo = evento->text();
    const bool cifra = testo.size() == 1 && testo[0].isDigit();
    const bool separatore = testo == QStringLiteral("/") || testo == QStringLiteral(".") || testo == QStringLiteral("-");
    if (separatore && std::exchange(sezioneRiempita_, false))
        return;   // the section already moved on by itself
    sezioneRiempita_ = false;
    if (cifra && lineEdit()->hasSelectedText() && lineEdit()->selectedText().size() == lineEdit()->text().size()) {
        // Typing over everything starts with the day, from a date on which any day and month typed
        // are possible (31 in January, 29/02 in a leap year): the date shown does not bend what is typed.
        if (aperto_) {
            const QSignalBlocker blocco(this);
            setDate(QDate(2000, 1, 1));
        }
        setSelectedSection(QDateTimeEdit::DaySection);
    }
    const Section prima = currentSection();
    QDateEdit::keyPressEvent(evento);
    sezioneRiempita_ = cifra && currentSection() != prima;
}

}
