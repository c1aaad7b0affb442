// The export page of archivio: Numeris 3, Quintavo and Nazionale files, the remembered Numeris 3 path.
#include "ui/archivio/PannelloEsportazione.h"

#include "archive/Archivio.h"
#include "maintenance/Esportazioni.h"
#include "storage/ProgramDb.h"
#include "ui/archivio/Controlli.h"
#include "ui/archivio/Servizi.h"
#include "ui/common/Percorsi.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace ui::archivio {

namespace {
const QString TitoloEsportazione = QStringLiteral("Esportazione archivio");
}

PannelloEsportazione::PannelloEsportazione(Servizi& servizi, QWidget* genitore) : QWidget(genitore), servizi_(servizi)
{
    auto* altri = new QGroupBox(QStringLiteral("Archivi di altri programmi"), this);
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

    auto* nazionale = new QGroupBox(QStringLiteral("Ruota Nazionale"), this);
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
    LblEsportazione = etichetta("LblEsportazione", {}, this);
    LblEsportazione->setWordWrap(true);
    LblEsportazione->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(altri);
    layout->addWidget(nazionale);
    layout->addWidget(LblEsportazione);
    layout->addStretch();
}

void PannelloEsportazione::esportaIn(int formato, const QString& percorso, std::function<void(bool, const QString&)> fatto)
{
    const archive::Archivio* a = &servizi_.contesto.sessione.archivio();
    auto scritto = std::make_shared<bool>(false);
    auto motivo = std::make_shared<std::string>();
    const std::string file = percorso.toStdString();
    servizi_.occupa(true);
    const bool avviato = servizi_.lavoro().avvia(
        [=](avanzamento::Avanzamento& av) {
            *scritto = maintenance::esporta(*a, static_cast<maintenance::FormatoEsportazione>(formato), file, &av, {},
                                            motivo.get());
        },
        [=, this](const LavoroDiFondo::Fine& fine) {
            servizi_.occupa(false);
            // The reason the target was refused (a folder, a read-only file, a full disk), else the work's own.
            QString perche = QString::fromStdString(*motivo);
            if (perche.isEmpty() && fine.errore)
                perche = fine.messaggio;
            if (perche.isEmpty())
                perche = QStringLiteral("Impossibile scrivere il file \"%1\"").arg(percorso);
            fatto(*scritto && !fine.errore, perche);
        });
    if (!avviato)
        servizi_.occupa(false);
}

void PannelloEsportazione::esportazioneFinita(bool fatto, const QString& motivo, const QString& percorso, int estrazioni,
                                          const QString& cosa)
{
    if (!fatto) {
        const QString testo = motivo + QStringLiteral(": %1 non è stat%2 esportat%2.")
                                           .arg(cosa, cosa.startsWith(QStringLiteral("la")) ? "a" : "o");
        LblEsportazione->setText(testo);
        servizi_.contesto.dialoghi.messaggio(this, testo, TitoloEsportazione, Icona::Critica);
        return;
    }
    const QString testo =
        QStringLiteral("Esportazione completata: %1 estrazioni scritte nel file \"%2\".").arg(estrazioni).arg(QDir::toNativeSeparators(percorso));
    LblEsportazione->setText(testo);
    servizi_.contesto.dialoghi.messaggio(this, testo, TitoloEsportazione, Icona::Informazione);
}

void PannelloEsportazione::salvaNumeris3()
{
    if (servizi_.rifiutaSeInCorso(this))
        return;
    OpzioniFile o;
    o.titolo = QStringLiteral("Salva in formato Numeris 3");
    o.scopo = QStringLiteral("Numeris3");
    if (!Label13->text().isEmpty())
        o.cartella = QFileInfo(Label13->text()).absolutePath();
    o.nomeIniziale = QStringLiteral("*.iii");
    o.filtro = QStringLiteral("File di archivio (*.iii)");
    o.estensione = QStringLiteral("iii");
    const auto scelto = servizi_.contesto.dialoghi.salvaFile(this, o);
    if (!scelto)
        return;
    const QString percorso = *scelto;
    const int n = maintenance::estrazioniEsportate(servizi_.contesto.sessione.archivio(), maintenance::FormatoEsportazione::Numeris3);
    esportaIn(static_cast<int>(maintenance::FormatoEsportazione::Numeris3), percorso,
              [this, percorso, n](bool fatto, const QString& motivo) {
                  if (fatto)
                      Label13->setText(percorso);
                  esportazioneFinita(fatto, motivo, percorso, n, QStringLiteral("l'archivio"));
              });
}

void PannelloEsportazione::rendePredefinita()
{
    static_cast<void>(servizi_.parametroPredefinito(this, "PercorsoDati.iii", Label13->text()));
}

void PannelloEsportazione::scegliCartellaQuintavo()
{
    const QString attuale = QString::fromStdString(
        maintenance::cartellaQuintavo(servizi_.contesto.sessione.dbProgramma(), QDir::homePath().toStdString()));
    const auto scelta = servizi_.contesto.dialoghi.scegliCartella(this, QStringLiteral("Cartella di Quintavo"),
                                                          QFileInfo(attuale).isDir() ? attuale : QDir::homePath());
    if (!scelta)
        return;
    try {
        storage::ScriviParametro(servizi_.contesto.sessione.dbProgramma(), "PercorsoQuintavo", scelta->toStdString());
    } catch (const std::exception& e) {
        servizi_.contesto.dialoghi.messaggio(this,
                                             QStringLiteral("La cartella \"%1\" non è stata ricordata: %2")
                                                 .arg(*scelta, QString::fromStdString(e.what())),
                                             TitoloEsportazione, Icona::Critica);
        return;
    }
    mostraCartellaQuintavo();
}

void PannelloEsportazione::mostraCartellaQuintavo()
{
    // The real folder, as the export writes it; the home folder as "~", as every window writes it.
    const QString cartella = QString::fromStdString(
        maintenance::cartellaQuintavo(servizi_.contesto.sessione.dbProgramma(), QDir::homePath().toStdString()));
    LblQuintavo->setText(percorsoLeggibile(QDir(cartella).filePath(QString::fromLatin1(maintenance::NomeFileQuintavo))));
    notaNumeris3_->setText(QStringLiteral("Attenzione, questo file deve essere obbligatoriamente salvato nella cartella %1%2 .....")
                               .arg(percorsoLeggibile(cartella), QString(QDir::separator())));
}

void PannelloEsportazione::salvaQuintavo()
{
    if (servizi_.rifiutaSeInCorso(this))
        return;
    const QString cartella = QString::fromStdString(
        maintenance::cartellaQuintavo(servizi_.contesto.sessione.dbProgramma(), QDir::homePath().toStdString()));
    const QString file = QDir(cartella).filePath(QString::fromLatin1(maintenance::NomeFileQuintavo));
    mostraCartellaQuintavo();
    auto nonPresente = [this] {
        servizi_.contesto.dialoghi.messaggio(this, QStringLiteral("Attenzione Quintavo non presente."), QStringLiteral("Velmora"),
                                             Icona::Nessuna);
    };
    if (!QFileInfo(cartella).isDir()) {
        nonPresente();
        return;
    }
    const int n = maintenance::estrazioniEsportate(servizi_.contesto.sessione.archivio(), maintenance::FormatoEsportazione::Quintavo);
    esportaIn(static_cast<int>(maintenance::FormatoEsportazione::Quintavo), file,
              [this, file, n](bool fatto, const QString& motivo) {
                  esportazioneFinita(fatto, motivo, file, n, QStringLiteral("l'archivio"));
              });
}

void PannelloEsportazione::salvaNazionale()
{
    if (servizi_.rifiutaSeInCorso(this))
        return;
    OpzioniFile o;
    o.titolo = QStringLiteral("Salva Nazionale formato testo");
    o.scopo = QStringLiteral("Nazionale");
    o.nomeIniziale = QStringLiteral("*.Txt");
    o.filtro = QStringLiteral("File di archivio (*.Txt)");
    o.estensione = QStringLiteral("Txt");
    const auto scelto = servizi_.contesto.dialoghi.salvaFile(this, o);
    if (!scelto)
        return;
    const QString percorso = *scelto;
    const int n = maintenance::estrazioniEsportate(servizi_.contesto.sessione.archivio(), maintenance::FormatoEsportazione::Nazionale);
    esportaIn(static_cast<int>(maintenance::FormatoEsportazione::Nazionale), percorso,
              [this, percorso, n](bool fatto, const QString& motivo) {
                  esportazioneFinita(fatto, motivo, percorso, n, QStringLiteral("la ruota Nazionale"));
              });
}

void PannelloEsportazione::apri()
{
    try {
        auto& db = servizi_.contesto.sessione.dbProgramma();
        if (db.aperto())
            if (auto percorso = storage::LeggiParametro(db, "PercorsoDati.iii"))
                Label13->setText(QString::fromStdString(*percorso));
    } catch (const std::exception&) {
        // The export path is only shown: a configuration that cannot be read leaves it empty.
    }
    mostraCartellaQuintavo();
}

}
