#!/usr/bin/env bash
# The installer tried under Wine, in a Wine prefix of its own (a clean "Windows"):
#   tools/windows/prova-installatore.sh dist/velmora-<version>-setup-x64.exe [SCHERMATA.png]
# Silent install (/S): the program, the Start-menu entry and the uninstall key are there; the
# installed velmora.exe starts (on $DISPLAY, which must be an X display: Xvfb will do) and makes
# the user's data folder %APPDATA%\Velmora with its copy of the demonstration archive; a screenshot
# of the screen when SCHERMATA is given. Then the silent uninstall: the program, the entry and the
# key are gone, %APPDATA%\Velmora is still there. Exits non-zero at the first thing not as expected.
set -euo pipefail
setup=$(realpath "$1")
schermata=${2:+$(realpath -m "$2")}
WINE="$(cd "$(dirname "$0")" && pwd)/wine.sh"
: "${DISPLAY:?serve un display X (per esempio Xvfb :36 e DISPLAY=:36)}"

export VELMORA_WINEPREFIX
VELMORA_WINEPREFIX=$(mktemp -d /tmp/velmora-wine.XXXXXX)
trap 'WINEPREFIX=$VELMORA_WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$VELMORA_WINEPREFIX"' EXIT
say() { printf 'prova-installatore: %s\n' "$*"; }
manca() { say "ERRORE: $*"; exit 1; }

"$WINE" wineboot --init >/dev/null 2>&1 || true
C=$VELMORA_WINEPREFIX/drive_c
PROGRAMMA="$C/Program Files/Velmora"
MENU="$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora.lnk"
DATI="$C/users/${USER:-$(id -un)}/AppData/Roaming/Velmora"
CHIAVE='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\io.github.velmora.velmora'

say "installazione silenziosa: $setup /S"
"$WINE" "$setup" /S
for f in velmora.exe velmora-cli.exe ArchivioDimostrativo.db HelpVelmora "Disinstalla Velmora.exe"; do
    [ -e "$PROGRAMMA/$f" ] || manca "manca $PROGRAMMA/$f"
done
[ ! -e "$PROGRAMMA/CartellaProgramma.txt" ] || manca "l'installazione non deve avere il segno della build"
[ -e "$MENU" ] || manca "manca la voce del menu Start ($MENU)"
"$WINE" reg query "$CHIAVE" /v DisplayVersion 2>/dev/null | grep -q DisplayVersion || manca "manca la chiave $CHIAVE"
say "installato: $(ls "$PROGRAMMA" | tr '\n' ' ')"
say "chiave: $("$WINE" reg query "$CHIAVE" /v DisplayVersion 2>/dev/null | tr -d '\r' | grep DisplayVersion | xargs)"

say "avvio del programma installato"
"$WINE" "$PROGRAMMA/velmora.exe" &
programma=$!
for _ in $(seq 1 60); do
    [ -e "$DATI/ArchivioDimostrativo.db" ] && [ -e "$DATI/DbPiramide.db" ] && break
    sleep 1
done
sleep 5
[ -z "$schermata" ] || import -window root "$schermata"
kill "$programma" 2>/dev/null || true
WINEPREFIX=$VELMORA_WINEPREFIX wineserver -k 2>/dev/null || true
wait "$programma" 2>/dev/null || true
[ -e "$DATI/ArchivioDimostrativo.db" ] || manca "il primo avvio non ha copiato l'archivio dimostrativo in %APPDATA%\\Velmora"
[ -e "$DATI/DbPiramide.db" ] || manca "il primo avvio non ha creato DbPiramide.db in %APPDATA%\\Velmora"
say "dati dell'utente: $(ls "$DATI" | tr '\n' ' ')"

say "disinstallazione silenziosa"
"$WINE" "$PROGRAMMA/Disinstalla Velmora.exe" /S
# The uninstaller copies itself away and finishes in the background.
for _ in $(seq 1 30); do
    [ ! -e "$PROGRAMMA/velmora.exe" ] && [ ! -e "$PROGRAMMA/Disinstalla Velmora.exe" ] && break
    sleep 1
done
[ ! -e "$PROGRAMMA" ] || manca "resta $PROGRAMMA: $(ls "$PROGRAMMA")"
[ ! -e "$MENU" ] || manca "resta la voce del menu Start"
! "$WINE" reg query "$CHIAVE" >/dev/null 2>&1 || manca "resta la chiave $CHIAVE"
[ -e "$DATI/ArchivioDimostrativo.db" ] && [ -e "$DATI/DbPiramide.db" ] || manca "la disinstallazione ha toccato %APPDATA%\\Velmora"
say "disinstallato; %APPDATA%\\Velmora resta: $(ls "$DATI" | tr '\n' ' ')"
say "tutto come previsto"
