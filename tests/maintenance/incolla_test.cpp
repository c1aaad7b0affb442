// The pasted-draw reader on texts laid out as results pages and newspapers lay them out, and the refusals and questions before SALVA.
#include "maintenance/Incolla.h"

#include "support/ArchivioDimostrativo.h"
#include "support/Storico.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>

using namespace maintenance;

namespace {

// The draw of 25/08/2026 every text below carries, as the CLI prints it.
const std::string Attese = "BA\t05-12-33-44-90\nCA\t22-46-54-29-24\nFI\t01-17-76-13-16\nGE\t40-66-30-11-20\n"
                           "MI\t87-28-05-80-60\nNA\t13-02-74-25-09\nPA\t28-82-23-84-70\nRO\t15-52-90-47-20\n"
                           "TO\t57-34-61-26-35\nVE\t81-07-27-51-46\nNZ\t51-89-82-70-37\n";
// The same without the Nazionale.
const std::string AtteseSenzaNazionale = Attese.substr(0, Attese.rfind("NZ")) + "NZ\t\n";

std::string letta(const std::string& testo, const std::string& data = "25/08/2026")
{
    const auto r = leggiEstrazioneIncollata(testo, data);
    EXPECT_TRUE(r.letta) << r.motivo << "\n--- testo:\n" << testo;
    return r.letta ? righeEstrazione(r.caselle) : std::string();
}

std::string rifiutata(const std::string& testo, const std::string& data = "25/08/2026")
{
    const auto r = leggiEstrazioneIncollata(testo, data);
    EXPECT_FALSE(r.letta) << righeEstrazione(r.caselle) << "\n--- testo:\n" << testo;
    EXPECT_EQ(r.motivo.rfind("Estrazione non letta: ", 0), 0u) << r.motivo;
    return r.motivo;
}

}

TEST(Incolla, PagineDeiRisultatiLetteEsattamente)
{
    // A results page: heading with weekday and date, draw number, a header of ordinals, tabs,
    // then the Numero Oro and another game's line.
    EXPECT_EQ(letta("Estrazione del Lotto di martedì 25 agosto 2026\nConcorso n° 101/2026\n\n"
                    "Ruota\t1°\t2°\t3°\t4°\t5°\n"
                    "Bari\t05\t12\t33\t44\t90\nCagliari\t22\t46\t54\t29\t24\nFirenze\t01\t17\t76\t13\t16\n"
                    "Genova\t40\t66\t30\t11\t20\nMilano\t87\t28\t05\t80\t60\nNapoli\t13\t02\t74\t25\t09\n"
                    "Palermo\t28\t82\t23\t84\t70\nRoma\t15\t52\t90\t47\t20\nTorino\t57\t34\t61\t26\t35\n"
                    "Venezia\t81\t07\t27\t51\t46\nNazionale\t51\t89\t82\t70\t37\n\n"
                    "Numero Oro: 5   Doppio Oro: 5 - 12\n10eLotto: 1 5 12 13 15 17 20 22 24 25\n"),
              Attese);

    // A newspaper: capitals, the date in figures, numbers without leading zeros, single spaces.
    EXPECT_EQ(letta("LOTTO - ESTRAZIONE DEL 25/08/2026\n"
                    "BARI 5 12 33 44 90\nCAGLIARI 22 46 54 29 24\nFIRENZE 1 17 76 13 16\nGENOVA 40 66 30 11 20\n"
                    "MILANO 87 28 5 80 60\nNAPOLI 13 2 74 25 9\nPALERMO 28 82 23 84 70\nROMA 15 52 90 47 20\n"
                    "TORINO 57 34 61 26 35\nVENEZIA 81 7 27 51 46\nNAZIONALE 51 89 82 70 37\n"
                    "SuperEnalotto: 3 18 44 61 72 85 Jolly 9\n"),
              Attese);

    // The codes of the official archive with dashes, and Roma and Nazionale as RM and RN.
    EXPECT_EQ(letta("25/08/2026\nBA 05-12-33-44-90\nCA 22-46-54-29-24\nFI 01-17-76-13-16\nGE 40-66-30-11-20\n"
                    "MI 87-28-05-80-60\nNA 13-02-74-25-09\nPA 28-82-23-84-70\nRM 15-52-90-47-20\n"
                    "TO 57-34-61-26-35\nVE 81-07-27-51-46\nRN 51-89-82-70-37\n"),
              Attese);

    // One long line, codes RO and NZ with a capital only, a date after the last wheel.
    EXPECT_EQ(letta("Ba: 5, 12, 33, 44, 90 | Ca: 22, 46, 54, 29, 24 | Fi: 1, 17, 76, 13, 16 | Ge: 40, 66, 30, 11, 20 | "
                    "Mi: 87, 28, 5, 80, 60 | Na: 13, 2, 74, 25, 9 | Pa: 28, 82, 23, 84, 70 | Ro: 15, 52, 90, 47, 20 | "
                    "To: 57, 34, 61, 26, 35 | Ve: 81, 7, 27, 51, 46 | Nz: 51, 89, 82, 70, 37 | aggiornato il 25/08/2026"),
              Attese);

    // Small letters, a chatty heading with the word "mi" and "Lotto nazionale", each number on a
    // line of its own after the name, wheels out of order.
    std::string righe = "ecco i numeri del lotto nazionale, mi raccomando controllate!\n";
    const char* nomi[] = {"nazionale", "venezia", "torino", "roma", "palermo", "napoli",
                          "milano", "genova", "firenze", "cagliari", "bari"};
    const char* numeri[] = {"51 89 82 70 37", "81 07 27 51 46", "57 34 61 26 35", "15 52 90 47 20",
                            "28 82 23 84 70", "13 02 74 25 09", "87 28 05 80 60", "40 66 30 11 20",
                            "01 17 76 13 16", "22 46 54 29 24", "05 12 33 44 90"};
    for (int i = 0; i < 11; ++i) {
        righe += std::string("ruota di ") + nomi[i] + ":\n";
        std::string n = numeri[i];
        for (char& c : n)
            if (c == ' ')
                c = '\n';
        righe += n + "\n";
    }
    EXPECT_EQ(letta(righe), Attese);

    // A page that repeats the draw (summary, then the table): the same numbers twice are one wheel.
    EXPECT_EQ(letta("In evidenza: Bari 5 12 33 44 90\n\n" + Attese), Attese);
}

TEST(Incolla, NazionaleAssenteEDatePrimaDellaNazionale)
{
    // An old draw without the Nazionale, by name.
    const std::string senza = Attese.substr(0, Attese.rfind("NZ"));
    EXPECT_EQ(letta("Estrazione di sabato 13 gennaio 1990\n" + senza, "13/01/1990"), AtteseSenzaNazionale);

    // No wheel names: 55 numbers in wheel order, or 50 before the Nazionale.
    std::string cinquantacinque;
    for (const char* n : {"05 12 33 44 90", "22 46 54 29 24", "01 17 76 13 16", "40 66 30 11 20", "87 28 05 80 60",
                          "13 02 74 25 09", "28 82 23 84 70", "15 52 90 47 20", "57 34 61 26 35", "81 07 27 51 46"})
        cinquantacinque += std::string(n) + "\n";
    const std::string cinquanta = cinquantacinque;
    cinquantacinque += "51 89 82 70 37\n";
    EXPECT_EQ(letta(cinquantacinque), Attese);
    EXPECT_EQ(letta(cinquanta, "13/01/1990"), AtteseSenzaNazionale);
    EXPECT_EQ(letta(cinquanta, "03/05/2005"), AtteseSenzaNazionale);   // the day before the first Nazionale

    // 50 numbers on a date with the Nazionale, 55 on one without: refused, the count said.
    EXPECT_NE(rifiutata(cinquanta, "04/05/2005").find("contiene 50 numeri"), std::string::npos);
    EXPECT_NE(rifiutata(cinquantacinque, "13/01/1990").find("contiene 55 numeri"), std::string::npos);
    // With no date both counts are possible.
    EXPECT_EQ(letta(cinquanta, ""), AtteseSenzaNazionale);
}

TEST(Incolla, NumeriDelleIntestazioniNonSpostanoLeRuote)
{
    std::string numeri;
    for (const char* n : {"05 12 33 44 90", "22 46 54 29 24", "01 17 76 13 16", "40 66 30 11 20", "87 28 05 80 60",
                          "13 02 74 25 09", "28 82 23 84 70", "15 52 90 47 20", "57 34 61 26 35", "81 07 27 51 46",
                          "51 89 82 70 37"})
        numeri += std::string(n) + "\n";
    // Dates, times and ordinals of a heading are no numbers of the draw, on a line of their own or
    // before the numbers; their dates are kept for SALVA to compare.
    for (const std::string intestazione :
         {"Estrazione di martedì 25 agosto\n", "25/08/2026 ", "Estrazioni del Lotto, Roma 25/08/2026 ore 20:00\n",
          "Estrazione n. 136 del 25 agosto 2026\n", "Concorso n° 101/2026 - 2026-08-25, ore 20.00\n"}) {
        EXPECT_EQ(letta(intestazione + numeri), Attese) << intestazione;
        const auto r = leggiEstrazioneIncollata(intestazione + numeri, "25/08/2026");
        EXPECT_EQ(r.date, intestazione.find("martedì") != std::string::npos ? std::vector<std::string>{}
                                                                             : std::vector<std::string>{"25/08/2026"})
            << intestazione;
    }
    // A heading number the reader cannot tell from a draw's is refused naming its line.
    EXPECT_EQ(rifiutata("Lotto: estrazione settimanale 136\n" + numeri),
              "Estrazione non letta: il testo non nomina le ruote e contiene 56 numeri (la riga 1: \"Lotto: estrazione "
              "settimanale 136\" ha 1 numero); senza i nomi delle ruote servono esattamente 55 numeri, cinque per ruota "
              "da Bari a Nazionale.");
    EXPECT_NE(rifiutata("").find("contiene 0 numeri"), std::string::npos);

    // A table with the wheels as columns and the positions as rows: no wheel gets its own five.
    std::string colonne = "BA CA FI GE MI NA PA RM TO VE RN\n";
    for (int p = 0; p < 5; ++p) {
        for (int w = 0; w < 11; ++w)
            colonne += numeri.substr(static_cast<std::size_t>(w * 15 + p * 3), 2) + " ";
        colonne += "\n";
    }
    EXPECT_NE(rifiutata(colonne).find("la ruota di Nazionale ha 55 numeri invece di cinque"), std::string::npos);
}

TEST(Incolla, TestoCopiatoDaUnaPaginaWebLettoComeScritto)
{
    // The byte-order mark of a saved file before the first wheel name.
    EXPECT_EQ(letta("\xEF\xBB\xBF" + Attese), Attese);
    // No-break spaces (UTF-8 and a lone Latin-1 one), a narrow no-break space, an en dash.
    std::string web = "BARI 5 12 33 44 90\nCAGLIARI 22 46 54 29 24\nFIRENZE 1 17 76 13 16\nGENOVA 40 66 30 11 20\n"
                      "MILANO 87 28 5 80 60\nNAPOLI 13 2 74 25 9\nPALERMO 28 82 23 84 70\nROMA 15 52 90 47 20\n"
                      "TORINO 57 34 61 26 35\nVENEZIA 81 7 27 51 46\nNAZIONALE 51 89 82 70 37\n";
    const std::array<std::string, 4> spazi = {"\xC2\xA0", "\xA0", "\xE2\x80\xAF", "\xE2\x80\x93"};
    for (std::size_t i = 0, k = 0; (i = web.find(' ', i)) != std::string::npos; ++k)
        web.replace(i, 1, spazi[k % spazi.size()]);
    EXPECT_EQ(letta("\xEF\xBB\xBF" + web), Attese);
}

TEST(Incolla, RuoteMancantiEParoleSconosciuteDette)
{
    auto senza = [](std::string t, const std::string& riga) {
        t.erase(t.find(riga), t.find('\n', t.find(riga)) + 1 - t.find(riga));
        return t;
    };
    // A wheel misspelt: the wheel is missing and the word is named with its line.
    std::string napli = Attese;
    napli.replace(napli.find("NA\t"), 3, "Napli\t");
    auto r = leggiEstrazioneIncollata(napli, "25/08/2026");
    ASSERT_TRUE(r.letta) << r.motivo;
    EXPECT_EQ(r.avviso, "Il testo non contiene la ruota di Napoli: è rimasta vuota. Parole non riconosciute come ruote: "
                        "\"Napli\" (riga 6: \"Napli 13-02-74-25-09\").");
    EXPECT_EQ(righeEstrazione(r.caselle).substr(righeEstrazione(r.caselle).find("NA")), "NA\t\n" + Attese.substr(Attese.find("PA")));
    // Two wheels left out of the copy.
    r = leggiEstrazioneIncollata(senza(senza(Attese, "TO\t"), "VE\t"), "25/08/2026");
    ASSERT_TRUE(r.letta) << r.motivo;
    EXPECT_EQ(r.avviso, "Il testo non contiene le ruote di Torino e Venezia: sono rimaste vuote.");
    // The whole draw, or one without a Nazionale not yet drawn, has nothing to say.
    EXPECT_EQ(leggiEstrazioneIncollata(Attese, "25/08/2026").avviso, "");
    EXPECT_EQ(leggiEstrazioneIncollata(senza(Attese, "NZ\t"), "13/01/1990").avviso, "");
}

TEST(Incolla, RuotaErrataRifiutataNominandola)
{
    auto con = [](const std::string& da, const std::string& a) {
        std::string t = Attese;
        t.replace(t.find(da), da.size(), a);
        return t;
    };
    // A bare line of numbers after the Nazionale (a jackpot line) makes six.
    EXPECT_EQ(rifiutata(Attese + "7\n"),
              "Estrazione non letta: la ruota di Nazionale ha 6 numeri invece di cinque (riga 11: \"NZ 51-89-82-70-37\" e "
              "seguenti fino alla riga 12).");
    EXPECT_EQ(rifiutata(con("MI\t87-28-05-80-60", "MI\t87-28-05-80")),
              "Estrazione non letta: la ruota di Milano ha 4 numeri invece di cinque (riga 5: \"MI 87-28-05-80\").");
    EXPECT_EQ(rifiutata(con("MI\t87-28-05-80-60", "MI\t87-28-05-80-95")),
              "Estrazione non letta: la ruota di Milano ha il numero 95 in posizione 5: i numeri del Lotto vanno da 1 a 90 "
              "(riga 5: \"MI 87-28-05-80-95\").");
    EXPECT_NE(rifiutata(con("GE\t40", "GE\t00")).find("la ruota di Genova ha il numero 0 in posizione 1"), std::string::npos);
    EXPECT_EQ(rifiutata(con("TO\t57-34-61-26-35", "TO\t57-34-61-34-35")),
              "Estrazione non letta: la ruota di Torino ha due volte il numero 34, nelle posizioni 2 e 4 (riga 9: "
              "\"TO 57-34-61-34-35\").");
    // Named twice with different numbers: which one is right cannot be told.
    EXPECT_NE(rifiutata("Bari 1 2 3 4 5\n" + Attese).find("la ruota di Bari compare due volte con numeri diversi"),
              std::string::npos);
    // A classic wheel whose numbers were lost in the copy.
    EXPECT_NE(rifiutata(con("CA\t22-46-54-29-24", "CA")).find("la ruota di Cagliari non ha numeri dopo il nome"),
              std::string::npos);
    // Without names a wheel out of range is named by its place.
    std::string numeri;
    for (int i = 1; i <= 55; ++i)
        numeri += std::to_string(i == 33 ? 91 : i) + " ";
    EXPECT_NE(rifiutata(numeri).find("la ruota di Palermo ha il numero 91 in posizione 3"), std::string::npos);
}

namespace {

// An archive of the draws of `giorni` (month, days) of 2026 in order; draw k has Bari k+1..k+5 and
// the other wheels fixed, the Nazionale included.
archive::Archivio archivio2026(const std::vector<std::pair<int, std::vector<int>>>& giorni)
{
    archive::Archivio a;
    int n = 0;
    for (const auto& [mese, nelMese] : giorni)
        for (int g : nelMese) {
            ++n;
            a.DateEstrazioni[static_cast<std::size_t>(n)] =
                (g < 10 ? "0" : "") + std::to_string(g) + (mese < 10 ? "/0" : "/") + std::to_string(mese) + "/2026";
            for (int w = 0; w < archive::NumeroRuote; ++w)
                for (int p = 1; p <= 5; ++p)
                    a.setNumero(n, w, p, static_cast<std::int16_t>(w == 0 ? n + p : w * 5 + p));
        }
    a.NumeroEstrazioni = n;
    return a;
}

// Tuesdays, Thursdays, Fridays and Saturdays from 04/07/2026 (a Saturday) to 15/08/2026.
archive::Archivio archivioEstate()
{
    return archivio2026({{7, {4, 7, 9, 10, 11, 14, 16, 17, 18, 21, 23, 24, 25, 28, 30, 31}},
                         {8, {1, 4, 6, 7, 8, 11, 13, 14, 15}}});
}

// Twelve weeks of Tuesdays, Thursdays, Fridays and Saturdays, 02/06/2026 to 22/08/2026, with the
// one-off Monday draw of 17/08/2026.
archive::Archivio archivioConLunediUnico()
{
    return archivio2026({{6, {2, 4, 5, 6, 9, 11, 12, 13, 16, 18, 19, 20, 23, 25, 26, 27, 30}},
                         {7, {2, 3, 4, 7, 9, 10, 11, 14, 16, 17, 18, 21, 23, 24, 25, 28, 30, 31}},
                         {8, {1, 4, 6, 7, 8, 11, 13, 14, 15, 17, 18, 20, 21, 22}}});
}

Caselle nuova(int bari)
{
    Caselle c;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        for (int p = 1; p <= 5; ++p)
            c[static_cast<std::size_t>(casella(w, p))] = std::to_string(w == 0 ? bari + p : w * 5 + p);
    return c;
}

}

TEST(Incolla, RifiutiPrimaDiSalvare)
{
    const auto a = archivioEstate();
    EXPECT_EQ(verificaNuovaEstrazione(a, "26/08/2026", nuova(60), "25/08/2026").rifiuto,
              "La data 26/08/2026 è successiva a oggi (25/08/2026): non si può salvare un'estrazione non ancora avvenuta.");
    EXPECT_EQ(verificaNuovaEstrazione(a, "14/08/2026", nuova(60), "25/08/2026").rifiuto,
              "L'estrazione del 14/08/2026 è già memorizzata (n° indice 24): per correggerla usare MODIFICA ESTRAZIONE.");
    EXPECT_NE(verificaNuovaEstrazione(a, "31/09/2026", nuova(60), "25/12/2026").rifiuto.find("non è una data valida"),
              std::string::npos);
    EXPECT_EQ(verificaNuovaEstrazione(a, "31/12/1938", nuova(60), "25/08/2026").rifiuto,
              "La data 31/12/1938 è anteriore al 1939, primo anno delle estrazioni del Lotto: l'estrazione non è stata salvata.");
    // Today itself is allowed, and a plain next draw asks nothing.
    const auto v = verificaNuovaEstrazione(a, "18/08/2026", nuova(60), "18/08/2026");
    EXPECT_TRUE(v.rifiuto.empty()) << v.rifiuto;
    EXPECT_TRUE(v.domande.empty()) << v.domande.front();
}

TEST(Incolla, DomandePrimaDiSalvare)
{
    const auto a = archivioEstate();
    const std::string oggi = "31/12/2026";
    // Saturday 22/08 after Saturday 15/08: Tuesday, Thursday and Friday are missing.
    auto v = verificaNuovaEstrazione(a, "22/08/2026", nuova(60), oggi);
    ASSERT_EQ(v.domande.size(), 1u);
    EXPECT_EQ(v.domande[0], "Tra l'ultima estrazione in archivio (15/08/2026) e il 22/08/2026 mancano le estrazioni di "
                            "martedì 18/08/2026, giovedì 20/08/2026 e venerdì 21/08/2026. Salvare comunque l'estrazione del "
                            "22/08/2026?");
    v = verificaNuovaEstrazione(a, "19/08/2026", nuova(60), oggi);   // a Wednesday: Tuesday is missing
    ASSERT_EQ(v.domande.size(), 2u);
    EXPECT_EQ(v.domande[0], "Il 19/08/2026 è un mercoledì, giorno in cui il Lotto in questo periodo non estrae (estrae il "
                            "martedì, il giovedì, il venerdì e il sabato). Salvare comunque l'estrazione con questa data?");
    EXPECT_NE(v.domande[1].find("e il 19/08/2026 manca l'estrazione di martedì 18/08/2026."), std::string::npos) << v.domande[1];
    // Five weeks of silence are counted, not listed.
    v = verificaNuovaEstrazione(a, "19/09/2026", nuova(60), oggi);
    ASSERT_EQ(v.domande.size(), 1u);
    EXPECT_NE(v.domande[0].find("e il 19/09/2026 mancano 19 estrazioni, da martedì 18/08/2026 a venerdì 18/09/2026."),
              std::string::npos) << v.domande[0];

    // Sunday 16/08, with Nazionale empty and the numbers of 15/08 (draw 25: Bari 26..30) left in the boxes.
    Caselle rimaste = nuova(25);
    v = verificaNuovaEstrazione(a, "16/08/2026", rimaste, oggi);
    ASSERT_EQ(v.domande.size(), 2u);
    EXPECT_EQ(v.domande[0], "Il 16/08/2026 è una domenica, giorno in cui il Lotto in questo periodo non estrae (estrae il "
                            "martedì, il giovedì, il venerdì e il sabato). Salvare comunque l'estrazione con questa data?");
    EXPECT_EQ(v.domande[1], "I numeri sono identici, ruota per ruota, a quelli dell'estrazione precedente del 15/08/2026: "
                            "forse le caselle non sono state aggiornate. Salvare comunque?");
    // A date inside the archive compares with the draws on both sides, and counts no missing days.
    v = verificaNuovaEstrazione(a, "12/08/2026", nuova(22), oggi);   // draw 22 is 11/08
    ASSERT_EQ(v.domande.size(), 2u);
    EXPECT_NE(v.domande[1].find("dell'estrazione precedente del 11/08/2026"), std::string::npos);
    v = verificaNuovaEstrazione(a, "12/08/2026", nuova(23), oggi);   // draw 23 is 13/08
    ASSERT_EQ(v.domande.size(), 2u);
    EXPECT_NE(v.domande[1].find("dell'estrazione successiva del 13/08/2026"), std::string::npos);

    Caselle senza = nuova(60);
    for (int p = 1; p <= 5; ++p)
        senza[static_cast<std::size_t>(casella(10, p))] = "";
    v = verificaNuovaEstrazione(a, "18/08/2026", senza, oggi);
    ASSERT_EQ(v.domande.size(), 1u);
    EXPECT_EQ(v.domande[0], "La ruota Nazionale è vuota, ma dal 04/05/2005 viene estratta con le altre ruote. Salvare comunque "
                            "l'estrazione del 18/08/2026 senza la Nazionale?");
    archive::Archivio vuoto;
    EXPECT_EQ(verificaNuovaEstrazione(vuoto, "04/05/2005", senza, oggi).domande.size(), 1u);
    EXPECT_TRUE(verificaNuovaEstrazione(vuoto, "03/05/2005", senza, oggi).domande.empty());   // a Tuesday before it
}

TEST(Incolla, DomandeSulCalendarioRealeConUnGiornoUnico)
{
    const auto a = archivioConLunediUnico();
    const std::string fraDue = "Il 19/08/2026 è un mercoledì fra due estrazioni già in archivio (18/08 e 20/08): le "
                               "estrazioni successive cambieranno numero. Salvare comunque?";
    const struct {
        std::string data;
        int bari;   // the boxes: nuova(bari); nuova(47) holds the draw of 20/08 (draw 48)
        std::vector<std::string> domande;
    } casi[] = {
        // Tuesday after Saturday: the Monday of the week before does not make 24/08 a missing draw.
        {"25/08/2026", 60, {}},
        // Monday 24/08 is a day without draws in this period.
        {"24/08/2026", 60, {"Il 24/08/2026 è un lunedì, giorno in cui il Lotto in questo periodo non estrae (estrae il "
                            "martedì, il giovedì, il venerdì e il sabato). Salvare comunque l'estrazione con questa data?"}},
        // Thursday 27/08 names the Tuesday it skips, and only that.
        {"27/08/2026", 60, {"Tra l'ultima estrazione in archivio (22/08/2026) e il 27/08/2026 manca l'estrazione di "
                            "martedì 25/08/2026. Salvare comunque l'estrazione del 27/08/2026?"}},
        // Among stored draws, compared with the draws on both sides.
        {"19/08/2026", 60, {fraDue}},
        {"19/08/2026", 47, {fraDue, "I numeri sono identici, ruota per ruota, a quelli dell'estrazione successiva del "
                                    "20/08/2026: forse le caselle non sono state aggiornate. Salvare comunque?"}},
        {"30/05/2026", 60, {"Il 30/05/2026 è un sabato anteriore alla prima estrazione in archivio (02/06/2026): tutte le "
                            "estrazioni cambieranno numero. Salvare comunque?"}},
    };
    for (const auto& c : casi)
        EXPECT_EQ(verificaNuovaEstrazione(a, c.data, nuova(c.bari), "31/12/2026").domande, c.domande) << c.data;
}

TEST(Incolla, DataDelTestoDiversaDaQuellaSceltaChiesta)
{
    const auto a = archivioConLunediUnico();
    const std::string oggi = "31/12/2026";
    const auto testo = leggiEstrazioneIncollata("Estrazioni del Lotto, Roma 25/08/2026 ore 20:00\n" + Attese, "27/08/2026");
    ASSERT_TRUE(testo.letta) << testo.motivo;
    EXPECT_TRUE(verificaNuovaEstrazione(a, "25/08/2026", testo.caselle, oggi, testo.date).domande.empty());
    const auto v = verificaNuovaEstrazione(a, "27/08/2026", testo.caselle, oggi, testo.date);
    ASSERT_EQ(v.domande.size(), 2u);
    EXPECT_EQ(v.domande[1], "Il testo incollato porta la data 25/08/2026, non il 27/08/2026 scelto per l'estrazione. Salvare "
                            "comunque l'estrazione con la data 27/08/2026?");
}

TEST(Incolla, NazionalePrimaDellaSuaPrimaEstrazioneRifiutata)
{
    archive::Archivio vuoto;
    const std::string oggi = "31/12/2026";
    EXPECT_EQ(verificaNuovaEstrazione(vuoto, "03/05/2005", nuova(60), oggi).rifiuto,
              "L'estrazione del 03/05/2005 ha i numeri della ruota Nazionale, che è estratta solo dal 04/05/2005: svuotare "
              "la Nazionale. L'estrazione non è stata salvata.");
    EXPECT_EQ(rifiutoNazionale("13/01/1990", nuova(60)),
              "L'estrazione del 13/01/1990 ha i numeri della ruota Nazionale, che è estratta solo dal 04/05/2005: svuotare "
              "la Nazionale. L'estrazione non è stata salvata.");
    EXPECT_TRUE(verificaNuovaEstrazione(vuoto, "04/05/2005", nuova(60), oggi).rifiuto.empty());
    Caselle senza = nuova(60);
    for (int p = 1; p <= 5; ++p)
        senza[static_cast<std::size_t>(casella(10, p))] = "00";
    EXPECT_EQ(rifiutoNazionale("03/05/2005", senza), "");
}

namespace {

// One draw as a source holds it: its date and, per wheel in the source's own order, the five numbers.
struct EstrazioneSorgente {
    std::string data;   // "GG/MM/AAAA"
    std::vector<std::pair<int, std::array<int, 5>>> ruote;
};

std::string due(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Every draw laid out as a newspaper prints it (heading, wheel names in capitals in the source's
// order, the Numero Oro) and, when the ten classic wheels are all there, as the bare numbers in
// wheel order: both must read back as the source's numbers, wheel by wheel.
void leggeOgniEstrazione(const std::vector<EstrazioneSorgente>& estrazioni)
{
    static const char* maiuscole[] = {"BARI", "CAGLIARI", "FIRENZE", "GENOVA", "MILANO", "NAPOLI",
                                      "PALERMO", "ROMA", "TORINO", "VENEZIA", "NAZIONALE"};
    int lette = 0;
    for (const auto& e : estrazioni) {
        std::array<const std::array<int, 5>*, 11> perRuota{};
        std::string giornale = "Estrazione del Lotto del " + e.data + "\n";
        for (const auto& [w, n] : e.ruote) {
            perRuota[static_cast<std::size_t>(w)] = &n;
            giornale += std::string(maiuscole[w]) + "  ";
            for (int x : n)
                giornale += " " + std::to_string(x);
            giornale += "\n";
        }
        giornale += "Numero Oro: " + std::to_string(e.ruote.front().second[0]) + "\n";
        std::string attese, numeri;
        bool classiche = true;
        for (int w = 0; w < 11; ++w) {
            attese += std::string(archive::SigleRuote[static_cast<std::size_t>(w)]) + "\t";
            if (const auto* n = perRuota[static_cast<std::size_t>(w)]) {
                for (int p = 0; p < 5; ++p) {
                    attese += (p ? "-" : "") + due((*n)[static_cast<std::size_t>(p)]);
                    numeri += due((*n)[static_cast<std::size_t>(p)]) + (p == 4 ? "\n" : "\t");
                }
            } else {
                classiche = classiche && w == 10;
            }
            attese += "\n";
        }
        const auto r = leggiEstrazioneIncollata(giornale, e.data);
        ASSERT_TRUE(r.letta) << e.data << ": " << r.motivo;
        ASSERT_EQ(righeEstrazione(r.caselle), attese) << e.data;
        if (classiche && (perRuota[10] != nullptr) == dataConNazionale(e.data)) {
            const auto s = leggiEstrazioneIncollata(numeri, e.data);
            ASSERT_TRUE(s.letta) << e.data << ": " << s.motivo;
            ASSERT_EQ(righeEstrazione(s.caselle), attese) << e.data;
        }
        ++lette;
    }
    EXPECT_GT(lette, 1000);
}

}

TEST(Incolla, OgniEstrazioneDelloStoricoRealeImpaginataERiletta)
{
    const std::string storico = testsupport::percorsoStorico();
    if (storico.empty())
        GTEST_SKIP() << "archivio storico non trovato";
    // The historical file read here on its own: AAAA/MM/GG<TAB>RUOTA<TAB>n1..n5, one wheel a line.
    std::ifstream in(storico);
    std::vector<EstrazioneSorgente> estrazioni;
    for (std::string riga; std::getline(in, riga);) {
        std::istringstream campi(riga);
        std::string data, codice;
        std::array<int, 5> n{};
        if (!(campi >> data >> codice >> n[0] >> n[1] >> n[2] >> n[3] >> n[4]) || data.size() != 10)
            continue;
        const std::string ggmmaaaa = data.substr(8, 2) + "/" + data.substr(5, 2) + "/" + data.substr(0, 4);
        if (estrazioni.empty() || estrazioni.back().data != ggmmaaaa)
            estrazioni.push_back({ggmmaaaa, {}});
        estrazioni.back().ruote.emplace_back(*archive::RuotaDaCodice(codice), n);
    }
    leggeOgniEstrazione(estrazioni);
}

TEST(Incolla, OgniEstrazioneDellArchivioDimostrativoImpaginataERiletta)
{
    const archive::Archivio& a = testsupport::archivioDimostrativo();
    std::vector<EstrazioneSorgente> estrazioni;
    for (int d = 1; d <= a.NumeroEstrazioni; ++d) {
        EstrazioneSorgente e{a.DateEstrazioni[static_cast<std::size_t>(d)], {}};
        // Venezia first, then the others backwards: the reader must not depend on the order.
        for (int w = 10; w >= 0; --w)
            if (a.numero(d, w, 1) > 0)
                e.ruote.emplace_back(w, std::array<int, 5>{a.numero(d, w, 1), a.numero(d, w, 2), a.numero(d, w, 3),
                                                           a.numero(d, w, 4), a.numero(d, w, 5)});
        estrazioni.push_back(std::move(e));
    }
    leggeOgniEstrazione(estrazioni);
}
