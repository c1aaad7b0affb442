// Calendar days: validation, reading and writing of the forms in use.
#include "regole/Data.h"

#include <cstdio>

namespace regole {

namespace {

// The number written by `n` digits from `da`, or -1 when one of them is not a digit.
int cifre(std::string_view s, std::size_t da, std::size_t n)
{
    int v = 0;
    for (std::size_t i = da; i < da + n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return -1;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

}

int giorniNelMese(int anno, int mese)
{
    static constexpr int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mese < 1 || mese > 12)
        return 0;
    const bool bisestile = (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
    return mese == 2 && bisestile ? 29 : giorni[mese - 1];
}

bool esiste(int anno, int mese, int giorno)
{
    return anno >= 1 && mese >= 1 && mese <= 12 && giorno >= 1 && giorno <= giorniNelMese(anno, mese);
}

std::optional<Data> Data::da(int anno, int mese, int giorno)
{
    if (!esiste(anno, mese, giorno))
        return std::nullopt;
    return Data(anno, mese, giorno);
}

std::optional<Data> Data::leggi(std::string_view s)
{
    if (s.size() != 10 || s[2] != '/' || s[5] != '/')
        return std::nullopt;
    const int g = cifre(s, 0, 2), m = cifre(s, 3, 2), a = cifre(s, 6, 4);
    if (g < 0 || m < 0 || a < 0)
        return std::nullopt;
    return da(a, m, g);
}

std::optional<Data> Data::leggiLibera(std::string_view testo)
{
    int parti[3] = {0, 0, 0};
    int k = 0, cifre = 0;
    for (char ch : testo) {
        if (ch == '/') {
            if (cifre == 0 || ++k > 2)
                return std::nullopt;
            cifre = 0;
            continue;
        }
        if (ch < '0' || ch > '9' || ++cifre > (k == 2 ? 4 : 2))
            return std::nullopt;
        parti[k] = parti[k] * 10 + (ch - '0');
    }
    if (k != 2 || cifre != 4)
        return std::nullopt;
    return da(parti[2], parti[1], parti[0]);
}

std::optional<Data> Data::leggiIso(std::string_view s, char separatore)
{
    if (s.size() != 10 || s[4] != separatore || s[7] != separatore)
        return std::nullopt;
    const int a = cifre(s, 0, 4), m = cifre(s, 5, 2), g = cifre(s, 8, 2);
    if (g < 0 || m < 0 || a < 0)
        return std::nullopt;
    return da(a, m, g);
}

std::string Data::testo() const
{
    char t[24];
    std::snprintf(t, sizeof t, "%02d/%02d/%04d", giorno_, mese_, anno_);
    return t;
}

std::string Data::iso() const
{
    char t[24];
    std::snprintf(t, sizeof t, "%04d-%02d-%02d", anno_, mese_, giorno_);
    return t;
}

Data Data::giornoDopo() const
{
    if (giorno_ < giorniNelMese(anno_, mese_))
        return Data(anno_, mese_, giorno_ + 1);
    if (mese_ < 12)
        return Data(anno_, mese_ + 1, 1);
    return Data(anno_ + 1, 1, 1);
}

long Data::numero() const
{
    // Years counted from March, so that the leap day ends the year; eras of 400 years.
    const long anno = anno_ - (mese_ <= 2);
    const long era = (anno >= 0 ? anno : anno - 399) / 400;
    const long annoEra = anno - era * 400;
    const long giornoAnno = (153 * (mese_ + (mese_ > 2 ? -3 : 9)) + 2) / 5 + giorno_ - 1;
    const long giornoEra = annoEra * 365 + annoEra / 4 - annoEra / 100 + giornoAnno;
    return era * 146097 + giornoEra - 719468;
}

std::optional<Data> Data::daNumero(long numero)
{
    const long z = numero + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long giornoEra = z - era * 146097;
    const long annoEra = (giornoEra - giornoEra / 1460 + giornoEra / 36524 - giornoEra / 146096) / 365;
    const long giornoAnno = giornoEra - (365 * annoEra + annoEra / 4 - annoEra / 100);
    const long mp = (5 * giornoAnno + 2) / 153;
    const int giorno = static_cast<int>(giornoAnno - (153 * mp + 2) / 5 + 1);
    const int mese = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return da(static_cast<int>(annoEra + era * 400 + (mese <= 2)), mese, giorno);
}

int chiave(std::string_view ggmmaaaa)
{
    const auto d = Data::leggi(ggmmaaaa);
    return d ? d->chiave() : 0;
}

}
