// What the window tests share: a temporary program folder, model archives, a scripted context.
#pragma once

#include "grid/Grid.h"
#include "session/Sessione.h"
#include "ui/common/Contesto.h"
#include "ui/common/Dialoghi.h"
#include "ui/common/LavoroDiFondo.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testui {

// Lets the event loop run until the work of `lavoro` has ended and been delivered;
// true at once when nothing runs, false after 30 s.
bool attendi(ui::LavoroDiFondo& lavoro);

// The control `nome` of a window; a missing one ends the test program, naming it.
template <class T>
T* controllo(const QObject& finestra, const QString& nome)
{
    T* x = finestra.findChild<T*>(nome);
    if (!x)
        qFatal("controllo mancante: %s", qPrintable(nome));
    return x;
}

// The first cell where two tables differ in text, as "r,c: a | b"; empty when they hold the same texts in the same shape.
inline QString primaDifferenza(const grid::Grid& a, const grid::Grid& b)
{
    if (a.righe() != b.righe() || a.colonne() != b.colonne())
        return QStringLiteral("%1x%2 | %3x%4").arg(a.righe()).arg(a.colonne()).arg(b.righe()).arg(b.colonne());
    for (int r = 0; r < a.righe(); ++r)
        for (int c = 0; c < a.colonne(); ++c)
            if (a.testo(r, c) != b.testo(r, c))
                return QStringLiteral("%1,%2: %3 | %4").arg(r).arg(c).arg(QString::fromStdString(a.testo(r, c)), QString::fromStdString(b.testo(r, c)));
    return {};
}

// Where a file dialog opens when nothing was remembered for its purpose: the user's documents, else home.
QString documentiOCasa();

// velmora-cli run as a program of its own, so that a window's expected figures never come from
// the window's process: standard output and the last line of standard error. A command that
// fails stops the test.
std::pair<std::string, std::string> velmoraCli(const QStringList& argomenti);

// Forgets every window a test registered, so that the next test starts from none.
void svuotaRegistroFinestre();

// The demonstration archive, built once per test program; each test works on its own copy.
const QString& archivioModello();

// PROCEDI of a start-up window, waited for: true when the main window opened.
template <typename Inizio>
bool procedi(Inizio& w)
{
    return w.Procedi() && attendi(w.lavoro()) && w.principale() != nullptr;
}

// A program folder under a temporary directory, with a session and a context that
// answer through scripted dialogs and record help requests and FINE.
struct Ambiente {
    Ambiente();
    ~Ambiente();

    QString cartella() const { return dir.path(); }
    QString file(const QString& nome) const { return dir.filePath(nome); }
    // Writes `contenuto` into the file `nome` of the folder and returns its path.
    QString scriviFile(const QString& nome, const QByteArray& contenuto) const;
    // A draws database of `n` draws on the real calendar (simulated numbers).
    QString creaArchivio(const QString& nome, int n);
    // Chooses the draws database `nome` of the folder and loads it from its first draw.
    void caricaArchivio(const QString& nome);
    // Writes a configuration row of DbPiramide.db (the row must exist), creating the database first.
    void impostaParametro(const std::string& chiave, const std::string& valore);
    std::string leggiParametro(const std::string& chiave);

    QTemporaryDir dir;
    std::unique_ptr<session::Sessione> sessione;
    ui::DialoghiScriptati dialoghi;
    std::unique_ptr<ui::Contesto> contesto;
    std::vector<int> helpAperti;
    int terminato = 0;
};

}
