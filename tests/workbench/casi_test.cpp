// RICAVA ESTRAZIONI: the detection rules on small archives and on the real one.
#include "support/ArchivioReale.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "workbench/TabellaFgX.h"
#include "workbench/Trasferimenti.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace workbench;

TEST(Rilevazioni, ValoriDelleCoppie)
{
    // |10 - 80| = 70 folds to 90 - 70.
    EXPECT_EQ(valoreCoppia(Rilevazione::Distanza, 10, 80), 20);
    EXPECT_EQ(valoreCoppia(Rilevazione::Distanza, 80, 10), 20);
    EXPECT_EQ(valoreCoppia(Rilevazione::Distanza, 10, 20), 10);
    EXPECT_EQ(valoreCoppia(Rilevazione::Distanza, 10, 55), 45);
    EXPECT_EQ(valoreCoppia(Rilevazione::Differenza, 10, 80), 70);
    EXPECT_EQ(valoreCoppia(Rilevazione::Somma, 45, 45), 90);
    EXPECT_EQ(valoreCoppia(Rilevazione::Somma, 81, 63), 54);
}

TEST(Rilevazioni, NumeriVolutiDalTesto)
{
    const NumeriVoluti v = leggiNumeriVoluti("05-12-33");
    for (int n = 1; n <= 90; ++n)
        EXPECT_EQ(v.numero[n], n == 5 || n == 12 || n == 33) << n;
    EXPECT_TRUE(v.decina[0] && v.decina[1] && v.decina[3]);
    EXPECT_FALSE(v.decina[2]);
    EXPECT_TRUE(v.figura[5] && v.figura[3] && v.figura[6]);
    EXPECT_TRUE(v.cadenza[5] && v.cadenza[2] && v.cadenza[3]);
    EXPECT_FALSE(v.cadenza[0]);

    const NumeriVoluti w = leggiNumeriVoluti("05-xx-91-33-00-1a");
    for (int n = 1; n <= 90; ++n)
        EXPECT_EQ(w.numero[n], n == 5 || n == 33) << n;
    EXPECT_TRUE(leggiNumeriVoluti("").vuoto());
}

// Eight draws over four months, two a month; Bari set per test, Cagliari never drawn.
class CasiPiccoli : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = std::make_unique<archive::Archivio>();
        a->NumeroEstrazioni = 8;
        for (int d = 1; d <= 8; ++d) {
            a->DateEstrazioni[d] = (d % 2 ? "01/0" : "15/0") + std::to_string((d + 1) / 2) + "/2020";
            a->ProgressivoMese[d] = static_cast<std::int16_t>(d % 2 ? 1 : 2);
            bari(d, {81, 82, 83, 84, 85});
        }
        b.riferimento = 8;
    }

    void bari(int d, std::array<int, 5> n)
    {
        for (int p = 1; p <= 5; ++p)
            a->setNumero(d, 0, p, static_cast<std::int16_t>(n[p - 1]));
    }

    std::vector<int> casi() const
    {
        std::vector<int> d;
        for (int r = 1; r < grigliaFgEv(b).righe(); ++r)
            d.push_back(drawCaso(b, r));
        return d;
    }

    std::unique_ptr<archive::Archivio> a;
    Banco b;
};

TEST_F(CasiPiccoli, MensileUltimaDelMeseVuoleForzaUltimaPerLEstrazionePiuRecente)
{
    b.mensile = 0;
    EXPECT_FALSE(RicavaEstrazioni(b, *a));
    EXPECT_EQ(casi(), (std::vector<int>{6, 4, 2}));
    b.forzaUltima = true;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{8, 6, 4, 2}));
    b.mensile = 1;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{7, 5, 3, 1}));
    b.numeroCasi = 2;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{7, 5}));
}

TEST_F(CasiPiccoli, CasiRicavatiDiNuovoQuandoLeImpostazioniCambiano)
{
    // Before the first RICAVA ESTRAZIONI there is nothing to renew.
    EXPECT_FALSE(rinnovaCasi(b, *a).rinnovati);
    EXPECT_EQ(numeroCasi(b), 0);
    b.mensile = 1;
    b.numeroCasi = 2;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{7, 5}));
    EXPECT_FALSE(rinnovaCasi(b, *a).rinnovati);

    // N° casi grown: the cases follow.
    b.numeroCasi = 4;
    auto r = rinnovaCasi(b, *a);
    EXPECT_TRUE(r.rinnovati);
    EXPECT_FALSE(r.esito);
    EXPECT_EQ(casi(), (std::vector<int>{7, 5, 3, 1}));
    EXPECT_FALSE(rinnovaCasi(b, *a).rinnovati);

    // The colpi or a wheel changed: the same draws come back with their marks and FgX.
    setCasoCoperto(b, 2, true);
    impostaNumeroCaso(b, 1, 1, 44);
    b.colpi = 3;
    EXPECT_TRUE(rinnovaCasi(b, *a).rinnovati);
    setRuotaInGioco(b, 4, true);
    EXPECT_TRUE(rinnovaCasi(b, *a).rinnovati);
    EXPECT_EQ(casi(), (std::vector<int>{7, 5, 3, 1}));
    EXPECT_TRUE(casoCoperto(b, 2));
    EXPECT_EQ(tabellaFgX(b).testo(1, 1), "44");

    // The reference moved back: other draws, and the numbers typed for the old cases go.
    b.riferimento = 4;
    EXPECT_TRUE(rinnovaCasi(b, *a).rinnovati);
    EXPECT_EQ(casi(), (std::vector<int>{3, 1}));
    EXPECT_EQ(tabellaFgX(b).testo(1, 1), "");
    EXPECT_FALSE(casoCoperto(b, 2));

    // Mensile reads no numbers: a leftover text does not make its cases stale.
    b.numeri = "05";
    EXPECT_FALSE(rinnovaCasi(b, *a).rinnovati);
    // A detection that cannot run: its message, and no search goes on.
    b.rilevazione = Rilevazione::Numeri;
    b.numeri.clear();
    r = rinnovaCasi(b, *a);
    EXPECT_TRUE(r.rinnovati);
    ASSERT_TRUE(r.esito);
    EXPECT_EQ(r.esito->titolo, "Avviso");
}

TEST_F(CasiPiccoli, CioCheMancaAUnaRicerca)
{
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::Ambate), "Nessun caso su cui cercare: premere prima RICAVA ESTRAZIONI.");
    b.rilevazione = Rilevazione::Numeri;
    b.numeri = "90";
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::Ambate),
              "Nessun caso con queste impostazioni: cambiare la rilevazione e premere RICAVA ESTRAZIONI.");
    b.rilevazione = Rilevazione::Mensile;
    RicavaEstrazioni(b, *a);
    ASSERT_GT(numeroCasi(b), 1);
    elencaOperatori(b, {{"NUM", 0}, {"SOM", 0}});
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::Ambate),
              "Nessun operatore scelto: sceglierne almeno uno nella scheda Operatori (doppio clic o tipo).");
    b.operatoriScelti = {"SOM"};
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::Ambate), std::nullopt);

    // The pairs: numbers to join, enough for the sorte with the one found. The most
    // numbers any case plays count; 0 and values outside 1..90 are no numbers.
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::AbbinamentiAmbo), "Nessun numero dei casi da abbinare: verificare prima un livello della piramide.");
    impostaNumeroCaso(b, 1, 1, 0);
    impostaNumeroCaso(b, 2, 2, 91);
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::AbbinamentiAmbo), "Nessun numero dei casi da abbinare: verificare prima un livello della piramide.");
    impostaNumeroCaso(b, 2, 1, 17);
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::AbbinamentiAmbo), std::nullopt);
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::AbbinamentiTerno), "La sorte 3 chiede almeno 2 numeri per caso, ma il livello verificato ne dà 1.");
    impostaNumeroCaso(b, 2, 3, 18);
    EXPECT_EQ(mancaPerRicerca(b, TipoRicerca::AbbinamentiTerno), std::nullopt);

    // Imposta: a result row with a formula, then a brick.
    impostaRisultati(b, TipoRicerca::Ambate, {}, 2);
    b.esitoScelto = 1;
    EXPECT_EQ(mancaPerImposta(b, TipoRicerca::Ambate), "Nessuna formula scelta: selezionare una riga dei risultati prima di Imposta.");
    RigaEsito num;
    num.formula = "NUM";
    impostaRisultati(b, TipoRicerca::Ambate, {num}, 2);
    b.esitoScelto = 1;   // new results leave no row chosen
    b.mattoneCorrente = 0;
    EXPECT_EQ(mancaPerImposta(b, TipoRicerca::Ambate),
              "Nessun mattone scelto: selezionare il mattone della piramide che riceve la formula.");
    b.mattoneCorrente = 15;
    EXPECT_EQ(mancaPerImposta(b, TipoRicerca::Ambate), std::nullopt);
    // The pairs have rows of their own: none yet.
    b.abbinamentoScelto = 1;
    EXPECT_TRUE(mancaPerImposta(b, TipoRicerca::AbbinamentiAmbo));

    // ELABORA: a level chosen (green) in Fg7.
    EXPECT_EQ(mancaPerElabora(b), "Nessun livello scelto: segnare in verde almeno un livello prima di ELABORA.");
    b.livelliElabora[4].incluso = true;
    EXPECT_EQ(mancaPerElabora(b), std::nullopt);
}

TEST_F(CasiPiccoli, NumeriConQnContaLePosizioniScelte)
{
    bari(7, {5, 12, 1, 2, 3});
    bari(5, {5, 1, 2, 3, 33});
    bari(3, {5, 1, 2, 3, 4});
    b.rilevazione = Rilevazione::Numeri;
    b.numeri = "05-12-33";
    b.qn = 2;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{7, 5}));
    EXPECT_EQ(grigliaFgEv(b).sfondo(1, 4), colori::VerdeChiaro);
    EXPECT_EQ(grigliaFgEv(b).sfondo(1, 5), colori::VerdeChiaro);
    EXPECT_EQ(grigliaFgEv(b).sfondo(1, 6), grid::colori::Bianco);
    EXPECT_EQ(grigliaFgEv(b).sfondo(2, 8), colori::VerdeChiaro);

    b.posizioni = {true, true, true, true, false};   // position 5 off: draw 5 keeps only one match
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{7}));
    b.qn = 1;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{7, 5, 3}));
}

TEST_F(CasiPiccoli, RilevazioniACoppieContanoLeCoppieDellePosizioniScelte)
{
    bari(6, {10, 80, 1, 2, 3});
    bari(4, {45, 45, 1, 2, 3});
    b.posizioni = {true, true, false, false, false};
    b.rilevazione = Rilevazione::Distanza;
    b.numeri = "20";
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{6}));
    b.rilevazione = Rilevazione::Differenza;
    RicavaEstrazioni(b, *a);
    EXPECT_TRUE(casi().empty());
    b.numeri = "70";
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{6}));
    b.rilevazione = Rilevazione::Somma;
    b.numeri = "90";
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{6, 4}));
    EXPECT_EQ(grigliaFgEv(b).sfondo(2, 4), colori::VerdeChiaro);
    EXPECT_EQ(grigliaFgEv(b).sfondo(2, 5), colori::VerdeChiaro);
}

TEST_F(CasiPiccoli, DecinaFiguraCadenzaEUnaRuotaNonEstratta)
{
    bari(8, {90, 5, 6, 7, 8});   // all of decade 0; 5 is the only figure 5 of the archive
    b.rilevazione = Rilevazione::Decina;
    b.numeri = "05";
    b.qn = 5;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{8}));
    b.rilevazione = Rilevazione::Figura;
    b.numeri = "14";
    b.qn = 1;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(casi(), (std::vector<int>{8}));

    // Cagliari is never drawn: its 0s are no numbers, so cadence 0 and decade 0 find nothing.
    b.ruotaBase = 1;
    b.rilevazione = Rilevazione::Cadenza;
    b.numeri = "10";
    RicavaEstrazioni(b, *a);
    EXPECT_TRUE(casi().empty());
    b.rilevazione = Rilevazione::Decina;
    b.numeri = "05";
    RicavaEstrazioni(b, *a);
    EXPECT_TRUE(casi().empty());
}

TEST_F(CasiPiccoli, CasiTrovatiAzzeranoLeGriglieDerivate)
{
    b.righeVerifica.emplace_back();
    b.righeElabora.emplace_back();
    b.FgEsiti.aggiungiRiga();
    b.riepilogo = RiepilogoVerifica{};
    engine::impostaCella(b.rigaFg5(2), 3, "SOM");
    righeNumeriCasi(b, 29);
    b.mensile = 1;
    b.riferimento = 4;
    b.numeroCasi = 50;
    EXPECT_FALSE(RicavaEstrazioni(b, *a));
    EXPECT_EQ(casi(), (std::vector<int>{3, 1}));   // the search stops at draw 1
    EXPECT_EQ(grigliaFgEv(b).testo(1, 2), "01/02/2020");
    EXPECT_EQ(grigliaFgEv(b).testo(1, 3), "BA");
    EXPECT_EQ(grigliaFgEv(b).testo(1, 4), "81");
    EXPECT_TRUE(grigliaFgEv(b).grassetto(1, 3));
    EXPECT_EQ(grigliaFgEv(b).sfondo(2, 1), colori::GialloPallido);
    EXPECT_EQ(tabellaFgX(b).righe(), 3);
    EXPECT_EQ(b.numeriCasi.size(), 2u);   // the numbers follow the cases, empty
    EXPECT_EQ(tabellaFgX(b).testo(2, 0), "2");
    EXPECT_TRUE(b.righeVerifica.empty());
    EXPECT_TRUE(b.righeElabora.empty());
    EXPECT_EQ(b.FgEsiti.righe(), 1);
    EXPECT_FALSE(b.riepilogo);
    EXPECT_EQ(engine::testoMattone(b.rigaFg5(2), 3), "");
    EXPECT_EQ(engine::testoMattone(b.rigaFg5(2), 0), "2");
}

TEST_F(CasiPiccoli, ImpostazioniErrateSegnalate)
{
    const Messaggio atteso{"Attenzione ! controllare gli elementi inseriti.", "Avviso", Icona::Informazione};
    for (auto guasta : std::vector<std::function<void(Banco&)>>{
             [](Banco& x) { x.riferimento = 9; }, [](Banco& x) { x.riferimento = 0; },
             [](Banco& x) { x.ruotaBase = 11; }, [](Banco& x) { x.qn = 0; }, [](Banco& x) { x.numeroCasi = 0; }}) {
        Banco c;
        c.riferimento = 8;
        guasta(c);
        const Esito e = RicavaEstrazioni(c, *a);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->testo, atteso.testo);
        EXPECT_EQ(e->titolo, atteso.titolo);
        EXPECT_EQ(e->icona, atteso.icona);
    }
}

TEST_F(CasiPiccoli, RilevazioneSenzaNumeriLoDiceELasciaICasi)
{
    b.mensile = 1;
    b.riferimento = 4;
    ASSERT_FALSE(RicavaEstrazioni(b, *a));
    const auto prima = casi();
    ASSERT_FALSE(prima.empty());
    for (const auto& [tipo, numeri] : {std::pair{Rilevazione::Somma, ""}, std::pair{Rilevazione::Numeri, "xx-91"},
                                       std::pair{Rilevazione::Cadenza, "00"}}) {
        b.rilevazione = tipo;
        b.numeri = numeri;
        const Esito e = RicavaEstrazioni(b, *a);
        ASSERT_TRUE(e) << numeri;
        EXPECT_EQ(e->titolo, "Avviso");
        EXPECT_NE(e->testo.find(std::string("la rilevazione ") + std::string(NomiRilevazione[static_cast<int>(tipo)])
                                + " richiede dei numeri"),
                  std::string::npos)
            << e->testo;
        EXPECT_EQ(casi(), prima);
    }
}

// --- the real archive ---

class CasiReali : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = testsupport::archivioReale();
        if (!a)
            GTEST_SKIP() << "archivio storico non disponibile";
        apriBanco(b, *a);
    }

    std::vector<std::string> date() const
    {
        std::vector<std::string> d;
        for (int r = 1; r < grigliaFgEv(b).righe(); ++r)
            d.push_back(grigliaFgEv(b).testo(r, 2));
        return d;
    }

    const archive::Archivio* a = nullptr;
    Banco b;
};

TEST_F(CasiReali, UltimaEstrazioneDelMese)
{
    ASSERT_EQ(a->NumeroEstrazioni, 7370);
    b.mensile = 0;
    b.numeroCasi = 3;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(date(), (std::vector<std::string>{"31/07/2026", "30/06/2026", "30/05/2026"}));
    b.forzaUltima = true;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(date(), (std::vector<std::string>{"21/08/2026", "31/07/2026", "30/06/2026"}));
}

TEST_F(CasiReali, SommaDellEstrazioneDiRiferimentoNeFaIlPrimoCaso)
{
    // 21/08/2026 Bari 81 63 87 20 64: 81 + 63 = 144 -> 54; |81 - 20| = 61, distance 29.
    b.posizioni = {true, true, false, false, false};
    b.rilevazione = Rilevazione::Somma;
    b.numeri = "54";
    RicavaEstrazioni(b, *a);
    ASSERT_GE(grigliaFgEv(b).righe(), 2);
    EXPECT_EQ(grigliaFgEv(b).testo(1, 1), "7370");
    EXPECT_EQ(grigliaFgEv(b).sfondo(1, 4), colori::VerdeChiaro);
    EXPECT_EQ(grigliaFgEv(b).sfondo(1, 5), colori::VerdeChiaro);
    b.posizioni = {true, false, false, true, false};
    b.rilevazione = Rilevazione::Distanza;
    b.numeri = "29";
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(grigliaFgEv(b).testo(1, 1), "7370");
    b.numeri = "61";
    RicavaEstrazioni(b, *a);
    EXPECT_NE(grigliaFgEv(b).testo(1, 1), "7370");
    b.rilevazione = Rilevazione::Differenza;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(grigliaFgEv(b).testo(1, 1), "7370");
}

TEST_F(CasiReali, CagliariPrimaDelleSueEstrazioniNonDaCasi)
{
    // Cagliari was first drawn on 08/07/1939, the 27th draw.
    b.riferimento = 26;
    b.ruotaBase = 1;
    b.rilevazione = Rilevazione::Cadenza;
    b.numeri = "10";
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(grigliaFgEv(b).righe(), 1);
    b.riferimento = 27;
    b.rilevazione = Rilevazione::Mensile;
    b.mensile = a->ProgressivoMese[27];
    b.numeroCasi = 50;
    RicavaEstrazioni(b, *a);
    EXPECT_EQ(grigliaFgEv(b).testo(1, 2), "08/07/1939");
}

// Numeri 05-12-33 with QN 2 on Bari, compared with a plain reading of the text file.
TEST_F(CasiReali, NumeriConcordaConIlFileDiTesto)
{
    std::ifstream in(testsupport::percorsoStorico());
    std::vector<std::string> attese;
    for (std::string riga; std::getline(in, riga);) {
        std::istringstream campi(riga);
        std::string data, ruota;
        int n[5];
        if (!(campi >> data >> ruota >> n[0] >> n[1] >> n[2] >> n[3] >> n[4]) || ruota != "BA")
            continue;
        int conta = 0;
        for (int x : n)
            conta += x == 5 || x == 12 || x == 33;
        if (conta >= 2)
            attese.push_back(data.substr(8, 2) + "/" + data.substr(5, 2) + "/" + data.substr(0, 4));
    }
    std::reverse(attese.begin(), attese.end());
    attese.resize(std::min<std::size_t>(attese.size(), 50));
    ASSERT_GE(attese.size(), 10u);

    b.rilevazione = Rilevazione::Numeri;
    b.numeri = "05-12-33";
    b.qn = 2;
    b.numeroCasi = 50;
    EXPECT_FALSE(RicavaEstrazioni(b, *a));
    EXPECT_EQ(date(), attese);
}

}
