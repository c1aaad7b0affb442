// The start-up window: first run, wrong file, cancelled dialog, failed load, PROCEDI, import, FINE.
#include "SupportoUi.h"

#include "storage/Database.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"
#include "ui/Container/Container.h"
#include "ui/INIZIO/Inizio.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using Tipo = ui::DialoghiScriptati::Tipo;

namespace {
const QString primaVolta = QStringLiteral("Attenzione, la prima volta è necessario configurare l'origine dell'archivio");
const QString erroreCaricamento =
    QStringLiteral("Attenzione, probabilmente è stato selezionato un altro archivio. Chiudere il programma e riavviarlo");

QString etichetta(QWidget& w, const char* nome)
{
    return w.findChild<QLabel*>(QString::fromLatin1(nome))->text();
}

// A path as the program shows and stores it: with the system's own separators.
QString nativo(const QString& percorso)
{
    return QDir::toNativeSeparators(percorso);
}

QString leggiFile(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<assente>");
    return QString::fromUtf8(f.readAll());
}

// The main window wired as the program wires it.
void collegaPrincipale(ui::Contesto& c)
{
    c.creaPrincipale = [](ui::Contesto& contesto) { return new ui::Container(contesto); };
}

struct AmbienteInizio : testui::Ambiente {
    AmbienteInizio() { collegaPrincipale(*contesto); }
};

int righeIn(const QString& archivio)
{
    auto db = storage::ApriArchivio(archivio.toStdString());
    auto s = db.prepara("SELECT COUNT(*) FROM EstrazioniLotto");
    s.avanza();
    return static_cast<int>(s.intero(0));
}
}

class TestInizio : public QObject {
    Q_OBJECT

private slots:
    void primoAvvioMessaggioPoiDialogoPoiProcedi()
    {
        AmbienteInizio amb;
        const QString archivio = amb.creaArchivio(QStringLiteral("Archivio.db"), 300);
        amb.dialoghi.risposteFile.push_back(archivio);
        ui::Inizio w(*amb.contesto);
        std::vector<bool> visibileAllaChiamata;
        amb.dialoghi.allaChiamata = [&](const ui::DialoghiScriptati::Voce&) { visibileAllaChiamata.push_back(w.isVisible()); };

        QVERIFY(w.avvia());
        const auto& v = amb.dialoghi.voci();
        QCOMPARE(v.size(), std::size_t(2));
        QCOMPARE(v[0].tipo, Tipo::Messaggio);
        QCOMPARE(v[0].testo, primaVolta);
        QCOMPARE(v[0].titolo, QStringLiteral("Selezionare Archivio"));
        QCOMPARE(v[0].icona, ui::Icona::Esclamazione);
        QCOMPARE(v[1].tipo, Tipo::ApriFile);
        QCOMPARE(v[1].file.filtro, QStringLiteral("File di archivio (*.db)"));
        QCOMPARE(v[1].file.estensione, QStringLiteral("db"));
        QCOMPARE(v[1].file.nomeIniziale, QStringLiteral("*.db"));
        // The dialog opens among the user's files, never in the program folder.
        QCOMPARE(v[1].file.cartella, testui::documentiOCasa());
        // Both came before the start-up window itself.
        QCOMPARE(visibileAllaChiamata, (std::vector<bool>{false, false}));
        QVERIFY(w.isVisible());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("Velmora: Versione ")));

        // The choice is kept in memory, in the configuration and in the side file.
        QCOMPARE(etichetta(w, "Lbl_Archivio"), QStringLiteral("Database: ") + nativo(archivio));
        QCOMPARE(amb.sessione->percorsoArchivio(), nativo(archivio).toStdString());
        QCOMPARE(amb.leggiParametro("PercorsoArchivio"), nativo(archivio).toStdString());
        QCOMPARE(leggiFile(amb.file(QStringLiteral("PercorsoDatabase.txt"))), QStringLiteral("\"") + nativo(archivio) + QStringLiteral("\"\n"));

        QVERIFY(testui::procedi(w));
        QVERIFY(!w.isVisible());
        auto* principale = qobject_cast<ui::Container*>(w.principale());
        QVERIFY(principale != nullptr);
        QVERIFY(principale->isVisible());
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioni, 300);
        auto* pb1 = w.findChild<QProgressBar*>(QStringLiteral("pb1"));
        QCOMPARE(pb1->maximum(), 301);   // the load moved it...
        QCOMPARE(pb1->value(), 0);       // ...and it is empty once the load is over
        QCOMPARE(amb.dialoghi.messaggi().size(), std::size_t(1));
        delete principale;
    }

    void archivioConfiguratoNessunaDomanda()
    {
        AmbienteInizio amb;
        const QString archivio = amb.creaArchivio(QStringLiteral("Archivio.db"), 120);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QVERIFY(amb.dialoghi.voci().empty());
        // After a restart the label reads as after the selection of the first run.
        QCOMPARE(etichetta(w, "Lbl_Archivio"), QStringLiteral("Database: ") + nativo(archivio));
        QVERIFY(amb.sessione->dbEstrazioni().aperto());
        QVERIFY(testui::procedi(w));
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioni, 120);
        delete w.principale();
    }

    // From the keyboard: Tab to a button and Enter presses it, as Space does.
    void invioPremeIlPulsanteConIlFuoco()
    {
        AmbienteInizio amb;
        const QString archivio = amb.creaArchivio(QStringLiteral("Archivio.db"), 30);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        auto* seleziona = w.findChild<QPushButton*>(QStringLiteral("Command4"));
        QVERIFY(seleziona);
        seleziona->setFocus();
        QTest::keyClick(seleziona, Qt::Key_Return);
        QCOMPARE(amb.dialoghi.voci().size(), std::size_t(1));
        QCOMPARE(amb.dialoghi.voci()[0].tipo, Tipo::ApriFile);
    }

    void fileErratoDialogoAnnullatoPoiCaricamentoFallito()
    {
        AmbienteInizio amb;
        const QString testo = amb.scriviFile(QStringLiteral("note.db"), "questo non e' un archivio\n");
        amb.impostaParametro("PercorsoArchivio", testo.toStdString());

        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        // Wrong file: the first-time message with the reason, then the dialog, which the user cancels.
        const QString motivo = QStringLiteral("Il file \"") + testo + QStringLiteral("\" è danneggiato o non è un archivio di Velmora");
        QCOMPARE(amb.dialoghi.voci().size(), std::size_t(2));
        QCOMPARE(amb.dialoghi.voci()[0].testo, primaVolta + QStringLiteral("\n\n") + motivo);
        QCOMPARE(amb.dialoghi.voci()[1].tipo, Tipo::ApriFile);
        // Nothing changes.
        QCOMPARE(etichetta(w, "Lbl_Archivio"), QStringLiteral("Database: ") + nativo(testo));
        QCOMPARE(amb.leggiParametro("PercorsoArchivio"), testo.toStdString());
        QVERIFY(!QFile::exists(amb.file(QStringLiteral("PercorsoDatabase.txt"))));

        amb.dialoghi.svuota();
        QVERIFY(!testui::procedi(w));
        QCOMPARE(amb.dialoghi.messaggi().size(), std::size_t(1));
        QCOMPARE(amb.dialoghi.messaggi()[0].testo, erroreCaricamento + QStringLiteral("\n\n") + motivo);
        QCOMPARE(amb.dialoghi.messaggi()[0].titolo, QStringLiteral("Avviso"));
        QCOMPARE(amb.dialoghi.messaggi()[0].icona, ui::Icona::Critica);
        QVERIFY(w.isVisible());
        QVERIFY(w.principale() == nullptr);
        QVERIFY(w.findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());

        // The user selects a good archive and presses PROCEDI again.
        const QString buono = amb.creaArchivio(QStringLiteral("Buono.db"), 50);
        amb.dialoghi.risposteFile.push_back(buono);
        w.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QCOMPARE(etichetta(w, "Lbl_Archivio"), QStringLiteral("Database: ") + nativo(buono));
        QVERIFY(testui::procedi(w));
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioni, 50);
        delete w.principale();
    }

    // A program that wires no main window: the load succeeds, the hand-over is refused
    // like a main window that fails to open, never a start-up window closed on nothing.
    void senzaFinestraPrincipaleProcediFallisce()
    {
        testui::Ambiente amb;
        amb.impostaParametro("PercorsoArchivio", amb.creaArchivio(QStringLiteral("Archivio.db"), 30).toStdString());
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QVERIFY(!testui::procedi(w));
        QVERIFY(w.principale() == nullptr);
        QCOMPARE(amb.dialoghi.messaggi().size(), std::size_t(1));
        QCOMPARE(amb.dialoghi.messaggi()[0].testo, erroreCaricamento);
        QCOMPARE(amb.dialoghi.messaggi()[0].titolo, QStringLiteral("Avviso"));
    }

    void primoAvvioAnnullatoProcediFallisce()
    {
        AmbienteInizio amb;
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QCOMPARE(amb.dialoghi.voci().size(), std::size_t(2));
        QCOMPARE(etichetta(w, "Lbl_Archivio"), QString());
        QCOMPARE(amb.leggiParametro("PercorsoArchivio"), std::string());
        QVERIFY(!testui::procedi(w));
        QVERIFY(amb.dialoghi.messaggi().back().testo.startsWith(erroreCaricamento));
    }

    void caricamentoFallitoPerArchivioSbagliato()
    {
        // The program's own database is a database of ours, but not an archive.
        AmbienteInizio amb;
        ui::Inizio w(*amb.contesto);
        amb.dialoghi.allaChiamata = [&](const ui::DialoghiScriptati::Voce& v) {
            if (v.tipo == Tipo::ApriFile)
                amb.dialoghi.risposteFile.push_back(amb.file(QStringLiteral("DbPiramide.db")));
        };
        QVERIFY(w.avvia());
        QVERIFY(!testui::procedi(w));
        QCOMPARE(amb.dialoghi.messaggi().back().testo,
                 erroreCaricamento + QStringLiteral("\n\nIl file \"") + nativo(amb.file(QStringLiteral("DbPiramide.db")))
                     + QStringLiteral("\" non è un archivio delle estrazioni (manca la tabella EstrazioniLotto)"));
        QCOMPARE(amb.dialoghi.messaggi().back().titolo, QStringLiteral("Avviso"));
        QVERIFY(w.principale() == nullptr);
    }

    // An archive with a stray 99 and an impossible date loads; the player is told once, over the
    // main window, which draws were affected; the file is not changed.
    void datiFuoriIntervalloDettiUnaVolta()
    {
        AmbienteInizio amb;
        const QString archivio = amb.creaArchivio(QStringLiteral("Vecchio.db"), 5);
        {
            auto db = storage::ApriArchivio(archivio.toStdString());
            db.esegui("UPDATE EstrazioniLotto SET Ro = '01-02-03-04-99' WHERE rowid = (SELECT min(rowid) FROM EstrazioniLotto)");
            db.esegui("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('0000-00-00', '01-02-03-04-05')");
        }
        const QString file = leggiFile(archivio);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QVERIFY(testui::procedi(w));
        QTRY_COMPARE(amb.dialoghi.messaggi().size(), std::size_t(1));
        const auto m = amb.dialoghi.messaggi()[0];
        QCOMPARE(m.titolo, QStringLiteral("Dati dell'archivio non validi"));
        QCOMPARE(m.icona, ui::Icona::Esclamazione);
        QVERIFY2(m.testo.contains(QStringLiteral("estrazione n° 1 del ")), qPrintable(m.testo));
        QVERIFY2(m.testo.contains(QStringLiteral("Roma posizione 5 (99)")), qPrintable(m.testo));
        QVERIFY2(m.testo.contains(QStringLiteral("\"0000-00-00\"")), qPrintable(m.testo));
        QVERIFY(m.testo.contains(archivio));
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioni, 5);
        QCOMPARE(amb.sessione->archivio().numero(1, 7, 5), std::int16_t(0));
        QCOMPARE(leggiFile(archivio), file);
        delete w.principale();
    }

    void configurazioneMalformataAnomalia()
    {
        AmbienteInizio amb;
        const QString archivio = amb.creaArchivio(QStringLiteral("Archivio.db"), 30);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        amb.impostaParametro("EstrazioneIniziale", "99999");
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QCOMPARE(amb.dialoghi.messaggi().size(), std::size_t(1));
        QCOMPARE(amb.dialoghi.messaggi()[0].titolo, QStringLiteral("Anomalia"));
        QCOMPARE(amb.dialoghi.messaggi()[0].icona, ui::Icona::Critica);
        QVERIFY(w.isVisible());
        // A leading-number reading, rounded: "2.5 estrazioni" gives 2.
        amb.impostaParametro("EstrazioneIniziale", "2.5 estrazioni");
        amb.sessione->ImpostaInizialix();
        QCOMPARE(amb.sessione->archivio().EstrazioneIniziale, 2);
    }

    void leScrittureVannoAllArchivioCaricato()
    {
        // Archive A opens at start-up, the user selects B and presses PROCEDI:
        // what the program writes from then on must reach B, the archive on screen.
        AmbienteInizio amb;
        const QString a = amb.creaArchivio(QStringLiteral("A.db"), 20);
        const QString b = amb.creaArchivio(QStringLiteral("B.db"), 25);
        amb.impostaParametro("PercorsoArchivio", a.toStdString());
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QCOMPARE(QString::fromStdString(amb.sessione->dbEstrazioni().percorso()), a);
        amb.dialoghi.risposteFile.push_back(b);
        w.SelezioneArchivio();
        QVERIFY(testui::procedi(w));
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioni, 25);
        auto& db = amb.sessione->dbEstrazioni();
        QCOMPARE(nativo(QString::fromStdString(db.percorso())), nativo(b));
        db.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('2039-01-01', '01-02-03-04-05')").esegui();
        QCOMPARE(righeIn(b), 26);
        QCOMPARE(righeIn(a), 20);
        delete w.principale();
    }

    void procediDueVolteDopoUnFallimentoRicaricaDaCapo()
    {
        AmbienteInizio amb;
        const QString archivio = amb.creaArchivio(QStringLiteral("Archivio.db"), 60);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        amb.impostaParametro("EstrazioneIniziale", "0");
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        QVERIFY(!testui::procedi(w));
        amb.sessione->archivio().EstrazioneIniziale = 10;
        QVERIFY(testui::procedi(w));
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioni, 60);
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioniModello, 51);
        delete w.principale();
    }

    void creaArchivioDalFileStorico()
    {
        AmbienteInizio amb;
        const QString storico = amb.scriviFile(QStringLiteral("storico.txt"),
            "1939/01/07\tBA\t58\t22\t47\t49\t69\n1939/01/07\tFI\t27\t57\t81\t43\t61\n"
            "1939/01/14\tBA\t1\t2\t3\t4\t5\n2005/05/04\tRN\t51\t89\t82\t70\t37\n");
        const QString nuovo = amb.file(QStringLiteral("Storico.db"));
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        amb.dialoghi.svuota();
        amb.dialoghi.risposteFile = {storico, nuovo};
        w.findChild<QPushButton*>(QStringLiteral("CmdStorico"))->click();
        QVERIFY(testui::attendi(w.lavoro()));
        QCOMPARE(amb.dialoghi.voci().size(), std::size_t(3));
        QCOMPARE(amb.dialoghi.voci()[1].tipo, Tipo::SalvaFile);
        QCOMPARE(amb.dialoghi.voci()[1].file.filtro, QStringLiteral("File di archivio (*.db)"));
        QCOMPARE(amb.dialoghi.messaggi()[0].icona, ui::Icona::Informazione);
        QVERIFY(amb.dialoghi.messaggi()[0].testo.contains(QStringLiteral("3 estrazioni")));
        QCOMPARE(etichetta(w, "Lbl_Archivio"), QStringLiteral("Database: ") + nativo(nuovo));
        QCOMPARE(amb.leggiParametro("PercorsoArchivio"), nativo(nuovo).toStdString());
        QVERIFY(testui::procedi(w));
        QCOMPARE(amb.sessione->archivio().NumeroEstrazioni, 3);
        QCOMPARE(amb.sessione->archivio().numero(3, 10, 1), std::int16_t(51));
        delete w.principale();
    }

    void creaArchivioFileMalformatoOSostituzioneRifiutata()
    {
        AmbienteInizio amb;
        const QString storico = amb.scriviFile(QStringLiteral("storico.txt"), "non una riga di estrazione\n");
        const QString esistente = amb.creaArchivio(QStringLiteral("Esistente.db"), 10);
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        amb.dialoghi.svuota();

        // The user refuses to replace an existing file: nothing is written.
        amb.dialoghi.risposteFile = {storico, esistente};
        amb.dialoghi.risposteSiNo = {false};
        w.CreaDaStorico();
        QVERIFY(!w.lavoro().occupato());
        QCOMPARE(amb.dialoghi.voci().back().tipo, Tipo::Domanda);
        QCOMPARE(righeIn(esistente), 10);

        // A malformed file is refused with a message and the existing archive stays.
        amb.dialoghi.risposteFile = {storico, esistente};
        amb.dialoghi.risposteSiNo = {true};
        w.CreaDaStorico();
        QVERIFY(testui::attendi(w.lavoro()));
        QCOMPARE(amb.dialoghi.messaggi().back().titolo, QStringLiteral("Avviso"));
        QCOMPARE(amb.dialoghi.messaggi().back().icona, ui::Icona::Critica);
        QCOMPARE(righeIn(esistente), 10);
        QVERIFY(w.findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    }

    void configurazioneIlleggibile()
    {
        // A configuration that opens but cannot be read (here a value the engine fails to compute, as a
        // damaged page would): said, naming the program database, and the start goes on as a first run
        // that asks for the archive.
        AmbienteInizio amb;
        {
            auto db = storage::ApriDatabaseProgramma(amb.cartella().toStdString());
            db.esegui("DROP TABLE ParametriProgramma");
            db.esegui("CREATE VIEW ParametriProgramma (Parametro, Valore1, Valore2) AS "
                      "SELECT 'PercorsoArchivio', abs(-9223372036854775807 - 1), ''");
            db.esegui("CREATE TRIGGER NessunParametro INSTEAD OF INSERT ON ParametriProgramma BEGIN SELECT 1; END");
        }
        const QString archivio = amb.creaArchivio(QStringLiteral("Archivio.db"), 12);
        amb.dialoghi.risposteFile.push_back(archivio);
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        const auto m = amb.dialoghi.messaggi();
        QVERIFY(m.size() >= 2);
        QVERIFY2(m[0].testo.startsWith(QStringLiteral("Impossibile leggere l'archivio scelto dal database del programma \"")
                                       + nativo(amb.file(QStringLiteral("DbPiramide.db"))) + QStringLiteral("\":\n")),
                 qPrintable(m[0].testo));
        QCOMPARE(m[0].titolo, QStringLiteral("Anomalia"));
        QCOMPARE(m[1].testo, primaVolta);
        QCOMPARE(amb.sessione->percorsoArchivio(), nativo(archivio).toStdString());
    }

    void rigaPercorsoArchivioMancante()
    {
        // Without the row the choice cannot be stored: every start-up asks again,
        // while the side file is still written and the choice holds for this run.
        AmbienteInizio amb;
        {
            auto db = storage::ApriDatabaseProgramma(amb.cartella().toStdString());
            db.prepara("DELETE FROM ParametriProgramma WHERE Parametro = ?1").lega(1, "PercorsoArchivio").esegui();
        }
        const QString archivio = amb.creaArchivio(QStringLiteral("Archivio.db"), 15);
        for (int avvio = 0; avvio < 2; ++avvio) {
            amb.dialoghi.svuota();
            amb.dialoghi.risposteFile.push_back(archivio);
            amb.sessione = std::make_unique<session::Sessione>(amb.cartella().toStdString());
            amb.contesto = std::make_unique<ui::Contesto>(*amb.sessione, amb.dialoghi);
            collegaPrincipale(*amb.contesto);
            ui::Inizio w(*amb.contesto);
            QVERIFY(w.avvia());
            QCOMPARE(amb.dialoghi.messaggi().size(), std::size_t(1));
            QCOMPARE(amb.dialoghi.messaggi()[0].testo, primaVolta);
            QCOMPARE(leggiFile(amb.file(QStringLiteral("PercorsoDatabase.txt"))),
                     QStringLiteral("\"") + nativo(archivio) + QStringLiteral("\"\n"));
            QCOMPARE(amb.leggiParametro("PercorsoArchivio"), std::string("<mancante>"));
            QVERIFY(testui::procedi(w));
            QCOMPARE(amb.sessione->archivio().NumeroEstrazioni, 15);
            delete w.principale();
            amb.sessione->chiudi();
        }
    }

    void fineDuranteLImportazioneLaFermaPrimaDiChiudere()
    {
        // A long historical file: 5000 days of Bari, Cagliari and Firenze.
        QByteArray testo;
        for (int g = 0; g < 5000; ++g) {
            const QByteArray data = QDate(1950, 1, 1).addDays(g).toString(QStringLiteral("yyyy/MM/dd")).toLatin1();
            for (const char* ruota : {"BA", "CA", "FI"})
                testo += data + '\t' + ruota + "\t1\t2\t3\t4\t" + QByteArray::number(5 + g % 80) + '\n';
        }
        testui::Ambiente amb;
        const QString storico = amb.scriviFile(QStringLiteral("storico.txt"), testo);
        const QString nuovo = amb.file(QStringLiteral("Nuovo.db"));
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        amb.dialoghi.svuota();
        amb.dialoghi.risposteFile = {storico, nuovo};
        w.findChild<QPushButton*>(QStringLiteral("CmdStorico"))->click();
        QVERIFY(w.lavoro().occupato());
        auto* fine = w.findChild<QPushButton*>(QStringLiteral("Command3"));
        QVERIFY(fine->isEnabled());
        QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
        fine->click();
        // The import was stopped and waited for before the files were closed: nothing left on disk, no message.
        QVERIFY(!w.lavoro().occupato());
        QCOMPARE(amb.terminato, 1);
        QVERIFY(!amb.sessione->dbProgramma().aperto());
        QVERIFY(!QFile::exists(nuovo));
        QVERIFY(!QFile::exists(amb.file(QStringLiteral(".Nuovo.db.importazione"))));
        QVERIFY(amb.dialoghi.messaggi().empty());
    }

    void fineEHelp()
    {
        AmbienteInizio amb;
        const QString archivio = amb.creaArchivio(QStringLiteral("Archivio.db"), 10);
        amb.impostaParametro("PercorsoArchivio", archivio.toStdString());
        ui::Inizio w(*amb.contesto);
        QVERIFY(w.avvia());
        w.findChild<QPushButton*>(QStringLiteral("CmDHelp"))->click();
        QCOMPARE(amb.helpAperti, std::vector<int>{310});
        QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("CmDHelp"))->toolTip(), QStringLiteral("Help in linea"));
        w.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
        QCOMPARE(amb.terminato, 1);
        QVERIFY(!amb.sessione->dbProgramma().aperto());
        QVERIFY(!amb.sessione->dbEstrazioni().aperto());
        QVERIFY(amb.dialoghi.voci().empty());
    }
};

QTEST_MAIN(TestInizio)
#include "ui_inizio_test.moc"
