// RICAVA ESTRAZIONI: the cases, past draws that resemble the reference draw by the chosen detection.
#pragma once

#include "archive/Archivio.h"
#include "workbench/Banco.h"

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

}
