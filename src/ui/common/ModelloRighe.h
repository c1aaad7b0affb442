// A table model that owns rows of one type and shows them through one list of column descriptors.
#pragma once

#include "grid/Grid.h"
#include "ui/common/GrigliaView.h"

#include <QFont>
#include <QStringList>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <array>
#include <concepts>
#include <functional>
#include <numeric>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

// One column of a ModelloRighe<Riga>: what it shows of a row and how.
template <class Riga>
struct ColonnaDi {
    QString intestazione;
    // The cell's text.
    std::function<QString(const Riga&)> testo;
    grid::Allineamento allineamento = grid::Allineamento::Sinistra;
    int larghezzaTwips = 960;
    // What the column sorts by (a number, an amount, a date); none: its text.
    std::function<QVariant(const Riga&)> chiave = {};
    // The cell's colours, from the row's state; none: white, black text.
    std::function<std::optional<grid::Colore>(const Riga&)> sfondo = {};
    std::function<std::optional<grid::Colore>(const Riga&)> coloreTesto = {};
    // Whether the cell is drawn in bold, from the row's state; none: never.
    std::function<bool(const Riga&)> grassetto = {};
    // A column kept in the table as text (copied, exported) but not shown.
    bool nascosta = false;
    // The header's tooltip: what the column means.
    QString suggerimento = {};
    // A cell the player types into: given a copy of the row and the typed text (trimmed), it checks the
    // text and applies it, or refuses it (false, after saying why) and the row stays as it was.
    std::function<bool(Riga&, const QString&)> modifica = {};
};

// The columns of a header "A|B|C", each with its width (twips), all with one alignment and their text
// from one function of the row and the column's index (the text the logic's table writers put in the cell).
template <class Riga, std::size_t N, class Testo>
std::vector<ColonnaDi<Riga>> colonneDi(std::string_view intestazione, const std::array<int, N>& larghezze, Testo testo,
                                       grid::Allineamento allineamento = grid::Allineamento::Sinistra)
{
    const QStringList titoli =
        QString::fromUtf8(intestazione.data(), static_cast<qsizetype>(intestazione.size())).split(QLatin1Char('|'));
    std::vector<ColonnaDi<Riga>> colonne(N);
    for (std::size_t c = 0; c < N; ++c) {
        colonne[c].intestazione = titoli.value(static_cast<qsizetype>(c));
        colonne[c].testo = [testo, c](const Riga& r) { return QString::fromStdString(std::invoke(testo, r, static_cast<int>(c))); };
        colonne[c].allineamento = allineamento;
        colonne[c].larghezzaTwips = larghezze[c];
    }
    return colonne;
}

// The role that gives a cell's sort key (ColonnaDi::chiave).
inline constexpr int RuoloChiave = Qt::UserRole + 1;

// Owns its rows; every change is announced for the rows it touches (inserted, removed, changed),
// never by resetting the model, so the view keeps its selection, current cell and scroll position.
// The header, when shown, is row 0 of the table as text (ModelloTabella), as in a grid. The first
// column may be fixed (setFisse(r, 1)): it is then the header down the left (a wheel's code, a row
// selector), still column 0 of the table as text, and the view's columns are the others.
template <class Riga>
class ModelloRighe : public ModelloTabella {
public:
    explicit ModelloRighe(std::vector<ColonnaDi<Riga>> colonne, QObject* genitore = nullptr)
        : ModelloTabella(genitore), colonne_(std::move(colonne))
    {
    }

    const std::vector<Riga>& righe() const { return righe_; }
    const Riga& riga(int i) const { return righe_.at(static_cast<std::size_t>(i)); }
    const ColonnaDi<Riga>& colonna(int c) const { return colonne_.at(static_cast<std::size_t>(c)); }

    // The rows become `nuove`: the rows both have are announced as changed (with an equality, only
    // those that differ), the rest as inserted or removed at the end.
    void sostituisci(std::vector<Riga> nuove)
    {
        const int prima = righeQuante(), dopo = static_cast<int>(nuove.size());
        if (dopo < prima) {
            beginRemoveRows({}, dopo, prima - 1);
            righe_.resize(nuove.size());
            endRemoveRows();
        }
        const int comuni = std::min(prima, dopo);
        int da = -1;   // first row of the run of changed rows being gathered
        for (int i = 0; i < comuni; ++i) {
            auto& vecchia = righe_[static_cast<std::size_t>(i)];
            auto& nuova = nuove[static_cast<std::size_t>(i)];
            bool cambiata = true;
            if constexpr (std::equality_comparable<Riga>)
                cambiata = !(vecchia == nuova);
            if (cambiata) {
                vecchia = std::move(nuova);
                if (da < 0)
                    da = i;
            } else if (da >= 0) {
                righeCambiate(da, i - 1);
                da = -1;
            }
        }
        if (da >= 0)
            righeCambiate(da, comuni - 1);
        if (dopo > prima) {
            beginInsertRows({}, prima, dopo - 1);
            righe_.insert(righe_.end(), std::make_move_iterator(nuove.begin() + prima), std::make_move_iterator(nuove.end()));
            endInsertRows();
        }
    }
    void svuota() { sostituisci({}); }
    // The rows shown through other columns (another way of reading them): the model is reset.
    void setColonne(std::vector<ColonnaDi<Riga>> colonne)
    {
        beginResetModel();
        colonne_ = std::move(colonne);
        endResetModel();
    }
    // `riga` at place `dove` (clamped to 0 .. the number of rows).
    void inserisci(int dove, Riga riga)
    {
        dove = std::clamp(dove, 0, righeQuante());
        beginInsertRows({}, dove, dove);
        righe_.insert(righe_.begin() + dove, std::move(riga));
        endInsertRows();
    }
    void aggiungi(Riga riga) { inserisci(righeQuante(), std::move(riga)); }
    // Removes `quante` rows from `da` (the part inside the table).
    void rimuovi(int da, int quante)
    {
        const int fine = std::min(righeQuante(), da + quante);
        da = std::max(da, 0);
        if (da >= fine)
            return;
        beginRemoveRows({}, da, fine - 1);
        righe_.erase(righe_.begin() + da, righe_.begin() + fine);
        endRemoveRows();
    }
    // Changes row `i` in place through `cambia(Riga&)`; its cells are announced as changed.
    template <class Cambia>
    void modifica(int i, Cambia&& cambia)
    {
        if (i < 0 || i >= righeQuante())
            return;
        cambia(righe_[static_cast<std::size_t>(i)]);
        righeCambiate(i, i);
    }

    // The header row shown (1) or not (0); the first column fixed (1) or not (0).
    void setFisse(int righe, int colonne) override
    {
        const bool intestazione = righe > 0;
        const int fisse = colonne > 0 && !colonne_.empty() ? 1 : 0;
        if (fisse != colonneFisse_) {
            beginResetModel();
            colonneFisse_ = fisse;
            endResetModel();
        }
        if (intestazione == intestazione_)
            return;
        intestazione_ = intestazione;
        emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
    }
    int righeFisse() const override { return intestazione_ ? 1 : 0; }
    int colonneFisse() const override { return colonneFisse_; }
    bool modificabile() const override
    {
        return std::any_of(colonne_.begin(), colonne_.end(), [](const ColonnaDi<Riga>& c) { return bool(c.modifica); });
    }

    grid::Colonna colonnaTesto(int c) const override
    {
        grid::Colonna g;
        if (c < 0 || c >= static_cast<int>(colonne_.size()))
            return g;
        g.larghezzaTwips = colonna(c).larghezzaTwips;
        g.allineamento = colonna(c).allineamento;
        g.nascosta = colonna(c).nascosta;
        return g;
    }

    grid::Grid testoTabella() const override
    {
        const int fisse = righeFisse();
        const int colonne = static_cast<int>(colonne_.size());
        grid::Grid g(righeQuante() + fisse, colonne);
        for (int c = 0; c < colonne; ++c) {
            const auto& col = colonna(c);
            g.setLarghezza(c, col.larghezzaTwips);
            g.setAllineamento(c, col.allineamento);
            g.setNascosta(c, col.nascosta);
            if (fisse)
                g.setTesto(0, c, col.intestazione.toStdString());
            for (int r = 0; r < righeQuante(); ++r) {
                const Riga& riga = righe_[static_cast<std::size_t>(r)];
                g.setTesto(r + fisse, c, col.testo(riga).toStdString());
                if (const auto s = col.sfondo ? col.sfondo(riga) : std::nullopt)
                    g.setSfondo(r + fisse, c, *s);
                if (const auto t = col.coloreTesto ? col.coloreTesto(riga) : std::nullopt)
                    g.setColoreTesto(r + fisse, c, *t);
                if (col.grassetto && col.grassetto(riga))
                    g.setGrassetto(r + fisse, c, r + fisse, c, true);
            }
        }
        return g;
    }

    int rowCount(const QModelIndex& genitore = {}) const override { return genitore.isValid() ? 0 : righeQuante(); }
    int columnCount(const QModelIndex& genitore = {}) const override
    {
        return genitore.isValid() ? 0 : static_cast<int>(colonne_.size()) - colonneFisse_;
    }

    QVariant data(const QModelIndex& indice, int ruolo) const override
    {
        if (!indice.isValid() || indice.row() >= righeQuante() || indice.column() >= columnCount())
            return {};
        return ruoloCella(righe_[static_cast<std::size_t>(indice.row())], colonna(indice.column() + colonneFisse_), ruolo);
    }

    Qt::ItemFlags flags(const QModelIndex& indice) const override
    {
        Qt::ItemFlags f = ModelloTabella::flags(indice);
        if (indice.isValid() && indice.column() < columnCount() && colonna(indice.column() + colonneFisse_).modifica)
            f |= Qt::ItemIsEditable;
        return f;
    }

    // The typed text through the column's `modifica`: only the row it changes is announced.
    bool setData(const QModelIndex& indice, const QVariant& valore, int ruolo) override
    {
        if (!indice.isValid() || ruolo != Qt::EditRole || indice.row() >= righeQuante() || indice.column() >= columnCount())
            return false;
        const int c = indice.column() + colonneFisse_;
        const auto& modifica = colonna(c).modifica;
        if (!modifica)
            return false;
        Riga nuova = righe_[static_cast<std::size_t>(indice.row())];
        if (!modifica(nuova, valore.toString().trimmed()))
            return false;
        righe_[static_cast<std::size_t>(indice.row())] = std::move(nuova);
        righeCambiate(indice.row(), indice.row());
        emit cellaModificata(indice.row() + righeFisse(), c);
        return true;
    }

    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo) const override
    {
        if (orientamento == Qt::Vertical) {
            if (colonneFisse_ == 0)
                return ruolo == Qt::DisplayRole ? QVariant(QString::number(sezione + righeFisse())) : QVariant();
            if (sezione < 0 || sezione >= righeQuante())
                return {};
            // An uncoloured cell keeps the header's look.
            return ruoloCella(righe_[static_cast<std::size_t>(sezione)], colonna(0), ruolo);
        }
        if (sezione < 0 || sezione >= columnCount())
            return {};
        if (!intestazione_)
            return ruolo == Qt::DisplayRole ? QVariant(QString::number(sezione + colonneFisse_)) : QVariant();
        const auto& col = colonna(sezione + colonneFisse_);
        switch (ruolo) {
        case Qt::DisplayRole:
            return col.intestazione;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::ToolTipRole:
            return col.suggerimento.isEmpty() ? QVariant() : QVariant(col.suggerimento);
        default:
            return {};
        }
    }

    // Orders the rows by the column's sort key; rows of equal keys keep their order, a row without a key
    // counts as the smallest. The view's selection and current cell follow their rows.
    void sort(int c, Qt::SortOrder ordine = Qt::AscendingOrder) override
    {
        if (c < 0 || c >= columnCount() || righe_.empty())
            return;
        const auto& col = colonna(c + colonneFisse_);
        std::vector<QVariant> chiavi;
        chiavi.reserve(righe_.size());
        for (const Riga& r : righe_)
            chiavi.push_back(col.chiave ? col.chiave(r) : QVariant(col.testo(r)));
        std::vector<int> ordinate(righe_.size());
        std::iota(ordinate.begin(), ordinate.end(), 0);
        // A strict weak order even with empty keys (a row a value does not apply to).
        const auto minore = [](const QVariant& a, const QVariant& b) {
            if (!a.isValid() || !b.isValid())
                return !a.isValid() && b.isValid();
            return QVariant::compare(a, b) == QPartialOrdering::Less;
        };
        std::stable_sort(ordinate.begin(), ordinate.end(), [&](int a, int b) {
            const auto& ka = chiavi[static_cast<std::size_t>(a)];
            const auto& kb = chiavi[static_cast<std::size_t>(b)];
            return ordine == Qt::AscendingOrder ? minore(ka, kb) : minore(kb, ka);
        });
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<int> nuovoPosto(righe_.size());
        std::vector<Riga> riordinate;
        riordinate.reserve(righe_.size());
        for (std::size_t i = 0; i < ordinate.size(); ++i) {
            nuovoPosto[static_cast<std::size_t>(ordinate[i])] = static_cast<int>(i);
            riordinate.push_back(std::move(righe_[static_cast<std::size_t>(ordinate[i])]));
        }
        righe_ = std::move(riordinate);
        const QModelIndexList vecchi = persistentIndexList();
        QModelIndexList nuovi;
        nuovi.reserve(vecchi.size());
        for (const QModelIndex& i : vecchi)
            nuovi.append(index(nuovoPosto[static_cast<std::size_t>(i.row())], i.column()));
        changePersistentIndexList(vecchi, nuovi);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

private:
    int righeQuante() const { return static_cast<int>(righe_.size()); }

    static QVariant ruoloCella(const Riga& riga, const ColonnaDi<Riga>& col, int ruolo)
    {
        switch (ruolo) {
        case Qt::DisplayRole:
            return col.testo(riga);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(allineamentoQt(col.allineamento));
        case Qt::BackgroundRole:
            return colore(col.sfondo, riga);
        case Qt::ForegroundRole:
            return colore(col.coloreTesto, riga);
        case Qt::FontRole:
            if (col.grassetto && col.grassetto(riga)) {
                QFont f;
                f.setBold(true);
                return f;
            }
            return {};
        case RuoloChiave:
            return col.chiave ? col.chiave(riga) : QVariant(col.testo(riga));
        default:
            return {};
        }
    }

    void righeCambiate(int da, int a)
    {
        if (columnCount() > 0)
            emit dataChanged(index(da, 0), index(a, columnCount() - 1));
        if (colonneFisse_ > 0)
            emit headerDataChanged(Qt::Vertical, da, a);
    }

    static QVariant colore(const std::function<std::optional<grid::Colore>(const Riga&)>& f, const Riga& riga)
    {
        if (!f)
            return {};
        const auto c = f(riga);
        return c ? QVariant(qColore(*c)) : QVariant();
    }

    std::vector<ColonnaDi<Riga>> colonne_;
    std::vector<Riga> righe_;
    bool intestazione_ = true;
    int colonneFisse_ = 0;
};

}
