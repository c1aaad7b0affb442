// The prize rule on hand-worked draws, the expected return worked by hand, the play file and the table of plays.
#include "plays/ArchivioGiocate.h"
#include "plays/FileGiocate.h"
#include "plays/Giocata.h"
#include "plays/GrigliaGiocate.h"
#include "storage/ProgramDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using plays::Giocata;

constexpr int BA = 0, CA = 1, NA = 5, NZ = 10;

// Draws on 1, 3, 5, ... August 2026; every wheel holds 81..85 unless a test writes it.
struct Estrazioni {
    explicit Estrazioni(int n)
    {
        a.NumeroEstrazioni = n;
        for (int d = 1; d <= n; ++d) {
            char data[16];
            std::snprintf(data, sizeof data, "%02d/08/2026", 2 * d - 1);
            a.DateEstrazioni[static_cast<std::size_t>(d)] = data;
            for (int w = 0; w < archive::NumeroRuote; ++w)
                ruota(d, w, {81, 82, 83, 84, 85});
        }
    }
    void ruota(int d, int w, std::array<int, 5> n)
    {
        for (int p = 1; p <= 5; ++p)
            a.setNumero(d, w, p, static_cast<std::int16_t>(n[static_cast<std::size_t>(p - 1)]));
    }
    archive::Archivio a;
};

Giocata giocata(std::vector<int> numeri, std::vector<int> ruote, std::array<plays::Centesimi, 5> poste, int colpi,
                const char* dal = "01/08/2026")
{
    Giocata g;
    g.numeri = std::move(numeri);
    for (int r : ruote)
        g.ruote[static_cast<std::size_t>(r)] = true;
    g.poste = poste;
    g.colpi = colpi;
    g.dal = dal;
    return g;
}

std::array<bool, 11> tutte()
{
    std::array<bool, 11> r{};
    for (int w = 0; w < 10; ++w)
        r[static_cast<std::size_t>(w)] = true;
    return r;
}

}

TEST(Premi, CalcolatiAMano)
{
    Estrazioni e(4);
    // An ambo of 4 numbers on Bari and Napoli, 1 euro: three of them out on Bari in draw 2.
    // C(3,2)/C(4,2) = 3/6 of 250, over 2 wheels: 62,50 gross, 57,50 net.
    e.ruota(2, BA, {10, 20, 30, 1, 2});
    auto esito = plays::verificaGiocata(giocata({10, 20, 30, 40}, {BA, NA}, {0, 100, 0, 0, 0}, 3), e.a, {});
    ASSERT_EQ(esito.vincite.size(), 1u);
    const auto& v = esito.vincite[0];
    EXPECT_EQ(v.data, "03/08/2026");
    EXPECT_EQ(v.colpo, 2);
    EXPECT_EQ(v.ruota, BA);
    EXPECT_EQ(v.sorte, 2);
    EXPECT_EQ(v.punti, 3);
    EXPECT_EQ(v.lordo.centesimi(), 6250);
    EXPECT_EQ(v.netto.centesimi(), 5750);
    EXPECT_EQ(esito.spesa, 300);
    EXPECT_EQ(esito.saldo(), 5450);
    EXPECT_EQ(esito.stato, plays::Stato::Vinta);

    // One number on Tutte, 1 euro of estratto, out on Bari and Cagliari and on the Nazionale (not played):
    // each wheel pays 11,23 / 10 = 1,123 gross, 1,03316 net; the totals are rounded once at the end,
    // 2,246 -> 2,25 and 2,06632 -> 2,07, while each row shows 1,12 and 1,03.
    Estrazioni t(1);
    t.ruota(1, BA, {7, 1, 2, 3, 4});
    t.ruota(1, CA, {1, 2, 3, 4, 7});
    t.ruota(1, NZ, {7, 1, 2, 3, 4});
    Giocata suTutte = giocata({7}, {}, {100, 0, 0, 0, 0}, 1);
    suTutte.ruote = tutte();
    esito = plays::verificaGiocata(suTutte, t.a, {});
    ASSERT_EQ(esito.vincite.size(), 2u);
    EXPECT_EQ(esito.vincite[1].ruota, CA);
    EXPECT_EQ(esito.vincite[0].lordo.centesimi(), 112);
    EXPECT_EQ(esito.vincite[0].netto.centesimi(), 103);
    EXPECT_EQ(esito.lordo.centesimi(), 225);
    EXPECT_EQ(esito.vinto(), 207);
    EXPECT_EQ(esito.stato, plays::Stato::Vinta);

    // A terno (0,50) and an ambo (1) of the same three numbers, all out on Bari in the same draw:
    // ambo 1 x 250 x C(3,2)/C(3,2) = 250, terno 0,50 x 4500 = 2250; net 230 + 2070.
    Estrazioni s(2);
    s.ruota(1, BA, {5, 6, 7, 8, 9});
    esito = plays::verificaGiocata(giocata({5, 6, 7}, {BA}, {0, 100, 50, 0, 0}, 2), s.a, {});
    ASSERT_EQ(esito.vincite.size(), 2u);
    EXPECT_EQ(esito.vincite[0].sorte, 2);
    EXPECT_EQ(esito.vincite[0].netto.centesimi(), 23000);
    EXPECT_EQ(esito.vincite[1].sorte, 3);
    EXPECT_EQ(esito.vincite[1].lordo.centesimi(), 225000);
    EXPECT_EQ(esito.vinto(), 230000);
    EXPECT_EQ(esito.spesa, 300);

    // Other payouts and levy, as the window lets the player set them: ambo 300, no levy.
    plays::Tariffe altre;
    altre.paga[1] = 30000;
    altre.ritenuta = 0;
    esito = plays::verificaGiocata(giocata({5, 6, 7}, {BA}, {0, 100, 0, 0, 0}, 2), s.a, altre);
    EXPECT_EQ(esito.vinto(), 30000);
}

TEST(Premi, DurataDellaGiocata)
{
    Estrazioni e(6);
    e.ruota(2, NA, {44, 1, 2, 3, 4});
    e.ruota(4, NA, {1, 2, 44, 3, 4});
    // Until the first win: draw 2 ends it, the win of draw 4 is not played.
    Giocata g = giocata({44}, {NA}, {200, 0, 0, 0, 0}, 5);
    g.finoAllaPrimaVincita = true;
    auto esito = plays::verificaGiocata(g, e.a, {});
    EXPECT_EQ(esito.colpiGiocati, 2);
    EXPECT_EQ(esito.spesa, 400);
    ASSERT_EQ(esito.vincite.size(), 1u);
    EXPECT_EQ(esito.stato, plays::Stato::Vinta);
    // Without it both wins count and all five colpi are played.
    g.finoAllaPrimaVincita = false;
    esito = plays::verificaGiocata(g, e.a, {});
    EXPECT_EQ(esito.colpiGiocati, 5);
    EXPECT_EQ(esito.vincite.size(), 2u);

    // Still in corso: from 07/08 (draw 4) for 8 colpi, 3 drawn so far.
    esito = plays::verificaGiocata(giocata({1}, {BA}, {100, 0, 0, 0, 0}, 8, "06/08/2026"), e.a, {});
    EXPECT_EQ(esito.colpiGiocati, 3);
    EXPECT_EQ(esito.spesa, 300);
    EXPECT_EQ(esito.stato, plays::Stato::InCorso);
    // A first day after the last draw: nothing played yet; a day without a draw starts at the next one.
    esito = plays::verificaGiocata(giocata({1}, {BA}, {100, 0, 0, 0, 0}, 2, "12/08/2026"), e.a, {});
    EXPECT_EQ(esito.colpiGiocati, 0);
    EXPECT_EQ(esito.stato, plays::Stato::InCorso);
    EXPECT_EQ(plays::primaEstrazioneDal(e.a, "02/08/2026"), 2);
    // All colpi played, nothing won.
    esito = plays::verificaGiocata(giocata({1}, {BA}, {100, 0, 0, 0, 0}, 2), e.a, {});
    EXPECT_EQ(esito.stato, plays::Stato::Conclusa);
    EXPECT_EQ(esito.saldo(), -200);
}

TEST(Premi, ResaAttesaCalcolataAMano)
{
    const plays::Tariffe legge;
    // One number on one wheel: 11,23 x 5/90 x 0,92.
    EXPECT_NEAR(plays::resaAttesa(giocata({1}, {BA}, {100, 0, 0, 0, 0}, 1), legge), 11.23 * 5 / 90 * 0.92, 1e-12);
    // An ambo of two numbers: both among the five drawn, C(5,2)/C(90,2) = 10/4005, of 250.
    EXPECT_NEAR(plays::resaAttesa(giocata({1, 2}, {BA}, {0, 100, 0, 0, 0}, 1), legge), 250.0 * 10 / 4005 * 0.92, 1e-12);
    // A terno of three: C(5,3)/C(90,3) = 10/117480, of 4500.
    EXPECT_NEAR(plays::resaAttesa(giocata({1, 2, 3}, {BA}, {0, 0, 100, 0, 0}, 1), legge), 4500.0 * 10 / 117480 * 0.92, 1e-12);
    // The wheels and the stake split the same game: the return does not change.
    Giocata g = giocata({1}, {}, {250, 0, 0, 0, 0}, 1);
    g.ruote = tutte();
    EXPECT_NEAR(plays::resaAttesa(g, legge), 11.23 * 5 / 90 * 0.92, 1e-12);
    EXPECT_EQ(plays::testoPercentuale(plays::resaAttesa(g, legge)), "57,4%");
    // Five numbers, 1 euro of estratto and 1 of ambo: the mean of 57,40% and 57,43%.
    EXPECT_NEAR(plays::resaAttesa(giocata({1, 2, 3, 4, 5}, {BA}, {100, 100, 0, 0, 0}, 1), legge),
                (11.23 * 5 / 90 + 250.0 * 10 / 4005) * 0.92 / 2, 1e-12);
}

TEST(FileGiocate, RigheERifiuti)
{
    const auto elenco = plays::leggiFileGiocate("# prova\n12-45-78;BA,NA;0,50/1/0/0/0;22/08/2026;8\n\n"
                                                "5;tt;2/0/0/0/0;01/09/2026;3;F\r\n");
    ASSERT_EQ(elenco.size(), 2u);
    EXPECT_EQ(elenco[0].riga, 2);
    EXPECT_EQ(elenco[0].giocata.numeri, (std::vector<int>{12, 45, 78}));
    EXPECT_EQ(elenco[0].giocata.poste, (std::array<plays::Centesimi, 5>{50, 100, 0, 0, 0}));
    EXPECT_EQ(plays::rigaFileGiocate(elenco[0].giocata), "12-45-78;BA,NA;0,50/1/0/0/0;22/08/2026;8");
    EXPECT_EQ(elenco[1].riga, 4);
    EXPECT_EQ(plays::numeroRuote(elenco[1].giocata), 10);
    EXPECT_TRUE(elenco[1].giocata.finoAllaPrimaVincita);
    EXPECT_EQ(plays::rigaFileGiocate(elenco[1].giocata), "05;TT;2/0/0/0/0;01/09/2026;3;F");

    const std::pair<const char*, const char*> rifiuti[] = {
        {"12-45-91;BA;1/0/0/0/0;22/08/2026;8", "riga 2, campo NUMERI: i numeri vanno da 1 a 90"},
        {"12-45-12;BA;1/0/0/0/0;22/08/2026;8", "riga 2, campo NUMERI: il 12 è ripetuto"},
        {"1-2-3-4-5-6-7-8-9-10-11;BA;1/0/0/0/0;22/08/2026;8", "riga 2, campo NUMERI: da 1 a 10 numeri"},
        {"12;BA,XX;1/0/0/0/0;22/08/2026;8", "riga 2, campo RUOTE: ruota sconosciuta \"XX\""},
        {"12;BA,ba;1/0/0/0/0;22/08/2026;8", "riga 2, campo RUOTE: ruota ripetuta \"ba\""},
        {"12;BA;1/0/0/0;22/08/2026;8", "riga 2, campo POSTE: servono 5 poste separate da \"/\" (estratto/ambo/terno/quaterna/cinquina)"},
        {"12;BA;1,555/0/0/0/0;22/08/2026;8", "riga 2, campo POSTE: posta non valida \"1,555\" (Estratto)"},
        {"12;BA;0/1/0/0/0;22/08/2026;8", "riga 2, campo POSTE: per giocare l'ambo servono almeno 2 numeri"},
        {"12;BA;0/0/0/0/0;22/08/2026;8", "riga 2, campo POSTE: nessuna posta"},
        {"12;BA;1/0/0/0/0;31/09/2026;8", "riga 2, campo DAL: data non valida \"31/09/2026\" (GG/MM/AAAA)"},
        {"12;BA;1/0/0/0/0;22/08/2026;0", "riga 2, campo COLPI: numero di colpi non valido \"0\" (da 1 a 9999)"},
        {"12;BA;1/0/0/0/0;22/08/2026", "riga 2, campo COLPI: campo mancante"},
        {"12;BA;1/0/0/0/0;22/08/2026;8;X", "riga 2, campo F: atteso F (fino alla prima vincita), trovato \"X\""},
    };
    for (const auto& [riga, messaggio] : rifiuti) {
        try {
            plays::leggiFileGiocate(std::string("5;BA;1/0/0/0/0;22/08/2026;8\n") + riga + "\n");
            ADD_FAILURE() << riga;
        } catch (const plays::ErroreFileGiocate& e) {
            EXPECT_EQ(std::string(e.what()), messaggio);
        }
    }
    // Fields quoted as every reader quotes outside text: 40 characters at most, a NUL or a stray
    // byte shown, a character of several bytes whole.
    const std::pair<std::string, std::string> citati[] = {
        {"12;BA," + std::string(4000, 'X') + ";1/0/0/0/0;22/08/2026;8", "ruota sconosciuta \"" + std::string(40, 'X') + "...\""},
        {std::string("12;B\0A\x1b[2J;1/0/0/0/0;22/08/2026;8", 33), "ruota sconosciuta \"B\\x00A\\x1B[2J\""},
        {"12-é;BA;1/0/0/0/0;22/08/2026;8", "carattere non ammesso \"é\""},
        {"12\xff;BA;1/0/0/0/0;22/08/2026;8", "carattere non ammesso \"\\xFF\""},
    };
    for (const auto& [riga, motivo] : citati) {
        try {
            plays::leggiFileGiocate(riga + "\n");
            ADD_FAILURE() << riga;
        } catch (const plays::ErroreFileGiocate& e) {
            const std::string testo = e.what();
            EXPECT_EQ(testo.substr(testo.find(": ") + 2), motivo);
        }
    }
}

TEST(ArchivioGiocate, TabellaEPaghe)
{
    testsupport::CartellaTemporanea cartella;
    auto db = storage::ApriDatabaseProgramma(cartella.percorso().string());
    EXPECT_EQ(plays::leggiTariffe(db), plays::Tariffe{});
    EXPECT_EQ(storage::LeggiParametro(db, "PagaEstratto").value_or(""), "11.23");

    Giocata g = giocata({12, 45, 78}, {BA, NA}, {50, 100, 0, 0, 0}, 8, "22/08/2026");
    g.finoAllaPrimaVincita = true;
    g.note = "Ambata di prova";
    g.id = plays::aggiungiGiocata(db, g);
    Giocata h = giocata({5}, {}, {100, 0, 0, 0, 0}, 3);
    h.ruote = tutte();
    h.id = plays::aggiungiGiocata(db, h);
    EXPECT_EQ(plays::leggiGiocate(db), (std::vector<Giocata>{g, h}));

    h.colpi = 12;
    EXPECT_TRUE(plays::modificaGiocata(db, h));
    plays::segnaAnnunciate(db, {{g.id, "25/08/2026"}});
    g.annunciata = "25/08/2026";
    EXPECT_TRUE(plays::eliminaGiocata(db, h.id));
    EXPECT_FALSE(plays::eliminaGiocata(db, h.id));
    EXPECT_FALSE(plays::modificaGiocata(db, h));
    // A play that cannot be played is never written.
    h.numeri = {5, 5};
    EXPECT_THROW(plays::aggiungiGiocata(db, h), std::invalid_argument);
    // A row written by hand that is not a play is left out and counted.
    db.esegui("INSERT INTO Giocate (Data, Ruote, Numeri, Note) VALUES ('2020-01-01', 'BA', '1', '')");
    int illeggibili = 0;
    EXPECT_EQ(plays::leggiGiocate(db, &illeggibili), std::vector<Giocata>{g});
    EXPECT_EQ(illeggibili, 1);

    plays::Tariffe t;
    t.paga[0] = 1150;
    t.ritenuta = 1000;
    plays::salvaTariffe(db, t);
    EXPECT_EQ(plays::leggiTariffe(db), t);
    EXPECT_EQ(storage::LeggiParametro(db, "RitenutaVincite").value_or(""), "10");
    // A row removed by hand is added again by the next write; an unreadable one keeps the law's value.
    db.esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'PagaAmbo'");
    storage::ScriviParametro(db, "PagaTerno", "molto");
    EXPECT_EQ(plays::leggiTariffe(db).paga[2], 450000);
    plays::salvaTariffe(db, plays::Tariffe{});
    EXPECT_EQ(storage::LeggiParametro(db, "PagaAmbo").value_or(""), "250");

    // The ambata of a workbench row, played from the day after the reference draw.
    const Giocata a = plays::giocataDaAmbata(33, tutte(), 9, "31/12/2025", "");
    EXPECT_EQ(a.dal, "01/01/2026");
    EXPECT_EQ(plays::rigaFileGiocate(a), "33;TT;1/0/0/0/0;01/01/2026;9");
    EXPECT_EQ(plays::giornoDopo("28/02/2024"), "29/02/2024");
}

TEST(ArchivioGiocate, PiuGiocateInsiemeOTutteONessuna)
{
    testsupport::CartellaTemporanea cartella;
    auto db = storage::ApriDatabaseProgramma(cartella.percorso().string());
    const Giocata a = giocata({1, 2, 3}, {BA}, {0, 100, 0, 0, 0}, 2);
    Giocata b = giocata({4, 5, 6}, {BA}, {0, 100, 0, 0, 0}, 2);
    b.numeri = {4, 4, 6};
    // One play that cannot be played: none of them is written.
    EXPECT_THROW(plays::aggiungiGiocate(db, {a, b}), std::invalid_argument);
    EXPECT_TRUE(plays::leggiGiocate(db).empty());
    b.numeri = {4, 5, 6};
    const auto id = plays::aggiungiGiocate(db, {a, b});
    ASSERT_EQ(id.size(), 2U);
    EXPECT_EQ(id[1], id[0] + 1);
    const auto lette = plays::leggiGiocate(db);
    ASSERT_EQ(lette.size(), 2U);
    EXPECT_EQ(lette[1].numeri, (std::vector<int>{4, 5, 6}));
}

TEST(ArchivioGiocate, IBigliettiDiUnSistemaFormanoUnGruppo)
{
    testsupport::CartellaTemporanea cartella;
    auto db = storage::ApriDatabaseProgramma(cartella.percorso().string());
    const Giocata sola = giocata({9}, {BA}, {100, 0, 0, 0, 0}, 1);
    plays::aggiungiGiocata(db, sola);
    const auto id = plays::aggiungiGiocate(db, {giocata({1, 2, 3}, {BA}, {0, 100, 0, 0, 0}, 2), giocata({4, 5, 6}, {BA}, {0, 100, 0, 0, 0}, 2)}, true);
    auto lette = plays::leggiGiocate(db);
    ASSERT_EQ(lette.size(), 3U);
    EXPECT_EQ(lette[0].gruppo, 0);
    EXPECT_EQ(lette[1].gruppo, id[0]);
    EXPECT_EQ(lette[2].gruppo, id[0]);
    // Rewritten, a ticket keeps its group.
    lette[2].colpi = 5;
    ASSERT_TRUE(plays::modificaGiocata(db, lette[2]));
    EXPECT_EQ(plays::leggiGiocate(db)[2].gruppo, id[0]);

    // The system's totals: the spesa of its two tickets, the wins of the one that won.
    std::vector<plays::EsitoGiocata> esiti(3);
    esiti[0].spesa = 100;
    esiti[1].spesa = 200;
    esiti[2].spesa = 500;
    esiti[2].netto = plays::premioNetto(plays::premioLordo(100, 25000, 2, 2, 3, 1), 800);   // an ambo of 3 numbers: 250/3 gross
    const auto t = plays::totaliGruppo(lette, esiti, id[0]);
    EXPECT_EQ(t.giocate, 2);
    EXPECT_EQ(t.spesa, 700);
    EXPECT_EQ(t.vinto, 7667);   // 83,333 x 0,92
    EXPECT_EQ(plays::totaliGruppo(lette, esiti, 0).giocate, 0);
}

TEST(ArchivioGiocate, UnGiornoFuoriDalCalendarioRifiutatoDaChiScrive)
{
    testsupport::CartellaTemporanea cartella;
    auto db = storage::ApriDatabaseProgramma(cartella.percorso().string());
    Giocata g = giocata({12}, {BA}, {100, 0, 0, 0, 0}, 8, "22/08/2026");
    g.id = plays::aggiungiGiocata(db, g);
    // Each would be stored and then dropped as unreadable by leggiGiocate.
    for (const char* dal : {"31/02/2026", "2026-08-22", "29/02/2026", "22/8/2026"}) {
        Giocata h = g;
        h.dal = dal;
        try {
            plays::aggiungiGiocata(db, h);
            ADD_FAILURE() << dal << " accettata";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), "DAL: data non valida \"" + std::string(dal) + "\" (un giorno del calendario, GG/MM/AAAA)");
        }
        EXPECT_THROW(plays::modificaGiocata(db, h), std::invalid_argument) << dal;
    }
    int illeggibili = -1;
    EXPECT_EQ(plays::leggiGiocate(db, &illeggibili), std::vector<Giocata>{g});
    EXPECT_EQ(illeggibili, 0);
}

TEST(Premi, LaTabellaDiUnAltroGioco)
{
    // The new database holds the law's table as written for the player, decimal point.
    testsupport::CartellaTemporanea cartella;
    auto db = storage::ApriDatabaseProgramma(cartella.percorso().string());
    const char* attesi[] = {"11.23", "250", "4500", "120000", "6000000", "8"};
    for (std::size_t i = 0; i < std::size(storage::ParametriVincite); ++i)
        EXPECT_EQ(storage::LeggiParametro(db, storage::ParametriVincite[i]).value_or(""), attesi[i]);
    EXPECT_EQ(plays::testoPagheNominate(regole::PremiLotto),
              "estratto 11,23, ambo 250, terno 4500, quaterna 120000, cinquina 6000000");

    // Another game pays 10 euro the estratto and keeps nothing: its table is what a missing row falls back to.
    regole::TabellaPremi altra = regole::PremiLotto;
    altra.paga[0] = 1000;
    altra.ritenuta = 0;
    db.esegui("DELETE FROM ParametriProgramma WHERE Parametro IN ('PagaEstratto', 'RitenutaVincite')");
    storage::ScriviParametro(db, "PagaAmbo", "tanto");
    std::vector<std::string> illeggibili;
    const plays::Tariffe t = plays::leggiTariffe(db, &illeggibili, altra);
    EXPECT_EQ(t, plays::Tariffe(altra));
    ASSERT_EQ(illeggibili.size(), 1U);
    EXPECT_NE(illeggibili[0].find("si usa quello di legge, 250"), std::string::npos) << illeggibili[0];

    // The prize rule takes the table it is given: one number on one wheel, drawn twice in three draws.
    Estrazioni e(3);
    e.ruota(2, BA, {1, 2, 3, 4, 5});
    const Giocata g = giocata({81}, {BA}, {100, 0, 0, 0, 0}, 3);
    EXPECT_EQ(plays::verificaGiocata(g, e.a, t).vinto(), 2000);
    // The Lotto's: 11,23 less 8%, twice: 20,6632.
    EXPECT_EQ(plays::verificaGiocata(g, e.a, plays::Tariffe{}).vinto(), 2066);
}

TEST(Premi, TotaliENuoveVinciteDelleGiocate)
{
    // 81 is drawn on every wheel of 01, 03 and 05/08; 1 never is.
    Estrazioni e(3);
    std::vector<Giocata> giocate{giocata({81}, {BA}, {100, 0, 0, 0, 0}, 3), giocata({1}, {BA}, {100, 0, 0, 0, 0}, 3),
                                 giocata({82}, {CA, NA}, {200, 0, 0, 0, 0}, 3)};
    for (std::size_t i = 0; i < giocate.size(); ++i)
        giocate[i].id = static_cast<std::int64_t>(i) + 1;
    giocate[0].annunciata = "03/08/2026";   // two wins told: one is news
    giocate[2].annunciata = "05/08/2026";   // all told
    std::vector<plays::EsitoGiocata> esiti;
    for (const auto& g : giocate)
        esiti.push_back(plays::verificaGiocata(g, e.a, {}));

    // Spent 3 + 3 + 6 euro. Won net 11,23 x 0,92 = 10,3316 a wheel and draw: three times by the 81,
    // six by the 82 (drawn on both its wheels, 2 euro over two wheels being 1 a wheel): 92,9844.
    const auto t = plays::totaliGiocate(esiti);
    EXPECT_EQ(t.giocate, 3);
    EXPECT_EQ(t.spesa, 1200);
    EXPECT_EQ(t.vinto, 9298);
    EXPECT_EQ(t.saldo(), 8098);

    std::vector<std::string> dette;
    const auto annunci = plays::annunciaNuoveVincite(giocate, esiti, e.a, {}, [&](const Giocata& g, const plays::Vincita& v) {
        dette.push_back(std::to_string(g.id) + " " + v.data + " colpo " + std::to_string(v.colpo));
    });
    EXPECT_EQ(dette, std::vector<std::string>{"1 05/08/2026 colpo 3"});
    EXPECT_EQ(annunci, (std::vector<std::pair<std::int64_t, std::string>>{{1, "05/08/2026"}}));
    EXPECT_EQ(giocate[0].annunciata, "05/08/2026");
    EXPECT_EQ(giocate[1].annunciata, "");
    // Told once: nothing the second time.
    EXPECT_TRUE(plays::annunciaNuoveVincite(giocate, esiti, e.a, {}, [](const Giocata&, const plays::Vincita&) {}).empty());

    // A play added now: what the draws already hold is not news.
    Giocata nuova = giocata({83}, {BA}, {100, 0, 0, 0, 0}, 9);
    plays::segnaGiaAnnunciate(nuova, e.a, {});
    EXPECT_EQ(nuova.annunciata, "05/08/2026");
}

// The list's rows and cells worked by hand: a play on its own that won, a system of two tickets that did not,
// closed on one line and open into its tickets.
TEST(ElencoGiocate, UnaGiocataEUnSistemaChiusoEAperto)
{
    // 81 is drawn on every wheel of all four draws; 1..4 never are.
    Estrazioni e(4);
    std::vector<Giocata> giocate{giocata({81}, {BA}, {100, 0, 0, 0, 0}, 2), giocata({1, 2}, {BA}, {0, 100, 0, 0, 0}, 3),
                                 giocata({3, 4}, {BA}, {0, 100, 0, 0, 0}, 3)};
    for (std::size_t i = 0; i < giocate.size(); ++i)
        giocate[i].id = static_cast<std::int64_t>(i) + 1;
    giocate[1].gruppo = giocate[2].gruppo = 2;
    std::vector<plays::EsitoGiocata> esiti;
    for (const auto& g : giocate)
        esiti.push_back(plays::verificaGiocata(g, e.a, {}));
    using namespace plays::colonneGiocate;

    const auto chiuso = plays::righeElenco(giocate, esiti);
    ASSERT_EQ(chiuso.size(), 2u);
    // Two estratti of 11,23 each, 8% withheld from their exact sum: 20,6632; 2 colpi of 1 euro.
    EXPECT_EQ(plays::testoElenco(chiuso[0], Numero), "1");
    EXPECT_EQ(plays::testoElenco(chiuso[0], Colpi), "2 di 2");
    EXPECT_EQ(plays::testoElenco(chiuso[0], Stato), "vinta");
    EXPECT_EQ(plays::testoElenco(chiuso[0], Spesa), "2,00");
    EXPECT_EQ(plays::testoElenco(chiuso[0], Vinto), "20,66");
    EXPECT_EQ(plays::testoElenco(chiuso[0], Saldo), "18,66");
    EXPECT_TRUE(plays::vintaElenco(chiuso[0]));
    EXPECT_FALSE(plays::inPerditaElenco(chiuso[0]));
    // The system: two tickets of 1 euro on the ambo for 3 colpi, nothing won.
    EXPECT_TRUE(chiuso[1].sistema());
    EXPECT_EQ(chiuso[1].posto.gruppo, 2);
    EXPECT_EQ(plays::testoElenco(chiuso[1], Numero), "+ 2");
    EXPECT_EQ(plays::testoElenco(chiuso[1], Numeri), "Sistema: 2 biglietti");
    EXPECT_EQ(plays::testoElenco(chiuso[1], Ruote), "BA");
    EXPECT_EQ(plays::testoElenco(chiuso[1], Dal), "01/08/2026");
    EXPECT_EQ(plays::testoElenco(chiuso[1], Colpi), "");
    EXPECT_EQ(plays::testoElenco(chiuso[1], Stato), "conclusa");
    EXPECT_EQ(plays::testoElenco(chiuso[1], Spesa), "6,00");
    EXPECT_EQ(plays::testoElenco(chiuso[1], Saldo), "-6,00");
    EXPECT_FALSE(plays::vintaElenco(chiuso[1]));
    EXPECT_TRUE(plays::inPerditaElenco(chiuso[1]));

    const auto aperto = plays::righeElenco(giocate, esiti, {2});
    ASSERT_EQ(aperto.size(), 4u);
    EXPECT_EQ(plays::testoElenco(aperto[1], Numero), "− 2");
    EXPECT_EQ(aperto[3].posto.giocata, 2);
    EXPECT_EQ(plays::testoElenco(aperto[3], Numeri), "   03-04");
    EXPECT_EQ(plays::testoElenco(aperto[3], Colpi), "3 di 3");

}
