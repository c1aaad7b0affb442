// The window archivio offscreen: boxes and keys, paste, SALVA, MODIFICA, ELIMINA with the main window's labels,
// the refusals, browser and calendar, help; and a draw written through the window read back by velmora-cli.
#include "ui/archivio/GestioneArchivio.h"
#include "ui/archivio/PannelloCalendario.h"
#include "ui/archivio/PannelloConsultazione.h"
#include "ui/archivio/PannelloInserimento.h"

#include "archive/ArchivioDimostrativo.h"
#include "maintenance/Consultazione.h"
#include "storage/DrawsDb.h"
#include "SupportoUi.h"
#include "ui/Container/Container.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/Tema.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <set>

using namespace ui;
using Voce = DialoghiScriptati::Voce;

namespace {

using testui::archivioModello;

QString dueCifre(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The first regular draw day after `d` in the model archive's last years: Tuesday, Thursday, Friday, Saturday.
QDate prossimaEstrazione(QDate d)
{
    do
        d = d.addDays(1);
    while (d.dayOfWeek() == 1 || d.dayOfWeek() == 3 || d.dayOfWeek() == 7);
    return d;
}

// FgDB worked out from the loaded archive: the header, then per draw its date and each wheel's five numbers
// of two digits joined by "-" (blank where the wheel was not drawn).
grid::Grid archivioAtteso(const archive::Archivio& a)
{
    grid::Grid g(1 + a.NumeroEstrazioni, 1);
    g.setIntestazione("|DataEstrazione|Ba|Ca|Fi|Ge|Mi|Na|Pa|Ro|To|Ve|Nz");
    g.setRighe(1 + a.NumeroEstrazioni);
    for (int d = 1; d <= a.NumeroEstrazioni; ++d) {
        g.setTesto(d, 1, a.DateEstrazioni[static_cast<std::size_t>(d)]);
        for (int w = 0; w < archive::NumeroRuote; ++w) {
            QStringList numeri;
            for (int p = 1; p <= 5 && a.numero(d, w, p) > 0; ++p)
                numeri << dueCifre(a.numero(d, w, p));
            g.setTesto(d, 2 + w, numeri.join(QLatin1Char('-')).toStdString());
        }
    }
    return g;
}

// The calendar of `anno` worked out from the archive's dates with Qt's own calendar: one column per day of
// the month that holds a draw, one row per month, in a day with a draw its weekday (Sunday 1) or its letter.
grid::Grid calendarioAtteso(const archive::Archivio& a, int anno, bool sigle)
{
    std::map<int, std::map<int, int>> mesi;
    std::set<int> giorni;
    for (int d = 1; d <= a.NumeroEstrazioni; ++d) {
        const QDate g = QDate::fromString(QString::fromStdString(a.DateEstrazioni[static_cast<std::size_t>(d)]), "dd/MM/yyyy");
        if (g.year() != anno)
            continue;
        mesi[g.month()][g.day()] = g.dayOfWeek() % 7 + 1;
        giorni.insert(g.day());
    }
    grid::Grid atteso(1, 3 + static_cast<int>(giorni.size()));
    atteso.setTesto(0, 1, "A");
    atteso.setTesto(0, 2, "M");
    int c = 3;
    for (int giorno : giorni)
        atteso.setTesto(0, c++, std::to_string(giorno));
    for (const auto& [mese, perGiorno] : mesi) {
        const int r = atteso.aggiungiRiga();
        atteso.setTesto(r, 1, std::to_string(anno));
        atteso.setTesto(r, 2, std::to_string(mese));
        c = 3;
        for (int giorno : giorni) {
            const auto trovato = perGiorno.find(giorno);
            if (trovato != perGiorno.end())
                atteso.setTesto(r, c, sigle ? std::string(1, "DLMmGVS"[trovato->second - 1]) : std::to_string(trovato->second));
            ++c;
        }
    }
    return atteso;
}

struct Banco {
    // `inizioModello`: the first draw of the model archive the main window shows at start.
    explicit Banco(int inizioModello = 1)
    {
        percorso = amb.file(QStringLiteral("archivio.db"));
        QFile::copy(archivioModello(), percorso);
        (void)amb.sessione->selezionaArchivio(percorso.toStdString());
        amb.sessione->archivio().EstrazioneIniziale = inizioModello;
        amb.sessione->carica();
        principale = std::make_unique<Container>(*amb.contesto);
        finestra = new GestioneArchivio(*amb.contesto);
        finestra->show();
        finestra->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(finestra));
    }
    ~Banco() { delete finestra; }

    const archive::Archivio& a() const { return amb.sessione->archivio(); }
    int n() const { return a().NumeroEstrazioni; }
    template <class T> T* w(const QString& nome) const { return testui::controllo<T>(*finestra, nome); }
    QLineEdit* box(int i) const { return w<QLineEdit>(QStringLiteral("txtin(%1)").arg(i)); }
    QString testo(const QString& nome) const { return w<QLabel>(nome)->text(); }
    QString principaleTesto(const char* nome) const
    {
        return principale->findChild<QLabel*>(QString::fromLatin1(nome))->text();
    }
    // Presses a button and waits for the work it may have started (the write and reload of SALVA,
    // MODIFICA, ELIMINA run on the window's runner).
    void premi(const char* nome)
    {
        QTest::mouseClick(w<QPushButton>(QString::fromLatin1(nome)), Qt::LeftButton);
        attendi();
    }
    void attendi()
    {
        if (finestra->lavoro().occupato())
            QVERIFY(testui::attendi(finestra->lavoro()));
    }
    QScrollBar* barra() const { return w<QScrollBar>(QStringLiteral("HScrestrazione")); }
    QCalendarWidget* calendario() const { return w<QCalendarWidget>(QStringLiteral("MonthView1")); }
    QDate data(int d) const { return QDate::fromString(QString::fromStdString(a().DateEstrazioni[d]), "dd/MM/yyyy"); }
    // The boxes from a pasted text.
    void incolla(const QString& t)
    {
        QApplication::clipboard()->setText(t);
        premi("Command12");
    }
    QString focoso() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    std::vector<Voce> messaggi() const { return amb.dialoghi.messaggi(); }

    testui::Ambiente amb;
    QString percorso;
    std::unique_ptr<Container> principale;
    GestioneArchivio* finestra = nullptr;
};

// A valid draw as a results page shows it: wheel w holds 8w+1 .. 8w+5 (Nazionale 81..85, or
// left out). The heading carries a date only when given one.
QString testoEstrazione(int spostamento = 0, bool nazionale = true, const QString& data = {})
{
    QString testo = QStringLiteral("Estrazione del Lotto%1\n").arg(data.isEmpty() ? QString() : QStringLiteral(" del ") + data);
    for (int w = 0; w < (nazionale ? 11 : 10); ++w) {
        testo += QString::fromLatin1(archive::NomiRuote[static_cast<std::size_t>(w)].data(),
                                     static_cast<int>(archive::NomiRuote[static_cast<std::size_t>(w)].size()));
        for (int p = 1; p <= 5; ++p)
            testo += QStringLiteral("\t") + QString::number(w * 8 + p + spostamento);
        testo += QStringLiteral("\n");
    }
    return testo + QStringLiteral("Numero Oro: 12\n");
}

}

class TestArchivio : public QObject {
    Q_OBJECT
private slots:
    void apertura();
    void caselle();
    void caselleLeggibiliColTemaScuro();
    void tasti();
    void incollaERifiuti();
    void salvaNuovaUltima();
    void salvaSenzaBloccareLaFinestra();
    void dataGiaMemorizzata();
    void salvaChiedeCioCheSembraUnErrore();
    void salvaDallaTastieraRestituisceIlFuoco();
    void archivioEliminatoDuranteIlLavoro();
    void modificaEdElimina();
    void ricaricaDelleModificheEsterne();
    void archivioCambiatoSulDiscoRicaricato();
    void consultazione();
    void calendario();
    void help();
    void tastieraEF1();
    void apertaDalPulsanteArchivio();
    void cliVedeLeScritture();
};

void TestArchivio::apertura()
{
    Banco t(1000);
    QCOMPARE(t.finestra->windowTitle(), QStringLiteral("Gestione archivio DB"));
    QCOMPARE(t.w<QTabWidget>("SSTab1")->currentIndex(), 0);
    QCOMPARE(t.barra()->value(), t.n());
    QCOMPARE(t.barra()->maximum(), t.n());
    QCOMPARE(t.testo("pAN_DC"), QString::number(t.n()));
    QCOMPARE(t.testo("LBLESTRAZIONE"), QString::fromStdString(t.a().DateEstrazioni[t.n()]));
    QCOMPARE(t.testo("LBLAGGIORNATO"), t.testo("LBLESTRAZIONE"));
    QCOMPARE(t.testo("Label2"), QString::number(t.n()));
    QCOMPARE(t.testo("LblMensile"), QString::number(t.a().ProgressivoMese[t.n()]));
    for (int w = 0; w < 11; ++w)
        for (int p = 1; p <= 5; ++p)
            QCOMPARE(t.box(5 * w + p)->text(), dueCifre(t.a().numero(t.n(), w, p)));
    QCOMPARE(t.w<QLineEdit>("Text1")->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    QCOMPARE(t.calendario()->selectedDate(), QDate::currentDate());
    auto* anni = t.w<QComboBox>("Combo1");
    QCOMPARE(anni->itemText(0), QStringLiteral("1939"));
    QCOMPARE(anni->count(), QDate::currentDate().year() - 1939 + 1);
    QCOMPARE(anni->currentText(), QString::number(QDate::currentDate().year()));
    // ... and that selection filled the calendar: one row per month of this year with draws.
    std::set<int> mesi;
    for (int d = 1; d <= t.n(); ++d)
        if (t.data(d).year() == QDate::currentDate().year())
            mesi.insert(t.data(d).month());
    QCOMPARE(t.finestra->calendario().griglia().righe(), static_cast<int>(mesi.size()) + 1);
    QCOMPARE(t.finestra->consultazione().griglia().righe(), t.n() + 1);
    QCOMPARE(t.testo("Label9"), QString::number(t.n()));
    // Opening leaves the main window's model archive as it was.
    QCOMPARE(t.principaleTesto("Lbl_inizioNE"), QStringLiteral("1000"));
    // An old draw has no Nazionale: its boxes show 00.
    t.barra()->setValue(10);
    QCOMPARE(t.box(51)->text(), QStringLiteral("00"));
    QCOMPARE(t.testo("LBLESTRAZIONE"), QStringLiteral("11/03/1939"));

    // The date commands; "Data selezionata" always shows the calendar's date, the one SALVA stores.
    t.premi("Command6");
    QCOMPARE(t.calendario()->selectedDate(), QDate(1939, 3, 11));
    QCOMPARE(t.w<QLineEdit>("Text1")->text(), QStringLiteral("11/03/1939"));
    emit t.calendario()->clicked(QDate(1939, 3, 18));
    QCOMPARE(t.w<QLineEdit>("Text1")->text(), QStringLiteral("18/03/1939"));
    QCOMPARE(t.focoso(), QStringLiteral("Text1"));
    t.premi("Command9");
    QCOMPARE(t.calendario()->selectedDate(), QDate::currentDate());
    QCOMPARE(t.w<QLineEdit>("Text1")->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    // A date typed moves the calendar once it is whole; a short form is written out on leaving.
    auto* Text1 = t.w<QLineEdit>("Text1");
    Text1->setFocus();
    Text1->selectAll();
    QTest::keyClicks(Text1, "14/03/1939");
    QCOMPARE(t.calendario()->selectedDate(), QDate(1939, 3, 14));
    Text1->selectAll();
    QTest::keyClicks(Text1, "2/5/1950");
    QTest::keyClick(Text1, Qt::Key_Return);
    QCOMPARE(Text1->text(), QStringLiteral("02/05/1950"));
    QCOMPARE(t.calendario()->selectedDate(), QDate(1950, 5, 2));
    t.premi("Command4");
    QCOMPARE(t.barra()->value(), t.n());
}

void TestArchivio::caselle()
{
    Banco t;
    QLineEdit* b = t.box(3);
    b->setFocus();
    QCOMPARE(b->property("colore").toUInt(), 0x00FFFFu);
    b->clear();
    QTest::keyClicks(b, "7");
    t.box(4)->setFocus();
    QCOMPARE(b->text(), QStringLiteral("07"));
    QCOMPARE(b->property("colore").toUInt(), 0xFFFFFFu);
    // A number above 90 is refused at once with a message naming the box, and the box is emptied
    // for the number to be typed again.
    for (const auto& [scritto, detto] : {std::pair{"95", 1}, std::pair{"9a", 0}, std::pair{"99", 1}, std::pair{"a", 0}}) {
        t.amb.dialoghi.svuota();
        b->setFocus();
        b->clear();
        QTest::keyClicks(b, scritto);
        QCOMPARE(b->text(), QString());
        QCOMPARE(t.messaggi().size(), std::size_t(detto));
    }
    QTest::keyClicks(b, "99");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo,
             QStringLiteral("Il numero 99 non è un numero del Lotto: i numeri vanno da 1 a 90 (Bari, posizione 3)."));
    QCOMPARE(t.focoso(), QStringLiteral("txtin(3)"));
    QTest::keyClick(b, Qt::Key_Backspace);
    QTest::keyClicks(b, "90");
    QCOMPARE(b->text(), QStringLiteral("90"));
    // On entering a box its whole text is selected, so typing replaces it.
    t.box(4)->setText(QStringLiteral("45"));
    t.box(4)->setFocus();
    QTRY_COMPARE(t.box(4)->selectedText(), QStringLiteral("45"));
    t.premi("Command1");
    for (int i = 1; i <= 55; ++i)
        QVERIFY(t.box(i)->text().isEmpty());
}

void TestArchivio::caselleLeggibiliColTemaScuro()
{
    const QPalette prima = QApplication::palette();
    QApplication::setPalette(ui::paletteScura());
    {
        Banco t;
        QLineEdit* b = t.box(3);
        b->setFocus();
        t.box(5)->setEnabled(false);
        for (QLineEdit* casella : {t.box(3), t.box(4), t.box(5)}) {
            for (auto gruppo : {QPalette::Active, QPalette::Disabled}) {
                const QPalette p = casella->palette();
                const double c = ui::contrasto(p.color(gruppo, QPalette::Text), p.color(gruppo, QPalette::Base));
                QVERIFY2(c >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(casella->objectName()).arg(c)));
            }
        }
        // The box in focus keeps its yellow, drawn as such; a plain box is drawn dark, its state still white.
        QCOMPARE(b->property("colore").toUInt(), 0x00FFFFu);
        QCOMPARE(b->palette().color(QPalette::Base), QColor(255, 255, 0));
        QCOMPARE(t.box(4)->property("colore").toUInt(), 0xFFFFFFu);
        QCOMPARE(t.box(4)->palette().color(QPalette::Base), ui::paletteScura().color(QPalette::Base));
    }
    QApplication::setPalette(prima);
}

void TestArchivio::tasti()
{
    Banco t;
    auto tasto = [&](int i, const char* testo, Qt::Key k) {
        t.box(i)->setFocus();
        t.box(i)->setText(QString::fromLatin1(testo));
        QTest::keyClick(t.box(i), k);
        return t.focoso();
    };
    QCOMPARE(tasto(7, "", Qt::Key_Return), QStringLiteral("txtin(7)"));
    QCOMPARE(tasto(7, "00", Qt::Key_Return), QStringLiteral("txtin(7)"));
    QCOMPARE(t.box(7)->text(), QString());
    QCOMPARE(tasto(7, "4", Qt::Key_Enter), QStringLiteral("txtin(8)"));
    QCOMPARE(t.box(7)->text(), QStringLiteral("04"));
    QCOMPARE(tasto(55, "12", Qt::Key_Return), QStringLiteral("txtin(1)"));
    QCOMPARE(tasto(10, "12", Qt::Key_Right), QStringLiteral("txtin(6)"));
    QCOMPARE(tasto(6, "12", Qt::Key_Left), QStringLiteral("txtin(10)"));
    QCOMPARE(tasto(3, "12", Qt::Key_Up), QStringLiteral("txtin(53)"));
    QCOMPARE(tasto(52, "12", Qt::Key_Down), QStringLiteral("txtin(2)"));
    // An arrow after one digit keeps it, as Enter does.
    QCOMPARE(tasto(20, "5", Qt::Key_Down), QStringLiteral("txtin(25)"));
    QCOMPARE(t.box(20)->text(), QStringLiteral("05"));
    QCOMPARE(tasto(12, "3", Qt::Key_Right), QStringLiteral("txtin(13)"));
    QCOMPARE(t.box(12)->text(), QStringLiteral("03"));
}

void TestArchivio::incollaERifiuti()
{
    Banco t;
    const int n = t.n();
    t.w<QLineEdit>("Text1")->setText(QStringLiteral("25/08/2026"));
    t.incolla(testoEstrazione());
    QVERIFY(t.messaggi().empty());
    QCOMPARE(t.box(1)->text(), QStringLiteral("01"));
    QCOMPARE(t.box(10)->text(), QStringLiteral("13"));
    QCOMPARE(t.box(55)->text(), QStringLiteral("85"));

    // A heading number that cannot be told from a draw's: a text without names and 56 numbers is
    // refused naming the line, and the boxes keep what they held.
    QStringList numeri;
    for (int i = 1; i <= 55; ++i)
        numeri << QString::number(i);
    t.incolla(QStringLiteral("Estrazione settimanale 136\n") + numeri.join(' '));
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo,
             QStringLiteral("Estrazione non letta: il testo non nomina le ruote e contiene 56 numeri (la riga 1: \"Estrazione "
                            "settimanale 136\" ha 1 numero); senza i nomi delle ruote servono esattamente 55 numeri, cinque "
                            "per ruota da Bari a Nazionale. Le caselle non sono state cambiate."));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Incolla estrazione"));
    QCOMPARE(t.box(1)->text(), QStringLiteral("01"));
    // The same 55 alone are read in wheel order; 50 are refused on a date with the Nazionale.
    t.incolla(numeri.join(' '));
    QCOMPARE(t.box(1)->text(), QStringLiteral("01"));
    QCOMPARE(t.box(55)->text(), QStringLiteral("55"));
    t.incolla(numeri.mid(0, 50).join(' '));
    QCOMPARE(t.messaggi().size(), std::size_t(2));
    QCOMPARE(t.box(55)->text(), QStringLiteral("55"));

    // Milano and the wheels after it emptied: refused naming the wheel and positions.
    for (int i = 21; i <= 55; ++i)
        t.box(i)->clear();
    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command8");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo,
             QStringLiteral("ANOMALIA: Mancano dei dati o sono stati introdotti numeri uguali in una ruota: CORREGGERE !\n"
                            "(Milano: mancano tutti e cinque i numeri)"));
    QCOMPARE(t.messaggi()[0].icona, Icona::Nessuna);
    QCOMPARE(t.focoso(), QStringLiteral("txtin(21)"));
    QCOMPARE(t.n(), n);

    // A 99 passes the box but not the save.
    t.incolla(testoEstrazione());
    t.box(8)->setText(QStringLiteral("99"));
    QCOMPARE(t.box(8)->text(), QStringLiteral("99"));
    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command8");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QVERIFY2(t.messaggi()[0].testo.contains(QStringLiteral("99 (Cagliari, posizione 3)")), qPrintable(t.messaggi()[0].testo));
    QCOMPARE(t.focoso(), QStringLiteral("txtin(8)"));
    QCOMPARE(t.n(), n);

    // A Nazionale with some numbers only.
    t.incolla(testoEstrazione());
    t.box(53)->clear();
    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command8");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QVERIFY(t.messaggi()[0].testo.contains(QStringLiteral("Nazionale")));
    QCOMPARE(t.focoso(), QStringLiteral("txtin(53)"));
    QCOMPARE(t.n(), n);

    // Answering No writes nothing and asks nothing more.
    t.incolla(testoEstrazione());
    t.amb.dialoghi.svuota();
    t.premi("Command8");
    QCOMPARE(t.amb.dialoghi.voci().size(), std::size_t(1));
    QCOMPARE(t.n(), n);
}

void TestArchivio::salvaNuovaUltima()
{
    Banco t(1000);
    const int n = t.n();
    const QDate nuova = t.data(n).addDays(3);
    const QString testoData = nuova.toString("dd/MM/yyyy");
    t.incolla(testoEstrazione());
    t.calendario()->setSelectedDate(nuova);
    t.amb.dialoghi.risposteSiNo = {true};
    // Another window's long work reading the draws (a search) is stopped before the reload
    // rewrites them, and has ended by the time the save is done.
    ui::LavoroDiFondo lettore;
    bool fermato = false;
    QVERIFY(lettore.avvia(
        [&](avanzamento::Avanzamento& av) {
            while (!av.fermato())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        [&](const ui::LavoroDiFondo::Fine& f) { fermato = f.interrotto; }));
    t.premi("Command8");
    QVERIFY(fermato);
    QVERIFY(!lettore.occupato());
    const auto& voci = t.amb.dialoghi.voci();
    QCOMPARE(voci.size(), std::size_t(2));
    QCOMPARE(voci[0].testo, QStringLiteral("Confermi il salvataggio dell'estrazione del ") + testoData + QStringLiteral(" ?"));
    QCOMPARE(voci[0].titolo, QStringLiteral("Salvataggio estrazione"));
    QCOMPARE(voci[1].testo, QStringLiteral("Dati salvati correttamente. Ricarico archivio."));
    QCOMPARE(voci[1].titolo, QStringLiteral("Salvataggio estrazione"));
    QCOMPARE(voci[1].icona, Icona::Informazione);

    QCOMPARE(t.n(), n + 1);
    QCOMPARE(t.barra()->value(), n + 1);
    QCOMPARE(t.barra()->maximum(), n + 1);
    QCOMPARE(t.testo("LBLESTRAZIONE"), testoData);
    QCOMPARE(t.testo("LBLAGGIORNATO"), testoData);
    QCOMPARE(t.testo("Label2"), QString::number(n + 1));
    QCOMPARE(t.box(1)->text(), QStringLiteral("01"));
    QCOMPARE(t.box(55)->text(), QStringLiteral("85"));
    QCOMPARE(t.a().numero(n + 1, 10, 5), 85);
    // The main window shows the whole archive, ending with the new draw.
    QCOMPARE(t.principaleTesto("LblInizio"), QStringLiteral("07/01/1939"));
    QCOMPARE(t.principaleTesto("Lbl_inizioNE"), QStringLiteral("1"));
    QCOMPARE(t.principaleTesto("LblFine"), testoData);
    QCOMPARE(t.principaleTesto("Lbl_fineNE"), QString::number(n + 1));
    QCOMPARE(t.principaleTesto("Lbl_Ev"), QString::number(n + 1));
    // The browser and the calendar follow.
    QCOMPARE(t.finestra->consultazione().griglia().righe(), n + 2);
    QCOMPARE(QString::fromStdString(t.finestra->consultazione().griglia().testo(n + 1, 1)), testoData);
    QCOMPARE(t.testo("Label9"), QString::number(n + 1));
}

// The write and the reload of SALVA run on the window's runner: while a reader of the file holds
// the commit back, the click has returned, the window keeps handling events, and the draws in memory
// are the old ones; once it lets go, the new draw is in memory, on the page and in the main window,
// and the main window's bar followed the reload to its end.
void TestArchivio::salvaSenzaBloccareLaFinestra()
{
    Banco t;
    const int n = t.n();
    const QDate nuova = t.data(n).addDays(3);
    t.incolla(testoEstrazione());
    t.calendario()->setSelectedDate(nuova);
    t.amb.dialoghi.risposteSiNo = {true, true, true};
    auto* pb1 = t.principale->findChild<QProgressBar*>(QStringLiteral("pb1"));
    QSignalSpy barra(pb1, &QProgressBar::valueChanged);
    // Another connection reading the file: the write can start but not commit until it ends.
    auto lettore = std::make_unique<storage::Database>(storage::ApriArchivio(t.percorso.toStdString()));
    lettore->esegui("BEGIN");
    {
        auto s = lettore->prepara("SELECT COUNT(*) FROM EstrazioniLotto");
        QVERIFY(s.avanza());
    }
    QTest::mouseClick(t.w<QPushButton>(QStringLiteral("Command8")), Qt::LeftButton);
    QVERIFY(t.finestra->lavoro().occupato());
    QVERIFY(!t.w<QTabWidget>(QStringLiteral("SSTab1"))->isEnabled());   // held, not frozen
    int battiti = 0;
    QTimer orologio;
    connect(&orologio, &QTimer::timeout, this, [&] { ++battiti; });
    orologio.start(10);
    // A loaded machine may give the timer few turns: what counts is that they come while the
    // write is held.
    QTRY_VERIFY_WITH_TIMEOUT(battiti >= 5, 5000);
    QVERIFY(t.finestra->lavoro().occupato());
    QCOMPARE(t.n(), n);
    QCOMPARE(t.principaleTesto("Lbl_fineNE"), QString::number(n));
    lettore->esegui("COMMIT");
    lettore.reset();
    t.attendi();

    QCOMPARE(t.n(), n + 1);
    QCOMPARE(t.a().numero(n + 1, 0, 1), 1);
    QCOMPARE(t.a().numero(n + 1, 10, 5), 85);
    QCOMPARE(t.testo("LBLAGGIORNATO"), nuova.toString("dd/MM/yyyy"));
    QCOMPARE(t.principaleTesto("Lbl_fineNE"), QString::number(n + 1));
    QCOMPARE(t.finestra->consultazione().griglia().righe(), n + 2);
    QVERIFY(t.w<QTabWidget>(QStringLiteral("SSTab1"))->isEnabled());
    QCOMPARE(t.focoso(), QStringLiteral("Command8"));   // the keyboard back where it was
    // The main window's bar followed the write and the reload, and is empty now that they are over.
    QVERIFY(std::any_of(barra.begin(), barra.end(), [](const QList<QVariant>& v) { return v.at(0).toInt() > 0; }));
    QCOMPARE(pb1->value(), 0);
    QCOMPARE(t.messaggi().back().testo, QStringLiteral("Dati salvati correttamente. Ricarico archivio."));
}

// The archive deleted while the window is open: SALVA says so, naming the file, instead of the
// duplicate-date message; nothing is written anywhere and the draws in memory stay.
void TestArchivio::archivioEliminatoDuranteIlLavoro()
{
#ifdef Q_OS_WIN
    QSKIP("Windows does not delete a file the program holds open");
#endif
    Banco t;
    const int n = t.n();
    t.incolla(testoEstrazione());
    t.calendario()->setSelectedDate(t.data(n).addDays(3));
    QVERIFY(QFile::remove(t.percorso));
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command8");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo,
             QStringLiteral("Il file \"") + t.percorso
                 + QStringLiteral("\" è stato eliminato, spostato o sostituito mentre il programma era in funzione: nessuna "
                                  "modifica è stata scritta; riavviare il programma.\nL'archivio non è stato modificato."));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Anomalia archivio"));
    QCOMPARE(t.n(), n);
    QVERIFY(!QFile::exists(t.percorso));
}

void TestArchivio::dataGiaMemorizzata()
{
    Banco t(1000);
    const int n = t.n();
    const QString fine = t.principaleTesto("Lbl_fineNE");
    t.incolla(testoEstrazione());
    t.calendario()->setSelectedDate(t.data(n - 5));
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command8");
    // Said before the confirmation is asked.
    QCOMPARE(t.amb.dialoghi.voci().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Attenzione probabilmente hai inserito una data già memorizzata...\n"
                                                   "L'estrazione del ")
                                        + t.data(n - 5).toString("dd/MM/yyyy")
                                        + QStringLiteral(" è già memorizzata (n° indice %1): per correggerla usare MODIFICA "
                                                         "ESTRAZIONE.")
                                              .arg(n - 5));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Anomalia archivio"));
    QCOMPARE(t.messaggi()[0].icona, Icona::Critica);
    QCOMPARE(t.n(), n);
    QVERIFY(t.a().numero(n - 5, 0, 1) != 1 || t.a().numero(n - 5, 0, 2) != 2);
    QCOMPARE(t.principaleTesto("Lbl_fineNE"), fine);
    QCOMPARE(t.principaleTesto("Lbl_inizioNE"), QStringLiteral("1000"));
    QCOMPARE(t.finestra->consultazione().griglia().righe(), n + 1);
}

void TestArchivio::modificaEdElimina()
{
    Banco t;
    const int n = t.n();
    t.barra()->setValue(50);
    const QString data50 = t.testo("LBLESTRAZIONE");
    const QString data51 = QString::fromStdString(t.a().DateEstrazioni[51]);
    // A draw of 1939 takes no Nazionale numbers: refused, nothing written.
    t.incolla(testoEstrazione(1));
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command3");
    auto voci = t.amb.dialoghi.voci();
    QCOMPARE(voci.size(), std::size_t(2));
    QCOMPARE(voci[1].testo, QStringLiteral("L'estrazione del ") + data50
                                + QStringLiteral(" ha i numeri della ruota Nazionale, che è estratta solo dal 04/05/2005: "
                                                 "svuotare la Nazionale. L'estrazione non è stata salvata."));
    QVERIFY(t.a().numero(50, 0, 1) != 2);
    t.amb.dialoghi.svuota();
    t.incolla(testoEstrazione(1, false));
    // The question lists every wheel that changes, old numbers and new; the Nazionale, empty before and after, is not named.
    QString cambi;
    for (int w = 0; w < 10; ++w) {
        QStringList vecchi, nuovi;
        for (int p = 1; p <= 5; ++p) {
            vecchi << dueCifre(t.a().numero(50, w, p));
            nuovi << dueCifre(w * 8 + p + 1);
        }
        cambi += QStringLiteral("\n%1: %2 -> %3")
                     .arg(QString::fromLatin1(archive::NomiRuote[static_cast<std::size_t>(w)].data(),
                                              static_cast<int>(archive::NomiRuote[static_cast<std::size_t>(w)].size())),
                          vecchi.join('-'), nuovi.join('-'));
    }
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command3");
    voci = t.amb.dialoghi.voci();
    QCOMPARE(voci.size(), std::size_t(2));
    QCOMPARE(voci[0].testo, QStringLiteral("Confermi la modifica dell'estrazione del ") + data50
                                + QStringLiteral(" ?  La modifica è relativa agli estratti e viene mantenuta la stessa data."
                                                 "\nCambiano:")
                                + cambi);
    QCOMPARE(voci[0].titolo, QStringLiteral("Salvataggio estrazione"));
    QCOMPARE(voci[1].testo, QStringLiteral("Modifica effettuata. Ricarico archivio."));
    QCOMPARE(t.n(), n);
    QCOMPARE(t.barra()->value(), 50);
    QCOMPARE(t.testo("LBLESTRAZIONE"), data50);
    QCOMPARE(t.box(1)->text(), QStringLiteral("02"));
    QCOMPARE(t.a().numero(50, 0, 1), 2);
    QCOMPARE(t.a().numero(50, 10, 1), 0);
    QCOMPARE(t.calendario()->selectedDate(), t.data(50));

    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command2");
    voci = t.amb.dialoghi.voci();
    QCOMPARE(voci.size(), std::size_t(2));
    QCOMPARE(voci[0].testo, QStringLiteral("Attenzione: sarà eliminata l'estrazione del ") + data50 + QStringLiteral(".  Confermi ?"));
    QCOMPARE(voci[0].titolo, QStringLiteral("Elimina estrazione"));
    QVERIFY(voci[0].noPredefinito);   // Enter answers No
    QCOMPARE(voci[1].testo, QStringLiteral("Estrazione cancellata. L'archivio verrà ricaricato."));
    QCOMPARE(voci[1].titolo, QStringLiteral("Sistemazione Archivio estrazioni"));
    QCOMPARE(t.n(), n - 1);
    QCOMPARE(t.barra()->value(), n - 1);
    QCOMPARE(QString::fromStdString(t.a().DateEstrazioni[50]), data51);
    QCOMPARE(t.principaleTesto("Lbl_fineNE"), QString::number(n - 1));
    QCOMPARE(t.finestra->consultazione().griglia().righe(), n);
}

void TestArchivio::ricaricaDelleModificheEsterne()
{
    // A draw written by another program: CaricaArchivioExNovo reads it and the main window shows the whole archive.
    Banco t(1000);
    const int n = t.n();
    {
        auto db = storage::ApriArchivio(t.percorso.toStdString());
        db.esegui("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('2030-01-05', '01-02-03-04-05')");
    }
    QVERIFY(t.finestra->inserimento().CaricaArchivioExNovo());
    t.attendi();   // the reload runs on the window's runner
    QCOMPARE(t.n(), n + 1);
    QCOMPARE(t.principaleTesto("Lbl_inizioNE"), QStringLiteral("1"));
    QCOMPARE(t.principaleTesto("LblFine"), QStringLiteral("05/01/2030"));
    t.finestra->inserimento().AggiornaStatoArchivio();
    QCOMPARE(t.testo("LBLESTRAZIONE"), QStringLiteral("05/01/2030"));
    QCOMPARE(t.box(2)->text(), QStringLiteral("02"));
    QCOMPARE(t.box(6)->text(), QStringLiteral("00"));
}

// The file written by another program while the window is open (velmora-cli incolla --salva): the
// next write reloads first, says so, and writes nothing; every page and the main window then show
// the new draw.
void TestArchivio::archivioCambiatoSulDiscoRicaricato()
{
    Banco t(1000);
    const int n = t.n();
    {
        auto db = storage::ApriArchivio(t.percorso.toStdString());
        db.esegui("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('2030-01-05', '01-02-03-04-05')");
    }
    QCOMPARE(t.n(), n);
    t.incolla(testoEstrazione());
    t.w<QLineEdit>("Text1")->setText(QStringLiteral("08/01/2030"));
    t.amb.dialoghi.risposteSiNo = {true, true, true};
    t.premi("Command8");
    QCOMPARE(t.amb.dialoghi.voci().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("L'archivio \"") + QDir::toNativeSeparators(t.percorso)
                                        + QStringLiteral("\" è stato modificato da un altro programma: ricaricato, ora "
                                                         "contiene %1 estrazioni. Nulla è stato scritto: controllare le "
                                                         "estrazioni e ripetere il comando.")
                                              .arg(n + 1));
    QCOMPARE(t.n(), n + 1);
    QCOMPARE(t.testo("Label2"), QString::number(n + 1));
    QCOMPARE(t.testo("LBLESTRAZIONE"), QStringLiteral("05/01/2030"));
    QCOMPARE(t.finestra->consultazione().griglia().righe(), n + 2);
    QCOMPARE(t.principaleTesto("Lbl_fineNE"), QString::number(n + 1));
    // Once reloaded, nothing more to say; our own writes never count as changes from outside.
    QVERIFY(!t.amb.contesto->ricaricaSeCambiatoFuori(t.finestra));
    t.amb.dialoghi.svuota();
    t.incolla(testoEstrazione());
    t.premi("Command3");
    QVERIFY(!t.amb.contesto->ricaricaSeCambiatoFuori(t.finestra));

    // Another program writes its new copy beside the file and renames it over it: the file now at
    // the path is the archive, reloaded as well, and SALVA writes into it.
#ifdef Q_OS_WIN
    QSKIP("Windows does not let another program rename a file over one the program holds open");
#endif
    const int prima = t.n();
    const QDate fuori = t.data(prima - 1).addDays(2), nostra = t.data(prima - 1).addDays(4);   // before 05/01/2030
    const QString accanto = t.percorso + QStringLiteral(".nuovo");
    QVERIFY(QFile::copy(t.percorso, accanto));
    {
        auto db = storage::ApriArchivio(accanto.toStdString());
        auto s = db.prepara("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES (?1, '01-02-03-04-05')");
        s.lega(1, fuori.toString(Qt::ISODate).toStdString());
        s.esegui();
    }
    QCOMPARE(std::rename(QFile::encodeName(accanto).constData(), QFile::encodeName(t.percorso).constData()), 0);
    t.amb.dialoghi.svuota();
    t.incolla(testoEstrazione());
    t.w<QLineEdit>("Text1")->setText(nostra.toString(QStringLiteral("dd/MM/yyyy")));
    t.amb.dialoghi.risposteSiNo = {true, true, true, true};
    t.premi("Command8");
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QVERIFY2(t.messaggi()[0].testo.contains(QStringLiteral("ricaricato, ora contiene %1 estrazioni. Nulla è stato scritto").arg(prima + 1)),
             qPrintable(t.messaggi()[0].testo));
    QCOMPARE(t.n(), prima + 1);
    QCOMPARE(t.principaleTesto("Lbl_fineNE"), QString::number(prima + 1));
    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteSiNo = {true, true, true, true};
    t.premi("Command8");
    QCOMPARE(t.messaggi().back().testo, QStringLiteral("Dati salvati correttamente. Ricarico archivio."));
    QCOMPARE(t.n(), prima + 2);
    {
        auto db = storage::ApriArchivio(t.percorso.toStdString());
        auto s = db.prepara("SELECT COUNT(*) FROM EstrazioniLotto WHERE DataEstrazione IN (?1, ?2)");
        s.lega(1, fuori.toString(Qt::ISODate).toStdString()).lega(2, nostra.toString(Qt::ISODate).toStdString());
        QVERIFY(s.avanza());
        QCOMPARE(s.intero(0), 2);
    }
    QVERIFY(!t.amb.contesto->ricaricaSeCambiatoFuori(t.finestra));
}

void TestArchivio::consultazione()
{
    Banco t;
    const int n = t.n();
    auto* FgDB = t.w<GrigliaView>("FgDB");
    // FgDB shows the stored draws cell by cell: the same the archive holds once loaded.
    QCOMPARE(testui::primaDifferenza(t.finestra->consultazione().griglia(), archivioAtteso(t.a())), QString());
    QCOMPARE(t.finestra->consultazione().griglia().sfondo(n, 1), 0x00FFFFu);   // the last row is current
    QCOMPARE(t.finestra->consultazione().griglia().sfondo(n - 1, 1), 0xFFFFFFu);
    // The keyboard moves the highlight with the current row.
    FgDB->setFocus();
    QTest::keyClick(FgDB, Qt::Key_Up);
    QCOMPARE(t.finestra->consultazione().rigaCorrente(), n - 1);
    QCOMPARE(t.finestra->consultazione().griglia().sfondo(n - 1, 12), 0x00FFFFu);
    QCOMPARE(t.finestra->consultazione().griglia().sfondo(n, 12), 0xFFFFFFu);
    FgDB->setCellaCorrente(123, 4);
    QCOMPARE(t.finestra->consultazione().griglia().sfondo(123, 12), 0x00FFFFu);
    QCOMPARE(t.finestra->consultazione().griglia().sfondo(n, 1), 0xFFFFFFu);
    t.finestra->mostraPagina(GestioneArchivio::PaginaArchivio);
    t.premi("Command11");
    QCOMPARE(t.barra()->value(), 123);
    QCOMPARE(t.w<QLineEdit>("Text1")->text(), QString::fromStdString(t.a().DateEstrazioni[123]));
    QCOMPARE(t.calendario()->selectedDate(), t.data(123));
    QCOMPARE(t.w<QTabWidget>("SSTab1")->currentIndex(), 0);
    t.premi("Command14");
    QCOMPARE(t.finestra->consultazione().rigaCorrente(), 1);
    // On a maximised window of a 1366x768 screen all eleven wheels show without scrolling sideways.
    // (beside the main window's list of draws the archive window is about 1030 pixels wide).
    t.finestra->mostraPagina(GestioneArchivio::PaginaArchivio);
    for (int largo : {1030, 1340}) {
        t.finestra->resize(largo, 620);
        QApplication::processEvents();
        QCOMPARE(FgDB->horizontalScrollBar()->maximum(), 0);
        QVERIFY(FgDB->font().pointSizeF() >= 6);
        for (int c = 1; c <= 11; ++c)
            QVERIFY(FgDB->columnWidth(c) >= FgDB->fontMetrics().horizontalAdvance(QStringLiteral("05-12-33-44-90")));
        // The date column's header shows whole.
        for (int c = 0; c < FgDB->model()->columnCount(); ++c)
            if (FgDB->model()->headerData(c, Qt::Horizontal).toString() == QStringLiteral("DataEstrazione"))
                QVERIFY(FgDB->columnWidth(c) >= FgDB->horizontalHeader()->fontMetrics().horizontalAdvance(QStringLiteral("DataEstrazione")));
    }
    t.premi("Command13");
    QCOMPARE(t.finestra->consultazione().rigaCorrente(), n);

    // Ricerca per numero indice: 19 is refused, N accepted.
    t.amb.dialoghi.risposteInput = {QStringLiteral("19"), QStringLiteral("abc"), QString::number(n)};
    t.premi("Command42");
    QCOMPARE(t.amb.dialoghi.voci()[0].testo, QStringLiteral("Inserire il n° indice dell'archivio modello."));
    QCOMPARE(t.amb.dialoghi.voci()[0].titolo, QStringLiteral("Scelta estrazione"));
    QCOMPARE(t.barra()->value(), 123);
    t.premi("Command42");
    QCOMPARE(t.barra()->value(), 123);
    t.premi("Command42");
    QCOMPARE(t.barra()->value(), n);
    QVERIFY(t.messaggi().empty());

    // Ricerca per data: only the exact text.
    const QDate d = t.data(1000);
    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteInput = {d.toString("d/M/yyyy"), d.toString("dd/MM/yyyy")};
    t.premi("Command59");
    QCOMPARE(t.amb.dialoghi.voci()[0].titolo, QStringLiteral("Ricerca per data GG/MM/AAAA"));
    QCOMPARE(t.messaggi().size(), std::size_t(1));
    QCOMPARE(t.messaggi()[0].testo, QStringLiteral("Data non trovata"));
    QCOMPARE(t.messaggi()[0].titolo, QStringLiteral("Cerca data"));
    QCOMPARE(t.barra()->value(), n);
    t.premi("Command59");
    QCOMPARE(t.barra()->value(), 1000);

    // The index label asks for an index; a wrong one changes nothing.
    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteInput = {QStringLiteral(""), QString::number(n + 1), QStringLiteral("25")};
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(t.w<QLabel>("pAN_DC"), Qt::LeftButton);
    QCOMPARE(t.amb.dialoghi.voci()[0].testo, QStringLiteral("Digitare il numero indice"));
    QCOMPARE(t.amb.dialoghi.voci()[0].titolo, QStringLiteral("Indice estrazione"));
    QCOMPARE(t.barra()->value(), 25);
}

void TestArchivio::calendario()
{
    Banco t;
    // The draws of 2024 by their weekday, found with Qt's own calendar.
    int martedi = 0, mercoledi = 0;
    for (int d = 1; d <= t.n(); ++d) {
        const QDate g = t.data(d);
        if (g.year() == 2024 && g.dayOfWeek() == 2 && !martedi)
            martedi = d;
        if (g.year() == 2024 && g.dayOfWeek() == 3 && !mercoledi)
            mercoledi = d;
    }
    QVERIFY(martedi && mercoledi);
    t.finestra->mostraPagina(GestioneArchivio::PaginaCalendario);
    t.w<QComboBox>("Combo1")->setCurrentText(QStringLiteral("2024"));
    QTest::mouseClick(t.w<QCheckBox>("Check2"), Qt::LeftButton);
    grid::Grid Fg1 = t.finestra->calendario().griglia();
    QCOMPARE(testui::primaDifferenza(Fg1, calendarioAtteso(t.a(), 2024, true)), QString());
    QCOMPARE(Fg1.sfondo(1, 1), maintenance::ColoreAnno);
    QCOMPARE(Fg1.sfondo(1, 2), maintenance::ColoreMese);
    auto cella = [&](const QDate& g) {
        for (int r = 1; r < Fg1.righe(); ++r)
            for (int c = 3; c < Fg1.colonne(); ++c)
                if (Fg1.intero(r, 2) == g.month() && Fg1.intero(0, c) == g.day())
                    return QPoint(c, r);
        return QPoint(-1, -1);
    };
    const QPoint m = cella(t.data(martedi));
    const QPoint w = cella(t.data(mercoledi));
    QCOMPARE(QString::fromStdString(Fg1.testo(m.y(), m.x())), QStringLiteral("M"));
    QCOMPARE(QString::fromStdString(Fg1.testo(w.y(), w.x())), QStringLiteral("m"));
    QCOMPARE(QString::fromStdString(Fg1.testo(1, 1)), QStringLiteral("2024"));

    // A click on a day shows its draw; a click on an empty day changes nothing.
    auto* vista = t.w<GrigliaView>("Fg1");
    auto clic = [&](QPoint p) {
        const QRect r = vista->visualRect(vista->model()->index(p.y() - 1, p.x() - 1));
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, r.center());
    };
    clic(w);
    QCOMPARE(t.barra()->value(), mercoledi);
    QPoint vuota(-1, -1);
    for (int c = 3; c < Fg1.colonne() && vuota.x() < 0; ++c)
        if (Fg1.testo(1, c).empty())
            vuota = QPoint(c, 1);
    QVERIFY(vuota.x() > 0);
    clic(vuota);
    QCOMPARE(t.barra()->value(), mercoledi);
    // Space on a day shows its draw as a click does.
    t.finestra->mostraPagina(GestioneArchivio::PaginaCalendario);
    vista->setFocus();
    vista->setCurrentIndex(vista->model()->index(m.y() - 1, m.x() - 1));
    QTest::keyClick(vista, Qt::Key_Space);
    QCOMPARE(t.barra()->value(), martedi);

    // Unticked: weekday numbers; a year before the archive: an empty calendar.
    QTest::mouseClick(t.w<QCheckBox>("Check2"), Qt::LeftButton);
    Fg1 = t.finestra->calendario().griglia();
    QCOMPARE(QString::fromStdString(Fg1.testo(m.y(), m.x())), QStringLiteral("3"));
    t.w<QComboBox>("Combo1")->setCurrentText(QStringLiteral("1939"));
    Fg1 = t.finestra->calendario().griglia();
    QVERIFY(Fg1.righe() > 1);
    QCOMPARE(testui::primaDifferenza(Fg1, calendarioAtteso(t.a(), 1939, false)), QString());
}

void TestArchivio::help()
{
    Banco t;
    for (const char* b : {"CmDHelp", "Command22", "Command23", "Command25"}) {
        QCOMPARE(t.w<QPushButton>(QString::fromLatin1(b))->toolTip(), QStringLiteral("Help in linea"));
        t.premi(b);
    }
    QCOMPARE(t.amb.helpAperti, (std::vector<int>{270, 280, 290, 300}));
}

// Without the mouse: every command button of a page has its own Alt letter, Alt+E on the entry
// page asks to delete (the question, not the deletion), and F1 follows the page in view.
void TestArchivio::tastieraEF1()
{
    Banco t;
    auto* schede = t.w<QTabWidget>(QStringLiteral("SSTab1"));
    const int paginaHelp[] = {270, 280, 280, 300, 300};
    for (int p = 0; p < schede->count(); ++p) {
        schede->setCurrentIndex(p);
        QCOMPARE(t.finestra->property("contestoHelp").toInt(), paginaHelp[p]);
        QSet<QChar> lettere;
        for (auto* b : schede->widget(p)->findChildren<QPushButton*>()) {
            const QString testo = b->text();
            if (testo == QStringLiteral("?") || testo.isEmpty())
                continue;
            const int e = testo.indexOf(QLatin1Char('&'));
            QVERIFY2(e >= 0 && e + 1 < testo.size(), qPrintable(b->objectName() + QStringLiteral(": ") + testo));
            const QChar lettera = testo.at(e + 1).toUpper();
            QVERIFY2(!lettere.contains(lettera), qPrintable(b->objectName() + QStringLiteral(": ") + testo));
            lettere.insert(lettera);
        }
    }
    schede->setCurrentIndex(0);
    t.amb.dialoghi.svuota();
    t.amb.dialoghi.risposteSiNo = {false};
    const int n = t.n();
    QTest::keyClick(t.finestra, Qt::Key_E, Qt::AltModifier);
    // A mnemonic presses its button as a click does, a moment later.
    QTRY_COMPARE(t.amb.dialoghi.voci().size(), std::size_t(1));
    const auto voci = t.amb.dialoghi.voci();
    QCOMPARE(voci.size(), std::size_t(1));
    QCOMPARE(voci[0].titolo, QStringLiteral("Elimina estrazione"));
    QCOMPARE(t.n(), n);
}

void TestArchivio::apertaDalPulsanteArchivio()
{
    Banco t;
    registraArchivio();
    Container c(*t.amb.contesto);
    auto* Command1 = c.findChild<QToolButton*>(QStringLiteral("Command1"));
    QVERIFY(Command1->isEnabled());
    Command1->click();
    Command1->click();
    QCOMPARE(c.areaMdi()->subWindowList().size(), 1);
    QVERIFY(qobject_cast<GestioneArchivio*>(c.areaMdi()->subWindowList()[0]->widget()));
    QCOMPARE(c.areaMdi()->subWindowList()[0]->windowTitle(), QStringLiteral("Gestione archivio DB"));
}

void TestArchivio::cliVedeLeScritture()
{
    Banco t;
    auto estrazioni = [&] {
        QProcess cli;
        cli.start(QStringLiteral(VELMORA_CLI), {QStringLiteral("estrazioni"), t.percorso});
        if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
            qFatal("velmora-cli estrazioni non riuscito");
        return QString::fromUtf8(cli.readAllStandardOutput());
    };
    auto rigaDi = [&](const QString& data) {
        for (const QString& r : estrazioni().split('\n'))
            if (r.section('\t', 1, 1) == data)
                return r;
        return QString();
    };
    const QDate nuova = prossimaEstrazione(t.data(t.n()));
    const QString data = nuova.toString("dd/MM/yyyy");
    QVERIFY(rigaDi(data).isEmpty());

    // Typed box by box with Enter, as a player does.
    t.premi("Command1");
    t.box(1)->setFocus();
    for (int w = 0; w < 11; ++w)
        for (int p = 1; p <= 5; ++p) {
            QTest::keyClicks(QApplication::focusWidget(), QString::number(w * 8 + p));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    QCOMPARE(t.focoso(), QStringLiteral("txtin(1)"));
    t.calendario()->setSelectedDate(nuova);
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command8");
    QString riga = rigaDi(data);
    QVERIFY2(!riga.isEmpty(), "l'estrazione salvata non è nell'archivio");
    QCOMPARE(riga.section('\t', 4, 8), QStringLiteral("1\t2\t3\t4\t5"));
    QCOMPARE(riga.section('\t', 54, 58), QStringLiteral("81\t82\t83\t84\t85"));

    // Corrected: Bari position 1 becomes 77.
    QCOMPARE(t.testo("LBLESTRAZIONE"), data);
    t.box(1)->setFocus();
    QTest::keyClicks(t.box(1), "77");
    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command3");
    riga = rigaDi(data);
    QCOMPARE(riga.section('\t', 4, 8), QStringLiteral("77\t2\t3\t4\t5"));

    t.amb.dialoghi.risposteSiNo = {true};
    t.premi("Command2");
    QVERIFY(rigaDi(data).isEmpty());
    QVERIFY(!rigaDi(QString::fromStdString(t.a().DateEstrazioni[t.n()])).isEmpty());
}

void TestArchivio::salvaChiedeCioCheSembraUnErrore()
{
    Banco t;
    const int n = t.n();
    const QDate ultima = t.data(n);
    auto* Text1 = t.w<QLineEdit>("Text1");
    auto salva = [&](const QDate& d, std::deque<bool> risposte) {
        Text1->setText(d.toString("dd/MM/yyyy"));
        t.amb.dialoghi.svuota();
        t.amb.dialoghi.risposteSiNo = std::move(risposte);
        t.premi("Command8");
        return t.amb.dialoghi.voci();
    };
    const QDate dopo = prossimaEstrazione(ultima);

    // A date after today is refused before anything is asked.
    auto voci = salva(QDate::currentDate().addDays(1), {true, true, true, true});
    QCOMPARE(voci.size(), std::size_t(1));
    QVERIFY2(voci[0].testo.contains(QStringLiteral("è successiva a oggi")), qPrintable(voci[0].testo));
    QCOMPARE(t.n(), n);

    // The boxes still show the last draw: asked, and No stores nothing.
    voci = salva(dopo, {true, false});
    QCOMPARE(voci.size(), std::size_t(3));
    QCOMPARE(voci[1].tipo, DialoghiScriptati::Tipo::Domanda);
    QCOMPARE(voci[1].testo, QStringLiteral("I numeri sono identici, ruota per ruota, a quelli dell'estrazione precedente del ")
                                + ultima.toString("dd/MM/yyyy")
                                + QStringLiteral(": forse le caselle non sono state aggiornate. Salvare comunque?"));
    QCOMPARE(voci[1].titolo, QStringLiteral("Salvataggio estrazione"));
    QVERIFY(voci[1].noPredefinito);   // Enter does not store a suspect draw
    QCOMPARE(voci[2].testo, QStringLiteral("L'estrazione del %1 non è stata salvata.").arg(dopo.toString("dd/MM/yyyy")));
    QCOMPARE(t.n(), n);

    // A week later without the Nazionale: the draw days skipped and the empty Nazionale are asked.
    t.incolla(testoEstrazione());
    for (int i = 51; i <= 55; ++i)
        t.box(i)->clear();
    const QDate settimana = ultima.addDays(ultima.addDays(7).dayOfWeek() == 7 ? 8 : 7);
    voci = salva(settimana, {true, false, false});
    QCOMPARE(voci.size(), std::size_t(3));
    QVERIFY2(voci[1].testo.startsWith(QStringLiteral("Tra l'ultima estrazione in archivio (%1) e il %2 mancano ")
                                          .arg(ultima.toString("dd/MM/yyyy"), settimana.toString("dd/MM/yyyy"))),
             qPrintable(voci[1].testo));
    QCOMPARE(t.n(), n);
    voci = salva(settimana, {true, true, true});
    QCOMPARE(voci.size(), std::size_t(4));
    QCOMPARE(voci[2].testo, QStringLiteral("La ruota Nazionale è vuota, ma dal 04/05/2005 viene estratta con le altre ruote. "
                                           "Salvare comunque l'estrazione del %1 senza la Nazionale?")
                                .arg(settimana.toString("dd/MM/yyyy")));
    QCOMPARE(voci[3].testo, QStringLiteral("Dati salvati correttamente. Ricarico archivio."));
    QCOMPARE(t.n(), n + 1);
    QCOMPARE(t.testo("LBLAGGIORNATO"), settimana.toString("dd/MM/yyyy"));

    // A Sunday between two stored draws: asked as such, No the default; confirmed, stored in its
    // place, and the page shows it rather than the last draw.
    QDate domenica = ultima.addDays(1);
    while (domenica.dayOfWeek() != 7)
        domenica = domenica.addDays(1);
    t.incolla(testoEstrazione(2));
    voci = salva(domenica, {true, true});
    QCOMPARE(voci.size(), std::size_t(3));
    QCOMPARE(voci[1].testo, QStringLiteral("Il %1 è una domenica fra due estrazioni già in archivio (%2 e %3): le estrazioni "
                                           "successive cambieranno numero. Salvare comunque?")
                                .arg(domenica.toString("dd/MM/yyyy"), ultima.toString("dd/MM"), settimana.toString("dd/MM")));
    QVERIFY(voci[1].noPredefinito);
    QCOMPARE(t.n(), n + 2);
    QCOMPARE(t.barra()->value(), n + 1);
    QCOMPARE(t.testo("LBLESTRAZIONE"), domenica.toString("dd/MM/yyyy"));
    QCOMPARE(t.box(1)->text(), QStringLiteral("03"));

    // A pasted text dated otherwise than the chosen day is asked about.
    t.incolla(testoEstrazione(3, true, settimana.toString("dd/MM/yyyy")));
    const QDate martedi = prossimaEstrazione(settimana);
    voci = salva(martedi, {true, false});
    QCOMPARE(voci.size(), std::size_t(3));
    QCOMPARE(voci[1].testo, QStringLiteral("Il testo incollato porta la data %1, non il %2 scelto per l'estrazione. Salvare "
                                           "comunque l'estrazione con la data %2?")
                                .arg(settimana.toString("dd/MM/yyyy"), martedi.toString("dd/MM/yyyy")));
    QCOMPARE(t.n(), n + 2);
}

// A keyboard-only save: the date typed, Tab to SALVA, Enter, Enter on the closing message; the
// focus is back on SALVA in this window, not on the main window's buttons.
void TestArchivio::salvaDallaTastieraRestituisceIlFuoco()
{
    Banco t;
    const int n = t.n();
    t.incolla(testoEstrazione());
    auto* Text1 = t.w<QLineEdit>("Text1");
    Text1->setFocus();
    Text1->selectAll();
    const QDate nuova = prossimaEstrazione(t.data(n));
    QTest::keyClicks(Text1, nuova.toString("dd/MM/yyyy"));
    auto* Command8 = t.w<QPushButton>("Command8");
    Command8->setFocus(Qt::TabFocusReason);
    t.amb.dialoghi.risposteSiNo = {true};
    QTest::keyClick(Command8, Qt::Key_Return);
    t.attendi();
    QCOMPARE(t.n(), n + 1);
    QCOMPARE(t.testo("LBLESTRAZIONE"), nuova.toString("dd/MM/yyyy"));
    QCOMPARE(t.messaggi().back().testo, QStringLiteral("Dati salvati correttamente. Ricarico archivio."));
    QCOMPARE(t.focoso(), QStringLiteral("Command8"));
    QCOMPARE(QApplication::focusWidget()->window(), t.finestra->window());

    // Ctrl+PgDn and Ctrl+PgUp move between the pages, from a box as from anywhere in them.
    t.box(3)->setFocus();
    QTest::keyClick(t.box(3), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(t.w<QTabWidget>("SSTab1")->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(t.w<QTabWidget>("SSTab1")->currentIndex(), 0);
    // Enter on another focused button of the window presses it too: Vai ultima estrazione.
    t.barra()->setValue(10);
    auto* Command4 = t.w<QPushButton>("Command4");
    Command4->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Command4, Qt::Key_Return);
    QCOMPARE(t.barra()->value(), n + 1);
}

QTEST_MAIN(TestArchivio)
#include "archivio_window_test.moc"
