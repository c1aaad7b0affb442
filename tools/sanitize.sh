#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer (gcc), in
# build-sanitize/: any report from our code fails the test that triggered it. Warnings of the
# project's own code stop the build, as in the Release build of ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
SORGENTE=$PWD
./tools/setup.sh --solo-pacchetti
BUILD_DIR=${VELMORA_SANITIZE_DIR:-build-sanitize}

# The build itself runs programs it has just made (the demonstration archive, the icons),
# so the sanitizer settings hold for the build as well as for the tests.
# Leaks are only excused inside third-party libraries (tools/lsan-terze-parti.supp).
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$SORGENTE/tools/lsan-terze-parti.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
# -O1 -g: readable stacks at a bearable speed; benchmarks measure nothing under a sanitizer.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Sanitize \
      -DCMAKE_CXX_COMPILER=g++ \
      -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -g $FLAGS" \
      -DCMAKE_EXE_LINKER_FLAGS_SANITIZE="$FLAGS" \
      -DCMAKE_SHARED_LINKER_FLAGS_SANITIZE="$FLAGS" \
      -DVELMORA_BUILD_BENCH=OFF -DVELMORA_WERROR=ON >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
cd "$BUILD_DIR"
# Sanitized programs run several times slower: a longer per-test limit.
ctest --output-on-failure -j"$(nproc)" --timeout 1500 "$@"
