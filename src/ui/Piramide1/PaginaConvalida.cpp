// The "Convalida" page: range, replay in the background, rows, totals and the chart of come-outs against chance.
#include "ui/Piramide1/PaginaConvalida.h"

#include "ui/Piramide1/Piramide1.h"
#include "ui/common/Controlli.h"
#include "ui/common/Grafico.h"
#include "ui/common/GrigliaView.h"
#include "ui/common/Schermate.h"
#include "workbench/Casi.h"
#include "workbench/NoteRicerca.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>

namespace ui {

namespace {
QString daStd(const std::string& s) { return QString::fromStdString(s); }
const QString Titolo = QStringLiteral("Convalida");

// A reference box: Ctrl+Page Up/Down belong to the tabs around it, not to its value.
class SpinRiferimento : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    void keyPressEvent(QKeyEvent* evento) override
    {
        if ((evento->modifiers() & Qt::ControlModifier) &&
            (evento->key() == Qt::Key_PageUp || evento->key() == Qt::Key_PageDown)) {
            evento->ignore();
            return;
        }
        QSpinBox::keyPressEvent(evento);
    }
};
}

PaginaConvalida::PaginaConvalida(Contesto& contesto, const workbench::Banco& banco, QWidget* genitore)
    : QWidget(genitore), contesto_(contesto), banco_(banco)
{
    setObjectName(QStringLiteral("PaginaConvalida"));

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    auto* fila = new QHBoxLayout;
    ConvDal = new SpinRiferimento(this);
    ConvDal->setObjectName(QStringLiteral("ConvDal"));
    ConvDal->setToolTip(QStringLiteral("Primo riferimento (n. indice dell'estrazione)"));
    ConvAl = new SpinRiferimento(this);
    ConvAl->setObjectName(QStringLiteral("ConvAl"));
    ConvAl->setToolTip(QStringLiteral("Ultimo riferimento (n. indice dell'estrazione)"));
    ChkMensileRif = new QCheckBox(QStringLiteral("Mensile del riferimento"), this);
    ChkMensileRif->setObjectName(QStringLiteral("ChkMensileRif"));
    ChkMensileRif->setChecked(true);
    ChkMensileRif->setToolTip(QStringLiteral(
        "Con la rilevazione Mensile ogni riferimento prende la propria estrazione del mese (come il tasto M); "
        "senza segno vale per tutti quella scelta nella rilevazione"));
    // Alt+V: the verifications' VERIFICA is hidden while this page is in front.
    CmdConvalidaBtn = new QPushButton(QStringLiteral("CON&VALIDA"), this);
    CmdConvalidaBtn->setObjectName(QStringLiteral("CmdConvalida"));
    CmdConvalidaBtn->setToolTip(QStringLiteral(
        "Ripete AMBATE a ogni riferimento dell'intervallo con le impostazioni attuali, gioca l'ambata della "
        "formula migliore nei colpi seguenti e confronta le uscite con il caso"));
    CmdAnnullaConvalida = new QPushButton(QStringLiteral("&Annulla"), this);
    CmdAnnullaConvalida->setObjectName(QStringLiteral("CmdAnnullaConvalida"));
    CmdAnnullaConvalida->setToolTip(QStringLiteral("Ferma la convalida in corso (anche Esc): i risultati precedenti restano"));
    CmdAnnullaConvalida->setEnabled(false);
    invioPremePulsante(CmdConvalidaBtn);
    invioPremePulsante(CmdAnnullaConvalida);
    // Alt+L reaches the range (the pyramid's Cancella riga is hidden while this page is in front).
    auto* dal = new QLabel(QStringLiteral("Da&l"), this);
    dal->setBuddy(ConvDal);
    fila->addWidget(dal);
    fila->addWidget(ConvDal);
    fila->addWidget(new QLabel(QStringLiteral("al"), this));
    fila->addWidget(ConvAl);
    fila->addStretch();
    fila->addWidget(CmdConvalidaBtn);
    fila->addWidget(CmdAnnullaConvalida);
    l->addLayout(fila);

    LblConvalidaStato = new QLabel(this);
    LblConvalidaStato->setObjectName(QStringLiteral("LblConvalidaStato"));
    LblConvalidaStato->setText(QStringLiteral("Ogni riga: la formula migliore al riferimento, la sua ambata e il colpo in cui è uscita."));
    LblConvalidaStato->setWordWrap(true);
    auto* stato = new QHBoxLayout;
    stato->addWidget(ChkMensileRif);
    stato->addWidget(LblConvalidaStato, 1);
    l->addLayout(stato);
    LblImpostazioniConvalida = new QLabel(this);
    LblImpostazioniConvalida->setObjectName(QStringLiteral("LblImpostazioniConvalida"));
    LblImpostazioniConvalida->setWordWrap(true);
    LblImpostazioniConvalida->setTextFormat(Qt::PlainText);
    LblImpostazioniConvalida->hide();
    l->addWidget(LblImpostazioniConvalida);

    auto* divisore = divisore_ = new QSplitter(Qt::Vertical, this);
    divisore->setChildrenCollapsible(false);
    modello_ = new ModelloRighe<RigaMostrata>(colonne(), this);
    FgConvalida = new GrigliaView(modello_, divisore);
    FgConvalida->setObjectName(QStringLiteral("FgConvalida"));
    FgConvalida->verticalHeader()->setVisible(false);
    FgConvalida->setMinimumHeight(90);
    FgConvalida->setToolTip(QStringLiteral("Doppio clic: la riga diventa l'estrazione di riferimento del banco"));
    GraficoConvalida = new Grafico(divisore);
    GraficoConvalida->setObjectName(QStringLiteral("GraficoConvalida"));
    // A strip under the table: the legend above, the labels a point smaller than the table's.
    QFont piccolo = GraficoConvalida->font();
    piccolo.setPointSizeF(std::max(6.0, piccolo.pointSizeF() - 1));
    GraficoConvalida->setFont(piccolo);
    GraficoConvalida->setTipo(Grafico::Tipo::Linee);
    GraficoConvalida->setLegenda(Qt::AlignTop);
    GraficoConvalida->setTacche(6, 4);
    GraficoConvalida->setMinimumHeight(120);
    divisore->addWidget(FgConvalida);
    divisore->addWidget(GraficoConvalida);
    divisore->setStretchFactor(0, 3);
    divisore->setStretchFactor(1, 2);
    l->addWidget(divisore, 1);

    LblTotaliConvalida = new QLabel(this);
    LblTotaliConvalida->setObjectName(QStringLiteral("LblTotaliConvalida"));
    LblTotaliConvalida->setWordWrap(true);
    LblTotaliConvalida->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblTotaliConvalida->setToolTip(QStringLiteral(
        "Sui riferimenti con tutti i colpi nell'archivio: ambate uscite, quante ne darebbe un numero qualsiasi "
        "negli stessi colpi e ruote, la probabilità di averne almeno altrettante per puro caso, e quanti casi "
        "coprivano in media le formule scelte"));
    l->addWidget(LblTotaliConvalida);
    LblVerdettoConvalida = new QLabel(this);
    LblVerdettoConvalida->setObjectName(QStringLiteral("LblVerdettoConvalida"));
    LblVerdettoConvalida->setWordWrap(true);
    LblVerdettoConvalida->setTextFormat(Qt::PlainText);
    LblVerdettoConvalida->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->addWidget(LblVerdettoConvalida);
    auto* controllo = new QTimer(this);
    connect(controllo, &QTimer::timeout, this, [this] {
        if (isVisible())
            controllaImpostazioni();
    });
    controllo->start(300);

    intervalloPredefinito();
    chiaveArchivio_ = contesto_.ascoltaArchivio([this] {
        if (!inCorso())
            intervalloPredefinito();
    });
    lavoro_.collegaBarre(contesto_.pb1, contesto_.pb2);
    connect(&lavoro_, &LavoroDiFondo::avanzamento, this, [this](int barra, int valore, int massimo) {
        if (barra == 1 && massimo > 0)
            LblConvalidaStato->setText(QStringLiteral("Riferimento %1 di %2").arg(valore).arg(massimo));
    });
    connect(CmdConvalidaBtn, &QPushButton::clicked, this, &PaginaConvalida::CmdConvalida);
    connect(CmdAnnullaConvalida, &QPushButton::clicked, this, &PaginaConvalida::annulla);
    auto scegli = [this](int riga, int) {
        if (const int d = workbench::riferimentoRiga(righeMostrate_, riga))
            emit riferimentoScelto(d, righeConMensileDelRiferimento_);
    };
    connect(FgConvalida, &GrigliaView::doppioClic, this, scegli);
    connect(FgConvalida, &GrigliaView::attivata, this, scegli);
}

namespace {
// Widths in twips (15 a pixel): the date and "in corso" whole.
constexpr std::array<int, workbench::colConvalida::Colonne> LarghezzeConvalida = {600, 1200, 450, 750, 400, 450, 400,
                                                                                  450, 450, 700, 750, 650, 2200};
}

std::vector<ColonnaDi<PaginaConvalida::RigaMostrata>> PaginaConvalida::colonne()
{
    namespace k = workbench::colConvalida;
    const QStringList titoli = QString::fromUtf8(k::Intestazione.data(), static_cast<qsizetype>(k::Intestazione.size())).split(QLatin1Char('|'));
    std::vector<ColonnaDi<RigaMostrata>> colonne(k::Colonne);
    for (int c = 0; c < k::Colonne; ++c) {
        auto& col = colonne[static_cast<std::size_t>(c)];
        col.intestazione = titoli.value(c);
        col.testo = [c](const RigaMostrata& r) { return QString::fromStdString(workbench::testoConvalida(r.riga, c, r.data)); };
        col.allineamento = grid::Allineamento::Centro;
        col.larghezzaTwips = LarghezzeConvalida[static_cast<std::size_t>(c)];
    }
    for (int c : {k::Ambata, k::Colpo})
        colonne[static_cast<std::size_t>(c)].sfondo = [](const RigaMostrata& r) {
            return workbench::ambataUscita(r.riga) ? std::optional(workbench::colori::VerdeChiaro) : std::nullopt;
        };
    colonne[k::Ambata].grassetto = [](const RigaMostrata&) { return true; };
    colonne[k::Formula].coloreTesto = [](const RigaMostrata&) { return std::optional(grid::colori::Blu); };
    return colonne;
}

grid::Grid PaginaConvalida::griglia() const { return modello_->testoTabella(); }

PaginaConvalida::~PaginaConvalida() { contesto_.smettiDiAscoltareArchivio(chiaveArchivio_); }

void PaginaConvalida::intervalloPredefinito()
{
    const int n = std::max(1, contesto_.sessione.archivio().NumeroEstrazioni);
    for (QSpinBox* s : {ConvDal, ConvAl})
        s->setRange(1, n);
    ConvAl->setValue(n);
    ConvDal->setValue(std::max(1, n - 199));
}

void PaginaConvalida::occupa(bool occupata)
{
    // The keyboard stays on the page: on Annulla meanwhile, then back where it was.
    if (occupata)
        fuoco_.trattieni(this, CmdAnnullaConvalida);
    for (QWidget* w : std::initializer_list<QWidget*>{ConvDal, ConvAl, ChkMensileRif, CmdConvalidaBtn})
        w->setEnabled(!occupata);
    if (!occupata)
        fuoco_.restituisci(CmdAnnullaConvalida);
}

void PaginaConvalida::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier && inCorso()) {
        annulla();
        return;
    }
    QWidget::keyPressEvent(evento);
}

void PaginaConvalida::CmdConvalida()
{
    if (inCorso())
        return;
    const archive::Archivio& archivio = contesto_.sessione.archivio();
    workbench::ImpostazioniConvalida imp =
        workbench::impostazioniConvalida(banco_, ConvDal->value(), ConvAl->value(), ChkMensileRif->isChecked());
    if (const std::string motivo = workbench::controllaIntervallo(imp.dal, imp.al, archivio); !motivo.empty()) {
        contesto_.dialoghi.messaggio(this, QStringLiteral("Intervallo non valido: %1.").arg(daStd(motivo)), Titolo,
                                     Icona::Esclamazione);
        return;
    }
    if (const auto manca = workbench::mancaOperatore(banco_)) {
        contesto_.dialoghi.messaggio(this, daStd(*manca), Titolo, Icona::Informazione);
        return;
    }
    // Settings RICAVA ESTRAZIONI refuses are said once, before the replay.
    workbench::Banco prova;
    if (const auto e = workbench::bancoDelRiferimento(imp, archivio, imp.al, prova)) {
        contesto_.dialoghi.messaggio(this, daStd(e->testo), daStd(e->titolo), Icona::Informazione);
        return;
    }
    auto risultato = std::make_shared<workbench::RisultatoConvalida>();
    const bool mensile = imp.mensileDalRiferimento && imp.casi.rilevazione == workbench::Rilevazione::Mensile;
    const QString impostazioni = daStd(workbench::testoImpostazioniConvalida(imp, archivio));
    const Chiave chiave = chiaveAdesso();
    occupa(true);
    LblConvalidaStato->setText(QStringLiteral("Riferimento 1 di %1").arg(imp.al - imp.dal + 1));
    const bool avviata = lavoro_.avvia([imp = std::move(imp), risultato, &archivio](
                      avanzamento::Avanzamento& av) { *risultato = workbench::convalida(imp, archivio, &av); },
                  [this, risultato, mensile, impostazioni, chiave](const LavoroDiFondo::Fine& fine) {
                      occupa(false);
                      if (fine.errore) {
                          LblConvalidaStato->setText(QStringLiteral("Convalida non riuscita."));
                          contesto_.dialoghi.messaggio(this, fine.messaggio, Titolo, Icona::Critica);
                      } else if (fine.interrotto || risultato->interrotta) {
                          LblConvalidaStato->setText(QStringLiteral("Convalida annullata: i risultati precedenti restano."));
                      } else {
                          righeConMensileDelRiferimento_ = mensile;
                          impostazioniRighe_ = impostazioni;
                          chiaveRighe_ = chiave;
                          mostraRisultato(*risultato);
                          controllaImpostazioni();
                      }
                      emit finita();
                  });
    if (!avviata) {
        occupa(false);
        LblConvalidaStato->setText(QStringLiteral("Convalida non avviata: la precedente non è ancora conclusa."));
    }
}

void PaginaConvalida::hideEvent(QHideEvent* evento)
{
    QWidget::hideEvent(evento);
    emit inPrimoPiano(false);
}

void PaginaConvalida::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    emit inPrimoPiano(true);
    // Once the window has laid out the page's new width and height.
    QTimer::singleShot(0, this, &PaginaConvalida::spazio);
    const archive::Archivio& a = contesto_.sessione.archivio();
    const int r = banco_.riferimento;
    if (!inCorso() && r >= 1 && r <= a.NumeroEstrazioni)
        ChkMensileRif->setChecked(banco_.mensile == a.ProgressivoMese[static_cast<std::size_t>(r)]);
}

void PaginaConvalida::spazio()
{
    // The results and the chart take most of the column while this page is in front: the
    // splitter that holds the results above the cases.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* divisore = qobject_cast<QSplitter*>(w); divisore && divisore->orientation() == Qt::Vertical) {
            const int totale = divisore->height();
            if (totale > 0 && divisore->count() == 2)
                divisore->setSizes({totale * 17 / 20, totale - totale * 17 / 20});
            break;
        }
    // The rows before the chart: the chart keeps about a third, never less than its minimum.
    const int altezza = divisore_->height();
    if (altezza > 0) {
        const int grafico = std::max(GraficoConvalida->minimumHeight(), altezza / 3);
        divisore_->setSizes({altezza - grafico, grafico});
    }
}

void PaginaConvalida::annulla() { lavoro_.ferma(); }

PaginaConvalida::Chiave PaginaConvalida::chiaveAdesso() const
{
    Chiave k;
    k.casi = workbench::impostazioniCasi(banco_);
    k.casi.riferimento = 0;
    k.dal = ConvDal->value();
    k.al = ConvAl->value();
    k.mensileDalRiferimento = ChkMensileRif->isChecked();
    if (k.mensileDalRiferimento && k.casi.rilevazione == workbench::Rilevazione::Mensile)
        k.casi.mensile = 0;
    return k;
}

void PaginaConvalida::controllaImpostazioni()
{
    if (!chiaveRighe_) {
        LblImpostazioniConvalida->hide();
        return;
    }
    const bool scadute = chiaveAdesso() != *chiaveRighe_;
    LblImpostazioniConvalida->setText(
        (scadute ? QStringLiteral("Impostazioni cambiate dopo la convalida: queste righe sono di ") : QStringLiteral("Righe di: ")) +
        impostazioniRighe_);
    LblImpostazioniConvalida->setStyleSheet(scadute ? QStringLiteral("QLabel { color: #8b0000; font-weight: bold; }") : QString());
    LblImpostazioniConvalida->show();
}

void PaginaConvalida::aspetta() { lavoro_.aspetta(); }

void PaginaConvalida::mostraRisultato(const workbench::RisultatoConvalida& r)
{
    const archive::Archivio& a = contesto_.sessione.archivio();
    const bool giocate = std::any_of(r.righe.begin(), r.righe.end(), [](const auto& x) { return x.giocata(); });
    // Not one ambata to follow: the reason in words, not rows of "nessuna formula".
    righeMostrate_ = giocate ? r.righe : std::vector<workbench::RigaConvalida>{};
    std::vector<RigaMostrata> righe;
    righe.reserve(righeMostrate_.size());
    for (const auto& x : righeMostrate_)
        righe.push_back({x, workbench::dataRiferimento(x, a)});
    modello_->sostituisci(std::move(righe));
    LblVerdettoConvalida->setText(daStd(workbench::verdettoConvalida(r)));
    if (isVisible())
        spazio();
    LblConvalidaStato->setText(QStringLiteral("Convalidati %1 riferimenti, dal %2 al %3.")
                                   .arg(r.righe.size())
                                   .arg(r.righe.empty() ? 0 : r.righe.front().riferimento)
                                   .arg(r.righe.empty() ? 0 : r.righe.back().riferimento));
    // With no reference counted the totals would be zeros and p 1: the verdict says why instead.
    LblTotaliConvalida->setText(r.totali.riferimenti > 0 ? daStd(workbench::testoTotaliConvalida(r.totali)) : QString());
    LblTotaliConvalida->setVisible(r.totali.riferimenti > 0);
    disegnaGrafico(r);
    GraficoConvalida->setVisible(r.totali.riferimenti > 0);
}

void PaginaConvalida::disegnaGrafico(const workbench::RisultatoConvalida& r)
{
    const auto punti = workbench::cumulati(r.righe);
    GraficoConvalida->azzera();
    SerieGrafico uscite{QStringLiteral("Ambate uscite"), QColor(32, 159, 223), {}, {}};
    SerieGrafico attese{QStringLiteral("Attese a caso"), QColor(128, 128, 128), {}, {}, Qt::DashLine};
    for (const auto& p : punti) {
        uscite.x.push_back(p.riferimento);
        uscite.valori.push_back(p.uscite);
        attese.x.push_back(p.riferimento);
        attese.valori.push_back(p.attese);
    }
    GraficoConvalida->aggiungiSerie(std::move(uscite));
    GraficoConvalida->aggiungiSerie(std::move(attese));
}

void registraSchermataConvalida()
{
    registraSchermata(
        QStringLiteral("Piramide1_convalida"), QStringLiteral("Piramide1"),
        [](QWidget* w) {
            auto* f = qobject_cast<Piramide1*>(w);
            auto* pagina = w->findChild<PaginaConvalida*>();
            auto* schede = w->findChild<QTabWidget*>(QStringLiteral("SSTab2"));
            if (!f || !pagina || !schede)
                return;
            // Bari alone in play (a blind number comes out about one time in three in 8 colpi),
            // the operators of type 1 and 2, "Mensile" of each reference.
            f->sceltaTipo(2);
            f->aggiornaVista();
            schede->setCurrentWidget(pagina);
            pagina->intervalloPredefinito();
            pagina->CmdConvalida();
            pagina->aspetta();
        },
        1366, 749);
}

}
