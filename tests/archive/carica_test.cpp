// CaricaArchivio on small draws databases built for each rule.
#include "archive/CaricaArchivio.h"
#include "storage/DrawsDb.h"
#include "support/Avanzamenti.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>

using archive::Archivio;
using archive::CaricaArchivio;
using archive::ErroreCaricamento;

namespace {

struct RigaProva {
    std::string data;                       // "AAAA-MM-GG"
    std::array<std::string, 11> ruote{};    // stored wheel texts, empty = NULL
};

// A draws database holding `righe`, in the order given (the loader must sort).
class ArchivioProva {
public:
    explicit ArchivioProva(const std::vector<RigaProva>& righe) : percorso_(dir_.file("archivio.db"))
    {
        storage::Database db(percorso_, storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca);
        storage::creaSchemaEstrazioni(db);
        storage::Transazione t(db);
        auto ins = db.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz)"
                              " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
        for (const RigaProva& r : righe) {
            ins.lega(1, r.data);
            for (int w = 0; w < 11; ++w) {
                if (r.ruote[static_cast<std::size_t>(w)].empty())
                    ins.legaNull(w + 2);
                else
                    ins.lega(w + 2, r.ruote[static_cast<std::size_t>(w)]);
            }
            ins.esegui();
        }
        t.conferma();
    }
    const std::string& percorso() const { return percorso_; }

private:
    testsupport::CartellaTemporanea dir_;
    std::string percorso_;
};

RigaProva riga(const std::string& data, const std::string& bari = "01-02-03-04-05")
{
    RigaProva r;
    r.data = data;
    r.ruote.fill("11-22-33-44-55");
    r.ruote[0] = bari;
    r.ruote[10].clear();
    return r;
}

// `quante` draws on consecutive days from 1 January 1900.
std::vector<RigaProva> giorniConsecutivi(int quante)
{
    std::vector<RigaProva> righe;
    int anno = 1900, mese = 1, giorno = 1;
    for (int i = 0; i < quante; ++i) {
        const auto due = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
        righe.push_back(riga(std::to_string(anno) + "-" + due(mese) + "-" + due(giorno)));
        if (!storage::DataValida(anno, mese, ++giorno)) {
            giorno = 1;
            if (++mese > 12) {
                mese = 1;
                ++anno;
            }
        }
    }
    return righe;
}

}

TEST(CaricaArchivio, GruppiLettiComeNumeriIniziali)
{
    const std::vector<std::pair<std::string, std::array<int, 5>>> casi = {
        {"05-17-90-01-44", {5, 17, 90, 1, 44}},
        {"05/17/90/01/44", {5, 17, 90, 1, 44}},   // separators are not read
        {" 5-17- 9- 1-44", {5, 17, 9, 1, 44}},    // leading blank skipped
        {"5 -17-9x-1--44", {5, 17, 9, 1, 44}},    // reading stops at the first non-digit
        {"ab-+1--2-07-44", {0, 0, 0, 7, 44}},     // signs and letters are not numbers
        {"05-17", {5, 17, 0, 0, 0}},              // a short field leaves the rest 0
        {"05-17-90-01-4", {5, 17, 90, 1, 4}},
        {"05-17-90-01-44-99", {5, 17, 90, 1, 44}},
    };
    std::vector<RigaProva> righe;
    for (std::size_t i = 0; i < casi.size(); ++i)
        righe.push_back(riga("2020-01-" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1), casi[i].first));
    ArchivioProva db(righe);
    Archivio a;
    a.EstrazioneIniziale = 1;
    CaricaArchivio(a, db.percorso());
    for (std::size_t i = 0; i < casi.size(); ++i) {
        const int d = static_cast<int>(i) + 1;
        for (int p = 1; p <= 5; ++p)
            EXPECT_EQ(a.numero(d, 0, p), casi[i].second[static_cast<std::size_t>(p - 1)]) << casi[i].first << " pos " << p;
        EXPECT_EQ(a.numero(d, 9, 3), 33);
        for (int p = 1; p <= 5; ++p)
            EXPECT_EQ(a.numero(d, 10, p), 0) << "Nazionale left empty";
    }
}

TEST(CaricaArchivio, OrdineDateProgressiviEModello)
{
    // Inserted out of order: the draw index is the rank by date.
    ArchivioProva db({riga("2020-01-02"), riga("2019-12-28"), riga("2019-12-31"), riga("2020-01-04"),
                      riga("2020-02-01"), riga("2020-01-30"), riga("2021-02-01", "90-89-88-87-86")});
    Archivio a;
    a.EstrazioneIniziale = 3;
    testsupport::AvanzamentoRegistrato avanzamento;
    CaricaArchivio(a, db.percorso(), &avanzamento);
    const auto passi = avanzamento.barra(1);

    ASSERT_EQ(a.NumeroEstrazioni, 7);
    const std::vector<std::string> date = {"", "28/12/2019", "31/12/2019", "02/01/2020", "04/01/2020",
                                           "30/01/2020", "01/02/2020", "01/02/2021"};
    // February 2021 after February 2020 is another month: the count starts again.
    const std::vector<int> mese = {0, 1, 2, 1, 2, 3, 1, 1};
    const std::vector<int> anno = {0, 1, 2, 1, 2, 3, 4, 1};
    for (int d = 1; d <= 7; ++d) {
        EXPECT_EQ(a.DateEstrazioni[d], date[d]) << d;
        EXPECT_EQ(a.ProgressivoMese[d], mese[d]) << d;
        EXPECT_EQ(a.ProgressivoAnno[d], anno[d]) << d;
    }
    EXPECT_EQ(a.numero(7, 0, 1), 90);
    EXPECT_EQ(a.numero(7, 0, 5), 86);

    ASSERT_EQ(a.NumeroEstrazioniModello, 5);
    ASSERT_EQ(a.ArchivioModello.size(), 6u);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(a.ArchivioModello[k], k + 2);

    ASSERT_EQ(passi.size(), 7u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(passi[static_cast<std::size_t>(i)], std::make_pair(i + 1, 8));

    // Beyond N the model archive is empty, which is no error.
    a.EstrazioneIniziale = 8;
    CaricaArchivio(a, db.percorso());
    EXPECT_EQ(a.NumeroEstrazioni, 7);
    EXPECT_EQ(a.NumeroEstrazioniModello, 0);
    EXPECT_EQ(a.ArchivioModello.size(), 1u);
}

TEST(CaricaArchivio, InizioModelloSottoUnoFallisceDopoIDati)
{
    ArchivioProva db({riga("2020-01-02", "07-08-09-10-11"), riga("2020-01-04")});
    Archivio a;
    a.EstrazioneIniziale = 0;   // the configuration row is missing
    EXPECT_THROW(CaricaArchivio(a, db.percorso()), ErroreCaricamento);
    EXPECT_EQ(a.NumeroEstrazioni, 2);
    EXPECT_EQ(a.DateEstrazioni[2], "04/01/2020");
    EXPECT_EQ(a.numero(1, 0, 1), 7);
    EXPECT_EQ(a.ProgressivoMese[2], 2);
    EXPECT_EQ(a.NumeroEstrazioniModello, 0);
    a.EstrazioneIniziale = -5;
    EXPECT_THROW(CaricaArchivio(a, db.percorso()), ErroreCaricamento);
}

TEST(CaricaArchivio, FermataAMetaSegnalata)
{
    ArchivioProva db(giorniConsecutivi(40));
    Archivio a;
    a.EstrazioneIniziale = 1;
    testsupport::AvanzamentoRegistrato avanzamento;
    avanzamento.allaChiamata = [](testsupport::AvanzamentoRegistrato& av, const auto& passo) {
        if (passo.valore == 20)
            av.ferma();
    };
    EXPECT_THROW(CaricaArchivio(a, db.percorso(), &avanzamento), avanzamento::Interrotto);
    // The stop is noticed at the next row: row 21 is never reached, N is not set.
    EXPECT_EQ(avanzamento.barra(1).back(), std::make_pair(20, 41));
    EXPECT_EQ(a.NumeroEstrazioni, 0);
}

TEST(CaricaArchivio, TabellaVuotaFallisce)
{
    ArchivioProva db({});
    Archivio a;
    a.EstrazioneIniziale = 1;
    EXPECT_THROW(CaricaArchivio(a, db.percorso()), ErroreCaricamento);
    EXPECT_EQ(a.NumeroEstrazioni, 0);
    EXPECT_EQ(a.NumeroEstrazioniModello, 0);
}

TEST(CaricaArchivio, CapacitaDi9999Estrazioni)
{
    {
        ArchivioProva db(giorniConsecutivi(9999));
        Archivio a;
        a.EstrazioneIniziale = 1;
        CaricaArchivio(a, db.percorso());
        EXPECT_EQ(a.NumeroEstrazioni, 9999);
        EXPECT_EQ(a.NumeroEstrazioniModello, 9999);
        EXPECT_EQ(a.ArchivioModello[9999], 9999);
        EXPECT_EQ(a.DateEstrazioni[1], "01/01/1900");
        EXPECT_EQ(a.numero(9999, 0, 5), 5);
    }
    // Two rows past the capacity: the load stops at row 10000, while the bar was
    // still sized on every row of the table.
    ArchivioProva db(giorniConsecutivi(10002));
    Archivio a;
    a.EstrazioneIniziale = 1;
    a.NumeroEstrazioni = 0;
    testsupport::AvanzamentoRegistrato avanzamento;
    EXPECT_THROW(CaricaArchivio(a, db.percorso(), &avanzamento), ErroreCaricamento);
    ASSERT_FALSE(avanzamento.barra(1).empty());
    EXPECT_EQ(avanzamento.barra(1).back(), std::make_pair(10000, 10003));
    // The draws loaded so far stay; N and the model archive keep their old values.
    EXPECT_EQ(a.NumeroEstrazioni, 0);
    EXPECT_EQ(a.NumeroEstrazioniModello, 0);
    EXPECT_FALSE(a.DateEstrazioni[9999].empty());
    EXPECT_EQ(a.numero(9999, 0, 1), 1);
}

TEST(CaricaArchivio, RicaricaPiuCortaNonLasciaResidui)
{
    ArchivioProva lungo(giorniConsecutivi(5));
    ArchivioProva corto({riga("2030-01-01")});
    Archivio a;
    a.EstrazioneIniziale = 1;
    CaricaArchivio(a, lungo.percorso());
    CaricaArchivio(a, corto.percorso());
    EXPECT_EQ(a.NumeroEstrazioni, 1);
    EXPECT_EQ(a.NumeroEstrazioniModello, 1);
    EXPECT_EQ(a.numero(2, 0, 1), 0);
    EXPECT_EQ(a.DateEstrazioni[2], "");
    EXPECT_EQ(a.ProgressivoMese[2], 0);
}

TEST(CaricaArchivio, FileSbagliatiSonoErroriDiCaricamento)
{
    testsupport::CartellaTemporanea dir;
    Archivio a;
    a.EstrazioneIniziale = 1;
    EXPECT_THROW(CaricaArchivio(a, dir.file("manca.db")), ErroreCaricamento);
    EXPECT_THROW(CaricaArchivio(a, dir.scrivi("testo.db", "1939/01/07\tBA\t58\t22\t47\t49\t69\n")), ErroreCaricamento);
    // An encrypted database of ours, but with a draws table that lacks fields.
    {
        storage::Database db(dir.file("strano.db"), storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca);
        db.esegui("CREATE TABLE EstrazioniLotto (DataEstrazione TEXT, Ba TEXT)");
        db.esegui("INSERT INTO EstrazioniLotto VALUES ('2020-01-01', '01-02-03-04-05')");
    }
    try {
        CaricaArchivio(a, dir.file("strano.db"));
        ADD_FAILURE();
    } catch (const ErroreCaricamento& e) {
        EXPECT_NE(std::string(e.what()), "");
    }
    EXPECT_EQ(a.NumeroEstrazioni, 0);
}

// Old archives hold stray values: numbers 91..99 read as missing, rows whose date is not a real
// day left out (never shown as "00/00/0000"), the rest loaded; the notice lists them once.
TEST(CaricaArchivio, ValoriFuoriIntervalloLettiComeMancantiEDateImpossibiliEscluse)
{
    ArchivioProva db({riga("1950-01-07", "99-05-91-07-90"), riga("0000-00-00"), riga("2000-02-30"), riga("2000-02-29"),
                      riga("1950-01-14")});
    Archivio a;
    a.EstrazioneIniziale = 1;
    CaricaArchivio(a, db.percorso());
    ASSERT_EQ(a.NumeroEstrazioni, 3);
    EXPECT_EQ(a.DateEstrazioni[1], "07/01/1950");
    EXPECT_EQ(a.DateEstrazioni[2], "14/01/1950");
    EXPECT_EQ(a.DateEstrazioni[3], "29/02/2000");
    const std::array<int, 5> bari{0, 5, 0, 7, 90};
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(a.numero(1, 0, p), bari[static_cast<std::size_t>(p - 1)]) << p;
    EXPECT_EQ(a.ProgressivoAnno[3], 1);
    ASSERT_EQ(a.DatiScartati.size(), 3U);
    EXPECT_EQ(a.DatiScartati[0].estrazione, 0);
    EXPECT_EQ(a.DatiScartati[0].data, "0000-00-00");
    EXPECT_EQ(a.DatiScartati[1].data, "2000-02-30");
    EXPECT_EQ(a.DatiScartati[2].estrazione, 1);
    const std::string avviso = archive::AvvisoDatiScartati(a, db.percorso());
    for (const char* atteso : {"estrazione n° 1 del 07/01/1950", "Bari posizione 1 (99)", "Bari posizione 3 (91)",
                               "\"0000-00-00\"", "\"2000-02-30\"", "non è stato modificato"})
        EXPECT_NE(avviso.find(atteso), std::string::npos) << atteso << "\n" << avviso;
    EXPECT_NE(avviso.find(db.percorso()), std::string::npos);

    // A clean reload has nothing to tell.
    ArchivioProva pulito(giorniConsecutivi(3));
    CaricaArchivio(a, pulito.percorso());
    EXPECT_TRUE(a.DatiScartati.empty());
    EXPECT_EQ(archive::AvvisoDatiScartati(a, pulito.percorso()), "");
}

// The start-up window keeps the file it opened: loading it again reuses the handle, loading
// another one replaces it only once that file has loaded.
TEST(CaricaArchivio, DatabaseApertoRiusatoOSostituitoSoloDopoIlCaricamento)
{
    const ArchivioProva primo(giorniConsecutivi(3));
    const ArchivioProva secondo(giorniConsecutivi(5));
    Archivio a;
    a.EstrazioneIniziale = 1;
    storage::Database db = storage::ApriArchivio(primo.percorso());
    const sqlite3* handle = db.connessione();
    CaricaArchivio(a, primo.percorso(), db);
    EXPECT_EQ(db.connessione(), handle);
    EXPECT_EQ(a.NumeroEstrazioni, 3);

    testsupport::CartellaTemporanea dir;
    EXPECT_THROW(CaricaArchivio(a, dir.file("manca.db"), db), ErroreCaricamento);
    EXPECT_EQ(db.connessione(), handle);
    EXPECT_EQ(db.percorso(), primo.percorso());

    CaricaArchivio(a, secondo.percorso(), db);
    EXPECT_EQ(db.percorso(), secondo.percorso());
    EXPECT_TRUE(db.aperto());
    EXPECT_EQ(a.NumeroEstrazioni, 5);
}

TEST(CodiciRuota, NostriEDelFileStoricoInOgniMaiuscola)
{
    const std::pair<const char*, int> casi[] = {{"BA", 0}, {"ba", 0}, {"Ve", 9},  {"RO", 7}, {"RM", 7},
                                                {"rm", 7}, {"Rm", 7}, {"NZ", 10}, {"RN", 10}, {"rN", 10}};
    for (const auto& [codice, ruota] : casi)
        EXPECT_EQ(archive::RuotaDaCodice(codice), ruota) << codice;
    for (const char* nessuna : {"TU", "XX", "B", "", "BAR", "RMA", " BA"})
        EXPECT_FALSE(archive::RuotaDaCodice(nessuna)) << nessuna;
}
