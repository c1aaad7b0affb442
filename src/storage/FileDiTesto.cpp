// Outside text files read with limits, and printable excerpts of their bytes.
#include "storage/FileDiTesto.h"

#include <filesystem>
#include <fstream>

namespace storage {

namespace {

// Length of the valid UTF-8 sequence at the start of `s` (a printable character), or 0.
std::size_t sequenzaUtf8(std::string_view s)
{
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    if (c >= 0x20 && c < 0x7F)
        return 1;
    std::size_t n = 0;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4;
    if (n == 0 || s.size() < n)
        return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((b(i) & 0xC0) != 0x80)
            return 0;
    // Overlong forms, surrogates and the byte-order mark are not text worth showing as such.
    if ((c == 0xE0 && b(1) < 0xA0) || (c == 0xED && b(1) >= 0xA0) || (c == 0xF0 && b(1) < 0x90)
        || (c == 0xF4 && b(1) >= 0x90) || s.substr(0, 3) == "\xEF\xBB\xBF")
        return 0;
    // C1 controls (U+0080..U+009F).
    if (c == 0xC2 && b(1) < 0xA0)
        return 0;
    return n;
}

[[noreturn]] void rifiuta(const std::string& cosa, const std::string& percorso, const std::string& motivo)
{
    throw ErroreFileDiTesto("Impossibile leggere " + cosa + " \"" + percorso + "\": " + motivo);
}

}

std::string estratto(std::string_view testo, std::size_t massimo)
{
    static constexpr char Esadecimali[] = "0123456789ABCDEF";
    std::string esito;
    std::size_t caratteri = 0;
    std::size_t i = 0;
    while (i < testo.size() && caratteri < massimo) {
        const std::size_t n = sequenzaUtf8(testo.substr(i));
        if (n > 0) {
            esito.append(testo.substr(i, n));
            i += n;
        } else {
            const auto c = static_cast<unsigned char>(testo[i++]);
            esito += "\\x";
            esito += Esadecimali[c >> 4];
            esito += Esadecimali[c & 0xF];
        }
        ++caratteri;
    }
    if (i < testo.size())
        esito += "...";
    return esito;
}

std::string leggiFileDiTesto(const std::string& percorso, const std::string& cosa)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto stato = fs::status(percorso, ec);
    if (fs::is_directory(stato))
        rifiuta(cosa, percorso, "è una cartella, non un file");
    // A regular file is measured before it is read; a pipe or a device is counted as it goes.
    if (fs::is_regular_file(stato)) {
        const auto dimensione = fs::file_size(percorso, ec);
        if (!ec && dimensione > DimensioneMassimaFileDiTesto)
            rifiuta(cosa, percorso, "è troppo grande per essere un file di questo tipo (più di 64 MB)");
    }
    std::ifstream in(percorso, std::ios::binary);
    if (!in)
        rifiuta(cosa, percorso, "il file non esiste o non si può aprire");

    std::string testo;
    std::size_t lunghezzaRiga = 0;
    std::size_t riga = 1;
    char blocco[65536];
    while (in) {
        in.read(blocco, sizeof blocco);
        const auto letti = static_cast<std::size_t>(in.gcount());
        if (letti == 0)
            break;
        if (testo.size() + letti > DimensioneMassimaFileDiTesto)
            rifiuta(cosa, percorso, "è troppo grande per essere un file di questo tipo (più di 64 MB)");
        for (std::size_t k = 0; k < letti; ++k) {
            if (blocco[k] == '\n') {
                lunghezzaRiga = 0;
                ++riga;
            } else if (++lunghezzaRiga > RigaMassimaFileDiTesto) {
                rifiuta(cosa, percorso,
                        "la riga " + std::to_string(riga) + " è più lunga di " + std::to_string(RigaMassimaFileDiTesto)
                            + " caratteri: non è un file di testo di questo tipo");
            }
        }
        testo.append(blocco, letti);
    }
    if (in.bad())
        rifiuta(cosa, percorso, "lettura non riuscita");
    if (testo.rfind("\xEF\xBB\xBF", 0) == 0)
        testo.erase(0, 3);
    return testo;
}

}
