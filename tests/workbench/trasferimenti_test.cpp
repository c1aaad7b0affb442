// The workbench's window commands: formula transfer, pattern rows, bricks, selections, the number board.
#include "workbench/Trasferimenti.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "workbench/TabellaFgX.h"

#include "engine/Piramide.h"

#include <gtest/gtest.h>

#include <set>

using namespace workbench;
using namespace engine::colF;

namespace {

// A result row of FgEsiti as a search writes it: Cop, Tot, Formula, P1, R, Ru1, -, type, P2, R2, Ru2, Val.
// A result row: Cop 9, Tot 11, positions 2 and 4 of Genova (3) and Nazionale (10), value 17.
RigaEsito rigaRisultato(const char* codice, int tipo)
{
    RigaEsito e;
    e.cop = 9;
    e.tot = 11;
    e.formula = codice;
    e.tipo = tipo;
    e.p1 = 2;
    e.r1 = 3;
    e.p2 = 4;
    e.r2 = 10;
    e.val = 17;
    return e;
}

}

TEST(Trasferimenti, FormulaSelezionataNelMattoneCorrente)
{
    Banco b;
    impostaRisultati(b, TipoRicerca::Ambate, {RigaEsito{}, rigaRisultato("SOMV", 7)}, 3);
    // No current brick, or no current result, or an empty result row: nothing happens.
    b.esitoScelto = 2;
    EXPECT_FALSE(impostaFormula(b, TipoRicerca::Ambate));
    b.mattoneCorrente = 9;
    b.esitoScelto = 3;
    EXPECT_FALSE(impostaFormula(b, TipoRicerca::Ambate));
    b.esitoScelto = 4;   // past the rows
    EXPECT_FALSE(impostaFormula(b, TipoRicerca::Ambate));
    EXPECT_EQ(engine::testoMattone(b.mattone(9), Tras), "");
    b.esitoScelto = 2;
    ASSERT_TRUE(impostaFormula(b, TipoRicerca::Ambate));
    const std::pair<int, const char*> attesi[] = {{Tras, "SOMV"}, {Tipo, "7"}, {E1, "2"}, {R1, "3"}, {RU1, "GE"},
                                                  {E2, "4"},      {R2, "10"},  {RU2, "NZ"}, {VAL, "17"}};
    for (const auto& [c, t] : attesi)
        EXPECT_EQ(engine::testoMattone(b.mattone(9), c), t) << "colonna " << c;
    // The brick keeps its place in the triangle.
    EXPECT_EQ(engine::testoMattone(b.mattone(9), Ri), "4");
    EXPECT_EQ(engine::testoMattone(b.mattone(9), Co), "3");
}

TEST(Trasferimenti, CapogiocoNelPrimoMattoneDiOgniLivello)
{
    Banco b;
    archive::Archivio a;
    impostaRisultati(b, TipoRicerca::Ambate, {}, 2);
    const Esito vuoto = impostaCapogioco(b, a);
    ASSERT_TRUE(vuoto);
    EXPECT_EQ(vuoto->testo, "Effettuare le selezioni.");
    impostaRisultati(b, TipoRicerca::Ambate, {rigaRisultato("VERT", 1)}, 2);
    b.esitoScelto = 1;
    impostaCapogioco(b, a);   // no draws: Calcola's own message, the bricks are written all the same
    for (int m = 1; m <= 15; ++m) {
        const bool primo = m == 1 || m == 2 || m == 4 || m == 7 || m == 11;
        EXPECT_EQ(engine::testoMattone(b.mattone(m), Tras), primo ? "VERT" : "") << "mattone " << m;
    }
}

TEST(Trasferimenti, RigheDelModelloNeiMattoniDelLivello)
{
    Banco b;
    for (int k = 1; k <= 4; ++k) {
        b.rigaFg5(k).codice = "OP" + std::to_string(k);
        b.rigaFg5(k).valore = 10 * k;
    }
    impostaLivelloDaFg5(b, 3);
    EXPECT_EQ(engine::testoMattone(b.mattone(4), Tras), "OP1");
    EXPECT_EQ(engine::testoMattone(b.mattone(5), Tras), "OP2");
    EXPECT_EQ(engine::testoMattone(b.mattone(6), Tras), "OP3");
    EXPECT_EQ(engine::testoMattone(b.mattone(6), VAL), "30");
    EXPECT_EQ(engine::testoMattone(b.mattone(6), Ri), "3");
    EXPECT_EQ(engine::testoMattone(b.mattone(6), Co), "3");
    EXPECT_EQ(engine::testoMattone(b.mattone(7), Tras), "");
    EXPECT_EQ(engine::testoMattone(b.mattone(1), Tras), "");
    impostaLivelloDaFg5(b, 6);   // no such level
    EXPECT_EQ(engine::testoMattone(b.mattone(11), Tras), "");

    evidenziaRigaFg5(b, 2);
    EXPECT_EQ(b.rigaFg5Evidenziata, 2);
    evidenziaRigaFg5(b, 6);   // no such row
    EXPECT_EQ(b.rigaFg5Evidenziata, 2);
    svuotaFg5(b);
    EXPECT_EQ(engine::testoMattone(b.rigaFg5(1), Tras), "");
    EXPECT_EQ(engine::testoMattone(b.rigaFg5(3), 0), "3");
    EXPECT_EQ(b.rigaFg5Evidenziata, 0);
}

TEST(Trasferimenti, CancellaENascondeMattoni)
{
    Banco b;
    PannelloPiramidi p;
    b.mattone(5).codice = "SOM";
    engine::impostaCella(b.mattone(5), VAL, "3");
    b.Lbl0[5] = "44";
    b.mattoneCorrente = 5;
    cancellaMattoneCorrente(b);
    EXPECT_EQ(engine::testoMattone(b.mattone(5), Tras), "");
    EXPECT_EQ(engine::testoMattone(b.mattone(5), VAL), "");
    EXPECT_EQ(engine::testoMattone(b.mattone(5), Riga), "5");
    EXPECT_EQ(b.Lbl0[5], "44");

    p.mattoneEvidenziato = 5;
    b.estratti[1].primo = 3;
    deselezionaMattoni(b, p);
    EXPECT_EQ(p.mattoneEvidenziato, 0);
    EXPECT_EQ(b.Lbl0[5], "");
    EXPECT_EQ(b.estratti[1].primo, 0);

    EXPECT_FALSE(b.colonneMattoniNascoste);
    nascondiColonne(b);
    EXPECT_TRUE(b.colonneMattoniNascoste);
}

TEST(Trasferimenti, OperatoriPerRigaPerTipoETutti)
{
    Banco b;
    elencaOperatori(b, {{"A", 1}, {"B", 2}, {"C", 1}, {"D", 7}, {"E", 3}});
    EXPECT_FALSE(tipoSelezionato(b, 1));
    EXPECT_FALSE(tipoSelezionato(b, 5));   // no operator of that type
    selezionaTipo(b, 1, true);
    EXPECT_TRUE(tipoSelezionato(b, 1));
    EXPECT_EQ(b.operatoriScelti, (std::set<std::string>{"A", "C"}));
    toggleOperatore(b, 3);
    EXPECT_FALSE(tipoSelezionato(b, 1));
    toggleOperatore(b, 4);
    toggleOperatore(b, 6);   // no such row: nothing
    EXPECT_EQ(b.operatoriScelti, (std::set<std::string>{"A", "D"}));
    // What a search reads: the catalogue in order, each operator with its choice.
    const auto ricerca = operatoriRicerca(b);
    ASSERT_EQ(ricerca.size(), 5u);
    EXPECT_TRUE(ricerca[3].scelto && ricerca[3].codice == "D" && ricerca[3].tipo == 7);
    EXPECT_FALSE(ricerca[2].scelto);
    // Listing the catalogue again chooses none and makes none current.
    selezionaOperatori(b, false);
    EXPECT_FALSE(operatoriSceltiPresenti(b));
    selezionaOperatori(b, true);
    EXPECT_TRUE(operatoriSceltiPresenti(b));
    operatoreCorrente(b, 5);
    elencaOperatori(b, {{"A", 1}});
    EXPECT_FALSE(operatoriSceltiPresenti(b));
    EXPECT_EQ(operatoreCorrenteDi(b), nullptr);
    elencaOperatori(b, {{"A", 1}, {"B", 2}, {"C", 1}, {"D", 7}, {"E", 3}});
    operatoreCorrente(b, 2);
    operatoreCorrente(b, 4);
    operatoreCorrente(b, 6);   // no such row: the current one stays
    operatoreCorrente(b, 0);
    EXPECT_EQ(b.rigaOperatore, 4);
    ASSERT_NE(operatoreCorrenteDi(b), nullptr);
    EXPECT_EQ(operatoreCorrenteDi(b)->operatore, "D");
    // The code's colour follows its type.
    EXPECT_EQ(coloreCodice(b.operatori[0]), grid::colori::Blu);
    EXPECT_EQ(coloreCodice(b.operatori[1]), grid::colori::Rosso);
    EXPECT_EQ(coloreCodice(b.operatori[3]), std::nullopt);
}

TEST(Trasferimenti, LivelliETabelloneNumeri)
{
    Banco b;
    toggleLivello(b, 3);
    EXPECT_TRUE(b.livelliElabora[2].incluso);
    toggleLivello(b, 3);
    EXPECT_FALSE(b.livelliElabora[2].incluso);
    toggleLivello(b, 0);   // the header
    toggleLivello(b, 6);
    EXPECT_EQ(b.livelliElabora, (std::array<LivelloElabora, 5>{}));
    // A typed sorte is the level's; opening again gives every level sorte 1.
    impostaSorteLivello(b, 4, 3);
    EXPECT_EQ(b.livelliElabora[3].sorte, 3);
    selezionaLivelli(b, true);
    EXPECT_EQ(mancaPerElabora(b), std::nullopt);
    preparaBanco(b);
    EXPECT_EQ(b.livelliElabora, (std::array<LivelloElabora, 5>{}));

    TabelloneNumeri FgNu;
    EXPECT_EQ(numeroDellaCella(3, 2), 33);
    EXPECT_EQ(numeroDellaCella(9, 0), 0);
    toggleNumero(FgNu, 9, 0);   // outside the board: nothing
    toggleNumero(FgNu, 8, 9);
    toggleNumero(FgNu, 0, 4);
    toggleNumero(FgNu, 1, 1);
    EXPECT_EQ(numeriScelti(FgNu), "05-12-90");
    toggleNumero(FgNu, 8, 9);
    EXPECT_EQ(numeriScelti(FgNu), "05-12");
    azzeraTabellone(FgNu);
    EXPECT_EQ(numeriScelti(FgNu), "");
}

TEST(Trasferimenti, ColonnaDiFgXSvuotata)
{
    Banco b;
    impostaCasi(b, archive::Archivio{}, {1, 2});
    azzeraFgX(b);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 5; ++c)
            impostaNumeroCaso(b, r, c, 10 * r + c);
    setNumeroUscito(b, 1, 2, true);
    EXPECT_EQ(tabellaFgX(b).sfondo(1, 2), colori::VerdeChiaro);
    svuotaColonnaFgX(b, 2);
    EXPECT_EQ(tabellaFgX(b).testo(1, 2), "");
    EXPECT_EQ(tabellaFgX(b).testo(2, 2), "");
    EXPECT_EQ(tabellaFgX(b).sfondo(1, 2), grid::colori::Bianco);
    EXPECT_EQ(tabellaFgX(b).testo(1, 3), "13");
    EXPECT_EQ(tabellaFgX(b).testo(2, 0), "2");
    svuotaColonnaFgX(b, 0);   // the case numbers stay
    EXPECT_EQ(tabellaFgX(b).testo(2, 0), "2");
}
