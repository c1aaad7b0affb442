// Reading the text files that come from outside (historical, pyramid, update, case files) and quoting them in messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

namespace storage {

// No line of a real input file comes near this; /dev/zero or a binary file passes it at once.
constexpr std::size_t RigaMassimaFileDiTesto = 4096;
// The whole historical file of every draw since 1939 is a few megabytes.
constexpr std::uintmax_t DimensioneMassimaFileDiTesto = 64u * 1024u * 1024u;
// A pasted draw is a few hundred bytes, a whole results page some tens of kilobytes: a text past
// this is no draw, and reading it through would only fill memory (an endless source, never).
constexpr std::uintmax_t DimensioneMassimaTestoIncollato = 1024u * 1024u;

// A text file that cannot be taken: the message is Italian and names the file. `nonApribile`
// when the file could not even be opened (missing, not readable).
class ErroreFileDiTesto : public std::runtime_error {
public:
    explicit ErroreFileDiTesto(const std::string& messaggio, bool nonApribile = false)
        : std::runtime_error(messaggio), nonApribile_(nonApribile)
    {
    }
    bool nonApribile() const { return nonApribile_; }

private:
    bool nonApribile_;
};

// Counts line lengths over text given in pieces: a line of RigaMassimaFileDiTesto characters is
// taken, one more is not; the CR of a CR LF line break is not part of the line.
class ControlloRighe {
public:
    // False at the first line too long; `riga()` then gives its number.
    [[nodiscard]] bool aggiungi(std::string_view pezzo);
    // The end of the text (a last CR without its LF counts).
    [[nodiscard]] bool termina();
    std::size_t riga() const { return riga_; }

private:
    [[nodiscard]] bool conta();

    std::size_t lunghezza_ = 0;
    std::size_t riga_ = 1;
    bool ritornoInSospeso_ = false;
};

// The refusal of a line too long, in the words every reader uses.
std::string motivoRigaTroppoLunga(std::size_t riga);

// At most `massimo` characters of `testo` in a form a message can show: valid UTF-8
// stays, control and invalid bytes become \xNN (a NUL no longer cuts the message),
// and "..." marks what was left out.
std::string estratto(std::string_view testo, std::size_t massimo = 40);

// The whole of `testo` as estratto shows it, line breaks and tabs kept: what a terminal may be
// given of a message that quotes a name or a value the user typed (no escape sequence passes).
std::string stampabile(std::string_view testo);

// Whether a read checks the length of the lines: always, or unless the file turns out to be a zip
// (by its first bytes), whose packed lines mean nothing.
// Libere: a pasted page may hold long lines, the size limit alone bounds it.
enum class Righe { Controllate, ControllateSalvoZip, Libere };

// The bytes of the file at `percorso`, read once from its start: a pipe or a FIFO gives its bytes
// only once, so nothing may look at the file before and open it again. `cosa` names it in
// messages ("il file storico"). Refused, before reading more than needed: a folder, more than
// `limite` bytes, a line longer than RigaMassimaFileDiTesto.
std::string leggiFileIntero(const std::string& percorso, const std::string& cosa, std::uintmax_t limite, Righe righe);

// The whole of the stream `in` (standard input), read as leggiFileIntero reads a file: refused in
// Italian, naming it as `cosa`, once it passes `limite` bytes or when the system cannot read it
// (a closed descriptor, a folder).
std::string leggiFlussoIntero(std::istream& in, const std::string& cosa, std::uintmax_t limite);

// Why the system could not read, in Italian, for the error number `errore` of a failed read.
std::string motivoLetturaNonRiuscita(int errore);

// The refusal of an outside text file as leggiFileIntero words it, for a check made afterwards.
[[noreturn]] void rifiutaFileDiTesto(const std::string& cosa, const std::string& percorso, const std::string& motivo);

// The whole of the text file at `percorso` as leggiFileIntero reads it (limit
// DimensioneMassimaFileDiTesto, lines checked), without the UTF-8 mark a Windows editor puts in front.
std::string leggiFileDiTesto(const std::string& percorso, const std::string& cosa);

}
