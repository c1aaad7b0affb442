#!/usr/bin/env bash
# Installs the Debian packages the build and its checks need (skipped when all are present)
# and configures + builds the project in build/ (Release).
#   tools/setup.sh --solo-pacchetti [EXTRA...]   only installs, the list plus the EXTRA packages
#                                                 (the sanitizer and fuzzing builds add their own)
set -euo pipefail
cd "$(dirname "$0")/.."
SOLO_PACCHETTI=0
if [ "${1:-}" = "--solo-pacchetti" ]; then
  SOLO_PACCHETTI=1
  shift
fi

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev
          libsqlcipher-dev libzip-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
          qt6-translations-l10n
          dpkg-dev lintian strace appstream gcovr)

missing=()
for p in "${PACKAGES[@]}" "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installazione dei pacchetti mancanti: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

[ "$SOLO_PACCHETTI" -eq 1 ] && exit 0

BUILD_DIR=${VELMORA_BUILD_DIR:-build}
# VELMORA_WERROR=ON (./test.sh sets it): a warning in the project's own code stops the build. Unset, the
# build folder keeps what it had (a first build: OFF).
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release ${VELMORA_WERROR:+-DVELMORA_WERROR=$VELMORA_WERROR} >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
