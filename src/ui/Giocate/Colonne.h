// The columns of the plays window's tables: widths in twips, as the views take them.
#pragma once

#include "grid/Grid.h"
#include "plays/GrigliaGiocate.h"

#include <array>

namespace ui::giocate {

// FgGiocate, by plays::colonneGiocate: every column in sight on a 1366-pixel screen beside nothing else.
inline constexpr std::array<int, plays::colonneGiocate::Quante> LarghezzeGiocate = {600,  2600, 1500, 1500, 1200, 1100,
                                                                                    1000, 1000, 1000, 1000, 1200};

// FgVincite, by plays::colonneVincite: narrow enough to show every column beside the form.
inline constexpr std::array<int, plays::colonneVincite::Quante> LarghezzeVincite = {600, 1150, 600, 600, 1000, 600, 1000, 1000};

// FgPagamenti: the five prizes and the withholding, alike.
inline constexpr std::array<int, plays::ColonnaRitenuta + 1> LarghezzeTariffe = {1000, 1000, 1000, 1000, 1000, 1000};

}
