// The page "Spia" of Statistiche: the followers of a spy number or pair, or every spy scanned, beside chance.
#pragma once

#include "grid/Grid.h"
#include "statistics/Spia.h"
#include "ui/common/Contesto.h"
#include "ui/common/ModelloRighe.h"

#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QSpinBox;

namespace ui {

class Grafico;

class GrigliaView;

class PaginaSpia : public QWidget {
    Q_OBJECT
public:
    explicit PaginaSpia(Contesto& contesto, QWidget* genitore = nullptr);

    static constexpr int ContestoHelp = 352;

    // The wheels of the followers and the range of the presences, as the window's panel sets them.
    void imposta(const statistics::Ruote& ruote, int dal, int al);
    // Nothing to compute (no wheel, no draw in the range): the reason in place of the figures.
    void svuota(const QString& motivo);
    // Recomputes the table, or the scan when "Tutte le spie" is down, from the choices on screen.
    void ricalcola();
    // A click on the header of column c: sorts by it, a second click reverses the order.
    void ordinaPer(int colonna);
    // Double-click on row r of the table: the draws where that number followed the spy, the newest
    // in the mini list with the spy and the follower marked (a double-click on the spy's cells of
    // that list shows the spy's own draw).
    void mostraSeguiti(int riga);

    bool scansione() const;
    const std::vector<statistics::RigaSpia>& righe() const { return righe_; }
    const statistics::DistribuzioneP& classiP() const { return classiP_; }
    grid::Grid tabella() const { return tabella_->testoTabella(); }
    grid::Grid elencoSeguiti() const { return seguiti_->testoTabella(); }

private:
    void costruisci();
    statistics::ParametriSpia parametri() const;
    void scriviTabella();
    // The table's columns, with the scan's Spia in front.
    static std::vector<ColonnaDi<statistics::RigaSpia>> colonneTabella(bool scansione);
    // The followed draws shown (`righe`) or none: the columns take their widths first (see colonneSeguiti).
    void mostraRigheSeguiti(std::vector<statistics::RigaSeguito> righe);
    void aggiornaGrafico();
    // Row `riga` of the followed draws in the mini list: the draw of the follower, or of the spy.
    void apriNelMiniElenco(int riga, bool estrazioneSpia);

    Contesto& contesto_;
    std::optional<statistics::Ruote> ruote_;
    int dal_ = 1;
    int al_ = 0;
    std::vector<statistics::RigaSpia> righe_;
    statistics::DistribuzioneP classiP_{};
    statistics::ParametriSpia calcolati_;   // the settings of righe_
    int colonnaOrdine_ = statistics::ColSpiaP;
    bool decrescente_ = false;
    ModelloRighe<statistics::RigaSpia>* tabella_ = nullptr;   // Tabella's rows, in righe_'s order
    ModelloRighe<statistics::RigaSeguito>* seguiti_ = nullptr;   // Seguiti's rows
    bool seguitiLarghi_ = false;   // Seguiti's columns at the widths of a filled list
    std::vector<int> numeriSeguiti_;   // spy and follower of the list below the table
    std::vector<std::vector<int>> ruoteSeguiti_;   // by row of that list: the wheels to mark

    QSpinBox* Spia = nullptr;
    QSpinBox* Spia2 = nullptr;
    QComboBox* RuotaSpia = nullptr;
    QSpinBox* Colpi = nullptr;
    QCheckBox* Sovrapposte = nullptr;
    QPushButton* TutteLeSpie = nullptr;
    QPushButton* CmDHelp = nullptr;
    QLabel* Significato = nullptr;
    QLabel* Riepilogo = nullptr;
    QLabel* TitoloSeguiti = nullptr;
    GrigliaView* Tabella = nullptr;
    GrigliaView* Seguiti = nullptr;
    ui::Grafico* Grafico = nullptr;
};

}
