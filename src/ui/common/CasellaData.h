// A date box that takes a date typed in full as it is typed.
#pragma once

#include <QDate>
#include <QDateEdit>

namespace ui {

// A QDateEdit ("GG/MM/AAAA", calendar popup) that reads typing as a player types a date:
// digits typed over the whole selected text fill day, month and year in turn ("01041960"), a
// separator right after a section filled itself is not a second move ("01/04/1960"), and a short
// form ("1/4/1960") is not pushed into the allowed range halfway through. While the box has the
// focus the range is open; leaving it brings the range back and keeps the date inside it. The
// date is announced (dateChanged) on Enter, on leaving the box, or from the calendar, never on
// each keystroke.
class CasellaData : public QDateEdit {
public:
    explicit CasellaData(QWidget* genitore = nullptr);

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;

private:
    void richiudiIntervallo();

    bool aperto_ = false;          // the range is open while the player types
    QDate minimo_, massimo_;       // the range the program set
    bool sezioneRiempita_ = false; // the last digit filled its section and moved on
};

}
