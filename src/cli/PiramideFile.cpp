// The brick file of the workbench subcommands, read into the bricks of FgF.
#include "cli/PiramideFile.h"

#include "archive/Archivio.h"
#include "cli/Comandi.h"
#include "engine/Formula.h"
#include "engine/Operatori.h"
#include "engine/Piramide.h"
#include "storage/FileDiTesto.h"

#include <array>
#include <sstream>
#include <tuple>
#include <vector>

namespace cli {

std::optional<std::string> erroreFormula(const std::string& codice, int tipo, int P1, int P2, int valore,
                                         const std::string& nomeP1, const std::string& nomeP2)
{
    // An unknown code or type is evaluated as nothing and would print an empty table.
    if (engine::IndiceOperatore(codice) < 0)
        return "operatore sconosciuto '" + storage::estratto(codice) + "'";
    if (tipo < 1 || tipo > 7)
        return "il tipo deve essere fra 1 e 7, non " + std::to_string(tipo);
    const auto posizione = [](const std::string& nome, int p, bool usata) -> std::optional<std::string> {
        if ((usata || p != 0) && (p < 1 || p > 5))
            return "la posizione " + nome + " deve essere fra 1 e 5, non " + std::to_string(p);
        return std::nullopt;
    };
    const auto usati = engine::parametriDellaClasse(tipo);
    if (auto e = posizione(nomeP1, P1, usati.posizione1))
        return e;
    if (auto e = posizione(nomeP2, P2, usati.riferimento2))
        return e;
    if (valore < 0 || valore > 90)
        return "il valore VAL deve essere fra 0 e 90, non " + std::to_string(valore);
    return std::nullopt;
}

void leggiFilePiramide(const std::string& percorso, std::vector<engine::Mattone>& FgF)
{
    std::istringstream in(storage::leggiFileDiTesto(percorso, "il file della piramide"));
    std::string riga;
    for (int numero = 1; std::getline(in, riga); ++numero) {
        if (!riga.empty() && riga.back() == '\r')
            riga.pop_back();
        if (riga.find_first_not_of(" \t") == std::string::npos)
            continue;
        const auto parti = dividi(riga, '\t');
        const std::string dove = percorso + ", riga " + std::to_string(numero);
        if (parti.size() != 8)
            throw ErroreDati(dove + ": servono 8 campi separati da tabulazioni, non '" + storage::estratto(riga) + "'");
        const auto m = interoEsatto(parti[0]);
        if (!m || *m < 1 || *m > engine::NumeroMattoni)
            throw ErroreDati(dove + ": il mattone deve essere fra 1 e 15");
        const std::array<std::size_t, 4> numerici = {2, 3, 5, 7};
        std::array<int, 4> valori{};
        for (std::size_t k = 0; k < numerici.size(); ++k) {
            const std::string& testo = parti[numerici[k]];
            const auto v = testo.empty() ? std::optional<int>(0) : interoEsatto(testo);
            if (!v)
                throw ErroreDati(dove + ": valore non numerico '" + storage::estratto(testo) + "'");
            valori[k] = *v;
        }
        if (const auto e = erroreFormula(parti[1], valori[0], valori[1], valori[2], valori[3], "E1", "E2"))
            throw ErroreDati(dove + ": " + *e);
        if (static_cast<std::size_t>(*m) > FgF.size())
            FgF.resize(static_cast<std::size_t>(*m));
        engine::Mattone& mattone = FgF[static_cast<std::size_t>(*m - 1)];
        auto campo = [&](std::size_t i, int v) { return parti[i].empty() ? std::nullopt : std::optional<int>(v); };
        mattone.codice = parti[1];
        mattone.tipo = campo(2, valori[0]);
        mattone.E1 = campo(3, valori[1]);
        mattone.E2 = campo(5, valori[2]);
        mattone.valore = campo(7, valori[3]);
        const std::array<std::tuple<std::size_t, std::optional<int>*, std::string*>, 2> ruote = {
            {{4, &mattone.R1, &mattone.RU1}, {6, &mattone.R2, &mattone.RU2}}};
        for (auto [i, indice, sigla] : ruote) {
            const std::string& testo = parti[i];
            indice->reset();
            sigla->clear();
            if (testo.empty())
                continue;
            std::optional<int> w = interoEsatto(testo);
            if (w && (*w < 0 || *w >= archive::NumeroRuote))
                throw ErroreDati(dove + ": ruota fuori intervallo '" + storage::estratto(testo) + "'");
            if (!w)
                w = archive::RuotaDaCodice(testo);
            if (!w)
                throw ErroreDati(dove + ": "
                                 + engine::controllaSigla(storage::estratto(testo)).value_or("ruota sconosciuta"));
            *indice = *w;
            *sigla = archive::SigleRuote[static_cast<std::size_t>(*w)];
        }
    }
}

}
