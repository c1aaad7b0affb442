// A day of the Gregorian calendar and the written forms the program reads and writes.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace regole {

// True for a real calendar day: year 1 onwards, leap years included (29/02/2000, not 29/02/1900).
bool esiste(int anno, int mese, int giorno);
// The days of month `mese` (1..12) of `anno`.
int giorniNelMese(int anno, int mese);

// A day that exists: a Data is built only through the readers below, so holding one means the
// day was checked. Ordered as the calendar is.
class Data {
public:
    // Nothing when the day is not in the calendar (31/04, 29/02 of a common year, month 13).
    static std::optional<Data> da(int anno, int mese, int giorno);
    // "GG/MM/AAAA", day and month in two digits: the form of every date the program shows and keeps.
    static std::optional<Data> leggi(std::string_view ggmmaaaa);
    // "G/M/AAAA": day and month in one or two digits, as a player types them; year in four.
    static std::optional<Data> leggiLibera(std::string_view testo);
    // "AAAA-MM-GG" (the draws database), or with another separator ("AAAA/MM/GG", the official history file).
    static std::optional<Data> leggiIso(std::string_view testo, char separatore = '-');

    int anno() const { return anno_; }
    int mese() const { return mese_; }
    int giorno() const { return giorno_; }
    // AAAAMMGG as a number: ordered as the days are.
    int chiave() const { return anno_ * 10000 + mese_ * 100 + giorno_; }
    // "GG/MM/AAAA".
    std::string testo() const;
    // "AAAA-MM-GG".
    std::string iso() const;
    Data giornoDopo() const;
    // Days since 01/01/1970 (proleptic Gregorian; negative before it): differences count days.
    long numero() const;
    // The day `numero` days after 01/01/1970, from year 1 on.
    static std::optional<Data> daNumero(long numero);
    // 0 Sunday, 1 Monday .. 6 Saturday.
    int giornoSettimana() const { return static_cast<int>(((numero() % 7) + 11) % 7); }

    friend bool operator==(const Data&, const Data&) = default;
    friend std::strong_ordering operator<=>(const Data& a, const Data& b) { return a.chiave() <=> b.chiave(); }

private:
    Data(int anno, int mese, int giorno) : anno_(anno), mese_(mese), giorno_(giorno) {}
    int anno_, mese_, giorno_;
};

// The AAAAMMGG key of a "GG/MM/AAAA" text, 0 when it is not a day: for searches over dates that
// sort a malformed one first.
int chiave(std::string_view ggmmaaaa);

}
