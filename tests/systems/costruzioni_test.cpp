// The known constructions and the search's edges: every plane and Steiner system checked, a stop, the rendimento's limit.
#include "systems/Copertura.h"
#include "systems/Rendimento.h"

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>

using namespace systems;

namespace {

std::vector<int> primi(int v)
{
    std::vector<int> n(static_cast<std::size_t>(v));
    std::iota(n.begin(), n.end(), 1);
    return n;
}

}

TEST(Costruzioni, OgniPianoESistemaDiSteinerSuperaIlControllo)
{
    struct Caso {
        Garanzia g;
        std::int64_t biglietti;   // the design's block count, worked out from v, k, t
    };
    // Projective planes q^2 + q + 1 lines; affine planes q^2 + q; Steiner triple systems v(v-1)/6;
    // Steiner quadruple systems v(v-1)(v-2)/24.
    const Caso casi[] = {
        {{31, 6, 2, 2}, 31},   {{57, 8, 2, 2}, 57},    {{73, 9, 2, 2}, 73},   {{49, 7, 2, 2}, 56},  {{64, 8, 2, 2}, 72},
        {{9, 3, 2, 2}, 12},    {{33, 3, 2, 2}, 176},   {{87, 3, 2, 2}, 1247}, {{20, 4, 3, 3}, 285}, {{22, 4, 3, 3}, 385},
        {{32, 4, 3, 3}, 1240},
    };
    for (const auto& c : casi) {
        const auto e = costruzioneNota(c.g, 5);
        ASSERT_TRUE(e) << c.g.v << " " << c.g.k;
        EXPECT_EQ(static_cast<std::int64_t>(e->biglietti.size()), c.biglietti) << e->metodo;
        EXPECT_EQ(e->limite, c.biglietti) << e->metodo;   // each meets the Schönheim bound
        EXPECT_TRUE(verificaGaranzia(sistemaRidotto(primi(c.g.v), c.g, e->biglietti, e->metodo)).valida) << e->metodo;
    }
    // Nothing claimed where no design exists: pairs of 12 by triples, m above t.
    EXPECT_FALSE(costruzioneNota({12, 3, 2, 2}, 1));
    EXPECT_FALSE(costruzioneNota({13, 4, 3, 2}, 1));
}

TEST(Costruzioni, RicercaFermataTieneIlMiglioreVerificato)
{
    avanzamento::Avanzamento av;
    std::thread fermo([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        av.ferma();
    });
    const auto inizio = std::chrono::steady_clock::now();
    const auto r = calcolaSistema(primi(20), 5, 4, 3, false, {60, 1}, &av);
    fermo.join();
    EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(20));
    EXPECT_TRUE(r.interrotta);
    EXPECT_TRUE(r.verifica.valida);
    EXPECT_LE(r.sistema.biglietti(), r.golosa);
}

TEST(Costruzioni, IntegraleConLaGaranziaChiestaERendimentoOltreIlLimite)
{
    // Tickets of 5 of 8 numbers: any 3 out lie on one ticket, so "an ambo if 3 come out" holds too.
    const auto integrale = calcolaSistema(primi(8), 5, 3, 2, true, {});
    EXPECT_EQ(integrale.sistema.biglietti(), 56);
    EXPECT_EQ(integrale.sistema.garanzia, (Garanzia{8, 5, 3, 2}));
    EXPECT_TRUE(integrale.verifica.valida);
    EXPECT_EQ(testoVerifica(integrale.verifica, integrale.sistema.garanzia), "garanzia verificata su tutte le 56 terzine");

    // All ninety numbers, pairs by tickets of ten: the five out can be any of 43.949.268 cinquine,
    // too many to walk against every ticket; the rows below stay exact.
    const auto tutti = calcolaSistema(primi(90), 10, 2, 2, false, {0.2, 1});
    ASSERT_TRUE(tutti.verifica.valida);
    const auto righe = rendimento(tutti.sistema, {0, 100, 0, 0, 0}, plays::Tariffe{});
    ASSERT_EQ(righe.size(), 6U);
    EXPECT_TRUE(righe[2].calcolata);
    EXPECT_EQ(righe[2].minimo[1], 1);   // two out always share a ticket
    EXPECT_FALSE(righe[5].calcolata);
}
