// The import of the historical file: malformed lines, overwriting, and the real archive.
#include "archive/ImportaStorico.h"
#include "storage/DrawsDb.h"
#include "support/Avanzamenti.h"
#include "support/Storico.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

using archive::Archivio;
using archive::ErroreImportazione;
using archive::ImportaStorico;

namespace {

bool cartellaVuotaTranne(const testsupport::CartellaTemporanea& dir, const std::string& unico)
{
    for (const auto& voce : std::filesystem::directory_iterator(dir.percorso()))
        if (voce.path().filename() != unico)
            return false;
    return true;
}

const char* const StoricoPiccolo =
    "2020/01/04\tBA\t5\t17\t90\t1\t44\r\n"
    "\r\n"
    "2020/01/04\tRM\t10\t20\t30\t40\t50\r\n"
    "2020/01/02\tRN\t1\t2\t3\t4\t5\r\n"
    "   \n"
    "2020/01/02\tBA\t06\t07\t08\t09\t10";   // no line break at the end

}

TEST(ImportaStorico, FilePiccoloConCrlfERigheVuote)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("storico.txt", StoricoPiccolo);
    testsupport::AvanzamentoRegistrato avanzamento;
    const auto esito = ImportaStorico(storico, dir.file("a.db"), false, &avanzamento);
    const auto passi = avanzamento.barra(1);
    EXPECT_EQ(esito.estrazioni, 2);
    EXPECT_EQ(esito.prima, "02/01/2020");
    EXPECT_EQ(esito.ultima, "04/01/2020");
    ASSERT_FALSE(passi.empty());
    EXPECT_EQ(passi.back().first, passi.back().second) << "the bar ends full";

    Archivio a;
    a.EstrazioneIniziale = 1;
    archive::CaricaArchivio(a, dir.file("a.db"));
    ASSERT_EQ(a.NumeroEstrazioni, 2);
    EXPECT_EQ(a.numero(1, 0, 1), 6);
    EXPECT_EQ(a.numero(1, 10, 5), 5);
    EXPECT_EQ(a.numero(2, 7, 3), 30) << "RM is Roma";
    EXPECT_EQ(a.numero(2, 10, 1), 0) << "a wheel absent on a date stays empty";
    EXPECT_EQ(a.numero(2, 1, 1), 0);

    storage::Database db = storage::ApriArchivio(dir.file("a.db"));
    auto s = db.prepara("SELECT Ba, Ca, Nz FROM EstrazioniLotto WHERE DataEstrazione = ?1");
    s.lega(1, "2020-01-04");
    ASSERT_TRUE(s.avanza());
    EXPECT_EQ(s.testo(0), "05-17-90-01-44");
    EXPECT_EQ(s.testo(1), "");
    EXPECT_EQ(s.testo(2), "");
}

TEST(ImportaStorico, RigheErrateFermanoTuttoENonScrivonoNulla)
{
    const std::string buona = "2020/01/04\tTO\t5\t17\t90\t1\t44\n";
    const std::string dopo = "2020/01/07\tTO\t5\t17\t90\t1\t44\n";
    const std::vector<std::pair<std::string, std::string>> casi = {
        {"2020/01/04\tBA\t5\t17\t91\t1\t44\n", "91"},
        {"2020/01/04\tBA\t5\t17\t0\t1\t44\n", "\"0\""},
        {"2020/01/04\tBA\t5\t17\t-3\t1\t44\n", "-3"},
        {"2020/01/04\tBA\t5\t17\tx\t1\t44\n", "\"x\""},
        {"2020/01/04\tCA\t5\t17\t5\t1\t44\n", "ripetuto"},
        {"2020/01/04\tTO\t1\t2\t3\t4\t6\n", "Torino compare due volte"},
        {"2020/02/30\tCA\t1\t2\t3\t4\t6\n", "data"},
        {"04/01/2020\tCA\t1\t2\t3\t4\t6\n", "data"},
        {"2020/01/04\tXX\t1\t2\t3\t4\t6\n", "ruota"},
        {"2020/01/04\tba\t1\t2\t3\t4\t6\n", "ruota"},   // the official file writes capitals
        {"2020/01/04\tRMA\t1\t2\t3\t4\t6\n", "ruota"},
        {"2020/01/04\tCA\t1\t2\t3\t4\n", "7 campi"},
        {"2020/01/04\tCA\t1\t2\t3\t4\t6\t7\n", "7 campi"},
        {"2020/01/04 CA 1 2 3 4 6\n", "7 campi"},
    };
    for (const auto& [errata, atteso] : casi) {
        testsupport::CartellaTemporanea dir;
        const std::string storico = dir.scrivi("storico.txt", buona + "\n" + errata + dopo);
        try {
            ImportaStorico(storico, dir.file("a.db"));
            ADD_FAILURE() << "accettata: " << errata;
        } catch (const ErroreImportazione& e) {
            const std::string messaggio = e.what();
            EXPECT_NE(messaggio.find("Riga 3 "), std::string::npos) << messaggio;
            EXPECT_NE(messaggio.find("\"" + storico + "\""), std::string::npos) << messaggio;
            EXPECT_NE(messaggio.find(atteso), std::string::npos) << messaggio;
        }
        EXPECT_TRUE(cartellaVuotaTranne(dir, "storico.txt")) << errata;
    }
}

TEST(ImportaStorico, FileEsistenteSostituitoSoloSeRichiesto)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("storico.txt", StoricoPiccolo);
    const std::string esistente = dir.scrivi("a.db", "non toccare");
    EXPECT_THROW(ImportaStorico(storico, esistente), ErroreImportazione);
    {
        std::ifstream f(esistente);
        std::string t;
        std::getline(f, t);
        EXPECT_EQ(t, "non toccare");
    }

    // A failed replacement keeps the previous archive as it was.
    ImportaStorico(storico, esistente, true);
    const std::string errato = dir.scrivi("errato.txt", "2020/01/09\tBA\t1\t2\t3\t4\t99\n");
    EXPECT_THROW(ImportaStorico(errato, esistente, true), ErroreImportazione);
    Archivio a;
    a.EstrazioneIniziale = 1;
    archive::CaricaArchivio(a, esistente);
    EXPECT_EQ(a.NumeroEstrazioni, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file(".a.db.importazione")));

    EXPECT_THROW(ImportaStorico(dir.file("manca.txt"), dir.file("b.db")), ErroreImportazione);
    EXPECT_THROW(ImportaStorico(dir.scrivi("vuoto.txt", "\r\n\r\n"), dir.file("b.db")), ErroreImportazione);
    EXPECT_FALSE(std::filesystem::exists(dir.file("b.db")));
}

TEST(ImportaStorico, FermataDuranteLaScritturaNonLasciaNulla)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("storico.txt", StoricoPiccolo);
    ImportaStorico(storico, dir.file("a.db"));
    // Three lines: reading takes steps 1..3 of 6, writing 4..6; the stop comes with the
    // first draw written, so the replacement stops half-way; the same stopped progress
    // then stops a new import at its first line.
    testsupport::AvanzamentoRegistrato avanzamento;
    avanzamento.allaChiamata = [](testsupport::AvanzamentoRegistrato& av, const auto& passo) {
        if (passo.valore > 3)
            av.ferma();
    };
    const std::string altro = dir.scrivi("altro.txt", "2021/03/02\tBA\t1\t2\t3\t4\t5\n2021/03/04\tBA\t1\t2\t3\t4\t6\n"
                                                       "2021/03/06\tBA\t1\t2\t3\t4\t7\n");
    EXPECT_THROW(ImportaStorico(altro, dir.file("a.db"), true, &avanzamento), avanzamento::Interrotto);
    EXPECT_EQ(avanzamento.barra(1).back(), std::make_pair(4, 6));
    EXPECT_THROW(ImportaStorico(altro, dir.file("b.db"), false, &avanzamento), avanzamento::Interrotto);
    // The archive being replaced is as it was, the new one was never created.
    EXPECT_FALSE(std::filesystem::exists(dir.file("b.db")));
    EXPECT_FALSE(std::filesystem::exists(dir.file(".a.db.importazione")));
    EXPECT_FALSE(std::filesystem::exists(dir.file(".b.db.importazione")));
    Archivio a;
    a.EstrazioneIniziale = 1;
    archive::CaricaArchivio(a, dir.file("a.db"));
    EXPECT_EQ(a.NumeroEstrazioni, 2);
    EXPECT_EQ(a.DateEstrazioni[2], "04/01/2020");
}

// A copy re-saved by a Windows editor starts with the UTF-8 mark; a folder given
// as the file is unreadable, not an empty file.
TEST(ImportaStorico, SegnoUtf8InizialeECartellaAlPostoDelFile)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("bom.txt", "\xEF\xBB\xBF" + std::string(StoricoPiccolo));
    const auto esito = ImportaStorico(storico, dir.file("a.db"));
    EXPECT_EQ(esito.estrazioni, 2);
    EXPECT_EQ(esito.prima, "02/01/2020");

    try {
        ImportaStorico(dir.percorso().string(), dir.file("b.db"));
        ADD_FAILURE() << "una cartella importata come file storico";
    } catch (const ErroreImportazione& e) {
        EXPECT_NE(std::string(e.what()).find("Impossibile leggere"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("b.db")));
}

// The real archive, imported once for the whole test program.
class ArchivioReale : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string storico = testsupport::percorsoStorico();
        if (storico.empty())
            return;
        dir_ = std::make_unique<testsupport::CartellaTemporanea>();
        esito_ = ImportaStorico(storico, dir_->file("storico.db"));
        archivio_ = std::make_unique<Archivio>();
        archivio_->EstrazioneIniziale = 1;
        archive::CaricaArchivio(*archivio_, dir_->file("storico.db"));
    }
    static void TearDownTestSuite()
    {
        archivio_.reset();
        dir_.reset();
    }
    void SetUp() override
    {
        if (!archivio_)
            GTEST_SKIP() << "archivio storico non disponibile";
    }
    // Draw index of a date, 0 when absent.
    static int indice(const std::string& data)
    {
        for (int d = 1; d <= archivio_->NumeroEstrazioni; ++d)
            if (archivio_->DateEstrazioni[d] == data)
                return d;
        return 0;
    }
    static bool ruotaVuota(int d, int w)
    {
        for (int p = 1; p <= 5; ++p)
            if (archivio_->numero(d, w, p) != 0)
                return false;
        return true;
    }

    static inline std::unique_ptr<testsupport::CartellaTemporanea> dir_;
    static inline archive::EsitoImportazione esito_;
    static inline std::unique_ptr<Archivio> archivio_;
};

TEST_F(ArchivioReale, ConteggioEstremi)
{
    EXPECT_EQ(esito_.estrazioni, 7370);
    EXPECT_EQ(esito_.prima, "07/01/1939");
    EXPECT_EQ(esito_.ultima, "21/08/2026");
    const Archivio& a = *archivio_;
    EXPECT_EQ(a.NumeroEstrazioni, 7370);
    EXPECT_EQ(a.NumeroEstrazioniModello, 7370);
    EXPECT_EQ(a.DateEstrazioni[1], "07/01/1939");
    EXPECT_EQ(a.DateEstrazioni[7370], "21/08/2026");
    // 1939/01/07 BA 58 22 47 49 69 and RM 73 24 4 39 22; 2026/08/21 RN 51 89 82 70 37.
    const std::array<int, 5> bari = {58, 22, 47, 49, 69}, roma = {73, 24, 4, 39, 22}, nazionale = {51, 89, 82, 70, 37};
    for (int p = 1; p <= 5; ++p) {
        EXPECT_EQ(a.numero(1, 0, p), bari[static_cast<std::size_t>(p - 1)]);
        EXPECT_EQ(a.numero(1, 7, p), roma[static_cast<std::size_t>(p - 1)]);
        EXPECT_EQ(a.numero(7370, 10, p), nazionale[static_cast<std::size_t>(p - 1)]);
    }
    for (int d = 2; d <= a.NumeroEstrazioni; ++d)
        ASSERT_LT(storage::DataPerDb(a.DateEstrazioni[d - 1]), storage::DataPerDb(a.DateEstrazioni[d])) << d;
}

TEST_F(ArchivioReale, RuoteAssenti)
{
    const int inizioCaGe = indice("08/07/1939");
    const int inizioNz = indice("04/05/2005");
    ASSERT_GT(inizioCaGe, 1);
    ASSERT_GT(inizioNz, inizioCaGe);
    for (int d = 1; d < inizioCaGe; ++d) {
        EXPECT_TRUE(ruotaVuota(d, 1)) << archivio_->DateEstrazioni[d];
        EXPECT_TRUE(ruotaVuota(d, 3)) << archivio_->DateEstrazioni[d];
    }
    EXPECT_FALSE(ruotaVuota(inizioCaGe, 1));
    EXPECT_FALSE(ruotaVuota(inizioCaGe, 3));
    // Wartime draws without Cagliari, Palermo and Roma.
    const int guerra = indice("18/09/1943");
    ASSERT_GT(guerra, 0);
    EXPECT_TRUE(ruotaVuota(guerra, 1));
    EXPECT_TRUE(ruotaVuota(guerra, 6));
    EXPECT_FALSE(ruotaVuota(guerra, 7));
    for (int d = 1; d <= archivio_->NumeroEstrazioni; ++d)
        EXPECT_EQ(ruotaVuota(d, 10), d < inizioNz) << archivio_->DateEstrazioni[d];
    EXPECT_EQ(archivio_->numero(inizioCaGe, 1, 1), 52);
    EXPECT_EQ(archivio_->numero(inizioNz, 10, 1), 72);
}
