// The three exports: one pass over the draws in memory, written beside the target and renamed into place.
#include "maintenance/Esportazioni.h"

#include "sistema/Ambiente.h"
#include "sistema/Percorsi.h"
#include "storage/ProgramDb.h"
#include "storage/Sostituzione.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace maintenance {

namespace {

namespace fs = std::filesystem;

void intero16(std::string& s, int n)
{
    const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(n));
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

// Day, month and two-digit year of "GG/MM/AAAA" taken as text, as the other programs read them.
int campoData(const std::string& data, std::size_t inizio)
{
    if (data.size() < inizio + 2)
        return 0;
    return std::atoi(data.substr(inizio, 2).c_str());
}

}

std::string testoNumeri(const archive::Archivio& a, int d)
{
    std::string s;
    s.reserve(100);
    for (int w = 0; w < 10; ++w)
        for (int p = 1; p <= 5; ++p)
            s += archive::dueCifre(a.numero(d, w, p));
    return s;
}

std::string recordNumeris3(const archive::Archivio& a, int d)
{
    const std::string& data = a.DateEstrazioni[static_cast<std::size_t>(d)];
    std::string r;
    r.reserve(LunghezzaRecordNumeris3);
    intero16(r, campoData(data, 0));
    intero16(r, campoData(data, 3));
    intero16(r, data.size() >= 2 ? campoData(data, data.size() - 2) : 0);
    r += testoNumeri(a, d);
    intero16(r, a.ProgressivoMese[static_cast<std::size_t>(d)]);
    intero16(r, a.ProgressivoAnno[static_cast<std::size_t>(d)]);
    return r;
}

std::string rigaQuintavo(const archive::Archivio& a, int d)
{
    const std::string& data = a.DateEstrazioni[static_cast<std::size_t>(d)];
    std::string r = testoNumeri(a, d);
    r += data.size() >= 10 ? data.substr(8, 2) + data.substr(3, 2) + data.substr(0, 2) : std::string(6, '0');
    r += archive::dueCifre(a.ProgressivoMese[static_cast<std::size_t>(d)]);
    r += archive::dueCifre(a.ProgressivoAnno[static_cast<std::size_t>(d)]);
    return r;
}

std::string rigaNazionale(const archive::Archivio& a, int d)
{
    const int nz = archive::NumeroRuote - 1;
    const int primo = a.numero(d, nz, 1);
    if (primo < 1 || primo > 90)
        return {};
    std::string r = std::to_string(d);
    r.insert(0, r.size() < 5 ? 5 - r.size() : 0, '0');
    r += '-';
    for (int p = 1; p <= 5; ++p)
        r += archive::dueCifre(a.numero(d, nz, p));
    return r;
}

bool esporta(const archive::Archivio& a, FormatoEsportazione formato, const std::string& percorso,
             avanzamento::Avanzamento* avanzamento, const std::vector<std::string>& ingressi, std::string* motivo)
{
    const int n = a.NumeroEstrazioni;
    try {
        storage::Sostituzione sostituzione(percorso, true, ingressi);
        std::ofstream f(sistema::percorso(sostituzione.provvisorio()), std::ios::binary | std::ios::trunc);
        if (!f)
            throw storage::ErroreSostituzione("Impossibile scrivere il file \"" + percorso + "\"");
        std::string buffer;
        buffer.reserve(static_cast<std::size_t>(n) * 114);
        for (int d = 1; d <= n; ++d) {
            switch (formato) {
            case FormatoEsportazione::Numeris3:
                buffer += recordNumeris3(a, d);
                break;
            case FormatoEsportazione::Quintavo:
                buffer += '"';
                buffer += rigaQuintavo(a, d);
                buffer += "\"\r\n";
                break;
            case FormatoEsportazione::Nazionale:
                if (auto r = rigaNazionale(a, d); !r.empty()) {
                    buffer += r;
                    buffer += "\r\n";
                }
                break;
            }
            if (d % 10 == 0)
                avanzamento::imposta(avanzamento, 1, d, n);
        }
        f.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        f.close();
        if (!f)
            throw storage::ErroreSostituzione("Impossibile scrivere il file \"" + percorso + "\": disco pieno o non scrivibile");
        sostituzione.conferma();
    } catch (const storage::ErroreSostituzione& e) {
        if (motivo)
            *motivo = e.what();
        return false;
    }
    return true;
}

int estrazioniEsportate(const archive::Archivio& a, FormatoEsportazione formato)
{
    if (formato != FormatoEsportazione::Nazionale)
        return a.NumeroEstrazioni;
    int n = 0;
    for (int d = 1; d <= a.NumeroEstrazioni; ++d)
        n += !rigaNazionale(a, d).empty();
    return n;
}

std::string cartellaQuintavo(storage::Database& dbProgramma, const std::string& casa)
{
    try {
        if (dbProgramma.aperto())
            if (auto v = storage::LeggiParametro(dbProgramma, "PercorsoQuintavo"); v && !v->empty())
                return *v;
    } catch (const std::exception&) {
        // An unreadable configuration falls back to the default folder.
    }
    return sistema::testo(sistema::percorso(casa) / "NUMERIS3");
}

std::string cartellaUtente()
{
    return sistema::cartellaPersonale().value_or(".");
}

}
