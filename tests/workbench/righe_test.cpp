// The rows of the result grids and of the catalogue: a formula through a result row and back, FgOp's named columns.
#include "workbench/Ambate.h"
#include "workbench/Candidati.h"
#include "workbench/Trasferimenti.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace workbench;

// Every class through rigaDellaFormula, the grid and back: the same formula, and the
// cells of the parameters the class does not use left empty.
TEST(Righe, FormulaInUnaRigaDiRisultatoEIndietro)
{
    const engine::Formula formule[] = {
        {"DEC", 1, 2, 3, 0, 0, 0},  {"SOM", 2, 1, 4, 5, 10, 0}, {"FIX", 3, 3, 9, 0, 0, 0},
        {"NUM", 4, 0, 0, 0, 0, 44}, {"NUM", 5, 4, 7, 0, 0, 6},  {"MAG5", 6, 0, 8, 0, 0, 0},
        {"SOM+", 7, 5, 1, 2, 6, 89},
    };
    grid::Grid g;
    preparaGrigliaEsiti(g);
    g.setRighe(3);
    for (const auto& f : formule) {
        const RigaEsito e = rigaDellaFormula(f, 7, 9);
        scriviRigaEsito(g, 2, e);
        // The cells show the fields the class fills, the others empty.
        EXPECT_EQ(g.testo(2, colEsiti::Formula), f.codice);
        EXPECT_EQ(g.testo(2, colEsiti::Tipo), std::to_string(f.tipo));
        EXPECT_EQ(g.testo(2, colEsiti::P1), e.p1 ? std::to_string(*e.p1) : "") << f.codice;
        EXPECT_EQ(g.testo(2, colEsiti::Val), e.val ? std::to_string(*e.val) : "") << f.codice;
        EXPECT_EQ(e.cop, 7);
        EXPECT_EQ(e.tot, 9);
        const engine::Formula r = formulaDellaRiga(e);
        EXPECT_EQ(r.codice, f.codice);
        EXPECT_EQ(std::tie(r.tipo, r.P1, r.R1, r.P2, r.R2, r.valore), std::tie(f.tipo, f.P1, f.R1, f.P2, f.R2, f.valore))
            << f.codice;
        const auto usati = engine::parametriDellaClasse(f.tipo);
        EXPECT_EQ(e.p1.has_value(), usati.posizione1) << f.codice;
        EXPECT_EQ(e.r2.has_value(), usati.riferimento2) << f.codice;
        EXPECT_EQ(e.val.has_value(), usati.valore) << f.codice;
    }
    // The header names what the named columns hold.
    EXPECT_EQ(g.testo(0, colEsiti::Formula), "Formula");
    EXPECT_EQ(g.testo(0, colEsiti::Tipo), "Operatore");
    EXPECT_EQ(g.testo(0, colEsiti::P2), "P2");
    EXPECT_EQ(g.testo(0, colEsiti::Val), "Val   ");
    // Val of type 6 is the pair search's last forecast, not a parameter.
    RigaEsito sei = rigaDellaFormula(formule[5], 1, 1);
    sei.val = 47;
    EXPECT_EQ(formulaDellaRiga(sei).valore, 0);
}

// A candidate's index in its class and back, for every index of every class; a few worked out
// by hand through the row the searches write for it.
TEST(Righe, IndiceDelCandidatoEIndietro)
{
    for (int tipo = 1; tipo <= 7; ++tipo)
        for (int i = 0; i < candidati::quanti(tipo); ++i)
            ASSERT_EQ(candidati::codifica(tipo, candidati::decodifica(tipo, i)), i) << tipo;
    EXPECT_EQ(candidati::quanti(7), 272250);
    EXPECT_EQ(candidati::quanti(8), 0);
    // (55 * 1 + 7) * 90 + 12: Bari 2, Cagliari 3, V 12.
    const RigaEsito sette = rigaCandidato({"SOM+", 7, true}, 5592, 3, 4);
    EXPECT_EQ(std::make_tuple(*sette.r1, *sette.p1, *sette.r2, *sette.p2, *sette.val), std::make_tuple(0, 2, 1, 3, 12));
    // 3 * 55 + 10: Firenze 1 three draws back.
    const RigaEsito cinque = rigaCandidato({"NUM", 5, true}, 175, 1, 1);
    EXPECT_EQ(std::make_tuple(*cinque.r1, *cinque.p1, *cinque.val), std::make_tuple(2, 1, 3));
    EXPECT_EQ(*rigaCandidato({"NUM", 4, true}, 43, 1, 1).val, 44);
    EXPECT_EQ(*rigaCandidato({"MAG5", 6, true}, 8, 1, 1).r1, 8);
}

// FgOp puts the positions before the wheels (FG2 of the operator window the other way
// round): a row written and read back keeps each field, under its own header.
TEST(Righe, ColonneDelCatalogoFgOp)
{
    Banco b;
    preparaBanco(b);
    elencaOperatori(b, {{"MED2", 2, "r1", "p1", "r2", "p2", "media"}});
    ASSERT_EQ(b.operatori.size(), 1u);
    const auto& op = b.operatori[0];
    EXPECT_EQ(std::tie(op.operatore, op.tipo, op.r1, op.p1, op.r2, op.p2, op.spiegazione),
              std::make_tuple(std::string("MED2"), 2, std::string("r1"), std::string("p1"), std::string("r2"),
                              std::string("p2"), std::string("media")));
    // Each column's text is the field under its own header.
    const std::vector<std::string> intestazione = {"", "Oper", "Tipo", "P1", "P2", "R1", "R2", "Spiegazione"};
    const std::vector<std::string> testi = {"", "MED2", "2", "p1", "p2", "r1", "r2", "media"};
    std::vector<std::string> titoli, celle;
    for (std::string_view resto = intestazioni::FgOp;;) {
        const auto bar = resto.find('|');
        titoli.emplace_back(resto.substr(0, bar));
        if (bar == std::string_view::npos)
            break;
        resto.remove_prefix(bar + 1);
    }
    for (int c = colOp::Scelta; c <= colOp::Spiegazione; ++c)
        celle.push_back(testoOperatore(op, c));
    EXPECT_EQ(titoli, intestazione);
    EXPECT_EQ(celle, testi);
    EXPECT_EQ(testoOperatore(op, colOp::Spiegazione + 1), "");
}
