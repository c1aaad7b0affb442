// The list of extra screenshots.
#include "ui/common/Schermate.h"

namespace ui {

namespace {
std::vector<Schermata>& elenco()
{
    static std::vector<Schermata> e;
    return e;
}
}

void registraSchermata(const QString& file, const QString& finestra, std::function<void(QWidget*)> prepara,
                       int larghezza, int altezza)
{
    elenco().push_back({file, finestra, std::move(prepara), larghezza, altezza});
}

const std::vector<Schermata>& schermateAggiuntive()
{
    return elenco();
}

}
