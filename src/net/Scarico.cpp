// The download with QNetworkAccessManager: time and size limits, the body in memory, then the file replaced in one step.
#include "net/Scarico.h"

#include "sistema/Percorsi.h"
#include "storage/Sostituzione.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <memory>

namespace net {

namespace {

// Qt's own error texts are English: the user reads the common causes in Italian.
QString causa(const QNetworkReply* r)
{
    switch (r->error()) {
    case QNetworkReply::HostNotFoundError: return QStringLiteral("host %1 sconosciuto").arg(r->url().host());
    case QNetworkReply::ConnectionRefusedError: return QStringLiteral("collegamento rifiutato");
    case QNetworkReply::RemoteHostClosedError: return QStringLiteral("il server ha chiuso il collegamento");
    case QNetworkReply::TimeoutError: return QStringLiteral("il server non risponde");
    case QNetworkReply::SslHandshakeFailedError: return QStringLiteral("collegamento sicuro non riuscito");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError: return QStringLiteral("rete non disponibile");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError: return QStringLiteral("proxy non raggiungibile");
    case QNetworkReply::ProtocolUnknownError: return QStringLiteral("protocollo non supportato");
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError: return QStringLiteral("reindirizzamento non accettato");
    default: return QStringLiteral("errore di rete %1").arg(static_cast<int>(r->error()));
    }
}

// A transfer Qt ended on a redirect it would not follow, or on a compressed body it would not
// expand, in the player's words: Qt leaves only the 3xx status or a bare error number. Empty for
// any other end.
QString rifiuto(const QNetworkReply* r, int stato)
{
    const QString verso = QString::fromUtf8(r->rawHeader("Location"));
    if (r->error() == QNetworkReply::TooManyRedirectsError)
        return QStringLiteral("troppi reindirizzamenti: il server rimanda la richiesta da un indirizzo all'altro "
                              "senza mai arrivare al file");
    if (r->error() == QNetworkReply::InsecureRedirectError)
        return QStringLiteral("reindirizzamento rifiutato verso \"%1\": da un collegamento sicuro (https) a uno "
                              "non sicuro").arg(verso);
    // file:, ftp:, data: and the like are not followed: the fetch reads only from the web.
    if (stato >= 300 && stato < 400 && !verso.isEmpty())
        return QStringLiteral("reindirizzamento rifiutato verso \"%1\": si seguono solo indirizzi http e https").arg(verso);
    // Qt's guard against a body that expands far beyond its size on the wire (a decompression
    // bomb) and a damaged stream end alike, with no reason given (Qt 6.4): both are named.
    if (r->error() == QNetworkReply::UnknownContentError && r->hasRawHeader("Content-Encoding"))
        return QStringLiteral("il server ha inviato dati compressi (%1) rifiutati: danneggiati, oppure tali da "
                              "espandersi oltre ogni misura (possibile file malevolo)")
            .arg(QString::fromLatin1(r->rawHeader("Content-Encoding")));
    return {};
}

}

Scarico::Scarico(QObject* genitore)
    : QObject(genitore), rete_(new QNetworkAccessManager(this)), orologio_(new QTimer(this)), sorveglianza_(new QTimer(this))
{
    sorveglianza_->setInterval(50);
    connect(sorveglianza_, &QTimer::timeout, this, [this] {
        if (controllo_ && controllo_->fermato())
            fallisci(QStringLiteral("trasferimento annullato"));
    });
    // The request's own timeout counts a stall only; this one ends a transfer that trickles on.
    orologio_->setSingleShot(true);
    connect(orologio_, &QTimer::timeout, this, [this] { fallisci(QStringLiteral("tempo scaduto")); });
}

Scarico::~Scarico()
{
    if (risposta_) {
        risposta_->disconnect(this);
        risposta_->abort();
    }
}

bool Scarico::avvia(const QUrl& indirizzo, const QString& percorsoLocale)
{
    if (risposta_)
        return false;
    copia_ = percorsoLocale;
    return parti(indirizzo);
}

bool Scarico::avviaInMemoria(const QUrl& indirizzo)
{
    if (risposta_)
        return false;
    copia_.clear();
    return parti(indirizzo);
}

bool Scarico::parti(const QUrl& indirizzo)
{
    motivo_.clear();
    corpo_.clear();
    ricevuti_ = 0;
    controllo_ = std::make_unique<avanzamento::Avanzamento>();
    sorveglianza_->start();
    QNetworkRequest richiesta(indirizzo);
    richiesta.setTransferTimeout(timeoutMs);
    richiesta.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    risposta_ = rete_->get(richiesta);
    orologio_->start(timeoutMs);
    connect(risposta_, &QNetworkReply::readyRead, this, &Scarico::leggi);
    connect(risposta_, &QNetworkReply::finished, this, &Scarico::fine);
    connect(risposta_, &QNetworkReply::downloadProgress, this, [this, r = risposta_](qint64 ricevuti, qint64 totale) {
        // An aborted reply may still report progress after its end: the bar was already reset.
        if (r != risposta_)
            return;
        if (controllo_) {
            const auto kb = [](qint64 b) { return static_cast<int>(std::min<qint64>(b / 1024, INT32_MAX)); };
            controllo_->imposta(1, kb(ricevuti), totale > 0 ? kb(totale) : 0);
        }
        emit avanzamento(ricevuti, totale);
    });
    if (!indirizzo.isValid() || indirizzo.scheme().isEmpty())
        fallisci(QStringLiteral("indirizzo non valido"));
    return true;
}

void Scarico::annulla()
{
    if (controllo_)
        controllo_->ferma();
    if (risposta_)
        fallisci(QStringLiteral("trasferimento annullato"));
}

void Scarico::fallisci(const QString& motivo)
{
    if (motivo_.isEmpty())
        motivo_ = motivo;
    if (risposta_ && risposta_->isRunning())
        risposta_->abort();   // finished follows, and with it the end
}

void Scarico::leggi()
{
    if (!risposta_ || !motivo_.isEmpty())
        return;
    const QByteArray parte = risposta_->readAll();
    ricevuti_ += parte.size();
    if (ricevuti_ > dimensioneMassima) {
        fallisci(QStringLiteral("il file supera %1 byte").arg(dimensioneMassima));
        return;
    }
    corpo_ += parte;
}

// The whole body, and the line break the update copy always ended with, through the one safe
// replacement: the target is checked (a symbolic link, a folder, a read-only file are refused with
// their reason), written beside and renamed over it.
void Scarico::scriviCopia()
{
    try {
        storage::Sostituzione sostituzione(copia_.toStdString(), true);
        std::ofstream f(sistema::percorso(sostituzione.provvisorio()), std::ios::binary | std::ios::trunc);
        f.write(corpo_.constData(), corpo_.size());
        f.write("\r\n", 2);
        f.close();
        if (!f)
            throw storage::ErroreSostituzione(QStringLiteral("impossibile scrivere \"%1\"").arg(copia_).toStdString());
        sostituzione.conferma();
    } catch (const storage::ErroreSostituzione& e) {
        motivo_ = QString::fromStdString(e.what());
    }
    corpo_.clear();   // the copy is on disk; corpo() serves the fetch into memory
}

void Scarico::fine()
{
    QNetworkReply* r = risposta_;
    if (!r)
        return;
    if (motivo_.isEmpty())
        leggi();
    const int stato = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (motivo_.isEmpty()) {
        const QString rifiutato = rifiuto(r, stato);
        if (r->error() == QNetworkReply::OperationCanceledError)
            motivo_ = QStringLiteral("tempo scaduto");
        else if (!rifiutato.isEmpty())
            motivo_ = rifiutato;
        else if (r->error() != QNetworkReply::NoError && stato == 0)
            motivo_ = QStringLiteral("collegamento non riuscito (%1)").arg(causa(r));
        else if (stato != 200)
            motivo_ = QStringLiteral("il server ha risposto %1").arg(stato);
        else if (r->error() != QNetworkReply::NoError)
            motivo_ = QStringLiteral("trasferimento interrotto (%1)").arg(causa(r));
    }
    if (!copia_.isEmpty() && motivo_.isEmpty())
        scriviCopia();
    if (!motivo_.isEmpty())
        corpo_.clear();   // a partial body is never taken for the file
    orologio_->stop();
    sorveglianza_->stop();
    risposta_ = nullptr;
    r->disconnect(this);
    r->deleteLater();
    const QString motivo = motivo_;
    emit terminato(motivo.isEmpty(), motivo);
}

EsitoScarico scaricaInMemoria(const std::string& indirizzo, int timeoutMs, qint64 dimensioneMassima)
{
    std::unique_ptr<QCoreApplication> propria;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char nome[] = "velmora-cli";
        static char* argv[] = {nome, nullptr};
        propria = std::make_unique<QCoreApplication>(argc, argv);
    }
    EsitoScarico esito;
    Scarico scarico;
    scarico.timeoutMs = timeoutMs;
    scarico.dimensioneMassima = dimensioneMassima;
    QEventLoop ciclo;
    QObject::connect(&scarico, &Scarico::terminato, &ciclo, [&](bool riuscito, const QString& motivo) {
        esito.riuscito = riuscito;
        esito.motivo = motivo.toStdString();
        ciclo.quit();
    });
    // A fetch that does not start has already reported through terminato (or there is nothing to wait for).
    if (scarico.avviaInMemoria(QUrl(QString::fromStdString(indirizzo))) && scarico.inCorso())
        ciclo.exec();
    if (esito.riuscito)
        esito.corpo = scarico.corpo().toStdString();
    return esito;
}

}
