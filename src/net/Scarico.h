// The one HTTP fetch of the program (window and velmora-cli): time and size limits, progress, cancel, a file replaced only by a complete body.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "avanzamento/Avanzamento.h"

#include <memory>
#include <string>

class QNetworkAccessManager;
#include <QNetworkReply>
class QTimer;

namespace net {

// Fetches one address into a file or into memory. The body is kept in memory; a file is written
// through storage::Sostituzione (beside its target, renamed over it, never through a symbolic
// link) only when the server answered 200 with the whole body, within the time and size limits;
// any failure (no connection, an error page, a refused redirect, a cut or endless transfer, a
// cancel, a target that may not be replaced) leaves the earlier copy as it was.
class Scarico : public QObject {
    Q_OBJECT
public:
    explicit Scarico(QObject* genitore = nullptr);
    ~Scarico() override;

    // Whole transfer, from the request to the last byte.
    int timeoutMs = 30000;
    // The published files are a few hundred kilobytes; anything far larger is not them.
    qint64 dimensioneMassima = 16 * 1024 * 1024;

    // Starts the fetch into `percorsoLocale`, a line break after the body (as the update copy was
    // always written); false (and no signal) while another is running.
    [[nodiscard]] bool avvia(const QUrl& indirizzo, const QString& percorsoLocale);
    // Starts the fetch into memory: corpo() once terminato reports success.
    [[nodiscard]] bool avviaInMemoria(const QUrl& indirizzo);
    bool inCorso() const { return risposta_ != nullptr; }
    // Command26: ends the transfer in progress as a failure.
    void annulla();
    // The transfer's progress and stop, as every long command of the program shares them: bar 1
    // holds the kilobytes received of the total (0 when the server did not say); a stop requested
    // from any thread ends the transfer as annulla() does within 50 ms. Null when nothing runs.
    avanzamento::Avanzamento* controllo() const { return controllo_.get(); }
    const QByteArray& corpo() const { return corpo_; }

signals:
    // Bytes received so far, of `totale` (-1 when the server did not say).
    void avanzamento(qint64 ricevuti, qint64 totale);
    // `riuscito` with the copy in place; otherwise `motivo` says why, in Italian.
    void terminato(bool riuscito, const QString& motivo);

private:
    [[nodiscard]] bool parti(const QUrl& indirizzo);
    void leggi();
    void fine();
    void fallisci(const QString& motivo);
    void scriviCopia();

    QNetworkAccessManager* rete_;
    QPointer<QNetworkReply> risposta_;
    QString copia_;   // the file to replace; empty for a fetch into memory
    QByteArray corpo_;
    QTimer* orologio_;
    QTimer* sorveglianza_;   // watches controllo_ for a stop
    std::unique_ptr<avanzamento::Avanzamento> controllo_;
    qint64 ricevuti_ = 0;
    QString motivo_;
};

struct EsitoScarico {
    bool riuscito = false;
    std::string motivo;   // Italian, when it failed
    std::string corpo;
};

// The fetch into memory for a program without a window (velmora-cli): waits for the end on an
// event loop of its own, making the application object when there is none.
EsitoScarico scaricaInMemoria(const std::string& indirizzo, int timeoutMs = 30000,
                              qint64 dimensioneMassima = 16 * 1024 * 1024);

}
