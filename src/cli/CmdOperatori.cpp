// velmora-cli operatori / operatore: the operator catalogue and the evaluator on lines of input.
#include "cli/Comandi.h"

#include "archive/Archivio.h"
#include "engine/Operatori.h"
#include "storage/Database.h"
#include "storage/FileDiTesto.h"
#include "storage/ProgramDb.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <istream>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

namespace {

int eseguiOperatori(const Argomenti& args, std::istream&, std::ostream& out, std::ostream&)
{
    args.soloOpzioni({"--programma"});
    if (!args.posizionali().empty())
        throw ErroreUso("argomento inatteso: " + args.posizionali().front());

    std::vector<storage::RigaOperatore> righe;
    if (const auto percorso = args.valore("--programma")) {
        try {
            // Only an existing database is read: listing never creates one.
            storage::Database db(*percorso, storage::PasswordDatabase(), storage::Database::Modo::SoloEsistente);
            // A draws archive given by mistake opens with the same password.
            if (!db.esisteTabella("Operatori"))
                throw ErroreDati("il database " + *percorso + " non contiene la tabella Operatori");
            righe = storage::LeggiOperatori(db);
        } catch (const storage::ErroreDatabase& e) {
            throw ErroreDati("impossibile leggere gli operatori da " + *percorso + ": " + e.what());
        }
    } else {
        righe = storage::CatalogoPredefinito();
        // Byte order, as the database's ORDER BY Operatore gives it.
        std::sort(righe.begin(), righe.end(), [](const auto& a, const auto& b) { return a.operatore < b.operatore; });
    }
    for (const auto& r : righe)
        out << r.operatore << '\t' << r.tipo << '\t' << r.p1 << '\t' << r.p2 << '\t' << r.r1 << '\t' << r.r2 << '\t'
            << r.spiegazione << '\n';
    return EsitoOk;
}

// A 16-bit field of an input line; blanks around the digits are allowed.
[[nodiscard]] std::optional<std::int16_t> campo16(std::string_view t)
{
    while (!t.empty() && (t.front() == ' '))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' '))
        t.remove_suffix(1);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    int v = 0;
    const auto [fine, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || fine != t.data() + t.size())
        return std::nullopt;
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(v);
}

std::vector<std::string_view> dividiTab(std::string_view riga)
{
    std::vector<std::string_view> campi;
    std::size_t inizio = 0;
    while (true) {
        const auto tab = riga.find('\t', inizio);
        campi.push_back(riga.substr(inizio, tab == std::string_view::npos ? std::string_view::npos : tab - inizio));
        if (tab == std::string_view::npos)
            return campi;
        inizio = tab + 1;
    }
}

// The fields of one line, or nothing when the line is malformed.
[[nodiscard]] std::optional<engine::CampiOperatore> leggiRiga(std::string_view riga)
{
    const auto campi = dividiTab(riga);
    if (campi.size() != 9)
        return std::nullopt;
    engine::CampiOperatore c;
    c.CodiceOperatore = std::string(campi[0]);   // compared exactly: blanks are part of the code
    int* destinazioni[] = {&c.N1, &c.N2, &c.ValoreFisso, &c.EstrazioneCalcolo, &c.R1, &c.P1, &c.R2, &c.P2};
    for (std::size_t i = 0; i < 8; ++i) {
        const auto v = campo16(campi[i + 1]);
        if (!v)
            return std::nullopt;
        *destinazioni[i] = *v;
    }
    return c;
}

// One line of standard input without its line break; false at the end. A line longer than
// any formula line (an endless stream such as /dev/zero) is refused before it fills memory.
[[nodiscard]] bool rigaIngresso(std::istream& in, std::string& riga, int numero)
{
    riga.clear();
    auto* buffer = in.rdbuf();
    // A failed read comes as the C++ library's exception, in English: said in Italian instead.
    const auto prossimo = [&] {
        errno = 0;
        try {
            return buffer->sbumpc();
        } catch (const std::exception&) {
            throw ErroreDati("impossibile leggere l'ingresso standard: " + storage::motivoLetturaNonRiuscita(errno));
        }
    };
    for (auto c = prossimo(); c != std::char_traits<char>::eof(); c = prossimo()) {
        if (c == '\n')
            return true;
        if (riga.size() == storage::RigaMassimaFileDiTesto)
            throw ErroreDati("la riga " + std::to_string(numero) + " dell'ingresso standard è più lunga di "
                             + std::to_string(storage::RigaMassimaFileDiTesto) + " caratteri");
        riga += static_cast<char>(c);
    }
    return !riga.empty();
}

int eseguiOperatore(const Argomenti& args, std::istream& in, std::ostream& out, std::ostream&)
{
    args.soloOpzioni({"--stdin", "--archivio"});
    if (!args.ha("--stdin"))
        throw ErroreUso("manca --stdin: le formule si leggono dall'ingresso standard");
    if (!args.posizionali().empty())
        throw ErroreUso("argomento inatteso: " + args.posizionali().front());

    const auto percorso = args.valore("--archivio");
    // Without --archivio there is no draw: the whole-draw operators give ERRORE.
    const auto archivio = percorso ? caricaArchivio(*percorso) : std::make_unique<archive::Archivio>();

    std::string riga;
    for (int numero = 1; rigaIngresso(in, riga, numero); ++numero) {
        if (!riga.empty() && riga.back() == '\r')
            riga.pop_back();
        if (riga.empty())
            continue;
        auto campi = leggiRiga(riga);
        if (!campi) {
            out << "ERRORE\n";
            continue;
        }
        try {
            engine::ElaboraPPP2(*campi, *archivio);
            out << campi->Risultato << '\n';
        } catch (const engine::ErroreCalcolo&) {
            out << "ERRORE\n";
        }
    }
    return EsitoOk;
}

const Registrazione registraOperatori(Comando{
    "operatori",
    "elenca il catalogo degli operatori",
    "Uso: velmora-cli operatori [--programma DbPiramide.db]\n"
    "\n"
    "Elenca gli operatori ordinati per codice, una riga per operatore con i campi\n"
    "separati da tabulazione: codice, Tipo, P1, P2, R1, R2, Spiegazione.\n"
    "Senza --programma elenca il catalogo che riceve un nuovo database del programma;\n"
    "con --programma legge la tabella Operatori del database indicato.\n",
    eseguiOperatori,
    {}});

const Registrazione registraOperatore(Comando{
    "operatore",
    "calcola operatori su righe lette dall'ingresso standard",
    "Uso: velmora-cli operatore --stdin [--archivio ARCHIVIO.db]\n"
    "\n"
    "Legge righe separate da tabulazione\n"
    "  CODICE N1 N2 FISSO ESTRAZIONE R1 P1 R2 P2\n"
    "e scrive per ciascuna il risultato dell'operatore, oppure ERRORE quando un dato\n"
    "è fuori intervallo o la riga non è leggibile. Un codice sconosciuto dà 0.\n"
    "Le ruote vanno da 0 (Bari) a 10 (Nazionale). Gli operatori sull'intera ruota\n"
    "(SOMN, MED, MED2, PIRN, MAG5, MIN5, PIRD) leggono l'archivio indicato con\n"
    "--archivio, e solo le sue estrazioni da 1 all'ultima: senza archivio, o con\n"
    "un'estrazione fuori archivio, danno ERRORE.\n",
    eseguiOperatore,
    {"--stdin"}});

}

}
