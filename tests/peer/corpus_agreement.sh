#!/usr/bin/env bash
# Compares Vantor's conversions with the Free Pascal peer's over the shared form
# corpus (or the folders given) and prints the agreement count. The corpus is
# read where it lies and never copied; this is a measurement, not a CI test.
#   tests/peer/corpus_agreement.sh [--list] [DIR...]
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD_DIR=${BUILD_DIR:-build-peer}
list=()
if [ "${1:-}" = "--list" ]; then list=(--list); shift; fi
dirs=("$@")
if [ ${#dirs[@]} -eq 0 ]; then dirs=(../shared/corpus/forms); fi
for d in "${dirs[@]}"; do
  [ -e "$d" ] || { echo "corpus_agreement: $d not found" >&2; exit 2; }
done
cmake --build "$BUILD_DIR" --target peer_agreement fpconv -j 2 >/dev/null
exec "$BUILD_DIR/bin/peer_agreement" "${list[@]}" "${dirs[@]}"
