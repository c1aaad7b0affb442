#!/bin/sh
# Runs a 64-bit Windows program under Wine; the Windows build's CMAKE_CROSSCOMPILING_EMULATOR.
# The plain `wine` launcher wants Wine's 32-bit part, which Debian's wine64 does not bring, so the
# 64-bit loader is called directly. The Wine prefix (its C: drive, registry, %APPDATA%) is the
# build's own unless VELMORA_WINEPREFIX names another; Wine's first run there sets it up.
export WINEARCH=win64
export WINEPREFIX="${VELMORA_WINEPREFIX:-${VELMORA_WINDOWS_CACHE:-$HOME/.cache/velmora-windows}/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No dialog offering to install Mono or Gecko: nothing here needs them.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
