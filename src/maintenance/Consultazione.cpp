// FgDB from the draws query, its row highlight, the calendar pivot of Query_AAMMGG, the date searches.
#include "maintenance/Consultazione.h"

#include "storage/Database.h"
#include "storage/DrawsDb.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>

namespace maintenance {

std::string testoFgDB(const RigaArchivio& r, int colonna)
{
    if (colonna == 1)
        return r.data;
    if (colonna >= 2 && colonna < ColonneFgDB)
        return r.ruote[static_cast<std::size_t>(colonna - 2)];
    return {};
}

grid::Colore sfondoFgDB(const RigaArchivio& r) { return r.evidenziata ? ColoreRigaCorrente : grid::colori::Bianco; }

std::vector<RigaArchivio> righeArchivio(storage::Database& db)
{
    auto s = db.prepara(storage::QueryEstrazioni);
    std::vector<RigaArchivio> righe;
    righe.reserve(8192);
    while (s.avanza()) {
        auto& r = righe.emplace_back();
        r.data = storage::DataDaDb(std::string(s.vista(0).substr(0, 10)));
        for (int w = 0; w < archive::NumeroRuote; ++w)
            r.ruote[static_cast<std::size_t>(w)] = s.testo(w + 1);
    }
    return righe;
}

int giornoSettimana(int anno, int mese, int giorno)
{
    using namespace std::chrono;
    const year_month_day g{year{anno}, month{static_cast<unsigned>(mese)}, day{static_cast<unsigned>(giorno)}};
    return static_cast<int>(weekday{sys_days{g}}.c_encoding()) + 1;
}

std::string siglaGiorno(int g)
{
    static const char* sigle[] = {"D", "L", "M", "m", "G", "V", "S"};
    return g >= 1 && g <= 7 ? sigle[g - 1] : std::string();
}

Calendario CaricaCalendario(storage::Database& db, int anno, bool sigle)
{
    Calendario calendario;
    calendario.anno = anno;
    // The grouped rows of the year; the columns of the pivot are the days that occur.
    auto s = db.prepara("SELECT Query_AAMMGG.A, Query_AAMMGG.M, Query_AAMMGG.G, Count(*) FROM Query_AAMMGG"
                        " WHERE Query_AAMMGG.A = ?1"
                        " GROUP BY Query_AAMMGG.A, Query_AAMMGG.M, Query_AAMMGG.G"
                        " ORDER BY Query_AAMMGG.A, Query_AAMMGG.M, Query_AAMMGG.G");
    s.lega(1, anno);
    std::map<int, std::map<int, long long>> mesi;   // month -> day -> sum of the weekdays
    std::set<int> giorni;
    while (s.avanza()) {
        const int m = static_cast<int>(s.intero(1));
        const int g = static_cast<int>(s.intero(2));
        if (!storage::DataValida(anno, m, g))
            continue;
        mesi[m][g] += s.intero(3) * giornoSettimana(anno, m, g);
        giorni.insert(g);
    }
    calendario.giorni.assign(giorni.begin(), giorni.end());
    for (const auto& [m, perGiorno] : mesi) {
        MeseCalendario& mese = calendario.mesi.emplace_back();
        mese.anno = anno;
        mese.mese = m;
        mese.sigle = sigle;
        mese.giorni.assign(calendario.giorni.size(), 0);
        for (const auto& [g, somma] : perGiorno) {
            const auto dove = std::lower_bound(calendario.giorni.begin(), calendario.giorni.end(), g);
            mese.giorni[static_cast<std::size_t>(dove - calendario.giorni.begin())] = somma;
        }
    }
    return calendario;
}

std::string intestazioneCalendario(const Calendario& calendario, int colonna)
{
    if (colonna == 1)
        return "A";
    if (colonna == 2)
        return "M";
    const int giorno = colonna - PrimaColonnaGiorni;
    if (giorno < 0 || giorno >= static_cast<int>(calendario.giorni.size()))
        return {};
    return std::to_string(calendario.giorni[static_cast<std::size_t>(giorno)]);
}

std::string testoCalendario(const MeseCalendario& mese, int colonna)
{
    if (colonna == 1)
        return std::to_string(mese.anno);
    if (colonna == 2)
        return std::to_string(mese.mese);
    const int giorno = colonna - PrimaColonnaGiorni;
    if (giorno < 0 || giorno >= static_cast<int>(mese.giorni.size()))
        return {};
    const long long somma = mese.giorni[static_cast<std::size_t>(giorno)];
    if (somma == 0)
        return {};
    return mese.sigle ? siglaGiorno(static_cast<int>(somma)) : std::to_string(somma);
}

std::optional<grid::Colore> sfondoCalendario(int colonna)
{
    if (colonna == 1)
        return ColoreAnno;
    if (colonna == 2)
        return ColoreMese;
    return std::nullopt;
}

std::optional<std::string> dataCalendario(const Calendario& calendario, int riga, int colonna)
{
    const int giorno = colonna - PrimaColonnaGiorni;
    if (riga < 1 || riga > static_cast<int>(calendario.mesi.size()) || giorno < 0
        || giorno >= static_cast<int>(calendario.giorni.size()))
        return std::nullopt;
    const int g = calendario.giorni[static_cast<std::size_t>(giorno)];
    const int m = calendario.mesi[static_cast<std::size_t>(riga - 1)].mese;
    const int a = calendario.anno;
    if (g < 1 || g > 31 || m < 1 || m > 12 || a < 1 || a > 9999)
        return std::nullopt;
    char testo[16];
    std::snprintf(testo, sizeof testo, "%02d/%02d/%04d", g, m, a);
    return std::string(testo);
}

std::optional<int> cercaDataDallaFine(const archive::Archivio& a, const std::string& data)
{
    for (int d = a.NumeroEstrazioni; d >= 1; --d)
        if (a.DateEstrazioni[static_cast<std::size_t>(d)] == data)
            return d;
    return std::nullopt;
}

std::optional<int> cercaDataModello(const archive::Archivio& a, const std::string& data)
{
    const int m = std::min<int>(a.NumeroEstrazioniModello, static_cast<int>(a.ArchivioModello.size()) - 1);
    for (int k = 1; k <= m; ++k) {
        const int d = a.ArchivioModello[static_cast<std::size_t>(k)];
        if (d >= 1 && d <= a.NumeroEstrazioni && a.DateEstrazioni[static_cast<std::size_t>(d)] == data)
            return d;
    }
    return std::nullopt;
}

}
