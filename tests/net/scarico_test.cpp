// net::Scarico against a server on 127.0.0.1 that answers with whatever the test scripts: redirects the fetch must
// refuse (file:, ftp:, data:, a loop), a compressed bomb, and the local copy written only as a plain file in place.
#include "net/Scarico.h"

#include "support/ServerProva.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkProxy>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <utility>

namespace {

namespace fs = std::filesystem;

using testsupport::ServerGrezzo;

std::string rinvio(const std::string& verso)
{
    return "HTTP/1.1 302 Found\r\nLocation: " + verso + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
}

std::string pagina(const std::string& corpo, const std::string& intestazioni = {})
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n" + intestazioni
           + "Content-Length: " + std::to_string(corpo.size()) + "\r\nConnection: close\r\n\r\n" + corpo;
}

// The gzip member of `testo` (RFC 1952), its deflate stream taken out of Qt's zlib stream.
std::string gzipDi(const QByteArray& testo)
{
    const QByteArray z = qCompress(testo, 9);   // 4 bytes of length, 2 of zlib header, deflate, 4 of Adler-32
    std::array<std::uint32_t, 256> tavola{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        tavola[i] = c;
    }
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char ch : testo)
        crc = tavola[(crc ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (crc >> 8);
    crc ^= 0xFFFFFFFFU;
    auto le32 = [](std::uint32_t v) {
        std::string s(4, '\0');
        for (int i = 0; i < 4; ++i)
            s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    std::string gz("\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03", 10);
    gz.append(z.constData() + 6, static_cast<std::size_t>(z.size() - 10));
    return gz + le32(crc) + le32(static_cast<std::uint32_t>(testo.size()));
}

struct Esito {
    bool riuscito = false;
    std::string motivo;
};

// SCARICO FILE's fetch into `file`, waited for on an event loop.
Esito scaricaIn(const std::string& indirizzo, const std::string& file)
{
    net::Scarico scarico;
    scarico.timeoutMs = 20000;
    Esito esito;
    QEventLoop ciclo;
    QObject::connect(&scarico, &net::Scarico::terminato, &ciclo, [&](bool riuscito, const QString& motivo) {
        esito = {riuscito, motivo.toStdString()};
        ciclo.quit();
    });
    if (scarico.avvia(QUrl(QString::fromStdString(indirizzo)), QString::fromStdString(file)) && scarico.inCorso())
        ciclo.exec();
    return esito;
}

std::string leggi(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return f ? s.str() : "<mancante>";
}

std::size_t fileNellaCartella(const fs::path& cartella)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& voce : fs::directory_iterator(cartella))
        ++n;
    return n;
}

// A socket listening on 127.0.0.1 at a free port, for a server the test drives by hand: {descriptor, port},
// the descriptor -1 when the system refuses.
std::pair<int, int> ascoltoLocale()
{
    const int ascolto = static_cast<int>(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t lunghezza = sizeof a;
    if (ascolto < 0 || ::bind(ascolto, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(ascolto, 4) != 0
        || ::getsockname(ascolto, reinterpret_cast<sockaddr*>(&a), &lunghezza) != 0) {
        if (ascolto >= 0)
            testsupport::chiudiPresa(ascolto);
        return {-1, 0};
    }
    return {ascolto, ntohs(a.sin_port)};
}

}

// Qt stops at a redirect it will not follow and at the fiftieth of a loop: the player reads which, and
// where the server wanted to send the fetch, never a bare status or Qt's error number.
TEST(Scarico, RinviiRifiutatiDettiPerQuelloCheSono)
{
    ServerGrezzo server({{"/file", rinvio("file:///etc/passwd")},
                         {"/ftp", rinvio("ftp://127.0.0.1/Estr_Agg.txt")},
                         {"/data", rinvio("data:text/plain,01/01/2026")},
                         {"/giro/a", rinvio("/giro/b")},
                         {"/giro/b", rinvio("/giro/a")}});
    testsupport::CartellaTemporanea dir;
    const std::string copia = dir.scrivi("Estr_Agg.txt", "copia precedente\r\n");
    const struct {
        std::string percorso;
        std::string atteso;
    } casi[] = {
        {"/file", "reindirizzamento rifiutato verso \"file:///etc/passwd\""},
        {"/ftp", "reindirizzamento rifiutato verso \"ftp://127.0.0.1/Estr_Agg.txt\""},
        {"/data", "reindirizzamento rifiutato verso \"data:text/plain,01/01/2026\""},
        {"/giro/a", "troppi reindirizzamenti"},
    };
    for (const auto& c : casi) {
        const int prima = server.richieste();
        const Esito e = scaricaIn(server.indirizzo(c.percorso), copia);
        EXPECT_FALSE(e.riuscito) << c.percorso;
        EXPECT_NE(e.motivo.find(c.atteso), std::string::npos) << e.motivo;
        EXPECT_LE(server.richieste() - prima, 120) << c.percorso;   // a loop ends by itself
        EXPECT_EQ(leggi(copia), "copia precedente\r\n") << c.percorso;
        EXPECT_EQ(fileNellaCartella(dir.percorso()), 1U) << c.percorso;

        // velmora-cli's fetch into memory says the same.
        const auto m = net::scaricaInMemoria(server.indirizzo(c.percorso), 20000);
        EXPECT_FALSE(m.riuscito);
        EXPECT_NE(m.motivo.find(c.atteso), std::string::npos) << m.motivo;
        EXPECT_EQ(m.corpo, "");
    }
}

// A few kilobytes of gzip that would expand to 64 MB, and a damaged one: refused as what they are, the copy untouched.
TEST(Scarico, BombaCompressaRifiutata)
{
    ServerGrezzo server({{"/bomba", pagina(gzipDi(QByteArray(64 << 20, '0')), "Content-Encoding: gzip\r\n")},
                         {"/guasto", pagina(gzipDi("01/01/2026 ...\r\n").substr(0, 10) + "non deflate", "Content-Encoding: gzip\r\n")},
                         {"/piccolo", pagina(gzipDi("01/01/2026 ...\r\n"), "Content-Encoding: gzip\r\n")}});
    testsupport::CartellaTemporanea dir;
    const std::string copia = dir.scrivi("Estr_Agg.txt", "copia precedente\r\n");
    for (const char* percorso : {"/bomba", "/guasto"}) {
        const Esito e = scaricaIn(server.indirizzo(percorso), copia);
        EXPECT_FALSE(e.riuscito) << percorso;
        EXPECT_NE(e.motivo.find("dati compressi (gzip) rifiutati"), std::string::npos) << e.motivo;
        EXPECT_EQ(leggi(copia), "copia precedente\r\n");
        EXPECT_EQ(fileNellaCartella(dir.percorso()), 1U);
    }

    // An honest compressed body is taken expanded.
    const Esito piccolo = scaricaIn(server.indirizzo("/piccolo"), copia);
    EXPECT_TRUE(piccolo.riuscito) << piccolo.motivo;
    EXPECT_EQ(leggi(copia), "01/01/2026 ...\r\n\r\n");
}

// The copy replaces a plain file only: a symbolic link in its place is refused with its reason and what it
// points to stays as it was; a fetch that succeeds (here after an honest redirect) leaves nothing beside.
TEST(Scarico, CopiaSoloAlPostoDiUnFileVero)
{
    ServerGrezzo server({{"/vecchio", rinvio("/nuovo")}, {"/nuovo", pagina("01/01/2026 ...")}});
    testsupport::CartellaTemporanea dir;
    const std::string altrove = dir.scrivi("importante.txt", "da non toccare\n");
    const fs::path collegamento = dir.percorso() / "Estr_Agg.txt";
#ifndef _WIN32   // symbolic links need a privilege on Windows
    fs::create_symlink(altrove, collegamento);

    const Esito e = scaricaIn(server.indirizzo("/nuovo"), collegamento.string());
    EXPECT_FALSE(e.riuscito);
    const std::string rifiuto = collegamento.string() + "\" è un collegamento simbolico";
    EXPECT_NE(e.motivo.find('"' + rifiuto), std::string::npos) << e.motivo;
    EXPECT_EQ(leggi(altrove), "da non toccare\n");
    EXPECT_TRUE(fs::is_symlink(collegamento));
    EXPECT_EQ(fileNellaCartella(dir.percorso()), 2U);

    fs::remove(collegamento);
#endif
    const Esito ok = scaricaIn(server.indirizzo("/vecchio"), collegamento.string());
    EXPECT_TRUE(ok.riuscito) << ok.motivo;
    EXPECT_EQ(leggi(collegamento), "01/01/2026 ...\r\n");
    EXPECT_FALSE(fs::is_symlink(collegamento));
    EXPECT_EQ(fileNellaCartella(dir.percorso()), 2U);

    // A folder that does not exist: said, naming the file.
    const std::string sotto = (dir.percorso() / "manca" / "Estr_Agg.txt").string();
    const Esito senza = scaricaIn(server.indirizzo("/nuovo"), sotto);
    EXPECT_FALSE(senza.riuscito);
    EXPECT_NE(senza.motivo.find(sotto), std::string::npos) << senza.motivo;
}

// The stop every long command shares ends the transfer from any thread, within a moment, as Annulla does:
// here a server that takes the connection and never answers, stopped from another thread.
TEST(Scarico, FermatoDaUnAltroFiloComeOgniLavoroLungo)
{
    const auto [ascolto, porta] = ascoltoLocale();
    ASSERT_GE(ascolto, 0);
    const QUrl muto(QStringLiteral("http://127.0.0.1:%1/Estr_Agg.txt").arg(porta));

    net::Scarico scarico;
    EXPECT_EQ(scarico.controllo(), nullptr);
    Esito esito;
    QEventLoop ciclo;
    QObject::connect(&scarico, &net::Scarico::terminato, &ciclo, [&](bool riuscito, const QString& motivo) {
        esito = {riuscito, motivo.toStdString()};
        ciclo.quit();
    });
    ASSERT_TRUE(scarico.avviaInMemoria(muto));
    avanzamento::Avanzamento* controllo = scarico.controllo();
    ASSERT_NE(controllo, nullptr);
    std::thread altro([controllo] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        controllo->ferma();
    });
    const auto inizio = std::chrono::steady_clock::now();
    ciclo.exec();
    altro.join();
    EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(2));
    EXPECT_FALSE(esito.riuscito);
    EXPECT_EQ(esito.motivo, "trasferimento annullato");
    testsupport::chiudiPresa(ascolto);
}

// A file over the size limit is stopped in the middle of a read; Qt still reports that read's progress after the
// end, and the page's bar, reset at the end, used to fill again. Nothing is reported after terminato.
TEST(Scarico, NessunAvanzamentoDopoLaFine)
{
    const auto [ascolto, porta] = ascoltoLocale();
    ASSERT_GE(ascolto, 0);
    // A first kilobyte, then, past Qt's 50 ms between two progress reports, far more than the limit at once.
    std::thread server([ascolto] {
        const int c = static_cast<int>(::accept(ascolto, nullptr, nullptr));
        char b[4096];
        [[maybe_unused]] const auto letti = ::recv(c, b, static_cast<int>(sizeof b), 0);
        const std::string testa = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n" + std::string(1024, 'x');
        [[maybe_unused]] auto n = ::send(c, testa.data(), static_cast<int>(testa.size()), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        const std::string resto(256 * 1024, 'y');
        n = ::send(c, resto.data(), static_cast<int>(resto.size()), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        testsupport::chiudiPresa(c);
    });

    net::Scarico scarico;
    scarico.dimensioneMassima = 8 * 1024;
    bool finito = false;
    int dopoLaFine = 0;
    Esito esito;
    QObject::connect(&scarico, &net::Scarico::terminato, [&](bool riuscito, const QString& motivo) {
        esito = {riuscito, motivo.toStdString()};
        finito = true;
    });
    QObject::connect(&scarico, &net::Scarico::avanzamento, [&](qint64, qint64) { dopoLaFine += finito ? 1 : 0; });
    ASSERT_TRUE(scarico.avviaInMemoria(QUrl(QStringLiteral("http://127.0.0.1:%1/grande.txt").arg(porta))));
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!finito && std::chrono::steady_clock::now() < limite)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    // Whatever Qt still has to say about the aborted reply.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    server.join();
    testsupport::chiudiPresa(ascolto);
    EXPECT_FALSE(esito.riuscito);
    EXPECT_EQ(esito.motivo, "il file supera 8192 byte");
    EXPECT_EQ(dopoLaFine, 0);
}

int main(int argc, char** argv)
{
    qputenv("no_proxy", "127.0.0.1,localhost");
    QCoreApplication applicazione(argc, argv);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
