// The start-up window INIZIO: opens the databases, chooses the archive, loads it and hands over.
#pragma once

#include "ui/common/Contesto.h"
#include "ui/common/LavoroDiFondo.h"
#include "ui/common/Progresso.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {

class Inizio : public QWidget {
    Q_OBJECT
public:
    explicit Inizio(Contesto& contesto, QWidget* genitore = nullptr);

    // The window load: every start-up step in its order, then the window is shown and
    // ImpostaInizialix runs. False when the program database cannot be opened: the
    // program cannot go on without its configuration.
    [[nodiscard]] bool avvia();

    // SELEZIONE ARCHIVIO (also run by the load when the archive cannot be opened).
    void SelezioneArchivio();
    // CREA ARCHIVIO DA STORICO: a new archive from the official historical file, then
    // selected. The import runs on lavoro(); its message comes when it is over.
    void CreaDaStorico();
    // PROCEDI: starts loading the archive on lavoro(), with pb1; false when a load or an
    // import is already running. When the load is over: on success the main window
    // (Contesto::creaPrincipale) is shown, this one closes and principaleAperta is emitted;
    // on failure the message.
    [[nodiscard]] bool Procedi();

    // The runner of the load and the import: its `finito` follows every outcome.
    LavoroDiFondo& lavoro() { return lavoro_; }

    // The main window opened by PROCEDI; null before.
    QWidget* principale() const { return principale_; }

    static QString titolo();

signals:
    void principaleAperta(QWidget* principale);

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    // Lbl_Archivio: "Database: " and the path, empty without one.
    void mostraArchivio(const QString& percorso);
    void occupa(bool occupato);
    void caricamentoFinito(const LavoroDiFondo::Fine& fine, bool accesso);

    Contesto& contesto_;
    QPushButton* Command2;   // PROCEDI: loads the archive and opens the program
    QPushButton* Command3;   // FINE: closes the program
    QPushButton* Command4;   // SELEZIONE ARCHIVIO: chooses the draws database
    QPushButton* CmdStorico;
    QPushButton* CmDHelp;
    QLabel* Label1;   // the first-use hint pointing to the help button
    QLabel* Label5;   // "Percorso archivio:", the caption of Lbl_Archivio
    QLabel* Lbl_Archivio;
    QLabel* LblDemo;
    QProgressBar* pb1;   // progress of the archive being loaded
    BarraProgresso progresso_;
    bool occupato_ = false;
    QPointer<QWidget> principale_;
    // Last: destroyed first, stopping a load before anything it uses goes.
    LavoroDiFondo lavoro_{this};
};

}
