// The 55 entry boxes of a draw: their editing rules, ControllaEstrazione, the stored wheel texts.
#pragma once

#include "archive/Archivio.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace maintenance {

constexpr int NumeroCaselle = 55;   // 5 per wheel, Bari 1..5 .. Nazionale 51..55
constexpr int RuoteControllate = 10;   // Bari..Venezia must be complete; the Nazionale may be absent

// Texts of boxes 1..55 (txtin(1)..txtin(55)); element 0 is unused.
using Caselle = std::array<std::string, NumeroCaselle + 1>;

// Box index of wheel w (0..10) and position p (1..5).
constexpr int casella(int w, int p) { return 5 * w + p; }

// The number a box text stands for, read as a leading number: empty or non-numeric is 0.
int valoreCasella(std::string_view testo);

// The change rule of a box: what stays of `testo` after an edit. A box holds at most two
// decimal digits with a value up to 90, or the text "99" (refused later by ControllaEstrazione);
// anything else empties it.
std::string testoAmmesso(std::string_view testo);

// What the window says at once when two digits typed in box `indice` make a number above 90
// ("95", "99"), naming the wheel and position; empty for any other text.
std::string rifiutoCasella(int indice, std::string_view testo);

// Leaving a box: one digit gets a leading zero ("7" -> "07"), an empty box stays empty.
std::string formatoUscita(std::string_view testo);

// The keys of a box that move the focus.
enum class Tasto { Invio, Destra, Sinistra, Su, Giu };

// Where the focus goes from box `indice` on `tasto` when the box text allows the move:
// Enter to the next box (55 -> 1); the arrows around the grid of 11 wheels x 5 positions,
// wrapping within a wheel (right, left) and between Bari and Nazionale (up, down).
int casellaSuccessiva(int indice, Tasto tasto);

// What a key does to the box it is pressed in: the text left in the box and where the
// focus goes (the same box when it stays). The text length is taken before the key acts.
// Enter and the arrows keep a single digit with its leading zero.
struct EffettoTasto {
    std::string testo;
    int focus;
};
EffettoTasto effettoTasto(int indice, std::string_view testo, Tasto tasto);

// CaricaTabellaArchivio: the boxes of draw d of the archive, two digits each ("00" for 0).
Caselle caselleDiEstrazione(const archive::Archivio& a, int d);

// What MODIFICA would change in draw d: one line per wheel whose boxes differ from it, "Bari:
// 05-12-33-44-90 -> 05-12-33-44-91" ("nessun numero" for a wheel not drawn); empty when none differs.
std::string differenzeEstrazione(const archive::Archivio& a, int d, const Caselle& caselle);

// The outcome of ControllaEstrazione: accepted, or the message to show and the box to focus.
struct EsitoControllo {
    bool accettata = true;
    std::string messaggio;   // empty when accepted
    int focus = 0;           // box to put the focus on, 0 for none
};

// ControllaEstrazione: Bari..Venezia need five different numbers each; no box may hold a
// number above 90 (a stored 99 would be read as a number by every analysis); the Nazionale is
// either absent (all five boxes empty or "00") or five different numbers from 1 to 90.
EsitoControllo ControllaEstrazione(const Caselle& caselle);

// The stored text of wheel w: the five box texts joined by "-" (05-17-90-01-44). A Nazionale
// with no number is stored as an empty field, as the archive keeps a wheel not drawn.
std::string campoRuota(const Caselle& caselle, int w);

// A whole number typed in an input box, accepted only inside minimo..massimo; blanks around it
// are allowed, anything else (empty, a sign, decimals, letters) gives nothing.
std::optional<int> leggiIndice(std::string_view testo, int minimo, int massimo);

}
