// The window Giocate offscreen: a play made with the form, its wins, removal asked first, the payouts, a new win told once.
#include "SupportoUi.h"

#include "archive/ImportaStorico.h"
#include "plays/ArchivioGiocate.h"
#include "plays/GrigliaGiocate.h"
#include "ui/Giocate/Giocate.h"
#include "ui/common/GiocaAmbata.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/RegistroFinestre.h"
#include "support/Storico.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {


struct Banco {
    Banco()
    {
        amb.creaArchivio(QStringLiteral("A.db"), 300);
        amb.sessione->apriDatabaseProgramma();
        amb.caricaArchivio(QStringLiteral("A.db"));
    }
    ui::Giocate& apri()
    {
        finestra = std::make_unique<ui::Giocate>(*amb.contesto);
        finestra->show();
        QCoreApplication::processEvents();
        return *finestra;
    }
    archive::Archivio& a() { return amb.sessione->archivio(); }
    std::string data(int d) { return a().DateEstrazioni[static_cast<std::size_t>(d)]; }
    QPushButton* b(const char* nome) { return testui::controllo<QPushButton>(*finestra, QString::fromLatin1(nome)); }
    void posta(int s, const char* testo) { testui::controllo<QLineEdit>(*finestra, QStringLiteral("TxtPosta(%1)").arg(s))->setText(QString::fromLatin1(testo)); }
    QString cella(const grid::Grid& g, int r, int c) { return QString::fromStdString(g.testo(r, c)); }

    testui::Ambiente amb;
    std::unique_ptr<ui::Giocate> finestra;
};

}

class TestGiocate : public QObject {
    Q_OBJECT
private slots:
    void moduloElencoEVincite()
    {
        Banco t;
        auto& w = t.apri();
        QCOMPARE(w.windowTitle(), QStringLiteral("Giocate"));
        QCOMPARE(w.grigliaGiocate().righe(), 1);
        const int n = t.a().NumeroEstrazioni;
        // The first two numbers of Bari three draws ago, as an ambo on Bari from five draws ago for 8 colpi.
        const int x = t.a().numero(n - 3, 0, 1), y = t.a().numero(n - 3, 0, 2);
        w.commutaNumero(x);
        w.commutaNumero(y);
        w.commutaRuota(0);
        t.posta(1, "");
        t.posta(2, "1");
        testui::controllo<QLineEdit>(w, QStringLiteral("TxtDal"))->setText(QString::fromStdString(t.data(n - 5)));
        testui::controllo<QSpinBox>(w, QStringLiteral("TxtColpi"))->setValue(8);
        t.b("CmdAggiungi")->click();
        QVERIFY(t.amb.dialoghi.messaggi().empty());
        // The list as its table text, read anew after each command.
        const auto g = [&w] { return w.grigliaGiocate(); };
        QCOMPARE(g().righe(), 2);
        using namespace plays::colonneGiocate;
        QCOMPARE(t.cella(g(), 1, Stato), QStringLiteral("in corso"));
        QCOMPARE(t.cella(g(), 1, Colpi), QStringLiteral("6 di 8"));
        QCOMPARE(t.cella(g(), 1, Spesa), QStringLiteral("6,00"));
        QCOMPARE(t.cella(g(), 1, Ruote), QStringLiteral("BA"));
        // One wheel, two numbers: C(2,2)/C(2,2) of 250, 8% less.
        const auto& v = w.grigliaVincite();
        QVERIFY(v.righe() >= 2);
        using namespace plays::colonneVincite;
        QCOMPARE(t.cella(v, 1, Data), QString::fromStdString(t.data(n - 3)));
        QCOMPARE(t.cella(v, 1, Colpo), QStringLiteral("3"));
        QCOMPARE(t.cella(v, 1, Sorte), QStringLiteral("Ambo"));
        QCOMPARE(t.cella(v, 1, Lordo), QStringLiteral("250,00"));
        QCOMPARE(t.cella(v, 1, Netto), QStringLiteral("230,00"));
        QCOMPARE(t.cella(g(), 1, Resa), QStringLiteral("57,4%"));
        // Stored as made: the table holds the play the list shows.
        const auto salvate = plays::leggiGiocate(t.amb.sessione->dbProgramma());
        QCOMPARE(salvate.size(), std::size_t(1));
        QCOMPARE(salvate[0].numeri, (std::vector<int>{x, y}));
        // Its win is in the list already: nothing to announce.
        QCOMPARE(salvate[0].annunciata, t.data(n - 3));

        // Edited: for 5 colpi it is over and won.
        testui::controllo<QSpinBox>(w, QStringLiteral("TxtColpi"))->setValue(5);
        t.b("CmdSalvaModifiche")->click();
        QCOMPARE(t.cella(g(), 1, Plays_Stato()), QStringLiteral("vinta"));
        QCOMPARE(plays::leggiGiocate(t.amb.sessione->dbProgramma())[0].colpi, 5);

        // The form refuses what cannot be played, and an eleventh number.
        auto& d = t.amb.dialoghi;
        t.b("CmdNuova")->click();
        w.commutaNumero(1);
        t.b("CmdAggiungi")->click();
        QCOMPARE(d.messaggi().back().testo, QStringLiteral("La giocata non si può fare: RUOTE: nessuna ruota."));
        QCOMPARE(d.messaggi().back().titolo, QStringLiteral("Giocate"));
        t.b("CmdTutte")->click();
        t.posta(1, "1,234");
        t.b("CmdAggiungi")->click();
        QCOMPARE(d.messaggi().back().testo, QStringLiteral("La posta Estratto non è un importo in euro (per esempio 0,50 o 2)."));
        for (int k = 2; k <= 11; ++k)
            w.commutaNumero(k);
        QCOMPARE(d.messaggi().back().testo, QStringLiteral("Si giocano al più 10 numeri: togliere prima un numero."));
        QCOMPARE(g().righe(), 2);
    }

    // Three wins of a third of an estratto each: the totals line is the exact sum rounded once, not
    // the sum of the rows' rounded cents.
    void totaliDallaSommaEsatta()
    {
        Banco t;
        const int n = t.a().NumeroEstrazioni;
        // Worked by hand: a wheel that draws the number pays 11,23 / 3 less 8%, 1123 x 92 / 300 cents.
        // In three-hundredths of a cent, the exact sum and the sum of the rows rounded one by one.
        qint64 esatto = 0, righe = 0;
        for (int d : {n - 1, n - 2, n - 3}) {
            plays::Giocata g;
            g.numeri = {t.a().numero(d, 0, 1)};
            g.ruote[0] = g.ruote[1] = g.ruote[2] = true;   // Bari, Cagliari, Firenze: a third of the payout each
            g.poste[0] = 100;
            g.dal = t.data(d);
            g.colpi = 1;
            plays::aggiungiGiocata(t.amb.sessione->dbProgramma(), g);
            int ruote = 0;
            for (int w = 0; w < 3; ++w)
                for (int p = 1; p <= 5; ++p)
                    ruote += t.a().numero(d, w, p) == g.numeri[0];
            esatto += ruote * 1123LL * 92;
            righe += (ruote * 1123LL * 92 + 150) / 300;
        }
        const qint64 vinto = (esatto + 150) / 300;
        QVERIFY2(vinto != righe, "the plays must leave fractions of a cent for the test to mean something");
        auto& w = t.apri();
        const auto euro = [](qint64 c) { return QStringLiteral("%1,%2").arg(c / 100).arg(c % 100, 2, 10, QLatin1Char('0')); };
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("LblTotali"))->text(),
                 QStringLiteral("3 giocate; spesa 3,00, vinto (netto) %1, saldo %2 euro").arg(euro(vinto), euro(vinto - 300)));
    }

    void eliminazioneChiedePrima()
    {
        Banco t;
        plays::Giocata p = plays::giocataDaAmbata(5, {true}, 3, t.data(10), "");
        plays::aggiungiGiocata(t.amb.sessione->dbProgramma(), p);
        auto& w = t.apri();
        auto& d = t.amb.dialoghi;
        t.b("CmdElimina")->click();
        QCOMPARE(d.voci().size(), std::size_t(1));
        QCOMPARE(d.messaggi().back().testo, QStringLiteral("Selezionare nell'elenco la giocata da eliminare."));
        w.selezionaGiocata(1);
        d.risposteSiNo = {false, true};
        t.b("CmdElimina")->click();
        QCOMPARE(d.voci().back().tipo, ui::DialoghiScriptati::Tipo::Domanda);
        QCOMPARE(d.voci().back().testo, QStringLiteral("Eliminare la giocata N° 1 (05 su BA, dal %1)?").arg(QString::fromStdString(p.dal)));
        QCOMPARE(d.voci().back().titolo, QStringLiteral("Elimina giocata"));
        QVERIFY(d.voci().back().noPredefinito);
        QCOMPARE(w.grigliaGiocate().righe(), 2);
        t.b("CmdElimina")->click();
        QCOMPARE(w.grigliaGiocate().righe(), 1);
        QVERIFY(plays::leggiGiocate(t.amb.sessione->dbProgramma()).empty());
    }

    void pagheModificabili()
    {
        Banco t;
        const int n = t.a().NumeroEstrazioni;
        plays::Giocata p = plays::giocataDaAmbata(t.a().numero(n, 0, 1), {true}, 1, t.data(n - 1), "");
        plays::aggiungiGiocata(t.amb.sessione->dbProgramma(), p);
        auto& w = t.apri();
        w.selezionaGiocata(1);
        QCOMPARE(t.cella(w.grigliaVincite(), 1, plays::colonneVincite::Netto), QStringLiteral("10,33"));
        auto* fg = testui::controllo<ui::GrigliaView>(w, QStringLiteral("FgPagamenti"));
        QCOMPARE(t.cella(w.grigliaPagamenti(), 1, 0), QStringLiteral("11,23"));
        // Typed as the player would: the estratto pays 12,50, no levy.
        QVERIFY(fg->model()->setData(fg->model()->index(0, 0), QStringLiteral("12,5"), Qt::EditRole));
        QVERIFY(fg->model()->setData(fg->model()->index(0, plays::ColonnaRitenuta), QStringLiteral("0"), Qt::EditRole));
        QCOMPARE(t.cella(w.grigliaVincite(), 1, plays::colonneVincite::Netto), QStringLiteral("12,50"));
        QCOMPARE(t.amb.leggiParametro("PagaEstratto"), std::string("12.5"));
        QCOMPARE(t.amb.leggiParametro("RitenutaVincite"), std::string("0"));
        // A payout that is not one is refused with a message; the value stays.
        QVERIFY(!fg->model()->setData(fg->model()->index(0, 1), QStringLiteral("gratis"), Qt::EditRole));
        QCOMPARE(t.amb.dialoghi.messaggi().back().testo, QStringLiteral("La paga è un importo maggiore di zero e fino a 100000000 euro per 1 euro giocato, al più con due decimali."));
        QCOMPARE(t.cella(w.grigliaPagamenti(), 1, 1), QStringLiteral("250"));
        t.amb.dialoghi.risposteSiNo = {true};
        t.b("CmdValoriDiLegge")->click();
        QCOMPARE(t.cella(w.grigliaVincite(), 1, plays::colonneVincite::Netto), QStringLiteral("10,33"));
        QCOMPARE(t.amb.leggiParametro("PagaEstratto"), std::string("11.23"));
    }

    void totaliLettiComeLiVedeIlGiocatore()
    {
        Banco t;
        const int n = t.a().NumeroEstrazioni;
        // 25 euro on the estratto of one number on one wheel: each win is 25 x 11,23 = 280,75 gross,
        // 258,29 net, so no rounding hides a slip between the two.
        const int x = t.a().numero(n - 20, 0, 1), y = t.a().numero(n - 10, 1, 3);
        plays::Giocata a = plays::giocataDaAmbata(x, {true}, 30, t.data(n - 31), "");
        a.poste[0] = 2500;
        std::array<bool, archive::NumeroRuote> cagliari{};
        cagliari[1] = true;
        plays::Giocata b = plays::giocataDaAmbata(y, cagliari, 30, t.data(n - 31), "");
        b.poste[0] = 2500;
        plays::aggiungiGiocata(t.amb.sessione->dbProgramma(), a);
        plays::aggiungiGiocata(t.amb.sessione->dbProgramma(), b);
        // The wins counted straight from the draws.
        int vincite = 0;
        for (int d = n - 30; d <= n - 1; ++d)
            for (int p = 1; p <= 5; ++p)
                vincite += (t.a().numero(d, 0, p) == x) + (t.a().numero(d, 1, p) == y);
        QVERIFY(vincite >= 2);
        auto& w = t.apri();
        const qint64 netto = 25829LL * vincite, spesa = 2 * 30 * 2500;
        auto euro = [](qint64 c) { return QStringLiteral("%1%2,%3").arg(c < 0 ? "-" : "").arg(std::abs(c) / 100).arg(std::abs(c) % 100, 2, 10, QLatin1Char('0')); };
        QCOMPARE(testui::controllo<QLabel>(w, QStringLiteral("LblTotali"))->text(),
                 QStringLiteral("2 giocate; spesa %1, vinto (netto) %2, saldo %3 euro").arg(euro(spesa), euro(netto), euro(netto - spesa)));
        w.selezionaGiocata(1);
        int vinciteA = 0;
        for (int d = n - 30; d <= n - 1; ++d)
            for (int p = 1; p <= 5; ++p)
                vinciteA += t.a().numero(d, 0, p) == x;
        QCOMPARE(testui::controllo<QLabel>(w, QStringLiteral("LblVincite"))->text(),
                 QStringLiteral("Giocata N° 1: %1 vincite, lordo %2, netto %3 euro").arg(vinciteA).arg(euro(28075LL * vinciteA), euro(25829LL * vinciteA)));
        QCOMPARE(w.grigliaVincite().righe(), 1 + vinciteA);
    }

    void totaliOltreIlMassimoNonMostratiRigirati()
    {
        // 9,999 days on which wheel w holds w+1, w+12, w+23, w+34, w+45: the play below has all five
        // numbers of Bari and of Cagliari out every time.
        testui::Ambiente amb;
        const QString storico = amb.scriviFile(QStringLiteral("storico.txt"), QByteArray::fromStdString(testsupport::giorniConsecutivi(9999, 10)));
        archive::ImportaStorico(storico.toStdString(), amb.file(QStringLiteral("A.db")).toStdString());
        amb.sessione->apriDatabaseProgramma();
        amb.caricaArchivio(QStringLiteral("A.db"));
        // The window's own ceilings: every payout 100 million per euro, 100000 euro on every sorte.
        plays::Tariffe t;
        t.paga.fill(10000000000LL);
        plays::salvaTariffe(amb.sessione->dbProgramma(), t);
        plays::Giocata g;
        g.numeri = {1, 12, 23, 34, 45, 2, 13, 24, 35, 46};
        for (int w = 0; w < 10; ++w)
            g.ruote[static_cast<std::size_t>(w)] = true;
        g.poste.fill(10000000);
        g.dal = "01/01/1940";
        g.colpi = 9999;
        // Each play wins 0,92 x 9999 x 2 x 1e15 x 5/6 / 10 cents net (15331,8 million million euro): seven
        // of them are more than the largest amount shown (92233,7 million million euro).
        for (int k = 0; k < 7; ++k)
            plays::aggiungiGiocata(amb.sessione->dbProgramma(), g);
        ui::Giocate w(*amb.contesto);
        QCOMPARE(QString::fromStdString(w.grigliaGiocate().testo(1, plays::colonneGiocate::Vinto)), QStringLiteral("15331800000000000,00"));
        QCOMPARE(testui::controllo<QLabel>(w, QStringLiteral("LblTotali"))->text(),
                 QStringLiteral("7 giocate; totali non mostrati: importo oltre il massimo che si può mostrare (92233720368547758,07 "
                                "euro). Ridurre le paghe o le poste."));
    }

    void pagheIlleggibiliDetteUnaVolta()
    {
        Banco t;
        t.amb.impostaParametro("PagaAmbo", "molto");
        t.amb.impostaParametro("RitenutaVincite", "-8");
        auto& w = t.apri();
        QCoreApplication::processEvents();
        const auto messaggi = t.amb.dialoghi.messaggi();
        QCOMPARE(messaggi.size(), std::size_t(1));
        QCOMPARE(messaggi[0].testo,
                 QStringLiteral("Alcune paghe del database del programma non si possono leggere:\n"
                                "il valore di PagaAmbo nella tabella ParametriProgramma (\"molto\") non è una paga (più di 0, fino a "
                                "100000000): si usa quello di legge, 250;\n"
                                "il valore di RitenutaVincite nella tabella ParametriProgramma (\"-8\") non è una ritenuta (da 0 a meno "
                                "di 100): si usa quello di legge, 8."));
        QCOMPARE(t.cella(w.grigliaPagamenti(), 1, 1), QStringLiteral("250"));
        w.ricarica();
        QCoreApplication::processEvents();
        QCOMPARE(t.amb.dialoghi.messaggi().size(), std::size_t(1));
    }

    void nuovaVincitaAnnunciataUnaVolta()
    {
        Banco t;
        auto& a = t.a();
        const int n = a.NumeroEstrazioni;
        // From the next draw: nothing played yet.
        plays::Giocata p = plays::giocataDaAmbata(77, {false, false, false, false, false, true}, 3, t.data(n), "");
        plays::aggiungiGiocata(t.amb.sessione->dbProgramma(), p);
        auto& w = t.apri();
        auto& d = t.amb.dialoghi;
        QVERIFY(d.messaggi().empty());
        QCOMPARE(t.cella(w.grigliaGiocate(), 1, plays::colonneGiocate::Colpi), QStringLiteral("0 di 3"));
        // A new draw with 77 on Napoli, as SALVA would reload it.
        a.NumeroEstrazioni = n + 1;
        a.DateEstrazioni[static_cast<std::size_t>(n + 1)] = p.dal;
        for (int r = 0; r < archive::NumeroRuote; ++r)
            for (int k = 1; k <= 5; ++k)
                a.setNumero(n + 1, r, k, static_cast<std::int16_t>(r == 5 && k == 4 ? 77 : 10 + k));
        t.amb.contesto->archivioCambiato();
        QCOMPARE(d.messaggi().size(), std::size_t(1));
        QCOMPARE(d.messaggi()[0].titolo, QStringLiteral("Nuove vincite"));
        QCOMPARE(d.messaggi()[0].testo, QStringLiteral("Nuove vincite!\nGiocata N° 1 (77 su NA): il %1, colpo 1, Estratto su Napoli "
                                                       "con 1 punto, netto 10,33 euro").arg(QString::fromStdString(p.dal)));
        QCOMPARE(t.cella(w.grigliaGiocate(), 1, plays::colonneGiocate::Vinto), QStringLiteral("10,33"));
        t.amb.contesto->archivioCambiato();
        QCOMPARE(d.messaggi().size(), std::size_t(1));
        // Nor once more when the window opens again: what was told is in the database.
        t.finestra.reset();
        t.apri();
        QCOMPARE(d.messaggi().size(), std::size_t(1));
    }

    void giocataDalBancoDiLavoro()
    {
        Banco t;
        auto& d = t.amb.dialoghi;
        const int n = t.a().NumeroEstrazioni;
        std::array<bool, archive::NumeroRuote> ruote{};
        ruote[0] = ruote[1] = true;
        QCOMPARE(ui::giocaAmbata(*t.amb.contesto, QString(), ruote, 8, n, nullptr), std::int64_t(0));
        QCOMPARE(d.messaggi().back().testo, QStringLiteral("La riga non ha un'ambata da giocare: la sua formula non si calcola "
                                                           "sull'estrazione di riferimento. Nessuna giocata è stata aggiunta."));
        QCOMPARE(ui::giocaAmbata(*t.amb.contesto, QStringLiteral("45"), {}, 8, n, nullptr), std::int64_t(0));
        QVERIFY(plays::leggiGiocate(t.amb.sessione->dbProgramma()).empty());
        // The plays window is registered and open: it shows the new play at once.
        ui::registraGiocate();
        auto& w = t.apri();
        t.amb.contesto->apriFinestra = [&](const QString& nome) -> QWidget* { return nome == QLatin1String("Giocate") ? &w : nullptr; };
        QCOMPARE(ui::giocaAmbata(*t.amb.contesto, QStringLiteral("45"), ruote, 8, n - 2, nullptr, QStringLiteral("NUM BA1")),
                 std::int64_t(1));
        // The day after the reference draw, by Qt's calendar rather than the routine the window calls.
        const QString dal = QDate::fromString(QString::fromStdString(t.data(n - 2)), QStringLiteral("dd/MM/yyyy"))
                                .addDays(1)
                                .toString(QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(d.messaggi().back().testo,
                 QStringLiteral("Aggiunta la giocata N° 1: ambata 45 su BA,CA, 1 euro di estratto, dal %1 per 8 colpi, "
                                "fino alla prima vincita.")
                     .arg(dal));
        // Played as Convalida counts it, until the first win; the note names formula and reference.
        const auto salvata = plays::leggiGiocate(t.amb.sessione->dbProgramma())[0];
        QVERIFY(salvata.finoAllaPrimaVincita);
        QCOMPARE(QString::fromStdString(salvata.note),
                 QStringLiteral("Ambata dal banco di lavoro: formula NUM BA1, riferimento %1 del %2").arg(n - 2).arg(
                     QString::fromStdString(t.data(n - 2))));
        QCOMPARE(d.messaggi().back().titolo, QStringLiteral("Gioca l'ambata"));
        QCOMPARE(w.grigliaGiocate().righe(), 2);
        // "F": played until the first win.
        QCOMPARE(t.cella(w.grigliaGiocate(), 1, plays::colonneGiocate::Colpi), QStringLiteral("2 di 8 F"));
        // Selected, its wins below, nothing announced: the archive held them when it was added.
        QCOMPARE(w.grigliaVincite().righe(), 1 + int(plays::verificaGiocata(plays::leggiGiocate(t.amb.sessione->dbProgramma())[0], t.a(), {}).vincite.size()));
        QCOMPARE(testui::controllo<QLineEdit>(w, QStringLiteral("TxtDal"))->text(), dal);
    }

    void cleanup() { testui::svuotaRegistroFinestre(); }

private:
    static int Plays_Stato() { return plays::colonneGiocate::Stato; }

    void sistemaComeUnaRigaCheSiApre()
    {
        Banco t;
        auto& db = t.amb.sessione->dbProgramma();
        const int n = t.a().NumeroEstrazioni;
        plays::Giocata sola;
        sola.numeri = {9};
        sola.ruote[0] = true;
        sola.poste = {100, 0, 0, 0, 0};
        sola.dal = t.data(n - 4);
        sola.colpi = 2;
        plays::aggiungiGiocata(db, sola);
        std::vector<plays::Giocata> biglietti;
        for (const auto& numeri : {std::vector<int>{1, 2, 3}, std::vector<int>{4, 5, 6}, std::vector<int>{7, 8, 10}}) {
            plays::Giocata b = sola;
            b.numeri = numeri;
            b.poste = {0, 100, 0, 0, 0};
            biglietti.push_back(b);
        }
        const auto id = plays::aggiungiGiocate(db, biglietti, true);
        auto& w = t.apri();
        // The list as its table text, read anew after each command.
        const auto g = [&w] { return w.grigliaGiocate(); };
        using namespace plays::colonneGiocate;
        // The play on its own, then the system closed on one line with its three tickets' spesa: 3 x 1 euro x 2 colpi.
        QCOMPARE(g().righe(), 3);
        QCOMPARE(t.cella(g(), 2, Numero), QStringLiteral("+ %1").arg(id[0]));
        QCOMPARE(t.cella(g(), 2, Numeri), QStringLiteral("Sistema: 3 biglietti"));
        QCOMPARE(t.cella(g(), 2, Spesa), QStringLiteral("6,00"));
        // A click opens it into its tickets; another closes it.
        w.selezionaGiocata(2);
        QCOMPARE(g().righe(), 6);
        QCOMPARE(t.cella(g(), 2, Numero), QStringLiteral("− %1").arg(id[0]));
        QCOMPARE(t.cella(g(), 4, Numeri), QStringLiteral("   04-05-06"));
        w.selezionaGiocata(4);
        QVERIFY(testui::controllo<QLabel>(w, QStringLiteral("LblVincite"))->text().contains(QStringLiteral("sistema N° %1 (3 biglietti): spesa 6,00").arg(id[0])));
        w.selezionaGiocata(2);
        QCOMPARE(g().righe(), 3);
        // A ticket asked for by its number opens its system again.
        w.mostraGiocata(id[2]);
        QCOMPARE(g().righe(), 6);
        QCOMPARE(t.cella(g(), 5, Numero), QString::number(id[2]));
        QCOMPARE(testui::controllo<QLabel>(w, QStringLiteral("LblNumeri"))->text(), QStringLiteral("Numeri: 07-08-10"));
    }
};

QTEST_MAIN(TestGiocate)
#include "ui_giocate_test.moc"
