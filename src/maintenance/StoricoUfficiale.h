// The official historical archive of the draws, plain or zipped, read and turned into FgImporta rows for the check.
#pragma once

#include "archive/Avanzamento.h"
#include "grid/Grid.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace storage { class Database; }

namespace maintenance {

// The whole official text is a few megabytes; an entry that unpacks beyond this is not it (or a zip bomb).
constexpr std::size_t DimensioneMassimaStorico = std::size_t(64) << 20;

// A refused official file: the Italian text names the file the user gave.
class ErroreStorico : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The official text from the bytes of a file named `nome`: the text entry of a zip (the first
// "*.txt", or the only entry), or the bytes themselves. Refuses a damaged zip, a zip without a
// text, an entry beyond DimensioneMassimaStorico.
std::string testoStorico(std::string contenuto, const std::string& nome);

// The same from the file at `percorso`.
std::string leggiFileStorico(const std::string& percorso);

// FgImporta from the official text, one row per date in date order (only the dates from `dal`,
// "GG/MM/AAAA", when given), the wheels as the archive stores them, so that
// ControlloEstrazioniMancanti and AGGIORNAMENTO run on it as on an update file. The number of
// rows. Throws ErroreStorico naming `nome` when the text is not in the official format (the grid
// is untouched then), archive::Interrotto on a stop.
int caricaStoricoInFgImporta(std::string_view testo, const std::string& nome, grid::Grid& FgImporta,
                             const std::string& dal = {}, archive::Avanzamento* avanzamento = nullptr);

// The address of the official file: the row "StoricoUfficiale", or today's address when the row
// is missing, empty or unreadable.
std::string indirizzoStoricoUfficiale(storage::Database& dbProgramma);

// An "http://" or "https://" address rather than a path.
bool indirizzoRete(std::string_view sorgente);

}
