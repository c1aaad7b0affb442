// The written forms of a payout table.
#include "regole/Premi.h"

#include <cstdio>

namespace regole {

std::string testoCentesimi(std::int64_t centesimi, char separatore)
{
    std::string t = std::to_string(centesimi / 100);
    if (centesimi % 100 != 0) {
        char decimali[8];
        std::snprintf(decimali, sizeof decimali, "%02lld", static_cast<long long>(centesimi % 100));
        t += separatore;
        t += decimali;
        if (t.back() == '0')
            t.pop_back();
    }
    return t;
}

std::string testoPaghe(const TabellaPremi& t)
{
    std::string testo;
    for (const std::int64_t p : t.paga)
        testo += (testo.empty() ? "" : " ") + testoCentesimi(p, ',');
    return testo;
}

}
