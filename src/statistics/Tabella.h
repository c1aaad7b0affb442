// The statistics as the window and the command line show them: the table, its orders, the board, the delay distribution.
#pragma once

#include "grid/Grid.h"
#include "statistics/Statistiche.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace statistics {

// The columns of the table, named once.
enum Colonna { ColNumero = 0, ColRitardo, ColRitardoMax, ColFrequenza, ColAttesa, ColRitardoMedio, ColProb, NumeroColonne };

// Header "Numero" (or "Ambo") | Ritardo | RitardoMax | Frequenza | Attesa | RitardoMedio | Prob.
std::string intestazione(Sorte sorte);

// Indices into s.figure ordered by column `c`, descending or ascending, ties by number (pairs:
// smaller first, then the second) ascending. An empty RitardoMedio sorts below every value.
std::vector<int> ordina(const Statistiche& s, Colonna c, bool decrescente);

// The text of column `colonna` of a figure's row of the table.
std::string testoCella(const Figura& f, int colonna);
// The header and one row per index of `ordine` (at most `lista` rows when lista > 0).
void scriviTabella(const Statistiche& s, const std::vector<int>& ordine, int lista, grid::Grid& g);

// The texts of one figure: "7" or "05-12", one decimal with a comma, Prob with three ("<0,001" below).
std::string testoVoce(const Figura& f);
// The value a one-decimal column shows (Attesa, RitardoMedio): halves away from zero. The table
// sorts on it too, so that figures that read alike tie and keep the order of their numbers.
double unDecimale(double v);
using grid::conVirgola;
std::string testoProbabilita(double p);

// Colour of a delay by the chance of a delay at least as long: white when common, then yellow,
// orange and red as chance alone would give it less and less often.
struct ClasseColore {
    double sotto;        // the class holds chances below this value
    grid::Colore colore;
    const char* nome;    // the legend's text
};
const std::vector<ClasseColore>& classiRitardo();
grid::Colore coloreRitardo(double prob);

// The number in cell (riga, colonna) of the board.
constexpr int numeroDelTabellone(int riga, int colonna) { return riga * 10 + colonna + 1; }
// A cell of the board: the number and, when the figures are the single numbers', its delay and
// the chance of a delay at least as long.
struct CasellaTabellone {
    int numero = 0;
    std::optional<int> ritardo;
    double prob = 1;
    bool operator==(const CasellaTabellone&) const = default;
};
using RigaTabellone = std::array<CasellaTabellone, 10>;
// The board of the 90 numbers: 9 rows of 10 (1..10 on the first). `s` holds the figures of the
// single numbers; other figures (pairs, none) leave the numbers alone.
std::vector<RigaTabellone> righeTabellone(const Statistiche& s);
// A cell's text, "N (ritardo)" or "N", and its colour by the chance (white without a delay).
std::string testoCasella(const CasellaTabellone& c);
grid::Colore sfondoCasella(const CasellaTabellone& c);

// The current delays of the 90 numbers grouped in classes of equal width, with the count chance
// alone would give: 90 times the chance of a delay in the class.
struct ClasseRitardo {
    int da = 0;
    int a = 0;            // included; -1 for the last, open class ("da e oltre")
    int osservati = 0;
    double attesi = 0;
};
std::vector<ClasseRitardo> distribuzioneRitardi(const Statistiche& s, int classi = 12);

}
