// Legge del terzo: how many numbers stay out of a cycle of n draws of a wheel, beside its exact law.
#pragma once

#include "grid/Grid.h"
#include "statistics/Statistiche.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace statistics {

constexpr int CicloTeorico = 18;   // the "ciclo teorico" of an estratto: 90 / 5 draws
constexpr int CicloMax = 200;

// The exact law of the numbers absent from n draws of one wheel: element k is P(k absent),
// k = 0..90. Each draw takes 5 of the 90 numbers without replacement, so the count of numbers
// seen so far is a Markov chain: from s seen, a draw brings j new ones with chance
// C(90 - s, j) * C(s, 5 - j) / C(90, 5).
std::vector<double> leggeAssenti(int n);

// The mean chance alone gives: each number misses a draw with chance 85/90, so 90 * (85/90)^n.
double assentiAttesi(int n);

// One wheel's last cycle: the last n draws up to `al` in which the wheel was drawn.
struct CicloRuota {
    int ruota = 0;
    int estrazioni = 0;              // the draws found (n, or fewer when the wheel has fewer up to `al`)
    int prima = 0;                   // the first and the last draw of the cycle
    int ultima = 0;
    std::array<bool, 91> uscito{};   // by number 1..90: out at least once in the cycle
    int usciti = 0;
    int assenti = 0;
    double attesiAssenti = 0;        // 90 * (85/90)^n
};

// The cycle of each wheel of `ruote` (in wheel order).
std::vector<CicloRuota> ultimiCicli(const archive::Archivio& a, const Ruote& ruote, int n, int al);

// The absent count over every span of n consecutive draws of a chosen wheel within dal..al
// (the spans of all chosen wheels pooled), against the count chance alone gives: spans * P(k).
struct ClasseAssenti {
    int assenti = 0;
    int osservati = 0;
    double attesi = 0;
};
struct DistribuzioneAssenti {
    int ciclo = 0;
    int cicli = 0;                          // the spans counted
    std::vector<ClasseAssenti> classi;      // k = 0..90
    double mediaOsservata = 0;
    double mediaAttesa = 0;
};
DistribuzioneAssenti distribuzioneAssenti(const archive::Archivio& a, const Ruote& ruote, int n, int dal, int al);

// One row of the cycles' table: a cycle of n draws with the dates of its first and last draw.
struct RigaCiclo {
    CicloRuota ciclo;
    std::string dal;   // empty without the archive's dates
    std::string al;
};
// The columns of the cycles' table.
namespace colCicli {
enum : int { Ruota, Usciti, Assenti, AttesiAssenti, Dal, Al, NumeriAssenti, Colonne };
inline constexpr std::string_view Intestazione = "Ruota|Usciti|Assenti|AttesiAssenti|Dal|Al|Numeri assenti";
}
// The rows of the cycles of n draws (shorter cycles left out); the dates from `date` when given.
std::vector<RigaCiclo> righeCicli(const std::vector<CicloRuota>& cicli, int n, const archive::Archivio* date = nullptr);
// The text of one cell: the wheel's code, counts, the expected absent count with one decimal, the dates,
// the absent numbers ("03 17 ...").
std::string testoCiclo(const RigaCiclo& r, int colonna);

// The columns of the distribution's table.
namespace colDistribuzione {
enum : int { Assenti, Osservati, Attesi, Colonne };
inline constexpr std::string_view Intestazione = "Assenti|Osservati|Attesi";
}
// The classes worth showing (classiDaMostrare), in order of their absent count.
std::vector<ClasseAssenti> classiMostrate(const DistribuzioneAssenti& d);
std::string testoClasse(const ClasseAssenti& c, int colonna);

// "Ruota|Usciti|Assenti|AttesiAssenti", one row per cycle of n draws (shorter cycles left out); with the
// archive `date`, also "Dal|Al|Numeri assenti": the dates of the cycle and its absent numbers ("03 17 ...").
void scriviCicli(const std::vector<CicloRuota>& cicli, int n, grid::Grid& g, const archive::Archivio* date = nullptr);
// "Assenti|Osservati|Attesi" over the classes worth showing.
void scriviDistribuzione(const DistribuzioneAssenti& d, grid::Grid& g);

// "Ultime n estrazioni fino al GG/MM/AAAA: il solo caso lascerebbe assenti in media X numeri su 90."
std::string lineaCicli(const archive::Archivio& a, int n, int al);
// "Tratti di n estrazioni: K; assenti in media X, il caso ne darebbe Y."
std::string lineaDistribuzione(const DistribuzioneAssenti& d);

// The classes worth showing: from the first to the last with a span observed or at least 0.05 expected.
std::pair<int, int> classiDaMostrare(const DistribuzioneAssenti& d);

}
