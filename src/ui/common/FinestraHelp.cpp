// The help window over the HTML pages shipped beside the executable.
#include "ui/common/FinestraHelp.h"

#include "ui/common/Dialoghi.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ui {

FinestraHelp::FinestraHelp(const QString& cartella, QWidget* genitore)
    : QWidget(genitore, Qt::Window), cartella_(cartella), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("FinestraHelp"));
    setWindowTitle(QStringLiteral("Velmora - Help in linea"));
    // A help window left open must not keep the program alive once its windows are closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_->setObjectName(QStringLiteral("browserHelp"));
    browser_->setSearchPaths({cartella_});
    browser_->setOpenExternalLinks(true);

    auto* indice = new QPushButton(QStringLiteral("Indice"), this);
    auto* indietro = new QPushButton(QStringLiteral("Indietro"), this);
    auto* avanti = new QPushButton(QStringLiteral("Avanti"), this);
    connect(indice, &QPushButton::clicked, this, [this] { browser_->setSource(QUrl(QStringLiteral("index.html"))); });
    connect(indietro, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(avanti, &QPushButton::clicked, browser_, &QTextBrowser::forward);

    auto* barra = new QHBoxLayout;
    barra->addWidget(indice);
    barra->addWidget(indietro);
    barra->addWidget(avanti);
    barra->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(barra);
    layout->addWidget(browser_);
    resize(720, 560);
    // Escape closes the help, as it closes a dialog.
    auto* chiudi = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    chiudi->setContext(Qt::WindowShortcut);
    connect(chiudi, &QShortcut::activated, this, &QWidget::close);
}

QString FinestraHelp::paginaDi(int contesto)
{
    return QString::number(contesto) + QStringLiteral(".html");
}

const QList<int>& FinestraHelp::contesti()
{
    static const QList<int> c{250, 270, 280, 290, 300, 310, 340, 350, 352, 354};
    return c;
}

bool FinestraHelp::mostra(int contesto)
{
    const QString pagina = paginaDi(contesto);
    if (!QFileInfo::exists(QDir(cartella_).filePath(pagina)))
        return false;
    contesto_ = contesto;
    browser_->setSource(QUrl(pagina));
    return true;
}

FinestraHelp* FinestraHelp::apri(const QString& cartella, int contesto, Dialoghi& dialoghi, QWidget* genitore)
{
    static QPointer<FinestraHelp> finestra;
    if (!finestra)
        finestra = new FinestraHelp(cartella);
    if (finestra->cartella_ != cartella) {
        finestra->cartella_ = cartella;
        finestra->browser_->setSearchPaths({cartella});
    }
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    if (!finestra->mostra(contesto)) {
        dialoghi.messaggio(genitore, QStringLiteral("La guida non è stata trovata nella cartella del programma:\n") + cartella,
                           QStringLiteral("Help in linea"), Icona::Esclamazione);
        return nullptr;
    }
    finestra->show();
    finestra->raise();
    finestra->activateWindow();
    return finestra;
}

}
