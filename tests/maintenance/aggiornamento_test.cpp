// Update files: the format test, the loading into rows, the check's verdicts and lines, how FgImporta shows them, AGGIORNAMENTO on a small archive.
#include "maintenance/Aggiornamento.h"
#include "maintenance/FileAggiornamento.h"
#include "maintenance/Lacune.h"

#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"
#include "support/Avanzamenti.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

using namespace maintenance;

namespace {

const char* const Codici[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "RN"};

// Wheel w of the draw numbered `k` holds k+w*5+1 .. k+w*5+5 (mod 90).
int numero(int k, int w, int p) { return (k + w * 5 + p - 1) % 90 + 1; }

std::string campo(int k, int w)
{
    char s[48];
    std::snprintf(s, sizeof s, "%02d-%02d-%02d-%02d-%02d", numero(k, w, 1), numero(k, w, 2), numero(k, w, 3),
                  numero(k, w, 4), numero(k, w, 5));
    return s;
}

// A historical-file day for draw k on "AAAA/MM/GG"; the Nazionale only when asked.
std::string giornata(const std::string& data, int k, bool nazionale)
{
    std::string s;
    for (int w = 0; w < (nazionale ? 11 : 10); ++w) {
        s += data + "\t" + Codici[w];
        for (int p = 1; p <= 5; ++p)
            s.append("\t").append(std::to_string(numero(k, w, p)));
        s += "\n";
    }
    return s;
}

// An update line written out column by column: date, blank, eleven 14-character fields with a
// blank after each, the tag.
std::string riga(const std::string& data, const std::vector<std::string>& campi, const std::string& tag = "pr")
{
    std::string r = data + " ";
    for (int w = 0; w < 11; ++w) {
        std::string c = w < static_cast<int>(campi.size()) ? campi[static_cast<std::size_t>(w)] : std::string();
        c.resize(14, ' ');
        r += c + " ";
    }
    return r + tag;
}

std::vector<std::string> campiDi(int k, bool nazionale = true)
{
    std::vector<std::string> c;
    for (int w = 0; w < 11; ++w)
        c.push_back(w == 10 && !nazionale ? std::string() : campo(k, w));
    return c;
}

class Aggiornamento : public ::testing::Test {
protected:
    // Three stored draws: 05/03 and 07/03/2024 with the Nazionale, 09/03/2024 without it.
    void SetUp() override
    {
        const std::string storico = cartella.scrivi(
            "storico.txt", giornata("2024/03/05", 1, true) + giornata("2024/03/07", 2, true) + giornata("2024/03/09", 3, false));
        percorso = cartella.file("archivio.db");
        archive::ImportaStorico(storico, percorso);
        db = storage::ApriArchivio(percorso);
        a.EstrazioneIniziale = 1;
        archive::CaricaArchivio(a, db);
    }

    void carica(const std::string& testo)
    {
        std::istringstream in(testo);
        caricaRigheAggiornamento(in, righe);
    }
    // FgImporta as the window shows the checked rows.
    void mostra() { scriviFgImporta(righe, FgImporta); }
    std::string stored(const std::string& iso, const char* nome)
    {
        auto s = db.prepara(std::string("SELECT ") + nome + " FROM EstrazioniLotto WHERE DataEstrazione = ?1");
        s.lega(1, iso);
        return s.avanza() ? s.testo(0) : "<nessuna riga>";
    }
    int righeTabella()
    {
        auto s = db.prepara("SELECT count(*) FROM EstrazioniLotto");
        s.avanza();
        return static_cast<int>(s.intero(0));
    }

    testsupport::CartellaTemporanea cartella;
    std::string percorso;
    storage::Database db;
    archive::Archivio a;
    grid::Grid FgImporta;
    RigheImporta righe;
    std::vector<std::string> List4;
};

}

TEST(FileAggiornamento, ProvaDelFormatoSolo178CaratteriFinaliPr)
{
    const std::string buona = riga("05/03/2024", campiDi(1));
    ASSERT_EQ(buona.size(), 178u);
    EXPECT_TRUE(formatoAggiornamento(buona));
    EXPECT_TRUE(formatoAggiornamento(buona + "\r"));
    EXPECT_FALSE(formatoAggiornamento(buona.substr(1)));   // 177
    EXPECT_FALSE(formatoAggiornamento(std::string(" ").append(buona)));       // 179
    EXPECT_FALSE(formatoAggiornamento(riga("05/03/2024", campiDi(1), "PR")));
    EXPECT_FALSE(formatoAggiornamento(riga("05/03/2024", campiDi(1), "xx")));
    EXPECT_FALSE(formatoAggiornamento(""));
}

TEST(FileAggiornamento, FileRifiutatoDallaPrimaRigaERigheConservate)
{
    testsupport::CartellaTemporanea dir;
    RigheImporta r(1);
    r[0].data = "vecchia";
    const std::string corta = dir.scrivi("corta.txt", riga("05/03/2024", campiDi(1)).substr(0, 177) + "\r\n");
    EXPECT_EQ(caricaFileAggiornamento(corta, r, true), EsitoFileAggiornamento::FormatoErrato);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].data, "vecchia");
    // Without the test (the downloaded copy) the same file loads.
    EXPECT_EQ(caricaFileAggiornamento(corta, r, false), EsitoFileAggiornamento::Caricato);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].data, "05/03/2024");
    EXPECT_EQ(caricaFileAggiornamento(dir.file("manca.txt"), r, true), EsitoFileAggiornamento::NonLeggibile);
    // Only the first line is tested: a short second line loads with truncated texts.
    const std::string misto =
        dir.scrivi("misto.txt", riga("05/03/2024", campiDi(1)) + "\r\n" + riga("07/03/2024", campiDi(2)).substr(0, 30) + "\r\n");
    ASSERT_EQ(caricaFileAggiornamento(misto, r, true), EsitoFileAggiornamento::Caricato);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].ruote[0], "03-04-05-06-07");
    EXPECT_EQ(r[1].ruote[1], "08-0");
    EXPECT_EQ(r[1].ruote[2], "");
}

TEST(FileAggiornamento, RigheVuoteEACapoFinaleNonAggiungonoRighe)
{
    RigheImporta r;
    std::istringstream in(riga("05/03/2024", campiDi(1)) + "\r\n\r\n" + riga("07/03/2024", campiDi(2, false)) + "\r\n");
    caricaRigheAggiornamento(in, r);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].data, "05/03/2024");
    EXPECT_EQ(r[0].ruote[0], "02-03-04-05-06");
    EXPECT_EQ(r[0].ruote[10], "52-53-54-55-56");
    EXPECT_EQ(r[0].azione, Azione::Lascia);   // loaded, not checked
    EXPECT_EQ(r[1].data, "07/03/2024");
    EXPECT_EQ(r[1].ruote[10], "");   // a blank column is the empty stored field

    // FgImporta shows them under its header, in the columns of the date and of the wheels.
    grid::Grid g;
    scriviFgImporta(r, g);
    ASSERT_EQ(g.righe(), 3);
    EXPECT_EQ(g.colonne(), 13);
    EXPECT_EQ(g.testo(0, 1), "Data");
    EXPECT_EQ(g.testo(0, 12), "Nazionale");
    EXPECT_EQ(g.testo(1, 1), "05/03/2024");
    EXPECT_EQ(g.testo(1, 2), "02-03-04-05-06");
    EXPECT_EQ(g.testo(2, 12), "");
}

TEST(FileAggiornamento, TestiDiRuotaMemorizzabili)
{
    for (const char* buono : {"", "05-17-90-01-44", "01-02-03-04-05"})
        EXPECT_TRUE(campoRuotaValido(buono)) << buono;
    for (const char* cattivo : {"5-17-90-01-44", "05-17-90-01-4", "00-17-90-01-44", "91-17-90-01-44", "05-05-90-01-44",
                                "05/17/90/01/44", "05-17-90-01-44x", "0a-17-90-01-44", "05-17-90-01-44 "})
        EXPECT_FALSE(campoRuotaValido(cattivo)) << cattivo;
}

TEST_F(Aggiornamento, TreNuoveEstrazioniSegnateElencateDallaPiuRecenteEAggiunte)
{
    carica(riga("07/03/2024", campiDi(2)) + "\r\n" + riga("09/03/2024", campiDi(3, false)) + "\r\n"
           + riga("12/03/2024", campiDi(4)) + "\r\n" + riga("14/03/2024", campiDi(5)) + "\r\n"
           + riga("16/03/2024", campiDi(6)) + "\r\n");
    testsupport::AvanzamentoRegistrato av;
    ControlloEstrazioniMancanti(db, righe, List4, &av);
    const auto passi = av.barra(1);
    mostra();
    EXPECT_EQ(List4, (std::vector<std::string>{"Manca estrazione del: 16/03/2024", "Manca estrazione del: 14/03/2024",
                                               "Manca estrazione del: 12/03/2024", "Nessuna anomalia rilevata"}));
    for (int r = 1; r <= 2; ++r) {
        EXPECT_EQ(FgImporta.sfondo(r, 1), grid::colori::Bianco);
        for (int c = 2; c <= 12; ++c)
            EXPECT_EQ(FgImporta.sfondo(r, c), grid::rgb(128, 255, 128)) << r << "," << c;
    }
    for (int r = 3; r <= 5; ++r) {
        EXPECT_EQ(FgImporta.sfondo(r, 1), grid::rgb(255, 192, 128));
        EXPECT_EQ(FgImporta.sfondo(r, 2), grid::colori::Bianco);
    }
    ASSERT_FALSE(passi.empty());
    EXPECT_EQ(passi.back(), std::make_pair(5, 5));

    const auto esito = AGGIORNAMENTO(db, a, righe, false, List4);
    EXPECT_EQ(esito.aggiunte, 3);
    EXPECT_EQ(List4, (std::vector<std::string>{"Aggiunta estrazione del 12/03/2024", "Aggiunta estrazione del 14/03/2024",
                                               "Aggiunta estrazione del 16/03/2024", "aggiunti N° 3 record"}));
    EXPECT_EQ(righeTabella(), 6);
    EXPECT_EQ(stored("2024-03-14", "Ba"), "06-07-08-09-10");
    // The archive in memory was reloaded: the model archive covers every draw.
    ASSERT_EQ(a.NumeroEstrazioni, 6);
    EXPECT_EQ(a.DateEstrazioni[6], "16/03/2024");
    EXPECT_EQ(a.numero(6, 10, 5), 61);
    EXPECT_EQ(a.NumeroEstrazioniModello, 6);

    // The same grid once more: the dates are stored by now and are skipped.
    const auto ancora = AGGIORNAMENTO(db, a, righe, false, List4);
    EXPECT_EQ(ancora.aggiunte, 0);
    EXPECT_TRUE(List4.empty());
    EXPECT_EQ(righeTabella(), 6);

    // Checked again now that they are stored: no mark of the first check is left.
    ControlloEstrazioniMancanti(db, righe, List4);
    EXPECT_EQ(List4, (std::vector<std::string>{"Nessuna anomalia rilevata"}));
    mostra();
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(FgImporta.sfondo(r, 1), grid::colori::Bianco) << r;
}

TEST_F(Aggiornamento, UnaRuotaDiversaCorrettaSoloConCheck3)
{
    auto campi = campiDi(2);
    campi[4] = "01-02-03-04-05";   // Milano differs
    carica(riga("07/03/2024", campi) + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    EXPECT_EQ(List4, (std::vector<std::string>{"Errori Estrazione del 07/03/2024"}));
    mostra();
    EXPECT_EQ(FgImporta.coloreTesto(1, 1), grid::rgb(255, 0, 0));
    EXPECT_TRUE(FgImporta.grassetto(1, 1));
    EXPECT_EQ(FgImporta.sfondo(1, 1), grid::colori::Bianco);
    int verdi = 0;
    for (int c = 2; c <= 12; ++c)
        verdi += FgImporta.sfondo(1, c) == grid::rgb(128, 255, 128);
    EXPECT_EQ(verdi, 10);
    EXPECT_EQ(FgImporta.sfondo(1, 6), grid::colori::Bianco);

    auto esito = AGGIORNAMENTO(db, a, righe, false, List4);
    EXPECT_EQ(esito.modificate, 0);
    EXPECT_TRUE(List4.empty());
    EXPECT_EQ(stored("2024-03-07", "Mi"), "23-24-25-26-27");

    esito = AGGIORNAMENTO(db, a, righe, true, List4);
    EXPECT_EQ(esito.modificate, 1);
    EXPECT_EQ(esito.aggiunte, 0);
    EXPECT_EQ(List4, (std::vector<std::string>{"Modificata estrazione del 07/03/2024"}));
    EXPECT_EQ(stored("2024-03-07", "Mi"), "01-02-03-04-05");
    EXPECT_EQ(a.numero(2, 4, 1), 1);
}

TEST_F(Aggiornamento, NazionaleVuotaControNumeriEErroreEFileUgualeNessunaAnomalia)
{
    carica(riga("09/03/2024", campiDi(3)) + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    EXPECT_EQ(List4, (std::vector<std::string>{"Errori Estrazione del 09/03/2024"}));

    carica(riga("05/03/2024", campiDi(1)) + "\r\n" + riga("09/03/2024", campiDi(3, false)) + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    EXPECT_EQ(List4, (std::vector<std::string>{"Nessuna anomalia rilevata"}));
}

TEST_F(Aggiornamento, RigheNonValideElencateConIlMotivoENonScritte)
{
    auto doppio = campiDi(7);
    doppio[0] = "05-05-90-01-44";
    auto corto = campiDi(8);
    corto[9] = "05-17-9";
    carica(riga("12/03/2024", campiDi(4)) + "\r\n" + riga("31/02/2024", campiDi(5)) + "\r\n" + riga("14/03/2024", doppio)
           + "\r\n" + riga("16/03/2024", corto) + "\r\n" + riga("19/03/2024", campiDi(9)) + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    EXPECT_EQ(List4.size(), 6u);   // five missing, no anomaly

    const auto esito = AGGIORNAMENTO(db, a, righe, false, List4);
    EXPECT_EQ(esito.aggiunte, 2);
    EXPECT_EQ(esito.scartate, 3);
    ASSERT_EQ(List4.size(), 6u);
    EXPECT_EQ(List4[0], "Aggiunta estrazione del 12/03/2024");
    EXPECT_EQ(List4[1], "Estrazione del 31/02/2024 non aggiornata: la data non è una data valida (GG/MM/AAAA)");
    EXPECT_EQ(List4[2], "Estrazione del 14/03/2024 non aggiornata: la ruota di Bari non ha cinque numeri diversi da 01 a 90 "
                        "nella forma 00-00-00-00-00 (\"05-05-90-01-44\")");
    EXPECT_NE(List4[3].find("16/03/2024 non aggiornata: la ruota di Venezia"), std::string::npos) << List4[3];
    EXPECT_EQ(List4[4], "Aggiunta estrazione del 19/03/2024");
    EXPECT_EQ(List4[5], "aggiunti N° 2 record");
    EXPECT_EQ(righeTabella(), 5);
    EXPECT_EQ(stored("2024-03-14", "Ba"), "<nessuna riga>");
    EXPECT_EQ(a.NumeroEstrazioni, 5);
}

TEST_F(Aggiornamento, AggiornamentoFermatoNonScriveNulla)
{
    carica(riga("12/03/2024", campiDi(4)) + "\r\n" + riga("14/03/2024", campiDi(5)) + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    testsupport::AvanzamentoRegistrato av;
    // The stop arrives after the first row was written.
    av.allaChiamata = [](testsupport::AvanzamentoRegistrato& a, const auto& passo) {
        if (passo.valore >= 1)
            a.ferma();
    };
    EXPECT_THROW(AGGIORNAMENTO(db, a, righe, false, List4, &av), avanzamento::Interrotto);
    EXPECT_EQ(righeTabella(), 3);
    EXPECT_EQ(a.NumeroEstrazioni, 3);
}

TEST_F(Aggiornamento, GrigliaVuotaERigheNonSegnateNonScrivonoNulla)
{
    EXPECT_TRUE(AGGIORNAMENTO(db, a, RigheImporta{}, true, List4).vuota);
    // Rows loaded but never checked carry no marks.
    carica(riga("12/03/2024", campiDi(4)) + "\r\n");
    const auto esito = AGGIORNAMENTO(db, a, righe, true, List4);
    EXPECT_FALSE(esito.vuota);
    EXPECT_EQ(esito.aggiunte, 0);
    EXPECT_EQ(righeTabella(), 3);
}

TEST_F(Aggiornamento, FilePubblicatoSuperaIlControllo)
{
    std::ostringstream out;
    EXPECT_EQ(scriviFileAggiornamento(db, "07/03/2024", out), 2);
    const std::string testo = out.str();
    ASSERT_EQ(testo.size(), 2u * 180u);
    EXPECT_EQ(testo.substr(0, 180), riga("07/03/2024", campiDi(2)) + "\r\n");
    EXPECT_EQ(testo.substr(180), riga("09/03/2024", campiDi(3, false)) + "\r\n");
    carica(testo);
    ControlloEstrazioniMancanti(db, righe, List4);
    EXPECT_EQ(List4, (std::vector<std::string>{"Nessuna anomalia rilevata"}));
}

TEST(FileAggiornamento, IndirizzoDallaRigaDelServer)
{
    testsupport::CartellaTemporanea dir;
    auto db = storage::ApriDatabaseProgramma(dir.percorso().string());
    EXPECT_EQ(indirizzoAggiornamenti(db), "");   // a new program database names no server
    storage::ScriviParametro(db, "ServerAggiornamenti", " estrazioni.example.org/ ");
    EXPECT_EQ(indirizzoAggiornamenti(db), "http://estrazioni.example.org/archivionumeris/archivionumeris2023.txt");
    storage::ScriviParametro(db, "ServerAggiornamenti", "https://127.0.0.1:8443");
    EXPECT_EQ(indirizzoAggiornamenti(db), "https://127.0.0.1:8443/archivionumeris/archivionumeris2023.txt");
    // A program database made before the row existed.
    db.esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'ServerAggiornamenti'");
    EXPECT_EQ(indirizzoAggiornamenti(db), "");
}

// A line cut after Genova gives four wheels: the other seven are not known, not "not drawn". The check
// says the file lacks them; the correction rewrites the wheel that differs and empties none.
TEST_F(Aggiornamento, RuoteMancantiNelFileNonCancellanoQuelleArchiviate)
{
    auto campi = campiDi(2);
    campi[0] = "01-02-03-04-05";   // Bari differs
    const std::string tagliata = riga("07/03/2024", campi).substr(0, 11 + 15 * 4);
    carica(tagliata + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    EXPECT_EQ(List4, (std::vector<std::string>{
                         "Errori Estrazione del 07/03/2024",
                         "Estrazione del 07/03/2024: il file non ha le ruote di Milano, Napoli, Palermo, Roma, Torino, "
                         "Venezia, Nazionale, presenti nell'archivio (restano come sono)"}));
    mostra();
    EXPECT_EQ(FgImporta.sfondo(1, 6), grid::colori::Bianco) << "a wheel not known is not marked equal";

    const auto esito = AGGIORNAMENTO(db, a, righe, true, List4);
    EXPECT_EQ(esito.modificate, 1);
    EXPECT_EQ(stored("2024-03-07", "Ba"), "01-02-03-04-05");
    EXPECT_EQ(stored("2024-03-07", "Ca"), campo(2, 1));
    EXPECT_EQ(stored("2024-03-07", "Mi"), campo(2, 4));
    EXPECT_EQ(stored("2024-03-07", "Nz"), campo(2, 10));
    EXPECT_EQ(a.numero(2, 10, 1), numero(2, 10, 1));

    // A file that has every wheel of the day the archive has: nothing to say.
    carica(riga("09/03/2024", campiDi(3, false)) + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    EXPECT_EQ(List4, (std::vector<std::string>{"Nessuna anomalia rilevata"}));
}

// A draw dated before 1939 or more than a year ahead, and a line holding only a date (a draw of 55
// zeros), are never written: each is listed with its reason.
TEST_F(Aggiornamento, DateImplausibiliERigheSenzaRuoteNonScritte)
{
    carica(riga("02/01/0001", campiDi(4)) + "\r\n" + riga("31/12/1938", campiDi(5)) + "\r\n"
           + riga("01/01/2088", campiDi(6)) + "\r\n" + riga("31/12/9999", campiDi(7)) + "\r\n"
           + std::string("12/03/2024") + "\r\n" + riga("14/03/2024", campiDi(8)) + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    const auto esito = AGGIORNAMENTO(db, a, righe, false, List4);
    EXPECT_EQ(esito.aggiunte, 1);
    EXPECT_EQ(esito.scartate, 5);
    EXPECT_EQ(List4, (std::vector<std::string>{
                         "Estrazione del 02/01/0001 non aggiornata: la data è anteriore al 1939, primo anno delle estrazioni del Lotto",
                         "Estrazione del 31/12/1938 non aggiornata: la data è anteriore al 1939, primo anno delle estrazioni del Lotto",
                         "Estrazione del 01/01/2088 non aggiornata: la data è più di un anno dopo la data di oggi",
                         "Estrazione del 31/12/9999 non aggiornata: la data è più di un anno dopo la data di oggi",
                         "Estrazione del 12/03/2024 non aggiornata: la riga non ha i numeri di nessuna ruota",
                         "Aggiunta estrazione del 14/03/2024", "aggiunti N° 1 record"}));
    EXPECT_EQ(righeTabella(), 4);
}

// An added, a corrected and an identical draw: the check gives each its action, and the writer
// writes exactly the rows whose action asks for it, whatever the grid shown says.
TEST_F(Aggiornamento, AzioniDelleRigheDecidonoCosaScrivere)
{
    auto corretta = campiDi(2);
    corretta[7] = "11-12-13-14-15";   // Roma differs
    carica(riga("05/03/2024", campiDi(1)) + "\r\n" + riga("07/03/2024", corretta) + "\r\n" + riga("12/03/2024", campiDi(4))
           + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    ASSERT_EQ(righe.size(), 3u);
    EXPECT_EQ(righe[0].azione, Azione::Lascia);
    EXPECT_EQ(righe[1].azione, Azione::Correggi);
    EXPECT_EQ(righe[2].azione, Azione::Aggiungi);
    EXPECT_EQ(std::count(righe[0].ruotaUguale.begin(), righe[0].ruotaUguale.end(), true), 11);
    EXPECT_FALSE(righe[1].ruotaUguale[7]);
    EXPECT_TRUE(righe[1].ruotaUguale[6]);
    EXPECT_EQ(std::count(righe[2].ruotaUguale.begin(), righe[2].ruotaUguale.end(), true), 0);

    // The view: the date of the row to add on orange, the one to correct red and bold, nothing on the equal one.
    mostra();
    ASSERT_EQ(FgImporta.righe(), 4);
    EXPECT_EQ(FgImporta.testo(2, 9), "11-12-13-14-15");
    EXPECT_EQ(FgImporta.sfondo(1, 1), grid::colori::Bianco);
    EXPECT_EQ(FgImporta.coloreTesto(1, 1), grid::colori::Nero);
    EXPECT_EQ(FgImporta.coloreTesto(2, 1), grid::rgb(255, 0, 0));
    EXPECT_TRUE(FgImporta.grassetto(2, 1));
    EXPECT_EQ(FgImporta.sfondo(2, 9), grid::colori::Bianco);
    EXPECT_EQ(FgImporta.sfondo(2, 8), grid::rgb(128, 255, 128));
    EXPECT_EQ(FgImporta.sfondo(3, 1), grid::rgb(255, 192, 128));

    // A grid repainted by hand changes nothing: the rows carry the actions.
    FgImporta.setSfondo(1, 1, grid::rgb(255, 192, 128));
    const auto esito = AGGIORNAMENTO(db, a, righe, true, List4);
    EXPECT_EQ(esito.aggiunte, 1);
    EXPECT_EQ(esito.modificate, 1);
    EXPECT_EQ(esito.scartate, 0);
    EXPECT_EQ(List4, (std::vector<std::string>{"Modificata estrazione del 07/03/2024", "Aggiunta estrazione del 12/03/2024",
                                               "aggiunti N° 1 record"}));
    EXPECT_EQ(righeTabella(), 4);
    EXPECT_EQ(stored("2024-03-07", "Ro"), "11-12-13-14-15");
    EXPECT_EQ(stored("2024-03-07", "Pa"), campo(2, 6));
    EXPECT_EQ(stored("2024-03-12", "Nz"), campo(4, 10));

    // Checked again: every verdict of before is gone.
    ControlloEstrazioniMancanti(db, righe, List4);
    for (const auto& r : righe)
        EXPECT_EQ(r.azione, Azione::Lascia) << r.data;
    EXPECT_EQ(List4, (std::vector<std::string>{"Nessuna anomalia rilevata"}));
}

// A row to add that was refused, before one that was added, is a hole the archive does not show;
// a refused row after the last stored draw, or a row not to add, is not.
TEST_F(Aggiornamento, LacuneDalleRigheDaAggiungereRifiutate)
{
    auto doppio = campiDi(5);
    doppio[3] = "07-07-08-09-10";
    carica(riga("12/03/2024", doppio) + "\r\n" + riga("14/03/2024", campiDi(6)) + "\r\n" + riga("16/03/2024", doppio)
           + "\r\n");
    ControlloEstrazioniMancanti(db, righe, List4);
    righe.push_back({"06/03/2024", {}, Azione::Lascia, {}});   // not stored, but not to add: no hole said
    const auto esito = AGGIORNAMENTO(db, a, righe, false, List4);
    EXPECT_EQ(esito.aggiunte, 1);
    EXPECT_EQ(esito.scartate, 2);
    EXPECT_EQ(estrazioniRimasteMancanti(righe, a),
              (std::vector<std::string>{"Manca ancora l'estrazione del 12/03/2024: la sua riga non è stata salvata e "
                                        "l'archivio ha estrazioni successive"}));
}

// Each cell of a row from its action, and the grid writer agreeing with the cells one by one.
TEST(FileAggiornamento, CelleDaAzioneEGrigliaConcorde)
{
    maintenance::RigheImporta righe(3);
    righe[0].data = "01/02/2026";
    righe[0].azione = maintenance::Azione::Aggiungi;
    righe[1].data = "03/02/2026";
    righe[1].azione = maintenance::Azione::Correggi;
    righe[1].ruote[0] = "1 2 3 4 5";
    righe[1].ruotaUguale[1] = true;
    righe[2].data = "05/02/2026";
    const int data = maintenance::ColonnaData, bari = maintenance::PrimaColonnaRuote;
    EXPECT_EQ(maintenance::testoImporta(righe[1], 0), "");
    EXPECT_EQ(maintenance::testoImporta(righe[1], bari), "1 2 3 4 5");
    EXPECT_EQ(maintenance::sfondoImporta(righe[0], data), maintenance::ColoreDaImportare);
    EXPECT_FALSE(maintenance::sfondoImporta(righe[1], data));
    EXPECT_EQ(maintenance::coloreTestoImporta(righe[1], data), maintenance::ColoreDataErrata);
    EXPECT_TRUE(maintenance::grassettoImporta(righe[1], data));
    EXPECT_FALSE(maintenance::grassettoImporta(righe[1], bari));
    EXPECT_EQ(maintenance::sfondoImporta(righe[1], bari + 1), maintenance::ColoreRuotaUguale);
    EXPECT_FALSE(maintenance::sfondoImporta(righe[2], data) || maintenance::coloreTestoImporta(righe[2], data)
                 || maintenance::grassettoImporta(righe[2], data));
    grid::Grid g;
    maintenance::scriviFgImporta(righe, g);
    ASSERT_EQ(g.righe(), 4);
    for (int r = 1; r < g.righe(); ++r)
        for (int c = 1; c < maintenance::ColonneImporta; ++c) {
            const auto& riga = righe[static_cast<std::size_t>(r - 1)];
            EXPECT_EQ(g.testo(r, c), maintenance::testoImporta(riga, c));
            EXPECT_EQ(g.sfondo(r, c), maintenance::sfondoImporta(riga, c).value_or(grid::colori::Bianco));
            EXPECT_EQ(g.grassetto(r, c), maintenance::grassettoImporta(riga, c));
        }
}
