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

void CaricaGrigliaArchivio(storage::Database& db, grid::Grid& FgDB)
{
    auto s = db.prepara(storage::QueryEstrazioni);
    FgDB.setRighe(1);
    FgDB.setIntestazione("|DataEstrazione|Ba|Ca|Fi|Ge|Mi|Na|Pa|Ro|To|Ve|Nz");
    for (int c = 1; c <= 12; ++c) {
        FgDB.colonna(c).campo = FgDB.testo(0, c);
        FgDB.setAllineamento(c, grid::Allineamento::Centro);
    }
    std::vector<std::vector<std::string>> righe;
    righe.reserve(8192);
    while (s.avanza()) {
        auto& r = righe.emplace_back(13);
        r[1] = storage::DataDaDb(std::string(s.vista(0).substr(0, 10)));
        for (int c = 1; c <= 11; ++c)
            r[static_cast<std::size_t>(c + 1)] = s.testo(c);
    }
    FgDB.setRighe(static_cast<int>(righe.size()) + 1);
    for (std::size_t i = 0; i < righe.size(); ++i)
        for (int c = 1; c <= 12; ++c)
            FgDB.setTesto(static_cast<int>(i) + 1, c, righe[i][static_cast<std::size_t>(c)]);
}

void evidenziaRiga(grid::Grid& FgDB, int riga)
{
    if (FgDB.righe() > 1)
        FgDB.setSfondo(1, 1, FgDB.righe() - 1, 12, grid::colori::Bianco);
    if (riga >= 1 && riga < FgDB.righe())
        FgDB.setSfondo(riga, 1, riga, 12, ColoreRigaCorrente);
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

Calendario CaricaCalendario(storage::Database& db, int anno, bool sigle, grid::Grid& Fg1)
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

    Fg1.setRighe(1);
    Fg1.setColonne(PrimaColonnaGiorni + static_cast<int>(giorni.size()));
    Fg1.setTesto(0, 1, "A");
    Fg1.setTesto(0, 2, "M");
    std::map<int, int> colonnaDi;
    int c = PrimaColonnaGiorni;
    for (int g : giorni) {
        colonnaDi[g] = c;
        calendario.giorni.push_back(g);
        Fg1.setNumero(0, c, g);
        Fg1.setAllineamento(c, grid::Allineamento::Centro);
        ++c;
    }
    Fg1.setAllineamento(1, grid::Allineamento::Centro);
    Fg1.setAllineamento(2, grid::Allineamento::Centro);
    for (const auto& [m, perGiorno] : mesi) {
        const int r = Fg1.aggiungiRiga();
        calendario.mesi.push_back(m);
        Fg1.setNumero(r, 1, anno);
        Fg1.setNumero(r, 2, m);
        for (const auto& [g, somma] : perGiorno)
            Fg1.setTesto(r, colonnaDi[g], sigle ? siglaGiorno(static_cast<int>(somma)) : std::to_string(somma));
    }
    if (Fg1.righe() > 1) {
        Fg1.setSfondo(1, 1, Fg1.righe() - 1, 1, ColoreAnno);
        Fg1.setSfondo(1, 2, Fg1.righe() - 1, 2, ColoreMese);
    }
    return calendario;
}

std::optional<std::string> dataCalendario(const Calendario& calendario, int riga, int colonna)
{
    const int giorno = colonna - PrimaColonnaGiorni;
    if (riga < 1 || riga > static_cast<int>(calendario.mesi.size()) || giorno < 0
        || giorno >= static_cast<int>(calendario.giorni.size()))
        return std::nullopt;
    const int g = calendario.giorni[static_cast<std::size_t>(giorno)];
    const int m = calendario.mesi[static_cast<std::size_t>(riga - 1)];
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
