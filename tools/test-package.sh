#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it, validates its software centres'
# description, runs the installed programs as a new user would (an empty home, no screen), checks
# they wrote only in that home and /tmp, removes it.
#
#   tools/test-package.sh        (as root: dpkg -i and dpkg -r act on this machine)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${VELMORA_BUILD_DIR:-build}

if [ "$(id -u)" -ne 0 ]; then
  echo "test-package: va eseguito come root (installa e rimuove il pacchetto con dpkg)" >&2
  exit 2
fi
for comando in lintian strace dpkg-shlibdeps appstreamcli; do
  command -v "$comando" >/dev/null || { echo "test-package: manca $comando: eseguire tools/setup.sh" >&2; exit 2; }
done
if dpkg-query -W -f='${Status}' velmora 2>/dev/null | grep -q "install ok installed"; then
  echo "test-package: il pacchetto velmora e' gia' installato su questa macchina: rimuoverlo prima (dpkg -r velmora)" >&2
  exit 2
fi

LAVORO=$(mktemp -d /tmp/velmora-pacchetto.XXXXXX)
INSTALLATO=0
fine() {
  if [ "$INSTALLATO" -eq 1 ]; then dpkg -r velmora >/dev/null 2>&1 || true; fi
  rm -rf "$LAVORO"
}
trap fine EXIT
errore() { echo "test-package: $*" >&2; exit 1; }

# 1. The package, from the same build the tests use.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
rm -f "$BUILD_DIR"/velmora_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >"$LAVORO/cpack.log" 2>&1) || { cat "$LAVORO/cpack.log" >&2; errore "cpack non riesce"; }
PACCHETTO=$(ls "$BUILD_DIR"/velmora_*.deb)
VERSIONE=$(dpkg-deb -f "$PACCHETTO" Version)
echo "Pacchetto: $PACCHETTO (versione $VERSIONE)"
echo "Dipendenze: $(dpkg-deb -f "$PACCHETTO" Depends)"

# 2. lintian: no error; warnings and notes are printed.
lintian --allow-root --display-info "$PACCHETTO" >"$LAVORO/lintian.txt" 2>&1 || true
cat "$LAVORO/lintian.txt"
if grep -q '^E: ' "$LAVORO/lintian.txt"; then errore "lintian segnala errori"; fi

# 3. Only the programs and what they need: no test program, no benchmark.
dpkg-deb -c "$PACCHETTO" | awk '{ print $6 }' | sed 's|^\./|/|' | grep -v '/$' >"$LAVORO/contenuto.txt"
estranei=$(grep -vE '^/usr/bin/velmora(-cli)?$|^/usr/share/velmora/|^/usr/share/applications/io\.github\.velmora\.velmora\.desktop$|^/usr/share/metainfo/io\.github\.velmora\.velmora\.metainfo\.xml$|^/usr/share/icons/hicolor/[^/]+/apps/velmora\.(png|svg)$|^/usr/share/doc/velmora/|^/usr/share/man/man1/velmora(-cli)?\.1\.gz$' "$LAVORO/contenuto.txt" || true)
[ -z "$estranei" ] || errore "file inattesi nel pacchetto: $estranei"
for f in /usr/bin/velmora /usr/bin/velmora-cli /usr/share/velmora/ArchivioDimostrativo.db /usr/share/velmora/HelpVelmora/310.html \
         /usr/share/applications/io.github.velmora.velmora.desktop /usr/share/metainfo/io.github.velmora.velmora.metainfo.xml \
         /usr/share/icons/hicolor/48x48/apps/velmora.png; do
  grep -qx "$f" "$LAVORO/contenuto.txt" || errore "manca $f nel pacchetto"
done

# 4. Installed on this machine.
dpkg -i "$PACCHETTO"
INSTALLATO=1
dpkg -L velmora >"$LAVORO/file-installati.txt"

# The software centres' description as installed: valid (without the network, which it never needs),
# naming the installed menu entry, with the package's version.
appstreamcli validate --no-net --pedantic /usr/share/metainfo/io.github.velmora.velmora.metainfo.xml ||
  errore "appstreamcli validate rifiuta io.github.velmora.velmora.metainfo.xml"
grep -q '<launchable type="desktop-id">io.github.velmora.velmora.desktop</launchable>' /usr/share/metainfo/io.github.velmora.velmora.metainfo.xml ||
  errore "la descrizione non nomina la voce di menu installata"
grep -q "<release version=\"$VERSIONE\"" /usr/share/metainfo/io.github.velmora.velmora.metainfo.xml ||
  errore "la descrizione non porta la versione $VERSIONE"

# The installed programs run under strace in an empty home (also their working folder): every file
# they create, write to, truncate, rename or delete must lie in that home, in /tmp or be a device.
# (A database opened for reading and writing but only read is no write: SQLite opens so by default.)
CASA="$LAVORO/casa"
mkdir -p "$CASA"
traccia() {  # command... ; fails on a write outside the home
  local log="$LAVORO/traccia.log"
  rm -f "$LAVORO"/traccia.*
  (cd "$CASA" && env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME HOME="$CASA" \
     QT_QPA_PLATFORM=offscreen strace -ff -qq -y -s 4096 -e status=successful -o "$LAVORO/traccia" \
     -e trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,rmdir,link,linkat,symlink,symlinkat,truncate,write,pwrite64,writev,pwritev,pwritev2,ftruncate,fallocate \
     "$@" >"$LAVORO/traccia-uscita.txt" 2>"$LAVORO/traccia-errori.txt")
  # The program's own output went to files here, not to whatever log the caller's output goes to
  # (a descriptor inherited from outside would count as a write outside the home).
  cat "$LAVORO/traccia-uscita.txt"
  cat "$LAVORO/traccia-errori.txt" >&2
  # One file per thread (no call split across lines), each line led by its thread as with -f.
  for f in "$LAVORO"/traccia.[0-9]*; do sed "s/^/${f##*.} /" "$f"; done >"$log"
  local scritti="$LAVORO/scritti.txt"
  : >"$scritti"
  # Opened to create or write only: the path strace gives for the returned descriptor.
  grep -E '^[0-9]+ +(open|openat)\(.*(O_WRONLY|O_CREAT|O_TRUNC)|^[0-9]+ +creat\(' "$log" | sed -n 's/.*= [0-9]*<\(.*\)>$/\1/p' >>"$scritti" || true
  # Written to through a descriptor: the file strace names for it (pipes and sockets are not files).
  grep -E '^[0-9]+ +(write|pwrite64|writev|pwritev2?|ftruncate|fallocate)\([0-9]+</' "$log" |
    sed 's/^[0-9]* *[a-z0-9]*([0-9]*<\([^>]*\)>.*/\1/' >>"$scritti" || true
  # Every other call: its path arguments, relative ones to the folder strace names before them.
  grep -vE '^[0-9]+ +(open|openat|creat|write|pwrite64|writev|pwritev2?|ftruncate|fallocate)\(|^[0-9]+ +(---|\+\+\+)' "$log" |
    grep -oE '((AT_FDCWD|[0-9]+)<[^>]*>, )?"[^"]*"' | while read -r voce; do
      percorso=${voce##*, \"}; percorso=${percorso#\"}; percorso=${percorso%\"}
      cartella=$CASA
      if [[ $voce == *'>, "'* ]]; then cartella=${voce#*<}; cartella=${cartella%%>*}; fi
      [[ $percorso == /* ]] || percorso="$cartella/$percorso"
      echo "$percorso"
    done >>"$scritti" || true
  local fuori
  fuori=$(grep -vE "^($CASA|/tmp)(/|$)|^/dev/|^/proc/" "$scritti" | sort -u || true)
  [ -z "$fuori" ] || errore "$1 ha scritto fuori dalla cartella home di prova e da /tmp: $fuori"
}

# 5. The command line on the installed demonstration archive, and the version from one place.
[ "$(velmora-cli --version)" = "velmora-cli $VERSIONE" ] || errore "velmora-cli --version non stampa $VERSIONE"
[ "$(QT_QPA_PLATFORM=offscreen velmora --version)" = "velmora $VERSIONE" ] || errore "velmora --version non stampa $VERSIONE"
traccia velmora-cli info /usr/share/velmora/ArchivioDimostrativo.db >"$LAVORO/info.txt"
cat "$LAVORO/info.txt"
grep -qE '^\{"estrazioni":[1-9][0-9]*,"prima":"07/01/1939",' "$LAVORO/info.txt" || errore "velmora-cli info: risposta inattesa"

# 6. Every window from the installed program.
traccia /usr/bin/velmora --screenshots "$CASA/schermate"
for w in INIZIO INIZIO_help Container; do
  [ -s "$CASA/schermate/$w.png" ] || errore "velmora --screenshots non ha creato $w.png"
done
echo "Schermate: $(ls "$CASA/schermate" | wc -l) immagini"

# 7. A first run: the data folder appears with the demonstration archive copied into it; the
#    archive chosen there, PROCEDI reaches the main window and the program's files stay there.
DATI="$CASA/.local/share/Velmora"
traccia /usr/bin/velmora --tempo-avvio --archivio "$DATI/ArchivioDimostrativo.db"
for f in ArchivioDimostrativo.db DbPiramide.db PercorsoDatabase.txt; do
  [ -s "$DATI/$f" ] || errore "primo avvio: manca $f in $DATI"
done
cmp -s "$DATI/ArchivioDimostrativo.db" /usr/share/velmora/ArchivioDimostrativo.db || errore "la copia dell'archivio dimostrativo differisce"

# 8. Removed: nothing of it left under /usr.
dpkg -r velmora
INSTALLATO=0
rimasti=$( (grep -v '^/\.$' "$LAVORO/file-installati.txt" | while read -r f; do [ ! -f "$f" ] || echo "$f"; done
           find /usr -iname '*velmora*' 2>/dev/null) | sort -u)
[ -z "$rimasti" ] || errore "dopo dpkg -r restano: $rimasti"
echo "test-package: pacchetto costruito, installato, provato e rimosso senza residui"
