#!/usr/bin/env bash
# Builds Velmora (installing what is missing) and runs the whole test suite.
#   ./test.sh [CTEST ARGS]              Release build in build/
#   ./test.sh --sanitize [CTEST ARGS]   the same suite under AddressSanitizer and UBSan, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = "--sanitize" ]; then
  shift
  exec ./tools/sanitize.sh "$@"
fi
# The tests are built as CI builds them: a warning in the project's own code is an error.
VELMORA_WERROR=ON ./tools/setup.sh
BUILD_DIR=${VELMORA_BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure -j"$(nproc)" "$@"
