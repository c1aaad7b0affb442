// The screenshot command: every window rendered offscreen on the demonstration archive, and the
// set-up of the pictures that show a window at work (an update file checked, a download under way).
#include "app/Finestre.h"

#include "archive/Archivio.h"
#include "maintenance/Caselle.h"
#include "maintenance/FileAggiornamento.h"
#include "net/Scarico.h"
#include "session/Sessione.h"
#include "storage/Sostituzione.h"
#include "ui/Container/Container.h"
#include "ui/INIZIO/Inizio.h"
#include "ui/archivio/GestioneArchivio.h"
#include "ui/archivio/PannelloAggiornamento.h"
#include "ui/archivio/PannelloEsportazione.h"
#include "ui/archivio/PannelloInserimento.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/FinestraHelp.h"
#include "ui/common/RegistroFinestre.h"
#include "ui/common/Schermate.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace app {

namespace {
void attendi()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);   // a closed window really goes
}

// Written beside and renamed into place like every file the program writes: a link or a
// read-only file in the output folder is refused, never written through.
[[nodiscard]] bool salva(QWidget* w, const QDir& cartella, const QString& nome)
{
    attendi();
    const QString file = cartella.filePath(nome + QStringLiteral(".png"));
    bool ok = false;
    try {
        storage::Sostituzione sostituzione(file.toStdString(), true);
        ok = w->grab().save(QString::fromStdString(sostituzione.provvisorio()), "PNG");
        if (ok)
            sostituzione.conferma();
    } catch (const storage::ErroreSostituzione& e) {
        ok = false;
        std::fprintf(stderr, "velmora: %s\n", e.what());
    }
    std::fprintf(stderr, "%s %s\n", ok ? "Creato" : "Impossibile creare", qPrintable(file));
    return ok;
}

// An update file of the last `n` draws of `a`; with `conErrori`, Milano of the third last wrong
// and two new draws (the numbers of older ones) after the last.
std::string fileDelleUltime(const archive::Archivio& a, int n, bool conErrori = false)
{
    std::string testo;
    auto riga = [&](const std::string& data, int d, bool errata) {
        std::string campi[archive::NumeroRuote];
        const auto caselle = maintenance::caselleDiEstrazione(a, d);
        for (int r = 0; r < archive::NumeroRuote; ++r)
            campi[r] = maintenance::campoRuota(caselle, r);
        if (errata)
            campi[4] = "01-02-03-04-05";
        testo += maintenance::rigaAggiornamento(data, campi, "pr") + "\r\n";
    };
    const int ultima = a.NumeroEstrazioni;
    for (int d = std::max(1, ultima - n + 1); d <= ultima; ++d)
        riga(a.DateEstrazioni[static_cast<std::size_t>(d)], d, conErrori && d == ultima - 2);
    if (conErrori) {
        const QDate data = QDate::fromString(QString::fromStdString(a.DateEstrazioni[static_cast<std::size_t>(ultima)]),
                                             QStringLiteral("dd/MM/yyyy"));
        riga(data.addDays(2).toString(QStringLiteral("dd/MM/yyyy")).toStdString(), ultima - 10, false);
        riga(data.addDays(4).toString(QStringLiteral("dd/MM/yyyy")).toStdString(), ultima - 11, false);
    }
    return testo;
}

// A server on 127.0.0.1 that answers every request with `corpo`, two kilobytes every 50 ms.
class ServerLento : public QObject {
public:
    ServerLento(const std::string& corpo, QObject* genitore) : QObject(genitore), corpo_(QByteArray::fromStdString(corpo))
    {
        while (corpo_.size() < 512 * 1024)   // long enough to be seen under way
            corpo_ += QByteArray::fromStdString(corpo);
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { rispondi(s); });
        });
    }
    QString indirizzo() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }

private:
    void rispondi(QTcpSocket* s)
    {
        if (!s->readAll().contains("\r\n\r\n") || s->property("servito").toBool())
            return;
        s->setProperty("servito", true);
        s->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(corpo_.size())
                 + "\r\nConnection: close\r\n\r\n");
        auto* passo = new QTimer(s);
        auto inviati = std::make_shared<qsizetype>(0);
        connect(passo, &QTimer::timeout, s, [this, s, inviati] {
            s->write(corpo_.mid(*inviati, 2048));
            *inviati += 2048;
        });
        passo->start(50);
    }

    QByteArray corpo_;
    QTcpServer server_;
};

}

void registraSchermateArchivio()
{
    using ui::GestioneArchivio;
    const QString nome = QStringLiteral("archivio");
    ui::registraSchermata(QStringLiteral("archivio_consultazione"), nome, [](QWidget* w) {
        if (auto* f = qobject_cast<GestioneArchivio*>(w))
            f->mostraPagina(GestioneArchivio::PaginaArchivio);
    });
    ui::registraSchermata(QStringLiteral("archivio_aggiornamento"), nome, [](QWidget* w) {
        auto* f = qobject_cast<GestioneArchivio*>(w);
        if (!f)
            return;
        f->mostraPagina(GestioneArchivio::PaginaAggiornamento);
        // An update file of the last six draws, one of them with a wrong Milano, and two new draws.
        const auto& a = archive::archivioGlobale();
        if (a.NumeroEstrazioni < 20)
            return;
        const std::string testo = fileDelleUltime(a, 6, true);
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("aggiornamento.txt"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return;
        out.write(testo.data(), static_cast<qint64>(testo.size()));
        out.close();
        f->aggiornamento().caricaAggiornamento(file, true);
        f->lavoro().aspetta();   // the check runs off the interface thread
    });
    ui::registraSchermata(QStringLiteral("archivio_esportazione"), nome, [](QWidget* w) {
        auto* f = qobject_cast<GestioneArchivio*>(w);
        if (!f)
            return;
        f->mostraPagina(GestioneArchivio::PaginaEsportazione);
        // SALVA IN FORMATO QUINTAVO into its default folder, which a Quintavo installation has.
        QDir().mkpath(QDir::home().filePath(QStringLiteral("NUMERIS3")));
        f->esportazione().salvaQuintavo();
        f->lavoro().aspetta();
    });
    ui::registraSchermata(QStringLiteral("archivio_incolla"), nome, [](QWidget* w) {
        auto* f = qobject_cast<GestioneArchivio*>(w);
        if (!f)
            return;
        // A draw copied from a results page, heading, ordinals and the Numero Oro included.
        QApplication::clipboard()->setText(QStringLiteral(
            "Estrazione del Lotto di martedì 25 agosto 2026 - Concorso n° 102\n\nRuota\t1°\t2°\t3°\t4°\t5°\n"
            "BARI\t5\t12\t33\t44\t90\nCAGLIARI\t22\t46\t54\t29\t24\nFIRENZE\t1\t17\t76\t13\t16\n"
            "GENOVA\t40\t66\t30\t11\t20\nMILANO\t87\t28\t5\t80\t60\nNAPOLI\t13\t2\t74\t25\t9\n"
            "PALERMO\t28\t82\t23\t84\t70\nROMA\t15\t52\t90\t47\t20\nTORINO\t57\t34\t61\t26\t35\n"
            "VENEZIA\t81\t7\t27\t51\t46\nNAZIONALE\t51\t89\t82\t70\t37\n\nNumero Oro: 5 - Doppio Oro: 5 12\n"));
        f->inserimento().incollaEstrazione();
    });
    ui::registraSchermata(QStringLiteral("archivio_scarico"), nome, [](QWidget* w) {
        auto* f = qobject_cast<GestioneArchivio*>(w);
        if (!f)
            return;
        f->mostraPagina(GestioneArchivio::PaginaAggiornamento);
        // CONTROLLO AGGIORNAMENTI from a server on this machine that sends the file slowly,
        // caught while the bytes arrive.
        auto* server = new ServerLento(fileDelleUltime(archive::archivioGlobale(), 40), f);
        f->findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(server->indirizzo());
        f->aggiornamento().controlloAggiornamenti();
        QElapsedTimer tempo;
        tempo.start();
        while (tempo.elapsed() < 700 && f->scarico().inCorso())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    });
    ui::registraSchermata(QStringLiteral("archivio_calendario"), nome, [](QWidget* w) {
        auto* f = qobject_cast<GestioneArchivio*>(w);
        if (!f)
            return;
        f->mostraPagina(GestioneArchivio::PaginaCalendario);
        // The year of the last draw, with the weekday letters.
        const QString ultima = f->findChild<QLabel*>(QStringLiteral("LBLAGGIORNATO"))->text();
        if (auto* anni = f->findChild<QComboBox*>(QStringLiteral("Combo1")))
            anni->setCurrentText(ultima.right(4));
        if (auto* sigle = f->findChild<QCheckBox*>(QStringLiteral("Check2")))
            sigle->click();
    });
}

int scattaSchermate(const QString& cartellaUscita, const QString& archivio, const QString& cartellaHelp)
{
    if (!QFileInfo::exists(archivio)) {
        std::fprintf(stderr, "velmora: archivio non trovato: %s\n", qPrintable(archivio));
        return 1;
    }
    QDir uscita(cartellaUscita);
    if (!uscita.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "velmora: impossibile creare la cartella %s\n", qPrintable(cartellaUscita));
        return 1;
    }
    // A program folder and a home of their own, so the user's configuration is left alone:
    // the start-up then runs as on a first run, and the scripted file dialog picks a copy of
    // the archive in the home's data folder. The pictures then show "~/.local/share/Velmora/..."
    // as a player's screen would, whatever machine renders them.
    QTemporaryDir cartellaProgramma;
    QTemporaryDir casa;
    qputenv("HOME", QFile::encodeName(casa.path()));
    const QString cartellaDati = QDir(casa.path()).filePath(QStringLiteral(".local/share/Velmora"));
    const QString copia = QDir(cartellaDati).filePath(QFileInfo(archivio).fileName());
    if (!QDir().mkpath(cartellaDati) || !QFile::copy(archivio, copia)) {
        std::fprintf(stderr, "velmora: impossibile copiare l'archivio %s\n", qPrintable(archivio));
        return 1;
    }
    session::Sessione sessione(cartellaProgramma.path().toStdString());
    ui::DialoghiScriptati dialoghi;
    dialoghi.risposteFile.push_back(copia);
    ui::Contesto contesto(sessione, dialoghi);
    contesto.cartellaHelp = cartellaHelp;
    contesto.termina = [] {};
    contesto.creaPrincipale = creaPrincipale;

    int errori = 0;
    auto* inizio = new ui::Inizio(contesto);
    if (!inizio->avvia())
        return 1;
    errori += !salva(inizio, uscita, QStringLiteral("INIZIO"));
    {
        // The help window at the start-up window's page.
        ui::FinestraHelp help(contesto.cartellaHelp);
        if (help.mostra(310)) {
            help.show();
            errori += !salva(&help, uscita, QStringLiteral("INIZIO_help"));
        }
    }
    const bool avviato = inizio->Procedi();
    inizio->lavoro().aspetta();
    if (!avviato || !inizio->principale()) {
        std::fprintf(stderr, "velmora: caricamento dell'archivio non riuscito\n");
        return 1;
    }
    auto* principale = qobject_cast<ui::Container*>(inizio->principale());
    // The natural size, whatever the offscreen screen would make of it.
    principale->setWindowState(Qt::WindowNoState);
    principale->resize(1280, 820);
    errori += !salva(principale, uscita, QStringLiteral("Container"));

    for (const QString& nome : ui::registroFinestre().nomi()) {
        QMdiSubWindow* sub = principale->apriFinestra(nome);
        if (!sub) {
            ++errori;
            continue;
        }
        sub->showMaximized();
        errori += !salva(principale, uscita, nome);
        sub->close();
        attendi();
    }
    for (const auto& s : ui::schermateAggiuntive()) {
        QMdiSubWindow* sub = principale->apriFinestra(s.finestra);
        if (!sub) {
            ++errori;
            continue;
        }
        if (s.larghezza > 0)
            principale->resize(s.larghezza, s.altezza);
        sub->showMaximized();
        if (s.prepara)
            s.prepara(sub->widget());
        errori += !salva(principale, uscita, s.file);
        principale->resize(1280, 820);
        sub->close();
        attendi();
    }
    delete principale;
    delete inizio;
    return errori == 0 ? 0 : 1;
}

}
