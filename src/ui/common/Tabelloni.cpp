// The number and wheel pickers: their columns and their choices.
#include "ui/common/Tabelloni.h"

namespace ui {

namespace {
std::optional<grid::Colore> colore(bool scelto, grid::Colore selezione, grid::Colore normale)
{
    return scelto ? selezione : normale;
}
}

TabelloneNumeri* tabelloneNumeri(int twips, grid::Colore selezione, grid::Colore normale, QObject* genitore)
{
    std::vector<ColonnaDi<DecinaNumeri>> colonne(10);
    for (std::size_t c = 0; c < colonne.size(); ++c) {
        auto& col = colonne[c];
        col.testo = [c](const DecinaNumeri& d) { return QStringLiteral("%1").arg(d.primo + static_cast<int>(c), 2, 10, QLatin1Char('0')); };
        col.chiave = [c](const DecinaNumeri& d) { return QVariant(d.primo + static_cast<int>(c)); };
        col.sfondo = [=](const DecinaNumeri& d) { return colore(d.scelti[c], selezione, normale); };
        col.allineamento = grid::Allineamento::Centro;
        col.larghezzaTwips = twips;
    }
    auto* m = new TabelloneNumeri(std::move(colonne), genitore);
    m->setFisse(0, 0);
    std::vector<DecinaNumeri> decine(9);
    for (std::size_t r = 0; r < decine.size(); ++r)
        decine[r].primo = static_cast<int>(r) * 10 + 1;
    m->sostituisci(std::move(decine));
    return m;
}

TabelloneRuote* tabelloneRuote(int twips, grid::Colore selezione, grid::Colore normale, QObject* genitore)
{
    std::vector<ColonnaDi<RigaRuote>> colonne(archive::NumeroRuote);
    for (std::size_t w = 0; w < colonne.size(); ++w) {
        auto& col = colonne[w];
        col.testo = [w](const RigaRuote&) { return QString::fromLatin1(archive::SigleRuote[w].data(), static_cast<qsizetype>(archive::SigleRuote[w].size())); };
        col.sfondo = [=](const RigaRuote& r) { return colore(r.scelte[w], selezione, normale); };
        col.allineamento = grid::Allineamento::Centro;
        col.larghezzaTwips = twips;
    }
    auto* m = new TabelloneRuote(std::move(colonne), genitore);
    m->setFisse(0, 0);
    m->sostituisci({RigaRuote{}});
    return m;
}

void scegliNumeri(TabelloneNumeri& tabellone, const std::vector<int>& numeri)
{
    std::vector<DecinaNumeri> decine = tabellone.righe();
    for (auto& d : decine)
        d.scelti.fill(false);
    for (int n : numeri)
        if (n >= 1 && n <= 90)
            decine[static_cast<std::size_t>((n - 1) / 10)].scelti[static_cast<std::size_t>((n - 1) % 10)] = true;
    tabellone.sostituisci(std::move(decine));
}

void scegliRuote(TabelloneRuote& tabellone, const std::array<bool, archive::NumeroRuote>& ruote)
{
    tabellone.sostituisci({RigaRuote{ruote}});
}

}
