// Delays and frequencies of the numbers and pairs over a set of wheels and a range of draws, each beside chance's figure.
#pragma once

#include "archive/Archivio.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace statistics {

enum class Sorte { Estratto, Ambo };
using Ruote = std::array<bool, archive::NumeroRuote>;

constexpr int NumeroAmbi = 90 * 89 / 2;   // 4005 pairs

// What the figures are computed over.
struct Parametri {
    Ruote ruote{};             // the set S; Bari alone unless chosen otherwise
    int dal = 1;               // draw indices of the range, both included
    int al = 0;                // 0: the last draw of the archive
    Sorte sorte = Sorte::Estratto;
};

// The figures of one number (secondo = 0) or one pair (primo < secondo).
struct Figura {
    int primo = 0;
    int secondo = 0;
    int ritardo = 0;          // counted draws after the last presence (T when never present)
    int ritardoMax = 0;       // longest run of counted draws without it, first and current runs included
    int frequenza = 0;        // counted draws in which it is present
    double attesa = 0;        // the frequency chance alone gives: sum of p_t
    double ritardoMedio = -1; // mean gap between presences, counted from t_0 = 0; < 0 when never present
    double prob = 1;          // chance of a delay at least as long as `ritardo`
};

// The counted draws and the figures of every number or pair.
struct Statistiche {
    Parametri parametri;
    // Counted draw t = 1..T is draw contate[t - 1]; w_t, the wheels of S drawn in it, is ruoteEstratte[t - 1].
    std::vector<int> contate;
    std::vector<std::uint8_t> ruoteEstratte;
    // 90 numbers in order, or the 4005 pairs in order (1-2, 1-3, .., 89-90): see indiceAmbo.
    std::vector<Figura> figure;
    // logAssenze[r]: the log of the chance of being absent in each of the last r counted draws.
    std::vector<double> logAssenze;

    int T() const { return static_cast<int>(contate.size()); }
    // The chance of a current delay of at least r counted draws (1 for r <= 0, 0 beyond T).
    double probRitardoAlmeno(int r) const;
};

// p_t: the chance that a given number (a given pair) is present in a draw where `ruote` wheels of S
// were drawn. A wheel is five numbers out of 90: a number is missed with chance 85/90 = 17/18, a pair
// is held with chance C(88,3)/C(90,5) = 2/801; the wheels are independent.
double probabilitaPresenza(Sorte sorte, int ruote);

// Index in Statistiche::figure of the pair a-b (any order, a != b, both 1..90).
int indiceAmbo(int a, int b);

// The figures over the range of `p` (clipped to the archive). One pass over the draws; each
// number or pair present keeps its last presence, its longest gap and its count.
Statistiche calcolaStatistiche(const archive::Archivio& a, const Parametri& p);

// A presence of a number or pair: the draw, its counted index t and the wheels of S it was on.
struct Presenza {
    int estrazione = 0;
    int t = 0;
    std::vector<int> ruote;
    int ritardo = 0;   // the counted draws without it just before this presence (from t = 1 for the first)
};
// Every presence of number `primo` (secondo = 0) or of the pair primo-secondo in the counted draws, oldest first.
std::vector<Presenza> presenze(const archive::Archivio& a, const Statistiche& s, int primo, int secondo = 0);

// A row of the list of presences, with the date of its draw.
struct RigaPresenza {
    Presenza presenza;
    std::string data;
};
namespace colPresenze {
enum : int { Indice, Data, Ruote, Ritardo, Colonne };
inline constexpr std::string_view Intestazione = "N° indice|Data|Ruote|Ritardo";
}
// The rows of the list, the newest first, as a player reads back from today.
std::vector<RigaPresenza> righePresenze(const archive::Archivio& a, const std::vector<Presenza>& elenco);
std::string testoPresenza(const RigaPresenza& r, int colonna);
// The wheels by their codes: "BA,CA".
std::string sigleRuote(const std::vector<int>& ruote);

// Date "GG/MM/AAAA" (day and month in one or two digits) as AAAAMMGG; nothing when it is not a date.
std::optional<int> chiaveData(std::string_view testo);
// The draws dated from `dal` to `al` (AAAAMMGG keys, both included) as the first and last draw index;
// nothing when no draw of the archive falls there.
std::optional<std::pair<int, int>> estrazioniFraDate(const archive::Archivio& a, int dal, int al);

// "Estrazioni contate: T (GG/MM/AAAA - GG/MM/AAAA)": the first and the last counted draw.
std::string riepilogo(const archive::Archivio& a, const Statistiche& s);

}
