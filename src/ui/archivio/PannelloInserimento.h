// The entry page of archivio: the 55 boxes, the draw shown, the date of a new draw, SALVA, MODIFICA, ELIMINA, INCOLLA.
#pragma once

#include "grid/Grid.h"
#include "maintenance/Caselle.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>
#include <string>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QScrollBar;
namespace archive { class Archivio; }
namespace avanzamento { class Avanzamento; }

namespace ui::archivio {

class Servizi;

class PannelloInserimento : public QWidget {
    Q_OBJECT
public:
    explicit PannelloInserimento(Servizi& servizi, QWidget* genitore = nullptr);

    // The current draw into the boxes.
    void CaricaTabellaArchivio();
    // Status labels and the last draw shown; the main window's range display follows.
    void AggiornaStatoArchivio();
    // The whole archive again from the draws database on the runner (a write of another program),
    // then the main window's range display. False when it did not start.
    [[nodiscard]] bool CaricaArchivioExNovo();
    // The draw `indice` shown (the scroll bar moves).
    void vaiA(int indice);
    // The draw `indice` shown and its date made the date of a new draw (Selezione estrazione).
    void selezionaEstrazione(int indice, const QString& data);
    // The calendar and "Data selezionata" set to `data` ("GG/MM/AAAA"); an invalid text changes nothing.
    void impostaCalendario(const QString& data);

    void salvaEstrazione();      // Command8
    void modificaEstrazione();   // Command3
    void eliminaEstrazione();    // Command2
    void incollaEstrazione();    // Command12
    void azzeraCaselle();        // Command1
    void chiediIndice();         // pAN_DC click

    int indiceCorrente() const { return indiceCorrente_; }
    maintenance::Caselle caselle() const;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QLayout* caselleRuote();
    QWidget* gruppoEstrazione();
    QWidget* gruppoDataNuova();
    QWidget* gruppoComandi();
    // HScrestrazione changed: the index and date labels, then the boxes.
    void mostraEstrazione(int indice);
    int indiceCasella(QObject* oggetto) const;
    bool tastoCasella(int indice, int tasto);
    // A digit that would make the box a number above 90: refused with a message; true when it was.
    bool cifraRifiutata(int indice, const QString& tasto);
    // Text1 edited by the player: the calendar follows a whole date (`finita` when the box is left).
    void dataDigitata(bool finita);
    void coloraCasella(int indice, grid::Colore colore);
    // The boxes checked as SALVA and MODIFICA check them; on a refusal the box in fault gets the focus.
    [[nodiscard]] bool caselleAccettate(const maintenance::Caselle& c);

    // What a write on the runner reports back.
    struct Scrittura;
    // Runs `scrivi` (the write and the reload of a new archive, committed together) on the runner
    // with bar pb1, the pages held; `alTermine` then gets its outcome on this thread, after the
    // new archive took the place of the one every window reads (when the write was done).
    using Scrivi = std::function<bool(archive::Archivio& nuovo, avanzamento::Avanzamento& av)>;
    [[nodiscard]] bool scriviERicarica(Scrivi scrivi, std::function<void(const Scrittura&)> alTermine);
    // A write refused or failed, said; true when `s` holds such an error.
    [[nodiscard]] bool erroreScrittura(const Scrittura& s, const QString& data);

    Servizi& servizi_;
    int indiceCorrente_ = 0;
    // The dates written in the text last pasted into the boxes, for SALVA to compare with its own;
    // forgotten when the boxes show a stored draw or are emptied.
    std::vector<std::string> dateIncollate_;
    std::array<QLineEdit*, maintenance::NumeroCaselle + 1> txtin{};
    QScrollBar* HScrestrazione = nullptr;
    QLabel* pAN_DC = nullptr;
    QLabel* LBLESTRAZIONE = nullptr;
    QLabel* LblMensile = nullptr;
    QLabel* LblAnnuale = nullptr;
    QCalendarWidget* MonthView1 = nullptr;
    QLineEdit* Text1 = nullptr;   // the date SALVA ESTRAZIONE gives the new draw
    QLabel* LBLAGGIORNATO = nullptr;
    QLabel* Label2 = nullptr;   // the number of draws in the archive
};

}
