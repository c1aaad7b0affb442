// The run of draws of the predictive pyramid: the two scroll bars, the quick runs
// (LblEST, Command13), the position and date searches and the texts of LabelInizio/LabelFine.
#pragma once

#include "archive/Archivio.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace predictive {

// Captions of LblEST(0..4): the last 180 .. 3600 draws up to the end.
inline constexpr std::array<int, 5> UltimeEstrazioni = {180, 360, 720, 1800, 3600};
// A run shorter than this is not worth a ranking, so the quick runs leave the run alone.
constexpr int RunMinimo = 100;

inline const std::string PromptPosizione = "Inserire il n° indice dell'archivio modello.";
inline const std::string TitoloPosizione = "Scelta estrazione";
inline const std::string PromptData = "Data ?";
inline const std::string TitoloData = "Cerca data";
inline const std::string DataNonTrovata = "Data non trovata";

// start..end as positions 1..massimo of the model archive; inizio <= fine always holds.
class SceltaIntervallo {
public:
    // Opening: both bars run to `massimo`, the run is the last 180 positions
    // (from position 1 when there are fewer).
    void apri(int massimo);

    int inizio() const { return inizio_; }
    int fine() const { return fine_; }
    int massimo() const { return massimo_; }

    // Moving a bar: the value is kept inside 1..massimo, and the other bar follows
    // when the run would turn over.
    void setInizio(int valore);
    void setFine(int valore);

    // Command5 / Command9: the archive may have grown since opening, so the bars first
    // reach the current last position.
    void inizioAllUltima(int massimoAttuale);
    void fineAllUltima(int massimoAttuale);
    // The archive was reloaded with `massimoAttuale` positions: the run stays inside it.
    void setMassimo(int massimoAttuale);

    // LblEST: start = end - v + 1 when that position is at least 100; false when the
    // run stays as it was.
    [[nodiscard]] bool ultimeEst(int quante);
    // Command13 with the text of Txt_Ultime: the last v draws when end - v > 100.
    [[nodiscard]] bool ultimeTesto(std::string_view testo);

private:
    int inizio_ = 0;
    int fine_ = 0;
    int massimo_ = 0;
};

// Scroll bar range for an archive: the positions the model archive really has.
int massimoScelta(const archive::Archivio& a);

// A typed position: a whole number 1..massimo, anything else gives nothing.
std::optional<int> posizioneDigitata(std::string_view testo, int massimo);

// Date search: the position of the first draw whose date text equals `testo` exactly
// ("1/2/2020" does not match "01/02/2020"); nothing when no draw of the model archive has it.
std::optional<int> cercaData(const archive::Archivio& a, std::string_view testo);

// LabelInizio / LabelFine: the position, one blank and the date of its draw.
std::string testoEstremo(const archive::Archivio& a, int posizione);

}
