// Verifica1..7: forecasts per case, first attempt on the wheels in play, report rows, errors.
#include "engine/Operatori.h"
#include "engine/Piramide.h"
#include "engine/Verifica.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace engine;

constexpr int BA = 0, CA = 1, RO = 7, NZ = 10;

// Twenty draws where every wheel but Nazionale holds 81..85 (never a forecast below),
// so each test places exactly the numbers it needs.
class Verifica : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = std::make_unique<archive::Archivio>();
        a->NumeroEstrazioni = 20;
        for (int d = 1; d <= 20; ++d) {
            char data[48];
            std::snprintf(data, sizeof data, "%02d/01/2020", d);
            a->DateEstrazioni[d] = data;
            for (int w = 0; w < 10; ++w)
                for (int p = 1; p <= 5; ++p)
                    a->setNumero(d, w, p, static_cast<std::int16_t>(80 + p));
        }
        FgL.setIntestazione("Prog|N° estr|Data Estraz  |Rif|Ru |C   |N1 |N2 |G1|G2|G3|G4|G5|S |1  |2  |3  |4  |5  ");
        pv.colpi = 3;
        pv.riferimento = 20;
        pv.ruote.fill(true);
        pv.slot = 1;
    }

    void caso(int d) { casi.push_back(d); }

    // The number case k got in slot s; none when the case was never reached.
    std::optional<int> numero(int k, int s) const
    {
        if (k < 1 || k > static_cast<int>(numeri.size()))
            return std::nullopt;
        return numeri[static_cast<std::size_t>(k - 1)][static_cast<std::size_t>(s - 1)];
    }

    // The verification, with the report written from its rows as the command line prints it.
    void verifica(const Formula& f)
    {
        try {
            VerificaFormula(f, pv, casi, righe, numeri, *a);
        } catch (...) {
            scriviFgL(FgL, righe);
            throw;
        }
        scriviFgL(FgL, righe);
    }

    // FIX on the number at Bari position 1 with value 0: the forecast is that number.
    Formula fissa() const { return Formula{"FIX", 3, 1, BA, 0, 0, 0}; }

    std::unique_ptr<archive::Archivio> a;
    std::vector<int> casi;
    grid::Grid FgL;
    std::vector<NumeriCaso> numeri;
    std::vector<RigaVerifica> righe;
    ParametriVerifica pv;
};

TEST_F(Verifica, StessoTentativoSuDueRuoteUnaRigaPerRuota)
{
    a->setNumero(5, BA, 1, 30);
    a->setNumero(7, BA, 4, 30);
    a->setNumero(7, RO, 1, 30);
    a->setNumero(8, CA, 2, 30);   // third attempt: never examined
    caso(5);
    pv.slot = 2;
    verifica(fissa());
    ASSERT_EQ(FgL.righe(), 3);
    EXPECT_EQ(FgL.testo(1, colL::Estr), "5");
    EXPECT_EQ(FgL.testo(1, colL::Data), "05/01/2020");
    EXPECT_EQ(FgL.testo(1, colL::Rif), "1");
    EXPECT_EQ(FgL.testo(1, colL::Ru), "BA");
    EXPECT_EQ(FgL.testo(1, colL::C), "2");
    EXPECT_EQ(FgL.testo(1, colL::Pos1 + 3), "30");
    EXPECT_EQ(FgL.testo(1, colL::S), "1");
    EXPECT_EQ(FgL.testo(1, 9), "30");   // G2
    EXPECT_EQ(FgL.testo(2, colL::Estr), "");
    EXPECT_EQ(FgL.testo(2, colL::Ru), "RO");
    EXPECT_EQ(FgL.testo(2, colL::C), "2");
    EXPECT_EQ(FgL.testo(2, colL::Pos1), "30");
    EXPECT_EQ(FgL.testo(2, 9), "30");
    EXPECT_EQ(FgL.testo(2, colL::S), "1");
    EXPECT_EQ(numero(1, 2), 30);
    // The figures of every report row, kept beside it: the further hit row names no case.
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(righe[0].estrazione, 5);
    EXPECT_EQ(righe[0].caso, 1);
    EXPECT_EQ(righe[1].caso, 0);
    for (const RigaVerifica& r : righe) {
        EXPECT_EQ(r.colpo, 2);
        EXPECT_EQ(r.sorte, 1);
        EXPECT_EQ(r.giocati, (std::array<int, 5>{0, 30, 0, 0, 0}));
    }
}

TEST_F(Verifica, SoloIlPrimoTentativoVieneRiportato)
{
    a->setNumero(5, BA, 1, 30);
    a->setNumero(6, CA, 3, 30);
    a->setNumero(8, RO, 3, 30);
    caso(5);
    verifica(fissa());
    ASSERT_EQ(FgL.righe(), 2);
    EXPECT_EQ(FgL.testo(1, colL::Ru), "CA");
    EXPECT_EQ(FgL.testo(1, colL::C), "1");
}

TEST_F(Verifica, NullaDopoLEstrazioneDiRiferimentoVieneLetto)
{
    a->setNumero(5, BA, 1, 30);
    a->setNumero(20, BA, 1, 30);
    a->setNumero(6, CA, 3, 30);
    caso(20);   // the reference draw itself: no attempt
    caso(5);
    pv.riferimento = 5;   // the hit in draw 6 lies after the reference
    a->setNumero(20, BA, 1, 30);
    verifica(fissa());
    ASSERT_EQ(FgL.righe(), 3);
    EXPECT_EQ(FgL.testo(1, colL::C), "");
    EXPECT_EQ(FgL.testo(1, colL::G1), "30");
    EXPECT_EQ(FgL.testo(2, colL::C), "");
}

TEST_F(Verifica, NessunaRuotaInGiocoNessunEsito)
{
    a->setNumero(5, BA, 1, 30);
    a->setNumero(6, CA, 3, 30);
    caso(5);
    pv.ruote.fill(false);
    verifica(fissa());
    ASSERT_EQ(FgL.righe(), 2);
    EXPECT_EQ(FgL.testo(1, colL::Ru), "");
    pv.ruote[CA] = true;
    verifica(fissa());
    ASSERT_EQ(FgL.righe(), 2);   // the report was cut back first
    EXPECT_EQ(FgL.testo(1, colL::Ru), "CA");
}

TEST_F(Verifica, UnaRuotaNonEstrattaNonDaPrevisioneNeVincita)
{
    // Nazionale is never drawn here: a formula reading it has no number on the case, says so
    // in the report, and wins nothing (its positions hold 0, never a hit).
    caso(5);
    verifica(Formula{"MIN5", 6, 5, NZ, 0, 0, 0});
    EXPECT_EQ(numero(1, 1), std::nullopt);
    ASSERT_EQ(FgL.righe(), 2);
    EXPECT_EQ(FgL.testo(1, colL::G1), "n.e.");
    EXPECT_EQ(FgL.testo(1, colL::C), "");
}

TEST_F(Verifica, ITipiPrendonoILoroIngressi)
{
    a->setNumero(3, CA, 2, 12);
    a->setNumero(5, BA, 1, 30);
    a->setNumero(5, RO, 5, 7);
    caso(5);
    struct Caso { Formula f; int atteso; };
    const Caso formule[] = {
        {{"NUM", 1, 1, BA, 0, 0, 0}, 30},
        {{"SOM", 2, 1, BA, 5, RO, 0}, 37},
        {{"FIX", 3, 1, BA, 0, 0, 5}, 35},
        {{"NUM", 4, 0, 0, 0, 0, 44}, 44},
        {{"NUM", 5, 2, CA, 0, 0, 2}, 12},   // two draws before the case
        {{"MAG5", 6, 5, RO, 0, 0, 0}, 84},
        {{"SOM+", 7, 1, BA, 5, RO, 3}, 40},
    };
    for (const auto& c : formule) {
        verifica(c.f);
        EXPECT_EQ(numero(1, 1), c.atteso) << "tipo " << c.f.tipo;
    }
}

TEST_F(Verifica, GliErroriFermanoMaTengonoLeRigheScritte)
{
    caso(5);
    caso(2);
    caso(8);
    // Class 5 with three draws back: the second case (draw 2) has no draw -1.
    EXPECT_THROW(verifica(Formula{"NUM", 5, 1, BA, 0, 0, 3}), ErroreCalcolo);
    // The first case came out on the ten drawn wheels; the second has only its row.
    EXPECT_EQ(FgL.righe(), 1 + 10 + 1);
    EXPECT_EQ(FgL.testo(FgL.righe() - 1, colL::Estr), "2");
    EXPECT_EQ(numero(1, 1), 81);
    EXPECT_EQ(numero(3, 1), std::nullopt);

    const std::vector<RigaVerifica> prima = righe;
    EXPECT_THROW(verifica(Formula{"NUM", 8, 1, BA, 0, 0, 0}), ErroreCalcolo);
    EXPECT_EQ(righe, prima);   // an unknown class writes nothing

    // A wheel beyond 16 bits is refused before the report is touched, not taken for Bari.
    EXPECT_THROW(verifica(Formula{"MAG5", 6, 5, 65536, 0, 0, 0}), ErroreCalcolo);
    EXPECT_EQ(righe, prima);

    casi[0] = 21;
    EXPECT_THROW(verifica(fissa()), ErroreCalcolo);
}

TEST_F(Verifica, ColoriDelResoconto)
{
    caso(5);
    verifica(fissa());
    EXPECT_EQ(FgL.coloreTesto(1, 8), grid::colori::Blu);
    EXPECT_EQ(FgL.sfondo(1, 6), grid::rgb(255, 255, 192));
    EXPECT_EQ(FgL.sfondo(1, 3), grid::rgb(255, 224, 192));
    EXPECT_EQ(FgL.sfondo(1, 16), grid::rgb(192, 255, 192));
    EXPECT_EQ(FgL.coloreTesto(1, 16), grid::colori::Rosso);
    EXPECT_TRUE(FgL.grassetto(1, 16));
    EXPECT_TRUE(FgL.grassetto(1, 4));
    EXPECT_EQ(FgL.sfondo(1, 13), grid::colori::Giallo);
    EXPECT_EQ(FgL.sfondo(0, 13), grid::colori::Bianco);
    EXPECT_FALSE(FgL.grassetto(1, colL::S));
    // A row reaching the sorte VERIFICA asked for: S green and bold.
    righe[0].sorteRichiesta = 1;
    righe[0].sorte = 1;
    scriviFgL(FgL, righe);
    EXPECT_EQ(FgL.sfondo(1, colL::S), grid::colori::Verde);
    EXPECT_TRUE(FgL.grassetto(1, colL::S));
}

}
