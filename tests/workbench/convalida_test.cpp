// Convalida: outcomes worked out by hand on a built archive, and the kept-score replay against the plain one.
#include "workbench/Convalida.h"

#include "support/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"
#include "support/RuotaTardiva.h"
#include "workbench/NoteRicerca.h"
#include "workbench/PunteggiIncrementali.h"
#include "workbench/RicercheProva.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace workbench;

namespace {

constexpr int BA = 0, NA = 5;

// 30 draws; Bari and Napoli drawn in every one, every other wheel empty. The filler of
// draw d is the block of ten numbers from 10 + 10 * (d mod 7): a number comes back only
// seven draws later, beyond the four colpi, so no filler ever wins. Bari holds 07 in
// draws 2 and 15 (the cases of "Numeri 07"); 07 comes out on Napoli in draw 4 (colpo 2
// of case 2). NUM on Bari position 1 is then the only formula that covers a case, and
// its ambata on reference R is Bari's first number of R: 85 in draw 9 (out on Napoli in
// draw 12, colpo 3), 88 in draw 20 (never out), 86 in draw 28 (two colpi left).
archive::Archivio archivioAMano()
{
    auto a = testsupport::archivioVuoto(30);
    for (int d = 1; d <= 30; ++d)
        for (int p = 1; p <= 5; ++p) {
            a.setNumero(d, BA, p, static_cast<std::int16_t>(10 + (d % 7) * 10 + p - 1));
            a.setNumero(d, NA, p, static_cast<std::int16_t>(15 + (d % 7) * 10 + p - 1));
        }
    a.setNumero(2, BA, 1, 7);
    a.setNumero(15, BA, 1, 7);
    a.setNumero(4, NA, 3, 7);
    a.setNumero(9, BA, 1, 85);
    a.setNumero(12, NA, 2, 85);
    a.setNumero(20, BA, 1, 88);
    a.setNumero(28, BA, 1, 86);
    return a;
}

ImpostazioniConvalida impostazioniAMano(const archive::Archivio& a, int dal, int al)
{
    Banco b;
    apriBanco(b, a);
    b.rilevazione = Rilevazione::Numeri;
    b.numeri = "07";
    b.colpi = 4;
    setRuotaInGioco(b, NA, true);
    elencaOperatori(b, {{"NUM", 1}});
    b.operatoriScelti = {"NUM"};
    return impostazioniConvalida(b, dal, al, true);
}

std::string rigaTesto(const grid::Grid& g, int r)
{
    std::string s;
    for (int c = 0; c < g.colonne(); ++c)
        s += (c ? "|" : "") + g.testo(r, c);
    return s;
}

// The grid text and each chosen formula's Tot: everything a replay decides.
std::string impronta(const RisultatoConvalida& r, const archive::Archivio& a)
{
    grid::Grid g;
    scriviConvalida(g, r, a);
    std::string s = g.comeTesto("\n");
    for (const auto& riga : r.righe)
        s += std::to_string(riga.formula.tot) + " " + std::to_string(riga.verificabili) + "\n";
    return s + testoTotaliConvalida(r.totali);
}

TEST(Convalida, EsitiCalcolatiAMano)
{
    const auto a = archivioAMano();
    for (bool conservata : {false, true}) {
        const auto imp = impostazioniAMano(a, 1, 30);
        const RisultatoConvalida r = conservata ? convalida(imp, a) : convalidaSemplice(imp, a);
        ASSERT_EQ(r.righe.size(), 30u);
        grid::Grid g;
        scriviConvalida(g, r, a);
        // R = 3: case 2 has one colpo (draw 3), without its 07: nothing covers a case.
        EXPECT_EQ(rigaTesto(g, 3), "3|||nessuna formula||||||||0,367|") << conservata;
        // R = 9: 8 wheel-draws in the four colpi, 1 - (85/90)^8 = 0.367; 85 out at colpo 3.
        EXPECT_EQ(rigaTesto(g, 9), "9||1|NUM|1|BA||||85|3|0,367|") << conservata;
        EXPECT_EQ(rigaTesto(g, 20), "20||1|NUM|1|BA||||88|0|0,367|") << conservata;
        // R = 28: draws 29 and 30 only, 1 - (85/90)^4 = 0.204.
        EXPECT_EQ(rigaTesto(g, 28), "28||1|NUM|1|BA||||86|in corso|0,204|") << conservata;
        EXPECT_EQ(riferimentoRiga(r.righe, 28), 28);
        EXPECT_EQ(riferimentoRiga(r.righe, 0), 0);
        EXPECT_EQ(riferimentoRiga(r.righe, 31), 0);
        EXPECT_EQ(r.righe[19].verificabili, 2);   // case 15 gained its colpi, case 2
    }
    // References 9..20: 85 out once; chance 12 x 0.367 = 4.4 and P(at least 1) = 1 - 0.633^12;
    // coverage 1 of 1 case up to R = 15, 1 of 2 from R = 16: (7 + 5 / 2) / 12.
    const auto r = convalida(impostazioniAMano(a, 9, 20), a);
    EXPECT_EQ(testoTotaliConvalida(r.totali),
              "Riferimenti: 12; ambate uscite: 1 (8,3%); attese a caso: 4,4 (36,7%); p: 0,996; "
              "copertura media nei casi: 79,2%; scelte fra pari merito con ambate diverse: 0");
    const auto punti = cumulati(r.righe);
    ASSERT_EQ(punti.size(), 12u);
    EXPECT_EQ(punti.back().uscite, 1);
    EXPECT_NEAR(punti.back().attese, 4.4039, 1e-3);
    // Near the end a reference counts only once all its colpi are drawn: 27..30 never do,
    // even where the ambata is already out.
    EXPECT_EQ(convalida(impostazioniAMano(a, 27, 30), a).totali.riferimenti, 0);
}

// An ambata out on the last of the C colpi is a win: R = 9 with C = 3 finds 85 on Napoli
// in draw 12, its third colpo. The verdict says it in words.
TEST(Convalida, VincitaAllUltimoColpoContata)
{
    const auto a = archivioAMano();
    auto imp = impostazioniAMano(a, 9, 9);
    imp.casi.colpi = 3;
    for (bool conservata : {false, true}) {
        const RisultatoConvalida r = conservata ? convalida(imp, a) : convalidaSemplice(imp, a);
        ASSERT_EQ(r.righe.size(), 1u);
        EXPECT_EQ(r.righe[0].ambata, 85);
        EXPECT_EQ(r.righe[0].colpo, 3);
        EXPECT_TRUE(r.righe[0].conteggiata());
        EXPECT_EQ(r.totali.riferimenti, 1);
        EXPECT_EQ(r.totali.uscite, 1) << conservata;
        EXPECT_EQ(verdettoConvalida(r).rfind("Verdetto: il metodo è uscito un po' più spesso del caso (1 uscite su 1", 0),
                  0u)
            << verdettoConvalida(r);
    }
    // One colpo fewer and the same ambata is a miss.
    imp.casi.colpi = 2;
    const auto mancata = convalida(imp, a);
    EXPECT_EQ(mancata.righe[0].colpo, 0);
    EXPECT_EQ(mancata.totali.uscite, 0);
    EXPECT_EQ(verdettoConvalida(mancata).rfind("Verdetto: il metodo non è uscito più spesso del caso", 0), 0u);
    // No reference gives an ambata: why, in place of zeros.
    auto vuota = impostazioniAMano(a, 3, 3);
    EXPECT_EQ(verdettoConvalida(convalida(vuota, a)).rfind("Nessun riferimento conta: in nessuno", 0), 0u);
}

TEST(Convalida, IntervalliRifiutati)
{
    const auto a = archivioAMano();
    EXPECT_EQ(controllaIntervallo(5, 4, a), "il primo riferimento (5) viene dopo l'ultimo (4)");
    EXPECT_EQ(controllaIntervallo(0, 4, a), "i riferimenti devono essere fra 1 e 30");
    EXPECT_EQ(controllaIntervallo(4, 31, a), "i riferimenti devono essere fra 1 e 30");
    EXPECT_TRUE(controllaIntervallo(30, 30, a).empty());
    EXPECT_TRUE(convalida(impostazioniAMano(a, 5, 4), a).righe.empty());
}

// The full catalogue (with the odd rows a user's catalogue may hold) on every wheel.
ImpostazioniConvalida catalogoIntero(const archive::Archivio& a, int dal, int al, int casi, int colpi)
{
    Banco b;
    apriBanco(b, a);
    testsupport::elencaCatalogo(b);
    selezionaOperatori(b, true);
    for (int w = 0; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b, w, true);
    b.numeroCasi = casi;
    b.colpi = colpi;
    ImpostazioniConvalida imp = impostazioniConvalida(b, dal, al, true);
    return imp;
}

void confrontaReplay(const ImpostazioniConvalida& imp, const archive::Archivio& a, const std::string& descrizione)
{
    const auto semplice = convalidaSemplice(imp, a);
    const auto conservata = convalida(imp, a);
    ASSERT_EQ(semplice.righe.size(), static_cast<std::size_t>(imp.al - imp.dal + 1)) << descrizione;
    EXPECT_EQ(impronta(conservata, a), impronta(semplice, a)) << descrizione;
}

// 100 consecutive references, the whole catalogue on every wheel: "Mensile" following each
// reference (a set of cases per ordinal, each kept and brought forward a month at a time)
// with 12 cases and 8 colpi; a fixed ordinal, Numeri and Distanza on the demonstration
// archive with more cases and colpi. (50 cases and 20 colpi take minutes in the plain
// replay: the benchmark runs those.)
TEST(Convalida, ConservataUgualeAllaSempliceSulCatalogoIntero)
{
    if (const auto* reale = testsupport::archivioReale()) {
        const int n = reale->NumeroEstrazioni;
        confrontaReplay(catalogoIntero(*reale, n - 99, n, 12, 8), *reale, "reale, Mensile del riferimento");
    }
    const auto& demo = testsupport::archivioDimostrativo();
    const int n = demo.NumeroEstrazioni;
    auto mensile = catalogoIntero(demo, 2000, 2029, 20, 12);
    mensile.mensileDalRiferimento = false;
    mensile.casi.mensile = 0;
    confrontaReplay(mensile, demo, "demo, ultima del mese");
    auto numeri = catalogoIntero(demo, n - 39, n, 30, 20);
    numeri.casi.rilevazione = Rilevazione::Numeri;
    numeri.casi.numeri = "07-33-71";
    confrontaReplay(numeri, demo, "demo, Numeri");
    auto distanza = catalogoIntero(demo, 30, 59, 8, 5);   // early draws: wheels not yet drawn
    distanza.casi.rilevazione = Rilevazione::Distanza;
    distanza.casi.numeri = "05-30";
    confrontaReplay(distanza, demo, "demo, Distanza all'inizio");
}

// Class 7 rows holding fixed candidates ("1-2" and DIFF of a cell with itself, whatever V),
// a symmetric one and one that reads the draw: the kept scores give cercaFormule's first row
// and ties at every reference while cases enter, gain colpi and leave.
TEST(Convalida, ConservatiConCandidatiFissiNelleRighe)
{
    const auto& demo = testsupport::archivioDimostrativo();
    ImpostazioniRicerca imp;
    imp.colpi = 6;
    imp.ruote[0] = imp.ruote[3] = true;
    imp.confrontoCaso = false;
    imp.operatori = {{"1-2", 7, true}, {"DIFF", 7, true}, {"SOM+", 7, true}, {"MED2", 2, true}, {"1-2", 2, true}};
    PunteggiIncrementali conservati(demo, imp.operatori, imp.ruote, imp.colpi);
    const auto testo = [](const RigaEsito& e) {
        const auto n = [](const std::optional<int>& x) { return x ? std::to_string(*x) : "-"; };
        return e.formula + " " + n(e.r1) + n(e.p1) + " " + n(e.r2) + n(e.p2) + " " + n(e.val) + " " +
               std::to_string(e.cop) + "/" + std::to_string(e.tot);
    };
    for (int R = 2000; R < 2024; ++R) {
        imp.riferimento = R;
        imp.casi.clear();
        for (int d = R - 40; d < R; d += 3 + d % 2)   // a different set as R moves on
            imp.casi.push_back({d, true, {}});
        PariMerito pari;
        const RigaEsito prima = conservati.migliore(imp, nullptr, &pari);
        const RisultatoRicerca r = cercaFormule(imp, demo);
        ASSERT_FALSE(r.righe.empty());
        EXPECT_EQ(testo(prima), testo(r.righe.front())) << R;
        EXPECT_EQ(std::make_tuple(pari.formule, pari.ambate, pari.tutte), std::make_tuple(r.pari.formule, r.pari.ambate, r.pari.tutte)) << R;
        EXPECT_NE(prima.formula, "1-2") << R;
    }
}

TEST(Convalida, FermataDuranteLaReplica)
{
    const auto& demo = testsupport::archivioDimostrativo();
    const int n = demo.NumeroEstrazioni;
    for (bool conservata : {false, true}) {
        avanzamento::Avanzamento av;
        RisultatoConvalida r;
        std::thread t([&] {
            const auto imp = catalogoIntero(demo, n - 499, n, 50, 20);
            r = conservata ? convalida(imp, demo, &av) : convalidaSemplice(imp, demo, &av);
        });
        while (av.stato(1).valore < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        av.ferma();
        t.join();
        EXPECT_TRUE(r.interrotta);
        EXPECT_TRUE(r.righe.empty());
        EXPECT_EQ(av.stato(1).massimo, 500);
    }
}

}

// One wheel starting late: no reference before it chooses a formula reading it, and the
// kept replay keeps the rule as the plain one does.
TEST(Convalida, RuotaTardivaComeLaRicerca)
{
    const auto& a = testsupport::archivioRuotaTardiva();
    const auto imp = catalogoIntero(a, 1, a.NumeroEstrazioni, 6, 4);
    confrontaReplay(imp, a, "Nazionale dalla 16");
    for (const auto& r : convalida(imp, a).righe) {
        if (r.riferimento >= testsupport::PrimaNazionale || r.formula.vuota())
            continue;
        EXPECT_FALSE(r.formula.r1 == 10 || r.formula.r2 == 10) << r.riferimento << " " << r.formula.formula;
    }
}

// The cells of a replay's row worked by hand: a reference without a formula, one in corso at the
// archive's end, one that came out with a tie; the grid writer shows the same text and colours.
TEST(Convalida, CelleDiUnaRigaScritteAMano)
{
    namespace k = workbench::colConvalida;
    workbench::RigaConvalida vuota;
    vuota.riferimento = 7;
    vuota.probabilita = 0.5;
    EXPECT_EQ(workbench::testoConvalida(vuota, k::Rif, "03/01/1939"), "7");
    EXPECT_EQ(workbench::testoConvalida(vuota, k::Data, "03/01/1939"), "03/01/1939");
    EXPECT_EQ(workbench::testoConvalida(vuota, k::Formula, ""), "nessuna formula");
    EXPECT_EQ(workbench::testoConvalida(vuota, k::Cop, ""), "");
    EXPECT_EQ(workbench::testoConvalida(vuota, k::Colpo, ""), "");
    EXPECT_EQ(workbench::testoConvalida(vuota, k::Prob, ""), "0,500");

    workbench::RigaConvalida inCorso;
    inCorso.riferimento = 100;
    inCorso.formula.formula = "SOM";
    inCorso.formula.cop = 4;
    inCorso.formula.p1 = 2;
    inCorso.formula.r1 = 0;
    inCorso.formula.r2 = 11;   // no such wheel: an empty cell
    inCorso.ambata = 45;
    inCorso.colpi = 3;
    inCorso.colpiPresenti = 1;
    EXPECT_EQ(workbench::testoConvalida(inCorso, k::Cop, ""), "4");
    EXPECT_EQ(workbench::testoConvalida(inCorso, k::P1, ""), "2");
    EXPECT_EQ(workbench::testoConvalida(inCorso, k::Ru1, ""), "BA");
    EXPECT_EQ(workbench::testoConvalida(inCorso, k::P2, ""), "");
    EXPECT_EQ(workbench::testoConvalida(inCorso, k::Ru2, ""), "");
    EXPECT_EQ(workbench::testoConvalida(inCorso, k::Ambata, ""), "45");
    EXPECT_EQ(workbench::testoConvalida(inCorso, k::Colpo, ""), "in corso");
    EXPECT_FALSE(workbench::ambataUscita(inCorso));
    inCorso.colpiPresenti = 3;
    EXPECT_EQ(workbench::testoConvalida(inCorso, k::Colpo, ""), "0");

    workbench::RigaConvalida uscita = inCorso;
    uscita.colpo = 2;
    uscita.pari = {3, 2, true};
    EXPECT_EQ(workbench::testoConvalida(uscita, k::Colpo, ""), "2");
    EXPECT_EQ(workbench::testoConvalida(uscita, k::Pari, ""), "3 formule, 2 ambate");
    EXPECT_TRUE(workbench::ambataUscita(uscita));

    archive::Archivio a;
    a.NumeroEstrazioni = 100;
    a.DateEstrazioni[100] = "20/08/2026";
    EXPECT_EQ(workbench::dataRiferimento(uscita, a), "20/08/2026");
    EXPECT_EQ(workbench::dataRiferimento(vuota, a), "");
    grid::Grid g;
    workbench::scriviConvalida(g, {{vuota, uscita}, {}, false}, a);
    ASSERT_EQ(g.righe(), 3);
    EXPECT_EQ(g.testo(2, k::Data), "20/08/2026");
    EXPECT_EQ(g.testo(1, k::Data), "");
    EXPECT_EQ(g.testo(2, k::Pari), "3 formule, 2 ambate");
    EXPECT_EQ(g.sfondo(2, k::Colpo), workbench::colori::VerdeChiaro);
    EXPECT_NE(g.sfondo(1, k::Colpo), workbench::colori::VerdeChiaro);
}
