// The shared widgets: grid view, dialogs, window registry, help pages, progress bar.
#include "SupportoUi.h"

#include "ui/common/Dialoghi.h"
#include "ui/common/FinestraHelp.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/Percorsi.h"
#include "ui/common/Progresso.h"
#include "ui/common/RegistroFinestre.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPrinter>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTextDocument>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <QPointer>
#include <QtTest>

using grid::Allineamento;

class TestComuni : public QObject {
    Q_OBJECT

private:
    // A 4 x 4 grid with a header row and a fixed first column.
    static void riempi(grid::Grid& g)
    {
        g.setIntestazione("|Ruota|Primo|Secondo");
        g.setRighe(4);
        for (int r = 1; r < 4; ++r) {
            g.setTesto(r, 0, std::to_string(r));
            g.setTesto(r, 1, r == 1 ? "BA" : r == 2 ? "CA" : "FI");
            g.setNumero(r, 2, r * 10);
            g.setNumero(r, 3, r * 7);
        }
    }

private slots:
    void grigliaMostraTestoColoriGrassettoAllineamentoColonne()
    {
        grid::Grid g;
        riempi(g);
        g.setSfondo(2, 1, grid::colori::Verde);
        g.setColoreTesto(3, 2, grid::colori::Rosso);
        g.setGrassetto(1, 3, true);
        g.setAllineamento(2, Allineamento::Centro);
        g.setAllineamento(3, Allineamento::Destra);
        g.setNascosta(3, true);
        g.setLarghezza(1, 1500);

        ui::GrigliaView v(g);
        v.setFisse(1, 1);
        v.aggiorna();
        auto* m = v.model();
        // Row 0 and column 0 are the headers: the table cells start at grid (1, 1).
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->columnCount(), 3);
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Primo"));
        QCOMPARE(m->headerData(2, Qt::Vertical).toString(), QStringLiteral("3"));
        QCOMPARE(m->index(1, 0).data().toString(), QStringLiteral("CA"));
        // Colours read back as the program's 24-bit values: green is 65280.
        const QColor verde = m->index(1, 0).data(Qt::BackgroundRole).value<QColor>();
        QCOMPARE(ui::daQColore(verde), grid::Colore(65280));
        QCOMPARE(m->index(2, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QVERIFY(m->index(0, 2).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!m->index(0, 1).data(Qt::FontRole).isValid());
        QCOMPARE(m->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(m->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
                 Qt::Alignment(Qt::AlignRight));
        // Hidden columns are not shown but keep their content for the commands.
        QVERIFY(v.isColumnHidden(2));
        QCOMPARE(g.testo(1, 3), std::string("7"));
        QCOMPARE(v.columnWidth(0), ui::pixelDaTwips(1500, v.logicalDpiX()));

        // A command that grows the grid and a view refresh: the new rows appear.
        g.setRighe(10);
        g.setTesto(9, 1, "VE");
        v.aggiorna();
        QCOMPARE(m->rowCount(), 9);
        QCOMPARE(m->index(8, 0).data().toString(), QStringLiteral("VE"));
        // Cleared to the header row only.
        g.setRighe(1);
        v.aggiorna();
        QCOMPARE(m->rowCount(), 0);
    }

    void twipsInPixel()
    {
        QCOMPARE(ui::pixelDaTwips(1500, 96), 100);
        QCOMPARE(ui::pixelDaTwips(960, 96), 64);
        // A 150 % screen gets one and a half times the pixels.
        QCOMPARE(ui::pixelDaTwips(1500, 144), 150);
        QCOMPARE(ui::pixelDaTwips(0, 96), 0);
    }

    void grigliaRiportaGliEventiInCoordinateDellaGriglia()
    {
        grid::Grid g;
        riempi(g);
        ui::GrigliaView v(g);
        v.setFisse(1, 1);
        v.aggiorna();
        v.resize(400, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));

        QSignalSpy clic(&v, &ui::GrigliaView::clic);
        QSignalSpy doppio(&v, &ui::GrigliaView::doppioClic);
        QSignalSpy premuto(&v, &ui::GrigliaView::mousePremuto);
        QSignalSpy cambiata(&v, &ui::GrigliaView::cellaCambiata);

        const QPoint centro = v.visualRect(v.model()->index(1, 1)).center();
        QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, centro);
        QCOMPARE(clic.count(), 1);
        QCOMPARE(clic.at(0).at(0).toInt(), 2);
        QCOMPARE(clic.at(0).at(1).toInt(), 2);
        QCOMPARE(premuto.count(), 1);
        QCOMPARE(premuto.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QVERIFY(cambiata.count() >= 1);
        QCOMPARE(g.rigaCorrente, 2);
        QCOMPARE(g.colonnaCorrente, 2);

        QTest::mousePress(v.viewport(), Qt::RightButton, {}, v.visualRect(v.model()->index(2, 0)).center());
        QTest::mouseRelease(v.viewport(), Qt::RightButton, {}, v.visualRect(v.model()->index(2, 0)).center());
        QCOMPARE(premuto.count(), 2);
        QCOMPARE(premuto.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(premuto.at(1).at(1).toInt(), 3);
        QCOMPARE(premuto.at(1).at(2).toInt(), 1);

        QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, centro);
        QCOMPARE(doppio.count(), 1);
        QCOMPARE(doppio.at(0).at(0).toInt(), 2);

        // A click on the header row reports row 0.
        const int x = v.horizontalHeader()->sectionViewportPosition(1) + 5;
        QTest::mouseClick(v.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        QCOMPARE(clic.last().at(0).toInt(), 0);
        QCOMPARE(clic.last().at(1).toInt(), 2);

        // A colour toggle by a command shows without a full refresh.
        g.setSfondo(2, 2, grid::colori::Verde);
        v.aggiornaCelle(2, 2, 2, 2);
        QCOMPARE(ui::daQColore(v.model()->index(1, 1).data(Qt::BackgroundRole).value<QColor>()), grid::colori::Verde);
    }

    // The keyboard's place shows: Tab onto a grid frames its current cell (not chosen: Space
    // chooses it), and an empty grid frames itself.
    void grigliaMostraDoveStaLaTastiera()
    {
        grid::Grid g;
        riempi(g);
        grid::Grid vuota;
        vuota.setIntestazione("A|B");
        vuota.setRighe(1);
        QWidget finestra;
        auto* v = new ui::GrigliaView(g, &finestra);
        auto* w = new ui::GrigliaView(vuota, &finestra);
        for (auto* x : {v, w}) {
            x->setFisse(1, 1);
            x->aggiorna();
        }
        auto* layout = new QVBoxLayout(&finestra);
        layout->addWidget(v);
        layout->addWidget(w);
        finestra.resize(400, 500);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
        const QColor evidenza = finestra.palette().color(QPalette::Highlight);
        // How many pixels of the highlight colour `x` paints inside `zona` of its viewport.
        const auto evidenziati = [&](ui::GrigliaView* x, const QRect& zona) {
            const QImage im = x->viewport()->grab().toImage();
            int n = 0;
            for (int py = zona.top(); py <= zona.bottom(); ++py)
                for (int px = zona.left(); px <= zona.right(); ++px)
                    n += im.valid(px, py) && QColor(im.pixel(px, py)).rgb() == evidenza.rgb();
            return n;
        };

        v->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(v->hasFocus());
        QVERIFY(v->currentIndex().isValid());
        QVERIFY(v->selectionModel()->selectedIndexes().isEmpty());
        const QRect cella = v->visualRect(v->currentIndex());
        QVERIFY(evidenziati(v, cella) > cella.width() / 2);
        w->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w->hasFocus());
        QVERIFY(evidenziati(v, cella) == 0);
        QVERIFY(evidenziati(w, w->viewport()->rect()) > w->viewport()->width() / 2);
    }

    void grigliaCopiaEStampa()
    {
        grid::Grid g;
        riempi(g);
        ui::GrigliaView v(g);
        v.copiaNegliAppunti();
        // Every cell, header first, as a spreadsheet pastes it.
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\tRuota\tPrimo\tSecondo\r\n1\tBA\t10\t7\r\n"
                                                                   "2\tCA\t20\t14\r\n3\tFI\t30\t21\r\n"));

        testui::Ambiente amb;
        // Cancelled printer dialog: nothing printed.
        QVERIFY(!v.stampa(amb.dialoghi, QStringLiteral("Prova"), QMarginsF(10, 15, 10, 15)));
        QCOMPARE(amb.dialoghi.voci().back().tipo, ui::DialoghiScriptati::Tipo::Stampante);

        const QString pdf = amb.file(QStringLiteral("griglia.pdf"));
        QPageLayout::Orientation orientamento = QPageLayout::Portrait;
        QMarginsF margini;
        amb.dialoghi.risposteStampante.push_back(true);
        amb.dialoghi.allaStampante = [&](QPrinter& p) {
            orientamento = p.pageLayout().orientation();
            margini = p.pageLayout().margins(QPageLayout::Millimeter);
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
        };
        QVERIFY(v.stampa(amb.dialoghi, QStringLiteral("Piramide previsionale"), QMarginsF(10, 15, 10, 15),
                         QPageLayout::Landscape));
        QCOMPARE(orientamento, QPageLayout::Landscape);
        QCOMPARE(qRound(margini.top()), 15);
        QVERIFY(QFileInfo(pdf).size() > 500);
    }

    void stampaSoloConIMarginiDelChiamante()
    {
        // A long grid on an A4 paint area at 300 DPI: the first page's ink starts at the
        // top of the area (Qt's own printing would leave 2 cm more), and the rows run on.
        grid::Grid g;
        g.setIntestazione("|Data|Numeri");
        g.setRighe(301);
        for (int r = 1; r <= 300; ++r) {
            g.setTesto(r, 1, "01/01/2005");
            g.setTesto(r, 2, "05-17-90-01-44");
        }
        QTextDocument documento;
        documento.setHtml(QStringLiteral("<h3>Prova</h3><table border=\"1\"><tr><td>05-17-90-01-44</td></tr></table>"));
        QImage pagina(2244, 3272, QImage::Format_RGB32);   // 190 x 277 mm at 300 DPI
        pagina.setDotsPerMeterX(11811);
        pagina.setDotsPerMeterY(11811);
        pagina.fill(Qt::white);
        QCOMPARE(ui::disegnaPagine(documento, pagina, {}), 1);
        int primaRiga = -1;
        for (int y = 0; y < pagina.height() && primaRiga < 0; ++y)
            for (int x = 0; x < pagina.width(); ++x)
                if (qGray(pagina.pixel(x, y)) < 128) {
                    primaRiga = y;
                    break;
                }
        QVERIFY(primaRiga >= 0);
        QVERIFY2(primaRiga < 60, qPrintable(QString::number(primaRiga)));   // within 5 mm of the margin

        // Through the printer: several pages, with the caller's margins kept.
        testui::Ambiente amb;
        QPrinter stampante(QPrinter::HighResolution);
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(amb.file(QStringLiteral("lunga.pdf")));
        stampante.setPageMargins(QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter);
        ui::stampaGriglia(stampante, g, QStringLiteral("Estrazioni"));
        QCOMPARE(qRound(stampante.pageLayout().margins(QPageLayout::Millimeter).top()), 15);
        QVERIFY(QFileInfo(amb.file(QStringLiteral("lunga.pdf"))).size() > 2000);
    }

    void registroCreaSoloFinestreRegistrate()
    {
        ui::RegistroFinestre r;
        testui::Ambiente amb;
        int create = 0;
        QVERIFY(!r.disponibile(QStringLiteral("archivio")));
        QVERIFY(r.crea(QStringLiteral("archivio"), *amb.contesto) == nullptr);
        r.registra(QStringLiteral("archivio"), [&create](ui::Contesto&) {
            ++create;
            return new QWidget;
        });
        QVERIFY(r.disponibile(QStringLiteral("archivio")));
        std::unique_ptr<QWidget> w(r.crea(QStringLiteral("archivio"), *amb.contesto));
        QVERIFY(w != nullptr);
        QCOMPARE(create, 1);
        // A window without a name of its own takes its registered name.
        QCOMPARE(w->objectName(), QStringLiteral("archivio"));
        QCOMPARE(r.nomi(), QStringList{QStringLiteral("archivio")});
        r.rimuovi(QStringLiteral("archivio"));
        QVERIFY(!r.disponibile(QStringLiteral("archivio")));
    }

    void dialoghiScriptatiRegistranoERispondono()
    {
        ui::DialoghiScriptati d;
        d.risposteSiNo = {true};
        d.risposteInput = {QStringLiteral("500")};
        QVERIFY(d.domandaSiNo(nullptr, QStringLiteral("Procedere?"), QStringLiteral("Conferma"), ui::Icona::Domanda));
        // Unscripted answers count as a cancel.
        QVERIFY(!d.domandaSiNo(nullptr, QStringLiteral("Ancora?"), QStringLiteral("Conferma"), ui::Icona::Domanda));
        QCOMPARE(d.inputBox(nullptr, QStringLiteral("Digitare il numero indice"), QStringLiteral("Indice estrazione")),
                 std::optional<QString>(QStringLiteral("500")));
        QVERIFY(!d.inputBox(nullptr, QStringLiteral("Di nuovo"), QStringLiteral("Indice estrazione")).has_value());
        QVERIFY(!d.apriFile(nullptr, {}).has_value());
        d.messaggio(nullptr, QStringLiteral("Fatto"), QString(), ui::Icona::Nessuna);
        QCOMPARE(d.voci().size(), std::size_t(6));
        QCOMPARE(d.messaggi().size(), std::size_t(1));
        QCOMPARE(d.messaggi()[0].testo, QStringLiteral("Fatto"));
        QCOMPARE(d.voci()[2].titolo, QStringLiteral("Indice estrazione"));
    }

    void percorsoConLaCasaAbbreviata()
    {
#ifdef Q_OS_WIN
        // Windows shows the whole path with its own separators, the user's folder too.
        const QString casa = QDir::homePath();
        QCOMPARE(ui::percorsoLeggibile(casa + QStringLiteral("/Lotto/arch.db")),
                 QDir::toNativeSeparators(casa) + QStringLiteral("\\Lotto\\arch.db"));
        QCOMPARE(ui::percorsoLeggibile(QStringLiteral("D:/Lotto/arch.db")), QStringLiteral("D:\\Lotto\\arch.db"));
        QCOMPARE(ui::percorsoLeggibile(QString()), QString());
#else
        const QByteArray vecchia = qgetenv("HOME");
        qputenv("HOME", "/home/mario");
        QCOMPARE(ui::percorsoLeggibile(QStringLiteral("/home/mario/Lotto/arch.db")), QStringLiteral("~/Lotto/arch.db"));
        QCOMPARE(ui::percorsoLeggibile(QStringLiteral("/home/mario/./Lotto//arch.db")), QStringLiteral("~/Lotto/arch.db"));
        // A folder that only begins like the home, or the home itself as a file, stays whole.
        QCOMPARE(ui::percorsoLeggibile(QStringLiteral("/home/mariolina/arch.db")), QStringLiteral("/home/mariolina/arch.db"));
        QCOMPARE(ui::percorsoLeggibile(QStringLiteral("/home/mario")), QStringLiteral("/home/mario"));
        QCOMPARE(ui::percorsoLeggibile(QStringLiteral("/tmp/arch.db")), QStringLiteral("/tmp/arch.db"));
        QCOMPARE(ui::percorsoLeggibile(QString()), QString());
        qputenv("HOME", vecchia);
#endif
    }

    void nomeDiFileValidoOvunque()
    {
        QCOMPARE(ui::nomeFileValido(QStringLiteral("Piramide previsionale al 7000 12/11/2024")),
                 QStringLiteral("Piramide previsionale al 7000 12-11-2024"));
        QCOMPARE(ui::nomeFileValido(QStringLiteral("a\\b:c*d?e\"f<g>h|i\tj. .")), QStringLiteral("a-b-c-d-e-f-g-h-i-j"));
        QCOMPARE(ui::nomeFileValido(QStringLiteral("Statistiche Bari")), QStringLiteral("Statistiche Bari"));
    }

    void escChiudeLHelp()
    {
        ui::FinestraHelp h(QStringLiteral(VELMORA_HELP_DIR));
        QVERIFY(h.mostra(310));
        h.show();
        h.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h));
        QTest::keyClick(h.browser(), Qt::Key_Escape);
        QVERIFY(!h.isVisible());
    }

    // Every dialog the program opens from a sub-window closes on Escape, as not accepted.
    void escChiudeOgniDialogo()
    {
        QMdiArea area;
        auto* pulsante = new QPushButton(QStringLiteral("Apri"));
        area.addSubWindow(pulsante)->show();
        area.resize(600, 400);
        area.show();
        area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        pulsante->setFocus();
        ui::DialoghiQt dialoghi;
        QStringList rimasti;
        // Escape on whatever the dialog focuses; a dialog still open after it is closed by hand and named.
        const auto conEscape = [&](const QString& nome, const auto& apri) {
            QTimer::singleShot(100, [&rimasti, nome] {
                auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!d) {
                    rimasti << nome + QStringLiteral(" (non aperto)");
                    return;
                }
                QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape);
                if (d->isVisible()) {
                    rimasti << nome;
                    d->done(QDialog::Rejected);
                }
            });
            return apri();
        };
        conEscape(QStringLiteral("messaggio"), [&] {
            dialoghi.messaggio(pulsante, QStringLiteral("Testo"), QStringLiteral("Titolo"), ui::Icona::Informazione);
            return true;
        });
        // "Sì" as the default: Escape still answers No.
        QVERIFY(!conEscape(QStringLiteral("domanda"), [&] {
            return dialoghi.domandaSiNo(pulsante, QStringLiteral("Procedere?"), QStringLiteral("Titolo"), ui::Icona::Domanda, false);
        }));
        QVERIFY(!conEscape(QStringLiteral("inputBox"), [&] { return dialoghi.inputBox(pulsante, QStringLiteral("Nome"), QStringLiteral("Titolo"), QStringLiteral("x")); }));
        ui::OpzioniFile o;
        o.titolo = QStringLiteral("File");
        o.cartella = QDir::tempPath();
        QVERIFY(!conEscape(QStringLiteral("apriFile"), [&] { return dialoghi.apriFile(pulsante, o); }));
        QVERIFY(!conEscape(QStringLiteral("salvaFile"), [&] { return dialoghi.salvaFile(pulsante, o); }));
        QVERIFY(!conEscape(QStringLiteral("scegliCartella"), [&] { return dialoghi.scegliCartella(pulsante, QStringLiteral("Cartella"), QDir::tempPath()); }));
        QPrinter stampante;
        QVERIFY(!conEscape(QStringLiteral("scegliStampante"), [&] { return dialoghi.scegliStampante(pulsante, stampante); }));
        QVERIFY2(rimasti.isEmpty(), qPrintable(rimasti.join(QStringLiteral(", "))));
    }

    void helpHaUnaPaginaPerOgniContesto()
    {
        ui::FinestraHelp h(QStringLiteral(VELMORA_HELP_DIR));
        for (int contesto : {250, 260, 270, 280, 290, 300, 310, 320, 340}) {
            QVERIFY2(h.mostra(contesto), qPrintable(QString::number(contesto)));
            QCOMPARE(h.contesto(), contesto);
            QVERIFY(!h.browser()->documentTitle().isEmpty());
            // Every page leads back to the index.
            QVERIFY(h.browser()->toHtml().contains(QStringLiteral("index.html")));
        }
        QVERIFY(h.browser()->toPlainText().contains(QStringLiteral("Ritardo")));
        QVERIFY(h.mostra(310));
        QVERIFY(h.browser()->toPlainText().contains(QStringLiteral("numeri sono simulati")));
        QVERIFY(!h.mostra(999));
        QCOMPARE(h.contesto(), 310);
    }

    void helpMancanteSegnalato()
    {
        testui::Ambiente amb;
        QVERIFY(ui::FinestraHelp::apri(amb.file(QStringLiteral("nessuna")), 250, amb.dialoghi, nullptr) == nullptr);
        QCOMPARE(amb.dialoghi.messaggi().size(), std::size_t(1));
        QCOMPARE(amb.dialoghi.messaggi()[0].titolo, QStringLiteral("Help in linea"));
        auto* h = ui::FinestraHelp::apri(QStringLiteral(VELMORA_HELP_DIR), 340, amb.dialoghi, nullptr);
        QVERIFY(h != nullptr);
        QCOMPARE(h->contesto(), 340);
        // One help window: asking again shows the other topic in the same window.
        QCOMPARE(ui::FinestraHelp::apri(QStringLiteral(VELMORA_HELP_DIR), 250, amb.dialoghi, nullptr), h);
        QCOMPARE(h->contesto(), 250);
        h->close();
    }

    void helpApertaNonTieneInVitaIlProgramma()
    {
        testui::Ambiente amb;
        QWidget principale;
        principale.show();
        QPointer<ui::FinestraHelp> h = ui::FinestraHelp::apri(QStringLiteral(VELMORA_HELP_DIR), 250, amb.dialoghi, &principale);
        QVERIFY(h && h->isVisible());
        // Closing the last window of the program ends the event loop even with the help open.
        QTimer::singleShot(0, &principale, [&principale] { principale.close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(QApplication::exec(), 0);
        if (h)
            h->close();
    }

    void barraProgressoSegueIComandi()
    {
        QProgressBar barra;
        ui::BarraProgresso p(&barra);
        for (int i = 0; i <= 7371; ++i)
            p.imposta(i, 7371);
        QCOMPARE(barra.maximum(), 7371);
        QCOMPARE(barra.value(), 7371);
        p.imposta(20, 10);   // beyond the end: held at the end
        QCOMPARE(barra.maximum(), 10);
        QCOMPARE(barra.value(), 10);
        p.azzera();
        QCOMPARE(barra.value(), 0);
        // A new run at the same share of a new length still moves the bar.
        p.imposta(5, 10);
        p.imposta(10, 20);
        QCOMPARE(barra.maximum(), 20);
        QCOMPARE(barra.value(), 10);
    }
};

QTEST_MAIN(TestComuni)
#include "ui_common_test.moc"
