// The official historical file read plain or zipped, refused with a message naming it, and turned into update rows.
#include "archive/Archivio.h"
#include "maintenance/FileAggiornamento.h"
#include "maintenance/StoricoUfficiale.h"
#include "storage/ProgramDb.h"
#include "support/Storico.h"
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
        maintenance::RigheImporta righe;
        std::string voce;
        const std::string testo = maintenance::leggiFileStorico(percorso, &voce);
        maintenance::caricaRigheStorico(testo, percorso, righe, {}, nullptr, voce);
    } catch (const maintenance::ErroreStorico& e) {
        return e.what();
    }
    return "accettato";
}

}

TEST(StoricoUfficiale, ZipEdTestoDannoLeStesseRighe)
{
    testsupport::CartellaTemporanea dir;
    const std::string zip = dir.scrivi("storico.zip", testsupport::zipDi({{"LEGGIMI/", ""}, {"storico.txt", Storico}}));
    const std::string txt = dir.scrivi("storico.txt", Storico);
    maintenance::RigheImporta daZip, daTesto;
    ASSERT_EQ(maintenance::caricaRigheStorico(maintenance::leggiFileStorico(zip), zip, daZip), 4);
    maintenance::caricaRigheStorico(maintenance::leggiFileStorico(txt), txt, daTesto);
    EXPECT_EQ(daZip, daTesto);
    ASSERT_EQ(daZip.size(), 4u);
    EXPECT_EQ(daZip[0].data, "31/12/2019");
    EXPECT_EQ(daZip[0].ruote[0], "05-17-90-01-44");
    EXPECT_EQ(daZip[0].ruote[1], "");
    EXPECT_EQ(daZip[1].data, "02/01/2020");
    EXPECT_EQ(daZip[1].ruote[7], "10-20-30-40-50");
    EXPECT_EQ(daZip[1].ruote[10], "01-02-03-04-05");
    EXPECT_EQ(daZip[3].ruote[0], "11-12-13-14-15");

    // The text is found beside a picture, whatever the case of its name.
    const std::string accanto = dir.scrivi("accanto.zip", testsupport::zipDi({{"logo.png", std::string("\x89PNG\0\0", 6)},
                                                                              {"STORICO.TXT", Storico}}));
    maintenance::RigheImporta daAccanto;
    EXPECT_EQ(maintenance::caricaRigheStorico(maintenance::leggiFileStorico(accanto), accanto, daAccanto), 4);

    maintenance::RigheImporta dal;
    EXPECT_EQ(maintenance::caricaRigheStorico(maintenance::leggiFileStorico(zip), zip, dal, "04/01/2020"), 2);
    EXPECT_EQ(dal[0].data, "04/01/2020");
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

namespace {

// A zip whose one entry is packed with LZMA (written by another zip tool): readable by many, not by this program.
const std::string ZipLzma(
    "\x50\x4b\x03\x04\x3f\x00\x02\x00\x0e\x00\xef\xb8\x88\x5d\x5b\xc1\xd2\x1c\x2d\x00\x00\x00\x1d\x00"
    "\x00\x00\x0b\x00\x00\x00\x73\x74\x6f\x72\x69\x63\x6f\x2e\x74\x78\x74\x09\x04\x05\x00\x5d\x00\x00"
    "\x80\x00\x00\x18\x8e\x42\xac\x74\x9e\x44\x10\xb5\x9c\xe5\xf3\x41\xe1\x85\x5c\x5e\x0f\x83\xd4\x31"
    "\x1c\xc6\x13\xeb\xa2\x1c\xd3\x29\x47\xff\xfe\x20\xe4\x00\x50\x4b\x01\x02\x3f\x03\x3f\x00\x02\x00"
    "\x0e\x00\xef\xb8\x88\x5d\x5b\xc1\xd2\x1c\x2d\x00\x00\x00\x1d\x00\x00\x00\x0b\x00\x00\x00\x00\x00"
    "\x00\x00\x00\x00\x00\x00\x80\x01\x00\x00\x00\x00\x73\x74\x6f\x72\x69\x63\x6f\x2e\x74\x78\x74\x50"
    "\x4b\x05\x06\x00\x00\x00\x00\x01\x00\x01\x00\x39\x00\x00\x00\x56\x00\x00\x00\x00\x00",
    165);


}

// A zip packed in a way the program cannot read is "not supported", not "damaged"; a wrong line of a
// zipped text names the entry it was read from.
TEST(StoricoUfficiale, ZipNonSupportatoEVoceNominata)
{
    testsupport::CartellaTemporanea dir;
    const struct {
        const char* nome;
        std::string contenuto;
        const char* atteso;
    } casi[] = {
        {"lzma.zip", ZipLzma, "\"storico.txt\" compresso con un metodo non supportato"},
        {"cifrato.zip", testsupport::zipDi({{"storico.txt", Storico}}, "segreta"), "\"storico.txt\" protetto da password: uno zip cifrato non è supportato"},
        {"riga.zip", testsupport::zipDi({{"dati/estrazioni.txt", Storico + "2020/01/09\tBA\t1\t2\t3\t4\t99\n"}}),
         "Riga 6 di \"dati/estrazioni.txt\" non valida: numero non valido \"99\""},
        {"lunga.zip", testsupport::zipDi({{"dati/estrazioni.txt", Storico + std::string(5000, '1')}}),
         "\"dati/estrazioni.txt\": la riga 6 è più lunga di 4096 caratteri"},
    };
    for (const auto& c : casi) {
        const std::string percorso = dir.scrivi(c.nome, c.contenuto);
        const std::string m = messaggio(percorso);
        EXPECT_NE(m.find("\"" + percorso + "\""), std::string::npos) << c.nome << ": " << m;
        EXPECT_NE(m.find(c.atteso), std::string::npos) << c.nome << ": " << m;
        EXPECT_EQ(m.find("danneggiato"), std::string::npos) << c.nome << ": " << m;
    }
}

// More days than an archive holds are refused as such, before a row is built for each; millions of
// empty lines cost nothing and say what they are.
TEST(StoricoUfficiale, PiuGiorniDiQuantiNeContieneUnArchivioRifiutati)
{
    testsupport::CartellaTemporanea dir;
    maintenance::RigheImporta righe;
    const std::string pieno = dir.scrivi("pieno.txt", testsupport::giorniConsecutivi(archive::MaxEstrazioni, 1));
    EXPECT_EQ(maintenance::caricaRigheStorico(maintenance::leggiFileStorico(pieno), pieno, righe), archive::MaxEstrazioni);
    const std::string troppi = dir.scrivi("troppi.zip", testsupport::zipDi({{"storico.txt", testsupport::giorniConsecutivi(archive::MaxEstrazioni + 1, 1)}}));
    const std::string m = messaggio(troppi);
    EXPECT_NE(m.find("\"" + troppi + "\" contiene più di 9999 estrazioni"), std::string::npos) << m;
    const std::string vuote = dir.scrivi("vuote.zip", testsupport::zipDi({{"storico.txt", std::string(8u << 20, '\n')}}));
    EXPECT_NE(messaggio(vuote).find("non contiene estrazioni"), std::string::npos) << messaggio(vuote);
}
