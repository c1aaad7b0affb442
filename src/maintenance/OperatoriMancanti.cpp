// Presence check and insertion of the operators the program carries beyond the first set.
#include "maintenance/OperatoriMancanti.h"

#include <algorithm>
#include <string>

namespace maintenance {

namespace {
constexpr int ColonneFG2 = 8;
// Widths of the design, in twips: the row selector, the code, five narrow fields, the explanation.
constexpr int LarghezzeFG2[ColonneFG2] = {180, 795, 300, 285, 330, 315, 405, 1260};
}

const std::vector<storage::RigaOperatore>& OperatoriAggiunti()
{
    // Taken from the catalogue a new database receives, so both always carry the same texts.
    static const std::vector<storage::RigaOperatore> aggiunti = [] {
        std::vector<storage::RigaOperatore> righe;
        for (const char* codice : {"PER+", "SOM+", "UFIG"}) {
            const auto& c = storage::CatalogoPredefinito();
            const auto it = std::find_if(c.begin(), c.end(), [&](const storage::RigaOperatore& r) { return r.operatore == codice; });
            righe.push_back(*it);
        }
        return righe;
    }();
    return aggiunti;
}

void preparaFG2(grid::Grid& FG2)
{
    FG2.setIntestazione("|Operatore|Tipo|R1|P1|R2|P2|");
    const auto& righe = OperatoriAggiunti();
    FG2.setRighe(1 + static_cast<int>(righe.size()));
    for (int c = 0; c < ColonneFG2; ++c)
        FG2.setLarghezza(c, LarghezzeFG2[c]);
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const storage::RigaOperatore& o = righe[i];
        FG2.setTesto(r, 1, o.operatore);
        FG2.setNumero(r, 2, o.tipo);
        FG2.setTesto(r, 3, o.r1);
        FG2.setTesto(r, 4, o.p1);
        FG2.setTesto(r, 5, o.r2);
        FG2.setTesto(r, 6, o.p2);
        FG2.setTesto(r, 7, o.spiegazione);
    }
    for (int c = 1; c <= 6; ++c)
        FG2.setAllineamento(c, grid::Allineamento::Centro);
}

void controllaPresenza(storage::Database& db, grid::Grid& FG2)
{
    // Codes compare exactly, as the evaluator matches them.
    auto cerca = db.prepara("SELECT 1 FROM Operatori WHERE Operatore = ?1");
    for (int r = 1; r < FG2.righe(); ++r) {
        cerca.riavvolgi();
        cerca.lega(1, FG2.testo(r, 1));
        if (cerca.avanza())
            FG2.setSfondo(r, 1, r, FG2.colonne() - 1, grid::colori::Verde);
    }
}

int inserisciMancanti(storage::Database& db, grid::Grid& FG2)
{
    storage::Transazione t(db);
    auto ins = db.prepara("INSERT INTO Operatori (Operatore, Tipo, R1, P1, R2, P2, Spiegazione)"
                          " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    int inseriti = 0;
    for (int r = 1; r < FG2.righe(); ++r) {
        if (FG2.sfondo(r, 1) == grid::colori::Verde)
            continue;
        ins.riavvolgi();
        // The grid's texts; the column's numeric type turns "7" into 7.
        for (int c = 1; c <= 7; ++c)
            ins.lega(c, FG2.testo(r, c));
        ins.esegui();
        ++inseriti;
    }
    t.conferma();
    return inseriti;
}

}
