// INCOLLA ESTRAZIONE and SALVA: the reader of a pasted draw, and what a new draw must pass or be asked about before it is stored.
#pragma once

#include "archive/Archivio.h"
#include "maintenance/Caselle.h"

#include <string>
#include <string_view>
#include <vector>

namespace maintenance {

// The first draw of the Nazionale (04/05/2005): earlier draws have no numbers on it.
constexpr int AnnoNazionale = 2005, MeseNazionale = 5, GiornoNazionale = 4;
// True for a date "GG/MM/AAAA" from the first Nazionale draw on; false for earlier or malformed dates.
bool dataConNazionale(const std::string& data);

// What the reader made of a pasted text: the boxes when it was read, the reason otherwise.
struct LetturaIncollata {
    bool letta = false;
    std::string motivo;   // "Estrazione non letta: ...", names the wheel when one is at fault; empty when read
    Caselle caselle;      // two digits each ("05"); a wheel not in the text stays empty
    // Read, but not whole: the classic wheels the text lacks and the words before five numbers that
    // name no wheel ("Napli"). Empty when every classic wheel was found.
    std::string avviso;
    std::vector<std::string> date;   // the whole dates written in the text ("GG/MM/AAAA"), headings included
};

// INCOLLA ESTRAZIONE. The byte-order mark, no-break and other Unicode spaces separate words as blanks
// do. Dates ("25/08/2026", "25 agosto 2026"), times ("20:00") and ordinals ("n. 136", "Concorso 101")
// are headings: their numbers are never numbers of the draw. A text that names wheels (Bari..Nazionale in any case, or the codes BA CA FI
// GE MI NA PA RM/RO TO VE RN/NZ written in capitals or with a capital) gives each named wheel the
// numbers that follow its name up to the next word; everything that is not a name followed by
// numbers (headings, dates, ordinals, other games' lines) is skipped. A text with no wheel name must
// hold exactly 55 numbers, Bari..Nazionale in order, or 50 on a date `data` before the Nazionale
// (an empty `data` allows either). A wheel with other than five numbers, a number outside 1..90
// or a number repeated in a wheel refuses the whole text naming the wheel and its line: nothing is guessed.
LetturaIncollata leggiEstrazioneIncollata(std::string_view testo, const std::string& data);

// One line per wheel as the CLI prints it: the code, a tab, the stored wheel text ("BA\t05-12-33-44-90").
std::string righeEstrazione(const Caselle& caselle);

// What SALVA must settle before writing a draw dated `data` ("GG/MM/AAAA") over the archive `a`.
struct VerificaNuovaEstrazione {
    std::string rifiuto;               // a reason the draw cannot be stored at all (empty when it can)
    bool giaMemorizzata = false;       // the reason is a draw already stored with that date
    std::vector<std::string> domande;  // questions the player confirms, each ending in "?"
};

// The refusals come first: a date that is not a calendar day, a date after `oggi` ("GG/MM/AAAA"),
// a date already stored, Nazionale numbers on a date before its first draw. The questions: a date
// before the last stored draw (every later draw changes index); a weekday that is not a regular
// draw day of the period, or regular draw days missing between the last stored draw and `data`
// (a weekday is regular when more than half of the weeks with draws, among the eight weeks ending
// with the last draw before `data`, had a draw on it: a one-off day never is); the boxes equal,
// number for number, the stored draw just before or just after `data`; a pasted text that carries
// dates (`dateDelTesto`) none of which is `data`; the Nazionale empty on a date from its first
// draw on. The boxes themselves are checked by ControllaEstrazione, not here.
VerificaNuovaEstrazione rifiutoNuovaEstrazione(const archive::Archivio& a, const std::string& data,
                                               const std::string& oggi);
VerificaNuovaEstrazione verificaNuovaEstrazione(const archive::Archivio& a, const std::string& data, const Caselle& caselle,
                                                const std::string& oggi, const std::vector<std::string>& dateDelTesto = {});

// The refusal of Nazionale numbers on a date before 04/05/2005 (SALVA, MODIFICA); empty otherwise.
std::string rifiutoNazionale(const std::string& data, const Caselle& caselle);

// Today's local date as "GG/MM/AAAA".
std::string dataOdierna();

}
