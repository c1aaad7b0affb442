// Outside text files read with limits, and printable excerpts of their bytes.
#include "storage/FileDiTesto.h"

#include "sistema/File.h"
#include "sistema/Percorsi.h"

#include <algorithm>
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

}

void rifiutaFileDiTesto(const std::string& cosa, const std::string& percorso, const std::string& motivo)
{
    throw ErroreFileDiTesto("Impossibile leggere " + cosa + " \"" + percorso + "\": " + motivo);
}

namespace {
// Reads `buffer` to its end in blocks: refused once past `limite`, at a line too long (unless
// `righe` frees them), and in Italian when the system fails the read. The C++ library reports a
// failed read by an exception whose English text ("basic_filebuf::underflow error reading the
// file") must not reach the user. `nome` is the quoted path, empty for a stream named by `cosa`.
std::string leggiBlocchi(std::streambuf& buffer, const std::string& cosa, const std::string& nome, std::uintmax_t limite,
                         Righe righe)
{
    const auto rifiuta = [&](const std::string& motivo) {
        throw ErroreFileDiTesto("Impossibile leggere " + cosa + (nome.empty() ? "" : " " + nome) + ": " + motivo);
    };
    std::string testo;
    ControlloRighe controllo;
    bool controlla = righe != Righe::Libere;
    char blocco[65536];
    while (true) {
        std::size_t letti = 0;
        errno = 0;
        try {
            letti = static_cast<std::size_t>(buffer.sgetn(blocco, sizeof blocco));
        } catch (const std::exception&) {
            rifiuta(motivoLetturaNonRiuscita(errno));
        }
        if (letti == 0)
            break;
        if (testo.size() + letti > limite)
            rifiuta(limite >= (1u << 20) ? "è troppo grande per essere un file di questo tipo (più di " + std::to_string(limite >> 20) + " MB)"
                                        : "è troppo grande (più di " + std::to_string(limite) + " byte)");
        // A zip starts with a local file header, or with the end record when it is empty.
        if (testo.empty() && righe == Righe::ControllateSalvoZip && letti >= 4)
            controlla = std::string_view(blocco, 4) != "PK\x03\x04" && std::string_view(blocco, 4) != "PK\x05\x06";
        if (controlla && !controllo.aggiungi(std::string_view(blocco, letti)))
            rifiuta(motivoRigaTroppoLunga(controllo.riga()));
        testo.append(blocco, letti);
    }
    if (controlla && !controllo.termina())
        rifiuta(motivoRigaTroppoLunga(controllo.riga()));
    return testo;
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

std::string stampabile(std::string_view testo)
{
    std::string esito;
    esito.reserve(testo.size());
    for (std::size_t inizio = 0; inizio <= testo.size();) {
        const std::size_t fine = std::min(testo.find_first_of("\n\t", inizio), testo.size());
        esito += estratto(testo.substr(inizio, fine - inizio), std::string_view::npos);
        if (fine < testo.size())
            esito += testo[fine];
        inizio = fine + 1;
    }
    return esito;
}

bool ControlloRighe::conta()
{
    return ++lunghezza_ <= RigaMassimaFileDiTesto;
}

bool ControlloRighe::aggiungi(std::string_view pezzo)
{
    for (const char c : pezzo) {
        if (c == '\n') {
            lunghezza_ = 0;
            ritornoInSospeso_ = false;
            ++riga_;
            continue;
        }
        // A CR is part of the line only when no LF follows it, which the next byte tells.
        if (ritornoInSospeso_ && !conta())
            return false;
        ritornoInSospeso_ = c == '\r';
        if (!ritornoInSospeso_ && !conta())
            return false;
    }
    return true;
}

bool ControlloRighe::termina()
{
    if (ritornoInSospeso_) {
        ritornoInSospeso_ = false;
        return conta();
    }
    return true;
}

std::string motivoRigaTroppoLunga(std::size_t riga)
{
    return "la riga " + std::to_string(riga) + " è più lunga di " + std::to_string(RigaMassimaFileDiTesto)
           + " caratteri: non è un file di testo di questo tipo";
}

std::string leggiFileIntero(const std::string& percorso, const std::string& cosa, std::uintmax_t limite, Righe righe)
{
    namespace fs = std::filesystem;
    const std::string troppoGrande = "è troppo grande per essere un file di questo tipo (più di "
                                     + std::to_string(limite >> 20) + " MB)";
    std::error_code ec;
    const fs::path file = sistema::percorso(percorso);
    const auto stato = fs::status(file, ec);
    if (fs::is_directory(stato))
        rifiutaFileDiTesto(cosa, percorso, "è una cartella, non un file");
    // A regular file is measured before it is read; a pipe or a device is counted as it goes.
    if (fs::is_regular_file(stato)) {
        const auto dimensione = fs::file_size(file, ec);
        if (!ec && dimensione > limite)
            rifiutaFileDiTesto(cosa, percorso, troppoGrande);
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        const bool negato = sistema::illeggibile(percorso);
        throw ErroreFileDiTesto("Impossibile leggere " + cosa + " \"" + percorso + "\": "
                                    + (negato ? "il file non è accessibile (permessi insufficienti)"
                                              : "il file non esiste o non si può aprire"),
                                true);
    }

    return leggiBlocchi(*in.rdbuf(), cosa, "\"" + percorso + "\"", limite, righe);
}

std::string leggiFlussoIntero(std::istream& in, const std::string& cosa, std::uintmax_t limite)
{
    return leggiBlocchi(*in.rdbuf(), cosa, {}, limite, Righe::Libere);
}

std::string motivoLetturaNonRiuscita(int errore)
{
    switch (errore) {
    case EISDIR:
        return "è una cartella, non un file";
    case EBADF:
        return "non è aperto in lettura (ingresso chiuso)";
    case EACCES:
    case EPERM:
        return "permessi insufficienti";
    case EIO:
        return "errore del dispositivo";
    default:
        return "lettura non riuscita";
    }
}

std::string leggiFileDiTesto(const std::string& percorso, const std::string& cosa)
{
    std::string testo = leggiFileIntero(percorso, cosa, DimensioneMassimaFileDiTesto, Righe::Controllate);
    if (testo.rfind("\xEF\xBB\xBF", 0) == 0)
        testo.erase(0, 3);
    return testo;
}

}
