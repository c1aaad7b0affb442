// Lotto number arithmetic: the six lookup tables and the rules on numbers.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace engine {

// Raised by any evaluation whose input is out of range; the window that asked reports it.
class ErroreCalcolo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Tabella = std::array<std::int16_t, 91>;   // indexed by the number 0..90, entry 0 is 0

// Decina[n]   = n / 10, but 90 gives 0 (cabalistic decade 0 is {90, 1..9}).
extern Tabella Decina;
// Figura[n]   = n mod 9, 0 replaced by 9.
extern Tabella Figura;
// Cadenza[n]  = n mod 10.
extern Tabella Cadenza;
// Vertibile[n] = digits of the two-digit text swapped; doubles and x9 of a decade exchanged (11<->19 ...).
extern Tabella Vertibile;
// Diametrale[n] = n + 45 for 1..45, n - 45 for 46..90.
extern Tabella Diametrale;
// DiametraleDecina[n] = the number of the same cabalistic decade whose units differ by 5 ({90,5}, {1,6} ...).
extern Tabella DiametraleDecina;

// Fills Diametrale and DiametraleDecina (the start-up window does it).
void CaricaTabelleAvvio();
// Fills Decina, Figura, Cadenza and Vertibile (the main window does it).
void CaricaFormazioniNumeri();
// Both of the above; what tests and the command-line tool call.
void CaricaTutteLeTabelle();

// Reads a table, raising ErroreCalcolo for an index outside 0..90.
std::int16_t leggi(const Tabella& t, int n);

// Reduction into 1..90: v mod 90, 0 becomes 90; a negative v raises ErroreCalcolo.
std::int16_t riduci90(long long v);
// "1-2": a - b, adding 90 first when a < b; 0 becomes 90.
std::int16_t differenzaCircolare(int a, int b);
// |a - b|, 0 becomes 90.
std::int16_t differenzaAssoluta(int a, int b);
// Circular distance 1..45: equal numbers give 45.
std::int16_t distanza(int a, int b);
// 91 - n.
std::int16_t complemento91(int n);
// Digit pyramid of a text of decimal digits: while its value exceeds 90, each pair of
// adjacent digits becomes (pair mod 9, 0 -> 9); a non-digit raises ErroreCalcolo.
std::int16_t piramideCifre(std::string_view cifre);
// A 64-bit intermediate as a 16-bit result, raising ErroreCalcolo when it does not fit.
std::int16_t comeIntero16(long long v);

}
