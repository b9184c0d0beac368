#!/usr/bin/env bash
# Installs what the project needs (only what is missing), configures and builds.
#   scripts/setup.sh            install and build
#   scripts/setup.sh run        ... then start the program on the shipped example form
#   scripts/setup.sh test       ... then run every test
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libqscintilla2-qt6-dev libgl-dev
  libx11-dev zlib1g-dev libmimalloc-dev xvfb xauth
  fonts-lato fonts-liberation2 fonts-crosextra-carlito fonts-dejavu-core
  fp-compiler fp-units-base fp-units-rtl
  clang libclang-rt-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR=${BUILD_DIR:-build}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"

case "${1:-}" in
  run)
    shift
    exec scripts/run-example.sh "$BUILD_DIR" "$@"
    ;;
  test)
    cd "$BUILD_DIR"
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
    exec ctest --output-on-failure -j "$(nproc)"
    ;;
  "") ;;
  *) echo "setup: unknown command $1" >&2; exit 2 ;;
esac
