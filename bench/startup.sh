#!/usr/bin/env bash
# Start-up time of the viewer: milliseconds from process start to the first
# form shown (the 500 ms timer included), median of RUNS runs, headless.
#   bench/startup.sh [BUILD_DIR] FORM...
set -euo pipefail
BUILD_DIR=${BUILD_DIR:-build}
RUNS=${RUNS:-10}
VIEWER="$BUILD_DIR/bin/vantor"
[ -x "$VIEWER" ] || { echo "startup.sh: $VIEWER not built" >&2; exit 2; }
[ $# -ge 1 ] || { echo "usage: BUILD_DIR=build bench/startup.sh FORM..." >&2; exit 2; }
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

for form in "$@"; do
  times=()
  for _ in $(seq "$RUNS"); do
    start=$(date +%s%3N)
    line=$(QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$config" VANTOR_BENCH_FIRST_FORM=1 \
           timeout 60 "$VIEWER" "$form" 2>/dev/null | grep '^first-form-shown ' || true)
    [ -n "$line" ] || { echo "startup.sh: no form shown for $form" >&2; exit 1; }
    times+=($(( ${line#first-form-shown } - start )))
  done
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  n=${#sorted[@]}
  median=$(( (sorted[(n - 1) / 2] + sorted[n / 2]) / 2 ))
  printf '%6d ms  median of %d (min %d, max %d)  %s (%d bytes)\n' \
    "$median" "$n" "${sorted[0]}" "${sorted[n - 1]}" "$form" "$(stat -c %s "$form")"
done
