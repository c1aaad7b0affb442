// The program's one chart: bars side by side, stacked bars or lines, on a value axis with round
// ticks, numbers written the Italian way, colours from the window's palette (light or dark).
// Windows hand it typed series; tests read the same series back.
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace ui {

// The ticks of a value axis: from `da` to `a` in steps of `passo`, every tick a round number.
struct ScalaAsse {
    double da = 0;
    double a = 1;
    double passo = 1;
    std::vector<double> tacche;
};

// The ticks for values from `minimo` to `massimo`, about `quante` of them, steps of 1, 2, 2.5 or 5
// times a power of ten (never finer than `decimali` digits allow). `estendi`: the range grows to the
// round ticks around it (a bar axis); otherwise the range stays and the ticks fall inside it (the
// draws of a line chart). An empty range is widened around its one value.
ScalaAsse scalaAsse(double minimo, double massimo, int quante, int decimali, bool estendi);

// `v` with `decimali` digits after the decimal comma, no thousands separator (as the grids write them).
QString numeroGrafico(double v, int decimali);

struct SerieGrafico {
    QString nome;                 // in the legend and the tooltip
    QColor colore;
    std::vector<double> valori;   // bars: one per category; lines: the y of each point
    std::vector<double> x;        // lines only: the x of each point
    Qt::PenStyle tratto = Qt::SolidLine;   // lines only
};

class Grafico : public QWidget {
    Q_OBJECT
public:
    enum class Tipo { Barre, BarreImpilate, Linee };

    explicit Grafico(QWidget* genitore = nullptr);

    // Everything shown goes; the chart says `messaggioVuoto()` until new series come.
    void azzera();

    void setTipo(Tipo t);
    void setTitolo(const QString& t);
    void setTitoliAssi(const QString& x, const QString& y);
    // One name per bar; with `visibili` only those bars are named under the axis (all, thinned out
    // when they would overlap, otherwise). Every name shows in the bar's tooltip.
    void setCategorie(const QStringList& nomi, const std::vector<int>& visibili = {});
    void setDecimaliY(int d);
    // About how many ticks each axis gets.
    void setTacche(int x, int y);
    // Share of a category's width the bars take (0.5 side by side, as a bar chart usually has).
    void setLarghezzaBarre(double quota);
    // Legend above or below the plot; Qt::AlignTop or Qt::AlignBottom.
    void setLegenda(Qt::Alignment dove);
    void setMessaggioVuoto(const QString& m);
    void aggiungiSerie(SerieGrafico s);

    Tipo tipo() const { return tipo_; }
    const std::vector<SerieGrafico>& serie() const { return serie_; }
    const QString& titolo() const { return titolo_; }
    const QString& titoloAsseX() const { return titoloX_; }
    const QString& titoloAsseY() const { return titoloY_; }
    const QStringList& categorie() const { return categorie_; }
    const QString& messaggioVuoto() const { return vuoto_; }
    bool vuoto() const;

    // The axes as drawn: the value axis (y) and, for lines, the x axis.
    ScalaAsse scalaY() const;
    ScalaAsse scalaX() const;
    // The plot's rectangle inside the widget, and each bar there: barre()[serie][categoria].
    QRectF areaDati() const;
    std::vector<std::vector<QRectF>> barre() const;
    // What the tooltip says at `punto` (the bar or the reference under it), empty elsewhere.
    QString suggerimento(QPointF punto) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evento) override;
    bool event(QEvent* evento) override;

private:
    int categorieContate() const;
    std::vector<int> etichetteX() const;
    double xDi(double x, const QRectF& area) const;
    double yDi(double y, const QRectF& area) const;
    int categoriaIn(QPointF punto) const;
    void disegnaLegenda(QPainter& p, const QRectF& riga) const;

    Tipo tipo_ = Tipo::Barre;
    QString titolo_;
    QString titoloX_;
    QString titoloY_;
    QStringList categorie_;
    std::vector<int> visibili_;
    std::vector<SerieGrafico> serie_;
    int decimaliY_ = 0;
    int taccheX_ = 6;
    int taccheY_ = 6;
    double larghezza_ = 0.5;
    Qt::Alignment legenda_ = Qt::AlignBottom;
    QString vuoto_;
};

}
