// The screenshot command: every window rendered offscreen on the demonstration archive.
#include "app/Finestre.h"

#include "session/Sessione.h"
#include "ui/Container/Container.h"
#include "ui/INIZIO/Inizio.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/FinestraHelp.h"
#include "ui/common/RegistroFinestre.h"
#include "ui/common/Schermate.h"

#include <QApplication>
#include <QDir>
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

bool salva(QWidget* w, const QDir& cartella, const QString& nome)
{
    attendi();
    const QString file = cartella.filePath(nome + QStringLiteral(".png"));
    const bool ok = w->grab().save(file);
    std::fprintf(stderr, "%s %s\n", ok ? "Creato" : "Impossibile creare", qPrintable(file));
    return ok;
}
}

int scattaSchermate(const QString& cartellaUscita, const QString& archivio)
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
    // A program folder of its own, so the user's configuration is left alone: the start-up
    // then runs as on a first run, and the scripted file dialog picks the archive.
    QTemporaryDir cartellaProgramma;
    session::Sessione sessione(cartellaProgramma.path().toStdString());
    ui::DialoghiScriptati dialoghi;
    dialoghi.risposteFile.push_back(archivio);
    ui::Contesto contesto(sessione, dialoghi);
    contesto.cartellaHelp = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("HelpVelmora"));
    contesto.termina = [] {};

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
        sub->showMaximized();
        if (s.prepara)
            s.prepara(sub->widget());
        errori += !salva(principale, uscita, s.file);
        sub->close();
        attendi();
    }
    delete principale;
    delete inizio;
    return errori == 0 ? 0 : 1;
}

}
