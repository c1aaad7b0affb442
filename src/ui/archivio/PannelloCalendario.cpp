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
    Fg1 = new GrigliaView(Fg1_, this);
    Fg1->setObjectName(QStringLiteral("Fg1"));
    connect(Fg1, &GrigliaView::clic, this, [this](int riga, int colonna) { clicCalendario(riga, colonna); });
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

PannelloCalendario::~PannelloCalendario()
{
    // The grid view shows a grid this object owns: it goes first.
    delete Fg1;
}

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
        if (ok && sessione.dbEstrazioni().aperto())
            calendario_ = maintenance::CaricaCalendario(sessione.dbEstrazioni(), anno, Check2->isChecked(), Fg1_);
        else {
            Fg1_.setRighe(1);
            calendario_ = {};
        }
    } catch (const std::exception&) {
        // A calendar that cannot be built stays empty, without a message.
        Fg1_.setRighe(1);
        calendario_ = {};
    }
    // Widths in twips: the row selector, the year, the month, then one narrow column a day.
    Fg1_.setLarghezza(0, 200);
    Fg1_.setLarghezza(1, 600);
    Fg1_.setLarghezza(2, 400);
    for (int c = maintenance::PrimaColonnaGiorni; c < Fg1_.colonne(); ++c)
        Fg1_.setLarghezza(c, 300);
    Fg1_.setNascosta(0, true);
    Fg1->setFisse(1, 1);
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
