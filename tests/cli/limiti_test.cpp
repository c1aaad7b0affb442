// velmora-cli readers of outside text: bounded at once, and their failures said in Italian naming what they read.
#include "maintenance/Incolla.h"
#include "support/Cli.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ios>
#include <sstream>
#include <streambuf>

namespace {

// An endless source of digits (as /dev/urandom piped through tr would be), counting what it gave.
class FonteInfinita : public std::streambuf {
public:
    std::size_t dati = 0;

protected:
    int_type underflow() override
    {
        blocco_.assign(4096, '7');
        for (std::size_t i = 2; i < blocco_.size(); i += 3)
            blocco_[i] = ' ';
        dati += blocco_.size();
        setg(blocco_.data(), blocco_.data(), blocco_.data() + blocco_.size());
        return traits_type::to_int_type(blocco_[0]);
    }

private:
    std::string blocco_;
};

// Standard input closed: the C++ library's read fails with its own English words.
class IngressoChiuso : public std::streambuf {
protected:
    int_type underflow() override
    {
        errno = EBADF;
        throw std::ios_base::failure("basic_filebuf::underflow error reading the file: Bad file descriptor");
    }
};

testsupport::Uscita lanciaCon(std::streambuf& fonte, const std::vector<std::string>& argomenti)
{
    std::istream in(&fonte);
    std::ostringstream out, err;
    const int codice = cli::esegui(argomenti, in, out, err);
    return {codice, out.str(), err.str()};
}

}

TEST(CliLimiti, IncollaLeggeAlPiuUnMegabyteEDiceInItalianoCosaNonHaLetto)
{
    testsupport::CartellaTemporanea dir;
    const std::string archivio = dir.file("archivio.db");

    // An endless standard input: refused once past the limit, not read to the end of memory.
    FonteInfinita infinita;
    auto u = lanciaCon(infinita, {"incolla", archivio, "25/08/2026"});
    EXPECT_EQ(u.codice, 1);
    EXPECT_EQ(u.err, "velmora-cli incolla: Impossibile leggere lo standard input: è troppo grande per essere un file di "
                     "questo tipo (più di 1 MB)\n");
    EXPECT_LE(infinita.dati, 1024u * 1024u + 65536u + 4096u);
    EXPECT_EQ(u.out, "");

    // A file just past the limit, refused before it is read; one just within reaches the reader.
    const std::string grande = dir.scrivi("grande.txt", std::string(1024 * 1024 + 1, ' '));
    u = testsupport::lancia({"incolla", archivio, "25/08/2026", grande});
    EXPECT_EQ(u.codice, 1);
    EXPECT_EQ(u.err, "velmora-cli incolla: Impossibile leggere il file \"" + grande
                         + "\": è troppo grande per essere un file di questo tipo (più di 1 MB)\n");
    const std::string entro = dir.scrivi("entro.txt", std::string(1024 * 1024, ' '));
    u = testsupport::lancia({"incolla", archivio, "25/08/2026", entro});
    EXPECT_EQ(u.codice, 1);
    EXPECT_NE(u.err.find("Estrazione non letta"), std::string::npos) << u.err;

    // A folder and a closed standard input: said in Italian, naming what could not be read.
    u = testsupport::lancia({"incolla", archivio, "25/08/2026", dir.percorso().string()});
    EXPECT_EQ(u.err, "velmora-cli incolla: Impossibile leggere il file \"" + dir.percorso().string()
                         + "\": è una cartella, non un file\n");
    IngressoChiuso chiuso;
    u = lanciaCon(chiuso, {"incolla", archivio, "25/08/2026", "-"});
    EXPECT_EQ(u.codice, 1);
    EXPECT_EQ(u.err, "velmora-cli incolla: Impossibile leggere lo standard input: non è aperto in lettura (ingresso chiuso)\n");
    u = lanciaCon(chiuso, {"operatore", "--stdin"});
    EXPECT_EQ(u.codice, 1);
    EXPECT_EQ(u.err, "velmora-cli operatore: impossibile leggere l'ingresso standard: non è aperto in lettura (ingresso chiuso)\n");
}

TEST(CliLimiti, IlLettoreDelTestoIncollatoRifiutaUnTestoEnorme)
{
    // What the window hands over from a 20 MB clipboard: refused as a whole, at once.
    const std::string enorme(20u * 1024u * 1024u, '5');
    const auto lettura = maintenance::leggiEstrazioneIncollata(enorme, "25/08/2026");
    EXPECT_FALSE(lettura.letta);
    EXPECT_EQ(lettura.motivo, "Estrazione non letta: il testo è troppo lungo per essere un'estrazione (più di 1 MB).");
}
