// The entry page of archivio: the 55 boxes and their keys, SALVA, MODIFICA, ELIMINA, INCOLLA, the draw shown.
#include "ui/archivio/GestioneArchivio.h"

#include "maintenance/Incolla.h"
#include "maintenance/ScritturaEstrazioni.h"
#include "ui/common/GrigliaView.h"   // qColore
#include "ui/common/LavoroDiFondo.h"
#include "ui/common/Tema.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDate>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

namespace ui {

namespace {

const QString TitoloSalvataggio = QStringLiteral("Salvataggio estrazione");
const QString TitoloAnomalia = QStringLiteral("Anomalia archivio");
const QString MessaggioDataMemorizzata = QStringLiteral("Attenzione probabilmente hai inserito una data già memorizzata...");
// The check's messages carry no title of their own: the program's name stands in.
const QString TitoloControllo = QStringLiteral("Velmora");
const QString TitoloIncolla = QStringLiteral("Incolla estrazione");
const QString FormatoData = QStringLiteral("dd/MM/yyyy");

}

maintenance::Caselle GestioneArchivio::caselle() const
{
    maintenance::Caselle c;
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        c[static_cast<std::size_t>(i)] = txtin[static_cast<std::size_t>(i)]->text().toStdString();
    return c;
}

void GestioneArchivio::mostraEstrazione(int indice)
{
    const auto& a = contesto_.sessione.archivio();
    indiceCorrente_ = indice;
    pAN_DC->setText(QString::number(indice));
    LBLESTRAZIONE->setText(indice >= 0 && indice <= a.NumeroEstrazioni
                               ? QString::fromStdString(a.DateEstrazioni[static_cast<std::size_t>(indice)])
                               : QString());
    CaricaTabellaArchivio();
}

void GestioneArchivio::CaricaTabellaArchivio()
{
    const auto& a = contesto_.sessione.archivio();
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

void GestioneArchivio::azzeraCaselle()
{
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        txtin[static_cast<std::size_t>(i)]->clear();
}

void GestioneArchivio::incollaEstrazione()
{
    // The date decides whether the Nazionale is expected in a text without wheel names.
    const auto lettura = maintenance::leggiEstrazioneIncollata(QApplication::clipboard()->text().toStdString(),
                                                               Text1->text().trimmed().toStdString());
    if (!lettura.letta) {
        contesto_.dialoghi.messaggio(this,
                                     QString::fromStdString(lettura.motivo)
                                         + QStringLiteral(" Le caselle non sono state cambiate."),
                                     TitoloIncolla, Icona::Esclamazione);
        return;
    }
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        txtin[static_cast<std::size_t>(i)]->setText(QString::fromStdString(lettura.caselle[static_cast<std::size_t>(i)]));
}

void GestioneArchivio::chiediIndice()
{
    const auto testo = contesto_.dialoghi.inputBox(this, QStringLiteral("Digitare il numero indice"),
                                                   QStringLiteral("Indice estrazione"));
    if (!testo)
        return;
    const int n = contesto_.sessione.archivio().NumeroEstrazioni;
    if (const auto k = maintenance::leggiIndice(testo->toStdString(), 1, n))
        HScrestrazione->setValue(*k);
}

void GestioneArchivio::impostaCalendario(const QString& data)
{
    const QDate d = QDate::fromString(data, FormatoData);
    if (d.isValid())
        MonthView1->setSelectedDate(d);   // Text1 follows the calendar
}

void GestioneArchivio::dataDigitata(bool finita)
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

QString GestioneArchivio::percorsoArchivio() const
{
    return QString::fromStdString(contesto_.sessione.dbEstrazioni().percorso());
}

bool GestioneArchivio::archivioAperto()
{
    if (contesto_.sessione.dbEstrazioni().aperto())
        return true;
    contesto_.dialoghi.messaggio(this,
                                 QStringLiteral("L'archivio \"%1\" non è aperto: nessuna modifica è stata registrata.")
                                     .arg(QString::fromStdString(contesto_.sessione.percorsoArchivio())),
                                 TitoloAnomalia, Icona::Critica);
    return false;
}

void GestioneArchivio::dopoRicarica()
{
    svuotaImporta();   // its marks describe the archive before the write
    CaricaGrigliaArchivio();
    caricaCalendario();
}

void GestioneArchivio::fermaLettori()
{
    // The draws in memory are about to be rewritten: a search or a comparison of another
    // window reading them on a worker thread is stopped, and waited for, first.
    LavoroDiFondo::fermaTutti();
}

void GestioneArchivio::CaricaArchivioExNovo()
{
    if (!archivioAperto())
        return;
    try {
        fermaLettori();
        maintenance::CaricaArchivioExNovo(contesto_.sessione.dbEstrazioni(), contesto_.sessione.archivio());
    } catch (const maintenance::ErroreScrittura& e) {
        // The reason (damaged, unreadable, gone) follows, in the storage layer's words.
        contesto_.dialoghi.messaggio(this,
                                     QStringLiteral("Impossibile ricaricare l'archivio \"%1\": le estrazioni in memoria "
                                                    "restano quelle di prima.\n")
                                             .arg(percorsoArchivio())
                                         + QString::fromStdString(e.what()),
                                     TitoloAnomalia, Icona::Critica);
        return;
    }
    contesto_.ImpostazioniArchivioModello();
    contesto_.archivioCambiato();
}

namespace {
// What the user reads when a write did not happen; the duplicate date keeps its historic text.
QString messaggioErrore(const maintenance::ErroreScrittura& e, const QString& percorso)
{
    using Tipo = maintenance::ErroreScrittura::Tipo;
    if (e.tipo() == Tipo::Ricarica)
        return QStringLiteral("Con questa modifica l'archivio \"%1\" non si potrebbe più caricare (al massimo 9999 "
                              "estrazioni, almeno una): l'archivio non è stato modificato.")
            .arg(percorso);
    if (e.tipo() == Tipo::DataNonValida)
        return QStringLiteral("La data dell'estrazione non è valida: l'archivio \"%1\" non è stato modificato.").arg(percorso);
    if (e.tipo() == Tipo::DataGiaPresente)
        return MessaggioDataMemorizzata;
    // A full disk, a file no longer writable or gone: the storage layer's reason, which names the file.
    return QString::fromStdString(e.what()) + QStringLiteral(".\nL'archivio non è stato modificato.");
}

bool controlla(Dialoghi& dialoghi, QWidget* finestra, const maintenance::Caselle& c, const std::array<QLineEdit*, maintenance::NumeroCaselle + 1>& txtin)
{
    const auto esito = maintenance::ControllaEstrazione(c);
    if (esito.accettata)
        return true;
    if (esito.focus >= 1 && esito.focus <= maintenance::NumeroCaselle)
        txtin[static_cast<std::size_t>(esito.focus)]->setFocus();
    dialoghi.messaggio(finestra, QString::fromStdString(esito.messaggio), TitoloControllo, Icona::Nessuna);
    return false;
}
}

void GestioneArchivio::salvaEstrazione()
{
    // The date SALVA stores is the one "Data selezionata" shows.
    const QString data = Text1->text().trimmed();
    const auto& a = contesto_.sessione.archivio();
    // A date that cannot be stored is said before the player confirms anything.
    if (const auto r = maintenance::rifiutoNuovaEstrazione(a, data.toStdString(), maintenance::dataOdierna());
        !r.rifiuto.empty()) {
        contesto_.dialoghi.messaggio(this,
                                     (r.giaMemorizzata ? MessaggioDataMemorizzata + QStringLiteral("\n") : QString())
                                         + QString::fromStdString(r.rifiuto),
                                     TitoloAnomalia, Icona::Critica);
        return;
    }
    if (!contesto_.dialoghi.domandaSiNo(this, QStringLiteral("Confermi il salvataggio dell'estrazione del %1 ?").arg(data),
                                        TitoloSalvataggio))
        return;
    const auto c = caselle();
    if (!controlla(contesto_.dialoghi, this, c, txtin) || !archivioAperto())
        return;
    // What looks like a slip (a Sunday, draws skipped, the boxes of the previous draw, no
    // Nazionale) is asked, and No stores nothing.
    for (const auto& domanda : maintenance::verificaNuovaEstrazione(a, data.toStdString(), c, maintenance::dataOdierna()).domande)
        if (!contesto_.dialoghi.domandaSiNo(this, QString::fromStdString(domanda), TitoloSalvataggio, Icona::Esclamazione,
                                            true)) {   // Enter must not store a suspect draw
            contesto_.dialoghi.messaggio(this, QStringLiteral("L'estrazione del %1 non è stata salvata.").arg(data),
                                         TitoloSalvataggio, Icona::Informazione);
            return;
        }
    try {
        fermaLettori();
        maintenance::salvaEstrazione(contesto_.sessione.dbEstrazioni(), contesto_.sessione.archivio(), data.toStdString(), c);
    } catch (const maintenance::ErroreScrittura& e) {
        contesto_.dialoghi.messaggio(this, messaggioErrore(e, percorsoArchivio()), TitoloAnomalia, Icona::Critica);
        return;
    }
    contesto_.dialoghi.messaggio(this, QStringLiteral("Dati salvati correttamente. Ricarico archivio."), TitoloSalvataggio,
                                 Icona::Informazione);
    AggiornaStatoArchivio();   // the last draw, which the new one is when it is the latest
    dopoRicarica();
}

void GestioneArchivio::modificaEstrazione()
{
    const int mantenuto = indiceCorrente_;
    const QString data = LBLESTRAZIONE->text();
    if (!contesto_.dialoghi.domandaSiNo(this,
                                        QStringLiteral("Confermi la modifica dell'estrazione del %1 ?  La modifica è "
                                                       "relativa agli estratti e viene mantenuta la stessa data.")
                                            .arg(data),
                                        TitoloSalvataggio))
        return;
    const auto c = caselle();
    if (!controlla(contesto_.dialoghi, this, c, txtin) || !archivioAperto())
        return;
    try {
        fermaLettori();
        const auto esito = maintenance::modificaEstrazione(contesto_.sessione.dbEstrazioni(), contesto_.sessione.archivio(),
                                                          data.toStdString(), c);
        if (esito == maintenance::EsitoScrittura::NonTrovata) {
            contesto_.dialoghi.messaggio(this, QStringLiteral("Elemento non trovato. Possibile anomalia"), TitoloControllo,
                                         Icona::Nessuna);
            svuotaImporta();   // as after any correction: its marks may no longer hold
        } else {
            contesto_.dialoghi.messaggio(this, QStringLiteral("Modifica effettuata. Ricarico archivio."), TitoloSalvataggio,
                                         Icona::Informazione);
            AggiornaStatoArchivio();
            dopoRicarica();
        }
    } catch (const maintenance::ErroreScrittura& e) {
        contesto_.dialoghi.messaggio(this, messaggioErrore(e, percorsoArchivio()), TitoloAnomalia, Icona::Critica);
    }
    // The corrected draw again, whatever the reload showed.
    HScrestrazione->setValue(mantenuto);
    mostraEstrazione(mantenuto);
    impostaCalendario(LBLESTRAZIONE->text());
}

void GestioneArchivio::eliminaEstrazione()
{
    const QString data = LBLESTRAZIONE->text();
    // No is the default button: Enter must not delete a draw.
    if (!contesto_.dialoghi.domandaSiNo(this, QStringLiteral("Attenzione: sarà eliminata l'estrazione del %1.  Confermi ?").arg(data),
                                        QStringLiteral("Eliminazione record"), Icona::Domanda, true))
        return;
    if (!archivioAperto())
        return;
    try {
        fermaLettori();
        const auto esito = maintenance::eliminaEstrazione(contesto_.sessione.dbEstrazioni(), contesto_.sessione.archivio(),
                                                         data.toStdString());
        if (esito == maintenance::EsitoScrittura::NonTrovata)
            return;
    } catch (const maintenance::ErroreScrittura& e) {
        const QString testo = e.tipo() == maintenance::ErroreScrittura::Tipo::Database
            ? QStringLiteral("Impossibile eliminare l'estrazione del %1 dall'archivio \"%2\": %3. L'archivio non è "
                             "stato modificato.")
                  .arg(data, percorsoArchivio(), QString::fromStdString(e.what()))
            : messaggioErrore(e, percorsoArchivio());
        contesto_.dialoghi.messaggio(this, testo, TitoloAnomalia, Icona::Critica);
        return;
    }
    contesto_.dialoghi.messaggio(this, QStringLiteral("Estrazione cancellata. L'archivio verrà ricaricato."),
                                 QStringLiteral("Sistemazione Archivio estrazioni"), Icona::Informazione);
    AggiornaStatoArchivio();
    dopoRicarica();
}

int GestioneArchivio::indiceCasella(QObject* oggetto) const
{
    for (int i = 1; i <= maintenance::NumeroCaselle; ++i)
        if (txtin[static_cast<std::size_t>(i)] == oggetto)
            return i;
    return 0;
}

void GestioneArchivio::coloraCasella(int indice, grid::Colore colore)
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

bool GestioneArchivio::tastoCasella(int indice, int tasto)
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

bool GestioneArchivio::cifraRifiutata(int indice, const QString& tasto)
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
    // The key is not taken: the box keeps what it held and the player reads why at once.
    contesto_.dialoghi.messaggio(this, QString::fromStdString(rifiuto), TitoloControllo, Icona::Esclamazione);
    e->setFocus();
    e->setText(prima);   // leaving the box for the message wrote it out as "09"
    e->end(false);
    return true;
}

bool GestioneArchivio::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == pAN_DC && evento->type() == QEvent::MouseButtonPress) {
        chiediIndice();
        return true;
    }
    if (oggetto == FgDB && evento->type() == QEvent::Resize) {
        adattaColonneFgDB();
        return QWidget::eventFilter(oggetto, evento);
    }
    if (oggetto == Text2 && evento->type() == QEvent::MouseButtonDblClick) {
        Text2->clear();
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
