// "Gioca l'ambata": the result row as a play in the program database.
#include "ui/common/GiocaAmbata.h"

#include "plays/ArchivioGiocate.h"
#include "storage/Database.h"

#include <QMetaObject>
#include <QWidget>

#include <algorithm>

namespace ui {

std::int64_t giocaAmbata(Contesto& contesto, const QString& ambata, const std::array<bool, archive::NumeroRuote>& ruote,
                         int colpi, int riferimento, QWidget* genitore, const QString& formula)
{
    const QString titolo = QStringLiteral("Gioca l'ambata");
    bool ok = false;
    const int numero = ambata.trimmed().toInt(&ok);
    const auto& a = contesto.sessione.archivio();
    QString motivo;
    if (!ok || numero < 1 || numero > 90)
        motivo = QStringLiteral("La riga non ha un'ambata da giocare: la sua formula non si calcola sull'estrazione di riferimento.");
    else if (std::none_of(ruote.begin(), ruote.end(), [](bool r) { return r; }))
        motivo = QStringLiteral("Nessuna ruota in gioco: scegliere le ruote su cui giocare l'ambata.");
    else if (riferimento < 1 || riferimento > a.NumeroEstrazioni)
        motivo = QStringLiteral("Nessuna estrazione di riferimento.");
    if (!motivo.isEmpty()) {
        contesto.dialoghi.messaggio(genitore, motivo + QStringLiteral(" Nessuna giocata è stata aggiunta."), titolo, Icona::Esclamazione);
        return 0;
    }
    const std::string data = a.DateEstrazioni[static_cast<std::size_t>(riferimento)];
    std::string nota = "Ambata dal banco di lavoro";
    if (!formula.isEmpty())
        nota += ": formula " + formula.toStdString();
    nota += ", riferimento " + std::to_string(riferimento) + " del " + data;
    plays::Giocata g = plays::giocataDaAmbata(numero, ruote, std::max(colpi, 1), data, nota);
    g.finoAllaPrimaVincita = true;
    // A reference draw in the past: the wins the archive already holds are shown, not announced as news.
    plays::segnaGiaAnnunciate(g, a, regole::PremiLotto);
    std::int64_t id = 0;
    try {
        id = plays::aggiungiGiocata(contesto.sessione.dbProgramma(), g);
    } catch (const std::exception& e) {
        contesto.dialoghi.messaggio(genitore, QStringLiteral("La giocata non è stata salvata: %1").arg(QString::fromStdString(e.what())),
                                    titolo, Icona::Critica);
        return 0;
    }
    contesto.dialoghi.messaggio(genitore,
                                QStringLiteral("Aggiunta la giocata N° %1: ambata %2 su %3, 1 euro di estratto, dal %4 per %5 colpi, "
                                               "fino alla prima vincita.")
                                    .arg(id)
                                    .arg(numero)
                                    .arg(QString::fromStdString(plays::descrizioneRuote(ruote)))
                                    .arg(QString::fromStdString(g.dal))
                                    .arg(g.colpi),
                                titolo, Icona::Informazione);
    // The plays window, opened or brought to the front, shows it selected: its slot mostraGiocata, called by name.
    if (QWidget* w = contesto.apriFinestra(QStringLiteral("Giocate")))
        QMetaObject::invokeMethod(w, "mostraGiocata", Q_ARG(qint64, id));
    return id;
}

}
