// velmora-cli aggiorna-da-storico against an HTTP server on 127.0.0.1 serving zips the test builds, and importa-storico of a zip.
#include "archive/ArchivioDimostrativo.h"
#include "maintenance/StoricoUfficiale.h"
#include "storage/DrawsDb.h"
#include "support/Cli.h"
#include "support/StoricoZip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

// velmora-cli fetches an address only when built with Qt (the HTTP fetch is Qt's).
#ifdef VELMORA_RETE
constexpr bool conRete = true;
#else
constexpr bool conRete = false;
#endif

namespace {

using testsupport::lancia;

// Every stored draw: its date and the eleven wheel fields.
std::vector<std::string> estrazioni(const std::string& percorso)
{
    auto db = storage::ApriArchivio(percorso);
    auto s = db.prepara("SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz FROM EstrazioniLotto ORDER BY 1");
    std::vector<std::string> r;
    while (s.avanza()) {
        std::string riga;
        for (int c = 0; c < 12; ++c)
            riga += s.testo(c) + '|';
        r.push_back(riga);
    }
    return r;
}

int contaRighe(const std::string& testo, const std::string& inizio)
{
    int n = 0;
    for (const auto& r : testsupport::righe(testo))
        n += r.rfind(inizio, 0) == 0;
    return n;
}

// The demonstration archive, its official text zipped, and a copy one month behind with one draw changed by hand.
struct Banco {
    Banco()
    {
        // The server is ours on the loopback: no proxy of the machine stands between.
#ifdef _WIN32
        ::_putenv_s("no_proxy", "127.0.0.1,localhost");
#else
        ::setenv("no_proxy", "127.0.0.1,localhost", 1);
#endif
        completo = dir.file("completo.db");
        archive::CreaArchivioDimostrativo(completo);
        auto db = storage::ApriArchivio(completo);
        zip = testsupport::zipDi({{"storico.txt", testsupport::testoUfficialeDi(db)}});
        auto s = db.prepara("SELECT date(max(DataEstrazione), '-1 month'), count(*) FROM EstrazioniLotto");
        s.avanza();
        limite = s.testo(0);
        indietro = dir.file("indietro.db");
        std::filesystem::copy_file(completo, indietro);
        auto i = storage::ApriArchivio(indietro);
        auto togli = i.prepara("DELETE FROM EstrazioniLotto WHERE DataEstrazione > ?1");
        togli.lega(1, limite);
        togli.esegui();
        mancanti = i.modificate();
        i.esegui("UPDATE EstrazioniLotto SET Ba = '01-02-03-04-05' WHERE DataEstrazione = '2001-02-03'");
        cambiate = i.modificate();
    }
    testsupport::CartellaTemporanea dir;
    std::string completo, indietro, zip, limite;
    int mancanti = 0;
    int cambiate = 0;
};

}

TEST(CliStorico, UnMeseIndietroPortatoInParieUgualeAUnaImportazioneNuova)
{
    if (!conRete)
        GTEST_SKIP() << "velmora-cli compilata senza Qt non scarica";
    Banco b;
    ASSERT_GT(b.mancanti, 5);
    ASSERT_EQ(b.cambiate, 1);
    testsupport::ServerHttp server({{"/STORICO/storico.zip", b.zip}});
    const std::string url = server.indirizzo("/STORICO/storico.zip");

    // The check alone: the missing month and the draw changed by hand, nothing written.
    const auto controllo = lancia({"aggiorna-da-storico", b.indietro, url});
    ASSERT_EQ(controllo.codice, 0) << controllo.err;
    EXPECT_EQ(contaRighe(controllo.out, "Manca estrazione del: "), b.mancanti);
    EXPECT_EQ(testsupport::righe(controllo.out).back(), "Errori Estrazione del 03/02/2001");
    const auto prima = estrazioni(b.indietro);

    // --dal limits the check to the draws from that date on.
    const auto dal = lancia({"aggiorna-da-storico", b.indietro, url, "--dal", "01/01/2002"});
    EXPECT_EQ(contaRighe(dal.out, "Errori Estrazione"), 0);
    EXPECT_EQ(testsupport::righe(dal.out).back(), "Nessuna anomalia rilevata");

    const auto applica = lancia({"aggiorna-da-storico", b.indietro, url, "--applica"});
    ASSERT_EQ(applica.codice, 0) << applica.err;
    EXPECT_EQ(testsupport::righe(applica.out).back(), "aggiunti N° " + std::to_string(b.mancanti) + " record");
    EXPECT_EQ(estrazioni(b.indietro).size(), prima.size() + static_cast<std::size_t>(b.mancanti));
    // The changed draw is still as the user left it: corrected only when asked.
    const auto ancora = lancia({"aggiorna-da-storico", b.indietro, url});
    EXPECT_EQ(testsupport::righe(ancora.out), std::vector<std::string>({"Errori Estrazione del 03/02/2001"}));

    const auto corregge = lancia({"aggiorna-da-storico", b.indietro, url, "--applica", "--correggi"});
    ASSERT_EQ(corregge.codice, 0) << corregge.err;
    EXPECT_NE(corregge.out.find("Modificata estrazione del 03/02/2001"), std::string::npos) << corregge.out;

    // A fresh import of the same zip, from the file as the user saved it.
    const std::string salvato = b.dir.scrivi("storico.zip", b.zip);
    const std::string nuovo = b.dir.file("nuovo.db");
    ASSERT_EQ(lancia({"importa-storico", salvato, nuovo}).codice, 0);
    EXPECT_EQ(estrazioni(b.indietro), estrazioni(nuovo));
    EXPECT_EQ(estrazioni(nuovo), estrazioni(b.completo));
}

TEST(CliStorico, OgniGuastoHaIlSuoMessaggioENonCambiaNulla)
{
    if (!conRete)
        GTEST_SKIP() << "velmora-cli compilata senza Qt non scarica";
    Banco b;
    std::string guasto = b.zip;
    guasto.resize(guasto.size() - 30);   // the end record is cut off
    const std::string immagine("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    testsupport::ServerHttp server({{"/guasto.zip", guasto},
                                    {"/foto.zip", testsupport::zipDi({{"foto.png", immagine}})},
                                    {"/grande.zip", testsupport::zipDi({{"storico.txt", std::string(maintenance::DimensioneMassimaStorico + 10, '7')}})}});
    const auto prima = estrazioni(b.indietro);
    const struct {
        std::string url;
        std::string atteso;
    } casi[] = {
        {server.indirizzo("/guasto.zip"), "non è un archivio zip valido"},
        {server.indirizzo("/foto.zip"), "che non è un file di testo"},
        {server.indirizzo("/grande.zip"), "supera 16 MB"},
        {server.indirizzo("/manca.zip"), "Collegamento al sito"},
        {server.indirizzo("/manca.zip"), "il server ha risposto 404"},
        {testsupport::indirizzoIrraggiungibile(), "collegamento non riuscito (collegamento rifiutato)"},   // in Italian, not Qt's English
    };
    for (const auto& c : casi) {
        const auto u = lancia({"aggiorna-da-storico", b.indietro, c.url, "--applica", "--correggi"});
        EXPECT_EQ(u.codice, 1) << c.url;
        EXPECT_NE(u.err.find(c.atteso), std::string::npos) << u.err;
        EXPECT_NE(u.err.find(c.url), std::string::npos) << u.err;
        EXPECT_EQ(u.out, "");
    }
    EXPECT_EQ(estrazioni(b.indietro), prima);
}

// The official file holds every draw: one cut short at a line end (the last draws gone, the last day
// without its last wheels) is said to be incomplete, draw by draw, and a correction empties nothing.
TEST(CliStorico, FileTroncatoAFineRigaDettoIncompletoENessunaRuotaSvuotata)
{
    testsupport::CartellaTemporanea dir;
    std::string testo;
    for (int g = 1; g <= 4; ++g)
        for (const char* ruota : {"BA", "MI", "RN"})
            testo += testsupport::rigaStorico(2026, 8, 10 + g, ruota, {g, 10 + g, 20 + g, 30 + g, 40 + g});
    const std::string archivio = dir.file("a.db");
    ASSERT_EQ(lancia({"importa-storico", dir.scrivi("intero.txt", testo), archivio}).codice, 0);
    const auto prima = estrazioni(archivio);

    // Cut after Bari of the third day, with Bari of that day changed: the fourth day and two wheels gone.
    std::string tagliato = testo.substr(0, testo.find("2026/08/13"));
    tagliato += testsupport::rigaStorico(2026, 8, 13, "BA", {1, 2, 3, 4, 5});
    const auto u = lancia({"aggiorna-da-storico", archivio, dir.scrivi("tagliato.txt", tagliato), "--applica", "--correggi"});
    EXPECT_EQ(u.codice, 0) << u.err;
    const auto righe = testsupport::righe(u.out);
    EXPECT_NE(std::find(righe.begin(), righe.end(),
                        "Il file non contiene l'estrazione del 14/08/2026, presente nell'archivio: il file è incompleto"),
              righe.end()) << u.out;
    EXPECT_NE(std::find(righe.begin(), righe.end(),
                        "Estrazione del 13/08/2026: il file non ha le ruote di Milano, Nazionale, presenti nell'archivio "
                        "(restano come sono)"),
              righe.end()) << u.out;
    EXPECT_EQ(std::find(righe.begin(), righe.end(), "Nessuna anomalia rilevata"), righe.end()) << u.out;
    auto dopo = estrazioni(archivio);
    ASSERT_EQ(dopo.size(), prima.size());
    EXPECT_EQ(dopo[2], "2026-08-13|01-02-03-04-05||||03-13-23-33-43||||||03-13-23-33-43|") << "Bari corrected, the rest kept";
    dopo[2] = prima[2];
    EXPECT_EQ(dopo, prima);
}

// Dates no draw can have are wrong lines of the historical file, named by line; nothing is written.
TEST(CliStorico, DateImplausibiliRifiutateNominandoLaRiga)
{
    testsupport::CartellaTemporanea dir;
    const std::string buona = testsupport::rigaStorico(2020, 1, 4, "BA", {1, 2, 3, 4, 5});
    for (const auto& [anno, motivo] : {std::pair{1, "anteriore al 1939"}, std::pair{1938, "anteriore al 1939"},
                                       std::pair{2088, "più di un anno dopo la data di oggi"},
                                       std::pair{9999, "più di un anno dopo la data di oggi"}}) {
        SCOPED_TRACE(anno);
        const std::string archivio = dir.file("a" + std::to_string(anno) + ".db");
        const auto u = lancia({"importa-storico",
                               dir.scrivi("s.txt", buona + testsupport::rigaStorico(anno, 6, 1, "BA", {1, 2, 3, 4, 5})),
                               archivio});
        EXPECT_EQ(u.codice, 1);
        EXPECT_NE(u.err.find("Riga 2 del file storico non valida: la data "), std::string::npos) << u.err;
        EXPECT_NE(u.err.find(motivo), std::string::npos) << u.err;
        EXPECT_FALSE(std::filesystem::exists(archivio));
    }
}
