#!/usr/bin/env bash
# Shows what the project can do today on the form shipped in examples/:
# converts it to a binary form file and back to text.
set -euo pipefail
BUILD_DIR=${1:-build}
cd "$(dirname "$0")/.."
out=$(mktemp -d)
"$BUILD_DIR/bin/vantor-tool" convert --to-binary examples/Main.fmx "$out/Main.bin.fmx"
"$BUILD_DIR/bin/vantor-tool" convert --to-text "$out/Main.bin.fmx" "$out/Main.txt.fmx"
echo "binary form: $out/Main.bin.fmx ($(stat -c %s "$out/Main.bin.fmx") bytes)"
cat "$out/Main.txt.fmx"
