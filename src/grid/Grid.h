// The grid model that every window shows and every command fills and reads back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace grid {

// 24-bit colour values as the program stores them: red in the low byte,
// green in the middle, blue in the high byte (green is 65280).
using Colore = std::uint32_t;

constexpr Colore rgb(int r, int g, int b)
{
    return static_cast<Colore>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

namespace colori {
constexpr Colore Bianco = rgb(255, 255, 255);
constexpr Colore Nero = rgb(0, 0, 0);
constexpr Colore Rosso = rgb(255, 0, 0);
constexpr Colore Verde = rgb(0, 255, 0);        // 65280: a selected wheel, position or level
constexpr Colore Blu = rgb(0, 0, 255);
constexpr Colore Giallo = rgb(255, 255, 0);
constexpr Colore VerdeScuro = rgb(0, 128, 0);
}

enum class Allineamento { Sinistra, Centro, Destra };

struct Cella {
    std::string testo;
    Colore sfondo = colori::Bianco;
    Colore testoColore = colori::Nero;
    bool grassetto = false;
};

struct Colonna {
    int larghezzaTwips = 960;      // the control's default: 64 pixels at 15 twips a pixel
    Allineamento allineamento = Allineamento::Sinistra;
    bool nascosta = false;
    std::string campo;             // field name in grids fed by a query
};

// Cells addressed by (row, column) from 0; row 0 is the header row.
// Reads outside the grid return an empty cell; writes outside it are ignored,
// so a caller's off-by-one never corrupts memory.
class Grid {
public:
    Grid(int righe = 1, int colonne = 1);

    int righe() const { return static_cast<int>(celle_.size()); }
    int colonne() const { return static_cast<int>(colonne_.size()); }
    // Growing adds empty rows; setting 1 keeps only the header row (how grids are cleared).
    void setRighe(int n);
    void setColonne(int n);
    // Appends an empty row and returns its index.
    int aggiungiRiga();
    // Removes one row; the rows below move up.
    void rimuoviRiga(int riga);

    // Header from "a|b|c": sets the column count and row 0.
    void setIntestazione(std::string_view formato);

    const std::string& testo(int riga, int colonna) const;
    void setTesto(int riga, int colonna, std::string_view testo);
    void setNumero(int riga, int colonna, long long valore);
    // The number that the text shows: a leading-number reading, empty reads as 0.
    double valore(int riga, int colonna) const;
    // The same reading truncated to a whole number; a text beyond the int range reads as the
    // nearest bound, so a typed 99999999999 can be refused by range checks, never wrapped.
    int intero(int riga, int colonna) const;

    Colore sfondo(int riga, int colonna) const;
    Colore coloreTesto(int riga, int colonna) const;
    bool grassetto(int riga, int colonna) const;
    void setSfondo(int riga, int colonna, Colore c);
    void setColoreTesto(int riga, int colonna, Colore c);
    void setGrassetto(int riga, int colonna, bool b);
    // Property over a range (inclusive corners, in any order).
    void setSfondo(int r1, int c1, int r2, int c2, Colore c);
    void setColoreTesto(int r1, int c1, int r2, int c2, Colore c);
    void setGrassetto(int r1, int c1, int r2, int c2, bool b);

    const Cella& cella(int riga, int colonna) const;

    Colonna& colonna(int c);
    const Colonna& colonna(int c) const;
    void setLarghezza(int c, int twips);
    void setAllineamento(int c, Allineamento a);
    void setNascosta(int c, bool nascosta);
    // Index of the column whose field name is `campo`, or -1.
    int indiceCampo(std::string_view campo) const;

    // Sorts rows 1..end by column `c`, numerically descending. Stable: rows with
    // equal keys keep their order, so every ranking is reproducible.
    void ordinaDecrescente(int c);

    // The cell texts separated by tabs, header row first, each row ended by `fineRiga`: the
    // clipboard's "\r\n", the command line's "\n". A pyramid (`finoAllaDiagonale`) writes
    // cells 0..r of row r only, as its window shows them (empty past the last column).
    std::string comeTesto(std::string_view fineRiga = "\r\n", bool finoAllaDiagonale = false) const;

    // Current cell (the one the user clicked).
    int rigaCorrente = 0;
    int colonnaCorrente = 0;

private:
    bool dentro(int riga, int colonna) const;
    Cella* cellaScrivibile(int riga, int colonna);

    std::vector<std::vector<Cella>> celle_;
    std::vector<Colonna> colonne_;
};

// Leading-number reading of a text: blanks skipped, optional sign, digits and one
// decimal point; stops at the first other character; nothing readable gives 0.
double leggiNumero(std::string_view testo);

// A cell's text as a spreadsheet may be given it (CSV export, clipboard). A text that opens with
// = + - @, or with a tab or a carriage return, would be run as a formula (an update file from a
// server once carried "=cmd|'/C calc'"): it gets a leading apostrophe, which spreadsheets take as
// "this is text" and do not show. A plain number ("-12", "+3", "0,50") and a lone sign stay as they are.
std::string testoPerFoglioDiCalcolo(std::string_view testo);

// `v` with `decimali` decimals and the Italian decimal comma, as the cells show figures: "4,0".
std::string conVirgola(double v, int decimali);

}
