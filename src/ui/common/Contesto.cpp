// Reaching the mini list of draws from any window.
#include "ui/common/Contesto.h"

#include "storage/Impostazioni.h"
#include "ui/common/GrigliaView.h"

#include <QWidget>

namespace ui {

namespace {
std::string chiaveCartella(const QString& scopo) { return "CartellaFile." + scopo.toStdString(); }
}

Contesto::Contesto(session::Sessione& s, Dialoghi& d) : sessione(s), dialoghi(d)
{
    GrigliaView::setDialoghiPredefiniti(&d);
    d.memoria.cartellaProgramma = QString::fromStdString(s.cartellaProgramma());
    // A folder that cannot be read or remembered costs only the convenience: no message for it.
    d.memoria.leggi = [&s](const QString& scopo) -> QString {
        try {
            if (!s.dbProgramma().aperto())
                return {};
            const auto v = storage::LeggiImpostazione(s.dbProgramma(), chiaveCartella(scopo));
            return v ? QString::fromStdString(*v) : QString();
        } catch (const std::exception&) {
            return {};
        }
    };
    d.memoria.scrivi = [&s](const QString& scopo, const QString& cartella) {
        try {
            if (s.dbProgramma().aperto())
                storage::ScriviImpostazione(s.dbProgramma(), chiaveCartella(scopo), cartella.toStdString());
        } catch (const std::exception&) {
        }
    };
}

Contesto::~Contesto()
{
    GrigliaView::setDialoghiPredefiniti(nullptr);
    dialoghi.memoria = {};
}

int Contesto::ascoltaArchivio(std::function<void()> ascoltatore)
{
    const int chiave = prossimaChiave_++;
    ascoltatoriArchivio_.emplace(chiave, std::move(ascoltatore));
    return chiave;
}

void Contesto::smettiDiAscoltareArchivio(int chiave) { ascoltatoriArchivio_.erase(chiave); }

void Contesto::archivioCambiato()
{
    // A copy: a listener may close its window, and with it stop listening.
    const auto ascoltatori = ascoltatoriArchivio_;
    for (const auto& [chiave, ascoltatore] : ascoltatori)
        if (ascoltatoriArchivio_.count(chiave))
            ascoltatore();
}

bool mostraNelMiniElenco(Contesto& contesto, int indice, const std::vector<int>& numeri, const std::vector<int>& ruote)
{
    auto* vista = dynamic_cast<VistaEstrazione*>(contesto.apriFinestra(QStringLiteral("Estrazioni_minielenco")));
    if (!vista)
        return false;
    vista->mostraEstrazione(indice);
    if (!numeri.empty())
        vista->segnaNumeri(numeri, ruote);
    return true;
}

}
