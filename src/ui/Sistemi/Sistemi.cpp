// The window Sistemi: controls and handlers; the search, the check, the rendimento and the cost live in src/systems.
#include "ui/Sistemi/Sistemi.h"

#include "plays/ArchivioGiocate.h"
#include "systems/GrigliaSistemi.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/ModelloRighe.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

const QString Titolo = QStringLiteral("Sistemi");

QString q(const std::string& s) { return QString::fromStdString(s); }

ModelloRighe<RigaBiglietto>* modelloBiglietti(QObject* genitore)
{
    std::vector<ColonnaDi<RigaBiglietto>> colonne(2);
    auto& numero = colonne[Sistemi::ColonnaNumero];
    numero.intestazione = QStringLiteral("N°");
    numero.testo = [](const RigaBiglietto& b) { return QString::number(b.numero); };
    numero.chiave = [](const RigaBiglietto& b) { return QVariant(qlonglong(b.numero)); };
    numero.allineamento = grid::Allineamento::Destra;
    numero.larghezzaTwips = 800;
    auto& numeri = colonne[Sistemi::ColonnaNumeri];
    numeri.intestazione = QStringLiteral("Biglietto");
    numeri.testo = [](const RigaBiglietto& b) { return q(plays::testoNumeri(b.numeri)); };   // two digits each: the text sorts
    numeri.larghezzaTwips = 3200;   // ten numbers
    return new ModelloRighe<RigaBiglietto>(std::move(colonne), genitore);
}

ModelloRighe<systems::RigaRendimento>* modelloRendimento(QObject* genitore)
{
    namespace cr = systems::colonneRendimento;
    std::vector<ColonnaDi<systems::RigaRendimento>> colonne(cr::Quante);
    for (int c = 0; c < cr::Quante; ++c) {
        auto& col = colonne[static_cast<std::size_t>(c)];
        col.intestazione = QString::fromUtf8(systems::TitoliRendimento[static_cast<std::size_t>(c)]);
        col.testo = [c](const systems::RigaRendimento& r) { return q(systems::testoRendimento(r, c)); };
        col.allineamento = grid::Allineamento::Destra;
        col.larghezzaTwips = c >= cr::PremioMinimo ? 1300 : c == cr::Usciti ? 600 : c == cr::Casi ? 750 : 870;
        col.chiave = [c](const systems::RigaRendimento& r) -> QVariant {
            if (c == cr::Usciti)
                return r.usciti;
            if (c == cr::Casi)
                return qlonglong(r.casi);
            if (c == cr::PremioMinimo || c == cr::PremioMassimo)
                return r.calcolata ? QVariant(qlonglong(c == cr::PremioMinimo ? r.premioMinimo : r.premioMassimo)) : QVariant();
            return r.calcolata ? QVariant(qlonglong(r.minimo[static_cast<std::size_t>(c - cr::Estratto)])) : QVariant();
        };
    }
    return new ModelloRighe<systems::RigaRendimento>(std::move(colonne), genitore);
}

QSpinBox* campoIntero(const QString& nome, int minimo, int massimo, int valore, QWidget* genitore)
{
    auto* s = new QSpinBox(genitore);
    s->setObjectName(nome);
    s->setRange(minimo, massimo);
    s->setValue(valore);
    return s;
}

}

Sistemi::Sistemi(Contesto& contesto, QWidget* genitore) : QWidget(genitore), contesto_(contesto)
{
    setObjectName(QStringLiteral("Sistemi"));
    setWindowTitle(Titolo);
    setProperty("contestoHelp", ContestoHelp);

    // --- the numbers and the guarantee ---
    auto* scelta = new QGroupBox(QStringLiteral("Numeri e garanzia"), this);
    scelta->setObjectName(QStringLiteral("Scelta"));
    tabellone_ = tabelloneNumeri(420, contesto_.colori.selezione, contesto_.colori.normale);
    FgNumeri = new GrigliaView(tabellone_, scelta);
    FgNumeri->setObjectName(QStringLiteral("FgNumeri"));
    dimensioniEsatte(FgNumeri, 9);
    LblNumeri = etichetta(QStringLiteral("LblNumeri"), {}, scelta);
    LblNumeri->setWordWrap(true);
    TxtNumeri = new QLineEdit(scelta);
    TxtNumeri->setObjectName(QStringLiteral("TxtNumeri"));
    TxtNumeri->setPlaceholderText(QStringLiteral("05-12-33-…  (Invio)"));
    TxtNumeri->setToolTip(QStringLiteral("I numeri scritti o incollati (da un risultato, dalle statistiche, da una giocata): Invio li mette nella tabella"));
    auto* CmdSvuotaBtn = pulsante(QStringLiteral("CmdSvuota"), QStringLiteral("S&vuota"), QStringLiteral("Toglie tutti i numeri"), scelta);
    SpinClasse = campoIntero(QStringLiteral("SpinClasse"), 1, systems::MassimoClasse, 3, scelta);
    SpinClasse->setToolTip(QStringLiteral("K: i numeri di ogni biglietto"));
    SpinGaranzia = campoIntero(QStringLiteral("SpinGaranzia"), 2, 5, 2, scelta);
    SpinGaranzia->setToolTip(QStringLiteral("T: quanti dei numeri usciti stanno su almeno un biglietto"));
    SpinSe = campoIntero(QStringLiteral("SpinSe"), 2, 5, 2, scelta);
    SpinSe->setToolTip(QStringLiteral("M: quanti dei numeri giocati escono sulla ruota"));
    ChIntegrale = new QCheckBox(QStringLiteral("&Integrale"), scelta);
    ChIntegrale->setObjectName(QStringLiteral("ChIntegrale"));
    ChIntegrale->setToolTip(QStringLiteral("Tutte le combinazioni di K numeri (al più 1.000.000 di biglietti)"));
    SpinTempo = campoIntero(QStringLiteral("SpinTempo"), 1, 600, 3, scelta);
    SpinTempo->setSuffix(QStringLiteral(" s"));
    SpinTempo->setToolTip(QStringLiteral("Il tempo della ricerca di un sistema ridotto"));
    SpinSeme = campoIntero(QStringLiteral("SpinSeme"), 1, 999999, 1, scelta);
    SpinSeme->setToolTip(QStringLiteral("Lo stesso seme fa la stessa ricerca"));
    CmdCalcolaBtn = pulsante(QStringLiteral("CmdCalcola"), QStringLiteral("&Calcola"), QStringLiteral("Costruisce il sistema e ne verifica la garanzia"), scelta);
    CmdFermaBtn = pulsante(QStringLiteral("CmdFerma"), QStringLiteral("&Ferma"), QStringLiteral("Ferma la ricerca: resta il miglior sistema verificato"), scelta);
    CmdFermaBtn->setEnabled(false);
    for (auto* campo : {SpinClasse, SpinGaranzia, SpinSe, SpinTempo})
        campo->setMaximumWidth(60);
    SpinSeme->setMaximumWidth(84);
    auto* parametri = new QGridLayout;
    parametri->addWidget(new QLabel(QStringLiteral("Classe K"), scelta), 0, 0);
    parametri->addWidget(SpinClasse, 0, 1);
    parametri->addWidget(new QLabel(QStringLiteral("Garanzia T"), scelta), 1, 0);
    parametri->addWidget(SpinGaranzia, 1, 1);
    parametri->addWidget(new QLabel(QStringLiteral("se escono M"), scelta), 2, 0);
    parametri->addWidget(SpinSe, 2, 1);
    parametri->addWidget(ChIntegrale, 0, 2, 1, 2);
    parametri->addWidget(new QLabel(QStringLiteral("Tempo"), scelta), 1, 2);
    parametri->addWidget(SpinTempo, 1, 3);
    parametri->addWidget(new QLabel(QStringLiteral("Seme"), scelta), 2, 2);
    parametri->addWidget(SpinSeme, 2, 3);
    parametri->setColumnStretch(4, 1);
    auto* ls = new QVBoxLayout(scelta);
    ls->addWidget(FgNumeri);
    ls->addWidget(LblNumeri);
    auto* filaTesto = new QHBoxLayout;
    filaTesto->addWidget(TxtNumeri, 1);
    filaTesto->addWidget(CmdSvuotaBtn);
    ls->addLayout(filaTesto);
    ls->addLayout(parametri);
    auto* filaComandi = new QHBoxLayout;
    filaComandi->addWidget(CmdCalcolaBtn);
    filaComandi->addWidget(CmdFermaBtn);
    filaComandi->addStretch();
    ls->addLayout(filaComandi);
    ls->addStretch();

    // --- the stakes, the wheels, the cost ---
    auto* gioco = new QGroupBox(QStringLiteral("Poste, ruote e costo"), this);
    gioco->setObjectName(QStringLiteral("Gioco"));
    auto* poste = new QGridLayout;
    for (int s = 0; s < plays::NumeroSorti; ++s) {
        auto*& t = TxtPosta[static_cast<std::size_t>(s)];
        t = new QLineEdit(gioco);
        t->setObjectName(QStringLiteral("TxtPosta(%1)").arg(s + 1));
        t->setPlaceholderText(QStringLiteral("0"));
        t->setMaximumWidth(50);
        poste->addWidget(new QLabel(q(std::string(plays::NomiSorti[static_cast<std::size_t>(s)])), gioco), 0, s);
        poste->addWidget(t, 1, s);
    }
    TxtPosta[1]->setText(QStringLiteral("1"));
    tabelloneRuote_ = tabelloneRuote(420, contesto_.colori.selezione, contesto_.colori.normale);
    FgRuote = new GrigliaView(tabelloneRuote_, gioco);
    FgRuote->setObjectName(QStringLiteral("FgRuote"));
    dimensioniEsatte(FgRuote, 1);
    ruote_[0] = true;
    SpinColpi = campoIntero(QStringLiteral("SpinColpi"), 1, 9999, 1, gioco);
    TxtDal = new QLineEdit(gioco);
    TxtDal->setObjectName(QStringLiteral("TxtDal"));
    TxtDal->setMaximumWidth(100);
    TxtDal->setToolTip(QStringLiteral("La prima estrazione giocata (GG/MM/AAAA)"));
    const auto& a = contesto_.sessione.archivio();
    if (a.NumeroEstrazioni > 0)
        TxtDal->setText(q(plays::giornoDopo(a.DateEstrazioni[static_cast<std::size_t>(a.NumeroEstrazioni)])));
    CmdGiocaBtn = pulsante(QStringLiteral("CmdGioca"), QStringLiteral("&Gioca il sistema"),
                           QStringLiteral("Aggiunge i biglietti alle Giocate, uno per giocata, con queste poste e ruote"), gioco);
    LblCosto = etichetta(QStringLiteral("LblCosto"), {}, gioco);
    LblCosto->setWordWrap(true);
    auto* lg = new QVBoxLayout(gioco);
    lg->addWidget(new QLabel(QStringLiteral("Poste in euro per biglietto e per ruota"), gioco));
    lg->addLayout(poste);
    auto* filaRuote = new QHBoxLayout;
    filaRuote->addWidget(FgRuote);
    filaRuote->addStretch();
    lg->addLayout(filaRuote);
    auto* filaColpi = new QHBoxLayout;
    filaColpi->addWidget(new QLabel(QStringLiteral("Colpi"), gioco));
    filaColpi->addWidget(SpinColpi);
    filaColpi->addWidget(new QLabel(QStringLiteral("Dal"), gioco));
    filaColpi->addWidget(TxtDal);
    filaColpi->addStretch();
    filaColpi->addWidget(CmdGiocaBtn);
    lg->addLayout(filaColpi);
    lg->addWidget(LblCosto);
    auto* nota = etichetta(QStringLiteral("LblNotaResa"), QString::fromUtf8(systems::NotaResa), gioco);
    nota->setWordWrap(true);
    lg->addWidget(nota);

    // --- the system ---
    LblDimensione = etichetta(QStringLiteral("LblDimensione"), QStringLiteral("Scegliere i numeri, la classe e la garanzia, poi Calcola."), this);
    LblDimensione->setWordWrap(true);
    LblGaranzia = etichetta(QStringLiteral("LblGaranzia"), {}, this);
    biglietti_ = modelloBiglietti(this);
    FgBiglietti = new GrigliaView(biglietti_, this);
    FgBiglietti->setObjectName(QStringLiteral("FgBiglietti"));
    SpinPagina = campoIntero(QStringLiteral("SpinPagina"), 1, 1, 1, this);
    LblPagina = etichetta(QStringLiteral("LblPagina"), {}, this);
    righeRendimento_ = modelloRendimento(this);
    FgRendimento = new GrigliaView(righeRendimento_, this);
    FgRendimento->setObjectName(QStringLiteral("FgRendimento"));
    FgRendimento->setToolTip(QStringLiteral("Per ogni quantità di numeri usciti su una ruota: i biglietti vincenti (minimo – massimo) e il premio netto sicuro e massimo"));

    // The choice and the cost on the left; the guarantee, the rendimento and the tickets on the right.
    auto* sinistra = new QVBoxLayout;
    const int larghezza = std::max(scelta->sizeHint().width(), gioco->sizeHint().width());
    scelta->setFixedWidth(larghezza);
    gioco->setFixedWidth(larghezza);
    sinistra->addWidget(scelta);
    sinistra->addWidget(gioco);
    sinistra->addStretch();
    auto* filaPagina = new QHBoxLayout;
    filaPagina->addWidget(new QLabel(QStringLiteral("Pagina"), this));
    filaPagina->addWidget(SpinPagina);
    filaPagina->addWidget(LblPagina, 1);
    // The rendimento's six rows whole, no more; the tickets take the rest.
    FgRendimento->verticalHeader()->hide();
    FgBiglietti->verticalHeader()->hide();   // the ticket's number is a column of its own
    FgRendimento->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgRendimento->setFixedHeight(FgRendimento->horizontalHeader()->sizeHint().height() + 6 * FgRendimento->verticalHeader()->defaultSectionSize()
                                 + FgRendimento->horizontalScrollBar()->sizeHint().height() + 2 * FgRendimento->frameWidth() + 2);
    int larghezzaResa = 2 * FgRendimento->frameWidth() + 4;
    for (int c = 0; c < FgRendimento->model()->columnCount(); ++c)
        larghezzaResa += FgRendimento->columnWidth(c);
    FgRendimento->setLarghezzaPreferita(larghezzaResa);
    auto* destra = new QVBoxLayout;
    destra->addWidget(LblDimensione);
    destra->addWidget(LblGaranzia);
    destra->addWidget(etichetta(QStringLiteral("LblRendimento"), QStringLiteral("<b>Rendimento</b> su una ruota, con le poste indicate"), this));
    destra->addWidget(FgRendimento);
    destra->addLayout(filaPagina);
    destra->addWidget(FgBiglietti, 1);
    auto* principale = new QHBoxLayout(this);
    principale->addLayout(sinistra);
    principale->addLayout(destra, 1);

    connect(FgNumeri, &GrigliaView::clic, this, [this](int r, int c) { commutaNumero(r * 10 + c + 1); });
    connect(FgNumeri, &GrigliaView::attivata, this, [this](int r, int c) { commutaNumero(r * 10 + c + 1); });
    connect(FgRuote, &GrigliaView::clic, this, [this](int, int c) { commutaRuota(c); });
    connect(FgRuote, &GrigliaView::attivata, this, [this](int, int c) { commutaRuota(c); });
    connect(TxtNumeri, &QLineEdit::returnPressed, this, [this] { usaNumeriScritti(); });
    connect(CmdSvuotaBtn, &QPushButton::clicked, this, &Sistemi::CmdSvuota);
    connect(CmdCalcolaBtn, &QPushButton::clicked, this, &Sistemi::CmdCalcola);
    connect(CmdFermaBtn, &QPushButton::clicked, this, &Sistemi::CmdFerma);
    connect(CmdGiocaBtn, &QPushButton::clicked, this, &Sistemi::CmdGioca);
    connect(SpinPagina, &QSpinBox::valueChanged, this, [this] { mostraPagina(); });
    for (auto* campo : {SpinClasse, SpinGaranzia, SpinSe})
        connect(campo, &QSpinBox::valueChanged, this, [this] { dimenticaSistema(); });
    connect(ChIntegrale, &QCheckBox::toggled, this, [this] { dimenticaSistema(); });
    connect(SpinColpi, &QSpinBox::valueChanged, this, [this] { mostraCosto(); });
    for (auto* t : TxtPosta)
        connect(t, &QLineEdit::editingFinished, this, [this] { ricalcolaRendimento(); });
    lavoro_.collegaBarre(contesto_.pb1, contesto_.pb2);

    try {
        tariffe_ = plays::leggiTariffe(contesto_.sessione.dbProgramma());
    } catch (const std::exception&) {
        tariffe_ = {};   // the law's payouts: the plays window tells about an unreadable database
    }
    mostraBoard();
    mostraRuote();
    mostraCosto();
}

Sistemi::~Sistemi() { lavoro_.fermaEAspetta(); }

void Sistemi::avviso(const QString& testo, Icona icona) { contesto_.dialoghi.messaggio(this, testo, Titolo, icona); }

void Sistemi::mostraBoard()
{
    scegliNumeri(*tabellone_, numeri_);
    LblNumeri->setText(numeri_.empty() ? QStringLiteral("Numeri: un clic sulla tabella, o scritti qui sotto")
                                       : QStringLiteral("%1 numeri: %2").arg(numeri_.size()).arg(q(plays::testoNumeri(numeri_))));
}

void Sistemi::dimenticaSistema()
{
    if (!sistema_)
        return;
    sistema_.reset();
    rendimento_.clear();
    biglietti_->svuota();
    righeRendimento_->svuota();
    SpinPagina->setRange(1, 1);
    LblPagina->clear();
    LblGaranzia->clear();
    LblDimensione->setText(QStringLiteral("Numeri o garanzia cambiati: Calcola per il nuovo sistema."));
    mostraCosto();
}

void Sistemi::mostraRuote()
{
    scegliRuote(*tabelloneRuote_, ruote_);
    mostraCosto();
}

void Sistemi::commutaNumero(int n)
{
    if (n < 1 || n > 90 || lavoro_.occupato())
        return;
    const auto it = std::lower_bound(numeri_.begin(), numeri_.end(), n);
    if (it != numeri_.end() && *it == n)
        numeri_.erase(it);
    else
        numeri_.insert(it, n);
    mostraBoard();
    dimenticaSistema();
}

void Sistemi::commutaRuota(int w)
{
    if (w < 0 || w >= archive::NumeroRuote)
        return;
    ruote_[static_cast<std::size_t>(w)] = !ruote_[static_cast<std::size_t>(w)];
    mostraRuote();
}

void Sistemi::CmdSvuota()
{
    if (lavoro_.occupato())
        return;
    numeri_.clear();
    TxtNumeri->clear();
    mostraBoard();
    dimenticaSistema();
}

bool Sistemi::usaNumeriScritti()
{
    std::string motivo;
    const auto letti = plays::leggiNumeri(TxtNumeri->text().toStdString(), motivo, systems::MassimoNumeri);
    if (!letti) {
        avviso(QStringLiteral("Numeri non validi: %1. La tabella non è cambiata.").arg(q(motivo)), Icona::Esclamazione);
        return false;
    }
    if (lavoro_.occupato())
        return false;
    auto nuovi = *letti;
    std::sort(nuovi.begin(), nuovi.end());
    if (nuovi != numeri_) {
        numeri_ = std::move(nuovi);
        dimenticaSistema();
    }
    mostraBoard();
    return true;
}

void Sistemi::impostaParametri(int classe, int garanzia, int se, bool integrale)
{
    SpinClasse->setValue(classe);
    SpinGaranzia->setValue(garanzia);
    SpinSe->setValue(se);
    ChIntegrale->setChecked(integrale);
}

void Sistemi::impostaTempo(int secondi) { SpinTempo->setValue(secondi); }

void Sistemi::occupa(bool si)
{
    CmdCalcolaBtn->setEnabled(!si);
    CmdGiocaBtn->setEnabled(!si);
    CmdFermaBtn->setEnabled(si);
    // What the work was asked for stays as it was until its result is shown.
    for (QWidget* w : std::initializer_list<QWidget*>{TxtNumeri, SpinClasse, SpinGaranzia, SpinSe, ChIntegrale, SpinTempo, SpinSeme})
        w->setEnabled(!si);
}

std::optional<systems::Poste> Sistemi::leggiPoste()
{
    systems::Poste p{};
    for (int s = 0; s < plays::NumeroSorti; ++s) {
        const QString testo = TxtPosta[static_cast<std::size_t>(s)]->text().trimmed();
        if (testo.isEmpty())
            continue;
        const auto e = plays::leggiEuro(testo.toStdString());
        if (!e) {
            avviso(QStringLiteral("La posta per %1 non è un importo in euro (al più due decimali, fino a 100000).")
                       .arg(q(std::string(plays::NomiSorti[static_cast<std::size_t>(s)]))),
                   Icona::Esclamazione);
            return std::nullopt;
        }
        p[static_cast<std::size_t>(s)] = *e;
    }
    return p;
}

void Sistemi::CmdCalcola()
{
    const int k = SpinClasse->value();
    const bool integrale = ChIntegrale->isChecked();
    const int t = SpinGaranzia->value();
    const int m = SpinSe->value();
    if (numeri_.size() < 2) {
        avviso(QStringLiteral("Scegliere almeno due numeri sulla tabella."), Icona::Esclamazione);
        return;
    }
    const auto poste = leggiPoste();
    if (!poste)
        return;
    systems::OpzioniRicerca opzioni;
    opzioni.secondi = SpinTempo->value();
    opzioni.seme = static_cast<std::uint64_t>(SpinSeme->value());
    // What the search would refuse is said before it starts.
    const systems::Garanzia g{static_cast<int>(numeri_.size()), k, integrale ? std::min(k, 5) : m, integrale ? std::min(k, 5) : t};
    if (auto d = integrale ? systems::difettoGaranzia(g) : systems::difettoRicerca(g)) {
        avviso(QStringLiteral("Sistema non calcolato: %1.").arg(q(*d)), Icona::Esclamazione);
        return;
    }
    auto risultato = std::make_shared<systems::SistemaVerificato>();
    auto righe = std::make_shared<std::vector<systems::RigaRendimento>>();
    const auto numeri = numeri_;
    const auto tariffe = tariffe_;
    const systems::Poste p = *poste;
    occupa(true);
    LblDimensione->setText(integrale ? QStringLiteral("Sistema integrale in calcolo…")
                                     : QStringLiteral("Ricerca del sistema ridotto (al più %1 s)…").arg(SpinTempo->value()));
    LblGaranzia->clear();
    const bool avviato = lavoro_.avvia(
        [=](avanzamento::Avanzamento& av) {
            *risultato = systems::calcolaSistema(numeri, k, integrale ? 0 : m, integrale ? 0 : t, integrale, opzioni, &av);
            // After a stop the best system is still shown whole, its rendimento with it.
            if (risultato->verifica.valida)
                *righe = systems::rendimento(risultato->sistema, p, tariffe, risultato->interrotta ? nullptr : &av);
        },
        [=, this](const LavoroDiFondo::Fine& fine) {
            occupa(false);
            if (fine.errore) {
                LblDimensione->setText(QStringLiteral("Sistema non calcolato: %1").arg(fine.messaggio));
                avviso(QStringLiteral("Sistema non calcolato: %1").arg(fine.messaggio), Icona::Esclamazione);
                return;
            }
            if (fine.interrotto && risultato->sistema.numeri.empty()) {
                LblDimensione->setText(QStringLiteral("Calcolo fermato: nessun sistema."));
                return;
            }
            if (!risultato->verifica.valida) {
                // Never shown: a system is only as good as its check.
                LblDimensione->setText(QStringLiteral("Il sistema trovato non supera il controllo e non viene mostrato: %1.")
                                           .arg(q(systems::testoVerifica(risultato->verifica, risultato->sistema.garanzia))));
                return;
            }
            sistema_ = *risultato;
            rendimento_ = *righe;
            posteRendimento_ = p;
            LblDimensione->setText(q(systems::testoDimensione(*sistema_)));
            LblGaranzia->setText(QStringLiteral("<b>%1</b>").arg(q(systems::testoVerifica(sistema_->verifica, sistema_->sistema.garanzia))));
            const auto pagine = static_cast<int>((sistema_->sistema.biglietti() + BigliettiPerPagina - 1) / BigliettiPerPagina);
            SpinPagina->setRange(1, std::max(1, pagine));
            SpinPagina->setValue(1);
            mostraPagina();
            righeRendimento_->sostituisci(rendimento_);
            mostraCosto();
        });
    if (!avviato) {
        occupa(false);
        LblDimensione->setText(QStringLiteral("Calcolo non avviato: il precedente non è ancora concluso."));
    }
}

void Sistemi::CmdFerma() { lavoro_.ferma(); }

void Sistemi::ricalcolaRendimento()
{
    const auto poste = leggiPoste();
    if (!poste)
        return;
    mostraCosto();
    if (!sistema_ || *poste == posteRendimento_ || lavoro_.occupato())
        return;
    auto righe = std::make_shared<std::vector<systems::RigaRendimento>>();
    const systems::Sistema s = sistema_->sistema;
    const auto tariffe = tariffe_;
    const systems::Poste p = *poste;
    occupa(true);
    const bool avviato = lavoro_.avvia([=](avanzamento::Avanzamento& av) { *righe = systems::rendimento(s, p, tariffe, &av); },
                                       [=, this](const LavoroDiFondo::Fine& fine) {
                                           occupa(false);
                                           if (fine.errore)
                                               return;
                                           rendimento_ = *righe;
                                           posteRendimento_ = p;
                                           righeRendimento_->sostituisci(rendimento_);
                                       });
    if (!avviato)
        occupa(false);
}

void Sistemi::mostraPagina()
{
    if (!sistema_)
        return;
    const std::int64_t n = sistema_->sistema.biglietti();
    const std::int64_t da = static_cast<std::int64_t>(SpinPagina->value() - 1) * BigliettiPerPagina;
    std::vector<RigaBiglietto> pagina;
    for (std::int64_t i = da; i < std::min(n, da + BigliettiPerPagina); ++i)
        pagina.push_back({i + 1, sistema_->sistema.biglietto(i)});
    biglietti_->sostituisci(std::move(pagina));
    FgBiglietti->scrollToTop();   // a new page is read from its first ticket
    LblPagina->setText(QStringLiteral("biglietti %1 – %2 di %3")
                           .arg(q(systems::testoIntero(std::min(n, da + 1))))
                           .arg(q(systems::testoIntero(std::min(n, da + BigliettiPerPagina))))
                           .arg(q(systems::testoIntero(n))));
}

void Sistemi::mostraCosto()
{
    if (!sistema_) {
        LblCosto->setText(QStringLiteral("Il costo compare con il sistema."));
        return;
    }
    systems::Poste p{};
    for (int s = 0; s < plays::NumeroSorti; ++s)
        p[static_cast<std::size_t>(s)] = plays::leggiEuro(TxtPosta[static_cast<std::size_t>(s)]->text().trimmed().toStdString()).value_or(0);
    const int w = static_cast<int>(std::count(ruote_.begin(), ruote_.end(), true));
    const int k = sistema_->sistema.garanzia.k;
    const auto c = systems::costoSistema(sistema_->sistema.biglietti(), k, p, w, SpinColpi->value(), tariffe_);
    LblCosto->setText(q(systems::testoCosto(c, systems::posteGiocabili(p, k), k, w, SpinColpi->value())));
}

grid::Grid Sistemi::grigliaBiglietti() const { return biglietti_->testoTabella(); }
grid::Grid Sistemi::grigliaRendimento() const { return righeRendimento_->testoTabella(); }

QString Sistemi::testoGaranzia() const { return LblGaranzia->text(); }
QString Sistemi::testoCosto() const { return LblCosto->text(); }

void Sistemi::CmdGioca()
{
    if (!sistema_) {
        avviso(QStringLiteral("Nessun sistema da giocare: prima Calcola."), Icona::Informazione);
        return;
    }
    const std::int64_t n = sistema_->sistema.biglietti();
    if (n > MassimoGiocate) {
        avviso(QStringLiteral("Il sistema ha %1 biglietti: le Giocate ne ricevono al più %2 alla volta. Nessuna giocata è stata aggiunta.")
                   .arg(q(systems::testoIntero(n)))
                   .arg(q(systems::testoIntero(MassimoGiocate))),
               Icona::Esclamazione);
        return;
    }
    const auto poste = leggiPoste();
    if (!poste)
        return;
    const auto giocate = systems::giocateDelSistema(sistema_->sistema, *poste, ruote_, TxtDal->text().trimmed().toStdString(), SpinColpi->value());
    if (const auto d = plays::difettoGiocata(giocate.front())) {
        avviso(QStringLiteral("Il sistema non si può giocare così: %1. Nessuna giocata è stata aggiunta.").arg(q(*d)), Icona::Esclamazione);
        return;
    }
    if (!contesto_.dialoghi.domandaSiNo(this, QStringLiteral("Aggiungere alle Giocate %1 giocate, una per biglietto? %2")
                                                  .arg(n)
                                                  .arg(LblCosto->text()),
                                        Titolo))
        return;
    std::vector<std::int64_t> id;
    try {
        id = plays::aggiungiGiocate(contesto_.sessione.dbProgramma(), giocate, true);
    } catch (const std::exception& e) {
        avviso(QStringLiteral("Le giocate non sono state salvate: %1").arg(q(e.what())), Icona::Critica);
        return;
    }
    avviso(QStringLiteral("Aggiunte %1 giocate, dalla N° %2 alla N° %3: %4.")
               .arg(id.size())
               .arg(id.front())
               .arg(id.back())
               .arg(q(giocate.front().note.substr(0, giocate.front().note.find(", biglietto")))),
           Icona::Informazione);
    // The plays window, opened or brought to the front, shows the first ticket: its slot mostraGiocata, called by name.
    if (QWidget* w = contesto_.apriFinestra(QStringLiteral("Giocate")))
        QMetaObject::invokeMethod(w, "mostraGiocata", Q_ARG(qint64, id.front()));
}

void Sistemi::keyPressEvent(QKeyEvent* evento)
{
    if (!apriHelpSeF1(evento, contesto_.apriHelp, ContestoHelp, this))
        QWidget::keyPressEvent(evento);
}

}
