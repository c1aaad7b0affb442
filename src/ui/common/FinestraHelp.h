// The program's help window: the HTML pages of "HelpVelmora" shown at a context number.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace ui {

class Dialoghi;

// One help window per process; asking for another topic shows it in the same window.
class FinestraHelp : public QWidget {
    Q_OBJECT
public:
    explicit FinestraHelp(const QString& cartella, QWidget* genitore = nullptr);

    // Shows the page of a context number ("310.html"); false when the page is missing.
    [[nodiscard]] bool mostra(int contesto);
    QTextBrowser* browser() const { return browser_; }
    int contesto() const { return contesto_; }

    // The page file of a context number inside the help folder.
    static QString paginaDi(int contesto);
    // The context numbers with a page: one per help button of the program.
    static const QList<int>& contesti();

    // Shows the shared window at `contesto`; a missing page is reported through `dialoghi`.
    static FinestraHelp* apri(const QString& cartella, int contesto, Dialoghi& dialoghi, QWidget* genitore);

private:
    QString cartella_;
    QTextBrowser* browser_;
    int contesto_ = 0;
};

}
