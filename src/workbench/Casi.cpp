// RICAVA ESTRAZIONI: the eight detection types and the filling of FgEv.
#include "workbench/Casi.h"

#include "engine/Numeri.h"
#include "engine/Piramide.h"
#include "workbench/Ambate.h"
#include "workbench/Elabora.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace workbench {

bool NumeriVoluti::vuoto() const
{
    for (int n = 1; n <= 90; ++n)
        if (numero[n])
            return false;
    return true;
}

NumeriVoluti leggiNumeriVoluti(std::string_view testo)
{
    NumeriVoluti v;
    for (std::size_t i = 0; i < testo.size(); i += 3) {
        const std::string_view due = testo.substr(i, 2);
        int n = 0;
        bool cifre = !due.empty();
        for (char ch : due) {
            if (ch < '0' || ch > '9') {
                cifre = false;
                break;
            }
            n = n * 10 + (ch - '0');
        }
        if (!cifre || n < 1 || n > 90)
            continue;
        v.numero[n] = true;
        v.decina[static_cast<std::size_t>(engine::Decina[n])] = true;
        v.figura[static_cast<std::size_t>(engine::Figura[n])] = true;
        v.cadenza[static_cast<std::size_t>(engine::Cadenza[n])] = true;
    }
    return v;
}

int valoreCoppia(Rilevazione t, int a, int b)
{
    switch (t) {
    case Rilevazione::Distanza: {
        const int x = std::abs(a - b);
        return x > 45 ? 90 - x : x;
    }
    case Rilevazione::Differenza:
        return std::abs(a - b);
    case Rilevazione::Somma: {
        const int x = (a + b) % 90;
        return x == 0 ? 90 : x;
    }
    default:
        throw std::invalid_argument("rilevazione senza coppie");
    }
}

bool qualifica(const Banco& b, const archive::Archivio& a, const NumeriVoluti& voluti, int d,
               std::array<bool, 6>& colpite)
{
    colpite.fill(false);
    const int base = b.ruotaBase;
    // Numbers are read through the tables only when they are real: 0 marks a wheel
    // not drawn that day, and Decina[0] / Cadenza[0] = 0 would match decade 0 and
    // cadence 0, and a pair with a 0 would give a distance from nothing.
    auto numero = [&](int p) { return static_cast<int>(a.numero(d, base, p)); };
    int conta = 0;
    switch (b.rilevazione) {
    case Rilevazione::Mensile:
        if (b.mensile == 0) {
            if (d >= a.NumeroEstrazioni)
                return b.forzaUltima;
            return a.ProgressivoMese[static_cast<std::size_t>(d + 1)] == 1;
        }
        return a.ProgressivoMese[static_cast<std::size_t>(d)] == b.mensile;
    case Rilevazione::Numeri:
    case Rilevazione::Decina:
    case Rilevazione::Figura:
    case Rilevazione::Cadenza:
        for (int p = 1; p <= 5; ++p) {
            if (!b.posizioni[p - 1])
                continue;
            const int n = numero(p);
            if (n < 1 || n > 90)
                continue;
            bool preso = false;
            switch (b.rilevazione) {
            case Rilevazione::Numeri: preso = voluti.numero[n]; break;
            case Rilevazione::Decina: preso = voluti.decina[engine::Decina[n]]; break;
            case Rilevazione::Figura: preso = voluti.figura[engine::Figura[n]]; break;
            default: preso = voluti.cadenza[engine::Cadenza[n]]; break;
            }
            if (preso) {
                ++conta;
                colpite[p] = true;
            }
        }
        break;
    case Rilevazione::Distanza:
    case Rilevazione::Differenza:
    case Rilevazione::Somma:
        for (int p = 1; p <= 5; ++p) {
            for (int q = p + 1; q <= 5; ++q) {
                if (!b.posizioni[p - 1] || !b.posizioni[q - 1])
                    continue;
                const int x = numero(p), y = numero(q);
                if (x < 1 || y < 1)
                    continue;
                const int v = valoreCoppia(b.rilevazione, x, y);
                if (v >= 1 && v <= 90 && voluti.numero[v]) {
                    ++conta;
                    colpite[p] = colpite[q] = true;
                }
            }
        }
        break;
    }
    return conta >= b.qn;
}

namespace {
void svuota(grid::Grid& g) { g.setRighe(1); }

Esito erroreElementi()
{
    return Messaggio{std::string(TestoErroreElementi), "Avviso", Icona::Informazione};
}
}

Esito RicavaEstrazioni(Banco& b, const archive::Archivio& a)
{
    const int R = b.riferimento;
    const int tipo = static_cast<int>(b.rilevazione);
    if (R < 1 || R > a.NumeroEstrazioni || b.ruotaBase < 0 || b.ruotaBase >= archive::NumeroRuote || tipo < 0 ||
        tipo > 7 || b.numeroCasi < 1 || b.mensile < 0 || b.mensile > 31 || b.qn < 1 || b.qn > 5)
        return erroreElementi();

    const NumeriVoluti voluti = b.rilevazione == Rilevazione::Mensile ? NumeriVoluti{} : leggiNumeriVoluti(b.numeri);
    // Without a number no draw can qualify: an empty list of cases would pass for a real finding.
    if (b.rilevazione != Rilevazione::Mensile && voluti.vuoto())
        return Messaggio{"Attenzione ! la rilevazione " + std::string(NomiRilevazione[static_cast<std::size_t>(tipo)])
                             + " richiede dei numeri: sceglierli nella tabella dei numeri.",
                         "Avviso", Icona::Informazione};

    impostaCasi(b, a, {});
    b.casiRicavatiCon = impostazioniCasi(b);
    int trovati = 0;
    std::array<bool, 6> colpite{};
    for (int d = R; d >= 1 && trovati < b.numeroCasi; --d) {
        if (!qualifica(b, a, voluti, d, colpite))
            continue;
        const int r = aggiungiCaso(b, a, d);
        ++trovati;
        for (int p = 1; p <= 5; ++p)
            b.datiCasi[static_cast<std::size_t>(r - 1)].colpite[static_cast<std::size_t>(p - 1)] = colpite[p];
    }

    if (trovati > 0) {
        b.casiRicavati = true;
        azzeraFgX(b);
        for (auto& riga : b.Fg5)
            riga.svuota();
        b.casiEvidenziati = true;
        b.righeVerifica.clear();
        b.righeElabora.clear();
        svuota(b.FgEsiti);
        svuota(b.FgGr);
        b.esiti.clear();
        b.abbinamenti.clear();
        b.esitoScelto = b.abbinamentoScelto = 0;
        b.riepilogo.reset();
    }
    return std::nullopt;
}

namespace {

// The case settings kept alike by the Banco and by ImpostazioniCasi, copied from one to the other.
template <class Da, class A>
void copiaImpostazioniCasi(const Da& da, A& a)
{
    a.riferimento = da.riferimento;
    a.ruotaBase = da.ruotaBase;
    a.posizioni = da.posizioni;
    a.rilevazione = da.rilevazione;
    a.numeri = da.numeri;
    a.qn = da.qn;
    a.numeroCasi = da.numeroCasi;
    a.mensile = da.mensile;
    a.forzaUltima = da.forzaUltima;
    a.colpi = da.colpi;
    a.ruote = da.ruote;
}

}

ImpostazioniCasi impostazioniCasi(const Banco& b)
{
    ImpostazioniCasi i;
    copiaImpostazioniCasi(b, i);
    // Mensile reads no numbers: a leftover text does not make its cases stale.
    if (b.rilevazione == Rilevazione::Mensile)
        i.numeri.clear();
    return i;
}

int aggiungiCaso(Banco& b, const archive::Archivio& a, int d)
{
    b.casi.push_back(d);
    const int r = numeroCasi(b);
    b.datiCasi.resize(b.casi.size());
    DatiCaso& dati = b.datiCasi.back();
    dati = {};
    if (d < 1 || d > a.NumeroEstrazioni)
        return r;
    dati.data = a.DateEstrazioni[static_cast<std::size_t>(d)];
    if (b.ruotaBase < 0 || b.ruotaBase >= archive::NumeroRuote)
        return r;
    dati.ruota = b.ruotaBase;
    for (int p = 1; p <= 5; ++p)
        dati.numeri[static_cast<std::size_t>(p - 1)] = a.numero(d, b.ruotaBase, p);
    return r;
}

void impostaCasi(Banco& b, const archive::Archivio& a, const std::vector<int>& estrazioni)
{
    b.casi.clear();
    b.datiCasi.clear();
    b.casiRicavati = b.casiEvidenziati = false;
    b.casiCoperti.clear();
    for (int d : estrazioni)
        aggiungiCaso(b, a, d);
}

void applicaImpostazioniCasi(Banco& b, const ImpostazioniCasi& i) { copiaImpostazioniCasi(i, b); }

RinnovoCasi rinnovaCasi(Banco& b, const archive::Archivio& a)
{
    RinnovoCasi esito;
    if (!b.casiRicavatiCon || *b.casiRicavatiCon == impostazioniCasi(b))
        return esito;
    const std::vector<int> prima = b.casi;
    const int livello = b.livelloFgX;
    // What belongs to the cases: kept when the same draws come back.
    const std::vector<engine::Mattone> Fg5 = b.Fg5;
    const grid::Grid FgEsiti = b.FgEsiti, FgGr = b.FgGr;
    const std::vector<int> casi = b.casi;
    const std::vector<DatiCaso> datiCasi = b.datiCasi;
    const bool ricavati = b.casiRicavati, evidenziati = b.casiEvidenziati;
    const std::vector<engine::NumeriCaso> numeriCasi = b.numeriCasi;
    const std::vector<std::array<bool, 5>> numeriUsciti = b.numeriUsciti;
    const std::vector<bool> coperti = b.casiCoperti;
    const std::vector<RigaEsito> esiti = b.esiti, abbinamenti = b.abbinamenti;
    const int esitoScelto = b.esitoScelto, abbinamentoScelto = b.abbinamentoScelto;
    esito.rinnovati = true;
    esito.esito = RicavaEstrazioni(b, a);
    if (esito.esito)
        return esito;
    if (b.casi == prima) {
        b.casi = casi;
        b.datiCasi = datiCasi;
        b.casiRicavati = ricavati;
        b.casiEvidenziati = evidenziati;
        b.casiCoperti = coperti;
        b.numeriCasi = numeriCasi;
        b.numeriUsciti = numeriUsciti;
        b.Fg5 = Fg5;
        b.FgEsiti = FgEsiti;
        b.FgGr = FgGr;
        b.esiti = esiti;
        b.abbinamenti = abbinamenti;
        b.esitoScelto = esitoScelto;
        b.abbinamentoScelto = abbinamentoScelto;
        b.livelloFgX = livello;
    } else if (livello >= 1 && numeroCasi(b) > 0) {
        esito.esito = verificaLivello(b, a, livello);
    }
    return esito;
}

std::optional<std::string> mancaPerRicerca(const Banco& b, TipoRicerca tipo)
{
    if (numeroCasi(b) == 0)
        return b.casiRicavatiCon ? "Nessun caso con queste impostazioni: cambiare la rilevazione e premere RICAVA ESTRAZIONI."
                                 : "Nessun caso su cui cercare: premere prima RICAVA ESTRAZIONI.";
    if (auto manca = mancaOperatore(b))
        return manca;
    if (const int sorte = sorteDi(tipo); descrizione(tipo).abbina) {
        // The most numbers a case plays: the pair search adds one to them.
        int numeri = 0;
        for (int r = 1; r <= static_cast<int>(b.numeriCasi.size()); ++r) {
            int n = 0;
            for (int c = 1; c <= 5; ++c) {
                const int x = numeroDelCaso(b, r, c);
                n += x >= 1 && x <= 90;
            }
            numeri = std::max(numeri, n);
        }
        if (numeri == 0)
            return std::string("Nessun numero dei casi da abbinare: verificare prima un livello della piramide.");
        if (numeri + 1 < sorte)
            return "La sorte " + std::to_string(sorte) + " chiede almeno " + std::to_string(sorte - 1)
                   + " numeri per caso, ma il livello verificato ne dà " + std::to_string(numeri) + ".";
    }
    return std::nullopt;
}

std::optional<std::string> mancaOperatore(const Banco& b)
{
    if (operatoriSceltiPresenti(b))
        return std::nullopt;
    return std::string("Nessun operatore scelto: sceglierne almeno uno nella scheda Operatori (doppio clic o tipo).");
}

std::optional<std::string> mancaPerImposta(const Banco& b, TipoRicerca tipo)
{
    const RigaEsito* riga = rigaCorrenteRisultati(b, tipo);
    if (!riga || riga->vuota())
        return std::string("Nessuna formula scelta: selezionare una riga dei risultati prima di Imposta.");
    const int m = b.mattoneCorrente;
    if (m < 1 || m > engine::NumeroMattoni)
        return std::string("Nessun mattone scelto: selezionare il mattone della piramide che riceve la formula.");
    return std::nullopt;
}

std::optional<std::string> mancaPerElabora(const Banco& b)
{
    for (const auto& livello : b.livelliElabora)
        if (livello.incluso)
            return std::nullopt;
    return std::string("Nessun livello scelto: segnare in verde almeno un livello prima di ELABORA.");
}

}
