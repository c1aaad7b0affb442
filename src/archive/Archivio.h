// The process-wide draw archive: numbers, dates, monthly and yearly ordinals, model archive.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace archive {

constexpr int MaxEstrazioni = 9999;   // capacity of the tables: draw indices 0..9999
constexpr int NumeroRuote = 11;       // Bari .. Nazionale
constexpr int Tutte = 11;             // "TU": all wheels, never a real wheel
// The first draw of the Nazionale wheel, "AAAA-MM-GG": no earlier draw has numbers on it.
constexpr std::string_view PrimaNazionaleIso = "2005-05-04";
constexpr std::string_view PrimaNazionale = "04/05/2005";

// Wheel codes by wheel index 0..11 ("BA" .. "NZ", then "TU").
extern const std::array<std::string_view, 12> SigleRuote;
// Full wheel names by wheel index 0..10 ("Bari" .. "Nazionale").
extern const std::array<std::string_view, 11> NomiRuote;

// Wheel index of a wheel code: upper-cased, first two characters compared with
// "BA" .. "VE", "NZ". Anything else yields no index ("TU" included).
std::optional<int> IndiceRuota(std::string_view testo);
// Wheel index of a wheel code as a user or a file writes it: exactly two letters, any case,
// ours ("BA" .. "VE", "RO", "NZ") or the historical file's "RM" (Roma) and "RN" (Nazionale).
std::optional<int> RuotaDaCodice(std::string_view codice);

// A number as the wheel fields write it: at least two digits ("07", "90"); larger numbers
// keep all their digits.
std::string dueCifre(int n);
// '0' .. '9' only: no locale, no other script's digits.
constexpr bool cifra(char c) { return c >= '0' && c <= '9'; }

// A stored field the loader did not take as it is: a number outside 1..90 (read as
// missing, 0) or a row whose date is not a real day (left out). The file is not changed.
struct DatoScartato {
    int estrazione = 0;         // the draw index the row was given; 0 for a row left out
    std::string data;           // "GG/MM/AAAA", or a printable excerpt of the stored date of a row left out
    std::string descrizione;    // Italian: what was not taken
};

// The tables of the archive. Draw index 0 never holds a draw.
// Numbers are kept in one flat array so that hot loops read them by index:
// Estrazioni[d][w][p] lives at (d * 11 + w) * 6 + p, position 0 unused.
class Archivio {
public:
    Archivio();

    // Estrazioni[d][w][p]: 1..90, or 0 where the wheel has no number.
    std::int16_t numero(int d, int w, int p) const { return numeri_[indice(d, w, p)]; }
    void setNumero(int d, int w, int p, std::int16_t n) { numeri_[indice(d, w, p)] = n; }
    // The five numbers of wheel w in draw d, positions 1..5 at [1..5].
    const std::int16_t* ruota(int d, int w) const { return &numeri_[indice(d, w, 0)]; }
    // Wheel w was drawn in draw d: some position holds a number. Cagliari and Genova are
    // missing in early 1939, the Nazionale before 4 May 2005 (all five 0).
    bool ruotaEstratta(int d, int w) const
    {
        const std::int16_t* n = ruota(d, w);
        return n[1] != 0 || n[2] != 0 || n[3] != 0 || n[4] != 0 || n[5] != 0;
    }

    // Resets every table to the state before the first load (N = 0, M = 0).
    void azzera();

    std::vector<std::string> DateEstrazioni;   // 0..9999, "GG/MM/AAAA"
    std::vector<std::int16_t> ProgressivoMese;  // 0..9999
    std::vector<std::int16_t> ProgressivoAnno;  // 0..9999
    int NumeroEstrazioni = 0;                   // N
    int EstrazioneIniziale = 0;                 // first draw of the model archive
    std::vector<std::int16_t> ArchivioModello;  // 0..M, entry 0 holds no draw
    int NumeroEstrazioniModello = 0;            // M
    std::vector<DatoScartato> DatiScartati;     // what the last load could not take, in date order

    // After a reload by archive maintenance the model archive covers every draw.
    void modelloCompleto();

    static constexpr std::size_t indice(int d, int w, int p)
    {
        return (static_cast<std::size_t>(d) * NumeroRuote + static_cast<std::size_t>(w)) * 6 + static_cast<std::size_t>(p);
    }

private:
    std::vector<std::int16_t> numeri_;
};

// The one archive the program works on, owned by the process.
Archivio& archivioGlobale();

}
