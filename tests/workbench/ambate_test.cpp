// AMBATE: scoring and ranking rules on small archives, progress, stop and failures, and the fast search against the plain one.
#include "RicercheProva.h"
#include "engine/Operatori.h"
#include "storage/ProgramDb.h"
#include "support/ArchivioDimostrativo.h"
#include "support/ArchivioReale.h"
#include "support/Avanzamenti.h"
#include "support/RicercaRiferimento.h"
#include "workbench/Ambate.h"
#include "workbench/Trasferimenti.h"
#include "workbench/Casi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <thread>

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
    const grid::Grid g = testsupport::cercaFormuleRiferimento(imp, a, anomalia);
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
    testsupport::cercaFormuleRiferimento(imp, a, anomalia);
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
    impostaCasi(b, a, {20, 10});
    elencaOperatori(b, {{"DEC", 1}, {"NUM", 4}});
    b.operatoriScelti = {"NUM"};
    testsupport::AvanzamentoRegistrato avanzamento;
    const EsitoRicerca e = cercaAmbate(b, a, &avanzamento);
    EXPECT_FALSE(e.interrotta);
    EXPECT_FALSE(e.messaggio);
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
    EXPECT_EQ(avanzamento.barra(1), (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));

    // Both cases marked as covered: nothing scores.
    b.casiScoperti = true;
    setCasoCoperto(b, 1, true);
    setCasoCoperto(b, 2, true);
    EXPECT_FALSE(cercaAmbate(b, a).messaggio);
    EXPECT_EQ(b.FgEsiti.testo(1, 3), "");

    // A case row that names no draw of the archive.
    b.casiScoperti = false;
    b.casi[1] = 99;
    const Esito errore = cercaAmbate(b, a).messaggio;
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
    std::vector<int> casi;
    for (int r = 1; r <= 120; ++r)
        casi.push_back(2 * r);
    impostaCasi(b, a, casi);
    a.setNumero(241, 0, 1, 17);   // colpo 1 of case 120 (draw 240)
    a.setNumero(201, 0, 1, 18);   // colpo 1 of case 100 (draw 200)
    setCasoCoperto(b, 120, true);
    elencaOperatori(b, {{"NUM", 4}});
    b.operatoriScelti = {"NUM"};
    EXPECT_FALSE(cercaAmbate(b, a).messaggio);
    EXPECT_EQ(b.FgEsiti.testo(1, 12), "18");
    EXPECT_EQ(b.FgEsiti.testo(2, 12), "");
}

// --- progress, stop and failures during the scoring ---

// The workbench on the demonstration archive with the type-7 operator SOM+ alone:
// 50 cases, every wheel, the newest draw as reference.
Banco bancoSommaPiu(const archive::Archivio& a)
{
    Banco b;
    apriBanco(b, a);
    b.numeroCasi = 50;
    b.rilevazione = Rilevazione::Mensile;
    b.mensile = 0;
    b.forzaUltima = true;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b, w, true);
    elencaOperatori(b, {{"NUM", 4}, {"SOM+", 7}});
    b.operatoriScelti = {"NUM", "SOM+"};
    RicavaEstrazioni(b, a);
    return b;
}

TEST(Ambate, LaSecondaBarraSegueIlPunteggioDiClasseSette)
{
    const auto& a = testsupport::archivioDimostrativo();
    Banco b = bancoSommaPiu(a);
    testsupport::AvanzamentoRegistrato avanzamento;
    int rigaInCorso = 0;
    std::vector<int> passiSommaPiu;
    avanzamento.allaChiamata = [&](testsupport::AvanzamentoRegistrato&, const auto& p) {
        if (p.barra == 1)
            rigaInCorso = p.valore;
    };
    ASSERT_FALSE(cercaAmbate(b, a, &avanzamento).messaggio);
    // Bar 2 restarts for each operator; for SOM+ (row 2) it counts the 91 values of N1
    // tabulated, then the 55 reference positions of R1/P1 scored: 146 steps, each once,
    // all reported while bar 1 still stands on row 2.
    const auto passi = avanzamento.passi();
    std::size_t inizioRiga2 = 0;
    while (inizioRiga2 < passi.size() && !(passi[inizioRiga2].barra == 1 && passi[inizioRiga2].valore == 2))
        ++inizioRiga2;
    ASSERT_LT(inizioRiga2, passi.size());
    std::multiset<int> valori;
    for (std::size_t k = inizioRiga2 + 1; k < passi.size(); ++k) {
        ASSERT_EQ(passi[k].barra, 2);
        EXPECT_EQ(passi[k].massimo, 146);
        valori.insert(passi[k].valore);
    }
    std::multiset<int> attesi;
    for (int v = 0; v <= 146; ++v)
        attesi.insert(v);
    EXPECT_EQ(valori, attesi);
    EXPECT_EQ(rigaInCorso, 2);
}

TEST(Ambate, FermataAMetaLasciaLeGriglieComeErano)
{
    const auto& a = testsupport::archivioDimostrativo();
    Banco b = bancoSommaPiu(a);
    b.lista = 100;
    ASSERT_FALSE(cercaAmbate(b, a).messaggio);
    const std::string esiti = b.FgEsiti.comeTesto();
    ASSERT_FALSE(b.FgEsiti.testo(1, 3).empty());

    // A second search, stopped when the scoring of SOM+ is half-way.
    b.colpi = 3;
    b.lista = 200;
    testsupport::AvanzamentoRegistrato avanzamento;
    avanzamento.allaChiamata = [](testsupport::AvanzamentoRegistrato& av, const auto& p) {
        if (p.barra == 2 && p.massimo == 146 && p.valore >= 100)
            av.ferma();
    };
    b.List1 = {"prima", "dopo"};
    const EsitoRicerca e = cercaAmbate(b, a, &avanzamento);
    EXPECT_TRUE(e.interrotta);
    EXPECT_FALSE(e.messaggio);
    EXPECT_EQ(b.FgEsiti.comeTesto(), esiti);
    EXPECT_EQ(b.List1, (std::vector<std::string>{"prima", "dopo"}));
    // Nothing after the stop: the scoring never got to its last step.
    int ultimo = 0;
    for (const auto& [v, m] : avanzamento.barra(2))
        if (m == 146)
            ultimo = std::max(ultimo, v);
    EXPECT_LT(ultimo, 146);
}

TEST(Ambate, UnGuastoInUnFiloDiLavoroArrivaAlChiamanteConIlSuoMessaggio)
{
    const auto& a = testsupport::archivioDimostrativo();
    Banco b = bancoSommaPiu(a);
    const std::string esiti = b.FgEsiti.comeTesto();
    const auto chiamante = std::this_thread::get_id();
    const bool piuCore = std::thread::hardware_concurrency() > 1;
    testsupport::AvanzamentoRegistrato avanzamento;
    // The first step reported by a scoring thread other than the caller's fails, as
    // memory running out would: not a calculation error of the formula.
    avanzamento.allaChiamata = [&](testsupport::AvanzamentoRegistrato&, const auto& p) {
        if (p.barra == 2 && p.massimo == 146 && (std::this_thread::get_id() != chiamante || !piuCore))
            throw std::runtime_error("guasto simulato nel filo di lavoro");
    };
    try {
        cercaAmbate(b, a, &avanzamento);
        FAIL() << "la ricerca doveva fermarsi con il guasto";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "guasto simulato nel filo di lavoro");
    }
    EXPECT_EQ(b.FgEsiti.comeTesto(), esiti);
    EXPECT_TRUE(b.List1.empty());
}

TEST(Ambate, OperatoreDiClasseSetteNonCalcolabileSuAlcuniCasi)
{
    // PG12 reads the digits of pi at positions N1 and N2: a 0 has no position. Case 2
    // is an empty draw: no wheel was drawn, so no formula is computable there, and that
    // is no error. Case 10 has 1 everywhere: PG12(1, 1) = 10 * 3 + 3 = 33, drawn at colpo
    // 1 on Bari.
    auto a = archivioVuoto(20);
    for (int w = 0; w < archive::NumeroRuote; ++w)
        for (int p = 1; p <= 5; ++p)
            a.setNumero(10, w, p, 1);
    a.setNumero(11, 0, 3, 33);
    ImpostazioniRicerca imp = impostazioniNum({2, 10}, 20);
    imp.operatori = {{"PG12", 7, true}};
    imp.lista = 10;
    EXPECT_FALSE(cercaFormule(imp, a).anomalia);
    // Bari drawn in case 2 with its first number missing (0, as a number the load could
    // not take): the formulas reading it fail there, and the window is warned.
    a.setNumero(2, 0, 2, 5);
    const auto r = cercaFormule(imp, a);
    EXPECT_TRUE(r.anomalia);
    // The first candidate in enumeration order: Bari 1, Bari 1, value 0.
    ASSERT_FALSE(r.righe[0].vuota());
    EXPECT_EQ(r.righe[0].formula, "PG12");
    EXPECT_EQ(r.righe[0].cop, 1);
    EXPECT_EQ(r.righe[0].tot, 1);
    EXPECT_EQ(r.righe[0].r1, 0);
    EXPECT_EQ(r.righe[0].p1, 1);
    EXPECT_EQ(r.righe[0].r2, 0);
    EXPECT_EQ(r.righe[0].p2, 1);
    EXPECT_EQ(r.righe[0].val, 0);
    testsupport::confronta(imp, a, "PG12 di classe 7");
}

// --- the fast search against the plain one, on the demonstration and the real archive ---

void confrontaACaso(const archive::Archivio& a, unsigned seme, int prove, bool conTipoSette)
{
    std::mt19937 rng(seme);
    for (int prova = 0; prova < prove; ++prova) {
        Banco b;
        testsupport::impostaACaso(b, a, rng, conTipoSette);
        testsupport::confronta(leggiImpostazioniRicerca(b, TipoRicerca::Ambate), a, (conTipoSette ? "larga " : "prova ") + std::to_string(prova));
    }
}

TEST(AmbateArchivioDimostrativo, UgualeAllaRicercaLetterale)
{
    confrontaACaso(testsupport::archivioDimostrativo(), 20261208, 40, false);
}

TEST(AmbateArchivioDimostrativo, UgualeAllaRicercaLetteraleConOperatoriLarghi)
{
    confrontaACaso(testsupport::archivioDimostrativo(), 7, 4, true);
}

TEST(AmbateArchivioReale, UgualeAllaRicercaLetterale)
{
    const auto* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non disponibile";
    confrontaACaso(*a, 20261208, 40, false);
}

TEST(AmbateArchivioReale, UgualeAllaRicercaLetteraleConOperatoriLarghi)
{
    const auto* a = testsupport::archivioReale();
    if (!a)
        GTEST_SKIP() << "archivio storico non disponibile";
    confrontaACaso(*a, 7, 4, true);
}

}

namespace {

// The forecast of a row: values worked out by hand from the numbers written below.
TEST(Ambate, PrevisioneDellaRigaSullEstrazioneDiRiferimento)
{
    auto a = archivioVuoto(12);
    a.setNumero(12, 0, 1, 45);   // R = 12: Bari 1st 45
    a.setNumero(12, 1, 2, 50);   //         Cagliari 2nd 50
    a.setNumero(10, 3, 4, 33);   // two draws earlier: Genova 4th 33
    RigaEsito som;
    som.formula = "SOM";
    som.tipo = 2;
    som.r1 = 0;
    som.p1 = 1;
    som.r2 = 1;
    som.p2 = 2;
    EXPECT_EQ(previsioneRiga(som, a, 12), 5);   // 45 + 50 = 95, beyond 90: 5
    RigaEsito piu = som;
    piu.formula = "SOM+";
    piu.tipo = 7;
    piu.val = 30;
    EXPECT_EQ(previsioneRiga(piu, a, 12), 35);   // 45 + 50 + 30 = 125: 35
    RigaEsito ritardo;
    ritardo.formula = "NUM";
    ritardo.tipo = 5;
    ritardo.r1 = 3;
    ritardo.p1 = 4;
    ritardo.val = 2;
    EXPECT_EQ(previsioneRiga(ritardo, a, 12), 33);   // the number two draws before R
    RigaEsito diretto;
    diretto.formula = "NUM";
    diretto.tipo = 4;
    diretto.val = 17;
    EXPECT_EQ(previsioneRiga(diretto, a, 12), 17);

    // Nothing where the formula cannot be computed: a delay before the first draw, an
    // unknown code, an empty row, a reference outside the archive.
    ritardo.val = 12;   // draw 0: before the archive
    EXPECT_EQ(previsioneRiga(ritardo, a, 12), std::nullopt);
    som.formula = "XYZ";
    EXPECT_EQ(previsioneRiga(som, a, 12), std::nullopt);
    EXPECT_EQ(previsioneRiga(RigaEsito{}, a, 12), std::nullopt);
    EXPECT_EQ(previsioneRiga(piu, a, 13), std::nullopt);
}

// Thirty draws: cases 10 and 20 hold 17 as Bari's 2nd, drawn again on Bari at their first
// colpo; R = 30 holds 44 as Bari's 2nd and 62 as Firenze's 3rd.
archive::Archivio archivioNumBari()
{
    auto a = archivioVuoto(30);
    for (int d : {10, 11, 20, 21})
        a.setNumero(d, 0, 2, 17);
    a.setNumero(30, 0, 2, 44);
    a.setNumero(30, 4, 3, 62);
    return a;
}

// The workbench on those cases and R, with NUM alone and Bari in play.
Banco bancoNumBari(const archive::Archivio& a)
{
    Banco b;
    preparaBanco(b);
    b.riferimento = 30;
    impostaCasi(b, a, {20, 10});
    elencaOperatori(b, {{"NUM", 1}});
    b.operatoriScelti = {"NUM"};
    setRuotaInGioco(b, 0, true);
    return b;
}

// The search writes the forecast of every filled row after "p", headed by the button.
TEST(Ambate, LaColonnaAmbataEAbbinato)
{
    const auto a = archivioNumBari();
    Banco b = bancoNumBari(a);
    cercaAmbate(b, a);
    ASSERT_EQ(b.FgEsiti.colonne(), ColonnaPrevisione + 1);
    EXPECT_EQ(b.FgEsiti.testo(0, ColonnaPrevisione), "Ambata");
    // NUM of Bari 2nd covers both cases; on R it gives 44, the number to play.
    EXPECT_EQ(b.FgEsiti.testo(1, 1), "2");
    EXPECT_EQ(b.FgEsiti.testo(1, 3), "NUM");
    EXPECT_EQ(b.FgEsiti.testo(1, 4), "2");
    EXPECT_EQ(b.FgEsiti.testo(1, 6), "BA");
    EXPECT_EQ(b.FgEsiti.testo(1, ColonnaPrevisione), "44");
    // Every other NUM scores nothing and stays out: the empty rows have no forecast.
    EXPECT_EQ(b.FgEsiti.testo(2, 3), "");
    EXPECT_EQ(b.FgEsiti.testo(2, ColonnaPrevisione), "");

    // The same row as a pair: headed "Abbinato", with NUM of Firenze 3rd (62 on R).
    b.FgGr.setRighe(1);
    RisultatoRicerca r;
    RigaEsito e;
    e.formula = "NUM";
    e.tipo = 1;
    e.r1 = 4;
    e.p1 = 3;
    r.righe = {e, RigaEsito{}};
    r.previsioni = {previsioneRiga(e, a, 30), std::nullopt};
    ImpostazioniRicerca imp;
    imp.lista = 2;
    imp.tipo = TipoRicerca::AbbinamentiTerno;
    scriviRicerca(b, imp, r, "00:00:00");
    // The rows are kept with their forecasts: the window shows them from there.
    ASSERT_EQ(b.abbinamenti.size(), 2u);
    EXPECT_EQ(b.abbinamenti[0].formula, "NUM");
    EXPECT_EQ(b.abbinamenti[0].previsione, 62);
    EXPECT_EQ(b.abbinamenti[1], RigaEsito{});
    EXPECT_EQ(b.FgGr.testo(0, ColonnaPrevisione), "Abbinato");
    EXPECT_EQ(b.FgGr.testo(1, ColonnaPrevisione), "62");
    EXPECT_EQ(b.FgGr.testo(2, ColonnaPrevisione), "");
}

}

namespace {

// The kept rows carry what the grid the CLI prints shows of them, the comparison with chance
// included: the window's tables read only the rows. The reference draw's rows likewise.
TEST(Ambate, LeRigheTenuteDiconoQuelloCheLaGrigliaScrive)
{
    const auto a = archivioNumBari();
    Banco b = bancoNumBari(a);
    b.esitoScelto = 3;
    cercaAmbate(b, a);
    EXPECT_EQ(b.esitoScelto, 0);   // new results: no row chosen
    const grid::Grid& g = b.FgEsiti;
    ASSERT_EQ(g.colonne(), colEsiti::Previsione + 1);
    ASSERT_EQ(g.righe(), static_cast<int>(b.esiti.size()) + 1);
    for (int c = 0; c < g.colonne(); ++c) {
        EXPECT_EQ(g.testo(0, c), intestazioneEsito(c, TipoRicerca::Ambate)) << c;
        for (int r = 1; r < g.righe(); ++r)
            ASSERT_EQ(g.testo(r, c), testoEsito(b.esiti[static_cast<std::size_t>(r - 1)], c)) << r << ' ' << c;
    }
    const RigaEsito& prima = b.esiti[0];
    EXPECT_EQ(testoEsito(prima, colEsiti::Ru1), "BA");
    EXPECT_EQ(testoEsito(prima, colEsiti::Previsione), "44");
    EXPECT_FALSE(testoEsito(prima, colEsiti::Attesi).empty());
    EXPECT_FALSE(testoEsito(prima, colEsiti::P).empty());
    // An empty row shows nothing, even with a comparison; a wheel index outside the wheels no code.
    RigaEsito vuota;
    vuota.attesi = 1.5;
    EXPECT_EQ(testoEsito(vuota, colEsiti::Attesi), "");
    RigaEsito fuori = prima;
    fuori.r1 = archive::NumeroRuote;
    EXPECT_EQ(testoEsito(fuori, colEsiti::Ru1), "");
    EXPECT_EQ(testoEsito(fuori, colEsiti::R1), std::to_string(archive::NumeroRuote));
    // Only the ambate bold the wheels; the pairs head their forecast "Abbinato".
    EXPECT_TRUE(stileEsito(colEsiti::Ru2, TipoRicerca::Ambate).grassetto);
    EXPECT_FALSE(stileEsito(colEsiti::Ru2, TipoRicerca::AbbinamentiTerno).grassetto);
    EXPECT_EQ(intestazioneEsito(colEsiti::Previsione, TipoRicerca::AbbinamentiAmbo), "Abbinato");

    impostaRiferimento(b, a, 30);
    EXPECT_EQ(testoEstratti(b.estratti[0], 0), "BA");
    EXPECT_EQ(testoEstratti(b.estratti[0], 2), "44");
    impostaRiferimento(b, a, 31);   // past the archive: the codes without numbers
    EXPECT_EQ(testoEstratti(b.estratti[10], 0), "NZ");
    EXPECT_EQ(testoEstratti(b.estratti[0], 2), "");
}

}
