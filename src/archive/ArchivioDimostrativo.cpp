// The demonstration archive generator: real draw calendar, simulated numbers.
#include "archive/ArchivioDimostrativo.h"

#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/Sostituzione.h"
#include "archive/Archivio.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace archive {

namespace {

using namespace std::chrono;

// splitmix64: tiny, fast and the same on every platform (std distributions are not).
class Generatore {
public:
    explicit Generatore(std::uint64_t seme) : stato_(seme) {}
    std::uint64_t prossimo()
    {
        std::uint64_t z = (stato_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in 1..90 without modulo bias.
    int numero()
    {
        for (;;) {
            const std::uint64_t v = prossimo() >> 32;
            if (v < 4294967280ULL)   // largest multiple of 90 below 2^32
                return static_cast<int>(v % 90) + 1;
        }
    }

private:
    std::uint64_t stato_;
};

year_month_day leggiData(const std::string& iso)
{
    int a = 0, m = 0, g = 0;
    if (std::sscanf(iso.c_str(), "%d-%d-%d", &a, &m, &g) != 3)
        throw std::invalid_argument("Data non valida: " + iso);
    const year_month_day d{year{a}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(g)}};
    if (!d.ok())
        throw std::invalid_argument("Data non valida: " + iso);
    return d;
}

std::string iso(const year_month_day& d)
{
    char s[16];
    std::snprintf(s, sizeof s, "%04d-%02u-%02u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                  static_cast<unsigned>(d.day()));
    return s;
}

bool festivo(const year_month_day& d)
{
    const unsigned m = static_cast<unsigned>(d.month()), g = static_cast<unsigned>(d.day());
    return (m == 1 && (g == 1 || g == 6)) || (m == 4 && g == 25) || (m == 5 && g == 1) || (m == 6 && g == 2)
           || (m == 8 && g == 15) || (m == 11 && g == 1) || (m == 12 && (g == 8 || g == 25 || g == 26));
}

// The week days with a draw on date `d` (Monday 1 .. Sunday 7 as in ISO).
bool giornoDiEstrazione(sys_days d)
{
    const unsigned wd = weekday{d}.iso_encoding();
    static const sys_days mercoledi{year{1997} / May / 7};
    static const sys_days treGiorni{year{2005} / July / 5};
    static const sys_days quattroGiorni{year{2023} / July / 7};
    if (d >= quattroGiorni)
        return wd == 2 || wd == 4 || wd == 5 || wd == 6;
    if (d >= treGiorni)
        return wd == 2 || wd == 4 || wd == 6;
    if (d >= mercoledi)
        return wd == 3 || wd == 6;
    return wd == 6;
}

std::string campo(const std::array<int, 5>& n)
{
    char s[16];
    std::snprintf(s, sizeof s, "%02d-%02d-%02d-%02d-%02d", n[0], n[1], n[2], n[3], n[4]);
    return s;
}

std::string ggmmaaaa(const std::string& iso)
{
    return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4);
}

void scrivi(const std::string& percorso, const std::string& nome, const std::vector<sys_days>& giorni, std::uint64_t seme)
{
    const sys_days nazionale{year{2005} / May / 4};
    storage::Database db(percorso, storage::PasswordDatabase(), storage::Database::Modo::CreaSeManca, nome);
    storage::Transazione t(db);
    storage::creaSchemaEstrazioni(db);
    auto ins = db.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz,"
                          " datareg, orareg) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)");
    Generatore gen(seme);
    for (const sys_days d : giorni) {
        const std::string data = iso(year_month_day{d});
        ins.lega(1, data);
        const int ruote = d >= nazionale ? 11 : 10;
        for (int w = 0; w < 11; ++w) {
            if (w >= ruote) {
                ins.lega(w + 2, std::string());
                continue;
            }
            std::array<int, 5> n{};
            bool uscito[91] = {};
            for (int p = 0; p < 5; ++p) {
                int x = gen.numero();
                while (uscito[x])
                    x = gen.numero();
                uscito[x] = true;
                n[p] = x;
            }
            ins.lega(w + 2, campo(n));
        }
        // The registration stamp is the draw's own evening, so the file's content never depends on the build time.
        ins.lega(13, data).lega(14, "20:00:00");
        ins.esegui();
    }
    t.conferma();
}

}

EsitoDimostrativo CreaArchivioDimostrativo(const std::string& percorso, const OpzioniDimostrativo& opzioni)
{
    const sys_days inizio{year{1939} / January / 7};
    const sys_days fine{leggiData(opzioni.fine)};

    // The calendar first: a holiday draw moves to the day before.
    std::vector<sys_days> giorni;
    for (sys_days d = inizio; d <= fine; d += days{1}) {
        if (!giornoDiEstrazione(d))
            continue;
        sys_days effettivo = d;
        if (festivo(year_month_day{d}))
            effettivo = d - days{1};
        if (!giorni.empty() && giorni.back() >= effettivo)
            continue;
        giorni.push_back(effettivo);
        if (opzioni.massimo > 0 && static_cast<int>(giorni.size()) >= opzioni.massimo)
            break;
        if (giorni.size() > static_cast<std::size_t>(MaxEstrazioni))
            break;   // already too many: a far date must not build a calendar of centuries
    }
    if (giorni.empty())
        throw std::invalid_argument("Nessuna estrazione nel periodo richiesto");

    if (giorni.size() > static_cast<std::size_t>(MaxEstrazioni))
        throw std::invalid_argument("Il periodo richiesto comprende più di " + std::to_string(MaxEstrazioni)
                                    + " estrazioni, il massimo che un archivio può contenere"
                                    " (anticipare --fine o indicare --massimo)");

    // Written beside the target and renamed over it when complete: a failure leaves the old archive as it was.
    storage::Sostituzione sostituzione(percorso, true);
    scrivi(sostituzione.provvisorio(), percorso, giorni, opzioni.seme);
    sostituzione.conferma();
    return {static_cast<int>(giorni.size()), ggmmaaaa(iso(year_month_day{giorni.front()})),
            ggmmaaaa(iso(year_month_day{giorni.back()}))};
}

}
