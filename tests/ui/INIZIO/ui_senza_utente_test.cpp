// velmora --tempo-avvio with nobody at the screen: a bad archive ends the run with its message, never on a dialog.
#include "SupportoUi.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

struct Esito {
    int codice = -1;
    bool terminato = false;
    QString err;
};

}

class TestSenzaUtente : public QObject {
    Q_OBJECT

    // A copy of the program in a folder of its own, so the build's configuration is not touched.
    QString programma_;
    testui::Ambiente amb_;

    Esito avvia(const QStringList& argomenti)
    {
        QProcess p;
        p.setWorkingDirectory(amb_.cartella());
        auto ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("HOME"), amb_.file(QStringLiteral("casa")));
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(ambiente);
        p.start(programma_, QStringList{QStringLiteral("--tempo-avvio")} + argomenti);
        Esito e;
        // A dialog waiting for an answer would hold the process far longer than this.
        e.terminato = p.waitForFinished(60000);
        if (!e.terminato)
            p.kill();
        p.waitForFinished();
        e.codice = p.exitCode();
        e.err = QString::fromLocal8Bit(p.readAllStandardError());
        return e;
    }

    QString percorsoMemorizzato() const
    {
        QFile f(QFileInfo(programma_).dir().filePath(QStringLiteral("PercorsoDatabase.txt")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()).trimmed() : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(amb_.file(QStringLiteral("programma"))));
        QVERIFY(QDir().mkpath(amb_.file(QStringLiteral("casa"))));
        programma_ = amb_.file(QStringLiteral("programma/velmora"));
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_PROGRAMMA), programma_));
        amb_.scriviFile(QStringLiteral("programma/CartellaProgramma.txt"), "Velmora\n");
    }

    void archivioDanneggiatoTerminaConIlMessaggio()
    {
        amb_.scriviFile(QStringLiteral("rotto.db"), "non sono un archivio");
        const Esito e = avvia({QStringLiteral("--archivio"), QStringLiteral("rotto.db")});
        QVERIFY2(e.terminato, "in attesa di una risposta");
        QCOMPARE(e.codice, 1);
        QVERIFY2(e.err.contains(QStringLiteral("l'archivio \"rotto.db\" non si apre")), qPrintable(e.err));
        // Stored for the next runs, which may start elsewhere: the whole path.
        QCOMPARE(percorsoMemorizzato(), QLatin1Char('"') + amb_.file(QStringLiteral("rotto.db")) + QLatin1Char('"'));

        // The next run finds the same archive through the configuration: INIZIO's messages go to
        // standard error and the run ends instead of waiting on them.
        const Esito dopo = avvia({});
        QVERIFY2(dopo.terminato, "in attesa di una risposta");
        QCOMPARE(dopo.codice, 1);
        QVERIFY2(dopo.err.contains(QStringLiteral("velmora: Selezionare Archivio: Attenzione")), qPrintable(dopo.err));
    }

    void archivioMancanteNonSostituisceLaScelta()
    {
        const QString prima = percorsoMemorizzato();
        const Esito e = avvia({QStringLiteral("--archivio"), QStringLiteral("manca.db")});
        QVERIFY2(e.terminato, "in attesa di una risposta");
        QCOMPARE(e.codice, 1);
        QVERIFY2(e.err.contains(QStringLiteral("l'archivio \"manca.db\" non esiste")), qPrintable(e.err));
        QCOMPARE(percorsoMemorizzato(), prima);
    }

    void archivioBuonoSiAvvia()
    {
        const QString archivio = amb_.creaArchivio(QStringLiteral("buono.db"), 50);
        const Esito e = avvia({QStringLiteral("--archivio"), QFileInfo(archivio).fileName()});
        QVERIFY2(e.terminato, "in attesa di una risposta");
        QCOMPARE(e.codice, 0);
        QVERIFY2(e.err.contains(QStringLiteral("finestra principale mostrata")), qPrintable(e.err));
        QCOMPARE(percorsoMemorizzato(), QLatin1Char('"') + archivio + QLatin1Char('"'));
    }
};

QTEST_GUILESS_MAIN(TestSenzaUtente)
#include "ui_senza_utente_test.moc"
