// The workbench settings as command-line options, shared by every workbench subcommand.
#pragma once

#include "archive/Archivio.h"
#include "cli/Comandi.h"
#include "grid/Grid.h"
#include "workbench/Banco.h"

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// The options read by leggiImpostazioni, for Argomenti::soloOpzioni (add your own).
const std::vector<std::string>& opzioniBanco();
// The options among them that take no value ("--forza-ultima"): pass them as the
// Comando's flagSenzaValore.
const std::vector<std::string>& flagBanco();
// Help text of the common options, to append to a command's `uso`.
extern const char* const AiutoBanco;
// AiutoBanco without the line of `opzione`, for a command that gives that option its
// own meaning (abbinamenti's --livello is the pyramid level it verifies).
std::string aiutoBancoSenza(const std::string& opzione);

// Loads the draws database named by --archivio (usage error when missing, data
// error when it cannot be loaded or holds no draw).
std::unique_ptr<archive::Archivio> caricaArchivioCli(const Argomenti& args);

// Fills b as the window does when it opens on `a`, then applies the options:
// --rif D (default: the newest draw), --ruota BA, --ruote BA,CA,...|tutte,
// --posizioni 1,2,3, --rilevazione Mensile..Cadenza, --numeri 05-12-33, --qn N,
// --ncasi K, --mensile U|1..31 (default: the ordinal of the reference draw),
// --forza-ultima, --colpi C, --lista L, --livello S, --valore V (ListVal).
// A malformed or out-of-range value is a usage error.
void leggiImpostazioni(const Argomenti& args, const archive::Archivio& a, workbench::Banco& b);

// --operatori SOM,DIFF,...|tutti: the catalogue listed as the window lists it (by code), with
// those operators chosen; missing or naming an unknown code, a usage error.
void scegliOperatori(const Argomenti& args, workbench::Banco& b);
// --casi-scoperti FILE: the case numbers (FgEv column "Prog") already covered, one a line,
// marked as MARCA marks them and skipped by the search (casiScoperti); a number that names
// no case is a data error. Reads the cases, so after RICAVA ESTRAZIONI.
void marcaCasiScoperti(const Argomenti& args, workbench::Banco& b);

// Every detection but "Mensile" compares the draws with the numbers of --numeri: without
// them no draw can qualify, so a command that derives the cases refuses (usage error).
void richiediNumeriRilevazione(const workbench::Banco& b);

// --ruote BA,CA,...|tutte as the eleven choices (RM and RN too); an unknown code is a usage error.
std::array<bool, archive::NumeroRuote> ruoteDaOpzione(const std::string& testo);
// The whole-number option `opzione` inside minimo..massimo (usage error otherwise); `predefinito` when absent.
int interoIn(const Argomenti& args, const std::string& opzione, int predefinito, int minimo, int massimo);

// The date option `opzione` ("GG/MM/AAAA") as an AAAAMMGG key; nothing when absent, a usage error when malformed.
std::optional<int> dataDaOpzione(const Argomenti& args, const std::string& opzione);

// A command's message as the error that ends it: data error (exit 1).
[[noreturn]] void segnalaEsito(const workbench::Messaggio& m);

}
