// The three exports byte by byte on a hand-made archive, the Numeris 3 file over a longer one, the Quintavo folder.
#include "maintenance/Esportazioni.h"

#include "storage/ProgramDb.h"
#include "support/Avanzamenti.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace maintenance;

namespace {

std::string leggi(const std::string& percorso)
{
    std::ifstream f(percorso, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

int intero16(const std::string& s, std::size_t i)
{
    return static_cast<std::int16_t>(static_cast<unsigned char>(s[i]) | (static_cast<unsigned char>(s[i + 1]) << 8));
}

// Draw 1 on 10/06/1961, draw 2 on 05/01/2000, draw 3 on 12/03/2005 with the Nazionale.
archive::Archivio piccolo()
{
    archive::Archivio a;
    const char* date[] = {"", "10/06/1961", "05/01/2000", "12/03/2005"};
    for (int d = 1; d <= 3; ++d) {
        a.DateEstrazioni[static_cast<std::size_t>(d)] = date[d];
        for (int w = 0; w < 10; ++w)
            for (int p = 1; p <= 5; ++p)
                a.setNumero(d, w, p, static_cast<std::int16_t>(w * 5 + p + d));
    }
    const std::int16_t bari[] = {5, 17, 90, 1, 44};
    for (int p = 1; p <= 5; ++p) {
        a.setNumero(1, 0, p, bari[p - 1]);
        a.setNumero(3, 10, p, bari[p - 1]);
    }
    a.ProgressivoMese[1] = 2;
    a.ProgressivoAnno[1] = 23;
    a.ProgressivoMese[2] = 1;
    a.ProgressivoAnno[2] = 1;
    a.ProgressivoMese[3] = 3;
    a.ProgressivoAnno[3] = 104;
    a.NumeroEstrazioni = 3;
    return a;
}

}

TEST(Esportazioni, RecordNumeris3LittleEndianConCifreDiTesto)
{
    const auto a = piccolo();
    const std::string r = recordNumeris3(a, 1);
    ASSERT_EQ(r.size(), 110u);
    EXPECT_EQ(intero16(r, 0), 10);
    EXPECT_EQ(intero16(r, 2), 6);
    EXPECT_EQ(intero16(r, 4), 61);
    EXPECT_EQ(r.substr(6, 10), "0517900144");   // Bari first
    EXPECT_EQ(r.substr(16, 10), "0708091011");  // then Cagliari: 6..10 + 1
    EXPECT_EQ(r.substr(96, 10), "4748495051");  // Venezia, the last of the ten
    EXPECT_EQ(intero16(r, 106), 2);
    EXPECT_EQ(intero16(r, 108), 23);
    const std::string r2 = recordNumeris3(a, 2);
    EXPECT_EQ(intero16(r2, 4), 0);   // the year 2000
    EXPECT_EQ(intero16(r2, 0), 5);
    EXPECT_EQ(intero16(recordNumeris3(a, 3), 108), 104);
}

TEST(Esportazioni, RigaQuintavoConAnnoMeseGiornoEProgressiviADueCifre)
{
    const auto a = piccolo();
    const std::string r = rigaQuintavo(a, 1);
    ASSERT_EQ(r.size(), 110u);
    EXPECT_EQ(r.substr(0, 10), "0517900144");
    EXPECT_EQ(r.substr(100), "6106100223");
    EXPECT_EQ(rigaQuintavo(a, 2).substr(100, 6), "000105");
    EXPECT_EQ(rigaQuintavo(a, 3).substr(106), "03104");   // at least two digits, not exactly two
}

TEST(Esportazioni, RigheNazionaleSaltanoLeEstrazioniSenzaETengonoLIndice)
{
    auto a = piccolo();
    EXPECT_EQ(rigaNazionale(a, 1), "");
    EXPECT_EQ(rigaNazionale(a, 3), "00003-0517900144");
    a.NumeroEstrazioni = 7123;
    for (int p = 1; p <= 5; ++p)
        a.setNumero(7123, 10, p, a.numero(3, 10, p));
    EXPECT_EQ(rigaNazionale(a, 7123), "07123-0517900144");

    testsupport::CartellaTemporanea dir;
    const std::string file = dir.file("naz.txt");
    ASSERT_TRUE(esporta(a, FormatoEsportazione::Nazionale, file));
    EXPECT_EQ(leggi(file), "00003-0517900144\r\n07123-0517900144\r\n");
}

TEST(Esportazioni, FileConEsattamenteLeEstrazioniDellArchivio)
{
    const auto a = piccolo();
    testsupport::CartellaTemporanea dir;
    const std::string iii = dir.scrivi("Dati.iii", std::string(5000, 'X'));
    testsupport::AvanzamentoRegistrato av;
    ASSERT_TRUE(esporta(a, FormatoEsportazione::Numeris3, iii, &av));
    const auto passi = av.barra(1);
    const std::string dati = leggi(iii);
    ASSERT_EQ(dati.size(), 330u);   // the stale records of the longer file are gone
    EXPECT_EQ(dati.substr(110, 110), recordNumeris3(a, 2));
    EXPECT_TRUE(passi.empty());   // three draws: no tenth draw to report

    const std::string q = dir.file("DATI32.III");
    ASSERT_TRUE(esporta(a, FormatoEsportazione::Quintavo, q));
    const std::string testo = leggi(q);
    // "0#" lets the yearly ordinal 104 of draw 3 take three digits.
    ASSERT_EQ(testo.size(), 3u * 114u + 1u);
    EXPECT_EQ(testo.substr(0, 114), std::string("\"").append(rigaQuintavo(a, 1)).append("\"\r\n"));

    // A folder that does not exist: nothing written, the caller says so.
    EXPECT_FALSE(esporta(a, FormatoEsportazione::Quintavo, dir.file("manca/DATI32.III")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("manca")));
    // Nothing is left beside the files.
    int file = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.percorso()))
        ++file;
    EXPECT_EQ(file, 2);
}

TEST(Esportazioni, CartellaQuintavoDallaConfigurazioneODallaCasa)
{
    testsupport::CartellaTemporanea dir;
    auto db = storage::ApriDatabaseProgramma(dir.percorso().string());
    // The default is written with the system's separator.
#ifdef _WIN32
    const std::string casa = "C:\\Users\\Nicolò", predefinita = "C:\\Users\\Nicolò\\NUMERIS3";
#else
    const std::string casa = "/casa/utente", predefinita = "/casa/utente/NUMERIS3";
#endif
    EXPECT_EQ(cartellaQuintavo(db, casa), predefinita);
    storage::ScriviParametro(db, "PercorsoQuintavo", "/dati/quintavo");
    EXPECT_EQ(cartellaQuintavo(db, casa), "/dati/quintavo");
    // A program database made before the row existed.
    db.esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'PercorsoQuintavo'");
    EXPECT_EQ(cartellaQuintavo(db, casa), predefinita);
    storage::Database chiuso;
    EXPECT_EQ(cartellaQuintavo(chiuso, casa), predefinita);
}
