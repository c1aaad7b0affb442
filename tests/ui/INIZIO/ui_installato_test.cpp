// The first run of an installed program: the data folder, the demonstration archive offered there, PROCEDI.
#include "SupportoUi.h"

#include "session/CartellaProgramma.h"
#include "session/Sessione.h"
#include "ui/Container/Container.h"
#include "ui/INIZIO/Inizio.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtTest>

using Tipo = ui::DialoghiScriptati::Tipo;

namespace {
QStringList fileSotto(const QString& cartella)
{
    QStringList elenco;
    QDirIterator it(cartella, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        elenco << it.next();
    elenco.sort();
    return elenco;
}
}

class TestInstallato : public QObject {
    Q_OBJECT

private slots:
    void primoAvvioNellaCartellaDati()
    {
        testui::Ambiente amb;
        // An installed tree: the executable's folder without the program database, the shared files
        // where the system puts them (../share/velmora on Linux, beside the executable on Windows).
        const QString radice = amb.file(QStringLiteral("radice"));
        const QString bin = radice + QStringLiteral("/usr/bin");
        const QString risorse = QDir::cleanPath(QString::fromStdString(session::cartellaRisorseInstallate(bin.toStdString()).string()));
        QVERIFY(risorse.startsWith(radice + QStringLiteral("/usr")));
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(QDir().mkpath(risorse));
        const QString demo = risorse + QStringLiteral("/ArchivioDimostrativo.db");
        QVERIFY(QFile::copy(amb.creaArchivio(QStringLiteral("demo.db"), 200), demo));
        const QStringList installati = fileSotto(radice + QStringLiteral("/usr"));
        const QString dati = radice + QStringLiteral("/casa/.local/share/Velmora");

        const auto cartelle = session::scegliCartelle(bin.toStdString(), dati.toStdString());
        QVERIFY(cartelle.installato);
        session::preparaCartellaDati(cartelle);
        session::Sessione sessione(cartelle.programma.string());
        ui::Contesto contesto(sessione, amb.dialoghi);
        contesto.creaPrincipale = [](ui::Contesto& c) { return new ui::Container(c); };
        const QString copia = dati + QStringLiteral("/ArchivioDimostrativo.db");
        amb.dialoghi.risposteFile.push_back(copia);

        {
            ui::Inizio w(contesto);
            QVERIFY(w.avvia());
            const auto& v = amb.dialoghi.voci();
            QCOMPARE(v.size(), std::size_t(2));
            QCOMPARE(v[0].testo, QStringLiteral("Attenzione, la prima volta è necessario configurare l'origine dell'archivio"));
            QCOMPARE(v[1].tipo, Tipo::ApriFile);
            // The dialog opens among the user's files; the data folder, where the demonstration
            // archive now lies, is among its places.
            QCOMPARE(v[1].file.cartella, testui::documentiOCasa());
            QCOMPARE(v[1].file.scorciatoie, QStringList{dati});
            QVERIFY(QFile::exists(copia));
            QVERIFY(testui::procedi(w));
            QCOMPARE(sessione.archivio().NumeroEstrazioni, 200);
            delete w.principale();
        }
        sessione.chiudi();

        // The program's own files are in the data folder, and nothing was written beside the installed ones.
        QVERIFY(QFile::exists(dati + QStringLiteral("/DbPiramide.db")));
        QFile percorso(dati + QStringLiteral("/PercorsoDatabase.txt"));
        QVERIFY(percorso.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(percorso.readAll()), QStringLiteral("\"") + QDir::toNativeSeparators(copia) + QStringLiteral("\"\n"));
        QCOMPARE(fileSotto(radice + QStringLiteral("/usr")), installati);
    }
};

QTEST_MAIN(TestInstallato)
#include "ui_installato_test.moc"
