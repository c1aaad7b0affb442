// What the pages of archivio share: the context, the one runner of long work, the download, the busy count.
#pragma once

#include "ui/common/Contesto.h"
#include "ui/common/LavoroDiFondo.h"

#include <QObject>
#include <QString>

class QWidget;
namespace net { class Scarico; }

namespace ui::archivio {

// Help contexts of the four help buttons: entry, update file, download, exports and browser.
inline constexpr int HelpInserimento = 270;
inline constexpr int HelpAggiornamento = 280;
inline constexpr int HelpScarico = 290;
inline constexpr int HelpConsultazione = 300;

// One per window. The pages ask it for the runner and the download, hold the window while their
// work runs, and announce through it what the other pages must follow (a rewritten archive).
class Servizi : public QObject {
    Q_OBJECT
public:
    Servizi(Contesto& contesto, QWidget* finestra);
    ~Servizi() override;

    Contesto& contesto;

    // The runner of the check, AGGIORNAMENTO, the exports and the reload after a write.
    LavoroDiFondo& lavoro() { return lavoro_; }
    const LavoroDiFondo& lavoro() const { return lavoro_; }
    net::Scarico& scarico() { return *scarico_; }
    const net::Scarico& scarico() const { return *scarico_; }
    // The address being (or last) downloaded.
    QString indirizzoScarico;

    // True while a long work or a download runs.
    bool inCorso() const;
    // Says that another long work or download is running, and returns true: the caller does nothing.
    [[nodiscard]] bool rifiutaSeInCorso(QWidget* chi);
    // While long work runs the pages are disabled (the work reads the draws database and the
    // archive); they open again only when no work is left running.
    void occupa(bool occupata);
    int occupazioni() const { return occupazioni_; }

    // True when the draws database is open; otherwise says so, naming the file.
    [[nodiscard]] bool archivioAperto(QWidget* chi);
    QString percorsoArchivio() const;
    // Stops every long work running (it may be reading the archive) before the draws in memory are replaced.
    static void fermaLettori();
    // RENDE PREDEFINITO: `valore` into the row `chiave` of ParametriProgramma, "Salvataggio effettuato".
    // A missing row writes nothing and says nothing; a database error is said, naming the file.
    // True when the value was stored.
    [[nodiscard]] bool parametroPredefinito(QWidget* chi, const char* chiave, const QString& valore);

signals:
    // The busy count or the download changed: the window enables its pages and commands.
    void occupazioneCambiata();
    // The draws in memory were replaced by a write: every page shows them again.
    void archivioRiscritto();
    // A correction was tried: the marks of FgImporta may no longer hold.
    void segniImportaSuperati();
    // A command is over and its result is on the entry page.
    void mostraInserimento();

private:
    net::Scarico* scarico_ = nullptr;
    int occupazioni_ = 0;
    // Last: destroyed first, it stops the running work and waits for it.
    LavoroDiFondo lavoro_{this};
};

}
