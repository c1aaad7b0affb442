// The results of Piramide1: the controls of the AMBATE and ABBINAMENTI pages and their layout.
#include "ui/Piramide1/PannelloEsiti.h"

#include "ui/Piramide1/ControlliPiramide.h"
#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

using namespace piramide1;

PannelloEsiti::PannelloEsiti(workbench::Banco& banco) : banco_(banco)
{
    SSTab2 = new QTabWidget;
    SSTab2->setObjectName(QStringLiteral("SSTab2"));
    auto* ambate = costruisciAmbate();
    auto* abbinamenti = costruisciAbbinamenti();
    SSTab2->addTab(ambate, QStringLiteral("Ambate"));
    SSTab2->addTab(abbinamenti, QStringLiteral("Abbinamenti"));

    // Under the results, what the same search scores on random cases (computed after it).
    auto* esiti = this;
    auto* le = new QVBoxLayout(esiti);
    le->setContentsMargins(0, 0, 0, 0);
    le->addWidget(SSTab2, 1);
    LblMiglioreACaso = etichetta(QStringLiteral("LblMiglioreACaso"), {}, esiti);
    LblMiglioreACaso->setWordWrap(true);
    LblMiglioreACaso->setToolTip(QStringLiteral(
        "La stessa ricerca ripetuta 20 volte su casi scelti a caso, ciascuno con i colpi del caso vero della "
        "stessa riga: quanti casi copre la formula migliore per puro caso (mai più dei casi verificabili), "
        "e in quante prove raggiunge la formula trovata. Le colonne Attesi e p di ogni riga "
        "dicono quanti casi il caso da solo coprirebbe e quanto è probabile coprirne altrettanti."));
    LblEsitoRicerca = etichetta(QStringLiteral("LblEsitoRicerca"), {}, esiti);
    LblEsitoRicerca->setWordWrap(true);
    LblEsitoRicerca->setStyleSheet(QStringLiteral("QLabel { color: #8b0000; }"));
    LblEsitoRicerca->hide();
    le->insertWidget(0, LblEsitoRicerca);
    LblImpostazioniEsiti = etichetta(QStringLiteral("LblImpostazioniEsiti"), {}, esiti);
    LblImpostazioniEsiti->setWordWrap(true);
    LblImpostazioniEsiti->setTextFormat(Qt::PlainText);
    LblImpostazioniEsiti->setFocusPolicy(Qt::NoFocus);
    LblImpostazioniEsiti->setToolTip(QStringLiteral(
        "Le impostazioni con cui sono stati ottenuti i risultati di questa pagina: se quelle a sinistra "
        "cambiano, i risultati non valgono più per loro finché la ricerca non è ripetuta."));
    LblImpostazioniEsiti->hide();
    le->insertWidget(1, LblImpostazioniEsiti);
    le->addWidget(LblMiglioreACaso);
    connect(SSTab2, &QTabWidget::currentChanged, this, [this] {
        mostraMiglioreACaso();
        mostraImpostazioniEsiti();
    });
    connect(Ch_CasiScoperti, &QCheckBox::toggled, this, [this](bool v) { banco_.casiScoperti = v; });
}

QWidget* PannelloEsiti::costruisciAmbate()
{
    auto* ambate = new QWidget;
    auto* la = new QVBoxLayout(ambate);
    la->setContentsMargins(2, 2, 2, 2);
    Cmd_Step1Btn = pulsante(QStringLiteral("Cmd_Step1"), QStringLiteral("AMBATE"),
                            QStringLiteral("Cerca le formule che danno l'ambata sui casi"), ambate);
    Ch_CasiScoperti = new QCheckBox(QStringLiteral("Casi scoperti"), ambate);
    Ch_CasiScoperti->setObjectName(QStringLiteral("Ch_CasiScoperti"));
    Ch_CasiScoperti->setToolTip(QStringLiteral("Le ricerche saltano i casi già coperti (segnati con MARCA)"));
    FgEsiti = griglia(QStringLiteral("FgEsiti"), banco_.FgEsiti, ambate, 90);
    // Ten rows in sight.
    FgEsiti->setMinimumHeight(FgEsiti->horizontalHeader()->sizeHint().height()
                              + 10 * FgEsiti->verticalHeader()->defaultSectionSize() + 2 * FgEsiti->frameWidth());
    auto* colonne = new QHBoxLayout;
    colonne->addWidget(etichetta(QStringLiteral("LabelColonna"), QStringLiteral("Verifica in"), ambate));
    for (int k = 1; k <= 5; ++k) {
        auto* b = Cmd_Colonna[k] = pulsante(QStringLiteral("Cmd_Colonna(%1)").arg(k), QString::number(k),
                                            QStringLiteral("Verifica formula nella colonna %1").arg(k), ambate);
        b->setFixedWidth(26);
        colonne->addWidget(b);
    }
    Command29Btn = pulsante(QStringLiteral("Command29"), QStringLiteral("Verifica formula"),
                            QStringLiteral("Verifica formula selezionata sui casi"), ambate);
    colonne->addStretch();
    Command21Btn = pulsante(QStringLiteral("Command21"), QStringLiteral("Imposta"),
                            QStringLiteral("Imposta la formula selezionata"), ambate);
    Command36Btn = pulsante(QStringLiteral("Command36"), QStringLiteral("Capogioco"),
                            QStringLiteral("Imposta come capogioco"), ambate);
    auto* Command18Btn = pulsante(QStringLiteral("Command18"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), ambate);
    la->addLayout(fila({Cmd_Step1Btn, Ch_CasiScoperti, Command18Btn}));
    la->addWidget(FgEsiti, 1);
    la->addLayout(colonne);
    comandiAmbate_ = fila({Command21Btn, Command36Btn, Command29Btn});
    la->addLayout(comandiAmbate_);
    connect(Command18Btn, &QPushButton::clicked, this, [this] { FgEsiti->copiaNegliAppunti(); });
    return ambate;
}

QWidget* PannelloEsiti::costruisciAbbinamenti()
{
    auto* abbinamenti = new QWidget;
    auto* lb = new QVBoxLayout(abbinamenti);
    lb->setContentsMargins(2, 2, 2, 2);
    Command38Btn = pulsante(QStringLiteral("Command38"), QStringLiteral("ABBINAMENTI"),
                            QStringLiteral("Cerca la formula da abbinare ai numeri del livello verificato"), abbinamenti);
    Option1 = new QRadioButton(QStringLiteral("2"), abbinamenti);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setToolTip(QStringLiteral("Ambo"));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("3"), abbinamenti);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setToolTip(QStringLiteral("Terno"));
    FgGr = griglia(QStringLiteral("FgGr"), banco_.FgGr, abbinamenti, 90);
    FgGr->setMinimumHeight(FgEsiti->minimumHeight());
    auto* ambi = new QHBoxLayout;
    ambi->addWidget(etichetta(QStringLiteral("LabelAmbo"), QStringLiteral("Verifica in"), abbinamenti));
    for (int k = 1; k <= 5; ++k) {
        auto* b = Cmd_Ambo[k] = pulsante(QStringLiteral("Cmd_Ambo(%1)").arg(k), QString::number(k),
                                         QStringLiteral("Verifica formula nella colonna %1").arg(k), abbinamenti);
        b->setFixedWidth(26);
        ambi->addWidget(b);
    }
    ambi->addStretch();
    Command7Btn = pulsante(QStringLiteral("Command7"), QStringLiteral("Imposta"),
                           QStringLiteral("Imposta la formula selezionata"), abbinamenti);
    auto* Command1Btn = pulsante(QStringLiteral("Command1"), QStringLiteral("Copia"), QStringLiteral("Copia tabella"), abbinamenti);
    lb->addLayout(fila({Command38Btn, etichetta(QStringLiteral("LabelSorte"), QStringLiteral("Sorte"), abbinamenti),
                        Option1, Option2, Command1Btn}));
    lb->addWidget(FgGr, 1);
    lb->addLayout(ambi);
    comandiAbbinamenti_ = fila({Command7Btn});
    lb->addLayout(comandiAbbinamenti_);
    connect(Command1Btn, &QPushButton::clicked, this, [this] { FgGr->copiaNegliAppunti(); });
    return abbinamenti;
}

int PannelloEsiti::aggiungiPagina(QWidget* pagina, const QString& titolo)
{
    return SSTab2->addTab(pagina, titolo);
}

void PannelloEsiti::aggiungiComando(Pagina pagina, QWidget* comando)
{
    QHBoxLayout* fila = pagina == Ambate ? comandiAmbate_ : comandiAbbinamenti_;
    comando->setParent(fila->parentWidget());
    // Before the stretch that closes the row.
    fila->insertWidget(fila->count() - 1, comando);
}

void PannelloEsiti::mostraImpostazioni()
{
    const QSignalBlocker blocco(Ch_CasiScoperti);
    Ch_CasiScoperti->setChecked(banco_.casiScoperti);
}

void PannelloEsiti::statoEsiti(const QString& testo)
{
    LblEsitoRicerca->setText(testo);
    LblEsitoRicerca->setVisible(!testo.isEmpty());
}

void PannelloEsiti::risultatiDi(int pagina, const QString& impostazioni, const QString& note)
{
    pagine_[static_cast<std::size_t>(pagina)] = StatoPagina{impostazioni, note, false};
    mostraImpostazioniEsiti();
}

void PannelloEsiti::impostazioniScadute(int pagina, bool scadute)
{
    auto& p = pagine_[static_cast<std::size_t>(pagina)];
    if (p.impostazioni.isEmpty() || p.scadute == scadute)
        return;
    p.scadute = scadute;
    mostraImpostazioniEsiti();
}

void PannelloEsiti::dimenticaRisultati(int pagina)
{
    pagine_[static_cast<std::size_t>(pagina)] = StatoPagina{};
    if (paginaConfronto_ >= 0 && paginaConfronto_ == pagina) {
        paginaConfronto_ = -1;
        LblMiglioreACaso->clear();
        mostraMiglioreACaso();
    }
    mostraImpostazioniEsiti();
}

void PannelloEsiti::mostraImpostazioniEsiti()
{
    const int scheda = SSTab2->currentIndex();
    if (scheda < 0 || scheda > 1 || pagine_[static_cast<std::size_t>(scheda)].impostazioni.isEmpty()) {
        LblImpostazioniEsiti->hide();
        return;
    }
    const auto& p = pagine_[static_cast<std::size_t>(scheda)];
    QString testo = (p.scadute ? QStringLiteral("Impostazioni cambiate dopo la ricerca: questi risultati sono di ")
                               : QStringLiteral("Risultati di: ")) + p.impostazioni;
    if (!p.note.isEmpty())
        testo += QLatin1Char('\n') + p.note;
    LblImpostazioniEsiti->setText(testo);
    LblImpostazioniEsiti->setStyleSheet(p.scadute ? QStringLiteral("QLabel { color: #8b0000; font-weight: bold; }")
                                                  : QString());
    LblImpostazioniEsiti->show();
}

void PannelloEsiti::mostraMiglioreACaso()
{
    LblMiglioreACaso->setVisible(paginaConfronto_ >= 0 && paginaConfronto_ == SSTab2->currentIndex());
}

}
