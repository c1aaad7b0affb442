// AMBATE: scoring and ranking rules on small archives, and the fast search against the plain one on the real archive.
#include "RicercheProva.h"
#include "engine/Operatori.h"
#include "storage/ProgramDb.h"
#include "support/ArchivioReale.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "workbench/RicercaRiferimento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace workbench;
using testsupport::archivioVuoto;
using testsupport::trova;

namespace {

// Type 4 with NUM: the candidate n forecasts n itself on every case.
ImpostazioniRicerca impostazioniNum(std::vector<int> casi, int riferimento)
{
    ImpostazioniRicerca imp;
    imp.lista = 100;
    imp.colpi = 3;
    imp.riferimento = riferimento;
    imp.ruote.fill(true);
    for (int d : casi)
        imp.casi.push_back({d, true, {}});
    imp.operatori.push_back({"NUM", 4, true});
    return imp;
}

TEST(Ambate, ContaCasiERuoteNelPrimoColpoVincente)
{
    auto a = archivioVuoto(20);
    // Case 2: 17 on Bari and Cagliari at colpo 2, again at colpo 3 (not counted).
    a.setNumero(4, 0, 3, 17);
    a.setNumero(4, 1, 1, 17);
    a.setNumero(5, 2, 1, 17);
    // Case 10: 17 on Roma at colpo 1.
    a.setNumero(11, 7, 5, 17);
    // 17 at colpo 4 of case 10: beyond the colpi.
    a.setNumero(14, 0, 1, 40);
    const auto r = cercaFormule(impostazioniNum({2, 10}, 20), a);
    ASSERT_EQ(r.righe.size(), 100u);
    EXPECT_FALSE(r.anomalia);
    const RigaEsito* e = trova(r, 17);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->cop, 2);
    EXPECT_EQ(e->tot, 3);
    EXPECT_EQ(trova(r, 40), nullptr);
    EXPECT_EQ(r.righe[0].formula, "NUM");
    EXPECT_EQ(r.righe[0].val, 17);
}

TEST(Ambate, NessunColpoDopoIlRiferimentoENessunCasoDopoDiEsso)
{
    auto a = archivioVuoto(20);
    a.setNumero(6, 0, 1, 17);    // colpo 1 of case 5, but after R = 5
    a.setNumero(9, 0, 1, 23);    // colpo 1 of case 8, a case after R
    auto imp = impostazioniNum({5, 8}, 5);
    const auto r = cercaFormule(imp, a);
    EXPECT_EQ(trova(r, 17), nullptr);
    EXPECT_EQ(trova(r, 23), nullptr);
    EXPECT_FALSE(r.anomalia);
    imp.riferimento = 6;
    EXPECT_NE(trova(cercaFormule(imp, a), 17), nullptr);
}

TEST(Ambate, ZeroNonEUnNumeroEstratto)
{
    // MIN5 of a wheel not drawn on the case gives 0; the wheels not drawn in the
    // following draw hold 0 as well, which must not count as a win.
    const auto a = archivioVuoto(10);
    ImpostazioniRicerca imp = impostazioniNum({3}, 10);
    imp.operatori = {{"MIN5", 6, true}};
    const auto r = cercaFormule(imp, a);
    EXPECT_TRUE(std::all_of(r.righe.begin(), r.righe.end(), [](const RigaEsito& e) { return e.vuota(); }));
    bool anomalia = false;
    const grid::Grid g = cercaFormuleRiferimento(imp, a, anomalia);
    EXPECT_EQ(g.testo(1, 3), "");
}

TEST(Ambate, RegolaDiInserimentoTotControCopEOrdineStabile)
{
    auto a = archivioVuoto(40);
    // n = 30: Cop 5, Tot 5 (cases 1, 5, 9, 13, 17, one wheel each).
    for (int d : {1, 5, 9, 13, 17})
        a.setNumero(d + 1, 0, 1, 30);
    // n = 40: Cop 3, Tot 6 (cases 21, 25, 29 on two wheels each).
    for (int d : {21, 25, 29}) {
        a.setNumero(d + 1, 0, 1, 40);
        a.setNumero(d + 1, 1, 1, 40);
    }
    // n = 50 and n = 60: Cop 5, Tot 5, after 30 in enumeration order.
    for (int d : {1, 5, 9, 13, 17}) {
        a.setNumero(d + 1, 2, 1, 50);
        a.setNumero(d + 1, 3, 1, 60);
    }
    auto imp = impostazioniNum({1, 5, 9, 13, 17, 21, 25, 29}, 40);
    imp.lista = 3;
    // 30, 40 and 50 enter over empty rows; 60 (Tot 5) beats the last row, 40 with
    // Cop 3, and takes its place below the Cop 5 rows that came first.
    auto r = cercaFormule(imp, a);
    ASSERT_EQ(r.righe.size(), 3u);
    EXPECT_EQ(r.righe[0].val, 30);
    EXPECT_EQ(r.righe[1].val, 50);
    EXPECT_EQ(r.righe[2].val, 60);
    // With room for four rows, 40 (Cop 3, Tot 6) stays below the Cop 5 rows.
    imp.lista = 4;
    r = cercaFormule(imp, a);
    EXPECT_EQ(r.righe[3].val, 40);
    EXPECT_EQ(r.righe[3].cop, 3);
    EXPECT_EQ(r.righe[3].tot, 6);
    // Lista 1: 40 (Tot 6 > Cop 5) replaces 30, 50 (Tot 5 > Cop 3) replaces 40,
    // and 60 (Tot 5, not above Cop 5) is dropped.
    imp.lista = 1;
    r = cercaFormule(imp, a);
    EXPECT_EQ(r.righe[0].val, 50);
}

TEST(Ambate, OperatoriNonSceltiECasiScopertiVengonoSaltati)
{
    auto a = archivioVuoto(20);
    a.setNumero(3, 0, 1, 17);
    auto imp = impostazioniNum({2}, 20);
    imp.operatori[0].scelto = false;
    EXPECT_TRUE(cercaFormule(imp, a).righe[0].vuota());
    imp.operatori[0].scelto = true;
    imp.casi[0].abilitato = false;
    EXPECT_TRUE(cercaFormule(imp, a).righe[0].vuota());
}

TEST(Ambate, FormuleNonCalcolabiliSegnalanoLAnomalia)
{
    auto a = archivioVuoto(20);
    a.setNumero(4, 0, 1, 17);
    // A case outside the archive.
    auto imp = impostazioniNum({3, 25}, 20);
    auto r = cercaFormule(imp, a);
    EXPECT_TRUE(r.anomalia);
    EXPECT_NE(trova(r, 17), nullptr);   // the other case still scores
    // Type 5 reaching before draw 1.
    imp = impostazioniNum({3}, 20);
    imp.operatori = {{"NUM", 5, true}};
    r = cercaFormule(imp, a);
    EXPECT_TRUE(r.anomalia);
    bool anomalia = false;
    cercaFormuleRiferimento(imp, a, anomalia);
    EXPECT_TRUE(anomalia);
    // A reference draw outside the archive.
    imp.riferimento = 21;
    EXPECT_TRUE(cercaFormule(imp, a).anomalia);
}

TEST(Ambate, ComandoDelBanco)
{
    auto a = archivioVuoto(30);
    a.setNumero(11, 0, 2, 17);
    a.setNumero(21, 0, 2, 17);
    Banco b;
    preparaBanco(b);
    b.riferimento = 30;
    b.lista = 100;
    b.FgEv.setRighe(3);
    b.FgEv.setNumero(1, 0, 1);
    b.FgEv.setNumero(1, 1, 20);
    b.FgEv.setNumero(2, 0, 2);
    b.FgEv.setNumero(2, 1, 10);
    b.FgOp.setRighe(3);
    b.FgOp.setTesto(1, 1, "DEC");
    b.FgOp.setTesto(1, 2, "1");
    b.FgOp.setTesto(2, 1, "NUM");
    b.FgOp.setTesto(2, 2, "4");
    b.FgOp.setSfondo(2, 0, colori::OperatoreScelto);
    std::vector<std::pair<int, int>> barre;
    const Esito e = Cmd_Step1(b, a, [&](int barra, int v, int) { barre.emplace_back(barra, v); });
    EXPECT_FALSE(e);
    ASSERT_EQ(b.FgEsiti.righe(), 101);
    EXPECT_EQ(b.FgEsiti.testo(1, 1), "2");
    EXPECT_EQ(b.FgEsiti.testo(1, 2), "2");
    EXPECT_EQ(b.FgEsiti.testo(1, 3), "NUM");
    EXPECT_EQ(b.FgEsiti.testo(1, 8), "4");
    EXPECT_EQ(b.FgEsiti.testo(1, 12), "17");
    EXPECT_EQ(b.FgEsiti.testo(1, 4), "");
    EXPECT_EQ(b.FgEsiti.coloreTesto(100, 1), grid::colori::Rosso);
    EXPECT_TRUE(b.FgEsiti.grassetto(1, 11));
    EXPECT_EQ(b.FgEsiti.sfondo(5, 9), grid::rgb(255, 255, 128));
    EXPECT_EQ(b.List1.size(), 2u);
    EXPECT_EQ(barre, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}}));

    // Both cases marked as covered: nothing scores.
    b.casiScoperti = true;
    b.FgEv.setSfondo(1, 0, colori::Selezione);
    b.FgEv.setSfondo(2, 0, colori::Selezione);
    EXPECT_FALSE(Cmd_Step1(b, a));
    EXPECT_EQ(b.FgEsiti.testo(1, 3), "");

    // A case row that names no draw of the archive.
    b.casiScoperti = false;
    b.FgEv.setTesto(2, 1, "99");
    const Esito errore = Cmd_Step1(b, a);
    ASSERT_TRUE(errore);
    EXPECT_EQ(errore->testo, "Probabile errore nelle impostazioni. Accertarsi di avere ricavato una base dati.");
    EXPECT_EQ(errore->titolo, "Avviso");
    EXPECT_EQ(errore->icona, Icona::Critico);
}

TEST(Ambate, PiuDiCentoCasiNelBanco)
{
    // The enabled-case flags follow the rows of FgEv, however many there are.
    auto a = archivioVuoto(300);
    Banco b;
    preparaBanco(b);
    b.riferimento = 300;
    b.colpi = 1;
    b.casiScoperti = true;
    b.FgEv.setRighe(121);
    for (int r = 1; r <= 120; ++r) {
        b.FgEv.setNumero(r, 0, r);
        b.FgEv.setNumero(r, 1, 2 * r);
    }
    a.setNumero(241, 0, 1, 17);   // colpo 1 of case 120 (draw 240)
    a.setNumero(201, 0, 1, 18);   // colpo 1 of case 100 (draw 200)
    b.FgEv.setSfondo(120, 0, colori::Selezione);
    b.FgOp.setRighe(2);
    b.FgOp.setTesto(1, 1, "NUM");
    b.FgOp.setTesto(1, 2, "4");
    b.FgOp.setSfondo(1, 0, colori::OperatoreScelto);
    EXPECT_FALSE(Cmd_Step1(b, a));
    EXPECT_EQ(b.FgEsiti.testo(1, 12), "18");
    EXPECT_EQ(b.FgEsiti.testo(2, 12), "");
}

// --- the fast search against the plain one, on the real archive ---

TEST(AmbateArchivioReale, UgualeAllaRicercaLetterale)
{
    const auto* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non disponibile";
    std::mt19937 rng(20261208);
    for (int prova = 0; prova < 40; ++prova) {
        Banco b;
        testsupport::impostaACaso(b, *a, rng, false);
        testsupport::confronta(leggiImpostazioniRicerca(b, 0), *a, "prova " + std::to_string(prova));
    }
}

TEST(AmbateArchivioReale, UgualeAllaRicercaLetteraleConOperatoriLarghi)
{
    const auto* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non disponibile";
    std::mt19937 rng(7);
    for (int prova = 0; prova < 4; ++prova) {
        Banco b;
        testsupport::impostaACaso(b, *a, rng, true);
        testsupport::confronta(leggiImpostazioniRicerca(b, 0), *a, "larga " + std::to_string(prova));
    }
}

}
