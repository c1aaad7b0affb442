// The Qt dialogs and the scripted ones used by the tests.
#include "ui/common/Dialoghi.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPrintDialog>
#include <QPrinter>

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

std::optional<QString> dialogoFile(QWidget* genitore, const OpzioniFile& o, QFileDialog::AcceptMode modo)
{
    QFileDialog d(genitore, o.titolo, o.cartella, o.filtro);
    d.setAcceptMode(modo);
    d.setFileMode(modo == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    d.setDefaultSuffix(o.estensione);
    // Replacing an existing file is the caller's question, asked once through this interface.
    d.setOption(QFileDialog::DontConfirmOverwrite, modo == QFileDialog::AcceptSave);
    if (!o.nomeIniziale.isEmpty())
        d.selectFile(o.nomeIniziale);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    return d.selectedFiles().first();
}
}

namespace {
// Wide enough for the title in the window manager's bar (bold, with its buttons beside
// it): a short text under a long title would leave the title cut.
int larghezzaPerTitolo(const QString& titolo)
{
    QFont f = QApplication::font();
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(titolo) + 140;
}

void allargaPerTitolo(QMessageBox& box, const QString& titolo)
{
    if (auto* g = qobject_cast<QGridLayout*>(box.layout()))
        g->addItem(new QSpacerItem(larghezzaPerTitolo(titolo), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                   g->rowCount(), 0, 1, g->columnCount());
}
}

void DialoghiQt::messaggio(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona)
{
    QMessageBox box(iconaQt(icona), titolo, testo, QMessageBox::Ok, genitore);
    allargaPerTitolo(box, titolo);
    box.exec();
}

bool DialoghiQt::domandaSiNo(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona, bool noPredefinito)
{
    QMessageBox box(iconaQt(icona), titolo, testo, QMessageBox::Yes | QMessageBox::No, genitore);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    box.setDefaultButton(noPredefinito ? QMessageBox::No : QMessageBox::Yes);
    allargaPerTitolo(box, titolo);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DialoghiQt::inputBox(QWidget* genitore, const QString& testo, const QString& titolo,
                                            const QString& predefinito)
{
    QInputDialog d(genitore);
    d.setWindowTitle(titolo);
    d.setLabelText(testo);
    d.setTextValue(predefinito);
    // The dialog sizes itself by its layout: the line edit carries the width.
    if (auto* campo = d.findChild<QLineEdit*>())
        campo->setMinimumWidth(larghezzaPerTitolo(titolo) - 40);
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    return d.textValue();
}

std::optional<QString> DialoghiQt::apriFile(QWidget* genitore, const OpzioniFile& opzioni)
{
    return dialogoFile(genitore, opzioni, QFileDialog::AcceptOpen);
}

std::optional<QString> DialoghiQt::salvaFile(QWidget* genitore, const OpzioniFile& opzioni)
{
    return dialogoFile(genitore, opzioni, QFileDialog::AcceptSave);
}

std::optional<QString> DialoghiQt::scegliCartella(QWidget* genitore, const QString& titolo, const QString& cartella)
{
    const QString scelta = QFileDialog::getExistingDirectory(genitore, titolo, cartella);
    if (scelta.isEmpty())
        return std::nullopt;
    return scelta;
}

bool DialoghiQt::scegliStampante(QWidget* genitore, QPrinter& stampante)
{
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

std::optional<QString> DialoghiScriptati::apriFile(QWidget*, const OpzioniFile& opzioni)
{
    registra({Tipo::ApriFile, {}, opzioni.titolo, Icona::Nessuna, opzioni});
    return prossima(risposteFile);
}

std::optional<QString> DialoghiScriptati::salvaFile(QWidget*, const OpzioniFile& opzioni)
{
    registra({Tipo::SalvaFile, {}, opzioni.titolo, Icona::Nessuna, opzioni});
    return prossima(risposteFile);
}

std::optional<QString> DialoghiScriptati::scegliCartella(QWidget*, const QString& titolo, const QString& cartella)
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

std::optional<QString> DialoghiSenzaUtente::apriFile(QWidget*, const OpzioniFile& opzioni)
{
    scrivi(opzioni.titolo, QStringLiteral("scelta del file annullata, nessun utente"));
    return std::nullopt;
}

std::optional<QString> DialoghiSenzaUtente::salvaFile(QWidget*, const OpzioniFile& opzioni)
{
    scrivi(opzioni.titolo, QStringLiteral("scelta del file annullata, nessun utente"));
    return std::nullopt;
}

std::optional<QString> DialoghiSenzaUtente::scegliCartella(QWidget*, const QString& titolo, const QString&)
{
    scrivi(titolo, QStringLiteral("scelta della cartella annullata, nessun utente"));
    return std::nullopt;
}

bool DialoghiSenzaUtente::scegliStampante(QWidget*, QPrinter&) { return false; }

}
