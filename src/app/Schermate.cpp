// The screenshot command: every window rendered offscreen on the demonstration archive.
#include "app/Finestre.h"

#include "session/Sessione.h"
#include "storage/Sostituzione.h"
#include "ui/Container/Container.h"
#include "ui/INIZIO/Inizio.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/FinestraHelp.h"
#include "ui/common/RegistroFinestre.h"
#include "ui/common/Schermate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

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
bool salva(QWidget* w, const QDir& cartella, const QString& nome)
{
    attendi();
    const QString file = cartella.filePath(nome + QStringLiteral(".png"));
    bool ok = false;
    try {
        storage::Sostituzione sostituzione(QFile::encodeName(file).toStdString(), true);
        ok = w->grab().save(QFile::decodeName(sostituzione.provvisorio().c_str()), "PNG");
        if (ok)
            sostituzione.conferma();
    } catch (const storage::ErroreSostituzione& e) {
        ok = false;
        std::fprintf(stderr, "velmora: %s\n", e.what());
    }
    std::fprintf(stderr, "%s %s\n", ok ? "Creato" : "Impossibile creare", qPrintable(file));
    return ok;
}
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
