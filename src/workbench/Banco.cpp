// The workbench's state: grid headers, wheel and case flags, reference draw.
#include "workbench/Banco.h"

#include "engine/Piramide.h"
#include "sistema/Orologio.h"

#include <ctime>

namespace workbench {

const std::array<std::string_view, 8> NomiRilevazione = {"Mensile", "Numeri", "Distanza", "Differenza",
                                                         "Somma",   "Decina", "Figura",   "Cadenza"};

Banco::Banco() { preparaBanco(*this); }

bool ruotaInGioco(const Banco& b, int w)
{
    return w >= 0 && w < archive::NumeroRuote && b.ruote[static_cast<std::size_t>(w)];
}

void setRuotaInGioco(Banco& b, int w, bool inGioco)
{
    if (w >= 0 && w < archive::NumeroRuote)
        b.ruote[static_cast<std::size_t>(w)] = inGioco;
}

std::array<bool, archive::NumeroRuote> ruoteInGioco(const Banco& b) { return b.ruote; }

bool operatoreScelto(const Banco& b, std::string_view codice)
{
    return b.operatoriScelti.count(std::string(codice)) > 0;
}

bool operatoriSceltiPresenti(const Banco& b)
{
    for (const auto& op : b.operatori)
        if (operatoreScelto(b, op.operatore))
            return true;
    return false;
}

int numeroCasi(const Banco& b) { return static_cast<int>(b.casi.size()); }

int drawCaso(const Banco& b, int r) { return r >= 1 && r <= numeroCasi(b) ? b.casi[static_cast<std::size_t>(r - 1)] : 0; }

bool casoCoperto(const Banco& b, int r)
{
    return r >= 1 && static_cast<std::size_t>(r) <= b.casiCoperti.size() && b.casiCoperti[static_cast<std::size_t>(r - 1)];
}

void setCasoCoperto(Banco& b, int r, bool coperto)
{
    if (r < 1 || r > numeroCasi(b))
        return;
    if (b.casiCoperti.size() < static_cast<std::size_t>(r))
        b.casiCoperti.resize(static_cast<std::size_t>(r), false);
    b.casiCoperti[static_cast<std::size_t>(r - 1)] = coperto;
}

std::vector<bool> casiAbilitati(const Banco& b)
{
    std::vector<bool> abilitati(static_cast<std::size_t>(numeroCasi(b)) + 1, true);
    abilitati[0] = false;
    if (b.casiScoperti)
        for (int r = 1; r <= numeroCasi(b); ++r)
            abilitati[static_cast<std::size_t>(r)] = !casoCoperto(b, r);
    return abilitati;
}

namespace {
void centra(grid::Grid& g)
{
    for (int c = 0; c < g.colonne(); ++c)
        g.setAllineamento(c, grid::Allineamento::Centro);
}

void prepara(grid::Grid& g, std::string_view intestazione)
{
    g.setIntestazione(intestazione);
    g.setRighe(1);
    centra(g);
}
}

void preparaBanco(Banco& b)
{
    b.FgF.assign(engine::NumeroMattoni, engine::Mattone());
    for (int m = 1; m <= engine::NumeroMattoni; ++m) {
        b.mattone(m).riga = engine::rigaMattone(m);
        b.mattone(m).posto = engine::postoMattone(m);
    }
    b.Fg5.assign(5, engine::Mattone());
    b.mattoneCorrente = 0;
    b.rigaFg5Evidenziata = 0;
    b.colonneMattoniNascoste = false;
    engine::SettaGridFGF(b.FgF, b.Fg5);

    b.numeriCasi.clear();
    b.numeriUsciti.clear();
    b.righeVerifica.clear();
    b.righeElabora.clear();
    b.righePrimoColpo.clear();
    b.riepilogo.reset();
    // The pair results share the ambate layout.
    for (grid::Grid* g : {&b.FgEsiti, &b.FgGr}) {
        prepara(*g, intestazioni::FgEsiti);
        for (int c : colEsiti::Nascoste)
            g->setNascosta(c, true);
    }
    for (int w = 0; w < archive::NumeroRuote; ++w)
        b.estratti[static_cast<std::size_t>(w)] = RigaEstratti{w, std::nullopt, 0, 0};
    b.operatori.clear();
    b.operatoriScelti.clear();
    b.rigaOperatore = 0;

    for (int w = 0; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b, w, w == 0);

    b.livelliElabora = {};
    b.casi.clear();
    b.datiCasi.clear();
    b.casiRicavati = b.casiEvidenziati = false;
    b.casiCoperti.clear();

    for (auto& l : b.Lbl0)
        l.clear();
    b.List1.clear();
}

void impostaRiferimento(Banco& b, const archive::Archivio& a, int d)
{
    b.riferimento = d;
    for (auto& r : b.estratti) {
        r.numeri.reset();
        if (d < 1 || d > a.NumeroEstrazioni)
            continue;
        r.numeri.emplace();
        for (int p = 1; p <= 5; ++p)
            (*r.numeri)[static_cast<std::size_t>(p - 1)] = a.numero(d, r.ruota, p);
    }
}

void togliRiferimentiEvidenziati(Banco& b)
{
    for (auto& r : b.estratti)
        r.primo = r.secondo = 0;
}

std::string testoEstratti(const RigaEstratti& r, int colonna)
{
    if (colonna == 0) {
        const bool ruota = r.ruota >= 0 && r.ruota < archive::NumeroRuote;
        return ruota ? std::string(archive::SigleRuote[static_cast<std::size_t>(r.ruota)]) : std::string();
    }
    if (!r.numeri || colonna < 1 || colonna > 5)
        return {};
    return std::to_string((*r.numeri)[static_cast<std::size_t>(colonna - 1)]);
}

void impostaMensileDaRiferimento(Banco& b, const archive::Archivio& a)
{
    if (b.riferimento >= 1 && b.riferimento <= a.NumeroEstrazioni)
        b.mensile = a.ProgressivoMese[static_cast<std::size_t>(b.riferimento)];
}

void apriBanco(Banco& b, const archive::Archivio& a)
{
    preparaBanco(b);
    impostaRiferimento(b, a, a.NumeroEstrazioni);
    impostaMensileDaRiferimento(b, a);
}

void azzeraFgX(Banco& b)
{
    b.livelloFgX = 0;
    const auto casi = static_cast<std::size_t>(numeroCasi(b));
    b.numeriCasi.assign(casi, engine::NumeriCaso{});
    b.numeriUsciti.assign(casi, {});
}

int numeroDelCaso(const Banco& b, int r, int c)
{
    if (r < 1 || r > static_cast<int>(b.numeriCasi.size()) || c < 1 || c > 5)
        return 0;
    return b.numeriCasi[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)].value_or(0);
}

void righeNumeriCasi(Banco& b, int casi)
{
    if (static_cast<int>(b.numeriCasi.size()) < casi)
        b.numeriCasi.resize(static_cast<std::size_t>(casi));
    if (b.numeriUsciti.size() < b.numeriCasi.size())
        b.numeriUsciti.resize(b.numeriCasi.size());
}

void impostaNumeroCaso(Banco& b, int r, int c, std::optional<int> numero)
{
    if (r < 1 || c < 1 || c > 5)
        return;
    righeNumeriCasi(b, r);
    b.numeriCasi[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] = numero;
}

void setNumeroUscito(Banco& b, int r, int c, bool uscito)
{
    if (r < 1 || c < 1 || c > 5)
        return;
    righeNumeriCasi(b, r);
    b.numeriUsciti[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] = uscito;
}

std::vector<RigaCasoMostrata> righeFgEv(const Banco& b)
{
    std::vector<RigaCasoMostrata> righe(b.casi.size());
    for (std::size_t i = 0; i < righe.size(); ++i) {
        auto& r = righe[i];
        r.caso = static_cast<int>(i) + 1;
        r.estrazione = b.casi[i];
        if (i < b.datiCasi.size())
            r.dati = b.datiCasi[i];
        r.coperto = casoCoperto(b, r.caso);
        r.ricavato = b.casiRicavati;
        r.evidenziato = b.casiEvidenziati;
    }
    return righe;
}

std::string testoFgEv(const RigaCasoMostrata& riga, int colonna)
{
    switch (colonna) {
    case 0:
        return std::to_string(riga.caso);
    case 1:
        return std::to_string(riga.estrazione);
    case 2:
        return riga.dati.data;
    default:
        break;
    }
    const int w = riga.dati.ruota;
    if (w < 0 || w >= archive::NumeroRuote || colonna < 3 || colonna > 8)
        return {};
    if (colonna == 3)
        return std::string(archive::SigleRuote[static_cast<std::size_t>(w)]);
    return std::to_string(riga.dati.numeri[static_cast<std::size_t>(colonna - 4)]);
}

std::optional<grid::Colore> sfondoFgEv(const RigaCasoMostrata& riga, int colonna)
{
    if (colonna == 0)
        return riga.coperto ? colori::Selezione : grid::colori::Bianco;
    if (colonna == 1 && riga.evidenziato)
        return colori::GialloPallido;
    if (colonna == 3 && riga.ricavato)
        return grid::rgb(255, 224, 192);
    if (colonna >= 4 && colonna <= 8 && riga.dati.colpite[static_cast<std::size_t>(colonna - 4)])
        return colori::VerdeChiaro;
    return std::nullopt;
}

bool grassettoFgEv(const RigaCasoMostrata& riga, int colonna) { return colonna == 3 && riga.ricavato; }

grid::Grid grigliaFgEv(const Banco& b)
{
    grid::Grid g;
    g.setIntestazione(intestazioni::FgEv);
    for (const RigaCasoMostrata& riga : righeFgEv(b)) {
        const int r = g.aggiungiRiga();
        for (int c = 0; c < g.colonne(); ++c) {
            g.setTesto(r, c, testoFgEv(riga, c));
            if (const auto s = sfondoFgEv(riga, c))
                g.setSfondo(r, c, *s);
            if (grassettoFgEv(riga, c))
                g.setGrassetto(r, c, r, c, true);
        }
    }
    return g;
}

std::vector<RigaNumeriCaso> righeFgX(const Banco& b)
{
    std::vector<RigaNumeriCaso> righe(b.numeriCasi.size());
    for (std::size_t i = 0; i < righe.size(); ++i) {
        righe[i].caso = static_cast<int>(i) + 1;
        righe[i].numeri = b.numeriCasi[i];
        if (i < b.numeriUsciti.size())
            righe[i].usciti = b.numeriUsciti[i];
    }
    return righe;
}

std::string testoFgX(const RigaNumeriCaso& riga, int colonna)
{
    if (colonna == 0)
        return std::to_string(riga.caso);
    if (colonna < 1 || colonna > 5)
        return {};
    const auto& numero = riga.numeri[static_cast<std::size_t>(colonna - 1)];
    return numero ? std::to_string(*numero) : std::string();
}

std::optional<grid::Colore> sfondoFgX(const RigaNumeriCaso& riga, int colonna)
{
    if (colonna >= 1 && colonna <= 5 && riga.usciti[static_cast<std::size_t>(colonna - 1)])
        return colori::VerdeChiaro;
    return std::nullopt;
}

std::string orarioList1()
{
    const std::time_t t = std::time(nullptr);
    std::tm locale{};
    if (!sistema::oraLocale(t, locale))
        return {};
    char testo[16];
    std::strftime(testo, sizeof testo, "%H:%M:%S", &locale);
    return testo;
}

}
