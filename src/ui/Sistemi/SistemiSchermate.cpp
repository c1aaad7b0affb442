// The window Sistemi in the registry, and its picture with a reduced system computed.
#include "ui/Sistemi/Sistemi.h"

#include "ui/common/RegistroFinestre.h"
#include "ui/common/Schermate.h"

#include <QLineEdit>

namespace ui {

void registraSistemi()
{
    const QString nome = QStringLiteral("Sistemi");
    registroFinestre().registra(nome, [](Contesto& c) -> QWidget* { return new Sistemi(c); });
    // Fifteen numbers in tickets of five, an ambo sure if three come out: a search, not a known construction.
    registraSchermata(nome, nome, [](QWidget* w) {
        auto* f = qobject_cast<Sistemi*>(w);
        if (!f)
            return;
        if (auto* t = f->findChild<QLineEdit*>(QStringLiteral("TxtNumeri"))) {
            t->setText(QStringLiteral("03-08-14-21-27-33-40-45-52-58-61-69-74-82-90"));
            f->usaNumeriScritti();
        }
        f->impostaParametri(5, 2, 3, false);
        f->impostaTempo(2);
        f->CmdCalcola();
        f->lavoro().aspetta();
    });
}

}
