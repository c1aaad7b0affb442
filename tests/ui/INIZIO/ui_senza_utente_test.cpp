// velmora --tempo-avvio with nobody at the screen: every message ends the run with exit code 1, never on a dialog,
// and a file that does not open never becomes the stored choice.
#include "SupportoUi.h"

#include "session/CartellaProgramma.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtTest>

namespace {

// The variable that names the user's folder where an installed program keeps its data (HOME, APPDATA).
const QString VariabileCasa = QString::fromLatin1(session::VariabileCartellaDati);

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

    Esito avvia(const QStringList& argomenti) { return avviaCome(programma_, argomenti, true); }

    // `eseguibile` with a home in the test's folder, or with no home at all.
    Esito avviaCome(const QString& eseguibile, const QStringList& argomenti, bool conCasa)
    {
        QProcess p;
        p.setWorkingDirectory(amb_.cartella());
        auto ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove(QStringLiteral("XDG_DATA_HOME"));
        if (conCasa)
            ambiente.insert(VariabileCasa, amb_.file(QStringLiteral("casa")));
        else
            ambiente.remove(VariabileCasa);
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(ambiente);
        p.start(eseguibile, QStringList{QStringLiteral("--tempo-avvio")} + argomenti);
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
    std::string parametroMemorizzato() const
    {
        auto db = storage::ApriDatabaseProgramma(QFileInfo(programma_).dir().path().toStdString());
        return storage::LeggiParametro(db, "PercorsoArchivio").value_or("<mancante>");
    }
    // As the program stores a path: quoted, with the system's own separators.
    static QString traVirgolette(const QString& p) { return QLatin1Char('"') + QDir::toNativeSeparators(p) + QLatin1Char('"'); }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(amb_.file(QStringLiteral("programma"))));
        QVERIFY(QDir().mkpath(amb_.file(QStringLiteral("casa"))));
        programma_ = amb_.file(QStringLiteral("programma/velmora"));
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_PROGRAMMA), programma_));
        amb_.scriviFile(QStringLiteral("programma/CartellaProgramma.txt"), "Velmora\n");
    }

    void archivioBuonoSiAvvia()
    {
        const QString archivio = amb_.creaArchivio(QStringLiteral("buono.db"), 50);
        const Esito e = avvia({QStringLiteral("--archivio"), QFileInfo(archivio).fileName()});
        QVERIFY2(e.terminato, "in attesa di una risposta");
        QCOMPARE(e.codice, 0);
        QVERIFY2(e.err.contains(QStringLiteral("finestra principale mostrata")), qPrintable(e.err));
        // Stored for the next runs, which may start elsewhere: the whole path.
        QCOMPARE(percorsoMemorizzato(), traVirgolette(archivio));
        QCOMPARE(parametroMemorizzato(), QDir::toNativeSeparators(archivio).toStdString());
    }

    // A file that does not open is said and ends the run; the archive chosen before stays the
    // choice, and the next run starts on it.
    void archivioDanneggiatoNonSostituisceLaScelta()
    {
        const QString buono = amb_.file(QStringLiteral("buono.db"));
        amb_.scriviFile(QStringLiteral("rotto.db"), "non sono un archivio");
        const Esito e = avvia({QStringLiteral("--archivio"), QStringLiteral("rotto.db")});
        QVERIFY2(e.terminato, "in attesa di una risposta");
        QCOMPARE(e.codice, 1);
        QVERIFY2(e.err.contains(QStringLiteral("l'archivio \"rotto.db\" non si apre")), qPrintable(e.err));
        QCOMPARE(percorsoMemorizzato(), traVirgolette(buono));
        QCOMPARE(parametroMemorizzato(), QDir::toNativeSeparators(buono).toStdString());

        const Esito dopo = avvia({});
        QVERIFY2(dopo.terminato, "in attesa di una risposta");
        QCOMPARE(dopo.codice, 0);
        QVERIFY2(dopo.err.contains(QStringLiteral("finestra principale mostrata")), qPrintable(dopo.err));
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

    // A stored archive that no longer opens: INIZIO's messages go to standard error and the run
    // ends instead of waiting on them.
    void archivioMemorizzatoDanneggiatoTerminaConIlMessaggio()
    {
        {
            auto db = storage::ApriDatabaseProgramma(QFileInfo(programma_).dir().path().toStdString());
            storage::ScriviParametro(db, "PercorsoArchivio", amb_.file(QStringLiteral("rotto.db")).toStdString());
        }
        const Esito e = avvia({});
        QVERIFY2(e.terminato, "in attesa di una risposta");
        QCOMPARE(e.codice, 1);
        QVERIFY2(e.err.contains(QStringLiteral("velmora: Selezionare Archivio: Attenzione")), qPrintable(e.err));
    }

    // The warning about stray values is a message like any other: the timed run says it and fails.
    void datiNonValidiTerminanoConErrore()
    {
        const QString archivio = amb_.creaArchivio(QStringLiteral("sporco.db"), 50);
        {
            auto db = storage::ApriArchivio(archivio.toStdString());
            db.esegui("UPDATE EstrazioniLotto SET Ro = '01-02-03-04-99' WHERE rowid = (SELECT min(rowid) FROM EstrazioniLotto)");
        }
        const Esito e = avvia({QStringLiteral("--archivio"), archivio});
        QVERIFY2(e.terminato, "in attesa di una risposta");
        QVERIFY2(e.err.contains(QStringLiteral("velmora: Dati dell'archivio non validi: ")), qPrintable(e.err));
        QVERIFY2(e.err.contains(QStringLiteral("Roma posizione 5 (99)")), qPrintable(e.err));
        QCOMPARE(e.codice, 1);
    }

    // The pictures are written like every other file: one whose name is a link in the output folder
    // is refused with its reason, the file the link points to is untouched, and the run says it failed.
    void schermateMaiAttraversoUnCollegamento()
    {
#ifdef Q_OS_WIN
        QSKIP("QFile::link makes a shell shortcut (.lnk) on Windows, which the file system does not follow");
#endif
        const QString uscita = amb_.file(QStringLiteral("schermate"));
        QVERIFY(QDir().mkpath(uscita));
        const QString altrove = amb_.scriviFile(QStringLiteral("importante.txt"), "da non toccare\n");
        QVERIFY(QFile::link(altrove, uscita + QStringLiteral("/INIZIO.png")));
        QProcess p;
        auto ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(ambiente);
        const QString archivio = amb_.creaArchivio(QStringLiteral("schermate.db"), 50);
        p.start(programma_, {QStringLiteral("--screenshots"), uscita, QStringLiteral("--archivio"), archivio});
        QVERIFY(p.waitForFinished(120000));
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(err.contains(QStringLiteral("velmora: \"%1/INIZIO.png\" è un collegamento simbolico").arg(uscita)), qPrintable(err));
        QFile f(altrove);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("da non toccare\n"));
        QVERIFY(QFileInfo(uscita + QStringLiteral("/INIZIO.png")).isSymLink());
        // The other pictures are made, and nothing is left beside them.
        QVERIFY(QFileInfo(uscita + QStringLiteral("/Container.png")).size() > 0);
        QCOMPARE(QDir(uscita).entryList({QStringLiteral(".*")}, QDir::Hidden | QDir::Files | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // Pictures of a dense screen in the dark palette: twice the pixels, dark windows; a scale out of
    // range is a usage error.
    void schermateAlDoppioConIlTemaScuro()
    {
        const QString uscita = amb_.file(QStringLiteral("schermate2x"));
        auto ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        ambiente.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        const QString archivio = amb_.creaArchivio(QStringLiteral("schermate2x.db"), 50);
        QProcess p;
        p.setProcessEnvironment(ambiente);
        p.start(programma_, {QStringLiteral("--screenshots"), uscita, QStringLiteral("--archivio"), archivio,
                             QStringLiteral("--scala"), QStringLiteral("2"), QStringLiteral("--tema"), QStringLiteral("scuro")});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        const QImage container(uscita + QStringLiteral("/Container.png"));
        // The main window's natural size is 1280 x 820.
        QCOMPARE(container.size(), QSize(2560, 1640));
        QVERIFY2(container.pixelColor(container.width() - 4, container.height() - 4).lightness() < 80,
                 qPrintable(container.pixelColor(container.width() - 4, container.height() - 4).name()));

        for (const char* scala : {"0.5", "5", "due"}) {
            QProcess q;
            q.setProcessEnvironment(ambiente);
            q.start(programma_, {QStringLiteral("--screenshots"), uscita, QStringLiteral("--scala"), QLatin1String(scala)});
            QVERIFY(q.waitForFinished(30000));
            QCOMPARE(q.exitCode(), 2);
        }
    }

    // An installed copy (no build mark beside it) run without HOME: it says so and stops, and
    // nothing appears in the root's own folders.
    void senzaCartellaPersonaleSiFermaSenzaScrivereNellaRadice()
    {
        const QString bin = amb_.file(QStringLiteral("installato/usr/bin"));
        QVERIFY(QDir().mkpath(bin));
        const QString nome = QFileInfo(QStringLiteral(VELMORA_PROGRAMMA)).fileName();   // velmora, velmora.exe
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_PROGRAMMA), bin + QLatin1Char('/') + nome));
        const bool cerano = QFileInfo::exists(QStringLiteral("/.local/share/Velmora"));
        const Esito e = avviaCome(bin + QLatin1Char('/') + nome, {}, false);
        QVERIFY2(e.terminato, "in attesa di una risposta");
        QCOMPARE(e.codice, 1);
        QVERIFY2(e.err.contains(QStringLiteral("velmora: Anomalia: La cartella personale dell'utente non è indicata")),
                 qPrintable(e.err));
        if (!cerano)
            QVERIFY(!QFileInfo::exists(QStringLiteral("/.local/share/Velmora")));
        QCOMPARE(QDir(bin).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{nome});
    }
};

QTEST_GUILESS_MAIN(TestSenzaUtente)
#include "ui_senza_utente_test.moc"
