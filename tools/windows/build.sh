#!/usr/bin/env bash
# Velmora for Windows x64, cross-built here: velmora.exe and velmora-cli.exe (static: nothing beside
# them but Windows' own DLLs), the help pages and the demonstration archive, then in dist/
#   velmora-<version>-windows-x64.zip    the portable program: unzip anywhere and start velmora.exe
#   velmora-<version>-setup-x64.exe      the installer (NSIS, 64-bit)
# The libraries come from tools/windows/toolchain.sh (run first; nothing to do once it has run).
# VELMORA_WINDOWS_BUILD sets the build folder (default build-windows/), VELMORA_WINDOWS_JOBS the jobs.
set -euo pipefail
. "$(dirname "$0")/comune.sh"

inizio=$(date +%s)
configura OFF
say "compilo velmora.exe e velmora-cli.exe in $BUILD"
prepara_wine
cmake --build "$BUILD" -j "${VELMORA_WINDOWS_JOBS:-$(nproc)}" --target velmora velmora-cli velmora_help velmora_demo
secondi=$(( $(date +%s) - inizio ))
say "programmi pronti in $((secondi / 60)) min $((secondi % 60)) s"

BIN=$BUILD/bin
# Nothing but Windows' own libraries may be imported (winspool.drv, the print spooler's, is one:
# Qt Print Support calls it): a MinGW or Qt DLL would be missing on the
# user's machine.
for exe in velmora.exe velmora-cli.exe; do
    estranee=$(x86_64-w64-mingw32-objdump -p "$BIN/$exe" | sed -n 's/^\s*DLL Name: //p' |
               grep -viE '^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|ws2_32|crypt32|bcrypt|ncrypt|secur32|winmm|imm32|dwmapi|uxtheme|version|shlwapi|netapi32|userenv|wtsapi32|setupapi|mpr|iphlpapi|dnsapi|authz|d3d9|d3d11|dxgi|opengl32|msvcrt|ntdll|rpcrt4|dwrite|d2d1|shcore|winhttp|wininet|normaliz|api-ms-win-.*)\.dll$|^winspool\.drv$' || true)
    if [ -n "$estranee" ]; then
        say "$exe importa librerie che Windows non ha: $estranee"
        exit 1
    fi
done

if [ -n "${VELMORA_WINDOWS_SENZA_QT:-}" ]; then
    say "costruzione parziale (senza Qt): nessun pacchetto in dist/"
    exit 0
fi

# The portable folder: the programs, their files, and the mark that makes their folder the
# program folder (DbPiramide.db and the user's settings then stay beside them, as in a build).
NOME=velmora-$VERSIONE-windows-x64
CARTELLA=$BUILD/dist/Velmora-$VERSIONE
rm -rf "$BUILD/dist"
mkdir -p "$CARTELLA" "$RADICE/dist"
for exe in velmora.exe velmora-cli.exe; do
    x86_64-w64-mingw32-strip -o "$CARTELLA/$exe" "$BIN/$exe"
done
cp -r "$BIN/HelpVelmora" "$BIN/ArchivioDimostrativo.db" "$BIN/CartellaProgramma.txt" "$CARTELLA/"
cp "$BUILD/packaging/windows/velmora.ico" "$CARTELLA/"
ZIP=$RADICE/dist/$NOME.zip
rm -f "$ZIP"
(cd "$BUILD/dist" && zip -q -r -9 -X "$ZIP" "Velmora-$VERSIONE")
say "$ZIP ($(du -k "$ZIP" | cut -f1) KB)"

# The installer holds the same files but the mark: installed, the program keeps the user's files
# in %APPDATA%\Velmora.
INSTALLA=$BUILD/dist/installa
rm -rf "$INSTALLA"; cp -r "$CARTELLA" "$INSTALLA"; rm "$INSTALLA/CartellaProgramma.txt"
SETUP=$RADICE/dist/velmora-$VERSIONE-setup-x64.exe
makensis -V2 -DSORGENTE="$INSTALLA" -DUSCITA="$SETUP" "$BUILD/velmora.nsi"
say "$SETUP ($(du -k "$SETUP" | cut -f1) KB)"
