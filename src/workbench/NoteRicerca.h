// What a player should read beside the results of a search and of Convalida, in words.
#pragma once

#include "archive/Archivio.h"
#include "workbench/Ambate.h"
#include "workbench/Banco.h"
#include "workbench/Convalida.h"

#include <string>
#include <vector>

namespace workbench {

// Why a search has nothing to verify, or "" when some enabled case has a colpo before
// the reference draw: no cases derived, every case marked as covered ("Casi scoperti"),
// or no case with a colpo before the reference (with K = 1 under "Mensile" the only case
// is the reference itself).
std::string motivoNessunCaso(const ImpostazioniRicerca& imp, const archive::Archivio& a);

// The lines in words beside the results of a search, in this order: why nothing can be
// verified (then nothing else), the ties of the top row, the fixed-number operators (class
// 4) among the rows, settings under which a blind
// number comes out in almost every case (its chance, averaged over the cases with a colpo,
// at least SogliaIndistinguibile: no formula can stand out), and the wheels that were not
// drawn on some case or on the reference.
std::vector<std::string> noteRicerca(const ImpostazioniRicerca& imp, const RisultatoRicerca& r,
                                     const archive::Archivio& a);
inline constexpr double SogliaIndistinguibile = 0.95;

// A result row's formula in one line: "SOM+ FI3 TO2 Val 60", "MAG5 NA", "NUM BA1".
std::string testoFormula(const RigaEsito& e);

// The settings that made a set of results, for the tag beside them: "ruota base BA; ruote
// BA, NA; N° casi 12; colpi 8; Mensile 2; riferimento 10234 (07/12/2026)" (the detection's
// numbers when it reads them). Two results with equal ImpostazioniCasi have the same text.
std::string testoImpostazioniCasi(const ImpostazioniCasi& i, const archive::Archivio& a);

// The same for the rows of a Convalida: the settings, then "riferimenti dal 10035 (…) al
// 10234 (…)" and, when each reference takes its own draw of the month, "Mensile del
// riferimento" in place of the banco's ordinal.
std::string testoImpostazioniConvalida(const ImpostazioniConvalida& imp, const archive::Archivio& a);

// The verdict of a Convalida in one line: whether the method came out more often than
// chance would give, with the p, and what the mean coverage in the cases means; when no
// reference counts, why.
std::string verdettoConvalida(const RisultatoConvalida& r);

}
