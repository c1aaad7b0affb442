// The model of typed rows: its column descriptor, its sort keys, its changes announced row by row, its view.
#include "ui/common/ModelloRighe.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QSignalSpy>
#include <QtTest>

namespace {

struct Prova {
    QString nome;
    int valore = 0;
    bool vinta = false;
    bool operator==(const Prova&) const = default;
};

constexpr grid::Colore Verde = grid::colori::Verde;

ui::ModelloRighe<Prova>* nuovoModello(QObject* genitore = nullptr)
{
    std::vector<ui::ColonnaDi<Prova>> colonne(2);
    colonne[0].intestazione = QStringLiteral("Nome");
    colonne[0].testo = [](const Prova& p) { return p.nome; };
    colonne[0].suggerimento = QStringLiteral("Chi");
    colonne[1].intestazione = QStringLiteral("Valore");
    colonne[1].testo = [](const Prova& p) { return QString::number(p.valore); };
    colonne[1].chiave = [](const Prova& p) { return QVariant(p.valore); };
    colonne[1].allineamento = grid::Allineamento::Destra;
    colonne[1].larghezzaTwips = 600;
    colonne[1].sfondo = [](const Prova& p) { return p.vinta ? std::optional<grid::Colore>(Verde) : std::nullopt; };
    return new ui::ModelloRighe<Prova>(std::move(colonne), genitore);
}

std::vector<Prova> tre() { return {{QStringLiteral("a"), 9, false}, {QStringLiteral("b"), 10, true}, {QStringLiteral("c"), 1, false}}; }

// Rows tre(), the value typed into column 1 (0 to 99); `visti` gets every text the hook is given.
ui::ModelloRighe<Prova>* modificabile(QStringList* visti)
{
    std::vector<ui::ColonnaDi<Prova>> colonne(2);
    colonne[0].testo = [](const Prova& p) { return p.nome; };
    colonne[1].testo = [](const Prova& p) { return QString::number(p.valore); };
    colonne[1].modifica = [visti](Prova& p, const QString& testo) {
        *visti << testo;
        bool ok = false;
        const int v = testo.toInt(&ok);
        p.valore = v;   // a refused text must not reach the row even when written here
        return ok && v >= 0 && v < 100;
    };
    auto* m = new ui::ModelloRighe<Prova>(std::move(colonne));
    m->sostituisci(tre());
    return m;
}

// Every signal a model may send about its rows, to check which ones a change sent.
struct Spie {
    explicit Spie(QAbstractItemModel* m)
        : reset(m, &QAbstractItemModel::modelReset), inserite(m, &QAbstractItemModel::rowsInserted),
          rimosse(m, &QAbstractItemModel::rowsRemoved), cambiate(m, &QAbstractItemModel::dataChanged),
          layout(m, &QAbstractItemModel::layoutChanged)
    {
    }
    // (first, last) of the dataChanged signals.
    std::vector<std::pair<int, int>> righeCambiate() const
    {
        std::vector<std::pair<int, int>> r;
        for (const auto& s : cambiate)
            r.emplace_back(s.at(0).toModelIndex().row(), s.at(1).toModelIndex().row());
        return r;
    }
    QSignalSpy reset, inserite, rimosse, cambiate, layout;
};

}

class TestModelloRighe : public QObject {
    Q_OBJECT
private slots:
    void colonneDalDescrittore()
    {
        std::unique_ptr<ui::ModelloRighe<Prova>> m(nuovoModello());
        m->sostituisci(tre());
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->columnCount(), 2);
        QCOMPARE(m->data(m->index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("b"));
        QCOMPARE(m->data(m->index(1, 1), Qt::DisplayRole).toString(), QStringLiteral("10"));
        QCOMPARE(m->data(m->index(1, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
        // The colour comes from the row's state; a row without it and a column without a rule give none.
        QCOMPARE(m->data(m->index(1, 1), Qt::BackgroundRole).value<QColor>(), ui::qColore(Verde));
        QVERIFY(!m->data(m->index(0, 1), Qt::BackgroundRole).isValid());
        QVERIFY(!m->data(m->index(1, 0), Qt::BackgroundRole).isValid());
        QVERIFY(!m->data(m->index(3, 0), Qt::DisplayRole).isValid());
        // Sort keys: the column's own, else the text.
        QCOMPARE(m->data(m->index(1, 1), ui::RuoloChiave), QVariant(10));
        QCOMPARE(m->data(m->index(1, 0), ui::RuoloChiave), QVariant(QStringLiteral("b")));
        QCOMPARE(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Valore"));
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Chi"));
        QVERIFY(!m->headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
        QVERIFY(!m->headerData(2, Qt::Horizontal, Qt::DisplayRole).isValid());

        // As text: the header row, then the rows, with the widths, alignments and colours.
        const grid::Grid g = m->testoTabella();
        QCOMPARE(g.righe(), 4);
        QCOMPARE(QString::fromStdString(g.comeTesto("\n")), QStringLiteral("Nome\tValore\na\t9\nb\t10\nc\t1\n"));
        QCOMPARE(g.sfondo(2, 1), Verde);
        QCOMPARE(g.sfondo(1, 1), grid::colori::Bianco);
        QCOMPARE(g.colonna(1).larghezzaTwips, 600);
        QCOMPARE(g.colonna(1).allineamento, grid::Allineamento::Destra);
        QCOMPARE(m->colonnaTesto(1).larghezzaTwips, 600);

        // Without the header row the table is the rows alone.
        m->setFisse(0, 0);
        QCOMPARE(m->righeFisse(), 0);
        QCOMPARE(m->testoTabella().righe(), 3);
        QCOMPARE(QString::fromStdString(m->testoTabella().testo(0, 0)), QStringLiteral("a"));
    }

    void sostituisciAnnunciaSoloLeRigheToccate()
    {
        std::unique_ptr<ui::ModelloRighe<Prova>> m(nuovoModello());
        Spie s(m.get());
        m->sostituisci(tre());
        QCOMPARE(s.inserite.size(), 1);
        QCOMPARE(s.inserite.at(0).at(1).toInt(), 0);
        QCOMPARE(s.inserite.at(0).at(2).toInt(), 2);
        QVERIFY(s.cambiate.isEmpty());

        // The same rows again: nothing to say.
        s.inserite.clear();
        m->sostituisci(tre());
        QVERIFY(s.cambiate.isEmpty() && s.inserite.isEmpty() && s.rimosse.isEmpty());

        // Rows 0 and 2 differ, row 1 is kept, two rows more: two runs changed, then an insertion at the end.
        auto nuove = tre();
        nuove[0].valore = 90;
        nuove[2].vinta = true;
        nuove.push_back({QStringLiteral("d"), 4, false});
        nuove.push_back({QStringLiteral("e"), 5, false});
        m->sostituisci(nuove);
        QCOMPARE(s.righeCambiate(), (std::vector<std::pair<int, int>>{{0, 0}, {2, 2}}));
        QCOMPARE(s.inserite.size(), 1);
        QCOMPARE(s.inserite.at(0).at(1).toInt(), 3);
        QCOMPARE(s.inserite.at(0).at(2).toInt(), 4);
        QCOMPARE(m->righe(), nuove);

        // Fewer rows: the tail removed, the rows left that changed announced.
        s.cambiate.clear();
        m->sostituisci({{QStringLiteral("z"), 90, false}, nuove[1]});
        QCOMPARE(s.rimosse.size(), 1);
        QCOMPARE(s.rimosse.at(0).at(1).toInt(), 2);
        QCOMPARE(s.rimosse.at(0).at(2).toInt(), 4);
        QCOMPARE(s.righeCambiate(), (std::vector<std::pair<int, int>>{{0, 0}}));
        QCOMPARE(m->rowCount(), 2);

        s.rimosse.clear();
        m->svuota();
        QCOMPARE(s.rimosse.size(), 1);
        QCOMPARE(m->rowCount(), 0);
        m->svuota();   // nothing left: nothing announced
        QCOMPARE(s.rimosse.size(), 1);
        QCOMPARE(s.reset.size(), 0);
    }

    void inserisciRimuoviModifica()
    {
        std::unique_ptr<ui::ModelloRighe<Prova>> m(nuovoModello());
        m->sostituisci(tre());
        Spie s(m.get());
        m->inserisci(1, {QStringLiteral("x"), 7, false});
        m->inserisci(99, {QStringLiteral("y"), 8, false});   // past the end: appended
        m->aggiungi({QStringLiteral("w"), 6, false});
        QCOMPARE(s.inserite.size(), 3);
        QCOMPARE(s.inserite.at(0).at(1).toInt(), 1);
        QCOMPARE(s.inserite.at(1).at(1).toInt(), 4);
        QCOMPARE(s.inserite.at(2).at(1).toInt(), 5);
        QCOMPARE(m->riga(1).nome, QStringLiteral("x"));
        QCOMPARE(m->riga(4).nome, QStringLiteral("y"));

        m->rimuovi(4, 10);   // the part inside the table: rows 4 and 5
        m->rimuovi(-1, 1);   // nothing there
        QCOMPARE(s.rimosse.size(), 1);
        QCOMPARE(s.rimosse.at(0).at(1).toInt(), 4);
        QCOMPARE(s.rimosse.at(0).at(2).toInt(), 5);
        QCOMPARE(m->rowCount(), 4);

        m->modifica(2, [](Prova& p) { p.vinta = true; });
        m->modifica(9, [](Prova& p) { p.vinta = true; });   // no such row: nothing
        QCOMPARE(s.righeCambiate(), (std::vector<std::pair<int, int>>{{2, 2}}));
        QCOMPARE(s.cambiate.at(0).at(1).toModelIndex().column(), 1);
        QCOMPARE(m->data(m->index(2, 1), Qt::BackgroundRole).value<QColor>(), ui::qColore(Verde));
        QCOMPARE(s.reset.size(), 0);
    }

    void ordinaPerChiaveEDAnchePerTesto()
    {
        std::unique_ptr<ui::ModelloRighe<Prova>> m(nuovoModello());
        m->sostituisci({{QStringLiteral("a"), 9, false}, {QStringLiteral("b"), 10, true}, {QStringLiteral("c"), 9, false}});
        QPersistentModelIndex b = m->index(1, 1);
        Spie s(m.get());
        // By value, not by text ("10" < "9"); equal keys keep their order.
        m->sort(1, Qt::AscendingOrder);
        QCOMPARE(m->riga(0).nome, QStringLiteral("a"));
        QCOMPARE(m->riga(1).nome, QStringLiteral("c"));
        QCOMPARE(m->riga(2).nome, QStringLiteral("b"));
        QCOMPARE(b.row(), 2);
        QCOMPARE(b.data().toString(), QStringLiteral("10"));
        m->sort(1, Qt::DescendingOrder);
        QCOMPARE(m->riga(0).nome, QStringLiteral("b"));
        QCOMPARE(m->riga(1).nome, QStringLiteral("a"));
        QCOMPARE(m->riga(2).nome, QStringLiteral("c"));
        QCOMPARE(b.row(), 0);
        // A column without a key sorts by its text.
        m->sort(0, Qt::DescendingOrder);
        QCOMPARE(m->riga(0).nome, QStringLiteral("c"));
        QCOMPARE(s.layout.size(), 3);
        QCOMPARE(s.reset.size(), 0);
        m->sort(5);   // no such column: nothing
        QCOMPARE(s.layout.size(), 3);
    }

    void righeSenzaChiavePrima()
    {
        std::vector<ui::ColonnaDi<Prova>> colonne(1);
        colonne[0].testo = [](const Prova& p) { return p.nome; };
        colonne[0].chiave = [](const Prova& p) { return p.vinta ? QVariant(p.valore) : QVariant(); };
        ui::ModelloRighe<Prova> m(std::move(colonne));
        m.sostituisci({{QStringLiteral("a"), 5, true}, {QStringLiteral("b"), 0, false}, {QStringLiteral("c"), 2, true},
                       {QStringLiteral("d"), 0, false}});
        m.sort(0, Qt::AscendingOrder);
        QCOMPARE(m.testoTabella().comeTesto(","), std::string(",b,d,c,a,"));
        m.sort(0, Qt::DescendingOrder);
        QCOMPARE(m.testoTabella().comeTesto(","), std::string(",a,c,b,d,"));
    }

    void nellaVistaDelleGriglie()
    {
        auto* m = nuovoModello();
        m->sostituisci(tre());
        ui::GrigliaView v(m);
        QVERIFY(m->parent() == &v);
        QVERIFY(v.modello() == nullptr);
        QVERIFY(v.modelloTabella() == m);
        v.resize(400, 200);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        // The width in twips (600: 40 pixels at 96 DPI), never narrower than the header.
        QVERIFY(v.columnWidth(1) >= ui::pixelDaTwips(600, v.logicalDpiX()));
        // Copying speaks the table's coordinates: the header row goes with the selected cells.
        v.selectionModel()->select(m->index(1, 1), QItemSelectionModel::Select);
        QCOMPARE(v.testoSelezione(), QStringLiteral("Valore\n10\n"));
        v.clearSelection();
        QCOMPARE(v.testoSelezione(), QStringLiteral("Nome\tValore\na\t9\nb\t10\nc\t1\n"));
        // A click reports table coordinates (row 0 is the header), as on a grid.
        QSignalSpy clic(&v, &ui::GrigliaView::clic);
        QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, v.visualRect(m->index(2, 0)).center());
        QCOMPARE(clic.size(), 1);
        QCOMPARE(clic.at(0).at(0).toInt(), 3);
        QCOMPARE(clic.at(0).at(1).toInt(), 0);
        // A change of state repaints: the view still shows the rows the model holds.
        m->modifica(0, [](Prova& p) { p.nome = QStringLiteral("aa"); });
        QCOMPARE(v.model()->index(0, 0).data().toString(), QStringLiteral("aa"));
    }

    // A column drawn in bold from the row's state, and one kept for copies but hidden: the view, the
    // table as text (print, export) and the CSV agree.
    void grassettoEColonnaNascosta()
    {
        std::vector<ui::ColonnaDi<Prova>> colonne(2);
        colonne[0].intestazione = QStringLiteral("Chiave");
        colonne[0].testo = [](const Prova& p) { return QString::number(p.valore); };
        colonne[0].nascosta = true;
        colonne[1].intestazione = QStringLiteral("Nome");
        colonne[1].testo = [](const Prova& p) { return p.nome; };
        colonne[1].grassetto = [](const Prova& p) { return p.vinta; };
        auto* m = new ui::ModelloRighe<Prova>(std::move(colonne));
        m->sostituisci(tre());
        QVERIFY(m->data(m->index(1, 1), Qt::FontRole).value<QFont>().bold());
        QVERIFY(!m->data(m->index(0, 1), Qt::FontRole).isValid());
        QVERIFY(!m->data(m->index(1, 0), Qt::FontRole).isValid());
        const grid::Grid g = m->testoTabella();
        QVERIFY(g.colonna(0).nascosta);
        QVERIFY(g.grassetto(2, 1));
        QVERIFY(!g.grassetto(1, 1));
        QCOMPARE(g.testo(2, 0), std::string("10"));
        QCOMPARE(ui::testoCsv(g), QStringLiteral("Nome\r\na\r\nb\r\nc\r\n"));
        ui::GrigliaView v(m);
        QVERIFY(v.isColumnHidden(0));
        QVERIFY(!v.isColumnHidden(1));
        QCOMPARE(v.testoSelezione(), QStringLiteral("Nome\na\nb\nc\n"));
    }

    // The first column fixed: the header down the left (its text, bold and colour from the row), still
    // column 0 of the table as text; clicks, copies and sorting keep the table's coordinates.
    void primaColonnaFissa()
    {
        auto* m = nuovoModello();
        m->sostituisci(tre());
        ui::GrigliaView v(m);
        v.setFisse(1, 1);
        QCOMPARE(m->colonneFisse(), 1);
        QCOMPARE(m->columnCount(), 1);
        QVERIFY(!v.verticalHeader()->isHidden());
        QCOMPARE(m->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("b"));
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Valore"));
        QCOMPARE(m->data(m->index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("10"));
        QCOMPARE(m->colonnaTesto(1).larghezzaTwips, 600);
        QCOMPARE(QString::fromStdString(m->testoTabella().comeTesto("\n")), QStringLiteral("Nome\tValore\na\t9\nb\t10\nc\t1\n"));
        v.selectionModel()->select(m->index(2, 0), QItemSelectionModel::Select);
        QCOMPARE(v.testoSelezione(), QStringLiteral("Nome\tValore\nc\t1\n"));
        v.clearSelection();
        v.resize(300, 200);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QSignalSpy clic(&v, &ui::GrigliaView::clic);
        QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, v.visualRect(m->index(0, 0)).center());
        QCOMPARE(clic.size(), 1);
        QCOMPARE(clic.at(0).at(0).toInt(), 1);
        QCOMPARE(clic.at(0).at(1).toInt(), 1);
        // The header follows a change of its row.
        QSignalSpy intestazioni(m, &QAbstractItemModel::headerDataChanged);
        m->modifica(2, [](Prova& p) { p.nome = QStringLiteral("cc"); });
        QCOMPARE(intestazioni.size(), 1);
        QCOMPARE(m->headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("cc"));
        m->sort(0, Qt::AscendingOrder);
        QCOMPARE(m->riga(0).nome, QStringLiteral("cc"));
    }

    // Columns from a header and one text function of (row, column); then the same rows read through
    // other columns, the view following them.
    void colonneDaIntestazioneEAltreColonne()
    {
        const auto testo = [](const Prova& p, int c) { return c == 0 ? p.nome.toStdString() : std::to_string(p.valore * c); };
        auto* m = new ui::ModelloRighe<Prova>(
            ui::colonneDi<Prova>("Nome|Uno|Due", std::array<int, 3>{500, 600, 700}, testo, grid::Allineamento::Destra));
        m->sostituisci(tre());
        ui::GrigliaView v(m);
        v.setFisse(1, 0);
        grid::Grid g = m->testoTabella();
        QCOMPARE(g.comeTesto("\n"), std::string("Nome\tUno\tDue\na\t9\t18\nb\t10\t20\nc\t1\t2\n"));
        QCOMPARE(g.colonna(2).larghezzaTwips, 700);
        QCOMPARE(g.colonna(0).allineamento, grid::Allineamento::Destra);
        Spie spie(m);
        m->setColonne(ui::colonneDi<Prova>("Nome", std::array<int, 1>{900}, testo));
        QCOMPARE(spie.reset.count(), 1);
        QCOMPARE(v.model()->columnCount(), 1);
        QCOMPARE(m->testoTabella().comeTesto("\n"), std::string("Nome\na\nb\nc\n"));
    }
    // A column the player types into: the hook checks the text and changes a copy of the row; only an
    // accepted text reaches the row, which alone is announced, with the cell in the table's coordinates.
    void modificaDallaColonna()
    {
        QStringList visti;
        auto* m = modificabile(&visti);
        QVERIFY(m->modificabile());
        QVERIFY(m->flags(m->index(1, 1)) & Qt::ItemIsEditable);
        QVERIFY(!(m->flags(m->index(1, 0)) & Qt::ItemIsEditable));
        Spie spie(m);
        QSignalSpy modificate(m, &ui::ModelloTabella::cellaModificata);
        QVERIFY(m->setData(m->index(2, 1), QStringLiteral(" 42 "), Qt::EditRole));
        QCOMPARE(visti.back(), QStringLiteral("42"));
        QCOMPARE(m->riga(2).valore, 42);
        QCOMPARE(spie.righeCambiate(), (std::vector<std::pair<int, int>>{{2, 2}}));
        QCOMPARE(modificate.size(), 1);
        QCOMPARE(modificate.at(0).at(0).toInt(), 3);   // header row 0
        QCOMPARE(modificate.at(0).at(1).toInt(), 1);
        for (const char* rifiutato : {"100", "x", ""})
            QVERIFY(!m->setData(m->index(0, 1), QString::fromLatin1(rifiutato), Qt::EditRole));
        QVERIFY(!m->setData(m->index(0, 0), QStringLiteral("zz"), Qt::EditRole));   // not editable
        QVERIFY(!m->setData(m->index(0, 1), QStringLiteral("5"), Qt::DisplayRole));
        QCOMPARE(m->riga(0), tre()[0]);
        QCOMPARE(spie.cambiate.size(), 1);
        QCOMPARE(modificate.size(), 1);
        QVERIFY(!nuovoModello(m)->modificabile());

        // From the keyboard, in a view with the first column fixed: F2, the text, Enter.
        ui::GrigliaView v(m);
        v.setFisse(1, 1);
        v.resize(300, 200);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QSignalSpy dallaVista(&v, &ui::GrigliaView::cellaModificata);
        v.setFocus();
        v.setCurrentIndex(m->index(1, 0));
        QTest::keyClick(&v, Qt::Key_F2);
        auto* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != &v && v.isAncestorOf(editor));
        QTest::keyClicks(editor, QStringLiteral("7"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m->riga(1).valore, 7);   // committed once the editor closes
        QCOMPARE(dallaVista.size(), 1);
        QCOMPARE(dallaVista.at(0).at(0).toInt(), 2);
        QCOMPARE(dallaVista.at(0).at(1).toInt(), 1);
        // Typing starts the edit too; Escape leaves the row as it was.
        QTest::keyClick(&v, Qt::Key_9);
        QVERIFY(QApplication::focusWidget() != &v && v.isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_COMPARE(QApplication::focusWidget(), &v);
        QCOMPARE(m->riga(1).valore, 7);
        // Tab stores the text and leaves the grid, as Tab does outside an edit: no editor opens on the
        // next cell.
        QWidget finestra;
        auto* m2 = modificabile(&visti);
        auto* v2 = new ui::GrigliaView(m2, &finestra);
        auto* dopo = new QLineEdit(&finestra);
        auto* lay = new QVBoxLayout(&finestra);
        lay->addWidget(v2);
        lay->addWidget(dopo);
        v.hide();
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        finestra.activateWindow();
        v2->setFocus();
        v2->setCurrentIndex(m2->index(0, 1));
        QTest::keyClick(v2, Qt::Key_F2);
        QVERIFY(v2->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("8"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(m2->riga(0).valore, 8);
        QTRY_COMPARE(QApplication::focusWidget(), dopo);
    }
};

QTEST_MAIN(TestModelloRighe)
#include "ui_modello_righe_test.moc"
