// FgDB and its highlight, the calendar pivot, the date searches; the calendar checked against the loaded dates.
#include "maintenance/Consultazione.h"

#include "archive/ArchivioDimostrativo.h"
#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "support/ArchivioReale.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>

using namespace maintenance;

namespace {

const char* const Ruote[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE"};

std::string giornata(const char* data)
{
    std::string s;
    for (int w = 0; w < 10; ++w)
        s.append(data).append("\t").append(Ruote[w]).append("\t").append(std::to_string(w + 1)).append("\t20\t30\t40\t50\n");
    return s;
}

// Weekday by Zeller's congruence, 1 Sunday .. 7 Saturday: a rule of its own against the calendar's.
int zeller(int anno, int mese, int giorno)
{
    if (mese < 3) {
        mese += 12;
        anno -= 1;
    }
    const int k = anno % 100, j = anno / 100;
    const int h = (giorno + 13 * (mese + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;   // 0 Saturday
    return (h + 6) % 7 + 1;
}

class Consultazione : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 1 June 1961 a Thursday, 5 March 2024 a Tuesday, 6 March 2024 a Wednesday, 6 April 2024 a Saturday.
        const std::string storico = cartella.scrivi(
            "storico.txt", giornata("1961/06/01") + giornata("2023/12/30") + giornata("2024/03/05") + giornata("2024/03/06")
                               + giornata("2024/04/06"));
        const std::string percorso = cartella.file("archivio.db");
        archive::ImportaStorico(storico, percorso);
        db = storage::ApriArchivio(percorso);
        a.EstrazioneIniziale = 1;
        archive::CaricaArchivio(a, db);
    }

    testsupport::CartellaTemporanea cartella;
    storage::Database db;
    archive::Archivio a;
};

// The text of cell (riga, colonna) of the calendar as Fg1 shows it: row 0 the header, row r month r - 1.
std::string cella(const Calendario& calendario, int riga, int colonna)
{
    if (riga == 0)
        return intestazioneCalendario(calendario, colonna);
    return testoCalendario(calendario.mesi.at(static_cast<std::size_t>(riga - 1)), colonna);
}

// Every day cell of the calendars of `anni` against the dates of the loaded archive.
void confrontaCalendari(storage::Database& db, const archive::Archivio& a, int primo, int ultimo)
{
    std::map<int, int> perAnno;
    for (int d = 1; d <= a.NumeroEstrazioni; ++d)
        ++perAnno[std::stoi(a.DateEstrazioni[static_cast<std::size_t>(d)].substr(6, 4))];
    for (int anno = primo; anno <= ultimo; ++anno) {
        const Calendario calendario = CaricaCalendario(db, anno, false);
        const int colonne = PrimaColonnaGiorni + static_cast<int>(calendario.giorni.size());
        int celle = 0;
        for (int r = 1; r <= static_cast<int>(calendario.mesi.size()); ++r)
            for (int c = PrimaColonnaGiorni; c < colonne; ++c) {
                const std::string testo = cella(calendario, r, c);
                if (testo.empty())
                    continue;
                ++celle;
                const auto data = dataCalendario(calendario, r, c);
                ASSERT_TRUE(data.has_value());
                ASSERT_TRUE(cercaDataDallaFine(a, *data).has_value()) << *data;
                ASSERT_EQ(testo, std::to_string(zeller(anno, std::stoi(cella(calendario, r, 2)), std::stoi(cella(calendario, 0, c)))))
                    << *data;
            }
        ASSERT_EQ(celle, perAnno[anno]) << anno;
    }
}

}

TEST_F(Consultazione, RigheDellArchivio)
{
    const auto righe = righeArchivio(db);
    ASSERT_EQ(righe.size(), 5u);
    EXPECT_EQ(testoFgDB(righe[0], 1), "01/06/1961");
    EXPECT_EQ(testoFgDB(righe[4], 1), "06/04/2024");
    EXPECT_EQ(testoFgDB(righe[2], 2), "01-20-30-40-50");
    EXPECT_EQ(testoFgDB(righe[2], 11), "10-20-30-40-50");
    EXPECT_EQ(testoFgDB(righe[2], 12), "");
    // Each wheel's text under its own header.
    std::vector<std::string> titoli;
    for (std::size_t da = 0, fine = 0; fine != std::string_view::npos; da = fine + 1) {
        fine = IntestazioneFgDB.find('|', da);
        titoli.emplace_back(IntestazioneFgDB.substr(da, fine == std::string_view::npos ? fine : fine - da));
    }
    ASSERT_EQ(titoli.size(), static_cast<std::size_t>(ColonneFgDB));
    EXPECT_EQ(titoli[1], "DataEstrazione");
    EXPECT_EQ(titoli[10], "To");
    EXPECT_EQ(testoFgDB(righe[2], 10), "09-20-30-40-50");
    EXPECT_EQ(titoli[12], "Nz");
    EXPECT_EQ(testoFgDB(righe[2], 0), "");
    EXPECT_EQ(testoFgDB(righe[2], ColonneFgDB), "");

    RigaArchivio r;
    EXPECT_EQ(sfondoFgDB(r), grid::colori::Bianco);
    r.evidenziata = true;
    EXPECT_EQ(sfondoFgDB(r), 0x00FFFFu);
}

TEST_F(Consultazione, CalendarioDiUnAnno)
{
    Calendario calendario = CaricaCalendario(db, 2024, false);
    ASSERT_EQ(calendario.mesi.size(), 2u);
    ASSERT_EQ(calendario.giorni, (std::vector<int>{5, 6}));
    EXPECT_EQ(cella(calendario, 0, 1), "A");
    EXPECT_EQ(cella(calendario, 0, 2), "M");
    EXPECT_EQ(cella(calendario, 0, 3), "5");
    EXPECT_EQ(cella(calendario, 0, 4), "6");
    EXPECT_EQ(cella(calendario, 0, 5), "");
    EXPECT_EQ(cella(calendario, 1, 1), "2024");
    EXPECT_EQ(cella(calendario, 1, 2), "3");
    EXPECT_EQ(cella(calendario, 1, 3), "3");
    EXPECT_EQ(cella(calendario, 1, 4), "4");
    EXPECT_EQ(cella(calendario, 2, 2), "4");
    EXPECT_EQ(cella(calendario, 2, 3), "");
    EXPECT_EQ(cella(calendario, 2, 4), "7");
    EXPECT_EQ(sfondoCalendario(1), std::optional<grid::Colore>(0xC0FFFFu));
    EXPECT_EQ(sfondoCalendario(2), std::optional<grid::Colore>(0xC0FFC0u));
    EXPECT_EQ(sfondoCalendario(3), std::nullopt);

    calendario = CaricaCalendario(db, 2024, true);
    EXPECT_EQ(cella(calendario, 1, 3), "M");   // Tuesday
    EXPECT_EQ(cella(calendario, 1, 4), "m");   // Wednesday
    EXPECT_EQ(cella(calendario, 2, 4), "S");

    calendario = CaricaCalendario(db, 1961, false);
    EXPECT_EQ(cella(calendario, 1, 3), "5");   // Thursday

    calendario = CaricaCalendario(db, 2025, true);
    EXPECT_TRUE(calendario.mesi.empty());
    EXPECT_TRUE(calendario.giorni.empty());
}

TEST_F(Consultazione, ClicSulCalendarioERicerchePerData)
{
    const Calendario calendario = CaricaCalendario(db, 2024, false);
    EXPECT_EQ(dataCalendario(calendario, 1, 4), "06/03/2024");
    EXPECT_EQ(cercaDataDallaFine(a, "06/03/2024"), 4);
    // The empty cell of 5 April: a date without a draw.
    EXPECT_EQ(dataCalendario(calendario, 2, 3), "05/04/2024");
    EXPECT_FALSE(cercaDataDallaFine(a, "05/04/2024").has_value());
    EXPECT_FALSE(dataCalendario(calendario, 0, 3).has_value());
    EXPECT_FALSE(dataCalendario(calendario, 1, 2).has_value());
    EXPECT_FALSE(dataCalendario(calendario, 3, 3).has_value());

    EXPECT_FALSE(cercaDataModello(a, "1/6/1961").has_value());
    EXPECT_EQ(cercaDataModello(a, "01/06/1961"), 1);
    EXPECT_FALSE(cercaDataModello(a, "").has_value());

    // A model archive from draw 3: the search names the draw, not the entry, and reads no entry beyond M.
    a.ArchivioModello = {0, 3, 4, 5};
    a.NumeroEstrazioniModello = 3;
    EXPECT_EQ(cercaDataModello(a, "06/03/2024"), 4);
    EXPECT_FALSE(cercaDataModello(a, "01/06/1961").has_value());
    a.NumeroEstrazioniModello = 9;
    EXPECT_EQ(cercaDataModello(a, "06/04/2024"), 5);
}

TEST(ConsultazioneArchivi, CalendarioDimostrativoControLeDate)
{
    testsupport::CartellaTemporanea cartella;
    const std::string percorso = cartella.file("demo.db");
    archive::CreaArchivioDimostrativo(percorso);
    auto db = storage::ApriArchivio(percorso);
    archive::Archivio a;
    a.EstrazioneIniziale = 1;
    archive::CaricaArchivio(a, db);
    confrontaCalendari(db, a, 1939, 2026);
}

TEST(ConsultazioneArchivi, CalendarioRealeControLeDate)
{
    const std::string& percorso = testsupport::databaseReale();
    if (percorso.empty())
        GTEST_SKIP() << "archivio storico non trovato";
    auto db = storage::ApriArchivio(percorso);
    const archive::Archivio& a = *testsupport::archivioReale();
    confrontaCalendari(db, a, 1939, 2026);
    const auto righe = righeArchivio(db);
    ASSERT_EQ(static_cast<int>(righe.size()), a.NumeroEstrazioni);
    EXPECT_EQ(testoFgDB(righe.back(), 1), a.DateEstrazioni[static_cast<std::size_t>(a.NumeroEstrazioni)]);
}
