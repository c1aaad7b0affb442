// Where tests and benchmarks find the real historical archive.
#pragma once
#include <string>

namespace testsupport {
// VELMORA_STORICO when set, else ../shared/data/storico.txt beside the project;
// empty when the file does not exist, so callers can skip cleanly.
std::string percorsoStorico();

// A historical text of `n` days from 1 January 1940 (28 a month, so each is a real day), each with
// the first `ruote` wheels of the official file (Bari first); the numbers differ from wheel to wheel.
std::string giorniConsecutivi(long n, int ruote);
}
