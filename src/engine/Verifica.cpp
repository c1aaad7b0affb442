// VerificaFormula: the forecast of a formula on every case and its first attempt on the wheels in play.
#include "engine/Verifica.h"

#include "engine/Operatori.h"
#include "engine/Piramide.h"

#include <algorithm>
#include <string>
#include <vector>

namespace engine {

void VerificaFormula(const Formula& f, const ParametriVerifica& pv, const std::vector<int>& casi, grid::Grid& FgL,
                     std::vector<RigaVerifica>& righe, std::vector<NumeriCaso>& numeri, const archive::Archivio& a)
{
    if (f.tipo < 1 || f.tipo > 7)
        throw ErroreCalcolo("tipo operatore non valido: " + std::to_string(f.tipo));
    if (pv.slot < 1 || pv.slot > 5)
        throw ErroreCalcolo("colonna di verifica non valida: " + std::to_string(pv.slot));
    const int colonnaSlot = pv.slot + 7;
    // The last attempt that may be read: never past the reference draw nor the archive.
    const int ultimo = std::min(pv.riferimento, a.NumeroEstrazioni);

    CampiOperatore c = campiDi(f);
    FgL.setRighe(1);
    righe.clear();
    // FgL row r and righe[r - 1] are written together.
    auto aggiungi = [&] {
        righe.emplace_back();
        return FgL.aggiungiRiga();
    };
    auto figure = [&](int r) -> RigaVerifica& { return righe[static_cast<std::size_t>(r - 1)]; };

    for (int k = 1; k <= static_cast<int>(casi.size()); ++k) {
        const int d = casi[static_cast<std::size_t>(k - 1)];
        const int r = aggiungi();
        FgL.setNumero(r, colL::Estr, d);
        FgL.setNumero(r, colL::Rif, k);
        figure(r).estrazione = d;
        figure(r).caso = k;
        if (d < 1 || d > a.NumeroEstrazioni)
            throw ErroreCalcolo("estrazione del caso fuori archivio: " + std::to_string(d));
        FgL.setTesto(r, colL::Data, a.DateEstrazioni[static_cast<std::size_t>(d)]);
        if (numeri.size() < static_cast<std::size_t>(k))
            numeri.resize(static_cast<std::size_t>(k));
        std::optional<int>& numero = numeri[static_cast<std::size_t>(k - 1)][static_cast<std::size_t>(pv.slot - 1)];
        // A wheel the formula reads was not drawn on the case: no number, no hit.
        if (leggeRuotaNonEstratta(f, d, a)) {
            numero.reset();
            FgL.setTesto(r, colonnaSlot, std::string(TestoRuotaNonEstratta));
            continue;
        }
        // The seven classes differ only in how the inputs are taken from the case draw.
        if (!preparaSu(f, c, d, a))
            throw ErroreCalcolo("tipo operatore non valido: " + std::to_string(f.tipo));
        ElaboraPPP2(c, a);
        const int previsione = c.Risultato;
        const std::string testo = std::to_string(previsione);
        numero = previsione;
        FgL.setTesto(r, colonnaSlot, testo);
        figure(r).giocati[static_cast<std::size_t>(pv.slot - 1)] = previsione;

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
                        FgL.setTesto(riga, colonnaSlot, testo);
                        figure(riga).giocati[static_cast<std::size_t>(pv.slot - 1)] = previsione;
                    }
                    FgL.setTesto(riga, colL::Ru, archive::SigleRuote[w]);
                    FgL.setNumero(riga, colL::C, t - d);
                    FgL.setTesto(riga, colL::Pos1 + p - 1, testo);
                    FgL.setTesto(riga, colL::S, "1");
                    figure(riga).colpo = t - d;
                    figure(riga).sorte = 1;
                    colpito = true;
                    break;   // a number is drawn at most once per wheel
                }
            }
        }
    }
}

void ColoraFgL(grid::Grid& FgL)
{
    const int ultima = FgL.righe() - 1;
    if (ultima < 1)
        return;
    FgL.setColoreTesto(1, 8, ultima, 12, grid::colori::Blu);
    FgL.setSfondo(1, 6, ultima, 7, grid::rgb(255, 255, 192));
    FgL.setSfondo(1, 3, ultima, 3, grid::rgb(255, 224, 192));
    FgL.setSfondo(1, 14, ultima, 18, grid::rgb(192, 255, 192));
    FgL.setColoreTesto(1, 14, ultima, 18, grid::colori::Rosso);
    FgL.setGrassetto(1, 14, ultima, 18, true);
    FgL.setGrassetto(1, 4, ultima, 4, true);
    FgL.setSfondo(1, 13, ultima, 13, grid::colori::Giallo);
}

}
