#!/usr/bin/env bash
# Starts the viewer on the form shipped in examples/ (its unit source lies
# beside it). The build directory is the first argument (default: build).
set -euo pipefail
BUILD_DIR=${1:-build}
cd "$(dirname "$0")/.."
if [ ! -x "$BUILD_DIR/bin/vantor" ]; then
  cmake --build "$BUILD_DIR" --target vantor
fi
exec "$BUILD_DIR/bin/vantor" examples/Main.fmx
