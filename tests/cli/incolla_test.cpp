// velmora-cli incolla: a pasted draw printed as read, refused with its reason, stored through SALVA's checks and questions.
#include "support/Cli.h"

#include <gtest/gtest.h>

namespace {

using testsupport::lancia;

// Four complete draws of August 2026 on the draw days Tuesday, Thursday, Friday, Saturday.
std::string storicoAgosto()
{
    std::string s;
    const char* sigle[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
    for (int g : {18, 20, 21, 22})
        for (int w = 0; w < 11; ++w)
            s += testsupport::rigaStorico(2026, 8, g, sigle[w], {w * 5 + 1, w * 5 + 2, w * 5 + 3, w * 5 + g, 90 - w});
    return s;
}

// A results page of a draw with the given Bari (the other wheels as in the archive's last draw but one number).
std::string pagina(const std::string& bari, bool nazionale = true)
{
    return "Estrazione del Lotto di martedì 25 agosto 2026 - n° 102\n"
           "BARI " + bari + "\nCAGLIARI 6 7 8 30 89\nFIRENZE 11 12 13 30 88\nGENOVA 16 17 18 30 87\n"
           "MILANO 21 22 23 30 86\nNAPOLI 26 27 28 30 85\nPALERMO 31 32 33 30 84\nROMA 36 37 38 30 83\n"
           "TORINO 41 42 43 30 82\nVENEZIA 46 47 48 30 81\n"
        + std::string(nazionale ? "NAZIONALE 51 52 53 30 80\n" : "") + "Numero Oro 5\n";
}

const char* const Lette = "BA\t05-12-33-44-90\nCA\t06-07-08-30-89\nFI\t11-12-13-30-88\nGE\t16-17-18-30-87\n"
                          "MI\t21-22-23-30-86\nNA\t26-27-28-30-85\nPA\t31-32-33-30-84\nRO\t36-37-38-30-83\n"
                          "TO\t41-42-43-30-82\nVE\t46-47-48-30-81\nNZ\t51-52-53-30-80\n";

std::string info(const std::string& archivio) { return lancia({"info", archivio}).out; }

}

TEST(CliIncolla, StampaLeRuoteLetteORifiutaSenzaScrivere)
{
    testsupport::ArchivioDaStorico a(storicoAgosto());
    const std::string prima = info(a.archivio);

    auto e = lancia({"incolla", a.archivio, "25/08/2026"}, pagina("5 12 33 44 90"));
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, Lette);
    // From a file, and a Nazionale not drawn is an empty field.
    const std::string file = a.cartella.scrivi("pagina.txt", pagina("5 12 33 44 90", false));
    e = lancia({"incolla", a.archivio, "25/08/2026", file});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out.substr(e.out.rfind("VE")), "VE\t46-47-48-30-81\nNZ\t\n");

    // A wheel with four numbers: exit 1, the reason, nothing printed or written.
    e = lancia({"incolla", a.archivio, "25/08/2026", "-", "--salva"}, pagina("5 12 33 44"));
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err, "velmora-cli incolla: Estrazione non letta: la ruota di Bari ha 4 numeri invece di cinque (riga 2: "
                     "\"BARI 5 12 33 44\"). Nulla è stato scritto.\n");
    e = lancia({"incolla", a.archivio, "25/08/2026", a.cartella.file("manca.txt")});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("manca.txt"), std::string::npos) << e.err;
    EXPECT_EQ(lancia({"incolla", a.archivio, "31/02/2026"}, pagina("5 12 33 44 90")).codice, 2);
    EXPECT_EQ(lancia({"incolla", a.archivio, "25/08/2026", "--conferma"}, pagina("5 12 33 44 90")).codice, 2);
    EXPECT_EQ(info(a.archivio), prima);
}

TEST(CliIncolla, SalvaConIControlliEleDomandeDiSalva)
{
    testsupport::ArchivioDaStorico a(storicoAgosto());
    ASSERT_EQ(info(a.archivio), "{\"estrazioni\":4,\"prima\":\"18/08/2026\",\"ultima\":\"22/08/2026\"}\n");

    // Tuesday after Saturday: nothing to ask.
    auto e = lancia({"incolla", a.archivio, "25/08/2026", "--salva"}, pagina("5 12 33 44 90"));
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, std::string(Lette) + "salvata l'estrazione del 25/08/2026 nell'archivio \"" + a.archivio
                         + "\" (5 estrazioni)\n");
    const std::string elenco = lancia({"estrazioni", a.archivio}).out;
    const std::string ultima = elenco.substr(elenco.rfind("5\t25/08/2026\t"));
    EXPECT_EQ(ultima.substr(ultima.find("\t5\t12\t")),
              "\t5\t12\t33\t44\t90\t6\t7\t8\t30\t89\t11\t12\t13\t30\t88\t16\t17\t18\t30\t87\t21\t22\t23"
              "\t30\t86\t26\t27\t28\t30\t85\t31\t32\t33\t30\t84\t36\t37\t38\t30\t83\t41\t42\t43\t30\t82\t46\t47\t48\t30\t81"
              "\t51\t52\t53\t30\t80\n");

    // The same date again is refused before anything else.
    e = lancia({"incolla", a.archivio, "25/08/2026", "--salva", "--conferma"}, pagina("1 2 3 4 5"));
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("L'estrazione del 25/08/2026 è già memorizzata (n° indice 5)"), std::string::npos) << e.err;
    // A date after today likewise, whatever --conferma says.
    e = lancia({"incolla", a.archivio, "25/08/2099", "--salva", "--conferma"}, pagina("1 2 3 4 5"));
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("è successiva a oggi"), std::string::npos) << e.err;

    // Saturday 29/08 after Tuesday 25/08, with the numbers of the 25th still in the boxes: two
    // questions, each a refusal without --conferma.
    e = lancia({"incolla", a.archivio, "29/08/2026", "--salva"}, pagina("5 12 33 44 90"));
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "velmora-cli incolla: Tra l'ultima estrazione in archivio (25/08/2026) e il 29/08/2026 mancano le "
                     "estrazioni di giovedì 27/08/2026 e venerdì 28/08/2026. Salvare comunque l'estrazione del 29/08/2026?\n"
                     "I numeri sono identici, ruota per ruota, a quelli dell'estrazione precedente del 25/08/2026: forse "
                     "le caselle non sono state aggiornate. Salvare comunque?\n"
                     "Il testo incollato porta la data 25/08/2026, non il 29/08/2026 scelto per l'estrazione. Salvare "
                     "comunque l'estrazione con la data 29/08/2026?\n"
                     "Nulla è stato scritto: con --conferma l'estrazione viene salvata comunque.\n");
    EXPECT_EQ(info(a.archivio), "{\"estrazioni\":5,\"prima\":\"18/08/2026\",\"ultima\":\"25/08/2026\"}\n");

    // A Sunday without the Nazionale, three draw days after the last: confirmed.
    e = lancia({"incolla", a.archivio, "30/08/2026", "--salva"}, pagina("1 2 3 4 5", false));
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("Il 30/08/2026 è una domenica"), std::string::npos) << e.err;
    EXPECT_NE(e.err.find("mancano le estrazioni di giovedì 27/08/2026, venerdì 28/08/2026 e sabato 29/08/2026"),
              std::string::npos) << e.err;
    EXPECT_NE(e.err.find("La ruota Nazionale è vuota"), std::string::npos) << e.err;
    e = lancia({"incolla", a.archivio, "30/08/2026", "--salva", "--conferma"}, pagina("1 2 3 4 5", false));
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(info(a.archivio), "{\"estrazioni\":6,\"prima\":\"18/08/2026\",\"ultima\":\"30/08/2026\"}\n");

    // A text that leaves Bari out is printed as read, said, and not stored, --conferma or not.
    std::string senzaBari = pagina("1 2 3 4 5");
    senzaBari.erase(senzaBari.find("BARI"), senzaBari.find("CAGLIARI") - senzaBari.find("BARI"));
    e = lancia({"incolla", a.archivio, "01/09/2026", "--salva", "--conferma"}, senzaBari);
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.out.substr(0, 4), "BA\t\n");
    EXPECT_EQ(e.err, "velmora-cli incolla: Il testo non contiene la ruota di Bari: è rimasta vuota. Nulla è stato scritto.\n");
    EXPECT_EQ(info(a.archivio), "{\"estrazioni\":6,\"prima\":\"18/08/2026\",\"ultima\":\"30/08/2026\"}\n");
}

namespace {

// Twelve weeks of Tuesdays, Thursdays, Fridays and Saturdays, 02/06/2026 to 22/08/2026, with the
// one-off Monday draw of 17/08/2026; Bari differs from draw to draw.
std::string storicoConLunediUnico()
{
    std::string s;
    const char* sigle[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
    int k = 0;
    for (const auto& [mese, giorni] : std::vector<std::pair<int, std::vector<int>>>{
             {6, {2, 4, 5, 6, 9, 11, 12, 13, 16, 18, 19, 20, 23, 25, 26, 27, 30}},
             {7, {2, 3, 4, 7, 9, 10, 11, 14, 16, 17, 18, 21, 23, 24, 25, 28, 30, 31}},
             {8, {1, 4, 6, 7, 8, 11, 13, 14, 15, 17, 18, 20, 21, 22}}})
        for (int g : giorni) {
            ++k;
            for (int w = 0; w < 11; ++w)
                s += testsupport::rigaStorico(2026, mese, g, sigle[w],
                                              {w == 0 ? 10 + k : w * 5 + 1, w * 5 + 2, w * 5 + 3, w * 5 + 4, 90 - w});
        }
    return s;
}

}

TEST(CliIncolla, DataFraDueEstrazioniEGiornoUnicoSulCalendarioReale)
{
    testsupport::ArchivioDaStorico a(storicoConLunediUnico());
    const std::string prima = info(a.archivio);
    ASSERT_EQ(prima, "{\"estrazioni\":49,\"prima\":\"02/06/2026\",\"ultima\":\"22/08/2026\"}\n");

    // Wednesday 19/08 between two stored draws: a refusal naming the fact, nothing written.
    auto e = lancia({"incolla", a.archivio, "19/08/2026", "--salva"}, pagina("5 12 33 44 90"));
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("velmora-cli incolla: Il 19/08/2026 è un mercoledì fra due estrazioni già in archivio (18/08 e "
                         "20/08): le estrazioni successive cambieranno numero. Salvare comunque?\n"),
              std::string::npos)
        << e.err;
    EXPECT_EQ(info(a.archivio), prima);

    // Tuesday 25/08 after Saturday 22/08: the Monday of 17/08 is no draw day, nothing to ask.
    e = lancia({"incolla", a.archivio, "25/08/2026", "--salva"}, pagina("5 12 33 44 90"));
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(info(a.archivio), "{\"estrazioni\":50,\"prima\":\"02/06/2026\",\"ultima\":\"25/08/2026\"}\n");

    // Confirmed, the Wednesday takes its place and the later draws move one index on.
    e = lancia({"incolla", a.archivio, "19/08/2026", "--salva", "--conferma"}, pagina("1 2 3 4 5"));
    ASSERT_EQ(e.codice, 0) << e.err;
    const std::string elenco = lancia({"estrazioni", a.archivio}).out;
    EXPECT_NE(elenco.find("\n47\t19/08/2026\t"), std::string::npos);
    EXPECT_NE(elenco.find("\n48\t20/08/2026\t"), std::string::npos);
}

TEST(CliIncolla, NazionalePrimaDel2005RifiutataDaOgniIngresso)
{
    testsupport::CartellaTemporanea dir;
    // The historical import names the line.
    const std::string storico = dir.scrivi("s.txt", testsupport::rigaStorico(2004, 5, 1, "BA", {1, 2, 3, 4, 5})
                                                        + testsupport::rigaStorico(2004, 5, 1, "RN", {6, 7, 8, 9, 10}));
    auto e = lancia({"importa-storico", storico, dir.file("a.db")});
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("Riga 2 del file storico non valida: la ruota Nazionale il 01/05/2004, ma la Nazionale è estratta "
                         "dal 04/05/2005"),
              std::string::npos)
        << e.err;

    // incolla --salva, even with --conferma.
    testsupport::ArchivioDaStorico a(testsupport::rigaStorico(2004, 5, 1, "BA", {1, 2, 3, 4, 5}));
    e = lancia({"incolla", a.archivio, "04/05/2004", "--salva", "--conferma"}, pagina("5 12 33 44 90"));
    EXPECT_EQ(e.codice, 1);
    EXPECT_NE(e.err.find("L'estrazione del 04/05/2004 ha i numeri della ruota Nazionale, che è estratta solo dal 04/05/2005"),
              std::string::npos)
        << e.err;

    // An update file: the row is listed with its reason and not written.
    testsupport::ArchivioDaStorico b(testsupport::rigaStorico(2005, 5, 4, "BA", {1, 2, 3, 4, 5})
                                     + testsupport::rigaStorico(2005, 5, 4, "RN", {6, 7, 8, 9, 10}));
    std::string riga = lancia({"aggiornamento", b.archivio}).out;
    ASSERT_EQ(riga.size(), 180u);
    riga.replace(0, 10, "08/05/2004");
    e = lancia({"controlla", a.archivio, dir.scrivi("agg.txt", riga), "--applica"});
    EXPECT_NE(e.out.find("Estrazione del 08/05/2004 non aggiornata: ha i numeri della ruota Nazionale, che è estratta dal "
                         "04/05/2005"),
              std::string::npos)
        << e.out << e.err;
    EXPECT_EQ(info(a.archivio), "{\"estrazioni\":1,\"prima\":\"01/05/2004\",\"ultima\":\"01/05/2004\"}\n");
}
