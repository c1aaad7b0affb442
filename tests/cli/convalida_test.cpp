// velmora-cli convalida: each row is the top row of `ambate --rif R` and its Ambata; layout, totals line, refusals.
#include "archive/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"
#include "storage/ProgramDb.h"
#include "support/Cli.h"
#include "support/RuotaTardiva.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;
using testsupport::righe;
using testsupport::Uscita;

std::vector<std::string> celle(const std::string& riga)
{
    std::vector<std::string> c;
    std::size_t inizio = 0;
    for (std::size_t fine; (fine = riga.find('\t', inizio)) != std::string::npos; inizio = fine + 1)
        c.push_back(riga.substr(inizio, fine - inizio));
    c.push_back(riga.substr(inizio));
    return c;
}

// For each reference, the row of `convalida --dal-rif R --al-rif R` against the first
// row of `ambate --rif R` with the same settings: Cop, Formula, P1, Ru1, P2, Ru2, Val, Ambata.
void confrontaConAmbate(const std::string& archivio, const std::vector<std::string>& impostazioni,
                        const std::vector<int>& riferimenti)
{
    for (int R : riferimenti) {
        auto conv = std::vector<std::string>{"convalida", "--archivio", archivio, "--dal-rif", std::to_string(R),
                                             "--al-rif", std::to_string(R)};
        auto amb = std::vector<std::string>{"ambate", "--archivio", archivio, "--rif", std::to_string(R)};
        conv.insert(conv.end(), impostazioni.begin(), impostazioni.end());
        amb.insert(amb.end(), impostazioni.begin(), impostazioni.end());
        const Uscita c = lancia(conv);
        const Uscita a = lancia(amb);
        ASSERT_EQ(c.codice, 0) << c.err;
        ASSERT_EQ(a.codice, 0) << a.err;
        const auto rc = righe(c.out);
        const auto ra = righe(a.out);
        ASSERT_EQ(rc.size(), 2u);
        ASSERT_GE(ra.size(), 2u);
        const auto x = celle(rc[1]);
        const auto y = celle(ra[1]);
        ASSERT_EQ(x.size(), 13u);
        ASSERT_EQ(y.size(), 16u);
        const std::string dove = "R = " + std::to_string(R);
        EXPECT_EQ(x[0], std::to_string(R));
        EXPECT_EQ(x[2], y[1]) << dove;                                      // Cop
        EXPECT_EQ(x[3], y[3].empty() ? "nessuna formula" : y[3]) << dove;  // Formula
        EXPECT_EQ(x[4], y[4]) << dove;                                      // P1
        EXPECT_EQ(x[5], y[6]) << dove;                                      // Ru1
        EXPECT_EQ(x[6], y[9]) << dove;                                      // P2
        EXPECT_EQ(x[7], y[11]) << dove;                                     // Ru2
        EXPECT_EQ(x[8], y[12]) << dove;                                     // Val
        EXPECT_EQ(x[9], y[15]) << dove;                                     // Ambata
    }
}

class CliConvalida : public testsupport::SuiteConArchivio<CliConvalida> {
public:
    static std::string storico() { return testsupport::storicoDieciEstrazioni(); }
};

// The catalogue but PG12: `ambate` ends with "Probabile errore nelle impostazioni" (exit 1, no
// table) whenever a formula cannot be computed on a case, and PG12 never can on some.
std::string catalogoCalcolabile()
{
    std::string codici;
    for (const auto& r : storage::CatalogoPredefinito())
        if (r.operatore != "PG12")
            codici += (codici.empty() ? "" : ",") + r.operatore;
    return codici;
}

// References spread over the archive, that catalogue on every wheel, "Mensile" of each
// reference and a detection by numbers; on the demonstration archive too, always there.
TEST_F(CliConvalida, OgniRigaEQuellaDiAmbate)
{
    testsupport::CartellaTemporanea cartella;
    const std::string demo = cartella.file("demo.db");
    archive::CreaArchivioDimostrativo(demo);
    const std::string operatori = catalogoCalcolabile();
    const std::vector<std::string> mensile = {"--ruote", "tutte", "--operatori", operatori, "--ncasi", "20", "--colpi", "12"};
    const std::vector<std::string> numeri = {"--ruota", "NA", "--ruote", "NA,RO,NZ", "--rilevazione", "Numeri",
                                             "--numeri", "11-44", "--operatori", operatori, "--colpi", "20"};
    confrontaConAmbate(demo, mensile, {40, 1500, 4000, 7350});
    confrontaConAmbate(demo, numeri, {2500, 6000});
    const std::string& reale = testsupport::databaseReale();
    if (reale.empty())
        return;
    confrontaConAmbate(reale, mensile, {25, 900, 2700, 5100, 6800, 7360});
    confrontaConAmbate(reale, numeri, {3000, 7000});
}

TEST_F(CliConvalida, TabellaTotaliERifiuti)
{
    // Ten draws; Numeri 03 on Bari finds draw 3; Cagliari (60..64 every time) in play.
    const std::vector<std::string> base = {"convalida", "--archivio", archivio, "--rilevazione", "Numeri", "--numeri",
                                           "03", "--ruote", "CA", "--operatori", "NUM", "--colpi", "3"};
    auto args = base;
    args.insert(args.end(), {"--dal-rif", "3", "--al-rif", "8"});
    const Uscita u = lancia(args);
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 7u);
    EXPECT_EQ(r[0], "Rif\tData\tCop\tFormula\tP1\tRu1\tP2\tRu2\tVal\tAmbata\tColpo\tProb\tPari merito");
    // R = 3: the case has no colpo yet. R = 4: NUM of Cagliari 1 covers it; its ambata 60
    // comes out at once, with 1 - (85/90)^3 of chance. R = 8: two colpi left, out at the first.
    // NUM of Cagliari 1..5 tie (Cop 1, Tot 1), each playing its own number.
    EXPECT_EQ(r[1], "3\t06/01/2020\t\tnessuna formula\t\t\t\t\t\t\t\t0,158\t");
    EXPECT_EQ(r[2], "4\t08/01/2020\t1\tNUM\t1\tCA\t\t\t\t60\t1\t0,158\t5 formule, 5 ambate");
    EXPECT_EQ(r[6], "8\t16/01/2020\t1\tNUM\t1\tCA\t\t\t\t60\t1\t0,108\t5 formule, 5 ambate");
    // Four counted references (4..7), all out; chance 4 x 0.158 and 0.158^4 = 0.0006; every
    // one chosen among ties playing different ambate.
    const auto e = righe(u.err);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e.back(), "Riferimenti: 4; ambate uscite: 4 (100,0%); attese a caso: 0,6 (15,8%); "
                        "p: 0,001; copertura media nei casi: 100,0%; scelte fra pari merito con ambate diverse: 4");
    EXPECT_EQ(e.front().rfind("Verdetto: il metodo è uscito più spesso del caso (4 uscite su 4 contro 0,6 attese a "
                              "caso; p = 0,001",
                              0),
              0u)
        << e.front();

    auto uso = [&](std::vector<std::string> extra) {
        auto a = base;
        a.insert(a.end(), extra.begin(), extra.end());
        return lancia(a);
    };
    EXPECT_EQ(uso({"--dal-rif", "6", "--al-rif", "5"}).codice, 2);
    EXPECT_EQ(uso({"--dal-rif", "0", "--al-rif", "5"}).codice, 2);
    EXPECT_EQ(uso({"--dal-rif", "2", "--al-rif", "11"}).codice, 2);
    EXPECT_EQ(uso({"--rif", "5"}).codice, 2);
    EXPECT_EQ(uso({"--colpi", "21"}).codice, 2);
    const Uscita senzaNumeri = lancia({"convalida", "--archivio", archivio, "--rilevazione", "Numeri", "--operatori", "NUM"});
    EXPECT_EQ(senzaNumeri.codice, 2);
    const Uscita fuori = uso({"--dal-rif", "2", "--al-rif", "11"});
    EXPECT_NE(fuori.err.find("i riferimenti devono essere fra 1 e 10"), std::string::npos) << fuori.err;
}

// Without --dal-rif the replay takes exactly the 200 references up to --al-rif (the last
// draw without it).
TEST_F(CliConvalida, DuecentoRiferimentiPredefiniti)
{
    testsupport::CartellaTemporanea cartella;
    const std::string demo = cartella.file("demo.db");
    archive::CreaArchivioDimostrativo(demo);
    const std::vector<std::string> base = {"convalida", "--archivio", demo, "--operatori", "NUM", "--ncasi", "3", "--colpi", "2"};
    const Uscita u = lancia(base);
    ASSERT_EQ(u.codice, 0) << u.err;
    auto r = righe(u.out);
    ASSERT_EQ(r.size(), 201u);
    const int ultimo = std::stoi(celle(r.back())[0]);
    EXPECT_EQ(std::stoi(celle(r[1])[0]), ultimo - 199);
    auto fino = base;
    fino.insert(fino.end(), {"--al-rif", "1000"});
    r = righe(lancia(fino).out);
    ASSERT_EQ(r.size(), 201u);
    EXPECT_EQ(celle(r[1])[0], "801");
    EXPECT_EQ(celle(r.back())[0], "1000");
}

// With "Mensile" and one case, the only case is the reference itself: nothing to verify,
// said instead of a table of empty rows, by both commands.
TEST_F(CliConvalida, NienteDaVerificareDettoENonStampato)
{
    const std::vector<std::string> impostazioni = {"--archivio", archivio, "--ncasi", "1", "--operatori", "NUM", "--ruote", "CA"};
    auto ambate = std::vector<std::string>{"ambate", "--rif", "6"};
    ambate.insert(ambate.end(), impostazioni.begin(), impostazioni.end());
    const Uscita a = lancia(ambate);
    EXPECT_EQ(a.codice, 1);
    EXPECT_TRUE(a.out.empty()) << a.out;
    EXPECT_NE(a.err.find("Nessun caso da verificare"), std::string::npos) << a.err;
    auto convalida = std::vector<std::string>{"convalida", "--dal-rif", "2", "--al-rif", "6"};
    convalida.insert(convalida.end(), impostazioni.begin(), impostazioni.end());
    const Uscita c = lancia(convalida);
    EXPECT_EQ(c.codice, 1);
    EXPECT_TRUE(c.out.empty()) << c.out;
    EXPECT_NE(c.err.find("Nessun riferimento conta"), std::string::npos) << c.err;
}

class CliRuotaTardiva : public testsupport::SuiteConArchivio<CliRuotaTardiva> {
public:
    static std::string storico() { return testsupport::storicoRuotaTardiva(); }
};

// The Nazionale drawn from draw 16 on: `ambate` and `convalida` choose the same formula at
// every reference, before 16 no row of either reads the Nazionale, and that is no error.
TEST_F(CliRuotaTardiva, AmbateEConvalidaConcordano)
{
    const std::vector<std::string> impostazioni = {"--ncasi", "6", "--colpi", "4", "--operatori", "tutti"};
    confrontaConAmbate(archivio, impostazioni, {6, 12, 15, 16, 22, 26});
    for (int R : {8, 12, 15}) {
        auto args = std::vector<std::string>{"ambate", "--archivio", archivio, "--rif", std::to_string(R)};
        args.insert(args.end(), impostazioni.begin(), impostazioni.end());
        const Uscita u = lancia(args);
        ASSERT_EQ(u.codice, 0) << u.err;
        for (const auto& riga : righe(u.out)) {
            const auto c = celle(riga);
            ASSERT_GE(c.size(), 12u);
            EXPECT_NE(c[6], "NZ") << riga;
            EXPECT_NE(c[11], "NZ") << riga;
        }
        EXPECT_NE(u.err.find("NZ non estratta in"), std::string::npos) << u.err;
    }
}

}
