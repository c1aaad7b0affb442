// The window Operatori offscreen: rows in green, insertion of the missing operators, every message.
#include "SupportoUi.h"

#include "storage/ProgramDb.h"
#include "maintenance/OperatoriMancanti.h"
#include "ui/Operatori/Operatori.h"
#include "ui/common/GrigliaView.h"

#include <QHeaderView>

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

struct Banco {
    Banco() { amb.sessione->apriDatabaseProgramma(); }
    storage::Database& db() { return amb.sessione->dbProgramma(); }
    void elimina(const char* codice) { db().prepara("DELETE FROM Operatori WHERE Operatore = ?1").lega(1, codice).esegui(); }
    bool presente(const std::string& codice)
    {
        for (const auto& r : storage::LeggiOperatori(db()))
            if (r.operatore == codice)
                return true;
        return false;
    }
    ui::Operatori& apri()
    {
        finestra = std::make_unique<ui::Operatori>(*amb.contesto);
        finestra->show();
        return *finestra;
    }
    QString verdi() const   // "1" for a green row, "0" for another, rows 1..3
    {
        QString s;
        for (int r = 1; r <= 3; ++r)
            s += finestra->griglia().sfondo(r, 1) == 65280u ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    void premi(const char* nome) { finestra->findChild<QPushButton*>(QString::fromLatin1(nome))->click(); }
    QStringList messaggi() const
    {
        QStringList m;
        for (const auto& v : amb.dialoghi.messaggi())
            m << v.titolo + QStringLiteral(": ") + v.testo;
        return m;
    }

    testui::Ambiente amb;
    std::unique_ptr<ui::Operatori> finestra;
};

}

class TestOperatori : public QObject {
    Q_OBJECT
private slots:
    void tuttiPresenti()
    {
        Banco t;
        auto& w = t.apri();
        QCOMPARE(w.windowTitle(), QStringLiteral("Inserimento nuovi operatori"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label7"))->text(),
                 QStringLiteral("In verde sono evidenziati gli operatori presenti"));
        QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("Command2"))->text(), QStringLiteral("INSERISCE OPERATORI MANCANTI"));
        QCOMPARE(t.verdi(), QStringLiteral("111"));
        // The design's widths, in twips: the row selector, the code, five narrow fields, the explanation.
        const int larghezze[] = {180, 795, 300, 285, 330, 315, 405, 1260};
        for (int c = 0; c < 8; ++c)
            QCOMPARE(w.griglia().colonna(c).larghezzaTwips, larghezze[c]);
        t.premi("Command2");
        QCOMPARE(t.messaggi(), QStringList{QStringLiteral("Inserimento operatori: Sono stati inseriti N° 0 nuovi operatori")});
        QCOMPARE(t.amb.dialoghi.messaggi()[0].icona, ui::Icona::Informazione);
    }

    void mancantiInseriti()
    {
        Banco t;
        t.elimina("UFIG");
        t.apri();
        QCOMPARE(t.verdi(), QStringLiteral("110"));
        t.premi("Command2");
        QCOMPARE(t.messaggi(), QStringList{QStringLiteral("Inserimento operatori: Sono stati inseriti N° 1 nuovi operatori")});
        QCOMPARE(t.verdi(), QStringLiteral("111"));
        QVERIFY(t.presente("UFIG"));

        Banco tre;
        for (const char* c : {"PER+", "SOM+", "UFIG"})
            tre.elimina(c);
        tre.apri();
        tre.premi("Command2");
        QCOMPARE(tre.messaggi(), QStringList{QStringLiteral("Inserimento operatori: Sono stati inseriti N° 3 nuovi operatori")});
    }

    void verdeRestaDopoLaCancellazione()
    {
        Banco t;
        t.apri();
        t.elimina("UFIG");
        t.premi("Command4");
        QCOMPARE(t.verdi(), QStringLiteral("111"));
        t.premi("Command2");
        QCOMPARE(t.messaggi(), QStringList{QStringLiteral("Inserimento operatori: Sono stati inseriti N° 0 nuovi operatori")});
        QVERIFY(!t.presente("UFIG"));
    }

    void errori()
    {
        // A code that reached the table after the check: one message, and its row then green.
        Banco t;
        t.elimina("UFIG");
        t.apri();
        t.db().esegui("INSERT INTO Operatori (Operatore, Tipo) VALUES ('UFIG', 2)");
        t.premi("Command2");
        QCOMPARE(t.messaggi(), QStringList{QStringLiteral("Avviso: Attenzione, possibile anomalia.")});
        QCOMPARE(t.verdi(), QStringLiteral("111"));

        // A table that cannot be read: the check reports it, the insertion too, each once.
        Banco rotto;
        rotto.db().esegui("DROP TABLE Operatori");
        rotto.apri();
        QCOMPARE(rotto.messaggi(), QStringList{QStringLiteral("Avviso: Attenzione, errore imprevisto.")});
        rotto.amb.dialoghi.svuota();
        rotto.premi("Command2");
        QCOMPARE(rotto.messaggi(), QStringList{QStringLiteral("Avviso: Attenzione, possibile anomalia.")});
    }

    void testiComeLaGrigliaEColoriDaiSegni()
    {
        // The table shows what the operators' grid writer writes, cell by cell, the selector fixed.
        Banco t;
        t.elimina("SOM+");
        auto& w = t.apri();
        grid::Grid attesa;
        maintenance::preparaFG2(attesa);
        const grid::Grid g = w.griglia();
        QCOMPARE(testui::primaDifferenza(g, attesa), QString());
        QCOMPARE(g.colonna(maintenance::colFG2::Tipo).allineamento, grid::Allineamento::Centro);
        QCOMPARE(g.colonna(maintenance::colFG2::Spiegazione).allineamento, grid::Allineamento::Sinistra);
        // The missing operator's row stays white, also in its explanation; the others green up to it.
        QCOMPARE(t.verdi(), QStringLiteral("101"));
        QVERIFY(g.sfondo(2, maintenance::colFG2::Spiegazione) != grid::colori::Verde);
        QCOMPARE(g.sfondo(1, maintenance::colFG2::Spiegazione), grid::colori::Verde);
        auto* vista = w.findChild<ui::GrigliaView*>(QStringLiteral("FG2"));
        QVERIFY(!vista->verticalHeader()->isHidden());
        QCOMPARE(vista->model()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QString());
        QCOMPARE(vista->model()->columnCount(), 7);
        QCOMPARE(vista->model()->data(vista->model()->index(0, 0)).toString(), QStringLiteral("PER+"));
    }
};

QTEST_MAIN(TestOperatori)
#include "ui_operatori_test.moc"
