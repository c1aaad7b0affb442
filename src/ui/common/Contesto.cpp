// Reaching the mini list of draws from any window.
#include "ui/common/Contesto.h"

#include "maintenance/ScritturaEstrazioni.h"
#include "storage/Impostazioni.h"
#include "ui/common/LavoroDiFondo.h"
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
    sessione.segnaArchivioCaricato();   // the draws in memory are those of the file now
    // A copy: a listener may close its window, and with it stop listening.
    const auto ascoltatori = ascoltatoriArchivio_;
    for (const auto& [chiave, ascoltatore] : ascoltatori)
        if (ascoltatoriArchivio_.count(chiave))
            ascoltatore();
}

bool Contesto::ricaricaSeCambiatoFuori(QWidget* genitore, const QString& seguito)
{
    // A work running may be reading the draws or writing the file: it ends first.
    if (LavoroDiFondo::qualcunoOccupato())
        return false;
    const QString percorso = QString::fromStdString(sessione.percorsoArchivio());
    try {
        if (!sessione.ricaricaSeCambiatoFuori())
            return false;
    } catch (const maintenance::ErroreScrittura& e) {
        dialoghi.messaggio(genitore,
                           QStringLiteral("L'archivio \"%1\" è stato modificato da un altro programma e non si può più "
                                          "caricare: le estrazioni in memoria restano quelle di prima.\n%2%3")
                               .arg(percorso, QString::fromStdString(e.what()), seguito.isEmpty() ? QString() : QStringLiteral("\n") + seguito),
                           QStringLiteral("Archivio modificato"), Icona::Critica);
        return true;
    }
    ImpostazioniArchivioModello();
    archivioCambiato();
    dialoghi.messaggio(genitore,
                       QStringLiteral("L'archivio \"%1\" è stato modificato da un altro programma: ricaricato, ora contiene %2 "
                                      "estrazioni.%3")
                           .arg(percorso)
                           .arg(sessione.archivio().NumeroEstrazioni)
                           .arg(seguito.isEmpty() ? QString() : QStringLiteral(" ") + seguito),
                       QStringLiteral("Archivio ricaricato"), Icona::Informazione);
    return true;
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
