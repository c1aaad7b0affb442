// Saved pyramids against a real program database, and the brick editor.
#include "engine/Piramide.h"
#include "storage/ProgramDb.h"
#include "support/TempDir.h"
#include "workbench/Salvataggi.h"
#include "workbench/Trasferimenti.h"

#include <gtest/gtest.h>

using namespace workbench;
using namespace engine::colF;

namespace {

// 40 draws in January and February 2020; every wheel holds d, d+1, ..., d+4.
archive::Archivio archivioPiccolo()
{
    archive::Archivio a;
    a.NumeroEstrazioni = 40;
    for (int d = 1; d <= 40; ++d) {
        const int giorno = d <= 20 ? d : d - 20;
        const int mese = d <= 20 ? 1 : 2;
        char data[48];
        std::snprintf(data, sizeof data, "%02d/%02d/2020", giorno, mese);
        a.DateEstrazioni[static_cast<std::size_t>(d)] = data;
        a.ProgressivoMese[static_cast<std::size_t>(d)] = static_cast<std::int16_t>(giorno);
        for (int w = 0; w < archive::NumeroRuote; ++w)
            for (int p = 1; p <= 5; ++p)
                a.setNumero(d, w, p, static_cast<std::int16_t>(d + p - 1));
    }
    return a;
}

class Salvataggi : public ::testing::Test {
protected:
    void SetUp() override
    {
        db_ = storage::ApriDatabaseProgramma(cartella_.percorso().string());
        apriBanco(b_, a_);
    }

    int conta(const std::string& tabella)
    {
        auto st = db_.prepara("SELECT COUNT(*) FROM " + tabella);
        st.avanza();
        return static_cast<int>(st.intero(0));
    }

    void mattone(int m, const char* tras, int tipo, int e1, int r1, std::optional<std::pair<int, int>> secondo,
                 std::optional<int> val)
    {
        b_.mattone(m).codice = tras;
        b_.mattone(m).tipo = tipo;
        b_.mattone(m).E1 = e1;
        b_.mattone(m).R1 = r1;
        b_.mattone(m).RU1 = archive::SigleRuote[static_cast<std::size_t>(r1)];
        if (secondo) {
            b_.mattone(m).E2 = secondo->first;
            b_.mattone(m).R2 = secondo->second;
            b_.mattone(m).RU2 = archive::SigleRuote[static_cast<std::size_t>(secondo->second)];
        }
        if (val)
            b_.mattone(m).valore = *val;
    }

    int rigaDi(const std::string& nome)
    {
        for (std::size_t i = 0; i < p_.configurazioni.size(); ++i)
            if (p_.configurazioni[i].denominazione == nome)
                return static_cast<int>(i) + 1;
        return -1;
    }

    testsupport::CartellaTemporanea cartella_;
    storage::Database db_;
    archive::Archivio a_ = archivioPiccolo();
    Banco b_;
    PannelloPiramidi p_;
};

TEST_F(Salvataggi, SalvaEdElencaPerNome)
{
    p_.Txt_Denominazione = "Zeta";
    EXPECT_FALSE(salvaConfigurazione(b_, p_, db_));
    p_.Txt_Denominazione = "alfa";
    EXPECT_FALSE(salvaConfigurazione(b_, p_, db_));
    EXPECT_FALSE(salvaConfigurazione(b_, p_, db_));
    // No brick filled: only the configuration records.
    EXPECT_EQ(conta("PiramidiElenco"), 3);
    EXPECT_EQ(conta("PiramideComposizione"), 0);
    const auto& elenco = p_.configurazioni;
    ASSERT_EQ(elenco.size(), 3u);
    EXPECT_EQ(elenco[0].denominazione, "alfa");
    EXPECT_EQ(elenco[1].denominazione, "alfa");
    EXPECT_EQ(elenco[2].denominazione, "Zeta");   // by name whatever the case
    // The same name twice: two keys, listed in the order saved.
    EXPECT_LT(elenco[0].cod, elenco[1].cod);
    // What FgPir1 shows: the key, the name, then the stored fields (hidden).
    EXPECT_EQ(testoConfigurazione(elenco[0], 1), std::to_string(elenco[0].cod));
    EXPECT_EQ(testoConfigurazione(elenco[2], 2), "Zeta");
    EXPECT_EQ(testoConfigurazione(elenco[0], 5), "10000000000");
}

// A record edited by hand: each damaged setting fails alone (no number, a fraction, a text),
// the others still load, and the load says something went wrong.
TEST_F(Salvataggi, UnCampoGuastoNonFermaGliAltri)
{
    b_.numeri = "07-21";
    b_.colpi = 4;
    p_.Txt_Denominazione = "ritoccata";
    ASSERT_FALSE(salvaConfigurazione(b_, p_, db_));
    db_.esegui("UPDATE PiramidiElenco SET Ruota = NULL, QN = '2.5', Mensile = 'tre'");
    Banco b2;
    apriBanco(b2, a_);
    const int ruota = b2.ruotaBase, qn = b2.qn, mensile = b2.mensile;
    PannelloPiramidi p2;
    elencaConfigurazioni(db_, p2);
    ASSERT_EQ(p2.configurazioni.size(), 1u);
    const auto& c = p2.configurazioni[0];
    EXPECT_EQ(c.ruota, std::nullopt);
    EXPECT_EQ(c.qn, std::nullopt);
    EXPECT_EQ(c.mensile, std::nullopt);
    const auto messaggi = caricaConfigurazione(b2, p2, db_, a_, 1);
    ASSERT_FALSE(messaggi.empty());
    EXPECT_EQ(messaggi.back().testo, "Attenzione !, probabile anomalia");
    EXPECT_EQ(b2.ruotaBase, ruota);
    EXPECT_EQ(b2.qn, qn);
    EXPECT_EQ(b2.mensile, mensile);
    EXPECT_EQ(b2.numeri, "07-21");
    EXPECT_EQ(b2.colpi, 4);
    // Outside the list nothing is loaded.
    EXPECT_TRUE(caricaConfigurazione(b2, p2, db_, a_, 2).empty());
    EXPECT_TRUE(caricaConfigurazione(b2, p2, db_, a_, 0).empty());
}

TEST_F(Salvataggi, SalvaECaricaLaConfigurazione)
{
    mattone(1, "SOM", 2, 1, 0, std::pair{3, 7}, 44);   // type 2: the value is not loaded back
    mattone(5, "FIX", 3, 2, 10, std::nullopt, 12);
    mattone(9, "DEC", 1, 4, 3, std::nullopt, std::nullopt);
    impostaRiferimento(b_, a_, 35);
    b_.ruotaBase = 3;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b_, w, w == 0 || w == 7 || w == 10);
    b_.colpi = 5;
    b_.posizioni = {true, false, true, false, false};
    b_.numeri = "05-12-33";
    b_.qn = 2;
    b_.numeroCasi = 7;
    b_.rilevazione = Rilevazione::Mensile;
    b_.mensile = 3;
    p_.Txt_Denominazione = "prova";
    ASSERT_FALSE(salvaConfigurazione(b_, p_, db_));
    EXPECT_EQ(conta("PiramideComposizione"), 3);

    Banco b2;
    apriBanco(b2, a_);
    b2.Lbl0[4] = "vecchio";
    PannelloPiramidi p2;
    elencaConfigurazioni(db_, p2);
    const auto messaggi = caricaConfigurazione(b2, p2, db_, a_, 1);
    EXPECT_TRUE(messaggi.empty()) << messaggi.front().testo;
    EXPECT_EQ(b2.riferimento, 35);
    EXPECT_EQ(b2.ruotaBase, 3);
    EXPECT_EQ(b2.colpi, 5);
    EXPECT_EQ(b2.qn, 2);
    EXPECT_EQ(b2.numeroCasi, 7);
    EXPECT_EQ(b2.mensile, 3);
    EXPECT_EQ(b2.numeri, "05-12-33");
    EXPECT_EQ(b2.posizioni, (std::array<bool, 5>{true, false, true, false, false}));
    EXPECT_EQ(ruoteInGioco(b2), ruoteInGioco(b_));
    // The saved row keeps its format: the wheels in play as eleven '0'/'1', Bari first.
    EXPECT_EQ(p2.configurazioni[0].ruoteG, "10000001001");
    EXPECT_EQ(b2.ruote, (std::array<bool, 11>{true, false, false, false, false, false, false, true, false, false, true}));
    EXPECT_EQ(engine::testoMattone(b2.mattone(1), Tras), "SOM");
    EXPECT_EQ(engine::testoMattone(b2.mattone(1), RU1), "BA");
    EXPECT_EQ(engine::testoMattone(b2.mattone(1), E2), "3");
    EXPECT_EQ(engine::testoMattone(b2.mattone(1), R2), "7");
    EXPECT_EQ(engine::testoMattone(b2.mattone(1), RU2), "RO");
    EXPECT_EQ(engine::testoMattone(b2.mattone(1), VAL), "");
    EXPECT_EQ(engine::testoMattone(b2.mattone(5), VAL), "12");
    EXPECT_EQ(engine::testoMattone(b2.mattone(5), RU1), "NZ");
    EXPECT_EQ(engine::testoMattone(b2.mattone(9), R2), "");
    EXPECT_EQ(engine::testoMattone(b2.mattone(9), RU2), "");
    EXPECT_EQ(engine::testoMattone(b2.mattone(2), Tras), "");
    // Calcola ran on draw 35 (SOM of 35 on BA and 37 on RO) and the old label was cleared.
    EXPECT_EQ(b2.Lbl0[1], "72");
    EXPECT_EQ(b2.Lbl0[4], "");
    // RICAVA ESTRAZIONI ran: the third draw of each month back from draw 35.
    ASSERT_GE(grigliaFgEv(b2).righe(), 2);
    EXPECT_EQ(grigliaFgEv(b2).testo(1, 1), "23");
}

TEST_F(Salvataggi, UnMattoneGuastoNonFermaIlCaricamentoDegliAltri)
{
    mattone(1, "SOM", 2, 1, 0, std::pair{3, 7}, std::nullopt);
    mattone(5, "FIX", 3, 2, 10, std::nullopt, 12);
    mattone(9, "DEC", 1, 4, 3, std::nullopt, std::nullopt);
    p_.Txt_Denominazione = "guasta";
    ASSERT_FALSE(salvaConfigurazione(b_, p_, db_));
    // Brick 5 names a wheel that does not exist (a database edited by hand).
    db_.esegui("UPDATE PiramideComposizione SET R1 = 12 WHERE Riga = 5");

    Banco b2;
    apriBanco(b2, a_);
    PannelloPiramidi p2;
    elencaConfigurazioni(db_, p2);
    const auto messaggi = caricaConfigurazione(b2, p2, db_, a_, 1);
    ASSERT_FALSE(messaggi.empty());
    EXPECT_EQ(messaggi.back().testo, "Attenzione !, probabile anomalia");
    EXPECT_EQ(messaggi.back().titolo, "Avviso");
    EXPECT_EQ(messaggi.back().icona, Icona::Critico);
    EXPECT_EQ(engine::testoMattone(b2.mattone(1), RU2), "RO");
    EXPECT_EQ(engine::testoMattone(b2.mattone(9), Tras), "DEC");
    EXPECT_EQ(engine::testoMattone(b2.mattone(9), RU1), "GE");
}

TEST_F(Salvataggi, UnSalvataggioFallitoNonLasciaNulla)
{
    mattone(1, "SOM", 2, 1, 0, std::pair{3, 7}, std::nullopt);
    // A brick that cannot be written (the table is gone) undoes the configuration too.
    db_.esegui("ALTER TABLE PiramideComposizione RENAME TO Altrove");
    p_.Txt_Denominazione = "persa";
    const Esito e = salvaConfigurazione(b_, p_, db_);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->testo, "Attenzione !, probabile anomalia nella selezione dei parametri");
    EXPECT_EQ(e->titolo, "Avviso");
    EXPECT_EQ(e->icona, Icona::Critico);
    EXPECT_EQ(conta("PiramidiElenco"), 0);
    // A name over 100 characters is refused the same way.
    db_.esegui("ALTER TABLE Altrove RENAME TO PiramideComposizione");
    p_.Txt_Denominazione = std::string(101, 'x');
    EXPECT_TRUE(salvaConfigurazione(b_, p_, db_));
    EXPECT_EQ(conta("PiramidiElenco"), 0);
    p_.Txt_Denominazione = std::string(100, 'x');
    EXPECT_FALSE(salvaConfigurazione(b_, p_, db_));
    EXPECT_EQ(conta("PiramidiElenco"), 1);
}

TEST_F(Salvataggi, CancellaConIMattoni)
{
    mattone(1, "SOM", 2, 1, 0, std::pair{3, 7}, std::nullopt);
    p_.Txt_Denominazione = "uno";
    salvaConfigurazione(b_, p_, db_);
    p_.Txt_Denominazione = "due";
    salvaConfigurazione(b_, p_, db_);
    EXPECT_EQ(conta("PiramideComposizione"), 2);
    p_.configurazioneScelta = 0;
    EXPECT_FALSE(domandaCancellazione(p_));
    EXPECT_FALSE(eliminaConfigurazione(p_, db_));

    const int r = rigaDi("uno");
    p_.configurazioneScelta = r;
    const std::string chiave = std::to_string(p_.configurazioni[static_cast<std::size_t>(r - 1)].cod);
    EXPECT_EQ(domandaCancellazione(p_), "Cancellare la riga: " + chiave + " ?");
    const Esito e = eliminaConfigurazione(p_, db_);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->testo, "Record eliminato.");
    EXPECT_EQ(e->titolo, "Cancellazione record");
    EXPECT_EQ(e->icona, Icona::Informazione);
    EXPECT_EQ(conta("PiramidiElenco"), 1);
    EXPECT_EQ(conta("PiramideComposizione"), 1);
    EXPECT_EQ(rigaDi("uno"), -1);
    ASSERT_EQ(p_.configurazioni.size(), 1u);
    // The list again: nothing chosen, so a second Cancella deletes nothing.
    EXPECT_EQ(p_.configurazioneScelta, 0);
    EXPECT_FALSE(eliminaConfigurazione(p_, db_));
}

TEST_F(Salvataggi, EditorDeiMattoni)
{
    elencaOperatori(b_, {{"DIFF", 2, "", "", "", "", "Differenza assoluta"}, {"FIG", 1}});
    impostaRiferimento(b_, a_, 10);

    // No current brick: nothing happens.
    b_.mattoneCorrente = 0;
    EXPECT_FALSE(inserisciOperatore(b_, p_, a_));

    evidenziaMattone(b_, p_, 3);
    EXPECT_EQ(p_.mattoneEvidenziato, 3);
    EXPECT_EQ(b_.mattoneCorrente, 3);
    b_.rigaOperatore = 1;
    p_.ListP1 = 1;   // position 2
    p_.ListR1 = 0;
    p_.ListP2 = 4;   // position 5
    p_.ListR2 = 7;
    b_.valoreLista = 33;   // not used by type 2
    EXPECT_FALSE(inserisciOperatore(b_, p_, a_));
    EXPECT_EQ(engine::testoMattone(b_.mattone(3), Tras), "DIFF");
    EXPECT_EQ(engine::testoMattone(b_.mattone(3), E1), "2");
    EXPECT_EQ(engine::testoMattone(b_.mattone(3), RU1), "BA");
    EXPECT_EQ(engine::testoMattone(b_.mattone(3), E2), "5");
    EXPECT_EQ(engine::testoMattone(b_.mattone(3), RU2), "RO");
    EXPECT_EQ(engine::testoMattone(b_.mattone(3), VAL), "");
    EXPECT_EQ(b_.Lbl0[3], "3");   // |11 - 14|
    // The references in the reference draw: Bari 2nd (first), Roma 5th (second).
    EXPECT_EQ(b_.estratti[0].primo, 2);
    EXPECT_EQ(b_.estratti[7].secondo, 5);
    EXPECT_EQ(b_.estratti[7].primo, 0);

    // Copy onto a brick that is not chosen: the message; then onto brick 12.
    p_.destinazione = 0;
    const Esito e = copiaMattone(b_, p_, a_);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->testo, "Effettuare le selezioni.");
    EXPECT_EQ(e->icona, Icona::Informazione);
    p_.destinazione = 12;
    EXPECT_FALSE(copiaMattone(b_, p_, a_));
    EXPECT_EQ(engine::testoMattone(b_.mattone(12), RU2), "RO");
    EXPECT_EQ(b_.Lbl0[12], "3");

    // Another brick highlighted, one outside the pyramid ignored.
    evidenziaMattone(b_, p_, 12);
    evidenziaMattone(b_, p_, 16);
    EXPECT_EQ(p_.mattoneEvidenziato, 12);

    // Back into the editor.
    p_ = PannelloPiramidi{};
    b_.rigaOperatore = 2;
    caricaMattoneNellEditor(b_, p_, 3);
    EXPECT_EQ(b_.rigaOperatore, 1);
    EXPECT_EQ(p_.Label3, "Differenza assoluta");
    EXPECT_EQ(p_.ListP1, 1);
    EXPECT_EQ(p_.ListR2, 7);

    commutaPosizione(b_, 2);
    EXPECT_FALSE(b_.posizioni[1]);

    svuotaPiramide(b_, p_);
    EXPECT_EQ(engine::testoMattone(b_.mattone(3), Tras), "");
    EXPECT_EQ(b_.FgF.size(), 15U);
    EXPECT_EQ(b_.mattoneCorrente, 0);
    EXPECT_EQ(engine::testoMattone(b_.mattone(15), 0), "15");
    EXPECT_EQ(b_.Lbl0[3], "");
}

}
