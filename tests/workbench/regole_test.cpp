// The rules every search shares: a wheel not drawn, fixed numbers in disguise, ties, and the lines in words.
#include "engine/Verifica.h"
#include "support/ArchivioDimostrativo.h"
#include "support/RuotaTardiva.h"
#include "workbench/Casi.h"
#include "workbench/Elabora.h"
#include "workbench/Trasferimenti.h"
#include "workbench/NoteRicerca.h"
#include "workbench/RicercheProva.h"

#include <gtest/gtest.h>

using namespace workbench;

namespace {

constexpr int NZ = 10;

// The default catalogue chosen, Bari in play, the cases of "Mensile" at reference R.
Banco bancoTardivo(int R, int casi, int colpi)
{
    const auto& a = testsupport::archivioRuotaTardiva();
    Banco b;
    apriBanco(b, a);
    auto catalogo = storage::CatalogoPredefinito();
    std::sort(catalogo.begin(), catalogo.end(), [](const auto& x, const auto& y) { return x.operatore < y.operatore; });
    elencaOperatori(b, catalogo);
    selezionaOperatori(b, true);
    impostaRiferimento(b, a, R);
    impostaMensileDaRiferimento(b, a);
    b.numeroCasi = casi;
    b.colpi = colpi;
    EXPECT_FALSE(RicavaEstrazioni(b, a));
    return b;
}

bool leggeNazionale(const RigaEsito& e) { return e.r1 == NZ || e.r2 == NZ; }

}

// Before the Nazionale is drawn no formula reading it scores, none has an ambata, and that
// is no error; once it is drawn the same formulas are computed on the cases where it was.
TEST(RuotaNonEstratta, NessunaFormulaLaLeggePrimaCheSiaEstratta)
{
    const auto& a = testsupport::archivioRuotaTardiva();
    ASSERT_EQ(a.NumeroEstrazioni, testsupport::EstrazioniRuotaTardiva);
    ASSERT_FALSE(a.ruotaEstratta(testsupport::PrimaNazionale - 1, NZ));
    ASSERT_TRUE(a.ruotaEstratta(testsupport::PrimaNazionale, NZ));

    const Banco prima = bancoTardivo(12, 6, 4);
    const auto imp = leggiImpostazioniRicerca(prima, TipoRicerca::Ambate);
    const auto r = cercaFormule(imp, a);
    EXPECT_FALSE(r.anomalia);
    ASSERT_FALSE(r.righe.front().vuota());
    for (const auto& e : r.righe)
        EXPECT_FALSE(!e.vuota() && leggeNazionale(e)) << e.formula << " " << e.cop;
    const auto note = noteRicerca(imp, r, a);
    EXPECT_TRUE(std::any_of(note.begin(), note.end(), [](const std::string& n) {
        return n.rfind("NZ non estratta in ", 0) == 0 && n.find("e nel riferimento") != std::string::npos;
    }));
    testsupport::confronta(imp, a, "Nazionale non ancora estratta");

    // A formula of the Nazionale plays nothing at 12, its own number at 30.
    const RigaEsito num = rigaDellaFormula(engine::Formula{"NUM", 1, 1, NZ, 0, 0, 0}, 1, 1);
    EXPECT_FALSE(previsioneRiga(num, a, 12));
    EXPECT_EQ(previsioneRiga(num, a, 30), a.numero(30, NZ, 1));
    const RigaEsito fix = rigaDellaFormula(engine::Formula{"FIX", 3, 2, NZ, 0, 0, 66}, 1, 1);
    EXPECT_FALSE(previsioneRiga(fix, a, 12));

    // At 30 the cases run across the wheel's start: the search agrees with the plain one,
    // and the verification gives no number where the wheel was not drawn.
    Banco dopo = bancoTardivo(30, 8, 4);
    testsupport::confronta(leggiImpostazioniRicerca(dopo, TipoRicerca::Ambate), a, "Nazionale estratta da meta'");
    engine::ParametriVerifica pv;
    pv.colpi = 4;
    pv.riferimento = 30;
    pv.ruote = ruoteInGioco(dopo);
    engine::VerificaFormula(engine::Formula{"NUM", 1, 1, NZ, 0, 0, 0}, pv, dopo.casi, dopo.righeVerifica, dopo.numeriCasi, a);
    const grid::Grid FgL = grigliaFgL(dopo);
    int prima16 = 0, dopo16 = 0;
    for (int k = 1, l = 1; k < grigliaFgEv(dopo).righe(); ++k) {
        const int d = grigliaFgEv(dopo).intero(k, 1);
        while (l < FgL.righe() && FgL.intero(l, engine::colL::Rif) != k)
            ++l;
        ASSERT_LT(l, FgL.righe());
        const std::string previsto = FgL.testo(l, engine::colL::G1);
        if (d < testsupport::PrimaNazionale) {
            ++prima16;
            EXPECT_EQ(previsto, engine::TestoRuotaNonEstratta);
            EXPECT_FALSE(dopo.numeriCasi[static_cast<std::size_t>(k - 1)][0]);
            EXPECT_EQ(FgL.testo(l, engine::colL::C), "");
        } else {
            ++dopo16;
            EXPECT_EQ(previsto, std::to_string(a.numero(d, NZ, 1)));
        }
    }
    EXPECT_GT(prima16, 0);
    EXPECT_GT(dopo16, 0);
}

// "1-2" of a number and itself is always 90: with 90 on Bari in every draw it would cover
// every case. It is skipped, as is DIFF of a cell and itself; SOM of a cell and itself
// (twice the number) is a real formula.
TEST(FissoTravestito, UnNumeroMenoSeStessoNonEMaiPrimo)
{
    auto a = testsupport::archivioVuoto(40);
    for (int d = 1; d <= 40; ++d)
        for (int p = 1; p <= 5; ++p)
            a.setNumero(d, 0, p, static_cast<std::int16_t>(p == 5 ? 90 : (d * 11 + p * 7) % 89 + 1));
    ImpostazioniRicerca imp;
    imp.colpi = 2;
    imp.riferimento = 40;
    imp.ruote[0] = true;
    for (int d : {5, 12, 20, 33})
        imp.casi.push_back({d, true, {}});
    imp.operatori = {{"1-2", 2, true}, {"DIFF", 2, true}, {"SOM", 2, true}};
    const auto r = cercaFormule(imp, a);
    ASSERT_FALSE(r.righe.front().vuota());
    for (const auto& e : r.righe) {
        if (!e.vuota()) {
            EXPECT_FALSE(e.r1 == e.r2 && e.p1 == e.p2 && e.formula != "SOM") << e.formula << " " << *e.r1 << "/" << *e.p1;
        }
    }
    testsupport::confronta(imp, a, "x - x");

    // The tables say which candidates are fixed: 55 of "1-2", none of SOM (x + x varies).
    const auto fissi = [&](const char* codice) {
        return candidatiFissi(2, tabulaOperatore(engine::IndiceOperatore(codice), 91, 1, a, 1, [] {}));
    };
    const auto meno = fissi("1-2");
    ASSERT_EQ(meno.size(), 55u);
    EXPECT_EQ(meno[1], 56);   // Bari 2 with itself
    EXPECT_TRUE(fissi("SOM").empty());
}

// A formula that reads the draw is a fixed number only when that is proved: the same value
// on varied draws and on every content of what it reads (at most two numbers); one that
// reads more, or a draw before the case's, is never taken for a fixed number.
TEST(FissoTravestito, SoloQuandoDimostratoPerChiLeggeLEstrazione)
{
    const auto n = [](const archive::Archivio& a, int d, int w, int p) { return static_cast<int>(a.numero(d, w, p)); };
    int k = 0;
    EXPECT_TRUE(costanteSuOgniEstrazione({{0, 1}}, [&](const archive::Archivio& a, int d) { return n(a, d, 0, 1) - n(a, d, 0, 1) + 5; }, k));
    EXPECT_EQ(k, 5);
    EXPECT_FALSE(costanteSuOgniEstrazione({{0, 1}}, [&](const archive::Archivio& a, int d) { return n(a, d, 0, 1); }, k));
    // The same on the varied draws, different on one content of the two numbers read.
    EXPECT_FALSE(costanteSuOgniEstrazione({{0, 1}, {3, 2}}, [&](const archive::Archivio& a, int d) {
        return n(a, d, 0, 1) == 90 && n(a, d, 3, 2) == 89 ? 2 : 1;
    }, k));
    EXPECT_TRUE(costanteSuOgniEstrazione({{0, 1}, {3, 2}}, [&](const archive::Archivio& a, int d) {
        return (n(a, d, 0, 1) + n(a, d, 3, 2)) % 2 == (n(a, d, 3, 2) + n(a, d, 0, 1)) % 2 ? 7 : 1;
    }, k));
    EXPECT_EQ(k, 7);
    const auto sette = [](const archive::Archivio&, int) { return 7; };
    EXPECT_FALSE(costanteSuOgniEstrazione({{0, 1}, {0, 2}, {0, 3}}, sette, k));
    EXPECT_FALSE(costanteSuOgniEstrazione({{0, 1, 3}}, sette, k));
    EXPECT_TRUE(costanteSuOgniEstrazione({}, sette, k));

    // The catalogue's operators that read the draw always depend on it, in every class
    // (MED2 of a cell with itself is that number, not a constant); class 7 is MED2's widest.
    for (const char* codice : {"SOMN", "MED", "PIRN", "MED2", "MAG5", "MIN5", "PIRD"})
        for (int tipo : {1, 2, 3, 4, 5, 6})
            EXPECT_TRUE(candidatiFissiDiretti(tipo, engine::IndiceOperatore(codice)).empty()) << codice << " " << tipo;
    EXPECT_TRUE(candidatiFissiDiretti(7, engine::IndiceOperatore("MED2")).empty());
}

// Equal Cop go by Tot, equal both in catalogue order; the ties of the top row are counted
// with the different numbers they play, and said in words.
TEST(PariMerito, OrdinatiPerTotEContati)
{
    auto a = testsupport::archivioVuoto(20);
    // Case 2: 17 on Bari at colpo 1; case 8: 17 on Bari and Cagliari at colpo 1; 23 once on Bari.
    for (int d : {2, 8, 10})
        for (int w : {0, 1})
            a.setNumero(d, w, 1, static_cast<std::int16_t>(d + w));
    a.setNumero(3, 0, 2, 17);
    a.setNumero(9, 0, 2, 17);
    a.setNumero(9, 1, 2, 17);
    a.setNumero(3, 1, 3, 23);
    a.setNumero(9, 0, 3, 23);
    ImpostazioniRicerca imp;
    imp.colpi = 1;
    imp.riferimento = 20;
    imp.ruote[0] = imp.ruote[1] = true;
    imp.casi = {{2, true, {}}, {8, true, {}}};
    imp.operatori = {{"FIX", 3, true}};
    const auto r = cercaFormule(imp, a);
    // FIX Bari 1 + 15 gives 17 on case 2, + 9 on case 8: one row for each value...
    // The top rows cover both cases; among them Tot decides, then enumeration order.
    ASSERT_FALSE(r.righe[0].vuota());
    for (std::size_t i = 1; i < r.righe.size() && !r.righe[i].vuota(); ++i) {
        const auto& x = r.righe[i - 1];
        const auto& y = r.righe[i];
        EXPECT_TRUE(x.cop > y.cop || (x.cop == y.cop && x.tot >= y.tot)) << i;
    }
    testsupport::confronta(imp, a, "pari merito");
    int pari = 0;
    for (const auto& e : r.righe)
        pari += !e.vuota() && e.cop == r.righe[0].cop && e.tot == r.righe[0].tot;
    EXPECT_EQ(r.pari.formule, pari);
    EXPECT_EQ(testoPariMerito(PariMerito{26, 7, true}, TipoRicerca::Ambate), "26 formule a pari merito, 7 ambate diverse");
    EXPECT_EQ(testoPariMerito(PariMerito{3, 1, true}, TipoRicerca::Ambate), "3 formule a pari merito, 1 ambata");
    EXPECT_EQ(testoPariMerito(PariMerito{1500, 7, false}, TipoRicerca::AbbinamentiAmbo), "1500 formule a pari merito, almeno 7 numeri diversi");
    EXPECT_EQ(testoPariMerito(PariMerito{1, 1, true}, TipoRicerca::Ambate), "");

    // A class-4 operator of the user's catalogue: its rows are named fixed numbers.
    imp.operatori.push_back({"VAL", 4, true});
    const auto conFisso = cercaFormule(imp, a);
    const auto note = noteRicerca(imp, conFisso, a);
    EXPECT_TRUE(std::any_of(note.begin(), note.end(), [](const std::string& n) {
        return n.rfind("Numero fisso: VAL (tipo 4)", 0) == 0;
    }));
}

// All wheels and C 20: a blind number comes out in every case, and the results say so.
TEST(NoteRicerca, ImpostazioniCheNonDistinguonoENessunCaso)
{
    const auto& demo = testsupport::archivioDimostrativo();
    Banco b;
    apriBanco(b, demo);
    impostaRiferimento(b, demo, 6000);
    impostaMensileDaRiferimento(b, demo);
    b.colpi = 20;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b, w, true);
    ASSERT_FALSE(RicavaEstrazioni(b, demo));
    auto imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    RisultatoRicerca vuoto;
    const auto note = noteRicerca(imp, vuoto, demo);
    EXPECT_TRUE(std::any_of(note.begin(), note.end(), [](const std::string& n) {
        return n.find("non distinguono una formula dall'altra") != std::string::npos;
    }));
    setRuotaInGioco(b, 3, false);
    for (int w = 1; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b, w, false);
    b.colpi = 8;
    imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    for (const auto& n : noteRicerca(imp, vuoto, demo))
        EXPECT_EQ(n.find("non distinguono"), std::string::npos) << n;

    // "Mensile" with one case: the case is the reference itself and has no colpo.
    b.numeroCasi = 1;
    ASSERT_FALSE(RicavaEstrazioni(b, demo));
    imp = leggiImpostazioniRicerca(b, TipoRicerca::Ambate);
    ASSERT_EQ(imp.casi.size(), 1u);
    EXPECT_EQ(imp.casi[0].estrazione, 6000);
    const auto nessuno = noteRicerca(imp, vuoto, demo);
    ASSERT_EQ(nessuno.size(), 1u);
    EXPECT_EQ(nessuno[0].rfind("Nessun caso da verificare: nessuno dei 1 casi", 0), 0u) << nessuno[0];
    imp.casi.clear();
    EXPECT_EQ(motivoNessunCaso(imp, demo).rfind("Nessun caso da verificare: la base dati è vuota", 0), 0u);
}
