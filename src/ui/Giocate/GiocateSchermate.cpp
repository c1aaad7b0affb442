// The window Giocate in the registry, and its picture with three plays of the archive shown.
#include "ui/Giocate/Giocate.h"

#include "plays/ArchivioGiocate.h"
#include "ui/common/RegistroFinestre.h"
#include "ui/common/Schermate.h"

namespace ui {

namespace {

// Three plays on the last draws of the archive: one that won, one still in corso, one that ended empty.
void treGiocate(Giocate* f, Contesto& c)
{
    const auto& a = c.sessione.archivio();
    const int n = a.NumeroEstrazioni;
    if (n < 30)
        return;
    auto data = [&](int d) { return a.DateEstrazioni[static_cast<std::size_t>(d)]; };
    plays::Giocata vinta;
    for (int p = 1; p <= 3; ++p)
        vinta.numeri.push_back(a.numero(n - 15, 0, p));
    vinta.ruote[0] = vinta.ruote[5] = true;
    vinta.poste = {100, 50, 0, 0, 0};
    vinta.dal = data(n - 17);
    vinta.colpi = 10;
    plays::Giocata inCorso;
    inCorso.numeri = {a.numero(n - 2, 5, 1)};
    for (int w = 0; w < 10; ++w)
        inCorso.ruote[static_cast<std::size_t>(w)] = true;
    inCorso.poste = {200, 0, 0, 0, 0};
    inCorso.dal = data(n - 5);
    inCorso.colpi = 9;
    plays::Giocata conclusa;
    conclusa.numeri = {7, 17, 27, 37, 47};
    conclusa.ruote[7] = true;
    conclusa.poste = {0, 100, 50, 0, 0};
    conclusa.dal = data(n - 28);
    conclusa.colpi = 6;
    conclusa.finoAllaPrimaVincita = true;
    for (const auto& g : {vinta, inCorso, conclusa})
        if (!plays::difettoGiocata(g))
            plays::aggiungiGiocata(c.sessione.dbProgramma(), g);
    f->ricarica();
    f->selezionaGiocata(1);
}

}

void registraGiocate()
{
    const QString nome = QStringLiteral("Giocate");
    registroFinestre().registra(nome, [](Contesto& c) -> QWidget* { return new Giocate(c); });
    // Drawn after the empty window's picture, under the same name.
    registraSchermata(nome, nome, [](QWidget* w) {
        if (auto* f = qobject_cast<Giocate*>(w))
            treGiocate(f, f->contesto());
    });
}

}
