# What build.sh and test.sh share: where things are, and the configured Windows build.
# Sourced, not run.
RADICE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
CACHE=${VELMORA_WINDOWS_CACHE:-$HOME/.cache/velmora-windows}
PREFIX=$CACHE/prefix
# The build without Qt has a folder of its own: its configuration differs (no Qt toolchain file).
if [ -n "${VELMORA_WINDOWS_SENZA_QT:-}" ]; then
    BUILD=${VELMORA_WINDOWS_BUILD:-$RADICE/build-windows-senza-qt}
else
    BUILD=${VELMORA_WINDOWS_BUILD:-$RADICE/build-windows}
fi
WINE="$RADICE/tools/windows/wine.sh"
VERSIONE=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' "$RADICE/CMakeLists.txt")

say() { printf 'velmora-windows: %s\n' "$*"; }

# The libraries first (nothing to do once they are in the cache), then the cross build folder:
# the Qt toolchain file chains to the MinGW one and tells CMake where the host's moc/rcc/uic are.
# configura ON|OFF  -> tests built or not
# VELMORA_WINDOWS_SENZA_QT=1 builds only what needs no Qt (the logic, velmora-cli, their tests),
# with the libraries other than Qt: the Qt-free tests can run before Qt is built.
configura() {
    local tests=$1 toolchain ui
    if [ -n "${VELMORA_WINDOWS_SENZA_QT:-}" ]; then
        "$RADICE/tools/windows/toolchain.sh" zlib libzip openssl sqlcipher googletest
        toolchain=$CACHE/mingw.cmake ui=OFF
    else
        "$RADICE/tools/windows/toolchain.sh"
        toolchain=$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake ui=ON
    fi
    # libzip is found through pkg-config: only the Windows libraries' .pc files.
    export PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig" PKG_CONFIG_PATH=
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$RADICE" -B "$BUILD" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELMORA_BUILD_UI="$ui" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$PREFIX" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE" \
        -DVELMORA_BUILD_BENCH=OFF -DVELMORA_BUILD_TESTS="$tests" "${launcher[@]}" >/dev/null
}

# Wine's prefix made once, quietly, before anything runs in it (its first start takes a while
# and talks on the terminal).
prepara_wine() {
    "$WINE" wineboot --init >/dev/null 2>&1 || true
    # wineserver ends on its own a few seconds after the last program.
}
