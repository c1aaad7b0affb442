// A demonstration draws database: the real calendar of the draws, with simulated numbers.
#pragma once

#include <cstdint>
#include <string>

namespace archive {

struct OpzioniDimostrativo {
    // Last day the calendar may reach ("AAAA-MM-GG"). Fixed, so that every build ships the same archive.
    std::string fine = "2026-08-22";
    // At most this many draws (0: no limit other than `fine`).
    int massimo = 0;
    std::uint64_t seme = 0x5645'4C4D'4F52'4131ULL;
};

struct EsitoDimostrativo {
    int estrazioni = 0;
    std::string prima;    // "GG/MM/AAAA"
    std::string ultima;   // "GG/MM/AAAA"
};

// Writes a new encrypted draws database at `percorso` in one transaction, beside it first and then
// renamed over any regular file there (keeping its mode); other targets are refused
// (storage::ErroreSostituzione), as is a calendar of more than MaxEstrazioni draws
// (std::invalid_argument), before anything is written. Draw days follow the calendar of the game: Saturdays from 7 January 1939;
// Wednesdays and Saturdays from 7 May 1997; Nazionale from 4 May 2005; Tuesdays, Thursdays
// and Saturdays from 5 July 2005; Fridays as well from 7 July 2023. A draw that falls on a
// public holiday moves to the day before. The numbers are pseudo-random (five different
// numbers 1..90 per wheel) from a fixed seed: they are NOT the real draws.
EsitoDimostrativo CreaArchivioDimostrativo(const std::string& percorso, const OpzioniDimostrativo& opzioni = {});

}
