// The update file of draws: the format test, the rows of its lines, the lines of a published file.
#include "maintenance/FileAggiornamento.h"

#include "archive/Archivio.h"
#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"

#include "storage/FileDiTesto.h"

#include <sstream>

namespace maintenance {

namespace {

std::string_view senzaRitorno(std::string_view riga)
{
    if (!riga.empty() && riga.back() == '\r')
        riga.remove_suffix(1);
    return riga;
}

std::string_view parte(std::string_view riga, std::size_t inizio, std::size_t lunghezza)
{
    if (inizio >= riga.size())
        return {};
    return riga.substr(inizio, lunghezza);
}

std::string_view senzaBlankFinali(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

}

bool formatoAggiornamento(std::string_view primaRiga)
{
    primaRiga = senzaRitorno(primaRiga);
    return primaRiga.size() == LunghezzaRigaAggiornamento && primaRiga.substr(LunghezzaRigaAggiornamento - 2) == "pr";
}

void preparaFgImporta(grid::Grid& FgImporta)
{
    FgImporta.setIntestazione("|Data|Bari|Cagliari|Firenze|Genova|Milano|Napoli|Palermo|Roma|Torino|Venezia|Nazionale");
    FgImporta.setRighe(1);
}

void caricaRigheAggiornamento(std::istream& file, RigheImporta& righe)
{
    righe.clear();
    std::string riga;
    while (std::getline(file, riga)) {
        const std::string_view r = senzaRitorno(riga);
        // Blank lines, the empty last line of a file ending with a line break among them, give no row.
        const std::string_view data = senzaBlankFinali(parte(r, 0, 10));
        if (data.empty())
            continue;
        RigaImporta& nuova = righe.emplace_back();
        nuova.data = data;
        for (int w = 0; w < archive::NumeroRuote; ++w)
            nuova.ruote[static_cast<std::size_t>(w)] =
                senzaBlankFinali(parte(r, static_cast<std::size_t>(11 + 15 * w), LunghezzaCampoRuota));
    }
    if (file.bad())
        throw std::ios_base::failure("lettura interrotta");
}

EsitoFileAggiornamento caricaFileAggiornamento(const std::string& percorso, RigheImporta& righe, bool testFormato)
{
    // Opened once (a pipe gives its bytes only once). A folder, a device or a file without line
    // breaks is refused here, before the rows are touched.
    std::string testo;
    try {
        testo = storage::leggiFileDiTesto(percorso, "il file di aggiornamento");
    } catch (const storage::ErroreFileDiTesto& e) {
        if (e.nonApribile())
            return EsitoFileAggiornamento::NonLeggibile;
        throw;
    }
    std::istringstream file(std::move(testo));
    if (testFormato) {
        std::string prima;
        std::getline(file, prima);
        if (!formatoAggiornamento(prima))
            return EsitoFileAggiornamento::FormatoErrato;
        file.clear();
        file.seekg(0);
    }
    caricaRigheAggiornamento(file, righe);
    return EsitoFileAggiornamento::Caricato;
}

std::string rigaAggiornamento(std::string_view data, const std::string (&campi)[11], std::string_view tag)
{
    std::string riga(LunghezzaRigaAggiornamento, ' ');
    riga.replace(0, std::min<std::size_t>(data.size(), 10), data.substr(0, 10));
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        const std::string& c = campi[w];
        riga.replace(static_cast<std::size_t>(11 + 15 * w), std::min<std::size_t>(c.size(), LunghezzaCampoRuota),
                     c.substr(0, LunghezzaCampoRuota));
    }
    riga.replace(LunghezzaRigaAggiornamento - 2, std::min<std::size_t>(tag.size(), 2), tag.substr(0, 2));
    return riga;
}

std::string indirizzoAggiornamenti(storage::Database& dbProgramma)
{
    std::string server;
    try {
        if (dbProgramma.aperto())
            server = storage::LeggiParametro(dbProgramma, "ServerAggiornamenti").value_or("");
    } catch (const std::exception&) {
        // An unreadable configuration is an unconfigured server.
    }
    return indirizzoAggiornamentiDa(std::move(server));
}

std::string indirizzoAggiornamentiDa(std::string server)
{
    while (!server.empty() && (server.back() == '/' || server.back() == ' '))
        server.pop_back();
    while (!server.empty() && server.front() == ' ')
        server.erase(0, 1);
    if (server.empty())
        return {};
    if (server.find("://") == std::string::npos)
        server.insert(0, "http://");
    return server + PercorsoAggiornamento;
}

int scriviFileAggiornamento(storage::Database& db, const std::string& dal, std::ostream& out)
{
    const std::string isoDal = dal.empty() ? std::string() : storage::DataPerDb(dal);
    auto s = db.prepara("SELECT DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz FROM EstrazioniLotto"
                        " WHERE DataEstrazione >= ?1 ORDER BY DataEstrazione");
    s.lega(1, isoDal);
    int righe = 0;
    std::string campi[11];
    while (s.avanza()) {
        for (int w = 0; w < archive::NumeroRuote; ++w)
            campi[w] = s.testo(w + 1);
        // Every line carries the tag: the format test reads the first, a reader of any line finds it too.
        out << rigaAggiornamento(storage::DataDaDb(s.testo(0)), campi, "pr") << "\r\n";
        ++righe;
    }
    return righe;
}

}
