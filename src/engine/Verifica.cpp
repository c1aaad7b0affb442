// VerificaFormula: the forecast of a formula on every case and its first attempt on the wheels in play.
#include "engine/Verifica.h"

#include "engine/Operatori.h"
#include "engine/Piramide.h"

#include <algorithm>
#include <string>
#include <vector>

namespace engine {

void VerificaFormula(const Formula& f, const ParametriVerifica& pv, const std::vector<int>& casi,
                     std::vector<RigaVerifica>& righe, std::vector<NumeriCaso>& numeri, const archive::Archivio& a)
{
    if (f.tipo < 1 || f.tipo > 7)
        throw ErroreCalcolo("tipo operatore non valido: " + std::to_string(f.tipo));
    if (pv.slot < 1 || pv.slot > 5)
        throw ErroreCalcolo("colonna di verifica non valida: " + std::to_string(pv.slot));
    const auto slot = static_cast<std::size_t>(pv.slot - 1);
    // The last attempt that may be read: never past the reference draw nor the archive.
    const int ultimo = std::min(pv.riferimento, a.NumeroEstrazioni);

    CampiOperatore c = campiDi(f);
    righe.clear();
    // Report row r is righe[r - 1].
    auto aggiungi = [&] {
        righe.emplace_back();
        return static_cast<int>(righe.size());
    };
    auto figure = [&](int r) -> RigaVerifica& { return righe[static_cast<std::size_t>(r - 1)]; };

    for (int k = 1; k <= static_cast<int>(casi.size()); ++k) {
        const int d = casi[static_cast<std::size_t>(k - 1)];
        const int r = aggiungi();
        figure(r).estrazione = d;
        figure(r).caso = k;
        if (d < 1 || d > a.NumeroEstrazioni)
            throw ErroreCalcolo("estrazione del caso fuori archivio: " + std::to_string(d));
        figure(r).data = a.DateEstrazioni[static_cast<std::size_t>(d)];
        if (numeri.size() < static_cast<std::size_t>(k))
            numeri.resize(static_cast<std::size_t>(k));
        std::optional<int>& numero = numeri[static_cast<std::size_t>(k - 1)][slot];
        // A wheel the formula reads was not drawn on the case: no number, no hit.
        if (leggeRuotaNonEstratta(f, d, a)) {
            numero.reset();
            figure(r).celleGiocate[slot] = CellaGiocata::NonEstratta;
            continue;
        }
        // The seven classes differ only in how the inputs are taken from the case draw.
        if (!preparaSu(f, c, d, a))
            throw ErroreCalcolo("tipo operatore non valido: " + std::to_string(f.tipo));
        ElaboraPPP2(c, a);
        const int previsione = c.Risultato;
        numero = previsione;
        figure(r).giocati[slot] = previsione;
        figure(r).celleGiocate[slot] = CellaGiocata::Numero;

        // 0 is the archive's mark of a wheel not drawn: a forecast of 0 would "hit"
        // every such wheel, so only real numbers are looked for.
        if (previsione < 1 || previsione > 90)
            continue;
        bool colpito = false;
        for (int t = d + 1; t <= d + pv.colpi && t <= ultimo && !colpito; ++t) {
            for (int w = 0; w < archive::NumeroRuote; ++w) {
                if (!pv.ruote[w])
                    continue;
                for (int p = 1; p <= 5; ++p) {
                    if (a.numero(t, w, p) != previsione)
                        continue;
                    int riga = r;
                    if (colpito) {
                        riga = aggiungi();
                        figure(riga).giocati[slot] = previsione;
                        figure(riga).celleGiocate[slot] = CellaGiocata::Numero;
                    }
                    figure(riga).ruota = w;
                    figure(riga).usciti[static_cast<std::size_t>(p - 1)] = previsione;
                    figure(riga).colpo = t - d;
                    figure(riga).sorte = 1;
                    colpito = true;
                    break;   // a number is drawn at most once per wheel
                }
            }
        }
    }
}

std::string testoFgL(const RigaVerifica& riga, int colonna)
{
    const auto numero = [](int v) { return v ? std::to_string(v) : std::string(); };
    if (colonna >= colL::G1 && colonna < colL::G1 + 5) {
        const auto j = static_cast<std::size_t>(colonna - colL::G1);
        switch (riga.celleGiocate[j]) {
        case CellaGiocata::Numero:
            return std::to_string(riga.giocati[j]);
        case CellaGiocata::NonEstratta:
            return std::string(TestoRuotaNonEstratta);
        case CellaGiocata::Vuota:
            return {};
        }
    }
    if (colonna >= colL::Pos1 && colonna < colL::Pos1 + 5)
        return numero(riga.usciti[static_cast<std::size_t>(colonna - colL::Pos1)]);
    switch (colonna) {
    case colL::Estr:
        // The case's first row names its draw even when it lies outside the archive.
        return riga.caso ? std::to_string(riga.estrazione) : std::string();
    case colL::Data:
        return riga.data;
    case colL::Rif:
        return numero(riga.caso);
    case colL::Ru:
        return riga.ruota >= 0 && riga.ruota < archive::NumeroRuote ? std::string(archive::SigleRuote[static_cast<std::size_t>(riga.ruota)])
                                                                  : std::string();
    case colL::C:
        return numero(riga.colpo);
    case colL::S:
        return numero(riga.sorte);
    default:
        return {};
    }
}

namespace {
bool sorteRaggiunta(const RigaVerifica& riga) { return riga.sorteRichiesta > 0 && riga.sorte >= riga.sorteRichiesta; }
}

std::optional<grid::Colore> sfondoFgL(const RigaVerifica& riga, int colonna)
{
    if (colonna == colL::N1 || colonna == colL::N2)
        return grid::rgb(255, 255, 192);
    if (colonna == colL::Rif)
        return grid::rgb(255, 224, 192);
    if (colonna >= colL::Pos1 && colonna < colL::Pos1 + 5)
        return grid::rgb(192, 255, 192);
    if (colonna == colL::S)
        return sorteRaggiunta(riga) ? grid::colori::Verde : grid::colori::Giallo;
    return std::nullopt;
}

std::optional<grid::Colore> coloreTestoFgL(int colonna)
{
    if (colonna >= colL::G1 && colonna < colL::G1 + 5)
        return grid::colori::Blu;
    if (colonna >= colL::Pos1 && colonna < colL::Pos1 + 5)
        return grid::colori::Rosso;
    return std::nullopt;
}

bool grassettoFgL(const RigaVerifica& riga, int colonna)
{
    return colonna == colL::Ru || (colonna >= colL::Pos1 && colonna < colL::Pos1 + 5) || (colonna == colL::S && sorteRaggiunta(riga));
}

void scriviFgL(grid::Grid& FgL, const std::vector<RigaVerifica>& righe)
{
    FgL.setRighe(1);
    for (const RigaVerifica& riga : righe) {
        const int r = FgL.aggiungiRiga();
        for (int c = 0; c < FgL.colonne(); ++c) {
            FgL.setTesto(r, c, testoFgL(riga, c));
            if (const auto s = sfondoFgL(riga, c))
                FgL.setSfondo(r, c, *s);
            if (const auto t = coloreTestoFgL(c))
                FgL.setColoreTesto(r, c, *t);
            if (grassettoFgL(riga, c))
                FgL.setGrassetto(r, c, r, c, true);
        }
    }
}

}
