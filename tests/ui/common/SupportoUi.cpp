// Shared set-up of the window tests.
#include "SupportoUi.h"

#include "archive/ArchivioDimostrativo.h"
#include "storage/ProgramDb.h"
#include "ui/common/RegistroFinestre.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSignalSpy>

namespace testui {

std::pair<std::string, std::string> velmoraCli(const QStringList& argomenti)
{
    QProcess p;
    p.start(QString::fromUtf8(VELMORA_CLI), argomenti);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qFatal("velmora-cli %s: %s", qPrintable(argomenti.join(QLatin1Char(' '))), p.readAllStandardError().constData());
    std::string err = p.readAllStandardError().toStdString();
    if (!err.empty() && err.back() == '\n')
        err.pop_back();
    return {p.readAllStandardOutput().toStdString(), err.substr(err.rfind('\n') + 1)};
}

const QString& archivioModello()
{
    static QTemporaryDir cartella;
    static const QString percorso = [] {
        const QString p = cartella.filePath(QStringLiteral("demo.db"));
        archive::CreaArchivioDimostrativo(p.toStdString());
        return p;
    }();
    return percorso;
}

bool attendi(ui::LavoroDiFondo& lavoro)
{
    if (!lavoro.occupato())
        return true;
    QSignalSpy finito(&lavoro, &ui::LavoroDiFondo::finito);
    return finito.wait(30000);
}

QString documentiOCasa()
{
    const QString d = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(d).exists() ? d : QDir::homePath();
}

void svuotaRegistroFinestre()
{
    for (const QString& n : ui::registroFinestre().nomi())
        ui::registroFinestre().rimuovi(n);
}

Ambiente::Ambiente()
{
    archive::archivioGlobale().azzera();
    archive::archivioGlobale().EstrazioneIniziale = 0;
    sessione = std::make_unique<session::Sessione>(dir.path().toStdString());
    contesto = std::make_unique<ui::Contesto>(*sessione, dialoghi);
    contesto->apriHelp = [this](int n, QWidget*) { helpAperti.push_back(n); };
    contesto->termina = [this] { ++terminato; };
}

Ambiente::~Ambiente()
{
    sessione->chiudi();
}

QString Ambiente::scriviFile(const QString& nome, const QByteArray& contenuto) const
{
    QFile f(file(nome));
    if (f.open(QIODevice::WriteOnly))
        f.write(contenuto);
    return f.fileName();
}

QString Ambiente::creaArchivio(const QString& nome, int n)
{
    archive::OpzioniDimostrativo o;
    o.fine = "2039-12-31";
    o.massimo = n;
    archive::CreaArchivioDimostrativo(file(nome).toStdString(), o);
    return file(nome);
}

void Ambiente::caricaArchivio(const QString& nome)
{
    (void)sessione->selezionaArchivio(file(nome).toStdString());
    sessione->archivio().EstrazioneIniziale = 1;
    sessione->carica();
}

void Ambiente::impostaParametro(const std::string& chiave, const std::string& valore)
{
    auto db = storage::ApriDatabaseProgramma(dir.path().toStdString());
    storage::ScriviParametro(db, chiave, valore);
}

std::string Ambiente::leggiParametro(const std::string& chiave)
{
    auto db = storage::ApriDatabaseProgramma(dir.path().toStdString());
    return storage::LeggiParametro(db, chiave).value_or("<mancante>");
}

}
