// The predictive pyramid: count, statistics, ranking, layouts, labels.
#include "predictive/PiramidePrevisionale.h"

#include <algorithm>
#include <numeric>

namespace predictive {

namespace {
constexpr int ColonneFG2 = colFG2::Frequenza + 1;
constexpr int Numeri = 90;
}

void preparaFgR(grid::Grid& FgR)
{
    FgR.setRighe(1);
    FgR.setColonne(archive::NumeroRuote);
    for (int w = 0; w < archive::NumeroRuote; ++w) {
        FgR.setTesto(0, w, archive::SigleRuote[w]);
        FgR.setAllineamento(w, grid::Allineamento::Centro);
        FgR.setSfondo(0, w, w == 0 ? grid::colori::Verde : grid::colori::Bianco);
    }
}

void commutaRuota(grid::Grid& FgR, int ruota)
{
    if (ruota < 0 || ruota >= archive::NumeroRuote)
        return;
    FgR.setSfondo(0, ruota, FgR.sfondo(0, ruota) == grid::colori::Verde ? grid::colori::Bianco : grid::colori::Verde);
}

void selezionaRuote(grid::Grid& FgR, bool tutte)
{
    FgR.setSfondo(0, 0, 0, archive::NumeroRuote - 1, tutte ? grid::colori::Verde : grid::colori::Bianco);
}

std::array<bool, archive::NumeroRuote> ruoteSelezionate(const grid::Grid& FgR)
{
    std::array<bool, archive::NumeroRuote> s{};
    for (int w = 0; w < archive::NumeroRuote; ++w)
        s[w] = FgR.sfondo(0, w) == grid::colori::Verde;
    return s;
}

Conteggio contaPresenze(const archive::Archivio& a, int inizio, int fine,
                        const std::array<bool, archive::NumeroRuote>& ruote)
{
    Conteggio c;
    // A position outside the model archive has no draw behind it.
    inizio = std::max(inizio, 1);
    fine = std::min(fine, a.NumeroEstrazioniModello);
    std::array<int, archive::NumeroRuote> scelte{};
    int quante = 0;
    for (int w = 0; w < archive::NumeroRuote; ++w)
        if (ruote[w])
            scelte[quante++] = w;
    for (int k = inizio; k <= fine; ++k) {
        const int d = a.ArchivioModello[k];
        for (int i = 0; i < quante; ++i) {
            const std::int16_t* r = a.ruota(d, scelte[i]);
            for (int p = 1; p <= 5; ++p) {
                const int n = r[p];
                if (n >= 1 && n <= Numeri) {
                    ++c.presenze[n];
                    c.ultima[n] = k;   // k increases, so the latest position stays
                }
            }
        }
    }
    return c;
}

std::optional<int> intervalloCentesimi(int inizio, int fine, int presenze)
{
    if (presenze <= 0)
        return std::nullopt;
    const long long num = static_cast<long long>(fine - inizio) * 100;
    return static_cast<int>((2 * num + presenze) / (2LL * presenze));
}

std::string formatoIntervallo(int centesimi)
{
    const int intero = centesimi / 100;
    const int cent = centesimi % 100;
    std::string t = intero ? std::to_string(intero) : std::string();
    t += '.';
    t += static_cast<char>('0' + cent / 10);
    t += static_cast<char>('0' + cent % 10);
    return t;
}

void scriviRigaFG2(grid::Grid& FG2, int riga, const RigaStatistiche& s)
{
    FG2.setNumero(riga, colFG2::Numero, s.numero);
    FG2.setGrassetto(riga, colFG2::Numero, true);
    FG2.setNumero(riga, colFG2::Ritardo, s.ritardo);
    FG2.setNumero(riga, colFG2::Presenze, s.presenze);
    FG2.setTesto(riga, colFG2::Frequenza, s.frequenza);
}

RigaStatistiche leggiRigaFG2(const grid::Grid& FG2, int riga)
{
    return RigaStatistiche{FG2.intero(riga, colFG2::Numero), FG2.intero(riga, colFG2::Ritardo),
                           FG2.intero(riga, colFG2::Presenze), FG2.testo(riga, colFG2::Frequenza)};
}

PiramidePrevisionale::PiramidePrevisionale()
    : FG2(1, ColonneFG2)
    , FG3(1, 2)
    , Fg1(LivelloIniziale, LivelloIniziale)
{
    FG2.setIntestazione("|Numero|Ritardo|Presenze|Frequenza");
    FG3.setIntestazione("|Classifica");
    for (int c = 1; c < ColonneFG2; ++c)
        FG2.setAllineamento(c, grid::Allineamento::Centro);
    FG3.setAllineamento(1, grid::Allineamento::Centro);
    for (int c = 0; c < Fg1.colonne(); ++c)
        Fg1.setAllineamento(c, grid::Allineamento::Centro);
}

std::optional<Avviso> PiramidePrevisionale::CalcolaPiramidePrevisionale(const archive::Archivio& a,
                                                                        const grid::Grid& FgR, const Ingresso& in)
{
    const auto ruote = ruoteSelezionate(FgR);
    if (std::none_of(ruote.begin(), ruote.end(), [](bool s) { return s; }))
        return NessunaRuota;

    const int L = std::clamp(in.livello, LivelloMinimo, LivelloMassimo);
    Fg1.setRighe(L);
    Fg1.setColonne(L);
    for (int r = 0; r < L; ++r)
        for (int c = 0; c < L; ++c)
            Fg1.setTesto(r, c, "");
    for (int c = 0; c < L; ++c)
        Fg1.setAllineamento(c, grid::Allineamento::Centro);

    const Conteggio conta = contaPresenze(a, in.inizio, in.fine, ruote);

    // Per-number values; the interval key is the hundredths the cell shows, so that
    // numbers whose texts read alike tie, and an empty cell (-1) sorts after ".00".
    std::array<int, 91> ritardo{}, centesimi{};
    for (int n = 1; n <= Numeri; ++n) {
        ritardo[n] = in.fine - conta.ultima[n];   // never drawn: the end position itself
        centesimi[n] = intervalloCentesimi(in.inizio, in.fine, conta.presenze[n]).value_or(-1);
    }
    auto chiave = [&](int n) {
        switch (in.criterio) {
        case Criterio::Presenze: return conta.presenze[n];
        case Criterio::Frequenza: return centesimi[n];
        case Criterio::Ritardo: break;
        }
        return ritardo[n];
    };
    // Stable: equal keys keep ascending number order, so the pyramid is reproducible.
    std::array<int, Numeri> ordine{};
    std::iota(ordine.begin(), ordine.end(), 1);
    std::stable_sort(ordine.begin(), ordine.end(), [&](int x, int y) { return chiave(x) > chiave(y); });

    FG2.setRighe(1);
    FG2.setRighe(Numeri + 1);
    FG3.setRighe(1);
    FG3.setRighe(Numeri + 1);
    for (int r = 1; r <= Numeri; ++r) {
        const int n = ordine[r - 1];
        scriviRigaFG2(FG2, r,
                      {n, ritardo[n], conta.presenze[n], centesimi[n] >= 0 ? formatoIntervallo(centesimi[n]) : ""});
        FG3.setNumero(r, 1, n);
    }
    FG2.setSfondo(1, colFG2::Ritardo, Numeri, colFG2::Ritardo, GialloChiaro);
    FG2.setSfondo(1, colFG2::Presenze, Numeri, colFG2::Presenze, VerdeChiaro);
    FG2.setSfondo(1, colFG2::Frequenza, Numeri, colFG2::Frequenza, CianoChiaro);

    if (in.capogioco != 0) {
        const std::string capo = std::to_string(in.capogioco);
        for (int r = 1; r < FG3.righe(); ++r)
            if (FG3.testo(r, 1) == capo) {
                FG3.rimuoviRiga(r);
                break;
            }
        int rango = 0;
        for (int i = 0; i < L; ++i) {
            Fg1.setTesto(i, 0, capo);
            for (int j = 1; j <= i; ++j)
                Fg1.setTesto(i, j, FG3.testo(++rango, 1));
        }
    } else {
        for (int i = 1; i <= L; ++i)
            for (int rango = primoRango(i); rango <= ultimoRango(i); ++rango)
                Fg1.setTesto(i - 1, rango - primoRango(i), FG3.testo(rango, 1));
    }

    criterioGrafico = in.criterio;
    valoriGrafico.assign(Numeri + 1, 0.0);
    for (int n = 1; n <= Numeri; ++n) {
        switch (in.criterio) {
        case Criterio::Ritardo: valoriGrafico[n] = ritardo[n]; break;
        case Criterio::Presenze: valoriGrafico[n] = conta.presenze[n]; break;
        case Criterio::Frequenza: valoriGrafico[n] = std::max(centesimi[n], 0) / 100.0; break;
        }
    }
    inPiramide.fill(false);
    for (int r = 0; r < Fg1.righe(); ++r)
        for (int c = 0; c <= r; ++c)
            if (const int n = Fg1.intero(r, c); n >= 1 && n <= Numeri)
                inPiramide[n] = true;

    MostraPiramide();
    return std::nullopt;
}

void PiramidePrevisionale::MostraPiramide()
{
    AzzeraLabel();
    for (int r = 0; r < RigheEtichette && r < Fg1.righe(); ++r)
        for (int j = 0; j <= r; ++j)
            etichette[r][j].testo = Fg1.testo(r, j);
}

void PiramidePrevisionale::EvidenziaDiagonale(int diagonale)
{
    for (auto& riga : etichette)
        for (auto& e : riga)
            e.sfondo = grid::colori::Bianco;
    if (diagonale < 0 || diagonale >= RigheEtichette)
        return;
    for (int r = diagonale; r < RigheEtichette; ++r)
        etichette[r][r - diagonale].sfondo = grid::colori::Giallo;
}

void PiramidePrevisionale::AzzeraLabel()
{
    for (auto& riga : etichette)
        for (auto& e : riga)
            e.testo.clear();
}

void PiramidePrevisionale::scartaRisultati()
{
    for (int r = 0; r < Fg1.righe(); ++r)
        for (int c = 0; c < Fg1.colonne(); ++c)
            Fg1.setTesto(r, c, "");
    FG2.setRighe(1);
    valoriGrafico.clear();
    inPiramide.fill(false);
}

void PiramidePrevisionale::cambiaCapogioco() { scartaRisultati(); }

void PiramidePrevisionale::cambiaLivello(int livello)
{
    const int L = std::clamp(livello, LivelloMinimo, LivelloMassimo);
    Fg1.setRighe(L);
    Fg1.setColonne(L);
    for (int c = 0; c < L; ++c)
        Fg1.setAllineamento(c, grid::Allineamento::Centro);
    scartaRisultati();
}

void PiramidePrevisionale::cambiaCriterio()
{
    scartaRisultati();
    AzzeraLabel();
}

}
