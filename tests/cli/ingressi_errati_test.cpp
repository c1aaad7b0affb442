// velmora-cli on bad inputs: every one refused with an Italian message naming the file, a non-zero exit and no table.
#include "storage/FileDiTesto.h"
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using testsupport::lancia;
using testsupport::Uscita;

bool contiene(const std::string& testo, const std::string& parte) { return testo.find(parte) != std::string::npos; }

// Ten draws, 2..20 January 2020: Bari holds d, 10+d, 20+d, 30+d, 40+d in draw d, Cagliari 60..64.
class CliIngressiErrati : public testsupport::SuiteConArchivio<CliIngressiErrati> {
public:
    static std::string storico() { return testsupport::storicoDieciEstrazioni(); }

protected:
    Uscita calcola(const std::string& piramide)
    {
        return lancia({"calcola", "--archivio", archivio, "--piramide", file("piramide.txt", piramide)});
    }
    Uscita abbinamenti(const std::string& percorsoPiramide)
    {
        return lancia({"abbinamenti", "--archivio", archivio, "--piramide", percorsoPiramide, "--livello", "1",
                       "--sorte", "2", "--operatori", "SOM"});
    }
    // What a terminal would choke on: a NUL, another control byte, a byte that is not UTF-8 text.
    static bool stampabile(const std::string& testo)
    {
        return std::none_of(testo.begin(), testo.end(), [](char c) {
            const auto b = static_cast<unsigned char>(c);
            return (b < 0x20 && c != '\n') || b == 0x7F || b == 0xFF || b == 0xFE;
        });
    }
};

TEST_F(CliIngressiErrati, PiramideConOperatoreTipoPosizioneOValoreFuoriRegola)
{
    const std::pair<const char*, const char*> casi[] = {
        {"1\tXYZ\t1\t1\tBA\t\t\t0\n", "riga 1: operatore sconosciuto 'XYZ'"},
        {"\n1\tSOM\t8\t1\tBA\t2\tCA\t0\n", "riga 2: il tipo deve essere fra 1 e 7, non 8"},
        {"1\tSOM\t0\t1\tBA\t2\tCA\t0\n", "il tipo deve essere fra 1 e 7, non 0"},
        {"1\tFIX\t3\t1\tBA\t\t\t999\n", "il valore VAL deve essere fra 0 e 90, non 999"},
        {"1\tFIX\t3\t1\tBA\t\t\t-1\n", "il valore VAL deve essere fra 0 e 90, non -1"},
        {"1\tSOM\t2\t0\tBA\t2\tCA\t0\n", "la posizione E1 deve essere fra 1 e 5, non 0"},
        {"1\tSOM\t2\t\tBA\t2\tCA\t0\n", "la posizione E1 deve essere fra 1 e 5, non 0"},
        {"1\tSOM\t2\t1\tBA\t6\tCA\t0\n", "la posizione E2 deve essere fra 1 e 5, non 6"},
        {"1\tVAL\t4\t6\t\t\t\t5\n", "la posizione E1 deve essere fra 1 e 5, non 6"},
    };
    for (const auto& [piramide, motivo] : casi) {
        const auto u = calcola(piramide);
        EXPECT_EQ(u.codice, 1) << piramide;
        EXPECT_EQ(u.out, "") << piramide;
        EXPECT_TRUE(contiene(u.err, "piramide.txt, ")) << u.err;
        EXPECT_TRUE(contiene(u.err, motivo)) << u.err;
    }
    // The same reader serves abbinamenti.
    const auto u = abbinamenti(file("piramide.txt", "1\tSOM\t9\t1\tBA\t2\tCA\t0\n"));
    EXPECT_EQ(u.codice, 1);
    EXPECT_EQ(u.out, "");
    EXPECT_TRUE(contiene(u.err, "il tipo deve essere fra 1 e 7")) << u.err;

    // The ends of the range are taken: FIX of Bari 1 (10 in draw 10) and 90 is 100, 10; with 0 it is 10.
    const auto estremi = calcola("1\tFIX\t3\t1\tBA\t\t\t90\n2\tFIX\t3\t1\tBA\t\t\t0\n3\tSOM\t2\t5\t0\t5\t1\t\n");
    ASSERT_EQ(estremi.codice, 0) << estremi.err;
    EXPECT_EQ(estremi.out.substr(0, 17), "1\t10\n2\t10\n3\t24\n4\t");   // 3: 50 + 64 = 114 -> 24
}

TEST_F(CliIngressiErrati, FormulaConPosizioneOValoreFuoriRegola)
{
    const std::pair<const char*, const char*> casi[] = {
        {"SOM,2,0,BA,1,CA,", "la posizione P1 deve essere fra 1 e 5, non 0"},
        {"SOM,2,1,BA,6,CA,", "la posizione P2 deve essere fra 1 e 5, non 6"},
        {"SOM,1,6,BA,,,", "la posizione P1 deve essere fra 1 e 5, non 6"},
        {"FIX,3,1,BA,,,999", "il valore VAL deve essere fra 0 e 90, non 999"},
        {"FIX,3,1,BA,,,-1", "il valore VAL deve essere fra 0 e 90, non -1"},
        {"XYZ,1,1,BA,,,", "operatore sconosciuto 'XYZ'"},
    };
    for (const auto& [formula, motivo] : casi) {
        const auto u = lancia({"verifica", "--archivio", archivio, "--formula", formula});
        EXPECT_EQ(u.codice, 2) << formula;
        EXPECT_EQ(u.out, "") << formula;
        EXPECT_TRUE(contiene(u.err, motivo)) << u.err;
    }
    EXPECT_EQ(lancia({"verifica", "--archivio", archivio, "--formula", "FIX,3,1,BA,,,90"}).codice, 0);
}

TEST_F(CliIngressiErrati, RilevazioneSenzaNumeriLoDice)
{
    for (const char* rilevazione : {"Numeri", "Distanza", "Differenza", "Somma", "Decina", "Figura", "Cadenza"}) {
        const Uscita prove[] = {
            lancia({"casi", "--archivio", archivio, "--rilevazione", rilevazione}),
            lancia({"ambate", "--archivio", archivio, "--rilevazione", rilevazione, "--operatori", "SOM"}),
        };
        for (const auto& u : prove) {
            EXPECT_EQ(u.codice, 2) << rilevazione;
            EXPECT_EQ(u.out, "") << rilevazione;
            EXPECT_TRUE(contiene(u.err, std::string("la rilevazione ") + rilevazione)) << u.err;
            EXPECT_TRUE(contiene(u.err, "--numeri")) << u.err;
        }
    }
    EXPECT_EQ(lancia({"casi", "--archivio", archivio, "--rilevazione", "Mensile"}).codice, 0);
}

TEST_F(CliIngressiErrati, OperatoreSoloSulleEstrazioniDellArchivio)
{
    // Draw 10, Bari 10 20 30 40 50: SOMN of five is 150, 60; MAG5 is 50. Draws 0 and 11 do not exist.
    const auto u = lancia({"operatore", "--stdin", "--archivio", archivio},
                          "SOMN\t0\t0\t0\t10\t0\t5\t0\t0\n"
                          "SOMN\t0\t0\t0\t11\t0\t5\t0\t0\n"
                          "MAG5\t0\t0\t0\t10\t0\t0\t0\t0\n"
                          "MAG5\t0\t0\t0\t11\t0\t0\t0\t0\n"
                          "MIN5\t0\t0\t0\t0\t0\t0\t0\t0\n"
                          "MED2\t0\t0\t0\t9999\t0\t1\t1\t1\n");
    ASSERT_EQ(u.codice, 0) << u.err;
    EXPECT_EQ(u.out, "60\nERRORE\n50\nERRORE\nERRORE\nERRORE\n");

    // An endless line on standard input is refused, not accumulated.
    const auto infinita = lancia({"operatore", "--stdin"}, "SOM\t1\t2\t0\t0\t0\t0\t0\t0\n" + std::string(100000, '7'));
    EXPECT_EQ(infinita.codice, 1);
    EXPECT_EQ(infinita.out, "3\n");
    EXPECT_TRUE(contiene(infinita.err, "la riga 2 dell'ingresso standard è più lunga di 4096 caratteri")) << infinita.err;
}

TEST_F(CliIngressiErrati, CartellaComeFileRifiutata)
{
    const std::string cartellaVuota = (cartella / "vuota").string();
    std::filesystem::create_directories(cartellaVuota);
    const Uscita prove[] = {
        lancia({"calcola", "--archivio", archivio, "--piramide", cartellaVuota}),
        abbinamenti(cartellaVuota),
        lancia({"ambate", "--archivio", archivio, "--operatori", "SOM", "--casi-scoperti", cartellaVuota}),
        lancia({"importa-storico", cartellaVuota, (cartella / "nuovo.db").string()}),
        lancia({"controlla", archivio, cartellaVuota}),
    };
    for (const auto& u : prove) {
        EXPECT_EQ(u.codice, 1) << u.err;
        EXPECT_EQ(u.out, "");
        EXPECT_TRUE(contiene(u.err, "\"" + cartellaVuota + "\": è una cartella, non un file")) << u.err;
    }
    EXPECT_FALSE(std::filesystem::exists(cartella / "nuovo.db"));
}

TEST_F(CliIngressiErrati, FileSenzaFineORigheInfiniteRifiutatiSubito)
{
    const std::string rigaLunga(5000, '1');
    const std::string lunga = file("lunga.txt", "1\n" + rigaLunga + "\n");
    // A sparse file: as large as the limit says, without writing it.
    const std::string enorme = (cartella / "enorme.txt").string();
    file("enorme.txt", "");
    std::filesystem::resize_file(enorme, storage::DimensioneMassimaFileDiTesto + 1);
    for (const auto& [percorso, motivo] :
         {std::pair{lunga, std::string("la riga 2 è più lunga di 4096 caratteri")},
          std::pair{enorme, std::string("è troppo grande")}}) {
        const Uscita prove[] = {
            lancia({"calcola", "--archivio", archivio, "--piramide", percorso}),
            lancia({"ambate", "--archivio", archivio, "--operatori", "SOM", "--casi-scoperti", percorso}),
            lancia({"importa-storico", percorso, (cartella / "nuovo.db").string()}),
            lancia({"controlla", archivio, percorso}),
        };
        for (const auto& u : prove) {
            EXPECT_EQ(u.codice, 1) << u.err;
            EXPECT_TRUE(contiene(u.err, "\"" + percorso + "\": " + motivo)) << u.err;
        }
    }
    if (std::filesystem::exists("/dev/zero")) {
        const auto u = lancia({"importa-storico", "/dev/zero", (cartella / "nuovo.db").string()});
        EXPECT_EQ(u.codice, 1);
        EXPECT_TRUE(contiene(u.err, "\"/dev/zero\": la riga 1 è più lunga")) << u.err;
    }
    EXPECT_FALSE(std::filesystem::exists(cartella / "nuovo.db"));
}

TEST_F(CliIngressiErrati, MarcaUtf8InTestaAccettata)
{
    const std::string piramide = "1\tSOM\t2\t1\tBA\t1\tCA\t\n";
    const auto senza = calcola(piramide);
    const auto con = calcola("\xEF\xBB\xBF" + piramide);
    ASSERT_EQ(con.codice, 0) << con.err;
    EXPECT_EQ(con.out.substr(0, 5), "1\t70\n");   // Bari 10 + Cagliari 60
    EXPECT_EQ(con.out, senza.out);
    const auto casi = lancia({"ambate", "--archivio", archivio, "--operatori", "SOM", "--casi-scoperti",
                              file("casi.txt", "\xEF\xBB\xBF" "1\n")});
    // Case 1 read through the mark: the only case is covered, and nothing is left to verify.
    EXPECT_TRUE(contiene(casi.err, "tutti i casi sono segnati come già coperti")) << casi.err;
}

TEST_F(CliIngressiErrati, MessaggiMostranoUnEstrattoStampabile)
{
    const auto binario = calcola(std::string("1\tSOM\t2\x00\xFF\x01\t1\tBA\t1\tCA\t\n", 23));
    EXPECT_EQ(binario.codice, 1);
    EXPECT_TRUE(contiene(binario.err, "valore non numerico '2\\x00\\xFF\\x01'")) << binario.err;
    EXPECT_TRUE(stampabile(binario.err)) << binario.err;

    // A historical file saved as UTF-16: its bytes are shown, and a NUL no longer ends the message.
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("2020/01/02\tBA\t1\t2\t3\t4\t5\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    const auto storico = lancia({"importa-storico", file("utf16.txt", utf16), (cartella / "nuovo.db").string()});
    EXPECT_EQ(storico.codice, 1);
    EXPECT_TRUE(contiene(storico.err, "\\xFF\\xFE2\\x000\\x00")) << storico.err;
    EXPECT_TRUE(contiene(storico.err, "(atteso AAAA/MM/GG)")) << storico.err;
    EXPECT_TRUE(stampabile(storico.err)) << storico.err;

    const auto opzione = lancia({"casi", "--archivio", archivio, "--ruota", "B\x01\xFF" "A"});
    EXPECT_EQ(opzione.codice, 2);
    EXPECT_TRUE(contiene(opzione.err, "ruota sconosciuta: 'B\\x01\\xFFA'")) << opzione.err;
    EXPECT_TRUE(stampabile(opzione.err));
}

TEST(EstrattoStampabile, TestoValidoRestaByteErratiVisibili)
{
    using storage::estratto;
    EXPECT_EQ(estratto("05-12-33"), "05-12-33");
    EXPECT_EQ(estratto("città più"), "città più");   // Italian text is text
    EXPECT_EQ(estratto(std::string("a\0b", 3)), "a\\x00b");
    EXPECT_EQ(estratto("\xC3"), "\\xC3");            // a sequence cut short
    EXPECT_EQ(estratto("\xC0\xAF"), "\\xC0\\xAF");   // an overlong '/'
    EXPECT_EQ(estratto("\xEF\xBB\xBFx"), "\\xEF\\xBB\\xBFx");
    EXPECT_EQ(estratto("\t\r\x7F"), "\\x09\\x0D\\x7F");
    EXPECT_EQ(estratto(std::string(50, 'x')), std::string(40, 'x') + "...");
    EXPECT_EQ(estratto(std::string(40, 'x')), std::string(40, 'x'));
}

TEST(CliAiuto, AbbinamentiSpiegaLivelloUnaVolta)
{
    const auto u = lancia({"abbinamenti", "--help"});
    ASSERT_EQ(u.codice, 0);
    std::size_t righeLivello = 0;
    for (const auto& riga : testsupport::righe(u.out))
        if (riga.rfind("  --livello", 0) == 0) {
            ++righeLivello;
            EXPECT_TRUE(contiene(riga, "livello della piramide")) << riga;
        }
    EXPECT_EQ(righeLivello, 1u);
    // The other workbench commands keep the sorte of the level verification.
    EXPECT_TRUE(contiene(lancia({"casi", "--help"}).out, "  --livello S            sorte della verifica"));
}

}
