// The run of draws of the predictive pyramid.
#include "predictive/SceltaIntervallo.h"

#include "grid/Grid.h"

#include <algorithm>
#include <charconv>

namespace predictive {

void SceltaIntervallo::apri(int massimo)
{
    massimo_ = std::max(massimo, 0);
    fine_ = massimo_;
    inizio_ = std::min(std::max(massimo_ - UltimeEstrazioni[0] + 1, 1), massimo_);
}

void SceltaIntervallo::setInizio(int valore)
{
    if (massimo_ < 1)
        return;
    inizio_ = std::clamp(valore, 1, massimo_);
    if (inizio_ > fine_)
        fine_ = inizio_;
}

void SceltaIntervallo::setFine(int valore)
{
    if (massimo_ < 1)
        return;
    fine_ = std::clamp(valore, 1, massimo_);
    if (fine_ < inizio_)
        inizio_ = fine_;
}

void SceltaIntervallo::inizioAllUltima(int massimoAttuale)
{
    if (massimo_ < massimoAttuale)
        massimo_ = massimoAttuale;
    // The last draw of today's archive: after a deletion the bars may still reach further.
    setInizio(massimoAttuale);
}

void SceltaIntervallo::fineAllUltima(int massimoAttuale)
{
    if (massimo_ < massimoAttuale)
        massimo_ = massimoAttuale;
    // The last draw of today's archive: after a deletion the bars may still reach further.
    setFine(massimoAttuale);
}

void SceltaIntervallo::setMassimo(int massimoAttuale)
{
    massimo_ = std::max(massimoAttuale, 0);
    if (massimo_ < 1) {
        inizio_ = fine_ = 0;
        return;
    }
    fine_ = std::clamp(fine_, 1, massimo_);
    inizio_ = std::clamp(inizio_, 1, fine_);
}

bool SceltaIntervallo::ultimeEst(int quante)
{
    if (fine_ - quante + 1 < RunMinimo)
        return false;
    setInizio(fine_ - quante + 1);
    return true;
}

bool SceltaIntervallo::ultimeTesto(std::string_view testo)
{
    const double letto = grid::leggiNumero(testo);
    // An empty box reads 0: "the last 0 draws" would put the start past the end.
    if (letto < 1 || letto > 99999)
        return false;
    const int quante = static_cast<int>(letto);
    if (fine_ - quante <= RunMinimo)
        return false;
    setInizio(fine_ - quante + 1);
    return true;
}

int massimoScelta(const archive::Archivio& a)
{
    // The scroll bars must not run past the model archive: a position beyond M has no draw.
    return std::min<int>(a.NumeroEstrazioniModello, static_cast<int>(a.ArchivioModello.size()) - 1);
}

std::optional<int> posizioneDigitata(std::string_view testo, int massimo)
{
    while (!testo.empty() && testo.front() == ' ')
        testo.remove_prefix(1);
    while (!testo.empty() && testo.back() == ' ')
        testo.remove_suffix(1);
    int valore = 0;
    const auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), valore);
    if (testo.empty() || errore != std::errc() || fine != testo.data() + testo.size())
        return std::nullopt;
    if (valore < 1 || valore > massimo)
        return std::nullopt;
    return valore;
}

std::optional<int> cercaData(const archive::Archivio& a, std::string_view testo)
{
    if (testo.empty())
        return std::nullopt;
    for (int d = 1; d <= a.NumeroEstrazioni; ++d) {
        if (a.DateEstrazioni[d] != testo)
            continue;
        // The run is made of model archive positions: find the one that holds draw d.
        const int m = massimoScelta(a);
        for (int k = 1; k <= m; ++k)
            if (a.ArchivioModello[k] == d)
                return k;
        return std::nullopt;
    }
    return std::nullopt;
}

std::string testoEstremo(const archive::Archivio& a, int posizione)
{
    if (posizione < 1 || posizione > massimoScelta(a))
        return std::string();
    return std::to_string(posizione) + " " + a.DateEstrazioni[a.ArchivioModello[posizione]];
}

}
