#!/usr/bin/env bash
# Runs one fuzz target for a given time:  fuzz/run.sh TARGET SECONDS [LIBFUZZER-OPTION...]
#   TARGET: binarytotext | texttobinary | formfile | styleresource   (streams)
#           loadpasses    the loader's text passes of a load, both views
#           variantmerge  the platform-variant merge (input split at "\n~~~~\n")
#           load          the whole load through the framework's reader into a
#                         host form (Qt, offscreen)
#   e.g. fuzz/run.sh texttobinary 300 -fork=1 -ignore_crashes=1  (go on past findings)
# Builds the instrumented targets when needed (clang): the Qt-free ones in
# build-fuzz, the load in build-fuzz-qt. New inputs go to build-fuzz*/corpus/TARGET
# (the seeds in fuzz/corpus/TARGET are only read); a crash, leak, timeout or
# out-of-memory input is written to fuzz/crashes/TARGET-..., where the replay
# tests pick it up. The loader's targets use the form-syntax dictionary
# fuzz/dict/form.dict.
#
# Long runs (not in CI; the machine has two cores, so at most two at a time,
# each single-process, at the lowest priority; the log's last lines are the
# final stats, and in fork mode the last "#N" status line counts executions):
#   nice -n 19 fuzz/run.sh loadpasses 3600 -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 > LOG 2>&1 &
#   nice -n 19 fuzz/run.sh variantmerge 3600 -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 > LOG 2>&1 &
#   nice -n 19 fuzz/run.sh load 3600 -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 > LOG 2>&1 &
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz/run.sh TARGET SECONDS}
seconds=${2:?usage: fuzz/run.sh TARGET SECONDS}
dict=()
qt=OFF
case "$target" in
  binarytotext|texttobinary|formfile|styleresource) ;;
  loadpasses|variantmerge) dict=(-dict=fuzz/dict/form.dict) ;;
  load) dict=(-dict=fuzz/dict/form.dict); qt=ON ;;
  *) echo "run.sh: unknown target $target" >&2; exit 2 ;;
esac
if [ "$qt" = ON ]; then
  BUILD_DIR=${BUILD_DIR_QT:-build-fuzz-qt}
  export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
  # The font libraries under Qt keep caches for the whole run.
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/fuzz/lsan.supp}
else
  BUILD_DIR=${BUILD_DIR:-build-fuzz}
fi
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVANTOR_BUILD_FUZZ=ON \
    -DVANTOR_WITH_QT=$qt -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_BENCH=OFF
fi
cmake --build "$BUILD_DIR" --target "fuzz_$target" -j 2
mkdir -p "$BUILD_DIR/corpus/$target" fuzz/crashes
exec "$BUILD_DIR/bin/fuzz_$target" \
  -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 -print_final_stats=1 \
  -artifact_prefix="fuzz/crashes/$target-" "${dict[@]}" "${@:3}" \
  "$BUILD_DIR/corpus/$target" "fuzz/corpus/$target"
