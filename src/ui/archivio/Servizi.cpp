// The services the pages of archivio share: busy state, refusals, the open archive, the stored defaults.
#include "ui/archivio/Servizi.h"

#include "net/Scarico.h"
#include "storage/ProgramDb.h"

#include <QWidget>

namespace ui::archivio {

Servizi::Servizi(Contesto& c, QWidget* finestra) : QObject(finestra), contesto(c), scarico_(new net::Scarico(this)) {}

Servizi::~Servizi()
{
    // A download still running ends without reporting to pages that are going.
    scarico_->disconnect();
}

bool Servizi::inCorso() const { return lavoro_.occupato() || scarico_->inCorso(); }

bool Servizi::rifiutaSeInCorso(QWidget* chi)
{
    if (!inCorso())
        return false;
    contesto.dialoghi.messaggio(chi,
                                scarico_->inCorso()
                                    ? QStringLiteral("È in corso lo scaricamento da %1: attendere che finisca o annullarlo "
                                                     "con Annulla.")
                                          .arg(indirizzoScarico)
                                    : QStringLiteral("È in corso un'altra operazione sull'archivio: attendere che finisca."),
                                QStringLiteral("Avviso"), Icona::Esclamazione);
    return true;
}

void Servizi::occupa(bool occupata)
{
    // A work that ends (or is refused) while another runs must not hand the window back to the player.
    if (occupata)
        ++occupazioni_;
    else if (occupazioni_ > 0)
        --occupazioni_;
    emit occupazioneCambiata();
}

bool Servizi::archivioAperto(QWidget* chi)
{
    if (contesto.sessione.dbEstrazioni().aperto())
        return true;
    contesto.dialoghi.messaggio(chi,
                                QStringLiteral("L'archivio \"%1\" non è aperto: nessuna modifica è stata registrata.")
                                    .arg(QString::fromStdString(contesto.sessione.percorsoArchivio())),
                                QStringLiteral("Anomalia archivio"), Icona::Critica);
    return false;
}

QString Servizi::percorsoArchivio() const { return QString::fromStdString(contesto.sessione.dbEstrazioni().percorso()); }

void Servizi::fermaLettori()
{
    // The draws in memory are about to be rewritten: a search or a comparison of another
    // window reading them on a worker thread is stopped, and waited for, first.
    LavoroDiFondo::fermaTutti();
}

bool Servizi::parametroPredefinito(QWidget* chi, const char* chiave, const QString& valore)
{
    auto& db = contesto.sessione.dbProgramma();
    try {
        if (!db.aperto() || !storage::LeggiParametro(db, chiave))
            return false;   // no row: nothing is written and nothing said
        storage::ScriviParametro(db, chiave, valore.toStdString());
    } catch (const std::exception& e) {
        contesto.dialoghi.messaggio(chi,
                                    QStringLiteral("Impossibile salvare \"%1\" nel database del programma \"%2\": %3.\n"
                                                   "Il valore predefinito resta quello di prima.")
                                        .arg(QString::fromLatin1(chiave), QString::fromStdString(db.percorso()),
                                             QString::fromStdString(e.what())),
                                    QStringLiteral("Salvataggio"), Icona::Critica);
        return false;
    }
    contesto.dialoghi.messaggio(chi, QStringLiteral("Salvataggio effettuato"), QStringLiteral("Salvataggio"),
                                Icona::Informazione);
    return true;
}

}
