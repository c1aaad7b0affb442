// Small archives and random workbench settings for the searches, and the comparison of the fast search with the plain one.
#pragma once

#include "engine/Numeri.h"
#include "engine/Operatori.h"
#include "storage/ProgramDb.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "support/RicercaRiferimento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace testsupport {

using namespace workbench;

// An archive of `n` draws in which no wheel was drawn: only the numbers a test
// writes can win.
inline archive::Archivio archivioVuoto(int n)
{
    archive::Archivio a;
    a.NumeroEstrazioni = n;
    return a;
}

// The filled result row forecasting `val`; nullptr when none does.
inline const RigaEsito* trova(const RisultatoRicerca& r, int val)
{
    for (const auto& e : r.righe)
        if (!e.vuota() && e.val == val)
            return &e;
    return nullptr;
}

// FgOp with the default catalogue, in code order as the window's query lists it, and
// rows a user's catalogue may hold: types 4 and 5, a whole-draw code under a narrow
// type, an unknown code.
inline void elencaCatalogo(Banco& b)
{
    auto righe = storage::CatalogoPredefinito();
    for (auto [codice, tipo] : std::vector<std::pair<const char*, int>>{
             {"NUM", 5}, {"FIX", 5}, {"VAL", 4}, {"MED", 6}, {"PIRD", 1}, {"NONC", 2}})
        righe.push_back({codice, tipo, "", "", "", "", ""});
    std::stable_sort(righe.begin(), righe.end(), [](const auto& x, const auto& y) { return x.operatore < y.operatore; });
    b.FgOp.setRighe(1);
    for (const auto& r : righe) {
        const int k = b.FgOp.aggiungiRiga();
        b.FgOp.setTesto(k, 1, r.operatore);
        b.FgOp.setNumero(k, 2, r.tipo);
    }
}

// Random workbench settings, cases derived as RICAVA ESTRAZIONI does.
inline void impostaACaso(Banco& b, const archive::Archivio& a, std::mt19937& rng, bool conTipoSette)
{
    auto tra = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    apriBanco(b, a);
    elencaCatalogo(b);
    // Early references reach draws with wheels not drawn and type 5 offsets before draw 1.
    impostaRiferimento(b, a, tra(1, 5) == 1 ? tra(2, 300) : tra(300, a.NumeroEstrazioni));
    // Mensile half of the time: it always finds cases.
    b.rilevazione = tra(0, 1) ? Rilevazione::Mensile : static_cast<Rilevazione>(tra(1, 7));
    b.mensile = tra(0, 3);
    b.forzaUltima = tra(0, 1) == 1;
    b.ruotaBase = tra(0, 10);
    b.numeri = "";
    for (int i = 0, q = tra(1, 6); i < q; ++i) {
        const int n = tra(1, 90);
        b.numeri += (b.numeri.empty() ? "" : "-") + std::string(n < 10 ? "0" : "") + std::to_string(n);
    }
    b.qn = tra(1, 2);
    b.numeroCasi = conTipoSette ? tra(1, 4) : tra(1, 50);
    b.colpi = conTipoSette ? tra(1, 4) : tra(1, 20);
    b.lista = 100 + 50 * tra(0, 18);
    if (tra(0, 1))
        b.lista = 100;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b, w, tra(0, 2) > 0);
    RicavaEstrazioni(b, a);
    b.casiScoperti = tra(0, 2) == 0;
    for (int r = 1; r < b.FgEv.righe(); ++r)
        if (tra(0, 3) == 0)
            b.FgEv.setSfondo(r, 0, colori::Selezione);
    // A few operators of the narrow types, or one wide type (3 or 7) with a narrow one.
    std::vector<int> larghi;
    for (int r = 1; r < b.FgOp.righe(); ++r) {
        const int tipo = static_cast<int>(b.FgOp.valore(r, 2));
        if (tipo == 7 || tipo == 3)
            larghi.push_back(r);
        else if (tra(0, conTipoSette ? 20 : 5) == 0 || (b.FgOp.testo(r, 1) == "PG12" && tra(0, 1)))
            b.FgOp.setSfondo(r, 0, colori::OperatoreScelto);
    }
    if (conTipoSette && !larghi.empty())
        b.FgOp.setSfondo(larghi[static_cast<std::size_t>(tra(0, static_cast<int>(larghi.size()) - 1))], 0,
                         colori::OperatoreScelto);
}

inline void confronta(const ImpostazioniRicerca& imp, const archive::Archivio& a, const std::string& descrizione)
{
    const auto veloce = cercaFormule(imp, a);
    grid::Grid g;
    scriviEsiti(g, veloce.righe, imp.lista, imp.sorte);
    bool anomalia = false;
    const grid::Grid attesa = cercaFormuleRiferimento(imp, a, anomalia);
    EXPECT_EQ(veloce.anomalia, anomalia) << descrizione;
    ASSERT_EQ(g.comeTesto(), attesa.comeTesto()) << descrizione;
}

}
