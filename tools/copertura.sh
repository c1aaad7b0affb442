#!/usr/bin/env bash
# Line and branch coverage of the logic (src/ below the windows: every library and velmora-cli) by its
# Qt-free tests. Builds without Qt, the windows or the benchmarks, with gcc --coverage, in
# build-copertura/; runs those tests; prints the figures of each folder of src/ and the total (gcovr).
# A light, not a gate: a failing test is reported, and the figures are printed all the same.
#   tools/copertura.sh [CTEST ARGS]
# The real archive counts as for the tests: $VELMORA_STORICO, else ../shared/data/storico.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
SORGENTE=$PWD
./tools/setup.sh --solo-pacchetti
BUILD_DIR=${VELMORA_COPERTURA_DIR:-build-copertura}

# -Og: lines stay where they are written, at a bearable speed for the searches on the real archive.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Copertura -DCMAKE_CXX_COMPILER=g++ \
      -DCMAKE_CXX_FLAGS_COPERTURA="-Og -g" \
      -DVELMORA_COPERTURA=ON -DVELMORA_BUILD_UI=OFF -DVELMORA_BUILD_BENCH=OFF -DVELMORA_BUILD_TESTS=ON >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"

# The counts of an earlier run would add up with this one's.
find "$BUILD_DIR" -name '*.gcda' -delete
esito=0
(cd "$BUILD_DIR" && ctest --output-on-failure -j"$(nproc)" "$@") || esito=$?
[ "$esito" -eq 0 ] || echo "copertura: qualche test non è passato (ctest $esito): le cifre contano i test eseguiti" >&2

# Branches: only those the source writes (a throw's hidden branches and the unreachable ones are left out).
RIASSUNTO=$BUILD_DIR/copertura.json
gcovr --root "$SORGENTE" --object-directory "$BUILD_DIR" --filter "$SORGENTE/src/" \
      --exclude "$SORGENTE/src/ui/" --exclude "$SORGENTE/src/app/" \
      --exclude-throw-branches --exclude-unreachable-branches \
      --json-summary "$RIASSUNTO" --json-summary-pretty --print-summary >"$BUILD_DIR/copertura-totale.txt"

python3 - "$RIASSUNTO" <<'PY'
import json, sys
from collections import defaultdict
dati = json.load(open(sys.argv[1]))
somme = defaultdict(lambda: [0, 0, 0, 0])
for f in dati["files"]:
    parti = f["filename"].split("/")
    cartella = "/".join(parti[:2]) if len(parti) > 2 else parti[0]
    s = somme[cartella]
    s[0] += f["line_covered"]; s[1] += f["line_total"]
    s[2] += f["branch_covered"]; s[3] += f["branch_total"]
def pc(a, b):
    return "   -  " if b == 0 else f"{100.0 * a / b:5.1f}%"
print("Copertura della logica (src/ senza ui e app), test senza Qt")
print(f"{'cartella':<18}{'righe':>22}{'rami':>22}")
for c in sorted(somme):
    s = somme[c]
    print(f"{c:<18}{pc(s[0], s[1]):>8} {s[0]:>6}/{s[1]:<6}{pc(s[2], s[3]):>8} {s[2]:>6}/{s[3]:<6}")
print(f"{'TOTALE':<18}{pc(dati['line_covered'], dati['line_total']):>8} {dati['line_covered']:>6}/{dati['line_total']:<6}"
      f"{pc(dati['branch_covered'], dati['branch_total']):>8} {dati['branch_covered']:>6}/{dati['branch_total']:<6}")
PY
