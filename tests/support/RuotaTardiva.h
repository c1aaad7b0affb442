// A small archive in which one wheel starts late, as the Nazionale did in 2005: for the rule of the wheel not drawn.
#pragma once

#include "archive/Archivio.h"
#include "archive/CaricaArchivio.h"
#include "archive/ImportaStorico.h"
#include "support/TempDir.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace testsupport {

// The draw from which the Nazionale holds numbers; before it the wheel is empty.
inline constexpr int PrimaNazionale = 16;
inline constexpr int EstrazioniRuotaTardiva = 30;

// 30 Saturdays from 4 January 2020 (four or five a month, so "Mensile" finds cases), every
// wheel drawn, the Nazionale from draw 16 on. Wheel w of draw d holds five different numbers
// spread by a fixed rule, so that formulas score differently.
inline std::string storicoRuotaTardiva()
{
    using namespace std::chrono;
    std::string s;
    sys_days giorno = sys_days(year{2020} / January / 4);
    for (int d = 1; d <= EstrazioniRuotaTardiva; ++d, giorno += days{7}) {
        const year_month_day g(giorno);
        char data[16];
        std::snprintf(data, sizeof data, "%04d/%02u/%02u", static_cast<int>(g.year()), static_cast<unsigned>(g.month()),
                      static_cast<unsigned>(g.day()));
        for (int w = 0; w < archive::NumeroRuote; ++w) {
            if (w == 10 && d < PrimaNazionale)
                continue;
            s += std::string(data) + '\t' + std::string(archive::SigleRuote[static_cast<std::size_t>(w)]);
            for (int p = 1; p <= 5; ++p)
                s += '\t' + std::to_string((d * 7 + w * 13 + p * 17 + (d * d * 3 + w * 5) % 11) % 90 + 1);
            s += '\n';
        }
    }
    return s;
}

// The same archive in memory, imported and loaded once per test program.
inline const archive::Archivio& archivioRuotaTardiva()
{
    static const std::unique_ptr<archive::Archivio> archivio = [] {
        CartellaTemporanea cartella;
        const std::string percorso = cartella.file("tardiva.db");
        archive::ImportaStorico(cartella.scrivi("storico.txt", storicoRuotaTardiva()), percorso);
        auto a = std::make_unique<archive::Archivio>();
        a->EstrazioneIniziale = 1;
        archive::CaricaArchivio(*a, percorso);
        return a;
    }();
    return *archivio;
}

}
