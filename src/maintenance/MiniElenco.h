// The mini list of draws: one draw in FG3 with the texts of its labels, the searches, the cell marks.
#pragma once

#include "archive/Archivio.h"
#include "grid/Grid.h"

#include <optional>
#include <string>
#include <string_view>

namespace maintenance {

// Label2, Label1 and Label3 of the draw shown.
struct TestiEstrazione {
    std::string indice;        // the draw index
    std::string data;          // "GG/MM/AAAA"
    std::string progressivi;   // "PM=3   PA=12"
};

// FG3 as the window opens: 12 rows by 6 columns, the header, the wheel codes "BA".."NZ" in
// bold on `facciaPulsante` in column 0, every column centred.
void preparaFG3(grid::Grid& FG3, grid::Colore facciaPulsante);

// MostraEstrazione: rows 1..11 receive the five numbers of each wheel of draw `d` (empty cells
// where the wheel was not drawn) and lose every mark. An index with no draw (0, or beyond N) leaves the
// number cells and the texts empty.
TestiEstrazione MostraEstrazione(const archive::Archivio& a, int d, grid::Grid& FG3);

// Command42(0): the whole number 1..N typed in the box (blanks around it allowed); anything
// else gives nothing.
std::optional<int> indiceDigitato(std::string_view testo, int N);

// Command42(1): the index of the first draw of date `testo`, GG/MM/AAAA with the day and
// the month in one or two digits ("1/2/2020" finds 01/02/2020).
std::optional<int> cercaDataEstrazione(const archive::Archivio& a, std::string_view testo);

// A click on FG3: a number cell (rows 1..11, columns 1..5) turns green when white and white
// when green; false for any other cell, which stays as it is.
[[nodiscard]] bool commutaSegno(grid::Grid& FG3, int riga, int colonna);

// Command81: every number cell white, the wheel codes back on `facciaPulsante`.
void resettaColorazione(grid::Grid& FG3, grid::Colore facciaPulsante);

}
