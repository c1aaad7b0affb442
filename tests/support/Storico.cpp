// Locates the real historical archive for tests and benchmarks.
#include "support/Storico.h"

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

}
