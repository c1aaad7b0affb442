// The grids' "Copia" and "Esporta CSV…", and where the file dialogs open.
#include "SupportoUi.h"

#include "storage/Impostazioni.h"
#include "ui/common/GrigliaView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

class TestGrigliaFile : public QObject {
    Q_OBJECT

private:
    // Header row and fixed first column; column 3 hidden.
    static void riempi(grid::Grid& g)
    {
        g.setIntestazione("Nr|Ruota|Primo|Nascosta|Nota");
        g.setRighe(4);
        for (int r = 1; r < 4; ++r) {
            g.setTesto(r, 0, std::to_string(r));
            g.setTesto(r, 1, r == 1 ? "BA" : r == 2 ? "CA" : "FI");
            g.setNumero(r, 2, r * 10);
            g.setTesto(r, 3, "x");
        }
        g.setTesto(1, 4, "a;b");
        g.setTesto(2, 4, "detto \"sì\"\tcon tab");
        g.setNascosta(3, true);
    }

private slots:
    void copiaLaSelezioneConLeIntestazioni()
    {
        testui::Ambiente amb;
        grid::Grid g;
        riempi(g);
        ui::GrigliaView v(g);
        v.setFisse(1, 1);
        v.aggiorna();
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));

        // Nothing selected: the whole grid, hidden column left out, a tab inside a cell made a space.
        QCOMPARE(v.testoSelezione(), QStringLiteral("Nr\tRuota\tPrimo\tNota\n1\tBA\t10\ta;b\n2\tCA\t20\tdetto \"sì\" con tab\n"
                                                    "3\tFI\t30\t\n"));

        // Two cells of a row and one below: headers of their rows and columns, the gap left empty.
        auto* m = v.model();
        auto* sel = v.selectionModel();
        sel->select(m->index(0, 0), QItemSelectionModel::Select);   // grid (1, 1)
        sel->select(m->index(0, 1), QItemSelectionModel::Select);   // grid (1, 2)
        sel->select(m->index(2, 1), QItemSelectionModel::Select);   // grid (3, 2)
        const QString atteso = QStringLiteral("Nr\tRuota\tPrimo\n1\tBA\t10\n3\t\t30\n");
        QCOMPARE(v.testoSelezione(), atteso);

        // Ctrl+C copies the same, not only the current cell.
        QApplication::clipboard()->clear();
        v.setFocus();
        QTest::keySequence(&v, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), atteso);

        // The context menu offers both entries; "Copia" copies the selection.
        QApplication::clipboard()->clear();
        QStringList voci;
        QTimer::singleShot(0, [&voci] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (auto* a : menu->actions())
                voci << a->text();
            menu->findChild<QAction*>(QStringLiteral("Copia"))->trigger();
            menu->close();
        });
        QContextMenuEvent evento(QContextMenuEvent::Mouse, QPoint(5, 5), v.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(v.viewport(), &evento);
        QCOMPARE(voci, (QStringList{QStringLiteral("Copia"), QStringLiteral("Esporta CSV…")}));
        QCOMPARE(QApplication::clipboard()->text(), atteso);
    }

    void esportaCsvSostituendoIlFile()
    {
        testui::Ambiente amb;
        amb.sessione->apriDatabaseProgramma();
        grid::Grid g;
        riempi(g);
        ui::GrigliaView v(g);
        v.setFisse(1, 1);
        v.aggiorna();

        QTemporaryDir fuori;
        const QString percorso = QDir(fuori.path()).filePath(QStringLiteral("risultati.csv"));
        amb.dialoghi.risposteFile.push_back(percorso);
        QVERIFY(v.esportaCsv());
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()),
                 QStringLiteral("Nr;Ruota;Primo;Nota\r\n1;BA;10;\"a;b\"\r\n2;CA;20;\"detto \"\"sì\"\"\tcon tab\"\r\n3;FI;30;\r\n"));
        f.close();
        const auto& voci = amb.dialoghi.voci();
        QCOMPARE(voci.front().tipo, ui::DialoghiScriptati::Tipo::SalvaFile);
        QCOMPARE(voci.front().file.titolo, QStringLiteral("Esporta CSV"));
        QCOMPARE(voci.front().file.filtro, QStringLiteral("File CSV (*.csv)"));
        QCOMPARE(voci.back().testo, QStringLiteral("La griglia (3 righe) è stata esportata nel file %1.").arg(QDir::toNativeSeparators(percorso)));

        // The next export opens where this one went; replacing asks first, and No leaves the file.
        amb.dialoghi.svuota();
        amb.dialoghi.risposteFile.push_back(percorso);
        amb.dialoghi.risposteSiNo.push_back(false);
        g.setTesto(1, 1, "RM");
        QVERIFY(!v.esportaCsv());
        QCOMPARE(amb.dialoghi.voci().front().file.cartella, fuori.path());
        QCOMPARE(amb.dialoghi.voci().back().testo, QStringLiteral("Il file %1 esiste già. Sostituirlo?").arg(QDir::toNativeSeparators(percorso)));
        QVERIFY(amb.dialoghi.voci().back().noPredefinito);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("BA"));
        f.close();

        // A folder in place of the file: refused, said, nothing written.
        amb.dialoghi.svuota();
        const QString cartella = QDir(fuori.path()).filePath(QStringLiteral("cartella.csv"));
        QVERIFY(QDir().mkpath(cartella));
        amb.dialoghi.risposteFile.push_back(cartella);
        amb.dialoghi.risposteSiNo.push_back(true);
        QVERIFY(!v.esportaCsv());
        const auto msg = amb.dialoghi.messaggi();
        QCOMPARE(msg.size(), size_t(1));
        QVERIFY2(msg[0].testo.startsWith(QStringLiteral("Il file %1 non è stato scritto: ").arg(QDir::toNativeSeparators(cartella))), qPrintable(msg[0].testo));
        QCOMPARE(msg[0].icona, ui::Icona::Critica);
        QVERIFY(QFileInfo(cartella).isDir());
    }

    void celleOstiliEsportateComeTesto()
    {
        testui::Ambiente amb;
        amb.sessione->apriDatabaseProgramma();
        grid::Grid g;
        g.setIntestazione("Ruota|Nota|Saldo");
        g.setRighe(3);
        g.setTesto(1, 0, "BA");
        g.setTesto(1, 1, "=cmd|'/C calc'!A1");
        g.setTesto(1, 2, "-87,50");
        g.setTesto(2, 0, "@SUM(1+1)");
        g.setTesto(2, 1, "\t+1;x");
        g.setTesto(2, 2, "-3");
        ui::GrigliaView v(g);
        v.setFisse(1, 0);
        v.aggiorna();

        QTemporaryDir fuori;
        const QString percorso = QDir(fuori.path()).filePath(QStringLiteral("ostile.csv"));
        amb.dialoghi.risposteFile.push_back(percorso);
        QVERIFY(v.esportaCsv());
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::ReadOnly));
        // Read back: every text that would open a formula starts with the apostrophe, the numbers are bare.
        const QStringList righe = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
        QCOMPARE(righe.value(1), QStringLiteral("BA;'=cmd|'/C calc'!A1;-87,50"));
        QCOMPARE(righe.value(2), QStringLiteral("'@SUM(1+1);\"'\t+1;x\";-3"));

        // The clipboard's copies take the same care.
        v.copiaNegliAppunti();
        QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("\t'=cmd|'/C calc'!A1\t-87,50\r\n'@SUM")));
        QVERIFY(v.testoSelezione().contains(QStringLiteral("BA\t'=cmd|'/C calc'!A1\t-87,50\n'@SUM(1+1)\t' +1;x\t-3\n")));
    }

    void esportazioneNominataDallaFinestraEDallaGriglia()
    {
        testui::Ambiente amb;
        amb.sessione->apriDatabaseProgramma();
        grid::Grid g;
        g.setIntestazione("N°|Numeri");
        g.setRighe(2);
        g.setTesto(1, 0, "1");
        // The grid as the windows hold it: inside a sub-window of the main window's area.
        QMainWindow principale;
        principale.setWindowTitle(QStringLiteral("Velmora"));
        auto* area = new QMdiArea(&principale);
        principale.setCentralWidget(area);
        auto* finestra = new QWidget;
        finestra->setWindowTitle(QStringLiteral("Giocate"));
        auto* v = new ui::GrigliaView(g, finestra);
        v->setObjectName(QStringLiteral("FgGiocate"));
        v->setFisse(1, 0);
        v->aggiorna();
        area->addSubWindow(finestra);

        QTemporaryDir fuori;
        const QString percorso = QDir(fuori.path()).filePath(QStringLiteral("una.csv"));
        amb.dialoghi.risposteFile.push_back(percorso);
        QVERIFY(v->esportaCsv());
        QCOMPARE(amb.dialoghi.voci().front().file.nomeIniziale, QStringLiteral("Giocate FgGiocate.csv"));
        QCOMPARE(amb.dialoghi.voci().back().testo, QStringLiteral("La griglia (1 riga) è stata esportata nel file %1.").arg(QDir::toNativeSeparators(percorso)));

        // A title with characters no file name takes, and a grid with no name of its own.
        finestra->setWindowTitle(QStringLiteral("Statistiche: 01/01/2020"));
        v->setObjectName({});
        QCOMPARE(v->nomeEsportazione(), QStringLiteral("Statistiche_ 01_01_2020"));
    }

    void messaggioDiUnaFinestraNonMostrataAlCentroDelloSchermo()
    {
        // The first-run question comes before the start-up window shows.
        QWidget nascosta;
        nascosta.move(0, 0);
        QRect posto;
        QTimer::singleShot(0, [&posto] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            auto* box = QApplication::activeModalWidget();
            QTRY_VERIFY(box->isVisible());
            posto = box->frameGeometry();
            box->close();
        });
        ui::DialoghiQt().messaggio(&nascosta, QStringLiteral("Attenzione, la prima volta"), QStringLiteral("Prova"),
                                   ui::Icona::Esclamazione);
        const QPoint centro = QApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2((posto.center() - centro).manhattanLength() <= 4,
                 qPrintable(QStringLiteral("%1,%2 invece di %3,%4").arg(posto.center().x()).arg(posto.center().y())
                                .arg(centro.x()).arg(centro.y())));
    }

    void titoliInteriAncheConUnTestoBreve()
    {
        QFont grassetto = QApplication::font();
        grassetto.setBold(true);
        const QString titolo = QStringLiteral("Aggiornamento archivio: estrazioni da aggiungere");
        const int serve = QFontMetrics(grassetto).horizontalAdvance(titolo) + 100;
        int larghezza = 0;
        auto misura = [&larghezza] {
            QTRY_VERIFY(QApplication::activeModalWidget() && QApplication::activeModalWidget()->isVisible());
            larghezza = QApplication::activeModalWidget()->width();
            QApplication::activeModalWidget()->close();
        };
        ui::DialoghiQt dialoghi;
        QTimer::singleShot(0, misura);
        dialoghi.messaggio(nullptr, QStringLiteral("Fatto."), titolo, ui::Icona::Informazione);
        QVERIFY2(larghezza >= serve, qPrintable(QStringLiteral("%1 < %2").arg(larghezza).arg(serve)));
        larghezza = 0;
        QTimer::singleShot(0, misura);
        dialoghi.domandaSiNo(nullptr, QStringLiteral("Sì?"), titolo);
        QVERIFY2(larghezza >= serve, qPrintable(QStringLiteral("%1 < %2").arg(larghezza).arg(serve)));
        larghezza = 0;
        QTimer::singleShot(0, misura);
        dialoghi.inputBox(nullptr, QStringLiteral("Data ?"), QStringLiteral("Ricerca per data GG/MM/AAAA"));
        QVERIFY(larghezza >= QFontMetrics(grassetto).horizontalAdvance(QStringLiteral("Ricerca per data GG/MM/AAAA")) + 100);
    }

    void dialoghiNonApronoNellaCartellaDelProgramma()
    {
        testui::Ambiente amb;
        amb.sessione->apriDatabaseProgramma();
        auto& d = amb.dialoghi;
        storage::ScriviImpostazione(amb.sessione->dbProgramma(), "Prova", "1");
        QCOMPARE(storage::LeggiImpostazione(amb.sessione->dbProgramma(), "PROVA"), std::optional<std::string>("1"));
        ui::OpzioniFile o;
        o.titolo = QStringLiteral("Prova");
        o.scopo = QStringLiteral("Archivio");

        // Nothing remembered, the program folder proposed: documents (or home) instead.
        o.cartella = amb.cartella();
        QTemporaryDir altrove;
        const QString scelto = QDir(altrove.path()).filePath(QStringLiteral("mio.db"));
        d.risposteFile.push_back(scelto);
        QCOMPARE(d.apriFile(nullptr, o), std::optional<QString>(scelto));
        QCOMPARE(d.voci().back().file.cartella, testui::documentiOCasa());
        // Remembered in the program database, per purpose.
        QCOMPARE(storage::LeggiImpostazione(amb.sessione->dbProgramma(), "CartellaFile.Archivio"),
                 std::optional<std::string>(altrove.path().toStdString()));
        d.apriFile(nullptr, o);
        QCOMPARE(d.voci().back().file.cartella, altrove.path());
        o.scopo = QStringLiteral("Storico");
        d.salvaFile(nullptr, o);
        QCOMPARE(d.voci().back().file.cartella, testui::documentiOCasa());

        // A cancelled dialog remembers nothing; a remembered folder that is gone, or that holds the
        // program's files, is passed over for the caller's proposal.
        QTemporaryDir proposta;
        o.cartella = proposta.path();
        d.apriFile(nullptr, o);
        QCOMPARE(d.voci().back().file.cartella, proposta.path());
        storage::ScriviImpostazione(amb.sessione->dbProgramma(), "CartellaFile.Storico", amb.cartella().toStdString());
        d.apriFile(nullptr, o);
        QCOMPARE(d.voci().back().file.cartella, proposta.path());
        QFile segno(QDir(proposta.path()).filePath(QStringLiteral("PercorsoDatabase.txt")));
        QVERIFY(segno.open(QIODevice::WriteOnly));
        segno.close();
        d.apriFile(nullptr, o);
        QCOMPARE(d.voci().back().file.cartella, testui::documentiOCasa());
    }
};

QTEST_MAIN(TestGrigliaFile)
#include "ui_griglia_file_test.moc"
