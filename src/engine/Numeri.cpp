// Lotto number arithmetic: the rules on numbers.
#include "engine/Numeri.h"

#include <cstdlib>
#include <limits>

namespace engine {

std::int16_t leggi(const Tabella& t, int n)
{
    if (n < 0 || n > 90)
        throw ErroreCalcolo("numero fuori tabella: " + std::to_string(n));
    return t[static_cast<std::size_t>(n)];
}

std::int16_t riduci90(long long v)
{
    // A negative value has no place on the 1..90 circle; the plain remainder would
    // hand back a negative "number", so it is refused like any other bad input.
    if (v < 0)
        throw ErroreCalcolo("valore negativo da ridurre: " + std::to_string(v));
    const long long r = v % 90;
    return static_cast<std::int16_t>(r == 0 ? 90 : r);
}

std::int16_t differenzaCircolare(int a, int b)
{
    long long x = a;
    if (a < b)
        x += 90;
    const long long d = x - b;
    return comeIntero16(d == 0 ? 90 : d);
}

std::int16_t differenzaAssoluta(int a, int b)
{
    const long long d = std::llabs(static_cast<long long>(a) - b);
    return comeIntero16(d == 0 ? 90 : d);
}

std::int16_t distanza(int a, int b)
{
    long long d = std::llabs(static_cast<long long>(a) - b);
    if (d > 45)
        d = 90 - d;
    if (d == 0)
        d = 45;
    return comeIntero16(d);
}

std::int16_t complemento91(int n) { return comeIntero16(91LL - n); }

std::int16_t comeIntero16(long long v)
{
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        throw ErroreCalcolo("valore fuori dall'intero a 16 bit: " + std::to_string(v));
    return static_cast<std::int16_t>(v);
}

namespace {
// Compares a text of digits with 90 without converting it (it may be longer than any integer).
bool oltre90(std::string_view cifre)
{
    std::size_t i = 0;
    while (i < cifre.size() && cifre[i] == '0')
        ++i;
    const std::size_t significative = cifre.size() - i;
    if (significative != 2)
        return significative > 2;
    return (cifre[i] - '0') * 10 + (cifre[i + 1] - '0') > 90;
}
}

std::int16_t piramideCifre(std::string_view cifre)
{
    for (const char c : cifre)
        if (c < '0' || c > '9')
            throw ErroreCalcolo("testo non numerico per la piramide di cifre: " + std::string(cifre));
    std::string testo(cifre);
    while (oltre90(testo)) {
        std::string riga;
        riga.reserve(testo.size() - 1);
        for (std::size_t i = 0; i + 1 < testo.size(); ++i) {
            const int coppia = (testo[i] - '0') * 10 + (testo[i + 1] - '0');
            const int f = coppia % 9;
            riga += static_cast<char>('0' + (f == 0 ? 9 : f));
        }
        testo = std::move(riga);
    }
    int v = 0;
    for (const char c : testo)
        v = v * 10 + (c - '0');   // at most 90 here
    return static_cast<std::int16_t>(v);
}

}
