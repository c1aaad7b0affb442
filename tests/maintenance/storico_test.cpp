// The official historical file read plain or zipped, refused with a message naming it, and turned into FgImporta rows.
#include "maintenance/FileAggiornamento.h"
#include "maintenance/StoricoUfficiale.h"
#include "storage/ProgramDb.h"
#include "support/StoricoZip.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// Four dates; the first lacks every wheel but Bari, the second has Roma and the Nazionale in the official codes.
const std::string Storico = "2019/12/31\tBA\t5\t17\t90\t1\t44\r\n"
                            "2020/01/02\tRM\t10\t20\t30\t40\t50\r\n"
                            "2020/01/02\tRN\t1\t2\t3\t4\t5\r\n"
                            "2020/01/04\tVE\t9\t8\t7\t6\t5\r\n"
                            "2020/01/07\tBA\t11\t12\t13\t14\t15\r\n";

std::string messaggio(const std::string& percorso)
{
    try {
        grid::Grid g;
        maintenance::caricaStoricoInFgImporta(maintenance::leggiFileStorico(percorso), percorso, g);
    } catch (const maintenance::ErroreStorico& e) {
        return e.what();
    }
    return "accettato";
}

}

TEST(StoricoUfficiale, ZipEdTestoDannoLeStesseRigheDiFgImporta)
{
    testsupport::CartellaTemporanea dir;
    const std::string zip = dir.scrivi("storico.zip", testsupport::zipDi({{"LEGGIMI/", ""}, {"storico.txt", Storico}}));
    const std::string txt = dir.scrivi("storico.txt", Storico);
    grid::Grid daZip, daTesto;
    ASSERT_EQ(maintenance::caricaStoricoInFgImporta(maintenance::leggiFileStorico(zip), zip, daZip), 4);
    maintenance::caricaStoricoInFgImporta(maintenance::leggiFileStorico(txt), txt, daTesto);
    EXPECT_EQ(daZip.comeTesto("\n"), daTesto.comeTesto("\n"));
    EXPECT_EQ(daZip.testo(1, maintenance::ColonnaData), "31/12/2019");
    EXPECT_EQ(daZip.testo(1, maintenance::PrimaColonnaRuote), "05-17-90-01-44");
    EXPECT_EQ(daZip.testo(1, maintenance::PrimaColonnaRuote + 1), "");
    EXPECT_EQ(daZip.testo(2, maintenance::ColonnaData), "02/01/2020");
    EXPECT_EQ(daZip.testo(2, maintenance::PrimaColonnaRuote + 7), "10-20-30-40-50");
    EXPECT_EQ(daZip.testo(2, maintenance::PrimaColonnaRuote + 10), "01-02-03-04-05");
    EXPECT_EQ(daZip.testo(4, maintenance::PrimaColonnaRuote), "11-12-13-14-15");

    // The text is found beside a picture, whatever the case of its name.
    const std::string accanto = dir.scrivi("accanto.zip", testsupport::zipDi({{"logo.png", std::string("\x89PNG\0\0", 6)},
                                                                              {"STORICO.TXT", Storico}}));
    grid::Grid daAccanto;
    EXPECT_EQ(maintenance::caricaStoricoInFgImporta(maintenance::leggiFileStorico(accanto), accanto, daAccanto), 4);

    grid::Grid dal;
    EXPECT_EQ(maintenance::caricaStoricoInFgImporta(maintenance::leggiFileStorico(zip), zip, dal, "04/01/2020"), 2);
    EXPECT_EQ(dal.testo(1, maintenance::ColonnaData), "04/01/2020");
}

TEST(StoricoUfficiale, FileRifiutatiConUnMessaggioCheLiNomina)
{
    testsupport::CartellaTemporanea dir;
    std::string intero = testsupport::zipDi({{"storico.txt", Storico + Storico + Storico}});
    std::string guasto = intero;
    guasto[51] = static_cast<char>(guasto[51] ^ 0x55);   // inside the deflated data: the checksum fails
    const std::string immagine("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    struct Caso {
        const char* nome;
        std::string contenuto;
        const char* atteso;
    } casi[] = {
        {"troncato.zip", intero.substr(0, intero.size() / 2), "non è un archivio zip valido"},
        {"guasto.zip", guasto, "non è un archivio zip valido"},
        {"vuoto.zip", std::string("PK\x05\x06", 4) + std::string(18, '\0'), "non contiene un file di testo"},   // no entry
        {"foto.zip", testsupport::zipDi({{"foto.png", immagine}}), "\"foto.png\", che non è un file di testo"},
        {"due.zip", testsupport::zipDi({{"a.png", immagine}, {"b.png", immagine}}), "non contiene un file di testo"},
        {"grande.zip", testsupport::zipDi({{"storico.txt", std::string(maintenance::DimensioneMassimaStorico + 1, '1')}}), "supera 16 MB"},
        {"pagina.txt", "<html><body>Servizio non disponibile</body></html>\n", "non è nel formato dell'archivio storico"},
        {"numeri.txt", "2020/01/02\tBA\t1\t2\t3\t4\t91\n", "Riga 1"},
        {"vuoto.txt", "\r\n", "non contiene estrazioni"},
    };
    for (const auto& c : casi) {
        const std::string percorso = dir.scrivi(c.nome, c.contenuto);
        const std::string m = messaggio(percorso);
        EXPECT_NE(m.find("\"" + percorso + "\""), std::string::npos) << c.nome << ": " << m;
        EXPECT_NE(m.find(c.atteso), std::string::npos) << c.nome << ": " << m;
    }
    EXPECT_NE(messaggio(dir.file("manca.zip")).find("non esiste o non si può aprire"), std::string::npos);
}

TEST(StoricoUfficiale, IndirizzoDallaConfigurazioneOQuelloDiOggi)
{
    testsupport::CartellaTemporanea dir;
    auto db = storage::ApriDatabaseProgramma(dir.percorso().string());
    const std::string oggi = "https://www.brightstarlottery.it/STORICO_ESTRAZIONI_LOTTO/storico.zip";
    storage::ScriviParametro(db, "StoricoUfficiale", " http://specchio.example.org/storico.zip ");
    EXPECT_EQ(maintenance::indirizzoStoricoUfficiale(db), "http://specchio.example.org/storico.zip");
    storage::ScriviParametro(db, "StoricoUfficiale", "");
    EXPECT_EQ(maintenance::indirizzoStoricoUfficiale(db), oggi);
    db.esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'StoricoUfficiale'");
    EXPECT_EQ(maintenance::indirizzoStoricoUfficiale(db), oggi);
    EXPECT_TRUE(maintenance::indirizzoRete("HTTPS://esempio.org/s.zip"));
    EXPECT_FALSE(maintenance::indirizzoRete("/home/utente/http://s.zip"));
}
