// The page "Legge del terzo": the cycle length, the last cycle of each wheel, the distribution table and chart.
#include "ui/Statistiche/PaginaTerzo.h"

#include "statistics/Tabella.h"
#include "ui/Statistiche/GraficoConfronto.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <QtCharts/QChartView>

#include <cmath>

namespace ui {

namespace {
QString daStd(const std::string& s) { return QString::fromStdString(s); }
}

PaginaTerzo::PaginaTerzo(Contesto& contesto, QWidget* genitore)
    : QWidget(genitore)
    , contesto_(contesto)
{
    setObjectName(QStringLiteral("PaginaTerzo"));
    costruisci();
}

PaginaTerzo::~PaginaTerzo()
{
    // The grid views show grids this object owns: they go before the grids do.
    delete Cicli;
    delete Assenti;
    delete Distribuzione;
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
    CmDHelp = pulsante(QStringLiteral("CmDHelpTerzo"), QStringLiteral("?"), QStringLiteral("Help in linea"), this);
    CmDHelp->setFixedWidth(34);
    scelte->addWidget(CmDHelp);

    Significato = etichetta(QStringLiteral("SignificatoTerzo"), {}, this);
    Significato->setWordWrap(true);
    Riepilogo = etichetta(QStringLiteral("RiepilogoTerzo"), {}, this);
    Riepilogo->setWordWrap(true);
    QFont forte = Riepilogo->font();
    forte.setBold(true);
    Riepilogo->setFont(forte);

    Cicli = new GrigliaView(tabellaCicli_, this);
    Cicli->setObjectName(QStringLiteral("Cicli"));
    Cicli->setFisse(1, 0);
    Cicli->setToolTip(QStringLiteral("L'ultimo ciclo di ogni ruota fino alla data Al"));
    Assenti = new GrigliaView(tabellaAssenti_, this);
    Assenti->setObjectName(QStringLiteral("Assenti"));
    Assenti->setFisse(1, 0);
    Distribuzione = new GrigliaView(tabellaDistribuzione_, this);
    Distribuzione->setObjectName(QStringLiteral("Distribuzione"));
    Distribuzione->setFisse(1, 0);
    Distribuzione->setToolTip(QStringLiteral("Gli assenti in ogni tratto di estrazioni consecutive fra Dal e Al, e quanti tratti per caso"));
    Grafico = nuovoGrafico(QStringLiteral("GraficoTerzo"), this);

    auto* sinistra = new QWidget(this);
    auto* vs = new QVBoxLayout(sinistra);
    vs->setContentsMargins(0, 0, 0, 0);
    auto* alto = new QHBoxLayout;
    alto->addWidget(Cicli, 2);
    alto->addWidget(Distribuzione, 1);
    vs->addLayout(alto, 3);
    vs->addWidget(Assenti, 2);

    auto* divisore = new QSplitter(Qt::Horizontal, this);
    divisore->addWidget(sinistra);
    divisore->addWidget(Grafico);
    divisore->setStretchFactor(0, 1);
    divisore->setStretchFactor(1, 1);
    divisore->setChildrenCollapsible(false);

    auto* principale = new QVBoxLayout(this);
    principale->setContentsMargins(4, 4, 4, 4);
    principale->addLayout(scelte);
    principale->addWidget(Significato);
    principale->addWidget(Riepilogo);
    principale->addWidget(divisore, 1);

    connect(Ciclo, &QSpinBox::valueChanged, this, [this] { ricalcola(); });
    connect(CmDHelp, &QPushButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(ContestoHelp, window());
    });
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
    statistics::scriviCicli(cicli_, 0, tabellaCicli_);
    statistics::scriviAssenti(contesto_.sessione.archivio(), cicli_, 0, tabellaAssenti_);
    statistics::scriviDistribuzione(distribuzione_, tabellaDistribuzione_);
    for (auto* g : {Cicli, Assenti, Distribuzione})
        g->aggiorna();
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
    statistics::scriviCicli(cicli_, n, tabellaCicli_);
    statistics::scriviAssenti(a, cicli_, n, tabellaAssenti_);
    statistics::scriviDistribuzione(distribuzione_, tabellaDistribuzione_);
    tabellaAssenti_.setLarghezza(3, 9000);
    for (auto* g : {Cicli, Assenti, Distribuzione})
        g->aggiorna();

    const double attesi = statistics::assentiAttesi(n);
    Significato->setText(QStringLiteral("In %1 estrazioni il caso lascia fuori in media %2 numeri su 90 (circa %3 su 100): che tanti "
                                        "restino assenti è la legge del caso, non un segnale, e un numero assente non diventa per "
                                        "questo più probabile nella prossima estrazione.")
                             .arg(n)
                             .arg(daStd(statistics::conVirgola(attesi, 1)))
                             .arg(std::lround(attesi / 90.0 * 100.0)));
    std::string riepilogo = statistics::lineaCicli(a, n, al_);
    if (distribuzione_.cicli > 0)
        riepilogo += " " + statistics::lineaDistribuzione(distribuzione_);
    int corte = 0;
    for (const auto& c : cicli_)
        corte += c.estrazioni < n;
    if (corte > 0)
        riepilogo += " Ruote con meno di " + std::to_string(n) + " estrazioni fino ad Al: " + std::to_string(corte) + ", escluse.";
    Riepilogo->setText(daStd(riepilogo));
    aggiornaGrafico();
}

void PaginaTerzo::aggiornaGrafico()
{
    Confronto c;
    c.serie = QStringLiteral("SerieAssenti");
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
