// A game's payout table: what one euro staked on each sorte pays and the levy kept on wins.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace regole {

// Sorte s = 1 (estratto) .. 5 (cinquina).
constexpr int NumeroSorti = 5;

struct TabellaPremi {
    // Payout per euro of stake of each sorte, in hundredths of a euro (11,23 -> 1123).
    std::array<std::int64_t, NumeroSorti> paga{};
    // Levy on winnings in hundredths of a percent (8% -> 800).
    int ritenuta = 0;
    bool operator==(const TabellaPremi&) const = default;
};

// The Lotto's, as the law sets them today: every default of the program (the new program
// database, the prize rule, "Valori di legge", the help texts) is read from here.
inline constexpr TabellaPremi PremiLotto{{1123, 25000, 450000, 12000000, 600000000}, 800};

// Hundredths as the program writes a payout or a levy: "11.23" (or "11,23"), "8" for 800, "0,5" for 50.
std::string testoCentesimi(std::int64_t centesimi, char separatore = '.');
// "11,23 250 4500 120000 6000000": the payouts of `t`, decimal comma, one space apart.
std::string testoPaghe(const TabellaPremi& t);

}
