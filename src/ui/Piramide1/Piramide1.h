// The pyramid workbench window Piramide1: the reference draw on top, five panels below, the commands that join them.
#pragma once

#include "workbench/Ambate.h"
#include "workbench/Banco.h"
#include "workbench/Salvataggi.h"
#include "workbench/Trasferimenti.h"
#include "ui/common/Contesto.h"
#include "ui/common/Controlli.h"
#include "ui/common/LavoroDiFondo.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QFrame;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QTabWidget;

namespace ui {

class GrigliaView;
class PannelloConfigurazioni;
class PannelloEsiti;
class PannelloOperatori;
class PannelloPiramide;
class PannelloRilevazione;
class PannelloRisultati;
class PannelloVerifiche;

// The panels own their controls and the selections that touch only them; the window
// builds the reference bar, lays the panels out, runs every command that reads or
// changes more than one panel (through workbench, on the Banco) and the searches.
class Piramide1 : public QWidget {
    Q_OBJECT
public:
    explicit Piramide1(Contesto& contesto, QWidget* genitore = nullptr);
    ~Piramide1() override;

    static QString titolo() { return QStringLiteral("Piramide"); }
    // Its help page (F1 and the Guida button).
    static constexpr int ContestoHelp = 320;

    // --- reference draw ---
    void impostaRiferimento(int d);            // hs1 = d
    void Command42(int indice);                // 0 newest, 1 by index, 2 by date
    void Command14();                          // ComboPar from the reference draw
    void Command12();                          // current case as reference, then Calcola with Ch_AA

    // --- selections ---
    void Command6();                           // chosen numbers into TxtNumeri
    void Command8();                           // board reset
    void sceltaTipo(int tipo);                 // LabelT(tipo)

    // --- commands of the pyramid and the cases ---
    void Command9();                           // RICAVA ESTRAZIONI
    void Command2();                           // Calcola
    void Command40();                          // VERIFICA
    void Command27();                          // ELABORA
    void Lbl_Riga(int livello);                // level verification
    void Cmd_Colonna(int slot);                // verify the ambata formula in column 1..5
    void Cmd_Ambo(int slot);                   // verify the abbinamento formula in column 1..5
    void Command29();                          // Verifica formula
    void Command5();                           // MARCA
    void Command4();                           // Azzera grid on FgEv
    void Command39();                          // Azzera grid on FgX

    // --- transfer and bricks ---
    void Command21();                          // Imposta the ambata formula
    void Command7();                           // Imposta the abbinamento formula
    void Command36();                          // Capogioco
    void Lbl_setta(int livello);               // click on a level label of the verification
    void Command26();                          // Resetta the verified formulas
    void Command15();                          // Cancella riga
    void Command24();                          // Deseleziona tutti
    void Command10();                          // NASCONDE
    void Command19();                          // Resetta
    void Cmd_aggiunge();                       // Aggiungi an operator to the brick
    void Command25();                          // Copia a brick
    void evidenziaMattone(int m);              // click on Lbl0(m) or on brick row m

    // --- saved configurations ---
    void Cmd_Elenco();                         // ELENCO of the configurations
    void Command11();                          // SALVA CONFIGURAZIONE
    void Command13();                          // Cancella the selected configuration
    void caricaConfigurazione(int riga);       // double-click on FgPir1

    // --- searches (off the interface thread) ---
    void Cmd_Step1();                          // AMBATE
    void Command38();                          // ABBINAMENTI
    // CmdAnnulla: asks the running search to stop; its results are dropped.
    void annullaRicerca();
    // Stops the running search, if any, and waits until its thread is over.
    void fermaRicerca();
    bool ricercaInCorso() const;
    // Waits for the running search to end (its results shown): the screenshots and the benchmark.
    void aspettaRicerca();
    // "Migliore a caso": after a search, the same search on random cases, in the background;
    // its summary stands in LblMiglioreACaso. Waits for it (tests, screenshots).
    void aspettaConfrontoCaso();
    bool confrontoCasoInCorso() const;
    // The results' tags against the settings on the left (stale or not) and against the
    // grids (results emptied by RICAVA ESTRAZIONI lose tag, lines and "Migliore a caso").
    // A timer runs it while the window is open; tests call it.
    void controllaEsiti();

    // --- copy and print ---
    void copia(const QString& griglia);       // Command1, 3, 16, 17, 18, 30, 33
    void Command20();                          // prints FgL
    void Command28();                          // prints FgY

    workbench::Banco& banco() { return banco_; }
    workbench::PannelloPiramidi& pannello() { return pannello_; }
    const workbench::TabelloneNumeri& tabelloneNumeri() const { return FgNu_; }
    // The right of the window: a new page of results or a command on a result row goes there.
    PannelloRisultati& risultati() const { return *risultati_; }
    // Every grid view, refreshed after a command changed the grids.
    void aggiornaVista();

signals:
    // A search ended (done, stopped or failed); tests and the screenshot wait for it.
    void ricercaFinita();
    // The random-case comparison ended (done or stopped).
    void confrontoCasoFinito();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void costruisci();
    void collega();
    void collegaOperatoriEPiramide();
    void collegaRisultati();
    void apri();
    void caricaOperatori();
    // Controls from the Banco (after loading a configuration) and the labels that follow it.
    void mostraImpostazioni();
    void mostra(const workbench::Esito& esito);
    void avviaRicerca(workbench::TipoRicerca tipo);
    void avviaConfrontoCaso(const workbench::ImpostazioniRicerca& imp, int copReale);
    void ricercaConclusa();
    // The cases derived again when the settings changed since RICAVA ESTRAZIONI (said on
    // the status line); false when that failed and the command must not go on.
    [[nodiscard]] bool rinnovaCasi();
    // A missing choice, said in one sentence instead of running on nothing.
    void avviso(const std::string& testo);
    // Enter or Space on a focused grid cell: what a click (or the double click of FgOp) does there.
    void attivaCella(GrigliaView* vista, int riga, int colonna);
    // Every column at least as wide as its header; the cases grid wide enough for its columns.
    void adattaColonne();
    void bloccaComandi(bool bloccati);
    void modificaMattone(int riga, int colonna);
    // The text typed into cell `colonna` of brick m, checked (accettaMattone) and written into it and the Banco.
    [[nodiscard]] bool scriviNelMattone(engine::Mattone& m, int colonna, const std::string& testo);
    [[nodiscard]] bool accettaMattone(int riga, int colonna, const std::string& testo);
    GrigliaView* vista(const QString& nome) const;

    Contesto& contesto_;
    workbench::Banco banco_;
    workbench::PannelloPiramidi pannello_;
    workbench::TabelloneNumeri FgNu_;

    // Declared after everything a search reads: destroyed first, they stop the search and
    // the random-case comparison and wait for them.
    LavoroDiFondo confrontoCaso_{this};
    LavoroDiFondo lavoro_{this};
    std::vector<QWidget*> bloccabili_;
    // The settings that made the results of each page of SSTab2 (Ambate, Abbinamenti).
    std::array<std::optional<workbench::ImpostazioniCasi>, 2> impostazioniEsiti_;
    // The search of the page wrote rows into its grid (not a search with nothing to verify).
    std::array<bool, 2> esitiScritti_{};

    QScrollArea* area_ = nullptr;
    QWidget* contenuto_ = nullptr;
    // Reference draw, the times of the last command, the state of a running search.
    QScrollBar* hs1 = nullptr;   // scrolls the reference draw
    QLabel* LabelRifE = nullptr;
    std::array<QPushButton*, 3> Command42Btn{};   // |<, N° and Data: the reference by first draw, index or date
    QPushButton* Command14Btn = nullptr;   // M: the monthly draw as reference
    QListWidget* List1 = nullptr;   // start and end time of the last command
    QLabel* LabelRicerca = nullptr;
    QString statoPrimaRicerca_;
    // The keyboard on Annulla ricerca while a search runs, then back where it was.
    FuocoTrattenuto fuocoRicerca_;
    QPushButton* CmdAnnulla = nullptr;
    // The panels: three pages on the left, the pyramid in the centre, results and verifications on the right.
    QTabWidget* SSTab1 = nullptr;
    PannelloRilevazione* rilevazione_ = nullptr;
    PannelloOperatori* operatori_ = nullptr;
    PannelloConfigurazioni* configurazioni_ = nullptr;
    PannelloPiramide* piramide_ = nullptr;
    PannelloRisultati* risultati_ = nullptr;
    // Short names for the two halves of the right.
    PannelloEsiti* esiti_ = nullptr;
    PannelloVerifiche* verifiche_ = nullptr;
};

// Adds the window to the window registry and its screenshots (a search done, a pyramid loaded).
void registraPiramide1();

}
