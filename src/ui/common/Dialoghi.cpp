// The Qt dialogs and the scripted ones used by the tests.
#include "ui/common/Dialoghi.h"

#include "ui/common/Percorsi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QFileDialog>
#include <QFont>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPrintDialog>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPrinter>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace ui {

namespace {
QMessageBox::Icon iconaQt(Icona i)
{
    switch (i) {
    case Icona::Informazione: return QMessageBox::Information;
    case Icona::Esclamazione: return QMessageBox::Warning;
    case Icona::Critica: return QMessageBox::Critical;
    case Icona::Domanda: return QMessageBox::Question;
    case Icona::Nessuna: break;
    }
    return QMessageBox::NoIcon;
}

// A window not yet on the screen (the start-up window asking before it shows) would place a box at
// its own unset position, in a corner: the box goes to the middle of the screen instead.
QWidget* sopra(QWidget* genitore)
{
    return genitore && genitore->window()->isVisible() ? genitore : nullptr;
}

// The width a box needs for its whole title on the title bar: the title in bold, as window managers
// draw it, plus room for the bar's icon and buttons. A short text would otherwise make the box, and
// its title with it, narrower ("Aggiorna... archivio").
int larghezzaPerIlTitolo(const QString& titolo)
{
    QFont grassetto = QApplication::font();
    grassetto.setBold(true);
    return QFontMetrics(grassetto).horizontalAdvance(titolo) + 160;
}

// QMessageBox sizes itself from its text and buttons and ignores a minimum width: a spacer under them does it.
void allargaPerIlTitolo(QMessageBox& box, const QString& titolo)
{
    if (auto* griglia = qobject_cast<QGridLayout*>(box.layout()))
        griglia->addItem(new QSpacerItem(larghezzaPerIlTitolo(titolo), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                         griglia->rowCount(), 0, 1, griglia->columnCount());
}

std::optional<QString> dialogoFile(QWidget* genitore, const OpzioniFile& o, QFileDialog::AcceptMode modo)
{
    QFileDialog d(sopra(genitore), o.titolo, o.cartella, o.filtro);
    d.setAcceptMode(modo);
    // Qt's own dialog, which speaks the program's Italian: the desktop's would follow the system's language.
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setFileMode(modo == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    d.setDefaultSuffix(o.estensione);
    // Replacing an existing file is the caller's question, asked once through this interface.
    d.setOption(QFileDialog::DontConfirmOverwrite, modo == QFileDialog::AcceptSave);
    if (!o.nomeIniziale.isEmpty())
        d.selectFile(o.nomeIniziale);
    if (!o.scorciatoie.isEmpty()) {
        QList<QUrl> luoghi = d.sidebarUrls();
        for (const QString& c : o.scorciatoie)
            luoghi << QUrl::fromLocalFile(c);
        d.setSidebarUrls(luoghi);
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return d.selectedFiles().first();
}
}

std::optional<QString> Dialoghi::apriFile(QWidget* genitore, const OpzioniFile& opzioni)
{
    OpzioniFile o = opzioni;
    o.cartella = cartellaIniziale(o.scopo, o.cartella);
    return ricorda(o.scopo, mostraApriFile(genitore, o));
}

std::optional<QString> Dialoghi::salvaFile(QWidget* genitore, const OpzioniFile& opzioni)
{
    OpzioniFile o = opzioni;
    o.cartella = cartellaIniziale(o.scopo, o.cartella);
    return ricorda(o.scopo, mostraSalvaFile(genitore, o));
}

std::optional<QString> Dialoghi::scegliCartella(QWidget* genitore, const QString& titolo, const QString& cartella)
{
    return mostraScegliCartella(genitore, titolo, cartellaIniziale({}, cartella));
}

QString Dialoghi::cartellaIniziale(const QString& scopo, const QString& proposta) const
{
    const auto adatta = [this](const QString& cartella) {
        if (cartella.isEmpty())
            return false;
        const QDir d(cartella);
        if (!d.exists() || d.exists(QStringLiteral("DbPiramide.db")) || d.exists(QStringLiteral("PercorsoDatabase.txt")))
            return false;
        return memoria.cartellaProgramma.isEmpty()
               || QFileInfo(cartella).canonicalFilePath() != QFileInfo(memoria.cartellaProgramma).canonicalFilePath();
    };
    if (!scopo.isEmpty() && memoria.leggi) {
        const QString ultima = memoria.leggi(scopo);
        if (adatta(ultima))
            return ultima;
    }
    if (adatta(proposta))
        return proposta;
    const QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (adatta(documenti))
        return documenti;
    return QDir::homePath();
}

std::optional<QString> Dialoghi::ricorda(const QString& scopo, const std::optional<QString>& scelto)
{
    if (scelto && !scopo.isEmpty() && memoria.scrivi)
        memoria.scrivi(scopo, QFileInfo(*scelto).absolutePath());
    return scelto;
}

namespace {

// The control that had the focus before a modal dialog gets it back once the dialog is answered.
// Left to the window system, the main window comes back active with its first button focused
// (one more Enter would open the workbench) whenever the control sits in one of its sub-windows.
// The window system gives the window back its activation a moment after the dialog closed, and
// Qt then focuses the main window's first button: the first focus that lands outside every
// sub-window is sent back to the control. One that lands in a sub-window (a work that ended
// gives its control back) is left where it is.
class FuocoAllAttivazione : public QObject {
public:
    explicit FuocoAllAttivazione(QWidget* controllo) : QObject(controllo), controllo_(controllo)
    {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ora) {
            if (!ora)
                return;
            bool inSottofinestra = ora == controllo_;
            for (QWidget* w = ora; w && !inSottofinestra; w = w->parentWidget())
                inSottofinestra = qobject_cast<QMdiSubWindow*>(w) != nullptr;
            if (!inSottofinestra)
                QTimer::singleShot(0, controllo_, [c = controllo_] {
                    if (c && c->isVisible() && c->isEnabled())
                        c->setFocus(Qt::ActiveWindowFocusReason);
                });
            deleteLater();
        });
        QTimer::singleShot(2000, this, &QObject::deleteLater);   // nothing came: nothing to mend
    }

private:
    QPointer<QWidget> controllo_;
};

class RidaiFuoco {
public:
    RidaiFuoco() : fuoco_(QApplication::focusWidget()) {}
    ~RidaiFuoco()
    {
        if (!fuoco_ || !fuoco_->isVisible() || !fuoco_->isEnabled())
            return;
        // The code after the dialog (a work that starts, another question) must find the control focused
        // already: the window is made active again at once, and the control focused in it.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(fuoco_->window());
        QT_WARNING_POP
        fuoco_->setFocus(Qt::ActiveWindowFocusReason);
        new FuocoAllAttivazione(fuoco_);
    }
    RidaiFuoco(const RidaiFuoco&) = delete;
    RidaiFuoco& operator=(const RidaiFuoco&) = delete;

private:
    QPointer<QWidget> fuoco_;
};

}

void DialoghiQt::messaggio(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona)
{
    const RidaiFuoco ridai;
    QMessageBox box(iconaQt(icona), titolo, testo, QMessageBox::Ok, sopra(genitore));
    allargaPerIlTitolo(box, titolo);
    box.exec();
}

bool DialoghiQt::domandaSiNo(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona, bool noPredefinito)
{
    const RidaiFuoco ridai;
    QMessageBox box(iconaQt(icona), titolo, testo, QMessageBox::Yes | QMessageBox::No, sopra(genitore));
    allargaPerIlTitolo(box, titolo);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    box.setDefaultButton(noPredefinito ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DialoghiQt::inputBox(QWidget* genitore, const QString& testo, const QString& titolo,
                                            const QString& predefinito)
{
    const RidaiFuoco ridai;
    QInputDialog box(sopra(genitore));
    box.setWindowTitle(titolo);
    box.setLabelText(testo);
    box.setTextValue(predefinito);
    // The dialog's layout fixes its size from its contents: the text box carries the width.
    if (auto* casella = box.findChild<QLineEdit*>())
        casella->setMinimumWidth(larghezzaPerIlTitolo(titolo) - 30);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

std::optional<QString> DialoghiQt::mostraApriFile(QWidget* genitore, const OpzioniFile& opzioni)
{
    return dialogoFile(genitore, opzioni, QFileDialog::AcceptOpen);
}

std::optional<QString> DialoghiQt::mostraSalvaFile(QWidget* genitore, const OpzioniFile& opzioni)
{
    return dialogoFile(genitore, opzioni, QFileDialog::AcceptSave);
}

std::optional<QString> DialoghiQt::mostraScegliCartella(QWidget* genitore, const QString& titolo, const QString& cartella)
{
    const QString scelta = QFileDialog::getExistingDirectory(genitore, titolo, cartella,
                                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (scelta.isEmpty())
        return std::nullopt;
    return scelta;
}

bool DialoghiQt::scegliStampante(QWidget* genitore, QPrinter& stampante)
{
    // Printed to a PDF file, the document's name is the file's: a date's "/" would make it a folder.
    stampante.setDocName(nomeFileValido(stampante.docName()));
    QPrintDialog d(&stampante, genitore);
    return d.exec() == QDialog::Accepted;
}

void DialoghiScriptati::registra(Voce v)
{
    voci_.push_back(v);
    if (allaChiamata)
        allaChiamata(voci_.back());
}

std::vector<DialoghiScriptati::Voce> DialoghiScriptati::messaggi() const
{
    std::vector<Voce> r;
    for (const auto& v : voci_)
        if (v.tipo == Tipo::Messaggio)
            r.push_back(v);
    return r;
}

void DialoghiScriptati::messaggio(QWidget*, const QString& testo, const QString& titolo, Icona icona)
{
    registra({Tipo::Messaggio, testo, titolo, icona, {}});
}

bool DialoghiScriptati::domandaSiNo(QWidget*, const QString& testo, const QString& titolo, Icona icona, bool noPredefinito)
{
    registra({Tipo::Domanda, testo, titolo, icona, {}, noPredefinito});
    if (risposteSiNo.empty())
        return false;
    const bool r = risposteSiNo.front();
    risposteSiNo.pop_front();
    return r;
}

namespace {
// The next scripted answer, or a cancelled dialog when the script has run out.
std::optional<QString> prossima(std::deque<std::optional<QString>>& risposte)
{
    if (risposte.empty())
        return std::nullopt;
    std::optional<QString> r;
    r.swap(risposte.front());
    risposte.pop_front();
    return r;
}
}

std::optional<QString> DialoghiScriptati::inputBox(QWidget*, const QString& testo, const QString& titolo, const QString&)
{
    registra({Tipo::Input, testo, titolo, Icona::Nessuna, {}});
    return prossima(risposteInput);
}

std::optional<QString> DialoghiScriptati::mostraApriFile(QWidget*, const OpzioniFile& opzioni)
{
    registra({Tipo::ApriFile, {}, opzioni.titolo, Icona::Nessuna, opzioni});
    return prossima(risposteFile);
}

std::optional<QString> DialoghiScriptati::mostraSalvaFile(QWidget*, const OpzioniFile& opzioni)
{
    registra({Tipo::SalvaFile, {}, opzioni.titolo, Icona::Nessuna, opzioni});
    return prossima(risposteFile);
}

std::optional<QString> DialoghiScriptati::mostraScegliCartella(QWidget*, const QString& titolo, const QString& cartella)
{
    OpzioniFile o;
    o.titolo = titolo;
    o.cartella = cartella;
    registra({Tipo::Cartella, {}, titolo, Icona::Nessuna, o});
    return prossima(risposteFile);
}

bool DialoghiScriptati::scegliStampante(QWidget*, QPrinter& stampante)
{
    registra({Tipo::Stampante, {}, {}, Icona::Nessuna, {}});
    if (risposteStampante.empty())
        return false;
    const bool r = risposteStampante.front();
    risposteStampante.pop_front();
    if (r && allaStampante)
        allaStampante(stampante);
    return r;
}

void DialoghiSenzaUtente::scrivi(const QString& titolo, const QString& testo)
{
    std::fprintf(stderr, "velmora: %s: %s\n", titolo.toLocal8Bit().constData(), testo.toLocal8Bit().constData());
    std::fflush(stderr);
}

void DialoghiSenzaUtente::messaggio(QWidget*, const QString& testo, const QString& titolo, Icona)
{
    scrivi(titolo, testo);
    ++segnalazioni_;
    if (allaSegnalazione)
        allaSegnalazione();
}

bool DialoghiSenzaUtente::domandaSiNo(QWidget*, const QString& testo, const QString& titolo, Icona, bool)
{
    scrivi(titolo, testo + QStringLiteral(" (risposta: No, nessun utente)"));
    return false;
}

std::optional<QString> DialoghiSenzaUtente::inputBox(QWidget*, const QString& testo, const QString& titolo, const QString&)
{
    scrivi(titolo, testo + QStringLiteral(" (annullato, nessun utente)"));
    return std::nullopt;
}

std::optional<QString> DialoghiSenzaUtente::mostraApriFile(QWidget*, const OpzioniFile& opzioni)
{
    scrivi(opzioni.titolo, QStringLiteral("scelta del file annullata, nessun utente"));
    return std::nullopt;
}

std::optional<QString> DialoghiSenzaUtente::mostraSalvaFile(QWidget*, const OpzioniFile& opzioni)
{
    scrivi(opzioni.titolo, QStringLiteral("scelta del file annullata, nessun utente"));
    return std::nullopt;
}

std::optional<QString> DialoghiSenzaUtente::mostraScegliCartella(QWidget*, const QString& titolo, const QString&)
{
    scrivi(titolo, QStringLiteral("scelta della cartella annullata, nessun utente"));
    return std::nullopt;
}

bool DialoghiSenzaUtente::scegliStampante(QWidget*, QPrinter&) { return false; }

}
