// velmora-cli aggiornamento, controlla and esporta, run in-process on two small archives.
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using testsupport::lancia;

// Four draws; the first lacks the Nazionale.
const char* const Storico =
    "2019/12/31\tBA\t5\t17\t90\t1\t44\r\n"
    "2020/01/02\tRM\t10\t20\t30\t40\t50\r\n"
    "2020/01/02\tRN\t1\t2\t3\t4\t5\r\n"
    "2020/01/04\tVE\t9\t8\t7\t6\t5\r\n"
    "2020/01/07\tBA\t11\t12\t13\t14\t15\r\n";

std::string leggi(const std::string& percorso)
{
    std::ifstream f(percorso, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

}

TEST(CliAggiornamento, FilePubblicatoControllatoEApplicatoAUnArchivioPiuVecchio)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("storico.txt", Storico);
    const std::string completo = dir.file("completo.db");
    ASSERT_EQ(lancia({"importa-storico", storico, completo}).codice, 0);
    // The older archive stops at 02/01/2020.
    const std::string vecchio = dir.file("vecchio.db");
    const std::string storicoVecchio = dir.scrivi("vecchio.txt", "2019/12/31\tBA\t5\t17\t90\t1\t44\r\n"
                                                                     "2020/01/02\tRM\t10\t20\t30\t40\t50\r\n"
                                                                     "2020/01/02\tRN\t1\t2\t3\t4\t5\r\n");
    ASSERT_EQ(lancia({"importa-storico", storicoVecchio, vecchio}).codice, 0);

    auto e = lancia({"aggiornamento", completo, "--dal", "02/01/2020"});
    ASSERT_EQ(e.codice, 0) << e.err;
    ASSERT_EQ(e.out.size(), 3u * 180u);
    const std::string prima = e.out.substr(0, 180);
    EXPECT_EQ(prima.substr(0, 11), "02/01/2020 ");
    EXPECT_EQ(prima.substr(11, 14), "              ");   // Bari not drawn on that date in this file
    EXPECT_EQ(prima.substr(116, 14), "10-20-30-40-50");     // Roma at position 117
    EXPECT_EQ(prima.substr(161, 14), "01-02-03-04-05");     // Nazionale at 162
    EXPECT_EQ(prima.substr(176), "pr\r\n");
    const std::string file = dir.scrivi("agg.txt", e.out);

    e = lancia({"controlla", vecchio, file});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, "Manca estrazione del: 07/01/2020\nManca estrazione del: 04/01/2020\nNessuna anomalia rilevata\n");

    e = lancia({"controlla", vecchio, file, "--applica"});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, "Manca estrazione del: 07/01/2020\nManca estrazione del: 04/01/2020\nNessuna anomalia rilevata\n"
                     "Aggiunta estrazione del 04/01/2020\nAggiunta estrazione del 07/01/2020\naggiunti N° 2 record\n");
    e = lancia({"info", vecchio});
    EXPECT_EQ(e.out, "{\"estrazioni\":4,\"prima\":\"31/12/2019\",\"ultima\":\"07/01/2020\"}\n");

    // The whole published archive now matches.
    const std::string tutto = dir.scrivi("tutto.txt", lancia({"aggiornamento", completo}).out);
    e = lancia({"controlla", vecchio, tutto});
    EXPECT_EQ(e.out, "Nessuna anomalia rilevata\n");
}

TEST(CliAggiornamento, ChiamateEFileSbagliati)
{
    testsupport::CartellaTemporanea dir;
    const std::string db = dir.file("a.db");
    ASSERT_EQ(lancia({"importa-storico", dir.scrivi("s.txt", Storico), db}).codice, 0);
    EXPECT_EQ(lancia({"aggiornamento", db, "--dal", "31/02/2020"}).codice, 2);
    EXPECT_EQ(lancia({"controlla", db}).codice, 2);
    EXPECT_EQ(lancia({"controlla", db, "x.txt", "--correggi"}).codice, 2);
    const std::string errato = dir.scrivi("errato.txt", std::string(177, ' ') + "pr\r\n");
    auto e = lancia({"controlla", db, errato});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("Attenzione, sembra che il file non sia del formato corretto"), std::string::npos) << e.err;
    EXPECT_NE(e.err.find(errato), std::string::npos) << e.err;
    EXPECT_EQ(lancia({"esporta", "calvesto", db, dir.file("x")}).codice, 2);
    EXPECT_EQ(lancia({"esporta", "numeris3", db, dir.file("manca/x.iii")}).codice, 1);
}

TEST(CliAggiornamento, EsportazioniUnRecordOUnaRigaPerEstrazione)
{
    testsupport::CartellaTemporanea dir;
    const std::string db = dir.file("a.db");
    ASSERT_EQ(lancia({"importa-storico", dir.scrivi("s.txt", Storico), db}).codice, 0);
    const std::string iii = dir.file("Dati.iii");
    auto e = lancia({"esporta", "numeris3", db, iii});
    ASSERT_EQ(e.codice, 0) << e.err;
    const std::string dati = leggi(iii);
    ASSERT_EQ(dati.size(), 4u * 110u);
    EXPECT_EQ(dati.substr(0, 6), std::string("\x1f\0\x0c\0\x13\0", 6));   // 31, 12, 19
    EXPECT_EQ(dati.substr(6, 10), "0517900144");
    const std::string naz = dir.file("naz.txt");
    ASSERT_EQ(lancia({"esporta", "nazionale", db, naz}).codice, 0);
    EXPECT_EQ(leggi(naz), "00002-0102030405\r\n");
    const std::string q = dir.file("q.txt");
    ASSERT_EQ(lancia({"esporta", "quintavo", db, q}).codice, 0);
    const std::string quintavo = leggi(q);
    ASSERT_EQ(quintavo.size(), 4u * 114u);
    EXPECT_EQ(quintavo.substr(101, 6), "191231");
}
