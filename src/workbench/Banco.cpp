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
    prepara(b.FgF, intestazioni::FgF);
    b.FgF.setRighe(engine::NumeroMattoni + 1);
    prepara(b.Fg5, intestazioni::Fg5);
    b.Fg5.setRighe(6);
    for (int r = 1; r <= engine::NumeroMattoni; ++r) {
        b.FgF.setNumero(r, engine::colF::Ri, engine::rigaMattone(r));
        b.FgF.setNumero(r, engine::colF::Co, engine::postoMattone(r));
    }
    for (grid::Grid* g : {&b.FgF, &b.Fg5}) {
        // Widths of columns 1, 2, 3, 4, 5, 7, 8 and 10, as the window lays them out.
        const std::array<std::pair<int, int>, 8> larghezze = {
            {{1, 250}, {2, 250}, {3, 800}, {4, 600}, {5, 500}, {7, 650}, {8, 500}, {10, 650}}};
        for (auto [c, w] : larghezze)
            g->setLarghezza(c, w);
    }
    engine::SettaGridFGF(b.FgF, b.Fg5);

    prepara(b.FgEv, intestazioni::FgEv);
    prepara(b.FgX, intestazioni::FgX);
    prepara(b.FgL, intestazioni::FgL);
    b.FgL.setNascosta(6, true);
    b.FgL.setNascosta(7, true);
    prepara(b.Fg_E, intestazioni::Fg_E);
    b.Fg_E.setNascosta(0, true);
    prepara(b.FgY, intestazioni::FgY);
    prepara(b.Fg10, intestazioni::Fg10);
    // The pair results share the ambate layout.
    for (grid::Grid* g : {&b.FgEsiti, &b.FgGr}) {
        prepara(*g, intestazioni::FgEsiti);
        for (int c : colEsiti::Nascoste)
            g->setNascosta(c, true);
    }
    prepara(b.FgEstratti, intestazioni::FgEstratti);
    b.FgEstratti.setRighe(archive::NumeroRuote + 1);
    for (int w = 0; w < archive::NumeroRuote; ++w)
        b.FgEstratti.setTesto(w + 1, 0, archive::SigleRuote[w]);
    b.operatori.clear();
    b.operatoriScelti.clear();
    b.rigaOperatore = 0;

    for (int w = 0; w < archive::NumeroRuote; ++w)
        setRuotaInGioco(b, w, w == 0);

    prepara(b.Fg7, intestazioni::Fg7);
    b.Fg7.setRighe(6);
    b.livelliElabora = {};
    mostraLivelliElabora(b);
    b.casi.clear();
    b.casiCoperti.clear();

    for (auto& l : b.Lbl0)
        l.clear();
    b.List1.clear();
}

void mostraLivelliElabora(Banco& b)
{
    for (int k = 1; k <= 5 && k < b.Fg7.righe(); ++k)
        b.Fg7.setNumero(k, 0, b.livelliElabora[static_cast<std::size_t>(k - 1)].sorte);
}

void impostaRiferimento(Banco& b, const archive::Archivio& a, int d)
{
    b.riferimento = d;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        for (int p = 1; p <= 5; ++p) {
            if (d >= 1 && d <= a.NumeroEstrazioni)
                b.FgEstratti.setNumero(w + 1, p, a.numero(d, w, p));
            else
                b.FgEstratti.setTesto(w + 1, p, "");
        }
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
    const int casi = numeroCasi(b);
    b.numeriCasi.assign(static_cast<std::size_t>(casi), engine::NumeriCaso{});
    b.FgX.setRighe(1);
    b.FgX.setRighe(casi + 1);
    for (int r = 1; r <= casi; ++r)
        b.FgX.setNumero(r, 0, r);
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
    const int righe = static_cast<int>(b.numeriCasi.size()) + 1;
    if (b.FgX.righe() < righe)
        b.FgX.setRighe(righe);
}

void impostaNumeroCaso(Banco& b, int r, int c, std::optional<int> numero)
{
    if (r < 1 || c < 1 || c > 5)
        return;
    righeNumeriCasi(b, r);
    b.numeriCasi[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] = numero;
    b.FgX.setTesto(r, c, numero ? std::to_string(*numero) : std::string());
}

void mostraNumeriCasi(Banco& b)
{
    righeNumeriCasi(b, 0);
    for (std::size_t r = 0; r < b.numeriCasi.size(); ++r)
        for (std::size_t c = 0; c < 5; ++c) {
            const auto& numero = b.numeriCasi[r][c];
            b.FgX.setTesto(static_cast<int>(r + 1), static_cast<int>(c + 1), numero ? std::to_string(*numero) : std::string());
        }
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
