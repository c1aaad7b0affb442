// Calendar days in every form the program reads, and the payout table's written forms.
#include "regole/Data.h"
#include "regole/Premi.h"

#include <gtest/gtest.h>

namespace {

using regole::Data;

TEST(Data, SoloGiorniDelCalendario)
{
    // Leap years: every fourth, not the centuries, yes every fourth century.
    EXPECT_TRUE(Data::leggi("29/02/2024"));
    EXPECT_TRUE(Data::leggi("29/02/2000"));
    EXPECT_FALSE(Data::leggi("29/02/2026"));
    EXPECT_FALSE(Data::leggi("29/02/1900"));
    EXPECT_FALSE(Data::leggi("31/02/2026"));
    EXPECT_FALSE(Data::leggi("31/04/2026"));
    EXPECT_TRUE(Data::leggi("30/04/2026"));
    EXPECT_TRUE(Data::leggi("31/12/2026"));
    for (const char* sbagliata : {"00/01/2026", "01/00/2026", "01/13/2026", "32/01/2026", "01/01/0000"})
        EXPECT_FALSE(Data::leggi(sbagliata)) << sbagliata;
    EXPECT_EQ(regole::giorniNelMese(2024, 2), 29);
    EXPECT_EQ(regole::giorniNelMese(2026, 13), 0);
    EXPECT_FALSE(Data::da(2026, 6, 31));
}

TEST(Data, LeFormeInUso)
{
    // GG/MM/AAAA: the program's form, two digits each, nothing around.
    for (const char* sbagliata : {"2026-08-22", "1/8/2026", "01/08/26", " 01/08/2026", "01-08-2026", "0a/08/2026", ""})
        EXPECT_FALSE(Data::leggi(sbagliata)) << sbagliata;
    // G/M/AAAA as typed; the year always in four digits.
    EXPECT_EQ(Data::leggiLibera("4/5/2005")->chiave(), 20050504);
    EXPECT_EQ(Data::leggiLibera("04/05/2005")->chiave(), 20050504);
    for (const char* sbagliata : {"4/5/05", "4//2005", "/5/2005", "4/5/2005/", "004/5/2005", "4/5/20050", "31/4/2026"})
        EXPECT_FALSE(Data::leggiLibera(sbagliata)) << sbagliata;
    // AAAA-MM-GG of the draws database, AAAA/MM/GG of the history file.
    EXPECT_EQ(Data::leggiIso("1939-01-07")->testo(), "07/01/1939");
    EXPECT_EQ(Data::leggiIso("1939/01/07", '/')->iso(), "1939-01-07");
    EXPECT_FALSE(Data::leggiIso("1939/01/07"));
    EXPECT_FALSE(Data::leggiIso("2023-02-29"));
    EXPECT_EQ(Data::leggi("07/01/1939")->iso(), "1939-01-07");
}

TEST(Data, OrdineEGiornoDopo)
{
    EXPECT_LT(*Data::leggi("31/12/2025"), *Data::leggi("01/01/2026"));
    EXPECT_LT(*Data::leggi("02/01/2026"), *Data::leggi("10/01/2026"));
    EXPECT_EQ(Data::leggi("31/12/2025")->giornoDopo().testo(), "01/01/2026");
    EXPECT_EQ(Data::leggi("28/02/2024")->giornoDopo().testo(), "29/02/2024");
    EXPECT_EQ(Data::leggi("28/02/2026")->giornoDopo().testo(), "01/03/2026");
    EXPECT_EQ(Data::leggi("30/04/2026")->giornoDopo().testo(), "01/05/2026");
    // A text that is not a day sorts first.
    EXPECT_EQ(regole::chiave("31/02/2026"), 0);
    EXPECT_EQ(regole::chiave("22/08/2026"), 20260822);
}

TEST(Data, GiorniContatiEGiornoDellaSettimana)
{
    // Figures of Python's datetime for the same days: days since 01/01/1970 and the weekday (0 Sunday).
    const struct {
        const char* data;
        long numero;
        int settimana;
    } casi[] = {{"01/01/1970", 0, 4}, {"21/08/2026", 20686, 5}, {"07/01/1939", -11317, 6},
                {"29/02/2000", 11016, 2}, {"01/01/0001", -719162, 1}};
    for (const auto& c : casi) {
        const auto d = Data::leggi(c.data);
        ASSERT_TRUE(d) << c.data;
        EXPECT_EQ(d->numero(), c.numero) << c.data;
        EXPECT_EQ(d->giornoSettimana(), c.settimana) << c.data;
        EXPECT_EQ(Data::daNumero(c.numero)->testo(), c.data);
    }
    // Across a leap day and a year's end, one day at a time.
    Data d = *Data::leggi("27/02/2024");
    for (long n = d.numero(); n < Data::leggi("02/01/2025")->numero(); ++n) {
        EXPECT_EQ(Data::daNumero(n + 1), d.giornoDopo());
        d = d.giornoDopo();
    }
    EXPECT_EQ(d.testo(), "02/01/2025");
    // Before year 1 there is no day to give.
    EXPECT_FALSE(Data::daNumero(-719163));
}

TEST(Premi, TestiDellaTabella)
{
    EXPECT_EQ(regole::testoCentesimi(1123), "11.23");
    EXPECT_EQ(regole::testoCentesimi(1150, ','), "11,5");
    EXPECT_EQ(regole::testoCentesimi(800), "8");
    EXPECT_EQ(regole::testoCentesimi(5), "0.05");
    EXPECT_EQ(regole::testoPaghe(regole::PremiLotto), "11,23 250 4500 120000 6000000");
    regole::TabellaPremi altra = regole::PremiLotto;
    altra.paga[4] = 1;
    EXPECT_EQ(regole::testoPaghe(altra), "11,23 250 4500 120000 0,01");
}

}
