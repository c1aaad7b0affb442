// The one HTTP fetch of the program: the published update file into its local copy, replaced only by a complete download.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
#include <QNetworkReply>
class QSaveFile;
class QTimer;

namespace ui {

// Fetches one address into a file. The body is written beside the file and renamed over it
// only when the server answered 200 with the whole body, within the time and size limits; any
// failure (no connection, an error page, a cut or endless transfer, a cancel) leaves the
// earlier copy as it was. A line break follows the body, as the copy was always written.
class ScaricoAggiornamenti : public QObject {
    Q_OBJECT
public:
    explicit ScaricoAggiornamenti(QObject* genitore = nullptr);
    ~ScaricoAggiornamenti() override;

    // Whole transfer, from the request to the last byte.
    int timeoutMs = 30000;
    // The published file is a few hundred kilobytes; anything far larger is not it.
    qint64 dimensioneMassima = 16 * 1024 * 1024;

    // Starts the fetch; false (and no signal) while another is running.
    bool avvia(const QUrl& indirizzo, const QString& percorsoLocale);
    bool inCorso() const { return risposta_ != nullptr; }
    // Command26: ends the transfer in progress as a failure.
    void annulla();

signals:
    // `riuscito` with the copy in place; otherwise `motivo` says why, in Italian.
    void terminato(bool riuscito, const QString& motivo);

private:
    void leggi();
    void fine();
    void fallisci(const QString& motivo);

    QNetworkAccessManager* rete_;
    QPointer<QNetworkReply> risposta_;
    QSaveFile* copia_ = nullptr;
    QTimer* orologio_;
    qint64 ricevuti_ = 0;
    QString motivo_;
};

}
