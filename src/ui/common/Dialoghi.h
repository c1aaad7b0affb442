// Message boxes, Yes/No questions, input boxes, file and printer dialogs behind one interface.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace ui {

enum class Icona { Nessuna, Informazione, Esclamazione, Critica, Domanda };

// What a file dialog is opened with. `filtro` is a Qt name filter such as
// "File di archivio (*.db)"; `estensione` is added to a name typed without one.
struct OpzioniFile {
    QString titolo;
    QString cartella;
    QString nomeIniziale;
    QString filtro;
    QString estensione;
    // What the file is for ("Archivio", "EsportaCsv"...): the dialog opens where the last file
    // chosen for the same purpose was.
    QString scopo;
    // Folders added to the dialog's places, a click away (the demonstration archive's folder).
    QStringList scorciatoie;
};

// Every window asks the user through this interface, so tests can script the answers
// and read back every text, title and icon the user would have seen.
class Dialoghi {
public:
    virtual ~Dialoghi() = default;
    virtual void messaggio(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona) = 0;
    // true for Sì. `noPredefinito` makes No the default button, for a question whose Sì destroys
    // something (Enter must not answer it).
    [[nodiscard]] virtual bool domandaSiNo(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona = Icona::Domanda,
                             bool noPredefinito = false) = 0;
    // The text typed, or nothing when the box was cancelled.
    virtual std::optional<QString> inputBox(QWidget* genitore, const QString& testo, const QString& titolo,
                                            const QString& predefinito = {}) = 0;
    // The chosen path, or nothing when the dialog was cancelled. The dialog opens in cartellaIniziale;
    // the folder of the chosen file is remembered for `opzioni.scopo`.
    std::optional<QString> apriFile(QWidget* genitore, const OpzioniFile& opzioni);
    std::optional<QString> salvaFile(QWidget* genitore, const OpzioniFile& opzioni);
    // The chosen folder, or nothing when the dialog was cancelled.
    std::optional<QString> scegliCartella(QWidget* genitore, const QString& titolo, const QString& cartella);
    // Lets the user choose and set up the printer; false when cancelled.
    [[nodiscard]] virtual bool scegliStampante(QWidget* genitore, QPrinter& stampante) = 0;

    // Where the last file chosen for each purpose lies, kept by the program (its database: see
    // Contesto); empty functions in a run without one. The program folder is never offered.
    struct MemoriaCartelle {
        std::function<QString(const QString& scopo)> leggi;
        std::function<void(const QString& scopo, const QString& cartella)> scrivi;
        QString cartellaProgramma;
    };
    MemoriaCartelle memoria;

    // The folder a file dialog opens in: the last one chosen for `scopo`, else `proposta` (the
    // caller's: the folder of a file already in use), else the user's documents, else home. A
    // folder that is missing or holds the program's own files (DbPiramide.db, PercorsoDatabase.txt)
    // is passed over.
    QString cartellaIniziale(const QString& scopo, const QString& proposta) const;

protected:
    virtual std::optional<QString> mostraApriFile(QWidget* genitore, const OpzioniFile& opzioni) = 0;
    virtual std::optional<QString> mostraSalvaFile(QWidget* genitore, const OpzioniFile& opzioni) = 0;
    virtual std::optional<QString> mostraScegliCartella(QWidget* genitore, const QString& titolo, const QString& cartella) = 0;

private:
    std::optional<QString> ricorda(const QString& scopo, const std::optional<QString>& scelto);
};

// The real dialogs of Qt.
class DialoghiQt : public Dialoghi {
public:
    void messaggio(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona) override;
    bool domandaSiNo(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona = Icona::Domanda,
                     bool noPredefinito = false) override;
    std::optional<QString> inputBox(QWidget* genitore, const QString& testo, const QString& titolo,
                                    const QString& predefinito = {}) override;
    bool scegliStampante(QWidget* genitore, QPrinter& stampante) override;

protected:
    std::optional<QString> mostraApriFile(QWidget* genitore, const OpzioniFile& opzioni) override;
    std::optional<QString> mostraSalvaFile(QWidget* genitore, const OpzioniFile& opzioni) override;
    std::optional<QString> mostraScegliCartella(QWidget* genitore, const QString& titolo, const QString& cartella) override;
};

// For a run nobody watches (--tempo-avvio): every message and question goes to standard
// error, every question is answered No and every dialog cancelled, so nothing waits for
// a user who is not there. `segnalazioni` counts what was shown; `allaSegnalazione`
// runs after each message (the run ends there, with an error).
class DialoghiSenzaUtente : public Dialoghi {
public:
    std::function<void()> allaSegnalazione;
    int segnalazioni() const { return segnalazioni_; }

    void messaggio(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona) override;
    bool domandaSiNo(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona = Icona::Domanda,
                     bool noPredefinito = false) override;
    std::optional<QString> inputBox(QWidget* genitore, const QString& testo, const QString& titolo,
                                    const QString& predefinito = {}) override;
    bool scegliStampante(QWidget* genitore, QPrinter& stampante) override;

protected:
    std::optional<QString> mostraApriFile(QWidget* genitore, const OpzioniFile& opzioni) override;
    std::optional<QString> mostraSalvaFile(QWidget* genitore, const OpzioniFile& opzioni) override;
    std::optional<QString> mostraScegliCartella(QWidget* genitore, const QString& titolo, const QString& cartella) override;

private:
    void scrivi(const QString& titolo, const QString& testo);
    int segnalazioni_ = 0;
};

// Scripted answers for tests. Every call is recorded in order; an answer missing
// from the script counts as a cancel (No, no text, no file, no printer).
class DialoghiScriptati : public Dialoghi {
public:
    enum class Tipo { Messaggio, Domanda, Input, ApriFile, SalvaFile, Stampante, Cartella };
    struct Voce {
        Tipo tipo;
        QString testo;       // message or prompt text
        QString titolo;
        Icona icona = Icona::Nessuna;
        OpzioniFile file;    // for the file dialogs
        bool noPredefinito = false;   // a question whose default button is No
    };

    std::deque<bool> risposteSiNo;
    std::deque<std::optional<QString>> risposteInput;
    std::deque<std::optional<QString>> risposteFile;   // shared by open, save and folder dialogs
    std::deque<bool> risposteStampante;
    // Called at each call, after recording it: lets a test look at the windows at that moment.
    std::function<void(const Voce&)> allaChiamata;
    // Called with the printer when the scripted answer is yes: a test can send the page to a PDF file.
    std::function<void(QPrinter&)> allaStampante;

    const std::vector<Voce>& voci() const { return voci_; }
    std::vector<Voce> messaggi() const;   // only the message boxes
    void svuota() { voci_.clear(); }

    void messaggio(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona) override;
    bool domandaSiNo(QWidget* genitore, const QString& testo, const QString& titolo, Icona icona = Icona::Domanda,
                     bool noPredefinito = false) override;
    std::optional<QString> inputBox(QWidget* genitore, const QString& testo, const QString& titolo,
                                    const QString& predefinito = {}) override;
    bool scegliStampante(QWidget* genitore, QPrinter& stampante) override;

protected:
    std::optional<QString> mostraApriFile(QWidget* genitore, const OpzioniFile& opzioni) override;
    std::optional<QString> mostraSalvaFile(QWidget* genitore, const OpzioniFile& opzioni) override;
    std::optional<QString> mostraScegliCartella(QWidget* genitore, const QString& titolo, const QString& cartella) override;

private:
    void registra(Voce v);
    std::vector<Voce> voci_;
};

}
