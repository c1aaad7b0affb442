// What a hostile user tried: a process killed in every kind of write followed by every other writer, leftovers of
// killed replacements, sources that can be read only once, failures that must keep their reason, bytes echoed back.
#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "maintenance/Aggiornamento.h"
#include "maintenance/Caselle.h"
#include "maintenance/FileAggiornamento.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "session/CartellaProgramma.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"
#include "storage/Sostituzione.h"
#include "support/TempDir.h"
#include "SupportoGuasti.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace testsupport::guasti;

namespace {

const archive::Archivio& demo() { return testsupport::archivioDimostrativo(); }

// The stored wheel field of demonstration draw `d`, wheel `w` (empty for a wheel not drawn).
std::string campoDemo(int d, int w)
{
    if (demo().numero(d, w, 1) == 0)
        return {};
    char c[64];
    std::snprintf(c, sizeof c, "%02d-%02d-%02d-%02d-%02d", demo().numero(d, w, 1), demo().numero(d, w, 2), demo().numero(d, w, 3),
                  demo().numero(d, w, 4), demo().numero(d, w, 5));
    return c;
}

// The update file of demonstration draws [da, a], as a provider publishes it.
std::string fileAggiornamento(int da, int a)
{
    std::string t;
    for (int d = da; d <= a; ++d) {
        std::string campi[11];
        for (int w = 0; w < archive::NumeroRuote; ++w)
            campi[w] = campoDemo(d, w);
        t += maintenance::rigaAggiornamento(demo().DateEstrazioni[static_cast<std::size_t>(d)], campi, "pr") + "\r\n";
    }
    return t;
}

// The archive opened and loaded as a window holds it.
struct Aperto {
    explicit Aperto(const std::string& archivio) : db(storage::ApriArchivio(archivio))
    {
        a.EstrazioneIniziale = 1;
        archive::CaricaArchivio(a, archivio, db);
    }
    storage::Database db;
    archive::Archivio a;
};

int estrazioniIn(const std::string& archivio)
{
    const auto u = testsupport::lancia({"info", archivio});
    EXPECT_EQ(u.codice, 0) << u.err;
    const auto da = u.out.find("\"estrazioni\":");
    return da == std::string::npos ? -1 : std::stoi(u.out.substr(da + 13));
}

bool giornaleAccanto(const std::string& percorso)
{
    std::error_code ec;
    return fs::exists(percorso + "-journal", ec) && fs::file_size(percorso + "-journal", ec) > 0;
}

class Ostile : public ::testing::Test {
protected:
    void SetUp() override
    {
        archivio = cartella.file("archivio.db");
        grande = cartella.scrivi("grande.txt", storico(3000, 301));
    }

    void nuovoArchivio()
    {
        std::error_code ec;
        fs::remove(archivio, ec);
        archive::ImportaStorico(cartella.scrivi("storico.txt", storico(300)), archivio);
    }

    testsupport::CartellaTemporanea cartella;
    std::string archivio;
    std::string grande;
};

// A program killed in the middle of each kind of write, then each other writer on the same file: the
// old draws come back whole, a replacement never inherits the dead write's journal, and every file
// opens cleanly afterwards.
TEST_F(Ostile, UccisoInOgniScritturaPoiOgniAltroScrittore)
{
    const auto righeNuove = [](storage::Database& d, FermoAMeta& av) {
        auto s = d.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES (?1, ?2)");
        for (int i = 0; i < 2000; ++i) {
            s.lega(1, storage::DataPerDb(demo().DateEstrazioni[static_cast<std::size_t>(1000 + i)])).lega(2, "01-02-03-04-05");
            s.esegui();
            av.imposta(1, i + 1, 2000);
        }
        return true;
    };
    const std::string aggiornamentoLungo = cartella.scrivi("lungo.txt", fileAggiornamento(301, 2300));
    const std::vector<std::pair<std::string, std::function<void(int)>>> uccisioni = {
        {"salvataggio",
         [&](int fd) {
             Aperto o(archivio);
             o.db.esegui("PRAGMA cache_size = 2");
             FermoAMeta av(fd);
             maintenance::scriviERicarica(o.db, o.a, [&](storage::Database& d) { return righeNuove(d, av); });
         }},
        {"aggiornamento",
         [&](int fd) {
             Aperto o(archivio);
             o.db.esegui("PRAGMA cache_size = 2");
             maintenance::RigheImporta righe;
             if (maintenance::caricaFileAggiornamento(aggiornamentoLungo, righe, true)
                 != maintenance::EsitoFileAggiornamento::Caricato)
                 return;
             std::vector<std::string> List4;
             maintenance::ControlloEstrazioniMancanti(o.db, righe, List4);
             FermoAMeta av(fd);
             maintenance::AGGIORNAMENTO(o.db, o.a, righe, false, List4, &av);
         }},
        {"importazione",
         [&](int fd) {
             FermoAMeta av(fd);
             archive::ImportaStorico(grande, archivio, true, &av);
         }},
    };

    const std::string tre = cartella.scrivi("tre.txt", fileAggiornamento(301, 303));
    const std::string altro = cartella.scrivi("altro.txt", storico(50, 400));
    const std::string riferimentoStorico = cartella.file("rif-storico.db");
    const std::string riferimentoDemo = cartella.file("rif-demo.db");
    ASSERT_EQ(testsupport::lancia({"importa-storico", altro, riferimentoStorico}).codice, 0);
    ASSERT_EQ(testsupport::lancia({"genera-demo", riferimentoDemo, "--massimo", "40"}).codice, 0);
    const std::vector<std::pair<std::string, std::function<void()>>> scrittori = {
        {"SALVA",
         [&] {
             Aperto o(archivio);
             maintenance::salvaEstrazione(o.db, o.a, demo().DateEstrazioni[301], maintenance::caselleDiEstrazione(demo(), 301));
             EXPECT_EQ(estrazioniIn(archivio), 301);
         }},
        {"controlla --applica",
         [&] {
             const auto u = testsupport::lancia({"controlla", archivio, tre, "--applica"});
             EXPECT_EQ(u.codice, 0) << u.err;
             EXPECT_EQ(estrazioniIn(archivio), 303);
         }},
        {"importa-storico --sovrascrivi",
         [&] {
             const auto u = testsupport::lancia({"importa-storico", altro, archivio, "--sovrascrivi"});
             EXPECT_EQ(u.codice, 0) << u.err;
             EXPECT_EQ(contenuto(archivio), contenuto(riferimentoStorico));
         }},
        {"genera-demo",
         [&] {
             const auto u = testsupport::lancia({"genera-demo", archivio, "--massimo", "40"});
             EXPECT_EQ(u.codice, 0) << u.err;
             EXPECT_EQ(contenuto(archivio), contenuto(riferimentoDemo));
         }},
    };

    for (const auto& [uccisione, uccidi] : uccisioni) {
        for (const auto& [scrittore, scrivi] : scrittori) {
            SCOPED_TRACE(uccisione + " ucciso, poi " + scrittore);
            nuovoArchivio();
            ASSERT_TRUE(uccidiAMeta(uccidi));
            if (uccisione != "importazione") {
                ASSERT_TRUE(giornaleAccanto(archivio)) << "the kill left no journal to test against";
            }
            scrivi();
            EXPECT_FALSE(giornaleAccanto(archivio));
            EXPECT_EQ(testsupport::lancia({"estrazioni", archivio}).codice, 0);
        }
    }
}

// The program's own database and the first run's copy of the demonstration archive are built anew
// where a killed write left a journal whose database is gone: the new files do not take it.
TEST_F(Ostile, GiornaleSenzaIlSuoDatabaseNonPassaAlNuovo)
{
    const fs::path programma = cartella.percorso() / "programma";
    fs::create_directories(programma);
    const std::string dbProgramma = (programma / storage::NomeDatabaseProgramma).string();
    { storage::ApriDatabaseProgramma(programma.string()); }
    ASSERT_TRUE(uccidiAMeta([&](int fd) {
        auto db = storage::ApriDatabaseProgramma(programma.string());
        db.esegui("PRAGMA cache_size = 2");
        FermoAMeta av(fd);
        storage::Transazione t(db);
        auto s = db.prepara("INSERT INTO Giocate (Data, Ruote, Numeri, Note) VALUES ('2020-01-01', 'BA', ?1, ?2)");
        for (int i = 0; i < 4000; ++i) {
            s.lega(1, std::to_string(i)).lega(2, std::string(200, 'x'));
            s.esegui();
            av.imposta(1, i + 1, 4000);
        }
        t.conferma();
    }));
    ASSERT_TRUE(giornaleAccanto(dbProgramma));
    fs::resize_file(dbProgramma, 0);   // what an interrupted creation used to leave: built anew
    {
        auto db = storage::ApriDatabaseProgramma(programma.string());
        EXPECT_EQ(storage::LeggiParametro(db, "EstrazioneIniziale").value_or("?"), "1");
        EXPECT_EQ(storage::LeggiOperatori(db).size(), storage::CatalogoPredefinito().size());
        auto s = db.prepara("SELECT count(*) FROM Giocate");
        ASSERT_TRUE(s.avanza());
        EXPECT_EQ(s.intero(0), 0);
    }
    EXPECT_FALSE(giornaleAccanto(dbProgramma));

    // The first run's copy: the user deleted the copy a killed write had a journal for.
    const fs::path risorse = cartella.percorso() / "risorse";
    const fs::path dati = cartella.percorso() / "dati";
    fs::create_directories(risorse);
    fs::create_directories(dati);
    const std::string sorgente = (risorse / session::NomeArchivioDimostrativo).string();
    const std::string copia = (dati / session::NomeArchivioDimostrativo).string();
    archive::ImportaStorico(cartella.scrivi("s.txt", storico(300)), sorgente);
    fs::copy_file(sorgente, copia);
    archivio = copia;
    ASSERT_TRUE(uccidiAMeta([&](int fd) {
        storage::Database db = storage::ApriArchivio(copia);
        db.esegui("PRAGMA cache_size = 2");
        FermoAMeta av(fd);
        storage::Transazione t(db);
        auto s = db.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES (?1, '01-02-03-04-05')");
        for (int i = 0; i < 2000; ++i) {
            s.lega(1, storage::DataPerDb(demo().DateEstrazioni[static_cast<std::size_t>(1000 + i)]));
            s.esegui();
            av.imposta(1, i + 1, 2000);
        }
        t.conferma();
    }));
    ASSERT_TRUE(giornaleAccanto(copia));
    fs::remove(copia);
    session::preparaCartellaDati({dati, risorse, true});
    EXPECT_EQ(contenuto(copia), contenuto(sorgente));
    EXPECT_FALSE(giornaleAccanto(copia));
}

// A journal beside a target that is not a database of ours cannot be rolled back: the replacement is
// refused with the reason, and both files stay.
TEST_F(Ostile, GiornaleDiUnFileNonNostroRifiutato)
{
    const std::string testo = cartella.scrivi("archivio.db", std::string(4096, 'a'));
    cartella.scrivi("archivio.db-journal", std::string(512, 'j'));
    const auto u = testsupport::lancia({"importa-storico", cartella.scrivi("s.txt", storico(20)), testo, "--sovrascrivi"});
    EXPECT_EQ(u.codice, 1);
    EXPECT_NE(u.err.find("scrittura interrotta"), std::string::npos) << u.err;
    EXPECT_NE(u.err.find("\"" + testo + "-journal\""), std::string::npos) << u.err;
    EXPECT_EQ(leggi(testo), std::string(4096, 'a'));
    EXPECT_EQ(nomiNellaCartella(cartella.percorso()),
              (std::set<std::string>{"archivio.db", "archivio.db-journal", "grande.txt", "s.txt"}));
}

// A replacement killed before its end leaves its hidden file (a whole archive, and its journal); the
// next replacement of the same target removes them, and only them.
TEST_F(Ostile, ProvvisoriDiSostituzioniUccisePortatiViaDallaSuccessiva)
{
    nuovoArchivio();
    const std::string vicino = cartella.scrivi(".vicino.db.abcdef", "di un altro file");
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(uccidiAMeta([&](int fd) {
            FermoAMeta av(fd);
            archive::ImportaStorico(grande, archivio, true, &av);
        }));
    EXPECT_GT(nomiNellaCartella(cartella.percorso()).size(), 5U) << "the kills left their files";
    EXPECT_EQ(archive::ImportaStorico(grande, archivio, true).estrazioni, 3000);
    EXPECT_EQ(nomiNellaCartella(cartella.percorso()),
              (std::set<std::string>{"archivio.db", "grande.txt", "storico.txt", ".vicino.db.abcdef"}));
    EXPECT_EQ(leggi(vicino), "di un altro file");
}

// A pipe and a FIFO give their bytes once: the historical file, the official file and an update file
// read from them are read whole, from their first line.
TEST_F(Ostile, TuboEFifoLettiDallInizio)
{
    // A reader that stopped early must fail the test, not kill it.
    std::signal(SIGPIPE, SIG_IGN);
    const std::string testo = storico(300);
    const auto daTubo = [&](const std::vector<std::string>& prima, const std::string& contenuto,
                            const std::vector<std::string>& dopo) {
        int tubo[2];
        EXPECT_EQ(::pipe(tubo), 0);
        std::thread scrittore([&] {
            for (std::size_t i = 0; i < contenuto.size();) {
                const auto n = ::write(tubo[1], contenuto.data() + i, std::min<std::size_t>(4000, contenuto.size() - i));
                if (n <= 0)
                    break;
                i += static_cast<std::size_t>(n);
            }
            ::close(tubo[1]);
        });
        std::vector<std::string> argomenti = prima;
        argomenti.push_back("/dev/fd/" + std::to_string(tubo[0]));
        argomenti.insert(argomenti.end(), dopo.begin(), dopo.end());
        const auto u = testsupport::lancia(argomenti);
        scrittore.join();
        ::close(tubo[0]);
        return u;
    };
    auto u = daTubo({"importa-storico"}, testo, {archivio});
    EXPECT_EQ(u.codice, 0) << u.err;
    EXPECT_EQ(u.out, "importate 300 estrazioni (07/01/1939 - " + demo().DateEstrazioni[300] + ")\n");

    const std::string fifo = cartella.file("fifo.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto daFifo = [&](const std::vector<std::string>& argomenti, const std::string& contenuto) {
        std::thread scrittore([&] {
            const int fd = ::open(fifo.c_str(), O_WRONLY);
            for (std::size_t i = 0; fd >= 0 && i < contenuto.size();) {
                const auto n = ::write(fd, contenuto.data() + i, contenuto.size() - i);
                if (n <= 0)
                    break;
                i += static_cast<std::size_t>(n);
            }
            if (fd >= 0)
                ::close(fd);
        });
        const auto esito = testsupport::lancia(argomenti);
        scrittore.join();
        return esito;
    };
    const std::string copia = cartella.file("copia.db");
    u = daFifo({"importa-storico", fifo, copia}, testo);
    EXPECT_EQ(u.codice, 0) << u.err;
    EXPECT_EQ(contenuto(copia), contenuto(archivio));

    u = daFifo({"aggiorna-da-storico", archivio, fifo}, testo + storico(2, 301));
    EXPECT_EQ(u.codice, 0) << u.err;
    EXPECT_EQ(testsupport::righe(u.out),
              (std::vector<std::string>{"Manca estrazione del: " + demo().DateEstrazioni[302],
                                        "Manca estrazione del: " + demo().DateEstrazioni[301], "Nessuna anomalia rilevata"}));

    u = daFifo({"controlla", archivio, fifo, "--applica"}, fileAggiornamento(299, 303));
    EXPECT_EQ(u.codice, 0) << u.err;
    EXPECT_EQ(estrazioniIn(archivio), 303);
}

// A write that fails says why, in the words the windows use, naming the archive.
TEST_F(Ostile, LaRigaDiComandoDiceIlMotivoDiUnaScritturaFallita)
{
    nuovoArchivio();
    const std::string lungo = cartella.scrivi("lungo.txt", fileAggiornamento(301, 2300));
    const std::string esito = conDiscoPieno(static_cast<rlim_t>(fs::file_size(archivio)) + 8192, [&] {
        const auto u = testsupport::lancia({"controlla", archivio, lungo, "--applica"});
        throw std::runtime_error(std::to_string(u.codice) + " " + u.err);
    });
    EXPECT_EQ(esito.substr(0, 2), "1 ") << esito;
    EXPECT_NE(esito.find("Disco pieno"), std::string::npos) << esito;
    EXPECT_NE(esito.find("\"" + archivio + "\""), std::string::npos) << esito;
    EXPECT_EQ(esito.find("errore del database"), std::string::npos) << esito;
    senzaInglese(esito);
    EXPECT_GE(estrazioniIn(archivio), 300);
}

// Bytes a user typed or a file name holds come back printable: no escape sequence reaches the terminal.
TEST_F(Ostile, ValoriEPercorsiRestituitiStampabili)
{
    nuovoArchivio();
    const std::string fuga = "\x1b[2J\x1b]0;titolo\x07";
    auto u = testsupport::lancia({"aggiorna-da-storico", archivio, cartella.scrivi("s.txt", storico(3)), "--dal", fuga});
    EXPECT_EQ(u.codice, 2);
    EXPECT_NE(u.err.find("\\x1B[2J"), std::string::npos) << u.err;
    u = testsupport::lancia({"info", cartella.file("nome" + fuga + ".db")});
    EXPECT_EQ(u.codice, 1);
    for (const auto* uscita : {&u.err, &u.out}) {
        EXPECT_EQ(uscita->find('\x1b'), std::string::npos) << *uscita;
        EXPECT_EQ(uscita->find('\x07'), std::string::npos) << *uscita;
    }
    EXPECT_NE(u.err.find("nome\\x1B[2J"), std::string::npos) << u.err;
}

}
