// Writers of archives against targets they must not replace, too many draws, a held lock and a full disk.
#include "archive/ArchivioDimostrativo.h"
#include "archive/ImportaStorico.h"
#include "storage/Sostituzione.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using archive::ErroreImportazione;
using archive::ImportaStorico;
namespace fs = std::filesystem;

namespace {

const char* const Storico = "2020/01/04\tBA\t5\t17\t90\t1\t44\n2020/01/07\tRM\t10\t20\t30\t40\t50\n";

std::string contenuto(const std::string& percorso)
{
    std::ifstream f(percorso, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// `n` draws on consecutive days from 1 January 1939, Bari only.
std::string storicoDi(int n)
{
    std::string t;
    int a = 1939, m = 1, g = 1;
    const int giorniMese[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int i = 0; i < n; ++i) {
        char riga[64];
        std::snprintf(riga, sizeof riga, "%04d/%02d/%02d\tBA\t1\t2\t3\t4\t5\n", a, m, g);
        t += riga;
        const bool bisestile = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
        if (++g > giorniMese[m - 1] + (m == 2 && bisestile ? 1 : 0)) {
            g = 1;
            if (++m > 12) {
                m = 1;
                ++a;
            }
        }
    }
    return t;
}

int estrazioni(const std::string& percorso)
{
    archive::Archivio a;
    a.EstrazioneIniziale = 1;
    archive::CaricaArchivio(a, percorso);
    return a.NumeroEstrazioni;
}

std::vector<std::string> voci(const testsupport::CartellaTemporanea& dir)
{
    std::vector<std::string> v;
    for (const auto& voce : fs::directory_iterator(dir.percorso()))
        v.push_back(voce.path().filename().string());
    std::sort(v.begin(), v.end());
    return v;
}

template <class F>
std::string messaggio(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nessun errore)";
}

}

TEST(Destinazioni, TroppeEstrazioniRifiutatePrimaDiScrivere)
{
    testsupport::CartellaTemporanea dir;
    const std::string grande = dir.scrivi("grande.txt", storicoDi(archive::MaxEstrazioni + 1));
    const std::string nuovo = dir.file("nuovo.db");
    EXPECT_NE(messaggio([&] { ImportaStorico(grande, nuovo); }).find("al massimo 9999"), std::string::npos);
    EXPECT_FALSE(fs::exists(nuovo));

    const std::string buono = dir.file("buono.db");
    ImportaStorico(dir.scrivi("s.txt", Storico), buono);
    const std::string prima = contenuto(buono);
    EXPECT_THROW(ImportaStorico(grande, buono, true), ErroreImportazione);
    EXPECT_EQ(contenuto(buono), prima);

    // Exactly the capacity still fits.
    EXPECT_EQ(ImportaStorico(dir.scrivi("pieno.txt", storicoDi(archive::MaxEstrazioni)), nuovo).estrazioni, 9999);

    archive::OpzioniDimostrativo tardi;
    tardi.fine = "2060-01-01";
    const std::string m = messaggio([&] { archive::CreaArchivioDimostrativo(buono, tardi); });
    EXPECT_NE(m.find("9999"), std::string::npos) << m;
    EXPECT_EQ(contenuto(buono), prima);
}

TEST(Destinazioni, BersagliCheNonSonoFileRegolariRestanoComeErano)
{
    testsupport::CartellaTemporanea dir;
    const std::string storico = dir.scrivi("s.txt", Storico);
    const std::string vero = dir.scrivi("vero.db", "archivio puntato");

    const std::string cartella = dir.file("cartella.db");
    fs::create_directory(cartella);
    const std::string sola = dir.scrivi("sola.db", "sola lettura");
    fs::permissions(sola, fs::perms::owner_read | fs::perms::group_read);
    std::vector<std::string> bersagli = {cartella, sola};
#ifndef _WIN32
    // Windows has no named pipe in a folder, and its symbolic links need a privilege.
    const std::string tubo = dir.file("tubo.db");
    ASSERT_EQ(::mkfifo(tubo.c_str(), 0644), 0);
    const std::string link = dir.file("link.db");
    fs::create_symlink(vero, link);
    bersagli.push_back(tubo);
    bersagli.push_back(link);
#endif

    for (const std::string& bersaglio : bersagli) {
        SCOPED_TRACE(bersaglio);
        const auto tipo = fs::symlink_status(bersaglio).type();
        const std::string mi = messaggio([&] { ImportaStorico(storico, bersaglio, true); });
        EXPECT_NE(mi.find("\"" + bersaglio + "\""), std::string::npos) << mi;
        const std::string md = messaggio([&] { archive::CreaArchivioDimostrativo(bersaglio); });
        EXPECT_NE(md.find("\"" + bersaglio + "\""), std::string::npos) << md;
        EXPECT_EQ(fs::symlink_status(bersaglio).type(), tipo);
    }
    EXPECT_TRUE(fs::is_empty(cartella));
    EXPECT_EQ(contenuto(vero), "archivio puntato");
    EXPECT_EQ(contenuto(sola), "sola lettura");

#ifndef _WIN32
    // A device is refused before anything is written, even without --sovrascrivi.
    const std::string mn = messaggio([&] { ImportaStorico(storico, "/dev/null"); });
    EXPECT_NE(mn.find("\"/dev/null\" non è un file regolare"), std::string::npos) << mn;
#endif

    // The input itself, by its own name, another spelling and a hard link, is never the output.
    const std::string collegato = dir.file("collegato.txt");
    fs::create_hard_link(storico, collegato);
    for (const std::string& uscita : {storico, dir.percorso().string() + "/./s.txt", collegato}) {
        const std::string m = messaggio([&] { ImportaStorico(storico, uscita, true); });
        EXPECT_NE(m.find("stesso file da leggere"), std::string::npos) << m;
    }
    EXPECT_EQ(contenuto(storico), Storico);
}

TEST(Destinazioni, FileSostituitoMantieneIPermessi)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows non ha i permessi di gruppo: di un file conserva solo la sola lettura";
#endif
    testsupport::CartellaTemporanea dir;
    const std::string db = dir.file("a.db");
    ImportaStorico(dir.scrivi("s.txt", Storico), db);
    fs::permissions(db, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ImportaStorico(dir.file("s.txt"), db, true);
    EXPECT_EQ(fs::status(db).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::permissions(db, fs::perms::owner_read | fs::perms::owner_write);
    archive::OpzioniDimostrativo o;
    o.massimo = 20;
    archive::CreaArchivioDimostrativo(db, o);
    EXPECT_EQ(fs::status(db).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(estrazioni(db), 20);
    EXPECT_EQ(voci(dir), (std::vector<std::string>{"a.db", "s.txt"}));
}

TEST(Destinazioni, UnaSolaScritturaAllaVoltaSullaStessaDestinazione)
{
    testsupport::CartellaTemporanea dir;
    const std::string db = dir.file("a.db");
    const std::string storico = dir.scrivi("s.txt", Storico);
    {
        storage::Sostituzione inCorso(db, true);
        const std::string m = messaggio([&] { ImportaStorico(storico, db, true); });
        EXPECT_NE(m.find("in corso di scrittura"), std::string::npos) << m;
        EXPECT_NE(messaggio([&] { archive::CreaArchivioDimostrativo(db); }).find("in corso di scrittura"), std::string::npos);
        EXPECT_FALSE(fs::exists(db));
    }

    // Imports racing on one target: each ends with its own draws or is refused, and nothing is left beside.
    std::vector<std::string> storici;
    for (int i = 0; i < 4; ++i)
        storici.push_back(dir.scrivi("s" + std::to_string(i) + ".txt", storicoDi(200 * (i + 1))));
    std::vector<std::string> esiti(4);
    std::vector<std::thread> fili;
    for (int i = 0; i < 4; ++i)
        fili.emplace_back([&, i] { esiti[static_cast<std::size_t>(i)] = messaggio([&] { ImportaStorico(storici[static_cast<std::size_t>(i)], db, true); }); });
    for (auto& f : fili)
        f.join();
    std::vector<int> riuscite;
    for (int i = 0; i < 4; ++i) {
        if (esiti[static_cast<std::size_t>(i)] == "(nessun errore)")
            riuscite.push_back(200 * (i + 1));
        else
            EXPECT_NE(esiti[static_cast<std::size_t>(i)].find("in corso di scrittura"), std::string::npos) << esiti[static_cast<std::size_t>(i)];
    }
    ASSERT_FALSE(riuscite.empty());
    EXPECT_NE(std::find(riuscite.begin(), riuscite.end(), estrazioni(db)), riuscite.end());
    EXPECT_EQ(voci(dir).size(), 6U);   // a.db, s.txt, s0..s3.txt
}

TEST(Destinazioni, DiscoPienoNonToccaLArchivioDimostrativoEsistente)
{
    testsupport::CartellaTemporanea dir;
    const std::string db = dir.file("demo.db");
    archive::OpzioniDimostrativo piccolo;
    piccolo.massimo = 30;
    archive::CreaArchivioDimostrativo(db, piccolo);
    const std::string prima = contenuto(db);

#ifdef _WIN32
    GTEST_SKIP() << "Windows non ha un limite alla dimensione dei file (RLIMIT_FSIZE) che simuli il disco pieno";
#else
    // A file size limit stands for a full disk: writes past it fail with EFBIG.
    rlimit vecchio{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &vecchio), 0);
    const auto segnale = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = vecchio;
    limite.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);
    const std::string m = messaggio([&] { archive::CreaArchivioDimostrativo(db); });
    ::setrlimit(RLIMIT_FSIZE, &vecchio);
    std::signal(SIGXFSZ, segnale);

    EXPECT_NE(m, "(nessun errore)");
    EXPECT_EQ(contenuto(db), prima);
    EXPECT_EQ(voci(dir), std::vector<std::string>{"demo.db"});
#endif
}
