// Small archives and random workbench settings for the searches, and the comparison of the fast search with the plain one.
#pragma once

#include "engine/Numeri.h"
#include "engine/Operatori.h"
#include "storage/ProgramDb.h"
#include "workbench/Ambate.h"
#include "workbench/Casi.h"
#include "workbench/Trasferimenti.h"
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
    elencaOperatori(b, righe);
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
    for (int r = 1; r <= numeroCasi(b); ++r)
        if (tra(0, 3) == 0)
            setCasoCoperto(b, r, true);
    // A few operators of the narrow types, or one wide type (3 or 7) with a narrow one.
    std::vector<std::string> larghi;
    for (const auto& op : b.operatori) {
        if (op.tipo == 7 || op.tipo == 3)
            larghi.push_back(op.operatore);
        else if (tra(0, conTipoSette ? 20 : 5) == 0 || (op.operatore == "PG12" && tra(0, 1)))
            b.operatoriScelti.insert(op.operatore);
    }
    if (conTipoSette && !larghi.empty())
        b.operatoriScelti.insert(larghi[static_cast<std::size_t>(tra(0, static_cast<int>(larghi.size()) - 1))]);
}

inline void confronta(const ImpostazioniRicerca& imp, const archive::Archivio& a, const std::string& descrizione)
{
    const auto veloce = cercaFormule(imp, a);
    grid::Grid g;
    scriviEsiti(g, veloce.righe, imp.lista, imp.tipo);
    bool anomalia = false;
    const grid::Grid attesa = cercaFormuleRiferimento(imp, a, anomalia);
    EXPECT_EQ(veloce.anomalia, anomalia) << descrizione;
    ASSERT_EQ(g.comeTesto(), attesa.comeTesto()) << descrizione;
}

}
