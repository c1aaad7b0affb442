// The window Estrazioni_minielenco offscreen: the last draw at opening, searches, marks, reloads, other windows.
#include "SupportoUi.h"

#include "ui/Container/Container.h"
#include "ui/Estrazioni_minielenco/Estrazioni_minielenco.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/RegistroFinestre.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

namespace {

struct Banco {
    explicit Banco(int n)
    {
        amb.creaArchivio(QStringLiteral("A.db"), n);
        amb.caricaArchivio(QStringLiteral("A.db"));
    }
    ui::Estrazioni_minielenco& apri()
    {
        finestra = std::make_unique<ui::Estrazioni_minielenco>(*amb.contesto);
        finestra->show();
        return *finestra;
    }
    QScrollBar* hs1() const { return finestra->findChild<QScrollBar*>(QStringLiteral("hs1")); }
    QString testo(const char* nome) const { return finestra->findChild<QLabel*>(QString::fromLatin1(nome))->text(); }
    QToolButton* b(const char* nome) const { return finestra->findChild<QToolButton*>(QString::fromLatin1(nome)); }
    grid::Colore sfondo(int r, int c) const { return finestra->griglia().sfondo(r, c); }
    void clic(int r, int c) const
    {
        auto* g = finestra->findChild<ui::GrigliaView*>(QStringLiteral("FG3"));
        const QRect rett = g->visualRect(g->model()->index(r - 1, c - 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rett.center());
    }

    testui::Ambiente amb;
    std::unique_ptr<ui::Estrazioni_minielenco> finestra;
};

}

class TestMiniElenco : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { testui::svuotaRegistroFinestre(); }

    void aperturaSullUltima()
    {
        Banco t(8000);
        auto& w = t.apri();
        const auto& a = t.amb.sessione->archivio();
        QCOMPARE(w.windowTitle(), QStringLiteral("Mini elenco"));
        QCOMPARE(t.hs1()->maximum(), 8000);
        QCOMPARE(t.hs1()->value(), 8000);
        QCOMPARE(t.testo("Label2"), QStringLiteral("8000"));
        const QString data = QString::fromStdString(a.DateEstrazioni[8000]);
        QCOMPARE(t.testo("Label1"), data);
        // The ordinals counted here from the dates: draws of the same month, of the same year, up to 8000.
        int pm = 0, pa = 0;
        for (int d = 1; d <= 8000; ++d) {
            const QString x = QString::fromStdString(a.DateEstrazioni[d]);
            pa += x.right(4) == data.right(4);
            pm += x.right(7) == data.right(7);
        }
        QCOMPARE(t.testo("Label3"), QStringLiteral("PM=%1   PA=%2").arg(pm).arg(pa));
        const std::pair<const char*, const char*> suggerimenti[] = {
            {"Command42(0)", "Ricerca per numero indice"}, {"Command42(1)", "Cerca estrazione per data"},
            {"Command81", "Resetta colorazione"}, {"Command56", "Ultima estrazione"}};
        for (const auto& [nome, testo] : suggerimenti)
            QCOMPARE(t.b(nome)->toolTip(), QString::fromUtf8(testo));

        // 99 is also the bar's own default maximum: the bar still starts at draw 1, never at the empty index 0.
        Banco corto(99);
        corto.apri();
        QCOMPARE(corto.hs1()->minimum(), 1);
        QCOMPARE(corto.hs1()->value(), 99);
    }

    void ricerche()
    {
        Banco t(300);
        t.apri();
        auto& d = t.amb.dialoghi;
        d.risposteInput = {QStringLiteral("100"), QStringLiteral("abc"), QStringLiteral("0"), QStringLiteral("301"),
                           std::nullopt};
        for (int i = 0; i < 5; ++i)
            t.b("Command42(0)")->click();
        QCOMPARE(t.hs1()->value(), 100);
        QCOMPARE(t.testo("Label2"), QStringLiteral("100"));
        QCOMPARE(d.voci()[0].testo, QStringLiteral("Inserire il n° indice dell'archivio modello."));
        QCOMPARE(d.voci()[0].titolo, QStringLiteral("Scelta estrazione"));
        QVERIFY(d.messaggi().empty());

        d.svuota();
        // The day and the month in one digit find the draw as well.
        d.risposteInput = {QStringLiteral("21/1/1939")};
        t.b("Command42(1)")->click();
        QCOMPARE(t.hs1()->value(), 3);
        QCOMPARE(t.testo("Label1"), QStringLiteral("21/01/1939"));
        d.svuota();
        d.risposteInput = {QStringLiteral("14/01/1939"), QStringLiteral("22/1/1939"), std::nullopt};
        for (int i = 0; i < 3; ++i)
            t.b("Command42(1)")->click();
        QCOMPARE(t.hs1()->value(), 2);
        QCOMPARE(t.testo("Label1"), QStringLiteral("14/01/1939"));
        QCOMPARE(d.voci()[0].testo, QStringLiteral("Data ?"));
        QCOMPARE(d.voci()[0].titolo, QStringLiteral("Ricerca per data GG/MM/AAAA"));
        // Only the date not found speaks; a cancelled box says nothing.
        QCOMPARE(d.messaggi().size(), std::size_t(1));
        QCOMPARE(d.messaggi()[0].testo, QStringLiteral("Data non trovata"));
        QCOMPARE(d.messaggi()[0].titolo, QStringLiteral("Cerca data"));
        QCOMPARE(d.messaggi()[0].icona, ui::Icona::Informazione);
    }

    void segniEUltima()
    {
        Banco t(300);
        t.apri();
        t.clic(3, 2);
        QCOMPARE(t.sfondo(3, 2), 65280u);
        t.clic(3, 2);
        QCOMPARE(t.sfondo(3, 2), grid::colori::Bianco);
        t.clic(3, 2);
        t.clic(11, 5);
        QCOMPARE(t.sfondo(11, 5), 65280u);
        t.hs1()->setValue(t.hs1()->value() - 1);
        QCOMPARE(t.testo("Label2"), QStringLiteral("299"));
        QCOMPARE(t.sfondo(3, 2), grid::colori::Bianco);
        QCOMPARE(t.sfondo(11, 5), grid::colori::Bianco);

        t.clic(1, 1);
        t.b("Command81")->click();
        QCOMPARE(t.sfondo(1, 1), grid::colori::Bianco);
        QVERIFY(t.sfondo(1, 0) != grid::colori::Bianco);

        t.hs1()->setValue(10);
        t.b("Command56")->click();
        QCOMPARE(t.hs1()->value(), 300);
        QCOMPARE(t.testo("Label2"), QStringLiteral("300"));

        // A reload that shortened the archive: the bar and the last draw follow it.
        t.amb.sessione->archivio().NumeroEstrazioni = 250;
        t.b("Command56")->click();
        QCOMPARE(t.hs1()->maximum(), 250);
        QCOMPARE(t.testo("Label2"), QStringLiteral("250"));
    }

    void tastiera()
    {
        Banco t(300);
        auto& w = t.apri();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // Space and Enter mark the current number, the arrows move it.
        auto* g = w.findChild<ui::GrigliaView*>(QStringLiteral("FG3"));
        g->setFocus();
        g->setCurrentIndex(g->model()->index(0, 0));
        QTest::keyClick(g, Qt::Key_Down);
        QTest::keyClick(g, Qt::Key_Space);
        QCOMPARE(t.sfondo(2, 1), 65280u);
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(t.sfondo(2, 1), grid::colori::Bianco);
        // Tab goes on to the scroll bar, framed while it has the keyboard; the arrows step the draws.
        auto* cornice = w.findChild<QFrame*>(QStringLiteral("cornicehs1"));
        QVERIFY(!cornice->styleSheet().contains(QStringLiteral("#1a4d8f")));
        QTest::keyClick(g, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), t.hs1());
        QVERIFY(cornice->styleSheet().contains(QStringLiteral("#1a4d8f")));
        QTest::keyClick(t.hs1(), Qt::Key_Left);
        QCOMPARE(t.hs1()->value(), 299);
        QCOMPARE(t.testo("Label2"), QStringLiteral("299"));
        QTest::keyClick(t.hs1(), Qt::Key_Right);
        QCOMPARE(t.hs1()->value(), 300);
        // Enter presses the focused button; Tab reaches it.
        t.hs1()->setValue(10);
        t.b("Command56")->setFocus();
        QTest::keyClick(t.b("Command56"), Qt::Key_Return);
        QCOMPARE(t.hs1()->value(), 300);
        // The date by its mnemonic, one-digit day and month.
        t.amb.dialoghi.risposteInput = {QStringLiteral("21/1/1939")};
        QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(t.hs1()->value(), 3);
        // F1: the help page of the window.
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(t.amb.helpAperti, std::vector<int>{ui::Estrazioni_minielenco::ContestoHelp});
    }

    void mostrataDaUnAltraFinestra()
    {
        Banco t(300);
        QVERIFY2(!ui::mostraNelMiniElenco(*t.amb.contesto, 5), "no main window yet");
        ui::registraEstrazioni_minielenco();
        ui::Container c(*t.amb.contesto);
        c.show();
        QVERIFY(ui::mostraNelMiniElenco(*t.amb.contesto, 5));
        QVERIFY(ui::mostraNelMiniElenco(*t.amb.contesto, 7));
        QCOMPARE(c.areaMdi()->subWindowList().size(), 1);
        auto* w = c.areaMdi()->activeSubWindow()->widget();
        QCOMPARE(w->findChild<QScrollBar*>(QStringLiteral("hs1"))->value(), 7);
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("7"));
    }

    void testiDellEstrazioneEWheelsFisse()
    {
        // The table shows the archive's numbers of the draw, wheel by wheel, the codes fixed on the left.
        Banco t(40);
        auto& w = t.apri();
        const auto& a = t.amb.sessione->archivio();
        t.hs1()->setValue(17);
        t.clic(4, 3);
        grid::Grid attesa(1 + archive::NumeroRuote, 6);
        attesa.setIntestazione("Ruota|1°|2°|3°|4°|5°");
        for (int r = 0; r < archive::NumeroRuote; ++r) {
            attesa.setTesto(r + 1, 0, std::string(archive::SigleRuote[static_cast<std::size_t>(r)]));
            for (int p = 1; p <= 5; ++p) {
                const int n = a.numero(17, r, p);
                attesa.setTesto(r + 1, p, n > 0 ? std::to_string(n) : std::string());   // the 1939 Nazionale: blank
            }
        }
        const grid::Grid g = w.griglia();
        QCOMPARE(testui::primaDifferenza(g, attesa), QString());
        QVERIFY(g.grassetto(1, 0));
        QCOMPARE(g.sfondo(4, 3), grid::colori::Verde);
        auto* vista = w.findChild<ui::GrigliaView*>(QStringLiteral("FG3"));
        QCOMPARE(vista->model()->columnCount(), 5);
        QCOMPARE(vista->model()->headerData(10, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("NZ"));
        // A wheel not drawn that day is blank, not 0.
        maintenance::RigaFG3 vuota;
        QCOMPARE(maintenance::testoFG3(vuota, 1), std::string());
        QCOMPARE(maintenance::testoFG3(vuota, 0), std::string("BA"));
    }
};

QTEST_MAIN(TestMiniElenco)
#include "ui_minielenco_test.moc"
