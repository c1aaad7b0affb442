// RICAVA ESTRAZIONI: the cases, past draws that resemble the reference draw by the chosen detection.
#pragma once

#include "archive/Archivio.h"
#include "workbench/Banco.h"
#include "workbench/TipoRicerca.h"

#include <array>
#include <string_view>

namespace workbench {

// The wanted values read from TxtNumeri: each number and its decade, figure and cadence.
struct NumeriVoluti {
    std::array<bool, 91> numero{};    // 1..90
    std::array<bool, 10> decina{};    // 0..8
    std::array<bool, 10> figura{};    // 1..9
    std::array<bool, 10> cadenza{};   // 0..9
    bool vuoto() const;
};

// Two characters at offsets 0, 3, 6, ... of the text; each that reads as a number
// 1..90 is wanted. Anything else in those places is ignored.
NumeriVoluti leggiNumeriVoluti(std::string_view testo);

// The value a pair detection compares: Distanza folds above 45, Differenza does not,
// Somma is the sum mod 90 with 90 for 0. Other detections are not pair detections.
int valoreCoppia(Rilevazione t, int a, int b);

// Whether draw d qualifies as a case; `colpite` receives the hit positions (1..5)
// for the display. Mensile with "U" needs the next draw, so the newest draw only
// qualifies with forzaUltima.
bool qualifica(const Banco& b, const archive::Archivio& a, const NumeriVoluti& voluti, int d,
               std::array<bool, 6>& colpite);

// RICAVA ESTRAZIONI (Command9): walks back from the reference draw (included) and
// fills FgEv with at most numeroCasi cases; when some were found, resets FgX and
// empties Fg5, FgL, FgY, FgEsiti, FgGr and the data rows of Fg_E.
// Returns "Attenzione ! controllare gli elementi inseriti." (title "Avviso") on error.
// Reads the Decina, Figura and Cadenza tables.
Esito RicavaEstrazioni(Banco& b, const archive::Archivio& a);

// The cases are draws `estrazioni`, in this order: FgEv shows each with its date and the numbers
// of the base wheel, no case covered. aggiungiCaso appends one and returns its row.
void impostaCasi(Banco& b, const archive::Archivio& a, const std::vector<int>& estrazioni);
int aggiungiCaso(Banco& b, const archive::Archivio& a, int d);

// The settings RICAVA ESTRAZIONI would read now (see ImpostazioniCasi).
ImpostazioniCasi impostazioniCasi(const Banco& b);
// The other way: the Banco's settings from `i` (reference, wheels in play and colpi included).
void applicaImpostazioniCasi(Banco& b, const ImpostazioniCasi& i);

// What rinnovaCasi did: nothing (the cases were current), or the cases derived again,
// with RICAVA ESTRAZIONI's message when that failed.
struct RinnovoCasi {
    bool rinnovati = false;
    Esito esito;
};

// Before AMBATE, ABBINAMENTI, VERIFICA, a level verification and ELABORA: when the
// settings or the reference changed since the last RICAVA ESTRAZIONI, derives the cases
// again. Cases that come out the same draws keep their marks, FgX, Fg5 and the results;
// otherwise FgX follows the new cases: the level that filled it is verified again on them.
// Nothing happens before the first RICAVA ESTRAZIONI (there are no cases to renew).
RinnovoCasi rinnovaCasi(Banco& b, const archive::Archivio& a);

// The one sentence a command shows instead of running on nothing; none when it can run.
// AMBATE and ABBINAMENTI: cases, an operator, and for the pairs numbers in FgX enough to
// reach the sorte with the number found.
std::optional<std::string> mancaPerRicerca(const Banco& b, TipoRicerca tipo);
// The part of it that does not depend on the cases: an operator chosen (Convalida derives its own cases).
std::optional<std::string> mancaOperatore(const Banco& b);
// Command21/Command7: a result row with a formula and a brick to receive it.
std::optional<std::string> mancaPerImposta(const Banco& b, TipoRicerca tipo);
// ELABORA: at least one level chosen in Fg7.
std::optional<std::string> mancaPerElabora(const Banco& b);

}
