// CREA ARCHIVIO DA FILE STORICO through the session: the zip the official site publishes is taken as it was saved.
#include "session/Sessione.h"
#include "support/StoricoZip.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(SessioneStorico, ArchivioCreatoDalloZipESelezionato)
{
    testsupport::CartellaTemporanea dir;
    archive::Archivio a;
    session::Sessione s(dir.percorso().string(), a);
    const std::string zip = dir.scrivi("storico.zip", testsupport::zipDi({{"storico.txt", "2020/01/02\tBA\t1\t2\t3\t4\t5\r\n"
                                                                                           "2020/01/04\tRM\t6\t7\t8\t9\t10\r\n"}}));
    const auto esito = s.creaDaStorico(zip, dir.file("nuovo.db"), false);
    EXPECT_EQ(esito.estrazioni, 2);
    EXPECT_EQ(esito.ultima, "04/01/2020");
    EXPECT_EQ(s.percorsoArchivio(), dir.file("nuovo.db"));

    const std::string rotto = dir.scrivi("rotto.zip", testsupport::zipDi({{"storico.txt", "x"}}).substr(0, 20));
    try {
        s.creaDaStorico(rotto, dir.file("altro.db"), false);
        FAIL() << "uno zip troncato è stato accettato";
    } catch (const archive::ErroreImportazione& e) {
        EXPECT_NE(std::string(e.what()).find("\"" + rotto + "\" non è un archivio zip valido"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("altro.db")));
}
