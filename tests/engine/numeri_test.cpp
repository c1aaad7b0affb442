// Lookup tables and the rules on Lotto numbers: reduction, differences, distance, digit pyramid.
#include "engine/Numeri.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <type_traits>

namespace {

using engine::Tabella;

// The tables exist at compile time: nothing has to load them and nothing can change them.
static_assert(engine::Figura[90] == 9 && engine::Vertibile[11] == 19 && engine::DiametraleDecina[90] == 5);
static_assert(std::is_const_v<decltype(engine::Decina)> && std::is_const_v<decltype(engine::DiametraleDecina)>);

// Cabalistic decade as players count it: 90 closes decade 0 ({90, 1..9}).
int decadeCabalistica(int n) { return n == 90 ? 0 : n / 10; }

struct Voce {
    const char* tabella;
    const Tabella* t;
    int n;
    int atteso;
};

TEST(Numeri, ValoriNotiDelleTabelle)
{
    using namespace engine;
    const Voce voci[] = {
        {"Decina", &Decina, 90, 0},        {"Decina", &Decina, 9, 0},         {"Decina", &Decina, 10, 1},
        {"Decina", &Decina, 89, 8},        {"Decina", &Decina, 45, 4},        {"Figura", &Figura, 90, 9},
        {"Figura", &Figura, 9, 9},         {"Figura", &Figura, 10, 1},        {"Figura", &Figura, 18, 9},
        {"Cadenza", &Cadenza, 90, 0},      {"Cadenza", &Cadenza, 37, 7},      {"Vertibile", &Vertibile, 90, 9},
        {"Vertibile", &Vertibile, 9, 90},  {"Vertibile", &Vertibile, 88, 89}, {"Vertibile", &Vertibile, 89, 88},
        {"Vertibile", &Vertibile, 80, 8},  {"Vertibile", &Vertibile, 12, 21}, {"Vertibile", &Vertibile, 45, 54},
        {"Vertibile", &Vertibile, 10, 1},  {"Vertibile", &Vertibile, 1, 10},  {"Vertibile", &Vertibile, 30, 3},
        {"Vertibile", &Vertibile, 11, 19}, {"Vertibile", &Vertibile, 19, 11}, {"Diametrale", &Diametrale, 45, 90},
        {"Diametrale", &Diametrale, 46, 1}, {"Diametrale", &Diametrale, 1, 46}, {"Diametrale", &Diametrale, 90, 45},
        {"DiametraleDecina", &DiametraleDecina, 5, 90},  {"DiametraleDecina", &DiametraleDecina, 90, 5},
        {"DiametraleDecina", &DiametraleDecina, 10, 15}, {"DiametraleDecina", &DiametraleDecina, 15, 10},
        {"DiametraleDecina", &DiametraleDecina, 85, 80}, {"DiametraleDecina", &DiametraleDecina, 1, 6},
        {"DiametraleDecina", &DiametraleDecina, 89, 84},
    };
    for (const auto& v : voci)
        EXPECT_EQ((*v.t)[v.n], v.atteso) << v.tabella << "[" << v.n << "]";
}

TEST(Numeri, IngressoZeroVaZeroInOgniTabella)
{
    for (const Tabella* t : {&engine::Decina, &engine::Figura, &engine::Cadenza, &engine::Vertibile,
                             &engine::Diametrale, &engine::DiametraleDecina})
        EXPECT_EQ((*t)[0], 0);
}

// Vertibile, Diametrale and DiametraleDecina are exchanges in pairs: each is its own
// inverse and a permutation of 1..90, so no number is lost or produced twice.
TEST(Numeri, TabelleDiScambioSonoInvoluzioniSu1_90)
{
    for (const Tabella* t : {&engine::Vertibile, &engine::Diametrale, &engine::DiametraleDecina}) {
        std::set<int> immagini;
        for (int n = 1; n <= 90; ++n) {
            const int m = (*t)[n];
            ASSERT_GE(m, 1) << n;
            ASSERT_LE(m, 90) << n;
            EXPECT_EQ((*t)[m], n) << n;
            immagini.insert(m);
        }
        EXPECT_EQ(immagini.size(), 90u);
    }
}

// The diametral in the decade stays inside the cabalistic decade and differs by 5 in units.
TEST(Numeri, DiametraleDecinaRestaNellaDecina)
{
    for (int n = 1; n <= 90; ++n) {
        const int m = engine::DiametraleDecina[n];
        EXPECT_EQ(decadeCabalistica(m), decadeCabalistica(n)) << n;
        EXPECT_EQ((n % 10 + 5) % 10, m % 10) << n;
    }
}

// Every entry against the rule read off the number's two-digit text, as a player does.
TEST(Numeri, OgniVoceSecondoLeCifreDelNumero)
{
    for (int n = 1; n <= 90; ++n) {
        char cifre[3];
        std::snprintf(cifre, sizeof cifre, "%02d", n);
        const int decine = cifre[0] - '0', unita = cifre[1] - '0';
        EXPECT_EQ(engine::Decina[n], decadeCabalistica(n)) << n;
        EXPECT_EQ(engine::Cadenza[n], unita) << n;
        // The figure is the repeated sum of the digits down to one digit.
        int figura = n;
        while (figura > 9)
            figura = figura / 10 + figura % 10;
        EXPECT_EQ(engine::Figura[n], figura) << n;
        // The diametral lies half the circle of 90 away.
        EXPECT_EQ((engine::Diametrale[n] - n + 90) % 90, 45) << n;
        // The vertible reads the digits backwards; a double and the x9 of its decade swap.
        int vertibile = std::stoi(std::string{cifre[1], cifre[0]});
        if (decine == unita)
            vertibile = decine * 10 + 9;
        else if (unita == 9 && decine >= 1 && decine <= 8)
            vertibile = decine * 11;
        EXPECT_EQ(engine::Vertibile[n], vertibile) << n;
    }
}

TEST(Numeri, LetturaFuoriTabellaSollevaErrore)
{
    EXPECT_EQ(engine::leggi(engine::Decina, 0), 0);
    EXPECT_EQ(engine::leggi(engine::Decina, 90), 0);
    EXPECT_THROW(engine::leggi(engine::Decina, 91), engine::ErroreCalcolo);
    EXPECT_THROW(engine::leggi(engine::Figura, -1), engine::ErroreCalcolo);
    EXPECT_THROW(engine::leggi(engine::Vertibile, 32767), engine::ErroreCalcolo);
}

TEST(RegoleNumeri, RiduzioneFuori90)
{
    const std::pair<long long, int> casi[] = {{90, 90}, {0, 90}, {179, 89}, {91, 1}, {180, 90}, {8189, 89}, {1, 1}};
    for (const auto& [v, atteso] : casi)
        EXPECT_EQ(engine::riduci90(v), atteso) << v;
    EXPECT_THROW(engine::riduci90(-1), engine::ErroreCalcolo);
}

TEST(RegoleNumeri, DifferenzeEDistanza)
{
    EXPECT_EQ(engine::differenzaCircolare(10, 20), 80);
    EXPECT_EQ(engine::differenzaCircolare(20, 10), 10);
    EXPECT_EQ(engine::differenzaCircolare(7, 7), 90);
    EXPECT_EQ(engine::differenzaCircolare(0, 90), 90);
    EXPECT_EQ(engine::differenzaAssoluta(7, 7), 90);
    EXPECT_EQ(engine::differenzaAssoluta(3, 80), 77);
    EXPECT_EQ(engine::distanza(1, 90), 1);
    EXPECT_EQ(engine::distanza(10, 55), 45);
    EXPECT_EQ(engine::distanza(30, 30), 45);
    EXPECT_EQ(engine::distanza(80, 20), 30);
    EXPECT_EQ(engine::complemento91(1), 90);
    EXPECT_EQ(engine::complemento91(45), 46);
}

TEST(RegoleNumeri, DistanzaSempreTra1e45)
{
    for (int a = 1; a <= 90; ++a)
        for (int b = 1; b <= 90; ++b) {
            const int d = engine::distanza(a, b);
            ASSERT_GE(d, 1);
            ASSERT_LE(d, 45);
            ASSERT_EQ(d, engine::distanza(b, a));
        }
}

TEST(RegoleNumeri, PiramideDiCifre)
{
    const std::pair<const char*, int> casi[] = {
        {"3752", 41}, {"9099", 9}, {"0045", 45}, {"90", 90}, {"91", 1}, {"00000000", 0}, {"", 0},
        {"0000000091", 1},   // leading zeros still count as pairs: 00 -> 9
    };
    for (const auto& [testo, atteso] : casi)
        EXPECT_EQ(engine::piramideCifre(testo), atteso) << testo;
    EXPECT_THROW(engine::piramideCifre("12a4"), engine::ErroreCalcolo);
    EXPECT_THROW(engine::piramideCifre("-5"), engine::ErroreCalcolo);
}

TEST(RegoleNumeri, PiramideDopoUnPassaggioMaiZero)
{
    // Every two-digit text joined with another: at least one pass when above 90.
    for (int a = 0; a <= 90; ++a)
        for (int b = 0; b <= 90; ++b) {
            char testo[24];   // room for any int: the compiler cannot see a and b stay below 100
            std::snprintf(testo, sizeof testo, "%02d%02d", a, b);
            const int r = engine::piramideCifre(testo);
            ASSERT_LE(r, 90) << testo;
            if (a * 100 + b > 90) {
                ASSERT_GE(r, 1) << testo;
            }
        }
}

}
