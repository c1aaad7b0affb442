// The mini list of draws: the rows of one draw in FG3, the texts of its labels, the searches, the cell marks.
#pragma once

#include "archive/Archivio.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace maintenance {

// Label2, Label1 and Label3 of the draw shown.
struct TestiEstrazione {
    std::string indice;        // the draw index
    std::string data;          // "GG/MM/AAAA"
    std::string progressivi;   // "PM=3   PA=12"
};

// The labels' texts of draw `d` (all empty where there is no such draw: 0, or beyond N).
TestiEstrazione testiEstrazione(const archive::Archivio& a, int d);

// Command42(0): the whole number 1..N typed in the box (blanks around it allowed); anything
// else gives nothing.
std::optional<int> indiceDigitato(std::string_view testo, int N);

// Command42(1): the index of the first draw of date `testo`, GG/MM/AAAA with the day and
// the month in one or two digits ("1/2/2020" finds 01/02/2020).
std::optional<int> cercaDataEstrazione(const archive::Archivio& a, std::string_view testo);

// The numbers the player marked on the draw shown: segni[wheel][position - 1].
using Segni = std::array<std::array<bool, 5>, archive::NumeroRuote>;

// A click on FG3: a number cell (rows 1..11, columns 1..5) is marked when it was not and
// unmarked when it was; false for any other cell, which marks nothing.
[[nodiscard]] bool commutaSegno(Segni& segni, int riga, int colonna);

// One row of FG3: a wheel of the draw shown (0 where a number was not drawn) and the marks on it.
struct RigaFG3 {
    int ruota = 0;
    std::array<int, 5> numeri{};
    std::array<bool, 5> segnata{};
    bool operator==(const RigaFG3&) const = default;
};
// The eleven rows of draw `d` (numbers 0 where there is no such draw) with `segni`.
std::vector<RigaFG3> righeFG3(const archive::Archivio& a, int d, const Segni& segni);
// The text of a cell of FG3 (column 0 the wheel's code, 1..5 its numbers, blank where none).
std::string testoFG3(const RigaFG3& riga, int colonna);

}
