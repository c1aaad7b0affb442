// The results of Piramide1: the pages of AMBATE and ABBINAMENTI, what became of the last search, "Migliore a caso".
#pragma once

#include "ui/common/ModelloRighe.h"
#include "workbench/Banco.h"
#include "workbench/RigaEsito.h"
#include "workbench/TipoRicerca.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace ui {

class GrigliaView;

// The panel keeps Ch_CasiScoperti in the Banco and the comparison line on the page of
// its search; every command on a result row is wired by the window.
class PannelloEsiti : public QWidget {
    Q_OBJECT
public:
    explicit PannelloEsiti(workbench::Banco& banco);

    // Pages of SSTab2 in order; a page added later comes after them.
    enum Pagina { Ambate = 0, Abbinamenti = 1 };
    // The page that shows the results of a kind of search (its grid's page).
    static Pagina paginaDi(workbench::TipoRicerca tipo)
    {
        return workbench::descrizione(tipo).righe == &workbench::Banco::esiti ? Ambate : Abbinamenti;
    }
    // A new page of results beside Ambate and Abbinamenti; returns its index in SSTab2.
    int aggiungiPagina(QWidget* pagina, const QString& titolo);
    // A new command in the row of commands under the grid of `pagina` (Ambate: Imposta,
    // Capogioco, Verifica formula; Abbinamenti: Imposta), after the ones there.
    void aggiungiComando(Pagina pagina, QWidget* comando);

    void mostraImpostazioni();
    // FgEsiti and FgGr show the Banco's result rows; where no row is chosen (new results)
    // the view stands on none either.
    void mostraEsiti();
    // The tables of the result rows, as FgEsiti and FgGr show them.
    const ModelloRighe<workbench::RigaEsito>& modelloEsiti() const { return *modelloEsiti_; }
    const ModelloRighe<workbench::RigaEsito>& modelloAbbinamenti() const { return *modelloAbbinamenti_; }
    // The line beside the results (a cancelled search, cases derived again); hidden when empty.
    void statoEsiti(const QString& testo);
    // The page of the search LblMiglioreACaso describes (-1 before any); mostraMiglioreACaso shows it.
    void confrontoDellaPagina(int pagina) { paginaConfronto_ = pagina; }
    // "Migliore a caso" shown only on the page of the search it describes.
    void mostraMiglioreACaso();
    // What the results of a page (Ambate, Abbinamenti) were made with and the lines in
    // words about them, shown above that page's grid while it shows.
    void risultatiDi(int pagina, const QString& impostazioni, const QString& note);
    // The settings on the left no longer match the results of the page: the tag says so.
    void impostazioniScadute(int pagina, bool scadute);
    // The results of the page are gone (RICAVA ESTRAZIONI emptied them): tag, lines and,
    // when it described them, "Migliore a caso" go too.
    void dimenticaRisultati(int pagina);
    bool haRisultati(int pagina) const { return !pagine_[static_cast<std::size_t>(pagina)].impostazioni.isEmpty(); }

    QTabWidget* SSTab2 = nullptr;
    QCheckBox* Ch_CasiScoperti = nullptr;
    QRadioButton* Option1 = nullptr;   // abbinamenti for the ambo
    QRadioButton* Option2 = nullptr;   // abbinamenti for the terno
    GrigliaView* FgEsiti = nullptr;
    GrigliaView* FgGr = nullptr;
    QLabel* LblMiglioreACaso = nullptr;
    // Next to the results: what became of the last search (cancelled, cases renewed).
    QLabel* LblEsitoRicerca = nullptr;
    // Above the grid of the page showing: the settings of its results, stale or not, and its lines in words.
    QLabel* LblImpostazioniEsiti = nullptr;
    QPushButton* Cmd_Step1Btn = nullptr;   // AMBATE: the search of the ambate
    QPushButton* Command29Btn = nullptr;   // Verifica formula: the selected row on the cases
    QPushButton* Command21Btn = nullptr;   // Imposta: the selected ambata formula into the pyramid
    QPushButton* Command36Btn = nullptr;   // Capogioco: the selected formula as capogioco
    QPushButton* Command38Btn = nullptr;   // ABBINAMENTI: the search of the abbinamenti
    QPushButton* Command7Btn = nullptr;   // Imposta: the selected abbinamento formula into the pyramid
    std::array<QPushButton*, 6> Cmd_Colonna{};   // 1..5
    std::array<QPushButton*, 6> Cmd_Ambo{};      // 1..5

private:
    QWidget* costruisciAmbate();
    QWidget* costruisciAbbinamenti();

    workbench::Banco& banco_;
    void mostraImpostazioniEsiti();
    // A view of the result rows of kind `tipo`: its columns, tooltips and widths.
    GrigliaView* vistaEsiti(const QString& nome, workbench::TipoRicerca tipo, ModelloRighe<workbench::RigaEsito>*& modello,
                            QWidget* genitore);

    ModelloRighe<workbench::RigaEsito>* modelloEsiti_ = nullptr;
    ModelloRighe<workbench::RigaEsito>* modelloAbbinamenti_ = nullptr;

    // Page of the search LblMiglioreACaso describes; -1 before any.
    int paginaConfronto_ = -1;
    struct StatoPagina {
        QString impostazioni;   // empty: no results
        QString note;
        bool scadute = false;
    };
    std::array<StatoPagina, 2> pagine_;
    QHBoxLayout* comandiAmbate_ = nullptr;
    QHBoxLayout* comandiAbbinamenti_ = nullptr;
};

}
