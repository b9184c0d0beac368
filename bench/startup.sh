#!/usr/bin/env bash
# Start-up time of the viewer: milliseconds from process start to the first
# form shown (the 500 ms timer included), and from the start timer's first
# tick (where the load begins) to the form shown; medians of RUNS runs, headless.
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
  ticks=()
  for _ in $(seq "$RUNS"); do
    start=$(date +%s%3N)
    out=$(QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$config" VANTOR_BENCH_FIRST_FORM=1 \
          timeout 60 "$VIEWER" "$form" 2>/dev/null || true)
    shown=$(grep '^first-form-shown ' <<<"$out" || true)
    tick=$(grep '^first-timer-tick ' <<<"$out" || true)
    [ -n "$shown" ] && [ -n "$tick" ] || { echo "startup.sh: no form shown for $form" >&2; exit 1; }
    times+=($(( ${shown#first-form-shown } - start )))
    ticks+=($(( ${shown#first-form-shown } - ${tick#first-timer-tick } )))
  done
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  n=${#sorted[@]}
  median=$(( (sorted[(n - 1) / 2] + sorted[n / 2]) / 2 ))
  tsorted=($(printf '%s\n' "${ticks[@]}" | sort -n))
  tmedian=$(( (tsorted[(n - 1) / 2] + tsorted[n / 2]) / 2 ))
  printf '%6d ms  median of %d (min %d, max %d); from the first tick %d ms (min %d, max %d)  %s (%d bytes)\n' \
    "$median" "$n" "${sorted[0]}" "${sorted[n - 1]}" "$tmedian" "${tsorted[0]}" "${tsorted[n - 1]}" \
    "$form" "$(stat -c %s "$form")"
done
