// What the study pages of Statistiche share: the line in words, the summary, the help button, the split and the
// bar chart of what the archive shows beside what chance alone gives.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QLayout;

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace ui {

struct Contesto;
class Grafico;

inline QString daStd(const std::string& s) { return QString::fromStdString(s); }

// A word-wrapped label named `nome`; bold for a summary line.
QLabel* rigaDiTesto(const QString& nome, bool grassetto, QWidget* genitore);
// The "?" button named `nome`: it opens help page `pagina` for the window of `genitore`.
QPushButton* pulsanteHelp(const QString& nome, Contesto& contesto, int pagina, QWidget* genitore);
// The page's layout: its choices, the line in words, the summary, then `sinistra` and `destra` side by side.
QVBoxLayout* disponiPagina(QWidget* pagina, QLayout* scelte, QLabel* significato, QLabel* riepilogo, QWidget* sinistra,
                           QWidget* destra);

// A chart named `nome`, of the size the study pages give it.
Grafico* nuovoGrafico(const QString& nome, QWidget* genitore);

// What one chart shows: one label per class, the observed and the expected counts.
struct Confronto {
    QString titolo;
    QString osservati;        // legend of the observed bars
    QString asseX;
    QString asseY;
    QStringList etichette;
    std::vector<double> valoriOsservati;
    std::vector<double> valoriAttesi;
};

// Redraws `vista` with the two sets of bars (blue the archive, orange chance); empty `etichette` clears it.
void disegnaConfronto(Grafico* vista, const Confronto& c);

}
