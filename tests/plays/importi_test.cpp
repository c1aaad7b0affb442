// Money that cannot wrap, and the payouts of the program database that cannot be read said with what is used instead.
#include "plays/ArchivioGiocate.h"
#include "plays/GrigliaGiocate.h"
#include "storage/ProgramDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// `n` draws on which every wheel holds 1..5: ten numbers from 1 win every sorte on every wheel every time.
archive::Archivio sempreVincenti(int n)
{
    archive::Archivio a;
    a.NumeroEstrazioni = n;
    for (int d = 1; d <= n; ++d) {
        char data[48];
        std::snprintf(data, sizeof data, "%02d/%02d/%04d", 1 + d % 28, 1 + d / 28 % 12, 1950 + d / 336);
        a.DateEstrazioni[static_cast<std::size_t>(d)] = data;
        for (int w = 0; w < archive::NumeroRuote; ++w)
            for (int p = 1; p <= 5; ++p)
                a.setNumero(d, w, p, static_cast<std::int16_t>(p));
    }
    return a;
}

}

TEST(Importi, SommeOltreIlMassimoRifiutateMaiRigirate)
{
    EXPECT_EQ(plays::somma(plays::MassimoCentesimi - 1, 1), plays::MassimoCentesimi);
    EXPECT_THROW(plays::somma(plays::MassimoCentesimi, 1), plays::ImportoFuoriScala);
    EXPECT_THROW(plays::differenza(-plays::MassimoCentesimi, 1), plays::ImportoFuoriScala);
    EXPECT_THROW(plays::differenza(0, std::numeric_limits<plays::Centesimi>::min()), plays::ImportoFuoriScala);
    plays::Importo i{static_cast<__int128>(plays::MassimoCentesimi) * plays::UnitaPerCentesimo};
    EXPECT_EQ(i.centesimi(), plays::MassimoCentesimi);
    i += plays::Importo{plays::UnitaPerCentesimo};
    EXPECT_THROW((void)i.centesimi(), plays::ImportoFuoriScala);
    plays::Importo enorme{(static_cast<__int128>(1) << 126)};
    EXPECT_THROW(enorme += enorme, plays::ImportoFuoriScala);
    try {
        throw plays::ImportoFuoriScala();
    } catch (const plays::ImportoFuoriScala& e) {
        EXPECT_STREQ(e.what(), "importo oltre il massimo che si può mostrare (92233720368547758,07 euro)");
    }

    // A play at the window's own ceilings: 100000 euro on every sorte, every payout 100 million per
    // euro, ten numbers on all eleven wheels, every one of 9999 colpi a full win.
    plays::Giocata g;
    g.numeri = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    g.ruote.fill(true);
    g.poste.fill(10000000);
    g.dal = "01/01/1950";
    g.colpi = 9999;
    plays::Tariffe t;
    t.paga.fill(10000000000LL);
    const auto a = sempreVincenti(9999);
    const auto e = plays::verificaGiocata(g, a, t, [](const plays::Vincita&) {});
    // Each draw wins on each wheel sum over s of 1e7 * 1e8 * C(5, s) / C(10, s) / 11 cents, and
    // the C(5, s) / C(10, s) add up to 5/6: 9999 * 1e15 * 5/6 cents gross, 92% of it net. One such
    // play just fits; two of them summed, as the window's totals line sums them, do not.
    EXPECT_EQ(e.numeroVincite, 9999u * 11u * 5u);
    EXPECT_EQ(plays::testoEuro(e.lordo.centesimi()), "83325000000000000,00");
    EXPECT_EQ(plays::testoEuro(e.vinto()), "76659000000000000,00");
    EXPECT_THROW((void)plays::somma(e.vinto(), e.vinto()), plays::ImportoFuoriScala);
    auto dueVolte = e.netto;
    dueVolte += e.netto;
    EXPECT_THROW((void)dueVolte.centesimi(), plays::ImportoFuoriScala);
    plays::EsitoGiocata somma = e;
    somma.netto = dueVolte;
    EXPECT_THROW((void)plays::riepilogo(1, g, somma), plays::ImportoFuoriScala);
    // In the list: the net win less 9999 colpi of 500000 euro; the sum that cannot be shown says so.
    const auto righe = plays::righeElenco({g, g}, {e, somma});
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(plays::testoElenco(righe[0], plays::colonneGiocate::Saldo), "76658995000500000,00");
    EXPECT_EQ(plays::testoElenco(righe[1], plays::colonneGiocate::Vinto), "oltre il massimo");
    EXPECT_EQ(plays::testoElenco(righe[1], plays::colonneGiocate::Saldo), "oltre il massimo");
    EXPECT_EQ(plays::testoElenco(righe[1], plays::colonneGiocate::Spesa), "4999500000,00");
    EXPECT_FALSE(plays::inPerditaElenco(righe[1]));
}

TEST(Importi, PremiArrotondatiAlCentesimoUnaVolta)
{
    // Halves away from zero, whatever the sign.
    const std::pair<double, plays::Centesimi> casi[] = {{2.5, 3}, {-2.5, -3}, {2.4, 2}, {-2.6, -3}, {0.5, 1}, {0, 0}};
    for (const auto& [cent, atteso] : casi) {
        const plays::Importo i{static_cast<__int128>(cent * 10) * (plays::UnitaPerCentesimo / 10)};
        EXPECT_EQ(i.centesimi(), atteso) << cent;
    }
    // 1 euro on the estratto of three numbers over two wheels, one of them drawn on a wheel:
    // 100 x 11,23 / 3 / 2 = 187,1666.. cents gross, 172,1933.. net; three such wins are 561,5 gross,
    // 516,58 net, rounded once at the end to 562 and 517 (per win they would be 3 x 187 and 3 x 172).
    const auto lordo = plays::premioLordo(100, 1123, 1, 1, 3, 2);
    const auto netto = plays::premioNetto(lordo, 800);
    EXPECT_EQ(lordo.centesimi(), 187);
    EXPECT_EQ(netto.centesimi(), 172);
    plays::Importo tre, treNetti;
    for (int v = 0; v < 3; ++v) {
        tre += lordo;
        treNetti += netto;
    }
    EXPECT_EQ(tre.centesimi(), 562);
    EXPECT_EQ(treNetti.centesimi(), 517);
}

TEST(Importi, PagheIlleggibiliDetteConIlValoreUsato)
{
    testsupport::CartellaTemporanea cartella;
    auto db = storage::ApriDatabaseProgramma(cartella.percorso().string());
    std::vector<std::string> illeggibili;
    EXPECT_EQ(plays::leggiTariffe(db, &illeggibili), plays::Tariffe{});
    EXPECT_TRUE(illeggibili.empty());

    storage::ScriviParametro(db, "PagaEstratto", "0");
    storage::ScriviParametro(db, "PagaAmbo", "-250");
    storage::ScriviParametro(db, "PagaTerno", "molto");
    db.esegui("UPDATE ParametriProgramma SET Valore1 = NULL WHERE Parametro = 'PagaQuaterna'");
    storage::ScriviParametro(db, "PagaCinquina", "100000000.01");
    storage::ScriviParametro(db, "RitenutaVincite", "100");
    EXPECT_EQ(plays::leggiTariffe(db, &illeggibili), plays::Tariffe{});
    const std::vector<std::string> attesi = {
        "il valore di PagaEstratto nella tabella ParametriProgramma (\"0\") non è una paga (più di 0, fino a 100000000): si usa quello di legge, 11.23",
        "il valore di PagaAmbo nella tabella ParametriProgramma (\"-250\") non è una paga (più di 0, fino a 100000000): si usa quello di legge, 250",
        "il valore di PagaTerno nella tabella ParametriProgramma (\"molto\") non è una paga (più di 0, fino a 100000000): si usa quello di legge, 4500",
        "il valore di PagaQuaterna nella tabella ParametriProgramma (\"\") non è una paga (più di 0, fino a 100000000): si usa quello di legge, 120000",
        "il valore di PagaCinquina nella tabella ParametriProgramma (\"100000000.01\") non è una paga (più di 0, fino a 100000000): si usa quello di legge, 6000000",
        "il valore di RitenutaVincite nella tabella ParametriProgramma (\"100\") non è una ritenuta (da 0 a meno di 100): si usa quello di legge, 8",
    };
    EXPECT_EQ(illeggibili, attesi);
}

// A payout cell written as the table shows it reads back as the same value; outside the columns, nothing.
TEST(Importi, CelleDellePagheLetteEScritte)
{
    const plays::Tariffe legge;
    for (int c = 0; c <= plays::ColonnaRitenuta; ++c)
        EXPECT_EQ(plays::leggiValoreTariffa(c, plays::testoTariffa(legge, c)),
                  c < plays::NumeroSorti ? legge.paga[static_cast<std::size_t>(c)] : legge.ritenuta);
    EXPECT_EQ(plays::testoTariffa(legge, 0), "11,23");
    EXPECT_EQ(plays::testoTariffa(legge, plays::ColonnaRitenuta + 1), "");
    EXPECT_EQ(plays::testoTariffa(legge, -1), "");
}
