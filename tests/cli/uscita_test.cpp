// velmora-cli on an output that stops taking bytes (full disk, closed pipe): never a silent success.
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

namespace {

// Standard output on a disk with `spazio` bytes free: what does not fit fails the write.
class UscitaPiena : public std::streambuf {
public:
    explicit UscitaPiena(std::size_t spazio) : spazio_(spazio) {}
    std::string scritto;

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        if (scritto.size() >= spazio_)
            return traits_type::eof();
        scritto += traits_type::to_char_type(c);
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        const auto presi = std::min<std::size_t>(static_cast<std::size_t>(n), spazio_ - scritto.size());
        scritto.append(s, presi);
        return static_cast<std::streamsize>(presi);
    }

private:
    std::size_t spazio_;
};

class CliUscita : public testsupport::SuiteConArchivio<CliUscita> {
public:
    static std::string storico() { return testsupport::storicoDieciEstrazioni(); }
};

}

TEST_F(CliUscita, UnaScritturaNonRiuscitaNonESuccesso)
{
    const std::string giocate = file("giocate.txt", "01-02-03;BA,CA;1/1/0/0/0;02/01/2020;10\n");
    const std::string pagina = "BARI 1 2 3 4 5\nCAGLIARI 6 7 8 9 10\nFIRENZE 11 12 13 14 15\nGENOVA 16 17 18 19 20\n"
                               "MILANO 21 22 23 24 25\nNAPOLI 26 27 28 29 30\nPALERMO 31 32 33 34 35\nROMA 36 37 38 39 40\n"
                               "TORINO 41 42 43 44 45\nVENEZIA 46 47 48 49 50\nNAZIONALE 51 52 53 54 55\n";
    const std::vector<std::vector<std::string>> comandi = {
        {"info", archivio},
        {"estrazioni", archivio},
        {"statistiche", "--archivio", archivio},
        {"giocate", "--archivio", archivio, giocate},
        {"incolla", archivio, "22/01/2020"},
        {"convalida", "--archivio", archivio, "--rilevazione", "Numeri", "--numeri", "03", "--ruote", "CA", "--operatori", "NUM",
         "--colpi", "3", "--dal-rif", "3", "--al-rif", "8"},
        {"operatori"},
        {"ambate", "--archivio", archivio, "--rilevazione", "Numeri", "--numeri", "03", "--ruote", "CA", "--operatori", "NUM",
         "--rif", "5"},
        {"aggiornamento", archivio},
        {"--help"},
        {"info", "--help"},
    };
    for (const auto& argomenti : comandi) {
        SCOPED_TRACE(argomenti[0] + (argomenti.size() > 1 ? " " + argomenti[1] : ""));
        // The whole output on an ample disk first: the command works and prints more than 20 bytes.
        const auto intera = testsupport::lancia(argomenti, pagina);
        ASSERT_EQ(intera.codice, 0) << intera.err;
        ASSERT_GT(intera.out.size(), 20u);

        for (const std::size_t spazio : {std::size_t(0), std::size_t(20), intera.out.size() - 1}) {
            UscitaPiena piena(spazio);
            std::ostream out(&piena);
            std::istringstream in(pagina);
            std::ostringstream err;
            const int codice = cli::esegui(argomenti, in, out, err);
            EXPECT_EQ(codice, cli::EsitoErroreDati) << spazio;
            EXPECT_NE(err.str().find("impossibile scrivere tutto sullo standard output (disco pieno o uscita chiusa): quanto "
                                     "scritto è incompleto\n"),
                      std::string::npos)
                << err.str();
        }
    }
}
