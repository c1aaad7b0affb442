// One result row of the workbench's formula searches.
#pragma once

#include <optional>
#include <string>

namespace workbench {

// One result row: its score and its formula as the grid shows it (code, type, and the
// parameters of the type; absent fields are empty cells). An empty row has no formula.
struct RigaEsito {
    int cop = 0;
    int tot = 0;
    std::string formula;
    int tipo = 0;
    std::optional<int> p1, r1, p2, r2, val;
    // Set when the search weighed its rows against chance: the cases chance alone would
    // cover, the probability of covering as many, and the number the formula plays on the
    // reference draw.
    std::optional<double> attesi, p;
    std::optional<int> previsione;
    bool vuota() const { return formula.empty(); }
    bool operator==(const RigaEsito&) const = default;
};

}
