// Numeri spia: which numbers follow a spy number (or pair) on chosen wheels, beside what chance alone gives.
#pragma once

#include "avanzamento/Avanzamento.h"
#include "grid/Grid.h"
#include "statistics/Statistiche.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace statistics {

constexpr int ColpiSpiaMax = 36;

// What a spy study is computed over.
struct ParametriSpia {
    int spia = 1;              // the spy number 1..90
    int spia2 = 0;             // a second number makes the spy a pair ("ambo spia"); 0: a single number
    int ruotaSpia = 0;         // the wheel the spy is looked for on (Bari)
    Ruote ruote{};             // the wheels the followers are looked for on
    int colpi = 9;             // C: the draws after each presence, 1..36
    int dal = 1;               // presences in the draws dal..al (0: the last draw); their colpi may run past al
    int al = 0;
    bool sovrapposte = false;  // count a presence inside the colpi of the previous counted one
};

// One test: follower `numero` after spy `spia` (the first number of the spy).
struct RigaSpia {
    int spia = 0;
    int numero = 0;
    int presenze = 0;          // the spy presences counted
    int uscite = 0;            // those after which the number came out at least once
    double attese = 0;         // the same count by chance alone: the sum of each presence's chance
    double rapporto = 0;       // uscite / attese; 0 when attese is 0
    double p = 1;              // P(at least `uscite` by chance alone), exact Poisson-binomial
    double q = 1;              // Benjamini-Hochberg over every test of the study
};

// The p of the tests by class of 0,05 (class i holds p in [i/20, (i+1)/20), the last 1 too), beside the
// count chance alone gives: for each spy, 90 followers times the chance of each count of Uscite whose p
// falls in the class. Discrete counts make it uneven, which is why it is computed and not taken as flat.
constexpr int ClassiP = 20;
struct ClasseP {
    int osservati = 0;
    double attesi = 0;
};
using DistribuzioneP = std::array<ClasseP, ClassiP>;

// The presences of the spy and the table of its 90 followers.
struct EsitoSpia {
    ParametriSpia parametri;
    std::vector<int> presenze;    // the draws of the counted presences, oldest first
    int saltate = 0;              // presences left out inside the colpi of the previous counted one
    int censurate = 0;            // presences left out because their colpi are not all in the archive
    std::vector<RigaSpia> righe;  // followers 1..90 in order
    DistribuzioneP classiP{};
};

// The chance that a given number comes out at least once on `ruote` wheel draws (one draw of one
// wheel misses it with chance 85/90 = 17/18). A wheel not drawn in a colpo is no draw.
double probabilitaSeguito(int ruote);

// The spy table: one pass over the presences marks each follower once per presence; the chances
// depend on the presence only (the wheels drawn in its colpi), so one Poisson-binomial law serves
// all 90 followers.
EsitoSpia calcolaSpia(const archive::Archivio& a, const ParametriSpia& p);

// "Tutte le spie": every spy 1..90 on the spy's wheel against every follower (8,100 tests, the q
// over all of them), the rows ordered by q, then p, then spy and follower (see ordinaSpia).
struct EsitoScansione {
    ParametriSpia parametri;
    std::vector<RigaSpia> righe;
    DistribuzioneP classiP{};
};
EsitoScansione scansioneSpie(const archive::Archivio& a, const ParametriSpia& p, avanzamento::Avanzamento* av = nullptr);

// One draw where a follower came after a counted presence: the presence, the colpo (1..C) and the
// wheels of the follower in that draw. The first colpo only, as the table counts a presence once.
struct Seguito {
    int presenza = 0;
    int estrazione = 0;
    int colpo = 0;
    std::vector<int> ruote;
};
std::vector<Seguito> seguiti(const archive::Archivio& a, const EsitoSpia& e, int numero);

// "Spia N°|Data spia|Colpo|N° indice|Data|Ruote": the newest first, as a player reads back from today.
enum ColonnaSeguiti { SegPresenza = 0, SegDataPresenza, SegColpo, SegEstrazione, SegData, SegRuote, ColonneSeguiti };
inline constexpr std::string_view IntestazioneSeguiti = "Spia N°|Data spia|Colpo|N° indice|Data|Ruote";
// One row of that list: the draw and the dates of the spy's draw and of the follower's.
struct RigaSeguito {
    Seguito seguito;
    std::string dataSpia;
    std::string data;
};
// The rows of the list, the newest first.
std::vector<RigaSeguito> righeSeguiti(const archive::Archivio& a, const std::vector<Seguito>& seguiti);
// The text of one cell (the wheels as their codes, "BA,CA").
std::string testoSeguito(const RigaSeguito& r, int colonna);
void scriviSeguiti(const archive::Archivio& a, const std::vector<Seguito>& seguiti, grid::Grid& g);

// The line under the table: the presences counted and how, how many followers have p < 0,05 against
// how many chance alone gives (the first class of classiP: at most 4,5 of 90, less as the counts are
// whole numbers), how many survive q < 0,05.
std::string lineaSpia(const EsitoSpia& e);
// The same for the scan over 8,100 tests.
std::string lineaScansione(const EsitoScansione& e);

// The columns of the spy table, named once; the scan puts ColSpia in front of the others.
enum ColonnaSpia { ColSpiaNumero = 0, ColSpiaPresenze, ColSpiaUscite, ColSpiaAttese, ColSpiaRapporto, ColSpiaP, ColSpiaQ, ColonneSpia };
inline constexpr std::string_view IntestazioneSpia = "Numero|Presenze|Uscite|Attese|Rapporto|p|q";
// The text of column `colonna` of a row of that table (with the scan, column 0 is the spy).
std::string testoCellaSpia(const RigaSpia& r, int colonna, bool scansione);
// The header "Numero|Presenze|Uscite|Attese|Rapporto|p|q" ("Spia|" in front for the scan) and one
// row per element of `righe`, at most `lista` (all when lista <= 0). Attese one decimal, Rapporto
// two, p and q three ("<0,001" below).
void scriviTabellaSpia(const std::vector<RigaSpia>& righe, bool scansione, int lista, grid::Grid& g);
// Sorts the rows by grid column `colonna` of the table as scriviTabellaSpia writes it, descending or
// ascending; ties by p, then spy and follower in increasing order.
void ordinaSpia(std::vector<RigaSpia>& righe, int colonna, bool scansione, bool decrescente);

// "27" or "27-45".
std::string testoSpia(const ParametriSpia& p);

}
