// velmora-cli: the registry of subcommands and the dispatcher.
#include "cli/Comandi.h"

#include "archive/CaricaArchivio.h"
#include "storage/FileDiTesto.h"

#include <algorithm>
#include <exception>
#include <iostream>

#ifndef VELMORA_VERSIONE
#define VELMORA_VERSIONE "0.0.0"
#endif

namespace cli {

namespace {
std::map<std::string, Comando>& registro()
{
    static std::map<std::string, Comando> r;
    return r;
}

// Notices of the loads of one command, printed once when it ends (after its table, whatever its result).
std::vector<std::string>& avvisiPendenti()
{
    static std::vector<std::string> avvisi;
    return avvisi;
}

void stampaAvvisi(const std::string& comando, std::ostream& err)
{
    for (const auto& a : avvisiPendenti())
        err << "velmora-cli " << comando << ": " << a << "\n";
    avvisiPendenti().clear();
}

// Standard error as a terminal may take it: every message goes through stampabile a line at a
// time (so a character of several bytes is never cut), whatever name or value it quotes.
class ErroreStampabile : public std::streambuf {
public:
    explicit ErroreStampabile(std::ostream& destinazione) : destinazione_(destinazione) {}
    ~ErroreStampabile() override { svuota(); }
    ErroreStampabile(const ErroreStampabile&) = delete;
    ErroreStampabile& operator=(const ErroreStampabile&) = delete;

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        riga_ += traits_type::to_char_type(c);
        if (c == '\n')
            svuota();
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        riga_.append(s, static_cast<std::size_t>(n));
        if (riga_.find('\n') != std::string::npos)
            svuota();
        return n;
    }
    int sync() override
    {
        svuota();
        destinazione_.flush();
        return 0;
    }

private:
    void svuota()
    {
        destinazione_ << storage::stampabile(riga_);
        riga_.clear();
    }

    std::ostream& destinazione_;
    std::string riga_;
};

void stampaAiuto(std::ostream& out)
{
    out << "Uso: velmora-cli COMANDO [opzioni]\n\nComandi:\n";
    for (const auto& [nome, c] : registro())
        out << "  " << nome << std::string(nome.size() < 20 ? 20 - nome.size() : 1, ' ') << c.descrizione << "\n";
    out << "\n'velmora-cli COMANDO --help' descrive ciascun comando; 'velmora-cli --version' la versione.\n";
}
}

Argomenti::Argomenti(const std::vector<std::string>& parole, const std::vector<std::string>& flagSenzaValore)
{
    for (std::size_t i = 0; i < parole.size(); ++i) {
        const std::string& p = parole[i];
        if (p.size() > 2 && p.rfind("--", 0) == 0) {
            std::string nome = p;
            if (const auto uguale = p.find('='); uguale != std::string::npos) {
                opzioni_[p.substr(0, uguale)] = p.substr(uguale + 1);
                continue;
            }
            const bool senzaValore = std::find(flagSenzaValore.begin(), flagSenzaValore.end(), nome) != flagSenzaValore.end()
                || nome == "--help";
            if (senzaValore) {
                opzioni_[nome] = "";
            } else {
                if (i + 1 >= parole.size())
                    throw ErroreUso("l'opzione " + nome + " richiede un valore");
                opzioni_[nome] = parole[++i];
            }
        } else {
            posizionali_.push_back(p);
        }
    }
}

std::optional<std::string> Argomenti::valore(const std::string& opzione) const
{
    const auto it = opzioni_.find(opzione);
    if (it == opzioni_.end())
        return std::nullopt;
    return it->second;
}

std::string Argomenti::valore(const std::string& opzione, const std::string& predefinito) const
{
    return valore(opzione).value_or(predefinito);
}

std::optional<long> Argomenti::intero(const std::string& opzione) const
{
    const auto v = valore(opzione);
    if (!v)
        return std::nullopt;
    try {
        std::size_t letti = 0;
        const long n = std::stol(*v, &letti);
        if (letti != v->size())
            throw ErroreUso("");
        return n;
    } catch (...) {
        throw ErroreUso("valore non numerico per " + opzione + ": " + storage::estratto(*v));
    }
}

void Argomenti::soloOpzioni(const std::vector<std::string>& ammesse) const
{
    for (const auto& [nome, valore] : opzioni_) {
        if (nome == "--help")
            continue;
        if (std::find(ammesse.begin(), ammesse.end(), nome) == ammesse.end())
            throw ErroreUso("opzione sconosciuta: " + storage::estratto(nome));
    }
}

std::vector<std::string> dividi(const std::string& testo, char sep)
{
    std::vector<std::string> parti;
    std::size_t inizio = 0;
    while (true) {
        const auto fine = testo.find(sep, inizio);
        parti.push_back(testo.substr(inizio, fine == std::string::npos ? std::string::npos : fine - inizio));
        if (fine == std::string::npos)
            return parti;
        inizio = fine + 1;
    }
}

std::optional<int> interoEsatto(const std::string& testo)
{
    try {
        std::size_t letti = 0;
        const int v = std::stoi(testo, &letti);
        if (letti == testo.size())
            return v;
    } catch (...) {
    }
    return std::nullopt;
}

std::unique_ptr<archive::Archivio> caricaArchivio(const std::string& percorso, bool nominaFile)
{
    auto a = std::make_unique<archive::Archivio>();
    a->EstrazioneIniziale = 1;
    try {
        archive::CaricaArchivio(*a, percorso);
    } catch (const archive::ErroreCaricamento& e) {
        throw ErroreDati("impossibile caricare l'archivio" + (nominaFile ? " " + percorso : std::string()) + ": " + e.what());
    }
    avvisaDatiScartati(*a, percorso);
    return a;
}

void avvisaDatiScartati(const archive::Archivio& a, const std::string& file)
{
    if (auto testo = archive::AvvisoDatiScartati(a, file); !testo.empty())
        avvisiPendenti().push_back(std::move(testo));
}

void registra(Comando comando)
{
    auto nome = comando.nome;
    registro()[nome] = std::move(comando);
}

namespace {
int eseguiComando(const Comando& c, const std::vector<std::string>& argomenti, std::istream& in, std::ostream& out, std::ostream& err)
{
    struct AlTermine {
        const std::string& nome;
        std::ostream& err;
        ~AlTermine() { stampaAvvisi(nome, err); }
    } alTermine{c.nome, err};
    try {
        const Argomenti args(std::vector<std::string>(argomenti.begin() + 1, argomenti.end()), c.flagSenzaValore);
        if (args.ha("--help")) {
            out << c.uso;
            if (!c.uso.empty() && c.uso.back() != '\n')
                out << '\n';
            return EsitoOk;
        }
        return c.esegui(args, in, out, err);
    } catch (const ErroreUso& e) {
        err << "velmora-cli " << c.nome << ": " << e.what() << "\n" << c.uso;
        if (!c.uso.empty() && c.uso.back() != '\n')
            err << '\n';
        return EsitoErroreUso;
    } catch (const std::exception& e) {
        err << "velmora-cli " << c.nome << ": " << e.what() << "\n";
        return EsitoErroreDati;
    }
}
}

int esegui(const std::vector<std::string>& argomenti, std::istream& in, std::ostream& out, std::ostream& errore)
{
    ErroreStampabile filtro(errore);
    std::ostream err(&filtro);
    if (argomenti.empty() || argomenti[0] == "--help" || argomenti[0] == "-h" || argomenti[0] == "aiuto") {
        stampaAiuto(argomenti.empty() ? err : out);
        return controllaUscita({}, argomenti.empty() ? EsitoErroreUso : EsitoOk, out, err);
    }
    if (argomenti[0] == "--version") {
        out << "velmora-cli " << VELMORA_VERSIONE << "\n";
        return controllaUscita({}, EsitoOk, out, err);
    }
    const auto it = registro().find(argomenti[0]);
    if (it == registro().end()) {
        err << "velmora-cli: comando sconosciuto: " << storage::estratto(argomenti[0]) << "\n";
        stampaAiuto(err);
        return EsitoErroreUso;
    }
    const Comando& c = it->second;
    avvisiPendenti().clear();
    const int codice = eseguiComando(c, argomenti, in, out, err);
    return controllaUscita(c.nome, codice, out, err);
}

int controllaUscita(const std::string& comando, int codice, std::ostream& out, std::ostream& err)
{
    // A full disk or a closed pipe fails a write quietly: whatever the command did, what it printed
    // is incomplete, and a caller that trusts the exit code must not take it for the whole.
    out.flush();
    if (out)
        return codice;
    err << "velmora-cli" << (comando.empty() ? "" : " " + comando)
        << ": impossibile scrivere tutto sullo standard output (disco pieno o uscita chiusa): quanto scritto è incompleto\n";
    return codice == EsitoOk ? EsitoErroreDati : codice;
}

}
