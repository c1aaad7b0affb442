#include "ui/common/Grafico.h"

#include "ui/common/Tema.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double Margine = 8;
constexpr double Spazio = 6;   // between a label and what it names

// The round steps an axis may take, times a power of ten.
constexpr double Passi[] = {1, 2, 2.5, 5, 10};

double potenza(int esponente) { return std::pow(10.0, esponente); }

// A value drawn as written: integers without decimals, the rest with one (or the axis' own).
QString valoreLetto(double v, int decimali)
{
    const bool intero = std::abs(v - std::round(v)) < 1e-9;
    return numeroGrafico(v, intero ? 0 : std::max(decimali, 1));
}

}

ScalaAsse scalaAsse(double minimo, double massimo, int quante, int decimali, bool estendi)
{
    if (!std::isfinite(minimo) || !std::isfinite(massimo))
        minimo = massimo = 0;
    if (minimo > massimo)
        std::swap(minimo, massimo);
    decimali = std::clamp(decimali, 0, 6);
    const double minimoPasso = potenza(-decimali);
    if (massimo - minimo < minimoPasso / 2) {
        // One value (or none): a range around it, from zero when it is zero.
        if (minimo == 0)
            massimo = 1;
        else {
            minimo -= minimoPasso;
            massimo += minimoPasso;
        }
    }
    quante = std::max(quante, 2);
    const double grezzo = (massimo - minimo) / (quante - 1);
    int esponente = static_cast<int>(std::floor(std::log10(grezzo)));
    double fattore = 10;
    for (const double k : Passi) {
        // 2.5 times a power of ten needs one more decimal than that power has.
        if (k == 2.5 && esponente - 1 < -decimali)
            continue;
        if (k * potenza(esponente) >= grezzo * (1 - 1e-9)) {
            fattore = k;
            break;
        }
    }
    if (esponente + (fattore == 10 ? 1 : 0) < -decimali) {
        esponente = -decimali;
        fattore = 1;
    }
    // Tick k is k * fattore * 10^esponente, divided rather than multiplied by a negative power:
    // 14 / 10 is 1,4 exactly as written, 14 * 0,1 is not.
    const auto tacca = [&](long long k) {
        return esponente >= 0 ? k * fattore * potenza(esponente) : k * fattore / potenza(-esponente);
    };
    const double passo = tacca(1);

    ScalaAsse s;
    s.passo = passo;
    const auto primo = static_cast<long long>(std::ceil(minimo / passo - 1e-9));
    const auto ultimo = static_cast<long long>(std::floor(massimo / passo + 1e-9));
    const auto sotto = static_cast<long long>(std::floor(minimo / passo + 1e-9));
    const auto sopra = static_cast<long long>(std::ceil(massimo / passo - 1e-9));
    s.da = estendi ? tacca(sotto) : minimo;
    s.a = estendi ? tacca(sopra) : massimo;
    for (long long k = estendi ? sotto : primo; k <= (estendi ? sopra : ultimo); ++k)
        s.tacche.push_back(tacca(k));
    return s;
}

QString numeroGrafico(double v, int decimali)
{
    static const QLocale italiano = [] {
        QLocale l(QLocale::Italian, QLocale::Italy);
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    // No "-0" for a value rounded to zero.
    if (std::abs(v) < 0.5 * potenza(-decimali))
        v = 0;
    return italiano.toString(v, 'f', decimali);
}

Grafico::Grafico(QWidget* genitore)
    : QWidget(genitore)
    , vuoto_(QStringLiteral("Nessun dato da mostrare"))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void Grafico::azzera()
{
    titolo_.clear();
    titoloX_.clear();
    titoloY_.clear();
    categorie_.clear();
    visibili_.clear();
    serie_.clear();
    update();
}

void Grafico::setTipo(Tipo t)
{
    tipo_ = t;
    update();
}

void Grafico::setTitolo(const QString& t)
{
    titolo_ = t;
    update();
}

void Grafico::setTitoliAssi(const QString& x, const QString& y)
{
    titoloX_ = x;
    titoloY_ = y;
    update();
}

void Grafico::setCategorie(const QStringList& nomi, const std::vector<int>& visibili)
{
    categorie_ = nomi;
    visibili_ = visibili;
    update();
}

void Grafico::setDecimaliY(int d)
{
    decimaliY_ = std::max(d, 0);
    update();
}

void Grafico::setTacche(int x, int y)
{
    taccheX_ = std::max(x, 2);
    taccheY_ = std::max(y, 2);
    update();
}

void Grafico::setLarghezzaBarre(double quota)
{
    larghezza_ = std::clamp(quota, 0.05, 1.0);
    update();
}

void Grafico::setLegenda(Qt::Alignment dove)
{
    legenda_ = dove;
    update();
}

void Grafico::setMessaggioVuoto(const QString& m)
{
    vuoto_ = m;
    update();
}

void Grafico::aggiungiSerie(SerieGrafico s)
{
    serie_.push_back(std::move(s));
    update();
}

bool Grafico::vuoto() const
{
    return std::all_of(serie_.begin(), serie_.end(), [](const SerieGrafico& s) { return s.valori.empty(); });
}

int Grafico::categorieContate() const
{
    int n = static_cast<int>(categorie_.size());
    for (const auto& s : serie_)
        n = std::max(n, static_cast<int>(s.valori.size()));
    return n;
}

ScalaAsse Grafico::scalaY() const
{
    double minimo = 0, massimo = 0;
    if (tipo_ == Tipo::BarreImpilate) {
        // A stack reaches the sum of its positive parts (and down to the sum of its negative ones).
        for (int i = 0; i < categorieContate(); ++i) {
            double su = 0, giu = 0;
            for (const auto& s : serie_)
                if (i < static_cast<int>(s.valori.size()))
                    (s.valori[i] >= 0 ? su : giu) += s.valori[i];
            massimo = std::max(massimo, su);
            minimo = std::min(minimo, giu);
        }
    } else {
        for (const auto& s : serie_)
            for (const double v : s.valori) {
                massimo = std::max(massimo, v);
                minimo = std::min(minimo, v);
            }
    }
    return scalaAsse(minimo, massimo, taccheY_, decimaliY_, true);
}

ScalaAsse Grafico::scalaX() const
{
    double minimo = 0, massimo = 0;
    bool primo = true;
    for (const auto& s : serie_)
        for (const double x : s.x) {
            minimo = primo ? x : std::min(minimo, x);
            massimo = primo ? x : std::max(massimo, x);
            primo = false;
        }
    return scalaAsse(minimo, massimo, taccheX_, 0, false);
}

QRectF Grafico::areaDati() const
{
    const QFontMetricsF fm(font());
    QFont grassetto = font();
    grassetto.setBold(true);
    const QFontMetricsF fmb(grassetto);
    QRectF r = QRectF(rect()).adjusted(Margine, Margine, -Margine, -Margine);
    if (!titolo_.isEmpty())
        r.setTop(r.top() + fm.height() + Spazio);
    if (serie_.size() > 1 || (!serie_.empty() && !serie_.front().nome.isEmpty())) {
        if (legenda_ & Qt::AlignTop)
            r.setTop(r.top() + fm.height() + Spazio);
        else
            r.setBottom(r.bottom() - fm.height() - Spazio);
    }
    if (!titoloX_.isEmpty())
        r.setBottom(r.bottom() - fmb.height() - 2);
    r.setBottom(r.bottom() - fm.height() - Spazio);
    if (!titoloY_.isEmpty())
        r.setLeft(r.left() + fmb.height() + Spazio);
    double etichette = 0;
    for (const double t : scalaY().tacche)
        etichette = std::max(etichette, fm.horizontalAdvance(numeroGrafico(t, decimaliY_)));
    r.setLeft(r.left() + etichette + Spazio);
    // Room for the last x label, centred on the plot's right edge.
    if (tipo_ == Tipo::Linee && !scalaX().tacche.empty())
        r.setRight(r.right() - fm.horizontalAdvance(numeroGrafico(scalaX().a, 0)) / 2);
    r.setTop(r.top() + fm.height() / 2);   // the top tick's label stands half above the plot
    return r;
}

double Grafico::xDi(double x, const QRectF& area) const
{
    const ScalaAsse s = scalaX();
    return area.left() + (x - s.da) / (s.a - s.da) * area.width();
}

double Grafico::yDi(double y, const QRectF& area) const
{
    const ScalaAsse s = scalaY();
    return area.bottom() - (y - s.da) / (s.a - s.da) * area.height();
}

std::vector<std::vector<QRectF>> Grafico::barre() const
{
    std::vector<std::vector<QRectF>> r(serie_.size());
    if (tipo_ == Tipo::Linee || vuoto())
        return r;
    const QRectF area = areaDati();
    const int n = categorieContate();
    const double w = area.width() / n;
    const ScalaAsse s = scalaY();
    const auto y = [&](double v) { return area.bottom() - (v - s.da) / (s.a - s.da) * area.height(); };
    std::vector<double> su(n, 0), giu(n, 0);
    for (std::size_t k = 0; k < serie_.size(); ++k) {
        const auto& valori = serie_[k].valori;
        for (int i = 0; i < n; ++i) {
            const double v = i < static_cast<int>(valori.size()) ? valori[i] : 0;
            double x0 = 0, larga = 0, base = 0;
            if (tipo_ == Tipo::BarreImpilate) {
                larga = w * larghezza_;
                x0 = area.left() + i * w + (w - larga) / 2;
                double& pila = v >= 0 ? su[i] : giu[i];
                base = pila;
                pila += v;
            } else {
                const double gruppo = w * larghezza_;
                larga = gruppo / static_cast<double>(serie_.size());
                x0 = area.left() + i * w + (w - gruppo) / 2 + static_cast<double>(k) * larga;
            }
            r[k].push_back(QRectF(QPointF(x0, y(base + v)), QPointF(x0 + larga, y(base))).normalized());
        }
    }
    return r;
}

std::vector<int> Grafico::etichetteX() const
{
    if (!visibili_.empty())
        return visibili_;
    // Every name when they fit; otherwise every k-th, so none overlaps the next.
    const QFontMetricsF fm(font());
    const int n = static_cast<int>(categorie_.size());
    double larga = 0;
    for (const auto& c : categorie_)
        larga = std::max(larga, fm.horizontalAdvance(c));
    const double w = n > 0 ? areaDati().width() / n : 0;
    const int ogni = w > 0 ? std::max(1, static_cast<int>(std::ceil((larga + Spazio) / w))) : 1;
    std::vector<int> r;
    for (int i = 0; i < n; i += ogni)
        r.push_back(i);
    return r;
}

int Grafico::categoriaIn(QPointF punto) const
{
    const QRectF area = areaDati();
    const int n = categorieContate();
    if (n == 0 || !area.contains(punto))
        return -1;
    return std::clamp(static_cast<int>((punto.x() - area.left()) / area.width() * n), 0, n - 1);
}

QString Grafico::suggerimento(QPointF punto) const
{
    if (vuoto())
        return {};
    QStringList righe;
    if (tipo_ == Tipo::Linee) {
        const QRectF area = areaDati();
        if (!area.adjusted(-4, -4, 4, 4).contains(punto))
            return {};
        // The point of the first line nearest to the mouse across, then every line there.
        const auto& xs = serie_.front().x;
        if (xs.empty())
            return {};
        std::size_t migliore = 0;
        for (std::size_t i = 1; i < xs.size(); ++i)
            if (std::abs(xDi(xs[i], area) - punto.x()) < std::abs(xDi(xs[migliore], area) - punto.x()))
                migliore = i;
        righe << (titoloX_.isEmpty() ? QString() : titoloX_ + QStringLiteral(" ")) + numeroGrafico(xs[migliore], 0);
        for (const auto& s : serie_)
            if (migliore < s.valori.size())
                righe << s.nome + QStringLiteral(": ") + valoreLetto(s.valori[migliore], decimaliY_);
        return righe.join(QLatin1Char('\n')).trimmed();
    }
    const int i = categoriaIn(punto);
    if (i < 0)
        return {};
    righe << (i < categorie_.size() ? categorie_[i] : QString::number(i + 1));
    for (const auto& s : serie_)
        if (i < static_cast<int>(s.valori.size()))
            righe << s.nome + QStringLiteral(": ") + valoreLetto(s.valori[i], decimaliY_);
    return righe.join(QLatin1Char('\n'));
}

QSize Grafico::sizeHint() const { return {480, 300}; }

QSize Grafico::minimumSizeHint() const { return {200, 120}; }

bool Grafico::event(QEvent* evento)
{
    if (evento->type() == QEvent::ToolTip) {
        auto* aiuto = static_cast<QHelpEvent*>(evento);
        const QString testo = suggerimento(aiuto->pos());
        if (testo.isEmpty()) {
            QToolTip::hideText();
            evento->ignore();
        } else {
            QToolTip::showText(aiuto->globalPos(), testo, this);
        }
        return true;
    }
    return QWidget::event(evento);
}

void Grafico::disegnaLegenda(QPainter& p, const QRectF& riga) const
{
    const QFontMetricsF fm(font());
    const double segno = fm.height() * 0.7;
    const double lineaLunga = fm.height() * 1.4;
    const double marca = tipo_ == Tipo::Linee ? lineaLunga : segno;
    double totale = 0;
    for (const auto& s : serie_)
        totale += marca + 4 + fm.horizontalAdvance(s.nome) + 2 * Spazio;
    double x = riga.center().x() - totale / 2;
    const double centro = riga.center().y();
    for (const auto& s : serie_) {
        if (tipo_ == Tipo::Linee) {
            p.setPen(QPen(s.colore, 2, s.tratto));
            p.drawLine(QPointF(x, centro), QPointF(x + marca, centro));
        } else {
            p.fillRect(QRectF(x, centro - segno / 2, segno, segno), s.colore);
        }
        x += marca + 4;
        p.setPen(palette().color(QPalette::Text));
        const double larga = fm.horizontalAdvance(s.nome);
        p.drawText(QRectF(x, riga.top(), larga + 1, riga.height()), Qt::AlignVCenter | Qt::AlignLeft, s.nome);
        x += larga + 2 * Spazio;
    }
}

void Grafico::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool scura = eScura(pal);
    const QColor testo = pal.color(QPalette::Text);
    QColor griglia = testo;
    griglia.setAlpha(scura ? 55 : 35);
    QColor asse = testo;
    asse.setAlpha(140);
    QColor tenue = testo;
    tenue.setAlpha(scura ? 200 : 180);

    // The chart's card: the palette's base, a thin border, on the window's colour.
    p.fillRect(rect(), pal.color(QPalette::Window));
    const QRectF carta = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(pal.color(scura ? QPalette::Light : QPalette::Mid), 1));
    p.setBrush(pal.color(QPalette::Base));
    p.drawRoundedRect(carta, 4, 4);

    if (vuoto()) {
        p.setPen(tenue);
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, vuoto_);
        return;
    }

    const QFontMetricsF fm(font());
    QFont grassetto = font();
    grassetto.setBold(true);
    const QFontMetricsF fmb(grassetto);
    const QRectF area = areaDati();
    const QRectF interno = QRectF(rect()).adjusted(Margine, Margine, -Margine, -Margine);

    if (!titolo_.isEmpty()) {
        p.setPen(testo);
        p.drawText(QRectF(interno.left(), interno.top(), interno.width(), fm.height()), Qt::AlignCenter, titolo_);
    }
    const bool conLegenda = serie_.size() > 1 || !serie_.front().nome.isEmpty();
    if (conLegenda) {
        const double alta = fm.height();
        const double y = (legenda_ & Qt::AlignTop)
                             ? interno.top() + (titolo_.isEmpty() ? 0 : fm.height() + Spazio)
                             : interno.bottom() - alta;
        disegnaLegenda(p, QRectF(interno.left(), y, interno.width(), alta));
    }

    // The value axis: its grid lines across the plot, its numbers on the left.
    const ScalaAsse sy = scalaY();
    p.setFont(font());
    for (const double t : sy.tacche) {
        const double y = yDi(t, area);
        p.setPen(QPen(griglia, 1));
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.setPen(tenue);
        p.drawText(QRectF(interno.left(), y - fm.height() / 2, area.left() - interno.left() - Spazio, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, numeroGrafico(t, decimaliY_));
    }
    const double sottoAsse = area.bottom() + Spazio / 2;
    if (!titoloY_.isEmpty()) {
        p.save();
        p.setFont(grassetto);
        p.setPen(testo);
        p.translate(interno.left(), area.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-area.height() / 2, 0, area.height(), fmb.height()), Qt::AlignCenter, titoloY_);
        p.restore();
    }
    if (!titoloX_.isEmpty()) {
        p.setFont(grassetto);
        p.setPen(testo);
        p.drawText(QRectF(area.left(), sottoAsse + fm.height(), area.width(), fmb.height()), Qt::AlignCenter, titoloX_);
        p.setFont(font());
    }

    if (tipo_ == Tipo::Linee) {
        const ScalaAsse sx = scalaX();
        for (const double t : sx.tacche) {
            const double x = xDi(t, area);
            p.setPen(QPen(griglia, 1));
            p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
            p.setPen(tenue);
            const QString e = numeroGrafico(t, 0);
            const double larga = fm.horizontalAdvance(e);
            p.drawText(QRectF(x - larga / 2 - 1, sottoAsse, larga + 2, fm.height()), Qt::AlignCenter, e);
        }
        p.save();
        p.setClipRect(area.adjusted(-2, -2, 2, 2));
        for (const auto& s : serie_) {
            QPainterPath linea;
            for (std::size_t i = 0; i < s.valori.size() && i < s.x.size(); ++i) {
                const QPointF q(xDi(s.x[i], area), yDi(s.valori[i], area));
                if (i == 0)
                    linea.moveTo(q);
                else
                    linea.lineTo(q);
            }
            p.setPen(QPen(s.colore, 2, s.tratto, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(linea);
        }
        p.restore();
    } else {
        // Bars drawn sharp: with ninety of them, soft edges blur into each other.
        p.setRenderHint(QPainter::Antialiasing, false);
        const auto rettangoli = barre();
        for (std::size_t k = 0; k < serie_.size(); ++k)
            for (const auto& r : rettangoli[k])
                if (r.height() > 0)
                    p.fillRect(r, serie_[k].colore);
        p.setRenderHint(QPainter::Antialiasing);
        const int n = categorieContate();
        const double w = area.width() / n;
        p.setPen(tenue);
        for (const int i : etichetteX()) {
            if (i < 0 || i >= categorie_.size())
                continue;
            const double centro = area.left() + (i + 0.5) * w;
            const double larga = fm.horizontalAdvance(categorie_[i]);
            p.drawText(QRectF(centro - larga / 2 - 1, sottoAsse, larga + 2, fm.height()), Qt::AlignCenter,
                       categorie_[i]);
        }
    }
    // The axis lines last, over the bars' feet.
    p.setPen(QPen(asse, 1));
    p.drawLine(QPointF(area.left(), area.bottom()), QPointF(area.right(), area.bottom()));
    p.drawLine(QPointF(area.left(), area.top()), QPointF(area.left(), area.bottom()));
}

}
