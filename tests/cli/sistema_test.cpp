// velmora-cli sistema: tickets on standard output, size, bound, checked guarantee and cost on standard error.
#include "support/Cli.h"

#include <gtest/gtest.h>

using testsupport::lancia;
using testsupport::righe;

TEST(CliSistema, RidottoIntegraleERendimento)
{
    // Pairs of 13 numbers by tickets of 4: the projective plane of order 3, 13 tickets, the bound itself.
    const auto p = lancia({"sistema", "--numeri", "05-12-33-40-41-42-50-61-62-70-77-80-90", "--classe", "4", "--garanzia", "2", "--se", "2"});
    ASSERT_EQ(p.codice, 0) << p.err;
    const auto biglietti = righe(p.out);
    ASSERT_EQ(biglietti.size(), 13U);
    EXPECT_EQ(biglietti[0], "05-12-40-70");
    EXPECT_EQ(righe(p.err), (std::vector<std::string>{
                                "13 biglietti (limite inferiore 13, rapporto 1,00) - piano proiettivo di ordine 3",
                                "garanzia verificata su tutte le 78 coppie",
                                "poste per biglietto e ruota: 1,00 estratto, 1,00 ambo, 1,00 terno, 1,00 quaterna; 52,00 euro a "
                                "estrazione su una ruota; ritorno atteso 22,32 euro (resa 42,9%, quella di un solo biglietto)"}));

    // The integral system in lexicographic order, with its rendimento for 1 euro on the ambo:
    // two out, 6 of the 15 tickets hold both (250 / 6 each, 230 net in all).
    const auto i = lancia({"sistema", "--numeri", "77-5-12-33-40-61", "--classe", "4", "--integrale", "--rendimento", "--poste", "0/1/0/0/0"});
    ASSERT_EQ(i.codice, 0) << i.err;
    const auto r = righe(i.out);
    ASSERT_EQ(r.size(), 15U + 1 + 7);
    EXPECT_EQ(r[0], "05-12-33-40");
    EXPECT_EQ(r[14], "33-40-61-77");
    EXPECT_EQ(r[15], "");
    EXPECT_EQ(r[16], "Usciti\tCasi\tEstratto\tAmbo\tTerno\tQuaterna\tCinquina\tPremio minimo\tPremio massimo");
    EXPECT_EQ(r[19], "2\t15\t14\t6\t0\t0\t—\t230,00\t230,00");
    EXPECT_EQ(righe(i.err)[0], "15 biglietti - sistema integrale");
    EXPECT_EQ(righe(i.err)[1], "garanzia verificata su tutte le 15 quartine");
}

TEST(CliSistema, RichiesteErrate)
{
    const auto senzaGaranzia = lancia({"sistema", "--numeri", "1-2-3-4-5-6", "--classe", "3"});
    EXPECT_EQ(senzaGaranzia.codice, 2);
    EXPECT_NE(senzaGaranzia.err.find("indicare la garanzia con --garanzia e --se"), std::string::npos);
    const auto classe = lancia({"sistema", "--numeri", "1-2-3", "--classe", "4", "--garanzia", "2", "--se", "2"});
    EXPECT_EQ(classe.codice, 2);
    EXPECT_NE(classe.err.find("la classe (4) supera i numeri giocati (3)"), std::string::npos);
    const auto ripetuto = lancia({"sistema", "--numeri", "1-2-2-4", "--classe", "2", "--garanzia", "2", "--se", "2"});
    EXPECT_EQ(ripetuto.codice, 2);
    EXPECT_NE(ripetuto.err.find("il 2 è ripetuto"), std::string::npos);
    EXPECT_EQ(lancia({"sistema", "--numeri", "1-2-3-4", "--classe", "2", "--garanzia", "2", "--se", "2", "--poste", "1/x/0/0/0"}).codice, 2);
    EXPECT_TRUE(senzaGaranzia.out.empty());
}
