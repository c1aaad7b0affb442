// The entry page of archivio: the 55 boxes and their keys, SALVA, MODIFICA, ELIMINA, INCOLLA, the draw shown.
#include "ui/archivio/PannelloInserimento.h"

#include "storage/FileDiTesto.h"

#include "archive/Archivio.h"
#include "maintenance/Incolla.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "ui/archivio/Controlli.h"
#include "ui/archivio/Servizi.h"
#include "ui/common/Tema.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>
#include <optional>

namespace ui::archivio {

namespace {

const QString TitoloSalvataggio = QStringLiteral("Salvataggio estrazione");
const QString TitoloAnomalia = QStringLiteral("Anomalia archivio");
const QString MessaggioDataMemorizzata = QStringLiteral("Attenzione probabilmente hai inserito una data già memorizzata...");
// The check's messages carry no title of their own: the program's name stands in.
const QString TitoloControllo = QStringLiteral("Velmora");
const QString TitoloIncolla = QStringLiteral("Incolla estrazione");
const QString FormatoData = QStringLiteral("dd/MM/yyyy");
// After a reload of a file changed on disk, the write the player asked for waits for a second look.
const QString NullaScritto = QStringLiteral("Nulla è stato scritto: controllare le estrazioni e ripetere il comando.");

}

struct PannelloInserimento::Scrittura {
    bool fatta = false;   // written and reloaded: the new archive is in place
    // Set when the write was refused or failed (nothing was written); `motivo` is the storage layer's reason.
    std::optional<maintenance::ErroreScrittura::Tipo> errore;
    std::string motivo;
};

PannelloInserimento::PannelloInserimento(Servizi& servizi, QWidget* genitore) : QWidget(genitore), servizi_(servizi)
{
    // Created in the order the Tab key walks them: the boxes, the draw shown, the new date, the commands.
    auto* griglia = caselleRuote();
    auto* estrazione = gruppoEstrazione();
    auto* dataNuova = gruppoDataNuova();
    auto* comandi = gruppoComandi();

    auto* destra = new QVBoxLayout;
    destra->addWidget(estrazione);
    destra->addWidget(dataNuova);
    destra->addStretch();
    auto* caselle = new QVBoxLayout;
    caselle->addLayout(griglia);
    caselle->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(caselle);
    layout->addSpacing(12);
    layout->addLayout(destra);
    layout->addWidget(comandi);
    layout->addStretch();
}

QLayout* PannelloInserimento::caselleRuote()
{
    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(4);
    griglia->setVerticalSpacing(3);
    for (int p = 1; p <= 5; ++p) {
        auto* l = new QLabel(QStringLiteral("%1°").arg(p), this);
        l->setAlignment(Qt::AlignCenter);
        griglia->addWidget(l, 0, p);
    }
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        griglia->addWidget(new QLabel(QString::fromLatin1(archive::NomiRuote[w].data(),
                                                           static_cast<int>(archive::NomiRuote[w].size())), this),
                           w + 1, 0);
        for (int p = 1; p <= 5; ++p) {
            const int i = maintenance::casella(w, p);
            auto* e = new QLineEdit(this);
            e->setObjectName(QStringLiteral("txtin(%1)").arg(i));
            e->setMaxLength(2);
            e->setFixedWidth(38);
            e->setAlignment(Qt::AlignCenter);
            e->installEventFilter(this);
            connect(e, &QLineEdit::textChanged, this, [e](const QString& t) {
                const QString ammesso = QString::fromStdString(maintenance::testoAmmesso(t.toStdString()));
                if (ammesso != t)
                    e->setText(ammesso);
            });
            txtin[static_cast<std::size_t>(i)] = e;
            coloraCasella(i, grid::colori::Bianco);
            griglia->addWidget(e, w + 1, p);
        }
    }
    return griglia;
}

// The draw shown.
QWidget* PannelloInserimento::gruppoEstrazione()
{
    auto* estrazione = new QGroupBox(QStringLiteral("Estrazione in archivio"), this);
    auto* gE = new QGridLayout(estrazione);
    HScrestrazione = new QScrollBar(Qt::Horizontal, estrazione);
    HScrestrazione->setObjectName(QStringLiteral("HScrestrazione"));
    HScrestrazione->setMinimumWidth(220);
    connect(HScrestrazione, &QScrollBar::valueChanged, this, [this](int v) { mostraEstrazione(v); });
    pAN_DC = etichetta("pAN_DC", {}, estrazione, true);
    pAN_DC->setToolTip(QStringLiteral("Clic per digitare il n° indice"));
    pAN_DC->setCursor(Qt::PointingHandCursor);
    pAN_DC->installEventFilter(this);
    LBLESTRAZIONE = etichetta("LBLESTRAZIONE", {}, estrazione, true);
    LblMensile = etichetta("LblMensile", {}, estrazione, true);
    LblAnnuale = etichetta("LblAnnuale", {}, estrazione, true);
    auto* Command4 = pulsante("Command4", QStringLiteral("Vai ultima estrazione"), estrazione);
    connect(Command4, &QPushButton::clicked, this, [this] { HScrestrazione->setValue(HScrestrazione->maximum()); });
    gE->addWidget(barraDaTastiera(HScrestrazione), 0, 0, 1, 4);
    gE->addWidget(new QLabel(QStringLiteral("N° indice"), estrazione), 1, 0);
    gE->addWidget(pAN_DC, 1, 1);
    gE->addWidget(new QLabel(QStringLiteral("Data"), estrazione), 1, 2);
    gE->addWidget(LBLESTRAZIONE, 1, 3);
    gE->addWidget(new QLabel(QStringLiteral("Mensile"), estrazione), 2, 0);
    gE->addWidget(LblMensile, 2, 1);
    gE->addWidget(new QLabel(QStringLiteral("Annuale"), estrazione), 2, 2);
    gE->addWidget(LblAnnuale, 2, 3);
    gE->addWidget(Command4, 3, 0, 1, 4);
    return estrazione;
}

// The date of a new draw.
QWidget* PannelloInserimento::gruppoDataNuova()
{
    auto* dataNuova = new QGroupBox(QStringLiteral("Data nuova estrazione"), this);
    auto* gD = new QGridLayout(dataNuova);
    MonthView1 = new QCalendarWidget(dataNuova);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setGridVisible(true);
    MonthView1->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    // Saturday is a draw day, not a holiday: only Sunday keeps the weekend's colour.
    MonthView1->setWeekdayTextFormat(Qt::Saturday, MonthView1->weekdayTextFormat(Qt::Friday));
    connect(MonthView1, &QCalendarWidget::clicked, this, [this](QDate d) {
        Text1->setText(d.toString(FormatoData));
        Text1->setFocus();
    });
    Text1 = new QLineEdit(dataNuova);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setPlaceholderText(QStringLiteral("GG/MM/AAAA"));
    Text1->setToolTip(QStringLiteral("La data che SALVA ESTRAZIONE darà alla nuova estrazione: sceglierla nel calendario "
                                     "o digitarla"));
    // Whatever moves the calendar (a click, Imposta data, Imposta data odierna, Selezione
    // estrazione) shows its date here, the one SALVA stores.
    connect(MonthView1, &QCalendarWidget::selectionChanged, this,
            [this] { Text1->setText(MonthView1->selectedDate().toString(FormatoData)); });
    connect(Text1, &QLineEdit::textEdited, this, [this] { dataDigitata(false); });
    connect(Text1, &QLineEdit::editingFinished, this, [this] { dataDigitata(true); });
    auto* Command9 = pulsante("Command9", QStringLiteral("Imposta data odierna"), dataNuova);
    connect(Command9, &QPushButton::clicked, this, [this] { MonthView1->setSelectedDate(QDate::currentDate()); });
    auto* Command6 = pulsante("Command6", QStringLiteral("Imposta data"), dataNuova);
    connect(Command6, &QPushButton::clicked, this, [this] { impostaCalendario(LBLESTRAZIONE->text()); });
    gD->addWidget(MonthView1, 0, 0, 1, 3);
    gD->addWidget(new QLabel(QStringLiteral("Data selezionata"), dataNuova), 1, 0);
    gD->addWidget(Text1, 1, 1, 1, 2);
    gD->addWidget(Command9, 2, 0, 1, 2);
    gD->addWidget(Command6, 2, 2);
    MonthView1->setSelectedDate(QDate::currentDate());
    Text1->setText(QDate::currentDate().toString(FormatoData));
    return dataNuova;
}

// Commands and archive status.
QWidget* PannelloInserimento::gruppoComandi()
{
    auto* comandi = new QGroupBox(QStringLiteral("Comandi"), this);
    auto* gC = new QGridLayout(comandi);
    auto* Command8 = pulsante("Command8", QStringLiteral("SALVA ESTRAZIONE"), comandi);
    auto* Command3 = pulsante("Command3", QStringLiteral("MODIFICA ESTRAZIONE"), comandi);
    auto* Command2 = pulsante("Command2", QStringLiteral("ELIMINA ESTRAZIONE"), comandi);
    auto* Command12 = pulsante("Command12", QStringLiteral("INCOLLA ESTRAZIONE"), comandi);
    auto* Command1 = pulsante("Command1", QStringLiteral("AZZERA GRID "), comandi);
    auto* CmDHelp = pulsanteHelp("CmDHelp", comandi);
    connect(Command8, &QPushButton::clicked, this, [this] { salvaEstrazione(); });
    connect(Command3, &QPushButton::clicked, this, [this] { modificaEstrazione(); });
    connect(Command2, &QPushButton::clicked, this, [this] { eliminaEstrazione(); });
    connect(Command12, &QPushButton::clicked, this, [this] { incollaEstrazione(); });
    connect(Command1, &QPushButton::clicked, this, [this] { azzeraCaselle(); });
    connect(CmDHelp, &QPushButton::clicked, this, [this] {
        if (servizi_.contesto.apriHelp)
            servizi_.contesto.apriHelp(HelpInserimento, this);
    });
    gC->addWidget(Command8, 0, 0);
    gC->addWidget(Command3, 1, 0);
    gC->addWidget(Command2, 2, 0);
    gC->addWidget(Command12, 3, 0);
    gC->addWidget(Command1, 4, 0);
    gC->addWidget(CmDHelp, 0, 1);
    LBLAGGIORNATO = etichetta("LBLAGGIORNATO", {}, comandi, true);
    Label2 = etichetta("Label2", {}, comandi, true);
    gC->addWidget(new QLabel(QStringLiteral("Dati aggiornati al"), comandi), 5, 0);
    gC->addWidget(LBLAGGIORNATO, 6, 0);
    gC->addWidget(new QLabel(QStringLiteral("Num estraz"), comandi), 7, 0);
    gC->addWidget(Label2, 8, 0);
    gC->setRowStretch(9, 1);
    return comandi;
}

maintenance::Caselle PannelloInserimento::caselle() const
{
    maintenance::Caselle c;
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        c[static_cast<std::size_t>(i)] = txtin[static_cast<std::size_t>(i)]->text().toStdString();
    return c;
}

void PannelloInserimento::AggiornaStatoArchivio()
{
    const auto& a = servizi_.contesto.sessione.archivio();
    const int n = a.NumeroEstrazioni;
    LBLAGGIORNATO->setText(QString::fromStdString(a.DateEstrazioni[static_cast<std::size_t>(n)]));
    Label2->setText(QString::number(n));
    pAN_DC->setText(QString::number(indiceCorrente_));
    {
        // One showing of the last draw, below, whatever the bar's old value was.
        const QSignalBlocker blocco(HScrestrazione);
        HScrestrazione->setRange(n > 0 ? 1 : 0, n);
        HScrestrazione->setValue(n);
    }
    mostraEstrazione(n);
    // The main window shows the model archive, which after a reload is the whole archive.
    servizi_.contesto.ImpostazioniArchivioModello();
    servizi_.contesto.archivioCambiato();
}

void PannelloInserimento::vaiA(int indice) { HScrestrazione->setValue(indice); }

void PannelloInserimento::selezionaEstrazione(int indice, const QString& data)
{
    HScrestrazione->setValue(indice);
    impostaCalendario(data);
    Text1->setText(data);
}

void PannelloInserimento::mostraEstrazione(int indice)
{
    const auto& a = servizi_.contesto.sessione.archivio();
    indiceCorrente_ = indice;
    pAN_DC->setText(QString::number(indice));
    LBLESTRAZIONE->setText(indice >= 0 && indice <= a.NumeroEstrazioni
                               ? QString::fromStdString(a.DateEstrazioni[static_cast<std::size_t>(indice)])
                               : QString());
    CaricaTabellaArchivio();
}

void PannelloInserimento::CaricaTabellaArchivio()
{
    dateIncollate_.clear();
    const auto& a = servizi_.contesto.sessione.archivio();
    if (indiceCorrente_ < 1 || indiceCorrente_ > a.NumeroEstrazioni) {
        azzeraCaselle();
        LblMensile->clear();
        LblAnnuale->clear();
        return;
    }
    const auto c = maintenance::caselleDiEstrazione(a, indiceCorrente_);
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        txtin[static_cast<std::size_t>(i)]->setText(QString::fromStdString(c[static_cast<std::size_t>(i)]));
    LblMensile->setText(QString::number(a.ProgressivoMese[static_cast<std::size_t>(indiceCorrente_)]));
    LblAnnuale->setText(QString::number(a.ProgressivoAnno[static_cast<std::size_t>(indiceCorrente_)]));
}

void PannelloInserimento::azzeraCaselle()
{
    dateIncollate_.clear();
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        txtin[static_cast<std::size_t>(i)]->clear();
}

void PannelloInserimento::incollaEstrazione()
{
    // A clipboard far beyond a draw is cut before it is converted: past the limit in UTF-16 units it is past it in
    // bytes too, so the reader still refuses it, with its own words, without copies of megabytes first.
    const QString appunti = QApplication::clipboard()->text().left(qsizetype(storage::DimensioneMassimaTestoIncollato) + 1);
    // The date decides whether the Nazionale is expected in a text without wheel names.
    const auto lettura = maintenance::leggiEstrazioneIncollata(appunti.toStdString(),
                                                               Text1->text().trimmed().toStdString());
    if (!lettura.letta) {
        servizi_.contesto.dialoghi.messaggio(this,
                                             QString::fromStdString(lettura.motivo)
                                                 + QStringLiteral(" Le caselle non sono state cambiate."),
                                             TitoloIncolla, Icona::Esclamazione);
        return;
    }
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        txtin[static_cast<std::size_t>(i)]->setText(QString::fromStdString(lettura.caselle[static_cast<std::size_t>(i)]));
    dateIncollate_ = lettura.date;
    // Read, but a wheel is missing: the boxes show what was found, and the player reads what was not.
    if (!lettura.avviso.empty())
        servizi_.contesto.dialoghi.messaggio(this, QString::fromStdString(lettura.avviso), TitoloIncolla, Icona::Esclamazione);
}

void PannelloInserimento::chiediIndice()
{
    const auto testo = servizi_.contesto.dialoghi.inputBox(this, QStringLiteral("Digitare il numero indice"),
                                                           QStringLiteral("Indice estrazione"));
    if (!testo)
        return;
    const int n = servizi_.contesto.sessione.archivio().NumeroEstrazioni;
    if (const auto k = maintenance::leggiIndice(testo->toStdString(), 1, n))
        HScrestrazione->setValue(*k);
}

void PannelloInserimento::impostaCalendario(const QString& data)
{
    const QDate d = QDate::fromString(data, FormatoData);
    if (d.isValid())
        MonthView1->setSelectedDate(d);   // Text1 follows the calendar
}

void PannelloInserimento::dataDigitata(bool finita)
{
    // A date typed in "Data selezionata" moves the calendar as soon as it is whole; once the
    // player leaves the box, a short form (1/9/2026) is written out in full.
    const QString testo = Text1->text().trimmed();
    QDate d = QDate::fromString(testo, FormatoData);
    if (!d.isValid() && finita)
        d = QDate::fromString(testo, QStringLiteral("d/M/yyyy"));
    if (!d.isValid())
        return;
    const QSignalBlocker blocco(MonthView1);
    MonthView1->setSelectedDate(d);
    if (finita)
        Text1->setText(d.toString(FormatoData));
}

bool PannelloInserimento::scriviERicarica(Scrivi scrivi, std::function<void(const Scrittura&)> alTermine)
{
    // The write and the reload run on the runner into an archive of their own, which replaces the
    // one every window reads only back on this thread: the window stays alive meanwhile.
    auto& sessione = servizi_.contesto.sessione;
    auto nuovo = std::make_shared<archive::Archivio>();
    nuovo->EstrazioneIniziale = sessione.archivio().EstrazioneIniziale;
    auto esito = std::make_shared<Scrittura>();
    servizi_.occupa(true);
    const bool avviato = servizi_.lavoro().avvia(
        [scrivi = std::move(scrivi), nuovo, esito](avanzamento::Avanzamento& av) {
            try {
                esito->fatta = scrivi(*nuovo, av);
            } catch (const maintenance::ErroreScrittura& e) {
                esito->errore = e.tipo();
                esito->motivo = e.what();
            }
        },
        [this, nuovo, esito, alTermine = std::move(alTermine), &sessione](const LavoroDiFondo::Fine& fine) {
            servizi_.occupa(false);
            if (fine.errore && !esito->fatta) {
                esito->errore = maintenance::ErroreScrittura::Tipo::Database;
                esito->motivo = fine.messaggio.toStdString();
            }
            if (!esito->fatta && !esito->errore && fine.interrotto)
                return;   // stopped (FINE, the window closing): rolled back, nothing changed
            // A write committed is in the file whatever happened after it: the draws in memory follow.
            if (esito->fatta) {
                Servizi::fermaLettori();   // no other window's work may be reading the draws being replaced
                sessione.archivio() = std::move(*nuovo);
            }
            alTermine(*esito);
        });
    if (!avviato) {
        servizi_.occupa(false);
        static_cast<void>(servizi_.rifiutaSeInCorso(this));
    }
    return avviato;
}

bool PannelloInserimento::CaricaArchivioExNovo()
{
    if (!servizi_.archivioAperto(this))
        return false;
    storage::Database* db = &servizi_.contesto.sessione.dbEstrazioni();
    return scriviERicarica(
        [db](archive::Archivio& nuovo, avanzamento::Avanzamento& av) {
            maintenance::CaricaArchivioExNovo(*db, nuovo, &av);
            return true;
        },
        [this](const Scrittura& s) {
            if (s.errore) {
                // The reason (damaged, unreadable, gone) follows, in the storage layer's words.
                servizi_.contesto.dialoghi.messaggio(this,
                                                     QStringLiteral("Impossibile ricaricare l'archivio \"%1\": le "
                                                                    "estrazioni in memoria restano quelle di prima.\n")
                                                             .arg(servizi_.percorsoArchivio())
                                                         + QString::fromStdString(s.motivo),
                                                     TitoloAnomalia, Icona::Critica);
                return;
            }
            if (!s.fatta)
                return;   // stopped: the draws in memory stay
            servizi_.contesto.ImpostazioniArchivioModello();
            servizi_.contesto.archivioCambiato();
        });
}

bool PannelloInserimento::erroreScrittura(const Scrittura& s, const QString& data)
{
    if (!s.errore)
        return false;
    using Tipo = maintenance::ErroreScrittura::Tipo;
    const QString percorso = servizi_.percorsoArchivio();
    // What the user reads when a write did not happen; the duplicate date keeps its historic text.
    QString testo;
    if (*s.errore == Tipo::Ricarica)
        testo = QStringLiteral("Con questa modifica l'archivio \"%1\" non si potrebbe più caricare (al massimo 9999 "
                               "estrazioni, almeno una): l'archivio non è stato modificato.")
                    .arg(percorso);
    else if (*s.errore == Tipo::DataNonValida)
        testo = QStringLiteral("La data dell'estrazione non è valida: l'archivio \"%1\" non è stato modificato.").arg(percorso);
    else if (*s.errore == Tipo::DataGiaPresente)
        testo = MessaggioDataMemorizzata;
    else if (!data.isEmpty())   // ELIMINA names the draw it could not delete
        testo = QStringLiteral("Impossibile eliminare l'estrazione del %1 dall'archivio \"%2\": %3. L'archivio non è "
                               "stato modificato.")
                    .arg(data, percorso, QString::fromStdString(s.motivo));
    else   // a full disk, a file no longer writable or gone: the storage layer's reason, which names the file
        testo = QString::fromStdString(s.motivo) + QStringLiteral(".\nL'archivio non è stato modificato.");
    servizi_.contesto.dialoghi.messaggio(this, testo, TitoloAnomalia, Icona::Critica);
    return true;
}

bool PannelloInserimento::caselleAccettate(const maintenance::Caselle& c)
{
    const auto esito = maintenance::ControllaEstrazione(c);
    if (esito.accettata)
        return true;
    if (esito.focus >= 1 && esito.focus <= maintenance::NumeroCaselle)
        txtin[static_cast<std::size_t>(esito.focus)]->setFocus();
    servizi_.contesto.dialoghi.messaggio(this, QString::fromStdString(esito.messaggio), TitoloControllo, Icona::Nessuna);
    return false;
}

void PannelloInserimento::salvaEstrazione()
{
    if (servizi_.contesto.ricaricaSeCambiatoFuori(this, NullaScritto))
        return;
    auto& dialoghi = servizi_.contesto.dialoghi;
    // The date SALVA stores is the one "Data selezionata" shows.
    const QString data = Text1->text().trimmed();
    const auto& a = servizi_.contesto.sessione.archivio();
    // A date that cannot be stored is said before the player confirms anything.
    if (const auto r = maintenance::rifiutoNuovaEstrazione(a, data.toStdString(), maintenance::dataOdierna());
        !r.rifiuto.empty()) {
        dialoghi.messaggio(this,
                           (r.giaMemorizzata ? MessaggioDataMemorizzata + QStringLiteral("\n") : QString())
                               + QString::fromStdString(r.rifiuto),
                           TitoloAnomalia, Icona::Critica);
        return;
    }
    if (!dialoghi.domandaSiNo(this, QStringLiteral("Confermi il salvataggio dell'estrazione del %1 ?").arg(data),
                              TitoloSalvataggio))
        return;
    const auto c = caselle();
    if (!caselleAccettate(c) || !servizi_.archivioAperto(this))
        return;
    const auto verifica = maintenance::verificaNuovaEstrazione(a, data.toStdString(), c, maintenance::dataOdierna(), dateIncollate_);
    if (!verifica.rifiuto.empty()) {   // the date was checked above: Nazionale numbers before its first draw
        dialoghi.messaggio(this, QString::fromStdString(verifica.rifiuto), TitoloAnomalia, Icona::Critica);
        return;
    }
    // What looks like a slip (a date among stored draws, a day without draws, draws skipped, the
    // boxes of a neighbouring draw, another date in the pasted text, no Nazionale) is asked, and
    // No stores nothing.
    for (const auto& domanda : verifica.domande)
        if (!dialoghi.domandaSiNo(this, QString::fromStdString(domanda), TitoloSalvataggio, Icona::Esclamazione,
                                  true)) {   // Enter must not store a suspect draw
            dialoghi.messaggio(this, QStringLiteral("L'estrazione del %1 non è stata salvata.").arg(data), TitoloSalvataggio,
                               Icona::Informazione);
            return;
        }
    storage::Database* db = &servizi_.contesto.sessione.dbEstrazioni();
    const auto momento = maintenance::adesso();
    // Refused (another work running) with its message.
    static_cast<void>(scriviERicarica(
        [db, testo = data.toStdString(), c, momento](archive::Archivio& nuovo, avanzamento::Avanzamento& av) {
            return maintenance::salvaEstrazione(*db, nuovo, testo, c, momento, &av) == maintenance::EsitoScrittura::Fatta;
        },
        [this, data](const Scrittura& s) {
            if (erroreScrittura(s, {}) || !s.fatta)
                return;
            servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Dati salvati correttamente. Ricarico archivio."),
                                                 TitoloSalvataggio, Icona::Informazione);
            emit servizi_.archivioRiscritto();
            // The draw just saved, wherever its date put it, not the last one.
            const auto& nuovo = servizi_.contesto.sessione.archivio();
            for (int k = nuovo.NumeroEstrazioni; k >= 1; --k)
                if (nuovo.DateEstrazioni[static_cast<std::size_t>(k)] == data.toStdString()) {
                    HScrestrazione->setValue(k);
                    break;
                }
        }));
}

void PannelloInserimento::modificaEstrazione()
{
    if (servizi_.contesto.ricaricaSeCambiatoFuori(this, NullaScritto))
        return;
    auto& dialoghi = servizi_.contesto.dialoghi;
    const int mantenuto = indiceCorrente_;
    const QString data = LBLESTRAZIONE->text();
    const auto c = caselle();
    // The question names what changes, wheel by wheel, old numbers and new.
    const auto& a = servizi_.contesto.sessione.archivio();
    const std::string cambi = mantenuto >= 1 && mantenuto <= a.NumeroEstrazioni
        ? maintenance::differenzeEstrazione(a, mantenuto, c)
        : std::string();
    if (!dialoghi.domandaSiNo(this,
                              QStringLiteral("Confermi la modifica dell'estrazione del %1 ?  La modifica è relativa agli "
                                             "estratti e viene mantenuta la stessa data.")
                                      .arg(data)
                                  + (cambi.empty() ? QStringLiteral("\nLe caselle sono uguali all'estrazione in archivio: "
                                                                    "nessun numero cambia.")
                                                   : QStringLiteral("\nCambiano:\n") + QString::fromStdString(cambi).trimmed()),
                              TitoloSalvataggio))
        return;
    if (!caselleAccettate(c) || !servizi_.archivioAperto(this))
        return;
    if (const auto rifiuto = maintenance::rifiutoNazionale(data.toStdString(), c); !rifiuto.empty()) {
        dialoghi.messaggio(this, QString::fromStdString(rifiuto), TitoloAnomalia, Icona::Critica);
        return;
    }
    storage::Database* db = &servizi_.contesto.sessione.dbEstrazioni();
    const auto momento = maintenance::adesso();
    // Refused (another work running) with its message.
    static_cast<void>(scriviERicarica(
        [db, testo = data.toStdString(), c, momento](archive::Archivio& nuovo, avanzamento::Avanzamento& av) {
            return maintenance::modificaEstrazione(*db, nuovo, testo, c, momento, &av) == maintenance::EsitoScrittura::Fatta;
        },
        [this, mantenuto](const Scrittura& s) {
            if (!erroreScrittura(s, {})) {
                if (!s.fatta) {
                    servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Elemento non trovato. Possibile anomalia"),
                                                         TitoloControllo, Icona::Nessuna);
                    emit servizi_.segniImportaSuperati();   // as after any correction: its marks may no longer hold
                } else {
                    servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Modifica effettuata. Ricarico archivio."),
                                                         TitoloSalvataggio, Icona::Informazione);
                    emit servizi_.archivioRiscritto();
                }
            }
            // The corrected draw again, whatever the reload showed.
            HScrestrazione->setValue(mantenuto);
            mostraEstrazione(mantenuto);
            impostaCalendario(LBLESTRAZIONE->text());
        }));
}

void PannelloInserimento::eliminaEstrazione()
{
    if (servizi_.contesto.ricaricaSeCambiatoFuori(this, NullaScritto))
        return;
    const QString data = LBLESTRAZIONE->text();
    // No is the default button: Enter must not delete a draw.
    if (!servizi_.contesto.dialoghi.domandaSiNo(this,
                                                QStringLiteral("Attenzione: sarà eliminata l'estrazione del %1.  Confermi ?")
                                                    .arg(data),
                                                QStringLiteral("Elimina estrazione"), Icona::Domanda, true))
        return;
    if (!servizi_.archivioAperto(this))
        return;
    storage::Database* db = &servizi_.contesto.sessione.dbEstrazioni();
    // Refused (another work running) with its message.
    static_cast<void>(scriviERicarica(
        [db, testo = data.toStdString()](archive::Archivio& nuovo, avanzamento::Avanzamento& av) {
            return maintenance::eliminaEstrazione(*db, nuovo, testo, &av) == maintenance::EsitoScrittura::Fatta;
        },
        [this, data](const Scrittura& s) {
            if (erroreScrittura(s, data) || !s.fatta)
                return;   // refused, failed, or no draw of that date: nothing changed
            servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Estrazione cancellata. L'archivio verrà ricaricato."),
                                                 QStringLiteral("Sistemazione Archivio estrazioni"), Icona::Informazione);
            emit servizi_.archivioRiscritto();
        }));
}

int PannelloInserimento::indiceCasella(QObject* oggetto) const
{
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        if (txtin[static_cast<std::size_t>(i)] == oggetto)
            return i;
    return 0;
}

void PannelloInserimento::coloraCasella(int indice, grid::Colore colore)
{
    QLineEdit* e = txtin[static_cast<std::size_t>(indice)];
    // Drawn as the grids draw a cell: white, the box's plain state, follows a dark palette, and the text
    // stays readable on any colour. The "colore" property keeps the state the commands set.
    QPalette p = e->palette();
    QPalette tema = QApplication::palette(e);
    for (auto gruppo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        tema.setCurrentColorGroup(gruppo);
        const ColoriCella disegno = coloriDisegno(colore, grid::colori::Nero, tema);
        p.setColor(gruppo, QPalette::Base, disegno.sfondo);
        p.setColor(gruppo, QPalette::Text, disegno.testo);
    }
    e->setPalette(p);
    e->setProperty("colore", static_cast<uint>(colore));
}

bool PannelloInserimento::tastoCasella(int indice, int tasto)
{
    maintenance::Tasto t;
    switch (tasto) {
    case Qt::Key_Return:
    case Qt::Key_Enter: t = maintenance::Tasto::Invio; break;
    case Qt::Key_Right: t = maintenance::Tasto::Destra; break;
    case Qt::Key_Left: t = maintenance::Tasto::Sinistra; break;
    case Qt::Key_Up: t = maintenance::Tasto::Su; break;
    case Qt::Key_Down: t = maintenance::Tasto::Giu; break;
    default: return false;
    }
    QLineEdit* e = txtin[static_cast<std::size_t>(indice)];
    const auto effetto = maintenance::effettoTasto(indice, e->text().toStdString(), t);
    e->setText(QString::fromStdString(effetto.testo));
    if (effetto.focus != indice)
        txtin[static_cast<std::size_t>(effetto.focus)]->setFocus(Qt::TabFocusReason);
    return true;
}

bool PannelloInserimento::cifraRifiutata(int indice, const QString& tasto)
{
    if (tasto.size() != 1 || !tasto[0].isDigit())
        return false;
    QLineEdit* e = txtin[static_cast<std::size_t>(indice)];
    const QString prima = e->text();
    QString dopo = prima;
    if (e->hasSelectedText())
        dopo.replace(e->selectionStart(), e->selectedText().size(), tasto);
    else
        dopo.insert(e->cursorPosition(), tasto);
    const std::string rifiuto = maintenance::rifiutoCasella(indice, dopo.toStdString());
    if (rifiuto.empty())
        return false;
    // The key is not taken: the player reads why at once, and the box is emptied for the number to be
    // typed again (a "9" left selected would read as "09" on leaving it).
    servizi_.contesto.dialoghi.messaggio(this, QString::fromStdString(rifiuto), TitoloControllo, Icona::Esclamazione);
    e->setFocus();
    e->clear();
    return true;
}

bool PannelloInserimento::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == pAN_DC && evento->type() == QEvent::MouseButtonPress) {
        chiediIndice();
        return true;
    }
    const int i = indiceCasella(oggetto);
    if (i == 0)
        return QWidget::eventFilter(oggetto, evento);
    QLineEdit* e = txtin[static_cast<std::size_t>(i)];
    switch (evento->type()) {
    case QEvent::FocusIn:
        coloraCasella(i, grid::colori::Giallo);
        e->selectAll();
        // A mouse click places the cursor after the focus arrives: select again once it has.
        if (static_cast<QFocusEvent*>(evento)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, e, [e] { e->selectAll(); });
        break;
    case QEvent::FocusOut:
        e->setText(QString::fromStdString(maintenance::formatoUscita(e->text().toStdString())));
        coloraCasella(i, grid::colori::Bianco);
        break;
    case QEvent::KeyPress:
        if (tastoCasella(i, static_cast<QKeyEvent*>(evento)->key()))
            return true;
        if (cifraRifiutata(i, static_cast<QKeyEvent*>(evento)->text()))
            return true;
        break;
    default: break;
    }
    return QWidget::eventFilter(oggetto, evento);
}

}
