// Reading the text files that come from outside (historical, pyramid, update, case files) and quoting them in messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace storage {

// No line of a real input file comes near this; /dev/zero or a binary file passes it at once.
constexpr std::size_t RigaMassimaFileDiTesto = 4096;
// The whole historical file of every draw since 1939 is a few megabytes.
constexpr std::uintmax_t DimensioneMassimaFileDiTesto = 64u * 1024u * 1024u;

// A text file that cannot be taken: the message is Italian and names the file.
class ErroreFileDiTesto : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// At most `massimo` characters of `testo` in a form a message can show: valid UTF-8
// stays, control and invalid bytes become \xNN (a NUL no longer cuts the message),
// and "..." marks what was left out.
std::string estratto(std::string_view testo, std::size_t massimo = 40);

// The whole of the file at `percorso`, without the UTF-8 mark a Windows editor puts
// in front. `cosa` names it in messages ("il file storico"). Refused, before reading
// more than needed: a folder, a file larger than DimensioneMassimaFileDiTesto, a
// line longer than RigaMassimaFileDiTesto.
std::string leggiFileDiTesto(const std::string& percorso, const std::string& cosa);

}
