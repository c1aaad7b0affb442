// The predictive pyramid: count, statistics, ranking, layouts, labels.
#include "predictive/PiramidePrevisionale.h"

#include <algorithm>
#include <numeric>

namespace predictive {

namespace {
constexpr int ColonneFG2 = colFG2::Frequenza + 1;
constexpr int Numeri = 90;
}

Ruote ruoteIniziali()
{
    Ruote ruote{};
    ruote[0] = true;
    return ruote;
}

void commutaRuota(Ruote& ruote, int ruota)
{
    if (ruota < 0 || ruota >= archive::NumeroRuote)
        return;
    ruote[static_cast<std::size_t>(ruota)] = !ruote[static_cast<std::size_t>(ruota)];
}

void selezionaRuote(Ruote& ruote, bool tutte) { ruote.fill(tutte); }

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

std::string formatoIntervallo(int centesimi, char separatore)
{
    const int intero = centesimi / 100;
    const int cent = centesimi % 100;
    std::string t = intero ? std::to_string(intero) : std::string();
    t += separatore;
    t += static_cast<char>('0' + cent / 10);
    t += static_cast<char>('0' + cent % 10);
    return t;
}

std::string testoFG2(const RigaStatistiche& s, int colonna, char separatore)
{
    switch (colonna) {
    case colFG2::Numero: return std::to_string(s.numero);
    case colFG2::Ritardo: return std::to_string(s.ritardo);
    case colFG2::Presenze: return std::to_string(s.presenze);
    case colFG2::Frequenza: return s.frequenzaCentesimi ? formatoIntervallo(*s.frequenzaCentesimi, separatore) : "";
    default: return {};
    }
}

std::optional<grid::Colore> sfondoFG2(int colonna)
{
    switch (colonna) {
    case colFG2::Ritardo: return GialloChiaro;
    case colFG2::Presenze: return VerdeChiaro;
    case colFG2::Frequenza: return CianoChiaro;
    default: return std::nullopt;
    }
}

void scriviRigaFG2(grid::Grid& FG2, int riga, const RigaStatistiche& s, char separatore)
{
    for (int c = colFG2::Numero; c <= colFG2::Frequenza; ++c)
        FG2.setTesto(riga, c, testoFG2(s, c, separatore));
    FG2.setGrassetto(riga, colFG2::Numero, true);
}

std::string testoFg1(const RigaPiramide& riga, int colonna)
{
    if (colonna < 0 || colonna >= static_cast<int>(riga.size()))
        return {};
    return std::to_string(riga[static_cast<std::size_t>(colonna)]);
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

std::vector<RigaPiramide> PiramidePrevisionale::righeFg1() const
{
    std::vector<RigaPiramide> righe(static_cast<std::size_t>(livello_));
    for (std::size_t r = 0; r < righe.size() && r < piramide.size(); ++r)
        righe[r] = piramide[r];
    return righe;
}

void PiramidePrevisionale::preparaFg1(int livello)
{
    livello_ = livello;
    Fg1.setRighe(livello);
    Fg1.setColonne(livello);
    for (int r = 0; r < livello; ++r)
        for (int c = 0; c < livello; ++c)
            Fg1.setTesto(r, c, "");
    for (int c = 0; c < livello; ++c)
        Fg1.setAllineamento(c, grid::Allineamento::Centro);
}

std::optional<Avviso> PiramidePrevisionale::CalcolaPiramidePrevisionale(const archive::Archivio& a, const Ruote& ruote,
                                                                        const Ingresso& in)
{
    if (std::none_of(ruote.begin(), ruote.end(), [](bool s) { return s; }))
        return NessunaRuota;

    const int L = std::clamp(in.livello, LivelloMinimo, LivelloMassimo);

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

    statistiche.clear();
    for (const int n : ordine) {
        const std::optional<int> frequenza = centesimi[n] >= 0 ? std::optional<int>(centesimi[n]) : std::nullopt;
        statistiche.push_back({n, ritardo[n], conta.presenze[n], frequenza});
    }
    classifica.assign(ordine.begin(), ordine.end());
    // The Capogioco heads every row: it leaves the ranking, whose first numbers fill the rest.
    if (in.capogioco != 0)
        classifica.erase(std::remove(classifica.begin(), classifica.end(), in.capogioco), classifica.end());
    piramide.assign(static_cast<std::size_t>(L), {});
    std::size_t rango = 0;
    for (int i = 0; i < L; ++i) {
        auto& riga = piramide[static_cast<std::size_t>(i)];
        if (in.capogioco != 0)
            riga.push_back(in.capogioco);
        while (static_cast<int>(riga.size()) <= i && rango < classifica.size())
            riga.push_back(classifica[rango++]);
    }
    preparaFg1(L);
    scriviGriglie();

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
    for (const auto& riga : piramide)
        for (const int n : riga)
            inPiramide[static_cast<std::size_t>(n)] = true;

    MostraPiramide();
    return std::nullopt;
}

void PiramidePrevisionale::scriviGriglie()
{
    FG2.setRighe(1);
    FG2.setRighe(static_cast<int>(statistiche.size()) + 1);
    for (std::size_t i = 0; i < statistiche.size(); ++i)
        scriviRigaFG2(FG2, static_cast<int>(i) + 1, statistiche[i], separatoreDecimale);
    if (!statistiche.empty()) {
        const int ultima = static_cast<int>(statistiche.size());
        for (int c = colFG2::Numero; c <= colFG2::Frequenza; ++c)
            if (const auto colore = sfondoFG2(c))
                FG2.setSfondo(1, c, ultima, c, *colore);
    }
    FG3.setRighe(1);
    FG3.setRighe(static_cast<int>(classifica.size()) + 1);
    for (std::size_t i = 0; i < classifica.size(); ++i)
        FG3.setNumero(static_cast<int>(i) + 1, 1, classifica[i]);
    const auto righe = righeFg1();
    for (std::size_t r = 0; r < righe.size(); ++r)
        for (int c = 0; c < Fg1.colonne(); ++c)
            Fg1.setTesto(static_cast<int>(r), c, testoFg1(righe[r], c));
}

void PiramidePrevisionale::MostraPiramide()
{
    AzzeraLabel();
    for (std::size_t r = 0; r < etichette.size() && r < piramide.size(); ++r)
        for (std::size_t j = 0; j < piramide[r].size() && j < etichette[r].size(); ++j)
            etichette[r][j].testo = std::to_string(piramide[r][j]);
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
    statistiche.clear();
    piramide.clear();
    valoriGrafico.clear();
    inPiramide.fill(false);
}

void PiramidePrevisionale::cambiaCapogioco() { scartaRisultati(); }

void PiramidePrevisionale::cambiaLivello(int livello)
{
    preparaFg1(std::clamp(livello, LivelloMinimo, LivelloMassimo));
    scartaRisultati();
}

void PiramidePrevisionale::cambiaCriterio()
{
    scartaRisultati();
    AzzeraLabel();
}

}
