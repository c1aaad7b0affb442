// The predictive pyramid: count against the literal count, ranking, layouts, labels.
#include "predictive/PiramidePrevisionale.h"

#include "archive/ImportaStorico.h"
#include "support/Storico.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <set>

#include <unistd.h>

using namespace predictive;

namespace {

// An archive of `n` draws with random numbers on every wheel; Nazionale only from
// draw `primaNazionale` on, as in the real archive.
archive::Archivio archivioCasuale(int n, unsigned seme, int primaNazionale = 1)
{
    archive::Archivio a;
    std::mt19937 rng(seme);
    for (int d = 1; d <= n; ++d) {
        a.DateEstrazioni[d] = "01/01/2000";
        for (int w = 0; w < archive::NumeroRuote; ++w) {
            if (w == 10 && d < primaNazionale)
                continue;
            std::vector<int> urna(90);
            for (int i = 0; i < 90; ++i)
                urna[i] = i + 1;
            std::shuffle(urna.begin(), urna.end(), rng);
            for (int p = 1; p <= 5; ++p)
                a.setNumero(d, w, p, static_cast<std::int16_t>(urna[p - 1]));
        }
    }
    a.NumeroEstrazioni = n;
    a.modelloCompleto();
    return a;
}

Ruote ruote(std::initializer_list<int> scelte)
{
    Ruote FgR = ruoteIniziali();
    selezionaRuote(FgR, false);
    for (int w : scelte)
        commutaRuota(FgR, w);
    return FgR;
}

// The count as first described: one pass over the run per number, the table filled in
// ascending order of n and then sorted by the grid on the criterion's column.
grid::Grid tabellaLetterale(const archive::Archivio& a, int inizio, int fine, const std::array<bool, 11>& sel,
                            int criterio)
{
    grid::Grid FG2(91, 5);
    for (int n = 1; n <= 90; ++n) {
        int presenze = 0, ultima = 0;
        for (int k = inizio; k <= fine; ++k)
            for (int w = 0; w <= 10; ++w)
                if (sel[w])
                    for (int p = 1; p <= 5; ++p)
                        if (a.numero(a.ArchivioModello[k], w, p) == n) {
                            ++presenze;
                            ultima = k;
                        }
        FG2.setNumero(n, 1, n);
        FG2.setNumero(n, 2, fine - ultima);
        FG2.setNumero(n, 3, presenze);
        if (presenze) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.2f", static_cast<double>(fine - inizio) / presenze + 1e-9);
            std::string t = buf;
            if (t.rfind("0.", 0) == 0)
                t.erase(0, 1);
            FG2.setTesto(n, 4, t);
        }
    }
    FG2.ordinaDecrescente(criterio + 1);
    return FG2;
}

std::vector<std::string> righeFg1(const PiramidePrevisionale& pp)
{
    std::vector<std::string> out;
    for (int r = 0; r < pp.Fg1.righe(); ++r) {
        std::string riga;
        for (int c = 0; c <= r; ++c)
            riga += (c ? " " : "") + pp.Fg1.testo(r, c);
        out.push_back(riga);
    }
    return out;
}

}

TEST(ConteggioPrevisionale, UnaPassataDaLaTabellaDelConteggioLetterale)
{
    const auto a = archivioCasuale(400, 7, 150);
    std::mt19937 rng(11);
    for (int prova = 0; prova < 40; ++prova) {
        std::array<bool, 11> sel{};
        for (auto& s : sel)
            s = rng() % 3 == 0;
        sel[rng() % 11] = true;
        const int inizio = 1 + static_cast<int>(rng() % 399);
        const int fine = inizio + 1 + static_cast<int>(rng() % (400 - inizio));
        const int criterio = 1 + prova % 3;
        Ruote FgR = ruote({});
        for (int w = 0; w < 11; ++w)
            if (sel[w])
                commutaRuota(FgR, w);
        PiramidePrevisionale pp;
        Ingresso in;
        in.inizio = inizio;
        in.fine = fine;
        in.criterio = static_cast<Criterio>(criterio);
        ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, FgR, in));
        const auto attesa = tabellaLetterale(a, inizio, fine, sel, criterio);
        ASSERT_EQ(pp.FG2.righe(), 91);
        for (int r = 1; r <= 90; ++r)
            for (int c = 1; c <= 4; ++c)
                ASSERT_EQ(pp.FG2.testo(r, c), attesa.testo(r, c))
                    << "prova " << prova << " riga " << r << " colonna " << c << " run " << inizio << ".." << fine;
        for (int r = 1; r <= 90; ++r)
            ASSERT_EQ(pp.FG3.testo(r, 1), pp.FG2.testo(r, 1));
    }
}

TEST(ConteggioPrevisionale, NazionaleSelezionataVieneContata)
{
    const auto a = archivioCasuale(50, 3);
    PiramidePrevisionale pp;
    Ingresso in;
    in.inizio = 1;
    in.fine = 50;
    in.criterio = Criterio::Presenze;
    ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, ruote({10}), in));
    int totale = 0;
    for (int r = 1; r <= 90; ++r)
        totale += static_cast<int>(pp.FG2.valore(r, 3));
    EXPECT_EQ(totale, 50 * 5);
}

TEST(ConteggioPrevisionale, UnaSolaEstrazione)
{
    archive::Archivio a;
    a.NumeroEstrazioni = 10;
    for (int p = 1; p <= 5; ++p)
        a.setNumero(7, 0, p, static_cast<std::int16_t>(p * 10));
    a.modelloCompleto();
    PiramidePrevisionale pp;
    Ingresso in;
    in.inizio = in.fine = 7;
    in.criterio = Criterio::Frequenza;
    ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, ruote({0}), in));
    for (int r = 1; r <= 90; ++r) {
        const int n = static_cast<int>(pp.FG2.valore(r, 1));
        const bool uscito = n % 10 == 0 && n <= 50;
        // The drawn numbers come first (".00"), the empty cells last, each group ascending.
        EXPECT_EQ(uscito, r <= 5) << n;
        EXPECT_EQ(pp.FG2.testo(r, 2), uscito ? "0" : "7");
        EXPECT_EQ(pp.FG2.testo(r, 3), uscito ? "1" : "0");
        EXPECT_EQ(pp.FG2.testo(r, 4), uscito ? ".00" : "");
    }
    EXPECT_EQ(pp.FG2.testo(1, 1), "10");
    EXPECT_EQ(pp.FG2.testo(6, 1), "1");
}

TEST(ConteggioPrevisionale, RitardoDiUnNumeroMaiUscitoEFineERangoPrimo)
{
    auto a = archivioCasuale(300, 5);
    // 77 never comes out on Bari, the counted wheel.
    for (int d = 1; d <= 300; ++d)
        for (int p = 1; p <= 5; ++p)
            if (a.numero(d, 0, p) == 77)
                a.setNumero(d, 0, p, 0);
    PiramidePrevisionale pp;
    Ingresso in;
    in.inizio = 101;
    in.fine = 300;
    ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, ruote({0}), in));
    EXPECT_EQ(pp.FG2.testo(1, 1), "77");
    EXPECT_EQ(pp.FG2.testo(1, 2), "300");
    EXPECT_EQ(pp.FG2.testo(1, 4), "");
    EXPECT_LT(pp.FG2.valore(2, 2), 300);
    EXPECT_EQ(pp.Fg1.testo(0, 0), "77");
}

TEST(FormatoIntervallo, DueDecimaliSenzaZeroIniziale)
{
    EXPECT_EQ(formatoIntervallo(*intervalloCentesimi(1, 2, 2)), ".50");
    EXPECT_EQ(formatoIntervallo(*intervalloCentesimi(5, 5, 3)), ".00");
    EXPECT_EQ(formatoIntervallo(*intervalloCentesimi(1, 38, 3)), "12.33");
    EXPECT_EQ(formatoIntervallo(*intervalloCentesimi(1, 3, 3)), ".67");
    EXPECT_EQ(formatoIntervallo(*intervalloCentesimi(1, 9999, 1)), "9998.00");
    EXPECT_FALSE(intervalloCentesimi(1, 10, 0));
}

class LayoutPiramide : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = archivioCasuale(200, 9);
        in.inizio = 21;
        in.fine = 200;
    }
    archive::Archivio a;
    Ingresso in;
    PiramidePrevisionale pp;
    std::string rango(int r) const { return pp.FG3.testo(r, 1); }
};

TEST_F(LayoutPiramide, CapogiocoNovantaLivelloTre)
{
    in.livello = 3;
    in.capogioco = 90;
    ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, ruote({0, 1, 2}), in));
    // After the removal FG3 has no 90 left and its first three ranks fill rows 1 and 2.
    ASSERT_EQ(pp.FG3.righe(), 90);
    for (int r = 1; r < 90; ++r)
        ASSERT_NE(rango(r), "90");
    EXPECT_EQ(righeFg1(pp), (std::vector<std::string>{"90", "90 " + rango(1), "90 " + rango(2) + " " + rango(3)}));
    EXPECT_EQ(pp.etichette[2][2].testo, rango(3));
    EXPECT_EQ(pp.etichette[3][0].testo, "");
}

TEST_F(LayoutPiramide, LivelloOttoUsaRanghiDaUnoATrentasei)
{
    in.livello = 8;
    ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, ruote({0, 5, 9}), in));
    std::set<std::string> usati;
    int rangoAtteso = 1;
    for (int r = 0; r < 8; ++r)
        for (int j = 0; j <= r; ++j) {
            EXPECT_EQ(pp.Fg1.testo(r, j), rango(rangoAtteso++));
            EXPECT_EQ(pp.etichette[r][j].testo, pp.Fg1.testo(r, j));
            usati.insert(pp.Fg1.testo(r, j));
        }
    EXPECT_EQ(usati.size(), 36u);
    int inPiramide = 0;
    for (int n = 1; n <= 90; ++n)
        inPiramide += pp.inPiramide[n];
    EXPECT_EQ(inPiramide, 36);

    // Diagonal "1": the right-hand edge, ranks 1, 3, 6, 10, 15, 21, 28, 36.
    pp.EvidenziaDiagonale(0);
    const int bordo[] = {1, 3, 6, 10, 15, 21, 28, 36};
    for (int r = 0; r < 8; ++r)
        for (int j = 0; j <= r; ++j) {
            const bool giallo = j == r;
            EXPECT_EQ(pp.etichette[r][j].sfondo, giallo ? grid::colori::Giallo : grid::colori::Bianco);
            if (giallo) {
                EXPECT_EQ(pp.etichette[r][j].testo, rango(bordo[r]));
            }
        }
    // Diagonal "8": only the first label of the base.
    pp.EvidenziaDiagonale(7);
    for (int r = 0; r < 8; ++r)
        for (int j = 0; j <= r; ++j)
            EXPECT_EQ(pp.etichette[r][j].sfondo == grid::colori::Giallo, r == 7 && j == 0);
}

TEST_F(LayoutPiramide, LivelloTreLasciaVuoteLeRigheSotto)
{
    in.livello = 8;
    ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, ruote({0}), in));
    in.livello = 3;
    ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, ruote({0}), in));
    EXPECT_EQ(pp.Fg1.righe(), 3);
    EXPECT_EQ(righeFg1(pp), (std::vector<std::string>{rango(1), rango(2) + " " + rango(3),
                                                      rango(4) + " " + rango(5) + " " + rango(6)}));
    for (int r = 3; r < 8; ++r)
        for (int j = 0; j <= r; ++j)
            EXPECT_EQ(pp.etichette[r][j].testo, "");
}

// The real archive, imported once into a temporary database and loaded as the program does.
class ConteggioStorico : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string storico = testsupport::percorsoStorico();
        if (storico.empty())
            return;
        namespace fs = std::filesystem;
        cartella = fs::temp_directory_path() / ("velmora_predictive_" + std::to_string(::getpid()));
        fs::create_directories(cartella);
        const std::string db = (cartella / "archivio.db").string();
        archive::ImportaStorico(storico, db);
        a = std::make_unique<archive::Archivio>();
        a->EstrazioneIniziale = 1;
        archive::CaricaArchivio(*a, db);
    }
    static void TearDownTestSuite()
    {
        a.reset();
        if (!cartella.empty())
            std::filesystem::remove_all(cartella);
    }
    void SetUp() override
    {
        if (!a)
            GTEST_SKIP() << "archivio storico non trovato";
    }
    static inline std::filesystem::path cartella;
    static inline std::unique_ptr<archive::Archivio> a;
};

TEST_F(ConteggioStorico, TuttoLArchivioComeIlConteggioLetterale)
{
    const int N = a->NumeroEstrazioniModello;
    ASSERT_GT(N, 7000);
    std::array<bool, 11> tutte;
    tutte.fill(true);
    for (int criterio = 1; criterio <= 3; ++criterio) {
        Ruote FgR = ruote({});
        selezionaRuote(FgR, true);
        PiramidePrevisionale pp;
        Ingresso in;
        in.inizio = 1;
        in.fine = N;
        in.criterio = static_cast<Criterio>(criterio);
        in.livello = 8;
        ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(*a, FgR, in));
        const auto attesa = tabellaLetterale(*a, 1, N, tutte, criterio);
        for (int r = 1; r <= 90; ++r)
            for (int c = 1; c <= 4; ++c)
                ASSERT_EQ(pp.FG2.testo(r, c), attesa.testo(r, c)) << "criterio " << criterio << " riga " << r;
    }
}

// The results are rows first: the grids and the labels are written from them, and a change that
// discards the results empties the rows too.
TEST_F(LayoutPiramide, RigheTipizzateEGriglieScritteDaEsse)
{
    in.livello = 4;
    in.capogioco = 7;
    pp.separatoreDecimale = ',';
    ASSERT_FALSE(pp.CalcolaPiramidePrevisionale(a, ruote({0, 3}), in));
    ASSERT_EQ(pp.statistiche.size(), 90u);
    ASSERT_EQ(pp.classifica.size(), 89u);
    EXPECT_EQ(std::count(pp.classifica.begin(), pp.classifica.end(), 7), 0);
    ASSERT_EQ(pp.piramide.size(), 4u);
    for (std::size_t r = 0; r < pp.piramide.size(); ++r) {
        ASSERT_EQ(pp.piramide[r].size(), r + 1);
        EXPECT_EQ(pp.piramide[r][0], 7);
        for (std::size_t j = 0; j <= r; ++j)
            EXPECT_EQ(pp.Fg1.testo(static_cast<int>(r), static_cast<int>(j)), std::to_string(pp.piramide[r][j]));
    }
    // Row r after the head holds the next r ranks: 1 | 2 3 | 4 5 6.
    EXPECT_EQ(pp.piramide[3][1], pp.classifica[3]);
    EXPECT_EQ(pp.piramide[3][3], pp.classifica[5]);
    for (std::size_t k = 0; k < pp.classifica.size(); ++k)
        EXPECT_EQ(rango(static_cast<int>(k) + 1), std::to_string(pp.classifica[k]));
    for (std::size_t k = 0; k < pp.statistiche.size(); ++k) {
        const auto& s = pp.statistiche[k];
        const int r = static_cast<int>(k) + 1;
        EXPECT_EQ(pp.FG2.testo(r, colFG2::Numero), std::to_string(s.numero));
        EXPECT_EQ(pp.FG2.testo(r, colFG2::Ritardo), std::to_string(s.ritardo));
        EXPECT_EQ(pp.FG2.testo(r, colFG2::Frequenza),
                  s.frequenzaCentesimi ? formatoIntervallo(*s.frequenzaCentesimi, ',') : std::string());
    }
    EXPECT_EQ(formatoIntervallo(1234, ','), "12,34");
    EXPECT_EQ(pp.etichette[3][3].testo, std::to_string(pp.piramide[3][3]));

    pp.cambiaCapogioco();
    EXPECT_TRUE(pp.statistiche.empty());
    EXPECT_TRUE(pp.piramide.empty());
    pp.MostraPiramide();
    EXPECT_EQ(pp.etichette[0][0].testo, "");
}

TEST(RuotePrevisionale, Scelta)
{
    Ruote r = ruoteIniziali();
    EXPECT_EQ(std::count(r.begin(), r.end(), true), 1);
    EXPECT_TRUE(r[0]);
    commutaRuota(r, 10);
    commutaRuota(r, 0);
    commutaRuota(r, 11);   // not a wheel: nothing changes
    commutaRuota(r, -1);
    EXPECT_EQ(std::count(r.begin(), r.end(), true), 1);
    EXPECT_TRUE(r[10]);
    selezionaRuote(r, true);
    EXPECT_EQ(std::count(r.begin(), r.end(), true), 11);
}
