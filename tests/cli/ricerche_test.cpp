// velmora-cli ambate and abbinamenti: output layout, options, exit codes.
#include "support/ArchivioReale.h"
#include "support/Cli.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;
using testsupport::righe;
using testsupport::Uscita;

const std::string Intestazione = "  \tCop\tTot\tFormula\tP1\tR\t Ru1\tFix4\tOperatore\tP2\tR2\tRu2\tVal   \tAttesi\tp";
const std::string RigaVuota = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
// The one case (draw 3) has seven colpi on Cagliari (draws 4..10): a blind number covers it
// with 1 - (17/18)^7 = 0.330; two numbers needing an ambo with 1 - (1 - 20/8010)^7 = 0.017.
const std::string CasoAmbata = "\t0,3\t0,330";
const std::string CasoAmbo = "\t0,0\t0,017";

// Ten draws of January 2020: Bari d, 10+d, 20+d, 30+d, 40+d; Cagliari always 60..64.
// With the detection "Numeri" of 03 on Bari, draw 3 is the only case.
class CliRicerche : public testsupport::SuiteConArchivio<CliRicerche> {
public:
    static std::string storico() { return testsupport::storicoDieciEstrazioni(); }

protected:
    static std::vector<std::string> base(const std::string& comando)
    {
        return {comando, "--archivio", archivio, "--rilevazione", "Numeri", "--numeri", "03", "--ruote", "CA"};
    }
};

TEST_F(CliRicerche, AmbateStampaTutteLeRighe)
{
    auto args = base("ambate");
    args.insert(args.end(), {"--operatori", "NUM,DEC"});
    const Uscita u = lancia(args);
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 101u);
    EXPECT_EQ(r[0], Intestazione + "\tAmbata");
    // NUM on Cagliari gives 60..64, out on Cagliari at the first colpo; positions in order.
    // The ambata is NUM on the reference draw (draw 10): Cagliari's number at that position.
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(r[static_cast<std::size_t>(p)], "\t1\t1\tNUM\t" + std::to_string(p) + "\t1\tCA\t\t1\t\t\t\t"
                                                      + CasoAmbata + "\t" + std::to_string(59 + p));
    EXPECT_EQ(r[6], RigaVuota);
    EXPECT_EQ(r[100], RigaVuota);
    // The five tie at the top, each playing its own number: said in words on standard error.
    EXPECT_NE(u.err.find("5 formule a pari merito, 5 ambate diverse"), std::string::npos) << u.err;

    // The only case already covered: nothing is left to verify, and the command says so
    // instead of printing a table of empty rows.
    args.insert(args.end(), {"--casi-scoperti", file("coperti.txt", "1\n\n")});
    const Uscita coperti = lancia(args);
    EXPECT_EQ(coperti.codice, 1);
    EXPECT_TRUE(coperti.out.empty()) << coperti.out;
    EXPECT_NE(coperti.err.find("tutti i casi sono segnati come già coperti"), std::string::npos) << coperti.err;
}

TEST_F(CliRicerche, AbbinamentiVerificaIlLivelloECercaLAmbo)
{
    auto args = base("abbinamenti");
    const std::string piramide = file("piramide.txt", "1\tNUM\t1\t1\tCA\t\t\t0\n");
    args.insert(args.end(), {"--operatori", "NUM", "--piramide", piramide, "--livello", "1", "--sorte", "2"});
    const Uscita u = lancia(args);
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 101u);
    EXPECT_EQ(r[0], Intestazione + "\tAbbinato");
    // The level plays 60; NUM of Cagliari 2..5 adds 61..64: an ambo on Cagliari.
    for (int p = 2; p <= 5; ++p)
        EXPECT_EQ(r[static_cast<std::size_t>(p - 1)], "\t1\t1\tNUM\t" + std::to_string(p) + "\t1\tCA\t\t1\t\t\t\t"
                                                          + CasoAmbo + "\t" + std::to_string(59 + p));
    EXPECT_EQ(r[5], RigaVuota);

    args.back() = "3";
    const Uscita terno = lancia(args);
    ASSERT_EQ(terno.codice, 0) << terno.err;
    EXPECT_EQ(righe(terno.out)[1], RigaVuota);
}

TEST_F(CliRicerche, IlFileDellaPiramideELoStessoDiCalcola)
{
    // The brick file calcola reads: a wheel as an index or as any code it accepts
    // (lower case, the historical RN), with the same result.
    auto conPiramide = [&](const std::string& nome, const std::string& contenuto) {
        auto args = base("abbinamenti");
        args.insert(args.end(), {"--operatori", "NUM", "--piramide", file(nome, contenuto), "--livello", "2",
                                 "--sorte", "2"});
        return lancia(args);
    };
    const Uscita sigle = conPiramide("sigle.txt", "2\tNUM\t1\t1\tca\t\t\t0\n3\tNUM\t1\t1\tRN\t\t\t0\n");
    ASSERT_EQ(sigle.codice, 0) << sigle.err;
    const Uscita indici = conPiramide("indici.txt", "2\tNUM\t1\t1\t1\t\t\t0\n3\tNUM\t1\t1\t10\t\t\t0\n");
    ASSERT_EQ(indici.codice, 0) << indici.err;
    EXPECT_EQ(sigle.out, indici.out);
    EXPECT_EQ(righe(sigle.out)[1].rfind("\t1\t1\tNUM\t2\t1\tCA\t\t1\t\t\t\t\t", 0), 0u);
    // A wheel index outside 0..10 is refused while reading, not left to the verification.
    const Uscita fuori = conPiramide("fuori.txt", "2\tNUM\t1\t1\t11\t\t\t0\n");
    EXPECT_EQ(fuori.codice, cli::EsitoErroreDati);
    EXPECT_NE(fuori.err.find("ruota fuori intervallo"), std::string::npos);
}

TEST_F(CliRicerche, ConfrontoConCasiACaso)
{
    auto args = base("ambate");
    args.insert(args.end(), {"--operatori", "NUM", "--colpi", "3", "--confronto-caso", "4"});
    const Uscita u = lancia(args);
    ASSERT_EQ(u.codice, 0) << u.err;
    // Cases come from draws 1..7 (their three colpi before the reference, draw 10); on this
    // archive Cagliari always repeats 60..64, so NUM of Cagliari covers every random case.
    EXPECT_NE(u.err.find("Migliore a caso (4 prove su 1 casi, tutti verificabili): mediana 1, massimo 1; raggiunge 1 nel 100% delle prove"),
              std::string::npos)
        << u.err;
    EXPECT_EQ(u.err.back(), '\n');
    // The table is the same with or without the comparison.
    args.resize(args.size() - 2);
    EXPECT_EQ(lancia(args).out, u.out);
    args.insert(args.end(), {"--confronto-caso", "-1"});
    EXPECT_EQ(lancia(args).codice, cli::EsitoErroreUso);
}

TEST_F(CliRicerche, ErroriDUsoEDiDati)
{
    auto ambate = base("ambate");
    EXPECT_EQ(lancia(ambate).codice, cli::EsitoErroreUso);   // no --operatori
    auto sconosciuto = ambate;
    sconosciuto.insert(sconosciuto.end(), {"--operatori", "SOM,XYZ"});
    const Uscita u = lancia(sconosciuto);
    EXPECT_EQ(u.codice, cli::EsitoErroreUso);
    EXPECT_NE(u.err.find("XYZ"), std::string::npos);
    auto coperti = ambate;
    coperti.insert(coperti.end(), {"--operatori", "tutti", "--casi-scoperti", file("male.txt", "uno\n")});
    EXPECT_EQ(lancia(coperti).codice, cli::EsitoErroreDati);
    coperti.back() = (cartella / "manca.txt").string();
    EXPECT_EQ(lancia(coperti).codice, cli::EsitoErroreDati);

    auto abbinamenti = base("abbinamenti");
    abbinamenti.insert(abbinamenti.end(), {"--operatori", "SOM", "--livello", "1", "--sorte", "2"});
    EXPECT_EQ(lancia(abbinamenti).codice, cli::EsitoErroreUso);   // no --piramide
    auto sorte = abbinamenti;
    sorte.insert(sorte.end(), {"--piramide", file("p.txt", "1\tNUM\t1\t1\t1\t\t\t0\n")});
    sorte[sorte.size() - 3] = "4";
    EXPECT_EQ(lancia(sorte).codice, cli::EsitoErroreUso);
    auto malformata = abbinamenti;
    malformata.insert(malformata.end(), {"--piramide", file("q.txt", "1\tNUM\t1\n")});
    EXPECT_EQ(lancia(malformata).codice, cli::EsitoErroreDati);
}

TEST(CliRicercheArchivioReale, AmbateSuTuttoIlCatalogo)
{
    const std::string& archivio = testsupport::databaseReale();
    if (archivio.empty())
        GTEST_SKIP() << "archivio storico non disponibile";
    const Uscita u = lancia({"ambate", "--archivio", archivio, "--ruote", "tutte", "--ncasi", "50", "--colpi", "20",
                             "--lista", "1000", "--mensile", "U", "--forza-ultima", "--operatori", "tutti"});
    ASSERT_EQ(u.codice, 0) << u.err;
    const auto r = righe(u.out);
    ASSERT_EQ(r.size(), 1001u);
    // Best first: Cop never grows down the list, and every row is filled.
    double precedente = 1e9;
    for (std::size_t i = 1; i < r.size(); ++i) {
        ASSERT_NE(r[i], RigaVuota);
        const double cop = std::stod(r[i].substr(1, r[i].find('\t', 1) - 1));
        EXPECT_LE(cop, precedente);
        precedente = cop;
    }
}

}
