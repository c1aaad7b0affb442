// Grid model and view: colours, bold, alignment, widths in twips, events, clipboard, printing.
#include "ui/common/GrigliaView.h"

#include "archive/Archivio.h"
#include "sistema/Percorsi.h"
#include "storage/Sostituzione.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/Tema.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>

namespace ui {

QColor qColore(grid::Colore c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

grid::Colore daQColore(const QColor& c)
{
    return grid::rgb(c.red(), c.green(), c.blue());
}

int pixelDaTwips(int twips, double dpi)
{
    if (dpi <= 0)
        dpi = 96;
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

Qt::Alignment allineamentoQt(grid::Allineamento a)
{
    switch (a) {
    case grid::Allineamento::Centro: return Qt::AlignCenter;
    case grid::Allineamento::Destra: return Qt::AlignRight | Qt::AlignVCenter;
    case grid::Allineamento::Sinistra: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

namespace {

// A selected cell keeps its colours, which carry the commands' state (a wheel in play, a hit):
// the selection is a frame drawn over it.
class DelegatoGriglia : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The cell's colours as the palette draws them (see coloriDisegno), from the program's own values
    // the model gives (white on black where it gives none).
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& indice) const override
    {
        QStyledItemDelegate::initStyleOption(o, indice);
        if (!indice.isValid())
            return;
        const QVariant sfondo = indice.data(Qt::BackgroundRole), testo = indice.data(Qt::ForegroundRole);
        const ColoriCella colori = coloriDisegno(sfondo.isValid() ? daQColore(sfondo.value<QColor>()) : grid::colori::Bianco,
                                                 testo.isValid() ? daQColore(testo.value<QColor>()) : grid::colori::Nero, o->palette);
        o->backgroundBrush = colori.sfondo;
        o->palette.setColor(QPalette::Text, colori.testo);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& opzioni, const QModelIndex& indice) const override
    {
        QStyleOptionViewItem o(opzioni);
        const bool selezionata = o.state & QStyle::State_Selected;
        o.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(p, o, indice);
        // The cell the keyboard stands on shows even when nothing is selected yet (Tab into the
        // grid): a dashed frame, where a selected cell has a full one.
        const bool corrente = opzioni.state & QStyle::State_HasFocus;
        if (!selezionata && !corrente)
            return;
        p->save();
        p->setPen(QPen(opzioni.palette.color(QPalette::Highlight), selezionata ? 2 : 1, selezionata ? Qt::SolidLine : Qt::DashLine));
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(opzioni.rect).adjusted(1, 1, -1, -1));
        p->restore();
    }
};

Dialoghi* dialoghiPredefiniti = nullptr;

// A cell's text on one line, safe for a spreadsheet: a tab or a line break inside it would split the
// pasted row.
QString testoInRiga(const std::string& testo)
{
    QString t = QString::fromStdString(grid::testoPerFoglioDiCalcolo(testo));
    t.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}
}

QString testoCsv(const grid::Grid& g)
{
    QString csv;
    for (int r = 0; r < g.righe(); ++r) {
        bool prima = true;
        for (int c = 0; c < g.colonne(); ++c) {
            if (g.colonna(c).nascosta)
                continue;
            if (!prima)
                csv += QLatin1Char(';');
            prima = false;
            QString campo = QString::fromStdString(grid::testoPerFoglioDiCalcolo(g.testo(r, c)));
            if (campo.contains(QLatin1Char(';')) || campo.contains(QLatin1Char('"')) || campo.contains(QLatin1Char('\n'))
                || campo.contains(QLatin1Char('\r')))
                campo = QLatin1Char('"') + campo.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
            csv += campo;
        }
        csv += QStringLiteral("\r\n");
    }
    return csv;
}

ModelloGriglia::ModelloGriglia(grid::Grid& griglia, QObject* genitore) : ModelloTabella(genitore), griglia_(griglia)
{
    grassetto_.setBold(true);
}

void ModelloGriglia::setCorrente(int riga, int colonna)
{
    griglia_.rigaCorrente = riga;
    griglia_.colonnaCorrente = colonna;
}

void ModelloGriglia::setFisse(int righe, int colonne)
{
    beginResetModel();
    righeFisse_ = std::clamp(righe, 0, 1);
    colonneFisse_ = std::clamp(colonne, 0, 1);
    endResetModel();
}

int ModelloGriglia::rowCount(const QModelIndex& genitore) const
{
    return genitore.isValid() ? 0 : std::max(0, griglia_.righe() - righeFisse_);
}

int ModelloGriglia::columnCount(const QModelIndex& genitore) const
{
    return genitore.isValid() ? 0 : std::max(0, griglia_.colonne() - colonneFisse_);
}

QVariant ModelloGriglia::ruoloCella(int riga, int colonna, int ruolo) const
{
    switch (ruolo) {
    case Qt::DisplayRole:
        return QString::fromStdString(griglia_.testo(riga, colonna));
    case Qt::BackgroundRole:
        return qColore(sfondo(riga, colonna));
    case Qt::ForegroundRole:
        return qColore(griglia_.coloreTesto(riga, colonna));
    case Qt::FontRole:
        if (griglia_.grassetto(riga, colonna))
            return grassetto_;
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(allineamentoQt(griglia_.colonna(colonna).allineamento));
    default:
        return {};
    }
}

grid::Colore ModelloGriglia::sfondo(int riga, int colonna) const
{
    if (sfondoCalcolato_)
        if (const auto calcolato = sfondoCalcolato_(riga, colonna))
            return *calcolato;
    return griglia_.sfondo(riga, colonna);
}

QVariant ModelloGriglia::data(const QModelIndex& indice, int ruolo) const
{
    if (!indice.isValid())
        return {};
    return ruoloCella(indice.row() + righeFisse_, indice.column() + colonneFisse_, ruolo);
}

QVariant ModelloGriglia::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento == Qt::Horizontal) {
        if (righeFisse_ == 0)
            return ruolo == Qt::DisplayRole ? QVariant(QString::number(sezione + colonneFisse_)) : QVariant();
        if (ruolo == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        if (ruolo == Qt::ToolTipRole) {
            const auto s = suggerimenti_.find(sezione + colonneFisse_);
            return s == suggerimenti_.end() ? QVariant() : QVariant(s->second);
        }
        return ruoloIntestazione(0, sezione + colonneFisse_, ruolo);
    }
    if (colonneFisse_ == 0)
        return ruolo == Qt::DisplayRole ? QVariant(QString::number(sezione + righeFisse_)) : QVariant();
    return ruoloIntestazione(sezione + righeFisse_, 0, ruolo);
}

QVariant ModelloGriglia::ruoloIntestazione(int riga, int colonna, int ruolo) const
{
    if (ruolo != Qt::BackgroundRole && ruolo != Qt::ForegroundRole)
        return ruoloCella(riga, colonna, ruolo);
    // An untouched header cell keeps the header look of the palette, light or dark; a coloured one
    // is drawn like a cell, its text readable on it.
    const grid::Colore sfondo = this->sfondo(riga, colonna), testo = griglia_.coloreTesto(riga, colonna);
    if (sfondo == grid::colori::Bianco && testo == grid::colori::Nero)
        return {};
    QPalette palette = QApplication::palette("QHeaderView");
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, palette.color(QPalette::ButtonText));
    const ColoriCella colori = coloriDisegno(sfondo, testo, palette);
    if (ruolo == Qt::BackgroundRole)
        return sfondo == grid::colori::Bianco ? QVariant() : QVariant(colori.sfondo);
    return colori.testo;
}

Qt::ItemFlags ModelloGriglia::flags(const QModelIndex& indice) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(indice);
    if (indice.isValid() && modificabile_ && modificabile_(indice.row() + righeFisse_, indice.column() + colonneFisse_))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ModelloGriglia::setData(const QModelIndex& indice, const QVariant& valore, int ruolo)
{
    if (!indice.isValid() || ruolo != Qt::EditRole || !modificabile_)
        return false;
    const int r = indice.row() + righeFisse_, c = indice.column() + colonneFisse_;
    const std::string testo = valore.toString().trimmed().toStdString();
    if (!modificabile_(r, c) || (accetta_ && !accetta_(r, c, testo)))
        return false;
    griglia_.setTesto(r, c, testo);
    emit dataChanged(indice, indice);
    emit cellaModificata(r, c);
    return true;
}

void ModelloGriglia::setModificabile(Modificabile modificabile, Accetta accetta)
{
    modificabile_ = std::move(modificabile);
    accetta_ = std::move(accetta);
}

void ModelloGriglia::ricarica()
{
    beginResetModel();
    endResetModel();
}

void ModelloGriglia::celleCambiate(int r1, int c1, int r2, int c2)
{
    if (r1 > r2)
        std::swap(r1, r2);
    if (c1 > c2)
        std::swap(c1, c2);
    if (r1 < righeFisse_ || c1 < colonneFisse_) {
        // A header cell changed: headers repaint as a whole.
        if (r1 < righeFisse_)
            emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
        if (c1 < colonneFisse_)
            emit headerDataChanged(Qt::Vertical, 0, std::max(0, rowCount() - 1));
    }
    const int vr1 = std::max(r1 - righeFisse_, 0), vr2 = std::min(r2 - righeFisse_, rowCount() - 1);
    const int vc1 = std::max(c1 - colonneFisse_, 0), vc2 = std::min(c2 - colonneFisse_, columnCount() - 1);
    if (vr1 <= vr2 && vc1 <= vc2)
        emit dataChanged(index(vr1, vc1), index(vr2, vc2));
}

GrigliaView::GrigliaView(grid::Grid& griglia, QWidget* genitore) : QTableView(genitore)
{
    modello_ = modelloGriglia_ = new ModelloGriglia(griglia, this);
    prepara();
}

GrigliaView::GrigliaView(QWidget* genitore) : QTableView(genitore), propria_(std::make_unique<grid::Grid>())
{
    modello_ = modelloGriglia_ = new ModelloGriglia(*propria_, this);
    prepara();
}

GrigliaView::GrigliaView(ModelloTabella* modello, QWidget* genitore) : QTableView(genitore), modello_(modello)
{
    modello_->setParent(this);
    prepara();
    if (modello_->modificabile())
        setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

void GrigliaView::prepara()
{
    setModel(modello_);
    // Cells are selected for copying; what a click means stays the window's (clic, mousePremuto).
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new DelegatoGriglia(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    // Tab leaves the grid (one stop in the window's tab chain); the arrows move inside it.
    setTabKeyNavigation(false);
    // Fixed row heights: the view then never measures 7000 rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        emit clic(i.row() + modello_->righeFisse(), i.column() + modello_->colonneFisse());
    });
    connect(horizontalHeader(), &QHeaderView::sectionPressed, this, [this](int sezione) {
        if (modello_->righeFisse() == 0)
            return;
        emit mousePremuto(Qt::LeftButton, 0, sezione + modello_->colonneFisse());
        emit clic(0, sezione + modello_->colonneFisse());
    });
    connect(modello_, &ModelloTabella::cellaModificata, this, &GrigliaView::cellaModificata);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
        if (!i.isValid())
            return;
        const int r = i.row() + modello_->righeFisse(), c = i.column() + modello_->colonneFisse();
        modello_->setCorrente(r, c);
        emit cellaCambiata(r, c);
    });
    applicaColonne();
}

void GrigliaView::setFisse(int righe, int colonne)
{
    modello_->setFisse(righe, colonne);
    horizontalHeader()->setVisible(modello_->righeFisse() > 0);
    verticalHeader()->setVisible(modello_->colonneFisse() > 0);
    applicaColonne();
}

void GrigliaView::setModificabile(ModelloGriglia::Modificabile modificabile, ModelloGriglia::Accetta accetta)
{
    if (!modelloGriglia_)
        return;
    modelloGriglia_->setModificabile(std::move(modificabile), std::move(accetta));
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

void GrigliaView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint suggerimento)
{
    // Tab leaves the grid while typing too: the text is stored and the keyboard goes on to the next
    // control, not into the next cell's editor.
    const bool avanti = suggerimento == QAbstractItemDelegate::EditNextItem;
    if (!tabKeyNavigation() && (avanti || suggerimento == QAbstractItemDelegate::EditPreviousItem)) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        focusNextPrevChild(avanti);
        return;
    }
    QTableView::closeEditor(editor, suggerimento);
}

void GrigliaView::applicaColonne()
{
    const double dpi = logicalDpiX();
    const int fc = modello_->colonneFisse();
    const int colonne = modello_->columnCount() + fc;
    // A header is never cut: a column is at least as wide as its header text (the stored width,
    // which the commands read, stays as it is).
    QFont grassetto = horizontalHeader()->font();
    grassetto.setBold(true);
    const QFontMetrics metrica(grassetto);
    const bool intestazione = modello_->righeFisse() > 0 && !horizontalHeader()->isHidden();
    for (int c = fc; c < colonne; ++c) {
        const grid::Colonna col = modello_->colonnaTesto(c);
        setColumnHidden(c - fc, col.nascosta);
        int larghezza = pixelDaTwips(col.larghezzaTwips, dpi);
        if (intestazione && !col.nascosta && larghezza > 0) {
            const QString testo = modello_->headerData(c - fc, Qt::Horizontal, Qt::DisplayRole).toString().trimmed();
            if (!testo.isEmpty())
                larghezza = std::max(larghezza, metrica.horizontalAdvance(testo) + 8);
        }
        setColumnWidth(c - fc, larghezza);
    }
    if (fc > 0 && colonne > 0) {
        const grid::Colonna prima = modello_->colonnaTesto(0);
        verticalHeader()->setVisible(!prima.nascosta);
        verticalHeader()->setFixedWidth(pixelDaTwips(prima.larghezzaTwips, dpi));
    }
    auto* h = horizontalHeader();
    for (const auto& [colonna, posto] : spostate_) {
        const int sezione = colonna - fc;
        if (sezione >= 0 && sezione < h->count() && posto < h->count() && h->visualIndex(sezione) != posto)
            h->moveSection(h->visualIndex(sezione), posto);
    }
}

QSize GrigliaView::sizeHint() const
{
    QSize s = QTableView::sizeHint();
    if (larghezzaPreferita_ > 0)
        s.setWidth(larghezzaPreferita_);
    return s;
}

void GrigliaView::spostaColonna(int colonna, int posto)
{
    const auto gia = std::find_if(spostate_.begin(), spostate_.end(), [colonna](const auto& s) { return s.first == colonna; });
    if (gia != spostate_.end())
        gia->second = posto;
    else
        spostate_.emplace_back(colonna, posto);
    applicaColonne();
}

void GrigliaView::aggiorna()
{
    if (modelloGriglia_)
        modelloGriglia_->ricarica();
    applicaColonne();
}

void GrigliaView::aggiornaCelle(int r1, int c1, int r2, int c2)
{
    if (modelloGriglia_)
        modelloGriglia_->celleCambiate(r1, c1, r2, c2);
}

void GrigliaView::setCellaCorrente(int riga, int colonna)
{
    const QModelIndex i = modello_->index(riga - modello_->righeFisse(), colonna - modello_->colonneFisse());
    if (!i.isValid())
        return;
    setCurrentIndex(i);
    scrollTo(i);
}

void GrigliaView::copiaNegliAppunti() const
{
    // comeTesto's layout, each cell as a spreadsheet may take it.
    const grid::Grid g = modello_->testoTabella();
    QString testo;
    for (int r = 0; r < g.righe(); ++r) {
        for (int c = 0; c < g.colonne(); ++c) {
            if (c)
                testo += QLatin1Char('\t');
            testo += QString::fromStdString(grid::testoPerFoglioDiCalcolo(g.testo(r, c)));
        }
        testo += QStringLiteral("\r\n");
    }
    QApplication::clipboard()->setText(testo);
}

QString GrigliaView::testoSelezione() const
{
    const grid::Grid g = modello_->testoTabella();
    const int fr = modello_->righeFisse(), fc = modello_->colonneFisse();
    std::set<int> righe, colonne;
    std::set<std::pair<int, int>> celle;
    const QModelIndexList scelte = selectionModel()->selectedIndexes();
    for (const QModelIndex& i : scelte) {
        righe.insert(i.row() + fr);
        colonne.insert(i.column() + fc);
        celle.insert({i.row() + fr, i.column() + fc});
    }
    const bool tutta = scelte.isEmpty();
    if (tutta) {
        for (int r = fr; r < g.righe(); ++r)
            righe.insert(r);
        for (int c = fc; c < g.colonne(); ++c)
            colonne.insert(c);
    }
    // The headers the view shows go with the cells: the fixed row above, the fixed column before.
    if (fr > 0 && g.righe() > 0)
        righe.insert(0);
    if (fc > 0 && g.colonne() > 0)
        colonne.insert(0);
    QString testo;
    for (int r : righe) {
        bool prima = true;
        for (int c : colonne) {
            if (g.colonna(c).nascosta)
                continue;
            if (!prima)
                testo += QLatin1Char('\t');
            prima = false;
            // A cell left out of a ragged selection stays an empty field, so the columns line up.
            if (tutta || r < fr || c < fc || celle.count({r, c}))
                testo += testoInRiga(g.testo(r, c));
        }
        testo += QLatin1Char('\n');
    }
    return testo;
}

void GrigliaView::copiaSelezione() const
{
    QApplication::clipboard()->setText(testoSelezione());
}

void GrigliaView::setDialoghiPredefiniti(Dialoghi* dialoghi)
{
    dialoghiPredefiniti = dialoghi;
}

QString GrigliaView::nomeEsportazione() const
{
    // The window the grid is in: inside the main window's area that is its sub-window, whose
    // title is the window's; window() would give the main window's "Velmora" for every grid.
    QString finestra;
    for (const QWidget* w = this; w; w = w->parentWidget())
        if (qobject_cast<const QMdiSubWindow*>(w) || w->isWindow()) {
            finestra = w->windowTitle().trimmed();
            break;
        }
    QString nome = finestra;
    if (!objectName().isEmpty())
        nome += (nome.isEmpty() ? QString() : QStringLiteral(" ")) + objectName();
    if (nome.isEmpty())
        nome = QStringLiteral("Griglia");
    // Characters no file system takes in a name.
    static const QRegularExpression vietati(QStringLiteral("[/\\\\:*?\"<>|]"));
    return nome.replace(vietati, QStringLiteral("_"));
}

bool GrigliaView::esportaCsv()
{
    Dialoghi* d = dialoghi_ ? dialoghi_ : dialoghiPredefiniti;
    if (!d)
        return false;
    const QString titolo = QStringLiteral("Esporta CSV");
    OpzioniFile o;
    o.titolo = titolo;
    o.scopo = QStringLiteral("EsportaCsv");
    o.nomeIniziale = nomeEsportazione() + QStringLiteral(".csv");
    o.filtro = QStringLiteral("File CSV (*.csv)");
    o.estensione = QStringLiteral("csv");
    const auto scelto = d->salvaFile(this, o);
    if (!scelto)
        return false;
    const QString percorso = QDir::toNativeSeparators(*scelto);
    if (QFileInfo::exists(percorso)
        && !d->domandaSiNo(this, QStringLiteral("Il file %1 esiste già. Sostituirlo?").arg(percorso), titolo, Icona::Domanda, true))
        return false;
    const grid::Grid g = modello_->testoTabella();
    try {
        storage::Sostituzione sostituzione(percorso.toStdString(), true);
        {
            std::ofstream file(sistema::percorso(sostituzione.provvisorio()), std::ios::binary | std::ios::trunc);
            const QByteArray contenuto = testoCsv(g).toUtf8();
            file.write(contenuto.constData(), contenuto.size());
            file.close();
            if (!file)
                throw storage::ErroreSostituzione("scrittura non riuscita (disco pieno o non scrivibile)");
        }
        sostituzione.conferma();
    } catch (const std::exception& e) {
        d->messaggio(this, QStringLiteral("Il file %1 non è stato scritto: %2").arg(percorso, QString::fromStdString(e.what())),
                     titolo, Icona::Critica);
        return false;
    }
    // The rows the user sees below the header, which the file holds on its first line.
    const int righe = std::max(0, g.righe() - modello_->righeFisse());
    d->messaggio(this,
                 QStringLiteral("La griglia (%1) è stata esportata nel file %2.")
                     .arg(righe == 1 ? QStringLiteral("1 riga") : QStringLiteral("%1 righe").arg(righe), percorso),
                 titolo, Icona::Informazione);
    return true;
}

void GrigliaView::contextMenuEvent(QContextMenuEvent* evento)
{
    QMenu menu(this);
    QAction* copia = menu.addAction(QStringLiteral("Copia"), this, [this] { copiaSelezione(); });
    copia->setShortcut(QKeySequence::Copy);
    copia->setObjectName(QStringLiteral("Copia"));
    // The export tells the user itself how it went.
    QAction* csv = menu.addAction(QStringLiteral("Esporta CSV…"), this, [this] { static_cast<void>(esportaCsv()); });
    csv->setObjectName(QStringLiteral("EsportaCsv"));
    csv->setEnabled(dialoghi_ || dialoghiPredefiniti);
    if (!azioniRiga_.empty()) {
        const int riga = evento->reason() == QContextMenuEvent::Keyboard
                             ? (currentIndex().isValid() ? currentIndex().row() + modello_->righeFisse() : -1)
                             : cellaIn(evento->pos()).y();   // a mouse menu comes through the viewport
        menu.addSeparator();
        for (const AzioneRiga& a : azioniRiga_) {
            QAction* azione = menu.addAction(a.testo, this, [f = a.azione, riga] { f(riga); });
            azione->setObjectName(a.nome);
            azione->setEnabled(riga >= modello_->righeFisse());
        }
    }
    menu.exec(evento->globalPos());
}

void GrigliaView::aggiungiAzioneRiga(const QString& testo, const QString& nome, std::function<void(int riga)> azione)
{
    azioniRiga_.push_back({testo, nome, std::move(azione)});
}

QPoint GrigliaView::cellaIn(const QPoint& puntoViewport) const
{
    const QModelIndex i = indexAt(puntoViewport);
    if (!i.isValid())
        return {-1, -1};
    return {i.column() + modello_->colonneFisse(), i.row() + modello_->righeFisse()};
}

void GrigliaView::mousePressEvent(QMouseEvent* evento)
{
    const QModelIndex i = indexAt(evento->position().toPoint());
    if (i.isValid())
        emit mousePremuto(evento->button(), i.row() + modello_->righeFisse(), i.column() + modello_->colonneFisse());
    QTableView::mousePressEvent(evento);
}

bool GrigliaView::event(QEvent* evento)
{
    // An Alt key is a button's mnemonic, never the start of a typed cell.
    if (evento->type() == QEvent::ShortcutOverride && (static_cast<QKeyEvent*>(evento)->modifiers() & Qt::AltModifier)) {
        evento->ignore();
        return true;
    }
    return QTableView::event(evento);
}

void GrigliaView::keyPressEvent(QKeyEvent* evento)
{
    // Qt's own Ctrl+C would copy the current cell alone.
    if (evento == QKeySequence::Copy) {
        copiaSelezione();
        evento->accept();
        return;
    }
    const int tasto = evento->key();
    const bool attiva = tasto == Qt::Key_Space || tasto == Qt::Key_Return || tasto == Qt::Key_Enter;
    if (attiva && state() != QAbstractItemView::EditingState && evento->modifiers() == Qt::NoModifier) {
        QModelIndex i = currentIndex();
        if (!i.isValid() && modello_->rowCount() > 0 && modello_->columnCount() > 0) {
            i = modello_->index(0, 0);
            setCurrentIndex(i);
        }
        if (i.isValid()) {
            emit attivata(i.row() + modello_->righeFisse(), i.column() + modello_->colonneFisse());
            evento->accept();
            return;
        }
    }
    QTableView::keyPressEvent(evento);
}

void GrigliaView::paintEvent(QPaintEvent* evento)
{
    QTableView::paintEvent(evento);
    // A grid without rows still shows that the keyboard is on it.
    if (hasFocus() && !currentIndex().isValid()) {
        QPainter p(viewport());
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        p.drawRect(viewport()->rect().adjusted(1, 1, -2, -2));
    }
}

void GrigliaView::mouseDoubleClickEvent(QMouseEvent* evento)
{
    // Reported for any double click on a cell, whatever was pressed before it.
    const QModelIndex i = indexAt(evento->position().toPoint());
    if (i.isValid() && evento->button() == Qt::LeftButton)
        emit doppioClic(i.row() + modello_->righeFisse(), i.column() + modello_->colonneFisse());
    QTableView::mouseDoubleClickEvent(evento);
}

bool GrigliaView::stampa(Dialoghi& dialoghi, const QString& titolo, const QMarginsF& marginiMm,
                         QPageLayout::Orientation orientamento)
{
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setPageOrientation(orientamento);
    stampante.setPageMargins(marginiMm, QPageLayout::Millimeter);
    stampante.setDocName(titolo);
    if (!dialoghi.scegliStampante(this, stampante))
        return false;
    stampaGriglia(stampante, modello_->testoTabella(), titolo, modello_->righeFisse());
    return true;
}

grid::Grid tabellaNumeri(int twips)
{
    grid::Grid g(9, 10);
    for (int n = 1; n <= 90; ++n)
        g.setTesto((n - 1) / 10, (n - 1) % 10, n < 10 ? "0" + std::to_string(n) : std::to_string(n));
    for (int c = 0; c < 10; ++c) {
        g.setLarghezza(c, twips);
        g.setAllineamento(c, grid::Allineamento::Centro);
    }
    return g;
}

grid::Grid tabellaRuote(int twips)
{
    grid::Grid g(1, archive::NumeroRuote);
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        g.setTesto(0, w, std::string(archive::SigleRuote[static_cast<std::size_t>(w)]));
        g.setLarghezza(w, twips);
        g.setAllineamento(w, grid::Allineamento::Centro);
    }
    return g;
}

void dimensioniEsatte(GrigliaView* v, int righe)
{
    v->setFisse(0, 0);
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->aggiorna();
    int larghezza = 2 * v->frameWidth();
    for (int c = 0; c < v->model()->columnCount(); ++c)
        larghezza += v->columnWidth(c);
    v->setFixedSize(larghezza, righe * v->verticalHeader()->defaultSectionSize() + 2 * v->frameWidth());
}

void stampaGriglia(QPrinter& stampante, const grid::Grid& g, const QString& titolo, int righeIntestazione)
{
    QString html;
    html.reserve(g.righe() * g.colonne() * 24 + 256);
    html += QStringLiteral("<html><body><h3>") + titolo.toHtmlEscaped() + QStringLiteral("</h3>");
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">");
    for (int r = 0; r < g.righe(); ++r) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < g.colonne(); ++c) {
            if (g.colonna(c).nascosta)
                continue;
            const auto& cella = g.cella(r, c);
            const char* allinea = g.colonna(c).allineamento == grid::Allineamento::Centro   ? "center"
                                  : g.colonna(c).allineamento == grid::Allineamento::Destra ? "right"
                                                                                            : "left";
            html += QStringLiteral("<td align=\"%1\" bgcolor=\"%2\"><font color=\"%3\">")
                        .arg(QLatin1String(allinea), qColore(cella.sfondo).name(), qColore(cella.testoColore).name());
            const QString testo = QString::fromStdString(cella.testo).toHtmlEscaped();
            html += (cella.grassetto || r < righeIntestazione) ? QStringLiteral("<b>") + testo + QStringLiteral("</b>") : testo;
            html += QStringLiteral("</font></td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table></body></html>");
    QTextDocument documento;
    documento.setHtml(html);
    disegnaPagine(documento, stampante, [&stampante] { stampante.newPage(); });
}

int disegnaPagine(QTextDocument& documento, QPaintDevice& dispositivo, const std::function<void()>& nuovaPagina)
{
    // QTextDocument::print would add its own 2 cm frame inside the printer's margins:
    // the pages are laid out here so the margins the caller gave are the only ones.
    // The layout is done at 96 DPI, as on screen, and scaled to the device.
    static QImage schermo = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(3780);   // 96 DPI whatever the screen
        i.setDotsPerMeterY(3780);
        return i;
    }();
    documento.documentLayout()->setPaintDevice(&schermo);
    documento.setDocumentMargin(0);
    const double scalaX = dispositivo.logicalDpiX() / double(schermo.logicalDpiX());
    const double scalaY = dispositivo.logicalDpiY() / double(schermo.logicalDpiY());
    const QSizeF pagina(dispositivo.width() / scalaX, dispositivo.height() / scalaY);
    documento.setPageSize(pagina);
    const int pagine = documento.pageCount();
    QPainter p(&dispositivo);
    p.scale(scalaX, scalaY);
    for (int i = 0; i < pagine; ++i) {
        if (i > 0 && nuovaPagina)
            nuovaPagina();
        const QRectF area(0, i * pagina.height(), pagina.width(), pagina.height());
        p.save();
        p.translate(0, -area.top());
        documento.drawContents(&p, area);
        p.restore();
    }
    return pagine;
}

}
