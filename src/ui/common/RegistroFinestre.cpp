// The window registry.
#include "ui/common/RegistroFinestre.h"

#include <QWidget>

namespace ui {

void RegistroFinestre::registra(const QString& nome, FabbricaFinestra fabbrica)
{
    fabbriche_[nome] = std::move(fabbrica);
}

void RegistroFinestre::rimuovi(const QString& nome)
{
    fabbriche_.erase(nome);
}

bool RegistroFinestre::disponibile(const QString& nome) const
{
    return fabbriche_.count(nome) > 0;
}

QWidget* RegistroFinestre::crea(const QString& nome, Contesto& contesto) const
{
    const auto it = fabbriche_.find(nome);
    if (it == fabbriche_.end())
        return nullptr;
    QWidget* w = it->second(contesto);
    if (w && w->objectName().isEmpty())
        w->setObjectName(nome);
    return w;
}

QStringList RegistroFinestre::nomi() const
{
    QStringList r;
    for (const auto& [nome, f] : fabbriche_)
        r << nome;
    return r;
}

RegistroFinestre& registroFinestre()
{
    static RegistroFinestre r;
    return r;
}

}
