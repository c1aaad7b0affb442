// The brick file of the workbench subcommands, read into FgF.
#include "cli/PiramideFile.h"

#include "archive/Archivio.h"
#include "cli/Comandi.h"
#include "engine/Piramide.h"

#include <array>
#include <fstream>
#include <optional>
#include <tuple>
#include <vector>

namespace cli {

void leggiFilePiramide(const std::string& percorso, grid::Grid& FgF)
{
    using namespace engine::colF;
    std::ifstream in(percorso);
    if (!in)
        throw ErroreDati("impossibile leggere il file " + percorso);
    std::string riga;
    for (int numero = 1; std::getline(in, riga); ++numero) {
        if (!riga.empty() && riga.back() == '\r')
            riga.pop_back();
        if (riga.find_first_not_of(" \t") == std::string::npos)
            continue;
        const auto parti = dividi(riga, '\t');
        const std::string dove = percorso + ", riga " + std::to_string(numero);
        if (parti.size() != 8)
            throw ErroreDati(dove + ": servono 8 campi separati da tabulazioni");
        const auto m = interoEsatto(parti[0]);
        if (!m || *m < 1 || *m > engine::NumeroMattoni)
            throw ErroreDati(dove + ": il mattone deve essere fra 1 e 15");
        FgF.setTesto(*m, Tras, parti[1]);
        const std::array<std::pair<std::size_t, int>, 4> numerici = {{{2, Tipo}, {3, E1}, {5, E2}, {7, VAL}}};
        for (auto [i, c] : numerici) {
            if (!parti[i].empty() && !interoEsatto(parti[i]))
                throw ErroreDati(dove + ": valore non numerico '" + parti[i] + "'");
            FgF.setTesto(*m, c, parti[i]);
        }
        const std::array<std::tuple<std::size_t, int, int>, 2> ruote = {{{4, R1, RU1}, {6, R2, RU2}}};
        for (auto [i, cIndice, cSigla] : ruote) {
            const std::string& testo = parti[i];
            FgF.setTesto(*m, cIndice, "");
            FgF.setTesto(*m, cSigla, "");
            if (testo.empty())
                continue;
            std::optional<int> w = interoEsatto(testo);
            if (w && (*w < 0 || *w >= archive::NumeroRuote))
                throw ErroreDati(dove + ": ruota fuori intervallo '" + testo + "'");
            if (!w)
                w = archive::RuotaDaCodice(testo);
            if (!w)
                throw ErroreDati(dove + ": " + engine::controllaSigla(testo).value_or("ruota sconosciuta"));
            FgF.setNumero(*m, cIndice, *w);
            FgF.setTesto(*m, cSigla, archive::SigleRuote[static_cast<std::size_t>(*w)]);
        }
    }
}

}
