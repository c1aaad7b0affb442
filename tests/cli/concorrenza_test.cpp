// velmora-cli aggiorna-da-storico --applica while another writer holds the archive: said, never a quiet success.
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(CliConcorrenza, AggiornamentoDuranteUnAltroDettoOccupato)
{
    // The archive holds the first eight of the ten draws; the file has all ten.
    const std::string tutte = testsupport::storicoDieciEstrazioni();
    std::string otto;
    for (int d = 1; d <= 8; ++d) {
        char data[16];
        std::snprintf(data, sizeof data, "2020/01/%02d", 2 * d);
        for (std::size_t i = tutte.find(data); i != std::string::npos; i = tutte.find(data, i + 1))
            otto += tutte.substr(i, tutte.find('\n', i) + 1 - i);
    }
    testsupport::ArchivioDaStorico a(otto);
    const std::string file = a.cartella.scrivi("completo.txt", tutte);

    // Another writer takes the archive, adds the two draws and holds it a while before it commits.
    std::thread altro([&a] {
        auto db = storage::ApriArchivio(a.archivio);
        storage::Transazione t(db);
        db.esegui("INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca) VALUES ('2020-01-18', '09-19-29-39-49', '60-61-62-63-64'),"
                  " ('2020-01-20', '10-20-30-40-50', '60-61-62-63-64')");
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        t.conferma();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto u = testsupport::lancia({"aggiorna-da-storico", a.archivio, file, "--applica"});
    altro.join();
    EXPECT_EQ(u.codice, 1);
    EXPECT_NE(u.out.find("Manca estrazione del: 20/01/2020"), std::string::npos) << u.out;
    EXPECT_EQ(u.err, "velmora-cli aggiorna-da-storico: l'archivio \"" + a.archivio
                         + "\" era occupato da un altro aggiornamento, che nel frattempo ha scritto 2 estrazioni dell'elenco: non "
                           "sono state scritte di nuovo; ripetere il controllo\n");
}
