// The download of the update file with QNetworkAccessManager: time and size limits, a temporary file renamed into place.
#include "ui/archivio/Scarico.h"

#include <QNetworkAccessManager>

#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

namespace ui {

ScaricoAggiornamenti::ScaricoAggiornamenti(QObject* genitore) : QObject(genitore), rete_(new QNetworkAccessManager(this)), orologio_(new QTimer(this))
{
    // The request's own timeout counts a stall only; this one ends a transfer that trickles on.
    orologio_->setSingleShot(true);
    connect(orologio_, &QTimer::timeout, this, [this] { fallisci(QStringLiteral("tempo scaduto")); });
}

ScaricoAggiornamenti::~ScaricoAggiornamenti()
{
    if (risposta_) {
        risposta_->disconnect(this);
        risposta_->abort();
    }
    if (copia_)
        copia_->cancelWriting();
    delete copia_;
}

bool ScaricoAggiornamenti::avvia(const QUrl& indirizzo, const QString& percorsoLocale)
{
    if (risposta_)
        return false;
    motivo_.clear();
    ricevuti_ = 0;
    delete copia_;
    copia_ = new QSaveFile(percorsoLocale);
    QNetworkRequest richiesta(indirizzo);
    richiesta.setTransferTimeout(timeoutMs);
    richiesta.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    risposta_ = rete_->get(richiesta);
    orologio_->start(timeoutMs);
    connect(risposta_, &QNetworkReply::readyRead, this, &ScaricoAggiornamenti::leggi);
    connect(risposta_, &QNetworkReply::finished, this, &ScaricoAggiornamenti::fine);
    if (!indirizzo.isValid() || indirizzo.scheme().isEmpty())
        fallisci(QStringLiteral("indirizzo non valido"));
    return true;
}

void ScaricoAggiornamenti::annulla()
{
    if (risposta_)
        fallisci(QStringLiteral("trasferimento annullato"));
}

void ScaricoAggiornamenti::fallisci(const QString& motivo)
{
    if (motivo_.isEmpty())
        motivo_ = motivo;
    if (risposta_ && risposta_->isRunning())
        risposta_->abort();   // finished follows, and with it the end
}

void ScaricoAggiornamenti::leggi()
{
    if (!risposta_ || !motivo_.isEmpty())
        return;
    const QByteArray parte = risposta_->readAll();
    ricevuti_ += parte.size();
    if (ricevuti_ > dimensioneMassima) {
        fallisci(QStringLiteral("il file supera %1 byte").arg(dimensioneMassima));
        return;
    }
    if (!copia_->isOpen() && !copia_->open(QIODevice::WriteOnly)) {
        fallisci(QStringLiteral("impossibile scrivere \"%1\"").arg(copia_->fileName()));
        return;
    }
    if (copia_->write(parte) != parte.size())
        fallisci(QStringLiteral("impossibile scrivere \"%1\"").arg(copia_->fileName()));
}

void ScaricoAggiornamenti::fine()
{
    QNetworkReply* r = risposta_;
    if (!r)
        return;
    if (motivo_.isEmpty())
        leggi();
    const int stato = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (motivo_.isEmpty()) {
        if (r->error() == QNetworkReply::OperationCanceledError)
            motivo_ = QStringLiteral("tempo scaduto");
        else if (r->error() != QNetworkReply::NoError && stato == 0)
            motivo_ = QStringLiteral("collegamento non riuscito (%1)").arg(r->errorString());
        else if (stato != 200)
            motivo_ = QStringLiteral("il server ha risposto %1").arg(stato);
        else if (r->error() != QNetworkReply::NoError)
            motivo_ = QStringLiteral("trasferimento interrotto (%1)").arg(r->errorString());
    }
    if (motivo_.isEmpty()) {
        if (!copia_->isOpen() && !copia_->open(QIODevice::WriteOnly))
            motivo_ = QStringLiteral("impossibile scrivere \"%1\"").arg(copia_->fileName());
        else if (copia_->write("\r\n") != 2 || !copia_->commit())
            motivo_ = QStringLiteral("impossibile scrivere \"%1\"").arg(copia_->fileName());
    } else if (copia_->isOpen()) {
        copia_->cancelWriting();
        copia_->commit();   // a cancelled QSaveFile removes its temporary file and leaves the target alone
    }
    orologio_->stop();
    risposta_ = nullptr;
    r->deleteLater();
    const QString motivo = motivo_;
    emit terminato(motivo.isEmpty(), motivo);
}

}
