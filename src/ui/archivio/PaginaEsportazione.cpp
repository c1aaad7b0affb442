// The export page of archivio: Numeris 3, Quintavo and Nazionale files, the remembered Numeris 3 path.
#include "ui/archivio/GestioneArchivio.h"

#include "maintenance/Esportazioni.h"
#include "storage/ProgramDb.h"
#include "ui/archivio/Controlli.h"
#include "ui/common/Percorsi.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace ui {

using archivio::etichetta;
using archivio::pulsante;

namespace {

QLabel* nota(const QString& testo, QWidget* genitore)
{
    auto* l = new QLabel(testo, genitore);
    l->setWordWrap(true);
    return l;
}

const QString TitoloEsportazione = QStringLiteral("Esportazione archivio");

}

QWidget* GestioneArchivio::paginaEsportazione()
{
    auto* pagina = new QWidget;

    auto* altri = new QGroupBox(QStringLiteral("Archivi di altri programmi"), pagina);
    auto* gA = new QGridLayout(altri);
    auto* Command10 = pulsante("Command10", QStringLiteral("SALVA IN FORMATO NUMERIS 3 (Dati.iii)"), altri);
    auto* Command35 = pulsante("Command35", QStringLiteral("RENDE PREDEFINITA"), altri);
    auto* Command7 = pulsante("Command7", QStringLiteral("SALVA IN FORMATO QUINTAVO"), altri);
    auto* Command36 = pulsante("Command36", QStringLiteral("Cartella di Quintavo..."), altri);
    Command36->setToolTip(QStringLiteral("Sceglie la cartella in cui SALVA IN FORMATO QUINTAVO scrive %1")
                              .arg(QString::fromLatin1(maintenance::NomeFileQuintavo)));
    connect(Command36, &QPushButton::clicked, this, [this] { scegliCartellaQuintavo(); });
    connect(Command10, &QPushButton::clicked, this, [this] { salvaNumeris3(); });
    connect(Command35, &QPushButton::clicked, this, [this] { rendePredefinita(); });
    connect(Command7, &QPushButton::clicked, this, [this] { salvaQuintavo(); });
    Label13 = etichetta("Label13", {}, altri, true);
    Label13->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LblQuintavo = etichetta("LblQuintavo", {}, altri, true);
    LblQuintavo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* calvesto = new QCheckBox(QStringLiteral("Aggiunge estrazione del 10-06-1961 (necessaria per compatibilità metodi "
                                                  "creati con Calvesto 2.0"),
                                   altri);
    calvesto->setObjectName(QStringLiteral("Check1"));
    calvesto->setEnabled(false);
    calvesto->setToolTip(QStringLiteral("Ogni esportazione scrive esattamente le estrazioni dell'archivio"));
    gA->addWidget(nota(QStringLiteral("Attenzione: questi due formati non prevedono i dati della ruota nazionale. Vengono "
                                      "salvate le estrazioni delle 10 ruote classiche."),
                       altri),
                  0, 0, 1, 3);
    gA->addWidget(Command10, 1, 0);
    gA->addWidget(Label13, 1, 1);
    gA->addWidget(Command35, 1, 2);
    // Names the folder Numeris 3 reads on this system (set with the Quintavo folder).
    notaNumeris3_ = nota({}, altri);
    notaNumeris3_->setObjectName(QStringLiteral("LblNotaNumeris3"));
    gA->addWidget(notaNumeris3_, 2, 0, 1, 3);
    gA->addWidget(Command7, 3, 0);
    gA->addWidget(LblQuintavo, 3, 1);
    gA->addWidget(Command36, 3, 2);
    gA->addWidget(calvesto, 4, 0, 1, 3);
    gA->setColumnStretch(1, 1);

    auto* nazionale = new QGroupBox(QStringLiteral("Ruota Nazionale"), pagina);
    auto* gN = new QGridLayout(nazionale);
    auto* Command34 = pulsante("Command34", QStringLiteral("SALVA NAZIONALE FORMATO TESTO"), nazionale);
    connect(Command34, &QPushButton::clicked, this, [this] { salvaNazionale(); });
    gN->addWidget(Command34, 0, 0);
    gN->addWidget(nota(QStringLiteral("Una riga per estrazione con la Nazionale: n° indice (5 cifre), \"-\", i cinque "
                                      "numeri di due cifre."),
                       nazionale),
                  0, 1);
    gN->setColumnStretch(1, 1);

    // The last export's outcome stays on the page after its message is closed.
    LblEsportazione = etichetta("LblEsportazione", {}, pagina);
    LblEsportazione->setWordWrap(true);
    LblEsportazione->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(pagina);
    layout->addWidget(altri);
    layout->addWidget(nazionale);
    layout->addWidget(LblEsportazione);
    layout->addStretch();
    return pagina;
}

void GestioneArchivio::esportaIn(int formato, const QString& percorso, std::function<void(bool, const QString&)> fatto)
{
    const archive::Archivio* a = &contesto_.sessione.archivio();
    auto scritto = std::make_shared<bool>(false);
    auto motivo = std::make_shared<std::string>();
    const std::string file = percorso.toStdString();
    occupa(true);
    const bool avviato = lavoro_.avvia(
        [=](avanzamento::Avanzamento& av) {
            *scritto = maintenance::esporta(*a, static_cast<maintenance::FormatoEsportazione>(formato), file, &av, {},
                                            motivo.get());
        },
        [=, this](const LavoroDiFondo::Fine& fine) {
            occupa(false);
            // The reason the target was refused (a folder, a read-only file, a full disk), else the work's own.
            QString perche = QString::fromStdString(*motivo);
            if (perche.isEmpty() && fine.errore)
                perche = fine.messaggio;
            if (perche.isEmpty())
                perche = QStringLiteral("Impossibile scrivere il file \"%1\"").arg(percorso);
            fatto(*scritto && !fine.errore, perche);
        });
    if (!avviato)
        occupa(false);
}

void GestioneArchivio::esportazioneFinita(bool fatto, const QString& motivo, const QString& percorso, int estrazioni,
                                          const QString& cosa)
{
    if (!fatto) {
        const QString testo = motivo + QStringLiteral(": %1 non è stat%2 esportat%2.")
                                           .arg(cosa, cosa.startsWith(QStringLiteral("la")) ? "a" : "o");
        LblEsportazione->setText(testo);
        contesto_.dialoghi.messaggio(this, testo, TitoloEsportazione, Icona::Critica);
        return;
    }
    const QString testo =
        QStringLiteral("Esportazione completata: %1 estrazioni scritte nel file \"%2\".").arg(estrazioni).arg(percorso);
    LblEsportazione->setText(testo);
    contesto_.dialoghi.messaggio(this, testo, TitoloEsportazione, Icona::Informazione);
}

void GestioneArchivio::salvaNumeris3()
{
    if (rifiutaSeInCorso())
        return;
    OpzioniFile o;
    o.titolo = QStringLiteral("Salva in formato Numeris 3");
    o.scopo = QStringLiteral("Numeris3");
    if (!Label13->text().isEmpty())
        o.cartella = QFileInfo(Label13->text()).absolutePath();
    o.nomeIniziale = QStringLiteral("*.iii");
    o.filtro = QStringLiteral("File di archivio (*.iii)");
    o.estensione = QStringLiteral("iii");
    const auto scelto = contesto_.dialoghi.salvaFile(this, o);
    if (!scelto)
        return;
    const QString percorso = *scelto;
    const int n = maintenance::estrazioniEsportate(contesto_.sessione.archivio(), maintenance::FormatoEsportazione::Numeris3);
    esportaIn(static_cast<int>(maintenance::FormatoEsportazione::Numeris3), percorso,
              [this, percorso, n](bool fatto, const QString& motivo) {
                  if (fatto)
                      Label13->setText(percorso);
                  esportazioneFinita(fatto, motivo, percorso, n, QStringLiteral("l'archivio"));
              });
}

void GestioneArchivio::rendePredefinita() { parametroPredefinito("PercorsoDati.iii", Label13->text()); }

void GestioneArchivio::scegliCartellaQuintavo()
{
    const QString attuale = QString::fromStdString(
        maintenance::cartellaQuintavo(contesto_.sessione.dbProgramma(), QDir::homePath().toStdString()));
    const auto scelta = contesto_.dialoghi.scegliCartella(this, QStringLiteral("Cartella di Quintavo"),
                                                          QFileInfo(attuale).isDir() ? attuale : QDir::homePath());
    if (!scelta)
        return;
    try {
        storage::ScriviParametro(contesto_.sessione.dbProgramma(), "PercorsoQuintavo", scelta->toStdString());
    } catch (const std::exception& e) {
        contesto_.dialoghi.messaggio(this,
                                     QStringLiteral("La cartella \"%1\" non è stata ricordata: %2")
                                         .arg(*scelta, QString::fromStdString(e.what())),
                                     TitoloEsportazione, Icona::Critica);
        return;
    }
    mostraCartellaQuintavo();
}

void GestioneArchivio::mostraCartellaQuintavo()
{
    // The real folder, as the export writes it; the home folder as "~", as every window writes it.
    const QString cartella = QString::fromStdString(
        maintenance::cartellaQuintavo(contesto_.sessione.dbProgramma(), QDir::homePath().toStdString()));
    LblQuintavo->setText(percorsoLeggibile(QDir(cartella).filePath(QString::fromLatin1(maintenance::NomeFileQuintavo))));
    notaNumeris3_->setText(QStringLiteral("Attenzione, questo file deve essere obbligatoriamente salvato nella cartella %1/ .....")
                               .arg(percorsoLeggibile(cartella)));
}

void GestioneArchivio::salvaQuintavo()
{
    if (rifiutaSeInCorso())
        return;
    const QString cartella = QString::fromStdString(
        maintenance::cartellaQuintavo(contesto_.sessione.dbProgramma(), QDir::homePath().toStdString()));
    const QString file = QDir(cartella).filePath(QString::fromLatin1(maintenance::NomeFileQuintavo));
    mostraCartellaQuintavo();
    auto nonPresente = [this] {
        contesto_.dialoghi.messaggio(this, QStringLiteral("Attenzione Quintavo non presente."), QStringLiteral("Velmora"),
                                     Icona::Nessuna);
    };
    if (!QFileInfo(cartella).isDir()) {
        nonPresente();
        return;
    }
    const int n = maintenance::estrazioniEsportate(contesto_.sessione.archivio(), maintenance::FormatoEsportazione::Quintavo);
    esportaIn(static_cast<int>(maintenance::FormatoEsportazione::Quintavo), file,
              [this, file, n](bool fatto, const QString& motivo) {
                  esportazioneFinita(fatto, motivo, file, n, QStringLiteral("l'archivio"));
              });
}

void GestioneArchivio::salvaNazionale()
{
    if (rifiutaSeInCorso())
        return;
    OpzioniFile o;
    o.titolo = QStringLiteral("Salva Nazionale formato testo");
    o.scopo = QStringLiteral("Nazionale");
    o.nomeIniziale = QStringLiteral("*.Txt");
    o.filtro = QStringLiteral("File di archivio (*.Txt)");
    o.estensione = QStringLiteral("Txt");
    const auto scelto = contesto_.dialoghi.salvaFile(this, o);
    if (!scelto)
        return;
    const QString percorso = *scelto;
    const int n = maintenance::estrazioniEsportate(contesto_.sessione.archivio(), maintenance::FormatoEsportazione::Nazionale);
    esportaIn(static_cast<int>(maintenance::FormatoEsportazione::Nazionale), percorso,
              [this, percorso, n](bool fatto, const QString& motivo) {
                  esportazioneFinita(fatto, motivo, percorso, n, QStringLiteral("la ruota Nazionale"));
              });
}

}
