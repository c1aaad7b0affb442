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

namespace regola {

constexpr Tabella decina()
{
    Tabella t{};
    for (int n = 1; n <= 89; ++n)
        t[n] = static_cast<std::int16_t>(n / 10);
    return t;   // t[90] = 0
}

constexpr Tabella figura()
{
    Tabella t{};
    for (int n = 1; n <= 90; ++n)
        t[n] = static_cast<std::int16_t>(n % 9 == 0 ? 9 : n % 9);
    return t;
}

constexpr Tabella cadenza()
{
    Tabella t{};
    for (int n = 1; n <= 90; ++n)
        t[n] = static_cast<std::int16_t>(n % 10);
    return t;
}

constexpr Tabella vertibile()
{
    Tabella t{};
    for (int n = 1; n <= 90; ++n)
        t[n] = static_cast<std::int16_t>((n % 10) * 10 + n / 10);
    // Swapping the digits of a double gives itself and of an x9 gives 91..98:
    // players exchange the double with the x9 of its decade instead.
    for (int k = 1; k <= 8; ++k) {
        t[11 * k] = static_cast<std::int16_t>(10 * k + 9);
        t[10 * k + 9] = static_cast<std::int16_t>(11 * k);
    }
    return t;
}

constexpr Tabella diametrale()
{
    Tabella t{};
    for (int n = 1; n <= 90; ++n)
        t[n] = static_cast<std::int16_t>(n <= 45 ? n + 45 : n - 45);
    return t;
}

constexpr Tabella diametraleDecina()
{
    Tabella t{};
    // Units 0 (10, 20, ...) go up like 1..4: 10 pairs with 15 inside decade 1.
    for (int n = 1; n <= 90; ++n)
        t[n] = static_cast<std::int16_t>(n % 10 >= 5 ? n - 5 : n + 5);
    // Decade 0 is {90, 1..9}: its "units 0" member is 90, which pairs with 5.
    t[90] = 5;
    t[5] = 90;
    return t;
}

}

// Computed at compile time and read-only: no load step, so nothing can refill a table
// while a search reads it. Hot loops index them directly (flat arrays of 91 entries).
// Decina[n] = n / 10, but 90 gives 0 (cabalistic decade 0 is {90, 1..9}).
inline constexpr Tabella Decina = regola::decina();
// Figura[n] = n mod 9, 0 replaced by 9.
inline constexpr Tabella Figura = regola::figura();
// Cadenza[n] = n mod 10.
inline constexpr Tabella Cadenza = regola::cadenza();
// Vertibile[n] = digits of the two-digit text swapped; doubles and x9 of a decade exchanged (11<->19 ...).
inline constexpr Tabella Vertibile = regola::vertibile();
// Diametrale[n] = n + 45 for 1..45, n - 45 for 46..90.
inline constexpr Tabella Diametrale = regola::diametrale();
// DiametraleDecina[n] = the number of the same cabalistic decade whose units differ by 5 ({90,5}, {1,6} ...).
inline constexpr Tabella DiametraleDecina = regola::diametraleDecina();

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
