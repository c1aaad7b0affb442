// The subcommands of velmora-cli: registry, argument reading, exit codes.
#pragma once

#include "archive/Archivio.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// Exit codes: 0 success, 1 an error of the data or files, 2 a usage error.
constexpr int EsitoOk = 0;
constexpr int EsitoErroreDati = 1;
constexpr int EsitoErroreUso = 2;

// Thrown by a command for a wrong call (exit 2); the text is Italian.
class ErroreUso : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// Thrown by a command for an error of the data or files (exit 1); the text is Italian.
class ErroreDati : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Arguments after the subcommand name: "--nome valore" or "--flag" options and
// positional words. `flagSenzaValore` lists the options that take no value.
class Argomenti {
public:
    Argomenti(const std::vector<std::string>& parole, const std::vector<std::string>& flagSenzaValore = {});

    const std::vector<std::string>& posizionali() const { return posizionali_; }
    bool ha(const std::string& opzione) const { return opzioni_.count(opzione) > 0; }
    std::optional<std::string> valore(const std::string& opzione) const;
    std::string valore(const std::string& opzione, const std::string& predefinito) const;
    // Whole-number option; a malformed value is a usage error.
    std::optional<long> intero(const std::string& opzione) const;
    // Rejects options that are not in `ammesse` (usage error).
    void soloOpzioni(const std::vector<std::string>& ammesse) const;

private:
    std::vector<std::string> posizionali_;
    std::map<std::string, std::string> opzioni_;
};

struct Comando {
    std::string nome;
    std::string descrizione;   // one line for the general help
    std::string uso;           // the whole --help text
    std::function<int(const Argomenti&, std::istream& in, std::ostream& out, std::ostream& err)> esegui;
    std::vector<std::string> flagSenzaValore;
};

// Fields of `testo` separated by `sep`, empty ones kept ("a,,b" gives three).
std::vector<std::string> dividi(const std::string& testo, char sep);
// The whole text read as an int; nothing when it is not exactly a whole number in range.
[[nodiscard]] std::optional<int> interoEsatto(const std::string& testo);

// The whole draws archive at `percorso`, the model archive from draw 1, as every command
// reads it. A failed load is a data error "impossibile caricare l'archivio PERCORSO: ...";
// info and estrazioni, whose only argument is the file, have always left the path out.
// Values out of range that the load read as missing or left out are told once, on standard
// error, when the command ends.
std::unique_ptr<archive::Archivio> caricaArchivio(const std::string& percorso, bool nominaFile = true);
// Keeps the notice of what the load of `file` into `a` did not take, for the end of the command.
void avvisaDatiScartati(const archive::Archivio& a, const std::string& file);

// Each subcommand file registers itself with a static Registrazione.
void registra(Comando comando);
struct Registrazione {
    explicit Registrazione(Comando comando) { registra(std::move(comando)); }
};

// The exit code of `comando` once its output is flushed: a write to `out` that failed (full disk,
// closed pipe) is said on `err`, naming standard output, and turns a success into a data error.
int controllaUscita(const std::string& comando, int codice, std::ostream& out, std::ostream& err);

// Runs velmora-cli with argv[1..]: dispatches, prints help, maps exceptions to exit codes.
int esegui(const std::vector<std::string>& argomenti, std::istream& in, std::ostream& out, std::ostream& err);

}
