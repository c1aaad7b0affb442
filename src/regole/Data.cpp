// Calendar days: validation, reading and writing of the forms in use.
#include "regole/Data.h"

#include <cstdio>

namespace regole {

namespace {

// The number written by `n` digits from `da`, or -1 when one of them is not a digit.
int numero(std::string_view s, std::size_t da, std::size_t n)
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
    const int g = numero(s, 0, 2), m = numero(s, 3, 2), a = numero(s, 6, 4);
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
    const int a = numero(s, 0, 4), m = numero(s, 5, 2), g = numero(s, 8, 2);
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

int chiave(std::string_view ggmmaaaa)
{
    const auto d = Data::leggi(ggmmaaaa);
    return d ? d->chiave() : 0;
}

}
