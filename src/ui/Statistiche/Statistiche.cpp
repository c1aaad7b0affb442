// The window Statistiche: controls and handlers; the figures come from src/statistics.
#include "ui/Statistiche/Statistiche.h"

#include "ui/Statistiche/PaginaSpia.h"
#include "ui/Statistiche/PaginaStudio.h"
#include "ui/Statistiche/PaginaTerzo.h"

#include "ui/common/CasellaData.h"
#include "ui/common/Controlli.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/RegistroFinestre.h"
#include "ui/common/Schermate.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

QDate dataDi(const archive::Archivio& a, int d)
{
    return QDate::fromString(daStd(a.DateEstrazioni[static_cast<std::size_t>(d)]), QStringLiteral("dd/MM/yyyy"));
}

int chiaveDi(const QDate& d) { return d.year() * 10000 + d.month() * 100 + d.day(); }

// The presences list: the newest first, as a player reads back from today.

// The board's ten columns: each number with its delay, coloured by its chance, sharing the width.
std::vector<ColonnaDi<statistics::RigaTabellone>> colonneTabellone()
{
    std::vector<ColonnaDi<statistics::RigaTabellone>> colonne(10);
    for (std::size_t c = 0; c < colonne.size(); ++c) {
        colonne[c].testo = [c](const statistics::RigaTabellone& r) { return daStd(statistics::testoCasella(r[c])); };
        colonne[c].sfondo = [c](const statistics::RigaTabellone& r) {
            return std::optional<grid::Colore>(statistics::sfondoCasella(r[c]));
        };
        colonne[c].allineamento = grid::Allineamento::Centro;
        colonne[c].larghezzaTwips = 1000;
    }
    return colonne;
}

}

Statistiche::Statistiche(Contesto& contesto, QWidget* genitore)
    : QWidget(genitore)
    , contesto_(contesto)
{
    setObjectName(QStringLiteral("Statistiche"));
    setWindowTitle(titolo());
    setProperty("contestoHelp", ContestoHelp);
    costruisci();
    adeguaDate(true);
    inCostruzione_ = false;
    ricalcola();
    // After SALVA, MODIFICA, ELIMINA or an update: the range keeps following the last draw when it did.
    ascolto_ = contesto_.ascoltaArchivio([this] {
        const auto& a = contesto_.sessione.archivio();
        const bool allUltima = a.NumeroEstrazioni < 1 || !Al->date().isValid() || Al->date() >= Al->maximumDate();
        adeguaDate(allUltima);
        ricalcola();
    });
}

Statistiche::~Statistiche()
{
    contesto_.smettiDiAscoltareArchivio(ascolto_);
    // A date typed and not yet confirmed is taken when its box loses the focus, which closing does:
    // no recomputation on a window half destroyed.
    Dal->blockSignals(true);
    Al->blockSignals(true);
}

void Statistiche::costruisci()
{
    QGroupBox* scelte = costruisciScelte();
    QWidget* ritardi = costruisciRitardi();
    Spia = new PaginaSpia(contesto_, this);
    Terzo = new PaginaTerzo(contesto_, this);
    Pagine = new QTabWidget(this);
    Pagine->setObjectName(QStringLiteral("Pagine"));
    Pagine->addTab(ritardi, QStringLiteral("Ritardi e frequenze"));
    Pagine->addTab(Spia, QStringLiteral("Spia"));
    Pagine->addTab(Terzo, QStringLiteral("Legge del terzo"));
    pagineDaTastiera(Pagine);
    // The sorte is the delays' own choice.
    connect(Pagine, &QTabWidget::currentChanged, this, [this](int i) { Sorte->setEnabled(i == 0); });

    auto* principale = new QVBoxLayout(this);
    principale->addWidget(scelte);
    principale->addWidget(Pagine, 1);
    resize(1000, 720);

    collega();
}

QGroupBox* Statistiche::costruisciScelte()
{
    auto* scelte = new QGroupBox(this);
    auto* g = new QGridLayout(scelte);
    g->addWidget(etichetta(QStringLiteral("LabelRuote"), QStringLiteral("Ruote"), scelte), 0, 0);
    auto* ruote = new QHBoxLayout;
    ruote->setSpacing(2);
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        auto* b = new QToolButton(scelte);
        const QString sigla = daStd(std::string(archive::SigleRuote[static_cast<std::size_t>(w)]));
        b->setObjectName(QStringLiteral("Ruota") + sigla);
        b->setText(sigla);
        b->setToolTip(daStd(std::string(archive::NomiRuote[static_cast<std::size_t>(w)])));
        b->setCheckable(true);
        b->setChecked(w == 0);
        b->setMinimumWidth(34);
        // Green is a wheel in play in every window of the program; a green button that has the
        // keyboard is framed as the others are.
        b->setStyleSheet(QStringLiteral("QToolButton:checked { background-color: #00ff00; color: black;"
                                        " border: 1px solid #808080; border-radius: 2px; padding: 2px; }"
                                        " QToolButton:checked:focus { border: 2px solid #1a4d8f; padding: 1px; }"));
        connect(b, &QToolButton::toggled, this, [this] { ricalcola(); });
        Ruota[static_cast<std::size_t>(w)] = b;
        ruote->addWidget(b);
    }
    Tutte = pulsante(QStringLiteral("Tutte"), QStringLiteral("Tutte e 11"),
                     QStringLiteral("Sceglie tutte le undici ruote, Nazionale compresa"), scelte);
    ruote->addWidget(Tutte);
    ruote->addSpacing(16);
    ruote->addWidget(etichetta(QStringLiteral("LabelSorte"), QStringLiteral("Sorte"), scelte));
    Sorte = new QComboBox(scelte);
    Sorte->setObjectName(QStringLiteral("Sorte"));
    Sorte->addItems({QStringLiteral("Estratto"), QStringLiteral("Ambo")});
    ruote->addWidget(Sorte);
    ruote->addStretch();
    g->addLayout(ruote, 0, 1);

    g->addWidget(etichetta(QStringLiteral("LabelDal"), QStringLiteral("Dal"), scelte), 1, 0);
    auto* intervallo = new QHBoxLayout;
    Dal = new CasellaData(scelte);
    Dal->setObjectName(QStringLiteral("Dal"));
    Al = new CasellaData(scelte);
    Al->setObjectName(QStringLiteral("Al"));
    for (auto* d : {Dal, Al})   // announced once the date is complete (Enter, leaving the box), not per keystroke
        connect(d, &QDateEdit::dateChanged, this, [this] { ricalcola(); });
    intervallo->addWidget(Dal);
    intervallo->addWidget(etichetta(QStringLiteral("LabelAl"), QStringLiteral("Al"), scelte));
    intervallo->addWidget(Al);
    TuttoArchivio = pulsante(QStringLiteral("TuttoArchivio"), QStringLiteral("Tutto l'archivio"),
                             QStringLiteral("Dalla prima all'ultima estrazione"), scelte);
    intervallo->addWidget(TuttoArchivio);
    intervallo->addSpacing(16);
    intervallo->addWidget(etichetta(QStringLiteral("LabelUltime"), QStringLiteral("Ultime"), scelte));
    Ultime = new QSpinBox(scelte);
    Ultime->setObjectName(QStringLiteral("Ultime"));
    Ultime->setRange(1, archive::MaxEstrazioni);
    Ultime->setValue(180);
    intervallo->addWidget(Ultime);
    intervallo->addWidget(etichetta(QStringLiteral("LabelEstrazioni"), QStringLiteral("estrazioni"), scelte));
    ImpostaUltime = pulsante(QStringLiteral("ImpostaUltime"), QStringLiteral("Imposta"),
                             QStringLiteral("Le ultime N estrazioni fino alla data Al"), scelte);
    intervallo->addWidget(ImpostaUltime);
    intervallo->addStretch();
    g->addLayout(intervallo, 1, 1);
    return scelte;
}

QHBoxLayout* Statistiche::costruisciRiepilogo()
{
    Riepilogo = etichetta(QStringLiteral("Riepilogo"), {}, this);
    QFont forte = Riepilogo->font();
    forte.setBold(true);
    Riepilogo->setFont(forte);
    CmDHelp = pulsante(QStringLiteral("CmDHelp"), QStringLiteral("?"), QStringLiteral("Help in linea"), this);
    CmDHelp->setFixedWidth(34);
    auto* riga = new QHBoxLayout;
    riga->addWidget(Riepilogo);
    // What chance alone gives, the same for every number (every pair): said once here, not in a
    // column of equal values that would sort nothing.
    LblAttesa = etichetta(QStringLiteral("LblAttesa"), {}, this);
    LblAttesa->setToolTip(QStringLiteral("La frequenza che il caso da solo darebbe a ciascun numero (ciascun ambo) nelle estrazioni contate"));
    riga->addSpacing(12);
    riga->addWidget(LblAttesa, 1);
    // The board's colours: how rarely chance alone gives a delay so long.
    auto* didascalia = etichetta(QStringLiteral("LabelLegenda"), QStringLiteral("Prob. del ritardo:"), this);
    didascalia->setToolTip(QStringLiteral("La probabilità che il caso da solo dia un ritardo almeno così lungo"));
    riga->addWidget(didascalia);
    for (const auto& c : statistics::classiRitardo()) {
        auto* l = etichetta({}, QString::fromUtf8(c.nome), this);
        l->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: black; padding: 1px 4px; }").arg(qColore(c.colore).name()));
        riga->addWidget(l);
    }
    riga->addSpacing(12);
    riga->addWidget(CmDHelp);
    // What the red of a long delay does not mean, where the colours are; and, with the pairs, that
    // the board and the chart still count single numbers.
    AvvisoRitardo = etichetta(QStringLiteral("AvvisoRitardo"), {}, this);
    AvvisoRitardo->setWordWrap(true);
    return riga;
}

QWidget* Statistiche::costruisciRitardi()
{
    auto* riga = costruisciRiepilogo();
    // The board across the window, then the table (the presences of a number under it) beside the chart.
    tabella_ = new ModelloRighe<statistics::Figura>({}, this);
    Tabella = new GrigliaView(tabella_, this);
    intestaTabella(statistics::Sorte::Estratto);
    Tabella->setObjectName(QStringLiteral("Tabella"));
    Tabella->setFisse(1, 0);
    Tabella->horizontalHeader()->setSortIndicatorShown(true);
    Tabella->setToolTip(QStringLiteral("Clic su un'intestazione: ordina; doppio clic su un numero: le sue uscite"));
    TitoloPresenze = etichetta(QStringLiteral("TitoloPresenze"), QStringLiteral("Doppio clic su un numero: le sue uscite"), this);
    TitoloPresenze->setWordWrap(true);
    std::array<int, statistics::colPresenze::Colonne> larghezze{960, 1300, 1500, 960};
    presenze_ = new ModelloRighe<statistics::RigaPresenza>(
        colonneDi<statistics::RigaPresenza>(statistics::colPresenze::Intestazione, larghezze, &statistics::testoPresenza), this);
    Presenze = new GrigliaView(presenze_, this);
    Presenze->setObjectName(QStringLiteral("Presenze"));
    Presenze->setFisse(1, 0);
    auto* sinistra = new QWidget(this);
    auto* vs = new QVBoxLayout(sinistra);
    vs->setContentsMargins(0, 0, 0, 0);
    vs->addWidget(Tabella, 3);
    vs->addWidget(TitoloPresenze);
    vs->addWidget(Presenze, 1);

    tabellone_ = new ModelloRighe<statistics::RigaTabellone>(colonneTabellone(), this);
    tabellone_->sostituisci(statistics::righeTabellone(estratti_));
    Tabellone = new GrigliaView(tabellone_, this);
    Tabellone->setObjectName(QStringLiteral("Tabellone"));
    Tabellone->setFisse(0, 0);
    Tabellone->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Tabellone->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The ten columns share the window's width.
    Tabellone->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Tabellone->setToolTip(QStringLiteral("Ogni numero con il suo ritardo; doppio clic: le sue uscite"));
    Grafico = nuovoGrafico(QStringLiteral("Grafico"), this);

    auto* divisore = new QSplitter(Qt::Horizontal, this);
    divisore->setObjectName(QStringLiteral("Divisore"));
    divisore->addWidget(sinistra);
    divisore->addWidget(Grafico);
    // The table keeps the width of its columns; the chart takes the rest.
    divisore->setStretchFactor(0, 0);
    divisore->setStretchFactor(1, 1);
    divisore->setChildrenCollapsible(false);

    // The delays are the first page; the spy and the law of thirds share the choices above.
    auto* ritardi = new QWidget(this);
    ritardi->setObjectName(QStringLiteral("PaginaRitardi"));
    auto* vr = new QVBoxLayout(ritardi);
    vr->setContentsMargins(4, 4, 4, 4);
    vr->addLayout(riga);
    vr->addWidget(AvvisoRitardo);
    vr->addWidget(Tabellone);
    vr->addWidget(divisore, 1);
    return ritardi;
}

void Statistiche::collega()
{
    connect(Tutte, &QPushButton::clicked, this, &Statistiche::tutteLeRuote);
    connect(Sorte, &QComboBox::currentIndexChanged, this, [this] { ricalcola(); });
    connect(TuttoArchivio, &QPushButton::clicked, this, &Statistiche::tuttoLArchivio);
    connect(ImpostaUltime, &QPushButton::clicked, this, &Statistiche::impostaUltime);
    // Enter in "Ultime" applies the number typed, as Imposta does.
    if (auto* campo = Ultime->findChild<QLineEdit*>())
        connect(campo, &QLineEdit::returnPressed, this, &Statistiche::impostaUltime);
    connect(CmDHelp, &QPushButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(ContestoHelp, this);
    });
    connect(Tabella, &GrigliaView::clic, this, [this](int r, int c) {
        if (r == 0)
            ordinaPer(c);
    });
    const auto voceDellaTabella = [this](int r, int) {
        if (r < 1 || r > static_cast<int>(ordine_.size()))
            return;
        const auto& f = risultati_.figure[static_cast<std::size_t>(ordine_[static_cast<std::size_t>(r - 1)])];
        mostraPresenze(f.primo, f.secondo);
    };
    connect(Tabella, &GrigliaView::doppioClic, this, voceDellaTabella);
    connect(Tabella, &GrigliaView::attivata, this, voceDellaTabella);
    const auto numeroDelTabellone = [this](int r, int c) {
        if (r >= 0 && r < 9 && c >= 0 && c < 10)
            mostraPresenze(statistics::numeroDelTabellone(r, c));
    };
    connect(Tabellone, &GrigliaView::doppioClic, this, numeroDelTabellone);
    connect(Tabellone, &GrigliaView::attivata, this, numeroDelTabellone);
    const auto estrazioneDellaPresenza = [this](int r, int) {
        if (r < 1 || r > presenze_->rowCount())
            return;
        const statistics::Presenza& p = presenze_->riga(r - 1).presenza;
        if (!mostraNelMiniElenco(contesto_, p.estrazione, numeriPresenze_, p.ruote))
            TitoloPresenze->setText(TitoloPresenze->text() + QStringLiteral(" (il mini elenco non si può aprire)"));
    };
    connect(Presenze, &GrigliaView::doppioClic, this, estrazioneDellaPresenza);
    connect(Presenze, &GrigliaView::attivata, this, estrazioneDellaPresenza);
}

void Statistiche::adeguaDate(bool seguiFine)
{
    const auto& a = contesto_.sessione.archivio();
    const QSignalBlocker b1(Dal), b2(Al);
    if (a.NumeroEstrazioni < 1)
        return;
    const QDate prima = dataDi(a, 1), ultima = dataDi(a, a.NumeroEstrazioni);
    const bool primaApertura = !Dal->property("aperta").toBool();
    for (auto* d : {Dal, Al})
        d->setDateRange(prima, ultima);
    if (primaApertura) {
        Dal->setDate(prima);
        Al->setDate(ultima);
        Dal->setProperty("aperta", true);
    } else if (seguiFine) {
        Al->setDate(ultima);
    }
    Ultime->setMaximum(a.NumeroEstrazioni);
}

void Statistiche::tutteLeRuote()
{
    for (auto* b : Ruota) {
        const QSignalBlocker blocco(b);
        b->setChecked(true);
    }
    ricalcola();
}

void Statistiche::tuttoLArchivio()
{
    {
        const QSignalBlocker b1(Dal), b2(Al);
        Dal->setDate(Dal->minimumDate());
        Al->setDate(Al->maximumDate());
    }
    ricalcola();
}

void Statistiche::impostaUltime()
{
    const auto& a = contesto_.sessione.archivio();
    const auto fine = statistics::estrazioniFraDate(a, 0, chiaveDi(Al->date()));
    if (!fine) {
        svuota(QStringLiteral("Nessuna estrazione fino alla data Al"));
        return;
    }
    const int inizio = std::max(1, fine->second - Ultime->value() + 1);
    {
        const QSignalBlocker blocco(Dal);
        Dal->setDate(dataDi(a, inizio));
    }
    ricalcola();
}

void Statistiche::svuota(const QString& motivo)
{
    risultati_ = {};
    estratti_ = {};
    classi_.clear();
    ordine_.clear();
    intestaTabella(Sorte->currentIndex() == 1 ? statistics::Sorte::Ambo : statistics::Sorte::Estratto);
    tabella_->svuota();
    tabellone_->sostituisci(statistics::righeTabellone(estratti_));
    presenze_->svuota();
    Riepilogo->setText(motivo);
    LblAttesa->clear();
    aggiornaGrafico();
    Spia->svuota(motivo);
    Terzo->svuota(motivo);
}

void Statistiche::ricalcola()
{
    if (inCostruzione_)
        return;
    const auto& a = contesto_.sessione.archivio();
    if (a.NumeroEstrazioni < 1) {
        svuota(QStringLiteral("L'archivio non contiene estrazioni"));
        return;
    }
    statistics::Parametri p;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        p.ruote[static_cast<std::size_t>(w)] = Ruota[static_cast<std::size_t>(w)]->isChecked();
    if (std::none_of(p.ruote.begin(), p.ruote.end(), [](bool s) { return s; })) {
        svuota(QStringLiteral("Selezionare almeno una ruota"));
        return;
    }
    if (Dal->date() > Al->date()) {
        svuota(QStringLiteral("La data Dal segue la data Al: nessuna estrazione"));
        return;
    }
    const auto estremi = statistics::estrazioniFraDate(a, chiaveDi(Dal->date()), chiaveDi(Al->date()));
    if (estremi) {
        p.dal = estremi->first;
        p.al = estremi->second;
        estratti_ = statistics::calcolaStatistiche(a, p);
    }
    if (!estremi || estratti_.T() == 0) {
        svuota(QStringLiteral("Nessuna estrazione delle ruote scelte fra le date scelte"));
        return;
    }
    p.sorte = Sorte->currentIndex() == 1 ? statistics::Sorte::Ambo : statistics::Sorte::Estratto;
    AvvisoRitardo->setText(
        QStringLiteral("Un ritardo lungo non rende un numero \"maturo\": ogni estrazione è indipendente dalle precedenti e "
                       "ogni numero ha sempre la stessa probabilità di uscire.")
        + (p.sorte == statistics::Sorte::Ambo
               ? QStringLiteral(" Tabellone e grafico mostrano i ritardi dei numeri singoli; la tabella quelli degli ambi.")
               : QString()));
    risultati_ = p.sorte == statistics::Sorte::Estratto ? estratti_ : statistics::calcolaStatistiche(a, p);
    classi_ = statistics::distribuzioneRitardi(estratti_, 10);

    Riepilogo->setText(daStd(statistics::riepilogo(a, risultati_)));
    LblAttesa->setText(QStringLiteral("Attesa di ogni %1: %2")
                           .arg(p.sorte == statistics::Sorte::Ambo ? QStringLiteral("ambo") : QStringLiteral("numero"),
                                daStd(statistics::conVirgola(risultati_.figure.front().attesa, 1))));
    scriviTabella();
    tabellone_->sostituisci(statistics::righeTabellone(estratti_));
    Tabellone->setFixedHeight(9 * Tabellone->verticalHeader()->defaultSectionSize() + 2 * Tabellone->frameWidth());
    presenze_->svuota();
    TitoloPresenze->setText(QStringLiteral("Doppio clic su un numero: le sue uscite"));
    aggiornaGrafico();
    Spia->imposta(p.ruote, p.dal, p.al);
    Terzo->imposta(p.ruote, p.dal, p.al);
}

void Statistiche::scriviTabella()
{
    ordine_ = statistics::ordina(risultati_, colonnaOrdine_, decrescente_);
    intestaTabella(risultati_.parametri.sorte);
    std::vector<statistics::Figura> righe;
    righe.reserve(ordine_.size());
    for (int i : ordine_)
        righe.push_back(risultati_.figure[static_cast<std::size_t>(i)]);
    tabella_->sostituisci(std::move(righe));
    int larghezza = 2 * Tabella->frameWidth() + Tabella->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < statistics::NumeroColonne; ++c)
        larghezza += Tabella->columnWidth(c);
    // The table keeps all its columns in view; the board and the chart share what is left.
    Tabella->setMinimumWidth(larghezza);
    Tabella->horizontalHeader()->setSortIndicator(colonnaOrdine_, decrescente_ ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void Statistiche::intestaTabella(statistics::Sorte sorte)
{
    const std::string titoli = statistics::intestazione(sorte);
    if (tabella_->columnCount() == 0 || tabella_->colonna(0).intestazione != QString::fromStdString(titoli.substr(0, titoli.find('|'))))
        tabella_->setColonne(colonneTabella(titoli));
    Tabella->aggiorna();
    // Only the view leaves Attesa out (LblAttesa says it once): the table's text, its copy and its CSV
    // keep the column as velmora-cli writes it.
    Tabella->setColumnHidden(statistics::ColAttesa, true);
}

std::vector<ColonnaDi<statistics::Figura>> Statistiche::colonneTabella(const std::string& titoli)
{
    // Narrow columns: each still widens to its header text.
    std::array<int, statistics::NumeroColonne> larghezze;
    larghezze.fill(750);
    larghezze[statistics::ColNumero] = 810;
    larghezze[statistics::ColProb] = 900;
    auto colonne = colonneDi<statistics::Figura>(titoli, larghezze, &statistics::testoCella, grid::Allineamento::Destra);
    colonne[statistics::ColNumero].allineamento = grid::Allineamento::Sinistra;
    colonne[statistics::ColProb].sfondo = [](const statistics::Figura& f) { return std::optional(statistics::coloreRitardo(f.prob)); };
    return colonne;
}

void Statistiche::ordinaPer(int colonna)
{
    if (colonna < 0 || colonna >= statistics::NumeroColonne)
        return;
    const auto c = static_cast<statistics::Colonna>(colonna);
    if (c == colonnaOrdine_) {
        decrescente_ = !decrescente_;
    } else {
        colonnaOrdine_ = c;
        decrescente_ = c != statistics::ColNumero;
    }
    scriviTabella();
}

void Statistiche::mostraPresenze(int primo, int secondo)
{
    const auto& a = contesto_.sessione.archivio();
    // The board is the single numbers: a number double-clicked there is a number, whatever the sorte.
    const statistics::Statistiche& s = secondo == 0 ? estratti_ : risultati_;
    if (s.T() == 0)
        return;
    const auto elenco = statistics::presenze(a, s, primo, secondo);
    statistics::Figura voce;
    voce.primo = primo;
    voce.secondo = secondo;
    const QString nome = daStd(statistics::testoVoce(voce));
    presenze_->sostituisci(statistics::righePresenze(a, elenco));
    numeriPresenze_ = secondo == 0 ? std::vector<int>{primo} : std::vector<int>{primo, secondo};
    if (elenco.empty()) {
        TitoloPresenze->setText(QStringLiteral("%1: nessuna uscita nelle estrazioni contate").arg(nome));
        return;
    }
    TitoloPresenze->setText(QStringLiteral("%1: %2 uscite (doppio clic: l'estrazione nel mini elenco)").arg(nome).arg(elenco.size()));
    if (!mostraNelMiniElenco(contesto_, elenco.back().estrazione, numeriPresenze_, elenco.back().ruote))
        TitoloPresenze->setText(TitoloPresenze->text() + QStringLiteral(" (il mini elenco non si può aprire)"));
}

void Statistiche::keyPressEvent(QKeyEvent* evento)
{
    const QWidget* pagina = Pagine->currentWidget();
    const int contesto = pagina == Spia ? PaginaSpia::ContestoHelp : pagina == Terzo ? PaginaTerzo::ContestoHelp : ContestoHelp;
    if (!apriHelpSeF1(evento, contesto_.apriHelp, contesto, this))
        QWidget::keyPressEvent(evento);
}

void registraStatistiche()
{
    const QString nome = QStringLiteral("Statistiche");
    registroFinestre().registra(nome, [](Contesto& c) -> QWidget* { return new Statistiche(c); });
    registraSchermata(QStringLiteral("Statistiche_ambi"), nome, [](QWidget* w) {
        auto* f = qobject_cast<Statistiche*>(w);
        if (!f)
            return;
        f->tutteLeRuote();
        if (auto* sorte = f->findChild<QComboBox*>(QStringLiteral("Sorte")))
            sorte->setCurrentIndex(1);
    });
    // The two study pages on a player's screen: the spy 27 and its followers on Bari, the law of thirds on every wheel.
    const auto pagina = [](int indice) {
        return [indice](QWidget* w) {
            auto* f = qobject_cast<Statistiche*>(w);
            if (!f)
                return;
            if (indice == 2)
                f->tutteLeRuote();
            if (auto* pagine = f->findChild<QTabWidget*>(QStringLiteral("Pagine")))
                pagine->setCurrentIndex(indice);
        };
    };
    registraSchermata(QStringLiteral("Statistiche_spia"), nome, pagina(1), 1366, 768);
    registraSchermata(QStringLiteral("Statistiche_terzo"), nome, pagina(2), 1366, 768);
}

}
