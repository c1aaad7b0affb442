#!/usr/bin/env bash
# Every test of the Windows build, run under Wine: ctest starts each test program through
# tools/windows/wine.sh (CMAKE_CROSSCOMPILING_EMULATOR). First the suites without windows, then,
# when the Windows Qt is there, the windows' suites, under an Xvfb display of their own.
# Prints the counts of each part; the exit status is ctest's. Extra arguments go to both ctest runs
# (e.g. -R storage). VELMORA_WINDOWS_DISPLAY picks the X display (default :97).
set -euo pipefail
. "$(dirname "$0")/comune.sh"

JOBS=${VELMORA_WINDOWS_JOBS:-$(nproc)}
configura ON
say "compilo i test in $BUILD"
prepara_wine
cmake --build "$BUILD" -j "$JOBS"

conta() {   # the summary line of a ctest log, and the tests it skipped
    grep -E '^[0-9]+% tests passed' "$1" || true
    local saltati
    saltati=$(grep -cE '\(Skipped\)|\(Not Run\)' "$1" || true)
    printf '  saltati: %s\n' "$saltati"
    grep -E '\(Skipped\)|\(Not Run\)' "$1" | sed 's/^/    /' || true
}

esito=0
LOG_LOGICA=$BUILD/test-logica.log
say "test senza finestre sotto Wine"
ctest --test-dir "$BUILD" -LE finestre -j "$JOBS" --output-on-failure "$@" 2>&1 | tee "$LOG_LOGICA" || esito=1

LOG_FINESTRE=$BUILD/test-finestre.log
if [ -d "$BUILD/tests/ui" ]; then
    display=${VELMORA_WINDOWS_DISPLAY:-:97}
    Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    sleep 1
    say "test delle finestre sotto Wine (display $display)"
    DISPLAY=$display ctest --test-dir "$BUILD" -L finestre -j 1 --output-on-failure "$@" 2>&1 | tee "$LOG_FINESTRE" || esito=1
    # Under Wine a QtTest program's standard output does not reach ctest; a failed suite is run
    # again writing its report to a file, whose failures are shown.
    # The program is the one ctest runs for that test (a test's name need not be its program's).
    for nome in $(sed -n 's/^[[:space:]]*[0-9]* - \([A-Za-z0-9_]*\) (Failed)$/\1/p' "$LOG_FINESTRE"); do
        programma=$(ctest --test-dir "$BUILD" -N -V -R "^$nome\$" 2>/dev/null |
                    sed -n 's/.*Test command: .* "\{0,1\}\([^ "]*\.exe\)"\{0,1\}$/\1/p' | head -n 1)
        [ -n "$programma" ] && [ -e "$programma" ] || continue
        rapporto=$BUILD/$nome.txt
        (cd "$BUILD" && DISPLAY=$display QT_QPA_PLATFORM=offscreen "$WINE" "$programma" -o "$rapporto,txt" >/dev/null 2>&1) || true
        echo "== $nome ($rapporto)"
        grep -E -A2 '^(FAIL!|XPASS)' "$rapporto" 2>/dev/null | head -n 30 || true
    done 2>&1 | tee -a "$LOG_FINESTRE"
fi

say "riepilogo"
echo "test senza finestre:"; conta "$LOG_LOGICA"
if [ -f "$LOG_FINESTRE" ] && [ -d "$BUILD/tests/ui" ]; then echo "test delle finestre:"; conta "$LOG_FINESTRE"; fi
exit $esito
