// The update and export pages of archivio offscreen: AGGIORNA DA FILE with its marks, AGGIORNAMENTO, the download
// against an HTTP server the test starts on 127.0.0.1, the official archive, the site address, the three exports.
#include "ui/archivio/GestioneArchivio.h"
#include "ui/archivio/PannelloAggiornamento.h"
#include "ui/archivio/PannelloEsportazione.h"

#include "archive/ArchivioDimostrativo.h"
#include "maintenance/FileAggiornamento.h"
#include "storage/DrawsDb.h"
#include "storage/ProgramDb.h"
#include "SupportoUi.h"
#include "support/StoricoZip.h"
#include "net/Scarico.h"
#include "ui/common/GrigliaView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkProxy>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <sstream>

using namespace ui;

namespace {

using testui::archivioModello;

const QString Sbagliato = QStringLiteral("Attenzione qualcosa è andato storto nella procedura ");

// A small HTTP server on 127.0.0.1 only: it answers every request as `modo` says.
class ServerProva : public QObject {
public:
    enum class Modo { Ok, NonTrovato, Infinito, Muto };
    explicit ServerProva(Modo m, QByteArray c = {}) : modo(m), corpo(std::move(c))
    {
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { rispondi(s); });
        });
    }
    QString indirizzo() const { return QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()); }

    Modo modo;
    QByteArray corpo;
    QByteArray percorsoRichiesto;
    QTcpServer server;

private:
    void rispondi(QTcpSocket* s)
    {
        richiesta_ += s->readAll();
        if (!richiesta_.contains("\r\n\r\n"))
            return;
        percorsoRichiesto = richiesta_.split(' ').value(1);
        switch (modo) {
        case Modo::Ok:
            s->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(corpo.size())
                     + "\r\nConnection: close\r\n\r\n" + corpo);
            s->disconnectFromHost();
            break;
        case Modo::NonTrovato: {
            const QByteArray pagina = "<html><body>404 Not Found</body></html>";
            s->write("HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: "
                     + QByteArray::number(pagina.size()) + "\r\nConnection: close\r\n\r\n" + pagina);
            s->disconnectFromHost();
            break;
        }
        case Modo::Infinito: {
            s->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n");
            auto* t = new QTimer(s);
            connect(t, &QTimer::timeout, s, [s] {
                if (s->bytesToWrite() < 1 << 20)
                    s->write(QByteArray(16 * 1024, 'x'));
            });
            t->start(1);
            break;
        }
        case Modo::Muto: break;
        }
    }
    QByteArray richiesta_;
};

struct Banco {
    // The demonstration archive without its last `tolte` draws, and the update file of its last
    // `nelFile` draws as a provider would publish it.
    explicit Banco(int tolte = 0, int nelFile = 0)
    {
        percorso = amb.file(QStringLiteral("archivio.db"));
        QFile::copy(archivioModello(), percorso);
        QFile(percorso).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (nelFile > 0) {
            auto db = storage::ApriArchivio(percorso.toStdString());
            auto s = db.prepara("SELECT DataEstrazione FROM EstrazioniLotto ORDER BY DataEstrazione DESC LIMIT 1 OFFSET ?1");
            s.lega(1, nelFile - 1);
            s.avanza();
            const std::string dal = storage::DataDaDb(s.testo(0));
            std::ostringstream out;
            maintenance::scriviFileAggiornamento(db, dal, out);
            fileAggiornamento = QByteArray::fromStdString(out.str());
            auto togli = db.prepara("DELETE FROM EstrazioniLotto WHERE DataEstrazione IN (SELECT DataEstrazione FROM "
                                    "EstrazioniLotto ORDER BY DataEstrazione DESC LIMIT ?1)");
            togli.lega(1, tolte);
            togli.esegui();
        }
        amb.sessione->apriDatabaseProgramma();
        (void)amb.sessione->selezionaArchivio(percorso.toStdString());
        amb.sessione->archivio().EstrazioneIniziale = 1;
        amb.sessione->carica();
        finestra = std::make_unique<GestioneArchivio>(*amb.contesto);
        finestra->aggiornamento().apriIndirizzo = [this](const QUrl& u) {
            aperti << u.toString();
            return true;
        };
        finestra->show();
    }

    template <class T> T* w(const QString& nome) const { return testui::controllo<T>(*finestra, nome); }
    // Presses a button and waits for the work it may have started (check, AGGIORNAMENTO, export).
    void premi(const char* nome)
    {
        QTest::mouseClick(w<QPushButton>(QString::fromLatin1(nome)), Qt::LeftButton);
        attendi();
    }
    void attendi()
    {
        if (finestra->lavoro().occupato())
            QVERIFY(testui::attendi(finestra->lavoro()));
    }
    QStringList list4() const
    {
        QStringList r;
        for (const auto& s : finestra->aggiornamento().righeList4())
            r << QString::fromStdString(s);
        return r;
    }
    std::vector<DialoghiScriptati::Voce> messaggi() const { return amb.dialoghi.messaggi(); }
    const archive::Archivio& a() const { return amb.sessione->archivio(); }
    QString copia() const { return amb.file(QStringLiteral("Estr_Agg.txt")); }
    QByteArray leggi(const QString& p) const
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<mancante>");
    }
    // Runs a download command and waits for its end.
    void scarica(const char* comando)
    {
        QSignalSpy fine(&finestra->scarico(), &net::Scarico::terminato);
        QTest::mouseClick(w<QPushButton>(QString::fromLatin1(comando)), Qt::LeftButton);
        QVERIFY(fine.wait(15000));
        attendi();
    }

    testui::Ambiente amb;
    QString percorso;
    QByteArray fileAggiornamento;
    QStringList aperti;
    std::unique_ptr<GestioneArchivio> finestra;
};

const grid::Colore Arancione = grid::rgb(255, 192, 128);

// The main window's bar 1 as a test sees it.
struct BarraRegistrata : ui::Progresso {
    void imposta(int v, int m) override
    {
        valore = v;
        massimo = m;
    }
    void azzera() override { valore = 0; }
    int valore = 0, massimo = 0;
};

}

class TestAggiornamento : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }
    void aggiornaDaFileEAggiornamento();
    void fileRifiutatiEAnnullati();
    void correzioneSoloConCheck3();
    void scaricoRiuscito();
    void scaricoFallito_data();
    void scaricoFallito();
    void scaricoSuUnCollegamentoRifiutato();
    void annullaEServerNonConfigurato();
    void archivioUfficiale();
    void archivioUfficialeFallito();
    void indirizzoInternet();
    void esportazioni();
    void scaricoInCorsoRifiutaGliAltriLavori();
    void rigaRifiutataLasciaUnBuco();
    void colonneEModificaNonTrovata();
    void serverAggiornamentiPredefinito();
    void predefinitoRifiutatoDalDatabase();
    void archivioCambiatoFuoriPrimaDellAggiornamento();
};

void TestAggiornamento::aggiornaDaFileEAggiornamento()
{
    Banco t(3, 5);
    const int n = t.a().NumeroEstrazioni;
    const QString file = t.amb.scriviFile(QStringLiteral("nuove.txt"), t.fileAggiornamento);
    t.amb.dialoghi.risposteFile.push_back(file);
    t.premi("Command21");
    const auto& vociFile = t.amb.dialoghi.voci();
    QCOMPARE(vociFile.front().file.cartella, testui::documentiOCasa());
    // The list as text, read anew after each command.
    auto g = [&t] { return t.finestra->aggiornamento().grigliaImporta(); };
    QCOMPARE(g().righe(), 6);
    QCOMPARE(g().sfondo(1, 1), grid::colori::Bianco);
    QCOMPARE(g().sfondo(2, 5), grid::rgb(128, 255, 128));
    QStringList attese;
    for (int r = 5; r >= 3; --r) {
        QCOMPARE(g().sfondo(r, 1), Arancione);
        attese << QStringLiteral("Manca estrazione del: ") + QString::fromStdString(g().testo(r, 1));
    }
    attese << QStringLiteral("Nessuna anomalia rilevata");
    QCOMPARE(t.list4(), attese);
    QVERIFY(t.messaggi().empty());
    const QString ultima = QString::fromStdString(g().testo(5, 1));

    t.premi("Command28");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Dati salvati correttamente."));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Aggiornamento archivio"));
    QCOMPARE(t.messaggi()[0].icona, Icona::Informazione);
    QCOMPARE(t.list4().last(), QStringLiteral("aggiunti N° 3 record"));
    QCOMPARE(t.a().NumeroEstrazioni, n + 3);
    QCOMPARE(t.w<QLabel>("LBLAGGIORNATO")->text(), ultima);
    QCOMPARE(t.w<QLabel>("LBLESTRAZIONE")->text(), ultima);
    QCOMPARE(t.w<QTabWidget>("SSTab1")->currentIndex(), 0);
    QCOMPARE(g().righe(), 1);

    t.amb.dialoghi.svuota();
    t.premi("Command28");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Non ci sono estrazioni da aggiornare."));
}

void TestAggiornamento::fileRifiutatiEAnnullati()
{
    Banco t;
    t.premi("Command21");   // cancelled dialog: said as a cancel, not as an error
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Aggiornamento da file annullato: non è stato cambiato nulla."));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Aggiorna da file"));
    QCOMPARE(t.messaggi()[0].icona, Icona::Informazione);

    t.amb.dialoghi.svuota();
    const QString errato = t.amb.scriviFile(QStringLiteral("errato.txt"), QByteArray(179, 'x') + "pr\r\n");
    t.amb.dialoghi.risposteFile.push_back(errato);
    t.premi("Command21");
    QCOMPARE(t.messaggi()[0].testo,
             QStringLiteral("Attenzione, sembra che il file non sia del formato corretto\n\n\"%1\"").arg(errato));
    QCOMPARE(t.finestra->aggiornamento().grigliaImporta().righe(), 1);
    QVERIFY(t.list4().isEmpty());
}

void TestAggiornamento::correzioneSoloConCheck3()
{
    Banco t(0, 2);
    QByteArray file = t.fileAggiornamento;
    file.replace(11, 14, "01-02-03-04-05");   // Bari of the first line
    const QString percorso = t.amb.scriviFile(QStringLiteral("errata.txt"), file);
    const QString data = QString::fromLatin1(file.left(10));
    t.amb.dialoghi.risposteFile.push_back(percorso);
    t.premi("Command21");
    QCOMPARE(t.list4(), QStringList({QStringLiteral("Errori Estrazione del ") + data}));
    t.w<QCheckBox>("Check3")->setChecked(true);
    t.premi("Command28");
    QCOMPARE(t.list4(), QStringList({QStringLiteral("Modificata estrazione del ") + data}));
    QVERIFY(t.messaggi().empty());   // corrections alone say nothing
    const int d = t.a().NumeroEstrazioni - 1;
    QCOMPARE(t.a().numero(d, 0, 1), 1);
    QCOMPARE(t.a().numero(d, 0, 5), 5);
}

void TestAggiornamento::scaricoRiuscito()
{
    Banco t(2, 4);
    ServerProva server(ServerProva::Modo::Ok, t.fileAggiornamento);
    // The server typed in its box is the one used, default or not.
    t.w<QLineEdit>("Text4")->setText(server.indirizzo());
    t.scarica("Command27");
    QCOMPARE(server.percorsoRichiesto, QByteArray("/archivionumeris/archivionumeris2023.txt"));
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Fatto\n\n%1/archivionumeris/archivionumeris2023.txt salvato in \"%2\".")
                                        .arg(server.indirizzo(), t.copia()));
    QCOMPARE(t.leggi(t.copia()), t.fileAggiornamento + "\r\n");
    QCOMPARE(t.finestra->aggiornamento().grigliaImporta().righe(), 1);   // SCARICO FILE leaves the grid alone

    t.amb.dialoghi.svuota();
    t.scarica("Command18");
    QVERIFY(t.messaggi().empty());
    QCOMPARE(t.finestra->aggiornamento().grigliaImporta().righe(), 5);
    QCOMPARE(t.list4().size(), 3);
    QCOMPARE(t.list4().last(), QStringLiteral("Nessuna anomalia rilevata"));
    // No file is left beside the copy.
    QCOMPARE(QDir(t.amb.cartella()).entryList({QStringLiteral("Estr_Agg*")}, QDir::Files).size(), 1);
}

void TestAggiornamento::scaricoFallito_data()
{
    QTest::addColumn<int>("modo");
    QTest::addColumn<bool>("irraggiungibile");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("irraggiungibile") << 0 << true << QStringLiteral("collegamento non riuscito");
    QTest::newRow("404") << int(ServerProva::Modo::NonTrovato) << false << QStringLiteral("il server ha risposto 404");
    QTest::newRow("infinito") << int(ServerProva::Modo::Infinito) << false << QStringLiteral("il file supera 262144 byte");
    QTest::newRow("muto") << int(ServerProva::Modo::Muto) << false << QStringLiteral("tempo scaduto");
}

void TestAggiornamento::scaricoFallito()
{
    QFETCH(int, modo);
    QFETCH(bool, irraggiungibile);
    QFETCH(QString, motivo);
    Banco t;
    ServerProva server(static_cast<ServerProva::Modo>(modo));
    const QString indirizzo = server.indirizzo();
    if (irraggiungibile)
        server.server.close();   // the port is free again: nobody listens there
    t.w<QLineEdit>("Text4")->setText(indirizzo);
    t.finestra->scarico().timeoutMs = 1500;
    t.finestra->scarico().dimensioneMassima = 256 * 1024;
    t.amb.scriviFile(QStringLiteral("Estr_Agg.txt"), "copia precedente\r\n");
    t.scarica("Command18");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    const auto m = t.messaggi()[0];
    QVERIFY2(m.testo.startsWith(Sbagliato + QStringLiteral("Collegamento al sito\n\n")), qPrintable(m.testo));
    QVERIFY2(m.testo.contains(motivo), qPrintable(m.testo));
    QVERIFY2(m.testo.contains(t.copia()), qPrintable(m.testo));
    QCOMPARE(m.titolo, QStringLiteral("Avviso"));
    QCOMPARE(t.leggi(t.copia()), QByteArray("copia precedente\r\n"));
    QCOMPARE(QDir(t.amb.cartella()).entryList({QStringLiteral("Estr_Agg*")}, QDir::Files).size(), 1);
    QCOMPARE(t.finestra->aggiornamento().grigliaImporta().righe(), 1);
}

// SCARICO FILE where the local copy is a symbolic link: the player reads why nothing was written, never
// "Fatto", and the file the link points to is not touched.
void TestAggiornamento::scaricoSuUnCollegamentoRifiutato()
{
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes a shell shortcut (.lnk) on Windows, which the file system does not follow");
#endif
    Banco t(0, 2);
    ServerProva server(ServerProva::Modo::Ok, t.fileAggiornamento);
    t.w<QLineEdit>("Text4")->setText(server.indirizzo());
    const QString altrove = t.amb.scriviFile(QStringLiteral("importante.txt"), "da non toccare\n");
    QVERIFY(QFile::link(altrove, t.copia()));
    t.scarica("Command27");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    const auto m = t.messaggi()[0];
    QVERIFY2(m.testo.startsWith(Sbagliato + QStringLiteral("Collegamento al sito\n\n")), qPrintable(m.testo));
    QVERIFY2(m.testo.contains(QLatin1Char('"') + t.copia() + QStringLiteral("\" è un collegamento simbolico")), qPrintable(m.testo));
    QCOMPARE(m.titolo, QStringLiteral("Avviso"));
    QCOMPARE(t.leggi(altrove), QByteArray("da non toccare\n"));
    QVERIFY(QFileInfo(t.copia()).isSymLink());
}

void TestAggiornamento::annullaEServerNonConfigurato()
{
    Banco t;
    t.premi("Command27");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QVERIFY(t.messaggi()[0].testo.startsWith(Sbagliato + QStringLiteral("Collegamento al sito")));
    // The player is told where to write the server, not which table holds it.
    QVERIFY(t.messaggi()[0].testo.contains(QStringLiteral("\"Server aggiornamenti\"")));
    QVERIFY(!t.messaggi()[0].testo.contains(QStringLiteral("ParametriProgramma")));

    t.amb.dialoghi.svuota();
    ServerProva server(ServerProva::Modo::Muto);
    t.w<QLineEdit>("Text4")->setText(server.indirizzo().mid(7));   // no scheme
    QSignalSpy fine(&t.finestra->scarico(), &net::Scarico::terminato);
    auto* Command26 = t.w<QPushButton>("Command26");
    QCOMPARE(Command26->text(), QStringLiteral("&Annulla"));
    QVERIFY(!Command26->isEnabled());
    t.premi("Command27");
    QVERIFY(t.finestra->scarico().inCorso());
    QVERIFY(Command26->isEnabled());
    QTRY_VERIFY(!server.percorsoRichiesto.isEmpty());
    t.premi("Command26");   // the transfer ends at once
    QTRY_COMPARE(fine.count(), 1);
    // A cancel is what the player asked for: said as such, not as an error.
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QVERIFY2(t.messaggi()[0].testo.startsWith(QStringLiteral("Download annullato: ") + server.indirizzo()),
             qPrintable(t.messaggi()[0].testo));
    QCOMPARE(t.messaggi()[0].icona, Icona::Informazione);
    QVERIFY(!Command26->isEnabled());
    QVERIFY(t.w<QTabWidget>("SSTab1")->isEnabled());
    QVERIFY(!QFile::exists(t.copia()));
}

// The demonstration archive's official text, zipped as its site publishes it.
static QByteArray zipUfficiale()
{
    auto db = storage::ApriArchivio(archivioModello().toStdString());
    return QByteArray::fromStdString(testsupport::zipDi({{"storico.txt", testsupport::testoUfficialeDi(db)}}));
}

void TestAggiornamento::archivioUfficiale()
{
    Banco t(3, 1);
    const int n = t.a().NumeroEstrazioni;
    ServerProva server(ServerProva::Modo::Ok, zipUfficiale());
    QCOMPARE(t.w<QLineEdit>("Text3")->text(),
             QStringLiteral("https://www.brightstarlottery.it/STORICO_ESTRAZIONI_LOTTO/storico.zip"));
    t.w<QLineEdit>("Text3")->setText(server.indirizzo() + QStringLiteral("/STORICO/storico.zip"));
    t.premi("Command61");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Salvataggio effettuato"));
    QCOMPARE(t.amb.leggiParametro("StoricoUfficiale"), (server.indirizzo() + QStringLiteral("/STORICO/storico.zip")).toStdString());

    t.amb.dialoghi.svuota();
    t.scarica("Command60");
    QCOMPARE(server.percorsoRichiesto, QByteArray("/STORICO/storico.zip"));
    QVERIFY(t.messaggi().empty());
    // The list as text, read anew after each command.
    auto g = [&t] { return t.finestra->aggiornamento().grigliaImporta(); };
    QCOMPARE(g().righe(), n + 3 + 1);
    QStringList attese;
    for (int r = n + 3; r > n; --r) {
        QCOMPARE(g().sfondo(r, 1), Arancione);
        attese << QStringLiteral("Manca estrazione del: ") + QString::fromStdString(g().testo(r, 1));
    }
    attese << QStringLiteral("Nessuna anomalia rilevata");
    QCOMPARE(t.list4(), attese);
    QCOMPARE(g().sfondo(1, 2), grid::rgb(128, 255, 128));

    t.premi("Command28");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Dati salvati correttamente."));
    QCOMPARE(t.list4().last(), QStringLiteral("aggiunti N° 3 record"));
    QCOMPARE(t.a().NumeroEstrazioni, n + 3);
}

void TestAggiornamento::archivioUfficialeFallito()
{
    Banco t(0, 2);
    // What the page held before stays as it was.
    t.amb.dialoghi.risposteFile.push_back(t.amb.scriviFile(QStringLiteral("nuove.txt"), t.fileAggiornamento));
    t.premi("Command21");
    const QString griglia = QString::fromStdString(t.finestra->aggiornamento().grigliaImporta().comeTesto("\n"));
    const QStringList elenco = t.list4();
    QByteArray guasto = zipUfficiale();
    guasto.chop(30);
    ServerProva rotto(ServerProva::Modo::Ok, guasto);
    ServerProva assente(ServerProva::Modo::NonTrovato);
    const struct {
        QString indirizzo, fase, motivo;
    } casi[] = {
        {rotto.indirizzo() + QStringLiteral("/storico.zip"), QStringLiteral("Elenco nuove estrazioni"),
         QStringLiteral("non è un archivio zip valido")},
        {assente.indirizzo() + QStringLiteral("/storico.zip"), QStringLiteral("Collegamento al sito"),
         QStringLiteral("il server ha risposto 404")},
    };
    for (const auto& c : casi) {
        t.amb.dialoghi.svuota();
        t.w<QLineEdit>("Text3")->setText(c.indirizzo);   // downloaded from the box, not made the default
        t.scarica("Command60");
        QCOMPARE(t.messaggi().size(), std::size_t(1));
        const auto m = t.messaggi()[0];
        QVERIFY2(m.testo.startsWith(Sbagliato + c.fase + QStringLiteral("\n\n")), qPrintable(m.testo));
        QVERIFY2(m.testo.contains(c.motivo) && m.testo.contains(c.indirizzo), qPrintable(m.testo));
        QCOMPARE(m.titolo, QStringLiteral("Avviso"));
        QCOMPARE(QString::fromStdString(t.finestra->aggiornamento().grigliaImporta().comeTesto("\n")), griglia);
        QCOMPARE(t.list4(), elenco);
    }
}

void TestAggiornamento::indirizzoInternet()
{
    Banco t;
    auto* Text2 = t.w<QLineEdit>("Text2");
    QCOMPARE(Text2->text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("https://esempio.invalid/lotto"));
    t.premi("Command16");
    QCOMPARE(Text2->text(), QStringLiteral("https://esempio.invalid/lotto"));
    t.premi("Command15");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Salvataggio effettuato"));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Salvataggio"));
    QCOMPARE(t.amb.leggiParametro("IndirizzoInternet"), std::string("https://esempio.invalid/lotto"));
    // Label5, and COLLEGA AL SITO with it, keep the address read at start-up.
    QCOMPARE(t.w<QLabel>("Label5")->text(), QString());
    t.premi("Command5");
    QVERIFY(t.aperti.isEmpty());
    t.amb.sessione->setIndirizzoInternet("www.esempio.invalid");
    t.finestra = std::make_unique<GestioneArchivio>(*t.amb.contesto);
    t.finestra->aggiornamento().apriIndirizzo = [&t](const QUrl& u) {
        t.aperti << u.toString();
        return true;
    };
    t.finestra->show();
    t.premi("Command5");
    QCOMPARE(t.aperti, QStringList({QStringLiteral("http://www.esempio.invalid")}));
    QTest::mouseDClick(t.w<QLineEdit>("Text2"), Qt::LeftButton);
    QCOMPARE(t.w<QLineEdit>("Text2")->text(), QString());

    // Without the row nothing is written and nothing said.
    t.amb.dialoghi.svuota();
    t.amb.sessione->dbProgramma().esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'IndirizzoInternet'");
    t.premi("Command15");
    QVERIFY(t.messaggi().empty());
}

void TestAggiornamento::esportazioni()
{
    Banco t;
    const int n = t.a().NumeroEstrazioni;
    const QString iii = t.amb.file(QStringLiteral("Dati.iii"));
    t.amb.scriviFile(QStringLiteral("Dati.iii"), QByteArray((n + 50) * 110, 'X'));
    t.amb.dialoghi.risposteFile.push_back(iii);
    t.premi("Command10");
    const auto voce = t.amb.dialoghi.voci().front();
    QCOMPARE(voce.file.filtro, QStringLiteral("File di archivio (*.iii)"));
    QCOMPARE(voce.file.estensione, QStringLiteral("iii"));
    QCOMPARE(voce.file.cartella, testui::documentiOCasa());
    QCOMPARE(QFileInfo(iii).size(), qint64(n) * 110);
    QCOMPARE(t.w<QLabel>("Label13")->text(), iii);
    // Every export ends saying what it wrote.
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo,
             QStringLiteral("Esportazione completata: %1 estrazioni scritte nel file \"%2\".").arg(n).arg(QDir::toNativeSeparators(iii)));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Esportazione archivio"));
    QCOMPARE(t.messaggi()[0].icona, Icona::Informazione);
    t.premi("Command35");
    QCOMPARE(t.amb.leggiParametro("PercorsoDati.iii"), iii.toStdString());

    // A target refused says why, naming it; nothing is written.
    t.amb.dialoghi.svuota();
    const QString cartellaIii = t.amb.file(QStringLiteral("Cartella.iii"));
    QDir().mkpath(cartellaIii);
    t.amb.dialoghi.risposteFile.push_back(cartellaIii);
    t.premi("Command10");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("\"") + cartellaIii + QStringLiteral("\" è una cartella: l'archivio non è stato esportato."));
    QCOMPARE(t.messaggi()[0].icona, Icona::Critica);
    QVERIFY(QFileInfo(cartellaIii).isDir());
    QCOMPARE(t.w<QLabel>("Label13")->text(), iii);

    // Quintavo: a folder that is not there, then one that is.
    t.amb.dialoghi.svuota();
    const QString quintavo = t.amb.file(QStringLiteral("Q"));
    t.amb.impostaParametro("PercorsoQuintavo", quintavo.toStdString());
    t.premi("Command7");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Attenzione Quintavo non presente."));
    QCOMPARE(t.messaggi()[0].icona, Icona::Nessuna);
    QDir().mkpath(quintavo);
    t.amb.dialoghi.svuota();
    t.premi("Command7");
    const QByteArray righe = t.leggi(quintavo + QStringLiteral("/DATI32.III"));
    QCOMPARE(righe.count("\r\n"), n);
    QVERIFY(righe.startsWith('"'));
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Esportazione completata: %1 estrazioni scritte nel file \"%2\".")
                                        .arg(n)
                                        .arg(QDir::toNativeSeparators(quintavo + QStringLiteral("/DATI32.III"))));
    // The label names the real folder.
    QCOMPARE(t.w<QLabel>("LblQuintavo")->text(), QDir::toNativeSeparators(quintavo + QStringLiteral("/DATI32.III")));

    // Another folder, chosen with the folder dialog and remembered.
    t.amb.dialoghi.svuota();
    const QString altra = t.amb.file(QStringLiteral("Quintavo altrove"));
    QDir().mkpath(altra);
    t.amb.dialoghi.risposteFile.push_back(altra);
    t.premi("Command36");
    QCOMPARE(t.amb.dialoghi.voci().size(), std::size_t(1));
    QCOMPARE(t.amb.dialoghi.voci()[0].tipo, DialoghiScriptati::Tipo::Cartella);
    QCOMPARE(t.amb.dialoghi.voci()[0].file.cartella, quintavo);
    QCOMPARE(t.amb.leggiParametro("PercorsoQuintavo"), altra.toStdString());
    QCOMPARE(t.w<QLabel>("LblQuintavo")->text(), QDir::toNativeSeparators(altra + QStringLiteral("/DATI32.III")));
    QCOMPARE(t.w<QLabel>("LblNotaNumeris3")->text(),
             QStringLiteral("Attenzione, questo file deve essere obbligatoriamente salvato nella cartella %1 .....")
                 .arg(QDir::toNativeSeparators(altra + QStringLiteral("/"))));
    t.premi("Command7");
    QCOMPARE(t.leggi(altra + QStringLiteral("/DATI32.III")), righe);
    t.premi("Command36");   // cancelled: nothing changes
    QCOMPARE(t.amb.leggiParametro("PercorsoQuintavo"), altra.toStdString());

    // Nazionale: a cancelled dialog writes nothing and says nothing.
    t.amb.dialoghi.svuota();
    t.premi("Command34");
    QVERIFY(t.messaggi().empty());
    const QString naz = t.amb.file(QStringLiteral("naz.Txt"));
    t.amb.dialoghi.risposteFile.push_back(naz);
    t.premi("Command34");
    QVERIFY(t.leggi(naz).startsWith("0"));
    QCOMPARE(t.amb.dialoghi.voci()[1].file.filtro, QStringLiteral("File di archivio (*.Txt)"));
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Esportazione completata: %1 estrazioni scritte nel file \"%2\".")
                                        .arg(t.leggi(naz).count("\r\n"))
                                        .arg(QDir::toNativeSeparators(naz)));
}

// A download running and AGGIORNA DA FILE started meanwhile: the check of the file used to run, the
// downloaded copy's check was then refused by the busy runner, the pages came back while a check
// still ran, and the downloaded rows were lost. Now every long command waits for the download.
void TestAggiornamento::scaricoInCorsoRifiutaGliAltriLavori()
{
    Banco t(2, 4);
    BarraRegistrata barra;
    t.amb.contesto->pb1 = &barra;
    t.finestra = std::make_unique<GestioneArchivio>(*t.amb.contesto);
    t.finestra->show();
    ServerProva muto(ServerProva::Modo::Muto);
    t.w<QLineEdit>("Text4")->setText(muto.indirizzo());
    const QString indirizzo = muto.indirizzo() + QStringLiteral("/archivionumeris/archivionumeris2023.txt");
    QTest::mouseClick(t.w<QPushButton>("Command18"), Qt::LeftButton);
    QTRY_VERIFY(!muto.percorsoRichiesto.isEmpty());
    QCOMPARE(t.w<QLabel>("LblScarico")->text(), QStringLiteral("Scaricamento da %1...").arg(indirizzo));

    // The other long commands are refused while it runs; Annulla is the one at hand.
    QVERIFY(!t.w<QPushButton>("Command21")->isEnabled());
    QVERIFY(!t.w<QPushButton>("Command10")->isEnabled());
    QVERIFY(t.w<QPushButton>("Command26")->isEnabled());
    const QString file = t.amb.scriviFile(QStringLiteral("nuove.txt"), t.fileAggiornamento);
    t.amb.dialoghi.risposteFile.push_back(file);
    t.finestra->aggiornamento().aggiornaDaFile();
    t.finestra->esportazione().salvaNumeris3();
    t.finestra->aggiornamento().aggiornaDaStorico();
    QCOMPARE(t.amb.dialoghi.voci().size(), std::size_t(3));   // no file dialog was opened
    for (const auto& m : t.amb.dialoghi.voci())
        QCOMPARE(m.testo, QStringLiteral("È in corso lo scaricamento da %1: attendere che finisca o annullarlo con Annulla.")
                              .arg(indirizzo));
    QVERIFY(!t.finestra->lavoro().occupato());
    QCOMPARE(t.finestra->aggiornamento().grigliaImporta().righe(), 1);
    t.amb.dialoghi.svuota();
    t.premi("Command26");
    QTRY_VERIFY(!t.finestra->scarico().inCorso());
    QVERIFY(t.w<QPushButton>("Command21")->isEnabled());

    // A download that streams: bar 1 moves with the kilobytes received, the page says from where.
    ServerProva infinito(ServerProva::Modo::Infinito);
    t.w<QLineEdit>("Text4")->setText(infinito.indirizzo());
    t.finestra->scarico().dimensioneMassima = 4 * 1024 * 1024;
    QSignalSpy fine(&t.finestra->scarico(), &net::Scarico::terminato);
    t.amb.dialoghi.svuota();
    QTest::mouseClick(t.w<QPushButton>("Command27"), Qt::LeftButton);
    QTRY_VERIFY2(barra.valore > 0, qPrintable(t.w<QLabel>("LblScarico")->text()));
    QVERIFY(t.w<QLabel>("LblScarico")->text().startsWith(QStringLiteral("Scaricamento da ") + infinito.indirizzo()));
    QVERIFY(t.w<QLabel>("LblScarico")->text().contains(QStringLiteral("kB ricevuti")));
    QVERIFY(fine.wait(15000));
    QCOMPARE(barra.valore, 0);

    // A download that ends well is loaded and checked with the pages held until the check ends.
    ServerProva ok(ServerProva::Modo::Ok, t.fileAggiornamento);
    t.w<QLineEdit>("Text4")->setText(ok.indirizzo());
    t.amb.dialoghi.svuota();
    QTest::mouseClick(t.w<QPushButton>("Command18"), Qt::LeftButton);
    QVERIFY(fine.wait(15000));
    if (t.finestra->lavoro().occupato())
        QVERIFY(!t.w<QTabWidget>("SSTab1")->isEnabled());
    t.attendi();
    QVERIFY(t.messaggi().empty());
    QCOMPARE(t.finestra->aggiornamento().grigliaImporta().righe(), 5);
    QCOMPARE(t.list4().last(), QStringLiteral("Nessuna anomalia rilevata"));
    QVERIFY(t.w<QTabWidget>("SSTab1")->isEnabled());
    QVERIFY(!t.w<QPushButton>("Command26")->isEnabled());
}

// A refused line of the file: its reason wraps in the list, the page stays on the list, and the
// hole it leaves before the draws added after it is named.
void TestAggiornamento::rigaRifiutataLasciaUnBuco()
{
    Banco t(3, 3);
    QByteArray file = t.fileAggiornamento;
    file.replace(180 + 71, 14, "01-02-03-04-95");   // Milano of the second line
    const QString seconda = QString::fromLatin1(file.mid(180, 10));
    t.amb.dialoghi.risposteFile.push_back(t.amb.scriviFile(QStringLiteral("errata.txt"), file));
    t.premi("Command21");
    t.finestra->mostraPagina(GestioneArchivio::PaginaAggiornamento);
    t.premi("Command28");
    const QStringList elenco = t.list4();
    QVERIFY2(elenco.contains(QStringLiteral("Estrazione del ") + seconda
                             + QStringLiteral(" non aggiornata: la ruota di Milano non ha cinque numeri diversi da 01 a 90 "
                                              "nella forma 00-00-00-00-00 (\"01-02-03-04-95\")")),
             qPrintable(elenco.join('\n')));
    QVERIFY2(elenco.contains(QStringLiteral("Manca ancora l'estrazione del ") + seconda
                             + QStringLiteral(": la sua riga non è stata salvata e l'archivio ha estrazioni successive")),
             qPrintable(elenco.join('\n')));
    QCOMPARE(t.w<QTabWidget>("SSTab1")->currentIndex(), int(GestioneArchivio::PaginaAggiornamento));
    auto* List4 = t.w<QListWidget>("List4");
    QVERIFY(List4->wordWrap());
    QCOMPARE(List4->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestAggiornamento::colonneEModificaNonTrovata()
{
    Banco t(2, 3);
    t.amb.dialoghi.risposteFile.push_back(t.amb.scriviFile(QStringLiteral("nuove.txt"), t.fileAggiornamento));
    t.premi("Command21");
    // The columns fit their contents: a wheel text reads whole.
    auto* FgImporta = t.w<GrigliaView>("FgImporta");
    const int largo = FgImporta->fontMetrics().horizontalAdvance(QStringLiteral("01-02-03-04-05"));
    for (int c = 1; c <= 11; ++c)
        QVERIFY2(FgImporta->columnWidth(c) >= largo, qPrintable(QString::number(c)));
    QVERIFY(t.finestra->aggiornamento().grigliaImporta().righe() > 1);
    // The list just read shows from its first line, none of its lines current or selected.
    QVERIFY(!FgImporta->currentIndex().isValid());
    QVERIFY(!FgImporta->selectionModel()->hasSelection());
    QCOMPARE(FgImporta->verticalScrollBar()->value(), 0);
    // A second load of the same file after a line was chosen leaves none chosen either.
    FgImporta->setCellaCorrente(2, 1);
    QVERIFY(FgImporta->currentIndex().isValid());
    t.amb.dialoghi.risposteFile.push_back(t.amb.scriviFile(QStringLiteral("nuove.txt"), t.fileAggiornamento));
    t.premi("Command21");
    QVERIFY(!FgImporta->currentIndex().isValid());
    QVERIFY(!FgImporta->selectionModel()->hasSelection());

    // MODIFICA of a draw deleted by another program meanwhile.
    const QString ultima = t.w<QLabel>("LBLESTRAZIONE")->text();
    {
        auto db = storage::ApriArchivio(t.percorso.toStdString());
        auto s = db.prepara("DELETE FROM EstrazioniLotto WHERE DataEstrazione = ?1");
        s.lega(1, storage::DataPerDb(ultima.toStdString()));
        s.esegui();
    }
    // The archive changed under the window: first reloaded, with nothing written...
    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command3");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QVERIFY2(t.messaggi()[0].testo.contains(QStringLiteral("è stato modificato da un altro programma: ricaricato")), qPrintable(t.messaggi()[0].testo));
    QVERIFY(t.messaggi()[0].testo.contains(QStringLiteral("Nulla è stato scritto")));
    // ...and the draw deleted outside stays deleted.
    auto db = storage::ApriArchivio(t.percorso.toStdString());
    auto s = db.prepara("SELECT COUNT(*) FROM EstrazioniLotto WHERE DataEstrazione = ?1");
    s.lega(1, storage::DataPerDb(ultima.toStdString()));
    QVERIFY(s.avanza());
    QCOMPARE(s.intero(0), std::int64_t{0});
}

void TestAggiornamento::serverAggiornamentiPredefinito()
{
    Banco t;
    t.w<QLineEdit>("Text4")->setText(QStringLiteral("  aggiornamenti.esempio.invalid  "));
    t.premi("Command62");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Salvataggio effettuato"));
    QCOMPARE(t.amb.leggiParametro("ServerAggiornamenti"), std::string("aggiornamenti.esempio.invalid"));
    // A window opened later shows it.
    t.finestra = std::make_unique<GestioneArchivio>(*t.amb.contesto);
    QCOMPARE(t.w<QLineEdit>("Text4")->text(), QStringLiteral("aggiornamenti.esempio.invalid"));
}

// RENDE PREDEFINITO on a program database that refuses the write, and a configuration that cannot be
// read at opening: each said, naming the file; the stored value stays.
void TestAggiornamento::predefinitoRifiutatoDalDatabase()
{
    Banco t;
    const std::string prima = t.amb.leggiParametro("ServerAggiornamenti");
    t.amb.sessione->dbProgramma().esegui("CREATE TRIGGER Bloccato BEFORE UPDATE ON ParametriProgramma "
                                         "BEGIN SELECT RAISE(ABORT, 'bloccato'); END");
    t.w<QLineEdit>("Text4")->setText(QStringLiteral("aggiornamenti.esempio.invalid"));
    t.premi("Command62");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    const QString programma = QString::fromStdString(t.amb.sessione->dbProgramma().percorso());
    QVERIFY2(t.messaggi()[0].testo.startsWith(QStringLiteral("Impossibile salvare \"ServerAggiornamenti\" nel database del "
                                                             "programma \"%1\": ").arg(programma)),
             qPrintable(t.messaggi()[0].testo));
    QVERIFY(t.messaggi()[0].testo.endsWith(QStringLiteral("Il valore predefinito resta quello di prima.")));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Salvataggio"));
    QCOMPARE(t.messaggi()[0].icona, Icona::Critica);
    QCOMPARE(t.amb.leggiParametro("ServerAggiornamenti"), prima);

    // A configuration that cannot be read when the window opens: said, naming the file; the box stays
    // empty for the player to fill and the official archive keeps its default address.
    auto& db = t.amb.sessione->dbProgramma();
    db.esegui("DROP TABLE ParametriProgramma");
    db.esegui("CREATE VIEW ParametriProgramma (Parametro, Valore1, Valore2) AS "
              "SELECT 'ServerAggiornamenti', abs(-9223372036854775807 - 1), ''");
    t.amb.dialoghi.svuota();
    t.finestra = std::make_unique<GestioneArchivio>(*t.amb.contesto);
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QVERIFY2(t.messaggi()[0].testo.startsWith(QStringLiteral("Il server degli aggiornamenti non si legge dal database del "
                                                             "programma \"%1\": ").arg(programma)),
             qPrintable(t.messaggi()[0].testo));
    QCOMPARE(t.w<QLineEdit>("Text4")->text(), QString());
    QCOMPARE(t.w<QLineEdit>("Text3")->text(), QString::fromLatin1(storage::IndirizzoStoricoUfficiale));
}

// Another program stores one of the listed draws while the list waits: AGGIORNAMENTO reloads the
// archive, checks the list again and writes nothing; the next press writes what is still missing.
void TestAggiornamento::archivioCambiatoFuoriPrimaDellAggiornamento()
{
    Banco t(3, 5);
    const int n = t.a().NumeroEstrazioni;
    t.amb.dialoghi.risposteFile.push_back(t.amb.scriviFile(QStringLiteral("nuove.txt"), t.fileAggiornamento));
    t.premi("Command21");
    // The list as text, read anew after each command.
    auto g = [&t] { return t.finestra->aggiornamento().grigliaImporta(); };
    QCOMPARE(g().sfondo(3, 1), Arancione);
    {
        auto db = storage::ApriArchivio(t.percorso.toStdString());
        auto s = db.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba, Ca, Fi, Ge, Mi, Na, Pa, Ro, \"To\", Ve, Nz)"
                            " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
        s.lega(1, storage::DataPerDb(g().testo(3, 1)));
        for (int w = 0; w < 11; ++w)
            s.lega(w + 2, g().testo(3, 2 + w));
        s.esegui();
    }
    t.amb.dialoghi.svuota();
    t.premi("Command28");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("L'archivio \"") + QDir::toNativeSeparators(t.percorso)
                                        + QStringLiteral("\" è stato modificato da un altro programma: ricaricato, ora contiene "
                                                         "%1 estrazioni. Nulla è stato scritto: l'elenco è stato controllato di "
                                                         "nuovo; verificarlo e ripetere il comando.")
                                              .arg(n + 1));
    QCOMPARE(t.a().NumeroEstrazioni, n + 1);
    // The list is kept, and its marks are those of the archive now.
    QCOMPARE(g().righe(), 6);
    QCOMPARE(g().sfondo(3, 1), grid::colori::Bianco);
    QCOMPARE(g().sfondo(3, 2), grid::rgb(128, 255, 128));
    QCOMPARE(g().sfondo(4, 1), Arancione);
    QCOMPARE(g().sfondo(5, 1), Arancione);
    QCOMPARE(t.list4(), (QStringList{QStringLiteral("Manca estrazione del: ") + QString::fromStdString(g().testo(5, 1)),
                                     QStringLiteral("Manca estrazione del: ") + QString::fromStdString(g().testo(4, 1)),
                                     QStringLiteral("Nessuna anomalia rilevata")}));

    t.amb.dialoghi.svuota();
    t.premi("Command28");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Dati salvati correttamente."));
    QCOMPARE(t.a().NumeroEstrazioni, n + 3);
    QCOMPARE(t.list4().last(), QStringLiteral("aggiunti N° 2 record"));
}

QTEST_MAIN(TestAggiornamento)
#include "archivio_aggiornamento_test.moc"
