// The archive in the formats of other Lotto programs: Numeris 3 records, Quintavo lines, the Nazionale text.
#pragma once

#include "archive/Archivio.h"
#include "avanzamento/Avanzamento.h"
#include "archive/CaricaArchivio.h"

#include <string>
#include <vector>

namespace storage { class Database; }

namespace maintenance {

constexpr int LunghezzaRecordNumeris3 = 110;
constexpr const char* NomeFileQuintavo = "DATI32.III";

// The 100 digits of draw d: Bari..Venezia, positions 1..5, two digits each ("00" for no number).
std::string testoNumeri(const archive::Archivio& a, int d);
// The 110-byte record of draw d: day, month, two-digit year (16-bit little-endian), the numbers
// text, ProgressivoMese, ProgressivoAnno.
std::string recordNumeris3(const archive::Archivio& a, int d);
// The 110 characters of the Quintavo line of draw d, without quotes: numbers, year, month, day,
// the two ordinals with at least two digits.
std::string rigaQuintavo(const archive::Archivio& a, int d);
// The Nazionale line of draw d ("07123-0517900144"), empty when the draw has no Nazionale.
std::string rigaNazionale(const archive::Archivio& a, int d);

enum class FormatoEsportazione { Numeris3, Quintavo, Nazionale };

// Writes draws 1..N in `formato` to `percorso`: beside it first, then renamed into place, so the
// file holds exactly the draws of the archive (a longer earlier file leaves nothing behind) and a
// failed write leaves the earlier file (and its mode) as it was. Progress: (d, N) at every tenth
// draw. False when the file could not be written or may not be replaced (not a regular file,
// read-only, one of `ingressi`, being written by another operation); `motivo` then gets the reason.
[[nodiscard]] bool esporta(const archive::Archivio& a, FormatoEsportazione formato, const std::string& percorso,
             avanzamento::Avanzamento* avanzamento = nullptr, const std::vector<std::string>& ingressi = {},
             std::string* motivo = nullptr);

// The draws an export of `formato` writes: every draw, or for the Nazionale those that have it.
int estrazioniEsportate(const archive::Archivio& a, FormatoEsportazione formato);

// The folder of the Quintavo file: Valore1 of "PercorsoQuintavo" when the row exists and is not
// empty, else "NUMERIS3" in the user's home (`casa`).
std::string cartellaQuintavo(storage::Database& dbProgramma, const std::string& casa);
// The user's home folder ($HOME), "." when unknown.
std::string cartellaUtente();

}
