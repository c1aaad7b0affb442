// ABBINAMENTI: the ambo and terno rule on small archives, and the fast search against the plain one on the demonstration and the real archive.
#include "RicercheProva.h"
#include "support/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"
#include "workbench/Abbinamenti.h"
#include "workbench/Trasferimenti.h"

#include <gtest/gtest.h>

using namespace workbench;
using testsupport::archivioVuoto;
using testsupport::trova;

namespace {

// NUM of type 4: candidate n joins the case's numbers as n.
ImpostazioniRicerca impostazioni(int sorte, std::array<int, 5> giocati)
{
    ImpostazioniRicerca imp;
    imp.lista = 100;
    imp.colpi = 3;
    imp.riferimento = 20;
    imp.tipo = *ricercaDellaSorte(sorte);
    imp.ruote.fill(false);
    imp.ruote[0] = imp.ruote[1] = true;
    imp.casi.push_back({2, true, giocati});
    imp.operatori.push_back({"NUM", 4, true});
    return imp;
}

int piene(const RisultatoRicerca& r)
{
    return static_cast<int>(std::count_if(r.righe.begin(), r.righe.end(), [](const RigaEsito& e) { return !e.vuota(); }));
}

TEST(Abbinamenti, AmboConUnNumeroDelCasoSullaStessaRuota)
{
    auto a = archivioVuoto(20);
    a.setNumero(4, 0, 1, 17);   // colpo 2, Bari: 17 and 33
    a.setNumero(4, 0, 4, 33);
    a.setNumero(4, 1, 2, 55);   // Cagliari: 55 alone
    a.setNumero(4, 2, 2, 33);   // Firenze is not in play
    a.setNumero(4, 2, 3, 55);
    const auto r = cercaFormule(impostazioni(2, {33, 0, 0, 0, 0}), a);
    EXPECT_FALSE(r.anomalia);
    const RigaEsito* e = trova(r, 17);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->cop, 1);
    EXPECT_EQ(e->tot, 1);
    // 55 with 33: on Cagliari 55 is alone, on Firenze the wheel is not in play.
    EXPECT_EQ(trova(r, 55), nullptr);
    EXPECT_EQ(piene(r), 1);
}

TEST(Abbinamenti, DueNumeriDelCasoVinconoQualunqueSiaLaFormula)
{
    auto a = archivioVuoto(20);
    a.setNumero(3, 1, 1, 10);
    a.setNumero(3, 1, 5, 20);
    // The case's own ambo wins for every n: 90 rows with Cop 1, Tot 1, in n order.
    const auto r = cercaFormule(impostazioni(2, {10, 20, 0, 0, 0}), a);
    EXPECT_EQ(piene(r), 90);
    EXPECT_EQ(r.righe[0].val, 1);
    EXPECT_EQ(r.righe[89].val, 90);
    // Terno: the two numbers and the formula's 30 on one wheel.
    a.setNumero(3, 1, 3, 30);
    const auto t = cercaFormule(impostazioni(3, {10, 20, 0, 0, 0}), a);
    EXPECT_EQ(piene(t), 1);
    ASSERT_NE(trova(t, 30), nullptr);
    // Without the formula's number no terno: an empty FgX row never wins alone.
    EXPECT_EQ(piene(cercaFormule(impostazioni(3, {0, 0, 0, 0, 0}), a)), 0);
}

TEST(Abbinamenti, CelleVuoteENumeriNonEstrattiNonVincono)
{
    // Wheels not drawn hold 0: an empty FgX cell (0) must not match them.
    auto a = archivioVuoto(20);
    const auto r = cercaFormule(impostazioni(2, {0, 0, 0, 0, 0}), a);
    EXPECT_EQ(piene(r), 0);
}

TEST(Abbinamenti, TipoSeiMostraIlNumeroDellUltimoCaso)
{
    auto a = archivioVuoto(20);
    for (int p = 1; p <= 5; ++p) {
        a.setNumero(2, 0, p, static_cast<std::int16_t>(p * 10));      // case 2: MAG5 of Bari = 50
        a.setNumero(6, 0, p, static_cast<std::int16_t>(p * 10 + 1));  // case 6: MAG5 of Bari = 51
    }
    a.setNumero(3, 0, 1, 50);
    a.setNumero(3, 0, 2, 7);
    a.setNumero(7, 0, 1, 51);
    a.setNumero(7, 0, 2, 7);
    auto imp = impostazioni(2, {7, 0, 0, 0, 0});
    imp.casi.push_back({6, true, {7, 0, 0, 0, 0}});
    imp.operatori = {{"MAG5", 6, true}};
    const auto r = cercaFormule(imp, a);
    ASSERT_FALSE(r.righe[0].vuota());
    EXPECT_EQ(r.righe[0].cop, 2);
    EXPECT_EQ(r.righe[0].r1, 0);
    EXPECT_EQ(r.righe[0].val, 51);
    EXPECT_FALSE(r.righe[0].p1);
}

TEST(Abbinamenti, ComandoDelBanco)
{
    auto a = archivioVuoto(20);
    a.setNumero(3, 0, 1, 10);
    a.setNumero(3, 0, 2, 44);
    Banco b;
    preparaBanco(b);
    b.riferimento = 20;
    impostaCasi(b, a, {2});
    azzeraFgX(b);
    impostaNumeroCaso(b, 1, 3, 10);
    elencaOperatori(b, {{"NUM", 4}});
    b.operatoriScelti = {"NUM"};
    EXPECT_FALSE(cercaAbbinamenti(b, a, SorteAmbo).messaggio);
    ASSERT_EQ(b.FgGr.righe(), 101);
    EXPECT_EQ(b.FgGr.testo(0, 1), "Cop");
    EXPECT_EQ(b.FgGr.testo(1, 12), "44");
    EXPECT_EQ(b.FgGr.testo(1, 3), "NUM");
    EXPECT_TRUE(b.FgGr.colonna(5).nascosta);
    EXPECT_TRUE(b.FgGr.grassetto(1, 12));
    EXPECT_FALSE(b.FgGr.grassetto(1, 11));
    const Esito e = cercaAbbinamenti(b, a, 1).messaggio;
    ASSERT_TRUE(e);
    EXPECT_EQ(e->testo, "Probabile errore nelle impostazioni. Accertarsi di avere ricavato una base dati.");
    EXPECT_EQ(b.FgGr.testo(1, 3), "");
}

// FgX as a verified level leaves it: k numbers per case, the rest empty.
void riempiFgX(Banco& b, std::mt19937& rng)
{
    azzeraFgX(b);
    std::uniform_int_distribution<int> numero(1, 90), quanti(0, 5);
    for (int r = 1; r <= static_cast<int>(b.numeriCasi.size()); ++r)
        for (int c = 1, k = quanti(rng); c <= k; ++c)
            impostaNumeroCaso(b, r, c, numero(rng));
}

void confrontaACaso(const archive::Archivio& a)
{
    std::mt19937 rng(4242);
    for (int prova = 0; prova < 30; ++prova) {
        Banco b;
        testsupport::impostaACaso(b, a, rng, false);
        riempiFgX(b, rng);
        testsupport::confronta(leggiImpostazioniRicerca(b, prova % 3 ? TipoRicerca::AbbinamentiAmbo : TipoRicerca::AbbinamentiTerno), a,
                               "prova " + std::to_string(prova));
    }
    for (int prova = 0; prova < 4; ++prova) {
        Banco b;
        testsupport::impostaACaso(b, a, rng, true);
        riempiFgX(b, rng);
        testsupport::confronta(leggiImpostazioniRicerca(b, *ricercaDellaSorte(SorteAmbo + prova % 2)), a, "larga " + std::to_string(prova));
    }
}

TEST(AbbinamentiArchivioDimostrativo, UgualeAllaRicercaLetterale)
{
    confrontaACaso(testsupport::archivioDimostrativo());
}

TEST(AbbinamentiArchivioReale, UgualeAllaRicercaLetterale)
{
    const auto* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non disponibile";
    confrontaACaso(*a);
}

}
