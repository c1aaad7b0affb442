// velmora: the program's entry. Options: --tema scuro; for developers: --screenshots DIR [--scala F], --tempo-avvio.
#include "app/Finestre.h"
#include "sistema/Percorsi.h"
#include "session/CartellaProgramma.h"
#include "session/Sessione.h"
#include "ui/INIZIO/Inizio.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/FinestraHelp.h"
#include "ui/common/Lingua.h"
#include "ui/common/Tema.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#ifndef VELMORA_VERSIONE
#define VELMORA_VERSIONE "0.0.0"
#endif

namespace {

void uso()
{
    std::fprintf(stderr,
                 "Uso: velmora [--tema scuro]       avvia il programma (con --tema scuro: colori scuri)\n"
                 "     velmora --version            stampa la versione\n"
                 "     velmora --screenshots DIR [--archivio FILE.db]\n"
                 "                                  salva in DIR un'immagine PNG di ogni finestra (senza schermo),\n"
                 "                                  sull'archivio dimostrativo o su FILE.db; con --scala F\n"
                 "                                  (da 1 a 4) le immagini sono F volte piu' dense, come su\n"
                 "                                  uno schermo ad alta densita'\n"
                 "     velmora --tempo-avvio [--archivio FILE.db]\n"
                 "                                  avvia, preme PROCEDI, esce appena la finestra principale\n"
                 "                                  e' mostrata e stampa il tempo trascorso; con --archivio\n"
                 "                                  seleziona prima FILE.db (come SELEZIONE ARCHIVIO)\n");
}

struct Opzioni {
    QString schermate;   // --screenshots DIR
    QString archivio;    // --archivio FILE.db
    bool tempoAvvio = false;
    bool temaScuro = false;
    bool temaScelto = false;   // --tema given: the desktop's own setting is not followed
    double scala = 0;    // --scala F; 0 when not given
};

// The command line read into `o`; an exit code when the program ends here (usage, version, help).
std::optional<int> leggiOpzioni(int argc, char** argv, Opzioni& o)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--screenshots") && i + 1 < argc) {
            o.schermate = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--archivio") && i + 1 < argc) {
            o.archivio = QString::fromLocal8Bit(argv[++i]);
        } else if (!std::strcmp(argv[i], "--tema") && i + 1 < argc) {
            const QString tema = QString::fromLocal8Bit(argv[++i]);
            if (tema != QLatin1String("scuro") && tema != QLatin1String("chiaro")) {
                uso();
                return 2;
            }
            o.temaScuro = tema == QLatin1String("scuro");
            o.temaScelto = true;
        } else if (!std::strcmp(argv[i], "--scala") && i + 1 < argc) {
            bool ok = false;
            o.scala = QString::fromLocal8Bit(argv[++i]).toDouble(&ok);
            if (!ok || o.scala < 1 || o.scala > 4) {
                uso();
                return 2;
            }
        } else if (!std::strcmp(argv[i], "--tempo-avvio")) {
            o.tempoAvvio = true;
        } else if (!std::strcmp(argv[i], "--version")) {
            std::printf("velmora %s\n", VELMORA_VERSIONE);
            return 0;
        } else if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            uso();
            return 0;
        } else if (argv[i][0] == '-' && argv[i][1] == '-') {
            uso();
            return 2;
        }
    }
    return std::nullopt;
}

// What must be set before the application object exists: the platform and the scale.
void preparaAmbiente(const Opzioni& o)
{
    // Screenshots need no screen.
    if (!o.schermate.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The pictures of a high-density screen: every window drawn at F device pixels a pixel.
    if (o.scala > 0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(o.scala));
    ui::preparaLocaleItaliana();
}

// Language, palette and the registry of windows, once the application object exists.
void preparaApplicazione(const Opzioni& o)
{
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    // The desktop entry the windows belong to (its name is the application id).
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_ID));
    // Qt's own dialogs (file choice, printing), dates and decimals in Italian like the rest of the program.
    // Without Qt's translations installed its buttons stay English: said, and the program goes on.
    if (!ui::impostaItaliano())
        std::fprintf(stderr, "velmora: traduzioni italiane di Qt non trovate: i pulsanti dei dialoghi di Qt restano in "
                             "inglese\n");
    // Without --tema the desktop's dark setting is followed where Qt's own palette ignores it (GNOME);
    // the pictures of --screenshots keep the light colours unless asked.
    bool scuro = o.temaScuro;
    if (!o.temaScelto && o.schermate.isEmpty() && !ui::eScura(QApplication::palette()))
        scuro = ui::desktopScuro();
    if (scuro) {
        // Fusion follows the palette everywhere, where the desktop's style may draw its own light colours.
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(ui::paletteScura());
    }
    // The tool windows of this build: one registration line each, in Finestre.cpp.
    app::registraFinestre();
}

// --tempo-avvio --archivio FILE: the archive to time on, chosen as SELEZIONE ARCHIVIO would and kept
// for the next runs, but only once it opened: a missing, damaged or foreign file leaves the stored
// choice alone. False, said on standard error, when it cannot be selected.
[[nodiscard]] bool selezionaArchivioDaMisurare(session::Sessione& sessione, const QString& archivio)
{
    const QFileInfo scelto(archivio);
    if (!scelto.isFile()) {
        std::fprintf(stderr, "velmora: l'archivio \"%s\" %s\n", archivio.toLocal8Bit().constData(),
                     scelto.exists() ? "non è un file" : "non esiste");
        return false;
    }
    try {
        sessione.apriDatabaseProgramma();
        // Said here in its own words: INIZIO would take it for a first run and ask for a file.
        if (!sessione.apriESelezionaArchivio(scelto.absoluteFilePath().toStdString())) {
            std::fprintf(stderr, "velmora: l'archivio \"%s\" non si apre: è danneggiato o non è un archivio di Velmora\n",
                         archivio.toLocal8Bit().constData());
            return false;
        }
        if (!sessione.avvisoScelta().empty())
            std::fprintf(stderr, "velmora: %s\n", sessione.avvisoScelta().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora: %s\n", e.what());
        return false;
    }
    return true;
}

// --tempo-avvio: PROCEDI pressed by itself, the time printed once the main window is shown, then the exit.
void misuraAvvio(ui::Inizio* inizio, QApplication& applicazione, const QElapsedTimer& orologio,
                 ui::DialoghiSenzaUtente& dialoghiSenzaUtente)
{
    QObject::connect(inizio, &ui::Inizio::principaleAperta, &applicazione, [&orologio, &dialoghiSenzaUtente](QWidget*) {
        // Leave once the main window has been painted, and after what INIZIO queued to say over
        // it (the warning about stray data), which then decides the exit code like any message.
        QTimer::singleShot(0, [&orologio, &dialoghiSenzaUtente] {
            std::fprintf(stderr, "velmora: finestra principale mostrata dopo %lld ms\n",
                         static_cast<long long>(orologio.elapsed()));
            QCoreApplication::exit(dialoghiSenzaUtente.segnalazioni() > 0 ? 1 : 0);
        });
    });
    // A load that fails leaves INIZIO open with its message: the timing ends there.
    QObject::connect(&inizio->lavoro(), &ui::LavoroDiFondo::finito, &applicazione, [inizio] {
        if (!inizio->principale())
            QCoreApplication::exit(1);
    });
    QTimer::singleShot(0, inizio, [inizio] {
        if (!inizio->Procedi())
            QCoreApplication::exit(1);
    });
}

// The program as a player runs it (and --tempo-avvio, the same start timed): INIZIO, then the event loop.
int avviaProgramma(const Opzioni& o, QApplication& applicazione, const session::Cartelle& cartelle,
                   const QString& cartellaHelp, const QElapsedTimer& orologio)
{
    // A timed run has nobody to answer: its messages go to standard error and end it with an error.
    ui::DialoghiQt dialoghiQt;
    ui::DialoghiSenzaUtente dialoghiSenzaUtente;
    ui::Dialoghi& dialoghi = o.tempoAvvio ? static_cast<ui::Dialoghi&>(dialoghiSenzaUtente) : dialoghiQt;
    try {
        session::preparaCartellaDati(cartelle);
    } catch (const std::exception& e) {
        dialoghi.messaggio(nullptr, QString::fromStdString(e.what()), QStringLiteral("Anomalia"), ui::Icona::Critica);
        return 1;
    }
    session::Sessione sessione(cartelle.programma.string());
    ui::Contesto contesto(sessione, dialoghi);
    contesto.cartellaHelp = cartellaHelp;
    contesto.apriHelp = [&contesto](int numero, QWidget* genitore) {
        ui::FinestraHelp::apri(contesto.cartellaHelp, numero, contesto.dialoghi, genitore);
    };
    contesto.termina = [] { QCoreApplication::exit(0); };
    contesto.creaPrincipale = app::creaPrincipale;

    if (o.tempoAvvio && !o.archivio.isEmpty() && !selezionaArchivioDaMisurare(sessione, o.archivio))
        return 1;

    auto* inizio = new ui::Inizio(contesto);
    inizio->setAttribute(Qt::WA_DeleteOnClose);
    if (!inizio->avvia() || dialoghiSenzaUtente.segnalazioni() > 0)
        return 1;
    dialoghiSenzaUtente.allaSegnalazione = [] { QCoreApplication::exit(1); };
    if (o.tempoAvvio)
        misuraAvvio(inizio, applicazione, orologio, dialoghiSenzaUtente);

    const int esito = QApplication::exec();
    // Work still running (a window closed by the system) ends before its files close.
    ui::LavoroDiFondo::fermaTutti();
    sessione.chiudi();
    // A timed run that had anything to say failed, whichever exit was asked for last.
    return o.tempoAvvio && dialoghiSenzaUtente.segnalazioni() > 0 ? 1 : esito;
}

}

int main(int argc, char** argv)
{
    QElapsedTimer orologio;
    orologio.start();

    Opzioni opzioni;
    if (const auto uscita = leggiOpzioni(argc, argv, opzioni))
        return *uscita;
    preparaAmbiente(opzioni);
    QApplication applicazione(argc, argv);
    preparaApplicazione(opzioni);

    // Beside the executable in a build; once installed, the user's data folder (~/.local/share/Velmora,
    // %APPDATA%\Velmora), none without a home: preparaCartellaDati then says so.
    const auto cartelle = session::scegliCartelle(sistema::percorso(QCoreApplication::applicationDirPath().toStdString()),
                                                  session::cartellaDatiDelSistema());
    const QDir risorse(QString::fromStdString(sistema::testo(cartelle.risorse)));
    const QString cartellaHelp = risorse.filePath(QString::fromLatin1(session::NomeCartellaHelp));
    if (!opzioni.schermate.isEmpty()) {
        const QString archivio = opzioni.archivio.isEmpty()
            ? risorse.filePath(QString::fromLatin1(session::NomeArchivioDimostrativo))
            : opzioni.archivio;
        return app::scattaSchermate(opzioni.schermate, archivio, cartellaHelp);
    }
    return avviaProgramma(opzioni, applicazione, cartelle, cartellaHelp, orologio);
}
