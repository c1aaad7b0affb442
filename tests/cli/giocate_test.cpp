// velmora-cli giocate: wins as TSV and one summary per play on hand-worked draws; a wrong line refused, nothing printed.
#include "storage/ProgramDb.h"
#include "support/Cli.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;

}

TEST(CliGiocate, VinciteERiepiloghi)
{
    // Draw d (2, 4, ..., 20 January 2020): Bari d, 10+d, 20+d, 30+d, 40+d; Cagliari 60..64.
    testsupport::ArchivioDaStorico a(testsupport::storicoDieciEstrazioni());
    const std::string file = a.cartella.scrivi("giocate.txt",
                                               "1-11-21;BA;1/1/0/0/0;01/01/2020;3\n"
                                               "60;CA,BA;2/0/0/0/0;10/01/2020;8;F\n"
                                               "5;TT;1/0/0/0/0;15/01/2020;10\n");
    const auto e = lancia({"giocate", "--archivio", a.archivio, file});
    ASSERT_EQ(e.codice, 0) << e.err;
    // Play 1: all three out on Bari in the first draw: estratto 11,23 x 3/3, ambo 250 x 3/3.
    // Play 2: 60 on Cagliari, 2 euro over two wheels: 11,23; it ends there.
    EXPECT_EQ(e.out, "Giocata\tData\tColpo\tRuota\tSorte\tPunti\tLordo\tNetto\n"
                     "1\t02/01/2020\t1\tBA\tEstratto\t3\t11,23\t10,33\n"
                     "1\t02/01/2020\t1\tBA\tAmbo\t3\t250,00\t230,00\n"
                     "2\t10/01/2020\t1\tCA\tEstratto\t1\t11,23\t10,33\n");
    // 10,3316 + 230 = 240,3316; the three draws of play 3 from 16/01 are all the archive holds.
    EXPECT_EQ(e.err, "Giocata 1: colpi giocati 3 di 3, spesa 6,00, vinto (netto) 240,33, saldo 234,33, resa attesa 57,4%\n"
                     "Giocata 2: colpi giocati 1 di 8, spesa 2,00, vinto (netto) 10,33, saldo 8,33, resa attesa 57,4%\n"
                     "Giocata 3: colpi giocati 3 di 10, spesa 3,00, vinto (netto) 0,00, saldo -3,00, resa attesa 57,4%, in corso\n");

    // The payouts of a program database: the estratto at 12 euro, no levy.
    {
        auto db = storage::ApriDatabaseProgramma(a.cartella.percorso().string());
        storage::ScriviParametro(db, "PagaEstratto", "12");
        storage::ScriviParametro(db, "RitenutaVincite", "0");
    }
    const auto p = lancia({"giocate", "--archivio", a.archivio, a.cartella.scrivi("una.txt", "60;CA,BA;2/0/0/0/0;10/01/2020;8;F\n"),
                           "--programma", (a.cartella.percorso() / storage::NomeDatabaseProgramma).string()});
    ASSERT_EQ(p.codice, 0) << p.err;
    EXPECT_EQ(testsupport::righe(p.out).back(), "1\t10/01/2020\t1\tCA\tEstratto\t1\t12,00\t12,00");
    // A row of it that holds no payout: the law's value, said on standard error.
    {
        auto db = storage::ApriDatabaseProgramma(a.cartella.percorso().string());
        storage::ScriviParametro(db, "PagaEstratto", "0");
    }
    const std::string programma = (a.cartella.percorso() / storage::NomeDatabaseProgramma).string();
    const auto z = lancia({"giocate", "--archivio", a.archivio, a.cartella.file("una.txt"), "--programma", programma});
    ASSERT_EQ(z.codice, 0) << z.err;
    EXPECT_EQ(testsupport::righe(z.out).back(), "1\t10/01/2020\t1\tCA\tEstratto\t1\t11,23\t11,23");
    EXPECT_EQ(testsupport::righe(z.err).front(), "velmora-cli giocate: il valore di PagaEstratto nella tabella ParametriProgramma (\"0\") non "
                                                 "è una paga (più di 0, fino a 100000000): si usa quello di legge, 11.23 (database \""
                                                 + programma + "\")");

    // A wrong line: exit 1, the file, the line and the field named, nothing on standard output.
    const std::string errato = a.cartella.scrivi("errato.txt", "1;BA;1/0/0/0/0;01/01/2020;3\n1;BA;1/0/0/0/0;01/01/2020;tre\n");
    const auto r = lancia({"giocate", "--archivio", a.archivio, errato});
    EXPECT_EQ(r.codice, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "velmora-cli giocate: il file delle giocate \"" + errato
                         + "\", riga 2, campo COLPI: numero di colpi non valido \"tre\" (da 1 a 9999): nulla è stato verificato\n");
    EXPECT_EQ(lancia({"giocate", errato}).codice, 2);
}
