// A player's play, the Lotto's prize rule and what a play returns on average by chance alone.
#pragma once

#include "archive/Archivio.h"
#include "regole/Premi.h"

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plays {

// Sorte s = 1 (estratto) .. 5 (cinquina): the numbers of the play that must all be drawn on a wheel.
constexpr int NumeroSorti = regole::NumeroSorti;
constexpr int MassimoNumeri = 10;
// Names of the sorti, index s - 1.
extern const std::array<std::string_view, NumeroSorti> NomiSorti;

// Money in cents.
using Centesimi = std::int64_t;
// The largest amount the program shows, 92233720368547758,07 euro: a sum beyond it is refused
// with ImportoFuoriScala, never shown wrapped round to a negative figure.
constexpr Centesimi MassimoCentesimi = std::numeric_limits<Centesimi>::max();
class ImportoFuoriScala : public std::overflow_error {
public:
    ImportoFuoriScala();
};
// a + b and a - b, refused beyond MassimoCentesimi either way.
Centesimi somma(Centesimi a, Centesimi b);
Centesimi differenza(Centesimi a, Centesimi b);

// What the prize rule pays and keeps: a game's payout table, the Lotto's of today unless another
// is given. The program database's rows of ParametriProgramma can change it (leggiTariffe).
struct Tariffe : regole::TabellaPremi {
    Tariffe(const regole::TabellaPremi& tabella = regole::PremiLotto) : regole::TabellaPremi(tabella) {}
};

// "estratto 11,23, ambo 250, terno 4500, quaterna 120000, cinquina 6000000": the payouts per euro by sorte.
std::string testoPagheNominate(const regole::TabellaPremi& t);

struct Giocata {
    std::int64_t id = 0;                           // IdGiocata; 0 until stored
    std::vector<int> numeri;                       // 1..10 distinct numbers 1..90, as typed
    std::array<bool, archive::NumeroRuote> ruote{};
    std::array<Centesimi, NumeroSorti> poste{};    // stake of each sorte; 0 = not played
    std::string dal;                               // first draw played: the first on or after this day, GG/MM/AAAA
    int colpi = 1;                                 // draws played from the first one on
    bool finoAllaPrimaVincita = false;             // ends after the first draw with a win
    std::string annunciata;                        // GG/MM/AAAA of the last win announced; empty: none
    std::string note;
    std::int64_t gruppo = 0;                       // the IdGiocata of the first ticket of its system; 0: a play on its own
    bool operator==(const Giocata&) const = default;
};

// W: the wheels played (10 for "Tutte").
int numeroRuote(const Giocata& g);
// What one draw costs: the sum of the stakes (a stake covers all the wheels).
Centesimi costoPerEstrazione(const Giocata& g);
// Why the play cannot be played (Italian, naming the field), nothing when it can.
std::optional<std::string> difettoGiocata(const Giocata& g);

// An amount known exactly: `unita` parts of a cent out of UnitaPerCentesimo. Every prize of every
// play is a whole number of these (the levy, the payouts in hundredths, W up to 11 and
// C(n, s) up to 252 all divide it), so sums are exact and rounding happens once, at the end.
struct Importo {
    __int128 unita = 0;
    // Checked: ImportoFuoriScala when even 128 bits cannot hold the sum.
    Importo& operator+=(const Importo& altro);
    // Rounded to the nearest cent, halves away from zero; ImportoFuoriScala beyond MassimoCentesimi.
    Centesimi centesimi() const;
};
// 100 (payout hundredths) * 10000 (levy) * 27720 (any W) * 2520 (any C(n, s), n <= 10).
constexpr std::int64_t UnitaPerCentesimo = std::int64_t(100) * 10000 * 27720 * 2520;

// C(n, k), 0 outside 0 <= k <= n.
std::int64_t combinazioni(int n, int k);

// The gross prize of sorte s on one wheel with k of the n played numbers drawn:
// posta * paga * C(k, s) / C(n, s) / W.
Importo premioLordo(Centesimi posta, std::int64_t pagaCentesimi, int k, int s, int n, int w);
// The prize less the levy.
Importo premioNetto(const Importo& lordo, int ritenuta);

// The expected net prize per euro of stake by chance alone (0.574 for one number on one wheel):
// for each staked sorte the hypergeometric law of k drawn among the n played, 5 drawn of 90.
double resaAttesa(const Giocata& g, const Tariffe& t);

// One win: a sorte on a wheel of a played draw.
struct Vincita {
    int estrazione = 0;   // draw index
    std::string data;     // GG/MM/AAAA
    int colpo = 0;        // 1 = the first draw played
    int ruota = 0;        // wheel index
    int sorte = 0;        // 1..5
    int punti = 0;        // k
    Importo lordo, netto;
};

enum class Stato { InCorso, Vinta, Conclusa };
// "in corso", "vinta", "conclusa".
std::string testoStato(Stato s);

// The play checked against the archive.
struct EsitoGiocata {
    int colpiGiocati = 0;
    Stato stato = Stato::InCorso;
    Centesimi spesa = 0;          // cost per draw times colpi played
    Importo lordo, netto;         // sums of the wins
    // Both refused with ImportoFuoriScala beyond what can be shown.
    Centesimi vinto() const { return netto.centesimi(); }
    Centesimi saldo() const { return differenza(vinto(), spesa); }
    double resa = 0;              // resaAttesa
    std::size_t numeroVincite = 0;
    std::string ultimaVincita;    // GG/MM/AAAA of the last win; empty for none
    std::vector<Vincita> vincite; // by draw, wheel, sorte: only when asked to keep them
};

// Plays added up: the plays of one system (Giocata::gruppo), or the whole list.
struct TotaliGruppo {
    int giocate = 0;
    Centesimi spesa = 0;
    Centesimi vinto = 0;   // net, exact sum rounded once: rows rounded one by one can miss a cent
    Centesimi saldo() const { return differenza(vinto, spesa); }
};
// `esiti[i]` is the check of `giocate[i]`. Both refused with ImportoFuoriScala beyond what can be shown.
TotaliGruppo totaliGruppo(const std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti, std::int64_t gruppo);
TotaliGruppo totaliGiocate(const std::vector<EsitoGiocata>& esiti);

// Index of the first draw dated on or after `ggmmaaaa` (N + 1 when there is none).
int primaEstrazioneDal(const archive::Archivio& a, const std::string& ggmmaaaa);
// Checks the play against every draw of `a` from its first one. A wheel not drawn that day wins nothing.
// Each win goes to `ogniVincita` as it is found and is not kept: a play of ten numbers on every
// wheel for 9999 colpi wins some hundred thousand times.
EsitoGiocata verificaGiocata(const Giocata& g, const archive::Archivio& a, const Tariffe& t,
                             const std::function<void(const Vincita&)>& ogniVincita);
// The same keeping every win in `vincite`, for one play that is shown.
EsitoGiocata verificaGiocata(const Giocata& g, const archive::Archivio& a, const Tariffe& t);

// A win is announced once: Giocata::annunciata keeps the date of the last win told.
// A play being added: the wins the draws already hold are in its list, not news; annunciata
// becomes the date of the last of them.
void segnaGiaAnnunciate(Giocata& g, const archive::Archivio& a, const Tariffe& t);
// The wins dated after each play's annunciata, each to `ogni` (play by play, oldest first), and
// annunciata moved to the last of them. Only a play whose last win (`esiti[i]`, the check of
// `giocate[i]`) is news is checked again. Returns the IdGiocata and new date of each play moved,
// for segnaAnnunciate.
std::vector<std::pair<std::int64_t, std::string>> annunciaNuoveVincite(
    std::vector<Giocata>& giocate, const std::vector<EsitoGiocata>& esiti, const archive::Archivio& a, const Tariffe& t,
    const std::function<void(const Giocata&, const Vincita&)>& ogni);

// --- texts: the play file, the window and the database share them ---
// "1234,56", "-0,50": cents with a decimal comma, no thousands separator.
std::string testoEuro(Centesimi c);
// Euro as typed: "2", "0,50", "1.5"; two decimals at most, 0 .. 100000 euro. Nothing when malformed.
std::optional<Centesimi> leggiEuro(std::string_view testo);
// The same reading with another ceiling (in hundredths).
std::optional<std::int64_t> leggiCentesimiFino(std::string_view testo, std::int64_t massimo);
// "12-45-78", numbers in two digits as the player chose them.
std::string testoNumeri(const std::vector<int>& numeri);
// The numbers of "12-45-78" (also "12 45 78", "12,45"); nothing when a number is not 1..90 or is repeated,
// or when there are more than `massimo` (a play's ten; a system takes up to ninety).
std::optional<std::vector<int>> leggiNumeri(std::string_view testo, std::string& motivo, int massimo = MassimoNumeri);
// "BA,NA"; "TT" for the ten regional wheels.
std::string testoRuote(const std::array<bool, archive::NumeroRuote>& ruote);
// "Tutte" for the ten regional wheels, else "BA,NA".
std::string descrizioneRuote(const std::array<bool, archive::NumeroRuote>& ruote);
std::optional<std::array<bool, archive::NumeroRuote>> leggiRuote(std::string_view testo, std::string& motivo);
// "0,50/1/0/0/0".
std::string testoPoste(const std::array<Centesimi, NumeroSorti>& poste);
// "57,4%".
std::string testoPercentuale(double frazione);

}
