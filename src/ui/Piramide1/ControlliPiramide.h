// The small builders the panels of Piramide1 share: named combos, lists and grids, wrapped text, clickable labels.
#pragma once

#include "grid/Grid.h"

#include <QLabel>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QListWidget;

namespace archive {
class Archivio;
}
namespace ui {
class GrigliaView;
class ModelloTabella;
}

namespace ui::piramide1 {

inline QString daStd(const std::string& s) { return QString::fromStdString(s); }
// LabelRifE: "index date  M-ordinal" of the reference draw; empty outside the archive.
QString etichettaRiferimento(int d, const archive::Archivio& a);

// A wrapped text of fixed room: a label that reports a height for its width would make the
// scroll area size the whole window by it and scroll where nothing needs to.
class TestoAcapo : public QLabel {
public:
    TestoAcapo(const QString& nome, const QString& testo, QWidget* genitore);
    bool hasHeightForWidth() const override { return false; }
};

// The labels of a panel that act as buttons (LblPN, LabelT, Lbl_Riga, Lbl_setta, Lbl0):
// a left click, or Space or Enter when focused, runs the label's action. Each row of labels
// is one stop of the Tab chain (its first label) and the arrows move inside the row.
// The line edits given to svuotaAlDoppioClic are cleared by a double click.
class Cliccabili : public QObject {
public:
    explicit Cliccabili(QObject* genitore) : QObject(genitore) {}
    QLabel* etichetta(const QString& nome, const QString& testo, const QString& tooltip, QWidget* genitore,
                      std::function<void()> azione);
    // One Tab stop for the whole row, the arrows inside it.
    void riga(std::vector<QLabel*> etichette);
    void svuotaAlDoppioClic(QLineEdit* casella);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    std::vector<std::pair<QObject*, std::function<void()>>> azioni_;
    std::vector<std::vector<QLabel*>> righe_;
    std::vector<QObject*> caselle_;
};

QComboBox* combo(const QString& nome, const QStringList& voci, int scelta, const QString& tooltip, QWidget* genitore);
QStringList numeriDa(int primo, int ultimo, int passo = 1);
QStringList sigleRuote();
QListWidget* lista(const QString& nome, const QStringList& voci, const QString& tooltip, QWidget* genitore);
// A named view of a model of typed rows (ModelloRighe), which the view then owns; no row numbers.
GrigliaView* griglia(const QString& nome, ModelloTabella* modello, QWidget* genitore, int altezzaMinima = 80);
// A row of widgets, left to right, with the rest of the line empty.
QHBoxLayout* fila(std::initializer_list<QWidget*> widgets);
// A clickable label in colour `c` (kept in its property "colore", which the tests read).
void colora(QLabel* l, grid::Colore c);

}
