// The official historical archive of the draws, plain or zipped, read and turned into update rows for the check.
#pragma once

#include "avanzamento/Avanzamento.h"
#include "maintenance/FileAggiornamento.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace storage { class Database; }

namespace maintenance {

// The whole official text is about 2 MB for 7,370 draws, 3 MB at the archive's 9,999: an entry
// that unpacks beyond this is not it (or a zip bomb). It also bounds what a hostile file costs
// in memory, the text being held once while it is read.
constexpr std::size_t DimensioneMassimaStorico = std::size_t(16) << 20;

// A refused official file: the Italian text names the file the user gave.
class ErroreStorico : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The official text from the bytes of a file named `nome`: the text entry of a zip (the first
// "*.txt", or the only entry), or the bytes themselves. Refuses a damaged zip, a zip without a
// text, an entry packed in a way this program cannot read (encrypted, or a method other than
// deflate, bzip2 or none), an entry beyond DimensioneMassimaStorico, a line longer than outside
// text files may have (the message names the entry read).
// `voce`, when given, receives the name of the zip entry read (empty for a plain text), for the
// messages about its lines.
std::string testoStorico(std::string contenuto, const std::string& nome, std::string* voce = nullptr);

// The same from the file at `percorso`, read once (a pipe or a FIFO works as a plain file).
std::string leggiFileStorico(const std::string& percorso, std::string* voce = nullptr);

// The rows of the official text, one per date in date order (only the dates from `dal`,
// "GG/MM/AAAA", when given), the wheels as the archive stores them, so that
// ControlloEstrazioniMancanti and AGGIORNAMENTO run on them as on an update file. The number of
// rows. Throws ErroreStorico naming `nome` (and the zip entry `voce` for a wrong line) when the
// text is not in the official format (`righe` untouched then), avanzamento::Interrotto on a stop.
int caricaRigheStorico(std::string_view testo, const std::string& nome, RigheImporta& righe, const std::string& dal = {},
                       avanzamento::Avanzamento* avanzamento = nullptr, const std::string& voce = {});

// The address of the official file: the row "StoricoUfficiale", or today's address when the row
// is missing, empty or unreadable.
std::string indirizzoStoricoUfficiale(storage::Database& dbProgramma);

// An "http://" or "https://" address rather than a path.
bool indirizzoRete(std::string_view sorgente);

}
