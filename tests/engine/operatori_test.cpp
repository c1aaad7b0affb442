// The operator evaluator: every code on known values, input ranges, the fast path, the catalogue rows.
#include "engine/Operatori.h"
#include "storage/ProgramDb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

using engine::CampiOperatore;

class Operatori : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Draw 5: Firenze 37 52 8 90 14, Bari 1 2 3 4 5; wheel Genova left empty (all 0).
        const int firenze[] = {37, 52, 8, 90, 14};
        const int bari[] = {1, 2, 3, 4, 5};
        for (int p = 1; p <= 5; ++p) {
            archivio.setNumero(5, 2, p, static_cast<std::int16_t>(firenze[p - 1]));
            archivio.setNumero(5, 0, p, static_cast<std::int16_t>(bari[p - 1]));
        }
        archivio.NumeroEstrazioni = 6;   // draw 6 exists and is all zeros
    }

    int elabora(const std::string& codice, int n1, int n2 = 0, int fisso = 0)
    {
        CampiOperatore c;
        c.CodiceOperatore = codice;
        c.N1 = static_cast<std::int16_t>(n1);
        c.N2 = static_cast<std::int16_t>(n2);
        c.ValoreFisso = static_cast<std::int16_t>(fisso);
        engine::ElaboraPPP2(c, archivio);
        return c.Risultato;
    }

    int sullaRuota(const std::string& codice, int ruota, int p1, int r2 = 0, int p2 = 0, int estrazione = 5)
    {
        CampiOperatore c;
        c.CodiceOperatore = codice;
        c.EstrazioneCalcolo = static_cast<std::int16_t>(estrazione);
        c.R1 = static_cast<std::int16_t>(ruota);
        c.P1 = static_cast<std::int16_t>(p1);
        c.R2 = static_cast<std::int16_t>(r2);
        c.P2 = static_cast<std::int16_t>(p2);
        c.N1 = 77;   // whole-draw operators must ignore the prepared numbers
        c.N2 = 66;
        engine::ElaboraPPP2(c, archivio);
        return c.Risultato;
    }

    archive::Archivio archivio;
};

struct Caso {
    const char* codice;
    int n1, n2, fisso;
    int atteso;
};

TEST_F(Operatori, OperatoriSuNumeri)
{
    const Caso casi[] = {
        {"DEC", 5, 0, 0, 90},   {"DEC", 90, 0, 0, 90},  {"DEC", 45, 0, 0, 4},   {"DEC", 0, 0, 0, 90},
        {"FIG", 90, 0, 0, 9},   {"FIG", 0, 0, 0, 0},    {"CAD", 30, 0, 0, 90},  {"CAD", 37, 0, 0, 7},
        {"DIAM", 45, 0, 0, 90}, {"DIDE", 5, 0, 0, 90},  {"VERT", 89, 0, 0, 88}, {"VERT", 0, 0, 0, 0},
        {"VAL", 0, 0, 0, 90},   {"VAL", 17, 0, 0, 17},  {"NUM", 0, 0, 0, 0},    {"NUEP", 33, 0, 0, 33},
        {"C91", 1, 0, 0, 90},   {"C91", 0, 0, 0, 91},   {"QUAD", 10, 0, 0, 10}, {"QUAD", 0, 0, 0, 90},
        {"RADQ", 2, 0, 0, 14},  {"RADQ", 81, 0, 0, 90}, {"RADQ", 0, 0, 0, 90},  {"SZAU", 10, 0, 0, 16},
        {"SZAU", 90, 0, 0, 55}, {"PIGR", 30, 0, 0, 4},  {"PIGR", 90, 0, 0, 12}, {"DXU", 5, 0, 0, 90},
        {"DXU", 37, 0, 0, 21},  {"DXU", 0, 0, 0, 90},   {"FIX", 0, 0, 0, 90},   {"FIX", 80, 0, 15, 5},
        {"FIX", 0, 0, 7, 7},    {"1-2", 10, 20, 0, 80}, {"1-2", 20, 10, 0, 10}, {"1-2", 7, 7, 0, 90},
        {"DIFF", 7, 7, 0, 90},  {"DIFF", 10, 20, 0, 10}, {"DIST", 7, 7, 0, 45}, {"DIST", 1, 90, 0, 1},
        {"MAG", 3, 9, 0, 9},    {"MAG", 9, 3, 0, 9},    {"MIN", 3, 9, 0, 3},    {"MIN", 0, 0, 0, 0},
        {"SOM", 45, 45, 0, 90}, {"SOM", 50, 60, 0, 20}, {"SOM+", 45, 45, 1, 1}, {"SOM+", 0, 0, 0, 90},
        {"PER", 90, 90, 0, 90}, {"PER", 7, 13, 0, 1},   {"PER+", 90, 90, 89, 89}, {"PER+", 7, 13, 2, 3},
        {"SCA1", 37, 52, 0, 32}, {"D1U2", 37, 52, 0, 32}, {"SCA2", 37, 52, 0, 57}, {"U1D2", 37, 52, 0, 75},
        {"SCA1", 5, 90, 0, 90}, {"U1D2", 90, 7, 0, 90}, {"XDXU", 37, 52, 0, 29}, {"XDXU", 0, 0, 0, 90},
        {"UAB", 37, 52, 0, 62}, {"UAB", 7, 52, 0, 32},  {"UAB", 0, 5, 0, 5},    {"UAB", 90, 0, 0, 90},
        {"UFIG", 90, 90, 0, 9}, {"UFIG", 10, 20, 0, 12}, {"PIR", 37, 52, 0, 41}, {"PIR", 0, 45, 0, 45},
        {"PG12", 1, 2, 0, 31},  {"PG12", 101, 101, 0, 9}, {"SIT", 7, 7, 0, 7},  {"SIT", 1, 90, 0, 45},
        {"SIT", 90, 1, 0, 45},  {"SIP", 7, 7, 0, 90},   {"SIP", 1, 10, 0, 30},  {"SID", 1, 10, 0, 25},
        {"SID", 2, 2, 0, 90},   {"SIP", 0, 0, 0, 90},
    };
    for (const auto& c : casi)
        EXPECT_EQ(elabora(c.codice, c.n1, c.n2, c.fisso), c.atteso) << c.codice << "(" << c.n1 << ", " << c.n2 << ", " << c.fisso << ")";
}

TEST_F(Operatori, OperatoriSullaRuota)
{
    // Firenze of draw 5: 37 52 8 90 14.
    EXPECT_EQ(sullaRuota("MAG5", 2, 0), 90);
    EXPECT_EQ(sullaRuota("MIN5", 2, 0), 8);
    EXPECT_EQ(sullaRuota("SOMN", 2, 2), 89);           // 37 + 52
    EXPECT_EQ(sullaRuota("SOMN", 2, 5), 21);           // 201
    EXPECT_EQ(sullaRuota("MED", 2, 3), 32);            // 97 / 3
    EXPECT_EQ(sullaRuota("MED2", 2, 2, 0, 3), 19);     // (89 + 6) / 5
    EXPECT_EQ(sullaRuota("MED2", 2, 0, 0, 5), 3);      // Bari alone: 15 / 5
    EXPECT_EQ(sullaRuota("PIRN", 2, 1), 37);
    EXPECT_EQ(sullaRuota("PIRN", 2, 2), 41);           // 3752
    // |37-52| |52-8| |8-90| |90-14| -> 15448276 -> 6983194 -> 682414 -> 51655 -> 6721 -> 493 -> 43
    EXPECT_EQ(sullaRuota("PIRD", 2, 0), 43);
    // A wheel with no numbers in the draw.
    EXPECT_EQ(sullaRuota("MIN5", 3, 0), 0);
    EXPECT_EQ(sullaRuota("MAG5", 3, 0), 0);
    EXPECT_EQ(sullaRuota("SOMN", 3, 5), 90);
    EXPECT_EQ(sullaRuota("PIRN", 3, 5), 0);
    EXPECT_EQ(sullaRuota("PIRD", 3, 0), 0);
    // The last draw of the archive is readable, even when it holds no number.
    EXPECT_EQ(sullaRuota("MAG5", 10, 0, 0, 0, 6), 0);
}

TEST_F(Operatori, IngressiFuoriIntervalloSollevanoErrore)
{
    const auto errore = [&](const std::string& codice, int n1, int n2, int fisso = 0) {
        EXPECT_THROW(elabora(codice, n1, n2, fisso), engine::ErroreCalcolo) << codice << " " << n1 << " " << n2;
    };
    for (const char* tabellare : {"DEC", "FIG", "CAD", "DIAM", "DIDE", "VERT"}) {
        errore(tabellare, 91, 0);
        errore(tabellare, -1, 0);
    }
    errore("UFIG", 1, 91);
    errore("PG12", 0, 1);
    errore("PG12", 1, 102);
    errore("SCA1", 100, 1);
    errore("DXU", -3, 0);
    errore("FIX", 3, 0, -5);     // a negative sum has no place on the circle
    errore("RADQ", -4, 0);
    errore("UAB", -1, 5);

    const auto erroreRuota = [&](const std::string& codice, int r1, int p1, int r2, int p2, int d) {
        EXPECT_THROW(sullaRuota(codice, r1, p1, r2, p2, d), engine::ErroreCalcolo)
            << codice << " r1=" << r1 << " p1=" << p1 << " r2=" << r2 << " p2=" << p2 << " d=" << d;
    };
    for (const char* conteggio : {"SOMN", "MED", "PIRN"}) {
        erroreRuota(conteggio, 2, 0, 0, 0, 5);
        erroreRuota(conteggio, 2, 6, 0, 0, 5);
        erroreRuota(conteggio, 11, 3, 0, 0, 5);
    }
    for (const char* ruota : {"MAG5", "MIN5", "PIRD"}) {
        erroreRuota(ruota, -1, 0, 0, 0, 5);
        erroreRuota(ruota, 11, 0, 0, 0, 5);
        erroreRuota(ruota, 2, 0, 0, 0, -1);
        erroreRuota(ruota, 2, 0, 0, 0, 10000);
    }
    // Only draws 1..N exist: the empty tables after the last draw, or draw 0, are no draw.
    for (const char* intera : {"SOMN", "MED", "PIRN", "MAG5", "MIN5", "PIRD"}) {
        erroreRuota(intera, 2, 3, 0, 0, 7);
        erroreRuota(intera, 2, 3, 0, 0, 9999);
        erroreRuota(intera, 2, 3, 0, 0, 0);
    }
    erroreRuota("MED2", 2, 1, 0, 1, 7);
    erroreRuota("MED2", 2, 0, 0, 0, 5);
    erroreRuota("MED2", 2, 6, 0, 1, 5);
    erroreRuota("MED2", 2, 1, 12, 1, 5);
}

TEST_F(Operatori, UnErroreLasciaIlRisultatoPrecedente)
{
    CampiOperatore c;
    c.CodiceOperatore = "DEC";
    c.N1 = 200;
    c.Risultato = 33;
    EXPECT_THROW(engine::ElaboraPPP2(c, archivio), engine::ErroreCalcolo);
    EXPECT_EQ(c.Risultato, 33);
}

TEST_F(Operatori, CodiceSconosciutoLasciaIlRisultato)
{
    for (const char* codice : {"dec", "DEC ", " SOM", "", "SOM++", "PER +", "XYZ"}) {
        CampiOperatore c;
        c.CodiceOperatore = codice;
        c.N1 = 5;
        c.Risultato = 42;
        EXPECT_NO_THROW(engine::ElaboraPPP2(c, archivio)) << codice;
        EXPECT_EQ(c.Risultato, 42) << '"' << codice << '"';
        EXPECT_EQ(engine::IndiceOperatore(codice), -1) << codice;
    }
}

TEST_F(Operatori, CatalogoCompletoInOrdine)
{
    const auto& codici = engine::CodiciCatalogo();
    ASSERT_EQ(codici.size(), 44u);
    EXPECT_EQ(codici.front(), "DEC");
    EXPECT_EQ(codici.back(), "PER+");
    EXPECT_EQ(std::set<std::string_view>(codici.begin(), codici.end()).size(), 44u);
    for (int i = 0; i < engine::NumeroOperatori; ++i)
        EXPECT_EQ(engine::IndiceOperatore(codici[static_cast<std::size_t>(i)]), i);
    EXPECT_THROW(engine::Valuta(44, {}, archivio), engine::ErroreCalcolo);
    EXPECT_THROW(engine::Valuta(-1, {}, archivio), engine::ErroreCalcolo);
}

// No operator can leave 16 bits or produce a non-number for inputs in range: every
// reduced operator lands in 1..90 and the largest intermediate (90*90+89) is handled.
TEST_F(Operatori, RisultatiNeiLimitiPerOgniIngressoValido)
{
    for (int i = 0; i < engine::NumeroOperatori; ++i) {
        const auto legge = engine::LeggeOperatore(i);
        if (legge.Estrazione)
            continue;
        for (int n1 = 0; n1 <= 90; ++n1)
            for (int n2 = legge.N2 ? 0 : 1; n2 <= (legge.N2 ? 90 : 1); ++n2) {
                engine::ValoriOperatore v;
                v.N1 = std::max(n1, engine::CodiciCatalogo()[i] == "PG12" ? 1 : 0);
                v.N2 = std::max(n2, 1);
                v.ValoreFisso = 89;
                const int r = engine::Valuta(i, v, archivio);
                ASSERT_GE(r, 0) << engine::CodiciCatalogo()[i] << " " << n1 << " " << n2;
                ASSERT_LE(r, 91) << engine::CodiciCatalogo()[i] << " " << n1 << " " << n2;
            }
    }
}

// Literal references, written the way a player computes by hand (texts and loops),
// against the evaluator's arithmetic shortcuts.
TEST_F(Operatori, ConfrontoConCalcoloLetterale)
{
    const auto riduci = [](long long v) { return static_cast<int>(v % 90 == 0 ? 90 : v % 90); };
    const auto due = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    // The digit pyramid as written on paper: each row the figures of adjacent pairs.
    const auto piramide = [](std::string testo) {
        while (std::stoll(testo) > 90) {
            std::string sotto;
            for (std::size_t i = 0; i + 1 < testo.size(); ++i) {
                const int coppia = std::stoi(testo.substr(i, 2));
                sotto += std::to_string(coppia % 9 == 0 ? 9 : coppia % 9);
            }
            testo = sotto;
        }
        return static_cast<int>(std::stoll(testo));
    };
    for (int a = 0; a <= 90; ++a)
        for (int b = 0; b <= 90; ++b) {
            long long tutti = 0, pari = 0, dispari = 0;
            for (int k = std::min(a, b); k <= std::max(a, b); ++k) {
                tutti += k;
                (k % 2 == 0 ? pari : dispari) += k;
            }
            ASSERT_EQ(elabora("SIT", a, b), riduci(tutti)) << a << " " << b;
            ASSERT_EQ(elabora("SIP", a, b), riduci(pari)) << a << " " << b;
            ASSERT_EQ(elabora("SID", a, b), riduci(dispari)) << a << " " << b;
            ASSERT_EQ(elabora("UAB", a, b), riduci(std::stoll(std::to_string(a) + std::to_string(b)))) << a << " " << b;
            ASSERT_EQ(elabora("SCA2", a, b), riduci(std::stoll(due(b).substr(0, 1) + due(a).substr(1, 1)))) << a << " " << b;
            ASSERT_EQ(elabora("U1D2", a, b), riduci(std::stoll(due(a).substr(1, 1) + due(b).substr(0, 1)))) << a << " " << b;
            ASSERT_EQ(elabora("PIR", a, b), piramide(due(a) + due(b))) << a << " " << b;
            ASSERT_EQ(elabora("D1U2", a, b), riduci(std::stoll(due(a).substr(0, 1) + due(b).substr(1, 1)))) << a << " " << b;
        }
    for (int n = 0; n <= 90; ++n) {
        ASSERT_EQ(elabora("SZAU", n), riduci(static_cast<long long>(n * 10618 / 1000))) << n;
        ASSERT_EQ(elabora("PIGR", n), riduci(static_cast<long long>(n * 3141 / 1000))) << n;
        long long radice = 0;
        while ((radice + 1) * (radice + 1) <= 100LL * n)
            ++radice;
        ASSERT_EQ(elabora("RADQ", n), riduci(radice)) << n;
    }
}

// The fast path by index, as the searches call it, on values worked out by hand:
// N1 37, N2 52, fixed 11, draw 5 with Firenze 37 52 8 90 14 and Bari 1 2 3 4 5.
TEST_F(Operatori, ViaVeloceSuValoriCalcolatiAMano)
{
    const engine::ValoriOperatore v{37, 52, 11, 5, 2, 0, 3, 2};   // R1 Firenze, P1 3, R2 Bari, P2 2
    const std::pair<const char*, int> casi[] = {
        {"SOM", 89},    // 37 + 52
        {"1-2", 75},    // 37 + 90 - 52
        {"DIFF", 15},   // 52 - 37
        {"FIX", 48},    // 37 + 11
        {"SOM+", 10},   // 37 + 52 + 11 = 100 -> 10
        {"PER", 34},    // 1924 mod 90
        {"SCA1", 32},   // decade of 37, units of 52
        {"DEC", 3},     {"VERT", 73},
        {"SOMN", 7},    // the first three of Firenze: 37 + 52 + 8 = 97
        {"MED", 32},    // 97 / 3
        {"MED2", 20},   // (97 + Bari 1 + 2) / 5
        {"MAG5", 90},   {"MIN5", 8},
    };
    for (const auto& [codice, atteso] : casi)
        EXPECT_EQ(engine::Valuta(engine::IndiceOperatore(codice), v, archivio), atteso) << codice;
}

// The inputs a class prepares before evaluation, as the search sets them up.
engine::Ingressi preparatiDalTipo(int tipo, bool sullaRuota)
{
    engine::Ingressi in;
    switch (tipo) {
    case 1:
    case 4:
    case 5:
        if (sullaRuota)
            in.Estrazione = in.R1 = in.P1 = true;
        else
            in.N1 = true;
        break;
    case 2:
        if (sullaRuota)
            in.Estrazione = in.R1 = in.P1 = in.R2 = in.P2 = true;
        else
            in.N1 = in.N2 = true;
        break;
    case 3:
        in.N1 = in.ValoreFisso = true;
        break;
    case 6:
        in.Estrazione = in.R1 = true;
        break;
    case 7:
        in.N1 = in.N2 = in.ValoreFisso = true;
        break;
    }
    return in;
}

bool uguali(const engine::Ingressi& a, const engine::Ingressi& b)
{
    return a.N1 == b.N1 && a.N2 == b.N2 && a.ValoreFisso == b.ValoreFisso && a.Estrazione == b.Estrazione
        && a.R1 == b.R1 && a.P1 == b.P1 && a.R2 == b.R2 && a.P2 == b.P2;
}

TEST(CatalogoPredefinito, OgniRigaPreparaEsattamenteGliIngressiDelCodice)
{
    const auto& righe = storage::CatalogoPredefinito();
    ASSERT_EQ(righe.size(), static_cast<std::size_t>(engine::NumeroOperatori));
    std::set<std::string> visti;
    for (const auto& r : righe) {
        const int indice = engine::IndiceOperatore(r.operatore);
        ASSERT_GE(indice, 0) << r.operatore;
        EXPECT_TRUE(visti.insert(r.operatore).second) << "doppio: " << r.operatore;
        const auto legge = engine::LeggeOperatore(indice);
        EXPECT_TRUE(uguali(preparatiDalTipo(r.tipo, legge.Estrazione), legge)) << r.operatore << " Tipo " << r.tipo;
        // The flags mark the wheel and position fields the player fills for the brick.
        const bool due = r.tipo == 2 || r.tipo == 7;
        EXPECT_EQ(r.r1, "Si") << r.operatore;
        EXPECT_EQ(r.p1, r.tipo == 6 ? "" : "Si") << r.operatore;
        EXPECT_EQ(r.r2, due ? "Si" : "") << r.operatore;
        EXPECT_EQ(r.p2, due ? "Si" : "") << r.operatore;
        EXPECT_FALSE(r.spiegazione.empty()) << r.operatore;
    }
}

TEST(CatalogoPredefinito, RigheDelProgramma)
{
    const auto trova = [](const std::string& codice) {
        const auto& righe = storage::CatalogoPredefinito();
        return *std::find_if(righe.begin(), righe.end(), [&](const auto& r) { return r.operatore == codice; });
    };
    const auto per = trova("PER+");
    EXPECT_EQ(per.tipo, 7);
    EXPECT_EQ(per.spiegazione, "Moltiplica 2 numeri e aggiunge fisso");
    const auto som = trova("SOM+");
    EXPECT_EQ(som.tipo, 7);
    EXPECT_EQ(som.spiegazione, "Somma due numeri e aggiunge fisso");
    const auto ufig = trova("UFIG");
    EXPECT_EQ(ufig.tipo, 2);
    EXPECT_EQ(ufig.spiegazione, "Unisce le figure di 2 numeri (F90)");
    for (const auto& r : {per, som, ufig})
        EXPECT_TRUE(r.r1 == "Si" && r.p1 == "Si" && r.r2 == "Si" && r.p2 == "Si") << r.operatore;
}

}
