#!/usr/bin/env bash
# Builds, once, every library the Windows x64 build of Velmora links against, from Debian's own
# source packages, into a cache folder:
#
#   VELMORA_WINDOWS_CACHE (default ~/.cache/velmora-windows)
#     prefix/            static libraries, headers, CMake packages and the Qt for x86_64-w64-mingw32
#     mingw.cmake        the CMake toolchain file of the cross compilers
#     src/ build/ logs/  Debian sources, build folders and one log per library
#     stamps/<lib>.done  a library that is finished; a second run skips it
#
# Usage: tools/windows/toolchain.sh [library ...]   (default: all, in the order below)
# Libraries: qtbase zlib libzip openssl sqlcipher googletest (Qt base first: it takes longest)
# A library asked for brings the ones it needs first (libzip -> zlib, sqlcipher -> openssl). Two runs may go at once: each library is built under its own lock.
# A library that fails does not stop the others that do not need it; the run then ends in error
# naming it, and the next run starts again from it.
# VELMORA_WINDOWS_JOBS sets the parallel jobs (default: the number of cores).
set -euo pipefail

CACHE=${VELMORA_WINDOWS_CACHE:-$HOME/.cache/velmora-windows}
PREFIX=$CACHE/prefix
TOOLCHAIN=$CACHE/mingw.cmake
SRC=$CACHE/src
BUILD=$CACHE/build
LOGS=$CACHE/logs
STAMPS=$CACHE/stamps
JOBS=${VELMORA_WINDOWS_JOBS:-$(nproc)}
HOST=x86_64-w64-mingw32
CC_W=$HOST-gcc-posix
CXX_W=$HOST-g++-posix

ALL=(qtbase zlib libzip openssl sqlcipher googletest)
declare -A NEEDS=([libzip]=zlib [sqlcipher]=openssl)
declare -A SOURCE=([qtbase]=qt6-base [zlib]=zlib [libzip]=libzip
                   [openssl]=openssl [sqlcipher]=sqlcipher [googletest]=googletest)
# Debian packages the build itself needs on this machine.
PACKAGES=(mingw-w64 wine64 nsis cmake ninja-build make perl tcl pkg-config dpkg-dev
          qt6-base-dev qt6-base-dev-tools zip)

say() { printf 'velmora-windows: %s\n' "$*"; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# --- what to build -----------------------------------------------------------------------------
wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=("${ALL[@]}")
plan=()
add_to_plan() {
    local lib=$1 x
    [ -n "${SOURCE[$lib]+x}" ] || { say "libreria sconosciuta: $lib (note: ${ALL[*]})"; exit 2; }
    [ -z "${NEEDS[$lib]+x}" ] || add_to_plan "${NEEDS[$lib]}"
    for x in "${plan[@]}"; do [ "$x" = "$lib" ] && return 0; done
    plan+=("$lib")
}
for lib in "${wanted[@]}"; do add_to_plan "$lib"; done

todo=()
for lib in "${plan[@]}"; do [ -e "$STAMPS/$lib.done" ] || todo+=("$lib"); done
if [ ${#todo[@]} -eq 0 ]; then
    say "già tutto pronto in $CACHE (${plan[*]})"
    exit 0
fi
mkdir -p "$PREFIX" "$SRC" "$BUILD" "$LOGS" "$STAMPS"

# --- this machine ------------------------------------------------------------------------------
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    say "installo i pacchetti Debian: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

has_deb_src() {
    grep -rqsE '^[[:space:]]*deb-src[[:space:]]|^Types:.*deb-src' \
        /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}
SUITE=$(. /etc/os-release && printf '%s' "${VERSION_CODENAME:-}")
[ -n "$SUITE" ] || { say "versione di Debian sconosciuta (/etc/os-release)"; exit 1; }
if ! has_deb_src; then
    suite=$SUITE
    list=/etc/apt/sources.list.d/velmora-deb-src.sources
    say "nessuna riga deb-src nelle fonti di apt: aggiungo $list (sorgenti di $suite)"
    as_root tee "$list" >/dev/null <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    as_root apt-get update -qq
fi

toolchain_text=$(cat <<TC
# Cross compilers for Windows x64 (MinGW-w64, posix threads) and where the Windows libraries are.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $CC_W)
set(CMAKE_CXX_COMPILER $CXX_W)
set(CMAKE_RC_COMPILER $HOST-windres)
set(CMAKE_AR /usr/bin/$HOST-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/$HOST-ranlib CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/$HOST $PREFIX)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC
)
if [ ! -e "$TOOLCHAIN" ] || [ "$(cat "$TOOLCHAIN")" != "$toolchain_text" ]; then
    printf '%s\n' "$toolchain_text" > "$TOOLCHAIN"
fi

# --- one library -------------------------------------------------------------------------------
# The unpacked Debian source of a package (apt-get source applies Debian's patches).
debian_source() {
    local pkg=$1 dir
    dir=$(find "$SRC" -mindepth 1 -maxdepth 1 -type d -name "$pkg-[0-9]*" | head -n1)
    if [ -z "$dir" ]; then
        # The newest version first; when its files are missing from the mirror (a security update
        # not mirrored), the suite's own release.
        (cd "$SRC" && apt-get source "$pkg" >&2) || (cd "$SRC" && apt-get source "$pkg/$SUITE" >&2)
        dir=$(find "$SRC" -mindepth 1 -maxdepth 1 -type d -name "$pkg-[0-9]*" | head -n1)
    fi
    [ -n "$dir" ] || { echo "il sorgente Debian di $pkg non si scarica (apt-get source $pkg)" >&2; return 1; }
    printf '%s' "$dir"
}

cmake_cross() {   # cmake_cross <source> <build> [options]
    local s=$1 b=$2; shift 2
    cmake -S "$s" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_PREFIX_PATH="$PREFIX" -DBUILD_SHARED_LIBS=OFF "$@"
    cmake --build "$b" -j "$JOBS"
    cmake --install "$b"
}

build_qtbase() {
    local s; s=$(debian_source qt6-base)
    # Linux moc/rcc/uic from the host Qt of the same version; static; Schannel for TLS; the
    # bundled third-party libraries. Accessibility and tablet events off: Debian's source drops the
    # IAccessible2 and Wintab files. OpenGL stays: the Windows platform plugin needs it.
    cmake_cross "$s" "$BUILD/qtbase" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_accessibility=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_schannel=ON -DFEATURE_openssl=OFF -DINPUT_openssl=no \
        -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
}

build_zlib() {
    local s; s=$(debian_source zlib)
    # Debian's source drops zlib's win32 makefiles; the library is its C files, compiled here.
    rm -rf "$BUILD/zlib"; mkdir -p "$BUILD/zlib"
    local f
    for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
             inftrees trees uncompr zutil; do
        "$CC_W" -O2 -DNDEBUG -D_LARGEFILE64_SOURCE=1 -I"$s" -c "$s/$f.c" -o "$BUILD/zlib/$f.o"
    done
    $HOST-ar rcs "$BUILD/zlib/libz.a" "$BUILD/zlib"/*.o
    install -d "$PREFIX/include" "$PREFIX/lib/pkgconfig"
    install -m644 "$s/zlib.h" "$s/zconf.h" "$PREFIX/include/"
    install -m644 "$BUILD/zlib/libz.a" "$PREFIX/lib/"
    local v; v=$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$s/zlib.h")
    printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: zlib\nDescription: zlib compression library\nVersion: %s\nLibs: -L${libdir} -lz\nCflags: -I${includedir}\n' \
        "$PREFIX" "$v" > "$PREFIX/lib/pkgconfig/zlib.pc"
}

build_libzip() {
    local s; s=$(debian_source libzip)
    cmake_cross "$s" "$BUILD/libzip" -DZLIB_INCLUDE_DIR="$PREFIX/include" -DZLIB_LIBRARY="$PREFIX/lib/libz.a" \
        -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_OPENSSL=OFF \
        -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=ON \
        -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
}

build_openssl() {
    local s; s=$(debian_source openssl)
    rm -rf "$BUILD/openssl"; cp -a "$s" "$BUILD/openssl"
    (cd "$BUILD/openssl" &&
        CC=$CC_W AR=$HOST-ar RANLIB=$HOST-ranlib RC=$HOST-windres \
        ./Configure mingw64 no-shared no-tests --prefix="$PREFIX" --libdir=lib &&
        make -j "$JOBS" build_libs && make install_dev)
}

build_sqlcipher() {
    local s; s=$(debian_source sqlcipher)
    # The amalgamation is generated with the host's tools, then compiled for Windows with the
    # options Debian builds its libsqlcipher with, crypto from the OpenSSL above.
    rm -rf "$BUILD/sqlcipher"; mkdir -p "$BUILD/sqlcipher"
    (cd "$BUILD/sqlcipher" && "$s/configure" --disable-tcl --disable-readline >/dev/null &&
        make sqlite3.c sqlite3.h)
    local cflags=(-O2 -DNDEBUG -DSQLITE_HAS_CODEC -DSQLCIPHER_CRYPTO_OPENSSL -DSQLITE_TEMP_STORE=2
        -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS3
        -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_FTS4 -DSQLITE_ENABLE_FTS5
        -DSQLITE_ENABLE_RTREE -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_ENABLE_DBSTAT_VTAB
        -DSQLITE_SECURE_DELETE -DSQLITE_MAX_VARIABLE_NUMBER=250000 -DSQLITE_OMIT_LOAD_EXTENSION
        -I"$PREFIX/include")
    (cd "$BUILD/sqlcipher" && "$CC_W" "${cflags[@]}" -c sqlite3.c -o sqlite3.o &&
        rm -f libsqlcipher.a && $HOST-ar rcs libsqlcipher.a sqlite3.o)
    install -d "$PREFIX/include/sqlcipher" "$PREFIX/lib"
    install -m644 "$BUILD/sqlcipher/sqlite3.h" "$PREFIX/include/sqlcipher/"
    [ ! -e "$s/src/sqlite3ext.h" ] || install -m644 "$s/src/sqlite3ext.h" "$PREFIX/include/sqlcipher/"
    install -m644 "$BUILD/sqlcipher/libsqlcipher.a" "$PREFIX/lib/"
}

build_googletest() {
    local s; s=$(debian_source googletest)
    cmake_cross "$s" "$BUILD/googletest" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

# --- the run -----------------------------------------------------------------------------------
n=0
falliti=()
for lib in "${plan[@]}"; do
    n=$((n + 1))
    if [ -n "${NEEDS[$lib]+x}" ] && [ ! -e "$STAMPS/${NEEDS[$lib]}.done" ]; then
        say "[$n/${#plan[@]}] $lib: saltato, manca ${NEEDS[$lib]}"
        falliti+=("$lib")
        continue
    fi
    exec {lock}>"$STAMPS/$lib.lock"
    flock "$lock"
    if [ -e "$STAMPS/$lib.done" ]; then
        say "[$n/${#plan[@]}] $lib: già pronto"
    else
        say "[$n/${#plan[@]}] $lib: compilo (registro in $LOGS/$lib.log)"
        start=$(date +%s)
        # In a subshell of its own so that the first failing command stops the library.
        set +e
        ( set -e; "build_$lib" ) >"$LOGS/$lib.log" 2>&1
        riuscito=$?
        set -e
        if [ $riuscito -ne 0 ]; then
            say "[$n/${#plan[@]}] $lib: NON riuscito dopo $(( ($(date +%s) - start) / 60 )) min; ultime righe di $LOGS/$lib.log:"
            tail -n 25 "$LOGS/$lib.log" >&2
            falliti+=("$lib")
            exec {lock}>&-
            continue
        fi
        secs=$(( $(date +%s) - start ))
        printf '%s\n' "$secs" > "$STAMPS/$lib.done"
        say "[$n/${#plan[@]}] $lib: pronto in $((secs / 60)) min $((secs % 60)) s"
    fi
    exec {lock}>&-
done
if [ ${#falliti[@]} -gt 0 ]; then
    say "NON pronte: ${falliti[*]} (i registri sono in $LOGS; la prossima esecuzione riparte da lì)"
    exit 1
fi
say "toolchain pronta in $CACHE"
