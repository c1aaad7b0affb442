// SALVA, MODIFICA, ELIMINA on a small archive: what the table and the archive in memory hold after each, and after a failure.
#include "maintenance/ScritturaEstrazioni.h"

#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace maintenance;

namespace {

const char* const Ruote[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE"};

// Historical lines for a draw on the ten regional wheels: wheel w holds base+w*5+1 .. +5.
std::string giornata(const char* data, int base)
{
    std::string s;
    for (int w = 0; w < 10; ++w) {
        s.append(data).append("\t").append(Ruote[w]);
        for (int p = 1; p <= 5; ++p)
            s.append("\t").append(std::to_string((base + w * 5 + p - 1) % 90 + 1));
        s.append("\n");
    }
    return s;
}

// Boxes of a draw whose Bari is 05 17 90 01 44 and the other wheels distinct numbers.
Caselle nuova()
{
    Caselle c;
    for (int i = 1; i <= NumeroCaselle; ++i)
        c[static_cast<std::size_t>(i)] = std::to_string(i + 10);
    const char* bari[] = {"05", "17", "90", "01", "44"};
    for (int p = 1; p <= 5; ++p)
        c[static_cast<std::size_t>(p)] = bari[p - 1];
    for (int p = 1; p <= 5; ++p)
        c[static_cast<std::size_t>(casella(10, p))] = "";
    return c;
}

class Scrittura : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string storico =
            cartella.scrivi("storico.txt", giornata("2024/03/05", 0) + giornata("2024/03/07", 10) + giornata("2024/03/09", 20));
        percorso = cartella.file("archivio.db");
        archive::ImportaStorico(storico, percorso);
        db = storage::ApriArchivio(percorso);
        a.EstrazioneIniziale = 1;
        archive::CaricaArchivio(a, db);
    }

    int righe()
    {
        auto s = db.prepara("SELECT count(*) FROM EstrazioniLotto");
        s.avanza();
        return static_cast<int>(s.intero(0));
    }
    std::string campo(const std::string& iso, const char* nome)
    {
        auto s = db.prepara(std::string("SELECT ") + nome + " FROM EstrazioniLotto WHERE DataEstrazione = ?1");
        s.lega(1, iso);
        return s.avanza() ? s.testo(0) : "<nessuna riga>";
    }

    testsupport::CartellaTemporanea cartella;
    std::string percorso;
    storage::Database db;
    archive::Archivio a;
};

}

TEST_F(Scrittura, SalvaUnaNuovaUltimaEstrazione)
{
    a.EstrazioneIniziale = 2;   // the configured start survives; the model archive covers every draw
    EXPECT_EQ(salvaEstrazione(db, a, "12/03/2024", nuova(), {"2024-03-12", "21:15:00"}), EsitoScrittura::Fatta);
    EXPECT_EQ(a.NumeroEstrazioni, 4);
    EXPECT_EQ(a.DateEstrazioni[4], "12/03/2024");
    EXPECT_EQ(a.numero(4, 0, 3), 90);
    EXPECT_EQ(a.numero(4, 0, 4), 1);
    EXPECT_EQ(a.numero(4, 9, 5), 60);
    EXPECT_EQ(a.numero(4, 10, 1), 0);
    EXPECT_EQ(a.ProgressivoMese[4], 4);
    EXPECT_EQ(a.NumeroEstrazioniModello, 4);
    EXPECT_EQ(a.ArchivioModello[1], 1);
    EXPECT_EQ(a.EstrazioneIniziale, 2);
    EXPECT_EQ(campo("2024-03-12", "Ba"), "05-17-90-01-44");
    EXPECT_EQ(campo("2024-03-12", "Nz"), "");
    EXPECT_EQ(campo("2024-03-12", "datareg"), "2024-03-12");
    EXPECT_EQ(campo("2024-03-12", "orareg"), "21:15:00");

    // A draw dated between two others takes its place in date order.
    EXPECT_EQ(salvaEstrazione(db, a, "06/03/2024", nuova()), EsitoScrittura::Fatta);
    EXPECT_EQ(a.DateEstrazioni[2], "06/03/2024");
    EXPECT_EQ(a.DateEstrazioni[5], "12/03/2024");
}

TEST_F(Scrittura, DataGiaMemorizzataLasciaTuttoComEra)
{
    try {
        salvaEstrazione(db, a, "07/03/2024", nuova());
        FAIL() << "una data già memorizzata è stata accettata";
    } catch (const ErroreScrittura& e) {
        EXPECT_EQ(e.tipo(), ErroreScrittura::Tipo::DataGiaPresente);
    }
    EXPECT_EQ(righe(), 3);
    EXPECT_EQ(campo("2024-03-07", "Ba"), "11-12-13-14-15");
    EXPECT_EQ(a.NumeroEstrazioni, 3);
    EXPECT_EQ(a.numero(2, 0, 1), 11);
    // The connection is usable afterwards: no transaction was left open.
    EXPECT_EQ(salvaEstrazione(db, a, "14/03/2024", nuova()), EsitoScrittura::Fatta);
    EXPECT_EQ(righe(), 4);
}

TEST_F(Scrittura, ModificaMantieneLaData)
{
    Caselle c = nuova();
    c[55] = "";
    EXPECT_EQ(modificaEstrazione(db, a, "07/03/2024", c, {"2024-03-20", "10:00:00"}), EsitoScrittura::Fatta);
    EXPECT_EQ(righe(), 3);
    EXPECT_EQ(a.NumeroEstrazioni, 3);
    EXPECT_EQ(a.DateEstrazioni[2], "07/03/2024");
    EXPECT_EQ(a.numero(2, 0, 1), 5);
    EXPECT_EQ(a.numero(1, 0, 1), 1);   // the other draws untouched
    EXPECT_EQ(campo("2024-03-07", "Ba"), "05-17-90-01-44");
    EXPECT_EQ(campo("2024-03-07", "datareg"), "2024-03-20");

    EXPECT_EQ(modificaEstrazione(db, a, "08/03/2024", c), EsitoScrittura::NonTrovata);
    EXPECT_EQ(righe(), 3);
    EXPECT_EQ(campo("2024-03-08", "Ba"), "<nessuna riga>");
}

TEST_F(Scrittura, EliminaERicarica)
{
    EXPECT_EQ(eliminaEstrazione(db, a, "08/03/2024"), EsitoScrittura::NonTrovata);
    EXPECT_EQ(a.NumeroEstrazioni, 3);
    EXPECT_EQ(eliminaEstrazione(db, a, "07/03/2024"), EsitoScrittura::Fatta);
    EXPECT_EQ(righe(), 2);
    EXPECT_EQ(a.NumeroEstrazioni, 2);
    EXPECT_EQ(a.DateEstrazioni[2], "09/03/2024");
    EXPECT_EQ(a.DateEstrazioni[3], "");
    EXPECT_EQ(a.numero(3, 0, 1), 0);
    EXPECT_EQ(a.ProgressivoMese[2], 2);
}

TEST_F(Scrittura, UnaRicaricaImpossibileAnnullaLaScrittura)
{
    // Deleting every draw would leave an archive that cannot be loaded: the last delete is undone.
    EXPECT_EQ(eliminaEstrazione(db, a, "05/03/2024"), EsitoScrittura::Fatta);
    EXPECT_EQ(eliminaEstrazione(db, a, "07/03/2024"), EsitoScrittura::Fatta);
    try {
        eliminaEstrazione(db, a, "09/03/2024");
        FAIL() << "l'archivio è stato svuotato";
    } catch (const ErroreScrittura& e) {
        EXPECT_EQ(e.tipo(), ErroreScrittura::Tipo::Ricarica);
    }
    EXPECT_EQ(righe(), 1);
    EXPECT_EQ(a.NumeroEstrazioni, 1);
    EXPECT_EQ(a.DateEstrazioni[1], "09/03/2024");

    // A row whose date is in another form is left out by the loader, not a reason to refuse a write:
    // the new draw is stored, the stray row stays in the table untouched and is listed for the player.
    db.esegui("DROP INDEX PrimaryKey");
    db.esegui("CREATE TABLE copia AS SELECT * FROM EstrazioniLotto");
    db.esegui("DROP TABLE EstrazioniLotto");
    db.esegui("CREATE TABLE EstrazioniLotto AS SELECT * FROM copia");
    db.esegui("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('10 marzo', '01-02-03-04-05')");
    EXPECT_EQ(salvaEstrazione(db, a, "12/03/2024", nuova()), EsitoScrittura::Fatta);
    EXPECT_EQ(righe(), 3);
    EXPECT_EQ(campo("2024-03-12", "Ba"), "05-17-90-01-44");
    EXPECT_EQ(a.NumeroEstrazioni, 2);
    ASSERT_EQ(a.DatiScartati.size(), 1U);
    EXPECT_EQ(a.DatiScartati[0].data, "10 marzo");
}

TEST_F(Scrittura, DataNonValidaEArchivioChiuso)
{
    for (const char* data : {"31/04/2024", "1/3/2024", "", "2024-03-12"}) {
        try {
            salvaEstrazione(db, a, data, nuova());
            ADD_FAILURE() << data;
        } catch (const ErroreScrittura& e) {
            EXPECT_EQ(e.tipo(), ErroreScrittura::Tipo::DataNonValida) << data;
        }
    }
    storage::Database chiuso;
    try {
        salvaEstrazione(chiuso, a, "12/03/2024", nuova());
        ADD_FAILURE();
    } catch (const ErroreScrittura& e) {
        EXPECT_EQ(e.tipo(), ErroreScrittura::Tipo::Database);
    }
    EXPECT_EQ(righe(), 3);
    EXPECT_EQ(a.NumeroEstrazioni, 3);
}
