// The window Statistiche offscreen: the table equals velmora-cli statistiche (run as a program of its own)
// for the same choices; wheels,
// range, sorte, sorting, the board, the chart, presences in the mini list, the archive reloaded, help.
#include "SupportoUi.h"

#include "ui/Container/Container.h"
#include "ui/Estrazioni_minielenco/Estrazioni_minielenco.h"
#include "ui/Statistiche/Statistiche.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/RegistroFinestre.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>


namespace {

struct Banco {
    explicit Banco(int n)
    {
        amb.creaArchivio(QStringLiteral("A.db"), n);
        amb.caricaArchivio(QStringLiteral("A.db"));
    }
    ui::Statistiche& apri()
    {
        finestra = std::make_unique<ui::Statistiche>(*amb.contesto);
        finestra->show();
        return *finestra;
    }
    template <class T>
    T* c(const QString& nome) const { return testui::controllo<T>(*finestra, nome); }
    QString riepilogo() const { return c<QLabel>(QStringLiteral("Riepilogo"))->text(); }
    // velmora-cli statistiche on the same archive, another process: standard output and the last line of standard error.
    std::pair<std::string, std::string> cli(const QStringList& opzioni) const
    {
        return testui::velmoraCli(QStringList{QStringLiteral("statistiche"), QStringLiteral("--archivio"), amb.file(QStringLiteral("A.db"))}
                                  + opzioni);
    }
    // The Attesa of the first row of velmora-cli's table: the same for every row.
    static QString attesa(const std::string& out)
    {
        const auto riga = QString::fromStdString(out).split(QLatin1Char('\n')).value(1).split(QLatin1Char('\t'));
        return riga.value(statistics::ColAttesa);
    }
    std::string tabella() const { return finestra->tabella().comeTesto("\n"); }

    testui::Ambiente amb;
    std::unique_ptr<ui::Statistiche> finestra;
};

}

class TestStatistiche : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { testui::svuotaRegistroFinestre(); }

    void comeLaRigaDiComando()
    {
        Banco t(2500);
        auto& w = t.apri();
        QCOMPARE(w.windowTitle(), QStringLiteral("Statistiche"));
        QCOMPARE(w.objectName(), QStringLiteral("Statistiche"));
        const auto& a = t.amb.sessione->archivio();
        QCOMPARE(t.c<QDateEdit>(QStringLiteral("Dal"))->date().toString(QStringLiteral("dd/MM/yyyy")),
                 QString::fromStdString(a.DateEstrazioni[1]));
        QVERIFY(t.c<QToolButton>(QStringLiteral("RuotaBA"))->isChecked());
        QVERIFY(!t.c<QToolButton>(QStringLiteral("RuotaNZ"))->isChecked());

        // Bari over the whole archive, by delay.
        auto [out, err] = t.cli({});
        QCOMPARE(t.tabella(), out);
        QCOMPARE(t.riepilogo().toStdString(), err);
        // Attesa is said once above the table, not in a column of 90 equal values.
        QCOMPARE(t.c<QLabel>(QStringLiteral("LblAttesa"))->text(), QStringLiteral("Attesa di ogni numero: ") + Banco::attesa(out));
        auto* vista = t.c<ui::GrigliaView>(QStringLiteral("Tabella"));
        QVERIFY(vista->isColumnHidden(statistics::ColAttesa));
        // Prob coloured by its band (the first row is the longest delay), the other cells plain.
        const auto prima = w.risultati().figure[static_cast<std::size_t>(w.tabella().intero(1, statistics::ColNumero) - 1)];
        QCOMPARE(vista->model()->data(vista->model()->index(0, statistics::ColProb), Qt::BackgroundRole).value<QColor>(),
                 ui::qColore(statistics::coloreRitardo(prima.prob)));
        QVERIFY(!vista->model()->data(vista->model()->index(0, statistics::ColRitardo), Qt::BackgroundRole).isValid());

        // Three wheels, a range of dates, ordered by frequency.
        t.c<QToolButton>(QStringLiteral("RuotaCA"))->click();
        t.c<QToolButton>(QStringLiteral("RuotaNZ"))->click();
        t.c<QDateEdit>(QStringLiteral("Dal"))->setDate(QDate(1950, 3, 1));
        t.c<QDateEdit>(QStringLiteral("Al"))->setDate(QDate(1961, 12, 31));
        w.ordinaPer(statistics::ColFrequenza);
        std::tie(out, err) = t.cli({"--ruote", "BA,CA,NZ", "--dal", "01/03/1950", "--al", "31/12/1961", "--ordina", "frequenza"});
        QCOMPARE(t.tabella(), out);
        QCOMPARE(t.riepilogo().toStdString(), err);

        // Every wheel, the pairs: the window lists them all, the command line its first 100.
        t.c<QPushButton>(QStringLiteral("Tutte"))->click();
        t.c<QPushButton>(QStringLiteral("TuttoArchivio"))->click();
        t.c<QComboBox>(QStringLiteral("Sorte"))->setCurrentIndex(1);
        w.ordinaPer(statistics::ColRitardo);
        QCOMPARE(w.tabella().righe(), 1 + statistics::NumeroAmbi);
        std::tie(out, err) = t.cli({"--ruote", "tutte", "--sorte", "ambo", "--lista", "4005"});
        QCOMPARE(t.tabella(), out);
        QCOMPARE(t.riepilogo().toStdString(), err);
        QCOMPARE(t.c<QLabel>(QStringLiteral("LblAttesa"))->text(), QStringLiteral("Attesa di ogni ambo: ") + Banco::attesa(out));

        // The last 50 draws up to "Al", Nazionale alone: none before 2005 in this archive.
        t.c<QComboBox>(QStringLiteral("Sorte"))->setCurrentIndex(0);
        t.c<QSpinBox>(QStringLiteral("Ultime"))->setValue(50);
        t.c<QPushButton>(QStringLiteral("ImpostaUltime"))->click();
        QCOMPARE(w.risultati().T(), 50);
        QCOMPARE(t.c<QDateEdit>(QStringLiteral("Dal"))->date().toString(QStringLiteral("dd/MM/yyyy")),
                 QString::fromStdString(a.DateEstrazioni[2500 - 49]));
        for (const char* r : {"RuotaBA", "RuotaCA", "RuotaFI", "RuotaGE", "RuotaMI", "RuotaNA", "RuotaPA", "RuotaRO",
                              "RuotaTO", "RuotaVE"})
            t.c<QToolButton>(QString::fromLatin1(r))->click();
        QCOMPARE(t.riepilogo(), QStringLiteral("Nessuna estrazione delle ruote scelte fra le date scelte"));
        QCOMPARE(w.tabella().righe(), 1);
        t.c<QToolButton>(QStringLiteral("RuotaNZ"))->click();
        QCOMPARE(t.riepilogo(), QStringLiteral("Selezionare almeno una ruota"));
        t.c<QToolButton>(QStringLiteral("RuotaBA"))->click();
        t.c<QDateEdit>(QStringLiteral("Dal"))->setDate(QDate(1960, 1, 1));
        t.c<QDateEdit>(QStringLiteral("Al"))->setDate(QDate(1959, 1, 1));
        QCOMPARE(t.riepilogo(), QStringLiteral("La data Dal segue la data Al: nessuna estrazione"));
    }

    // A date typed in full is taken as typed, and the window waits for it to be complete.
    void dataDigitataPresaComeScritta()
    {
        Banco t(2500);
        auto& w = t.apri();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* Dal = t.c<QDateEdit>(QStringLiteral("Dal"));
        const std::string prima = t.tabella();
        Dal->setFocus();
        QVERIFY(Dal->hasFocus());
        QTest::keyClick(Dal, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Dal, QStringLiteral("01041960"));
        // Not yet confirmed: the figures are those of the range before.
        QCOMPARE(t.tabella(), prima);
        QTest::keyClick(Dal, Qt::Key_Return);
        QCOMPARE(Dal->date(), QDate(1960, 4, 1));
        auto [out, err] = t.cli({"--dal", "01/04/1960"});
        QCOMPARE(t.tabella(), out);
        QCOMPARE(t.riepilogo().toStdString(), err);

        // With the separators typed too, and into "Al" as well.
        auto* Al = t.c<QDateEdit>(QStringLiteral("Al"));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Al->setFocus();
        QVERIFY(Al->hasFocus());
        QTest::keyClick(Al, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Al, QStringLiteral("31/12/1965"));
        QTest::keyClick(Al, Qt::Key_Tab);
        QCOMPARE(Al->date(), QDate(1965, 12, 31));
        std::tie(out, err) = t.cli({"--dal", "01/04/1960", "--al", "31/12/1965"});
        QCOMPARE(t.tabella(), out);
    }

    void ordineTabelloneGrafico()
    {
        Banco t(1200);
        auto& w = t.apri();
        const auto colonna = [&](int c) {
            std::vector<double> v;
            for (int r = 1; r < w.tabella().righe(); ++r)
                v.push_back(w.tabella().valore(r, c));
            return v;
        };
        // A click on a header sorts by it, a second one reverses; the board shows each number's delay.
        auto* tabella = t.c<ui::GrigliaView>(QStringLiteral("Tabella"));
        emit tabella->clic(0, statistics::ColRitardoMax);
        auto v = colonna(statistics::ColRitardoMax);
        QVERIFY(std::is_sorted(v.rbegin(), v.rend()));
        emit tabella->clic(0, statistics::ColRitardoMax);
        v = colonna(statistics::ColRitardoMax);
        QVERIFY(std::is_sorted(v.begin(), v.end()));
        emit tabella->clic(0, statistics::ColNumero);
        QCOMPARE(w.tabella().testo(1, 0), std::string("1"));
        QCOMPARE(w.tabella().testo(90, 0), std::string("90"));
        for (int n : {1, 37, 90}) {
            const int r = (n - 1) / 10, c = (n - 1) % 10;
            QCOMPARE(w.tabellone().testo(r, c), std::to_string(n) + " (" + w.tabella().testo(n, statistics::ColRitardo) + ")");
        }
        QCOMPARE(w.tabellone().sfondo(0, 0), statistics::coloreRitardo(w.risultati().figure[0].prob));

        // The chart: the 90 numbers by class of delay, beside chance's counts that add up to 90.
        const auto* grafico = t.c<ui::Grafico>(QStringLiteral("Grafico"));
        QCOMPARE(grafico->tipo(), ui::Grafico::Tipo::Barre);
        const auto& barre = grafico->serie();
        QCOMPARE(barre.size(), std::size_t{2});
        QCOMPARE(barre[0].valori.size(), barre[1].valori.size());
        double numeri = 0, attesi = 0;
        for (std::size_t i = 0; i < barre[0].valori.size(); ++i) {
            numeri += barre[0].valori[i];
            attesi += barre[1].valori[i];
        }
        QCOMPARE(numeri, 90.0);
        QVERIFY(std::abs(attesi - 90.0) < 1e-6);

        // F1 and "?" open the window's help page.
        t.c<QPushButton>(QStringLiteral("CmDHelp"))->click();
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(t.amb.helpAperti, (std::vector<int>{350, 350}));
    }

    void presenzeNelMiniElencoERicarica()
    {
        Banco t(400);
        ui::registraEstrazioni_minielenco();
        ui::registraStatistiche();
        ui::Container principale(*t.amb.contesto);
        principale.show();
        auto* sub = principale.apriFinestra(QStringLiteral("Statistiche"));
        QVERIFY(sub);
        auto* w = qobject_cast<ui::Statistiche*>(sub->widget());
        QVERIFY(w);
        const auto& a = t.amb.sessione->archivio();

        // Double-click on 57 of the board: its presences on Bari, newest first, and the newest in the mini list, marked.
        auto* tabellone = testui::controllo<ui::GrigliaView>(*w, QStringLiteral("Tabellone"));
        emit tabellone->doppioClic(5, 6);
        const auto& p = w->elencoPresenze();
        const auto& f = w->estratti().figure[56];
        QCOMPARE(p.righe(), 1 + f.frequenza);
        QVERIFY(f.frequenza > 5);
        int ultima = 0;
        for (int d = 1; d <= 400; ++d)
            for (int k = 1; k <= 5; ++k)
                if (a.numero(d, 0, k) == 57)
                    ultima = d;
        QCOMPARE(p.intero(1, 0), ultima);
        QCOMPARE(p.testo(1, 2), std::string("BA"));
        auto* mini = qobject_cast<ui::Estrazioni_minielenco*>(principale.areaMdi()->activeSubWindow()->widget());
        QVERIFY(mini);
        QCOMPARE(mini->findChild<QScrollBar*>(QStringLiteral("hs1"))->value(), ultima);
        // Marked on Bari only, the wheel counted: a 57 on another wheel of the draw is not its presence.
        const auto segnatiSoloSuBari = [&] {
            int segnate = 0;
            for (int r = 1; r <= archive::NumeroRuote; ++r)
                for (int k = 1; k <= 5; ++k) {
                    const bool presenza = r == 1 && mini->griglia().intero(r, k) == 57;
                    if ((mini->griglia().sfondo(r, k) == grid::colori::Verde) != presenza)
                        return -1;
                    segnate += presenza;
                }
            return segnate;
        };
        QCOMPARE(segnatiSoloSuBari(), 1);
        // A double-click on an older presence moves the mini list there; a presence whose draw holds
        // 57 on another wheel as well, when there is one, shows the difference.
        auto* presenze = testui::controllo<ui::GrigliaView>(*w, QStringLiteral("Presenze"));
        int scelta = 2;
        for (int r = 2; r < p.righe(); ++r) {
            const int d = p.intero(r, 0);
            for (int ruota = 2; ruota <= archive::NumeroRuote; ++ruota)
                for (int k = 1; k <= 5; ++k)
                    if (a.numero(d, ruota - 1, k) == 57)
                        scelta = r;
        }
        emit presenze->doppioClic(scelta, 1);
        QCOMPARE(mini->findChild<QScrollBar*>(QStringLiteral("hs1"))->value(), p.intero(scelta, 0));
        QCOMPARE(segnatiSoloSuBari(), 1);

        // The archive reloaded shorter: the range follows its last draw and the figures are recomputed.
        auto& archivio = t.amb.sessione->archivio();
        archivio.NumeroEstrazioni = 390;
        t.amb.contesto->archivioCambiato();
        QCOMPARE(w->risultati().T(), 390);
        QCOMPARE(testui::controllo<QDateEdit>(*w, QStringLiteral("Al"))->date().toString(QStringLiteral("dd/MM/yyyy")),
                 QString::fromStdString(archivio.DateEstrazioni[390]));
        archivio.NumeroEstrazioni = 400;
        t.amb.contesto->archivioCambiato();
        QCOMPARE(w->risultati().T(), 400);
    }
};

QTEST_MAIN(TestStatistiche)
#include "ui_statistiche_test.moc"
