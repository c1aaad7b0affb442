// The page "Spia": its own choices, the table of followers or of every spy, the p chart, the followed draws.
#include "ui/Statistiche/PaginaSpia.h"

#include "statistics/Tabella.h"
#include "ui/Statistiche/PaginaStudio.h"
#include "ui/common/Controlli.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace ui {

namespace {

// The followed draws' columns. Empty, every column has the default width, so the empty list fits
// its page without scrolling sideways; filled, the dates and the wheels get the room their texts need.
std::vector<ColonnaDi<statistics::RigaSeguito>> colonneSeguiti(bool larghe)
{
    std::array<int, statistics::ColonneSeguiti> larghezze{960, 960, 960, 960, 960, 960};
    if (larghe) {
        larghezze[statistics::SegDataPresenza] = larghezze[statistics::SegData] = 1300;
        larghezze[statistics::SegRuote] = 1500;
    }
    return colonneDi<statistics::RigaSeguito>(statistics::IntestazioneSeguiti, larghezze, &statistics::testoSeguito);
}

}

PaginaSpia::PaginaSpia(Contesto& contesto, QWidget* genitore)
    : QWidget(genitore)
    , contesto_(contesto)
{
    setObjectName(QStringLiteral("PaginaSpia"));
    costruisci();
}

void PaginaSpia::costruisci()
{
    auto* scelte = new QHBoxLayout;
    scelte->addWidget(etichetta(QStringLiteral("LabelSpia"), QStringLiteral("Spia"), this));
    Spia = new QSpinBox(this);
    Spia->setObjectName(QStringLiteral("Spia"));
    Spia->setRange(1, 90);
    Spia->setValue(27);
    Spia->setToolTip(QStringLiteral("Il numero spia"));
    scelte->addWidget(Spia);
    scelte->addWidget(etichetta(QStringLiteral("LabelSpia2"), QStringLiteral("ambo con"), this));
    Spia2 = new QSpinBox(this);
    Spia2->setObjectName(QStringLiteral("Spia2"));
    Spia2->setRange(0, 90);
    Spia2->setSpecialValueText(QStringLiteral("nessuno"));
    Spia2->setToolTip(QStringLiteral("Un secondo numero fa della spia un ambo: contano le estrazioni con entrambi sulla ruota della spia"));
    scelte->addWidget(Spia2);
    scelte->addSpacing(12);
    scelte->addWidget(etichetta(QStringLiteral("LabelRuotaSpia"), QStringLiteral("Ruota spia"), this));
    RuotaSpia = new QComboBox(this);
    RuotaSpia->setObjectName(QStringLiteral("RuotaSpia"));
    for (const auto& nome : archive::NomiRuote)
        RuotaSpia->addItem(daStd(std::string(nome)));
    scelte->addWidget(RuotaSpia);
    scelte->addSpacing(12);
    scelte->addWidget(etichetta(QStringLiteral("LabelColpi"), QStringLiteral("Colpi"), this));
    Colpi = new QSpinBox(this);
    Colpi->setObjectName(QStringLiteral("Colpi"));
    Colpi->setRange(1, statistics::ColpiSpiaMax);
    Colpi->setValue(9);
    Colpi->setToolTip(QStringLiteral("Le estrazioni dopo ogni uscita della spia in cui si cercano i numeri"));
    scelte->addWidget(Colpi);
    scelte->addSpacing(12);
    Sovrapposte = new QCheckBox(QStringLiteral("Uscite sovrapposte"), this);
    Sovrapposte->setObjectName(QStringLiteral("Sovrapposte"));
    Sovrapposte->setToolTip(QStringLiteral("Con la spunta contano anche le uscite della spia nei colpi della precedente; senza, sono saltate "
                                           "e i conteggi restano indipendenti"));
    scelte->addWidget(Sovrapposte);
    scelte->addSpacing(12);
    TutteLeSpie = pulsante(QStringLiteral("TutteLeSpie"), QStringLiteral("Tutte le spie"),
                           QStringLiteral("Ogni spia da 1 a 90 sulla ruota della spia contro ogni numero: 8100 prove"), this);
    TutteLeSpie->setCheckable(true);
    scelte->addWidget(TutteLeSpie);
    scelte->addStretch();
    CmDHelp = pulsanteHelp(QStringLiteral("CmDHelpSpia"), contesto_, ContestoHelp, this);
    scelte->addWidget(CmDHelp);

    Significato = rigaDiTesto(QStringLiteral("SignificatoSpia"), false, this);
    Riepilogo = rigaDiTesto(QStringLiteral("RiepilogoSpia"), true, this);

    tabella_ = new ModelloRighe<statistics::RigaSpia>(colonneTabella(false), this);
    Tabella = new GrigliaView(tabella_, this);
    Tabella->setObjectName(QStringLiteral("TabellaSpia"));
    Tabella->setFisse(1, 0);
    Tabella->horizontalHeader()->setSortIndicatorShown(true);
    Tabella->setToolTip(QStringLiteral("Clic su un'intestazione: ordina; doppio clic su un numero: quando ha seguito la spia"));
    TitoloSeguiti = etichetta(QStringLiteral("TitoloSeguitiSpia"), QStringLiteral("Doppio clic su un numero: quando ha seguito la spia"), this);
    // The title says what the list holds: it wraps rather than widen the window past the screen.
    TitoloSeguiti->setWordWrap(true);
    seguiti_ = new ModelloRighe<statistics::RigaSeguito>(colonneSeguiti(false), this);
    Seguiti = new GrigliaView(seguiti_, this);
    Seguiti->setObjectName(QStringLiteral("SeguitiSpia"));
    Seguiti->setFisse(1, 0);
    auto* sinistra = new QWidget(this);
    auto* vs = new QVBoxLayout(sinistra);
    vs->setContentsMargins(0, 0, 0, 0);
    vs->addWidget(Tabella, 3);
    vs->addWidget(TitoloSeguiti);
    vs->addWidget(Seguiti, 1);
    Grafico = nuovoGrafico(QStringLiteral("GraficoSpia"), this);

    disponiPagina(this, scelte, Significato, Riepilogo, sinistra, Grafico);

    const auto cambiato = [this] { ricalcola(); };
    connect(Spia, &QSpinBox::valueChanged, this, cambiato);
    connect(Spia2, &QSpinBox::valueChanged, this, cambiato);
    connect(RuotaSpia, &QComboBox::currentIndexChanged, this, cambiato);
    connect(Colpi, &QSpinBox::valueChanged, this, cambiato);
    connect(Sovrapposte, &QCheckBox::toggled, this, cambiato);
    connect(TutteLeSpie, &QPushButton::toggled, this, [this](bool su) {
        // The scan takes every spy: the spy's own numbers do not apply.
        Spia->setEnabled(!su);
        Spia2->setEnabled(!su);
        colonnaOrdine_ = su ? statistics::ColSpiaQ + 1 : statistics::ColSpiaP;
        decrescente_ = false;
        ricalcola();
    });
    connect(Tabella, &GrigliaView::clic, this, [this](int r, int c) {
        if (r == 0)
            ordinaPer(c);
    });
    const auto seguito = [this](int r, int) { mostraSeguiti(r); };
    connect(Tabella, &GrigliaView::doppioClic, this, seguito);
    connect(Tabella, &GrigliaView::attivata, this, seguito);
    // On the spy's cells the draw of the spy, elsewhere the draw where the number followed it.
    const auto estrazione = [this](int r, int c) {
        apriNelMiniElenco(r, c == statistics::SegPresenza || c == statistics::SegDataPresenza);
    };
    connect(Seguiti, &GrigliaView::doppioClic, this, estrazione);
    connect(Seguiti, &GrigliaView::attivata, this, estrazione);
}

std::vector<ColonnaDi<statistics::RigaSpia>> PaginaSpia::colonneTabella(bool scansione)
{
    const std::string titoli = std::string(scansione ? "Spia|" : "") + std::string(statistics::IntestazioneSpia);
    std::array<int, statistics::ColonneSpia + 1> larghezze;
    larghezze.fill(800);
    auto colonne = colonneDi<statistics::RigaSpia>(
        titoli, larghezze,
        [scansione](const statistics::RigaSpia& r, int c) { return statistics::testoCellaSpia(r, c, scansione); },
        grid::Allineamento::Destra);
    if (!scansione)
        colonne.pop_back();
    return colonne;
}

bool PaginaSpia::scansione() const { return TutteLeSpie->isChecked(); }

statistics::ParametriSpia PaginaSpia::parametri() const
{
    statistics::ParametriSpia p;
    p.spia = Spia->value();
    p.spia2 = Spia2->value() == Spia->value() ? 0 : Spia2->value();
    p.ruotaSpia = RuotaSpia->currentIndex();
    p.ruote = ruote_.value_or(statistics::Ruote{});
    p.colpi = Colpi->value();
    p.dal = dal_;
    p.al = al_;
    p.sovrapposte = Sovrapposte->isChecked();
    return p;
}

void PaginaSpia::imposta(const statistics::Ruote& ruote, int dal, int al)
{
    ruote_ = ruote;
    dal_ = dal;
    al_ = al;
    ricalcola();
}

void PaginaSpia::svuota(const QString& motivo)
{
    ruote_.reset();
    righe_.clear();
    classiP_ = {};
    tabella_->svuota();
    mostraRigheSeguiti({});
    Riepilogo->setText(motivo);
    aggiornaGrafico();
}

void PaginaSpia::ricalcola()
{
    if (!ruote_)
        return;
    const auto& a = contesto_.sessione.archivio();
    calcolati_ = parametri();
    if (scansione()) {
        auto e = statistics::scansioneSpie(a, calcolati_);
        Riepilogo->setText(daStd(statistics::lineaScansione(e)));
        righe_ = std::move(e.righe);
        classiP_ = e.classiP;
    } else {
        auto e = statistics::calcolaSpia(a, calcolati_);
        Riepilogo->setText(QStringLiteral("Spia %1 su %2. ").arg(daStd(statistics::testoSpia(calcolati_)),
                                                                  daStd(std::string(archive::NomiRuote[static_cast<std::size_t>(calcolati_.ruotaSpia)]))) +
                           daStd(statistics::lineaSpia(e)));
        righe_ = std::move(e.righe);
        classiP_ = e.classiP;
    }
    // What the figures mean and do not mean, for the tests made.
    Significato->setText(QStringLiteral("Rapporto sopra 1 dice solo che il numero ha seguito la spia più spesso di quanto dà il caso in "
                                        "questo tratto: fra %1 circa %2 hanno p < 0,05 per puro caso, per questo conta q. Un q "
                                        "sotto 0,05 dice che lo scarto difficilmente è caso, non che si ripeterà.")
                             .arg(scansione() ? QStringLiteral("%1 prove").arg(righe_.size()) : QStringLiteral("90 numeri"))
                             .arg(daStd(statistics::conVirgola(classiP_[0].attesi, righe_.size() > 90 ? 0 : 1))));
    scriviTabella();
    mostraRigheSeguiti({});
    numeriSeguiti_.clear();
    TitoloSeguiti->setText(QStringLiteral("Doppio clic su un numero: quando ha seguito la spia"));
    aggiornaGrafico();
}

void PaginaSpia::scriviTabella()
{
    const bool tutte = scansione();
    statistics::ordinaSpia(righe_, colonnaOrdine_, tutte, decrescente_);
    if (tabella_->columnCount() != static_cast<int>(colonneTabella(tutte).size())) {
        tabella_->setColonne(colonneTabella(tutte));
        Tabella->aggiorna();
    }
    tabella_->sostituisci(righe_);
    int larghezza = 2 * Tabella->frameWidth() + 20;
    for (int c = 0; c < tabella_->columnCount(); ++c)
        larghezza += Tabella->columnWidth(c);
    Tabella->setMinimumWidth(larghezza);
    Tabella->horizontalHeader()->setSortIndicator(colonnaOrdine_, decrescente_ ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void PaginaSpia::ordinaPer(int colonna)
{
    if (colonna < 0 || colonna >= tabella_->columnCount())
        return;
    if (colonna == colonnaOrdine_) {
        decrescente_ = !decrescente_;
    } else {
        colonnaOrdine_ = colonna;
        // Counts and Rapporto read best from the largest, numbers and chances from the smallest.
        const int propria = scansione() ? colonna - 1 : colonna;
        decrescente_ = propria == statistics::ColSpiaUscite || propria == statistics::ColSpiaRapporto;
    }
    scriviTabella();
}

void PaginaSpia::mostraRigheSeguiti(std::vector<statistics::RigaSeguito> righe)
{
    const bool larghe = !righe.empty();
    if (larghe != seguitiLarghi_) {
        seguitiLarghi_ = larghe;
        seguiti_->setColonne(colonneSeguiti(larghe));
        Seguiti->aggiorna();
    }
    seguiti_->sostituisci(std::move(righe));
}

void PaginaSpia::mostraSeguiti(int riga)
{
    if (riga < 1 || riga > static_cast<int>(righe_.size()))
        return;
    const auto& a = contesto_.sessione.archivio();
    const statistics::RigaSpia r = righe_[static_cast<std::size_t>(riga - 1)];
    statistics::ParametriSpia p = calcolati_;
    p.spia = r.spia;
    if (scansione())
        p.spia2 = 0;
    // The scan keeps no presences: the one spy is quick to compute again.
    const auto e = statistics::calcolaSpia(a, p);
    const auto elenco = statistics::seguiti(a, e, r.numero);
    mostraRigheSeguiti(statistics::righeSeguiti(a, elenco));
    numeriSeguiti_ = {p.spia};
    if (p.spia2 != 0)
        numeriSeguiti_.push_back(p.spia2);
    numeriSeguiti_.push_back(r.numero);
    ruoteSeguiti_.clear();
    for (auto it = elenco.rbegin(); it != elenco.rend(); ++it) {
        std::vector<int> ruote = it->ruote;
        if (std::find(ruote.begin(), ruote.end(), p.ruotaSpia) == ruote.end())
            ruote.push_back(p.ruotaSpia);
        ruoteSeguiti_.push_back(std::move(ruote));
    }
    const QString spia = daStd(statistics::testoSpia(p));
    if (elenco.empty()) {
        TitoloSeguiti->setText(QStringLiteral("%1 non ha mai seguito la spia %2").arg(r.numero).arg(spia));
        return;
    }
    TitoloSeguiti->setText(QStringLiteral("%1 dopo la spia %2: %3 volte (doppio clic: l'estrazione nel mini elenco, "
                                          "sulle prime due colonne quella della spia)")
                               .arg(r.numero)
                               .arg(spia)
                               .arg(elenco.size()));
    apriNelMiniElenco(1, false);
}

void PaginaSpia::apriNelMiniElenco(int riga, bool estrazioneSpia)
{
    if (riga < 1 || riga > seguiti_->rowCount() || riga > static_cast<int>(ruoteSeguiti_.size()))
        return;
    const statistics::Seguito& s = seguiti_->riga(riga - 1).seguito;
    const bool ok = estrazioneSpia
        ? mostraNelMiniElenco(contesto_, s.presenza, numeriSeguiti_, {calcolati_.ruotaSpia})
        : mostraNelMiniElenco(contesto_, s.estrazione, numeriSeguiti_,
                              ruoteSeguiti_[static_cast<std::size_t>(riga - 1)]);
    if (!ok)
        TitoloSeguiti->setText(TitoloSeguiti->text() + QStringLiteral(" (il mini elenco non si può aprire)"));
}

void PaginaSpia::aggiornaGrafico()
{
    Confronto c;
    if (!righe_.empty()) {
        c.titolo = scansione() ? QStringLiteral("Le 8100 prove per p, e per caso") : QStringLiteral("I 90 numeri per p, e per caso");
        c.osservati = scansione() ? QStringLiteral("Prove") : QStringLiteral("Numeri");
        // Short labels stay whole on a narrow chart: each class by its first p in hundredths.
        c.asseX = QStringLiteral("p in centesimi (classi di 5: a sinistra i più rari per caso)");
        c.asseY = c.osservati;
        for (int k = 0; k < statistics::ClassiP; ++k) {
            c.etichette << QString::number(k * 100 / statistics::ClassiP);
            c.valoriOsservati.push_back(classiP_[static_cast<std::size_t>(k)].osservati);
            c.valoriAttesi.push_back(classiP_[static_cast<std::size_t>(k)].attesi);
        }
    }
    disegnaConfronto(Grafico, c);
}

}
