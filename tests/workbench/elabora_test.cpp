// Calcola, formula and level verification, VERIFICA and ELABORA on a small archive.
#include "engine/Piramide.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "workbench/TabellaFgX.h"
#include "workbench/Elabora.h"
#include "workbench/Trasferimenti.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

using namespace workbench;
using engine::colF::Tras;

constexpr int BA = 0, CA = 1, GE = 3, RO = 7, NZ = 10;

// Twenty draws; wheels Bari..Venezia hold 81..85, Nazionale is never drawn.
// Cases: draws 5, 10 and 20 (the reference draw); colpi 3; every wheel in play.
class BancoProva : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = std::make_unique<archive::Archivio>();
        a->NumeroEstrazioni = 20;
        for (int d = 1; d <= 20; ++d) {
            char data[48];
            std::snprintf(data, sizeof data, "%02d/03/2021", d);
            a->DateEstrazioni[d] = data;
            for (int w = 0; w < 10; ++w)
                ruota(d, w, {81, 82, 83, 84, 85});
        }
        ruota(5, BA, {30, 31, 32, 1, 2});
        ruota(10, BA, {40, 41, 42, 3, 4});
        b.riferimento = 20;
        b.colpi = 3;
        for (int w = 0; w < 11; ++w)
            setRuotaInGioco(b, w, true);
        impostaCasi(b, *a, {5, 10, 20});
        azzeraFgX(b);
    }

    void ruota(int d, int w, std::array<int, 5> n)
    {
        for (int p = 1; p <= 5; ++p)
            a->setNumero(d, w, p, static_cast<std::int16_t>(n[p - 1]));
    }

    // FIX of Bari position `pos` with 0: the forecast is that number of the case draw.
    void mattone(int m, int pos, const std::string& sigla = "BA")
    {
        b.mattone(m).codice = "FIX";
        b.mattone(m).tipo = 3;
        b.mattone(m).E1 = pos;
        b.mattone(m).RU1 = sigla;
        b.mattone(m).valore = 0;
    }

    // The reports as text, written from their rows by the cell functions the window shows.
    grid::Grid FgL() const { return grigliaFgL(b); }
    grid::Grid FgY() const { return resoconto(intestazioni::FgY, b.righeElabora); }
    grid::Grid Fg10() const { return resoconto(intestazioni::Fg10, b.righePrimoColpo); }
    grid::Grid Fg_E() const
    {
        grid::Grid g;
        g.setIntestazione(intestazioni::Fg_E);
        if (b.riepilogo) {
            g.aggiungiRiga();
            for (int c = 0; c < g.colonne(); ++c)
                g.setTesto(1, c, testoFg_E(*b.riepilogo, c));
        }
        return g;
    }
    static grid::Grid resoconto(std::string_view intestazione, const std::vector<RigaElabora>& righe)
    {
        grid::Grid g;
        g.setIntestazione(intestazione);
        for (const RigaElabora& y : righe) {
            const int r = g.aggiungiRiga();
            for (int c = 0; c < g.colonne(); ++c) {
                g.setTesto(r, c, testoFgY(y, c));
                if (const auto sfondo = sfondoFgY(y, c))
                    g.setSfondo(r, c, *sfondo);
            }
        }
        return g;
    }

    std::unique_ptr<archive::Archivio> a;
    workbench::Banco b;
};

TEST_F(BancoProva, CalcolaUsaListValPerIlTipo5ESegnalaGliErrori)
{
    b.mattone(4).codice = "NUM";
    b.mattone(4).tipo = 5;
    b.mattone(4).E1 = 1;
    b.mattone(4).RU1 = "ba";
    b.mattone(4).valore = 7;
    b.riferimento = 12;
    b.valoreLista = 2;   // draw 10
    EXPECT_FALSE(Calcola(b, *a));
    EXPECT_EQ(b.Lbl0[4], "40");
    EXPECT_EQ(engine::testoMattone(b.mattone(4), engine::colF::R1), "0");
    EXPECT_EQ(b.List1.size(), 1u);

    b.valoreLista = 15;   // draw -3
    const Esito e = Calcola(b, *a);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->testo, "Probabile errore nelle impostazioni. Accertarsi di avere ricavato una base dati.");
    EXPECT_EQ(e->titolo, "Avviso");
    EXPECT_EQ(e->icona, Icona::Critico);
    EXPECT_EQ(b.Lbl0[4], "40");
}

TEST_F(BancoProva, VerificaInColonnaCopiaNelloSchema)
{
    ruota(7, RO, {81, 30, 83, 84, 85});
    RigaEsito riga;   // FIX of Bari 1st, value 0
    riga.cop = riga.tot = 5;
    riga.formula = "FIX";
    riga.tipo = 3;
    riga.p1 = 1;
    riga.r1 = 0;
    riga.val = 0;
    impostaRisultati(b, TipoRicerca::Ambate, {riga}, 1);

    EXPECT_TRUE(verificaEsitoInColonna(b, *a, 3));   // no current row yet
    b.esitoScelto = 1;
    EXPECT_FALSE(verificaEsitoInColonna(b, *a, 3));
    EXPECT_EQ(tabellaFgX(b).testo(1, 3), "30");
    EXPECT_EQ(tabellaFgX(b).testo(2, 3), "40");
    EXPECT_EQ(FgL().testo(1, 10), "30");     // G3
    EXPECT_EQ(FgL().testo(1, 4), "RO");
    EXPECT_EQ(FgL().testo(1, 5), "2");
    EXPECT_EQ(FgL().sfondo(1, 13), grid::colori::Giallo);   // the report's colours
    const char* atteso[] = {"FIX", "3", "1", "0", "BA", "", "", "", "0"};
    for (int c = 3; c <= 11; ++c)
        EXPECT_EQ(engine::testoMattone(b.rigaFg5(3), c), atteso[c - 3]) << c;

    riga.val = 1;
    impostaRisultati(b, TipoRicerca::AbbinamentiAmbo, {riga}, 1);
    b.abbinamentoScelto = 1;
    EXPECT_FALSE(verificaAbbinamentoInColonna(b, *a, 5));
    EXPECT_EQ(tabellaFgX(b).testo(1, 5), "31");
    EXPECT_EQ(engine::testoMattone(b.rigaFg5(5), 11), "1");
    EXPECT_EQ(FgL().testo(1, 12), "31");   // G5

    impostaNumeroCaso(b, 1, 4, 77);
    EXPECT_FALSE(verificaSoloEsito(b, *a));
    EXPECT_EQ(tabellaFgX(b).testo(1, 4), "");
    EXPECT_EQ(tabellaFgX(b).testo(1, 1), "30");
    EXPECT_EQ(engine::testoMattone(b.rigaFg5(1), 3), "");
}

TEST_F(BancoProva, VerificaContaINumeriDellInsiemePerRuota)
{
    ruota(6, CA, {31, 30, 1, 2, 3});
    ruota(6, GE, {30, 5, 6, 7, 8});
    impostaNumeroCaso(b, 1, 1, 30);
    impostaNumeroCaso(b, 1, 2, 31);
    impostaNumeroCaso(b, 2, 1, 40);
    b.livello = 2;
    EXPECT_FALSE(verificaPrevisioni(b, *a));
    ASSERT_EQ(FgL().righe(), 4);
    EXPECT_EQ(FgL().testo(1, 1), "5");
    EXPECT_EQ(FgL().testo(1, 3), "1");
    EXPECT_EQ(FgL().testo(1, 8), "30");
    EXPECT_EQ(FgL().testo(1, 9), "31");
    EXPECT_EQ(FgL().testo(1, 4), "CA");   // Genova holds only one of the two
    EXPECT_EQ(FgL().testo(1, 5), "1");
    EXPECT_EQ(FgL().testo(1, 13), "2");
    EXPECT_EQ(FgL().testo(1, 14), "31");
    EXPECT_EQ(FgL().testo(1, 15), "30");
    EXPECT_EQ(FgL().sfondo(1, 13), colori::Selezione);
    EXPECT_EQ(tabellaFgX(b).sfondo(1, 1), colori::VerdeChiaro);
    EXPECT_EQ(FgL().testo(2, 5), "");
    EXPECT_EQ(FgL().testo(3, 5), "");   // the reference draw: no colpo
    EXPECT_EQ(Fg_E().testo(1, colE::Casi), "3");
    EXPECT_EQ(Fg_E().testo(1, colE::Pos), "1");
    EXPECT_EQ(Fg_E().testo(1, colE::Neg), "2");
    EXPECT_EQ(Fg_E().testo(1, colE::InG), "1");
    EXPECT_EQ(Fg_E().testo(1, colE::Sorte1 + 1), "1");

    b.livello = 1;
    verificaPrevisioni(b, *a);
    EXPECT_EQ(FgL().righe(), 5);   // Genova now counts, on a row of its own
    EXPECT_EQ(FgL().testo(2, 4), "GE");
    EXPECT_EQ(FgL().testo(2, 1), "");
}

TEST_F(BancoProva, CelleVuoteDiFgXNonSonoNumeri)
{
    b.livello = 1;
    EXPECT_FALSE(verificaPrevisioni(b, *a));   // Nazionale in play and never drawn: its 0s match nothing
    EXPECT_EQ(Fg_E().testo(1, colE::Pos), "0");
    b.livello = 6;
    const Esito e = verificaPrevisioni(b, *a);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->testo, "Errore imprevisto. Controllare i dati inseriti.");
    EXPECT_EQ(e->titolo, "Avviso");
}

TEST_F(BancoProva, VerificaDiLivelloRiempieUnaColonnaPerMattone)
{
    mattone(2, 2);
    impostaNumeroCaso(b, 1, 3, 55);
    EXPECT_FALSE(verificaLivello(b, *a, 2));
    EXPECT_EQ(tabellaFgX(b).testo(1, 1), "31");
    EXPECT_EQ(tabellaFgX(b).testo(1, 2), "");   // brick 3 is empty
    EXPECT_EQ(tabellaFgX(b).testo(1, 3), "");
    EXPECT_EQ(tabellaFgX(b).testo(2, 1), "41");

    mattone(3, 1, "QQ");
    EXPECT_TRUE(verificaLivello(b, *a, 2));

    // Typed cells may hold any text: a value past every integer is an error, not a guess.
    mattone(3, 1);
    engine::impostaCella(b.mattone(3), engine::colF::E1, "99999999999999999999");
    EXPECT_TRUE(verificaLivello(b, *a, 2));
}

// The numbers of the cases are kept typed: VERIFICA and ABBINAMENTI read them, FgX shows
// them. A level writes both alike, with no number where the formula had none.
TEST_F(BancoProva, INumeriDeiCasiSonoCampiCheFgXMostra)
{
    mattone(2, 2);
    mattone(3, 1, "NZ");   // Nazionale never drawn: no number for any case
    EXPECT_FALSE(verificaLivello(b, *a, 2));
    ASSERT_EQ(b.numeriCasi.size(), 3u);
    EXPECT_EQ(b.numeriCasi[0][0], 31);
    EXPECT_EQ(b.numeriCasi[1][0], 41);
    EXPECT_FALSE(b.numeriCasi[0][1]);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 5; ++c) {
            const auto& n = b.numeriCasi[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)];
            EXPECT_EQ(tabellaFgX(b).testo(r, c), n ? std::to_string(*n) : std::string()) << r << "," << c;
        }

    // What FgX shows is not read back: it is written from the fields.
    b.livello = 1;
    EXPECT_FALSE(verificaPrevisioni(b, *a));
    EXPECT_EQ(FgL().testo(1, engine::colL::G1), "31");
    EXPECT_EQ(Fg_E().testo(1, colE::Pos), "0");   // 82 is on every wheel, 31 nowhere after draw 5
    EXPECT_EQ(leggiImpostazioniRicerca(b, TipoRicerca::AbbinamentiAmbo).casi[0].giocati[0], 31);

    // A column cleared, or out-of-range slots, leave the other numbers alone.
    impostaNumeroCaso(b, 2, 6, 7);
    impostaNumeroCaso(b, 0, 1, 7);
    svuotaColonnaFgX(b, 1);
    EXPECT_EQ(numeroDelCaso(b, 1, 1), 0);
    EXPECT_EQ(numeroDelCaso(b, 9, 1), 0);
    EXPECT_EQ(b.numeriCasi.size(), 3u);
    EXPECT_EQ(tabellaFgX(b).testo(1, 1), "");
}

TEST_F(BancoProva, ElaboraTieneIlPrimoEsitoDiOgniCasoFraILivelli)
{
    mattone(1, 1);          // level 1: 30 for the first case
    mattone(2, 2);          // level 2: 31 and 32
    mattone(3, 3);
    ruota(7, RO, {81, 30, 83, 84, 85});   // level 1 at colpo 2
    ruota(6, CA, {31, 32, 1, 2, 3});      // level 2 at colpo 1, twice
    ruota(6, GE, {8, 9, 10, 32, 31});
    toggleLivello(b, 1);
    toggleLivello(b, 2);
    impostaSorteLivello(b, 2, 2);
    EXPECT_FALSE(elaboraLivelli(b, *a));

    ASSERT_EQ(FgY().righe(), 1 + 3 + 4);
    EXPECT_EQ(FgY().testo(1, colY::Livello), "1");
    EXPECT_EQ(FgY().testo(1, colY::Ru), "RO");
    EXPECT_EQ(FgY().testo(1, colY::C), "2");
    EXPECT_EQ(FgY().testo(1, colY::Prev), "30");
    EXPECT_EQ(FgY().testo(4, colY::Livello), "2");
    EXPECT_EQ(FgY().testo(4, colY::Ru), "CA");
    EXPECT_EQ(FgY().testo(4, colY::So), "2");
    EXPECT_EQ(FgY().testo(4, colY::Prev), "31-32");
    EXPECT_EQ(FgY().testo(5, colY::Ru), "GE");
    EXPECT_EQ(FgY().testo(5, colY::Estr), "5");   // taken from the row above
    EXPECT_EQ(FgY().testo(5, colY::Rif), "1");
    EXPECT_EQ(FgY().sfondo(4, colY::So), colori::Selezione);   // colours travel with the rows
    // The rows Fg10 is chosen from: a further hit row belongs to the case above it.
    ASSERT_EQ(b.righeElabora.size(), 7u);
    EXPECT_EQ(b.righeElabora[4].livello, 2);
    EXPECT_EQ(b.righeElabora[4].riga.caso, 1);
    EXPECT_EQ(b.righeElabora[4].riga.estrazione, 5);
    EXPECT_EQ(b.righeElabora[3].riga.sorte, 2);

    ASSERT_EQ(Fg10().righe(), 3);
    EXPECT_EQ(Fg10().testo(0, 4), "Ruota");
    EXPECT_EQ(Fg10().testo(1, colY::Ru), "CA");
    EXPECT_EQ(Fg10().testo(2, colY::Ru), "GE");
    EXPECT_EQ(Fg10().testo(2, colY::Livello), "2");

    EXPECT_EQ(Fg_E().testo(1, colE::Casi), "3");
    EXPECT_EQ(Fg_E().testo(1, colE::Pos), "1");
    EXPECT_EQ(Fg_E().testo(1, colE::Neg), "2");
    EXPECT_EQ(Fg_E().testo(1, colE::InG), "1");
    EXPECT_EQ(Fg_E().testo(1, colE::Sorte1 + 1), "1");
    EXPECT_EQ(b.livello, 2);
}

TEST_F(BancoProva, ElaboraNonPrendeRigheDaUnLivelloFallito)
{
    mattone(1, 1);
    mattone(2, 2);           // brick 2 alone would come out: 31 at colpo 1 on Cagliari
    mattone(3, 1, "QQ");     // brick 3 names no wheel: level 2 cannot be verified
    ruota(6, CA, {31, 81, 82, 83, 84});
    for (int k : {1, 2})
        toggleLivello(b, k);
    const Esito e = elaboraLivelli(b, *a);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->testo, "Errore imprevisto. Controllare i dati inseriti.");
    ASSERT_EQ(FgY().righe(), 1 + 3);   // level 1 only
    for (int y = 1; y < FgY().righe(); ++y)
        EXPECT_EQ(FgY().testo(y, colY::Livello), "1") << y;
    EXPECT_EQ(Fg10().righe(), 1);
    EXPECT_EQ(Fg_E().testo(1, colE::Pos), "0");
}

// MARCA and the comparison with chance read the report's rows, not what FgL shows.
TEST_F(BancoProva, IResocontiSiLegonoDalleRigheNonDalleCelle)
{
    ruota(6, CA, {31, 30, 1, 2, 3});
    impostaNumeroCaso(b, 1, 1, 30);
    b.livello = 1;
    EXPECT_FALSE(verificaPrevisioni(b, *a));
    ASSERT_EQ(b.righeVerifica.size(), 3u);
    ASSERT_EQ(FgL().righe(), 4);
    EXPECT_EQ(b.righeVerifica[0].estrazione, 5);
    EXPECT_EQ(b.righeVerifica[0].colpo, 1);
    EXPECT_EQ(b.righeVerifica[0].sorte, 1);
    EXPECT_EQ(b.righeVerifica[0].giocati[0], 30);
    EXPECT_EQ(b.righeVerifica[1].caso, 2);
    EXPECT_EQ(b.righeVerifica[1].colpo, 0);

    marcaCasiCentrati(b);
    EXPECT_TRUE(casoCoperto(b, 1));
    EXPECT_FALSE(casoCoperto(b, 2));
}

TEST_F(BancoProva, MarcaSegnaICasiCentrati)
{
    impostaNumeroCaso(b, 2, 1, 40);
    setCasoCoperto(b, 3, true);
    verificaPrevisioni(b, *a);
    marcaCasiCentrati(b);   // no hit: every mark cleared, none set
    for (int r = 1; r <= 3; ++r)
        EXPECT_FALSE(casoCoperto(b, r)) << r;

    ruota(12, CA, {1, 2, 40, 4, 5});
    verificaPrevisioni(b, *a);
    marcaCasiCentrati(b);
    EXPECT_FALSE(casoCoperto(b, 1));
    EXPECT_TRUE(casoCoperto(b, 2));
    b.casiScoperti = true;
    EXPECT_EQ(casiAbilitati(b), (std::vector<bool>{false, true, false, true}));
}

TEST_F(BancoProva, CasiAbilitatiERuoteInGioco)
{
    setCasoCoperto(b, 2, true);
    EXPECT_EQ(casiAbilitati(b), (std::vector<bool>{false, true, true, true}));
    b.casiScoperti = true;
    EXPECT_EQ(casiAbilitati(b), (std::vector<bool>{false, true, false, true}));
    setRuotaInGioco(b, CA, false);
    EXPECT_FALSE(ruotaInGioco(b, CA));
    EXPECT_TRUE(ruotaInGioco(b, NZ));

    workbench::Banco nuovo;
    apriBanco(nuovo, *a);
    const auto ruote = ruoteInGioco(nuovo);
    for (int w = 0; w < 11; ++w)
        EXPECT_EQ(ruote[w], w == BA) << w;
    EXPECT_EQ(nuovo.riferimento, 20);
    EXPECT_EQ(nuovo.colpi, 8);
    EXPECT_EQ(nuovo.numeroCasi, 12);
    EXPECT_EQ(nuovo.lista, 100);
    EXPECT_EQ(nuovo.rilevazione, Rilevazione::Mensile);
    EXPECT_EQ(testoEstratti(nuovo.estratti[1], 1), "81");
    EXPECT_EQ(engine::testoMattone(nuovo.mattone(11), 0), "11");
}

}
