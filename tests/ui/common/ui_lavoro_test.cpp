// The runner of long work: progress signals and bars, stop, error delivery, waiting, closing with work running.
#include "ui/common/LavoroDiFondo.h"

#include <QProgressBar>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

using ui::LavoroDiFondo;

namespace {
void dormi(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
}

class TestLavoro : public QObject {
    Q_OBJECT

private slots:
    void avanzamentoSulleBarreDalFiloDellInterfaccia()
    {
        QProgressBar pb1, pb2;
        ui::BarraProgresso b1(&pb1), b2(&pb2);
        LavoroDiFondo lavoro;
        lavoro.collegaBarre(&b1, &b2);
        QSignalSpy avanzamenti(&lavoro, &LavoroDiFondo::avanzamento);
        QSignalSpy finito(&lavoro, &LavoroDiFondo::finito);
        std::vector<QThread*> filiDeiSegnali;
        connect(&lavoro, &LavoroDiFondo::avanzamento, this, [&] { filiDeiSegnali.push_back(QThread::currentThread()); });
        QThread* filoDelLavoro = nullptr;
        bool terminato = false;
        int barraAllaFine = -1;
        // 2000 steps over about 400 ms: the bars must follow, at most 20 times a second.
        QVERIFY(lavoro.avvia(
            [&](avanzamento::Avanzamento& av) {
                filoDelLavoro = QThread::currentThread();
                for (int i = 1; i <= 2000; ++i) {
                    av.imposta(1, i, 2000);
                    av.imposta(2, i % 100, 100);
                    if (i % 10 == 0)
                        dormi(2);
                }
            },
            [&](const LavoroDiFondo::Fine& fine) {
                terminato = true;
                barraAllaFine = pb1.value();
                QVERIFY(!fine.errore);
                QVERIFY(!fine.interrotto);
            }));
        QVERIFY(lavoro.occupato());
        QVERIFY(!terminato);   // nothing ran on this thread yet
        QVERIFY(finito.wait(10000));
        QVERIFY(terminato);
        QVERIFY(!lavoro.occupato());
        QVERIFY(filoDelLavoro != QThread::currentThread());
        for (QThread* t : filiDeiSegnali)
            QCOMPARE(t, QThread::currentThread());
        // At least one move while it ran besides the last one; no more than 20 a second per bar.
        int primaBarra = 0;
        for (const auto& s : avanzamenti)
            primaBarra += s.at(0).toInt() == 1;
        QVERIFY(primaBarra >= 2);
        QVERIFY(primaBarra <= 2 + 20 * 10);
        QVERIFY(avanzamenti.size() < 2000 / 4);
        // The last report is announced for both bars; then both empty, before the window hears of the end.
        QList<QVariant> ultima1, ultima2;
        for (const auto& s : avanzamenti)
            (s.at(0).toInt() == 1 ? ultima1 : ultima2) = s;
        QCOMPARE(ultima1, (QList<QVariant>{1, 2000, 2000}));
        QCOMPARE(ultima2, (QList<QVariant>{2, 0, 100}));
        QCOMPARE(barraAllaFine, 0);
        QCOMPARE(pb1.value(), 0);
        QCOMPARE(pb2.value(), 0);
    }

    void fermataEUnSecondoAvvioRifiutato()
    {
        LavoroDiFondo lavoro;
        QSignalSpy finito(&lavoro, &LavoroDiFondo::finito);
        std::atomic<int> giri{0};
        LavoroDiFondo::Fine ricevuta;
        QVERIFY(lavoro.avvia(
            [&](avanzamento::Avanzamento& av) {
                for (;;) {
                    av.controlla();
                    ++giri;
                    dormi(1);
                }
            },
            [&](const LavoroDiFondo::Fine& fine) { ricevuta = fine; }));
        // One work at a time per runner.
        QVERIFY(!lavoro.avvia([](avanzamento::Avanzamento&) {}));
        while (giri < 5)
            dormi(1);
        const auto inizio = std::chrono::steady_clock::now();
        lavoro.ferma();
        QVERIFY(finito.wait(5000));
        QVERIFY(std::chrono::steady_clock::now() - inizio < std::chrono::seconds(1));
        QVERIFY(ricevuta.interrotto);
        QVERIFY(!ricevuta.errore);
        // Free again.
        QVERIFY(lavoro.avvia([](avanzamento::Avanzamento&) {}));
        QVERIFY(finito.wait(5000));
    }

    void erroriConsegnatiConIlLoroMessaggio()
    {
        QProgressBar pb1;
        ui::BarraProgresso b1(&pb1);
        LavoroDiFondo lavoro;
        lavoro.collegaBarre(&b1, nullptr);
        LavoroDiFondo::Fine ricevuta;
        auto ricevi = [&](const LavoroDiFondo::Fine& fine) { ricevuta = fine; };
        QVERIFY(lavoro.avvia(
            [](avanzamento::Avanzamento& av) {
                av.imposta(1, 7, 10);
                throw std::runtime_error("Il file \"a.db\" è rovinato");
            },
            ricevi));
        lavoro.aspetta();
        // A work that failed half-way leaves no bar stuck where it stopped.
        QCOMPARE(pb1.value(), 0);
        QVERIFY(ricevuta.errore);
        QVERIFY(!ricevuta.interrotto);
        QCOMPARE(ricevuta.messaggio, QStringLiteral("Il file \"a.db\" è rovinato"));
        // The library's English for memory running out never reaches the user.
        QVERIFY(lavoro.avvia([](avanzamento::Avanzamento&) { throw std::bad_alloc(); }, ricevi));
        lavoro.aspetta();
        QVERIFY(ricevuta.errore);
        QCOMPARE(ricevuta.messaggio, QStringLiteral("Memoria insufficiente per completare l'operazione."));
    }

    void aspettaConsegnaSubitoEUnaVoltaSola()
    {
        LavoroDiFondo lavoro;
        QSignalSpy finito(&lavoro, &LavoroDiFondo::finito);
        int consegne = 0;
        QVERIFY(lavoro.avvia([](avanzamento::Avanzamento&) { dormi(30); }, [&](const LavoroDiFondo::Fine&) { ++consegne; }));
        lavoro.aspetta();
        QCOMPARE(consegne, 1);
        QCOMPARE(finito.size(), 1);
        // The delivery queued by the worker finds nothing left to do.
        QTest::qWait(50);
        QCOMPARE(consegne, 1);
        QCOMPARE(finito.size(), 1);
    }

    void chiusuraConLavoroInCorsoLoFermaPrima()
    {
        // fermaTutti (FINE) stops every runner and waits: the work has ended when it returns.
        std::atomic<bool> inCorso{false};
        LavoroDiFondo a, b;
        auto senzaFine = [&](avanzamento::Avanzamento& av) {
            inCorso = true;
            while (!av.fermato())
                dormi(1);
            inCorso = false;
        };
        LavoroDiFondo::Fine fineA;
        QVERIFY(a.avvia(senzaFine, [&](const LavoroDiFondo::Fine& f) { fineA = f; }));
        while (!inCorso)
            dormi(1);
        LavoroDiFondo::fermaTutti();
        QVERIFY(!inCorso);
        QVERIFY(!a.occupato());
        QVERIFY(fineA.interrotto);

        // A runner destroyed with its work running stops it and does not deliver.
        bool consegnato = false;
        {
            LavoroDiFondo c;
            QVERIFY(c.avvia(senzaFine, [&](const LavoroDiFondo::Fine&) { consegnato = true; }));
            while (!inCorso)
                dormi(1);
        }
        QVERIFY(!inCorso);
        QTest::qWait(20);
        QVERIFY(!consegnato);
        QVERIFY(!b.occupato());
    }
};

QTEST_MAIN(TestLavoro)
#include "ui_lavoro_test.moc"
