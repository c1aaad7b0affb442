// The chance yardstick: Poisson-binomial law, wheel-hit chances, Attesi on real cases, random-case runs.
#include "support/ArchivioReale.h"
#include "support/TempDir.h"

#include "archive/ArchivioDimostrativo.h"
#include "engine/Operatori.h"
#include "workbench/Casi.h"
#include "workbench/ConfrontoCaso.h"
#include "workbench/Elabora.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

using namespace workbench;

namespace {

double binomiale(int n, int k)
{
    double c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

// The real archive when present, else the demonstration archive (simulated numbers on the
// real calendar), so these tests never vanish.
const archive::Archivio& archivioDiProva()
{
    if (const auto* reale = testsupport::archivioReale())
        return *reale;
    static testsupport::CartellaTemporanea cartella;
    static const archive::Archivio demo = [] {
        const std::string db = cartella.file("demo.db");
        archive::CreaArchivioDimostrativo(db);
        archive::Archivio a;
        a.EstrazioneIniziale = 1;
        archive::CaricaArchivio(a, db);
        return a;
    }();
    return demo;
}

std::array<bool, archive::NumeroRuote> soloRuote(std::initializer_list<int> ruote)
{
    std::array<bool, archive::NumeroRuote> r{};
    for (int w : ruote)
        r[static_cast<std::size_t>(w)] = true;
    return r;
}

// First draw on or after a date "AAAA-MM-GG" compared as GG/MM/AAAA text.
int estrazioneDal(const archive::Archivio& a, int anno)
{
    for (int d = 1; d <= a.NumeroEstrazioni; ++d)
        if (std::stoi(a.DateEstrazioni[static_cast<std::size_t>(d)].substr(6)) >= anno)
            return d;
    return a.NumeroEstrazioni;
}

RigaEsito formula(std::string codice, int tipo, int r1, int p1, std::optional<int> val = {})
{
    RigaEsito r;
    r.formula = std::move(codice);
    r.tipo = tipo;
    r.r1 = r1;
    r.p1 = p1;
    r.val = val;
    return r;
}

}

TEST(Casualita, PoissonBinomialeUgualeAllEnumerazione)
{
    std::mt19937 g(7);
    std::uniform_real_distribution<double> u(0, 1);
    for (int prova = 0; prova < 50; ++prova) {
        const int n = 1 + prova % 9;
        std::vector<double> p(static_cast<std::size_t>(n));
        for (auto& x : p)
            x = u(g);
        // Every subset of successes, its probability added to the count it makes.
        std::vector<double> atteso(static_cast<std::size_t>(n + 1), 0.0);
        for (unsigned maschera = 0; maschera < (1u << n); ++maschera) {
            double pr = 1;
            int k = 0;
            for (int i = 0; i < n; ++i) {
                const bool s = maschera & (1u << i);
                pr *= s ? p[static_cast<std::size_t>(i)] : 1 - p[static_cast<std::size_t>(i)];
                k += s;
            }
            atteso[static_cast<std::size_t>(k)] += pr;
        }
        const auto d = poissonBinomiale(p);
        ASSERT_EQ(d.size(), atteso.size());
        for (std::size_t k = 0; k < d.size(); ++k)
            EXPECT_NEAR(d[k], atteso[k], 1e-12) << "n=" << n << " k=" << k;
    }
}

TEST(Casualita, ProbabilitaUgualiDannoLaBinomiale)
{
    const int n = 30;
    const double q = 0.37;
    const auto d = poissonBinomiale(std::vector<double>(n, q));
    for (int k = 0; k <= n; ++k)
        EXPECT_NEAR(d[static_cast<std::size_t>(k)], binomiale(n, k) * std::pow(q, k) * std::pow(1 - q, n - k), 1e-12);
    EXPECT_DOUBLE_EQ(almeno(d, 0), 1.0);
    EXPECT_DOUBLE_EQ(almeno(d, n + 1), 0.0);
    double coda = 0;
    for (int k = 20; k <= n; ++k)
        coda += binomiale(n, k) * std::pow(q, k) * std::pow(1 - q, n - k);
    EXPECT_NEAR(almeno(d, 20), coda, 1e-12);
    // Certain and impossible trials.
    const auto certi = poissonBinomiale({1.0, 0.0, 1.0});
    EXPECT_DOUBLE_EQ(certi[2], 1.0);
    EXPECT_DOUBLE_EQ(confrontaConIlCaso({1.0, 0.0, 1.0}, 2).attesi, 2.0);
}

TEST(Casualita, SorteSuUnaRuotaIpergeometrica)
{
    // One number among five drawn of ninety.
    EXPECT_NEAR(probabilitaSorteSuRuota(1, 1), 5.0 / 90, 1e-15);
    // An ambo with two given numbers: 5*4 / (90*89).
    EXPECT_NEAR(probabilitaSorteSuRuota(2, 2), 20.0 / 8010, 1e-15);
    // A terno out of three numbers: (5*4*3) / (90*89*88).
    EXPECT_NEAR(probabilitaSorteSuRuota(3, 3), 60.0 / 704880, 1e-15);
    // At least two of six numbers: 1 - P(0) - P(1), counted by hand from C(84,5), C(6,1)C(84,4).
    const double nessuno = binomiale(84, 5) / binomiale(90, 5);
    const double uno = 6 * binomiale(84, 4) / binomiale(90, 5);
    EXPECT_NEAR(probabilitaSorteSuRuota(6, 2), 1 - nessuno - uno, 1e-12);
    EXPECT_EQ(probabilitaSorteSuRuota(1, 2), 0.0);
    EXPECT_NEAR(probabilitaSorteSuRuota(90, 5), 1.0, 1e-12);
}

TEST(Casualita, AttesiSuUnaRuotaELeRuoteNonEstratte)
{
    const auto& a = archivioDiProva();
    ASSERT_GT(a.NumeroEstrazioni, 5000);
    const int colpi = 9;
    ImpostazioniRicerca imp;
    imp.colpi = colpi;
    imp.riferimento = a.NumeroEstrazioni;
    imp.ruote = soloRuote({0});
    for (int d = 3000; d < 3000 + 20 * 37; d += 37)
        imp.casi.push_back({d, true, {}});
    const RigaEsito bari = formula("VAL", 4, 0, 0, 33);
    const auto c = confrontaRighe(imp, a, {bari});
    ASSERT_EQ(c.size(), 1u);
    EXPECT_NEAR(c[0].attesi, 20 * (1 - std::pow(17.0 / 18, colpi)), 1e-9);

    // Before 2005 the Nazionale was not drawn: in play, it adds nothing.
    const int d2005 = estrazioneDal(a, 2005);
    ImpostazioniRicerca prima = imp;
    prima.casi.clear();
    for (int d = d2005 - 400; d < d2005 - 100; d += 15)
        prima.casi.push_back({d, true, {}});
    ImpostazioniRicerca conNazionale = prima;
    conNazionale.ruote = soloRuote({0, 10});
    EXPECT_DOUBLE_EQ(confrontaRighe(conNazionale, a, {bari})[0].attesi, confrontaRighe(prima, a, {bari})[0].attesi);
    // After it, it counts as any other wheel.
    conNazionale.casi = {{d2005 + 200, true, {}}};
    EXPECT_NEAR(confrontaRighe(conNazionale, a, {bari})[0].attesi, 1 - std::pow(17.0 / 18, 2 * colpi), 1e-9);

    // Colpi after the reference draw, disabled cases and a formula that cannot be computed add nothing.
    ImpostazioniRicerca bordo = imp;
    bordo.casi = {{100, true, {}}, {200, false, {}}};
    bordo.riferimento = 103;
    EXPECT_NEAR(confrontaRighe(bordo, a, {bari})[0].attesi, 1 - std::pow(17.0 / 18, 3), 1e-9);
    const RigaEsito ritardoImpossibile = formula("NUM", 5, 0, 1, 10);   // ten draws before draw 5
    bordo.casi = {{5, true, {}}};
    EXPECT_EQ(confrontaRighe(bordo, a, {ritardoImpossibile})[0].attesi, 0.0);
}

TEST(Casualita, AbbinamentiSecondoLaGrandezzaDellInsieme)
{
    const auto& a = archivioDiProva();
    ImpostazioniRicerca imp;
    imp.colpi = 5;
    imp.riferimento = a.NumeroEstrazioni;
    imp.ruote = soloRuote({0, 1});
    imp.tipo = TipoRicerca::AbbinamentiAmbo;
    // Two numbers in play plus the formula's own: a set of three on every case, unless the
    // formula's number is already one of them.
    const int d = a.NumeroEstrazioni - 500;
    imp.casi = {{d, true, {10, 20, 0, 0, 0}}};
    const auto ruote = ruoteEstratteNeiColpi(a, d, 5, imp.riferimento, imp.ruote);
    const auto tre = confrontaRighe(imp, a, {formula("VAL", 4, 0, 0, 33)})[0];
    EXPECT_NEAR(tre.attesi, 1 - std::pow(1 - probabilitaSorteSuRuota(3, 2), 10), 1e-12);
    EXPECT_EQ(ruote, std::vector<int>(5, 2));
    const auto due = confrontaRighe(imp, a, {formula("VAL", 4, 0, 0, 20)})[0];
    EXPECT_NEAR(due.attesi, 1 - std::pow(1 - probabilitaSorteSuRuota(2, 2), 10), 1e-12);
}

// Over many random formulas on random cases, the cases really covered agree on average
// with Attesi: the sum of (covered - expected) stays within three standard errors.
TEST(Casualita, CoperturaOsservataComeAttesi)
{
    const auto& a = archivioDiProva();
    std::mt19937 g(2024);
    const int colpi = 6;
    const auto ruote = soloRuote({0, 2, 5, 7});
    double scarto = 0, varianza = 0;
    int prove = 0;
    for (int f = 0; f < 300; ++f) {
        std::uniform_int_distribution<int> ruota(0, 9), posizione(1, 5), caso(20, a.NumeroEstrazioni - colpi);
        RigaEsito r = formula(f % 2 ? "SOM" : "DIFF", 2, ruota(g), posizione(g));
        r.r2 = ruota(g);
        r.p2 = posizione(g);
        ImpostazioniRicerca imp;
        imp.colpi = colpi;
        imp.riferimento = a.NumeroEstrazioni;
        imp.ruote = ruote;
        for (int k = 0; k < 10; ++k)
            imp.casi.push_back({caso(g), true, {}});
        const auto p = probabilitaCasiRiga(imp, a, r);
        for (std::size_t k = 0; k < imp.casi.size(); ++k) {
            // The forecast and its outcome, read straight from the draws.
            engine::CampiOperatore c;
            c.CodiceOperatore = r.formula;
            const int d = imp.casi[k].estrazione;
            c.N1 = a.numero(d, *r.r1, *r.p1);
            c.N2 = a.numero(d, *r.r2, *r.p2);
            engine::ElaboraPPP2(c, a);
            bool coperto = false;
            for (int e = d + 1; e <= d + colpi && !coperto; ++e)
                for (int w = 0; w < archive::NumeroRuote; ++w)
                    for (int pos = 1; pos <= 5; ++pos)
                        coperto = coperto || (ruote[static_cast<std::size_t>(w)] && a.numero(e, w, pos) == c.Risultato);
            scarto += (coperto ? 1.0 : 0.0) - p[k];
            varianza += p[k] * (1 - p[k]);
            ++prove;
        }
    }
    ASSERT_EQ(prove, 3000);
    EXPECT_LT(std::abs(scarto), 3 * std::sqrt(varianza)) << "scarto " << scarto << " su " << std::sqrt(varianza);
}

TEST(Casualita, MiglioreACasoRiproducibileDalSeme)
{
    const auto& a = archivioDiProva();
    ImpostazioniRicerca imp;
    imp.lista = 10;
    imp.colpi = 6;
    imp.riferimento = a.NumeroEstrazioni - 100;
    imp.ruote = soloRuote({0});
    for (int d = 4000; d < 4000 + 15 * 50; d += 50)
        imp.casi.push_back({d, true, {}});
    imp.operatori = {{"SOM", 2, true}, {"VAL", 4, true}};
    const auto uno = miglioreACaso(imp, a, 9, 8, 1);
    const auto ancora = miglioreACaso(imp, a, 9, 8, 1);
    EXPECT_EQ(uno.prove, 8);
    EXPECT_EQ(uno.casi, 15);
    EXPECT_EQ(uno.mediana, ancora.mediana);
    EXPECT_EQ(uno.massimo, ancora.massimo);
    EXPECT_EQ(uno.quota, ancora.quota);
    EXPECT_GE(uno.massimo, uno.mediana);
    EXPECT_GT(uno.massimo, 0);
    bool diverso = false;
    for (std::uint64_t seme = 2; seme < 8 && !diverso; ++seme) {
        const auto altro = miglioreACaso(imp, a, 9, 8, seme);
        diverso = altro.mediana != uno.mediana || altro.massimo != uno.massimo || altro.quota != uno.quota;
    }
    EXPECT_TRUE(diverso);
    EXPECT_NE(testoMiglioreACaso(uno).find("Migliore a caso (8 prove su 15 casi, tutti verificabili): mediana "), std::string::npos);

    // No enabled case: nothing to compare.
    imp.casi.clear();
    EXPECT_EQ(miglioreACaso(imp, a, 0, 8, 1).prove, 0);
}

namespace {
// 200 draws in which Bari always holds 1..5 and no other wheel is drawn: VAL of 1..5
// covers every case that has a colpo, and no case without one.
archive::Archivio bariSempreUguale()
{
    archive::Archivio a;
    a.NumeroEstrazioni = 200;
    for (int d = 1; d <= a.NumeroEstrazioni; ++d)
        for (int p = 1; p <= 5; ++p)
            a.setNumero(d, 0, p, static_cast<std::int16_t>(p));
    return a;
}

// Reference draw 200, 8 colpi: case 1 is the reference draw itself, cases 2 and 3 have
// 3 and 6 colpi before it, the nine others all 8.
ImpostazioniRicerca casiVicinoAlRiferimento()
{
    ImpostazioniRicerca imp;
    imp.colpi = 8;
    imp.riferimento = 200;
    imp.ruote = soloRuote({0});
    for (int d : {200, 197, 194, 180, 170, 160, 150, 140, 130, 120, 110, 100})
        imp.casi.push_back({d, true, {}});
    imp.operatori = {{"VAL", 4, true}};
    return imp;
}
}

TEST(Casualita, MiglioreACasoConIColpiDeiCasiVeri)
{
    const auto a = bariSempreUguale();
    auto imp = casiVicinoAlRiferimento();
    ASSERT_EQ(casiVerificabili(imp, a), 11);
    ASSERT_EQ(copMigliore(cercaFormule(imp, a)), 11);

    // Row by row, every random case has as many colpi before the reference as the real one:
    // the reference draw and the two near it stay, the others are drawn among draws 1..192.
    const auto prove = proveACaso(imp, a, 30, 5);
    ASSERT_EQ(prove.size(), 30u);
    std::set<int> pescate;
    for (const auto& prova : prove) {
        ASSERT_EQ(prova.casi.size(), imp.casi.size());
        EXPECT_EQ(prova.lista, 2);
        EXPECT_FALSE(prova.confrontoCaso);
        std::set<int> distinte;
        for (std::size_t i = 0; i < imp.casi.size(); ++i) {
            const int d = prova.casi[i].estrazione;
            const int vero = imp.casi[i].estrazione;
            if (i < 3)
                EXPECT_EQ(d, vero);
            else
                EXPECT_TRUE(d >= 1 && d <= 192) << d;
            distinte.insert(d);
            pescate.insert(d);
        }
        EXPECT_EQ(distinte.size(), imp.casi.size());
    }
    EXPECT_GT(pescate.size(), 100u);

    // Chance covers every case that has a colpo, and never one more than the real search can.
    const auto c = miglioreACaso(imp, a, 11, 30, 5);
    ASSERT_EQ(c.prove, 30);
    EXPECT_EQ(c.casi, 12);
    EXPECT_EQ(c.verificabili, 11);
    ASSERT_EQ(c.tetti.size(), 30u);
    for (int t : c.tetti)
        EXPECT_LE(t, c.verificabili);
    EXPECT_EQ(c.massimo, 11);
    EXPECT_EQ(testoMiglioreACaso(c),
              "Migliore a caso (30 prove su 12 casi, 11 verificabili): mediana 11, massimo 11; raggiunge 11 nel 100% delle prove");

    // The pair search alike, each row keeping the numbers in play of its real case: 1 with
    // VAL of 2..5 makes an ambo on Bari in every colpo.
    imp.tipo = TipoRicerca::AbbinamentiAmbo;
    for (auto& k : imp.casi)
        k.giocati = {1, 0, 0, 0, 0};
    imp.casi[4].giocati = {1, 77, 0, 0, 0};
    const auto coppie = proveACaso(imp, a, 4, 9);
    ASSERT_EQ(coppie.size(), 4u);
    for (const auto& prova : coppie)
        for (std::size_t i = 0; i < imp.casi.size(); ++i)
            EXPECT_EQ(prova.casi[i].giocati, imp.casi[i].giocati);
    const auto ambi = miglioreACaso(imp, a, 11, 4, 9);
    ASSERT_EQ(ambi.tetti.size(), 4u);
    for (int t : ambi.tetti)
        EXPECT_EQ(t, 11);

    // Cases that all lie within C draws of the reference leave nothing to draw.
    imp.casi.resize(3);
    EXPECT_TRUE(proveACaso(imp, a, 4, 1).empty());
    const auto nessuna = miglioreACaso(imp, a, 2, 4, 1);
    EXPECT_EQ(nessuna.prove, 0);
    EXPECT_EQ(testoMiglioreACaso(nessuna),
              "Migliore a caso: non calcolabile (nessun caso o estrazioni insufficienti prima del riferimento)");
}

// The runs spread over the cores score exactly as the same runs one after another.
TEST(Casualita, MiglioreACasoComeLeProveUnaDopoLAltra)
{
    const auto& a = archivioDiProva();
    ImpostazioniRicerca imp;
    imp.lista = 10;
    imp.colpi = 6;
    imp.riferimento = a.NumeroEstrazioni - 3;
    imp.ruote = soloRuote({0, 5});
    for (int d = imp.riferimento; d > imp.riferimento - 14 * 40; d -= 40)
        imp.casi.push_back({d, true, {}});
    imp.operatori = {{"SOM", 2, true}, {"FIX", 3, true}, {"VAL", 4, true}};
    const auto c = miglioreACaso(imp, a, 5, 9, 11);
    ASSERT_EQ(c.prove, 9);
    EXPECT_EQ(c.verificabili, 13);
    // Each run's top Cop is the one the real search would show at the top of its own list.
    std::vector<int> unaAllaVolta;
    for (auto prova : proveACaso(imp, a, 9, 11)) {
        prova.fili = 1;
        prova.lista = imp.lista;
        unaAllaVolta.push_back(copMigliore(cercaFormule(prova, a)));
    }
    EXPECT_EQ(c.tetti, unaAllaVolta);
    const auto riassunto = riassumiProve(unaAllaVolta, 14, 13, 5);
    EXPECT_EQ(riassunto.mediana, c.mediana);
    EXPECT_EQ(riassunto.quota, c.quota);

    // A stop requested before the runs ends them at once.
    avanzamento::Avanzamento fermo;
    fermo.ferma();
    EXPECT_THROW(miglioreACaso(imp, a, 5, 9, 11, &fermo), avanzamento::Interrotto);
}

// The cases that the command line's verification counts as covered are the window's
// "Pos" of VERIFICA on the same forecasts, however many wheels a case came out on.
TEST(Casualita, CasiCopertiDellaVerificaComeIPositivi)
{
    const auto& a = archivioDiProva();
    Banco b;
    apriBanco(b, a);
    b.ruotaBase = 7;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b, w, w == 5 || w == 7);
    b.numeroCasi = 50;
    b.colpi = 8;
    RicavaEstrazioni(b, a);
    ASSERT_EQ(numeroCasi(b), 50);
    std::mt19937 g(21);
    std::uniform_int_distribution<int> ruota(0, 9), posizione(1, 5);
    std::vector<engine::Formula> formule = {{"MED2", 2, 5, 1, 4, 4, 0}};
    for (int k = 0; k < 30; ++k)
        formule.push_back({k % 2 ? "SOM" : "DIFF", 2, posizione(g), ruota(g), posizione(g), ruota(g), 0});
    int suDueRuote = 0;
    for (const auto& f : formule) {
        ASSERT_FALSE(verificaFormulaBanco(b, a, f, 1)) << f.codice;
        const grid::Grid FgL = grigliaFgL(b);
        for (int r = 2; r < FgL.righe(); ++r)
            suDueRuote += FgL.testo(r, engine::colL::Rif).empty();
        const auto c = confrontaVerifica(b, a, f);
        b.livello = 1;
        ASSERT_FALSE(verificaPrevisioni(b, a));
        ASSERT_TRUE(b.riepilogo);
        EXPECT_EQ(c.coperti, b.riepilogo->positivi) << f.codice << " " << f.R1 << "/" << f.P1;
        EXPECT_EQ(c.casi, 50);
        // The newest draw is the first case, with no colpo after it.
        EXPECT_EQ(c.verificabili, 49);
    }
    // Two wheels in the same colpo do happen among these forecasts.
    EXPECT_GT(suDueRuote, 0);
}

TEST(Casualita, TestiConLaVirgola)
{
    EXPECT_EQ(testoAttesi(12.345), "12,3");
    EXPECT_EQ(testoProbabilita(0.5), "0,500");
    EXPECT_EQ(testoProbabilita(0.0001), "<0,001");
    EXPECT_EQ(testoProbabilita(1.0), "1,000");
}
