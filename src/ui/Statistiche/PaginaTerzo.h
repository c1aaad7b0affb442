// The page "Legge del terzo" of Statistiche: the last cycle of each chosen wheel and the absent count over every span, beside the exact law.
#pragma once

#include "grid/Grid.h"
#include "statistics/Terzo.h"
#include "ui/common/Contesto.h"
#include "ui/common/ModelloRighe.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;

namespace ui {

class Grafico;

class GrigliaView;

class PaginaTerzo : public QWidget {
    Q_OBJECT
public:
    explicit PaginaTerzo(Contesto& contesto, QWidget* genitore = nullptr);

    static constexpr int ContestoHelp = 354;

    // The wheels and the range as the window's panel sets them: the cycle ends at `al`, the spans lie in dal..al.
    void imposta(const statistics::Ruote& ruote, int dal, int al);
    void svuota(const QString& motivo);
    void ricalcola();

    const std::vector<statistics::CicloRuota>& cicli() const { return cicli_; }
    const statistics::DistribuzioneAssenti& distribuzione() const { return distribuzione_; }
    // Ruota|Usciti|Assenti|AttesiAssenti as the command line writes them, then Dal|Al|Numeri assenti.
    grid::Grid tabellaCicli() const { return cicliMostrati_->testoTabella(); }
    grid::Grid tabellaDistribuzione() const { return classiMostrate_->testoTabella(); }

private:
    void costruisci();
    void aggiornaGrafico();

    Contesto& contesto_;
    std::optional<statistics::Ruote> ruote_;
    int dal_ = 1;
    int al_ = 0;
    std::vector<statistics::CicloRuota> cicli_;
    statistics::DistribuzioneAssenti distribuzione_;
    ModelloRighe<statistics::RigaCiclo>* cicliMostrati_ = nullptr;         // Cicli's rows
    ModelloRighe<statistics::ClasseAssenti>* classiMostrate_ = nullptr;    // Distribuzione's rows

    QSpinBox* Ciclo = nullptr;
    QPushButton* CmDHelp = nullptr;
    QLabel* Significato = nullptr;
    QLabel* Riepilogo = nullptr;
    GrigliaView* Cicli = nullptr;
    GrigliaView* Distribuzione = nullptr;
    ui::Grafico* Grafico = nullptr;
};

}
