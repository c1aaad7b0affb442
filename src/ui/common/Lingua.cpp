// Italian for the whole program, whatever the system's locale.
#include "ui/common/Lingua.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

namespace {
// Qt 6 moved the file types' names ("Folder", "Unknown", "%1 File") from the file dialog to the icon
// provider; the Italian translations Debian ships still hold them under the old name.
class TraduzioneQt : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* contesto, const char* testo, const char* disambiguazione, int n) const override
    {
        QString t = QTranslator::translate(contesto, testo, disambiguazione, n);
        if (t.isEmpty() && qstrcmp(contesto, "QAbstractFileIconProvider") == 0)
            t = QTranslator::translate("QFileDialog", testo, disambiguazione, n);
        return t;
    }
};
}

void preparaLocaleItaliana()
{
    // Qt builds its system locale from LC_ALL, then the category's variable, then LANG, once.
    // LC_ALL would hide LC_TIME: its value moves to every other category, so the C library keeps
    // the user's settings (numbers, characters) and only the dates change.
    const QByteArray tutte = qgetenv("LC_ALL");
    if (!tutte.isEmpty()) {
        for (const char* categoria : {"LC_CTYPE", "LC_NUMERIC", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER",
                                      "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
            qputenv(categoria, tutte);
        qunsetenv("LC_ALL");
    }
    qputenv("LC_TIME", "it_IT.UTF-8");
}

bool impostaItaliano()
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italiano);
    auto* traduzione = new TraduzioneQt(QCoreApplication::instance());
    // The system's Qt translations (Debian's qt6-translations-l10n), else those built into the
    // program where Qt comes with it (the Windows build).
    if (!traduzione->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && !traduzione->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"), QStringLiteral(":/traduzioni"))) {
        delete traduzione;
        return false;
    }
    QCoreApplication::installTranslator(traduzione);
    return true;
}

}
