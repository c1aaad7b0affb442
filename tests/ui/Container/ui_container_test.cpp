// The main window: model archive labels, draw list, one window per tool button, progress bars, FINE.
#include "SupportoUi.h"

#include "ui/Container/Container.h"
#include "ui/INIZIO/Inizio.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/RegistroFinestre.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {
QString etichetta(QWidget* w, const char* nome)
{
    return w->findChild<QLabel*>(QString::fromLatin1(nome))->text();
}
}

class TestContainer : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { testui::svuotaRegistroFinestre(); }

    void archivioModelloDa500a8000()
    {
        testui::Ambiente amb;
        amb.contesto->creaPrincipale = [](ui::Contesto& c) { return new ui::Container(c); };
        const QString archivio = amb.creaArchivio(QStringLiteral("Modello.db"), 8000);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        amb.impostaParametro("EstrazioneIniziale", "500");
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QVERIFY(testui::procedi(w));
        auto* c = qobject_cast<ui::Container*>(w.principale());
        QVERIFY(c != nullptr);
        QCOMPARE(c->windowTitle(), QStringLiteral("Velmora"));
        const auto& a = amb.sessione->archivio();
        QCOMPARE(etichetta(c, "Lbl_inizioNE"), QStringLiteral("500"));
        QCOMPARE(etichetta(c, "Lbl_fineNE"), QStringLiteral("8000"));
        QCOMPARE(etichetta(c, "Lbl_Ev"), QStringLiteral("7501"));
        QCOMPARE(etichetta(c, "LblInizio"), QString::fromStdString(a.DateEstrazioni[500]));
        QCOMPARE(etichetta(c, "LblFine"), QString::fromStdString(a.DateEstrazioni[8000]));
        QCOMPARE(c->findChild<QLabel*>(QStringLiteral("Lbl_inizioNE"))->toolTip(), QStringLiteral("Indice inizio"));
        QCOMPARE(c->findChild<QLabel*>(QStringLiteral("Lbl_Ev"))->toolTip(), QStringLiteral("Estrazioni archivio modello"));
        QCOMPARE(c->findChild<QLabel*>(QStringLiteral("Lbl_Ev"))->palette().color(QPalette::Window), QColor(0, 128, 0));
        QCOMPARE(c->findChildren<QLabel*>(QStringLiteral("Label4")).size(), 3);

        // fgpa lists every loaded draw: index, date, yearly and monthly ordinals.
        auto* fgpa = c->findChild<ui::GrigliaView*>(QStringLiteral("fgpa"));
        const grid::Grid g = fgpa->modelloTabella()->testoTabella();
        QCOMPARE(g.righe(), 8001);
        QCOMPARE(g.testo(1, 1), std::string("1"));
        QCOMPARE(g.testo(1, 2), std::string("07/01/1939"));
        QCOMPARE(g.testo(8000, 2), a.DateEstrazioni[8000]);
        QCOMPARE(g.valore(8000, 3), double(a.ProgressivoAnno[8000]));
        QCOMPARE(g.valore(8000, 4), double(a.ProgressivoMese[8000]));
        // The ordinals as a player checks them: the draws of the same year (month) up to each one, counted from the dates shown.
        int nellAnno = 0, nelMese = 0;
        for (int d = 1; d <= 8000; ++d) {
            const std::string data = g.testo(d, 2), prima = d > 1 ? g.testo(d - 1, 2) : std::string(10, ' ');
            nellAnno = prima.substr(6) == data.substr(6) ? nellAnno + 1 : 1;
            nelMese = prima.substr(3) == data.substr(3) ? nelMese + 1 : 1;
            if (g.intero(d, 3) != nellAnno || g.intero(d, 4) != nelMese)
                QFAIL(qPrintable(QStringLiteral("riga %1 (%2): %3 e %4 invece di %5 e %6").arg(d).arg(QString::fromStdString(data))
                                     .arg(g.intero(d, 3)).arg(g.intero(d, 4)).arg(nellAnno).arg(nelMese)));
        }
        QCOMPARE(fgpa->model()->rowCount(), 8000);

        // After archive maintenance reloads, the model archive covers every draw.
        amb.sessione->archivio().modelloCompleto();
        amb.contesto->ImpostazioniArchivioModello();
        QCOMPARE(etichetta(c, "Lbl_inizioNE"), QStringLiteral("1"));
        QCOMPARE(etichetta(c, "Lbl_Ev"), QStringLiteral("8000"));
        delete c;
        // Without the main window the refresh is a no-op and the bars are gone.
        amb.contesto->ImpostazioniArchivioModello();
        QVERIFY(amb.contesto->pb1 == nullptr);
    }

    void apreAlNaturaleOMassimizzataSeLoSchermoEPiccolo()
    {
        // A 1366x768 laptop leaves about 1366x728 free: too short for 820 plus the frame.
        const auto laptop = ui::Container::aperturaPerSchermo(QRect(0, 0, 1366, 728));
        QVERIFY(laptop.massimizzata);
        QVERIFY(laptop.geometria.height() <= 728 && laptop.geometria.width() <= 1366);
        // A full-HD screen shows the natural size, centred in the free area.
        const auto grande = ui::Container::aperturaPerSchermo(QRect(0, 30, 1920, 1050));
        QVERIFY(!grande.massimizzata);
        QCOMPARE(grande.geometria.size(), QSize(1280, 820));
        QCOMPARE(grande.geometria.center(), QRect(0, 30, 1920, 1050).center());
        // Only just wide enough but one pixel too short still maximises.
        QVERIFY(ui::Container::aperturaPerSchermo(QRect(0, 0, 1296, 867)).massimizzata);
        QVERIFY(!ui::Container::aperturaPerSchermo(QRect(0, 0, 1296, 868)).massimizzata);

        // On the offscreen screen (smaller than the natural size) the window is shown
        // maximised and the bars and FINE lie inside the free area.
        testui::Ambiente amb;
        amb.contesto->creaPrincipale = [](ui::Contesto& c) { return new ui::Container(c); };
        const QString archivio = amb.creaArchivio(QStringLiteral("Schermo.db"), 300);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        amb.contesto->creaPrincipale = [](ui::Contesto& c) { return new ui::Container(c); };
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QVERIFY(testui::procedi(w));
        auto* c = qobject_cast<ui::Container*>(w.principale());
        QVERIFY(c != nullptr);
        const QRect libero = c->screen()->availableGeometry();
        if (libero.width() >= 1296 && libero.height() >= 868)
            QSKIP("schermo offscreen piu' grande della finestra");
        QVERIFY(c->isMaximized());
        QTRY_VERIFY(c->geometry().height() <= libero.height());
        for (const char* nome : {"pb1", "Pb2", "Command45"}) {
            auto* controllo = c->findChild<QWidget*>(QString::fromLatin1(nome));
            QVERIFY2(controllo != nullptr, nome);
            const QRect r(controllo->mapTo(c, QPoint(0, 0)), controllo->size());
            QVERIFY2(c->rect().contains(r), nome);
            QVERIFY2(controllo->isVisible(), nome);
        }
        delete c;
    }

    void archivioModelloVuotoEListaRicaricata()
    {
        testui::Ambiente amb;
        amb.contesto->creaPrincipale = [](ui::Contesto& c) { return new ui::Container(c); };
        const QString archivio = amb.creaArchivio(QStringLiteral("Modello.db"), 100);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        amb.impostaParametro("EstrazioneIniziale", "101");
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QVERIFY(testui::procedi(w));
        auto* c = qobject_cast<ui::Container*>(w.principale());
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioniModello, 0);
        QCOMPARE(etichetta(c, "Lbl_inizioNE"), QStringLiteral("-"));
        QCOMPARE(etichetta(c, "Lbl_Ev"), QStringLiteral("0"));

        // A reload with one draw more: the list follows.
        auto& a = amb.sessione->archivio();
        a.NumeroEstrazioni = 101;
        a.DateEstrazioni[101] = "01/01/2040";
        a.modelloCompleto();
        c->ImpostazioniArchivioModello();
        const grid::Grid g = c->findChild<ui::GrigliaView*>(QStringLiteral("fgpa"))->modelloTabella()->testoTabella();
        QCOMPARE(g.righe(), 102);
        QCOMPARE(g.testo(101, 2), std::string("01/01/2040"));
        QCOMPARE(etichetta(c, "LblFine"), QStringLiteral("01/01/2040"));
        QCOMPARE(etichetta(c, "Lbl_Ev"), QStringLiteral("101"));
        delete c;
    }

    void pulsanteStrumentoDueVolteApreUnaFinestra()
    {
        int create = 0;
        ui::registroFinestre().registra(QStringLiteral("archivio"), [&create](ui::Contesto&) {
            ++create;
            auto* w = new QWidget;
            w->setWindowTitle(QStringLiteral("Gestione archivio DB"));
            return w;
        });
        testui::Ambiente amb;
        amb.creaArchivio(QStringLiteral("A.db"), 30);
        amb.caricaArchivio(QStringLiteral("A.db"));
        ui::Container c(*amb.contesto);
        c.show();

        auto* archivio = c.findChild<QToolButton*>(QStringLiteral("Command1"));
        QVERIFY(archivio->isEnabled());
        QCOMPARE(archivio->toolTip(), QStringLiteral("Gestione archivio"));
        archivio->click();
        archivio->click();
        QCOMPARE(create, 1);
        QCOMPARE(c.areaMdi()->subWindowList().size(), 1);
        QCOMPARE(c.areaMdi()->subWindowList()[0]->windowTitle(), QStringLiteral("Gestione archivio DB"));

        // Another window in front; the button brings the existing one back unchanged.
        ui::registroFinestre().registra(QStringLiteral("Operatori"), [](ui::Contesto&) { return new QWidget; });
        QVERIFY(c.apriFinestra(QStringLiteral("Operatori")) != nullptr);
        QCOMPARE(c.areaMdi()->activeSubWindow()->widget()->objectName(), QStringLiteral("Operatori"));
        archivio->click();
        QCOMPARE(create, 1);
        QCOMPARE(c.areaMdi()->activeSubWindow()->widget()->objectName(), QStringLiteral("archivio"));

        // Brought to the front, a maximised window stays maximised; a minimised one comes back.
        QMdiSubWindow* sub = c.areaMdi()->activeSubWindow();
        sub->showMaximized();
        c.apriFinestra(QStringLiteral("Operatori"));
        archivio->click();
        QCOMPARE(c.areaMdi()->activeSubWindow(), sub);
        QVERIFY(sub->isMaximized());
        sub->showMinimized();
        archivio->click();
        QVERIFY(!sub->isMinimized());
        QCOMPARE(c.areaMdi()->activeSubWindow(), sub);

        // Closed by the user, the window is created again at the next press.
        c.areaMdi()->activeSubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        archivio->click();
        QCOMPARE(create, 2);
        QCOMPARE(c.areaMdi()->subWindowList().size(), 2);
    }

    void pulsantiDiFinestreAssentiDisabilitati()
    {
        testui::Ambiente amb;
        ui::Container c(*amb.contesto);
        for (const auto& p : ui::Container::pulsanti()) {
            auto* b = c.findChild<QToolButton*>(QString::fromLatin1(p.controllo));
            QVERIFY(b != nullptr);
            QVERIFY(!b->isEnabled());
            QCOMPARE(b->toolTip(), QString::fromUtf8(p.suggerimento) + QStringLiteral(" (non ancora disponibile)"));
        }
        QCOMPARE(c.findChild<QToolButton*>(QStringLiteral("Command1"))->toolTip(),
                 QStringLiteral("Gestione archivio (non ancora disponibile)"));
        QCOMPARE(c.findChild<QToolButton*>(QStringLiteral("Command6"))->toolTip(), QStringLiteral("Velmora (non ancora disponibile)"));
        QVERIFY(c.apriFinestra(QStringLiteral("Piramide1")) == nullptr);
        QVERIFY(c.areaMdi()->subWindowList().isEmpty());
    }

    void finestraCheFallisceAllApertura()
    {
        ui::registroFinestre().registra(QStringLiteral("Piramide1"), [](ui::Contesto&) -> QWidget* {
            throw std::runtime_error("Archivio vuoto");
        });
        testui::Ambiente amb;
        ui::Container c(*amb.contesto);
        c.findChild<QToolButton*>(QStringLiteral("Command6"))->click();
        QCOMPARE(amb.dialoghi.messaggi().size(), std::size_t(1));
        QCOMPARE(amb.dialoghi.messaggi()[0].titolo, QStringLiteral("Anomalia"));
        QVERIFY(c.areaMdi()->subWindowList().isEmpty());
    }

    void barreDiAvanzamentoFineEHelp()
    {
        testui::Ambiente amb;
        ui::Container c(*amb.contesto);
        QVERIFY(amb.contesto->pb1 != nullptr);
        QVERIFY(amb.contesto->pb2 != nullptr);
        // A tool window drives Pb2 through the shared interface.
        amb.contesto->pb2->imposta(40, 80);
        auto* pb2 = c.findChild<QProgressBar*>(QStringLiteral("Pb2"));
        QCOMPARE(pb2->maximum(), 80);
        QCOMPARE(pb2->value(), 40);
        amb.contesto->pb1->imposta(3, 3);
        QCOMPARE(c.findChild<QProgressBar*>(QStringLiteral("pb1"))->value(), 3);

        c.findChild<QToolButton*>(QStringLiteral("CmDHelp"))->click();
        QCOMPARE(amb.helpAperti, std::vector<int>{250});
        // F1: the page of the window in front, the main window's when it names none.
        c.show();
        c.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&c));
        ui::registroFinestre().registra(QStringLiteral("Estrazioni_minielenco"), [](ui::Contesto&) {
            auto* w = new QWidget;
            w->setProperty("contestoHelp", 260);
            return w;
        });
        ui::registroFinestre().registra(QStringLiteral("Operatori"), [](ui::Contesto&) { return new QWidget; });
        QVERIFY(c.apriFinestra(QStringLiteral("Estrazioni_minielenco")) != nullptr);
        QTest::keyClick(&c, Qt::Key_F1);
        QCOMPARE(amb.helpAperti.back(), 260);
        QVERIFY(c.apriFinestra(QStringLiteral("Operatori")) != nullptr);
        QTest::keyClick(&c, Qt::Key_F1);
        QCOMPARE(amb.helpAperti, (std::vector<int>{250, 260, 250}));

        // A window opens at the size its controls ask for; one larger than the area, maximised.
        ui::registroFinestre().registra(QStringLiteral("Statistiche"), [](ui::Contesto&) {
            auto* w = new QWidget;
            auto* l = new QVBoxLayout(w);
            auto* contenuto = new QWidget;
            contenuto->setMinimumSize(420, 310);
            l->addWidget(contenuto);
            return w;
        });
        QMdiSubWindow* media = c.apriFinestra(QStringLiteral("Statistiche"));
        QVERIFY(media && !media->isMaximized());
        QVERIFY(media->widget()->width() >= media->widget()->minimumSizeHint().width());
        QVERIFY(media->widget()->height() >= media->widget()->minimumSizeHint().height());
        ui::registroFinestre().registra(QStringLiteral("Giocate"), [](ui::Contesto&) {
            auto* w = new QWidget;
            w->setMinimumSize(4000, 3000);
            return w;
        });
        QMdiSubWindow* grande = c.apriFinestra(QStringLiteral("Giocate"));
        QVERIFY(grande && grande->isMaximized());
        auto* fine = c.findChild<QPushButton*>(QStringLiteral("Command45"));
        QCOMPARE(fine->text(), QStringLiteral("FINE"));
        fine->click();
        QCOMPARE(amb.terminato, 1);
        QVERIFY(amb.dialoghi.voci().empty());
    }
};

QTEST_MAIN(TestContainer)
#include "ui_container_test.moc"
