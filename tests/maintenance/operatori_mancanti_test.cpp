// The operator catalogue window's commands without a screen: FG2's design, the check's marks, the insertion all or none.
#include "maintenance/OperatoriMancanti.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
constexpr grid::Colore Verde = 65280;

bool presente(storage::Database& db, const char* codice)
{
    auto s = db.prepara("SELECT count(*) FROM Operatori WHERE Operatore = ?1");
    s.lega(1, codice);
    s.avanza();
    return s.intero(0) == 1;
}
}

TEST(OperatoriMancanti, FG2ComeDisegnato)
{
    grid::Grid FG2;
    maintenance::preparaFG2(FG2);
    ASSERT_EQ(FG2.righe(), 4);
    ASSERT_EQ(FG2.colonne(), 8);
    const char* intestazione[] = {"", "Operatore", "Tipo", "R1", "P1", "R2", "P2", ""};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(FG2.testo(0, c), intestazione[c]);
        EXPECT_EQ(FG2.colonna(c).allineamento == grid::Allineamento::Centro, c >= 1 && c <= 6) << c;
    }
    const std::vector<std::vector<std::string>> righe = {
        {"PER+", "7", "Si", "Si", "Si", "Si", "Moltiplica 2 numeri e aggiunge fisso"},
        {"SOM+", "7", "Si", "Si", "Si", "Si", "Somma due numeri e aggiunge fisso"},
        {"UFIG", "2", "Si", "Si", "Si", "Si", "Unisce le figure di 2 numeri (F90)"}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 7; ++c)
            EXPECT_EQ(FG2.testo(r, c), righe[r - 1][c - 1]) << r << "," << c;
}

TEST(OperatoriMancanti, InserimentoTuttoONienteEListaDelBanco)
{
    testsupport::CartellaTemporanea dir;
    auto db = storage::ApriDatabaseProgramma(dir.percorso().string());
    grid::Grid FG2;
    maintenance::preparaFG2(FG2);
    db.esegui("DELETE FROM Operatori WHERE Operatore IN ('SOM+', 'UFIG')");
    maintenance::Presenze presenti;
    maintenance::controllaPresenza(db, presenti);
    EXPECT_EQ(presenti, (maintenance::Presenze{true, false, false}));
    maintenance::mostraPresenze(presenti, FG2);
    EXPECT_EQ(FG2.sfondo(1, 7), Verde);
    EXPECT_NE(FG2.sfondo(1, 0), Verde) << "the row selector keeps its colour";
    EXPECT_EQ(FG2.sfondo(2, 1), grid::colori::Bianco);

    // UFIG arrives after the check: its row is not green, its insertion fails and takes SOM+ back with it.
    db.esegui("INSERT INTO Operatori (Operatore, Tipo) VALUES ('UFIG', 2)");
    EXPECT_THROW(maintenance::inserisciMancanti(db, presenti), storage::ErroreDatabase);
    EXPECT_FALSE(presente(db, "SOM+"));

    // A mark stays once made, even for a code since gone from the table.
    db.esegui("DELETE FROM Operatori WHERE Operatore = 'PER+'");
    maintenance::controllaPresenza(db, presenti);
    EXPECT_EQ(presenti, (maintenance::Presenze{true, false, true}));
    EXPECT_EQ(maintenance::inserisciMancanti(db, presenti), 1);
    EXPECT_FALSE(presente(db, "PER+"));
    // The workbench's list, read afresh, carries the new row with its class and flags.
    bool trovato = false;
    for (const auto& r : storage::LeggiOperatori(db))
        if (r.operatore == "SOM+") {
            trovato = true;
            EXPECT_EQ(r.tipo, 7);
            EXPECT_EQ(r.r1 + r.p1 + r.r2 + r.p2, "SiSiSiSi");
            EXPECT_EQ(r.spiegazione, "Somma due numeri e aggiunge fisso");
        }
    EXPECT_TRUE(trovato);
}

// FG2 puts the wheels before the positions (the workbench's FgOp the other way round):
// a row written and read back keeps each field, under its own header.
TEST(OperatoriMancanti, ColonneDiFG2)
{
    grid::Grid FG2;
    maintenance::preparaFG2(FG2);
    maintenance::scriviRigaFG2(FG2, 1, {"MED2", 2, "r1", "p1", "r2", "p2", "media"});
    const std::vector<std::string> attese = {"MED2", "2", "r1", "p1", "r2", "p2", "media"};
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(FG2.testo(1, c), attese[static_cast<std::size_t>(c - 1)]) << c;
    using namespace maintenance::colFG2;
    for (auto [c, nome] : {std::pair{Oper, "Operatore"}, {Tipo, "Tipo"}, {R1, "R1"}, {P1, "P1"}, {R2, "R2"}, {P2, "P2"}})
        EXPECT_EQ(FG2.testo(0, c), nome);
}
