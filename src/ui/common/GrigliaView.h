// The grid widget every window uses: a Qt table model and view over grid::Grid.
#pragma once

#include "grid/Grid.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QTableView>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QPaintDevice;
class QPrinter;
class QTextDocument;

namespace ui {

class Dialoghi;

// 24-bit program colour (red in the low byte) to QColor and back.
QColor qColore(grid::Colore c);
grid::Colore daQColore(const QColor& c);
// A column's alignment as the view draws it (vertically centred).
Qt::Alignment allineamentoQt(grid::Allineamento a);
// Column widths are kept in twips: 15 twips a pixel at 96 DPI, more pixels on denser screens.
int pixelDaTwips(int twips, double dpi);

// What GrigliaView asks of the model it shows: a text grid's (ModelloGriglia) or rows of a type of
// their own (ModelloRighe). The view speaks the coordinates of the table as text: the fixed row and
// column (0 or 1 of each), shown as the view's headers, come first, so row 0 is the header row.
class ModelloTabella : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    virtual int righeFisse() const = 0;
    virtual int colonneFisse() const = 0;
    virtual void setFisse(int righe, int colonne) = 0;
    // Width (twips), alignment and hiding of column `colonna` of the table as text.
    virtual grid::Colonna colonnaTesto(int colonna) const = 0;
    // The whole table as text, its header rows included, with colours: what is copied, exported, printed.
    virtual grid::Grid testoTabella() const = 0;
    // The view's current cell moved (table coordinates).
    virtual void setCorrente(int /*riga*/, int /*colonna*/) {}
    // Whether some cells take typed text (the view then starts an edit on typing or F2).
    virtual bool modificabile() const { return false; }

signals:
    // A typed text was accepted and stored (table coordinates).
    void cellaModificata(int riga, int colonna);
};

// Rows from `righeFisse` and columns from `colonneFisse` on are table cells; the fixed
// row and column (0 or 1 of each) are shown as the view's headers, so they stay in place
// while a 7000-row grid scrolls.
class ModelloGriglia : public ModelloTabella {
    Q_OBJECT
public:
    ModelloGriglia(grid::Grid& griglia, QObject* genitore = nullptr);

    grid::Grid& griglia() { return griglia_; }
    void setFisse(int righe, int colonne) override;
    int righeFisse() const override { return righeFisse_; }
    int colonneFisse() const override { return colonneFisse_; }
    grid::Colonna colonnaTesto(int colonna) const override { return griglia_.colonna(colonna); }
    grid::Grid testoTabella() const override { return griglia_; }
    void setCorrente(int riga, int colonna) override;

    int rowCount(const QModelIndex& genitore = {}) const override;
    int columnCount(const QModelIndex& genitore = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool setData(const QModelIndex& indice, const QVariant& valore, int ruolo) override;

    // Cells the user may type into (grid coordinates); none unless set. `accetta` sees
    // the typed text before it is stored and may refuse it (the cell keeps its text).
    using Modificabile = std::function<bool(int riga, int colonna)>;
    using Accetta = std::function<bool(int riga, int colonna, const std::string& testo)>;
    void setModificabile(Modificabile modificabile, Accetta accetta = {});
    // Tooltip of the header of grid column c (what the column means).
    void setSuggerimento(int colonna, const QString& testo) { suggerimenti_[colonna] = testo; }
    // The background of a cell worked out when it is drawn, from state the grid only shows (a
    // wheel in play, a chosen operator); none: the grid's own colour.
    using SfondoCalcolato = std::function<std::optional<grid::Colore>(int riga, int colonna)>;
    void setSfondoCalcolato(SfondoCalcolato sfondo) { sfondoCalcolato_ = std::move(sfondo); }
    // The background the cell is drawn with (grid coordinates).
    grid::Colore sfondo(int riga, int colonna) const;

    // After a command rewrote the grid (rows, columns, any cell).
    void ricarica();
    // After a command changed the cells of a range (grid coordinates, inclusive).
    void celleCambiate(int r1, int c1, int r2, int c2);

private:
    QVariant ruoloCella(int riga, int colonna, int ruolo) const;
    QVariant ruoloIntestazione(int riga, int colonna, int ruolo) const;

    grid::Grid& griglia_;
    Modificabile modificabile_;
    Accetta accetta_;
    int righeFisse_ = 1;
    int colonneFisse_ = 0;
    QFont grassetto_;
    std::map<int, QString> suggerimenti_;
    SfondoCalcolato sfondoCalcolato_;
};

class GrigliaView : public QTableView {
    Q_OBJECT
public:
    // Shows `griglia`, which the window owns and its commands fill.
    explicit GrigliaView(grid::Grid& griglia, QWidget* genitore = nullptr);
    // Shows a grid of its own.
    explicit GrigliaView(QWidget* genitore = nullptr);
    // Shows `modello` (rows of a type of their own, see ModelloRighe), which the view then owns.
    explicit GrigliaView(ModelloTabella* modello, QWidget* genitore = nullptr);

    // The grid shown; only for a view of a grid (modello() not null).
    grid::Grid& griglia() { return modelloGriglia_->griglia(); }
    // The grid's model; null when the view shows a model of typed rows.
    ModelloGriglia* modello() const { return modelloGriglia_; }
    ModelloTabella* modelloTabella() const { return modello_; }

    // Fixed rows and columns shown as headers (each 0 or 1; default 1 row, 0 columns).
    void setFisse(int righe, int colonne);
    // Lets the user type into the cells `modificabile` allows (typing, or F2, starts the
    // edit: a double click stays the grid's own event). See ModelloGriglia::setModificabile.
    void setModificabile(ModelloGriglia::Modificabile modificabile, ModelloGriglia::Accetta accetta = {});

    // Shows the grid again after a command changed it: rows, cells, widths, alignment, hidden columns.
    // A model of typed rows announces its own changes: for it only the widths are applied again.
    void aggiorna();
    // Repaints only a range of cells (grid coordinates, inclusive), e.g. after a colour toggle.
    void aggiornaCelle(int r1, int c1, int r2, int c2);

    // The width the view asks of its layout (0: Qt's own); a layout with room to spare
    // gives it, one with less shrinks the view as usual.
    void setLarghezzaPreferita(int pixel) { larghezzaPreferita_ = pixel; updateGeometry(); }
    QSize sizeHint() const override;

    // Shows grid column `colonna` at visual place `posto` (0 = first shown), kept across
    // refreshes; the model and every command still see the grid's own order.
    void spostaColonna(int colonna, int posto);

    // Makes (riga, colonna) the current cell and scrolls it into view.
    void setCellaCorrente(int riga, int colonna);

    // The whole grid as text (tabs and line breaks) on the clipboard.
    void copiaNegliAppunti() const;
    // The selected cells (the whole grid when none is) with their headers, a tab between cells and
    // a line break after each row, as spreadsheets paste them; hidden columns are left out.
    QString testoSelezione() const;
    // "Copia" of the context menu and Ctrl+C: testoSelezione on the clipboard.
    void copiaSelezione() const;
    // "Esporta CSV…": asks for a file and writes the whole grid into it (see testoCsv), replacing it
    // safely. False when cancelled, refused or failed; the user was told which.
    [[nodiscard]] bool esportaCsv();
    // The name "Esporta CSV…" proposes, without extension: the window's title and the grid's name.
    QString nomeEsportazione() const;
    // The dialogs the export asks through: this view's when set, else the program's (set once by Contesto).
    void setDialoghi(Dialoghi& dialoghi) { dialoghi_ = &dialoghi; }
    static void setDialoghiPredefiniti(Dialoghi* dialoghi);
    // Asks for a printer and prints the grid with a title; margins in millimetres. False when cancelled.
    [[nodiscard]] bool stampa(Dialoghi& dialoghi, const QString& titolo, const QMarginsF& marginiMm,
                QPageLayout::Orientation orientamento = QPageLayout::Portrait);

    // Grid coordinates of a point of the viewport, (-1, -1) outside the cells.
    QPoint cellaIn(const QPoint& puntoViewport) const;

    // A further entry of the context menu, after "Copia" and "Esporta CSV…" (objectName `nome`): it runs
    // `azione` with the grid row under the mouse (the current row when the menu came from the keyboard),
    // and is greyed where there is no row.
    void aggiungiAzioneRiga(const QString& testo, const QString& nome, std::function<void(int riga)> azione);

signals:
    // Grid coordinates; row 0 is the header row.
    void clic(int riga, int colonna);
    void doppioClic(int riga, int colonna);
    void mousePremuto(Qt::MouseButton pulsante, int riga, int colonna);
    void cellaCambiata(int riga, int colonna);
    // The user finished typing into a cell and the text was stored.
    void cellaModificata(int riga, int colonna);
    // Space or Enter on the current cell (grid coordinates): the keyboard's click.
    void attivata(int riga, int colonna);

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;
    bool event(QEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;
    void contextMenuEvent(QContextMenuEvent* evento) override;

protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint suggerimento) override;

private:
    void prepara();
    void applicaColonne();

    std::unique_ptr<grid::Grid> propria_;
    ModelloTabella* modello_ = nullptr;
    ModelloGriglia* modelloGriglia_ = nullptr;
    std::vector<std::pair<int, int>> spostate_;
    int larghezzaPreferita_ = 0;
    Dialoghi* dialoghi_ = nullptr;
    struct AzioneRiga {
        QString testo, nome;
        std::function<void(int)> azione;
    };
    std::vector<AzioneRiga> azioniRiga_;
};

// The visible columns of every row of `griglia` as CSV for an Italian spreadsheet: fields separated
// by ";" (the comma is the decimal separator), quoted when they hold ";", quotes or line breaks,
// rows ended by CR LF.
QString testoCsv(const grid::Grid& griglia);

// The board of the 90 numbers ("01" .. "90", nine rows of ten) and the row of the eleven wheel codes,
// their cells `twips` wide and centred: the number and wheel pickers of the windows.
grid::Grid tabellaNumeri(int twips);
grid::Grid tabellaRuote(int twips);

// A grid of fixed cells shown whole, without headers or scroll bars, `righe` rows high: a number
// board, a row of wheels.
void dimensioniEsatte(GrigliaView* v, int righe);

// Prints `griglia` on an already set-up printer: title, then the visible columns as a table
// with their colours and bold. Used by GrigliaView::stampa and by tests (PDF output).
// `righeIntestazione` rows from the top are printed in bold as captions (0 for grids without a header, as Fg1).
void stampaGriglia(QPrinter& stampante, const grid::Grid& griglia, const QString& titolo, int righeIntestazione = 1);

// Paints `documento` page after page over the whole paint area of `dispositivo` (a printer's
// paint area lies inside its margins, which stay the only margins); `nuovaPagina` starts
// each page after the first. Returns the number of pages.
int disegnaPagine(QTextDocument& documento, QPaintDevice& dispositivo, const std::function<void()>& nuovaPagina);

}
