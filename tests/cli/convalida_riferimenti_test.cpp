// velmora-cli convalida on hand-worked draws: an ambata out on the very last colpo, and the default range of references.
#include "support/Cli.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;
using testsupport::righe;

// The fields of a row of the table.
std::vector<std::string> campi(const std::string& riga) { return cli::dividi(riga, '\t'); }

}

TEST(CliConvalidaRiferimenti, AmbataUscitaAllUltimoColpo)
{
    // Twelve draws, 2, 4, ..., 24 January 2020. Bari holds d, 10+d, .. as ever, so 03 is drawn in
    // draw 3 only: the one case. Cagliari holds 60+d first and, from draw 4, 57+d (the first number
    // of three draws before) among the others: whatever stands first on Cagliari comes out there
    // again exactly on the third colpo, never before.
    std::string storico;
    for (int d = 1; d <= 12; ++d) {
        storico += testsupport::rigaStorico(2020, 1, 2 * d, "BA", {d, 10 + d, 20 + d, 30 + d, 40 + d});
        storico += testsupport::rigaStorico(2020, 1, 2 * d, "CA", {60 + d, d > 3 ? 57 + d : 50 + d, 20 + d, 30 + d, 40 + d});
    }
    testsupport::ArchivioDaStorico a(storico);
    const testsupport::Uscita u = lancia({"convalida", "--archivio", a.archivio, "--rilevazione", "Numeri", "--numeri", "03", "--ruote",
                             "CA", "--operatori", "NUM", "--colpi", "3", "--dal-rif", "6", "--al-rif", "9"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 5u);
    // From reference 6 the case of draw 3 is known to be covered by NUM of Cagliari 1 (its 63 out in
    // draw 6); at reference R the ambata is 60+R, out in draw R+3: the third and last colpo.
    for (int R = 6; R <= 9; ++R) {
        const auto c = campi(r[static_cast<std::size_t>(R - 5)]);
        ASSERT_EQ(c.size(), 13u) << r[static_cast<std::size_t>(R - 5)];
        EXPECT_EQ(c[0], std::to_string(R));
        EXPECT_EQ(c[3], "NUM");
        EXPECT_EQ(c[4], "1");
        EXPECT_EQ(c[5], "CA");
        EXPECT_EQ(c[9], std::to_string(60 + R));
        EXPECT_EQ(c[10], "3") << "riferimento " << R;
    }
    EXPECT_NE(righe(u.err).back().find("Riferimenti: 4; ambate uscite: 4 (100,0%)"), std::string::npos) << u.err;
}

TEST(CliConvalidaRiferimenti, DuecentoRiferimentiSeNonIndicati)
{
    // 230 draws, one a day from 1 March 2001 skipping nothing: Bari and Cagliari with numbers that move.
    std::string storico;
    for (int d = 1; d <= 230; ++d) {
        const int giorno = d - 1;
        const int anno = 2001 + giorno / 336, mese = 1 + giorno / 28 % 12, g = 1 + giorno % 28;
        storico += testsupport::rigaStorico(anno, mese, g, "BA", {1 + d % 90, 1 + (d + 17) % 90, 1 + (d + 33) % 90, 1 + (d + 51) % 90, 1 + (d + 70) % 90});
        storico += testsupport::rigaStorico(anno, mese, g, "CA", {1 + (d * 7) % 90, 1 + (d * 7 + 20) % 90, 1 + (d * 7 + 40) % 90, 1 + (d * 7 + 60) % 90, 1 + (d * 7 + 80) % 90});
    }
    testsupport::ArchivioDaStorico a(storico);
    const testsupport::Uscita u = lancia({"convalida", "--archivio", a.archivio, "--rilevazione", "Numeri", "--numeri", "05", "--ruote",
                             "CA", "--operatori", "NUM", "--colpi", "3"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 201u);   // the header and the last 200 references, 31 .. 230
    EXPECT_EQ(campi(r[1])[0], "31");
    EXPECT_EQ(campi(r.back())[0], "230");
}
