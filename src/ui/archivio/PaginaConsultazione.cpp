// The browser and calendar pages of archivio: selection of a draw, searches by index and date, the year calendar.
#include "ui/archivio/GestioneArchivio.h"

#include "maintenance/Consultazione.h"
#include "ui/common/GrigliaView.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QScrollBar>

namespace ui {

void GestioneArchivio::selezioneEstrazione()
{
    const int r = FgDB_.rigaCorrente;
    if (r < 1 || r >= FgDB_.righe())
        return;
    HScrestrazione->setValue(r);
    const QString data = QString::fromStdString(FgDB_.testo(r, 1));
    impostaCalendario(data);
    Text1->setText(data);
    mostraPagina(PaginaInserimento);
}

void GestioneArchivio::ricercaPerIndice()
{
    const auto testo = contesto_.dialoghi.inputBox(this, QStringLiteral("Inserire il n° indice dell'archivio modello."),
                                                   QStringLiteral("Scelta estrazione"));
    if (!testo)
        return;
    const int n = contesto_.sessione.archivio().NumeroEstrazioni;
    if (const auto k = maintenance::leggiIndice(testo->toStdString(), maintenance::IndiceMinimoRicerca, n))
        HScrestrazione->setValue(*k);
}

void GestioneArchivio::ricercaPerData()
{
    const auto testo = contesto_.dialoghi.inputBox(this, QStringLiteral("Data ?"), QStringLiteral("Ricerca per data GG/MM/AAAA"));
    if (!testo)
        return;   // cancelled: nothing was asked for
    if (const auto d = maintenance::cercaDataModello(contesto_.sessione.archivio(), testo->toStdString()))
        HScrestrazione->setValue(*d);
    else
        contesto_.dialoghi.messaggio(this, QStringLiteral("Data non trovata"), QStringLiteral("Cerca data"), Icona::Informazione);
}

void GestioneArchivio::caricaCalendario()
{
    bool ok = false;
    const int anno = Combo1->currentText().toInt(&ok);
    try {
        if (ok && contesto_.sessione.dbEstrazioni().aperto())
            maintenance::CaricaCalendario(contesto_.sessione.dbEstrazioni(), anno, Check2->isChecked(), Fg1_);
        else
            Fg1_.setRighe(1);
    } catch (const std::exception&) {
        // A calendar that cannot be built stays empty, without a message.
        Fg1_.setRighe(1);
    }
    Fg1_.setNascosta(0, true);
    Fg1->setFisse(1, 1);
    Fg1->aggiorna();
}

void GestioneArchivio::clicCalendario(int riga, int colonna)
{
    const auto data = maintenance::dataCalendario(Fg1_, riga, colonna);
    if (!data)
        return;
    if (const auto d = maintenance::cercaDataDallaFine(contesto_.sessione.archivio(), *data))
        HScrestrazione->setValue(*d);
}

}
