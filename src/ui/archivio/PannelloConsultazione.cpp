// The browser page of archivio: FgDB, selection of a draw, searches by index and date.
#include "ui/archivio/PannelloConsultazione.h"

#include "archive/Archivio.h"
#include "maintenance/Caselle.h"
#include "maintenance/Consultazione.h"
#include "ui/archivio/Controlli.h"
#include "ui/archivio/Servizi.h"
#include "ui/common/GrigliaView.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace ui::archivio {

PannelloConsultazione::PannelloConsultazione(Servizi& servizi, QWidget* genitore) : QWidget(genitore), servizi_(servizi)
{
    // The draws' columns: the hidden row selector fixed on the left, the date and the wheels centred,
    // the current row's cells highlighted. Widths in twips (what a print of the grid uses; the screen
    // fits them to the font, see adattaColonneFgDB).
    std::array<int, maintenance::ColonneFgDB> larghezze{};
    larghezze.fill(1800);
    larghezze[0] = 300;
    larghezze[1] = 1500;
    auto colonne = colonneDi<maintenance::RigaArchivio>(maintenance::IntestazioneFgDB, larghezze, &maintenance::testoFgDB,
                                                        grid::Allineamento::Centro);
    colonne[0].allineamento = grid::Allineamento::Sinistra;
    colonne[0].nascosta = true;
    for (std::size_t c = 1; c < colonne.size(); ++c)
        colonne[c].sfondo = [](const maintenance::RigaArchivio& r) { return std::optional(maintenance::sfondoFgDB(r)); };
    righe_ = new ModelloRighe<maintenance::RigaArchivio>(std::move(colonne), this);
    FgDB = new GrigliaView(righe_, this);
    FgDB->setObjectName(QStringLiteral("FgDB"));
    FgDB->setFisse(1, 1);
    FgDB->installEventFilter(this);   // a resize fits the columns again
    connect(FgDB, &GrigliaView::cellaCambiata, this, [this](int riga, int) { evidenzia(riga); });
    auto* Command14 = pulsante("Command14", QStringLiteral("Vai alla prima estrazione"), this);
    auto* Command13 = pulsante("Command13", QStringLiteral("Vai ultima estrazione"), this);
    auto* Command11 = pulsante("Command11", QStringLiteral("Selezione estrazione"), this);
    auto* Command42 = pulsante("Command42", QStringLiteral("Ricerca per numero indice"), this);
    auto* Command59 = pulsante("Command59", QStringLiteral("Ricerca per data"), this);
    auto* Command25 = pulsanteHelp("Command25", this);
    connect(Command14, &QPushButton::clicked, this, [this] { FgDB->setCellaCorrente(1, 1); });
    connect(Command13, &QPushButton::clicked, this, [this] { FgDB->setCellaCorrente(righe_->rowCount(), 1); });
    connect(Command11, &QPushButton::clicked, this, [this] { selezioneEstrazione(); });
    connect(Command42, &QPushButton::clicked, this, [this] { ricercaPerIndice(); });
    connect(Command59, &QPushButton::clicked, this, [this] { ricercaPerData(); });
    connect(Command25, &QPushButton::clicked, this, [this] {
        if (servizi_.contesto.apriHelp)
            servizi_.contesto.apriHelp(HelpConsultazione, this);
    });
    Label9 = etichetta("Label9", {}, this, true);
    auto* comandi = new QHBoxLayout;
    for (auto* b : {Command14, Command13, Command11, Command42, Command59})
        comandi->addWidget(b);
    comandi->addStretch();
    comandi->addWidget(new QLabel(QStringLiteral("Estrazioni"), this));
    comandi->addWidget(Label9);
    comandi->addWidget(Command25);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(comandi);
    layout->addWidget(FgDB, 1);
}

PannelloConsultazione::~PannelloConsultazione() = default;

void PannelloConsultazione::evidenzia(int riga)
{
    if (riga == corrente_)
        return;
    righe_->modifica(corrente_ - 1, [](maintenance::RigaArchivio& r) { r.evidenziata = false; });
    corrente_ = riga >= 1 && riga <= righe_->rowCount() ? riga : 0;
    righe_->modifica(corrente_ - 1, [](maintenance::RigaArchivio& r) { r.evidenziata = true; });
}

bool PannelloConsultazione::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == FgDB && evento->type() == QEvent::Resize)
        adattaColonneFgDB();
    return QWidget::eventFilter(oggetto, evento);
}

void PannelloConsultazione::adattaColonneFgDB()
{
    if (!FgDB)
        return;
    // Each column as wide as its text, in the largest type (from the window's own size down to
    // 6 points) at which the date and the eleven wheels fit the grid's width: a maximised window
    // of a 1366 pixel screen shows them all without scrolling sideways.
    const int disponibile = FgDB->viewport()->width() > 0 ? FgDB->width() - FgDB->verticalScrollBar()->sizeHint().width()
                                                                - 2 * FgDB->frameWidth()
                                                          : 0;
    QFont carattere = font();
    const qreal massimo = carattere.pointSizeF() > 0 ? carattere.pointSizeF() : 9;
    int data = 0, ruota = 0;
    for (qreal punti = massimo; punti >= 6; punti -= 0.5) {
        carattere.setPointSizeF(punti);
        const QFontMetrics metrica(carattere);
        const int margine = metrica.horizontalAdvance(QLatin1Char('0')) + 4;
        // The header "DataEstrazione" whole, with the margins the style draws around a header's text.
        const int intestazione = metrica.horizontalAdvance(QStringLiteral("DataEstrazione"))
                                 + 2 * FgDB->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, FgDB);
        data = std::max(metrica.horizontalAdvance(QStringLiteral("00/00/0000")) + margine, intestazione);
        ruota = metrica.horizontalAdvance(QStringLiteral("00-00-00-00-00")) + margine;
        if (disponibile <= 0 || data + archive::NumeroRuote * ruota <= disponibile)
            break;
    }
    FgDB->setFont(carattere);
    FgDB->horizontalHeader()->setFont(carattere);
    FgDB->verticalHeader()->setDefaultSectionSize(QFontMetrics(carattere).height() + 4);
    FgDB->setColumnWidth(0, data);
    for (int c = 1; c <= archive::NumeroRuote; ++c)
        FgDB->setColumnWidth(c, ruota);
}

void PannelloConsultazione::CaricaGrigliaArchivio()
{
    auto& sessione = servizi_.contesto.sessione;
    std::vector<maintenance::RigaArchivio> righe;
    try {
        if (sessione.dbEstrazioni().aperto())
            righe = maintenance::righeArchivio(sessione.dbEstrazioni());
    } catch (const std::exception&) {
        // The draws in memory are what every command uses: a browser that cannot be read shows none.
        righe.clear();
    }
    // The rows read come plain: the current row is highlighted again below.
    corrente_ = 0;
    righe_->sostituisci(std::move(righe));
    FgDB->aggiorna();
    adattaColonneFgDB();
    Label9->setText(QString::number(righe_->rowCount()));
    if (righe_->rowCount() > 0) {
        FgDB->setCellaCorrente(righe_->rowCount(), 1);
        evidenzia(FgDB->currentIndex().row() + 1);
    }
}

void PannelloConsultazione::selezioneEstrazione()
{
    const int r = corrente_;
    if (r < 1 || r > righe_->rowCount())
        return;
    emit estrazioneSelezionata(r, QString::fromStdString(righe_->riga(r - 1).data));
}

void PannelloConsultazione::ricercaPerIndice()
{
    const auto testo = servizi_.contesto.dialoghi.inputBox(this, QStringLiteral("Inserire il n° indice dell'archivio modello."),
                                                           QStringLiteral("Scelta estrazione"));
    if (!testo)
        return;
    const int n = servizi_.contesto.sessione.archivio().NumeroEstrazioni;
    if (const auto k = maintenance::leggiIndice(testo->toStdString(), maintenance::IndiceMinimoRicerca, n))
        emit estrazioneTrovata(*k);
}

void PannelloConsultazione::ricercaPerData()
{
    const auto testo = servizi_.contesto.dialoghi.inputBox(this, QStringLiteral("Data ?"),
                                                           QStringLiteral("Ricerca per data GG/MM/AAAA"));
    if (!testo)
        return;   // cancelled: nothing was asked for
    if (const auto d = maintenance::cercaDataModello(servizi_.contesto.sessione.archivio(), testo->toStdString()))
        emit estrazioneTrovata(*d);
    else
        servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Data non trovata"), QStringLiteral("Cerca data"),
                                             Icona::Informazione);
}

}
