// The workbench options of velmora-cli reach the Banco's typed choices: wheels, operators, covered cases.
#include "cli/ImpostazioniCli.h"
#include "support/Cli.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Twelve draws on Bari and Cagliari, 1 to 24 February 2021.
class CliScelte : public testsupport::SuiteConArchivio<CliScelte> {
public:
    static std::string storico()
    {
        std::string s;
        for (int d = 1; d <= 12; ++d) {
            s += testsupport::rigaStorico(2021, 2, 2 * d, "BA", {d, 10 + d, 20 + d, 30 + d, 40 + d});
            s += testsupport::rigaStorico(2021, 2, 2 * d, "CA", {70 + d, 1, 2, 3, 4});
        }
        return s;
    }

protected:
    // The Banco as `ambate` prepares it from these words.
    static workbench::Banco banco(std::vector<std::string> parole)
    {
        parole.insert(parole.end(), {"--archivio", archivio});
        const cli::Argomenti args(parole, cli::flagBanco());
        const auto a = cli::caricaArchivioCli(args);
        workbench::Banco b;
        cli::leggiImpostazioni(args, *a, b);
        cli::scegliOperatori(args, b);
        EXPECT_FALSE(workbench::RicavaEstrazioni(b, *a));
        cli::marcaCasiScoperti(args, b);
        return b;
    }
};

TEST_F(CliScelte, LeOpzioniArrivanoAiCampi)
{
    const std::string coperti = file("coperti.txt", " 2\r\n\n4\n");
    const auto b = banco({"--ruote", "CA,NA", "--operatori", "SOM,DIFF", "--rilevazione", "Numeri", "--numeri",
                          "01-02-03-04-05", "--forza-ultima", "--casi-scoperti", coperti});
    EXPECT_EQ(b.ruote, (std::array<bool, 11>{false, true, false, false, false, true}));
    EXPECT_EQ(b.operatoriScelti, (std::set<std::string>{"DIFF", "SOM"}));
    ASSERT_EQ(workbench::numeroCasi(b), 5);   // draws 5, 4, 3, 2, 1: Bari's first number
    EXPECT_TRUE(b.forzaUltima);
    EXPECT_EQ(workbench::casiAbilitati(b), (std::vector<bool>{false, true, false, true, false, true}));
    // The search reads the same: the chosen codes among the whole catalogue.
    int scelti = 0;
    for (const auto& op : workbench::operatoriRicerca(b))
        scelti += op.scelto;
    EXPECT_EQ(scelti, 2);
    EXPECT_EQ(workbench::mancaPerRicerca(b, workbench::TipoRicerca::Ambate), std::nullopt);
    EXPECT_TRUE(b.casiScoperti);
}

TEST_F(CliScelte, CasiCopertiEOperatoriTutti)
{
    const std::string coperti = file("coperti2.txt", "1\n3\n");
    const auto b = banco({"--operatori", "tutti", "--ncasi", "4", "--rilevazione", "Numeri", "--numeri", "01-03-05-07",
                          "--casi-scoperti", coperti});
    ASSERT_EQ(workbench::numeroCasi(b), 4);
    EXPECT_EQ(workbench::casiAbilitati(b), (std::vector<bool>{false, false, true, false, true}));
    EXPECT_EQ(b.operatoriScelti.size(), b.operatori.size());
    EXPECT_EQ(b.ruote, (std::array<bool, 11>{true}));   // Bari alone, as the window opens

    // A case that is not there, an unknown code: refused, as the commands refuse them.
    const std::string fuori = file("fuori.txt", "5\n");
    EXPECT_THROW(banco({"--operatori", "tutti", "--ncasi", "4", "--rilevazione", "Numeri", "--numeri", "01-03-05-07",
                        "--casi-scoperti", fuori}),
                 cli::ErroreDati);
    EXPECT_THROW(banco({"--operatori", "SOM,NONCE"}), cli::ErroreUso);
    EXPECT_THROW(banco({"--ruote", "BA"}), cli::ErroreUso);   // no --operatori
}

}
