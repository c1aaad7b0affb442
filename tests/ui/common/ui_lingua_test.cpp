// Italian whatever the system's locale: run under LANG=C and LC_ALL=C (see CMakeLists.txt).
#include "ui/common/Lingua.h"

#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstdlib>

class TestLingua : public QObject {
    Q_OBJECT

private slots:
    void testiDiQtInItaliano()
    {
        QDialogButtonBox pulsanti(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(pulsanti.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annulla"));
        QCOMPARE(pulsanti.button(QDialogButtonBox::Save)->text(), QStringLiteral("Salva"));

        // The context menu of every text box.
        QLineEdit casella(QStringLiteral("testo"));
        casella.selectAll();
        std::unique_ptr<QMenu> menu(casella.createStandardContextMenu());
        QStringList voci;
        for (auto* a : menu->actions())
            voci << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(voci.contains(QStringLiteral("Copia")), qPrintable(voci.join(QLatin1Char('|'))));
        QVERIFY(voci.contains(QStringLiteral("Incolla")));
    }

    void dateEDecimaliInItaliano()
    {
        const QDate data(2026, 12, 8);
        QCOMPARE(QLocale().toString(data, QStringLiteral("d MMM")), QStringLiteral("8 dic"));
        QCOMPARE(QLocale().toString(1.5, 'f', 1), QStringLiteral("1,5"));
#ifndef Q_OS_WIN
        // The file dialog writes its dates through the system locale, whose time category the
        // program sets on Linux. Windows' system locale is the user's own regional format, which
        // a program does not change.
        QCOMPARE(QLocale::system().toString(data, QStringLiteral("d MMM")), QStringLiteral("8 dic"));
        QCOMPARE(QLocale::system().toString(data, QLocale::ShortFormat), QStringLiteral("08/12/26"));
#endif

        // The file dialog's type column names a folder in Italian.
        QTemporaryDir cartella;
        QVERIFY(QDir(cartella.path()).mkdir(QStringLiteral("sotto")));
        QFileSystemModel modello;
        const QModelIndex radice = modello.setRootPath(cartella.path());
        QTRY_COMPARE(modello.rowCount(radice), 1);
        // Linux: Qt's translation ("Cartella"); Windows: the shell's own name ("Cartella di file").
        const QString tipo = modello.type(modello.index(0, 0, radice));
        QVERIFY2(tipo.startsWith(QStringLiteral("Cartella")), qPrintable(tipo));
    }

    void numeriDellaLibreriaCInvariati()
    {
        // The logic libraries write and read numbers with a decimal point, whatever Qt shows.
        char testo[16];
        std::snprintf(testo, sizeof testo, "%.1f", 1.5);
        QCOMPARE(QByteArray(testo), QByteArray("1.5"));
        QCOMPARE(std::strtod("2.25", nullptr), 2.25);
    }
};

int main(int argc, char** argv)
{
    ui::preparaLocaleItaliana();
    QApplication applicazione(argc, argv);
    if (!ui::impostaItaliano()) {
        std::fprintf(stderr, "Traduzioni di Qt non installate (qt6-translations-l10n)\n");
        return 1;
    }
    TestLingua t;
    return QTest::qExec(&t, argc, argv);
}

#include "ui_lingua_test.moc"
