// Presence check and insertion of the operators the program carries beyond the first set, and FG2 showing them.
#include "maintenance/OperatoriMancanti.h"

#include <algorithm>
#include <string>

namespace maintenance {


std::string testoFG2(const storage::RigaOperatore& op, int colonna)
{
    switch (colonna) {
    case colFG2::Oper: return op.operatore;
    case colFG2::Tipo: return std::to_string(op.tipo);
    case colFG2::R1: return op.r1;
    case colFG2::P1: return op.p1;
    case colFG2::R2: return op.r2;
    case colFG2::P2: return op.p2;
    case colFG2::Spiegazione: return op.spiegazione;
    default: return {};
    }
}

void scriviRigaFG2(grid::Grid& FG2, int riga, const storage::RigaOperatore& op)
{
    for (int c = colFG2::Oper; c <= colFG2::Spiegazione; ++c)
        FG2.setTesto(riga, c, testoFG2(op, c));
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
    for (std::size_t i = 0; i < righe.size(); ++i)
        scriviRigaFG2(FG2, static_cast<int>(i) + 1, righe[i]);
    for (int c = colFG2::Oper; c < colFG2::Spiegazione; ++c)
        FG2.setAllineamento(c, grid::Allineamento::Centro);
}

void controllaPresenza(storage::Database& db, Presenze& presenti)
{
    const auto& operatori = OperatoriAggiunti();
    presenti.resize(operatori.size(), false);
    // Codes compare exactly, as the evaluator matches them.
    auto cerca = db.prepara("SELECT 1 FROM Operatori WHERE Operatore = ?1");
    for (std::size_t i = 0; i < operatori.size(); ++i) {
        cerca.riavvolgi();
        cerca.lega(1, operatori[i].operatore);
        if (cerca.avanza())
            presenti[i] = true;
    }
}

int inserisciMancanti(storage::Database& db, const Presenze& presenti)
{
    const auto& operatori = OperatoriAggiunti();
    storage::Transazione t(db);
    auto ins = db.prepara("INSERT INTO Operatori (Operatore, Tipo, R1, P1, R2, P2, Spiegazione)"
                          " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    int inseriti = 0;
    for (std::size_t i = 0; i < operatori.size(); ++i) {
        if (i < presenti.size() && presenti[i])
            continue;
        const auto& op = operatori[i];
        ins.riavvolgi();
        ins.lega(1, op.operatore).lega(2, op.tipo).lega(3, op.r1).lega(4, op.p1).lega(5, op.r2).lega(6, op.p2).lega(7, op.spiegazione);
        ins.esegui();
        ++inseriti;
    }
    t.conferma();
    return inseriti;
}

void mostraPresenze(const Presenze& presenti, grid::Grid& FG2)
{
    for (std::size_t i = 0; i < presenti.size() && static_cast<int>(i) + 1 < FG2.righe(); ++i)
        if (presenti[i])
            FG2.setSfondo(static_cast<int>(i) + 1, colFG2::Oper, static_cast<int>(i) + 1, FG2.colonne() - 1, grid::colori::Verde);
}

}
