// The page "Legge del terzo": the cycle length, the last cycle of each wheel, the distribution table and chart.
#include "ui/Statistiche/PaginaTerzo.h"

#include "statistics/Tabella.h"
#include "ui/Statistiche/PaginaStudio.h"
#include "ui/common/Controlli.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace ui {

PaginaTerzo::PaginaTerzo(Contesto& contesto, QWidget* genitore)
    : QWidget(genitore)
    , contesto_(contesto)
{
    setObjectName(QStringLiteral("PaginaTerzo"));
    costruisci();
}

void PaginaTerzo::costruisci()
{
    auto* scelte = new QHBoxLayout;
    scelte->addWidget(etichetta(QStringLiteral("LabelCiclo"), QStringLiteral("Ciclo di"), this));
    Ciclo = new QSpinBox(this);
    Ciclo->setObjectName(QStringLiteral("Ciclo"));
    Ciclo->setRange(1, statistics::CicloMax);
    Ciclo->setValue(statistics::CicloTeorico);
    Ciclo->setToolTip(QStringLiteral("Le estrazioni del ciclo; 18 è il ciclo teorico di un estratto (90 numeri, 5 per estrazione)"));
    scelte->addWidget(Ciclo);
    scelte->addWidget(etichetta(QStringLiteral("LabelEstrazioniCiclo"), QStringLiteral("estrazioni di ogni ruota scelta"), this));
    scelte->addStretch();
    CmDHelp = pulsanteHelp(QStringLiteral("CmDHelpTerzo"), contesto_, ContestoHelp, this);
    scelte->addWidget(CmDHelp);

    Significato = rigaDiTesto(QStringLiteral("SignificatoTerzo"), false, this);
    Riepilogo = rigaDiTesto(QStringLiteral("RiepilogoTerzo"), true, this);

    // Narrow columns (each still widens to its header); the absent numbers whole, up to about 36.
    constexpr std::array<int, statistics::colCicli::Colonne> larghezze{500, 600, 600, 900, 1150, 1150, 11500};
    auto colonne = colonneDi<statistics::RigaCiclo>(statistics::colCicli::Intestazione, larghezze, &statistics::testoCiclo);
    for (int c = statistics::colCicli::Usciti; c <= statistics::colCicli::AttesiAssenti; ++c)
        colonne[static_cast<std::size_t>(c)].allineamento = grid::Allineamento::Destra;
    cicliMostrati_ = new ModelloRighe<statistics::RigaCiclo>(std::move(colonne), this);
    Cicli = new GrigliaView(cicliMostrati_, this);
    Cicli->setObjectName(QStringLiteral("Cicli"));
    Cicli->setFisse(1, 0);
    Cicli->setToolTip(QStringLiteral("L'ultimo ciclo di ogni ruota fino alla data Al, con i numeri rimasti assenti"));
    constexpr std::array<int, statistics::colDistribuzione::Colonne> larghezzeClassi{960, 960, 960};
    classiMostrate_ = new ModelloRighe<statistics::ClasseAssenti>(colonneDi<statistics::ClasseAssenti>(
        statistics::colDistribuzione::Intestazione, larghezzeClassi, &statistics::testoClasse, grid::Allineamento::Destra), this);
    Distribuzione = new GrigliaView(classiMostrate_, this);
    Distribuzione->setObjectName(QStringLiteral("Distribuzione"));
    Distribuzione->setFisse(1, 0);
    Distribuzione->setToolTip(QStringLiteral("Gli assenti in ogni tratto di estrazioni consecutive fra Dal e Al, e quanti tratti per caso"));
    Grafico = nuovoGrafico(QStringLiteral("GraficoTerzo"), this);

    // The cycles across the page; under them the distribution beside its chart.
    auto* principale = disponiPagina(this, scelte, Significato, Riepilogo, Distribuzione, Grafico);
    principale->insertWidget(3, Cicli);

    connect(Ciclo, &QSpinBox::valueChanged, this, [this] { ricalcola(); });
}

void PaginaTerzo::imposta(const statistics::Ruote& ruote, int dal, int al)
{
    ruote_ = ruote;
    dal_ = dal;
    al_ = al;
    ricalcola();
}

void PaginaTerzo::svuota(const QString& motivo)
{
    ruote_.reset();
    cicli_.clear();
    distribuzione_ = {};
    cicliMostrati_->svuota();
    classiMostrate_->svuota();
    Riepilogo->setText(motivo);
    aggiornaGrafico();
}

void PaginaTerzo::ricalcola()
{
    if (!ruote_)
        return;
    const auto& a = contesto_.sessione.archivio();
    const int n = Ciclo->value();
    cicli_ = statistics::ultimiCicli(a, *ruote_, n, al_);
    distribuzione_ = statistics::distribuzioneAssenti(a, *ruote_, n, dal_, al_);
    cicliMostrati_->sostituisci(statistics::righeCicli(cicli_, n, &a));
    classiMostrate_->sostituisci(statistics::classiMostrate(distribuzione_));
    // Every wheel's row in view: at most eleven.
    Cicli->setFixedHeight((cicliMostrati_->rowCount() + 1) * Cicli->verticalHeader()->defaultSectionSize() +
                          Cicli->horizontalHeader()->height() + 2 * Cicli->frameWidth() + 4);
    int larghezza = 2 * Distribuzione->frameWidth() + 20;
    for (int c = 0; c < classiMostrate_->columnCount(); ++c)
        larghezza += Distribuzione->columnWidth(c);
    Distribuzione->setMinimumWidth(larghezza);

    const double attesi = statistics::assentiAttesi(n);
    Significato->setText(QStringLiteral("In %1 estrazioni il caso lascia fuori in media %2 numeri su 90 (circa %3 su 100): che tanti "
                                        "restino assenti è la legge del caso, non un segnale, e un numero assente non diventa per "
                                        "questo più probabile nella prossima estrazione.")
                             .arg(n)
                             .arg(daStd(statistics::conVirgola(attesi, 1)))
                             .arg(std::lround(attesi / 90.0 * 100.0)));
    std::string riepilogo = statistics::lineaCicli(a, n, al_);
    if (distribuzione_.cicli > 0) {
        riepilogo += ' ';
        riepilogo += statistics::lineaDistribuzione(distribuzione_);
    }
    int corte = 0;
    for (const auto& c : cicli_)
        corte += c.estrazioni < n;
    if (corte > 0)
        riepilogo += " Ruote con meno di " + std::to_string(n) + " estrazioni fino ad Al, escluse: " + std::to_string(corte) + ".";
    Riepilogo->setText(daStd(riepilogo));
    aggiornaGrafico();
}

void PaginaTerzo::aggiornaGrafico()
{
    Confronto c;
    if (distribuzione_.cicli > 0) {
        c.titolo = QStringLiteral("Numeri assenti in ogni tratto di %1 estrazioni, e per caso").arg(distribuzione_.ciclo);
        c.osservati = QStringLiteral("Tratti");
        c.asseX = QStringLiteral("Numeri assenti");
        c.asseY = QStringLiteral("Tratti");
        const auto [primo, ultimo] = statistics::classiDaMostrare(distribuzione_);
        for (int k = primo; k <= ultimo; ++k) {
            const auto& classe = distribuzione_.classi[static_cast<std::size_t>(k)];
            c.etichette << QString::number(k);
            c.valoriOsservati.push_back(classe.osservati);
            c.valoriAttesi.push_back(classe.attesi);
        }
    }
    disegnaConfronto(Grafico, c);
}

}
