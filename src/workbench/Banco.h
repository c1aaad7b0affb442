// The pyramid workbench's state: the settings every command reads and the grids the window shows.
#pragma once

#include "archive/Archivio.h"
#include "engine/Mattone.h"
#include "engine/Verifica.h"
#include "grid/Grid.h"
#include "storage/ProgramDb.h"
#include "workbench/RigaEsito.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace workbench {

// ComboFiltro ("Tipo rilevazione"), in list order: the value is the list index.
enum class Rilevazione { Mensile = 0, Numeri, Distanza, Differenza, Somma, Decina, Figura, Cadenza };
// "Mensile" .. "Cadenza": the item texts of ComboFiltro.
extern const std::array<std::string_view, 8> NomiRilevazione;

// The message a command leaves for the window, which shows it as a modal box.
// The logic never shows anything itself.
enum class Icona { Informazione, Esclamazione, Critico };
struct Messaggio {
    std::string testo;
    std::string titolo;
    Icona icona = Icona::Informazione;
};
// What a command returns: nothing when it ran clean, else the one message to show.
using Esito = std::optional<Messaggio>;

// The shared texts of the workbench's error boxes.
inline constexpr std::string_view TestoErroreImpostazioni =
    "Probabile errore nelle impostazioni. Accertarsi di avere ricavato una base dati.";
inline constexpr std::string_view TestoErroreImprevisto = "Errore imprevisto. Controllare i dati inseriti.";
inline constexpr std::string_view TestoErroreElementi = "Attenzione ! controllare gli elementi inseriti.";

// Headers of the grids, as the window defines them (cells joined by '|').
namespace intestazioni {
inline constexpr std::string_view FgF = "Riga|Ri|Co|Tras|Tipo|E1|R|RU|E2|R|RU|VAL";
inline constexpr std::string_view Fg5 = "Num|Ri|Co|Tras|Tipo|E1|R|RU|E2|R|RU|VAL";
inline constexpr std::string_view FgEv = "Prog|N° est|Data Estraz  |Ru |1|2|3|4|5";
inline constexpr std::string_view FgX = "NC|1|2|3|4|5";
inline constexpr std::string_view FgL =
    "Prog|N° estr|Data Estraz  |Rif|Ru |C   |N1 |N2 |G1|G2|G3|G4|G5|S |1  |2  |3  |4  |5  ";
inline constexpr std::string_view Fg_E = "    |N°C|Pos|Neg|InG|1|2|3|4|5";
inline constexpr std::string_view FgY =
    "  |N° Estr|Data Estraz   |Rif|Ru  |C  |1|2|3|4|5|So|1|2|3|4|5|Prev";
inline constexpr std::string_view Fg10 =
    "  |N° Estr|Data Estraz   |Rif|Ruota|Colpo|1|2|3|4|5|So|1|2|3|4|5|Prev";
inline constexpr std::string_view FgEsiti = "  |Cop|Tot|Formula|P1|R| Ru1|Fix4|Operatore|P2|R2|Ru2|Val   ";
inline constexpr std::string_view FgEstratti = "RU|1|2|3|4|5";
// The operator catalogue as the query lists it; column 0 is the selection cell.
inline constexpr std::string_view FgOp = "|Oper|Tipo|P1|P2|R1|R2|Spiegazione";
inline constexpr std::string_view Fg7 = "S";
}

// Columns of FgEsiti and FgGr (the same layout; rows: RigaEsito, Ambate.h). Attesi, p and
// the forecast follow the window's own thirteen columns; the window hides the four indices.
namespace colEsiti {
constexpr int Cop = 1, Tot = 2, Formula = 3, P1 = 4, R1 = 5, Ru1 = 6, Fix4 = 7, Tipo = 8, P2 = 9, R2 = 10, Ru2 = 11,
              Val = 12, Attesi = 13, P = 14, Previsione = 15;
constexpr std::array<int, 4> Nascoste = {R1, Fix4, Tipo, R2};
}
// Columns of FgOp (rows: storage::RigaOperatore, Trasferimenti.h); Scelta is the red
// selection cell. The operator window's FG2 orders the wheels before the positions.
namespace colOp {
constexpr int Scelta = 0, Oper = 1, Tipo = 2, P1 = 3, P2 = 4, R1 = 5, R2 = 6, Spiegazione = 7;
}

// Colours of the workbench's grids. The selections (wheels, operators, levels, covered cases)
// are fields of the Banco: the window draws these colours from them, nothing reads them back.
namespace colori {
inline constexpr grid::Colore Selezione = grid::colori::Verde;        // wheel in play, level included, case covered
inline constexpr grid::Colore OperatoreScelto = grid::colori::Rosso;  // FgOp column-0 cell of a selected operator
inline constexpr grid::Colore VerdeChiaro = grid::rgb(128, 255, 128);   // hit positions of a case
inline constexpr grid::Colore GialloPallido = grid::rgb(255, 255, 192); // column 1 of the case rows
inline constexpr grid::Colore Ciano = grid::rgb(0, 255, 255);           // number chosen on FgNu
}

// A row of FgEstratti: one wheel of the reference draw and the cells coloured for the
// highlighted brick (its first reference yellow, its second green).
struct RigaEstratti {
    int ruota = 0;
    std::optional<std::array<int, 5>> numeri;   // none while R is not a draw
    int primo = 0, secondo = 0;                  // position 1..5 of a reference on this wheel; 0: none
    bool operator==(const RigaEstratti&) const = default;
};
// The text of column `colonna` of FgEstratti ("RU|1|2|3|4|5"): the wheel's code, then its numbers.
std::string testoEstratti(const RigaEstratti& r, int colonna);

// A level of the pyramid as ELABORA reads it (Fg7 row k shows level k).
struct LivelloElabora {
    bool incluso = false;   // green on Fg7
    int sorte = 1;          // the sorte required for the level; ELABORA refuses one outside 1..5
    bool operator==(const LivelloElabora&) const = default;
};

// What RICAVA ESTRAZIONI read to derive the cases now in FgEv, with the colpi and the
// wheels in play: a search or a verification on other settings first derives them again.
struct ImpostazioniCasi {
    int riferimento = 0;
    int ruotaBase = 0;
    std::array<bool, 5> posizioni{};
    Rilevazione rilevazione = Rilevazione::Mensile;
    std::string numeri;
    int qn = 0;
    int numeroCasi = 0;
    int mensile = 0;
    bool forzaUltima = false;
    int colpi = 0;
    std::array<bool, archive::NumeroRuote> ruote{};
    bool operator==(const ImpostazioniCasi&) const = default;
};

// What FgEv shows of a case beside its draw: the date and the numbers of the base wheel
// when the case was added (none for a draw outside the archive), the positions that made it
// a case (light green).
struct DatiCaso {
    std::string data;
    int ruota = -1;                  // the base wheel; -1: no wheel, no numbers
    std::array<int, 5> numeri{};
    std::array<bool, 5> colpite{};
    bool operator==(const DatiCaso&) const = default;
};

// A row of FgY: a row of a level's report. A further hit row of a case takes the case's
// draw and case number from the row above, as FgY shows them.
struct RigaElabora {
    int livello = 0;
    engine::RigaVerifica riga;
    bool primaDelCaso = false;   // the case's first row of the level: it shows the date and Prev
    bool operator==(const RigaElabora&) const = default;
};

// The summary Fg_E shows after VERIFICA ("S" and the sorte) or ELABORA ("EL"): the cases,
// those hit, those not hit, those not hit with colpi still to come, the hit cases by the
// best sorte reached (perSorte[1..5]).
struct RiepilogoVerifica {
    std::string titolo;
    int casi = 0, positivi = 0, negativi = 0, inGioco = 0;
    std::array<int, 6> perSorte{};
    bool elabora = false;   // ELABORA's: hit, not hit and in play coloured
    bool operator==(const RiepilogoVerifica&) const = default;
};

// Every control the workbench commands read, in plain form, and every grid the
// window shows. The window edits these members and displays the grids; the commands
// (Casi.h, Elabora.h and the searches) read and fill them. The selections are typed
// fields; the window's FgRG, FgOp, Fg7 and column 0 of FgEv only show them:
// - FgRG: one row, column w = wheel w (0..10) with its abbreviation, green when `ruote[w]`.
// - FgOp: rows 1.. = `operatori` (texts by testoOperatore, Trasferimenti.h); column 0 red when
//   the code is in `operatoriScelti`, the code green on row `rigaOperatore`.
// - Fg7: rows 1..5 = `livelliElabora[0..4]`, the sorte in column 0, green when included.
// - FgEv: rows 1.. = `casi`; column 0 green when the case is in `casiCoperti` (MARCA).
// - FgX: rows 1.. = `numeriCasi`, columns 1..5 its numbers (an empty cell has none), light
//   green where `numeriUsciti`.
// - FgL, FgY and Fg10: the reports, rows `righeVerifica`, `righeElabora` and `righePrimoColpo`
//   (their texts: engine::testoFgL, testoFgY); Fg_E: `riepilogo`.
struct Banco {
    Banco();

    // --- the settings (control in brackets) ---
    int riferimento = 0;                   // hs1: the reference draw R, 1..N
    int ruotaBase = 0;                     // ComboR1: base wheel index 0..10
    std::array<bool, 5> posizioni{true, true, true, true, true};  // LblPN(0..4) green = position 1..5 selected
    Rilevazione rilevazione = Rilevazione::Mensile;  // ComboFiltro
    std::string numeri;                    // TxtNumeri: two-digit numbers joined by "-" ("05-12-33")
    int qn = 1;                            // ComboQNu: matches a draw needs to become a case, 1..5
    int numeroCasi = 12;                   // ComboNC: wanted number of cases, 1..50
    int mensile = 2;                       // ComboPar list index: 0 = "U" (last of month), k = k-th draw of the month
    bool forzaUltima = false;              // Ch_ultima: "U" may take the newest draw of the archive
    int colpi = 8;                         // Combo3: 1..20
    int lista = 100;                       // ComboEle: rows kept by the searches, 100..1000
    int livello = 1;                       // ComboLivello value 1..5 (list index + 1): sorte of VERIFICA
    int valoreLista = 0;                   // ListVal selected index = value 0..90; -1 when nothing is selected
    bool casiScoperti = false;             // Ch_CasiScoperti: the searches skip covered cases

    // --- the cases (FgEv shows them) ---
    std::vector<int> casi;                             // case row r's draw index at [r - 1]
    std::vector<DatiCaso> datiCasi;                    // what FgEv shows of case row r at [r - 1]
    bool casiRicavati = false;     // found by RICAVA ESTRAZIONI: the wheel column light orange and bold
    bool casiEvidenziati = false;  // the draw column pale yellow (RICAVA, VERIFICA, ELABORA)
    // The numbers each case plays (a verified level, formulas in slots): FgX row r at [r - 1].
    // VERIFICA and ABBINAMENTI read them; the grid has one row more (its header).
    std::vector<engine::NumeriCaso> numeriCasi;
    // FgX cells drawn light green (the number came out in the last VERIFICA): row r at [r - 1].
    std::vector<std::array<bool, 5>> numeriUsciti;

    // --- the selections ---
    std::array<bool, archive::NumeroRuote> ruote{};    // FgRG: wheels in play (Bari alone on opening)
    std::vector<storage::RigaOperatore> operatori;     // FgOp rows 1..: the catalogue as listed
    std::set<std::string> operatoriScelti;             // FgOp column 0: codes of the chosen operators
    int rigaOperatore = 0;                             // FgOp: row (1..) of the current operator, 0 none
    std::array<LivelloElabora, 5> livelliElabora{};    // Fg7: levels 1..5 in ELABORA and their sorte
    std::vector<bool> casiCoperti;                     // FgEv column 0: case row r covered at [r - 1] (MARCA)

    // --- the verification reports: FgL, FgY and Fg10 row r at [r - 1] ---
    std::vector<engine::RigaVerifica> righeVerifica;
    std::vector<RigaElabora> righeElabora;
    std::vector<RigaElabora> righePrimoColpo;          // ELABORA: each case's first hit
    std::optional<RiepilogoVerifica> riepilogo;        // Fg_E: none before VERIFICA or ELABORA

    // --- the results (FgEsiti and FgGr show them): row r at [r - 1], empty rows included ---
    std::vector<RigaEsito> esiti;          // AMBATE
    std::vector<RigaEsito> abbinamenti;    // ABBINAMENTI
    // The row the user stands on in FgEsiti / FgGr (1.., 0: none); new results choose none.
    int esitoScelto = 0;
    int abbinamentoScelto = 0;

    // --- FgEstratti: the reference draw, row w = wheel w ---
    std::array<RigaEstratti, archive::NumeroRuote> estratti{};

    // --- the bricks: FgF (the pyramid, brick m at [m - 1]) and Fg5 (the formulas verified in
    // slots 1..5, row r at [r - 1]); the headers intestazioni::FgF / Fg5 ---
    std::vector<engine::Mattone> FgF;
    std::vector<engine::Mattone> Fg5;
    int mattoneCorrente = 0;          // the brick the commands write into (1..15, 0: none)
    int rigaFg5Evidenziata = 0;       // Fg5's yellow row (0: none)
    bool colonneMattoniNascoste = false;  // NASCONDE: Ri, Co, Tipo and the wheel indexes hidden
    engine::Mattone& mattone(int m) { return FgF.at(static_cast<std::size_t>(m - 1)); }
    const engine::Mattone& mattone(int m) const { return FgF.at(static_cast<std::size_t>(m - 1)); }
    engine::Mattone& rigaFg5(int r) { return Fg5.at(static_cast<std::size_t>(r - 1)); }
    const engine::Mattone& rigaFg5(int r) const { return Fg5.at(static_cast<std::size_t>(r - 1)); }

    // --- the results as the command line prints them ---
    grid::Grid FgEsiti;      // ambate results as text (the CLI prints it), written from `esiti`
    grid::Grid FgGr;         // pair results as text, laid out as FgEsiti, written from `abbinamenti`

    // Captions of the brick labels Lbl0(1..15); index 0 unused.
    std::array<std::string, 16> Lbl0;
    // List1: start and end time of the last Calcola or search.
    std::vector<std::string> List1;

    // The settings of the last RICAVA ESTRAZIONI; none before the first.
    std::optional<ImpostazioniCasi> casiRicavatiCon;
    // The level whose bricks fill FgX (Lbl_Riga), 0 when FgX holds anything else.
    int livelloFgX = 0;
};

// --- wheels in play ---
bool ruotaInGioco(const Banco& b, int w);
void setRuotaInGioco(Banco& b, int w, bool inGioco);
std::array<bool, archive::NumeroRuote> ruoteInGioco(const Banco& b);

// --- operators ---
bool operatoreScelto(const Banco& b, std::string_view codice);
// Whether any operator of the catalogue is chosen.
bool operatoriSceltiPresenti(const Banco& b);

// --- cases (FgEv) ---
// Number of cases (the rows of FgEv after its header).
int numeroCasi(const Banco& b);
// Draw index of case row r (1..); 0 outside the cases.
int drawCaso(const Banco& b, int r);
// Whether case row r (1..) is marked covered; setting it outside the cases does nothing.
bool casoCoperto(const Banco& b, int r);
void setCasoCoperto(Banco& b, int r, bool coperto);
// Enabled flag of every case row (index = row, [0] unused): all true, unless
// casiScoperti is set, when covered rows are disabled.
std::vector<bool> casiAbilitati(const Banco& b);

// A row of FgEv as shown: case row `caso`, its draw, what the Banco keeps of it.
struct RigaCasoMostrata {
    int caso = 0;
    int estrazione = 0;
    DatiCaso dati;
    bool coperto = false;
    bool ricavato = false;
    bool evidenziato = false;
    bool operator==(const RigaCasoMostrata&) const = default;
};
std::vector<RigaCasoMostrata> righeFgEv(const Banco& b);
std::string testoFgEv(const RigaCasoMostrata& riga, int colonna);
// Column 0 green when covered (white otherwise), then the colours of the case.
std::optional<grid::Colore> sfondoFgEv(const RigaCasoMostrata& riga, int colonna);
bool grassettoFgEv(const RigaCasoMostrata& riga, int colonna);
// FgEv as text: the header, then one row per case (what the command line prints).
grid::Grid grigliaFgEv(const Banco& b);

// Current time as List1 shows it ("HH:MM:SS").
std::string orarioList1();

// --- window state helpers ---
// Sets every grid to its header and empty state, as the window opens: bricks laid
// out with SettaGridFGF, Bari alone in play, no level included and each with sorte 1,
// no case covered, no operator listed, labels empty.
void preparaBanco(Banco& b);
// No cell of FgEstratti coloured for a brick.
void togliRiferimentiEvidenziati(Banco& b);
// Reference draw R = d: `estratti` takes the 11 x 5 numbers of draw d.
// Does not touch `mensile` (Command14 does that: see impostaMensileDaRiferimento).
void impostaRiferimento(Banco& b, const archive::Archivio& a, int d);
// Command14: ComboPar takes the ordinal within the month of the reference draw.
void impostaMensileDaRiferimento(Banco& b, const archive::Archivio& a);
// Opening of the window on an archive: preparaBanco, R = newest draw, ComboPar = its ordinal.
void apriBanco(Banco& b, const archive::Archivio& a);
// "Azzera grid" on FgX (Command39): one row per case, numbered in column 0, empty cells.
void azzeraFgX(Banco& b);
// --- numbers of the cases (FgX) ---
// The number case row r (1..) plays in column c (1..5); 0 when it has none (or outside).
int numeroDelCaso(const Banco& b, int r, int c);
// Sets (or clears, with nullopt) that number, growing the rows to r.
void impostaNumeroCaso(Banco& b, int r, int c, std::optional<int> numero);
// At least `casi` rows of numbers; never fewer than now.
void righeNumeriCasi(Banco& b, int casi);
// Whether FgX draws that number light green; marking it grows the rows to r.
void setNumeroUscito(Banco& b, int r, int c, bool uscito);

// A row of FgX as shown: the case row, its numbers, which came out.
struct RigaNumeriCaso {
    int caso = 0;
    engine::NumeriCaso numeri{};
    std::array<bool, 5> usciti{};
    bool operator==(const RigaNumeriCaso&) const = default;
};
std::vector<RigaNumeriCaso> righeFgX(const Banco& b);
// Column 0 the case row, columns 1..5 the numbers.
std::string testoFgX(const RigaNumeriCaso& riga, int colonna);
std::optional<grid::Colore> sfondoFgX(const RigaNumeriCaso& riga, int colonna);

}
