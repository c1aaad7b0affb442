// A brick of the pyramid (a row of FgF, or of the pattern grid Fg5) as typed fields, and its cells as text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace engine {

// One brick: its number and place, the operator's code and class, the two references
// (position, wheel index, wheel abbreviation) and the value. An empty field is an empty
// cell; the abbreviation is kept as typed and names the wheel when the pyramid is computed.
struct Mattone {
    int numero = 0;               // column Riga (Num in Fg5): 1..15
    int riga = 0, posto = 0;      // Ri, Co: row and place in the pyramid; 0 in Fg5, which shows none
    std::string codice;           // Tras
    std::optional<int> tipo;
    std::optional<int> E1, R1;
    std::string RU1;
    std::optional<int> E2, R2;
    std::string RU2;
    std::optional<int> valore;    // VAL

    bool vuoto() const { return codice.empty(); }
    // Tras..VAL emptied; the number and the place stay.
    void svuota();
    // Tras..VAL taken from `altro`, as a brick copied or set from a pattern row.
    void copiaFormula(const Mattone& altro);
    bool operator==(const Mattone&) const = default;
};

// The text of column `colonna` (engine::colF) of brick m, as the grids and the copies show it.
std::string testoMattone(const Mattone& m, int colonna);
// Cell `colonna` of m from its text: numbers by their leading-number reading (empty: none),
// the code and the abbreviations as they are. The inverse of testoMattone for its own texts.
void impostaCella(Mattone& m, int colonna, std::string_view testo);

}
