// The program speaks Italian whatever the system's language: Qt's own texts, dates, decimals.
#pragma once

namespace ui {

// Before the QApplication exists: makes the dates Qt writes from the system's settings (the
// file dialog's "Data modifica" column) Italian. Only the time category is touched: the logic
// libraries read and write numbers with the C library, whose decimal point must stay a point.
void preparaLocaleItaliana();

// After the QApplication exists: Italian becomes the default locale (dates "8 dic", decimals with
// a comma) and Qt's Italian translations are installed ("Annulla", "Copia", "Cartella").
// False when the translations are not installed: Qt's own texts then stay English.
[[nodiscard]] bool impostaItaliano();

}
