// Entry boxes: editing and key rules, the paste reader, ControllaEstrazione, stored wheel texts, typed indices.
#include "maintenance/Caselle.h"

#include <gtest/gtest.h>

using namespace maintenance;

namespace {

// A complete draw: wheel w holds w*5+1 .. w*5+5 (all different), the Nazionale included.
Caselle completa()
{
    Caselle c;
    for (int i = 1; i <= NumeroCaselle; ++i)
        c[static_cast<std::size_t>(i)] = std::to_string(100 + i).substr(1);
    return c;
}

void nazionale(Caselle& c, std::array<const char*, 5> testi)
{
    for (int p = 1; p <= 5; ++p)
        c[static_cast<std::size_t>(casella(10, p))] = testi[static_cast<std::size_t>(p - 1)];
}

}

TEST(Caselle, RegolaDiModificaEUscita)
{
    const std::pair<const char*, const char*> casi[] = {
        {"7", "7"}, {"07", "07"}, {"90", "90"}, {"91", ""}, {"95", ""}, {"9a", ""}, {"a", ""},
        {"a5", ""}, {"99", "99"}, {"", ""}, {"100", ""}, {" 5", ""}, {"00", "00"},
    };
    for (const auto& [testo, atteso] : casi)
        EXPECT_EQ(testoAmmesso(testo), atteso) << testo;
    EXPECT_EQ(formatoUscita("7"), "07");
    EXPECT_EQ(formatoUscita("0"), "00");
    EXPECT_EQ(formatoUscita(""), "");
    EXPECT_EQ(formatoUscita("45"), "45");
}

TEST(Caselle, TastiTengonoLaCifraENumeriOltre90Detti)
{
    // The right arrow after one digit keeps it as Enter does, and moves on.
    for (Tasto t : {Tasto::Invio, Tasto::Destra, Tasto::Sinistra, Tasto::Su, Tasto::Giu}) {
        const auto e = effettoTasto(12, "3", t);
        EXPECT_EQ(e.testo, "03");
        EXPECT_EQ(e.focus, casellaSuccessiva(12, t));
    }
    EXPECT_EQ(effettoTasto(10, "3", Tasto::Destra).focus, 6);
    // A lone 0 is no number: Enter keeps the focus, an arrow moves on leaving the box empty.
    EXPECT_EQ(effettoTasto(12, "0", Tasto::Invio).focus, 12);
    EXPECT_EQ(effettoTasto(12, "0", Tasto::Destra).testo, "");
    EXPECT_EQ(effettoTasto(12, "0", Tasto::Destra).focus, 13);
    EXPECT_EQ(effettoTasto(12, "", Tasto::Giu).focus, 17);

    EXPECT_EQ(rifiutoCasella(8, "95"), "Il numero 95 non è un numero del Lotto: i numeri vanno da 1 a 90 (Cagliari, posizione 3).");
    EXPECT_NE(rifiutoCasella(55, "99").find("(Nazionale, posizione 5)"), std::string::npos);
    for (const char* buono : {"90", "9", "", "07", "00"})
        EXPECT_EQ(rifiutoCasella(1, buono), "") << buono;
}

TEST(Caselle, ControllaEstrazioneRegoleStoriche)
{
    EXPECT_TRUE(ControllaEstrazione(completa()).accettata);

    Caselle uguali = completa();
    uguali[14] = "12";   // Firenze: positions 2 and 4 equal
    auto esito = ControllaEstrazione(uguali);
    EXPECT_FALSE(esito.accettata);
    EXPECT_EQ(esito.messaggio, "ANOMALIA: Mancano dei dati o sono stati introdotti numeri uguali in una ruota: CORREGGERE !\n"
                               "(Firenze: il numero 12 è sia in posizione 2 sia in posizione 4)");
    EXPECT_EQ(esito.focus, 12);

    // Genova and the wheels after it empty: two empty boxes count as equal, and the message says they are missing.
    Caselle venti = completa();
    for (int i = 16; i <= 55; ++i)
        venti[static_cast<std::size_t>(i)].clear();
    esito = ControllaEstrazione(venti);
    EXPECT_FALSE(esito.accettata);
    EXPECT_EQ(esito.focus, 16);
    EXPECT_NE(esito.messaggio.find("(Genova: mancano tutti e cinque i numeri)"), std::string::npos) << esito.messaggio;

    Caselle mancante = completa();
    mancante[33] = "";   // one missing number cannot make a pair
    esito = ControllaEstrazione(mancante);
    EXPECT_FALSE(esito.accettata);
    EXPECT_EQ(esito.messaggio, "Mancano dei dati nelle estrazioni, provvedere a completare l'inserimento dei numeri estratti\n"
                               "(Palermo: manca il numero della posizione 3)");
    EXPECT_EQ(esito.focus, 33);
    // Several gaps in one wheel are all named, not only the first pair.
    mancante[31] = mancante[32] = mancante[34] = "";
    EXPECT_NE(ControllaEstrazione(mancante).messaggio.find("(Palermo: mancano i numeri delle posizioni 1, 2, 3 e 4)"),
              std::string::npos);
}

TEST(Caselle, ControllaEstrazioneRifiuta99ENazionaleIncompleta)
{
    Caselle c = completa();
    c[8] = "99";
    auto esito = ControllaEstrazione(c);
    EXPECT_FALSE(esito.accettata);
    EXPECT_EQ(esito.focus, 8);
    EXPECT_NE(esito.messaggio.find("99 (Cagliari, posizione 3)"), std::string::npos) << esito.messaggio;
    EXPECT_NE(esito.messaggio.find("da 1 a 90"), std::string::npos);

    c = completa();
    c[54] = "99";
    EXPECT_EQ(ControllaEstrazione(c).focus, 54);

    // The Nazionale: absent (empty or 00) or five different numbers.
    for (auto testi : {std::array<const char*, 5>{"", "", "", "", ""}, std::array<const char*, 5>{"00", "00", "00", "00", "00"},
                       std::array<const char*, 5>{"", "00", "", "0", ""}}) {
        c = completa();
        nazionale(c, testi);
        EXPECT_TRUE(ControllaEstrazione(c).accettata) << testi[1];
    }
    const std::pair<std::array<const char*, 5>, int> rifiutate[] = {
        {{"05", "", "", "", ""}, 52},
        {{"05", "17", "90", "01", "00"}, 55},
        {{"05", "17", "05", "01", "44"}, 51},
    };
    for (const auto& [testi, focus] : rifiutate) {
        c = completa();
        nazionale(c, testi);
        esito = ControllaEstrazione(c);
        EXPECT_FALSE(esito.accettata);
        EXPECT_EQ(esito.focus, focus);
        EXPECT_NE(esito.messaggio.find("Nazionale"), std::string::npos);
    }
}

TEST(Caselle, CampoRuotaELetturaIndice)
{
    Caselle c = completa();
    c[1] = "05";
    c[2] = "17";
    c[3] = "90";
    c[4].assign(1, '1');   // one digit, as a box may hold before leaving it
    c[5] = "44";
    EXPECT_EQ(campoRuota(c, 0), "05-17-90-01-44");
    EXPECT_EQ(campoRuota(c, 10), "51-52-53-54-55");
    nazionale(c, {"00", "", "00", "00", ""});
    EXPECT_EQ(campoRuota(c, 10), "");

    EXPECT_EQ(leggiIndice(" 25 ", 20, 100), 25);
    EXPECT_EQ(leggiIndice("20", 20, 100), 20);
    EXPECT_EQ(leggiIndice("100", 20, 100), 100);
    for (const char* t : {"19", "101", "", "  ", "-25", "2.5", "25a", "abc", "99999999999999"})
        EXPECT_FALSE(leggiIndice(t, 20, 100).has_value()) << t;
}
