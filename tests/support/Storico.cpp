// Locates the real historical archive for tests and benchmarks.
#include "support/Storico.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace testsupport {

std::string percorsoStorico()
{
    namespace fs = std::filesystem;
    if (const char* env = std::getenv("VELMORA_STORICO"); env && *env)
        return fs::exists(env) ? std::string(env) : std::string();
    const fs::path fallback = VELMORA_STORICO_DEFAULT;
    return fs::exists(fallback) ? fallback.string() : std::string();
}

std::string giorniConsecutivi(long n, int ruote)
{
    static const char* const codici[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};
    std::string t;
    t.reserve(static_cast<std::size_t>(n) * static_cast<std::size_t>(ruote) * 30);
    long a = 1940, m = 1, g = 1;
    for (long i = 0; i < n; ++i) {
        for (int w = 0; w < ruote; ++w) {
            char riga[64];
            std::snprintf(riga, sizeof riga, "%04ld/%02ld/%02ld\t%s\t%d\t%d\t%d\t%d\t%d\n", a, m, g, codici[w], w + 1, w + 12,
                          w + 23, w + 34, w + 45);
            t += riga;
        }
        if (++g > 28) {
            g = 1;
            if (++m > 12) {
                m = 1;
                ++a;
            }
        }
    }
    return t;
}

}
