// The demonstration archive: the real calendar of the draws, fixed content, valid numbers.
#include "archive/ArchivioDimostrativo.h"
#include "archive/CaricaArchivio.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

using archive::Archivio;

namespace {

// Loads the whole file with the program's own loader.
std::unique_ptr<Archivio> carica(const std::string& percorso)
{
    auto a = std::make_unique<Archivio>();
    a->EstrazioneIniziale = 1;
    archive::CaricaArchivio(*a, percorso);
    return a;
}

int indiceDi(const Archivio& a, const std::string& data)
{
    for (int d = 1; d <= a.NumeroEstrazioni; ++d)
        if (a.DateEstrazioni[d] == data)
            return d;
    return 0;
}

}

TEST(ArchivioDimostrativo, CalendarioRealeENumeriValidi)
{
    testsupport::CartellaTemporanea dir;
    const std::string percorso = dir.percorso().string() + "/Demo.db";
    const auto esito = archive::CreaArchivioDimostrativo(percorso);
    const auto a = carica(percorso);

    ASSERT_EQ(a->NumeroEstrazioni, esito.estrazioni);
    // A full-size archive that still fits the 9999 draws of the tables.
    EXPECT_GT(a->NumeroEstrazioni, 7000);
    EXPECT_LT(a->NumeroEstrazioni, 9999);
    EXPECT_EQ(a->DateEstrazioni[1], "07/01/1939");
    EXPECT_EQ(esito.prima, "07/01/1939");
    EXPECT_EQ(esito.ultima, a->DateEstrazioni[a->NumeroEstrazioni]);
    // 1939: one draw a week, on its 52 Saturdays.
    EXPECT_EQ(a->ProgressivoAnno[indiceDi(*a, "30/12/1939")], 52);
    // Wednesdays from 7 May 1997; three draws a week from July 2005; Fridays from July 2023.
    EXPECT_EQ(indiceDi(*a, "30/04/1997"), 0);
    EXPECT_NE(indiceDi(*a, "07/05/1997"), 0);
    EXPECT_NE(indiceDi(*a, "05/07/2005"), 0);
    EXPECT_EQ(indiceDi(*a, "06/07/2005"), 0);
    EXPECT_NE(indiceDi(*a, "07/07/2023"), 0);
    // Christmas 2004 was a Saturday: its draw moved to the Friday.
    EXPECT_EQ(indiceDi(*a, "25/12/2004"), 0);
    EXPECT_NE(indiceDi(*a, "24/12/2004"), 0);

    const int primaNazionale = indiceDi(*a, "04/05/2005");
    ASSERT_NE(primaNazionale, 0);
    for (int d = 1; d <= a->NumeroEstrazioni; ++d) {
        for (int w = 0; w < archive::NumeroRuote; ++w) {
            std::set<int> numeri;
            for (int p = 1; p <= 5; ++p)
                numeri.insert(a->numero(d, w, p));
            if (w == 10 && d < primaNazionale) {
                ASSERT_EQ(numeri, std::set<int>{0}) << a->DateEstrazioni[d];
                continue;
            }
            ASSERT_EQ(numeri.size(), 5u) << a->DateEstrazioni[d] << " ruota " << w;
            ASSERT_GE(*numeri.begin(), 1);
            ASSERT_LE(*numeri.rbegin(), 90);
        }
    }
}

TEST(ArchivioDimostrativo, SempreLoStessoContenuto)
{
    testsupport::CartellaTemporanea dir;
    archive::OpzioniDimostrativo o;
    o.massimo = 400;
    archive::CreaArchivioDimostrativo(dir.percorso().string() + "/A.db", o);
    archive::CreaArchivioDimostrativo(dir.percorso().string() + "/B.db", o);
    const auto a = carica(dir.percorso().string() + "/A.db");
    const auto b = carica(dir.percorso().string() + "/B.db");
    ASSERT_EQ(a->NumeroEstrazioni, 400);
    ASSERT_EQ(b->NumeroEstrazioni, 400);
    for (int d = 1; d <= 400; ++d)
        for (int w = 0; w < archive::NumeroRuote; ++w)
            for (int p = 1; p <= 5; ++p)
                ASSERT_EQ(a->numero(d, w, p), b->numero(d, w, p));
    // The numbers are spread over the whole range, not stuck on a few.
    std::set<int> visti;
    for (int d = 1; d <= 400; ++d)
        for (int w = 0; w < 10; ++w)
            visti.insert(a->numero(d, w, 1));
    EXPECT_EQ(visti.size(), 90u);

    // Generating again over an existing file replaces it.
    o.massimo = 10;
    archive::CreaArchivioDimostrativo(dir.percorso().string() + "/A.db", o);
    EXPECT_EQ(carica(dir.percorso().string() + "/A.db")->NumeroEstrazioni, 10);
}
