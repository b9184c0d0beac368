#!/usr/bin/env bash
# Runs one fuzz target for a given time:  fuzz/run.sh TARGET SECONDS [LIBFUZZER-OPTION...]
#   TARGET: binarytotext | texttobinary | formfile | styleresource
#   e.g. fuzz/run.sh texttobinary 300 -fork=1 -ignore_crashes=1  (go on past findings)
# Builds the instrumented targets in build-fuzz (clang) when needed. New
# inputs go to build-fuzz/corpus/TARGET (the seeds in fuzz/corpus/TARGET are
# only read); a crash, leak, timeout or out-of-memory input is written to
# fuzz/crashes/, where the replay test picks it up.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz/run.sh TARGET SECONDS}
seconds=${2:?usage: fuzz/run.sh TARGET SECONDS}
case "$target" in binarytotext|texttobinary|formfile|styleresource) ;; *) echo "run.sh: unknown target $target" >&2; exit 2 ;; esac
BUILD_DIR=${BUILD_DIR:-build-fuzz}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVANTOR_BUILD_FUZZ=ON \
    -DVANTOR_WITH_QT=OFF -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_BENCH=OFF
fi
cmake --build "$BUILD_DIR" --target "fuzz_$target" -j 2
mkdir -p "$BUILD_DIR/corpus/$target" fuzz/crashes
exec "$BUILD_DIR/bin/fuzz_$target" \
  -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 -print_final_stats=1 \
  -artifact_prefix="fuzz/crashes/$target-" "${@:3}" \
  "$BUILD_DIR/corpus/$target" "fuzz/corpus/$target"
