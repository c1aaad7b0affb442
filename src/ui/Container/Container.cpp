// Container: tool buttons over the window registry, range labels, draw list, progress bars, FINE, help.
#include "ui/Container/Container.h"

#include "ui/common/Controlli.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/LavoroDiFondo.h"
#include "ui/common/RegistroFinestre.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QKeySequence>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace ui {

const std::vector<Container::PulsanteStrumento>& Container::pulsanti()
{
    static const std::vector<PulsanteStrumento> p{
        {"Command6", "Piramide1", "Velmora", "Piramide"},
        {"Command1", "archivio", "Gestione archivio", "Archivio"},
        {"Command3", "PiramidiPrevisioonali", "La piramide dei ritardi e delle frequenze", "Ritardi"},
        {"Command2", "Estrazioni_minielenco", "Mini elenco estrazioni", "Elenco"},
        {"Command4", "Operatori", "Inserimento nuovi operatori", "Operatori"},
        {"Command5", "Statistiche", "Ritardi e frequenze, con quanto darebbe il caso", "Statistiche"},
        {"CmdGiocate", "Giocate", "Le giocate, le loro vincite e la resa attesa", "Giocate"},
        {"CmdSistemi", "Sistemi", "Sistemi integrali e ridotti con la garanzia verificata, il rendimento e il costo", "Sistemi"},
    };
    return p;
}

namespace {
QStyle::StandardPixmap iconaDi(const QString& finestra)
{
    if (finestra == QLatin1String("Piramide1"))
        return QStyle::SP_FileDialogDetailedView;
    // Every icon here has 32- and 128-pixel drawings: the buttons' icons share one size, sharp on dense
    // screens too (the hard disk has a 16-pixel one only).
    if (finestra == QLatin1String("archivio"))
        return QStyle::SP_DriveCDIcon;
    if (finestra == QLatin1String("PiramidiPrevisioonali"))
        return QStyle::SP_FileDialogContentsView;
    if (finestra == QLatin1String("Estrazioni_minielenco"))
        return QStyle::SP_FileDialogListView;
    if (finestra == QLatin1String("Statistiche"))
        return QStyle::SP_FileDialogInfoView;
    if (finestra == QLatin1String("Giocate"))
        return QStyle::SP_DialogApplyButton;
    if (finestra == QLatin1String("Sistemi"))
        return QStyle::SP_FileDialogToParent;
    return QStyle::SP_FileDialogNewFolder;
}

QLabel* etichettaValore(QWidget* genitore, const char* nome, const char* suggerimento)
{
    auto* l = new QLabel(genitore);
    l->setObjectName(QString::fromLatin1(nome));
    l->setToolTip(QString::fromUtf8(suggerimento));
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(80);
    return l;
}
}

// The tool buttons, one per window (greyed while the window is not part of the build), Help, and F1.
QGridLayout* Container::pulsantiStrumenti(QWidget* Picture1)
{
    auto* strumenti = new QGridLayout;
    int i = 0;
    for (const auto& p : pulsanti()) {
        auto* b = new QToolButton(Picture1);
        const QString finestra = QString::fromLatin1(p.finestra);
        b->setObjectName(QString::fromLatin1(p.controllo));
        b->setIcon(style()->standardIcon(iconaDi(finestra)));
        b->setIconSize(QSize(32, 32));
        b->setText(QString::fromUtf8(p.didascalia));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setMinimumSize(96, 64);
        const bool esiste = registroFinestre().disponibile(finestra);
        b->setEnabled(esiste);
        b->setToolTip(esiste ? QString::fromUtf8(p.suggerimento)
                             : QString::fromUtf8(p.suggerimento) + QStringLiteral(" (non ancora disponibile)"));
        connect(b, &QToolButton::clicked, this, [this, finestra] { apriFinestra(finestra); });
        invioPremePulsante(b);
        strumenti->addWidget(b, i / 3, i % 3);
        ++i;
    }
    auto* CmDHelp = new QToolButton(Picture1);
    CmDHelp->setObjectName(QStringLiteral("CmDHelp"));
    CmDHelp->setToolTip(QStringLiteral("Help in linea"));
    CmDHelp->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    CmDHelp->setIconSize(QSize(32, 32));
    CmDHelp->setText(QStringLiteral("Help"));
    CmDHelp->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    CmDHelp->setMinimumSize(96, 64);
    invioPremePulsante(CmDHelp);
    connect(CmDHelp, &QToolButton::clicked, this, [this] {
        if (contesto_.apriHelp)
            contesto_.apriHelp(250, this);
    });
    strumenti->addWidget(CmDHelp, i / 3, i % 3);
    // F1: the help page of the window in front (its "contestoHelp"), else the main window's.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] {
        int pagina = 250;
        if (QMdiSubWindow* sub = mdi_->activeSubWindow(); sub && sub->widget()) {
            const QVariant c = sub->widget()->property("contestoHelp");
            if (c.isValid())
                pagina = c.toInt();
        }
        if (contesto_.apriHelp)
            contesto_.apriHelp(pagina, this);
    });
    return strumenti;
}

Container::Container(Contesto& contesto, QWidget* genitore)
    : QMainWindow(genitore), contesto_(contesto), mdi_(new QMdiArea(this)), elenco_(nullptr), fgpa(nullptr),
      pb1(nullptr), Pb2(nullptr), progresso1_(nullptr), progresso2_(nullptr)
{
    setObjectName(QStringLiteral("Container"));
    setWindowTitle(QStringLiteral("Velmora"));

    auto* Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    QPalette tavolozza = Picture1->palette();
    tavolozza.setColor(QPalette::Window, tavolozza.color(QPalette::Button));
    Picture1->setPalette(tavolozza);
    Picture1->setFixedWidth(330);

    auto* strumenti = pulsantiStrumenti(Picture1);

    auto* intervallo = new QGridLayout;
    const char* didascalie[] = {"Inizio", "Fine", "N° estr"};
    for (int c = 0; c < 3; ++c) {
        auto* l = new QLabel(QString::fromUtf8(didascalie[c]), Picture1);
        l->setObjectName(QStringLiteral("Label4"));
        l->setAlignment(Qt::AlignCenter);
        intervallo->addWidget(l, 0, c);
    }
    LblInizio = etichettaValore(Picture1, "LblInizio", "Data inizio");
    Lbl_inizioNE = etichettaValore(Picture1, "Lbl_inizioNE", "Indice inizio");
    LblFine = etichettaValore(Picture1, "LblFine", "Data fine");
    Lbl_fineNE = etichettaValore(Picture1, "Lbl_fineNE", "Indice fine");
    Lbl_Ev = etichettaValore(Picture1, "Lbl_Ev", "Estrazioni archivio modello");
    intervallo->addWidget(LblInizio, 1, 0);
    intervallo->addWidget(LblFine, 1, 1);
    intervallo->addWidget(Lbl_Ev, 1, 2, 2, 1);
    intervallo->addWidget(Lbl_inizioNE, 2, 0);
    intervallo->addWidget(Lbl_fineNE, 2, 1);

    // The draws' list: a hidden first column as the row selector, then index, date and ordinals, centred.
    std::vector<ColonnaDi<EstrazioneElencata>> colonne(5);
    colonne[0].testo = [](const EstrazioneElencata&) { return QString(); };
    colonne[0].nascosta = true;
    const auto numero = [](int EstrazioneElencata::*campo) {
        return [campo](const EstrazioneElencata& e) { return QString::number(e.*campo); };
    };
    colonne[1].testo = numero(&EstrazioneElencata::indice);
    colonne[2].testo = [](const EstrazioneElencata& e) { return QString::fromStdString(e.data); };
    colonne[3].testo = numero(&EstrazioneElencata::progressivoAnno);
    colonne[4].testo = numero(&EstrazioneElencata::progressivoMese);
    const char* titoli[] = {"", "N° indice", "Data", "Pr. anno", "Pr. mese"};
    const int larghezze[] = {960, 950, 1400, 950, 950};
    for (std::size_t c = 0; c < colonne.size(); ++c) {
        colonne[c].intestazione = QString::fromUtf8(titoli[c]);
        colonne[c].larghezzaTwips = larghezze[c];
        if (c > 0)
            colonne[c].allineamento = grid::Allineamento::Centro;
    }
    elenco_ = new ModelloRighe<EstrazioneElencata>(std::move(colonne), this);
    fgpa = new GrigliaView(elenco_, Picture1);
    fgpa->setObjectName(QStringLiteral("fgpa"));

    pb1 = new QProgressBar(Picture1);
    pb1->setObjectName(QStringLiteral("pb1"));
    Pb2 = new QProgressBar(Picture1);
    Pb2->setObjectName(QStringLiteral("Pb2"));
    for (auto* b : {pb1, Pb2}) {
        b->setRange(0, 1);
        b->setValue(0);
        b->setTextVisible(false);
        b->setMaximumHeight(14);
    }
    progresso1_ = BarraProgresso(pb1);
    progresso2_ = BarraProgresso(Pb2);

    auto* Command45 = new QPushButton(QStringLiteral("FINE"), Picture1);
    Command45->setObjectName(QStringLiteral("Command45"));
    Command45->setMinimumHeight(34);
    invioPremePulsante(Command45);
    connect(Command45, &QPushButton::clicked, this, [this] {
        // Nothing to save: every window stores its changes as they are made.
        // Work still running in a tool window is stopped before the files close.
        LavoroDiFondo::fermaTutti();
        contesto_.sessione.chiudi();
        if (contesto_.termina)
            contesto_.termina();
    });

    auto* pannello = new QVBoxLayout(Picture1);
    pannello->addLayout(strumenti);
    pannello->addSpacing(6);
    pannello->addLayout(intervallo);
    pannello->addWidget(fgpa, 1);
    pannello->addWidget(pb1);
    pannello->addWidget(Pb2);
    pannello->addWidget(Command45);

    mdi_->setObjectName(QStringLiteral("areaMdi"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* centrale = new QWidget(this);
    auto* layout = new QHBoxLayout(centrale);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Picture1);
    layout->addWidget(mdi_, 1);
    setCentralWidget(centrale);
    const QScreen* schermo = screen() ? screen() : QGuiApplication::primaryScreen();
    const Apertura apertura = aperturaPerSchermo(schermo ? schermo->availableGeometry() : QRect(0, 0, 1280, 900));
    setGeometry(apertura.geometria);
    if (apertura.massimizzata)
        setWindowState(windowState() | Qt::WindowMaximized);   // takes effect at show()

    // Window load.
    SettaValoriBase();
    riempiFgpa();
    Lbl_Ev->setAutoFillBackground(true);
    QPalette verde = Lbl_Ev->palette();
    verde.setColor(QPalette::Window, qColore(contesto_.colori.intervallo));
    verde.setColor(QPalette::WindowText, qColore(contesto_.colori.testoIntervallo));
    Lbl_Ev->setPalette(verde);
    ImpostazioniArchivioModello();

    contesto_.pb1 = &progresso1_;
    contesto_.pb2 = &progresso2_;
    contesto_.ImpostazioniArchivioModello = [this] { ImpostazioniArchivioModello(); };
    contesto_.apriFinestra = [this](const QString& nome) -> QWidget* {
        QMdiSubWindow* sub = apriFinestra(nome);
        return sub ? sub->widget() : nullptr;
    };
    // Back to the program after velmora-cli or another copy wrote to the archive: reloaded at once.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState stato) {
        if (stato == Qt::ApplicationActive && isVisible())
            static_cast<void>(contesto_.ricaricaSeCambiatoFuori(this));
    });
}

Container::~Container()
{
    if (contesto_.pb1 == &progresso1_)
        contesto_.pb1 = nullptr;
    if (contesto_.pb2 == &progresso2_)
        contesto_.pb2 = nullptr;
    contesto_.ImpostazioniArchivioModello = [] {};
    contesto_.apriFinestra = [](const QString&) -> QWidget* { return nullptr; };
}

Container::Apertura Container::aperturaPerSchermo(const QRect& disponibile, const QSize& bordo)
{
    const QSize naturale(1280, 820);
    Apertura a;
    if (naturale.width() + bordo.width() <= disponibile.width() &&
        naturale.height() + bordo.height() <= disponibile.height()) {
        a.geometria = QRect(QPoint(0, 0), naturale);
        a.geometria.moveCenter(disponibile.center());
        return a;
    }
    // The free area less the frame, for the moment before the window manager maximises it.
    a.geometria = QRect(disponibile.topLeft(), (disponibile.size() - bordo).expandedTo(QSize(200, 200)));
    a.massimizzata = true;
    return a;
}

void Container::SettaValoriBase()
{
    contesto_.colori = ColoriBase{};
}

void Container::riempiFgpa()
{
    const auto& a = contesto_.sessione.archivio();
    const int n = a.NumeroEstrazioni;
    std::vector<EstrazioneElencata> righe;
    righe.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int d = 1; d <= n; ++d)
        righe.push_back({d, a.DateEstrazioni[d], a.ProgressivoAnno[d], a.ProgressivoMese[d]});
    elenco_->sostituisci(std::move(righe));
    fgpa->setFisse(1, 0);
    fgpa->aggiorna();
    if (n > 0)
        fgpa->scrollToBottom();
}

void Container::ImpostazioniArchivioModello()
{
    const auto& a = contesto_.sessione.archivio();
    // A reload by archive maintenance may have changed the draws the list shows.
    const int n = a.NumeroEstrazioni;
    if (elenco_->rowCount() != n || (n > 0 && elenco_->riga(n - 1).data != a.DateEstrazioni[n]))
        riempiFgpa();

    const int m = a.NumeroEstrazioniModello;
    if (m < 1 || static_cast<int>(a.ArchivioModello.size()) <= m) {
        // An empty model archive has no first or last draw.
        for (auto* l : {LblInizio, Lbl_inizioNE, LblFine, Lbl_fineNE})
            l->setText(QStringLiteral("-"));
        Lbl_Ev->setText(QStringLiteral("0"));
        return;
    }
    const int primo = a.ArchivioModello[1];
    const int ultimo = a.ArchivioModello[m];
    LblInizio->setText(QString::fromStdString(a.DateEstrazioni[primo]));
    Lbl_inizioNE->setText(QString::number(primo));
    LblFine->setText(QString::fromStdString(a.DateEstrazioni[ultimo]));
    Lbl_fineNE->setText(QString::number(ultimo));
    // Counted from the two index labels, as the display always did.
    Lbl_Ev->setText(QString::number(Lbl_fineNE->text().toInt() - Lbl_inizioNE->text().toInt() + 1));
}

QMdiSubWindow* Container::apriFinestra(const QString& nome)
{
    // A window opens on the draws the file holds now.
    static_cast<void>(contesto_.ricaricaSeCambiatoFuori(this));
    auto it = aperte_.find(nome);
    if (it != aperte_.end() && it->second) {
        QMdiSubWindow* sub = it->second;
        // Brought to the front as it is: a maximised window stays maximised, only a
        // minimised one comes back so that it can be seen.
        if (sub->isMinimized())
            sub->showNormal();
        mdi_->setActiveSubWindow(sub);
        sub->raise();
        return sub;
    }
    QWidget* w = nullptr;
    try {
        w = registroFinestre().crea(nome, contesto_);
    } catch (const std::exception& e) {
        contesto_.dialoghi.messaggio(this, QString::fromStdString(e.what()), QStringLiteral("Anomalia"), Icona::Critica);
        return nullptr;
    }
    if (!w)
        return nullptr;
    QMdiSubWindow* sub = mdi_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(nome + QStringLiteral("_finestra"));
    sub->setWindowTitle(w->windowTitle());
    aperte_[nome] = sub;
    w->show();
    // A window that needs the whole room (the workbench) asks for it; the others open at the
    // size their controls ask for, maximised when the area is smaller than that.
    if (w->property("apriMassimizzata").toBool()) {
        sub->showMaximized();
    } else {
        sub->show();
        sub->adjustSize();
        const QSize area = mdi_->viewport()->size();
        if (sub->width() > area.width() || sub->height() > area.height())
            sub->showMaximized();
    }
    mdi_->setActiveSubWindow(sub);
    return sub;
}

}
