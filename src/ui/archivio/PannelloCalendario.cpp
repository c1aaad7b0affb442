// The calendar page of archivio: the year chosen, the weekday letters, a click on a day shows its draw.
#include "ui/archivio/PannelloCalendario.h"

#include "maintenance/Consultazione.h"
#include "ui/archivio/Controlli.h"
#include "ui/archivio/Servizi.h"
#include "ui/common/GrigliaView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui::archivio {

namespace {

// The calendar's columns: the hidden row selector fixed on the left, the year, the month, then one
// narrow column a day of `calendario`, headed by its number. Widths in twips.
std::vector<ColonnaDi<maintenance::MeseCalendario>> colonneCalendario(const maintenance::Calendario& calendario)
{
    std::vector<ColonnaDi<maintenance::MeseCalendario>> colonne(maintenance::PrimaColonnaGiorni + calendario.giorni.size());
    for (std::size_t c = 0; c < colonne.size(); ++c) {
        auto& col = colonne[c];
        const int indice = static_cast<int>(c);
        col.intestazione = QString::fromStdString(maintenance::intestazioneCalendario(calendario, indice));
        col.testo = [indice](const maintenance::MeseCalendario& m) { return QString::fromStdString(maintenance::testoCalendario(m, indice)); };
        if (const auto colore = maintenance::sfondoCalendario(indice))
            col.sfondo = [colore](const maintenance::MeseCalendario&) { return colore; };
        col.allineamento = c == 0 ? grid::Allineamento::Sinistra : grid::Allineamento::Centro;
        col.larghezzaTwips = c == 0 ? 200 : c == 1 ? 600 : c == 2 ? 400 : 300;
    }
    colonne[0].nascosta = true;
    return colonne;
}

}

PannelloCalendario::PannelloCalendario(Servizi& servizi, QWidget* genitore) : QWidget(genitore), servizi_(servizi)
{
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Check2 = new QCheckBox(QStringLiteral("Sigla giorno settimana"), this);
    Check2->setObjectName(QStringLiteral("Check2"));
    // The button that carries Carica calendario is not shown: the year list and the tick run it.
    auto* Command24 = pulsante("Command24", QStringLiteral("Carica calendario"), this);
    Command24->setVisible(false);
    connect(Command24, &QPushButton::clicked, this, [this] { caricaCalendario(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { caricaCalendario(); });
    connect(Check2, &QCheckBox::clicked, this, [this] { caricaCalendario(); });
    mesi_ = new ModelloRighe<maintenance::MeseCalendario>(colonneCalendario(calendario_), this);
    Fg1 = new GrigliaView(mesi_, this);
    Fg1->setObjectName(QStringLiteral("Fg1"));
    Fg1->setFisse(1, 1);
    // A click on a day, or Space or Enter on it, shows its draw.
    connect(Fg1, &GrigliaView::clic, this, [this](int riga, int colonna) { clicCalendario(riga, colonna); });
    connect(Fg1, &GrigliaView::attivata, this, [this](int riga, int colonna) { clicCalendario(riga, colonna); });
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(new QLabel(QStringLiteral("Anno"), this));
    comandi->addWidget(Combo1);
    comandi->addSpacing(16);
    comandi->addWidget(Check2);
    comandi->addWidget(Command24);
    comandi->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(comandi);
    layout->addWidget(Fg1, 1);
}

PannelloCalendario::~PannelloCalendario() = default;

void PannelloCalendario::preparaAnni()
{
    {
        const QSignalBlocker blocco(Combo1);
        for (int anno = 1939; anno <= QDate::currentDate().year(); ++anno)
            Combo1->addItem(QString::number(anno));
    }
    Combo1->setCurrentIndex(Combo1->count() - 1);   // the selection fills the calendar
}

void PannelloCalendario::caricaCalendario()
{
    auto& sessione = servizi_.contesto.sessione;
    bool ok = false;
    const int anno = Combo1->currentText().toInt(&ok);
    try {
        calendario_ = ok && sessione.dbEstrazioni().aperto()
                          ? maintenance::CaricaCalendario(sessione.dbEstrazioni(), anno, Check2->isChecked())
                          : maintenance::Calendario{};
    } catch (const std::exception&) {
        // A calendar that cannot be built stays empty, without a message.
        calendario_ = {};
    }
    // Another year has other days: the columns follow the calendar.
    mesi_->setColonne(colonneCalendario(calendario_));
    mesi_->sostituisci(calendario_.mesi);
    Fg1->aggiorna();
}

void PannelloCalendario::clicCalendario(int riga, int colonna)
{
    const auto data = maintenance::dataCalendario(calendario_, riga, colonna);
    if (!data)
        return;
    if (const auto d = maintenance::cercaDataDallaFine(servizi_.contesto.sessione.archivio(), *data))
        emit estrazioneTrovata(*d);
}

}
