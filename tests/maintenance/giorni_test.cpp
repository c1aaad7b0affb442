// The draw-weekday rule of SALVA, on its own: a Sunday is asked about, every other day is not.
#include "maintenance/Incolla.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(GiorniDiEstrazione, DomenicaChiestaGliAltriGiorniNo)
{
    // Weekdays from a calendar, across leap days and century years.
    const std::pair<const char*, bool> date[] = {
        {"23/08/2026", true},  {"25/08/2026", false}, {"29/02/2032", true},  {"01/03/2000", false},
        {"29/02/2000", false}, {"01/01/1939", true},  {"07/01/1939", false}, {"28/02/2100", true},
        {"01/03/2100", false}, {"05/01/2025", true},  {"31/12/2024", false},
    };
    const archive::Archivio vuoto;
    for (const auto& [data, domenica] : date) {
        const auto v = maintenance::verificaNuovaEstrazione(vuoto, data, maintenance::Caselle{}, "31/12/2199");
        EXPECT_EQ(v.rifiuto, "") << data;
        const bool chiesta = std::any_of(v.domande.begin(), v.domande.end(), [&](const std::string& d) {
            return d == std::string("Il ") + data + " è una domenica, giorno in cui il Lotto di norma non estrae. Salvare comunque "
                                                    "l'estrazione con questa data?";
        });
        EXPECT_EQ(chiesta, domenica) << data;
    }
}
