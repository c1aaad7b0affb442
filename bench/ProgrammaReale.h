// The program as after PROCEDI on the real archive, for the benchmarks of the windows: session, main window, scripted dialogs.
#pragma once

#include "archive/ImportaStorico.h"
#include "session/Sessione.h"
#include "support/Storico.h"
#include "ui/Container/Container.h"
#include "ui/common/Dialoghi.h"

#include <QTemporaryDir>

#include <memory>

namespace banco {

struct ProgrammaReale {
    QTemporaryDir cartella;
    std::unique_ptr<session::Sessione> sessione;
    ui::DialoghiScriptati dialoghi;
    std::unique_ptr<ui::Contesto> contesto;
    std::unique_ptr<ui::Container> principale;
};

// The real archive imported into a temporary folder, loaded and shown in the main window (not yet
// shown); null when the historical file is not there.
inline std::unique_ptr<ProgrammaReale> programmaSulReale()
{
    const std::string storico = testsupport::percorsoStorico();
    if (storico.empty())
        return nullptr;
    auto p = std::make_unique<ProgrammaReale>();
    const std::string archivio = p->cartella.filePath(QStringLiteral("Reale.db")).toStdString();
    archive::ImportaStorico(storico, archivio);
    p->sessione = std::make_unique<session::Sessione>(p->cartella.path().toStdString());
    (void)p->sessione->selezionaArchivio(archivio);
    p->sessione->archivio().EstrazioneIniziale = 1;
    p->sessione->carica();
    p->contesto = std::make_unique<ui::Contesto>(*p->sessione, p->dialoghi);
    p->principale = std::make_unique<ui::Container>(*p->contesto);
    return p;
}

}
