// A file is replaced only when it is a plain file that may be replaced, and never half-written or by two writers at once.
#include "storage/Sostituzione.h"

#include "sistema/File.h"
#include "sistema/Percorsi.h"
#include "storage/Database.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace storage {

namespace {

namespace fs = std::filesystem;

std::string virgolette(const std::string& percorso)
{
    return "\"" + percorso + "\"";
}

// The names beside a target start with a fixed short stem of its own (a hash of its name), hidden
// from listings, in the target's folder so that the rename stays on one file system: a name of 255
// bytes still leaves room for them, and the stale ones of a target are found by their stem.
std::string radiceAccanto(const std::string& destinazione)
{
    std::uint64_t h = 14695981039346656037ULL;   // FNV-1a
    for (const char c : sistema::testo(sistema::percorso(destinazione).filename())) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    static constexpr char Esadecimali[] = "0123456789abcdef";
    std::string nome = ".vlm";
    for (int i = 60; i >= 0; i -= 4)
        nome += Esadecimali[(h >> i) & 0xF];
    return nome;
}

std::string accanto(const std::string& destinazione, const std::string& nome)
{
    return sistema::testo(sistema::percorso(destinazione).parent_path() / sistema::percorso(nome));
}

// The file itself, not what a symbolic link points to.
fs::file_status statoProprio(const std::string& percorso, std::error_code& ec)
{
    return fs::symlink_status(sistema::percorso(percorso), ec);
}

bool esiste(const std::string& percorso)
{
    std::error_code ec;
    return fs::exists(statoProprio(percorso, ec));
}

// What replacements of the same target killed before their end left beside it: their files (a
// database being built may have its journal too), and those of the earlier, longer names. Called
// under the target's lock, so no replacement that could still finish owns any of them.
void rimuoviProvvisoriAbbandonati(const std::string& destinazione, const std::string& radice)
{
    const fs::path d = sistema::percorso(destinazione);
    std::string vecchio = ".";
    vecchio += sistema::testo(d.filename());
    vecchio += '.';
    // The stem, six characters of mkostemp, and maybe a side file of the engine; never a lock.
    const auto provvisorio = [](const std::string& nome, const std::string& inizio) {
        if (nome.size() < inizio.size() + 6 || nome.compare(0, inizio.size(), inizio) != 0)
            return false;
        const std::string coda = nome.substr(inizio.size() + 6);
        if (coda.empty())
            return nome.substr(inizio.size()) != "blocco";
        return coda == "-journal" || coda == "-wal" || coda == "-shm";
    };
    std::error_code ec;
    const fs::path cartella = d.parent_path().empty() ? fs::path(".") : d.parent_path();
    for (fs::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
        const std::string nome = sistema::testo(it->path().filename());
        if ((provvisorio(nome, radice + ".") || provvisorio(nome, vecchio)) && it->symlink_status(ec).type() == fs::file_type::regular)
            sistema::rimuovi(sistema::testo(it->path()));
    }
}

// Makes sure no journal of the old target can apply to the file about to take its name. Opening the
// old target as a database rolls an interrupted write back; holding it exclusively then proves
// that no other program is writing it, so what is still beside it is stale and goes. The returned
// connection keeps that hold until the rename is done.
Database giornaliRisolti(const std::string& destinazione)
{
    bool giornale = false;
    for (const char* suffisso : SuffissiGiornale)
        giornale = giornale || esiste(destinazione + suffisso);
    if (!giornale)
        return {};
    std::error_code ec;
    if (!esiste(destinazione) || fs::file_size(sistema::percorso(destinazione), ec) == 0 || ec) {
        // A journal whose database is gone (or empty, as the engine itself judges) belongs to
        // nothing; the new file must not inherit it.
        for (const char* suffisso : SuffissiGiornale)
            sistema::rimuovi(destinazione + suffisso);
        return {};
    }
    Database vecchio;
    try {
        vecchio = Database(destinazione, PasswordDatabase(), Database::Modo::SoloEsistente);
        vecchio.esegui("BEGIN EXCLUSIVE");
    } catch (const ErroreDatabase& e) {
        throw ErroreSostituzione("Il file " + virgolette(destinazione) + " non viene sostituito: accanto ci sono i file "
                                 "di una scrittura interrotta (" + virgolette(destinazione + "-journal")
                                 + "), che non si può annullare. " + e.what());
    }
    for (const char* suffisso : SuffissiGiornale)
        sistema::rimuovi(destinazione + suffisso);
    return vecchio;
}

}

void ControllaDestinazione(const std::string& destinazione, bool sovrascrivi, const std::vector<std::string>& ingressi)
{
    if (destinazione.empty())
        throw ErroreSostituzione("Percorso del file da scrivere non indicato");
    std::error_code ec;
    const fs::file_status st = statoProprio(destinazione, ec);
    if (ec) {
        if (ec == std::errc::no_such_file_or_directory)
            return;
        throw ErroreSostituzione("Impossibile accedere al file " + virgolette(destinazione));
    }
    if (st.type() == fs::file_type::symlink)
        throw ErroreSostituzione(virgolette(destinazione)
                                 + " è un collegamento simbolico: indicare direttamente il file da scrivere");
    if (st.type() == fs::file_type::directory)
        throw ErroreSostituzione(virgolette(destinazione) + " è una cartella");
    if (st.type() != fs::file_type::regular)
        throw ErroreSostituzione(virgolette(destinazione) + " non è un file regolare: non viene sostituito");
    // The same file whatever the path (same device and file number): a link, another spelling.
    for (const auto& ingresso : ingressi) {
        std::error_code eci;
        if (!ingresso.empty() && fs::equivalent(sistema::percorso(ingresso), sistema::percorso(destinazione), eci) && !eci)
            throw ErroreSostituzione("Il file " + virgolette(destinazione)
                                     + " è lo stesso file da leggere: indicare un altro file da scrivere");
    }
    if (!sovrascrivi)
        throw ErroreSostituzione("Il file " + virgolette(destinazione) + " esiste già");
    // Mode bits rather than access(): the superuser may write anywhere, but the owner's mark still
    // holds. Windows shows its read-only attribute as a file without write bits.
    constexpr fs::perms Scrittura = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((st.permissions() & Scrittura) == fs::perms::none)
        throw ErroreSostituzione("Il file " + virgolette(destinazione) + " è di sola lettura: non viene sostituito");
}

Sostituzione::Sostituzione(const std::string& destinazione, bool sovrascrivi, const std::vector<std::string>& ingressi)
    : destinazione_(destinazione)
{
    ControllaDestinazione(destinazione, sovrascrivi, ingressi);
    const std::string radice = radiceAccanto(destinazione);
    switch (blocco_.prendi(accanto(destinazione, radice + ".b"))) {
    case sistema::Blocco::Esito::Preso:
        break;
    case sistema::Blocco::Esito::Occupato:
        throw ErroreSostituzione("Il file " + virgolette(destinazione)
                                 + " è in corso di scrittura da parte di un'altra operazione: riprovare al termine");
    case sistema::Blocco::Esito::Impossibile:
        throw ErroreSostituzione("Impossibile scrivere nella cartella del file " + virgolette(destinazione));
    }
    try {
        // Checked again under the lock: a writer that finished meanwhile may have created the target.
        ControllaDestinazione(destinazione, sovrascrivi, ingressi);
        std::error_code ec;
        const fs::file_status st = statoProprio(destinazione, ec);
        modo_ = fs::exists(st) ? static_cast<unsigned>(st.permissions() & fs::perms::mask) : sistema::modoNuovoFile();
        rimuoviProvvisoriAbbandonati(destinazione, radice);
        provvisorio_ = sistema::creaFileUnico(accanto(destinazione, radice + "."));
        if (provvisorio_.empty())
            throw ErroreSostituzione("Impossibile creare il file " + virgolette(destinazione)
                                     + ": cartella inesistente o non scrivibile");
    } catch (...) {
        rilascia();
        throw;
    }
}

Sostituzione::~Sostituzione()
{
    rilascia();
}

void Sostituzione::conferma()
{
    if (!sistema::sincronizzaFile(provvisorio_))
        throw ErroreSostituzione("Impossibile scrivere il file " + virgolette(destinazione_) + " sul disco");
    Database vecchio = giornaliRisolti(destinazione_);
    // Where the system cannot rename over a file held open, the hold ends just before the rename:
    // the journals are gone already, so only a writer starting in that instant could add one.
    if (!sistema::RinominaSopraFileAperto)
        vecchio = Database();
    if (!sistema::impostaModo(provvisorio_, modo_) || !sistema::sostituisci(provvisorio_, destinazione_))
        throw ErroreSostituzione("Impossibile sostituire il file " + virgolette(destinazione_));
    confermata_ = true;
    // The new name made durable too. Past the rename there is nothing to undo, and some file
    // systems refuse to flush a folder: the file itself is already on the disk.
    const fs::path cartella = sistema::percorso(destinazione_).parent_path();
    [[maybe_unused]] const bool cartellaSincronizzata = sistema::sincronizzaCartella(cartella.empty() ? "." : sistema::testo(cartella));
    rilascia();
}

void Sostituzione::rilascia()
{
    if (!provvisorio_.empty()) {
        if (!confermata_)
            sistema::rimuovi(provvisorio_);
        sistema::rimuovi(provvisorio_ + "-journal");
        provvisorio_.clear();
    }
    blocco_.rilascia();
}

}
