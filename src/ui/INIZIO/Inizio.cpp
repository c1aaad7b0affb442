// INIZIO: the start-up steps, the archive selection, PROCEDI and the import of the historical file.
#include "ui/INIZIO/Inizio.h"

#include "ui/common/Controlli.h"
#include "ui/common/Percorsi.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>
#include <stdexcept>

#ifndef VELMORA_VERSIONE
#define VELMORA_VERSIONE "0.0.0"
#endif

namespace ui {

namespace {
const QString messaggioPrimaVolta = QStringLiteral("Attenzione, la prima volta è necessario configurare l'origine dell'archivio");
const QString messaggioCaricamento =
    QStringLiteral("Attenzione, probabilmente è stato selezionato un altro archivio. Chiudere il programma e riavviarlo");
const QString nomeDemo = QStringLiteral("ArchivioDimostrativo.db");

QString daStd(const std::string& s) { return QString::fromStdString(s); }
std::string aStd(const QString& s) { return s.toStdString(); }
}

QString Inizio::titolo()
{
    return QStringLiteral("Velmora: Versione ") + QStringLiteral(VELMORA_VERSIONE);
}

Inizio::Inizio(Contesto& contesto, QWidget* genitore)
    : QWidget(genitore), contesto_(contesto), Command2(new QPushButton(QStringLiteral("PROCEDI"), this)),
      Command3(new QPushButton(QStringLiteral("FINE"), this)),
      Command4(new QPushButton(QStringLiteral("SELEZIONE ARCHIVIO"), this)),
      CmdStorico(new QPushButton(QStringLiteral("CREA ARCHIVIO DA FILE STORICO"), this)),
      CmDHelp(new QPushButton(this)),
      Label1(new QLabel(QStringLiteral("Da utilizzare solamente al primo utilizzo del programma. Consultare l'help in linea ------->"), this)),
      Label5(new QLabel(QStringLiteral("Percorso archivio:"), this)), Lbl_Archivio(new QLabel(this)), LblDemo(new QLabel(this)),
      pb1(new QProgressBar(this)), progresso_(pb1)
{
    setObjectName(QStringLiteral("INIZIO"));
    lavoro_.collegaBarre(&progresso_, nullptr);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command4->setObjectName(QStringLiteral("Command4"));
    CmdStorico->setObjectName(QStringLiteral("CmdStorico"));
    CmDHelp->setObjectName(QStringLiteral("CmDHelp"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label5->setObjectName(QStringLiteral("Label5"));
    Lbl_Archivio->setObjectName(QStringLiteral("Lbl_Archivio"));
    LblDemo->setObjectName(QStringLiteral("LblDemo"));
    pb1->setObjectName(QStringLiteral("pb1"));

    CmDHelp->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    CmDHelp->setIconSize(QSize(32, 32));
    CmDHelp->setToolTip(QStringLiteral("Help in linea"));
    CmdStorico->setToolTip(QStringLiteral("Crea un nuovo archivio dal file storico ufficiale delle estrazioni e lo seleziona"));
    Label1->setWordWrap(true);
    LblDemo->setWordWrap(true);
    Lbl_Archivio->setWordWrap(true);
    Lbl_Archivio->setFrameShape(QFrame::StyledPanel);
    Lbl_Archivio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pb1->setRange(0, 1);
    pb1->setValue(0);
    pb1->setTextVisible(false);

    auto* nome = new QLabel(QStringLiteral("<span style='font-size:22pt; font-weight:bold'>Velmora</span><br>"
                                           "Lo studio del Lotto con le piramidi"),
                            this);
    nome->setAlignment(Qt::AlignCenter);

    auto* selezione = new QGridLayout;
    selezione->addWidget(Command4, 0, 0);
    selezione->addWidget(Label1, 0, 1);
    selezione->addWidget(CmDHelp, 0, 2);
    selezione->addWidget(CmdStorico, 1, 0);
    // Beside each button what it does: the historical file beside its own button, the demo below.
    auto* LblStorico = new QLabel(QStringLiteral("Crea un nuovo archivio dal file storico ufficiale delle estrazioni (il "
                                                 "file di testo o lo zip del sito) e lo seleziona."),
                                  this);
    LblStorico->setObjectName(QStringLiteral("LblStorico"));
    LblStorico->setWordWrap(true);
    selezione->addWidget(LblStorico, 1, 1, 1, 2);
    selezione->addWidget(LblDemo, 2, 0, 1, 3);
    selezione->setColumnStretch(1, 1);

    auto* comandi = new QHBoxLayout;
    comandi->addWidget(Command2);
    comandi->addStretch();
    comandi->addWidget(Command3);
    // A keyboard user moves with Tab and confirms with Enter, as in every window.
    for (QPushButton* b : {Command2, Command3, Command4, CmdStorico, CmDHelp})
        invioPremePulsante(b);
    Command2->setMinimumHeight(40);
    Command3->setMinimumHeight(40);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nome);
    layout->addSpacing(12);
    layout->addLayout(selezione);
    layout->addSpacing(8);
    layout->addWidget(Label5);
    layout->addWidget(Lbl_Archivio);
    layout->addWidget(pb1);
    layout->addStretch();
    layout->addLayout(comandi);
    resize(620, 380);

    connect(Command2, &QPushButton::clicked, this, [this] {
        // Refused only while a load or an import runs: the window is greyed then, and its end speaks.
        static_cast<void>(Procedi());
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        // FINE ends at once, without closing this window first and without a question;
        // a load or an import still running is stopped before the files are closed.
        LavoroDiFondo::fermaTutti();
        contesto_.sessione.chiudi();
        if (contesto_.termina)
            contesto_.termina();
    });
    connect(Command4, &QPushButton::clicked, this, [this] { SelezioneArchivio(); });
    connect(CmdStorico, &QPushButton::clicked, this, [this] { CreaDaStorico(); });
    connect(CmDHelp, &QPushButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(310, this);
    });
}

bool Inizio::avvia()
{
    auto& s = contesto_.sessione;
    const QString cartella = daStd(s.cartellaProgramma());
    // 1. The help beside the program.
    if (contesto_.cartellaHelp.isEmpty())
        contesto_.cartellaHelp = QDir(cartella).filePath(QStringLiteral("HelpVelmora"));
    // 2.-3. The password is assembled by the storage layer as the program database opens.
    try {
        s.apriDatabaseProgramma();
    } catch (const std::exception& e) {
        contesto_.dialoghi.messaggio(this,
                                     QStringLiteral("Impossibile aprire il database del programma DbPiramide.db:\n") + daStd(e.what()),
                                     QStringLiteral("Anomalia"), Icona::Critica);
        return false;
    }
    // 4. A configuration that cannot be read is said, naming the file; the start goes on as a first
    // run, which asks for the archive again.
    try {
        s.leggiPercorsoArchivio();
    } catch (const std::exception& e) {
        contesto_.dialoghi.messaggio(this,
                                     QStringLiteral("Impossibile leggere l'archivio scelto dal database del programma "
                                                    "\"%1\":\n%2")
                                         .arg(QDir::toNativeSeparators(daStd(s.dbProgramma().percorso())), daStd(e.what())),
                                     QStringLiteral("Anomalia"), Icona::Esclamazione);
    }
    mostraArchivio(daStd(s.percorsoArchivio()));

    // 5.-10. From here on a failing step does not stop the sequence.
    if (!s.apriArchivio()) {
        // A stored archive that no longer opens says why (permissions, damage, a file gone).
        const QString motivo = daStd(s.erroreArchivio());
        contesto_.dialoghi.messaggio(this, motivo.isEmpty() ? messaggioPrimaVolta : messaggioPrimaVolta + QStringLiteral("\n\n") + motivo,
                                     QStringLiteral("Selezionare Archivio"), Icona::Esclamazione);
        SelezioneArchivio();
    }

    // 11.-14. An error here is shown once, and the window stays usable.
    QString errore;
    try {
        s.leggiIndirizzoInternet();
    } catch (const std::exception& e) {
        errore = daStd(e.what());
    }
    setWindowTitle(titolo());
    const bool demo = QFileInfo::exists(QDir(cartella).filePath(nomeDemo));
    LblDemo->setVisible(demo);
    LblDemo->setText(QStringLiteral("Per provare subito il programma: SELEZIONE ARCHIVIO, poi %1 nella cartella del "
                                    "programma, %2 (numeri simulati, non sono le estrazioni reali).")
                         .arg(nomeDemo, QDir::toNativeSeparators(cartella)));
    show();
    try {
        s.ImpostaInizialix();
    } catch (const std::exception& e) {
        if (errore.isEmpty())
            errore = daStd(e.what());
    }
    if (!errore.isEmpty())
        contesto_.dialoghi.messaggio(this, errore, QStringLiteral("Anomalia"), Icona::Critica);
    return true;
}

void Inizio::SelezioneArchivio()
{
    OpzioniFile o;
    o.titolo = QStringLiteral("Selezione archivio");
    o.scopo = QStringLiteral("Archivio");
    // The dialog opens among the user's files; the demonstration archive stays a click away.
    const QString cartella = daStd(contesto_.sessione.cartellaProgramma());
    if (QFileInfo::exists(QDir(cartella).filePath(nomeDemo)))
        o.scorciatoie << cartella;
    o.nomeIniziale = QStringLiteral("*.db");
    o.filtro = QStringLiteral("File di archivio (*.db)");
    o.estensione = QStringLiteral("db");
    const auto scelto = contesto_.dialoghi.apriFile(this, o);
    if (!scelto)
        return;
    const QString percorso = QDir::toNativeSeparators(*scelto);
    const std::string avviso = contesto_.sessione.selezionaArchivio(aStd(percorso));
    mostraArchivio(percorso);
    if (!avviso.empty())
        contesto_.dialoghi.messaggio(this, daStd(avviso), QStringLiteral("Avviso"), Icona::Esclamazione);
}

void Inizio::mostraArchivio(const QString& percorso)
{
    // The same text on the first run, after a selection and after a restart.
    Lbl_Archivio->setText(percorso.isEmpty() ? QString() : QStringLiteral("Database: ") + percorsoLeggibile(percorso));
}

void Inizio::CreaDaStorico()
{
    if (occupato_)
        return;
    OpzioniFile sorgente;
    sorgente.titolo = QStringLiteral("File storico delle estrazioni");
    sorgente.scopo = QStringLiteral("Storico");
    sorgente.nomeIniziale = QStringLiteral("*.txt");
    sorgente.filtro = QStringLiteral("File storico (*.txt *.zip)");
    sorgente.estensione = QStringLiteral("txt");
    const auto storico = contesto_.dialoghi.apriFile(this, sorgente);
    if (!storico)
        return;
    OpzioniFile destinazione;
    destinazione.titolo = QStringLiteral("Nuovo archivio");
    destinazione.scopo = QStringLiteral("Archivio");
    destinazione.nomeIniziale = QStringLiteral("ArchivioLotto.db");
    destinazione.filtro = QStringLiteral("File di archivio (*.db)");
    destinazione.estensione = QStringLiteral("db");
    const auto archivio = contesto_.dialoghi.salvaFile(this, destinazione);
    if (!archivio)
        return;
    const bool esiste = QFileInfo::exists(*archivio);
    if (esiste && !contesto_.dialoghi.domandaSiNo(this, QStringLiteral("Il file %1 esiste già. Sostituirlo con il nuovo archivio?")
                                                               .arg(QDir::toNativeSeparators(*archivio)),
                                                  QStringLiteral("Crea archivio"), Icona::Domanda))
        return;

    occupa(true);
    const std::string origine = aStd(*storico);
    const QString nuovo = QDir::toNativeSeparators(*archivio);
    auto esito = std::make_shared<archive::EsitoImportazione>();
    const bool avviato = lavoro_.avvia(
        [this, origine, destinazione = aStd(nuovo), esiste, esito](avanzamento::Avanzamento& av) {
            *esito = contesto_.sessione.creaDaStorico(origine, destinazione, esiste, &av);
        },
        [this, nuovo, esito](const LavoroDiFondo::Fine& fine) {
            occupa(false);
            if (fine.errore || fine.interrotto) {
                if (fine.errore)
                    contesto_.dialoghi.messaggio(this, QStringLiteral("Impossibile creare l'archivio:\n") + fine.messaggio,
                                                 QStringLiteral("Avviso"), Icona::Critica);
                return;
            }
            Lbl_Archivio->setText(QStringLiteral("Database: ") + nuovo);
            contesto_.dialoghi.messaggio(this,
                                         QStringLiteral("Archivio creato e selezionato: %1 estrazioni, dal %2 al %3.\n"
                                                        "Premere PROCEDI per caricarlo.")
                                             .arg(esito->estrazioni)
                                             .arg(daStd(esito->prima), daStd(esito->ultima)),
                                         QStringLiteral("Crea archivio"), Icona::Informazione);
            if (!contesto_.sessione.avvisoScelta().empty())
                contesto_.dialoghi.messaggio(this, daStd(contesto_.sessione.avvisoScelta()), QStringLiteral("Avviso"),
                                             Icona::Esclamazione);
        });
    if (!avviato)   // a load still running: the window must not stay greyed
        occupa(false);
}

bool Inizio::Procedi()
{
    if (occupato_)
        return false;
    occupa(true);
    auto accesso = std::make_shared<bool>(false);
    const bool avviato = lavoro_.avvia(
        [this, accesso](avanzamento::Avanzamento& av) {
            try {
                contesto_.sessione.carica(&av);
            } catch (const archive::ErroreCaricamento& e) {
                *accesso = e.accesso();
                throw;
            }
        },
        [this, accesso](const LavoroDiFondo::Fine& fine) { caricamentoFinito(fine, *accesso); });
    if (!avviato)
        occupa(false);
    return avviato;
}

void Inizio::caricamentoFinito(const LavoroDiFondo::Fine& fine, bool accesso)
{
    if (fine.interrotto) {
        occupa(false);
        return;
    }
    if (fine.errore) {
        occupa(false);
        // The reason follows, naming the file: a file that cannot be read (permissions, a disk
        // error, a full disk) is no "other archive", and is told as what it is.
        const QString testo = accesso ? fine.messaggio
            : fine.messaggio.isEmpty() ? messaggioCaricamento
                                       : messaggioCaricamento + QStringLiteral("\n\n") + fine.messaggio;
        contesto_.dialoghi.messaggio(this, testo, QStringLiteral("Avviso"), Icona::Critica);
        return;
    }
    occupa(false);
    // The main window is shown before this one closes, so the program never has
    // a moment without a window (which would end it).
    try {
        QWidget* c = contesto_.creaPrincipale ? contesto_.creaPrincipale(contesto_) : nullptr;
        if (!c)
            throw std::runtime_error("finestra principale non disponibile");
        c->setAttribute(Qt::WA_DeleteOnClose);
        principale_ = c;
        c->show();
        // Stray values the load read as missing or left out, told once, over the main window.
        const QString avviso = daStd(archive::AvvisoDatiScartati(contesto_.sessione.archivio(), contesto_.sessione.percorsoArchivio()));
        if (!avviso.isEmpty())
            // Not through `this`: the start-up window is gone by then.
            QTimer::singleShot(0, c, [&dialoghi = contesto_.dialoghi, c, avviso] {
                dialoghi.messaggio(c, avviso, QStringLiteral("Dati dell'archivio non validi"), Icona::Esclamazione);
            });
    } catch (const std::exception&) {
        close();
        contesto_.dialoghi.messaggio(nullptr, messaggioCaricamento, QStringLiteral("Avviso"), Icona::Critica);
        return;
    }
    close();
    emit principaleAperta(principale_);
}

void Inizio::occupa(bool occupato)
{
    // FINE stays enabled: it stops the work and ends the program.
    occupato_ = occupato;
    for (auto* b : {Command2, Command4, CmdStorico})
        b->setEnabled(!occupato);
}

void Inizio::closeEvent(QCloseEvent* evento)
{
    // A load or an import still running is stopped (an import leaves nothing behind)
    // and waited for, so nothing is left reading or writing a file after the window.
    lavoro_.fermaEAspetta();
    QWidget::closeEvent(evento);
}

}
