// The window Statistiche: wheels, range and sorte; the table of delays and frequencies beside chance, the board, the chart.
#pragma once

#include "grid/Grid.h"
#include "statistics/Statistiche.h"
#include "statistics/Tabella.h"
#include "ui/common/Contesto.h"
#include "ui/common/ModelloRighe.h"

#include <QWidget>

#include <array>
#include <vector>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace ui {

class Grafico;

class GrigliaView;
class PaginaSpia;
class PaginaTerzo;

class Statistiche : public QWidget {
    Q_OBJECT
public:
    explicit Statistiche(Contesto& contesto, QWidget* genitore = nullptr);
    ~Statistiche() override;

    static QString titolo() { return QStringLiteral("Statistiche"); }
    static constexpr int ContestoHelp = 350;

    // Recomputes everything from the choices on screen (every change of a choice calls it).
    void ricalcola();
    // "Tutte": every wheel chosen.
    void tutteLeRuote();
    // "Imposta": the last N draws up to the date "Al".
    void impostaUltime();
    // "Tutto l'archivio": the range back to the first and the last draw.
    void tuttoLArchivio();
    // A click on the header of column c: sorts by it, a second click reverses the order.
    void ordinaPer(int colonna);
    // Double-click on a number or pair: its presences below the table, the newest in the mini list.
    void mostraPresenze(int primo, int secondo = 0);

    const statistics::Statistiche& risultati() const { return risultati_; }
    const statistics::Statistiche& estratti() const { return estratti_; }
    const std::vector<statistics::ClasseRitardo>& classi() const { return classi_; }
    grid::Grid tabella() const { return tabella_->testoTabella(); }
    grid::Grid tabellone() const { return tabellone_->testoTabella(); }
    grid::Grid elencoPresenze() const { return presenze_->testoTabella(); }
    // The pages "Spia" and "Legge del terzo", which share the wheels and the range chosen above them.
    PaginaSpia& paginaSpia() const { return *Spia; }
    PaginaTerzo& paginaTerzo() const { return *Terzo; }

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    // The constructor's parts: the choices above the pages, the page of the delays (its summary row,
    // the board, the table and presences, the chart), the connections of the controls.
    void costruisci();
    QGroupBox* costruisciScelte();
    QHBoxLayout* costruisciRiepilogo();
    QWidget* costruisciRitardi();
    void collega();
    // The date bounds of the archive as it is now; `seguiFine` moves "Al" to its last draw.
    void adeguaDate(bool seguiFine);
    void scriviTabella();
    // Tabella's header for the sorte: "Numero" or "Ambo" first (the columns change with it).
    void intestaTabella(statistics::Sorte sorte);
    static std::vector<ColonnaDi<statistics::Figura>> colonneTabella(const std::string& titoli);
    void aggiornaGrafico();
    void svuota(const QString& motivo);

    Contesto& contesto_;
    int ascolto_ = 0;
    statistics::Statistiche risultati_;   // the table's sorte
    statistics::Statistiche estratti_;    // the single numbers: board and chart
    std::vector<statistics::ClasseRitardo> classi_;
    std::vector<int> ordine_;
    statistics::Colonna colonnaOrdine_ = statistics::ColRitardo;
    bool decrescente_ = true;
    ModelloRighe<statistics::Figura>* tabella_ = nullptr;   // Tabella's rows, in ordine_'s order
    ModelloRighe<statistics::RigaTabellone>* tabellone_ = nullptr;   // Tabellone's nine rows of ten numbers
    ModelloRighe<statistics::RigaPresenza>* presenze_ = nullptr;   // Presenze's rows
    std::vector<int> numeriPresenze_;   // the number or pair the presences list shows
    bool inCostruzione_ = true;

    std::array<QToolButton*, archive::NumeroRuote> Ruota{};
    QPushButton* Tutte = nullptr;
    QComboBox* Sorte = nullptr;
    QDateEdit* Dal = nullptr;
    QDateEdit* Al = nullptr;
    QPushButton* TuttoArchivio = nullptr;
    QSpinBox* Ultime = nullptr;
    QPushButton* ImpostaUltime = nullptr;
    QLabel* Riepilogo = nullptr;
    QLabel* LblAttesa = nullptr;   // the Attesa every number (pair) shares
    QLabel* AvvisoRitardo = nullptr;
    QLabel* TitoloPresenze = nullptr;
    QPushButton* CmDHelp = nullptr;
    GrigliaView* Tabella = nullptr;
    GrigliaView* Tabellone = nullptr;
    GrigliaView* Presenze = nullptr;
    ui::Grafico* Grafico = nullptr;
    QTabWidget* Pagine = nullptr;
    PaginaSpia* Spia = nullptr;
    PaginaTerzo* Terzo = nullptr;
};

// Adds the window to the window registry and its screenshot of the pairs on every wheel.
void registraStatistiche();

}
