// The colours the grids are drawn with under the window's palette, light or dark, and the dark palette.
#pragma once

#include "grid/Grid.h"

#include <QColor>
#include <QPalette>
#include <QString>

#include <functional>

namespace ui {

// The least contrast between a cell's text and its background, as for body text on the web.
inline constexpr double ContrastoMinimo = 4.5;

// Relative luminance (0 black .. 1 white) and contrast ratio (1 .. 21) of sRGB colours.
double luminanza(const QColor& c);
double contrasto(const QColor& a, const QColor& b);

struct ColoriCella {
    QColor sfondo;
    QColor testo;
};

// What a cell holding background `sfondo` and text `testo` is drawn with under `palette`. A grid
// holds the design's colours, the same under any theme, so that a print or a copy shows them as
// designed; only the drawing follows the palette: white, a cell nobody coloured, is the palette's
// base, and black text on it the palette's text; a text whose contrast with its background stays
// below ContrastoMinimo is darkened (on a light background) or lightened (on a dark one) until it
// reaches it, keeping its hue.
ColoriCella coloriDisegno(grid::Colore sfondo, grid::Colore testo, const QPalette& palette);

// The dark palette of "--tema scuro", for the Fusion style.
QPalette paletteScura();

// True when the palette draws light text on dark windows (the desktop's own dark theme, or ours).
bool eScura(const QPalette& palette);

// Whether the desktop asks programs for dark colours, which Qt 6.4 does not read by itself: a GTK
// theme named "...:dark" (GTK_THEME), or GNOME's color-scheme 'prefer-dark' as `leggiSchema`
// returns it (by default `gsettings get org.gnome.desktop.interface color-scheme`, empty when that
// cannot be asked within a moment).
bool desktopScuro(const QString& temaGtk, const std::function<QString()>& leggiSchema);
bool desktopScuro();

// The first `massimo` bytes `programma` prints within `attesaMs`; the program is stopped there. A
// setting is a few bytes: a program that prints without end must not fill memory or hold start-up.
QString primaUscita(const QString& programma, const QStringList& argomenti, int massimo, int attesaMs);

}
