// The window Giocate: controls and handlers; the prizes, the checks and the table live in src/plays.
#include "ui/Giocate/Giocate.h"

#include "plays/ArchivioGiocate.h"
#include "plays/GrigliaGiocate.h"
#include "regole/Data.h"
#include "regole/Premi.h"
#include "storage/Database.h"
#include "ui/Giocate/Colonne.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/Tabelloni.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

const QString Titolo = QStringLiteral("Giocate");
constexpr int ColpiPredefiniti = 8;

QString q(const std::string& s) { return QString::fromStdString(s); }

// FgGiocate's columns: the texts of plays::testoElenco, its colours and bold from the row's state.
std::vector<ColonnaDi<plays::RigaElenco>> colonneElenco(const grid::Colore& vincente)
{
    using plays::RigaElenco;
    std::vector<ColonnaDi<RigaElenco>> colonne(plays::colonneGiocate::Quante);
    for (int c = 0; c < plays::colonneGiocate::Quante; ++c) {
        auto& col = colonne[static_cast<std::size_t>(c)];
        col.intestazione = QString::fromUtf8(plays::TitoliGiocate[static_cast<std::size_t>(c)]);
        col.testo = [c](const RigaElenco& r) { return q(plays::testoElenco(r, c)); };
        col.allineamento = plays::allineataADestra(c) ? grid::Allineamento::Destra : grid::Allineamento::Sinistra;
        col.larghezzaTwips = giocate::LarghezzeGiocate[static_cast<std::size_t>(c)];
        col.sfondo = [vincente](const RigaElenco& r) { return plays::vintaElenco(r) ? std::optional(vincente) : std::nullopt; };
    }
    colonne[plays::colonneGiocate::Saldo].coloreTesto = [](const RigaElenco& r) {
        return plays::inPerditaElenco(r) ? std::optional(grid::colori::Rosso) : std::nullopt;
    };
    for (int c : {plays::colonneGiocate::Numero, plays::colonneGiocate::Numeri})
        colonne[static_cast<std::size_t>(c)].grassetto = [](const RigaElenco& r) { return r.sistema(); };
    return colonne;
}

}

// FgVincite's columns: the cells of plays' win writer; the play's N° kept for copies, hidden (the label above names the play).
std::vector<ColonnaDi<Giocate::RigaVincita>> Giocate::colonneVincite()
{
    std::vector<ColonnaDi<RigaVincita>> colonne(plays::colonneVincite::Quante);
    for (int c = 0; c < plays::colonneVincite::Quante; ++c) {
        auto& col = colonne[static_cast<std::size_t>(c)];
        col.intestazione = QString::fromUtf8(plays::TitoliVincite[static_cast<std::size_t>(c)]);
        col.testo = [c](const RigaVincita& r) { return q(plays::celleVincita(r.giocata, r.vincita)[static_cast<std::size_t>(c)]); };
        col.allineamento = plays::allineataADestraVincite(c) ? grid::Allineamento::Destra : grid::Allineamento::Sinistra;
        col.larghezzaTwips = giocate::LarghezzeVincite[static_cast<std::size_t>(c)];
    }
    colonne[plays::colonneVincite::Giocata].nascosta = true;
    return colonne;
}

Giocate::Giocate(Contesto& contesto, QWidget* genitore) : QWidget(genitore), contesto_(contesto)
{
    setObjectName(QStringLiteral("Giocate"));
    setWindowTitle(Titolo);
    setProperty("contestoHelp", ContestoHelp);
    // Built in this order, which is also the order of the Tab key.
    auto* comandi = costruisciElenco();
    QGroupBox* modulo = costruisciModulo();
    costruisciPaghe(comandi);
    disponi(comandi, modulo);
    caricaPaghe();
    CmdNuova();
    ricarica();
    // Every column of the list in sight when the screen has room.
    int larghezza = FgGiocate->verticalHeader()->sizeHint().width() + 2 * FgGiocate->frameWidth() + 20;
    for (int c = 0; c < FgGiocate->model()->columnCount(); ++c)
        larghezza += FgGiocate->columnWidth(c);
    FgGiocate->setLarghezzaPreferita(larghezza);
    chiaveArchivio_ = contesto_.ascoltaArchivio([this] { archivioCambiato(); });
    // Wins that came out while the window was closed are told once it is on the screen.
    QTimer::singleShot(0, this, &Giocate::annunciaNuoveVincite);
}

QHBoxLayout* Giocate::costruisciElenco()
{
    elenco_ = new ModelloRighe<plays::RigaElenco>(colonneElenco(plays::ColoreVincente), this);
    FgGiocate = new GrigliaView(elenco_, this);
    FgGiocate->setObjectName(QStringLiteral("FgGiocate"));
    FgGiocate->setSelectionBehavior(QAbstractItemView::SelectRows);
    FgGiocate->setSelectionMode(QAbstractItemView::SingleSelection);
    vincite_ = new ModelloRighe<RigaVincita>(colonneVincite(), this);
    FgVincite = new GrigliaView(vincite_, this);
    FgVincite->setObjectName(QStringLiteral("FgVincite"));
    LblTotali = etichetta(QStringLiteral("LblTotali"), {}, this);
    LblVincite = etichetta(QStringLiteral("LblVincite"), QStringLiteral("Vincite della giocata selezionata"), this);
    LblVincite->setWordWrap(true);   // a ticket of a system adds its system's figures
    auto* CmdNuovaBtn = pulsante(QStringLiteral("CmdNuova"), QStringLiteral("&Nuova"), QStringLiteral("Svuota il modulo per una nuova giocata"), this);
    auto* CmdEliminaBtn = pulsante(QStringLiteral("CmdElimina"), QStringLiteral("&Elimina"), QStringLiteral("Elimina la giocata selezionata"), this);
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(CmdNuovaBtn);
    comandi->addWidget(CmdEliminaBtn);
    comandi->addStretch();

    connect(FgGiocate, &GrigliaView::clic, this, [this](int r, int) { selezionaGiocata(r); });
    // From the keyboard: the arrows move, Space or Enter selects (as a click does).
    connect(FgGiocate, &GrigliaView::attivata, this, [this](int r, int) { selezionaGiocata(r); });
    connect(CmdNuovaBtn, &QPushButton::clicked, this, &Giocate::CmdNuova);
    connect(CmdEliminaBtn, &QPushButton::clicked, this, &Giocate::CmdElimina);
    return comandi;
}

QGroupBox* Giocate::costruisciModulo()
{
    auto* modulo = new QGroupBox(QStringLiteral("Giocata"), this);
    modulo->setObjectName(QStringLiteral("Modulo"));
    numeriScelti_ = tabelloneNumeri(480, contesto_.colori.selezione, contesto_.colori.normale);
    FgNumeri = new GrigliaView(numeriScelti_, modulo);
    FgNumeri->setObjectName(QStringLiteral("FgNumeri"));
    dimensioniEsatte(FgNumeri, 9);
    ruoteScelte_ = tabelloneRuote(480, contesto_.colori.selezione, contesto_.colori.normale);
    FgRuote = new GrigliaView(ruoteScelte_, modulo);
    FgRuote->setObjectName(QStringLiteral("FgRuote"));
    dimensioniEsatte(FgRuote, 1);
    LblNumeri = etichetta(QStringLiteral("LblNumeri"), {}, modulo);
    auto* CmdTutteBtn = pulsante(QStringLiteral("CmdTutte"), QStringLiteral("&Tutte e 10"),
                                 QStringLiteral("Le dieci ruote regionali (Nazionale esclusa)"), modulo);
    auto* campi = new QGridLayout;
    for (int s = 0; s < plays::NumeroSorti; ++s) {
        TxtPosta[static_cast<std::size_t>(s)] = new QLineEdit(modulo);
        TxtPosta[static_cast<std::size_t>(s)]->setObjectName(QStringLiteral("TxtPosta(%1)").arg(s + 1));
        TxtPosta[static_cast<std::size_t>(s)]->setPlaceholderText(QStringLiteral("0"));
        TxtPosta[static_cast<std::size_t>(s)]->setMaximumWidth(70);
        campi->addWidget(new QLabel(q(std::string(plays::NomiSorti[static_cast<std::size_t>(s)])), modulo), 0, s);
        campi->addWidget(TxtPosta[static_cast<std::size_t>(s)], 1, s);
    }
    TxtDal = new QLineEdit(modulo);
    TxtDal->setObjectName(QStringLiteral("TxtDal"));
    TxtDal->setToolTip(QStringLiteral("La prima estrazione giocata (GG/MM/AAAA): se quel giorno non c'è estrazione, la prima successiva"));
    TxtDal->setMaximumWidth(100);
    TxtColpi = new QSpinBox(modulo);
    TxtColpi->setObjectName(QStringLiteral("TxtColpi"));
    TxtColpi->setRange(1, 9999);
    ChPrimaVincita = new QCheckBox(QStringLiteral("fino alla prima vincita"), modulo);
    ChPrimaVincita->setObjectName(QStringLiteral("ChPrimaVincita"));
    TxtNote = new QLineEdit(modulo);
    TxtNote->setObjectName(QStringLiteral("TxtNote"));
    auto* CmdAggiungiBtn = pulsante(QStringLiteral("CmdAggiungi"), QStringLiteral("&Aggiungi"), QStringLiteral("Aggiunge il modulo come nuova giocata"), modulo);
    auto* CmdSalvaBtn = pulsante(QStringLiteral("CmdSalvaModifiche"), QStringLiteral("&Salva modifiche"),
                                 QStringLiteral("Riscrive la giocata selezionata con il modulo"), modulo);
    auto* lm = new QVBoxLayout(modulo);
    lm->addWidget(LblNumeri);
    lm->addWidget(FgNumeri);
    auto* filaRuote = new QHBoxLayout;
    filaRuote->addWidget(FgRuote);
    filaRuote->addWidget(CmdTutteBtn);
    filaRuote->addStretch();
    lm->addLayout(filaRuote);
    lm->addWidget(new QLabel(QStringLiteral("Poste in euro (per estrazione, su tutte le ruote giocate)"), modulo));
    lm->addLayout(campi);
    auto* filaDal = new QHBoxLayout;
    filaDal->addWidget(new QLabel(QStringLiteral("Dal"), modulo));
    filaDal->addWidget(TxtDal);
    filaDal->addWidget(new QLabel(QStringLiteral("Colpi"), modulo));
    filaDal->addWidget(TxtColpi);
    filaDal->addWidget(ChPrimaVincita);
    filaDal->addStretch();
    lm->addLayout(filaDal);
    auto* filaNote = new QHBoxLayout;
    filaNote->addWidget(new QLabel(QStringLiteral("Note"), modulo));
    filaNote->addWidget(TxtNote, 1);
    lm->addLayout(filaNote);
    auto* filaComandi = new QHBoxLayout;
    filaComandi->addWidget(CmdAggiungiBtn);
    filaComandi->addWidget(CmdSalvaBtn);
    filaComandi->addStretch();
    lm->addLayout(filaComandi);

    connect(FgNumeri, &GrigliaView::clic, this, [this](int r, int c) { commutaNumero(r * 10 + c + 1); });
    connect(FgNumeri, &GrigliaView::attivata, this, [this](int r, int c) { commutaNumero(r * 10 + c + 1); });
    connect(FgRuote, &GrigliaView::clic, this, [this](int, int c) { commutaRuota(c); });
    connect(FgRuote, &GrigliaView::attivata, this, [this](int, int c) { commutaRuota(c); });
    connect(CmdTutteBtn, &QPushButton::clicked, this, &Giocate::CmdTutte);
    connect(CmdAggiungiBtn, &QPushButton::clicked, this, &Giocate::CmdAggiungi);
    connect(CmdSalvaBtn, &QPushButton::clicked, this, &Giocate::CmdSalvaModifiche);
    return modulo;
}

void Giocate::costruisciPaghe(QHBoxLayout* comandi)
{
    // One row, the payouts and the levy in force; a typed value is checked, then saved (pagamentoModificato).
    auto colonne = colonneDi<plays::Tariffe>(plays::IntestazioneTariffe, giocate::LarghezzeTariffe, &plays::testoTariffa,
                                             grid::Allineamento::Destra);
    for (int c = 0; c <= plays::ColonnaRitenuta; ++c)
        colonne[static_cast<std::size_t>(c)].modifica = [this, c](plays::Tariffe& t, const QString& testo) {
            if (const auto v = plays::leggiValoreTariffa(c, testo.toStdString())) {
                t = plays::conValore(t, c, *v);
                return true;
            }
            avviso(c == plays::ColonnaRitenuta
                       ? QStringLiteral("La ritenuta è una percentuale da 0 a meno di 100, al più con due decimali.")
                       : QStringLiteral("La paga è un importo maggiore di zero e fino a 100000000 euro per 1 euro giocato, al più con due decimali."),
                   Icona::Esclamazione);
            return false;
        };
    pagamenti_ = new ModelloRighe<plays::Tariffe>(std::move(colonne));
    FgPagamenti = new GrigliaView(pagamenti_, this);
    FgPagamenti->setObjectName(QStringLiteral("FgPagamenti"));
    FgPagamenti->setToolTip(QStringLiteral("Quanto paga il Lotto per 1 euro giocato e la ritenuta sulle vincite: si scrivono nella cella (F2)"));
    FgPagamenti->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgPagamenti->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* CmdLegge = pulsante(QStringLiteral("CmdValoriDiLegge"), QStringLiteral("&Valori di legge"),
                              QStringLiteral("Rimette le paghe e la ritenuta di legge"), this);
    comandi->addWidget(etichetta(QStringLiteral("LblPagamenti"), QStringLiteral("Paghe per 1 euro:"), this));
    comandi->addWidget(FgPagamenti);
    comandi->addWidget(CmdLegge);

    connect(FgPagamenti, &GrigliaView::cellaModificata, this, &Giocate::pagamentoModificato);
    connect(CmdLegge, &QPushButton::clicked, this, &Giocate::CmdValoriDiLegge);
}

void Giocate::disponi(QHBoxLayout* comandi, QGroupBox* modulo)
{
    auto* testa = new QHBoxLayout;
    testa->addWidget(etichetta(QStringLiteral("LblGiocate"), QStringLiteral("<b>Le giocate</b>"), this));
    testa->addWidget(LblTotali, 1);
    // The list above at full width; the wins and the form below it.
    modulo->setFixedWidth(modulo->sizeHint().width());
    auto* sotto = new QHBoxLayout;
    auto* vincite = new QVBoxLayout;
    vincite->addWidget(LblVincite);
    vincite->addWidget(FgVincite, 1);
    sotto->addLayout(vincite, 1);
    sotto->addWidget(modulo, 0, Qt::AlignTop);
    auto* principale = new QVBoxLayout(this);
    principale->addLayout(testa);
    principale->addWidget(FgGiocate, 1);
    principale->addLayout(comandi);
    principale->addLayout(sotto, 1);
}

void Giocate::caricaPaghe()
{
    std::vector<std::string> illeggibili;
    try {
        tariffe_ = plays::leggiTariffe(contesto_.sessione.dbProgramma(), &illeggibili);
    } catch (const std::exception&) {
        tariffe_ = {};   // told by ricarica, which reads the same database
    }
    // Said once, when the window is on the screen: the prizes shown rest on the values put instead.
    if (!illeggibili.empty()) {
        QStringList righe;
        for (const auto& r : illeggibili)
            righe << q(r);
        QTimer::singleShot(0, this, [this, righe] {
            avviso(QStringLiteral("Alcune paghe del database del programma non si possono leggere:\n%1.").arg(righe.join(QStringLiteral(";\n"))),
                   Icona::Esclamazione);
        });
    }
    pagamenti_->sostituisci({tariffe_});
    FgPagamenti->verticalHeader()->hide();
    int larghezzaPaghe = 2 * FgPagamenti->frameWidth();
    for (int c = 0; c <= plays::ColonnaRitenuta; ++c)
        larghezzaPaghe += FgPagamenti->columnWidth(c);
    FgPagamenti->setFixedSize(larghezzaPaghe, FgPagamenti->horizontalHeader()->sizeHint().height()
                                                  + FgPagamenti->verticalHeader()->defaultSectionSize() + 2 * FgPagamenti->frameWidth());
}

Giocate::~Giocate()
{
    contesto_.smettiDiAscoltareArchivio(chiaveArchivio_);
    // The payouts' cells speak through this window (avviso): their view goes first.
    delete FgPagamenti;
    delete FgNumeri;
    delete FgRuote;
}

void Giocate::avviso(const QString& testo, Icona icona)
{
    contesto_.dialoghi.messaggio(this, testo, Titolo, icona);
}

int Giocate::rigaSelezionata() const
{
    return scelta_ >= 1 && scelta_ <= static_cast<int>(giocate_.size()) ? scelta_ : 0;
}

void Giocate::ricarica()
{
    const std::int64_t selezionata = rigaSelezionata() ? giocate_[static_cast<std::size_t>(rigaSelezionata() - 1)].id : 0;
    int illeggibili = 0;
    try {
        giocate_ = plays::leggiGiocate(contesto_.sessione.dbProgramma(), &illeggibili);
    } catch (const std::exception& e) {
        giocate_.clear();
        avviso(QStringLiteral("Impossibile leggere le giocate: %1").arg(q(e.what())), Icona::Critica);
    }
    const auto& a = contesto_.sessione.archivio();
    esiti_.clear();
    // Only the sums of each play are kept: a selected play's wins are worked out again when shown.
    for (const auto& g : giocate_)
        esiti_.push_back(plays::verificaGiocata(g, a, tariffe_, [](const plays::Vincita&) {}));
    scriviElenco();
    const QString quante = giocate_.size() == 1 ? QStringLiteral("1 giocata") : QStringLiteral("%1 giocate").arg(giocate_.size());
    QString totali;
    try {
        const auto t = plays::totaliGiocate(esiti_);
        totali = QStringLiteral("%1; spesa %2, vinto (netto) %3, saldo %4 euro")
                     .arg(quante, q(plays::testoEuro(t.spesa)), q(plays::testoEuro(t.vinto)), q(plays::testoEuro(t.saldo())));
    } catch (const plays::ImportoFuoriScala& e) {
        totali = QStringLiteral("%1; totali non mostrati: %2. Ridurre le paghe o le poste.").arg(quante, q(e.what()));
    }
    if (illeggibili > 0)
        totali += QStringLiteral(" (%1 righe della tabella Giocate non sono giocate e non sono mostrate)").arg(illeggibili);
    LblTotali->setText(totali);
    int scelta = 0;
    for (std::size_t i = 0; i < giocate_.size(); ++i)
        if (giocate_[i].id == selezionata)
            scelta = static_cast<int>(i) + 1;
    if (scelta) {
        selezionaIndice(scelta - 1);
    } else {
        scelta_ = 0;
        vincite_->svuota();
        LblVincite->setText(QStringLiteral("Vincite della giocata selezionata"));
    }
}

void Giocate::mostraGiocata(qint64 id)
{
    ricarica();
    for (std::size_t i = 0; i < giocate_.size(); ++i)
        if (giocate_[i].id == id)
            selezionaIndice(static_cast<int>(i));
}

void Giocate::scriviElenco()
{
    // Rows change meaning (a system opened or closed): the selection is set again by the caller.
    FgGiocate->clearSelection();
    elenco_->sostituisci(plays::righeElenco(giocate_, esiti_, aperti_));
}

grid::Grid Giocate::grigliaGiocate() const { return elenco_->testoTabella(); }

grid::Grid Giocate::grigliaVincite() const { return vincite_->testoTabella(); }

void Giocate::selezionaGiocata(int riga)
{
    if (riga < 1 || riga > elenco_->rowCount())
        return;
    const plays::RigaGiocate r = elenco_->riga(riga - 1).posto;
    if (r.giocata >= 0)
        return selezionaIndice(r.giocata);
    if (!aperti_.erase(r.gruppo))
        aperti_.insert(r.gruppo);
    scriviElenco();
    // The selected play, if it was a ticket just hidden, stays selected but out of sight.
    for (int k = 0; k < elenco_->rowCount(); ++k)
        if (elenco_->riga(k).posto.giocata >= 0 && elenco_->riga(k).posto.giocata == scelta_ - 1)
            FgGiocate->selectRow(k);
}

void Giocate::selezionaIndice(int indice)
{
    if (indice < 0 || indice >= static_cast<int>(giocate_.size()))
        return;
    const auto& g = giocate_[static_cast<std::size_t>(indice)];
    // A ticket of a closed system: the system opens to show it.
    if (g.gruppo > 0 && aperti_.insert(g.gruppo).second)
        scriviElenco();
    scelta_ = indice + 1;
    for (int k = 0; k < elenco_->rowCount(); ++k)
        if (elenco_->riga(k).posto.giocata == indice)
            FgGiocate->selectRow(k);
    // Only the sums are kept in the list: the selected play's wins are worked out again.
    const auto e = plays::verificaGiocata(g, contesto_.sessione.archivio(), tariffe_);
    std::vector<RigaVincita> vincite;
    vincite.reserve(e.vincite.size());
    for (const auto& v : e.vincite)
        vincite.push_back({g.id, v});
    vincite_->sostituisci(std::move(vincite));
    QString testo;
    try {
        testo = e.vincite.empty() ? QStringLiteral("Giocata N° %1: nessuna vincita in %2 colpi").arg(g.id).arg(e.colpiGiocati)
                                  : QStringLiteral("Giocata N° %1: %2 vincite, lordo %3, netto %4 euro")
                                        .arg(g.id)
                                        .arg(e.vincite.size())
                                        .arg(q(plays::testoEuro(e.lordo.centesimi())), q(plays::testoEuro(e.vinto())));
    } catch (const plays::ImportoFuoriScala& errore) {
        testo = QStringLiteral("Giocata N° %1: %2 vincite, somme non mostrate: %3").arg(g.id).arg(e.vincite.size()).arg(q(errore.what()));
    }
    // A ticket of a system: the whole system's figures beside its own.
    if (g.gruppo > 0) {
        try {
            const auto t = plays::totaliGruppo(giocate_, esiti_, g.gruppo);
            testo += QStringLiteral(" — sistema N° %1 (%2 biglietti): spesa %3, vinto (netto) %4, saldo %5 euro")
                         .arg(g.gruppo)
                         .arg(t.giocate)
                         .arg(q(plays::testoEuro(t.spesa)), q(plays::testoEuro(t.vinto)), q(plays::testoEuro(t.saldo())));
        } catch (const plays::ImportoFuoriScala& errore) {
            testo += QStringLiteral(" — sistema N° %1: somme non mostrate: %2").arg(g.gruppo).arg(q(errore.what()));
        }
    }
    LblVincite->setText(testo);
    mostraForm(g);
}

void Giocate::mostraForm(const plays::Giocata& g)
{
    numeri_ = {};
    ordineNumeri_ = g.numeri;
    for (int n : g.numeri)
        numeri_[static_cast<std::size_t>(n)] = true;
    ruote_ = g.ruote;
    for (int s = 0; s < plays::NumeroSorti; ++s) {
        const plays::Centesimi p = g.poste[static_cast<std::size_t>(s)];
        TxtPosta[static_cast<std::size_t>(s)]->setText(p == 0 ? QString() : q(plays::testoEuro(p)));
    }
    TxtDal->setText(q(g.dal));
    TxtColpi->setValue(g.colpi);
    ChPrimaVincita->setChecked(g.finoAllaPrimaVincita);
    TxtNote->setText(q(g.note));
    mostraBoard();
    mostraRuote();
}

void Giocate::mostraBoard()
{
    scegliNumeri(*numeriScelti_, ordineNumeri_);
    LblNumeri->setText(ordineNumeri_.empty() ? QStringLiteral("Numeri: un clic sulla tabella (al più 10)")
                                             : QStringLiteral("Numeri: %1").arg(q(plays::testoNumeri(ordineNumeri_))));
}

void Giocate::mostraRuote()
{
    scegliRuote(*ruoteScelte_, ruote_);
}

void Giocate::commutaNumero(int n)
{
    if (n < 1 || n > 90)
        return;
    auto& scelto = numeri_[static_cast<std::size_t>(n)];
    if (scelto) {
        ordineNumeri_.erase(std::remove(ordineNumeri_.begin(), ordineNumeri_.end(), n), ordineNumeri_.end());
    } else if (ordineNumeri_.size() >= plays::MassimoNumeri) {
        avviso(QStringLiteral("Si giocano al più 10 numeri: togliere prima un numero."), Icona::Esclamazione);
        return;
    } else {
        ordineNumeri_.push_back(n);
    }
    scelto = !scelto;
    mostraBoard();
}

void Giocate::commutaRuota(int w)
{
    if (w < 0 || w >= archive::NumeroRuote)
        return;
    ruote_[static_cast<std::size_t>(w)] = !ruote_[static_cast<std::size_t>(w)];
    mostraRuote();
}

void Giocate::CmdTutte()
{
    for (int w = 0; w < archive::NumeroRuote; ++w)
        ruote_[static_cast<std::size_t>(w)] = w < archive::NumeroRuote - 1;
    mostraRuote();
}

void Giocate::CmdNuova()
{
    plays::Giocata g;
    g.poste[0] = 100;
    g.colpi = ColpiPredefiniti;
    // The next draw: the day after the last one of the archive.
    const auto& a = contesto_.sessione.archivio();
    if (a.NumeroEstrazioni > 0)
        g.dal = plays::giornoDopo(a.DateEstrazioni[static_cast<std::size_t>(a.NumeroEstrazioni)]);
    scelta_ = 0;
    FgGiocate->clearSelection();
    mostraForm(g);
}

std::optional<plays::Giocata> Giocate::leggiForm()
{
    plays::Giocata g;
    g.numeri = ordineNumeri_;
    g.ruote = ruote_;
    for (int s = 0; s < plays::NumeroSorti; ++s) {
        const std::string testo = TxtPosta[static_cast<std::size_t>(s)]->text().trimmed().toStdString();
        const auto p = testo.empty() ? std::optional<plays::Centesimi>(0) : plays::leggiEuro(testo);
        if (!p) {
            avviso(QStringLiteral("La posta %1 non è un importo in euro (per esempio 0,50 o 2).")
                       .arg(q(std::string(plays::NomiSorti[static_cast<std::size_t>(s)]))),
                   Icona::Esclamazione);
            return std::nullopt;
        }
        g.poste[static_cast<std::size_t>(s)] = *p;
    }
    g.dal = TxtDal->text().trimmed().toStdString();
    if (!regole::Data::leggi(g.dal)) {
        avviso(QStringLiteral("La data della prima estrazione non è valida: scriverla come GG/MM/AAAA."), Icona::Esclamazione);
        return std::nullopt;
    }
    g.colpi = TxtColpi->value();
    g.finoAllaPrimaVincita = ChPrimaVincita->isChecked();
    g.note = TxtNote->text().toStdString();
    if (const auto d = plays::difettoGiocata(g)) {
        avviso(QStringLiteral("La giocata non si può fare: %1.").arg(q(*d)), Icona::Esclamazione);
        return std::nullopt;
    }
    plays::segnaGiaAnnunciate(g, contesto_.sessione.archivio(), tariffe_);
    return g;
}

void Giocate::CmdAggiungi()
{
    auto g = leggiForm();
    if (!g)
        return;
    try {
        g->id = plays::aggiungiGiocata(contesto_.sessione.dbProgramma(), *g);
    } catch (const std::exception& e) {
        avviso(QStringLiteral("La giocata non è stata salvata: %1").arg(q(e.what())), Icona::Critica);
        return;
    }
    scelta_ = 0;
    mostraGiocata(g->id);
}

void Giocate::CmdSalvaModifiche()
{
    const int r = rigaSelezionata();
    if (!r) {
        avviso(QStringLiteral("Selezionare nell'elenco la giocata da modificare."), Icona::Informazione);
        return;
    }
    auto g = leggiForm();
    if (!g)
        return;
    g->id = giocate_[static_cast<std::size_t>(r - 1)].id;
    g->gruppo = giocate_[static_cast<std::size_t>(r - 1)].gruppo;   // a ticket edited stays in its system
    bool trovata = false;
    try {
        trovata = plays::modificaGiocata(contesto_.sessione.dbProgramma(), *g);
    } catch (const std::exception& e) {
        avviso(QStringLiteral("La giocata non è stata salvata: %1").arg(q(e.what())), Icona::Critica);
        return;
    }
    if (!trovata)
        avviso(QStringLiteral("La giocata N° %1 non c'è più: nulla è stato scritto.").arg(g->id), Icona::Esclamazione);
    ricarica();
}

void Giocate::CmdElimina()
{
    const int r = rigaSelezionata();
    if (!r) {
        avviso(QStringLiteral("Selezionare nell'elenco la giocata da eliminare."), Icona::Informazione);
        return;
    }
    const auto& g = giocate_[static_cast<std::size_t>(r - 1)];
    const std::int64_t id = g.id;
    if (!contesto_.dialoghi.domandaSiNo(this,
                                        QStringLiteral("Eliminare la giocata N° %1 (%2 su %3, dal %4)?")
                                            .arg(id)
                                            .arg(q(plays::testoNumeri(g.numeri)), q(plays::descrizioneRuote(g.ruote)), q(g.dal)),
                                        QStringLiteral("Elimina giocata"), Icona::Domanda, true))
        return;
    try {
        plays::eliminaGiocata(contesto_.sessione.dbProgramma(), id);
    } catch (const std::exception& e) {
        avviso(QStringLiteral("La giocata non è stata eliminata: %1").arg(q(e.what())), Icona::Critica);
        return;
    }
    ricarica();
    CmdNuova();
}

void Giocate::pagamentoModificato()
{
    // The row holds the payouts in force with the one value just typed.
    if (pagamenti_->righe().empty())
        return;
    const plays::Tariffe nuove = pagamenti_->riga(0);
    try {
        plays::salvaTariffe(contesto_.sessione.dbProgramma(), nuove);
        tariffe_ = nuove;
    } catch (const std::exception& e) {
        avviso(QStringLiteral("Le paghe non sono state salvate: %1").arg(q(e.what())), Icona::Critica);
    }
    pagamenti_->sostituisci({tariffe_});
    ricarica();
}

void Giocate::CmdValoriDiLegge()
{
    if (!contesto_.dialoghi.domandaSiNo(this,
                                        QStringLiteral("Rimettere le paghe di legge (%1 per 1 euro) e la ritenuta dell'%2%?")
                                            .arg(q(plays::testoPagheNominate(regole::PremiLotto)),
                                                 q(regole::testoCentesimi(regole::PremiLotto.ritenuta, ','))),
                                        QStringLiteral("Valori di legge")))
        return;
    try {
        plays::salvaTariffe(contesto_.sessione.dbProgramma(), regole::PremiLotto);
        tariffe_ = regole::PremiLotto;
    } catch (const std::exception& e) {
        avviso(QStringLiteral("Le paghe non sono state salvate: %1").arg(q(e.what())), Icona::Critica);
    }
    pagamenti_->sostituisci({tariffe_});
    ricarica();
}

void Giocate::archivioCambiato()
{
    ricarica();
    annunciaNuoveVincite();
}

void Giocate::annunciaNuoveVincite()
{
    QStringList righe;
    constexpr int RigheMostrate = 20;
    int altre = 0;
    const auto annunci = plays::annunciaNuoveVincite(
        giocate_, esiti_, contesto_.sessione.archivio(), tariffe_, [&](const plays::Giocata& g, const plays::Vincita& v) {
            if (righe.size() >= RigheMostrate) {
                ++altre;
                return;
            }
            righe << QStringLiteral("Giocata N° %1 (%2 su %3): il %4, colpo %5, %6 su %7 con %8, netto %9 euro")
                         .arg(g.id)
                         .arg(q(plays::testoNumeri(g.numeri)), q(plays::descrizioneRuote(g.ruote)), q(v.data))
                         .arg(v.colpo)
                         .arg(q(std::string(plays::NomiSorti[static_cast<std::size_t>(v.sorte - 1)])),
                              q(std::string(archive::NomiRuote[static_cast<std::size_t>(v.ruota)])),
                              v.punti == 1 ? QStringLiteral("1 punto") : QStringLiteral("%1 punti").arg(v.punti))
                         .arg(q(plays::testoEuro(v.netto.centesimi())));
        });
    if (annunci.empty())
        return;
    // Remembered before it is shown: a window closed while the message is up never tells it twice.
    try {
        plays::segnaAnnunciate(contesto_.sessione.dbProgramma(), annunci);
    } catch (const std::exception&) {
        // Told again next time: better twice than never.
    }
    if (altre > 0)
        righe << QStringLiteral("... e altre %1 vincite (nell'elenco delle giocate).").arg(altre);
    contesto_.dialoghi.messaggio(this, QStringLiteral("Nuove vincite!\n") + righe.join(QLatin1Char('\n')), QStringLiteral("Nuove vincite"),
                                 Icona::Informazione);
}

void Giocate::keyPressEvent(QKeyEvent* evento)
{
    if (!apriHelpSeF1(evento, contesto_.apriHelp, ContestoHelp, this))
        QWidget::keyPressEvent(evento);
}

}
