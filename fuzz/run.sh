#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer in build-fuzz/ and runs each for SECONDS
# (default 60) from the seeds in fuzz/corpus/<target>/; fails when any target finds a crash.
#   fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDI=${1:-60}
shift || true
case "$SECONDI" in
  ''|*[!0-9]*) echo "fuzz/run.sh: SECONDS deve essere un numero intero ($SECONDI)" >&2; exit 2 ;;
esac

# The compiler and libFuzzer's runtime come from Debian, installed like the build's own packages.
./tools/setup.sh --solo-pacchetti clang-14 libclang-rt-14-dev
BUILD_DIR=${VELMORA_FUZZ_DIR:-build-fuzz}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++-14 -DVELMORA_FUZZ=ON \
      -DVELMORA_BUILD_UI=OFF -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF >/dev/null
if [ $# -gt 0 ]; then
  TARGET=("$@")
else
  mapfile -t TARGET < <(sed -n 's/^set(VELMORA_FUZZ_TARGETS \(.*\))$/\1/p' fuzz/CMakeLists.txt | tr ' ' '\n')
fi
cmake --build "$BUILD_DIR" -j"$(nproc)" --target "${TARGET[@]/#/fuzz_}"

# New inputs go to the build folder: the committed seeds stay a small, hand-written set.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
falliti=()
printf '%-16s %12s %10s %8s\n' target esecuzioni "exec/s" esito >"$BUILD_DIR/fuzz-riepilogo.txt"
for t in "${TARGET[@]}"; do
  lavoro=$BUILD_DIR/corpus/$t
  mkdir -p "$lavoro" "$BUILD_DIR/crash"
  registro=$BUILD_DIR/fuzz-$t.log
  echo "== fuzz_$t: $SECONDI s"
  esito=ok
  "$BUILD_DIR/bin/fuzz_$t" -max_total_time="$SECONDI" -timeout=30 -print_final_stats=1 \
      -artifact_prefix="$BUILD_DIR/crash/$t-" "$lavoro" "fuzz/corpus/$t" >"$registro" 2>&1 || esito=CRASH
  esecuzioni=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registro" | tail -1)
  velocita=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$registro" | tail -1)
  printf '%-16s %12s %10s %8s\n' "$t" "${esecuzioni:-?}" "${velocita:-?}" "$esito" >>"$BUILD_DIR/fuzz-riepilogo.txt"
  if [ "$esito" != ok ]; then
    falliti+=("$t")
    grep -A40 -m1 'ERROR\|runtime error\|deadly signal' "$registro" >&2 || tail -40 "$registro" >&2
  fi
done
cat "$BUILD_DIR/fuzz-riepilogo.txt"
if [ ${#falliti[@]} -gt 0 ]; then
  echo "fuzz/run.sh: crash in ${falliti[*]} (gli input sono in $BUILD_DIR/crash/)" >&2
  exit 1
fi
