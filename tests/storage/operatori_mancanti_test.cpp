// The operator catalogue window's commands: FG2's design, the presence check, the insertion of the missing operators.
#include "storage/OperatoriMancanti.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using storage::Database;

namespace {

constexpr grid::Colore Verde = 65280;

struct ProgrammaProva {
    ProgrammaProva() : db(storage::ApriDatabaseProgramma(dir.percorso().string())) { storage::preparaFG2(FG2); }
    void elimina(const char* codice)
    {
        db.prepara("DELETE FROM Operatori WHERE Operatore = ?1").bind(1, codice).esegui();
    }
    bool presente(const char* codice)
    {
        auto s = db.prepara("SELECT count(*) FROM Operatori WHERE Operatore = ?1");
        s.bind(1, codice);
        s.step();
        return s.intero(0) == 1;
    }
    bool rigaVerde(int r) const
    {
        for (int c = 1; c < FG2.colonne(); ++c)
            if (FG2.sfondo(r, c) != Verde)
                return false;
        return true;
    }

    testsupport::CartellaTemporanea dir;
    Database db;
    grid::Grid FG2;
};

}

TEST(OperatoriMancanti, FG2ComeDisegnato)
{
    grid::Grid FG2;
    storage::preparaFG2(FG2);
    ASSERT_EQ(FG2.righe(), 4);
    ASSERT_EQ(FG2.colonne(), 8);
    const char* intestazione[] = {"", "Operatore", "Tipo", "R1", "P1", "R2", "P2", ""};
    const int larghezze[] = {180, 795, 300, 285, 330, 315, 405, 1260};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(FG2.testo(0, c), intestazione[c]);
        EXPECT_EQ(FG2.colonna(c).larghezzaTwips, larghezze[c]) << c;
        const bool centrata = c >= 1 && c <= 6;
        EXPECT_EQ(FG2.colonna(c).allineamento == grid::Allineamento::Centro, centrata) << c;
    }
    const std::vector<std::vector<std::string>> righe = {
        {"PER+", "7", "Si", "Si", "Si", "Si", "Moltiplica 2 numeri e aggiunge fisso"},
        {"SOM+", "7", "Si", "Si", "Si", "Si", "Somma due numeri e aggiunge fisso"},
        {"UFIG", "2", "Si", "Si", "Si", "Si", "Unisce le figure di 2 numeri (F90)"}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 7; ++c)
            EXPECT_EQ(FG2.testo(r, c), righe[r - 1][c - 1]) << r << "," << c;
}

TEST(OperatoriMancanti, TuttiPresentiNessunInserimento)
{
    ProgrammaProva p;
    storage::controllaPresenza(p.db, p.FG2);
    for (int r = 1; r <= 3; ++r)
        EXPECT_TRUE(p.rigaVerde(r)) << r;
    EXPECT_NE(p.FG2.sfondo(1, 0), Verde) << "the row selector keeps its colour";
    const auto prima = storage::LeggiOperatori(p.db).size();
    EXPECT_EQ(storage::inserisciMancanti(p.db, p.FG2), 0);
    EXPECT_EQ(storage::LeggiOperatori(p.db).size(), prima);
}

TEST(OperatoriMancanti, SoloUfigMancanteAggiuntoUnaVolta)
{
    ProgrammaProva p;
    p.elimina("UFIG");
    storage::controllaPresenza(p.db, p.FG2);
    EXPECT_TRUE(p.rigaVerde(1));
    EXPECT_TRUE(p.rigaVerde(2));
    EXPECT_EQ(p.FG2.sfondo(3, 1), grid::colori::Bianco);

    EXPECT_EQ(storage::inserisciMancanti(p.db, p.FG2), 1);
    storage::controllaPresenza(p.db, p.FG2);
    EXPECT_TRUE(p.rigaVerde(3));
    // The workbench's list, read afresh, carries the new row with its class and flags.
    bool trovato = false;
    for (const auto& r : storage::LeggiOperatori(p.db))
        if (r.operatore == "UFIG") {
            trovato = true;
            EXPECT_EQ(r.tipo, 2);
            EXPECT_EQ(r.r1 + r.p1 + r.r2 + r.p2, "SiSiSiSi");
            EXPECT_EQ(r.spiegazione, "Unisce le figure di 2 numeri (F90)");
        }
    EXPECT_TRUE(trovato);
}

TEST(OperatoriMancanti, VerdeRestaAncheDopoUnaCancellazione)
{
    ProgrammaProva p;
    storage::controllaPresenza(p.db, p.FG2);
    p.elimina("UFIG");
    storage::controllaPresenza(p.db, p.FG2);
    EXPECT_TRUE(p.rigaVerde(3));
    EXPECT_EQ(storage::inserisciMancanti(p.db, p.FG2), 0);
    EXPECT_FALSE(p.presente("UFIG"));
}

TEST(OperatoriMancanti, ErroreLasciaLaTabellaComEra)
{
    ProgrammaProva p;
    p.elimina("SOM+");
    p.elimina("UFIG");
    storage::controllaPresenza(p.db, p.FG2);
    // UFIG arrives after the check, so its row is not green when the insertion runs.
    p.db.esegui("INSERT INTO Operatori (Operatore, Tipo) VALUES ('UFIG', 2)");
    EXPECT_THROW(storage::inserisciMancanti(p.db, p.FG2), storage::ErroreDatabase);
    EXPECT_FALSE(p.presente("SOM+")) << "SOM+ rolled back with the failed UFIG";

    storage::controllaPresenza(p.db, p.FG2);
    EXPECT_TRUE(p.rigaVerde(3));
    EXPECT_EQ(storage::inserisciMancanti(p.db, p.FG2), 1);
    EXPECT_TRUE(p.presente("SOM+"));
}

TEST(OperatoriMancanti, ErroreDelControlloLasciaIColori)
{
    ProgrammaProva p;
    storage::controllaPresenza(p.db, p.FG2);
    p.db.esegui("DROP TABLE Operatori");
    EXPECT_THROW(storage::controllaPresenza(p.db, p.FG2), storage::ErroreDatabase);
    for (int r = 1; r <= 3; ++r)
        EXPECT_TRUE(p.rigaVerde(r)) << r;
}
