#!/usr/bin/env bash
# Builds Velmora (installing what is missing) and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup.sh
BUILD_DIR=${VELMORA_BUILD_DIR:-build}
if [ -x "$BUILD_DIR/bin/velmora" ]; then
  exec "$BUILD_DIR/bin/velmora" "$@"
else
  echo "Velmora: il programma è in costruzione; per ora è disponibile velmora-cli in $BUILD_DIR/bin."
fi
