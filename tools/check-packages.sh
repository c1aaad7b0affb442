#!/usr/bin/env bash
# Keeps the package list of tools/setup.sh true: configures the project in a scratch folder,
# collects every file under /usr that CMake reads and every system header the compiler
# includes (preprocessing only, or the dependency log of an existing build), maps each to its Debian package and fails, naming them, when a
# package is neither in the setup's list, nor pulled in by it, nor of priority "required".
#
#   tools/check-packages.sh [SETUP_SCRIPT]     (default: tools/setup.sh)
#   CHECK_PACKAGES_BUILD=build tools/check-packages.sh   reads the headers from an existing build
set -euo pipefail
cd "$(dirname "$0")/.."
SORGENTE=$PWD
SETUP=${1:-tools/setup.sh}

# The list as setup.sh holds it: the words between "PACKAGES=(" and the closing ")".
mapfile -t LISTA < <(sed -n '/^PACKAGES=(/,/)/p' "$SETUP" | sed 's/^PACKAGES=(//; s/).*//; s/#.*//' | tr -s ' \t' '\n' | sed '/^$/d')
if [ ${#LISTA[@]} -eq 0 ]; then
  echo "check-packages: nessuna lista PACKAGES=(...) in $SETUP" >&2
  exit 2
fi

# CHECK_PACKAGES_DIR=DIR keeps the scratch folder, and a second run reuses its build.
if [ -n "${CHECK_PACKAGES_DIR:-}" ]; then
  LAVORO=$CHECK_PACKAGES_DIR
  mkdir -p "$LAVORO"
else
  LAVORO=$(mktemp -d)
  trap 'rm -rf "$LAVORO"' EXIT
fi
BUILD=$LAVORO/build

# CHECK_PACKAGES_BUILD=DIR: a complete build of this tree (the one ./test.sh just made) whose
# dependency log gives the headers, so the project is not compiled a second time.
COMPILATA=${CHECK_PACKAGES_BUILD:-}
if [ -n "$COMPILATA" ] && { [ ! -f "$COMPILATA/build.ninja" ] || [ ! -f "$COMPILATA/.ninja_deps" ]; }; then
  echo "check-packages: $COMPILATA non contiene una compilazione completa" >&2
  exit 2
fi

# 1. Configure with a full trace: each trace line starts with the file CMake is reading.
#    Only the scripts CMake runs count: a library it merely finds and never links
#    (FindOpenGL looks for GLU and EGL) is not needed.
if [ ! -f "$LAVORO/trace.txt" ] || [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$SORGENTE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
        --trace-expand --trace-redirect="$LAVORO/trace.txt" >"$LAVORO/configura.log" 2>&1 || {
    cat "$LAVORO/configura.log" >&2
    echo "check-packages: la configurazione non riesce" >&2
    exit 1
  }
fi
grep -o '^/usr/[^(]*' "$LAVORO/trace.txt" | sort -u >"$LAVORO/percorsi-grezzi.txt" || true

# 2. Every header the compiler reads and every library the link lines name. Without a build,
#    each compile command of the scratch configure is run as a preprocessor pass (-M -MG: the
#    headers moc and the build generate are not there yet and count as generated): the same
#    system headers as a build, in a minute instead of a full compilation.
if [ -n "$COMPILATA" ]; then
  ninja -C "$COMPILATA" -t deps | grep -o '/usr/[^ ]*' >>"$LAVORO/percorsi-grezzi.txt" || true
  grep -o '/usr/[^ ]*\.\(so\|a\)\b' "$COMPILATA/build.ninja" >>"$LAVORO/percorsi-grezzi.txt" || true
else
  COMANDI=$LAVORO/comandi
  rm -rf "$COMANDI" && mkdir -p "$COMANDI"
  # compile_commands.json: a "directory" line, then its "command" line (JSON-escaped).
  awk -v cartella="$COMANDI" '
    /^  "directory": "/ { d = $0; sub(/^  "directory": "/, "", d); sub(/",$/, "", d) }
    /^  "command": "/ {
      c = $0; sub(/^  "command": "/, "", c); sub(/",$/, "", c)
      gsub(/\\\\/, "\\", c); gsub(/\\"/, "\"", c)
      sub(/ -o [^ ]+ /, " ", c); sub(/ -c /, " -M -MG ", c)
      n++; printf "cd \"%s\" && %s\n", d, c > (cartella "/" n ".sh"); close(cartella "/" n ".sh")
    }' "$BUILD/compile_commands.json"
  find "$COMANDI" -name '*.sh' -print0 | xargs -0 -P"$(nproc)" -n1 bash 2>"$LAVORO/preprocessa.log" |
    grep -o '/usr/[^ ]*' >>"$LAVORO/percorsi-grezzi.txt" || true
  if [ -s "$LAVORO/preprocessa.log" ]; then
    head -40 "$LAVORO/preprocessa.log" >&2
    echo "check-packages: il preprocessore non riesce su qualche file del progetto" >&2
    exit 1
  fi
  grep -o '/usr/[^ ]*\.\(so\|a\)\b' "$BUILD/build.ninja" >>"$LAVORO/percorsi-grezzi.txt" || true
fi

# Only files that exist (a trace also names paths CMake merely tried).
sed 's/^[^:]*:\(\/usr\/\)/\1/' "$LAVORO/percorsi-grezzi.txt" | sort -u | while read -r f; do
  if [ -f "$f" ]; then echo "$f"; fi
done >"$LAVORO/file.txt"

# 3. Each file to its package, all at once; dpkg knows some files only by their path
#    before /usr was merged (/lib/...), or by the path a link resolves to, so the ones
#    left over are asked again under those names.
possessori() {  # paths on stdin -> "package path" lines
  xargs -r dpkg -S 2>/dev/null | grep -v '^diversion' |
    awk '{ i = index($0, ": /"); split(substr($0, 1, i - 1), p, ", "); sub(/:.*/, "", p[1]); print p[1], substr($0, i + 2) }' || true
}
possessori <"$LAVORO/file.txt" >"$LAVORO/pacchetti.txt"
cut -d' ' -f2- "$LAVORO/pacchetti.txt" | sort -u | comm -13 - "$LAVORO/file.txt" >"$LAVORO/orfani.txt"
while read -r f; do
  for candidato in "${f#/usr}" "$(readlink -f "$f")"; do
    r=$(echo "$candidato" | possessori | head -1)
    if [ -n "$r" ]; then
      echo "${r%% *} $f" >>"$LAVORO/pacchetti.txt"
      break
    fi
  done
done <"$LAVORO/orfani.txt"

# 4. What the setup brings: its list with every dependency, recursively, plus the
#    packages of priority "required" that every Debian system has.
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances "${LISTA[@]}" 2>/dev/null |
  grep -v '^ ' | sed 's/^<//; s/>$//; s/:.*//' >"$LAVORO/portati.txt" || true
printf '%s\n' "${LISTA[@]}" >>"$LAVORO/portati.txt"
dpkg-query -W -f='${Package} ${Priority}\n' | awk '$2 == "required" { print $1 }' >>"$LAVORO/portati.txt"
sort -u -o "$LAVORO/portati.txt" "$LAVORO/portati.txt"

mancanti=$(cut -d' ' -f1 "$LAVORO/pacchetti.txt" | sed 's/:.*//' | sort -u | comm -23 - "$LAVORO/portati.txt")
n_file=$(wc -l <"$LAVORO/file.txt")
n_pacchetti=$(cut -d' ' -f1 "$LAVORO/pacchetti.txt" | sort -u | wc -l)
if [ -n "$mancanti" ]; then
  echo "check-packages: pacchetti usati dalla compilazione ma assenti dalla lista di $SETUP:"
  for p in $mancanti; do
    esempio=$(awk -v p="$p" '$1 == p { print $2; exit }' "$LAVORO/pacchetti.txt")
    echo "  $p   (per esempio $esempio)"
  done
  exit 1
fi
echo "check-packages: $n_file file di sistema letti, da $n_pacchetti pacchetti, tutti portati dalla lista di $SETUP"
