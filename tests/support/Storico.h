// Where tests and benchmarks find the real historical archive.
#pragma once
#include <string>

namespace testsupport {
// VELMORA_STORICO when set, else ../shared/data/storico.txt beside the project;
// empty when the file does not exist, so callers can skip cleanly.
std::string percorsoStorico();
}
