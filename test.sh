#!/usr/bin/env bash
# Builds Velmora (installing what is missing) and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
BUILD_DIR=${VELMORA_BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure -j"$(nproc)" "$@"
